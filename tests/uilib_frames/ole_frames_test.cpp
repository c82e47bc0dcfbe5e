// The in-place frames over a container made of plain windows: the library's
// top-level frame switched while active and restored afterwards, the user
// toolbar range asked of the in-place frame, the container wrapper kept on
// a second OnCreateControlBars, a container that only moves leaving its
// bars alone, an open popup closed with the frame, a container destroyed
// first, and the container's own windows left alone.
#include "afxwin.h"
#include <gtest/gtest.h>

#include "MessagePump.h"
#include "SPFrameWnd.h"
#include "SPOleDocIPFrameWnd.h"
#include "SPOleIPFrameWnd.h"
#include "SPPopupMenu.h"
#include "SPToolBar.h"

namespace {

const UINT ID_SERVER_BAR = 0x8001;  // inside the in-place frame's user range
const UINT ID_CONTAINER_CHILD = 0x7501;

// The server's frame: its toolbar goes into the container's frame.
template <class TFrame>
class CServerFrame : public TFrame {
public:
    CSPToolBar* pBar = NULL;
    int nCreateCalls = 0;

    BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc) override {
        nCreateCalls++;
        if (!TFrame::OnCreateControlBars(pWndFrame, pWndDoc)) return FALSE;
        CSPOleCntrFrameWnd* pWrapper = DYNAMIC_DOWNCAST(CSPOleCntrFrameWnd, this->m_pMainFrame);
        if (pWrapper == NULL || pBar != NULL) return TRUE;
        pBar = new CSPToolBar;
        if (!pBar->Create(pWrapper, WS_CHILD | WS_VISIBLE | CBRS_TOP, ID_SERVER_BAR)) return FALSE;
        pBar->InsertButtonCopy(CSPToolbarButton(0x7502, -1, _T("Server")));
        pBar->AdjustLayout();
        pWrapper->AddControlBar(pBar);
        return TRUE;
    }
    ~CServerFrame() { delete pBar; }
};


template <class TFrame>
struct InPlaceFixture {
    HWND hContainer = NULL, hDoc = NULL, hOwnChild = NULL;
    CServerFrame<TFrame>* pIP = NULL;

    void Make() {
        WNDCLASS wc = {};
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = ::GetModuleHandle(NULL);
        wc.lpszClassName = _T("TwTestContainer");
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        ::RegisterClass(&wc);
        hContainer = ::CreateWindow(_T("TwTestContainer"), _T("container"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                    600, 400, NULL, NULL, wc.hInstance, NULL);
        hDoc = ::CreateWindow(_T("TwTestContainer"), _T(""), WS_CHILD | WS_VISIBLE, 0, 60, 580, 300, hContainer,
                              NULL, wc.hInstance, NULL);
        hOwnChild = ::CreateWindow(_T("STATIC"), _T("own"), WS_CHILD | WS_VISIBLE, 500, 0, 60, 20, hContainer,
                                   (HMENU)(UINT_PTR)ID_CONTAINER_CHILD, wc.hInstance, NULL);
        pIP = new CServerFrame<TFrame>;
        ASSERT_TRUE(pIP->Create(NULL, NULL, WS_CHILD, CRect(0, 0, 10, 10), CWnd::FromHandle(hDoc)));
        pIP->m_Impl.InitUserToolbars(NULL, 0x8000, 0x8010);
    }
    void Destroy() {
        if (pIP != NULL && pIP->GetSafeHwnd() != NULL) pIP->DestroyWindow();
        if (::IsWindow(hContainer)) ::DestroyWindow(hContainer);
        g_pTopLevelFrame = NULL;
    }
};

template <class TFrame>
struct OleFramesTest : ::testing::Test, InPlaceFixture<TFrame> {
    void TearDown() override { this->Destroy(); }
};
typedef ::testing::Types<CSPOleIPFrameWnd, CSPOleDocIPFrameWnd> InPlaceFrameKinds;
TYPED_TEST_SUITE(OleFramesTest, InPlaceFrameKinds);

TYPED_TEST(OleFramesTest, TheTopLevelFrameIsSwitchedWhileActive) {
    this->Make();
    CSPFrameWnd* pOther = new CSPFrameWnd;
    ASSERT_TRUE(pOther->Create(NULL, _T("earlier top level"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100)));
    g_pTopLevelFrame = pOther;

    ASSERT_TRUE(this->pIP->ActivateInPlace(this->hContainer, this->hDoc, CRect(10, 10, 300, 200)));
    EXPECT_EQ(this->pIP, g_pTopLevelFrame);
    EXPECT_EQ(1, this->pIP->nCreateCalls);
    ASSERT_TRUE(this->pIP->pBar != NULL);
    // The server's bar sits in the container but belongs to the in-place
    // frame's user-toolbar range.
    EXPECT_EQ(this->hContainer, ::GetParent(this->pIP->pBar->m_hWnd));
    EXPECT_TRUE(SPIsUserToolbar(this->pIP->pBar));

    // Activated again it keeps the frame it replaced.
    this->pIP->SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
    this->pIP->DeactivateInPlace();
    EXPECT_EQ(pOther, g_pTopLevelFrame);
    pOther->DestroyWindow();
}

TYPED_TEST(OleFramesTest, ASecondOnCreateControlBarsKeepsTheWrapper) {
    this->Make();
    ASSERT_TRUE(this->pIP->ActivateInPlace(this->hContainer, this->hDoc, CRect(10, 10, 300, 200)));
    COleCntrFrameWnd* pWrapper = this->pIP->m_pMainFrame;
    ASSERT_TRUE(pWrapper->IsKindOf(RUNTIME_CLASS(CSPOleCntrFrameWnd)));
    EXPECT_TRUE(this->pIP->OnCreateControlBars(pWrapper, this->pIP->m_pDocFrame));
    EXPECT_EQ(pWrapper, this->pIP->m_pMainFrame);
    EXPECT_EQ(this->hContainer, pWrapper->m_hWnd);
}

TYPED_TEST(OleFramesTest, MovingTheContainerLeavesItsBarsAlone) {
    this->Make();
    ASSERT_TRUE(this->pIP->ActivateInPlace(this->hContainer, this->hDoc, CRect(10, 10, 300, 200)));
    CSPToolBar* pBar = this->pIP->pBar;
    CRect rectContainer;
    ::GetWindowRect(this->hContainer, rectContainer);
    pBar->SetWindowPos(NULL, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto barLeft = [&] {
        CRect rect;
        pBar->GetWindowRect(rect);
        ::ScreenToClient(this->hContainer, &rect.TopLeft());
        return rect.left;
    };
    CRect rectMoved = rectContainer + CPoint(30, 20);
    ::SendMessage(this->hContainer, WM_SIZING, WMSZ_BOTTOMRIGHT, (LPARAM)&rectMoved);
    EXPECT_EQ(40, barLeft());
    CRect rectWider = rectContainer;
    rectWider.right += 50;
    ::SendMessage(this->hContainer, WM_SIZING, WMSZ_RIGHT, (LPARAM)&rectWider);
    EXPECT_EQ(0, barLeft());  // laid out again
}

TYPED_TEST(OleFramesTest, DestroyingTheActiveFrameClosesTheOpenPopup) {
    this->Make();
    // A library popup deletes itself with its window.
    CSPPopupMenu* pPopup = new CSPPopupMenu;
    ASSERT_TRUE(pPopup->CreateEx(0, AfxRegisterWndClass(0), _T("popup"), WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
    const HWND hwndPopup = pPopup->GetSafeHwnd();
    SPPopupMenuClient::SetActivePopupMenu(pPopup);
    ASSERT_TRUE(this->pIP->ActivateInPlace(this->hContainer, this->hDoc, CRect(10, 10, 300, 200)));
    this->pIP->DestroyWindow();
    this->pIP = NULL;  // deleted with its window
    PumpPending();
    EXPECT_FALSE(::IsWindow(hwndPopup));
    EXPECT_EQ(NULL, g_pTopLevelFrame);
    if (::IsWindow(hwndPopup)) ::DestroyWindow(hwndPopup);
    SPPopupMenuClient::SetActivePopupMenu(NULL);
}

TYPED_TEST(OleFramesTest, TheContainerDestroyedFirst) {
    this->Make();
    ASSERT_TRUE(this->pIP->ActivateInPlace(this->hContainer, this->hDoc, CRect(10, 10, 300, 200)));
    ::DestroyWindow(this->hContainer);  // the in-place frame goes with it
    PumpPending();
    EXPECT_EQ(NULL, g_pTopLevelFrame);
    this->pIP = NULL;  // deleted with its window
}

TYPED_TEST(OleFramesTest, DeactivationTakesTheServersBarsAndLeavesTheContainersOwn) {
    this->Make();
    ASSERT_TRUE(this->pIP->ActivateInPlace(this->hContainer, this->hDoc, CRect(10, 10, 300, 200)));
    HWND hBar = this->pIP->pBar->m_hWnd;
    this->pIP->DeactivateInPlace();
    EXPECT_FALSE(::IsWindow(hBar));
    EXPECT_TRUE(::IsWindow(this->hOwnChild));
    EXPECT_TRUE(::IsWindow(this->hDoc));
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(this->hContainer));  // the container is its own again
}

}  // namespace
