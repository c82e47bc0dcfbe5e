// ChildFrm.cpp - the document window.
#include "ChildFrm.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

void CChildFrame::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1) nCmdShow = SW_SHOWMAXIMIZED;
    CMDIChildWnd::ActivateFrame(nCmdShow);
}
