#include "data/file_list.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

#include "data/data_file.h"
#include "shell/highlight.h"

namespace rx {

namespace {

char Fold(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool Match(const char* name, const char* pattern) {
  if (*pattern == '\0') return *name == '\0';
  if (*pattern == '*') return Match(name, pattern + 1) || (*name != '\0' && Match(name + 1, pattern));
  if (*name == '\0') return false;
  if (*pattern == '?' || Fold(*pattern) == Fold(*name)) return Match(name + 1, pattern + 1);
  return false;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Fold(x) < Fold(y); });
}

// A name of the data files' shape: 8 characters, ".", 3 characters.
bool HasDataFileShape(const std::string& name) {
  return CharacterCount(name) == 12 && name.size() == 12 && name[8] == '.';
}

}  // namespace

bool MatchesPattern(const std::string& name, const std::string& pattern) {
  if (pattern == "*.*") return true;
  return Match(name.c_str(), pattern.c_str());
}

namespace {

// The lists of all-blocks and one-block files leave room for the range menu
// above them: fewer cells, and the frame that much lower.
constexpr int kShortListCells = 33;
constexpr int kShortListDrop = 2295;  // twips

}  // namespace

void ListDataFiles(Terminal& t, FileListing kind) {
  Form& f = t.form;
  const bool full = kind == FileListing::AllBlocks || kind == FileListing::OneBlock;
  const char* pattern = kind == FileListing::AllBlocks         ? "*.C*"
                        : kind == FileListing::FirstRunResults ? "F*.*"
                                                               : "*.*";
  f.FileListMax = full ? kShortListCells : kFileCells;
  f.fraFile.height = f.fraKey.height - (full ? kShortListDrop : 0);
  f.fraFile.top = f.fraMenu[MenuFrame::Main].top + (full ? kShortListDrop : 0);
  // Every cell is cleared, not only the capacity: a longer list shown before
  // must not leave names below a shorter one.
  for (std::string& name : f.FileNames) name.clear();
  for (Control& cell : f.lblFileList) {
    cell.visible = false;
    cell.caption.clear();
    Paint(cell, Shade::PlainFace);
  }
  f.FileSel = -1;
  f.FileCount = 0;

  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(t.dataDirectory, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code ignored;
    if (!it->is_regular_file(ignored)) continue;
    std::string name = it->path().filename().string();
    if (MatchesPattern(name, pattern)) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), LessIgnoringCase);

  for (const std::string& name : names) {
    if (kind == FileListing::OneBlock && name.size() >= 10 && Fold(name[9]) == 'C') continue;
    if (f.FileCount < f.FileListMax) {
      if (!HasDataFileShape(name)) continue;
      f.FileNames[f.FileCount] = name;
      Control& cell = f.lblFileList[f.FileCount];
      cell.caption = name;
      cell.visible = true;
    }
    ++f.FileCount;  // once the list is full, every further name only counts
  }
  f.lblFileG.caption = "ファイルが" + std::to_string(f.FileCount) + "個あります";
}

}  // namespace rx
