// The memo area of the main window: a rich-text control showing one of
// three memo pages, read-only while browsing, saved when editing ends.
#pragma once

#include <windows.h>

#include <string>

#include "resources/main_commands_ids.h"
#include "resources/main_dialog_ids.h"
#include "schedule/memo_pages.h"

namespace hiyomi {

static_assert(IDM_MEMO_PAGE_LAST - IDM_MEMO_PAGE_FIRST + 1 == kMemoPageCount);

struct MemoSettings {
  const char* files[kMemoPageCount];
  bool rtf[kMemoPageCount];
  const char* titles[kMemoPageCount];
};

struct MemoArea {
  HWND control = nullptr;
  HWND owner = nullptr;
  MemoPage pages[kMemoPageCount];
  int current = 0;
  bool editing = false;
  int lineHeight = 0;  // of the default font, for the layout
  HMENU menu = nullptr;
  // The current page's file is there but was not read whole (held by another
  // program, or too large): it is never saved over.
  bool pageUnread = false;
  // The colour chooser's custom colours, kept for the run; white when unused.
  COLORREF customColors[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                               0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                               0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
};

// The control as a visible child of parent, with link detection and the
// notifications the area handles. False when the class cannot be created.
bool CreateMemoArea(MemoArea& area, HWND parent, const char* className);
void DestroyMemoArea(MemoArea& area);
// Default character format and background, the page files, the menu, and
// the current page loaded. textColor/backColor -1: the system's.
void SetMemoDefaults(MemoArea& area, HFONT font, int textColor, int backColor,
                     const MemoSettings& settings);
void LoadMemoPage(MemoArea& area, int page);
// Switches browse/edit; leaving edit mode saves the page. A page whose file
// could not be read whole is read again first and, while it still cannot
// be, stays in browse mode (the user is told). Returns the mode.
bool ToggleMemoEdit(MemoArea& area);
inline bool IsMemoEditing(const MemoArea& area) { return area.editing; }
// Lines of text and whether the page is empty, for the layout.
int MemoTextLines(const MemoArea& area);
bool MemoIsEmpty(const MemoArea& area);
// Selects characters first..last of the control and returns them in CP932:
// the text a link click opens.
std::string SelectMemoText(MemoArea& area, LONG first, LONG last);
// The context menu and link clicks. True when handled.
bool HandleMemoNotify(MemoArea& area, const NMHDR& header);
// The context menu's commands (IDM_MEMO_*). True when it was one of them.
bool RunMemoCommand(MemoArea& area, int command);

}  // namespace hiyomi
