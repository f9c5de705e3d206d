#include "settings/regular_schedule_row_win.h"

#include <cstdlib>
#include <iterator>

#include "almanac/regular_schedules.h"
#include "almanac/rule_validity.h"
#include "base/text.h"
#include "resources/optpage_data_ids.h"
#include "settings/options_sheet_controls_win.h"

namespace hiyomi {

namespace {

constexpr const char* kKinds[] = {"", "毎週", "毎月", "毎年"};
constexpr const char* kMonths[] = {"", "1月", "2月", "3月", "4月", "5月", "6月",
                                   "7月", "8月", "9月", "10月", "11月", "12月"};
constexpr const char* kDays[] = {
    "",     "第一", "第二", "第三", "第四", "1日",  "2日",  "3日",  "4日",  "5日",
    "6日",  "7日",  "8日",  "9日",  "10日", "11日", "12日", "13日", "14日", "15日",
    "16日", "17日", "18日", "19日", "20日", "21日", "22日", "23日", "24日", "25日",
    "26日", "27日", "28日", "29日", "30日", "31日", "末日"};
constexpr const char* kWeekdays[] = {"", "月曜", "火曜", "水曜", "木曜", "金曜", "土曜", "日曜"};
constexpr const char* kShifts[] = {"",         "前移動",   "後移動",   "-3営業日", "-2営業日",
                                   "-1営業日", "0営業日",  "+1営業日", "+2営業日", "+3営業日"};
static_assert(std::size(kDays) == 37, "day codes 0-36");

constexpr int kNameChars = kRegularNameSize - 1;

}  // namespace

void FillRegularRow(HWND dialog, int base, int word, const char* name) {
  // A stored word whose digits name no entry leaves that list on its empty entry.
  const RegularRule rule = DecodeRegularRule(std::abs(word));
  FillList(dialog, base + IDO_REGULAR_KIND, kKinds, rule.kind);
  FillList(dialog, base + IDO_REGULAR_MONTH, kMonths, rule.month);
  FillList(dialog, base + IDO_REGULAR_DAY, kDays, rule.dayCode);
  FillList(dialog, base + IDO_REGULAR_WEEKDAY, kWeekdays, rule.weekday);
  FillList(dialog, base + IDO_REGULAR_SHIFT, kShifts, rule.shift);
  SetCheck(dialog, base + IDO_REGULAR_ENABLED, word > 0);
  SendDlgItemMessageA(dialog, base + IDO_REGULAR_NAME, EM_LIMITTEXT, kNameChars, 0);
  SetDlgItemTextA(dialog, base + IDO_REGULAR_NAME, name);
}

RegularRowChoice ReadRegularRow(HWND dialog, int base) {
  return RegularRowChoice{ListChoice(dialog, base + IDO_REGULAR_KIND),
                          ListChoice(dialog, base + IDO_REGULAR_MONTH),
                          ListChoice(dialog, base + IDO_REGULAR_DAY),
                          ListChoice(dialog, base + IDO_REGULAR_WEEKDAY),
                          ListChoice(dialog, base + IDO_REGULAR_SHIFT),
                          IsChecked(dialog, base + IDO_REGULAR_ENABLED)};
}

bool RegularRowValid(const RegularRowChoice& row) {
  return RegularScheduleValid(row.kind, row.month, row.day, row.weekday, row.shift, row.enabled);
}

void StoreRegularRow(HWND dialog, int base, int& word, char (&name)[kRegularNameSize]) {
  const RegularRowChoice row = ReadRegularRow(dialog, base);
  word = RegularScheduleWord(row.kind, row.month, row.day, row.weekday, row.shift, row.enabled);
  char text[kRegularNameSize * 2] = "";
  GetDlgItemTextA(dialog, base + IDO_REGULAR_NAME, text, sizeof text);
  CopyText(name, text, kRegularNameSize);
}

}  // namespace hiyomi
