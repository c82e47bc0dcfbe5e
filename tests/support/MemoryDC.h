// MemoryDC.h - a memory DC over a 32-bit bitmap for drawing tests.
#pragma once
#include "afxwin.h"

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
    // Number of pixels of a colour inside a rectangle.
    int Count(const CRect& rect, COLORREF clr) const {
        int n = 0;
        for (int y = rect.top; y < rect.bottom; y++)
            for (int x = rect.left; x < rect.right; x++)
                if (Pixel(x, y) == clr) n++;
        return n;
    }
};
