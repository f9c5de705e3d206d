// The data-file seam on real files, in whichever system the tree targets.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "schedule/data_file.h"
#include "schedule/undated_list.h"
#include "schedule/year_store.h"
#include "schedule_fixtures.h"
#include "settings/memory_backend.h"
#include "settings/settings_store.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

TEST(DataFiles, OperationsOnRealFiles) {
  ScratchDir dir("DataFiles");
  DataFiles& files = SystemDataFiles();
  const std::string a = dir.File("a.dat"), b = dir.File("b.dat");
  Bytes out;
  EXPECT_FALSE(files.ReadWhole(a, 100, out));
  EXPECT_FALSE(files.Exists(a));
  int64_t time = 0;
  EXPECT_FALSE(files.LastWriteTime(a, time));

  auto w = files.CreateWriteThrough(a);
  ASSERT_TRUE(w);
  EXPECT_TRUE(w->Write("hello", 5));
  EXPECT_TRUE(w->Close());
  w.reset();
  ASSERT_TRUE(files.ReadWhole(a, 3, out));
  EXPECT_EQ(out, Bytes({'h', 'e', 'l'}));
  EXPECT_TRUE(files.LastWriteTime(a, time));

  WriteBytes(b, {1});
  EXPECT_TRUE(files.Copy(a, b));  // overwrites
  EXPECT_EQ(ReadBytes(b), Bytes({'h', 'e', 'l', 'l', 'o'}));
  WriteBytes(b, {2});
  EXPECT_TRUE(files.MoveReplace(b, a));  // replaces
  EXPECT_FALSE(files.Exists(b));
  EXPECT_EQ(ReadBytes(a), Bytes({2}));
  EXPECT_TRUE(files.Remove(a));
  EXPECT_FALSE(files.Exists(a));
}

// A read that does not bring the file's size whole is told apart from a
// file that is not there, and leaves nothing half read behind.
TEST(DataFiles, AReadCutShortIsToldAndGivesNothing) {
  struct Case {
    const char* name;
    uint64_t size;
    size_t limit;
    std::vector<int64_t> reads;  // what each read gives; -1 fails
    ReadOutcome outcome;
    size_t bytes;
  } cases[] = {
      {"in pieces", 5, 100, {3, 2}, ReadOutcome::kRead, 5},
      {"up to the limit", 5, 4, {4}, ReadOutcome::kRead, 4},
      {"empty", 0, 100, {}, ReadOutcome::kRead, 0},
      {"ends early", 5, 100, {3, 0}, ReadOutcome::kCutShort, 0},
      {"read fails", 5, 100, {3, -1}, ReadOutcome::kCutShort, 0},
  };
  for (const Case& c : cases) {
    size_t next = 0;
    Bytes out{9};
    const ReadOutcome outcome = ReadOpenedFile(c.size, c.limit, out, [&](uint8_t* into, size_t want) {
      const int64_t n = next < c.reads.size() ? c.reads[next++] : 0;
      if (n > 0) std::fill(into, into + std::min<size_t>(static_cast<size_t>(n), want), 'x');
      return n;
    });
    EXPECT_EQ(outcome, c.outcome) << c.name;
    EXPECT_EQ(out.size(), c.bytes) << c.name;
  }

  ScratchDir dir("DataFilesRead");
  Bytes out;
  EXPECT_EQ(SystemDataFiles().Read(dir.File("none.dat"), 100, out), ReadOutcome::kNotOpened);
  // A kernel file that says 4096 bytes and holds a line.
#ifdef _WIN32
  const char kShortFile[] = "Z:\\sys\\kernel\\mm\\transparent_hugepage\\enabled";
#else
  const char kShortFile[] = "/sys/kernel/mm/transparent_hugepage/enabled";
#endif
  if (!SystemDataFiles().Exists(kShortFile)) GTEST_SKIP() << "no " << kShortFile;
  EXPECT_EQ(SystemDataFiles().Read(kShortFile, 1 << 20, out), ReadOutcome::kCutShort);
  EXPECT_TRUE(out.empty());
}

TEST(DataFiles, SaveKeepsBackupAndNeedsNoOldFile) {
  ScratchDir dir("DataFilesSave");
  DataFiles& files = SystemDataFiles();
  const std::string path = dir.File("memo.mem"), backup = dir.File("memo.bak");
  const Bytes first = {1, 2, 3}, second = {4};
  const std::span<const uint8_t> one[] = {first}, two[] = {second};
  ASSERT_TRUE(SaveDataFile(files, path, backup, one));
  EXPECT_FALSE(dir.Has("memo.bak"));
  ASSERT_TRUE(SaveDataFile(files, path, backup, two));
  EXPECT_EQ(ReadBytes(path), second);
  EXPECT_EQ(ReadBytes(backup), first);
  EXPECT_FALSE(files.Exists(TemporaryNameFor(path)));
  // No folder to write in: false, nothing left behind.
  EXPECT_FALSE(SaveDataFile(files, dir.File("none/x.dat"), "", one));
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(dir.File("")))
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"memo.bak", "memo.mem"}));
}

// The older backup is replaced only by a whole copy, put in place in one
// step: a save killed during the copy leaves the older backup as it was.
TEST(DataFiles, BackupIsReplacedInOneStep) {
  ScratchDir dir("DataFilesBackup");
  LoggingFiles files(SystemDataFiles());
  const std::string path = dir.File("memo.mem"), backup = dir.File("memo.bak");
  const Bytes older = {9, 9}, old = {1, 2, 3}, fresh = {4};
  WriteBytes(backup, older);
  WriteBytes(path, old);
  const std::span<const uint8_t> pieces[] = {fresh};
  ASSERT_TRUE(SaveDataFile(files, path, backup, pieces));
  EXPECT_EQ(files.log, (std::vector<std::string>{"move memo.bak.new memo.bak", "move memo.mem.new memo.mem"}));
  EXPECT_EQ(ReadBytes(backup), old);
  EXPECT_EQ(ReadBytes(path), fresh);
}

TEST(DataFiles, BaseNameFromSettings) {
  SettingsStore store;
  auto backend = std::make_unique<MemorySettingsBackend>();
  MemorySettingsBackend* memory = backend.get();
  store.Attach(std::move(backend), "Profile");
  EXPECT_EQ(ReadDataFileSetting(store), "Hiyomi");
  memory->Write("Profile", "file", "Mine");
  EXPECT_EQ(ReadDataFileSetting(store), "Mine");

  // A relative name lands in the current directory.
  ScriptedPrompts prompts;
  YearStore years(SystemDataFiles(), prompts);
  ASSERT_TRUE(years.Open("Mine", 2026));
  EXPECT_EQ(std::filesystem::path(years.BasePath()), std::filesystem::current_path() / "Mine");
}

#ifdef _WIN32
// Another program's handle on the file, opened with no sharing.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path)
      : h_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() { Release(); }
  bool Held() const { return h_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE h_;
};

TEST(DataFiles, FilesHeldWithNoSharingAreReadOnceLetGoAndNeverOverwritten) {
  ScratchDir dir("DataFilesHeld");
  const int32_t day = SerialOfNewYear(2026) + 1;
  const Bytes year = YearFileBytes({{1, day, {{.text = "kept"}}}});
  Bytes undated(3200, 0);
  const Bytes entry = EntryBytes({.text = "kept"});
  std::copy(entry.begin(), entry.end(), undated.begin());
  WriteBytes(YearFileName(dir.Base(), 2026), year);
  WriteBytes(UndatedFileName(dir.Base()), undated);
  HeldFile heldYear(YearFileName(dir.Base(), 2026));
  HeldFile heldUndated(UndatedFileName(dir.Base()));
  ASSERT_TRUE(heldYear.Held() && heldUndated.Held());

  ScriptedPrompts prompts;
  YearStore years(SystemDataFiles(), prompts);
  ASSERT_TRUE(years.Open(dir.Base(), 2026));
  UndatedList list(SystemDataFiles(), prompts);
  list.LoadUndated(years.BasePath());
  DayRecord fresh = FreshDayRecord(day + 1);
  fresh.entries[0] = MakeEntry("new");
  EXPECT_EQ(years.StoreDayRecord(fresh, fresh.serial, {}).outcome, StoreOutcome::Failed);
  EXPECT_FALSE(list.ReadyForChanges());
  EXPECT_TRUE(list.SaveUndated());
  EXPECT_EQ(prompts.told.size(), 2u);

  heldYear.Release();
  heldUndated.Release();
  EXPECT_EQ(ReadBytes(YearFileName(dir.Base(), 2026)), year);
  EXPECT_EQ(ReadBytes(UndatedFileName(dir.Base())), undated);
  EXPECT_FALSE(dir.Has("Hiyomi_2026.bad") || dir.Has("Hiyomi_0000.bad"));
  EXPECT_EQ(years.StoreDayRecord(fresh, fresh.serial, {}).outcome, StoreOutcome::Stored);
  EXPECT_EQ(ReadBytes(YearFileName(dir.Base(), 2026)),
            YearFileBytes({{1, day, {{.text = "kept"}}}, {2, day + 1, {{.text = "new"}}}}));
  ASSERT_TRUE(list.ReadyForChanges());
  EXPECT_STREQ(list.entries[0].text, "kept");
}
#endif

}  // namespace
}  // namespace hiyomi
