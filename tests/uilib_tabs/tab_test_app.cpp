// The application object of the tab window tests.
#include "afxwin.h"

class CTabsTestApp : public CWinApp {
public:
    CTabsTestApp() : CWinApp(_T("UilibTabsTests")) {}
};
CTabsTestApp theTabsTestApp;
