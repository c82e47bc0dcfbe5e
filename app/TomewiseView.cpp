// TomewiseView.cpp - the page view and the CHM commands.
#include "TomewiseView.h"

#include <stdlib.h>

#include <string>

#include "AnalyzeDlg.h"
#include "AppState.h"
#include "ChmExtract.h"
#include "ContentsBar.h"
#include "ConvertProgressDlg.h"
#include "GeckoHost.h"
#include "MainFrm.h"
#include "MergeHhc.h"
#include "OptionSheets.h"
#include "ShellFiles.h"
#include "TomewiseApp.h"
#include "TomewiseResource.h"
#include "afxfile.h"

char* g_pszChmPath = NULL;
extern CGeckoHost* g_pGeckoHost;

int CTomewiseView::s_nConvertDepth = 0;

namespace {

const char kConvertRunning[] = "CHM to PDF convert in processing.";
const char kNoChmOpen[] = "No chm file opened, please open a chm file first.";

void FreeChmPath() {
    free(g_pszChmPath);
    g_pszChmPath = NULL;
}

CContentsTree* MainContentsTree() {
    CMainFrame* pFrame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
    return pFrame != NULL ? &pFrame->m_wndContentsBar.m_wndTree : NULL;
}

void ClearContentsTree() {
    CContentsTree* pTree = MainContentsTree();
    if (pTree != NULL && pTree->GetSafeHwnd() != NULL) pTree->Clear();
}

// The HTML Help viewer, reached through its control at the first use.
typedef HWND(WINAPI* PFN_HTMLHELP)(HWND, LPCSTR, UINT, DWORD_PTR);

}  // namespace

IMPLEMENT_DYNCREATE(CTomewiseView, CHtmlView)

BEGIN_MESSAGE_MAP(CTomewiseView, CHtmlView)
    ON_COMMAND(ID_OPEN_CHM_FILE, OnOpenChmFile)
    ON_COMMAND(ID_CLOSE_CHM_FILE, OnCloseChmFile)
    ON_COMMAND(ID_CONVERT_TO_PDF, OnConvertToPdf)
    ON_COMMAND(ID_EXPORT_WEB_PAGES, OnExportWebPages)
    ON_COMMAND(ID_OPTIONS, OnOptions)
    ON_COMMAND(ID_HELP_CONTENT, OnHelpContent)
    ON_COMMAND(ID_HELP_GETTING_STARTED, OnHelpGettingStarted)
    ON_COMMAND(ID_HELP_FAQ, OnHelpFaq)
    ON_COMMAND(ID_FILE_PRINT, CHtmlView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CHtmlView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

CTomewiseView::CTomewiseView() { FreeChmPath(); }

CTomewiseView::~CTomewiseView() {
    OnCloseChmFile();
    FreeChmPath();
}

void CTomewiseView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
    CHtmlView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    CMainFrame* pFrame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
    if (pFrame != NULL && pFrame->m_wndContentsBar.GetSafeHwnd() != NULL) pFrame->m_wndContentsBar.SetFocus();
}

BOOL CTomewiseView::RefuseWhileConverting() {
    if (!g_bConverting && s_nConvertDepth == 0) return FALSE;
    AfxMessageBox(kConvertRunning);
    return TRUE;
}

// --- open and close ---------------------------------------------------------------------

void CTomewiseView::OnOpenChmFile() {
    if (g_pGeckoHost == NULL) g_pGeckoHost = new CGeckoHost;
    if (RefuseWhileConverting()) return;

    char szName[2048];
    memset(szName, 0, sizeof(szName));
    if (!ShowFileDialog(NULL, "*.chm", "Microsoft Html Help File(*.chm)\0\0", "Open CHM File", szName, 0) ||
        szName[0] == 0)
        return;

    CTomewiseView* pView = AfxGetContentsView();
    if (pView != NULL) pView->Navigate2(_T("about:blank"));

    OnCloseChmFile();
    FreeChmPath();
    g_pszChmPath = _strdup(szName);

    WIN32_FILE_ATTRIBUTE_DATA fad;
    DWORD dwSize = 0;
    if (::GetFileAttributesEx(g_pszChmPath, GetFileExInfoStandard, &fad)) dwSize = fad.nFileSizeLow;

    CAnalyzeDlg* pAnalyze = new CAnalyzeDlg;
    int nSteps = (int)((float)dwSize * 0.00002f);
    pAnalyze->m_nSteps = nSteps < 1 ? 1 : nSteps;
    if (pAnalyze->Create(NULL)) pAnalyze->ShowWindow(SW_SHOW);
    // A failed open leaves no CHM open: nothing to convert or export.
    auto fail = [&](LPCTSTR lpszMessage) {
        if (lpszMessage != NULL) AfxMessageBox(lpszMessage);
        FreeChmPath();
        UpdateMainTitle();
        pAnalyze->DestroyWindow();
        delete pAnalyze;
    };

    ClearContentsTree();
    if (g_szChmFolder[0] != 0 && !DeleteFolderTree(g_szChmFolder) && ::GetFileAttributes(g_szChmFolder) != INVALID_FILE_ATTRIBUTES) {
        fail("Failed to remove old temp folder, Chm opening process failed.");
        return;
    }
    memset(g_szChmFolder, 0, sizeof(g_szChmFolder));

    std::string folder = (LPCTSTR)theApp.GetProfileString(_T("Config"), _T("TempDir"), _T(""));
    if (folder.empty()) {
        char szTemp[MAX_PATH + 1];
        DWORD n = ::GetTempPath(sizeof(szTemp), szTemp);
        folder.assign(szTemp, n <= MAX_PATH ? n : 0);
    }
    for (char& c : folder)
        if (c == '/') c = '\\';
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    folder += (LPCTSTR)PathFileName(g_pszChmPath);
    if (folder.size() >= sizeof(g_szChmFolder)) {
        fail("The temporary folder path is too long, Chm opening process failed.\r\n"
             "You should change the temp folder location.(in menu->Convert->Options).");
        return;
    }
    DeleteFolderTree(folder.c_str());
    if (!DecompileChm(g_pszChmPath, folder.c_str(), 0)) {
        fail(NULL);
        return;
    }
    lstrcpyn(g_szChmFolder, folder.c_str(), sizeof(g_szChmFolder));

    CContentsTree* pTree = MainContentsTree();
    g_pGeckoHost->m_nItemCounter = 0;

    CStringList list(10);
    CFileFind finder;
    BOOL bMore = finder.FindFile((folder + "\\*.hhc").c_str());
    while (bMore) {
        bMore = finder.FindNextFile();
        if (finder.IsDots() || finder.IsDirectory()) continue;
        list.AddTail(finder.GetFilePath());
    }
    finder.Close();
    if (list.GetCount() > 1) MergeHhcFiles(list, g_szChmFolder);
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CString strPath = list.GetNext(pos);
        if (pTree != NULL && pTree->GetSafeHwnd() != NULL) g_pGeckoHost->LoadContents(strPath, pTree);
    }
    UpdateMainTitle();
    pAnalyze->DestroyWindow();
    delete pAnalyze;
}

void CTomewiseView::OnCloseChmFile() {
    if (RefuseWhileConverting()) return;
    if (g_szChmFolder[0] != 0 && g_pszChmPath != NULL && *g_pszChmPath != 0) {
        std::string folder = std::string(g_szChmFolder) + "\\";
        DeleteFolderTree(folder.c_str());
        FreeChmPath();
        memset(g_szChmFolder, 0, sizeof(g_szChmFolder));
    }
    UpdateMainTitle();
    ClearContentsTree();
}

// --- convert and export -----------------------------------------------------------------

BOOL CTomewiseView::CheckChmForCommand(LPCTSTR lpszNoExtension) {
    if (g_pszChmPath == NULL || *g_pszChmPath == 0) {
        AfxMessageBox(kNoChmOpen);
        return FALSE;
    }
    if (PathFileName(g_pszChmPath).Find('.') < 0) {
        AfxMessageBox(lpszNoExtension);
        return FALSE;
    }
    return TRUE;
}

void CTomewiseView::OnConvertToPdf() {
    if (RefuseWhileConverting()) return;
    if (!CheckChmForCommand("No chm file with .chm extension to convert to .pdf file.")) return;
    // The extension is that of the file name, never a dot of a folder.
    CString strChm = g_pszChmPath;
    int nDot = strChm.ReverseFind('.');
    CString strPdf = strChm.Left(nDot) + ".pdf";

    CSaveToPdfSheet* pSheet = new CSaveToPdfSheet;
    pSheet->m_pageDocInfo.m_strFileName = strPdf;
    if (pSheet->DoModal() != IDOK || pSheet->m_pageDocInfo.m_strFileName.IsEmpty()) {
        delete pSheet;
        return;
    }
    CTomewiseView* pView = AfxGetContentsView();
    if (pView != NULL) pView->Navigate2(_T("about:blank"));
    if (g_pGeckoHost == NULL) g_pGeckoHost = new CGeckoHost;

    ++s_nConvertDepth;
    g_pGeckoHost->ConvertToPdf(MainContentsTree(), strChm, pSheet->m_pageDocInfo.m_strFileName, pSheet->m_pSettings);
    --s_nConvertDepth;

    delete pSheet;
    g_bConverting = FALSE;
    if (g_pConvertProgressDlg != NULL) {
        delete g_pConvertProgressDlg;
        g_pConvertProgressDlg = NULL;
    }
    AfxMessageBox("CHM to PDF process closed.");
    CMainFrame* pFrame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
    if (pFrame != NULL) pFrame->OnConversionEnded();
}

void CTomewiseView::OnExportWebPages() {
    if (RefuseWhileConverting()) return;
    if (!CheckChmForCommand("No chm file with .chm extension to export to web folder.")) return;
    CFolderPicker* pPicker = new CFolderPicker;
    pPicker->m_strInitial = m_strLastExportFolder.IsEmpty() ? CString("C:") : m_strLastExportFolder;
    pPicker->m_strTitle = "Set Export Folder";
    if (pPicker->Browse()) {
        m_strLastExportFolder = pPicker->m_strResult;
        CString strChm = g_pszChmPath;
        CString strTarget = pPicker->m_strResult + "\\" + PathFileName(strChm) + "\\";
        if (DecompileChm(strChm, strTarget, 1)) {
            CString strMessage;
            strMessage.Format("%s has been exported to %s.", (LPCTSTR)strChm, (LPCTSTR)strTarget);
            AfxMessageBox(strMessage);
        }
    }
    delete pPicker;
}

void CTomewiseView::OnOptions() {
    if (RefuseWhileConverting()) return;
    COptionsSheet* pSheet = new COptionsSheet;
    pSheet->DoModal();
    delete pSheet;
}

void CTomewiseView::OnConvertProgress(int nKind, LPCTSTR lpszText) {
    if (nKind == 0) {
        CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
        if (pFrame != NULL) pFrame->SetMessageText(lpszText);
    } else if (nKind == 1) {
        CConvertProgressDlg::Report();
    }
}

// --- help ----------------------------------------------------------------------------

void CTomewiseView::ShowHelp(LPCTSTR lpszAddress) {
    static PFN_HTMLHELP pfnHtmlHelp = NULL;
    if (pfnHtmlHelp == NULL) {
        HMODULE hModule = ::LoadLibrary("hhctrl.ocx");
        if (hModule != NULL) pfnHtmlHelp = reinterpret_cast<PFN_HTMLHELP>(::GetProcAddress(hModule, "HtmlHelpA"));
    }
    if (pfnHtmlHelp != NULL) pfnHtmlHelp(NULL, lpszAddress, 0 /* HH_DISPLAY_TOPIC */, 0);
}

void CTomewiseView::OnHelpContent() { ShowHelp("tomewise.chm"); }
void CTomewiseView::OnHelpGettingStarted() { ShowHelp("tomewise.chm::/04stepbystep.htm"); }
void CTomewiseView::OnHelpFaq() { ShowHelp("tomewise.chm::/06howto.htm"); }
