// afxobj.h - the object model: CRuntimeClass, CObject and the
// DECLARE_/IMPLEMENT_ DYNAMIC, DYNCREATE and SERIAL macros.
//
// Every class declared with one of the macros is entered in a process-wide
// registry by name, so CRuntimeClass::FromName and CreateObject(name) find it
// and CArchive::ReadClass can map a stored class name back to its class.
// Only the object files the linker keeps register their classes.
#pragma once
#include "afxdefs.h"

#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass {
    // attributes
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF: not serialisable
    CObject*(PASCAL* m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;

    // operations
    CObject* CreateObject() const;  // NULL when the class is not creatable
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // the registry
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);

    // class information in an archive: WORD schema, WORD name length, name
    void Store(CArchive& ar) const;
    // Reads what Store wrote; answers the class (or NULL when no class of that
    // name is registered) and the stored schema.
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// Enters a class in the registry; IMPLEMENT_DYNAMIC and friends make one.
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(const CRuntimeClass* pNewClass);
    const CRuntimeClass* m_pClass;
    AFX_CLASSINIT* m_pNext;
};

class CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();

protected:
    CObject();

private:
    CObject(const CObject& objectSrc);        // no copies
    void operator=(const CObject& objectSrc);  // no copies

public:
    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;

    static const CRuntimeClass classCObject;
};

#define RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) \
    ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), object))
#ifdef _DEBUG
CObject* AFXAPI AfxStaticDownCast(CRuntimeClass* pClass, CObject* pObject);
#define STATIC_DOWNCAST(class_name, object) \
    ((class_name*)AfxStaticDownCast(RUNTIME_CLASS(class_name), object))
#else
#define STATIC_DOWNCAST(class_name, object) ((class_name*)(CObject*)(object))
#endif
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))

#define DECLARE_DYNAMIC(class_name)                   \
public:                                               \
    static const CRuntimeClass class##class_name;     \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name)  \
    DECLARE_DYNCREATE(class_name)   \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                   \
    const CRuntimeClass class_name::class##class_name = {                                      \
        #class_name, (int)sizeof(class class_name), wSchema, pfnNew,                           \
        RUNTIME_CLASS(base_class_name)};                                                       \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));                  \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                  \
    CObject* PASCAL class_name::CreateObject() { return new class_name; }                 \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

// operator>> reads an object that must be of class_name or derived from it.
#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                            \
    CObject* PASCAL class_name::CreateObject() { return new class_name; }                 \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb) {                         \
        pOb = (class_name*)ar.ReadObject(RUNTIME_CLASS(class_name));                      \
        return ar;                                                                        \
    }
