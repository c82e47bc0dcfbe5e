// TestRegistry.cpp - a test program's own keys under HKEY_CURRENT_USER.
#include "TestRegistry.h"

#include <string.h>

namespace {

std::string KeyPath(LPCSTR path) {
    std::string s = path ? path : "";
    while (!s.empty() && s.back() == '\\') s.pop_back();
    return s;
}

// The key opened for reading, closed on leaving.
struct OpenKey {
    explicit OpenKey(LPCSTR path) {
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(path).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
            h = NULL;
    }
    ~OpenKey() {
        if (h) ::RegCloseKey(h);
    }
    HKEY h = NULL;
};

}  // namespace

void DeleteRegTree(LPCSTR path) { ::RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath(path).c_str()); }

bool RegKeyExists(LPCSTR path) { return OpenKey(path).h != NULL; }

int CountRegValues(LPCSTR path) {
    OpenKey key(path);
    DWORD n = 0;
    if (!key.h ||
        ::RegQueryInfoKeyA(key.h, NULL, NULL, NULL, NULL, NULL, NULL, &n, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
        return 0;
    return (int)n;
}

std::vector<BYTE> ReadRegRaw(LPCSTR path, LPCSTR name, DWORD* pType) {
    std::vector<BYTE> bytes;
    DWORD type = 0, cb = 0;
    OpenKey key(path);
    if (key.h && ::RegQueryValueExA(key.h, name, NULL, &type, NULL, &cb) == ERROR_SUCCESS) {
        bytes.resize(cb);
        if (::RegQueryValueExA(key.h, name, NULL, &type, bytes.data(), &cb) != ERROR_SUCCESS) bytes.clear();
        bytes.resize(cb);
    }
    if (pType) *pType = type;
    return bytes;
}

long long ReadRegDword(LPCSTR path, LPCSTR name) {
    DWORD type = 0;
    std::vector<BYTE> bytes = ReadRegRaw(path, name, &type);
    if (type != REG_DWORD || bytes.size() != sizeof(DWORD)) return -1;
    DWORD value;
    memcpy(&value, bytes.data(), sizeof value);
    return value;
}

std::string ReadRegString(LPCSTR path, LPCSTR name) {
    DWORD type = 0;
    std::vector<BYTE> bytes = ReadRegRaw(path, name, &type);
    if (type != REG_SZ || bytes.empty()) return "<missing>";
    std::string s(bytes.begin(), bytes.end());
    s.resize(strnlen(s.c_str(), s.size()));
    return s;
}

bool WriteRegRaw(LPCSTR path, LPCSTR name, DWORD type, const void* data, DWORD cb) {
    HKEY h;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath(path).c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &h,
                          NULL) != ERROR_SUCCESS)
        return false;
    LONG r = ::RegSetValueExA(h, name, 0, type, (const BYTE*)data, cb);
    ::RegCloseKey(h);
    return r == ERROR_SUCCESS;
}

bool WriteRegDword(LPCSTR path, LPCSTR name, DWORD value) {
    return WriteRegRaw(path, name, REG_DWORD, &value, sizeof value);
}
