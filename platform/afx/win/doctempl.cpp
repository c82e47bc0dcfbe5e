// doctempl.cpp - CDocTemplate, CMultiDocTemplate and CSingleDocTemplate.
#include "afximpl.h"
#include "afxframe.h"
#include <vector>

// --- CDocTemplate ------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass),
      m_hMenuShared(NULL), m_hAccelTable(NULL), m_bAutoDelete(TRUE) {}

CDocTemplate::~CDocTemplate() {}

void CDocTemplate::LoadTemplate() {
    if (m_strDocStrings.IsEmpty() && m_nIDResource != 0) m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex i) const {
    return AfxExtractSubString(rString, m_strDocStrings, (int)i);
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = NULL; }

CDocument* CDocTemplate::CreateNewDocument() {
    if (m_pDocClass == NULL) return NULL;
    CObject* pObject = m_pDocClass->CreateObject();
    if (pObject == NULL) return NULL;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CDocument))) {
        delete pObject;
        return NULL;
    }
    CDocument* pDocument = (CDocument*)pObject;
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    if (m_pFrameClass == NULL) return NULL;
    CObject* pObject = m_pFrameClass->CreateObject();
    if (pObject == NULL) return NULL;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        delete pObject;
        return NULL;
    }
    CFrameWnd* pFrame = (CFrameWnd*)pObject;
    // a frame that fails is deleted by its own clean-up
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context)) return NULL;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->SaveModified()) return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
    // closing one document must not disturb the walk over the others
    std::vector<CDocument*> docs;
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) docs.push_back(GetNextDoc(pos));
    for (CDocument* pDoc : docs) {
        // a document closed by another's closing is not in the list any more
        bool bStill = false;
        for (POSITION p = GetFirstDocPosition(); p != NULL && !bStill;) bStill = GetNextDoc(p) == pDoc;
        if (bStill) pDoc->OnCloseDocument();
    }
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch) {
    rpDocMatch = NULL;
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->GetPathName().IsEmpty() && pDoc->GetPathName().CompareNoCase(lpszPathName) == 0) {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString strFilterExt;
    if (GetDocString(strFilterExt, filterExt) && !strFilterExt.IsEmpty()) {
        LPCTSTR lpszDot = _tcsrchr(lpszPathName, '.');
        if (lpszDot != NULL && lstrcmpi(lpszDot, strFilterExt) == 0) return yesAttemptNative;
    }
    return yesAttemptForeign;
}

// --- CMultiDocTemplate ---------------------------------------------------------------

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_nUntitledCount(0) {}

CMultiDocTemplate::~CMultiDocTemplate() {
    // documents still open forget their template
    while (!m_docList.IsEmpty()) {
        CDocument* pDoc = (CDocument*)m_docList.RemoveHead();
        CDocTemplate::RemoveDocument(pDoc);
    }
    if (m_hMenuShared != NULL) ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable != NULL) ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate() {
    CDocTemplate::LoadTemplate();
    if (m_nIDResource != 0 && m_hMenuShared == NULL) {
        HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(m_nIDResource), RT_MENU);
        m_hMenuShared = ::LoadMenu(hInst, MAKEINTRESOURCE(m_nIDResource));
        hInst = AfxFindResourceHandle(MAKEINTRESOURCE(m_nIDResource), RT_ACCELERATOR);
        m_hAccelTable = ::LoadAccelerators(hInst, MAKEINTRESOURCE(m_nIDResource));
    }
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
    CDocTemplate::RemoveDocument(pDoc);
    POSITION pos = m_docList.Find(pDoc);
    if (pos != NULL) m_docList.RemoveAt(pos);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == NULL) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return NULL;
    }
    BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;  // a failing frame must not take the document
    CFrameWnd* pFrame = CreateNewFrame(pDocument, NULL);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == NULL) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete pDocument;
        return NULL;
    }
    if (lpszPathName == NULL) {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible) pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument()) {
            pFrame->DestroyWindow();  // the document goes with its last view
            return NULL;
        }
        m_nUntitledCount++;
    } else {
        CWaitCursor wait;
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            pFrame->DestroyWindow();
            return NULL;
        }
        pDocument->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument) {
    CString strDocName;
    if (GetDocString(strDocName, docName) && !strDocName.IsEmpty()) {
        CString strNum;
        strNum.Format(_T("%u"), m_nUntitledCount + 1);
        strDocName += strNum;
    } else {
        strDocName = AfxLoadLayerString(AFX_IDS_UNTITLED, _T("Untitled"));
    }
    pDocument->SetTitle(strDocName);
}

// --- CSingleDocTemplate ---------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(NULL) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    if (m_pOnlyDoc != NULL) CDocTemplate::RemoveDocument(m_pOnlyDoc);
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const {
    CDocument* pDoc = rPos == (POSITION)1 ? m_pOnlyDoc : NULL;
    rPos = NULL;
    return pDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc) m_pOnlyDoc = NULL;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
    CDocument* pDocument = m_pOnlyDoc;
    CFrameWnd* pFrame = NULL;
    BOOL bCreated = FALSE;
    if (pDocument != NULL) {
        // the one document is reused once it may be replaced
        if (!pDocument->SaveModified()) return NULL;
        POSITION pos = pDocument->GetFirstViewPosition();
        if (pos != NULL) pFrame = pDocument->GetNextView(pos)->GetParentFrame();
    } else {
        pDocument = CreateNewDocument();
        if (pDocument == NULL) {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            return NULL;
        }
        bCreated = TRUE;
        BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, NULL);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (pFrame == NULL) {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            delete pDocument;
            return NULL;
        }
    }
    if (lpszPathName == NULL) {
        SetDefaultTitle(pDocument);
        if (!pDocument->OnNewDocument()) {
            if (bCreated && pFrame != NULL) pFrame->DestroyWindow();
            return NULL;
        }
    } else {
        CWaitCursor wait;
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            if (bCreated && pFrame != NULL) pFrame->DestroyWindow();
            return NULL;
        }
        pDocument->SetPathName(lpszPathName);
    }
    if (pFrame != NULL) {
        CWinApp* pApp = AfxGetApp();
        if (bCreated && pApp != NULL && pApp->m_pMainWnd == NULL) pApp->m_pMainWnd = pFrame;
        InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    }
    return pDocument;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) {
    CString strDocName;
    if (!GetDocString(strDocName, docName) || strDocName.IsEmpty())
        strDocName = AfxLoadLayerString(AFX_IDS_UNTITLED, _T("Untitled"));
    pDocument->SetTitle(strDocName);
}
