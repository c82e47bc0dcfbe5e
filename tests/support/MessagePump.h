// MessagePump.h - runs the messages a test has caused, on this thread.
#pragma once
#include <windows.h>

// Dispatches the thread's pending messages and returns when none is left. A
// window that keeps posting to itself cannot hold the test: the pump stops
// after a generous number of messages. A WM_QUIT is dropped (the test
// program goes on).
inline void PumpPending() {
    MSG msg;
    for (int i = 0; i < 10000 && ::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE); i++) {
        if (msg.message == WM_QUIT) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
