// SPProp.h - the items of a property list (CSPPropList).
//
//   CSPProp       a named value held as a VARIANT (or a group of sub-items):
//                 formats its value, edits it in place and parses it back
//   CSPColorProp  a colour, edited through the library's colour popup
//   CSPFileProp   a file name (file dialog) or a folder (folder browser)
//   CSPFontProp   a font, edited through the font dialog
//
// Value texts by type: VT_I2 "%d", VT_I4 "%ld", VT_R4 "%f", VT_R8 "%lf",
// VT_BSTR the string, VT_BOOL the list's "True"/"False" labels; any other
// type shows "*** error ***" and gets no editor. An edited text is taken
// back only when it is a whole number of the value's type and range;
// otherwise OnUpdateValue fails and the value stays.
//
// An item is owned by its list (top level) or by its parent item.
#pragma once
#include "afxwin.h"
#include <oleauto.h>

class CSPPropList;
class CColorPopup;

// VARIANT helpers over the OLE runtime.
CString SPBstrToString(BSTR bstr);
// A VT_BSTR variant holding the text (the caller clears it).
void SPStringToVariant(LPCTSTR lpsz, VARIANT& var);

class CSPProp : public CObject {
    DECLARE_DYNCREATE(CSPProp)
    friend class CSPPropList;

public:
    // flags
    enum { PROP_HAS_LIST = 0x0001, PROP_HAS_BUTTON = 0x0002 };
    // the in-place windows' id
    enum { AFX_PROPLIST_ID_INPLACE = 3 };

    // a value item
    CSPProp(const CString& strName, const VARIANT& varValue, LPCTSTR lpszDescr = NULL, DWORD dwData = 0,
            LPCTSTR lpszEditMask = NULL, LPCTSTR lpszEditTemplate = NULL, LPCTSTR lpszValidChars = NULL);
    // a group
    explicit CSPProp(const CString& strGroupName, DWORD dwData = 0);
    virtual ~CSPProp();

    // sub-items and options
    BOOL AddSubItem(CSPProp* pProp);
    int GetSubItemsCount() const { return m_lstSubItems.GetCount(); }
    CSPProp* GetSubItem(int nIndex) const;
    BOOL AddOption(LPCTSTR lpszOption);
    void RemoveAllOptions() { m_lstOptions.RemoveAll(); }
    int GetOptionCount() const { return m_lstOptions.GetCount(); }
    CString GetOption(int nIndex) const;

    // attributes
    const CString& GetName() const { return m_strName; }
    void SetName(LPCTSTR lpszName, BOOL bRedraw = TRUE);
    const VARIANT& GetValue() const { return m_varValue; }
    // Copies the value (its type becomes the item's type) and redraws.
    virtual void SetValue(const VARIANT& varValue);
    const CString& GetDescription() const { return m_strDescr; }
    void SetDescription(const CString& strDescr) { m_strDescr = strDescr; }
    DWORD GetData() const { return m_dwData; }
    void SetData(DWORD dwData) { m_dwData = dwData; }
    BOOL IsGroup() const { return m_bGroup; }
    BOOL IsExpanded() const { return m_bExpanded; }
    void Expand(BOOL bExpand = TRUE);
    BOOL IsEnabled() const { return m_bEnabled; }
    void Enable(BOOL bEnable = TRUE);
    BOOL IsAllowEdit() const { return m_bAllowEdit; }
    void AllowEdit(BOOL bAllow = TRUE) { m_bAllowEdit = bAllow; }
    DWORD GetFlags() const { return m_dwFlags; }
    CSPProp* GetParent() const { return m_pParent; }
    CSPPropList* GetOwnerList() const { return m_pWndList; }
    BOOL IsInPlaceEditing() const { return m_bInPlaceEdit; }
    CWnd* GetInPlaceWnd() const { return m_pWndInPlace; }
    CComboBox* GetComboWnd() const { return m_pWndCombo; }
    const CRect& GetRect() const { return m_Rect; }
    const CRect& GetButtonRect() const { return m_rectButton; }
    BOOL IsButtonDown() const { return m_bButtonIsDown; }
    BOOL IsNameTruncated() const { return m_bNameIsTrancated; }
    BOOL IsValueTruncated() const { return m_bValueIsTrancated; }
    // TRUE when pProp is this item or one of its sub-items at any depth.
    BOOL IsParentOf(const CSPProp* pProp) const;
    // The item or sub-item (searched when asked) whose data equals dwData.
    CSPProp* FindSubItemByData(DWORD dwData) const;
    // The value's type the text is formatted and parsed by.
    VARTYPE GetValueType() const { return (VARTYPE)(m_varValue.vt & VT_TYPEMASK); }

    // overridables, in slot order
    virtual void OnDrawName(CDC* pDC, CRect rect);
    virtual void OnDrawValue(CDC* pDC, CRect rect);
    virtual void OnDrawExpandBox(CDC* pDC, CRect rectExpand);
    virtual void OnDrawButton(CDC* pDC, CRect rectButton);
    virtual CString FormatProperty();
    virtual BOOL OnUpdateValue();
    virtual BOOL OnEdit(LPPOINT lptClick);
    virtual BOOL OnEndEdit();
    virtual void OnClickButton(CPoint point);
    virtual BOOL OnDblClick(CPoint point);
    virtual void OnSelectCombo();
    virtual void OnReleaseButton();
    virtual BOOL OnSetCursor() const;
    virtual BOOL PushChar(UINT nChar);
    virtual CString GetNameTooltip();
    virtual CString GetValueTooltip();
    virtual void ReservedPropOp1() {}
    virtual HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor);
    virtual CComboBox* CreateCombo(CWnd* pWndParent, CRect rect);
    virtual void OnDestroyWindow();
    virtual BOOL OnKillFocus(CWnd* pNewWnd) { (void)pNewWnd; return TRUE; }
    virtual BOOL HasButton() const { return (m_dwFlags & (PROP_HAS_LIST | PROP_HAS_BUTTON)) != 0; }
    virtual void ReservedPropOp2() {}

    // Repaints the item's row.
    void Redraw();

protected:
    CSPProp();  // dynamic creation: an empty value item
    void Init();
    void SetOwnerList(CSPPropList* pWndList);
    // The type can be edited as text (numbers, strings, booleans).
    BOOL IsEditableType() const;
    // Parses the editor's text into a value of the item's type; FALSE when
    // the text is not such a value.
    BOOL ParseText(const CString& strText, VARIANT& varNew) const;
    CString GetEditorText() const;
    void SetEditorText(LPCTSTR lpszText);
    // The editor's rectangle for the row; computes the button rectangle.
    CRect GetEditRect();
    virtual CWnd* CreateInPlaceEdit(CRect rectEdit, BOOL& bDefaultFormat);

    CString m_strName;
    VARIANT m_varValue;
    CSPPropList* m_pWndList;
    DWORD m_dwData;
    CString m_strDescr;
    CString m_strEditMask;
    CString m_strEditTempl;
    CString m_strValidChars;
    CStringList m_lstOptions;
    BOOL m_bInPlaceEdit;
    CWnd* m_pWndInPlace;
    CComboBox* m_pWndCombo;
    CRect m_Rect;
    CRect m_rectButton;
    BOOL m_bButtonIsDown;
    BOOL m_bGroup;
    BOOL m_bExpanded;
    BOOL m_bEnabled;
    BOOL m_bAllowEdit;
    DWORD m_dwFlags;
    CSPProp* m_pParent;
    CList<CSPProp*, CSPProp*> m_lstSubItems;
    BOOL m_bNameIsTrancated;
    BOOL m_bValueIsTrancated;
};

class CSPColorProp : public CSPProp {
    DECLARE_DYNCREATE(CSPColorProp)
    friend class CSPPropList;

public:
    CSPColorProp(const CString& strName, const COLORREF& color, CPalette* pPalette = NULL,
                 LPCTSTR lpszDescr = NULL, DWORD dwData = 0);
    virtual ~CSPColorProp();

    COLORREF GetColor() const { return m_Color; }
    void SetColor(COLORREF color);
    // options handed to the colour popup
    void SetColumnsNumber(int nColumnsNumber) { m_nColumnsNumber = nColumnsNumber; }
    void EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
    void EnableOtherButton(LPCTSTR lpszLabel, BOOL bEnable = TRUE);

    void OnDrawValue(CDC* pDC, CRect rect) override;
    CString FormatProperty() override;
    BOOL OnUpdateValue() override;
    BOOL OnEdit(LPPOINT lptClick) override;
    void OnClickButton(CPoint point) override;
    BOOL OnKillFocus(CWnd* pNewWnd) override;

    // How the colour popup opens. The popup is a popup menu of the toolbar
    // library, above the controls; its source enters the opener here, so a
    // program whose toolbar library is not linked opens none.
    struct PopupRequest {
        CSPPropList* pList;
        const CArray<COLORREF, COLORREF>* pColors;
        COLORREF color;
        COLORREF colorAutomatic;
        LPCTSTR lpszAutoColor;
        LPCTSTR lpszOtherColor;
        int nColumns;
        CPoint ptScreen;  // the popup's top-left corner
    };
    static CColorPopup* (*s_pfnOpenPopup)(const PopupRequest& request);
    // Closes a popup whose property goes, without calling back into it.
    static void (*s_pfnClosePopup)(CColorPopup* pPopup);
    CColorPopup* GetPopup() const { return m_pPopup; }

protected:
    CSPColorProp();
    // Opens the colour popup below the button; FALSE when none opens.
    BOOL OpenColorPopup();

    COLORREF m_Color;
    CColorPopup* m_pPopup;
    CArray<COLORREF, COLORREF> m_Colors;
    int m_nColumnsNumber;
    COLORREF m_ColorAutomatic;
    CString m_strAutoColor;
    CString m_strOtherColor;
};

class CSPFileProp : public CSPProp {
    DECLARE_DYNCREATE(CSPFileProp)

public:
    // a file name
    CSPFileProp(const CString& strName, BOOL bOpenFileDialog, const CString& strFileName,
                LPCTSTR lpszDefExt = NULL, DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                LPCTSTR lpszFilter = NULL, LPCTSTR lpszDescr = NULL, DWORD dwData = 0);
    // a folder
    CSPFileProp(const CString& strName, const CString& strFolderName, DWORD dwData = 0,
                LPCTSTR lpszDescr = NULL);
    virtual ~CSPFileProp();

    void OnClickButton(CPoint point) override;

    // The folder browser of the folder mode, the shell manager's by default;
    // tests replace it. Answers TRUE and the chosen folder, or FALSE when
    // cancelled.
    static BOOL (*s_pfnBrowseForFolder)(CString& strFolder, CWnd* pWndParent, LPCTSTR lpszInitialFolder);

protected:
    CSPFileProp();

    BOOL m_bIsFolder;
    BOOL m_bOpenFileDialog;
    DWORD m_dwFileOpenFlags;
    CString m_strDefExt;
    CString m_strFilter;
};

class CSPFontProp : public CSPProp {
    DECLARE_DYNCREATE(CSPFontProp)

public:
    CSPFontProp(const CString& strName, LOGFONT& lf, DWORD dwFontDialogFlags = CF_EFFECTS | CF_SCREENFONTS,
                LPCTSTR lpszDescr = NULL, DWORD dwData = 0);
    virtual ~CSPFontProp();

    LPLOGFONT GetLogFont() { return &m_lf; }
    void OnClickButton(CPoint point) override;

protected:
    CSPFontProp();

    LOGFONT m_lf;
    DWORD m_dwFontDialogFlags;
};
