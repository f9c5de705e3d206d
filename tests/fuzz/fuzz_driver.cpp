// A bounded stand-in for libFuzzer's driver, for the test command: feeds a
// fuzz target a fixed number of inputs made from its tokens and random
// bytes, then cut, changed and grown. Same seed, same inputs.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
std::vector<std::string> FuzzTokens();

int main(int argc, char** argv) {
  const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 5000;
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
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
  }
  std::printf("%ld inputs\n", runs);
  return 0;
}
