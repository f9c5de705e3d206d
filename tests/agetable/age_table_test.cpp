// The age table's rows, persons and remarks, on an in-memory ini.
#include <gtest/gtest.h>

#include <string>

#include "agetable/age_table.h"
#include "settings/memory_backend.h"
#include "settings/settings_store.h"

namespace hiyomi {
namespace {

constexpr int kNow = 2026;

const AgeRow& RowOf(const std::vector<AgeRow>& rows, int year) {
  for (const AgeRow& row : rows) {
    if (row.year == year) return row;
  }
  static const AgeRow none{};
  ADD_FAILURE() << year << " is not listed";
  return none;
}

std::vector<AgeRow> Rows(YearSystem system, int number, AgeKind kind = AgeKind::kAfterBirthday) {
  return BuildAgeRows(TableSpanOf(BirthYearOf(system, number), kNow), kind, kNow);
}

TEST(AgeRows, WithoutBirthYearTheListRunsFromNowTo1880) {
  const auto rows = Rows(YearSystem::kNone, 0);
  ASSERT_EQ(rows.size(), static_cast<size_t>(kNow - 1880 + 1));
  EXPECT_EQ(rows.front().year, kNow);
  EXPECT_EQ(rows.back().year, 1880);
  EXPECT_STREQ(rows.back().eraText, "明治13");
  EXPECT_STREQ(rows.back().yearText, "1880");
  EXPECT_STREQ(rows.back().ageText, "146");
  EXPECT_STREQ(rows.front().ageText, "  0");
  // A birth year outside 1880..now lists the same.
  for (int birth : {1879, kNow + 1}) {
    const auto outside = Rows(YearSystem::kWestern, birth);
    EXPECT_EQ(outside.front().year, kNow) << birth;
    EXPECT_EQ(outside.back().year, 1880) << birth;
  }
}

// Counted oldest first: an era's first year keeps the one before.
TEST(AgeRows, EraYearsAndEtoRowByRow) {
  const auto rows = Rows(YearSystem::kNone, 0);
  const struct {
    int year;
    const char* era;
  } cases[] = {
      {1911, "明治44"}, {1912, "明治45"}, {1913, "大正2"},  {1926, "大正15"},
      {1927, "昭和2"},  {1988, "昭和63"}, {1989, "昭和64"}, {1990, "平成2"},
      {2018, "平成30"}, {2019, "平成31"}, {2020, "令和2"},  {kNow, "令和8"},
  };
  for (const auto& c : cases) EXPECT_STREQ(RowOf(rows, c.year).eraText, c.era) << c.year;
  EXPECT_STREQ(RowOf(rows, 1984).eto, "甲子");
  EXPECT_STREQ(RowOf(rows, 2026).eto, "丙午");
  EXPECT_STREQ(RowOf(rows, 1880).eto, "庚辰");
}

TEST(AgeRows, ShowaSixtyFourWithEachAgeKind) {
  const struct {
    AgeKind kind;
    const char* birthRow;
    const char* tenYearsOn;
  } cases[] = {
      {AgeKind::kAfterBirthday, "  0", " 10"},
      {AgeKind::kBeforeBirthday, "  0", "  9"},
      {AgeKind::kCounted, "  1", " 11"},
  };
  for (const auto& c : cases) {
    const auto rows = Rows(YearSystem::kShowa, 64, c.kind);
    ASSERT_EQ(rows.size(), 121u);
    EXPECT_EQ(rows.front().year, 2109);
    EXPECT_EQ(rows.back().year, 1989);
    EXPECT_STREQ(rows.back().ageText, c.birthRow);
    EXPECT_STREQ(RowOf(rows, 1999).ageText, c.tenYearsOn);
    EXPECT_EQ(RowOf(rows, 1999).age, 10);  // the remark key's age, whatever the kind
  }
}

TEST(AgeRows, BirthYearOfEachSystem) {
  const struct {
    YearSystem system;
    int number;
    int birth;
  } cases[] = {
      {YearSystem::kWestern, 1990, 1990}, {YearSystem::kReiwa, 1, 2019},
      {YearSystem::kHeisei, 31, 2019},    {YearSystem::kShowa, 64, 1989},
      {YearSystem::kTaisho, 15, 1926},    {YearSystem::kMeiji, 13, 1880},
  };
  for (const auto& c : cases) EXPECT_EQ(BirthYearOf(c.system, c.number), c.birth) << c.number;
  EXPECT_FALSE(BirthYearOf(YearSystem::kNone, 1990).has_value());
}

TEST(AgeRows, SpinRangesFollowTheCurrentYear) {
  const struct {
    YearSystem system;
    int low;
    int high;
  } cases[] = {
      {YearSystem::kWestern, 1880, kNow}, {YearSystem::kReiwa, 1, kNow - 2018},
      {YearSystem::kHeisei, 1, 31},       {YearSystem::kShowa, 1, 64},
      {YearSystem::kTaisho, 1, 15},       {YearSystem::kMeiji, 13, 45},
  };
  for (const auto& c : cases) {
    const YearBounds bounds = SpinRangeOf(c.system, kNow);
    EXPECT_EQ(bounds.low, c.low) << YearSystemNames[static_cast<int>(c.system)];
    EXPECT_EQ(bounds.high, c.high) << YearSystemNames[static_cast<int>(c.system)];
  }
  EXPECT_EQ(SpinRangeOf(YearSystem::kReiwa, 2019).high, 1);
}

TEST(AgeRows, AClickedYearBecomesTheInput) {
  const struct {
    YearSystem chosen;
    int year;
    YearSystem system;
    int number;
  } cases[] = {
      {YearSystem::kHeisei, 2019, YearSystem::kHeisei, 31},
      {YearSystem::kHeisei, 2020, YearSystem::kReiwa, 2},
      {YearSystem::kShowa, 2024, YearSystem::kReiwa, 6},
      {YearSystem::kReiwa, 2019, YearSystem::kReiwa, 1},
      {YearSystem::kShowa, 1989, YearSystem::kShowa, 64},
      {YearSystem::kShowa, 2000, YearSystem::kWestern, 2000},
      {YearSystem::kReiwa, 2000, YearSystem::kWestern, 2000},
      {YearSystem::kTaisho, 1912, YearSystem::kTaisho, 1},
      {YearSystem::kMeiji, 1880, YearSystem::kMeiji, 13},
      {YearSystem::kMeiji, 1879, YearSystem::kWestern, 1879},
      {YearSystem::kNone, 1950, YearSystem::kWestern, 1950},
      {YearSystem::kWestern, 2025, YearSystem::kWestern, 2025},
  };
  for (const auto& c : cases) {
    const YearInput input = InputForYear(c.chosen, c.year, kNow);
    EXPECT_EQ(input.system, c.system) << c.year;
    EXPECT_EQ(input.number, c.number) << c.year;
  }
}

TEST(Persons, EntriesAreANameAndASignedYear) {
  const struct {
    const char* text;
    bool valid;
    const char* name;
    int year;
    bool early;
  } cases[] = {
      {"太郎,1990", true, "太郎", 1990, false},
      {"花子 -1990", true, "花子", 1990, true},
      {"山田 太郎,1985", true, "山田 太郎", 1985, false},
      {"次郎, +2001 ", true, "次郎", 2001, false},
      {"明治の人,1880", true, "明治の人", 1880, false},
      {"今年,2026", true, "今年", 2026, false},
      {"太郎", false, "", 0, false},
      {"太郎,", false, "", 0, false},
      {"太郎,19a0", false, "", 0, false},
      {"太郎,abcd", false, "", 0, false},
      {"太郎,12345678901234567890", false, "", 0, false},
      {"太郎,-12345678901234567890", false, "", 0, false},
      {"太郎,1879", false, "", 0, false},
      {"太郎,-2027", false, "", 0, false},
      {",1990", false, "", 0, false},
      {"1990", false, "", 0, false},
      {"", false, "", 0, false},
  };
  for (const auto& c : cases) {
    Person person{};
    ASSERT_EQ(ParsePerson(c.text, kNow, person), c.valid) << c.text;
    if (!c.valid) continue;
    EXPECT_STREQ(person.name, c.name) << c.text;
    EXPECT_EQ(person.year, c.year) << c.text;
    EXPECT_EQ(person.early, c.early) << c.text;
  }
}

// A store on an in-memory ini, section Default.
struct AgeStore {
  MemorySettingsBackend* backend;
  SettingsStore store;
  AgeStore() {
    auto owned = std::make_unique<MemorySettingsBackend>();
    backend = owned.get();
    store.Attach(std::move(owned), "Default");
  }
  void Set(const char* key, const std::string& text) { store.WriteString(key, text.c_str()); }
  const std::string* Get(const char* key) const { return backend->Find("Default", key); }
};

TEST(Persons, OnlyValidEntriesOfTheTenAreOffered) {
  AgeStore s;
  s.Set("Birth1", "太郎,1990");
  s.Set("Birth2", "名無し");
  s.Set("Birth3", "花子,19x5");
  s.Set("Birth4", "長い,99999999999999999999");
  s.Set("Birth5", std::string(5000, 'a') + ",1990");  // the year is cut off
  s.Set("Birth10", "十番,-1995");
  s.Set("Birth11", "十一番,2000");
  const auto persons = ReadPersons(s.store, kNow);
  ASSERT_EQ(persons.size(), 2u);
  EXPECT_STREQ(persons[0].name, "太郎");
  EXPECT_STREQ(persons[1].name, "十番");
  EXPECT_TRUE(persons[1].early);
  EXPECT_EQ(persons[1].year, 1995);
}

std::string RemarksOf(AgeStore& s, int set, const AgeRow& row, bool withBirth, bool early) {
  char out[kRemarkCellSize];
  RowRemarks(s.store, set, row, withBirth, early, out, sizeof out);
  return out;
}

TEST(Remarks, YearAndAgeRemarksJoinWithASlash) {
  AgeStore s;
  s.Set("N1Year2000", "ミレニアム");
  s.Set("N1Age10", "0,十歳");
  s.Set("N1Age11", "1,早生まれの十一");
  s.Set("N1Age12", "注意書き");  // no prefix: shown whole
  s.Set("N1Age13", "1x");       // neither prefix: shown whole
  s.Set("N2Year2000", "二組");
  const auto rows = Rows(YearSystem::kWestern, 1990);
  const struct {
    int set;
    int year;
    bool early;
    const char* shown;
  } cases[] = {
      {1, 2000, false, "ミレニアム/十歳"},
      {1, 2000, true, "ミレニアム/十歳/早生まれの十一"},
      {1, 2001, false, "早生まれの十一"},
      {1, 2001, true, ""},
      {1, 2002, false, "注意書き"},
      {1, 2003, true, "1x"},
      {2, 2000, true, "二組"},
      {3, 2000, true, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RemarksOf(s, c.set, RowOf(rows, c.year), true, c.early), c.shown) << c.year;
  }
  // Without a birth year only the year remarks show.
  const auto plain = Rows(YearSystem::kNone, 0);
  EXPECT_EQ(RemarksOf(s, 1, RowOf(plain, 2000), false, true), "ミレニアム");
}

TEST(Remarks, HandEditedValuesAreCutOnACharacterOrNeverLookedUp) {
  AgeStore s;
  std::string longRemark = "x";
  for (int i = 0; i < 2500; ++i) longRemark += "あ";  // 5001 bytes
  s.Set("N1Year1990", longRemark);
  s.Set("N1Year1991", "終わり\x82");  // a lone lead byte at the end
  s.Set("N1Age-5", "0,負");
  s.Set("N1Age100000", "0,遠い");
  s.Set("N1Age0", std::string("0,") + std::string(200, 'b'));
  char text[kYearRemarkSize];
  ReadRemark(s.store, RemarkKind::kYear, 1, 1990, text, sizeof text);
  EXPECT_EQ(std::string(text), longRemark.substr(0, 127));
  ReadRemark(s.store, RemarkKind::kYear, 1, 1991, text, sizeof text);
  EXPECT_STREQ(text, "終わり");
  const auto rows = Rows(YearSystem::kWestern, 1990);
  for (const AgeRow& row : rows) {
    const std::string shown = RemarksOf(s, 1, row, true, true);
    EXPECT_EQ(shown.find("負"), std::string::npos) << row.year;
    EXPECT_EQ(shown.find("遠い"), std::string::npos) << row.year;
    EXPECT_LT(shown.size(), static_cast<size_t>(kRemarkCellSize));
  }
  EXPECT_EQ(RemarksOf(s, 1, RowOf(rows, 1990), true, false).size(), 127u + 1 + 61);
}

TEST(Remarks, StoringWritesOnlyWhatChanged) {
  AgeStore s;
  const std::string longRemark(5000, 'z');
  s.Set("N1Year1990", longRemark);
  s.Set("N1Age3", "0,三歳");
  char loaded[kYearRemarkSize];
  ReadRemark(s.store, RemarkKind::kYear, 1, 1990, loaded, sizeof loaded);
  StoreRemark(s.store, RemarkKind::kYear, 1, 1990, loaded, loaded);
  EXPECT_EQ(*s.Get("N1Year1990"), longRemark);  // untouched, not cut

  const struct {
    RemarkKind kind;
    int number;
    const char* loaded;
    const char* edited;
    const char* key;
    const char* stored;  // null: removed
  } cases[] = {
      {RemarkKind::kYear, 2000, "", "新年", "N1Year2000", "新年"},
      {RemarkKind::kAge, 3, "0,三歳", "", "N1Age3", nullptr},
      {RemarkKind::kAge, 4, "", "四歳", "N1Age4", "0,四歳"},
      {RemarkKind::kAge, 5, "", "1,早い五", "N1Age5", "1,早い五"},
      {RemarkKind::kAge, 6, "", "0,六", "N1Age6", "0,六"},
      {RemarkKind::kAge, 7, "", "あ,い", "N1Age7", "0,あ,い"},
  };
  for (const auto& c : cases) {
    StoreRemark(s.store, c.kind, 1, c.number, c.loaded, c.edited);
    const std::string* stored = s.Get(c.key);
    if (c.stored == nullptr) {
      EXPECT_EQ(stored, nullptr) << c.key;
    } else {
      ASSERT_NE(stored, nullptr) << c.key;
      EXPECT_EQ(*stored, c.stored) << c.key;
    }
  }
  // An age remark keeps to 63 bytes with its prefix, whole characters only.
  std::string wide;
  for (int i = 0; i < 40; ++i) wide += "い";
  StoreRemark(s.store, RemarkKind::kAge, 1, 8, "", wide.c_str());
  EXPECT_EQ(*s.Get("N1Age8"), "0," + wide.substr(0, 60));
}

}  // namespace
}  // namespace hiyomi
