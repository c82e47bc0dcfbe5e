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
// Measuring, drawing, clicking and storing join these classes with the
// toolbar parts that call them.
#pragma once
#include "afxwin.h"
#include "afxtempl.h"
#include "SPClientHooks.h"

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

    // construction
    CSPToolbarButton();
    CSPToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText = NULL, BOOL bUserButton = FALSE,
                     BOOL bLocked = FALSE);
    virtual ~CSPToolbarButton();

    // attributes
    const CRect& Rect() const { return m_rect; }
    void SetRect(const CRect& rect) { m_rect = rect; }
    int GetImage() const { return m_bUserButton ? m_iUserImage : m_iImage; }
    BOOL IsHidden() const { return m_bHidden; }
    static void SetProtectedCommands(const CList<UINT, UINT>& lstCmds);

    // overridables
    virtual BOOL IsEditable() const;
    // What the visual managers read of the button.
    void GetVisualInfo(SPToolbarButtonInfo& info) const override;
};

class CSPToolbarMenuButton : public CSPToolbarButton {
    DECLARE_SERIAL(CSPToolbarMenuButton)

public:
    CSPPopupMenu* m_pPopupMenu;  // the open popup menu, NULL when closed

    CSPToolbarMenuButton();
    virtual ~CSPToolbarMenuButton();

    virtual BOOL IsEmptyMenuAllowed() const { return FALSE; }
    // TRUE: the border of this button's popup may open towards the button.
    virtual BOOL JoinsMenuBorder() const { return TRUE; }
};

class CSPShowAllButton : public CSPToolbarMenuButton {
    DECLARE_DYNCREATE(CSPShowAllButton)

public:
    CSPShowAllButton();
};

class CSPOutlookButton : public CSPToolbarButton {
    DECLARE_SERIAL(CSPOutlookButton)

public:
    CSPOutlookButton();
};

class CSPToolbarComboBoxButton : public CSPToolbarButton {
    DECLARE_SERIAL(CSPToolbarComboBoxButton)

public:
    CSPToolbarComboBoxButton();
    virtual ~CSPToolbarComboBoxButton();
};

class CSPToolbarEditBoxButton : public CSPToolbarButton {
    DECLARE_SERIAL(CSPToolbarEditBoxButton)

public:
    CSPToolbarEditBoxButton();
    virtual ~CSPToolbarEditBoxButton();
};
