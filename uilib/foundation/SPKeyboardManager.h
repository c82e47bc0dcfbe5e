// SPKeyboardManager.h - customisable accelerator tables and key texts.
//
//   CSPKeyboardManager   saves and reloads the accelerator tables of the
//                        multi-document templates and of the main frame
//                        ("Accelerators"), installs a new table everywhere
//                        the old one is in use, resets all tables to the
//                        resources, and finds the key of a command
//   CSPKeyHelper         the display text of one accelerator
//                        ("Ctrl+Shift+F5", "Alt+A")
//   g_pKeyboardManager   the process-wide manager, set by its constructor
//                        and cleared by its destructor
//
// An empty table is a valid state: installing one removes the table of that
// template or frame, and it is saved and loaded as an empty value, so a user
// who removed the last shortcut does not get the resource's table back.
#pragma once
#include "afxwin.h"
#include "afxcoll.h"
#include "afxtempl.h"
#include "afxframe.h"

class CSPKeyboardManager : public CObject {
public:
    CSPKeyboardManager();
    virtual ~CSPKeyboardManager();

    // Below SPGetRegPath("SPKeyboardManager", lpszProfileName), one key
    // "SKeyboard-<resource id>" per table (0 for the frame), value
    // "Accelerators": the raw ACCEL entries, 6 bytes each. pDefaultFrame
    // NULL: the application's main frame. Both answer TRUE.
    BOOL LoadState(LPCTSTR lpszProfileName = NULL, CFrameWnd* pDefaultFrame = NULL);
    BOOL SaveState(LPCTSTR lpszProfileName = NULL, CFrameWnd* pDefaultFrame = NULL);

    // Installs a table made of the entries for the template (and its
    // documents' frames that used the template's table), or, without a
    // template, for the frame (the main frame when NULL); the old table is
    // destroyed. nSize 0 installs no table. FALSE when the table cannot be
    // made or there was no table to replace.
    BOOL UpdateAccelTable(CDocTemplate* pTemplate, LPACCEL lpAccel, int nSize, CFrameWnd* pDefaultFrame = NULL);
    // Every template's and the main frame's table from the resources again.
    void ResetAll();

    // The key text of the first entry of the frame's table that runs the
    // command; FALSE (and an empty text) when there is none.
    static BOOL FindDefaultAccelerator(UINT uiCmd, CString& str, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame);
    // TRUE when the frame's table holds the key with exactly those flags.
    static BOOL IsKeyInAccelTable(WORD wKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame);
    // The character to compare with menu mnemonics.
    static UINT TranslateCharToUpper(const UINT nChar);
    // Frees the copies of the tables that the two queries above keep (the
    // library's clean-up); they are made again when asked.
    static void CleanUp();

    // The template (frame) has a table, or the user emptied its table: it
    // is saved, loaded and reset, and may get a table again. The keyboard
    // page lists such templates too.
    BOOL HasTable(CDocTemplate* pTemplate) const;
    BOOL HasTable(CFrameWnd* pFrame) const;

    static const char* const s_lpszSection;    // "SPKeyboardManager"
    static const char* const s_lpszValueName;  // "Accelerators"

    // What a stored table holds.
    enum TableState { tableNone, tableEmpty, tableLoaded };

protected:
    // Reads the table of one id: tableLoaded with a new table in hAccel,
    // tableEmpty for an empty stored table, tableNone when nothing (or
    // nothing usable) is stored.
    static TableState LoadAccelTable(LPCTSTR lpszBasePath, int nId, HACCEL& hAccel);
    // Writes the table (NULL: an empty table) of one id.
    static BOOL SaveAccelTable(LPCTSTR lpszBasePath, int nId, HACCEL hAccel);

    // Puts hNew (may be NULL) in place of the template's or frame's table.
    BOOL Install(CDocTemplate* pTemplate, HACCEL hNew, CFrameWnd* pDefaultFrame);
    static CFrameWnd* GetMainFrame();
    static BOOL IsMultiDocTemplate(CDocTemplate* pTemplate);

    // Resource ids (0: the frame) whose table the user emptied.
    CList<UINT, UINT> m_lstEmptyTables;
};

extern CSPKeyboardManager* g_pKeyboardManager;

class CSPKeyHelper : public CObject {
public:
    explicit CSPKeyHelper(LPACCEL lpAccel = NULL) : m_lpAccel(lpAccel) {}
    virtual ~CSPKeyHelper() {}

    void SetAccelerator(LPACCEL lpAccel) { m_lpAccel = lpAccel; }
    // "Ctrl+", "Shift+", "Alt+" as the flags say, then the key: its name
    // for a virtual key, else the character itself (nothing for Escape).
    void Format(CString& str) const;

    // The name of a virtual key in the current keyboard layout, lower case
    // but for its first letter; "+" follows when bLast is FALSE.
    static void AddVirtKeyStr(CString& str, UINT uiVirtKey, BOOL bLast = FALSE);

    // Test seam: the system's key names differ between systems (and under
    // Wine between displays).
    static int(WINAPI* s_pfnGetKeyNameText)(LONG lParam, LPSTR lpString, int cchSize);

protected:
    LPACCEL m_lpAccel;
};
