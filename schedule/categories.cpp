#include "schedule/categories.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "base/number_parse.h"
#include "settings/settings_store.h"
#include "base/text.h"

namespace hiyomi {
namespace {

constexpr int kValueSize = 256;
constexpr char kDefaultCategoryName[] = "Default";
constexpr char kCategoryListItem[] = "分類";
constexpr char kChooseListItem[] = "指定";

// Splits at spaces, commas and line feeds; runs of them count as one. None
// of these bytes can be the trail byte of a double-byte character.
std::vector<std::string> Pieces(const char* value) {
  std::vector<std::string> out;
  std::string piece;
  for (const char* p = value; *p != '\0'; ++p) {
    if (*p == ' ' || *p == ',' || *p == '\n') {
      if (!piece.empty()) out.push_back(piece);
      piece.clear();
    } else {
      piece += *p;
    }
  }
  if (!piece.empty()) out.push_back(piece);
  return out;
}

// The name and the fields after it. The program writes "name,field,...",
// and a name may hold spaces: it runs to the first comma (or line feed),
// without the spaces around it. A value with no comma at all (written by
// hand) splits at its spaces.
std::vector<std::string> NameAndFields(const char* value) {
  const char* comma = std::strpbrk(value, ",\n");
  if (comma == nullptr) return Pieces(value);
  const char* begin = value;
  const char* end = comma;
  while (begin < end && *begin == ' ') ++begin;
  while (end > begin && end[-1] == ' ') --end;
  if (begin == end) return {};
  std::vector<std::string> out{std::string(begin, end)};
  for (std::string& field : Pieces(comma + 1)) out.push_back(std::move(field));
  return out;
}

int32_t ParseColor(const std::string& piece) noexcept {
  const int64_t v = ParseNumber(piece.c_str());
  return v < 0 ? -1 : static_cast<int32_t>(v & 0xFFFFFF);
}

void AppendColor(std::string& out, int32_t color) {
  char text[16];
  if (color < 0) {
    out += ",#";
  } else {
    std::snprintf(text, sizeof text, ",0x%06X", static_cast<unsigned>(color) & 0xFFFFFFu);
    out += text;
  }
}

void KeyName(char (&key)[16], const char* stem, int number) {
  std::snprintf(key, sizeof key, "%s%d", stem, number);
}

Category UnusedCategory() noexcept {
  Category c{};
  c.textColor = -1;
  c.backColor = -1;
  c.visible = true;
  return c;
}

}  // namespace

const char* CategorySection(int optDef) noexcept { return (optDef & 0x10) ? kDefaultSection : nullptr; }

bool ParseCategoryValue(const char* value, Category& out) noexcept {
  out = UnusedCategory();
  const std::vector<std::string> pieces = NameAndFields(value);
  if (pieces.empty()) return false;
  CopyText(out.name, pieces[0].c_str(), sizeof out.name);
  // A name of half a character is cut to nothing: the row stays unused.
  if (out.name[0] == '\0') return false;
  if (pieces.size() > 1 && pieces[1][0] != '#') out.textColor = ParseColor(pieces[1]);
  if (pieces.size() > 2 && pieces[2][0] != '#') out.backColor = ParseColor(pieces[2]);
  if (pieces.size() > 3 && pieces[3][0] != '#') out.visible = pieces[3][0] != '-';
  return true;
}

std::string FormatCategoryValue(const Category& row) {
  std::string out(row.name, strnlen(row.name, sizeof row.name));
  AppendColor(out, row.textColor);
  AppendColor(out, row.backColor);
  out += row.visible ? ",+" : ",-";
  return out;
}

bool ParseColorSetValue(const char* value, int32_t defaultColor, ColorSetEntry& out) noexcept {
  out = ColorSetEntry{};
  out.color = defaultColor;
  const std::vector<std::string> pieces = NameAndFields(value);
  if (pieces.empty()) return false;
  CopyText(out.name, pieces[0].c_str(), sizeof out.name);
  if (out.name[0] == '\0') return false;  // no unnamed entry in the list
  if (pieces.size() > 1) out.color = ParseColor(pieces[1]);
  return true;
}

CategoryTable::CategoryTable() noexcept {
  for (Category& c : rows) c = UnusedCategory();
  CopyText(rows[0].name, kDefaultCategoryName, sizeof rows[0].name);
}

void CategoryTable::Load(SettingsStore& store, const char* section) noexcept {
  bool any = false;
  char key[16];
  char value[kValueSize];
  for (int k = 0; k < kCategoryCount; ++k) {
    KeyName(key, "Type", k + 1);
    store.ReadString(key, "", value, sizeof value, section);
    any = ParseCategoryValue(value, rows[k]) || any;
  }
  if (!any) CopyText(rows[0].name, kDefaultCategoryName, sizeof rows[0].name);
}

void CategoryTable::Save(SettingsStore& store, const char* section) const noexcept {
  char key[16];
  for (int k = 0; k < kCategoryCount; ++k) {
    KeyName(key, "Type", k + 1);
    if (rows[k].name[0] == '\0') {
      store.WriteString(key, nullptr, section);
    } else {
      store.WriteString(key, FormatCategoryValue(rows[k]).c_str(), section);
    }
  }
}

int32_t CategoryTable::TextColorOf(int number) const noexcept {
  return number >= 0 && number < kCategoryCount ? rows[number].textColor : -1;
}

int32_t CategoryTable::BackColorOf(int number) const noexcept {
  return number >= 0 && number < kCategoryCount ? rows[number].backColor : -1;
}

const char* CategoryTable::NameOf(int number) const noexcept {
  return number >= 0 && number < kCategoryCount ? rows[number].name : "";
}

int CategoryTable::NumberAtListPosition(int position) const noexcept {
  if (position < 0) return -1;
  for (int k = 0; k < kCategoryCount; ++k) {
    if (rows[k].name[0] != '\0' && position-- == 0) return k;
  }
  return -1;
}

int CategoryTable::ListPositionOf(int number) const noexcept {
  if (number < 0 || number >= kCategoryCount || rows[number].name[0] == '\0') return -1;
  int position = 0;
  for (int k = 0; k < number; ++k) position += rows[k].name[0] != '\0';
  return position;
}

void CategoryTable::ApplyFilter(uint32_t& filterBits) const noexcept {
  for (int k = 0; k < kCategoryCount; ++k) {
    const uint32_t bit = 1u << (k + kFirstCategoryBit);
    filterBits = rows[k].visible ? filterBits | bit : filterBits & ~bit;
  }
}

bool CategoryFilterShows(uint32_t filterBits, int category) noexcept {
  if (category < 0 || category >= kCategoryCount) return true;
  return (filterBits >> (category + kFirstCategoryBit) & 1u) != 0;
}

ColorSets::ColorSets() noexcept {
  for (int s = 0; s < 2; ++s) {
    sets[s].count = 0;
    for (ColorSetEntry& e : sets[s].entries) e = ColorSetEntry{{}, DefaultColor(s)};
  }
}

void ColorSets::Load(SettingsStore& store, const char* section) noexcept {
  char key[16];
  char value[kValueSize];
  for (int s = 0; s < 2; ++s) {
    ColorSet& set = sets[s];
    set.count = 0;
    for (int k = 0; k < kColorSetEntries; ++k) {
      KeyName(key, "Color", s * kColorSetEntries + k + 1);
      store.ReadString(key, "", value, sizeof value, section);
      // Keys without a value leave no gap.
      if (ParseColorSetValue(value, DefaultColor(s), set.entries[set.count])) ++set.count;
    }
    for (int k = set.count; k < kColorSetEntries; ++k) set.entries[k] = ColorSetEntry{{}, DefaultColor(s)};
  }
}

void ColorSets::Save(SettingsStore& store, const char* section) const noexcept {
  char key[16];
  char value[kValueSize];
  for (int s = 0; s < 2; ++s) {
    for (int k = 0; k < kColorSetEntries; ++k) {
      KeyName(key, "Color", s * kColorSetEntries + k + 1);
      const ColorSetEntry& e = sets[s].entries[k];
      if (k < sets[s].count) {
        std::snprintf(value, sizeof value, "%.*s,0x%06X", kColorNameSize - 1, e.name,
                      static_cast<unsigned>(e.color) & 0xFFFFFFu);
        store.WriteString(key, value, section);
      } else {
        store.WriteString(key, nullptr, section);
      }
    }
  }
}

std::vector<std::string> ColorListItems(const ColorSet& set) {
  std::vector<std::string> items{kCategoryListItem};
  for (int i = 0; i < set.count && i < kColorSetEntries; ++i) items.emplace_back(set.entries[i].name);
  items.emplace_back(kChooseListItem);
  return items;
}

int ColorListIndexOf(const ColorSet& set, int32_t color) noexcept {
  if (color < 0) return 0;
  for (int i = 0; i < set.count && i < kColorSetEntries; ++i) {
    if (set.entries[i].color == color) return i + 1;
  }
  return set.count + 1;
}

}  // namespace hiyomi
