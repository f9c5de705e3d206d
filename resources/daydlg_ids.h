// Controls of the day dialog DAYDLG; row k (0..7) uses base + 10k.
#pragma once

#define IDD_DAYDLG "DAYDLG"
#define IDB_DAY_OK 11
#define IDB_DAY_CANCEL 12
#define IDC_DAY_DATE 252
#define IDB_DAY_UNDATED 501
#define IDB_DAY_CLEAR 502
#define IDB_DAY_CATEGORIES 503
#define IDB_DAY_COLOR_SETS 504
#define IDB_DAY_SORT 505
#define IDB_DAY_MOVE 506
#define IDT_DAY_SAMPLE 594
#define IDC_DAY_TEXT_COLOR 595
#define IDC_DAY_BACK_COLOR 596
#define IDE_DAY_ORDER_BASE 601       /* + 10k: display order */
#define IDC_DAY_CATEGORY_BASE 602    /* + 10k: category list */
#define IDE_DAY_TEXT_BASE 603        /* + 10k: entry text */
#define IDT_DAY_ROW_SAMPLE_BASE 604  /* + 10k: row sample box */
#define IDC_DAY_ROW_TEXT_COLOR_BASE 605
#define IDC_DAY_ROW_BACK_COLOR_BASE 606
#define IDE_DAY_MARK_BASE 607        /* + 10k: overstrike mark */
#define IDB_DAY_SPAN_BASE 608        /* + 10k: "Ex", opens DAYEXDLG */
#define IDC_DAY_ROW_STEP 10
