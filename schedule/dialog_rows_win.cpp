#include "schedule/dialog_rows_win.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "base/win/date_picker.h"
#include "base/win/ui_helpers.h"
#include "schedule/category_dialogs.h"
#include "schedule/password_dialog.h"
#include "schedule/undated_dialog.h"
#include "settings/settings_store.h"
#include "base/text.h"

namespace hiyomi {
namespace {

constexpr char kAskPasswordToRead[] = "暗号化された情報があります。パスワードを入力してください。　　";

PickerDate PickerDateOf(SerialDay day) {
  const CalendarDate date = DateFromSerial(ClampSerial(day));
  return PickerDate{date.year, date.month, date.day};
}

}  // namespace

void SetUpDayPicker(HWND picker, SerialDay first, SerialDay last, const char* format) {
  SetUpPicker(picker, format, PickerDateOf(first), PickerDateOf(last));
}

void SetPickerDay(HWND picker, SerialDay day) { SetPickerDate(picker, PickerDateOf(day)); }

SerialDay PickerDay(HWND picker, SerialDay fallback) {
  PickerDate date;
  if (!GetPickerDate(picker, &date)) return fallback;
  return ClampSerial(SerialFromDate(date.year, date.month, date.day));
}

void ReadEditText(HWND edit, char* out, int bytes) {
  // Read more than fits, then cut on a character boundary: a read cut by
  // the buffer could end on a lead byte.
  char text[256] = {};
  GetWindowTextA(edit, text, sizeof text);
  std::memset(out, 0, static_cast<size_t>(bytes) + 1);
  CopyText(out, text, bytes + 1);
}

void KeepEditWithin(HWND edit, int bytes) {
  char text[256] = {};
  GetWindowTextA(edit, text, sizeof text);
  if (static_cast<int>(std::strlen(text)) <= bytes) return;
  char cut[256];
  CopyText(cut, text, bytes + 1);
  DWORD start = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  SetWindowTextA(edit, cut);
  const DWORD length = static_cast<DWORD>(GetWindowTextLengthA(edit));
  const DWORD caret = start < length ? start : length;
  SendMessageA(edit, EM_SETSEL, caret, caret);
}

int ReadEditNumber(HWND edit) {
  char text[32] = {};
  GetWindowTextA(edit, text, sizeof text);
  return std::atoi(text);
}

char ReadEditMark(HWND edit) {
  char mark[2];
  ReadEditText(edit, mark, 1);
  return mark[0];
}

void ShowEditMark(HWND edit, char mark) {
  const char text[2] = {mark, '\0'};
  SetWindowTextA(edit, text);
}

bool ShowEntryText(HWND dialog, HWND edit, const char* stored, SecretTexts& secrets,
                   SettingsStore& settings, bool* mayPrompt) {
  char text[kEntryTextSize];
  std::memcpy(text, stored, sizeof text);
  text[kEntryTextSize - 1] = '\0';
  int result = secrets.DecipherText(text, MarkMode::Keep);
  if (result == kDecipherLocked && mayPrompt != nullptr && *mayPrompt) {
    *mayPrompt = false;
    WindowSecretPrompts prompts(dialog, secrets, settings);
    prompts.Tell(kAskPasswordToRead);
    prompts.AskForPassword();
    result = secrets.DecipherText(text, MarkMode::Keep);
  }
  const bool sealed = result != 0 || secrets.IsSecretForm(text);
  SetWindowTextA(edit, text);
  EnableWindow(edit, !sealed);
  return sealed;
}

void FillCategoryList(HWND combo, const CategoryTable& table, int category) {
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (int position = 0;; ++position) {
    const int number = table.NumberAtListPosition(position);
    if (number < 0) break;
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(table.NameOf(number)));
  }
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(table.ListPositionOf(category)), 0);
}

uint8_t PickedCategory(HWND combo, const CategoryTable& table) {
  const int number = table.NumberAtListPosition(static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)));
  return number < 0 ? kNoCategory : static_cast<uint8_t>(number);
}

int32_t EffectiveTextColor(const ScheduleEntry& e, const CategoryTable& table) noexcept {
  if (e.textColor >= 0) return e.textColor;
  const int32_t own = table.TextColorOf(e.category);
  return own >= 0 ? own : 0x000000;
}

int32_t EffectiveBackColor(const ScheduleEntry& e, const CategoryTable& table) noexcept {
  return e.backColor >= 0 ? e.backColor : table.BackColorOf(e.category);
}

void PaintSample(HDC dc, HFONT font, const RECT& box, int32_t textColor, int32_t backColor) {
  RECT r = box;
  if (backColor >= 0) {
    const Brush brush(CreateSolidBrush(static_cast<COLORREF>(backColor)));
    FillRect(dc, &r, brush.get());
  }
  const SelectedObject selected(dc, font);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, static_cast<COLORREF>(textColor < 0 ? 0 : textColor));
  DrawTextA(dc, " 色 ", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

RECT TakeSampleBox(HWND dialog, int id) {
  HWND box = GetDlgItem(dialog, id);
  RECT r{};
  GetWindowRect(box, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  ShowWindow(box, SW_HIDE);
  return r;
}

Font CreateSampleFont(HWND dialog) {
  LOGFONTA font{};
  font.lfHeight = -MulDiv(9, GetDeviceCaps(WindowDc(dialog).get(), LOGPIXELSY), 72);
  font.lfCharSet = SHIFTJIS_CHARSET;
  std::strcpy(font.lfFaceName, "ＭＳ Ｐゴシック");
  return Font(CreateFontIndirectA(&font));
}

PairQuestion::PairQuestion(HWND other) noexcept {
  if (other == nullptr || !IsWindowEnabled(other)) return;
  other_ = other;
  EnableWindow(other_, FALSE);
}

PairQuestion::~PairQuestion() {
  if (other_ != nullptr && IsWindow(other_)) EnableWindow(other_, TRUE);
}

void EntryRowPanel::Attach(HWND dialog, const ScheduleDialogData& data) {
  dialog_ = dialog;
  data_ = &data;
  for (int row = 0; row < rows_; ++row) {
    boxes_[row] = TakeSampleBox(dialog, Id(kRowSample, row));
    SendMessageA(Item(kRowNumber, row), EM_LIMITTEXT, kOrderChars, 0);
    SendMessageA(Item(kRowText, row), EM_LIMITTEXT, kEntryTextBytes, 0);
    SendMessageA(Item(kRowMark, row), EM_LIMITTEXT, 1, 0);
  }
}

RowHit EntryRowPanel::Find(int id) const {
  if (id < first_ || id > last_ + kRowIdStep * (rows_ - 1)) return {};
  const int row = (id - first_) / kRowIdStep;
  const int place = id - first_ - kRowIdStep * row;
  if (place > last_ - first_) return {};
  return {place, row};
}

void EntryRowPanel::ShowNumber(int row, int number) const {
  SetDlgItemInt(dialog_, Id(kRowNumber, row), static_cast<UINT>(number), TRUE);
}

bool EntryRowPanel::ShowEntry(int row, const ScheduleEntry& e, bool* mayPrompt) const {
  ShowCategoryList(row, e);
  const bool sealed = ShowEntryText(dialog_, Item(kRowText, row), e.text, data_->secrets, data_->settings, mayPrompt);
  ShowColorLists(row, e);
  ShowEditMark(Item(kRowMark, row), e.mark);
  return sealed;
}

void EntryRowPanel::ShowCategoryList(int row, const ScheduleEntry& e) const {
  FillCategoryList(Item(kRowCategory, row), data_->categories, e.category);
}

void EntryRowPanel::ShowColorLists(int row, const ScheduleEntry& e) const {
  FillColorList(Item(kRowTextColor, row), data_->colorSets.sets[kTextColorSet], e.textColor);
  FillColorList(Item(kRowBackColor, row), data_->colorSets.sets[kBackColorSet], e.backColor);
}

void EntryRowPanel::ReadText(int row, char (&text)[kEntryTextSize]) const {
  ReadEditText(Item(kRowText, row), text, kEntryTextBytes);
}

HWND EntryRowPanel::FirstFreeText() const {
  for (int row = 0; row < rows_; ++row) {
    HWND edit = Item(kRowText, row);
    if (IsWindowEnabled(edit) && GetWindowTextLengthA(edit) == 0) return edit;
  }
  return Item(kRowText, 0);
}

char EntryRowPanel::ReadMark(int row) const { return ReadEditMark(Item(kRowMark, row)); }

RowHit EntryRowPanel::OnCommand(int id, int code, std::span<ScheduleEntry> entries) const {
  const RowHit hit = Find(id);
  if (!hit) return hit;
  HWND control = Item(hit.place, hit.row);
  if (code == EN_CHANGE) {
    if (hit.place == kRowNumber) FilterNumericEdit(control, kOrderChars);
    if (hit.place == kRowText) KeepEditWithin(control, kEntryTextBytes);
    if (hit.place == kRowMark) KeepEditWithin(control, 1);
  } else if (code == CBN_SELCHANGE && hit.row < static_cast<int>(entries.size()) &&
             Pick(hit.place, hit.row, entries[static_cast<size_t>(hit.row)])) {
    RepaintSamples();
  }
  return hit;
}

bool EntryRowPanel::Pick(int place, int row, ScheduleEntry& e) const {
  HWND control = Item(place, row);
  const ColorSets& colorSets = data_->colorSets;
  switch (place) {
    case kRowCategory:
      e.category = PickedCategory(control, data_->categories);
      return true;
    case kRowTextColor:
      e.textColor = PickFromColorList(dialog_, control, colorSets.sets[kTextColorSet], e.textColor);
      return true;
    case kRowBackColor:
      e.backColor = PickFromColorList(dialog_, control, colorSets.sets[kBackColorSet], e.backColor);
      return true;
  }
  return false;
}

void EntryRowPanel::RepaintSamples() const {
  for (int row = 0; row < rows_; ++row) InvalidateRect(dialog_, &boxes_[row], TRUE);
}

void EntryRowPanel::PaintSamples(HDC dc, HFONT font, std::span<const ScheduleEntry> entries) const {
  const CategoryTable& categories = data_->categories;
  for (int row = 0; row < rows_ && row < static_cast<int>(entries.size()); ++row) {
    const ScheduleEntry& e = entries[static_cast<size_t>(row)];
    PaintSample(dc, font, boxes_[row], EffectiveTextColor(e, categories), EffectiveBackColor(e, categories));
  }
}

}  // namespace hiyomi
