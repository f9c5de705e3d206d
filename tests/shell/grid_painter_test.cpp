// The grid painted onto the view's surface from the real MAINDLG template,
// checked pixel by pixel at places computed from the layout.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "almanac/clock.h"
#include "almanac/dates.h"
#include "schedule/display_flags.h"
#include "schedule/records.h"
#include "settings/options.h"
#include "shell/main_view_win.h"
#include "shell/program_objects_win.h"
#include "tests/shell/main_window_fixture.h"

namespace hiyomi {

namespace {

struct Cell {
  int left;
  int top;
  int right;
  int bottom;
  int entryLine;  // y of entry line 0
};

class GridPainting : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // A folder of its own for the settings and the year files.
    const LocalTime today{2026, 12, 10, 9, 0};  // a Thursday
    folder_ = hiyomi_test::OpenProgramIn("hiyomi-paint-test", {"Hiyomi_2026.dat"}, &today);
  }
  static void TearDownTestSuite() { hiyomi_test::CloseProgram(); }

  void SetUp() override {
    window_ = hiyomi_test::CreateViewWindow(view_);
    ASSERT_NE(window_, nullptr);
    options_ = AppOptions();
  }
  void TearDown() override {
    hiyomi_test::DestroyViewWindow(view_, window_);
    AppOptions() = options_;
  }

  void Show(SerialDay focus) {
    view_.rows.focusDay = focus;
    ApplyOptions(view_, AppOptions());
  }

  Cell CellOf(SerialDay day) const {
    const GridGeometry& grid = view_.grid;
    for (int row = 0; row < grid.rows; ++row) {
      const SerialDay start = view_.rows.rowStart[row + 1];
      if (day >= start && day < view_.rows.rowStart[row + 2]) {
        const int left = grid.leftMargin + (day - start) * grid.cellWidth;
        const int top = grid.topMargin + row * grid.cellHeight;
        return {left, top, left + grid.cellWidth, top + grid.cellHeight,
                grid.lineHeight + grid.halfPen + grid.topMargin + 2 + row * grid.cellHeight};
      }
    }
    ADD_FAILURE() << "day " << day << " is not shown";
    return {};
  }

  int Pixel(int x, int y) const {
    return static_cast<int>(GetPixel(view_.surfaceDc.get(), x, y));
  }

  // Whether any pixel of the rectangle has the colour.
  bool Contains(int left, int top, int right, int bottom, int color) const {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        if (Pixel(x, y) == color) return true;
      }
    }
    return false;
  }

  static std::string folder_;
  HWND window_ = nullptr;
  MainView view_;
  Options options_;
};

std::string GridPainting::folder_;

SerialDay Day(int y, int m, int d) { return SerialFromDate(y, m, d); }

TEST_F(GridPainting, TodayTakesItsOwnBackgroundBeforeEveryOtherRule) {
  Show(Day(2026, 12, 10));
  const Cell today = CellOf(Day(2026, 12, 10));
  EXPECT_EQ(Pixel(today.right - 5, today.bottom - 4), AppOptions().colors.back[18]);
  const Cell friday = CellOf(Day(2026, 12, 11));
  EXPECT_EQ(Pixel(friday.right - 5, friday.bottom - 4), AppOptions().colors.back[4]);
}

TEST_F(GridPainting, HolidayOnASundayShowsTheHolidayColour) {
  AppOptions().colors.text[26] = 0x00AA00;  // apart from Sunday's red
  Show(Day(2026, 5, 3));  // 憲法記念日, a Sunday
  const Cell holiday = CellOf(Day(2026, 5, 3));
  EXPECT_TRUE(Contains(holiday.left, holiday.top, holiday.left + view_.grid.dayNumberWidth + 8,
                       holiday.entryLine, 0x00AA00));
  const Cell sunday = CellOf(Day(2026, 5, 10));
  EXPECT_FALSE(Contains(sunday.left, sunday.top, sunday.left + view_.grid.dayNumberWidth + 8,
                        sunday.entryLine, 0x00AA00));
}

TEST_F(GridPainting, EntriesFillTheirLineAndBarsRunIntoTheNextRow) {
  ScheduleEntry entry = EmptyEntry();
  entry.order = 1;
  entry.category = kNoCategory;
  std::strcpy(entry.text, "会議");
  entry.backColor = 0x00FFFF;
  ASSERT_TRUE(Program().years.AddEntryToDay(Day(2026, 12, 15), entry, AddMode::ReportWhenFull));
  ScheduleEntry trip = entry;
  std::strcpy(trip.text, "出張");
  trip.backColor = 0xFFCC00;
  trip.span = 2;  // Sunday 20th to Tuesday 22nd
  ASSERT_TRUE(Program().years.AddEntryToDay(Day(2026, 12, 20), trip, AddMode::ReportWhenFull));
  Show(Day(2026, 12, 10));

  const Cell meeting = CellOf(Day(2026, 12, 15));
  EXPECT_EQ(Pixel(meeting.right - 4, meeting.entryLine + 2), 0x00FFFF);
  // The bar sits on line 1 (line 0 is kept for the day items) and goes on
  // in the first column of the next row.
  const int h0 = view_.h0;
  const Cell sunday = CellOf(Day(2026, 12, 20));
  const Cell monday = CellOf(Day(2026, 12, 21));
  ASSERT_GT(monday.top, sunday.top);
  EXPECT_EQ(Pixel(sunday.right - 2, sunday.entryLine + h0 + h0 / 2), 0xFFCC00);
  EXPECT_EQ(Pixel(monday.right - 2, monday.entryLine + h0 + h0 / 2), 0xFFCC00);
  EXPECT_NE(Pixel(CellOf(Day(2026, 12, 23)).left + 8, monday.entryLine + h0 + h0 / 2), 0xFFCC00);
}

// A bar takes the first line from the bar lines that no entry of its first
// day holds yet, and keeps it on the days it runs on.
TEST_F(GridPainting, BarTakesALineTheDaysEntriesLeaveFree) {
  ScheduleEntry entry = EmptyEntry();
  entry.order = 1;
  entry.category = kNoCategory;
  const struct {
    const char* text;
    int backColor;
    int span;
  } entries[] = {{"A", 0x00FF00, 0}, {"B", 0x0000FF, 0}, {"C", 0xFF00FF, 1}};
  const SerialDay wednesday = Day(2026, 12, 2);
  for (const auto& e : entries) {
    std::strcpy(entry.text, e.text);
    entry.backColor = e.backColor;
    entry.span = e.span;
    ASSERT_TRUE(Program().years.AddEntryToDay(wednesday, entry, AddMode::ReportWhenFull));
  }
  Show(Day(2026, 12, 10));

  const int h0 = view_.h0;
  const Cell first = CellOf(wednesday);
  const Cell next = CellOf(wednesday + 1);
  const auto lineMiddle = [&](const Cell& cell, int line) {
    return cell.entryLine + line * h0 + h0 / 2;
  };
  EXPECT_EQ(Pixel(first.right - 4, lineMiddle(first, 0)), 0x00FF00);
  EXPECT_EQ(Pixel(first.right - 4, lineMiddle(first, 1)), 0x0000FF);
  EXPECT_EQ(Pixel(first.right - 2, lineMiddle(first, 2)), 0xFF00FF);
  EXPECT_EQ(Pixel(next.left + 8, lineMiddle(next, 2)), 0xFF00FF);
  EXPECT_NE(Pixel(next.left + 8, lineMiddle(next, 1)), 0xFF00FF);
}

// Temporary items take a line of their day; to-do items their line, or a
// bar across the days they cover, in the Notrik colours.
TEST_F(GridPainting, TemporaryAndToDoItemsOnTheirDays) {
  constexpr int kTemporaryBack = 0x4488CC;
  constexpr int kToDoBack = 0xCC8844;
  ProgramObjects& program = Program();
  TemporaryItem temporary{Day(2026, 12, 17), "臨時", -1, kTemporaryBack};
  program.outside.temporary = {temporary};
  std::vector<DueItem> due(2);
  due[0] = DueItem{Day(2026, 12, 18), {0, 0}, "電話", 0};
  due[1] = DueItem{Day(2026, 12, 27), {0, 0}, "旅行", 3};  // Sunday 27th to Tuesday 29th
  program.outside.due.Take(due);
  AppOptions().colors.back[kColorNotrik] = kToDoBack;
  Show(Day(2026, 12, 10));

  const int h0 = view_.h0;
  const Cell temporaryDay = CellOf(Day(2026, 12, 17));
  EXPECT_EQ(Pixel(temporaryDay.right - 4, temporaryDay.entryLine + 2), kTemporaryBack);
  const Cell call = CellOf(Day(2026, 12, 18));
  EXPECT_EQ(Pixel(call.right - 4, call.entryLine + 2), kToDoBack);
  const Cell sunday = CellOf(Day(2026, 12, 27));
  const Cell monday = CellOf(Day(2026, 12, 28));
  ASSERT_GT(monday.top, sunday.top);
  EXPECT_EQ(Pixel(sunday.right - 2, sunday.entryLine + h0 + h0 / 2), kToDoBack);
  EXPECT_EQ(Pixel(monday.right - 2, monday.entryLine + h0 + h0 / 2), kToDoBack);
  const Cell wednesday = CellOf(Day(2026, 12, 30));
  EXPECT_NE(Pixel(wednesday.left + 8, wednesday.entryLine + h0 + h0 / 2), kToDoBack);

  // Their display switches hide them.
  view_.displayFlags = kShowAll & ~kShowTemporary & ~kShowToDo;
  Redraw(view_);
  EXPECT_NE(Pixel(temporaryDay.right - 4, temporaryDay.entryLine + 2), kTemporaryBack);
  EXPECT_NE(Pixel(call.right - 4, call.entryLine + 2), kToDoBack);
  EXPECT_NE(Pixel(monday.right - 2, monday.entryLine + h0 + h0 / 2), kToDoBack);
  program.outside.temporary.clear();
  program.outside.due.Take({});
}

// With the displayed month as the reference month (MCType 0), its
// namesake a year later is just another December.
TEST_F(GridPainting, ReferenceMonthIsTheDisplayedMonthOfTheDisplayedYear) {
  constexpr int kReference = 0x11EE11;
  constexpr int kDecember = 0xEE1111;
  Options& options = AppOptions();
  options.MCType = 0;
  options.Yoko = 14;
  options.Tate = 30;  // 420 days: two Decembers
  options.TateLine = 1;
  options.Ptn[4] = 0;  // no day items, so the cell's background shows at its bottom
  options.PtnDay[0][0] = 11;  // 当月 first
  options.colors.back[5] = kReference;
  options.colors.back[17] = kDecember;
  Show(Day(2026, 12, 10));
  ASSERT_EQ(view_.grid.rows, 30);
  const struct {
    SerialDay day;
    int color;
  } cases[] = {
      {Day(2026, 12, 17), kReference},
      {Day(2027, 12, 17), kDecember},
      {Day(2027, 11, 15), AppOptions().colors.back[16]},
  };
  for (const auto& c : cases) {
    const Cell cell = CellOf(c.day);
    EXPECT_EQ(Pixel(cell.right - 5, cell.bottom - 4), c.color) << c.day;
  }
}

// The two day items of a line, the left one (旧暦) and the right one (月齢),
// on the day-number line and on entry line 0: the right one never draws
// into the columns the left one takes. It shows whole where both fit, cut
// to the space the left one leaves, or not at all when none is left.
TEST_F(GridPainting, TheTwoDayItemsOfALineNeverOverlap) {
  enum class Right { kWhole, kCut, kLeftOut };
  struct Case {
    bool numberLine;  // positions 0 and 1, else 2 and 3
    int cellWidth;
    Right right;
  };
  const Case cases[] = {
      {true, 140, Right::kWhole},  {true, 85, Right::kCut},  {true, 60, Right::kLeftOut},
      {false, 100, Right::kWhole}, {false, 45, Right::kCut}, {false, 30, Right::kLeftOut},
  };
  constexpr int kLunarDate = 7;
  constexpr int kMoonAge = 9;
  const SerialDay day = Day(2026, 12, 16);  // no entries, not today, not framed
  for (const Case& c : cases) {
    const int shift = c.numberLine ? 0 : 8;
    AppOptions().YokoSize = c.cellWidth;
    // One strip of the line's pixels for each item set: left, right, both.
    std::vector<int> strips[3];
    int width = 0;
    int height = 0;
    int background = 0;
    const int codes[3] = {kLunarDate, kMoonAge << 4, kLunarDate | kMoonAge << 4};
    for (int i = 0; i < 3; ++i) {
      AppOptions().Ptn[4] = codes[i] << shift;
      Show(Day(2026, 12, 10));
      const Cell cell = CellOf(day);
      const GridGeometry& grid = view_.grid;
      const int left = cell.left + grid.halfPen + (c.numberLine ? grid.dayNumberWidth + 7 : 3);
      const int top = c.numberLine ? cell.entryLine - view_.h0 : cell.entryLine;
      width = cell.right - AppOptions().PenSize[0] / 2 - 1 - left;
      height = view_.h0;
      background = Pixel(cell.right - 5, cell.bottom - 4);
      for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) strips[i].push_back(Pixel(left + x, top + y));
      }
    }
    const auto inked = [&](const std::vector<int>& strip, int x) {
      for (int y = 0; y < height; ++y) {
        if (strip[x * height + y] != background) return true;
      }
      return false;
    };
    const auto sameColumn = [&](const std::vector<int>& a, const std::vector<int>& b, int x) {
      const auto column = [&](const std::vector<int>& strip) { return strip.begin() + x * height; };
      return std::equal(column(a), column(a) + height, column(b));
    };
    int leftEnd = -1;        // last column the left item inks
    int rightStart = width;  // first column the right item alone inks
    for (int x = 0; x < width; ++x) {
      if (inked(strips[0], x)) leftEnd = x;
      if (inked(strips[1], x)) rightStart = std::min(rightStart, x);
    }
    const char* where = c.numberLine ? "number line" : "entry line";
    ASSERT_GE(leftEnd, 0) << where << " " << c.cellWidth;
    // Alone the two would collide except in the wide cells.
    ASSERT_EQ(rightStart > leftEnd + 1, c.right == Right::kWhole) << where << " " << c.cellWidth;
    bool rightShows = false;
    for (int x = 0; x < width; ++x) {
      if (x <= leftEnd + 1) {
        EXPECT_TRUE(sameColumn(strips[2], strips[0], x))
            << where << " " << c.cellWidth << ": the right item inks column " << x;
      } else if (c.right == Right::kWhole) {
        EXPECT_TRUE(sameColumn(strips[2], strips[1], x))
            << where << " " << c.cellWidth << ": the right item moved at column " << x;
      }
      if (x > leftEnd && inked(strips[2], x)) rightShows = true;
    }
    EXPECT_EQ(rightShows, c.right != Right::kLeftOut) << where << " " << c.cellWidth;
  }
}

TEST_F(GridPainting, DaysAfterTheLastAreEmptyBoxes) {
  Show(kLastSerial);
  const Cell last = CellOf(kLastSerial);
  const int background = AppOptions().colors.back[35] >= 0
                             ? AppOptions().colors.back[35]
                             : static_cast<int>(GetSysColor(COLOR_BTNFACE));
  const int x = last.right + view_.grid.cellWidth / 2;  // 2100-01-01
  EXPECT_EQ(Pixel(x, last.top + 6), background);
  EXPECT_EQ(Pixel(x, last.bottom - 6), background);
}

TEST_F(GridPainting, FocusFrameOnlyWithAFocusPen) {
  const int focusColor = AppOptions().PenColor[1];
  Show(Day(2026, 12, 16));
  Cell focus = CellOf(Day(2026, 12, 16));
  const int y = (focus.top + focus.bottom) / 2;
  EXPECT_TRUE(Contains(focus.left - 1, y, focus.left + 2, y + 1, focusColor));
  AppOptions().PenSize[1] = 0;
  Show(Day(2026, 12, 16));
  focus = CellOf(Day(2026, 12, 16));
  EXPECT_FALSE(Contains(focus.left - 1, y, focus.left + 2, y + 1, focusColor));
}

}  // namespace

}  // namespace hiyomi
