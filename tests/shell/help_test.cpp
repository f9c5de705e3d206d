// Help through the HTML Help control: found through its registered class
// or by name, and silent when it cannot be had.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "shell/help_win.h"

namespace hiyomi {

namespace {

constexpr char kNoSuchClass[] =
    "CLSID\\{00000000-1111-2222-3333-444444444444}\\InprocServer32";

int ThreadWindowCount() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM counter) -> BOOL {
        if (IsWindowVisible(window)) ++*reinterpret_cast<int*>(counter);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

class Help : public ::testing::Test {
 protected:
  void TearDown() override { SetHelpLibraryForTests(nullptr, nullptr); }
};

TEST_F(Help, MissingLibraryMakesEveryCallSilent) {
  const struct {
    const char* fallback;
    const char* module;  // what must not stay loaded
  } cases[] = {
      {"hiyomi-no-such-help.ocx", "hiyomi-no-such-help.ocx"},
      // Loads, but has no export with ordinal 14.
      {"msimg32.dll", "msimg32.dll"},
  };
  for (const auto& c : cases) {
    SetHelpLibraryForTests(kNoSuchClass, c.fallback);
    const int before = ThreadWindowCount();
    InitializeHelp();
    EXPECT_EQ(HtmlHelpCall(nullptr, nullptr, kHelpDisplayToc, 0), nullptr) << c.fallback;
    ShowProgramHelp();
    CloseHelpWindows();
    UninitializeHelp();
    EXPECT_EQ(ThreadWindowCount(), before) << c.fallback;
    EXPECT_EQ(GetModuleHandleA(c.module), nullptr) << c.fallback;
  }
}

TEST_F(Help, TheRegisteredControlComesFirstThenTheFileByName) {
  const struct {
    const char* registryKey;
    const char* fallback;
  } cases[] = {
      {nullptr, "hiyomi-no-such-help.ocx"},
      {kNoSuchClass, nullptr},
  };
  for (const auto& c : cases) {
    SetHelpLibraryForTests(c.registryKey, c.fallback);
    ASSERT_EQ(GetModuleHandleA("hhctrl.ocx"), nullptr);
    CloseHelpWindows();  // nothing open: only looks
    EXPECT_NE(GetModuleHandleA("hhctrl.ocx"), nullptr) << (c.registryKey ? "by name" : "registered");
    SetHelpLibraryForTests(nullptr, nullptr);  // unloads it again
  }
}

TEST(HelpTopic, ProgramPathWithTheHelpFileExtension) {
  const struct {
    const char* program;
    const char* topic;
  } cases[] = {
      {"C:\\Program Files\\Hiyomi\\Hiyomi.exe",
       "C:\\Program Files\\Hiyomi\\Hiyomi.chm::/_RESOURCE/help001.html > HelpWin"},
      {"C:\\cal.v2\\Hiyomi", "C:\\cal.v2\\Hiyomi.chm::/_RESOURCE/help001.html > HelpWin"},
      {"D:\\Hiyomi.old.exe", "D:\\Hiyomi.old.chm::/_RESOURCE/help001.html > HelpWin"},
  };
  for (const auto& c : cases) {
    char topic[MAX_PATH + 64];
    HelpTopicOf(c.program, topic, sizeof topic);
    EXPECT_STREQ(topic, c.topic);
  }
}

}  // namespace

}  // namespace hiyomi
