// CP932 texts as UTF-8, through a table made from a reference codec, so
// both trees convert alike and no system converter is needed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hiyomi {

inline constexpr int kCp932TrailFirst = 0x40;
inline constexpr int kCp932TrailLast = 0xFC;
inline constexpr int kCp932LeadCount = 60;  // 0x81-0x9F and 0xE0-0xFC
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Unicode of each lead and trail pair; 0 where the pair has no character.
extern const uint16_t kCp932DoubleByte[kCp932LeadCount][kCp932TrailLast - kCp932TrailFirst + 1];

// Appends `cp932` as UTF-8. A byte or pair without a character becomes
// U+FFFD; a lead byte without a valid trail byte is replaced alone, and the
// byte after it is read afresh, so an ASCII character is never swallowed.
void AppendUtf8FromCp932(std::string_view cp932, std::string& out);

}  // namespace hiyomi
