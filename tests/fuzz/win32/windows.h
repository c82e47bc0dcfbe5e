// windows.h - a native stand-in for the few Win32 declarations the class
// library's core (objects, strings, collections, archives, memory files)
// uses, so that its readers of stored state can be fuzzed natively. Types
// have their Windows sizes, and LONG and DWORD stay types of their own as
// they are on Windows (where long is 32 bits), so that the overloads for
// int, UINT, LONG and DWORD stay apart: here they are the 32-bit character
// types, which are distinct and of that size. The functions are
// enough for memory files and strings: file handles, resources and the like
// always fail here.
#pragma once

#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#define WINAPI
#define __stdcall
#define __cdecl
#define PASCAL
#define CALLBACK

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef char32_t DWORD;
typedef wchar_t LONG;
static_assert(sizeof(DWORD) == 4 && sizeof(LONG) == 4 && LONG(-1) < 0, "Windows sizes");
typedef uint32_t ULONG;
typedef unsigned int UINT;
typedef int INT;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef size_t SIZE_T;
typedef char CHAR;
typedef char16_t WCHAR;
typedef char TCHAR;
typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef TCHAR* LPTSTR;
typedef const TCHAR* LPCTSTR;
typedef BYTE* LPBYTE;
typedef UINT* PUINT;
typedef DWORD* LPDWORD;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef void* HANDLE;
typedef void* HGLOBAL;
typedef void* HINSTANCE;
typedef void* HMODULE;
typedef void* HRSRC;
typedef void* HWND;
typedef LONG HRESULT;
typedef LONG SCODE;
typedef WCHAR* BSTR;

#define TRUE 1
#define FALSE 0
#define MAX_PATH 260
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
#define MAKEINTRESOURCE(i) ((LPSTR)(ULONG_PTR)(WORD)(i))
#define IS_INTRESOURCE(p) ((((ULONG_PTR)(p)) >> 16) == 0)
#define RT_STRING MAKEINTRESOURCE(6)
#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define CP_ACP 0
#define MB_OK 0
#define S_OK ((HRESULT)0)
#define E_NOTIMPL ((HRESULT)0x80004001L)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_UNEXPECTED ((HRESULT)0x8000FFFFL)
#define GMEM_MOVEABLE 0x0002
#define GMEM_DDESHARE 0x2000
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 1
#define FILE_SHARE_WRITE 2
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define FILE_TYPE_DISK 1
#define FILE_ATTRIBUTE_READONLY 0x01
#define FILE_ATTRIBUTE_HIDDEN 0x02
#define FILE_ATTRIBUTE_DIRECTORY 0x10
#define FILE_ATTRIBUTE_NORMAL 0x80
#define DUPLICATE_SAME_ACCESS 2
#define NO_ERROR 0
#define ERROR_INVALID_FUNCTION 1
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_PATH_NOT_FOUND 3
#define ERROR_TOO_MANY_OPEN_FILES 4
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_INVALID_DRIVE 15
#define ERROR_CURRENT_DIRECTORY 16
#define ERROR_WRITE_PROTECT 19
#define ERROR_CRC 23
#define ERROR_SEEK 25
#define ERROR_SECTOR_NOT_FOUND 27
#define ERROR_WRITE_FAULT 29
#define ERROR_READ_FAULT 30
#define ERROR_GEN_FAILURE 31
#define ERROR_SHARING_VIOLATION 32
#define ERROR_LOCK_VIOLATION 33
#define ERROR_HANDLE_EOF 38
#define ERROR_BAD_NETPATH 53
#define ERROR_FILE_EXISTS 80
#define ERROR_CANNOT_MAKE 82
#define ERROR_BROKEN_PIPE 109
#define ERROR_DISK_FULL 112
#define ERROR_INVALID_NAME 123
#define ERROR_NEGATIVE_SEEK 131
#define ERROR_BAD_PATHNAME 161
#define ERROR_LOCK_FAILED 167
#define ERROR_ALREADY_EXISTS 183
#define ERROR_FILENAME_EXCED_RANGE 206
#define ERROR_DIRECTORY 267
#define ERROR_HANDLE_DISK_FULL 39

struct RECT {
  LONG left, top, right, bottom;
};
struct POINT {
  LONG x, y;
};
struct SIZE {
  LONG cx, cy;
};
struct FILETIME {
  DWORD dwLowDateTime, dwHighDateTime;
};
union LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  } u;
  LONGLONG QuadPart;
};
struct SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
};
struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime, ftLastAccessTime, ftLastWriteTime;
  DWORD nFileSizeHigh, nFileSizeLow, dwReserved0, dwReserved1;
  CHAR cFileName[MAX_PATH];
  CHAR cAlternateFileName[14];
};
typedef WIN32_FIND_DATAA WIN32_FIND_DATA;

// Last error, per thread as on Windows.
inline DWORD& TwShimLastError() {
  static thread_local DWORD error = 0;
  return error;
}
inline DWORD GetLastError() { return TwShimLastError(); }
inline void SetLastError(DWORD e) { TwShimLastError() = e; }
inline BOOL TwShimFail(DWORD e = ERROR_INVALID_FUNCTION) {
  SetLastError(e);
  return FALSE;
}

// Files: there are none.
inline HANDLE CreateFileA(LPCSTR, DWORD, DWORD, SECURITY_ATTRIBUTES*, DWORD, DWORD, HANDLE) {
  SetLastError(ERROR_FILE_NOT_FOUND);
  return INVALID_HANDLE_VALUE;
}
#define CreateFile CreateFileA
inline BOOL CloseHandle(HANDLE) { return TRUE; }
inline BOOL ReadFile(HANDLE, LPVOID, DWORD, LPDWORD, void*) { return TwShimFail(ERROR_INVALID_HANDLE); }
inline BOOL WriteFile(HANDLE, LPCVOID, DWORD, LPDWORD, void*) { return TwShimFail(ERROR_INVALID_HANDLE); }
inline BOOL FlushFileBuffers(HANDLE) { return TwShimFail(ERROR_INVALID_HANDLE); }
inline BOOL SetEndOfFile(HANDLE) { return TwShimFail(ERROR_INVALID_HANDLE); }
inline BOOL SetFilePointerEx(HANDLE, LARGE_INTEGER, LARGE_INTEGER*, DWORD) { return TwShimFail(ERROR_INVALID_HANDLE); }
inline BOOL GetFileSizeEx(HANDLE, LARGE_INTEGER*) { return TwShimFail(ERROR_INVALID_HANDLE); }
inline DWORD GetFileType(HANDLE) { return 0; }
inline BOOL GetFileTime(HANDLE, FILETIME*, FILETIME*, FILETIME*) { return TwShimFail(ERROR_INVALID_HANDLE); }
inline HANDLE GetCurrentProcess() { return nullptr; }
inline BOOL DuplicateHandle(HANDLE, HANDLE, HANDLE, HANDLE*, DWORD, BOOL, DWORD) {
  return TwShimFail(ERROR_INVALID_HANDLE);
}
inline BOOL DeleteFileA(LPCSTR) { return TwShimFail(ERROR_FILE_NOT_FOUND); }
#define DeleteFile DeleteFileA
inline BOOL MoveFileA(LPCSTR, LPCSTR) { return TwShimFail(ERROR_FILE_NOT_FOUND); }
#define MoveFile MoveFileA
inline DWORD GetFullPathNameA(LPCSTR, DWORD, LPSTR, LPSTR*) { return TwShimFail(ERROR_BAD_PATHNAME); }
#define GetFullPathName GetFullPathNameA
inline HANDLE FindFirstFileA(LPCSTR, WIN32_FIND_DATAA*) {
  SetLastError(ERROR_FILE_NOT_FOUND);
  return INVALID_HANDLE_VALUE;
}
#define FindFirstFile FindFirstFileA
inline BOOL FindNextFileA(HANDLE, WIN32_FIND_DATAA*) { return TwShimFail(ERROR_FILE_NOT_FOUND); }
#define FindNextFile FindNextFileA
inline BOOL FindClose(HANDLE) { return TRUE; }

// Global memory: malloc blocks with their size in front.
inline HGLOBAL GlobalAlloc(UINT, SIZE_T n) {
  SIZE_T* p = static_cast<SIZE_T*>(std::calloc(1, sizeof(SIZE_T) + (n ? n : 1)));
  if (!p) return nullptr;
  *p = n;
  return p;
}
inline HGLOBAL GlobalReAlloc(HGLOBAL h, SIZE_T n, UINT) {
  SIZE_T* p = static_cast<SIZE_T*>(std::realloc(h, sizeof(SIZE_T) + (n ? n : 1)));
  if (!p) return nullptr;
  *p = n;
  return p;
}
inline SIZE_T GlobalSize(HGLOBAL h) { return h ? *static_cast<SIZE_T*>(h) : 0; }
inline LPVOID GlobalLock(HGLOBAL h) { return h ? static_cast<SIZE_T*>(h) + 1 : nullptr; }
inline BOOL GlobalUnlock(HGLOBAL) { return TRUE; }
inline HGLOBAL GlobalFree(HGLOBAL h) {
  std::free(h);
  return nullptr;
}

// Resources and modules: none.
inline HMODULE GetModuleHandleA(LPCSTR) { return nullptr; }
#define GetModuleHandle GetModuleHandleA
inline HRSRC FindResourceA(HMODULE, LPCSTR, LPCSTR) { return nullptr; }
#define FindResource FindResourceA
inline HGLOBAL LoadResource(HMODULE, HRSRC) { return nullptr; }
inline LPVOID LockResource(HGLOBAL) { return nullptr; }
inline DWORD SizeofResource(HMODULE, HRSRC) { return 0; }

inline void OutputDebugStringA(LPCSTR) {}
inline LPSTR lstrcpynA(LPSTR d, LPCSTR s, int n) {
  if (n <= 0) return d;
  std::strncpy(d, s, size_t(n - 1));
  d[n - 1] = 0;
  return d;
}
#define lstrcpyn lstrcpynA
inline int MessageBoxA(HWND, LPCSTR, LPCSTR, UINT) { return 1; }
#define MessageBox MessageBoxA

// Code pages: ASCII only, one byte to one unit.
inline int MultiByteToWideChar(UINT, DWORD, LPCSTR s, int n, LPWSTR out, int room) {
  if (n < 0) n = static_cast<int>(std::strlen(s)) + 1;
  if (!out || room == 0) return n;
  if (room < n) return TwShimFail(122);
  for (int i = 0; i < n; ++i) out[i] = static_cast<unsigned char>(s[i]);
  return n;
}
inline int WideCharToMultiByte(UINT, DWORD, LPCWSTR s, int n, LPSTR out, int room, LPCSTR, BOOL*) {
  if (n < 0) {
    n = 0;
    while (s[n]) ++n;
    ++n;
  }
  if (!out || room == 0) return n;
  if (room < n) return TwShimFail(122);
  for (int i = 0; i < n; ++i) out[i] = s[i] < 0x80 ? char(s[i]) : '?';
  return n;
}

// BSTR: length-prefixed, as the system allocates them.
inline BSTR SysAllocStringLen(const WCHAR* s, UINT n) {
  uint32_t* p = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) + (n + 1) * sizeof(WCHAR)));
  if (!p) return nullptr;
  *p = n * sizeof(WCHAR);
  BSTR b = reinterpret_cast<BSTR>(p + 1);
  if (s) std::memcpy(b, s, n * sizeof(WCHAR));
  b[n] = 0;
  return b;
}
