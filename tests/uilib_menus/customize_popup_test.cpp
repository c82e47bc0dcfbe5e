// The customise button's list of the buttons that did not fit: a library
// popup with those buttons (a menu button with its submenu) and the
// customise command, the chosen command reaching the bar's owner.
#include "afxwin.h"
#include <gtest/gtest.h>

#include <vector>

#include "MessagePump.h"
#include "SPCustomizeButton.h"
#include "SPPopupMenu.h"
#include "SPToolBar.h"

namespace {

enum { IDC_ALPHA = 601, IDC_BETA = 602, IDC_GAMMA = 603, IDC_CUSTOMIZE = 700 };

class CRecordingPlainFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;

protected:
    afx_msg void OnTestCommand(UINT nID) { commands.push_back(nID); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingPlainFrame, CFrameWnd)
    ON_COMMAND_RANGE(IDC_ALPHA, IDC_CUSTOMIZE, OnTestCommand)
END_MESSAGE_MAP()

TEST(CustomizeButtonPopup, HiddenButtonsThenTheCustomiseCommand) {
    CRecordingPlainFrame* pFrame = new CRecordingPlainFrame;
    ASSERT_TRUE(pFrame->Create(NULL, _T("customise list"), WS_OVERLAPPEDWINDOW, CRect(40, 40, 600, 400)));
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    CSPToolBar* pBar = new CSPToolBar;
    ASSERT_TRUE(pBar->Create(pFrame));
    pBar->SetOwner(pFrame);
    ASSERT_TRUE(pBar->EnableCustomizeButton(TRUE, IDC_CUSTOMIZE, _T("&Customize...")));
    CCustomizeButton* pCustomize = DYNAMIC_DOWNCAST(CCustomizeButton, pBar->GetCustomizeButton());
    ASSERT_NE(nullptr, pCustomize);

    // separator, Alpha, separator, Beta, Gamma (with a submenu), separator
    HMENU hGamma = ::CreatePopupMenu();
    ::AppendMenuA(hGamma, MF_STRING, IDC_BETA, "Inner");
    CSPToolbarButton separator1, separator2, separator3;
    for (CSPToolbarButton* p : {&separator1, &separator2, &separator3}) p->m_nStyle |= TBBS_SEPARATOR;
    CSPToolbarButton alpha(IDC_ALPHA, -1, _T("&Alpha"));
    CSPToolbarButton beta(IDC_BETA, -1, _T("&Beta"));
    CSPToolbarMenuButton gamma(IDC_GAMMA, hGamma, -1, _T("&Gamma"));
    CObList& hidden = pCustomize->GetHiddenButtons();
    for (CSPToolbarButton* p : {&separator1, (CSPToolbarButton*)&alpha, &separator2, (CSPToolbarButton*)&beta,
                                (CSPToolbarButton*)&gamma, &separator3})
        hidden.AddTail(p);

    ASSERT_TRUE(pCustomize->OpenPopupMenu(pBar));
    PumpPending();
    CSPPopupMenu* pPopup = pCustomize->m_pPopupMenu;
    ASSERT_NE(nullptr, pPopup);
    std::vector<UINT> ids;
    for (int i = 0; i < pPopup->GetMenuItemCount(); i++) {
        CSPToolbarButton* pItem = pPopup->GetMenuItem(i);
        ids.push_back(pItem->IsSeparator() ? 0 : pItem->m_nID);
    }
    EXPECT_EQ((std::vector<UINT>{IDC_ALPHA, 0, IDC_BETA, (UINT)-1, 0, IDC_CUSTOMIZE}), ids);
    EXPECT_NE(nullptr, pPopup->GetMenuBar()->GetItemSubMenu(pPopup->GetMenuItem(3)));

    pPopup->SendMessage(WM_KEYDOWN, 'A');
    PumpPending();
    EXPECT_EQ(std::vector<UINT>{IDC_ALPHA}, pFrame->commands);
    EXPECT_EQ(nullptr, pCustomize->m_pPopupMenu);

    hidden.RemoveAll();
    pFrame->DestroyWindow();
    PumpPending();
    delete pBar;
    ::DestroyMenu(hGamma);
}

}  // namespace
