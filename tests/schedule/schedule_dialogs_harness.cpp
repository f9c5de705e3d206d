// Opens the day dialog or the undated data dialog over a small set of real
// data in the current folder, to look at them: "day" (the default), "day+"
// (with the undated dialog beside it) or "undated".
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>

#include "almanac/dates.h"
#include "resources/daydlg_ids.h"
#include "schedule/day_dialog.h"
#include "schedule/message_prompts.h"
#include "schedule/undated_dialog.h"
#include "schedule/year_store.h"
#include "settings/memory_backend.h"
#include "settings/settings_store.h"

using namespace hiyomi;

namespace {

ScheduleEntry Entry(const char* text, int8_t order, uint8_t category, int32_t textColor, int32_t backColor,
                    char mark = 0, int32_t span = 0) {
  ScheduleEntry e = EmptyEntry();
  e.order = order;
  e.category = category;
  std::strncpy(e.text, text, sizeof e.text - 1);
  e.textColor = textColor;
  e.backColor = backColor;
  e.mark = mark;
  e.span = span;
  return e;
}

void CALLBACK OpenUndatedBeside(HWND, UINT, UINT_PTR id, DWORD) {
  HWND day = FindWindowA("#32770", "日個別設定");
  if (day == nullptr || !IsWindowVisible(day)) return;
  KillTimer(nullptr, id);
  SendMessageA(GetDlgItem(day, IDB_DAY_UNDATED), BM_CLICK, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const std::string mode = argc > 1 ? argv[1] : "day";

  SettingsStore settings;
  settings.Attach(std::make_unique<MemorySettingsBackend>(), "Profile");
  settings.WriteString("Type1", "仕事,0x000080,0xE0F0FF");
  settings.WriteString("Type2", "家族,#,0xE0FFE0");
  settings.WriteString("Type3", "趣味,0x800000,#");
  settings.WriteString("Color1", "赤,0x0000FF");
  settings.WriteString("Color2", "青,0xFF0000");
  settings.WriteString("Color11", "黄,0x80FFFF");
  settings.WriteString("Color12", "水色,0xFFFF80");
  CategoryTable categories;
  ColorSets colorSets;
  categories.Load(settings, nullptr);
  colorSets.Load(settings, nullptr);

  MessagePrompts prompts;
  YearStore years(SystemDataFiles(), prompts);
  UndatedList undated(SystemDataFiles(), prompts);
  SecretTexts secrets;
  const SerialDay today = ClampSerial(TodaySerial());
  years.Open("HiyomiHarness", DateFromSerial(today).year);
  undated.LoadUndated(years.BasePath());

  DayRecord record = FreshDayRecord(today);
  record.dayBackColor = 0xE0E0FF;
  record.entries[0] = Entry("定例会議　第三会議室", 1, 0, -1, -1);
  record.entries[1] = Entry("歯医者 15:00", 2, 2, 0x0000FF, 0x80FFFF, '*');
  record.entries[2] = Entry("家族旅行（箱根）", 3, 1, -1, -1, 0, 2);
  record.entries[3] = Entry("非表示の予定", -4, 0, 0x808080, -1);
  CopyRequest none;
  years.StoreDayRecord(record, today, none);
  undated.entries[0] = Entry("車検の予約", 1, 0, -1, -1, 0, 3);
  undated.entries[1] = Entry("年賀状の準備", 1, 1, 0xFF0000, 0xFFFF80);
  undated.entries[2] = Entry("読書会", 1, 2, -1, -1, 0, -1);

  ScheduleDialogData data{years, undated, categories, colorSets, secrets, settings, nullptr, nullptr, nullptr};
  if (mode == "undated") return RunUndatedDialog(nullptr, kNoDay, data);
  if (mode == "day+") SetTimer(nullptr, 0, 50, OpenUndatedBeside);
  return RunDayDialog(nullptr, today, data) < 0;
}
