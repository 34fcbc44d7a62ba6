// The host application the library's tests run in: the application object (defined here, so a
// test that uses the host must not define its own) and the MDI main frame; parent windows and
// screen capture come with TestWindow.h. Its resources (testhost.rc: the cursor "H256", the
// graphic template's menu and strings under id 4, the main frame's under id 100) must be linked
// into each test executable: mirdalux_use_test_host(target) in CMake does it.
#pragma once
#include <afxwin.h>

#include "TestWindow.h"

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
