// afx.h - the non-window core of the class library, in one include:
//   afxdefs.h    Win32 headers, ASSERT/VERIFY/TRACE, POSITION
//   afxstr.h     CString, AfxExtractSubString, AfxLoadString
//   afxobj.h     CRuntimeClass, CObject, DYNAMIC/DYNCREATE/SERIAL macros
//   afxexcept.h  CException and its kinds, AfxThrow..., TRY/CATCH
//   afxfile.h    CFile, CMemFile, CSharedFile, CFileFind, AfxFullPath
//   afxarchive.h CArchive
// Collections: afxcoll.h (non-template) and afxtempl.h (templates).
#pragma once
#include "afxdefs.h"
#include "afxstr.h"
#include "afxobj.h"
#include "afxexcept.h"
#include "afxfile.h"
#include "afxarchive.h"
