// Number conversions shared by every settings read and by the dialogs'
// hexadecimal fields. They never fail: text that is not a number reads as 0.
#pragma once

#include <cstdint>

namespace hiyomi {

// Leading spaces, an optional sign, then "0x"/"&h" hexadecimal or decimal
// digits up to the first other character. Saturates instead of overflowing.
int64_t ParseNumber(const char* text);

// The value limited to [minimum, maximum]; the result always fits an int.
int ClampInt(int64_t value, int minimum, int maximum);

// At most 29 characters (and at most length) of text, read as hexadecimal
// unless plain is set, in which case "0x" or "&h" must be in the text itself.
int64_t ParseHexField(const char* text, int length, bool plain);

}  // namespace hiyomi
