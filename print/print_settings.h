// How the schedule sheet looks and where its pages go on a printer sheet:
// the appearance keys (saved whenever the print dialog closes with "閉じる")
// and the placement keys (saved only with "設定値保存"), with their defaults
// and ranges, and the arithmetic of the four page slots.
#pragma once

#include "almanac/dates.h"

namespace hiyomi {

class SettingsStore;

inline constexpr int kPageSlots = 4;  // 1 top left, 2 top right, 3 bottom left, 4 bottom right
inline constexpr int kMaxSheetDays = 31;
inline constexpr int kMaxSheetLines = 20;

// Page patterns of combo 7032, in the order of `Npptn`.
enum class PagePattern : int { kSideBySide = 0, kStacked = 1, kDuplexFront = 2, kDuplexBack = 3 };
inline constexpr int kPagePatternCount = 4;

// `Npos`: four page origins, or one origin and the gaps between the pages.
enum class PlacementMode : int { kFourOrigins = 1, kOriginAndMargins = 2 };

enum class RuleSpacing : int { kLineHeight = 0, kTimeLines = 1, kGivenWidth = 2 };

struct PrintLook {
  int days[2];     // NDays0, NDays1: left and right page, [0, 31], never both 0
  int lines;       // NLine, [1, 20]
  bool textColor;  // NTColor
  bool backColor;  // NBColor
  bool horizontalRules;  // NXLine
  bool frame;            // NWLine
  bool verticalRules;    // NYLine
  int ruleSpacing;       // NYLineP, RuleSpacing
  int ruleWidth;         // NYLineW, 0.1 mm, [0, 99999]
  bool timeLines;        // NTLine
  int firstHour;         // NHourS, [0, 23]
  int lastHour;          // NHourE, [0, 23]
  int ruleStyle;         // NLineT: 0 solid, 1 dotted
  int ruleColor;         // NLineC, -1 for none
  bool dayDifference;    // NDDays
  bool undated;          // NDUDat
};

// Lengths in 0.1 mm; x[4], y[4] the correction in printer pixels.
struct PrintPlacement {
  int pattern;     // Npptn, PagePattern
  int slots;       // Npbtn, bits 0-3: slots 1-4, [1, 15]
  int pageWidth;   // Nxsize, 0 for the natural width
  int pageHeight;  // Nysize
  int lineHeight;  // Nlsize, [0, 999]
  int mode;        // Npos, PlacementMode
  int x[kPageSlots + 1];
  int y[kPageSlots + 1];
};

inline constexpr int kMaxTenthsMm = 99999;
inline constexpr int kMaxLineTenthsMm = 999;
inline constexpr int kMaxCorrection = 999;
inline constexpr int kFirstStartOrigin = 200;  // 2 cm from the sheet's corner
inline constexpr int kFirstStartMargin = 100;

PrintLook DefaultPrintLook() noexcept;
PrintLook LoadPrintLook(SettingsStore& store);
// Clamps, turns 0 and 0 days into 1 and 0, and writes every appearance key.
void SavePrintLook(SettingsStore& store, PrintLook look);
// Both 0: the left page keeps one day.
void NormalizeSheetDays(int (&days)[2]) noexcept;

// With none of the keys that say where the pages went, the first start
// places them by an origin and margins of 2 cm and 1 cm.
PrintPlacement LoadPrintPlacement(SettingsStore& store);
void SavePrintPlacement(SettingsStore& store, const PrintPlacement& placement);

// The page number a slot's button shows under a pattern: "1" ... "8".
int SlotPageNumber(PagePattern pattern, int slot) noexcept;
// Whether "補正" applies under a pattern (not on the front of a duplex sheet).
bool CorrectionApplies(PagePattern pattern) noexcept;
// Duplex patterns print both sides with the same horizontal margins.
bool IsDuplex(PagePattern pattern) noexcept;
// The first day a slot's page shows, from the start day and the days of
// the left and right pages.
SerialDay SlotFirstDay(PagePattern pattern, int slot, SerialDay start,
                       const int (&days)[2]) noexcept;
// Slots 2 and 4 are the right column, 3 and 4 the bottom row.
inline constexpr bool IsRightColumn(int slot) noexcept { return (slot & 1) != 0; }
inline constexpr bool IsBottomRow(int slot) noexcept { return slot >= 2; }
// Days of the page in a slot: the left or the right page's count.
int SlotDays(int slot, const int (&days)[2]) noexcept;

}  // namespace hiyomi
