// The application driven as a user drives it: start-up, opening the basic
// CHM, a contents selection, converting through the "Save to PDF" sheet,
// exporting, closing, a damaged file, the options, the commands refused
// during a conversion, and the exit code of tomewise.exe.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "AppState.h"
#include "ChmExtract.h"
#include "ConvertProgressDlg.h"
#include "SPDockBar.h"
#include "SPPopupMenu.h"
#include "SPToolbarMenuButton.h"
#include "SPToolbarSystemMenuButton.h"
#include "ChildFrm.h"
#include "MainFrm.h"
#include "MessageBoxRecorder.h"
#include "MessagePump.h"
#include "SPToolbarCustomize.h"
#include "SPToolbarState.h"
#include "ShellFiles.h"
#include "TestRegistry.h"
#include "TomewiseApp.h"
#include "TomewiseResource.h"
#include "TomewiseView.h"
#include "WindowPicture.h"
#include "afxdlgs.h"
#include "afxole.h"

namespace {

std::string WinPath(const char* path) {
    char sz[MAX_PATH * 2];
    DWORD n = ::GetFullPathNameA(path, sizeof(sz), sz, NULL);
    return n > 0 && n < sizeof(sz) ? std::string(sz) : std::string(path);
}

std::string OutDir() {
    ::CreateDirectoryA(TW_APP_OUT, NULL);
    return WinPath(TW_APP_OUT);
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The file dialog answers with this name (empty: cancelled).
std::string g_fileAnswer;
BOOL AnswerFileDialog(LPCTSTR, LPTSTR pszBuffer, int) {
    if (g_fileAnswer.empty()) return FALSE;
    lstrcpynA(pszBuffer, g_fileAnswer.c_str(), 1024);
    return TRUE;
}
// The folder picker answers with this folder (empty: cancelled) and
// remembers the folder it was opened on.
std::string g_folderAnswer, g_folderInitial;
BOOL AnswerFolderPicker(CFolderPicker* pPicker) {
    g_folderInitial = (LPCTSTR)pPicker->m_strInitial;
    if (g_folderAnswer.empty()) return FALSE;
    pPicker->m_strResult = g_folderAnswer.c_str();
    return TRUE;
}

// Acts on the modal sheet with the caption once its loop runs.
std::function<void(HWND)> g_sheetAction;
std::string g_sheetCaption;
void CALLBACK DriveSheet(HWND, UINT, UINT_PTR idEvent, DWORD) {
    HWND hSheet = ::FindWindowA("#32770", g_sheetCaption.c_str());
    if (hSheet == NULL || !::IsWindowVisible(hSheet)) return;
    ::KillTimer(NULL, idEvent);
    auto action = g_sheetAction;
    g_sheetAction = nullptr;
    if (action) action(hSheet);
}
void WhenSheetOpens(const char* caption, std::function<void(HWND)> action) {
    g_sheetCaption = caption;
    g_sheetAction = std::move(action);
    ::SetTimer(NULL, 0, 50, DriveSheet);
}
HWND CurrentPage(HWND hSheet) { return (HWND)::SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0); }
std::string ItemText(HWND hDlg, int id) {
    char sz[2048] = "";
    ::GetDlgItemTextA(hDlg, id, sz, sizeof(sz));
    return sz;
}

CMainFrame* Frame() { return DYNAMIC_DOWNCAST(CMainFrame, theApp.m_pMainWnd); }
CContentsTree& Tree() { return Frame()->m_wndContentsBar.m_wndTree; }
void Command(UINT id) {
    Frame()->SendMessage(WM_COMMAND, id);
    PumpPending();
}
std::string MainTitle() {
    CString s;
    Frame()->GetWindowText(s);
    return (LPCTSTR)s;
}
CTomewiseView* ActiveView() {
    CMDIChildWnd* pChild = Frame()->MDIGetActive();
    return pChild != NULL ? DYNAMIC_DOWNCAST(CTomewiseView, pChild->GetActiveView()) : NULL;
}
int ChildCount() {
    int n = 0;
    for (CWnd* p = CWnd::FromHandle(Frame()->m_hWndMDIClient)->GetWindow(GW_CHILD); p != NULL;
         p = p->GetWindow(GW_HWNDNEXT))
        ++n;
    return n;
}

class App : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Every run starts from the bars as the program makes them.
        DeleteRegTree("Software\\KARVOLEN\\Tomewise\\Settings");
        ASSERT_TRUE(theApp.InitInstance());
        g_pfnFileDialogForTest = &AnswerFileDialog;
        CFolderPicker::s_pfnBrowseForTest = &AnswerFolderPicker;
        PumpPending();
    }
    static void OpenBasic(MessageBoxRecorder& boxes) {
        g_fileAnswer = WinPath(TW_BASIC_CHM);
        Command(ID_OPEN_CHM_FILE);
        g_fileAnswer.clear();
        (void)boxes;
    }
};

TEST_F(App, StartsWithOneMaximisedUntitledWindowShowingABlankPage) {
    ASSERT_NE(Frame(), nullptr);
    EXPECT_TRUE(Frame()->IsWindowVisible());
    EXPECT_EQ(ChildCount(), 1);
    BOOL bMaximized = FALSE;
    Frame()->MDIGetActive(&bMaximized);
    EXPECT_TRUE(bMaximized);
    ASSERT_NE(ActiveView(), nullptr);
    EXPECT_STREQ(ActiveView()->GetLocationURL(), "about:blank");
    // The bars: the toolbar titled "Standard", the status bar "Ready", the
    // contents pane.
    CString s;
    Frame()->m_wndToolBar.GetWindowText(s);
    EXPECT_STREQ(s, "Standard");
    Frame()->m_wndStatusBar.GetWindowText(s);
    EXPECT_STREQ(s, "Ready");
    EXPECT_TRUE(Frame()->m_wndContentsBar.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(Tree().m_hWnd));
    EXPECT_TRUE(CSPToolBar::s_bAltCustomization);
}

TEST_F(App, OpensSelectsConvertsExportsAndClosesACHM) {
    MessageBoxRecorder boxes(IDOK);
    const std::string chm = WinPath(TW_BASIC_CHM);
    OpenBasic(boxes);
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts[0];
    // The frame adds the maximised document's name after the shell's text.
    EXPECT_EQ(MainTitle().rfind("Tomewise 1.1 - [" + chm + "]", 0), 0u) << MainTitle();
    ASSERT_GE(Tree().GetCount(), 5u);
    // The extraction folder is the temporary folder plus the CHM's name.
    const std::string folder = g_szChmFolder;
    EXPECT_NE(folder.find("\\basic.chm"), std::string::npos) << folder;
    EXPECT_TRUE(Exists(folder + "\\index.htm"));
    // The "CHM Contents" document got a window of its own; later commands
    // find it again by its full path, even after the current folder moved.
    const int nChildren = ChildCount();
    ::SetCurrentDirectoryA(OutDir().c_str());
    Command(ID_CLOSE_CHM_FILE);  // close, then open again: still the same windows
    OpenBasic(boxes);
    EXPECT_EQ(ChildCount(), nChildren);

    // A selection shows the page in the view, by a URL that keeps its blanks.
    HTREEITEM hRoot = Tree().GetRootItem();
    HTREEITEM hChapter = Tree().GetChildItem(hRoot);
    ASSERT_NE(hChapter, nullptr);
    Tree().SelectItem(hChapter);
    PumpPending();
    CTomewiseView* pView = AfxGetContentsView();
    ASSERT_NE(pView, nullptr);
    EXPECT_NE(std::string(pView->GetLocationURL()).find("/basic.chm/docs/part%20one/chapter%201.htm"),
              std::string::npos)
        << (LPCTSTR)pView->GetLocationURL();
    EXPECT_FALSE(pView->IsErrorPage());
    // The picture of the docs: the main window with the page shown.
    Frame()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPending();
    WriteWindowBitmap(Frame()->m_hWnd, (OutDir() + "\\main-window.bmp").c_str(), TRUE);
    // While converting, a selection shows nothing new.
    g_bConverting = TRUE;
    Tree().SelectItem(hRoot);
    PumpPending();
    g_bConverting = FALSE;
    EXPECT_NE(std::string(pView->GetLocationURL()).find("chapter%201.htm"), std::string::npos);


    // Convert: the sheet proposes the CHM's name with ".pdf"; the driven
    // sheet writes elsewhere, with an author of this run only.
    const std::string pdf = OutDir() + "\\basic.pdf";
    ::DeleteFileA(pdf.c_str());
    std::string proposed;
    WhenSheetOpens("Save to PDF", [&](HWND hSheet) {
        HWND hPage = CurrentPage(hSheet);
        proposed = ItemText(hPage, IDC_PDF_FILENAME);
        ::SetDlgItemTextA(hPage, IDC_PDF_FILENAME, pdf.c_str());
        ::SetDlgItemTextA(hPage, IDC_DOC_AUTHOR, "Driven Author");
        ::CheckDlgButton(hPage, IDC_PDF_OPEN_AFTER, BST_UNCHECKED);
        ::PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    boxes.texts.clear();
    Command(ID_CONVERT_TO_PDF);
    EXPECT_EQ(proposed, chm.substr(0, chm.size() - 4) + ".pdf");
    ASSERT_FALSE(boxes.texts.empty());
    EXPECT_EQ(boxes.texts.back(), "CHM to PDF process closed.");
    EXPECT_TRUE(Exists(pdf));
    EXPECT_EQ(g_pConvertProgressDlg, nullptr);
    EXPECT_FALSE(g_bConverting);
    // The author was for that run only.
    EXPECT_NE(ReadRegString("Software\\KARVOLEN\\Tomewise\\Config", "Author"), "Driven Author");

    // Cancel in the progress dialog ends a second conversion early; the end
    // is reported the same way and the dialog is gone.
    const std::string cancelled = OutDir() + "\\cancelled.pdf";
    ::DeleteFileA(cancelled.c_str());
    WhenSheetOpens("Save to PDF", [&](HWND hSheet) {
        HWND hPage = CurrentPage(hSheet);
        ::SetDlgItemTextA(hPage, IDC_PDF_FILENAME, cancelled.c_str());
        ::CheckDlgButton(hPage, IDC_PDF_OPEN_AFTER, BST_UNCHECKED);
        ::PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    // The click on Cancel waits in the queue from the moment the dialog
    // shows, so it comes during the conversion however fast that runs.
    static bool s_bCancelClicked;
    s_bCancelClicked = false;
    PFN_CONVERT_PROGRESS pfnView = AfxSetConvertProgressHandler(NULL);
    AfxSetConvertProgressHandler([](int nKind, LPCTSTR lpszText) {
        CTomewiseView::OnConvertProgress(nKind, lpszText);
        if (nKind != 1 || !g_bConverting || g_pConvertProgressDlg == NULL || s_bCancelClicked) return;
        HWND hProgress = g_pConvertProgressDlg->GetSafeHwnd();
        s_bCancelClicked = ::PostMessageA(hProgress, WM_COMMAND, MAKEWPARAM(IDC_CANCEL_CONVERT, BN_CLICKED),
                                          (LPARAM)::GetDlgItem(hProgress, IDC_CANCEL_CONVERT)) != FALSE;
    });
    boxes.texts.clear();
    Command(ID_CONVERT_TO_PDF);
    AfxSetConvertProgressHandler(pfnView);
    EXPECT_TRUE(s_bCancelClicked);
    ASSERT_FALSE(boxes.texts.empty());
    EXPECT_EQ(boxes.texts.back(), "CHM to PDF process closed.");
    EXPECT_EQ(g_pConvertProgressDlg, nullptr);
    EXPECT_FALSE(g_bConverting);

    // Export into a chosen folder, then again into the same one: the engine
    // refuses, no success message.
    const std::string target = OutDir() + "\\export";
    ::CreateDirectoryA(target.c_str(), NULL);
    DeleteFolderTree((target + "\\basic.chm").c_str());
    g_folderAnswer = target;
    boxes.texts.clear();
    Command(ID_EXPORT_WEB_PAGES);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], chm + " has been exported to " + target + "\\basic.chm\\.");
    EXPECT_TRUE(Exists(target + "\\basic.chm\\index.htm"));
    EXPECT_EQ(g_folderInitial, "C:");
    boxes.texts.clear();
    Command(ID_EXPORT_WEB_PAGES);
    EXPECT_EQ(g_folderInitial, target);  // the folder of the first export
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0].rfind("Failed: The file", 0), 0u) << boxes.texts[0];
    g_folderAnswer.clear();

    // Close: the folder goes, the tree empties, the title has no CHM.
    Command(ID_CLOSE_CHM_FILE);
    EXPECT_EQ(MainTitle().find(".chm"), std::string::npos) << MainTitle();
    EXPECT_EQ(Tree().GetCount(), 0u);
    EXPECT_FALSE(Exists(folder));
    EXPECT_EQ(g_pszChmPath, nullptr);
}

TEST_F(App, ADamagedCHMLeavesNoCHMOpen) {
    const std::string bad = OutDir() + "\\damaged.chm";
    FILE* f = fopen(bad.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fputs("ITSF but nothing of a help file", f);
    fclose(f);
    MessageBoxRecorder boxes(IDOK);
    g_fileAnswer = bad;
    Command(ID_OPEN_CHM_FILE);
    g_fileAnswer.clear();
    EXPECT_FALSE(boxes.texts.empty());  // the engine says why
    EXPECT_EQ(g_pszChmPath, nullptr);
    EXPECT_EQ(MainTitle().find(".chm"), std::string::npos) << MainTitle();
    EXPECT_EQ(Tree().GetCount(), 0u);
    // Nothing to convert or export.
    boxes.texts.clear();
    Command(ID_CONVERT_TO_PDF);
    Command(ID_EXPORT_WEB_PAGES);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "No chm file opened, please open a chm file first.");
    EXPECT_EQ(boxes.texts[1], "No chm file opened, please open a chm file first.");
    // A cancelled file dialog changes nothing.
    boxes.texts.clear();
    Command(ID_OPEN_CHM_FILE);
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(App, TheExtractionFolderComesFromTempDir) {
    const char* key = "Software\\KARVOLEN\\Tomewise\\Config";
    std::string out = OutDir();
    std::string slashed = out;
    for (char& c : slashed)
        if (c == '\\') c = '/';
    struct {
        std::string tempDir;
        std::string folder;  // "" when the open is refused
    } cases[] = {
        // '/' separators and no trailing one: '\' and exactly one before the name.
        {slashed, out + "\\basic.chm"},
        // Longer than the folder can hold: refused, nothing open.
        {out + "\\" + std::string(1100, 'x'), ""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteRegRaw(key, "TempDir", REG_SZ, c.tempDir.c_str(), (DWORD)c.tempDir.size() + 1));
        MessageBoxRecorder boxes(IDOK);
        g_fileAnswer = WinPath(TW_BASIC_CHM);
        Command(ID_OPEN_CHM_FILE);
        g_fileAnswer.clear();
        if (c.folder.empty()) {
            EXPECT_EQ(boxes.texts.size(), 1u);
            EXPECT_EQ(g_pszChmPath, nullptr);
        } else {
            EXPECT_TRUE(boxes.texts.empty());
            EXPECT_STREQ(g_szChmFolder, c.folder.c_str());
            EXPECT_GT(Tree().GetCount(), 0u);
        }
        Command(ID_CLOSE_CHM_FILE);
    }
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, key, "TempDir");
}

// The names a folder or a URL may trip over: the extraction folder takes the
// CHM's name as it is, and the page's address escapes it.
TEST_F(App, ACHMNamedWithHashPercentAndBlanksShowsItsPages) {
    const std::string named = OutDir() + "\\C# 100% done.chm";
    ASSERT_TRUE(::CopyFileA(WinPath(TW_BASIC_CHM).c_str(), named.c_str(), FALSE));
    MessageBoxRecorder boxes(IDOK);
    g_fileAnswer = named;
    Command(ID_OPEN_CHM_FILE);
    g_fileAnswer.clear();
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_NE(std::string(g_szChmFolder).find("\\C# 100% done.chm"), std::string::npos) << g_szChmFolder;
    HTREEITEM hChapter = Tree().GetChildItem(Tree().GetRootItem());
    ASSERT_NE(hChapter, nullptr);
    Tree().SelectItem(hChapter);
    PumpPending();
    CTomewiseView* pView = AfxGetContentsView();
    ASSERT_NE(pView, nullptr);
    EXPECT_NE(std::string(pView->GetLocationURL()).find("/C%23%20100%25%20done.chm/docs/part%20one/chapter%201.htm"),
              std::string::npos)
        << (LPCTSTR)pView->GetLocationURL();
    EXPECT_FALSE(pView->IsErrorPage());
    Command(ID_CLOSE_CHM_FILE);
    ::DeleteFileA(named.c_str());
}

// Contents files: none gives an empty tree and an open CHM; several are
// merged first, so every entry shows once, below the main file's.
TEST_F(App, ContentsFilesNoneOrSeveral) {
    MessageBoxRecorder boxes(IDOK);
    g_fileAnswer = WinPath(TW_NOCONTENTS_CHM);
    Command(ID_OPEN_CHM_FILE);
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(Tree().GetCount(), 0u);
    EXPECT_NE(MainTitle().find("nocontents.chm"), std::string::npos) << MainTitle();
    EXPECT_TRUE(Exists(std::string(g_szChmFolder) + "\\index.htm"));

    g_fileAnswer = WinPath(TW_MERGED_CHM);
    Command(ID_OPEN_CHM_FILE);
    g_fileAnswer.clear();
    EXPECT_TRUE(boxes.texts.empty());
    std::vector<std::string> texts;
    HTREEITEM hRoot = Tree().GetRootItem();
    ASSERT_NE(hRoot, nullptr);
    EXPECT_STREQ(Tree().GetItemText(hRoot), "Merged contents");
    for (HTREEITEM h = Tree().GetChildItem(hRoot); h != NULL; h = Tree().GetNextSiblingItem(h))
        texts.push_back((LPCTSTR)Tree().GetItemText(h));
    EXPECT_EQ(texts, (std::vector<std::string>{"Chapter", "Appendix"}));
    EXPECT_EQ(Tree().GetCount(), 3u);
    Command(ID_CLOSE_CHM_FILE);
}

// PDF targets the conversion cannot write, and export targets it cannot
// fill: a message each, the conversion's end reported, nothing written.
TEST_F(App, UnwritableTargetsAreRefusedWithAMessage) {
    MessageBoxRecorder open(IDOK);
    OpenBasic(open);
    ASSERT_GT(Tree().GetCount(), 0u);
    // One PDF that is there already, one that another program holds open.
    const std::string existing = OutDir() + "\\existing.pdf";
    const std::string held = OutDir() + "\\held.pdf";
    for (const std::string& path : {existing, held}) {
        FILE* f = fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        fputs("kept", f);
        fclose(f);
    }
    HANDLE hHeld = ::CreateFileA(held.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    const char* kExisting = "The pdf file is existing. Do you want to replace it?";
    const char* kCannotCreate =
        "The pdf file can not create. Maybe it's being opened or you have no permission to overwrite it.";
    const char* kClosed = "CHM to PDF process closed.";
    struct {
        std::string pdf;
        int answer;
        std::vector<std::string> messages;
    } cases[] = {
        {existing, IDCANCEL, {kExisting, kClosed}},
        {held, IDOK, {kCannotCreate, kClosed}},
        {OutDir() + "\\no such folder\\out.pdf", IDOK, {kCannotCreate, kClosed}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pdf);
        WhenSheetOpens("Save to PDF", [&](HWND hSheet) {
            ::SetDlgItemTextA(CurrentPage(hSheet), IDC_PDF_FILENAME, c.pdf.c_str());
            ::PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
        });
        MessageBoxRecorder boxes(c.answer);
        Command(ID_CONVERT_TO_PDF);
        EXPECT_EQ(boxes.texts, c.messages);
        EXPECT_FALSE(g_bConverting);
    }
    ::CloseHandle(hHeld);
    for (const std::string& path : {existing, held}) {
        FILE* f = fopen(path.c_str(), "rb");
        ASSERT_NE(f, nullptr);
        char sz[8] = "";
        fgets(sz, sizeof(sz), f);
        fclose(f);
        EXPECT_STREQ(sz, "kept") << path;
        ::DeleteFileA(path.c_str());
    }

    // A full drive: the export names what it needs and writes nothing.
    const std::string target = OutDir() + "\\full";
    ::CreateDirectoryA(target.c_str(), NULL);
    SetFreeSpaceQueryForTest([](const char*) -> ULONGLONG { return 1000; });
    g_folderAnswer = target;
    MessageBoxRecorder boxes(IDOK);
    Command(ID_EXPORT_WEB_PAGES);
    SetFreeSpaceQueryForTest(NULL);
    g_folderAnswer.clear();
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("are free on the target drive"), std::string::npos) << boxes.texts[0];
    EXPECT_FALSE(Exists(target + "\\basic.chm"));
    Command(ID_CLOSE_CHM_FILE);
}

// Values of the wrong type in "Config" read as the defaults: Open CHM File
// extracts into the temporary folder, the Options sheet shows the defaults
// and OK stores them in their own types.
TEST_F(App, ConfigValuesOfTheWrongTypeReadAsDefaults) {
    const char* key = "Software\\KARVOLEN\\Tomewise\\Config";
    const DWORD dwNumber = 7;
    ASSERT_TRUE(WriteRegRaw(key, "TempDir", REG_DWORD, &dwNumber, sizeof(dwNumber)));
    ASSERT_TRUE(WriteRegRaw(key, "Openpdf", REG_SZ, "yes", 4));
    ASSERT_TRUE(WriteRegRaw(key, "MarginLeft", REG_BINARY, "\x01\x02", 2));
    MessageBoxRecorder boxes(IDOK);
    OpenBasic(boxes);
    EXPECT_TRUE(boxes.texts.empty());
    char szTemp[MAX_PATH] = "";
    ::GetTempPathA(sizeof(szTemp), szTemp);
    EXPECT_EQ(std::string(g_szChmFolder).rfind(WinPath(szTemp), 0), 0u) << g_szChmFolder;
    EXPECT_GT(Tree().GetCount(), 0u);
    Command(ID_CLOSE_CHM_FILE);

    std::string shown;
    WhenSheetOpens("Options", [&](HWND hSheet) {
        shown = ItemText(CurrentPage(hSheet), IDC_TEMP_DIR);
        ::PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    Command(ID_OPTIONS);
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_FALSE(shown.empty());
    DWORD dwType = 0;
    ReadRegRaw(key, "TempDir", &dwType);
    EXPECT_EQ(dwType, (DWORD)REG_SZ);
    EXPECT_EQ(ReadRegDword(key, "Openpdf"), 1);
    EXPECT_EQ(ReadRegString(key, "MarginLeft").rfind("0.5", 0), 0u) << ReadRegString(key, "MarginLeft");
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, key, "TempDir");
}

TEST_F(App, TheHelpFileIsACHMWithItsTopics) {
    MessageBoxRecorder boxes(IDOK);
    g_fileAnswer = WinPath(TW_HELP_CHM);
    Command(ID_OPEN_CHM_FILE);
    g_fileAnswer.clear();
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(Tree().GetCount(), 3u);
    EXPECT_TRUE(Exists(std::string(g_szChmFolder) + "\\04stepbystep.htm"));
    EXPECT_TRUE(Exists(std::string(g_szChmFolder) + "\\06howto.htm"));
    Command(ID_CLOSE_CHM_FILE);
}

TEST_F(App, TheExtensionIsLookedForInTheFileNameOnly) {
    MessageBoxRecorder boxes(IDOK);
    g_pszChmPath = _strdup("C:\\a.b\\help");
    Command(ID_CONVERT_TO_PDF);
    Command(ID_EXPORT_WEB_PAGES);
    free(g_pszChmPath);
    g_pszChmPath = NULL;
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "No chm file with .chm extension to convert to .pdf file.");
    EXPECT_EQ(boxes.texts[1], "No chm file with .chm extension to export to web folder.");
}

TEST_F(App, CommandsWaitWhileAConversionRuns) {
    MessageBoxRecorder boxes(IDOK);
    g_bConverting = TRUE;
    const UINT commands[] = {ID_OPEN_CHM_FILE, ID_CLOSE_CHM_FILE, ID_CONVERT_TO_PDF, ID_EXPORT_WEB_PAGES, ID_OPTIONS};
    for (UINT id : commands) Command(id);
    // Closing the main window now only stops the walk; the window closes
    // once the conversion has returned (its close waits in the queue, taken
    // out here so that this test's window stays).
    Frame()->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_TRUE(::IsWindow(Frame()->m_hWnd));
    EXPECT_FALSE(g_bConverting);
    Frame()->OnConversionEnded();
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, Frame()->m_hWnd, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    Frame()->OnConversionEnded();
    EXPECT_FALSE(::PeekMessageA(&msg, Frame()->m_hWnd, WM_CLOSE, WM_CLOSE, PM_REMOVE)) << "once only";
    ASSERT_EQ(boxes.texts.size(), 5u);
    for (const std::string& text : boxes.texts) EXPECT_EQ(text, "CHM to PDF convert in processing.");
}

TEST_F(App, OptionsAreStoredOnOKOnly) {
    const char* key = "Software\\KARVOLEN\\Tomewise\\Config";
    struct {
        const char* author;
        int button;
        const char* stored;
    } cases[] = {{"Stored Author", PSBTN_OK, "Stored Author"}, {"Dropped Author", PSBTN_CANCEL, "Stored Author"}};
    for (const auto& c : cases) {
        std::string shown;
        RECT firstPlace = {0, 0, 0, 0}, secondPlace = {1, 1, 1, 1};
        WhenSheetOpens("Options", [&](HWND hSheet) {
            HWND hPage = CurrentPage(hSheet);
            shown = ItemText(hPage, IDC_TEMP_DIR);
            ::SetDlgItemTextA(hPage, IDC_DOC_AUTHOR, c.author);
            // The second page shows where the first one was.
            ::GetWindowRect(hPage, &firstPlace);
            ::SendMessageA(hSheet, PSM_SETCURSEL, 1, 0);
            WhenSheetOpens("Options", [&](HWND hSheetAgain) {
                ::GetWindowRect(CurrentPage(hSheetAgain), &secondPlace);
                ::PostMessageA(hSheetAgain, PSM_PRESSBUTTON, c.button, 0);
            });
        });
        Command(ID_OPTIONS);
        EXPECT_FALSE(shown.empty());  // the temporary folder by default
        EXPECT_EQ(ReadRegString(key, "Author"), c.stored) << c.author;
        EXPECT_TRUE(::EqualRect(&firstPlace, &secondPlace));
    }
}

// The menu bar shows the frame's menu; the window keeps no menu of its own.
TEST_F(App, TheMenuIsTheLibrarysMenuBar) {
    EXPECT_EQ(Frame()->GetMenu(), nullptr);
    CSPMenuBar& bar = Frame()->m_wndMenuBar;
    ASSERT_TRUE(::IsWindow(bar.m_hWnd));
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(bar.GetDlgCtrlID(), (int)ID_MENU_BAR);
    std::vector<std::string> texts;
    for (int i = 0; i < bar.GetCount(); ++i)
        if (bar.GetButton(i)->IsKindOf(RUNTIME_CLASS(CSPToolbarMenuButton)) && bar.GetButton(i)->m_nID == 0 &&
            !bar.GetButton(i)->IsKindOf(RUNTIME_CLASS(CSPToolbarSystemMenuButton)))  // a maximised document's icon
            texts.push_back((LPCTSTR)bar.GetButton(i)->m_strText);
    EXPECT_EQ(texts, (std::vector<std::string>{"&File", "&Convert", "&View", "&Help"}));
    // Menu bar and toolbar in the top dock bar, the pane docked at the left
    // with its caption, beside the document windows.
    ASSERT_NE(bar.GetParentDockBar(), nullptr);
    EXPECT_EQ(bar.GetParentDockBar()->GetDockBarID(), (UINT)AFX_IDW_DOCKBAR_TOP);
    ASSERT_NE(Frame()->m_wndToolBar.GetParentDockBar(), nullptr);
    EXPECT_EQ(Frame()->m_wndToolBar.GetParentDockBar()->GetDockBarID(), (UINT)AFX_IDW_DOCKBAR_TOP);
    CContentsBar& pane = Frame()->m_wndContentsBar;
    EXPECT_TRUE(pane.IsKindOf(RUNTIME_CLASS(CSPDockingControlBar)));
    EXPECT_TRUE(pane.IsDocked());
    EXPECT_TRUE(pane.HasCaption());
    CString strCaption;
    pane.GetWindowText(strCaption);
    EXPECT_STREQ(strCaption, "CHM Contents");
    CRect rectPane, rectClient;
    pane.GetWindowRect(rectPane);
    CWnd::FromHandle(Frame()->m_hWndMDIClient)->GetWindowRect(rectClient);
    EXPECT_LT(rectPane.right, rectClient.left);
    EXPECT_EQ(rectPane.top, rectClient.top);
}

// The contents pane is a docking pane: it floats, is pinned away on its
// side and docks back at the left beside the document windows.
TEST_F(App, TheContentsPaneFloatsPinsAwayAndDocksBack) {
    CContentsBar& pane = Frame()->m_wndContentsBar;
    CWnd* pClient = CWnd::FromHandle(Frame()->m_hWndMDIClient);
    CRect rectFrame;
    Frame()->GetWindowRect(rectFrame);
    ASSERT_TRUE(pane.FloatControlBar(CRect(rectFrame.left + 300, rectFrame.top + 200, rectFrame.left + 500,
                                           rectFrame.top + 500)));
    PumpPending();
    EXPECT_TRUE(pane.IsFloating());
    EXPECT_TRUE(pane.IsWindowVisible());
    Frame()->DockControlBar(&pane, AFX_IDW_DOCKBAR_LEFT);
    Frame()->RecalcLayout();
    PumpPending();
    EXPECT_FALSE(pane.IsFloating());

    ASSERT_NE(pane.SetAutoHideMode(TRUE, CBRS_ALIGN_LEFT, NULL, FALSE), nullptr);
    Frame()->RecalcLayout();
    PumpPending();
    EXPECT_TRUE(pane.IsAutoHideMode());
    CRect rectClient;
    pClient->GetWindowRect(rectClient);
    EXPECT_LT(rectClient.left - rectFrame.left, 60) << "the document windows take the pane's room";

    pane.SetAutoHideMode(FALSE, CBRS_ALIGN_ANY, NULL, FALSE);
    Frame()->RecalcLayout();
    PumpPending();
    EXPECT_FALSE(pane.IsAutoHideMode());
    EXPECT_TRUE(pane.IsDocked());
    CRect rectPane;
    pane.GetWindowRect(rectPane);
    pClient->GetWindowRect(rectClient);
    EXPECT_LT(rectPane.right, rectClient.left);
    EXPECT_TRUE(pane.IsWindowVisible());
}

// A command's update, as a menu item would take it.
class CCheckUpdate : public CCmdUI {
public:
    explicit CCheckUpdate(UINT nID) {
        m_nID = nID;
        m_nIndex = 0;
        m_nIndexMax = 1;
    }
    void SetCheck(int nCheck) override { m_nCheck = nCheck; }
    int m_nCheck = -1;
};

// The items of the bars popup: Toolbar and &Workspace.
std::vector<UINT> PopupCommands(CSPPopupMenu* pPopup) {
    std::vector<UINT> ids;
    for (int i = 0; pPopup != NULL && i < pPopup->GetMenuItemCount(); ++i) ids.push_back(pPopup->GetMenuItem(i)->m_nID);
    return ids;
}

// A right click on a bar opens the bars popup at the mouse; View >
// "&Toolbars" opens the same items in place of its placeholder, but not
// while the toolbars are customised; "&Workspace" shows and hides the pane.
TEST_F(App, TheBarsPopupAndTheToolbarsPlaceholder) {
    const UINT uiPopupMsg = ::RegisterWindowMessageA("STOOLBAR_POPUPMENU");
    CRect rectBar;
    Frame()->m_wndToolBar.GetWindowRect(rectBar);
    const CPoint pt = rectBar.CenterPoint();
    Frame()->SendMessage(uiPopupMsg, 0, MAKELPARAM(pt.x, pt.y));
    PumpPending();
    CSPPopupMenu* pPopup = CSPPopupMenu::GetActiveMenu();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(PopupCommands(pPopup), (std::vector<UINT>{ID_VIEW_TOOLBAR_ITEM, ID_VIEW_WORKSPACE}));
    CRect rectPopup;
    pPopup->GetWindowRect(rectPopup);
    EXPECT_EQ(rectPopup.TopLeft(), pt);
    pPopup->SendMessage(WM_CLOSE);
    PumpPending();

    // The View menu's sub-menu with the placeholder, as the menu bar opens it.
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    HMENU hToolbars = NULL;
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
        CString strText;
        menu.GetMenuString(i, strText, MF_BYPOSITION);
        if (strText == "&View") hToolbars = ::GetSubMenu(::GetSubMenu(menu.m_hMenu, i), 0);
    }
    ASSERT_NE(hToolbars, nullptr);
    for (BOOL bCustomizing : {TRUE, FALSE}) {
        g_bCustomizeMode = bCustomizing;
        CSPPopupMenu* pMenu = new CSPPopupMenu;
        pMenu->SetDestroyMenu(FALSE);
        ASSERT_TRUE(pMenu->Create(Frame(), pt.x, pt.y, hToolbars));
        EXPECT_EQ(Frame()->OnShowPopupMenu(pMenu), !bCustomizing);
        const std::vector<UINT> expected =
            bCustomizing ? std::vector<UINT>{ID_TOOLBARS_PLACEHOLDER}
                         : std::vector<UINT>{ID_VIEW_TOOLBAR_ITEM, ID_VIEW_WORKSPACE};
        EXPECT_EQ(PopupCommands(pMenu), expected);
        g_bCustomizeMode = FALSE;
        pMenu->SendMessage(WM_CLOSE);
        PumpPending();
    }
    menu.DestroyMenu();
    EXPECT_TRUE(Frame()->OnShowPopupMenu(NULL));

    // "&Workspace" carries the pane's visibility and toggles it.
    struct {
        BOOL bShown;
        int nCheck;
    } states[] = {{FALSE, 0}, {TRUE, 1}};
    for (const auto& st : states) {
        Command(ID_VIEW_WORKSPACE);
        EXPECT_EQ(Frame()->m_wndContentsBar.IsVisible(), st.bShown);
        CCheckUpdate check(ID_VIEW_WORKSPACE);
        check.DoUpdate(Frame(), FALSE);
        EXPECT_EQ(check.m_nCheck, st.nCheck);
    }
}

// Customize opens the modeless sheet over the frame in customise mode; a
// command of its Commands page dropped on the toolbar stays there after the
// sheet closes, and the mode ends with it.
TEST_F(App, CustomizeOpensTheSheetInCustomiseMode) {
    Command(ID_CUSTOMIZE);
    CSPToolbarCustomize* pSheet = g_pWndCustomize;
    ASSERT_NE(pSheet, nullptr);
    EXPECT_TRUE(CSPToolbarSharedState::IsCustomizeMode());
    Command(ID_CUSTOMIZE);
    EXPECT_EQ(pSheet, g_pWndCustomize) << "one sheet at a time";
    // The frame has a menu bar, so the Menu page is there; without a
    // keyboard, mouse or user-tools manager their pages are not.
    std::vector<std::string> pages;
    CTabCtrl* pTabs = pSheet->GetTabControl();
    ASSERT_NE(pTabs, nullptr);
    for (int i = 0; i < pTabs->GetItemCount(); ++i) {
        char szText[64] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = szText;
        item.cchTextMax = sizeof(szText);
        pTabs->GetItem(i, &item);
        pages.push_back(szText);
    }
    EXPECT_EQ(pages, (std::vector<std::string>{"Commands", "Toolbars", "Menu", "Options"}));

    CSPToolBar& bar = Frame()->m_wndToolBar;
    CObList* pAll = pSheet->GetCategoryButtons(pSheet->GetAllCommandsName());
    ASSERT_NE(pAll, nullptr);
    CSPToolbarButton* pAbout = NULL;
    for (POSITION pos = pAll->GetHeadPosition(); pos != NULL;) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)pAll->GetNext(pos);
        if (pButton->m_nID == ID_APP_ABOUT) pAbout = pButton;
    }
    ASSERT_NE(pAbout, nullptr);
    COleDataSource source;
    pAbout->m_bDragFromCollection = TRUE;
    ASSERT_TRUE(pAbout->PrepareDrag(source));
    pAbout->m_bDragFromCollection = FALSE;
    const int nBefore = bar.GetCount();
    const CRect rectLast = bar.GetButton(nBefore - 1)->Rect();
    const CPoint ptDrop(rectLast.right + 2, rectLast.CenterPoint().y);
    const DROPEFFECT dwEffect = bar.OnDragEnter(source.GetDataObject(), 0, ptDrop);
    ASSERT_NE(dwEffect, (DROPEFFECT)DROPEFFECT_NONE);
    ASSERT_TRUE(bar.OnDrop(source.GetDataObject(), dwEffect, ptDrop));
    EXPECT_EQ(bar.GetCount(), nBefore + 1);

    CRect rectFrame;
    Frame()->GetWindowRect(rectFrame);
    pSheet->SetWindowPos(&CWnd::wndTop, rectFrame.left + 120, rectFrame.top + 90, 0, 0,
                         SWP_NOSIZE | SWP_NOACTIVATE);
    Frame()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    pSheet->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpPending();
    WriteScreenBitmap(rectFrame, (OutDir() + "\\customize-sheet.bmp").c_str());

    pSheet->SendMessage(WM_COMMAND, IDCANCEL);
    PumpPending();
    EXPECT_EQ(g_pWndCustomize, nullptr);
    EXPECT_FALSE(CSPToolbarSharedState::IsCustomizeMode());
    EXPECT_EQ(bar.GetItemID(nBefore), (UINT)ID_APP_ABOUT);
    bar.RemoveButton(nBefore);
    bar.AdjustLayout();
}

struct MainWindowSearch {
    DWORD dwProcessId;
    HWND hMain;
};
BOOL CALLBACK FindMainWindow(HWND hWnd, LPARAM lParam) {
    MainWindowSearch* pSearch = (MainWindowSearch*)lParam;
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    char szTitle[256] = "";
    ::GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    if (dwProcessId != pSearch->dwProcessId || !::IsWindowVisible(hWnd) ||
        strncmp(szTitle, "Tomewise 1.1", 12) != 0)
        return TRUE;
    pSearch->hMain = hWnd;
    return FALSE;
}

// A new tomewise.exe with its main window shown; hMain NULL when none came.
struct RunningProgram {
    PROCESS_INFORMATION pi = {};
    HWND hMain = NULL;
    explicit RunningProgram(const std::string& args, bool bWaitForWindow = true) {
        std::string cmd = "\"" + WinPath(TW_TOMEWISE_EXE) + "\" " + args;
        STARTUPINFOA si = {sizeof(si)};
        if (!::CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) return;
        MainWindowSearch search = {pi.dwProcessId, NULL};
        for (int i = 0; bWaitForWindow && i < 300 && search.hMain == NULL; ++i) {
            ::EnumWindows(FindMainWindow, (LPARAM)&search);
            if (search.hMain == NULL) ::Sleep(100);
        }
        hMain = search.hMain;
    }
    // Closes the main window (or ends a program that has none) and returns
    // the exit code.
    DWORD Close() {
        if (pi.hProcess == NULL) return 99;
        if (hMain != NULL) ::PostMessageA(hMain, WM_CLOSE, 0, 0);
        DWORD code = 99;
        if (::WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) {
            ::TerminateProcess(pi.hProcess, 2);
            ::WaitForSingleObject(pi.hProcess, 10000);
        }
        ::GetExitCodeProcess(pi.hProcess, &code);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        pi = {};
        return code;
    }
    ~RunningProgram() {
        if (pi.hProcess != NULL) Close();
    }
};

struct ChildSearch {
    int nID;
    HWND hFound;
};
BOOL CALLBACK FindChildByID(HWND hWnd, LPARAM lParam) {
    ChildSearch* pSearch = (ChildSearch*)lParam;
    if (::GetDlgCtrlID(hWnd) != pSearch->nID) return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}
HWND FindDescendant(HWND hParent, int nID) {
    ChildSearch search = {nID, NULL};
    ::EnumChildWindows(hParent, FindChildByID, (LPARAM)&search);
    return search.hFound;
}

// The user interface of one run comes back in the next: a button added to
// the toolbar, the toolbar docked at the bottom and the contents pane on the
// right, saved as the frame saves them when it closes, are there in a new
// tomewise.exe, which saves them again when it is closed, for the run after.
TEST_F(App, ACustomisedToolbarAndTheBarsPlacesSurviveARestart) {
    const char* settings = "Software\\KARVOLEN\\Tomewise\\Settings";
    DeleteRegTree(settings);
    CSPToolBar& bar = Frame()->m_wndToolBar;
    CContentsBar& pane = Frame()->m_wndContentsBar;
    const int nButtons = bar.GetCount();
    bar.InsertButton(new CSPToolbarButton(ID_APP_ABOUT, -1, _T("About")));
    bar.AdjustLayout();
    Frame()->DockControlBar(&bar, AFX_IDW_DOCKBAR_BOTTOM);
    Frame()->DockControlBar(&pane, AFX_IDW_DOCKBAR_RIGHT);
    Frame()->RecalcLayout();
    ASSERT_TRUE(theApp.SaveState(&Frame()->m_Impl));
    // This run goes back to its own bars.
    bar.RemoveButton(nButtons);
    bar.AdjustLayout();
    Frame()->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    Frame()->DockControlBar(&pane, AFX_IDW_DOCKBAR_LEFT);
    Frame()->RecalcLayout();

    for (int nRun = 1; nRun <= 2; ++nRun) {
        SCOPED_TRACE(nRun);
        RunningProgram run("");
        ASSERT_NE(run.hMain, nullptr);
        HWND hBar = FindDescendant(run.hMain, AFX_IDW_TOOLBAR);
        ASSERT_NE(hBar, nullptr);
        EXPECT_EQ(::SendMessageA(hBar, TB_BUTTONCOUNT, 0, 0), nButtons + 1);
        EXPECT_EQ(::GetDlgCtrlID(::GetParent(hBar)), AFX_IDW_DOCKBAR_BOTTOM);
        HWND hMenuBar = FindDescendant(run.hMain, ID_MENU_BAR);
        ASSERT_NE(hMenuBar, nullptr);
        EXPECT_EQ(::GetDlgCtrlID(::GetParent(hMenuBar)), AFX_IDW_DOCKBAR_TOP);
        EXPECT_TRUE(::IsWindowVisible(hMenuBar));
        HWND hPane = FindDescendant(run.hMain, ID_VIEW_WORKSPACE);
        HWND hClient = ::FindWindowExA(run.hMain, NULL, "MDIClient", NULL);
        ASSERT_NE(hPane, nullptr);
        ASSERT_NE(hClient, nullptr);
        EXPECT_TRUE(::IsWindowVisible(hPane));
        RECT rectPane, rectClient;
        ::GetWindowRect(hPane, &rectPane);
        ::GetWindowRect(hClient, &rectClient);
        EXPECT_GT(rectPane.left, rectClient.right);
        EXPECT_EQ(::GetAncestor(hPane, GA_ROOT), run.hMain) << "docked, not floating";
        EXPECT_EQ(run.Close(), 0u);
    }
    DeleteRegTree(settings);
}

// tomewise.exe itself: started with and without a file, one maximised
// document window and nothing extracted, closed by its main window, exit
// code 0; a start the shell command refuses ends at once with a non-zero
// code.
TEST(Program, ExitCodes) {
    const std::string chm = WinPath(TW_BASIC_CHM);
    char szTemp[MAX_PATH] = "";
    ::GetTempPathA(sizeof(szTemp), szTemp);
    const std::string extracted = WinPath(szTemp) + "\\basic.chm";
    DeleteFolderTree(extracted.c_str());
    struct {
        std::string args;
        bool bWindow;
        DWORD dwCode;
    } cases[] = {{"", true, 0}, {"\"" + chm + "\"", true, 0}, {"/Unregister", false, 1}};
    for (const auto& c : cases) {
        RunningProgram run(c.args, c.bWindow);
        ASSERT_NE(run.pi.hProcess, nullptr) << c.args;
        EXPECT_EQ(run.hMain != NULL, c.bWindow) << c.args;
        if (run.hMain != NULL) {
            HWND hClient = ::FindWindowExA(run.hMain, NULL, "MDIClient", NULL);
            ASSERT_NE(hClient, nullptr) << c.args;
            HWND hChild = ::GetWindow(hClient, GW_CHILD);
            ASSERT_NE(hChild, nullptr) << c.args;
            EXPECT_EQ(::GetWindow(hChild, GW_HWNDNEXT), nullptr) << c.args;
            EXPECT_TRUE(::IsZoomed(hChild)) << c.args;
            EXPECT_FALSE(Exists(extracted)) << c.args;
        }
        EXPECT_EQ(run.Close(), c.dwCode) << c.args;
    }
}

}  // namespace
