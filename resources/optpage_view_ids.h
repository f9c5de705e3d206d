// Controls of the options pages 基本 (OPTPAGE1), 全体表示 (OPTPAGE2),
// 日表示 (OPTPAGE3) and 色設定 (OPTPAGE4). Colour buttons and their boxes
// follow the numbering of optpage_ids.h.
#pragma once

#include "resources/optpage_ids.h"

// 基本
#define IDC_START_DAY 1514           /* 起点日 */
#define IDX_START_DAY_FIXED 1515     /* 固定 */
#define IDC_TARGET_ROW 1501          /* 表示: 対象日が n 行目 */
#define IDX_MOVE_TO_DAY_ONE 1502     /* 移動時の対象日を１日とする */
#define IDX_REST_FLAG_FIRST 1600     /* + i: rest-day flag i, 1600 日 ... 1612 他4 */
#define IDX_REST_RULE_FIRST 1609     /* 他1 ... 他4 */
#define IDC_REST_RULE_KIND_FIRST 1625  /* + 10n: kind list of rule n */
#define IDC_REST_RULE_VALUE_FIRST 1621 /* + 10n + k: value list k (0-3) of rule n */
#define IDC_REST_RULE_STEP 10
#define IDE_OPACITY_ACTIVE 1021
#define IDE_OPACITY_INACTIVE 1023
#define IDX_KEEP_WINDOW_PLACE 1516
#define IDX_RESIDENT 1063
#define IDX_SCHEDULE_TABLE 1064
#define IDC_BASIC_FONT 1101
#define IDE_BASIC_FONT_SIZE 1102
#define IDX_BASIC_FONT_BOLD 1104
#define IDX_BASIC_FONT_ITALIC 1105
#define IDR_MENU_STANDARD 1065
#define IDR_MENU_SIMPLE 1066
#define IDE_ZOOM 1025
#define IDX_TOOLTIP_GENERAL 1067
#define IDX_TOOLTIP_SCHEDULE 1068

// 全体表示
#define IDE_FRAME_PEN_SIZE 1211
#define IDC_TITLE_FORMAT 1503
#define IDC_TITLE_FONT 1121
#define IDX_TITLE_FONT_BOLD 1124
#define IDX_TITLE_FONT_ITALIC 1125
#define IDC_HORIZONTAL_HEADER 1504
#define IDE_COLUMN_SIZE 1003
#define IDE_DAYS_ACROSS 1001
#define IDC_ROW_LABELS 1505
#define IDC_ROW_NUMBERING 1506
#define IDE_SCHEDULE_LINES 1013
#define IDE_ROWS 1011
#define IDB_REFERENCE_MONTH 1037     /* toggles 対象月 / 当 月 */
#define IDR_MEMO_ABOVE 1031
#define IDR_MEMO_BELOW 1032
#define IDE_MEMO_LINES_MIN 1033
#define IDE_MEMO_LINES_MAX 1035

// 日表示
#define IDC_DAY_ITEM_FIRST 1507      /* 1507-1510: top-left, top-right, bottom-left, bottom-right */
#define IDR_DIFFERENCE_TODAY 1511
#define IDR_DIFFERENCE_DATE 1512
#define IDC_DIFFERENCE_DATE 1513
#define IDC_BUSINESS_DAY_TIME 1331
#define IDC_DAY_FONT 1111
#define IDE_DAY_FONT_SIZE 1112
#define IDX_DAY_FONT_BOLD 1114
#define IDX_DAY_FONT_ITALIC 1115
#define IDC_PRIORITY_FIRST 1301      /* + 10k: list view of priority list k */
#define IDB_PRIORITY_UP_FIRST 1302   /* + 10k: ↑ */
#define IDB_PRIORITY_DOWN_FIRST 1304 /* + 10k: ↓ */
#define IDX_PRIORITY_MONTH_FIRST 1305 /* + 10k: * (当月有効ﾌﾗｸﾞ) */
#define IDC_PRIORITY_STEP 10
#define IDE_TARGET_PEN_SIZE 1212
#define IDX_FRAME_TODAY 1517

// 色設定
#define IDB_RESET_COLORS 1038
