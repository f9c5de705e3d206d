// Controls of the password dialog PASSDLG.
#pragma once

#define IDD_PASSDLG "PASSDLG"
#define IDB_PASS_OK 11
#define IDB_PASS_CANCEL 12
#define IDE_PASS_PASSWORD 21
#define IDE_PASS_CONFIRM 22
#define IDT_PASS_CONFIRM 23
#define IDX_PASS_SHOW 24
