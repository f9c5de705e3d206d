// Command ids of the main window's menus that are no control of MAINDLG
// (the buttons' ids in main_dialog_ids.h are commands as well). The main
// and tray menus use 260-279, the memo's context menu 268-272.
#pragma once

#define IDM_HELP 262
#define IDM_ABOUT 263
#define IDM_ABOUT_ON_SCREEN 264  /* from the tray menu while the window is hidden */
#define IDM_TO_TRAY 265
#define IDM_EXIT 266
#define IDM_RESTORE 267
#define IDM_MEMO_FONT 268
#define IDM_MEMO_HIGHLIGHT 269
#define IDM_MEMO_PAGE_FIRST 270  /* 270..272: memo pages 1..3 */
#define IDM_MEMO_PAGE_LAST 272
