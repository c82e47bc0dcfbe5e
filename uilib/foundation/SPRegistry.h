// SPRegistry.h - typed registry access for the state of the UI library.
//   CSPRegistry      reads and writes numbers, strings, bytes, rectangles,
//                    points, arrays and serialised objects under one key
//   CSPRegistryPtr   creates the registry object on first use and owns it
//   SPSetRegistryClass  lets an application substitute a derived class
//   SPGetRegPath     builds the key of every stored state
//
// No operation throws: failures answer FALSE and leave the Win32 result in
// the last-result field. A read-only object refuses every write, CreateKey
// and DeleteKey, and opens keys with read access only.
#pragma once
#include "afxwin.h"
#include "afxcoll.h"

class CSPRegistry : public CObject {
    DECLARE_DYNCREATE(CSPRegistry)

public:
    CSPRegistry();
    CSPRegistry(BOOL bAdmin, BOOL bReadOnly);
    virtual ~CSPRegistry();

    // Operations, in this order in the object's table of virtual functions.
    virtual BOOL ReadKeyValues(CStringArray& Values);
    virtual BOOL VerifyKey(LPCTSTR pszPath);
    virtual BOOL VerifyValue(LPCTSTR pszValue);
    virtual BOOL CreateKey(LPCTSTR pszPath);
    virtual BOOL Open(LPCTSTR pszPath);
    virtual void Close();
    virtual BOOL DeleteValue(LPCTSTR pszValue);
    virtual BOOL DeleteKey(LPCTSTR pszPath, BOOL bAdmin = FALSE);

    virtual BOOL Write(LPCTSTR pszKey, CObject* pObj);
    virtual BOOL Write(LPCTSTR pszKey, CObject& obj);
    virtual BOOL Write(LPCTSTR pszKey, CObList& list);
    virtual BOOL Write(LPCTSTR pszKey, LPBYTE pData, UINT nBytes);
    virtual BOOL Write(LPCTSTR pszKey, CPoint& point);
    virtual BOOL Write(LPCTSTR pszKey, CRect& rect);
    virtual BOOL Write(LPCTSTR pszKey, CWordArray& wcArray);
    virtual BOOL Write(LPCTSTR pszKey, CStringList& scStringList);
    virtual BOOL Write(LPCTSTR pszKey, CByteArray& bcArray);
    virtual BOOL Write(LPCTSTR pszKey, CDWordArray& dwcArray);
    virtual BOOL Write(LPCTSTR pszKey, CStringArray& scArray);
    virtual BOOL Write(LPCTSTR pszKey, LPCTSTR pszVal);
    virtual BOOL Write(LPCTSTR pszKey, DWORD dwVal);
    virtual BOOL Write(LPCTSTR pszKey, int iVal);

    // The pointer form creates the stored object; it must be of the class
    // pRequired or derived from it, else nothing is created and FALSE.
    virtual BOOL Read(LPCTSTR pszKey, CObject*& pObj,
                      const CRuntimeClass* pRequired = RUNTIME_CLASS(CObject));
    virtual BOOL Read(LPCTSTR pszKey, CObject& obj);
    // Deletes the list's objects first; every element read must be of the
    // class pRequired (or derived), else the read fails and keeps nothing.
    virtual BOOL Read(LPCTSTR pszKey, CObList& list,
                      const CRuntimeClass* pRequired = RUNTIME_CLASS(CObject));
    // The caller frees *ppData with delete[]; NULL and 0 when missing.
    virtual BOOL Read(LPCTSTR pszKey, BYTE** ppData, UINT* pBytes);
    virtual BOOL Read(LPCTSTR pszKey, CRect& rect);
    virtual BOOL Read(LPCTSTR pszKey, CPoint& point);
    virtual BOOL Read(LPCTSTR pszKey, CByteArray& bcArray);
    virtual BOOL Read(LPCTSTR pszKey, CWordArray& wcArray);
    virtual BOOL Read(LPCTSTR pszKey, CDWordArray& dwcArray);
    virtual BOOL Read(LPCTSTR pszKey, CStringArray& scArray);
    virtual BOOL Read(LPCTSTR pszKey, CStringList& scStringList);
    virtual BOOL Read(LPCTSTR pszKey, CString& sVal);
    virtual BOOL Read(LPCTSTR pszKey, DWORD& dwVal);
    virtual BOOL Read(LPCTSTR pszKey, int& iVal);

    virtual BOOL ReadSubKeys(CStringArray& SubKeys);

    // Sizes share the point's stored form.
    BOOL Write(LPCTSTR pszKey, CSize& size);
    BOOL Read(LPCTSTR pszKey, CSize& size);

    // Attributes
    LONG GetLastResult() const { return m_nLastError; }
    DWORD GetLastValueType() const { return m_dwLastType; }
    DWORD GetLastValueSize() const { return m_dwLastSize; }
    HKEY GetCurrentKey() const { return m_hKey; }
    const CString& GetKeyPath() const { return m_sPath; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    BOOL IsAdmin() const { return m_bAdmin; }

protected:
    LONG m_nLastError;
    DWORD m_dwLastType;
    DWORD m_dwLastSize;
    HKEY m_hKey;
    BOOL m_bAdmin;
    CString m_sPath;
    BOOL m_bReadOnly;
    int m_nHolderValue;  // copied from the CSPRegistryPtr that made the object

    friend class CSPRegistryPtr;

private:
    HKEY Root() const { return m_bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
    BOOL SetValue(LPCTSTR pszKey, DWORD dwType, const void* pData, DWORD cbData);
    // Reads a value of the given type; a value of another type reads as
    // missing. The bytes are appended to buf.
    BOOL QueryValue(LPCTSTR pszKey, DWORD dwType, CByteArray& buf);
    BOOL WriteArchiveImage(LPCTSTR pszKey, CMemFile& file);
    template <class Fn> BOOL WriteSerialized(LPCTSTR pszKey, Fn store);
    template <class Fn> BOOL ReadSerialized(LPCTSTR pszKey, Fn load);
};

// Creates the registry object on first use and deletes it with itself.
class CSPRegistryPtr {
public:
    CSPRegistryPtr() : m_pRegistry(NULL), m_nValue(0) {}
    ~CSPRegistryPtr() { delete m_pRegistry; }

    // The held object, made on the first call from the class set by
    // SPSetRegistryClass; later calls answer the same object unchanged.
    CSPRegistry* Create(BOOL bAdmin, BOOL bReadOnly);
    CSPRegistry* operator->() { return m_pRegistry; }

private:
    CSPRegistryPtr(const CSPRegistryPtr&) = delete;
    CSPRegistryPtr& operator=(const CSPRegistryPtr&) = delete;

    CSPRegistry* m_pRegistry;
    int m_nValue;
};

// NULL restores CSPRegistry itself; a class not derived from CSPRegistry is
// refused.
BOOL SPSetRegistryClass(CRuntimeClass* pRTI);

// The key of a stored state: lpszProfilePath when given, else
// "SOFTWARE\<registry key>\<profile name>\<section>\".
CString SPGetRegPath(LPCTSTR lpszPostFix, LPCTSTR lpszProfilePath = NULL);
