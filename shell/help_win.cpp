#include "shell/help_win.h"

#include <cstdio>
#include <cstring>

namespace hiyomi {

namespace {

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

constexpr char kControlClassKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr char kControlFile[] = "hhctrl.ocx";
constexpr int kHtmlHelpOrdinal = 14;  // HtmlHelpA
constexpr DWORD kRegisteredPathSize = 260;

struct HelpLibrary {
  HMODULE module = nullptr;
  HtmlHelpFunction function = nullptr;
  bool failed = false;  // no further loading attempts
  DWORD cookie = 0;     // from HH_INITIALIZE
  const char* registryKey = kControlClassKey;
  const char* fallbackName = kControlFile;
};

HelpLibrary help;

HMODULE LoadRegisteredControl() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, help.registryKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return nullptr;
  }
  char path[kRegisteredPathSize + 1] = "";
  DWORD size = kRegisteredPathSize;
  DWORD type = 0;
  const LONG result =
      RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return nullptr;
  path[kRegisteredPathSize] = '\0';  // a registry string need not end in a NUL
  if (type == REG_EXPAND_SZ) {
    char expanded[MAX_PATH];
    const DWORD length = ExpandEnvironmentStringsA(path, expanded, sizeof expanded);
    if (length == 0 || length > sizeof expanded) return nullptr;
    return LoadLibraryA(expanded);
  }
  return LoadLibraryA(path);
}

bool EnsureLoaded() {
  if (help.function != nullptr) return true;
  if (help.failed) return false;
  help.module = LoadRegisteredControl();
  if (help.module == nullptr) help.module = LoadLibraryA(help.fallbackName);
  if (help.module != nullptr) {
    help.function = reinterpret_cast<HtmlHelpFunction>(
        reinterpret_cast<void*>(GetProcAddress(help.module, MAKEINTRESOURCEA(kHtmlHelpOrdinal))));
    if (help.function == nullptr) {
      FreeLibrary(help.module);
      help.module = nullptr;
    }
  }
  help.failed = help.function == nullptr;
  return !help.failed;
}

}  // namespace

HWND HtmlHelpCall(HWND window, const char* file, UINT command, DWORD_PTR data) {
  if (!EnsureLoaded()) return nullptr;
  return help.function(window, file, command, data);
}

void InitializeHelp() {
  HtmlHelpCall(nullptr, nullptr, kHelpInitialize, reinterpret_cast<DWORD_PTR>(&help.cookie));
}

void UninitializeHelp() {
  if (help.function == nullptr) return;
  HtmlHelpCall(nullptr, nullptr, kHelpUninitialize, help.cookie);
  FreeLibrary(help.module);
  help.module = nullptr;
  help.function = nullptr;
  help.failed = true;  // the run is ending: no loading again
  help.cookie = 0;
}

void HelpTopicOf(const char* programPath, char* out, size_t size) {
  char path[MAX_PATH + 8];
  std::snprintf(path, sizeof path, "%s", programPath);
  char* name = std::strrchr(path, '\\');
  char* dot = std::strrchr(name != nullptr ? name : path, '.');
  if (dot != nullptr) *dot = '\0';
  std::snprintf(out, size, "%s.chm::/_RESOURCE/help001.html > HelpWin", path);
}

void ShowProgramHelp() {
  char program[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
  if (length == 0 || length >= sizeof program) return;
  char topic[MAX_PATH + 64];
  HelpTopicOf(program, topic, sizeof topic);
  HtmlHelpCall(nullptr, topic, kHelpDisplayToc, 0);
}

void CloseHelpWindows() {
  if (HtmlHelpCall(nullptr, "Hiyomi", kHelpGetWinHandle, reinterpret_cast<DWORD_PTR>("HelpWin"))) {
    HtmlHelpCall(nullptr, nullptr, kHelpCloseAll, 0);
  }
}

void SetHelpLibraryForTests(const char* registryKey, const char* fallbackName) {
  if (help.module != nullptr) FreeLibrary(help.module);
  help = HelpLibrary{};
  if (registryKey != nullptr) help.registryKey = registryKey;
  if (fallbackName != nullptr) help.fallbackName = fallbackName;
}

}  // namespace hiyomi
