// Customising toolbars by drag and drop: drops through the bars' drop
// targets with data made by PrepareDrag, moves, copies, removals, groups,
// wrapped rows, locked bars and the Alt-drag outside customise mode.
#include "interact_support.h"

#include "SPCustomizeButton.h"
#include "SPGlobalData.h"

using namespace tbtest;

namespace {

class CustomizeTest : public InteractTest {
protected:
    void SetUp() override {
        InteractTest::SetUp();
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
    }
    void TearDown() override {
        InteractTest::TearDown();
        CSPToolBar::m_DropSource.m_bDeleteOnDrop = TRUE;
        CSPToolBar::m_DropSource.m_bDragStarted = FALSE;
        ::OleUninitialize();
    }
    // Drops a copy of the button on the bar at the point, as another bar's
    // drag would; the effect of the drop.
    static DROPEFFECT DropOn(CSPToolBar* pBar, const CSPToolbarButton& button, CPoint pt, DWORD dwKeys = 0) {
        COleDataSource source;
        EXPECT_TRUE(const_cast<CSPToolbarButton&>(button).PrepareDrag(source));
        const DROPEFFECT dwEffect = pBar->OnDragEnter(source.GetDataObject(), dwKeys, pt);
        if (dwEffect == DROPEFFECT_NONE) {
            pBar->OnDragLeave();
            return DROPEFFECT_NONE;
        }
        return pBar->OnDrop(source.GetDataObject(), dwEffect, pt) ? dwEffect : DROPEFFECT_NONE;
    }
};

}  // namespace

TEST_F(CustomizeTest, DropsInsertWhereTheMarkIs) {
    CSPToolBar* pBar = NewBar(IDR_MAIN);
    const CSPToolbarButton extra(ID_EXPORT, -1, "Export");
    CRect rect0 = pBar->GetButton(0)->Rect();
    // Left half of the first button: before it; right half: after it.
    EXPECT_EQ(DropOn(pBar, extra, CPoint(rect0.left + 2, rect0.CenterPoint().y)), (DROPEFFECT)DROPEFFECT_MOVE);
    EXPECT_EQ(pBar->GetItemID(0), (UINT)ID_EXPORT);
    rect0 = pBar->GetButton(1)->Rect();
    EXPECT_EQ(DropOn(pBar, extra, CPoint(rect0.right - 2, rect0.CenterPoint().y), MK_CONTROL),
              (DROPEFFECT)DROPEFFECT_COPY);
    EXPECT_EQ(pBar->GetItemID(2), (UINT)ID_EXPORT);
    // Right of the last button: at the end.
    CRect rectLast = pBar->GetButton(pBar->GetCount() - 1)->Rect();
    DropOn(pBar, extra, CPoint(rectLast.right + 3, rectLast.CenterPoint().y));
    EXPECT_EQ(pBar->GetItemID(pBar->GetCount() - 1), (UINT)ID_EXPORT);
    EXPECT_EQ(pBar->GetDropIndex(), -1);
}

TEST_F(CustomizeTest, LockedBarsAndForeignDataRefuseDrops) {
    CSPToolBar* pLocked = NewBar(IDR_SECOND, AFX_IDW_TOOLBAR, 0, TRUE);
    const std::vector<UINT> before = Ids(pLocked);
    EXPECT_EQ(DropOn(pLocked, CSPToolbarButton(ID_EXPORT, -1, "Export"), Center(pLocked, 0)),
              (DROPEFFECT)DROPEFFECT_NONE);
    EXPECT_EQ(Ids(pLocked), before);

    CSPToolBar* pBar = NewBar(IDR_MAIN, AFX_IDW_TOOLBAR + 1, 40);
    COleDataSource text;
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 2);
    memcpy(::GlobalLock(hText), "x", 2);
    ::GlobalUnlock(hText);
    text.CacheGlobalData(CF_TEXT, hText);
    EXPECT_EQ(pBar->OnDragEnter(text.GetDataObject(), 0, Center(pBar, 0)), (DROPEFFECT)DROPEFFECT_NONE);
    EXPECT_FALSE(pBar->OnDrop(text.GetDataObject(), DROPEFFECT_MOVE, Center(pBar, 0)));
}

// In a bar wrapped into two rows, right of the first row's last button is
// after that button.
TEST_F(CustomizeTest, WrappedRows) {
    CSPToolBar* pBar = NewBar(IDR_MAIN);
    const int nRows = pBar->WrapToolBar(60);
    pBar->AdjustLocations();
    ASSERT_GE(nRows, 2);
    int iLastOfFirstRow = 0;
    for (int i = 1; i < pBar->GetCount(); i++) {
        if (pBar->GetButton(i)->IsHidden()) continue;
        if (pBar->GetButton(i)->Rect().top >= pBar->GetButton(0)->Rect().bottom) break;
        iLastOfFirstRow = i;
    }
    const CRect rect = pBar->GetButton(iLastOfFirstRow)->Rect();
    pBar->SetWindowPos(NULL, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rectMark;
    EXPECT_EQ(pBar->FindDropIndex(CPoint(rect.right + 20, rect.CenterPoint().y), rectMark), iLastOfFirstRow + 1);
    EXPECT_EQ(rectMark.left, rect.right - 3);
    EXPECT_EQ(rectMark.Width(), 6);
    // Below the last row: nowhere.
    EXPECT_EQ(pBar->FindDropIndex(CPoint(5, 190), rectMark), -1);
    EXPECT_TRUE(rectMark.IsRectEmpty());
}

TEST_F(CustomizeTest, DraggingBetweenBarsMovesCopiesAndRemoves) {
    CScriptedDragBar* pSource = NewBar<CScriptedDragBar>(IDR_MAIN);
    CSPToolBar* pTarget = NewBar(IDR_SECOND, AFX_IDW_TOOLBAR + 1, 40);
    CSPToolBar::SetCustomizeMode(TRUE);

    struct Case {
        const char* name;
        bool toTarget;
        DWORD keys;
        std::vector<UINT> source, target;
    } const cases[] = {
        {"move", true, 0, {ID_SAVE, 0, ID_PRINT, 0, ID_NOSHORT}, {ID_FIRST, ID_SECOND, 113, ID_OPEN}},
        {"copy with Ctrl", true, MK_CONTROL, {ID_SAVE, 0, ID_PRINT, 0, ID_NOSHORT},
         {ID_FIRST, ID_SECOND, 113, ID_OPEN, ID_SAVE}},
        {"dropped off every bar", false, 0, {0, ID_PRINT, 0, ID_NOSHORT}, {ID_FIRST, ID_SECOND, 113, ID_OPEN, ID_SAVE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CRect rectLast = pTarget->GetButton(pTarget->GetCount() - 1)->Rect();
        pSource->pTarget = c.toTarget ? pTarget : NULL;
        pSource->ptDrop = CPoint(rectLast.right + 3, rectLast.CenterPoint().y);
        pSource->dwKeys = c.keys;
        Send(pSource, WM_LBUTTONDOWN, Center(pSource, 0), MK_LBUTTON | c.keys);
        Send(pSource, WM_LBUTTONUP, Center(pSource, 0));
        EXPECT_EQ(Ids(pSource), c.source);
        EXPECT_EQ(Ids(pTarget), c.target);
    }
    EXPECT_TRUE(frame->commands.empty());
    CSPToolBar::SetCustomizeMode(FALSE);
}

// A button dropped on its own place: 10 pixels right starts a group, 10
// left ends it, 4 changes nothing, and the first button never gains one.
TEST_F(CustomizeTest, SmallMovesOnTheOwnPlaceEditGroups) {
    CScriptedDragBar* pBar = NewBar<CScriptedDragBar>(IDR_MAIN);
    pBar->pTarget = pBar;
    CSPToolBar::SetCustomizeMode(TRUE);
    struct Case {
        int index, dx;
        std::vector<UINT> ids;
    } const cases[] = {
        {1, 10, {ID_OPEN, 0, ID_SAVE, 0, ID_PRINT, 0, ID_NOSHORT}},
        {2, 4, {ID_OPEN, 0, ID_SAVE, 0, ID_PRINT, 0, ID_NOSHORT}},
        {2, -10, {ID_OPEN, ID_SAVE, 0, ID_PRINT, 0, ID_NOSHORT}},
        {0, 10, {ID_OPEN, ID_SAVE, 0, ID_PRINT, 0, ID_NOSHORT}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.index << " by " << c.dx);
        const CPoint pt = Center(pBar, c.index);
        pBar->ptDrop = CPoint(pt.x + c.dx, pt.y);
        Send(pBar, WM_LBUTTONDOWN, pt, MK_LBUTTON);
        Send(pBar, WM_LBUTTONUP, pt);
        EXPECT_EQ(Ids(pBar), c.ids);
    }
    CSPToolBar::SetCustomizeMode(FALSE);
}

// Alt held outside customise mode drags the button and leaves customise
// mode off afterwards; without the option the click is a plain press.
TEST_F(CustomizeTest, AltDragOutsideCustomiseMode) {
    CScriptedDragBar* pSource = NewBar<CScriptedDragBar>(IDR_MAIN);
    CSPToolBar* pTarget = NewBar(IDR_SECOND, AFX_IDW_TOOLBAR + 1, 40);
    pSource->pTarget = pTarget;
    pSource->ptDrop = Center(pTarget, 0);
    BOOL bModeDuringDrag = FALSE;
    pSource->duringDrag = [&]() { bModeDuringDrag = CSPToolBar::IsCustomizeMode(); };

    pSource->bAltDown = true;
    Click(pSource, Center(pSource, 3));  // Print, option off: a plain press
    CSPToolBar::s_bAltCustomization = TRUE;
    Send(pSource, WM_LBUTTONDOWN, Center(pSource, 3), MK_LBUTTON);
    Send(pSource, WM_LBUTTONUP, Center(pSource, 3));

    EXPECT_EQ(frame->commands, std::vector<UINT>{ID_PRINT});
    EXPECT_TRUE(bModeDuringDrag);
    EXPECT_FALSE(CSPToolBar::IsCustomizeMode());
    EXPECT_FALSE(CSPToolBar::s_bAltCustomizing);
    EXPECT_EQ(pSource->CommandToIndex(ID_PRINT), -1);
    EXPECT_EQ(Ids(pTarget), (std::vector<UINT>{ID_PRINT, ID_FIRST, ID_SECOND, 113}));
}

TEST_F(CustomizeTest, BarDestroyedDuringAnAltDrag) {
    CScriptedDragBar* pSource = NewBar<CScriptedDragBar>(IDR_MAIN);
    pSource->duringDrag = [pSource]() { pSource->DestroyWindow(); };
    pSource->bAltDown = true;
    CSPToolBar::s_bAltCustomization = TRUE;
    Send(pSource, WM_LBUTTONDOWN, Center(pSource, 0), MK_LBUTTON);
    EXPECT_EQ(pSource->GetSafeHwnd(), (HWND)NULL);
    EXPECT_FALSE(CSPToolBar::IsCustomizeMode());
    EXPECT_FALSE(CSPToolBar::s_bAltCustomizing);
}

TEST_F(CustomizeTest, ContextMenuCommands) {
    CSPToolBar* pBar = NewBar(IDR_MAIN);
    CSPToolBar::SetCustomizeMode(TRUE);
    Send(pBar, WM_LBUTTONDOWN, CPoint(1000, 5), MK_LBUTTON);  // selects this bar
    // Selecting through a press that starts no drag.
    struct Case {
        UINT cmd;
        int index;
        std::vector<UINT> ids;
    } const cases[] = {
        {SP_IDC_START_GROUP, 1, {ID_OPEN, 0, ID_SAVE, 0, ID_PRINT, 0, ID_NOSHORT}},
        {SP_IDC_START_GROUP, 2, {ID_OPEN, ID_SAVE, 0, ID_PRINT, 0, ID_NOSHORT}},
        {SP_IDC_DELETE, 1, {ID_OPEN, 0, ID_PRINT, 0, ID_NOSHORT}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cmd);
        pBar->OnChangeHot(c.index);  // in customise mode the hot button is the selected one
        ASSERT_EQ(pBar->GetSelectedIndex(), c.index);
        pBar->SendMessage(WM_COMMAND, c.cmd, 0);
        EXPECT_EQ(Ids(pBar), c.ids);
        pBar->OnChangeHot(-1);
    }
    // Text only for a command with a short text; image only again.
    pBar->OnChangeHot(2);
    pBar->SendMessage(WM_COMMAND, SP_IDC_TEXT, 0);
    EXPECT_TRUE(pBar->GetButton(2)->m_bText);
    EXPECT_FALSE(pBar->GetButton(2)->m_bImage);
    EXPECT_EQ(pBar->GetButtonText(2), "Print");
    pBar->SendMessage(WM_COMMAND, SP_IDC_IMAGE, 0);
    EXPECT_FALSE(pBar->GetButton(2)->m_bText);
    EXPECT_TRUE(pBar->GetButton(2)->m_bImage);

    // The items' states for a button.
    CMenu menu;
    {
        CSPResourceScope scope;
        ASSERT_TRUE(menu.LoadMenu(SP_IDR_BUTTON_MENU));
    }
    CMenu* pPopup = menu.GetSubMenu(0);
    ASSERT_TRUE(pPopup != NULL);
    EXPECT_EQ(pPopup->GetMenuItemCount(), 10);
    EXPECT_TRUE(pBar->EnableContextMenuItems(pBar->GetButton(0), pPopup));
    EXPECT_NE(pPopup->GetMenuState(SP_IDC_START_GROUP, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(pPopup->GetMenuState(SP_IDC_IMAGE, MF_BYCOMMAND) & MF_CHECKED, 0u);
    CSPToolBar::SetCustomizeMode(FALSE);
}

// "Copy Button Image" puts the button's image on the clipboard as a
// bitmap of the image size and leaves the bar as it was.
TEST_F(CustomizeTest, CopyButtonImagePutsTheImageOnTheClipboard) {
    CSPToolBar* pBar = NewBar(IDR_MAIN);
    CSPToolBar::SetCustomizeMode(TRUE);
    Send(pBar, WM_LBUTTONDOWN, CPoint(1000, 5), MK_LBUTTON);  // selects this bar
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    ::CloseClipboard();
    pBar->OnChangeHot(0);
    ASSERT_EQ(0, pBar->GetSelectedIndex());
    const std::vector<UINT> idsBefore = Ids(pBar);
    pBar->SendMessage(WM_COMMAND, SP_IDC_COPY_IMAGE, 0);
    EXPECT_EQ(idsBefore, Ids(pBar));
    ASSERT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
    ASSERT_TRUE(::OpenClipboard(NULL));
    HBITMAP hbm = (HBITMAP)::GetClipboardData(CF_BITMAP);
    ASSERT_TRUE(hbm != NULL);
    BITMAP bmp = {};
    ASSERT_NE(0, ::GetObject(hbm, sizeof(bmp), &bmp));
    EXPECT_EQ(CSPToolBar::m_sizeImage, CSize(bmp.bmWidth, bmp.bmHeight));
    // The first image of the strip: a red square framed in black.
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hbm);
    EXPECT_EQ(RGB(0xD0, 0x20, 0x20), dc.GetPixel(7, 7));
    ::SelectObject(dc.GetSafeHdc(), hOld);
    ::EmptyClipboard();
    ::CloseClipboard();
    CSPToolBar::SetCustomizeMode(FALSE);
}

// The customise button: at the far end of a docked bar, holding the
// buttons a too short bar hides; never stored, edited or dropped after.
TEST_F(CustomizeTest, CustomizeButton) {
    CSPToolBar* pBar = NewBar(IDR_MAIN);
    ASSERT_TRUE(pBar->EnableCustomizeButton(TRUE, 0, "Customize..."));
    CCustomizeButton* pCustomize = DYNAMIC_DOWNCAST(CCustomizeButton, pBar->GetCustomizeButton());
    ASSERT_TRUE(pCustomize != NULL);
    EXPECT_FALSE(pCustomize->CanBeStored());
    EXPECT_FALSE(pCustomize->IsEditable());
    pBar->InsertButtonCopy(CSPToolbarButton(ID_EXPORT, -1, "Export"), -1);
    EXPECT_EQ(pBar->GetButton(pBar->GetCount() - 1), pCustomize);

    // Room for everything: no hidden buttons, and without a customise
    // command the button takes no space.
    pBar->SetWindowPos(NULL, 0, 0, 400, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->AdjustLocations();
    EXPECT_TRUE(pCustomize->GetHiddenButtons().IsEmpty());
    EXPECT_TRUE(pCustomize->IsEmpty());

    // Too short: the buttons past the room left by the customise button hide.
    pBar->SetWindowPos(NULL, 0, 0, 60, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->AdjustLocations();
    ASSERT_FALSE(pCustomize->GetHiddenButtons().IsEmpty());
    EXPECT_EQ(pCustomize->GetHiddenButtons().GetTail(), pBar->GetButton(pBar->GetCount() - 2));
    CRect rectClient;
    pBar->GetClientRect(rectClient);
    EXPECT_EQ(pCustomize->Rect().right, rectClient.right);
    for (POSITION pos = pCustomize->GetHiddenButtons().GetHeadPosition(); pos != NULL;)
        EXPECT_TRUE(((CSPToolbarButton*)pCustomize->GetHiddenButtons().GetNext(pos))->IsHidden());

    // Drops land before it, even right of it.
    pBar->SetWindowPos(NULL, 0, 0, 400, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->AdjustLocations();
    CRect rectMark;
    EXPECT_EQ(pBar->FindDropIndex(CPoint(395, 10), rectMark), pBar->GetCount() - 1);

    // Saved without it, loaded with it back at the end.
    ASSERT_TRUE(pBar->SaveState(ProfilePath("customize")));
    pBar->RemoveButton(0);
    pBar->LoadState(ProfilePath("customize"));
    ASSERT_TRUE(pBar->GetCustomizeButton() != NULL);
    EXPECT_EQ(pBar->GetButton(pBar->GetCount() - 1), pBar->GetCustomizeButton());
    EXPECT_EQ(pBar->CommandToIndex(ID_OPEN), 0);
    EXPECT_EQ(pBar->GetItemID(pBar->GetCount() - 2), (UINT)ID_EXPORT);
    EXPECT_EQ(pBar->GetCount(), 8);
}
