// A data file read for the command line, a block per step: nothing is opened
// that is not a regular file (a FIFO would wait for a writer, a device never
// ends), a file is read only as far as it was long when opened, and only
// lines short enough to be records are held, at most a bounded number of
// them, so no input holds the event loop or fills the memory.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "data/line_splitter.h"
#include "data/memories.h"
#include "data/results.h"

namespace rx {

// True when output names the file input is (the same device and inode, also
// through a symbolic or hard link): writing output would replace input.
bool SameFile(const std::filesystem::path& output, const std::filesystem::path& input);

// How the lines a job passed over are told: "" for none.
std::string PassedOverNotice(std::size_t lines);

class DataFileReader {
 public:
  enum class Stand { Working, Done, Failed };
  // More record lines than this: no file of the device is that long.
  static constexpr std::size_t kMostRecords = 1'000'000;

  explicit DataFileReader(std::filesystem::path file) : file_(std::move(file)) {}
  ~DataFileReader() { Close(); }
  DataFileReader(const DataFileReader&) = delete;
  DataFileReader& operator=(const DataFileReader&) = delete;

  // The first step opens the file, each further one reads a block of it.
  // Failed: Reason() says why and the file is closed.
  Stand Step();
  void Close();
  bool Opened() const { return opened_; }
  const std::filesystem::path& File() const { return file_; }
  // Lines of a record's length (13 or 14 characters), in file order.
  const std::vector<std::string>& Records() const { return records_; }
  // Lines of any other length.
  std::size_t Others() const { return others_; }
  const std::string& Reason() const { return reason_; }

 private:
  Stand Open();
  Stand Fail(const std::string& reason);

  std::filesystem::path file_;
  int fd_ = -1;
  bool opened_ = false;
  unsigned long long left_ = 0;  // bytes still to read of what the file held when opened
  LineSplitter splitter_;
  std::vector<std::string> records_;
  std::size_t others_ = 0;
  std::string reason_;
};

// The records of what reader read, in file order; the lines that were none
// (of another length, or not a record's shape) are added to passedOver.
std::vector<RunRecord> RunRecordsOf(const DataFileReader& reader, std::size_t* passedOver);

// The memory of a data file by its name's first letter; nothing for a letter
// no memory has.
const MemoryRow* MemoryRowOf(const std::filesystem::path& file);

}  // namespace rx
