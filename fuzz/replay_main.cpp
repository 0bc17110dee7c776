// Runs a fuzz target without the fuzzer over the files in the directories
// (or the files) named, in name order: the seeds and every crash found stay
// tests in every build. Names beginning with "." or "README" are notes.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  auto take = [&](const fs::path& path) {
    const std::string name = path.filename().string();
    if (!name.empty() && name[0] != '.' && name.rfind("README", 0) != 0) inputs.push_back(path);
  };
  for (int i = 1; i < argc; ++i) {
    if (fs::is_directory(argv[i])) {
      for (const fs::directory_entry& entry : fs::recursive_directory_iterator(argv[i]))
        if (entry.is_regular_file()) take(entry.path());
    } else if (fs::is_regular_file(argv[i])) {
      take(argv[i]);
    }
  }
  std::sort(inputs.begin(), inputs.end());
  if (inputs.empty()) {  // a seed corpus that vanished must not pass as a test that ran
    std::fprintf(stderr, "no inputs to replay\n");
    return 1;
  }
  for (const fs::path& input : inputs) {
    std::fprintf(stderr, "%s\n", input.c_str());  // the last one named is the culprit of a crash
    const std::string bytes = rx::fuzz::ContentOf(input);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("replayed %zu inputs\n", inputs.size());
  return 0;
}
