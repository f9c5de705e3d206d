#include "base/number_parse.h"

#include <cstring>

namespace hiyomi {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

int64_t ParseNumber(const char* text) {
  if (text == nullptr) return 0;
  const char* p = text;
  while (*p == ' ') ++p;
  bool negative = false;
  if (*p == '-') {
    negative = true;
    ++p;
  } else if (*p == '+') {
    ++p;
  }
  // Settings files are edited by hand; a runaway digit string must clamp
  // to the caller's range, not wrap into some other in-range value.
  constexpr uint64_t kLimit = static_cast<uint64_t>(INT64_MAX);
  uint64_t value = 0;
  const bool hex = (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) ||
                   (p[0] == '&' && (p[1] == 'h' || p[1] == 'H'));
  if (hex) {
    p += 2;
    for (int d; (d = HexDigit(*p)) >= 0; ++p) {
      value = value > (kLimit >> 4) ? kLimit : value * 16 + static_cast<uint64_t>(d);
      if (value > kLimit) value = kLimit;
    }
  } else {
    for (; *p >= '0' && *p <= '9'; ++p) {
      const uint64_t d = static_cast<uint64_t>(*p - '0');
      value = value > (kLimit - d) / 10 ? kLimit : value * 10 + d;
    }
  }
  const int64_t magnitude = static_cast<int64_t>(value);
  return negative ? -magnitude : magnitude;
}

int ClampInt(int64_t value, int minimum, int maximum) {
  if (value < minimum) return minimum;
  if (value > maximum) return maximum;
  return static_cast<int>(value);
}

int64_t ParseHexField(const char* text, int length, bool plain) {
  char buffer[2 + 29 + 1];
  int used = 0;
  if (!plain) {
    buffer[used++] = '0';
    buffer[used++] = 'x';
  }
  const int limit = length < 29 ? length : 29;
  for (int i = 0; text != nullptr && i < limit && text[i] != '\0'; ++i) {
    buffer[used++] = text[i];
  }
  buffer[used] = '\0';
  return ParseNumber(buffer);
}

}  // namespace hiyomi
