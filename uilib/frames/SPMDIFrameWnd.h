// SPMDIFrameWnd.h - CSPMDIFrameWnd: the library's multiple-document main
// frame, with the docking services every library frame offers its bars.
#pragma once
#include "SPFrameImpl.h"

#include "SPClientHooks.h"

// What the MDI client with document tabs does for the document windows:
// it is told when a window's label or icon changed and which window became
// active. The client area hands itself to its frame (SetDocumentTabs).
class ISPDocumentTabs {
public:
    virtual ~ISPDocumentTabs() {}
    virtual void UpdateTabs() = 0;
    virtual void SetActiveTab(CWnd* pChildFrame) = 0;
};

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

    // Offers the "Windows" dialog through the command uiCmdID with the
    // item text lpszMenuText; bShowAllways adds the item even while the
    // Window menu has no "More Windows" entry; bShowHelpButton shows the
    // dialog's Help button. A command id of 0 withdraws the offer.
    void EnableWindowsDialog(UINT uiCmdID, LPCTSTR lpszMenuText, BOOL bShowAllways = FALSE,
                             BOOL bShowHelpButton = FALSE);
    void EnableWindowsDialog(UINT uiCmdID, UINT uiMenuTextResID, BOOL bShowAllways = FALSE,
                             BOOL bShowHelpButton = FALSE);
    // Runs the "Windows" dialog for this frame's document windows.
    void ShowWindowsDialog();
    UINT GetWindowsDialogCommand() const { return m_uiWindowsDlgMenuId; }
    const CString& GetWindowsDialogText() const { return m_strWindowsDlgMenuText; }
    BOOL IsWindowsDialogShownAlways() const { return m_bShowWindowsDlgAlways; }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void SetDocumentTabs(ISPDocumentTabs* pTabs) { m_pDocumentTabs = pTabs; }
    ISPDocumentTabs* GetDocumentTabs() const { return m_pDocumentTabs; }

protected:
    ISPDocumentTabs* m_pDocumentTabs;
    UINT m_uiDefaultAccelResId;
    UINT m_uiWindowsDlgMenuId;
    CString m_strWindowsDlgMenuText;
    BOOL m_bShowWindowsDlgAlways;
    BOOL m_bShowWindowsDlgHelpButton;
};
