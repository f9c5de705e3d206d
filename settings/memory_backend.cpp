#include "settings/memory_backend.h"

#include <algorithm>

namespace hiyomi {

MemorySettingsBackend::Section* MemorySettingsBackend::FindSection(const char* name) {
  for (auto& s : sections_) {
    if (SameSettingsName(s.name.c_str(), name)) return &s;
  }
  return nullptr;
}

const std::string* MemorySettingsBackend::Find(const char* section, const char* key) const {
  for (const auto& s : sections_) {
    if (!SameSettingsName(s.name.c_str(), section)) continue;
    for (const auto& [k, v] : s.values) {
      if (SameSettingsName(k.c_str(), key)) return &v;
    }
  }
  return nullptr;
}

void MemorySettingsBackend::Read(const char* section, const char* key, const char* def,
                                 char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return;
  const std::string* value = Find(section, key);
  const char* text = value != nullptr ? value->c_str() : (def != nullptr ? def : "");
  // Plain byte truncation, as the platform's profile reader does.
  int i = 0;
  for (; i < size - 1 && text[i] != '\0'; ++i) buffer[i] = text[i];
  buffer[i] = '\0';
}

void MemorySettingsBackend::Write(const char* section, const char* key, const char* text) {
  if (section == nullptr || key == nullptr) return;
  Section* s = FindSection(section);
  if (text == nullptr) {
    if (s == nullptr) return;
    auto& v = s->values;
    v.erase(std::remove_if(v.begin(), v.end(),
                           [&](const auto& kv) { return SameSettingsName(kv.first.c_str(), key); }),
            v.end());
    return;
  }
  if (s == nullptr) {
    sections_.push_back({section, {}});
    s = &sections_.back();
  }
  for (auto& [k, v] : s->values) {
    if (SameSettingsName(k.c_str(), key)) {
      v = text;
      return;
    }
  }
  s->values.emplace_back(key, text);
}

int MemorySettingsBackend::ListSections(char* buffer, int size) {
  if (buffer == nullptr || size < 2) {
    if (buffer != nullptr && size == 1) buffer[0] = '\0';
    return 0;
  }
  int used = 0;
  for (const auto& s : sections_) {
    const int length = static_cast<int>(s.name.size());
    if (used + length + 1 > size - 1) break;  // keep room for the final zero
    std::copy(s.name.begin(), s.name.end(), buffer + used);
    used += length;
    buffer[used++] = '\0';
  }
  buffer[used] = '\0';
  if (used == 0) buffer[1] = '\0';
  return used;
}

void MemorySettingsBackend::DeleteSection(const char* section) {
  sections_.erase(std::remove_if(sections_.begin(), sections_.end(),
                                 [&](const Section& s) {
                                   return SameSettingsName(s.name.c_str(), section);
                                 }),
                  sections_.end());
}

}  // namespace hiyomi
