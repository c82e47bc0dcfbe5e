// The "Windows" dialog over a library MDI frame: the document windows
// listed, the buttons by selection and by the children's system menus,
// cascading a selection, closing from the bottom up to a refusal, windows
// that go while the dialog is open, and the frame's menu item opening it.
#include "afxwin.h"
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "MessagePump.h"
#include "SPMDIFrameWnd.h"
#include "SPWindowsDlg.h"
#include "WindowPicture.h"

namespace {

const UINT ID_WINDOWS_DLG = 0x7401;

// A document window that may refuse to close.
class CTestChild : public CMDIChildWnd {
public:
    BOOL bRefuseClose = FALSE;

protected:
    afx_msg void OnClose() {
        if (!bRefuseClose) CMDIChildWnd::OnClose();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestChild, CMDIChildWnd)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

// The dialog, modeless, so that a test can press its buttons.
class CTestWindowsDlg : public CSPWindowsDlg {
public:
    explicit CTestWindowsDlg(CSPMDIFrameWnd* pFrame) : CSPWindowsDlg(pFrame) {}
    void PostNcDestroy() override {}
};

struct WindowsDlgFixture : ::testing::Test {
    CSPMDIFrameWnd* pFrame = NULL;
    std::vector<CTestChild*> children;  // in creation order: the last one is on top
    CTestWindowsDlg* pDlg = NULL;

    void SetUp() override {
        pFrame = new CSPMDIFrameWnd;
        ASSERT_TRUE(pFrame->Create(NULL, _T("windows dialog test"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 650, 490)));
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    }
    CTestChild* AddChild(const char* pszTitle, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW) {
        CTestChild* pChild = new CTestChild;
        EXPECT_TRUE(pChild->Create(NULL, pszTitle, dwStyle, CRect(0, 0, 200, 150), pFrame));
        children.push_back(pChild);
        return pChild;
    }
    void AddChildren(int n) {
        for (int i = 1; i <= n; i++) {
            CString str;
            str.Format("Document %d", i);
            AddChild(str);
        }
    }
    void OpenDialog() {
        pDlg = new CTestWindowsDlg(pFrame);
        ASSERT_TRUE(pDlg->Create(IDD_SP_WINDOW_LIST, pFrame));
        pDlg->ShowWindow(SW_SHOWNOACTIVATE);
        PumpPending();
    }
    void TearDown() override {
        if (pDlg != NULL) {
            if (pDlg->GetSafeHwnd() != NULL) pDlg->DestroyWindow();
            delete pDlg;
        }
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) pFrame->DestroyWindow();
    }
    CListBox& List() { return pDlg->m_wndList; }
    // Selects exactly the list items whose titles are given.
    void Select(std::vector<CString> titles) {
        List().SetSel(-1, FALSE);
        for (int i = 0; i < List().GetCount(); i++) {
            CString str;
            List().GetText(i, str);
            for (const CString& t : titles)
                if (t == str) List().SetSel(i, TRUE);
        }
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SP_WINDOWS_LIST, LBN_SELCHANGE),
                          (LPARAM)List().m_hWnd);
    }
    void Press(int nID) {
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(pDlg->m_hWnd, nID));
        PumpPending();
    }
    bool Enabled(int nID) { return ::IsWindowEnabled(::GetDlgItem(pDlg->m_hWnd, nID)) != FALSE; }
    bool Visible(int nID) { return ::IsWindowVisible(::GetDlgItem(pDlg->m_hWnd, nID)) != FALSE; }
    bool Alive(CTestChild* pChild) { return ::IsWindow(pChild->m_hWnd) != FALSE; }
};

TEST_F(WindowsDlgFixture, ListsTheDocumentsInZOrderWithTheActiveOneSelected) {
    AddChildren(4);
    OpenDialog();
    ASSERT_EQ(4, List().GetCount());
    // The newest window is active and first in the list.
    for (int i = 0; i < 4; i++) {
        CString str;
        List().GetText(i, str);
        EXPECT_EQ((HWND)List().GetItemData(i), children[3 - i]->m_hWnd);
        CString strTitle;
        children[3 - i]->GetWindowText(strTitle);
        EXPECT_EQ(strTitle, str);
    }
    EXPECT_EQ(1, List().GetSelCount());
    EXPECT_GT(List().GetSel(0), 0);
    EXPECT_FALSE(Visible(ID_HELP));

    const char* pszDir = getenv("TW_FRAMES_SCREENSHOT_DIR");
    if (pszDir != NULL && *pszDir != 0) {
        Select({_T("Document 2"), _T("Document 3")});
        pDlg->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        pDlg->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpPending();
        EXPECT_TRUE(WriteWindowBitmap(pDlg->m_hWnd, (std::string(pszDir) + "\\windows-dialog.bmp").c_str(), TRUE));
    }
}

TEST_F(WindowsDlgFixture, ButtonsFollowTheSelectionAndTheSystemMenus) {
    AddChildren(3);
    CTestChild* pLocked = AddChild("Locked");
    ::EnableMenuItem(::GetSystemMenu(pLocked->m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    OpenDialog();
    struct Case {
        std::vector<CString> selection;
        bool bActivate, bSave, bClose, bArrange, bMinimize;
    } cases[] = {
        {{}, false, false, false, false, false},
        {{_T("Document 1")}, true, true, true, false, true},
        {{_T("Document 1"), _T("Document 2")}, false, true, true, true, true},
        {{_T("Locked")}, true, true, false, false, true},
        {{_T("Locked"), _T("Document 3")}, false, true, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.selection.size() << " selected"
                                        << (c.selection.empty() ? "" : (LPCTSTR)c.selection[0]));
        Select(c.selection);
        EXPECT_EQ(c.bActivate, Enabled(IDC_SP_WINDOWS_ACTIVATE));
        EXPECT_EQ(c.bSave, Enabled(IDC_SP_WINDOWS_SAVE));
        EXPECT_EQ(c.bClose, Enabled(IDC_SP_WINDOWS_CLOSE));
        EXPECT_EQ(c.bArrange, Enabled(IDC_SP_WINDOWS_CASCADE));
        EXPECT_EQ(c.bArrange, Enabled(IDC_SP_WINDOWS_TILEHORZ));
        EXPECT_EQ(c.bArrange, Enabled(IDC_SP_WINDOWS_TILEVERT));
        EXPECT_EQ(c.bMinimize, Enabled(IDC_SP_WINDOWS_MINIMIZE));
    }
}

TEST_F(WindowsDlgFixture, AChildWithoutSystemMenuHidesTheArrangeButtons) {
    AddChildren(2);
    AddChild("Plain", WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME);
    OpenDialog();
    for (int nID : {IDC_SP_WINDOWS_CASCADE, IDC_SP_WINDOWS_TILEHORZ, IDC_SP_WINDOWS_TILEVERT, IDC_SP_WINDOWS_MINIMIZE})
        EXPECT_FALSE(Visible(nID)) << nID;
    EXPECT_TRUE(Visible(IDC_SP_WINDOWS_CLOSE));
}

TEST_F(WindowsDlgFixture, CascadingTwoOfFourMinimisesTheOtherTwo) {
    AddChildren(4);
    OpenDialog();
    Select({_T("Document 1"), _T("Document 3")});
    Press(IDC_SP_WINDOWS_CASCADE);
    EXPECT_FALSE(children[0]->IsIconic());
    EXPECT_TRUE(children[1]->IsIconic());
    EXPECT_FALSE(children[2]->IsIconic());
    EXPECT_TRUE(children[3]->IsIconic());
}

TEST_F(WindowsDlgFixture, ClosingRunsFromTheBottomAndStopsAtARefusal) {
    AddChildren(4);  // listed 4, 3, 2, 1
    children[2]->bRefuseClose = TRUE;
    OpenDialog();
    Select({_T("Document 1"), _T("Document 2"), _T("Document 3"), _T("Document 4")});
    Press(IDC_SP_WINDOWS_CLOSE);
    EXPECT_FALSE(Alive(children[0]));
    EXPECT_FALSE(Alive(children[1]));
    EXPECT_TRUE(Alive(children[2]));  // refused
    EXPECT_TRUE(Alive(children[3]));  // never asked
    EXPECT_EQ(2, List().GetCount());  // the list shows what is left
}

TEST_F(WindowsDlgFixture, DozensOfWindowsAndOnesThatGoWhileTheDialogIsOpen) {
    AddChildren(40);
    OpenDialog();
    EXPECT_EQ(40, List().GetCount());
    Select({_T("Document 7"), _T("Document 8")});
    // Both go behind the dialog's back: its commands pass them over.
    children[6]->DestroyWindow();
    children[7]->DestroyWindow();
    Press(IDC_SP_WINDOWS_MINIMIZE);
    Press(IDC_SP_WINDOWS_SAVE);
    EXPECT_EQ(38, List().GetCount());
    Select({_T("Document 9")});
    children[8]->DestroyWindow();
    Press(IDC_SP_WINDOWS_ACTIVATE);  // nothing to activate, no crash
    EXPECT_EQ(children[39], pFrame->MDIGetActive());
}

TEST_F(WindowsDlgFixture, ActivateEndsTheDialogWithTheChosenWindowActive) {
    AddChildren(3);
    children[0]->ShowWindow(SW_MINIMIZE);
    OpenDialog();
    Select({_T("Document 1")});
    Press(IDC_SP_WINDOWS_ACTIVATE);
    EXPECT_EQ(children[0], pFrame->MDIGetActive());
    EXPECT_FALSE(children[0]->IsIconic());
}

// The modal dialog the frame's item opens: its list is read and it is
// cancelled from a timer.
int g_nListed = -1;
void CALLBACK CloseWindowsDialog(HWND, UINT, UINT_PTR idEvent, DWORD) {
    ::KillTimer(NULL, idEvent);
    HWND hDlg = ::FindWindow(MAKEINTATOM(32770), _T("Windows"));
    if (hDlg == NULL) return;
    g_nListed = (int)::SendDlgItemMessage(hDlg, IDC_SP_WINDOWS_LIST, LB_GETCOUNT, 0, 0);
    ::PostMessage(hDlg, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(WindowsDlgFixture, TheFramesMenuItemOpensTheDialog) {
    AddChildren(3);
    pFrame->EnableWindowsDialog(ID_WINDOWS_DLG, _T("&Windows..."), TRUE);
    EXPECT_EQ(ID_WINDOWS_DLG, pFrame->GetWindowsDialogCommand());
    EXPECT_EQ(_T("&Windows..."), pFrame->GetWindowsDialogText());
    g_nListed = -1;
    ::SetTimer(NULL, 0, 100, &CloseWindowsDialog);
    pFrame->SendMessage(WM_COMMAND, ID_WINDOWS_DLG);
    EXPECT_EQ(3, g_nListed);
}

}  // namespace
