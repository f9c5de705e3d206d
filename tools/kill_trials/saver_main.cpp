// hiyomi-kill-saver: makes the trial's one save in the current folder
// through the system's data-file seam, between two flag files, so that the
// trial driver knows when to start its clock. `--old` writes the old state.
#include <cstdio>
#include <cstring>

#include "schedule/data_file.h"
#include "tools/kill_trials/save_trial.h"

namespace {

class PrintedPrompts : public hiyomi::UserPrompts {
 public:
  void Tell(const char* text) noexcept override { std::fprintf(stderr, "told: %s\n", text); }
  bool AskYesNo(const char* text) noexcept override {
    std::fprintf(stderr, "asked: %s\n", text);
    return false;
  }
};

void Flag(const char* name) {
  if (std::FILE* f = std::fopen(name, "wb")) std::fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace hiyomi;
  if (argc > 1 && std::strcmp(argv[1], "--old") == 0) {
    return trials::WriteOldState(SystemDataFiles()) ? 0 : 1;
  }
  PrintedPrompts prompts;
  Flag(trials::kReadyFlag);
  const bool ok = trials::SaveNewState(SystemDataFiles(), prompts);
  Flag(trials::kSavedFlag);
  return ok ? 0 : 1;
}
