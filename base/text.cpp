#include "base/text.h"

namespace hiyomi {

void CopyText(char* dest, const char* src, int size) {
  if (dest == nullptr || size <= 0) return;
  if (src == nullptr) src = "";
  int i = 0;
  while (i < size - 1 && src[i] != '\0') {
    if (IsLeadByte(static_cast<unsigned char>(src[i]))) {
      // A lead byte goes only with its trail byte.
      if (i + 1 >= size - 1 || src[i + 1] == '\0') break;
      dest[i] = src[i];
      dest[i + 1] = src[i + 1];
      i += 2;
    } else {
      dest[i] = src[i];
      ++i;
    }
  }
  dest[i] = '\0';
}

}  // namespace hiyomi
