// Runs a fuzz target over saved inputs, without the fuzzer: every regular
// file in the directories (or the files) named on the command line, in name
// order. This is how the seed corpus and every crash found so far stay
// tests in every build. Names beginning with "." or "README" are notes, not
// inputs. A directory that does not exist holds nothing yet.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

namespace {

bool IsNote(const fs::path& path) {
  std::string name = path.filename().string();
  return name.empty() || name[0] == '.' || name.rfind("README", 0) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    fs::path given = argv[i];
    std::error_code error;
    if (fs::is_directory(given, error)) {
      for (const fs::directory_entry& entry : fs::recursive_directory_iterator(given))
        if (entry.is_regular_file() && !IsNote(entry.path())) inputs.push_back(entry.path());
    } else if (fs::is_regular_file(given, error)) {
      inputs.push_back(given);
    } else {
      std::fprintf(stderr, "%s: nothing there yet\n", given.c_str());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  if (inputs.empty()) {
    // A seed corpus that vanished must not pass as a test that ran.
    std::fprintf(stderr, "no inputs to replay\n");
    return 1;
  }
  for (const fs::path& input : inputs) {
    std::fprintf(stderr, "%s\n", input.c_str());  // the last one named is the culprit of a crash
    std::ifstream in(input, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("replayed %zu inputs\n", inputs.size());
  return 0;
}
