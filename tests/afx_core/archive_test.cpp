// Archive byte images: length prefixes, counts, class tags, back references,
// big tags, schemas, class checks and damaged input.
#include <afx.h>
#include <afxcoll.h>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

typedef std::vector<BYTE> Bytes;

namespace {
int g_nCreated = 0;
int g_nLive = 0;

Bytes Store(const std::function<void(CArchive&)>& fn) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        fn(ar);
        ar.Close();
    }
    DWORD n = file.GetLength();
    BYTE* p = file.Detach();
    Bytes b(p, p + n);
    free(p);
    return b;
}

// Loads from a copy of the bytes; the file is exactly as long as the data.
void Load(const Bytes& b, const std::function<void(CArchive&)>& fn) {
    Bytes copy(b);
    CMemFile file(copy.empty() ? NULL : copy.data(), (UINT)copy.size());
    CArchive ar(&file, CArchive::load);
    fn(ar);
}

int LoadCause(const Bytes& b, const std::function<void(CArchive&)>& fn) {
    try {
        Load(b, fn);
    } catch (CArchiveException* e) {
        int nCause = e->m_cause;
        e->Delete();
        return nCause;
    }
    return -1;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes r;
    for (const Bytes& p : parts) r.insert(r.end(), p.begin(), p.end());
    return r;
}
Bytes W(WORD w) { return Bytes{(BYTE)w, (BYTE)(w >> 8)}; }
Bytes D(DWORD d) { return Bytes{(BYTE)d, (BYTE)(d >> 8), (BYTE)(d >> 16), (BYTE)(d >> 24)}; }
Bytes S(const char* s) { return Bytes(s, s + strlen(s)); }
}  // namespace

class CItem : public CObject {
    DECLARE_SERIAL(CItem)
public:
    CItem(int n = 0) : m_n(n) { g_nCreated++; g_nLive++; }
    ~CItem() { g_nLive--; }
    int m_n;
    CItem* m_pLink = NULL;  // stored as an object reference
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar << m_n;
        } else {
            ar >> m_n;
        }
    }
};
IMPLEMENT_SERIAL(CItem, CObject, 1)

class CLinkedItem : public CItem {
    DECLARE_SERIAL(CLinkedItem)
public:
    void Serialize(CArchive& ar) override {
        CItem::Serialize(ar);
        if (ar.IsStoring())
            ar << m_pLink;
        else
            m_pLink = (CItem*)ar.ReadObject(RUNTIME_CLASS(CItem));
    }
};
IMPLEMENT_SERIAL(CLinkedItem, CItem, 1)

class COther : public CObject {
    DECLARE_SERIAL(COther)
public:
    COther() { g_nCreated++; }
};
IMPLEMENT_SERIAL(COther, CObject, 1)

class CVersioned : public CObject {
    DECLARE_SERIAL(CVersioned)
public:
    UINT m_nLoadedSchema = 0;
    void Serialize(CArchive& ar) override {
        if (ar.IsLoading()) m_nLoadedSchema = ar.GetObjectSchema();
    }
};
IMPLEMENT_SERIAL(CVersioned, CObject, VERSIONABLE_SCHEMA | 2)

class CCreateOnly : public CObject {
    DECLARE_DYNCREATE(CCreateOnly)
};
IMPLEMENT_DYNCREATE(CCreateOnly, CObject)

TEST(Archive, StringLengthPrefixes) {
    struct Case {
        int nLen;
        Bytes prefix;
    } cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, Cat({{0xFF}, W(0xFFFF), D(0xFFFE)})},  // takes the long form
        {0x10000, Cat({{0xFF}, W(0xFFFF), D(0x10000)})},
    };
    for (const Case& c : cases) {
        CString s('x', c.nLen);
        Bytes b = Store([&](CArchive& ar) { ar << s; });
        ASSERT_EQ(c.prefix.size() + c.nLen, b.size()) << c.nLen;
        EXPECT_EQ(c.prefix, Bytes(b.begin(), b.begin() + c.prefix.size())) << c.nLen;
        CString back("old");
        Load(b, [&](CArchive& ar) { ar >> back; });
        EXPECT_TRUE(back == s) << c.nLen;
    }
}

TEST(Archive, CountsAndScalars) {
    Bytes b = Store([](CArchive& ar) {
        ar.WriteCount(0xFFFE);
        ar.WriteCount(0xFFFF);
        ar << (BYTE)1 << (WORD)0x0203 << (LONG)-1 << (DWORD)0x04050607 << 1.5f << 2.5;
        RECT rc = {1, 2, 3, 4};
        POINT pt = {5, 6};
        SIZE sz = {7, 8};
        ar << rc << pt << sz;
    });
    Bytes expect = Cat({W(0xFFFE), W(0xFFFF), D(0xFFFF), {1}, W(0x0203), D(0xFFFFFFFF), D(0x04050607),
                        D(0x3FC00000), D(0), D(0x40040000), D(1), D(2), D(3), D(4), D(5), D(6), D(7), D(8)});
    EXPECT_EQ(expect, b);
    Load(b, [](CArchive& ar) {
        EXPECT_EQ(0xFFFEu, ar.ReadCount());
        EXPECT_EQ(0xFFFFu, ar.ReadCount());
        BYTE by; WORD w; LONG l; DWORD dw; float f; double d; RECT rc; POINT pt; SIZE sz;
        ar >> by >> w >> l >> dw >> f >> d >> rc >> pt >> sz;
        EXPECT_EQ(1, by); EXPECT_EQ(0x0203, w); EXPECT_EQ(-1, l); EXPECT_EQ(0x04050607u, dw);
        EXPECT_EQ(1.5f, f); EXPECT_EQ(2.5, d); EXPECT_EQ(4, rc.bottom); EXPECT_EQ(6, pt.y); EXPECT_EQ(8, sz.cy);
    });
}

TEST(Archive, ClassTagsAndBackReferences) {
    CItem a(10), b(20);
    COther o;
    Bytes img = Store([&](CArchive& ar) {
        ar << &a << &b << &a << (CObject*)NULL << &o << &b;
        ar.WriteClass(RUNTIME_CLASS(CItem));
    });
    // a: new class (index 1) and object 2; b: class 1, object 3; a again;
    // null; COther: class 4, object 5; b again; the class tag alone
    Bytes expect = Cat({W(0xFFFF), W(1), W(5), S("CItem"), D(10), W(0x8001), D(20), W(2), W(0), W(0xFFFF),
                        W(1), W(6), S("COther"), W(3), W(0x8001)});
    EXPECT_EQ(expect, img);

    Load(img, [](CArchive& ar) {
        CObject* p[6];
        for (int i = 0; i < 6; i++) p[i] = ar.ReadObject(NULL);
        ASSERT_TRUE(p[0]->IsKindOf(RUNTIME_CLASS(CItem)));
        EXPECT_EQ(10, ((CItem*)p[0])->m_n);
        EXPECT_EQ(20, ((CItem*)p[1])->m_n);
        EXPECT_EQ(p[0], p[2]);
        EXPECT_EQ(nullptr, p[3]);
        EXPECT_TRUE(p[4]->IsKindOf(RUNTIME_CLASS(COther)));
        EXPECT_EQ(p[1], p[5]);
        EXPECT_EQ(RUNTIME_CLASS(CItem), ar.ReadClass(RUNTIME_CLASS(CObject)));
        delete p[0];
        delete p[1];
        delete p[4];
    });
}

TEST(Archive, ObjectReferringToItself) {
    CLinkedItem a;
    a.m_n = 7;
    a.m_pLink = &a;
    Bytes img = Store([&](CArchive& ar) { ar << &a; });
    EXPECT_EQ(Cat({W(0xFFFF), W(1), W(11), S("CLinkedItem"), D(7), W(2)}), img);
    Load(img, [](CArchive& ar) {
        CItem* p = (CItem*)ar.ReadObject(RUNTIME_CLASS(CItem));
        EXPECT_EQ(p, p->m_pLink);
        delete p;
    });
}

TEST(Archive, BigTags) {
    // class CItem is index 1 and items[i] index i + 2, so the last items need
    // the big form; COther's class is 0x8002 and its object 0x8003
    const int nObjects = 0x8000;
    std::vector<CItem> items(nObjects);
    for (int i = 0; i < nObjects; i++) items[i].m_n = i;
    COther other;
    Bytes img = Store([&](CArchive& ar) {
        for (int i = 0; i < nObjects; i++) ar << &items[i];
        ar << &other;
        ar << &items[0];              // index 2: small
        ar << &items[0x7FFD];         // index 0x7FFF: big
        ar << &items[nObjects - 1];   // index 0x8001
        ar << &other;                 // index 0x8003
        ar.WriteClass(RUNTIME_CLASS(CItem));    // class 1: small
        ar.WriteClass(RUNTIME_CLASS(COther));   // class 0x8002: big
    });
    size_t nHeader = 2 + 2 + 2 + 5 + 4;
    size_t nPos = nHeader + (size_t)(nObjects - 1) * 6;
    EXPECT_EQ(W(0x8001), Bytes(img.begin() + nHeader, img.begin() + nHeader + 2));
    Bytes tail(img.begin() + nPos, img.end());
    Bytes expect = Cat({W(0xFFFF), W(1), W(6), S("COther"), W(2), W(0x7FFF), D(0x7FFF), W(0x7FFF), D(0x8001),
                        W(0x7FFF), D(0x8003), W(0x8001), W(0x7FFF), D(0x80008002)});
    EXPECT_EQ(expect, tail);

    Load(img, [&](CArchive& ar) {
        std::vector<CObject*> read(nObjects);
        for (int i = 0; i < nObjects; i++) read[i] = ar.ReadObject(RUNTIME_CLASS(CItem));
        EXPECT_EQ(nObjects - 1, ((CItem*)read[nObjects - 1])->m_n);
        CObject* pOther = ar.ReadObject(NULL);
        EXPECT_EQ(read[0], ar.ReadObject(NULL));
        EXPECT_EQ(read[0x7FFD], ar.ReadObject(NULL));
        EXPECT_EQ(read[nObjects - 1], ar.ReadObject(NULL));
        EXPECT_EQ(pOther, ar.ReadObject(NULL));
        EXPECT_EQ(RUNTIME_CLASS(CItem), ar.ReadClass());
        EXPECT_EQ(RUNTIME_CLASS(COther), ar.ReadClass());
        for (CObject* p : read) delete p;
        delete pOther;
    });
}

TEST(Archive, Schemas) {
    // CItem stored with schema 2 while the class has 1
    Bytes wrong = Cat({W(0xFFFF), W(2), W(5), S("CItem"), D(1)});
    EXPECT_EQ(CArchiveException::badSchema, LoadCause(wrong, [](CArchive& ar) { ar.ReadObject(NULL); }));

    // a versionable class takes any schema and tells it to its Serialize,
    // also for later objects of the same class
    Bytes img = Cat({W(0xFFFF), W(7), W(10), S("CVersioned"), W(0x8001)});
    Load(img, [](CArchive& ar) {
        for (int i = 0; i < 2; i++) {
            CVersioned* p = (CVersioned*)ar.ReadObject(RUNTIME_CLASS(CVersioned));
            EXPECT_EQ(7u, p->m_nLoadedSchema);
            delete p;
        }
        EXPECT_EQ((UINT)-1, ar.GetObjectSchema());
    });
    // stored with the low 16 bits of its schema
    CVersioned v;
    EXPECT_EQ(Cat({W(0xFFFF), W(2), W(10), S("CVersioned")}), Store([&](CArchive& ar) { ar << &v; }));
}

TEST(Archive, RequiredClassCheckedBeforeCreation) {
    COther o;
    CItem item(3);
    Bytes img = Store([&](CArchive& ar) { ar << &o << &item; });
    int nBefore = g_nCreated;
    EXPECT_EQ(CArchiveException::badClass,
              LoadCause(img, [](CArchive& ar) { ar.ReadObject(RUNTIME_CLASS(CItem)); }));
    EXPECT_EQ(nBefore, g_nCreated);  // no COther was made
    // a back reference of the wrong class is refused too
    Bytes ref = Store([&](CArchive& ar) { ar << &item << &item; });
    EXPECT_EQ(CArchiveException::badClass, LoadCause(ref, [](CArchive& ar) {
                  CObject* p = ar.ReadObject(RUNTIME_CLASS(CItem));
                  try {
                      ar.ReadObject(RUNTIME_CLASS(COther));
                  } catch (...) {
                      delete p;
                      throw;
                  }
              }));
    // the operator>> of a SERIAL class names its class
    EXPECT_EQ(CArchiveException::badClass, LoadCause(img, [](CArchive& ar) {
                  CItem* p = NULL;
                  ar >> p;
              }));
}

TEST(Archive, DamagedImages) {
    CItem a(1);
    CStringList list;
    list.AddTail("one");
    list.AddTail("two");
    Bytes good = Store([&](CArchive& ar) {
        ar << &a << &a;
        list.Serialize(ar);
    });
    auto readAll = [](CArchive& ar) {
        CObject* p = ar.ReadObject(RUNTIME_CLASS(CItem));
        try {
            ar.ReadObject(RUNTIME_CLASS(CItem));
            CStringList l;
            l.Serialize(ar);
        } catch (...) {
            delete p;
            throw;
        }
        delete p;
    };
    ASSERT_EQ(-1, LoadCause(good, readAll));
    // every truncation of a good image fails cleanly
    for (size_t n = 0; n < good.size(); n++) {
        int nCause = LoadCause(Bytes(good.begin(), good.begin() + n), readAll);
        EXPECT_TRUE(nCause == CArchiveException::endOfFile) << n << " gave " << nCause;
    }

    auto readOb = [](CArchive& ar) { delete ar.ReadObject(NULL); };
    struct Case {
        const char* name;
        Bytes img;
        std::function<void(CArchive&)> fn;
        int nCause;
    } cases[] = {
        {"unknown class", Cat({W(0xFFFF), W(1), W(6), S("CNoSuch")}), readOb, CArchiveException::badClass},
        {"class not serialisable", Cat({W(0xFFFF), W(0xFFFF), W(11), S("CCreateOnly")}), readOb,
         CArchiveException::badClass},
        {"class name too long", Cat({W(0xFFFF), W(1), W(0x7000), Bytes(0x7000, 'A')}), readOb,
         CArchiveException::badClass},
        {"unknown class index", Cat({W(0x8005), D(0)}), readOb, CArchiveException::badIndex},
        {"class index 0", Cat({W(0x8000)}), readOb, CArchiveException::badIndex},
        {"unknown object", Cat({W(0x0003)}), readOb, CArchiveException::badIndex},
        {"object tag names a class", Cat({W(0xFFFF), W(1), W(5), S("CItem"), D(1), W(1)}),
         [](CArchive& ar) {
             CObject* p = ar.ReadObject(NULL);
             try { ar.ReadObject(NULL); } catch (...) { delete p; throw; }
         },
         CArchiveException::badIndex},
        {"class tag names an object", Cat({W(0xFFFF), W(1), W(5), S("CItem"), D(1), W(0x8002)}),
         [](CArchive& ar) {
             CObject* p = ar.ReadObject(NULL);
             try { ar.ReadObject(NULL); } catch (...) { delete p; throw; }
         },
         CArchiveException::badIndex},
        {"big tag past the end", Cat({W(0x7FFF), D(0x80001000)}), readOb, CArchiveException::badIndex},
        {"object where a class must be", Cat({W(0x0001)}), [](CArchive& ar) { ar.ReadClass(); },
         CArchiveException::badIndex},
        {"wide string marker", Cat({{0xFF}, W(0xFFFE), {3}, S("abc")}),
         [](CArchive& ar) { CString s; ar >> s; }, CArchiveException::generic},
        {"string longer than the data", Cat({{0xFF}, W(0xFFFF), D(0x7FFFFFF0), S("abc")}),
         [](CArchive& ar) { CString s; ar >> s; }, CArchiveException::endOfFile},
        {"object list count", Cat({W(0xFFFF), D(0x7FFFFFFF), W(0)}),
         [](CArchive& ar) { CObList l; l.Serialize(ar); }, CArchiveException::endOfFile},
        {"string list count", Cat({W(0xFFFF), D(0x10000000), {0}}),
         [](CArchive& ar) { CStringList l; l.Serialize(ar); }, CArchiveException::endOfFile},
        {"dword array count", Cat({W(0xFFFF), D(0x40000000), D(1)}),
         [](CArchive& ar) { CDWordArray a; a.Serialize(ar); }, CArchiveException::endOfFile},
        {"string array count", Cat({W(0xFFFF), D(0xFFFFFFFF), {0}}),
         [](CArchive& ar) { CStringArray a; a.Serialize(ar); }, CArchiveException::endOfFile},
        {"object array count", Cat({W(0xFFFF), D(0x20000000), W(0)}),
         [](CArchive& ar) { CObArray a; a.Serialize(ar); }, CArchiveException::endOfFile},
        {"map count", Cat({W(0xFFFF), D(0x10000000), D(1), D(2)}),
         [](CArchive& ar) { CMap<UINT, UINT, int, int> m; m.Serialize(ar); }, CArchiveException::endOfFile},
        {"string map count", Cat({W(0x7000), {0}, W(0)}),
         [](CArchive& ar) { CMapStringToOb m; m.Serialize(ar); }, CArchiveException::endOfFile},
        {"template array count", Cat({W(0xFFFF), D(0x01000000), D(1)}),
         [](CArchive& ar) { CArray<COLORREF, COLORREF> a; a.Serialize(ar); }, CArchiveException::endOfFile},
    };
    for (const Case& c : cases) EXPECT_EQ(c.nCause, LoadCause(c.img, c.fn)) << c.name;
}

// A file that does not tell its length: loading must still grow with the
// data instead of trusting the stored counts.
class CStreamFile : public CMemFile {
public:
    CStreamFile(BYTE* p, UINT n) : CMemFile(p, n) {}
    DWORD GetLength() const override { AfxThrowNotSupportedException(); }
};

TEST(Archive, UnknownLengthGrowsWithData) {
    Bytes imgs[] = {
        Cat({W(0xFFFF), D(0x7FFFFFF0), D(1), D(2)}),  // dword array
        Cat({{0xFF}, W(0xFFFF), D(0x7FFFFFF0), S("abc")}),  // string
    };
    for (int i = 0; i < 2; i++) {
        Bytes copy(imgs[i]);
        CStreamFile file(copy.data(), (UINT)copy.size());
        CArchive ar(&file, CArchive::load);
        try {
            if (i == 0) {
                CDWordArray a;
                a.Serialize(ar);
            } else {
                CString s;
                ar >> s;
            }
            ADD_FAILURE() << i;
        } catch (CArchiveException* e) {
            EXPECT_EQ(CArchiveException::endOfFile, e->m_cause);
            e->Delete();
        }
    }
}

TEST(Archive, FailedObjectIsFreedAndLoadingPositionsTheFile) {
    CItem a(5);
    Bytes img = Store([&](CArchive& ar) { ar << &a; });
    img.resize(img.size() - 1);  // the object's data is cut short
    int nLive = g_nLive;
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause(img, [](CArchive& ar) { ar.ReadObject(NULL); }));
    EXPECT_EQ(nLive, g_nLive);

    // closing a loading archive leaves the file just after the data used
    Bytes two = Store([](CArchive& ar) { ar << (DWORD)1 << (DWORD)2; });
    CMemFile file(two.data(), (UINT)two.size());
    {
        CArchive ar(&file, CArchive::load);
        DWORD dw;
        ar >> dw;
        ar.Close();
    }
    EXPECT_EQ(4u, file.GetPosition());
}

// Every single-byte change of a good image either reads or fails with an
// archive exception; nothing else escapes and nothing leaks.
TEST(Archive, MutatedImagesFailCleanly) {
    CItem a(1), b(2);
    COther o;
    CObList list;
    list.AddTail(&a);
    list.AddTail(&o);
    list.AddTail(&b);
    list.AddTail(&a);
    CStringArray strings;
    strings.Add("first");
    strings.Add(CString('s', 300));
    Bytes good = Store([&](CArchive& ar) {
        list.Serialize(ar);
        strings.Serialize(ar);
    });
    int nLive = g_nLive;
    const BYTE values[] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF};
    int nFailed = 0;
    for (size_t i = 0; i < good.size(); i++) {
        for (BYTE v : values) {
            Bytes img(good);
            img[i] = v;
            CObList l;
            try {
                Load(img, [&](CArchive& ar) {
                    l.Serialize(ar);
                    CStringArray s;
                    s.Serialize(ar);
                });
            } catch (CArchiveException* e) {
                e->Delete();
                nFailed++;
            }
            std::set<CObject*> owned;
            for (POSITION pos = l.GetHeadPosition(); pos != NULL;) owned.insert(l.GetNext(pos));
            for (CObject* p : owned) delete p;
        }
    }
    EXPECT_GT(nFailed, 0);
    EXPECT_EQ(nLive, g_nLive);
}
