#include "data/data_file.h"

#include <unistd.h>


namespace rx {

bool OpenLineFile(OpenDataFileSlot& file, const std::filesystem::path& path, bool forWriting) {
  CloseLineFile(file);
  file.handle = std::fopen(path.c_str(), forWriting ? "wb" : "rb");
  file.writing = forWriting;
  return file.handle != nullptr;
}

bool WriteLine(OpenDataFileSlot& file, const std::string& text) {
  if (file.handle == nullptr || !file.writing) return false;
  std::string line = text + "\r\n";
  bool written = std::fwrite(line.data(), 1, line.size(), file.handle) == line.size();
  return std::fflush(file.handle) == 0 && written;
}

bool CloseLineFile(OpenDataFileSlot& file) {
  bool kept = true;
  if (file.handle != nullptr) {
    if (file.writing) kept = std::fflush(file.handle) == 0 && fsync(fileno(file.handle)) == 0;
    kept = std::fclose(file.handle) == 0 && kept;
  }
  file = {};
  return kept;
}

bool OpenDataFile(Terminal& t, bool forWriting, const std::string& name) {
  CloseDataFile(t);
  Form& f = t.form;
  f.RecordCount = 0;
  std::filesystem::path path = t.dataDirectory / name;
  if (name.empty() || !OpenLineFile(t.dataFile, path, forWriting)) {
    f.FileNo = -1;
    f.FilePath.clear();
    return false;
  }
  f.FileNo = 1;
  f.FilePath = path.string();
  return true;
}

bool WriteDataLine(Terminal& t, const std::string& text) { return WriteLine(t.dataFile, text); }

bool ReadDataLine(Terminal& t, std::string* line) {
  std::FILE* handle = t.dataFile.handle;
  if (handle == nullptr || t.dataFile.writing) return false;
  line->clear();
  int c;
  while ((c = std::fgetc(handle)) != EOF) {
    if (c == '\n') break;
    line->push_back(static_cast<char>(c));
  }
  if (c == EOF && line->empty()) return false;
  if (!line->empty() && line->back() == '\r') line->pop_back();
  return true;
}

std::size_t ReadDataBlock(Terminal& t, char* buffer, std::size_t size) {
  std::FILE* handle = t.dataFile.handle;
  if (handle == nullptr || t.dataFile.writing) return 0;
  return std::fread(buffer, 1, size, handle);
}

void CloseDataFile(Terminal& t) {
  CloseLineFile(t.dataFile);
  t.form.FileNo = -1;
}

std::size_t CharacterCount(const std::string& text) {
  std::size_t count = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++count;  // continuation bytes of UTF-8 do not start a character
  return count;
}

}  // namespace rx
