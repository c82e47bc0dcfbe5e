#include "SPOutlookBar.h"

#include "SPDockManager.h"
#include "SPGlobalData.h"
#include "SPDockingUtils.h"
#include "SPOutlookBarPane.h"
#include "SPOutlookWnd.h"
#include "SPRegistry.h"
#include "SPVisualManager.h"

// --- the wrapper of pages ------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CSPOutlookBarDockingPane, CSPDockingCBWrapper)

CSPOutlookBarDockingPane::CSPOutlookBarDockingPane() {
    // A pane dropped on a wrapped page makes an outlook bar of them.
    m_pTabbedControlBarRTC = RUNTIME_CLASS(CSPOutlookBar);
    // The object lives as long as its window (the wrapper's PostNcDestroy
    // deletes it, once).
    m_bAutoDelete = TRUE;
}

CSPOutlookBarDockingPane::~CSPOutlookBarDockingPane() {}

// --- the bar -----------------------------------------------------------------------------------

IMPLEMENT_SERIAL(CSPOutlookBar, CSPBaseTabbedBar, VERSIONABLE_SCHEMA | 1)

BOOL CSPOutlookBar::s_bCustomPageIDs[CSPOutlookBar::nMaxCustomPages] = {FALSE};

static LPCTSTR const s_lpszCustomPagesSection = _T("SPOutlookBars");
static LPCTSTR const s_lpszCustomPagesValue = _T("SPOutlookCustomPages");

BEGIN_MESSAGE_MAP(CSPOutlookBar, CSPBaseTabbedBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CSPOutlookBar::CSPOutlookBar() : m_lstCustomPages(10) {}

CSPOutlookBar::~CSPOutlookBar() { DeleteCustomPages(); }

void CSPOutlookBar::DeleteCustomPages() {
    // The ids go back to the process with the pages: a bar made again
    // (another frame, a reloaded layout) can load its pages once more.
    while (!m_lstCustomPages.IsEmpty()) {
        CSPOutlookBarPane* pPage = (CSPOutlookBarPane*)m_lstCustomPages.RemoveHead();
        const UINT uiID = pPage->GetSafeHwnd() != NULL ? (UINT)pPage->GetDlgCtrlID() : pPage->GetID();
        if (IsCustomPageID(uiID)) s_bCustomPageIDs[uiID - nFirstCustomPageID] = FALSE;
        delete pPage;
    }
}

BOOL CSPOutlookBar::IsCustomPageIDInUse(UINT uiID) {
    return IsCustomPageID(uiID) && s_bCustomPageIDs[uiID - nFirstCustomPageID];
}

int CSPOutlookBar::FirstFreeCustomPageID() {
    for (int i = 0; i < nMaxCustomPages; i++)
        if (!s_bCustomPageIDs[i]) return nFirstCustomPageID + i;
    return -1;
}

CSPOutlookWnd* CSPOutlookBar::GetOutlookWnd() const { return DYNAMIC_DOWNCAST(CSPOutlookWnd, m_pTabWnd); }

BOOL CSPOutlookBar::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, UINT nID, DWORD dwStyle,
                           DWORD dwSPBarStyle, CCreateContext* pContext) {
    if (!CSPDockingControlBar::Create(lpszCaption, pParentWnd, rect, FALSE, nID, dwStyle, 0x40, dwSPBarStyle,
                                      pContext))
        return FALSE;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
    if (pFrame == NULL) pFrame = SPGetParentFrame(this);
    CSPDockManager* pDockManager = CSPDockingUtils::GetDockManager(pFrame);
    if ((dwSPBarStyle & SPCBRS_RESIZE) != 0) {
        // Docked at once at the default place: the side of its alignment.
        EnableDocking(CBRS_ALIGN_ANY);
        if (DockToFrameSide()) return TRUE;
    }
    if (pDockManager != NULL) pDockManager->AddControlBar(this);
    return TRUE;
}

int CSPOutlookBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPDockingControlBar::OnCreate(lpCreateStruct) == -1) return -1;
    CSPOutlookWnd* pOutlookWnd = new CSPOutlookWnd;
    // Pages that are no docking panes are wrapped, so that they can be
    // dragged and stored like panes.
    pOutlookWnd->EnableWrapping(TRUE);
    if (!pOutlookWnd->Create(CRect(0, 0, lpCreateStruct->cx, lpCreateStruct->cy), this, 101)) {
        delete pOutlookWnd;
        return -1;
    }
    pOutlookWnd->SetWrapperClass(RUNTIME_CLASS(CSPOutlookBarDockingPane));
    // A bar that floats shows a single page without its button.
    if (CanFloat()) pOutlookWnd->SetLocation(CSPBaseTabWnd::LOCATION_TOP);
    m_pTabWnd = pOutlookWnd;
    return 0;
}

void CSPOutlookBar::OnPaint() {
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    CSPVisualManager::GetInstance()->OnFillBarBackground(&dc, this, rectClient, rectClient, FALSE);
}

// --- custom pages --------------------------------------------------------------------------------

CSPOutlookBarPane* CSPOutlookBar::CreateCustomPage(UINT uiID, LPCTSTR lpszLabel) {
    CSPOutlookBarPane* pPage = new CSPOutlookBarPane;
    if (!pPage->CreatePane(this, dwCustomPageStyle, uiID, 0)) {
        delete pPage;
        return NULL;
    }
    CWnd* pOwner = GetOwner();
    pPage->SetOwner(pOwner != NULL ? pOwner : GetParent());
    pPage->SetWindowText(lpszLabel != NULL ? lpszLabel : _T(""));
    return pPage;
}

CSPOutlookBarPane* CSPOutlookBar::AddCustomPage(LPCTSTR lpszLabel, BOOL bActivate, DWORD dwEnabledDocking,
                                                BOOL bEnableTextLabels) {
    if (GetSafeHwnd() == NULL || m_pTabWnd == NULL) return NULL;
    const int nID = FirstFreeCustomPageID();
    if (nID < 0) return NULL;
    CSPOutlookBarPane* pPage = CreateCustomPage((UINT)nID, lpszLabel);
    if (pPage == NULL) return NULL;
    pPage->EnableDocking(dwEnabledDocking);
    pPage->EnableTextLabels(bEnableTextLabels);
    const int nTabs = m_pTabWnd->GetTabsNum();
    AddTab(pPage, TRUE, FALSE, TRUE);
    if (m_pTabWnd->GetTabsNum() == nTabs) {
        pPage->DestroyWindow();
        delete pPage;
        return NULL;
    }
    m_lstCustomPages.AddTail(pPage);
    s_bCustomPageIDs[nID - nFirstCustomPageID] = TRUE;
    if (bActivate) ActivateTab(m_pTabWnd->GetTabsNum() - 1);
    return pPage;
}

BOOL CSPOutlookBar::RemoveCustomPage(int iPage, CSPOutlookWnd* pTabWnd) {
    CSPOutlookWnd* pOutlookWnd = GetOutlookWnd();
    if (pOutlookWnd == NULL || (pTabWnd != NULL && pTabWnd != pOutlookWnd)) return FALSE;
    if (iPage < 0 || iPage >= pOutlookWnd->GetTabsNum()) return FALSE;
    CSPOutlookBarPane* pPage = pOutlookWnd->GetTabPage(iPage);
    POSITION pos = pPage != NULL ? m_lstCustomPages.Find(pPage) : NULL;
    if (pos == NULL) return FALSE;
    const UINT uiID = (UINT)pPage->GetDlgCtrlID();
    if (!IsCustomPageID(uiID)) return FALSE;

    s_bCustomPageIDs[uiID - nFirstCustomPageID] = FALSE;
    m_lstCustomPages.RemoveAt(pos);
    // This one tab takes its window (the wrapper and the page) along.
    const BOOL bDestroy = pOutlookWnd->m_bIsDockingSite;
    pOutlookWnd->m_bIsDockingSite = TRUE;
    pOutlookWnd->RemoveTab(iPage, TRUE);
    pOutlookWnd->m_bIsDockingSite = bDestroy;
    delete pPage;
    UpdateCaptionFromActiveTab();
    return TRUE;
}

void CSPOutlookBar::HandOverCustomPage(CSPOutlookBarPane* pPage, CSPOutlookBar* pNewBar) {
    POSITION pos = m_lstCustomPages.Find(pPage);
    if (pos == NULL || pNewBar == NULL || pNewBar == this) return;
    m_lstCustomPages.RemoveAt(pos);
    pNewBar->m_lstCustomPages.AddTail(pPage);
}

CString CSPOutlookBar::GetCustomPagesKey(LPCTSTR lpszProfileName, int nIndex, UINT uiID) const {
    const CString strPath = SPGetRegPath(s_lpszCustomPagesSection, lpszProfileName);
    if (nIndex == -1) nIndex = GetSafeHwnd() != NULL ? GetDlgCtrlID() : 0;
    CString strKey;
    if (uiID == (UINT)-1)
        strKey.Format("%sSPOutlookBar-%d", (LPCTSTR)strPath, nIndex);
    else
        strKey.Format("%ssSPOutlookBar-%d%x", (LPCTSTR)strPath, nIndex, uiID);
    return strKey;
}

BOOL CSPOutlookBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    const BOOL bBase = CSPBaseTabbedBar::SaveState(lpszProfileName, nIndex, uiID);
    for (POSITION pos = m_lstCustomPages.GetHeadPosition(); pos != NULL;) {
        CSPOutlookBarPane* pPage = (CSPOutlookBarPane*)m_lstCustomPages.GetNext(pos);
        if (pPage->GetSafeHwnd() != NULL) pPage->SaveState(lpszProfileName, pPage->GetDlgCtrlID(), pPage->GetDlgCtrlID());
    }

    BOOL bWritten = FALSE;
    CMemFile file(1024);
    BOOL bSerialized = FALSE;
    TRY {
        CArchive ar(&file, CArchive::store);
        ar << (DWORD)m_lstCustomPages.GetCount();
        for (POSITION pos = m_lstCustomPages.GetHeadPosition(); pos != NULL;) {
            CSPOutlookBarPane* pPage = (CSPOutlookBarPane*)m_lstCustomPages.GetNext(pos);
            CString strLabel;
            if (pPage->GetSafeHwnd() != NULL) {
                // A wrapped page is known by its wrapper's text, which the
                // tab's label (and a rename) sets.
                CWnd* pParent = pPage->GetParent();
                if (pParent != NULL && pParent != m_pTabWnd)
                    pParent->GetWindowText(strLabel);
                else
                    pPage->GetWindowText(strLabel);
            }
            ar << (DWORD)(pPage->GetSafeHwnd() != NULL ? pPage->GetDlgCtrlID() : 0);
            ar << strLabel;
        }
        ar.Close();
        bSerialized = TRUE;
    }
    CATCH_ALL(e) { e->Delete(); }
    END_CATCH_ALL

    if (bSerialized) {
        const CString strKey = GetCustomPagesKey(lpszProfileName, nIndex, uiID);
        const UINT nBytes = (UINT)file.GetLength();
        BYTE* pData = file.Detach();
        CSPRegistryPtr reg;
        CSPRegistry* pReg = reg.Create(FALSE, FALSE);
        if (pReg != NULL && pReg->CreateKey(strKey)) bWritten = pReg->Write(s_lpszCustomPagesValue, pData, nBytes);
        free(pData);
    }
    // The bar and its tabs are saved whatever happened to the pages, but a
    // state whose pages were not written is no success.
    return bWritten && bBase;
}

BOOL CSPOutlookBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    CSPBaseTabbedBar::LoadState(lpszProfileName, nIndex, uiID);
    if (GetSafeHwnd() == NULL || m_pTabWnd == NULL) return FALSE;
    const CString strKey = GetCustomPagesKey(lpszProfileName, nIndex, uiID);
    BYTE* pData = NULL;
    UINT nBytes = 0;
    {
        CSPRegistryPtr reg;
        CSPRegistry* pReg = reg.Create(FALSE, TRUE);
        if (pReg == NULL || !pReg->Open(strKey)) return FALSE;
        if (!pReg->Read(s_lpszCustomPagesValue, &pData, &nBytes) || pData == NULL) {
            delete[] pData;
            return FALSE;
        }
    }

    CMemFile file(pData, nBytes);
    TRY {
        CArchive ar(&file, CArchive::load);
        DWORD dwCount = 0;
        ar >> dwCount;
        for (DWORD i = 0; i < dwCount; i++) {
            DWORD dwID = 0;
            CString strLabel;
            ar >> dwID >> strLabel;
            // A stored id outside the range, or one a page already has,
            // ends the list as damage does; the pages read so far stay.
            if (!IsCustomPageID(dwID) || s_bCustomPageIDs[dwID - nFirstCustomPageID]) break;
            CSPOutlookBarPane* pPage = CreateCustomPage(dwID, strLabel);
            if (pPage == NULL) break;
            pPage->LoadState(lpszProfileName, (int)dwID, dwID);
            // The toolbar state brings the page's name as it was before a
            // rename of its tab; the label stored here is the page's.
            pPage->SetWindowText(strLabel);
            const int nTabs = m_pTabWnd->GetTabsNum();
            AddTab(pPage, TRUE, FALSE, TRUE);
            if (m_pTabWnd->GetTabsNum() == nTabs) {
                pPage->DestroyWindow();
                delete pPage;
                break;
            }
            m_lstCustomPages.AddTail(pPage);
            s_bCustomPageIDs[dwID - nFirstCustomPageID] = TRUE;
        }
    }
    CATCH(CMemoryException, e) { e->Delete(); }
    AND_CATCH(CArchiveException, e) { e->Delete(); }
    END_CATCH
    file.Close();
    delete[] pData;
    return TRUE;
}

// --- docking ---------------------------------------------------------------------------------------

BOOL CSPOutlookBar::CanAcceptBar(const CSPBaseControlBar* pBar) const {
    if (pBar == NULL) return FALSE;
    if (CanFloat()) {
        if (pBar->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar))) return TRUE;
        CWnd* pParent = pBar->GetSafeHwnd() != NULL ? pBar->GetParent() : NULL;
        return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar));
    }
    return pBar->IsKindOf(RUNTIME_CLASS(CSPOutlookBarDockingPane)) || pBar->IsKindOf(RUNTIME_CLASS(CSPOutlookBarPane)) ||
           pBar->IsKindOf(RUNTIME_CLASS(CSPOutlookBar));
}

void CSPOutlookBar::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const {
    rectTabAreaTop.SetRectEmpty();
    rectTabAreaBottom.SetRectEmpty();
    if (GetSafeHwnd() == NULL) return;
    if (!CanFloat()) {
        GetClientRect(rectTabAreaTop);
        ClientToScreen(rectTabAreaTop);
        return;
    }
    CSPOutlookWnd* pOutlookWnd = GetOutlookWnd();
    if (pOutlookWnd->GetSafeHwnd() != NULL) pOutlookWnd->GetTabArea(rectTabAreaTop, rectTabAreaBottom);
}

int CSPOutlookBar::GetDockingStatus(CPoint ptScreen, int nSensitivity) {
    if (m_pTabWnd == NULL) return 0;
    if (m_pTabWnd->GetTabsNum() == 0 || m_pTabWnd->GetVisibleTabsNum() == 0) return 3;
    CRect rectTop, rectBottom;
    GetTabArea(rectTop, rectBottom);
    rectTop.bottom += nSensitivity;
    rectBottom.top -= nSensitivity;
    if (HitTest(ptScreen, TRUE) == HTCAPTION || rectTop.PtInRect(ptScreen) || rectBottom.PtInRect(ptScreen)) return 3;
    const int nStatus = CSPDockingControlBar::GetDockingStatus(ptScreen, nSensitivity);
    return !CanFloat() && nStatus == 2 ? 0 : nStatus;
}

BOOL CSPOutlookBar::DetachTabWnd(CSPBaseTabWnd* pTabWnd, int iTab, int nMode) {
    CSPOutlookWnd* pOutlookWnd = GetOutlookWnd();
    if (pOutlookWnd != NULL && pTabWnd == pOutlookWnd && pOutlookWnd->GetTabPage(iTab) != NULL) return FALSE;
    return CSPBaseTabbedBar::DetachTabWnd(pTabWnd, iTab, nMode);
}
