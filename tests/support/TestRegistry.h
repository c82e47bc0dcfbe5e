// TestRegistry.h - a test program's own keys under HKEY_CURRENT_USER.
//
// Paths are below HKEY_CURRENT_USER ("Software\\TomewiseTests\\..."); a
// trailing '\' (as the registry path helpers of the UI library return them)
// is ignored.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Deletes the key with everything below it; a missing key is no error.
void DeleteRegTree(LPCSTR path);
bool RegKeyExists(LPCSTR path);
// Number of values of the key (not of its subkeys); 0 when missing.
int CountRegValues(LPCSTR path);

// A value's bytes and type; empty when the key or the value is missing.
std::vector<BYTE> ReadRegRaw(LPCSTR path, LPCSTR name, DWORD* pType = nullptr);
// A REG_DWORD value, or -1 when missing or of another type.
long long ReadRegDword(LPCSTR path, LPCSTR name);
// A REG_SZ value, or "<missing>" when missing or of another type.
std::string ReadRegString(LPCSTR path, LPCSTR name);

// Creates the key when missing and stores the value; false when that failed.
bool WriteRegRaw(LPCSTR path, LPCSTR name, DWORD type, const void* data, DWORD cb);
inline bool WriteRegRaw(LPCSTR path, LPCSTR name, const std::vector<BYTE>& bytes, DWORD type = REG_BINARY) {
    return WriteRegRaw(path, name, type, bytes.data(), (DWORD)bytes.size());
}
bool WriteRegDword(LPCSTR path, LPCSTR name, DWORD value);
