// SPURLLinkButton.h - CSPURLLinkButton: a hyperlink drawn as underlined
// text with a hand cursor. A click, or Return, opens the link through the
// shell: the prefix (for example a scheme) followed by the URL, or by the
// button's text when no URL is set.
#pragma once
#include "SPButton.h"

class CSPURLLinkButton : public CSPButton {
    DECLARE_DYNCREATE(CSPURLLinkButton)

public:
    CSPURLLinkButton();
    virtual ~CSPURLLinkButton();

    void SetURL(LPCTSTR lpszURL);           // NULL empties it
    void SetURLPrefix(LPCTSTR lpszPrefix);  // NULL empties it
    const CString& GetURL() const { return m_strURL; }
    const CString& GetURLPrefix() const { return m_strPrefix; }
    // What a click opens now: the prefix, then the URL or the window text.
    CString GetTarget() const;

    // Resizes to the label in the underlined font plus 3 pixels each side;
    // with a flag the new rectangle is centred in the old one that way.
    // A button with an image sizes as a CSPButton.
    virtual CSize SizeToContent(BOOL bVCenter = FALSE, BOOL bHCenter = FALSE);

    void OnDraw(CDC* pDC, const CRect& rect, UINT uiState) override;
    void OnDrawFocusRect(CDC* pDC, const CRect& rectClient) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Test seam: the shell call that opens a link (ShellExecute by default).
    typedef HINSTANCE(WINAPI* PFNSHELLEXECUTE)(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile,
                                                LPCSTR lpParameters, LPCSTR lpDirectory, INT nShowCmd);
    static PFNSHELLEXECUTE SetShellExecuteHook(PFNSHELLEXECUTE pfn);

protected:
    CString m_strURL;
    CString m_strPrefix;

    static PFNSHELLEXECUTE s_pfnShellExecute;

    // Opens the target when the window is enabled.
    void OpenLink();
    afx_msg void OnClicked();
    DECLARE_MESSAGE_MAP()
};
