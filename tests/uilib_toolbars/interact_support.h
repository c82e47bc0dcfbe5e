// Helpers of the toolbar interaction tests: a frame that records the
// commands and status-line prompts its bars send, and a bar whose OLE drag
// is a scripted drop on another bar.
#pragma once
#include "toolbar_support.h"

#include <functional>

namespace tbtest {

class CRecordingFrame : public CSPFrameWnd {
public:
    std::vector<UINT> commands, prompts;
    std::function<void(UINT)> onCommand;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && lParam == 0) {
            commands.push_back(LOWORD(wParam));
            if (onCommand) onCommand(LOWORD(wParam));
            return 0;
        }
        if (message == WM_SETMESSAGESTRING) {
            prompts.push_back((UINT)wParam);
            return 0;
        }
        return CSPFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// The drag of this bar drops on pTarget at ptDrop (its client point), or
// on no bar when pTarget is NULL; keys are the key state of the drop.
class CScriptedDragBar : public CSPToolBar {
public:
    CSPToolBar* pTarget = NULL;
    CPoint ptDrop;
    DWORD dwKeys = 0;
    bool bAltDown = false;
    std::function<void()> duringDrag;

protected:
    BOOL IsAltKeyDown() const override { return bAltDown; }
    DROPEFFECT DoButtonDragDrop(COleDataSource& source, const CRect& /*rectStart*/) override {
        m_DropSource.OnBeginDrag(this);
        if (duringDrag) duringDrag();
        // The pointer leaves every button, as after a real drag.
        ::SetCursorPos(5000, 5000);
        if (pTarget == NULL) return DROPEFFECT_NONE;
        IDataObject* pData = source.GetDataObject();
        DROPEFFECT dwEffect = pTarget->OnDragEnter(pData, dwKeys, ptDrop);
        if (dwEffect == DROPEFFECT_NONE) {
            pTarget->OnDragLeave();
            return DROPEFFECT_NONE;
        }
        return pTarget->OnDrop(pData, dwEffect, ptDrop) ? dwEffect : DROPEFFECT_NONE;
    }
};

class InteractTest : public ::testing::Test {
protected:
    CRecordingFrame* frame = NULL;
    std::vector<std::unique_ptr<CSPToolBar>> bars;

    void SetUp() override {
        ResetSharedState();
        frame = new CRecordingFrame;
        ASSERT_TRUE(frame->Create(NULL, _T("toolbar interaction"), WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 340)));
        frame->m_bAutoMenuEnable = FALSE;
    }
    void TearDown() override {
        bars.clear();
        if (frame != NULL && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        CSPToolBar::s_bAltCustomization = FALSE;
        CSPToolBar::s_bAltCustomizing = FALSE;
        ResetSharedState();
    }
    template <class Bar = CSPToolBar>
    Bar* NewBar(UINT nResource, UINT nID = AFX_IDW_TOOLBAR, int y = 0, BOOL bLocked = FALSE) {
        Bar* pBar = new Bar;
        bars.push_back(std::unique_ptr<CSPToolBar>(pBar));
        EXPECT_TRUE(pBar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, nID));
        EXPECT_TRUE(pBar->LoadToolBar(nResource, 0, 0, bLocked));
        const CSize size = pBar->CalcFixedLayout(FALSE, TRUE);
        pBar->SetWindowPos(NULL, 0, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        pBar->AdjustLocations();
        return pBar;
    }
    static CPoint Center(CSPToolBar* pBar, int i) {
        CRect rect;
        pBar->GetItemRect(i, rect);
        return rect.CenterPoint();
    }
    static void Send(CWnd* pWnd, UINT message, CPoint pt, UINT nFlags = 0) {
        pWnd->SendMessage(message, nFlags, MAKELPARAM(pt.x, pt.y));
    }
    static void Click(CSPToolBar* pBar, CPoint pt) {
        Send(pBar, WM_LBUTTONDOWN, pt, MK_LBUTTON);
        Send(pBar, WM_LBUTTONUP, pt);
    }
    static void Pump() {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
    }
};

inline std::vector<UINT> Ids(const CSPToolBar* pBar) {
    std::vector<UINT> ids;
    for (int i = 0; i < pBar->GetCount(); i++) ids.push_back(pBar->GetItemID(i));
    return ids;
}

}  // namespace tbtest
