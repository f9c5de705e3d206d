// The text rule behind the numeric edit filter, kept apart from the edit
// control so it can be checked on its own.
#pragma once

namespace hiyomi {

// Cleans text into an integer: a "+" or "-" kept only in first place, no
// leading zeros (a lone "0" stays), nothing but digits. At most
// min(15, maxLength) characters of text are considered (15 when maxLength
// <= 0). selStart and selEnd (character positions, may be null) are moved
// back by the characters removed before them.
void CleanNumericText(const char* text, int maxLength, char* out, int outSize, int* selStart,
                      int* selEnd);

}  // namespace hiyomi
