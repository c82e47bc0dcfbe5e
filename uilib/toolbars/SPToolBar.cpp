// CSPToolBar: creation, resources and the button list.
#include "SPToolBar.h"
#include "SPFrameImpl.h"
#include "SPGlobalData.h"
#include "SPVisualManager.h"

IMPLEMENT_DYNCREATE(CSPBaseToolBar, CSPControlBar)
IMPLEMENT_SERIAL(CSPToolBar, CSPBaseToolBar, VERSIONABLE_SCHEMA | 1)

void CSPBaseToolBar::OnAfterStretch(CSize /*sizeDelta*/) {
    CRect rectClient;
    GetClientRect(rectClient);
    if (rectClient.Width() != GetVirtualRect().Width()) {
        Invalidate();
        UpdateWindow();
    }
}

BEGIN_MESSAGE_MAP(CSPToolBar, CSPBaseToolBar)
    ON_WM_CREATE()
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_CANCELMODE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_CONTEXTMENU()
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(TB_BUTTONCOUNT, OnTbButtonCount)
    ON_MESSAGE(TB_GETITEMRECT, OnTbGetItemRect)
    ON_MESSAGE(TB_GETBUTTON, OnTbGetButton)
    ON_MESSAGE(TB_GETBUTTONTEXTA, OnTbGetButtonText)
    ON_COMMAND_RANGE(SP_IDC_CUSTOMIZE_FIRST, SP_IDC_CUSTOMIZE_LAST, OnCustomizeCommand)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnNeedTipText)
END_MESSAGE_MAP()

CSPToolBar::CSPToolBar()
    : m_bLocked(FALSE),
      m_bLargeIconsAreEnbaled(TRUE),
      m_Impl(this),
      m_bPermament(FALSE),
      m_bTextLabels(FALSE),
      m_bDrawTextLabels(FALSE),
      m_nMaxBtnHeight(0),
      m_sizeButtonLocked(23, 22),
      m_sizeImageLocked(16, 15),
      m_sizeCurButtonLocked(23, 22),
      m_sizeCurImageLocked(16, 15),
      m_iButtonCapture(-1),
      m_iHighlighted(-1),
      m_iSelected(-1),
      m_iHot(-1),
      m_Buttons(10),
      m_OrigButtons(10),
      m_bResourceWasChanged(FALSE),
      m_nTooltipsCount(0),
      m_iDragIndex(-1),
      m_rectDrag(0, 0, 0, 0),
      m_pDragButton(NULL),
      m_ptStartDrag(-1, -1),
      m_bIsDragCopy(FALSE),
      m_bStretchButton(FALSE),
      m_rectTrack(0, 0, 0, 0),
      m_iImagesOffset(0),
      m_uiOriginalResID(0),
      m_bTracked(FALSE),
      m_ptLastMouse(-1, -1),
      m_bMenuMode(FALSE),
      m_pWndLastCapture(NULL),
      m_hwndLastFocus(NULL),
      m_bDisableControlsIfNoHandler(TRUE),
      m_bRouteCommandsViaFrame(TRUE),
      m_rectSizeAll(0, 0, 0, 0),
      m_sizeLast(0, 0),
      m_AcellKeys(10),
      m_bShowHotBorder(TRUE),
      m_bGrayDisabledButtons(TRUE),
      m_bIgnoreSetText(FALSE),
      m_nMaxLen(0) {
    m_AcellKeys.InitHashTable(17, FALSE);
    m_pCustomizeButton = NULL;
    m_cyTopBorder = m_cyBottomBorder = 1;
}

CSPToolBar::~CSPToolBar() {
    while (!m_OrigButtons.IsEmpty()) delete m_OrigButtons.RemoveHead();
    RemoveAllButtons();
    m_AcellKeys.RemoveAll();
    if (m_pSelToolbar == this) m_pSelToolbar = NULL;
    if (m_pLastHookedToolbar == this) m_pLastHookedToolbar = NULL;
    // A window destroyed by the base destructor no longer reaches OnDestroy.
    POSITION pos = g_lstAllToolbars.Find(this);
    if (pos != NULL) g_lstAllToolbars.RemoveAt(pos);
}

// --- creation -------------------------------------------------------------------

BOOL CSPToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CSPToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
    if (rcBorders.left < 1) rcBorders.left = 1;
    if (rcBorders.top < 1) rcBorders.top = 1;
    SetBorders(&rcBorders);
    DWORD dwBarStyle = (dwStyle | CBRS_GRIPPER) & CBRS_ALL;
    if (nID == AFX_IDW_TOOLBAR) dwBarStyle |= CBRS_HIDE_INPLACE;
    SetCurrentAlignment(dwBarStyle);
    SetControlBarStyle(dwBarStyle);
    AfxDeferRegisterClass(AFX_WNDCOMMCTLS_REG);

    const CString strClassName = RegisterBarClass(_T("SToolBar"));

    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE;
    dwWndStyle &= ~CCS_NOMOVEY;
    if (!CSPControlBar::CreateEx(0, strClassName, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID, SPCBRS_FLOAT))
        return FALSE;
    return GetSafeHwnd() != NULL;
}

int CSPToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPBaseToolBar::OnCreate(lpCreateStruct) == -1) return -1;
    if (m_hcurStretch == NULL) m_hcurStretch = AfxGetApp()->LoadCursor(AFX_IDC_HSPLITBAR);
    if (m_hcurSizeAll == NULL) m_hcurSizeAll = ::LoadCursor(NULL, IDC_SIZEALL);
    m_DropTarget.Register(this);
    m_penDrag.CreatePen(PS_SOLID, 1, spGlobalData.clrBtnText);
    if (m_wndToolTip.Create(this, TTS_ALWAYSTIP)) m_wndToolTip.Activate(TRUE);
    g_lstAllToolbars.AddTail(this);
    return 0;
}

void CSPToolBar::OnDestroy() {
    m_DropTarget.Revoke();
    m_penDrag.DeleteObject();
    if (m_wndToolTip.GetSafeHwnd() != NULL) m_wndToolTip.DestroyWindow();
    m_nTooltipsCount = 0;
    CSPBaseToolBar::OnDestroy();
    if (m_pSelToolbar == this) m_pSelToolbar = NULL;
    if (m_pLastHookedToolbar == this) m_pLastHookedToolbar = NULL;
    POSITION pos = g_lstAllToolbars.Find(this);
    if (pos != NULL) g_lstAllToolbars.RemoveAt(pos);
}

void CSPToolBar::GetVisualInfo(SPBarInfo& info) {
    CSPBaseToolBar::GetVisualInfo(info);
    info.bToolBar = TRUE;
}

BOOL CSPToolBar::IsUserDefined() const {
    // The range of user toolbar ids is the frame's; a floating bar's frame
    // is the one that owns its mini frame.
    CFrameWnd* pFrame = GetTopLevelFrame();
    CSPFrameImpl* pImpl = CSPFrameImpl::FromFrame(pFrame);
    if (pImpl == NULL) pImpl = CSPFrameImpl::FromFrame(CSPFrameImpl::GetMainFrame());
    return pImpl != NULL && pImpl->IsUserBarID(const_cast<CSPToolBar*>(this));
}

void CSPToolBar::LeaveHotTracking() {
    m_bTracked = FALSE;
    m_ptLastMouse = CPoint(-1, -1);
    if (m_iHighlighted >= 0) {
        const int iOld = m_iHighlighted;
        m_iHighlighted = -1;
        OnChangeHot(-1);
        InvalidateButton(iOld);
        if (GetSafeHwnd() != NULL) UpdateWindow();
    }
}

void CSPToolBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp) {
    m_Impl.CalcInsideRect(lpncsp->rgrc[0]);
}

void CSPToolBar::OnNcPaint() { m_Impl.DrawBorders(); }

// --- sizes and resources --------------------------------------------------------

void CSPToolBar::SetLockedSizes(SIZE sizeButton, SIZE sizeImage) {
    CSPSizeSet set = {m_sizeButtonLocked, m_sizeImageLocked, m_sizeCurButtonLocked, m_sizeCurImageLocked,
                      {&m_ImagesLocked, &m_ColdImagesLocked, &m_DisabledImagesLocked},
                      {&m_LargeImagesLocked, &m_LargeColdImagesLocked, &m_LargeDisabledImagesLocked}};
    ApplySizes(set, sizeButton, sizeImage);
}

void CSPToolBar::SetHeight(int cyHeight) {
    int nSpare = cyHeight - GetRowHeight();
    if (GetControlBarStyle() & CBRS_BORDER_TOP) nSpare -= ::GetSystemMetrics(SM_CYBORDER);
    if (GetControlBarStyle() & CBRS_BORDER_BOTTOM) nSpare -= ::GetSystemMetrics(SM_CYBORDER);
    m_cyBottomBorder = nSpare / 2;
    m_cyTopBorder = nSpare - m_cyBottomBorder;
    if (m_cyTopBorder < 0) {
        m_cyTopBorder = 0;
        m_cyBottomBorder = nSpare;
    }
    if (GetSafeHwnd() != NULL) Invalidate();
}

BOOL CSPToolBar::LoadBitmap(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL bLocked, UINT uiDisabledResID,
                            UINT uiMenuDisabledResID) {
    CSPToolBarParams params;
    params.m_uiHotResID = uiResID;
    params.m_uiColdResID = uiColdResID;
    params.m_uiMenuResID = uiMenuResID;
    params.m_uiDisabledResID = uiDisabledResID;
    params.m_uiMenuDisabledResID = uiMenuDisabledResID;
    return LoadBitmapEx(params, bLocked);
}

BOOL CSPToolBar::LoadToolBar(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL bLocked, UINT uiDisabledResID,
                             UINT uiMenuDisabledResID, UINT uiHotResID) {
    CSPToolBarParams params;
    params.m_uiColdResID = uiColdResID;
    params.m_uiHotResID = uiHotResID;
    params.m_uiMenuResID = uiMenuResID;
    params.m_uiDisabledResID = uiDisabledResID;
    params.m_uiMenuDisabledResID = uiMenuDisabledResID;
    return LoadToolBarEx(uiResID, params, bLocked);
}

BOOL CSPToolBar::LoadBitmapEx(CSPToolBarParams& params, BOOL bLocked) {
    m_bLocked = bLocked;
    HINSTANCE hInst = AfxGetResourceHandle();
    struct Strip {
        UINT uiResID;
        CSPButtonImages* pImages;
    };
    if (!m_bLocked) {
        if (!m_Images.Load(params.m_uiHotResID, hInst, TRUE)) return FALSE;
        m_iImagesOffset = m_Images.GetResourceOffset(params.m_uiHotResID);
        const Strip strips[] = {{params.m_uiColdResID, &m_ColdImages},
                                {params.m_uiMenuResID, &m_MenuImages},
                                {params.m_uiDisabledResID, &m_DisabledImages},
                                {params.m_uiMenuDisabledResID, &m_DisabledMenuImages},
                                {params.m_uiLargeHotResID, &m_LargeImages},
                                {params.m_uiLargeColdResID, &m_LargeColdImages},
                                {params.m_uiLargeDisabledResID, &m_LargeDisabledImages}};
        for (const Strip& strip : strips)
            if (strip.uiResID != 0 && !strip.pImages->Load(strip.uiResID, hInst, TRUE)) return FALSE;
        return TRUE;
    }
    const Strip strips[] = {{params.m_uiHotResID, &m_ImagesLocked},
                            {params.m_uiColdResID, &m_ColdImagesLocked},
                            {params.m_uiDisabledResID, &m_DisabledImagesLocked},
                            {params.m_uiLargeHotResID, &m_LargeImagesLocked},
                            {params.m_uiLargeColdResID, &m_LargeColdImagesLocked},
                            {params.m_uiLargeDisabledResID, &m_LargeDisabledImagesLocked},
                            {params.m_uiMenuResID, &m_MenuImagesLocked},
                            {params.m_uiMenuDisabledResID, &m_DisabledMenuImagesLocked}};
    for (const Strip& strip : strips)
        if (strip.uiResID != 0 && !strip.pImages->Load(strip.uiResID, hInst, TRUE)) return FALSE;
    return TRUE;
}

BOOL CSPToolBar::LoadToolBarEx(UINT uiToolbarResID, CSPToolBarParams& params, BOOL bLocked) {
    LPCTSTR lpszResourceName = MAKEINTRESOURCE(uiToolbarResID);
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
    HRSRC hRsrc = ::FindResource(hInst, lpszResourceName, RT_TOOLBAR);
    if (hRsrc == NULL) return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    if (hGlobal == NULL) return FALSE;
    const WORD* pData = (const WORD*)::LockResource(hGlobal);
    if (pData == NULL) return FALSE;
    const DWORD cbResource = ::SizeofResource(hInst, hRsrc);

    // version, width, height, count, then one id per item; a count beyond
    // the data is cut to the items present.
    if (cbResource < 4 * sizeof(WORD)) return FALSE;
    const int nWidth = pData[1], nHeight = pData[2];
    int nCount = pData[3];
    const int nPresent = (int)(cbResource / sizeof(WORD)) - 4;
    if (nCount > nPresent) nCount = nPresent;
    if (nWidth < 1 || nHeight < 1) return FALSE;
    const WORD* pItems = pData + 4;

    const CSize sizeImage(nWidth, nHeight);
    const CSize sizeButton(nWidth + 6, nHeight + 6);
    if (bLocked)
        SetLockedSizes(sizeButton, sizeImage);
    else
        SetSizes(sizeButton, sizeImage);

    if (params.m_uiHotResID == 0) params.m_uiHotResID = uiToolbarResID;
    if (m_uiOriginalResID == 0 && !LoadBitmapEx(params, bLocked)) return TRUE;

    if (!m_bLocked) {
        int iImage = m_iImagesOffset;
        for (int i = 0; i < nCount; i++) {
            if (pItems[i] == 0) continue;
            m_DefaultImages.SetAt(pItems[i], iImage++);
        }
    }

    CArray<UINT, UINT> ids;
    ids.SetSize(nCount);
    for (int i = 0; i < nCount; i++) ids[i] = pItems[i];
    m_uiOriginalResID = uiToolbarResID;
    if (!SetButtons(nCount > 0 ? ids.GetData() : NULL, nCount, TRUE)) m_uiOriginalResID = 0;
    return TRUE;
}

// --- the button list --------------------------------------------------------------

BOOL CSPToolBar::SetButtons(const UINT* lpIDArray, int nIDCount, BOOL bRemapImages) {
    RemoveAllButtons();
    while (!m_OrigButtons.IsEmpty()) delete m_OrigButtons.RemoveHead();
    if (lpIDArray == NULL) {
        while (nIDCount-- > 0) InsertSeparator(-1);
        return TRUE;
    }

    int iImage = m_iImagesOffset;
    for (int i = 0; i < nIDCount; i++) {
        const UINT uiCmd = lpIDArray[i];
        m_OrigButtons.AddTail(new CSPToolbarButton(uiCmd, -1));
        if (uiCmd == 0) {
            InsertSeparator(-1);
            continue;
        }
        if (!bRemapImages) {
            int iMapped;
            if (m_DefaultImages.Lookup(uiCmd, iMapped))
                InsertButtonCopy(CSPToolbarButton(uiCmd, iMapped, NULL, FALSE, m_bLocked), -1);
            continue;
        }
        if (InsertButtonCopy(CSPToolbarButton(uiCmd, iImage, NULL, FALSE, m_bLocked), -1) >= 0 && !m_bLocked)
            m_DefaultImages.SetAt(uiCmd, iImage);
        iImage++;
    }

    if (GetSafeHwnd() != NULL) {
        CWnd* pTarget = GetDockSite();
        if (pTarget == NULL) pTarget = GetParent();
        if (pTarget != NULL) pTarget->SendMessage(SP_WM_RESETTOOLBAR, (WPARAM)m_uiOriginalResID, 0);
    }
    return TRUE;
}

int CSPToolBar::InsertButton(CSPToolbarButton* pButton, int iInsertAt) {
    if (pButton == NULL || !IsCommandPermitted(pButton->m_nID)) return -1;
    if (iInsertAt < -1 || iInsertAt > GetCount()) return -1;
    // Nothing goes after the customise button.
    if (m_pCustomizeButton != NULL && pButton != m_pCustomizeButton && (iInsertAt == -1 || iInsertAt == GetCount()))
        iInsertAt = GetCount() - 1;
    if (iInsertAt == -1 || iInsertAt == GetCount()) {
        m_Buttons.AddTail(pButton);
        iInsertAt = GetCount() - 1;
    } else {
        m_Buttons.InsertBefore(m_Buttons.FindIndex(iInsertAt), pButton);
    }
    pButton->OnChangeParentWnd(this);
    return iInsertAt;
}

int CSPToolBar::InsertButtonCopy(const CSPToolbarButton& button, int iInsertAt) {
    CSPToolbarButton* pButton = DYNAMIC_DOWNCAST(CSPToolbarButton, button.GetRuntimeClass()->CreateObject());
    if (pButton == NULL) return -1;
    pButton->CopyFrom(button);
    const int iIndex = InsertButton(pButton, iInsertAt);
    if (iIndex < 0) delete pButton;
    return iIndex;
}

int CSPToolBar::InsertSeparator(INT_PTR iInsertAt) {
    // A separator never leads a bar.
    if (GetCount() == 0 || iInsertAt == 0) return -1;
    CSPToolbarButton* pButton = new CSPToolbarButton;
    pButton->m_nStyle = TBBS_SEPARATOR;
    pButton->m_iImage = 0;
    const int iIndex = InsertButton(pButton, (int)iInsertAt);
    if (iIndex < 0) delete pButton;
    return iIndex;
}

int CSPToolBar::ReplaceButton(UINT uiCmd, const CSPToolbarButton& button, BOOL bAll) {
    int nReplaced = 0;
    for (int iIndex = CommandToIndex(uiCmd); iIndex >= 0; iIndex = CommandToIndex(uiCmd, iIndex + 1)) {
        POSITION pos = m_Buttons.FindIndex(iIndex);
        CSPToolbarButton* pOld = (CSPToolbarButton*)m_Buttons.GetAt(pos);
        m_Buttons.RemoveAt(pos);
        pOld->OnCancelMode();
        delete pOld;
        if (InsertButtonCopy(button, iIndex) < 0) return 0;
        nReplaced++;
        if (!bAll) break;
    }
    return nReplaced;
}

// An index held across a removal.
static void IndexAfterRemoval(int& iHeld, int iRemoved) {
    if (iHeld == iRemoved)
        iHeld = -1;
    else if (iHeld > iRemoved)
        iHeld--;
}

BOOL CSPToolBar::RemoveButton(int iIndex) {
    POSITION pos = iIndex >= 0 ? m_Buttons.FindIndex(iIndex) : NULL;
    if (pos == NULL) return FALSE;
    CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetAt(pos);
    m_Buttons.RemoveAt(pos);
    pButton->OnCancelMode();
    if (pButton == m_pCustomizeButton) m_pCustomizeButton = NULL;
    delete pButton;

    IndexAfterRemoval(m_iButtonCapture, iIndex);
    IndexAfterRemoval(m_iSelected, iIndex);
    const int iHighlighted = m_iHighlighted;
    IndexAfterRemoval(m_iHighlighted, iIndex);
    if (m_iHighlighted != iHighlighted) OnChangeHot(m_iHighlighted);

    while (!m_Buttons.IsEmpty() && ((CSPToolbarButton*)m_Buttons.GetTail())->IsSeparator())
        delete m_Buttons.RemoveTail();
    CSPToolbarButton* pPrev = GetButton(iIndex - 1);
    CSPToolbarButton* pAt = GetButton(iIndex);
    if (pPrev != NULL && pAt != NULL && pPrev->IsSeparator() && pAt->IsSeparator()) RemoveButton(iIndex);
    RebuildAccelerationKeys();
    return TRUE;
}

void CSPToolBar::RemoveAllButtons() {
    m_iButtonCapture = m_iHighlighted = m_iSelected = -1;
    m_pCustomizeButton = NULL;
    while (!m_Buttons.IsEmpty()) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.RemoveHead();
        pButton->OnCancelMode();
        delete pButton;
    }
}

// Mnemonic characters of the buttons' texts; the keyboard part of the bar
// reads them.
void CSPToolBar::RebuildAccelerationKeys() {
    m_AcellKeys.RemoveAll();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        if (pButton->IsSeparator() || !pButton->m_bText) continue;
        const CString& str = pButton->m_strText;
        for (int i = 0; i + 1 < str.GetLength(); i++) {
            if (str[i] != '&') continue;
            if (str[i + 1] == '&') {
                i++;
                continue;
            }
            m_AcellKeys.SetAt((UINT)(BYTE)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)str[i + 1]), pButton);
            break;
        }
    }
}

CSPToolbarButton* CSPToolBar::GetButton(int iIndex) const {
    POSITION pos = iIndex >= 0 ? m_Buttons.FindIndex(iIndex) : NULL;
    return pos != NULL ? (CSPToolbarButton*)m_Buttons.GetAt(pos) : NULL;
}

int CSPToolBar::CommandToIndex(UINT nIDFind, int iIndexFirst) const {
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL; i++) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        if (i >= iIndexFirst && pButton->m_nID == nIDFind) return i;
    }
    return -1;
}

int CSPToolBar::ButtonToIndex(const CSPToolbarButton* pButton) const {
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL; i++)
        if (m_Buttons.GetNext(pos) == pButton) return i;
    return -1;
}

UINT CSPToolBar::GetItemID(int nIndex) const {
    CSPToolbarButton* pButton = GetButton(nIndex);
    return pButton != NULL ? pButton->m_nID : 0;
}

void CSPToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    CSPToolbarButton* pButton = GetButton(nIndex);
    *lpRect = pButton != NULL ? pButton->Rect() : CRect(0, 0, 0, 0);
}

void CSPToolBar::GetInvalidateItemRect(int nIndex, LPRECT lpRect) const { GetItemRect(nIndex, lpRect); }

UINT CSPToolBar::GetButtonStyle(int nIndex) const {
    CSPToolbarButton* pButton = GetButton(nIndex);
    return pButton != NULL ? pButton->m_nStyle : 0;
}

void CSPToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
    CSPToolbarButton* pButton = GetButton(nIndex);
    if (pButton == NULL) return;
    const UINT nOldStyle = pButton->m_nStyle;
    if (nOldStyle == nStyle) return;
    if (nStyle & TBBS_DISABLED) nStyle &= ~TBBS_PRESSED;
    pButton->SetStyle(nStyle);
    if (!((nOldStyle & TBBS_PRESSED) && (nStyle & TBBS_PRESSED))) InvalidateButton(nIndex);
}

void CSPToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const {
    CSPToolbarButton* pButton = GetButton(nIndex);
    if (pButton == NULL) {
        nID = nStyle = 0;
        iImage = -1;
        return;
    }
    nID = pButton->m_nID;
    nStyle = pButton->m_nStyle;
    iImage = pButton->GetImage();
}

void CSPToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage) {
    CSPToolbarButton* pButton = GetButton(nIndex);
    if (pButton == NULL) return;
    pButton->m_nID = nID;
    pButton->m_nStyle = nStyle;
    pButton->SetImage(iImage);
    if ((nStyle & TBBS_SEPARATOR) && iImage > 0 && GetSafeHwnd() != NULL) AdjustLayout();
    InvalidateButton(nIndex);
}

BOOL CSPToolBar::SetButtonText(int nIndex, LPCTSTR lpszText) {
    CSPToolbarButton* pButton = GetButton(nIndex);
    if (pButton == NULL) return FALSE;
    pButton->m_strText = lpszText != NULL ? lpszText : "";
    return TRUE;
}

CString CSPToolBar::GetButtonText(int nIndex) const {
    CSPToolbarButton* pButton = GetButton(nIndex);
    return pButton != NULL ? pButton->m_strText : CString();
}

BOOL CSPToolBar::SetButtonTextFromResource(int nIndex) {
    CSPToolbarButton* pButton = GetButton(nIndex);
    if (pButton == NULL || pButton->m_nID == 0 || pButton->m_nID == (UINT)-1) return FALSE;
    CString strResource;
    if (!strResource.LoadString(pButton->m_nID)) return FALSE;
    const int iNewLine = strResource.Find('\n');
    if (iNewLine < 0) return FALSE;
    pButton->m_strText = strResource.Mid(iNewLine + 1);
    return !pButton->m_strText.IsEmpty();
}

void CSPToolBar::SetButtonUserData(int nIndex, LPCTSTR lpszText, BOOL bShowText, BOOL bShowImage) {
    CSPToolbarButton* pButton = GetButton(nIndex);
    if (pButton == NULL) return;
    if (bShowText) {
        if (lpszText != NULL)
            pButton->m_strText = lpszText;
        else
            SetButtonTextFromResource(nIndex);
    }
    pButton->m_bText = bShowText;
    pButton->m_bImage = bShowImage;
}

void CSPToolBar::InvalidateButton(int nIndex) {
    if (GetSafeHwnd() == NULL || GetButton(nIndex) == NULL) return;
    CRect rect;
    GetInvalidateItemRect(nIndex, rect);
    rect.InflateRect(10, 10);
    InvalidateRect(rect, TRUE);
}

void CSPToolBar::UpdateButtonsTextFromResource() {
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;)
        ((CSPToolbarButton*)m_Buttons.GetNext(pos))->UpdateTextFromResource();
    if (IsFloating() && GetSafeHwnd() != NULL) AdjustLayout();
}

void CSPToolBar::EnableTextLabels(BOOL bEnable) {
    if (m_bMenuMode) return;
    m_bTextLabels = bEnable;
    if (GetSafeHwnd() != NULL) AdjustLayout();
}
