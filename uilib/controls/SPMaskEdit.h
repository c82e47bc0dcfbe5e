// SPMaskEdit.h - CSPMaskEdit: an edit control whose text follows a
// template. Literal characters of the template stay in place; each editable
// position ("_" in the template) takes only characters of its mask class
// (the k-th editable position uses the k-th mask character) and, when set,
// of the valid characters. Any change that breaks the rules is undone with
// a beep.
//
// Mask classes: D digit, d digit or space, A letter or digit, a letter,
// digit or space, C letter, c letter or space, + '+', '-' or space.
#pragma once
#include "afxwin.h"

class CSPMaskEdit : public CEdit {
    DECLARE_DYNAMIC(CSPMaskEdit)

public:
    CSPMaskEdit();
    virtual ~CSPMaskEdit();

    // The value becomes the template with its editable positions showing
    // the placeholder.
    void EnableMask(LPCTSTR lpszMask, LPCTSTR lpszInputTemplate, TCHAR chMaskInputTemplate = _T('_'),
                    LPCTSTR lpszValid = NULL);
    void DisableMask();
    void SetValidChars(LPCTSTR lpszValid = NULL);
    // Texts given to SetValue hold only the editable characters.
    void EnableGetMaskedCharsOnly(BOOL bEnable = TRUE) { m_bGetMaskedCharsOnly = bEnable; }
    void EnableSelectByGroup(BOOL bEnable = TRUE) { m_bSelectByGroup = bEnable; }
    BOOL IsMaskEnabled() const { return !m_strMask.IsEmpty() && !m_strInputTemplate.IsEmpty(); }

    // FALSE (nothing changes) when the text breaks the mask.
    BOOL SetValue(LPCTSTR lpszString);
    // The characters of the editable positions; placeholders only with
    // bWithSpaces. Without a mask, the whole value.
    CString GetValue(BOOL bWithSpaces = FALSE) const;
    const CString& GetFullValue() const { return m_str; }

    // Copies at most nMaxCount - 1 characters of the window text and always
    // terminates; answers the number of characters copied.
    using CWnd::GetWindowText;
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;

    virtual BOOL IsMaskedChar(TCHAR chChar, TCHAR chMaskChar) const;

protected:
    CString m_str;               // the full text as shown
    CString m_strMask;           // one character per editable position
    CString m_strInputTemplate;  // "_" editable, anything else a literal
    TCHAR m_chMaskInputTemplate; // placeholder
    CString m_strValid;          // when not empty, every input must be one of these
    BOOL m_bGetMaskedCharsOnly;  // values without literals
    BOOL m_bSelectByGroup;

    // The value check of SetValue; the value changes only on success.
    BOOL CheckAndSetValue(LPCTSTR lpszString, BOOL bWithLiterals);
    BOOL IsEditable(int nPos) const;
    // The mask character of an editable template position, 0 when none.
    TCHAR MaskCharAt(int nPos) const;
    BOOL IsValidChar(TCHAR ch) const;
    BOOL FitsPosition(TCHAR ch, int nPos) const;
    // The group (run of editable positions, nEnd exclusive) around nPos;
    // from a literal the next group forward, or the previous one backward.
    BOOL GetGroupBounds(int nPos, int& nBegin, int& nEnd, BOOL bForward = TRUE) const;
    BOOL GetFirstGroup(int& nBegin, int& nEnd) const { return GetGroupBounds(0, nBegin, nEnd, TRUE); }
    BOOL GetLastGroup(int& nBegin, int& nEnd) const;
    void SelectFirstGroupOrAll();
    // Removes [nStart, nEnd) inside one group, the rest of the group moving
    // left; FALSE (with a beep, selection restored) when not allowed.
    BOOL DeleteRange(int nStart, int nEnd, int nSelStart, int nSelEnd);
    void Beep() const { ::MessageBeep((UINT)-1); }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetFocusR();
    afx_msg BOOL OnUpdateR();
    DECLARE_MESSAGE_MAP()
};
