// WindowPicture.cpp - writes what a window shows to a BMP file.
#include "WindowPicture.h"

#include <stdio.h>

// The rectangle of the device context, from (x, y), as a 24-bit BMP file.
static BOOL WriteDCBitmap(HDC hdcSource, int x, int y, int cx, int cy, const char* pszPath) {
    HDC hdcMem = ::CreateCompatibleDC(hdcSource);
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = cx;
    bih.biHeight = cy;
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    void* pBits = NULL;
    HBITMAP hbm = ::CreateDIBSection(hdcSource, (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
    ::BitBlt(hdcMem, 0, 0, cx, cy, hdcSource, x, y, SRCCOPY);
    ::GdiFlush();
    const DWORD cbImage = ((cx * 3 + 3) & ~3) * cy;
    BITMAPFILEHEADER bfh = {};
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
    bfh.bfSize = bfh.bfOffBits + cbImage;
    BOOL bOK = FALSE;
    if (FILE* f = fopen(pszPath, "wb")) {
        bOK = fwrite(&bfh, sizeof(bfh), 1, f) == 1 && fwrite(&bih, sizeof(bih), 1, f) == 1 &&
              fwrite(pBits, 1, cbImage, f) == cbImage;
        fclose(f);
    }
    ::SelectObject(hdcMem, hOld);
    ::DeleteObject(hbm);
    ::DeleteDC(hdcMem);
    return bOK;
}

BOOL WriteWindowBitmap(HWND hwnd, const char* pszPath, BOOL bWholeWindow) {
    CRect rect;
    if (bWholeWindow) {
        ::GetWindowRect(hwnd, &rect);
        rect.OffsetRect(-rect.left, -rect.top);
    } else {
        ::GetClientRect(hwnd, &rect);
    }
    HDC hdcWnd = bWholeWindow ? ::GetWindowDC(hwnd) : ::GetDC(hwnd);
    const BOOL bOK = WriteDCBitmap(hdcWnd, 0, 0, rect.Width(), rect.Height(), pszPath);
    ::ReleaseDC(hwnd, hdcWnd);
    return bOK;
}

BOOL WriteScreenBitmap(const RECT& rectScreen, const char* pszPath) {
    HDC hdcScreen = ::GetDC(NULL);
    const BOOL bOK = WriteDCBitmap(hdcScreen, rectScreen.left, rectScreen.top, rectScreen.right - rectScreen.left,
                                   rectScreen.bottom - rectScreen.top, pszPath);
    ::ReleaseDC(NULL, hdcScreen);
    return bOK;
}
