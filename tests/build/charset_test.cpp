// Every text the programs show or store is code page 932; the build must
// turn UTF-8 sources into Shift-JIS literals in both trees.
#include <gtest/gtest.h>

#include <cstring>

TEST(Charset, LiteralsAreShiftJis) {
  const char day[] = "日";
  ASSERT_EQ(sizeof day, 3u);
  EXPECT_EQ(static_cast<unsigned char>(day[0]), 0x93);
  EXPECT_EQ(static_cast<unsigned char>(day[1]), 0xFA);
  // A trail byte of 0x5C must survive as part of the character.
  const char so[] = "ソ";
  EXPECT_EQ(std::strlen(so), 2u);
  EXPECT_EQ(static_cast<unsigned char>(so[1]), 0x5C);
  // Ideographic space, which many message texts end with.
  EXPECT_STREQ("　", "\x81\x40");
}
