// The Menu page's context menus (opened as captioned popups that take
// dropped commands, each keeping its layout while another one shows, and
// reset), the sheet's context help, and the Tools page's menu buttons.
#include "customize_support.h"

#include <algorithm>

#include "SPContextMenuManager.h"
#include "SPCustomizePage.h"
#include "SPMenuPage.h"
#include "SPPopupMenu.h"
#include "SPPopupMenuBar.h"
#include "SPToolsPage.h"
#include "SPUserTool.h"
#include "SPUserToolsManager.h"
#include "SPWorkspace.h"

using namespace custtest;

namespace {

// The commands of a popup's items, in order.
std::vector<UINT> Items(CSPPopupMenu* pMenu) {
    std::vector<UINT> ids;
    for (int i = 0; i < pMenu->GetMenuItemCount(); i++) ids.push_back(pMenu->GetMenuItem(i)->m_nID);
    return ids;
}

// A command of the Commands page dropped at the end of a bar, as the
// page's drag hands it over.
void DropCommand(CSPToolbarCustomize* pSheet, LPCTSTR lpszCategory, LPCTSTR lpszCommand, CSPToolBar* pBar) {
    CSPCustomizePage* pPage = pSheet->GetCommandsPage();
    pSheet->SetActivePage(pPage);
    pPage->m_wndCategory.SetCurSel(pPage->m_wndCategory.FindStringExact(-1, lpszCategory));
    pPage->OnSelchangeCategory();
    const int iItem = pPage->m_wndTools.FindStringExact(-1, lpszCommand);
    ASSERT_GE(iItem, 0) << lpszCommand;
    CSPToolbarButton* pButton = (CSPToolbarButton*)pPage->m_wndTools.GetItemDataPtr(iItem);
    COleDataSource source;
    pButton->m_bDragFromCollection = TRUE;
    ASSERT_TRUE(pButton->PrepareDrag(source));
    pButton->m_bDragFromCollection = FALSE;
    const CRect rectLast = pBar->GetButton(pBar->GetCount() - 1)->Rect();
    const CPoint ptDrop(rectLast.CenterPoint().x, rectLast.bottom - 1);
    const DROPEFFECT dwEffect = pBar->OnDragEnter(source.GetDataObject(), 0, ptDrop);
    ASSERT_NE((DROPEFFECT)DROPEFFECT_NONE, dwEffect);
    ASSERT_TRUE(pBar->OnDrop(source.GetDataObject(), dwEffect, ptDrop));
}

}  // namespace

// Each registered context menu opens as a popup with its name as caption;
// a command dropped into it stays with that menu while another shows, a
// closed popup leaves the page with none, and Reset brings the resource's
// items back and tells the frame.
TEST_F(CustomizeTest, MenuPageEditsTheContextMenus) {
    CSPContextMenuManager manager;
    ASSERT_TRUE(manager.AddMenu(_T("Extra menu"), IDR_EXTRAMENU));
    ASSERT_TRUE(manager.AddMenu(_T("Arguments"), IDR_TOOLSARGS));
    CSPToolbarCustomize* pSheet = OpenSheet();
    ASSERT_GE(pSheet->GetPageIndex(pSheet->GetMenuPage()), 0) << "the manager brings the page without a menu bar";
    CSPMenuPage* pPage = ShowPage(pSheet, pSheet->GetMenuPage());
    EXPECT_EQ((std::vector<std::string>{"-------------------", "Arguments", "Extra menu"}),
              Texts(pPage->m_wndContextMenus));
    EXPECT_TRUE(pPage->m_wndContextMenus.IsWindowEnabled());
    CWnd* pReset = pPage->GetDlgItem(SP_IDC_RESET_CONTEXT);
    EXPECT_FALSE(pReset->IsWindowEnabled());

    SelectEntry(pPage->m_wndContextMenus, 2);
    CSPPopupMenu* pPopup = pPage->GetContextMenu();
    ASSERT_TRUE(pPopup != NULL);
    EXPECT_EQ((UINT)IDR_EXTRAMENU, pPage->GetContextMenuResId());
    CString strCaption;
    pPopup->GetWindowText(strCaption);
    EXPECT_STREQ("Extra menu", strCaption);
    EXPECT_TRUE(pPopup->GetStyle() & WS_CAPTION);
    EXPECT_TRUE(pReset->IsWindowEnabled());
    const std::vector<UINT> itemsOfResource = Items(pPopup);
    ASSERT_EQ(2u, itemsOfResource.size());
    CRect rectClient;
    pPopup->GetClientRect(rectClient);
    EXPECT_EQ(pPopup->GetFinalSize(), rectClient.Size()) << "the caption comes on top of the items";

    DropCommand(pSheet, _T("File"), _T("Save"), pPopup->GetMenuBar());
    pSheet->SetActivePage(pPage);
    PumpPending();
    pPopup = pPage->GetContextMenu();
    ASSERT_TRUE(pPopup != NULL) << "the popup stays open as a drop target";
    CRect rectGrown;
    pPopup->GetClientRect(rectGrown);
    EXPECT_GT(rectGrown.Height(), rectClient.Height()) << "the popup grows for the dropped item";
    EXPECT_EQ(pPopup->GetFinalSize(), rectGrown.Size());
    const std::vector<UINT> itemsDropped = Items(pPopup);
    EXPECT_EQ(3u, itemsDropped.size());
    EXPECT_EQ(1, std::count(itemsDropped.begin(), itemsDropped.end(), (UINT)ID_T_SAVE));

    // Another menu, then back: the dropped command is still there.
    SelectEntry(pPage->m_wndContextMenus, 1);
    PumpPending();
    ASSERT_TRUE(pPage->GetContextMenu() != NULL);
    EXPECT_EQ((std::vector<UINT>{IDS_T_ARG_FILE}), Items(pPage->GetContextMenu()));
    SelectEntry(pPage->m_wndContextMenus, 2);
    PumpPending();
    ASSERT_TRUE(pPage->GetContextMenu() != NULL);
    EXPECT_EQ(itemsDropped, Items(pPage->GetContextMenu()));

    // The popup's own close: the page shows no context menu.
    pPage->GetContextMenu()->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_TRUE(pPage->GetContextMenu() == NULL);
    EXPECT_EQ(0, pPage->m_wndContextMenus.GetCurSel());
    EXPECT_FALSE(pReset->IsWindowEnabled());

    // The first entry opens nothing.
    SelectEntry(pPage->m_wndContextMenus, 0);
    EXPECT_TRUE(pPage->GetContextMenu() == NULL);

    // Reset, asked first.
    SelectEntry(pPage->m_wndContextMenus, 2);
    EXPECT_EQ(itemsDropped, Items(pPage->GetContextMenu()));
    {
        MessageBoxRecorder boxes(IDYES);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(SP_IDC_RESET_CONTEXT, BN_CLICKED));
        ASSERT_EQ(1u, boxes.texts.size());
        EXPECT_EQ("All your changes will be lost! Do you really want to reset the menu 'Extra menu'?", boxes.texts[0]);
    }
    PumpPending();
    ASSERT_TRUE(pPage->GetContextMenu() != NULL);
    EXPECT_EQ(itemsOfResource, Items(pPage->GetContextMenu()));
    EXPECT_EQ((std::vector<UINT>{IDR_EXTRAMENU}), frame->resetContextMenus);

    // Closing the sheet closes the popup.
    CSPPopupMenu* pOpen = pPage->GetContextMenu();
    const HWND hwndOpen = pOpen->GetSafeHwnd();
    CloseSheet(pSheet);
    EXPECT_FALSE(::IsWindow(hwndOpen));
}

// With a context-menu manager that knows no menus there is nothing to pick.
TEST_F(CustomizeTest, MenuPageWithoutContextMenus) {
    CSPContextMenuManager manager;
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPMenuPage* pPage = ShowPage(pSheet, pSheet->GetMenuPage());
    EXPECT_EQ(1, pPage->m_wndContextMenus.GetCount());
    EXPECT_FALSE(pPage->m_wndContextMenus.IsWindowEnabled());
    EXPECT_TRUE(pPage->m_wndContextMenus.IsWindowVisible());
    EXPECT_FALSE(pPage->m_wndMenusList.IsWindowEnabled()) << "no menu bar";
    CloseSheet(pSheet);
}

namespace {
// Records the workspace's context help instead of showing it.
class CHelpWorkspace : public CSPWorkspace {
public:
    std::vector<std::pair<HWND, std::vector<DWORD>>> calls;
    void OnWinHelp(CWnd* pWnd, DWORD_PTR dwData) override {
        std::vector<DWORD> ids;
        for (const DWORD* p = (const DWORD*)dwData; p != NULL && (p[0] != 0 || p[1] != 0); p += 2) {
            ids.push_back(p[0]);
            ids.push_back(p[1]);
        }
        calls.emplace_back(pWnd != NULL ? pWnd->GetSafeHwnd() : NULL, ids);
    }
};
}  // namespace

// With context help the sheet answers F1 on a control with the control's
// help popup, and a right click with the workspace's context help over the
// pages' controls; without it both are the frame's Help.
TEST_F(CustomizeTest, ContextHelpOfTheSheet) {
    CHelpWorkspace workspace;
    CSPToolbarCustomize* pSheet = OpenSheet(TRUE, 0x0F | SPCUSTOMIZE_CONTEXTHELP);
    EXPECT_TRUE(pSheet->GetExStyle() & WS_EX_CONTEXTHELP);
    CSPCustomizePage* pPage = pSheet->GetCommandsPage();
    pSheet->SendMessage(WM_CONTEXTMENU, (WPARAM)pPage->m_wndTools.GetSafeHwnd(), MAKELPARAM(10, 10));
    ASSERT_EQ(1u, workspace.calls.size());
    EXPECT_EQ(pPage->m_wndTools.GetSafeHwnd(), workspace.calls[0].first);
    const std::vector<DWORD>& ids = workspace.calls[0].second;
    ASSERT_EQ(2u * 34, ids.size());
    EXPECT_EQ((std::vector<DWORD>{16601, 0x41000 + 16601}), std::vector<DWORD>(ids.begin(), ids.begin() + 2));
    EXPECT_EQ((std::vector<DWORD>{16657, 0x41000 + 16657}), std::vector<DWORD>(ids.end() - 2, ids.end()));

    g_winHelpCalls.clear();
    HELPINFO info = {};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = SP_IDC_COMMANDS;
    info.hItemHandle = pPage->m_wndTools.GetSafeHwnd();
    EXPECT_TRUE(pSheet->SendMessage(WM_HELP, 0, (LPARAM)&info));
    ASSERT_EQ(1u, g_winHelpCalls.size());
    EXPECT_EQ((DWORD_PTR)(SP_IDC_COMMANDS + 0x41000), g_winHelpCalls[0].first);
    EXPECT_EQ((UINT)HELP_CONTEXTPOPUP, g_winHelpCalls[0].second);
    EXPECT_TRUE(frame->helpPages.empty());
    CloseSheet(pSheet);

    pSheet = OpenSheet();
    EXPECT_FALSE(pSheet->GetExStyle() & WS_EX_CONTEXTHELP);
    pSheet->SendMessage(WM_CONTEXTMENU, (WPARAM)pSheet->GetCommandsPage()->m_wndTools.GetSafeHwnd(), 0);
    EXPECT_EQ(1u, workspace.calls.size()) << "no context help";
    g_winHelpCalls.clear();
    pSheet->SendMessage(WM_HELP, 0, (LPARAM)&info);
    EXPECT_TRUE(g_winHelpCalls.empty());
    EXPECT_EQ((std::vector<int>{0}), frame->helpPages) << "the frame's Help for the active page";
    CloseSheet(pSheet);
}

// A text chosen in a menu button's menu is typed into its edit, once.
TEST_F(CustomizeTest, ToolsPageMenuButtonsTypeTheirText) {
    CSPUserToolsManager tools(7300, 7301, 7302, RUNTIME_CLASS(CSPUserTool), IDR_TOOLSARGS);
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPToolsPage* pPage = ShowPage(pSheet, pSheet->GetToolsPage());
    ASSERT_TRUE(pPage->m_wndArgumentsBtn.m_hMenu != NULL);
    EXPECT_TRUE(pPage->m_wndArgumentsBtn.m_bRightArrow);
    CSPToolsListBox& list = pPage->m_wndToolsList;
    list.OnAfterAddItem(list.AddItem("Viewer"));
    list.SelectItem(0);
    list.OnSelectionChanged();
    ASSERT_TRUE(pPage->GetSelectedTool() != NULL);

    pPage->m_wndArgumentsBtn.m_nMenuResult = IDS_T_ARG_FILE;
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(SP_IDC_TOOL_ARGUMENTS_MENU, BN_CLICKED),
                       (LPARAM)pPage->m_wndArgumentsBtn.GetSafeHwnd());
    CString strText;
    pPage->m_wndArgumentsEdit.GetWindowText(strText);
    EXPECT_STREQ("$(File)", strText);
    EXPECT_STREQ("$(File)", pPage->GetSelectedTool()->m_strArguments);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(SP_IDC_TOOL_ARGUMENTS_MENU, BN_CLICKED),
                       (LPARAM)pPage->m_wndArgumentsBtn.GetSafeHwnd());
    pPage->m_wndArgumentsEdit.GetWindowText(strText);
    EXPECT_STREQ("$(File)", strText) << "a click without a choice types nothing";
    CloseSheet(pSheet);
}
