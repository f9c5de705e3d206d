// Opens the options sheet over sample settings to look at it: the page
// given by its number (1-7, default 5) or "group" (定期予定 with the group
// dialog of 定期2 over it). With a second argument, the screen is saved
// there as a BMP once the window is up, and the window closes.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <memory>
#include <string>

#include "resources/optpage_data_ids.h"
#include "settings/memory_backend.h"
#include "settings/options_sheet_win.h"
#include "settings/settings_store.h"
#include "tests/settings/screen_picture.h"

using namespace hiyomi;

namespace {

int startPage = 4;
bool showGroup = false;
std::string savePath;

void CALLBACK SaveAndClose(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  hiyomi::testing::SaveScreenPicture(screen, savePath);
  HWND group = FindWindowA("#32770", "定期予定グループ設定");
  if (group != nullptr) PostMessageA(group, WM_CLOSE, 0, 0);
  if (HWND sheet = FindWindowA("#32770", "設定")) PostMessageA(sheet, WM_CLOSE, 0, 0);
}

void CALLBACK ShowStartPage(HWND, UINT, UINT_PTR id, DWORD) {
  HWND sheet = FindWindowA("#32770", "設定");
  if (sheet == nullptr || !IsWindowVisible(sheet)) return;
  KillTimer(nullptr, id);
  PropSheet_SetCurSel(sheet, nullptr, startPage);
  if (!savePath.empty()) SetTimer(nullptr, 0, 1500, SaveAndClose);
  if (showGroup) {
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_REGULAR_ROW_FIRST + IDC_REGULAR_ROW_STEP, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_REGULAR_ROW_FIRST + IDC_REGULAR_ROW_STEP)));
  }
}

}  // namespace

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&controls);
  const std::string which = argc > 1 ? argv[1] : "5";
  if (which == "group") {
    showGroup = true;
  } else {
    startPage = std::atoi(which.c_str()) - 1;
  }
  if (argc > 2) savePath = argv[2];

  SettingsStore store;
  store.Attach(std::make_unique<MemorySettingsBackend>(), "Home");
  const char* lines[][3] = {
      {"Default", "Section", "Home"},         {"Home", "SDay1", "1000011"},
      {"Home", "SDayName1", "朝会"},          {"Home", "SDay2", "2003007"},
      {"Home", "SDayName2", "給料日"},        {"Home", "SDay3", "-3123601"},
      {"Home", "SDayName3", "大掃除"},        {"Home", "SDay7", "2000130"},
      {"Home", "SDayName7", "第一水曜の定例会議"}, {"Home", "TextColor29", "0x0000FF"},
      {"Home", "BackColor30", "0xE0FFE0"},    {"Default", "TDFile", "C:\\予定\\一時予定.txt"},
      {"Default", "TDBtn", "1"},              {"Home", "TDMemo", "2"},
      {"Home", "TDBkColor", "0xFFFF80"},      {"Home", "MemoFile1", "C:\\メモ\\買い物.rtf"},
      {"Home", "MemoRTF1", "1"},              {"Home", "Notrik", "1"},
      {"Home", "NotrikDir", "C:\\Notrik\\Notrik.exe"}, {"Default", "Secret", "1"},
      {"Work", "Yoko", "14"},
  };
  for (const auto& line : lines) store.WriteRaw(line[0], line[1], line[2]);
  store.SelectSection("Home", false);

  Options options{};
  OptionsSheetServices services;
  services.categoryName = [](int k) -> const char* {
    static const char* names[] = {"仕事", "家族", "趣味", "", "", "", "", "", "", ""};
    return names[k];
  };
  SetTimer(nullptr, 0, 50, ShowStartPage);
  ShowOptionsDialog(nullptr, options, store, services);
  return 0;
}
