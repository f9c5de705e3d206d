// Pages 基本, 全体表示, 日表示 and 色設定 of the options sheet.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <span>

#include "almanac/dates.h"
#include "almanac/rule_validity.h"
#include "base/win/date_picker.h"
#include "resources/optpage_view_ids.h"
#include "settings/options_pages_win.h"
#include "settings/options_sheet_controls_win.h"

namespace hiyomi {

namespace {

// Lists shared by several controls.

constexpr int kEntryTextSize = 8;

// Entries made from a number, kept for the program's lifetime: an empty
// first entry, then `format` for first..last, then the extras.
template <int N>
struct NumberedEntries {
  char text[N][kEntryTextSize] = {};
  const char* entries[N] = {};
};

template <int N>
const NumberedEntries<N>& MakeEntries(NumberedEntries<N>& made, std::initializer_list<const char*> before,
                                      const char* format, int first, int last,
                                      std::initializer_list<const char*> after) {
  int k = 0;
  for (const char* text : before) made.entries[k++] = text;
  for (int n = first; n <= last; ++n, ++k) {
    std::snprintf(made.text[k], kEntryTextSize, format, n);
    made.entries[k] = made.text[k];
  }
  for (const char* text : after) made.entries[k++] = text;
  return made;
}

// Index 0 empty, then "1月" ... "12月": the index is the month.
std::span<const char* const> MonthEntries() {
  static NumberedEntries<13> made;
  static const auto& entries = MakeEntries(made, {""}, "%d月", 1, 12, {});
  return entries.entries;
}

// Index 0 empty, "第一" ... "第四", "1日" ... "31日" (day = index - 4), "末日".
std::span<const char* const> DaySelectorEntries() {
  static NumberedEntries<37> made;
  static const auto& entries =
      MakeEntries(made, {"", "第一", "第二", "第三", "第四"}, "%d日", 1, 31, {"末日"});
  return entries.entries;
}

// Index 0 empty, then "1日" ... "31日": the index is the day.
std::span<const char* const> PeriodDayEntries() {
  static NumberedEntries<32> made;
  static const auto& entries = MakeEntries(made, {""}, "%d日", 1, 31, {});
  return entries.entries;
}

constexpr const char* kFrequencyEntries[] = {"", "毎月", "毎年"};
constexpr const char* kWeekdayEntries[] = {"", "月曜", "火曜", "水曜", "木曜", "金曜", "土曜", "日曜"};
constexpr const char* kRuleKindEntries[] = {"", "日", "間"};

// Page 基本.

constexpr const char* kStartDayEntries[] = {"日曜",       "月曜",     "火曜",     "水曜",
                                            "木曜",       "金曜",     "土曜",     "対象月１日",
                                            "毎月１日",   "１月１日", "４月１日"};
constexpr int kFirstDateStartDay = 7;  // the date entries are always fixed
// Only an index below this is stored complemented for "固定" cleared.
constexpr int kComplementableStartDays = 9;
constexpr const char* kTargetRowEntries[] = {"対象日が１行目", "対象日が２行目", "対象日が３行目"};

constexpr int kRestRules = 4;   // 他1 ... 他4 have controls
constexpr int kRuleFields = 4;  // the four value lists of a rule row
constexpr int kRuleKindDay = 1;
constexpr int kRuleKindPeriod = 2;
constexpr int kRuleKindShift = 28;
constexpr int kRuleFieldShifts[kRuleFields] = {24, 16, 8, 0};
constexpr unsigned kRuleFieldMasks[kRuleFields] = {0xF, 0xFF, 0xFF, 0xFF};

constexpr int kTooltipGeneralBit = 0x10;
constexpr int kTooltipScheduleBit = 0x01;
constexpr int kFontSizeChars = 2;
constexpr int kTitleFontSizeStandard = 12;
constexpr int kTitleFontSizeSimple = 9;

constexpr char kRestRuleError[] = "基本(休日 他%d)のパラメタにエラーがあります。　　";

int RuleKindList(int rule) { return IDC_REST_RULE_KIND_FIRST + IDC_REST_RULE_STEP * rule; }
int RuleValueList(int rule, int field) {
  return IDC_REST_RULE_VALUE_FIRST + IDC_REST_RULE_STEP * rule + field;
}

// The four value lists of a rule row, as its kind has them.
void FillRuleValues(HWND page, int rule, int kind, const int (&selected)[kRuleFields]) {
  std::span<const char* const> lists[kRuleFields] = {};
  if (kind == kRuleKindDay) {
    lists[0] = kFrequencyEntries;
    lists[1] = MonthEntries();
    lists[2] = DaySelectorEntries();
    lists[3] = kWeekdayEntries;
  } else if (kind == kRuleKindPeriod) {
    lists[0] = MonthEntries();
    lists[1] = PeriodDayEntries();
    lists[2] = MonthEntries();
    lists[3] = PeriodDayEntries();
  }
  for (int k = 0; k < kRuleFields; ++k) FillList(page, RuleValueList(rule, k), lists[k], selected[k]);
}

void FillRestRule(HWND page, int rule, unsigned word) {
  const int kind = static_cast<int>(word >> kRuleKindShift);
  int fields[kRuleFields] = {};
  for (int k = 0; k < kRuleFields; ++k) {
    fields[k] = static_cast<int>((word >> kRuleFieldShifts[k]) & kRuleFieldMasks[k]);
  }
  FillList(page, RuleKindList(rule), kRuleKindEntries, kind);
  FillRuleValues(page, rule, ListChoice(page, RuleKindList(rule)), fields);
}

struct RuleChoice {
  int kind;
  int fields[kRuleFields];
};

RuleChoice ReadRestRule(HWND page, int rule) {
  RuleChoice choice{ListChoice(page, RuleKindList(rule)), {}};
  for (int k = 0; k < kRuleFields; ++k) choice.fields[k] = ListChoice(page, RuleValueList(rule, k));
  return choice;
}

unsigned RestRuleWordOf(const RuleChoice& c) {
  if (c.kind <= 0) return static_cast<unsigned>(c.kind);
  return RestDayRuleWord(c.kind, c.fields[0], c.fields[1], c.fields[2], c.fields[3]);
}

// A date entry is always fixed; a weekday may be either.
void FollowStartDay(HWND page) {
  const bool dateEntry = ListChoice(page, IDC_START_DAY) >= kFirstDateStartDay;
  if (dateEntry) SetCheck(page, IDX_START_DAY_FIXED, true);
  EnableControl(page, IDX_START_DAY_FIXED, !dateEntry);
}

void FillBasicPage(HWND page, OptionsSheet& sheet) {
  const Options& o = sheet.options;
  const int startDay = StartDayCode(o);
  FillList(page, IDC_START_DAY, kStartDayEntries, StartDayFixed(o) ? startDay : ~startDay);
  SetCheck(page, IDX_START_DAY_FIXED, StartDayFixed(o));
  FollowStartDay(page);
  const int targetRow = TargetRowCode(o);
  FillList(page, IDC_TARGET_ROW, kTargetRowEntries, MovesToDayOne(o) ? ~targetRow : targetRow);
  SetCheck(page, IDX_MOVE_TO_DAY_ONE, MovesToDayOne(o));

  for (int i = 0; i < kRestFlagCount; ++i) SetCheck(page, IDX_REST_FLAG_FIRST + i, o.Weekday[i] != 0);
  for (int n = 0; n < kRestRules; ++n) FillRestRule(page, n, o.WeekdayP[n]);

  FillNumber(page, IDE_OPACITY_ACTIVE, o.Trns[0], 0, 255);
  FillNumber(page, IDE_OPACITY_INACTIVE, o.Trns[1], 0, 255);
  SetCheck(page, IDX_KEEP_WINDOW_PLACE, KeepsWindowPlace(o));
  SetCheck(page, IDX_RESIDENT, o.TSR != 0);
  SetCheck(page, IDX_SCHEDULE_TABLE, o.Note != 0);

  FillFontList(page, IDC_BASIC_FONT, o.FontName[0]);
  SetCheck(page, IDX_BASIC_FONT_BOLD, o.FontBold[0] != 0);
  SetCheck(page, IDX_BASIC_FONT_ITALIC, o.FontItalic[0] != 0);
  FillNumber(page, IDE_BASIC_FONT_SIZE, o.FontSize[0], 6, 48, kFontSizeChars);

  CheckRadioButton(page, IDR_MENU_STANDARD, IDR_MENU_SIMPLE, o.MenuType == 0 ? IDR_MENU_STANDARD : IDR_MENU_SIMPLE);
  FillNumber(page, IDE_ZOOM, o.Zoom, 50, 200);
  SetCheck(page, IDX_TOOLTIP_GENERAL, (o.TTType & kTooltipGeneralBit) != 0);
  SetCheck(page, IDX_TOOLTIP_SCHEDULE, (o.TTType & kTooltipScheduleBit) != 0);
}

void ApplyBasicPage(HWND page, OptionsSheet& sheet) {
  Options& o = sheet.options;
  const int startDay = ListChoice(page, IDC_START_DAY);
  const bool fixed = IsChecked(page, IDX_START_DAY_FIXED);
  SetStartDayCode(o, !fixed && startDay < kComplementableStartDays ? ~startDay : startDay);
  const int targetRow = ListChoice(page, IDC_TARGET_ROW);
  SetTargetRowCode(o, IsChecked(page, IDX_MOVE_TO_DAY_ONE) ? ~targetRow : targetRow);

  for (int i = 0; i < kRestFlagCount; ++i) o.Weekday[i] = IsChecked(page, IDX_REST_FLAG_FIRST + i) ? 1 : 0;
  for (int n = 0; n < kRestRules; ++n) o.WeekdayP[n] = RestRuleWordOf(ReadRestRule(page, n));

  o.Trns[0] = ReadNumber(page, IDE_OPACITY_ACTIVE, 0, 255);
  o.Trns[1] = ReadNumber(page, IDE_OPACITY_INACTIVE, 0, 255);
  o.Ptn[6] = IsChecked(page, IDX_KEEP_WINDOW_PLACE) ? 1 : 0;
  o.TSR = IsChecked(page, IDX_RESIDENT) ? 1 : 0;
  o.Note = IsChecked(page, IDX_SCHEDULE_TABLE) ? 1 : 0;

  ReadFontName(page, IDC_BASIC_FONT, o.FontName[0]);
  o.FontBold[0] = IsChecked(page, IDX_BASIC_FONT_BOLD) ? 1 : 0;
  o.FontItalic[0] = IsChecked(page, IDX_BASIC_FONT_ITALIC) ? 1 : 0;
  o.FontSize[0] = ReadNumber(page, IDE_BASIC_FONT_SIZE, 6, 48);

  o.MenuType = IsChecked(page, IDR_MENU_SIMPLE) ? 1 : 0;
  o.FontSize[2] = o.MenuType == 0 ? kTitleFontSizeStandard : kTitleFontSizeSimple;
  o.Zoom = ReadNumber(page, IDE_ZOOM, 50, 200);
  // Bits without a box here are kept as they were.
  int tooltips = o.TTType & ~(kTooltipGeneralBit | kTooltipScheduleBit);
  if (IsChecked(page, IDX_TOOLTIP_GENERAL)) tooltips |= kTooltipGeneralBit;
  if (IsChecked(page, IDX_TOOLTIP_SCHEDULE)) tooltips |= kTooltipScheduleBit;
  o.TTType = tooltips;
}

// Only the rules whose "他" box is ticked are checked.
bool ValidateBasicPage(HWND page, const OptionsSheet&, char (&message)[kPendingMessageSize]) {
  for (int n = 0; n < kRestRules; ++n) {
    if (!IsChecked(page, IDX_REST_RULE_FIRST + n)) continue;
    const RuleChoice c = ReadRestRule(page, n);
    if (!RestDayRuleValid(c.kind, c.fields[0], c.fields[1], c.fields[2], c.fields[3])) {
      std::snprintf(message, sizeof message, kRestRuleError, n + 1);
      return false;
    }
  }
  return true;
}

void BasicPageCommand(HWND page, OptionsSheet&, int id, int code) {
  if (code != CBN_SELCHANGE) return;
  if (id == IDC_START_DAY) {
    FollowStartDay(page);
    return;
  }
  for (int n = 0; n < kRestRules; ++n) {
    if (id != RuleKindList(n)) continue;
    const int none[kRuleFields] = {};
    FillRuleValues(page, n, ListChoice(page, id), none);
  }
}

// Page 全体表示.

constexpr const char* kTitleFormatEntries[] = {"西暦年 数字月", "和暦 数字月", "西暦年 英語月", "英語月 西暦年"};
constexpr const char* kHorizontalHeaderEntries[] = {"曜日", "曜日（英語）", "数字", "表示なし"};
constexpr const char* kRowLabelEntries[] = {"西暦2桁年/数字月", "和暦年/数字月", "西暦2桁年/英語月",
                                            "数字月",           "英語月",        "表示なし"};
constexpr const char* kRowNumberingEntries[] = {"月初からの連番", "1月1日からの連番", "4月1日からの連番",
                                                "表示なし"};
constexpr int kNibble = 0x0F;
constexpr int kNibbleBits = 4;
constexpr char kTargetMonthText[] = "対象月";   // MCType 0
constexpr char kCurrentMonthText[] = "当 月";   // MCType 1

void ShowReferenceMonth(HWND page, bool currentMonth) {
  SetDlgItemTextA(page, IDB_REFERENCE_MONTH, currentMonth ? kCurrentMonthText : kTargetMonthText);
}

bool ShowsCurrentMonth(HWND page) {
  char text[16] = "";
  GetDlgItemTextA(page, IDB_REFERENCE_MONTH, text, sizeof text);
  return std::strcmp(text, kCurrentMonthText) == 0;
}

void FillWholeViewPage(HWND page, OptionsSheet& sheet) {
  const Options& o = sheet.options;
  FillNumber(page, IDE_FRAME_PEN_SIZE, o.PenSize[0], 0, 10);
  FillList(page, IDC_TITLE_FORMAT, kTitleFormatEntries, TitleFormat(o));
  FillFontList(page, IDC_TITLE_FONT, o.FontName[2]);
  SetCheck(page, IDX_TITLE_FONT_BOLD, o.FontBold[2] != 0);
  SetCheck(page, IDX_TITLE_FONT_ITALIC, o.FontItalic[2] != 0);
  FillList(page, IDC_HORIZONTAL_HEADER, kHorizontalHeaderEntries, HorizontalHeaderStyle(o));
  FillNumber(page, IDE_COLUMN_SIZE, o.YokoSize, 10, 200);
  FillNumber(page, IDE_DAYS_ACROSS, o.Yoko, 1, 366);
  FillList(page, IDC_ROW_LABELS, kRowLabelEntries, VerticalHeaderCode(o) & kNibble);
  FillList(page, IDC_ROW_NUMBERING, kRowNumberingEntries, (VerticalHeaderCode(o) >> kNibbleBits) & kNibble);
  FillNumber(page, IDE_SCHEDULE_LINES, o.TateLine, 0, 10);
  FillNumber(page, IDE_ROWS, o.Tate, 1, 52);
  ShowReferenceMonth(page, o.MCType != 0);
  CheckRadioButton(page, IDR_MEMO_ABOVE, IDR_MEMO_BELOW, o.MemoPos != 0 ? IDR_MEMO_BELOW : IDR_MEMO_ABOVE);
  FillNumber(page, IDE_MEMO_LINES_MIN, o.MemoLine, 0, 10);
  FillNumber(page, IDE_MEMO_LINES_MAX, o.MemoLine2, 0, 30);
}

void ApplyWholeViewPage(HWND page, OptionsSheet& sheet) {
  Options& o = sheet.options;
  o.PenSize[0] = ReadNumber(page, IDE_FRAME_PEN_SIZE, 0, 10);
  o.Ptn[1] = ListChoice(page, IDC_TITLE_FORMAT);
  ReadFontName(page, IDC_TITLE_FONT, o.FontName[2]);
  o.FontBold[2] = IsChecked(page, IDX_TITLE_FONT_BOLD) ? 1 : 0;
  o.FontItalic[2] = IsChecked(page, IDX_TITLE_FONT_ITALIC) ? 1 : 0;
  o.Ptn[2] = ListChoice(page, IDC_HORIZONTAL_HEADER);
  o.YokoSize = ReadNumber(page, IDE_COLUMN_SIZE, 10, 200);
  o.Yoko = ReadNumber(page, IDE_DAYS_ACROSS, 1, 366);
  o.Ptn[3] = ListChoice(page, IDC_ROW_LABELS) | (ListChoice(page, IDC_ROW_NUMBERING) << kNibbleBits);
  o.TateLine = ReadNumber(page, IDE_SCHEDULE_LINES, 0, 10);
  o.Tate = ReadNumber(page, IDE_ROWS, 1, 52);
  o.MCType = ShowsCurrentMonth(page) ? 1 : 0;
  o.MemoPos = IsChecked(page, IDR_MEMO_ABOVE) ? 0 : 1;
  o.MemoLine = ReadNumber(page, IDE_MEMO_LINES_MIN, 0, 10);
  o.MemoLine2 = std::max(ReadNumber(page, IDE_MEMO_LINES_MAX, 0, 30), o.MemoLine);
}

void WholeViewPageCommand(HWND page, OptionsSheet&, int id, int code) {
  if (id == IDB_REFERENCE_MONTH && code == BN_CLICKED) ShowReferenceMonth(page, !ShowsCurrentMonth(page));
}

// Page 日表示.

constexpr const char* kDayItemEntries[] = {
    "表示なし", "祝日名",     "曜日",    "曜日（英語）",   "曜日 祝日名",   "六曜 干支",
    "二十四節気", "旧暦（数字月）", "旧暦（漢字月）", "月齢", "旧暦 月齢 節気", "日差",
    "月",       "日差(自営業日)", "日差(営業日)", "六曜"};
static_assert(std::size(kDayItemEntries) == 16, "one entry for each 4-bit item code");
constexpr int kDayItemCorners = 4;

constexpr const char* kPrioritySourceNames[kPrioritySources] = {
    "当日", "個別", "休日", "定期1", "定期2", "定期3", "定期4",
    "定期5", "祝日", "曜日", "日標準", "当月", "月", "Default"};

constexpr char kDifferenceDateFormat[] = "yyy'年 'MM'月 'dd'日 'ddd ";
constexpr char kBusinessTimeFormat[] = "tt' 'hh'時 'mm'分 '";
constexpr int kMinutesPerHour = 60;
constexpr int kLastMinuteOfDay = 1439;  // a picker cannot show 24:00

int PriorityList(int k) { return IDC_PRIORITY_FIRST + IDC_PRIORITY_STEP * k; }

PickerDate PickerDateOf(SerialDay day) {
  const CalendarDate date = DateFromSerial(ClampSerial(day));
  return PickerDate{date.year, date.month, date.day};
}

void FillDifferenceOrigin(HWND page, int origin) {
  HWND picker = GetDlgItem(page, IDC_DIFFERENCE_DATE);
  SetUpPicker(picker, kDifferenceDateFormat, PickerDateOf(kFirstSerial), PickerDateOf(kLastSerial));
  SetPickerDate(picker, PickerDateOf(origin != 0 ? origin : TodaySerial()));
  CheckRadioButton(page, IDR_DIFFERENCE_TODAY, IDR_DIFFERENCE_DATE,
                   origin != 0 ? IDR_DIFFERENCE_DATE : IDR_DIFFERENCE_TODAY);
}

int ReadDifferenceOrigin(HWND page) {
  if (!IsChecked(page, IDR_DIFFERENCE_DATE)) return 0;
  PickerDate date{};
  if (!GetPickerDate(GetDlgItem(page, IDC_DIFFERENCE_DATE), &date)) return 0;
  return ClampSerial(SerialFromDate(date.year, date.month, date.day));
}

int ShownBusinessTime(int minutes) { return std::clamp(minutes, 0, kLastMinuteOfDay); }

void FillBusinessTime(HWND page, int minutes) {
  HWND picker = GetDlgItem(page, IDC_BUSINESS_DAY_TIME);
  SendMessageA(picker, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(kBusinessTimeFormat));
  SYSTEMTIME time{};
  GetLocalTime(&time);
  const int shown = ShownBusinessTime(minutes);
  time.wHour = static_cast<WORD>(shown / kMinutesPerHour);
  time.wMinute = static_cast<WORD>(shown % kMinutesPerHour);
  time.wSecond = 0;
  time.wMilliseconds = 0;
  SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

// 1440 (the switch never comes) shows as 23:59: kept unless the user
// changed the time.
int ReadBusinessTime(HWND page, int stored) {
  SYSTEMTIME time{};
  if (SendDlgItemMessageA(page, IDC_BUSINESS_DAY_TIME, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) !=
      GDT_VALID) {
    return stored;
  }
  const int minutes = time.wHour * kMinutesPerHour + time.wMinute;
  return minutes == ShownBusinessTime(stored) ? stored : minutes;
}

// A row shows its source's name and keeps its number.
LVITEMA PriorityRow(int row, int source) {
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = row;
  item.pszText = const_cast<char*>(kPrioritySourceNames[source]);
  item.lParam = source;
  return item;
}

// One column as wide as the list, the rows in priority order, each row's
// source number kept with it.
void FillPriorityList(HWND page, int k, const int (&order)[kPriorityRoom]) {
  HWND list = GetDlgItem(page, PriorityList(k));
  if (Header_GetItemCount(ListView_GetHeader(list)) == 0) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    RECT client{};
    GetClientRect(list, &client);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = client.right - client.left;
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  }
  ListView_DeleteAllItems(list);
  for (int row = 0; row < kPrioritySources; ++row) {
    LVITEMA item = PriorityRow(row, std::clamp(order[row], 0, kPrioritySources - 1));
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
}

int SourceOfRow(HWND list, int row) {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return static_cast<int>(item.lParam);
}

void SetRowSource(HWND list, int row, int source) {
  LVITEMA item = PriorityRow(row, source);
  SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// Swaps the selected row with its neighbour by `step` (-1 up, +1 down);
// the moved row stays selected and in sight.
void MovePriorityRow(HWND page, int k, int step) {
  HWND list = GetDlgItem(page, PriorityList(k));
  const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  const int other = row + step;
  if (row < 0 || other < 0 || other >= kPrioritySources) return;
  const int source = SourceOfRow(list, row);
  SetRowSource(list, row, SourceOfRow(list, other));
  SetRowSource(list, other, source);
  ListView_SetItemState(list, row, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(list, other, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list, other, FALSE);
  SetFocus(list);
}

void FillDayViewPage(HWND page, OptionsSheet& sheet) {
  const Options& o = sheet.options;
  for (int c = 0; c < kDayItemCorners; ++c) {
    FillList(page, IDC_DAY_ITEM_FIRST + c, kDayItemEntries, (DayItemCodes(o) >> (kNibbleBits * c)) & kNibble);
  }
  FillDifferenceOrigin(page, o.PtnSDay);
  FillBusinessTime(page, o.BDayTime);
  FillFontList(page, IDC_DAY_FONT, o.FontName[1]);
  SetCheck(page, IDX_DAY_FONT_BOLD, o.FontBold[1] != 0);
  SetCheck(page, IDX_DAY_FONT_ITALIC, o.FontItalic[1] != 0);
  FillNumber(page, IDE_DAY_FONT_SIZE, o.FontSize[1], 0, 48, kFontSizeChars);
  for (int k = 0; k < kPriorityLists; ++k) {
    FillPriorityList(page, k, o.PtnDay[k]);
    SetCheck(page, IDX_PRIORITY_MONTH_FIRST + IDC_PRIORITY_STEP * k, o.MCType2[k] != 0);
  }
  FillNumber(page, IDE_TARGET_PEN_SIZE, o.PenSize[1], 0, 10);
  SetCheck(page, IDX_FRAME_TODAY, FramesTodayToo(o));
}

void ApplyDayViewPage(HWND page, OptionsSheet& sheet) {
  Options& o = sheet.options;
  int items = 0;
  for (int c = 0; c < kDayItemCorners; ++c) items |= ListChoice(page, IDC_DAY_ITEM_FIRST + c) << (kNibbleBits * c);
  o.Ptn[4] = items;
  o.PtnSDay = ReadDifferenceOrigin(page);
  o.BDayTime = ReadBusinessTime(page, o.BDayTime);
  ReadFontName(page, IDC_DAY_FONT, o.FontName[1]);
  o.FontBold[1] = IsChecked(page, IDX_DAY_FONT_BOLD) ? 1 : 0;
  o.FontItalic[1] = IsChecked(page, IDX_DAY_FONT_ITALIC) ? 1 : 0;
  o.FontSize[1] = ReadNumber(page, IDE_DAY_FONT_SIZE, 0, 48);
  for (int k = 0; k < kPriorityLists; ++k) {
    HWND list = GetDlgItem(page, PriorityList(k));
    for (int row = 0; row < kPrioritySources; ++row) o.PtnDay[k][row] = SourceOfRow(list, row);
    o.MCType2[k] = IsChecked(page, IDX_PRIORITY_MONTH_FIRST + IDC_PRIORITY_STEP * k) ? 1 : 0;
  }
  o.PenSize[1] = ReadNumber(page, IDE_TARGET_PEN_SIZE, 0, 10);
  o.Ptn[7] = IsChecked(page, IDX_FRAME_TODAY) ? 1 : 0;
}

void DayViewPageCommand(HWND page, OptionsSheet&, int id, int code) {
  if (code != BN_CLICKED) return;
  for (int k = 0; k < kPriorityLists; ++k) {
    if (id == IDB_PRIORITY_UP_FIRST + IDC_PRIORITY_STEP * k) MovePriorityRow(page, k, -1);
    if (id == IDB_PRIORITY_DOWN_FIRST + IDC_PRIORITY_STEP * k) MovePriorityRow(page, k, 1);
  }
}

// Page 色設定: its buttons edit the working colours directly.

void ColorsPageCommand(HWND page, OptionsSheet& sheet, int id, int code) {
  if (id != IDB_RESET_COLORS || code != BN_CLICKED) return;
  SetDefaultColors(sheet.options.workColors, false);
  RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace

const OptionsPageHandlers kBasicPageHandlers{FillBasicPage, ApplyBasicPage, ValidateBasicPage, BasicPageCommand};
const OptionsPageHandlers kWholeViewPageHandlers{FillWholeViewPage, ApplyWholeViewPage, nullptr,
                                                 WholeViewPageCommand};
const OptionsPageHandlers kDayViewPageHandlers{FillDayViewPage, ApplyDayViewPage, nullptr, DayViewPageCommand};
const OptionsPageHandlers kColorsPageHandlers{nullptr, nullptr, nullptr, ColorsPageCommand};

}  // namespace hiyomi
