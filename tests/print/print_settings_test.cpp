// The sheet's keys in a settings store: defaults and ranges on reading,
// the left page keeping a day when both are 0, and the first start's
// placement by origin and margins.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "print/print_settings.h"
#include "settings/memory_backend.h"
#include "settings/settings_store.h"

namespace hiyomi {
namespace {

class PrintSettingsTest : public ::testing::Test {
 protected:
  PrintSettingsTest() {
    auto backend = std::make_unique<MemorySettingsBackend>();
    memory_ = backend.get();
    store_.Attach(std::move(backend), "Profile");
  }
  std::string Stored(const char* key) {
    const std::string* value = memory_->Find("Profile", key);
    return value != nullptr ? *value : "(none)";
  }

  SettingsStore store_;
  MemorySettingsBackend* memory_ = nullptr;
};

TEST_F(PrintSettingsTest, AnEmptyStoreGivesTheDefaults) {
  const PrintLook look = LoadPrintLook(store_);
  EXPECT_EQ(look.days[0], 4);
  EXPECT_EQ(look.days[1], 3);
  EXPECT_EQ(look.lines, 6);
  EXPECT_TRUE(look.textColor && look.backColor && look.horizontalRules);
  EXPECT_FALSE(look.frame || look.verticalRules || look.timeLines || look.dayDifference || look.undated);
  EXPECT_EQ(look.ruleSpacing, 1);
  EXPECT_EQ(look.ruleWidth, 0);
  EXPECT_EQ(look.firstHour, 8);
  EXPECT_EQ(look.lastHour, 0);
  EXPECT_EQ(look.ruleStyle, 1);
  EXPECT_EQ(look.ruleColor, 0xCCCCCC);

  const PrintPlacement p = LoadPrintPlacement(store_);
  EXPECT_EQ(p.pattern, 0);
  EXPECT_EQ(p.slots, 3);
  EXPECT_EQ(p.pageWidth, 0);
  EXPECT_EQ(p.lineHeight, 0);
  EXPECT_EQ(p.mode, 2);
  EXPECT_EQ(p.x[0], 200);
  EXPECT_EQ(p.y[0], 200);
  EXPECT_EQ(p.x[2], 100);
  EXPECT_EQ(p.y[2], 100);
  EXPECT_EQ(p.x[1], 0);
  EXPECT_EQ(p.x[4], 0);
}

TEST_F(PrintSettingsTest, StoredValuesAreClampedToTheirRanges) {
  struct Case {
    const char* key;
    const char* text;
  } const stored[] = {{"NDays0", "40"}, {"NDays1", "-2"}, {"NLine", "0"},     {"NYLineP", "7"},
                      {"NHourS", "30"}, {"Npptn", "9"},   {"Npbtn", "0"},     {"Nlsize", "5000"},
                      {"Npos", "0"},    {"Nxpos4", "-5000"}, {"Nypos4", "1200"}};
  for (const Case& c : stored) memory_->Write("Profile", c.key, c.text);
  const PrintLook look = LoadPrintLook(store_);
  EXPECT_EQ(look.days[0], 31);
  EXPECT_EQ(look.days[1], 0);
  EXPECT_EQ(look.lines, 1);
  EXPECT_EQ(look.ruleSpacing, 2);
  EXPECT_EQ(look.firstHour, 23);
  const PrintPlacement p = LoadPrintPlacement(store_);
  EXPECT_EQ(p.pattern, 3);
  EXPECT_EQ(p.slots, 1);
  EXPECT_EQ(p.lineHeight, 999);
  EXPECT_EQ(p.mode, 1);
  EXPECT_EQ(p.x[4], -999);
  EXPECT_EQ(p.y[4], 999);
}

TEST_F(PrintSettingsTest, NoDaysOnEitherPageStoreOneAndZero) {
  PrintLook look = DefaultPrintLook();
  look.days[0] = 0;
  look.days[1] = 0;
  SavePrintLook(store_, look);
  EXPECT_EQ(Stored("NDays0"), "1");
  EXPECT_EQ(Stored("NDays1"), "0");
  memory_->Write("Profile", "NDays0", "0");
  memory_->Write("Profile", "NDays1", "0");
  EXPECT_EQ(LoadPrintLook(store_).days[0], 1);
}

TEST_F(PrintSettingsTest, AppearanceRoundTripsWithFlagsAsDigitsAndTheColour) {
  PrintLook look = DefaultPrintLook();
  look.frame = true;
  look.textColor = false;
  look.ruleColor = -1;
  look.ruleWidth = 12345;
  SavePrintLook(store_, look);
  EXPECT_EQ(Stored("NWLine"), "1");
  EXPECT_EQ(Stored("NTColor"), "0");
  EXPECT_EQ(Stored("NLineC"), "-1");
  const PrintLook back = LoadPrintLook(store_);
  EXPECT_TRUE(back.frame);
  EXPECT_FALSE(back.textColor);
  EXPECT_EQ(back.ruleColor, -1);
  EXPECT_EQ(back.ruleWidth, 12345);
}

TEST_F(PrintSettingsTest, AnyPlacementKeyMeansTheStoredPairsAreUsed) {
  for (const char* key : {"Npos", "Nxpos1", "Nypos1", "Nxpos2", "Nypos2"}) {
    auto backend = std::make_unique<MemorySettingsBackend>();
    backend->Write("Profile", key, "1");
    SettingsStore store;
    store.Attach(std::move(backend), "Profile");
    const PrintPlacement p = LoadPrintPlacement(store);
    EXPECT_EQ(p.x[0], 0) << key;
    EXPECT_EQ(p.y[0], 0) << key;
    EXPECT_NE(p.x[2] == 100 && p.y[2] == 100, true) << key;
  }
}

TEST_F(PrintSettingsTest, PlacementRoundTrips) {
  PrintPlacement p = LoadPrintPlacement(store_);
  p.pattern = 3;
  p.slots = 15;
  p.pageWidth = 900;
  p.mode = 1;
  for (int i = 0; i < 4; ++i) {
    p.x[i] = 100 * i + 1;
    p.y[i] = 100 * i + 2;
  }
  p.x[4] = -12;
  SavePrintPlacement(store_, p);
  EXPECT_EQ(Stored("Nxpos3"), "301");
  EXPECT_EQ(Stored("Nxpos4"), "-12");
  const PrintPlacement back = LoadPrintPlacement(store_);
  EXPECT_EQ(back.pattern, 3);
  EXPECT_EQ(back.slots, 15);
  EXPECT_EQ(back.pageWidth, 900);
  EXPECT_EQ(back.mode, 1);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(back.y[i], 100 * i + 2);
  EXPECT_EQ(back.x[4], -12);
}

}  // namespace
}  // namespace hiyomi
