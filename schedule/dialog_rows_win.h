// What the day and undated dialogs share: their date pickers, the panel of
// entry rows with its lists, texts and " 色 " samples.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "almanac/dates.h"
#include "base/win/gdi_objects.h"
#include "schedule/categories.h"
#include "schedule/message_prompts.h"
#include "schedule/records.h"
#include "schedule/secret_text.h"

namespace hiyomi {

class SettingsStore;
struct ScheduleDialogData;

inline constexpr int kEntryTextBytes = kEntryTextSize - 1;  // 40
inline constexpr int kOrderChars = 4;

inline constexpr char kDayPickerFormat[] = "' 'yyy'年 'MM'月 'dd'日 ' ddd'曜日'";

// Every date picker of the program: its format, range first .. last.
void SetUpDayPicker(HWND picker, SerialDay first, SerialDay last,
                    const char* format = kDayPickerFormat);
void SetPickerDay(HWND picker, SerialDay day);
// The picked day, or `fallback` when the picker has none.
SerialDay PickerDay(HWND picker, SerialDay fallback);

// The edit's text cut to `bytes` without splitting a double-byte character.
void ReadEditText(HWND edit, char* out, int bytes);
// Call on EN_CHANGE of a text edit: cuts what was typed beyond `bytes`,
// never between a lead byte and its trail byte.
void KeepEditWithin(HWND edit, int bytes);
// The edit's integer, 0 for an empty or bare-sign text.
int ReadEditNumber(HWND edit);
// The one-character mark of an entry, to and from its edit.
char ReadEditMark(HWND edit);
void ShowEditMark(HWND edit, char mark);

// Shows an entry's text for editing, deciphered with the mark kept. When the
// texts are locked and `mayPrompt` allows it, asks for the password once
// (clearing the permission) and tries again. A text that stays enciphered
// shows its stored bytes with the edit disabled; returns whether it does.
bool ShowEntryText(HWND dialog, HWND edit, const char* stored, SecretTexts& secrets,
                   SettingsStore& settings, bool* mayPrompt);

// Names of the used categories, selecting `category`'s.
void FillCategoryList(HWND combo, const CategoryTable& table, int category);
// The category picked, 255 for none.
uint8_t PickedCategory(HWND combo, const CategoryTable& table);

// The colours a sample shows; -1 means the dialog's own background.
int32_t EffectiveTextColor(const ScheduleEntry& e, const CategoryTable& table) noexcept;
int32_t EffectiveBackColor(const ScheduleEntry& e, const CategoryTable& table) noexcept;

// " 色 " centred in `box`; a negative back colour leaves the background.
void PaintSample(HDC dc, HFONT font, const RECT& box, int32_t textColor, int32_t backColor);
// A sample control's rectangle in the dialog's client area; hides it.
RECT TakeSampleBox(HWND dialog, int id);
// The 9-point "ＭＳ Ｐゴシック" of the samples.
Font CreateSampleFont(HWND dialog);

// A control's place in its entry row: row k's control has the id
// first + 10k + place, the same in the day and the undated dialog.
enum RowControl : int {
  kRowNumber = 0,  // the day's display order, the undated entry's display offset
  kRowCategory = 1,
  kRowText = 2,
  kRowSample = 3,
  kRowTextColor = 4,
  kRowBackColor = 5,
  kRowMark = 6,
};
inline constexpr int kRowIdStep = 10;

// For a static_assert in each dialog: its row-0 ids stand at the places above.
constexpr bool RowIdsInPlace(int number, int category, int text, int sample, int textColor, int backColor,
                             int mark, int step) noexcept {
  return category - number == kRowCategory && text - number == kRowText && sample - number == kRowSample &&
         textColor - number == kRowTextColor && backColor - number == kRowBackColor &&
         mark - number == kRowMark && step == kRowIdStep;
}

// Which row control a command came from: its place and row; no place (-1)
// when it came from another control.
struct RowHit {
  int place = -1;
  int row = 0;
  explicit operator bool() const { return place >= 0; }
};

// The rows of entries a dialog shows, row 0 on top. A dialog may give its
// rows more controls after the shared ones (the day's "Ex"), up to `last`.
class EntryRowPanel {
 public:
  // first: row 0's number edit; last: row 0's last control; rows: up to 8.
  EntryRowPanel(int first, int last, int rows) noexcept : first_(first), last_(last), rows_(rows) {}

  // At WM_INITDIALOG: takes and hides the sample boxes and limits the edits.
  void Attach(HWND dialog, const ScheduleDialogData& data);

  int Id(int place, int row) const { return first_ + kRowIdStep * row + place; }
  HWND Item(int place, int row) const { return GetDlgItem(dialog_, Id(place, row)); }

  void ShowNumber(int row, int number) const;
  // The entry's lists, text and mark (the number is the dialog's). The text
  // shows as ShowEntryText does; returns whether it stays enciphered.
  bool ShowEntry(int row, const ScheduleEntry& e, bool* mayPrompt) const;
  void ShowCategoryList(int row, const ScheduleEntry& e) const;
  void ShowColorLists(int row, const ScheduleEntry& e) const;
  void ReadText(int row, char (&text)[kEntryTextSize]) const;
  // Where a user types first: the first row's text edit that is empty and
  // enabled, else row 0's.
  HWND FirstFreeText() const;
  char ReadMark(int row) const;

  // WM_COMMAND of any control. A row's edits are kept within their lengths,
  // a row list's pick goes into entries[row] and shows in the samples. Tells
  // which row control it was; the dialog handles its own further places.
  RowHit OnCommand(int id, int code, std::span<ScheduleEntry> entries) const;

  void RepaintSamples() const;
  // `entries`: the rows' entries, row 0's first.
  void PaintSamples(HDC dc, HFONT font, std::span<const ScheduleEntry> entries) const;

 private:
  RowHit Find(int id) const;
  // Stores the pick of the list at `place` into `e`; false when it is no list.
  bool Pick(int place, int row, ScheduleEntry& e) const;

  int first_;
  int last_;
  int rows_;
  HWND dialog_ = nullptr;
  const ScheduleDialogData* data_ = nullptr;
  RECT boxes_[kEntriesPerDay] = {};
};

// The day dialog and its attached undated dialog: while one of them asks
// something (a message box, the password, a dialog of its own), the other is
// disabled for the duration. It could otherwise close the asking one under
// its question or change the rows the question is about. A nested question
// finds the other disabled already and leaves it to the outer one.
class PairQuestion {
 public:
  explicit PairQuestion(HWND other) noexcept;
  PairQuestion(const PairQuestion&) = delete;
  PairQuestion& operator=(const PairQuestion&) = delete;
  ~PairQuestion();

 private:
  HWND other_ = nullptr;
};

// Gives `prompts` (when there are any) to `dialog` until destroyed, then
// back to their previous owner.
class PromptOwnerScope {
 public:
  PromptOwnerScope() = default;
  PromptOwnerScope(const PromptOwnerScope&) = delete;
  PromptOwnerScope& operator=(const PromptOwnerScope&) = delete;
  ~PromptOwnerScope() {
    if (prompts_ != nullptr) prompts_->SetOwner(previous_);
  }
  void Take(MessagePrompts* prompts, HWND dialog) {
    if (prompts == nullptr || prompts_ != nullptr) return;
    prompts_ = prompts;
    previous_ = prompts->Owner();
    prompts->SetOwner(dialog);
  }

 private:
  MessagePrompts* prompts_ = nullptr;
  void* previous_ = nullptr;
};

}  // namespace hiyomi
