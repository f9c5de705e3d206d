// The program's help through the HTML Help control, loaded on first use
// from its registered place; every call is silent when it is missing.
#pragma once

#include <windows.h>

namespace hiyomi {

inline constexpr UINT kHelpDisplayToc = 1;      // HH_DISPLAY_TOC
inline constexpr UINT kHelpGetWinHandle = 6;    // HH_GET_WIN_HANDLE
inline constexpr UINT kHelpCloseAll = 18;       // HH_CLOSE_ALL
inline constexpr UINT kHelpInitialize = 28;     // HH_INITIALIZE
inline constexpr UINT kHelpUninitialize = 29;   // HH_UNINITIALIZE

// HtmlHelpA's result, or null when the library is not available.
HWND HtmlHelpCall(HWND window, const char* file, UINT command, DWORD_PTR data);

// At start-up and after the main window has ended.
void InitializeHelp();
void UninitializeHelp();

// The help file's contents page in the "HelpWin" window.
void ShowProgramHelp();
// Closes the help windows this program opened, if any.
void CloseHelpWindows();

// "X:\dir\Hiyomi.chm::/_RESOURCE/help001.html > HelpWin" for the program path.
void HelpTopicOf(const char* programPath, char* out, size_t size);

// Tests only: where the library is looked for (registry key under
// HKEY_CLASSES_ROOT, then the plain name); null restores the defaults. Also
// forgets any earlier load or failure.
void SetHelpLibraryForTests(const char* registryKey, const char* fallbackName);

}  // namespace hiyomi
