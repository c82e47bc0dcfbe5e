// SPWindowsDlg.h - CSPWindowsDlg: the "Windows" dialog of the library's MDI
// frame. It lists the document windows and activates, saves, closes,
// cascades, tiles or minimises a selection of them.
#pragma once
#include "afxwin.h"
#include "afxctl.h"
#include "afxtempl.h"

class CSPMDIFrameWnd;

// The dialog template and its controls.
#define IDD_SP_WINDOW_LIST        16927
#define IDC_SP_WINDOWS_LIST       16923
#define IDC_SP_WINDOWS_ACTIVATE   16920
#define IDC_SP_WINDOWS_SAVE       16921
#define IDC_SP_WINDOWS_CLOSE      16922
#define IDC_SP_WINDOWS_TILEHORZ   16924
#define IDC_SP_WINDOWS_MINIMIZE   16925
#define IDC_SP_WINDOWS_CASCADE    16926
#define IDC_SP_WINDOWS_TILEVERT   16928

class CSPWindowsDlg;

// The dialog's list: its items are drawn by the dialog (the owner-draw
// messages come back to the list itself).
class CSPWindowsList : public CListBox {
public:
    CSPWindowsList() : m_pDlg(NULL) {}
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    CSPWindowsDlg* m_pDlg;
};

class CSPWindowsDlg : public CDialog {
public:
    CSPWindowsDlg(CSPMDIFrameWnd* pMDIFrame, BOOL bHelpButton = FALSE);

    // Sent to the application's main window on Help (wParam 0, lParam the
    // dialog): the main window decides what help to show.
    static const UINT SP_WM_WINDOW_HELP;

    BOOL OnInitDialog() override;

    CSPWindowsList m_wndList;

    // Draws one item of the list: the document's small icon and title.
    void DrawListItem(LPDRAWITEMSTRUCT lpDIS);

protected:
    CSPMDIFrameWnd* m_pMDIFrame;
    BOOL m_bShowHelpButton;
    BOOL m_bMDIActions;                 // every child has a system menu: arranging is allowed
    CList<HWND, HWND> m_lstCloseDisabled;  // children whose Close command is disabled

    HWND GetMDIClient() const;
    // The selected children, from the bottom of the list to its top.
    void GetSelectedChildren(CArray<HWND, HWND>& children, BOOL bWithUnselected, CArray<BOOL, BOOL>* pSelected);
    void FillWindowList();
    void SelActive();
    void UpdateButtons();
    void Refresh();
    // Cascades or tiles the selection: the others are minimised.
    void Arrange(UINT uMsg, WPARAM wParam);

    afx_msg void OnActivateWindow();
    afx_msg void OnSave();
    afx_msg void OnCloseWindows();
    afx_msg void OnCascade();
    afx_msg void OnTileHorz();
    afx_msg void OnTileVert();
    afx_msg void OnMinimize();
    afx_msg void OnHelpButton();
    afx_msg LRESULT OnHelpMsg(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSelChange();
    DECLARE_MESSAGE_MAP()
};
