// The options sheet from its real templates, driven with messages.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <memory>
#include <string>
#include <vector>

#include "settings/memory_backend.h"
#include "settings/options_sheet_win.h"
#include "settings/settings_store.h"
#include "tests/schedule/dialog_driver.h"

namespace hiyomi {
namespace {

using testing::DriveNextDialog;
using testing::ExpectNoDriverPending;

constexpr int kApplyButtonId = 0x3021;  // the sheet's "Apply" when it has one

class OptionsSheetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
  }
  void SetUp() override {
    auto owned = std::make_unique<MemorySettingsBackend>();
    backend = owned.get();
    store.Attach(std::move(owned), kDefaultSection);
  }
  void TearDown() override { ExpectNoDriverPending(); }

  OptionsDialogState Run(std::function<void(HWND)> driver) {
    DriveNextDialog("設定", std::move(driver));
    return ShowOptionsDialog(nullptr, options, store, services);
  }

  MemorySettingsBackend* backend = nullptr;
  SettingsStore store;
  Options options{};
  OptionsSheetServices services;
};

std::vector<std::string> PageTitles(HWND sheet) {
  HWND tabs = PropSheet_GetTabControl(sheet);
  std::vector<std::string> titles;
  const int count = TabCtrl_GetItemCount(tabs);
  for (int k = 0; k < count; ++k) {
    char text[64] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, k, reinterpret_cast<LPARAM>(&item));
    titles.emplace_back(text);
  }
  return titles;
}

TEST_F(OptionsSheetTest, SevenPagesInOrderAndCancelAppliesNothing) {
  std::vector<std::string> titles;
  const OptionsDialogState state = Run([&](HWND sheet) {
    titles = PageTitles(sheet);
    HWND apply = GetDlgItem(sheet, kApplyButtonId);
    EXPECT_TRUE(apply == nullptr || !IsWindowVisible(apply)) << "the sheet shows no Apply button";
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(titles, (std::vector<std::string>{"基本", "全体表示", "日表示", "色設定", "定期予定",
                                              "一時予定", "その他"}));
  EXPECT_FALSE(state.applied);
}

TEST_F(OptionsSheetTest, OkAppliesAndKeepsTheLoadedOptions) {
  const OptionsDialogState state = Run([](HWND sheet) { PropSheet_PressButton(sheet, PSBTN_OK); });
  EXPECT_TRUE(state.applied);
  EXPECT_EQ(options.MemoLine2, 30);
}

}  // namespace
}  // namespace hiyomi
