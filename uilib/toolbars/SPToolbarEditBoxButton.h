// SPToolbarEditBoxButton.h - CSPToolbarEditBoxButton: a toolbar button that
// hosts a single-line edit on horizontal bars, and CSPEditBoxButtonEdit, that
// edit.
//
// The contents live in the button, so that they survive a change of window
// and are copied and stored; every edit-box button of the same command shows
// the same contents, and only the user's changes reach the command target.
#pragma once
#include "SPHostedEdit.h"
#include "SPToolbarButton.h"

class CSPToolbarEditBoxButton;

class CSPEditBoxButtonEdit : public CSPHostedEdit {
public:
    explicit CSPEditBoxButtonEdit(CSPToolbarEditBoxButton& edit) : m_edit(edit) {}
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    CSPToolbarEditBoxButton& m_edit;

    void SetOwnerHot(BOOL bHot) override;
};

class CSPToolbarEditBoxButton : public CSPToolbarButton {
    DECLARE_SERIAL(CSPToolbarEditBoxButton)

public:
    CSPToolbarEditBoxButton();
    CSPToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle = ES_AUTOHSCROLL, int iWidth = 0);
    virtual ~CSPToolbarEditBoxButton();

    CEdit* GetEditBox() const { return m_pWndEdit; }
    const CString& GetContents() const { return m_strContents; }
    int GetWidth() const { return m_iWidth; }
    // Set by the edit while it has the mouse or the focus.
    void SetHotEdit(BOOL bHot = TRUE);

    static CSPToolbarEditBoxButton* GetByCmd(UINT uiCmd);
    static BOOL SetContentsAll(UINT uiCmd, const CString& strContents);
    static CString GetContentsAll(UINT uiCmd);

    // overridables
    virtual CEdit* CreateEdit(CWnd* pWndParent, const CRect& rect);
    virtual void SetContents(const CString& strContents);

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CSPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void OnMove() override;
    void OnSize(int iSize) override;
    HWND GetHwnd() override { return m_pWndEdit != NULL ? m_pWndEdit->GetSafeHwnd() : NULL; }
    BOOL CanBeStretched() const override { return TRUE; }
    BOOL NotifyCommand(int iNotifyCode) override;
    HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor) override;
    BOOL HaveHotBorder() const override { return !HasVisibleEdit(); }
    // The line of the base with a sunken edit field in the width left.
    int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    void OnShow(BOOL bShow) override;
    void GetRect(RECT* pRect) const override;
    void SetStyle(UINT nStyle) override;
    void OnAddToCustomizePage() override;

protected:
    BOOL HasVisibleEdit() const {
        return m_pWndEdit != NULL && m_pWndEdit->GetSafeHwnd() != NULL && (m_pWndEdit->GetStyle() & WS_VISIBLE);
    }
    void DestroyEdit();

    DWORD m_dwStyle;
    CEdit* m_pWndEdit;
    CString m_strContents;
    BOOL m_bChangingText;
    int m_iWidth;
    BOOL m_bHorz;
    BOOL m_bIsHotEdit;
    CSize m_sizeText;
};
