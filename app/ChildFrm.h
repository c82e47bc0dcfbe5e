// ChildFrm.h - CChildFrame, the document window; it always opens maximised.
#pragma once

#include "afxwin.h"
#include "afxframe.h"

class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)

public:
    CChildFrame() {}
    void ActivateFrame(int nCmdShow = -1) override;
};
