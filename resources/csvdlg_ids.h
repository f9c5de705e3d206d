// Controls of the CSV export dialog CSVDLG.
#pragma once

#define IDD_CSVDLG "CSVDLG"
#define IDC_CSV_FIRST_DAY 8101
#define IDC_CSV_LAST_DAY 8102
#define IDE_CSV_PATH 8103
#define IDB_CSV_CHOOSE 8104
// The six check boxes in CSVOpt's order, characters 2 to 7.
#define IDX_CSV_ONLY_DAYS_WITH_ENTRIES 8111
#define IDX_CSV_ONE_ENTRY_PER_LINE 8112
#define IDX_CSV_WEEKDAY 8113
#define IDX_CSV_HOLIDAY 8114
#define IDX_CSV_ROKUYO 8115
#define IDX_CSV_SOLAR_TERM 8116
// The separator radio group, in the order of CSVOpt's first digit.
#define IDR_CSV_COMMA 8121
#define IDR_CSV_TAB 8122
#define IDR_CSV_LINE_BREAK 8123
#define IDB_CSV_WRITE 7047
#define IDB_CSV_CLOSE 11
