// One regular schedule in a row of controls: "有効", the name and the five
// lists (kind, month, day, weekday, move or shift), shared by the page
// 定期予定 and the group dialog. The row's controls sit at `base` plus the
// IDO_REGULAR_... offsets.
#pragma once

#include <windows.h>

#include "settings/options.h"

namespace hiyomi {

// The list indices and the box of a row, as the validity rule reads them.
struct RegularRowChoice {
  int kind;
  int month;
  int day;
  int weekday;
  int shift;
  bool enabled;
};

// Fills the lists with their entries and shows `word` (negative when
// switched off, 0 for an empty slot) and `name`.
void FillRegularRow(HWND dialog, int base, int word, const char* name);
RegularRowChoice ReadRegularRow(HWND dialog, int base);
bool RegularRowValid(const RegularRowChoice& row);
// Stores the row's name and rule word (negated when "有効" is cleared).
void StoreRegularRow(HWND dialog, int base, int& word, char (&name)[kRegularNameSize]);

}  // namespace hiyomi
