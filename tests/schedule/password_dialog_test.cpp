// The password dialog from its real template, driven by messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "resources/passdlg_ids.h"
#include "schedule/password_dialog.h"
#include "settings/memory_backend.h"
#include "base/message_box.h"
#include "settings/settings_store.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

class PasswordDialogTest : public ::testing::Test {
 protected:
  PasswordDialogTest() {
    store_.Attach(std::make_unique<MemorySettingsBackend>(), "Profile");
    SetMessageAnswererForTests([this](MessageKind kind, const char* text) {
      messages_.emplace_back(text);
      if (kind == MessageKind::YesNo) return yes_ ? MessageAnswer::Yes : MessageAnswer::No;
      return MessageAnswer::Ok;
    });
  }
  void TearDown() override { ExpectNoDriverPending(); }
  ~PasswordDialogTest() override { SetMessageAnswererForTests(nullptr); }

  static LONG BoxTop(HWND dialog) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, IDX_PASS_SHOW), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r.top;
  }
  // Where the template puts the check box (42 dialog units down).
  static LONG TemplateBoxTop(HWND dialog) {
    RECT r{0, 42, 0, 42};
    MapDialogRect(dialog, &r);
    return r.top;
  }

  SettingsStore store_;
  SecretTexts secrets_;
  std::vector<std::string> messages_;
  bool yes_ = false;
};

TEST_F(PasswordDialogTest, RegisteringShowsBothEditsAndStoresTheVerifier) {
  DriveNextDialog("パスワード入力", [this](HWND d) {
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(d, IDE_PASS_CONFIRM)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(d, IDT_PASS_CONFIRM)));
    EXPECT_EQ(BoxTop(d), TemplateBoxTop(d));
    EXPECT_EQ(SendDlgItemMessageA(d, IDE_PASS_PASSWORD, EM_GETPASSWORDCHAR, 0, 0), '*');
    Click(d, IDX_PASS_SHOW);
    EXPECT_EQ(SendDlgItemMessageA(d, IDE_PASS_PASSWORD, EM_GETPASSWORDCHAR, 0, 0), 0);
    SetDlgItemTextA(d, IDE_PASS_PASSWORD, "secret");
    SetDlgItemTextA(d, IDE_PASS_CONFIRM, "secreT");
    Click(d, IDB_PASS_OK);
    EXPECT_TRUE(IsWindow(d));  // mismatch keeps it open
    SetDlgItemTextA(d, IDE_PASS_CONFIRM, "secret");
    Click(d, IDB_PASS_OK);
  });
  EXPECT_EQ(RunPasswordDialog(nullptr, true, secrets_, store_), 2);
  EXPECT_EQ(messages_, std::vector<std::string>{"パスワードが一致しません。　　"});
  EXPECT_EQ(secrets_.LockState(), kUnlocked);
  char pass[64];
  store_.ReadString("Pass", "", pass, sizeof pass, kDefaultSection);
  EXPECT_TRUE(VerifierMatches(pass, CheckValueOf("secret")));
}

TEST_F(PasswordDialogTest, EnteringHidesTheConfirmationRow) {
  store_.WriteString("Pass", FormatVerifier(CheckValueOf("pw"), 3).c_str(), kDefaultSection);
  secrets_.Cipher().DeriveKey("old");
  secrets_.SetLockState(kUnlocked);
  DriveNextDialog("パスワード入力", [](HWND d) {
    EXPECT_EQ(BoxTop(d), TemplateBoxTop(d) - 10);  // up into the hidden row's place
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, IDE_PASS_CONFIRM)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, IDT_PASS_CONFIRM)));
    Click(d, IDB_PASS_OK);  // empty: stays open
    EXPECT_TRUE(IsWindow(d));
    Click(d, IDB_PASS_CANCEL);
  });
  // Cancelling locks even data that was unlocked before.
  EXPECT_EQ(RunPasswordDialog(nullptr, false, secrets_, store_), 0);
  EXPECT_EQ(secrets_.LockState(), kLocked);
  EXPECT_EQ(messages_, std::vector<std::string>{"パスワードを入力してください。　　"});

  DriveNextDialog("パスワード入力", [](HWND d) {
    SetDlgItemTextA(d, IDE_PASS_PASSWORD, "pw");
    Click(d, IDB_PASS_OK);
  });
  EXPECT_EQ(RunPasswordDialog(nullptr, false, secrets_, store_), 2);
  EXPECT_EQ(secrets_.LockState(), kUnlocked);
}

TEST_F(PasswordDialogTest, EnteringWithoutVerifierOffersToRegister) {
  yes_ = true;
  DriveNextDialog("パスワード入力", [](HWND d) {
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(d, IDE_PASS_CONFIRM)));
    Click(d, IDB_PASS_CANCEL);
  });
  EXPECT_EQ(RunPasswordDialog(nullptr, false, secrets_, store_), 0);
  EXPECT_EQ(messages_, std::vector<std::string>{"パスワード未登録です。登録しますか？　　"});
}

}  // namespace
}  // namespace hiyomi
