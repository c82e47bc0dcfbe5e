// SPToolsPage.h - the Tools page of the customisation sheet: the user
// tools in an edit list (new, delete, move up, move down, rename) and the
// command, arguments and initial folder of the selected one. Changes go
// straight into the user-tools manager's tool objects.
#pragma once
#include "afxwin.h"
#include "afxdlgs.h"

#include "SPEditListBox.h"
#include "SPMenuButton.h"

#define SP_IDD_CUSTOMIZE_TOOLS 16928
#define SP_IDC_TOOLS_LIST 16921
#define SP_IDC_TOOL_COMMAND 16922
#define SP_IDC_TOOL_BROWSE 16923
#define SP_IDC_TOOL_ARGUMENTS 16924
#define SP_IDC_TOOL_INITIAL_DIR 16925
#define SP_IDC_TOOL_ARGUMENTS_MENU 16989
#define SP_IDC_TOOL_INITIAL_DIR_MENU 16997
#define SP_IDS_TOOLS_LIMIT 16024

class CSPToolsPage;
class CSPToolbarCustomize;
class CSPUserTool;

class CSPToolsListBox : public CSPEditListBox {
public:
    explicit CSPToolsListBox(CSPToolsPage* pParent) : m_pParent(pParent) {}

    void OnSelectionChanged() override;
    BOOL OnBeforeRemoveItem(int iItem) override;
    void OnAfterAddItem(int iItem) override;
    void OnAfterRenameItem(int iItem) override;
    void OnAfterMoveItemUp(int iItem) override;
    void OnAfterMoveItemDown(int iItem) override;

protected:
    CSPToolsPage* m_pParent;
};

class CSPToolsPage : public CPropertyPage {
    friend class CSPToolsListBox;

public:
    CSPToolsPage();
    ~CSPToolsPage() override;

    CSPMenuButton m_wndInitialDirBtn;
    CSPMenuButton m_wndArgumentsBtn;
    CEdit m_wndArgumentsEdit;
    CEdit m_wndInitialDirEdit;
    CEdit m_wndCommandEdit;
    CButton m_wndBrowseBtn;
    CSPToolsListBox m_wndToolsList;
    CString m_strCommand;
    CString m_strArguments;
    CString m_strInitialDirectory;

    CSPUserTool* GetSelectedTool() const { return m_pSelTool; }

    // A new tool of the manager, or NULL with the limit reported.
    CSPUserTool* CreateNewTool();

    afx_msg void OnBrowseCommand();
    afx_msg void OnArgumentsOptions();
    afx_msg void OnInitialDirectoryOptions();
    afx_msg void OnUpdateTool();

protected:
    CSPUserTool* m_pSelTool;
    CMenu m_menuArguments;
    CMenu m_menuInitialDir;

    CSPToolbarCustomize* GetCustomizeSheet() const;
    void EnableControls();
    // The text of the command chosen in a menu button's menu, typed into
    // the edit.
    void TypeMenuChoice(CSPMenuButton& button, CEdit& edit);
    // Asks for the tool's program; tests answer it.
    virtual BOOL AskCommandFile(CString& strPath);
    void TypeText(CEdit& edit, UINT uiStringId);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnKillActive() override;
    DECLARE_MESSAGE_MAP()
};
