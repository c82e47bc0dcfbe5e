// Masked edit: values by mask (tables), typing, deleting, pasting, and the
// window-text copy.
#include "SPMaskEdit.h"
#include "test_support.h"
#include <gtest/gtest.h>

namespace {

// the phone template: a parenthesised group of three, a space, three, a
// hyphen and four
const LPCTSTR kPhoneMask = _T("DDDDDDDDDD");
const LPCTSTR kPhoneTemplate = _T("(___) ___-____");

TEST(MaskEditValues, SetValueFollowsTheMask) {
    struct Case {
        LPCTSTR lpszMask;
        LPCTSTR lpszTemplate;
        LPCTSTR lpszValid;
        BOOL bWithoutLiterals;
        LPCTSTR lpszValue;
        BOOL bAccepted;
        LPCTSTR lpszShown;  // the value afterwards
    } cases[] = {
        // a complete value with literals is as long as the template
        {kPhoneMask, kPhoneTemplate, NULL, FALSE, _T("(555) 123-4567"), TRUE, _T("(555) 123-4567")},
        {kPhoneMask, kPhoneTemplate, NULL, FALSE, _T("(555) 1"), TRUE, _T("(555) 1__-____")},
        {kPhoneMask, kPhoneTemplate, NULL, FALSE, _T("(555) 123-45678"), FALSE, _T("(___) ___-____")},
        {kPhoneMask, kPhoneTemplate, NULL, FALSE, _T("(5a5) 123-4567"), FALSE, _T("(___) ___-____")},
        {kPhoneMask, kPhoneTemplate, NULL, FALSE, _T("[555] 123-4567"), FALSE, _T("(___) ___-____")},
        {kPhoneMask, kPhoneTemplate, NULL, FALSE, _T("(5_5) 123-4567"), TRUE, _T("(5_5) 123-4567")},
        {kPhoneMask, kPhoneTemplate, NULL, TRUE, _T("5551234567"), TRUE, _T("(555) 123-4567")},
        {kPhoneMask, kPhoneTemplate, NULL, TRUE, _T("55512345678"), FALSE, _T("(___) ___-____")},
        {kPhoneMask, kPhoneTemplate, _T("0123456789"), FALSE, _T("(555) 123-4567"), TRUE, _T("(555) 123-4567")},
        {kPhoneMask, kPhoneTemplate, _T("01234"), FALSE, _T("(555) 123-4567"), FALSE, _T("(___) ___-____")},
        // mask classes
        {_T("d"), _T("_"), NULL, FALSE, _T(" "), TRUE, _T(" ")},
        {_T("D"), _T("_"), NULL, FALSE, _T(" "), FALSE, _T("_")},
        {_T("AA"), _T("__"), NULL, FALSE, _T("x9"), TRUE, _T("x9")},
        {_T("A"), _T("_"), NULL, FALSE, _T("-"), FALSE, _T("_")},
        {_T("a"), _T("_"), NULL, FALSE, _T(" "), TRUE, _T(" ")},
        {_T("CC"), _T("__"), NULL, FALSE, _T("Ab"), TRUE, _T("Ab")},
        {_T("C"), _T("_"), NULL, FALSE, _T("1"), FALSE, _T("_")},
        {_T("c"), _T("_"), NULL, FALSE, _T(" "), TRUE, _T(" ")},
        {_T("+++"), _T("___"), NULL, FALSE, _T("+- "), TRUE, _T("+- ")},
        {_T("+"), _T("_"), NULL, FALSE, _T("1"), FALSE, _T("_")},
        {_T("x"), _T("_"), NULL, FALSE, _T("1"), FALSE, _T("_")},
    };
    for (const Case& c : cases) {
        CSPMaskEdit edit;
        edit.EnableMask(c.lpszMask, c.lpszTemplate, _T('_'), c.lpszValid);
        edit.EnableGetMaskedCharsOnly(c.bWithoutLiterals);
        EXPECT_EQ(c.bAccepted, edit.SetValue(c.lpszValue)) << c.lpszTemplate << " <- " << c.lpszValue;
        EXPECT_STREQ(c.lpszShown, edit.GetFullValue()) << c.lpszTemplate << " <- " << c.lpszValue;
    }
}

TEST(MaskEditValues, GetValueGivesTheTypedCharacters) {
    CSPMaskEdit edit;
    edit.EnableMask(kPhoneMask, kPhoneTemplate, _T('_'));
    ASSERT_TRUE(edit.SetValue(_T("(555) 12")));
    EXPECT_STREQ(_T("55512"), edit.GetValue(FALSE));
    EXPECT_STREQ(_T("55512_____"), edit.GetValue(TRUE));

    // a fresh mask shows the placeholder, which is no input
    CSPMaskEdit spaces;
    spaces.EnableMask(_T("DDD"), _T("#___"), _T(' '));
    EXPECT_STREQ(_T("#   "), spaces.GetFullValue());
    EXPECT_STREQ(_T(""), spaces.GetValue());
    ASSERT_TRUE(spaces.SetValue(_T("#4")));
    EXPECT_STREQ(_T("4"), spaces.GetValue());
    EXPECT_STREQ(_T("4  "), spaces.GetValue(TRUE));

    // without a mask: the whole value, and a rejected text leaves it
    CSPMaskEdit plain;
    EXPECT_TRUE(plain.SetValue(_T("free text")));
    EXPECT_STREQ(_T("free text"), plain.GetValue());
    plain.SetValidChars(_T("abc"));
    EXPECT_FALSE(plain.SetValue(_T("abd")));
    EXPECT_STREQ(_T("free text"), plain.GetValue());
}

struct MaskEditWindow : ::testing::Test {
    CHostWnd host;
    CSPMaskEdit edit;
    void SetUp() override {
        ASSERT_TRUE(host.CreateHost());
        edit.EnableMask(kPhoneMask, kPhoneTemplate, _T('_'));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 200, 34), &host, 300));
    }
    CString Text() const {
        CString s;
        edit.CWnd::GetWindowText(s);
        return s;
    }
    void Type(LPCTSTR lpsz) {
        for (; *lpsz != 0; lpsz++) edit.SendMessage(WM_CHAR, (BYTE)*lpsz, 1);
    }
};

TEST_F(MaskEditWindow, CreationShowsTheTemplateAndTypingFillsThePositions) {
    EXPECT_STREQ(_T("(___) ___-____"), Text());
    edit.SetSel(0, 0);
    Type(_T("555"));
    EXPECT_STREQ(_T("(555) ___-____"), Text());
    // the caret skipped the literals
    Type(_T("12"));
    EXPECT_STREQ(_T("(555) 12_-____"), Text());
    EXPECT_STREQ(_T("55512"), edit.GetValue());
}

TEST_F(MaskEditWindow, ALetterInADigitGroupIsRefused) {
    edit.SetSel(1, 1);
    Type(_T("a"));
    EXPECT_STREQ(_T("(___) ___-____"), Text());
    // beyond the last group nothing is taken
    edit.SetSel(14, 14);
    Type(_T("7"));
    EXPECT_STREQ(_T("(___) ___-____"), Text());
}

TEST_F(MaskEditWindow, DeleteAndBackspaceCloseUpTheGroup) {
    ASSERT_TRUE(edit.SetValue(_T("(555) 123-4567")));
    edit.SetSel(6, 6);
    edit.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_STREQ(_T("(555) 23_-4567"), Text());
    int nStart, nEnd;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(6, nStart);

    // Backspace at the start of a group steps back into the previous one
    edit.SetSel(6, 6);
    edit.SendMessage(WM_KEYDOWN, VK_BACK, 1);
    EXPECT_STREQ(_T("(55_) 23_-4567"), Text());

    // a selection across groups is refused
    edit.SetSel(2, 8);
    edit.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_STREQ(_T("(55_) 23_-4567"), Text());
    EXPECT_STREQ(_T("(55_) 23_-4567"), edit.GetFullValue());
}

TEST_F(MaskEditWindow, PastedTextThatBreaksTheMaskIsReplacedByThePreviousValue) {
    ASSERT_TRUE(edit.SetValue(_T("(555) 123-4567")));
    edit.SetSel(0, -1);
    edit.ReplaceSel(_T("call me"), TRUE);
    EXPECT_STREQ(_T("(555) 123-4567"), Text());
    EXPECT_STREQ(_T("(555) 123-4567"), edit.GetFullValue());
    // a paste that fits is taken
    edit.SetSel(0, -1);
    edit.ReplaceSel(_T("(555) 999-0000"), TRUE);
    EXPECT_STREQ(_T("(555) 999-0000"), edit.GetFullValue());
}

TEST_F(MaskEditWindow, HomeEndAndArrowsStayOnEditablePositions) {
    int nStart, nEnd;
    edit.SetSel(8, 8);
    edit.SendMessage(WM_KEYDOWN, VK_HOME, 1);
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(1, nStart);
    edit.SendMessage(WM_KEYDOWN, VK_END, 1);
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(14, nStart);
    edit.SetSel(6, 6);
    edit.SendMessage(WM_KEYDOWN, VK_LEFT, 1);
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(3, nStart);  // over ") " onto the last digit of the first group
}

TEST_F(MaskEditWindow, FocusSelectsTheFirstGroupOrEverything) {
    int nStart, nEnd;
    edit.SetFocus();
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(1, nStart);
    EXPECT_EQ(4, nEnd);
    host.SetFocus();
    edit.EnableSelectByGroup(FALSE);
    edit.SetFocus();
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(0, nStart);
    EXPECT_EQ(14, nEnd);
}

TEST_F(MaskEditWindow, WindowTextCopyIsAlwaysTerminated) {
    TCHAR sz[6];
    memset(sz, 'x', sizeof(sz));
    EXPECT_EQ(5, edit.GetWindowText(sz, 6));
    EXPECT_STREQ(_T("(___)"), sz);
    TCHAR szLarge[32];
    EXPECT_EQ(14, edit.GetWindowText(szLarge, 32));
    EXPECT_STREQ(_T("(___) ___-____"), szLarge);
    TCHAR szOne[1] = {'x'};
    EXPECT_EQ(0, edit.GetWindowText(szOne, 1));
    EXPECT_EQ(0, szOne[0]);
}

}  // namespace
