#include "SPMainClientAreaWnd.h"
#include <algorithm>

#include "SPMDIChildWnd.h"
#include "SPMDIFrameWnd.h"
#include "SPMenuBar.h"

IMPLEMENT_DYNAMIC(CSPMainClientAreaWnd, CWnd)

BEGIN_MESSAGE_MAP(CSPMainClientAreaWnd, CWnd)
    ON_MESSAGE(WM_MDISETMENU, OnSetMenu)
    ON_MESSAGE(WM_MDIREFRESHMENU, OnRefreshMenu)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_MDIDESTROY, OnMDIDestroy)
    ON_MESSAGE(SP_WM_UPDATE_MDI_TABS, OnUpdateTabs)
END_MESSAGE_MAP()

void CSPMDITabWnd::InsertTab(CWnd* pNewWnd, LPCTSTR lpszTabLabel, int nInsertAt, UINT uiImageId, BOOL /*bDetachable*/) {
    // A tab window shows the window of the tab it makes active and hides
    // the others; a document's window shows as MDI decides (hiding one would
    // give the activation to another), so the record goes in alone. A
    // document cannot be torn out of the client.
    if (pNewWnd == NULL || pNewWnd->GetSafeHwnd() == NULL) return;
    if (nInsertAt < 0 || nInsertAt > m_iTabsNum) nInsertAt = m_iTabsNum;
    CSPTabInfo* pTab = new CSPTabInfo(lpszTabLabel != NULL ? lpszTabLabel : _T(""), uiImageId, pNewWnd, m_nNextTabID, FALSE);
    m_arTabs.InsertAt(nInsertAt, pTab);
    m_iTabsNum++;
    if (m_ToolTip.GetSafeHwnd() != NULL) {
        CRect rectEmpty(0, 0, 0, 0);
        m_ToolTip.AddTool(this, pTab->m_strText, &rectEmpty, pTab->m_uiTabID);
    }
    m_nNextTabID++;
    if (m_iActiveTab < 0)
        m_iActiveTab = nInsertAt;
    else if (nInsertAt <= m_iActiveTab)
        m_iActiveTab++;
    RecalcLayout();
}

CSPMainClientAreaWnd::CSPMainClientAreaWnd()
    : m_nTabLocation(CSPTabWnd::LOCATION_BOTTOM),
      m_bTabsShown(FALSE),
      m_bTabsEnabled(FALSE),
      m_bTabIcons(TRUE),
      m_bTabCloseButton(FALSE) {
    m_mapIcons.InitHashTable(17);
}

CSPMainClientAreaWnd::~CSPMainClientAreaWnd() {}

CSPMDIFrameWnd* CSPMainClientAreaWnd::GetMDIFrame() const {
    return GetSafeHwnd() != NULL ? DYNAMIC_DOWNCAST(CSPMDIFrameWnd, GetParentFrame()) : NULL;
}

void CSPMainClientAreaWnd::PreSubclassWindow() {
    CWnd::PreSubclassWindow();
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL ||
        !m_wndTab.Create(CSPTabWnd::STYLE_3D_SCROLLED, CRect(0, 0, 0, 0), pFrame, (UINT)-1,
                         (CSPTabWnd::Location)m_nTabLocation, m_bTabCloseButton))
        return;
    m_wndTab.SetTabBorderSize(1, FALSE);
    m_wndTab.SetDrawOption(TRUE, FALSE);
    m_wndTab.HideSingleTab(TRUE);
    // The documents are the client's children, not the tab window's: the
    // tabs only point at them. The tab window neither hides nor moves them.
    m_wndTab.m_bHideInactiveWnd = FALSE;
    m_wndTab.m_bAutoSizeWindow = FALSE;
    m_wndTab.m_bActivateLastOnRemove = FALSE;
    // Removing a tab leaves its document alone.
    m_wndTab.m_bIsDockingSite = FALSE;
    // It lies below the client, which covers its window area.
    m_wndTab.ModifyStyle(0, WS_CLIPSIBLINGS);
    m_wndTab.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!m_bTabsShown) m_wndTab.ShowWindow(SW_HIDE);
    m_TabIcons.Create(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), ILC_COLOR8 | ILC_MASK, 0, 1);
}

void CSPMainClientAreaWnd::EnableMDITabs(BOOL bEnable, BOOL bIcons, CSPTabWnd::Location location, BOOL bCloseButton) {
    m_bTabsEnabled = m_bTabsShown = bEnable;
    m_bTabIcons = bIcons;
    m_nTabLocation = location;
    m_bTabCloseButton = bCloseButton;
    if (m_wndTab.GetSafeHwnd() == NULL) return;
    m_wndTab.SetLocationAndCloseButton(location, bCloseButton);
    if (bEnable) UpdateTabs();
    m_wndTab.RecalcLayout();
    CFrameWnd* pFrame = GetSafeHwnd() != NULL ? GetParentFrame() : NULL;
    if (pFrame == NULL) return;
    pFrame->RecalcLayout(TRUE);
    const UINT uiRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW;
    m_wndTab.RedrawWindow(NULL, NULL, uiRedraw);
    RedrawWindow(NULL, NULL, uiRedraw);
}

int CSPMainClientAreaWnd::ImageOfIcon(HICON hIcon) {
    if (hIcon == NULL || m_TabIcons.GetSafeHandle() == NULL) return -1;
    int iImage = -1;
    if (m_mapIcons.Lookup(hIcon, iImage)) return iImage;
    // Two documents with the same class icon share its image.
    iImage = m_TabIcons.Add(hIcon);
    if (iImage < 0) return -1;
    m_mapIcons.SetAt(hIcon, iImage);
    if (m_TabIcons.GetImageCount() == 1) m_wndTab.SetImageList(m_TabIcons.GetSafeHandle());
    return iImage;
}

void CSPMainClientAreaWnd::UpdateTabs() {
    // Not in print preview, nor before the tab window exists.
    if (m_wndTab.GetSafeHwnd() == NULL || !m_bTabsShown || GetSafeHwnd() == NULL) return;

    for (POSITION pos = m_lstHiddenDocuments.GetHeadPosition(); pos != NULL;) {
        const POSITION posThis = pos;
        if (::GetParent(m_lstHiddenDocuments.GetNext(pos)) != m_hWnd) m_lstHiddenDocuments.RemoveAt(posThis);
    }
    BOOL bChanged = FALSE, bAdded = FALSE;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CWnd* pWnd = CWnd::FromHandle(hChild);
        CSPMDIChildWnd* pMDIChild = DYNAMIC_DOWNCAST(CSPMDIChildWnd, CWnd::FromHandlePermanent(hChild));

        int iImage = -1;
        if (m_bTabIcons) {
            HICON hIcon = NULL;
            if (pMDIChild != NULL) {
                hIcon = pMDIChild->GetFrameIcon();
            } else {
                hIcon = (HICON)::SendMessage(hChild, WM_GETICON, ICON_SMALL, 0);
                if (hIcon == NULL) hIcon = (HICON)::GetClassLongPtr(hChild, GCLP_HICONSM);
            }
            iImage = ImageOfIcon(hIcon);
        }
        CString strLabel;
        if (pMDIChild != NULL)
            strLabel = pMDIChild->GetFrameText();
        else
            pWnd->GetWindowText(strLabel);

        const int iTab = m_wndTab.GetTabFromHwnd(hChild);
        const BOOL bVisible = ::IsWindowVisible(hChild);
        POSITION posHidden = m_lstHiddenDocuments.Find(hChild);
        if (bVisible && posHidden != NULL) {
            m_lstHiddenDocuments.RemoveAt(posHidden);
            posHidden = NULL;
        }
        if (iTab < 0) {
            // A new document gets its tab when its title is first set, before
            // it shows; one that was hidden gets it back when it shows again.
            if (pMDIChild != NULL && pMDIChild->IsBeingDestroyed()) continue;
            if (posHidden != NULL) continue;
            // (not detachable: a document cannot leave the client)
            m_wndTab.AddTab(pWnd, strLabel, (UINT)iImage, FALSE);
            bChanged = bAdded = TRUE;
        } else if (!bVisible) {
            m_wndTab.RemoveTab(iTab);
            if (m_lstHiddenDocuments.Find(hChild) == NULL) m_lstHiddenDocuments.AddTail(hChild);
            bChanged = TRUE;
        } else {
            CString strTabLabel;
            m_wndTab.GetTabLabel(iTab, strTabLabel);
            if (strTabLabel != strLabel) {
                m_wndTab.SetTabLabel(iTab, strLabel);
                bChanged = TRUE;
            }
            if (m_wndTab.GetTabIcon(iTab) != (UINT)iImage) {
                m_wndTab.SetTabIcon(iTab, (UINT)iImage);
                bChanged = TRUE;
            }
        }
    }
    if (bAdded) {
        // The selected tab is the active document's (the new one once it
        // shows and is activated).
        CSPMDIFrameWnd* pFrame = GetMDIFrame();
        CWnd* pActive = pFrame != NULL ? pFrame->MDIGetActive() : NULL;
        const int iActive = pActive != NULL ? m_wndTab.GetTabFromHwnd(pActive->GetSafeHwnd()) : -1;
        m_wndTab.SetActiveTab(iActive >= 0 ? iActive : m_wndTab.GetTabsNum() - 1);
    }
    if (bChanged) {
        m_wndTab.Invalidate();
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != NULL) pFrame->RecalcLayout(TRUE);
    }
}

void CSPMainClientAreaWnd::SetActiveTab(CWnd* pWnd) {
    if (!m_bTabsShown || m_wndTab.GetSafeHwnd() == NULL || pWnd->GetSafeHwnd() == NULL) return;
    // A document whose title never changed after its creation gets its tab
    // when it first becomes active.
    if (m_wndTab.GetTabFromHwnd(pWnd->GetSafeHwnd()) < 0) UpdateTabs();
    const int iTab = m_wndTab.GetTabFromHwnd(pWnd->GetSafeHwnd());
    if (iTab >= 0) m_wndTab.SetActiveTab(iTab);
}

void CSPMainClientAreaWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
    if (m_wndTab.GetSafeHwnd() != NULL && GetSafeHwnd() != NULL) {
        CRect rect(lpClientRect);
        BOOL bTabMoved = FALSE;
        if (m_bTabsShown) {
            CRect rectOld;
            m_wndTab.GetWindowRect(rectOld);
            m_wndTab.SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                                  SWP_NOZORDER | SWP_NOACTIVATE);
            // The client fills the tab window's display area.
            CRect rectTabClient;
            m_wndTab.GetClientRect(rectTabClient);
            const CRect& rectArea = m_wndTab.GetWndArea();
            rect.left += rectArea.left - rectTabClient.left;
            rect.top += rectArea.top - rectTabClient.top;
            rect.right -= rectTabClient.right - rectArea.right;
            rect.bottom -= rectTabClient.bottom - rectArea.bottom;
            if (rect.right < rect.left) rect.right = rect.left;
            if (rect.bottom < rect.top) rect.bottom = rect.top;
            m_wndTab.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0,
                                  SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            CRect rectNew;
            m_wndTab.GetWindowRect(rectNew);
            bTabMoved = rectNew != rectOld;
        } else {
            m_wndTab.ShowWindow(SW_HIDE);
        }

        CRect rectOldClient;
        GetWindowRect(rectOldClient);
        SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);

        if (!m_bTabsShown) {
            // Minimised documents stay on the client's bottom edge.
            const int nDelta = rect.Height() - rectOldClient.Height();
            if (nDelta != 0) {
                for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL;
                     hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
                    if (::IsZoomed(hChild)) break;
                    if (!::IsIconic(hChild)) continue;
                    CRect rectChild;
                    ::GetWindowRect(hChild, rectChild);
                    ScreenToClient(rectChild);
                    const int y = std::max(0, (int)rectChild.top + nDelta);
                    ::SetWindowPos(hChild, NULL, rectChild.left, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                }
            }
        }
        if (bTabMoved) RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        *lpClientRect = rect;
    }
    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

// --- messages ----------------------------------------------------------------------------

LRESULT CSPMainClientAreaWnd::OnSetMenu(WPARAM wParam, LPARAM lParam) {
    CSPMDIFrameWnd* pFrame = GetMDIFrame();
    // The menu bar shows the frame menu: MDI only keeps its window list in
    // the window menu.
    if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL && pFrame->OnSetMenu((HMENU)wParam)) wParam = 0;
    return DefWindowProc(WM_MDISETMENU, wParam, lParam);
}

LRESULT CSPMainClientAreaWnd::OnRefreshMenu(WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = DefWindowProc(WM_MDIREFRESHMENU, wParam, lParam);
    CSPMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && pFrame->GetMenuBar() != NULL)
        pFrame->SetWindowMenuPopup(pFrame->GetWindowMenuPopup(pFrame->GetMenuBar()->GetHMenu()));
    return lResult;
}

BOOL CSPMainClientAreaWnd::OnEraseBkgnd(CDC* pDC) {
    CSPMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && pFrame->OnEraseMDIClientBackground(pDC)) return TRUE;
    return (BOOL)Default();
}

LRESULT CSPMainClientAreaWnd::OnMDIDestroy(WPARAM wParam, LPARAM lParam) {
    CSPMDIFrameWnd* pFrame = GetMDIFrame();
    const BOOL bFrameClosing = pFrame == NULL || pFrame->IsClosing();
    int nTabHeightOld = 0;
    if (m_wndTab.GetSafeHwnd() != NULL) {
        CRect rect;
        m_wndTab.GetWindowRect(rect);
        nTabHeightOld = rect.Height();
    }
    if (!bFrameClosing) pFrame->SendMessage(WM_SETREDRAW, FALSE);

    const HWND hChild = (HWND)wParam;
    const int iTab = m_wndTab.GetSafeHwnd() != NULL ? m_wndTab.GetTabFromHwnd(hChild) : -1;
    if (iTab >= 0) {
        CSPMDIChildWnd* pMDIChild = DYNAMIC_DOWNCAST(CSPMDIChildWnd, CWnd::FromHandlePermanent(hChild));
        if (pMDIChild != NULL) pMDIChild->SetBeingDestroyed();
        m_wndTab.RemoveTab(iTab);
    }

    const LRESULT lResult = DefWindowProc(WM_MDIDESTROY, wParam, lParam);

    if (m_wndTab.GetSafeHwnd() != NULL && pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd())) {
        CRect rect;
        m_wndTab.GetWindowRect(rect);
        if (rect.Height() != nTabHeightOld) pFrame->RecalcLayout();
    }
    if (!bFrameClosing && ::IsWindow(pFrame->GetSafeHwnd())) {
        pFrame->SendMessage(WM_SETREDRAW, TRUE);
        pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    return lResult;
}

LRESULT CSPMainClientAreaWnd::OnUpdateTabs(WPARAM, LPARAM) {
    UpdateTabs();
    return 0;
}
