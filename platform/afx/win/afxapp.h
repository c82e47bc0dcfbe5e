// afxapp.h - the application and its thread:
//   CWinThread        the message loop: Run, PumpMessage, OnIdle, pre-translation
//   CWinApp           the application: names, profile, recent files, start-up
//   CCommandLineInfo  the parsed command line
//   CRecentFileList   the most-recently-used file list
//   global functions  AfxGetApp, AfxGetMainWnd, the resource chain, AfxMessageBox
//
// A program has one CWinApp object, usually a global: its constructor makes
// it the application AfxGetApp answers and the thread object of the thread
// that runs it. A test program without AfxWinMain defines one as well; see
// CWinApp's constructor.
#pragma once
#include "afxwnd.h"

class CRecentFileList;
class CDocManager;
class CDocument;
class CDocTemplate;

// --- CWinThread -------------------------------------------------------------

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    virtual ~CWinThread();

    CWnd* m_pMainWnd;    // the main window (closing it ends the loop)
    CWnd* m_pActiveWnd;
    BOOL m_bAutoDelete;
    HANDLE m_hThread;
    DWORD m_nThreadID;
    MSG m_msgCur;        // the message PumpMessage took last

    virtual CWnd* GetMainWnd();

    // overridables
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop with idle processing; answers ExitInstance().
    virtual int Run();
    // One message: FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // lCount 0: the idle update of the user interface; 1: frees the
    // temporary handle maps. Idle goes on while it answers TRUE.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // The exception barrier's report; answers what the window procedure
    // returns.
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);

protected:
    POINT m_ptCursorLast;
    UINT m_nMsgLast;
};

// --- CCommandLineInfo -------------------------------------------------------

class CCommandLineInfo : public CObject {
public:
    CCommandLineInfo();
    virtual ~CCommandLineInfo();

    // One parameter: lpszParam without its leading '/' or '-' when bFlag.
    virtual void ParseParam(LPCTSTR lpszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 } m_nShellCommand;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;
};

// --- CRecentFileList --------------------------------------------------------

class CRecentFileList {
public:
    // nStart: the first command id; lpszSection/lpszEntryFormat: where the
    // list lives in the profile ("Recent File List", "File%d").
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = 30);
    virtual ~CRecentFileList();

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }

    // Puts lpszPathName (made a full path) at the top; an existing entry
    // moves up.
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    // The name of entry nIndex for a menu: relative to lpszCurDir when it
    // lies below it, shortened to the display length. FALSE when the entry
    // is empty.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    virtual void ReadList();
    virtual void WriteList();

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nSize;
    int m_nMaxDisplayLength;
    CString* m_arrNames;
};

// --- CWinApp ----------------------------------------------------------------

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // lpszAppName NULL: the application name is string AFX_IDS_APP_TITLE
    // (57344), or else the executable's name.
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    virtual ~CWinApp();

    // names; each was allocated with malloc (_tcsdup) and is freed by the
    // destructor, so a program that replaces one frees the old one first.
    LPCTSTR m_pszAppName;
    LPCTSTR m_pszRegistryKey;
    LPCTSTR m_pszProfileName;
    LPCTSTR m_pszHelpFilePath;
    LPCTSTR m_pszExeName;

    HINSTANCE m_hInstance;
    HINSTANCE m_hPrevInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;

    CDocManager* m_pDocManager;
    CRecentFileList* m_pRecentFileList;
    HGLOBAL m_hDevMode;
    HGLOBAL m_hDevNames;
    UINT m_nNumPreviewPages;

    // start-up and end
    virtual BOOL InitApplication();
    virtual BOOL InitInstance() override;
    virtual int ExitInstance() override;  // saves the profile settings, answers the WM_QUIT code
    virtual int Run() override;
    virtual BOOL OnIdle(LONG lCount) override;

    // profile: HKCU\Software\<key>\<profile>\<section> under SetRegistryKey,
    // otherwise the .INI file m_pszProfileName. Values of the wrong type or
    // size read as missing.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();                 // created when missing; the caller closes it
    HKEY GetSectionKey(LPCTSTR lpszSection);  // created when missing; the caller closes it
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    // lpszEntry NULL removes the section, lpszValue NULL the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // Reads the recent files ("Recent File List", File1..FilenMaxMRU) and
    // "Settings"\"PreviewPages"; ExitInstance saves both.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);

    // command line
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // FileNew: the ID_FILE_NEW command, or else OnFileNew (FALSE when no main
    // window results); FileOpen: OpenDocumentFile (FALSE when it fails);
    // FileNothing: TRUE.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // documents, through the document manager m_pDocManager. AddDocTemplate
    // creates it on first use; the destructor deletes it (and so the
    // templates it owns). Without one the others do nothing: no templates,
    // no document (NULL), nothing to save (TRUE).
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    // Asks every modified document; FALSE when one was cancelled.
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    // A new document from the first template; the file dialog, then
    // OpenDocumentFile.
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnAppExit();
    afx_msg void OnFilePrintSetup();
    afx_msg void OnHelp();

    // resources
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCE(nIDResource)); }
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursor(NULL, lpszCursorName); }
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCE(nIDResource)); }
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIcon(NULL, lpszIconName); }
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }
    // The message box of AfxMessageBox.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // TRUE while ExitInstance runs after a failed InitInstance (AfxWinMain),
    // so that an application can end with a failure code.
    BOOL m_bInitFailed;

protected:
    // The application before this one (tests make short-lived ones); it is
    // the application again when this one is destroyed.
    CWinApp* m_pAppBefore;

    DECLARE_MESSAGE_MAP()
};

// --- CCriticalSection -------------------------------------------------------

class CCriticalSection {
public:
    CCriticalSection() { ::InitializeCriticalSection(&m_sect); }
    ~CCriticalSection() { ::DeleteCriticalSection(&m_sect); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;
    BOOL Lock() { ::EnterCriticalSection(&m_sect); return TRUE; }
    BOOL Lock(DWORD) { return Lock(); }
    BOOL Unlock() { ::LeaveCriticalSection(&m_sect); return TRUE; }
    operator CRITICAL_SECTION*() { return &m_sect; }
    CRITICAL_SECTION m_sect;
};

// Holds a CCriticalSection for the lifetime of a scope.
class CSingleLock {
public:
    explicit CSingleLock(CCriticalSection* pObject, BOOL bInitialLock = FALSE)
        : m_pObject(pObject), m_bAcquired(FALSE) {
        if (bInitialLock) Lock();
    }
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;
    BOOL Lock() { if (!m_bAcquired) m_bAcquired = m_pObject->Lock(); return m_bAcquired; }
    BOOL Unlock() { if (m_bAcquired) { m_pObject->Unlock(); m_bAcquired = FALSE; } return TRUE; }
    BOOL IsLocked() const { return m_bAcquired; }

private:
    CCriticalSection* m_pObject;
    BOOL m_bAcquired;
};

// --- global functions -------------------------------------------------------

CWinApp* AFXAPI AfxGetApp();
CWinThread* AFXAPI AfxGetThread();
CWnd* AFXAPI AfxGetMainWnd();
HINSTANCE AFXAPI AfxGetInstanceHandle();
LPCTSTR AFXAPI AfxGetAppName();

// The resource chain: resources are looked for in the resource module
// (AfxGetResourceHandle; the executable unless set), then in the executable.
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

// Runs the application object: InitInstance, then Run. When InitInstance
// fails, ExitInstance runs and the exit code is not 0 (a failed start never
// reads as success): ExitInstance's code, or 1 when that is 0.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
void AFXAPI AfxPostQuitMessage(int nExitCode);

// A message box owned by the main window, with the application's name as
// caption. Goes through the hook when one is set.
int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// The test seam: while a hook is set, AfxMessageBox shows nothing, calls the
// hook with the text, and answers what the hook answers. Returns the hook
// set before; NULL removes the hook.
typedef int(AFXAPI* AFX_MESSAGEBOX_HOOK)(LPCTSTR lpszText, UINT nType, UINT nIDHelp);
AFX_MESSAGEBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK pfnHook);

// %1 (and %2) replaced in the string resource nIDS.
void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);

BOOL AFXAPI AfxEnableControlContainer();

// Windows that get the idle update besides the main window (frames register
// themselves while they exist).
void AFXAPI AfxAddIdleUpdateWindow(CWnd* pWnd);
void AFXAPI AfxRemoveIdleUpdateWindow(CWnd* pWnd);
