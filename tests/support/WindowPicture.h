// WindowPicture.h - writes what a window shows to a 24-bit BMP file, for the
// screenshots of the docs and for looking at a failed drawing test.
#pragma once
#include "afxwin.h"

// The window's client area, or with bWholeWindow its frame and caption too.
BOOL WriteWindowBitmap(HWND hwnd, const char* pszPath, BOOL bWholeWindow = FALSE);
// What the screen shows in the rectangle (windows over windows: a menu
// with its submenus).
BOOL WriteScreenBitmap(const RECT& rectScreen, const char* pszPath);
