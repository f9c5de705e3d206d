// Controls of the category dialog TYPEDLG; row k = category k (0..9).
#pragma once

#define IDD_TYPEDLG "TYPEDLG"
#define IDB_TYPE_OK 11
#define IDB_TYPE_CANCEL 12
#define IDB_TYPE_TEXT_COLOR_BASE 2000  /* + k: text colour swatch */
#define IDB_TYPE_BACK_COLOR_BASE 2100  /* + k: background swatch */
#define IDX_TYPE_TEXT_COLOR_BASE 3000  /* + k: text colour in use */
#define IDX_TYPE_BACK_COLOR_BASE 3100  /* + k: background in use */
#define IDE_TYPE_NAME_BASE 5000        /* + k: name */
#define IDX_TYPE_VISIBLE_BASE 6000     /* + k: shown in the view */
