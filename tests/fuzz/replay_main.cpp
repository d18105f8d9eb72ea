// Runs a fuzz target over saved inputs, so every corpus is also an ordinary
// test in every build: replay FILE_OR_FOLDER...
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool Replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) {
    fprintf(stderr, "replay: cannot read %s\n", file.string().c_str());
    return false;
  }
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  size_t count = 0;
  for (int i = 1; i < argc; ++i) {
    std::filesystem::path root(argv[i]);
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(root)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else {
      files.push_back(root);
    }
    for (const auto& file : files) {
      if (!Replay(file)) return 1;
      ++count;
    }
  }
  if (count == 0) {
    fprintf(stderr, "replay: no inputs\n");
    return 1;
  }
  printf("replayed %zu inputs\n", count);
  return 0;
}
