// SPCustomizeButton.h - CCustomizeButton: the button at the far end of a
// docked toolbar. It shows a drop glyph when the bar offers a customise
// command and a double chevron when buttons did not fit; its popup lists
// those buttons and then the customise command. It is never stored,
// dragged or edited.
#pragma once
#include "SPToolbarMenuButton.h"

class CCustomizeButton : public CSPToolbarMenuButton {
    DECLARE_SERIAL(CCustomizeButton)

public:
    CCustomizeButton();
    CCustomizeButton(int iCustomizeCmdId, const CString& strCustomizeText);

    int GetCustomizeCmdId() const { return m_iCustomizeCmdId; }
    const CString& GetCustomizeText() const { return m_strCustomizeText; }
    CSPToolBar* GetParentToolbar() const { return m_pWndParentToolbar; }
    // The bar's layout: the buttons that did not fit (not owned), and the
    // mark of a button that takes no space.
    CObList& GetHiddenButtons() { return m_lstInvisibleButtons; }
    const CObList& GetHiddenButtons() const { return m_lstInvisibleButtons; }
    void SetEmpty(BOOL bEmpty) { m_bIsEmpty = bEmpty; }
    BOOL IsEmpty() const { return m_bIsEmpty; }

    void CopyFrom(const CSPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    BOOL CanBeStored() const override { return FALSE; }
    BOOL IsEditable() const override { return FALSE; }
    BOOL OnBeforeDrag() const override { return FALSE; }
    // The hidden buttons in bar order (a menu button with its items), then
    // the customise command; separators at either end of the list left out.
    HMENU CreateMenu() const override;
    // A popup showing every item of that list, its commands going to the
    // bar's owner.
    CSPPopupMenu* CreatePopupMenu() override;
    BOOL IsEmptyMenuAllowed() const override { return TRUE; }

protected:
    int m_iCustomizeCmdId;
    CString m_strCustomizeText;
    CSPToolBar* m_pWndParentToolbar;
    BOOL m_bIsEmpty;
    CObList m_lstInvisibleButtons;
};
