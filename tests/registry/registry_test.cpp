// Typed registry access against Wine's real registry: every value form
// round-trips, the stored bytes are the archive images the state formats
// fix, and bad values read as missing.
#include "SPRegistry.h"

#include <gtest/gtest.h>

#include <vector>

#include "TestRegistry.h"

// Serialisable test classes (their extraction operators need linkage).
class CStamp : public CObject {
    DECLARE_SERIAL(CStamp)
public:
    CStamp() { ++s_nLive; }
    explicit CStamp(int n) : m_n(n) { ++s_nLive; }
    ~CStamp() override { --s_nLive; }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) ar << m_n; else ar >> m_n;
    }
    int m_n = 0;
    static int s_nLive;
};
int CStamp::s_nLive = 0;
IMPLEMENT_SERIAL(CStamp, CObject, 1)

// A serialisable class outside CStamp's family.
class CStranger : public CObject {
    DECLARE_SERIAL(CStranger)
public:
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) ar << (int)7; else { int n; ar >> n; }
    }
};
IMPLEMENT_SERIAL(CStranger, CObject, 1)

class CMyRegistry : public CSPRegistry {
    DECLARE_DYNCREATE(CMyRegistry)
};
IMPLEMENT_DYNCREATE(CMyRegistry, CSPRegistry)

namespace {

class CRegistryTestApp : public CWinApp {
public:
    CRegistryTestApp() : CWinApp("RegistryTests") {}
    void UseKey(LPCTSTR key) { SetRegistryKey(key); }
};
CRegistryTestApp theApp;

const char kRoot[] = "Software\\TomewiseTests\\Registry";

std::vector<BYTE> RawValue(LPCTSTR name, DWORD* pType = nullptr) { return ReadRegRaw(kRoot, name, pType); }

void SetRaw(LPCTSTR name, DWORD type, const void* data, DWORD cb) {
    ASSERT_TRUE(WriteRegRaw(kRoot, name, type, data, cb));
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Only this program's own key: other test programs share the
        // registry and run at the same time.
        CSPRegistry cleaner(FALSE, FALSE);
        cleaner.DeleteKey(kRoot);
        ASSERT_TRUE(reg.CreateKey(kRoot));
    }
    CSPRegistry reg{FALSE, FALSE};
};

TEST_F(RegistryTest, NumbersStringsAndBytesRoundTrip) {
    EXPECT_TRUE(reg.Write("Int", -5));
    EXPECT_TRUE(reg.Write("Dword", (DWORD)0xDEADBEEF));
    EXPECT_TRUE(reg.Write("Text", "hello"));
    BYTE raw[] = {1, 2, 3, 0, 255};
    EXPECT_TRUE(reg.Write("Bytes", raw, sizeof(raw)));

    int i = 0;
    DWORD dw = 0;
    CString s;
    EXPECT_TRUE(reg.Read("Int", i));
    EXPECT_EQ(i, -5);
    EXPECT_TRUE(reg.Read("Dword", dw));
    EXPECT_EQ(dw, 0xDEADBEEFu);
    EXPECT_TRUE(reg.Read("Text", s));
    EXPECT_STREQ(s, "hello");
    BYTE* p = nullptr;
    UINT n = 0;
    ASSERT_TRUE(reg.Read("Bytes", &p, &n));
    ASSERT_EQ(n, sizeof(raw));
    EXPECT_EQ(memcmp(p, raw, n), 0);
    delete[] p;

    DWORD type;
    EXPECT_EQ(RawValue("Text", &type), (std::vector<BYTE>{'h', 'e', 'l', 'l', 'o', 0}));
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_EQ(RawValue("Int", &type), (std::vector<BYTE>{0xFB, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(type, (DWORD)REG_DWORD);
}

TEST_F(RegistryTest, GeometryAndArraysHaveTheirFixedImages) {
    CRect rc(1, 2, 300, 400);
    CPoint pt(-3, 7);
    CSize sz(640, 480);
    CWordArray words;
    words.Add(0x1234);
    words.Add(0xABCD);
    ASSERT_TRUE(reg.Write("Rect", rc));
    ASSERT_TRUE(reg.Write("Point", pt));
    ASSERT_TRUE(reg.Write("Size", sz));
    ASSERT_TRUE(reg.Write("Words", words));

    // The rectangle's 16 bytes; the point as a five-element CDWordArray
    // (WORD count, then x, y, 0, 0, 0); the word array with a DWORD count.
    EXPECT_EQ(RawValue("Rect"), (std::vector<BYTE>{1, 0, 0, 0, 2, 0, 0, 0, 44, 1, 0, 0, 144, 1, 0, 0}));
    EXPECT_EQ(RawValue("Point"), (std::vector<BYTE>{5, 0, 0xFD, 0xFF, 0xFF, 0xFF, 7, 0, 0, 0, 0, 0, 0, 0,
                                                    0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(RawValue("Words"), (std::vector<BYTE>{2, 0, 0, 0, 0x34, 0x12, 0xCD, 0xAB}));

    CRect rc2;
    CPoint pt2;
    CSize sz2;
    CWordArray words2;
    EXPECT_TRUE(reg.Read("Rect", rc2));
    EXPECT_EQ(rc2, rc);
    EXPECT_TRUE(reg.Read("Point", pt2));
    EXPECT_EQ(pt2, pt);
    EXPECT_TRUE(reg.Read("Size", sz2));
    EXPECT_EQ(sz2, sz);
    ASSERT_TRUE(reg.Read("Words", words2));
    ASSERT_EQ(words2.GetSize(), 2);
    EXPECT_EQ(words2[1], 0xABCD);
}

TEST_F(RegistryTest, CollectionsAndObjectsRoundTrip) {
    CStringList names;
    names.AddTail("one");
    names.AddTail("two");
    CStringArray arr;
    arr.Add("x");
    CByteArray bytes;
    bytes.Add(9);
    CDWordArray dwords;
    dwords.Add(77);
    ASSERT_TRUE(reg.Write("Names", names));
    ASSERT_TRUE(reg.Write("Arr", arr));
    ASSERT_TRUE(reg.Write("ByteArr", bytes));
    ASSERT_TRUE(reg.Write("DwArr", dwords));

    CStringList names2;
    names2.AddTail("stale");
    CStringArray arr2;
    CByteArray bytes2;
    CDWordArray dwords2;
    ASSERT_TRUE(reg.Read("Names", names2));
    ASSERT_EQ(names2.GetCount(), 2);
    EXPECT_STREQ(names2.GetTail(), "two");
    ASSERT_TRUE(reg.Read("Arr", arr2));
    EXPECT_STREQ(arr2[0], "x");
    ASSERT_TRUE(reg.Read("ByteArr", bytes2));
    EXPECT_EQ(bytes2[0], 9);
    ASSERT_TRUE(reg.Read("DwArr", dwords2));
    EXPECT_EQ(dwords2[0], 77u);

    CStamp stamp(42);
    ASSERT_TRUE(reg.Write("ByPointer", &stamp));
    CObject* pObj = nullptr;
    ASSERT_TRUE(reg.Read("ByPointer", pObj, RUNTIME_CLASS(CStamp)));
    ASSERT_NE(pObj, nullptr);
    ASSERT_TRUE(pObj->IsKindOf(RUNTIME_CLASS(CStamp)));
    EXPECT_EQ(static_cast<CStamp*>(pObj)->m_n, 42);
    delete pObj;

    CObList list;
    list.AddTail(new CStamp(1));
    list.AddTail(new CStamp(2));
    ASSERT_TRUE(reg.Write("List", list));
    CObList list2;
    list2.AddTail(new CStamp(99));  // deleted by the read
    ASSERT_TRUE(reg.Read("List", list2, RUNTIME_CLASS(CStamp)));
    ASSERT_EQ(list2.GetCount(), 2);
    EXPECT_EQ(static_cast<CStamp*>(list2.GetTail())->m_n, 2);
    while (!list.IsEmpty()) delete list.RemoveHead();
    while (!list2.IsEmpty()) delete list2.RemoveHead();
    EXPECT_EQ(CStamp::s_nLive, 1);  // only `stamp`
}

TEST_F(RegistryTest, BadValuesReadAsMissing) {
    const int live = CStamp::s_nLive;
    CString s = "old";
    EXPECT_FALSE(reg.Read("NoSuchValue", s));
    EXPECT_TRUE(s.IsEmpty());

    SetRaw("ShortDword", REG_BINARY, "\1\2\3", 3);
    SetRaw("ShortTypedDword", REG_DWORD, "\1\2\3", 3);
    SetRaw("LongTypedDword", REG_DWORD, "\1\2\3\4\5", 5);
    SetRaw("DwordAsText", REG_DWORD, "\1\0\0\0", 4);
    SetRaw("TextAsDword", REG_SZ, "12", 3);
    DWORD dw = 5;
    EXPECT_FALSE(reg.Read("ShortDword", dw));
    EXPECT_FALSE(reg.Read("ShortTypedDword", dw));  // the right type, too few bytes
    EXPECT_FALSE(reg.Read("LongTypedDword", dw));
    int i = 5;
    EXPECT_FALSE(reg.Read("ShortTypedDword", i));
    EXPECT_FALSE(reg.Read("TextAsDword", dw));
    EXPECT_FALSE(reg.Read("DwordAsText", s));
    CRect rc;
    EXPECT_FALSE(reg.Read("ShortDword", rc));

    // A stranger class where a CStamp is required is refused before anything
    // is created; a truncated image fails without leaking.
    CStranger stranger;
    ASSERT_TRUE(reg.Write("Stranger", &stranger));
    CObject* pObj = reinterpret_cast<CObject*>(1);
    EXPECT_FALSE(reg.Read("Stranger", pObj, RUNTIME_CLASS(CStamp)));
    EXPECT_EQ(pObj, nullptr);

    CStamp stamp(3);
    ASSERT_TRUE(reg.Write("Stamp", &stamp));
    std::vector<BYTE> image = RawValue("Stamp");
    image.resize(image.size() - 2);
    SetRaw("Truncated", REG_BINARY, image.data(), (DWORD)image.size());
    EXPECT_FALSE(reg.Read("Truncated", pObj, RUNTIME_CLASS(CStamp)));

    CObList list;
    list.AddTail(new CStamp(1));
    list.AddTail(&stranger);
    // (the list is written with the stranger as its second element)
    ASSERT_TRUE(reg.Write("MixedList", list));
    delete list.RemoveHead();
    list.RemoveAll();
    EXPECT_FALSE(reg.Read("MixedList", list, RUNTIME_CLASS(CStamp)));
    EXPECT_TRUE(list.IsEmpty());

    // A word array whose count claims far more than the value holds.
    SetRaw("HugeCount", REG_BINARY, "\xFF\xFF\xFF\x7F\x01\x00", 6);
    CWordArray words;
    EXPECT_FALSE(reg.Read("HugeCount", words));
    EXPECT_EQ(words.GetSize(), 0);
    EXPECT_EQ(CStamp::s_nLive, live + 1);  // only `stamp`
}

TEST_F(RegistryTest, KeyPathsAndDeletion) {
    // One trailing backslash names the same key.
    CSPRegistry a(FALSE, FALSE), b(FALSE, TRUE);
    ASSERT_TRUE(a.CreateKey("Software\\TomewiseTests\\Registry\\Deep\\L1\\L2\\L3\\"));
    ASSERT_TRUE(a.Write("Leaf", 1));
    EXPECT_TRUE(b.VerifyKey("Software\\TomewiseTests\\Registry\\Deep\\L1\\L2\\L3"));
    EXPECT_TRUE(b.VerifyKey("Software\\TomewiseTests\\Registry\\Deep\\L1\\L2\\L3\\"));
    ASSERT_TRUE(b.Open("Software\\TomewiseTests\\Registry\\Deep\\L1\\L2\\L3\\"));
    EXPECT_TRUE(b.VerifyValue("Leaf"));
    EXPECT_FALSE(b.VerifyValue("NoLeaf"));

    CSPRegistry parent(FALSE, TRUE);
    ASSERT_TRUE(parent.Open("Software\\TomewiseTests\\Registry\\Deep\\L1"));
    CStringArray subs;
    EXPECT_TRUE(parent.ReadSubKeys(subs));
    ASSERT_EQ(subs.GetSize(), 1);
    EXPECT_STREQ(subs[0], "L2");

    CSPRegistry del(FALSE, FALSE);
    EXPECT_TRUE(del.DeleteKey("Software\\TomewiseTests\\Registry\\Deep\\"));
    EXPECT_FALSE(del.VerifyKey("Software\\TomewiseTests\\Registry\\Deep"));
    EXPECT_TRUE(del.VerifyKey(kRoot));
}

TEST_F(RegistryTest, ReadOnlyObjectRefusesChanges) {
    ASSERT_TRUE(reg.Write("Kept", 1));
    CSPRegistry ro(FALSE, TRUE);
    EXPECT_FALSE(ro.CreateKey("Software\\TomewiseTests\\Registry\\New"));
    EXPECT_FALSE(ro.DeleteKey(kRoot));
    ASSERT_TRUE(ro.Open(kRoot));
    EXPECT_FALSE(ro.Write("Kept", 2));
    EXPECT_FALSE(ro.Write("Other", "text"));
    EXPECT_FALSE(ro.DeleteValue("Kept"));
    // The key itself was opened for reading only.
    DWORD one = 1;
    EXPECT_NE(RegSetValueExA(ro.GetCurrentKey(), "Direct", 0, REG_DWORD, (BYTE*)&one, 4),
              ERROR_SUCCESS);
    int n = 0;
    EXPECT_TRUE(ro.Read("Kept", n));
    EXPECT_EQ(n, 1);
    CStringArray values;
    EXPECT_TRUE(ro.ReadKeyValues(values));
    EXPECT_EQ(values.GetSize(), 1);
}

TEST(RegistryPath, BuiltFromTheApplicationKeyAndProfile) {
    EXPECT_STREQ(SPGetRegPath("Anything", "Custom\\Path"), "Custom\\Path");
    theApp.UseKey("KARVOLEN");
    EXPECT_STREQ(SPGetRegPath("Settings"), "SOFTWARE\\KARVOLEN\\RegistryTests\\Settings\\");
    EXPECT_STREQ(SPGetRegPath("Settings", ""), "SOFTWARE\\KARVOLEN\\RegistryTests\\Settings\\");
}

TEST(RegistryClass, SubstitutedThroughTheHolder) {
    EXPECT_FALSE(SPSetRegistryClass(RUNTIME_CLASS(CStamp)));
    EXPECT_TRUE(SPSetRegistryClass(RUNTIME_CLASS(CMyRegistry)));
    {
        CSPRegistryPtr holder;
        CSPRegistry* p = holder.Create(FALSE, TRUE);
        EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CMyRegistry)));
        EXPECT_TRUE(p->IsReadOnly());
        EXPECT_EQ(p->GetCurrentKey(), HKEY_CURRENT_USER);
        EXPECT_EQ(holder.Create(TRUE, FALSE), p);  // the held object, unchanged
        EXPECT_TRUE(p->IsReadOnly());
    }
    EXPECT_TRUE(SPSetRegistryClass(NULL));
    CSPRegistryPtr holder;
    CSPRegistry* p = holder.Create(TRUE, FALSE);
    EXPECT_EQ(p->GetRuntimeClass(), RUNTIME_CLASS(CSPRegistry));
    EXPECT_EQ(p->GetCurrentKey(), HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(p->IsAdmin());
}

}  // namespace
