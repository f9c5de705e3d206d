// A scratch data folder with a real year store and undated list, the
// message boxes answered by the test, and what the dialogs are given.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "almanac/clock.h"
#include "almanac/dates.h"
#include "dialog_driver.h"
#include "schedule/message_prompts.h"
#include "schedule/undated_dialog.h"
#include "schedule/year_store.h"
#include "schedule_fixtures.h"
#include "settings/memory_backend.h"
#include "base/message_box.h"
#include "settings/settings_store.h"
#include "base/win/ui_helpers.h"

namespace hiyomi::testing {

inline constexpr int kYear = 2026;

class ScheduleDialogTest : public ::testing::Test {
 protected:
  explicit ScheduleDialogTest(const char* name) : dir_(name) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    SetFixedClockForTests(LocalTime{kYear, 12, 10, 9, 0});
    settings_.Attach(std::make_unique<MemorySettingsBackend>(), "Profile");
    SetMessageAnswererForTests([this](MessageKind kind, const char* text) {
      messages_.emplace_back(text);
      if (kind == MessageKind::YesNo) {
        const bool yes = !answers_.empty() && answers_.front();
        if (!answers_.empty()) answers_.erase(answers_.begin());
        return yes ? MessageAnswer::Yes : MessageAnswer::No;
      }
      return MessageAnswer::Ok;
    });
    SetColorChooserForTests([this](HWND, int, int& chosen) {
      chosen = chooserColor_;
      return chooserColor_ >= 0;
    });
  }
  void TearDown() override { ExpectNoDriverPending(); }
  ~ScheduleDialogTest() override {
    SetMessageAnswererForTests(nullptr);
    SetColorChooserForTests(nullptr);
    SetClockForTests(nullptr);
  }

  static SerialDay Day(int month, int day) { return SerialFromDate(kYear, month, day); }
  static int DayOfYear(SerialDay day) { return day - SerialOfNewYear(kYear); }

  // Writes the year file byte by byte, then opens the store over it.
  void WriteYear(const std::vector<DayFields>& days) {
    WriteBytes(YearFileName(dir_.Base(), kYear), YearFileBytes(days));
  }
  static DayFields DayWith(SerialDay day, std::vector<EntryFields> entries) {
    return DayFields{DayOfYear(day), day, std::move(entries)};
  }
  void OpenStore() {
    ASSERT_TRUE(years_.Open(dir_.Base(), kYear));
    undated_.LoadUndated(years_.BasePath());
  }

  // The day as a fresh store reads it from disk; false without a record.
  bool OnDisk(SerialDay day, DayRecord& out) {
    ScriptedPrompts quiet;
    YearStore fresh(SystemDataFiles(), quiet);
    fresh.Open(dir_.Base(), kYear);
    return fresh.GetDayRecord(day, out);
  }
  DayRecord MustBeOnDisk(SerialDay day) {
    DayRecord r{};
    EXPECT_TRUE(OnDisk(day, r)) << "no record for serial " << day;
    return r;
  }

  static std::string Text(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
  }
  static void Select(HWND dialog, int id, int index) {
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  static void SetPicker(HWND dialog, int id, SerialDay day) {
    const CalendarDate date = DateFromSerial(day);
    SYSTEMTIME time{};
    time.wYear = date.year;
    time.wMonth = date.month;
    time.wDay = date.day;
    SendDlgItemMessageA(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
  }
  static SerialDay Picked(HWND dialog, int id) {
    SYSTEMTIME time{};
    SendDlgItemMessageA(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return SerialFromDate(time.wYear, time.wMonth, time.wDay);
  }

  ScheduleDialogData Data() {
    return ScheduleDialogData{years_,   undated_, categories_, colorSets_, secrets_, settings_, nullptr,
                              [this] { ++categoryRebuilds_; }, [this] { ++viewRepaints_; }, &prompts_};
  }

  ScratchDir dir_;
  MessagePrompts prompts_;
  YearStore years_{SystemDataFiles(), prompts_};
  UndatedList undated_{SystemDataFiles(), prompts_};
  CategoryTable categories_;
  ColorSets colorSets_;
  SecretTexts secrets_;
  SettingsStore settings_;
  std::vector<std::string> messages_;
  std::vector<bool> answers_;  // Yes/No answers in turn; No when they run out
  int chooserColor_ = -1;
  int categoryRebuilds_ = 0;
  int viewRepaints_ = 0;
};

inline std::string EntryText(const ScheduleEntry& e) { return std::string(e.text, strnlen(e.text, sizeof e.text)); }

}  // namespace hiyomi::testing
