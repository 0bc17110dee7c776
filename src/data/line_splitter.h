// Cuts a data file into lines as its bytes come in, block by block, so a file
// of any size (a wrongly chosen 50 MB file, one line without an end) is read
// in bounded steps. Only lines short enough to be records are kept whole; a
// longer one is counted but never held.
#pragma once

#include <cstddef>
#include <string>

namespace rx {

class LineSplitter {
 public:
  // Calls take(line) for every line ended in bytes, without its end (CR LF,
  // LF or CR), as ReadDataLine gives them; lines longer than any record
  // come as a text longer than a record, not as themselves.
  template <typename Take>
  void Feed(const char* bytes, std::size_t count, Take&& take) {
    for (std::size_t i = 0; i < count; ++i) {
      char c = bytes[i];
      const bool afterCr = afterCr_;
      afterCr_ = c == '\r';
      if (c == '\n' && afterCr) continue;  // the LF of a CR LF, maybe in the next block
      if (c == '\n' || c == '\r') {
        Emit(take);
        continue;
      }
      started_ = true;
      if (line_.size() < kLongestKept)
        line_.push_back(c);
      else
        overlong_ = true;
    }
  }
  // The last line, when the file does not end in a line end.
  template <typename Take>
  void Finish(Take&& take) {
    if (started_) Emit(take);
  }

 private:
  // A record is 14 characters at most; anything past 15 cannot be one.
  static constexpr std::size_t kLongestKept = 15;

  template <typename Take>
  void Emit(Take& take) {
    if (overlong_) line_.push_back('+');  // longer than kept, so never a record
    take(line_);
    line_.clear();
    overlong_ = false;
    started_ = false;
  }

  std::string line_;
  bool overlong_ = false;
  bool started_ = false;
  bool afterCr_ = false;  // the last byte fed was a CR
};

}  // namespace rx
