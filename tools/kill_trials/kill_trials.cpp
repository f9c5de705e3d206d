// hiyomi-kill-trials: kills the saver with SIGKILL at a random moment of its
// save, again and again, and checks after each kill that every data file is
// whole: its old content or its new one, never a mix, and that a file with
// new content has its old one as ".bak".
//   hiyomi-kill-trials TRIALS [--wine SAVER.EXE] [--full-disk] [--dir DIR]
// Natively the saver is hiyomi-kill-saver beside this program (the POSIX
// seam); with --wine it is the Windows build run by wine (the Win32 seam),
// and the wine process is what is killed. --full-disk instead saves once
// into a tmpfs too small for the save, which must fail with the message
// and leave the old files whole.
#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "schedule/data_file.h"
#include "schedule/year_store.h"
#include "tests/fuzz/fuzz_support.h"
#include "tools/kill_trials/save_trial.h"

namespace fs = std::filesystem;
using namespace hiyomi;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr char kCreateFailed[] = "データファイル作成に失敗しました。　　";
// <chrono> does not build with the CP932 literals: plain microseconds.
constexpr int64_t kStartLimitUs = 60'000'000;

int64_t NowUs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<int64_t>(t.tv_sec) * 1'000'000 + t.tv_nsec / 1000;
}

struct Expected {
  std::map<std::string, Bytes> before;
  std::map<std::string, Bytes> after;
};

std::map<std::string, Bytes> Snapshot(fuzzing::MemoryFiles& files) {
  std::map<std::string, Bytes> out;
  for (const std::string& name : trials::TrialFileNames()) {
    auto it = files.files.find(files.FullPath(name));
    if (it != files.files.end()) out[name] = it->second;
  }
  return out;
}

Expected MakeExpected() {
  fuzzing::MemoryFiles files;
  fuzzing::SilentPrompts prompts;
  Expected e;
  if (!trials::WriteOldState(files)) std::abort();
  e.before = Snapshot(files);
  if (!trials::SaveNewState(files, prompts)) std::abort();
  e.after = Snapshot(files);
  return e;
}

bool ReadFile(const fs::path& path, Bytes& out) {
  std::error_code error;
  const uintmax_t size = fs::file_size(path, error);
  if (error) return false;
  // One byte more, to see a file that grew.
  return SystemDataFiles().ReadWhole(path.string(), static_cast<size_t>(size) + 1, out);
}

enum Outcome { kOld, kNew, kMissing, kTorn, kOutcomes };
const char* const kOutcomeNames[kOutcomes] = {"old", "new", "missing", "torn"};

Outcome Classify(const fs::path& path, const Bytes* before, const Bytes* after) {
  Bytes bytes;
  if (!ReadFile(path, bytes)) return kMissing;
  if (before != nullptr && bytes == *before) return kOld;
  if (after != nullptr && bytes == *after) return kNew;
  return kTorn;
}

const Bytes* Find(const std::map<std::string, Bytes>& m, const std::string& name) {
  auto it = m.find(name);
  return it == m.end() ? nullptr : &it->second;
}

void Reset(const fs::path& dir) {
  fs::remove_all(dir);
  fs::create_directories(dir);
}

bool WriteOldStateIn(const fs::path& dir) {
  const fs::path here = fs::current_path();
  fs::current_path(dir);
  const bool ok = trials::WriteOldState(SystemDataFiles());
  fs::current_path(here);
  return ok;
}

struct Saver {
  std::string program;
  bool wine = false;
};

pid_t StartSaver(const Saver& saver, const fs::path& dir) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (chdir(dir.c_str()) != 0) _exit(127);
  const int null = open("/dev/null", O_RDWR);
  dup2(null, 1);
  dup2(null, 2);
  if (saver.wine) {
    execlp("wine", "wine", saver.program.c_str(), static_cast<char*>(nullptr));
  } else {
    execl(saver.program.c_str(), saver.program.c_str(), static_cast<char*>(nullptr));
  }
  _exit(127);
}

enum class Start { kReady, kFinished, kFailed };

// Waits for the ready flag. A busy machine may not look again until the
// saver has made its whole save and ended: it is reaped then (kFinished)
// and must not be killed, its process id may already be another's.
Start WaitReady(pid_t pid, const fs::path& dir) {
  const int64_t end = NowUs() + kStartLimitUs;
  while (NowUs() < end) {
    if (fs::exists(dir / trials::kReadyFlag)) return Start::kReady;
    int status;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      return fs::exists(dir / trials::kReadyFlag) ? Start::kFinished : Start::kFailed;
    }
    usleep(200);
  }
  return Start::kFailed;
}

// One uncut save: how long the saver takes from its ready flag to its saved
// flag, which sets the window the kills fall in.
int64_t Calibrate(const Saver& saver, const fs::path& dir) {
  Reset(dir);
  if (!WriteOldStateIn(dir)) return 0;
  const pid_t pid = StartSaver(saver, dir);
  if (WaitReady(pid, dir) != Start::kReady) return 0;
  const int64_t start = NowUs();
  while (!fs::exists(dir / trials::kSavedFlag)) usleep(100);
  const int64_t took = NowUs() - start;
  int status;
  waitpid(pid, &status, 0);
  return took;
}

int KillTrials(int count, const Saver& saver, const fs::path& dir) {
  const Expected expected = MakeExpected();
  const std::vector<std::string> names = trials::TrialFileNames();
  const int64_t window = Calibrate(saver, dir);
  if (window <= 0) {
    std::fprintf(stderr, "kill-trials: the saver did not run\n");
    return 2;
  }
  std::mt19937 rng(std::random_device{}());
  int outcomes[8][kOutcomes] = {};
  int cutShort = 0, tempLeft = 0, failures = 0;
  for (int trial = 0; trial < count; ++trial) {
    Reset(dir);
    if (!WriteOldStateIn(dir)) {
      std::fprintf(stderr, "kill-trials: could not write the old state\n");
      return 2;
    }
    const pid_t pid = StartSaver(saver, dir);
    const Start start = WaitReady(pid, dir);
    if (start == Start::kFailed) {
      std::fprintf(stderr, "kill-trials: trial %d: the saver did not start\n", trial);
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      return 2;
    }
    if (start == Start::kReady) {
      // Anywhere in the save, and a little past it.
      usleep(static_cast<useconds_t>(rng() % (window * 6 / 5 + 1)));
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    if (saver.wine) {
      // The server closes the killed process's handles; wait for it.
      usleep(50000);
    }
    if (!fs::exists(dir / trials::kSavedFlag)) ++cutShort;
    bool temp = false;
    for (size_t i = 0; i < names.size(); ++i) {
      temp = temp || fs::exists(dir / TemporaryNameFor(names[i]));
    }
    if (temp) ++tempLeft;

    Outcome got[8];
    for (size_t i = 0; i < names.size(); ++i) {
      got[i] = Classify(dir / names[i], Find(expected.before, names[i]), Find(expected.after, names[i]));
      ++outcomes[i][got[i]];
    }
    // A data file is whole (old or new); the one backed up holds the old
    // content as ".bak" once it has the new one.
    for (size_t i = 0; i < names.size(); ++i) {
      const bool backup = names[i].ends_with(".bak");
      if (!backup && got[i] != kOld && got[i] != kNew) {
        std::fprintf(stderr, "trial %d: %s is %s\n", trial, names[i].c_str(), kOutcomeNames[got[i]]);
        ++failures;
      }
      if (backup && got[i - 1] == kNew && got[i] != kNew) {
        std::fprintf(stderr, "trial %d: %s is %s beside a new data file\n", trial, names[i].c_str(),
                     kOutcomeNames[got[i]]);
        ++failures;
      }
    }
  }
  std::printf("%d trials (%s seam), save window %lld us; kills inside the save %d, "
              "with a temporary file left %d\n",
              count, saver.wine ? "Win32" : "POSIX", static_cast<long long>(window), cutShort,
              tempLeft);
  for (size_t i = 0; i < names.size(); ++i) {
    std::printf("  %-16s", names[i].c_str());
    for (int o = 0; o < kOutcomes; ++o) std::printf(" %s %d", kOutcomeNames[o], outcomes[i][o]);
    std::printf("\n");
  }
  std::printf("%d passed, %d failed\n", failures == 0 ? 1 : 0, failures == 0 ? 0 : 1);
  return failures == 0 ? 0 : 1;
}

class TellingPrompts : public UserPrompts {
 public:
  void Tell(const char* text) noexcept override { told.emplace_back(text); }
  bool AskYesNo(const char*) noexcept override { return false; }
  std::vector<std::string> told;
};

// The save into a filesystem with room for the old files and little more.
int FullDisk(const fs::path& dir) {
  const Expected expected = MakeExpected();
  size_t oldBytes = 0;
  for (const auto& [name, bytes] : expected.before) oldBytes += bytes.size();
  Reset(dir);
  const std::string size = "size=" + std::to_string((oldBytes + 64 * 1024) / 4096 * 4096);
  if (mount("tmpfs", dir.c_str(), "tmpfs", 0, size.c_str()) != 0) {
    std::printf("full disk: tmpfs could not be mounted (%s)\n", std::strerror(errno));
    return 77;
  }
  int failures = 0;
  const fs::path here = fs::current_path();
  fs::current_path(dir);
  TellingPrompts prompts;
  const bool oldWritten = trials::WriteOldState(SystemDataFiles());
  const bool saved = oldWritten && trials::SaveNewState(SystemDataFiles(), prompts);
  fs::current_path(here);
  if (!oldWritten) {
    std::printf("full disk: the old state did not fit\n");
    ++failures;
  }
  if (saved) {
    std::printf("full disk: the save reported success\n");
    ++failures;
  }
  bool toldFailure = false;
  for (const std::string& t : prompts.told) toldFailure = toldFailure || t == kCreateFailed;
  if (!toldFailure) {
    std::printf("full disk: the year file's failure was not told\n");
    ++failures;
  }
  for (const std::string& name : trials::TrialFileNames()) {
    const Outcome got = Classify(dir / name, Find(expected.before, name), Find(expected.after, name));
    std::printf("full disk: %-16s %s\n", name.c_str(), kOutcomeNames[got]);
    if (name == YearFileName(trials::kBase, trials::kYear) && got != kOld) ++failures;
    if (!name.ends_with(".bak") && got != kOld && got != kNew) ++failures;
  }
  umount(dir.c_str());
  std::printf("%d passed, %d failed\n", failures == 0 ? 1 : 0, failures == 0 ? 0 : 1);
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  int trials = 100;
  Saver saver{fs::absolute(fs::path(argv[0]).parent_path() / "hiyomi-kill-saver").string(), false};
  bool fullDisk = false;
  // In memory where there is a tmpfs: the kills test the order of the
  // steps, and thousands of synchronous saves to a disk take long.
  const fs::path scratch = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  fs::path dir = scratch / ("hiyomi-kill-trials-" + std::to_string(getpid()));
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--wine" && i + 1 < argc) {
      saver = {fs::absolute(argv[++i]).string(), true};
    } else if (a == "--full-disk") {
      fullDisk = true;
    } else if (a == "--dir" && i + 1 < argc) {
      dir = argv[++i];
    } else {
      trials = std::atoi(argv[i]);
    }
  }
  dir = fs::absolute(dir);
  const int result = fullDisk ? FullDisk(dir) : KillTrials(trials, saver, dir);
  fs::remove_all(dir);
  return result;
}
