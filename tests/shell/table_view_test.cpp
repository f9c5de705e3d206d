// The schedule-table view on the real main dialog template: two sheet pages
// of the print settings' look side by side on a border of the grid pen's
// colour, its size, where clicks land, a row step moving by both panels'
// days, and the way back to the grid.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "almanac/clock.h"
#include "almanac/dates.h"
#include "print/print_settings.h"
#include "schedule/records.h"
#include "settings/options.h"
#include "shell/main_view_win.h"
#include "shell/program_objects_win.h"
#include "tests/shell/main_window_fixture.h"

namespace hiyomi {
namespace {

SerialDay Day(int year, int month, int day) { return SerialFromDate(year, month, day); }

class TableView : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const LocalTime today{2026, 12, 10, 9, 0};  // a Thursday
    hiyomi_test::OpenProgramIn("hiyomi-table-test", {"Hiyomi_2026.dat"}, &today);
  }
  static void TearDownTestSuite() { hiyomi_test::CloseProgram(); }

  void SetUp() override {
    window_ = hiyomi_test::CreateViewWindow(view_);
    ASSERT_NE(window_, nullptr);
    look_ = Program().printLook;
    view_.printLook = &Program().printLook;
    view_.tableView = true;
    view_.rows.focusDay = Day(2026, 12, 10);
    ApplyOptions(view_, AppOptions());
  }
  void TearDown() override {
    hiyomi_test::DestroyViewWindow(view_, window_);
    Program().printLook = look_;
  }

  int Pixel(int x, int y) const { return static_cast<int>(GetPixel(view_.surfaceDc.get(), x, y)); }
  bool AnyInk(int left, int top, int right, int bottom) const {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        if (Pixel(x, y) != 0xFFFFFF) return true;
      }
    }
    return false;
  }
  // A surface point as a client point of the window at zoom 100.
  SerialDay Hit(int x, int y, bool whole) const {
    return HitTestView(view_, POINT{x, y + SurfaceTop(view_)}, whole);
  }
  int Border() const { return std::max(AppOptions().PenSize[0], 1); }
  const SheetMetrics& Metrics() const { return view_.tableGeometry.metrics; }

  MainView view_;
  HWND window_ = nullptr;
  PrintLook look_{};
};

TEST_F(TableView, TwoPanelsOfTheSheetFillTheSurfaceInsideTheBorder) {
  const SheetMetrics& m = Metrics();
  const int a = Border();
  EXPECT_EQ(m.dayRows, 4);
  EXPECT_EQ(view_.surfaceWidth, 3 * a + 2 * m.pageWidth);
  EXPECT_EQ(view_.surfaceHeight, m.pageHeight + 2 * a);
  EXPECT_GE(m.linesPerDay * m.lineHeight, m.dayNumberHeight);
  const int border = AppOptions().PenColor[0];
  EXPECT_EQ(Pixel(0, 0), border);
  EXPECT_EQ(Pixel(a + m.pageWidth, view_.surfaceHeight / 2), border) << "between the panels";
  EXPECT_EQ(Pixel(view_.surfaceWidth - 1, view_.surfaceHeight - 1), border);
  // The month line over each panel and a day number in each date box.
  for (int panel = 0; panel < 2; ++panel) {
    const int left = a + panel * (a + m.pageWidth);
    EXPECT_TRUE(AnyInk(left, a, left + m.pageWidth / 2, a + m.headerHeight)) << panel;
    const int top = a + m.headerHeight;
    EXPECT_TRUE(AnyInk(left, top, left + m.dateColumnWidth, top + m.dayNumberHeight)) << panel;
  }
  // Panel 1 holds three days: its fourth row is empty.
  const int left = 2 * a + m.pageWidth;
  const int row3 = a + m.headerHeight + 3 * m.linesPerDay * m.lineHeight;
  EXPECT_FALSE(AnyInk(left + 2, row3 + 2, left + m.dateColumnWidth - 2, row3 + m.dayNumberHeight));
}

TEST_F(TableView, PanelsStartOnTheRowWeekdayAndClicksFindTheirDays) {
  const SheetMetrics& m = Metrics();
  const int a = Border();
  const int day = m.linesPerDay * m.lineHeight;
  const int top = a + m.headerHeight;
  const int panel1 = 2 * a + m.pageWidth;
  EXPECT_EQ(Hit(a + 5, top + 2, true), Day(2026, 12, 7)) << "Monday, as the rows start";
  EXPECT_EQ(Hit(a + m.pageWidth - 5, top + 3 * day + day / 2, true), Day(2026, 12, 10));
  EXPECT_EQ(Hit(panel1 + 5, top + 2, true), Day(2026, 12, 11));
  EXPECT_EQ(Hit(panel1 + 5, top + 2 * day + 2, false), Day(2026, 12, 13)) << "in the date box";
  EXPECT_EQ(Hit(panel1 + m.dateColumnWidth + 20, top + 2 * day + 2, false), kNoDay);
  EXPECT_EQ(Hit(panel1 + m.dateColumnWidth + 20, top + 2 * day + 2, true), Day(2026, 12, 13));
  EXPECT_EQ(Hit(panel1 + 5, top + 3 * day + 2, true), kNoDay) << "panel 1 has three days";
  EXPECT_EQ(Hit(a + 5, a + 1, true), kNoDay) << "the month line";
  EXPECT_EQ(HitTestView(view_, POINT{a + 5, SurfaceTop(view_) - 3}, true), kNoDay) << "above the surface";
}

TEST_F(TableView, EntriesShowInTheirDaysBlock) {
  ScheduleEntry entry = EmptyEntry();
  entry.order = 1;
  entry.category = kNoCategory;
  std::strcpy(entry.text, "会議");
  entry.backColor = 0x00FFFF;
  ASSERT_TRUE(Program().years.AddEntryToDay(Day(2026, 12, 8), entry, AddMode::ReportWhenFull));
  Redraw(view_);
  const SheetMetrics& m = Metrics();
  const int a = Border();
  const int top = a + m.headerHeight + m.linesPerDay * m.lineHeight;  // the second day
  bool filled = false;
  for (int x = a + m.dateColumnWidth + 4; x < a + m.pageWidth - 4 && !filled; ++x) {
    filled = Pixel(x, top + m.lineHeight / 2) == 0x00FFFF;
  }
  EXPECT_TRUE(filled) << "the entry's background on its first line";
  EXPECT_NE(Pixel(a + m.dateColumnWidth + 8, top + m.lineHeight + m.lineHeight / 2), 0x00FFFF);
}

TEST_F(TableView, ARowStepMovesByBothPanelsAndTheGridComesBack) {
  Navigate(view_, NavigateKind::kByRows, 1);
  EXPECT_EQ(view_.rows.focusDay, Day(2026, 12, 17));
  EXPECT_EQ(FirstShownDay(view_), Day(2026, 12, 14));
  Navigate(view_, NavigateKind::kByRows, -2);
  EXPECT_EQ(view_.rows.focusDay, Day(2026, 12, 3));
  EXPECT_EQ(FirstShownDay(view_), Day(2026, 11, 30));

  // A look of other days is the table's at the next layout.
  Program().printLook.days[0] = 2;
  Program().printLook.days[1] = 2;
  ApplyOptions(view_, AppOptions());
  EXPECT_EQ(Metrics().dayRows, 2);
  EXPECT_EQ(FirstShownDay(view_), Day(2026, 12, 3)) << "four days: no weekday alignment";

  view_.tableView = false;
  ApplyOptions(view_, AppOptions());
  EXPECT_EQ(view_.surfaceWidth, view_.grid.leftMargin + view_.grid.columns * view_.grid.cellWidth +
                                    view_.grid.halfPen);
  EXPECT_EQ(view_.columns.maximum, view_.grid.columns - 1);
}

}  // namespace
}  // namespace hiyomi
