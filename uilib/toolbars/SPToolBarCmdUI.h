// SPToolBarCmdUI.h - CSPToolBarCmdUI: the idle-time command update of one
// toolbar button, mapping enabling, checking, the radio state and the text
// onto the button's style bits and text.
#pragma once
#include "afxwin.h"

class CSPToolBar;

class CSPToolBarCmdUI : public CCmdUI {
public:
    CSPToolBarCmdUI(CSPToolBar* pBar, int nIndex);

    void Enable(BOOL bOn) override;
    void SetCheck(int nCheck) override;
    void SetRadio(BOOL bOn) override;
    void SetText(LPCTSTR lpszText) override;

private:
    CSPToolBar* Bar() const;
};
