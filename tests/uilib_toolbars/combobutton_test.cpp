// Combo-box buttons: items kept in the button, twins on two bars in step,
// the command on selection and Enter, vertical bars, the stored record.
#include "hosted_support.h"

using namespace tbtest;

namespace {

using ComboPtr = std::unique_ptr<CSPToolbarComboBoxButton>;

ComboPtr MakeCombo(DWORD dwStyle = CBS_DROPDOWNLIST) {
    ComboPtr p(new CSPToolbarComboBoxButton(ID_OPEN, 0, dwStyle, 120));
    p->AddItem("alpha", 1);
    p->AddItem("beta", 2);
    p->AddItem("gamma", 3);
    return p;
}

ComboPtr LoadCombo(const std::vector<BYTE>& bytes) {
    return ComboPtr(LoadAs<CSPToolbarComboBoxButton>(bytes, RUNTIME_CLASS(CSPToolbarComboBoxButton)));
}

CSPToolbarComboBoxButton* HostedCombo(CSPToolBar* pBar) {
    return HostedTest::Hosted<CSPToolbarComboBoxButton>(pBar, RUNTIME_CLASS(CSPToolbarComboBoxButton));
}

std::string Items(const CSPToolbarComboBoxButton& button) {
    std::string s;
    for (int i = 0; i < button.GetCount(); i++)
        s += std::string(button.GetItem(i)) + "=" + std::to_string(button.GetItemData(i)) + " ";
    return s + "@" + std::to_string(button.GetCurSel());
}

using ComboTest = HostedTest;

}  // namespace

TEST(ComboItems, OperationsWithoutAWindow) {
    struct Case {
        const char* name;
        void (*act)(CSPToolbarComboBoxButton&);
        const char* expected;
    } cases[] = {
        {"duplicate adds nothing", [](CSPToolbarComboBoxButton& b) { b.AddItem("beta", 9); },
         "alpha=1 beta=2 gamma=3 @1"},
        {"delete current last", [](CSPToolbarComboBoxButton& b) { b.SelectItem(2); b.DeleteItem(2); },
         "alpha=1 beta=2 @1"},
        {"delete before current keeps its item", [](CSPToolbarComboBoxButton& b) { b.SelectItem(2); b.DeleteItem(0); },
         "beta=2 gamma=3 @1"},
        {"delete current middle", [](CSPToolbarComboBoxButton& b) { b.DeleteItem((LPCTSTR)"beta"); },
         "alpha=1 gamma=3 @1"},
        {"delete by data", [](CSPToolbarComboBoxButton& b) { b.DeleteItem((DWORD)3); }, "alpha=1 beta=2 @1"},
        {"out of range", [](CSPToolbarComboBoxButton& b) { b.DeleteItem(7); b.DeleteItem(-1); b.SelectItem(3); },
         "alpha=1 beta=2 gamma=3 @1"},
        {"select by text", [](CSPToolbarComboBoxButton& b) { b.SelectItem((LPCTSTR)"gamma"); },
         "alpha=1 beta=2 gamma=3 @2"},
        {"remove all", [](CSPToolbarComboBoxButton& b) { b.RemoveAllItems(); }, "@-1"},
    };
    for (const Case& c : cases) {
        ComboPtr p = MakeCombo();
        CSPToolbarComboBoxButton& button = *p;
        button.SelectItem(1);
        c.act(button);
        EXPECT_EQ(Items(button), c.expected) << c.name;
        // The current item is always readable.
        const int iSel = button.GetCurSel();
        EXPECT_EQ(button.GetItem(-1) == NULL, iSel < 0) << c.name;
    }
    ComboPtr p = MakeCombo();
    EXPECT_STREQ(p->GetText(), "alpha");  // the first item added
    EXPECT_EQ(p->GetItemData(5), 0u);
}

TEST_F(ComboTest, TwinsOnTwoBarsStayInStepAndPostTheCommand) {
    CSPToolBar* pFirst = BarWith(*MakeCombo(), 0);
    CSPToolBar* pSecond = BarWith(*MakeCombo(), 40);
    auto* p1 = HostedCombo(pFirst);
    auto* p2 = HostedCombo(pSecond);
    ASSERT_TRUE(p1 && p2);
    ASSERT_NE(p1->GetHwnd(), (HWND)NULL);
    EXPECT_EQ(p1->GetComboBox()->GetCount(), 3);

    // The user picks "gamma" in the first bar's combo.
    p1->GetComboBox()->SetCurSel(2);
    pFirst->SendMessage(WM_COMMAND, MAKEWPARAM(ID_OPEN, CBN_SELENDOK), (LPARAM)p1->GetHwnd());
    Pump();
    EXPECT_EQ(p2->GetCurSel(), 2);
    EXPECT_EQ(p2->GetComboBox()->GetCurSel(), 2);
    EXPECT_STREQ(p2->GetText(), "gamma");
    EXPECT_EQ(CSPToolbarComboBoxButton::GetCurSelAll(ID_OPEN), 2);
    EXPECT_STREQ(CSPToolbarComboBoxButton::GetTextAll(ID_OPEN), "gamma");
    ASSERT_EQ(controlCommands.size(), 1u);
    EXPECT_EQ(controlCommands[0], std::make_pair((UINT)ID_OPEN, (UINT)CBN_SELENDOK));

    // Selecting through the class-wide call notifies once and spreads.
    controlCommands.clear();
    EXPECT_TRUE(CSPToolbarComboBoxButton::SelectItemAll(ID_OPEN, (LPCTSTR)"alpha"));
    EXPECT_EQ(p1->GetCurSel(), 0);
    EXPECT_EQ(p2->GetCurSel(), 0);
    EXPECT_FALSE(CSPToolbarComboBoxButton::SelectItemAll(ID_OPEN, 17));
    EXPECT_FALSE(CSPToolbarComboBoxButton::SelectItemAll(999, 0));
    EXPECT_EQ(CSPToolbarComboBoxButton::GetCountAll(999), -1);

    // Notifications that mean nothing to the button are not passed on.
    pFirst->SendMessage(WM_COMMAND, MAKEWPARAM(ID_OPEN, CBN_DROPDOWN), (LPARAM)p1->GetHwnd());
    Pump();
    EXPECT_TRUE(controlCommands.empty());
}

TEST_F(ComboTest, EditableComboSpreadsTextAndSendsTheCommandOnEnter) {
    CSPToolBar* pFirst = BarWith(*MakeCombo(CBS_DROPDOWN), 0);
    CSPToolBar* pSecond = BarWith(*MakeCombo(CBS_DROPDOWN), 40);
    auto* p1 = HostedCombo(pFirst);
    auto* p2 = HostedCombo(pSecond);
    ASSERT_TRUE(p1 && p2);
    ASSERT_NE(p1->GetEditCtrl(), (CEdit*)NULL);

    // Typed into the first bar's edit: the twin shows the same text.
    p1->GetEditCtrl()->SetWindowText("typed");
    Pump();
    EXPECT_STREQ(p1->GetText(), "typed");
    EXPECT_STREQ(p2->GetText(), "typed");
    CString strTwin;
    p2->GetEditCtrl()->GetWindowText(strTwin);
    EXPECT_STREQ(strTwin, "typed");

    // A very long text is kept whole.
    const CString strLong(std::string(100000, 'x').c_str());
    p1->SetText(strLong);
    Pump();
    EXPECT_EQ(CString(p2->GetText()).GetLength(), 100000);

    controlCommands.clear();
    p1->GetEditCtrl()->SetWindowText("entered");
    MSG msg = {p1->GetEditCtrl()->GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0};
    EXPECT_TRUE(p1->GetEditCtrl()->PreTranslateMessage(&msg));
    Pump();
    ASSERT_FALSE(controlCommands.empty());
    EXPECT_EQ(controlCommands.back().first, (UINT)ID_OPEN);
    EXPECT_STREQ(p2->GetText(), "entered");
}

TEST_F(ComboTest, VerticalBarHidesTheComboAndDrawsAnImageButton) {
    CSPToolBar* pBar = BarWith(*MakeCombo(CBS_DROPDOWN), 0, TRUE);
    auto* p = HostedCombo(pBar);
    ASSERT_TRUE(p != NULL);
    ASSERT_NE(p->GetHwnd(), (HWND)NULL);
    EXPECT_FALSE(p->IsWindowVisible());
    CRect rect;
    pBar->GetItemRect(pBar->CommandToIndex(ID_OPEN), rect);
    EXPECT_LT(rect.Width(), 60);  // an image button, not 120 pixels of combo
    pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);  // draws without a combo
}

TEST_F(ComboTest, RecordRoundTripsWithTheWindowsEntries) {
    CSPToolBar* pBar = BarWith(*MakeCombo(), 0);
    auto* p = HostedCombo(pBar);
    ASSERT_TRUE(p != NULL);
    // An entry added to the window directly is what gets stored.
    const int i = p->GetComboBox()->AddString("delta");
    p->GetComboBox()->SetItemData(i, 4);
    p->GetComboBox()->SetCurSel(i);
    p->SetDropDownHeight(200);
    const std::vector<BYTE> bytes = StoreObject(*p);

    ComboPtr pLoaded = LoadCombo(bytes);
    ASSERT_TRUE(pLoaded != nullptr);
    EXPECT_EQ(Items(*pLoaded), "alpha=1 beta=2 gamma=3 delta=4 @3");
    EXPECT_STREQ(pLoaded->GetText(), "delta");
    EXPECT_EQ(pLoaded->GetWidth(), 120);

    // A copy onto another bar shows the same items in its window.
    CSPToolBar* pOther = BarWith(*pLoaded, 40);
    auto* pCopy = HostedCombo(pOther);
    ASSERT_TRUE(pCopy != NULL);
    EXPECT_EQ(pCopy->GetComboBox()->GetCount(), 4);
    EXPECT_EQ(pCopy->GetComboBox()->GetCurSel(), 3);
}

TEST(ComboRecord, DamagedRecordsFailCleanly) {
    ComboPtr pButton = MakeCombo();
    pButton->SelectItem(1);
    const std::vector<BYTE> bytes = StoreObject(*pButton);
    EXPECT_EQ(Items(*LoadCombo(bytes)), "alpha=1 beta=2 gamma=3 @1");
    // Every truncation fails, and never leaves an object behind.
    for (size_t n = 0; n < bytes.size(); n++) {
        std::vector<BYTE> cut(bytes.begin(), bytes.begin() + n);
        ComboPtr p = LoadCombo(cut);
        EXPECT_EQ(p, nullptr) << n;
    }
    // A plain button's record is not taken for a combo.
    CSPToolbarButton plain(ID_OPEN, 0, "plain");
    EXPECT_EQ(LoadCombo(StoreObject(plain)), nullptr);
}

TEST(ComboRecord, CountsAndIndexesOutOfRange) {
    // Records written by hand: the base record, then the combo's fields.
    for (int iSel : {50, -7}) {
        ComboPtr pCombo = MakeCombo();
        CSPToolbarComboBoxButton& b = *pCombo;
        std::vector<BYTE> rec = ArchiveBytes([&](CArchive& ar) {
            CSPToolbarButton plain(ID_OPEN, 0);
            plain.CSPToolbarButton::Serialize(ar);
            ar << (DWORD)120 << (DWORD)0x50200403 << iSel << CString("x") << (DWORD)150;
            ar.WriteCount(2);
            ar << CString("one") << CString("two") << (DWORD)1 << (DWORD)2;
        });
        CMemFile file(rec.data(), (UINT)rec.size());
        CArchive ar(&file, CArchive::load);
        b.Serialize(ar);
        EXPECT_EQ(b.GetCount(), 2);
        EXPECT_EQ(b.GetCurSel(), -1) << iSel;
        EXPECT_EQ(b.GetItem(-1), (LPCTSTR)NULL);
    }
    // A count of a million strings with two present ends in an archive error.
    std::vector<BYTE> rec = ArchiveBytes([&](CArchive& ar) {
        CSPToolbarButton plain(ID_OPEN, 0);
        plain.CSPToolbarButton::Serialize(ar);
        ar << (DWORD)120 << (DWORD)0x50200403 << 0 << CString("x") << (DWORD)150;
        ar.WriteCount(1000000);
        ar << CString("one") << CString("two");
    });
    CMemFile file(rec.data(), (UINT)rec.size());
    CArchive ar(&file, CArchive::load);
    CSPToolbarComboBoxButton b;
    bool bThrown = false;
    try {
        b.Serialize(ar);
    } catch (CArchiveException* e) {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}
