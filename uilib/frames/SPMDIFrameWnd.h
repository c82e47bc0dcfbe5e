// SPMDIFrameWnd.h - CSPMDIFrameWnd: the library's multiple-document main
// frame, with the docking services every library frame offers its bars.
#pragma once
#include "SPFrameImpl.h"

#include "SPClientHooks.h"

class CSPMDIFrameWnd : public CSPDockingFrame<CMDIFrameWnd>, public ISPAccelFrame {
    DECLARE_DYNCREATE(CSPMDIFrameWnd)

public:
    CSPMDIFrameWnd();
    virtual ~CSPMDIFrameWnd();

    // Remembers the resource when it brought an accelerator table: the
    // keyboard manager installs that table again when it resets the keys.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    // The accelerator resource the frame was loaded with, 0 for none.
    UINT GetDefaultResId() const override { return m_uiDefaultAccelResId; }

protected:
    UINT m_uiDefaultAccelResId;
};
