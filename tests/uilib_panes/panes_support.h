// Helpers of the pane tests (pane ids stay clear of the sliders' ids, which
// count from 1): panes of a given minimum size in a shown
// library frame, and regions of them behind default sliders.
#pragma once
#include "layout_support.h"

#include "SPBarContainer.h"
#include "SPBarContainerManager.h"
#include "SPSlider.h"

namespace panetest {

using namespace docktest;

// A resizable pane that keeps at least 20 x 20 pixels.
class CPane : public CSPControlBar {
public:
    void GetMinSize(CSize& size) const override { size = CSize(20, 20); }
    // A white page with the pane's name, so that pictures show the panes.
    void DoPaint(CDC* pDC) override {
        CRect rect;
        GetClientRect(rect);
        pDC->FillSolidRect(rect, RGB(255, 255, 255));
        pDC->Draw3dRect(rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHILIGHT));
        CString strText;
        GetWindowText(strText);
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(strText, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    void PostNcDestroy() override { delete this; }
};

inline CPane* MakePane(CWnd* pParent, UINT nID, const CRect& rect, BOOL bVisible = TRUE) {
    CPane* pPane = new CPane;
    if (!pPane->Create(NULL, WS_CHILD | (bVisible ? WS_VISIBLE : 0), rect, pParent, nID)) {
        // it has deleted itself (PostNcDestroy)
        return NULL;
    }
    return pPane;
}

// Moves the pointer and waits until it stays there: a move the display
// server reports late may otherwise carry it back.
inline bool PointAt(int x, int y) {
    for (int nTry = 0; nTry < 20; nTry++) {
        if (!MoveCursorTo(x, y)) continue;
        bool bStayed = true;
        for (int i = 0; i < 3 && bStayed; i++) {
            ::Sleep(15);
            PumpPending();
            CPoint pt;
            ::GetCursorPos(&pt);
            bStayed = pt == CPoint(x, y);
        }
        if (bStayed) return true;
    }
    return false;
}

// A frame with a default slider on each side that a test asks for.
struct PanesFixture : DockingFixture {
    // A default slider for the side, listed by the dock manager.
    CSPSlider* SideSlider(DWORD dwSide) {
        CSPSlider* pSlider = new CSPSlider(TRUE, pFrame);
        const DWORD dwStyle = (dwSide & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? SP_SS_VERT : SP_SS_HORZ;
        if (!pSlider->Create(dwStyle | WS_VISIBLE, CRect(0, 0, 4, 4), pFrame, (UINT)-1)) return NULL;
        pSlider->SetCurrentAlignment(dwSide);
        pManager->AddControlBar(pSlider);
        return pSlider;
    }
    // A side with panes of the ids, the first added, each next inserted
    // after (below or right of) the one before.
    CSPSlider* DockedSide(DWORD dwSide, std::vector<UINT> ids, int nExtent) {
        CSPSlider* pSlider = SideSlider(dwSide);
        if (pSlider == NULL) return NULL;
        const BOOL bVertSide = (dwSide & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0;
        const CRect rectClient = ClientRect();
        CPane* pPrev = NULL;
        for (UINT nID : ids) {
            const CRect rect = bVertSide ? CRect(0, 0, nExtent, rectClient.Height())
                                         : CRect(0, 0, rectClient.Width(), nExtent);
            CPane* pPane = MakePane(pFrame, nID, rect);
            if (pPane == NULL) return NULL;
            CString strName;
            strName.Format(_T("Pane %u"), nID);
            pPane->SetWindowText(strName);
            pManager->AddControlBar(pPane);
            if (pPrev == NULL)
                pSlider->AddControlBar(pPane);
            else if (!pSlider->InsertControlBar(pPane, pPrev, bVertSide ? CBRS_ALIGN_BOTTOM : CBRS_ALIGN_RIGHT))
                return NULL;
            pPrev = pPane;
        }
        pFrame->RecalcLayout();
        return pSlider;
    }
    CWnd* Bar(UINT nID) { return pFrame->GetDlgItem(nID); }
    CRect Rect(UINT nID) { return FrameRect(pFrame, Bar(nID)); }
    CRect Rect(CWnd* pWnd) { return FrameRect(pFrame, pWnd); }
};

}  // namespace panetest
