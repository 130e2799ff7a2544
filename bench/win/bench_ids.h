/* The measuring programs' own templates; windres reads this file too. */
#ifndef KELVANE_BENCH_IDS_H
#define KELVANE_BENCH_IDS_H

#define IDD_EMPTY 200
#define IDC_READY 100
#define IDD_FLOOR 201
#define IDC_FLOOR_IN 210
#define IDC_FLOOR_OUT 211
#define IDD_FLOOR_SPIN 202
#define IDC_FLOOR_SPIN 212

#endif
