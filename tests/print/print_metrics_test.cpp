// The sheet's arithmetic: lines per day, natural sizes, the slots' first
// days, where the slots land on the printable area, mirroring and the
// correction, the month line, and the table view's hit test.
#include <gtest/gtest.h>

#include <string>

#include "almanac/dates.h"
#include "print/print_metrics.h"
#include "print/print_settings.h"

namespace hiyomi {
namespace {

TEST(PrintMetricsTest, TenthsOfMillimetresRoundToPixels) {
  struct Case {
    int tenths, dpi, pixels;
  } const cases[] = {
      {254, 600, 600}, {200, 600, 472}, {100, 96, 38}, {1, 600, 2}, {0, 300, 0}, {99999, 600, 236218},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PixelsFromTenthsMm(c.tenths, c.dpi), c.pixels) << c.tenths << " at " << c.dpi;
  }
  EXPECT_EQ(TenthsMmFromPixels(472, 600), 200);
  EXPECT_EQ(TenthsMmFromPixels(38, 96), 101);
  EXPECT_EQ(TenthsMmFromPixels(10, 0), 0);
}

TEST(PrintMetricsTest, LinesPerDayShrinkToThePageAndGrowToTheDayNumber) {
  struct Case {
    int lines, pageHeight, header, rows, lineHeight, numberHeight, expected;
  } const cases[] = {
      {6, 0, 20, 4, 10, 24, 6},      // no page height: NLine stays
      {6, 200, 20, 4, 10, 24, 4},    // 20 + 4 x 4 x 10 = 180 fits, 5 lines would not
      {6, 260, 20, 4, 10, 24, 6},    // exactly fits
      {6, 259, 20, 4, 10, 24, 5},    // one pixel short
      {6, 30, 20, 4, 10, 24, 3},     // down to 1, then up to the number's 24 pixels
      {1, 0, 20, 4, 10, 35, 4},      // raised: 3 lines are 30 < 35
      {2, 0, 20, 4, 10, 20, 2},      // exactly the number's height
      {20, 100, 10, 31, 1, 1, 2},    // 10 + 31 x 2 = 72 fits
      {20, 10, 10, 31, 1, 1, 1},     // never below one line
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LinesPerDay(c.lines, c.pageHeight, c.header, c.rows, c.lineHeight, c.numberHeight),
              c.expected)
        << c.lines << " lines, page " << c.pageHeight;
  }
}

TEST(PrintMetricsTest, NaturalPageSizeFromTheMeasuresAndGivenSizesKept) {
  PrintLook look = DefaultPrintLook();
  const SheetMeasures m{10, 25, 40, 24, 300, 12};
  SheetMetrics s = ComputeSheetMetrics(m, look, 0, 0);
  EXPECT_EQ(s.dayRows, 4);
  EXPECT_EQ(s.linesPerDay, 6);
  EXPECT_EQ(s.pageWidth, 40 + 12 + 300);
  EXPECT_EQ(s.pageHeight, 25 + 4 * 6 * 10);
  look.frame = true;
  look.days[0] = 2;
  look.days[1] = 5;
  s = ComputeSheetMetrics(m, look, 0, 0);
  EXPECT_EQ(s.pageWidth, 1 + 40 + 12 + 300);
  EXPECT_EQ(s.pageHeight, 25 + 5 * 6 * 10 + 1);
  s = ComputeSheetMetrics(m, look, 500, 200);
  EXPECT_EQ(s.pageWidth, 500);
  EXPECT_EQ(s.pageHeight, 200);
  EXPECT_EQ(s.linesPerDay, 3);  // 25 + 5 x 3 x 10 = 175 fits in 200
}

TEST(PrintMetricsTest, FirstDayOfEverySlotByPattern) {
  const int days[2] = {4, 3};
  const SerialDay start = SerialFromDate(2026, 12, 7);
  const int expected[kPagePatternCount][kPageSlots] = {
      {0, 4, 7, 11},   // 横並び
      {0, 8, 4, 11},   // 縦並び
      {3, 7, 17, 21},  // 両面表
      {10, 0, 24, 14}, // 両面裏
  };
  for (int pattern = 0; pattern < kPagePatternCount; ++pattern) {
    for (int slot = 0; slot < kPageSlots; ++slot) {
      EXPECT_EQ(SlotFirstDay(static_cast<PagePattern>(pattern), slot, start, days) - start,
                expected[pattern][slot])
          << "pattern " << pattern << " slot " << slot + 1;
    }
  }
  EXPECT_EQ(SlotDays(0, days), 4);
  EXPECT_EQ(SlotDays(1, days), 3);
  EXPECT_EQ(SlotDays(2, days), 4);
  EXPECT_EQ(SlotDays(3, days), 3);
}

TEST(PrintMetricsTest, PageButtonsAndCorrectionByPattern) {
  const int labels[kPagePatternCount][kPageSlots] = {{1, 2, 3, 4}, {1, 3, 2, 4}, {2, 3, 6, 7}, {4, 1, 5, 8}};
  for (int pattern = 0; pattern < kPagePatternCount; ++pattern) {
    for (int slot = 0; slot < kPageSlots; ++slot) {
      EXPECT_EQ(SlotPageNumber(static_cast<PagePattern>(pattern), slot), labels[pattern][slot]);
    }
  }
  EXPECT_TRUE(CorrectionApplies(PagePattern::kSideBySide));
  EXPECT_TRUE(CorrectionApplies(PagePattern::kStacked));
  EXPECT_FALSE(CorrectionApplies(PagePattern::kDuplexFront));
  EXPECT_TRUE(CorrectionApplies(PagePattern::kDuplexBack));
}

TEST(PrintMetricsTest, UsedSlotsGiveColumnsAndRows) {
  struct Case {
    int slots, columns, rows;
  } const cases[] = {{1, 1, 1}, {3, 2, 1}, {5, 1, 2}, {2, 2, 1}, {4, 1, 2}, {8, 2, 2}, {15, 2, 2}};
  for (const Case& c : cases) {
    EXPECT_EQ(UsedColumns(c.slots), c.columns) << c.slots;
    EXPECT_EQ(UsedRows(c.slots), c.rows) << c.slots;
  }
}

// A4 at 100 dpi with a 10-pixel margin all round.
constexpr PrintableArea kA4{827, 1169, 807, 1149, 10, 10};

TEST(PrintMetricsTest, DuplexSheetsTakeTheWiderHorizontalMarginOnBothSides) {
  const PrintableArea lopsided{827, 1169, 800, 1149, 7, -3};
  const PrintableArea plain = SheetArea(lopsided, PagePattern::kSideBySide);
  EXPECT_EQ(plain.offsetX, 7);
  EXPECT_EQ(plain.offsetY, 0);
  EXPECT_EQ(plain.width, 800);
  for (PagePattern duplex : {PagePattern::kDuplexFront, PagePattern::kDuplexBack}) {
    const PrintableArea even = SheetArea(lopsided, duplex);
    EXPECT_EQ(even.offsetX, 20);  // the right margin: 827 - 800 - 7
    EXPECT_EQ(even.width, 827 - 40);
  }
}

TEST(PrintMetricsTest, OriginAndMarginsPlaceTheGridAndShrinkPagesToFit) {
  PlacementInput in{kA4, PlacementMode::kOriginAndMargins, 15, {{79, 79}, {}, {39, 39}, {}}, 300, 400};
  Placement p = PlaceSlots(in);
  EXPECT_FALSE(p.originMoved);
  EXPECT_EQ(p.pageWidth, 300);
  EXPECT_EQ(p.pageHeight, 400);
  EXPECT_EQ(p.slot[1].x, 79 + 300 + 39);
  EXPECT_EQ(p.slot[1].y, 79);
  EXPECT_EQ(p.slot[2].x, 79);
  EXPECT_EQ(p.slot[2].y, 79 + 400 + 39);
  EXPECT_EQ(p.slot[3].x, 418);
  EXPECT_EQ(p.slot[3].y, 518);

  in.pageWidth = 500;  // two would run past the right edge at 817
  in.pageHeight = 700;
  p = PlaceSlots(in);
  EXPECT_EQ(p.pageWidth, (817 - 79 - 39) / 2);
  EXPECT_EQ(p.pageHeight, (1159 - 79 - 39) / 2);
  EXPECT_LE(p.slot[3].x + p.pageWidth, 817);
  EXPECT_LE(p.slot[3].y + p.pageHeight, 1159);

  in.slots = 1;  // one page only needs the room of one
  p = PlaceSlots(in);
  EXPECT_EQ(p.pageWidth, 500);
  EXPECT_EQ(p.pageHeight, 700);
}

TEST(PrintMetricsTest, FirstOriginIsClampedAndTheOthersFollowItsMove) {
  PlacementInput in{kA4,
                    PlacementMode::kFourOrigins,
                    15,
                    {{2, 5}, {400, 5}, {2, 600}, {400, 600}},
                    300,
                    400};
  Placement p = PlaceSlots(in);
  EXPECT_TRUE(p.originMoved);
  EXPECT_EQ(p.slot[0].x, 10);
  EXPECT_EQ(p.slot[0].y, 10);
  EXPECT_EQ(p.slot[1].x, 408);  // moved by the same 8 and 5 pixels
  EXPECT_EQ(p.slot[1].y, 10);
  EXPECT_EQ(p.slot[2].x, 10);
  EXPECT_EQ(p.slot[2].y, 605);

  // Right and lower slots keep at least a page clear of the first one.
  in.given[0] = {100, 100};
  in.given[1] = {150, 100};
  in.given[2] = {100, 120};
  in.given[3] = {900, 2000};
  p = PlaceSlots(in);
  EXPECT_FALSE(p.originMoved);
  EXPECT_EQ(p.slot[1].x, 400);
  EXPECT_EQ(p.slot[2].y, 500);
  EXPECT_EQ(p.slot[3].x, 817 - 300);  // kept on the printable area
  EXPECT_EQ(p.slot[3].y, 1159 - 400);

  // Two columns of 500 do not fit after an origin at 100.
  in.pageWidth = 500;
  p = PlaceSlots(in);
  EXPECT_EQ(p.pageWidth, (817 - 100) / 2);
}

TEST(PrintMetricsTest, DuplexBackMirrorsTheColumnsAndCorrectionMovesPages) {
  const PlacementInput in{kA4, PlacementMode::kOriginAndMargins, 15, {{79, 79}, {}, {39, 39}, {}}, 300, 400};
  const Placement p = PlaceSlots(in);
  const PixelPoint correction{5, -3};
  for (int slot = 0; slot < kPageSlots; ++slot) {
    const PixelRect front = SlotRect(p, kA4, PagePattern::kDuplexFront, slot, correction);
    EXPECT_EQ(front.left, p.slot[slot].x - 10) << "no correction on the front";
    EXPECT_EQ(front.top, p.slot[slot].y - 10);
    const PixelRect back = SlotRect(p, kA4, PagePattern::kDuplexBack, slot, correction);
    const PixelRect other = SlotRect(p, kA4, PagePattern::kDuplexFront, slot ^ 1, {});
    // On the sheet the back page lies where the other column's front page
    // lies, seen from the other side.
    EXPECT_EQ((back.right - correction.x) + 10, 827 - (other.left + 10)) << slot;
    EXPECT_EQ(back.top, front.top + correction.y);
    EXPECT_EQ(back.right - back.left, 300);
    const PixelRect side = SlotRect(p, kA4, PagePattern::kSideBySide, slot, correction);
    EXPECT_EQ(side.left, front.left + 5);
    EXPECT_EQ(side.bottom, front.bottom - 3);
  }
}

TEST(PrintMetricsTest, HeaderTextByTitleFormatWithTheEraOfTheMonth) {
  struct Case {
    int year, month, format, block;
    const char* text;
  } const cases[] = {
      {2026, 12, 0, 0, "  2026年12月"},
      {2019, 4, 1, 0, "  平成31年4月"},
      {2019, 5, 1, 0, "  令和1年5月"},
      {2026, 12, 1, 2, "  令和8年12月 (2)"},
      {2001, 1, 1, 0, "  平成13年1月"},
      {2026, 3, 2, 0, "  2026 March"},
      {2026, 3, 3, 1, "  March 2026 (1)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SheetHeaderText(SerialFromDate(c.year, c.month, 15), c.format, c.block), c.text);
  }
}

TEST(PrintMetricsTest, BlockNumbersCountFromTheChosenPeriod) {
  struct Case {
    int year, month, day, ptn3, expected;
  } const cases[] = {
      {2026, 12, 1, 0x01, 1},  {2026, 12, 7, 0x01, 1}, {2026, 12, 8, 0x01, 2},
      {2026, 1, 15, 0x11, 3},  {2026, 4, 1, 0x21, 1},  {2026, 3, 31, 0x21, 53},
      {2026, 12, 8, 0x31, 0},  // not counted
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SheetBlockNumber(SerialFromDate(c.year, c.month, c.day), c.ptn3, 7), c.expected)
        << c.year << "-" << c.month << "-" << c.day << " ptn3 " << c.ptn3;
  }
}

TEST(PrintMetricsTest, TableHitTestFindsTheDayOfEachPanel) {
  const SerialDay first = SerialFromDate(2026, 12, 7);
  const TableLayout t{2, 300, 20, 60, 40, 30, first, {4, 3}};
  struct Case {
    int x, y;
    bool whole;
    SerialDay expected;
  } const cases[] = {
      {10, 25, true, first},            // panel 0, first day
      {250, 22 + 60 * 3 + 59, true, first + 3},
      {250, 22 + 60 * 4 + 5, true, kNoDay},  // panel 0 has 4 days
      {305, 25, true, first + 4},       // panel 1 starts after panel 0's days
      {303, 25, true, kNoDay},          // the rule between the panels
      {599, 22 + 60 * 2 + 1, true, first + 6},
      {500, 22 + 60 * 3 + 1, true, kNoDay},  // panel 1 has 3 days
      {605, 25, true, kNoDay},
      {10, 21, true, kNoDay},           // in the header
      {30, 22 + 60 + 10, false, first + 1},  // date box of the second day
      {50, 22 + 60 + 10, false, kNoDay},     // right of the date column
      {30, 22 + 60 + 31, false, kNoDay},     // below the date box
      {310, 25, false, first + 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TableHitTest(t, c.x, c.y, c.whole), c.expected) << c.x << "," << c.y;
  }
}

TEST(PrintMetricsTest, TablePanelsPastTheLastDayAreNeverHit) {
  const TableLayout t{1, 300, 20, 60, 40, 30, kLastSerial - 1, {4, 3}};
  EXPECT_EQ(TableHitTest(t, 10, 21 + 60 + 1, true), kLastSerial);
  EXPECT_EQ(TableHitTest(t, 10, 21 + 120 + 1, true), kNoDay);
  EXPECT_EQ(TableHitTest(t, 305, 25, true), kNoDay);
}

TEST(PrintMetricsTest, TableStartsOnTheRowWeekdayOnlyForMoreThanSixDays) {
  const SerialDay thursday = SerialFromDate(2026, 12, 10);
  const int week[2] = {4, 3};
  const int few[2] = {3, 3};
  EXPECT_EQ(TableFirstDay(thursday, 1, week), SerialFromDate(2026, 12, 7));
  EXPECT_EQ(TableFirstDay(thursday, 0, week), SerialFromDate(2026, 12, 6));
  EXPECT_EQ(TableFirstDay(thursday, 4, week), thursday);
  EXPECT_EQ(TableFirstDay(thursday, 1, few), thursday);
  EXPECT_EQ(TableFirstDay(thursday, 7, week), thursday);
}

}  // namespace
}  // namespace hiyomi
