#include "data/csv.h"

namespace rx {

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string CsvRow(const std::vector<std::string>& fields) {
  std::string row;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) row += ',';
    row += CsvField(fields[i]);
  }
  return row + "\r\n";
}

std::string DataFileCsv(const std::string& memoryTitle, const std::vector<RunRecord>& records) {
  std::string csv(kUtf8Mark);
  csv += CsvRow({"memory", "block", "block letter", "Bib No.", "time", "seconds"});
  for (const RunRecord& record : records)
    csv += CsvRow({memoryTitle, std::to_string(record.block), std::string(1, record.blockLetter),
                   record.bib, record.timeless ? "" : DeviceTimeText(record.time),
                   record.timeless ? "" : SecondsText(record.time)});
  return csv;
}

}  // namespace rx
