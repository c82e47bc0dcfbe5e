// SPOleIPFrameWnd.h - CSPOleIPFrameWnd: the library's in-place frame of an
// embedded object. Its bars live in the container's frame (through a
// CSPOleCntrFrameWnd) and, while it is active, it is the library's
// top-level frame. CSPInPlaceFrame<TBase> is what it shares with
// CSPOleDocIPFrameWnd.
#pragma once
#include "afxoleip.h"

#include "SPFrameImpl.h"
#include "SPOleCntrFrameWnd.h"
#include "SPToolBar.h"
#include "SPToolbarState.h"
#include "SPUserToolsManager.h"

class CSPPopupMenu;
class CSPToolbarButton;
class CSPToolbarMenuButton;

template <class TBase>
class CSPInPlaceFrame : public CSPDockingFrame<TBase> {
public:
    CSPInPlaceFrame() : m_bContextHelp(FALSE), m_hwndLastTopLevelFrame(NULL), m_bInLayout(FALSE) {}

    // The container's frame window becomes a library frame for the time of
    // the activation, so that the server's bars dock in it. A second call
    // keeps the wrapper it made the first time.
    BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc) override {
        (void)pWndDoc;
        if (pWndFrame != NULL && pWndFrame->IsKindOf(RUNTIME_CLASS(CSPOleCntrFrameWnd))) return TRUE;
        if (this->m_pMainFrame == NULL) return TRUE;
        HWND hWndContainer = this->m_pMainFrame->DetachContainer();
        delete this->m_pMainFrame;
        CSPOleCntrFrameWnd* pWrapper = new CSPOleCntrFrameWnd(this);
        this->m_pMainFrame = pWrapper;
        if (hWndContainer != NULL) pWrapper->AttachContainer(hWndContainer);
        pWrapper->GetDockManager()->SetDockSite(pWrapper);
        return TRUE;
    }

    void RecalcLayout(BOOL bNotify = TRUE) override {
        TBase::RecalcLayout(bNotify);
        if (m_bInLayout) return;
        m_bInLayout = TRUE;
        this->m_Impl.LayOutDockedBars();
        this->GetDockManager()->AdjustBarsLayout();
        if (this->GetDockManager()->IsPrintPreviewValid() && SPIsLibraryPreviewView(this->GetActiveView()))
            this->m_Impl.PlaceView(FALSE);
        m_bInLayout = FALSE;
    }
    void AdjustDockingLayout(HDWP hdwp = NULL) override { this->m_Impl.LayOutDockedBars(hdwp); }

    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override {
        this->m_Impl.SetPrintPreviewMode(bPreview, pState);
        const DWORD dwStates = pState != NULL ? pState->dwStates : 0;
        TBase::OnSetPreviewMode(bPreview, pState);
        if (pState != NULL) pState->dwStates = dwStates;
        RecalcLayout(TRUE);
    }

    // The frame that was the library's top-level frame before this one.
    HWND GetLastTopLevelFrame() const { return m_hwndLastTopLevelFrame; }

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_BORDER | WS_CLIPSIBLINGS,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override {
        this->m_Impl.SetDefaultResId(nIDResource);
        // (an in-place frame loads no saved state)
        return TBase::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
    }

    // The keys and clicks of an in-place frame: the system keys stay the
    // container's.
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (this->m_Impl.RouteMessage(pMsg, TRUE) == CSPFrameImpl::SP_ROUTE_DONE) return TRUE;
        return TBase::PreTranslateMessage(pMsg);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (HIWORD(wParam) == 1) {
            const UINT uiCmd = LOWORD(wParam);
            CSPToolbarSharedState::AddCommandUsage(uiCmd);
            if (this->m_Impl.ProcessKeyboard(VK_ESCAPE)) return TRUE;
            if (g_pUserToolsManager != NULL && g_pUserToolsManager->InvokeTool(uiCmd)) return TRUE;
        }
        if (CSPToolbarSharedState::IsCustomizeMode()) return FALSE;
        return TBase::OnCommand(wParam, lParam);
    }
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override {
        if (dwData == 0 && m_bContextHelp) {
            OnContextHelp();
            return;
        }
        TBase::WinHelp(dwData, nCmd);
    }

    // --- library popup menus ----------------------------------------------------------
    BOOL ShowPopupMenu(CSPPopupMenu* pMenuPopup) {
        if (!this->m_Impl.OnShowPopupMenu(pMenuPopup)) return FALSE;
        return OnShowPopupMenu(pMenuPopup);
    }
    virtual BOOL OnShowPopupMenu(CSPPopupMenu* /*pMenuPopup*/) { return TRUE; }
    virtual void OnClosePopupMenu(CSPPopupMenu* pMenuPopup) {
        if (SPPopupMenuClient::GetActivePopupMenu() == pMenuPopup) SPPopupMenuClient::SetActivePopupMenu(NULL);
    }
    virtual BOOL OnMenuButtonToolHitTest(CSPToolbarButton* /*pButton*/, TOOLINFO* /*pTI*/) { return FALSE; }
    virtual BOOL OnDrawMenuImage(CDC* /*pDC*/, const CSPToolbarMenuButton* /*pMenuButton*/, const CRect& /*rectImage*/) {
        return FALSE;
    }
    virtual void OnDrawMenuLogo(CDC* /*pDC*/, CSPPopupMenu* /*pMenu*/, const CRect& /*rectLogo*/) {}

    CWnd* GetControlBar(UINT nID) { return this->GetDockManager()->FindBarByID(nID, TRUE); }
    BOOL CanBarsBeTabbed(CSPBaseControlBar* pBar, CSPBaseControlBar* pTabbedBar) {
        return this->GetDockManager()->CanBarsBeTabbed(pBar, pTabbedBar);
    }

protected:
    BOOL m_bContextHelp;
    HWND m_hwndLastTopLevelFrame;
    BOOL m_bInLayout;

    void OnContextHelp() {
        m_bContextHelp = TRUE;
        const BOOL bHook = this->m_bHelpMode == TBase::HELP_INACTIVE && this->CanEnterHelpMode();
        if (bHook) CSPToolBar::SetMouseHook(TRUE);
        TBase::OnContextHelp();
        if (bHook && this->m_bHelpMode == TBase::HELP_INACTIVE) CSPToolBar::SetMouseHook(FALSE);
        m_bContextHelp = FALSE;
    }

    // The previous top-level frame comes back, when this one is it.
    void RestoreTopLevelFrame() {
        if (g_pTopLevelFrame != this) return;
        g_pTopLevelFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(m_hwndLastTopLevelFrame));
        m_hwndLastTopLevelFrame = NULL;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_ACTIVATE: {
            const LRESULT lResult = CSPDockingFrame<TBase>::WindowProc(message, wParam, lParam);
            const UINT nState = LOWORD(wParam);
            if (nState == WA_CLICKACTIVE) this->UpdateWindow();
            if (nState != WA_INACTIVE) {
                // Activated again while it is the top-level frame, it keeps
                // the frame it replaced.
                if (g_pTopLevelFrame != this) {
                    m_hwndLastTopLevelFrame = g_pTopLevelFrame->GetSafeHwnd();
                    g_pTopLevelFrame = this;
                }
            } else {
                if (!CSPToolbarSharedState::IsCustomizeMode()) this->m_Impl.DeactivateMenu();
                SPCloseActivePopupMenu();
                RestoreTopLevelFrame();
            }
            return lResult;
        }
        case WM_DESTROY:
            SPCloseActivePopupMenu();
            RestoreTopLevelFrame();
            this->m_Impl.DeactivateMenu();
            if (this->m_hAccelTable != NULL) {
                ::DestroyAcceleratorTable(this->m_hAccelTable);
                this->m_hAccelTable = NULL;
            }
            this->GetDockManager()->EnableLayout(FALSE);
            SPDestroyChildWindows(this);
            break;
        case WM_MENUCHAR:
            if (this->m_Impl.OnMenuChar(LOWORD(wParam))) return MAKELRESULT(2, 0xFFFF);
            break;
        case WM_COMMAND:
            if (LOWORD(wParam) == ID_CONTEXT_HELP && lParam == 0) {
                OnContextHelp();
                return 0;
            }
            break;
        case WM_IDLEUPDATECMDUI: {
            const LRESULT lResult = CSPDockingFrame<TBase>::WindowProc(message, wParam, lParam);
            if (CSPOleCntrFrameWnd* pWrapper = DYNAMIC_DOWNCAST(CSPOleCntrFrameWnd, this->m_pMainFrame))
                pWrapper->OnIdleUpdate(wParam, lParam);
            return lResult;
        }
        }
        return CSPDockingFrame<TBase>::WindowProc(message, wParam, lParam);
    }
};

class CSPOleIPFrameWnd : public CSPInPlaceFrame<COleIPFrameWnd> {
    DECLARE_DYNCREATE(CSPOleIPFrameWnd)

public:
    CSPOleIPFrameWnd();
    virtual ~CSPOleIPFrameWnd();
};
