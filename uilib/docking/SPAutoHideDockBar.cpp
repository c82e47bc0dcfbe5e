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
    // Every pane pinned away along this edge goes back. The toolbars of the
    // row and their panes are taken before any pane goes back: each pane's
    // return may destroy its toolbar.
    //
    // The panes of one group (the tabs of one former tabbed bar, tied by the
    // toolbars' first- and last-in-group flags) come back as one tabbed bar:
    // the group's first toolbar docks back, the rest join its first pane as
    // tabs. Panes pinned away on their own are groups of one and each goes
    // back to its own place; they are never made tabs of another group.
    CObList lstToolBars;
    for (POSITION pos = pRow->GetControlBarList().GetHeadPosition(); pos != NULL;) {
        CSPAutoHideToolBar* pBar = DYNAMIC_DOWNCAST(CSPAutoHideToolBar, pRow->GetControlBarList().GetNext(pos));
        if (pBar != NULL) lstToolBars.AddTail(pBar);
    }
    if (lstToolBars.Find(pToolBar) == NULL) lstToolBars.AddTail(pToolBar);

    // The row lists the toolbars of a group from the first to the last or
    // the other way round: a group runs from the toolbar that opens it to
    // the one carrying the opposite end's flag, and is walked from its
    // first-in-group toolbar, so that the tabs come back in their order.
    struct Entry {
        CObList lstPanes;
        BOOL bFirst;
        BOOL bLast;
    };
    CArray<Entry*, Entry*> arEntries;
    for (POSITION pos = lstToolBars.GetHeadPosition(); pos != NULL;) {
        CSPAutoHideToolBar* pBar = (CSPAutoHideToolBar*)lstToolBars.GetNext(pos);
        Entry* pEntry = new Entry;
        pBar->GetPanes(pEntry->lstPanes);
        pEntry->bFirst = pBar->IsFirstInGroup();
        pEntry->bLast = pBar->IsLastInGroup();
        arEntries.Add(pEntry);
    }
    for (int i = 0; i < arEntries.GetSize();) {
        CArray<Entry*, Entry*> arGroup;
        const Entry* pOpen = arEntries[i];
        arGroup.Add(arEntries[i++]);
        // A toolbar with neither flag, or with both, is a group of its own.
        const BOOL bForward = pOpen->bFirst && !pOpen->bLast;
        const BOOL bBackward = pOpen->bLast && !pOpen->bFirst;
        while ((bForward || bBackward) && i < arEntries.GetSize()) {
            Entry* pNext = arEntries[i];
            if (bForward ? pNext->bFirst : pNext->bLast) break;  // the next group opens
            arGroup.Add(arEntries[i++]);
            if (bForward ? pNext->bLast : pNext->bFirst) break;
        }
        if (bBackward) {
            for (int a = 0, b = (int)arGroup.GetSize() - 1; a < b; a++, b--) {
                Entry* pSwap = arGroup[a];
                arGroup[a] = arGroup[b];
                arGroup[b] = pSwap;
            }
        }
        CSPDockingControlBar* pGroupFirst =
            arGroup[0]->lstPanes.IsEmpty() ? NULL : (CSPDockingControlBar*)arGroup[0]->lstPanes.GetHead();
        for (int j = 0; j < arGroup.GetSize(); j++) {
            for (POSITION pos = arGroup[j]->lstPanes.GetHeadPosition(); pos != NULL;) {
                CSPDockingControlBar* pPane = (CSPDockingControlBar*)arGroup[j]->lstPanes.GetNext(pos);
                if (!::IsWindow(pPane->GetSafeHwnd()) || !pPane->IsAutoHideMode()) continue;
                // The panes of a group's first toolbar dock back; a group
                // whose first pane could not come back docks the rest too.
                CSPDockingControlBar* pJoin = j == 0 || pGroupFirst == NULL ||
                                                      !::IsWindow(pGroupFirst->GetSafeHwnd()) ||
                                                      pGroupFirst->IsAutoHideMode()
                                                  ? NULL
                                                  : pGroupFirst;
                pPane->UnSetAutoHideMode(pJoin);
            }
        }
    }
    for (int i = 0; i < arEntries.GetSize(); i++) delete arEntries[i];
}

void CSPAutoHideDockBar::OnPaint() {
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    CSPVisualManager::GetInstance()->OnFillBarBackground(&dc, this, rectClient, rectClient, FALSE);
}
