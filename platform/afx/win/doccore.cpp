// doccore.cpp - CDocument and CDocManager.
#include "afximpl.h"
#include "afxframe.h"
#include <vector>

// --- CDocument -------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument() : m_bAutoDelete(TRUE), m_bEmbedded(FALSE), m_pDocTemplate(NULL), m_bModified(FALSE) {}

CDocument::~CDocument() {
    // views that outlive their document forget it
    while (!m_viewList.IsEmpty()) {
        CView* pView = (CView*)m_viewList.RemoveHead();
        pView->m_pDocument = NULL;
    }
    if (m_pDocTemplate != NULL) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle) {
    m_strTitle = lpszTitle != NULL ? lpszTitle : _T("");
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU) {
    if (lpszPathName == NULL) lpszPathName = _T("");
    TCHAR szFullPath[MAX_PATH * 2];
    if (lstrlen(lpszPathName) < MAX_PATH && AfxFullPath(szFullPath, lpszPathName))
        m_strPathName = szFullPath;
    else
        m_strPathName = lpszPathName;
    m_bEmbedded = FALSE;
    // the title is the file name
    int nSep = m_strPathName.ReverseFind('\\');
    int nSlash = m_strPathName.ReverseFind('/');
    if (nSlash > nSep) nSep = nSlash;
    CString strTitle = m_strPathName.Mid(nSep + 1);
    if (!strTitle.IsEmpty()) SetTitle(strTitle);
    CWinApp* pApp = AfxGetApp();
    if (bAddToMRU && pApp != NULL) pApp->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* pView) {
    if (pView == NULL || pView->m_pDocument == this) return;
    if (pView->m_pDocument != NULL) pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
    POSITION pos = m_viewList.Find(pView);
    if (pos == NULL) return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = NULL;
    OnChangedViewList();  // may delete this document
}

void CDocument::OnChangedViewList() {
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();  // deletes the document
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView != pSender) pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::UpdateFrameCounts() {
    // number the visible frames of this document 1, 2, ... (0 when only one)
    std::vector<CFrameWnd*> frames;
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView->m_hWnd == NULL || !pView->IsWindowVisible()) continue;
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame == NULL) continue;
        bool bSeen = false;
        for (CFrameWnd* p : frames) bSeen = bSeen || p == pFrame;
        if (!bSeen) frames.push_back(pFrame);
    }
    for (size_t i = 0; i < frames.size(); i++) {
        frames[i]->m_nWindow = frames.size() == 1 ? 0 : (int)i + 1;
        frames[i]->OnUpdateFrameTitle(TRUE);
    }
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName) {
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE);  // dirty while loading
    try {
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    file.Close();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName) {
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        file.Abort();
        ::DeleteFile(lpszPathName);  // no half-written file stays behind
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR, CException* e, BOOL bSaving, UINT nIDPDefault) {
    if (e != NULL && e->IsKindOf(RUNTIME_CLASS(CUserException))) return;  // already reported
    TCHAR szMessage[512];
    if (e != NULL && e->GetErrorMessage(szMessage, 512))
        AfxMessageBox(szMessage, MB_ICONEXCLAMATION);
    else
        AfxMessageBox(nIDPDefault != 0 ? nIDPDefault
                                       : (bSaving ? AFX_IDP_FAILED_TO_SAVE_DOC : AFX_IDP_FAILED_TO_OPEN_DOC),
                      MB_ICONEXCLAMATION);
}

void CDocument::DeleteContents() {}

void CDocument::OnCloseDocument() {
    // the document stays while its frames close
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* pView = (CView*)m_viewList.GetHead();
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();  // destroys the view as well
        } else if (pView->m_hWnd != NULL) {
            pView->DestroyWindow();
        }
        // a view without a window, or one that survived, leaves the list
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView) {
            m_viewList.RemoveHead();
            pView->m_pDocument = NULL;
        }
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete) delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg) {
    // another frame still shows the document: this one may go
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView->GetParentFrame() != pFrameArg) return TRUE;
    }
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::SaveModified() {
    if (!IsModified()) return TRUE;
    CString strName = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    if (strName.IsEmpty()) strName = AfxLoadLayerString(AFX_IDS_UNTITLED, _T("Untitled"));
    CString strPrompt;
    AfxFormatString1(strPrompt, AFX_IDP_ASK_TO_SAVE, strName);
    if (strPrompt.IsEmpty()) strPrompt.Format(_T("Save changes to %s?"), (LPCTSTR)strName);
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::DoFileSave() {
    DWORD dwAttrib = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributes(m_strPathName);
    if (m_strPathName.IsEmpty() || (dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_READONLY)))
        return DoSave(NULL);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace) {
    CString newName = lpszPathName != NULL ? lpszPathName : _T("");
    if (newName.IsEmpty()) {
        newName = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
        CWinApp* pApp = AfxGetApp();
        CDocManager* pManager = pApp != NULL ? pApp->m_pDocManager : NULL;
        CDocManager manager;
        if (pManager == NULL) pManager = &manager;
        if (!pManager->DoPromptFileName(newName, 0, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(newName)) return FALSE;
    if (bReplace) SetPathName(newName);
    return TRUE;
}

void CDocument::OnFileClose() {
    if (!SaveModified()) return;
    OnCloseDocument();  // the document is gone
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(NULL); }

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    // then the document's template
    return m_pDocTemplate != NULL && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// --- CDocManager ------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocManager::CDocManager() {}

CDocManager::~CDocManager() {
    while (!m_templateList.IsEmpty()) {
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.RemoveHead();
        if (pTemplate->m_bAutoDelete) delete pTemplate;
    }
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate) {
    if (pTemplate == NULL || m_templateList.Find(pTemplate) != NULL) return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

int CDocManager::GetOpenDocumentCount() {
    int nCount = 0;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        POSITION posDoc = pTemplate->GetFirstDocPosition();
        while (posDoc != NULL) {
            pTemplate->GetNextDoc(posDoc);
            nCount++;
        }
    }
    return nCount;
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName) {
    if (lpszFileName == NULL) return NULL;
    // a quoted name loses its quotes
    CString strName = lpszFileName;
    if (strName.GetLength() >= 1 && strName[0] == '"') strName = strName.Mid(1);
    int nQuote = strName.Find('"');
    if (nQuote >= 0) strName = strName.Left(nQuote);
    if (strName.IsEmpty() || strName.GetLength() >= MAX_PATH) {
        AfxMessageBox(AFX_IDP_INVALID_FILENAME);
        return NULL;
    }
    TCHAR szPath[MAX_PATH * 2];
    if (!AfxFullPath(szPath, strName)) lstrcpyn(szPath, strName, MAX_PATH);

    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    CDocTemplate* pBestTemplate = NULL;
    CDocument* pOpenDocument = NULL;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pMatch = NULL;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(szPath, pMatch);
        if (match > bestMatch) {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen) {
            pOpenDocument = pMatch;
            break;
        }
    }
    if (pOpenDocument != NULL) {
        // an open document: its first frame comes to the front
        POSITION posView = pOpenDocument->GetFirstViewPosition();
        if (posView != NULL) {
            CView* pView = pOpenDocument->GetNextView(posView);
            CFrameWnd* pFrame = pView->GetParentFrame();
            if (pFrame != NULL) pFrame->ActivateFrame();
            CWinApp* pApp = AfxGetApp();
            CWnd* pAppFrame = pApp != NULL ? pApp->m_pMainWnd : NULL;
            if (pAppFrame != NULL && pAppFrame != pFrame && pAppFrame->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
                ((CFrameWnd*)pAppFrame)->ActivateFrame();
        }
        return pOpenDocument;
    }
    if (pBestTemplate == NULL) {
        AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
        return NULL;
    }
    return pBestTemplate->OpenDocumentFile(szPath);
}

void CDocManager::OnFileNew() {
    if (m_templateList.IsEmpty()) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    // the first template (the programs built on this layer have one)
    CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetHead();
    pTemplate->OpenDocumentFile(NULL);
}

void CDocManager::OnFileOpen() {
    CString newName;
    if (!DoPromptFileName(newName, 0, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, NULL)) return;
    OpenDocumentFile(newName);
}

BOOL CDocManager::SaveAllModified() {
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        if (!pTemplate->SaveAllModified()) return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession) {
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        pTemplate->CloseAllDocuments(bEndSession);
    }
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate) {
    // the filter of the template (or of every template): "name\0*.ext\0"
    CString strFilter;
    auto addFilter = [&strFilter](CDocTemplate* p) {
        CString strName, strExt;
        if (p->GetDocString(strName, CDocTemplate::filterName) && !strName.IsEmpty() &&
            p->GetDocString(strExt, CDocTemplate::filterExt) && !strExt.IsEmpty()) {
            strFilter += strName;
            strFilter += (TCHAR)'|';
            strFilter += _T("*") + strExt;
            strFilter += (TCHAR)'|';
        }
    };
    if (pTemplate != NULL) {
        addFilter(pTemplate);
    } else {
        POSITION pos = GetFirstDocTemplatePosition();
        while (pos != NULL) addFilter(GetNextDocTemplate(pos));
    }
    strFilter += _T("All Files (*.*)|*.*||");
    std::vector<TCHAR> filter(strFilter.GetLength() + 2, 0);
    for (int i = 0; i < strFilter.GetLength(); i++) filter[i] = strFilter[i] == '|' ? 0 : strFilter[i];

    std::vector<TCHAR> buffer(MAX_PATH * 4, 0);
    lstrcpyn(buffer.data(), fileName, (int)buffer.size());
    CString strTitle;
    if (nIDSTitle != 0) strTitle.LoadString(nIDSTitle);
    OPENFILENAME ofn = {};
    ofn.lStructSize = sizeof(ofn);
    CWnd* pMainWnd = AfxGetMainWnd();
    ofn.hwndOwner = AfxGetSafeHwnd(pMainWnd);
    ofn.lpstrFilter = filter.data();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = (DWORD)buffer.size();
    ofn.lpstrTitle = strTitle.IsEmpty() ? NULL : (LPCTSTR)strTitle;
    ofn.Flags = lFlags | OFN_NOCHANGEDIR | OFN_EXPLORER | (bOpenFileDialog ? 0 : OFN_OVERWRITEPROMPT);
    BOOL bResult = bOpenFileDialog ? ::GetOpenFileName(&ofn) : ::GetSaveFileName(&ofn);
    if (bResult) fileName = buffer.data();
    return bResult;
}
