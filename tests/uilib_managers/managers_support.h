// Helpers of the manager tests: this program's own registry key and temp
// folder (other test programs share the registry and the temp folder and
// run at the same time), and archive images built by hand. Raw registry
// access is the shared TestRegistry.h.
#pragma once
#include "afxwin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestRegistry.h"

namespace mgrtest {


// Key paths below HKCU; each ends with '\' as SPGetRegPath's results do.
inline CString Key(LPCTSTR sub) {
    CString s = "Software\\TomewiseTests\\uilib_managers\\";
    s += sub;
    if (s.Right(1) != "\\") s += "\\";
    return s;
}

// Little-endian image builder.
struct Bytes {
    std::vector<BYTE> v;
    Bytes& b(BYTE x) { v.push_back(x); return *this; }
    Bytes& w(WORD x) { b((BYTE)x); return b((BYTE)(x >> 8)); }
    Bytes& d(DWORD x) { w((WORD)x); return w((WORD)(x >> 16)); }
    Bytes& s(const char* str) {  // archive string, short form
        size_t n = strlen(str);
        b((BYTE)n);
        for (size_t i = 0; i < n; i++) b((BYTE)str[i]);
        return *this;
    }
};

// A folder of this program's own under the system temp folder.
inline CString TempFolder() {
    char sz[MAX_PATH];
    ::GetTempPathA(MAX_PATH, sz);
    CString s = sz;
    s += "tw_uilib_managers_";
    CString pid;
    pid.Format("%lu\\", ::GetCurrentProcessId());
    s += pid;
    ::CreateDirectoryA(s, NULL);
    return s;
}

inline int CountFiles(LPCTSTR folder, LPCTSTR pattern = "*") {
    CString s = folder;
    s += pattern;
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA(s, &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) n++;
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
    return n;
}

}  // namespace mgrtest
