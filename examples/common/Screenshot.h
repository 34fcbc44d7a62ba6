// The example hosts' --screenshot FILE option: where the picture goes, the window style that
// keeps it the same under headless Wine, and the timer that captures the main window once it
// has painted, writes the PNG and ends the application.
#pragma once
#include <afxwin.h>

#include <cstring>

#include "PngWriter.h"

namespace examples {

// The path that follows --screenshot on the command line ("demo.png" when nothing follows);
// empty when the flag is absent.
inline CString ScreenshotPathFrom(LPCTSTR pszCmdLine)
{
    const char* pszFlag = pszCmdLine != NULL ? std::strstr(pszCmdLine, "--screenshot") : NULL;
    if (pszFlag == NULL)
        return CString();
    CString rest(pszFlag + std::strlen("--screenshot"));
    rest.Trim();
    rest.Trim('"');
    return rest.IsEmpty() ? CString(_T("demo.png")) : rest;
}

// Headless Wine has no symbol font for the caption buttons: a screenshot leaves them out.
inline DWORD WithoutCaptionButtons(DWORD style)
{
    return style & ~(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
}

inline CString& PendingScreenshotPath()
{
    static CString path;
    return path;
}

// Copies the main window from the screen into a 32-bit DIB and writes it as a PNG; then
// closes the application, whose exit code tells the demo script whether the picture was
// written.
inline void CALLBACK TakeScreenshot(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    ::KillTimer(NULL, idEvent);
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL)
        return;
    pMain->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);

    CRect rc;
    pMain->GetWindowRect(&rc);
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = rc.Width();
    bmi.bmiHeader.biHeight = -rc.Height();  // top-down rows
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HDC hdcScreen = ::GetDC(NULL);
    HBITMAP hbm = ::CreateDIBSection(hdcScreen, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
    int status = 1;
    if (hbm != NULL && hdcMem != NULL) {
        HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
        ::BitBlt(hdcMem, 0, 0, rc.Width(), rc.Height(), hdcScreen, rc.left, rc.top, SRCCOPY);
        ::GdiFlush();
        if (mirdalux::WritePngBgrx(PendingScreenshotPath(), rc.Width(), rc.Height(), pBits,
                                   rc.Width() * 4))
            status = 0;
        ::SelectObject(hdcMem, hOld);
    }
    if (hdcMem != NULL)
        ::DeleteDC(hdcMem);
    if (hbm != NULL)
        ::DeleteObject(hbm);
    ::ReleaseDC(NULL, hdcScreen);
    if (status != 0)
        ::MessageBeep(MB_ICONERROR);
    pMain->SendMessage(WM_CLOSE);
    ::PostQuitMessage(status);
}

// Takes the screenshot into path half a second from now, when the main window has painted.
inline void ScheduleScreenshot(const CString& path)
{
    PendingScreenshotPath() = path;
    ::SetTimer(NULL, 0, 500, TakeScreenshot);
}

}  // namespace examples
