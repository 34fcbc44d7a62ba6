// Test windows, parent windows and screen capture.
#include "TestWindow.h"

#include <algorithm>

BOOL CreateTestWindow(CWnd& wnd, DWORD style, const RECT& rc, CWnd* pParent, UINT nID,
                      HBRUSH hBackground)
{
    HBRUSH hBrush = hBackground != NULL ? hBackground : (HBRUSH)::GetStockObject(WHITE_BRUSH);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), hBrush);
    return wnd.CreateEx(0, lpszClass, _T("test"), style, rc, pParent, nID);
}

TestParentWindow::TestParentWindow(int clientWidth, int clientHeight, COLORREF background,
                                   CWnd* pParent)
    : m_hBackground(::CreateSolidBrush(background))
{
    const DWORD style = (pParent != NULL ? WS_CHILD : WS_POPUP) | WS_VISIBLE | WS_CLIPCHILDREN;
    if (CreateTestWindow(m_wnd, style, CRect(0, 0, clientWidth, clientHeight), pParent, 0,
                         m_hBackground))
        m_wnd.UpdateWindow();
}

TestParentWindow::~TestParentWindow()
{
    Destroy();
    PumpMessages();
    ::DeleteObject(m_hBackground);
}

bool CaptureClient(HWND hWnd, DibCanvas& canvas)
{
    HDC hdc = ::IsWindow(hWnd) ? ::GetDC(hWnd) : NULL;
    if (hdc == NULL)
        return false;
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    ::GdiFlush();
    const BOOL ok = ::BitBlt(canvas.Hdc(), 0, 0, std::min<int>(rc.right, canvas.Width()),
                             std::min<int>(rc.bottom, canvas.Height()), hdc, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, hdc);
    ::GdiFlush();
    return ok != FALSE;
}
