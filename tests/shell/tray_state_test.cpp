#include "shell/tray_state.h"

#include <gtest/gtest.h>

namespace hiyomi {

namespace {

TEST(TrayState, HideAndRestoreSteps) {
  struct Case {
    TrayState state;
    TrayMode mode;
    TrayState expected;
    unsigned actions;
  };
  constexpr TrayMode kHide = TrayMode::kHide;
  constexpr TrayMode kWhenResident = TrayMode::kHideWhenResident;
  constexpr TrayMode kForGood = TrayMode::kRemoveForGood;
  const Case hides[] = {
      {kTrayShown, kWhenResident, kTrayClosing, 0},  // not resident: closing ends the program
      {kTrayShownResident, kWhenResident, kTrayHiddenResident, kTrayHideWindow},
      {kTrayShown, kHide, kTrayHidden, kTrayAddIcon | kTrayHideWindow},
      {kTrayShownResident, kHide, kTrayHiddenResident, kTrayHideWindow},
      {kTrayHidden, kWhenResident, kTrayClosing, kTrayDeleteIcon},
      {kTrayShownResident, kForGood, kTrayClosing, kTrayDeleteIcon},
      {kTrayClosing, kHide, kTrayClosing, 0},
  };
  for (const Case& c : hides) {
    const TrayStep step = TrayHideStep(c.state, c.mode);
    const int mode = static_cast<int>(c.mode);
    EXPECT_EQ(step.state, c.expected) << c.state << " " << mode;
    EXPECT_EQ(step.actions, c.actions) << c.state << " " << mode;
  }
  EXPECT_EQ(TrayRestoreStep(kTrayHidden).state, kTrayShown);
  EXPECT_TRUE(TrayRestoreStep(kTrayHidden).actions & kTrayDeleteIcon);
  EXPECT_EQ(TrayRestoreStep(kTrayHiddenResident).state, kTrayShownResident);
  EXPECT_FALSE(TrayRestoreStep(kTrayHiddenResident).actions & kTrayDeleteIcon);
  EXPECT_EQ(TrayRestoreStep(kTrayShown).actions, static_cast<unsigned>(kTrayToForeground));
  EXPECT_FALSE(TrayIconWanted(kTrayShown));
  EXPECT_TRUE(TrayIconWanted(kTrayHidden));
}

}  // namespace

}  // namespace hiyomi
