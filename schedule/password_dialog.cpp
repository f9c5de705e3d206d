#include "schedule/password_dialog.h"

#include "resources/passdlg_ids.h"
#include "schedule/message_prompts.h"
#include "settings/settings_store.h"
#include "base/win/ui_helpers.h"

namespace hiyomi {
namespace {

constexpr int kRaiseShowBox = 10;  // pixels, where the confirmation row was

struct PasswordDialogState {
  bool registering;
  SecretTexts* secrets;
  SettingsStore* store;
};

void ReadEdit(HWND dialog, int id, char (&buffer)[kPasswordMaxChars * 2 + 2]) {
  buffer[0] = '\0';
  GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
}

void ShowPlainText(HWND dialog, bool plain) {
  for (int id : {IDE_PASS_PASSWORD, IDE_PASS_CONFIRM}) {
    HWND edit = GetDlgItem(dialog, id);
    SendMessageA(edit, EM_SETPASSWORDCHAR, plain ? 0 : '*', 0);
    InvalidateRect(edit, nullptr, TRUE);
  }
}

INT_PTR OnInitDialog(HWND dialog, PasswordDialogState* state) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  CenterWindow(dialog, true);
  for (int id : {IDE_PASS_PASSWORD, IDE_PASS_CONFIRM}) {
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kPasswordMaxChars, 0);
  }
  ShowPlainText(dialog, false);
  if (!state->registering) {
    ShowWindow(GetDlgItem(dialog, IDE_PASS_CONFIRM), SW_HIDE);
    ShowWindow(GetDlgItem(dialog, IDT_PASS_CONFIRM), SW_HIDE);
    HWND box = GetDlgItem(dialog, IDX_PASS_SHOW);
    RECT r;
    GetWindowRect(box, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(box, nullptr, r.left, r.top - kRaiseShowBox, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  return TRUE;
}

void OnOk(HWND dialog, PasswordDialogState* state) {
  char password[kPasswordMaxChars * 2 + 2];
  char confirm[kPasswordMaxChars * 2 + 2];
  ReadEdit(dialog, IDE_PASS_PASSWORD, password);
  ReadEdit(dialog, IDE_PASS_CONFIRM, confirm);
  MessagePrompts prompts(dialog);
  const PasswordStep step = ConfirmPassword(state->registering, password, confirm, *state->secrets,
                                            *state->store, prompts, GetTickCount() ^ GetCurrentProcessId());
  SecureZeroMemory(password, sizeof password);
  SecureZeroMemory(confirm, sizeof confirm);
  switch (step) {
    case PasswordStep::KeepOpen:
      PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDE_PASS_PASSWORD)), TRUE);
      break;
    case PasswordStep::CloseFailed:
      EndDialog(dialog, 0);
      break;
    case PasswordStep::CloseUnlocked:
      EndDialog(dialog, kUnlocked);
      break;
  }
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  auto* state = reinterpret_cast<PasswordDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
  switch (LOWORD(wParam)) {
    case IDB_PASS_OK:
      OnOk(dialog, state);
      return TRUE;
    case IDB_PASS_CANCEL:
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
    case IDX_PASS_SHOW:
      ShowPlainText(dialog, IsDlgButtonChecked(dialog, IDX_PASS_SHOW) == BST_CHECKED);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK PasswordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<PasswordDialogState*>(lParam));
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace

int RunPasswordDialog(HWND owner, bool registering, SecretTexts& secrets, SettingsStore& store) {
  MessagePrompts prompts(owner);
  PasswordDialogState state{OpenPasswordDialog(registering, secrets, store, prompts), &secrets, &store};
  const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), IDD_PASSDLG, owner,
                                         PasswordDialogProc, reinterpret_cast<LPARAM>(&state));
  return result == kUnlocked ? kUnlocked : 0;
}

void WindowSecretPrompts::Tell(const char* text) noexcept { MessagePrompts(owner_).Tell(text); }

bool WindowSecretPrompts::AskYesNo(const char* text) noexcept { return MessagePrompts(owner_).AskYesNo(text); }

void WindowSecretPrompts::AskForPassword() noexcept { RunPasswordDialog(owner_, false, secrets_, store_); }

}  // namespace hiyomi
