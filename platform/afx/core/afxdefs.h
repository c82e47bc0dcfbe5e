// afxdefs.h - ground shared by every header of the class library:
// the Win32 headers, ASSERT/VERIFY/TRACE and the POSITION type.
#pragma once


#include <windows.h>
#include <tchar.h>
#include <stdarg.h>
#include <stddef.h>

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif
#ifndef AFX_API
#define AFX_API
#endif
#ifndef AFX_DATA
#define AFX_DATA
#endif

// Diagnostics. ASSERT and TRACE cost nothing unless _DEBUG is defined;
// VERIFY always evaluates its argument.
void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);
void __cdecl AfxTrace(LPCTSTR lpszFormat, ...);

#ifdef _DEBUG
#define ASSERT(f) ((f) ? (void)0 : ::AfxAssertFailedLine(__FILE__, __LINE__))
#define VERIFY(f) ASSERT(f)
#define TRACE ::AfxTrace
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define TRACE(...) ((void)0)
#endif
#define TRACE0(sz) TRACE(_T("%s"), _T(sz))
#define TRACE1(sz, p1) TRACE(_T(sz), p1)
#define TRACE2(sz, p1, p2) TRACE(_T(sz), p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(_T(sz), p1, p2, p3)
#define ASSERT_VALID(p) ((void)0)
#define ASSERT_POINTER(p, type) ASSERT((p) != NULL)
#define ASSERT_NULL_OR_POINTER(p, type) ((void)0)
#define DEBUG_ONLY(f) ((void)0)
// no debugging allocator: code written with DEBUG_NEW gets plain new
#define DEBUG_NEW new
#define UNUSED(x) ((void)(x))
#define UNUSED_ALWAYS(x) ((void)(x))

// Iteration handle of the lists and maps.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)(INT_PTR)-1)

class CArchive;
class CObject;
class CString;
struct CRuntimeClass;
