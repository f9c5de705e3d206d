#include "kivrel/section_text.h"

#include <cstring>

#include "base/text.h"

namespace hiyomi {

bool SectionText::Append(std::string_view name, std::string_view data) {
  const size_t zero = data.find('\0');
  if (zero != std::string_view::npos) data = data.substr(0, zero);
  char value[kValueDataLimit + 1];
  const size_t length = data.size() < kValueDataLimit ? data.size() : kValueDataLimit;
  std::memcpy(value, data.data(), length);
  value[length] = '\0';
  if (data.size() > kValueDataLimit) CopyText(value, value, kValueDataLimit + 1);
  const size_t valueLength = std::strlen(value);
  // name, "=", value, its zero, and the list's closing zero.
  const size_t needed = name.size() + 1 + valueLength + 1 + 1;
  if (name.empty() || needed > static_cast<size_t>(Remaining())) return false;
  text_.append(name);
  text_ += '=';
  text_.append(value, valueLength);
  text_ += '\0';
  return true;
}

std::vector<std::string> ZeroSeparatedEntries(const char* buffer, int returned, int size) {
  std::vector<std::string> entries;
  if (buffer == nullptr || returned <= 0) return entries;
  for (int i = 0; i < returned && buffer[i] != '\0';) {
    const int length = static_cast<int>(strnlen(buffer + i, static_cast<size_t>(returned - i)));
    entries.emplace_back(buffer + i, static_cast<size_t>(length));
    i += length + 1;
  }
  if (returned >= size - 2 && !entries.empty()) entries.pop_back();
  return entries;
}

bool SplitKeyValue(const std::string& line, KeyValue& out) {
  const size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  out.key = line.substr(0, equals);
  out.value = line.substr(equals + 1);
  return true;
}

}  // namespace hiyomi
