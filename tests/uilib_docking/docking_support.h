// Helpers of the docking tests: hidden library frames, bars in them, and
// raw access to this program's own registry key.
#pragma once
#include "afxwin.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "SPBaseControlBar.h"
#include "SPFrameWnd.h"
#include "TestRegistry.h"

namespace docktest {

// This program's key for states saved with an explicit profile path.
inline CString ProfilePath(LPCTSTR sub) {
    CString s = "Software\\TomewiseTests\\uilib_docking\\";
    s += sub;
    if (s.Right(1) != "\\") s += "\\";
    return s;
}

// The shared registry helpers under the names these tests use.
inline void DeleteTree(LPCTSTR path) { ::DeleteRegTree(path); }
inline bool KeyExists(LPCTSTR path) { return ::RegKeyExists(path); }
// A DWORD value, or -1 when missing.
inline long long ReadDword(LPCTSTR path, LPCTSTR name) { return ::ReadRegDword(path, name); }
inline void WriteDword(LPCTSTR path, LPCTSTR name, DWORD value) {
    ASSERT_TRUE(::WriteRegDword(path, name, value));
}

// A hidden library frame; the window deletes the object when destroyed.
inline CSPFrameWnd* MakeFrame() {
    CSPFrameWnd* pFrame = new CSPFrameWnd;
    if (!pFrame->Create(NULL, _T("docking test"), WS_OVERLAPPEDWINDOW, CRect(50, 50, 650, 450))) return NULL;
    return pFrame;
}

inline LPCTSTR BarClass() { return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW)); }

}  // namespace docktest
