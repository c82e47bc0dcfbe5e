// ShellFiles.cpp - file dialogs, folder removal, the main title and the
// folder picker.
#include "ShellFiles.h"

#include <commdlg.h>
#include <shlobj.h>

#include <string>

#include "AppState.h"

PFN_FILE_DIALOG g_pfnFileDialogForTest = NULL;
CFolderPicker::PFN_BROWSE CFolderPicker::s_pfnBrowseForTest = NULL;

extern char* g_pszChmPath;

BOOL ShowFileDialog(HWND hOwner, LPCTSTR lpszDefName, LPCTSTR lpszFilter, LPCTSTR lpszTitle, LPTSTR pszBuffer,
                    int nMode) {
    if (nMode != 0 && nMode != 1) return FALSE;
    lstrcpyn(pszBuffer, lpszDefName, 1024);
    if (g_pfnFileDialogForTest != NULL) return g_pfnFileDialogForTest(lpszTitle, pszBuffer, nMode);
    // "*.chm" gives "chm": a name typed without extension gets ".chm".
    LPCTSTR pszExt = _tcsrchr(lpszDefName, '.');
    OPENFILENAME ofn;
    memset(&ofn, 0, sizeof(ofn));
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = lpszFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = pszBuffer;
    ofn.nMaxFile = 1024;
    ofn.lpstrTitle = lpszTitle;
    ofn.lpstrDefExt = pszExt != NULL ? pszExt + 1 : NULL;
    if (nMode == 0) {
        ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
        return ::GetOpenFileName(&ofn);
    }
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    return ::GetSaveFileName(&ofn);
}

BOOL DeleteFolderTree(LPCTSTR lpszFolder) {
    std::string folder(lpszFolder);
    WIN32_FIND_DATA fd;
    HANDLE hFind = ::FindFirstFile((folder + "\\*.*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (lstrcmp(fd.cFileName, ".") == 0 || lstrcmp(fd.cFileName, "..") == 0) continue;
            std::string path = folder + "\\" + fd.cFileName;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteFolderTree(path.c_str());
            else
                ::DeleteFile(path.c_str());
        } while (::FindNextFile(hFind, &fd));
        ::FindClose(hFind);
    }
    return ::RemoveDirectory(lpszFolder);
}

void UpdateMainTitle() {
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL || pMain->GetSafeHwnd() == NULL) return;
    CString strTitle = _T("Tomewise 1.1");
    if (g_pszChmPath != NULL && *g_pszChmPath != 0) strTitle.Format(_T("Tomewise 1.1 - [%s]"), g_pszChmPath);
    pMain->SetWindowText(strTitle);
}

CString PathFileName(LPCTSTR lpszPath) {
    if (lpszPath == NULL) return CString();
    LPCTSTR p = _tcsrchr(lpszPath, '\\');
    if (p == NULL) p = _tcsrchr(lpszPath, '/');
    return CString(p != NULL ? p + 1 : lpszPath);
}

// --- CFolderPicker ---------------------------------------------------------------------

CFolderPicker::CFolderPicker() : m_nImage(0) {}

CFolderPicker::~CFolderPicker() {}

static int CALLBACK FolderPickerCallback(HWND hWnd, UINT uMsg, LPARAM, LPARAM lpData) {
    CFolderPicker* pPicker = reinterpret_cast<CFolderPicker*>(lpData);
    if (uMsg == BFFM_INITIALIZED && !pPicker->m_strInitial.IsEmpty())
        ::SendMessage(hWnd, BFFM_SETSELECTIONA, TRUE, (LPARAM)(LPCTSTR)pPicker->m_strInitial);
    return 0;
}

BOOL CFolderPicker::Browse() {
    if (s_pfnBrowseForTest != NULL) return s_pfnBrowseForTest(this);
    IMalloc* pMalloc = NULL;
    if (FAILED(::SHGetMalloc(&pMalloc)) || pMalloc == NULL) return FALSE;
    LPITEMIDLIST pidlRoot = NULL;
    if (!m_strRoot.IsEmpty()) {
        IShellFolder* pDesktop = NULL;
        WCHAR wszRoot[MAX_PATH];
        ::MultiByteToWideChar(CP_ACP, 0, m_strRoot, -1, wszRoot, MAX_PATH);
        wszRoot[MAX_PATH - 1] = 0;
        if (FAILED(::SHGetDesktopFolder(&pDesktop)) ||
            FAILED(pDesktop->ParseDisplayName(NULL, NULL, wszRoot, NULL, &pidlRoot, NULL))) {
            if (pDesktop != NULL) pDesktop->Release();
            pMalloc->Release();
            return FALSE;
        }
        pDesktop->Release();
    }
    char szDisplay[MAX_PATH];
    BROWSEINFO bi;
    memset(&bi, 0, sizeof(bi));
    bi.pidlRoot = pidlRoot;
    bi.pszDisplayName = szDisplay;
    // The title shown when none is given: "Open".
    bi.lpszTitle = m_strTitle.IsEmpty() ? "\xB4\xF2\xBF\xAA" : (LPCTSTR)m_strTitle;
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    bi.lpfn = FolderPickerCallback;
    bi.lParam = (LPARAM)this;
    LPITEMIDLIST pidl = ::SHBrowseForFolder(&bi);
    BOOL bResult = FALSE;
    if (pidl != NULL) {
        m_nImage = bi.iImage;
        char szPath[MAX_PATH];
        if (::SHGetPathFromIDList(pidl, szPath)) {
            m_strResult = szPath;
            bResult = TRUE;
        }
        pMalloc->Free(pidl);
    }
    if (pidlRoot != NULL) pMalloc->Free(pidlRoot);
    pMalloc->Release();
    return bResult;
}
