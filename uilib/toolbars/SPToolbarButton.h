// SPToolbarButton.h - the objects behind the items of toolbars, menu bars and
// popup menus.
//
//   CSPToolbarButton          command id, style bits, image, text, rectangle
//   CSPToolbarMenuButton      a button that drops a popup menu
//   CSPShowAllButton          the "show all items" item of a popup menu
//   CSPOutlookButton          a large button of an outlook bar page
//   CSPToolbarComboBoxButton  a button holding a combo box
//   CSPToolbarEditBoxButton   a button holding an edit box
//
// A button measures and draws itself through the current visual manager,
// stores itself as an eight-field record (the element of stored button lists
// and of toolbar-button drag data), and keeps its image in step with the
// command manager. Clicking and the menu kinds join with the toolbar parts
// that call them.
#pragma once
#include "afxwin.h"
#include "afxtempl.h"
#include "afxcmn.h"
#include "SPClientHooks.h"

#include <ole2.h>

#ifndef TBBS_SEPARATOR
#define TBBS_SEPARATOR 0x0001
#endif
#ifndef TBBS_CHECKBOX
#define TBBS_CHECKBOX 0x0002
#endif
#ifndef TBBS_CHECKED
#define TBBS_CHECKED 0x00010000
#endif
#ifndef TBBS_PRESSED
#define TBBS_PRESSED 0x00020000
#endif
#ifndef TBBS_DISABLED
#define TBBS_DISABLED 0x00040000
#endif
#ifndef TBBS_INDETERMINATE
#define TBBS_INDETERMINATE 0x00100000
#endif

class CSPPopupMenu;
class COleDataSource;
class COleDataObject;
class CSPButtonImages;
class CSPToolbarMenuButton;
class CSPToolBar;

class CSPToolbarButton : public CObject, public ISPVisualToolbarButton {
    DECLARE_SERIAL(CSPToolbarButton)

public:
    // data, in the order of the stored record
    BOOL m_bUserButton;
    UINT m_nID;
    UINT m_nStyle;
    CString m_strText;
    BOOL m_bText;
    BOOL m_bImage;
    BOOL m_bWrap;
    BOOL m_bWholeText;
    BOOL m_bTextBelow;
    CString m_strTextCustom;
    BOOL m_bDragFromCollection;
    CRect m_rect;
    int m_iImage;
    int m_iUserImage;
    BOOL m_bLocked;
    BOOL m_bHidden;
    int m_nWidth;   // text block measured in text-below mode, plus 6
    int m_nHeight;
    BOOL m_bDisableFill;
    BOOL m_bExtraSize;
    BOOL m_bHorz;

    // Commands that may not be edited while customising.
    static CList<UINT, UINT> m_lstProtectedCommands;
    // Text-below labels are measured and drawn with word breaks.
    static BOOL m_bWrapText;
    // Buttons tell the command manager their images; the workspace turns it
    // off while it loads saved toolbars.
    static BOOL m_bUpdateImages;

    // construction
    CSPToolbarButton();
    CSPToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText = NULL, BOOL bUserButton = FALSE,
                     BOOL bLocked = FALSE);
    virtual ~CSPToolbarButton();

    // The record: id, style, current image, text, user-image flag,
    // from-commands-list flag, text-shown and image-shown flags.
    void Serialize(CArchive& ar) override;

    // attributes
    const CRect& Rect() const { return m_rect; }
    void SetRect(const CRect& rect) { m_rect = rect; }
    int GetImage() const { return m_bUserButton ? m_iUserImage : m_iImage; }
    BOOL IsHidden() const { return m_bHidden; }
    BOOL IsLocked() const { return m_bLocked; }
    BOOL IsSeparator() const { return (m_nStyle & TBBS_SEPARATOR) != 0; }
    BOOL IsImageValid() const { return GetImage() >= 0; }
    static void SetProtectedCommands(const CList<UINT, UINT>& lstCmds);

    // The clipboard format of toolbar-button drag data, registered on first
    // use under "SToolbarButton%lx" of the module (or the name set below).
    static UINT GetClipboardFormat();
    static void SetClipboardFormatName(LPCTSTR lpszName);
    // The drag data of the button (its class and record) in global memory,
    // NULL when the button cannot be stored or on failure.
    virtual HGLOBAL PrepareDragData();
    // The same data cached into an OLE data source; FALSE when none.
    BOOL PrepareDrag(COleDataSource& source);
    // A new button from drag data; only button classes are created, and
    // damaged or foreign data gives NULL without leaking anything.
    static CSPToolbarButton* CreateFromDragData(HGLOBAL hGlobal);
    // The same from an OLE data object; NULL when it offers no button data.
    static CSPToolbarButton* CreateFromOleData(IDataObject* pDataObject);
    static CSPToolbarButton* CreateFromOleData(COleDataObject* pDataObject);

    // the text with "&&" kept as one "&" and mnemonic markers removed
    static CString StripMnemonics(const CString& strText);

    // overridables
    virtual BOOL CanBeDropped(CSPToolBar* /*pToolbar*/) { return TRUE; }
    virtual void CopyFrom(const CSPToolbarButton& src);
    virtual void OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz = TRUE,
                        BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                        BOOL bGrayDisabledButtons = TRUE);
    virtual SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz);
    virtual BOOL OnClick(CWnd* /*pWnd*/, BOOL /*bDelay*/ = TRUE) { return FALSE; }
    virtual BOOL OnClickUp() { return FALSE; }
    virtual void OnDblClk(CWnd* /*pWnd*/) {}
    // A disabled drop-down button can still be pressed to open its list.
    virtual BOOL CanBePressedDisabled() const { return FALSE; }
    virtual void OnChangeParentWnd(CWnd* pWndParent);
    virtual BOOL ExportToMenuButton(CSPToolbarMenuButton& menuButton) const;
    virtual void OnMove() {}
    virtual void OnSize(int /*iSize*/) {}
    virtual HWND GetHwnd() { return NULL; }
    virtual BOOL CanBeStretched() const { return FALSE; }
    virtual BOOL NotifyCommand(int /*iNotifyCode*/) { return FALSE; }
    virtual HBRUSH OnCtlColor(CDC* /*pDC*/, UINT /*nCtlColor*/) { return NULL; }
    virtual BOOL CanBeStored() const { return TRUE; }
    virtual BOOL HaveHotBorder() const { return TRUE; }
    virtual void OnCancelMode() {}
    virtual BOOL IsEditable() const;
    virtual BOOL IsDroppedDown() const { return FALSE; }
    virtual BOOL OnBeforeDrag() const { return TRUE; }
    virtual void OnShow(BOOL /*bShow*/) {}
    virtual void GetRect(RECT* pRect) const { *pRect = m_rect; }
    virtual void SetStyle(UINT nStyle) { m_nStyle = nStyle; }
    virtual void UpdateTextFromResource();
    virtual BOOL CompareWith(const CSPToolbarButton& other) const { return m_nID == other.m_nID; }
    virtual void SetImage(int iImage);
    // The command update made the button a radio item.
    virtual void SetRadio() {}
    virtual BOOL IsExtraSize() const { return m_bExtraSize; }
    // The buttons that host windows: TRUE for their windows and children.
    virtual BOOL IsOwnerOf(HWND /*hwnd*/) const { return FALSE; }
    // The button's own control (GetHwnd) or a child of it has the focus.
    virtual BOOL HasFocus() const;
    // Called before the button is shown on a customisation list.
    virtual void OnAddToCustomizePage() {}
    // Draws the button as a line of a customisation commands list: its
    // image in the shared size, then its text. The width used.
    virtual int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected);
    // Sets up the customisation context menu for the button itself; FALSE
    // leaves it to the bar.
    virtual BOOL OnEnableContextMenuItems(CMenu* /*pPopup*/) { return FALSE; }
    // What the visual managers read of the button.
    void GetVisualInfo(SPToolbarButtonInfo& info) const override;

protected:
    // The colours of a hosted control: window text on the window colour.
    static HBRUSH WindowColors(CDC* pDC);
    // Takes over the first button of the same command on a live toolbar, so
    // that a customisation list shows what the bars show.
    void CopyFirstOfCommand();
    // The second newline-separated part of the command's string resource;
    // empty when there is no newline.
    static CString LoadCommandText(UINT uiCmd);
};

class CSPOutlookBarPane;

// A large button of an outlook bar page: its image centred above a
// word-wrapped label (cut with an ellipsis when a word is wider than the
// page). It may be dropped only onto an outlook bar page.
class CSPOutlookButton : public CSPToolbarButton {
    DECLARE_SERIAL(CSPOutlookButton)

public:
    CSPOutlookButton();
    ~CSPOutlookButton() override;

    BOOL CanBeDropped(CSPToolBar* pToolbar) override;
    void OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    // Only stores the index: the image lives in the pages' shared large
    // collection, which the command manager does not know.
    void SetImage(int iImage) override;

    // The drag data holds an outlook button.
    static BOOL IsDraggedIn(IDataObject* pDataObject);

    CSPOutlookBarPane* GetPane() const { return m_pWndParentBar; }
    BOOL IsTextFits() const { return m_bIsWholeText; }

    CSPOutlookBarPane* m_pWndParentBar;  // NULL on any other parent
    CSize m_sizeImage;                   // the large-image size, copied at layout
    BOOL m_bIsWholeText;                 // the label fits the width on its own lines
};

// The menu button kinds build on the button declared above.
#include "SPToolbarMenuButton.h"
#include "SPToolbarComboBoxButton.h"
#include "SPToolbarEditBoxButton.h"
