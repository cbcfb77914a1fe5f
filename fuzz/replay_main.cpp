// Replays inputs through a fuzz target without libFuzzer, so that the ordinary build (and its
// sanitizers) runs the inputs that once failed with every test run.
//
//   <target>_replay PATH...
//
// Hands the empty input, then every file named (a folder: every file in it, in name order) to
// the target's LLVMFuzzerTestOneInput, each in a buffer of exactly its size. A target that
// finds a broken promise aborts; a path that cannot be read fails the run.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Runs one input from a heap block of exactly its size, so that a read past its end is seen.
void RunInput(const std::vector<char>& bytes) {
  const auto block = std::make_unique<std::uint8_t[]>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), block.get());
  LLVMFuzzerTestOneInput(block.get(), bytes.size());
}

bool RunFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
  if (in.bad()) return false;
  std::cout << "replay " << path.string() << " (" << bytes.size() << " bytes)" << std::endl;
  RunInput(bytes);
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  RunInput({});
  int inputs = 1;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path = argv[i];
    std::error_code ec;
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(path, ec)) {
      for (const auto& entry : std::filesystem::directory_iterator(path, ec)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
      std::sort(files.begin(), files.end());
    } else {
      files.push_back(path);
    }
    if (ec) {
      std::cerr << "cannot read " << path.string() << ": " << ec.message() << "\n";
      return 1;
    }
    for (const auto& file : files) {
      if (!RunFile(file)) {
        std::cerr << "cannot read " << file.string() << "\n";
        return 1;
      }
      ++inputs;
    }
  }
  std::cout << inputs << " inputs replayed, no promise broken\n";
  return 0;
}
