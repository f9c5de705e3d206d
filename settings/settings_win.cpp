#include "settings/settings_win.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "base/path_text.h"
#include "base/text.h"
#include "base/win/registry_key.h"

namespace hiyomi {

namespace {

class IniBackend : public SettingsBackend {
 public:
  explicit IniBackend(const char* path) { CopyText(path_, path, sizeof path_); }

  void Read(const char* section, const char* key, const char* def, char* buffer,
            int size) override {
    if (buffer == nullptr || size <= 0) return;
    if (path_[0] == '\0') {
      CopyText(buffer, def, size);
      return;
    }
    GetPrivateProfileStringA(section, key, def, buffer, static_cast<DWORD>(size), path_);
  }
  // An empty path would make the platform fall back to its own win.ini.
  void Write(const char* section, const char* key, const char* text) override {
    if (path_[0] == '\0') return;
    WritePrivateProfileStringA(section, key, text, path_);
  }
  int ListSections(char* buffer, int size) override {
    if (buffer == nullptr || size < 2) return 0;
    buffer[0] = buffer[1] = '\0';
    if (path_[0] == '\0') return 0;
    return static_cast<int>(
        GetPrivateProfileSectionNamesA(buffer, static_cast<DWORD>(size), path_));
  }
  void DeleteSection(const char* section) override {
    if (path_[0] == '\0') return;
    WritePrivateProfileStringA(section, nullptr, nullptr, path_);
  }
  // All null: the platform writes its cached profile data out.
  void Flush() override {
    if (path_[0] != '\0') WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_);
  }
  bool IsIniFile() const override { return true; }

 private:
  char path_[kSettingsPathSize];
};

class RegistryBackend : public SettingsBackend {
 public:
  explicit RegistryBackend(const char* base) : base_(base) {}

  void Read(const char* section, const char* key, const char* def, char* buffer,
            int size) override {
    if (buffer == nullptr || size <= 0) return;
    if (!ReadValue(section, key, buffer, size)) CopyText(buffer, def, size);
  }

  void Write(const char* section, const char* key, const char* text) override {
    if (section == nullptr || key == nullptr) return;
    RegistryKey k;
    const std::string path = SectionPath(section);
    if (text != nullptr) {
      if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          k.Out(), nullptr) != ERROR_SUCCESS) {
        return;
      }
      // Stored without the terminating zero; readers end the text themselves.
      RegSetValueExA(k.Get(), key, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                     static_cast<DWORD>(std::strlen(text)));
    } else {
      if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, k.Out()) !=
          ERROR_SUCCESS) {
        return;
      }
      RegDeleteValueA(k.Get(), key);
    }
  }

  int ListSections(char* buffer, int size) override {
    if (buffer == nullptr || size < 2) return 0;
    buffer[0] = buffer[1] = '\0';
    RegistryKey k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, base_.c_str(), 0, KEY_READ, k.Out()) != ERROR_SUCCESS) {
      return 0;
    }
    int used = 0;
    for (DWORD index = 0;; ++index) {
      // Room for the name and its zero, keeping one byte for the list's end.
      DWORD length = static_cast<DWORD>(size - 1 - used);
      if (length < 2) break;
      if (RegEnumKeyExA(k.Get(), index, buffer + used, &length, nullptr, nullptr, nullptr,
                        nullptr) != ERROR_SUCCESS) {
        break;
      }
      used += static_cast<int>(length) + 1;
    }
    buffer[used] = '\0';
    if (used == 0) buffer[1] = '\0';
    return used;
  }

  void DeleteSection(const char* section) override {
    RegistryKey k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, base_.c_str(), 0, KEY_ALL_ACCESS, k.Out()) !=
        ERROR_SUCCESS) {
      return;
    }
    RegDeleteKeyA(k.Get(), section);
  }

  bool IsIniFile() const override { return false; }

 private:
  std::string SectionPath(const char* section) const { return base_ + "\\" + section; }

  // True with a zero-terminated text in buffer; false means "use the default".
  bool ReadValue(const char* section, const char* key, char* buffer, int size) const {
    if (section == nullptr || key == nullptr) return false;
    RegistryKey k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, k.Out()) !=
        ERROR_SUCCESS) {
      return false;
    }
    DWORD type = 0;
    DWORD bytes = static_cast<DWORD>(size);
    if (RegQueryValueExA(k.Get(), key, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) !=
        ERROR_SUCCESS) {
      return false;
    }
    // Whatever the value's type, it is taken as text. Data that fills the
    // whole buffer without its own zero has no room for one: too long.
    if (bytes > 0 && buffer[bytes - 1] == '\0') return true;
    if (bytes >= static_cast<DWORD>(size)) return false;
    buffer[bytes] = '\0';
    return true;
  }

  std::string base_;
};

bool ProgramPath(char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return false;
  const DWORD length = GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size));
  // A path that filled the buffer was cut off.
  if (length == 0 || length >= static_cast<DWORD>(size)) {
    buffer[0] = '\0';
    return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<SettingsBackend> MakeIniBackend(const char* path) {
  return std::make_unique<IniBackend>(path);
}

std::unique_ptr<SettingsBackend> MakeRegistryBackend(const char* base) {
  return std::make_unique<RegistryBackend>(base);
}

void OpenSettings(SettingsStore& store, bool registryAllowed, const char* defaultSection,
                  const char* iniName, const char* base) {
  char program[kSettingsPathSize];
  char path[kSettingsPathSize] = "";
  if (ProgramPath(program, sizeof program)) {
    if (iniName == nullptr) {
      CopyText(path, program, sizeof path);
      if (!ReplaceExtension(path, sizeof path, ".ini")) path[0] = '\0';
    } else {
      SettingsFilePath(path, sizeof path, program, iniName);
    }
  } else if (iniName != nullptr) {
    SettingsFilePath(path, sizeof path, "", iniName);
  }
  OpenSettingsOn(store, MakeIniBackend(path),
                 registryAllowed ? MakeRegistryBackend(base) : nullptr, registryAllowed,
                 defaultSection, path);
}

void OpenMainSettings() { OpenSettings(MainSettings(), true, kDefaultSection, nullptr); }

void OpenAgeSettings() { OpenSettings(AgeSettings(), false, kDefaultSection, "HiyomiAge.ini"); }

void CloseSettingsStores() {
  AgeSettings().Close();
  MainSettings().Close();
}

bool ModulePathWithExtension(char* buffer, int size, const char* extension) {
  if (!ProgramPath(buffer, size)) return false;
  if (extension != nullptr && !ReplaceExtension(buffer, size, extension)) {
    buffer[0] = '\0';
    return false;
  }
  return true;
}

}  // namespace hiyomi
