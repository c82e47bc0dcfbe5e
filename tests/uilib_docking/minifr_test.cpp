// Floating frames: a docked bar floats into a CSPMiniFrameWnd, is dragged by
// its caption with the real pointer (SetCursorPos and SendInput: the drag
// code reads the cursor itself) and docks again where it rests.
#include "afxwin.h"

#include <gtest/gtest.h>

#include <vector>

#include "SPCaptionButton.h"
#include "SPMiniFrameWnd.h"
#include "SPPopupMenu.h"
#include "SPToolBar.h"
#include "WindowPicture.h"
#include "layout_support.h"

using namespace docktest;

namespace {

clock_t g_clkFake = 0;
clock_t FakeTicks() { return g_clkFake; }

void SendKey(WORD wVk, bool bUp) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wVk;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
    PumpPending();
}

bool IsLiveFrame(HWND hwnd) {
    return ::IsWindow(hwnd) && CWnd::FromHandlePermanent(hwnd) != NULL;
}

struct MiniFrameFixture : DockingFixture {
    clock_t (*pfnOldClock)() = NULL;
    void SetUp() override {
        DockingFixture::SetUp();
        pfnOldClock = CSPDockManager::m_pfnClock;
        CSPDockManager::m_pfnClock = FakeTicks;
        g_clkFake = 1000;
    }
    void TearDown() override {
        if (::GetCapture() != NULL) ::ReleaseCapture();
        CSPDockManager::m_pfnClock = pfnOldClock;
        DockingFixture::TearDown();
        PumpPending();
    }
    // A bar docked on the top side, then floated at the screen rectangle.
    CFixedBar* FloatingBar(UINT nID, const CRect& rectScreen, int nDockMode = SP_DT_IMMEDIATE) {
        CFixedBar* pBar = MakeFixedBar(pFrame, nID, rectScreen.Width(), rectScreen.Height());
        if (pBar == NULL) return NULL;
        pBar->SetDockMode(nDockMode);
        pBar->SetWindowText(_T("Floating bar"));
        pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
        if (!pBar->FloatControlBar(rectScreen, SP_DM_RECT, true)) return NULL;
        return pBar;
    }
    CPoint CaptionPoint(CSPMiniFrameWnd* pMini) {
        CRect rectCaption, rectWnd;
        pMini->GetCaptionRect(rectCaption);
        pMini->GetWindowRect(rectWnd);
        return CPoint(rectWnd.left + rectCaption.left + 10, rectWnd.top + rectCaption.CenterPoint().y);
    }
};

}  // namespace

TEST_F(MiniFrameFixture, ADockedBarFloatsIntoAFrameAndADoubleClickDocksItAgain) {
    CFixedBar* pBar = FloatingBar(1401, CRect(300, 300, 420, 324));
    ASSERT_NE(pBar, nullptr);
    CSPMiniFrameWnd* pMini = pBar->GetParentMiniFrame();
    ASSERT_NE(pMini, nullptr);
    const HWND hwndMini = pMini->GetSafeHwnd();
    EXPECT_TRUE(pBar->IsFloating());
    EXPECT_EQ(pBar->GetParentDockBar(), nullptr);
    EXPECT_EQ(pMini->GetControlBar(), (CWnd*)pBar);
    EXPECT_EQ(pMini->GetOwnerFrame(), (CFrameWnd*)pFrame);
    EXPECT_TRUE(pMini->GetStyle() & WS_POPUP);
    EXPECT_TRUE(pMini->GetStyle() & MFS_SYNCACTIVE);
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_NE(CSPMiniFrameWnd::s_lstMiniFrames.Find(hwndMini), nullptr);
    EXPECT_EQ(CSPMiniFrameWnd::FindBarById(1401), (CSPBaseControlBar*)pBar);
    EXPECT_EQ(pManager->FindBarByID(1401, TRUE), (CWnd*)pBar);
    CString strText;
    pMini->GetWindowText(strText);
    EXPECT_STREQ(strText, _T("Floating bar"));

    // The frame sits where it was asked and fits its bar.
    CRect rectMini, rectClient;
    pMini->GetWindowRect(rectMini);
    pMini->GetClientRect(rectClient);
    EXPECT_EQ(rectMini.TopLeft(), CPoint(300, 300));
    EXPECT_EQ(rectClient.Size(), CSize(120, 24));
    CRect rectBar;
    pBar->GetWindowRect(rectBar);
    pMini->ScreenToClient(rectBar);
    EXPECT_EQ(rectBar, rectClient);
    CObList lst;
    CSPMiniFrameWnd::CollectBarsInMiniFrames(lst);
    EXPECT_NE(lst.Find(pBar), nullptr);

    // A double click sends the bar back to its recent dock bar; the emptied
    // frame goes when its posted check arrives.
    pMini->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(pBar->GetParentDockBar(), DockBar(CBRS_ALIGN_TOP));
    EXPECT_EQ(pBar->GetParentMiniFrame(), nullptr);
    PumpPending();
    EXPECT_FALSE(::IsWindow(hwndMini));
    EXPECT_EQ(CSPMiniFrameWnd::s_lstMiniFrames.Find(hwndMini), nullptr);
    EXPECT_EQ(CSPMiniFrameWnd::FindBarById(1401), nullptr);
}

TEST_F(MiniFrameFixture, CaptionDragFollowsThePointerAndDocksAfterTheRest) {
    CFixedBar* pBar = FloatingBar(1402, CRect(300, 300, 420, 324));
    ASSERT_NE(pBar, nullptr);
    CSPMiniFrameWnd* pMini = pBar->GetParentMiniFrame();
    ASSERT_NE(pMini, nullptr);
    const HWND hwndMini = pMini->GetSafeHwnd();
    // The top dock bar holds another bar, so it has a thickness to rest on.
    pFrame->DockControlBar(MakeFixedBar(pFrame, 1430, 100), AFX_IDW_DOCKBAR_TOP);
    CRect rectTop, rectStart;
    DockBar(CBRS_ALIGN_TOP)->GetWindowRect(rectTop);
    pMini->GetWindowRect(rectStart);

    const CPoint ptGrip = CaptionPoint(pMini);
    ASSERT_TRUE(PressAt(CPoint(ptGrip.x, ptGrip.y)));
    ASSERT_TRUE(pMini->IsDragging());
    // Away from every dock bar the frame follows the pointer.
    ASSERT_TRUE(DragTo(ptGrip.x + 40, ptGrip.y - 30));
    CRect rectMoved;
    pMini->GetWindowRect(rectMoved);
    EXPECT_EQ(rectMoved.TopLeft(), rectStart.TopLeft() + CSize(40, -30));

    // Over the top dock bar it waits for the rest: the dock timer asks
    // again while no move comes.
    const CPoint ptOver(rectTop.left + 200, rectTop.top + 3);
    ASSERT_TRUE(DragTo(ptOver.x, ptOver.y));
    ASSERT_TRUE(DragTo(ptOver.x + 2, ptOver.y));
    PumpFor(150);
    EXPECT_EQ(pBar->GetParentMiniFrame(), pMini) << "not before the rest";
    // With Ctrl held nothing docks however long it rests.
    SendKey(VK_CONTROL, false);
    ASSERT_LT(::GetKeyState(VK_CONTROL), 0);
    g_clkFake += 1000;
    PumpFor(150);
    EXPECT_LT(::GetKeyState(VK_CONTROL), 0);
    EXPECT_EQ(pBar->GetParentMiniFrame(), pMini) << "nothing docks with Ctrl held";

    // Moving on to the left dock bar starts the wait again.
    pFrame->DockControlBar(MakeFixedBar(pFrame, 1431, 100), AFX_IDW_DOCKBAR_LEFT);
    CRect rectLeft;
    DockBar(CBRS_ALIGN_LEFT)->GetWindowRect(rectLeft);
    ASSERT_TRUE(DragTo(rectLeft.left + 5, rectLeft.top + 60));
    SendKey(VK_CONTROL, true);
    PumpFor(150);
    EXPECT_EQ(pBar->GetParentMiniFrame(), pMini) << "the wait starts again on another dock bar";
    g_clkFake += 250;
    PumpFor(200);
    EXPECT_EQ(pBar->GetParentDockBar(), DockBar(CBRS_ALIGN_LEFT));
    EXPECT_EQ(pBar->GetCurrentAlignment(), (DWORD)CBRS_ALIGN_LEFT);
    // The docked bar goes on tracking the pointer until the button is up.
    EXPECT_TRUE(pBar->IsTracking());
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpPending();
    EXPECT_FALSE(::IsWindow(hwndMini));
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
}

TEST_F(MiniFrameFixture, APressOnTheFloatingBarDragsItsFrame) {
    CFixedBar* pBar = FloatingBar(1450, CRect(300, 300, 420, 340));
    ASSERT_NE(pBar, nullptr);
    CSPMiniFrameWnd* pMini = pBar->GetParentMiniFrame();
    CRect rectBar;
    pBar->GetWindowRect(rectBar);
    ASSERT_TRUE(MoveCursorTo(rectBar.CenterPoint().x, rectBar.CenterPoint().y));
    // The press on the bar alone in its frame is the frame's: it drags.
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rectBar.Width() / 2, rectBar.Height() / 2));
    EXPECT_TRUE(pMini->IsDragging());
    EXPECT_EQ(::GetCapture(), pMini->GetSafeHwnd());
    EXPECT_FALSE(pBar->IsTracking());
    pMini->SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(pMini->IsDragging());
    EXPECT_EQ(pBar->GetParentMiniFrame(), pMini);
}

TEST_F(MiniFrameFixture, OutlineDragDocksWhereItEndsOrMovesTheFrame) {
    CFixedBar* pBar = FloatingBar(1403, CRect(300, 300, 420, 324), SP_DT_STANDARD);
    ASSERT_NE(pBar, nullptr);
    CSPMiniFrameWnd* pMini = pBar->GetParentMiniFrame();
    ASSERT_NE(pMini, nullptr);
    CRect rectStart;
    pMini->GetWindowRect(rectStart);

    // Over nothing: the frame goes where the outline was, the outline is gone.
    const CPoint ptGrip = CaptionPoint(pMini);
    ASSERT_TRUE(PressAt(CPoint(ptGrip.x, ptGrip.y)));
    ASSERT_TRUE(DragTo(ptGrip.x + 1, ptGrip.y));
    EXPECT_FALSE(pMini->GetDragHelper().m_bDragging) << "a one-pixel move draws no outline";
    ASSERT_TRUE(DragTo(ptGrip.x + 60, ptGrip.y + 40));
    EXPECT_TRUE(pMini->GetDragHelper().m_bDragging);
    CRect rectNow;
    pMini->GetWindowRect(rectNow);
    EXPECT_EQ(rectNow, rectStart) << "the frame stays while the outline moves";
    SendMouse(MOUSEEVENTF_LEFTUP);
    pMini->GetWindowRect(rectNow);
    EXPECT_EQ(rectNow.TopLeft(), rectStart.TopLeft() + CSize(60, 40));
    EXPECT_FALSE(pMini->GetDragHelper().m_bDragging);
    EXPECT_FALSE(pMini->GetDragHelper().IsOutlineShown());
    EXPECT_EQ(pMini->GetDragHelper().m_pFinalTarget, nullptr);
    EXPECT_EQ(pBar->GetParentMiniFrame(), pMini);

    // Over the bottom dock bar: it docks there when the button is released.
    CRect rectBottom;
    DockBar(CBRS_ALIGN_BOTTOM)->GetWindowRect(rectBottom);
    pFrame->DockControlBar(MakeFixedBar(pFrame, 1404, 80), AFX_IDW_DOCKBAR_BOTTOM);
    DockBar(CBRS_ALIGN_BOTTOM)->GetWindowRect(rectBottom);
    const CPoint ptGrip2 = CaptionPoint(pMini);
    ASSERT_TRUE(PressAt(CPoint(ptGrip2.x, ptGrip2.y)));
    ASSERT_TRUE(DragTo(rectBottom.left + 200, rectBottom.top + 3));
    EXPECT_EQ(pBar->GetParentMiniFrame(), pMini) << "an outline drag docks only at its end";
    SendMouse(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(pBar->GetParentDockBar(), DockBar(CBRS_ALIGN_BOTTOM));
    EXPECT_FALSE(pMini->GetDragHelper().IsOutlineShown());
}

TEST_F(MiniFrameFixture, EscapeEndsTheDragInBothModes) {
    // Dock mode 1: the bar goes back to where it was docked.
    CFixedBar* pBar = FloatingBar(1405, CRect(300, 300, 420, 324));
    ASSERT_NE(pBar, nullptr);
    CSPMiniFrameWnd* pMini = pBar->GetParentMiniFrame();
    const CPoint ptGrip = CaptionPoint(pMini);
    ASSERT_TRUE(PressAt(CPoint(ptGrip.x, ptGrip.y)));
    ASSERT_TRUE(DragTo(ptGrip.x + 30, ptGrip.y + 30));
    pMini->SendMessage(WM_CHAR, VK_ESCAPE, 0);
    EXPECT_EQ(pBar->GetParentDockBar(), DockBar(CBRS_ALIGN_TOP));
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpPending();

    // Dock mode 2: the outline is dropped and the frame stays where it was.
    CFixedBar* pOther = FloatingBar(1406, CRect(320, 320, 440, 344), SP_DT_STANDARD);
    ASSERT_NE(pOther, nullptr);
    CSPMiniFrameWnd* pMini2 = pOther->GetParentMiniFrame();
    CRect rectStart, rectNow;
    pMini2->GetWindowRect(rectStart);
    const CPoint ptGrip2 = CaptionPoint(pMini2);
    ASSERT_TRUE(PressAt(CPoint(ptGrip2.x, ptGrip2.y)));
    ASSERT_TRUE(DragTo(ptGrip2.x + 50, ptGrip2.y + 50));
    EXPECT_TRUE(pMini2->GetDragHelper().IsOutlineShown());
    pMini2->SendMessage(WM_CHAR, VK_ESCAPE, 0);
    EXPECT_FALSE(pMini2->IsDragging());
    EXPECT_FALSE(pMini2->GetDragHelper().IsOutlineShown());
    SendMouse(MOUSEEVENTF_LEFTUP);
    pMini2->GetWindowRect(rectNow);
    EXPECT_EQ(rectNow, rectStart);
    EXPECT_EQ(pOther->GetParentMiniFrame(), pMini2);
}

TEST_F(MiniFrameFixture, HitTestAnswersClientInTheCaptionButtonsAndBorders) {
    CFixedBar* pBar = FloatingBar(1407, CRect(300, 300, 500, 360));
    ASSERT_NE(pBar, nullptr);
    pBar->SetSPBarStyle(pBar->GetSPBarStyle() | SPCBRS_CLOSE);
    CSPMiniFrameWnd* pMini = pBar->GetParentMiniFrame();
    pMini->SetCaptionButtons(SP_CAPTION_BTN_CLOSE);
    CSPCaptionButton* pClose = pMini->FindButton(HTCLOSE);
    ASSERT_NE(pClose, nullptr);
    CRect w;
    pMini->GetWindowRect(w);
    CRect b;
    pMini->CalcBorderSize(b);
    const int cx = ::GetSystemMetrics(SM_CXCURSOR) / 2, cy = ::GetSystemMetrics(SM_CYCURSOR) / 2;
    const CPoint ptClose = w.TopLeft() + pClose->GetRect().CenterPoint();
    const struct {
        CPoint pt;
        LRESULT nHit;
    } cases[] = {
        {CaptionPoint(pMini), HTCLIENT},
        {ptClose, HTCLOSE},
        {CPoint(w.CenterPoint().x, w.CenterPoint().y + 10), HTCLIENT},
        {CPoint(w.left, w.top), HTTOPLEFT},
        {CPoint(w.left + cx + 5, w.top), HTTOP},
        {CPoint(w.right - 1, w.top), HTTOPRIGHT},
        {CPoint(w.right - 1, w.top + cy + 2), HTRIGHT},
        {CPoint(w.right - 1, w.bottom - 1), HTBOTTOMRIGHT},
        {CPoint(w.left + cx + 5, w.bottom - 1), HTBOTTOM},
        {CPoint(w.left, w.bottom - 1), HTBOTTOMLEFT},
        {CPoint(w.left, w.top + cy + 2), HTLEFT},
        {CPoint(w.right + 5, w.top), HTNOWHERE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pt.x - w.left << "," << c.pt.y - w.top);
        EXPECT_EQ(pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(c.pt.x, c.pt.y)), c.nHit);
    }
    EXPECT_EQ(pMini->HitTest(CaptionPoint(pMini), TRUE), HTCAPTION);
}

TEST_F(MiniFrameFixture, AFrameHoldingAToolbarHasSidesButNoCorners) {
    std::unique_ptr<CSPToolBar> pToolBar(new CSPToolBar);
    ASSERT_TRUE(pToolBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 1460));
    pToolBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pToolBar.get(), AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(pToolBar->FloatControlBar(CRect(300, 300, 420, 340), SP_DM_RECT, true));
    CSPMiniFrameWnd* pMini = pToolBar->GetParentMiniFrame();
    ASSERT_NE(pMini, nullptr);
    EXPECT_TRUE(pMini->HoldsToolBar());
    CRect b, w;
    pMini->CalcBorderSize(b);
    EXPECT_EQ(b, CRect(3, 3, 3, 3));
    pMini->GetWindowRect(w);
    const struct {
        CPoint pt;
        LRESULT nHit;
    } cases[] = {
        {CPoint(w.left, w.top), HTTOP},
        {CPoint(w.right - 1, w.top), HTTOP},
        {CPoint(w.left, w.top + 6), HTLEFT},
        {CPoint(w.left, w.bottom - 1), HTLEFT},
        {CPoint(w.right - 1, w.bottom - 1), HTBOTTOM},
        {CPoint(w.right - 1, w.top + 6), HTRIGHT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pt.x - w.left << "," << c.pt.y - w.top);
        EXPECT_EQ(pMini->HitTest(c.pt, FALSE), c.nHit);
    }
    // A click on its caption does not take the focus from the user's window.
    const CPoint ptCaption = CaptionPoint(pMini);
    ASSERT_TRUE(DragTo(ptCaption.x, ptCaption.y));
    EXPECT_EQ(pMini->SendMessage(WM_MOUSEACTIVATE, (WPARAM)pFrame->GetSafeHwnd(), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    pToolBar->DestroyWindow();
    PumpPending();
}

TEST_F(MiniFrameFixture, AnEmptiedFrameGoesUnlessABarCameBack) {
    CFixedBar* pBar = FloatingBar(1408, CRect(300, 300, 420, 324));
    ASSERT_NE(pBar, nullptr);
    CSPMiniFrameWnd* pMini = pBar->GetParentMiniFrame();
    HWND hwndMini = pMini->GetSafeHwnd();
    // Removed with destroy-if-empty: the window is gone at once.
    pMini->RemoveControlBar(pBar, TRUE, FALSE);
    EXPECT_FALSE(::IsWindow(hwndMini));

    CFixedBar* pBar2 = FloatingBar(1409, CRect(300, 300, 420, 324));
    ASSERT_NE(pBar2, nullptr);
    pMini = pBar2->GetParentMiniFrame();
    hwndMini = pMini->GetSafeHwnd();
    // Without it the frame waits for its posted check ...
    pMini->RemoveControlBar(pBar2, FALSE, FALSE);
    EXPECT_TRUE(::IsWindow(hwndMini));
    EXPECT_EQ(CSPMiniFrameWnd::FindBarById(1409), nullptr);
    // ... and stays when a bar came back in between.
    pMini->AddControlBar(pBar2);
    PumpPending();
    EXPECT_TRUE(IsLiveFrame(hwndMini));
    EXPECT_EQ(pMini->GetControlBar(), (CWnd*)pBar2);
    // Hide-only: the emptied frame hides instead.
    pMini->RemoveControlBar(pBar2, FALSE, TRUE);
    PumpPending();
    EXPECT_TRUE(::IsWindow(hwndMini));
    EXPECT_FALSE(pMini->IsWindowVisible());

    // A bar destroyed while it floats: the frame forgets it and goes.
    CFixedBar* pBar3 = FloatingBar(1410, CRect(300, 300, 420, 324));
    ASSERT_NE(pBar3, nullptr);
    CSPMiniFrameWnd* pMini3 = pBar3->GetParentMiniFrame();
    const HWND hwndMini3 = pMini3->GetSafeHwnd();
    pBar3->DestroyWindow();
    EXPECT_EQ(pMini3->GetControlBar(), nullptr);
    EXPECT_EQ(pMini3->GetCaptionText(), CString());
    PumpPending();
    EXPECT_FALSE(::IsWindow(hwndMini3));
    EXPECT_EQ(CSPMiniFrameWnd::FindBarById(1410), nullptr);
}

TEST_F(MiniFrameFixture, RollUpKeepsTheFullHeightForTheRecord) {
    CFixedBar* pBar = FloatingBar(1411, CRect(300, 300, 420, 380));
    ASSERT_NE(pBar, nullptr);
    pBar->SetSPBarStyle(pBar->GetSPBarStyle() | 0x10);
    CSPMiniFrameWnd* pMini = pBar->GetParentMiniFrame();
    pMini->SetRollUpTimer();
    EXPECT_NE(pMini->FindButton(HTMAXBUTTON), nullptr) << "a rolling frame has its pin";
    CRect rectFull;
    pMini->GetWindowRect(rectFull);
    ASSERT_TRUE(DragTo(rectFull.right + 80, rectFull.bottom + 80));

    // Pinned it stays; unpinned it rolls up to caption and borders.
    pMini->Pin(TRUE);
    pMini->OnRollUpTimer();
    EXPECT_FALSE(pMini->IsRolledUp());
    pMini->Pin(FALSE);
    pMini->OnRollUpTimer();
    ASSERT_TRUE(pMini->IsRolledUp());
    CRect rectRolled, rectClient;
    pMini->GetWindowRect(rectRolled);
    pMini->GetClientRect(rectClient);
    EXPECT_EQ(rectClient.Height(), 0);
    EXPECT_LT(rectRolled.Height(), rectFull.Height());
    EXPECT_EQ(pMini->GetFullHeight(), rectFull.Height());

    // The record carries the full height.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pMini->Serialize(ar);
    }
    file.SeekToBegin();
    DWORD dwStyle;
    LONG l, t, r, bottom;
    file.Read(&dwStyle, 4);
    file.Read(&l, 4);
    file.Read(&t, 4);
    file.Read(&r, 4);
    file.Read(&bottom, 4);
    EXPECT_EQ(CRect(l, t, r, bottom), rectFull);

    // Back over the frame it rolls down.
    ASSERT_TRUE(DragTo(rectRolled.CenterPoint().x, rectRolled.top + 3));
    pMini->OnRollUpTimer();
    EXPECT_FALSE(pMini->IsRolledUp());
    pMini->GetWindowRect(rectRolled);
    EXPECT_EQ(rectRolled.Height(), rectFull.Height());
}

namespace {

// A frame record as the docking state stores it.
std::vector<BYTE> Record(DWORD dwStyle, CRect rect, UINT nBarId, DWORD dwButtons, BOOL bPinned, int nCut = 0) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << dwStyle << (LONG)rect.left << (LONG)rect.top << (LONG)rect.right << (LONG)rect.bottom << (int)TRUE
           << nBarId << dwButtons << (int)bPinned;
    }
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    bytes.resize(bytes.size() - nCut);
    return bytes;
}

// Loads a frame from the record; NULL when loading threw.
CSPMiniFrameWnd* Load(std::vector<BYTE> bytes, bool* pThrew = NULL) {
    CMemFile file(bytes.empty() ? NULL : bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    CSPMiniFrameWnd* pMini = new CSPMiniFrameWnd;
    try {
        pMini->Serialize(ar);
    } catch (CException* e) {
        e->Delete();
        if (pThrew != NULL) *pThrew = true;
        if (pMini->GetSafeHwnd() != NULL)
            pMini->DestroyWindow();
        else
            delete pMini;
        return NULL;
    }
    return pMini;
}

}  // namespace

TEST_F(MiniFrameFixture, TheRecordRoundTripsAndBadRecordsLeaveNoBadWindow) {
    CFixedBar* pBar = FloatingBar(1412, CRect(310, 320, 430, 344));
    ASSERT_NE(pBar, nullptr);
    CSPMiniFrameWnd* pMini = pBar->GetParentMiniFrame();
    pMini->Pin(TRUE);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pMini->Serialize(ar);
    }
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    ASSERT_EQ(bytes.size(), 36u);

    CSPMiniFrameWnd::s_pParentWndForSerialize = pFrame;
    const int nFramesBefore = (int)CSPMiniFrameWnd::s_lstMiniFrames.GetCount();
    CSPMiniFrameWnd* pLoaded = Load(bytes);
    ASSERT_NE(pLoaded, nullptr);
    CRect rectOrg, rectLoaded;
    pMini->GetWindowRect(rectOrg);
    pLoaded->GetWindowRect(rectLoaded);
    EXPECT_EQ(rectLoaded, rectOrg);
    EXPECT_EQ(pLoaded->GetLoadedBarId(), 1412u);
    EXPECT_TRUE(pLoaded->IsPinned());
    EXPECT_EQ(pLoaded->GetCaptionButtons(), pMini->GetCaptionButtons());
    EXPECT_EQ(pLoaded->GetOwnerFrame(), (CFrameWnd*)pFrame);
    // Applying the state moves the bar into the loaded frame; the old one goes.
    const HWND hwndOld = pMini->GetSafeHwnd();
    pLoaded->SetDockState(pManager);
    EXPECT_EQ(pBar->GetParentMiniFrame(), pLoaded);
    PumpPending();
    EXPECT_FALSE(::IsWindow(hwndOld));

    // Bad records.
    const CRect rectScreen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    struct {
        const char* pszWhat;
        std::vector<BYTE> bytes;
    } cases[] = {
        {"off every monitor", Record(WS_POPUP, CRect(-30000, -30000, -29800, -29950), 1412, 2, FALSE)},
        {"absurdly large", Record(WS_POPUP, CRect(0, 0, 2000000, 2000000), 1412, 2, FALSE)},
        {"child style", Record(WS_CHILD | WS_VISIBLE, CRect(100, 100, 200, 150), 1412, 2, FALSE)},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        CSPMiniFrameWnd* pBad = Load(c.bytes);
        ASSERT_NE(pBad, nullptr);
        CRect rect;
        pBad->GetWindowRect(rect);
        CRect rectCommon;
        EXPECT_TRUE(rectCommon.IntersectRect(rect, rectScreen));
        EXPECT_LE(rect.Width(), 16384);
        EXPECT_TRUE(pBad->GetStyle() & WS_POPUP);
        EXPECT_FALSE(pBad->GetStyle() & WS_CHILD);
        pBad->DestroyWindow();
    }
    // A bar id that names no bar: the frame gives itself up.
    CSPMiniFrameWnd* pNoBar = Load(Record(WS_POPUP, CRect(100, 100, 200, 150), 9999, 2, FALSE));
    ASSERT_NE(pNoBar, nullptr);
    const HWND hwndNoBar = pNoBar->GetSafeHwnd();
    pNoBar->SetDockState(pManager);
    EXPECT_FALSE(::IsWindow(hwndNoBar));
    // A record cut short throws and leaves no window.
    for (int nCut : {1, 4, 20, 35}) {
        SCOPED_TRACE(nCut);
        bool bThrew = false;
        EXPECT_EQ(Load(Record(WS_POPUP, CRect(100, 100, 200, 150), 1412, 2, FALSE, nCut), &bThrew), nullptr);
        EXPECT_TRUE(bThrew);
    }
    EXPECT_EQ((int)CSPMiniFrameWnd::s_lstMiniFrames.GetCount(), nFramesBefore);
    CSPMiniFrameWnd::s_pParentWndForSerialize = NULL;
}

TEST_F(MiniFrameFixture, AParentThatIsNoDockingFrameIsRefusedBeforeAnyWindow) {
    CWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, BarClass(), _T("plain"), WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
    CFrameWnd* pPlainFrame = new CFrameWnd;
    ASSERT_TRUE(pPlainFrame->Create(NULL, _T("no dock manager")));
    for (CWnd* pParent : {(CWnd*)&plain, (CWnd*)pPlainFrame}) {
        CSPMiniFrameWnd* pMini = new CSPMiniFrameWnd;
        EXPECT_FALSE(pMini->CreateEx(0, _T(""), WS_POPUP, CRect(10, 10, 100, 100), pParent));
        EXPECT_EQ(pMini->GetSafeHwnd(), (HWND)NULL);
        delete pMini;  // still the caller's: no window deletes it
    }
    // A window given up while it is being created leaves the object to the
    // caller, who deletes it once; nothing stays registered.
    struct CFailingFrame : CSPMiniFrameWnd {
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_CREATE) return -1;
            return CSPMiniFrameWnd::WindowProc(message, wParam, lParam);
        }
    };
    const int nFramesBefore = (int)CSPMiniFrameWnd::s_lstMiniFrames.GetCount();
    CFailingFrame* pFailing = new CFailingFrame;
    EXPECT_FALSE(pFailing->CreateEx(0, _T(""), WS_POPUP, CRect(10, 10, 100, 100), pFrame));
    EXPECT_EQ(pFailing->GetSafeHwnd(), (HWND)NULL);
    delete pFailing;
    EXPECT_EQ((int)CSPMiniFrameWnd::s_lstMiniFrames.GetCount(), nFramesBefore);
    EXPECT_EQ(pManager->FrameFromPoint(CPoint(50, 50), NULL, FALSE), nullptr);
    pPlainFrame->DestroyWindow();
    plain.DestroyWindow();
}

namespace {

int g_nMenuAsked = 0;
WPARAM g_wMenuParam = 0;
WNDPROC g_pfnFrameProc = NULL;
LRESULT CALLBACK MenuListener(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == CSPBaseControlBar::GetPopupMenuMessage()) {
        g_nMenuAsked++;
        g_wMenuParam = w;
        return 0;
    }
    return ::CallWindowProc(g_pfnFrameProc, h, m, w, l);
}

}  // namespace

TEST_F(MiniFrameFixture, TheCaptionAsksTheFrameForTheBarsMenu) {
    CFixedBar* pBar = FloatingBar(1413, CRect(300, 300, 420, 324));
    ASSERT_NE(pBar, nullptr);
    CSPMiniFrameWnd* pMini = pBar->GetParentMiniFrame();
    g_pfnFrameProc = (WNDPROC)::SetWindowLongPtr(pFrame->GetSafeHwnd(), GWLP_WNDPROC, (LONG_PTR)MenuListener);
    const CPoint ptCaption = CaptionPoint(pMini);
    pMini->SendMessage(WM_CONTEXTMENU, (WPARAM)pMini->GetSafeHwnd(), MAKELPARAM(ptCaption.x, ptCaption.y));
    EXPECT_EQ(g_nMenuAsked, 1);
    EXPECT_EQ(g_wMenuParam, (WPARAM)pMini->GetSafeHwnd());
    CRect rectClient;
    pMini->GetClientRect(rectClient);
    pMini->ClientToScreen(rectClient);
    pMini->SendMessage(WM_CONTEXTMENU, (WPARAM)pMini->GetSafeHwnd(),
                       MAKELPARAM(rectClient.CenterPoint().x, rectClient.CenterPoint().y));
    EXPECT_EQ(g_nMenuAsked, 1) << "only the caption asks";
    ::SetWindowLongPtr(pFrame->GetSafeHwnd(), GWLP_WNDPROC, (LONG_PTR)g_pfnFrameProc);
}

TEST_F(MiniFrameFixture, ScreenshotOfAFloatingBarBesideTheDockedLayout) {
    pFrame->DockControlBar(MakeFixedBar(pFrame, 1420, 150, 26), AFX_IDW_DOCKBAR_TOP);
    pFrame->DockControlBar(MakeFixedBar(pFrame, 1421, 120, 26), AFX_IDW_DOCKBAR_TOP);
    pFrame->DockControlBar(MakeFixedBar(pFrame, 1422, 90, 30), AFX_IDW_DOCKBAR_LEFT);
    pFrame->DockControlBar(MakeFixedBar(pFrame, 1423, 200, 22), AFX_IDW_DOCKBAR_BOTTOM);
    CRect rectFrame;
    pFrame->GetWindowRect(rectFrame);
    CFixedBar* pBar = FloatingBar(1424, CRect(rectFrame.right - 220, rectFrame.top + 150, rectFrame.right - 60,
                                              rectFrame.top + 190));
    ASSERT_NE(pBar, nullptr);
    CSPMiniFrameWnd* pMini = pBar->GetParentMiniFrame();
    pMini->SetWindowText(_T("Floating bar"));
    pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pMini->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(100);
    const char* pszPicture = getenv("TW_MINIFRAME_SCREENSHOT");
    if (pszPicture != NULL && *pszPicture != 0) {
        HWND hwndDesktop = ::GetDesktopWindow();
        EXPECT_TRUE(WriteWindowBitmap(hwndDesktop, pszPicture, TRUE));
    }
    // The floating frame draws a caption and the docked bars are untouched.
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_EQ(pBar->GetParentMiniFrame(), pMini);
}

namespace {

enum TearOffEnd { EndQuit, EndEscape, EndRightButton, EndRelease };

}  // namespace

TEST_F(MiniFrameFixture, TearOffLoopEndsAndCancelsCleanly) {
    const struct {
        TearOffEnd nEnd;
        BOOL bResult;
    } cases[] = {{EndQuit, FALSE}, {EndEscape, FALSE}, {EndRightButton, FALSE}, {EndRelease, TRUE}};
    UINT nID = 1440;
    for (const auto& c : cases) {
        SCOPED_TRACE((int)c.nEnd);
        CFixedBar* pBar = FloatingBar(nID++, CRect(300, 300, 420, 324));
        ASSERT_NE(pBar, nullptr);
        CSPMiniFrameWnd* pMini = pBar->GetParentMiniFrame();
        const HWND hwndMini = pMini->GetSafeHwnd(), hwndBar = pBar->GetSafeHwnd();
        // A popup menu is a frame: it deletes itself when its window goes.
        CSPPopupMenu* pMenu = new CSPPopupMenu;
        ASSERT_TRUE(pMenu->CreateEx(0, BarClass(), _T("menu"), WS_POPUP | WS_VISIBLE, CRect(100, 100, 200, 200), NULL, 0));
        const HWND hwndMenu = pMenu->GetSafeHwnd();
        PumpPending();
        switch (c.nEnd) {
        case EndQuit: ::PostQuitMessage(7); break;
        case EndEscape:
            // Other keys are swallowed; Escape cancels.
            ::PostMessage(hwndBar, WM_KEYDOWN, 'A', 0);
            ::PostMessage(hwndBar, WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        case EndRightButton: ::PostMessage(hwndBar, WM_RBUTTONDOWN, 0, 0); break;
        case EndRelease: ::PostMessage(hwndBar, WM_LBUTTONUP, 0, 0); break;
        }
        EXPECT_EQ(pMini->TrackTearOff(pMenu), c.bResult);
        EXPECT_EQ(::GetCapture(), (HWND)NULL);
        if (c.bResult) {
            EXPECT_TRUE(::IsWindow(hwndMini));
            EXPECT_TRUE(::IsWindow(hwndBar));
            EXPECT_FALSE(::IsWindow(hwndMenu)) << "the torn-off menu closes";
            continue;
        }
        // Every cancel leaves neither frame nor bar, and shows the menu again.
        EXPECT_FALSE(::IsWindow(hwndMini));
        EXPECT_FALSE(::IsWindow(hwndBar));
        EXPECT_TRUE(::IsWindowVisible(hwndMenu));
        if (c.nEnd == EndQuit) {
            MSG msg;
            ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request is posted again";
            EXPECT_EQ(msg.wParam, 7u);
        }
        ::DestroyWindow(hwndMenu);
    }
}

namespace {

class CCountingBar : public CFixedBar {
public:
    int m_nUpdates = 0;
    void OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/) override { m_nUpdates++; }
};

}  // namespace

TEST_F(MiniFrameFixture, TheFloatingWindowProtocolAndIdleUpdatesReachTheBar) {
    CCountingBar* pBar = new CCountingBar;
    ASSERT_TRUE(pBar->Create(NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 24), pFrame, 1470));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(pBar->FloatControlBar(CRect(300, 300, 400, 324), SP_DM_RECT, true));
    CSPMiniFrameWnd* pMini = pBar->GetParentMiniFrame();
    ASSERT_NE(pMini, nullptr);

    // The frame's idle update goes on to the bar inside it.
    pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_GE(pBar->m_nUpdates, 1);
    const int nBefore = pBar->m_nUpdates;
    pMini->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(pBar->m_nUpdates, nBefore + 1);

    pMini->SendMessage(WM_FLOATSTATUS, FS_HIDE);
    EXPECT_FALSE(pMini->IsWindowVisible());
    pMini->SendMessage(WM_FLOATSTATUS, FS_SHOW);
    EXPECT_TRUE(pMini->IsWindowVisible());
    pMini->SendMessage(WM_FLOATSTATUS, FS_DISABLE);
    EXPECT_FALSE(pMini->IsWindowEnabled());
    pMini->SendMessage(WM_FLOATSTATUS, FS_ENABLE);
    EXPECT_TRUE(pMini->IsWindowEnabled());
    EXPECT_TRUE(pMini->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE));
    // Activation follows the frame's: the style bit survives the round.
    pMini->SendMessage(WM_FLOATSTATUS, FS_DEACTIVATE);
    EXPECT_TRUE(pMini->GetStyle() & MFS_SYNCACTIVE);
}

namespace {

CSPToolBar* MakeToolBar(CFrameWnd* pFrame, UINT nID, int nButtons) {
    CSPToolBar* pToolBar = new CSPToolBar;
    if (!pToolBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, nID)) return NULL;
    std::vector<UINT> ids;
    for (int i = 0; i < nButtons; i++) ids.push_back(0x8000 + nID * 16 + i);
    pToolBar->SetButtons(ids.data(), (int)ids.size());
    pToolBar->SetWindowText(_T("Tools"));
    pToolBar->EnableDocking(CBRS_ALIGN_ANY);
    return pToolBar;
}

// The frame's size as WM_SIZING leaves it for a drag of one edge to a length.
CRect Sizing(CSPMiniFrameWnd* pMini, UINT nSide, int nLength) {
    CRect rect;
    pMini->GetWindowRect(rect);
    switch (nSide) {
    case WMSZ_RIGHT: rect.right = rect.left + nLength; break;
    case WMSZ_LEFT: rect.left = rect.right - nLength; break;
    case WMSZ_BOTTOM: rect.bottom = rect.top + nLength; break;
    }
    pMini->SendMessage(WM_SIZING, nSide, (LPARAM)(LPRECT)rect);
    return rect;
}

}  // namespace

TEST_F(MiniFrameFixture, SizingAFloatingToolbarsFrameWrapsItsButtons) {
    std::unique_ptr<CSPToolBar> pToolBar(MakeToolBar(pFrame, 1480, 8));
    ASSERT_NE(pToolBar, nullptr);
    pFrame->DockControlBar(pToolBar.get(), AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(pToolBar->FloatControlBar(CRect(300, 300, 600, 340), SP_DM_RECT, true));
    CSPMiniFrameWnd* pMini = pToolBar->GetParentMiniFrame();
    ASSERT_NE(pMini, nullptr);
    pMini->SizeToContent();
    CRect rectOne;
    pMini->GetWindowRect(rectOne);
    const int nButton = pToolBar->GetButtonSize().cx;

    // Narrowed to about half its width: two rows, the dragged right edge
    // fitted to them, the left and top edges kept. (Without full-window
    // dragging the frame takes the fitted size at once.)
    CRect rect = Sizing(pMini, WMSZ_RIGHT, rectOne.Width() / 2 + 2);
    EXPECT_EQ(rect.left, rectOne.left);
    EXPECT_EQ(rect.top, rectOne.top);
    EXPECT_LE(rect.Width(), rectOne.Width() / 2 + 4);
    EXPECT_GT(rect.Width(), rectOne.Width() / 2 - nButton);
    EXPECT_GT(rect.Height(), rectOne.Height());
    pMini->MoveWindow(rect);
    CRect rectBar, rectClient;
    pToolBar->GetWindowRect(rectBar);
    pMini->GetClientRect(rectClient);
    EXPECT_EQ(rectBar.Size(), rectClient.Size()) << "the bar fills the fitted frame";

    // Dragged from the left to the narrowest: one column, the right edge kept.
    CRect rectTwo;
    pMini->GetWindowRect(rectTwo);
    rect = Sizing(pMini, WMSZ_LEFT, 1);
    EXPECT_EQ(rect.right, rectTwo.right);
    EXPECT_LT(rect.Width(), nButton * 2);
    EXPECT_GT(rect.Height(), rectTwo.Height());
    pMini->MoveWindow(rect);

    // Dragging the bottom edge up to a single row's height brings the row back.
    rect = Sizing(pMini, WMSZ_BOTTOM, rectOne.Height());
    EXPECT_NEAR(rect.Width(), rectOne.Width(), 2);
    EXPECT_NEAR(rect.Height(), rectOne.Height(), 2);

    // A drag that does not change the dragged length leaves the frame alone.
    pMini->MoveWindow(rect);
    CRect rectSame = Sizing(pMini, WMSZ_RIGHT, rect.Width());
    EXPECT_EQ(rectSame, rect);
    pToolBar->DestroyWindow();
    PumpPending();
}

TEST_F(MiniFrameFixture, ToolbarsDockLeftOfEachOtherInOneRow) {
    std::unique_ptr<CSPToolBar> pFirst(MakeToolBar(pFrame, 1490, 4)), pSecond(MakeToolBar(pFrame, 1491, 3));
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    // The first bar stands well inside the row, so there is room before it.
    pFrame->DockControlBar(pFirst.get(), AFX_IDW_DOCKBAR_TOP, CRect(250, 0, 350, 26));
    ASSERT_TRUE(pFrame->DockControlBarLeftOf(pSecond.get(), pFirst.get()));
    pFrame->RecalcLayout();
    CRect rectFirst, rectSecond;
    pFirst->GetWindowRect(rectFirst);
    pSecond->GetWindowRect(rectSecond);
    EXPECT_EQ(pFirst->GetParentDockBar(), pSecond->GetParentDockBar());
    EXPECT_EQ(rectSecond.top, rectFirst.top) << "one row";
    EXPECT_LE(rectSecond.right, rectFirst.left) << "docked left of the other";

    // Floated and docked left of the other again, it comes back into the row.
    ASSERT_TRUE(pSecond->FloatControlBar(CRect(400, 400, 500, 440), SP_DM_RECT, true));
    EXPECT_NE(pSecond->GetParentMiniFrame(), nullptr);
    ASSERT_TRUE(pFrame->DockControlBarLeftOf(pSecond.get(), pFirst.get()));
    pFrame->RecalcLayout();
    pFirst->GetWindowRect(rectFirst);
    pSecond->GetWindowRect(rectSecond);
    EXPECT_EQ(pSecond->GetParentMiniFrame(), nullptr);
    EXPECT_EQ(rectSecond.top, rectFirst.top);
    EXPECT_LE(rectSecond.right, rectFirst.left);
    pSecond->DestroyWindow();
    pFirst->DestroyWindow();
    PumpPending();
}
