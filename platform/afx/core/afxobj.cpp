// afxobj.cpp - CObject, CRuntimeClass and the class registry.
#include "afxobj.h"

#include <string.h>

namespace {
// Head of the registry, a list of the AFX_CLASSINIT objects. It is a plain
// pointer (zero before any static constructor runs), so registration does
// not depend on the order of static initialisation.
AFX_CLASSINIT* g_pFirstClassInit = NULL;
}

AFX_CLASSINIT::AFX_CLASSINIT(const CRuntimeClass* pNewClass) : m_pClass(pNewClass) {
    m_pNext = g_pFirstClassInit;
    g_pFirstClassInit = this;
}

const CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, NULL, NULL};
static const AFX_CLASSINIT _init_CObject(RUNTIME_CLASS(CObject));

CObject::CObject() {}
CObject::~CObject() {}
CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }
void CObject::Serialize(CArchive&) {}
void CObject::AssertValid() const {}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

CObject* CRuntimeClass::CreateObject() const {
    if (m_pfnCreateObject == NULL) return NULL;
    return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    if (pBaseClass == NULL) return FALSE;
    for (const CRuntimeClass* p = this; p != NULL; p = p->m_pBaseClass)
        if (p == pBaseClass) return TRUE;
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName) {
    if (lpszClassName == NULL) return NULL;
    for (AFX_CLASSINIT* p = g_pFirstClassInit; p != NULL; p = p->m_pNext)
        if (strcmp(p->m_pClass->m_lpszClassName, lpszClassName) == 0)
            return const_cast<CRuntimeClass*>(p->m_pClass);
    return NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass == NULL ? NULL : pClass->CreateObject();
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject) {
    if (pObject != NULL && pObject->IsKindOf(pClass)) return pObject;
    return NULL;
}

#ifdef _DEBUG
CObject* AFXAPI AfxStaticDownCast(CRuntimeClass* pClass, CObject* pObject) {
    ASSERT(pObject == NULL || pObject->IsKindOf(pClass));
    return pObject;
}
#endif
