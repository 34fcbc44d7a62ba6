// Message pumping for tests that drive real windows: dispatch what is waiting, or keep
// dispatching until a condition holds.
#pragma once
#include <windows.h>

#include <functional>

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

// Answers a modal window the code under test is about to open (a dialog, a message box): every
// periodMs a thread timer looks for a top-level window of that class and title (NULL: any) and
// hands it to answer, until answer says it was done. One answer waits at a time.
struct WindowAnswer {
    const char *cls, *title;
    std::function<bool(HWND)> answer;

    static WindowAnswer& Pending()
    {
        static WindowAnswer pending;
        return pending;
    }
    static void CALLBACK Poll(HWND, UINT, UINT_PTR id, DWORD)
    {
        const HWND hWnd = ::FindWindowA(Pending().cls, Pending().title);
        if (hWnd != NULL && Pending().answer(hWnd))
            ::KillTimer(NULL, id);
    }
};

inline void AnswerWhenOpen(const char* cls, const char* title, std::function<bool(HWND)> answer,
                           UINT periodMs = 50)
{
    WindowAnswer::Pending() = {cls, title, std::move(answer)};
    ::SetTimer(NULL, 0, periodMs, &WindowAnswer::Poll);
}
