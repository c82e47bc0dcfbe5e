// What the colour tests share: a library frame that records the commands it
// gets and answers the document-colours question, and a scripted colour
// dialog.
#pragma once
#include "afxwin.h"
#include <gtest/gtest.h>

#include <vector>

#include "MessagePump.h"
#include "SPColorBar.h"
#include "SPColorButton.h"
#include "SPColorMenuButton.h"
#include "SPFrameWnd.h"
#include "SPToolBar.h"

namespace colortest {

enum { ID_TEXT_COLOR = 501, ID_FILL_COLOR = 502, ID_COLOR_BUTTON = 503, ID_PROP_LIST = 504 };

class CColorFrame : public CSPFrameWnd {
public:
    std::vector<UINT> commands;
    int nDocColorQuestions = 0;
    std::vector<COLORREF> docColors;  // the answer

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(LOWORD(wParam));
        return CSPFrameWnd::OnCommand(wParam, lParam);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == CSPColorMenuButton::GetDocumentColorsMessage()) {
            nDocColorQuestions++;
            CList<COLORREF, COLORREF>* pList = (CList<COLORREF, COLORREF>*)lParam;
            for (COLORREF c : docColors) pList->AddTail(c);
            return 0;
        }
        return CSPFrameWnd::WindowProc(message, wParam, lParam);
    }
    afx_msg void OnColor(UINT) {}
    DECLARE_MESSAGE_MAP()
};

// The colour dialog's answer while alive: FALSE is a cancel.
struct ScriptedColorDialog {
    static BOOL s_bOK;
    static COLORREF s_color;
    static int s_nCalls;
    static BOOL Run(BOOL, COLORREF, COLORREF& colorRes) {
        s_nCalls++;
        if (s_bOK) colorRes = s_color;
        return s_bOK;
    }
    BOOL (*pfnOld)(BOOL, COLORREF, COLORREF&);
    ScriptedColorDialog(BOOL bOK, COLORREF color) : pfnOld(CSPColorBar::s_pfnRunColorDialog) {
        s_bOK = bOK;
        s_color = color;
        s_nCalls = 0;
        CSPColorBar::s_pfnRunColorDialog = &Run;
    }
    ~ScriptedColorDialog() { CSPColorBar::s_pfnRunColorDialog = pfnOld; }
};

// The colour cells, extra buttons and labels of a bar, in order.
inline std::vector<CColorButton*> Cells(CSPColorBar& bar) {
    std::vector<CColorButton*> cells;
    for (int i = 0; i < bar.GetCount(); i++)
        if (CColorButton* p = DYNAMIC_DOWNCAST(CColorButton, bar.GetButton(i))) cells.push_back(p);
    return cells;
}

// The grid cell of the colour, NULL when there is none.
inline CColorButton* CellOf(CSPColorBar& bar, COLORREF color) {
    for (CColorButton* p : Cells(bar))
        if (!p->IsTextButton() && !p->m_bIsOtherColor && !p->m_bIsDocument && p->m_Color == color) return p;
    return NULL;
}

// A release on the button chooses it.
inline void ClickButton(CSPColorBar& bar, CSPToolbarButton* pButton) {
    const CPoint pt = pButton->Rect().CenterPoint();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpPending();
}

class ColorTest : public ::testing::Test {
protected:
    CColorFrame* frame = NULL;

    void SetUp() override {
        frame = new CColorFrame;
        ASSERT_TRUE(frame->Create(NULL, _T("colour test"), WS_OVERLAPPEDWINDOW, CRect(20, 20, 720, 560)));
        frame->ShowWindow(SW_SHOWNOACTIVATE);
        PumpPending();
    }
    void TearDown() override {
        if (CSPPopupMenu* pActive = CSPPopupMenu::GetActiveMenu()) pActive->DestroyWindow();
        PumpPending();
        if (frame != NULL && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        PumpPending();
    }
};

}  // namespace colortest
