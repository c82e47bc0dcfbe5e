// DialogScript.h - answers modal dialogs that the code under test opens.
//
// While a DialogScript lives, each top-level dialog that starts on this
// thread gets the next step, run from inside its own modal loop once it
// has been initialised. A step drives the dialog (SendMessage of clicks and
// commands, which may open nested dialogs that take the following steps)
// and ends it. A dialog that finds no step left is cancelled and counted,
// so that no test can hang on a dialog it did not expect.
#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class DialogScript {
public:
    using Step = std::function<void(HWND hDlg)>;

    DialogScript() {
        s_pCurrent = this;
        WNDCLASSA wc = {};
        wc.lpfnWndProc = HelperProc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.lpszClassName = "TwDialogScriptHelper";
        ::RegisterClassA(&wc);
        m_hwndHelper = ::CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, wc.hInstance, NULL);
        m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, HookProc, NULL, ::GetCurrentThreadId());
    }
    ~DialogScript() {
        if (m_hHook != NULL) ::UnhookWindowsHookEx(m_hHook);
        if (m_hwndHelper != NULL) ::DestroyWindow(m_hwndHelper);
        s_pCurrent = NULL;
    }

    // The step for the next dialog that opens.
    DialogScript& Then(Step step) {
        m_steps.push_back(std::move(step));
        return *this;
    }
    size_t StepsLeft() const { return m_steps.size(); }

    std::vector<std::string> opened;  // captions of the dialogs, in order
    int nUnexpected = 0;              // dialogs cancelled for want of a step

    // Helpers for steps.
    static std::string Caption(HWND hWnd) {
        char sz[256] = "";
        ::GetWindowTextA(hWnd, sz, sizeof(sz));
        return sz;
    }
    // A click on a dialog's button as the user makes it: nothing on a
    // disabled one, an automatic radio button or check box changes.
    static void Click(HWND hDlg, int nID) { ::SendMessageA(::GetDlgItem(hDlg, nID), BM_CLICK, 0, 0); }

private:
    static inline DialogScript* s_pCurrent = NULL;
    HWND m_hwndHelper = NULL;
    HHOOK m_hHook = NULL;
    std::deque<Step> m_steps;

    static LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam) {
        DialogScript* pThis = s_pCurrent;
        if (nCode == HC_ACTION && pThis != NULL) {
            const CWPRETSTRUCT* pMsg = (const CWPRETSTRUCT*)lParam;
            if (pMsg->message == WM_INITDIALOG && (::GetWindowLongA(pMsg->hwnd, GWL_STYLE) & WS_CHILD) == 0)
                ::PostMessageA(pThis->m_hwndHelper, WM_APP, 0, (LPARAM)pMsg->hwnd);
        }
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }
    static LRESULT CALLBACK HelperProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        DialogScript* pThis = s_pCurrent;
        if (message != WM_APP || pThis == NULL) return ::DefWindowProcA(hWnd, message, wParam, lParam);
        HWND hDlg = (HWND)lParam;
        if (!::IsWindow(hDlg)) return 0;
        pThis->opened.push_back(Caption(hDlg));
        if (pThis->m_steps.empty()) {
            pThis->nUnexpected++;
            ::SendMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
            return 0;
        }
        Step step = std::move(pThis->m_steps.front());
        pThis->m_steps.pop_front();
        step(hDlg);
        return 0;
    }
};
