// What the seven pages of the options sheet share: their templates and the
// numbering of the colour buttons and their enabling boxes.
#pragma once

#define IDD_OPTPAGE1 "OPTPAGE1"  // 基本
#define IDD_OPTPAGE2 "OPTPAGE2"  // 全体表示
#define IDD_OPTPAGE3 "OPTPAGE3"  // 日表示
#define IDD_OPTPAGE4 "OPTPAGE4"  // 色設定
#define IDD_OPTPAGE5 "OPTPAGE5"  // 定期予定
#define IDD_OPTPAGE6 "OPTPAGE6"  // 一時予定
#define IDD_OPTPAGE7 "OPTPAGE7"  // その他

// Owner-drawn colour buttons: 2000 + i text colour i, 2100 + i background
// colour i; the check box that enables one is its id + 1000.
#define IDB_TEXT_COLOR_FIRST 2000
#define IDB_BACK_COLOR_FIRST 2100
#define IDX_TEXT_COLOR_FIRST 3000
#define IDX_BACK_COLOR_FIRST 3100
#define IDB_PEN_COLOR_FRAME 1201
#define IDB_PEN_COLOR_TARGET 1202
#define IDB_TEMPORARY_TEXT_COLOR 1091
#define IDB_TEMPORARY_BACK_COLOR 1092
#define IDX_TEMPORARY_TEXT_COLOR 1093
#define IDX_TEMPORARY_BACK_COLOR 1094
