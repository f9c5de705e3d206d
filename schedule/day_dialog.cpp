#include "schedule/day_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "resources/daydlg_ids.h"
#include "schedule/category_dialogs.h"
#include "schedule/day_span_dialog.h"
#include "schedule/dialog_rows_win.h"
#include "schedule/message_prompts.h"
#include "schedule/password_dialog.h"
#include "base/win/ui_helpers.h"

namespace hiyomi {
namespace {

constexpr char kNoRecordRoom[] = "データ領域を確保できませんでした。　　";
constexpr char kSetUpFailed[] = "個別ダイアログ初期化に失敗しました。　　";
constexpr char kAskClear[] = "データをクリアしますか？";
constexpr int kEmptyRowKey = 10000;

static_assert(RowIdsInPlace(IDE_DAY_ORDER_BASE, IDC_DAY_CATEGORY_BASE, IDE_DAY_TEXT_BASE, IDT_DAY_ROW_SAMPLE_BASE,
                            IDC_DAY_ROW_TEXT_COLOR_BASE, IDC_DAY_ROW_BACK_COLOR_BASE, IDE_DAY_MARK_BASE,
                            IDC_DAY_ROW_STEP));
constexpr int kRowSpan = IDB_DAY_SPAN_BASE - IDE_DAY_ORDER_BASE;  // the day's own "Ex" after the shared controls

struct DayDialogState final : DayRowsLink {
  const ScheduleDialogData* data = nullptr;
  HWND dialog = nullptr;
  SerialDay opened = 0;
  DayRecord working{};
  bool overwriteLast[kEntriesPerDay] = {};
  // The text stays enciphered (no key, or another key): shown disabled and
  // stored back as it was.
  bool locked[kEntriesPerDay] = {};
  EntryRowPanel rows{IDE_DAY_ORDER_BASE, IDB_DAY_SPAN_BASE, kEntriesPerDay};
  RECT dayBox{};
  Font font;
  HWND undated = nullptr;
  PromptOwnerScope storePrompts;

  HWND Item(int id) const { return GetDlgItem(dialog, id); }

  bool PutEntry(const ScheduleEntry& entry) noexcept override;
  ScheduleEntry RowEntry(int row) noexcept override;
  void RefillCategoryLists() noexcept override;
  void RefillColorLists() noexcept override;
  void UndatedClosed() noexcept override {
    undated = nullptr;
    InvalidateRect(dialog, nullptr, TRUE);
  }
};

DayDialogState* StateOf(HWND dialog) {
  return reinterpret_cast<DayDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void RepaintSamples(DayDialogState& s) {
  InvalidateRect(s.dialog, &s.dayBox, TRUE);
  s.rows.RepaintSamples();
}

int8_t RowOrder(const DayDialogState& s, int row) {
  char order[16];
  ReadEditText(s.rows.Item(kRowNumber, row), order, kOrderChars);
  return OrderFromText(order);
}

void ShowSpanCaption(DayDialogState& s, int row) {
  const int32_t span = s.working.entries[row].span;
  char caption[16];
  std::snprintf(caption, sizeof caption, "%2d", span != 0 ? SpanDayCount(span) : 0);
  SetWindowTextA(s.rows.Item(kRowSpan, row), caption);
}

// The row's controls from its slot, all but the order field. `mayPrompt`
// (null: no prompt) allows one password prompt for a locked text.
void ShowRow(DayDialogState& s, int row, bool* mayPrompt) {
  s.locked[row] = s.rows.ShowEntry(row, s.working.entries[row], mayPrompt);
  ShowSpanCaption(s, row);
}

void ShowDayColors(DayDialogState& s) {
  FillColorList(s.Item(IDC_DAY_TEXT_COLOR), s.data->colorSets.sets[kTextColorSet], s.working.dayTextColor);
  FillColorList(s.Item(IDC_DAY_BACK_COLOR), s.data->colorSets.sets[kBackColorSet], s.working.dayBackColor);
}

// The rows are renumbered 1..8 (negative when hidden) whatever was typed.
void LoadRows(DayDialogState& s, const DayRecord& record) {
  s.working = record;
  SetPickerDay(s.Item(IDC_DAY_DATE), record.serial);
  ShowDayColors(s);
  // One password prompt per load, at the first locked row.
  bool mayPrompt = true;
  for (int row = 0; row < kEntriesPerDay; ++row) {
    s.overwriteLast[row] = false;
    s.rows.ShowNumber(row, s.working.entries[row].order < 0 ? -(row + 1) : row + 1);
    ShowRow(s, row, &mayPrompt);
  }
  RepaintSamples(s);
}

void LoadDay(DayDialogState& s, SerialDay day) {
  DayRecord record;
  if (!s.data->years.GetDayRecord(day, record)) record = FreshDayRecord(day);
  LoadRows(s, record);
}

// Reads the row's text into its slot unless the text is to stay as stored.
void TakeRowText(DayDialogState& s, int row, ScheduleEntry& e, const char* text) {
  if (s.locked[row] || s.data->secrets.IsSecretForm(text)) return;
  std::memset(e.text, 0, sizeof e.text);
  std::memcpy(e.text, text, std::strlen(text));
}

// Sorts the rows by their order fields; also the first step of OK and move.
void SortRows(DayDialogState& s) {
  const PairQuestion question(s.undated);  // the password may be asked
  for (int row = 0; row < kEntriesPerDay; ++row) {
    ScheduleEntry& e = s.working.entries[row];
    char text[kEntryTextSize];
    s.rows.ReadText(row, text);
    // An emptied text is taken too, or the refill below would bring it back.
    TakeRowText(s, row, e, text);
    e.order = text[0] == '\0' ? 0 : RowOrder(s, row);
    e.mark = s.rows.ReadMark(row);
  }
  int keys[kEntriesPerDay];
  for (int row = 0; row < kEntriesPerDay; ++row) keys[row] = RowSortKey(s.working.entries[row].order);
  int from[kEntriesPerDay];
  SortRowsByKey(keys, from);
  const DayRecord before = s.working;
  bool flags[kEntriesPerDay];
  std::memcpy(flags, s.overwriteLast, sizeof flags);
  for (int row = 0; row < kEntriesPerDay; ++row) {
    s.working.entries[row] = before.entries[from[row]];
    s.overwriteLast[row] = flags[from[row]];
  }
  for (int row = 0; row < kEntriesPerDay; ++row) {
    s.rows.ShowNumber(row, s.working.entries[row].order);
    ShowRow(s, row, nullptr);
  }
  // Locked data asks for the password once per sort: a user who cancelled
  // is not asked again for every further secret row.
  SecretTexts& secrets = s.data->secrets;
  WindowSecretPrompts prompts(s.dialog, secrets, s.data->settings);
  bool asked = false;
  for (ScheduleEntry& e : s.working.entries) {
    if (e.text[0] != secrets.Mark() || secrets.IsSecretForm(e.text)) continue;
    if (secrets.LockState() == kLocked) {
      if (asked) break;
      asked = true;
    }
    secrets.EncipherText(e.text, prompts);
  }
  RepaintSamples(s);
}

// Sorts, cleans a copy up and stores it under the picked date. The working
// copy keeps its pending copies, so a declined store can be tried again.
StoreResult StoreRows(DayDialogState& s, SerialDay& storedDay) {
  // The undated dialog must not put an entry into rows already copied for
  // the store while it asks whether to overwrite.
  const PairQuestion question(s.undated);
  SortRows(s);
  DayRecord record = s.working;
  record.serial = PickerDay(s.Item(IDC_DAY_DATE), s.opened);
  storedDay = record.serial;
  CopyRequest copies;
  for (int row = 0; row < kEntriesPerDay; ++row) {
    ScheduleEntry& e = record.entries[row];
    if (e.order == 0) {
      e = EmptyEntry();
    } else if (e.span < 0) {
      copies.count[row] = -e.span;
      copies.overwriteLast[row] = s.overwriteLast[row];
      e.span = 0;
    }
  }
  return s.data->years.StoreDayRecord(record, s.opened, copies);
}

void CloseUndated(DayDialogState& s) {
  if (s.undated != nullptr) SendMessageA(s.undated, WM_CLOSE, 0, 0);
  s.undated = nullptr;
}

void Finish(DayDialogState& s, int result) {
  CloseUndated(s);
  EndDialog(s.dialog, result);
}

void OnOk(DayDialogState& s) {
  SerialDay day = 0;
  const StoreResult result = StoreRows(s, day);
  if (result.Kept()) Finish(s, result.day);
}

void OnMove(DayDialogState& s) {
  SerialDay day = 0;
  const StoreResult result = StoreRows(s, day);
  if (!result.Kept()) return;
  if (day != s.opened) s.data->years.StoreDayRecord(FreshDayRecord(s.opened), s.opened, CopyRequest{});
  Finish(s, result.day);
}

void OnClear(DayDialogState& s) {
  const PairQuestion question(s.undated);
  if (!MessagePrompts(s.dialog).AskYesNo(kAskClear)) return;
  LoadRows(s, FreshDayRecord(s.opened));
}

void OnCategories(DayDialogState& s) {
  const PairQuestion question(s.undated);
  const ScheduleDialogData& d = *s.data;
  if (!RunCategoryDialog(s.dialog, d.categories, d.settings, d.categorySection)) return;
  s.RefillCategoryLists();
  if (s.undated != nullptr) RefillUndatedLists(s.undated);
  if (d.categoriesChanged) d.categoriesChanged();
  if (d.repaintView) d.repaintView();
}

void OnColorSets(DayDialogState& s) {
  const PairQuestion question(s.undated);
  const ScheduleDialogData& d = *s.data;
  if (!RunColorSetDialog(s.dialog, d.colorSets, d.settings, d.categorySection)) return;
  s.RefillColorLists();
  if (s.undated != nullptr) RefillUndatedLists(s.undated);
}

void OnUndated(DayDialogState& s) {
  CloseUndated(s);
  s.undated = OpenAttachedUndatedDialog(s.dialog, PickerDay(s.Item(IDC_DAY_DATE), s.opened), *s.data, s);
}

void OnSpan(DayDialogState& s, int row) {
  // An entry moved in meanwhile would take the span meant for this row.
  const PairQuestion question(s.undated);
  char text[kEntryTextSize];
  s.rows.ReadText(row, text);
  ScheduleEntry& e = s.working.entries[row];
  if (RunDaySpanDialog(s.dialog, text, PickerDay(s.Item(IDC_DAY_DATE), s.opened), e.span,
                       s.overwriteLast[row])) {
    ShowSpanCaption(s, row);
  }
}

void OnDayListChange(DayDialogState& s, int id) {
  HWND combo = s.Item(id);
  if (id == IDC_DAY_TEXT_COLOR) {
    s.working.dayTextColor =
        PickFromColorList(s.dialog, combo, s.data->colorSets.sets[kTextColorSet], s.working.dayTextColor);
  } else {
    s.working.dayBackColor =
        PickFromColorList(s.dialog, combo, s.data->colorSets.sets[kBackColorSet], s.working.dayBackColor);
  }
  RepaintSamples(s);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  DayDialogState* s = StateOf(dialog);
  if (s == nullptr) return FALSE;
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  // A colour list's "指定" opens the colour chooser.
  const PairQuestion question(code == CBN_SELCHANGE ? s->undated : nullptr);
  if (const RowHit hit = s->rows.OnCommand(id, code, s->working.entries)) {
    if (hit.place == kRowSpan && code == BN_CLICKED) OnSpan(*s, hit.row);
    return TRUE;
  }
  if (code == CBN_SELCHANGE && (id == IDC_DAY_TEXT_COLOR || id == IDC_DAY_BACK_COLOR)) {
    OnDayListChange(*s, id);
    return TRUE;
  }
  switch (id) {
    case IDB_DAY_OK:
    case IDOK:
      OnOk(*s);
      return TRUE;
    case IDB_DAY_CANCEL:
    case IDCANCEL:
      Finish(*s, 0);
      return TRUE;
    case IDB_DAY_SORT:
      SortRows(*s);
      return TRUE;
    case IDB_DAY_CLEAR:
      OnClear(*s);
      return TRUE;
    case IDB_DAY_MOVE:
      OnMove(*s);
      return TRUE;
    case IDB_DAY_CATEGORIES:
      OnCategories(*s);
      return TRUE;
    case IDB_DAY_COLOR_SETS:
      OnColorSets(*s);
      return TRUE;
    case IDB_DAY_UNDATED:
      OnUndated(*s);
      return TRUE;
  }
  return FALSE;
}

void PaintSamples(DayDialogState& s, HDC dc) {
  const DayRecord& r = s.working;
  PaintSample(dc, s.font.get(), s.dayBox, r.dayTextColor, r.dayBackColor);
  s.rows.PaintSamples(dc, s.font.get(), r.entries);
}

INT_PTR OnPaint(HWND dialog) {
  DayDialogState* s = StateOf(dialog);
  if (s == nullptr) return FALSE;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog, &paint);
  PaintSamples(*s, dc);
  EndPaint(dialog, &paint);
  return TRUE;
}

INT_PTR OnInitDialog(HWND dialog, DayDialogState* s) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
  s->dialog = dialog;
  s->font = CreateSampleFont(dialog);
  HWND picker = s->Item(IDC_DAY_DATE);
  if (!s->font || picker == nullptr) {
    EndDialog(dialog, -1);
    return TRUE;
  }
  CenterWindow(dialog, true);
  s->storePrompts.Take(s->data->storePrompts, dialog);
  SetUpDayPicker(picker, kFirstSerial, kLastSerial);
  s->dayBox = TakeSampleBox(dialog, IDT_DAY_SAMPLE);
  s->rows.Attach(dialog, *s->data);
  LoadDay(*s, s->opened);
  // Double-click, type, Enter: the caret waits in the first free row and
  // Enter in a text means OK.
  SendMessageA(dialog, DM_SETDEFID, IDB_DAY_OK, 0);
  SetFocus(s->rows.FirstFreeText());
  return FALSE;  // the focus is set
}

INT_PTR CALLBACK DayDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<DayDialogState*>(lParam));
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
    case WM_PAINT:
      return OnPaint(dialog);
    case WM_PRINTCLIENT:
      if (DayDialogState* s = StateOf(dialog)) PaintSamples(*s, reinterpret_cast<HDC>(wParam));
      return TRUE;
  }
  return FALSE;
}

bool DayDialogState::PutEntry(const ScheduleEntry& entry) noexcept {
  for (int row = 0; row < kEntriesPerDay; ++row) {
    char text[kEntryTextSize];
    rows.ReadText(row, text);
    int8_t number = RowOrder(*this, row);
    if (number != 0 && text[0] != '\0') continue;
    if (number == 0) number = static_cast<int8_t>(row + 1);
    ScheduleEntry& e = working.entries[row];
    e = entry;
    e.order = number;
    e.span = 0;
    overwriteLast[row] = false;
    rows.ShowNumber(row, number);
    ShowRow(*this, row, nullptr);
    RepaintSamples(*this);
    return true;
  }
  return false;
}

ScheduleEntry DayDialogState::RowEntry(int row) noexcept {
  ScheduleEntry e = working.entries[row];
  char text[kEntryTextSize];
  rows.ReadText(row, text);
  TakeRowText(*this, row, e, text);
  e.mark = rows.ReadMark(row);
  return e;
}

void DayDialogState::RefillCategoryLists() noexcept {
  for (int row = 0; row < kEntriesPerDay; ++row) rows.ShowCategoryList(row, working.entries[row]);
  RepaintSamples(*this);
}

void DayDialogState::RefillColorLists() noexcept {
  ShowDayColors(*this);
  for (int row = 0; row < kEntriesPerDay; ++row) rows.ShowColorLists(row, working.entries[row]);
  RepaintSamples(*this);
}

}  // namespace

int8_t OrderFromText(const char* text) noexcept {
  // A 4-character field reaches -999 .. 9999; out-of-range values keep
  // their sign instead of wrapping, so 256 never turns into an empty row.
  const long value = std::strtol(text, nullptr, 10);
  return static_cast<int8_t>(std::clamp<long>(value, INT8_MIN, INT8_MAX));
}

int RowSortKey(int8_t order) noexcept {
  if (order < 0) return -order;
  return order == 0 ? kEmptyRowKey : order;
}

void SortRowsByKey(const int (&keys)[kEntriesPerDay], int (&order)[kEntriesPerDay]) noexcept {
  for (int row = 0; row < kEntriesPerDay; ++row) order[row] = row;
  for (int gap : {4, 2, 1}) {
    for (int i = gap; i < kEntriesPerDay; ++i) {
      for (int j = i; j >= gap && keys[order[j]] < keys[order[j - gap]]; j -= gap) {
        std::swap(order[j], order[j - gap]);
      }
    }
  }
}

int RunDayDialog(HWND owner, SerialDay day, const ScheduleDialogData& data) {
  MessagePrompts prompts(owner);
  if (!data.years.Usable()) {
    prompts.Tell(kNoRecordRoom);
    return 0;
  }
  DayDialogState state;
  state.data = &data;
  state.opened = ClampSerial(day);
  const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), IDD_DAYDLG, owner, DayDialogProc,
                                         reinterpret_cast<LPARAM>(&state));
  if (result < 0) {
    prompts.Tell(kSetUpFailed);
    return 0;
  }
  return static_cast<int>(result);
}

}  // namespace hiyomi
