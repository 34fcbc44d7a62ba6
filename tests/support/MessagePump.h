// Message pumping for tests that drive real windows: dispatch what is waiting, or keep
// dispatching until a condition holds.
#pragma once
#include <windows.h>

// Dispatches every message waiting in the thread's queue, paints included (WM_QUIT is dropped).
inline void PumpMessages()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

// Dispatches messages until done() holds or timeoutMs pass; false on the timeout.
template <class Done> bool PumpUntil(Done done, DWORD timeoutMs = 3000)
{
    for (const DWORD start = ::GetTickCount(); !done();) {
        PumpMessages();
        if (!done() && ::GetTickCount() - start > timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}
