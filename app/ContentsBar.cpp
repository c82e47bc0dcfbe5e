// ContentsBar.cpp - the contents pane.
#include "ContentsBar.h"

#include "AppState.h"
#include "TomewiseApp.h"
#include "TomewiseView.h"
#include "nsFileURL.h"

BEGIN_MESSAGE_MAP(CContentsBar, CSPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_COMMAND(ID_OPEN_SELECTED_PAGE, OnOpenSelectedPage)
END_MESSAGE_MAP()

CContentsBar::CContentsBar() { memset(m_szDocName, 0, sizeof(m_szDocName)); }

CContentsBar::~CContentsBar() {}

int CContentsBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPDockingControlBar::OnCreate(lpCreateStruct) == -1) return -1;
    if (!m_wndTree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, CRect(0, 0, 0, 0),
                          this, 1))
        return -1;
    return 0;
}

void CContentsBar::OnSize(UINT nType, int cx, int cy) {
    CSPDockingControlBar::OnSize(nType, cx, cy);
    if (m_wndTree.GetSafeHwnd() != NULL)
        m_wndTree.SetWindowPos(NULL, 1, 1, cx - 2, cy - 2, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CContentsBar::OnPaint() {
    CPaintDC dc(this);
    if (m_wndTree.GetSafeHwnd() == NULL) return;
    CRect rect;
    m_wndTree.GetWindowRect(rect);
    ScreenToClient(rect);
    rect.InflateRect(1, 1);
    dc.Draw3dRect(rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
}

CString CContentsBar::GetSelectedPageURL() const {
    HTREEITEM hItem = m_wndTree.GetSelectedItem();
    LPCTSTR pszPage = hItem != NULL ? m_wndTree.GetPagePath(hItem) : NULL;
    if (pszPage == NULL || *pszPage == 0 || g_szChmFolder[0] == 0) return CString();
    // The one URL builder escapes '#', '%' and blanks in the folder and the
    // page, so a CHM named "C#.chm" still opens its pages.
    return CString(NS_BuildFileURL(g_szChmFolder, pszPage).c_str());
}

void CContentsBar::OnOpenSelectedPage() {
    if (g_bConverting) return;
    CString strURL = GetSelectedPageURL();
    if (strURL.IsEmpty()) return;
    CTomewiseView* pView = AfxGetContentsView();
    if (pView != NULL) pView->Navigate2(strURL);
}
