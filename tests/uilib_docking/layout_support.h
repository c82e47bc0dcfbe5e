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
        // it has deleted itself (PostNcDestroy)
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

// Waits, pumping, until the system reports the pointer at the point; FALSE
// when it is not there after a second.
inline bool WaitForCursorAt(int x, int y) {
    for (int i = 0; i < 200; i++) {
        PumpPending();
        CPoint pt;
        ::GetCursorPos(&pt);
        if (pt == CPoint(x, y)) return true;
        ::Sleep(5);
    }
    return false;
}

// Moves the pointer and waits until the system reports it there (the move
// reaches the display server asynchronously).
inline bool MoveCursorTo(int x, int y) { return ::SetCursorPos(x, y) && WaitForCursorAt(x, y); }

// Pumps for a while so that timers fire.
inline void PumpFor(int nMilliseconds) {
    const DWORD dwEnd = ::GetTickCount() + nMilliseconds;
    while ((int)(dwEnd - ::GetTickCount()) > 0) {
        PumpPending();
        ::Sleep(10);
    }
    PumpPending();
}

// --- drags with the real pointer (the drag code reads the cursor itself) ---

// A mouse button event (MOUSEEVENTF_LEFTDOWN, ...) through the input queue.
inline void SendMouse(DWORD dwFlags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    ::SendInput(1, &input, sizeof(input));
    PumpPending();
}

// Moves the pointer through the input queue, so that the move reaches the
// window as a mouse move before any button event sent after it, and waits
// until it is there and stays there: on a busy machine the display server's
// late echo of an earlier move can put the pointer back where it was, and a
// button released then would end the drag in the wrong place.
inline bool DragTo(int x, int y) {
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    for (int i = 0; i < 10; i++) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = (x * 65536 + cx / 2) / cx;
        input.mi.dy = (y * 65536 + cy / 2) / cy;
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &input, sizeof(input));
        if (!(WaitForCursorAt(x, y) || MoveCursorTo(x, y))) return false;
        PumpFor(20);
        CPoint pt;
        ::GetCursorPos(&pt);
        if (pt == CPoint(x, y)) return true;
    }
    return false;
}

// Presses the left button at the point once the pointer has settled there:
// a late pointer event of an earlier move would otherwise be where the drag
// starts.
inline bool PressAt(CPoint pt) {
    bool bSettled = false;
    for (int i = 0; i < 10 && !bSettled; i++) {
        if (!MoveCursorTo(pt.x, pt.y)) return false;
        PumpFor(30);
        CPoint ptNow;
        ::GetCursorPos(&ptNow);
        bSettled = ptNow == pt;
    }
    if (bSettled) SendMouse(MOUSEEVENTF_LEFTDOWN);
    return bSettled;
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
