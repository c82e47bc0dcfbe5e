// SPColorPage.h - the two pages of the colour dialog.
//
//   CColorPage1  "Standard": the honeycomb (16974) and the grey row (16972)
//   CColorPage2  "Custom": the luminance bar (16973), the spectrum (16662)
//                and red, green, blue, hue, saturation and luminance fields
//
// Every pick becomes the dialog's current colour and is handed to the other
// page.
#pragma once
#include "SPColorDialog.h"

class CColorPage1 : public CPropertyPage {
    DECLARE_DYNAMIC(CColorPage1)
public:
    CColorPage1();

    CSPColorPickerCtrl m_hexpicker;
    CSPColorPickerCtrl m_hexpicker_greyscale;
    CSPColorDialog* m_pDialog;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnPick(CSPColorPickerCtrl& picker);
    afx_msg void OnHexColor();
    afx_msg void OnGreyscale();
    DECLARE_MESSAGE_MAP()
};

class CColorPage2 : public CPropertyPage {
    DECLARE_DYNAMIC(CColorPage2)
public:
    CColorPage2();

    // Shows an RGB colour: both pickers, the six fields.
    void SetRGB(BYTE r, BYTE g, BYTE b);

    CSPColorPickerCtrl m_wndLuminance;
    CSPColorPickerCtrl m_wndColorPicker;
    int m_r, m_b, m_g;
    UINT m_l, m_h, m_s;
    CSPColorDialog* m_pDialog;
    BOOL m_bIsReady;

protected:
    BOOL m_bInUpdate;  // the fields are being written by the page itself

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // A field's number when it is a whole number within 0..255.
    BOOL ReadField(int nID, int& nValue) const;
    void ShowFields();
    void Publish(COLORREF color);
    afx_msg void OnRGBChanged();
    afx_msg void OnHLSChanged();
    afx_msg void OnLuminance();
    afx_msg void OnColorPicker();
    afx_msg void OnDoubleClickPicker();
    DECLARE_MESSAGE_MAP()
};
