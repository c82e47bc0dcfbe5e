// SPOleCntrFrameWnd.h - CSPOleCntrFrameWnd: the library's wrapper of a
// container's frame while a server is active in place in it; its dock
// manager holds the server's bars.
#pragma once
#include "afxoleip.h"

#include "SPFrameImpl.h"

class CSPOleCntrFrameWnd : public CSPDockingFrame<COleCntrFrameWnd> {
    DECLARE_DYNAMIC(CSPOleCntrFrameWnd)

public:
    explicit CSPOleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame = NULL);
    virtual ~CSPOleCntrFrameWnd();

    void RecalcLayout(BOOL bNotify = TRUE) override;
    void AdjustDockingLayout(HDWP hdwp = NULL) override;
    // Bars docked in a container may always share a tabbed window.
    BOOL CanBarsBeTabbed(CWnd* pBar, CWnd* pTabbedBar);
    CWnd* GetControlBar(UINT nID) { return GetDockManager()->FindBarByID(nID, TRUE); }
    // The idle update of the server's bars: the floating ones, and with
    // wParam TRUE every window inside a docked one.
    void OnIdleUpdate(WPARAM wParam, LPARAM lParam);

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    DECLARE_MESSAGE_MAP()
};
