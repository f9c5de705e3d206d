// A settings backend held in memory, with the ini file's behaviour:
// sections and keys in insertion order, names matched regardless of case.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "settings/settings_store.h"

namespace hiyomi {

class MemorySettingsBackend : public SettingsBackend {
 public:
  struct Section {
    std::string name;
    std::string folded;  // the name as FoldedSettingsName gives it
    std::vector<std::pair<std::string, std::string>> values;
    // Folded key name to its place in values: a lookup in a section of a
    // thousand keys stays one step.
    std::unordered_map<std::string, size_t> places;
    void Reindex();
  };

  explicit MemorySettingsBackend(bool iniKind = true) : iniKind_(iniKind) {}

  void Read(const char* section, const char* key, const char* def, char* buffer,
            int size) override;
  void Write(const char* section, const char* key, const char* text) override;
  int ListSections(char* buffer, int size) override;
  void DeleteSection(const char* section) override;
  bool IsIniFile() const override { return iniKind_; }

  // For tests: the stored content, and a direct lookup (null when absent).
  const std::vector<Section>& Sections() const { return sections_; }
  const std::string* Find(const char* section, const char* key) const;
  int flushes = 0;
  void Flush() override { ++flushes; }

 private:
  Section* FindSection(const char* name);
  const Section* FindSection(const char* name) const;
  bool iniKind_;
  std::vector<Section> sections_;
};

}  // namespace hiyomi
