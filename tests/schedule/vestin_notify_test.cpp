// Vestin hears of every year file written, once per file, and of nothing else.
#include <windows.h>

#include <gtest/gtest.h>

#include "schedule/undated_list.h"
#include "schedule/vestin_notify.h"
#include "schedule/year_store.h"
#include "schedule_fixtures.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

int g_notices = 0;

LRESULT CALLBACK FakeVestinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kVestinMessage) {
    EXPECT_EQ(wParam, 17u);
    EXPECT_EQ(lParam, 0);
    ++g_notices;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(Vestin, NotifiedOncePerYearFileWritten) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = FakeVestinProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "Vestin";
  ASSERT_TRUE(RegisterClassA(&wc));
  HWND vestin = CreateWindowA("Vestin", "Vestin", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              wc.hInstance, nullptr);
  ASSERT_NE(vestin, nullptr);

  ScratchDir dir("Vestin");
  ScriptedPrompts prompts;
  VestinNotifier notifier;
  YearStore store(SystemDataFiles(), prompts, &notifier);
  ASSERT_TRUE(store.Open(dir.Base(), 2026));
  DayRecord day = FreshDayRecord(SerialOfNewYear(2027) - 1);
  day.entries[0].order = 1;
  std::strcpy(day.entries[0].text, "x");
  CopyRequest copies;
  copies.count[0] = 2;
  store.StoreDayRecord(day, day.serial, copies);  // two year files
  EXPECT_EQ(g_notices, 2);

  UndatedList undated(SystemDataFiles(), prompts);
  undated.LoadUndated(store.BasePath());
  std::strcpy(undated.entries[0].text, "u");
  ASSERT_TRUE(undated.SaveUndated());
  EXPECT_EQ(g_notices, 2);

  DestroyWindow(vestin);
  UnregisterClassA("Vestin", wc.hInstance);
}

}  // namespace
}  // namespace hiyomi
