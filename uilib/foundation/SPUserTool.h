// SPUserTool.h - one external program of the Tools menu.
//
//   CSPUserTool   menu text, program, arguments, initial folder and command
//                 id of a tool, with the program's small icon; runs through
//                 the shell
#pragma once
#include "afxwin.h"

class CSPUserTool : public CObject {
    DECLARE_SERIAL(CSPUserTool)

public:
    CSPUserTool();
    virtual ~CSPUserTool();

    // The stored record: label, command, arguments, initial folder (archive
    // strings), command id (32 bits). Loading sets the command through
    // SetCommand, so the tool gets its icon.
    void Serialize(CArchive& ar) override;

    // Runs the command through the shell (default verb, shown normally),
    // owned by the main window; FALSE when the command is empty or the shell
    // reports an error.
    virtual BOOL Invoke();
    // The icon of the command's program: a bare program name is looked for
    // along the search path; the default icon when nothing is found.
    virtual HICON LoadToolIcon();
    // The shared default tool icon (resource 16931, small-icon size).
    virtual HICON LoadDefaultIcon();
    // Destroys the tool's icon unless it is the shared default one.
    virtual void DeleteIcon();

    // A changed command is stored and the icon loaded again.
    void SetCommand(LPCTSTR lpszCmd);
    const CString& GetCommand() const { return m_strCommand; }
    HICON GetIcon() const { return m_hIcon; }

    // The icon at the small-icon size, centred in the rectangle.
    void DrawToolIcon(CDC* pDC, const CRect& rectImage);
    // The icon on a button-face square as CF_BITMAP; a failure shows the
    // message of string 16010 and answers FALSE.
    BOOL CopyIconToClipboard();

    // Test seam: the shell call Invoke makes.
    static HINSTANCE(WINAPI* s_pfnShellExecute)(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile,
                                                LPCSTR lpParameters, LPCSTR lpDirectory, INT nShowCmd);

    CString m_strLabel;
    CString m_strArguments;
    CString m_strInitialDirectory;
    UINT m_uiCmdId;

protected:
    CString m_strCommand;
    HICON m_hIcon;
};
