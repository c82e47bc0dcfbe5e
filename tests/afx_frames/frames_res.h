// Resource ids of the frame tests.
#define IDR_MAINFRAME      128
#define IDR_DOCTYPE        129
#define IDR_SDIFRAME       130
#define ID_TEST_VIEWCMD    0x8001
#define ID_TEST_DOCCMD     0x8002
#define ID_TEST_TEMPLCMD   0x8003
#define ID_TEST_FRAMECMD   0x8004
#define ID_TEST_APPCMD     0x8005
#define ID_TEST_ALLCMD     0x8006
#define ID_TEST_NOHANDLER  0x8007
#define ID_TEST_DISABLED   0x8008
