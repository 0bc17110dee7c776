// A data file read or written line by line. Lines end in CR LF when written;
// a reader takes CR LF, a bare LF or a bare CR as one line end (files edited
// by hand come with any of them). A line written is flushed at once, so a
// crash keeps every line already written, and the file is synced to disk when
// it closes. Closing happens at the latest when the object goes.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace rx {

enum class FileAccess { Read, Write };

class LineFile {
 public:
  LineFile() = default;
  ~LineFile() { Close(); }
  LineFile(const LineFile&) = delete;
  LineFile& operator=(const LineFile&) = delete;

  // Closes what was open, then opens path: for writing (created or emptied)
  // or for reading.
  bool Open(const std::filesystem::path& path, FileAccess access);
  // Creates path for writing; false when anything by that name exists.
  bool Create(const std::filesystem::path& path);
  bool IsOpen() const { return handle_ != nullptr; }

  // text and CR LF; false when nothing is open for writing or the line did
  // not reach the file (disk full, directory gone).
  bool WriteLine(const std::string& text);

  // The next line without its line end; false at the end or on a read error.
  // A line longer than any record comes as a text longer than a record (its
  // first 15 characters and '+'), never held whole.
  bool ReadLine(std::string* line);

  // Up to size bytes as they are; 0 at the end or on a read error.
  std::size_t ReadBlock(char* buffer, std::size_t size);

  // False when what was written did not all reach the disk.
  bool Close();

 private:
  static constexpr std::size_t kLongestKept = 15;  // a record is 14 characters at most

  std::FILE* handle_ = nullptr;
  bool writing_ = false;
};

}  // namespace rx
