// Command ids of the main window's menus that are no control of MAINDLG
// (the buttons' ids in main_dialog_ids.h are commands as well). The main
// and tray menus use 260-279, the memo's context menu 268-272, the display
// menu 300-399 and the section list 400-499.
#pragma once

#define IDM_OPTIONS 260
#define IDM_PRINT_SETTINGS 261
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
#define IDM_CSV_EXPORT 273
#define IDM_TEMPORARY_READ 274
#define IDM_TEMPORARY_EDIT1 275
#define IDM_TEMPORARY_EDIT2 276
#define IDM_TEMPORARY_COPY 279
// Commands of our own, beyond the menus described above.
#define IDM_ICS_EXPORT 290

// Display commands: 300 + n, n the bit of the display flags it toggles,
// or one of the fixed n below.
#define IDM_DISPLAY_FIRST 300
#define IDM_SHOW_REGULAR 300
#define IDM_SHOW_TODO 301
#define IDM_SHOW_SECRET 302
#define IDM_SHOW_TEMPORARY 303
#define IDM_SHOW_CATEGORY_FIRST 304  /* 304..313: categories 0..9 */
#define IDM_CLEAR_ALL 348
#define IDM_SELECT_ALL 349
#define IDM_ZOOM_STANDARD 350  /* 351..397: zoom 10 * (id - 300) - 500 percent */
#define IDM_AGE_TABLE 398
#define IDM_TABLE_VIEW 399
#define IDM_DISPLAY_LAST 399

#define IDM_SECTION_FIRST 400  /* 400..499: the settings sections in store order */
#define IDM_SECTION_LAST 499
