// Runs a fuzz target without the fuzzer over the files (not ".*") under the
// directories named, in name order: the seeds and kept crashes are tests in every build.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i)
    for (const auto& entry : fs::recursive_directory_iterator(argv[i]))
      if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
        inputs.push_back(entry.path());
  std::sort(inputs.begin(), inputs.end());
  // A seed corpus that vanished must not pass as a test that ran.
  if (inputs.empty()) return std::fprintf(stderr, "no inputs to replay\n"), 1;
  for (const fs::path& input : inputs) {
    std::fprintf(stderr, "%s\n", input.c_str());  // the last one named is the culprit of a crash
    const std::string bytes = rx::fuzz::ContentOf(input);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("replayed %zu inputs\n", inputs.size());
  return 0;
}
