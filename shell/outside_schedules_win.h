// The two outside sources of dated items: the temporary-schedule file with
// its two editor slots, and the Notrik to-do list with its watch. Editors
// and the watch run on worker threads that only read their new list and
// post it to the window; the window's thread swaps it in.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "schedule/categories.h"
#include "schedule/data_file.h"
#include "schedule/notrik.h"
#include "schedule/temporary_schedules.h"
#include "schedule/year_store.h"
#include "settings/options.h"
#include "settings/settings_store.h"

namespace hiyomi {

// Posted to the window by a worker: wParam says which list, lParam holds it
// (TakeOutsideList frees it).
inline constexpr UINT kOutsideListMessage = WM_APP + 14;

inline constexpr int kEditorSlots = 2;
// Worker marks: positive running, 0 asked to stop, -1 ended.
inline constexpr int kMarkRunning = 1;
inline constexpr int kMarkStop = 0;
inline constexpr int kMarkEnded = -1;

// Where the temporary items come from, as the settings say now.
struct TemporarySource {
  std::string path;
  TemporaryColors colors;
  int category = 0;  // TDType: given to copied items
  int memoPage = 0;  // TDMemo: 1-3 the memo page that follows the file
};

// The file's items, none when it was not read whole, and how the read went.
struct TemporaryRead {
  ReadOutcome outcome = ReadOutcome::kNotOpened;
  std::vector<TemporaryItem> items;
};

// The editor slots and the Notrik to-do list, for the whole run.
class OutsideSchedules {
 public:
  OutsideSchedules();
  // Asks the editor threads to stop and waits until they have; an editor
  // still open is left running.
  ~OutsideSchedules();
  OutsideSchedules(const OutsideSchedules&) = delete;
  OutsideSchedules& operator=(const OutsideSchedules&) = delete;

  // The list shown and how its file read.
  void TakeTemporary(TemporaryRead read) {
    temporary = std::move(read.items);
    temporaryRead = read.outcome;
  }
  std::vector<TemporaryItem> temporary;
  ReadOutcome temporaryRead = ReadOutcome::kNotOpened;
  DueList due;
  std::atomic<int> editorMarks[kEditorSlots];
  std::atomic<int> notrikMark{kMarkEnded};
  HANDLE wake = nullptr;  // set once at exit: every wait ends at once
};

TemporarySource TemporarySourceOf(SettingsStore& store, const CategoryTable& categories,
                                  DataFiles& files);
TemporaryRead ReadTemporaryFile(DataFiles& files, const TemporarySource& source);
// Every listed item into its day, skipping what the day already holds.
// The number of items added.
int CopyTemporaryItemsToDays(std::span<const TemporaryItem> items, int category, YearStore& years);

// Starts editor slot 1 or 2 with the command line on a worker thread,
// which posts the file's items to `notify` when the editor ends. False,
// doing nothing, while that slot's editor still runs.
bool RunEditor(OutsideSchedules& outside, HWND notify, int slot, const std::string& commandLine,
               const TemporarySource& source);
bool EditorRunning(const OutsideSchedules& outside, int slot);

// The Notrik program NotrikDir names (Notrik.exe in the current folder
// when empty) and its data file, found through Notrik's ini file.
std::string NotrikProgramPath(const Options& options, DataFiles& files);
std::string NotrikDataFile(const std::string& programPath);
// Re-reads the to-do list when its file or the reference day changed.
bool LoadDueItems(OutsideSchedules& outside, const Options& options, DataFiles& files,
                  SerialDay reference);

enum class WatchStart : uint8_t { kInactive, kBroughtForward, kStarted };
// Watches a running Notrik (or, with launch, starts it first) on a worker
// thread, which posts the to-do list when it ends. When a watch runs
// already, brings Notrik's window to the front instead.
WatchStart WatchNotrik(OutsideSchedules& outside, HWND notify, const Options& options,
                       bool launch);
bool NotrikWatched(const OutsideSchedules& outside);
// Asks the watch to end and waits, in 10 ms sleeps, until it has.
void StopNotrikWatch(OutsideSchedules& outside);

enum class OutsideList : uint8_t { kNone, kTemporary, kToDo };
// Swaps a posted list in (nothing when the worker could not read one); says
// which source it came from. A temporary list comes with its read's outcome
// in temporaryRead.
OutsideList TakeOutsideList(OutsideSchedules& outside, WPARAM which, LPARAM list);

// Starting processes goes through here so tests can see the command line
// without opening an editor.
using ProcessStarter = HANDLE (*)(const char* commandLine);
void SetProcessStarterForTests(ProcessStarter starter);

}  // namespace hiyomi
