// SPCaptionButton.h - CSPCaptionButton: one button in the caption of a mini
// frame or a docking pane (close, pin, roll), with its place and state.
//
// The record is what the visual managers draw from; they read it through
// ISPVisualCaptionButton because the foundation cannot name this class.
#pragma once
#include "afxwin.h"

#include "SPClientHooks.h"

class CSPCaptionButton : public CObject, public ISPVisualCaptionButton {
public:
    explicit CSPCaptionButton(UINT nHit = 0);
    virtual ~CSPCaptionButton();

    UINT GetHit() const { return m_nHit; }
    // The button's own colour when it has one, else the visual manager's
    // colour for the caption state.
    COLORREF GetColor(BOOL bActive, BOOL bHorz) const;
    void SetColor(COLORREF clr) { m_clrOwn = clr; }

    // The rectangle the visual manager gives the button at its position;
    // empty while hidden.
    CRect GetRect() const;
    CSize GetSize() const;
    void Move(CPoint ptTo) { m_ptPos = ptTo; }

    void GetVisualInfo(SPCaptionButtonInfo& info) const override;

    CPoint m_ptPos;
    DWORD m_dwExtra;
    COLORREF m_clrOwn;  // 0: none of its own
    UINT m_nHit;
    BOOL m_bPushed;
    BOOL m_bFocused;
    BOOL m_bHidden;
};
