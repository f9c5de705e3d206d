// The day tooltip on the real MAINDLG template with the program's own data
// objects: its texts per `TTType`, tracking on and off, the clipboard copy.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "almanac/clock.h"
#include "almanac/dates.h"
#include "resources/main_dialog_ids.h"
#include "schedule/records.h"
#include "settings/options.h"
#include "base/win/ui_helpers.h"
#include "shell/day_texts.h"
#include "shell/day_tooltip_win.h"
#include "shell/main_view_win.h"
#include "shell/program_objects_win.h"
#include "base/text.h"
#include "tests/shell/main_window_fixture.h"

namespace hiyomi {

namespace {

SerialDay Day(int y, int m, int d) { return SerialFromDate(y, m, d); }

std::string Header(SerialDay day) {
  std::string text;
  DayHeaderText(day, text);
  return text;
}

void AddEntry(SerialDay day, const std::string& text, int span = 0) {
  ScheduleEntry entry = EmptyEntry();
  entry.order = 1;
  entry.category = kNoCategory;
  std::strncpy(entry.text, text.c_str(), sizeof entry.text - 1);
  entry.span = span;
  ASSERT_TRUE(Program().years.AddEntryToDay(day, entry, AddMode::ReportWhenFull));
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "(not open)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* locked = static_cast<const char*>(GlobalLock(data))) {
      text = locked;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

class DayTooltipTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const LocalTime today{2026, 12, 10, 9, 0};
    hiyomi_test::OpenProgramIn("hiyomi-tooltip-test",
                               {"Hiyomi_2023.dat", "Hiyomi_2026.dat", "Hiyomi_0000.dat"}, &today);
    AddEntry(Day(2026, 12, 15), "会議");
    AddEntry(Day(2026, 12, 8), "A&B");
    AddEntry(Day(2026, 12, 14), "出張", 3);
    // Eight entries of 40 bytes on one day.
    for (int i = 0; i < 8; ++i) AddEntry(Day(2026, 12, 22), std::string(39, 'a') + char('0' + i));
  }
  static void TearDownTestSuite() { hiyomi_test::CloseProgram(); }

  void SetUp() override {
    window_ = hiyomi_test::CreateViewWindow(view_);
    ASSERT_NE(window_, nullptr);
    options_ = AppOptions();
    ApplyOptions(view_, AppOptions());
    ASSERT_TRUE(CreateDayTooltip(tooltip_, window_));
    ASSERT_EQ(GetParent(tooltip_.tip), nullptr);
  }
  void TearDown() override {
    DestroyDayTooltip(tooltip_);
    hiyomi_test::DestroyViewWindow(view_, window_);
    AppOptions() = options_;
  }

  void Show(SerialDay day, int ttType, bool copy = false) {
    AppOptions().TTType = ttType;
    ShowDayTooltip(tooltip_, view_, AppOptions(), day, copy);
  }

  // What the tip shows; TTM_GETTEXTA would stop at 80 bytes.
  std::string TipText() const {
    char text[2048] = "";
    SendMessageA(tooltip_.tip, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
  }
  bool TipShown() const { return IsWindowVisible(tooltip_.tip) != FALSE; }

  HWND window_ = nullptr;
  MainView view_;
  DayTooltip tooltip_;
  Options options_;
};

TEST_F(DayTooltipTest, TypeChoosesHeaderEntriesOrBoth) {
  const SerialDay busy = Day(2026, 12, 15);
  const SerialDay plain = Day(2026, 12, 11);
  const struct {
    SerialDay day;
    int ttType;
    std::string expected;
  } cases[] = {
      {busy, 0x10, Header(busy)},
      {busy, 0x01, "◇出張\n会議"},
      {busy, 0x11, Header(busy) + "\n\n◇出張\n会議"},
      {plain, 0x11, Header(plain)},
  };
  for (const auto& c : cases) {
    Show(c.day, c.ttType);
    EXPECT_EQ(TipText(), c.expected) << c.ttType;
    EXPECT_TRUE(TipShown()) << c.ttType;
    HideDayTooltip(tooltip_);
    EXPECT_FALSE(TipShown()) << c.ttType;
  }
  // The header alone of a plain day: two lines, no line feed at the end.
  Show(Day(2026, 12, 11), 0x10);
  const std::string header = TipText();
  EXPECT_EQ(std::count(header.begin(), header.end(), '\n'), 1);
  EXPECT_EQ(header.rfind("【12月11日(金)】", 0), 0u);
}

TEST_F(DayTooltipTest, AnAmpersandIsShownAsItIs) {
  EXPECT_NE(GetWindowLongPtrA(tooltip_.tip, GWL_STYLE) & TTS_NOPREFIX, 0);
  Show(Day(2026, 12, 8), 0x01);
  EXPECT_EQ(TipText(), "A&B");
}

TEST_F(DayTooltipTest, ADayPastTheLimitListsUpToTheCrossingEntry) {
  Show(Day(2026, 12, 22), 0x01);
  const std::string text = TipText();
  EXPECT_EQ(text.size(), 7u * 41u - 1u);  // the last line feed is trimmed
  EXPECT_NE(text.find(std::string(39, 'a') + "6"), std::string::npos);
  EXPECT_EQ(text.find(std::string(39, 'a') + "7"), std::string::npos);
}

TEST_F(DayTooltipTest, LeapLunarMonthReadsAfterTheLunarLabel) {
  Show(Day(2023, 3, 22), 0x10);
  EXPECT_NE(TipText().find("旧暦:閏如月/2月1日"), std::string::npos) << TipText();
}

TEST_F(DayTooltipTest, ControlClickCopiesTheTextAndTypeZeroShowsNothing) {
  CopyTextToClipboard("before");
  Show(Day(2026, 12, 15), 0x01);
  EXPECT_EQ(ClipboardText(), "before");
  HideDayTooltip(tooltip_);
  Show(Day(2026, 12, 15), 0x11, true);
  EXPECT_EQ(ClipboardText(), Header(Day(2026, 12, 15)) + "\n\n◇出張\n会議");
  HideDayTooltip(tooltip_);

  CopyTextToClipboard("before");
  Show(Day(2026, 12, 11), 0x00, true);
  EXPECT_FALSE(TipShown());
  EXPECT_EQ(ClipboardText(), "before");
}

TEST_F(DayTooltipTest, OnlyTheDayNumberBoxShowsTheTip) {
  AppOptions().TTType = 0x10;
  const SerialDay day = Day(2026, 12, 15);
  POINT onNumber{-1, -1};
  POINT elsewhereInCell{-1, -1};
  RECT client{};
  GetClientRect(window_, &client);
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      const POINT point{x, y};
      if (onNumber.x < 0 && HitTestView(view_, point, false) == day) onNumber = point;
      if (elsewhereInCell.x < 0 && HitTestView(view_, point, true) == day &&
          HitTestView(view_, point, false) == kNoDay) {
        elsewhereInCell = point;
      }
    }
  }
  ASSERT_GE(onNumber.x, 0);
  ASSERT_GE(elsewhereInCell.x, 0);
  ShowDayTooltipAt(tooltip_, view_, AppOptions(), elsewhereInCell, false);
  EXPECT_FALSE(TipShown());
  ShowDayTooltipAt(tooltip_, view_, AppOptions(), onNumber, false);
  EXPECT_TRUE(TipShown());
  EXPECT_EQ(TipText(), Header(day));
}

}  // namespace

}  // namespace hiyomi
