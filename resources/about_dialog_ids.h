// Controls of the About box ABOUTDLG; the program icon is IDI_HIYOMI of
// main_dialog_ids.h.
#pragma once

#define IDD_ABOUTDLG "ABOUTDLG"
#define IDB_ABOUT_OK 1
#define IDT_ABOUT_PRODUCT 2
#define IDT_ABOUT_VERSION 3
#define IDT_ABOUT_LEGAL 4
#define IDT_ABOUT_LINK 5
