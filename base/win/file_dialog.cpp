#include "base/win/file_dialog.h"

#include <commdlg.h>

#include <utility>

#include "base/path_text.h"
#include "base/text.h"

namespace hiyomi {
namespace {

FileChooser& Chooser() {
  static FileChooser chooser;
  return chooser;
}

}  // namespace

FileChooser SetFileChooserForTests(FileChooser chooser) {
  return std::exchange(Chooser(), std::move(chooser));
}

bool ChooseFileToOpen(HWND owner, std::string& path, DWORD flags) {
  if (Chooser()) {
    std::string chosen = path;
    if (!Chooser()(owner, path, chosen)) return false;
    path = std::move(chosen);
    return true;
  }
  char file[MAX_PATH] = {};
  CopyText(file, path.c_str(), sizeof file);
  // A whole file path as the initial directory would be ignored.
  char folder[MAX_PATH] = {};
  CopyText(folder, path.c_str(), sizeof folder);
  folder[FileNameOffset(folder)] = '\0';
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrInitialDir = folder[0] != '\0' ? folder : nullptr;
  dialog.Flags = flags;
  if (!GetOpenFileNameA(&dialog)) return false;
  path = file;
  return true;
}

}  // namespace hiyomi
