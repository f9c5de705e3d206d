// What the export dialog tests share: control texts and states, the path
// beside the test program, and another program's hold on a file.
#pragma once

#include <windows.h>

#include <string>

#include "base/path_text.h"

namespace hiyomi::testing {

inline std::string Text(HWND dialog, int id) {
  char text[512] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

inline bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// The test program's own path with `extension` for its extension, as the
// dialogs propose the program's.
inline std::string ProgramPathWith(const char* extension) {
  char path[MAX_PATH + 8] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  ReplaceExtension(path, sizeof path, extension);
  return path;
}

// Another program's handle on the file, opened with no sharing.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path)
      : h_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr)) {}
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  ~HeldFile() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  bool Held() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

}  // namespace hiyomi::testing
