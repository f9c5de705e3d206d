#include "base/win/file_choice.h"

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

bool ChooseFileFor(HWND owner, char* path, int size, DWORD flags) {
  if (size <= 0) return false;
  if (Chooser()) {
    std::string chosen;
    if (!Chooser()(owner, path, chosen)) return false;
    CopyText(path, chosen.c_str(), size);
    return true;
  }
  char file[MAX_PATH];
  CopyText(file, path, sizeof file);
  // The folder of the proposed path: a whole path as the initial folder
  // would name a file, which the dialog passes over.
  char folder[MAX_PATH];
  CopyText(folder, path, sizeof folder);
  folder[FileNameOffset(folder)] = '\0';
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrInitialDir = folder[0] != '\0' ? folder : nullptr;
  dialog.Flags = flags;
  if (!GetOpenFileNameA(&dialog)) {
    // A text that is no file name (a command line with arguments) makes the
    // dialog refuse to open: it opens on the folder alone instead.
    if (CommDlgExtendedError() != FNERR_INVALIDFILENAME) return false;
    file[0] = '\0';
    if (!GetOpenFileNameA(&dialog)) return false;
  }
  CopyText(path, file, size);
  return true;
}

}  // namespace hiyomi
