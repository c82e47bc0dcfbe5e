// SPBaseControlBar.h - CSPBaseControlBar: the root window class of every bar
// of the UI library (control bars, dock bars, sliders, docking panes,
// toolbars, status and caption bars).
//
// It keeps the bar's docking style words, answers the docking queries that
// dock bars, the dock manager and mini frames ask of any bar (the defaults
// of the virtual operations below are what a plain bar does), saves and
// restores its visibility under "SPBaseControlBars", and hands frame-level
// docking requests to whichever library frame is its dock site.
#pragma once
#include "afxwin.h"
#include "afxframe.h"
#include "SPClientHooks.h"

class CSPDockBar;
class CSPDockBarRow;
class CSPMiniFrameWnd;

// The library bar style word beside the CBRS_* style.
enum SPBarStyleFlags {
    SPCBRS_FLOAT = 0x1,
    SPCBRS_AUTOHIDE = 0x2,
    SPCBRS_RESIZE = 0x4,
    SPCBRS_CLOSE = 0x8,
};

// Dock modes: the bar (or its mini frame) follows the mouse, or an outline
// is dragged.
enum SPDockMode { SP_DT_IMMEDIATE = 1, SP_DT_STANDARD = 2 };

// Dock methods of the docking operations.
enum SPDockMethod { SP_DM_MOUSE = 1, SP_DM_SHOW = 2, SP_DM_RECT = 4 };

class CSPBaseControlBar : public CWnd, public ISPVisualBar {
    DECLARE_DYNAMIC(CSPBaseControlBar)

public:
    CSPBaseControlBar();
    virtual ~CSPBaseControlBar();

    // The registry section of the bars' visibility.
    static LPCTSTR const m_lpszSection;
    // The library default dock mode (used when a bar's own mode is 0).
    static int m_nDefaultDockMode;
    // Set the first time GetDockSite meets a bar without dock site whose
    // parent is a dialog: frame requests of such bars are then dropped.
    static BOOL m_bIsInDialog;

    // --- queries and settings, in slot order -------------------------------
    virtual BOOL IsHorizontal() const;
    virtual BOOL IsDocked() const;
    virtual BOOL IsTabbed() const;
    virtual BOOL IsFloating() const { return !IsDocked(); }
    virtual BOOL CanDockToFrame() const { return TRUE; }
    virtual BOOL IsVisible() const;
    virtual BOOL IsResizable() const { return CanFloat(); }
    virtual BOOL CanAcceptBar(const CSPBaseControlBar* /*pBar*/) const { return FALSE; }
    virtual BOOL CanBeDocked(CSPBaseControlBar* /*pDockBar*/) const { return FALSE; }
    virtual BOOL CanBeTabbed() const { return FALSE; }
    virtual DWORD GetCurrentAlignment() const { return m_dwStyle & CBRS_ALIGN_ANY; }
    virtual DWORD GetEnabledAlignment() const { return m_dwEnabledAlignment; }
    virtual CFrameWnd* GetDockSite() const;
    virtual CSPDockBar* GetParentDockBar() const { return m_pParentDockBar; }
    virtual int GetCaptionHeight() const { return 0; }
    virtual BOOL IsInMultiMiniFrame() const { return FALSE; }
    virtual BOOL GetRecentVisibleState() const { return m_bRecentVisibleState; }
    virtual BOOL IsRestoredFromRegistry() const { return m_bIsRestoredFromRegistry; }
    virtual void SetRestoredFromRegistry(BOOL bState) { m_bIsRestoredFromRegistry = bState; }
    virtual int GetDockMode() const { return m_nDockMode != 0 ? m_nDockMode : m_nDefaultDockMode; }
    virtual HICON GetBarIcon(BOOL bBig);
    virtual DWORD GetControlBarStyle() const { return m_dwStyle; }
    // What the visual managers read of the bar (derived bars add theirs).
    void GetVisualInfo(SPBarInfo& info) override;
    virtual DWORD GetSPBarStyle() const { return m_dwSPBarStyle; }
    virtual BOOL CanBeClosed() const { return (m_dwSPBarStyle & SPCBRS_CLOSE) != 0; }
    virtual BOOL CanFloat() const;
    virtual BOOL CanBeResized() const { return (m_dwSPBarStyle & SPCBRS_RESIZE) != 0; }
    virtual BOOL CanAutoHide() const { return (m_dwSPBarStyle & SPCBRS_AUTOHIDE) != 0; }
    virtual void SetCurrentAlignment(DWORD dwAlignment);
    virtual void SetControlBarStyle(DWORD dwNewStyle) { m_dwStyle = dwNewStyle; }
    virtual void EnableDocking(DWORD dwAlignment) { m_dwEnabledAlignment = dwAlignment; }
    virtual void ShowCaption(BOOL /*bShow*/) {}
    virtual void ReservedHook() {}

    // --- docking operations, in slot order ---------------------------------
    virtual BOOL DockControlBar(CSPBaseControlBar* /*pDockBar*/, LPCRECT /*lpRect*/, int /*nDockMethod*/) {
        return FALSE;
    }
    virtual BOOL FloatControlBar(CRect /*rectFloat*/, int /*nDockMethod*/ = SP_DM_RECT, bool /*bShow*/ = true) {
        return FALSE;
    }
    virtual BOOL DockToFrameSide() { return FALSE; }
    virtual void ReservedHookWithArgument(DWORD_PTR /*dwArg*/) {}
    virtual CSize CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/) { return CSize(0, 0); }
    virtual void AdjustLayout() {}
    virtual void RecalcLayout() {}
    virtual CSPMiniFrameWnd* CreateDefaultMiniFrame(CRect /*rectInitial*/) { return NULL; }
    virtual void ReservedNotify(DWORD_PTR /*dwArg*/) {}
    virtual void OnBeforeChangeParent(CWnd* /*pWndNewParent*/, BOOL /*bDelay*/ = FALSE) {}
    virtual void OnAfterChangeParent(CWnd* /*pWndOldParent*/) {}
    virtual BOOL ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate);
    // The first mini frame up the parent chain, NULL when the bar does not
    // float.
    virtual CSPMiniFrameWnd* GetParentMiniFrame(BOOL bNoAssert = FALSE) const;
    virtual BOOL LoadState(LPCTSTR lpszProfileName = NULL, int nIndex = -1, UINT uiID = (UINT)-1);
    virtual BOOL SaveState(LPCTSTR lpszProfileName = NULL, int nIndex = -1, UINT uiID = (UINT)-1);
    virtual HDWP MoveWindow(CRect& rect, BOOL bRepaint = TRUE, HDWP hdwp = NULL);
    virtual HDWP SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags,
                              HDWP hdwp = NULL);
    virtual void UnDockControlBar(BOOL /*bDelay*/ = FALSE) {}
    virtual void OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/) {}
    virtual BOOL CreateEx(DWORD dwStyleEx, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwSPBarStyle = SPCBRS_FLOAT,
                          CCreateContext* pContext = NULL);
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void DoPaint(CDC* pDC);
    virtual void AdjustDockingLayout(HDWP hdwp = NULL);

    // The plain window forms stay reachable beside the bar's own.
    using CWnd::MoveWindow;
    using CWnd::SetWindowPos;

    // --- frame dispatchers: the dock site's docking services ----------------
    void FrameAddControlBar(CSPBaseControlBar* pBar);
    BOOL FrameRemoveControlBar(CSPBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout, BOOL bAutoHide);
    BOOL FrameIsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge);
    CSPBaseControlBar* FrameControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                CRuntimeClass* pRTCBarType);
    void FrameInsertControlBar(CSPBaseControlBar* pBar, CSPBaseControlBar* pTarget, BOOL bAfter);
    void FrameDockControlBar(BOOL bUseDockSite);

    // --- attributes ---------------------------------------------------------
    // The window of GetParentMiniFrame (a frame window), NULL when none.
    CWnd* GetParentMiniFrameWnd() const;
    void SetDockMode(int nDockMode) { m_nDockMode = nDockMode; }
    void SetSPBarStyle(DWORD dwSPBarStyle) { m_dwSPBarStyle = dwSPBarStyle; }
    // Dock bars and rows set and clear these as the bar enters and leaves them.
    void SetParentDockBar(CSPDockBar* pDockBar) { m_pParentDockBar = pDockBar; }
    void SetDockBarRow(CSPDockBarRow* pRow) { m_pDockBarRow = pRow; }
    // The dock manager makes its frame the dock site of the bars it lists.
    void SetDockSite(CFrameWnd* pDockSite) { m_pDockSite = pDockSite; }
    // The registered message that asks a frame for its bars context menu.
    static UINT GetPopupMenuMessage();
    // The name of the bars' window class with the prefix (double clicks,
    // arrow cursor, button-face background), registered on first use; a
    // failed registration throws a resource exception. Floating frames
    // use it too.
    static CString RegisterBarClass(LPCTSTR lpszPrefix);
    CSPDockBarRow* GetDockBarRow() const { return m_pDockBarRow; }
    // A dialog template builds the bar's client at CreateEx.
    void SetDialogTemplate(LPCTSTR lpszTemplateName) { m_lpszTemplateName = lpszTemplateName; }
    CSize GetTemplateSize() const { return CSize(m_nTemplateWidth, m_nTemplateHeight); }

    void Serialize(CArchive& ar) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DWORD m_dwInternalState;
    DWORD m_dwEnabledAlignment;
    DWORD m_dwStyle;  // CBRS_* style: alignment bits 0xF000, border bits 0x0F00
    DWORD m_dwSPBarStyle;
    BOOL m_bRecentVisibleState;
    BOOL m_bIsRestoredFromRegistry;
    CSPDockBar* m_pParentDockBar;
    CSPDockBarRow* m_pDockBarRow;
    CFrameWnd* m_pDockSite;
    int m_nDockMode;
    CRect m_rectBar;
    LPCTSTR m_lpszTemplateName;
    int m_nTemplateWidth;
    int m_nTemplateHeight;


    // The key of the bar's state below prefix: the class word, a hyphen, the
    // index (the control id for -1) and the id in hex when one is given.
    CString BuildStateKey(const CString& strPrefix, LPCTSTR lpszClassWord, int nIndex, UINT uiID) const;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
