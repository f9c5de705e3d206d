// The system's file-open dialog, with a seam through which tests answer.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace hiyomi {

// Opens on `path` (its folder is the initial directory) with the OFN_
// `flags` given. On OK `path` takes the choice and the result is true.
bool ChooseFileToOpen(HWND owner, std::string& path, DWORD flags);

// Tests only: answers ChooseFileToOpen instead of the dialog while set. It
// gets the path the dialog would open on and returns whether "OK" was
// pressed, with the choice in `chosen`.
using FileChooser = std::function<bool(HWND owner, const std::string& initial, std::string& chosen)>;
FileChooser SetFileChooserForTests(FileChooser chooser);

}  // namespace hiyomi
