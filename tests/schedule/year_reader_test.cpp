// The read-only year reader: it reads what the store wrote, follows the
// store's saves, and leaves files it cannot read exactly as they are.
#include <gtest/gtest.h>

#include <filesystem>

#include "schedule/data_file.h"
#include "schedule/year_reader.h"
#include "schedule/year_store.h"
#include "schedule_fixtures.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

constexpr int32_t kNewYear2026 = 9132;
constexpr int32_t kNewYear2027 = 9497;

class YearReaderTest : public ::testing::Test {
 protected:
  YearReaderTest() : dir_(::testing::UnitTest::GetInstance()->current_test_info()->name()) {}

  void Open() {
    store_ = std::make_unique<YearStore>(SystemDataFiles(), prompts_);
    ASSERT_TRUE(store_->Open(dir_.Base(), 2026));
    reader_ = std::make_unique<YearReader>(SystemDataFiles(), *store_);
  }
  std::string Dat(int year) const { return YearFileName(dir_.Base(), year); }
  void Add(int32_t serial, const char* text) {
    ASSERT_TRUE(store_->AddEntryToDay(serial, MakeEntry(text), AddMode::ReportWhenFull));
  }
  // The first entry's text, "" for a day without a record.
  std::string Read(int32_t serial) {
    DayRecord record;
    return reader_->DayRecordOf(serial, record) ? record.entries[0].text : "";
  }

  ScratchDir dir_;
  ScriptedPrompts prompts_;
  std::unique_ptr<YearStore> store_;
  std::unique_ptr<YearReader> reader_;
};

TEST_F(YearReaderTest, ReadsWhatTheStoreWroteInEveryYear) {
  Open();
  Add(kNewYear2026 + 5, "2026");
  Add(kNewYear2027 + 1, "2027");
  Add(kNewYear2026 - 1, "2025");
  Add(SerialOfNewYear(2030), "2030");
  Add(SerialOfNewYear(2031), "2031");  // more years than the reader keeps at once
  for (const auto& [serial, text] : {std::pair{kNewYear2026 + 5, "2026"}, {kNewYear2027 + 1, "2027"},
                                     {kNewYear2026 - 1, "2025"}, {SerialOfNewYear(2030), "2030"},
                                     {SerialOfNewYear(2031), "2031"}, {kNewYear2026 + 5, "2026"},
                                     {kNewYear2026 + 6, ""}, {SerialOfNewYear(2101), ""},
                                     {SerialOfNewYear(2000) - 1, ""}}) {
    EXPECT_EQ(Read(serial), text) << serial;
  }
}

TEST_F(YearReaderTest, SeesEveryChangeTheStoreSaves) {
  Open();
  Add(kNewYear2026 + 5, "before");
  ASSERT_EQ(Read(kNewYear2026 + 5), "before");
  ASSERT_EQ(Read(kNewYear2026 + 6), "");

  DayRecord changed = FreshDayRecord(kNewYear2026 + 5);
  changed.entries[0] = MakeEntry("after");
  EXPECT_EQ(store_->StoreDayRecord(changed, kNewYear2026 + 5, {}).outcome, StoreOutcome::Stored);
  EXPECT_EQ(Read(kNewYear2026 + 5), "after");

  // A record added to a year the reader already holds without it.
  Add(kNewYear2026 + 6, "new");
  EXPECT_EQ(Read(kNewYear2026 + 6), "new");

  // The day emptied: the file goes to .bak and the day reads as empty.
  EXPECT_EQ(store_->StoreDayRecord(FreshDayRecord(kNewYear2026 + 5), kNewYear2026 + 5, {}).outcome, StoreOutcome::Stored);
  EXPECT_EQ(store_->StoreDayRecord(FreshDayRecord(kNewYear2026 + 6), kNewYear2026 + 6, {}).outcome, StoreOutcome::Stored);
  EXPECT_FALSE(std::filesystem::exists(Dat(2026)));
  EXPECT_EQ(Read(kNewYear2026 + 5), "");
  EXPECT_EQ(Read(kNewYear2026 + 6), "");
}

// A change the store could not write stays in the store for a later save;
// the screen shows it, as the day dialog does, not the older file.
TEST_F(YearReaderTest, AChangeWhoseSaveFailedIsShown) {
  LoggingFiles files(SystemDataFiles());
  YearStore store(files, prompts_);
  ASSERT_TRUE(store.Open(dir_.Base(), 2026));
  YearReader reader(files, store);
  ASSERT_TRUE(store.AddEntryToDay(kNewYear2026 + 5, MakeEntry("saved"), AddMode::ReportWhenFull));
  files.failAfterWrites = 0;
  DayRecord changed = FreshDayRecord(kNewYear2026 + 5);
  changed.entries[0] = MakeEntry("unsaved");
  EXPECT_EQ(store.StoreDayRecord(changed, kNewYear2026 + 5, {}).outcome, StoreOutcome::NotWritten);
  DayRecord shown;
  ASSERT_TRUE(reader.DayRecordOf(kNewYear2026 + 5, shown));
  EXPECT_STREQ(shown.entries[0].text, "unsaved");
  EXPECT_FALSE(reader.DayRecordOf(kNewYear2026 + 6, shown));
}

TEST_F(YearReaderTest, UnreadableFilesReadAsEmptyAndStayUntouched) {
  const Bytes whole = YearFileBytes({{3, kNewYear2026 + 3, {{.text = "kept"}}}});
  Bytes badCount = whole;
  PutLe32(badCount, 0, 367);
  const struct {
    const char* what;
    Bytes bytes;
    const char* expected;
  } cases[] = {
      {"shorter than a header", Bytes(100, 0xFF), ""},
      {"count past the records' room", badCount, ""},
      // What the store would salvage reads the same here.
      {"trailing bytes", [&] { Bytes b = whole; b.push_back(0); return b; }(), "kept"},
  };
  for (const auto& c : cases) {
    WriteBytes(Dat(2026), c.bytes);
    Open();
    EXPECT_EQ(Read(kNewYear2026 + 3), c.expected) << c.what;
    EXPECT_EQ(ReadBytes(Dat(2026)), c.bytes) << c.what;
    EXPECT_FALSE(std::filesystem::exists(YearBadName(dir_.Base(), 2026))) << c.what;
    EXPECT_FALSE(std::filesystem::exists(YearBackupName(dir_.Base(), 2026))) << c.what;
  }
  std::filesystem::remove(Dat(2026));
  Open();
  EXPECT_EQ(Read(kNewYear2026 + 3), "");
  EXPECT_FALSE(std::filesystem::exists(Dat(2026)));
}

}  // namespace
}  // namespace hiyomi
