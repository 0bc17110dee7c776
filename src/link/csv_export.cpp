#include "link/csv_export.h"

#include "data/csv.h"
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
  // Told before the file is read; WriteWholeFile checks it again when it writes.
  if (!reader_.Opened() && SameFile(csv_, reader_.File()))
    return Fail("the CSV " + csv_.string() + " is that file itself; it is left as it is");
  switch (reader_.Step()) {
    case DataFileReader::Stand::Working: return Stand::Working;
    case DataFileReader::Stand::Failed: return Fail(reader_.Reason());
    case DataFileReader::Stand::Done: break;
  }
  const std::vector<RunRecord> records = RunRecordsOf(reader_, &passedOver_);
  if (records.empty()) return Fail("it holds no record lines");
  const MemoryRow* row = MemoryRowOf(reader_.File());
  if (!WriteWholeFile(csv_, DataFileCsv(row ? row->title : "", records), {reader_.File()}, &reason_))
    return Fail(reason_);
  over_ = true;
  return Stand::Done;
}

}  // namespace rx
