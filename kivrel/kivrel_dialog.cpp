#include "kivrel/kivrel_dialog.h"

#include <cstdio>
#include <string>

#include "base/message_box.h"
#include "base/path_text.h"
#include "base/text.h"
#include "base/win/folder_choice.h"
#include "kivrel/settings_copy_win.h"
#include "resources/kivrel/kivrel_dialog_ids.h"

namespace hiyomi {
namespace {

constexpr int kFolderLimit = 259;  // characters taken from the folder box
constexpr char kCalendarName[] = "Hiyomi";

// What the ini path is needed for: the copies report a bad folder, the
// switch tries the registry instead.
enum class IniPathMode { kFileMayBeMissing, kFileMustExist, kSilent };

void Say(HWND dialog, MessageKind kind, const char* text) { ShowMessage(dialog, kind, text); }

bool IsFolder(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string FolderText(HWND dialog) {
  char folder[kFolderLimit + 1] = "";
  GetDlgItemTextA(dialog, IDE_KIVREL_FOLDER, folder, sizeof folder);
  return folder;
}

bool ResolveIniPath(HWND dialog, IniPathMode mode, std::string& path) {
  const std::string folder = FolderText(dialog);
  if (folder.empty() || !IsFolder(folder.c_str())) {
    if (mode != IniPathMode::kSilent) Say(dialog, MessageKind::Stop, "Iniファイルのパスが無効です。　　");
    return false;
  }
  path = JoinPath(folder, kIniFileName);
  if (mode == IniPathMode::kFileMustExist && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    Say(dialog, MessageKind::Stop, "Iniファイルが見つかりません。　　");
    return false;
  }
  return true;
}

void ReportCopy(HWND dialog, int result, const char* direction) {
  if (result == kCopyDone) {
    Say(dialog, MessageKind::Information, "複写しました。　　");
    return;
  }
  char text[64];
  std::snprintf(text, sizeof text, "複写(%s)エラー(%d)", direction, result);
  Say(dialog, MessageKind::Stop, text);
}

void OnRegistryToIni(HWND dialog) {
  std::string path;
  if (!ResolveIniPath(dialog, IniPathMode::kFileMayBeMissing, path)) return;
  ReportCopy(dialog, CopyRegistryToIni(path), "Reg→Ini");
}

void OnIniToRegistry(HWND dialog) {
  std::string path;
  if (!ResolveIniPath(dialog, IniPathMode::kFileMustExist, path)) return;
  ReportCopy(dialog, CopyIniToRegistry(path), "Ini→Reg");
}

void OnBrowse(HWND dialog) {
  std::string folder = FolderText(dialog);
  if (!ChooseFolder(dialog, FolderChoice{"ディレクトリ選択", true}, folder)) return;
  SetDlgItemTextA(dialog, IDE_KIVREL_FOLDER, folder.c_str());
}

void SetStorageSwitch(HWND dialog) {
  char value = '\0';
  if (IsDlgButtonChecked(dialog, IDR_KIVREL_USE_INI) == BST_CHECKED) value = '1';
  if (IsDlgButtonChecked(dialog, IDR_KIVREL_USE_REGISTRY) == BST_CHECKED) value = '2';
  if (value == '\0') {
    Say(dialog, MessageKind::Stop, "設定先を選択してください。　　");
    return;
  }
  std::string path;
  const bool resolved = ResolveIniPath(dialog, IniPathMode::kSilent, path);
  if (resolved) {
    const char text[2] = {value, '\0'};
    // The ini file is what Hiyomi consults first, so its failure is told.
    if (WritePrivateProfileStringA(kCommonSection, kSwitchKey, text, path.c_str())) {
      Say(dialog, MessageKind::Information, "Iniファイルに登録しました。　　");
    } else {
      Say(dialog, MessageKind::Stop, "Iniファイル登録に失敗しました。　　");
    }
  } else if (value == '1') {
    Say(dialog, MessageKind::Stop, "Iniファイル登録に失敗しました。　　");
  }
  if (value == '1' && resolved && !RegistrySettingsExist()) return;
  if (WriteRegistrySwitch(value)) {
    Say(dialog, MessageKind::Information, "レジストリに登録しました。　　");
  } else {
    Say(dialog, MessageKind::Stop, "レジストリ登録に失敗しました。　　");
  }
}

void OnDelete(HWND dialog) {
  const long result = DeleteRegistrySettings();
  if (result == 0) {
    Say(dialog, MessageKind::Information, "削除しました。　　");
  } else if (result == kNoRegistryKey) {
    Say(dialog, MessageKind::Stop, "キーをオープンできませんでした。　　");
  } else {
    char text[48];
    std::snprintf(text, sizeof text, "削除エラー(%ld)", result);
    Say(dialog, MessageKind::Stop, text);
  }
}

INT_PTR OnInitDialog(HWND dialog, const char* folder) {
  char title[64];
  std::snprintf(title, sizeof title, "%s for %s", kKivrelCaption, kCalendarName);
  SetWindowTextA(dialog, title);
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
  if (HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_KIVREL))) {
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  SendDlgItemMessageA(dialog, IDE_KIVREL_FOLDER, EM_LIMITTEXT, kFolderLimit, 0);
  SetDlgItemTextA(dialog, IDE_KIVREL_FOLDER, folder != nullptr ? folder : "");
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDB_KIVREL_REG_TO_INI: OnRegistryToIni(dialog); return TRUE;
    case IDB_KIVREL_INI_TO_REG: OnIniToRegistry(dialog); return TRUE;
    case IDB_KIVREL_BROWSE: OnBrowse(dialog); return TRUE;
    case IDB_KIVREL_SET_SWITCH: SetStorageSwitch(dialog); return TRUE;
    case IDB_KIVREL_DELETE: OnDelete(dialog); return TRUE;
    case IDB_KIVREL_CLOSE:
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    default: return FALSE;
  }
}

INT_PTR CALLBACK KivrelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<const char*>(lParam));
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;
      return OnCommand(dialog, LOWORD(wParam));
    case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void RunKivrelDialog(HINSTANCE instance, const char* folder) {
  SetMessageCaption(kKivrelCaption);
  DialogBoxParamA(instance, IDD_KIVREL_MAIN, nullptr, KivrelProc, reinterpret_cast<LPARAM>(folder));
}

}  // namespace hiyomi
