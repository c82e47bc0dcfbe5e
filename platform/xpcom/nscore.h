// nscore.h - basic types, result codes and declaration macros of the
// component kit.
//
// Contents: PRInt32 and friends, nsresult with the NS_* codes and the
// NS_FAILED / NS_SUCCEEDED tests, the NS_IMETHOD family of macros.
//
// Standard C++ only: the kit's headers build natively as well as for Windows.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int32_t PRInt32;
typedef uint32_t PRUint32;
typedef int16_t PRInt16;
typedef uint16_t PRUint16;
typedef uint8_t PRUint8;
typedef int PRBool;        // 0 = false, nonzero = true
typedef char16_t PRUnichar;  // one UTF-16 code unit
typedef uint32_t nsresult;
typedef uint32_t nsrefcnt;

#define PR_TRUE 1
#define PR_FALSE 0

// Interfaces use the platform's standard calling convention. On x64 Windows
// there is only one, and the attribute is ignored.
#if defined(_WIN32) && !defined(_WIN64)
#define NS_STDCALL __stdcall
#else
#define NS_STDCALL
#endif

#define NS_IMETHOD virtual nsresult NS_STDCALL
#define NS_IMETHOD_(type) virtual type NS_STDCALL
#define NS_IMETHODIMP nsresult NS_STDCALL
#define NS_IMETHODIMP_(type) type NS_STDCALL

// ---- Result codes ---------------------------------------------------------
// Bit 31 set = failure.
#define NS_FAILED(rv) (((nsresult)(rv)) & 0x80000000u)
#define NS_SUCCEEDED(rv) (!NS_FAILED(rv))

#define NS_OK                            ((nsresult)0x00000000u)
#define NS_ERROR_NOT_IMPLEMENTED         ((nsresult)0x80004001u)
#define NS_NOINTERFACE                   ((nsresult)0x80004002u)
#define NS_ERROR_NO_INTERFACE            NS_NOINTERFACE
#define NS_ERROR_NULL_POINTER            ((nsresult)0x80004003u)
#define NS_ERROR_INVALID_POINTER         NS_ERROR_NULL_POINTER
#define NS_ERROR_ABORT                   ((nsresult)0x80004004u)
#define NS_ERROR_FAILURE                 ((nsresult)0x80004005u)
#define NS_ERROR_UNEXPECTED              ((nsresult)0x8000FFFFu)
#define NS_ERROR_OUT_OF_MEMORY           ((nsresult)0x8007000Eu)
#define NS_ERROR_INVALID_ARG             ((nsresult)0x80070057u)
#define NS_ERROR_ILLEGAL_VALUE           NS_ERROR_INVALID_ARG
#define NS_ERROR_NO_AGGREGATION          ((nsresult)0x80040110u)
#define NS_ERROR_NOT_AVAILABLE           ((nsresult)0x80040111u)
#define NS_ERROR_FACTORY_NOT_REGISTERED  ((nsresult)0x80040154u)
#define NS_ERROR_FACTORY_EXISTS          ((nsresult)0x8004000Cu)
// The kit's own module codes.
#define NS_ERROR_BASE                    ((nsresult)0xC1F30000u)
#define NS_ERROR_NOT_INITIALIZED         ((nsresult)0xC1F30001u)
#define NS_ERROR_ALREADY_INITIALIZED     ((nsresult)0xC1F30002u)
// Network and file codes.
#define NS_ERROR_MALFORMED_URI           ((nsresult)0x804B000Au)
#define NS_ERROR_UNKNOWN_PROTOCOL        ((nsresult)0x804B0012u)
#define NS_ERROR_FILE_NOT_FOUND          ((nsresult)0x80520012u)
#define NS_ERROR_FILE_ACCESS_DENIED      ((nsresult)0x80520015u)
#define NS_ERROR_FILE_CORRUPTED          ((nsresult)0x8052000Bu)

#define NS_ENSURE_ARG_POINTER(p) \
  do { if (!(p)) return NS_ERROR_NULL_POINTER; } while (0)
