// afxcoll.h - the ready-made collections:
//   lists   CObList, CPtrList, CStringList
//   arrays  CObArray, CPtrArray, CStringArray, CByteArray, CWordArray,
//           CDWordArray, CUIntArray
//   maps    CMapStringToOb
// They are the templates of afxtempl.h with a runtime class of their own.
// Serialize: CObList, CObArray and CMapStringToOb store their objects with
// WriteObject (loading accepts any serialisable class: callers check the
// elements with IsKindOf); the others store the count and raw elements or
// strings. CPtrList and CPtrArray cannot be serialised.
#pragma once
#include "afxtempl.h"

class CObList : public CList<CObject*, CObject*> {
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(int nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}
    void Serialize(CArchive& ar) override;
};

class CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(int nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
    void Serialize(CArchive& ar) override;  // not supported: throws
};

class CStringList : public CList<CString, LPCTSTR> {
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(int nBlockSize = 10) : CList<CString, LPCTSTR>(nBlockSize) {}
};

class CObArray : public CArray<CObject*, CObject*> {
    DECLARE_SERIAL(CObArray)
public:
    void Serialize(CArchive& ar) override;
};

class CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
public:
    void Serialize(CArchive& ar) override;  // not supported: throws
};

class CStringArray : public CArray<CString, LPCTSTR> {
    DECLARE_SERIAL(CStringArray)
};

class CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_SERIAL(CByteArray)
};

class CWordArray : public CArray<WORD, WORD> {
    DECLARE_SERIAL(CWordArray)
};

class CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_SERIAL(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT> {
    DECLARE_SERIAL(CUIntArray)
};

class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*> {
    DECLARE_SERIAL(CMapStringToOb)
public:
    explicit CMapStringToOb(int nBlockSize = 10) : CMap<CString, LPCTSTR, CObject*, CObject*>(nBlockSize) {}
    void Serialize(CArchive& ar) override;
};
