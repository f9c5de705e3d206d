// Controls of the group dialog SPDDLG "定期予定グループ設定": the row list
// and one row with the offsets of the page's rows (optpage_data_ids.h).
#pragma once

#define IDD_SPDDLG "SPDDLG"
#define IDB_GROUP_OK 11
#define IDB_GROUP_CANCEL 12
#define IDC_GROUP_ROW_FIRST 4900  /* + IDO_REGULAR_NAME ... IDO_REGULAR_SHIFT */
#define IDC_GROUP_ROW_LIST 4999   /* " 2" .. "10" */
