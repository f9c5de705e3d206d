#include "shell/main_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "agetable/age_table_dialog.h"
#include "almanac/clock.h"
#include "almanac/dates.h"
#include "resources/main_commands_ids.h"
#include "resources/main_dialog_ids.h"
#include "schedule/day_dialog.h"
#include "schedule/dialog_rows_win.h"
#include "schedule/password_dialog.h"
#include "schedule/undated_dialog.h"
#include "base/message_box.h"
#include "base/text.h"
#include "settings/options_sheet_win.h"
#include "settings/day_settings.h"
#include "settings/settings_store.h"
#include "base/win/ui_helpers.h"
#include "base/win/work_area.h"
#include "print/csv_dialog_win.h"
#include "print/print_dialog_win.h"
#include "print/print_settings.h"
#include "print/ical_dialog_win.h"
#include "shell/about_dialog_win.h"
#include "shell/button_row_win.h"
#include "shell/command_table.h"
#include "shell/day_tooltip_win.h"
#include "shell/help_win.h"
#include "shell/layered_window_win.h"
#include "shell/main_menus.h"
#include "shell/main_menus_win.h"
#include "shell/main_view_win.h"
#include "shell/outside_schedules_win.h"
#include "shell/program_objects_win.h"
#include "shell/tray_icon_win.h"

namespace hiyomi {

namespace {

constexpr UINT kTrayCallback = WM_USER;

struct MainWindow {
  MainView view;
  MemoArea memo;
  DayTooltip tooltip;
  const char* richEditClass = "RichEdit20A";
  ScopedHook activationHook;  // message boxes centred over their owners
  UINT taskbarCreated = 0;
  bool pickerShown = false;
};

MainWindow mainWindow;

// Centred in the work area, or where the user left it when so configured.
void PlaceWindow(HWND window) {
  const RECT area = WorkArea();
  RECT frame{};
  GetWindowRect(window, &frame);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  int x = (area.right - width) / 2;
  int y = (area.bottom - height) / 2;
  if (hiyomi::KeepsWindowPlace(AppOptions())) {
    auto& store = MainSettings();
    const int savedX = store.ReadInt("X", "-1", -1, area.right);
    const int savedY = store.ReadInt("Y", "-1", -1, area.bottom);
    const int savedW = store.ReadInt("W", "-1", -1, area.right);
    const int savedH = store.ReadInt("H", "-1", -1, area.bottom);
    if (savedX >= 0) x = savedX;
    if (savedY >= 0) y = savedY;
    if (savedW >= 0) width = savedW;
    if (savedH >= 0) height = savedH;
    // A place saved on another monitor or a larger screen must not open
    // the window out of reach.
    width = std::min(width, static_cast<int>(area.right - area.left));
    height = std::min(height, static_cast<int>(area.bottom - area.top));
    x = std::clamp(x, static_cast<int>(area.left), static_cast<int>(area.right) - width);
    y = std::clamp(y, static_cast<int>(area.top), static_cast<int>(area.bottom) - height);
  }
  SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER);
}

// The table view comes back when it was on at the last exit (with the
// window's place kept) or when the options ask for it.
bool TableViewAtStart(const Options& options) {
  if (options.Note == 1) return true;
  return KeepsWindowPlace(options) && MainSettings().ReadInt("N", "0", 0, 1) == 1;
}

void SaveViewState(HWND window) {
  if (IsMemoEditing(mainWindow.memo)) ToggleMemoEdit(mainWindow.memo);
  StopNotrikWatch(Program().outside);
  if (!KeepsWindowPlace(AppOptions())) return;
  RECT frame{};
  GetWindowRect(window, &frame);
  auto& store = MainSettings();
  store.WriteInt("X", frame.left);
  store.WriteInt("Y", frame.top);
  store.WriteInt("W", frame.right - frame.left);
  store.WriteInt("H", frame.bottom - frame.top);
  store.WriteInt("N", mainWindow.view.tableView ? 1 : 0);
}

void SetUpDatePicker(HWND window) {
  SetUpDayPicker(GetDlgItem(window, IDC_DATE_PICKER), kFirstSerial, kLastSerial, "yyy'年'MM'月'dd'日'");
}

void SetPickerDate(HWND window, SerialDay day) {
  SetPickerDay(GetDlgItem(window, IDC_DATE_PICKER), day);
}

// The picker replaces the month title while it is open.
void ShowPicker(HWND window, bool show) {
  mainWindow.pickerShown = show;
  const int pickerState = show ? SW_SHOW : SW_HIDE;
  const int titleState = show ? SW_HIDE : SW_SHOW;
  ShowWindow(GetDlgItem(window, IDC_DATE_PICKER), pickerState);
  ShowWindow(GetDlgItem(window, IDB_PICKER_OK), pickerState);
  ShowWindow(GetDlgItem(window, IDB_PICKER_CANCEL), pickerState);
  ShowWindow(GetDlgItem(window, IDB_MONTH_TITLE), titleState);
  if (AppOptions().MenuType != 0) {
    for (int id : {IDB_MONTH_BACK, IDB_MONTH_FORWARD, IDB_YEAR_BACK, IDB_YEAR_FORWARD}) {
      ShowWindow(GetDlgItem(window, id), titleState);
    }
  }
  if (show) {
    SetPickerDate(window, mainWindow.view.rows.focusDay);
    SetFocus(GetDlgItem(window, IDC_DATE_PICKER));
  }
}

void GoToPickedDate(HWND window) {
  const SerialDay day = PickerDay(GetDlgItem(window, IDC_DATE_PICKER), kNoDay);
  if (day != kNoDay) Navigate(mainWindow.view, NavigateKind::kToDay, day);
  ShowPicker(window, false);
}

void CloseForGood(HWND window) {
  TrayHide(TrayMode::kRemoveForGood, window);
  PostMessageA(window, WM_CLOSE, 0, 0);
}

void GoToToday(HWND window) {
  SetPickerDate(window, TodaySerial());
  Navigate(mainWindow.view, NavigateKind::kToday, 0);
}

void NavigateBy(NavigateKind kind, int by) { Navigate(mainWindow.view, kind, by); }

void HideToTray(HWND window) {
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  TrayHide(TrayMode::kHide, window);
}

void ToggleAlwaysOnTop(HWND window) {
  MainView& view = mainWindow.view;
  view.onTop = !view.onTop;
  SetWindowPos(window, view.onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE);
  SetDayTooltipOnTop(mainWindow.tooltip, view.onTop);
  InvalidateRect(GetDlgItem(window, IDB_TOP), nullptr, FALSE);
}

void ToggleMemo(HWND window) {
  ToggleMemoEdit(mainWindow.memo);
  LayOutMemo(mainWindow.view);
  InvalidateRect(GetDlgItem(window, IDB_MEMO), nullptr, FALSE);
}

// While browsing the memo keeps no focus: it goes to the memo button.
void OnMemoNotification(HWND window, int code) {
  constexpr int kEditGotFocus = EN_SETFOCUS;
  if (code == kEditGotFocus && !IsMemoEditing(mainWindow.memo)) {
    SetFocus(GetDlgItem(window, IDB_MEMO));
  }
}

void ShowMainMenu(HWND window);
void ShowDisplayMenu(HWND window);
void RebuildMenus();

DisplayTicks TicksOf(const MainView& view) {
  return DisplayTicks{view.displayFlags, view.zoomItem, view.tableView,
                      Program().secrets.LockState() == kUnlocked};
}

// "Secret" is ticked exactly while unlocked: choosing it then locks, and
// choosing it while locked asks for the password. Off, it does nothing.
void ToggleSecretLock(HWND window) {
  SecretTexts& secrets = Program().secrets;
  if (secrets.LockState() == kUnlocked) {
    secrets.SetLockState(kLocked);
  } else if (secrets.LockState() == kLocked) {
    RunPasswordDialog(window, false, secrets, MainSettings());
  }
}

// Either view is laid out anew, with the window sized for it.
void ToggleTableView() {
  MainView& view = mainWindow.view;
  view.tableView = !view.tableView;
  ApplyOptions(view, AppOptions());
}

void RunDisplay(HWND window, int n) {
  MainView& view = mainWindow.view;
  const Options& options = AppOptions();
  const DisplayStep step = RunDisplayCommand(n, view.displayFlags, options.Notrik != 0, options.Zoom);
  if (step.action == DisplayAction::kAgeTable) {
    RunAgeTableDialog(view.window, AgeSettings(), ReadLocalTime().year);
    return;
  }
  if (step.action == DisplayAction::kTableView) {
    ToggleTableView();
    return;
  }
  if (step.action == DisplayAction::kZoom) {
    SetZoom(view, true, step.zoom);
    view.zoomItem = step.zoomItem;
  } else if (step.action == DisplayAction::kSecret) {
    ToggleSecretLock(window);
  }
  Redraw(view);
}

// A memo page kept in the same file as the temporary schedules shows what
// was just read. A page being edited keeps the user's unsaved text.
void FollowTemporaryFile(int memoPage) {
  if (memoPage >= 1 && memoPage <= kMemoPageCount && !IsMemoEditing(mainWindow.memo)) {
    LoadMemoPage(mainWindow.memo, memoPage - 1);
    LayOutMemo(mainWindow.view);
  }
  Redraw(mainWindow.view);
}

TemporarySource CurrentTemporarySource() {
  return TemporarySourceOf(MainSettings(), Program().categories, SystemDataFiles());
}

// After the list changed: a file that would not read whole is told, with
// the list left empty and the memo page not followed.
void ShowTemporaryList(int memoPage) {
  const char* failure = TemporaryReadMessage(Program().outside.temporaryRead);
  if (failure == nullptr) {
    FollowTemporaryFile(memoPage);
    return;
  }
  Redraw(mainWindow.view);
  ShowMessage(mainWindow.view.window, MessageKind::Exclamation, failure);
}

void ReadTemporarySchedules() {
  const TemporarySource source = CurrentTemporarySource();
  Program().outside.TakeTemporary(ReadTemporaryFile(SystemDataFiles(), source));
  ShowTemporaryList(source.memoPage);
}

void CopyTemporaryItems() {
  ProgramObjects& program = Program();
  CopyTemporaryItemsToDays(program.outside.temporary, CurrentTemporarySource().category, program.years);
  Redraw(mainWindow.view);
}

void StartEditor(HWND window, int slot) {
  char configured[kEditorCommandChars + 1];
  MainSettings().ReadString(slot == 1 ? "TDEdit1" : "TDEdit2", "", configured, sizeof configured,
                            kDefaultSection);
  const TemporarySource source = CurrentTemporarySource();
  if (RunEditor(Program().outside, window, slot, EditorCommandLine(configured, source.path), source)) {
    InvalidateRect(GetDlgItem(window, IDB_EDITOR), nullptr, FALSE);
  }
}

void StartNotrik(HWND window, bool launch) {
  if (WatchNotrik(Program().outside, window, AppOptions(), launch) == WatchStart::kStarted) {
    InvalidateRect(GetDlgItem(window, IDB_NOTRIK), nullptr, FALSE);
  }
}

// A worker's list arrives: it replaces the shown one here, on the window's
// thread, between two paints.
INT_PTR OnOutsideList(HWND window, WPARAM which, LPARAM list) {
  switch (TakeOutsideList(Program().outside, which, list)) {
    case OutsideList::kTemporary:
      InvalidateRect(GetDlgItem(window, IDB_EDITOR), nullptr, FALSE);
      ShowTemporaryList(CurrentTemporarySource().memoPage);
      break;
    case OutsideList::kToDo:
      InvalidateRect(GetDlgItem(window, IDB_NOTRIK), nullptr, FALSE);
      Redraw(mainWindow.view);
      break;
    case OutsideList::kNone: break;
  }
  return 0;
}

// The to-do list follows the day the view takes as today.
void TodayTaken(SerialDay today) {
  const Options& options = AppOptions();
  if (options.Notrik != 0) LoadDueItems(Program().outside, options, SystemDataFiles(), today);
}

// Options that replace the program's: a new zoom in them is what the user
// wants to see now, and the categories follow where they are kept.
void TakeOptions(const Options& taken, bool sectionChanged) {
  MainView& view = mainWindow.view;
  Options& current = AppOptions();
  // Categories live in Default or in the section, as OptDef says.
  const bool categoriesMoved = sectionChanged || taken.OptDef != current.OptDef;
  if (taken.Zoom != current.Zoom) {
    view.zoom = std::clamp(taken.Zoom, kMinZoom, kMaxZoom);
    view.zoomItem = IDM_ZOOM_STANDARD;
  }
  current = taken;
  if (categoriesMoved) {
    LoadCategories();
    Program().categories.ApplyFilter(view.displayFlags);
  }
  if (sectionChanged) Program().printLook = LoadPrintLook(MainSettings());
  Program().outside.due.Classify(current.NotrikType);
  ReadTemporarySchedules();
  OnOptionsChanged(current);
}

// The chosen section's settings become the current section's: loaded and
// applied while it is current, then the remembered section is current
// again, so later saves write them there.
void LoadSectionOptions(int index) {
  MainView& view = mainWindow.view;
  if (index < 0 || index >= static_cast<int>(view.menus.sections.size())) return;
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  char chosen[kSectionItemTextSize];
  CopyText(chosen, view.menus.sections[index].c_str(), sizeof chosen);
  SettingsStore& store = MainSettings();
  char remembered[kSettingsSectionSize];
  CopyText(remembered, store.CurrentSection(), sizeof remembered);
  store.SelectSection(chosen, true);
  Options loaded = AppOptions();
  LoadOptions(loaded, store, chosen);
  TakeOptions(loaded, true);
  store.SelectSection(remembered, true);
  RebuildMenus();
  Redraw(view);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

// The sheet edits a copy: the program takes it when it was saved, and also
// when the sheet's profile commands made another section current, whose
// options the copy then holds.
void RunOptionsSheet(HWND window) {
  if (IsMemoEditing(mainWindow.memo)) ToggleMemo(window);  // leaving edit mode saves the page
  MainView& view = mainWindow.view;
  SettingsStore& store = MainSettings();
  char section[kSettingsSectionSize];
  CopyText(section, store.CurrentSection(), sizeof section);
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));

  ProgramObjects& program = Program();
  OptionsSheetServices services;
  services.registerPassword = [&program, &store](HWND owner) {
    RunPasswordDialog(owner, true, program.secrets, store);
  };
  services.categoryName = [&program](int category) { return program.categories.NameOf(category); };
  Options edited = AppOptions();
  OptionsDialogState state = ShowOptionsDialog(window, edited, store, services);
  const bool saved = SaveOptions(edited, store, state, window);
  const bool sectionChanged = std::strcmp(section, store.CurrentSection()) != 0;

  if (saved || sectionChanged) TakeOptions(edited, sectionChanged);
  Redraw(view);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

// The sheet starts on the first day the view shows; the table view takes
// the new look at once.
void RunPrintSettings(HWND window) {
  MainView& view = mainWindow.view;
  const Options& options = AppOptions();
  const DaySettings days = DaySettingsOf(options);
  const DayItemInputs inputs{Program().dayData, options, days, view.today, view.displayFlags};
  const PrintDialogData data{MainSettings(), Program().printLook, inputs, FirstShownDay(view)};
  if (RunPrintDialog(window, data) == 1 && view.tableView) ApplyOptions(view, options);
}

// The export reads the days as the view shows them.
void ExportCsv(HWND window) {
  const MainView& view = mainWindow.view;
  const Options& options = AppOptions();
  const DaySettings days = DaySettingsOf(options);
  const DayItemInputs inputs{Program().dayData, options, days, view.today, view.displayFlags};
  RunCsvDialog(window, CsvDialogData{inputs, MainSettings(), SystemDataFiles()});
}

void ExportIcs(HWND window) {
  const Options& options = AppOptions();
  const DaySettings days = DaySettingsOf(options);
  const DayItemInputs inputs{Program().dayData, options, days, mainWindow.view.today, kShowAll};
  RunIcsDialog(window, IcsDialogData{inputs, MainSettings(), SystemDataFiles()});
}

using MainCommand = CommandEntry<HWND>;

// Every command of the main window: its buttons, its menus, the memo pane's
// notifications and menu. Ids it does not list (Enter and Escape arrive as
// 1 and 2) do nothing.
constexpr MainCommand kMainCommandEntries[] = {
    {IDB_TODAY, IDB_TODAY, [](HWND window, int, int) { GoToToday(window); }},
    {IDB_MONTH_BACK, IDB_MONTH_BACK, [](HWND, int, int) { NavigateBy(NavigateKind::kByMonths, -1); }},
    {IDB_MONTH_FORWARD, IDB_MONTH_FORWARD, [](HWND, int, int) { NavigateBy(NavigateKind::kByMonths, 1); }},
    {IDB_YEAR_BACK, IDB_YEAR_BACK, [](HWND, int, int) { NavigateBy(NavigateKind::kByYears, -1); }},
    {IDB_YEAR_FORWARD, IDB_YEAR_FORWARD, [](HWND, int, int) { NavigateBy(NavigateKind::kByYears, 1); }},
    {IDB_DAY_BACK, IDB_DAY_BACK, [](HWND, int, int) { NavigateBy(NavigateKind::kByDays, -1); }},
    {IDB_DAY_FORWARD, IDB_DAY_FORWARD, [](HWND, int, int) { NavigateBy(NavigateKind::kByDays, 1); }},
    {IDB_DISPLAY, IDB_DISPLAY, [](HWND window, int, int) { ShowDisplayMenu(window); }},
    {IDB_MENU, IDB_MENU, [](HWND window, int, int) { ShowMainMenu(window); }},
    {IDB_PICKER_OK, IDB_PICKER_OK, [](HWND window, int, int) { GoToPickedDate(window); }},
    {IDB_PICKER_CANCEL, IDB_PICKER_CANCEL, [](HWND window, int, int) { ShowPicker(window, false); }},
    {IDB_MONTH_TITLE, IDB_MONTH_TITLE, [](HWND window, int, int) { ShowPicker(window, true); }},
    {IDB_TOP, IDB_TOP, [](HWND window, int, int) { ToggleAlwaysOnTop(window); }, nullptr,
     [](HWND, int) { return mainWindow.view.onTop; }},
    {IDB_MEMO, IDB_MEMO, [](HWND window, int, int) { ToggleMemo(window); }, nullptr,
     [](HWND, int) { return IsMemoEditing(mainWindow.memo); }},
    {IDB_NOTRIK, IDB_NOTRIK, [](HWND window, int, int) { StartNotrik(window, true); }, nullptr,
     [](HWND, int) { return NotrikWatched(Program().outside); }},
    {IDB_EDITOR, IDB_EDITOR, [](HWND window, int, int) { StartEditor(window, 1); }, nullptr,
     [](HWND, int) { return EditorRunning(Program().outside, 1); }},
    {IDM_TEMPORARY_READ, IDM_TEMPORARY_READ, [](HWND, int, int) { ReadTemporarySchedules(); }},
    {IDM_TEMPORARY_EDIT1, IDM_TEMPORARY_EDIT1, [](HWND window, int, int) { StartEditor(window, 1); }},
    {IDM_TEMPORARY_EDIT2, IDM_TEMPORARY_EDIT2, [](HWND window, int, int) { StartEditor(window, 2); }},
    {IDM_TEMPORARY_COPY, IDM_TEMPORARY_COPY, [](HWND, int, int) { CopyTemporaryItems(); }},
    {IDC_MEMO, IDC_MEMO, [](HWND window, int, int code) { OnMemoNotification(window, code); }},
    {IDM_OPTIONS, IDM_OPTIONS, [](HWND window, int, int) { RunOptionsSheet(window); }},
    {IDM_HELP, IDM_HELP, [](HWND, int, int) { ShowProgramHelp(); }},
    {IDM_ABOUT, IDM_ABOUT, [](HWND window, int, int) { ShowAbout(window, kAboutOverOwner); }},
    {IDM_ABOUT_ON_SCREEN, IDM_ABOUT_ON_SCREEN, [](HWND window, int, int) { ShowAbout(window, kAboutOnScreen); }},
    {IDM_CSV_EXPORT, IDM_CSV_EXPORT, [](HWND window, int, int) { ExportCsv(window); }},
    {IDM_PRINT_SETTINGS, IDM_PRINT_SETTINGS, [](HWND window, int, int) { RunPrintSettings(window); }},
    {IDM_ICS_EXPORT, IDM_ICS_EXPORT, [](HWND window, int, int) { ExportIcs(window); }},
    {IDM_TO_TRAY, IDM_TO_TRAY, [](HWND window, int, int) { HideToTray(window); }},
    {IDM_EXIT, IDM_EXIT, [](HWND window, int, int) { CloseForGood(window); }},
    {IDM_RESTORE, IDM_RESTORE, [](HWND window, int, int) { TrayRestore(window); }},
    {IDM_MEMO_FONT, IDM_MEMO_FONT, [](HWND, int, int) { RunMemoCommand(mainWindow.memo, IDM_MEMO_FONT); }},
    {IDM_MEMO_HIGHLIGHT, IDM_MEMO_HIGHLIGHT,
     [](HWND, int, int) { RunMemoCommand(mainWindow.memo, IDM_MEMO_HIGHLIGHT); }},
    {IDM_MEMO_PAGE_FIRST, IDM_MEMO_PAGE_LAST, [](HWND, int page, int) { LoadMemoPage(mainWindow.memo, page); },
     nullptr, [](HWND, int page) { return mainWindow.memo.current == page; }},
    {IDM_DISPLAY_FIRST, IDM_DISPLAY_LAST, [](HWND window, int n, int) { RunDisplay(window, n); },
     nullptr,
     [](HWND, int n) { return DisplayItemTicked(TicksOf(mainWindow.view), IDM_DISPLAY_FIRST + n); }},
    {IDM_SECTION_FIRST, IDM_SECTION_LAST, [](HWND, int index, int) { LoadSectionOptions(index); },
     [](HWND, int index) { return index < static_cast<int>(mainWindow.view.menus.sections.size()); },
     [](HWND, int index) { return index == mainWindow.view.menus.currentSection; }},
};
constexpr CommandTable<HWND> kMainCommands(kMainCommandEntries);
static_assert(kMainCommands.WellFormed());

void DispatchCommand(HWND window, WPARAM command) {
  kMainCommands.Run(window, LOWORD(command), HIWORD(command));
}

// A menu item shows its command's tick and is grey while the command is
// disabled or not there yet.
UINT CommandItemState(HWND window, int id) {
  UINT state = 0;
  if (kMainCommands.Ticked(window, id)) state |= MFS_CHECKED;
  if (!kMainCommands.Enabled(window, id)) state |= MFS_GRAYED;
  return state;
}

// The menu is closed before the command runs, which may open a modal
// dialog or end the program.
void TrackAndDispatch(HWND window, HMENU menu, POINT at, UINT flags) {
  const int chosen = TrackMenu(menu, window, at, flags, CommandItemState);
  if (chosen != 0) DispatchCommand(window, static_cast<WPARAM>(chosen));
}

void ShowMainMenu(HWND window) {
  TrackAndDispatch(window, mainWindow.view.menus.main.get(),
                   BelowControl(GetDlgItem(window, IDB_MENU)), TPM_LEFTALIGN | TPM_TOPALIGN);
}

// The simplified row has no "表示" button; the menu then opens below "M".
void ShowDisplayMenu(HWND window) {
  HWND button = GetDlgItem(window, IDB_DISPLAY);
  if (!IsWindowVisible(button)) button = GetDlgItem(window, IDB_MENU);
  TrackAndDispatch(window, mainWindow.view.menus.display.get(), BelowControl(button),
                   TPM_LEFTALIGN | TPM_TOPALIGN);
  Redraw(mainWindow.view);
}

void ShowTrayMenu(HWND window) {
  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow(window);
  TrackAndDispatch(window, mainWindow.view.menus.tray.get(), cursor, TPM_RIGHTBUTTON);
}

void RebuildMenus() {
  MainView& view = mainWindow.view;
  const Options& options = AppOptions();
  ProgramObjects& program = Program();
  program.secrets.FollowOption(options.Secret == 1);
  SettingsStore& store = MainSettings();
  std::vector<char> list(static_cast<size_t>(kMaxSectionItems) * kSettingsSectionSize + 1);
  const int bytes = store.ListSections(list.data(), static_cast<int>(list.size()));
  const char* categoryNames[kCategoryCount];
  for (int k = 0; k < kCategoryCount; ++k) categoryNames[k] = program.categories.NameOf(k);

  MainMenusInput input;
  input.main.menuType = options.MenuType;
  input.main.resident = options.TSR == 1;
  input.main.iniFile = store.UsesIniFile();
  input.main.notrikUsable = NotrikLinkUsable(options);
  input.main.onTop = view.onTop;
  input.main.memoEditing = IsMemoEditing(mainWindow.memo);
  input.ticks = TicksOf(view);
  input.notrikOn = options.Notrik != 0;
  input.secretOn = options.Secret == 1;
  input.categoryNames = categoryNames;
  input.sections = SectionNames(list.data(), bytes);
  input.currentSection = store.CurrentSection();
  RebuildMainMenus(view.menus, std::move(input));
}

ScheduleDialogData DialogData() {
  ProgramObjects& program = Program();
  MainView& view = mainWindow.view;
  return ScheduleDialogData{
      program.years,
      program.undated,
      program.categories,
      program.colorSets,
      program.secrets,
      MainSettings(),
      CategorySection(AppOptions().OptDef),
      [&view] {
        Program().categories.ApplyFilter(view.displayFlags);
        RebuildMenus();
      },
      [&view] { Redraw(view); },
      &program.prompts};
}

// A day cell opens the day; anywhere else the undated entries.
INT_PTR OnDoubleClick(HWND window, LPARAM lParam) {
  MainView& view = mainWindow.view;
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const SerialDay day = HitTestView(view, point, true);
  if (day != kNoDay) {
    const int result = RunDayDialog(window, day, DialogData());
    if (result > 0) {
      Navigate(view, NavigateKind::kToDay, result);
    } else {
      Redraw(view);
    }
    SetFocus(window);
  } else {
    RunUndatedDialog(window, kNoDay, DialogData());
    Redraw(view);
  }
  return 0;
}

INT_PTR OnInitDialog(HWND window) {
  MainView& view = mainWindow.view;
  SetUpDatePicker(window);
  CreateMemoArea(mainWindow.memo, window, mainWindow.richEditClass);
  view.memo = &mainWindow.memo;
  view.todayTaken = TodayTaken;
  InitView(view, window, Program().dayData);
  Program().categories.ApplyFilter(view.displayFlags);
  view.zoom = AppOptions().Zoom;
  view.printLook = &Program().printLook;
  view.tableView = TableViewAtStart(AppOptions());
  OnOptionsChanged(AppOptions());
  PlaceWindow(window);
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_HIYOMI));
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  mainWindow.activationHook = CenterMessageBoxesOnThisThread();
  // A Notrik already running is watched from the start.
  StartNotrik(window, false);
  if (MainSettings().ReadBool("TDStart", "0", kDefaultSection)) {
    StartEditor(window, 1);  // the file is read when the editor ends
  } else {
    ReadTemporarySchedules();
  }
  mainWindow.taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  TrayInit(AppOptions().TSR == 1, window, kTrayCallback);
  BuildTrayMenu(view.menus);
  CreateDayTooltip(mainWindow.tooltip, window);
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  return TRUE;
}

INT_PTR OnClose(HWND window, WPARAM wParam) {
  if (TrayHide(TrayMode::kHideWhenResident, window) != kTrayClosing) {
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
    return 0;
  }
  SaveViewState(window);
  CloseHelpWindows();
  EndDialog(window, LOWORD(wParam));
  mainWindow.activationHook.Reset();
  return 0;
}

INT_PTR OnPaint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  PaintView(mainWindow.view, dc);
  EndPaint(window, &paint);
  return 0;
}

INT_PTR OnMonthScroll(int code) {
  MainView& view = mainWindow.view;
  switch (code) {
    case SB_LINEUP: Navigate(view, NavigateKind::kByRows, -1); break;
    case SB_LINEDOWN: Navigate(view, NavigateKind::kByRows, 1); break;
    case SB_PAGEUP: Navigate(view, NavigateKind::kByMonths, -1); break;
    case SB_PAGEDOWN: Navigate(view, NavigateKind::kByMonths, 1); break;
    case SB_TOP: Navigate(view, NavigateKind::kByYears, -1); break;
    case SB_BOTTOM: Navigate(view, NavigateKind::kByYears, 1); break;
    default: break;
  }
  return 0;
}

INT_PTR OnVScroll(WPARAM wParam) {
  const int code = LOWORD(wParam);
  if (code == SB_THUMBTRACK) {
    const int current = mainWindow.view.rows.month + 1;
    const int steps = static_cast<short>(HIWORD(wParam)) - current;
    if (steps != 0) Navigate(mainWindow.view, NavigateKind::kByMonths, steps);
    return 0;
  }
  return OnMonthScroll(code);
}

INT_PTR OnMouseWheel(WPARAM wParam) {
  const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
  if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) {
    SetZoom(mainWindow.view, false, delta);
  } else if (delta > 0) {
    Navigate(mainWindow.view, NavigateKind::kByRows, -1);
  } else if (delta < 0) {
    Navigate(mainWindow.view, NavigateKind::kByRows, 1);
  }
  return 0;
}

// Toggle buttons look pressed while their command is ticked.
INT_PTR OnDrawItem(HWND window, LPARAM lParam) {
  const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  const bool ticked = kMainCommands.Ticked(window, static_cast<int>(item.CtlID));
  DrawButtonRowItem(item, mainWindow.view, AppOptions(), ticked);
  return TRUE;
}

INT_PTR OnTrayCallback(HWND window, LPARAM lParam) {
  if (lParam == WM_LBUTTONDBLCLK) {
    TrayRestore(window);
  } else if (lParam == WM_RBUTTONDOWN) {
    ShowTrayMenu(window);
  }
  return 0;
}

INT_PTR OnRightButtonDown(WPARAM wParam, LPARAM lParam) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ShowDayTooltipAt(mainWindow.tooltip, mainWindow.view, AppOptions(), point,
                   (wParam & MK_CONTROL) != 0);
  return 0;
}

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(window);
    case WM_SIZE:
      ResizeView(mainWindow.view, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_ACTIVATE:
      ApplyAlpha(window, LOWORD(wParam) != WA_INACTIVE ? AppOptions().Trns[0] : AppOptions().Trns[1]);
      return 0;
    case WM_PAINT: return OnPaint(window);
    case WM_CLOSE: return OnClose(window, wParam);
    case WM_DRAWITEM: return OnDrawItem(window, lParam);
    case WM_COMMAND:
      DispatchCommand(window, wParam);
      return 0;
    case WM_HSCROLL:
      ScrollViewColumns(mainWindow.view, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
      return 0;
    case WM_VSCROLL: return OnVScroll(wParam);
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(mainWindow.view.background.get());
    case WM_MOUSEWHEEL: return OnMouseWheel(wParam);
    case WM_LBUTTONDBLCLK: return OnDoubleClick(window, lParam);
    case WM_RBUTTONDOWN: return OnRightButtonDown(wParam, lParam);
    case WM_RBUTTONUP:
      HideDayTooltip(mainWindow.tooltip);
      return 0;
    case kTrayCallback: return OnTrayCallback(window, lParam);
    case kOutsideListMessage: return OnOutsideList(window, wParam, lParam);
    case WM_NOTIFY:
      if (HandleMemoNotify(mainWindow.memo, *reinterpret_cast<const NMHDR*>(lParam))) {
        SetWindowLongPtrA(window, DWLP_MSGRESULT, 0);
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      DestroyDayTooltip(mainWindow.tooltip);
      DestroyMemoArea(mainWindow.memo);
      ReleaseView(mainWindow.view);
      return 0;
    default:
      if (message == mainWindow.taskbarCreated && message != 0) {
        TrayReAdd();
        return 0;
      }
      return FALSE;
  }
}

}  // namespace

INT_PTR RunMainWindow(HINSTANCE instance, const char* richEditClass) {
  mainWindow.richEditClass = richEditClass;
  return DialogBoxParamA(instance, IDD_MAINDLG, nullptr, MainDialogProc, 0);
}

HWND MainWindowHandle() { return mainWindow.view.window; }

void OnOptionsChanged(const Options& options) {
  Options& current = AppOptions();
  if (&options != &current) current = options;
  ApplyOptions(mainWindow.view, current);
  RebuildMenus();
}

}  // namespace hiyomi
