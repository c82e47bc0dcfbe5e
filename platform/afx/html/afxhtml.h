// afxhtml.h - CHtmlView: a view that shows HTML pages through the HTML
// engine (parser, layout and GDI painting), with no browser control.
//
//   Navigate2("about:blank") or a file:/// url, with a fragment (#name)
//   that scrolls to the anchor; relative links resolve against the page.
//   Scrolling by the scroll bars, the keyboard and the mouse wheel; the page
//   is laid out again at the view's width when it is resized.
//   A click on a link navigates the view (file:/// pages) or hands the
//   address to the shell (http, https, ftp, mailto, news: OpenExternalLink);
//   other schemes are ignored.
//   Printing (CView's print loop, ID_FILE_PRINT) lays the page out at the
//   printer's width and prints it page by page.
#pragma once
#include "afxwin.h"
#include "afxframe.h"

struct CHtmlViewState;  // the engine's objects (viewhtml.cpp)

class CHtmlView : public CView {
    DECLARE_DYNCREATE(CHtmlView)
public:
    CHtmlView();
    virtual ~CHtmlView();

    // navigation
    void Navigate(LPCTSTR lpszURL, DWORD dwFlags = 0, LPCTSTR lpszTargetFrameName = NULL,
                  LPCTSTR lpszHeaders = NULL, LPVOID lpvPostData = NULL, DWORD dwPostDataLen = 0);
    void Navigate2(LPCTSTR lpszURL, DWORD dwFlags = 0, LPCTSTR lpszTargetFrameName = NULL,
                   LPCTSTR lpszHeaders = NULL, LPVOID lpvPostData = NULL, DWORD dwPostDataLen = 0);
    void Refresh();
    void Stop() {}
    BOOL GetBusy() const { return FALSE; }  // pages load at once
    // The address shown: file:///C:/dir/page.htm#name (path characters
    // outside ASCII and the characters % # ? and blank percent-escaped),
    // "about:blank", or empty before the first navigation.
    CString GetLocationURL() const;
    // The page's <title> (in the ANSI code page).
    CString GetLocationName() const;
    // TRUE when the last navigation showed the "cannot be displayed" page.
    BOOL IsErrorPage() const;

    // geometry (device pixels of the view; the page is laid out at 96 dpi)
    CSize GetPageSize() const;        // the laid-out page
    CPoint GetScrollPosition() const;  // its point at the client's top left
    void ScrollToPosition(CPoint pt);  // clamped to the page
    // The address of the link under a client point, or empty.
    CString GetLinkAt(CPoint ptClient) const;
    // The page position of a named anchor; FALSE when the page has none.
    BOOL GetAnchorPosition(LPCTSTR lpszName, CPoint* pPoint) const;

    // what the last print job laid out (for callers that check it)
    int GetPrintPageCount() const;
    CSize GetPrintContentSize() const;  // CSS px of one page's content area

    // overridables
    virtual void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD nFlags, LPCTSTR lpszTargetFrameName,
                                   CByteArray& baPostedData, LPCTSTR lpszHeaders, BOOL* pbCancel);
    virtual void OnNavigateComplete2(LPCTSTR strURL);
    virtual void OnDocumentComplete(LPCTSTR lpszURL);
    virtual void OnTitleChange(LPCTSTR lpszText);
    // The page could not be read; the view shows its error page.
    virtual void OnNavigateError(LPCTSTR lpszURL);
    // Hands an external address to the shell (ShellExecute "open"); the
    // answer says whether the shell took it.
    virtual BOOL OpenExternalLink(LPCTSTR lpszURL);

    void OnDraw(CDC* pDC) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnInitialUpdate() override;

    // printing through the common print dialog
    afx_msg void OnFilePrint();

protected:
    CHtmlViewState* m_pState;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

private:
    void NavigateTo(const CString& strURL, BOOL bFromLink);
    void LoadPage(const struct CHtmlViewUrl& url);
    void Relayout();
    void UpdateScrollBars();
    void ScrollBy(int dx, int dy);

    DECLARE_MESSAGE_MAP()
};
