#include "link/csv_export.h"

#include "data/csv.h"
#include "data/memories.h"
#include "data/results.h"
#include "link/whole_file.h"

namespace rx {

CsvExport::CsvExport(std::filesystem::path file, std::filesystem::path csv)
    : reader_(std::move(file)), csv_(std::move(csv)) {}

void CsvExport::Stop() {
  reader_.Close();
  if (!over_ && reason_.empty()) reason_ = "stopped";
  over_ = true;
}

std::string CsvExport::Notice() const { return PassedOverNotice(passedOver_); }

CsvExport::Stand CsvExport::Step() {
  if (over_) return reason_.empty() ? Stand::Done : Stand::Failed;
  auto fail = [this](const std::string& reason) {
    reason_ = reason;
    Stop();
    return Stand::Failed;
  };
  if (SameFile(csv_, reader_.File()))
    return fail("the CSV " + csv_.string() + " is that file itself; it is left as it is");
  switch (reader_.Step()) {
    case DataFileReader::Stand::Working: return Stand::Working;
    case DataFileReader::Stand::Failed: return fail(reader_.Reason());
    case DataFileReader::Stand::Done: break;
  }
  std::vector<RunRecord> records;
  passedOver_ = reader_.Others();
  for (const std::string& line : reader_.Records()) {
    if (std::optional<RunRecord> record = ParseRunRecord(line))
      records.push_back(std::move(*record));
    else
      ++passedOver_;
  }
  if (records.empty()) return fail("it holds no record lines");
  const std::string name = reader_.File().filename().string();
  const MemoryRow* row = name.empty() ? nullptr : RowOfFile(name.front());
  if (!WriteWholeFile(csv_, DataFileCsv(row ? row->title : "", records), {reader_.File()}, &reason_))
    return fail(reason_);
  over_ = true;
  return Stand::Done;
}

}  // namespace rx
