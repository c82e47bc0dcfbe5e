// ShellFiles.h - the file and folder helpers of the shell's commands:
//   ShowFileDialog    the open (mode 0) or save (mode 1) dialog
//   DeleteFolderTree  removes a folder with everything in it
//   UpdateMainTitle   "Tomewise 1.1", or with the open CHM's path
//   CFolderPicker     the shell's folder dialog
#pragma once

#include "afxwin.h"

// Shows the file dialog with `lpszDefName` ("*.chm") as the first name and
// its extension alone as the default extension. The buffer holds 1024
// characters; FALSE when cancelled or for another mode.
BOOL ShowFileDialog(HWND hOwner, LPCTSTR lpszDefName, LPCTSTR lpszFilter, LPCTSTR lpszTitle, LPTSTR pszBuffer,
                    int nMode);
// Deletes every file and sub-folder, then the folder; whether the folder
// went. Paths of any length.
BOOL DeleteFolderTree(LPCTSTR lpszFolder);
void UpdateMainTitle();

// The file name of a path: the text after its last '\' (or '/').
CString PathFileName(LPCTSTR lpszPath);

class CFolderPicker {
public:
    CFolderPicker();
    virtual ~CFolderPicker();

    // Shows the folder dialog; TRUE with m_strResult set when the user chose
    // a file-system folder.
    BOOL Browse();

    CString m_strResult;
    CString m_strRoot;
    CString m_strInitial;
    CString m_strTitle;
    int m_nImage;

    // Test seam: answers Browse instead of the dialog (FALSE: cancelled).
    typedef BOOL (*PFN_BROWSE)(CFolderPicker* pPicker);
    static PFN_BROWSE s_pfnBrowseForTest;
};

// Test seam: answers ShowFileDialog instead of the dialog.
typedef BOOL (*PFN_FILE_DIALOG)(LPCTSTR lpszTitle, LPTSTR pszBuffer, int nMode);
extern PFN_FILE_DIALOG g_pfnFileDialogForTest;
