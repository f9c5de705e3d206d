#include <gtest/gtest.h>

#include "schedule/undated_list.h"
#include "schedule_fixtures.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

class UndatedListTest : public ::testing::Test {
 protected:
  UndatedListTest() : dir_(::testing::UnitTest::GetInstance()->current_test_info()->name()) {}
  ScratchDir dir_;
  ScriptedPrompts prompts_;
  UndatedList list_{SystemDataFiles(), prompts_};
};

TEST_F(UndatedListTest, MissingFileGivesDefaultsAndSavesExactly3200Bytes) {
  list_.LoadUndated(dir_.Base());
  for (const ScheduleEntry& e : list_.entries) {
    EXPECT_EQ(+e.order, 1);
    EXPECT_EQ(+e.textColor, -1);
    EXPECT_EQ(+e.backColor, -1);
  }
  list_.entries[49] = MakeEntry("last");
  list_.entries[49].span = 2;
  ASSERT_TRUE(list_.SaveUndated());

  Bytes expected;
  for (int i = 0; i < 49; ++i) {
    const Bytes e = EntryBytes({.order = 1});
    expected.insert(expected.end(), e.begin(), e.end());
  }
  const Bytes last = EntryBytes({.text = "last", .span = 2});
  expected.insert(expected.end(), last.begin(), last.end());
  EXPECT_EQ(ReadBytes(UndatedFileName(dir_.Base())), expected);
}

TEST_F(UndatedListTest, AllEmptyMovesTheFileToBak) {
  Bytes file(3200, 0);
  const Bytes e = EntryBytes({.text = "gone"});
  std::copy(e.begin(), e.end(), file.begin() + 64 * 3);
  WriteBytes(UndatedFileName(dir_.Base()), file);
  list_.LoadUndated(dir_.Base());
  EXPECT_STREQ(list_.entries[3].text, "gone");
  list_.entries[3].text[0] = '\0';
  ASSERT_TRUE(list_.SaveUndated());
  EXPECT_FALSE(dir_.Has("Hiyomi_0000.dat"));
  EXPECT_EQ(ReadBytes(UndatedBackupName(dir_.Base())), file);
}

TEST_F(UndatedListTest, AllEmptyWhenTheFileCannotMoveSaysSo) {
  Bytes file(3200, 0);
  const Bytes e = EntryBytes({.text = "gone"});
  std::copy(e.begin(), e.end(), file.begin());
  WriteBytes(UndatedFileName(dir_.Base()), file);
  LoggingFiles files(SystemDataFiles());
  files.held = "Hiyomi_0000.bak";
  UndatedList list(files, prompts_);
  list.LoadUndated(dir_.Base());
  list.entries[0].text[0] = '\0';
  EXPECT_FALSE(list.SaveUndated());
  EXPECT_EQ(prompts_.told, std::vector<std::string>{"データファイル作成に失敗しました。　　"});
  EXPECT_EQ(ReadBytes(UndatedFileName(dir_.Base())), file);
  files.held.clear();
  ASSERT_TRUE(list.SaveUndated());
  EXPECT_FALSE(dir_.Has("Hiyomi_0000.dat"));
}

TEST_F(UndatedListTest, ShortFileLoadsWhatIsThereAndIsKeptAsBad) {
  const Bytes file = EntryBytes({.text = "one"});
  WriteBytes(UndatedFileName(dir_.Base()), file);
  list_.LoadUndated(dir_.Base());
  EXPECT_STREQ(list_.entries[0].text, "one");
  EXPECT_EQ(+list_.entries[1].order, 0);  // the rest is a zeroed block
  ASSERT_TRUE(list_.SaveUndated());
  EXPECT_EQ(ReadBytes(UndatedBadName(dir_.Base())), file);
  EXPECT_EQ(ReadBytes(UndatedFileName(dir_.Base())).size(), 3200u);
}

TEST_F(UndatedListTest, AFileHeldByAnotherProgramIsReadBeforeAChangeAndNeverOverwritten) {
  Bytes file(3200, 0);
  const Bytes e = EntryBytes({.text = "kept"});
  std::copy(e.begin(), e.end(), file.begin() + 64 * 2);
  WriteBytes(UndatedFileName(dir_.Base()), file);
  LoggingFiles files(SystemDataFiles());
  files.held = "Hiyomi_0000.dat";
  UndatedList list(files, prompts_);
  list.LoadUndated(dir_.Base());
  EXPECT_EQ(list.entries[2].text[0], '\0');
  EXPECT_FALSE(list.ReadyForChanges());
  EXPECT_EQ(prompts_.told, std::vector<std::string>{"データファイルを読み込めませんでした。　　"});
  EXPECT_TRUE(list.SaveUndated());  // nothing was changed, nothing is written
  EXPECT_EQ(ReadBytes(UndatedFileName(dir_.Base())), file);

  files.held.clear();
  ASSERT_TRUE(list.ReadyForChanges());
  EXPECT_STREQ(list.entries[2].text, "kept");
  std::strcpy(list.entries[3].text, "new");
  ASSERT_TRUE(list.SaveUndated());
  EXPECT_FALSE(dir_.Has("Hiyomi_0000.bad"));
  EXPECT_EQ(ReadBytes(UndatedBackupName(dir_.Base())), file);
  list.LoadUndated(dir_.Base());
  EXPECT_STREQ(list.entries[2].text, "kept");
  EXPECT_STREQ(list.entries[3].text, "new");
}

}  // namespace
}  // namespace hiyomi
