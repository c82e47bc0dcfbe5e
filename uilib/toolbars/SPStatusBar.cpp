#include "SPStatusBar.h"
#include "SPDrawEffects.h"

#include "SPFrameImpl.h"
#include "SPGlobalData.h"
#include "SPVisualManager.h"

#include <commctrl.h>
#include <algorithm>
#include <stdlib.h>
#include <string.h>

using std::max;
using std::min;

IMPLEMENT_DYNCREATE(CSPStatusBar, CSPControlBar)

namespace {

const int nPaneInset = 4;  // the frame around a pane's contents
const DWORD dwBarStyleMask = 0x0040FFFF;

LPTSTR DuplicateText(LPCTSTR lpsz) {
    const size_t cb = (_tcslen(lpsz) + 1) * sizeof(TCHAR);
    LPTSTR p = (LPTSTR)malloc(cb);
    if (p != NULL) memcpy(p, lpsz, cb);
    return p;
}

// Stores lpszNew into *ppText by the panes' text rules: an unchanged text
// (or no text over no text) is left alone and answers TRUE with bChanged
// FALSE; an empty text is stored as NULL.
BOOL StorePaneString(LPTSTR* ppText, LPCTSTR lpszNew, BOOL& bChanged) {
    bChanged = FALSE;
    const BOOL bEmptyNew = lpszNew == NULL || *lpszNew == 0;
    if (*ppText == NULL ? bEmptyNew : (lpszNew != NULL && _tcscmp(*ppText, lpszNew) == 0)) return TRUE;
    bChanged = TRUE;
    free(*ppText);
    *ppText = NULL;
    if (bEmptyNew) return TRUE;
    *ppText = DuplicateText(lpszNew);
    return *ppText != NULL;
}

}  // namespace

// The command UI of one pane.
class CSPStatusBarCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        CSPStatusBar* pBar = (CSPStatusBar*)m_pOther;
        const UINT nOld = pBar->GetPaneStyle(m_nIndex);
        pBar->SetPaneStyle(m_nIndex, bOn ? (nOld & ~SBPS_DISABLED) : (nOld | SBPS_DISABLED));
    }
    void SetCheck(int nCheck) override {
        CSPStatusBar* pBar = (CSPStatusBar*)m_pOther;
        const UINT nOld = pBar->GetPaneStyle(m_nIndex);
        pBar->SetPaneStyle(m_nIndex, nCheck != 0 ? (nOld | SBPS_POPOUT) : (nOld & ~SBPS_POPOUT));
    }
    void SetText(LPCTSTR lpszText) override { ((CSPStatusBar*)m_pOther)->SetPaneText(m_nIndex, lpszText, TRUE); }
};

BEGIN_MESSAGE_MAP(CSPStatusBar, CSPControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_SETTINGCHANGE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_WM_NCHITTEST()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CSPStatusBar::CSPStatusBar()
    : m_hFont(NULL), m_cxSizeBox(0), m_bHideSizeGrip(FALSE), m_bDblClkCommands(FALSE), m_rectSizeGrip(0, 0, 0, 0) {
    m_cxLeftBorder = 4;
    m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
}

CSPStatusBar::~CSPStatusBar() {}

// --- creation ---------------------------------------------------------------------

BOOL CSPStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CSPStatusBar::CreateEx(CWnd* pParentWnd, DWORD /*dwCtrlStyle*/, DWORD dwStyle, UINT nID) {
    SetCurrentAlignment(dwStyle & dwBarStyleMask);
    m_dwStyle = dwStyle & dwBarStyleMask;
    LPCTSTR lpszClass =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1), NULL);
    // A status bar neither floats, hides itself, is resized nor closed.
    if (!CSPControlBar::Create(lpszClass, dwStyle & ~dwBarStyleMask, CRect(0, 0, 0, 0), pParentWnd, nID, 0))
        return FALSE;
    CSPFrameImpl* pImpl = CSPFrameImpl::FromFrame(pParentWnd);
    if (pImpl != NULL)
        pImpl->AddControlBar(this, TRUE);
    else if (pParentWnd != NULL && pParentWnd->IsKindOf(RUNTIME_CLASS(CDialog)))
        m_bIsInDialog = TRUE;
    return TRUE;
}

BOOL CSPStatusBar::PreCreateWindow(CREATESTRUCT& cs) {
    // A bottom bar with a top border draws no border of its own.
    if ((m_dwStyle & 0xFF00) == (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)) m_dwStyle &= ~(CBRS_BORDER_ANY | CBRS_BORDER_3D);
    return CSPControlBar::PreCreateWindow(cs);
}

int CSPStatusBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPControlBar::OnCreate(lpCreateStruct) == -1) return -1;
    return 0;
}

void CSPStatusBar::OnDestroy() {
    for (int i = 0; i < m_nCount; i++) {
        SetPaneText(i, NULL, FALSE);
        SetPaneTipText(i, NULL);
        SetPaneIcon(i, NULL, FALSE);
    }
    CSPControlBar::OnDestroy();
}

// --- panes --------------------------------------------------------------------------

SPStatusBarPane* CSPStatusBar::_GetPanePtr(int nIndex) const {
    SPStatusBarPane* pPanes = Panes();
    if (pPanes == NULL) return NULL;
    if (nIndex == nStretchPaneIndex && m_nCount > 0 && m_nCount < nStretchPaneIndex) {
        for (int i = 0; i < m_nCount; i++)
            if (pPanes[i].nStyle & SBPS_STRETCH) return &pPanes[i];
    }
    if (nIndex < 0 || nIndex >= m_nCount) return NULL;
    return &pPanes[nIndex];
}

BOOL CSPStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    for (int i = 0; i < m_nCount; i++) SetPaneText(i, NULL, FALSE);
    // Tooltips, images and animations of the old panes go with them.
    for (int i = 0; i < m_nCount; i++) {
        SetPaneTipText(i, NULL);
        SetPaneAnimation(i, NULL, 0, FALSE);
    }
    if (!AllocElements(nIDCount, sizeof(SPStatusBarPane))) return FALSE;
    if (lpIDArray == NULL) {
        RecalcLayout();
        return TRUE;
    }

    BOOL bResult = TRUE;
    CClientDC dcScreen(NULL);
    HGDIOBJ hOldFont = dcScreen.SelectObject(GetFont()->GetSafeHandle());
    for (int i = 0; i < nIDCount && bResult; i++) {
        SPStatusBarPane* pPane = _GetPanePtr(i);
        if (pPane == NULL) {
            bResult = FALSE;
            break;
        }
        pPane->nID = lpIDArray[i];
        if (pPane->nID != 0) {
            CString strText;
            if (!strText.LoadString(pPane->nID)) {
                bResult = FALSE;
                break;
            }
            pPane->cxText = dcScreen.GetTextExtent(strText).cx;
            if (!SetPaneText(i, strText, FALSE)) bResult = FALSE;
        } else {
            pPane->cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0) pPane->nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
        }
    }
    dcScreen.SelectObject(hOldFont);
    RecalcLayout();
    return bResult;
}

int CSPStatusBar::CommandToIndex(UINT nIDFind) const {
    const SPStatusBarPane* pPanes = Panes();
    for (int i = 0; pPanes != NULL && i < m_nCount; i++)
        if (pPanes[i].nID == nIDFind) return i;
    return -1;
}

UINT CSPStatusBar::GetItemID(int nIndex) const {
    const SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    return pPane != NULL ? pPane->nID : 0;
}

void CSPStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    const SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    if (pPane != NULL && lpRect != NULL) *lpRect = pPane->rect;
}

UINT CSPStatusBar::GetPaneStyle(int nIndex) const {
    const SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    return pPane != NULL ? pPane->nStyle : 0;
}

void CSPStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
    SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    if (pPane == NULL || pPane->nStyle == nStyle) return;
    pPane->nStyle = nStyle;
    if (GetSafeHwnd() != NULL) {
        InvalidateRect(pPane->rect, FALSE);
        UpdateWindow();
    }
}

int CSPStatusBar::GetPaneWidth(int nIndex) const {
    const SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    return pPane != NULL ? pPane->rect.Width() : 0;
}

void CSPStatusBar::SetPaneWidth(int nIndex, int cx) {
    SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    if (pPane == NULL) return;
    const int cxOldContent = pPane->rect.Width() - nPaneInset;
    int cxText = cx - pPane->cxIcon;
    if (pPane->cxIcon > 0) cxText -= nPaneInset;
    pPane->cxText = max(0, cxText);
    if (cx == cxOldContent) return;
    RecalcLayout();
    if (GetSafeHwnd() != NULL) {
        Invalidate();
        UpdateWindow();
    }
}

void CSPStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
    const SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    if (pPane == NULL) return;
    nID = pPane->nID;
    nStyle = pPane->nStyle;
    cxWidth = GetPaneWidth(nIndex);
}

void CSPStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
    SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    if (pPane == NULL) return;
    pPane->nID = nID;
    SetPaneStyle(nIndex, nStyle);
    SetPaneWidth(nIndex, cxWidth);
}

CString CSPStatusBar::GetPaneText(int nIndex) const {
    CString s;
    GetPaneText(nIndex, s);
    return s;
}

void CSPStatusBar::GetPaneText(int nIndex, CString& rString) const {
    const SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    rString = (pPane != NULL && pPane->lpszText != NULL) ? pPane->lpszText : _T("");
}

BOOL CSPStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
    SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    if (pPane == NULL) return FALSE;
    BOOL bChanged = FALSE;
    const BOOL bStored = StorePaneString(&pPane->lpszText, lpszNewText, bChanged);
    if (bChanged && bUpdate) RedrawPaneContent(nIndex);
    return bStored;
}

COLORREF CSPStatusBar::GetPaneTextColor(int nIndex) const {
    const SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    return pPane != NULL ? pPane->clrText : 0;
}

void CSPStatusBar::SetPaneTextColor(int nIndex, COLORREF clrText, BOOL bUpdate) {
    SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    if (pPane == NULL || pPane->clrText == clrText) return;
    pPane->clrText = clrText;
    if (bUpdate) RedrawPaneContent(nIndex);
}

CString CSPStatusBar::GetPaneTipText(int nIndex) const {
    const SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    return (pPane != NULL && pPane->lpszToolTip != NULL) ? CString(pPane->lpszToolTip) : CString();
}

void CSPStatusBar::SetPaneTipText(int nIndex, LPCTSTR lpszToolTip) {
    SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    if (pPane == NULL) return;
    BOOL bChanged = FALSE;
    StorePaneString(&pPane->lpszToolTip, lpszToolTip, bChanged);
    if (bChanged) SetControlBarStyle(GetControlBarStyle() | CBRS_TOOLTIPS);
}

// --- icons and animations ---------------------------------------------------------

void CSPStatusBar::SetPaneIcon(int nIndex, HICON hIcon, BOOL bUpdate) {
    SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    if (pPane == NULL) return;
    // The icon width stays when the image goes, so the text keeps its place.
    SetPaneAnimation(nIndex, NULL, 0, FALSE);
    if (hIcon != NULL) {
        ICONINFO info;
        if (::GetIconInfo(hIcon, &info)) {
            BITMAP bmp;
            HBITMAP hbm = info.hbmColor != NULL ? info.hbmColor : info.hbmMask;
            if (::GetObject(hbm, sizeof(bmp), &bmp) != 0) {
                pPane->cxIcon = bmp.bmWidth;
                pPane->cyIcon = info.hbmColor != NULL ? bmp.bmHeight : bmp.bmHeight / 2;
            }
            if (info.hbmColor != NULL) ::DeleteObject(info.hbmColor);
            if (info.hbmMask != NULL) ::DeleteObject(info.hbmMask);
        }
        pPane->hImage = ImageList_Create(pPane->cxIcon, pPane->cyIcon, ILC_COLORDDB | ILC_MASK, 1, 0);
        if (pPane->hImage != NULL) ImageList_AddIcon(pPane->hImage, hIcon);
        RecalcLayout();
    }
    if (bUpdate) RedrawPaneContent(nIndex);
}

void CSPStatusBar::SetPaneAnimation(int nIndex, HIMAGELIST hImageList, UINT nFrameRate, BOOL bUpdate) {
    SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    if (pPane == NULL) return;
    if (pPane->nFrameCount > 0 && GetSafeHwnd() != NULL) KillTimer(pPane->nID);
    if (pPane->hImage != NULL) ImageList_Destroy(pPane->hImage);
    pPane->hImage = NULL;
    pPane->nFrameCount = 0;
    pPane->nCurrFrame = 0;

    const int nImages = hImageList != NULL ? ImageList_GetImageCount(hImageList) : 0;
    if (nImages > 0) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(hImageList, &cx, &cy);
        pPane->nFrameCount = nImages;
        pPane->cxIcon = cx;
        pPane->cyIcon = cy;
        pPane->hImage = ImageList_Create(cx, cy, ILC_COLORDDB | ILC_MASK, nImages, 1);
        for (int i = 0; i < nImages && pPane->hImage != NULL; i++) {
            HICON hIcon = ImageList_GetIcon(hImageList, i, ILD_TRANSPARENT);
            ImageList_AddIcon(pPane->hImage, hIcon);
            ::DestroyIcon(hIcon);
        }
        RecalcLayout();
        if (bUpdate) RedrawPaneContent(nIndex);
        if (GetSafeHwnd() != NULL) SetTimer(pPane->nID, nFrameRate, NULL);
        return;
    }
    if (bUpdate) RedrawPaneContent(nIndex);
}

void CSPStatusBar::OnTimer(UINT_PTR nIDEvent) {
    const int nIndex = CommandToIndex((UINT)nIDEvent);
    SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    if (pPane == NULL || pPane->nFrameCount <= 0) return;
    pPane->nCurrFrame = (pPane->nCurrFrame + 1) % pPane->nFrameCount;
    CRect rectIcon = ContentRect(pPane);
    rectIcon.right = rectIcon.left + pPane->cxIcon;
    InvalidateRect(rectIcon, FALSE);
    UpdateWindow();
    // Library popup menus over the bar refresh their shadows once they
    // exist; the bar itself needs nothing more.
}

// --- progress -----------------------------------------------------------------------

void CSPStatusBar::EnablePaneProgressBar(int nIndex, long nTotal, BOOL bDisplayText, COLORREF clrBar,
                                         COLORREF clrBarDest, COLORREF clrProgressText) {
    SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    if (pPane == NULL) return;
    pPane->nProgressTotal = nTotal;
    pPane->nProgressCurr = 0;
    pPane->bProgressText = clrBarDest != (COLORREF)-1 ? FALSE : bDisplayText;
    pPane->clrProgressBar = clrBar;
    pPane->clrProgressBarDest = clrBarDest;
    pPane->clrProgressText = clrProgressText;
    RedrawPaneContent(nIndex);
}

void CSPStatusBar::SetPaneProgressPos(int nIndex, long nCurr, BOOL bUpdate) {
    SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    if (pPane == NULL) return;
    nCurr = max(0L, min(nCurr, pPane->nProgressTotal));
    if (pPane->nProgressCurr == nCurr) return;
    pPane->nProgressCurr = nCurr;
    if (bUpdate) RedrawPaneContent(nIndex);
}

long CSPStatusBar::GetPaneProgressPos(int nIndex) const {
    const SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    return pPane != NULL ? pPane->nProgressCurr : -1;
}

// --- redrawing ----------------------------------------------------------------------

CRect CSPStatusBar::ContentRect(const SPStatusBarPane* pPane) const {
    CRect rect = pPane->rect;
    if (pPane->nStyle & SBPS_NOBORDERS)
        rect.top--;
    else
        rect.DeflateRect(1, 1);
    return rect;
}

void CSPStatusBar::RedrawPaneContent(int nIndex) {
    SPStatusBarPane* pPane = _GetPanePtr(nIndex);
    if (pPane == NULL || GetSafeHwnd() == NULL) return;
    CRect rect = ContentRect(pPane);
    InvalidateRect(rect, FALSE);
    UpdateWindow();
}

CFont* CSPStatusBar::GetFont() const {
    if (m_hFont != NULL) return CFont::FromHandle(m_hFont);
    return &spGlobalData.fontRegular;
}

SPStatusBarPane* CSPStatusBar::PaneFromPoint(CPoint pt) const {
    SPStatusBarPane* pPanes = Panes();
    for (int i = 0; pPanes != NULL && i < m_nCount; i++)
        if (pPanes[i].rect.PtInRect(pt)) return &pPanes[i];
    return NULL;
}

// --- layout -------------------------------------------------------------------------

void CSPStatusBar::RecalcLayout() {
    if (GetSafeHwnd() == NULL) return;
    CRect rect;
    GetClientRect(rect);
    CalcInsideRect(rect, TRUE);

    m_cxSizeBox = min(::GetSystemMetrics(SM_CXVSCROLL) + 1, rect.Height());
    const int cxGrip = m_bHideSizeGrip ? 0 : m_cxSizeBox;
    rect.right -= cxGrip;
    const int xRightLimit = cxGrip == 0 ? rect.right + m_cxRightBorder + 1 : rect.right;

    SPStatusBarPane* pPanes = Panes();
    int cxExtra = rect.Width() + m_cxDefaultGap;
    for (int i = 0; i < m_nCount; i++) {
        const SPStatusBarPane& pane = pPanes[i];
        cxExtra -= pane.cxText + pane.cxIcon + nPaneInset + m_cxDefaultGap;
        if (pane.cxText > 0 && pane.cxIcon > 0) cxExtra -= nPaneInset;
    }

    int x = rect.left;
    int xLastRight = -1;
    for (int i = 0; i < m_nCount; i++) {
        SPStatusBarPane& pane = pPanes[i];
        if (x >= xRightLimit) {
            pane.rect.SetRectEmpty();
            continue;
        }
        int cx = pane.cxText + pane.cxIcon;
        if (pane.cxText > 0 && pane.cxIcon > 0) cx += nPaneInset;
        if ((pane.nStyle & SBPS_STRETCH) && cxExtra > 0) {
            cx += cxExtra;
            cxExtra = 0;
        }
        pane.rect.SetRect(x, rect.top, min(x + cx + nPaneInset, xRightLimit), rect.bottom);
        xLastRight = pane.rect.right;
        x = pane.rect.right + m_cxDefaultGap;
    }

    if (cxGrip == 0) {
        m_rectSizeGrip.SetRectEmpty();
    } else {
        const int xGrip = xLastRight >= 0 ? xLastRight : rect.right;
        m_rectSizeGrip.SetRect(xGrip, rect.top, xGrip + min(m_cxSizeBox, rect.Height() + m_cyTopBorder),
                               rect.bottom);
    }
}

CSize CSPStatusBar::CalcFixedLayout(BOOL /*bStretch*/, BOOL bHorz) {
    int cyIcon = 0;
    const SPStatusBarPane* pPanes = Panes();
    for (int i = 0; pPanes != NULL && i < m_nCount; i++) cyIcon = max(cyIcon, pPanes[i].cyIcon);

    CClientDC dc(NULL);
    HGDIOBJ hOldFont = dc.SelectObject(GetFont()->GetSafeHandle());
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    dc.SelectObject(hOldFont);

    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, bHorz);
    return CSize(32767, max(cyIcon, (int)tm.tmHeight) + nPaneInset - rectInside.Height());
}

void CSPStatusBar::OnSize(UINT nType, int cx, int cy) {
    CSPControlBar::OnSize(nType, cx, cy);
    RecalcLayout();
    Invalidate();
    UpdateWindow();
}

void CSPStatusBar::OnSettingChange(UINT /*uFlags*/, LPCTSTR /*lpszSection*/) { RecalcLayout(); }

LRESULT CSPStatusBar::OnSizeParent(WPARAM, LPARAM lParam) {
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    if (lpLayout == NULL || lpLayout->hDWP == NULL) return 0;
    CFrameWnd* pFrame = SPGetParentFrame(this);
    if (pFrame == NULL) return 0;

    BOOL bHide = TRUE;
    if (!pFrame->IsZoomed() && (pFrame->GetStyle() & WS_THICKFRAME)) {
        // Only a bar in the frame's bottom-right corner carries the grip. The
        // dock manager has placed the bar before the frame's children are
        // asked, and the rectangle they are handed is what the bars left, so
        // the bar's own place is what tells.
        CRect rectClient, rectBar;
        pFrame->GetClientRect(rectClient);
        GetWindowRect(rectBar);
        pFrame->ScreenToClient(rectBar);
        bHide = !(rectBar.right == rectClient.right && rectBar.bottom == rectClient.bottom);
    }
    if (bHide != m_bHideSizeGrip) {
        m_bHideSizeGrip = bHide;
        RecalcLayout();
        Invalidate();
        UpdateWindow();
    }
    return 0;
}

// --- painting -----------------------------------------------------------------------

void CSPStatusBar::DoPaint(CDC* pDCPaint) {
    CRect rectClient;
    GetClientRect(rectClient);
    CSPOffscreenDC offscreen(pDCPaint, rectClient);
    CDC* pDC = offscreen.GetDC();

    CSPControlBar::DoPaint(pDC);

    HGDIOBJ hOldFont = pDC->SelectObject(GetFont()->GetSafeHandle());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOldText = pDC->SetTextColor(spGlobalData.clrBtnText);
    const COLORREF clrOldBk = pDC->SetBkColor(spGlobalData.clrBtnFace);

    SPStatusBarPane* pPanes = Panes();
    for (int i = 0; pPanes != NULL && i < m_nCount; i++) OnDrawPane(pDC, &pPanes[i]);

    pDC->SelectObject(hOldFont);
    if (!m_rectSizeGrip.IsRectEmpty())
        CSPVisualManager::GetInstance()->OnDrawStatusBarSizeBox(pDC, this, m_rectSizeGrip);

    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
    pDC->SetBkMode(nOldMode);
    offscreen.Flush();
}

void CSPStatusBar::OnDrawPane(CDC* pDC, SPStatusBarPane* pPane) {
    CRect rect = pPane->rect;
    if (rect.IsRectEmpty() || !pDC->RectVisible(rect)) return;
    CSPVisualManager::GetInstance()->OnDrawStatusBarPaneBorder(pDC, this, rect, pPane->nID, pPane->nStyle);
    if (!(pPane->nStyle & SBPS_NOBORDERS)) rect.DeflateRect(2, 1);

    if (pPane->hImage != NULL && pPane->cxIcon > 0) {
        const int y = rect.top + max(0, (rect.Height() - pPane->cyIcon) / 2);
        ImageList_DrawEx(pPane->hImage, pPane->nCurrFrame, pDC->GetSafeHdc(), rect.left, y, pPane->cxIcon,
                         pPane->cyIcon, CLR_NONE, CLR_NONE, ILD_NORMAL);
    }
    CRect rectContent = rect;
    if (pPane->cxIcon > 0) rectContent.left += pPane->cxIcon + nPaneInset;

    if (pPane->nProgressTotal > 0) {
        CRect rectProgress = rectContent;
        rectProgress.DeflateRect(1, 1);
        const COLORREF clrBar =
            pPane->clrProgressBar == (COLORREF)-1 ? ::GetSysColor(COLOR_HIGHLIGHT) : pPane->clrProgressBar;
        const COLORREF clrText =
            pPane->clrProgressText == (COLORREF)-1 ? spGlobalData.clrTextHilite : pPane->clrProgressText;
        CSPVisualManager::GetInstance()->OnDrawStatusBarProgress(pDC, this, rectProgress, pPane->nProgressTotal,
                                                                 pPane->nProgressCurr, clrBar,
                                                                 pPane->clrProgressBarDest, clrText,
                                                                 pPane->bProgressText);
        return;
    }
    if (pPane->lpszText == NULL || pPane->cxText <= 0) return;
    COLORREF clrText = pPane->clrText == (COLORREF)-1 ? spGlobalData.clrBtnText : pPane->clrText;
    if (pPane->nStyle & SBPS_DISABLED) clrText = spGlobalData.clrGrayedText;
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    pDC->DrawText(pPane->lpszText, (int)_tcslen(pPane->lpszText), rectContent,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    pDC->SetTextColor(clrOld);
}

// --- command UI, tooltips, mouse --------------------------------------------------

void CSPStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CSPStatusBarCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_nCount;
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = GetItemID((int)state.m_nIndex);
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

INT_PTR CSPStatusBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    const INT_PTR nHit = CWnd::OnToolHitTest(point, pTI);
    if (nHit != -1) return nHit;

    INT_PTR nResult = -1;
    const SPStatusBarPane* pPane = PaneFromPoint(point);
    if (pPane != NULL && pPane->lpszToolTip != NULL) {
        nResult = pPane->nID;
        if (pTI != NULL) {
            pTI->lpszText = DuplicateText(pPane->lpszToolTip);
            pTI->rect = pPane->rect;
            pTI->uId = 0;
            pTI->hwnd = m_hWnd;
        }
    }
    CToolTipCtrl* pToolTip = AfxGetThreadState()->m_pToolTip;
    if (pToolTip != NULL && pToolTip->GetSafeHwnd() != NULL)
        pToolTip->SendMessage(WM_SETFONT, (WPARAM)spGlobalData.fontRegular.GetSafeHandle());
    return nResult;
}

void CSPStatusBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    const SPStatusBarPane* pPane = m_bDblClkCommands ? PaneFromPoint(point) : NULL;
    if (pPane != NULL) {
        CWnd* pTarget = GetOwner();
        if (pTarget == NULL) pTarget = GetParent();
        if (pTarget != NULL) pTarget->PostMessage(WM_COMMAND, pPane->nID, 0);
    }
    CSPControlBar::OnLButtonDblClk(nFlags, point);
}

LRESULT CSPStatusBar::OnNcHitTest(CPoint point) {
    if (!m_bHideSizeGrip && m_cxSizeBox != 0) {
        CRect rect;
        GetClientRect(rect);
        CalcInsideRect(rect, TRUE);
        rect.left = rect.right - min(rect.Height(), m_cxSizeBox - 1);
        ClientToScreen(rect);
        if (rect.PtInRect(point)) return HTBOTTOMRIGHT;
    }
    return CSPControlBar::OnNcHitTest(point);
}

void CSPStatusBar::OnSysCommand(UINT nID, LPARAM lParam) {
    if (!m_bHideSizeGrip && m_cxSizeBox != 0 && (nID & 0xFFF0) == SC_SIZE) {
        CFrameWnd* pFrame = SPGetParentFrame(this);
        if (pFrame != NULL) {
            pFrame->SendMessage(WM_SYSCOMMAND, (WPARAM)nID, lParam);
            return;
        }
    }
    CSPControlBar::OnSysCommand(nID, lParam);
}

// --- font and text messages ----------------------------------------------------------

LRESULT CSPStatusBar::OnSetFont(WPARAM wParam, LPARAM lParam) {
    m_hFont = (HFONT)wParam;
    RecalcLayout();
    if (LOWORD(lParam) != 0) {
        Invalidate();
        UpdateWindow();
    }
    return 0;
}

LRESULT CSPStatusBar::OnGetFont(WPARAM, LPARAM) { return (LRESULT)GetFont()->GetSafeHandle(); }

LRESULT CSPStatusBar::OnSetText(WPARAM, LPARAM lParam) {
    const int nIndex = CommandToIndex(0);
    if (nIndex < 0) return -1;
    return SetPaneText(nIndex, (LPCTSTR)lParam, TRUE) ? 0 : -1;
}

LRESULT CSPStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
    const int nMax = (int)wParam;
    LPTSTR lpszDest = (LPTSTR)lParam;
    if (nMax <= 0 || lpszDest == NULL) return 0;
    const int nIndex = CommandToIndex(0);
    if (nIndex < 0) {
        *lpszDest = 0;
        return 1;
    }
    const CString strText = GetPaneText(nIndex);
    const int nCopy = min(nMax - 1, strText.GetLength());
    memcpy(lpszDest, (LPCTSTR)strText, nCopy * sizeof(TCHAR));
    lpszDest[nCopy] = 0;
    return nCopy + 1;
}

LRESULT CSPStatusBar::OnGetTextLength(WPARAM, LPARAM) {
    const int nIndex = CommandToIndex(0);
    return nIndex < 0 ? 0 : GetPaneText(nIndex).GetLength();
}
