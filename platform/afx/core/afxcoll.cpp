// afxcoll.cpp - runtime classes and object storage of the ready-made
// collections.
#include "afxcoll.h"

IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CStringList, CObject, 0)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_SERIAL(CUIntArray, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)

void CObList::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(m_nCount);
        for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext) ar << pNode->data;
    } else {
        DWORD_PTR nNewCount = ar.ReadCount();
        AfxCheckStoredCount(ar, nNewCount, 2);  // a tag at least
        while (nNewCount--) AddTail(ar.ReadObject(NULL));
    }
}

void CPtrList::Serialize(CArchive&) { AfxThrowNotSupportedException(); }
void CPtrArray::Serialize(CArchive&) { AfxThrowNotSupportedException(); }

void CObArray::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(m_nSize);
        for (int i = 0; i < m_nSize; i++) ar << m_pData[i];
    } else {
        DWORD_PTR nNewCount = ar.ReadCount();
        AfxCheckStoredCount(ar, nNewCount, 2);
        SetSize(0, -1);
        while (nNewCount--) Add(ar.ReadObject(NULL));
    }
}

void CMapStringToOb::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(m_nCount);
        if (m_nCount == 0 || m_pHashTable == NULL) return;
        for (UINT n = 0; n < m_nHashTableSize; n++)
            for (CAssoc* p = m_pHashTable[n]; p != NULL; p = p->pNext) {
                ar << p->key;
                ar << p->value;
            }
    } else {
        DWORD_PTR nNewCount = ar.ReadCount();
        AfxCheckStoredCount(ar, nNewCount, 3);  // an empty name and a tag
        while (nNewCount--) {
            CString newKey;
            ar >> newKey;
            CObject* newValue = ar.ReadObject(NULL);
            SetAt(newKey, newValue);
        }
    }
}
