// The Windows storage kinds and the opening of the program's two stores.
#pragma once

#include <memory>

#include "settings/settings_store.h"

namespace hiyomi {

inline constexpr const char* kRegistryBase = "Software\\Sorafu\\Hiyomi";  // under HKCU

// The platform's private-profile functions on the file at path.
std::unique_ptr<SettingsBackend> MakeIniBackend(const char* path);
// One subkey of HKEY_CURRENT_USER\<base> per section; REG_SZ values.
std::unique_ptr<SettingsBackend> MakeRegistryBackend(const char* base = kRegistryBase);

// iniName null: the program's path with ".ini"; relative names are taken in
// the program's folder. base is the registry key (tests use their own).
void OpenSettings(SettingsStore& store, bool registryAllowed, const char* defaultSection,
                  const char* iniName, const char* base = kRegistryBase);

// Start-up: MainSettings on Hiyomi.ini or the registry, AgeSettings on
// HiyomiAge.ini. Teardown closes both.
void OpenMainSettings();
void OpenAgeSettings();
void CloseSettingsStores();

// The program file's full path, its extension replaced when extension (with
// its dot) is given. False, with an empty buffer, when it does not fit.
bool ModulePathWithExtension(char* buffer, int size, const char* extension);

}  // namespace hiyomi
