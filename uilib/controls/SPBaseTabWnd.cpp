#include "SPBaseTabWnd.h"
#include <algorithm>
#include "SPGlobalData.h"
#include "SPToolbarState.h"

const UINT SP_WM_CHANGING_ACTIVE_TAB = ::RegisterWindowMessageA("SM_ON_CHANGING_ACTIVE_TAB");
const UINT SP_WM_CHANGE_ACTIVE_TAB = ::RegisterWindowMessageA("SM_ONCHANGE_ACTIVE_TAB");
const UINT SP_WM_ON_MOVE_TAB = ::RegisterWindowMessageA("SM_ON_MOVE_TAB");
const UINT SP_WM_ON_RENAME_TAB = ::RegisterWindowMessageA("SM_ON_RENAME_TAB");

static const int nImageMargin = 4;
static const int nTextMargin = 4;

// ---------------------------------------------------------------------------
// CSPTabInfo

CSPTabInfo::CSPTabInfo(const CString& strText, UINT uiIcon, CWnd* pWnd, UINT uiTabID, BOOL bDetachable)
    : m_strText(strText), m_uiIcon(uiIcon), m_hIcon(NULL), m_rect(0, 0, 0, 0), m_bVisible(TRUE), m_pWnd(pWnd),
      m_bIsListView(FALSE), m_nFullWidth(0), m_uiTabID(uiTabID), m_clrText((COLORREF)-1), m_clrBack((COLORREF)-1),
      m_bIsDetachable(bDetachable) {
    if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL) {
        char szClass[64] = "";
        ::GetClassNameA(pWnd->GetSafeHwnd(), szClass, sizeof(szClass));
        m_bIsListView = lstrcmpA(szClass, "SysListView32") == 0;
    }
}

CSPTabInfo::~CSPTabInfo() {
    if (m_hIcon != NULL) ::DestroyIcon(m_hIcon);
}

// ---------------------------------------------------------------------------
// CSPTabDropTarget

BOOL CSPTabDropTarget::Register(CSPBaseTabWnd* pOwner) {
    m_pOwner = pOwner;
    return pOwner != NULL && COleDropTarget::Register(pOwner);
}

BOOL CSPTabDropTarget::IsButtonDrag(COleDataObject* pDataObject) {
    return g_bCustomizeMode && pDataObject != NULL &&
           pDataObject->IsDataAvailable((CLIPFORMAT)SPToolbarButtonFormat::Get());
}

DROPEFFECT CSPTabDropTarget::OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
    if (m_pOwner == NULL || !IsButtonDrag(pDataObject)) return DROPEFFECT_NONE;
    return m_pOwner->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CSPTabDropTarget::OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
    if (m_pOwner == NULL || !IsButtonDrag(pDataObject)) return DROPEFFECT_NONE;
    return m_pOwner->OnDragOver(pDataObject, dwKeyState, point);
}

void CSPTabDropTarget::OnDragLeave(CWnd*) {
    if (m_pOwner != NULL) m_pOwner->OnDragLeave();
}

DROPEFFECT CSPTabDropTarget::OnDropEx(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT,
                                      CPoint point) {
    if (m_pOwner == NULL || !IsButtonDrag(pDataObject)) return DROPEFFECT_NONE;
    return m_pOwner->OnDrop(pDataObject, dropDefault, point) > 0 ? dropDefault : DROPEFFECT_NONE;
}

// ---------------------------------------------------------------------------
// CSPBaseTabWnd

IMPLEMENT_DYNAMIC(CSPBaseTabWnd, CWnd)

BEGIN_MESSAGE_MAP(CSPBaseTabWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CRuntimeClass* CSPBaseTabWnd::m_pDefaultWrapperRTC = NULL;

CSPBaseTabWnd::CSPBaseTabWnd()
    : m_bEnableWrapping(FALSE), m_pWrapperRTC(NULL), m_bActivateLastOnRemove(FALSE), m_bHotTracking(FALSE), m_bHideInactiveWnd(TRUE), m_bIsDockingSite(FALSE),
      m_bActivateOnBtnUp(FALSE), m_bEnableTabSwap(TRUE), m_location(LOCATION_BOTTOM), m_iTabsNum(0),
      m_iActiveTab(-1), m_iTabBeforeDrag(-1), m_hImageList(NULL), m_sizeImage(0, 0), m_nNextTabID(1),
      m_nTabBorderSize(2), m_nTabsHeight(0), m_iHighlighted(-1), m_iPressed(-1), m_bHideSingleTab(FALSE),
      m_clrActiveTabBk((COLORREF)-1), m_clrActiveTabFg((COLORREF)-1), m_nDrawOption(0), m_iEditedTab(-1),
      m_pInPlaceEdit(NULL), m_bIsInPlaceEdit(FALSE), m_bTabDrag(FALSE), m_ptDragStart(0, 0), m_nDragOffset(0),
      m_nRestoredActiveTab(0), m_dwRestoredOption(0) {}

CSPBaseTabWnd::~CSPBaseTabWnd() {
    for (int i = 0; i < m_arTabs.GetSize(); i++) delete (CSPTabInfo*)m_arTabs[i];
    delete m_pInPlaceEdit;
}

int CSPBaseTabWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
    // A wrapped window docks and floats only where there is a frame.
    if (GetParentFrame() == NULL) m_bEnableWrapping = FALSE;
    if (AfxOleIsInitialized()) m_DropTarget.Register(this);
    return 0;
}

void CSPBaseTabWnd::OnDestroy() {
    m_DropTarget.Revoke();
    CloseRenameEdit();
    CleanUp();
    CWnd::OnDestroy();
}

// --- images ----------------------------------------------------------------

BOOL CSPBaseTabWnd::SetImageList(HIMAGELIST hImageList) {
    m_hImageList = hImageList;
    int cx = 0, cy = 0;
    if (hImageList != NULL && ::ImageList_GetImageCount(hImageList) > 0) ::ImageList_GetIconSize(hImageList, &cx, &cy);
    m_sizeImage = CSize(cx, cy);
    RecalcTabHeight();
    return TRUE;
}

BOOL CSPBaseTabWnd::LoadImageStrip(CImageList& images, UINT uiID, int cx, COLORREF clrTransp, CSize* pSizeImage) {
    HBITMAP hbmp = (HBITMAP)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(uiID), IMAGE_BITMAP, 0, 0,
                                         LR_CREATEDIBSECTION);
    if (hbmp == NULL) return FALSE;
    BITMAP bmp = {};
    ::GetObject(hbmp, sizeof(bmp), &bmp);
    UINT nFlags;
    switch (bmp.bmBitsPixel) {
    case 8: nFlags = ILC_COLOR8; break;
    case 16: nFlags = ILC_COLOR16; break;
    case 24: nFlags = ILC_COLOR24; break;
    case 32: nFlags = ILC_COLOR32; break;
    default: nFlags = ILC_COLOR4; break;
    }
    if (clrTransp != (COLORREF)-1) nFlags |= ILC_MASK;
    images.DeleteImageList();
    images.Create(cx, bmp.bmHeight, nFlags, 0, 0);
    CBitmap bitmap;
    bitmap.Attach(hbmp);
    images.Add(&bitmap, clrTransp);
    if (pSizeImage != NULL) *pSizeImage = CSize(cx, bmp.bmHeight);
    return TRUE;
}

BOOL CSPBaseTabWnd::SetImageList(UINT uiID, int cx, COLORREF clrTransp) {
    if (!LoadImageStrip(m_Images, uiID, cx, clrTransp, &m_sizeImage)) return FALSE;
    RecalcTabHeight();
    return TRUE;
}

HIMAGELIST CSPBaseTabWnd::GetImageList() const {
    if (m_Images.GetSafeHandle() != NULL) return m_Images.GetSafeHandle();
    return m_hImageList;
}

void CSPBaseTabWnd::RecalcTabHeight() {
    m_nTabsHeight = std::max<int>(m_sizeImage.cy + 2 * nImageMargin, spGlobalData.nTextHeightHorz + 2 * nTextMargin);
}

// --- inserting and removing ----------------------------------------------

void CSPBaseTabWnd::AddTab(CWnd* pTabWnd, UINT uiResTabLabel, UINT uiImageId, BOOL bDetachable) {
    InsertTab(pTabWnd, uiResTabLabel, -1, uiImageId, bDetachable);
}

void CSPBaseTabWnd::AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT uiImageId, BOOL bDetachable) {
    InsertTab(pTabWnd, lpszTabLabel, -1, uiImageId, bDetachable);
}

void CSPBaseTabWnd::InsertTab(CWnd* pNewWnd, UINT uiResTabLabel, int nInsertAt, UINT uiImageId, BOOL bDetachable) {
    CString strLabel;
    strLabel.LoadString(uiResTabLabel);
    InsertTab(pNewWnd, (LPCTSTR)strLabel, nInsertAt, uiImageId, bDetachable);
}

void CSPBaseTabWnd::InsertTab(CWnd* pNewWnd, LPCTSTR lpszTabLabel, int nInsertAt, UINT uiImageId,
                              BOOL bDetachable) {
    if (pNewWnd == NULL || pNewWnd->GetSafeHwnd() == NULL || pNewWnd->GetDlgCtrlID() == -1) return;
    pNewWnd = CreateWrapper(pNewWnd, lpszTabLabel, bDetachable);
    if (GetSafeHwnd() != NULL && !IsWindowVisible()) ShowWindow(SW_SHOWNOACTIVATE);
    if (nInsertAt < 0 || nInsertAt > m_iTabsNum) nInsertAt = m_iTabsNum;

    // Only a docking pane can be torn out of its tab.
    const BOOL bCanDetach = bDetachable && SPClientHooks::IsDockingPane(pNewWnd);
    CSPTabInfo* pTab =
        new CSPTabInfo(lpszTabLabel != NULL ? lpszTabLabel : _T(""), uiImageId, pNewWnd, m_nNextTabID, bCanDetach);
    m_arTabs.InsertAt(nInsertAt, pTab);
    m_iTabsNum++;
    if (m_ToolTip.GetSafeHwnd() != NULL) {
        CRect rectEmpty(0, 0, 0, 0);
        m_ToolTip.AddTool(this, pTab->m_strText, &rectEmpty, pTab->m_uiTabID);
    }
    m_nNextTabID++;
    RecalcLayout();
    ShowInsertedTab(nInsertAt);
}

void CSPBaseTabWnd::ShowInsertedTab(int nInsertAt) {
    CWnd* pWnd = Tab(nInsertAt)->m_pWnd;
    if (m_iTabsNum == 1) {
        SetActiveTab(0);
        return;
    }
    if (nInsertAt == m_iActiveTab) {
        // The new tab takes the active place; the one it pushed on is hidden.
        if (m_bHideInactiveWnd && IsValid(m_iActiveTab + 1)) Tab(m_iActiveTab + 1)->m_pWnd->ShowWindow(SW_HIDE);
        pWnd->ShowWindow(SW_SHOWNOACTIVATE);
    } else {
        if (nInsertAt < m_iActiveTab) m_iActiveTab++;
        pWnd->ShowWindow(SW_HIDE);
    }
    if (!m_bHideInactiveWnd && IsValid(m_iActiveTab))
        Tab(m_iActiveTab)->m_pWnd->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

BOOL CSPBaseTabWnd::RemoveTab(int iTab, BOOL bRecalcLayout) {
    if (!IsValid(iTab)) return FALSE;
    if (m_iTabsNum == 1) {
        RemoveAllTabs();
        return TRUE;
    }
    CSPTabInfo* pTab = Tab(iTab);
    if (m_ToolTip.GetSafeHwnd() != NULL) m_ToolTip.DelTool(this, pTab->m_uiTabID);
    m_arTabs.RemoveAt(iTab);
    m_iTabsNum--;
    if (m_bIsDockingSite && pTab->m_pWnd->GetSafeHwnd() != NULL) pTab->m_pWnd->DestroyWindow();
    delete pTab;

    // Removing a tab before the active one keeps the same tab active under
    // its new index; only the active tab's removal chooses another.
    int iNewActive = m_iActiveTab > iTab ? m_iActiveTab - 1 : m_iActiveTab;
    if (m_iActiveTab == iTab) {
        iNewActive = -1;
        if (m_bActivateLastOnRemove) {
            GetLastVisibleTab(iNewActive);
        } else {
            for (int i = iTab; i < m_iTabsNum && iNewActive < 0; i++)
                if (Tab(i)->m_bVisible) iNewActive = i;
            for (int i = iTab - 1; i >= 0 && iNewActive < 0; i--)
                if (Tab(i)->m_bVisible) iNewActive = i;
        }
    }
    m_iActiveTab = -1;
    if (bRecalcLayout) RecalcLayout();
    if (SetActiveTab(iNewActive)) NotifyChange(iNewActive, 0);
    return TRUE;
}

void CSPBaseTabWnd::RemoveAllTabs() {
    for (int i = 0; i < m_iTabsNum; i++) {
        CSPTabInfo* pTab = Tab(i);
        if (m_ToolTip.GetSafeHwnd() != NULL) m_ToolTip.DelTool(this, pTab->m_uiTabID);
        if (m_bIsDockingSite && pTab->m_pWnd->GetSafeHwnd() != NULL) pTab->m_pWnd->DestroyWindow();
        delete pTab;
    }
    m_arTabs.RemoveAll();
    m_iTabsNum = 0;
    m_iActiveTab = -1;
    m_nNextTabID = 1;
    if (GetSafeHwnd() != NULL) RecalcLayout();
}

void CSPBaseTabWnd::CleanUp() {
    for (int i = 0; i < m_iTabsNum; i++) {
        CSPTabInfo* pTab = Tab(i);
        if (m_bIsDockingSite && pTab->m_pWnd->GetSafeHwnd() != NULL) pTab->m_pWnd->DestroyWindow();
        delete pTab;
    }
    m_arTabs.RemoveAll();
    m_iTabsNum = 0;
    m_iActiveTab = -1;
}

// --- visibility ------------------------------------------------------------

int CSPBaseTabWnd::GetVisibleTabsNum() const {
    int n = 0;
    for (int i = 0; i < m_iTabsNum; i++)
        if (Tab(i)->m_bVisible) n++;
    return n;
}

BOOL CSPBaseTabWnd::IsTabVisible(int iTab) const {
    return IsValid(iTab) && Tab(iTab)->m_bVisible;
}

BOOL CSPBaseTabWnd::ShowTab(int iTab, BOOL bShow, BOOL bRecalcLayout, BOOL bActivate) {
    if (!IsValid(iTab)) return FALSE;
    CSPTabInfo* pTab = Tab(iTab);
    if (pTab->m_bVisible == bShow) return TRUE;
    int iCandidate = m_iActiveTab;
    if (bShow) {
        if (GetVisibleTabsNum() == 0) iCandidate = iTab;
        pTab->m_bVisible = TRUE;
    } else {
        pTab->m_bVisible = FALSE;
        pTab->m_rect.SetRectEmpty();
        pTab->m_nFullWidth = 0;
        if (m_bHideInactiveWnd && pTab->m_pWnd->GetSafeHwnd() != NULL) pTab->m_pWnd->ShowWindow(SW_HIDE);
        if (iTab == m_iActiveTab) {
            iCandidate = -1;
            for (int i = iTab - 1; i >= 0 && iCandidate < 0; i--)
                if (Tab(i)->m_bVisible) iCandidate = i;
            for (int i = m_iTabsNum - 1; i > iTab && iCandidate < 0; i--)
                if (Tab(i)->m_bVisible) iCandidate = i;
            m_iActiveTab = -1;
        }
    }
    if (bRecalcLayout) RecalcLayout();
    if ((iCandidate != m_iActiveTab || bActivate) && SetActiveTab(bActivate && bShow ? iTab : iCandidate))
        NotifyChange(m_iActiveTab, 0);
    return TRUE;
}

CWnd* CSPBaseTabWnd::GetFirstVisibleTab(int& iTabNum) const {
    for (int i = 0; i < m_iTabsNum; i++)
        if (Tab(i)->m_bVisible) {
            iTabNum = i;
            return Tab(i)->m_pWnd;
        }
    iTabNum = -1;
    return NULL;
}

CWnd* CSPBaseTabWnd::GetLastVisibleTab(int& iTabNum) const {
    for (int i = m_iTabsNum - 1; i >= 0; i--)
        if (Tab(i)->m_bVisible) {
            iTabNum = i;
            return Tab(i)->m_pWnd;
        }
    iTabNum = -1;
    return NULL;
}

CSize CSPBaseTabWnd::GetMaxWindowSize() const {
    CSize size(0, 0);
    for (int i = 0; i < m_iTabsNum; i++) {
        CWnd* pWnd = Tab(i)->m_pWnd;
        if (pWnd->GetSafeHwnd() == NULL) continue;
        CRect rect;
        pWnd->GetWindowRect(rect);
        size.cx = std::max<LONG>(size.cx, rect.Width());
        size.cy = std::max<LONG>(size.cy, rect.Height());
    }
    return size;
}

// --- order -----------------------------------------------------------------

void CSPBaseTabWnd::MoveTab(int nSource, int nDest) {
    if (!IsValid(nSource)) return;
    if (nDest < 0 || nDest >= m_iTabsNum) nDest = m_iTabsNum - 1;
    if (nSource == nDest) return;
    CSPTabInfo* pActive = IsValid(m_iActiveTab) ? Tab(m_iActiveTab) : NULL;
    void* pMoved = m_arTabs[nSource];
    m_arTabs.RemoveAt(nSource);
    m_arTabs.InsertAt(nDest, pMoved);
    for (int i = 0; i < m_iTabsNum && pActive != NULL; i++) {
        if (Tab(i) == pActive && i != m_iActiveTab) {
            // The same tab stays active under its new index.
            m_iActiveTab = -1;
            if (SetActiveTab(i)) NotifyChange(i, 0);
            break;
        }
    }
    RecalcLayout();
}

void CSPBaseTabWnd::SwapTabs(int nFisrtTabID, int nSecondTabID) {
    if (!IsValid(nFisrtTabID) || !IsValid(nSecondTabID)) return;
    void* p = m_arTabs[nFisrtTabID];
    m_arTabs[nFisrtTabID] = m_arTabs[nSecondTabID];
    m_arTabs[nSecondTabID] = p;
}

// --- per-tab data ----------------------------------------------------------

const CSPTabInfo* CSPBaseTabWnd::GetTabInfo(int iTab) const {
    return IsValid(iTab) ? Tab(iTab) : NULL;
}

CWnd* CSPBaseTabWnd::GetTabWnd(int iTab) const {
    return IsValid(iTab) ? Tab(iTab)->m_pWnd : NULL;
}

CWnd* CSPBaseTabWnd::GetTabWndNoWrapper(int iTab) const {
    CWnd* pWnd = GetTabWnd(iTab);
    ISPTabWrapper* pWrapper = dynamic_cast<ISPTabWrapper*>(pWnd);
    return pWrapper != NULL && pWrapper->GetWrappedWindow() != NULL ? pWrapper->GetWrappedWindow() : pWnd;
}

CWnd* CSPBaseTabWnd::CreateWrapper(CWnd* pWnd, LPCTSTR lpszLabel, BOOL bDetachable) {
    if (!bDetachable || !m_bEnableWrapping || SPClientHooks::IsDockingPane(pWnd)) return pWnd;
    CRuntimeClass* pClass = m_pWrapperRTC != NULL ? m_pWrapperRTC : m_pDefaultWrapperRTC;
    if (pClass == NULL || !pClass->IsDerivedFrom(RUNTIME_CLASS(CWnd))) return pWnd;
    CObject* pObject = pClass->CreateObject();
    ISPTabWrapper* pWrapper = dynamic_cast<ISPTabWrapper*>(pObject);
    if (pWrapper == NULL || !pWrapper->CreateTabWrapper(this, pWnd, lpszLabel)) {
        delete pObject;
        return pWnd;
    }
    return (CWnd*)pObject;
}

CWnd* CSPBaseTabWnd::GetActiveWnd() const {
    return GetTabWnd(m_iActiveTab);
}

BOOL CSPBaseTabWnd::GetTabRect(int iTab, CRect& rect) const {
    rect.SetRectEmpty();
    if (!IsValid(iTab) || !Tab(iTab)->m_bVisible) return FALSE;
    rect = Tab(iTab)->m_rect;
    return TRUE;
}

BOOL CSPBaseTabWnd::GetTabLabel(int iTab, CString& strLabel) const {
    if (!IsValid(iTab)) return FALSE;
    strLabel = Tab(iTab)->m_strText;
    return TRUE;
}

BOOL CSPBaseTabWnd::SetTabLabel(int iTab, const CString& strLabel) {
    if (!IsValid(iTab) || strLabel.IsEmpty()) return FALSE;
    CSPTabInfo* pTab = Tab(iTab);
    pTab->m_strText = strLabel;
    if (m_ToolTip.GetSafeHwnd() != NULL) m_ToolTip.UpdateTipText(strLabel, this, pTab->m_uiTabID);
    if (pTab->m_pWnd->GetSafeHwnd() != NULL) pTab->m_pWnd->SetWindowText(strLabel);
    if (GetSafeHwnd() != NULL) {
        RecalcLayout();
        Invalidate();
    }
    return TRUE;
}

UINT CSPBaseTabWnd::GetTabIcon(int iTab) const {
    return IsValid(iTab) ? Tab(iTab)->m_uiIcon : (UINT)-1;
}

BOOL CSPBaseTabWnd::SetTabIcon(int iTab, UINT uiIcon) {
    if (!IsValid(iTab)) return FALSE;
    CSPTabInfo* pTab = Tab(iTab);
    if (pTab->m_hIcon != NULL) ::DestroyIcon(pTab->m_hIcon);
    pTab->m_hIcon = NULL;
    pTab->m_uiIcon = uiIcon;
    return TRUE;
}

BOOL CSPBaseTabWnd::SetTabHicon(int iTab, HICON hIcon) {
    if (!IsValid(iTab)) return FALSE;
    CSPTabInfo* pTab = Tab(iTab);
    if (pTab->m_hIcon != NULL) ::DestroyIcon(pTab->m_hIcon);
    pTab->m_hIcon = hIcon != NULL ? ::CopyIcon(hIcon) : NULL;
    pTab->m_uiIcon = (UINT)-1;
    m_sizeImage.cx = std::max<LONG>(m_sizeImage.cx, spGlobalData.sizeSmallIcon.cx);
    m_sizeImage.cy = std::max<LONG>(m_sizeImage.cy, spGlobalData.sizeSmallIcon.cy);
    return TRUE;
}

HICON CSPBaseTabWnd::GetTabHicon(int iTab) const {
    return IsValid(iTab) ? Tab(iTab)->m_hIcon : NULL;
}

COLORREF CSPBaseTabWnd::GetTabBkColor(int iTab) const {
    return IsValid(iTab) ? Tab(iTab)->m_clrBack : (COLORREF)-1;
}

BOOL CSPBaseTabWnd::SetTabBkColor(int iTab, COLORREF color) {
    if (!IsValid(iTab)) return FALSE;
    Tab(iTab)->m_clrBack = color;
    return TRUE;
}

COLORREF CSPBaseTabWnd::GetTabTextColor(int iTab) const {
    return IsValid(iTab) ? Tab(iTab)->m_clrText : (COLORREF)-1;
}

BOOL CSPBaseTabWnd::SetTabTextColor(int iTab, COLORREF color) {
    if (!IsValid(iTab)) return FALSE;
    Tab(iTab)->m_clrText = color;
    return TRUE;
}

BOOL CSPBaseTabWnd::IsTabDetachable(int iTab) const {
    return IsValid(iTab) && Tab(iTab)->m_bIsDetachable;
}

BOOL CSPBaseTabWnd::SetTabDetachable(int iTab, BOOL bDetachable) {
    if (!IsValid(iTab)) return FALSE;
    Tab(iTab)->m_bIsDetachable = bDetachable && SPClientHooks::IsDockingPane(Tab(iTab)->m_pWnd);
    return TRUE;
}

void CSPBaseTabWnd::SetActiveTabColor(COLORREF clr) {
    m_clrActiveTabBk = clr;
    m_brActiveTab.DeleteObject();
    m_brActiveTab.CreateSolidBrush(GetActiveTabColor());
}

void CSPBaseTabWnd::SetActiveTabTextColor(COLORREF clr) {
    m_clrActiveTabFg = clr;
}

COLORREF CSPBaseTabWnd::GetActiveTabColor() const {
    return m_clrActiveTabBk == (COLORREF)-1 ? ::GetSysColor(COLOR_WINDOW) : m_clrActiveTabBk;
}

COLORREF CSPBaseTabWnd::GetActiveTabTextColor() const {
    return m_clrActiveTabFg == (COLORREF)-1 ? ::GetSysColor(COLOR_WINDOWTEXT) : m_clrActiveTabFg;
}

void CSPBaseTabWnd::SetTabBorderSize(int nTabBorderSize, BOOL bRepaint) {
    m_nTabBorderSize = nTabBorderSize;
    if (bRepaint && GetSafeHwnd() != NULL) {
        RecalcLayout();
        RedrawWindow();
    }
}

void CSPBaseTabWnd::HideSingleTab(BOOL bHide) {
    m_bHideSingleTab = bHide;
    if (GetSafeHwnd() != NULL) RecalcLayout();
}

void CSPBaseTabWnd::SetDrawOption(int nOption, BOOL bRedraw) {
    m_nDrawOption = nOption;
    if (bRedraw && GetSafeHwnd() != NULL) RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

// --- lookups ---------------------------------------------------------------

int CSPBaseTabWnd::GetTabFromPoint(CPoint& pt) const {
    for (int i = 0; i < m_iTabsNum; i++)
        if (Tab(i)->m_bVisible && Tab(i)->m_rect.PtInRect(pt)) return i;
    return -1;
}

int CSPBaseTabWnd::GetTabFromHwnd(HWND hwnd) const {
    for (int i = 0; i < m_iTabsNum; i++)
        if (Tab(i)->m_pWnd->GetSafeHwnd() == hwnd) return i;
    return -1;
}

void CSPBaseTabWnd::GetTabVisualInfo(int iTab, SPTabInfo& info) {
    info.pWnd = this;
    info.nLocation = m_location;
    info.bFlatTabs = IsFlatTab();
    info.bExtraStyle = GetExtraStyleFlag();
    info.nDrawOption = m_nDrawOption;
    info.bNoMnemonics = m_nDrawOption != 0;
    info.iActiveTab = m_iActiveTab;
    info.sizeImage = m_sizeImage;
    info.himlImages = GetImageList();
    if (!IsValid(iTab)) return;
    const CSPTabInfo* pTab = Tab(iTab);
    info.strLabel = pTab->m_strText;
    info.clrBack = pTab->m_clrBack;
    info.clrText = pTab->m_clrText;
    info.iImage = (int)pTab->m_uiIcon;
    info.hIcon = pTab->m_hIcon;
}

void CSPBaseTabWnd::NotifyChange(int iTab, LPARAM lParam) {
    CWnd* pParent = GetParent();
    if (pParent != NULL) pParent->SendMessage(SP_WM_CHANGE_ACTIVE_TAB, (WPARAM)iTab, lParam);
}

void CSPBaseTabWnd::InvalidateTab(int iTab) {
    if (IsValid(iTab) && GetSafeHwnd() != NULL) InvalidateRect(Tab(iTab)->m_rect);
}

// --- in-place renaming -----------------------------------------------------

BOOL CSPBaseTabWnd::StartRenameTab(int iTab) {
    if (!m_bIsInPlaceEdit || !IsValid(iTab)) return FALSE;
    CloseRenameEdit();
    CRect rectEdit = Tab(iTab)->m_rect;
    AdjustRenameEditRect(rectEdit);
    m_pInPlaceEdit = new CEdit;
    if (!m_pInPlaceEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rectEdit, this, 1)) {
        delete m_pInPlaceEdit;
        m_pInPlaceEdit = NULL;
        return FALSE;
    }
    m_pInPlaceEdit->SetWindowText(Tab(iTab)->m_strText);
    m_pInPlaceEdit->SetFont(&spGlobalData.fontRegular);
    m_pInPlaceEdit->SetSel(0, -1);
    m_pInPlaceEdit->SetFocus();
    m_iEditedTab = iTab;
    SetCapture();
    return TRUE;
}

BOOL CSPBaseTabWnd::RenameTab() {
    if (m_pInPlaceEdit == NULL || !IsValid(m_iEditedTab)) return FALSE;
    CString strName;
    m_pInPlaceEdit->GetWindowText(strName);
    if (strName.IsEmpty() || !OnRenameTab(m_iEditedTab, strName)) return FALSE;
    CWnd* pParent = GetParent();
    if (pParent != NULL &&
        pParent->SendMessage(SP_WM_ON_RENAME_TAB, (WPARAM)m_iEditedTab, (LPARAM)(LPCTSTR)strName) != 0)
        return FALSE;
    return SetTabLabel(m_iEditedTab, strName);
}

void CSPBaseTabWnd::CloseRenameEdit() {
    if (m_pInPlaceEdit == NULL) return;
    CEdit* pEdit = m_pInPlaceEdit;
    m_pInPlaceEdit = NULL;
    m_iEditedTab = -1;
    pEdit->DestroyWindow();
    delete pEdit;
    if (GetCapture() == this) ReleaseCapture();
}

BOOL CSPBaseTabWnd::PreTranslateMessage(MSG* pMsg) {
    if (m_pInPlaceEdit != NULL) {
        if (pMsg->message == WM_KEYDOWN) {
            if (pMsg->wParam == VK_RETURN) {
                if (RenameTab()) CloseRenameEdit();
                else ::MessageBeep((UINT)-1);
                return TRUE;
            }
            if (pMsg->wParam == VK_ESCAPE) {
                CloseRenameEdit();
                return TRUE;
            }
            return FALSE;
        }
        if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST) {
            CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
            ::ClientToScreen(pMsg->hwnd, &pt);
            CRect rectEdit;
            m_pInPlaceEdit->GetWindowRect(rectEdit);
            if (rectEdit.PtInRect(pt)) {
                m_pInPlaceEdit->ScreenToClient(&pt);
                m_pInPlaceEdit->SendMessage(pMsg->message, pMsg->wParam, MAKELPARAM(pt.x, pt.y));
                return TRUE;
            }
            if (pMsg->message != WM_MOUSEMOVE) CloseRenameEdit();
            return TRUE;
        }
    }
    return CWnd::PreTranslateMessage(pMsg);
}

// --- mouse: clicks and dragging along the strip ------------------------------

void CSPBaseTabWnd::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bTabDrag) {
        if (IsPtInTabArea(point) && m_iTabsNum >= 2 && m_bEnableTabSwap) {
            const int iTab = GetTabFromPoint(point);
            if (iTab >= 0 && iTab != m_iActiveTab && IsValid(m_iActiveTab)) {
                const int iOld = m_iActiveTab;
                SwapTabs(iOld, iTab);
                // The dragged tab goes on being the active one at its new place.
                m_iActiveTab = iTab;
                RecalcLayout();
                Invalidate();
                CRect rectTab = Tab(iTab)->m_rect;
                if (!rectTab.PtInRect(point)) {
                    CPoint ptCursor(rectTab.left, point.y);
                    ClientToScreen(&ptCursor);
                    ptCursor.x += m_nDragOffset;
                    ::SetCursorPos(ptCursor.x, ptCursor.y);
                }
            }
        } else if (!IsPtInTabArea(point)) {
            // Out of the strip the tab's pane leaves for a floating frame,
            // which goes on with the drag.
            HWND hWnd = m_hWnd;
            if (DetachTab(1, -1) && ::IsWindow(hWnd)) EndDrag();
        }
        return;
    }
    int iHot = GetTabFromPoint(point);
    if (m_iPressed >= 0 && iHot != m_iPressed) iHot = -1;
    if (iHot != m_iHighlighted) {
        const int iOld = m_iHighlighted;
        m_iHighlighted = iHot;
        if (m_bHotTracking) {
            InvalidateTab(iOld);
            InvalidateTab(iHot);
        }
        if (iHot >= 0 && GetCapture() != this) SetCapture();
        else if (iHot < 0 && m_iPressed < 0 && GetCapture() == this) ReleaseCapture();
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CSPBaseTabWnd::OnLButtonDown(UINT nFlags, CPoint point) {
    const int iTab = GetTabFromPoint(point);
    if (iTab >= 0) {
        if (m_bActivateOnBtnUp) {
            m_iPressed = iTab;
        } else {
            if (iTab != m_iActiveTab && IsPtInTabArea(point) && SetActiveTab(iTab)) NotifyChange(iTab, 0);
            m_iHighlighted = -1;
            if (GetCapture() == this) ReleaseCapture();
        }
        if (IsValid(m_iActiveTab)) {
            SetCapture();
            m_bTabDrag = TRUE;
            ::GetCursorPos(&m_ptDragStart);
            m_iTabBeforeDrag = m_iActiveTab;
            CRect rectTab = Tab(m_iActiveTab)->m_rect;
            ClientToScreen(rectTab);
            CPoint ptScreen = point;
            ClientToScreen(&ptScreen);
            m_nDragOffset = ptScreen.x - rectTab.left;
        }
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CSPBaseTabWnd::EndDrag() {
    m_bTabDrag = FALSE;
    m_iTabBeforeDrag = -1;
    if (GetCapture() == this) ReleaseCapture();
}

void CSPBaseTabWnd::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bTabDrag && m_iTabBeforeDrag >= 0 && m_iActiveTab != m_iTabBeforeDrag) {
        CWnd* pParent = GetParent();
        if (pParent != NULL) pParent->SendMessage(SP_WM_ON_MOVE_TAB, (WPARAM)m_iTabBeforeDrag, (LPARAM)m_iActiveTab);
    }
    EndDrag();
    if (m_bActivateOnBtnUp && m_iPressed >= 0) {
        const int iPressed = m_iPressed;
        if (GetTabFromPoint(point) == iPressed && iPressed != m_iActiveTab && SetActiveTab(iPressed))
            NotifyChange(iPressed, 0);
        m_iPressed = -1;
        m_iHighlighted = -1;
        InvalidateTab(iPressed);
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CSPBaseTabWnd::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (m_bIsInPlaceEdit && IsValid(m_iActiveTab) && GetTabFromPoint(point) == m_iActiveTab) {
        EndDrag();
        StartRenameTab(m_iActiveTab);
        return;
    }
    if (m_bIsInPlaceEdit) {
        CWnd::OnLButtonDblClk(nFlags, point);
        return;
    }
    if (FindTargetWnd(point) == NULL) {
        EndDrag();
        DetachTab(2, -1);
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

BOOL CSPBaseTabWnd::DetachTab(int nMode, int iTab) {
    iTab = GetTabIndex(iTab);
    if (!IsValid(iTab) || !Tab(iTab)->m_bIsDetachable) return FALSE;
    ISPTabDockingHost* pHost = dynamic_cast<ISPTabDockingHost*>(GetParent());
    if (pHost == NULL) return FALSE;
    if (nMode == 1) {
        CPoint pt;
        ::GetCursorPos(&pt);
        if (abs(pt.x - m_ptDragStart.x) < ::GetSystemMetrics(SM_CXDRAG) &&
            abs(pt.y - m_ptDragStart.y) < ::GetSystemMetrics(SM_CYDRAG))
            return FALSE;
    }
    // The host may destroy this window (its last tab left): nothing of it
    // is touched afterwards.
    HWND hWndParent = ::GetParent(m_hWnd);
    if (!pHost->DetachTabWnd(this, iTab, nMode)) return FALSE;
    if (nMode == 2 && ::IsWindow(hWndParent)) ::SendMessage(hWndParent, WM_IDLEUPDATECMDUI, TRUE, 0);
    return TRUE;
}

void CSPBaseTabWnd::OnCancelMode() {
    CWnd::OnCancelMode();
    m_iHighlighted = -1;
    CloseRenameEdit();
    EndDrag();
}

// --- the saved tab layout --------------------------------------------------

void CSPBaseTabWnd::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << (DWORD)m_iTabsNum;
        for (int i = 0; i < m_iTabsNum; i++) {
            const CSPTabInfo* pTab = Tab(i);
            ar << pTab->m_strText;
            ar << (DWORD)pTab->m_bVisible;
            ar << (DWORD)(pTab->m_pWnd->GetSafeHwnd() != NULL ? pTab->m_pWnd->GetDlgCtrlID() : 0);
            ar << (DWORD)pTab->m_bIsDetachable;
            ar << (DWORD)pTab->m_clrText;
            ar << (DWORD)pTab->m_clrBack;
        }
        ar << (DWORD)m_iActiveTab;
        ar << (DWORD)m_location;
        return;
    }
    // Read into a list of its own: a layout cut short throws before
    // anything this window keeps has changed.
    CArray<CSPRestoredTabInfo, const CSPRestoredTabInfo&> arRead;
    DWORD dwCount = 0;
    ar >> dwCount;
    for (DWORD i = 0; i < dwCount; i++) {
        CSPRestoredTabInfo tab;
        DWORD dwVisible = 0, dwID = 0, dwDetachable = 0, dwText = 0, dwBack = 0;
        ar >> tab.m_strText >> dwVisible >> dwID >> dwDetachable >> dwText >> dwBack;
        tab.m_bVisible = (BOOL)dwVisible;
        tab.m_nControlBarID = dwID;
        tab.m_bDetachable = (BOOL)dwDetachable;
        tab.m_clrText = dwText;
        tab.m_clrBack = dwBack;
        arRead.Add(tab);
    }
    DWORD dwActive = 0, dwOption = 0;
    ar >> dwActive >> dwOption;
    m_arTabsRestored.RemoveAll();
    for (int i = 0; i < arRead.GetSize(); i++) m_arTabsRestored.Add(arRead[i]);
    m_nRestoredActiveTab = (int)dwActive;
    m_dwRestoredOption = dwOption;
}

void CSPBaseTabWnd::ApplyRestoredTabInfo(BOOL bUseTabIndexes) {
    // A pane the layout names but no tab holds is brought in first, by the
    // tabbed pane that holds this window.
    ISPTabDockingHost* pHost = dynamic_cast<ISPTabDockingHost*>(GetParent());
    for (int i = 0; pHost != NULL && i < m_arTabsRestored.GetSize(); i++) {
        const UINT nID = m_arTabsRestored[i].m_nControlBarID;
        BOOL bHeld = FALSE;
        for (int j = 0; j < m_iTabsNum && !bHeld; j++) {
            CWnd* pWnd = Tab(j)->m_pWnd;
            bHeld = pWnd->GetSafeHwnd() != NULL && (UINT)pWnd->GetDlgCtrlID() == nID;
        }
        if (!bHeld && nID != 0 && nID != (UINT)-1) pHost->AttachRestoredBar(this, nID);
    }
    // Ids that name none of the tabs' windows are skipped: the window may
    // have gone since the layout was saved.
    int iPlace = 0;
    for (int i = 0; i < m_arTabsRestored.GetSize(); i++) {
        const CSPRestoredTabInfo& restored = m_arTabsRestored[i];
        int iTab = -1;
        for (int j = 0; j < m_iTabsNum && iTab < 0; j++) {
            CWnd* pWnd = Tab(j)->m_pWnd;
            if (pWnd->GetSafeHwnd() != NULL && (UINT)pWnd->GetDlgCtrlID() == restored.m_nControlBarID) iTab = j;
        }
        if (iTab < 0) continue;
        CSPTabInfo* pTab = Tab(iTab);
        if (!restored.m_strText.IsEmpty()) pTab->m_strText = restored.m_strText;
        pTab->m_bVisible = restored.m_bVisible;
        pTab->m_clrText = restored.m_clrText;
        pTab->m_clrBack = restored.m_clrBack;
        pTab->m_bIsDetachable = restored.m_bDetachable && SPClientHooks::IsDockingPane(pTab->m_pWnd);
        if (bUseTabIndexes) {
            if (iTab != iPlace) {
                if (m_iActiveTab == iTab) m_iActiveTab = iPlace;
                else if (m_iActiveTab == iPlace) m_iActiveTab = iTab;
                SwapTabs(iTab, iPlace);
            }
            iPlace++;
        }
    }
    const int iActive = m_nRestoredActiveTab;
    if (iActive != m_iActiveTab && IsValid(iActive)) {
        if (!SetActiveTab(iActive)) SetActiveTab(0);
    }
    if (GetSafeHwnd() != NULL) RecalcLayout();
}
