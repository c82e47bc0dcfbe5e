// Shared helpers of the window-half tests.
#pragma once
#include "afxwin.h"
#include <string>
#include <vector>

// The application object of the test program (main.cpp).
class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp(_T("AfxWinTests")) {}
};
extern CTestApp theTestApp;

#include "MessageBoxRecorder.h"

// Runs the thread's messages until pred() holds or nMaxMs passes (no timing
// asserts: the limit only stops a hung test).
template <class Pred>
bool PumpUntil(Pred pred, DWORD nMaxMs = 5000) {
    DWORD start = ::GetTickCount();
    MSG msg;
    while (!pred()) {
        if (::GetTickCount() - start > nMaxMs) return false;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            if (!theTestApp.PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
        if (!pred()) ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

#include "MessagePump.h"  // PumpPending
