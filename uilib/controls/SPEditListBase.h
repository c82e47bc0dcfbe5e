// SPEditListBase.h - CSPEditListBase: the abstract part of the editable
// list: a caption bar with small tool buttons (the standard ones New,
// Delete, Move Item Up and Move Item Down, each with its key), their
// commands, the keys and the notifications. The list itself is made by a
// derived class (CSPEditListBox). Placed on a dialog as a static control,
// it builds itself when subclassed or created.
#pragma once
#include "afxwin.h"
#include "afxtempl.h"

class CSPButton;

// standard buttons (SetStandardButtons)
#define SPEDIT_LIST_BTN_NEW 0x0001
#define SPEDIT_LIST_BTN_DELETE 0x0002
#define SPEDIT_LIST_BTN_UP 0x0004
#define SPEDIT_LIST_BTN_DOWN 0x0008

class CSPEditListBase : public CStatic {
    DECLARE_DYNAMIC(CSPEditListBase)

public:
    // command codes of the standard buttons
    enum { CmdNew = -11, CmdDelete = -12, CmdMoveUp = -13, CmdMoveDown = -14 };

    CSPEditListBase();
    virtual ~CSPEditListBase();

    BOOL SetStandardButtons(UINT uiBtns = SPEDIT_LIST_BTN_NEW | SPEDIT_LIST_BTN_DELETE | SPEDIT_LIST_BTN_UP |
                                          SPEDIT_LIST_BTN_DOWN);
    // An owner-drawn button child with the bitmap resource as its image,
    // the tooltip, and the key (a virtual key with FCONTROL, FALT, FSHIFT)
    // that runs it.
    BOOL AddButton(UINT uiImageResId, LPCTSTR lpszTooltip = NULL, WORD wKeyAccelerator = 0, BYTE fVirt = 0,
                   UINT uiButtonID = 0);
    BOOL EnableButton(int iButton, BOOL bEnable = TRUE);
    int GetButtonCount() const { return (int)m_lstButtons.GetSize(); }
    CSPButton* GetButton(int iButton) const;
    UINT GetButtonCommand(int iButton) const;
    UINT GetStandardButtons() const { return m_uiStandardBtns; }
    BOOL IsNewItem() const { return m_bNewItem; }

    // list operations, implemented by the list class
    virtual int AddItem(const CString& strText, DWORD_PTR dwData = 0, int iIndex = -1) = 0;
    virtual BOOL RemoveItem(int iIndex) = 0;
    virtual int GetCount() const = 0;
    virtual int GetSelItem() const = 0;
    virtual BOOL SelectItem(int iItem) = 0;
    virtual CString GetItemText(int iIndex) const = 0;
    virtual BOOL SetItemText(int iIndex, const CString& strText) = 0;
    virtual DWORD_PTR GetItemData(int iIndex) const = 0;
    virtual void SetItemData(int iIndex, DWORD_PTR dwData) = 0;
    virtual BOOL EditItem(int iIndex) = 0;
    virtual BOOL IsEditing() const = 0;
    virtual CWnd* GetListWnd() const = 0;
    virtual BOOL CreateList() = 0;

    // overridables
    virtual void OnClickButton(int iButton);
    virtual BOOL OnKey(UINT uiKey, BYTE fModifiers);
    virtual void OnEndEditItem(LPCTSTR lpszText);
    virtual int GetStdButtonNum(UINT uiStdBtn) const;
    virtual void OnSelectionChanged() {}
    virtual BOOL OnBeforeRemoveItem(int /*iItem*/) { return TRUE; }
    virtual void OnAfterAddItem(int /*iItem*/) {}
    virtual void OnAfterRenameItem(int /*iItem*/) {}
    virtual void OnAfterMoveItemUp(int /*iItem*/) {}
    virtual void OnAfterMoveItemDown(int /*iItem*/) {}
    virtual void OnDrawBrowseButton(CDC* pDC, CRect rect, BOOL bIsButtonPressed);
    virtual void OnBrowse() {}
    virtual void CreateNewItem();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    CArray<CSPButton*, CSPButton*> m_lstButtons;  // owned
    CArray<UINT, UINT> m_lstButtonsID;
    CMap<DWORD, DWORD, int, int> m_mapButtonKeys;  // MAKELONG(key, modifiers) -> button
    CFont m_font;
    UINT m_uiStandardBtns;
    int m_nCaptionHeight;
    BOOL m_bNewItem;
    BOOL m_bRedraw;
    CSize m_sizeButton;

    // Builds the list and lays the caption out.
    void Init();
    void AdjustLayout();
    void EnableAllButtons(BOOL bEnable);
    // Moves the selection one place up or down; FALSE at the end.
    BOOL MoveSelection(BOOL bUp);
    // The modifier state of a key message (FCONTROL, FALT, FSHIFT).
    static BYTE GetModifiers(const MSG* pMsg);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()
};
