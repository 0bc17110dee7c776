#include "data/data_file.h"

namespace rx {

bool OpenDataFile(Terminal& t, FileAccess access, const std::string& name) {
  CloseDataFile(t);
  t.form.StoredCount = 0;
  return !name.empty() && t.dataFile.Open(t.dataDirectory / name, access);
}

bool WriteDataLine(Terminal& t, const std::string& text) { return t.dataFile.WriteLine(text); }

bool ReadDataLine(Terminal& t, std::string* line) { return t.dataFile.ReadLine(line); }

std::size_t ReadDataBlock(Terminal& t, char* buffer, std::size_t size) {
  return t.dataFile.ReadBlock(buffer, size);
}

bool CloseDataFile(Terminal& t) { return t.dataFile.Close(); }

std::size_t CharacterCount(const std::string& text) {
  std::size_t count = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++count;  // continuation bytes of UTF-8 do not start a character
  return count;
}

}  // namespace rx
