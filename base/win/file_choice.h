// The file-open dialog for a path the user picks for a setting.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace hiyomi {

// Opens the file-open dialog on `path` (file name and initial folder taken
// from it); the chosen path must exist and no read-only box is offered.
// On OK `path` gets the choice (cut to size - 1 bytes on a character
// boundary) and the result is true.
bool ChooseFileFor(HWND owner, char* path, int size);

// Tests only: answers ChooseFileFor instead of the dialog while set. It gets
// the proposed path and returns whether "OK" was pressed.
using FileChooser = std::function<bool(HWND owner, const char* proposed, std::string& chosen)>;
FileChooser SetFileChooserForTests(FileChooser chooser);

}  // namespace hiyomi
