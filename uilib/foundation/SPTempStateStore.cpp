#include "SPTempStateStore.h"

CSPTempStateStore spTempStateStore;
CString CSPTempStateStore::s_strFolder;

CSPTempStateStore::CSPTempStateStore() : m_mapFiles(10) { m_mapFiles.InitHashTable(17); }

CSPTempStateStore::~CSPTempStateStore() { m_mapFiles.RemoveAll(); }

HANDLE CSPTempStateStore::CreateTempFile() {
    char szFolder[MAX_PATH + 1];
    if (!s_strFolder.IsEmpty()) {
        if (s_strFolder.GetLength() > MAX_PATH - 14) return INVALID_HANDLE_VALUE;
        lstrcpynA(szFolder, s_strFolder, sizeof(szFolder));
    } else {
        DWORD n = ::GetTempPathA(MAX_PATH, szFolder);
        if (n == 0 || n > MAX_PATH) return INVALID_HANDLE_VALUE;
    }
    char szName[MAX_PATH + 1];
    if (::GetTempFileNameA(szFolder, "S", 0, szName) == 0) return INVALID_HANDLE_VALUE;
    HANDLE hFile = ::CreateFileA(szName, GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
    // GetTempFileName made the file already; do not leave it behind.
    if (hFile == INVALID_HANDLE_VALUE) ::DeleteFileA(szName);
    return hFile;
}

BOOL CSPTempStateStore::SaveObjectState(UINT uiID, CObject& obj) {
    RemoveState(uiID);

    HANDLE hFile = CreateTempFile();
    if (hFile == INVALID_HANDLE_VALUE) return FALSE;

    BOOL bOk = TRUE;
    CFile file(hFile);  // does not close the handle
    try {
        CArchive ar(&file, CArchive::store, 4096);
        obj.Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        bOk = FALSE;
    }
    if (!bOk) {
        ::CloseHandle(hFile);
        return FALSE;
    }
    m_mapFiles.SetAt(uiID, hFile);
    return TRUE;
}

BOOL CSPTempStateStore::LoadObjectState(UINT uiID, CObject& obj) {
    HANDLE hFile;
    if (!m_mapFiles.Lookup(uiID, hFile)) return FALSE;

    BOOL bOk = TRUE;
    CFile file(hFile);
    try {
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load, 4096);
        obj.Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        bOk = FALSE;
    }
    return bOk;
}

BOOL CSPTempStateStore::RemoveState(UINT uiID) {
    HANDLE hFile;
    if (!m_mapFiles.Lookup(uiID, hFile)) return FALSE;
    ::CloseHandle(hFile);
    m_mapFiles.RemoveKey(uiID);
    return TRUE;
}

void CSPTempStateStore::RemoveAll() {
    for (POSITION pos = m_mapFiles.GetStartPosition(); pos != NULL;) {
        UINT uiID = 0;
        HANDLE hFile = INVALID_HANDLE_VALUE;
        m_mapFiles.GetNextAssoc(pos, uiID, hFile);
        ::CloseHandle(hFile);
    }
    m_mapFiles.RemoveAll();
}
