#include "shell/about_dialog_win.h"

#include <shellapi.h>

#include "resources/about_dialog_ids.h"
#include "base/win/ui_helpers.h"
#include "base/win/gdi_objects.h"

namespace hiyomi {

const char kAboutProduct[] = "Hiyomi";
const char kAboutVersion[] = "Version 1.51";
const char kAboutLegal[] = "Copyright (C) 2026 The Hiyomi Project";
const char kAboutHomePage[] = "https://hiyomi.example.org/";

namespace {

constexpr COLORREF kLinkColor = 0xFF0000;  // blue
constexpr LONG kBold = 700;

struct AboutBox {
  int placement;
  Font productFont;
  Font linkFont;
};

LinkOpener linkOpenerForTests = nullptr;

void OpenLink(HWND dialog) {
  if (linkOpenerForTests != nullptr) {
    linkOpenerForTests(kAboutHomePage);
    return;
  }
  ShellExecuteA(dialog, nullptr, kAboutHomePage, nullptr, nullptr, SW_SHOWNORMAL);
}

// The dialog's own font with one change.
LOGFONTA DialogFont(HWND dialog) {
  LOGFONTA font{};
  HGDIOBJ current = reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  if (current == nullptr) current = GetStockObject(DEFAULT_GUI_FONT);
  GetObjectA(current, sizeof font, &font);
  return font;
}

INT_PTR OnInitDialog(HWND dialog, AboutBox* box) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
  HWND product = GetDlgItem(dialog, IDT_ABOUT_PRODUCT);
  RECT client{};
  GetClientRect(product, &client);
  LOGFONTA font = DialogFont(dialog);
  font.lfHeight = -(client.bottom - client.top);  // character height, not cell height
  font.lfWeight = kBold;
  box->productFont.Reset(CreateFontIndirectA(&font));
  font = DialogFont(dialog);
  font.lfUnderline = TRUE;
  box->linkFont.Reset(CreateFontIndirectA(&font));

  SendMessageA(product, WM_SETFONT, reinterpret_cast<WPARAM>(box->productFont.get()), FALSE);
  SendDlgItemMessageA(dialog, IDT_ABOUT_LINK, WM_SETFONT,
                      reinterpret_cast<WPARAM>(box->linkFont.get()), FALSE);
  SetWindowTextA(product, kAboutProduct);
  SetDlgItemTextA(dialog, IDT_ABOUT_VERSION, kAboutVersion);
  SetDlgItemTextA(dialog, IDT_ABOUT_LEGAL, kAboutLegal);
  SetDlgItemTextA(dialog, IDT_ABOUT_LINK, kAboutHomePage);
  CenterWindow(dialog, box->placement == kAboutOverOwner);
  return TRUE;
}

INT_PTR OnColorStatic(HDC dc, HWND control) {
  if (GetDlgCtrlID(control) != IDT_ABOUT_LINK) return FALSE;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kLinkColor);
  return reinterpret_cast<INT_PTR>(GetStockObject(HOLLOW_BRUSH));
}

INT_PTR OnSetCursor(HWND dialog, HWND under) {
  if (under != GetDlgItem(dialog, IDT_ABOUT_LINK)) return FALSE;
  SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // IDC_HAND
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDB_ABOUT_OK:
    // Escape and the close box arrive as IDCANCEL; the box has nothing to
    // cancel, so they close it as OK does.
    case IDCANCEL:
      EndDialog(dialog, 1);
      break;
    case IDT_ABOUT_LINK:
      if (HIWORD(wParam) == STN_CLICKED) OpenLink(dialog);
      break;
    default: break;
  }
  return TRUE;
}

void OnDestroy(HWND dialog) {
  auto* box = reinterpret_cast<AboutBox*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
  if (box == nullptr) return;
  box->productFont.Reset();
  box->linkFont.Reset();
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<AboutBox*>(lParam));
    case WM_CTLCOLORSTATIC:
      return OnColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR: return OnSetCursor(dialog, reinterpret_cast<HWND>(wParam));
    case WM_COMMAND: return OnCommand(dialog, wParam);
    case WM_DESTROY:
      OnDestroy(dialog);
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace

INT_PTR ShowAbout(HWND owner, int placement) {
  AboutBox box{placement, Font(), Font()};
  return DialogBoxParamA(GetModuleHandleA(nullptr), IDD_ABOUTDLG, owner, AboutProc,
                         reinterpret_cast<LPARAM>(&box));
}

LinkOpener SetLinkOpenerForTests(LinkOpener opener) {
  const LinkOpener previous = linkOpenerForTests;
  linkOpenerForTests = opener;
  return previous;
}

}  // namespace hiyomi
