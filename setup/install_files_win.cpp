#include "setup/install_files_win.h"

#include <windows.h>

#include "base/win/file_replace.h"

namespace hiyomi {

bool SystemInstallFiles::Add(const std::string& from, const std::string& to) {
  return CopyIntoPlace(from.c_str(), to.c_str(), false);
}

bool SystemInstallFiles::Overwrite(const std::string& from, const std::string& to) {
  return CopyIntoPlace(from.c_str(), to.c_str(), true);
}

bool SystemInstallFiles::Remove(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool ReadLocalStamp(const std::string& path, LocalStamp& stamp) {
  // Shared every way: a running Hiyomi.exe still shows its version.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME written{};
  const bool read = GetFileTime(file, nullptr, nullptr, &written) != 0;
  CloseHandle(file);
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  // The zone's rule for that date, not today's offset: a stamp made in
  // winter reads the same in summer.
  if (!read || !FileTimeToSystemTime(&written, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    stamp = LocalStamp{};
    return true;  // opened, of no known version
  }
  stamp = {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
  return true;
}

}  // namespace hiyomi
