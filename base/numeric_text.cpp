#include "base/numeric_text.h"

namespace hiyomi {

void CleanNumericText(const char* text, int maxLength, char* out, int outSize, int* selStart,
                      int* selEnd) {
  if (out == nullptr || outSize <= 0) return;
  const int limit = (maxLength > 0 && maxLength < 15) ? maxLength : 15;
  const int oldStart = selStart != nullptr ? *selStart : 0;
  const int oldEnd = selEnd != nullptr ? *selEnd : 0;
  int newStart = oldStart;
  int newEnd = oldEnd;
  int used = 0;
  int length = 0;
  while (text != nullptr && length < limit && text[length] != '\0') ++length;
  for (int i = 0; i < length; ++i) {
    const char c = text[i];
    bool keep = false;
    if (c == '+' || c == '-') {
      keep = used == 0 && i == 0;
    } else if (c >= '0' && c <= '9') {
      const bool afterSign = used == 1 && (out[0] == '+' || out[0] == '-');
      const bool noDigitYet = used == 0 || afterSign;
      // A zero with nothing but a sign before it is a leading zero unless no
      // digit follows: a lone "0" must stay typeable.
      bool laterDigit = false;
      for (int j = i + 1; j < length && !laterDigit; ++j) {
        laterDigit = text[j] >= '0' && text[j] <= '9';
      }
      keep = !(c == '0' && noDigitYet && laterDigit);
    }
    if (keep && used < outSize - 1) {
      out[used++] = c;
    } else {
      if (i < oldStart) --newStart;
      if (i < oldEnd) --newEnd;
    }
  }
  out[used] = '\0';
  if (newStart > used) newStart = used;
  if (newEnd > used) newEnd = used;
  if (selStart != nullptr) *selStart = newStart < 0 ? 0 : newStart;
  if (selEnd != nullptr) *selEnd = newEnd < 0 ? 0 : newEnd;
}

}  // namespace hiyomi
