// Controls of the main window MAINDLG: the button row, the memo pane, the
// date picker and the two scroll bars. The numbers are also the command ids
// of the buttons; the menus' own commands are in main_commands_ids.h.
#pragma once

#define IDD_MAINDLG "MAINDLG"
#define IDI_HIYOMI 1

#define IDB_TODAY 200
#define IDB_MONTH_BACK 201
#define IDB_MONTH_FORWARD 202
#define IDB_YEAR_BACK 203
#define IDB_YEAR_FORWARD 204
#define IDB_DISPLAY 205
#define IDB_MENU 206
#define IDB_DAY_BACK 207
#define IDB_DAY_FORWARD 208
#define IDB_PICKER_OK 209
#define IDB_PICKER_CANCEL 210
#define IDB_TOP 211
#define IDB_MEMO 212
#define IDB_NOTRIK 213
#define IDB_MONTH_TITLE 214
#define IDB_EDITOR 215
#define IDC_MEMO 251  /* the memo pane, created at run time */
#define IDC_DATE_PICKER 252
#define IDC_MONTH_SCROLL 253
#define IDC_COLUMN_SCROLL 254
