#include "SPCaptionButton.h"

#include "SPVisualManager.h"

CSPCaptionButton::CSPCaptionButton(UINT nHit)
    : m_ptPos(0, 0), m_dwExtra(0), m_clrOwn(0), m_nHit(nHit), m_bPushed(FALSE), m_bFocused(FALSE), m_bHidden(FALSE) {}

CSPCaptionButton::~CSPCaptionButton() {}

COLORREF CSPCaptionButton::GetColor(BOOL bActive, BOOL /*bHorz*/) const {
    if (m_clrOwn != 0) return m_clrOwn;
    return ::GetSysColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
}

CRect CSPCaptionButton::GetRect() const {
    SPCaptionButtonInfo info;
    GetVisualInfo(info);
    return CSPVisualManager::GetInstance()->GetCaptionButtonRect(info);
}

CSize CSPCaptionButton::GetSize() const { return GetRect().Size(); }

void CSPCaptionButton::GetVisualInfo(SPCaptionButtonInfo& info) const {
    info.ptPos = m_ptPos;
    info.bHidden = m_bHidden;
    info.nHit = m_nHit;
    info.bPushed = m_bPushed;
    info.bFocused = m_bFocused;
}
