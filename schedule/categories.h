// Categories of schedule entries and the two named colour sets the user
// picks entry colours from, with their settings keys Type%d and Color%d.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "schedule/display_flags.h"

namespace hiyomi {

class SettingsStore;

inline constexpr int kCategoryCount = 10;
inline constexpr int kColorSetEntries = 10;
inline constexpr int kColorNameSize = 17;  // 16 bytes + NUL
inline constexpr int kTextColorSet = 0;
inline constexpr int kBackColorSet = 1;

struct Category {
  char name[kColorNameSize];  // empty: not in use
  int32_t textColor;          // -1 not set
  int32_t backColor;
  bool visible;
};

struct ColorSetEntry {
  char name[kColorNameSize];
  int32_t color;
};

struct ColorSet {
  int count;  // entries below count are named, packed from the start
  ColorSetEntry entries[kColorSetEntries];
};

// Where the keys live: Default when OptDef bit 0x10 shares them, else the
// current section (null).
const char* CategorySection(int optDef) noexcept;

// One Type%d value. False when it holds no name (the row stays unused).
bool ParseCategoryValue(const char* value, Category& out) noexcept;
std::string FormatCategoryValue(const Category& row);
// One Color%d value; the colour defaults to `defaultColor`. False when empty.
bool ParseColorSetValue(const char* value, int32_t defaultColor, ColorSetEntry& out) noexcept;

class CategoryTable {
 public:
  CategoryTable() noexcept;
  void Load(SettingsStore& store, const char* section) noexcept;
  void Save(SettingsStore& store, const char* section) const noexcept;

  // Both -1 outside 0..9.
  int32_t TextColorOf(int number) const noexcept;
  int32_t BackColorOf(int number) const noexcept;
  // "" outside 0..9.
  const char* NameOf(int number) const noexcept;
  // The category lists show used rows only, in row order. -1 for none.
  int NumberAtListPosition(int position) const noexcept;
  int ListPositionOf(int number) const noexcept;
  // Sets bits 4..13 of the view's filter from the visible switches.
  void ApplyFilter(uint32_t& filterBits) const noexcept;

  Category rows[kCategoryCount];
};

// Whether the view's filter lets an entry of `category` be drawn. Entries
// without a category (255) have no switch and are always drawn.
bool CategoryFilterShows(uint32_t filterBits, int category) noexcept;

class ColorSets {
 public:
  ColorSets() noexcept;
  void Load(SettingsStore& store, const char* section) noexcept;
  void Save(SettingsStore& store, const char* section) const noexcept;
  static int32_t DefaultColor(int set) noexcept { return set == kTextColorSet ? 0x000000 : 0xFFFFFF; }

  ColorSet sets[2];
};

// Colour lists of the day and undated dialogs: "分類" (the category's
// colour), the set's names, "指定" (choose freely).
std::vector<std::string> ColorListItems(const ColorSet& set);
int ColorListIndexOf(const ColorSet& set, int32_t color) noexcept;
// What picking item `index` gives; "指定" asks `choose` (starting colour,
// black for none; true with the choice on OK).
template <typename Chooser>
int32_t PickColorListItem(const ColorSet& set, int index, int32_t current, Chooser&& choose) {
  if (index <= 0) return -1;
  if (index <= set.count) return set.entries[index - 1].color;
  int32_t chosen = current < 0 ? 0 : current;
  return choose(chosen) ? chosen : current;
}

}  // namespace hiyomi
