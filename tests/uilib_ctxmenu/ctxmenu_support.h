// ctxmenu_support.h - what the context-menu, tear-off and menu-button tests
// share: a library frame that records commands, the managers made fresh for
// every test, actions run from inside modal loops, and the child process.
#pragma once
#include "afxwin.h"
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ChildProcess.h"
#include "MessagePump.h"
#include "SPContextMenuManager.h"
#include "SPFrameWnd.h"
#include "SPPopupMenu.h"
#include "SPPopupMenuBar.h"
#include "SPTearOffManager.h"
#include "SPTempStateStore.h"
#include "SPWorkspace.h"
#include "WindowPicture.h"
#include "ctxmenu_ids.h"

namespace ctxtest {

const char* const kChildVariable = "TW_CTXMENU_CHILD";
// The tear-off ids of the tests.
const UINT kTearOffFirst = 0xE900, kTearOffLast = 0xE90F;

inline bool IsChild() { return ::GetEnvironmentVariableA(kChildVariable, NULL, 0) != 0; }

// Runs this program again with only the tests of the filter; its exit code.
inline DWORD RunChild(const char* pszFilter) { return RunThisProgramAsChild(kChildVariable, pszFilter); }

// A library frame that records the test commands it receives.
class CRecordingFrame : public CSPFrameWnd {
public:
    std::vector<UINT> commands;
    std::vector<WPARAM> resetMenus;  // "STOOLBAR_RESETMENU" with its resource ids

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    afx_msg void OnTestCommand(UINT nID) { commands.push_back(nID); }
    afx_msg void OnUpdateTestCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()
};

// Runs the action once from the thread's message loop after the delay,
// whichever loop (a modal tracking loop too) is pumping then.
void RunLater(UINT nDelay, std::function<void()> action);

// With TW_DOCS_DIR set: the screen rectangle as <name>.bmp there, for the
// documentation's pictures.
inline void SaveDocsPicture(const CRect& rectScreen, const char* pszName) {
    const char* pszDocs = getenv("TW_DOCS_DIR");
    if (pszDocs == NULL || *pszDocs == 0) return;
    EXPECT_TRUE(WriteScreenBitmap(rectScreen, CString(pszDocs) + "\\" + pszName + ".bmp"));
}

// The active popup's window, NULL when none.
inline CSPPopupMenu* ActivePopup() {
    CSPPopupMenu* pMenu = CSPPopupMenu::GetActiveMenu();
    return pMenu != NULL && ::IsWindow(pMenu->GetSafeHwnd()) ? pMenu : NULL;
}

inline std::vector<UINT> Ids(CSPPopupMenu* pMenu) {
    std::vector<UINT> ids;
    for (int i = 0; i < pMenu->GetMenuItemCount(); i++)
        ids.push_back(pMenu->GetMenuItem(i)->IsSeparator() ? 0 : pMenu->GetMenuItem(i)->m_nID);
    return ids;
}

// Parks a customised version of a context menu for the run, as the
// customisation page does: the menu's items without the one at iRemove.
inline void CustomiseContextMenu(HMENU hSubMenu, int iRemove) {
    CSPPopupMenuBar bar;
    ASSERT_TRUE(bar.Create(CWnd::GetDesktopWindow(), WS_CHILD, 0xE800));
    ASSERT_TRUE(bar.ImportFromMenu(hSubMenu, TRUE));
    ASSERT_TRUE(bar.RemoveButton(iRemove));
    ASSERT_TRUE(spTempStateStore.SaveState((UINT)(UINT_PTR)hSubMenu, &bar));
    bar.DestroyWindow();
}

// A shown library frame with docking, a workspace section of its own, and
// the context-menu and tear-off managers made for the test.
struct ContextMenuFixture : ::testing::Test {
    CRecordingFrame* frame = NULL;
    CSPWorkspace* workspace = NULL;

    void SetUp() override {
        workspace = new CSPWorkspace;
        workspace->SetRegistryBase(_T("ContextMenuTest"));
        frame = new CRecordingFrame;
        ASSERT_TRUE(frame->Create(NULL, _T("context menus"), WS_OVERLAPPEDWINDOW, CRect(20, 20, 720, 520)));
        ASSERT_TRUE(frame->EnableDocking(CBRS_ALIGN_ANY));
        frame->ShowWindow(SW_SHOWNOACTIVATE);
        PumpPending();
        ASSERT_TRUE(workspace->EnableTearOffMenus(NULL, kTearOffFirst, kTearOffLast));
        ASSERT_TRUE(workspace->InitContextMenuManager());
    }
    void TearDown() override {
        if (::GetCapture() != NULL) ::ReleaseCapture();
        if (CSPPopupMenu* pActive = ActivePopup()) pActive->DestroyWindow();
        PumpPending();
        if (g_pContextMenuManager != NULL) g_pContextMenuManager->ResetState();
        if (frame != NULL && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        PumpPending();
        delete workspace;
    }
};

}  // namespace ctxtest
