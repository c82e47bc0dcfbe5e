// MDI frames with a document template: new and opened documents, titles,
// shared menus, command routing view -> document -> template -> frame ->
// application, CCmdUI updates, new windows and closing.
#include "frames_test.h"
#include <gtest/gtest.h>

namespace {

std::vector<std::string>& Log() { return theTestApp.log; }

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)
public:
    static int s_nAlive;
    int nOpened = 0;
    BOOL bRefuseClose = FALSE;
    CTestDoc() { s_nAlive++; }
    ~CTestDoc() override { s_nAlive--; }
    BOOL OnOpenDocument(LPCTSTR) override {
        nOpened++;
        return TRUE;  // reads nothing
    }
    BOOL CanCloseFrame(CFrameWnd* pFrame) override {
        return bRefuseClose ? FALSE : CDocument::CanCloseFrame(pFrame);
    }

protected:
    afx_msg void OnDocCmd() { Log().push_back("doc"); }
    afx_msg void OnAllCmd() { Log().push_back("doc-all"); }
    afx_msg void OnDisabled() { Log().push_back("disabled ran"); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};
int CTestDoc::s_nAlive = 0;
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND(ID_TEST_DOCCMD, OnDocCmd)
    ON_COMMAND(ID_TEST_ALLCMD, OnAllCmd)
    ON_COMMAND(ID_TEST_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, OnUpdateDisabled)
END_MESSAGE_MAP()

class CTestView : public CView {
    DECLARE_DYNCREATE(CTestView)
public:
    int nInitialUpdates = 0;
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override { nInitialUpdates++; }

protected:
    afx_msg void OnViewCmd() { Log().push_back("view"); }
    afx_msg void OnAllCmd() { Log().push_back("view-all"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestView, CView)
BEGIN_MESSAGE_MAP(CTestView, CView)
    ON_COMMAND(ID_TEST_VIEWCMD, OnViewCmd)
    ON_COMMAND(ID_TEST_ALLCMD, OnAllCmd)
END_MESSAGE_MAP()

class CTestChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CTestChild)

protected:
    afx_msg void OnFrameCmd() { Log().push_back("child"); }
    afx_msg void OnAllCmd() { Log().push_back("child-all"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestChild, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CTestChild, CMDIChildWnd)
    ON_COMMAND(ID_TEST_FRAMECMD, OnFrameCmd)
    ON_COMMAND(ID_TEST_ALLCMD, OnAllCmd)
END_MESSAGE_MAP()

class CTestMainFrame : public CMDIFrameWnd {
public:
protected:
    afx_msg void OnFrameCmd() { Log().push_back("main"); }
    afx_msg void OnAllCmd() { Log().push_back("main-all"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestMainFrame, CMDIFrameWnd)
    ON_COMMAND(ID_TEST_FRAMECMD, OnFrameCmd)
    ON_COMMAND(ID_TEST_ALLCMD, OnAllCmd)
END_MESSAGE_MAP()

class CTestTemplate : public CMultiDocTemplate {
public:
    CTestTemplate()
        : CMultiDocTemplate(IDR_DOCTYPE, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestChild),
                            RUNTIME_CLASS(CTestView)) {}

protected:
    afx_msg void OnTemplCmd() { Log().push_back("template"); }
    afx_msg void OnAllCmd() { Log().push_back("template-all"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestTemplate, CMultiDocTemplate)
    ON_COMMAND(ID_TEST_TEMPLCMD, OnTemplCmd)
    ON_COMMAND(ID_TEST_ALLCMD, OnAllCmd)
END_MESSAGE_MAP()

class Mdi : public ::testing::Test {
protected:
    CDocManager* pManager = NULL;
    CTestTemplate* pTemplate = NULL;
    CTestMainFrame* pMain = NULL;
    HWND hWndMain = NULL;

    void SetUp() override {
        Log().clear();
        pManager = new CDocManager;
        theTestApp.m_pDocManager = pManager;
        pTemplate = new CTestTemplate;
        pManager->AddDocTemplate(pTemplate);
        pMain = new CTestMainFrame;
        ASSERT_TRUE(pMain->LoadFrame(IDR_MAINFRAME));
        hWndMain = pMain->m_hWnd;
        theTestApp.m_pMainWnd = pMain;
        pMain->ShowWindow(SW_SHOW);
        pMain->UpdateWindow();
    }
    void TearDown() override {
        if (::IsWindow(hWndMain)) {
            pManager->CloseAllDocuments(TRUE);
            pMain->DestroyWindow();
        }
        theTestApp.m_pMainWnd = NULL;
        theTestApp.m_pDocManager = NULL;
        delete pManager;
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT) ::DispatchMessage(&msg);
        }
        EXPECT_EQ(CTestDoc::s_nAlive, 0);
    }
    CTestDoc* NewDoc() { return (CTestDoc*)pTemplate->OpenDocumentFile(NULL); }
    CTestChild* ChildOf(CDocument* pDoc) {
        POSITION pos = pDoc->GetFirstViewPosition();
        return pos != NULL ? (CTestChild*)pDoc->GetNextView(pos)->GetParentFrame() : NULL;
    }
    int Children() {
        int n = 0;
        for (HWND h = ::GetWindow(pMain->m_hWndMDIClient, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
            if (::GetWindow(h, GW_OWNER) == NULL) n++;
        return n;
    }
};

TEST_F(Mdi, NewDocumentsGetNumberedTitlesAFrameAndTheSharedMenu) {
    ASSERT_NE(pMain->m_hWndMDIClient, (HWND)NULL);
    EXPECT_EQ(::GetMenu(hWndMain), pMain->m_hMenuDefault);
    EXPECT_NE(pTemplate->m_hMenuShared, (HMENU)NULL);
    CString str;
    EXPECT_TRUE(pTemplate->GetDocString(str, CDocTemplate::docName));
    EXPECT_EQ(str, CString(_T("Doc")));
    EXPECT_TRUE(pTemplate->GetDocString(str, CDocTemplate::filterExt));
    EXPECT_EQ(str, CString(_T(".tst")));
    EXPECT_TRUE(pTemplate->GetDocString(str, CDocTemplate::regFileTypeName));
    EXPECT_EQ(str, CString(_T("Frames Test Document")));
    EXPECT_FALSE(pTemplate->GetDocString(str, (CDocTemplate::DocStringIndex)7));

    CTestDoc* pDoc1 = NewDoc();
    ASSERT_NE(pDoc1, nullptr);
    EXPECT_EQ(pDoc1->GetTitle(), CString(_T("Doc1")));
    EXPECT_EQ(pDoc1->GetDocTemplate(), pTemplate);
    CTestChild* pChild1 = ChildOf(pDoc1);
    ASSERT_NE(pChild1, nullptr);
    EXPECT_EQ(pMain->MDIGetActive(), pChild1);
    EXPECT_EQ(pMain->GetActiveFrame(), pChild1);
    EXPECT_EQ(WindowText(pChild1->m_hWnd), "Doc1");
    EXPECT_EQ(pChild1->m_hMenuShared, pTemplate->m_hMenuShared);
    EXPECT_EQ(::GetMenu(hWndMain), pTemplate->m_hMenuShared);
    EXPECT_EQ(WindowText(hWndMain), "Doc1 - Frames Test");
    CTestView* pView = (CTestView*)pChild1->GetActiveView();
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->GetDocument(), pDoc1);
    EXPECT_EQ(pView->nInitialUpdates, 1);
    EXPECT_EQ(pView->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(pChild1->GetActiveDocument(), pDoc1);

    CTestDoc* pDoc2 = NewDoc();
    ASSERT_NE(pDoc2, nullptr);
    EXPECT_EQ(pDoc2->GetTitle(), CString(_T("Doc2")));
    EXPECT_EQ(pMain->MDIGetActive(), ChildOf(pDoc2));
    EXPECT_EQ(pManager->GetOpenDocumentCount(), 2);
    // the window list of the Window menu activates a child through the frame
    pMain->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD);
    EXPECT_EQ(pMain->MDIGetActive(), pChild1);
    pMain->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD + 1);
    EXPECT_EQ(pMain->MDIGetActive(), ChildOf(pDoc2));

    // a second window on the first document numbers both
    pMain->MDIActivate(pChild1);
    pMain->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    EXPECT_EQ(Children(), 3);
    EXPECT_EQ(WindowText(pChild1->m_hWnd), "Doc1:1");
    CMDIChildWnd* pActive = pMain->MDIGetActive();
    ASSERT_NE(pActive, nullptr);
    EXPECT_NE(pActive, pChild1);
    EXPECT_EQ(WindowText(pActive->m_hWnd), "Doc1:2");
    // closing one of the two windows keeps the document
    pActive->SendMessage(WM_CLOSE);
    EXPECT_EQ(Children(), 2);
    EXPECT_EQ(CTestDoc::s_nAlive, 2);
    EXPECT_EQ(WindowText(pChild1->m_hWnd), "Doc1");

    // the last frame of a document closes the document
    ChildOf(pDoc2)->SendMessage(WM_CLOSE);
    EXPECT_EQ(CTestDoc::s_nAlive, 1);
    pChild1->SendMessage(WM_CLOSE);
    EXPECT_EQ(CTestDoc::s_nAlive, 0);
    EXPECT_EQ(Children(), 0);
    // with no child the frame's own menu comes back
    EXPECT_EQ(::GetMenu(hWndMain), pMain->m_hMenuDefault);
    EXPECT_EQ(WindowText(hWndMain), "Frames Test");
}

TEST_F(Mdi, CommandsRouteThroughViewDocumentTemplateFrameAndApplication) {
    CTestDoc* pDoc = NewDoc();
    ASSERT_NE(pDoc, nullptr);
    struct {
        UINT nID;
        std::vector<std::string> log;
    } cases[] = {
        {ID_TEST_VIEWCMD, {"view"}},
        {ID_TEST_DOCCMD, {"doc"}},
        {ID_TEST_TEMPLCMD, {"template"}},
        {ID_TEST_FRAMECMD, {"child"}},  // the active child before the main frame
        {ID_TEST_APPCMD, {"app"}},
        {ID_TEST_ALLCMD, {"view-all"}},  // the first taker only
        {ID_TEST_NOHANDLER, {}},
        {ID_TEST_DISABLED, {}},  // disabled by its update handler: dropped
    };
    for (const auto& c : cases) {
        Log().clear();
        pMain->SendMessage(WM_COMMAND, c.nID);
        EXPECT_EQ(Log(), c.log) << c.nID;
    }
    // without a child the main frame handles its own command
    pDoc->OnCloseDocument();
    Log().clear();
    pMain->SendMessage(WM_COMMAND, ID_TEST_FRAMECMD);
    EXPECT_EQ(Log(), std::vector<std::string>{"main"});
}

TEST_F(Mdi, MenuItemsAreUpdatedThroughTheRoute) {
    CTestDoc* pDoc = NewDoc();
    ASSERT_NE(pDoc, nullptr);
    HMENU hTest = ::GetSubMenu(pTemplate->m_hMenuShared, 1);
    ASSERT_NE(hTest, (HMENU)NULL);
    pMain->SendMessage(WM_INITMENUPOPUP, (WPARAM)hTest, MAKELPARAM(1, FALSE));
    struct {
        UINT nID;
        bool bEnabled;
    } cases[] = {
        {ID_TEST_VIEWCMD, true}, {ID_TEST_DOCCMD, true},     {ID_TEST_TEMPLCMD, true}, {ID_TEST_FRAMECMD, true},
        {ID_TEST_APPCMD, true},  {ID_TEST_NOHANDLER, false}, {ID_TEST_DISABLED, false},
    };
    for (const auto& c : cases) {
        UINT nState = ::GetMenuState(hTest, c.nID, MF_BYCOMMAND);
        EXPECT_EQ((nState & MF_GRAYED) == 0, c.bEnabled) << c.nID;
    }
    // without automatic disabling only update handlers change items
    pMain->m_bAutoMenuEnable = FALSE;
    ::EnableMenuItem(hTest, ID_TEST_NOHANDLER, MF_BYCOMMAND | MF_ENABLED);
    pMain->SendMessage(WM_INITMENUPOPUP, (WPARAM)hTest, MAKELPARAM(1, FALSE));
    EXPECT_EQ(::GetMenuState(hTest, ID_TEST_NOHANDLER, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(::GetMenuState(hTest, ID_TEST_DISABLED, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(Mdi, AnOpenDocumentIsFoundByItsFullPath) {
    TCHAR szCurDir[MAX_PATH];
    ::GetCurrentDirectory(MAX_PATH, szCurDir);
    CTestDoc* pDoc = (CTestDoc*)pManager->OpenDocumentFile(_T("Frames Contents"));
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->nOpened, 1);
    CString strExpected = szCurDir;
    if (strExpected.Right(1) != _T("\\")) strExpected += _T("\\");
    strExpected += _T("Frames Contents");
    EXPECT_EQ(pDoc->GetPathName().CompareNoCase(strExpected), 0);
    EXPECT_EQ(pDoc->GetTitle(), CString(_T("Frames Contents")));

    // a second document in between, then the same name again: no new window
    NewDoc();
    EXPECT_EQ(Children(), 2);
    CDocument* pAgain = pManager->OpenDocumentFile(_T("frames contents"));
    EXPECT_EQ(pAgain, pDoc);
    EXPECT_EQ(pDoc->nOpened, 1);
    EXPECT_EQ(Children(), 2);
    EXPECT_EQ(pMain->MDIGetActive(), ChildOf(pDoc));  // and it is brought forward
    // the quoted form of the full path finds it as well
    CString strQuoted = _T("\"") + strExpected + _T("\"");
    EXPECT_EQ(pManager->OpenDocumentFile(strQuoted), pDoc);
}

TEST_F(Mdi, ADocumentCanRefuseToCloseItsFrameButNotTheApplication) {
    CTestDoc* pDoc = NewDoc();
    ASSERT_NE(pDoc, nullptr);
    pDoc->bRefuseClose = TRUE;
    CTestChild* pChild = ChildOf(pDoc);
    HWND hWndChild = pChild->m_hWnd;
    pChild->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(hWndChild));
    pChild->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_TRUE(::IsWindow(hWndChild));
    EXPECT_EQ(CTestDoc::s_nAlive, 1);

    // the main frame closes every document, whatever they answer
    pMain->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hWndChild));
    EXPECT_FALSE(::IsWindow(hWndMain));
    EXPECT_EQ(CTestDoc::s_nAlive, 0);
}

TEST_F(Mdi, ModifiedDocumentsAreAskedForBeforeTheApplicationCloses) {
    CTestDoc* pDoc = NewDoc();
    ASSERT_NE(pDoc, nullptr);
    pDoc->SetModifiedFlag();
    {
        MessageBoxRecorder answer(IDCANCEL);
        pMain->SendMessage(WM_CLOSE);
        ASSERT_EQ(answer.texts.size(), 1u);
        EXPECT_EQ(answer.texts[0], "Save changes to Doc1?");
    }
    EXPECT_TRUE(::IsWindow(hWndMain));
    EXPECT_EQ(CTestDoc::s_nAlive, 1);
    {
        MessageBoxRecorder answer(IDNO);
        pMain->SendMessage(WM_CLOSE);
        EXPECT_EQ(answer.texts.size(), 1u);
    }
    EXPECT_FALSE(::IsWindow(hWndMain));
    EXPECT_EQ(CTestDoc::s_nAlive, 0);
}

TEST_F(Mdi, AFrameThatCannotBeCreatedLeavesNoDocument) {
    // a template whose frame class is no frame
    CMultiDocTemplate* pBad =
        new CMultiDocTemplate(IDR_DOCTYPE, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestView), RUNTIME_CLASS(CTestView));
    pManager->AddDocTemplate(pBad);
    MessageBoxRecorder answer(IDOK);
    EXPECT_EQ(pBad->OpenDocumentFile(NULL), nullptr);
    EXPECT_EQ(answer.texts, std::vector<std::string>{"Failed to create empty document."});
    EXPECT_EQ(CTestDoc::s_nAlive, 0);
    EXPECT_EQ(Children(), 0);
}

// --- the application's documents ---------------------------------------------------

// A template that counts its deletion.
class CCountedTemplate : public CTestTemplate {
public:
    static int s_nDeleted;
    ~CCountedTemplate() override { s_nDeleted++; }
};
int CCountedTemplate::s_nDeleted = 0;

// The application's own document manager: AddDocTemplate makes it, the test
// deletes it at the end.
class AppDocs : public ::testing::Test {
protected:
    CTestMainFrame* pMain = NULL;
    HWND hWndMain = NULL;

    void SetUp() override {
        Log().clear();
        theTestApp.nSaveAllModified = 0;
        ASSERT_EQ(theTestApp.m_pDocManager, nullptr);
        ASSERT_EQ(theTestApp.m_pMainWnd, nullptr);
    }
    void CreateMdiMain() {
        pMain = new CTestMainFrame;
        ASSERT_TRUE(pMain->LoadFrame(IDR_MAINFRAME));
        hWndMain = pMain->m_hWnd;
        theTestApp.m_pMainWnd = pMain;
        pMain->ShowWindow(SW_SHOW);
    }
    void TearDown() override {
        theTestApp.CloseAllDocuments(TRUE);
        CWnd* pMainWnd = theTestApp.m_pMainWnd;
        if (pMainWnd != NULL && ::IsWindow(pMainWnd->m_hWnd)) pMainWnd->DestroyWindow();
        theTestApp.m_pMainWnd = NULL;
        delete theTestApp.m_pDocManager;
        theTestApp.m_pDocManager = NULL;
        PumpPending();
        EXPECT_EQ(CTestDoc::s_nAlive, 0);
    }
    static CTestDoc* OnlyDocOf(CDocTemplate* pTemplate) {
        POSITION pos = pTemplate->GetFirstDocPosition();
        return pos != NULL ? (CTestDoc*)pTemplate->GetNextDoc(pos) : NULL;
    }
};

TEST_F(AppDocs, WithoutADocumentManagerNothingHappens) {
    EXPECT_EQ(theTestApp.GetFirstDocTemplatePosition(), (POSITION)NULL);
    POSITION pos = NULL;
    EXPECT_EQ(theTestApp.GetNextDocTemplate(pos), nullptr);
    EXPECT_EQ(theTestApp.OpenDocumentFile(_T("anything.tst")), nullptr);
    EXPECT_TRUE(theTestApp.SaveAllModified());
    theTestApp.CloseAllDocuments(FALSE);
    theTestApp.OnFileNew();
    theTestApp.AddDocTemplate(NULL);
    EXPECT_EQ(theTestApp.m_pDocManager, nullptr);
    // a new document needs a main window: without templates none appears
    CCommandLineInfo cmdInfo;
    EXPECT_EQ(cmdInfo.m_nShellCommand, CCommandLineInfo::FileNew);
    EXPECT_FALSE(theTestApp.ProcessShellCommand(cmdInfo));
    EXPECT_EQ(theTestApp.m_pMainWnd, nullptr);
}

TEST_F(AppDocs, TemplatesAreWalkedInTheOrderTheyWereAdded) {
    CTestTemplate* pFirst = new CTestTemplate;
    theTestApp.AddDocTemplate(pFirst);
    ASSERT_NE(theTestApp.m_pDocManager, nullptr);
    CDocManager* pManager = theTestApp.m_pDocManager;
    CSingleDocTemplate* pSecond = new CSingleDocTemplate(IDR_SDIFRAME, RUNTIME_CLASS(CTestDoc),
                                                         RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CTestView));
    theTestApp.AddDocTemplate(pSecond);
    theTestApp.AddDocTemplate(pFirst);  // once only
    EXPECT_EQ(theTestApp.m_pDocManager, pManager);
    EXPECT_NE(pFirst->m_hMenuShared, (HMENU)NULL);  // the manager loaded it

    std::vector<CDocTemplate*> walked;
    for (POSITION pos = theTestApp.GetFirstDocTemplatePosition(); pos != NULL;)
        walked.push_back(theTestApp.GetNextDocTemplate(pos));
    EXPECT_EQ(walked, (std::vector<CDocTemplate*>{pFirst, pSecond}));
}

TEST_F(AppDocs, FileNewFromTheCommandLineOpensADocumentWindow) {
    CreateMdiMain();
    CTestTemplate* pTemplate = new CTestTemplate;
    theTestApp.AddDocTemplate(pTemplate);
    CCommandLineInfo cmdInfo;
    ASSERT_TRUE(theTestApp.ProcessShellCommand(cmdInfo));

    CTestDoc* pDoc = OnlyDocOf(pTemplate);
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->GetTitle(), CString(_T("Doc1")));
    CMDIChildWnd* pChild = pMain->MDIGetActive();
    ASSERT_NE(pChild, nullptr);
    EXPECT_TRUE(pChild->IsKindOf(RUNTIME_CLASS(CTestChild)));
    CView* pView = pChild->GetActiveView();
    ASSERT_NE(pView, nullptr);
    EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CTestView)));
    EXPECT_EQ(pView->GetDocument(), pDoc);
    EXPECT_EQ(((CTestView*)pView)->nInitialUpdates, 1);
    EXPECT_EQ(pChild->GetActiveDocument(), pDoc);
    EXPECT_EQ(WindowText(pChild->m_hWnd), "Doc1");

    // a file on the command line opens through the application as well
    cmdInfo.m_nShellCommand = CCommandLineInfo::FileOpen;
    cmdInfo.m_strFileName = _T("Shell Opened.tst");
    ASSERT_TRUE(theTestApp.ProcessShellCommand(cmdInfo));
    CMDIChildWnd* pOpened = pMain->MDIGetActive();
    ASSERT_NE(pOpened, nullptr);
    EXPECT_NE(pOpened, pChild);
    CTestDoc* pOpenedDoc = (CTestDoc*)pOpened->GetActiveDocument();
    ASSERT_NE(pOpenedDoc, nullptr);
    EXPECT_EQ(pOpenedDoc->nOpened, 1);
    EXPECT_EQ(pOpenedDoc->GetTitle(), CString(_T("Shell Opened.tst")));
    // the same name again finds the open document
    EXPECT_EQ(theTestApp.OpenDocumentFile(_T("shell opened.tst")), pOpenedDoc);
    EXPECT_EQ(pOpenedDoc->nOpened, 1);

    // nothing to do is no failure
    cmdInfo.m_nShellCommand = CCommandLineInfo::FileNothing;
    EXPECT_TRUE(theTestApp.ProcessShellCommand(cmdInfo));
    EXPECT_EQ(CTestDoc::s_nAlive, 2);
}

TEST_F(AppDocs, FileNewWithASingleDocumentTemplateMakesTheMainFrame) {
    CSingleDocTemplate* pTemplate = new CSingleDocTemplate(IDR_SDIFRAME, RUNTIME_CLASS(CTestDoc),
                                                           RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CTestView));
    theTestApp.AddDocTemplate(pTemplate);
    CCommandLineInfo cmdInfo;
    ASSERT_TRUE(theTestApp.ProcessShellCommand(cmdInfo));
    CWnd* pMainWnd = theTestApp.m_pMainWnd;
    ASSERT_NE(pMainWnd, nullptr);
    ASSERT_TRUE(pMainWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)));
    CFrameWnd* pFrame = (CFrameWnd*)pMainWnd;
    CTestDoc* pDoc = OnlyDocOf(pTemplate);
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pFrame->GetActiveDocument(), pDoc);
    CView* pView = pFrame->GetActiveView();
    ASSERT_NE(pView, nullptr);
    EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CTestView)));
    EXPECT_EQ(pView->GetParentFrame(), pFrame);
    EXPECT_EQ(pDoc->GetTitle(), CString(_T("Single")));
}

TEST_F(AppDocs, ClosingTheMainFrameAsksTheApplicationToSaveModifiedDocuments) {
    CreateMdiMain();
    CTestTemplate* pTemplate = new CTestTemplate;
    theTestApp.AddDocTemplate(pTemplate);
    theTestApp.OnFileNew();
    theTestApp.OnFileNew();
    ASSERT_EQ(CTestDoc::s_nAlive, 2);
    POSITION pos = pTemplate->GetFirstDocPosition();
    pTemplate->GetNextDoc(pos);
    CTestDoc* pSecond = (CTestDoc*)pTemplate->GetNextDoc(pos);
    ASSERT_NE(pSecond, nullptr);
    pSecond->SetModifiedFlag();
    {
        MessageBoxRecorder answer(IDCANCEL);
        pMain->SendMessage(WM_CLOSE);
        EXPECT_EQ(answer.texts, std::vector<std::string>{"Save changes to Doc2?"});
    }
    EXPECT_EQ(theTestApp.nSaveAllModified, 1);
    EXPECT_TRUE(::IsWindow(hWndMain));
    EXPECT_EQ(CTestDoc::s_nAlive, 2);
    {
        MessageBoxRecorder answer(IDNO);
        pMain->SendMessage(WM_CLOSE);
        EXPECT_EQ(answer.texts.size(), 1u);
    }
    EXPECT_EQ(theTestApp.nSaveAllModified, 2);
    EXPECT_FALSE(::IsWindow(hWndMain));
    EXPECT_EQ(CTestDoc::s_nAlive, 0);
    EXPECT_EQ(theTestApp.m_pMainWnd, nullptr);
}

TEST(AppDocManager, TheApplicationDeletesItsDocumentManagerAndItsTemplates) {
    CCountedTemplate::s_nDeleted = 0;
    {
        CWinApp app(_T("AfxFramesShortLived"));
        EXPECT_EQ(AfxGetApp(), &app);
        app.AddDocTemplate(new CCountedTemplate);
        app.AddDocTemplate(new CCountedTemplate);
        ASSERT_NE(app.m_pDocManager, nullptr);
        EXPECT_EQ(CCountedTemplate::s_nDeleted, 0);
    }
    EXPECT_EQ(CCountedTemplate::s_nDeleted, 2);
    EXPECT_EQ(AfxGetApp(), &theTestApp);
}

}  // namespace

// --- container documents and their in-place items ------------------------------------------

#include "afxoleip.h"

namespace {

class CBlankView : public CView {
protected:
    void OnDraw(CDC*) override {}
};

TEST(OleContainer, AnItemIsActiveInPlaceWhileItsServersFrameIs) {
    // The container's window is no object of this program's.
    HWND hHost = ::CreateWindow(_T("STATIC"), _T("container"), WS_POPUP, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(hHost != NULL);
    CWnd& host = *CWnd::FromHandle(hHost);
    COleDocument* pDoc = new COleDocument;
    pDoc->m_bAutoDelete = FALSE;
    CBlankView* pView = new CBlankView;
    ASSERT_TRUE(pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &host, 1));
    pDoc->AddView(pView);
    COleClientItem* pFirst = new COleClientItem(pDoc);
    COleClientItem* pSecond = new COleClientItem(pDoc);
    EXPECT_EQ(pDoc, pFirst->GetDocument());
    EXPECT_EQ(NULL, pDoc->GetInPlaceActiveItem(NULL));

    COleIPFrameWnd* pServer = new COleIPFrameWnd;
    ASSERT_TRUE(pServer->Create(NULL, NULL, WS_CHILD, CRect(0, 0, 10, 10), pView));
    ASSERT_TRUE(pServer->ActivateInPlace(hHost, NULL, CRect(5, 5, 100, 80), pSecond, pView));
    EXPECT_EQ(pSecond, pDoc->GetInPlaceActiveItem(pView));
    EXPECT_EQ(pSecond, pDoc->GetInPlaceActiveItem(NULL));
    EXPECT_EQ(NULL, pDoc->GetInPlaceActiveItem(&host));  // active in the view only
    EXPECT_EQ(pServer, pSecond->GetInPlaceWindow());
    EXPECT_EQ(NULL, pFirst->GetInPlaceWindow());

    // Another item taking the frame: the first one leaves the activation.
    ASSERT_TRUE(pServer->ActivateInPlace(hHost, NULL, CRect(5, 5, 100, 80), pFirst, pView));
    EXPECT_FALSE(pSecond->IsInPlaceActive());
    EXPECT_EQ(pFirst, pDoc->GetInPlaceActiveItem(pView));
    pFirst->Deactivate();
    EXPECT_FALSE(pServer->IsInPlaceActive());
    EXPECT_EQ(NULL, pDoc->GetInPlaceActiveItem(NULL));

    // The frame going ends the activation of its item; the document's
    // contents take the items with them.
    ASSERT_TRUE(pServer->ActivateInPlace(hHost, NULL, CRect(5, 5, 100, 80), pSecond, pView));
    pServer->DestroyWindow();
    EXPECT_EQ(NULL, pSecond->GetInPlaceWindow());
    pDoc->DeleteContents();
    EXPECT_TRUE(pDoc->GetStartPosition() == NULL);
    pView->DestroyWindow();
    delete pDoc;
    ::DestroyWindow(hHost);
}

}  // namespace
