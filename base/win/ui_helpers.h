// Small user-interface helpers shared by every dialog and window.
#pragma once

#include <windows.h>

#include <functional>

#include "base/win/gdi_objects.h"
#include "base/text.h"

namespace hiyomi {

// Centres window over its parent's client area, or over the desktop when
// overParent is false or there is no parent. Keeps size and Z order and does
// not activate.
void CenterWindow(HWND window, bool overParent);

// The calling thread's activation hook that centres a message box over its
// owner when ShowMessage asked for it; installed for the owner's lifetime.
ScopedHook CenterMessageBoxesOnThisThread();

// A text item inserted by position. False when the menu refused it.
bool InsertMenuItemText(HMENU menu, UINT typeFlags, UINT commandId, const char* text,
                        HMENU submenu, UINT position, UINT stateFlags);
// The item's MFS_ state flags; 0 when there is no such item.
UINT GetMenuItemState(HMENU menu, UINT commandId);
// mode: 0 unchecked, 1 checked, 2 disabled and grey, -1 toggles the check.
// Returns whether the resulting state is non-zero.
bool SetMenuItemCheck(HMENU menu, UINT commandId, int mode);

// Paints an owner-drawn colour button; pass white for "no colour".
void DrawColorButton(const DRAWITEMSTRUCT& item, int color);

// The colour dialog, fully open, with color preselected (white when negative).
// On OK color takes the choice and the result is true.
bool ChooseColorFor(HWND owner, int& color);
// The same with the sixteen custom colours the caller keeps between uses:
// the dialog starts from them and leaves the user's additions in them.
bool ChooseColorFor(HWND owner, int& color, COLORREF (&customColors)[16]);
// Tests only: answers ChooseColorFor instead of the dialog while set. It gets
// the preselected colour and returns whether "OK" was pressed.
using ColorChooser = std::function<bool(HWND owner, int preselected, int& chosen)>;
ColorChooser SetColorChooserForTests(ColorChooser chooser);

// Call on EN_CHANGE: keeps the edit's text a clean integer (sign only first,
// no leading zeros, digits only, at most min(15, maxLength) characters
// considered) and keeps the caret where the user was typing.
void FilterNumericEdit(HWND edit, int maxLength);

// Plain text on the clipboard. False when memory or the clipboard is not
// available.
bool CopyTextToClipboard(const char* text);

}  // namespace hiyomi
