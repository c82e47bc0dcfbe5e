// PageSetting.h - CPageSetting, the "Page Setting" property page of the two
// option sheets: paper by name or size (inch or cm), orientation, margins,
// and the header and footer fields.
//
// The paper names and sizes are the engine's one paper table (PageSetup.h).
// Choosing a paper puts its size into the width and height; typing a size
// selects the paper of exactly that size, or shows "Custom".
#pragma once

#include "afxwin.h"
#include "afxdlgs.h"
#include "AppResource.h"

class CPdfSettings;

class CPageSetting : public CPropertyPage {
    DECLARE_DYNCREATE(CPageSetting)
public:
    CPageSetting();

    enum { IDD = IDD_PAGE_SETTING };

    CComboBox m_cbFootRight;   // 1143
    CComboBox m_cbFootCenter;  // 1142
    CComboBox m_cbFootLeft;    // 1141
    CComboBox m_cbHeadRight;   // 1140
    CComboBox m_cbHeadCenter;  // 1139
    CComboBox m_cbHeadLeft;    // 1138
    CComboBox m_cbPaper;       // 1137
    // The settings the page edits; set by the owning sheet before the page's
    // window exists. Without it the controls exchange nothing.
    CPdfSettings* m_pSettings;

    // The codes the header and footer fields offer; the engine replaces them
    // on every page.
    static const char* const s_fieldCodes[3];

    // Fills the field and paper lists (when still empty) and applies the
    // chosen paper's size.
    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnPaperChanged();
    afx_msg void OnSizeTyped();
    DECLARE_MESSAGE_MAP()

private:
    // Reads the controls into the settings while the user is still typing:
    // a number field that does not parse yet keeps its value, without the
    // message that leaving the page gives.
    void ReadWhileTyping();
    CString PaperText() const;
    int CurrentUnit() const;
    void ExchangeNumber(CDataExchange* pDX, int nIDC, double& value);

    BOOL m_bTyping;     // the exchange is ReadWhileTyping's
    BOOL m_bApplyingPaper;  // the chosen paper's size is being written
};
