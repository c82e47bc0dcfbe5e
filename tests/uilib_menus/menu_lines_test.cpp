// Menu lines as the visual managers draw them: the images the toolbars
// gave the commands, check marks, disabled and highlighted lines, the image
// column and the submenu arrow, under each manager; the open menu title
// drawn pressed; an item dragged out of an open menu while customising; a
// docking pane's right click recapturing the shadows of open menus. A
// picture of an open menu with images for the docs.
#include "afxwin.h"
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "MemoryDC.h"
#include "MessagePump.h"
#include "SPCommandManager.h"
#include "SPDockingControlBar.h"
#include "SPFrameWnd.h"
#include "SPGlobalData.h"
#include "SPMenuBar.h"
#include "SPMenuImages.h"
#include "SPPopupMenu.h"
#include "SPPopupMenuBar.h"
#include "SPToolbarMenuButton.h"
#include "SPVisualManager.h"
#include "SPVisualManagerXP.h"
#include "SPWinXPVisualManager.h"
#include "WindowPicture.h"

namespace {

enum {
    IDR_LINES_BAR = 300,
    IDL_OPEN = 801,   // red square on the toolbar
    IDL_SAVE = 802,   // green disc, disabled in the menu
    IDL_PRINT = 803,  // blue diamond, checked in the menu
    IDL_WRAP = 810,   // checked, no image
    IDL_PLAIN = 811,
    IDL_MORE = 812,
    IDL_EXIT = 813,   // the frame draws its image
    IDL_COPY = 814,
};

const COLORREF clrRed = RGB(0xD0, 0x20, 0x20);
const COLORREF clrGreen = RGB(0x20, 0x90, 0x20);
const COLORREF clrBlue = RGB(0x20, 0x40, 0xD0);
const COLORREF clrFrameImage = RGB(255, 0, 255);

class CLinesFrame : public CSPFrameWnd {
public:
    CSPMenuBar menuBar;
    CSPToolBar toolBar;

    BOOL OnDrawMenuImage(CDC* pDC, const CSPToolbarMenuButton* pMenuButton, const CRect& rectImage) override {
        if (pMenuButton->m_nID != IDL_EXIT) return FALSE;
        CRect rect = rectImage;
        rect.DeflateRect(4, 4);
        pDC->FillSolidRect(rect, clrFrameImage);
        return TRUE;
    }

protected:
    // Every command has a handler (a line without one shows disabled);
    // Save is disabled, Print and Word wrap are checked.
    afx_msg void OnLineCommand(UINT /*nID*/) {}
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(TRUE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLinesFrame, CSPFrameWnd)
    ON_COMMAND_RANGE(IDL_OPEN, IDL_COPY, OnLineCommand)
    ON_UPDATE_COMMAND_UI(IDL_SAVE, OnUpdateSave)
    ON_UPDATE_COMMAND_UI(IDL_PRINT, OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(IDL_WRAP, OnUpdateChecked)
END_MESSAGE_MAP()

HMENU MakeLinesMenu() {
    HMENU hMore = ::CreatePopupMenu();
    ::AppendMenuA(hMore, MF_STRING, IDL_MORE, "&More of it");
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuA(hFile, MF_STRING, IDL_OPEN, "&Open...\tCtrl+O");
    ::AppendMenuA(hFile, MF_STRING | MF_GRAYED, IDL_SAVE, "&Save");
    ::AppendMenuA(hFile, MF_STRING | MF_CHECKED, IDL_PRINT, "&Print");
    ::AppendMenuA(hFile, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(hFile, MF_STRING | MF_CHECKED, IDL_WRAP, "Word &wrap");
    ::AppendMenuA(hFile, MF_STRING, IDL_PLAIN, "P&lain");
    ::AppendMenuA(hFile, MF_POPUP, (UINT_PTR)hMore, "&Further");
    ::AppendMenuA(hFile, MF_STRING, IDL_EXIT, "E&xit");
    HMENU hEdit = ::CreatePopupMenu();
    ::AppendMenuA(hEdit, MF_STRING, IDL_COPY, "&Copy");
    HMENU hMenu = ::CreateMenu();
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hFile, "&File");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hEdit, "&Edit");
    return hMenu;
}

int CountNot(const MemoryDC& mem, const CRect& rect, COLORREF clr) {
    return rect.Width() * rect.Height() - mem.Count(rect, clr);
}

// The pixels of the rectangle whose colour is dark (a glyph, an arrow).
int CountDark(const MemoryDC& mem, const CRect& rect) {
    int n = 0;
    for (int y = rect.top; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++) {
            const COLORREF clr = mem.Pixel(x, y);
            if (GetRValue(clr) + GetGValue(clr) + GetBValue(clr) < 3 * 96) n++;
        }
    return n;
}

class MenuLinesTest : public ::testing::Test {
protected:
    CLinesFrame* frame = NULL;
    HMENU hMenu = NULL;

    void SetUp() override {
        CSPToolBar::m_UsageCount.Reset();
        frame = new CLinesFrame;
        ASSERT_TRUE(frame->Create(NULL, _T("Menu lines"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 650, 450)));
        ASSERT_TRUE(frame->toolBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR));
        ASSERT_TRUE(frame->toolBar.LoadToolBar(IDR_LINES_BAR));
        ASSERT_TRUE(frame->menuBar.Create(frame));
        hMenu = MakeLinesMenu();
        ASSERT_TRUE(frame->menuBar.CreateFromMenu(hMenu, TRUE));
        CRect rectClient;
        frame->GetClientRect(rectClient);
        const CSize size = frame->menuBar.CalcSize(FALSE);
        frame->menuBar.SetWindowPos(NULL, 0, 0, rectClient.Width(), size.cy, SWP_NOZORDER);
        frame->menuBar.AdjustLocations();
        const CSize sizeBar = frame->toolBar.CalcFixedLayout(FALSE, TRUE);
        frame->toolBar.SetWindowPos(NULL, 0, size.cy, sizeBar.cx, sizeBar.cy, SWP_NOZORDER);
        frame->toolBar.AdjustLocations();
        frame->ShowWindow(SW_SHOWNORMAL);
        frame->UpdateWindow();
        PumpPending();
    }
    void TearDown() override {
        CloseMenus();
        if (frame != NULL && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        PumpPending();
        if (hMenu != NULL) ::DestroyMenu(hMenu);
        CSPVisualManager::SetDefaultManager(NULL);
    }
    static void CloseMenus() {
        if (CSPPopupMenu* pActive = CSPPopupMenu::GetActiveMenu()) pActive->DestroyWindow();
        PumpPending();
    }
    CSPToolbarMenuButton* Title(int i) {
        return DYNAMIC_DOWNCAST(CSPToolbarMenuButton, frame->menuBar.GetButton(i));
    }
    CSPPopupMenu* OpenFile() {
        EXPECT_TRUE(Title(0)->OpenPopupMenu(&frame->menuBar));
        PumpPending();
        return Title(0)->m_pPopupMenu;
    }
    static int Find(CSPPopupMenuBar* pBar, UINT nID) {
        for (int i = 0; i < pBar->GetCount(); i++)
            if (pBar->GetItem(i)->m_nID == nID) return i;
        return -1;
    }
    static CRect ImageColumn(CSPPopupMenuBar* pBar, UINT nID) {
        CSPToolbarMenuButton* pItem = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, pBar->GetItem(Find(pBar, nID)));
        CRect rect(0, 0, 0, 0);
        if (pItem != NULL) pItem->GetImageRect(rect);
        return rect;
    }
    static CRect Line(CSPPopupMenuBar* pBar, UINT nID) { return pBar->GetItem(Find(pBar, nID))->Rect(); }
    // The text area of a line, right of its label.
    static CPoint TextAreaPoint(CSPPopupMenuBar* pBar, UINT nID) {
        const CRect rect = Line(pBar, nID);
        return CPoint(rect.right - 30, rect.top + 2);
    }
};

struct ManagerCase {
    const char* name;
    CRuntimeClass* pClass;
};

}  // namespace

// Under each manager: the images of the toolbar's commands (a disabled one
// greyed, a checked one with its image), a check mark where there is no
// image, an empty column otherwise, the frame's own image, the submenu
// arrow; the highlight and the background in each manager's colours.
TEST_F(MenuLinesTest, LinesUnderEachVisualManager) {
    const ManagerCase cases[] = {{"classic", RUNTIME_CLASS(CSPVisualManager)},
                                 {"office xp", RUNTIME_CLASS(CSPVisualManagerXP)},
                                 {"windows xp", RUNTIME_CLASS(CSPWinXPVisualManager)}};
    std::vector<COLORREF> backgrounds;
    for (const ManagerCase& c : cases) {
        SCOPED_TRACE(c.name);
        CSPVisualManager::SetDefaultManager(c.pClass);
        CSPVisualManager* pVisual = CSPVisualManager::GetInstance();
        ASSERT_TRUE(pVisual->IsKindOf(c.pClass));
        CSPPopupMenu* pPopup = OpenFile();
        ASSERT_NE(nullptr, pPopup);
        CSPPopupMenuBar* pBar = pPopup->GetMenuBar();
        pPopup->SendMessage(WM_KEYDOWN, VK_HOME);  // Open is hot
        ASSERT_EQ(Find(pBar, IDL_OPEN), pBar->GetHotIndex());

        // The items take the command manager's images.
        CSPToolbarButton* pOpen = pBar->GetItem(Find(pBar, IDL_OPEN));
        EXPECT_EQ(SPGetCommandManager()->GetCmdImage(IDL_OPEN, FALSE), pOpen->GetImage());
        EXPECT_TRUE(pOpen->m_bImage);

        CRect rectClient;
        pBar->GetClientRect(rectClient);
        MemoryDC mem(rectClient.Width(), rectClient.Height());
        pBar->DoPaint(&mem.dc);

        EXPECT_GT(mem.Count(ImageColumn(pBar, IDL_OPEN), clrRed), 40) << "the toolbar's image";
        const CRect rectSave = ImageColumn(pBar, IDL_SAVE);
        EXPECT_EQ(0, mem.Count(rectSave, clrGreen)) << "disabled: greyed";
        const COLORREF clrColumn = mem.Pixel(rectSave.left + 1, rectSave.top);
        EXPECT_GT(CountNot(mem, rectSave, clrColumn), 20) << "but drawn";
        EXPECT_GT(mem.Count(ImageColumn(pBar, IDL_PRINT), clrBlue), 20) << "checked: its image";
        EXPECT_GT(CountDark(mem, ImageColumn(pBar, IDL_WRAP)), 5) << "checked without image: the check mark";
        const CRect rectPlain = ImageColumn(pBar, IDL_PLAIN);
        EXPECT_EQ(0, CountNot(mem, rectPlain, mem.Pixel(rectPlain.left, rectPlain.top))) << "no image, no mark";
        EXPECT_GT(mem.Count(ImageColumn(pBar, IDL_EXIT), clrFrameImage), 20) << "the frame's image";
        CRect rectArrow = Line(pBar, (UINT)-1);
        rectArrow.left = rectArrow.right - 15;
        EXPECT_GT(CountDark(mem, rectArrow), 5) << "the submenu's arrow";
        CRect rectNoArrow = Line(pBar, IDL_PLAIN);
        rectNoArrow.left = rectNoArrow.right - 15;
        EXPECT_EQ(0, CountDark(mem, rectNoArrow));

        // The hot line and a plain one in the manager's colours.
        const CPoint ptHot = TextAreaPoint(pBar, IDL_OPEN), ptPlain = TextAreaPoint(pBar, IDL_PLAIN);
        const COLORREF clrHot = mem.Pixel(ptHot.x, ptHot.y), clrPlain = mem.Pixel(ptPlain.x, ptPlain.y);
        EXPECT_NE(clrHot, clrPlain);
        if (c.pClass == RUNTIME_CLASS(CSPVisualManager)) {
            EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), clrHot);
            EXPECT_EQ(spGlobalData.clrBtnFace, clrPlain);
        } else if (!CSPWinXPVisualManager::IsWinXPThemeAvailable() || c.pClass == RUNTIME_CLASS(CSPVisualManagerXP)) {
            CSPVisualManagerXP* pXP = (CSPVisualManagerXP*)pVisual;
            EXPECT_EQ(pXP->m_clrHighlight, clrHot);
            EXPECT_EQ(pXP->m_clrMenuLight, clrPlain);
            EXPECT_EQ(pXP->m_clrBarFace, mem.Pixel(rectPlain.left, rectPlain.top)) << "the image column";
        }
        backgrounds.push_back(clrPlain);

        // A command shown without image in menus keeps to its text.
        SPGetCommandManager()->EnableMenuItemImage(IDL_OPEN, FALSE);
        pBar->DoPaint(&mem.dc);
        EXPECT_EQ(0, mem.Count(ImageColumn(pBar, IDL_OPEN), clrRed));
        SPGetCommandManager()->EnableMenuItemImage(IDL_OPEN, TRUE);
        CloseMenus();
    }
    EXPECT_NE(backgrounds[0], backgrounds[1]) << "the classic and the flat look differ";
}

// The menu title whose menu is open is drawn pressed: the classic sunken
// frame, the flat look's frame joining the menu.
TEST_F(MenuLinesTest, OpenMenuTitleIsDrawnPressed) {
    const ManagerCase cases[] = {{"classic", RUNTIME_CLASS(CSPVisualManager)},
                                 {"office xp", RUNTIME_CLASS(CSPVisualManagerXP)}};
    for (const ManagerCase& c : cases) {
        SCOPED_TRACE(c.name);
        CSPVisualManager::SetDefaultManager(c.pClass);
        CRect rectBar;
        frame->menuBar.GetClientRect(rectBar);
        MemoryDC closed(rectBar.Width(), rectBar.Height());
        frame->menuBar.DoPaint(&closed.dc);
        ASSERT_NE(nullptr, OpenFile());
        ASSERT_TRUE(Title(0)->IsDroppedDown());
        MemoryDC open(rectBar.Width(), rectBar.Height());
        frame->menuBar.DoPaint(&open.dc);
        const CRect rectTitle = Title(0)->Rect();
        const CRect rectOther = Title(1)->Rect();
        EXPECT_NE(closed.Pixel(rectTitle.left, rectTitle.top), open.Pixel(rectTitle.left, rectTitle.top));
        EXPECT_EQ(closed.Pixel(rectOther.left, rectOther.top), open.Pixel(rectOther.left, rectOther.top));
        if (c.pClass == RUNTIME_CLASS(CSPVisualManager)) {
            EXPECT_EQ(spGlobalData.clrBtnShadow, open.Pixel(rectTitle.left, rectTitle.top));
            EXPECT_EQ(spGlobalData.clrBtnHilite, open.Pixel(rectTitle.right - 1, rectTitle.top + 2));
        } else {
            EXPECT_EQ(((CSPVisualManagerXP*)CSPVisualManager::GetInstance())->m_clrMenuBorder,
                      open.Pixel(rectTitle.left, rectTitle.top));
        }
        CloseMenus();
    }
}

namespace {

// The scripted drag of an item out of an open menu.
std::function<DROPEFFECT(CSPPopupMenuBar*, COleDataSource&)> g_onDrag;
DROPEFFECT ScriptedDrag(CSPPopupMenuBar* pBar, COleDataSource& source) {
    ::SetCursorPos(5000, 5000);  // the pointer leaves the item, as after a real drag
    return g_onDrag ? g_onDrag(pBar, source) : DROPEFFECT_NONE;
}

std::vector<UINT> Ids(const CObList& items) {
    std::vector<UINT> ids;
    for (POSITION pos = items.GetHeadPosition(); pos != NULL;) {
        const CSPToolbarButton* pItem = (const CSPToolbarButton*)items.GetNext(pos);
        ids.push_back(pItem->IsSeparator() ? 0 : pItem->m_nID);
    }
    return ids;
}

}  // namespace

// Customising, an item dragged out of an open menu leaves it: whether the
// menu stays open (dropped on no bar) or closes under the drag (another
// menu opened on the way); a copy (Ctrl held) leaves it in place.
TEST_F(MenuLinesTest, ItemDraggedOutOfAnOpenMenuLeavesIt) {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
    ASSERT_TRUE(CSPToolBar::SetCustomizeMode(TRUE));
    CSPPopupMenuBar::s_pfnDragDropForTest = ScriptedDrag;
    auto dragItem = [&](UINT nID, UINT nFlags) {
        CSPPopupMenu* pPopup = Title(0)->m_pPopupMenu;
        CSPPopupMenuBar* pBar = pPopup->GetMenuBar();
        const CPoint pt = Line(pBar, nID).CenterPoint();
        pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | nFlags, MAKELPARAM(pt.x, pt.y));
        PumpPending();
    };
    const std::vector<UINT> idsAll{IDL_OPEN, IDL_SAVE, IDL_PRINT, 0, IDL_WRAP, IDL_PLAIN, (UINT)-1, IDL_EXIT};
    ASSERT_EQ(idsAll, Ids(Title(0)->GetCommands()));

    // Dropped on no bar: the open menu loses the item and its height.
    CSPPopupMenu* pPopup = OpenFile();
    ASSERT_NE(nullptr, pPopup);
    const int cyBefore = pPopup->GetFinalSize().cy;
    g_onDrag = [](CSPPopupMenuBar*, COleDataSource&) { return DROPEFFECT_NONE; };
    dragItem(IDL_PLAIN, 0);
    ASSERT_EQ(pPopup, Title(0)->m_pPopupMenu);
    EXPECT_EQ(-1, Find(pPopup->GetMenuBar(), IDL_PLAIN));
    EXPECT_LT(pPopup->GetFinalSize().cy, cyBefore);

    // Copied (Ctrl held) onto another bar: it stays.
    g_onDrag = [](CSPPopupMenuBar*, COleDataSource&) { return DROPEFFECT_COPY; };
    dragItem(IDL_WRAP, MK_CONTROL);
    EXPECT_GE(Find(pPopup->GetMenuBar(), IDL_WRAP), 0);

    // On the way the pointer opens the next menu, which closes this one.
    g_onDrag = [&](CSPPopupMenuBar*, COleDataSource&) {
        Title(0)->OnCancelMode();
        EXPECT_TRUE(Title(1)->OpenPopupMenu(&frame->menuBar));
        return DROPEFFECT_NONE;
    };
    dragItem(IDL_SAVE, 0);
    EXPECT_EQ(nullptr, Title(0)->m_pPopupMenu);
    CloseMenus();
    EXPECT_EQ((std::vector<UINT>{IDL_OPEN, IDL_PRINT, 0, IDL_WRAP, (UINT)-1, IDL_EXIT}), Ids(Title(0)->GetCommands()))
        << "the title's items lost both";

    g_onDrag = nullptr;
    CSPPopupMenuBar::s_pfnDragDropForTest = NULL;
    CSPToolBar::SetCustomizeMode(FALSE);
    ::OleUninitialize();
}

// Customising, a toolbar button dropped into an open menu becomes one of
// its items, with its image, and stays in the menu title's items.
TEST_F(MenuLinesTest, ButtonDroppedIntoAnOpenMenuBecomesAnItem) {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
    ASSERT_TRUE(CSPToolBar::SetCustomizeMode(TRUE));
    CSPPopupMenu* pPopup = OpenFile();
    ASSERT_NE(nullptr, pPopup);
    CSPPopupMenuBar* pBar = pPopup->GetMenuBar();
    auto drop = [&](const CSPToolbarButton& button, CPoint pt) {
        COleDataSource source;
        if (!const_cast<CSPToolbarButton&>(button).PrepareDrag(source)) return FALSE;
        const DROPEFFECT dwEffect = pBar->OnDragEnter(source.GetDataObject(), 0, pt);
        if (dwEffect == DROPEFFECT_NONE) {
            pBar->OnDragLeave();
            return FALSE;
        }
        return pBar->OnDrop(source.GetDataObject(), DROPEFFECT_COPY, pt);
    };
    CSPToolbarButton save(IDL_SAVE, -1, _T("Save a &copy\tCtrl+S"));
    ASSERT_TRUE(drop(save, CPoint(10, 2)));
    CSPToolbarMenuButton* pItem = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, pBar->GetItem(0));
    ASSERT_NE(nullptr, pItem);
    EXPECT_EQ((UINT)IDL_SAVE, pItem->m_nID);
    EXPECT_TRUE(pItem->IsMenuItemMode());
    EXPECT_EQ(CString("Save a &copy"), pItem->m_strText);
    EXPECT_EQ(SPGetCommandManager()->GetCmdImage(IDL_SAVE, FALSE), pItem->GetImage());
    EXPECT_TRUE(pItem->m_bImage);

    // Without a text to show nothing is dropped.
    CSPToolbarButton nameless(IDL_COPY, -1, _T(""));
    EXPECT_FALSE(drop(nameless, CPoint(10, 2)));

    pPopup->SendMessage(WM_CLOSE);
    PumpPending();
    ASSERT_FALSE(Title(0)->GetCommands().IsEmpty());
    EXPECT_EQ((UINT)IDL_SAVE, ((CSPToolbarButton*)Title(0)->GetCommands().GetHead())->m_nID);
    CSPToolBar::SetCustomizeMode(FALSE);
    ::OleUninitialize();
}

namespace {

// A docking pane that shows one colour.
class CColourPane : public CSPDockingControlBar {
public:
    COLORREF clr = RGB(255, 0, 0);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT) return CSPDockingControlBar::WindowProc(message, wParam, lParam);
        CPaintDC dc(this);
        CRect rect;
        GetClientRect(rect);
        dc.FillSolidRect(rect, clr);
        return 0;
    }
};

COLORREF ScreenPixel(CPoint pt) {
    HDC hdc = ::GetDC(NULL);
    const COLORREF clr = ::GetPixel(hdc, pt.x, pt.y);
    ::ReleaseDC(NULL, hdc);
    return clr;
}

// The display shows windows' drawing a little later than they draw: waits
// (pumping, a bounded number of rounds) until the screen pixel passes.
COLORREF WaitForScreen(CPoint pt, std::function<bool(COLORREF)> passes) {
    COLORREF clr = ScreenPixel(pt);
    for (int i = 0; i < 200 && !passes(clr); i++) {
        PumpPending();
        ::Sleep(10);
        clr = ScreenPixel(pt);
    }
    return clr;
}

bool Reddish(COLORREF clr) { return GetRValue(clr) > GetGValue(clr); }
bool Greenish(COLORREF clr) { return GetGValue(clr) > GetRValue(clr); }

}  // namespace

// What a pane shows changes under an open menu's shadow: a right click on
// the pane makes the shadow show it.
TEST_F(MenuLinesTest, DockingPaneRightClickRecapturesTheMenuShadows) {
    ASSERT_GT(spGlobalData.nBitsPerPixel, 8) << "menus have shadows";
    CColourPane* pPane = new CColourPane;
    ASSERT_TRUE(pPane->Create(_T("Colour"), frame, CRect(0, 80, 300, 380), FALSE, 0x3F0,
                              WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    pPane->SetWindowPos(&CWnd::wndTop, 0, 80, 300, 300, SWP_NOACTIVATE);
    pPane->UpdateWindow();
    PumpPending();
    CRect rectPane;
    pPane->GetClientRect(rectPane);
    pPane->ClientToScreen(rectPane);

    HMENU hPopup = ::GetSubMenu(hMenu, 1);
    CSPPopupMenu* pMenu = new CSPPopupMenu;
    pMenu->SetDestroyMenu(FALSE);
    ASSERT_TRUE(pMenu->Create(frame, rectPane.left + 20, rectPane.top + 20, hPopup, FALSE, TRUE));
    PumpPending();
    ASSERT_GT(pMenu->GetShadowDepth(), 0);
    pMenu->UpdateWindow();
    PumpPending();
    CRect rectMenu;
    pMenu->GetWindowRect(rectMenu);
    // Inside the right shadow strip, halfway down.
    const CPoint ptShadow(rectMenu.right - pMenu->GetShadowDepth() / 2 - 1, rectMenu.top + rectMenu.Height() / 2);
    ASSERT_TRUE(rectPane.PtInRect(ptShadow));
    COLORREF clr = WaitForScreen(ptShadow, Reddish);
    EXPECT_TRUE(Reddish(clr)) << "the red pane, darkened";
    EXPECT_LT(GetRValue(clr), 255);

    // The pane turns green; the shadow keeps what it took.
    pPane->clr = RGB(0, 255, 0);
    pPane->Invalidate();
    pPane->UpdateWindow();
    const CPoint ptBeside(rectMenu.right + 5, ptShadow.y);
    ASSERT_TRUE(rectPane.PtInRect(ptBeside));
    ASSERT_TRUE(Greenish(WaitForScreen(ptBeside, Greenish)));
    PumpPending();
    EXPECT_TRUE(Reddish(ScreenPixel(ptShadow))) << "the shadow still shows what it took";

    const CPoint ptClick(5, 5);
    pPane->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(ptClick.x, ptClick.y));
    PumpPending();
    clr = WaitForScreen(ptShadow, [](COLORREF c) { return Greenish(c) && GetGValue(c) < 255; });
    EXPECT_TRUE(Greenish(clr)) << "the green pane, darkened";
    EXPECT_LT(GetGValue(clr), 255);

    pMenu->SendMessage(WM_CLOSE);
    PumpPending();
    pPane->DestroyWindow();
    delete pPane;
}

// The picture of an open menu with images, a check mark, a disabled line
// and a submenu, under the flat look, for the docs.
TEST_F(MenuLinesTest, PictureOfAnOpenMenuWithImages) {
    const char* pszDocs = getenv("TW_DOCS_DIR");
    if (pszDocs == NULL) return;
    CSPVisualManager::SetDefaultManager(RUNTIME_CLASS(CSPVisualManagerXP));
    CSPPopupMenu* pPopup = OpenFile();
    ASSERT_NE(nullptr, pPopup);
    // Up to the submenu's line, which opens it.
    pPopup->SendMessage(WM_KEYDOWN, VK_END);
    pPopup->SendMessage(WM_KEYDOWN, VK_UP);
    pPopup->SendMessage(WM_KEYDOWN, VK_RIGHT);
    PumpPending();
    CSPPopupMenuBar* pBar = pPopup->GetMenuBar();
    ASSERT_NE(nullptr, pBar->GetOpenSubMenu());
    frame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pPopup->UpdateWindow();
    if (pBar->GetOpenSubMenu() != NULL) pBar->GetOpenSubMenu()->UpdateWindow();
    PumpPending();
    CRect rectFrame, rectPopup;
    frame->GetWindowRect(rectFrame);
    pPopup->GetWindowRect(rectPopup);
    CRect rectShot(rectFrame.left, rectFrame.top, rectFrame.left + 420, rectPopup.bottom + 30);
    EXPECT_TRUE(WriteScreenBitmap(rectShot, CString(pszDocs) + "\\menu-open-with-images.bmp"));
}
