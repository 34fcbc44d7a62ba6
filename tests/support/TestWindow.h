// Real windows for the tests that drive them, linked by every test program with or without the
// test host: windows of the tests' own class, parent windows for views, and the screen's copy of
// a client area.
#pragma once
#include <afxwin.h>

#include "DibCanvas.h"
#include "MessagePump.h"

// Creates wnd with the given style and window rectangle, as a child with that id when pParent is
// given. The class takes double clicks, shows the arrow cursor, erases with hBackground (white
// when NULL) and does not redraw the whole window on resizing.
BOOL CreateTestWindow(CWnd& wnd, DWORD style, const RECT& rc, CWnd* pParent = NULL, UINT nID = 0,
                      HBRUSH hBackground = NULL);

// A visible top-level window without border or caption, at the screen's top-left corner, whose
// client area has the given size; with pParent, a child window at pParent's top-left corner.
// Destroying it (or the object) destroys its child windows.
class TestParentWindow
{
public:
    explicit TestParentWindow(int clientWidth = 400, int clientHeight = 300,
                              COLORREF background = RGB(192, 192, 192), CWnd* pParent = NULL);
    ~TestParentWindow();
    TestParentWindow(const TestParentWindow&) = delete;
    TestParentWindow& operator=(const TestParentWindow&) = delete;

    CWnd* Wnd() { return &m_wnd; }
    HWND Hwnd() const { return m_wnd.m_hWnd; }
    // Destroys the window now; harmless when it is already gone.
    void Destroy() { m_wnd.DestroyWindow(); }

private:
    CWnd m_wnd;
    HBRUSH m_hBackground;
};

// Copies the client area of hWnd, as the screen shows it, into canvas from its top-left
// corner (as much as fits). False when the window has no device context.
bool CaptureClient(HWND hWnd, DibCanvas& canvas);
