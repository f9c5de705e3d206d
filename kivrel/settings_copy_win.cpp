#include "kivrel/settings_copy_win.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "base/win/registry_key.h"
#include "kivrel/section_text.h"

namespace hiyomi {
namespace {

// One subkey's values as the ini section's text.
SectionText SectionOfKey(HKEY key, DWORD valueCount) {
  SectionText text;
  std::vector<char> name(kSectionTextSize + 1);
  std::vector<BYTE> data(kValueDataLimit);
  for (DWORD index = 0; index < valueCount && text.HasRoom(); ++index) {
    DWORD nameLength = static_cast<DWORD>(text.Remaining());
    DWORD dataLength = kValueDataLimit;
    LONG got = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, nullptr, data.data(),
                             &dataLength);
    if (got == ERROR_MORE_DATA) {
      // Too long for the ini line: read whole and let the section cut it.
      nameLength = static_cast<DWORD>(text.Remaining());
      std::vector<BYTE> whole(dataLength);
      got = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, nullptr, whole.data(),
                          &dataLength);
      if (got != ERROR_SUCCESS) continue;
      text.Append(std::string_view(name.data(), nameLength),
                  std::string_view(reinterpret_cast<const char*>(whole.data()), dataLength));
      continue;
    }
    if (got != ERROR_SUCCESS) continue;
    text.Append(std::string_view(name.data(), nameLength),
                std::string_view(reinterpret_cast<const char*>(data.data()), dataLength));
  }
  return text;
}

// A key and everything below it; subkeys from the last index down, so the
// indices still to visit do not move.
LONG DeleteKeyTree(HKEY parent, const char* name) {
  {
    RegistryKey key;
    LONG opened = RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, key.Out());
    if (opened != ERROR_SUCCESS) return opened;
    DWORD subkeys = 0;
    if (RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
      for (DWORD index = subkeys; index-- > 0;) {
        char child[kSubkeyNameLimit + 1];
        DWORD length = sizeof child;
        if (RegEnumKeyExA(key.Get(), index, child, &length, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS) {
          DeleteKeyTree(key.Get(), child);
        }
      }
    }
  }
  return RegDeleteKeyA(parent, name);
}

}  // namespace

int CopyRegistryToIni(const std::string& iniPath) {
  RegistryKey root;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, root.Out()) != ERROR_SUCCESS) {
    return kNoRegistryKey;
  }
  DWORD subkeys = 0;
  if (RegQueryInfoKeyA(root.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return kSubkeysUnknown;
  }
  for (DWORD index = 0; index < subkeys; ++index) {
    char name[kSectionNameLimit + 1];
    DWORD length = sizeof name;
    if (RegEnumKeyExA(root.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      continue;
    }
    RegistryKey section;
    if (RegOpenKeyExA(root.Get(), name, 0, KEY_READ, section.Out()) != ERROR_SUCCESS) continue;
    DWORD values = 0;
    if (RegQueryInfoKeyA(section.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      continue;
    }
    // Each section is built anew, so a short one after a long one carries
    // none of the other's keys.
    const std::string text = SectionOfKey(section.Get(), values).Finish();
    section.Close();
    WritePrivateProfileSectionA(name, text.c_str(), iniPath.c_str());
  }
  return kCopyDone;
}

int CopyIniToRegistry(const std::string& iniPath) {
  std::vector<char> names(kSectionNamesSize);
  std::vector<char> lines(kSectionTextSize);
  RegistryKey root;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      root.Out(), nullptr) != ERROR_SUCCESS) {
    return kCannotCreateKey;
  }
  const int namesLength = static_cast<int>(
      GetPrivateProfileSectionNamesA(names.data(), kSectionNamesSize, iniPath.c_str()));
  for (const std::string& name : ZeroSeparatedEntries(names.data(), namesLength, kSectionNamesSize)) {
    // The ini file is read before the old subkey goes, so a section that
    // cannot be read costs nothing of what the registry held.
    const int linesLength = static_cast<int>(
        GetPrivateProfileSectionA(name.c_str(), lines.data(), kSectionTextSize, iniPath.c_str()));
    const std::vector<std::string> entries =
        ZeroSeparatedEntries(lines.data(), linesLength, kSectionTextSize);
    RegistryKey section;
    DWORD disposition = 0;
    if (RegCreateKeyExA(root.Get(), name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        section.Out(), &disposition) != ERROR_SUCCESS) {
      continue;
    }
    if (disposition == REG_OPENED_EXISTING_KEY) {
      section.Close();
      DeleteKeyTree(root.Get(), name.c_str());
      if (RegCreateKeyExA(root.Get(), name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          section.Out(), nullptr) != ERROR_SUCCESS) {
        continue;
      }
    }
    for (const std::string& line : entries) {
      KeyValue entry;
      if (!SplitKeyValue(line, entry)) continue;
      RegSetValueExA(section.Get(), entry.key.c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(entry.value.data()),
                     static_cast<DWORD>(entry.value.size()));
    }
  }
  return kCopyDone;
}

bool RegistrySettingsExist() {
  RegistryKey key;
  return RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, key.Out()) == ERROR_SUCCESS;
}

bool WriteRegistrySwitch(char value) {
  const std::string path = std::string(kSettingsKey) + "\\" + kCommonSection;
  RegistryKey key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      key.Out(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  return RegSetValueExA(key.Get(), kSwitchKey, 0, REG_SZ, reinterpret_cast<const BYTE*>(&value),
                        1) == ERROR_SUCCESS;
}

long DeleteRegistrySettings() {
  if (!RegistrySettingsExist()) return kNoRegistryKey;
  const LONG deleted = DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
  if (deleted != ERROR_SUCCESS) return deleted;
  RegistryKey maker;
  const LONG opened = RegOpenKeyExA(HKEY_CURRENT_USER, kMakerKey, 0, KEY_ALL_ACCESS, maker.Out());
  if (opened != ERROR_SUCCESS) return opened;
  DWORD subkeys = 0;
  DWORD values = 0;
  if (RegQueryInfoKeyA(maker.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
      subkeys != 0 || values != 0) {
    return ERROR_SUCCESS;
  }
  maker.Close();
  return RegDeleteKeyA(HKEY_CURRENT_USER, kMakerKey);
}

}  // namespace hiyomi
