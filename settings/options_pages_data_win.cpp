// Pages 定期予定, 一時予定 and その他 of the options sheet.
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/message_box.h"
#include "base/text.h"
#include "base/win/file_choice.h"
#include "resources/optpage_data_ids.h"
#include "resources/optpage_ids.h"
#include "settings/options_pages_win.h"
#include "settings/options_sheet_controls_win.h"
#include "settings/regular_group_dialog_win.h"
#include "settings/regular_schedule_row_win.h"
#include "settings/settings_store.h"

namespace hiyomi {

namespace {

constexpr int kShareRegularBit = 0x01;
constexpr int kShareCategoriesBit = 0x10;

HWND SheetWindowOf(HWND page) { return GetParent(page); }

// The caret into an edit or list, its text selected.
void PutCaretIn(HWND page, int id) {
  PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, id)), TRUE);
}

void SetEdit(HWND page, int id, const char* text, int maxChars) {
  SendDlgItemMessageA(page, id, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
  SetDlgItemTextA(page, id, text);
}

template <int N>
void ReadEdit(HWND page, int id, char (&out)[N]) {
  char text[N * 2] = "";
  GetDlgItemTextA(page, id, text, sizeof text);
  CopyText(out, text, N);
}

// The file dialog on the edit's path; the choice goes back into the edit.
void ChooseFileInto(HWND page, int editId, const char* proposed = nullptr) {
  char path[kPathTextSize] = "";
  if (proposed != nullptr) {
    CopyText(path, proposed, sizeof path);
  } else {
    GetDlgItemTextA(page, editId, path, sizeof path);
  }
  if (ChooseFileFor(SheetWindowOf(page), path, sizeof path)) SetDlgItemTextA(page, editId, path);
}

// ---------------------------------------------------------------------------
// 定期予定: schedules 1-5, the first of each group; the group dialog edits
// the other nine of a group.

int RegularRowBase(int group) { return IDC_REGULAR_ROW_FIRST + IDC_REGULAR_ROW_STEP * group; }

// The first row "有効" whose rule is invalid, -1 when there is none.
int FirstInvalidRegularRow(HWND page) {
  for (int g = 0; g < kRegularGroups; ++g) {
    if (!RegularRowValid(ReadRegularRow(page, RegularRowBase(g)))) return g;
  }
  return -1;
}

void FillRegularPage(HWND page, OptionsSheet& sheet) {
  for (int g = 0; g < kRegularGroups; ++g) {
    FillRegularRow(page, RegularRowBase(g), sheet.options.workSDay[g], sheet.options.workSDayName[g]);
  }
}

void ApplyRegularPage(HWND page, OptionsSheet& sheet) {
  for (int g = 0; g < kRegularGroups; ++g) {
    StoreRegularRow(page, RegularRowBase(g), sheet.options.workSDay[g], sheet.options.workSDayName[g]);
  }
}

bool ValidateRegularPage(HWND page, const OptionsSheet&, char (&message)[kPendingMessageSize]) {
  const int invalid = FirstInvalidRegularRow(page);
  if (invalid < 0) return true;
  std::snprintf(message, sizeof message, "定期予定(定期%d)のパラメタにエラーがあります。　　", invalid + 1);
  return false;
}

void OnRegularPageCommand(HWND page, OptionsSheet& sheet, int id, int code) {
  if (id == kFocusInvalidField) {
    const int invalid = FirstInvalidRegularRow(page);
    if (invalid >= 0) PutCaretIn(page, RegularRowBase(invalid) + IDO_REGULAR_KIND);
    return;
  }
  if (code != BN_CLICKED) return;
  for (int g = 0; g < kRegularGroups; ++g) {
    if (id == RegularRowBase(g) + IDO_REGULAR_GROUP) RunRegularGroupDialog(SheetWindowOf(page), sheet.options, g);
  }
}

// ---------------------------------------------------------------------------
// 一時予定: its keys go straight to the store when the page applies.

constexpr char kDefaultButtonTitle[] = "編集1";
constexpr int kCommandLineChars = 600;
constexpr int kTemporaryMemoChoices = 4;
constexpr const char* kTemporaryMemoEntries[kTemporaryMemoChoices] = {"なし", "メモ１", "メモ２", "メモ３"};
constexpr int kCategoryChoices = 10;

struct PathKey {
  const char* key;
  int editId;
  int maxChars;
};
constexpr PathKey kTemporaryPaths[] = {
    {"TDFile", IDE_TEMPORARY_FILE, kPathTextSize - 1},
    {"TDEdit1", IDE_TEMPORARY_EDIT1, kCommandLineChars},
    {"TDEdit2", IDE_TEMPORARY_EDIT2, kCommandLineChars},
};

void FillTemporaryPage(HWND page, OptionsSheet& sheet) {
  SettingsStore& store = sheet.store;
  for (const PathKey& path : kTemporaryPaths) {
    char text[kCommandLineChars + 1];
    store.ReadString(path.key, "", text, sizeof text, kDefaultSection);
    SetEdit(page, path.editId, text, path.maxChars);
  }
  SetCheck(page, IDX_TEMPORARY_START, store.ReadBool("TDStart", "0", kDefaultSection));
  SetCheck(page, IDX_TEMPORARY_BUTTON, store.ReadBool("TDBtn", "0", kDefaultSection));
  char title[kTodoTitleSize];
  store.ReadString("TDBtnTitle", kDefaultButtonTitle, title, sizeof title, kDefaultSection);
  SetEdit(page, IDE_TEMPORARY_BUTTON_TITLE, title, kTodoTitleSize - 1);

  const char* categories[kCategoryChoices];
  for (int k = 0; k < kCategoryChoices; ++k) {
    const char* name = sheet.services.categoryName ? sheet.services.categoryName(k) : nullptr;
    categories[k] = name != nullptr ? name : "";
  }
  FillList(page, IDC_TEMPORARY_CATEGORY, categories,
           store.ReadInt("TDType", "0", 0, kCategoryChoices - 1, kDefaultSection));
  FillList(page, IDC_TEMPORARY_MEMO, kTemporaryMemoEntries,
           store.ReadInt("TDMemo", "0", 0, kTemporaryMemoChoices - 1));
  // The sheet shows these two with their boxes once the page is filled.
  sheet.options.TDTxtColor = store.ReadColor("TDTxtColor", -1);
  sheet.options.TDBkColor = store.ReadColor("TDBkColor", -1);
}

void ApplyTemporaryPage(HWND page, OptionsSheet& sheet) {
  SettingsStore& store = sheet.store;
  Options& options = sheet.options;
  for (const PathKey& path : kTemporaryPaths) {
    char text[kCommandLineChars + 1];
    ReadEdit(page, path.editId, text);
    store.WriteString(path.key, text, kDefaultSection);
  }
  store.WriteBool("TDStart", IsChecked(page, IDX_TEMPORARY_START), kDefaultSection);
  options.TDBtn = IsChecked(page, IDX_TEMPORARY_BUTTON) ? 1 : 0;
  store.WriteBool("TDBtn", options.TDBtn != 0, kDefaultSection);
  // No button, no title; a button always has one.
  ReadEdit(page, IDE_TEMPORARY_BUTTON_TITLE, options.TDBtnTitle);
  if (options.TDBtn == 0) {
    options.TDBtnTitle[0] = '\0';
  } else if (options.TDBtnTitle[0] == '\0') {
    CopyText(options.TDBtnTitle, kDefaultButtonTitle, sizeof options.TDBtnTitle);
  }
  store.WriteString("TDBtnTitle", options.TDBtnTitle, kDefaultSection);
  store.WriteInt("TDType", ListChoice(page, IDC_TEMPORARY_CATEGORY), kDefaultSection);
  store.WriteColor("TDTxtColor", options.TDTxtColor);
  store.WriteColor("TDBkColor", options.TDBkColor);
  store.WriteInt("TDMemo", ListChoice(page, IDC_TEMPORARY_MEMO));
}

void OnTemporaryPageCommand(HWND page, OptionsSheet&, int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDB_TEMPORARY_FILE_CHOOSE: ChooseFileInto(page, IDE_TEMPORARY_FILE); break;
    case IDB_TEMPORARY_EDIT1_CHOOSE: ChooseFileInto(page, IDE_TEMPORARY_EDIT1); break;
    case IDB_TEMPORARY_EDIT2_CHOOSE: ChooseFileInto(page, IDE_TEMPORARY_EDIT2); break;
    default: break;
  }
}

// ---------------------------------------------------------------------------
// その他: the profiles, the shared groups, memo files, Notrik and Secret.

constexpr char kLoadQuestion[] = "設定を読み込みますか？　　";
constexpr char kDeleteQuestion[] = "設定を削除しますか？　　";
// A "\" would nest registry keys and "[" or "]" would break the ini file's
// section lines.
constexpr char kBadProfileName[] = "Section名に「\\」「[」「]」は使えません。　　";
constexpr int kProfileChars = kProfileNameSize - 1;
constexpr int kSectionListBytes = 32 * 1024;
constexpr char kNotrikProgram[] = "\\Notrik.exe";

// Checked character by character: these bytes are also trail bytes of
// double-byte characters ("表" ends in "\"), which are harmless.
bool UsableProfileName(const char* name) {
  for (const char* p = name; *p != '\0'; ++p) {
    if (IsLeadByte(static_cast<unsigned char>(*p))) {
      if (p[1] == '\0') break;
      ++p;
      continue;
    }
    if (*p == '\\' || *p == '[' || *p == ']') return false;
  }
  return true;
}

HWND ProfileList(HWND page) { return GetDlgItem(page, IDC_PROFILE_LIST); }

int ProfileCount(HWND page) { return static_cast<int>(SendMessageA(ProfileList(page), CB_GETCOUNT, 0, 0)); }

// From the list, the entry just chosen (its edit may not show it yet);
// otherwise what the edit shows, chosen or typed.
void ChosenProfile(HWND page, char (&name)[kProfileNameSize], bool fromList) {
  HWND list = ProfileList(page);
  char text[kSettingsSectionSize * 2] = "";
  const LRESULT at = SendMessageA(list, CB_GETCURSEL, 0, 0);
  if (fromList && at != CB_ERR &&
      SendMessageA(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(at), 0) < static_cast<LRESULT>(sizeof text)) {
    SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
  } else {
    GetWindowTextA(list, text, sizeof text);
  }
  CopyText(name, text, sizeof name);
}

bool MayDelete(HWND page, const char* name) {
  return name[0] != '\0' && !SameSettingsName(name, kDefaultSection) && ProfileCount(page) >= 2;
}

void FillProfileList(HWND page, OptionsSheet& sheet) {
  HWND list = ProfileList(page);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  SendMessageA(list, CB_LIMITTEXT, kProfileChars, 0);
  std::vector<char> names(kSectionListBytes);
  const int bytes = sheet.store.ListSections(names.data(), static_cast<int>(names.size()));
  for (int at = 0; at < bytes && names[at] != '\0'; at += static_cast<int>(std::strlen(&names[at])) + 1) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(&names[at]));
  }
  const char* current = sheet.options.profileName;
  LRESULT at = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(current));
  if (at == CB_ERR) at = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(current));
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  EnableControl(page, IDB_PROFILE_DELETE, MayDelete(page, current));
}

void FillOtherPage(HWND page, OptionsSheet& sheet) {
  const Options& options = sheet.options;
  FillProfileList(page, sheet);
  SetCheck(page, IDX_SHARE_REGULAR, (options.OptDef & kShareRegularBit) != 0);
  SetCheck(page, IDX_SHARE_CATEGORIES, (options.OptDef & kShareCategoriesBit) != 0);
  for (int k = 0; k < kMemoPages; ++k) {
    SetEdit(page, IDE_MEMO_FILE_FIRST + k, options.MemoFile[k], kPathTextSize - 1);
    SetEdit(page, IDE_MEMO_TITLE_FIRST + k, options.MemoFTitle[k], kMemoTitleSize - 1);
    SetCheck(page, IDX_MEMO_RTF_FIRST + k, options.MemoRTF[k] != 0);
  }
  SetCheck(page, IDX_NOTRIK, options.Notrik != 0);
  SetEdit(page, IDE_NOTRIK_PATH, options.NotrikDir, kPathTextSize - 1);
  CheckRadioButton(page, IDR_NOTRIK_CATEGORY1, IDR_NOTRIK_NO_CATEGORY, IDR_NOTRIK_CATEGORY1 + options.NotrikType);
  SetCheck(page, IDX_NOTRIK_SHOW, options.NotrikTypeD != 0);
  SetCheck(page, IDX_NOTRIK_COLOR, options.NotrikTypeC != 0);
  SetCheck(page, IDX_SECRET, options.Secret != 0);
  EnableControl(page, IDB_SECRET_REGISTER, options.Secret != 0);
  // The mark the cipher uses is the first byte; a double-byte one shows whole.
  char mark[3] = "";
  CopyText(mark, options.PassChar, IsLeadByte(static_cast<unsigned char>(options.PassChar[0])) ? 3 : 2);
  SetDlgItemTextA(page, IDE_SECRET_MARK, mark);
}

void ApplyOtherPage(HWND page, OptionsSheet& sheet) {
  Options& options = sheet.options;
  char typed[kProfileNameSize * 2] = "";
  GetWindowTextA(ProfileList(page), typed, sizeof typed);
  CopyText(options.profileName, typed, sizeof options.profileName);
  options.OptDef &= ~(kShareRegularBit | kShareCategoriesBit);
  if (IsChecked(page, IDX_SHARE_REGULAR)) options.OptDef |= kShareRegularBit;
  if (IsChecked(page, IDX_SHARE_CATEGORIES)) options.OptDef |= kShareCategoriesBit;
  for (int k = 0; k < kMemoPages; ++k) {
    ReadEdit(page, IDE_MEMO_FILE_FIRST + k, options.MemoFile[k]);
    ReadEdit(page, IDE_MEMO_TITLE_FIRST + k, options.MemoFTitle[k]);
    options.MemoRTF[k] = IsChecked(page, IDX_MEMO_RTF_FIRST + k) ? 1 : 0;
  }
  options.Notrik = IsChecked(page, IDX_NOTRIK) ? 1 : 0;
  ReadEdit(page, IDE_NOTRIK_PATH, options.NotrikDir);
  for (int type = 0; type < 3; ++type) {
    if (IsChecked(page, IDR_NOTRIK_CATEGORY1 + type)) options.NotrikType = type;
  }
  options.NotrikTypeD = IsChecked(page, IDX_NOTRIK_SHOW) ? 1 : 0;
  options.NotrikTypeC = IsChecked(page, IDX_NOTRIK_COLOR) ? 1 : 0;
  options.Secret = IsChecked(page, IDX_SECRET) ? 1 : 0;
}

bool ValidateOtherPage(HWND page, const OptionsSheet&, char (&message)[kPendingMessageSize]) {
  char typed[kProfileNameSize * 2] = "";
  GetWindowTextA(ProfileList(page), typed, sizeof typed);
  if (UsableProfileName(typed)) return true;
  CopyText(message, kBadProfileName, sizeof message);
  return false;
}

void RefuseProfileName(HWND page) {
  ShowMessage(page, MessageKind::Stop, kBadProfileName);
  PutCaretIn(page, IDC_PROFILE_LIST);
}

// Every page shows the loaded profile; an error found on the pages before
// was about values that are no longer shown.
void ShowLoadedProfile(OptionsSheet& sheet) {
  sheet.state.pendingPage = 0;
  sheet.state.pendingMessage[0] = '\0';
  RefillOptionsPages(sheet);
}

void LoadProfile(HWND page, OptionsSheet& sheet, bool fromList) {
  char name[kProfileNameSize];
  ChosenProfile(page, name, fromList);
  if (!UsableProfileName(name)) {
    RefuseProfileName(page);
    return;
  }
  if (ShowMessage(page, MessageKind::YesNo, kLoadQuestion) != MessageAnswer::Yes) {
    // Left showing, the chosen name would become this profile's on OK and
    // take these settings over its own.
    if (fromList) FillProfileList(page, sheet);
    return;
  }
  if (name[0] == '\0') return;
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  CopyText(sheet.options.profileName, name, sizeof sheet.options.profileName);
  sheet.store.SelectSection(name, true);
  LoadOptions(sheet.options, sheet.store, name);
  ShowLoadedProfile(sheet);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

// From the list, only a choice of another profile loads. The list closed
// over a typed name (its edit no longer shows the entry) chose nothing.
void OnProfileChosen(HWND page, OptionsSheet& sheet, bool closedUp) {
  HWND list = ProfileList(page);
  if (SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0)) return;  // still choosing
  if (SendMessageA(list, CB_GETCURSEL, 0, 0) == CB_ERR) return;
  char name[kProfileNameSize];
  ChosenProfile(page, name, true);
  if (closedUp) {
    char shown[kProfileNameSize];
    ChosenProfile(page, shown, false);
    if (std::strcmp(shown, name) != 0) return;
  }
  if (!SameSettingsName(name, sheet.options.profileName)) LoadProfile(page, sheet, true);
}

void DeleteProfile(HWND page, OptionsSheet& sheet) {
  HWND list = ProfileList(page);
  char name[kProfileNameSize];
  ChosenProfile(page, name, false);
  const LRESULT at = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
  if (at == CB_ERR || !MayDelete(page, name)) return;
  if (ShowMessage(page, MessageKind::YesNo, kDeleteQuestion) != MessageAnswer::Yes) return;
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  SendMessageA(list, CB_DELETESTRING, static_cast<WPARAM>(at), 0);
  sheet.store.DeleteSection(name);
  SendMessageA(list, CB_SETCURSEL, 0, 0);
  char first[kProfileNameSize];
  ChosenProfile(page, first, true);
  sheet.store.SelectSection(first, true);
  LoadOptions(sheet.options, sheet.store, first);
  ShowLoadedProfile(sheet);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

void ChooseNotrikProgram(HWND page) {
  char path[kPathTextSize] = "";
  GetDlgItemTextA(page, IDE_NOTRIK_PATH, path, sizeof path);
  if (path[0] == '\0') {
    GetCurrentDirectoryA(sizeof path, path);
    std::strncat(path, kNotrikProgram, sizeof path - std::strlen(path) - 1);
  }
  ChooseFileInto(page, IDE_NOTRIK_PATH, path);
}

void OnOtherPageCommand(HWND page, OptionsSheet& sheet, int id, int code) {
  if (id == kFocusInvalidField) {
    PutCaretIn(page, IDC_PROFILE_LIST);
    return;
  }
  if (id == IDC_PROFILE_LIST) {
    if (code == CBN_SELCHANGE || code == CBN_CLOSEUP) OnProfileChosen(page, sheet, code == CBN_CLOSEUP);
    return;
  }
  if (code != BN_CLICKED) return;
  if (id >= IDB_MEMO_FILE_CHOOSE_FIRST && id < IDB_MEMO_FILE_CHOOSE_FIRST + kMemoPages) {
    ChooseFileInto(page, IDE_MEMO_FILE_FIRST + (id - IDB_MEMO_FILE_CHOOSE_FIRST));
    return;
  }
  switch (id) {
    case IDB_PROFILE_LOAD: LoadProfile(page, sheet, false); break;
    case IDB_PROFILE_DELETE: DeleteProfile(page, sheet); break;
    case IDB_NOTRIK_CHOOSE: ChooseNotrikProgram(page); break;
    case IDX_SECRET: EnableControl(page, IDB_SECRET_REGISTER, IsChecked(page, IDX_SECRET)); break;
    case IDB_SECRET_REGISTER:
      if (sheet.services.registerPassword) sheet.services.registerPassword(SheetWindowOf(page));
      break;
    default: break;
  }
}

}  // namespace

const OptionsPageHandlers kRegularPageHandlers{FillRegularPage, ApplyRegularPage, ValidateRegularPage,
                                               OnRegularPageCommand};
const OptionsPageHandlers kTemporaryPageHandlers{FillTemporaryPage, ApplyTemporaryPage, nullptr,
                                                 OnTemporaryPageCommand};
const OptionsPageHandlers kOtherPageHandlers{FillOtherPage, ApplyOtherPage, ValidateOtherPage,
                                             OnOtherPageCommand};

}  // namespace hiyomi
