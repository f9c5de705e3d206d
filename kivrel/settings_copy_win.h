// Hiyomi's settings moved between its ini file and the registry, the
// switch UseReg set, and the registry settings deleted. The layout is the
// calendar's own: one ini section per subkey of kSettingsKey, one REG_SZ
// value (stored without its terminating zero) per key.
#pragma once

#include <string>

namespace hiyomi {

inline constexpr char kSettingsKey[] = "Software\\Sorafu\\Hiyomi";  // under HKCU
inline constexpr char kMakerKey[] = "Software\\Sorafu";
inline constexpr char kCommonSection[] = "Default";
inline constexpr char kSwitchKey[] = "UseReg";
inline constexpr char kIniFileName[] = "Hiyomi.ini";

// Results of the copies.
inline constexpr int kCopyDone = 0;
inline constexpr int kNoRegistryKey = -1;       // no settings key to copy or delete
inline constexpr int kSubkeysUnknown = -2;      // registry to ini: the count failed
inline constexpr int kCannotCreateKey = -2;     // ini to registry: settings key refused

// Every subkey becomes the ini section of its name, replacing what that
// section held. 0 or one of the negative codes above.
int CopyRegistryToIni(const std::string& iniPath);

// Every ini section becomes a subkey holding exactly its keys: a subkey
// that existed is deleted and made anew. 0 or one of the codes above.
int CopyIniToRegistry(const std::string& iniPath);

// Whether HKCU\Software\Sorafu\Hiyomi exists.
bool RegistrySettingsExist();

// Sets UseReg in the registry's Default subkey (made when missing) to the
// one character `value`, stored as one byte.
bool WriteRegistrySwitch(char value);

// Deletes HKCU\Software\Sorafu\Hiyomi with everything below it, then
// HKCU\Software\Sorafu when that is left empty. 0 when done, kNoRegistryKey
// when there was nothing to delete, else the registry's error code.
long DeleteRegistrySettings();

}  // namespace hiyomi
