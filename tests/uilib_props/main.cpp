// The test program: one application object, GoogleTest's main, and the
// shared helpers.
#include "test_support.h"
#include "SPPropList.h"
#include <gtest/gtest.h>

class CPropsTestApp : public CWinApp {
public:
    CPropsTestApp() : CWinApp(_T("UilibPropsTests")) {}
};
CPropsTestApp theTestApp;

BOOL CHostWnd::CreateHost(int cx, int cy) {
    return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                    _T("host"), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, cx, cy, NULL, NULL);
}

BOOL CHostWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    commands.push_back({LOWORD(wParam), HIWORD(wParam), (HWND)lParam});
    return CWnd::OnCommand(wParam, lParam);
}

LRESULT CHostWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == SP_PROPERTY_CHANGED) {
        changes.push_back({wParam, lParam});
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void Click(CWnd* pWnd, int x, int y, UINT nFlags) {
    pWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | nFlags, MAKELPARAM(x, y));
    pWnd->SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(x, y));
}

static std::function<INT_PTR(CCommonDialog*)> g_fnAnswer;
static int* g_pnCalls = NULL;

static INT_PTR AFXAPI AnswerCommonDialog(CCommonDialog* pDialog) {
    if (g_pnCalls != NULL) (*g_pnCalls)++;
    return g_fnAnswer ? g_fnAnswer(pDialog) : IDCANCEL;
}

CommonDialogAnswer::CommonDialogAnswer(std::function<INT_PTR(CCommonDialog*)> fn) {
    g_fnAnswer = fn;
    g_pnCalls = &nCalls;
    m_pfnOld = CCommonDialog::SetTestHook(&AnswerCommonDialog);
}

CommonDialogAnswer::~CommonDialogAnswer() {
    CCommonDialog::SetTestHook(m_pfnOld);
    g_fnAnswer = nullptr;
    g_pnCalls = NULL;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::OleInitialize(NULL);
    int nResult = RunAllTestsWithoutMessageBoxes();
    ::OleUninitialize();
    return nResult;
}
