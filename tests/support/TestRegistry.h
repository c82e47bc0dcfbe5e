// TestRegistry.h - raw access to keys below HKEY_CURRENT_USER for tests that
// check what the code under test stored. Paths may end with '\' (as the UI
// library's registry paths do); the trailing '\' is ignored.
#pragma once
#include "afxwin.h"

#include <vector>

namespace twtest {

inline CString RegSubKey(LPCTSTR path) {
    CString s = path;
    if (s.Right(1) == "\\") s = s.Left(s.GetLength() - 1);
    return s;
}

inline void DeleteRegTree(LPCTSTR path) { ::RegDeleteTreeA(HKEY_CURRENT_USER, RegSubKey(path)); }

inline bool RegKeyExists(LPCTSTR path) {
    HKEY h;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, RegSubKey(path), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    ::RegCloseKey(h);
    return true;
}

// A value's bytes (empty when missing) and its type.
inline std::vector<BYTE> ReadRegValue(LPCTSTR path, LPCTSTR name, DWORD* pType = nullptr) {
    std::vector<BYTE> bytes;
    DWORD type = REG_NONE;
    HKEY h;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, RegSubKey(path), 0, KEY_READ, &h) == ERROR_SUCCESS) {
        DWORD cb = 0;
        if (::RegQueryValueExA(h, name, NULL, &type, NULL, &cb) == ERROR_SUCCESS) {
            bytes.resize(cb);
            if (cb > 0) ::RegQueryValueExA(h, name, NULL, &type, bytes.data(), &cb);
        }
        ::RegCloseKey(h);
    }
    if (pType) *pType = type;
    return bytes;
}

// Creates the key as needed; FALSE when it could not be written.
inline bool WriteRegValue(LPCTSTR path, LPCTSTR name, const void* pData, DWORD cb, DWORD type) {
    HKEY h;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, RegSubKey(path), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &h, NULL) !=
        ERROR_SUCCESS)
        return false;
    const bool bOK = ::RegSetValueExA(h, name, 0, type, (const BYTE*)pData, cb) == ERROR_SUCCESS;
    ::RegCloseKey(h);
    return bOK;
}

inline bool WriteRegValue(LPCTSTR path, LPCTSTR name, const std::vector<BYTE>& bytes, DWORD type = REG_BINARY) {
    return WriteRegValue(path, name, bytes.data(), (DWORD)bytes.size(), type);
}

// A DWORD value, or -1 when missing or of another type.
inline long long ReadRegDword(LPCTSTR path, LPCTSTR name) {
    DWORD type = REG_NONE;
    const std::vector<BYTE> bytes = ReadRegValue(path, name, &type);
    if (type != REG_DWORD || bytes.size() != sizeof(DWORD)) return -1;
    return (long long)*(const DWORD*)bytes.data();
}

inline bool WriteRegDword(LPCTSTR path, LPCTSTR name, DWORD value) {
    return WriteRegValue(path, name, &value, sizeof(value), REG_DWORD);
}

}  // namespace twtest
