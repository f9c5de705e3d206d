// The platform's folder browser, for a folder the user picks (Kivrel's ini
// folder, Setup's target).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace hiyomi {

// File-system folders only, new dialog style; withEditBox adds the box
// where a path can be typed.
struct FolderChoice {
  const char* title;
  bool withEditBox;
};

// Opens the browser on `folder` preselected. On OK `folder` gets the chosen
// path and the result is true. COM must be initialised on this thread.
bool ChooseFolder(HWND owner, const FolderChoice& choice, std::string& folder);

// Tests only: answers ChooseFolder instead of the browser while set. It gets
// the title and the preselected folder and returns whether "OK" was pressed.
using FolderChooser =
    std::function<bool(HWND owner, const char* title, const std::string& preselected,
                       std::string& chosen)>;
FolderChooser SetFolderChooserForTests(FolderChooser chooser);

}  // namespace hiyomi
