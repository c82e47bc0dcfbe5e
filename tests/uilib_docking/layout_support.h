// Bars of a fixed size docked in a shown library frame, for the tests of
// rows, dock bars and the dock manager's layout.
#pragma once
#include "docking_support.h"

#include "MessagePump.h"

#include "SPControlBar.h"
#include "SPDockBar.h"
#include "SPDockBarRow.h"
#include "SPDockManager.h"

namespace docktest {

// A bar that wants a fixed length and thickness whichever way it stands.
class CFixedBar : public CSPControlBar {
public:
    int m_nLength = 100;
    int m_nThickness = 24;
    int m_nMinLength = 20;
    CSize CalcFixedLayout(BOOL /*bStretch*/, BOOL bHorz) override {
        return bHorz ? CSize(m_nLength, m_nThickness) : CSize(m_nThickness, m_nLength);
    }
    void GetMinSize(CSize& size) const override {
        size = IsHorizontal() ? CSize(m_nMinLength, m_nThickness) : CSize(m_nThickness, m_nMinLength);
    }
    void PostNcDestroy() override { delete this; }
};

// A fixed bar created hidden in the frame, ready to dock; the window
// deletes the object.
inline CFixedBar* MakeFixedBar(CFrameWnd* pFrame, UINT nID, int nLength, int nThickness = 24) {
    CFixedBar* pBar = new CFixedBar;
    pBar->m_nLength = nLength;
    pBar->m_nThickness = nThickness;
    if (!pBar->Create(NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, nLength, nThickness), pFrame, nID)) {
        delete pBar;
        return NULL;
    }
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}

// A window rectangle in the frame's client coordinates.
inline CRect FrameRect(CWnd* pFrame, CWnd* pWnd) {
    CRect rect;
    pWnd->GetWindowRect(rect);
    pFrame->ScreenToClient(rect);
    return rect;
}

// TRUE when no two visible windows of the list overlap.
inline bool NoneOverlap(const std::vector<CWnd*>& wnds, std::string* pWhich = NULL) {
    for (size_t i = 0; i < wnds.size(); i++) {
        for (size_t j = i + 1; j < wnds.size(); j++) {
            if (!wnds[i]->IsWindowVisible() || !wnds[j]->IsWindowVisible()) continue;
            CRect a, b, c;
            wnds[i]->GetWindowRect(a);
            wnds[j]->GetWindowRect(b);
            if (c.IntersectRect(a, b)) {
                if (pWhich != NULL) *pWhich = std::to_string(i) + " and " + std::to_string(j);
                return false;
            }
        }
    }
    return true;
}

// A window that counts the messages of one kind it gets.
class CMessageCounter : public CWnd {
public:
    explicit CMessageCounter(UINT nMessage) : m_nMessage(nMessage) {}
    int nCount = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == m_nMessage) nCount++;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    UINT m_nMessage;
};

// Moves the pointer and waits until the system reports it there (the move
// reaches the display server asynchronously).
inline bool MoveCursorTo(int x, int y) {
    if (!::SetCursorPos(x, y)) return false;
    for (int i = 0; i < 200; i++) {
        PumpPending();
        CPoint pt;
        ::GetCursorPos(&pt);
        if (pt == CPoint(x, y)) return true;
        ::Sleep(5);
    }
    return false;
}

// A shown library frame with docking on all four sides.
struct DockingFixture : ::testing::Test {
    CSPFrameWnd* pFrame = NULL;
    CSPDockManager* pManager = NULL;

    void SetUp() override {
        pFrame = new CSPFrameWnd;
        ASSERT_TRUE(pFrame->Create(NULL, _T("docking layout"), WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 440)));
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        pManager = pFrame->GetDockManager();
        ASSERT_TRUE(pFrame->EnableDocking(CBRS_ALIGN_ANY));
    }
    void TearDown() override {
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) pFrame->DestroyWindow();
    }
    CSPDockBar* DockBar(DWORD dwSide) { return pManager->FindDockBar(dwSide, TRUE); }
    CRect ClientRect() {
        CRect rect;
        pFrame->GetClientRect(rect);
        return rect;
    }
};

}  // namespace docktest
