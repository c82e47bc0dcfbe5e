// Collections: list and array operations, the array growth rule, map
// iteration order, and Serialize round trips with their byte images.
#include <afx.h>
#include <afxcoll.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

typedef std::vector<BYTE> Bytes;

namespace {
Bytes StoreOb(CObject& ob) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ob.Serialize(ar);
    }
    DWORD n = file.GetLength();
    BYTE* p = file.Detach();
    Bytes b(p, p + n);
    free(p);
    return b;
}

void LoadOb(const Bytes& b, CObject& ob) {
    Bytes copy(b);
    CMemFile file(copy.data(), (UINT)copy.size());
    CArchive ar(&file, CArchive::load);
    ob.Serialize(ar);
    EXPECT_TRUE(ar.IsBufferEmpty());
}

Bytes W(WORD w) { return Bytes{(BYTE)w, (BYTE)(w >> 8)}; }
Bytes D(DWORD d) { return Bytes{(BYTE)d, (BYTE)(d >> 8), (BYTE)(d >> 16), (BYTE)(d >> 24)}; }
Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes r;
    for (const Bytes& p : parts) r.insert(r.end(), p.begin(), p.end());
    return r;
}

template <class MAP, class K, class V>
std::string Order(const MAP& m) {
    std::string s;
    POSITION pos = m.GetStartPosition();
    while (pos != NULL) {
        K k = K();
        V v = V();
        m.GetNextAssoc(pos, k, v);
        s += std::to_string(v) + " ";
    }
    return s;
}
}  // namespace

class CElem : public CObject {
    DECLARE_SERIAL(CElem)
public:
    CElem(int n = 0) : m_n(n) {}
    int m_n;
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) ar << m_n; else ar >> m_n;
    }
};
IMPLEMENT_SERIAL(CElem, CObject, 1)

TEST(Collections, ListOperations) {
    CStringList l(10);
    l.AddTail("b");
    l.AddHead("a");
    POSITION pc = l.AddTail("d");
    l.InsertBefore(pc, "c");
    l.InsertAfter(pc, "e");
    auto text = [](const CStringList& list) {
        CString s;
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;) s += list.GetNext(pos);
        return std::string((LPCTSTR)s);
    };
    EXPECT_EQ("abcde", text(l));
    EXPECT_EQ(5, l.GetCount());
    EXPECT_EQ(pc, l.Find("d"));
    EXPECT_EQ(nullptr, l.Find("a", l.GetHeadPosition()));
    EXPECT_EQ(pc, l.FindIndex(3));
    EXPECT_EQ(nullptr, l.FindIndex(5));
    l.RemoveAt(pc);
    EXPECT_STREQ("a", l.RemoveHead());
    EXPECT_EQ("bce", text(l));
    POSITION pos = l.GetTailPosition();
    EXPECT_STREQ("e", l.GetPrev(pos));
    EXPECT_STREQ("c", l.GetAt(pos));
    l.SetAt(pos, "C");
    l.AddTail(&l);  // a list added to itself doubles once
    EXPECT_EQ("bCebCe", text(l));
    CStringList front;
    front.AddTail("x");
    front.AddTail("y");
    l.AddHead(&front);
    EXPECT_EQ("xybCebCe", text(l));
    l.RemoveAll();
    EXPECT_TRUE(l.IsEmpty());
    EXPECT_EQ(nullptr, l.GetHeadPosition());
}

TEST(Collections, ArrayOperations) {
    CStringArray a;
    a.Add("one");
    a.Add("three");
    a.InsertAt(1, "two");
    a.InsertAt(5, "six");  // past the end: the gap is filled with empty strings
    EXPECT_EQ(6, a.GetSize());
    EXPECT_STREQ("two", a[1]);
    EXPECT_STREQ("", a[4]);
    a.RemoveAt(3, 2);
    EXPECT_EQ(4, a.GetSize());
    EXPECT_STREQ("six", a[3]);
    for (int i = 0; i < 100; i++) a.Add(a[0]);  // an element of the array itself
    EXPECT_STREQ("one", a[103]);
    CStringArray b;
    b.Copy(a);
    EXPECT_EQ(104, b.GetSize());
    CDWordArray d;
    d.SetSize(3);
    EXPECT_EQ(0u, d[2]);  // new elements are zero
    d.ElementAt(1) = 7;
    CDWordArray more;
    more.Add(8);
    d.InsertAt(1, &more);
    EXPECT_EQ(8u, d[1]);
    EXPECT_EQ(7u, d[2]);
}

// growth: exact at first, then an eighth of the size within 4..1024, or
// straight to the needed size
class CProbeArray : public CArray<int, int> {
public:
    int Room() const { return m_nMaxSize; }
};

TEST(Collections, ArrayGrowth) {
    CProbeArray a;
    a.Add(1);
    EXPECT_EQ(1, a.Room());
    a.Add(2);
    EXPECT_EQ(5, a.Room());
    for (int i = 0; i < 4; i++) a.Add(i);
    EXPECT_EQ(9, a.Room());
    a.SetSize(100);
    EXPECT_EQ(100, a.Room());  // more than 9 + 4: straight there
    a.Add(0);
    EXPECT_EQ(112, a.Room());  // 100 / 8 = 12
    a.SetSize(20000);
    a.Add(0);
    EXPECT_EQ(21024, a.Room());  // at most 1024
    a.SetSize(10, 3);  // an explicit step
    a.SetSize(21025);
    a.Add(0);
    EXPECT_EQ(21027, a.Room());  // 21024 + 3
}

TEST(Collections, MapIterationOrder) {
    // buckets are (key >> 4) % 17; the newest entry leads its bucket
    CMap<UINT, UINT, int, int> m;
    m.InitHashTable(17);
    m[16] = 16;
    m[32] = 32;
    m[288] = 288;  // bucket 1, like 16
    m[0] = 0;
    m[5] = 5;  // bucket 0, like 0
    EXPECT_EQ("5 0 288 16 32 ", (Order<CMap<UINT, UINT, int, int>, UINT, int>(m)));
    Bytes img = StoreOb(m);
    EXPECT_EQ(Cat({W(5), D(5), D(5), D(0), D(0), D(288), D(288), D(16), D(16), D(32), D(32)}), img);
    EXPECT_TRUE(m.RemoveKey(0));
    EXPECT_FALSE(m.RemoveKey(0));
    EXPECT_EQ("5 288 16 32 ", (Order<CMap<UINT, UINT, int, int>, UINT, int>(m)));
    int v = 0;
    EXPECT_TRUE(m.Lookup(288, v));
    EXPECT_EQ(288, v);
    EXPECT_FALSE(m.Lookup(1, v));

    // loading inserts in stored order, so a bucket's chain comes back reversed
    CMap<UINT, UINT, int, int> back;
    LoadOb(img, back);
    EXPECT_EQ("0 5 16 288 32 ", (Order<CMap<UINT, UINT, int, int>, UINT, int>(back)));

    // strings: h = (h << 5) + h + c with the chars signed
    CMap<CString, LPCTSTR, int, int> s;
    const char* keys[] = {"a", "b", "ab", "ba", "A", "c", "9", "\xE4" "a"};
    for (int i = 0; i < 8; i++) s[keys[i]] = i;
    // "ab" 1, "a" 12, "b" 13, "c" and "A" 14, "ba" 16, "9" 6, "\xE4a" 7
    EXPECT_EQ("2 6 7 0 1 5 4 3 ", (Order<CMap<CString, LPCTSTR, int, int>, CString, int>(s)));
}

TEST(Collections, RoundTrips) {
    {
        CWordArray a;
        a.Add(1);
        a.Add(0xBEEF);
        Bytes img = StoreOb(a);
        EXPECT_EQ(Cat({W(2), W(1), W(0xBEEF)}), img);
        CWordArray b;
        LoadOb(img, b);
        EXPECT_EQ(2, b.GetSize());
        EXPECT_EQ(0xBEEF, b[1]);
    }
    {
        CUIntArray a;
        a.Add(7);
        EXPECT_EQ(Cat({W(1), D(7)}), StoreOb(a));
        CByteArray c;
        c.Add(9);
        EXPECT_EQ(Cat({W(1), {9}}), StoreOb(c));
        CDWordArray d;
        d.SetSize(0x10000);
        d[0xFFFF] = 3;
        Bytes img = StoreOb(d);
        EXPECT_EQ(Cat({W(0xFFFF), D(0x10000)}), Bytes(img.begin(), img.begin() + 6));
        CDWordArray e;
        LoadOb(img, e);
        EXPECT_EQ(0x10000, e.GetSize());
        EXPECT_EQ(3u, e[0xFFFF]);
    }
    {
        CStringList l;
        l.AddTail("ab");
        l.AddTail("");
        Bytes img = StoreOb(l);
        EXPECT_EQ(Cat({W(2), {2, 'a', 'b', 0}}), img);
        CStringList m;
        LoadOb(img, m);
        EXPECT_EQ(2, m.GetCount());
        EXPECT_STREQ("ab", m.GetHead());
        CStringArray a;
        LoadOb(img, a);
        EXPECT_STREQ("", a[1]);
    }
    {
        CElem e1(1), e2(2);
        CObList l;
        l.AddTail(&e1);
        l.AddTail(&e2);
        l.AddTail(&e1);
        l.AddTail((CObject*)NULL);
        Bytes img = StoreOb(l);
        EXPECT_EQ(Cat({W(4), W(0xFFFF), W(1), W(5), {'C', 'E', 'l', 'e', 'm'}, D(1), W(0x8001), D(2), W(2), W(0)}),
                  img);
        CObList m;
        LoadOb(img, m);
        ASSERT_EQ(4, m.GetCount());
        CElem* p = (CElem*)m.GetHead();
        EXPECT_EQ(1, p->m_n);
        EXPECT_EQ(p, m.GetAt(m.FindIndex(2)));
        EXPECT_EQ(nullptr, m.GetTail());
        CObArray a;
        LoadOb(img, a);
        ASSERT_EQ(4, a.GetSize());
        EXPECT_EQ(2, ((CElem*)a[1])->m_n);
        delete m.GetAt(m.FindIndex(0));
        delete m.GetAt(m.FindIndex(1));
        delete a[0];
        delete a[1];
    }
    {
        CElem e(5);
        CMapStringToOb m;
        m.SetAt("x", &e);
        m.SetAt("y", NULL);
        Bytes img = StoreOb(m);
        // "x" (120 % 17 = 1) before "y" (2)
        EXPECT_EQ(Cat({W(2), {1, 'x'}, W(0xFFFF), W(1), W(5), {'C', 'E', 'l', 'e', 'm'}, D(5), {1, 'y'}, W(0)}),
                  img);
        CMapStringToOb back;
        LoadOb(img, back);
        CObject* p = NULL;
        ASSERT_TRUE(back.Lookup("x", p));
        EXPECT_EQ(5, ((CElem*)p)->m_n);
        delete p;
        EXPECT_TRUE(back.Lookup("y", p));
        EXPECT_EQ(nullptr, p);
    }
    {
        CList<DWORD, DWORD> l;
        l.AddTail(1);
        l.AddTail(2);
        Bytes img = StoreOb(l);
        EXPECT_EQ(Cat({W(2), D(1), D(2)}), img);
        CList<DWORD, DWORD> m;
        LoadOb(img, m);
        EXPECT_EQ(2u, m.GetTail());
        CArray<COLORREF, COLORREF> a;
        LoadOb(img, a);
        EXPECT_EQ(2u, a[1]);
        CMap<CString, LPCTSTR, int, int> s;
        s["k"] = 4;
        Bytes simg = StoreOb(s);
        EXPECT_EQ(Cat({W(1), {1, 'k'}, D(4)}), simg);
        CMap<CString, LPCTSTR, int, int> t;
        LoadOb(simg, t);
        EXPECT_EQ(4, t["k"]);
    }
}
