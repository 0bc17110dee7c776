#include "data/data_file.h"

#include <unistd.h>

#include <cerrno>

namespace rx {

bool OpenDataFile(Terminal& t, bool forWriting, const std::string& name) {
  CloseDataFile(t);
  Form& f = t.form;
  f.RecordCount = 0;
  std::filesystem::path path = t.dataDirectory / name;
  std::FILE* handle = name.empty() ? nullptr : std::fopen(path.c_str(), forWriting ? "wb" : "rb");
  if (handle == nullptr) {
    f.FileNo = -1;
    f.FilePath.clear();
    return false;
  }
  t.dataFile.handle = handle;
  t.dataFile.writing = forWriting;
  f.FileNo = 1;
  f.FilePath = path.string();
  return true;
}

bool WriteDataLine(Terminal& t, const std::string& text) {
  std::FILE* handle = t.dataFile.handle;
  if (handle == nullptr || !t.dataFile.writing) return false;
  std::string line = text + "\r\n";
  bool written = std::fwrite(line.data(), 1, line.size(), handle) == line.size();
  return std::fflush(handle) == 0 && written;
}

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

void CloseDataFile(Terminal& t) {
  if (t.dataFile.handle != nullptr) {
    if (t.dataFile.writing) {
      std::fflush(t.dataFile.handle);
      fsync(fileno(t.dataFile.handle));
    }
    std::fclose(t.dataFile.handle);
  }
  t.dataFile = {};
  t.form.FileNo = -1;
}

std::size_t CharacterCount(const std::string& text) {
  std::size_t count = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++count;  // continuation bytes of UTF-8 do not start a character
  return count;
}

}  // namespace rx
