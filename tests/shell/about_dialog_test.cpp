// The About box from its real template, driven with messages from a timer
// that fires inside its modal loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "resources/about_dialog_ids.h"
#include "shell/about_dialog_win.h"

namespace hiyomi {

namespace {

std::function<void(HWND)> driver;
DWORD driveStart = 0;
constexpr DWORD kFindTimeoutMs = 10000;
constexpr char kAboutTitle[] = "バージョン情報";

BOOL CALLBACK RememberAboutBox(HWND window, LPARAM found) {
  char caption[64] = "";
  GetWindowTextA(window, caption, sizeof caption);
  if (!IsWindowVisible(window) || std::strcmp(caption, kAboutTitle) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "#32770") == 0) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

// The timer fires until the box is up: found by its title among this
// thread's windows, not taken to be whichever window is active.
void CALLBACK DriveBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), RememberAboutBox, reinterpret_cast<LPARAM>(&box));
  if (box == nullptr) {
    if (GetTickCount() - driveStart < kFindTimeoutMs) return;
    KillTimer(nullptr, timer);
    ADD_FAILURE() << "no window titled " << kAboutTitle << " within " << kFindTimeoutMs << " ms";
    EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);  // let ShowAbout return
    return;
  }
  KillTimer(nullptr, timer);
  char caption[64] = "";
  GetWindowTextA(box, caption, sizeof caption);
  EXPECT_STREQ(caption, kAboutTitle);
  driver(box);
  // Whatever the driver did, the box must end for the test to go on.
  if (IsWindow(box)) PostMessageA(box, WM_COMMAND, IDB_ABOUT_OK, 0);
}

INT_PTR RunDriven(HWND owner, int placement, std::function<void(HWND)> drive) {
  driver = std::move(drive);
  driveStart = GetTickCount();
  SetTimer(nullptr, 0, 10, DriveBox);
  return ShowAbout(owner, placement);
}

std::string TextOf(HWND box, int id) {
  char text[128] = "";
  GetDlgItemTextA(box, id, text, sizeof text);
  return text;
}

LOGFONTA FontOf(HWND box, int id) {
  LOGFONTA font{};
  HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(box, id, WM_GETFONT, 0, 0));
  GetObjectA(handle, sizeof font, &font);
  return font;
}

std::string openedAddress;
void RememberAddress(const char* address) { openedAddress = address; }

class AboutBox : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 60, 500,
                             400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
    previous_ = SetLinkOpenerForTests(RememberAddress);
  }
  void TearDown() override {
    SetLinkOpenerForTests(previous_);
    DestroyWindow(owner_);
  }

  HWND owner_ = nullptr;
  LinkOpener previous_ = nullptr;
};

TEST_F(AboutBox, ShowsItsTextsInTheirFontsAndDeletesTheFontsAfterwards) {
  HGDIOBJ productFont = nullptr;
  HGDIOBJ linkFont = nullptr;
  const INT_PTR result = RunDriven(owner_, kAboutOverOwner, [&](HWND box) {
    EXPECT_EQ(TextOf(box, IDT_ABOUT_PRODUCT), "Hiyomi");
    EXPECT_EQ(TextOf(box, IDT_ABOUT_VERSION), "Version 1.51");
    EXPECT_EQ(TextOf(box, IDT_ABOUT_LEGAL), kAboutLegal);
    EXPECT_EQ(TextOf(box, IDT_ABOUT_LINK), kAboutHomePage);
    RECT client{};
    GetClientRect(GetDlgItem(box, IDT_ABOUT_PRODUCT), &client);
    const LOGFONTA product = FontOf(box, IDT_ABOUT_PRODUCT);
    EXPECT_EQ(product.lfWeight, 700);
    EXPECT_EQ(std::abs(product.lfHeight), client.bottom);
    EXPECT_TRUE(FontOf(box, IDT_ABOUT_LINK).lfUnderline);
    EXPECT_FALSE(FontOf(box, IDT_ABOUT_LEGAL).lfUnderline);
    productFont = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(box, IDT_ABOUT_PRODUCT, WM_GETFONT, 0, 0));
    linkFont = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(box, IDT_ABOUT_LINK, WM_GETFONT, 0, 0));
    SendDlgItemMessageA(box, IDB_ABOUT_OK, BM_CLICK, 0, 0);
  });
  EXPECT_EQ(result, 1);
  ASSERT_NE(productFont, nullptr);
  EXPECT_EQ(GetObjectType(productFont), 0u);
  EXPECT_EQ(GetObjectType(linkFont), 0u);
}

TEST_F(AboutBox, TheLinkIsBlueTransparentWithAHandAndOpensTheHomePage) {
  openedAddress.clear();
  const INT_PTR result = RunDriven(owner_, kAboutOverOwner, [&](HWND box) {
    HWND link = GetDlgItem(box, IDT_ABOUT_LINK);
    HWND legal = GetDlgItem(box, IDT_ABOUT_LEGAL);
    HDC dc = CreateCompatibleDC(nullptr);
    const LRESULT brush = SendMessageA(box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(link));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(HOLLOW_BRUSH));
    EXPECT_EQ(GetTextColor(dc), 0xFF0000u);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    SetTextColor(dc, 0);
    SendMessageA(box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(legal));
    EXPECT_EQ(GetTextColor(dc), 0u);
    DeleteDC(dc);

    EXPECT_EQ(SendMessageA(box, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));

    EXPECT_TRUE(openedAddress.empty());
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDT_ABOUT_LINK, STN_CLICKED),
                 reinterpret_cast<LPARAM>(link));
    EXPECT_EQ(openedAddress, kAboutHomePage);
    EXPECT_TRUE(IsWindow(box));
    // Escape closes the box as OK does.
    SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindowVisible(box));
  });
  EXPECT_EQ(result, 1);
}

// The centre of the box against the centre of the owner's client area or
// of the screen, within a pixel of rounding.
TEST_F(AboutBox, CentredOverTheOwnerOrOverTheScreenWhenTheWindowIsHidden) {
  RECT ownerClient{};
  GetClientRect(owner_, &ownerClient);
  POINT ownerCentre{ownerClient.right / 2, ownerClient.bottom / 2};
  ClientToScreen(owner_, &ownerCentre);
  const POINT screenCentre{GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
  ASSERT_GT(std::abs(ownerCentre.x - screenCentre.x) + std::abs(ownerCentre.y - screenCentre.y), 20);

  const struct {
    int placement;
    bool ownerShown;
    POINT centre;
  } cases[] = {
      {kAboutOverOwner, true, ownerCentre},
      {kAboutOnScreen, false, screenCentre},
  };
  for (const auto& c : cases) {
    ShowWindow(owner_, c.ownerShown ? SW_SHOWNOACTIVATE : SW_HIDE);
    RunDriven(owner_, c.placement, [&](HWND box) {
      RECT frame{};
      GetWindowRect(box, &frame);
      EXPECT_NEAR((frame.left + frame.right) / 2, c.centre.x, 1) << c.placement;
      EXPECT_NEAR((frame.top + frame.bottom) / 2, c.centre.y, 1) << c.placement;
      EndDialog(box, 1);
    });
  }
}

}  // namespace

}  // namespace hiyomi
