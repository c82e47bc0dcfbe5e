// CreationRefusal.h - the system refuses to make the windows of library
// objects on this thread, for the tests of what a refused creation leaves.
#pragma once
#include "afxwin.h"

#include <climits>

// While alive, CreateWindowEx fails for the windows whose object (the one
// the library is creating) is of the class, or of any class with NULL, up to
// nCount of them: the refusal comes before any message reaches the window,
// so no window ever takes the object. One at a time per thread.
class CCreationRefusal {
public:
    explicit CCreationRefusal(CRuntimeClass* pClass = NULL, int nCount = INT_MAX)
        : m_pClass(pClass), m_nLeft(nCount) {
        // The library's own creation hook goes first in the chain, so that
        // this one, put after it, is asked before it.
        AfxHookWindowCreate(NULL);
        AfxUnhookWindowCreate();
        m_pPrev = s_pActive;
        s_pActive = this;
        m_hHook = ::SetWindowsHookEx(WH_CBT, &Hook, NULL, ::GetCurrentThreadId());
    }
    ~CCreationRefusal() {
        if (m_hHook != NULL) ::UnhookWindowsHookEx(m_hHook);
        s_pActive = m_pPrev;
    }
    CCreationRefusal(const CCreationRefusal&) = delete;
    CCreationRefusal& operator=(const CCreationRefusal&) = delete;

    bool Installed() const { return m_hHook != NULL; }
    int Refused() const { return m_nRefused; }
    // The object of the last refused window (gone, or its creator's).
    const void* LastRefused() const { return m_pLastRefused; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        CCreationRefusal* p = s_pActive;
        if (p != NULL && code == HCBT_CREATEWND && p->m_nLeft > 0) {
            CWnd* pWnd = AfxGetThreadState()->m_pWndInit;
            if (pWnd != NULL && (p->m_pClass == NULL || pWnd->IsKindOf(p->m_pClass))) {
                p->m_nLeft--;
                p->m_nRefused++;
                p->m_pLastRefused = pWnd;
                return 1;
            }
        }
        return ::CallNextHookEx(p != NULL ? p->m_hHook : NULL, code, wParam, lParam);
    }

    CRuntimeClass* m_pClass;
    int m_nLeft;
    int m_nRefused = 0;
    const void* m_pLastRefused = NULL;
    HHOOK m_hHook = NULL;
    CCreationRefusal* m_pPrev = NULL;
    static inline CCreationRefusal* s_pActive = NULL;
};
