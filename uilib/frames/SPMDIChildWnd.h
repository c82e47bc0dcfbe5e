// SPMDIChildWnd.h - CSPMDIChildWnd: a document window of the library's
// multiple-document frame, with a dock manager of its own so that bars can
// dock inside a document window, and the label and icon of its document
// tab.
#pragma once
#include "SPFrameImpl.h"

class CSPMDIFrameWnd;
class CSPMainClientAreaWnd;
class CSPBaseControlBar;

class CSPMDIChildWnd : public CSPDockingFrame<CMDIChildWnd> {
    DECLARE_DYNCREATE(CSPMDIChildWnd)

public:
    CSPMDIChildWnd();
    virtual ~CSPMDIChildWnd();

    // Bars docked in document windows may float only while this is set
    // (process-wide, off by default).
    static BOOL m_bEnableFloatingBars;

    // The label and icon of the window's document tab.
    virtual CString GetFrameText() const;
    virtual HICON GetFrameIcon() const;

    // A bar that may not float here is only added to the dock manager's
    // list when it cannot be resized either; any other is docked on the
    // given side.
    void DockControlBar(CSPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    // Asks the dock manager; bars in a document window may always share a
    // tabbed window.
    BOOL CanBarsBeTabbed(CSPBaseControlBar* pBar, CSPBaseControlBar* pTabbedBar);
    void ShowControlBar(CSPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
    CWnd* GetControlBar(UINT nID) { return GetDockManager()->FindBarByID(nID, TRUE); }

    CSPMDIFrameWnd* GetMDIFrameWnd() const { return m_pMDIFrame; }
    BOOL IsBeingDestroyed() const { return m_bToBeDestroyed; }
    void SetBeingDestroyed() { m_bToBeDestroyed = TRUE; }

    void RecalcLayout(BOOL bNotify = TRUE) override;
    void AdjustDockingLayout(HDWP hdwp = NULL) override;
    void ActivateFrame(int nCmdShow = -1) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

protected:
    CSPMDIFrameWnd* m_pMDIFrame;
    BOOL m_bToBeDestroyed;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnSetTextOrIcon(WPARAM wParam, LPARAM lParam);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    // The client area of the MDI frame, when it is a library frame.
    CSPMainClientAreaWnd* GetClientArea() const;
    DECLARE_MESSAGE_MAP()
};
