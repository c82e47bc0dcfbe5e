#include "SPMaskEdit.h"
#include <algorithm>
#include <mbctype.h>
#include <mbstring.h>

IMPLEMENT_DYNAMIC(CSPMaskEdit, CEdit)

BEGIN_MESSAGE_MAP(CSPMaskEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONUP()
    ON_CONTROL_REFLECT_EX(EN_SETFOCUS, OnSetFocusR)
    ON_CONTROL_REFLECT_EX(EN_UPDATE, OnUpdateR)
END_MESSAGE_MAP()

CSPMaskEdit::CSPMaskEdit() : m_chMaskInputTemplate(_T('_')), m_bGetMaskedCharsOnly(FALSE), m_bSelectByGroup(TRUE) {}

CSPMaskEdit::~CSPMaskEdit() {}

// ---------------------------------------------------------------------------
// Mask and value

void CSPMaskEdit::EnableMask(LPCTSTR lpszMask, LPCTSTR lpszInputTemplate, TCHAR chMaskInputTemplate,
                             LPCTSTR lpszValid) {
    m_strMask = lpszMask != NULL ? lpszMask : _T("");
    m_strInputTemplate = lpszInputTemplate != NULL ? lpszInputTemplate : _T("");
    m_chMaskInputTemplate = chMaskInputTemplate;
    m_str = m_strInputTemplate;
    for (int i = 0; i < m_str.GetLength(); i++)
        if (m_strInputTemplate[i] == _T('_')) m_str.SetAt(i, m_chMaskInputTemplate);
    SetValidChars(lpszValid);
    if (GetSafeHwnd() != NULL) SetWindowText(m_str);
}

void CSPMaskEdit::DisableMask() {
    m_strMask.Empty();
    m_strInputTemplate.Empty();
}

void CSPMaskEdit::SetValidChars(LPCTSTR lpszValid) {
    if (lpszValid != NULL) m_strValid = lpszValid;
    else m_strValid.Empty();
}

BOOL CSPMaskEdit::IsEditable(int nPos) const {
    return nPos >= 0 && nPos < m_strInputTemplate.GetLength() && m_strInputTemplate[nPos] == _T('_');
}

TCHAR CSPMaskEdit::MaskCharAt(int nPos) const {
    if (!IsEditable(nPos)) return 0;
    int k = 0;
    for (int i = 0; i < nPos; i++)
        if (m_strInputTemplate[i] == _T('_')) k++;
    return k < m_strMask.GetLength() ? m_strMask[k] : 0;
}

BOOL CSPMaskEdit::IsValidChar(TCHAR ch) const { return m_strValid.IsEmpty() || m_strValid.Find(ch) >= 0; }

BOOL CSPMaskEdit::FitsPosition(TCHAR ch, int nPos) const {
    return IsMaskedChar(ch, MaskCharAt(nPos)) && IsValidChar(ch);
}

BOOL CSPMaskEdit::IsMaskedChar(TCHAR chChar, TCHAR chMaskChar) const {
    const unsigned int c = (unsigned char)chChar;
    switch (chMaskChar) {
    case _T('D'): return _ismbcdigit(c) != 0;
    case _T('d'): return _ismbcdigit(c) || _ismbcspace(c);
    case _T('A'): return _ismbcalnum(c) != 0;
    case _T('a'): return _ismbcalnum(c) || _ismbcspace(c);
    case _T('C'): return _ismbcalpha(c) != 0;
    case _T('c'): return _ismbcalpha(c) || _ismbcspace(c);
    case _T('+'): return chChar == _T('+') || chChar == _T('-') || chChar == _T(' ');
    default: return FALSE;
    }
}

BOOL CSPMaskEdit::CheckAndSetValue(LPCTSTR lpszString, BOOL bWithLiterals) {
    const CString str = lpszString != NULL ? lpszString : _T("");
    const int nLen = str.GetLength();
    const BOOL bMask = IsMaskEnabled();
    const int nTemplateLen = m_strInputTemplate.GetLength();

    if (bMask) {
        int nEditable = 0;
        for (int i = 0; i < nTemplateLen; i++)
            if (m_strInputTemplate[i] == _T('_')) nEditable++;
        // A text with literals is as long as the template at most.
        if (bWithLiterals ? nLen > nTemplateLen : nLen > nEditable) return FALSE;
    }

    if (!m_strValid.IsEmpty()) {
        for (int i = 0; i < nLen; i++) {
            const TCHAR ch = str[i];
            const BOOL bOnEditable = m_strInputTemplate.IsEmpty() || !bWithLiterals || IsEditable(i);
            if (bOnEditable && ch != m_chMaskInputTemplate && m_strValid.Find(ch) < 0) return FALSE;
        }
    }

    if (!bMask) {
        m_str = str;
        return TRUE;
    }

    CString strNew = m_strInputTemplate;
    for (int i = 0; i < nTemplateLen; i++)
        if (m_strInputTemplate[i] == _T('_')) strNew.SetAt(i, m_chMaskInputTemplate);

    int j = 0;
    for (int i = 0; i < nTemplateLen && j < nLen; i++) {
        if (m_strInputTemplate[i] == _T('_')) {
            const TCHAR ch = str[j++];
            if (ch != m_chMaskInputTemplate && !IsMaskedChar(ch, MaskCharAt(i))) return FALSE;
            strNew.SetAt(i, ch);
        } else if (bWithLiterals) {
            if (str[j++] != m_strInputTemplate[i]) return FALSE;
        }
    }
    m_str = strNew;
    return TRUE;
}

BOOL CSPMaskEdit::SetValue(LPCTSTR lpszString) {
    if (!CheckAndSetValue(lpszString, !m_bGetMaskedCharsOnly)) return FALSE;
    if (GetSafeHwnd() != NULL) SetWindowText(m_str);
    return TRUE;
}

CString CSPMaskEdit::GetValue(BOOL bWithSpaces) const {
    if (!IsMaskEnabled()) return m_str;
    CString strResult;
    for (int i = 0; i < m_strInputTemplate.GetLength() && i < m_str.GetLength(); i++) {
        if (m_strInputTemplate[i] != _T('_')) continue;
        const TCHAR ch = m_str[i];
        if (ch == m_chMaskInputTemplate && !bWithSpaces) continue;
        strResult += ch;
    }
    return strResult;
}

int CSPMaskEdit::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
    if (lpszStringBuf == NULL || nMaxCount <= 0) return 0;
    CString strText;
    if (GetSafeHwnd() != NULL) CWnd::GetWindowText(strText);
    const int nCopy = std::min(strText.GetLength(), nMaxCount - 1);
    memcpy(lpszStringBuf, (LPCTSTR)strText, nCopy * sizeof(TCHAR));
    lpszStringBuf[nCopy] = 0;
    return nCopy;
}

// ---------------------------------------------------------------------------
// Groups

BOOL CSPMaskEdit::GetGroupBounds(int nPos, int& nBegin, int& nEnd, BOOL bForward) const {
    if (m_strInputTemplate.IsEmpty()) {
        nBegin = 0;
        nEnd = GetSafeHwnd() != NULL ? GetWindowTextLength() : m_str.GetLength();
        return TRUE;
    }
    const int nLen = m_strInputTemplate.GetLength();
    if (nPos < 0) nPos = 0;
    if (!IsEditable(nPos)) {
        if (bForward) {
            while (nPos < nLen && !IsEditable(nPos)) nPos++;
            if (nPos >= nLen) return FALSE;
        } else {
            nPos = std::min(nPos, nLen) - 1;
            while (nPos >= 0 && !IsEditable(nPos)) nPos--;
            if (nPos < 0) return FALSE;
        }
    }
    nBegin = nEnd = nPos;
    while (nBegin > 0 && IsEditable(nBegin - 1)) nBegin--;
    while (nEnd < nLen && IsEditable(nEnd)) nEnd++;
    return TRUE;
}

BOOL CSPMaskEdit::GetLastGroup(int& nBegin, int& nEnd) const {
    return GetGroupBounds(m_strInputTemplate.GetLength(), nBegin, nEnd, FALSE);
}

void CSPMaskEdit::SelectFirstGroupOrAll() {
    int nBegin, nEnd;
    if (m_bSelectByGroup && GetFirstGroup(nBegin, nEnd)) SetSel(nBegin, nEnd);
    else SetSel(0, -1);
}

// ---------------------------------------------------------------------------
// Messages

int CSPMaskEdit::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CEdit::OnCreate(lpCreateStruct) == -1) return -1;
    if (IsMaskEnabled()) SetWindowText(m_str);
    else CWnd::GetWindowText(m_str);
    return 0;
}

BOOL CSPMaskEdit::OnSetFocusR() {
    if (IsMaskEnabled()) SelectFirstGroupOrAll();
    else SetSel(0, -1);
    return FALSE;  // the parent hears of it too
}

BOOL CSPMaskEdit::OnUpdateR() {
    CString strText;
    CWnd::GetWindowText(strText);
    if (strText == m_str) return FALSE;
    if (!CheckAndSetValue(strText, TRUE)) Beep();
    CWnd::GetWindowText(strText);
    if (strText != m_str) {
        SetWindowText(m_str);
        SelectFirstGroupOrAll();
        SendMessage(EM_SCROLLCARET);
    }
    return FALSE;
}

void CSPMaskEdit::OnLButtonUp(UINT nFlags, CPoint point) {
    CEdit::OnLButtonUp(nFlags, point);
    if (!m_bSelectByGroup || !IsMaskEnabled()) return;
    int nStart, nEnd;
    GetSel(nStart, nEnd);
    int nBegin, nGroupEnd;
    if (!GetGroupBounds(nStart, nBegin, nGroupEnd, TRUE) && !GetGroupBounds(nStart, nBegin, nGroupEnd, FALSE)) return;
    const int nNewStart = std::min(std::max(nStart, nBegin), nGroupEnd);
    const int nNewEnd = std::min(std::max(nEnd, nNewStart), nGroupEnd);
    if (nNewStart != nStart || nNewEnd != nEnd) SetSel(nNewStart, nNewEnd);
}

void CSPMaskEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (!IsMaskEnabled()) {
        CEdit::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    if (nChar < 0x20 || bCtrl) {
        // Backspace is done by WM_KEYDOWN; the clipboard keys go on and
        // their result is checked by EN_UPDATE.
        if (nChar == 3 || nChar == 22 || nChar == 24 || nChar == 26) CEdit::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    const TCHAR ch = (TCHAR)nChar;
    int nStart, nEnd;
    GetSel(nStart, nEnd);
    int nPos = nStart;
    const int nLen = m_strInputTemplate.GetLength();
    while (nPos < nLen && !IsEditable(nPos)) nPos++;
    if (nPos >= nLen) {
        Beep();
        SetSel(nStart, nEnd);
        return;
    }
    if (!FitsPosition(ch, nPos)) {
        Beep();
        return;
    }
    const TCHAR sz[2] = {ch, 0};
    SetSel(nPos, nPos + 1, TRUE);
    ReplaceSel(sz, TRUE);
    int nNext = nPos + 1;
    while (nNext < nLen && !IsEditable(nNext)) nNext++;
    if (nNext >= nLen) nNext = nPos + 1;
    SetSel(nNext, nNext);
}

BOOL CSPMaskEdit::DeleteRange(int nStart, int nEnd, int nSelStart, int nSelEnd) {
    int nBegin, nGroupEnd;
    if (!IsEditable(nStart) || !GetGroupBounds(nStart, nBegin, nGroupEnd) || nEnd > nGroupEnd || nEnd <= nStart) {
        Beep();
        SetSel(nSelStart, nSelEnd);
        return FALSE;
    }
    CString strText;
    CWnd::GetWindowText(strText);
    if (strText.GetLength() < nGroupEnd) {
        Beep();
        SetSel(nSelStart, nSelEnd);
        return FALSE;
    }
    // The rest of the group moves left; each moved character must fit its
    // new position.
    CString strTail;
    for (int i = nEnd; i < nGroupEnd; i++) {
        const TCHAR ch = strText[i];
        const int nNewPos = nStart + (i - nEnd);
        if (ch != m_chMaskInputTemplate && !IsMaskedChar(ch, MaskCharAt(nNewPos))) {
            Beep();
            return FALSE;
        }
        strTail += ch;
    }
    for (int i = 0; i < nEnd - nStart; i++) strTail += m_chMaskInputTemplate;
    SetSel(nStart, nGroupEnd, TRUE);
    ReplaceSel(strTail, TRUE);
    SetSel(nStart, nStart);
    return TRUE;
}

void CSPMaskEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (!IsMaskEnabled()) {
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const int nLen = m_strInputTemplate.GetLength();
    int nStart, nEnd;
    GetSel(nStart, nEnd);
    int nBegin, nGroupEnd;

    switch (nChar) {
    case VK_DELETE:
        if (bShift || bCtrl) break;  // clipboard keys; EN_UPDATE checks the result
        DeleteRange(nStart, nStart == nEnd ? nStart + 1 : nEnd, nStart, nEnd);
        return;
    case VK_BACK:
        if (nStart != nEnd) {
            DeleteRange(nStart, nEnd, nStart, nEnd);
        } else if (IsEditable(nStart - 1)) {
            DeleteRange(nStart - 1, nStart, nStart, nEnd);
        } else if (GetGroupBounds(nStart - 1, nBegin, nGroupEnd, FALSE)) {
            DeleteRange(nGroupEnd - 1, nGroupEnd, nStart, nEnd);
        } else {
            Beep();
        }
        return;
    case VK_HOME:
        if (GetFirstGroup(nBegin, nGroupEnd)) SetSel(nBegin, nBegin);
        return;
    case VK_END:
        if (GetLastGroup(nBegin, nGroupEnd)) SetSel(nGroupEnd, nGroupEnd);
        return;
    case VK_LEFT:
    case VK_UP: {
        const BOOL bInGroup = GetGroupBounds(nStart, nBegin, nGroupEnd, FALSE);
        if (bCtrl) {
            int nPrevBegin, nPrevEnd;
            if (bInGroup && nBegin > 0 && GetGroupBounds(nBegin - 1, nPrevBegin, nPrevEnd, FALSE))
                SetSel(nPrevBegin, nPrevBegin);
            else
                Beep();
        } else if (bShift) {
            if (bInGroup && nStart - 1 >= nBegin) SetSel(nStart - 1, nEnd);
        } else {
            int nPos = nStart - 1;
            while (nPos >= 0 && !IsEditable(nPos)) nPos--;
            if (nPos >= 0) SetSel(nPos, nPos);
        }
        return;
    }
    case VK_RIGHT:
    case VK_DOWN: {
        const BOOL bInGroup = GetGroupBounds(nEnd, nBegin, nGroupEnd, IsEditable(nEnd) || !IsEditable(nEnd - 1));
        if (bCtrl) {
            int nNextBegin, nNextEnd;
            if (bInGroup && nGroupEnd < nLen && GetGroupBounds(nGroupEnd, nNextBegin, nNextEnd, TRUE))
                SetSel(nNextBegin, nNextBegin);
            else
                Beep();
        } else if (bShift) {
            if (bInGroup && nEnd + 1 <= nGroupEnd) SetSel(nStart, nEnd + 1);
        } else {
            int nPos = nEnd + 1;
            while (nPos < nLen && !IsEditable(nPos) && !IsEditable(nPos - 1)) nPos++;
            if (nPos <= nLen) SetSel(nPos, nPos);
        }
        return;
    }
    default: break;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}
