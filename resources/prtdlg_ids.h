// Controls of the schedule-sheet dialog PRTDLG.
#pragma once

#define IDD_PRTDLG "PRTDLG"
// 表示設定
#define IDE_PRT_DAYS_LEFT 7001
#define IDS_PRT_DAYS_LEFT 7002
#define IDE_PRT_DAYS_RIGHT 7003
#define IDS_PRT_DAYS_RIGHT 7004
#define IDE_PRT_LINES 7005
#define IDS_PRT_LINES 7006
#define IDX_PRT_TEXT_COLOR 7007
#define IDX_PRT_BACK_COLOR 7008
#define IDX_PRT_HORIZONTAL_RULES 7009
#define IDX_PRT_VERTICAL_RULES 7010
#define IDX_PRT_FRAME 7011
#define IDX_PRT_TIME_LINES 7012
// The spacing of the vertical rules, in the order of NYLineP.
#define IDR_PRT_SPACING_LINE 7013
#define IDR_PRT_SPACING_HOURS 7014
#define IDR_PRT_SPACING_GIVEN 7015
#define IDE_PRT_SPACING_WIDTH 7016
#define IDS_PRT_SPACING_WIDTH 7017
#define IDE_PRT_FIRST_HOUR 7018
#define IDS_PRT_FIRST_HOUR 7019
#define IDE_PRT_LAST_HOUR 7020
#define IDS_PRT_LAST_HOUR 7021
// Rule style, in the order of NLineT.
#define IDR_PRT_SOLID 7022
#define IDR_PRT_DOTTED 7023
#define IDB_PRT_RULE_COLOR 7024
#define IDX_PRT_DAY_DIFFERENCE 7025
#define IDX_PRT_UNDATED 7026
// 印刷設定
#define IDC_PRT_START_DAY 7031
#define IDC_PRT_PATTERN 7032
#define IDE_PRT_PAGE_WIDTH 7033
#define IDS_PRT_PAGE_WIDTH 7034
#define IDE_PRT_PAGE_HEIGHT 7035
#define IDS_PRT_PAGE_HEIGHT 7036
#define IDE_PRT_LINE_HEIGHT 7037
#define IDS_PRT_LINE_HEIGHT 7038
// Placement mode, in the order of Npos (1, 2).
#define IDR_PRT_FOUR_ORIGINS 7039
#define IDR_PRT_ORIGIN_AND_MARGINS 7040
#define IDX_PRT_SAVE_PLACEMENT 7043
#define IDT_PRT_PRINTER 7044
#define IDB_PRT_SETUP 7045
#define IDB_PRT_COMPUTE 7046
#define IDB_PRT_PRINT 7047
#define IDB_PRT_CLOSE 11
#define IDB_PRT_CANCEL 12
// Slot n (0-3): page button, row label, x and y edits with their spins.
#define IDX_PRT_SLOT(n) (7050 + 10 * (n))
#define IDE_PRT_SLOT_X(n) (7051 + 10 * (n))
#define IDS_PRT_SLOT_X(n) (7052 + 10 * (n))
#define IDE_PRT_SLOT_Y(n) (7053 + 10 * (n))
#define IDS_PRT_SLOT_Y(n) (7054 + 10 * (n))
#define IDT_PRT_SLOT_LABEL(n) (7059 + 10 * (n))
// "補正", in printer pixels.
#define IDE_PRT_CORRECTION_X 7091
#define IDS_PRT_CORRECTION_X 7092
#define IDE_PRT_CORRECTION_Y 7093
#define IDS_PRT_CORRECTION_Y 7094
