// SPCustomizePage.h - the Commands page of the customisation sheet: the
// categories, the commands of the selected one drawn with their images,
// and the selected command's description. Commands are dragged from the
// list onto toolbars, menu bars and open menus; the bars take the drop.
#pragma once
#include "afxwin.h"
#include "afxdlgs.h"
#include "afxole.h"

#define SP_IDD_CUSTOMIZE_COMMANDS 16104
#define SP_IDC_CATEGORIES 16601
#define SP_IDC_COMMANDS 16602
#define SP_IDC_COMMAND_DESCRIPTION 16603

class CSPToolbarButton;
class CSPToolbarCustomize;

class CSPCommandsListBox : public CListBox {
    DECLARE_DYNAMIC(CSPCommandsListBox)

public:
    CSPCommandsListBox();
    ~CSPCommandsListBox() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;

    // Test seam: when set, runs in place of the OLE drag loop (a scripted
    // drop) and answers its effect.
    static DROPEFFECT(*s_pfnDragDropForTest)(COleDataSource& source);

protected:
    int m_nItemWidth;
    int m_nItemHeight;

    void PreSubclassWindow() override;
    // Runs the OLE drag of the data.
    virtual DROPEFFECT DoCommandDragDrop(COleDataSource& source, const CRect& rectStart);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

class CSPCustomizePage : public CPropertyPage {
    DECLARE_DYNCREATE(CSPCustomizePage)

public:
    CSPCustomizePage();
    ~CSPCustomizePage() override;

    void SetUserCategory(LPCTSTR lpszCategory) { m_strUserCategory = lpszCategory; }
    void SetAllCategory(LPCTSTR lpszCategory) { m_strAllCategory = lpszCategory; }

    CListBox m_wndCategory;
    CSPCommandsListBox m_wndTools;
    CString m_strButtonDescription;

    CSPToolbarButton* GetSelectedButton() const { return m_pSelButton; }

    // The text an entry of a category shows: the menu-path name in "All
    // Commands", and elsewhere when the category holds the text twice.
    static CString EntryText(const CSPToolbarButton* pButton, const CObList& lstCategory, BOOL bAllCommands);

    afx_msg void OnSelchangeCategory();
    afx_msg void OnSelchangeCommands();

protected:
    CSPToolbarButton* m_pSelButton;
    CString m_strUserCategory;
    CString m_strAllCategory;

    CSPToolbarCustomize* GetCustomizeSheet() const;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};
