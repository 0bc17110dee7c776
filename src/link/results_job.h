// A results sheet of one results file, or of a 1st and a 2nd run combined,
// on a printer or in a PDF, or its table as a CSV file. The files are read
// as the print reads them (regular files only, a block per step, bounded);
// the sheet is laid out once the printer tells its page, and handed over
// only whole.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/command_job.h"
#include "platform/page_printer.h"

namespace rx {

class DataFileReader;
class PageSink;
class TextOutputJob;

struct ResultsRequest {
  std::filesystem::path first;                // a 1st- or 2nd-run results file
  std::optional<std::filesystem::path> plus;  // the 2nd run to add to first
  // Pages on a printer or in a PDF, unless csv names the CSV file to write.
  PageTarget pages;
  std::optional<std::filesystem::path> csv;
  std::string printed;  // when the sheet is made, for its heading: "2026-12-07 21:50"
};

// The memory title of a results file by its name ("１本目リザルト"); nothing
// when its letter is no results memory's.
std::optional<std::string> ResultsTitleOf(const std::filesystem::path& file);
// What a refused file is told: the kinds that can be ranked.
std::string NotAResultsFile(const std::filesystem::path& file);

class ResultsJob : public CommandJob {
 public:
  ResultsJob(PagePrinter& printer, ResultsRequest request);
  ~ResultsJob() override;
  Stand Step() override;
  void Stop() override;
  std::string Notice() const override;

 private:
  enum class Phase { Check, Read, Print, Over };
  Stand Check();
  Stand Read();
  Stand Lay();
  std::vector<std::filesystem::path> Inputs() const;

  PagePrinter& printer_;
  ResultsRequest request_;
  Phase phase_ = Phase::Check;
  std::vector<std::unique_ptr<DataFileReader>> readers_;
  std::vector<std::string> lines_;  // the sheet, once laid out
  std::unique_ptr<PageSink> sink_;
  std::unique_ptr<TextOutputJob> job_;
  std::size_t passedOver_ = 0;  // lines that are no record
};

}  // namespace rx
