#include "tools/almanac/text_utf8.h"

#if defined(_WIN32)
#include <windows.h>

std::string Utf8FromCp932(const std::string& cp932) {
  if (cp932.empty()) return {};
  const int size = static_cast<int>(cp932.size());
  const int wideCount = MultiByteToWideChar(932, 0, cp932.data(), size, nullptr, 0);
  if (wideCount <= 0) return std::string(cp932.size(), '?');
  std::wstring wide(static_cast<size_t>(wideCount), L'\0');
  MultiByteToWideChar(932, 0, cp932.data(), size, wide.data(), wideCount);
  const int utf8Count =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideCount, nullptr, 0, nullptr, nullptr);
  if (utf8Count <= 0) return std::string(cp932.size(), '?');
  std::string utf8(static_cast<size_t>(utf8Count), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideCount, utf8.data(), utf8Count, nullptr,
                      nullptr);
  return utf8;
}

#else
#include <iconv.h>

std::string Utf8FromCp932(const std::string& cp932) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(cp932.size(), '?');
  std::string in = cp932;
  std::string out(in.size() * 3 + 4, '\0');
  char* inPtr = in.data();
  size_t inLeft = in.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
      // An unconvertible byte: show '?' and go on after it.
      if (outLeft == 0) break;
      *outPtr++ = '?';
      --outLeft;
      ++inPtr;
      --inLeft;
    }
  }
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

#endif
