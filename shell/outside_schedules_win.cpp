#include "shell/outside_schedules_win.h"

#include <cstring>
#include <memory>

#include "almanac/dates.h"
#include "base/text.h"
#include "schedule/records.h"

namespace hiyomi {

namespace {

constexpr DWORD kWaitStepMs = 1000;
constexpr DWORD kExitPollMs = 10;
constexpr WPARAM kTemporaryList = 0;
constexpr WPARAM kToDoList = 1;
constexpr char kNotrikName[] = "Notrik";  // its mutex, window class and title
constexpr int kIniValueSize = 261;

HANDLE StartProcess(const char* commandLine) {
  std::string command = commandLine;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &info)) {
    return nullptr;
  }
  CloseHandle(info.hThread);
  return info.hProcess;
}

ProcessStarter processStarter = StartProcess;

// What a worker posts. An editor's worker posts TemporaryRead as it is; the
// watch marks a to-do list it could not read.
struct ToDoResult {
  bool read = false;
  std::vector<DueItem> items;
};

void WaitUntilEnded(const std::atomic<int>& mark) {
  while (mark.load() >= 0) Sleep(kExitPollMs);
}

// Waits in one-second steps while the mark stays set and the handle is not
// signalled. True when the handle was signalled (a mutex is then owned).
bool WaitWhileMarked(HANDLE handle, HANDLE wake, const std::atomic<int>& mark) {
  const HANDLE handles[] = {handle, wake};
  while (mark.load() > 0) {
    const DWORD result = WaitForMultipleObjects(2, handles, FALSE, kWaitStepMs);
    if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED_0) return true;
    if (result == WAIT_FAILED) return false;
  }
  return false;
}

// A worker's result goes to the window's thread, or is dropped when the
// window is gone.
template <typename Result>
void Post(HWND notify, WPARAM which, std::unique_ptr<Result> result) {
  if (PostMessageA(notify, kOutsideListMessage, which, reinterpret_cast<LPARAM>(result.get()))) {
    result.release();
  }
}

// A worker's last step. The mark says ended before the list is posted, so
// the window, taking the list, paints the button as no longer pressed;
// posted first, the list could be taken while the mark still said running.
// Nothing of the program's objects is touched after the mark: the exit
// waits only for it.
template <typename Result>
void EndWorker(std::atomic<int>& mark, HWND notify, WPARAM which, std::unique_ptr<Result> result) {
  mark.store(kMarkEnded);
  if (result) Post(notify, which, std::move(result));
}

struct EditorJob {
  OutsideSchedules* outside;
  HWND notify;
  int slot;
  std::string commandLine;
  TemporarySource source;
};

DWORD WINAPI EditorThread(void* parameter) {
  std::unique_ptr<EditorJob> job(static_cast<EditorJob*>(parameter));
  std::atomic<int>& mark = job->outside->editorMarks[job->slot - 1];
  const HANDLE process = processStarter(job->commandLine.c_str());
  if (process != nullptr) {
    WaitWhileMarked(process, job->outside->wake, mark);
    CloseHandle(process);
  }
  std::unique_ptr<TemporaryRead> result;
  // Asked to stop, the program is leaving: nothing more to read.
  if (mark.load() > 0) result = std::make_unique<TemporaryRead>(ReadTemporaryFile(SystemDataFiles(), job->source));
  const HWND notify = job->notify;
  job.reset();
  EndWorker(mark, notify, kTemporaryList, std::move(result));
  return 0;
}

struct WatchJob {
  OutsideSchedules* outside;
  HWND notify;
  bool launch;
  std::string programPath;
};

DWORD WINAPI WatchThread(void* parameter) {
  std::unique_ptr<WatchJob> job(static_cast<WatchJob*>(parameter));
  std::atomic<int>& mark = job->outside->notrikMark;
  HANDLE watched = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kNotrikName);
  const bool isMutex = watched != nullptr;
  if (!isMutex && job->launch) watched = processStarter(("\"" + job->programPath + "\"").c_str());
  const bool hadWatch = watched != nullptr;
  if (hadWatch) {
    const bool signalled = WaitWhileMarked(watched, job->outside->wake, mark);
    if (signalled && isMutex) ReleaseMutex(watched);
    CloseHandle(watched);
  }
  std::unique_ptr<ToDoResult> result;
  // Nothing watched, only the button's look goes back: an empty result.
  if (mark.load() > 0) result = std::make_unique<ToDoResult>();
  if (result && hadWatch) {
    std::vector<uint8_t> bytes;
    const std::string path = NotrikDataFile(job->programPath);
    result->read = SystemDataFiles().ReadWhole(path, kNotrikReadLimit, bytes) &&
                   ParseDueItems(bytes, TodaySerial(), result->items);
  }
  const HWND notify = job->notify;
  job.reset();
  EndWorker(mark, notify, kToDoList, std::move(result));
  return 0;
}

template <typename Job>
bool StartWorker(LPTHREAD_START_ROUTINE routine, std::unique_ptr<Job> job) {
  HANDLE thread = CreateThread(nullptr, 0, routine, job.get(), 0, nullptr);
  if (thread == nullptr) return false;
  job.release();
  CloseHandle(thread);
  return true;
}

}  // namespace

OutsideSchedules::OutsideSchedules() : wake(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  for (std::atomic<int>& mark : editorMarks) mark.store(kMarkEnded);
}

OutsideSchedules::~OutsideSchedules() {
  for (std::atomic<int>& mark : editorMarks) {
    int running = kMarkRunning;
    mark.compare_exchange_strong(running, kMarkStop);
  }
  if (wake != nullptr) SetEvent(wake);
  for (const std::atomic<int>& mark : editorMarks) WaitUntilEnded(mark);
  StopNotrikWatch(*this);
  if (wake != nullptr) CloseHandle(wake);
}

TemporarySource TemporarySourceOf(SettingsStore& store, const CategoryTable& categories,
                                  DataFiles& files) {
  TemporarySource source;
  char path[kPathTextSize];
  store.ReadString("TDFile", "", path, sizeof path, kDefaultSection);
  source.path = path[0] != '\0' ? std::string(path) : files.FullPath(kDefaultTemporaryFile);
  source.category = store.ReadInt("TDType", "0", 0, kCategoryCount - 1, kDefaultSection);
  source.memoPage = store.ReadInt("TDMemo", "0", 0, 3);
  source.colors = TemporaryDefaultColors(store.ReadColor("TDTxtColor", -1), store.ReadColor("TDBkColor", -1),
                                         categories.TextColorOf(source.category),
                                         categories.BackColorOf(source.category));
  return source;
}

TemporaryRead ReadTemporaryFile(DataFiles& files, const TemporarySource& source) {
  TemporaryRead read;
  std::vector<uint8_t> bytes;
  read.outcome = files.Read(source.path, kTemporaryReadLimit, bytes);
  if (read.outcome == ReadOutcome::kRead) read.items = ParseTemporarySchedules(bytes, source.colors);
  return read;
}

int CopyTemporaryItemsToDays(std::span<const TemporaryItem> items, int category, YearStore& years) {
  int added = 0;
  for (const TemporaryItem& item : ListedTemporaryItems(items)) {
    if (item.serial > kLastSerial) continue;
    ScheduleEntry entry{};
    entry.order = 1;
    entry.category = static_cast<uint8_t>(category);
    std::memcpy(entry.text, item.text, sizeof entry.text);
    entry.textColor = item.textColor;
    entry.backColor = item.backColor;
    entry.mark = 0;
    entry.span = 0;
    if (years.AddEntryToDay(item.serial, entry, AddMode::SkipDuplicates)) ++added;
  }
  return added;
}

bool RunEditor(OutsideSchedules& outside, HWND notify, int slot, const std::string& commandLine,
               const TemporarySource& source) {
  if (slot < 1 || slot > kEditorSlots) return false;
  std::atomic<int>& mark = outside.editorMarks[slot - 1];
  if (mark.load() >= 0) return false;  // still running, or still ending
  mark.store(kMarkRunning);
  auto job = std::make_unique<EditorJob>(EditorJob{&outside, notify, slot, commandLine, source});
  if (!StartWorker(EditorThread, std::move(job))) {
    mark.store(kMarkEnded);
    return false;
  }
  return true;
}

bool EditorRunning(const OutsideSchedules& outside, int slot) {
  return slot >= 1 && slot <= kEditorSlots && outside.editorMarks[slot - 1].load() > 0;
}

std::string NotrikProgramPath(const Options& options, DataFiles& files) {
  if (options.NotrikDir[0] != '\0') return options.NotrikDir;
  return files.FullPath(".") + "\\Notrik.exe";
}

std::string NotrikDataFile(const std::string& programPath) {
  const std::string ini = NotrikIniPath(programPath.c_str());
  if (ini.empty()) return "";
  char section[kIniValueSize];
  char file[kIniValueSize];
  GetPrivateProfileStringA("Default", "Section", "Default", section, sizeof section, ini.c_str());
  GetPrivateProfileStringA(section, "file", "Notrik", file, sizeof file, ini.c_str());
  return NotrikDataPath(programPath.c_str(), file);
}

bool LoadDueItems(OutsideSchedules& outside, const Options& options, DataFiles& files,
                  SerialDay reference) {
  const std::string path = NotrikDataFile(NotrikProgramPath(options, files));
  if (path.empty()) return false;
  return outside.due.Load(files, path, reference);
}

WatchStart WatchNotrik(OutsideSchedules& outside, HWND notify, const Options& options,
                       bool launch) {
  if (!NotrikLinkUsable(options)) return WatchStart::kInactive;
  if (outside.notrikMark.load() > 0) {
    if (HWND window = FindWindowA(kNotrikName, kNotrikName)) SetForegroundWindow(window);
    return WatchStart::kBroughtForward;
  }
  // A watch still ending after its stop.
  WaitUntilEnded(outside.notrikMark);
  outside.notrikMark.store(kMarkRunning);
  auto job = std::make_unique<WatchJob>(
      WatchJob{&outside, notify, launch, NotrikProgramPath(options, SystemDataFiles())});
  if (!StartWorker(WatchThread, std::move(job))) {
    outside.notrikMark.store(kMarkEnded);
    return WatchStart::kInactive;
  }
  return WatchStart::kStarted;
}

bool NotrikWatched(const OutsideSchedules& outside) { return outside.notrikMark.load() > 0; }

void StopNotrikWatch(OutsideSchedules& outside) {
  int running = kMarkRunning;
  if (!outside.notrikMark.compare_exchange_strong(running, kMarkStop)) return;
  if (outside.wake != nullptr) SetEvent(outside.wake);
  WaitUntilEnded(outside.notrikMark);
  if (outside.wake != nullptr) ResetEvent(outside.wake);
}

OutsideList TakeOutsideList(OutsideSchedules& outside, WPARAM which, LPARAM list) {
  if (which == kTemporaryList) {
    std::unique_ptr<TemporaryRead> result(reinterpret_cast<TemporaryRead*>(list));
    if (result) outside.TakeTemporary(std::move(*result));
    return OutsideList::kTemporary;
  }
  if (which == kToDoList) {
    std::unique_ptr<ToDoResult> result(reinterpret_cast<ToDoResult*>(list));
    if (result && result->read) outside.due.Take(std::move(result->items));
    return OutsideList::kToDo;
  }
  return OutsideList::kNone;
}

void SetProcessStarterForTests(ProcessStarter starter) {
  processStarter = starter != nullptr ? starter : StartProcess;
}

}  // namespace hiyomi
