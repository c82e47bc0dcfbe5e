// SPToolbarCustomize.h - CSPToolbarCustomize: the modeless "Customize"
// sheet. While it is open the library is in customise mode (bars accept
// dragged buttons, the frame's other children are disabled, no command
// runs). It owns the command catalogue its pages show: named categories of
// button objects built from the application's menus, and "All Commands"
// holding every command once.
#pragma once
#include "afxwin.h"
#include "afxcoll.h"
#include "afxtempl.h"
#include "afxdlgs.h"
#include "afxframe.h"

// Option bits of the sheet.
#define SPCUSTOMIZE_MENU_SHADOWS 0x01
#define SPCUSTOMIZE_TEXT_LABELS 0x02
#define SPCUSTOMIZE_LOOK2000 0x04
#define SPCUSTOMIZE_MENU_ANIMATIONS 0x08
#define SPCUSTOMIZE_NOHELP 0x10
#define SPCUSTOMIZE_CONTEXTHELP 0x20
#define SPCUSTOMIZE_NOTOOLS 0x80

// Resources of the sheet and its pages.
#define SP_IDS_CUSTOMIZE 16103
#define SP_IDS_ALL_COMMANDS 16110
#define SP_IDS_NEW_MENU 16014
#define SP_IDS_CLOSE 16105
#define SP_IDB_CUSTOMIZE_HELP 16131
#define SP_IDC_DRAG_COMMAND 16133

class CSPToolbarButton;
class CSPToolBar;
class CSPCustomizePage;
class CSPToolbarsPage;
class CSPKeyboardPage;
class CSPOptionsPage;
class CSPToolsPage;
class CSPMousePage;
class CSPMenuPage;

class CSPToolbarCustomize : public CPropertySheet {
    DECLARE_DYNAMIC(CSPToolbarCustomize)

public:
    CSPToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus = FALSE, UINT uiFlags = 0x0F,
                        CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages = NULL);
    ~CSPToolbarCustomize() override;

    // Opens the sheet beside the frame and enters customise mode.
    virtual BOOL Create();

    // --- the catalogue ------------------------------------------------------------
    void AddButton(UINT uiCategoryId, const CSPToolbarButton& button, int iInsertBefore = -1);
    void AddButton(LPCTSTR lpszCategory, const CSPToolbarButton& button, int iInsertBefore = -1);
    int RemoveButton(UINT uiCategoryId, UINT uiCmd);
    int RemoveButton(LPCTSTR lpszCategory, UINT uiCmd);
    BOOL AddToolBar(UINT uiCategoryId, UINT uiToolbarResId);
    BOOL AddToolBar(LPCTSTR lpszCategory, UINT uiToolbarResId);
    BOOL AddMenu(UINT uiMenuResId);
    BOOL RenameCategory(LPCTSTR lpszCategoryOld, LPCTSTR lpszCategoryNew);
    void ReplaceButton(UINT uiCmd, const CSPToolbarButton& button);
    BOOL SetUserCategory(LPCTSTR lpszCategory);
    void FillCategoriesComboBox(CComboBox& wndCategory, BOOL bAddEmpty = TRUE) const;
    void FillCategoriesListBox(CListBox& wndCategory, BOOL bAddEmpty = TRUE) const;
    virtual void FillAllCommandsList(CListBox& wndListOfCommands) const;
    LPCTSTR GetCommandName(UINT uiCmd) const;
    static int CountCategoryMatches(LPCTSTR lpszText, const CObList& lstButtons);

    // A bar was shown or hidden while the sheet is open.
    void ShowToolBar(CSPToolBar* pToolBar, BOOL bShow);
    void EnableUserDefinedToolbars(BOOL bEnable = TRUE);

    // --- hooks of derived sheets --------------------------------------------------
    virtual void OnInitToolsPage() {}
    virtual void OnBeforeChangeTool(CObject* /*pSelTool*/) {}
    virtual void OnAfterChangeTool(CObject* /*pSelTool*/) {}
    virtual BOOL CheckToolsValidity(const CObList& /*lstTools*/) { return TRUE; }

    // --- what the pages read ------------------------------------------------------
    UINT GetFlags() const { return m_uiFlags; }
    CFrameWnd* GetParentFrame() const { return m_pParentFrame; }
    const CString& GetAllCommandsName() const { return m_strAllCommands; }
    // The button list of a category (the all-commands name included), NULL
    // when there is none.
    CObList* GetCategoryButtons(LPCTSTR lpszCategory) const;
    const CStringList& GetCategoryNames() const { return m_lstCategories; }
    // The frame has a library menu bar (a bar of g_lstAllToolbars).
    static BOOL FrameHasMenuBar(CFrameWnd* pFrame);

    CSPCustomizePage* GetCommandsPage() const { return m_pCustomizePage; }
    CSPToolbarsPage* GetToolbarsPage() const { return m_pToolbarsPage; }
    CSPKeyboardPage* GetKeyboardPage() const { return m_pKeyboardPage; }
    CSPOptionsPage* GetOptionsPage() const { return m_pOptionsPage; }
    CSPToolsPage* GetToolsPage() const { return m_pToolsPage; }
    CSPMousePage* GetMousePage() const { return m_pMousePage; }
    CSPMenuPage* GetMenuPage() const { return m_pMenuPage; }

    // Customise mode of the frame: its other children disabled, the bars
    // told, the frame told with "STOOLBAR_CUSTOMIZE".
    void SetFrameCustMode(BOOL bCustMode);

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    CMap<CString, LPCTSTR, CObList*, CObList*> m_ButtonsByCategory;  // owned lists of owned buttons
    CStringList m_lstCategories;
    CObList m_listCustomPages;
    CSPCustomizePage* m_pCustomizePage;
    CSPToolbarsPage* m_pToolbarsPage;
    CSPKeyboardPage* m_pKeyboardPage;
    CSPMenuPage* m_pMenuPage;
    CSPMousePage* m_pMousePage;
    CSPOptionsPage* m_pOptionsPage;
    CSPToolsPage* m_pToolsPage;
    CString m_strAllCommands;
    CFrameWnd* m_pParentFrame;
    BOOL m_bAutoSetFromMenus;
    UINT m_uiFlags;
    CBitmap m_bmpHelp;

    void SetupFromMenus();
    void AddMenuCommands(const CMenu* pMenu, BOOL bPopup, LPCTSTR lpszCategory = NULL, LPCTSTR lpszMenuPath = NULL);
    void AddUserTools(LPCTSTR lpszCategory);
    // The menu-path name of an item: the path and the text, words joined
    // with upper-case initials, cut at a tab.
    static CString MenuPathName(const CString& strPath, const CString& strText);
    static BOOL IsRefusedCommand(UINT uiCmd);
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnHelp(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

public:
    // The pairs (control id, help context) of the pages' controls, ending
    // with (0, 0), for the workspace's context help.
    static const DWORD* GetHelpIds();
};

// The open sheet (at most one), NULL when none.
extern CSPToolbarCustomize* g_pWndCustomize;
