#include "print/export_dialog_win.h"

#include "base/text.h"
#include "base/win/file_choice.h"
#include "schedule/dialog_rows_win.h"
#include "settings/settings_win.h"

namespace hiyomi {
namespace {

constexpr char kPickerFormat[] = "yyy'年 'MM'月 'dd'日 'dddd ";
constexpr int kPathChars = 260;

std::string PathTyped(HWND dialog, int editId) {
  char path[kPathChars + 1] = {};
  GetDlgItemTextA(dialog, editId, path, sizeof path);
  return path;
}

}  // namespace

std::string DefaultExportPath(const char* extension) {
  char path[MAX_PATH + 8] = {};
  ModulePathWithExtension(path, sizeof path, extension);
  return path;
}

void SetUpExportRange(HWND dialog, int firstId, int lastId, SerialDay today) {
  for (int id : {firstId, lastId}) {
    HWND picker = GetDlgItem(dialog, id);
    SetUpDayPicker(picker, kFirstSerial, kLastSerial, kPickerFormat);
    SetPickerDay(picker, ClampSerial(today));
  }
}

SerialDay ExportDayIn(HWND dialog, int pickerId) {
  return PickerDay(GetDlgItem(dialog, pickerId), kFirstSerial);
}

void SetUpExportPath(HWND dialog, int editId, const std::string& path) {
  SendDlgItemMessageA(dialog, editId, EM_LIMITTEXT, kPathChars, 0);
  SetDlgItemTextA(dialog, editId, path.c_str());
}

std::string ExportPathIn(HWND dialog, int editId, const std::string& defaultPath) {
  const std::string path = PathTyped(dialog, editId);
  return path.empty() ? defaultPath : path;
}

void ChooseExportPath(HWND dialog, int editId) {
  char path[kPathChars + 1];
  CopyText(path, PathTyped(dialog, editId).c_str(), sizeof path);
  if (ChooseFileFor(dialog, path, sizeof path, kChooseFileToWrite)) SetDlgItemTextA(dialog, editId, path);
}

}  // namespace hiyomi
