#include "data/line_file.h"

#include <unistd.h>

namespace rx {

bool LineFile::Open(const std::filesystem::path& path, FileAccess access) {
  Close();
  writing_ = access == FileAccess::Write;
  handle_ = std::fopen(path.c_str(), writing_ ? "wb" : "rb");
  return handle_ != nullptr;
}

bool LineFile::Create(const std::filesystem::path& path) {
  Close();
  handle_ = std::fopen(path.c_str(), "wbx");  // x: fails when the name exists
  writing_ = true;
  return handle_ != nullptr;
}

bool LineFile::WriteLine(const std::string& text) {
  if (handle_ == nullptr || !writing_) return false;
  std::string line = text + "\r\n";
  bool written = std::fwrite(line.data(), 1, line.size(), handle_) == line.size();
  return std::fflush(handle_) == 0 && written;
}

bool LineFile::ReadLine(std::string* line) {
  if (handle_ == nullptr || writing_) return false;
  line->clear();
  bool overlong = false;
  int c;
  while ((c = std::getc(handle_)) != EOF) {
    if (c == '\n' || c == '\r') {
      if (c == '\r') {
        int next = std::getc(handle_);
        if (next != '\n' && next != EOF) std::ungetc(next, handle_);  // CR LF is one line end
      }
      break;
    }
    // A file without line ends (a wrong file, endless zeros) is not held whole.
    if (line->size() < kLongestKept)
      line->push_back(static_cast<char>(c));
    else
      overlong = true;
  }
  if (overlong) line->push_back('+');  // longer than kept, so never a record
  return c != EOF || !line->empty();
}

std::size_t LineFile::ReadBlock(char* buffer, std::size_t size) {
  if (handle_ == nullptr || writing_) return 0;
  return std::fread(buffer, 1, size, handle_);
}

bool LineFile::Close() {
  if (handle_ == nullptr) return true;
  bool kept = true;
  if (writing_) kept = std::fflush(handle_) == 0 && fsync(fileno(handle_)) == 0;
  kept = std::fclose(handle_) == 0 && kept;
  handle_ = nullptr;
  writing_ = false;
  return kept;
}

}  // namespace rx
