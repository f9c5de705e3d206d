// Setup's window MAINDLG: its template has no controls; these are the ids
// of the controls made when it opens. Row i's ids are the first row's plus
// i × IDC_SETUP_ROW_STEP.
#pragma once

#define IDD_SETUP_MAIN "MAINDLG"
#define IDI_SETUP 100
#define IDE_SETUP_TARGET 200
#define IDB_SETUP_BROWSE 201
#define IDC_SETUP_ROW_STEP 10
#define IDT_SETUP_VERSION 301
#define IDR_SETUP_SKIP 302
#define IDR_SETUP_ADD 303
#define IDR_SETUP_OVERWRITE 304
#define IDX_SETUP_BACKUP 305
#define IDB_SETUP_RUN 400
#define IDB_SETUP_CANCEL 401
#define IDX_SETUP_DELETE_SOURCES 402
