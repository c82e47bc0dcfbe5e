// SPAutoHideDockBar.cpp - the side strip that holds the auto-hide toolbars.
#include "SPAutoHideDockBar.h"
#include <algorithm>
using std::max;
using std::min;
#include "SPAutoHideToolBar.h"
#include "SPDockBarRow.h"
#include "SPDockingControlBar.h"
#include "SPGlobalData.h"
#include "SPVisualManager.h"

IMPLEMENT_DYNCREATE(CSPAutoHideDockBar, CSPDockBar)

int CSPAutoHideDockBar::m_nAutoHideBarRowMargin = 2;

BEGIN_MESSAGE_MAP(CSPAutoHideDockBar, CSPDockBar)
ON_WM_PAINT()
END_MESSAGE_MAP()

CSPAutoHideDockBar::CSPAutoHideDockBar() : m_nOffsetLeft(0), m_nOffsetRight(0) {}

CSPAutoHideDockBar::~CSPAutoHideDockBar() {}

BOOL CSPAutoHideDockBar::CanAcceptBar(const CSPBaseControlBar* pBar) const {
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CSPAutoHideToolBar));
}

void CSPAutoHideDockBar::GetVisualInfo(SPBarInfo& info) {
    CSPDockBar::GetVisualInfo(info);
    info.bAutoHideDockBar = TRUE;
}

void CSPAutoHideDockBar::DockControlBar(CSPControlBar* pBar, LPCRECT /*lpRect*/, int /*nDockMethod*/) {
    if (pBar == NULL || m_lstControlBars.Find(pBar) != NULL) return;
    const CSize size = pBar->CalcFixedLayout(FALSE, IsHorizontal());
    const int nThickness = (IsHorizontal() ? size.cy : size.cx) + m_nAutoHideBarRowMargin;
    CSPDockBarRow* pRow = NULL;
    if (m_lstDockBarRows.IsEmpty()) {
        pRow = AddRow(NULL, nThickness);
        if (pRow == NULL) return;
        // The margin belongs to the row, so that every layout pass measures
        // the strip with it; on the right and bottom sides the buttons lie
        // against the frame edge, the margin inside.
        pRow->SetExtraSpace(m_nAutoHideBarRowMargin);
        const DWORD dwSide = GetCurrentAlignment() & CBRS_ALIGN_ANY;
        pRow->SetInsetMode(dwSide == CBRS_ALIGN_RIGHT || dwSide == CBRS_ALIGN_BOTTOM ? 1 : 0);
    } else {
        pRow = (CSPDockBarRow*)m_lstDockBarRows.GetHead();
    }
    if (nThickness > pRow->GetRowHeight()) ResizeRow(pRow, nThickness, TRUE);
    pRow->AddControlBar(pBar, SP_DM_RECT, NULL);
    m_lstControlBars.AddTail(pBar);
    pBar->ShowWindow(SW_SHOWNOACTIVATE);
    if (pBar->GetParent() != this) pBar->SetParent(this);
    AdjustLayout();
    CRect rectClient;
    GetClientRect(rectClient);
    RepositionBars(rectClient);
}

void CSPAutoHideDockBar::RemoveControlBar(CSPControlBar* pBar) { CSPDockBar::RemoveControlBar(pBar); }

void CSPAutoHideDockBar::RepositionBars(CRect& /*rectNewClientArea*/) {
    if (m_lstDockBarRows.IsEmpty()) return;
    CSPDockBarRow* pRow = (CSPDockBarRow*)m_lstDockBarRows.GetHead();
    pRow->LayoutBarsInSequence(m_nOffsetLeft + spGlobalData.nAutoHideMargin, spGlobalData.nAutoHideSpacing);
}

void CSPAutoHideDockBar::SyncToolbarsInRow(CSPAutoHideToolBar* pToolBar) {
    if (pToolBar == NULL) return;
    CSPDockBarRow* pRow = pToolBar->GetDockBarRow();
    if (pRow == NULL) {
        pToolBar->UnSetAutoHideModeAll(NULL);
        return;
    }
    // The toolbars of the row and their panes are taken before any pane
    // goes back: each pane's return may destroy its toolbar.
    CObList lstToolBars;
    for (POSITION pos = pRow->GetControlBarList().GetHeadPosition(); pos != NULL;) {
        CSPAutoHideToolBar* pBar = DYNAMIC_DOWNCAST(CSPAutoHideToolBar, pRow->GetControlBarList().GetNext(pos));
        if (pBar != NULL) lstToolBars.AddTail(pBar);
    }
    // Only the toolbars of the pressed toolbar's group go back together:
    // from its first-in-group toolbar to its last-in-group one, whichever
    // way the row lists them.
    CObList lstGroup;
    for (int nPass = 0; nPass < 2 && lstGroup.IsEmpty(); nPass++) {
        CObList lstOrdered;
        for (POSITION pos = lstToolBars.GetHeadPosition(); pos != NULL;) {
            CObject* pObj = lstToolBars.GetNext(pos);
            if (nPass == 0)
                lstOrdered.AddTail(pObj);
            else
                lstOrdered.AddHead(pObj);
        }
        POSITION posStart = lstOrdered.Find(pToolBar);
        while (posStart != NULL && !((CSPAutoHideToolBar*)lstOrdered.GetAt(posStart))->IsFirstInGroup()) {
            lstOrdered.GetPrev(posStart);
        }
        if (posStart == NULL) continue;
        CObList lstFound;
        BOOL bComplete = FALSE;
        for (POSITION pos = posStart; pos != NULL && !bComplete;) {
            CSPAutoHideToolBar* pBar = (CSPAutoHideToolBar*)lstOrdered.GetNext(pos);
            lstFound.AddTail(pBar);
            bComplete = pBar->IsLastInGroup();
        }
        if (bComplete && lstFound.Find(pToolBar) != NULL) lstGroup.AddTail(&lstFound);
    }
    if (lstGroup.IsEmpty()) lstGroup.AddTail(pToolBar);

    CArray<CObList*, CObList*> arPanes;
    for (POSITION pos = lstGroup.GetHeadPosition(); pos != NULL;) {
        CObList* pPanes = new CObList;
        ((CSPAutoHideToolBar*)lstGroup.GetNext(pos))->GetPanes(*pPanes);
        arPanes.Add(pPanes);
    }
    CSPDockingControlBar* pFirstPane =
        arPanes.GetSize() > 0 && !arPanes[0]->IsEmpty() ? (CSPDockingControlBar*)arPanes[0]->GetHead() : NULL;
    for (int i = 0; i < arPanes.GetSize(); i++) {
        for (POSITION pos = arPanes[i]->GetHeadPosition(); pos != NULL;) {
            CSPDockingControlBar* pPane = (CSPDockingControlBar*)arPanes[i]->GetNext(pos);
            if (!::IsWindow(pPane->GetSafeHwnd()) || !pPane->IsAutoHideMode()) continue;
            pPane->UnSetAutoHideMode(i == 0 ? NULL : pFirstPane);
        }
        delete arPanes[i];
    }
}

void CSPAutoHideDockBar::OnPaint() {
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    CSPVisualManager::GetInstance()->OnFillBarBackground(&dc, this, rectClient, rectClient, FALSE);
}
