#include "shell/tray_state.h"

#include <gtest/gtest.h>

namespace hiyomi {

namespace {

TEST(TrayState, HideAndRestoreSteps) {
  struct Case {
    int state;
    int mode;
    int expected;
    unsigned actions;
  };
  const Case hides[] = {
      {kTrayShown, 0, kTrayClosing, 0},  // not resident: closing ends the program
      {kTrayShownResident, 0, kTrayHiddenResident, kTrayHideWindow},
      {kTrayShown, 1, kTrayHidden, kTrayAddIcon | kTrayHideWindow},
      {kTrayShownResident, 1, kTrayHiddenResident, kTrayHideWindow},
      {kTrayHidden, 0, kTrayClosing, kTrayDeleteIcon},
      {kTrayShownResident, -1, kTrayClosing, kTrayDeleteIcon},
      {kTrayClosing, 1, kTrayClosing, 0},
  };
  for (const Case& c : hides) {
    const TrayStep step = TrayHideStep(c.state, c.mode);
    EXPECT_EQ(step.state, c.expected) << c.state << " " << c.mode;
    EXPECT_EQ(step.actions, c.actions) << c.state << " " << c.mode;
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
