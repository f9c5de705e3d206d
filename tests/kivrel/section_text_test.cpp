// The section text between the registry and the ini file: lines built
// within the buffer, values cut on a character boundary, lists read back
// without a cut last entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kivrel/section_text.h"

namespace hiyomi {
namespace {

TEST(SectionText, LinesEndWithZeroAndTheListWithAnother) {
  SectionText text;
  EXPECT_TRUE(text.Append("UseReg", std::string("2\0junk", 6)));  // a stored terminator ends it
  EXPECT_TRUE(text.Append("Section", "Work"));
  EXPECT_FALSE(text.Append("", "x"));
  EXPECT_EQ(text.Finish(), std::string("UseReg=2\0Section=Work\0\0", 23));
}

TEST(SectionText, LongValuesAreCutOnACharacterAndTheBufferNeverOverflows) {
  SectionText text;
  // 299 ASCII bytes and then a double-byte character across the limit.
  const std::string value = std::string(299, 'a') + "日本";
  ASSERT_TRUE(text.Append("Memo", value));
  EXPECT_EQ(text.Finish(), "Memo=" + std::string(299, 'a') + std::string("\0\0", 2));

  SectionText full;
  int lines = 0;
  while (full.HasRoom() && full.Append("Key" + std::to_string(lines), std::string(400, 'x'))) ++lines;
  EXPECT_LE(static_cast<int>(full.Finish().size()), kSectionTextSize);
  EXPECT_LT(full.Remaining(), kValueDataLimit);
  const std::string tooLong(static_cast<size_t>(full.Remaining()), 'n');
  EXPECT_FALSE(full.Append(tooLong, "1"));
}

TEST(ZeroSeparatedEntries, AFilledBufferLosesItsCutLastEntry) {
  const char list[] = "Default\0Work\0Hom";
  const struct {
    int returned, size;
    std::vector<std::string> entries;
  } cases[] = {
      {13, 1000, {"Default", "Work"}},
      {16, 18, {"Default", "Work"}},  // size - 2: "Hom" may be "Home" cut
      {0, 1000, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ZeroSeparatedEntries(list, c.returned, c.size), c.entries) << c.returned;
  }
}

TEST(SplitKeyValue, AtTheFirstEqualsOnly) {
  KeyValue entry;
  ASSERT_TRUE(SplitKeyValue("Text=a=b", entry));
  EXPECT_EQ(entry.key, "Text");
  EXPECT_EQ(entry.value, "a=b");
  ASSERT_TRUE(SplitKeyValue("Empty=", entry));
  EXPECT_EQ(entry.value, "");
  EXPECT_FALSE(SplitKeyValue("; a comment", entry));
}

}  // namespace
}  // namespace hiyomi
