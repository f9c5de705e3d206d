// TYPEDLG and COLORDLG from their real templates, driven by messages.
#include <gtest/gtest.h>

#include <string>

#include "dialog_driver.h"
#include "resources/colordlg_ids.h"
#include "resources/typedlg_ids.h"
#include "schedule/category_dialogs.h"
#include "settings/memory_backend.h"
#include "settings/settings_store.h"
#include "base/message_box.h"
#include "base/win/ui_helpers.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

class CategoryDialogTest : public ::testing::Test {
 protected:
  CategoryDialogTest() {
    auto backend = std::make_unique<MemorySettingsBackend>();
    backend_ = backend.get();
    store_.Attach(std::move(backend), "Profile");
    SetColorChooserForTests([this](HWND, int preselected, int& chosen) {
      offered_ = preselected;
      chosen = nextColor_;
      return nextColor_ >= 0;
    });
  }
  void TearDown() override { ExpectNoDriverPending(); }
  ~CategoryDialogTest() override { SetColorChooserForTests(nullptr); }
  const std::string* Key(const char* section, const char* key) { return backend_->Find(section, key); }

  SettingsStore store_;
  MemorySettingsBackend* backend_;
  int offered_ = -2;
  int nextColor_ = -1;  // negative: the chooser is cancelled
};

TEST_F(CategoryDialogTest, OkWritesEveryRow) {
  store_.WriteString("Type1", "Work,0x0000FF,#,-", kDefaultSection);
  store_.WriteString("Type2", "Home,#,0x00FF00", kDefaultSection);
  CategoryTable table;
  table.Load(store_, CategorySection(0x10));
  nextColor_ = 0x123456;
  DriveNextDialog("分類設定", [this](HWND d) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDB_TYPE_BACK_COLOR_BASE + 0)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDB_TYPE_TEXT_COLOR_BASE + 0)));
    EXPECT_EQ(IsDlgButtonChecked(d, IDX_TYPE_VISIBLE_BASE + 0), BST_UNCHECKED);
    // Row 1: a text colour is switched on and chosen.
    Click(d, IDX_TYPE_TEXT_COLOR_BASE + 1);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDB_TYPE_TEXT_COLOR_BASE + 1)));
    Click(d, IDB_TYPE_TEXT_COLOR_BASE + 1);
    EXPECT_EQ(offered_, 0xFFFFFF);  // a colour not set starts as white
    // Row 0 loses its name; row 3 is new.
    SetDlgItemTextA(d, IDE_TYPE_NAME_BASE + 0, "");
    SetDlgItemTextA(d, IDE_TYPE_NAME_BASE + 3, "旅行");
    Click(d, IDB_TYPE_OK);
  });
  EXPECT_EQ(RunCategoryDialog(nullptr, table, store_, CategorySection(0x10)), 1);
  EXPECT_EQ(Key("Default", "Type1"), nullptr);
  ASSERT_NE(Key("Default", "Type2"), nullptr);
  EXPECT_EQ(*Key("Default", "Type2"), "Home,0x123456,0x00FF00,+");
  ASSERT_NE(Key("Default", "Type4"), nullptr);
  EXPECT_EQ(*Key("Default", "Type4"), "旅行,#,#,+");
  EXPECT_EQ(table.TextColorOf(1), 0x123456);
  EXPECT_EQ(table.TextColorOf(0), -1);
}

// The colour a swatch paints, read from a memory bitmap just inside its edge.
COLORREF SwatchColor(HWND dialog, int id) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 60, 20);
  HGDIOBJ old = SelectObject(dc, bitmap);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(id);
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = GetDlgItem(dialog, id);
  item.hDC = dc;
  item.rcItem = {0, 0, 60, 20};
  SendMessageA(dialog, WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&item));
  const COLORREF pixel = GetPixel(dc, 4, 4);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixel;
}

TEST_F(CategoryDialogTest, SwatchesShowTheWorkingColours) {
  store_.WriteString("Type1", "Work,0x0000FF,#");
  CategoryTable table;
  table.Load(store_, nullptr);
  ColorSets sets;
  nextColor_ = 0x00C000;
  DriveNextDialog("分類設定", [](HWND d) {
    EXPECT_EQ(SwatchColor(d, IDB_TYPE_TEXT_COLOR_BASE + 0), 0x0000FFu);
    EXPECT_EQ(SwatchColor(d, IDB_TYPE_BACK_COLOR_BASE + 0), 0xFFFFFFu);  // not set: white
    Click(d, IDX_TYPE_BACK_COLOR_BASE + 0);
    Click(d, IDB_TYPE_BACK_COLOR_BASE + 0);
    EXPECT_EQ(SwatchColor(d, IDB_TYPE_BACK_COLOR_BASE + 0), 0x00C000u);
    Click(d, IDB_TYPE_CANCEL);
  });
  EXPECT_EQ(RunCategoryDialog(nullptr, table, store_, nullptr), 0);
  DriveNextDialog("色設定", [](HWND d) {
    EXPECT_EQ(SwatchColor(d, IDB_COLOR_TEXT_BASE + 4), 0x000000u);  // the sets' defaults
    EXPECT_EQ(SwatchColor(d, IDB_COLOR_BACK_BASE + 4), 0xFFFFFFu);
    Click(d, IDB_COLOR_BACK_BASE + 4);
    EXPECT_EQ(SwatchColor(d, IDB_COLOR_BACK_BASE + 4), 0x00C000u);
    Click(d, IDB_COLOR_CANCEL);
  });
  EXPECT_EQ(RunColorSetDialog(nullptr, sets, store_, nullptr), 0);
}

TEST_F(CategoryDialogTest, CancelChangesNothing) {
  CategoryTable table;
  table.Load(store_, nullptr);
  nextColor_ = 0x00FF00;
  DriveNextDialog("分類設定", [](HWND d) {
    SetDlgItemTextA(d, IDE_TYPE_NAME_BASE + 0, "Changed");
    Click(d, IDX_TYPE_TEXT_COLOR_BASE + 0);
    Click(d, IDB_TYPE_TEXT_COLOR_BASE + 0);
    Click(d, IDB_TYPE_CANCEL);
  });
  EXPECT_EQ(RunCategoryDialog(nullptr, table, store_, nullptr), 0);
  EXPECT_STREQ(table.NameOf(0), "Default");
  EXPECT_EQ(table.TextColorOf(0), -1);
  EXPECT_TRUE(backend_->Sections().empty());
}

TEST_F(CategoryDialogTest, BlankColorSetRowsCloseUp) {
  ColorSets sets;
  sets.Load(store_, nullptr);
  nextColor_ = 0x0000FF;
  DriveNextDialog("色設定", [this](HWND d) {
    SetDlgItemTextA(d, IDE_COLOR_TEXT_NAME_BASE + 0, "One");
    SetDlgItemTextA(d, IDE_COLOR_TEXT_NAME_BASE + 1, "Two");
    SetDlgItemTextA(d, IDE_COLOR_TEXT_NAME_BASE + 3, "Four");
    Click(d, IDB_COLOR_TEXT_BASE + 3);
    EXPECT_EQ(offered_, 0x000000);
    SetDlgItemTextA(d, IDE_COLOR_BACK_NAME_BASE + 9, "Last");
    Click(d, IDB_COLOR_OK);
  });
  EXPECT_EQ(RunColorSetDialog(nullptr, sets, store_, nullptr), 1);
  EXPECT_EQ(*Key("Profile", "Color1"), "One,0x000000");
  EXPECT_EQ(*Key("Profile", "Color2"), "Two,0x000000");
  EXPECT_EQ(*Key("Profile", "Color3"), "Four,0x0000FF");
  EXPECT_EQ(Key("Profile", "Color4"), nullptr);
  EXPECT_EQ(*Key("Profile", "Color11"), "Last,0xFFFFFF");
  EXPECT_EQ(sets.sets[0].count, 3);
  EXPECT_EQ(sets.sets[1].count, 1);

  DriveNextDialog("色設定", [](HWND d) {
    char name[32];
    GetDlgItemTextA(d, IDE_COLOR_TEXT_NAME_BASE + 2, name, sizeof name);
    EXPECT_STREQ(name, "Four");
    SetDlgItemTextA(d, IDE_COLOR_TEXT_NAME_BASE + 0, "");
    Click(d, IDB_COLOR_CANCEL);
  });
  EXPECT_EQ(RunColorSetDialog(nullptr, sets, store_, nullptr), 0);
  EXPECT_EQ(sets.sets[0].count, 3);
}

// A comma would shift the fields of the stored value: OK refuses the name,
// says why, and puts the caret back into it.
TEST_F(CategoryDialogTest, ACommaInANameIsRefusedWithTheCaretInTheField) {
  std::string said;
  MessageAnswerer previous = SetMessageAnswererForTests([&said](MessageKind, const char* text) {
    said = text;
    return MessageAnswer::Ok;
  });
  struct Case {
    const char* title;
    bool categories;  // TYPEDLG, else COLORDLG
    int field;
    int ok;
  };
  const Case cases[] = {
      {"分類設定", true, IDE_TYPE_NAME_BASE + 2, IDB_TYPE_OK},
      {"色設定", false, IDE_COLOR_BACK_NAME_BASE + 4, IDB_COLOR_OK},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    said.clear();
    bool refocused = false;
    DriveNextDialog(c.title, [&](HWND d) {
      SetDlgItemTextA(d, c.field, "Work,Home");
      Click(d, c.ok);
      EXPECT_TRUE(IsWindow(d));  // still open
      EXPECT_EQ(said, "名前に「,」（カンマ）は使えません。　　");
      // The caret moves once the dialog's loop has run again.
      DriveNextDialog(c.title, [&](HWND again) {
        refocused = GetFocus() == GetDlgItem(again, c.field);
        SetDlgItemTextA(again, c.field, "Work Home");
        Click(again, c.ok);
      });
    });
    CategoryTable table;
    ColorSets sets;
    const int result = c.categories ? RunCategoryDialog(nullptr, table, store_, nullptr)
                                           : RunColorSetDialog(nullptr, sets, store_, nullptr);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(refocused);
  }
  EXPECT_EQ(*Key("Profile", "Type3"), "Work Home,#,#,+");
  EXPECT_EQ(*Key("Profile", "Color11"), "Work Home,0xFFFFFF");
  SetMessageAnswererForTests(previous);
}

// What a swatch shows is what is stored: a ticked colour never chosen, and a
// colour-set row named after it was blank, are white, not "no colour".
TEST_F(CategoryDialogTest, ColoursNeverPickedAreStoredAsTheWhiteTheyShow) {
  CategoryTable table;
  DriveNextDialog("分類設定", [](HWND d) {
    SetDlgItemTextA(d, IDE_TYPE_NAME_BASE + 1, "Home");
    Click(d, IDX_TYPE_TEXT_COLOR_BASE + 1);
    Click(d, IDX_TYPE_BACK_COLOR_BASE + 1);
    Click(d, IDB_TYPE_OK);
  });
  ASSERT_EQ(RunCategoryDialog(nullptr, table, store_, nullptr), 1);
  EXPECT_EQ(table.TextColorOf(1), 0xFFFFFF);
  EXPECT_EQ(table.BackColorOf(1), 0xFFFFFF);
  EXPECT_EQ(*Key("Profile", "Type2"), "Home,0xFFFFFF,0xFFFFFF,+");

  ColorSets sets;
  for (const char* name : {"One", "Two"}) {
    DriveNextDialog("色設定", [name](HWND d) {
      SetDlgItemTextA(d, IDE_COLOR_TEXT_NAME_BASE + (name[0] == 'O' ? 0 : 1), name);
      Click(d, IDB_COLOR_OK);
    });
    ASSERT_EQ(RunColorSetDialog(nullptr, sets, store_, nullptr), 1);
  }
  ASSERT_EQ(sets.sets[kTextColorSet].count, 2);
  EXPECT_EQ(sets.sets[kTextColorSet].entries[1].color, 0xFFFFFF);
  EXPECT_EQ(ColorListIndexOf(sets.sets[kTextColorSet], sets.sets[kTextColorSet].entries[1].color), 2);
}

TEST_F(CategoryDialogTest, ColorListShowsAndPicks) {
  ColorSet set{};
  set.count = 1;
  set.entries[0] = {"Red", 0x0000FF};
  HWND combo = CreateWindowA("COMBOBOX", "", CBS_DROPDOWNLIST | WS_CHILD, 0, 0, 100, 200,
                             CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
                             nullptr, nullptr, nullptr);
  FillColorList(combo, set, 0x777777);
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);  // "指定"
  // "指定" cancelled: the colour stays, and so does the selection.
  nextColor_ = -1;
  EXPECT_EQ(PickFromColorList(nullptr, combo, set, 0x777777), 0x777777);
  EXPECT_EQ(offered_, 0x777777);
  SendMessageA(combo, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(PickFromColorList(nullptr, combo, set, 0x777777), 0x0000FF);
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
  EXPECT_EQ(PickFromColorList(nullptr, combo, set, 0x0000FF), -1);
  DestroyWindow(GetParent(combo));
}

}  // namespace
}  // namespace hiyomi
