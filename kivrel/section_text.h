// The text of one settings section as the private-profile section calls
// pass it: "name=value" lines, each ended by a zero byte, the list ended by
// one more. Built from registry values and split back into them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hiyomi {

inline constexpr int kSectionTextSize = 10000;   // one section, either way
inline constexpr int kValueDataLimit = 300;      // bytes of one value copied to the ini file
inline constexpr int kSectionNamesSize = 1000;   // the ini file's section names
inline constexpr int kSectionNameLimit = 63;     // characters of a subkey name copied
inline constexpr int kSubkeyNameLimit = 127;     // characters of a subkey name deleted

// Lines added while room remains; the buffer never grows past
// kSectionTextSize, its final zero included.
class SectionText {
 public:
  // Another value is read only while at least kValueDataLimit bytes remain.
  bool HasRoom() const { return Remaining() >= kValueDataLimit; }
  int Remaining() const { return kSectionTextSize - static_cast<int>(text_.size()); }

  // Appends name=data. data ends at its first zero byte (a string value's
  // terminator) and is cut to kValueDataLimit bytes on a character
  // boundary. False, with nothing added, when the line does not fit.
  bool Append(std::string_view name, std::string_view data);

  // The list with its closing zero.
  std::string Finish() const { return text_ + '\0'; }

 private:
  std::string text_;
};

// The entries of a zero-separated list that a profile call returned:
// `returned` bytes of a buffer of `size` bytes. When the call filled the
// buffer (returned == size - 2) the last entry may be cut, so it is left
// out rather than taken for a whole one.
std::vector<std::string> ZeroSeparatedEntries(const char* buffer, int returned, int size);

struct KeyValue {
  std::string key;
  std::string value;
};

// "key=value" split at the first "="; false for a line without one.
bool SplitKeyValue(const std::string& line, KeyValue& out);

}  // namespace hiyomi
