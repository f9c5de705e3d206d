#include "settings/options_sheet_win.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <iterator>

#include "base/message_box.h"
#include "base/text.h"
#include "resources/optpage_ids.h"
#include "settings/options_pages_win.h"
#include "settings/options_sheet_controls_win.h"
#include "settings/settings_store.h"

namespace hiyomi {

namespace {

constexpr char kSheetCaption[] = "設定";

struct PageEntry {
  const char* templateName;
  const OptionsPageHandlers* handlers;
};

const PageEntry kPageEntries[kOptionsPageCount] = {
    {IDD_OPTPAGE1, &kBasicPageHandlers},   {IDD_OPTPAGE2, &kWholeViewPageHandlers},
    {IDD_OPTPAGE3, &kDayViewPageHandlers}, {IDD_OPTPAGE4, &kColorsPageHandlers},
    {IDD_OPTPAGE5, &kRegularPageHandlers}, {IDD_OPTPAGE6, &kTemporaryPageHandlers},
    {IDD_OPTPAGE7, &kOtherPageHandlers},
};

// What a page window keeps: its sheet and which page it is.
struct PageContext {
  OptionsSheet* sheet;
  int index;
};

PageContext* ContextOf(HWND page) {
  return reinterpret_cast<PageContext*>(GetWindowLongPtrA(page, DWLP_USER));
}

const OptionsPageHandlers& HandlersOf(const PageContext& context) {
  return *kPageEntries[context.index].handlers;
}

void FillPage(HWND page, const PageContext& context) {
  if (HandlersOf(context).fill != nullptr) HandlersOf(context).fill(page, *context.sheet);
  FillColorBoxes(page, context.sheet->options);
}

BOOL OnInitPage(HWND page, const PROPSHEETPAGEA& sheetPage) {
  auto* context = reinterpret_cast<PageContext*>(sheetPage.lParam);
  SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(context));
  context->sheet->pages[context->index] = page;
  FillPage(page, *context);
  return TRUE;
}

// Leaving a page never stops the user: an invalid item is kept as the
// pending error that OK shows.
void OnKillActive(HWND page, const PageContext& context) {
  OptionsDialogState& state = context.sheet->state;
  const char pageMark = static_cast<char>(context.index + 1);
  if (HandlersOf(context).validate != nullptr) {
    char message[kPendingMessageSize] = "";
    if (!HandlersOf(context).validate(page, *context.sheet, message)) {
      state.pendingPage = pageMark;
      CopyText(state.pendingMessage, message, sizeof state.pendingMessage);
    } else if (state.pendingPage == pageMark) {
      state.pendingPage = 0;
      state.pendingMessage[0] = '\0';
    }
  }
  SetWindowLongPtrA(page, DWLP_MSGRESULT, FALSE);
}

// Only while its page is shown: the sheet never changes pages by itself.
void FocusInvalidField(OptionsSheet& sheet) {
  const int index = sheet.state.pendingPage - 1;
  if (index < 0 || index >= kOptionsPageCount) return;
  HWND shown = sheet.pages[index];
  const OptionsPageHandlers& handlers = *kPageEntries[index].handlers;
  if (shown == nullptr || !IsWindowVisible(shown) || handlers.command == nullptr) return;
  handlers.command(shown, sheet, kFocusInvalidField, 0);
}

void OnApply(HWND page, const PageContext& context) {
  OptionsSheet& sheet = *context.sheet;
  if (sheet.state.pendingPage != 0) {
    ShowMessage(page, MessageKind::Stop, sheet.state.pendingMessage);
    FocusInvalidField(sheet);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_INVALID_NOCHANGEPAGE);
    return;
  }
  // The boxes first: a page that writes its colours straight to the store
  // writes what the boxes say.
  ApplyColorBoxes(page, sheet.options);
  if (HandlersOf(context).apply != nullptr) HandlersOf(context).apply(page, sheet);
  sheet.state.applied = true;
  SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
}

BOOL OnNotify(HWND page, const NMHDR& header) {
  PageContext* context = ContextOf(page);
  if (context == nullptr) return FALSE;
  switch (header.code) {
    case PSN_KILLACTIVE:
      OnKillActive(page, *context);
      return TRUE;
    case PSN_APPLY:
      OnApply(page, *context);
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL OnCommand(HWND page, int id, int code) {
  PageContext* context = ContextOf(page);
  if (context == nullptr) return FALSE;
  if (OnColorControlCommand(page, context->sheet->options, id, code)) return TRUE;
  if (HandlersOf(*context).command != nullptr) HandlersOf(*context).command(page, *context->sheet, id, code);
  return TRUE;
}

BOOL OnDrawItem(HWND page, const DRAWITEMSTRUCT& item) {
  PageContext* context = ContextOf(page);
  return context != nullptr && DrawColorControl(item, context->sheet->options) ? TRUE : FALSE;
}

INT_PTR CALLBACK OptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitPage(page, *reinterpret_cast<const PROPSHEETPAGEA*>(lParam));
    case WM_NOTIFY:
      return OnNotify(page, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      return OnCommand(page, LOWORD(wParam), HIWORD(wParam));
    case WM_DRAWITEM:
      return OnDrawItem(page, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK ProbePageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The sheet sizes its page area in dialog units of its own font, each page
// is as large as its template in the pages' font. Where the pages' units
// are the larger (Wine's "MS Shell Dlg" is smaller than "ＭＳ Ｐゴシック"),
// pages would be cut off: the tab control, the buttons below it and the
// sheet grow by what the largest page needs.
void FitSheetToPages(HWND sheet) {
  int width = 0;
  int height = 0;
  for (const PageEntry& entry : kPageEntries) {
    HWND probe = CreateDialogParamA(GetModuleHandleA(nullptr), entry.templateName, sheet, ProbePageProc, 0);
    if (probe == nullptr) continue;
    RECT box{};
    GetWindowRect(probe, &box);
    DestroyWindow(probe);
    width = std::max(width, static_cast<int>(box.right - box.left));
    height = std::max(height, static_cast<int>(box.bottom - box.top));
  }
  HWND tabs = PropSheet_GetTabControl(sheet);
  RECT display{};
  GetWindowRect(tabs, &display);
  TabCtrl_AdjustRect(tabs, FALSE, &display);
  const int dx = std::max(0, width - static_cast<int>(display.right - display.left));
  const int dy = std::max(0, height - static_cast<int>(display.bottom - display.top));
  if (dx == 0 && dy == 0) return;
  for (HWND child = GetWindow(sheet, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT box{};
    GetWindowRect(child, &box);
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&box), 2);
    char className[16] = "";
    GetClassNameA(child, className, sizeof className);
    if (child == tabs) {
      SetWindowPos(child, nullptr, 0, 0, box.right - box.left + dx, box.bottom - box.top + dy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (_stricmp(className, "Button") == 0) {
      SetWindowPos(child, nullptr, box.left + dx, box.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  RECT frame{};
  GetWindowRect(sheet, &frame);
  SetWindowPos(sheet, nullptr, 0, 0, frame.right - frame.left + dx, frame.bottom - frame.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED) FitSheetToPages(sheet);
  return 0;
}

}  // namespace

void RefillOptionsPages(OptionsSheet& sheet) {
  for (HWND page : sheet.pages) {
    if (page == nullptr) continue;
    if (const PageContext* context = ContextOf(page)) FillPage(page, *context);
  }
}

OptionsDialogState ShowOptionsDialog(HWND owner, Options& options, SettingsStore& store,
                                     const OptionsSheetServices& services) {
  char profile[kProfileNameSize];
  CopyText(profile, store.CurrentSection(), sizeof profile);
  LoadOptions(options, store, profile);

  OptionsSheet sheet{options, store, services, OptionsDialogState{}};
  PageContext contexts[kOptionsPageCount];
  HPROPSHEETPAGE pages[kOptionsPageCount];
  for (int k = 0; k < kOptionsPageCount; ++k) {
    contexts[k] = PageContext{&sheet, k};
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = GetModuleHandleA(nullptr);
    page.pszTemplate = kPageEntries[k].templateName;
    page.pfnDlgProc = OptionsPageProc;
    page.lParam = reinterpret_cast<LPARAM>(&contexts[k]);
    pages[k] = CreatePropertySheetPageA(&page);
  }

  PROPSHEETHEADERA header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_NOAPPLYNOW | PSH_USECALLBACK;
  header.pfnCallback = SheetCallback;
  header.hwndParent = owner;
  header.hInstance = GetModuleHandleA(nullptr);
  header.pszCaption = kSheetCaption;
  header.nPages = kOptionsPageCount;
  header.nStartPage = static_cast<UINT>(sheet.state.startPage);
  header.phpage = pages;
  // Only OK applies pages, so a cancelled sheet leaves the flag clear.
  PropertySheetA(&header);
  return sheet.state;
}

}  // namespace hiyomi
