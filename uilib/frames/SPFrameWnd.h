// SPFrameWnd.h - CSPFrameWnd: the library's single-document frame.
//
// It embeds the frame's dock manager and hands the docking requests of its
// bars to it (the bars find these forwarders by testing their dock site's
// class).
#pragma once
#include "afxwin.h"
#include "afxframe.h"

#include "SPClientHooks.h"
#include "SPDockManager.h"

class CSPBaseControlBar;

class CSPFrameWnd : public CFrameWnd, public ISPAccelFrame {
    DECLARE_DYNCREATE(CSPFrameWnd)

public:
    CSPFrameWnd();
    virtual ~CSPFrameWnd();

    CSPDockManager* GetDockManager() { return &m_dockManager; }

    // Remembers the resource when it brought an accelerator table: the
    // keyboard manager installs that table again when it resets the keys.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    // The accelerator resource the frame was loaded with, 0 for none.
    UINT GetDefaultResId() const override { return m_uiDefaultAccelResId; }

    // --- docking services ---------------------------------------------------
    BOOL AddControlBar(CSPBaseControlBar* pBar, BOOL bTail = TRUE);
    BOOL RemoveControlBarFromDockManager(CSPBaseControlBar* pBar, BOOL bDestroy = TRUE,
                                         BOOL bAdjustLayout = FALSE, BOOL bAutoHide = FALSE);
    BOOL IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const;
    CSPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, bool bExactBar = false,
                                           CRuntimeClass* pRTCBarType = NULL) const;
    BOOL InsertControlBar(CSPBaseControlBar* pBar, CSPBaseControlBar* pTarget, BOOL bAfter = TRUE);
    void DockControlBar(CSPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    // Lets the dock manager lay out the docked bars.
    virtual void AdjustDockingLayout(HDWP hdwp = NULL);

protected:
    CSPDockManager m_dockManager;
    UINT m_uiDefaultAccelResId;
};
