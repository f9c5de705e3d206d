// The file-open dialog for a path the user picks for a setting.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

namespace hiyomi {

// A setting's file: the path must exist, no read-only box, and the current
// folder (where relative data files live) stays.
inline constexpr DWORD kChooseExistingFile = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
// A file to write: no read-only box, a question before overwriting.
inline constexpr DWORD kChooseFileToWrite = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;

// Opens the file-open dialog on `path` (file name and initial folder taken
// from it) with the OFN_ `flags`. On OK `path` gets the choice (cut to
// size - 1 bytes on a character boundary) and the result is true.
bool ChooseFileFor(HWND owner, char* path, int size, DWORD flags = kChooseExistingFile);

// Tests only: answers ChooseFileFor instead of the dialog while set. It gets
// the proposed path and returns whether "OK" was pressed.
using FileChooser = std::function<bool(HWND owner, const char* proposed, std::string& chosen)>;
FileChooser SetFileChooserForTests(FileChooser chooser);

}  // namespace hiyomi
