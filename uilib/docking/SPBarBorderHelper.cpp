#include "SPBarBorderHelper.h"

#include "SPControlBar.h"
#include "SPGlobalData.h"
#include "SPVisualManager.h"

void CSPBarBorderHelper::CalcInsideRect(RECT& rect) const {
    if (m_pBar == NULL) return;
    CRect rectInside(0, 0, 0, 0);
    m_pBar->CalcInsideRect(rectInside, m_pBar->IsHorizontal());
    rect.left += rectInside.left;
    rect.top += rectInside.top;
    rect.right += rectInside.right;
    rect.bottom += rectInside.bottom;
}

void CSPBarBorderHelper::GetGripperRect(RECT& rect, BOOL bClient) const {
    CRect rectWnd(0, 0, 0, 0);
    if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL) {
        rect = rectWnd;
        return;
    }
    m_pBar->GetWindowRect(rectWnd);
    CRect rectClient;
    m_pBar->GetClientRect(rectClient);
    m_pBar->ClientToScreen(rectClient);
    CRect rectGripper = rectWnd;
    if (m_pBar->IsHorizontal()) {
        if (rectGripper.right > rectClient.left - 1) rectGripper.right = rectClient.left - 1;
    } else {
        if (rectGripper.bottom > rectClient.top - 1) rectGripper.bottom = rectClient.top - 1;
    }
    if (bClient)
        m_pBar->ScreenToClient(rectGripper);
    else
        rectGripper.OffsetRect(-rectWnd.left, -rectWnd.top);
    rect = rectGripper;
}

void CSPBarBorderHelper::DrawBorders() {
    if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL) return;
    CWindowDC dc(m_pBar);

    CRect rectWnd;
    m_pBar->GetWindowRect(rectWnd);
    CRect rectClient;
    m_pBar->GetClientRect(rectClient);
    m_pBar->ClientToScreen(rectClient);
    rectClient.OffsetRect(-rectWnd.left, -rectWnd.top);
    dc.ExcludeClipRect(rectClient);
    rectWnd.OffsetRect(-rectWnd.left, -rectWnd.top);

    CSPVisualManager* pManager = CSPVisualManager::GetInstance();
    pManager->OnDrawBarBorder(&dc, m_pBar, rectWnd);
    pManager->OnFillBarBackground(&dc, m_pBar, rectWnd, rectWnd, TRUE);

    const DWORD dwStyle = m_pBar->GetControlBarStyle();
    if ((dwStyle & CBRS_GRIPPER) && !(dwStyle & CBRS_FLOATING)) {
        CRect rectGripper;
        GetGripperRect(rectGripper, FALSE);
        pManager->OnDrawBarGripper(&dc, rectGripper, m_pBar->IsHorizontal(), m_pBar);
    }
}

void CSPBarBorderHelper::FillBackground(CDC* pDC) {
    if (m_pBar != NULL && pDC != NULL) spGlobalData.DrawParentBackground(m_pBar, pDC);
}
