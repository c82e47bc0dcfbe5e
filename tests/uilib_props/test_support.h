// Helpers of the property and colour control tests.
#pragma once
#include "afxwin.h"
#include "SPGlobalData.h"
#include <functional>
#include <string>
#include <vector>

#include "ForcedBitsPerPixel.h"
#include "MessageBoxRecorder.h"
#include "MessagePump.h"

// A visible top-level window that records the commands and messages its
// children send it.
class CHostWnd : public CWnd {
public:
    struct Command {
        UINT nID, nCode;
        HWND hWnd;
    };
    std::vector<Command> commands;
    std::vector<std::pair<WPARAM, LPARAM>> changes;  // SM_PROPERTYCHANGED

    BOOL CreateHost(int cx = 400, int cy = 300);
    ~CHostWnd() override {
        if (m_hWnd != NULL) DestroyWindow();
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Sends a button press and release at a client point.
void Click(CWnd* pWnd, int x, int y, UINT nFlags = 0);

// A common-dialog answer for the next DoModal of any common dialog while
// alive.
class CommonDialogAnswer {
public:
    explicit CommonDialogAnswer(std::function<INT_PTR(CCommonDialog*)> fn);
    ~CommonDialogAnswer();
    int nCalls = 0;

private:
    CCommonDialog::AFX_COMMONDIALOG_HOOK m_pfnOld;
};
