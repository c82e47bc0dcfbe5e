// TomewiseDoc.h - CTomewiseDoc, the "CHM Contents" document: it reads and
// writes nothing; its window stays until the application closes.
#pragma once

#include "afxwin.h"
#include "afxdocvw.h"

class CTomewiseDoc : public CDocument {
    DECLARE_DYNCREATE(CTomewiseDoc)

public:
    CTomewiseDoc();

    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    BOOL CanCloseFrame(CFrameWnd* pFrame) override;
};
