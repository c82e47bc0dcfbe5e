// SPRegistry.cpp - typed registry access and the key path rule.
#include "SPRegistry.h"

IMPLEMENT_DYNCREATE(CSPRegistry, CObject)

namespace {

const REGSAM kReadAccess = 0x19;     // KEY_QUERY_VALUE | ENUMERATE_SUB_KEYS | NOTIFY
const REGSAM kFullAccess = 0xF003F;  // KEY_ALL_ACCESS

const int kArchiveBuffer = 4096;
const UINT kMemFileGrowth = 1024;

CRuntimeClass* g_pRegistryClass = NULL;  // NULL: CSPRegistry itself

// Every key path loses one trailing backslash.
CString TrimPath(LPCTSTR pszPath) {
    CString path(pszPath != NULL ? pszPath : "");
    int n = path.GetLength();
    if (n > 0 && path[n - 1] == '\\') path = path.Left(n - 1);
    return path;
}

bool IsPredefined(HKEY hKey) {
    return hKey == HKEY_CURRENT_USER || hKey == HKEY_LOCAL_MACHINE ||
           hKey == HKEY_CLASSES_ROOT || hKey == HKEY_USERS;
}

}  // namespace

CSPRegistry::CSPRegistry()
    : m_nLastError(ERROR_SUCCESS), m_dwLastType(0), m_dwLastSize(0),
      m_hKey(HKEY_CURRENT_USER), m_bAdmin(FALSE), m_bReadOnly(FALSE), m_nHolderValue(0) {}

CSPRegistry::CSPRegistry(BOOL bAdmin, BOOL bReadOnly)
    : m_nLastError(ERROR_SUCCESS), m_dwLastType(0), m_dwLastSize(0),
      m_hKey(bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER), m_bAdmin(bAdmin),
      m_bReadOnly(bReadOnly), m_nHolderValue(0) {}

CSPRegistry::~CSPRegistry() { Close(); }

// ---------------------------------------------------------------- keys

BOOL CSPRegistry::VerifyKey(LPCTSTR pszPath) {
    if (m_hKey == NULL) return FALSE;
    HKEY hKey = NULL;
    m_nLastError = ::RegOpenKeyExA(m_hKey, TrimPath(pszPath), 0, kReadAccess, &hKey);
    if (m_nLastError != ERROR_SUCCESS) return FALSE;
    ::RegCloseKey(hKey);
    return TRUE;
}

BOOL CSPRegistry::VerifyValue(LPCTSTR pszValue) {
    if (m_hKey == NULL) return FALSE;
    DWORD dwType = 0, cb = 0;
    m_nLastError = ::RegQueryValueExA(m_hKey, pszValue, NULL, &dwType, NULL, &cb);
    return m_nLastError == ERROR_SUCCESS;
}

BOOL CSPRegistry::CreateKey(LPCTSTR pszPath) {
    if (m_bReadOnly || m_hKey == NULL) return FALSE;
    HKEY hKey = NULL;
    DWORD dwDisposition = 0;
    m_nLastError = ::RegCreateKeyExA(m_hKey, TrimPath(pszPath), 0, NULL, REG_OPTION_NON_VOLATILE,
                                     kFullAccess, NULL, &hKey, &dwDisposition);
    if (m_nLastError != ERROR_SUCCESS) return FALSE;
    if (!IsPredefined(m_hKey)) ::RegCloseKey(m_hKey);
    m_hKey = hKey;
    return TRUE;
}

BOOL CSPRegistry::Open(LPCTSTR pszPath) {
    m_sPath = TrimPath(pszPath);
    if (m_hKey == NULL) return FALSE;
    HKEY hKey = NULL;
    m_nLastError =
        ::RegOpenKeyExA(m_hKey, m_sPath, 0, m_bReadOnly ? kReadAccess : kFullAccess, &hKey);
    if (m_nLastError != ERROR_SUCCESS) return FALSE;
    if (!IsPredefined(m_hKey)) ::RegCloseKey(m_hKey);
    m_hKey = hKey;
    return TRUE;
}

void CSPRegistry::Close() {
    if (m_hKey != NULL && !IsPredefined(m_hKey)) ::RegCloseKey(m_hKey);
    m_hKey = NULL;
}

BOOL CSPRegistry::DeleteValue(LPCTSTR pszValue) {
    if (m_bReadOnly || m_hKey == NULL) return FALSE;
    m_nLastError = ::RegDeleteValueA(m_hKey, pszValue);
    return m_nLastError == ERROR_SUCCESS;
}

BOOL CSPRegistry::DeleteKey(LPCTSTR pszPath, BOOL bAdmin) {
    if (m_bReadOnly) return FALSE;
    const CString path = TrimPath(pszPath);
    HKEY hRoot = bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    HKEY hKey = NULL;
    m_nLastError = ::RegOpenKeyExA(hRoot, path, 0, kFullAccess, &hKey);
    if (m_nLastError != ERROR_SUCCESS) return FALSE;

    // Always remove the first remaining subkey until none is left.
    for (;;) {
        DWORD cchMaxSubKey = 0;
        m_nLastError = ::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, NULL, &cchMaxSubKey, NULL, NULL,
                                          NULL, NULL, NULL, NULL);
        if (m_nLastError != ERROR_SUCCESS) break;
        CString sub;
        DWORD cch = cchMaxSubKey + 1;
        LPTSTR buf = sub.GetBuffer((int)cch);
        m_nLastError = ::RegEnumKeyExA(hKey, 0, buf, &cch, NULL, NULL, NULL, NULL);
        sub.ReleaseBuffer(m_nLastError == ERROR_SUCCESS ? (int)cch : 0);
        if (m_nLastError == ERROR_NO_MORE_ITEMS) {
            m_nLastError = ERROR_SUCCESS;
            break;
        }
        if (m_nLastError != ERROR_SUCCESS) break;
        if (!DeleteKey(path + "\\" + sub, bAdmin)) {
            ::RegCloseKey(hKey);
            return FALSE;
        }
    }
    ::RegCloseKey(hKey);
    if (m_nLastError != ERROR_SUCCESS) return FALSE;
    m_nLastError = ::RegDeleteKeyA(hRoot, path);
    return m_nLastError == ERROR_SUCCESS;
}

BOOL CSPRegistry::ReadSubKeys(CStringArray& SubKeys) {
    if (m_hKey == NULL) return FALSE;
    for (DWORD i = 0;; i++) {
        char name[1025];
        DWORD cch = sizeof(name);
        LONG res = ::RegEnumKeyExA(m_hKey, i, name, &cch, NULL, NULL, NULL, NULL);
        if (res != ERROR_SUCCESS) {
            m_nLastError = res;
            return !(i == 0 && res != ERROR_NO_MORE_ITEMS);
        }
        SubKeys.Add(CString(name, (int)cch));
    }
}

BOOL CSPRegistry::ReadKeyValues(CStringArray& Values) {
    if (m_hKey == NULL) return FALSE;
    DWORD i = 0;
    for (;; i++) {
        char name[16384];
        DWORD cch = sizeof(name);
        LONG res = ::RegEnumValueA(m_hKey, i, name, &cch, NULL, NULL, NULL, NULL);
        if (res != ERROR_SUCCESS) {
            m_nLastError = res;
            break;
        }
        Values.Add(CString(name, (int)cch));
    }
    return i > 0 && m_nLastError == ERROR_NO_MORE_ITEMS;
}

// ---------------------------------------------------------------- values

BOOL CSPRegistry::SetValue(LPCTSTR pszKey, DWORD dwType, const void* pData, DWORD cbData) {
    if (m_bReadOnly || m_hKey == NULL) return FALSE;
    m_dwLastType = dwType;
    m_dwLastSize = cbData;
    m_nLastError = ::RegSetValueExA(m_hKey, pszKey, 0, dwType, (const BYTE*)pData, cbData);
    return m_nLastError == ERROR_SUCCESS;
}

BOOL CSPRegistry::QueryValue(LPCTSTR pszKey, DWORD dwType, CByteArray& buf) {
    buf.RemoveAll();
    if (m_hKey == NULL) return FALSE;
    DWORD dwStoredType = 0, cb = 0;
    m_nLastError = ::RegQueryValueExA(m_hKey, pszKey, NULL, &dwStoredType, NULL, &cb);
    if (m_nLastError != ERROR_SUCCESS) return FALSE;
    m_dwLastType = dwStoredType;
    m_dwLastSize = cb;
    if (dwStoredType != dwType) return FALSE;
    buf.SetSize(cb);
    if (cb == 0) return TRUE;
    DWORD cbRead = cb;
    m_nLastError = ::RegQueryValueExA(m_hKey, pszKey, NULL, &dwStoredType, buf.GetData(), &cbRead);
    if (m_nLastError != ERROR_SUCCESS || dwStoredType != dwType || cbRead > cb) {
        buf.RemoveAll();
        return FALSE;
    }
    buf.SetSize(cbRead);
    return TRUE;
}

BOOL CSPRegistry::WriteArchiveImage(LPCTSTR pszKey, CMemFile& file) {
    const DWORD cb = (DWORD)file.GetLength();
    BYTE* pData = file.Detach();
    BOOL bOk = SetValue(pszKey, REG_BINARY, pData, cb);
    free(pData);
    return bOk;
}

template <class Fn>
BOOL CSPRegistry::WriteSerialized(LPCTSTR pszKey, Fn store) {
    if (m_bReadOnly || m_hKey == NULL) return FALSE;
    CMemFile file(kMemFileGrowth);
    try {
        CArchive ar(&file, CArchive::store, kArchiveBuffer);
        store(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return WriteArchiveImage(pszKey, file);
}

template <class Fn>
BOOL CSPRegistry::ReadSerialized(LPCTSTR pszKey, Fn load) {
    CByteArray buf;
    if (!QueryValue(pszKey, REG_BINARY, buf)) return FALSE;
    CMemFile file;
    file.Attach(buf.GetData(), (UINT)buf.GetSize(), 0);
    BOOL bOk = TRUE;
    try {
        CArchive ar(&file, CArchive::load, kArchiveBuffer);
        load(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        bOk = FALSE;
    }
    file.Detach();
    return bOk;
}

BOOL CSPRegistry::Write(LPCTSTR pszKey, CObject* pObj) {
    return WriteSerialized(pszKey, [&](CArchive& ar) { ar.WriteObject(pObj); });
}

BOOL CSPRegistry::Write(LPCTSTR pszKey, CObject& obj) {
    return WriteSerialized(pszKey, [&](CArchive& ar) { obj.Serialize(ar); });
}

BOOL CSPRegistry::Write(LPCTSTR pszKey, CObList& list) { return Write(pszKey, (CObject&)list); }
BOOL CSPRegistry::Write(LPCTSTR pszKey, CStringList& list) { return Write(pszKey, (CObject&)list); }
BOOL CSPRegistry::Write(LPCTSTR pszKey, CByteArray& a) { return Write(pszKey, (CObject&)a); }
BOOL CSPRegistry::Write(LPCTSTR pszKey, CDWordArray& a) { return Write(pszKey, (CObject&)a); }
BOOL CSPRegistry::Write(LPCTSTR pszKey, CStringArray& a) { return Write(pszKey, (CObject&)a); }

BOOL CSPRegistry::Write(LPCTSTR pszKey, LPBYTE pData, UINT nBytes) {
    return SetValue(pszKey, REG_BINARY, pData, nBytes);
}

BOOL CSPRegistry::Write(LPCTSTR pszKey, CPoint& point) {
    CDWordArray a;
    a.SetSize(5);
    a[0] = (DWORD)point.x;
    a[1] = (DWORD)point.y;
    return Write(pszKey, a);
}

BOOL CSPRegistry::Write(LPCTSTR pszKey, CSize& size) {
    CPoint pt(size.cx, size.cy);
    return Write(pszKey, pt);
}

BOOL CSPRegistry::Write(LPCTSTR pszKey, CRect& rect) {
    return WriteSerialized(pszKey, [&](CArchive& ar) { ar << (const RECT&)rect; });
}

BOOL CSPRegistry::Write(LPCTSTR pszKey, CWordArray& wcArray) {
    return WriteSerialized(pszKey, [&](CArchive& ar) {
        ar << (DWORD)wcArray.GetSize();
        for (INT_PTR i = 0; i < wcArray.GetSize(); i++) ar << wcArray[i];
    });
}

BOOL CSPRegistry::Write(LPCTSTR pszKey, LPCTSTR pszVal) {
    if (pszVal == NULL) pszVal = "";
    return SetValue(pszKey, REG_SZ, pszVal, (DWORD)strlen(pszVal) + 1);
}

BOOL CSPRegistry::Write(LPCTSTR pszKey, DWORD dwVal) {
    return SetValue(pszKey, REG_DWORD, &dwVal, sizeof(dwVal));
}

BOOL CSPRegistry::Write(LPCTSTR pszKey, int iVal) {
    return SetValue(pszKey, REG_DWORD, &iVal, sizeof(iVal));
}

BOOL CSPRegistry::Read(LPCTSTR pszKey, CObject*& pObj, const CRuntimeClass* pRequired) {
    pObj = NULL;
    CObject* pRead = NULL;
    BOOL bOk = ReadSerialized(pszKey, [&](CArchive& ar) { pRead = ar.ReadObject(pRequired); });
    if (!bOk) return FALSE;  // the archive freed an object whose data ran short
    pObj = pRead;
    return TRUE;
}

BOOL CSPRegistry::Read(LPCTSTR pszKey, CObject& obj) {
    return ReadSerialized(pszKey, [&](CArchive& ar) { obj.Serialize(ar); });
}

BOOL CSPRegistry::Read(LPCTSTR pszKey, CObList& list, const CRuntimeClass* pRequired) {
    while (!list.IsEmpty()) delete list.RemoveHead();
    CObList read;
    BOOL bOk = ReadSerialized(pszKey, [&](CArchive& ar) {
        DWORD_PTR n = ar.ReadCount();
        for (DWORD_PTR i = 0; i < n; i++) {
            CObject* pOb = ar.ReadObject(pRequired);
            if (pOb != NULL) read.AddTail(pOb);
        }
    });
    if (!bOk) {
        // Objects can appear twice in one image (back references); delete each once.
        while (!read.IsEmpty()) {
            CObject* pOb = read.RemoveHead();
            while (read.Find(pOb) != NULL) read.RemoveAt(read.Find(pOb));
            delete pOb;
        }
        return FALSE;
    }
    list.AddTail(&read);
    return TRUE;
}

BOOL CSPRegistry::Read(LPCTSTR pszKey, BYTE** ppData, UINT* pBytes) {
    *ppData = NULL;
    *pBytes = 0;
    CByteArray buf;
    if (!QueryValue(pszKey, REG_BINARY, buf)) return FALSE;
    *pBytes = (UINT)buf.GetSize();
    *ppData = new BYTE[*pBytes > 0 ? *pBytes : 1];
    if (*pBytes > 0) memcpy(*ppData, buf.GetData(), *pBytes);
    return TRUE;
}

BOOL CSPRegistry::Read(LPCTSTR pszKey, CRect& rect) {
    RECT rc;
    if (!ReadSerialized(pszKey, [&](CArchive& ar) { ar >> rc; })) return FALSE;
    rect = rc;
    return TRUE;
}

BOOL CSPRegistry::Read(LPCTSTR pszKey, CPoint& point) {
    CDWordArray a;
    if (!Read(pszKey, a) || a.GetSize() < 2) return FALSE;
    point.x = (LONG)a[0];
    point.y = (LONG)a[1];
    return TRUE;
}

BOOL CSPRegistry::Read(LPCTSTR pszKey, CSize& size) {
    CPoint pt;
    if (!Read(pszKey, pt)) return FALSE;
    size.cx = pt.x;
    size.cy = pt.y;
    return TRUE;
}

BOOL CSPRegistry::Read(LPCTSTR pszKey, CByteArray& a) {
    a.RemoveAll();
    if (ReadSerialized(pszKey, [&](CArchive& ar) { a.Serialize(ar); })) return TRUE;
    a.RemoveAll();
    return FALSE;
}

BOOL CSPRegistry::Read(LPCTSTR pszKey, CWordArray& wcArray) {
    wcArray.RemoveAll();
    BOOL bOk = ReadSerialized(pszKey, [&](CArchive& ar) {
        DWORD n = 0;
        ar >> n;
        // Grows as the data arrives: a damaged count cannot allocate more
        // than the value holds.
        for (DWORD i = 0; i < n; i++) {
            WORD w;
            ar >> w;
            wcArray.Add(w);
        }
    });
    if (!bOk) wcArray.RemoveAll();
    return bOk;
}

BOOL CSPRegistry::Read(LPCTSTR pszKey, CDWordArray& a) {
    a.RemoveAll();
    if (ReadSerialized(pszKey, [&](CArchive& ar) { a.Serialize(ar); })) return TRUE;
    a.RemoveAll();
    return FALSE;
}

BOOL CSPRegistry::Read(LPCTSTR pszKey, CStringArray& a) {
    a.RemoveAll();
    if (ReadSerialized(pszKey, [&](CArchive& ar) { a.Serialize(ar); })) return TRUE;
    a.RemoveAll();
    return FALSE;
}

BOOL CSPRegistry::Read(LPCTSTR pszKey, CStringList& list) {
    list.RemoveAll();
    if (ReadSerialized(pszKey, [&](CArchive& ar) { list.Serialize(ar); })) return TRUE;
    list.RemoveAll();
    return FALSE;
}

BOOL CSPRegistry::Read(LPCTSTR pszKey, CString& sVal) {
    sVal.Empty();
    CByteArray buf;
    if (!QueryValue(pszKey, REG_SZ, buf)) return FALSE;
    // The stored text ends at its first zero, or at the value's end.
    int n = 0;
    while (n < buf.GetSize() && buf[n] != 0) n++;
    sVal = CString((LPCTSTR)buf.GetData(), n);
    return TRUE;
}

BOOL CSPRegistry::Read(LPCTSTR pszKey, DWORD& dwVal) {
    CByteArray buf;
    if (!QueryValue(pszKey, REG_DWORD, buf) || buf.GetSize() != sizeof(DWORD)) return FALSE;
    memcpy(&dwVal, buf.GetData(), sizeof(DWORD));
    return TRUE;
}

BOOL CSPRegistry::Read(LPCTSTR pszKey, int& iVal) {
    DWORD dw;
    if (!Read(pszKey, dw)) return FALSE;
    iVal = (int)dw;
    return TRUE;
}

// ---------------------------------------------------------------- holder

CSPRegistry* CSPRegistryPtr::Create(BOOL bAdmin, BOOL bReadOnly) {
    if (m_pRegistry != NULL) return m_pRegistry;
    CSPRegistry* pReg = NULL;
    if (g_pRegistryClass != NULL) pReg = static_cast<CSPRegistry*>(g_pRegistryClass->CreateObject());
    if (pReg == NULL) pReg = new CSPRegistry;
    pReg->m_bReadOnly = bReadOnly;
    pReg->m_hKey = bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    pReg->m_bAdmin = bAdmin;
    pReg->m_nHolderValue = m_nValue;
    m_pRegistry = pReg;
    return m_pRegistry;
}

BOOL SPSetRegistryClass(CRuntimeClass* pRTI) {
    if (pRTI == NULL) {
        g_pRegistryClass = NULL;
        return TRUE;
    }
    if (!pRTI->IsDerivedFrom(RUNTIME_CLASS(CSPRegistry))) return FALSE;
    g_pRegistryClass = pRTI;
    return TRUE;
}

CString SPGetRegPath(LPCTSTR lpszPostFix, LPCTSTR lpszProfilePath) {
    if (lpszProfilePath != NULL && *lpszProfilePath != '\0') return lpszProfilePath;
    CWinApp* pApp = AfxGetApp();
    CString path = "SOFTWARE\\";
    if (pApp != NULL && pApp->m_pszRegistryKey != NULL && *pApp->m_pszRegistryKey != '\0') {
        path += pApp->m_pszRegistryKey;
        path += '\\';
    }
    if (pApp != NULL && pApp->m_pszProfileName != NULL) path += pApp->m_pszProfileName;
    path += '\\';
    path += lpszPostFix != NULL ? lpszPostFix : "";
    path += '\\';
    return path;
}
