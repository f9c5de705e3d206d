// Secret texts: the stored form, the lock states and the password checks.
#include <gtest/gtest.h>

#include <cstring>

#include "schedule/rc4.h"
#include "schedule/records.h"
#include "schedule/secret_text.h"
#include "schedule/year_store.h"
#include "schedule_fixtures.h"
#include "settings/memory_backend.h"
#include "settings/settings_store.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

class Prompts : public SecretPrompts {
 public:
  explicit Prompts(SecretTexts& secrets) : secrets_(secrets) {}
  void Tell(const char* text) noexcept override { told.emplace_back(text); }
  bool AskYesNo(const char* text) noexcept override {
    asked.emplace_back(text);
    return yes;
  }
  void AskForPassword() noexcept override {
    ++dialogs;
    secrets_.SetLockState(kLocked);
    if (!password.empty()) {
      secrets_.Cipher().DeriveKey(password.c_str());
      secrets_.SetLockState(kUnlocked);
    }
  }
  std::vector<std::string> told, asked;
  bool yes = false;
  int dialogs = 0;
  std::string password;  // empty: the dialog is cancelled

 private:
  SecretTexts& secrets_;
};

struct Field {
  char bytes[kEntryTextSize] = {};
  explicit Field(const char* text) { std::strncpy(bytes, text, sizeof bytes - 1); }
};

class SecretTextTest : public ::testing::Test {
 protected:
  SecretTextTest() {
    store_.Attach(std::make_unique<MemorySettingsBackend>(), "Profile");
  }
  void Unlock(const char* password) {
    secrets_.Cipher().DeriveKey(password);
    secrets_.SetLockState(kUnlocked);
  }
  SecretTexts secrets_;
  Prompts prompts_{secrets_};
  SettingsStore store_;
};

TEST_F(SecretTextTest, StoredFormAndBothMarkModes) {
  Unlock("pw");
  Field f("&abc");
  secrets_.EncipherText(f.bytes, prompts_);
  EXPECT_EQ(f.bytes[0], '&');
  EXPECT_EQ(f.bytes[1], 0x01);
  EXPECT_EQ(f.bytes[2], 4);
  // The cipher bytes are RC4 over the text after the mark and the mark.
  uint8_t expected[4] = {'a', 'b', 'c', '&'};
  const CipherKey key = KeyOfPassword("pw");
  Rc4(key.data(), key.size()).Apply(expected, 4);
  EXPECT_EQ(std::memcmp(f.bytes + 3, expected, 4), 0);
  // The same bytes worked out apart from this code (see crypto_test.cpp).
  const uint8_t literal[4] = {0x10, 0x65, 0x21, 0xac};
  EXPECT_EQ(std::memcmp(f.bytes + 3, literal, 4), 0);
  EXPECT_EQ(f.bytes[7], 0);

  Field keep = f, drop = f;
  EXPECT_EQ(secrets_.DecipherText(keep.bytes, MarkMode::Keep), 0);
  EXPECT_STREQ(keep.bytes, "&abc");
  EXPECT_EQ(secrets_.DecipherText(drop.bytes, MarkMode::Drop), 0);
  EXPECT_STREQ(drop.bytes, "abc");
  // Enciphering again leaves the stored form alone.
  Field again = f;
  secrets_.EncipherText(again.bytes, prompts_);
  EXPECT_EQ(std::memcmp(again.bytes, f.bytes, kEntryTextSize), 0);
}

TEST_F(SecretTextTest, LongTextKeeps36BytesAfterTheMark) {
  Unlock("pw");
  const std::string text = "&" + std::string("0123456789012345678901234567890123456789").substr(0, 39);
  Field f(text.c_str());
  secrets_.EncipherText(f.bytes, prompts_);
  EXPECT_EQ(f.bytes[2], 37);
  EXPECT_EQ(secrets_.DecipherText(f.bytes, MarkMode::Keep), 0);
  EXPECT_EQ(std::string(f.bytes), text.substr(0, 37));
}

TEST_F(SecretTextTest, TheCutNeverSplitsADoubleByteCharacter) {
  Unlock("pw");
  // After the mark: 35 single bytes, then "あ" across bytes 36 and 37.
  const std::string head = "&" + std::string(35, 'x');
  Field f((head + "あい").c_str());
  secrets_.EncipherText(f.bytes, prompts_);
  EXPECT_EQ(f.bytes[2], 36);  // the lead byte went with its character
  EXPECT_EQ(secrets_.DecipherText(f.bytes, MarkMode::Keep), 0);
  EXPECT_EQ(std::string(f.bytes), head);
  // Eighteen double-byte characters fit exactly.
  std::string wide = "&";
  for (int i = 0; i < 19; ++i) wide += "あ";
  Field w(wide.c_str());
  secrets_.EncipherText(w.bytes, prompts_);
  EXPECT_EQ(secrets_.DecipherText(w.bytes, MarkMode::Keep), 0);
  EXPECT_EQ(std::string(w.bytes), wide.substr(0, 37));
}

TEST_F(SecretTextTest, OnlyTextsStartingWithTheMarkAreEnciphered) {
  for (int state : {kLockOff, kLocked, kUnlocked}) {
    if (state == kUnlocked) Unlock("pw"); else secrets_.SetLockState(state);
    Field f("a&bc");
    secrets_.EncipherText(f.bytes, prompts_);
    EXPECT_STREQ(f.bytes, "a&bc");
  }
  secrets_.SetMark('#');
  Field f("&abc");
  secrets_.EncipherText(f.bytes, prompts_);
  EXPECT_STREQ(f.bytes, "&abc");
  EXPECT_EQ(prompts_.dialogs, 0);
}

TEST_F(SecretTextTest, LockedDataAsksForThePasswordFirst) {
  secrets_.SetLockState(kLocked);
  Field f("&abc");
  secrets_.EncipherText(f.bytes, prompts_);  // cancelled: stays plain
  EXPECT_STREQ(f.bytes, "&abc");
  EXPECT_EQ(prompts_.told, std::vector<std::string>{"暗号化用のパスワードを入力してください。　　"});
  prompts_.password = "pw";
  secrets_.EncipherText(f.bytes, prompts_);
  EXPECT_EQ(f.bytes[1], 0x01);
  EXPECT_EQ(prompts_.dialogs, 2);
}

TEST_F(SecretTextTest, DecipherByLockState) {
  Unlock("right");
  Field stored("&secret");
  secrets_.EncipherText(stored.bytes, prompts_);

  char shown[kEntryTextSize];
  EXPECT_TRUE(secrets_.ViewText(stored.bytes, shown));
  EXPECT_STREQ(shown, "secret");
  secrets_.SetLockState(kLocked);
  EXPECT_FALSE(secrets_.Cipher().Live());
  EXPECT_FALSE(secrets_.ViewText(stored.bytes, shown));
  Field f = stored;
  EXPECT_EQ(secrets_.DecipherText(f.bytes, MarkMode::Drop), kDecipherLocked);
  EXPECT_EQ(std::memcmp(f.bytes, stored.bytes, kEntryTextSize), 0);

  // The option off: the view shows nothing, dialogs the stored bytes.
  secrets_.FollowOption(false);
  f = stored;
  EXPECT_EQ(secrets_.DecipherText(f.bytes, MarkMode::Keep), 0);
  EXPECT_EQ(std::memcmp(f.bytes, stored.bytes, kEntryTextSize), 0);
  EXPECT_EQ(secrets_.DecipherText(f.bytes, MarkMode::Drop), 0);
  EXPECT_EQ(f.bytes[0], 0);

  Unlock("wrong");
  f = stored;
  EXPECT_EQ(secrets_.DecipherText(f.bytes, MarkMode::Keep), kDecipherCheckFailed);
  EXPECT_EQ(std::memcmp(f.bytes, stored.bytes, kEntryTextSize), 0);
}

TEST_F(SecretTextTest, FollowOption) {
  secrets_.FollowOption(true);
  EXPECT_EQ(secrets_.LockState(), kLocked);
  Unlock("pw");
  secrets_.FollowOption(true);
  EXPECT_EQ(secrets_.LockState(), kUnlocked);
  secrets_.FollowOption(false);
  EXPECT_EQ(secrets_.LockState(), kLockOff);
  EXPECT_FALSE(secrets_.Cipher().Live());
}

TEST_F(SecretTextTest, SettingsGiveTheMark) {
  auto backend = std::make_unique<MemorySettingsBackend>();
  backend->Write("Default", "PassChar", "#x");
  backend->Write("Default", "Secret", "1");
  store_.Attach(std::move(backend), "Profile");
  secrets_.LoadSettings(store_);
  EXPECT_EQ(secrets_.Mark(), '#');
  EXPECT_EQ(secrets_.LockState(), kLocked);
  store_.WriteString("PassChar", "", kDefaultSection);
  secrets_.LoadSettings(store_);
  EXPECT_EQ(secrets_.Mark(), '#');  // an empty value keeps the mark
}

TEST(Verifier, GroupsAndShortPasswords) {
  const std::array<uint8_t, 4> check = CheckValueOf("ab");  // "ab**" enciphered
  uint8_t expected[4] = {'a', 'b', '*', '*'};
  const CipherKey key = KeyOfPassword("ab");
  Rc4(key.data(), key.size()).Apply(expected, 4);
  EXPECT_EQ(std::memcmp(check.data(), expected, 4), 0);
  const uint8_t literal[4] = {0xbf, 0xc1, 0xfc, 0x0a};  // worked out apart (crypto_test.cpp)
  EXPECT_EQ(std::memcmp(check.data(), literal, 4), 0);

  const std::string v = FormatVerifier(check, 12345);
  ASSERT_EQ(v.size(), 36u);
  EXPECT_EQ(std::stoi(v.substr(6, 3)), check[2]);
  EXPECT_EQ(std::stoi(v.substr(12, 3)), check[1]);
  EXPECT_EQ(std::stoi(v.substr(24, 3)), check[0]);
  EXPECT_EQ(std::stoi(v.substr(30, 3)), check[3]);
  EXPECT_TRUE(VerifierMatches(v.c_str(), check));
  EXPECT_NE(FormatVerifier(check, 1), FormatVerifier(check, 2));
  EXPECT_FALSE(VerifierMatches(v.c_str(), CheckValueOf("ac")));
  EXPECT_FALSE(VerifierMatches(v.substr(0, 35).c_str(), check));
  EXPECT_FALSE(VerifierMatches("", check));
}

TEST_F(SecretTextTest, PasswordDialogRegistersAndChecks) {
  Unlock("before");
  // Entering with nothing registered offers to register.
  prompts_.yes = true;
  EXPECT_TRUE(OpenPasswordDialog(false, secrets_, store_, prompts_));
  EXPECT_EQ(prompts_.asked, std::vector<std::string>{"パスワード未登録です。登録しますか？　　"});
  EXPECT_EQ(secrets_.LockState(), kLocked);  // opening locks

  EXPECT_EQ(ConfirmPassword(true, "", "", secrets_, store_, prompts_, 1), PasswordStep::KeepOpen);
  EXPECT_EQ(ConfirmPassword(true, "abc", "abd", secrets_, store_, prompts_, 1), PasswordStep::KeepOpen);
  EXPECT_EQ(prompts_.told, (std::vector<std::string>{"パスワードを入力してください。　　",
                                                     "パスワードが一致しません。　　"}));
  EXPECT_EQ(secrets_.LockState(), kLocked);
  EXPECT_EQ(ConfirmPassword(true, "abc", "abc", secrets_, store_, prompts_, 1),
            PasswordStep::CloseUnlocked);
  char pass[64];
  store_.ReadString("Pass", "", pass, sizeof pass, kDefaultSection);
  EXPECT_TRUE(VerifierMatches(pass, CheckValueOf("abc")));
  EXPECT_EQ(secrets_.LockState(), kUnlocked);

  // Entering: a registered verifier asks nothing on opening.
  prompts_.asked.clear();
  EXPECT_FALSE(OpenPasswordDialog(false, secrets_, store_, prompts_));
  EXPECT_TRUE(prompts_.asked.empty());
  EXPECT_EQ(ConfirmPassword(false, "abc", "", secrets_, store_, prompts_, 1), PasswordStep::CloseUnlocked);
  EXPECT_TRUE(prompts_.asked.empty());
}

TEST_F(SecretTextTest, WrongPasswordAcceptedLeavesOldTextsHidden) {
  store_.WriteString("Pass", FormatVerifier(CheckValueOf("right"), 7).c_str(), kDefaultSection);
  Unlock("right");
  Field old("&old");
  secrets_.EncipherText(old.bytes, prompts_);
  const Field stored = old;

  OpenPasswordDialog(false, secrets_, store_, prompts_);
  prompts_.yes = true;  // try again
  EXPECT_EQ(ConfirmPassword(false, "wrong", "", secrets_, store_, prompts_, 1), PasswordStep::KeepOpen);
  EXPECT_EQ(prompts_.asked.back(), "登録パスワードと一致しません。再入力しますか？　　");
  EXPECT_EQ(secrets_.LockState(), kLocked);
  prompts_.yes = false;  // go on with it
  EXPECT_EQ(ConfirmPassword(false, "wrong", "", secrets_, store_, prompts_, 1), PasswordStep::CloseUnlocked);

  Field f = stored;
  EXPECT_EQ(secrets_.DecipherText(f.bytes, MarkMode::Drop), kDecipherCheckFailed);
  EXPECT_EQ(std::memcmp(f.bytes, stored.bytes, kEntryTextSize), 0);
  // The stored form passes through another store untouched.
  secrets_.EncipherText(f.bytes, prompts_);
  EXPECT_EQ(std::memcmp(f.bytes, stored.bytes, kEntryTextSize), 0);
  // New texts use the typed password.
  Field fresh("&new");
  secrets_.EncipherText(fresh.bytes, prompts_);
  EXPECT_EQ(secrets_.DecipherText(fresh.bytes, MarkMode::Drop), 0);
  EXPECT_STREQ(fresh.bytes, "new");
}

TEST_F(SecretTextTest, LockedTextSurvivesAStoreOfItsDay) {
  ScratchDir dir("LockedText");
  ScriptedPrompts prompts;
  YearStore store(SystemDataFiles(), prompts);
  ASSERT_TRUE(store.Open(dir.Base(), 2026));
  const int32_t day = SerialOfNewYear(2026) + 20;

  Unlock("pw");
  DayRecord record = FreshDayRecord(day);
  record.entries[0] = MakeEntry("&hidden");
  record.entries[1] = MakeEntry("plain");
  secrets_.EncipherText(record.entries[0].text, prompts_);
  store.StoreDayRecord(record, day, {});
  const Bytes before = ReadBytes(YearFileName(dir.Base(), 2026));

  // Locked: the dialog edits the other row and enciphers every row on storing.
  secrets_.SetLockState(kLocked);
  DayRecord working;
  ASSERT_TRUE(store.GetDayRecord(day, working));
  char shown[kEntryTextSize];
  std::memcpy(shown, working.entries[0].text, sizeof shown);
  EXPECT_EQ(secrets_.DecipherText(shown, MarkMode::Keep), kDecipherLocked);
  std::strcpy(working.entries[1].text, "edited");
  for (ScheduleEntry& e : working.entries) secrets_.EncipherText(e.text, prompts_);
  store.StoreDayRecord(working, day, {});
  EXPECT_EQ(prompts_.dialogs, 0);

  const Bytes after = ReadBytes(YearFileName(dir.Base(), 2026));
  ASSERT_EQ(after.size(), before.size());
  const size_t first = 1600 + 80;  // entry 0 of the only record
  EXPECT_TRUE(std::equal(before.begin() + first, before.begin() + first + 64, after.begin() + first));
  Unlock("pw");
  ASSERT_TRUE(store.GetDayRecord(day, working));
  EXPECT_EQ(secrets_.DecipherText(working.entries[0].text, MarkMode::Drop), 0);
  EXPECT_STREQ(working.entries[0].text, "hidden");
}

}  // namespace
}  // namespace hiyomi
