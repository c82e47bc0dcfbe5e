// SPDropDownToolbarButton.h - a toolbar button standing for a group of
// alternative commands.
//
//   CSPDropDownToolbarButton  shows the alternative chosen last with a small
//                             arrow; a quick click runs it, a press held for
//                             the press delay drops the alternatives down
//   CSPDropDownToolBar        the hidden, locked toolbar holding the
//                             alternatives (loaded from a toolbar resource)
//   CSPDropDownFrame          the small popup frame that shows them beside
//                             the button; it deletes itself when it closes
//   SPPlaceDropDown           where the frame goes, kept inside the screen
#pragma once
#include "SPToolBar.h"

class CSPDropDownFrame;
class CSPToolbarMenuButton;

class CSPDropDownToolBar : public CSPToolBar {
    DECLARE_SERIAL(CSPDropDownToolBar)

public:
    CSPDropDownToolBar() { m_bLocked = TRUE; }

    // Always locked: the alternatives are no customisable bar.
    BOOL LoadBitmap(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                    UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0) override;
    BOOL LoadToolBar(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                     UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiHotResID = 0) override;

    // The alternatives' images.
    CSPButtonImages* GetAlternativeImages() { return &m_ImagesLocked; }
    CSize GetAlternativeImageSize() const { return m_sizeImageLocked; }
    // The shown copy in a drop-down frame takes the source bar's images,
    // sizes, owner, labels and (shared, not copied) buttons.
    void ShareFrom(CSPDropDownToolBar& source);
    // Gives the shared buttons back before the window goes.
    void ReleaseSharedButtons() { m_Buttons.RemoveAll(); }

    // A chosen alternative becomes the opening button's command and runs.
    BOOL OnSendCommand(const CSPToolbarButton* pButton) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    int m_iPressed = -1;
    BOOL m_bTracking = FALSE;

    CSPDropDownFrame* GetDropDownFrame() const;
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CSPDropDownToolbarButton : public CSPToolbarButton {
    DECLARE_SERIAL(CSPDropDownToolbarButton)

public:
    CSPDropDownToolbarButton();
    CSPDropDownToolbarButton(LPCTSTR lpszName, CSPDropDownToolBar* pToolBar);
    virtual ~CSPDropDownToolbarButton();

    // The command becomes the button's; its alternative's image is shown.
    void SetDefaultCommand(UINT uiCmd);
    CSPDropDownToolBar* GetDropDownToolBar() const { return m_pToolBar; }
    const CString& GetName() const { return m_strName; }
    int GetCurrentImage() const { return m_iSelectedImage; }
    BOOL IsDropDownOpen() const { return m_pPopupMenu != NULL; }
    CSPDropDownFrame* GetDropDownFrame() const { return m_pPopupMenu; }
    // Opens the alternatives beside the button (on pWnd, or the window the
    // button is on); FALSE without alternatives or when they are open.
    BOOL DropDownToolbar(CWnd* pWnd = NULL);
    // The frame is going.
    void OnFrameDestroyed();
    // The window the button is on.
    CWnd* GetParentWnd() const { return m_pWndParent; }

    // How long a press must be held to open the alternatives; tests shorten it.
    static UINT s_uiPressDelay;

    void CopyFrom(const CSPToolbarButton& src) override;
    void Serialize(CArchive& ar) override;
    void OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    BOOL OnClickUp() override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void OnCancelMode() override;
    BOOL ExportToMenuButton(CSPToolbarMenuButton& menuButton) const override;
    BOOL IsExtraSize() const override { return m_bExtraSize && !m_bInternalDraw; }
    BOOL IsDroppedDown() const override { return m_pPopupMenu != NULL; }
    // Its look is the alternative's: image, text and appearance are not the
    // user's to change.
    BOOL OnEnableContextMenuItems(CMenu* pPopup) override;
    // The line of the base with the button's name for its text.
    int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) override;

protected:
    CSPDropDownToolBar* m_pToolBar;
    CString m_strName;
    CSPDropDownFrame* m_pPopupMenu;
    CWnd* m_pWndParent;
    UINT_PTR m_uiTimer;
    int m_iSelectedImage;
    BOOL m_bInternalDraw;
    BOOL m_bLocalUserButton;

    static CSPDropDownToolbarButton* s_pButtonWithTimer;
    static void CALLBACK OnPressTimer(HWND hwnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);
    void KillPressTimer();
    void CloseFrame();
};

// What the placement of a drop-down frame needs and decides.
struct SPDropDownPlacement {
    CPoint pt;              // the anchor (screen)
    CSize size;             // the frame's size
    CSize sizeScreen;       // the screen
    BOOL bVertBar = FALSE;  // the button's bar is vertical
    int xBarLeft = 0;       // that bar's left edge (screen)
    BOOL bHasButton = FALSE;
    int nButtonHeight = 0;
};
// The top-left corner: to the other side of a vertical bar, or above the
// button, when the frame would leave the screen.
CPoint SPPlaceDropDown(const SPDropDownPlacement& p);

class CSPDropDownFrame : public CMiniFrameWnd {
    DECLARE_DYNAMIC(CSPDropDownFrame)

public:
    CSPDropDownFrame();
    virtual ~CSPDropDownFrame();

    // x, y (-1, -1: the parent's client corner plus 5, 5) in screen
    // coordinates; shown without activation.
    virtual BOOL Create(CWnd* pWndParent, int x, int y, CSPDropDownToolBar* pWndOriginToolbar);
    void SetButton(CSPDropDownToolbarButton* pButton) { m_pParentBtn = pButton; }
    CSPDropDownToolbarButton* GetParentButton() const { return m_pParentBtn; }
    CSPDropDownToolBar* GetToolBar() { return &m_wndToolBar; }
    void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
    CSPDropDownToolBar m_wndToolBar;
    CSPDropDownToolbarButton* m_pParentBtn;
    CSPDropDownToolBar* m_pWndOriginToolbar;
    int m_x, m_y;
    CString m_strCaption;

    static CString s_strClassName;

    void PostNcDestroy() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
