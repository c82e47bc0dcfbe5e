// SPShellManager.h - the shell's allocator, item-id-list arithmetic and the
// folder browser.
//
//   CSPShellManager   one per process (g_pShellManager, set by the
//                     constructor and cleared by the destructor)
//
// An item-id list is a run of items, each starting with its 16-bit byte
// count (the count included), ended by a 16-bit zero. Every list the manager
// hands out comes from the shell allocator and goes back through FreeItem.
#pragma once
#include "afxwin.h"

#include <shlobj.h>

class CSPShellManager : public CObject {
public:
    CSPShellManager();
    virtual ~CSPShellManager();

    // The shell's folder browser, opened with lpszInitialFolder selected when
    // one is given. TRUE with the chosen folder (and its image index when
    // asked); FALSE when cancelled or when the choice is no file-system
    // folder (strOutFolder is then left alone).
    BOOL BrowseForFolder(CString& strOutFolder, CWnd* pWndParent = NULL, LPCTSTR lplszInitialFolder = NULL,
                         LPCTSTR lpszTitle = NULL, UINT ulFlags = 0, int* piFolderImage = NULL);

    // The item after pItem; NULL for NULL and for the terminator.
    LPITEMIDLIST GetNextItem(LPCITEMIDLIST pItem);
    UINT GetItemCount(LPCITEMIDLIST pidl);  // items before the terminator; 0 for NULL
    UINT GetItemSize(LPCITEMIDLIST pidl);   // bytes with the terminator; 2 when empty, 0 for NULL
    LPITEMIDLIST CreateItem(UINT cbSize);   // zero-filled; NULL on failure
    void FreeItem(LPITEMIDLIST pidl);       // NULL ignored
    LPITEMIDLIST CopyItem(LPCITEMIDLIST pidl);  // NULL for NULL
    // pidl1's items followed by pidl2's; either may be NULL (no items).
    LPITEMIDLIST ConcatenateItem(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2);
    // The desktop's parse of a file-system path; E_INVALIDARG for NULL.
    HRESULT ItemFromPath(LPCTSTR lpszPath, LPITEMIDLIST& pidl);
    // -1 for a NULL or empty list (lpidlParent NULL). A one-item list's
    // parent is the desktop (0); else a new list of all items but the last,
    // and the parent's item count.
    int GetParentItem(LPCITEMIDLIST lpidl, LPITEMIDLIST& lpidlParent);

    // Test seam: the shell call that shows the browser (SHBrowseForFolder).
    typedef LPITEMIDLIST(WINAPI* PFNSHBROWSEFORFOLDER)(LPBROWSEINFO lpbi);
    static PFNSHBROWSEFORFOLDER s_pfnSHBrowseForFolder;

protected:
    static int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

    LPMALLOC m_pMalloc;
    LPCTSTR m_lpszInitialPath;  // only while BrowseForFolder runs
};

extern CSPShellManager* g_pShellManager;
