#include "schedule/memo_pages.h"

#include <gtest/gtest.h>

namespace hiyomi {

namespace {


TEST(MemoPages, FileNamesAreTakenInTheProgramsFolder) {
  const std::string program = "C:\\Tools\\Hiyomi\\Hiyomi.exe";
  struct Case {
    int page;
    const char* name;
    std::string expected;
  };
  const Case cases[] = {
      {0, "", "C:\\Tools\\Hiyomi\\Hiyomi.mem"},
      {1, "", ""},  // no second page
      {1, "work.mem", "C:\\Tools\\Hiyomi\\work.mem"},
      {2, "notes\\a.mem", "C:\\Tools\\Hiyomi\\notes\\a.mem"},
      {1, "D:memo.txt", "D:memo.txt"},
      {2, "\\share\\m.mem", "\\share\\m.mem"},
  };
  for (const Case& c : cases) EXPECT_EQ(MemoPagePath(c.page, c.name, program), c.expected) << c.name;
  // "表" ends in the byte 0x5C: it is no folder separator.
  EXPECT_EQ(MemoPagePath(0, "", "C:\\予定表\\Hiyomi.exe"), "C:\\予定表\\Hiyomi.mem");
  EXPECT_EQ(MemoPagePath(1, "a.mem", "C:\\表\\Hiyomi.exe"), "C:\\表\\a.mem");
}

TEST(MemoPages, TitlesAndHeights) {
  EXPECT_EQ(MemoPageTitle(0, "仕事"), "仕事");
  EXPECT_EQ(MemoPageTitle(2, ""), "Memo3");
  EXPECT_EQ(MemoAreaHeight(4, true, 0, 30, 12), 0);
  EXPECT_EQ(MemoAreaHeight(4, false, 0, 30, 12), 48);
  EXPECT_EQ(MemoAreaHeight(1, false, 3, 30, 12), 36);
  EXPECT_EQ(MemoAreaHeight(50, false, 0, 30, 12), 360);
  EXPECT_EQ(MemoAreaHeight(5, false, 4, 2, 10), 40);  // a maximum below the minimum is raised
}

}  // namespace

}  // namespace hiyomi
