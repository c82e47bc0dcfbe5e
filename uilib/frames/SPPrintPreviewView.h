// SPPrintPreviewView.h - the library's print preview:
//   CSPPrintPreviewToolBar  the preview's buttons as a library toolbar
//   CSPPrintPreviewView     the framework's preview view with that toolbar
//                           in place of the framework's buttons and the page
//                           numbers in the library status bar
//   SPPrintPreview          starts the preview of a view
#pragma once
#include "afxpreview.h"

#include "SPToolBar.h"

class CSPStatusBar;

// The library resources of the preview.
#define IDR_SP_PRINT_PREVIEW   16960  // the toolbar
#define ID_SP_PREVIEW_TWOPAGES 16959  // carries the page-count button's second image
#define IDD_SP_PREVIEW_BAR     16658  // the framework bar that holds the toolbar

class CSPPrintPreviewToolBar : public CSPToolBar {
    DECLARE_DYNAMIC(CSPPrintPreviewToolBar)

protected:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    afx_msg void OnDestroy();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CSPPrintPreviewView : public CPreviewView {
    DECLARE_DYNCREATE(CSPPrintPreviewView)

public:
    CSPPrintPreviewView();
    virtual ~CSPPrintPreviewView();

    void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed) override;

    CSPPrintPreviewToolBar* GetToolBar() { return &m_wndToolBar; }
    // The images the page-count button switches between.
    int GetOnePageImage() const { return m_iOnePageImageIndex; }
    int GetTwoPagesImage() const { return m_iTwoPageImageIndex; }
    int GetPagesButtonIndex() const { return m_iPagesBtnIndex; }

protected:
    CSPPrintPreviewToolBar m_wndToolBar;
    int m_iOnePageImageIndex;
    int m_iTwoPageImageIndex;
    int m_iPagesBtnIndex;
    CSPStatusBar* m_pWndStatusBar;

    // The framework's bar as wide as the frame and as high as the toolbar.
    void FitToolBar();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

// Shows the preview of pView with the library's toolbar; says so when it
// cannot.
void SPPrintPreview(CView* pView);
