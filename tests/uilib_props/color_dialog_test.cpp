// The colour dialog: its pages exchange the chosen colour, the custom page's
// fields validate, and a display of few colours gets the platform dialog.
#include "test_support.h"
#include "SPColorDialog.h"
#include "SPColorPage.h"
#include "SPDrawEffects.h"
#include <gtest/gtest.h>

namespace {

const UINT WM_RUN_SCRIPT = WM_APP + 7;

class CScriptColorDialog : public CSPColorDialog {
public:
    std::function<void(CScriptColorDialog*)> script;
    explicit CScriptColorDialog(COLORREF color) : CSPColorDialog(color) {}

protected:
    BOOL OnInitDialog() override {
        PostMessage(WM_RUN_SCRIPT);
        return CSPColorDialog::OnInitDialog();
    }
    afx_msg LRESULT OnRunScript(WPARAM, LPARAM) {
        if (script) script(this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CScriptColorDialog, CSPColorDialog)
    ON_MESSAGE(WM_RUN_SCRIPT, OnRunScript)
END_MESSAGE_MAP()

int Field(CWnd* pPage, int nID) { return (int)pPage->GetDlgItemInt(nID, NULL, FALSE); }

TEST(ColorDialogTest, PagesExchangeTheChosenColour) {
    CScriptColorDialog dlg(RGB(10, 20, 30));
    bool bRan = false;
    dlg.script = [&](CScriptColorDialog* d) {
        bRan = true;
        d->ShowWindow(SW_SHOW);
        ASSERT_NE(d->m_pPropSheet, nullptr);
        CColorPage1* pStandard = d->m_pColourSheetOne;
        CColorPage2* pCustom = d->m_pColourSheetTwo;
        // the sheet sits over the placeholder, as a child
        EXPECT_TRUE(d->m_pPropSheet->GetStyle() & WS_CHILD);
        EXPECT_TRUE(d->m_pPropSheet->GetExStyle() & WS_EX_CONTROLPARENT);
        EXPECT_EQ(d->m_wndColors.GetCompareColor(), RGB(10, 20, 30));
        EXPECT_EQ(d->m_wndColors.GetType(), CSPColorPickerCtrl::CURRENT);
        EXPECT_EQ(pStandard->m_hexpicker.GetColor(), RGB(10, 20, 30));
        EXPECT_EQ(pCustom->m_r, 10);
        EXPECT_EQ(pCustom->m_b, 30);

        // a cell of the honeycomb: the dialog's colour and the custom page
        pStandard->m_hexpicker.UpdateWindow();
        ASSERT_EQ(pStandard->m_hexpicker.GetCellCount(), 127);
        const CSPColorCell* pCell = pStandard->m_hexpicker.GetCell(20);
        Click(&pStandard->m_hexpicker, pCell->m_x, pCell->m_y);
        EXPECT_EQ(d->GetColor(), pCell->m_color);
        EXPECT_EQ(pCustom->m_r, (int)GetRValue(pCell->m_color));
        EXPECT_EQ(pCustom->m_g, (int)GetGValue(pCell->m_color));

        // the custom page, created when shown, takes the colour into its fields
        ASSERT_TRUE(d->m_pPropSheet->SetActivePage(1));
        ASSERT_NE(pCustom->m_hWnd, (HWND)NULL);
        EXPECT_EQ(Field(pCustom, IDC_SP_RED), (int)GetRValue(pCell->m_color));
        EXPECT_EQ(Field(pCustom, IDC_SP_BLUE), (int)GetBValue(pCell->m_color));
        EXPECT_EQ(pCustom->m_wndLuminance.GetLuminanceBarWidth(), 14);

        // typing red, green and blue: the dialog and the standard page follow
        pCustom->SetDlgItemInt(IDC_SP_RED, 255, FALSE);
        pCustom->SetDlgItemInt(IDC_SP_GREEN, 255, FALSE);
        pCustom->SetDlgItemInt(IDC_SP_BLUE, 255, FALSE);
        EXPECT_EQ(d->GetColor(), RGB(255, 255, 255));
        EXPECT_EQ(pStandard->m_hexpicker.GetColor(), RGB(255, 255, 255));
        EXPECT_EQ(pStandard->m_hexpicker.GetSelectedCell(), 0);  // the white cell
        EXPECT_EQ(Field(pCustom, IDC_SP_LUM), 255);

        // a hue of 255 is 1.0, not more
        pCustom->SetDlgItemInt(IDC_SP_SAT, 255, FALSE);
        pCustom->SetDlgItemInt(IDC_SP_LUM, 128, FALSE);
        pCustom->SetDlgItemInt(IDC_SP_HUE, 255, FALSE);
        double h, l, s;
        pCustom->m_wndLuminance.GetHLS(h, l, s);
        EXPECT_DOUBLE_EQ(h, 1.0);
        EXPECT_DOUBLE_EQ(s, 1.0);
        EXPECT_EQ(d->GetColor(), CSPDrawEffects::HLSToRGB(1.0, 128.5 / 255, 1.0));

        // 300 fails the data exchange with the range message
        {
            MessageBoxRecorder rec;
            pCustom->SetDlgItemText(IDC_SP_RED, _T("300"));
            EXPECT_EQ(d->GetColor(), CSPDrawEffects::HLSToRGB(1.0, 128.5 / 255, 1.0));  // not taken
            EXPECT_FALSE(pCustom->UpdateData(TRUE));
            ASSERT_EQ(rec.texts.size(), 1u);
            EXPECT_EQ(rec.texts[0], "Please enter an integer between 0 and 255.");
            pCustom->SetDlgItemInt(IDC_SP_RED, 0, FALSE);
        }

        // a pick in the spectrum fills the fields
        pCustom->m_wndColorPicker.UpdateWindow();
        Click(&pCustom->m_wndColorPicker, 0, 0);
        const COLORREF color = d->GetColor();
        EXPECT_EQ(Field(pCustom, IDC_SP_RED), (int)GetRValue(color));
        EXPECT_EQ(Field(pCustom, IDC_SP_GREEN), (int)GetGValue(color));
        // a double click on a picker of the page ends the dialog with OK
        pCustom->m_wndColorPicker.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(0, 0));
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(bRan);
    EXPECT_EQ(dlg.m_pPalSys, nullptr);  // the own palette went with the window
}

TEST(ColorDialogTest, FewColoursShowThePlatformDialogAtOnce) {
    ForcedBitsPerPixel depth(4);
    struct Case {
        INT_PTR answer;
        COLORREF expected;
    } cases[] = {{IDOK, RGB(200, 100, 50)}, {IDCANCEL, RGB(1, 2, 3)}};
    for (const Case& c : cases) {
        DWORD dwFlags = 0;
        CommonDialogAnswer answer([&](CCommonDialog* pDlg) -> INT_PTR {
            CColorDialog* pColor = DYNAMIC_DOWNCAST(CColorDialog, pDlg);
            if (pColor == NULL) return IDCANCEL;
            dwFlags = pColor->m_cc.Flags;
            if (c.answer == IDOK) pColor->m_cc.rgbResult = c.expected;
            return c.answer;
        });
        CScriptColorDialog dlg(RGB(1, 2, 3));
        EXPECT_EQ(dlg.DoModal(), c.answer);
        EXPECT_EQ(answer.nCalls, 1);
        EXPECT_EQ(dwFlags & (CC_FULLOPEN | CC_ANYCOLOR), (DWORD)(CC_FULLOPEN | CC_ANYCOLOR));
        EXPECT_EQ(dlg.GetColor(), c.expected);
    }
}

TEST(ColorDialogTest, ColourChangeOfTheSystemToFewColoursSwitchesToThePlatformDialog) {
    CommonDialogAnswer answer([](CCommonDialog* pDlg) -> INT_PTR {
        CColorDialog* pColor = DYNAMIC_DOWNCAST(CColorDialog, pDlg);
        if (pColor == NULL) return IDCANCEL;
        pColor->m_cc.rgbResult = RGB(7, 8, 9);
        return IDOK;
    });
    CScriptColorDialog dlg(RGB(1, 1, 1));
    dlg.script = [](CScriptColorDialog* d) {
        SPGlobalData::s_nForceBitsPerPixel = 4;
        d->SendMessage(WM_SYSCOLORCHANGE);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    SPGlobalData::s_nForceBitsPerPixel = 0;
    spGlobalData.UpdateSysColors();
    EXPECT_EQ(answer.nCalls, 1);
    EXPECT_EQ(dlg.GetColor(), RGB(7, 8, 9));
}

TEST(ColorDialogTest, GivenPaletteIsUsedNotOwned) {
    struct {
        WORD palVersion, palNumEntries;
        PALETTEENTRY entries[2];
    } lp = {0x300, 2, {{0, 0, 0, 0}, {255, 255, 255, 0}}};
    HPALETTE hPal = ::CreatePalette((LOGPALETTE*)&lp);
    {
        ForcedBitsPerPixel depth(8);
        CScriptColorDialog dlg(RGB(1, 1, 1));
        dlg.m_pPalSys = CPalette::FromHandle(hPal);
        dlg.script = [](CScriptColorDialog* d) {
            // at 8 bits the swatch shows the nearest palette entry
            d->SetCurrentColor(RGB(250, 240, 230));
            EXPECT_EQ(d->m_wndColors.GetColor(), RGB(255, 255, 255));
            EXPECT_EQ(d->GetColor(), RGB(250, 240, 230));
            d->EndDialog(IDCANCEL);
        };
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        CSPColorDialog withPalette(RGB(1, 1, 1), 0, NULL, hPal);
        EXPECT_FALSE(withPalette.m_bIsMyPalette);
        EXPECT_EQ(withPalette.GetPalette()->GetSafeHandle(), (HANDLE)hPal);
    }
    PALETTEENTRY entry = {};
    EXPECT_EQ(::GetPaletteEntries(hPal, 0, 1, &entry), 1u);  // still alive
    ::DeleteObject(hPal);
}

}  // namespace
