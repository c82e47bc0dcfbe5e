// Dialogs from resource templates: a modal dialog run and answered from the
// test with DDX both ways and DDV, dialog init data, modeless dialogs,
// property sheets (modal, modeless, child) and the common dialog seam.
#include "test_app.h"
#include "test_res.h"
#include "CreationRefusal.h"
#include <functional>
#include <gtest/gtest.h>

namespace {

const UINT WM_RUN_SCRIPT = WM_APP + 20;

// A modal dialog whose OnInitDialog posts itself the test's script.
class CDataDialog : public CDialog {
public:
    CString m_strName = _T("Ada");
    int m_nCount = 5;
    double m_dRatio = 0.25;
    int m_nCheck = 1;
    int m_nRadio = 2;
    int m_nCombo = 1;
    std::function<void(CDataDialog*)> script;
    int nKickIdle = 0;
    BOOL bWaitForIdle = FALSE;  // the script runs once the loop has been idle

    CDataDialog() : CDialog(IDD_DATA) {}

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 1, 10);
        DDX_Text(pDX, IDC_RATIO, m_dRatio);
        DDX_Check(pDX, IDC_CHECK, m_nCheck);
        DDX_Radio(pDX, IDC_RADIO1, m_nRadio);
        DDX_CBIndex(pDX, IDC_COMBO, m_nCombo);
    }
    BOOL OnInitDialog() override {
        BOOL bResult = CDialog::OnInitDialog();
        PostMessage(WM_RUN_SCRIPT);
        return bResult;
    }
    afx_msg LRESULT OnRunScript(WPARAM, LPARAM) {
        if (bWaitForIdle && nKickIdle == 0) {
            SetTimer(1, 10, NULL);  // come back after the queue has emptied
            return 0;
        }
        if (script) script(this);
        return 0;
    }
    afx_msg void OnTimer(UINT_PTR nID) {
        KillTimer(nID);
        PostMessage(WM_RUN_SCRIPT);
    }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM) {
        nKickIdle++;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDataDialog, CDialog)
    ON_MESSAGE(WM_RUN_SCRIPT, OnRunScript)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CString ItemText(CWnd* pDlg, int nID) {
    CString str;
    pDlg->GetDlgItemText(nID, str);
    return str;
}

TEST(DialogTest, ModalDialogRunAndAnsweredWithDdxBothWays) {
    CDataDialog dlg;
    dlg.m_dRatio = 1.0 / 3.0;
    dlg.bWaitForIdle = TRUE;
    bool bChecked = false;
    dlg.script = [&](CDataDialog* d) {
        // members to controls
        EXPECT_EQ(ItemText(d, IDC_NAME), CString(_T("Ada")));
        EXPECT_EQ(ItemText(d, IDC_COUNT), CString(_T("5")));
        EXPECT_EQ(ItemText(d, IDC_RATIO), CString(_T("0.333333333333333")));  // "%.*g", 15 digits
        EXPECT_EQ(d->IsDlgButtonChecked(IDC_CHECK), 1u);
        EXPECT_EQ(d->GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3), IDC_RADIO3);
        CComboBox* pCombo = (CComboBox*)d->GetDlgItem(IDC_COMBO);
        EXPECT_EQ(pCombo->GetCount(), 3);  // from the dialog init data
        EXPECT_EQ(pCombo->GetCurSel(), 1);
        EXPECT_TRUE(d->m_nFlags & WF_MODALLOOP);
        EXPECT_TRUE(d->IsWindowVisible());  // shown when the loop first went idle

        // the user's answer, then OK
        d->SetDlgItemText(IDC_NAME, _T("Grace"));
        d->SetDlgItemText(IDC_COUNT, _T(" 7  "));
        d->SetDlgItemText(IDC_RATIO, _T("2.5e1"));
        d->CheckDlgButton(IDC_CHECK, 0);
        d->CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO1);
        pCombo->SetCurSel(2);
        bChecked = true;
        d->SendMessage(WM_COMMAND, IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(bChecked);
    EXPECT_EQ(dlg.m_hWnd, (HWND)NULL);
    // controls to members
    EXPECT_EQ(dlg.m_strName, CString(_T("Grace")));
    EXPECT_EQ(dlg.m_nCount, 7);
    EXPECT_DOUBLE_EQ(dlg.m_dRatio, 25.0);
    EXPECT_EQ(dlg.m_nCheck, 0);
    EXPECT_EQ(dlg.m_nRadio, 0);
    EXPECT_EQ(dlg.m_nCombo, 2);
    EXPECT_GT(dlg.nKickIdle, 0);  // the modal loop kicks idle
}

TEST(DialogTest, ValidationFailureKeepsTheDialogOpen) {
    MessageBoxRecorder rec;
    CDataDialog dlg;
    struct Case {
        const char* count;
        const char* ratio;
        const char* message;
    } cases[] = {
        {"abc", "1", "Please enter an integer."},
        {"7x", "1", "Please enter an integer."},
        {"", "1", "Please enter an integer."},
        {"99999999999", "1", "Please enter an integer."},
        {"99", "1", "Please enter an integer between 1 and 10."},
        {"0", "1", "Please enter an integer between 1 and 10."},
        {"3", "one", "Please enter a number."},
        {"3", "1e999", "Please enter a number."},
        {"3", "nan", "Please enter a number."},
    };
    dlg.script = [&](CDataDialog* d) {
        for (const Case& c : cases) {
            rec.texts.clear();
            d->SetDlgItemText(IDC_COUNT, c.count);
            d->SetDlgItemText(IDC_RATIO, c.ratio);
            d->SendMessage(WM_COMMAND, IDOK);
            ASSERT_EQ(rec.texts.size(), 1u) << c.count << " " << c.ratio;
            EXPECT_EQ(rec.texts[0], c.message);
            EXPECT_TRUE(d->ContinueModal());  // still open
            // the failing control has the focus again
            HWND hWndFailed = ::GetDlgItem(d->m_hWnd, std::string(c.message).find("number") != std::string::npos
                                                          ? IDC_RATIO
                                                          : IDC_COUNT);
            EXPECT_EQ(::GetFocus(), hWndFailed) << c.message;
        }
        rec.texts.clear();
        d->SetDlgItemText(IDC_COUNT, _T("10"));
        d->SetDlgItemText(IDC_RATIO, _T("-0.5"));
        d->SendMessage(WM_COMMAND, IDOK);
        EXPECT_TRUE(rec.texts.empty());
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nCount, 10);
    EXPECT_DOUBLE_EQ(dlg.m_dRatio, -0.5);
}

TEST(DialogTest, CancelLeavesMembersAndDisablesOwnerWhileModal) {
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, NULL, _T("owner"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, NULL, NULL));
    CDataDialog dlg;
    dlg.m_pParentWnd = &owner;
    BOOL bOwnerEnabledDuring = TRUE;
    dlg.script = [&](CDataDialog* d) {
        bOwnerEnabledDuring = owner.IsWindowEnabled();
        EXPECT_EQ(::GetParent(d->m_hWnd), owner.m_hWnd);
        d->SetDlgItemText(IDC_NAME, _T("changed"));
        d->SendMessage(WM_COMMAND, IDCANCEL);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(bOwnerEnabledDuring);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(dlg.m_strName, CString(_T("Ada")));
    owner.DestroyWindow();
}

TEST(DialogTest, MissingTemplateAndDamagedInitData) {
    CDialog missing(9999);
    EXPECT_EQ(missing.DoModal(), -1);
    // init data running past its resource: the dialog ends with -1
    CDialog bad(IDD_BADINIT);
    EXPECT_EQ(bad.DoModal(), -1);
    EXPECT_EQ(bad.m_hWnd, (HWND)NULL);
}

TEST(DialogTest, ModelessDialogAndTemplateFont) {
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_DATA));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
    CComboBox* pCombo = (CComboBox*)dlg.GetDlgItem(IDC_COMBO);
    EXPECT_EQ(pCombo->GetCount(), 3);
    CString str;
    pCombo->GetLBText(2, str);
    EXPECT_EQ(str, CString(_T("Gamma")));
    // DDX_Control subclasses a control of the dialog
    CComboBox combo;
    CDataExchange dx(&dlg, FALSE);
    DDX_Control(&dx, IDC_COMBO, combo);
    EXPECT_EQ(combo.m_hWnd, pCombo->m_hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(combo.m_hWnd), &combo);

    // raw init data: one good record, then the terminating zero
    BYTE data[] = {0xF0, 0x03, 0x03, 0x04, 3, 0, 0, 0, 'X', 'Y', 0, 0, 0};
    EXPECT_TRUE(dlg.ExecuteDlgInit(data));
    EXPECT_EQ(combo.GetCount(), 4);
    combo.GetLBText(combo.FindStringExact(-1, _T("XY")), str);
    EXPECT_EQ(str, CString(_T("XY")));

    dlg.DestroyWindow();
    EXPECT_EQ(combo.m_hWnd, (HWND)NULL);

    HRSRC hRes = ::FindResource(NULL, MAKEINTRESOURCE(IDD_DATA), RT_DIALOG);
    ASSERT_NE(hRes, (HRSRC)NULL);
    LPCDLGTEMPLATE pTemplate = (LPCDLGTEMPLATE)::LockResource(::LoadResource(NULL, hRes));
    CString strFace;
    WORD nSize = 0;
    ASSERT_TRUE(AfxGetDialogTemplateFont(pTemplate, strFace, nSize));
    EXPECT_EQ(strFace, CString(_T("MS Shell Dlg")));
    EXPECT_EQ(nSize, 8);
}

// --- property sheets ----------------------------------------------------------------

class CTestPage : public CPropertyPage {
public:
    CString m_strText;
    int nSetActive = 0, nKillActive = 0, nApply = 0;
    BOOL bRefuseLeave = FALSE;
    CTestPage(UINT nID, UINT nCaption = 0) : CPropertyPage(nID, nCaption) {}

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_PAGE_EDIT, m_strText); }
    BOOL OnSetActive() override {
        nSetActive++;
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override {
        nKillActive++;
        return !bRefuseLeave && CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override {
        nApply++;
        return CPropertyPage::OnApply();
    }
};

TEST(SheetTest, ModelessSheetPagesAndActivation) {
    CTestPage page1(IDD_PAGE1), page2(IDD_PAGE2, IDS_PAGE2_CAPTION);
    page1.m_strText = _T("one");
    page2.m_strText = _T("two");
    CPropertySheet sheet(IDS_SHEET_CAPTION);
    sheet.AddPage(&page1);
    sheet.AddPage(&page2);
    EXPECT_EQ(sheet.GetPageCount(), 2);
    EXPECT_EQ(sheet.GetPageIndex(&page2), 1);
    ASSERT_TRUE(sheet.Create());
    EXPECT_EQ(CWnd::FromHandlePermanent(sheet.m_hWnd), &sheet);
    CString strTitle;
    sheet.GetWindowText(strTitle);
    EXPECT_EQ(strTitle, CString(_T("Test Sheet")));

    // the first page is created and hooked, its controls filled
    ASSERT_NE(page1.m_hWnd, (HWND)NULL);
    EXPECT_EQ(sheet.GetActivePage(), &page1);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(ItemText(&page1, IDC_PAGE_EDIT), CString(_T("one")));
    EXPECT_EQ(page1.nSetActive, 1);
    CTabCtrl* pTab = sheet.GetTabControl();
    ASSERT_NE(pTab, (CTabCtrl*)NULL);
    EXPECT_EQ(pTab->GetItemCount(), 2);
    TCHAR szTab[64] = {};
    TCITEM item = {};
    item.mask = TCIF_TEXT;
    item.pszText = szTab;
    item.cchTextMax = 64;
    pTab->GetItem(1, &item);
    EXPECT_STREQ(szTab, _T("Second"));  // the caption id replaces the template's

    // switching pages validates the old one (OnKillActive) and activates the new
    page1.SetDlgItemText(IDC_PAGE_EDIT, _T("edited"));
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(page1.nKillActive, 1);
    EXPECT_EQ(page1.m_strText, CString(_T("edited")));
    ASSERT_NE(page2.m_hWnd, (HWND)NULL);
    EXPECT_EQ(sheet.GetActivePage(), &page2);
    EXPECT_EQ(ItemText(&page2, IDC_PAGE_EDIT), CString(_T("two")));

    // a page that refuses to be left keeps the sheet where it is
    page2.bRefuseLeave = TRUE;
    sheet.SetActivePage(0);
    EXPECT_EQ(sheet.GetActivePage(), &page2);
    page2.bRefuseLeave = FALSE;

    // pages added and removed while the sheet lives
    CTestPage page3(IDD_PAGE1);
    sheet.AddPage(&page3);
    EXPECT_EQ(pTab->GetItemCount(), 3);
    sheet.RemovePage(&page3);
    EXPECT_EQ(pTab->GetItemCount(), 2);
    EXPECT_EQ(sheet.GetPageCount(), 2);

    sheet.DestroyWindow();
    EXPECT_EQ(sheet.m_hWnd, (HWND)NULL);
    EXPECT_EQ(page1.m_hWnd, (HWND)NULL);
}

// A sheet whose pages answer from a posted script.
class CScriptSheet : public CPropertySheet {
public:
    std::function<void(CScriptSheet*)> script;
    CScriptSheet() : CPropertySheet(_T("Modal")) {}

protected:
    BOOL OnInitDialog() override {
        PostMessage(WM_RUN_SCRIPT);
        return CPropertySheet::OnInitDialog();
    }
    afx_msg LRESULT OnRunScript(WPARAM, LPARAM) {
        if (script) script(this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CScriptSheet, CPropertySheet)
    ON_MESSAGE(WM_RUN_SCRIPT, OnRunScript)
END_MESSAGE_MAP()

TEST(SheetTest, ModalSheetOkAppliesEveryVisitedPage) {
    CTestPage page1(IDD_PAGE1), page2(IDD_PAGE2);
    CScriptSheet sheet;
    sheet.AddPage(&page1);
    sheet.AddPage(&page2);
    sheet.script = [&](CScriptSheet* s) {
        s->SetActivePage(1);
        page2.SetDlgItemText(IDC_PAGE_EDIT, _T("typed"));
        s->PressButton(PSBTN_OK);
    };
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page2.m_strText, CString(_T("typed")));
    EXPECT_EQ(page1.nApply, 1);
    EXPECT_EQ(page2.nApply, 1);
    EXPECT_EQ(sheet.m_hWnd, (HWND)NULL);

    CTestPage page3(IDD_PAGE1);
    CScriptSheet cancelled;
    cancelled.AddPage(&page3);
    cancelled.script = [&](CScriptSheet* s) { s->PressButton(PSBTN_CANCEL); };
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(page3.nApply, 0);
}

// A modeless dialog or sheet that deletes itself with its window, counted.
template <class TBase>
struct CSelfDeletingOf : TBase {
    int nPostNcDestroy = 0;
    int* pnDeleted;
    explicit CSelfDeletingOf(int* pn) : pnDeleted(pn) {}
    ~CSelfDeletingOf() override { ++*pnDeleted; }
    void PostNcDestroy() override {
        nPostNcDestroy++;
        delete this;
    }
};

// A creation that fails, before any window or when the system refuses it,
// has run PostNcDestroy once: a self-deleting object is gone.
TEST(SheetTest, ARefusedModelessDialogOrSheetHasDeletedItself) {
    CTestPage page(IDD_PAGE1);
    struct Case {
        const char* pszName;
        bool bSheet;
        UINT nTemplate;
        bool bRefuse;
    };
    for (const Case& c : {Case{"dialog without its template", false, 9999, false},
                          Case{"dialog refused by the system", false, IDD_DATA, true},
                          Case{"sheet refused by the system", true, 0, true}}) {
        SCOPED_TRACE(c.pszName);
        int nDeleted = 0;
        CCreationRefusal refusal(NULL, c.bRefuse ? 1 : 0);
        if (c.bSheet) {
            auto* pSheet = new CSelfDeletingOf<CPropertySheet>(&nDeleted);
            pSheet->AddPage(&page);
            EXPECT_FALSE(pSheet->Create());
        } else {
            EXPECT_FALSE((new CSelfDeletingOf<CDialog>(&nDeleted))->Create(c.nTemplate));
        }
        EXPECT_EQ(nDeleted, 1);
        EXPECT_EQ(refusal.Refused(), c.bRefuse ? 1 : 0);
    }
}

TEST(SheetTest, SheetAsChildControlOfADialog) {
    CDialog host;
    ASSERT_TRUE(host.Create(IDD_HOST));
    CTestPage page1(IDD_PAGE1), page2(IDD_PAGE2);
    CPropertySheet sheet(_T(""));
    sheet.AddPage(&page1);
    sheet.AddPage(&page2);
    ASSERT_TRUE(sheet.Create(&host, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0));
    EXPECT_TRUE(sheet.GetStyle() & WS_CHILD);
    EXPECT_FALSE(sheet.GetStyle() & WS_CAPTION);
    EXPECT_EQ(::GetParent(sheet.m_hWnd), host.m_hWnd);
    EXPECT_TRUE(host.IsChild(&page1));
    EXPECT_TRUE(sheet.SetActivePage(&page2));
    EXPECT_EQ(sheet.GetActivePage(), &page2);
    host.DestroyWindow();
    EXPECT_EQ(sheet.m_hWnd, (HWND)NULL);
}

// --- common dialogs -------------------------------------------------------------------

INT_PTR AFXAPI AnswerFileDialog(CCommonDialog* pDialog) {
    CFileDialog* pFile = DYNAMIC_DOWNCAST(CFileDialog, pDialog);
    if (pFile == NULL) return IDCANCEL;
    lstrcpy(pFile->m_ofn.lpstrFile, _T("C:\\books\\guide.chm"));
    return IDOK;
}

TEST(CommonDialogTest, FileDialogThroughTheTestSeam) {
    CCommonDialog::AFX_COMMONDIALOG_HOOK pfnOld = CCommonDialog::SetTestHook(&AnswerFileDialog);
    CFileDialog dlg(TRUE, _T("chm"), NULL, OFN_FILEMUSTEXIST, _T("Help files (*.chm)|*.chm|All files|*.*||"));
    // the filter's separators became NULs
    EXPECT_EQ(memcmp(dlg.m_ofn.lpstrFilter, "Help files (*.chm)\0*.chm\0All files\0*.*\0", 40), 0);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), CString(_T("C:\\books\\guide.chm")));
    EXPECT_EQ(dlg.GetFileName(), CString(_T("guide.chm")));
    EXPECT_EQ(dlg.GetFileExt(), CString(_T("chm")));
    EXPECT_EQ(dlg.GetFileTitle(), CString(_T("guide")));
    CColorDialog color(RGB(1, 2, 3), CC_FULLOPEN | CC_ANYCOLOR);
    EXPECT_EQ(color.DoModal(), IDCANCEL);
    EXPECT_EQ(color.GetColor(), RGB(1, 2, 3));
    EXPECT_TRUE(color.m_cc.Flags & CC_RGBINIT);
    CCommonDialog::SetTestHook(pfnOld);
}

}  // namespace
