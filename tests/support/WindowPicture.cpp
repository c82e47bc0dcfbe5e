// WindowPicture.cpp - writes what a window shows to a BMP file.
#include "WindowPicture.h"

#include <stdio.h>

BOOL WriteWindowBitmap(HWND hwnd, const char* pszPath, BOOL bWholeWindow) {
    CRect rect;
    if (bWholeWindow) {
        ::GetWindowRect(hwnd, &rect);
        rect.OffsetRect(-rect.left, -rect.top);
    } else {
        ::GetClientRect(hwnd, &rect);
    }
    HDC hdcWnd = bWholeWindow ? ::GetWindowDC(hwnd) : ::GetDC(hwnd);
    HDC hdcMem = ::CreateCompatibleDC(hdcWnd);
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = rect.Width();
    bih.biHeight = rect.Height();
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    void* pBits = NULL;
    HBITMAP hbm = ::CreateDIBSection(hdcWnd, (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
    ::BitBlt(hdcMem, 0, 0, rect.Width(), rect.Height(), hdcWnd, 0, 0, SRCCOPY);
    ::GdiFlush();
    const DWORD cbImage = ((rect.Width() * 3 + 3) & ~3) * rect.Height();
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
    ::ReleaseDC(hwnd, hdcWnd);
    return bOK;
}
