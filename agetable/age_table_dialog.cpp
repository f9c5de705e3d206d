#include "agetable/age_table_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "agetable/age_table.h"
#include "base/number_parse.h"
#include "base/win/gdi_objects.h"
#include "base/win/ui_helpers.h"
#include "resources/agedlg_ids.h"
#include "settings/settings_store.h"

namespace hiyomi {
namespace {

enum class EditMode { kNone, kYears, kAges };

enum Column { kYearColumn, kEraColumn, kEtoColumn, kAgeColumn, kRemarkColumn, kColumnCount };

struct AgeTableState {
  SettingsStore* store = nullptr;
  int currentYear = 0;
  COLORREF markColor = kMarkColorDefault;
  std::vector<Person> persons;
  std::vector<AgeRow> rows;          // newest first, as listed
  std::vector<std::string> cells;    // column 5 as shown
  std::vector<std::string> loaded;   // column 5 when editing began
  std::set<int> markedYears;
  int remarkSet = 1;
  bool withBirth = false;
  bool early = false;
  EditMode editing = EditMode::kNone;
  int editRow = -1;
  OwnedMenu browseMenu;  // 行マーク, 備考編集(Year), 備考編集(Age)
  OwnedMenu editMenu;    // 編集終了(保存あり), 編集終了(保存なし)
};

AgeTableState* StateOf(HWND dialog) {
  return reinterpret_cast<AgeTableState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

HWND Table(HWND dialog) { return GetDlgItem(dialog, IDC_AGE_TABLE); }
HWND Editor(HWND dialog) { return GetDlgItem(dialog, IDE_AGE_REMARK_EDITOR); }

void SetCell(HWND dialog, int row, int column, const char* text) {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text);
  SendMessageA(Table(dialog), LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void EnsureVisible(HWND dialog, int row) {
  SendMessageA(Table(dialog), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int SelectedSystemIndex(HWND dialog) {
  return static_cast<int>(SendDlgItemMessageA(dialog, IDC_AGE_SYSTEM, CB_GETCURSEL, 0, 0));
}

// A person's year is Western.
YearSystem SystemOfIndex(int index) {
  if (index < 0) return YearSystem::kNone;
  return index < kYearSystemCount ? static_cast<YearSystem>(index) : YearSystem::kWestern;
}

void SetSpinRange(HWND dialog, YearSystem system, int currentYear) {
  const YearBounds bounds = SpinRangeOf(system, currentYear);
  SendDlgItemMessageA(dialog, IDS_AGE_SPIN, UDM_SETRANGE32, static_cast<WPARAM>(bounds.low),
                      static_cast<LPARAM>(bounds.high));
}

void PutNumber(HWND dialog, int number) {
  SetDlgItemTextA(dialog, IDE_AGE_NUMBER, std::to_string(number).c_str());
}

// The remark-set radios and "表示" wait while remarks are edited: a rebuilt
// table would put the shown texts where the edited ones are.
void EnableBrowsing(HWND dialog, bool enable) {
  for (int id = IDR_AGE_REMARK_SET_FIRST; id <= IDR_AGE_REMARK_SET_LAST; ++id) {
    EnableWindow(GetDlgItem(dialog, id), enable);
  }
  EnableWindow(GetDlgItem(dialog, IDB_AGE_SHOW), enable);
}

void ShowRemarkCells(HWND dialog, AgeTableState& state) {
  for (size_t i = 0; i < state.rows.size(); ++i) {
    SetCell(dialog, static_cast<int>(i), kRemarkColumn, state.cells[i].c_str());
  }
}

void FillShownRemarks(HWND dialog, AgeTableState& state) {
  state.cells.assign(state.rows.size(), std::string());
  for (size_t i = 0; i < state.rows.size(); ++i) {
    char text[kRemarkCellSize];
    RowRemarks(*state.store, state.remarkSet, state.rows[i], state.withBirth, state.early, text,
               sizeof text);
    state.cells[i] = text;
  }
  ShowRemarkCells(dialog, state);
}

RemarkKind KindOf(EditMode mode) { return mode == EditMode::kYears ? RemarkKind::kYear : RemarkKind::kAge; }

// An age remark is keyed by the row's own age, the one its remarks show at,
// whatever age kind the column shows.
int KeyNumberOf(const AgeTableState& state, int row) {
  const AgeRow& r = state.rows[static_cast<size_t>(row)];
  return state.editing == EditMode::kYears ? r.year : r.age;
}

int RemarkSizeOf(EditMode mode) { return mode == EditMode::kYears ? kYearRemarkSize : kAgeRemarkSize; }

// Header or content, whichever is wider; the last column also takes the
// room that is left.
void SizeColumns(HWND dialog) {
  HWND table = Table(dialog);
  for (int column = 0; column < kColumnCount; ++column) {
    SendMessageA(table, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), LVSCW_AUTOSIZE);
    const LRESULT content = SendMessageA(table, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0);
    SendMessageA(table, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), LVSCW_AUTOSIZE_USEHEADER);
    const LRESULT header = SendMessageA(table, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0);
    if (content > header) {
      SendMessageA(table, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(content, 0));
    }
  }
}

void BuildTable(HWND dialog, AgeTableState& state) {
  char number[32] = {};
  GetDlgItemTextA(dialog, IDE_AGE_NUMBER, number, sizeof number);
  const YearSystem system = SystemOfIndex(SelectedSystemIndex(dialog));
  const auto kind = static_cast<AgeKind>(
      std::clamp(static_cast<int>(SendDlgItemMessageA(dialog, IDC_AGE_KIND, CB_GETCURSEL, 0, 0)), 0,
                 kAgeKindCount - 1));
  const std::optional<int> birth =
      number[0] == '\0' ? std::nullopt : BirthYearOf(system, ClampInt(ParseNumber(number), -1, 100000));
  const TableSpan span = TableSpanOf(birth, state.currentYear);
  state.rows = BuildAgeRows(span, kind, state.currentYear);
  state.withBirth = span.birth.has_value();
  state.early = IsDlgButtonChecked(dialog, IDX_AGE_EARLY) == BST_CHECKED;
  state.markedYears.insert(state.currentYear);

  HWND table = Table(dialog);
  SendMessageA(table, WM_SETREDRAW, FALSE, 0);
  SendMessageA(table, LVM_DELETEALLITEMS, 0, 0);
  int current = -1;
  for (size_t i = 0; i < state.rows.size(); ++i) {
    AgeRow& row = state.rows[i];
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = row.yearText;
    SendMessageA(table, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    SetCell(dialog, item.iItem, kEraColumn, row.eraText);
    SetCell(dialog, item.iItem, kEtoColumn, row.eto);
    SetCell(dialog, item.iItem, kAgeColumn, row.ageText);
    if (row.year == state.currentYear) current = item.iItem;
  }
  FillShownRemarks(dialog, state);
  if (current >= 0) {
    LVITEMA selected{};
    selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    selected.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(table, LVM_SETITEMSTATE, static_cast<WPARAM>(current), reinterpret_cast<LPARAM>(&selected));
  }
  SizeColumns(dialog);
  SendMessageA(table, WM_SETREDRAW, TRUE, 0);
  EnsureVisible(dialog, static_cast<int>(state.rows.size()) - 1);
  if (current >= 0) EnsureVisible(dialog, current);
  InvalidateRect(table, nullptr, TRUE);
}

void OnSystemChosen(HWND dialog, AgeTableState& state) {
  const int index = SelectedSystemIndex(dialog);
  SetSpinRange(dialog, SystemOfIndex(index), state.currentYear);
  if (index == static_cast<int>(YearSystem::kNone)) {
    SetDlgItemTextA(dialog, IDE_AGE_NUMBER, "");
  } else if (index >= kYearSystemCount && index - kYearSystemCount < static_cast<int>(state.persons.size())) {
    const Person& person = state.persons[static_cast<size_t>(index - kYearSystemCount)];
    PutNumber(dialog, person.year);
    CheckDlgButton(dialog, IDX_AGE_EARLY, person.early ? BST_CHECKED : BST_UNCHECKED);
  }
}

void TakeRowAsInput(HWND dialog, AgeTableState& state, int row) {
  const YearSystem chosen = SystemOfIndex(SelectedSystemIndex(dialog));
  const YearInput input = InputForYear(chosen, state.rows[static_cast<size_t>(row)].year, state.currentYear);
  const int index = static_cast<int>(input.system);
  if (SelectedSystemIndex(dialog) != index) {
    SendDlgItemMessageA(dialog, IDC_AGE_SYSTEM, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SetSpinRange(dialog, input.system, state.currentYear);
  }
  PutNumber(dialog, input.number);
}

// The editor's text becomes the cell of the row it stands on.
void KeepEditorText(HWND dialog, AgeTableState& state) {
  if (state.editing == EditMode::kNone || state.editRow < 0) return;
  char text[kYearRemarkSize] = {};
  GetWindowTextA(Editor(dialog), text, sizeof text);
  state.cells[static_cast<size_t>(state.editRow)] = text;
  SetCell(dialog, state.editRow, kRemarkColumn, text);
}

void PlaceEditor(HWND dialog, AgeTableState& state, int row) {
  state.editRow = row;
  EnsureVisible(dialog, row);
  HWND table = Table(dialog);
  RECT cell{};
  cell.top = kRemarkColumn;
  cell.left = LVIR_BOUNDS;
  SendMessageA(table, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
  RECT client{};
  GetClientRect(table, &client);
  cell.right = std::min(cell.right, client.right);
  MapWindowPoints(table, dialog, reinterpret_cast<POINT*>(&cell), 2);
  HWND editor = Editor(dialog);
  SetWindowTextA(editor, state.cells[static_cast<size_t>(row)].c_str());
  SetWindowPos(editor, HWND_TOP, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top,
               SWP_SHOWWINDOW);
  SetFocus(editor);
  SendMessageA(editor, EM_SETSEL, 0, -1);
}

void BeginEditing(HWND dialog, AgeTableState& state, EditMode mode, int row) {
  state.editing = mode;
  const RemarkKind kind = KindOf(mode);
  const int size = RemarkSizeOf(mode);
  for (size_t i = 0; i < state.rows.size(); ++i) {
    char text[kYearRemarkSize];
    ReadRemark(*state.store, kind, state.remarkSet, KeyNumberOf(state, static_cast<int>(i)), text, size);
    state.cells[i] = text;
  }
  state.loaded = state.cells;
  ShowRemarkCells(dialog, state);
  SendMessageA(Editor(dialog), EM_LIMITTEXT, static_cast<WPARAM>(size - 1), 0);
  EnableBrowsing(dialog, false);
  PlaceEditor(dialog, state, row);
}

void EndEditing(HWND dialog, AgeTableState& state, bool save) {
  if (save) {
    const RemarkKind kind = KindOf(state.editing);
    for (size_t i = 0; i < state.rows.size(); ++i) {
      StoreRemark(*state.store, kind, state.remarkSet, KeyNumberOf(state, static_cast<int>(i)),
                  state.loaded[i].c_str(), state.cells[i].c_str());
    }
  }
  state.editing = EditMode::kNone;
  state.editRow = -1;
  ShowWindow(Editor(dialog), SW_HIDE);
  EnableBrowsing(dialog, true);
  BuildTable(dialog, state);
}

void ToggleMark(HWND dialog, AgeTableState& state, int row) {
  const int year = state.rows[static_cast<size_t>(row)].year;
  if (!state.markedYears.erase(year)) state.markedYears.insert(year);
  SendMessageA(Table(dialog), LVM_REDRAWITEMS, static_cast<WPARAM>(row), static_cast<LPARAM>(row));
}

struct HitCell {
  int row;
  int column;
  POINT screen;
};

HitCell HitTest(HWND dialog, POINT at) {
  HWND table = Table(dialog);
  LVHITTESTINFO hit{};
  hit.pt = at;
  SendMessageA(table, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  ClientToScreen(table, &at);
  return HitCell{(hit.flags & LVHT_ONITEM) ? hit.iItem : -1, hit.iSubItem, at};
}

int TrackMenu(HWND dialog, HMENU menu, POINT at) {
  return TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog, nullptr);
}

void OnTableClick(HWND dialog, AgeTableState& state, const HitCell& hit) {
  if (hit.row < 0 || hit.row >= static_cast<int>(state.rows.size())) return;
  if (state.editing == EditMode::kNone) {
    TakeRowAsInput(dialog, state, hit.row);
  } else if (hit.column == kRemarkColumn && hit.row != state.editRow) {
    KeepEditorText(dialog, state);
    PlaceEditor(dialog, state, hit.row);
  }
}

void OnTableRightClick(HWND dialog, AgeTableState& state, const HitCell& hit) {
  if (state.editing != EditMode::kNone) {
    KeepEditorText(dialog, state);
    switch (TrackMenu(dialog, state.editMenu.get(), hit.screen)) {
      case IDM_AGE_END_SAVE: EndEditing(dialog, state, true); break;
      case IDM_AGE_END_DISCARD: EndEditing(dialog, state, false); break;
    }
    return;
  }
  if (hit.row < 0 || hit.row >= static_cast<int>(state.rows.size())) return;
  switch (TrackMenu(dialog, state.browseMenu.get(), hit.screen)) {
    case IDM_AGE_MARK_ROW: ToggleMark(dialog, state, hit.row); break;
    case IDM_AGE_EDIT_YEARS: BeginEditing(dialog, state, EditMode::kYears, hit.row); break;
    case IDM_AGE_EDIT_AGES: BeginEditing(dialog, state, EditMode::kAges, hit.row); break;
  }
}

LRESULT OnCustomDraw(const AgeTableState& state, NMLVCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      const size_t row = draw.nmcd.dwItemSpec;
      if (row < state.rows.size() && state.markedYears.count(state.rows[row].year) != 0) {
        draw.clrTextBk = state.markColor;
        return CDRF_NEWFONT;
      }
      return CDRF_DODEFAULT;
    }
  }
  return CDRF_DODEFAULT;
}

INT_PTR OnNotify(HWND dialog, const NMHDR& header) {
  AgeTableState* state = StateOf(dialog);
  if (state == nullptr || header.idFrom != IDC_AGE_TABLE) return FALSE;
  switch (header.code) {
    case NM_CUSTOMDRAW: {
      auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header));
      SetWindowLongPtrA(dialog, DWLP_MSGRESULT, OnCustomDraw(*state, draw));
      return TRUE;
    }
    case NM_CLICK:
      OnTableClick(dialog, *state, HitTest(dialog, reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction));
      return TRUE;
    case NM_RCLICK:
      OnTableRightClick(dialog, *state,
                        HitTest(dialog, reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction));
      return TRUE;
  }
  return FALSE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  AgeTableState* state = StateOf(dialog);
  if (state == nullptr) return FALSE;
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  switch (id) {
    case IDB_AGE_SHOW:
      BuildTable(dialog, *state);
      return TRUE;
    case IDC_AGE_SYSTEM:
      if (code == CBN_SELCHANGE) OnSystemChosen(dialog, *state);
      return TRUE;
    case IDOK:  // Enter in the remark editor keeps its text
      KeepEditorText(dialog, *state);
      return TRUE;
    case IDB_AGE_CLOSE:
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
  }
  if (id >= IDR_AGE_REMARK_SET_FIRST && id <= IDR_AGE_REMARK_SET_LAST && code == BN_CLICKED &&
      state->editing == EditMode::kNone) {
    state->remarkSet = id - IDR_AGE_REMARK_SET_FIRST + 1;
    FillShownRemarks(dialog, *state);
    return TRUE;
  }
  return FALSE;
}

OwnedMenu MakeMenu(std::initializer_list<std::pair<UINT, const char*>> items) {
  OwnedMenu menu(CreatePopupMenu());
  for (const auto& [id, text] : items) AppendMenuA(menu.get(), MF_STRING, id, text);
  return menu;
}

void AddColumns(HWND dialog) {
  static constexpr const char* kHeaders[kColumnCount] = {"西暦", "和暦", "干支", "年齢", "備考"};
  HWND table = Table(dialog);
  SendMessageA(table, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (int column = 0; column < kColumnCount; ++column) {
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM;
    info.fmt = column == kAgeColumn ? LVCFMT_RIGHT : LVCFMT_LEFT;
    info.pszText = const_cast<char*>(kHeaders[column]);
    info.iSubItem = column;
    SendMessageA(table, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
  }
}

INT_PTR OnInitDialog(HWND dialog, AgeTableState* state) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  const int mark = state->store->ReadColor("MarkColor", kMarkColorDefault);
  // "No colour" would hide the mark.
  state->markColor = static_cast<COLORREF>(mark < 0 ? kMarkColorDefault : mark);
  for (const char* name : AgeKindNames) {
    SendDlgItemMessageA(dialog, IDC_AGE_KIND, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  SendDlgItemMessageA(dialog, IDC_AGE_KIND, CB_SETCURSEL, 0, 0);
  for (const char* name : YearSystemNames) {
    SendDlgItemMessageA(dialog, IDC_AGE_SYSTEM, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  state->persons = ReadPersons(*state->store, state->currentYear);
  for (const Person& person : state->persons) {
    SendDlgItemMessageA(dialog, IDC_AGE_SYSTEM, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(person.name));
  }
  SendDlgItemMessageA(dialog, IDC_AGE_SYSTEM, CB_SETCURSEL, 0, 0);
  SetSpinRange(dialog, YearSystem::kNone, state->currentYear);
  AddColumns(dialog);
  CheckRadioButton(dialog, IDR_AGE_REMARK_SET_FIRST, IDR_AGE_REMARK_SET_LAST, IDR_AGE_REMARK_SET_FIRST);
  state->remarkSet = 1;
  BuildTable(dialog, *state);
  CenterWindow(dialog, true);
  state->browseMenu = MakeMenu({{IDM_AGE_MARK_ROW, "行マーク"},
                                {IDM_AGE_EDIT_YEARS, "備考編集(Year)"},
                                {IDM_AGE_EDIT_AGES, "備考編集(Age)"}});
  state->editMenu = MakeMenu({{IDM_AGE_END_SAVE, "編集終了(保存あり)"}, {IDM_AGE_END_DISCARD, "編集終了(保存なし)"}});
  return TRUE;
}

INT_PTR CALLBACK AgeTableProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<AgeTableState*>(lParam));
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
    case WM_NOTIFY:
      return OnNotify(dialog, *reinterpret_cast<const NMHDR*>(lParam));
  }
  return FALSE;
}

}  // namespace

void RunAgeTableDialog(HWND owner, SettingsStore& store, int currentYear) {
  AgeTableState state;
  state.store = &store;
  state.currentYear = std::max(currentYear, kAgeTableFirstYear);
  DialogBoxParamA(GetModuleHandleA(nullptr), IDD_AGEDLG, owner, AgeTableProc,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace hiyomi
