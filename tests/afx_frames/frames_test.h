// Shared helpers of the frame tests.
#pragma once
#include "afxwin.h"
#include "afxframe.h"
#include "frames_res.h"
#include <string>
#include <vector>

// The application: it answers two test commands and records what ran.
class CFramesTestApp : public CWinApp {
public:
    CFramesTestApp() : CWinApp(_T("AfxFramesTests")) {}
    std::vector<std::string> log;
    int nSaveAllModified = 0;  // how often the application was asked to save its documents
    BOOL SaveAllModified() override {
        nSaveAllModified++;
        return CWinApp::SaveAllModified();
    }

protected:
    afx_msg void OnAppCmd() { log.push_back("app"); }
    afx_msg void OnAllCmd() { log.push_back("app-all"); }
    DECLARE_MESSAGE_MAP()
};
extern CFramesTestApp theTestApp;

#include "MessageBoxRecorder.h"

#include "MessagePump.h"  // PumpPending

inline std::string WindowText(HWND hWnd) {
    char sz[512] = {};
    ::GetWindowTextA(hWnd, sz, sizeof(sz));
    return sz;
}
