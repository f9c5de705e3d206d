// Zero-terminated CP932 texts in fixed-size buffers: a lead byte of a
// double-byte character never goes without its trail byte.
#pragma once

namespace hiyomi {

// The first byte of a double-byte character in code page 932.
constexpr bool IsLeadByte(unsigned char c) noexcept {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Copies at most size - 1 bytes of src and ends with a zero, never leaving a
// Shift-JIS lead byte without its trail byte. Nothing happens for size <= 0.
// dest may be src itself: the text is then cut in place.
void CopyText(char* dest, const char* src, int size);

}  // namespace hiyomi
