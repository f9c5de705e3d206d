// Controls of the undated data dialog UDATDLG; row k (0..4) uses base + 10k.
#pragma once

#define IDD_UDATDLG "UDATDLG"
#define IDB_UDAT_CLOSE 11
#define IDC_UDAT_DATE 252
#define IDB_UDAT_CLEAR 502
#define IDB_UDAT_CATEGORIES 503
#define IDB_UDAT_COLOR_SETS 504
#define IDB_UDAT_MOVE 506
#define IDB_UDAT_COPY 507
#define IDB_UDAT_TAKE 508
#define IDB_UDAT_UP 509
#define IDB_UDAT_DOWN 510
#define IDS_UDAT_SCROLL 511
#define IDC_UDAT_DAY_ROW 512
#define IDE_UDAT_OFFSET_BASE 601       /* + 10k: display offset */
#define IDC_UDAT_CATEGORY_BASE 602
#define IDE_UDAT_TEXT_BASE 603
#define IDT_UDAT_ROW_SAMPLE_BASE 604
#define IDC_UDAT_ROW_TEXT_COLOR_BASE 605
#define IDC_UDAT_ROW_BACK_COLOR_BASE 606
#define IDE_UDAT_MARK_BASE 607
#define IDC_UDAT_ROW_STEP 10
#define IDR_UDAT_CURRENT_BASE 701      /* + k: radio group 701..705 */
#define IDB_UDAT_PAGE_BASE 711         /* + p: "1".."5", entry 10p first */
