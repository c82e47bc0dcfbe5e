// The colour popups: of the colour menu buttons on toolbars (one colour per
// command everywhere), of the colour button and of the colour property.
#include "color_support.h"

#include "CreationRefusal.h"
#include <functional>
#include <string>

#include "SPProp.h"
#include "SPPropList.h"
#include "SPUserToolsManager.h"
#include "SPVisualManager.h"
#include "WindowPicture.h"

using namespace colortest;

namespace {

const COLORREF kPicked = RGB(0, 128, 128);

class ColorPopupTest : public ColorTest {
protected:
    CSPToolBar* toolbars[2] = {NULL, NULL};

    void SetUp() override {
        ColorTest::SetUp();
        for (int i = 0; i < 2; i++) {
            toolbars[i] = new CSPToolBar;
            ASSERT_TRUE(toolbars[i]->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 200 + i));
            CSPColorMenuButton button(ID_TEXT_COLOR, _T("Text colour"));
            button.EnableAutomaticButton(_T("Automatic"), RGB(0, 0, 0));
            button.EnableOtherButton(_T("More colours..."));
            toolbars[i]->InsertButtonCopy(button);
            toolbars[i]->AdjustLayout();
        }
        frame->RecalcLayout();
        PumpPending();
    }
    void TearDown() override {
        for (CSPToolBar*& p : toolbars) {
            if (p != NULL && p->GetSafeHwnd() != NULL) p->DestroyWindow();
            delete p;
            p = NULL;
        }
        ColorTest::TearDown();
    }
    CSPColorMenuButton* Button(int i) { return DYNAMIC_DOWNCAST(CSPColorMenuButton, toolbars[i]->GetButton(0)); }
    CColorPopup* Open(int i) {
        if (!Button(i)->OpenPopupMenu(toolbars[i])) return NULL;
        PumpPending();
        return DYNAMIC_DOWNCAST(CColorPopup, Button(i)->m_pPopupMenu);
    }
    size_t Count(UINT nID) const { return (size_t)std::count(frame->commands.begin(), frame->commands.end(), nID); }
};

// With a menu animation the colour bar shows once the popup has unfolded.
TEST_F(ColorPopupTest, PopupAnimatesWithItsBarHiddenUntilTheEnd) {
    const int nOldAnimation = CSPToolBar::m_nMenuAnimation;
    CSPToolBar::m_nMenuAnimation = 2;  // slide
    CColorPopup* pPopup = Open(0);
    ASSERT_NE(nullptr, pPopup);
    EXPECT_FALSE(pPopup->IsAnimationDone());
    EXPECT_FALSE(pPopup->GetColorBar()->IsWindowVisible());
    const DWORD dwStart = ::GetTickCount();
    while (!pPopup->IsAnimationDone() && ::GetTickCount() - dwStart < 3000) {
        PumpPending();
        ::Sleep(5);
    }
    EXPECT_TRUE(pPopup->IsAnimationDone());
    EXPECT_TRUE(pPopup->GetColorBar()->IsWindowVisible());
    pPopup->SendMessage(WM_CLOSE);
    PumpPending();
    CSPToolBar::m_nMenuAnimation = nOldAnimation;
}

TEST_F(ColorPopupTest, AChoiceReachesEveryButtonAndBarOfTheCommand) {
    // a stand-alone bar of the same command, and one of another
    CSPColorBar barSame, barOther;
    ASSERT_TRUE(barSame.CreateControl(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 210));
    barSame.SetCommandID(ID_TEXT_COLOR);
    ASSERT_TRUE(barOther.CreateControl(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 211));
    barOther.SetCommandID(ID_FILL_COLOR);

    CColorPopup* pPopup = Open(0);
    ASSERT_NE(nullptr, pPopup);
    CSPColorBar* pBar = pPopup->GetColorBar();
    ASSERT_NE(nullptr, pBar->GetSafeHwnd());
    // automatic checked: the command had no colour yet
    EXPECT_TRUE(Cells(*pBar)[0]->m_bIsAutomatic && Cells(*pBar)[0]->m_bHighlight);
    CColorButton* pCell = CellOf(*pBar, kPicked);
    ASSERT_NE(nullptr, pCell);

    ClickButton(*pBar, pCell);
    EXPECT_EQ(nullptr, Button(0)->m_pPopupMenu);
    EXPECT_EQ(1u, Count(ID_TEXT_COLOR));
    EXPECT_EQ(kPicked, Button(0)->GetColor());
    EXPECT_EQ(kPicked, Button(1)->GetColor());
    EXPECT_EQ(kPicked, CSPColorMenuButton::GetColorByCmdID(ID_TEXT_COLOR));
    EXPECT_EQ(kPicked, barSame.GetColor());
    EXPECT_EQ((COLORREF)-1, barOther.GetColor());

    // A new button of the command starts with its colour; another command's
    // does not.
    CSPColorMenuButton fresh(ID_TEXT_COLOR, _T("Text colour"));
    EXPECT_EQ(kPicked, fresh.GetColor());
    CSPColorMenuButton other(ID_FILL_COLOR + 100, _T("Other"));
    EXPECT_EQ((COLORREF)-1, other.GetColor());

    // The stand-alone bar chooses for its command too.
    CColorButton* pRed = CellOf(barSame, RGB(255, 0, 0));
    ASSERT_NE(nullptr, pRed);
    barSame.MoveWindow(0, 100, 200, 200);
    barSame.AdjustLocations();
    ClickButton(barSame, pRed);
    EXPECT_EQ(RGB(255, 0, 0), Button(0)->GetColor());
    EXPECT_EQ(RGB(255, 0, 0), Button(1)->GetColor());
    EXPECT_EQ(2u, Count(ID_TEXT_COLOR));
    barSame.DestroyWindow();
    barOther.DestroyWindow();
    Button(0)->SetColor((COLORREF)-1);
}

TEST_F(ColorPopupTest, DocumentColoursAreAskedOnlyWhenEnabled) {
    frame->docColors = {RGB(1, 2, 3), RGB(4, 5, 6)};
    CColorPopup* pPopup = Open(0);
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ(0, frame->nDocColorQuestions);
    for (CColorButton* p : Cells(*pPopup->GetColorBar())) EXPECT_FALSE(p->m_bIsDocument);
    pPopup->SendMessage(WM_CLOSE);
    PumpPending();

    Button(0)->EnableDocumentColors(_T("Document colours"));
    pPopup = Open(0);
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ(1, frame->nDocColorQuestions);
    int nDocCells = 0;
    for (CColorButton* p : Cells(*pPopup->GetColorBar()))
        if (p->m_bIsDocument && !p->m_bIsLabel) nDocCells++;
    EXPECT_EQ(2, nDocCells);
    pPopup->SendMessage(WM_CLOSE);
    PumpPending();
}

TEST_F(ColorPopupTest, NoPopupInCustomizeModeAndNoTearOffWithAToolId) {
    g_bCustomizeMode = TRUE;
    EXPECT_EQ(nullptr, Open(0));
    g_bCustomizeMode = FALSE;
    EXPECT_EQ(nullptr, Button(0)->m_pPopupMenu);

    CSPUserToolsManager tools(600, 610, 620);
    Button(0)->EnableTearOff(615);
    EXPECT_EQ(0u, Button(0)->GetTearOffID());
    Button(0)->EnableTearOff(700, 2, 3);
    EXPECT_EQ(700u, Button(0)->GetTearOffID());
}

TEST_F(ColorPopupTest, TornOffBarChoosesForTheCommand) {
    Button(0)->EnableTearOff(700);
    CColorPopup* pPopup = Open(0);
    ASSERT_NE(nullptr, pPopup);
    CSPColorBar* pTorn = pPopup->CreateTearOffBar(frame, 700, _T("Text colour"));
    ASSERT_NE(nullptr, pTorn);
    pPopup->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_TRUE(pTorn->IsTearOff());
    EXPECT_EQ((UINT)ID_TEXT_COLOR, pTorn->GetCommandID());
    CString strName;
    pTorn->GetWindowText(strName);
    EXPECT_EQ(CString("Text colour"), strName);
    pTorn->MoveWindow(0, 100, 200, 220);
    pTorn->AdjustLocations();
    CColorButton* pCell = CellOf(*pTorn, kPicked);
    ASSERT_NE(nullptr, pCell);
    ClickButton(*pTorn, pCell);
    EXPECT_EQ(kPicked, Button(1)->GetColor());
    EXPECT_EQ(1u, Count(ID_TEXT_COLOR));
    pTorn->DestroyWindow();
    delete pTorn;
    Button(0)->SetColor((COLORREF)-1);
}

TEST_F(ColorPopupTest, TheRecordKeepsTheOptionsButNotTheColour) {
    Button(0)->SetColor(kPicked);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        Button(0)->Serialize(ar);
    }
    file.SeekToBegin();
    CSPColorMenuButton loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ((UINT)ID_TEXT_COLOR, loaded.m_nID);
    EXPECT_EQ(kPicked, loaded.GetColor());  // taken from the live buttons
    EXPECT_EQ(RGB(0, 0, 0), loaded.GetAutomaticColor());
    Button(0)->SetColor((COLORREF)-1);
}

// --- the colour button ------------------------------------------------------------

class ColorButtonTest : public ColorTest {
protected:
    CSPColorButton* button = NULL;
    void SetUp() override {
        ColorTest::SetUp();
        button = new CSPColorButton;
        ASSERT_TRUE(button->Create(_T(""), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 35), frame,
                                   ID_COLOR_BUTTON));
        button->SetColor(RGB(255, 0, 0));
        PumpPending();
    }
    void TearDown() override {
        delete button;
        ColorTest::TearDown();
    }
    void Press() {
        button->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PumpPending();
    }
};

TEST_F(ColorButtonTest, PickReportsToTheParentAndASecondPressCloses) {
    button->EnableAutomaticButton(_T("Automatic"), RGB(0, 0, 0));
    Press();
    CColorPopup* pPopup = button->GetPopup();
    ASSERT_NE(nullptr, pPopup);
    CSPColorBar* pBar = pPopup->GetColorBar();
    EXPECT_TRUE(Cells(*pBar)[0]->m_bIsAutomatic);
    // a second press closes it, choosing nothing
    Press();
    EXPECT_EQ(nullptr, button->GetPopup());
    EXPECT_EQ(0u, (size_t)std::count(frame->commands.begin(), frame->commands.end(), (UINT)ID_COLOR_BUTTON));

    Press();
    pPopup = button->GetPopup();
    ASSERT_NE(nullptr, pPopup);
    pBar = pPopup->GetColorBar();
    CColorButton* pCell = CellOf(*pBar, kPicked);
    ASSERT_NE(nullptr, pCell);
    ClickButton(*pBar, pCell);
    EXPECT_EQ(kPicked, button->GetColor());
    EXPECT_EQ(nullptr, button->GetPopup());
    EXPECT_EQ(1u, (size_t)std::count(frame->commands.begin(), frame->commands.end(), (UINT)ID_COLOR_BUTTON));
}

TEST_F(ColorButtonTest, OptionsOfThePopup) {
    // no label: no automatic button; an empty caption: no document colours
    CList<COLORREF, COLORREF> docs;
    docs.AddTail(RGB(1, 2, 3));
    button->SetDocumentColors(_T(""), docs);
    EXPECT_TRUE(button->GetDocumentColors().IsEmpty());
    button->EnableAutomaticButton(NULL, RGB(0, 0, 0));
    EXPECT_TRUE(button->GetAutomaticLabel().IsEmpty());
    Press();
    ASSERT_NE(nullptr, button->GetPopup());
    for (CColorButton* p : Cells(*button->GetPopup()->GetColorBar())) {
        EXPECT_FALSE(p->m_bIsAutomatic);
        EXPECT_FALSE(p->m_bIsDocument);
    }
    Press();
    button->SetDocumentColors(_T("Document"), docs);
    EXPECT_EQ(1, (int)button->GetDocumentColors().GetCount());
}

TEST_F(ColorButtonTest, ClickOutsideOrCancelledDialogChoosesNothing) {
    Press();
    CColorPopup* pPopup = button->GetPopup();
    ASSERT_NE(nullptr, pPopup);
    CSPColorBar* pBar = pPopup->GetColorBar();
    MSG msg = {pBar->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-20, -20)};
    EXPECT_TRUE(pBar->PreTranslateMessage(&msg));
    PumpPending();
    EXPECT_EQ(nullptr, button->GetPopup());
    EXPECT_EQ(RGB(255, 0, 0), button->GetColor());

    button->EnableOtherButton(_T("More colours..."));
    for (BOOL bOK : {FALSE, TRUE}) {
        SCOPED_TRACE(bOK ? "OK" : "cancelled");
        ScriptedColorDialog dialog(bOK, RGB(7, 8, 9));
        Press();
        ASSERT_NE(nullptr, button->GetPopup());
        pBar = button->GetPopup()->GetColorBar();
        CColorButton* pOther = NULL;
        for (CColorButton* p : Cells(*pBar))
            if (p->m_bIsOther) pOther = p;
        ASSERT_NE(nullptr, pOther);
        ClickButton(*pBar, pOther);
        EXPECT_EQ(1, ScriptedColorDialog::s_nCalls);
        EXPECT_EQ(nullptr, button->GetPopup());
        EXPECT_EQ(bOK ? RGB(7, 8, 9) : RGB(255, 0, 0), button->GetColor());
    }
    EXPECT_EQ(1u, (size_t)std::count(frame->commands.begin(), frame->commands.end(), (UINT)ID_COLOR_BUTTON));
}

TEST_F(ColorButtonTest, ButtonDestroyedWhilePopupIsOpen) {
    Press();
    CColorPopup* pPopup = button->GetPopup();
    ASSERT_NE(nullptr, pPopup);
    const HWND hwndPopup = pPopup->GetSafeHwnd();
    delete button;
    button = NULL;
    PumpPending();
    EXPECT_FALSE(::IsWindow(hwndPopup));
}

// --- the colour property -----------------------------------------------------------

TEST_F(ColorTest, PropertyEditedThroughItsPopup) {
    static UINT s_uiChanged = ::RegisterWindowMessage(_T("SM_PROPERTYCHANGED"));
    struct CHost : public CWnd {
        int nChanges = 0;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == s_uiChanged) nChanges++;
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), _T("host"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300),
                              frame, 300));
    CSPPropList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &host, ID_PROP_LIST));
    CSPColorProp* pProp = new CSPColorProp(_T("Background"), RGB(255, 255, 255));
    list.AddProperty(pProp);
    list.SetCurSel(pProp);
    PumpPending();

    pProp->OnClickButton(CPoint(0, 0));
    PumpPending();
    CColorPopup* pPopup = pProp->GetPopup();
    ASSERT_NE(nullptr, pPopup);
    CSPColorBar* pBar = pPopup->GetColorBar();
    CColorButton* pCell = CellOf(*pBar, kPicked);
    ASSERT_NE(nullptr, pCell);
    ClickButton(*pBar, pCell);
    EXPECT_EQ(kPicked, pProp->GetColor());
    EXPECT_EQ(nullptr, pProp->GetPopup());
    EXPECT_EQ(1, host.nChanges);

    // the list goes while a popup is open: the popup goes with it
    pProp->OnClickButton(CPoint(0, 0));
    PumpPending();
    ASSERT_NE(nullptr, pProp->GetPopup());
    const HWND hwndPopup = pProp->GetPopup()->GetSafeHwnd();
    list.DestroyWindow();
    list.RemoveAll();
    PumpPending();
    EXPECT_FALSE(::IsWindow(hwndPopup));
}


// --- refused popups -----------------------------------------------------------------

// A colour popup whose window is refused has deleted itself: its opener
// forgets it, never touches it again, and opens the next one as usual. The
// popup refuses itself in customize mode; the system refuses it before any
// window takes the object.
TEST_F(ColorPopupTest, ARefusedPopupIsGoneAndItsOpenerOpensTheNext) {
    CSPColorButton button;
    ASSERT_TRUE(button.Create(_T(""), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(300, 60, 370, 84), frame,
                              ID_COLOR_BUTTON));
    CSPPropList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 100, 400, 300), frame, ID_PROP_LIST));
    CSPColorProp* pProp = new CSPColorProp(_T("Background"), RGB(255, 255, 255));
    list.AddProperty(pProp);
    list.SetCurSel(pProp);
    PumpPending();
    struct Opener {
        const char* pszName;
        std::function<CColorPopup*()> open;
    };
    const Opener openers[] = {
        {"menu button", [&] { return Open(0); }},
        {"colour button",
         [&] {
             button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
             PumpPending();
             return button.GetPopup();
         }},
        {"property",
         [&] {
             pProp->OnClickButton(CPoint(0, 0));
             PumpPending();
             return pProp->GetPopup();
         }},
    };
    for (const Opener& opener : openers) {
        for (bool bCustomize : {true, false}) {
            SCOPED_TRACE(std::string(opener.pszName) + (bCustomize ? ", customize mode" : ", refused by the system"));
            {
                CCreationRefusal refusal(RUNTIME_CLASS(CColorPopup), bCustomize ? 0 : 1);
                ASSERT_TRUE(refusal.Installed());
                g_bCustomizeMode = bCustomize;
                EXPECT_EQ(nullptr, opener.open());
                g_bCustomizeMode = FALSE;
                EXPECT_EQ(bCustomize ? 0 : 1, refusal.Refused());
            }
            EXPECT_EQ(nullptr, Button(0)->m_pPopupMenu);
            EXPECT_EQ(nullptr, button.GetPopup());
            EXPECT_EQ(nullptr, pProp->GetPopup());
            EXPECT_EQ(nullptr, CSPPopupMenu::GetActiveMenu());
            CColorPopup* pPopup = opener.open();
            ASSERT_NE(nullptr, pPopup);
            EXPECT_TRUE(::IsWindowVisible(pPopup->GetSafeHwnd()));
            pPopup->SendMessage(WM_CLOSE);
            PumpPending();
        }
    }
    list.DestroyWindow();
    list.RemoveAll();
    button.DestroyWindow();
}

}  // namespace

namespace {

// A colour button's popup, then a toolbar button's showing its command's
// colour: the second closes the first, as every library popup does.
TEST_F(ColorPopupTest, OpeningASecondPopupClosesTheFirst) {
    frame->SetWindowPos(NULL, 0, 0, 560, 380, SWP_NOZORDER | SWP_NOMOVE);
    CSPColorButton button;
    ASSERT_TRUE(button.Create(_T(""), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(300, 60, 370, 84), frame,
                              ID_COLOR_BUTTON));
    button.SetColor(kPicked);
    button.EnableAutomaticButton(_T("Automatic"), RGB(0, 0, 0));
    button.EnableOtherButton(_T("More colours..."));
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PumpPending();
    ASSERT_NE(nullptr, button.GetPopup());
    // With TW_DOCS_DIR set: the frame with each popup, for the docs.
    CRect rectFrame;
    frame->GetWindowRect(rectFrame);
    const char* pszDocs = getenv("TW_DOCS_DIR");
    auto savePicture = [&](const char* pszName) {
        if (pszDocs == NULL || *pszDocs == 0) return;
        ::RedrawWindow(NULL, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpPending();
        EXPECT_TRUE(WriteScreenBitmap(rectFrame, CString(pszDocs) + "\\" + pszName + ".bmp"));
    };
    savePicture("colour-popup-of-a-colour-button");
    // a bar with the commands' images: the button draws its colour strip
    CSPToolBar imageBar;
    ASSERT_TRUE(imageBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 220));
    ASSERT_TRUE(imageBar.LoadToolBar(400));
    CSPColorMenuButton colorButton(ID_TEXT_COLOR, _T("Text colour"));
    colorButton.EnableAutomaticButton(_T("Automatic"), RGB(0, 0, 0));
    colorButton.EnableOtherButton(_T("More colours..."));
    imageBar.ReplaceButton(ID_TEXT_COLOR, colorButton);
    for (CSPToolBar* p : toolbars) p->ShowWindow(SW_HIDE);
    const CSize sizeBar = imageBar.CalcSize(FALSE);
    imageBar.SetWindowPos(&CWnd::wndTop, 0, 0, sizeBar.cx + 8, sizeBar.cy + 6, SWP_NOACTIVATE);
    imageBar.AdjustLocations();
    PumpPending();
    CSPColorMenuButton* pButton = DYNAMIC_DOWNCAST(CSPColorMenuButton, imageBar.GetButton(0));
    ASSERT_NE(nullptr, pButton);
    pButton->SetColor(RGB(255, 0, 0));
    ASSERT_TRUE(pButton->OpenPopupMenu(&imageBar));
    PumpPending();
    CSPPopupMenu* pPopup = pButton->m_pPopupMenu;
    ASSERT_NE(nullptr, pPopup);
    ::RedrawWindow(NULL, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPending();
    // One library popup at a time: the toolbar's popup closed the button's.
    EXPECT_EQ(nullptr, button.GetPopup());
    EXPECT_TRUE(::IsWindowVisible(pPopup->GetSafeHwnd()));
    CColorButton* pRed = CellOf(*DYNAMIC_DOWNCAST(CColorPopup, pPopup)->GetColorBar(), RGB(255, 0, 0));
    ASSERT_NE(nullptr, pRed);
    EXPECT_TRUE(pRed->m_bHighlight);
    savePicture("colour-popup-of-a-toolbar-button");
    pPopup->SendMessage(WM_CLOSE);
    PumpPending();
    pButton->SetColor((COLORREF)-1);
    imageBar.DestroyWindow();
}

}  // namespace
