#include "SPPropertyPage.h"

IMPLEMENT_DYNCREATE(CSPPropertyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CSPPropertyPage, CPropertyPage)
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSPPropertyPage::CSPPropertyPage() : m_Impl(this) {}

CSPPropertyPage::CSPPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CPropertyPage(nIDTemplate, nIDCaption), m_Impl(this) {}

CSPPropertyPage::CSPPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
    : CPropertyPage(lpszTemplateName, nIDCaption), m_Impl(this) {}

CSPPropertyPage::~CSPPropertyPage() {}

BOOL CSPPropertyPage::OnSetActive() {
    if (ISPPropertySheet* pSheet = dynamic_cast<ISPPropertySheet*>(GetParent())) pSheet->OnActivatePage(this);
    return CPropertyPage::OnSetActive();
}

void CSPPropertyPage::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CPropertyPage::OnActivate(nState, pWndOther, bMinimized);
    m_Impl.OnActivate(nState, pWndOther);
}

BOOL CSPPropertyPage::OnNcActivate(BOOL bActive) {
    m_Impl.OnNcActivate(bActive);
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0L);
}

void CSPPropertyPage::OnDestroy() {
    m_Impl.Release();
    CPropertyPage::OnDestroy();
}

BOOL CSPPropertyPage::PreTranslateMessage(MSG* pMsg) {
    if (m_Impl.ProcessMessage(pMsg)) return TRUE;
    return CPropertyPage::PreTranslateMessage(pMsg);
}

BOOL CSPPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (m_Impl.OnMenuCommand(wParam, lParam)) return TRUE;
    return CPropertyPage::OnCommand(wParam, lParam);
}
