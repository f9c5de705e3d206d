#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "base/message_box.h"
#include "settings/options_win.h"
#include "base/win/ui_helpers.h"
#include "base/text.h"

namespace hiyomi {
namespace {

HWND MakePopup(int x, int y, int width, int height, HWND owner = nullptr) {
  return CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, x, y, width, height, owner,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

// Where CenterWindow must put window over the client area of over.
POINT CentredOver(HWND over, HWND window) {
  RECT area{};
  GetClientRect(over, &area);
  const RECT self = WindowRect(window);
  POINT at{(area.right - (self.right - self.left)) / 2, (area.bottom - (self.bottom - self.top)) / 2};
  ClientToScreen(over, &at);
  return at;
}

TEST(CenterWindow, CentresOverTheParentOrTheDesktop) {
  HWND owner = MakePopup(100, 80, 400, 300);
  HWND box = MakePopup(0, 0, 120, 60, owner);
  ASSERT_NE(box, nullptr);
  CenterWindow(box, true);
  POINT want = CentredOver(owner, box);
  RECT got = WindowRect(box);
  EXPECT_EQ(got.left, want.x);
  EXPECT_EQ(got.top, want.y);
  EXPECT_EQ(got.left, 100 + (400 - 120) / 2);
  EXPECT_EQ(got.right - got.left, 120);

  CenterWindow(box, false);
  want = CentredOver(GetDesktopWindow(), box);
  got = WindowRect(box);
  EXPECT_EQ(got.left, want.x);
  EXPECT_EQ(got.top, want.y);

  HWND alone = MakePopup(5, 5, 50, 40);
  CenterWindow(alone, true);  // no parent: the desktop
  want = CentredOver(GetDesktopWindow(), alone);
  EXPECT_EQ(WindowRect(alone).left, want.x);
  DestroyWindow(alone);
  DestroyWindow(box);
  DestroyWindow(owner);
}

// Finds the message box from another thread, notes what it offers and
// presses one of its buttons. A box that never appears (or never settles)
// is a failure: the watcher then presses Cancel on whatever dialog the test's
// thread shows, so ShowMessage returns instead of waiting for a click.
struct BoxWatcher {
  std::atomic<bool> found{false};
  std::string text;
  std::string caption;
  bool buttons[4] = {};  // IDOK, IDCANCEL, IDYES, IDNO present
  RECT rect{};
  int press = IDOK;
  HWND owner = nullptr;
  DWORD boxThread = 0;
  std::thread thread;

  static constexpr DWORD kTimeoutMs = 10000;

  static BOOL CALLBACK Cancel(HWND window, LPARAM) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "#32770") == 0) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
  }

  // The box once it is shown and its place has stopped changing: the
  // activation hook moves it after it appears.
  HWND WaitForSettledBox() const {
    const DWORD start = GetTickCount();
    HWND box = nullptr;
    RECT last{};
    int sameReads = 0;
    while (GetTickCount() - start < kTimeoutMs) {
      HWND now = FindWindowA("#32770", "Hiyomi");
      if (now != nullptr && IsWindowVisible(now)) {
        RECT r{};
        GetWindowRect(now, &r);
        sameReads = (now == box && EqualRect(&r, &last)) ? sameReads + 1 : 0;
        box = now;
        last = r;
        if (sameReads >= 3) return box;
      }
      Sleep(20);
    }
    return nullptr;
  }

  void Start() {
    boxThread = GetCurrentThreadId();
    thread = std::thread([this] {
      HWND box = WaitForSettledBox();
      if (box == nullptr) {
        EnumThreadWindows(boxThread, Cancel, 0);
        return;
      }
      char buffer[256] = {};
      GetWindowTextA(box, buffer, sizeof buffer);
      caption = buffer;
      GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
      text = buffer;
      const int ids[4] = {IDOK, IDCANCEL, IDYES, IDNO};
      for (int b = 0; b < 4; ++b) buttons[b] = GetDlgItem(box, ids[b]) != nullptr;
      GetWindowRect(box, &rect);
      found = true;
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(box, press)));
    });
  }
  void Join() { thread.join(); }
};

TEST(ShowMessage, ShowsTheKindsWithTheProgramCaption) {
  const struct {
    MessageKind kind;
    bool ok, cancel, yes, no;
    int press;
    MessageAnswer answer;
  } cases[] = {
      {MessageKind::Stop, true, false, false, false, IDOK, MessageAnswer::Ok},
      {MessageKind::Exclamation, true, false, false, false, IDOK, MessageAnswer::Ok},
      {MessageKind::YesNo, false, false, true, true, IDYES, MessageAnswer::Yes},
      {MessageKind::YesNoCancel, false, true, true, true, IDCANCEL, MessageAnswer::Cancel},
      {MessageKind::Information, true, false, false, false, IDOK, MessageAnswer::Ok},
      {static_cast<MessageKind>(7), true, false, false, false, IDOK, MessageAnswer::Ok},
  };
  for (const auto& c : cases) {
    BoxWatcher watcher;
    watcher.press = c.press;
    watcher.Start();
    const MessageAnswer answer = ShowMessage(nullptr, c.kind, "設定を削除しますか？　　");
    watcher.Join();
    ASSERT_TRUE(watcher.found);
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(watcher.caption, "Hiyomi");
    EXPECT_EQ(watcher.text, "設定を削除しますか？　　");
    EXPECT_EQ(watcher.buttons[0], c.ok);
    EXPECT_EQ(watcher.buttons[1], c.cancel);
    EXPECT_EQ(watcher.buttons[2], c.yes);
    EXPECT_EQ(watcher.buttons[3], c.no);
  }
}

TEST(ShowMessage, WithAnOwnerTheBoxIsCentredOverIt) {
  HWND owner = MakePopup(60, 40, 700, 500);
  Pump();
  ScopedHook centring = CenterMessageBoxesOnThisThread();  // the main window's own hook
  ASSERT_TRUE(centring);
  BoxWatcher watcher;
  watcher.Start();
  ShowMessage(owner, MessageKind::Exclamation, "保存できませんでした。　　");
  watcher.Join();
  centring.Reset();
  ASSERT_TRUE(watcher.found);
  const int width = watcher.rect.right - watcher.rect.left;
  const int height = watcher.rect.bottom - watcher.rect.top;
  POINT origin{0, 0};
  ClientToScreen(owner, &origin);
  RECT client{};
  GetClientRect(owner, &client);
  EXPECT_EQ(watcher.rect.left, origin.x + (client.right - width) / 2);
  EXPECT_EQ(watcher.rect.top, origin.y + (client.bottom - height) / 2);
  EXPECT_FALSE(CenterNextWindowPending());
  DestroyWindow(owner);
}

TEST(Menus, InsertCheckAndReadState) {
  HMENU menu = CreatePopupMenu();
  ASSERT_TRUE(InsertMenuItemText(menu, MFT_STRING, 101, "予定表", nullptr, 0, MFS_CHECKED));
  ASSERT_TRUE(InsertMenuItemText(menu, MFT_STRING, 102, "常駐", nullptr, 0, MFS_DEFAULT));
  HMENU sub = CreatePopupMenu();
  ASSERT_TRUE(InsertMenuItemText(menu, MFT_STRING, 103, "設定", sub, 2, 0));
  EXPECT_EQ(GetMenuItemID(menu, 0), 102u);
  EXPECT_EQ(GetMenuItemID(menu, 1), 101u);
  EXPECT_EQ(GetSubMenu(menu, 2), sub);
  char text[32];
  GetMenuStringA(menu, 101, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "予定表");
  EXPECT_EQ(GetMenuItemState(menu, 101) & MFS_CHECKED, static_cast<UINT>(MFS_CHECKED));

  const struct {
    int mode;
    bool result;
    UINT state;
  } steps[] = {
      {0, false, 0},           {-1, true, MFS_CHECKED},  {-1, false, 0},
      {1, true, MFS_CHECKED},  {2, true, MFS_GRAYED},    {0, false, 0},
  };
  for (const auto& s : steps) {
    EXPECT_EQ(SetMenuItemCheck(menu, 102, s.mode), s.result) << s.mode;
    const UINT state = GetMenuItemState(menu, 102);
    EXPECT_EQ(state & (MFS_CHECKED | MFS_GRAYED), s.state) << s.mode;
    EXPECT_NE(state & MFS_DEFAULT, 0u) << "default mark kept";
  }
  EXPECT_EQ(GetMenuItemState(menu, 999), 0u);
  DestroyMenu(menu);
}

// Paints a 90 x 24 button into a memory bitmap.
struct ButtonCanvas {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap;
  HGDIOBJ old;
  ButtonCanvas() {
    HDC screen = GetDC(nullptr);
    bitmap = CreateCompatibleBitmap(screen, 90, 24);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bitmap);
  }
  ~ButtonCanvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  void Draw(int color, UINT state) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hDC = dc;
    item.rcItem = RECT{0, 0, 90, 24};
    item.itemState = state;
    DrawColorButton(item, color);
  }
  int Count(COLORREF color) const {
    int n = 0;
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 90; ++x) n += GetPixel(dc, x, y) == color;
    }
    return n;
  }
};

TEST(DrawColorButton, FaceTextContrastAndDisabledLook) {
  const struct {
    int color;
    COLORREF face;
    COLORREF text;
  } cases[] = {
      {0x0000FF, RGB(255, 0, 0), RGB(255, 255, 255)},    // red: two dark components
      {0x00FFFF, RGB(255, 255, 0), RGB(0, 0, 0)},        // yellow: one dark component
      {0xFFFFFF, RGB(255, 255, 255), RGB(0, 0, 0)},
      {-1, RGB(255, 255, 255), RGB(0, 0, 0)},            // no colour shows as white
  };
  for (const auto& c : cases) {
    ButtonCanvas canvas;
    canvas.Draw(c.color, 0);
    EXPECT_EQ(GetPixel(canvas.dc, 5, 12), c.face) << c.color;
    EXPECT_GT(canvas.Count(c.text), 10) << "text drawn for " << c.color;
  }
  ButtonCanvas pressed;
  pressed.Draw(0x0000FF, ODS_SELECTED);
  ButtonCanvas raised;
  raised.Draw(0x0000FF, 0);
  // A raised edge is light at the top-left, a sunken one dark.
  EXPECT_NE(GetPixel(pressed.dc, 0, 0), GetPixel(raised.dc, 0, 0));

  ButtonCanvas disabled;
  disabled.Draw(0x0000FF, ODS_DISABLED);
  EXPECT_EQ(GetPixel(disabled.dc, 5, 12), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(disabled.Count(RGB(255, 0, 0)), 0);
  EXPECT_GT(disabled.Count(GetSysColor(COLOR_GRAYTEXT)), 10);

  ButtonCanvas focused;
  focused.Draw(0xFFFFFF, ODS_FOCUS);
  ButtonCanvas plain;
  plain.Draw(0xFFFFFF, 0);
  // The focus rectangle runs 2 pixels inside the edge.
  EXPECT_NE(GetPixel(focused.dc, 45, 2), GetPixel(plain.dc, 45, 2));
}

TEST(ChooseColorFor, TestsAnswerWithThePreselectedColour) {
  int preselected = 0;
  auto previous = SetColorChooserForTests([&](HWND, int initial, int& chosen) {
    preselected = initial;
    chosen = 0x00FF00;
    return true;
  });
  int color = -1;
  EXPECT_TRUE(ChooseColorFor(nullptr, color));
  EXPECT_EQ(preselected, 0xFFFFFF);
  EXPECT_EQ(color, 0x00FF00);
  SetColorChooserForTests([&](HWND, int initial, int&) {
    preselected = initial;
    return false;
  });
  color = 0x123456;
  EXPECT_FALSE(ChooseColorFor(nullptr, color));
  EXPECT_EQ(preselected, 0x123456);
  EXPECT_EQ(color, 0x123456);
  SetColorChooserForTests(std::move(previous));
}

LRESULT CALLBACK EditHost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
    FilterNumericEdit(reinterpret_cast<HWND>(lParam), 6);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(FilterNumericEdit, TypingKeepsACleanInteger) {
  WNDCLASSA cls{};
  cls.lpfnWndProc = EditHost;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.lpszClassName = "HiyomiEditHost";
  RegisterClassA(&cls);
  HWND host = CreateWindowExA(0, "HiyomiEditHost", "", WS_POPUP, 0, 0, 200, 60, nullptr, nullptr,
                              cls.hInstance, nullptr);
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 150, 20, host, nullptr,
                              cls.hInstance, nullptr);
  ASSERT_NE(edit, nullptr);
  for (char c : std::string("0-a07x3+")) SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(c), 1);
  char text[32];
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "73");
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 2u);

  SetWindowTextA(edit, "-00012345678");
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "-12");  // "-00012": six characters considered, then cleaned
  DestroyWindow(host);
}

TEST(CopyTextToClipboard, PutsPlainTextThere) {
  ASSERT_TRUE(CopyTextToClipboard("2024年1月1日 元日"));
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_TEXT);
  ASSERT_NE(data, nullptr);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(data)), "2024年1月1日 元日");
  GlobalUnlock(data);
  CloseClipboard();
}

TEST(CreateOptionsFont, UsesTheChosenFaceWeightAndItalic) {
  auto o = std::make_unique<Options>();
  std::strcpy(o->FontName[1], "ＭＳ 明朝");
  o->FontBold[1] = 1;
  o->FontItalic[1] = 1;
  std::strcpy(o->FontName[2], "ＭＳ Ｐゴシック");
  HFONT fonts[2] = {CreateOptionsFont(*o, 1, -20), CreateOptionsFont(*o, 2, 12)};
  LOGFONTA got[2] = {};
  for (int i = 0; i < 2; ++i) {
    ASSERT_NE(fonts[i], nullptr);
    GetObjectA(fonts[i], sizeof got[i], &got[i]);
    DeleteObject(fonts[i]);
  }
  EXPECT_STREQ(got[0].lfFaceName, "ＭＳ 明朝");
  EXPECT_EQ(got[0].lfHeight, -20);
  EXPECT_EQ(got[0].lfWeight, 700);
  EXPECT_TRUE(got[0].lfItalic);
  EXPECT_EQ(got[0].lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_STREQ(got[1].lfFaceName, "ＭＳ Ｐゴシック");
  EXPECT_EQ(got[1].lfWeight, 400);
  EXPECT_FALSE(got[1].lfItalic);
}

}  // namespace
}  // namespace hiyomi
