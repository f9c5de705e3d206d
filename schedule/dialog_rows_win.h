// What the day and undated dialogs share: their date pickers, the entry
// rows' lists and texts, and the " 色 " samples.
#pragma once

#include <windows.h>

#include <cstdint>

#include "almanac/dates.h"
#include "base/win/gdi_objects.h"
#include "schedule/categories.h"
#include "schedule/message_prompts.h"
#include "schedule/records.h"
#include "schedule/secret_text.h"

namespace hiyomi {

class SettingsStore;

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

// Which control of an entry row `id` is: its base id (the row-0 id in
// firstBase .. lastBase) and its row (0 .. rows-1), ids stepping by 10.
bool EntryRowControl(int id, int firstBase, int lastBase, int rows, int& base, int& row);

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

// Row controls at the same place in both dialogs' rows, from the row's first id.
inline constexpr int kRowCategoryOffset = 1;
inline constexpr int kRowTextColorOffset = 4;
inline constexpr int kRowBackColorOffset = 5;
// After the user picked in the row list at `offset`: stores the pick into
// the entry. False when `offset` is no list.
bool PickIntoEntry(HWND dialog, HWND combo, int offset, ScheduleEntry& e, const CategoryTable& categories,
                   const ColorSets& colorSets);

// The colours a sample shows; -1 means the dialog's own background.
int32_t EffectiveTextColor(const ScheduleEntry& e, const CategoryTable& table) noexcept;
int32_t EffectiveBackColor(const ScheduleEntry& e, const CategoryTable& table) noexcept;

// " 色 " centred in `box`; a negative back colour leaves the background.
void PaintSample(HDC dc, HFONT font, const RECT& box, int32_t textColor, int32_t backColor);
// A sample control's rectangle in the dialog's client area; hides it.
RECT TakeSampleBox(HWND dialog, int id);
// The 9-point "ＭＳ Ｐゴシック" of the samples.
Font CreateSampleFont(HWND dialog);

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
