/* Resource identifiers shared by the resource script and the code.
   Plain #defines only: windres reads this file too. */
#ifndef KELVANE_RESOURCE_H
#define KELVANE_RESOURCE_H

#define IDM_ABOUTBOX 0x0010

#define IDD_ABOUTBOX 100
#define IDD_CALCULATE_PAGE 101
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102
#define IDD_HELP_PAGE 103

#define IDR_MAINFRAME 128
#define IDI_SIZE 131
#define IDI_LENGTH 132
#define IDI_RESULT 133
#define IDI_AUDIO 134
#define IDB_ABOUT 138
#define IDB_BANNER 140
#define IDR_ALERT_SOUND 150

#define IDC_TABS 1000
#define IDC_LENGTH 1001
#define IDC_AUDIO 1003
#define IDC_RESULT 1004
#define IDC_HELP_TEXT 1005
#define IDC_LENGTH_SPIN 1006
#define IDC_ABOUT 1007
/* winuser.h has an obsolete cursor of this name; ours is the megabyte box. */
#undef IDC_SIZE
#define IDC_SIZE 1008
#define IDC_DISCS 1009
#define IDC_SIZE_SPIN 1010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif /* KELVANE_RESOURCE_H */
