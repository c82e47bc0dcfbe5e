// The page-setting page in a test property sheet: the lists it fills, the
// paper and size rules, the data exchange with the settings both ways, and
// values typed that are huge, negative or no number at all.
//
// With TW_APP_PIECES_SCREENSHOT set to a path, the sheet is also written
// there as a bitmap file (docs/ keeps a picture of it for review).
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "MessageBoxRecorder.h"
#include "PageSetting.h"
#include "PageSetup.h"
#include "PdfSettings.h"
#include "test_app.h"
#include "test_res.h"

namespace {

const char kProfileKey[] = "Software\\TomewiseTests\\AppPiecesTests";

void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The window with its frame as a 24-bit bitmap file.
bool WriteSheetPicture(HWND hwnd, const char* pszPath) {
    CRect rect;
    ::GetWindowRect(hwnd, &rect);
    const int cx = rect.Width(), cy = rect.Height();
    HDC hdcWindow = ::GetWindowDC(hwnd);
    HDC hdcCopy = ::CreateCompatibleDC(hdcWindow);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcWindow, cx, cy);
    HGDIOBJ hOld = ::SelectObject(hdcCopy, hbm);
    ::BitBlt(hdcCopy, 0, 0, cx, cy, hdcWindow, 0, 0, SRCCOPY);
    ::SelectObject(hdcCopy, hOld);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = cx;
    info.biHeight = cy;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const DWORD cbRow = (cx * 3 + 3) & ~3u;
    std::string pixels(cbRow * cy, '\0');
    const int nRows = ::GetDIBits(hdcCopy, hbm, 0, cy, &pixels[0], (BITMAPINFO*)&info, DIB_RGB_COLORS);
    ::DeleteObject(hbm);
    ::DeleteDC(hdcCopy);
    ::ReleaseDC(hwnd, hdcWindow);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + (DWORD)pixels.size();
    FILE* f = fopen(pszPath, "wb");
    if (!f || nRows != cy) {
        if (f) fclose(f);
        return false;
    }
    bool bOK = fwrite(&file, sizeof file, 1, f) == 1 && fwrite(&info, sizeof info, 1, f) == 1 &&
               fwrite(pixels.data(), 1, pixels.size(), f) == pixels.size();
    return fclose(f) == 0 && bOK;
}

class PageSettingTest : public ::testing::Test {
protected:
    PageSettingTest() : other(IDD_TEST_OTHER_PAGE), sheet("Options") {}

    void SetUp() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kProfileKey);
        // What a new profile loads, with fields and margins of one's own.
        settings.Load();
        settings.m_dMarginLeft = 0.5;
        settings.m_dMarginRight = 0.75;
        settings.m_dMarginTop = 1;
        settings.m_dMarginBottom = 1.25;
        settings.m_nOrientation = 1;
        settings.m_strHeadLeft = "&PageNo";
        settings.m_strHeadRight = "Tomewise";
        settings.m_strFootLeft = "&Date";
        settings.m_strFootCenter = "&URL";
        settings.m_nHeaderSeperator = 1;
        page.m_pSettings = &settings;
        sheet.AddPage(&page);
        sheet.AddPage(&other);
    }
    void TearDown() override {
        if (sheet.m_hWnd) sheet.DestroyWindow();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kProfileKey);
    }

    void Open() {
        ASSERT_TRUE(sheet.Create());
        ASSERT_TRUE(page.m_hWnd != NULL);
        Pump();
    }
    // Leaves the page for the other one and comes back.
    void LeaveAndReturn() {
        ASSERT_TRUE(sheet.SetActivePage(1));
        ASSERT_EQ(&other, sheet.GetActivePage());
        ASSERT_TRUE(sheet.SetActivePage(0));
    }
    CString Text(int nID) const {
        CString text;
        page.GetDlgItemText(nID, text);
        return text;
    }
    void Type(int nID, LPCTSTR lpszText) { page.SetDlgItemText(nID, lpszText); }
    void Click(int nID) { page.GetDlgItem(nID)->SendMessage(BM_CLICK); }
    // The user picks a paper from the list.
    void ChoosePaper(LPCTSTR lpszName) {
        page.m_cbPaper.SetCurSel(page.m_cbPaper.FindStringExact(-1, lpszName));
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PAPER_SIZE, CBN_SELCHANGE), (LPARAM)page.m_cbPaper.m_hWnd);
    }
    // The user types into the paper box, key by key.
    void TypePaper(const char* pszKeys) {
        HWND hwndEdit = ::GetWindow(page.m_cbPaper.m_hWnd, GW_CHILD);
        ASSERT_TRUE(hwndEdit != NULL);
        ::SendMessageA(hwndEdit, EM_SETSEL, 0, -1);
        for (const char* p = pszKeys; *p; p++) ::SendMessageA(hwndEdit, WM_CHAR, (WPARAM)(unsigned char)*p, 1);
    }
    CString Paper() const {
        CString text;
        page.m_cbPaper.GetWindowText(text);
        return text;
    }
    static void ExpectCodes(const CComboBox& box) {
        ASSERT_EQ(3, box.GetCount());
        for (int i = 0; i < 3; i++) {
            CString item;
            box.GetLBText(i, item);
            EXPECT_STREQ(CPageSetting::s_fieldCodes[i], item);
        }
    }
    void ExpectPaper(LPCTSTR lpszName, int nUnit, double dWidth, double dHeight) const {
        EXPECT_STREQ(lpszName, settings.m_strPageSize);
        EXPECT_EQ(nUnit, settings.m_nPageSizeUnit);
        EXPECT_DOUBLE_EQ(dWidth, settings.m_dPageWidth);
        EXPECT_DOUBLE_EQ(dHeight, settings.m_dPageHeight);
    }
    void ExpectLists() const {
        ASSERT_EQ(PAPER_SIZE_COUNT, page.m_cbPaper.GetCount());
        for (int i = 0; i < PAPER_SIZE_COUNT; i++) {
            CString item;
            page.m_cbPaper.GetLBText(i, item);
            EXPECT_STREQ(g_PaperSizes[i].name, item);
        }
        for (const CComboBox* box : {&page.m_cbHeadLeft, &page.m_cbHeadCenter, &page.m_cbHeadRight,
                                     &page.m_cbFootLeft, &page.m_cbFootCenter, &page.m_cbFootRight})
            ExpectCodes(*box);
    }

    CPdfSettings settings;
    CPageSetting page;
    CPropertyPage other;
    CPropertySheet sheet;
};

}  // namespace

TEST_F(PageSettingTest, OpensWithTheSettingsAndReadsThemBack) {
    Open();
    ExpectLists();
    // The A4 of the settings, its size in inches from the paper table.
    EXPECT_STREQ("A4", Paper());
    EXPECT_STREQ("8.25", Text(IDC_PAGE_WIDTH));
    EXPECT_STREQ("11.6875", Text(IDC_PAGE_HEIGHT));
    EXPECT_EQ(BST_CHECKED, page.IsDlgButtonChecked(IDC_UNIT_INCH));
    EXPECT_EQ(BST_UNCHECKED, page.IsDlgButtonChecked(IDC_UNIT_CM));
    EXPECT_EQ(BST_CHECKED, page.IsDlgButtonChecked(IDC_LANDSCAPE));
    EXPECT_STREQ("0.5", Text(IDC_MARGIN_LEFT));
    EXPECT_STREQ("0.75", Text(IDC_MARGIN_RIGHT));
    EXPECT_STREQ("1", Text(IDC_MARGIN_TOP));
    EXPECT_STREQ("1.25", Text(IDC_MARGIN_BOTTOM));
    EXPECT_STREQ("&PageNo", Text(IDC_HEAD_LEFT));
    EXPECT_STREQ("", Text(IDC_HEAD_CENTER));
    EXPECT_STREQ("Tomewise", Text(IDC_HEAD_RIGHT));
    EXPECT_STREQ("&Date", Text(IDC_FOOT_LEFT));
    EXPECT_STREQ("&URL", Text(IDC_FOOT_CENTER));
    // The separator flags ride along in two check boxes nobody sees.
    EXPECT_EQ(BST_CHECKED, page.IsDlgButtonChecked(IDC_HEADER_SEPARATOR));
    EXPECT_EQ(BST_UNCHECKED, page.IsDlgButtonChecked(IDC_FOOTER_SEPARATOR));
    EXPECT_FALSE(page.GetDlgItem(IDC_HEADER_SEPARATOR)->IsWindowVisible());
    EXPECT_FALSE(page.GetDlgItem(IDC_FOOTER_SEPARATOR)->IsWindowVisible());

    if (const char* pszPath = getenv("TW_APP_PIECES_SCREENSHOT")) {
        sheet.UpdateWindow();
        Pump();
        EXPECT_TRUE(WriteSheetPicture(sheet.m_hWnd, pszPath)) << pszPath;
    }

    // Leaving the page reads every control back, the sizes the page put in
    // included; returning adds nothing to the lists.
    settings.m_strHeadRight.Empty();
    LeaveAndReturn();
    ExpectPaper("A4", 0, 8.25, 11.6875);
    EXPECT_EQ(1, settings.m_nOrientation);
    EXPECT_DOUBLE_EQ(0.75, settings.m_dMarginRight);
    EXPECT_DOUBLE_EQ(1.25, settings.m_dMarginBottom);
    EXPECT_STREQ("&PageNo", settings.m_strHeadLeft);
    EXPECT_STREQ("", settings.m_strHeadCenter);  // not the first code of the list
    EXPECT_STREQ("Tomewise", settings.m_strHeadRight);
    EXPECT_STREQ("&URL", settings.m_strFootCenter);
    EXPECT_EQ(1, settings.m_nHeaderSeperator);
    EXPECT_EQ(0, settings.m_nFooterSeperator);
    ExpectLists();
    EXPECT_STREQ("", Text(IDC_HEAD_CENTER));
}

TEST_F(PageSettingTest, PaperAndSizeRules) {
    Open();
    // Inch, then cm: the size of the chosen paper in the unit.
    Click(IDC_UNIT_CM);
    EXPECT_EQ(1, settings.m_nPageSizeUnit);
    EXPECT_STREQ("21", Text(IDC_PAGE_WIDTH));
    EXPECT_STREQ("29.7", Text(IDC_PAGE_HEIGHT));
    ChoosePaper("Letter");
    EXPECT_STREQ("21.59", Text(IDC_PAGE_WIDTH));
    EXPECT_STREQ("27.94", Text(IDC_PAGE_HEIGHT));
    // A typed size selects the paper of exactly that size...
    Type(IDC_PAGE_WIDTH, "21");
    Type(IDC_PAGE_HEIGHT, "29.7");
    EXPECT_EQ(7, page.m_cbPaper.GetCurSel());
    EXPECT_STREQ("A4", Paper());
    // ...and no other: 21.0 is not the table's text.
    Type(IDC_PAGE_WIDTH, "21.0");
    EXPECT_EQ(CB_ERR, page.m_cbPaper.GetCurSel());
    EXPECT_STREQ("Custom", Paper());
    // Names compare without case; what is typed stays as typed ("b5" on
    // the way is a paper of its own).
    Click(IDC_UNIT_INCH);
    TypePaper("b5*");
    EXPECT_STREQ("6.9375", Text(IDC_PAGE_WIDTH));
    EXPECT_STREQ("9.8125", Text(IDC_PAGE_HEIGHT));
    EXPECT_STREQ("b5*", Paper());
    Click(IDC_UNIT_CM);
    TypePaper("a4");
    EXPECT_STREQ("21", Text(IDC_PAGE_WIDTH));
    EXPECT_STREQ("29.7", Text(IDC_PAGE_HEIGHT));
    EXPECT_STREQ("a4", Paper());
    // A name not in the table leaves the size alone.
    TypePaper("Quarto");
    EXPECT_STREQ("21", Text(IDC_PAGE_WIDTH));
    EXPECT_STREQ("Quarto", Paper());
}

TEST_F(PageSettingTest, CustomSizeTravelsBothWays) {
    Open();
    Click(IDC_UNIT_CM);
    Type(IDC_PAGE_WIDTH, "15");
    Type(IDC_PAGE_HEIGHT, "20");
    EXPECT_STREQ("Custom", Paper());
    Type(IDC_MARGIN_LEFT, "1.5");
    Click(IDC_PORTRAIT);
    Type(IDC_HEAD_CENTER, "Page &PageNo");
    LeaveAndReturn();
    ExpectPaper("Custom", 1, 15, 20);
    EXPECT_DOUBLE_EQ(1.5, settings.m_dMarginLeft);
    EXPECT_EQ(0, settings.m_nOrientation);
    EXPECT_STREQ("Page &PageNo", settings.m_strHeadCenter);

    // The sheet opened again over the same settings shows them.
    sheet.DestroyWindow();
    Open();
    ExpectLists();
    EXPECT_STREQ("Custom", Paper());
    EXPECT_EQ(CB_ERR, page.m_cbPaper.GetCurSel());
    EXPECT_EQ(BST_CHECKED, page.IsDlgButtonChecked(IDC_UNIT_CM));
    EXPECT_STREQ("15", Text(IDC_PAGE_WIDTH));
    EXPECT_STREQ("20", Text(IDC_PAGE_HEIGHT));
    EXPECT_EQ(BST_CHECKED, page.IsDlgButtonChecked(IDC_PORTRAIT));
    EXPECT_STREQ("Page &PageNo", Text(IDC_HEAD_CENTER));

    // Initialising again fills no list twice.
    page.OnInitDialog();
    ExpectLists();
}

TEST_F(PageSettingTest, HugeNegativeAndHalfTypedNumbers) {
    Open();
    // While a number is being typed nothing complains...
    Type(IDC_PAGE_WIDTH, "");
    Type(IDC_PAGE_WIDTH, "-");
    Type(IDC_PAGE_WIDTH, "1e300");
    Type(IDC_MARGIN_LEFT, "-2");
    EXPECT_STREQ("Custom", Paper());
    // ...leaving the page with no number does, and keeps the page.
    Type(IDC_MARGIN_TOP, "abc");
    {
        MessageBoxRecorder boxes(IDOK);
        sheet.SetActivePage(1);
        ASSERT_EQ(1u, boxes.texts.size());
        EXPECT_EQ("Please enter a number.", boxes.texts[0]);
    }
    EXPECT_EQ(&page, sheet.GetActivePage());
    Type(IDC_MARGIN_TOP, "0.25");
    LeaveAndReturn();
    EXPECT_DOUBLE_EQ(1e300, settings.m_dPageWidth);
    EXPECT_DOUBLE_EQ(-2, settings.m_dMarginLeft);
    EXPECT_DOUBLE_EQ(0.25, settings.m_dMarginTop);
    EXPECT_STREQ("1e+300", Text(IDC_PAGE_WIDTH));

    // Stored as "%f" text in full (301 digits), and read back the same.
    settings.m_bSave = 1;
    settings.Save();
    CString expected;
    expected.Format("%f", 1e300);
    EXPECT_EQ(308, expected.GetLength());
    EXPECT_STREQ(expected, AfxGetApp()->GetProfileString("Config", "PageWidth"));
    EXPECT_STREQ("-2.000000", AfxGetApp()->GetProfileString("Config", "MarginLeft"));
    CPdfSettings reloaded;
    reloaded.Load();
    EXPECT_DOUBLE_EQ(1e300, reloaded.m_dPageWidth);
    EXPECT_DOUBLE_EQ(-2, reloaded.m_dMarginLeft);
}
