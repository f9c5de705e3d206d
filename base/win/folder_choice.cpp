#include "base/win/folder_choice.h"

#include <objbase.h>
#include <shlobj.h>

#include <utility>

namespace hiyomi {
namespace {

FolderChooser& Chooser() {
  static FolderChooser chooser;
  return chooser;
}

// The browser opens at the root unless told, once it is up, which folder
// to show selected.
int CALLBACK PreselectFolder(HWND browser, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data != 0) {
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
  }
  return 0;
}

}  // namespace

FolderChooser SetFolderChooserForTests(FolderChooser chooser) {
  return std::exchange(Chooser(), std::move(chooser));
}

bool ChooseFolder(HWND owner, const FolderChoice& choice, std::string& folder) {
  if (Chooser()) {
    std::string chosen;
    if (!Chooser()(owner, choice.title, folder, chosen)) return false;
    folder = chosen;
    return true;
  }
  char display[MAX_PATH] = "";
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pszDisplayName = display;
  info.lpszTitle = choice.title;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | (choice.withEditBox ? BIF_EDITBOX : 0);
  info.lpfn = PreselectFolder;
  info.lParam = reinterpret_cast<LPARAM>(folder.c_str());
  PIDLIST_ABSOLUTE list = SHBrowseForFolderA(&info);
  if (list == nullptr) return false;
  char path[MAX_PATH] = "";
  const bool ok = SHGetPathFromIDListA(list, path) != 0;
  CoTaskMemFree(list);
  if (!ok || path[0] == '\0') return false;
  folder = path;
  return true;
}

}  // namespace hiyomi
