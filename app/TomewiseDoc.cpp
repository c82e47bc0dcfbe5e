// TomewiseDoc.cpp - the document of the page view.
#include "TomewiseDoc.h"

#include "TomewiseView.h"

IMPLEMENT_DYNCREATE(CTomewiseDoc, CDocument)

CTomewiseDoc::CTomewiseDoc() { SetTitle(_T("CHM Contents")); }

BOOL CTomewiseDoc::OnNewDocument() {
    POSITION pos = GetFirstViewPosition();
    CHtmlView* pView = pos != NULL ? DYNAMIC_DOWNCAST(CHtmlView, GetNextView(pos)) : NULL;
    if (pView != NULL) pView->Navigate2(_T("about:blank"));
    return TRUE;
}

BOOL CTomewiseDoc::OnOpenDocument(LPCTSTR) { return TRUE; }

// Only the application's closing of all documents removes the window.
BOOL CTomewiseDoc::CanCloseFrame(CFrameWnd*) { return FALSE; }
