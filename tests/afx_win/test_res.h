// Resource ids of the window-half tests.
#define IDD_DATA      100
#define IDD_PAGE1     101
#define IDD_PAGE2     102
#define IDD_HOST      103
#define IDD_BADINIT   104
#define IDC_NAME      1001
#define IDC_COUNT     1002
#define IDC_RATIO     1003
#define IDC_CHECK     1004
#define IDC_RADIO1    1005
#define IDC_RADIO2    1006
#define IDC_RADIO3    1007
#define IDC_COMBO     1008
#define IDC_PAGE_EDIT 1010
#define IDC_SHEET_AREA 1011
#define IDS_SHEET_CAPTION 200
#define IDS_PAGE2_CAPTION 201
