// The test host: application object and MDI main frame.
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
