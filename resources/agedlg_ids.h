// Controls of the age table AGEDLG and the commands of its context menu.
#pragma once

#define IDD_AGEDLG "AGEDLG"
#define IDB_AGE_CLOSE 11
#define IDC_AGE_TABLE 8001        /* list view: 西暦 和暦 干支 年齢 備考 */
#define IDC_AGE_SYSTEM 8002       /* ----, 西暦, 令和 .. 明治, then the persons */
#define IDE_AGE_NUMBER 8003
#define IDS_AGE_SPIN 8004
#define IDX_AGE_EARLY 8005        /* 早 */
#define IDB_AGE_SHOW 8006         /* 表示 */
#define IDC_AGE_KIND 8007
#define IDR_AGE_REMARK_SET_FIRST 8008  /* radio group 8008..8010: remark sets 1..3 */
#define IDR_AGE_REMARK_SET_LAST 8010
#define IDE_AGE_REMARK_EDITOR 8011  /* hidden in-place editor of column 5 */

#define IDM_AGE_MARK_ROW 8101       /* 行マーク */
#define IDM_AGE_EDIT_YEARS 8102     /* 備考編集(Year) */
#define IDM_AGE_EDIT_AGES 8103      /* 備考編集(Age) */
#define IDM_AGE_END_SAVE 8104       /* 編集終了(保存あり) */
#define IDM_AGE_END_DISCARD 8105    /* 編集終了(保存なし) */
