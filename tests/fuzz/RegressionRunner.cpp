// Runs a fuzz target's entry point once over every file of the folders given
// on the command line (the committed corpus and the inputs that once made it
// fail), so the ordinary sanitizer build replays them without libFuzzer.
//
//   fuzz_<name>_inputs FOLDER...
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::size_t Ran = 0;
  for (int A = 1; A < argc; ++A) {
    const fs::path Folder(argv[A]);
    if (!fs::is_directory(Folder)) continue;
    std::vector<fs::path> Files;
    for (const fs::directory_entry& E : fs::directory_iterator(Folder))
      if (E.is_regular_file()) Files.push_back(E.path());
    std::sort(Files.begin(), Files.end());
    for (const fs::path& F : Files) {
      std::ifstream In(F, std::ios::binary);
      const std::vector<char> Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
      if (!In.eof() && In.fail()) {
        std::fprintf(stderr, "cannot read %s\n", F.string().c_str());
        return 1;
      }
      std::fprintf(stderr, "%s\n", F.string().c_str());  // the input that fails is the last one named
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(Bytes.data()), Bytes.size());
      ++Ran;
    }
  }
  std::printf("%zu inputs ran\n", Ran);
  return Ran > 0 ? 0 : 1;
}
