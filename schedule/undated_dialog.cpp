#include "schedule/undated_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <span>
#include <utility>

#include "resources/udatdlg_ids.h"
#include "schedule/category_dialogs.h"
#include "schedule/dialog_rows_win.h"
#include "schedule/message_prompts.h"
#include "schedule/password_dialog.h"
#include "base/win/ui_helpers.h"

namespace hiyomi {
namespace {

constexpr char kDayFull[] = "指定日には空き領域がありません。　　";
constexpr char kNoDayData[] = "指定日にはデータがありません。　　";
constexpr char kNoRowData[] = "指定行にはデータがありません。　　";
constexpr int kRows = 5;
constexpr int kLastPosition = kUndatedEntries - kRows;  // 45
constexpr UINT kRefillListsMessage = WM_APP + 1;

static_assert(RowIdsInPlace(IDE_UDAT_OFFSET_BASE, IDC_UDAT_CATEGORY_BASE, IDE_UDAT_TEXT_BASE,
                            IDT_UDAT_ROW_SAMPLE_BASE, IDC_UDAT_ROW_TEXT_COLOR_BASE, IDC_UDAT_ROW_BACK_COLOR_BASE,
                            IDE_UDAT_MARK_BASE, IDC_UDAT_ROW_STEP));

struct UndatedDialogState {
  const ScheduleDialogData* data = nullptr;
  DayRowsLink* dayRows = nullptr;  // null when standalone
  HWND dialog = nullptr;
  SerialDay day = 0;
  int position = 0;  // first visible entry, [0, 45]
  int current = 0;   // [0, 49]
  bool mayPrompt = true;
  // Locked data asks once per opening for a password to encipher with: the
  // rows are taken back on every scroll.
  bool mayAskToEncipher = true;
  EntryRowPanel rows{IDE_UDAT_OFFSET_BASE, IDE_UDAT_MARK_BASE, kRows};
  Font font;
  PromptOwnerScope storePrompts;

  HWND Item(int id) const { return GetDlgItem(dialog, id); }
  // The day dialog beside this one; null when standalone.
  HWND DayDialog() const { return Attached() ? GetWindow(dialog, GW_OWNER) : nullptr; }
  ScheduleEntry& Entry(int row) const { return data->undated.entries[position + row]; }
  std::span<ScheduleEntry> Visible() const { return {&data->undated.entries[position], kRows}; }
  bool Attached() const { return dayRows != nullptr; }
};

UndatedDialogState* StateOf(HWND dialog) {
  return reinterpret_cast<UndatedDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void ShowRows(UndatedDialogState& s) {
  const int visible = s.current - s.position;
  CheckRadioButton(s.dialog, IDR_UDAT_CURRENT_BASE, IDR_UDAT_CURRENT_BASE + kRows - 1,
                   visible >= 0 && visible < kRows ? IDR_UDAT_CURRENT_BASE + visible : 0);
  for (int row = 0; row < kRows; ++row) {
    const ScheduleEntry& e = s.Entry(row);
    s.rows.ShowNumber(row, e.span);
    // Only one password prompt per opening: the user who cancelled it is
    // not asked again on every scroll.
    s.rows.ShowEntry(row, e, &s.mayPrompt);
  }
  SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, s.position, 0};
  SetScrollInfo(s.Item(IDS_UDAT_SCROLL), SB_CTL, &info, TRUE);
  s.rows.RepaintSamples();
}

void TakeBackRows(UndatedDialogState& s) {
  SecretTexts& secrets = s.data->secrets;
  WindowSecretPrompts prompts(s.dialog, secrets, s.data->settings);
  for (int row = 0; row < kRows; ++row) {
    ScheduleEntry& e = s.Entry(row);
    // A disabled text is one that stays enciphered: it keeps its bytes.
    if (IsWindowEnabled(s.rows.Item(kRowText, row))) {
      char text[kEntryTextSize];
      s.rows.ReadText(row, text);
      std::memcpy(e.text, text, sizeof text);
    }
    if (e.text[0] != '\0') {
      const bool asks = e.text[0] == secrets.Mark() && !secrets.IsSecretForm(e.text) &&
                        secrets.LockState() == kLocked;
      if (!asks || s.mayAskToEncipher) secrets.EncipherText(e.text, prompts);
      if (asks) s.mayAskToEncipher = false;
      e.span = ReadEditNumber(s.rows.Item(kRowNumber, row));
    } else {
      e.span = 0;
    }
    e.mark = s.rows.ReadMark(row);
  }
}

void ScrollTo(UndatedDialogState& s, int position) {
  s.position = std::clamp(position, 0, kLastPosition);
  ShowRows(s);
}

void OnScroll(UndatedDialogState& s, int code, int thumb) {
  const PairQuestion question(s.DayDialog());  // taking back and showing may ask
  TakeBackRows(s);
  int position = s.position;
  switch (code) {
    case SB_LINEUP: position -= 1; break;
    case SB_LINEDOWN: position += 1; break;
    case SB_PAGEUP: position -= kRows; break;
    case SB_PAGEDOWN: position += kRows; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = thumb;
      break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = kLastPosition; break;
    default: return;
  }
  ScrollTo(s, position);
}

void OnWheel(UndatedDialogState& s, int delta) {
  const int notches = delta / WHEEL_DELTA;
  if (notches == 0) return;
  const PairQuestion question(s.DayDialog());
  TakeBackRows(s);
  ScrollTo(s, s.position - notches);
}

void MakeCurrentVisible(UndatedDialogState& s) {
  if (s.current < s.position) {
    s.position = s.current;
  } else if (s.current >= s.position + kRows) {
    s.position = s.current - (kRows - 1);
  }
}

SerialDay SpecifiedDay(const UndatedDialogState& s) { return PickerDay(s.Item(IDC_UDAT_DATE), s.day); }

// Into the day dialog's rows or the stored day; false when the day is full.
bool AddToDay(UndatedDialogState& s, const ScheduleEntry& entry) {
  if (s.Attached()) {
    if (s.dayRows->PutEntry(entry)) return true;
    MessagePrompts(s.dialog).Tell(kDayFull);
    return false;
  }
  return s.data->years.AddEntryToDay(SpecifiedDay(s), entry, AddMode::ReportWhenFull);
}

// An entry without a text is not carried into a day: it would store an
// empty line there.
void OnMoveOrCopy(UndatedDialogState& s, bool move) {
  ScheduleEntry& entry = s.data->undated.entries[s.current];
  if (entry.text[0] == '\0') return;
  ScheduleEntry added = entry;
  added.span = 0;
  // A short undated file leaves `order` 0: on a day that would hide the entry.
  if (!move || added.order == 0) added.order = 1;
  if (!AddToDay(s, added)) return;
  if (move) entry = NewUndatedEntry();
  if (!s.Attached() && s.data->repaintView) s.data->repaintView();
}

void OnTake(UndatedDialogState& s) {
  const int row = static_cast<int>(SendMessageA(s.Item(IDC_UDAT_DAY_ROW), CB_GETCURSEL, 0, 0));
  if (row < 0 || row >= kEntriesPerDay) return;
  ScheduleEntry& entry = s.data->undated.entries[s.current];
  if (s.Attached()) {
    const ScheduleEntry from = s.dayRows->RowEntry(row);
    entry.category = from.category;
    std::memcpy(entry.text, from.text, sizeof entry.text);
    entry.textColor = from.textColor;
    entry.backColor = from.backColor;
    entry.mark = from.mark;
  } else {
    DayRecord record;
    if (!s.data->years.GetDayRecord(SpecifiedDay(s), record)) {
      MessagePrompts(s.dialog).Tell(kNoDayData);
      return;
    }
    if (record.entries[row].order == 0) {
      MessagePrompts(s.dialog).Tell(kNoRowData);
      return;
    }
    entry = record.entries[row];
  }
  entry.span = 0;
}

void OnSwap(UndatedDialogState& s, int step) {
  const int other = s.current + step;
  if (other < 0 || other >= kUndatedEntries) return;
  std::swap(s.data->undated.entries[s.current], s.data->undated.entries[other]);
  s.current = other;
  MakeCurrentVisible(s);
}

void RefillLists(UndatedDialogState& s) {
  for (int row = 0; row < kRows; ++row) {
    s.rows.ShowCategoryList(row, s.Entry(row));
    s.rows.ShowColorLists(row, s.Entry(row));
  }
  s.rows.RepaintSamples();
}

void OnCategories(UndatedDialogState& s) {
  const ScheduleDialogData& d = *s.data;
  if (!RunCategoryDialog(s.dialog, d.categories, d.settings, d.categorySection)) return;
  RefillLists(s);
  if (s.Attached()) s.dayRows->RefillCategoryLists();
  if (d.categoriesChanged) d.categoriesChanged();
  if (d.repaintView) d.repaintView();
}

void OnColorSets(UndatedDialogState& s) {
  const ScheduleDialogData& d = *s.data;
  if (!RunColorSetDialog(s.dialog, d.colorSets, d.settings, d.categorySection)) return;
  RefillLists(s);
  if (s.Attached()) s.dayRows->RefillColorLists();
  if (d.repaintView) d.repaintView();
}

void OnClose(UndatedDialogState& s) {
  {
    const PairQuestion question(s.DayDialog());  // the password to encipher with
    TakeBackRows(s);
  }
  if (s.Attached()) {
    DayRowsLink* rows = s.dayRows;
    DestroyWindow(s.dialog);
    rows->UndatedClosed();
    return;
  }
  if (s.data->repaintView) s.data->repaintView();
  EndDialog(s.dialog, 0);
}

// The operations on the current entry: rows taken back first, shown after.
bool RunOperation(UndatedDialogState& s, int id) {
  switch (id) {
    case IDB_UDAT_CLEAR:
      TakeBackRows(s);
      s.data->undated.entries[s.current] = NewUndatedEntry();
      break;
    case IDB_UDAT_UP:
      TakeBackRows(s);
      OnSwap(s, -1);
      break;
    case IDB_UDAT_DOWN:
      TakeBackRows(s);
      OnSwap(s, +1);
      break;
    case IDB_UDAT_MOVE:
    case IDB_UDAT_COPY:
      TakeBackRows(s);
      OnMoveOrCopy(s, id == IDB_UDAT_MOVE);
      break;
    case IDB_UDAT_TAKE:
      TakeBackRows(s);
      OnTake(s);
      break;
    default:
      if (id >= IDB_UDAT_PAGE_BASE && id < IDB_UDAT_PAGE_BASE + 5) {
        TakeBackRows(s);
        s.position = std::min((id - IDB_UDAT_PAGE_BASE) * 10, kLastPosition);
        break;
      }
      if (id >= IDR_UDAT_CURRENT_BASE && id < IDR_UDAT_CURRENT_BASE + kRows) {
        TakeBackRows(s);
        s.current = s.position + (id - IDR_UDAT_CURRENT_BASE);
        break;
      }
      return false;
  }
  ShowRows(s);
  return true;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  UndatedDialogState* s = StateOf(dialog);
  if (s == nullptr) return FALSE;
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  // Every button and list may ask: the rows are taken back and shown (the
  // password), a day is full, a colour is chosen, a dialog opens.
  const PairQuestion question(code == BN_CLICKED || code == CBN_SELCHANGE ? s->DayDialog() : nullptr);
  if (s->rows.OnCommand(id, code, s->Visible())) return TRUE;
  switch (id) {
    case IDB_UDAT_CLOSE:
    case IDCANCEL:
      OnClose(*s);
      return TRUE;
    case IDB_UDAT_CATEGORIES:
      OnCategories(*s);
      return TRUE;
    case IDB_UDAT_COLOR_SETS:
      OnColorSets(*s);
      return TRUE;
  }
  if (code != BN_CLICKED) return FALSE;
  return RunOperation(*s, id) ? TRUE : FALSE;
}

void PaintSamples(UndatedDialogState& s, HDC dc) { s.rows.PaintSamples(dc, s.font.get(), s.Visible()); }

// Attached, the dialog stands beside the day dialog: right, left, below or
// above it, whichever first fits the work area; else as near as it fits.
void PlaceBeside(HWND dialog, HWND dayDialog) {
  RECT day{}, own{}, work{};
  GetWindowRect(dayDialog, &day);
  GetWindowRect(dialog, &own);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  const POINT places[] = {{day.right, day.top}, {day.left - width, day.top},
                          {day.left, day.bottom}, {day.left, day.top - height}};
  POINT at = places[0];
  for (const POINT& p : places) {
    if (p.x >= work.left && p.y >= work.top && p.x + width <= work.right && p.y + height <= work.bottom) {
      at = p;
      break;
    }
  }
  at.x = std::clamp<LONG>(at.x, work.left, std::max<LONG>(work.left, work.right - width));
  at.y = std::clamp<LONG>(at.y, work.top, std::max<LONG>(work.top, work.bottom - height));
  SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The day dialog's modal loop knows only its own dialog: keyboard messages
// (Tab, arrows) of the attached one reach it through the loop's message
// filter. One attached dialog exists at a time.
HWND attachedDialog = nullptr;
ScopedHook attachedFilter;

LRESULT CALLBACK AttachedFilterProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == MSGF_DIALOGBOX && attachedDialog != nullptr &&
      IsDialogMessageA(attachedDialog, reinterpret_cast<MSG*>(lParam))) {
    return TRUE;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void FilterForAttached(HWND dialog) {
  attachedDialog = dialog;
  if (dialog != nullptr && !attachedFilter) {
    attachedFilter = HookThisThread(WH_MSGFILTER, AttachedFilterProc);
  } else if (dialog == nullptr) {
    attachedFilter.Reset();
  }
}

INT_PTR OnInitDialog(HWND dialog, UndatedDialogState* s) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
  s->dialog = dialog;
  s->font = CreateSampleFont(dialog);
  if (s->Attached()) {
    PlaceBeside(dialog, GetWindow(dialog, GW_OWNER));
  } else {
    CenterWindow(dialog, true);
    s->storePrompts.Take(s->data->storePrompts, dialog);
  }
  HWND picker = s->Item(IDC_UDAT_DATE);
  SetUpDayPicker(picker, kFirstSerial, kLastSerial);
  SetPickerDay(picker, s->day);
  HWND dayRow = s->Item(IDC_UDAT_DAY_ROW);
  for (int row = 1; row <= kEntriesPerDay; ++row) {
    char item[16];
    std::snprintf(item, sizeof item, "%d行目", row);
    SendMessageA(dayRow, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  SendMessageA(dayRow, CB_SETCURSEL, 0, 0);
  s->rows.Attach(dialog, *s->data);
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, kUndatedEntries - 1, kRows, 0, 0};
  SetScrollInfo(s->Item(IDS_UDAT_SCROLL), SB_CTL, &info, FALSE);
  s->mayPrompt = true;
  ShowRows(*s);
  // The caret waits where a user types; attached, once the dialog shows.
  if (!s->Attached()) SetFocus(s->rows.FirstFreeText());
  return FALSE;  // the focus is set here
}

INT_PTR CALLBACK UndatedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  UndatedDialogState* s = StateOf(dialog);
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<UndatedDialogState*>(lParam));
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
    case WM_VSCROLL:
      if (s != nullptr) OnScroll(*s, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_MOUSEWHEEL:
      if (s != nullptr) OnWheel(*s, GET_WHEEL_DELTA_WPARAM(wParam));
      return TRUE;
    case WM_CLOSE:
      if (s != nullptr) OnClose(*s);
      return TRUE;
    case WM_PAINT: {
      if (s == nullptr) return FALSE;
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(dialog, &paint);
      PaintSamples(*s, dc);
      EndPaint(dialog, &paint);
      return TRUE;
    }
    case WM_PRINTCLIENT:
      if (s != nullptr) PaintSamples(*s, reinterpret_cast<HDC>(wParam));
      return TRUE;
    case kRefillListsMessage:
      if (s != nullptr) RefillLists(*s);
      return TRUE;
    case WM_NCDESTROY:
      // The attached dialog owns its state; the modal one's is on the stack.
      if (s != nullptr) {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
        if (s->Attached()) {
          FilterForAttached(nullptr);
          delete s;
        }
      }
      return FALSE;
  }
  return FALSE;
}

}  // namespace

int RunUndatedDialog(HWND owner, SerialDay day, const ScheduleDialogData& data) {
  if (!data.undated.ReadyForChanges()) return 0;
  UndatedDialogState state;
  state.data = &data;
  state.day = day >= kNoDay ? ClampSerial(TodaySerial()) : ClampSerial(day);
  DialogBoxParamA(GetModuleHandleA(nullptr), IDD_UDATDLG, owner, UndatedDialogProc,
                  reinterpret_cast<LPARAM>(&state));
  return 0;
}

HWND OpenAttachedUndatedDialog(HWND dayDialog, SerialDay day, const ScheduleDialogData& data,
                               DayRowsLink& rows) {
  if (!data.undated.ReadyForChanges()) return nullptr;
  auto* state = new UndatedDialogState;
  state->data = &data;
  state->dayRows = &rows;
  state->day = ClampSerial(day);
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), IDD_UDATDLG, dayDialog, UndatedDialogProc,
                                   reinterpret_cast<LPARAM>(state));
  if (dialog == nullptr) {
    delete state;
    return nullptr;
  }
  FilterForAttached(dialog);
  ShowWindow(dialog, SW_SHOW);
  // Showing it put the focus on its first control: the caret goes where a
  // user types.
  SetFocus(state->rows.FirstFreeText());
  return dialog;
}

void RefillUndatedLists(HWND undatedDialog) { SendMessageA(undatedDialog, kRefillListsMessage, 0, 0); }

}  // namespace hiyomi
