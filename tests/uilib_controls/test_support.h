// Helpers of the controls tests: a host window that records the commands
// of its children (memory DCs in MemoryDC.h, the message pump in
// MessagePump.h).
#pragma once
#include "MemoryDC.h"
#include "MessagePump.h"
#include "afxwin.h"
#include <vector>

// A top-level window for the controls, hidden unless a test shows it (no
// waiting for the display); records WM_COMMAND (id, code).
class CHostWnd : public CWnd {
public:
    struct Command {
        UINT nID;
        UINT nCode;
    };
    std::vector<Command> commands;

    BOOL CreateHost(int cx = 400, int cy = 300) {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
        return CreateEx(0, lpszClass, _T("Controls test"), WS_POPUP | WS_CLIPCHILDREN, 10, 10, cx, cy,
                        NULL, NULL);
    }
    ~CHostWnd() override {
        if (m_hWnd != NULL) DestroyWindow();
    }
    int Count(UINT nID, UINT nCode = BN_CLICKED) const {
        int n = 0;
        for (const Command& c : commands)
            if (c.nID == nID && c.nCode == nCode) n++;
        return n;
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back({LOWORD(wParam), HIWORD(wParam)});
        return CWnd::OnCommand(wParam, lParam);
    }
};

// Holds a key down in this thread's keyboard state while alive.
class KeyHeld {
public:
    explicit KeyHeld(int vk) : m_vk(vk) { Set(0x80); }
    ~KeyHeld() { Set(0); }

private:
    int m_vk;
    void Set(BYTE state) {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[m_vk] = state;
        ::SetKeyboardState(keys);
    }
};
