#include "SPShellManager.h"

CSPShellManager* g_pShellManager = NULL;

CSPShellManager::PFNSHBROWSEFORFOLDER CSPShellManager::s_pfnSHBrowseForFolder = &::SHBrowseForFolder;

CSPShellManager::CSPShellManager() : m_pMalloc(NULL), m_lpszInitialPath(NULL) {
    if (FAILED(::SHGetMalloc(&m_pMalloc))) m_pMalloc = NULL;
    g_pShellManager = this;
}

CSPShellManager::~CSPShellManager() {
    if (m_pMalloc != NULL) m_pMalloc->Release();
    if (g_pShellManager == this) g_pShellManager = NULL;
}

int CALLBACK CSPShellManager::BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM, LPARAM lpData) {
    CSPShellManager* pThis = (CSPShellManager*)lpData;
    if (uMsg == BFFM_INITIALIZED && pThis != NULL && pThis->m_lpszInitialPath != NULL)
        ::SendMessage(hwnd, BFFM_SETSELECTION, TRUE, (LPARAM)pThis->m_lpszInitialPath);
    return 0;
}

BOOL CSPShellManager::BrowseForFolder(CString& strOutFolder, CWnd* pWndParent, LPCTSTR lplszInitialFolder,
                                      LPCTSTR lpszTitle, UINT ulFlags, int* piFolderImage) {
    if (s_pfnSHBrowseForFolder == NULL) return FALSE;
    TCHAR szDisplayName[MAX_PATH] = {};
    BROWSEINFO bi = {};
    bi.hwndOwner = pWndParent != NULL ? pWndParent->GetSafeHwnd() : NULL;
    bi.pidlRoot = NULL;
    bi.pszDisplayName = szDisplayName;
    bi.lpszTitle = lpszTitle != NULL ? lpszTitle : _T("");
    bi.ulFlags = ulFlags;
    bi.lpfn = &BrowseCallbackProc;
    bi.lParam = (LPARAM)this;
    bi.iImage = -1;

    // An empty initial folder is no folder: the browser would select nothing
    // sensible with it.
    m_lpszInitialPath = lplszInitialFolder != NULL && *lplszInitialFolder != 0 ? lplszInitialFolder : NULL;
    LPITEMIDLIST pidlResult = s_pfnSHBrowseForFolder(&bi);
    m_lpszInitialPath = NULL;
    if (pidlResult == NULL) return FALSE;

    TCHAR szPath[MAX_PATH] = {};
    const BOOL bOK = ::SHGetPathFromIDList(pidlResult, szPath);
    if (bOK) {
        strOutFolder = szPath;
        if (piFolderImage != NULL) *piFolderImage = bi.iImage;
    }
    FreeItem(pidlResult);
    return bOK;
}

LPITEMIDLIST CSPShellManager::GetNextItem(LPCITEMIDLIST pItem) {
    if (pItem == NULL || pItem->mkid.cb == 0) return NULL;
    return (LPITEMIDLIST)((const BYTE*)pItem + pItem->mkid.cb);
}

UINT CSPShellManager::GetItemCount(LPCITEMIDLIST pidl) {
    UINT nCount = 0;
    for (LPCITEMIDLIST p = pidl; p != NULL && p->mkid.cb != 0; p = GetNextItem(p)) nCount++;
    return nCount;
}

UINT CSPShellManager::GetItemSize(LPCITEMIDLIST pidl) {
    if (pidl == NULL) return 0;
    UINT cbTotal = sizeof(USHORT);
    for (LPCITEMIDLIST p = pidl; p != NULL && p->mkid.cb != 0; p = GetNextItem(p)) cbTotal += p->mkid.cb;
    return cbTotal;
}

LPITEMIDLIST CSPShellManager::CreateItem(UINT cbSize) {
    if (m_pMalloc == NULL) return NULL;
    LPITEMIDLIST pidl = (LPITEMIDLIST)m_pMalloc->Alloc(cbSize);
    if (pidl != NULL) ZeroMemory(pidl, cbSize);
    return pidl;
}

void CSPShellManager::FreeItem(LPITEMIDLIST pidl) {
    if (pidl != NULL && m_pMalloc != NULL) m_pMalloc->Free(pidl);
}

LPITEMIDLIST CSPShellManager::CopyItem(LPCITEMIDLIST pidl) {
    if (pidl == NULL) return NULL;
    const UINT cb = GetItemSize(pidl);
    LPITEMIDLIST pidlCopy = CreateItem(cb);
    if (pidlCopy != NULL) CopyMemory(pidlCopy, pidl, cb);
    return pidlCopy;
}

LPITEMIDLIST CSPShellManager::ConcatenateItem(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2) {
    const UINT cb1 = pidl1 != NULL ? GetItemSize(pidl1) - sizeof(USHORT) : 0;
    const UINT cb2 = pidl2 != NULL ? GetItemSize(pidl2) : sizeof(USHORT);
    LPITEMIDLIST pidlNew = CreateItem(cb1 + cb2);
    if (pidlNew == NULL) return NULL;
    if (cb1 != 0) CopyMemory(pidlNew, pidl1, cb1);
    // CreateItem zero-filled the terminator when there is no second list.
    if (pidl2 != NULL) CopyMemory((BYTE*)pidlNew + cb1, pidl2, cb2);
    return pidlNew;
}

HRESULT CSPShellManager::ItemFromPath(LPCTSTR lpszPath, LPITEMIDLIST& pidl) {
    pidl = NULL;
    if (lpszPath == NULL) return E_INVALIDARG;
    LPSHELLFOLDER pDesktopFolder = NULL;
    HRESULT hr = ::SHGetDesktopFolder(&pDesktopFolder);
    if (FAILED(hr)) return hr;
    OLECHAR olePath[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, lpszPath, -1, olePath, MAX_PATH);
    olePath[MAX_PATH - 1] = 0;  // a longer path is cut, never left unterminated
    ULONG chEaten = 0;
    hr = pDesktopFolder->ParseDisplayName(NULL, NULL, olePath, &chEaten, &pidl, NULL);
    pDesktopFolder->Release();
    if (FAILED(hr)) pidl = NULL;
    return hr;
}

int CSPShellManager::GetParentItem(LPCITEMIDLIST lpidl, LPITEMIDLIST& lpidlParent) {
    lpidlParent = NULL;
    const UINT nCount = GetItemCount(lpidl);
    if (nCount == 0) return -1;
    if (nCount == 1) {
        if (FAILED(::SHGetSpecialFolderLocation(NULL, CSIDL_DESKTOP, &lpidlParent))) lpidlParent = NULL;
        return 0;
    }
    // All items but the last, and a fresh terminator (CreateItem zero-fills).
    UINT cbParent = 0;
    LPCITEMIDLIST p = lpidl;
    for (UINT i = 0; i + 1 < nCount; i++, p = GetNextItem(p)) cbParent += p->mkid.cb;
    lpidlParent = CreateItem(cbParent + sizeof(USHORT));
    if (lpidlParent == NULL) return -1;
    CopyMemory(lpidlParent, lpidl, cbParent);
    return (int)(nCount - 1);
}
