// The settings store: named text values in named sections, kept in an ini
// file or under the registry. Callers see only typed reads with a default and
// a range, typed writes, and the section operations; which storage is behind
// it is decided once when it is opened.
#pragma once

#include <memory>
#include <string>

namespace hiyomi {

inline constexpr int kSettingsPathSize = 261;     // 260 characters + NUL
inline constexpr int kSettingsSectionSize = 260;  // 259 characters + NUL
inline constexpr const char* kDefaultSection = "Default";

// One storage kind. Implementations: the ini file and the registry (Windows
// tree), and MemorySettingsBackend for native tests.
class SettingsBackend {
 public:
  virtual ~SettingsBackend() = default;

  // Copies the stored text, or def when the key is absent, into buffer:
  // at most size - 1 bytes, always zero-terminated when size > 0. A key
  // present with an empty value reads as "" (not as def).
  virtual void Read(const char* section, const char* key, const char* def,
                    char* buffer, int size) = 0;
  // Writes text; a null text deletes the key. Failures are silent.
  virtual void Write(const char* section, const char* key, const char* text) = 0;
  // Section names, each followed by a zero byte, then one further zero byte.
  // Returns the bytes used, not counting that final zero.
  virtual int ListSections(char* buffer, int size) = 0;
  virtual void DeleteSection(const char* section) = 0;
  virtual void Flush() {}
  virtual bool IsIniFile() const = 0;
};

class SettingsStore {
 public:
  SettingsStore() = default;
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // Takes over backend and makes section current (defaultSection when
  // section is empty). iniPath is only remembered.
  void Attach(std::unique_ptr<SettingsBackend> backend, const char* section,
              const char* defaultSection = kDefaultSection, const char* iniPath = "");
  // Back to the unopened state: reads give their defaults, writes do nothing.
  void Close();
  bool IsOpen() const { return backend_ != nullptr; }

  const char* CurrentSection() const { return section_; }
  // Makes name current (and, when persist is set, stores it as key Section
  // of Default). A null or empty name only returns the current one.
  const char* SelectSection(const char* name, bool persist);
  int ListSections(char* buffer, int size);
  // The named section, or the current one when name is null.
  void DeleteSection(const char* name = nullptr);
  bool UsesIniFile() const;
  void FlushSettings();
  const char* IniPath() const { return iniPath_; }

  // A null section means the current one.
  int ReadInt(const char* key, const char* def, int minimum, int maximum,
              const char* section = nullptr);
  char* ReadString(const char* key, const char* def, char* buffer, int size,
                   const char* section = nullptr);
  bool ReadBool(const char* key, const char* def, const char* section = nullptr);
  // -1 for no colour, else a 24-bit 0x00BBGGRR value.
  int ReadColor(const char* key, int def, const char* section = nullptr);

  void WriteInt(const char* key, int value, const char* section = nullptr);
  // A null text deletes the key.
  void WriteString(const char* key, const char* text, const char* section = nullptr);
  void WriteBool(const char* key, bool flag, const char* section = nullptr);
  void WriteColor(const char* key, int color, const char* section = nullptr);

  // The chosen kind's own operations, for callers that copy whole sections.
  void ReadRaw(const char* section, const char* key, const char* def, char* buffer, int size);
  void WriteRaw(const char* section, const char* key, const char* text);

 private:
  const char* SectionOr(const char* section) const {
    return section != nullptr ? section : section_;
  }

  std::unique_ptr<SettingsBackend> backend_;
  char section_[kSettingsSectionSize] = "Default";
  char iniPath_[kSettingsPathSize] = "";
};

// Decides the storage kind from UseReg (ini file first, then the registry)
// and opens store on it. registry may be null when the registry is not
// allowed. The Windows tree's OpenSettings builds the two backends and
// calls this.
void OpenSettingsOn(SettingsStore& store, std::unique_ptr<SettingsBackend> ini,
                    std::unique_ptr<SettingsBackend> registry, bool registryAllowed,
                    const char* defaultSection, const char* iniPath);

// The program's two stores. They start unopened (every read gives its
// default); start-up opens them explicitly.
SettingsStore& MainSettings();
SettingsStore& AgeSettings();

// Whether two section or key names are equal regardless of ASCII letter
// case; double-byte characters compare exactly.
bool SameSettingsName(const char* a, const char* b);
// The form of a name that SameSettingsName compares: equal forms, same name.
std::string FoldedSettingsName(const char* name);

}  // namespace hiyomi
