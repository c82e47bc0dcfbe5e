// Helpers of the docking tests: hidden library frames, bars in them, and
// raw access to this program's own registry key.
#pragma once
#include "afxwin.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "SPBaseControlBar.h"
#include "SPFrameWnd.h"

namespace docktest {

// This program's key for states saved with an explicit profile path.
inline CString ProfilePath(LPCTSTR sub) {
    CString s = "Software\\TomewiseTests\\uilib_docking\\";
    s += sub;
    if (s.Right(1) != "\\") s += "\\";
    return s;
}

inline void DeleteTree(LPCTSTR path) {
    CString s = path;
    if (s.Right(1) == "\\") s = s.Left(s.GetLength() - 1);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, s);
}

inline bool KeyExists(LPCTSTR path) {
    HKEY h;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    ::RegCloseKey(h);
    return true;
}

// A DWORD value, or -1 when missing.
inline long long ReadDword(LPCTSTR path, LPCTSTR name) {
    HKEY h;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &h) != ERROR_SUCCESS) return -1;
    DWORD type = 0, value = 0, cb = sizeof(value);
    LONG r = ::RegQueryValueExA(h, name, NULL, &type, (LPBYTE)&value, &cb);
    ::RegCloseKey(h);
    return r == ERROR_SUCCESS && type == REG_DWORD ? (long long)value : -1;
}

inline void WriteDword(LPCTSTR path, LPCTSTR name, DWORD value) {
    HKEY h;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &h, NULL),
              ERROR_SUCCESS);
    ::RegSetValueExA(h, name, 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
    ::RegCloseKey(h);
}

// A hidden library frame; the window deletes the object when destroyed.
inline CSPFrameWnd* MakeFrame() {
    CSPFrameWnd* pFrame = new CSPFrameWnd;
    if (!pFrame->Create(NULL, _T("docking test"), WS_OVERLAPPEDWINDOW, CRect(50, 50, 650, 450))) return NULL;
    return pFrame;
}

inline LPCTSTR BarClass() { return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW)); }

}  // namespace docktest
