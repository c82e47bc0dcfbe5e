// SPCustomizePage.cpp - the Commands page and its commands list.
#include "SPCustomizePage.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "SPButtonImages.h"
#include "SPCommandManager.h"
#include "SPGlobalData.h"
#include "SPToolBar.h"
#include "SPToolbarCustomize.h"
#include "SPVisualManager.h"

// --- the commands list ----------------------------------------------------------

IMPLEMENT_DYNAMIC(CSPCommandsListBox, CListBox)

BEGIN_MESSAGE_MAP(CSPCommandsListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CSPCommandsListBox::CSPCommandsListBox() : m_nItemWidth(0), m_nItemHeight(0) {}

CSPCommandsListBox::~CSPCommandsListBox() {}

void CSPCommandsListBox::PreSubclassWindow() {
    CListBox::PreSubclassWindow();
    m_nItemWidth = CSPToolBar::m_sizeImage.cx + 6;
    m_nItemHeight = CSPToolBar::m_sizeImage.cy + 6;
    SetItemHeight(0, m_nItemHeight);
}

void CSPCommandsListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
    if ((int)lpMIS->itemHeight < m_nItemHeight) lpMIS->itemHeight = m_nItemHeight;
}

BOOL CSPCommandsListBox::OnEraseBkgnd(CDC* pDC) {
    CRect rectClient;
    GetClientRect(rectClient);
    CSPVisualManager::GetInstance()->OnFillCommandsListBackground(pDC, rectClient);
    return TRUE;
}

void CSPCommandsListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect = lpDIS->rcItem;
    const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    CSPToolbarButton* pButton = NULL;
    CString strEntry;
    if ((int)lpDIS->itemID >= 0 && (int)lpDIS->itemID < GetCount()) {
        pButton = (CSPToolbarButton*)GetItemDataPtr(lpDIS->itemID);
        GetText(lpDIS->itemID, strEntry);
    }
    CSPVisualManager::GetInstance()->OnFillCommandsListBackground(pDC, rect);
    if (pButton != NULL && pButton != (CSPToolbarButton*)-1) {
        // The button draws the entry, with the list's text (the menu-path
        // name where the list shows one) for the time being.
        const CString strText = pButton->m_strText;
        pButton->m_strText = strEntry;
        CFont* pOldFont = pDC->SelectObject(&spGlobalData.fontRegular);
        pButton->OnDrawOnCustomizeList(pDC, rect, bSelected);
        pDC->SelectObject(pOldFont);
        pButton->m_strText = strText;
    }
    if (lpDIS->itemState & ODS_FOCUS) {
        rect.DeflateRect(0, 1);
        pDC->PatBlt(rect.left, rect.top, rect.Width(), 1, PATINVERT);
        pDC->PatBlt(rect.left, rect.bottom - 1, rect.Width(), 1, PATINVERT);
        pDC->PatBlt(rect.left, rect.top, 1, rect.Height(), PATINVERT);
        pDC->PatBlt(rect.right - 1, rect.top, 1, rect.Height(), PATINVERT);
    }
}

DROPEFFECT (*CSPCommandsListBox::s_pfnDragDropForTest)(COleDataSource& source) = NULL;

DROPEFFECT CSPCommandsListBox::DoCommandDragDrop(COleDataSource& source, const CRect& rectStart) {
    if (s_pfnDragDropForTest != NULL) {
        CSPToolBar::m_DropSource.OnBeginDrag(this);
        return s_pfnDragDropForTest(source);
    }
    CRect rectScreen = rectStart;
    ClientToScreen(&rectScreen);
    CSPToolBar::m_DropSource.OnBeginDrag(this);
    return source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, rectScreen, &CSPToolBar::m_DropSource);
}

void CSPCommandsListBox::OnLButtonDown(UINT nFlags, CPoint point) {
    CListBox::OnLButtonDown(nFlags, point);
    const int iSel = GetCurSel();
    if (iSel < 0) return;
    CRect rectItem;
    GetItemRect(iSel, rectItem);
    if (!rectItem.PtInRect(point)) return;
    SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(point.x, point.y));

    CSPToolbarButton* pButton = (CSPToolbarButton*)GetItemDataPtr(iSel);
    if (pButton == NULL || pButton == (CSPToolbarButton*)-1) return;
    COleDataSource source;
    pButton->m_bDragFromCollection = TRUE;
    const BOOL bData = pButton->PrepareDrag(source);
    pButton->m_bDragFromCollection = FALSE;
    if (!bData) return;
    {
        CSPResourceScope scope;
        HCURSOR hCursor = AfxGetApp()->LoadCursor(SP_IDC_DRAG_COMMAND);
        if (hCursor != NULL) ::SetCursor(hCursor);
    }
    // The catalogue keeps its button whatever the drop did: a drop outside
    // every bar deletes nothing.
    const HWND hWnd = m_hWnd;
    const BOOL bDeleteOnDrop = CSPToolBar::m_DropSource.m_bDeleteOnDrop;
    CSPToolBar::m_DropSource.m_bDeleteOnDrop = FALSE;
    DoCommandDragDrop(source, rectItem);
    CSPToolBar::m_DropSource.m_bDeleteOnDrop = bDeleteOnDrop;
    CSPToolBar::m_DropSource.m_bDragStarted = FALSE;
    if (::IsWindow(hWnd)) ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
}

// --- the page -------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CSPCustomizePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CSPCustomizePage, CPropertyPage)
    ON_LBN_SELCHANGE(SP_IDC_CATEGORIES, OnSelchangeCategory)
    ON_LBN_SELCHANGE(SP_IDC_COMMANDS, OnSelchangeCommands)
END_MESSAGE_MAP()

CSPCustomizePage::CSPCustomizePage() : CPropertyPage(SP_IDD_CUSTOMIZE_COMMANDS), m_pSelButton(NULL) {}

CSPCustomizePage::~CSPCustomizePage() {}

CSPToolbarCustomize* CSPCustomizePage::GetCustomizeSheet() const {
    return DYNAMIC_DOWNCAST(CSPToolbarCustomize, GetParent());
}

void CSPCustomizePage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, SP_IDC_CATEGORIES, m_wndCategory);
    DDX_Control(pDX, SP_IDC_COMMANDS, m_wndTools);
    DDX_Text(pDX, SP_IDC_COMMAND_DESCRIPTION, m_strButtonDescription);
}

BOOL CSPCustomizePage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    CSPToolbarCustomize* pSheet = GetCustomizeSheet();
    if (pSheet != NULL) pSheet->FillCategoriesListBox(m_wndCategory);
    m_wndCategory.SetCurSel(0);
    OnSelchangeCategory();
    return TRUE;
}

CString CSPCustomizePage::EntryText(const CSPToolbarButton* pButton, const CObList& lstCategory, BOOL bAllCommands) {
    if (!pButton->m_strTextCustom.IsEmpty() &&
        (bAllCommands || CSPToolbarCustomize::CountCategoryMatches(pButton->m_strText, lstCategory) > 1))
        return pButton->m_strTextCustom;
    return pButton->m_strText;
}

void CSPCustomizePage::OnSelchangeCategory() {
    UpdateData();
    const int iCategory = m_wndCategory.GetCurSel();
    if (iCategory < 0) return;

    CWaitCursor wait;
    m_wndTools.SetRedraw(FALSE);
    m_wndTools.ResetContent();
    m_strButtonDescription.Empty();
    m_pSelButton = NULL;

    CString strCategory;
    m_wndCategory.GetText(iCategory, strCategory);
    const BOOL bAllCommands = strCategory == m_strAllCategory;
    const CObList* pList = (const CObList*)m_wndCategory.GetItemDataPtr(iCategory);
    CSPCommandManager* pCmdManager = SPGetCommandManager();
    std::vector<std::pair<CString, CSPToolbarButton*>> entries;
    if (pList != NULL && pList != (CObList*)-1) {
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;) {
            CSPToolbarButton* pButton = (CSPToolbarButton*)pList->GetNext(pos);
            if (pButton->m_nID != (UINT)-1)
                pButton->m_bUserButton = pCmdManager->GetCmdImage(pButton->m_nID, FALSE) == -1;
            else
                pButton->m_bUserButton = FALSE;
            entries.emplace_back(EntryText(pButton, *pList, bAllCommands), pButton);
        }
    }
    // "All Commands" in byte order, equal texts in catalogue order (the
    // list itself is not sorted); sorting here keeps thousands of commands
    // quick.
    if (bAllCommands)
        std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            return strcmp(a.first, b.first) < 0;
        });
    for (const auto& entry : entries) {
        const int iItem = m_wndTools.AddString(entry.first);
        if (iItem >= 0) m_wndTools.SetItemDataPtr(iItem, entry.second);
    }
    m_wndTools.SetRedraw(TRUE);
    m_wndTools.Invalidate();
    UpdateData(FALSE);
}

void CSPCustomizePage::OnSelchangeCommands() {
    m_strButtonDescription.Empty();
    m_pSelButton = NULL;
    const int iSel = m_wndTools.GetCurSel();
    if (iSel >= 0) {
        m_pSelButton = (CSPToolbarButton*)m_wndTools.GetItemDataPtr(iSel);
        if (m_pSelButton == (CSPToolbarButton*)-1) m_pSelButton = NULL;
    }
    if (m_pSelButton != NULL) {
        if (m_pSelButton->m_nID == 0) {
            m_strButtonDescription = m_pSelButton->m_strText;
        } else {
            CSPToolbarCustomize* pSheet = GetCustomizeSheet();
            CFrameWnd* pFrame = pSheet != NULL ? pSheet->GetParentFrame() : NULL;
            if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
                pFrame->GetMessageString(m_pSelButton->m_nID, m_strButtonDescription);
        }
    }
    UpdateData(FALSE);
}
