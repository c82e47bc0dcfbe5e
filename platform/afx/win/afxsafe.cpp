// afxsafe.cpp - the handle accessors that accept a NULL object pointer.
//
// Code of this library's kind calls pWnd->GetSafeHwnd() or
// pFont->GetSafeHandle() on pointers that may be NULL. The compiler may
// otherwise assume `this` is never NULL and drop the test, so this file is
// compiled without that assumption and the accessors are kept out of line.
#pragma GCC optimize("no-delete-null-pointer-checks")
#include "afxwin.h"

HGDIOBJ CGdiObject::GetSafeHandle() const { return this == NULL ? NULL : m_hObject; }
CGdiObject::operator HGDIOBJ() const { return this == NULL ? NULL : m_hObject; }
HDC CDC::GetSafeHdc() const { return this == NULL ? NULL : m_hDC; }
CDC::operator HDC() const { return this == NULL ? NULL : m_hDC; }
HWND CWnd::GetSafeHwnd() const { return this == NULL ? NULL : m_hWnd; }
CWnd::operator HWND() const { return this == NULL ? NULL : m_hWnd; }
HMENU CMenu::GetSafeHmenu() const { return this == NULL ? NULL : m_hMenu; }
CMenu::operator HMENU() const { return this == NULL ? NULL : m_hMenu; }
