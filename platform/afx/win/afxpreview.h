// afxpreview.h - print preview:
//   CPrintPreviewState  what a frame saves while it shows a preview
//   CDialogBar          a bar made from a dialog template (the preview's
//                       button strip)
//   CPreviewView        the view that shows the pages a view prints
#pragma once
#include "afxdocvw.h"

// The bit of a standard bar (ids AFX_IDW_CONTROLBAR_FIRST up) in a mask of bars.
#define AFX_IDW_CONTROLBAR_FIRST  0xE800
#define AFX_IDW_CONTROLBAR_LAST   0xE8FF
#define AFX_CONTROLBAR_MASK(nIDC) (1UL << ((nIDC) - AFX_IDW_CONTROLBAR_FIRST))

// What a frame gives up for the time of a preview and gets back after it.
struct CPrintPreviewState {
    UINT nIDMainPane;     // the id the main pane had (it is kept out of the way meanwhile)
    HMENU hMenu;          // the menu the frame showed
    DWORD dwStates;       // in: the bars to show in preview; out: the bars that showed
    CView* pViewActiveOld;
    BOOL(CALLBACK* lpfnCloseProc)(CFrameWnd* pFrameWnd);
    HACCEL hAccelTable;

    CPrintPreviewState()
        : nIDMainPane(0), hMenu(NULL), dwStates(AFX_CONTROLBAR_MASK(AFX_IDW_STATUS_BAR)), pViewActiveOld(NULL),
          lpfnCloseProc(NULL), hAccelTable(NULL) {}
};

// --- CDialogBar ----------------------------------------------------------------------

// A strip made from a dialog template along the top of its frame: it takes
// its default height in the frame's layout (WM_SIZEPARENT) and passes its
// controls' commands to the frame.
class CDialogBar : public CWnd {
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();

    // The template's window as a child of pParentWnd with id nID.
    BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID) {
        return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
    }

    CSize m_sizeDefault;  // the size the layout gives it (its height at the top)
    BOOL m_bAutoDelete;   // the object goes with its window

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// --- CPreviewView --------------------------------------------------------------------

// Shows the pages a view prints (its OnPrint), one or two at a time, scaled
// to the window, in place of the frame's view. CView::DoPrintPreview makes
// it; its Close command gives the frame back.
class CPreviewView : public CView {
    DECLARE_DYNCREATE(CPreviewView)
public:
    CPreviewView();
    virtual ~CPreviewView();

    enum { ZOOM_OUT = 0, ZOOM_MIDDLE = 1, ZOOM_IN = 2 };

    // Takes the view whose pages are shown; FALSE when it cannot print.
    virtual BOOL SetPrintView(CView* pPrintView);
    void SetCurrentPage(UINT nPage, BOOL bClearRatios = TRUE);
    UINT GetCurrentPage() const { return m_nCurrentPage; }
    UINT GetPageCount() const;  // 0 when the view has no pages

    // Tells the frame which page (and how many from it) is shown; the
    // default puts the page description on the message line.
    virtual void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed);
    // The preview ends: the frame gets its view, menu and bars back and
    // this window goes.
    void ClosePreview();
    void OnDraw(CDC* pDC) override;

    CView* m_pOrigView;
    CView* m_pPrintView;
    CPrintInfo* m_pPreviewInfo;
    CPrintPreviewState* m_pPreviewState;
    CDialogBar* m_pToolBar;
    CDC* m_pPrinterDC;      // the printer's attributes (page size, resolution)
    UINT m_nPages;          // pages shown now
    UINT m_nZoomOutPages;   // pages shown while zoomed out (1 or 2)
    int m_nZoomState;
    UINT m_nCurrentPage;

protected:
    // The page description for nPagesDisplayed pages from nPage (the first
    // or the second part of the print info's description); FALSE when the
    // description has no such part.
    BOOL FormatPageNumber(UINT nPage, UINT nPagesDisplayed, CString& strText) const;
    // The rectangle page i of those shown takes in the client area.
    CRect GetPageRect(UINT i) const;
    void UpdatePageDisplay();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPreviewClose();
    afx_msg void OnNumPageChange();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnPreviewPrint();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
