// SPMenuBar.h - the frame's menu shown as a toolbar: one menu button per
// top-level item, each opening a library popup menu; Alt, Alt and a letter,
// and the arrow keys work as in a system menu bar.
#pragma once
#include "SPToolBar.h"

class CSPMenuBar : public CSPToolBar {
    DECLARE_SERIAL(CSPMenuBar)

public:
    CSPMenuBar();
    virtual ~CSPMenuBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR + 0x1A)
        override;
    // Builds the buttons from the menu; the same menu again rebuilds
    // nothing unless forced. FALSE for a NULL menu (the buttons stay).
    virtual BOOL CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu = FALSE, BOOL bForceUpdate = FALSE);
    HMENU GetHMenu() const { return m_hMenu; }
    HMENU GetDefaultMenu() const { return m_hDefaultMenu; }

    // The frame hands its key messages here first: Alt alone makes the
    // first item hot, Alt and a letter opens the item with that mnemonic.
    // TRUE when the message was used.
    BOOL TranslateFrameMessage(MSG* pMsg);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnSendCommand(const CSPToolbarButton* pButton) override;

protected:
    CWnd* m_pParentFrame;
    HMENU m_hMenu;
    HMENU m_hDefaultMenu;
    BOOL m_bAltPressed;  // Alt went down with no other key since

    void SetHot(int iHot);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
