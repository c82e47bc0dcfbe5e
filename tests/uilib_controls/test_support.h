// Helpers of the controls tests: a host window that records the commands
// of its children, a memory DC over a 32-bit bitmap, and a message pump.
#pragma once
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

struct MemoryDC {
    CDC dc;
    HBITMAP hbm = NULL;
    HGDIOBJ hOld = NULL;
    int cx, cy;

    MemoryDC(int cxIn, int cyIn) : cx(cxIn), cy(cyIn) {
        BITMAPINFOHEADER bih = {};
        bih.biSize = sizeof(bih);
        bih.biWidth = cx;
        bih.biHeight = -cy;
        bih.biPlanes = 1;
        bih.biBitCount = 32;
        void* pBits = NULL;
        hbm = ::CreateDIBSection(NULL, (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits, NULL, 0);
        dc.Attach(::CreateCompatibleDC(NULL));
        hOld = ::SelectObject(dc.GetSafeHdc(), hbm);
    }
    ~MemoryDC() {
        ::SelectObject(dc.GetSafeHdc(), hOld);
        ::DeleteDC(dc.Detach());
        ::DeleteObject(hbm);
    }
    void Fill(const CRect& rect, COLORREF clr) { dc.FillSolidRect(rect, clr); }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(dc.GetSafeHdc(), x, y); }
    int Count(const CRect& rect, COLORREF clr) const {
        int n = 0;
        for (int y = rect.top; y < rect.bottom; y++)
            for (int x = rect.left; x < rect.right; x++)
                if (Pixel(x, y) == clr) n++;
        return n;
    }
};

// Runs the thread's pending messages.
inline void PumpMessages() {
    MSG msg;
    for (int i = 0; i < 1000 && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE); i++) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

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
