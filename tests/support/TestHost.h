// The host application the library's tests run in: the application object (defined here, so a
// test that uses the host must not define its own), the MDI main frame, top-level parent windows
// for views, message pumping and screen capture. Its resources (testhost.rc: the cursor "H256",
// the graphic template's menu and strings under id 4, the main frame's under id 100) must be
// linked into each test executable: mirdalux_use_test_host(target) in CMake does it.
//
//   TestParentWindow parent(400, 300);          // visible, at the screen's top-left corner
//   ... create a view inside parent.Wnd() ...
//   PumpMessages();                              // let it paint
//   DibCanvas shot(400, 300);
//   ASSERT_TRUE(CaptureClient(viewHwnd, shot));  // what the screen shows
#pragma once
#include <afxwin.h>

#include "DibCanvas.h"
#include "MessagePump.h"

#define IDR_TESTHOST_TEMPLATE 4
#define IDR_TESTHOST_MAINFRAME 100

class CTestHostApp : public CWinApp
{
public:
    CTestHostApp();
};

// The one application object of a test executable that links the host.
CTestHostApp& TestHostApp();

// The host's MDI main frame, loaded from IDR_TESTHOST_MAINFRAME on first call and made the
// application's main window; NULL when it cannot be created. Destroyed with the process, or by
// DestroyTestHostMainFrame.
CMDIFrameWnd* TestHostMainFrame();
void DestroyTestHostMainFrame();

// A visible top-level window without border or caption, at the screen's top-left corner, whose
// client area has the given size. Destroying it (or the object) destroys its child windows.
class TestParentWindow
{
public:
    explicit TestParentWindow(int clientWidth = 400, int clientHeight = 300,
                              COLORREF background = RGB(192, 192, 192));
    ~TestParentWindow();
    TestParentWindow(const TestParentWindow&) = delete;
    TestParentWindow& operator=(const TestParentWindow&) = delete;

    CWnd* Wnd() { return &m_wnd; }
    HWND Hwnd() const { return m_wnd.m_hWnd; }
    // Destroys the window now; harmless when it is already gone.
    void Destroy();

private:
    CWnd m_wnd;
    HBRUSH m_hBackground;
};

// Copies the client area of hWnd, as the screen shows it, into canvas from its top-left
// corner (as much as fits). False when the window has no device context.
bool CaptureClient(HWND hWnd, DibCanvas& canvas);
