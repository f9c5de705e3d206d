#include "settings/memory_backend.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace hiyomi {

void MemorySettingsBackend::Section::Reindex() {
  places.clear();
  for (size_t i = 0; i < values.size(); ++i) places.emplace(FoldedSettingsName(values[i].first.c_str()), i);
}

const MemorySettingsBackend::Section* MemorySettingsBackend::FindSection(const char* name) const {
  const std::string folded = FoldedSettingsName(name);
  for (const auto& s : sections_) {
    if (s.folded == folded) return &s;
  }
  return nullptr;
}

MemorySettingsBackend::Section* MemorySettingsBackend::FindSection(const char* name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const std::string* MemorySettingsBackend::Find(const char* section, const char* key) const {
  const Section* s = FindSection(section);
  if (s == nullptr || key == nullptr) return nullptr;
  const auto place = s->places.find(FoldedSettingsName(key));
  return place != s->places.end() ? &s->values[place->second].second : nullptr;
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
  const std::string folded = FoldedSettingsName(key);
  if (text == nullptr) {
    if (s == nullptr) return;
    const auto place = s->places.find(folded);
    if (place == s->places.end()) return;
    s->values.erase(s->values.begin() + static_cast<std::ptrdiff_t>(place->second));
    s->Reindex();
    return;
  }
  if (s == nullptr) {
    sections_.push_back({section, FoldedSettingsName(section), {}, {}});
    s = &sections_.back();
  }
  const auto [place, added] = s->places.emplace(folded, s->values.size());
  if (added) {
    s->values.emplace_back(key, text);
  } else {
    s->values[place->second].second = text;
  }
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
