// SPTrackMouse.h - the library's mouse-leave notification.
//
// SPTrackMouse emulates the Win32 mouse-tracking call for TME_LEAVE: the
// window named in the structure receives one WM_MOUSELEAVE once the
// pointer has left it, found by a 100 ms poll. TME_CANCEL with TME_LEAVE
// stops a pending request. Other flags start nothing.
#pragma once
#include "afxwin.h"

// The id of the poll's timer: one that no library window uses for anything
// else, so that a bar's own timers and the poll never replace each other.
const UINT_PTR SP_TRACKMOUSE_TIMER_ID = 0xE1E5;

// FALSE for a missing structure, a wrong size or a window that does not
// exist; TRUE otherwise (also when the flags ask for nothing).
BOOL SPTrackMouse(LPTRACKMOUSEEVENT lpEventTrack);
