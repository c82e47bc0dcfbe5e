// afxdocvw.h - documents, templates and views:
//   CDocument          data shown by views; title, path, modified flag, saving
//   CDocTemplate       a document kind: resource id, doc/frame/view classes,
//                      shared menu and accelerators, the document strings
//   CMultiDocTemplate  any number of documents, each in its MDI child
//   CSingleDocTemplate one document at a time
//   CDocManager        the application's templates: open, new, close all
//   CView              a child window showing a document; printing
//   CPrintInfo         the state of one print job
//   AfxSetPrintDialogHook  the test seam of the print dialog
// Included by afxframe.h.
#pragma once
#include "afxframe.h"

// --- CDocument ---------------------------------------------------------------

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    virtual ~CDocument();

    // attributes
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Takes the full path, makes its file name the title and, with
    // bAddToMRU, puts it on the application's recent-file list.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // views
    virtual POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    virtual CView* GetNextView(POSITION& rPosition) const { return (CView*)m_viewList.GetNext(rPosition); }
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);
    void UpdateFrameCounts();

    // overridables
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Asks "Save changes to %1?" when modified: TRUE when the document may go.
    virtual BOOL SaveModified();
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    virtual void OnChangedViewList();
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // data
    BOOL m_bAutoDelete;  // deleted when its last view goes
    BOOL m_bEmbedded;

protected:
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    CPtrList m_viewList;
    BOOL m_bModified;

    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();

    friend class CDocTemplate;
    DECLARE_MESSAGE_MAP()
};

// --- CDocTemplate ------------------------------------------------------------

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);

public:
    virtual ~CDocTemplate();

    enum DocStringIndex {
        windowTitle,      // 0: the main window's title (single-document programs)
        docName,          // 1: base of the names of new documents ("Sheet")
        fileNewName,      // 2: the name in the File New list
        filterName,       // 3: "Worksheets (*.xls)"
        filterExt,        // 4: ".xls"
        regFileTypeId,    // 5
        regFileTypeName,  // 6
    };
    // The index-th '\n'-separated part of string m_nIDResource.
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

    // Loads the string, the shared menu and the accelerators of
    // m_nIDResource (done by the document manager when the template is added).
    virtual void LoadTemplate();
    void SetContainerInfo(UINT) {}

    // documents
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame) { (void)pFrame; return TRUE; }

    enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign, yesAttemptNative,
                      yesAlreadyOpen };
    // How well lpszPathName fits this template; the document when open.
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);

    // data
    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;  // string m_nIDResource
    HMENU m_hMenuShared;
    HACCEL m_hAccelTable;
    BOOL m_bAutoDelete;  // the document manager deletes it
};

class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    virtual ~CMultiDocTemplate();

    void LoadTemplate() override;
    POSITION GetFirstDocPosition() const override { return m_docList.GetHeadPosition(); }
    CDocument* GetNextDoc(POSITION& rPos) const override { return (CDocument*)m_docList.GetNext(rPos); }
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    // lpszPathName NULL: a new untitled document; else the document reads
    // the file. Each document gets a new MDI child frame.
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    // "<docName><n>", n counting up from 1 per template.
    void SetDefaultTitle(CDocument* pDocument) override;

    CPtrList m_docList;
    UINT m_nUntitledCount;
};

class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    virtual ~CSingleDocTemplate();

    POSITION GetFirstDocPosition() const override { return m_pOnlyDoc != NULL ? (POSITION)1 : NULL; }
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

    CDocument* m_pOnlyDoc;
};

// --- CDocManager -------------------------------------------------------------

class CDocManager : public CObject {
    DECLARE_DYNAMIC(CDocManager)
public:
    CDocManager();
    virtual ~CDocManager();  // deletes the templates it owns

    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    virtual POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    virtual CDocTemplate* GetNextDocTemplate(POSITION& pos) const {
        return (CDocTemplate*)m_templateList.GetNext(pos);
    }
    virtual int GetOpenDocumentCount();

    // The full path (AfxFullPath) is looked up among the open documents
    // first: a match activates its first view's frame. Otherwise the best
    // template opens it and the path goes on the recent-file list.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual void OnFileNew();
    virtual void OnFileOpen();
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);

    CPtrList m_templateList;
};

// --- CPrintInfo --------------------------------------------------------------

class CPrintInfo {
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT nMinPage) { m_pd.nMinPage = (WORD)nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_pd.nMaxPage = (WORD)(nMaxPage > 0xFFFF ? 0xFFFF : nMaxPage); }
    UINT GetMinPage() const { return m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pd.nMaxPage; }
    UINT GetFromPage() const { return (m_pd.Flags & PD_PAGENUMS) ? m_pd.nFromPage : m_pd.nMinPage; }
    UINT GetToPage() const { return (m_pd.Flags & PD_PAGENUMS) ? m_pd.nToPage : m_pd.nMaxPage; }
    UINT GetOffsetPage() const { return m_nOffsetPage; }

    PRINTDLG m_pd;             // the common dialog's record (hDC: the printer)
    BOOL m_bDirect;            // no dialog (ID_FILE_PRINT_DIRECT)
    BOOL m_bPreview;
    BOOL m_bContinuePrinting;  // OnPrepareDC clears it to end the job early
    UINT m_nCurPage;
    UINT m_nNumPreviewPages;
    CString m_strPageDesc;
    LPVOID m_lpUserData;
    CRect m_rectDraw;          // the printable area of the page being printed (device units)
    UINT m_nOffsetPage;
    UINT m_nJobNumber;         // StartDoc's answer
};

// The print dialog: a hook, while set, replaces ::PrintDlg (tests answer
// with a device context of their own). Returns the hook set before.
typedef BOOL(AFXAPI* AFX_PRINTDLG_HOOK)(PRINTDLG* pPD);
AFX_PRINTDLG_HOOK AFXAPI AfxSetPrintDialogHook(AFX_PRINTDLG_HOOK pfnHook);
BOOL AFXAPI AfxPrintDialog(PRINTDLG* pPD);

// The calls of a print job. Tests replace them (a memory or metafile DC has
// no job); NULL restores the system's. Returns the calls set before.
struct AFX_PRINTJOB_CALLS {
    int(WINAPI* pfnStartDoc)(HDC hdc, const DOCINFO* lpdi);
    int(WINAPI* pfnStartPage)(HDC hdc);
    int(WINAPI* pfnEndPage)(HDC hdc);
    int(WINAPI* pfnEndDoc)(HDC hdc);
    int(WINAPI* pfnAbortDoc)(HDC hdc);
};
const AFX_PRINTJOB_CALLS* AFXAPI AfxSetPrintJobCalls(const AFX_PRINTJOB_CALLS* pCalls);

// --- CView -------------------------------------------------------------------

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
protected:
    CView();

public:
    virtual ~CView();

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const { return (CFrameWnd*)CWnd::GetParentFrame(); }

    // overridables
    virtual void OnInitialUpdate();  // OnUpdate(NULL, 0, NULL)
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    virtual void OnDraw(CDC* pDC) = 0;
    virtual BOOL IsSelected(const CObject* pDocItem) const;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;  // deletes the view

    // printing
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);  // the default asks the dialog
    // Shows the print dialog (unless direct); FALSE when cancelled.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CView* pView);
    // Shows the pages of pPrintView in a view of class pPreviewViewClass
    // (a CPreviewView) under the button strip nIDResource, in place of the
    // frame's view; FALSE when it cannot start (pState stays the caller's).
    BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                        CPrintPreviewState* pState);

    // the message handlers the templates and frames route to
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();

protected:
    CDocument* m_pDocument;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMsg(WPARAM, LPARAM);

    friend class CDocument;
    DECLARE_MESSAGE_MAP()
};
