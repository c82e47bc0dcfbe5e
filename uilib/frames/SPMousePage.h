// SPMousePage.h - the Mouse page of the customisation sheet: the command
// that a double click runs in each view registered with the mouse manager,
// written to the manager at once.
#pragma once
#include "afxwin.h"
#include "afxcmn.h"
#include "afxdlgs.h"

#define SP_IDD_CUSTOMIZE_MOUSE 16135
#define SP_IDC_MOUSE_DESCRIPTION 16514
#define SP_IDC_VIEWS 16631
#define SP_IDC_NO_DBLCLICK 16632
#define SP_IDC_USE_DBLCLICK 16633
#define SP_IDC_DBLCLICK_COMMANDS 16634

class CSPMousePage : public CPropertyPage {
    DECLARE_DYNCREATE(CSPMousePage)

public:
    CSPMousePage();
    ~CSPMousePage() override;

    int GetSelectedView() const { return m_iCurrViewId; }

    CListCtrl m_wndListOfViews;
    CListBox m_wndListOfCommands;
    CStatic m_wndCommandDescription;
    CString m_strCommandDescription;

    afx_msg void OnNoDblClick();
    afx_msg void OnUseDblClick();
    afx_msg void OnSelchangeListOfCommands();
    afx_msg void OnItemchangedListViews(NMHDR* pNMHDR, LRESULT* pResult);

protected:
    int m_iCurrViewId;
    CImageList m_ViewsImages;

    void EnableDblClickControls(BOOL bEnable = TRUE);
    BOOL SelectCommand(UINT uiCmd);
    CString MessageStringOf(UINT uiCmd) const;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};
