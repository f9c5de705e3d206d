#include "settings/settings_store.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "base/number_parse.h"
#include "base/text.h"

namespace hiyomi {

namespace {

unsigned char FoldAscii(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// Text of a number, big enough for "%d" of any int and for "0x%06X".
constexpr int kNumberTextSize = 31;  // 30 characters + NUL

}  // namespace

std::string FoldedSettingsName(const char* name) {
  std::string folded;
  if (name == nullptr) return folded;
  folded.reserve(std::strlen(name));
  while (*name != '\0') {
    const auto c = static_cast<unsigned char>(*name++);
    folded.push_back(static_cast<char>(FoldAscii(c)));
    // Trail bytes overlap the ASCII letters; they stay as they are.
    if (IsLeadByte(c) && *name != '\0') folded.push_back(*name++);
  }
  return folded;
}

bool SameSettingsName(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return a == b;
  return FoldedSettingsName(a) == FoldedSettingsName(b);
}

void SettingsStore::Attach(std::unique_ptr<SettingsBackend> backend, const char* section,
                           const char* defaultSection, const char* iniPath) {
  backend_ = std::move(backend);
  CopyText(iniPath_, iniPath, kSettingsPathSize);
  const char* chosen = (section != nullptr && section[0] != '\0') ? section : defaultSection;
  CopyText(section_, chosen != nullptr && chosen[0] != '\0' ? chosen : kDefaultSection,
           kSettingsSectionSize);
}

void SettingsStore::Close() {
  backend_.reset();
  CopyText(section_, kDefaultSection, kSettingsSectionSize);
  iniPath_[0] = '\0';
}

const char* SettingsStore::SelectSection(const char* name, bool persist) {
  // An empty name would address the ini file's nameless section or the
  // registry's base key itself; neither is a profile.
  if (name == nullptr || name[0] == '\0') return section_;
  if (name != section_) CopyText(section_, name, kSettingsSectionSize);
  if (persist) WriteRaw(kDefaultSection, "Section", section_);
  return section_;
}

int SettingsStore::ListSections(char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  if (backend_ == nullptr || size < 2) {
    buffer[0] = '\0';
    if (size >= 2) buffer[1] = '\0';
    return 0;
  }
  return backend_->ListSections(buffer, size);
}

void SettingsStore::DeleteSection(const char* name) {
  const char* target = SectionOr(name);
  if (backend_ == nullptr || target[0] == '\0') return;
  backend_->DeleteSection(target);
}

bool SettingsStore::UsesIniFile() const { return backend_ == nullptr || backend_->IsIniFile(); }

void SettingsStore::FlushSettings() {
  if (backend_ != nullptr && backend_->IsIniFile()) backend_->Flush();
}

void SettingsStore::ReadRaw(const char* section, const char* key, const char* def, char* buffer,
                            int size) {
  if (buffer == nullptr || size <= 0) return;
  if (def == nullptr) def = "";
  if (backend_ == nullptr || section == nullptr || key == nullptr) {
    CopyText(buffer, def, size);
    return;
  }
  // Wine's profile reader, cutting a value inside a double-byte character,
  // stops without a terminating zero: stale bytes must not show through.
  std::memset(buffer, 0, static_cast<size_t>(size));
  backend_->Read(section, key, def, buffer, size);
  buffer[size - 1] = '\0';  // whatever the backend did, the text ends here
}

void SettingsStore::WriteRaw(const char* section, const char* key, const char* text) {
  if (backend_ == nullptr || section == nullptr || key == nullptr) return;
  if (section[0] == '\0' || key[0] == '\0') return;
  const size_t lineEnd = text != nullptr ? std::strcspn(text, "\r\n") : 0;
  if (text == nullptr || text[lineEnd] == '\0') {
    backend_->Write(section, key, text);
    return;
  }
  // A value is one line: in the ini file a line break would start new keys
  // or sections (a pasted name could switch the storage kind).
  std::string firstLine(text, lineEnd);
  backend_->Write(section, key, firstLine.c_str());
}

int SettingsStore::ReadInt(const char* key, const char* def, int minimum, int maximum,
                           const char* section) {
  char text[kNumberTextSize];
  ReadRaw(SectionOr(section), key, def, text, sizeof text);
  return ClampInt(ParseNumber(text), minimum, maximum);
}

char* SettingsStore::ReadString(const char* key, const char* def, char* buffer, int size,
                                const char* section) {
  if (buffer == nullptr || size <= 0) return buffer;
  ReadRaw(SectionOr(section), key, def, buffer, size);
  // A cut-off read may end in half a double-byte character.
  CopyText(buffer, buffer, size);
  if (buffer[0] == '\0') CopyText(buffer, def, size);
  return buffer;
}

bool SettingsStore::ReadBool(const char* key, const char* def, const char* section) {
  return ReadInt(key, def, 0, 1, section) == 1;
}

int SettingsStore::ReadColor(const char* key, int def, const char* section) {
  char text[kNumberTextSize];
  ReadRaw(SectionOr(section), key, "#", text, sizeof text);
  if (text[0] == '#') return def;
  if (text[0] == '-') return -1;
  const int64_t value = ParseNumber(text);
  // The painter hands colours to GDI as they are: a negative value means
  // "no colour", and bits above the 24 would select palette modes.
  if (value < 0) return -1;
  return static_cast<int>(value & 0xFFFFFF);
}

void SettingsStore::WriteInt(const char* key, int value, const char* section) {
  char text[kNumberTextSize];
  std::snprintf(text, sizeof text, "%d", value);
  WriteRaw(SectionOr(section), key, text);
}

void SettingsStore::WriteString(const char* key, const char* text, const char* section) {
  WriteRaw(SectionOr(section), key, text);
}

void SettingsStore::WriteBool(const char* key, bool flag, const char* section) {
  WriteRaw(SectionOr(section), key, flag ? "1" : "0");
}

void SettingsStore::WriteColor(const char* key, int color, const char* section) {
  char text[kNumberTextSize];
  if (color < 0) {
    CopyText(text, "-1", sizeof text);
  } else {
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(color) & 0xFFFFFFu);
  }
  WriteRaw(SectionOr(section), key, text);
}

void OpenSettingsOn(SettingsStore& store, std::unique_ptr<SettingsBackend> ini,
                    std::unique_ptr<SettingsBackend> registry, bool registryAllowed,
                    const char* defaultSection, const char* iniPath) {
  if (defaultSection == nullptr || defaultSection[0] == '\0') defaultSection = kDefaultSection;
  // The ini file decides first, so a portable copy of the program keeps its
  // own settings whatever the registry says.
  char useReg[5] = "#";
  if (ini != nullptr) {
    ini->Read(kDefaultSection, "UseReg", "#", useReg, 2);
    useReg[1] = '\0';
  }
  if (useReg[0] == '#') {
    CopyText(useReg, "0", sizeof useReg);
    if (registry != nullptr) {
      registry->Read(kDefaultSection, "UseReg", "0", useReg, sizeof useReg);
      useReg[sizeof useReg - 1] = '\0';
    }
  }
  std::unique_ptr<SettingsBackend> chosen;
  if (registryAllowed && registry != nullptr && useReg[0] == '2') {
    chosen = std::move(registry);
  } else {
    chosen = std::move(ini);
  }
  char section[kSettingsSectionSize] = "";
  if (chosen != nullptr) {
    chosen->Read(kDefaultSection, "Section", defaultSection, section, sizeof section);
    section[sizeof section - 1] = '\0';
  }
  store.Attach(std::move(chosen), section, defaultSection, iniPath);
}

SettingsStore& MainSettings() {
  static SettingsStore store;
  return store;
}

SettingsStore& AgeSettings() {
  static SettingsStore store;
  return store;
}

}  // namespace hiyomi
