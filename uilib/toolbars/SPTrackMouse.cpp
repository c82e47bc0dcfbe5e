#include "SPTrackMouse.h"

static const UINT nPollMilliseconds = 100;

static void CALLBACK TrackMouseTimerProc(HWND hWnd, UINT /*uMsg*/, UINT_PTR idEvent, DWORD /*dwTime*/) {
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rect;
    ::GetWindowRect(hWnd, rect);
    if (rect.PtInRect(pt) && ::WindowFromPoint(pt) == hWnd) return;
    ::KillTimer(hWnd, idEvent);
    ::PostMessage(hWnd, WM_MOUSELEAVE, 0, 0);
}

BOOL SPTrackMouse(LPTRACKMOUSEEVENT lpEventTrack) {
    if (lpEventTrack == NULL || lpEventTrack->cbSize != sizeof(TRACKMOUSEEVENT)) return FALSE;
    HWND hWnd = lpEventTrack->hwndTrack;
    if (!::IsWindow(hWnd)) return FALSE;
    if ((lpEventTrack->dwFlags & TME_LEAVE) == 0) return TRUE;
    if (lpEventTrack->dwFlags & TME_CANCEL) {
        ::KillTimer(hWnd, SP_TRACKMOUSE_TIMER_ID);
        return TRUE;
    }
    return ::SetTimer(hWnd, SP_TRACKMOUSE_TIMER_ID, nPollMilliseconds, TrackMouseTimerProc) != 0;
}
