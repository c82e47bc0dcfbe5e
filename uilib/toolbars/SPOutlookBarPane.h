// SPOutlookBarPane.h - CSPOutlookBarPane: one page of an outlook bar.
//
// A toolbar laid out as a single centred column of large-icon buttons
// (CSPOutlookButton) with their labels below, on a background colour or a
// tiled bitmap. When the column is taller than the page, two small scroll
// buttons appear at the right edge; holding one scrolls every 200 ms.
//
// All pages of the process share one large-image collection; its image size
// is fixed by the first bitmap added while it is empty.
#pragma once
#include "SPButton.h"
#include "SPToolBar.h"

class CSPOutlookBarPane : public CSPToolBar, public ISPBarOwnBackground {
    DECLARE_DYNCREATE(CSPOutlookBarPane)

public:
    CSPOutlookBarPane();
    ~CSPOutlookBarPane() override;

    virtual BOOL CreatePane(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                            UINT uiID = (UINT)-1, DWORD dwSPBarStyle = 0);

    // Each adds a button at iInsertAt (-1: at the end); FALSE when the image
    // cannot be loaded. A resource id 0 gives a button without image.
    BOOL AddButton(LPCTSTR lpszBmpFileName, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt = -1);
    BOOL AddButton(UINT uiImage, UINT uiLabel, UINT iIdCommand, int iInsertAt = -1);
    BOOL AddButton(UINT uiImage, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt = -1);
    BOOL AddButton(HBITMAP hBmp, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt = -1);
    BOOL AddButton(HICON hIcon, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt = -1);

    // The first button with the command; FALSE when there is none. The
    // toolbar's RemoveButton (int) removes by index.
    BOOL RemoveButton(UINT uiCmd);
    using CSPToolBar::RemoveButton;

    void SetTextColor(COLORREF clrRegText);
    COLORREF GetTextColor() const { return m_clrRegText; }
    void SetBackColor(COLORREF color);
    COLORREF GetBackColor() const { return m_clrBackColor; }
    void SetTransparentColor(COLORREF color);
    COLORREF GetTransparentColor() const { return m_clrTransparentColor; }
    // A bitmap resource tiled behind the buttons; 0 for the plain colour.
    void SetBackImage(UINT uiImageID);
    UINT GetBackImage() const { return m_uiBackImageId; }
    BOOL IsBackgroundTiled() const { return m_bDrawShadedHighlight; }

    // One button up or down; nothing when there is nothing to scroll.
    void ScrollUp();
    void ScrollDown();
    int GetScrollOffset() const { return m_iScrollOffset; }
    int GetFirstVisibleButton() const { return m_iFirstVisibleButton; }
    BOOL IsMoreBelow() const { return m_bScrollDown; }
    CSPButton& GetScrollUpButton() { return m_btnUp; }
    CSPButton& GetScrollDownButton() { return m_btnDown; }

    // The width the outlook window gives the page.
    void SetAvailableWidth(int nWidth) { m_nSize = nWidth; }
    int GetAvailableWidth() const { return m_nSize; }

    // The collection every page draws its buttons from, and its image size.
    static CSPButtonImages& GetLargeImages() { return s_Images; }
    static CSize GetLargeImageSize() { return s_csImage; }
    // Empties the collection (program end; tests start afresh).
    static void CleanUpLargeImages();

    // The first set of buttons, stored as copies so that a reset brings it
    // back.
    void SaveOriginalState();

    // While the page's button is dragged out of its outlook window: the
    // page's bar becomes the place it returns to (SP_DM_SHOW).
    void RememberDropTarget();
    CWnd* GetDropTarget() const { return m_pDropTarget; }

    // CSPToolBar and the bars below it
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL CanBeTabbed() const override { return TRUE; }
    DWORD GetCurrentAlignment() const override { return m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT); }
    BOOL CanFloat() const override { return FALSE; }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    void RemoveAllButtons() override;
    BOOL CanBeRestored() const override { return !m_OrigButtons.IsEmpty(); }
    BOOL RestoreOriginalState() override;
    DROPEFFECT OnDragOver(IDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void AdjustLocations() override;
    BOOL AllowShowOnList() const override { return FALSE; }
    CSPToolbarButton* CreateDroppedButton(IDataObject* pDataObject) override;
    BOOL EnableContextMenuItems(CSPToolbarButton* pButton, CMenu* pPopup) override;
    BOOL MergeWithOriginalButtons(const CObList& lstStored) override;
    // Onto an outlook bar only (the target given for SP_DM_MOUSE, the
    // remembered one for SP_DM_SHOW): the page leaves its bar or floating
    // frame and becomes that bar's active page.
    BOOL DockControlBar(CSPBaseControlBar* pDockBar, LPCRECT lpRect, int nDockMethod) override;
    using CSPToolBar::SaveOriginalState;

    // Fills the rectangle with the background colour or the tiled bitmap.
    virtual void DrawBackground(CDC* pDC, CRect rect);
    void FillOwnBackground(CDC* pDC, CRect rect) override { DrawBackground(pDC, rect); }

protected:
    COLORREF m_clrRegText;           // -1: the visual manager's button text colour
    COLORREF m_clrTransparentColor;  // of the large images
    COLORREF m_clrBackColor;
    int m_nSize;                     // the available width, -1 until set
    CSPButtonImages m_bmpBack;
    CSize m_csBack;
    CSPButton m_btnUp;
    CSPButton m_btnDown;
    UINT m_uiBackImageId;
    int m_iScrollOffset;
    int m_iFirstVisibleButton;
    BOOL m_bScrollDown;
    BOOL m_bDrawShadedHighlight;  // the background is a tiled bitmap
    CWnd* m_pDropTarget;

    static CSPButtonImages s_Images;
    static CSize s_csImage;

    enum { idScrollUp = 1, idScrollDown = 2, nScrollDelay = 200 };

    BOOL InternalAddButton(int iImageIndex, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt);
    int AddBitmapImage(HBITMAP hBitmap);
    int ButtonHeight(int iIndex) const;
    void CopyButtons(const CObList& lstFrom, CObList& lstTo);
    BOOL IsScrollButtonHit(CSPButton& btn, CPoint ptScreen) const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSysColorChange();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()
};
