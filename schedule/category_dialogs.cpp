#include "schedule/category_dialogs.h"

#include <cstring>
#include <string>

#include "base/message_box.h"

#include "resources/colordlg_ids.h"
#include "resources/typedlg_ids.h"
#include "settings/settings_store.h"
#include "base/win/ui_helpers.h"
#include "base/text.h"

namespace hiyomi {
namespace {

constexpr int32_t kWhite = 0xFFFFFF;

struct CategoryDialogState {
  CategoryTable* table;
  SettingsStore* store;
  const char* section;
  int32_t text[kCategoryCount];
  int32_t back[kCategoryCount];
};

struct ColorSetDialogState {
  ColorSets* sets;
  SettingsStore* store;
  const char* section;
  int32_t colors[2][kColorSetEntries];
};

template <typename State>
State* StateOf(HWND dialog) {
  return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void ReadName(HWND dialog, int id, char (&name)[kColorNameSize]) {
  char text[64] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  CopyText(name, text, sizeof name);
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

constexpr char kCommaInName[] = "名前に「,」（カンマ）は使えません。　　";

// The settings value separates its fields with commas, so a comma in a name
// would shift the colours after it at the next start. False (with the
// caret in the field) when a name holds one.
bool NamesWithoutCommas(HWND dialog, int firstId, int count) {
  for (int id = firstId; id < firstId + count; ++id) {
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    if (std::strchr(text, ',') == nullptr) continue;
    ShowMessage(dialog, MessageKind::Exclamation, kCommaInName);
    HWND field = GetDlgItem(dialog, id);
    SendMessageA(field, EM_SETSEL, 0, -1);
    PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    return false;
  }
  return true;
}

// A ticked colour that was never chosen shows white, so it is white.
int32_t ShownColor(int32_t working) { return working < 0 ? kWhite : working; }

// Picks a new working colour for the swatch `button`.
void ChooseSwatchColor(HWND dialog, int button, int32_t& working) {
  int color = working;
  if (ChooseColorFor(dialog, color)) {
    working = color;
    InvalidateRect(GetDlgItem(dialog, button), nullptr, TRUE);
  }
}

void DrawSwatch(const DRAWITEMSTRUCT& item, int32_t color) { DrawColorButton(item, color < 0 ? kWhite : color); }

// --- TYPEDLG

INT_PTR OnCategoryInit(HWND dialog, CategoryDialogState* state) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  CenterWindow(dialog, true);
  for (int k = 0; k < kCategoryCount; ++k) {
    const Category& row = state->table->rows[k];
    state->text[k] = row.textColor;
    state->back[k] = row.backColor;
    SendDlgItemMessageA(dialog, IDE_TYPE_NAME_BASE + k, EM_LIMITTEXT, kColorNameSize - 1, 0);
    SetDlgItemTextA(dialog, IDE_TYPE_NAME_BASE + k, row.name);
    CheckDlgButton(dialog, IDX_TYPE_VISIBLE_BASE + k, row.visible ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDX_TYPE_TEXT_COLOR_BASE + k, row.textColor >= 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDX_TYPE_BACK_COLOR_BASE + k, row.backColor >= 0 ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dialog, IDB_TYPE_TEXT_COLOR_BASE + k), row.textColor >= 0);
    EnableWindow(GetDlgItem(dialog, IDB_TYPE_BACK_COLOR_BASE + k), row.backColor >= 0);
  }
  return TRUE;
}

void OnCategoryOk(HWND dialog, CategoryDialogState* state) {
  CategoryTable& table = *state->table;
  if (!NamesWithoutCommas(dialog, IDE_TYPE_NAME_BASE, kCategoryCount)) return;
  for (int k = 0; k < kCategoryCount; ++k) {
    Category& row = table.rows[k];
    ReadName(dialog, IDE_TYPE_NAME_BASE + k, row.name);
    if (row.name[0] == '\0') {
      row.textColor = -1;
      row.backColor = -1;
      continue;
    }
    row.textColor = Checked(dialog, IDX_TYPE_TEXT_COLOR_BASE + k) ? ShownColor(state->text[k]) : -1;
    row.backColor = Checked(dialog, IDX_TYPE_BACK_COLOR_BASE + k) ? ShownColor(state->back[k]) : -1;
    row.visible = Checked(dialog, IDX_TYPE_VISIBLE_BASE + k);
  }
  table.Save(*state->store, state->section);
  EndDialog(dialog, 1);
}

INT_PTR OnCategoryCommand(HWND dialog, WPARAM wParam) {
  CategoryDialogState* state = StateOf<CategoryDialogState>(dialog);
  const int id = LOWORD(wParam);
  if (id == IDB_TYPE_OK) {
    OnCategoryOk(dialog, state);
  } else if (id == IDB_TYPE_CANCEL || id == IDCANCEL) {
    EndDialog(dialog, 0);
  } else if (id >= IDX_TYPE_TEXT_COLOR_BASE && id < IDX_TYPE_TEXT_COLOR_BASE + kCategoryCount) {
    const int k = id - IDX_TYPE_TEXT_COLOR_BASE;
    EnableWindow(GetDlgItem(dialog, IDB_TYPE_TEXT_COLOR_BASE + k), Checked(dialog, id));
  } else if (id >= IDX_TYPE_BACK_COLOR_BASE && id < IDX_TYPE_BACK_COLOR_BASE + kCategoryCount) {
    const int k = id - IDX_TYPE_BACK_COLOR_BASE;
    EnableWindow(GetDlgItem(dialog, IDB_TYPE_BACK_COLOR_BASE + k), Checked(dialog, id));
  } else if (id >= IDB_TYPE_TEXT_COLOR_BASE && id < IDB_TYPE_TEXT_COLOR_BASE + kCategoryCount) {
    ChooseSwatchColor(dialog, id, state->text[id - IDB_TYPE_TEXT_COLOR_BASE]);
  } else if (id >= IDB_TYPE_BACK_COLOR_BASE && id < IDB_TYPE_BACK_COLOR_BASE + kCategoryCount) {
    ChooseSwatchColor(dialog, id, state->back[id - IDB_TYPE_BACK_COLOR_BASE]);
  } else {
    return FALSE;
  }
  return TRUE;
}

INT_PTR OnCategoryDrawItem(HWND dialog, const DRAWITEMSTRUCT& item) {
  CategoryDialogState* state = StateOf<CategoryDialogState>(dialog);
  const int id = static_cast<int>(item.CtlID);
  if (id >= IDB_TYPE_TEXT_COLOR_BASE && id < IDB_TYPE_TEXT_COLOR_BASE + kCategoryCount) {
    DrawSwatch(item, state->text[id - IDB_TYPE_TEXT_COLOR_BASE]);
  } else if (id >= IDB_TYPE_BACK_COLOR_BASE && id < IDB_TYPE_BACK_COLOR_BASE + kCategoryCount) {
    DrawSwatch(item, state->back[id - IDB_TYPE_BACK_COLOR_BASE]);
  } else {
    return FALSE;
  }
  return TRUE;
}

INT_PTR CALLBACK CategoryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG:
      return OnCategoryInit(dialog, reinterpret_cast<CategoryDialogState*>(lParam));
    case WM_COMMAND:
      return OnCategoryCommand(dialog, wParam);
    case WM_DRAWITEM:
      return OnCategoryDrawItem(dialog, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  }
  return FALSE;
}

// --- COLORDLG

int NameId(int set, int k) { return (set == kTextColorSet ? IDE_COLOR_TEXT_NAME_BASE : IDE_COLOR_BACK_NAME_BASE) + k; }
int SwatchId(int set, int k) { return (set == kTextColorSet ? IDB_COLOR_TEXT_BASE : IDB_COLOR_BACK_BASE) + k; }

// The set and row of a swatch id, or false.
bool SwatchRow(int id, int& set, int& k) {
  for (set = 0; set < 2; ++set) {
    k = id - SwatchId(set, 0);
    if (k >= 0 && k < kColorSetEntries) return true;
  }
  return false;
}

INT_PTR OnColorSetInit(HWND dialog, ColorSetDialogState* state) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  CenterWindow(dialog, true);
  for (int s = 0; s < 2; ++s) {
    const ColorSet& set = state->sets->sets[s];
    for (int k = 0; k < kColorSetEntries; ++k) {
      state->colors[s][k] = set.entries[k].color;
      SendDlgItemMessageA(dialog, NameId(s, k), EM_LIMITTEXT, kColorNameSize - 1, 0);
      SetDlgItemTextA(dialog, NameId(s, k), k < set.count ? set.entries[k].name : "");
    }
  }
  return TRUE;
}

void OnColorSetOk(HWND dialog, ColorSetDialogState* state) {
  for (int s = 0; s < 2; ++s) {
    if (!NamesWithoutCommas(dialog, NameId(s, 0), kColorSetEntries)) return;
  }
  for (int s = 0; s < 2; ++s) {
    ColorSet& set = state->sets->sets[s];
    set.count = 0;
    // Blank rows close up.
    for (int k = 0; k < kColorSetEntries; ++k) {
      ColorSetEntry entry{};
      ReadName(dialog, NameId(s, k), entry.name);
      if (entry.name[0] == '\0') continue;
      entry.color = ShownColor(state->colors[s][k]);
      set.entries[set.count++] = entry;
    }
    for (int k = set.count; k < kColorSetEntries; ++k) set.entries[k] = ColorSetEntry{{}, -1};
  }
  state->sets->Save(*state->store, state->section);
  EndDialog(dialog, 1);
}

INT_PTR OnColorSetCommand(HWND dialog, WPARAM wParam) {
  ColorSetDialogState* state = StateOf<ColorSetDialogState>(dialog);
  const int id = LOWORD(wParam);
  int set = 0, k = 0;
  if (id == IDB_COLOR_OK) {
    OnColorSetOk(dialog, state);
  } else if (id == IDB_COLOR_CANCEL || id == IDCANCEL) {
    EndDialog(dialog, 0);
  } else if (SwatchRow(id, set, k)) {
    ChooseSwatchColor(dialog, id, state->colors[set][k]);
  } else {
    return FALSE;
  }
  return TRUE;
}

INT_PTR CALLBACK ColorSetDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG:
      return OnColorSetInit(dialog, reinterpret_cast<ColorSetDialogState*>(lParam));
    case WM_COMMAND:
      return OnColorSetCommand(dialog, wParam);
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      int set = 0, k = 0;
      if (!SwatchRow(static_cast<int>(item.CtlID), set, k)) return FALSE;
      DrawSwatch(item, StateOf<ColorSetDialogState>(dialog)->colors[set][k]);
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace

int RunCategoryDialog(HWND owner, CategoryTable& table, SettingsStore& store, const char* section) {
  // The dialog edits a copy, so a cancel leaves the table as it was.
  CategoryTable working = table;
  CategoryDialogState state{&working, &store, section, {}, {}};
  const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), IDD_TYPEDLG, owner,
                                         CategoryDialogProc, reinterpret_cast<LPARAM>(&state));
  if (result != 1) return 0;
  table = working;
  return 1;
}

int RunColorSetDialog(HWND owner, ColorSets& sets, SettingsStore& store, const char* section) {
  ColorSets working = sets;
  ColorSetDialogState state{&working, &store, section, {}};
  const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), IDD_COLORDLG, owner,
                                         ColorSetDialogProc, reinterpret_cast<LPARAM>(&state));
  if (result != 1) return 0;
  sets = working;
  return 1;
}

void FillColorList(HWND combo, const ColorSet& set, int32_t color) {
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : ColorListItems(set)) {
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SendMessageA(combo, CB_SETCURSEL, ColorListIndexOf(set, color), 0);
}

int32_t PickFromColorList(HWND owner, HWND combo, const ColorSet& set, int32_t current) {
  const int index = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
  const int32_t color = PickColorListItem(set, index, current, [owner](int32_t& chosen) {
    int c = chosen;
    if (!ChooseColorFor(owner, c)) return false;
    chosen = c;
    return true;
  });
  SendMessageA(combo, CB_SETCURSEL, ColorListIndexOf(set, color), 0);
  return color;
}

}  // namespace hiyomi
