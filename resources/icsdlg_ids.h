// Controls of the iCalendar export dialog ICSDLG.
#pragma once

#define IDD_ICSDLG "ICSDLG"
#define IDC_ICS_FIRST_DAY 8301
#define IDC_ICS_LAST_DAY 8302
#define IDE_ICS_PATH 8303
#define IDB_ICS_CHOOSE 8304
// The check boxes in IcsOpt's order.
#define IDX_ICS_REGULAR 8311
#define IDX_ICS_TEMPORARY 8312
#define IDX_ICS_TODO 8313
#define IDX_ICS_HOLIDAYS 8314
#define IDB_ICS_WRITE 8321
#define IDB_ICS_CLOSE 8322
