// SPToolBar.h - the customisable toolbar of the UI library and the state
// that every toolbar of the process shares.
//
//   CSPBaseToolBar      the common base of the toolbar family
//   CSPToolBar          a bar whose buttons are CSPToolbarButton objects it
//                       owns: loaded from toolbar resources, laid out in
//                       rows, drawn off-screen through the visual manager,
//                       with one tooltip tool per button
//   CSPToolbarDropTarget the bar's OLE drop target
//
// The shared state lives in static members of CSPToolBar: the image
// collections here, the options, sizes and command lists in its base
// CSPToolbarSharedState, which the foundation reads.
#pragma once
#include "afxwin.h"
#include "afxcoll.h"
#include "afxtempl.h"
#include "afxcmn.h"
#include "afxole.h"

#include "SPBarBorderHelper.h"
#include "SPButtonImages.h"
#include "SPCmdUsageCount.h"
#include "SPControlBar.h"
#include "SPToolbarButton.h"
#include "SPToolbarDropSource.h"
#include "SPToolbarState.h"

// The registered messages of the toolbar family (registered at start-up).
extern const UINT SP_WM_TOOLBARMENU;          // "STOOLBAR_POPUPMENU"
extern const UINT SP_WM_CUSTOMIZETOOLBAR;     // "STOOLBAR_CUSTOMIZE"
extern const UINT SP_WM_CREATETOOLBAR;        // "STOOLBAR_CREATE"
extern const UINT SP_WM_DELETETOOLBAR;        // "STOOLBAR_DELETE"
extern const UINT SP_WM_CUSTOMIZEHELP;        // "STOOLBAR_CUSTOMIZEHELP"
extern const UINT SP_WM_RESETTOOLBAR;         // "STOOLBAR_RESETTOOLBAR"
extern const UINT SP_WM_RESETMENU;            // "STOOLBAR_RESETMENU"
extern const UINT SP_WM_SHOWREGULARMENU;      // "STOOLBAR_SHOWREGULARMENU"
extern const UINT SP_WM_RESETCONTEXTMENU;     // "STOOLBAR_RESETCONTEXTMENU"
extern const UINT SP_WM_RESETKEYBOARD;        // "STOOLBAR_RESETKEYBAORD"

#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif
#ifndef TBSTYLE_FLAT
#define TBSTYLE_FLAT 0x0800
#endif
#ifndef TBSTYLE_TRANSPARENT
#define TBSTYLE_TRANSPARENT 0x8000
#endif
#ifndef LM_STRETCH
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40
#endif

class CSPToolBar;
class CSPRegistry;

// The bar's OLE drop target: hands drags over the bar's window to its
// OnDragEnter, OnDragOver, OnDragLeave and OnDrop. Part of the bar, so OLE's
// reference counts never free it.
class CSPToolbarDropTarget : public IDropTarget {
public:
    CSPToolbarDropTarget() : m_pOwner(NULL), m_pData(NULL), m_bRegistered(FALSE) {}
    virtual ~CSPToolbarDropTarget() {}
    // Remembers the bar and registers its window with OLE when OLE is
    // initialised in this thread.
    BOOL Register(CSPToolBar* pOwner);
    void Revoke();
    CSPToolBar* GetOwner() const { return m_pOwner; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pData, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* pData, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override;

protected:
    CSPToolBar* m_pOwner;
    IDataObject* m_pData;
    BOOL m_bRegistered;
};

// The button context menu of customise mode and its commands.
#define SP_IDR_BUTTON_MENU 16102
#define SP_IDC_RESET_IMAGE 16910
#define SP_IDC_COPY_IMAGE 16911
#define SP_IDC_DELETE 16912
#define SP_IDC_APPEARANCE 16913
#define SP_IDC_IMAGE 16914
#define SP_IDC_TEXT 16915
#define SP_IDC_IMAGE_AND_TEXT 16916
#define SP_IDC_START_GROUP 16917
#define SP_IDC_NEW_MENU 16918
#define SP_IDC_CUSTOMIZE_FIRST SP_IDC_RESET_IMAGE
#define SP_IDC_CUSTOMIZE_LAST SP_IDC_NEW_MENU

class CSPBaseToolBar : public CSPControlBar {
    DECLARE_DYNCREATE(CSPBaseToolBar)

public:
    CSPBaseToolBar() {}
    void OnAfterChangeParent(CWnd* /*pWndOldParent*/) override {}
    void OnAfterStretch(CSize sizeDelta) override;
};

class CSPToolBar : public CSPBaseToolBar, public CSPToolbarSharedState, public ISPToolbarCommands {
    DECLARE_SERIAL(CSPToolBar)

public:
    CSPToolBar();
    virtual ~CSPToolBar();

    // --- process-wide state ---------------------------------------------------
    static LPCTSTR const m_lpszProfileSection;  // "SToolBars"
    static CSPToolBar* m_pSelToolbar;           // holds the button selected while customising
    static CSPButtonImages m_Images, m_ColdImages, m_DisabledImages;
    static CSPButtonImages m_MenuImages, m_DisabledMenuImages;
    static CSPButtonImages m_LargeImages, m_LargeColdImages, m_LargeDisabledImages;
    static CSPButtonImages* m_pUserImages;
    static CMap<UINT, UINT, int, int> m_DefaultImages;  // command id -> shared image
    static HHOOK m_hookMouseHelp;
    static CSPToolBar* m_pLastHookedToolbar;
    static HCURSOR m_hcurStretch;  // the split-bar cursor
    static HCURSOR m_hcurSizeAll;
    // Every toolbar drags its buttons through this one.
    static CSPToolbarDropSource m_DropSource;

    // FALSE when the mode is already bOn.
    static BOOL SetCustomizeMode(BOOL bOn = TRUE);
    // Every button of every live toolbar with the command; the count.
    static int GetCommandButtons(UINT uiCmd, CObList& listButtons);

    static void SetSizes(SIZE sizeButton, SIZE sizeImage);
    static void SetMenuSizes(SIZE sizeButton, SIZE sizeImage);
    static BOOL SetUserImages(CSPButtonImages* pUserImages);
    static BOOL AddToolBarForImageCollection(UINT uiResID, UINT uiBmpResIDHot = 0, UINT uiColdResID = 0,
                                             UINT uiMenuResID = 0, UINT uiDisabledResID = 0,
                                             UINT uiMenuDisabledResID = 0);
    static void CleanUpImages();
    static void ResetAllImages();
    static void SetLargeIcons(BOOL bLargeIcons = TRUE);
    static BOOL IsLargeIcons() { return m_bLargeIcons; }

    static void SetNonPermittedCommands(CList<UINT, UINT>& lstCommands);
    static void SetBasicCommands(CList<UINT, UINT>& lstCommands);
    static void AddBasicCommand(UINT uiCmd);
    static BOOL IsBasicCommand(UINT uiCmd) { return m_lstBasicCommands.Find(uiCmd) != NULL; }
    static BOOL IsCommandRarelyUsed(UINT uiCmd);
    static BOOL SetCommandUsageOptions(UINT nStartCount, UINT nMinUsagePercentage = 5);

    static void SetLook2000(BOOL bLook2000 = TRUE);
    static BOOL IsLook2000();
    static void SetCustomTextColor(COLORREF clrText) { m_clrTextColor = clrText; }

    // Below SPGetRegPath("SToolBars", lpszProfileName) + "SToolbarParameters".
    static BOOL SaveParameters(LPCTSTR lpszProfileName = NULL);
    // Reads in the order of SaveParameters and stops at the first value
    // missing; TRUE when every value was read.
    static BOOL LoadParameters(LPCTSTR lpszProfileName = NULL);

    static BOOL SetMouseHook(BOOL bSet = TRUE);

    // --- creation -------------------------------------------------------------
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                        UINT nID = AFX_IDW_TOOLBAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                          CRect rcBorders = CRect(1, 1, 1, 1), UINT nID = AFX_IDW_TOOLBAR);
    using CSPControlBar::Create;
    using CSPControlBar::CreateEx;

    // --- resources ------------------------------------------------------------
    // The eight strips: [0] cold, [1] normal, [2] disabled, [3] large cold,
    // [4] large, [5] large disabled, [6] menu, [7] disabled menu; 0 = none.
    struct CSPToolBarParams {
        UINT m_uiColdResID, m_uiHotResID, m_uiDisabledResID, m_uiLargeColdResID, m_uiLargeHotResID,
            m_uiLargeDisabledResID, m_uiMenuResID, m_uiMenuDisabledResID;
        CSPToolBarParams() { memset(this, 0, sizeof(*this)); }
    };
    virtual BOOL LoadBitmap(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                            UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0);
    virtual BOOL LoadToolBar(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                             UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiHotResID = 0);
    virtual BOOL LoadBitmapEx(CSPToolBarParams& params, BOOL bLocked = FALSE);
    virtual BOOL LoadToolBarEx(UINT uiToolbarResID, CSPToolBarParams& params, BOOL bLocked = FALSE);

    void SetLockedSizes(SIZE sizeButton, SIZE sizeImage);
    void SetHeight(int cyHeight);
    BOOL IsLocked() const { return m_bLocked; }
    void EnableLargeIcons(BOOL bEnable) { m_bLargeIconsAreEnbaled = bEnable; }
    void EnableTextLabels(BOOL bEnable = TRUE);
    BOOL AreTextLabels() const { return m_bTextLabels; }
    BOOL IsUserDefined() const;
    UINT GetResourceID() const { return m_uiOriginalResID; }
    int GetImagesOffset() const { return m_iImagesOffset; }
    BOOL IsMenuMode() const { return m_bMenuMode; }
    void SetMenuMode(BOOL bMenuMode) { m_bMenuMode = bMenuMode; }
    void SetMaxStretchLength(int nLength) { m_nMaxLen = nLength; }

    // --- the button list --------------------------------------------------------
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount, BOOL bRemapImages = TRUE);
    // The bar owns the button afterwards; -1 when refused.
    virtual int InsertButton(CSPToolbarButton* pButton, int iInsertAt = -1);
    virtual int InsertButtonCopy(const CSPToolbarButton& button, int iInsertAt = -1);
    virtual int InsertSeparator(INT_PTR iInsertAt = -1);
    int ReplaceButton(UINT uiCmd, const CSPToolbarButton& button, BOOL bAll = FALSE);
    BOOL RemoveButton(int iIndex) override;
    virtual void RemoveAllButtons();

    int GetCount() const { return (int)m_Buttons.GetCount(); }
    CSPToolbarButton* GetButton(int iIndex) const;
    const CObList& GetAllButtons() const { return m_Buttons; }
    const CObList& GetOrigButtons() const { return m_OrigButtons; }
    int CommandToIndex(UINT nIDFind, int iIndexFirst = 0) const override;
    int ButtonToIndex(const CSPToolbarButton* pButton) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    virtual void GetInvalidateItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    virtual void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    BOOL SetButtonText(int nIndex, LPCTSTR lpszText);
    CString GetButtonText(int nIndex) const;
    void SetButtonUserData(int nIndex, LPCTSTR lpszText, BOOL bShowText, BOOL bShowImage);
    BOOL SetButtonTextFromResource(int nIndex);
    void InvalidateButton(int nIndex);
    virtual void UpdateButtonsTextFromResource();
    int GetHighlightedIndex() const { return m_iHighlighted; }
    int GetSelectedIndex() const { return m_iSelected; }

    // --- layout -------------------------------------------------------------------
    virtual int GetRowHeight() const;
    virtual int GetColumnWidth() const;
    virtual BOOL IsButtonExtraSizeAvailable() const { return TRUE; }
    void GetMinSize(CSize& size) const override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    virtual CSize CalcLayout(DWORD dwMode, int nLength = -1);
    virtual CSize CalcSize(BOOL bVertDock);
    int WrapToolBar(int nWidth, int nHeight = 32767);
    int SizeToolBar(int nLength, BOOL bVert = FALSE);
    virtual void AdjustLocations();
    void AdjustLayout() override;
    virtual int CalcMaxButtonHeight();
    virtual void GetSeparatorRect(CSPToolbarButton* pButton, CRect& rect, BOOL bHorz) const;
    // The button size of the bar's size set, with the visual manager's extra
    // border when the bar takes it.
    CSize GetButtonSize() const;
    CSize GetImageSize() const;

    // What the visual managers read of the bar.
    void GetVisualInfo(SPBarInfo& info) override;

    // --- drawing, hit testing, tooltips -----------------------------------------
    void DoPaint(CDC* pDC) override;
    virtual BOOL DrawButton(CDC* pDC, CSPToolbarButton* pButton, CSPButtonImages* pImages, BOOL bHighlighted,
                            BOOL bDrawDisabledImages);
    virtual void DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz);
    virtual void DrawDragMarker(CDC* pDC);
    virtual void OnFillBackground(CDC* /*pDC*/) {}
    virtual int HitTest(CPoint point);
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    void UpdateTooltips();
    virtual BOOL OnUserToolTip(CSPToolbarButton* pButton, CString& strTTText) const;
    CToolTipCtrl& GetToolTip() { return m_wndToolTip; }

    // Shown or hidden while the customisation sheet is open, the sheet's
    // toolbars list follows.
    BOOL ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate) override;
    // Customise mode: the bar's part of SetCustomizeMode.
    virtual BOOL OnCustomizeMode(BOOL bSet);
    // Leaves any drag or pressed state (as on WM_CANCELMODE).
    virtual void OnCancelToolbarMode();
    // The mouse went to another window: no button stays highlighted.
    void LeaveHotTracking();

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // --- mouse and keyboard --------------------------------------------------------
    // Alt-dragging of buttons outside customise mode (the main frame allows
    // it), and the flag of an Alt-drag in progress.
    static BOOL s_bAltCustomization;
    static BOOL s_bAltCustomizing;

    // The prompt of a command on the owner's status line; -1 the idle one.
    virtual void ShowCommandMessageString(UINT uiCmdId);
    virtual void OnChangeHot(int iHot);
    BOOL SetHotButtonForMenu(CSPToolbarButton* pButton);
    // Opens a menu button's popup; FALSE for other buttons or a refusal.
    BOOL DropDownMenu(CSPToolbarButton* pButton);
    // The first menu button whose popup is open, NULL when none.
    CSPToolbarMenuButton* GetDroppedDownMenu(int* pIndex = NULL) const;
    // Posts the button's command (counted, with the menu-command sound);
    // FALSE for the ids 0 and -1.
    BOOL ProcessCommand(CSPToolbarButton* pButton);
    virtual BOOL FindButtonByMnemonic(UINT nChar);
    // Left and Right while a popup is open: the next enabled menu button,
    // wrapping around the bar.
    virtual BOOL GetPrevHotButton();
    virtual BOOL GetNextHotButton();
    virtual void Deactivate();
    virtual void RestoreFocus();
    virtual BOOL OnSendCommand(const CSPToolbarButton* /*pButton*/) { return FALSE; }
    virtual BOOL AllowSelectDisabled() const { return FALSE; }
    virtual BOOL OnKey(UINT /*nChar*/) { return FALSE; }
    // The message being handled came from the button's own control.
    static BOOL IsLastCommandFromButton(CSPToolbarButton* pButton);
    // Escape: ends a resize or leaves the bar; FALSE while a popup is open.
    BOOL OnEscapeKey();

    // --- customising ---------------------------------------------------------------
    virtual DROPEFFECT OnDragEnter(IDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(IDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(IDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // The insertion index for a drop at the point and its 6-pixel mark; -1
    // (and an empty mark) where nothing may be dropped.
    virtual int FindDropIndex(CPoint point, CRect& rectMark);
    virtual CSPToolbarButton* CreateDroppedButton(IDataObject* pDataObject);
    virtual BOOL EnableContextMenuItems(CSPToolbarButton* pButton, CMenu* pPopup);
    int GetDropIndex() const { return m_iDragIndex; }
    // A customise button at the bar's far end: its popup lists the buttons
    // a too short docked bar hides, then the customise command (none for an
    // id of 0 or less).
    BOOL EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, const CString& strCustomizeText);
    CSPToolbarButton* GetCustomizeButton() const { return m_pCustomizeButton; }

    // --- command update and the family's defaults ----------------------------
    // Every button but separators, command 0 and the framework's own ids;
    // user tools are never disabled for want of a handler.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // The same for one button, through GetCommandTarget.
    void UpdateButton(int nIndex);
    // The owner, else the parent; a frame only, while commands route through
    // the frame; else the bar's parent frame.
    virtual CWnd* GetCommandTarget() const;
    BOOL IsIgnoreSetText() const { return m_bIgnoreSetText; }
    void SetIgnoreSetText(BOOL bIgnore) { m_bIgnoreSetText = bIgnore; }
    void SetPermament(BOOL bPermament) { m_bPermament = bPermament; }
    BOOL CanBeClosed() const override { return !m_bPermament; }
    virtual BOOL AllowShowOnList() const { return TRUE; }
    virtual void OnReset() {}

    // --- persistence --------------------------------------------------------------
    // What the workspace tells the bars: whether one exists, its version
    // (-1, -1 unset) and whether it keeps the bars' original button lists.
    static void SetWorkspaceState(BOOL bExists, int nMajor = -1, int nMinor = -1, BOOL bKeepOriginalState = FALSE);
    // Menu buttons store their tear-off id under a workspace whose version
    // is unset or at least 4.71.
    static BOOL WorkspaceStoresTearOffIds();

    // Stores the base's part, then (unless locked) the storable buttons, the
    // text-labels flag, the window text and, under a workspace version that
    // carries it, the floating width. Loading checks every element is a
    // button; damage throws an archive exception.
    void Serialize(CArchive& ar) override;
    // "Name" and "Buttons" under "SToolBars" ... "SToolBar-<index>[<id hex>]";
    // FALSE when the buttons could not be written, the base state is still
    // saved.
    BOOL SaveState(LPCTSTR lpszProfileName = NULL, int nIndex = -1, UINT uiID = (UINT)-1) override;
    // FALSE without a stored key or "Buttons" value, leaving the bar as it
    // is; a damaged value brings back the resource buttons.
    BOOL LoadState(LPCTSTR lpszProfileName = NULL, int nIndex = -1, UINT uiID = (UINT)-1) override;
    virtual BOOL RemoveStateFromRegistry(LPCTSTR lpszProfileName = NULL, int nIndex = -1, UINT uiID = (UINT)-1);
    virtual BOOL SaveOriginalState(CSPRegistry& reg);
    virtual BOOL LoadOriginalState(CSPRegistry& reg);
    // Brings commands added to or removed from the toolbar resource since
    // the stored originals into the customised bar; TRUE when they differ.
    virtual BOOL MergeWithOriginalButtons(const CObList& lstStored);
    virtual BOOL IsResourceChanged() const { return m_bResourceWasChanged; }
    virtual BOOL CanBeRestored() const { return m_uiOriginalResID != 0; }
    // The buttons of the bar's toolbar resource again.
    virtual BOOL RestoreOriginalState();
    virtual BOOL AllowChangeTextLabels() const { return TRUE; }

protected:
    CSPButtonImages m_ImagesLocked, m_ColdImagesLocked, m_DisabledImagesLocked, m_LargeImagesLocked,
        m_LargeColdImagesLocked, m_LargeDisabledImagesLocked, m_MenuImagesLocked, m_DisabledMenuImagesLocked;
    BOOL m_bLocked;
    BOOL m_bLargeIconsAreEnbaled;
    CSPBarBorderHelper m_Impl;  // the non-client borders and gripper
    BOOL m_bPermament;
    BOOL m_bTextLabels;
    BOOL m_bDrawTextLabels;  // the row height is the tallest button
    int m_nMaxBtnHeight;
    CSize m_sizeButtonLocked, m_sizeImageLocked, m_sizeCurButtonLocked, m_sizeCurImageLocked;
    int m_iButtonCapture;  // the pressed index
    int m_iHighlighted;
    int m_iSelected;
    int m_iHot;
    CObList m_Buttons;
    CObList m_OrigButtons;
    BOOL m_bResourceWasChanged;
    CSPToolbarDropTarget m_DropTarget;
    CToolTipCtrl m_wndToolTip;
    int m_nTooltipsCount;
    int m_iDragIndex;
    CRect m_rectDrag;
    CPen m_penDrag;
    CSPToolbarButton* m_pDragButton;
    CPoint m_ptStartDrag;
    BOOL m_bIsDragCopy;
    BOOL m_bStretchButton;
    CRect m_rectTrack;
    int m_iImagesOffset;
    UINT m_uiOriginalResID;
    BOOL m_bTracked;
    CPoint m_ptLastMouse;
    BOOL m_bMenuMode;
    CWnd* m_pWndLastCapture;
    HWND m_hwndLastFocus;
    BOOL m_bDisableControlsIfNoHandler;
    BOOL m_bRouteCommandsViaFrame;
    CRect m_rectSizeAll;
    CSize m_sizeLast;
    CMap<UINT, UINT, CSPToolbarButton*, CSPToolbarButton*> m_AcellKeys;
    BOOL m_bShowHotBorder;
    BOOL m_bGrayDisabledButtons;
    BOOL m_bIgnoreSetText;
    int m_nMaxLen;

    static BOOL s_bWorkspaceExists, s_bKeepOriginalState;
    static int s_nWorkspaceMajor, s_nWorkspaceMinor;
    CString GetStateKey(LPCTSTR lpszProfileName, int nIndex, UINT uiID) const;

    // One size set: button and image sizes at least 1 x 1, the current ones
    // doubled while large icons are on, and the image sizes of the normal,
    // cold and disabled collections and (doubled) of the large ones.
    struct CSPSizeSet {
        CSize& sizeButton;
        CSize& sizeImage;
        CSize& sizeCurButton;
        CSize& sizeCurImage;
        CSPButtonImages* pImages[3];
        CSPButtonImages* pLargeImages[3];
    };
    static void ApplySizes(CSPSizeSet& set, SIZE sizeButton, SIZE sizeImage);

    BOOL IsHorizontalAligned() const { return (GetCurrentAlignment() & CBRS_ORIENT_HORZ) != 0; }
    CFont* GetBarFont(BOOL bHorz) const;
    void RebuildAccelerationKeys();
    CSPToolbarButton* m_pCustomizeButton;  // the customise button, never stored

    CWnd* GetOwnerOrParent() const;
    void ReleaseBarCapture();
    void PressButton(int iButton);
    void ResumeHotTracking(CPoint point);
    BOOL StepHotMenuButton(int nStep);
    void OnCustomizeClick(int iButton, UINT nFlags, CPoint point);
    // Waits for the mouse to leave the button, then runs the OLE drag;
    // tests put a scripted drop in its place.
    virtual DROPEFFECT DoButtonDragDrop(COleDataSource& source, const CRect& rectStart);
    // Alt is held (the asynchronous key state); tests script it.
    virtual BOOL IsAltKeyDown() const;
    void TrackStretch(CPoint point);
    void EndStretch(CPoint point);
    int FindDropIndexInRows(CPoint point, int& nEdge);
    void MoveOnOwnPlace(int iSource, CPoint point);
    // Hides what does not fit before the customise button of a docked bar.
    void LayoutCustomizeButton(const CRect& rectClient, BOOL bHorz);
    BOOL EnsureSelectedText(CSPToolbarButton* pButton);
    LRESULT OnToolbarQuery(UINT message, WPARAM wParam, LPARAM lParam);
    // The button whose control is the window or the window's parent.
    CSPToolbarButton* FindButtonOwningWindow(HWND hWnd) const;
    // Notifications of the buttons' controls, IDOK and IDCANCEL.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The images of one kind for drawing: the bar's own or the shared ones,
    // the large ones while large icons are on and they hold images.
    void GetDrawImages(CSPButtonImages*& pImages, CSPButtonImages*& pCold, CSPButtonImages*& pDisabled,
                       CSPButtonImages*& pMenu, CSPButtonImages*& pMenuDisabled);
    CSize GetDrawImageSize() const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSysColorChange();
    afx_msg void OnCancelMode();
    afx_msg BOOL OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTbButtonCount(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTbGetItemRect(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTbGetButton(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTbGetButtonText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCustomizeCommand(UINT nID);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    DECLARE_MESSAGE_MAP()

};
