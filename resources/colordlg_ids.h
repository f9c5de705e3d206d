// Controls of the colour set dialog COLORDLG; row k = entry k (0..9).
#pragma once

#define IDD_COLORDLG "COLORDLG"
#define IDB_COLOR_OK 11
#define IDB_COLOR_CANCEL 12
#define IDB_COLOR_TEXT_BASE 2000       /* + k: text colour swatch */
#define IDB_COLOR_BACK_BASE 2100       /* + k: background swatch */
#define IDE_COLOR_TEXT_NAME_BASE 5000  /* + k: text colour name */
#define IDE_COLOR_BACK_NAME_BASE 5010  /* + k: background name */
