#include <afx.h>
#include <gtest/gtest.h>
#include <mbstring.h>

TEST(CString, Basics) {
    CString s("Hello");
    EXPECT_EQ(5, s.GetLength());
    s += ", world";
    EXPECT_STREQ("Hello, world", (LPCTSTR)s);
    EXPECT_EQ('H', s[0]);
    EXPECT_EQ(7, s.Find('w'));
    EXPECT_EQ(7, s.Find("wor"));
    EXPECT_EQ(-1, s.Find('o', 12));
    EXPECT_EQ(8, s.Find('o', 5));
    EXPECT_EQ(8, s.ReverseFind('o'));
    EXPECT_STREQ("Hel", s.Left(3));
    EXPECT_STREQ("world", s.Right(5));
    EXPECT_STREQ("lo", s.Mid(3, 2));
    EXPECT_STREQ("", s.Mid(40));
    EXPECT_STREQ("Hello, world", s.Left(99));
    EXPECT_TRUE(CString("a") < CString("b"));
    EXPECT_TRUE(s == "Hello, world");
    EXPECT_TRUE("x" + CString("y") + 'z' == "xyz");
    EXPECT_EQ(0, CString("ABC").CompareNoCase("abc"));
    EXPECT_GT(CString("\xE4").Compare("a"), 0);  // byte-wise, unsigned
}

TEST(CString, Editing) {
    CString s("  a-b-c \t");
    s.Trim();
    EXPECT_STREQ("a-b-c", s);
    EXPECT_EQ(2, s.Replace("-", "--"));
    EXPECT_STREQ("a--b--c", s);
    EXPECT_EQ(4, s.Remove('-'));
    EXPECT_STREQ("abc", s);
    s.MakeUpper();
    EXPECT_STREQ("ABC", s);
    EXPECT_EQ(1, s.Replace('B', 'x'));
    EXPECT_STREQ("AxC", s);
    s = s;  // self-assignment keeps the text
    EXPECT_STREQ("AxC", s);
    s = s.Mid(1);  // source inside the own buffer
    EXPECT_STREQ("xC", s);
    CString t("xxhixx");
    t.TrimLeft('x');
    t.TrimRight("x");
    EXPECT_STREQ("hi", t);
}

TEST(CString, FormatAndBuffer) {
    CString s;
    s.Format("%s %d %ld %u %x %lx %02X %06x %c %%", "a", -1, 2L, 3u, 255, 0xABCL, 10, 0x1F, 'q');
    EXPECT_STREQ("a -1 2 3 ff abc 0A 00001f q %", s);
    CString strName("name");
    s.Format("[%s|%5s|%d]", strName, CString("ab"), 3);  // CString passed without a cast
    EXPECT_STREQ("[name|   ab|3]", s);
    s.Format("%f", 1e300);  // longer than any fixed buffer
    EXPECT_EQ(301, s.Find('.'));
    CString b;
    LPTSTR p = b.GetBuffer(10);
    strcpy(p, "abc");
    b.ReleaseBuffer();
    EXPECT_EQ(3, b.GetLength());
    strcpy(b.GetBufferSetLength(5), "12345");
    b.ReleaseBuffer(2);
    EXPECT_STREQ("12", b);
    BSTR bstr = CString("wide").AllocSysString();
    EXPECT_EQ(4u, SysStringLen(bstr));
    EXPECT_EQ(L'w', bstr[0]);
    SysFreeString(bstr);
}

TEST(CString, ExtractSubString) {
    CString s;
    EXPECT_TRUE(AfxExtractSubString(s, "prompt\ntip", 1));
    EXPECT_STREQ("tip", s);
    EXPECT_TRUE(AfxExtractSubString(s, "prompt\ntip", 0));
    EXPECT_STREQ("prompt", s);
    EXPECT_TRUE(AfxExtractSubString(s, "a\n\nc", 1));
    EXPECT_STREQ("", s);
    EXPECT_FALSE(AfxExtractSubString(s, "prompt\ntip", 2));
    EXPECT_STREQ("", s);
}

namespace {
int g_nFindCalls = 0;
HINSTANCE AFXAPI CountingFind(LPCTSTR, LPCTSTR) {
    g_nFindCalls++;
    return ::GetModuleHandle(NULL);
}
}  // namespace

TEST(CString, LoadStringThroughResourceChain) {
    CString s;
    EXPECT_TRUE(s.LoadString(100));
    EXPECT_STREQ("Ready", s);
    EXPECT_TRUE(s.LoadString(117));  // another block of the table
    EXPECT_STREQ("\xE4t\xE4", s);
    EXPECT_FALSE(s.LoadString(102));
    EXPECT_TRUE(s.IsEmpty());
    CString t(MAKEINTRESOURCE(101));
    CString strTip;
    AfxExtractSubString(strTip, t, 1);
    EXPECT_STREQ("Open a file", strTip);
    s.Format(100);
    EXPECT_STREQ("Ready", s);

    AFX_FINDRESOURCEHANDLEPROC pfnOld = AfxSetFindResourceHandleProc(CountingFind);
    EXPECT_TRUE(s.LoadString(100));
    EXPECT_EQ(1, g_nFindCalls);
    AfxSetFindResourceHandleProc(pfnOld);
}

// <tchar.h>'s multi-byte string functions link and work (the runtime only
// exports their _mbs names; the library supplies the _tcs imports).
TEST(TChar, MultiByteFunctionsLink) {
    TCHAR sz[32] = _T("Alpha beta");
    const TCHAR* csz = sz;
    EXPECT_EQ(0, _tcsicmp(_T("ALPHA BETA"), sz));
    EXPECT_LT(_tcscmp(_T("Alpha"), sz), 0);
    EXPECT_EQ(0, _tcsnicmp(sz, _T("alp"), 3));
    EXPECT_EQ(sz + 1, _tcschr(csz, 'l'));
    EXPECT_EQ(sz + 9, _tcsrchr(sz, 'a'));
    EXPECT_EQ(sz + 6, _tcsstr(csz, _T("beta")));
    EXPECT_EQ(sz + 5, _tcspbrk(sz, _T(" ")));
    EXPECT_EQ(5u, _tcscspn(sz, _T(" ")));
    EXPECT_EQ(sz + 1, _tcsinc(sz));
    _tcsupr(sz);
    EXPECT_STREQ("ALPHA BETA", sz);
    TCHAR buf[8] = {0};
    _tcsncpy(buf, sz, 3);
    EXPECT_STREQ("ALP", buf);
    EXPECT_STREQ("ALPHA", _tcstok(sz, _T(" ")));
    EXPECT_NE(0, _ismbcdigit('7'));
    EXPECT_EQ(0, _mbsicmp((const unsigned char*)"abc", (const unsigned char*)"ABC"));
}
