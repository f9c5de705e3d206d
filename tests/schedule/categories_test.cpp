// Categories and colour sets on an in-memory settings store.
#include <gtest/gtest.h>

#include "base/text.h"
#include "schedule/categories.h"
#include "settings/memory_backend.h"
#include "settings/settings_store.h"

namespace hiyomi {
namespace {

TEST(CategoryValue, Parsing) {
  const struct {
    const char* value;
    const char* name;
    int32_t text, back;
    bool visible;
  } cases[] = {
      {"Work,0x0000FF,#,-", "Work", 0x0000FF, -1, false},
      {"My work,0x0000FF,#,-", "My work", 0x0000FF, -1, false},  // a name reads back whole
      {" Light blue ,0xFF8000", "Light blue", 0xFF8000, -1, true},
      {"Work 0x0000FF # -", "Work", 0x0000FF, -1, false},  // spaces alone separate too
      {"a,,#,&hFF00,+", "a", -1, 0xFF00, true},  // runs of separators count once
      {"b\n12,-5,x", "b", 12, -1, true},
      {"0123456789abcdefXYZ", "0123456789abcdef", -1, -1, true},
      {"会議室予約と確認作業,#,0xFFFFFF", "会議室予約と確認", -1, 0xFFFFFF, true},
      // Sixteen bytes would end inside a double-byte character: it stays whole or goes.
      {"a会議室予約と確認作業", "a会議室予約と確", -1, -1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    Category row;
    ASSERT_TRUE(ParseCategoryValue(c.value, row));
    EXPECT_STREQ(row.name, c.name);
    EXPECT_EQ(row.textColor, c.text);
    EXPECT_EQ(row.backColor, c.back);
    EXPECT_EQ(row.visible, c.visible);
  }
  // No name, or a name that is only half a double-byte character.
  for (const char* value : {" , ", "\x81,0x0000FF", "\xFC"}) {
    Category row;
    EXPECT_FALSE(ParseCategoryValue(value, row)) << value;
    EXPECT_EQ(row.name[0], '\0');
    ColorSetEntry entry;
    EXPECT_FALSE(ParseColorSetValue(value, 0, entry)) << value;
  }
}

class CategoryStoreTest : public ::testing::Test {
 protected:
  CategoryStoreTest() {
    auto backend = std::make_unique<MemorySettingsBackend>();
    backend_ = backend.get();
    store_.Attach(std::move(backend), "Profile");
  }
  const std::string* Key(const char* section, const char* key) { return backend_->Find(section, key); }
  SettingsStore store_;
  MemorySettingsBackend* backend_;
};

TEST_F(CategoryStoreTest, HalfCharacterNamesLeaveNoRowInUse) {
  store_.WriteString("Type1", "\x81,0x0000FF");
  store_.WriteString("Color1", "\x9F,0x0000FF");
  store_.WriteString("Color2", "Red,0x0000FF");
  CategoryTable table;
  table.Load(store_, nullptr);
  EXPECT_STREQ(table.NameOf(0), "Default");
  ColorSets sets;
  sets.Load(store_, nullptr);
  ASSERT_EQ(sets.sets[0].count, 1);
  EXPECT_STREQ(sets.sets[0].entries[0].name, "Red");
}

TEST_F(CategoryStoreTest, NoKeysGiveTheDefaultCategory) {
  CategoryTable table;
  table.Load(store_, nullptr);
  EXPECT_STREQ(table.NameOf(0), "Default");
  for (int k = 1; k < kCategoryCount; ++k) EXPECT_STREQ(table.NameOf(k), "");
  EXPECT_EQ(table.NumberAtListPosition(0), 0);
  EXPECT_EQ(table.NumberAtListPosition(1), -1);
}

TEST_F(CategoryStoreTest, RoundTripListsAndFilter) {
  store_.WriteString("Type3", "Work,0x0000FF,#,-");
  store_.WriteString("Type6", "Home,#,0x00FF00");
  CategoryTable table;
  table.Load(store_, nullptr);
  EXPECT_STREQ(table.NameOf(0), "");  // some key had a value: no "Default"
  EXPECT_EQ(table.NumberAtListPosition(0), 2);
  EXPECT_EQ(table.NumberAtListPosition(1), 5);
  EXPECT_EQ(table.NumberAtListPosition(2), -1);
  EXPECT_EQ(table.ListPositionOf(5), 1);
  EXPECT_EQ(table.ListPositionOf(0), -1);
  EXPECT_EQ(table.ListPositionOf(255), -1);
  EXPECT_EQ(table.TextColorOf(2), 0x0000FF);
  EXPECT_EQ(table.BackColorOf(255), -1);
  EXPECT_STREQ(table.NameOf(-1), "");

  uint32_t filter = 0xF;
  table.ApplyFilter(filter);
  EXPECT_EQ(filter, 0x3FFFu & ~(1u << 6));
  EXPECT_FALSE(CategoryFilterShows(filter, 2));
  EXPECT_TRUE(CategoryFilterShows(filter, 5));
  EXPECT_TRUE(CategoryFilterShows(0, 255));  // no category: nothing to switch off

  // Shared through Default: written there, unused rows deleted.
  table.rows[2].name[0] = '\0';
  table.Save(store_, CategorySection(0x10));
  EXPECT_EQ(Key("Default", "Type3"), nullptr);
  ASSERT_NE(Key("Default", "Type6"), nullptr);
  EXPECT_EQ(*Key("Default", "Type6"), "Home,#,0x00FF00,+");
  EXPECT_EQ(CategorySection(0x0F), nullptr);
}

// What the dialogs store comes back the same after a restart.
TEST_F(CategoryStoreTest, NamesWithSpacesReadBackAsStored) {
  CategoryTable table;
  CopyText(table.rows[1].name, "Light blue", sizeof table.rows[1].name);
  table.rows[1].textColor = 0xFF8000;
  table.rows[1].visible = false;
  table.Save(store_, nullptr);
  ColorSets sets;
  sets.sets[kBackColorSet].count = 1;
  CopyText(sets.sets[kBackColorSet].entries[0].name, "Light blue", kColorNameSize);
  sets.sets[kBackColorSet].entries[0].color = 0xFFCC88;
  sets.Save(store_, nullptr);

  CategoryTable loaded;
  loaded.Load(store_, nullptr);
  EXPECT_STREQ(loaded.NameOf(1), "Light blue");
  EXPECT_EQ(loaded.TextColorOf(1), 0xFF8000);
  EXPECT_EQ(loaded.BackColorOf(1), -1);
  EXPECT_FALSE(loaded.rows[1].visible);
  ColorSets loadedSets;
  loadedSets.Load(store_, nullptr);
  ASSERT_EQ(loadedSets.sets[kBackColorSet].count, 1);
  EXPECT_STREQ(loadedSets.sets[kBackColorSet].entries[0].name, "Light blue");
  EXPECT_EQ(loadedSets.sets[kBackColorSet].entries[0].color, 0xFFCC88);
}

TEST_F(CategoryStoreTest, ColorSetsCloseUpAndDeleteTheRest) {
  store_.WriteString("Color1", "Red,0x0000FF");
  store_.WriteString("Color3", "Plain");  // no colour: the set's default
  store_.WriteString("Color12", "Sky,0xFFCC88");
  ColorSets sets;
  sets.Load(store_, nullptr);
  ASSERT_EQ(sets.sets[0].count, 2);
  EXPECT_STREQ(sets.sets[0].entries[1].name, "Plain");
  EXPECT_EQ(sets.sets[0].entries[1].color, 0x000000);
  ASSERT_EQ(sets.sets[1].count, 1);
  EXPECT_STREQ(sets.sets[1].entries[0].name, "Sky");
  EXPECT_EQ(sets.sets[1].entries[5].color, 0xFFFFFF);

  sets.Save(store_, nullptr);
  EXPECT_EQ(*Key("Profile", "Color1"), "Red,0x0000FF");
  EXPECT_EQ(*Key("Profile", "Color2"), "Plain,0x000000");
  EXPECT_EQ(Key("Profile", "Color3"), nullptr);
  EXPECT_EQ(*Key("Profile", "Color11"), "Sky,0xFFCC88");
  EXPECT_EQ(Key("Profile", "Color12"), nullptr);
}

TEST(ColorList, ItemsSelectionAndPicking) {
  ColorSet set{};
  set.count = 2;
  set.entries[0] = {"Red", 0x0000FF};
  set.entries[1] = {"Blue", 0xFF0000};
  EXPECT_EQ(ColorListItems(set), (std::vector<std::string>{"分類", "Red", "Blue", "指定"}));
  EXPECT_EQ(ColorListIndexOf(set, -1), 0);
  EXPECT_EQ(ColorListIndexOf(set, 0xFF0000), 2);
  EXPECT_EQ(ColorListIndexOf(set, 0x123456), 3);  // in no entry: "指定"

  auto never = [](int32_t&) {
    ADD_FAILURE() << "chooser opened";
    return false;
  };
  EXPECT_EQ(PickColorListItem(set, 0, 0x123456, never), -1);
  EXPECT_EQ(PickColorListItem(set, 1, 0x123456, never), 0x0000FF);
  int32_t offered = -2;
  auto cancel = [&](int32_t& c) { offered = c; return false; };
  EXPECT_EQ(PickColorListItem(set, 3, 0x123456, cancel), 0x123456);
  EXPECT_EQ(offered, 0x123456);
  EXPECT_EQ(PickColorListItem(set, 3, -1, cancel), -1);
  EXPECT_EQ(offered, 0);  // black for a colour not set
  EXPECT_EQ(PickColorListItem(set, 3, -1, [](int32_t& c) { c = 0x00AA00; return true; }), 0x00AA00);
}

}  // namespace
}  // namespace hiyomi
