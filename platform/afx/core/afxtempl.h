// afxtempl.h - the collection templates: CArray, CList, CMap, and the element
// helpers they call (SerializeElements, CompareElements, HashKey), which a
// caller may specialise for its own element types.
//
// CArray grows, when more room is needed, by an eighth of its size (at least
// 4, at most 1024 elements) unless SetSize gave a step, or straight to the
// needed size when that is larger; a first allocation is exact.
// CMap hashes integer and handle keys as key >> 4 (the low 32 bits) and
// strings as h = (h << 5) + h + c over their chars; the bucket is the hash
// modulo the table size (17 unless InitHashTable says otherwise). A new
// entry goes to the head of its bucket; iteration and Serialize walk the
// buckets in order, each from its head.
// Serialize writes the count, then the elements (raw bytes unless
// SerializeElements is specialised; CString elements as strings). Loading
// grows with the data: a count larger than the data throws endOfFile.
#pragma once
#include "afx.h"

#include <new>
#include <utility>

// --- element helpers --------------------------------------------------------

template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, int nCount) {
    if (nCount <= 0) return;
    if (ar.IsStoring())
        ar.Write((void*)pElements, (UINT)(nCount * sizeof(TYPE)));
    else
        ar.EnsureRead((void*)pElements, (UINT)(nCount * sizeof(TYPE)));
}

template <>
inline void AFXAPI SerializeElements<CString>(CArchive& ar, CString* pElements, int nCount) {
    for (int i = 0; i < nCount; i++) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}

template <class TYPE, class ARG_TYPE>
BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2) {
    return *pElement1 == *pElement2;
}

template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key) {
    return ((UINT)(DWORD_PTR)key) >> 4;
}

// chars count as the compiler's signed char, as in the stored images
template <>
inline UINT AFXAPI HashKey<LPCTSTR>(LPCTSTR key) {
    UINT nHash = 0;
    while (*key) nHash = (nHash << 5) + nHash + *key++;
    return nHash;
}

template <>
inline UINT AFXAPI HashKey<LPTSTR>(LPTSTR key) {
    return HashKey<LPCTSTR>(key);
}

// Checks a count read from an archive against the bytes left (when the file
// knows them), nMinBytes being the smallest stored size of one element.
inline void AfxCheckStoredCount(CArchive& ar, DWORD_PTR nCount, UINT nMinBytes) {
    DWORD_PTR nRemaining = ar.GetRemaining();
    if (nCount > 0x7FFFFFFF ||
        (nRemaining != (DWORD_PTR)-1 && nMinBytes != 0 && nCount > nRemaining / nMinBytes))
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
}

// smallest stored size of an element written by SerializeElements
template <class TYPE>
inline UINT AfxMinStoredSize(const TYPE*) {
    return (UINT)sizeof(TYPE);
}
inline UINT AfxMinStoredSize(const CString*) { return 1; }

// --- CArray -----------------------------------------------------------------

template <class TYPE, class ARG_TYPE>
class CArray : public CObject {
public:
    CArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
    ~CArray();

    // attributes
    int GetSize() const { return m_nSize; }
    int GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    int GetUpperBound() const { return m_nSize - 1; }
    void SetSize(int nNewSize, int nGrowBy = -1);

    // operations
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }
    TYPE GetAt(int nIndex) const { ASSERT(nIndex >= 0 && nIndex < m_nSize); return m_pData[nIndex]; }
    void SetAt(int nIndex, ARG_TYPE newElement) { ASSERT(nIndex >= 0 && nIndex < m_nSize); m_pData[nIndex] = newElement; }
    TYPE& ElementAt(int nIndex) { ASSERT(nIndex >= 0 && nIndex < m_nSize); return m_pData[nIndex]; }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }
    void SetAtGrow(int nIndex, ARG_TYPE newElement);
    int Add(ARG_TYPE newElement) {
        int nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }
    int Append(const CArray& src);
    void Copy(const CArray& src);
    TYPE operator[](int nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](int nIndex) { return ElementAt(nIndex); }
    void InsertAt(int nIndex, ARG_TYPE newElement, int nCount = 1);
    void RemoveAt(int nIndex, int nCount = 1);
    void InsertAt(int nStartIndex, CArray* pNewArray);

    void Serialize(CArchive& ar) override;

protected:
    TYPE* m_pData;
    int m_nSize;
    int m_nMaxSize;
    int m_nGrowBy;

    void Reallocate(int nNewMax);
};

template <class TYPE, class ARG_TYPE>
CArray<TYPE, ARG_TYPE>::~CArray() {
    SetSize(0, -1);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(int nNewMax) {
    if ((size_t)nNewMax > ((size_t)-1) / 2 / sizeof(TYPE)) AfxThrowMemoryException();
    TYPE* pNewData = static_cast<TYPE*>(::operator new(nNewMax * sizeof(TYPE), std::nothrow));
    if (pNewData == NULL) AfxThrowMemoryException();
    for (int i = 0; i < m_nSize; i++) {
        new (&pNewData[i]) TYPE(std::move(m_pData[i]));
        m_pData[i].~TYPE();
    }
    ::operator delete(m_pData);
    m_pData = pNewData;
    m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(int nNewSize, int nGrowBy) {
    if (nNewSize < 0) nNewSize = 0;
    if (nGrowBy != -1) m_nGrowBy = nGrowBy;
    if (nNewSize == 0) {
        for (int i = 0; i < m_nSize; i++) m_pData[i].~TYPE();
        ::operator delete(m_pData);
        m_pData = NULL;
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (m_pData == NULL) {
        Reallocate(nNewSize);  // exact size first
    } else if (nNewSize > m_nMaxSize) {
        int nStep = m_nGrowBy;
        if (nStep == 0) {
            nStep = m_nSize / 8;
            nStep = nStep < 4 ? 4 : (nStep > 1024 ? 1024 : nStep);
        }
        Reallocate(nNewSize < m_nMaxSize + nStep ? m_nMaxSize + nStep : nNewSize);
    }
    for (int i = m_nSize; i < nNewSize; i++) new (&m_pData[i]) TYPE();
    for (int i = nNewSize; i < m_nSize; i++) m_pData[i].~TYPE();
    m_nSize = nNewSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra() {
    if (m_nSize != m_nMaxSize) {
        if (m_nSize == 0)
            SetSize(0, -1);
        else
            Reallocate(m_nSize);
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(int nIndex, ARG_TYPE newElement) {
    ASSERT(nIndex >= 0);
    if (nIndex < 0) return;
    if (nIndex >= m_nSize) {
        TYPE copy(newElement);  // newElement may live in this array
        SetSize(nIndex + 1, -1);
        m_pData[nIndex] = std::move(copy);
    } else {
        m_pData[nIndex] = newElement;
    }
}

template <class TYPE, class ARG_TYPE>
int CArray<TYPE, ARG_TYPE>::Append(const CArray& src) {
    int nOldSize = m_nSize;
    int nSrcSize = src.m_nSize;
    if (&src == this) {
        CArray copy;
        copy.Copy(src);
        return Append(copy);
    }
    SetSize(m_nSize + nSrcSize, -1);
    for (int i = 0; i < nSrcSize; i++) m_pData[nOldSize + i] = src.m_pData[i];
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src) {
    if (&src == this) return;
    SetSize(src.m_nSize, -1);
    for (int i = 0; i < m_nSize; i++) m_pData[i] = src.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(int nIndex, ARG_TYPE newElement, int nCount) {
    ASSERT(nIndex >= 0 && nCount > 0);
    if (nIndex < 0 || nCount <= 0) return;
    TYPE copy(newElement);
    if (nIndex >= m_nSize) {
        SetSize(nIndex + nCount, -1);
    } else {
        int nOldSize = m_nSize;
        SetSize(m_nSize + nCount, -1);
        for (int i = nOldSize - 1; i >= nIndex; i--) m_pData[i + nCount] = std::move(m_pData[i]);
    }
    for (int i = 0; i < nCount; i++) m_pData[nIndex + i] = copy;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(int nIndex, int nCount) {
    ASSERT(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= m_nSize);
    if (nIndex < 0 || nCount <= 0 || nIndex >= m_nSize) return;
    if (nCount > m_nSize - nIndex) nCount = m_nSize - nIndex;
    for (int i = nIndex + nCount; i < m_nSize; i++) m_pData[i - nCount] = std::move(m_pData[i]);
    for (int i = m_nSize - nCount; i < m_nSize; i++) m_pData[i].~TYPE();
    m_nSize -= nCount;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(int nStartIndex, CArray* pNewArray) {
    if (pNewArray == NULL || pNewArray->GetSize() == 0) return;
    CArray copy;
    copy.Copy(*pNewArray);
    InsertAt(nStartIndex, copy.GetAt(0), copy.GetSize());
    for (int i = 0; i < copy.GetSize(); i++) SetAt(nStartIndex + i, copy.GetAt(i));
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(m_nSize);
        SerializeElements(ar, m_pData, m_nSize);
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    UINT nMin = AfxMinStoredSize((const TYPE*)NULL);
    AfxCheckStoredCount(ar, nCount, nMin);
    if (ar.GetRemaining() != (DWORD_PTR)-1) {
        SetSize((int)nCount, -1);
        SerializeElements(ar, m_pData, m_nSize);
        return;
    }
    // length unknown: take the elements in steps as the data comes
    const int nStep = 65536 / (int)(nMin ? nMin : 1) + 1;
    SetSize(0, -1);
    for (int nDone = 0; nDone < (int)nCount;) {
        int n = (int)nCount - nDone < nStep ? (int)nCount - nDone : nStep;
        SetSize(nDone + n, -1);
        SerializeElements(ar, m_pData + nDone, n);
        nDone += n;
    }
}

// --- CList ------------------------------------------------------------------

template <class TYPE, class ARG_TYPE>
class CList : public CObject {
protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(int nBlockSize = 10)
        : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_nBlockSize(nBlockSize) {}
    ~CList() { RemoveAll(); }

    // counts
    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // head and tail
    TYPE& GetHead() { ASSERT(m_pNodeHead != NULL); return m_pNodeHead->data; }
    TYPE GetHead() const { ASSERT(m_pNodeHead != NULL); return m_pNodeHead->data; }
    TYPE& GetTail() { ASSERT(m_pNodeTail != NULL); return m_pNodeTail->data; }
    TYPE GetTail() const { ASSERT(m_pNodeTail != NULL); return m_pNodeTail->data; }
    TYPE RemoveHead();
    TYPE RemoveTail();
    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(GetHeadPosition(), newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(GetTailPosition(), newElement); }
    void AddHead(CList* pNewList);
    void AddTail(CList* pNewList);
    void RemoveAll();

    // iteration
    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    TYPE& GetNext(POSITION& rPosition) {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    TYPE GetNext(POSITION& rPosition) const {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition) {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }
    TYPE GetPrev(POSITION& rPosition) const {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }

    // by position
    TYPE& GetAt(POSITION position) { return ((CNode*)position)->data; }
    TYPE GetAt(POSITION position) const { return ((CNode*)position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { ((CNode*)pos)->data = newElement; }
    void RemoveAt(POSITION position);
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    // searching (NULL when absent)
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const;
    POSITION FindIndex(int nIndex) const;

    void Serialize(CArchive& ar) override;

protected:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    int m_nCount;
    int m_nBlockSize;  // kept for the interface; nodes are allocated singly
};

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement) {
    CNode* pNew = new CNode{NULL, NULL, TYPE(newElement)};
    CNode* pOld = (CNode*)position;
    if (pOld == NULL) {  // an empty list, or the head of one
        pNew->pNext = m_pNodeHead;
        if (m_pNodeHead != NULL)
            m_pNodeHead->pPrev = pNew;
        else
            m_pNodeTail = pNew;
        m_pNodeHead = pNew;
    } else {
        pNew->pPrev = pOld->pPrev;
        pNew->pNext = pOld;
        if (pOld->pPrev != NULL)
            pOld->pPrev->pNext = pNew;
        else
            m_pNodeHead = pNew;
        pOld->pPrev = pNew;
    }
    m_nCount++;
    return (POSITION)pNew;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement) {
    CNode* pOld = (CNode*)position;
    if (pOld == NULL) {
        if (m_pNodeTail != NULL) return InsertAfter((POSITION)m_pNodeTail, newElement);
        return InsertBefore(NULL, newElement);
    }
    CNode* pNew = new CNode{pOld->pNext, pOld, TYPE(newElement)};
    if (pOld->pNext != NULL)
        pOld->pNext->pPrev = pNew;
    else
        m_pNodeTail = pNew;
    pOld->pNext = pNew;
    m_nCount++;
    return (POSITION)pNew;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position) {
    CNode* pOld = (CNode*)position;
    ASSERT(pOld != NULL);
    if (pOld == NULL) return;
    if (pOld == m_pNodeHead)
        m_pNodeHead = pOld->pNext;
    else
        pOld->pPrev->pNext = pOld->pNext;
    if (pOld == m_pNodeTail)
        m_pNodeTail = pOld->pPrev;
    else
        pOld->pNext->pPrev = pOld->pPrev;
    delete pOld;
    m_nCount--;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead() {
    ASSERT(m_pNodeHead != NULL);
    TYPE returnValue = m_pNodeHead->data;
    RemoveAt((POSITION)m_pNodeHead);
    return returnValue;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail() {
    ASSERT(m_pNodeTail != NULL);
    TYPE returnValue = m_pNodeTail->data;
    RemoveAt((POSITION)m_pNodeTail);
    return returnValue;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList) {
    if (pNewList == NULL) return;
    // walk from the tail so the order is kept; a list added to itself is
    // walked only over its original nodes
    int n = pNewList->GetCount();
    POSITION pos = pNewList->GetTailPosition();
    while (n-- > 0) AddHead(pNewList->GetPrev(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList) {
    if (pNewList == NULL) return;
    int n = pNewList->GetCount();
    POSITION pos = pNewList->GetHeadPosition();
    while (n-- > 0) AddTail(pNewList->GetNext(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll() {
    CNode* pNode = m_pNodeHead;
    while (pNode != NULL) {
        CNode* pNext = pNode->pNext;
        delete pNode;
        pNode = pNext;
    }
    m_pNodeHead = m_pNodeTail = NULL;
    m_nCount = 0;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const {
    CNode* pNode = (CNode*)startAfter;
    pNode = pNode == NULL ? m_pNodeHead : pNode->pNext;
    for (; pNode != NULL; pNode = pNode->pNext)
        if (CompareElements<TYPE>(&pNode->data, &searchValue)) return (POSITION)pNode;
    return NULL;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount) return NULL;
    CNode* pNode = m_pNodeHead;
    while (nIndex--) pNode = pNode->pNext;
    return (POSITION)pNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(m_nCount);
        for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
            SerializeElements(ar, &pNode->data, 1);
    } else {
        DWORD_PTR nNewCount = ar.ReadCount();
        AfxCheckStoredCount(ar, nNewCount, AfxMinStoredSize((const TYPE*)NULL));
        while (nNewCount--) {
            TYPE newData = TYPE();
            SerializeElements(ar, &newData, 1);
            AddTail(newData);
        }
    }
}

// --- CMap -------------------------------------------------------------------

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
protected:
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue;  // the bucket
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(int nBlockSize = 10)
        : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0), m_nBlockSize(nBlockSize) {}
    ~CMap() { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the bucket count; entries already present are hashed again.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

    void Serialize(CArchive& ar) override;

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    int m_nCount;
    int m_nBlockSize;

    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHash) const;
    void AllocTable(UINT hashSize);
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::AllocTable(UINT hashSize) {
    m_pHashTable = new CAssoc*[hashSize];
    for (UINT i = 0; i < hashSize; i++) m_pHashTable[i] = NULL;
    m_nHashTableSize = hashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL bAllocNow) {
    if (hashSize == 0) hashSize = 1;
    CAssoc* pAll = NULL;  // entries present, in iteration order
    if (m_pHashTable != NULL) {
        CAssoc** ppLast = &pAll;
        for (UINT n = 0; n < m_nHashTableSize; n++)
            for (CAssoc* p = m_pHashTable[n]; p != NULL; p = p->pNext) {
                *ppLast = p;
                ppLast = &p->pNext;
            }
        *ppLast = NULL;
        delete[] m_pHashTable;
        m_pHashTable = NULL;
    }
    m_nHashTableSize = hashSize;
    if (bAllocNow || pAll != NULL) AllocTable(hashSize);
    while (pAll != NULL) {
        CAssoc* p = pAll;
        pAll = pAll->pNext;
        p->nHashValue = HashKey<ARG_KEY>(p->key) % m_nHashTableSize;
        p->pNext = m_pHashTable[p->nHashValue];
        m_pHashTable[p->nHashValue] = p;
    }
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll() {
    if (m_pHashTable != NULL) {
        for (UINT n = 0; n < m_nHashTableSize; n++) {
            CAssoc* p = m_pHashTable[n];
            while (p != NULL) {
                CAssoc* pNext = p->pNext;
                delete p;
                p = pNext;
            }
        }
        delete[] m_pHashTable;
        m_pHashTable = NULL;
    }
    m_nCount = 0;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(
    ARG_KEY key, UINT& nHash) const {
    nHash = HashKey<ARG_KEY>(key) % m_nHashTableSize;
    if (m_pHashTable == NULL) return NULL;
    for (CAssoc* p = m_pHashTable[nHash]; p != NULL; p = p->pNext)
        if (CompareElements(&p->key, &key)) return p;
    return NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const {
    UINT nHash;
    CAssoc* p = GetAssocAt(key, nHash);
    if (p == NULL) return FALSE;
    rValue = p->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key) {
    UINT nHash;
    CAssoc* p = GetAssocAt(key, nHash);
    if (p == NULL) {
        if (m_pHashTable == NULL) AllocTable(m_nHashTableSize);
        p = new CAssoc{m_pHashTable[nHash], nHash, KEY(key), VALUE()};
        m_pHashTable[nHash] = p;  // the head of its bucket
        m_nCount++;
    }
    return p->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key) {
    if (m_pHashTable == NULL) return FALSE;
    CAssoc** ppPrev = &m_pHashTable[HashKey<ARG_KEY>(key) % m_nHashTableSize];
    for (CAssoc* p = *ppPrev; p != NULL; p = p->pNext) {
        if (CompareElements(&p->key, &key)) {
            *ppPrev = p->pNext;
            delete p;
            m_nCount--;
            return TRUE;
        }
        ppPrev = &p->pNext;
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
    CAssoc* pRet = (CAssoc*)rNextPosition;
    ASSERT(pRet != NULL && m_pHashTable != NULL);
    if (pRet == NULL || m_pHashTable == NULL) {
        rNextPosition = NULL;
        return;
    }
    if (pRet == (CAssoc*)BEFORE_START_POSITION) {
        pRet = NULL;
        for (UINT n = 0; n < m_nHashTableSize && pRet == NULL; n++) pRet = m_pHashTable[n];
        if (pRet == NULL) {
            rNextPosition = NULL;
            return;
        }
    }
    CAssoc* pNext = pRet->pNext;
    for (UINT n = pRet->nHashValue + 1; pNext == NULL && n < m_nHashTableSize; n++) pNext = m_pHashTable[n];
    rNextPosition = (POSITION)pNext;
    rKey = pRet->key;
    rValue = pRet->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(m_nCount);
        if (m_nCount == 0 || m_pHashTable == NULL) return;
        for (UINT n = 0; n < m_nHashTableSize; n++)
            for (CAssoc* p = m_pHashTable[n]; p != NULL; p = p->pNext) {
                SerializeElements(ar, &p->key, 1);
                SerializeElements(ar, &p->value, 1);
            }
    } else {
        DWORD_PTR nNewCount = ar.ReadCount();
        AfxCheckStoredCount(ar, nNewCount,
                            AfxMinStoredSize((const KEY*)NULL) + AfxMinStoredSize((const VALUE*)NULL));
        while (nNewCount--) {
            KEY newKey = KEY();
            VALUE newValue = VALUE();
            SerializeElements(ar, &newKey, 1);
            SerializeElements(ar, &newValue, 1);
            SetAt(newKey, newValue);
        }
    }
}
