// A bounded stand-in for libFuzzer's driver, for the test command: replays
// every file of the target's corpus folder (the seeds and the inputs that
// once crashed it), then feeds it a fixed number of inputs made from its
// tokens and random bytes, then cut, changed and grown. Same seed, same
// inputs.
//   target RUNS [CORPUS_DIR]
//   target --write-seeds DIR    writes the seeds made from the tokens
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
std::vector<std::string> FuzzTokens();

namespace {

void Run(const std::string& input) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

// One seed per token and one of them all, in order: small files a long run
// starts from.
int WriteSeeds(const char* dir) {
  const std::vector<std::string> tokens = FuzzTokens();
  std::filesystem::create_directories(dir);
  std::string all;
  for (size_t i = 0; i <= tokens.size(); ++i) {
    const std::string& seed = i < tokens.size() ? tokens[i] : all;
    char name[32];
    std::snprintf(name, sizeof name, "seed-%02zu", i);
    std::ofstream(std::filesystem::path(dir) / name, std::ios::binary) << seed;
    if (i < tokens.size()) all += seed;
  }
  return 0;
}

long Replay(const char* dir) {
  long count = 0;
  if (!std::filesystem::is_directory(dir)) return 0;
  for (const auto& file : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(file.path(), std::ios::binary);
    Run(std::string(std::istreambuf_iterator<char>(in), {}));
    ++count;
  }
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::strcmp(argv[1], "--write-seeds") == 0) return WriteSeeds(argv[2]);
  const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 5000;
  const long replayed = argc > 2 ? Replay(argv[2]) : 0;
  const std::vector<std::string> tokens = FuzzTokens();
  std::mt19937 rng(20261210);
  auto below = [&rng](size_t n) { return n == 0 ? size_t{0} : static_cast<size_t>(rng() % n); };
  std::string input;
  for (long run = 0; run < runs; ++run) {
    input.clear();
    const size_t pieces = below(12);
    for (size_t p = 0; p < pieces; ++p) {
      if (below(4) == 0) {
        const size_t count = below(64);
        for (size_t i = 0; i < count; ++i) input += static_cast<char>(rng());
      } else {
        input += tokens[below(tokens.size())];
      }
    }
    const size_t changes = below(8);
    for (size_t c = 0; c < changes && !input.empty(); ++c) {
      input[below(input.size())] = static_cast<char>(rng());
    }
    if (below(3) == 0 && !input.empty()) input.resize(below(input.size() + 1));
    Run(input);
  }
  std::printf("%ld corpus files, %ld inputs\n", replayed, runs);
  return 0;
}
