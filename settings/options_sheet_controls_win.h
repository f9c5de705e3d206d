// Control helpers of the options sheet's pages: colour buttons with their
// enabling boxes, numbers with their up-down controls, lists and font lists.
#pragma once

#include <windows.h>

#include <span>

#include "settings/options.h"

namespace hiyomi {

// The working colour a colour button edits, or null when id is no colour
// button: 2000 + i and 2100 + i are text and background colour i, 1201 and
// 1202 the pen colours, 1091 and 1092 the temporary schedules' colours.
int* WorkingColorOf(Options& options, int buttonId);
// The id of the check box that enables the button, 0 when it has none.
int EnablingBoxOf(int buttonId);

// For every colour button on the page that has its enabling box there: the
// box ticked and the button enabled exactly when its colour is set.
void FillColorBoxes(HWND page, Options& options);
// For every such pair: a cleared box stores -1, a ticked box over no
// colour stores white.
void ApplyColorBoxes(HWND page, Options& options);
// A click on a colour button opens the colour chooser on its colour; a
// click on an enabling box enables or disables its button. True when id
// was one of them.
bool OnColorControlCommand(HWND page, Options& options, int id, int code);
// Paints an owner-drawn colour button in its colour (white when none).
// False when the item is no colour button.
bool DrawColorControl(const DRAWITEMSTRUCT& item, Options& options);

// A numeric edit and the up-down control the template puts right after it:
// range low..high, at most maxChars characters, showing value.
void FillNumber(HWND page, int editId, int value, int low, int high, int maxChars = 3);
// The edit's number clamped into low..high (low for an empty edit).
int ReadNumber(HWND page, int editId, int low, int high);

// A drop-down list of entries with `selected` chosen (the first entry when
// selected is out of range).
void FillList(HWND page, int listId, std::span<const char* const> entries, int selected);
// The chosen entry's index, 0 when none is chosen.
int ListChoice(HWND page, int listId);

void SetCheck(HWND page, int id, bool ticked);
bool IsChecked(HWND page, int id);
void EnableControl(HWND page, int id, bool enabled);

// The installed font families, for the display's character set first and
// then for ANSI, each face once, with `face` selected.
void FillFontList(HWND page, int listId, const char* face);
// The list's face name (its edit text), at most kFontNameSize - 1 bytes.
void ReadFontName(HWND page, int listId, char (&face)[kFontNameSize]);

}  // namespace hiyomi
