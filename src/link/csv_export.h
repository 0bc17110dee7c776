// Any data file as a CSV table for spreadsheets: a row per record (memory,
// block, block letter, Bib No., the time as the device writes it and in
// seconds), put in place only whole. Lines that are no record are left out
// and counted.
#pragma once

#include <filesystem>
#include <string>

#include "link/command_job.h"
#include "link/data_file_reader.h"

namespace rx {

class CsvExport : public CommandJob {
 public:
  CsvExport(std::filesystem::path file, std::filesystem::path csv);
  Stand Step() override;
  void Stop() override;
  std::string Notice() const override;

 private:
  DataFileReader reader_;
  std::filesystem::path csv_;
  bool over_ = false;
  std::size_t passedOver_ = 0;
};

}  // namespace rx
