#include <afx.h>
#include <gtest/gtest.h>

namespace {
int g_nLive = 0;
}

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
public:
    CShape() { g_nLive++; }
    ~CShape() { g_nLive--; }
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
    DECLARE_SERIAL(CCircle)
public:
    int m_r = 0;
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) ar << m_r; else ar >> m_r;
    }
};
IMPLEMENT_SERIAL(CCircle, CShape, 1)

class CMadeOnly : public CObject {
    DECLARE_DYNCREATE(CMadeOnly)
};
IMPLEMENT_DYNCREATE(CMadeOnly, CObject)

TEST(Object, RuntimeClasses) {
    CCircle c;
    EXPECT_TRUE(c.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(c.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(c.IsKindOf(RUNTIME_CLASS(CMadeOnly)));
    EXPECT_TRUE(c.IsSerializable());
    EXPECT_FALSE(CMadeOnly().IsSerializable());
    EXPECT_STREQ("CCircle", c.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(1u, RUNTIME_CLASS(CCircle)->m_wSchema);
    CObject* pOb = &c;
    EXPECT_EQ(&c, DYNAMIC_DOWNCAST(CShape, pOb));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CMadeOnly, pOb));
    EXPECT_EQ(&c, STATIC_DOWNCAST(CCircle, pOb));

    EXPECT_EQ(RUNTIME_CLASS(CCircle), CRuntimeClass::FromName("CCircle"));
    EXPECT_EQ(RUNTIME_CLASS(CException), CRuntimeClass::FromName("CException"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CNoSuchClass"));
    CObject* pMade = CRuntimeClass::CreateObject("CMadeOnly");
    ASSERT_NE(nullptr, pMade);
    EXPECT_TRUE(pMade->IsKindOf(RUNTIME_CLASS(CMadeOnly)));
    delete pMade;
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CShape"));  // not creatable
}

TEST(Exceptions, ThrownAsPointersAndDeleted) {
    try {
        AfxThrowArchiveException(CArchiveException::badClass, "state");
    } catch (CException* e) {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
        EXPECT_EQ(CArchiveException::badClass, static_cast<CArchiveException*>(e)->m_cause);
        TCHAR sz[200];
        EXPECT_TRUE(e->GetErrorMessage(sz, 200));
        EXPECT_STREQ("state contained an unexpected object.", sz);
        e->Delete();
    }
    // the preallocated memory exception survives Delete
    for (int i = 0; i < 2; i++) {
        try {
            AfxThrowMemoryException();
        } catch (CMemoryException* e) {
            EXPECT_FALSE(e->m_bAutoDelete);
            e->Delete();
        }
    }
    CFileException fe(CFileException::none, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(CFileException::fileNotFound, CFileException::OsErrorToException(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(CFileException::accessDenied, CFileException::OsErrorToException(ERROR_ACCESS_DENIED));
}

// An exception whose destruction can be observed.
class CCountedException : public CUserException {
public:
    static int s_nLive;
    CCountedException() { s_nLive++; }
    ~CCountedException() { s_nLive--; }
};
int CCountedException::s_nLive = 0;

TEST(Exceptions, TryCatchMacros) {
    // END_CATCH frees the exception ...
    int nCaught = 0;
    TRY { throw new CCountedException; }
    CATCH(CFileException, e) { ADD_FAILURE(); }
    AND_CATCH(CUserException, e) { nCaught++; }
    END_CATCH
    EXPECT_EQ(1, nCaught);
    EXPECT_EQ(0, CCountedException::s_nLive);

    // ... unless the block freed it itself ...
    TRY { throw new CCountedException; }
    CATCH_ALL(e) { e->Delete(); }
    END_CATCH_ALL
    EXPECT_EQ(0, CCountedException::s_nLive);

    // ... or passed it on
    try {
        TRY { throw new CCountedException; }
        CATCH(CException, e) { THROW_LAST(); }
        END_CATCH
    } catch (CException* e) {
        EXPECT_EQ(1, CCountedException::s_nLive);
        e->Delete();
    }
    EXPECT_EQ(0, CCountedException::s_nLive);
}
