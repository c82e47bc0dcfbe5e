// Property items: value texts by type, parsing edited texts back, the
// editors items make, and the kinds' buttons.
#include "test_support.h"
#include "SPPropList.h"
#include "SPMaskEdit.h"
#include <gtest/gtest.h>

namespace {

VARIANT Var(VARTYPE vt) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = vt;
    return v;
}
VARIANT VarI2(SHORT n) { VARIANT v = Var(VT_I2); v.iVal = n; return v; }
VARIANT VarI4(LONG n) { VARIANT v = Var(VT_I4); v.lVal = n; return v; }
VARIANT VarR4(float f) { VARIANT v = Var(VT_R4); v.fltVal = f; return v; }
VARIANT VarR8(double d) { VARIANT v = Var(VT_R8); v.dblVal = d; return v; }
VARIANT VarBool(bool b) { VARIANT v = Var(VT_BOOL); v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE; return v; }

// A list in a visible host window.
struct ListFixture : public ::testing::Test {
    CHostWnd host;
    CSPPropList list;
    void SetUp() override {
        ASSERT_TRUE(host.CreateHost(400, 300));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 400, 300), &host, 77));
    }
    CSPProp* Add(CSPProp* p) {
        EXPECT_GE(list.AddProperty(p), 0);
        return p;
    }
};

TEST(PropTest, ValueTextByType) {
    VARIANT bstr;
    SPStringToVariant(_T("hello world"), bstr);
    VARIANT date = Var(VT_DATE);
    date.date = 1.0;
    VARIANT ui1 = Var(VT_UI1);
    ui1.bVal = 7;
    struct Case {
        VARIANT value;
        const char* text;
    } cases[] = {
        {VarI2(-12), "-12"},
        {VarI4(2000000000), "2000000000"},
        {VarR4(1.5f), "1.500000"},
        {VarR8(-2.25), "-2.250000"},
        {bstr, "hello world"},
        {VarBool(true), "True"},
        {VarBool(false), "False"},
        {date, "*** error ***"},
        {ui1, "*** error ***"},
        {Var(VT_EMPTY), "*** error ***"},
    };
    for (Case& c : cases) {
        CSPProp prop(_T("p"), c.value);
        EXPECT_EQ(std::string(prop.FormatProperty()), c.text) << "vt " << c.value.vt;
    }
    ::VariantClear(&bstr);

    CSPProp group(_T("Group"));
    EXPECT_TRUE(group.IsGroup());
    EXPECT_EQ(std::string(group.FormatProperty()), "");
}

TEST(PropTest, BooleanItemHasTheTwoLabelsAsDropDownAndNoTyping) {
    CSPProp prop(_T("b"), VarBool(true));
    EXPECT_FALSE(prop.IsAllowEdit());
    EXPECT_EQ(prop.GetFlags() & CSPProp::PROP_HAS_LIST, (DWORD)CSPProp::PROP_HAS_LIST);
    EXPECT_TRUE(prop.HasButton());
    CSPProp number(_T("n"), VarI4(1));
    EXPECT_TRUE(number.IsAllowEdit());
    EXPECT_FALSE(number.HasButton());
}

TEST(PropTest, RuntimeClassesCreateTheKinds) {
    for (const char* name : {"CSPProp", "CSPColorProp", "CSPFileProp", "CSPFontProp"}) {
        CObject* pObj = CRuntimeClass::CreateObject(name);
        ASSERT_NE(pObj, nullptr) << name;
        EXPECT_STREQ(pObj->GetRuntimeClass()->m_lpszClassName, name);
        EXPECT_TRUE(pObj->IsKindOf(RUNTIME_CLASS(CSPProp)));
        delete pObj;
    }
}

TEST(PropTest, ColorTextIsSixHexDigits) {
    CSPColorProp prop(_T("c"), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(std::string(prop.FormatProperty()), "563412");
    EXPECT_TRUE(prop.HasButton());
}

TEST(PropTest, SubItemsBelongToOneParent) {
    CSPProp* pGroup = new CSPProp(_T("g"));
    CSPProp* pChild = new CSPProp(_T("c"), VarI4(1), NULL, 5);
    EXPECT_TRUE(pGroup->AddSubItem(pChild));
    EXPECT_FALSE(pGroup->AddSubItem(pChild));   // already a sub-item
    EXPECT_FALSE(pChild->AddSubItem(pGroup));   // would make a cycle
    EXPECT_EQ(pGroup->FindSubItemByData(5), pChild);
    delete pGroup;  // deletes the child
}

// Typed text back into the value: only whole numbers of the type's range.
typedef ListFixture ParseTest;
TEST_F(ParseTest, EditedTextIsTakenOnlyWhenItIsAValueOfTheType) {
    struct Case {
        VARIANT value;
        const char* typed;
        bool ok;
        const char* shown;  // the value text afterwards
    } cases[] = {
        {VarI2(1), "123", true, "123"},
        {VarI2(1), "-32768", true, "-32768"},
        {VarI2(1), "70000", false, "1"},       // not 4464
        {VarI2(1), "12abc", false, "1"},
        {VarI2(1), "", false, "1"},
        {VarI4(1), "-2147483648", true, "-2147483648"},
        {VarI4(1), "2147483648", false, "1"},
        {VarI4(1), " 42 ", true, "42"},
        {VarR4(1), "2.5", true, "2.500000"},
        {VarR4(1), "1e39", false, "1.000000"},
        {VarR4(1), "abc", false, "1.000000"},
        {VarR8(1), "1e10", true, "10000000000.000000"},
        {VarR8(1), "nan", false, "1.000000"},
        {VarR8(1), "x", false, "1.000000"},
        {VarBool(true), "False", true, "False"},
        {VarBool(false), "True", true, "True"},
        {VarBool(false), "1", true, "True"},
    };
    for (Case& c : cases) {
        CSPProp* p = Add(new CSPProp(_T("item"), c.value));
        ASSERT_TRUE(list.EditItem(p));
        ASSERT_NE(p->GetInPlaceWnd(), nullptr);
        p->GetInPlaceWnd()->SetWindowText(c.typed);
        EXPECT_EQ(list.EndEditItem(TRUE) != FALSE, c.ok) << c.typed;
        EXPECT_EQ(p->IsInPlaceEditing() != FALSE, !c.ok) << c.typed;  // a failed edit stays open
        EXPECT_EQ(std::string(p->FormatProperty()), c.shown) << c.typed;
        list.EndEditItem(FALSE);
        list.RemoveAll();
    }
}

TEST_F(ParseTest, ChangeIsReportedOnceAndOnlyWhenTheValueChanged) {
    CSPProp* p = Add(new CSPProp(_T("n"), VarI4(5)));
    ASSERT_TRUE(list.EditItem(p));
    p->GetInPlaceWnd()->SetWindowText(_T("5"));
    ASSERT_TRUE(list.EndEditItem(TRUE));
    EXPECT_TRUE(host.changes.empty());

    ASSERT_TRUE(list.EditItem(p));
    p->GetInPlaceWnd()->SetWindowText(_T("6"));
    ASSERT_TRUE(list.EndEditItem(TRUE));
    ASSERT_EQ(host.changes.size(), 1u);
    EXPECT_EQ(host.changes[0].first, (WPARAM)77);
    EXPECT_EQ(host.changes[0].second, (LPARAM)p);
    EXPECT_EQ(p->GetValue().lVal, 6);
}

TEST_F(ParseTest, EditorsByItem) {
    CSPProp* pPlain = Add(new CSPProp(_T("plain"), VarI4(1)));
    CSPProp* pMasked = Add(new CSPProp(_T("masked"), VarI4(12), NULL, 0, _T("DD"), _T("__"), NULL));
    CSPProp* pOff = Add(new CSPProp(_T("disabled"), VarI4(3)));
    pOff->Enable(FALSE);
    CSPProp* pGroup = Add(new CSPProp(_T("group")));
    VARIANT date = Var(VT_DATE);
    CSPProp* pDate = Add(new CSPProp(_T("date"), date));

    ASSERT_TRUE(list.EditItem(pPlain));
    CWnd* pEdit = pPlain->GetInPlaceWnd();
    ASSERT_NE(pEdit, nullptr);
    EXPECT_EQ(pEdit->GetDlgCtrlID(), 3);
    EXPECT_FALSE(pEdit->GetStyle() & ES_READONLY);
    EXPECT_TRUE(pEdit->GetStyle() & ES_AUTOHSCROLL);
    // the value column less 2 px at top and bottom, 5 px right of the divider
    CRect rectEdit;
    pEdit->GetWindowRect(rectEdit);
    list.ScreenToClient(rectEdit);
    EXPECT_EQ(rectEdit.left, list.GetListRect().left + list.GetNameColumnWidth() + 5);
    EXPECT_EQ(rectEdit.top, pPlain->GetRect().top + 2);
    EXPECT_EQ(rectEdit.bottom, pPlain->GetRect().bottom - 2);

    ASSERT_TRUE(list.EditItem(pMasked));
    EXPECT_NE(DYNAMIC_DOWNCAST(CSPMaskEdit, pMasked->GetInPlaceWnd()), nullptr);

    ASSERT_TRUE(list.EditItem(pOff));
    ASSERT_NE(pOff->GetInPlaceWnd(), nullptr);
    EXPECT_TRUE(pOff->GetInPlaceWnd()->GetStyle() & ES_READONLY);

    EXPECT_FALSE(list.EditItem(pGroup));
    EXPECT_EQ(pGroup->GetInPlaceWnd(), nullptr);
    EXPECT_TRUE(list.EditItem(pDate));  // the list's answer; the item made no editor
    EXPECT_EQ(pDate->GetInPlaceWnd(), nullptr);
}

TEST_F(ParseTest, BooleanShowsListLabelsAndDoubleClickToggles) {
    list.SetBoolLabels(_T("Yes"), _T("No"));
    CSPProp* p = Add(new CSPProp(_T("flag"), VarBool(true)));
    p->AddOption(_T("Yes"));
    p->AddOption(_T("No"));
    EXPECT_EQ(std::string(p->FormatProperty()), "Yes");
    ASSERT_TRUE(list.EditItem(p));
    ASSERT_NE(p->GetComboWnd(), nullptr);
    EXPECT_EQ(p->GetComboWnd()->GetCount(), 2);
    EXPECT_TRUE(p->OnDblClick(CPoint(0, 0)));
    EXPECT_EQ(std::string(p->FormatProperty()), "No");
    EXPECT_EQ(p->GetValue().boolVal, VARIANT_FALSE);
    EXPECT_TRUE(p->OnDblClick(CPoint(0, 0)));
    EXPECT_EQ(p->GetValue().boolVal, VARIANT_TRUE);
    EXPECT_EQ(host.changes.size(), 2u);
    // typed characters pick an option
    EXPECT_TRUE(p->PushChar('n'));
    EXPECT_EQ(std::string(p->FormatProperty()), "No");
}

TEST_F(ParseTest, FileAndFontButtonsReportEachChangeOnce) {
    CSPFileProp* pFile = new CSPFileProp(_T("file"), TRUE, _T("C:\\a.chm"), _T("chm"));
    Add(pFile);
    LOGFONT lf = {};
    lstrcpy(lf.lfFaceName, _T("Arial"));
    lf.lfHeight = -12;
    CSPFontProp* pFont = new CSPFontProp(_T("font"), lf);
    Add(pFont);
    EXPECT_FALSE(pFont->IsAllowEdit());

    CommonDialogAnswer answer([](CCommonDialog* pDlg) -> INT_PTR {
        if (CFileDialog* pFileDlg = DYNAMIC_DOWNCAST(CFileDialog, pDlg)) {
            lstrcpy(pFileDlg->m_ofn.lpstrFile, _T("C:\\books\\b.chm"));
            return IDOK;
        }
        if (CFontDialog* pFontDlg = DYNAMIC_DOWNCAST(CFontDialog, pDlg)) {
            pFontDlg->m_lf.lfHeight = -20;  // same face, another size
            return IDOK;
        }
        return IDCANCEL;
    });
    list.SetCurSel(pFile);
    ASSERT_TRUE(list.EditItem(pFile));
    list.OnClickButton(CPoint(-1, -1));
    EXPECT_EQ(std::string(pFile->FormatProperty()), "C:\\books\\b.chm");
    EXPECT_EQ(pFile->GetValue().vt, VT_BSTR);
    ASSERT_EQ(host.changes.size(), 1u);  // not once by the item and once more by the list

    list.SetCurSel(pFont);
    ASSERT_TRUE(list.EditItem(pFont));
    list.OnClickButton(CPoint(-1, -1));
    EXPECT_EQ(pFont->GetLogFont()->lfHeight, -20);
    EXPECT_EQ(host.changes.size(), 2u);  // reported although the face name stayed
    EXPECT_EQ(answer.nCalls, 2);
}

TEST_F(ParseTest, FolderModeUsesTheFolderBrowser) {
    auto pfnOld = CSPFileProp::s_pfnBrowseForFolder;
    static CString strInitial;
    CSPFileProp::s_pfnBrowseForFolder = [](CString& strFolder, CWnd*, LPCTSTR lpszInitial) -> BOOL {
        strInitial = lpszInitial;
        strFolder = _T("D:\\out");
        return TRUE;
    };
    CSPFileProp* p = new CSPFileProp(_T("folder"), CString(_T("C:\\in")));
    Add(p);
    list.SetCurSel(p);
    list.OnClickButton(CPoint(-1, -1));
    EXPECT_EQ(std::string(strInitial), "C:\\in");
    EXPECT_EQ(std::string(p->FormatProperty()), "D:\\out");
    EXPECT_EQ(host.changes.size(), 1u);
    CSPFileProp::s_pfnBrowseForFolder = pfnOld;
}

TEST_F(ParseTest, ColorTextIsReadBackAsHex) {
    CSPColorProp* p = new CSPColorProp(_T("c"), RGB(1, 2, 3));
    Add(p);
    struct Case {
        const char* typed;
        bool ok;
        COLORREF color;
    } cases[] = {{"ff0000", true, 0xff0000}, {"zz", false, 0xff0000}, {"1000000", false, 0xff0000}, {" 0a ", true, 0x0a}};
    for (const Case& c : cases) {
        ASSERT_TRUE(list.EditItem(p));
        p->GetInPlaceWnd()->SetWindowText(c.typed);
        EXPECT_EQ(list.EndEditItem(TRUE) != FALSE, c.ok) << c.typed;
        EXPECT_EQ(p->GetColor(), c.color) << c.typed;
        list.EndEditItem(FALSE);
    }
    // the popup's answer through the list
    list.SetCurSel(p);
    list.OnSelectColor(RGB(9, 9, 9));
    EXPECT_EQ(p->GetColor(), RGB(9, 9, 9));
    EXPECT_EQ(host.changes.size(), 3u);
}

}  // namespace
