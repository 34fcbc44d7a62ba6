// The test host: application object, MDI main frame, parent windows, pumping and capture.
#include "TestHost.h"

namespace {

CTestHostApp theTestHostApp;

CMDIFrameWnd* g_pMainFrame = NULL;

}  // namespace

CTestHostApp::CTestHostApp() : CWinApp("Mirdalux Test Host") {}

CTestHostApp& TestHostApp()
{
    return theTestHostApp;
}

CMDIFrameWnd* TestHostMainFrame()
{
    if (g_pMainFrame != NULL && ::IsWindow(g_pMainFrame->m_hWnd))
        return g_pMainFrame;
    CMDIFrameWnd* pFrame = new CMDIFrameWnd;
    // A failed LoadFrame deletes the frame object itself.
    if (!pFrame->LoadFrame(IDR_TESTHOST_MAINFRAME))
        return g_pMainFrame = NULL;
    pFrame->SetWindowPos(NULL, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->ShowWindow(SW_SHOW);
    pFrame->UpdateWindow();
    theTestHostApp.m_pMainWnd = pFrame;
    return g_pMainFrame = pFrame;
}

void DestroyTestHostMainFrame()
{
    if (g_pMainFrame != NULL && ::IsWindow(g_pMainFrame->m_hWnd))
        g_pMainFrame->DestroyWindow();
    g_pMainFrame = NULL;
    theTestHostApp.m_pMainWnd = NULL;
    // Destroying the main window posts WM_QUIT; a test goes on pumping after it.
    MSG msg;
    while (::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

TestParentWindow::TestParentWindow(int clientWidth, int clientHeight, COLORREF background)
    : m_hBackground(::CreateSolidBrush(background))
{
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), m_hBackground);
    m_wnd.CreateEx(0, lpszClass, _T("Test parent"), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                   clientWidth, clientHeight, NULL, NULL);
    if (m_wnd.m_hWnd != NULL)
        m_wnd.UpdateWindow();
}

TestParentWindow::~TestParentWindow()
{
    Destroy();
    PumpMessages();
    if (m_hBackground != NULL)
        ::DeleteObject(m_hBackground);
}

void TestParentWindow::Destroy()
{
    if (m_wnd.m_hWnd != NULL)
        m_wnd.DestroyWindow();
}

bool CaptureClient(HWND hWnd, DibCanvas& canvas)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return false;
    ::GdiFlush();
    HDC hdc = ::GetDC(hWnd);
    if (hdc == NULL)
        return false;
    RECT client;
    ::GetClientRect(hWnd, &client);
    int cx = client.right < canvas.Width() ? client.right : canvas.Width();
    int cy = client.bottom < canvas.Height() ? client.bottom : canvas.Height();
    BOOL ok = ::BitBlt(canvas.Hdc(), 0, 0, cx, cy, hdc, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, hdc);
    ::GdiFlush();
    return ok != FALSE;
}
