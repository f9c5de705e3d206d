// The year files on real files: the byte layout other programs read, the
// record bookkeeping and the saves that must never lose data.
#include <gtest/gtest.h>

#include <functional>

#include "schedule/data_file.h"
#include "schedule/year_store.h"
#include "schedule_fixtures.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

constexpr int32_t kNewYear2026 = 9132;  // a Thursday
constexpr int32_t kNewYear2027 = 9497;
constexpr char kCreateFailed[] = "データファイル作成に失敗しました。　　";
constexpr char kNotRead[] = "データファイルを読み込めませんでした。　　";

TEST(YearDates, SerialsOfNewYear) {
  EXPECT_EQ(SerialOfNewYear(2001), 1);
  EXPECT_EQ(SerialOfNewYear(2026), kNewYear2026);
  EXPECT_EQ(SerialOfNewYear(2027), kNewYear2027);
  EXPECT_EQ(SerialOfNewYear(2100), 36160);
  EXPECT_EQ(SerialOfNewYear(2000), -365);
  for (int32_t s : {-365, 0, 1, 365, 366, kNewYear2026 - 1, kNewYear2026, 36159, 36160}) {
    const int y = YearOfSerial(s);
    EXPECT_LE(SerialOfNewYear(y), s);
    EXPECT_GT(SerialOfNewYear(y + 1), s);
  }
}

TEST(Records, EncodingMatchesFileOffsets) {
  ScheduleEntry e = MakeEntry("abc", -2);
  e.category = 7;
  e.textColor = 0x00112233;
  e.backColor = 0x00445566;
  e.mark = '-';
  e.span = 3;
  uint8_t out[64];
  EncodeEntry(e, out);
  EXPECT_EQ(Bytes(out, out + 64),
            EntryBytes({.order = -2, .category = 7, .text = "abc", .textColor = 0x00112233,
                        .backColor = 0x00445566, .mark = '-', .span = 3}));
  const ScheduleEntry back = DecodeEntry(out);
  EXPECT_EQ(std::memcmp(&back, &e, sizeof e), 0);
}

class YearStoreTest : public ::testing::Test {
 protected:
  YearStoreTest() : dir_(::testing::UnitTest::GetInstance()->current_test_info()->name()) {}

  void Open(DataFiles& files = SystemDataFiles()) {
    store_ = std::make_unique<YearStore>(files, prompts_, &listener_);
    ASSERT_TRUE(store_->Open(dir_.Base(), 2026));
  }
  std::string Dat(int year) const { return YearFileName(dir_.Base(), year); }
  std::string Bak(int year) const { return YearBackupName(dir_.Base(), year); }

  DayRecord Day(int32_t serial, std::initializer_list<const char*> texts) {
    DayRecord r = FreshDayRecord(serial);
    int k = 0;
    for (const char* t : texts) r.entries[k++] = MakeEntry(t);
    return r;
  }

  ScratchDir dir_;
  ScriptedPrompts prompts_;
  CountingListener listener_;
  std::unique_ptr<YearStore> store_;
};

TEST_F(YearStoreTest, RecordsOutOfDateOrderLoadAndSaveBackUnchanged) {
  // Records in the order the days got data, and a reserved area that is not
  // 0xFF: both must survive a save untouched.
  const Bytes file = YearFileBytes(
      {{40, kNewYear2026 + 40, {{.text = "late"}}, 0x0000FF},
       {3, kNewYear2026 + 3, {{.category = 2, .text = "early"}, {.order = -1, .text = "hidden"}}},
       {364, kNewYear2026 + 364, {{.text = "eve", .span = 1}}}},
      kCountOfDays, 0x5A);
  WriteBytes(Dat(2026), file);
  Open();

  DayRecord r;
  ASSERT_TRUE(store_->GetDayRecord(kNewYear2026 + 3, r));
  EXPECT_STREQ(r.entries[0].text, "early");
  EXPECT_EQ(r.entries[1].order, -1);
  ASSERT_TRUE(store_->GetDayRecord(kNewYear2026 + 40, r));
  EXPECT_EQ(+r.dayTextColor, 0x0000FF);
  EXPECT_FALSE(store_->GetDayRecord(kNewYear2026 + 4, r));

  ASSERT_TRUE(store_->SaveYear(0));
  EXPECT_EQ(ReadBytes(Dat(2026)), file);
  EXPECT_EQ(ReadBytes(Bak(2026)), file);
  EXPECT_EQ(listener_.written, 1);
}

TEST_F(YearStoreTest, WrittenFileEqualsBuilderBytes) {
  Open();
  // Stored out of date order: records keep the order of first storing.
  for (auto [doy, text] : {std::pair{100, "b"}, {5, "a"}, {200, "c"}}) {
    const StoreResult result = store_->StoreDayRecord(Day(kNewYear2026 + doy, {text}), kNewYear2026 + doy, {});
    EXPECT_EQ(result.outcome, StoreOutcome::Stored);
    EXPECT_EQ(result.day, 0);
  }
  EXPECT_EQ(ReadBytes(Dat(2026)), YearFileBytes({{100, kNewYear2026 + 100, {{.text = "b"}}},
                                                 {5, kNewYear2026 + 5, {{.text = "a"}}},
                                                 {200, kNewYear2026 + 200, {{.text = "c"}}}}));
  EXPECT_EQ(listener_.written, 3);
}

TEST_F(YearStoreTest, ShortFileLoadsWholeRecordsAndIsKeptAsBad) {
  std::vector<DayFields> days;
  for (int i = 0; i < 10; ++i) days.push_back({i * 2, kNewYear2026 + i * 2, {{.text = "x"}}});
  Bytes file = YearFileBytes(days);
  file.resize(1600 + 9 * 592);  // says 10, holds 9
  WriteBytes(Dat(2026), file);
  WriteBytes(Bak(2026), {1, 2, 3});
  Open();

  DayRecord r;
  EXPECT_TRUE(store_->GetDayRecord(kNewYear2026 + 16, r));   // record 8
  EXPECT_FALSE(store_->GetDayRecord(kNewYear2026 + 18, r));  // index 9 points past the records
  EXPECT_EQ(store_->SlotHeader(0).count, 9);

  // A new day takes position 9; the lost day must not come to point at it.
  store_->StoreDayRecord(Day(kNewYear2026 + 50, {"new"}), kNewYear2026 + 50, {});
  EXPECT_FALSE(store_->GetDayRecord(kNewYear2026 + 18, r));
  EXPECT_EQ(ReadBytes(YearBadName(dir_.Base(), 2026)), file);
  EXPECT_EQ(ReadBytes(Bak(2026)), Bytes({1, 2, 3}));  // the missing .dat was not copied over it
}

TEST_F(YearStoreTest, DaysSharingARecordKeepItForTheFirstOnly) {
  Bytes file = YearFileBytes({{3, kNewYear2026 + 3, {{.text = "a"}}}, {4, kNewYear2026 + 4, {{.text = "b"}}}});
  PutLe32(file, 4 + 4 * 9, 1);  // day 9 claims day 4's record
  WriteBytes(Dat(2026), file);
  Open();
  DayRecord r;
  EXPECT_TRUE(store_->GetDayRecord(kNewYear2026 + 4, r));
  EXPECT_FALSE(store_->GetDayRecord(kNewYear2026 + 9, r));
  store_->StoreDayRecord(FreshDayRecord(kNewYear2026 + 3), kNewYear2026 + 3, {});
  EXPECT_EQ(ReadBytes(Dat(2026)), YearFileBytes({{4, kNewYear2026 + 4, {{.text = "b"}}}}));
  EXPECT_EQ(ReadBytes(YearBadName(dir_.Base(), 2026)), file);
}

TEST_F(YearStoreTest, CorruptHeaderLoadsEmptyAndSurvivesAsBad) {
  for (int32_t count : {-1, 367}) {
    SCOPED_TRACE(count);
    Bytes file = YearFileBytes({{0, kNewYear2026, {{.text = "x"}}}}, count);
    WriteBytes(Dat(2026), file);
    WriteBytes(Bak(2026), {9});
    Open();
    DayRecord r;
    EXPECT_FALSE(store_->GetDayRecord(kNewYear2026, r));
    store_->StoreDayRecord(Day(kNewYear2026 + 1, {"y"}), kNewYear2026 + 1, {});
    EXPECT_EQ(ReadBytes(YearBadName(dir_.Base(), 2026)), file);
    EXPECT_EQ(ReadBytes(Bak(2026)), Bytes({9}));
    EXPECT_EQ(ReadBytes(Dat(2026)), YearFileBytes({{1, kNewYear2026 + 1, {{.text = "y"}}}}));
  }
}

TEST_F(YearStoreTest, RemovingADayShiftsLaterRecords) {
  WriteBytes(Dat(2026), YearFileBytes({{10, kNewYear2026 + 10, {{.text = "a"}}},
                                       {20, kNewYear2026 + 20, {{.text = "b"}}},
                                       {5, kNewYear2026 + 5, {{.text = "c"}}}}));
  Open();
  // The dialog's clean-up leaves an emptied day with no used slot.
  const StoreResult result = store_->StoreDayRecord(FreshDayRecord(kNewYear2026 + 10), kNewYear2026 + 10, {});
  EXPECT_EQ(result.outcome, StoreOutcome::Stored);
  EXPECT_EQ(result.day, 0);
  EXPECT_EQ(ReadBytes(Dat(2026)), YearFileBytes({{20, kNewYear2026 + 20, {{.text = "b"}}},
                                                 {5, kNewYear2026 + 5, {{.text = "c"}}}}));
}

TEST_F(YearStoreTest, RemovingTheOnlyRecordMovesTheFileToBak) {
  const Bytes file = YearFileBytes({{7, kNewYear2026 + 7, {{.text = "only"}}}});
  WriteBytes(Dat(2026), file);
  Open();
  store_->StoreDayRecord(FreshDayRecord(kNewYear2026 + 7), kNewYear2026 + 7, {});
  EXPECT_FALSE(dir_.Has("Hiyomi_2026.dat"));
  EXPECT_EQ(ReadBytes(Bak(2026)), file);
  DayRecord r;
  EXPECT_FALSE(store_->GetDayRecord(kNewYear2026 + 7, r));
}

TEST_F(YearStoreTest, ALastRecordWhoseFileCannotMoveIsRemovedByALaterSave) {
  const int32_t day = SerialOfNewYear(2030) + 4;
  const Bytes file = YearFileBytes({{4, day, {{.text = "gone"}}}});
  WriteBytes(Dat(2030), file);
  LoggingFiles files(SystemDataFiles());
  files.held = "Hiyomi_2030.bak";
  Open(files);
  EXPECT_EQ(store_->StoreDayRecord(FreshDayRecord(day), day, {}).outcome, StoreOutcome::NotWritten);
  EXPECT_EQ(prompts_.told, std::vector<std::string>{kCreateFailed});
  EXPECT_EQ(ReadBytes(Dat(2030)), file);

  // Slot 1 goes to another year: the removal is saved first.
  files.held.clear();
  DayRecord r;
  EXPECT_FALSE(store_->GetDayRecord(SerialOfNewYear(2031), r));
  EXPECT_FALSE(dir_.Has("Hiyomi_2030.dat"));
  EXPECT_EQ(ReadBytes(Bak(2030)), file);
  EXPECT_EQ(prompts_.told.size(), 1u);
}

TEST_F(YearStoreTest, MovingOntoADayWithDataAsksFirst) {
  const Bytes file = YearFileBytes({{1, kNewYear2026 + 1, {{.text = "old"}}}});
  WriteBytes(Dat(2026), file);
  Open();
  prompts_.answers = {false};
  EXPECT_EQ(store_->StoreDayRecord(Day(kNewYear2026 + 1, {"moved"}), kNewYear2026 + 9, {}).outcome,
            StoreOutcome::Declined);
  ASSERT_EQ(prompts_.asked.size(), 1u);
  EXPECT_EQ(prompts_.asked[0], "変更した日付には登録データが存在します。上書きしますか？");
  EXPECT_EQ(ReadBytes(Dat(2026)), file);
  EXPECT_FALSE(dir_.Has("Hiyomi_2026.bak"));

  prompts_.answers = {true};
  StoreResult result = store_->StoreDayRecord(Day(kNewYear2026 + 1, {"moved"}), kNewYear2026 + 9, {});
  EXPECT_EQ(result.outcome, StoreOutcome::Stored);
  EXPECT_EQ(result.day, kNewYear2026 + 1);
  EXPECT_EQ(ReadBytes(Dat(2026)), YearFileBytes({{1, kNewYear2026 + 1, {{.text = "moved"}}}}));
  // The same day, or a free one, is stored without a question.
  result = store_->StoreDayRecord(Day(kNewYear2026 + 2, {"free"}), kNewYear2026 + 9, {});
  EXPECT_EQ(result.outcome, StoreOutcome::Stored);
  EXPECT_EQ(result.day, kNewYear2026 + 2);
  EXPECT_EQ(prompts_.asked.size(), 2u);
}

TEST_F(YearStoreTest, SpreadAcrossNewYearWritesTheOldYearFirst) {
  LoggingFiles files(SystemDataFiles());
  Open(files);
  const int32_t dec30 = kNewYear2027 - 2;
  CopyRequest copies;
  copies.count[0] = 5;
  files.log.clear();
  store_->StoreDayRecord(Day(dec30, {"trip"}), dec30, copies);

  EXPECT_EQ(files.log, (std::vector<std::string>{"move Hiyomi_2026.dat.new Hiyomi_2026.dat",
                                                 "read Hiyomi_2027.dat",
                                                 "move Hiyomi_2027.dat.new Hiyomi_2027.dat"}));
  EXPECT_EQ(ReadBytes(Dat(2026)), YearFileBytes({{363, dec30, {{.text = "trip"}}},
                                                 {364, dec30 + 1, {{.text = "trip"}}}}));
  std::vector<DayFields> next;
  for (int d = 0; d < 4; ++d) next.push_back({d, kNewYear2027 + d, {{.text = "trip"}}});
  EXPECT_EQ(ReadBytes(Dat(2027)), YearFileBytes(next));
  EXPECT_EQ(listener_.written, 2);
}

TEST_F(YearStoreTest, SpreadCopiesIntoFullDays) {
  std::vector<EntryFields> full;
  for (int k = 0; k < 8; ++k) full.push_back({.text = std::string(1, static_cast<char>('a' + k))});
  WriteBytes(Dat(2026), YearFileBytes({{11, kNewYear2026 + 11, full}, {12, kNewYear2026 + 12, {{.text = "p"}}}}));
  Open();
  // Row 1 carries a span from the dialog; copies are stored as single days.
  DayRecord stored = Day(kNewYear2026 + 10, {"keep", "over"});
  CopyRequest copies;
  copies.count[0] = 2;
  copies.count[1] = 1;
  copies.overwriteLast[1] = true;
  store_->StoreDayRecord(stored, kNewYear2026 + 10, copies);

  DayRecord r;
  ASSERT_TRUE(store_->GetDayRecord(kNewYear2026 + 11, r));
  EXPECT_STREQ(r.entries[6].text, "g");
  EXPECT_STREQ(r.entries[7].text, "over");  // row 0 found no room; row 1 took slot 7
  ASSERT_TRUE(store_->GetDayRecord(kNewYear2026 + 12, r));
  EXPECT_STREQ(r.entries[1].text, "keep");
  EXPECT_EQ(r.entries[2].order, 0);
}

TEST_F(YearStoreTest, SpreadStopsAtTheLastSupportedDay) {
  Open();
  CopyRequest copies;
  copies.count[0] = 5;
  store_->StoreDayRecord(Day(36158, {"end"}), 36158, copies);
  EXPECT_TRUE(dir_.Has("Hiyomi_2099.dat"));
  EXPECT_FALSE(dir_.Has("Hiyomi_2100.dat"));
  DayRecord r;
  EXPECT_TRUE(store_->GetDayRecord(36159, r));
}

TEST_F(YearStoreTest, AddEntryToDayModes) {
  std::vector<EntryFields> full(8, EntryFields{.text = "z"});
  full[2].text = "dup";
  WriteBytes(Dat(2026), YearFileBytes({{0, kNewYear2026, full}, {1, kNewYear2026 + 1, {{.text = "dup"}}}}));
  Open();
  EXPECT_FALSE(store_->AddEntryToDay(kNewYear2026 + 1, MakeEntry("dup"), AddMode::SkipDuplicates));
  EXPECT_TRUE(store_->AddEntryToDay(kNewYear2026 + 1, MakeEntry("dup"), AddMode::ReportWhenFull));
  EXPECT_TRUE(store_->AddEntryToDay(kNewYear2026 + 2, MakeEntry("new"), AddMode::SkipDuplicates));
  EXPECT_TRUE(prompts_.told.empty());

  EXPECT_FALSE(store_->AddEntryToDay(kNewYear2026, MakeEntry("x"), AddMode::SkipDuplicates));
  EXPECT_TRUE(prompts_.told.empty());
  EXPECT_FALSE(store_->AddEntryToDay(kNewYear2026, MakeEntry("x"), AddMode::ReportWhenFull));
  EXPECT_EQ(prompts_.told, std::vector<std::string>{"指定日には空き領域がありません。　　"});

  DayRecord r;
  ASSERT_TRUE(store_->GetDayRecord(kNewYear2026 + 1, r));
  EXPECT_STREQ(r.entries[1].text, "dup");
  ASSERT_TRUE(store_->GetDayRecord(kNewYear2026 + 2, r));
  EXPECT_STREQ(r.entries[0].text, "new");
  EXPECT_EQ(listener_.written, 2);
}

TEST_F(YearStoreTest, AYearWithNoRoomLeftReportsTheFailure) {
  // A damaged file: 366 records, but day 10 owns none of them.
  std::vector<DayFields> days;
  for (int d = 0; d < 366; ++d) days.push_back({d, kNewYear2026 + d, {{.text = "d"}}});
  Bytes file = YearFileBytes(days);
  PutLe32(file, 4 + 4 * 10, -1);
  const int32_t day10 = kNewYear2026 + 10;
  CopyRequest toDay10;
  toDay10.count[0] = 1;
  struct Case {
    const char* what;
    std::function<bool(YearStore&)> change;  // true when it reported success
    bool fileKept;
  };
  const Case cases[] = {
      {"store", [&](YearStore& y) { return y.StoreDayRecord(Day(day10, {"x"}), day10, {}).outcome == StoreOutcome::Stored; }, true},
      {"add", [&](YearStore& y) { return y.AddEntryToDay(day10, MakeEntry("x"), AddMode::ReportWhenFull); }, true},
      {"add new", [&](YearStore& y) { return y.AddEntryToDay(day10, MakeEntry("x"), AddMode::SkipDuplicates); }, true},
      // Day 9 itself is stored; only its copy finds no room.
      {"copy", [&](YearStore& y) { return y.StoreDayRecord(Day(day10 - 1, {"x"}), day10 - 1, toDay10).outcome == StoreOutcome::Stored; }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(Dat(2026), file);
    prompts_.told.clear();
    Open();
    EXPECT_FALSE(c.change(*store_));
    EXPECT_EQ(prompts_.told, std::vector<std::string>{"データファイルに空き領域がありません。　　"});
    DayRecord r;
    EXPECT_FALSE(store_->GetDayRecord(day10, r));
    EXPECT_EQ(ReadBytes(Dat(2026)) == file, c.fileKept);
  }
}

TEST_F(YearStoreTest, OtherYearsUseSlotOne) {
  WriteBytes(Dat(2030), YearFileBytes({{0, SerialOfNewYear(2030), {{.text = "far"}}}}));
  Open();
  DayRecord r;
  ASSERT_TRUE(store_->GetDayRecord(SerialOfNewYear(2030), r));
  EXPECT_STREQ(r.entries[0].text, "far");
  EXPECT_EQ(store_->SlotYear(0), 2026);
  EXPECT_EQ(store_->SlotYear(1), 2030);
  EXPECT_FALSE(store_->GetDayRecord(SerialOfNewYear(2031), r));
  EXPECT_EQ(store_->SlotYear(1), 2031);
}

TEST_F(YearStoreTest, FailedSaveLeavesTheDataFileWhole) {
  const Bytes file = YearFileBytes({{1, kNewYear2026 + 1, {{.text = "safe"}}}});
  WriteBytes(Dat(2026), file);
  LoggingFiles files(SystemDataFiles());
  files.failAfterWrites = 1;  // the header goes out, the records do not
  Open(files);
  // Kept in memory though not on disk: the dialog closes.
  EXPECT_EQ(store_->StoreDayRecord(Day(kNewYear2026 + 2, {"lost"}), kNewYear2026 + 2, {}).outcome,
            StoreOutcome::NotWritten);

  EXPECT_EQ(prompts_.told, std::vector<std::string>{kCreateFailed});
  EXPECT_EQ(ReadBytes(Dat(2026)), file);
  EXPECT_EQ(ReadBytes(Bak(2026)), file);
  EXPECT_FALSE(dir_.Has("Hiyomi_2026.dat.new"));
  EXPECT_EQ(listener_.written, 0);
  // The change stays in memory and is written by the next good save.
  files.failAfterWrites = -1;
  ASSERT_TRUE(store_->SaveYear(0));
  EXPECT_EQ(ReadBytes(Dat(2026)), YearFileBytes({{1, kNewYear2026 + 1, {{.text = "safe"}}},
                                                 {2, kNewYear2026 + 2, {{.text = "lost"}}}}));
}

// Visiting other years never costs a change whose save failed: it keeps its
// slot, another year takes the other one, and with both slots holding such
// changes a third year is refused until a save succeeds.
TEST_F(YearStoreTest, ChangesWhoseSaveFailedSurviveVisitsToOtherYears) {
  LoggingFiles files(SystemDataFiles());
  files.failAfterWrites = 0;  // the disk takes nothing
  Open(files);
  const int32_t in2030 = SerialOfNewYear(2030) + 5;
  const int32_t in2026 = kNewYear2026 + 5;
  ASSERT_EQ(store_->StoreDayRecord(Day(in2030, {"far"}), in2030, {}).outcome, StoreOutcome::NotWritten);
  DayRecord r;
  EXPECT_FALSE(store_->GetDayRecord(SerialOfNewYear(2031), r));  // loaded, the change kept
  EXPECT_FALSE(store_->GetDayRecord(SerialOfNewYear(2032), r));
  ASSERT_EQ(store_->StoreDayRecord(Day(in2026, {"near"}), in2026, {}).outcome, StoreOutcome::NotWritten);

  EXPECT_FALSE(store_->GetDayRecord(SerialOfNewYear(2040), r));
  EXPECT_EQ(store_->StoreDayRecord(Day(SerialOfNewYear(2040), {"x"}), SerialOfNewYear(2040), {}).outcome,
            StoreOutcome::Failed);
  for (const auto& [day, text] : {std::pair{in2030, "far"}, std::pair{in2026, "near"}}) {
    ASSERT_TRUE(store_->GetDayRecord(day, r));
    EXPECT_STREQ(r.entries[0].text, text);
  }
  EXPECT_FALSE(dir_.Has("Hiyomi_2030.dat"));

  files.failAfterWrites = -1;
  EXPECT_TRUE(store_->SaveChanges());
  EXPECT_EQ(ReadBytes(Dat(2030)), YearFileBytes({{5, in2030, {{.text = "far"}}}}));
  EXPECT_EQ(ReadBytes(Dat(2026)), YearFileBytes({{5, in2026, {{.text = "near"}}}}));
  EXPECT_FALSE(dir_.Has("Hiyomi_2040.dat"));
}

TEST_F(YearStoreTest, AYearHeldByAnotherProgramTakesNoChangeAndIsNeverOverwritten) {
  const Bytes file = YearFileBytes({{1, kNewYear2026 + 1, {{.text = "kept"}}}});
  const int32_t dec31 = kNewYear2026 - 1;
  CopyRequest intoTheHeldYear;
  intoTheHeldYear.count[0] = 2;
  struct Case {
    const char* what;
    std::function<bool(YearStore&)> refused;
  };
  const Case cases[] = {
      {"store", [&](YearStore& y) { return y.StoreDayRecord(Day(kNewYear2026 + 2, {"new"}), kNewYear2026 + 2, {}).outcome == StoreOutcome::Failed; }},
      {"add", [](YearStore& y) { return !y.AddEntryToDay(kNewYear2026 + 2, MakeEntry("new"), AddMode::ReportWhenFull); }},
      // The day itself lands in 2025; its copies cannot go into 2026.
      {"copy", [&](YearStore& y) { return y.StoreDayRecord(Day(dec31, {"new"}), dec31, intoTheHeldYear).outcome == StoreOutcome::NotWritten; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(Dat(2026), file);
    LoggingFiles files(SystemDataFiles());
    files.held = "Hiyomi_2026.dat";
    prompts_.told.clear();
    Open(files);
    DayRecord r;
    EXPECT_FALSE(store_->GetDayRecord(kNewYear2026 + 1, r));  // shows as empty while held
    EXPECT_TRUE(c.refused(*store_));
    EXPECT_EQ(prompts_.told, std::vector<std::string>{kNotRead});
    EXPECT_FALSE(store_->SaveYear(0));
    EXPECT_EQ(ReadBytes(Dat(2026)), file);
    EXPECT_FALSE(dir_.Has("Hiyomi_2026.bad"));
    EXPECT_FALSE(dir_.Has("Hiyomi_2026.bak"));
  }
}

TEST_F(YearStoreTest, AYearLetGoIsReadBeforeItsFirstChange) {
  const Bytes file = YearFileBytes({{1, kNewYear2026 + 1, {{.text = "kept"}}}});
  WriteBytes(Dat(2026), file);
  LoggingFiles files(SystemDataFiles());
  files.held = "Hiyomi_2026.dat";
  Open(files);
  DayRecord r;
  EXPECT_FALSE(store_->GetDayRecord(kNewYear2026 + 1, r));
  files.held.clear();
  EXPECT_TRUE(store_->AddEntryToDay(kNewYear2026 + 2, MakeEntry("new"), AddMode::ReportWhenFull));
  EXPECT_TRUE(prompts_.told.empty());
  EXPECT_EQ(ReadBytes(Dat(2026)), YearFileBytes({{1, kNewYear2026 + 1, {{.text = "kept"}}},
                                                 {2, kNewYear2026 + 2, {{.text = "new"}}}}));
  EXPECT_EQ(ReadBytes(Bak(2026)), file);
  EXPECT_FALSE(dir_.Has("Hiyomi_2026.bad"));
}

TEST_F(YearStoreTest, AYearLetGoIsShownAgain) {
  const Bytes file = YearFileBytes({{1, kNewYear2026 + 1, {{.text = "kept"}}}});
  WriteBytes(Dat(2026), file);
  LoggingFiles files(SystemDataFiles());
  files.held = "Hiyomi_2026.dat";
  Open(files);
  DayRecord r;
  EXPECT_FALSE(store_->GetDayRecord(kNewYear2026 + 1, r));
  files.held.clear();
  ASSERT_TRUE(store_->GetDayRecord(kNewYear2026 + 1, r));
  EXPECT_STREQ(r.entries[0].text, "kept");
}

TEST_F(YearStoreTest, ADayShownEmptyWhileItsYearWasHeldIsNotStoredOver) {
  const Bytes file = YearFileBytes({{1, kNewYear2026 + 1, {{.text = "kept"}}}});
  WriteBytes(Dat(2026), file);
  LoggingFiles files(SystemDataFiles());
  files.held = "Hiyomi_2026.dat";
  Open(files);
  DayRecord r;
  EXPECT_FALSE(store_->GetDayRecord(kNewYear2026 + 1, r));  // the dialog opens on an empty day
  files.held.clear();
  EXPECT_EQ(store_->StoreDayRecord(Day(kNewYear2026 + 1, {"typed"}), kNewYear2026 + 1, {}).outcome,
            StoreOutcome::Failed);
  EXPECT_EQ(prompts_.told, std::vector<std::string>{"データファイルを読み込み直しました。もう一度開いてください。　　"});
  EXPECT_EQ(ReadBytes(Dat(2026)), file);
  ASSERT_TRUE(store_->GetDayRecord(kNewYear2026 + 1, r));
  EXPECT_STREQ(r.entries[0].text, "kept");
}

}  // namespace
}  // namespace hiyomi
