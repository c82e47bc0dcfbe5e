// appcore.cpp - CWinThread, CWinApp, the profile, the resource chain,
// AfxMessageBox and AfxWinMain.
#include "afximpl.h"
#include <shlwapi.h>
#include <vector>

static CWinApp* g_pApp = NULL;
static HINSTANCE g_hResource = NULL;
static AFX_MESSAGEBOX_HOOK g_pfnMessageBoxHook = NULL;

// --- global functions -------------------------------------------------------------

CWinApp* AFXAPI AfxGetApp() { return g_pApp; }

CWinThread* AFXAPI AfxGetThread() {
    CWinThread* pThread = AfxGetThreadState()->m_pCurrentWinThread;
    return pThread;
}

CWnd* AFXAPI AfxGetMainWnd() {
    CWinThread* pThread = AfxGetThread();
    if (pThread == NULL) pThread = g_pApp;
    return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

HINSTANCE AFXAPI AfxGetInstanceHandle() {
    if (g_pApp != NULL && g_pApp->m_hInstance != NULL) return g_pApp->m_hInstance;
    return ::GetModuleHandle(NULL);
}

LPCTSTR AFXAPI AfxGetAppName() {
    if (g_pApp != NULL && g_pApp->m_pszAppName != NULL) return g_pApp->m_pszAppName;
    return _T("");
}

HINSTANCE AFXAPI AfxGetResourceHandle() { return g_hResource != NULL ? g_hResource : AfxGetInstanceHandle(); }

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) { g_hResource = hInstResource; }

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
    HINSTANCE hInst = AfxGetResourceHandle();
    if (::FindResource(hInst, lpszName, lpszType) != NULL) return hInst;
    HINSTANCE hExe = AfxGetInstanceHandle();
    if (hExe != hInst && ::FindResource(hExe, lpszName, lpszType) != NULL) return hExe;
    return hInst;
}

void AFXAPI AfxPostQuitMessage(int nExitCode) { ::PostQuitMessage(nExitCode); }

BOOL AFXAPI AfxEnableControlContainer() { return TRUE; }

AFX_MESSAGEBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK pfnHook) {
    AFX_MESSAGEBOX_HOOK pfnOld = g_pfnMessageBoxHook;
    g_pfnMessageBoxHook = pfnHook;
    return pfnOld;
}

int AFXAPI AfxCallMessageBoxHook(LPCTSTR lpszText, UINT nType, UINT nIDHelp, BOOL* pbHooked) {
    *pbHooked = g_pfnMessageBoxHook != NULL;
    return *pbHooked ? g_pfnMessageBoxHook(lpszText, nType, nIDHelp) : 0;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
    if (lpszText == NULL) lpszText = _T("");
    if (g_pfnMessageBoxHook != NULL) return g_pfnMessageBoxHook(lpszText, nType, nIDHelp);
    if (g_pApp != NULL) return g_pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBox(NULL, lpszText, AfxGetAppName(), nType | MB_TASKMODAL);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString strPrompt;
    if (!strPrompt.LoadString(nIDPrompt)) strPrompt.Format(_T("Message %u"), nIDPrompt);
    if (nIDHelp == (UINT)-1) nIDHelp = nIDPrompt;
    return AfxMessageBox(strPrompt, nType, nIDHelp);
}

static void FormatStrings(CString& rString, UINT nIDS, LPCTSTR const* rglpsz, int nString) {
    CString strFormat;
    strFormat.LoadString(nIDS);
    CString strResult;
    for (LPCTSTR p = strFormat; *p != 0; p++) {
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
            int i = p[1] - '1';
            if (i < nString && rglpsz[i] != NULL) strResult += rglpsz[i];
            p++;
        } else {
            strResult += *p;
        }
    }
    rString = strResult;
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1) { FormatStrings(rString, nIDS, &lpsz1, 1); }

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2) {
    LPCTSTR rglpsz[2] = {lpsz1, lpsz2};
    FormatStrings(rString, nIDS, rglpsz, 2);
}

static int AFXAPI CoreMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
    return AfxMessageBox(lpszText, nType, nIDHelp);
}

// The core's string loading and exception reports go through this half.
static struct AfxInstallCoreHooks {
    AfxInstallCoreHooks() {
        AfxSetFindResourceHandleProc(&AfxFindResourceHandle);
        AfxSetCoreMessageBoxProc(&CoreMessageBox);
    }
} s_installCoreHooks;

// --- idle update list ----------------------------------------------------------------

static thread_local std::vector<CWnd*>* t_pIdleWindows = NULL;

void AFXAPI AfxAddIdleUpdateWindow(CWnd* pWnd) {
    if (t_pIdleWindows == NULL) t_pIdleWindows = new std::vector<CWnd*>;
    for (CWnd* p : *t_pIdleWindows) {
        if (p == pWnd) return;
    }
    t_pIdleWindows->push_back(pWnd);
}

void AFXAPI AfxRemoveIdleUpdateWindow(CWnd* pWnd) {
    if (t_pIdleWindows == NULL) return;
    for (size_t i = 0; i < t_pIdleWindows->size(); i++) {
        if ((*t_pIdleWindows)[i] == pWnd) {
            t_pIdleWindows->erase(t_pIdleWindows->begin() + i);
            return;
        }
    }
}

// --- CWinThread ----------------------------------------------------------------

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread()
    : m_pMainWnd(NULL), m_pActiveWnd(NULL), m_bAutoDelete(TRUE), m_hThread(NULL), m_nThreadID(0),
      m_msgCur(), m_ptCursorLast(), m_nMsgLast(0) {
    m_ptCursorLast.x = m_ptCursorLast.y = -1;
}

CWinThread::~CWinThread() {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pCurrentWinThread == this) pState->m_pCurrentWinThread = NULL;
}

CWnd* CWinThread::GetMainWnd() {
    if (m_pActiveWnd != NULL) return m_pActiveWnd;
    return m_pMainWnd;
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() { return (int)m_msgCur.wParam; }

int CWinThread::Run() {
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++)) bIdle = FALSE;
        }
        do {
            if (!PumpMessage()) return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage() {
    if (!::GetMessage(&m_msgCur, NULL, 0, 0)) return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->hwnd == NULL) return FALSE;  // thread messages
    CWnd* pMainWnd = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(AfxGetSafeHwnd(pMainWnd), pMsg)) return TRUE;
    // A modeless window outside the main window: the main window's
    // accelerators get the last chance.
    if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && ::IsWindow(pMsg->hwnd)) {
        CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
        if (pWnd->GetTopLevelParent() != pMainWnd) return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

static void IdleUpdate(CWnd* pWnd) {
    if (pWnd == NULL || pWnd->m_hWnd == NULL || !::IsWindowVisible(pWnd->m_hWnd)) return;
    HWND hWnd = pWnd->m_hWnd;
    AfxCallWndProc(pWnd, hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    if (::IsWindow(hWnd)) CWnd::SendMessageToDescendants(hWnd, WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}

BOOL CWinThread::OnIdle(LONG lCount) {
    if (lCount <= 0) {
        CWnd* pMainWnd = m_pMainWnd;
        IdleUpdate(pMainWnd);
        if (t_pIdleWindows != NULL) {
            std::vector<CWnd*> windows = *t_pIdleWindows;  // a handler may change the list
            for (CWnd* pWnd : windows) {
                if (pWnd == pMainWnd) continue;
                bool bStill = false;
                for (CWnd* p : *t_pIdleWindows) bStill = bStill || p == pWnd;
                if (bStill) IdleUpdate(pWnd);
            }
        }
    } else if (lCount == 1) {
        AfxDeleteTempMaps();
    }
    return lCount < 1;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
    // Mouse moves that do not move, timers of the caret and paints do not
    // restart idle processing.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y && pMsg->message == m_nMsgLast)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg) {
    AfxReportBarrierException(e, pMsg);
    if (pMsg == NULL) return 0;
    if (pMsg->message == WM_CREATE) return -1;
    if (pMsg->message == WM_PAINT) ::ValidateRect(pMsg->hwnd, NULL);
    return 0;
}

// --- CCommandLineInfo -------------------------------------------------------------

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew) {}

CCommandLineInfo::~CCommandLineInfo() {}

void CCommandLineInfo::ParseParam(LPCTSTR lpszParam, BOOL bFlag, BOOL bLast) {
    if (bFlag) {
        if (lstrcmpi(lpszParam, _T("pt")) == 0)
            m_nShellCommand = FilePrintTo;
        else if (lstrcmpi(lpszParam, _T("p")) == 0)
            m_nShellCommand = FilePrint;
        else if (lstrcmpi(lpszParam, _T("Unregister")) == 0 || lstrcmpi(lpszParam, _T("Unregserver")) == 0)
            m_nShellCommand = AppUnregister;
        else if (lstrcmpi(lpszParam, _T("dde")) == 0)
            m_nShellCommand = FileDDE;
        else if (lstrcmpi(lpszParam, _T("Embedding")) == 0) {
            m_bRunEmbedded = TRUE;
            m_bShowSplash = FALSE;
        } else if (lstrcmpi(lpszParam, _T("Automation")) == 0) {
            m_bRunAutomated = TRUE;
            m_bShowSplash = FALSE;
        }
    } else {
        if (m_strFileName.IsEmpty())
            m_strFileName = lpszParam;
        else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
            m_strPrinterName = lpszParam;
        else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
            m_strDriverName = lpszParam;
        else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
            m_strPortName = lpszParam;
    }
    if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty()) m_nShellCommand = FileOpen;
    if (bLast && (m_bRunEmbedded || m_bRunAutomated) && m_nShellCommand == FileNew) m_nShellCommand = FileNothing;
}

// --- CRecentFileList ---------------------------------------------------------------

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nSize(nSize > 0 ? nSize : 0), m_nMaxDisplayLength(nMaxDispLen), m_arrNames(new CString[nSize > 0 ? nSize : 1]) {
}

CRecentFileList::~CRecentFileList() { delete[] m_arrNames; }

void CRecentFileList::Add(LPCTSTR lpszPathName) {
    if (m_nSize == 0 || lpszPathName == NULL || *lpszPathName == 0) return;
    TCHAR szFull[MAX_PATH * 2];
    CString strPath;
    if (lstrlen(lpszPathName) < MAX_PATH && AfxFullPath(szFull, lpszPathName))
        strPath = szFull;
    else
        strPath = lpszPathName;
    int iMRU;
    for (iMRU = 0; iMRU < m_nSize - 1; iMRU++) {
        if (m_arrNames[iMRU].CompareNoCase(strPath) == 0) break;
    }
    for (; iMRU > 0; iMRU--) m_arrNames[iMRU] = m_arrNames[iMRU - 1];
    m_arrNames[0] = strPath;
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex < 0 || nIndex >= m_nSize) return;
    for (int i = nIndex; i < m_nSize - 1; i++) m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

// "C:\dir\...\name" fitting nMaxLength characters: the root, "...", and as
// many trailing folders as fit; only the name when even that is too long
// (empty unless bAtLeastName).
static CString AbbreviatePath(const CString& strPath, int nMaxLength, BOOL bAtLeastName) {
    if (strPath.GetLength() <= nMaxLength) return strPath;
    int nName = strPath.ReverseFind('\\');
    CString strName = nName >= 0 ? strPath.Mid(nName + 1) : strPath;
    // the root: "X:\" or "\\server\share\"
    int nRoot = 0;
    if (strPath.GetLength() >= 3 && strPath[1] == ':' && strPath[2] == '\\')
        nRoot = 3;
    else if (strPath.Left(2) == _T("\\\\")) {
        int n = strPath.Find('\\', 2);
        if (n >= 0) n = strPath.Find('\\', n + 1);
        nRoot = n >= 0 ? n + 1 : 0;
    }
    CString strRoot = strPath.Left(nRoot);
    if (strRoot.GetLength() + 4 + strName.GetLength() > nMaxLength)
        return bAtLeastName ? strName : CString();
    // add trailing folders while they fit
    CString strTail = _T("\\") + strName;
    int nEnd = nName;
    while (nEnd > nRoot) {
        int nStart = strPath.Left(nEnd).ReverseFind('\\');
        if (nStart < nRoot - 1) break;
        CString strTry = strPath.Mid(nStart, nEnd - nStart) + strTail;
        if (strRoot.GetLength() + 3 + strTry.GetLength() > nMaxLength) break;
        strTail = strTry;
        nEnd = nStart;
    }
    return strRoot + _T("...") + strTail;
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const {
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty()) return FALSE;
    const CString& strPath = m_arrNames[nIndex];
    int nLenDir = strPath.ReverseFind('\\') + 1;  // the folder part with its backslash
    if (lpszCurDir != NULL && nCurDir > 0 && nLenDir == nCurDir &&
        strPath.Left(nLenDir).CompareNoCase(CString(lpszCurDir, nCurDir)) == 0) {
        strName = strPath.Mid(nLenDir);  // in the current folder: the name alone
    } else if (m_nMaxDisplayLength > 0) {
        strName = AbbreviatePath(strPath, m_nMaxDisplayLength, bAtLeastName);
    } else {
        strName = strPath;
    }
    return TRUE;
}

void CRecentFileList::ReadList() {
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL) return;
    for (int i = 0; i < m_nSize; i++) {
        CString strEntry;
        strEntry.Format(m_strEntryFormat, i + 1);
        m_arrNames[i] = pApp->GetProfileString(m_strSectionName, strEntry, _T(""));
    }
}

void CRecentFileList::WriteList() {
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL) return;
    pApp->WriteProfileString(m_strSectionName, NULL, NULL);  // the old list goes
    for (int i = 0; i < m_nSize; i++) {
        if (m_arrNames[i].IsEmpty()) continue;
        CString strEntry;
        strEntry.Format(m_strEntryFormat, i + 1);
        pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[i]);
    }
}

// --- CWinApp -------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

static LPTSTR DupString(LPCTSTR lpsz) { return lpsz != NULL ? _tcsdup(lpsz) : NULL; }

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(NULL), m_pszRegistryKey(NULL), m_pszProfileName(NULL), m_pszHelpFilePath(NULL),
      m_pszExeName(NULL), m_hInstance(::GetModuleHandle(NULL)), m_hPrevInstance(NULL), m_lpCmdLine(NULL),
      m_nCmdShow(SW_SHOWNORMAL), m_pDocManager(NULL), m_pRecentFileList(NULL), m_hDevMode(NULL), m_hDevNames(NULL),
      m_nNumPreviewPages(0), m_bInitFailed(FALSE), m_pAppBefore(g_pApp) {
    g_pApp = this;
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    pState->m_pCurrentWinThread = this;
    m_hThread = ::GetCurrentThread();
    m_nThreadID = ::GetCurrentThreadId();

    // names from the module
    TCHAR szModule[MAX_PATH * 2];
    DWORD nLen = ::GetModuleFileName(m_hInstance, szModule, MAX_PATH * 2 - 8);
    szModule[nLen] = 0;
    LPTSTR pszName = _tcsrchr(szModule, '\\');
    pszName = pszName != NULL ? pszName + 1 : szModule;
    CString strExe = pszName;
    int nDot = strExe.ReverseFind('.');
    if (nDot > 0) strExe = strExe.Left(nDot);
    m_pszExeName = DupString(strExe);

    CString strTitle;
    if (lpszAppName != NULL)
        m_pszAppName = DupString(lpszAppName);
    else if (strTitle.LoadString(AFX_IDS_APP_TITLE))
        m_pszAppName = DupString(strTitle);
    else
        m_pszAppName = DupString(strExe);

    m_pszProfileName = DupString(strExe + _T(".INI"));
    LPTSTR pszExt = _tcsrchr(szModule, '.');
    if (pszExt != NULL && pszExt > pszName) lstrcpy(pszExt, _T(".HLP"));
    m_pszHelpFilePath = DupString(szModule);
}

CWinApp::~CWinApp() {
    delete m_pDocManager;
    m_pDocManager = NULL;
    delete m_pRecentFileList;
    m_pRecentFileList = NULL;
    free((void*)m_pszAppName);
    free((void*)m_pszRegistryKey);
    free((void*)m_pszProfileName);
    free((void*)m_pszHelpFilePath);
    free((void*)m_pszExeName);
    if (m_hDevMode != NULL) ::GlobalFree(m_hDevMode);
    if (m_hDevNames != NULL) ::GlobalFree(m_hDevNames);
    if (g_pApp == this) {
        g_pApp = m_pAppBefore;
        AFX_THREAD_STATE* pState = AfxGetThreadState();
        if (pState->m_pCurrentWinThread == this) pState->m_pCurrentWinThread = m_pAppBefore;
    }
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL) return FALSE;
    pApp->m_hInstance = hInstance;
    pApp->m_hPrevInstance = hPrevInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    AfxGetThreadState()->m_pCurrentWinThread = pApp;
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow)) return -1;
    BOOL bStarted = FALSE;
    try {
        bStarted = pApp->InitApplication() && pApp->InitInstance();
    } catch (CException* e) {
        AfxReportBarrierException(e, NULL);
        e->Delete();
    } catch (...) {
        AfxReportForeignException(NULL);
    }
    if (!bStarted) {
        if (pApp->m_pMainWnd != NULL && pApp->m_pMainWnd->m_hWnd != NULL) pApp->m_pMainWnd->DestroyWindow();
        pApp->m_bInitFailed = TRUE;
        int nCode = pApp->ExitInstance();
        return nCode != 0 ? nCode : 1;
    }
    return pApp->Run();
}

BOOL CWinApp::InitApplication() { return TRUE; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() {
    SaveStdProfileSettings();
    return (int)m_msgCur.wParam;
}

int CWinApp::Run() { return CWinThread::Run(); }

BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
    // owned by the main window's active popup, when it is enabled
    HWND hWndOwner = NULL;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL) {
        hWndOwner = ::GetLastActivePopup(pMainWnd->m_hWnd);
        if (!::IsWindowEnabled(hWndOwner)) hWndOwner = NULL;
    }
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    return ::MessageBox(hWndOwner, lpszPrompt, m_pszAppName, nType | (hWndOwner == NULL ? MB_TASKMODAL : 0));
}

// --- profile -----------------------------------------------------------------------

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
    free((void*)m_pszRegistryKey);
    m_pszRegistryKey = DupString(lpszRegistryKey);
    free((void*)m_pszProfileName);
    m_pszProfileName = DupString(m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
    CString strKey;
    strKey.LoadString(nIDRegistryKey);
    SetRegistryKey(strKey);
}

HKEY CWinApp::GetAppRegistryKey() {
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL) return NULL;
    HKEY hSoftKey = NULL, hCompanyKey = NULL, hAppKey = NULL;
    DWORD dw;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, _T("Software"), 0, KEY_WRITE | KEY_READ, &hSoftKey) == ERROR_SUCCESS) {
        if (::RegCreateKeyEx(hSoftKey, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                             NULL, &hCompanyKey, &dw) == ERROR_SUCCESS) {
            ::RegCreateKeyEx(hCompanyKey, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                             NULL, &hAppKey, &dw);
            ::RegCloseKey(hCompanyKey);
        }
        ::RegCloseKey(hSoftKey);
    }
    return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection) {
    if (lpszSection == NULL) return NULL;
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == NULL) return NULL;
    HKEY hSectionKey = NULL;
    DWORD dw;
    ::RegCreateKeyEx(hAppKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, NULL,
                     &hSectionKey, &dw);
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
    if (lpszSection == NULL || lpszEntry == NULL) return (UINT)nDefault;
    if (m_pszRegistryKey != NULL) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL) return (UINT)nDefault;
        DWORD dwValue = 0, dwType = 0, dwCount = sizeof(DWORD);
        LONG lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
        ::RegCloseKey(hSecKey);
        if (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(DWORD)) return (UINT)dwValue;
        return (UINT)nDefault;
    }
    return ::GetPrivateProfileInt(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
    if (lpszDefault == NULL) lpszDefault = _T("");
    if (lpszSection == NULL || lpszEntry == NULL) return lpszDefault;
    if (m_pszRegistryKey != NULL) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL) return lpszDefault;
        CString strValue;
        DWORD dwType = 0, dwCount = 0;
        LONG lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
        if (lResult == ERROR_SUCCESS && dwType == REG_SZ) {
            // dwCount counts bytes with the NUL; a value may lack it
            LPTSTR pBuf = strValue.GetBuffer((int)dwCount + 1);
            lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)pBuf, &dwCount);
            pBuf[lResult == ERROR_SUCCESS ? dwCount : 0] = 0;
            strValue.ReleaseBuffer();
        }
        ::RegCloseKey(hSecKey);
        if (lResult == ERROR_SUCCESS && dwType == REG_SZ) return strValue;
        return lpszDefault;
    }
    // .INI file: grow the buffer until the value fits
    for (DWORD nSize = 256;; nSize *= 2) {
        CString strValue;
        DWORD nLen = ::GetPrivateProfileString(lpszSection, lpszEntry, lpszDefault, strValue.GetBuffer((int)nSize),
                                               nSize, m_pszProfileName);
        strValue.ReleaseBuffer((int)nLen);
        if (nLen < nSize - 1 || nSize >= (1u << 24)) return strValue;
    }
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
    if (lpszSection == NULL || lpszEntry == NULL) return FALSE;
    if (m_pszRegistryKey != NULL) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL) return FALSE;
        DWORD dwValue = (DWORD)nValue;
        LONG lResult = ::RegSetValueEx(hSecKey, lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
        ::RegCloseKey(hSecKey);
        return lResult == ERROR_SUCCESS;
    }
    TCHAR szT[16];
    wsprintf(szT, _T("%d"), nValue);
    return ::WritePrivateProfileString(lpszSection, lpszEntry, szT, m_pszProfileName);
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
    if (lpszSection == NULL) return FALSE;
    if (m_pszRegistryKey != NULL) {
        if (lpszEntry == NULL) {
            // the whole section
            HKEY hAppKey = GetAppRegistryKey();
            if (hAppKey == NULL) return FALSE;
            LONG lResult = ::SHDeleteKey(hAppKey, lpszSection);
            ::RegCloseKey(hAppKey);
            return lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
        }
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL) return FALSE;
        LONG lResult;
        if (lpszValue == NULL) {
            lResult = ::RegDeleteValue(hSecKey, lpszEntry);
            if (lResult == ERROR_FILE_NOT_FOUND) lResult = ERROR_SUCCESS;
        } else {
            lResult = ::RegSetValueEx(hSecKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
                                      (DWORD)(lstrlen(lpszValue) + 1) * sizeof(TCHAR));
        }
        ::RegCloseKey(hSecKey);
        return lResult == ERROR_SUCCESS;
    }
    return ::WritePrivateProfileString(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    if (nMaxMRU > 16) nMaxMRU = 16;
    delete m_pRecentFileList;
    m_pRecentFileList = NULL;
    if (nMaxMRU != 0) {
        m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FILE1, _T("Recent File List"), _T("File%d"), (int)nMaxMRU);
        m_pRecentFileList->ReadList();
    }
    m_nNumPreviewPages = GetProfileInt(_T("Settings"), _T("PreviewPages"), 0);
}

void CWinApp::SaveStdProfileSettings() {
    if (m_pRecentFileList != NULL) m_pRecentFileList->WriteList();
    if (m_nNumPreviewPages != 0) WriteProfileInt(_T("Settings"), _T("PreviewPages"), (int)m_nNumPreviewPages);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName) {
    if (m_pRecentFileList != NULL) m_pRecentFileList->Add(lpszPathName);
}

// --- command line ----------------------------------------------------------------------

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    for (int i = 1; i < __argc; i++) {
        LPCTSTR pszParam = __argv[i];
        BOOL bFlag = FALSE;
        BOOL bLast = (i + 1 == __argc);
        if (pszParam[0] == '-' || pszParam[0] == '/') {
            bFlag = TRUE;
            ++pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, bLast);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    BOOL bResult = TRUE;
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, 0, NULL, NULL)) OnFileNew();
        if (m_pMainWnd == NULL) bResult = FALSE;
        break;
    case CCommandLineInfo::FileOpen:
        if (OpenDocumentFile(rCmdInfo.m_strFileName) == NULL) bResult = FALSE;
        break;
    case CCommandLineInfo::FileNothing:
        break;
    default:
        bResult = FALSE;
        break;
    }
    return bResult;
}

// --- documents ------------------------------------------------------------------------

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    if (pTemplate == NULL) return;
    if (m_pDocManager == NULL) m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
    return m_pDocManager != NULL ? m_pDocManager->GetFirstDocTemplatePosition() : NULL;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
    if (m_pDocManager == NULL || pos == NULL) {
        pos = NULL;
        return NULL;
    }
    return m_pDocManager->GetNextDocTemplate(pos);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
    return m_pDocManager != NULL ? m_pDocManager->OpenDocumentFile(lpszFileName) : NULL;
}

BOOL CWinApp::SaveAllModified() { return m_pDocManager != NULL ? m_pDocManager->SaveAllModified() : TRUE; }

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
    if (m_pDocManager != NULL) m_pDocManager->CloseAllDocuments(bEndSession);
}

void CWinApp::OnFileNew() {
    if (m_pDocManager != NULL) m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen() {
    if (m_pDocManager != NULL) m_pDocManager->OnFileOpen();
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != NULL && m_pMainWnd->m_hWnd != NULL) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnFilePrintSetup() {
    PRINTDLG pd = {};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = AfxGetSafeHwnd(AfxGetMainWnd());
    pd.hDevMode = m_hDevMode;
    pd.hDevNames = m_hDevNames;
    pd.Flags = PD_PRINTSETUP;
    if (::PrintDlg(&pd)) {
        m_hDevMode = pd.hDevMode;
        m_hDevNames = pd.hDevNames;
    }
}

void CWinApp::OnHelp() { WinHelp(0, HELP_INDEX); }

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    CWnd* pMainWnd = AfxGetMainWnd();
    ::WinHelp(AfxGetSafeHwnd(pMainWnd), m_pszHelpFilePath, nCmd, dwData);
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const {
    return ::LoadCursor(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const {
    return ::LoadIcon(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}
