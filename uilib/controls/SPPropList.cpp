// SPPropList.cpp - the property list.
#include "SPPropList.h"
#include "SPDrawEffects.h"
#include "SPGlobalData.h"
#include <mbstring.h>

UINT SP_PROPERTY_CHANGED = ::RegisterWindowMessage(_T("SM_PROPERTYCHANGED"));

HCURSOR CSPPropList::s_hcurVertSplit = NULL;
HCURSOR CSPPropList::s_hcurHorzSplit = NULL;

static const int nSplitterZone = 3;  // a press closer than this grabs a splitter

IMPLEMENT_DYNAMIC(CSPPropList, CWnd)

BEGIN_MESSAGE_MAP(CSPPropList, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_WM_SETTINGCHANGE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_NOTIFY(HDN_ITEMCHANGEDA, CSPPropList::ID_HEADER, OnHeaderItemChanged)
    ON_NOTIFY(HDN_ITEMCHANGEDW, CSPPropList::ID_HEADER, OnHeaderItemChanged)
    ON_NOTIFY(HDN_TRACKA, CSPPropList::ID_HEADER, OnHeaderTrack)
    ON_NOTIFY(HDN_TRACKW, CSPPropList::ID_HEADER, OnHeaderTrack)
    ON_NOTIFY(HDN_ENDTRACKA, CSPPropList::ID_HEADER, OnHeaderEndTrack)
    ON_NOTIFY(HDN_ENDTRACKW, CSPPropList::ID_HEADER, OnHeaderEndTrack)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnNeedTipText)
    ON_NOTIFY_EX_RANGE(TTN_SHOW, 0, 0xFFFF, OnTipShow)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_SETCURSOR()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_GETDLGCODE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_CTLCOLOR()
    ON_CBN_SELENDOK(CSPProp::AFX_PROPLIST_ID_INPLACE, OnSelectCombo)
    ON_CBN_CLOSEUP(CSPProp::AFX_PROPLIST_ID_INPLACE, OnCloseCombo)
    ON_WM_STYLECHANGED()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSPPropList::CSPPropList()
    : m_bHeaderCtrl(TRUE), m_bDescriptionArea(FALSE), m_nDescrHeight(0), m_bAlphabeticMode(FALSE),
      m_bShadedMargin(FALSE), m_strTrue(_T("True")), m_strFalse(_T("False")), m_hFont(NULL), m_nHeaderHeight(0),
      m_nRowHeight(0), m_nLeftColumnWidth(0), m_lstProps(10), m_lstTerminalProps(10), m_bTracking(FALSE),
      m_bTrackingDescr(FALSE), m_pSel(NULL), m_bFocused(FALSE), m_clrGray(0), m_nVertScrollOffset(0),
      m_nVertScrollPage(0), m_nVertScrollTotal(0), m_nTrackPos(-1), m_nPropertyChangedCount(0) {
    m_rectList.SetRectEmpty();
}

CSPPropList::~CSPPropList() { RemoveAll(); }

BOOL CSPPropList::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), NULL, NULL);
    return CWnd::Create(lpszClass, _T(""), dwStyle, rect, pParentWnd, nID);
}

int CSPPropList::OnCreate(LPCREATESTRUCT) {
    if (Default() == -1) return -1;
    Init();
    return 0;
}

void CSPPropList::PreSubclassWindow() {
    CWnd::PreSubclassWindow();
    if (!AfxIsWindowCreationUnderWay()) Init();
}

void CSPPropList::Init() {
    if (s_hcurVertSplit == NULL) {
        s_hcurVertSplit = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(30980));
        if (s_hcurVertSplit == NULL) s_hcurVertSplit = ::LoadCursor(NULL, IDC_SIZEWE);
    }
    if (s_hcurHorzSplit == NULL) {
        s_hcurHorzSplit = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(30981));
        if (s_hcurHorzSplit == NULL) s_hcurHorzSplit = ::LoadCursor(NULL, IDC_SIZENS);
    }
    CRect rectClient;
    GetClientRect(rectClient);
    if (m_nLeftColumnWidth == 0) m_nLeftColumnWidth = rectClient.Width() / 2;

    CreateHeader();
    HDITEM hdi = {};
    hdi.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    hdi.fmt = HDF_LEFT | HDF_STRING;
    hdi.cxy = 100;
    hdi.pszText = const_cast<LPTSTR>(_T("Property"));
    m_wndHeader.InsertItem(0, &hdi);
    hdi.pszText = const_cast<LPTSTR>(_T("Value"));
    m_wndHeader.InsertItem(1, &hdi);

    m_wndScrollVert.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(0, 0, 0, 0), this, ID_SCROLL_VERT);

    m_ToolTip.Create(this, TTS_ALWAYSTIP);
    m_ToolTip.Activate(TRUE);
    m_ToolTip.SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    ComputeMarginColor();
    RebuildBoldFont();
    AdjustLayout();
}

int CSPPropList::CreateHeader() {
    if (m_wndHeader.m_hWnd != NULL) return 0;
    return m_wndHeader.Create(WS_CHILD | WS_VISIBLE | HDS_HORZ, CRect(0, 0, 0, 0), this, ID_HEADER) ? 0 : -1;
}

HFONT CSPPropList::GetListFont() const {
    return m_hFont != NULL ? m_hFont : (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
}

void CSPPropList::ComputeMarginColor() {
    m_clrGray = spGlobalData.nBitsPerPixel > 8 ? CSPDrawEffects::ScaleColor(spGlobalData.clrBtnFace, 94)
                                               : spGlobalData.clrBtnShadow;
}

void CSPPropList::RebuildBoldFont() {
    m_fontBold.DeleteObject();
    LOGFONT lf = {};
    ::GetObject(GetListFont(), sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&lf);
}

// --- look -------------------------------------------------------------------------

void CSPPropList::EnableHeaderCtrl(BOOL bEnable, LPCTSTR lpszLeftColumn, LPCTSTR lpszRightColumn) {
    m_bHeaderCtrl = bEnable;
    if (bEnable && m_wndHeader.m_hWnd != NULL) {
        HDITEM hdi = {};
        hdi.mask = HDI_TEXT;
        hdi.pszText = const_cast<LPTSTR>(lpszLeftColumn != NULL ? lpszLeftColumn : _T(""));
        m_wndHeader.SetItem(0, &hdi);
        hdi.pszText = const_cast<LPTSTR>(lpszRightColumn != NULL ? lpszRightColumn : _T(""));
        m_wndHeader.SetItem(1, &hdi);
    }
    AdjustLayout();
    if (m_hWnd != NULL) RedrawWindow();
}

void CSPPropList::EnableDescriptionArea(BOOL bEnable) {
    m_bDescriptionArea = bEnable;
    if (m_hWnd != NULL) {
        CRect rectClient;
        GetClientRect(rectClient);
        m_nDescrHeight = bEnable ? rectClient.Height() / 4 : 0;
    }
    AdjustLayout();
    if (m_hWnd != NULL) RedrawWindow();
}

void CSPPropList::SetAlphabeticMode(BOOL bSet) {
    if (m_bAlphabeticMode == bSet) return;
    EndEditItem(FALSE);
    m_bAlphabeticMode = bSet;
    m_nVertScrollOffset = 0;
    SetCurSel(NULL, FALSE);
    AdjustLayout();  // rebuilds the alphabetic list with the rows
    if (m_hWnd != NULL) RedrawWindow();
}

void CSPPropList::SetShadedMargin(BOOL bSet) {
    m_bShadedMargin = bSet;
    if (m_hWnd != NULL) RedrawWindow();
}

void CSPPropList::SetBoolLabels(LPCTSTR lpszTrue, LPCTSTR lpszFalse) {
    m_strTrue = lpszTrue;
    m_strFalse = lpszFalse;
    if (m_hWnd != NULL) RedrawWindow();
}

// --- items ------------------------------------------------------------------------

int CSPPropList::AddProperty(CSPProp* pProp, BOOL bRedraw) {
    if (pProp == NULL || pProp->m_pParent != NULL) return -1;
    for (POSITION pos = m_lstProps.GetHeadPosition(); pos != NULL;)
        if (m_lstProps.GetNext(pos)->IsParentOf(pProp)) return -1;
    pProp->SetOwnerList(this);
    m_lstProps.AddTail(pProp);
    const int nIndex = m_lstProps.GetCount() - 1;
    AdjustLayout();
    if (bRedraw) RedrawProperty(pProp);
    return nIndex;
}

CSPProp* CSPPropList::GetProperty(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_lstProps.GetCount()) return NULL;
    return m_lstProps.GetAt(m_lstProps.FindIndex(nIndex));
}

CSPProp* CSPPropList::FindItemByData(DWORD dwData, BOOL bSearchSubItems) const {
    for (POSITION pos = m_lstProps.GetHeadPosition(); pos != NULL;) {
        CSPProp* pProp = m_lstProps.GetNext(pos);
        if (pProp->m_dwData == dwData) return pProp;
        if (bSearchSubItems) {
            CSPProp* pFound = pProp->FindSubItemByData(dwData);
            if (pFound != NULL) return pFound;
        }
    }
    return NULL;
}

void CSPPropList::RemoveAll() {
    if (m_pSel != NULL && m_pSel->m_bInPlaceEdit) m_pSel->OnEndEdit();
    m_pSel = NULL;
    m_lstTerminalProps.RemoveAll();
    while (!m_lstProps.IsEmpty()) delete m_lstProps.RemoveHead();
}

void CSPPropList::CollectRows(CSPProp* pProp, CList<CSPProp*, CSPProp*>& lst) const {
    lst.AddTail(pProp);
    if (!pProp->m_bExpanded) return;
    for (POSITION pos = pProp->m_lstSubItems.GetHeadPosition(); pos != NULL;)
        CollectRows(pProp->m_lstSubItems.GetNext(pos), lst);
}

void CSPPropList::GetVisibleRows(CList<CSPProp*, CSPProp*>& lst) const {
    lst.RemoveAll();
    if (m_bAlphabeticMode) {
        for (POSITION pos = m_lstTerminalProps.GetHeadPosition(); pos != NULL;) lst.AddTail(m_lstTerminalProps.GetNext(pos));
        return;
    }
    for (POSITION pos = m_lstProps.GetHeadPosition(); pos != NULL;) CollectRows(m_lstProps.GetNext(pos), lst);
}

CSPProp* CSPPropList::HitTest(CPoint pt, ClickArea* pnArea) const {
    if (pnArea != NULL) *pnArea = ClickNone;
    if (!m_rectList.PtInRect(pt)) return NULL;
    CList<CSPProp*, CSPProp*> lst;
    GetVisibleRows(lst);
    for (POSITION pos = lst.GetHeadPosition(); pos != NULL;) {
        CSPProp* pProp = lst.GetNext(pos);
        if (!pProp->m_Rect.PtInRect(pt)) continue;
        if (pnArea != NULL) {
            if (pt.x < m_rectList.left + m_nRowHeight && !pProp->m_lstSubItems.IsEmpty()) *pnArea = ClickExpandBox;
            else if (pt.x < m_rectList.left + m_nLeftColumnWidth) *pnArea = ClickName;
            else *pnArea = ClickValue;
        }
        return pProp;
    }
    return NULL;
}

void CSPPropList::SetCurSel(CSPProp* pProp, BOOL bRedraw) {
    if (pProp == m_pSel) return;
    CSPProp* pOld = m_pSel;
    if (pOld != NULL && pOld->m_bInPlaceEdit) EndEditItem(FALSE);
    m_pSel = pProp;
    OnChangeSelection(m_pSel, pOld);
    if (pOld != NULL) pOld->m_rectButton.SetRectEmpty();
    if (m_pSel != NULL && m_pSel->HasButton()) {
        const int nSize = m_nRowHeight - 2;
        const CRect& r = m_pSel->m_Rect;
        m_pSel->m_rectButton.SetRect(r.right - nSize, r.top + 1, r.right, r.top + 1 + nSize);
    }
    if (bRedraw) {
        RedrawProperty(pOld);
        RedrawProperty(m_pSel);
    }
}

void CSPPropList::EnsureVisible(CSPProp* pProp) {
    if (pProp == NULL || m_nRowHeight <= 0) return;
    CList<CSPProp*, CSPProp*> lst;
    GetVisibleRows(lst);
    int nIndex = 0;
    POSITION pos = lst.GetHeadPosition();
    for (; pos != NULL; nIndex++)
        if (lst.GetNext(pos) == pProp) break;
    if (nIndex >= lst.GetCount()) return;
    const int nFit = std::max(1, m_rectList.Height() / m_nRowHeight);
    int nOffset = m_nVertScrollOffset;
    if (nIndex < nOffset) nOffset = nIndex;
    else if (nIndex >= nOffset + nFit) nOffset = nIndex - nFit + 1;
    ScrollRows(nOffset);
}

// --- layout -----------------------------------------------------------------------

void CSPPropList::SetHeaderWidths() {
    if (m_wndHeader.m_hWnd == NULL) return;
    CRect rectClient;
    GetClientRect(rectClient);
    HDITEM hdi = {};
    hdi.mask = HDI_WIDTH;
    hdi.cxy = m_nLeftColumnWidth + 2;
    m_wndHeader.SetItem(0, &hdi);
    hdi.cxy = rectClient.Width() + 10;
    m_wndHeader.SetItem(1, &hdi);
}

void CSPPropList::AdjustLayout() {
    if (m_hWnd == NULL) return;
    {
        CClientDC dc(this);
        CSelectObject selFont(dc.GetSafeHdc(), GetListFont());
        TEXTMETRIC tm;
        ::GetTextMetrics(dc.GetSafeHdc(), &tm);
        m_nRowHeight = tm.tmHeight + 4;
    }
    CRect rectClient;
    GetClientRect(rectClient);
    if (m_bHeaderCtrl && m_wndHeader.m_hWnd != NULL) {
        m_nHeaderHeight = m_nRowHeight + 4;
        SetHeaderWidths();
        m_wndHeader.SetWindowPos(NULL, rectClient.left, rectClient.top, rectClient.Width(), m_nHeaderHeight,
                                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        m_nHeaderHeight = 0;
        if (m_wndHeader.m_hWnd != NULL) m_wndHeader.ShowWindow(SW_HIDE);
    }
    m_rectList = rectClient;
    m_rectList.top += m_nHeaderHeight;
    m_rectList.bottom -= m_nDescrHeight;
    if (m_rectList.bottom < m_rectList.top) m_rectList.bottom = m_rectList.top;

    SetScrollSizes();
    ReposProperties();

    if (m_pSel != NULL && m_pSel->HasButton() && !m_pSel->m_Rect.IsRectEmpty()) {
        const int nSize = m_nRowHeight - 2;
        const CRect& r = m_pSel->m_Rect;
        m_pSel->m_rectButton.SetRect(r.right - nSize, r.top + 1, r.right, r.top + 1 + nSize);
    }
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void CSPPropList::SetScrollSizes() {
    CList<CSPProp*, CSPProp*> lst;
    GetVisibleRows(lst);
    if (m_bAlphabeticMode) {
        // the alphabetic list is rebuilt with the rows; count it the same way
        lst.RemoveAll();
        for (POSITION pos = m_lstProps.GetHeadPosition(); pos != NULL;) {
            CList<CSPProp*, CSPProp*> all;
            CSPProp* pTop = m_lstProps.GetNext(pos);
            struct Walk {
                static void Add(CSPProp* p, CList<CSPProp*, CSPProp*>& l) {
                    if (!p->IsGroup()) l.AddTail(p);
                    for (int i = 0; i < p->GetSubItemsCount(); i++) Add(p->GetSubItem(i), l);
                }
            };
            Walk::Add(pTop, lst);
        }
    }
    m_nVertScrollTotal = lst.GetCount();
    m_nVertScrollPage = m_nRowHeight > 0 ? m_rectList.Height() / m_nRowHeight - 1 : 0;
    const int cxScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    if (m_nVertScrollTotal <= m_nVertScrollPage || m_nVertScrollPage <= 0) {
        m_nVertScrollOffset = 0;
        if (m_wndScrollVert.m_hWnd != NULL) m_wndScrollVert.ShowWindow(SW_HIDE);
        return;
    }
    const int nMax = m_nVertScrollTotal - m_nVertScrollPage;
    m_nVertScrollOffset = std::max(0, std::min(m_nVertScrollOffset, nMax));
    m_rectList.right -= cxScroll;
    if (m_wndScrollVert.m_hWnd != NULL) {
        SCROLLINFO si = {};
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = m_nVertScrollTotal - 1;
        si.nPage = m_nVertScrollPage;
        si.nPos = m_nVertScrollOffset;
        m_wndScrollVert.SetScrollInfo(&si, TRUE);
        m_wndScrollVert.SetWindowPos(NULL, m_rectList.right, m_rectList.top, cxScroll, m_rectList.Height(),
                                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

void CSPPropList::AddTerminalProp(CSPProp* pProp) {
    if (!pProp->IsGroup()) {
        POSITION pos = m_lstTerminalProps.GetHeadPosition();
        for (; pos != NULL; m_lstTerminalProps.GetNext(pos)) {
            // ascending by name, compared as multibyte text, case-sensitive
            if (_mbscmp((const unsigned char*)(LPCTSTR)pProp->m_strName,
                        (const unsigned char*)(LPCTSTR)m_lstTerminalProps.GetAt(pos)->m_strName) < 0)
                break;
        }
        if (pos != NULL) m_lstTerminalProps.InsertBefore(pos, pProp);
        else m_lstTerminalProps.AddTail(pProp);
    }
    for (POSITION pos = pProp->m_lstSubItems.GetHeadPosition(); pos != NULL;)
        AddTerminalProp(pProp->m_lstSubItems.GetNext(pos));
}

void CSPPropList::ClearRects(CSPProp* pProp) {
    pProp->m_Rect.SetRectEmpty();
    for (int i = 0; i < pProp->GetSubItemsCount(); i++) ClearRects(pProp->GetSubItem(i));
}

void CSPPropList::ReposProperty(CSPProp* pProp, int& y) {
    pProp->m_Rect.SetRect(m_rectList.left, y, m_rectList.right, y + m_nRowHeight);
    y += m_nRowHeight;
    if (!pProp->m_bExpanded) return;
    for (POSITION pos = pProp->m_lstSubItems.GetHeadPosition(); pos != NULL;)
        ReposProperty(pProp->m_lstSubItems.GetNext(pos), y);
}

void CSPPropList::ReposProperties() {
    m_lstTerminalProps.RemoveAll();
    if (m_ToolTip.m_hWnd != NULL) {
        while (m_ToolTip.GetToolCount() > 0) {
            TOOLINFO ti = {};
            ti.cbSize = sizeof(ti);
            if (!m_ToolTip.SendMessage(TTM_ENUMTOOLS, 0, (LPARAM)&ti)) break;
            m_ToolTip.SendMessage(TTM_DELTOOL, 0, (LPARAM)&ti);
        }
    }
    for (POSITION pos = m_lstProps.GetHeadPosition(); pos != NULL;) ClearRects(m_lstProps.GetNext(pos));

    int y = m_rectList.top - m_nVertScrollOffset * m_nRowHeight - 1;
    if (m_bAlphabeticMode) {
        for (POSITION pos = m_lstProps.GetHeadPosition(); pos != NULL;) AddTerminalProp(m_lstProps.GetNext(pos));
        for (POSITION pos = m_lstTerminalProps.GetHeadPosition(); pos != NULL;) {
            CSPProp* pProp = m_lstTerminalProps.GetNext(pos);
            pProp->m_Rect.SetRect(m_rectList.left, y, m_rectList.right, y + m_nRowHeight);
            y += m_nRowHeight;
        }
    } else {
        for (POSITION pos = m_lstProps.GetHeadPosition(); pos != NULL;) ReposProperty(m_lstProps.GetNext(pos), y);
    }

    // one tip per row in view
    if (m_ToolTip.m_hWnd != NULL) {
        CList<CSPProp*, CSPProp*> lst;
        GetVisibleRows(lst);
        UINT_PTR nID = 1;
        for (POSITION pos = lst.GetHeadPosition(); pos != NULL; nID++) {
            CRect rect = lst.GetNext(pos)->m_Rect;
            rect.IntersectRect(rect, m_rectList);
            if (!rect.IsRectEmpty()) m_ToolTip.AddTool(this, LPSTR_TEXTCALLBACK, rect, nID);
        }
    }

    // a running edit follows its row
    if (m_pSel != NULL && m_pSel->m_bInPlaceEdit && m_pSel->m_pWndInPlace != NULL) {
        CRect rectEdit = m_pSel->GetEditRect();
        if (DYNAMIC_DOWNCAST(CSPColorProp, m_pSel) != NULL) rectEdit.left += m_nRowHeight + 2;
        const BOOL bShow = m_pSel->m_Rect.top >= m_rectList.top - 1 && m_pSel->m_Rect.bottom <= m_rectList.bottom;
        m_pSel->m_pWndInPlace->SetWindowPos(NULL, rectEdit.left, rectEdit.top, rectEdit.Width(), rectEdit.Height(),
                                            SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
}

void CSPPropList::ScrollRows(int nNewOffset) {
    const int nMax = std::max(0, m_nVertScrollTotal - m_nVertScrollPage);
    if (m_nVertScrollTotal <= m_nVertScrollPage) nNewOffset = 0;
    nNewOffset = std::max(0, std::min(nNewOffset, nMax));
    if (nNewOffset == m_nVertScrollOffset) return;
    m_nVertScrollOffset = nNewOffset;
    if (m_wndScrollVert.m_hWnd != NULL) m_wndScrollVert.SetScrollPos(m_nVertScrollOffset);
    ReposProperties();
    if (m_pSel != NULL && m_pSel->HasButton()) {
        const int nSize = m_nRowHeight - 2;
        const CRect& r = m_pSel->m_Rect;
        m_pSel->m_rectButton.SetRect(r.right - nSize, r.top + 1, r.right, r.top + 1 + nSize);
    }
    InvalidateRect(m_rectList);
}

void CSPPropList::RedrawProperty(CSPProp* pProp) {
    if (pProp == NULL || m_hWnd == NULL) return;
    if (!pProp->m_Rect.IsRectEmpty()) InvalidateRect(pProp->m_Rect, FALSE);
    if (m_bDescriptionArea && pProp == m_pSel) {
        CRect rectClient;
        GetClientRect(rectClient);
        rectClient.top = m_rectList.bottom;
        InvalidateRect(rectClient, FALSE);
    }
}

// --- editing ----------------------------------------------------------------------

BOOL CSPPropList::EditItem(CSPProp* pProp, LPPOINT lptClick) {
    if (pProp == NULL) return FALSE;
    if (!EndEditItem(TRUE)) return FALSE;
    if (pProp->IsGroup()) return FALSE;
    if (!pProp->OnEdit(lptClick)) return TRUE;
    RedrawProperty(pProp);
    SetCurSel(pProp, TRUE);
    if (pProp->m_pWndInPlace != NULL) {
        pProp->m_pWndInPlace->SetFocus();
        pProp->m_pWndInPlace->SendMessage(EM_SETSEL, 0, -1);
    }
    // presses outside the editor come to the list (PreTranslateMessage)
    SetCapture();
    return TRUE;
}

BOOL CSPPropList::EndEditItem(BOOL bUpdateData) {
    if (m_pSel == NULL || !m_pSel->m_bInPlaceEdit) return TRUE;
    if (bUpdateData && (!ValidateItem(m_pSel) || !m_pSel->OnUpdateValue())) {
        ::MessageBeep((UINT)-1);
        return FALSE;
    }
    const BOOL bEditorFocused = IsInPlaceWindow(::GetFocus());
    if (bEditorFocused) SetFocus();
    m_pSel->OnEndEdit();
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    RedrawProperty(m_pSel);
    return TRUE;
}

void CSPPropList::ClickItemButton(CSPProp* pProp, CPoint point) {
    if (pProp == NULL) return;
    const CString strOld = pProp->FormatProperty();
    const int nChanges = m_nPropertyChangedCount;
    pProp->OnClickButton(point);
    // the item may have reported the change itself: once is enough
    if (nChanges == m_nPropertyChangedCount && pProp->FormatProperty() != strOld) OnPropertyChanged(pProp);
}

void CSPPropList::OnClickButton(CPoint point) {
    if (m_pSel != NULL && m_pSel->HasButton()) ClickItemButton(m_pSel, point);
}

void CSPPropList::OnPropertyChanged(CSPProp* pProp) {
    m_nPropertyChangedCount++;
    if (pProp == NULL) return;
    pProp->Redraw();
    CWnd* pOwner = GetOwner();
    if (pOwner != NULL && pOwner->m_hWnd != NULL)
        pOwner->SendMessage(SP_PROPERTY_CHANGED, (WPARAM)GetDlgCtrlID(), (LPARAM)pProp);
}

BOOL CSPPropList::IsInPlaceWindow(HWND hWnd) const {
    if (hWnd == NULL || m_pSel == NULL) return FALSE;
    return (m_pSel->m_pWndInPlace != NULL && (hWnd == m_pSel->m_pWndInPlace->m_hWnd ||
                                               ::IsChild(m_pSel->m_pWndInPlace->m_hWnd, hWnd))) ||
           (m_pSel->m_pWndCombo != NULL &&
            (hWnd == m_pSel->m_pWndCombo->m_hWnd || ::IsChild(m_pSel->m_pWndCombo->m_hWnd, hWnd)));
}

BOOL CSPPropList::PreTranslateMessage(MSG* pMsg) {
    if (m_ToolTip.m_hWnd != NULL && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        m_ToolTip.RelayEvent(pMsg);

    if (m_pSel == NULL || !m_pSel->m_bInPlaceEdit || !m_pSel->IsEnabled()) return CWnd::PreTranslateMessage(pMsg);
    CSPProp* pSel = m_pSel;
    CComboBox* pCombo = pSel->m_pWndCombo;
    const BOOL bDropped = pCombo != NULL && pCombo->m_hWnd != NULL && pCombo->GetDroppedState();

    switch (pMsg->message) {
    case WM_KEYDOWN:
        if (!IsInPlaceWindow(pMsg->hwnd)) break;
        if (pMsg->wParam == VK_RETURN) {
            if (bDropped) {
                pSel->OnSelectCombo();
                pCombo->ShowDropDown(FALSE);
                return TRUE;
            }
            EndEditItem(TRUE);
            return TRUE;
        }
        if (pMsg->wParam == VK_ESCAPE) {
            if (bDropped) {
                pCombo->ShowDropDown(FALSE);
                return TRUE;
            }
            EndEditItem(FALSE);
            return TRUE;
        }
        return pSel->IsAllowEdit() ? FALSE : TRUE;
    case WM_SYSKEYDOWN:
        if (!IsInPlaceWindow(pMsg->hwnd)) break;
        if (pMsg->wParam == VK_DOWN) {
            ClickItemButton(pSel, CPoint(-1, -1));
            return TRUE;
        }
        break;
    case WM_CHAR:
        if (IsInPlaceWindow(pMsg->hwnd) && !pSel->IsAllowEdit()) return TRUE;
        break;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        CPoint pt = pMsg->pt;
        ScreenToClient(&pt);
        HWND hWndEditor = pSel->m_pWndInPlace != NULL ? pSel->m_pWndInPlace->m_hWnd : NULL;
        BOOL bOnEditor = IsInPlaceWindow(pMsg->hwnd);
        if (!bOnEditor && pMsg->hwnd == m_hWnd && pMsg->message != WM_NCLBUTTONDOWN && hWndEditor != NULL &&
            ::IsWindowVisible(hWndEditor)) {
            // the list holds the capture while editing: a press on the
            // editor is the editor's
            CRect rectEditor;
            ::GetWindowRect(hWndEditor, rectEditor);
            if (rectEditor.PtInRect(pMsg->pt)) {
                if (::GetCapture() == m_hWnd) ::ReleaseCapture();
                if (pMsg->message == WM_LBUTTONDBLCLK && !pSel->IsAllowEdit()) {
                    pSel->OnDblClick(pt);
                    return TRUE;
                }
                CPoint ptEditor = pMsg->pt;
                ::ScreenToClient(hWndEditor, &ptEditor);
                ::SendMessage(hWndEditor, pMsg->message, pMsg->wParam, MAKELPARAM(ptEditor.x, ptEditor.y));
                return TRUE;
            }
        }
        if (bOnEditor) {
            if (pMsg->message == WM_LBUTTONDBLCLK && !pSel->IsAllowEdit()) {
                pSel->OnDblClick(pt);
                return TRUE;
            }
            break;
        }
        if (pMsg->message == WM_LBUTTONDBLCLK) break;
        if (pSel->m_rectButton.PtInRect(pt)) {
            ClickItemButton(pSel, pt);
            return TRUE;
        }
        if (!EndEditItem(TRUE)) return TRUE;
        break;
    }
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CSPPropList::OnSelectCombo() {
    if (m_pSel != NULL) m_pSel->OnSelectCombo();
}

void CSPPropList::OnCloseCombo() {
    if (m_pSel != NULL) m_pSel->OnReleaseButton();
}

void CSPPropList::OnSelectColor(COLORREF color) {
    CSPColorProp* pColorProp = DYNAMIC_DOWNCAST(CSPColorProp, m_pSel);
    if (pColorProp == NULL) return;
    const COLORREF colorOld = pColorProp->GetColor();
    pColorProp->SetColor(color);
    if (color != colorOld) OnPropertyChanged(pColorProp);
    CloseColorPopup();
}

void CSPPropList::CloseColorPopup() {
    CSPColorProp* pColorProp = DYNAMIC_DOWNCAST(CSPColorProp, m_pSel);
    if (pColorProp == NULL) return;
    pColorProp->m_pPopup = NULL;
    pColorProp->m_bButtonIsDown = FALSE;
    RedrawProperty(pColorProp);
    if (pColorProp->m_pWndInPlace != NULL && pColorProp->m_pWndInPlace->m_hWnd != NULL)
        pColorProp->m_pWndInPlace->SetFocus();
}

// --- painting ---------------------------------------------------------------------

void CSPPropList::OnPaint() {
    CPaintDC dcPaint(this);
    CRect rectClient;
    GetClientRect(rectClient);
    CRect rectClip;
    dcPaint.GetClipBox(rectClip);

    // Drawn off screen when a memory bitmap can be made, else straight on.
    CDC dcMem;
    CBitmap bmp;
    const BOOL bBuffered = dcMem.CreateCompatibleDC(&dcPaint) &&
                           bmp.CreateCompatibleBitmap(&dcPaint, rectClient.Width(), rectClient.Height());
    CDC* pDC = bBuffered ? &dcMem : &dcPaint;
    CSelectObject selBitmap(bBuffered ? dcMem.GetSafeHdc() : NULL, bmp.GetSafeHandle());
    pDC->FillSolidRect(rectClient, ::GetSysColor(COLOR_WINDOW));
    pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    pDC->SetBkMode(TRANSPARENT);
    {
        CSelectObject selFont(pDC->GetSafeHdc(), GetListFont());
        OnDrawList(pDC);
        if (m_bDescriptionArea) {
            CRect rectDescr = rectClient;
            rectDescr.top = m_rectList.bottom;
            rectDescr.DeflateRect(1, 1);
            OnDrawDescription(pDC, rectDescr);
        }
    }
    if (bBuffered) {
        dcPaint.BitBlt(rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), &dcMem, rectClip.left,
                       rectClip.top, SRCCOPY);
    }
}

BOOL CSPPropList::OnEraseBkgnd(CDC*) { return TRUE; }

void CSPPropList::OnDrawList(CDC* pDC) {
    const int x = m_rectList.left + m_nLeftColumnWidth;
    pDC->FillSolidRect(x, m_rectList.top - 1, 1, m_rectList.bottom - m_rectList.top + 1,
                       m_bShadedMargin ? m_clrGray : spGlobalData.clrBtnShadow);
    const CList<CSPProp*, CSPProp*>& lst = m_bAlphabeticMode ? m_lstTerminalProps : m_lstProps;
    for (POSITION pos = lst.GetHeadPosition(); pos != NULL;)
        if (!OnDrawProperty(pDC, lst.GetNext(pos))) break;
}

BOOL CSPPropList::OnDrawProperty(CDC* pDC, CSPProp* pProp) const {
    const CRect rect = pProp->m_Rect;
    if (!rect.IsRectEmpty()) {
        if (rect.top >= m_rectList.bottom) return FALSE;
        if (rect.bottom > m_rectList.top) {
            CSaveDC savedRow(pDC);
            pDC->IntersectClipRect(m_rectList);
            const int xDivider = m_rectList.left + m_nLeftColumnWidth;
            CRect rectMargin(rect.left, rect.top, rect.left + m_nRowHeight, rect.bottom);
            if (m_bShadedMargin) pDC->FillSolidRect(rectMargin, m_clrGray);
            if (!pProp->m_lstSubItems.IsEmpty()) pProp->OnDrawExpandBox(pDC, rectMargin);

            CRect rectName(rectMargin.right, rect.top, xDivider, rect.bottom);
            if (pProp == m_pSel) {
                pDC->FillSolidRect(rectName, m_bFocused ? ::GetSysColor(COLOR_HIGHLIGHT) : spGlobalData.clrBtnFace);
            }
            {
                CSaveDC savedName(pDC);
                pDC->IntersectClipRect(rectName);
                // a group's name in bold (no font, no selection)
                CSelectObject selFont(pDC->GetSafeHdc(), pProp->IsGroup() ? m_fontBold.GetSafeHandle() : NULL);
                COLORREF clrOld = pDC->GetTextColor();
                if (pProp == m_pSel && m_bFocused) pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
                pProp->OnDrawName(pDC, rectName);
                if (pProp == m_pSel && m_bFocused) pDC->SetTextColor(clrOld);
            }
            if (!pProp->IsGroup()) {
                CRect rectValue(xDivider + 1, rect.top, rect.right, rect.bottom);
                if (!pProp->m_rectButton.IsRectEmpty()) rectValue.right = pProp->m_rectButton.left;
                CSaveDC savedValue(pDC);
                pDC->IntersectClipRect(rectValue);
                pProp->OnDrawValue(pDC, rectValue);
            }
            if (!pProp->m_rectButton.IsRectEmpty()) pProp->OnDrawButton(pDC, pProp->m_rectButton);
            // the row's grid line
            pDC->FillSolidRect(rect.left + m_nRowHeight, rect.bottom - 1, rect.Width() - m_nRowHeight, 1,
                               m_bShadedMargin ? m_clrGray : spGlobalData.clrBtnFace);
        }
    }
    if (m_bAlphabeticMode || !pProp->m_bExpanded) return TRUE;
    for (POSITION pos = pProp->m_lstSubItems.GetHeadPosition(); pos != NULL;)
        if (!OnDrawProperty(pDC, pProp->m_lstSubItems.GetNext(pos))) return FALSE;
    return TRUE;
}

void CSPPropList::OnDrawDescription(CDC* pDC, CRect rect) {
    pDC->FillRect(rect, &spGlobalData.brBtnFace);
    CRect rectFrame = rect;
    rectFrame.top += 4;
    pDC->Draw3dRect(rectFrame, spGlobalData.clrBtnShadow, spGlobalData.clrBtnShadow);
    if (m_pSel == NULL) return;
    rectFrame.DeflateRect(4, 4);
    COLORREF clrOld = pDC->SetTextColor(spGlobalData.clrBtnText);
    int nHeight = 0;
    {
        CSelectObject selFont(pDC->GetSafeHdc(), m_fontBold.GetSafeHandle());
        CRect rectName = rectFrame;
        nHeight = pDC->DrawText(m_pSel->m_strName, rectName, DT_SINGLELINE | DT_NOPREFIX);
    }
    CRect rectDescr = rectFrame;
    rectDescr.top += nHeight + 2;
    pDC->DrawText(m_pSel->m_strDescr, rectDescr, DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SetTextColor(clrOld);
}

// --- messages ---------------------------------------------------------------------

void CSPPropList::OnSize(UINT, int cx, int cy) {
    Default();
    EndEditItem(FALSE);
    m_nLeftColumnWidth = cx / 2;
    m_nDescrHeight = m_bDescriptionArea ? cy / 4 : 0;
    AdjustLayout();
}

LRESULT CSPPropList::OnSetFont(WPARAM wParam, LPARAM lParam) {
    m_hFont = (HFONT)wParam;
    RebuildBoldFont();
    AdjustLayout();
    if (lParam) Invalidate();
    return 0;
}

LRESULT CSPPropList::OnGetFont(WPARAM, LPARAM) { return (LRESULT)GetListFont(); }

void CSPPropList::OnSettingChange(UINT, LPCTSTR) {
    Default();
    AdjustLayout();
}

void CSPPropList::OnSysColorChange() {
    Default();
    ComputeMarginColor();
    Invalidate();
}

void CSPPropList::OnStyleChanged(int, LPSTYLESTRUCT) {
    Default();
    AdjustLayout();
}

void CSPPropList::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }

void CSPPropList::OnNcPaint() {
    const DWORD dwStyle = GetStyle(), dwExStyle = GetExStyle();
    if (!(dwStyle & WS_BORDER) && !(dwExStyle & WS_EX_CLIENTEDGE)) {
        Default();
        return;
    }
    CWindowDC dc(this);
    CRect rect;
    GetWindowRect(rect);
    rect.OffsetRect(-rect.left, -rect.top);
    if (dwExStyle & WS_EX_CLIENTEDGE) {
        dc.DrawEdge(rect, EDGE_SUNKEN, BF_RECT);
        rect.DeflateRect(2, 2);
    }
    if (dwStyle & WS_BORDER) dc.Draw3dRect(rect, spGlobalData.clrBtnShadow, spGlobalData.clrBtnShadow);
}

void CSPPropList::OnDestroy() {
    RemoveAll();
    Default();
}

void CSPPropList::OnHeaderItemChanged(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    HDITEM hdi = {};
    hdi.mask = HDI_WIDTH;
    if (!m_wndHeader.GetItem(0, &hdi)) return;
    m_nLeftColumnWidth = hdi.cxy - 2;
    ReposProperties();
    InvalidateRect(m_rectList);
}

void CSPPropList::DrawTrackLine(int nPos, BOOL bVert) {
    CClientDC dc(this);
    if (bVert) dc.PatBlt(nPos, m_rectList.top, 1, m_rectList.Height(), DSTINVERT);
    else {
        CRect rectClient;
        GetClientRect(rectClient);
        dc.PatBlt(rectClient.left, nPos, rectClient.Width(), 1, DSTINVERT);
    }
}

void CSPPropList::OnHeaderTrack(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    NMHEADER* pHeader = (NMHEADER*)pNMHDR;
    if (pHeader->pitem == NULL || !(pHeader->pitem->mask & HDI_WIDTH)) return;
    const int nWidth = std::max(0, std::min(pHeader->pitem->cxy, m_rectList.Width()));
    const int nPos = m_rectList.left + nWidth;
    if (m_nTrackPos >= 0) DrawTrackLine(m_nTrackPos, TRUE);
    DrawTrackLine(nPos, TRUE);
    m_nTrackPos = nPos;
}

void CSPPropList::OnHeaderEndTrack(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    if (m_nTrackPos >= 0) DrawTrackLine(m_nTrackPos, TRUE);
    m_nTrackPos = -1;
}

BOOL CSPPropList::OnTipShow(UINT, NMHDR* pNMH, LRESULT* pResult) {
    ::SetWindowPos(pNMH->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    *pResult = 0;
    return FALSE;
}

BOOL CSPPropList::OnNeedTipText(UINT, NMHDR* pNMH, LRESULT* pResult) {
    static CString strTipText;
    *pResult = 0;
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    ClickArea nArea = ClickNone;
    CSPProp* pProp = HitTest(pt, &nArea);
    if (pProp == NULL) return FALSE;
    strTipText = nArea == ClickValue ? pProp->GetValueTooltip() : pProp->GetNameTooltip();
    if (strTipText.IsEmpty()) return FALSE;
    NMTTDISPINFO* pTTT = (NMTTDISPINFO*)pNMH;
    pTTT->lpszText = const_cast<LPTSTR>((LPCTSTR)strTipText);
    ::SendMessage(pNMH->hwndFrom, WM_SETFONT, (WPARAM)GetListFont(), FALSE);
    return TRUE;
}

void CSPPropList::OnLButtonDown(UINT, CPoint point) {
    SetFocus();
    if (m_bDescriptionArea) {
        if (abs(point.y - m_rectList.bottom) < nSplitterZone) {
            m_bTrackingDescr = TRUE;
            SetCapture();
            m_nTrackPos = point.y;
            DrawTrackLine(point.y, FALSE);
            return;
        }
        if (point.y >= m_rectList.bottom) return;
    }
    const int xSplitter = m_rectList.left + m_nLeftColumnWidth;
    if (abs(point.x - xSplitter) < nSplitterZone && point.y >= m_rectList.top) {
        m_bTracking = TRUE;
        SetCapture();
        m_nTrackPos = point.x;
        DrawTrackLine(point.x, TRUE);
        return;
    }
    ClickArea nArea = ClickNone;
    CSPProp* pHit = HitTest(point, &nArea);
    if (pHit == NULL) return;
    SetCurSel(pHit, TRUE);
    if (m_pSel != pHit) return;  // the old item's edit refused to end
    if (nArea == ClickExpandBox) {
        pHit->Expand(!pHit->IsExpanded());
        return;
    }
    if (pHit->m_rectButton.PtInRect(point)) {
        if (!pHit->m_bInPlaceEdit && pHit->IsEnabled()) EditItem(pHit, &point);
        if (pHit->m_bInPlaceEdit) OnClickButton(point);
        return;
    }
    if (nArea == ClickValue && pHit->IsEnabled()) EditItem(pHit, &point);
}

void CSPPropList::OnLButtonDblClk(UINT, CPoint point) {
    ClickArea nArea = ClickNone;
    CSPProp* pHit = HitTest(point, &nArea);
    if (pHit == NULL || pHit != m_pSel) return;
    if (pHit->IsGroup() || (nArea == ClickExpandBox)) {
        pHit->Expand(!pHit->IsExpanded());
        return;
    }
    if (!pHit->IsEnabled()) return;
    if (!pHit->m_bInPlaceEdit && !EditItem(pHit, &point)) return;
    if (!pHit->m_bInPlaceEdit) return;
    // the click goes on into the editor
    if (!pHit->IsAllowEdit()) pHit->OnDblClick(point);
    else if (pHit->m_pWndInPlace != NULL) pHit->m_pWndInPlace->SendMessage(EM_SETSEL, 0, -1);
}

void CSPPropList::OnMouseMove(UINT, CPoint point) {
    if (!m_bTracking && !m_bTrackingDescr) return;
    const int nPos = m_bTracking ? point.x : point.y;
    if (m_nTrackPos >= 0) DrawTrackLine(m_nTrackPos, m_bTracking);
    DrawTrackLine(nPos, m_bTracking);
    m_nTrackPos = nPos;
}

void CSPPropList::EndTracking(CPoint point) {
    if (m_nTrackPos >= 0) DrawTrackLine(m_nTrackPos, m_bTracking);
    m_nTrackPos = -1;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    CRect rectClient;
    GetClientRect(rectClient);
    if (m_bTracking) {
        m_bTracking = FALSE;
        const int nMax = rectClient.Width() - ::GetSystemMetrics(SM_CXVSCROLL) - 5;
        m_nLeftColumnWidth = std::max(m_nRowHeight, std::min((int)point.x, nMax));
        SetHeaderWidths();
        AdjustLayout();
    } else if (m_bTrackingDescr) {
        m_bTrackingDescr = FALSE;
        // at least one row of text, and at least two rows left to the list
        const int nMin = m_nRowHeight + 8;
        const int nMax = rectClient.Height() - m_nHeaderHeight - 2 * m_nRowHeight;
        m_nDescrHeight = std::max(nMin, std::min((int)(rectClient.bottom - point.y), nMax));
        AdjustLayout();
    }
}

void CSPPropList::OnLButtonUp(UINT, CPoint point) {
    if (m_bTracking || m_bTrackingDescr) EndTracking(point);
}

void CSPPropList::OnCancelMode() {
    Default();
    if (m_nTrackPos >= 0 && (m_bTracking || m_bTrackingDescr)) DrawTrackLine(m_nTrackPos, m_bTracking);
    m_nTrackPos = -1;
    m_bTracking = m_bTrackingDescr = FALSE;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

BOOL CSPPropList::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (nHitTest == HTCLIENT) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (m_bDescriptionArea && abs(pt.y - m_rectList.bottom) < nSplitterZone) {
            ::SetCursor(s_hcurHorzSplit);
            return TRUE;
        }
        if (abs(pt.x - (m_rectList.left + m_nLeftColumnWidth)) < nSplitterZone && m_rectList.PtInRect(pt)) {
            ::SetCursor(s_hcurVertSplit);
            return TRUE;
        }
        ClickArea nArea = ClickNone;
        CSPProp* pProp = HitTest(pt, &nArea);
        if (pProp != NULL && nArea == ClickValue && pProp->OnSetCursor()) return TRUE;
    }
    (void)pWnd;
    (void)message;
    return (BOOL)Default();
}

void CSPPropList::SelectRow(int nRowDelta, BOOL bAbsolute) {
    CList<CSPProp*, CSPProp*> lst;
    GetVisibleRows(lst);
    const int nCount = lst.GetCount();
    if (nCount == 0) return;
    int nIndex = -1;
    int i = 0;
    for (POSITION pos = lst.GetHeadPosition(); pos != NULL; i++)
        if (lst.GetNext(pos) == m_pSel) nIndex = i;
    int nNew = bAbsolute ? nRowDelta : (nIndex < 0 ? 0 : nIndex + nRowDelta);
    nNew = std::max(0, std::min(nNew, nCount - 1));
    CSPProp* pNew = lst.GetAt(lst.FindIndex(nNew));
    SetCurSel(pNew, TRUE);
    EnsureVisible(pNew);
}

void CSPPropList::OnKeyDown(UINT nChar, UINT, UINT) {
    const int nPage = std::max(1, m_nVertScrollPage);
    switch (nChar) {
    case VK_UP: SelectRow(-1, FALSE); break;
    case VK_DOWN: SelectRow(1, FALSE); break;
    case VK_HOME: SelectRow(0, TRUE); break;
    case VK_END: SelectRow(INT_MAX / 2, TRUE); break;
    case VK_PRIOR: SelectRow(-nPage, FALSE); break;
    case VK_NEXT: SelectRow(nPage, FALSE); break;
    case VK_LEFT:
    case VK_SUBTRACT:
        if (m_pSel != NULL && !m_pSel->m_lstSubItems.IsEmpty() && m_pSel->IsExpanded()) m_pSel->Expand(FALSE);
        break;
    case VK_RIGHT:
    case VK_ADD:
        if (m_pSel != NULL && !m_pSel->m_lstSubItems.IsEmpty() && !m_pSel->IsExpanded()) m_pSel->Expand(TRUE);
        break;
    default:
        Default();
    }
}

void CSPPropList::OnChar(UINT nChar, UINT, UINT) {
    if (nChar < ' ' || m_pSel == NULL || !m_pSel->IsEnabled() || m_pSel->IsGroup()) return;
    CSPProp* pSel = m_pSel;
    if (!EditItem(pSel, NULL) || !pSel->m_bInPlaceEdit) return;
    pSel->PushChar(nChar);
}

UINT CSPPropList::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

void CSPPropList::OnSetFocus(CWnd*) {
    Default();
    m_bFocused = TRUE;
    RedrawProperty(m_pSel);
}

void CSPPropList::OnKillFocus(CWnd* pNewWnd) {
    Default();
    if (pNewWnd != NULL && IsChild(pNewWnd)) return;
    if (m_pSel != NULL && !m_pSel->OnKillFocus(pNewWnd)) return;
    EndEditItem(FALSE);
    m_bFocused = FALSE;
    RedrawProperty(m_pSel);
}

void CSPPropList::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    int nOffset = m_nVertScrollOffset;
    switch (nSBCode) {
    case SB_LINEUP: nOffset--; break;
    case SB_LINEDOWN: nOffset++; break;
    case SB_PAGEUP: nOffset -= std::max(1, m_nVertScrollPage); break;
    case SB_PAGEDOWN: nOffset += std::max(1, m_nVertScrollPage); break;
    case SB_TOP: nOffset = 0; break;
    case SB_BOTTOM: nOffset = m_nVertScrollTotal; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: nOffset = (int)nPos; break;
    default: return;
    }
    ScrollRows(nOffset);
}

BOOL CSPPropList::OnMouseWheel(UINT, short zDelta, CPoint) {
    const int nSteps = zDelta / WHEEL_DELTA;  // whole steps only
    if (nSteps != 0) ScrollRows(m_nVertScrollOffset - nSteps);
    return TRUE;
}

HBRUSH CSPPropList::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (m_pSel != NULL && pWnd != NULL && m_pSel->m_pWndInPlace != NULL &&
        pWnd->m_hWnd == m_pSel->m_pWndInPlace->m_hWnd) {
        HBRUSH hbr = m_pSel->OnCtlColor(pDC, nCtlColor);
        if (hbr != NULL) return hbr;
    }
    return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
}
