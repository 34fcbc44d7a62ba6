// Message pumping for tests that drive real windows: dispatch what is waiting, or keep
// dispatching until a condition holds.
#pragma once
#include <windows.h>

// Dispatches every message waiting in the thread's queue, paints included (WM_QUIT is dropped).
void PumpMessages();

// Dispatches messages until done() holds or timeoutMs pass; false on the timeout.
template <class Done> bool PumpUntil(Done done, DWORD timeoutMs = 3000)
{
    DWORD start = ::GetTickCount();
    while (!done()) {
        PumpMessages();
        if (done())
            break;
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}
