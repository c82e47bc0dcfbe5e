// afxoleip.h - the frames of in-place activation:
//   COleCntrFrameWnd   a frame object over a container's window (its frame
//                      or its document window) while a server is active in
//                      place: the server's bars live in it
//   COleIPFrameWnd     the server's in-place frame, a child window over the
//                      container's document window
//   COleDocIPFrameWnd  the same for a document object
//   COleDocument       a container document: it keeps its items
//   COleClientItem     an item of a container document, active in place
//                      while a server's in-place frame is active over the
//                      view that shows it
// This layer embeds no OLE servers: the in-place frame is activated over a
// container window its caller names (ActivateInPlace), which is what a
// server document does when the container calls it; the item it is handed
// is then the container's in-place active item.
#pragma once
#include "afxpreview.h"
#include "afxdocvw.h"

class COleIPFrameWnd;
class COleDocument;

class COleClientItem : public CCmdTarget {
    DECLARE_DYNAMIC(COleClientItem)
public:
    // The item joins the document's items (none for NULL).
    explicit COleClientItem(COleDocument* pContainerDoc = NULL);
    virtual ~COleClientItem();

    COleDocument* GetDocument() const { return m_pDocument; }
    // The server's in-place window while the item is active in place, else
    // NULL.
    CWnd* GetInPlaceWindow() const;
    BOOL IsInPlaceActive() const { return m_pInPlaceFrame != NULL; }
    // The view the item is active in, NULL when it is not.
    CView* GetActiveView() const { return m_pView; }
    // The item leaves the in-place activation: its server's frame goes.
    virtual void Deactivate();
    // The item is closed: it leaves the activation first.
    virtual void Close();

protected:
    friend class COleIPFrameWnd;
    friend class COleDocument;
    COleDocument* m_pDocument;
    COleIPFrameWnd* m_pInPlaceFrame;
    CView* m_pView;
};

class COleDocument : public CDocument {
    DECLARE_DYNCREATE(COleDocument)
public:
    COleDocument();
    virtual ~COleDocument();

    void AddItem(COleClientItem* pItem);
    void RemoveItem(COleClientItem* pItem);
    POSITION GetStartPosition() const { return m_lstItems.GetHeadPosition(); }
    COleClientItem* GetNextClientItem(POSITION& pos) const { return (COleClientItem*)m_lstItems.GetNext(pos); }
    // The item active in place in the view (any view for NULL), or NULL.
    virtual COleClientItem* GetInPlaceActiveItem(CWnd* pWnd);
    // The items are deleted with the document's contents.
    void DeleteContents() override;

protected:
    CPtrList m_lstItems;
};

class COleCntrFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(COleCntrFrameWnd)
public:
    explicit COleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame = NULL);
    virtual ~COleCntrFrameWnd();

    COleIPFrameWnd* m_pInPlaceFrame;

    // Takes the container's window over for the time of the activation:
    // its messages pass through this object first (FALSE when another
    // object holds it). DetachContainer gives it back.
    BOOL AttachContainer(HWND hWnd);
    HWND DetachContainer();

    void RecalcLayout(BOOL bNotify = TRUE) override;
    // The container owns the window: neither the object nor the window
    // goes with the other.
    void PostNcDestroy() override {}

protected:
    // Closing the container is the container's business.
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()
};

class COleIPFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(COleIPFrameWnd)
public:
    COleIPFrameWnd();
    virtual ~COleIPFrameWnd();

    // The server's bars are created in the container's frames (the
    // document frame may be NULL); the default creates none.
    virtual BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc);
    // Activation over a container: the frame wrappers are made for the
    // container's frame and document windows, the bars created in them, and
    // this frame shown at rect (client coordinates of hWndDoc, its parent)
    // and activated. FALSE when a window is missing or the bars fail.
    // pItem, shown in pView, is the container's in-place active item for
    // the time of the activation.
    BOOL ActivateInPlace(HWND hWndContainerFrame, HWND hWndContainerDoc, const RECT& rect,
                         COleClientItem* pItem = NULL, CView* pView = NULL);
    // Deactivation: this frame hides and the wrappers let go of the
    // container's windows.
    void DeactivateInPlace();
    BOOL IsInPlaceActive() const { return m_bInPlaceActive; }

    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;

    COleCntrFrameWnd* m_pMainFrame;  // wrapper of the container's frame window
    COleCntrFrameWnd* m_pDocFrame;   // wrapper of its document window, or NULL
    COleClientItem* GetActiveItem() const { return m_pActiveItem; }

protected:
    BOOL m_bInPlaceActive;
    COleClientItem* m_pActiveItem;
    // The item is no longer the container's active one.
    void ReleaseItem();
    // Lets go of a wrapper's window and deletes it.
    static void ReleaseWrapper(COleCntrFrameWnd*& pWrapper);

    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

class COleDocIPFrameWnd : public COleIPFrameWnd {
    DECLARE_DYNCREATE(COleDocIPFrameWnd)
public:
    COleDocIPFrameWnd();
};
