// Helpers of the tests of buttons that host controls: bars whose buttons are
// replaced by hosted-control buttons, and record round trips.
#pragma once
#include "interact_support.h"

namespace tbtest {

// Reads one object of the required class back; NULL when reading failed.
template <class T>
T* LoadAs(const std::vector<BYTE>& bytes, CRuntimeClass* pClass) {
    std::vector<BYTE> copy(bytes);
    CMemFile file(copy.empty() ? NULL : copy.data(), (UINT)copy.size());
    CObject* pObject = NULL;
    try {
        CArchive ar(&file, CArchive::load);
        pObject = ar.ReadObject(pClass);
    } catch (CException* e) {
        e->Delete();
    }
    return (T*)pObject;
}

inline std::vector<BYTE> StoreObject(CObject& object) {
    return ArchiveBytes([&](CArchive& ar) { ar.WriteObject(&object); });
}

class HostedTest : public InteractTest {
protected:
    // WM_COMMANDs that reached the frame from controls: (id, code).
    std::vector<std::pair<UINT, UINT>> controlCommands;
    WNDPROC oldProc = NULL;

    void SetUp() override {
        InteractTest::SetUp();
        s_pTest = this;
        oldProc = (WNDPROC)::SetWindowLongPtr(frame->GetSafeHwnd(), GWLP_WNDPROC, (LONG_PTR)&FrameProc);
    }
    void TearDown() override {
        if (::IsWindow(frame->GetSafeHwnd()))
            ::SetWindowLongPtr(frame->GetSafeHwnd(), GWLP_WNDPROC, (LONG_PTR)oldProc);
        s_pTest = NULL;
        InteractTest::TearDown();
    }
    // A bar of the main strip whose ID_OPEN button is replaced by the
    // button; vertical bars are docked at the left.
    CSPToolBar* BarWith(const CSPToolbarButton& button, int y, BOOL bVertical = FALSE) {
        CSPToolBar* pBar = new CSPToolBar;
        bars.push_back(std::unique_ptr<CSPToolBar>(pBar));
        const DWORD dwAlign = bVertical ? CBRS_LEFT : CBRS_TOP;
        EXPECT_TRUE(pBar->Create(frame, WS_CHILD | WS_VISIBLE | dwAlign, AFX_IDW_TOOLBAR + (UINT)bars.size()));
        EXPECT_TRUE(pBar->LoadToolBar(IDR_MAIN));
        pBar->ReplaceButton(ID_OPEN, button);
        const CSize size = pBar->CalcFixedLayout(FALSE, !bVertical);
        pBar->SetWindowPos(NULL, 0, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        pBar->AdjustLocations();
        return pBar;
    }
public:
    template <class T>
    static T* Hosted(CSPToolBar* pBar, CRuntimeClass* pClass) {
        CSPToolbarButton* pButton = pBar->GetButton(pBar->CommandToIndex(ID_OPEN));
        return pButton != NULL && pButton->IsKindOf(pClass) ? (T*)pButton : NULL;
    }

private:
    static HostedTest* s_pTest;
    static LRESULT CALLBACK FrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND && lParam != 0 && s_pTest != NULL)
            s_pTest->controlCommands.push_back({LOWORD(wParam), HIWORD(wParam)});
        return ::CallWindowProc(s_pTest->oldProc, hWnd, message, wParam, lParam);
    }
};

inline HostedTest* HostedTest::s_pTest = NULL;

}  // namespace tbtest
