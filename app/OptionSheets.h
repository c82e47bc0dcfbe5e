// OptionSheets.h - the two sheets of conversion settings and their
// document-information pages:
//   CMySheet         a property sheet shown in its first page's dialog font,
//                    its pages kept at the first page's place
//   COptionsSheet    "Options": the stored settings, saved on OK
//   CSaveToPdfSheet  "Save to PDF": a private copy for one conversion plus
//                    the output file name; never saved
//   OptionDocInfo    "General" page (template 164)
//   nsDocInfo        "Save to PDF" page (template 161)
#pragma once

#include "afxwin.h"
#include "afxdlgs.h"

#include "PageSetting.h"

class CPdfSettings;

class CMySheet : public CPropertySheet {
    DECLARE_DYNAMIC(CMySheet)

public:
    CMySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    ~CMySheet() override;

    void BuildPropPageArray() override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Gives the window and its children the font, scaling their places by
    // the change of the average character size. Mode 0 keeps the window's
    // centre, 1 its top left, 2 its size.
    static void ChangeDialogFont(CWnd* pWnd, CFont* pFont, int nFlag);

    RECT m_rctPage;
    CFont m_fntPage;

protected:
    afx_msg LRESULT OnAdjustPage(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};

// The face and point size of a dialog template's font (DLGTEMPLATE or
// DLGTEMPLATEEX); FALSE when the template names none.
BOOL GetDialogTemplateFont(UINT nIDTemplate, CString& strFace, WORD& wPointSize);

class OptionDocInfo : public CPropertyPage {
    DECLARE_DYNCREATE(OptionDocInfo)

public:
    OptionDocInfo();
    CPdfSettings* m_pSettings;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()
};

class nsDocInfo : public CPropertyPage {
    DECLARE_DYNCREATE(nsDocInfo)

public:
    nsDocInfo();
    CString m_strFileName;
    CPdfSettings* m_pSettings;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()
};

class COptionsSheet : public CMySheet {
public:
    COptionsSheet();
    ~COptionsSheet() override;
    // Saves the settings when the sheet ends with OK.
    INT_PTR DoModal() override;

    OptionDocInfo m_pageDocInfo;
    CPageSetting m_pagePageSetting;
    CPdfSettings* m_pSettings;
};

class CSaveToPdfSheet : public CMySheet {
public:
    CSaveToPdfSheet();
    ~CSaveToPdfSheet() override;

    nsDocInfo m_pageDocInfo;
    CPageSetting m_pagePageSetting;
    CPdfSettings* m_pSettings;
};
