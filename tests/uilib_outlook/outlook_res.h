// Resource ids of the outlook tests.
#pragma once
#define IDB_ICONS 300
#define IDB_BACK 301
#define IDD_PAGE 310
#define IDS_PAGE_FIRST 320
#define IDS_PAGE_COUNT 8
#define IDR_BAR_WIDE 330
#define IDR_BAR_NARROW 331
