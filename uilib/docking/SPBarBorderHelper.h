// SPBarBorderHelper.h - CSPBarBorderHelper: the non-client area of a control
// bar (its inside borders and gripper) for bars that keep them outside the
// client area: the size for WM_NCCALCSIZE, the drawing for WM_NCPAINT.
#pragma once
#include "afxwin.h"

class CSPControlBar;

class CSPBarBorderHelper {
public:
    explicit CSPBarBorderHelper(CSPControlBar* pBar) : m_pBar(pBar) {}
    virtual ~CSPBarBorderHelper() {}

    // Takes the bar's borders and gripper off rect (the client rectangle of
    // WM_NCCALCSIZE), as the bar's CalcInsideRect takes them in its current
    // orientation.
    void CalcInsideRect(RECT& rect) const;
    // Border, non-client background and gripper, drawn by the visual manager
    // on the bar's window DC with the client area left out.
    void DrawBorders();
    // The part of the window before the client area (left of it when the bar
    // lies horizontally, above it when vertically), window-relative, or in
    // client coordinates when bClient.
    void GetGripperRect(RECT& rect, BOOL bClient) const;
    // The parent's background behind the bar.
    void FillBackground(CDC* pDC);

protected:
    CSPControlBar* m_pBar;

private:
    CSPBarBorderHelper(const CSPBarBorderHelper&) = delete;
    CSPBarBorderHelper& operator=(const CSPBarBorderHelper&) = delete;
};
