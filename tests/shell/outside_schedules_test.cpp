// The editor slots and the Notrik watch on their worker threads, under
// Wine: the command line an editor gets, one editor per slot, the list
// handed to the window's thread when the editor or Notrik ends, and stops
// that end at once.
#include "shell/outside_schedules_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "base/text.h"
#include "shell/program_objects_win.h"
#include "tests/schedule/notrik_records.h"
#include "tests/shell/main_window_fixture.h"

namespace hiyomi {
namespace {

// Processes the workers start: the command line is kept and an event that
// the test sets stands for the process.
HANDLE gate = nullptr;
std::vector<std::string> started;

HANDLE FakeStart(const char* commandLine) {
  started.emplace_back(commandLine);
  HANDLE copy = nullptr;
  DuplicateHandle(GetCurrentProcess(), gate, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS);
  return copy;
}

void WriteFile(const std::string& path, const std::string& text) {
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
}

// The list a worker posts, taken on this thread as the window takes it.
OutsideList WaitForList(OutsideSchedules& outside, HWND window) {
  for (int waited = 0; waited < 10000; waited += 10) {
    MSG message;
    if (PeekMessageA(&message, window, kOutsideListMessage, kOutsideListMessage, PM_REMOVE)) {
      return TakeOutsideList(outside, message.wParam, message.lParam);
    }
    Sleep(10);
  }
  return OutsideList::kNone;
}

bool WaitUntil(bool (*done)(const OutsideSchedules&), const OutsideSchedules& outside) {
  for (int waited = 0; waited < 5000; waited += 10) {
    if (done(outside)) return true;
    Sleep(10);
  }
  return false;
}

class OutsideWorkers : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { folder_ = hiyomi_test::OpenProgramIn("hiyomi-outside-test"); }
  static void TearDownTestSuite() { hiyomi_test::CloseProgram(); }
  void SetUp() override {
    gate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    started.clear();
    SetProcessStarterForTests(FakeStart);
    window_ = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    SetProcessStarterForTests(nullptr);
    DestroyWindow(window_);
    CloseHandle(gate);
  }

  static std::string folder_;
  HWND window_ = nullptr;
};
std::string OutsideWorkers::folder_;

TEST_F(OutsideWorkers, AnEditorWithoutCommandIsNotepadAndItsEndReadsTheFile) {
  const TemporarySource source = TemporarySourceOf(MainSettings(), Program().categories, SystemDataFiles());
  EXPECT_EQ(source.path, folder_ + "\\Hiyomi_Data.dat");
  WriteFile(source.path, "$20261215\r\n臨時の予定\r\nT=0xFF\r\n");
  const std::string command = EditorCommandLine("", source.path);

  OutsideSchedules outside;
  ASSERT_TRUE(RunEditor(outside, window_, 1, command, source));
  EXPECT_TRUE(EditorRunning(outside, 1));
  EXPECT_FALSE(RunEditor(outside, window_, 1, command, source));  // one per slot
  ASSERT_TRUE(WaitUntil([](const OutsideSchedules&) { return !started.empty(); }, outside));
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0], "notepad.exe " + folder_ + "\\Hiyomi_Data.dat");
  EXPECT_TRUE(outside.temporary.empty());  // nothing read while the editor is open

  SetEvent(gate);  // the editor ends
  ASSERT_EQ(WaitForList(outside, window_), OutsideList::kTemporary);
  EXPECT_EQ(outside.temporaryRead, ReadOutcome::kRead);
  ASSERT_EQ(outside.temporary.size(), 1u);
  EXPECT_STREQ(outside.temporary[0].text, "臨時の予定");
  EXPECT_EQ(outside.temporary[0].textColor, 0xFF);
  EXPECT_TRUE(WaitUntil([](const OutsideSchedules& o) { return !EditorRunning(o, 1); }, outside));
  EXPECT_TRUE(RunEditor(outside, window_, 1, command, source));  // free again
  ResetEvent(gate);
}

TEST_F(OutsideWorkers, LeavingStopsTheEditorWaitsAtOnce) {
  const TemporarySource source = TemporarySourceOf(MainSettings(), Program().categories, SystemDataFiles());
  DWORD stopped = 0;
  {
    auto outside = std::make_unique<OutsideSchedules>();
    ASSERT_TRUE(RunEditor(*outside, window_, 1, "editor one", source));
    ASSERT_TRUE(RunEditor(*outside, window_, 2, "editor two", source));
    ASSERT_TRUE(WaitUntil([](const OutsideSchedules&) { return started.size() == 2; }, *outside));
    const DWORD start = GetTickCount();
    outside.reset();  // the editors stay open
    stopped = GetTickCount() - start;
  }
  EXPECT_LT(stopped, 1000u);
  MSG message;
  EXPECT_FALSE(PeekMessageA(&message, window_, kOutsideListMessage, kOutsideListMessage, PM_REMOVE));
}

TEST_F(OutsideWorkers, TheWatchEndsWithNotrikAndReadsItsList) {
  const std::string program = folder_ + "\\Notrik.exe";
  WritePrivateProfileStringA("Default", "Section", "Default", (folder_ + "\\Notrik.ini").c_str());
  WritePrivateProfileStringA("Default", "file", "list", (folder_ + "\\Notrik.ini").c_str());
  std::vector<uint8_t> bytes;
  testing::AppendNotrikRecord(bytes, {.text = "買い物", .kind = 1, .due = 9500});
  WriteFile(folder_ + "\\list.dat", std::string(bytes.begin(), bytes.end()));
  auto options = std::make_unique<Options>(AppOptions());
  options->Notrik = 1;
  CopyText(options->NotrikDir, program.c_str(), sizeof options->NotrikDir);

  OutsideSchedules outside;
  // Not running, not launched: nothing to watch.
  EXPECT_EQ(WatchNotrik(outside, window_, *options, false), WatchStart::kStarted);
  ASSERT_EQ(WaitForList(outside, window_), OutsideList::kToDo);
  EXPECT_TRUE(outside.due.Items().empty());
  EXPECT_FALSE(NotrikWatched(outside));

  HANDLE notrik = CreateMutexA(nullptr, TRUE, "Notrik");  // Notrik runs
  ASSERT_EQ(WatchNotrik(outside, window_, *options, false), WatchStart::kStarted);
  EXPECT_TRUE(NotrikWatched(outside));
  EXPECT_EQ(WatchNotrik(outside, window_, *options, true), WatchStart::kBroughtForward);
  EXPECT_TRUE(started.empty());
  ReleaseMutex(notrik);  // Notrik ends
  ASSERT_EQ(WaitForList(outside, window_), OutsideList::kToDo);
  ASSERT_EQ(outside.due.Items().size(), 1u);
  EXPECT_STREQ(outside.due.Items()[0].text, "買い物");
  EXPECT_TRUE(WaitUntil([](const OutsideSchedules& o) { return !NotrikWatched(o); }, outside));

  // Stopped while Notrik still runs: at once, and nothing more is read.
  WaitForSingleObject(notrik, 0);
  ASSERT_EQ(WatchNotrik(outside, window_, *options, false), WatchStart::kStarted);
  const DWORD start = GetTickCount();
  StopNotrikWatch(outside);
  EXPECT_LT(GetTickCount() - start, 1000u);
  EXPECT_FALSE(NotrikWatched(outside));
  ReleaseMutex(notrik);
  CloseHandle(notrik);

  // Launched when it does not run: the program itself is started.
  ASSERT_EQ(WatchNotrik(outside, window_, *options, true), WatchStart::kStarted);
  ASSERT_TRUE(WaitUntil([](const OutsideSchedules&) { return !started.empty(); }, outside));
  EXPECT_EQ(started[0], "\"" + program + "\"");
  SetEvent(gate);
  EXPECT_EQ(WaitForList(outside, window_), OutsideList::kToDo);

  options->Notrik = 0;
  EXPECT_EQ(WatchNotrik(outside, window_, *options, true), WatchStart::kInactive);
}

}  // namespace
}  // namespace hiyomi
