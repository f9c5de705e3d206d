#include "setup/setup_window.h"

#include <algorithm>
#include <string>

#include "base/message_box.h"
#include "base/path_text.h"
#include "base/win/folder_choice.h"
#include "base/win/gdi_objects.h"
#include "resources/setup/setup_window_ids.h"
#include "setup/install_files_win.h"
#include "setup/install_plan.h"

namespace hiyomi {
namespace {

constexpr int kFontPoints = 10;
constexpr char kFontFace[] = "ＭＳ Ｐゴシック";
constexpr int kWindowWidth = 483;
constexpr int kWindowHeight = 294;
// The centring leaves the window's own shadow out of its size.
constexpr int kCentringWidth = 463;
constexpr int kCentringHeight = 284;
constexpr int kFirstRowY = 65;
constexpr int kRowHeight = 25;

enum class ControlKind { kLabel, kReadOnlyEdit, kButton, kDefaultButton, kFrame, kVersion,
                         kFirstRadio, kRadio, kCheckBox };

struct ControlSpec {
  int id;  // -1: not addressed
  ControlKind kind;
  const char* text;
  int x, y, width, height;  // pixels of the client area; a row's y is added
  bool underRows = false;   // drawn without a background (see OnControlColor)
};

constexpr ControlSpec kFixedControls[] = {
    {-1, ControlKind::kLabel, "ディレクトリ", 10, 12, 65, 16},
    {IDE_SETUP_TARGET, ControlKind::kReadOnlyEdit, "", 75, 10, 355, 20},
    {IDB_SETUP_BROWSE, ControlKind::kButton, "変更", 430, 10, 40, 20},
    {-1, ControlKind::kFrame, "", 6, 37, 464, 180, true},
    {-1, ControlKind::kLabel, "ファイル　　　　　既存　　　　バージョンアップ処理", 35, 42, 300, 160, true},
};

// Row i: ids plus i × IDC_SETUP_ROW_STEP, y plus the row's top. The name's
// text is the file's.
constexpr ControlSpec kRowControls[] = {
    {-1, ControlKind::kLabel, nullptr, 15, 0, 100, 20},
    {IDT_SETUP_VERSION, ControlKind::kVersion, "", 120, 0, 40, 20},
    {IDR_SETUP_SKIP, ControlKind::kFirstRadio, "しない", 170, 0, 52, 20},
    {IDR_SETUP_ADD, ControlKind::kRadio, "追加", 230, 0, 50, 20},
    {IDR_SETUP_OVERWRITE, ControlKind::kRadio, "上書", 290, 0, 50, 20},
    {IDX_SETUP_BACKUP, ControlKind::kCheckBox, "バックアップ作成", 350, 0, 110, 20},
};

constexpr ControlSpec kBottomControls[] = {
    {IDB_SETUP_CANCEL, ControlKind::kDefaultButton, "キャンセル", 6, 230, 80, 24},
    {IDB_SETUP_RUN, ControlKind::kButton, "実行", 170, 230, 80, 24},
    {IDX_SETUP_DELETE_SOURCES, ControlKind::kCheckBox, "実行後セットアップ用ファイル削除", 260, 230, 200, 24},
};

struct SetupState {
  std::string target;
  Font font;
  HWND underRows[2] = {};  // the frame and the heading
};

int todayMonthForTests = 0;
int todayDayForTests = 0;

SetupState* StateOf(HWND dialog) {
  return reinterpret_cast<SetupState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

int RowId(int firstRowId, int row) { return firstRowId + row * IDC_SETUP_ROW_STEP; }

// The row whose control sent `id`, with the id of that control in row 0.
bool RowOfControl(int id, int& row, int& firstRowId) {
  for (int i = 0; i < kFileCount; ++i) {
    const int offset = id - RowId(IDT_SETUP_VERSION, i);
    if (offset >= 0 && offset <= IDX_SETUP_BACKUP - IDT_SETUP_VERSION) {
      row = i;
      firstRowId = IDT_SETUP_VERSION + offset;
      return true;
    }
  }
  return false;
}

DWORD StyleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel: return SS_LEFT;
    case ControlKind::kReadOnlyEdit: return WS_BORDER | ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP;
    case ControlKind::kButton: return BS_PUSHBUTTON | WS_TABSTOP;
    case ControlKind::kDefaultButton: return BS_DEFPUSHBUTTON | WS_TABSTOP;
    case ControlKind::kFrame: return SS_ETCHEDFRAME;
    case ControlKind::kVersion: return SS_LEFT | SS_SUNKEN | SS_CENTERIMAGE;
    case ControlKind::kFirstRadio: return BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP;
    case ControlKind::kRadio: return BS_AUTORADIOBUTTON;
    case ControlKind::kCheckBox: return BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP;
  }
  return 0;
}

const char* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kReadOnlyEdit: return "EDIT";
    case ControlKind::kLabel:
    case ControlKind::kFrame:
    case ControlKind::kVersion: return "STATIC";
    default: return "BUTTON";
  }
}

HWND CreateControl(HWND dialog, const ControlSpec& spec, const char* text, int dy, HFONT font) {
  // Labels start a group of their own, so a row's radios never join the next.
  DWORD style = WS_CHILD | WS_VISIBLE | StyleOf(spec.kind);
  if (spec.kind == ControlKind::kLabel) style |= WS_GROUP;
  HWND control = CreateWindowExA(0, ClassOf(spec.kind), text, style, spec.x, spec.y + dy, spec.width,
                                 spec.height, dialog,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)),
                                 nullptr);
  if (control != nullptr) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void CreateControls(HWND dialog, SetupState& state) {
  const HFONT font = state.font.get();
  int under = 0;
  for (const ControlSpec& spec : kFixedControls) {
    HWND control = CreateControl(dialog, spec, spec.text, 0, font);
    if (spec.underRows && under < 2) state.underRows[under++] = control;
  }
  for (int i = 0; i < kFileCount; ++i) {
    const int dy = kFirstRowY + kRowHeight * i;
    for (ControlSpec spec : kRowControls) {
      if (spec.id >= 0) spec.id = RowId(spec.id, i);
      const char* text = spec.text != nullptr ? spec.text : kDistributionFiles[static_cast<size_t>(i)].name;
      CreateControl(dialog, spec, text, dy, font);
    }
  }
  for (const ControlSpec& spec : kBottomControls) CreateControl(dialog, spec, spec.text, 0, font);
}

Font MakeFont(HWND dialog) {
  HDC dc = GetDC(dialog);
  const int height = -MulDiv(kFontPoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(dialog, dc);
  return Font(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, kFontFace));
}

void EnableControl(HWND dialog, int id, bool enabled) {
  EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

void RefreshFileList(HWND dialog) {
  SetupState& state = *StateOf(dialog);
  SetDlgItemTextA(dialog, IDE_SETUP_TARGET, state.target.c_str());
  for (int i = 0; i < kFileCount; ++i) {
    const DistributionFile& file = kDistributionFiles[static_cast<size_t>(i)];
    LocalStamp stamp{};
    const bool exists = ReadLocalStamp(JoinPath(state.target, file.name), stamp);
    const RowState row = RowStateOf(file, exists, exists ? FindVersion(stamp) : kNoVersion);
    SetDlgItemTextA(dialog, RowId(IDT_SETUP_VERSION, i), row.installedText.c_str());
    EnableControl(dialog, RowId(IDR_SETUP_SKIP, i), row.skipEnabled);
    EnableControl(dialog, RowId(IDR_SETUP_ADD, i), row.addEnabled);
    EnableControl(dialog, RowId(IDR_SETUP_OVERWRITE, i), row.overwriteEnabled);
    EnableControl(dialog, RowId(IDX_SETUP_BACKUP, i), false);
    for (int id : {IDR_SETUP_SKIP, IDR_SETUP_ADD, IDR_SETUP_OVERWRITE, IDX_SETUP_BACKUP}) {
      CheckDlgButton(dialog, RowId(id, i), BST_UNCHECKED);
    }
    switch (row.preselected) {
      case Choice::kSkip: CheckDlgButton(dialog, RowId(IDR_SETUP_SKIP, i), BST_CHECKED); break;
      case Choice::kAdd: CheckDlgButton(dialog, RowId(IDR_SETUP_ADD, i), BST_CHECKED); break;
      case Choice::kOverwrite: CheckDlgButton(dialog, RowId(IDR_SETUP_OVERWRITE, i), BST_CHECKED); break;
      case Choice::kNone: break;
    }
  }
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

InstallRequest RequestOf(HWND dialog) {
  InstallRequest request;
  char current[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof current, current);
  request.source = current;
  request.target = StateOf(dialog)->target;
  for (int i = 0; i < kFileCount; ++i) {
    RowChoice& row = request.rows[static_cast<size_t>(i)];
    if (Checked(dialog, RowId(IDR_SETUP_SKIP, i))) row.choice = Choice::kSkip;
    if (Checked(dialog, RowId(IDR_SETUP_ADD, i))) row.choice = Choice::kAdd;
    if (Checked(dialog, RowId(IDR_SETUP_OVERWRITE, i))) row.choice = Choice::kOverwrite;
    row.backup = Checked(dialog, RowId(IDX_SETUP_BACKUP, i));
  }
  request.deleteSources = Checked(dialog, IDX_SETUP_DELETE_SOURCES);
  SYSTEMTIME today{};
  GetLocalTime(&today);
  request.month = todayMonthForTests > 0 ? todayMonthForTests : today.wMonth;
  request.day = todayMonthForTests > 0 ? todayDayForTests : today.wDay;
  return request;
}

void OnBrowse(HWND dialog) {
  SetupState& state = *StateOf(dialog);
  std::string folder = state.target;
  if (!ChooseFolder(dialog, FolderChoice{"ディレクトリ変更", false}, folder)) return;
  state.target = folder;
  RefreshFileList(dialog);
}

void OnRun(HWND dialog) {
  SystemInstallFiles files;
  if (RunInstall(dialog, RequestOf(dialog), files)) EndDialog(dialog, TRUE);
}

// A backup is made only of a file being overwritten.
void OnRowChoice(HWND dialog, int row, int firstRowId) {
  if (firstRowId == IDR_SETUP_SKIP) EnableControl(dialog, RowId(IDX_SETUP_BACKUP, row), false);
  if (firstRowId == IDR_SETUP_OVERWRITE) EnableControl(dialog, RowId(IDX_SETUP_BACKUP, row), true);
}

void PlaceWindow(HWND dialog) {
  const int x = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - kCentringWidth) / 2);
  const int y = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - kCentringHeight) / 2);
  SetWindowPos(dialog, nullptr, x, y, kWindowWidth, kWindowHeight, SWP_NOZORDER);
}

INT_PTR OnInitDialog(HWND dialog, SetupState* state) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
  if (HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SETUP))) {
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  state->font = MakeFont(dialog);
  SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(state->font.get()), FALSE);
  CreateControls(dialog, *state);
  SendMessageA(dialog, DM_SETDEFID, IDB_SETUP_CANCEL, 0);
  PlaceWindow(dialog);
  RefreshFileList(dialog);
  SetFocus(GetDlgItem(dialog, IDB_SETUP_CANCEL));
  return FALSE;  // the focus is set
}

INT_PTR OnCommand(HWND dialog, int id, int code) {
  switch (id) {
    case IDB_SETUP_BROWSE: OnBrowse(dialog); return TRUE;
    case IDB_SETUP_RUN: OnRun(dialog); return TRUE;
    case IDB_SETUP_CANCEL:
    case IDCANCEL: EndDialog(dialog, FALSE); return TRUE;
    default: break;
  }
  int row = 0;
  int firstRowId = 0;
  if (code == BN_CLICKED && RowOfControl(id, row, firstRowId)) {
    OnRowChoice(dialog, row, firstRowId);
    return TRUE;
  }
  return FALSE;
}

// The frame and the tall heading lie under the rows: painted without a
// background they never cover a row's controls.
INT_PTR OnControlColor(HWND dialog, HDC dc, HWND control) {
  const SetupState* state = StateOf(dialog);
  if (state == nullptr || (control != state->underRows[0] && control != state->underRows[1])) {
    return FALSE;
  }
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<INT_PTR>(GetStockObject(HOLLOW_BRUSH));
}

INT_PTR CALLBACK SetupProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<SetupState*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_CTLCOLORSTATIC:
      return OnControlColor(dialog, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CLOSE: EndDialog(dialog, FALSE); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void SetSetupTodayForTests(int month, int day) {
  todayMonthForTests = month;
  todayDayForTests = day;
}

bool RunSetupWindow(HINSTANCE instance) {
  SetMessageCaption("Setup");
  SetupState state;
  char current[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof current, current);
  state.target = current;
  return DialogBoxParamA(instance, IDD_SETUP_MAIN, nullptr, SetupProc,
                         reinterpret_cast<LPARAM>(&state)) == TRUE;
}

}  // namespace hiyomi
