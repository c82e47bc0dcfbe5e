// afxoleip.h - the frames of in-place activation:
//   COleCntrFrameWnd   a frame object over a container's window (its frame
//                      or its document window) while a server is active in
//                      place: the server's bars live in it
//   COleIPFrameWnd     the server's in-place frame, a child window over the
//                      container's document window
//   COleDocIPFrameWnd  the same for a document object
// This layer embeds no OLE servers: the in-place frame is activated over a
// container window its caller names (ActivateInPlace), which is what a
// server document does when the container calls it.
#pragma once
#include "afxpreview.h"

class COleIPFrameWnd;

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
    BOOL ActivateInPlace(HWND hWndContainerFrame, HWND hWndContainerDoc, const RECT& rect);
    // Deactivation: this frame hides and the wrappers let go of the
    // container's windows.
    void DeactivateInPlace();
    BOOL IsInPlaceActive() const { return m_bInPlaceActive; }

    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;

    COleCntrFrameWnd* m_pMainFrame;  // wrapper of the container's frame window
    COleCntrFrameWnd* m_pDocFrame;   // wrapper of its document window, or NULL

protected:
    BOOL m_bInPlaceActive;
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
