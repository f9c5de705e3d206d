#include "base/cp932_unicode.h"

#include "base/text.h"

namespace hiyomi {

namespace {

constexpr unsigned char kHalfwidthFirst = 0xA1;  // halfwidth katakana 0xA1-0xDF
constexpr unsigned char kHalfwidthLast = 0xDF;
constexpr char32_t kHalfwidthBase = 0xFF61;

int LeadRow(unsigned char lead) noexcept { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F; }

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

void AppendUtf8FromCp932(std::string_view cp932, std::string& out) {
  for (size_t i = 0; i < cp932.size(); ++i) {
    const auto c = static_cast<unsigned char>(cp932[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c >= kHalfwidthFirst && c <= kHalfwidthLast) {
      AppendUtf8(kHalfwidthBase + (c - kHalfwidthFirst), out);
    } else if (IsLeadByte(c) && i + 1 < cp932.size()) {
      const auto trail = static_cast<unsigned char>(cp932[i + 1]);
      const char32_t value = trail >= kCp932TrailFirst && trail <= kCp932TrailLast
                                 ? kCp932DoubleByte[LeadRow(c)][trail - kCp932TrailFirst]
                                 : 0;
      if (value != 0) {
        AppendUtf8(value, out);
        ++i;
      } else {
        AppendUtf8(kReplacementCharacter, out);
      }
    } else {
      // 0x80, 0xA0, 0xFD-0xFF and a lead byte at the end have no character.
      AppendUtf8(kReplacementCharacter, out);
    }
  }
}

}  // namespace hiyomi
