// Controls of the continuous-setting dialog DAYEXDLG.
#pragma once

#define IDD_DAYEXDLG "DAYEXDLG"
#define IDB_SPAN_OK 11
#define IDB_SPAN_CANCEL 12
#define IDT_SPAN_TEXT 801
#define IDT_SPAN_START 802
#define IDC_SPAN_END 803
#define IDE_SPAN_DAYS 804
#define IDC_SPAN_DAYS_SPIN 805
#define IDR_SPAN_PERIOD 806  /* radio group 806..807 */
#define IDR_SPAN_COPY 807
#define IDX_SPAN_OVERWRITE_LAST 808
