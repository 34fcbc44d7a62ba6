// Message maps driven by real windows and real messages: dispatch through a class's map and
// its base's, parameter cracking, commands and their update handlers, the default procedure.
#include <gtest/gtest.h>
#include <afxwin.h>

#include <stdio.h>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

const UINT WM_APP_PING = WM_APP + 1;
const UINT WM_APP_THROW_INT = WM_APP + 2;
const UINT WM_APP_THROW_AFX = WM_APP + 3;
const UINT ID_FILE_A = 100;
const UINT ID_FILE_B = 101;
const UINT ID_RANGE_FIRST = 200;
const UINT ID_RANGE_LAST = 209;
const UINT ID_NO_HANDLER = 300;
const UINT ID_DISABLED = 301;
const UINT g_registeredMessage = ::RegisterWindowMessageA("Mirdalux.MsgMapTest.Registered");

std::string Format(const char* format, ...)
{
    char buffer[256];
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    return buffer;
}

// Handles one of everything and writes each call, with its cracked parameters, to a log.
class CBaseWnd : public CWnd
{
public:
    std::vector<std::string> log;
    std::vector<UINT> rangeIds;
    std::vector<UINT_PTR> timers;
    int paints = 0;

    BOOL CreateTopLevel()
    {
        LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                          (HBRUSH)::GetStockObject(WHITE_BRUSH));
        return CreateEx(0, cls, "msgmap", WS_POPUP | WS_VISIBLE, 10, 10, 200, 150, NULL, NULL);
    }
    std::string Last() const { return log.empty() ? std::string("(nothing)") : log.back(); }

    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { timers.push_back(nIDEvent); }
    afx_msg void OnFileA() { log.push_back("file A"); }
    afx_msg void OnDisabled() { log.push_back("disabled command ran"); }
    afx_msg void OnRange(UINT nID) { rangeIds.push_back(nID); }
    afx_msg void OnUpdateFileA(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM lParam)
    {
        log.push_back("base ping");
        return (LRESULT)(wParam + lParam);
    }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM)
    {
        log.push_back(Format("registered %d", (int)wParam));
        return 77;
    }
    afx_msg LRESULT OnThrowInt(WPARAM, LPARAM) { throw 42; }
    afx_msg LRESULT OnThrowAfx(WPARAM, LPARAM) { AfxThrowNotSupportedException(); }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        log.push_back(Format("size %u %d %d", nType, cx, cy));
    }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point)
    {
        log.push_back(Format("move %u %d %d", nFlags, (int)point.x, (int)point.y));
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        log.push_back(Format("ldown %u %d %d", nFlags, (int)point.x, (int)point.y));
    }
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point)
    {
        log.push_back(Format("rup %u %d %d", nFlags, (int)point.x, (int)point.y));
    }
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        log.push_back(Format("hscroll %u %u %s", nSBCode, nPos, pScrollBar ? "bar" : "none"));
    }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        log.push_back(Format("keydown %u %u %#x", nChar, nRepCnt, nFlags));
    }
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        log.push_back(Format("char %u %u %#x", nChar, nRepCnt, nFlags));
    }
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    {
        log.push_back(
            Format("setcursor %s %d %#x", pWnd == this ? "self" : "other", (int)nHitTest, message));
        return TRUE;
    }
    afx_msg int OnMouseActivate(CWnd*, UINT nHitTest, UINT message)
    {
        log.push_back(Format("mouseactivate %u %#x", nHitTest, message));
        return MA_NOACTIVATE;
    }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus)
    {
        log.push_back(Format("show %d %u", bShow, nStatus));
    }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI)
    {
        if (lpMMI != NULL && lpMMI->ptMinTrackSize.x == 12345)
            log.push_back("minmax");
    }
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        log.push_back(Format("wheel %u %d %d %d", nFlags, zDelta, (int)pt.x, (int)pt.y));
        return TRUE;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_COMMAND(ID_FILE_A, OnFileA)
    ON_COMMAND(ID_DISABLED, OnDisabled)
    ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnRange)
    ON_UPDATE_COMMAND_UI(ID_FILE_A, OnUpdateFileA)
    ON_UPDATE_COMMAND_UI(ID_DISABLED, OnUpdateDisabled)
    ON_MESSAGE(WM_APP_PING, OnPing)
    ON_REGISTERED_MESSAGE(g_registeredMessage, OnRegistered)
    ON_MESSAGE(WM_APP_THROW_INT, OnThrowInt)
    ON_MESSAGE(WM_APP_THROW_AFX, OnThrowAfx)
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_HSCROLL()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEACTIVATE()
    ON_WM_SHOWWINDOW()
    ON_WM_GETMINMAXINFO()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

// Overrides one of its base's handlers in its own map and adds a command.
class CDerivedWnd : public CBaseWnd
{
public:
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM lParam)
    {
        log.push_back("derived ping");
        return (LRESULT)(wParam * lParam);
    }
    afx_msg void OnFileB() { log.push_back("file B"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_MESSAGE(WM_APP_PING, OnPing)
    ON_COMMAND(ID_FILE_B, OnFileB)
END_MESSAGE_MAP()

// Records what a user-interface item was told.
class CRecordingCmdUI : public CCmdUI
{
public:
    int enabled = -1;
    int checked = -1;
    void Enable(BOOL bOn) override
    {
        enabled = bOn ? 1 : 0;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { checked = nCheck; }
};

TEST(MessageMap, CracksEachMessageForItsHandler)
{
    CBaseWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* expected;
    } cases[] = {
        {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(300, 200), "size 2 300 200"},
        // Coordinates left of or above the window (mouse captured) are negative.
        {WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM((WORD)-5, 7), "move 4 -5 7"},
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, (WORD)-9), "ldown 1 3 -9"},
        {WM_RBUTTONUP, 0, MAKELPARAM(40, 50), "rup 0 40 50"},
        {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 1234), 0, "hscroll 5 1234 none"},
        {WM_KEYDOWN, VK_F5, MAKELPARAM(3, 0x4000), "keydown 116 3 0x4000"},
        {WM_CHAR, 'q', MAKELPARAM(1, 0x10), "char 113 1 0x10"},
        {WM_SETCURSOR, 0, MAKELPARAM((WORD)HTERROR, WM_LBUTTONDOWN), "setcursor other -2 0x201"},
        {WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_RBUTTONDOWN), "mouseactivate 1 0x204"},
        {WM_SHOWWINDOW, TRUE, SW_PARENTOPENING, "show 1 3"},
        {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)-120), MAKELPARAM(15, 25),
         "wheel 8 -120 15 25"},
    };
    for (const Case& c : cases) {
        wnd.log.clear();
        wnd.SendMessage(c.message, c.wParam, c.lParam);
        EXPECT_EQ(std::string(c.expected), wnd.Last()) << "message 0x" << std::hex << c.message;
    }
    // WM_SETCURSOR's window is the window under the cursor: this one.
    wnd.log.clear();
    wnd.SendMessage(WM_SETCURSOR, (WPARAM)wnd.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ("setcursor self 1 0x200", wnd.Last());
    // Return values come back to the sender.
    EXPECT_EQ(MA_NOACTIVATE,
              wnd.SendMessage(WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    MINMAXINFO mmi = {};
    mmi.ptMinTrackSize.x = 12345;
    wnd.log.clear();
    wnd.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    EXPECT_EQ("minmax", wnd.Last());
    wnd.DestroyWindow();
}

TEST(MessageMap, DerivedMapOverridesOneHandlerAndInheritsTheRest)
{
    CDerivedWnd derived;
    ASSERT_TRUE(derived.CreateTopLevel());
    EXPECT_EQ(12, derived.SendMessage(WM_APP_PING, 3, 4)) << "the derived handler multiplies";
    EXPECT_EQ("derived ping", derived.Last());
    EXPECT_EQ(77, derived.SendMessage(g_registeredMessage, 5, 0));
    EXPECT_EQ("registered 5", derived.Last()) << "the registered message is in the base's map";

    derived.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_A, 0), 0);
    EXPECT_EQ("file A", derived.Last()) << "a base command handler";
    derived.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_B, 1), 0);
    EXPECT_EQ("file B", derived.Last()) << "an accelerator (code 1) routes as a command";

    CBaseWnd base;
    ASSERT_TRUE(base.CreateTopLevel());
    EXPECT_EQ(7, base.SendMessage(WM_APP_PING, 3, 4)) << "the base handler adds";
    EXPECT_EQ("base ping", base.Last());
    base.log.clear();
    base.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_B, 0), 0);
    EXPECT_TRUE(base.log.empty()) << "the base knows nothing of the derived command, got "
                                  << base.Last();

    // Paint and timer reach the base's handlers from a derived window, through real messages.
    derived.paints = 0;
    derived.Invalidate();
    derived.UpdateWindow();
    EXPECT_EQ(1, derived.paints);
    ASSERT_EQ(42u, derived.SetTimer(42, 10));
    EXPECT_TRUE(PumpUntil([&] { return !derived.timers.empty(); })) << "no WM_TIMER within 3 s";
    derived.KillTimer(42);
    ASSERT_FALSE(derived.timers.empty());
    EXPECT_EQ(42u, derived.timers.front());
    derived.DestroyWindow();
    base.DestroyWindow();
}

TEST(MessageMap, UnhandledMessagesReachTheDefaultProcedure)
{
    CBaseWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    EXPECT_TRUE(wnd.SendMessage(WM_SETTEXT, 0, (LPARAM) "stored by DefWindowProc"));
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ("stored by DefWindowProc", (LPCTSTR)text);
    EXPECT_EQ(23, wnd.SendMessage(WM_GETTEXTLENGTH));
    // A command nobody handles is not swallowed either: it goes on to the default procedure.
    EXPECT_EQ(0, wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_NO_HANDLER, 0), 0));
    wnd.DestroyWindow();
}

TEST(MessageMap, CommandRangeAndDisabledCommands)
{
    CBaseWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    wnd.log.clear();  // creation's WM_SHOWWINDOW
    for (UINT id : {ID_RANGE_FIRST, ID_RANGE_FIRST + 4, ID_RANGE_LAST, ID_RANGE_LAST + 1})
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
    EXPECT_EQ((std::vector<UINT>{ID_RANGE_FIRST, ID_RANGE_FIRST + 4, ID_RANGE_LAST}), wnd.rangeIds);

    // The update handler disables the item, so the menu command is dropped.
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_DISABLED, 0), 0);
    EXPECT_TRUE(wnd.log.empty()) << "got " << wnd.Last();
    // Calling OnCmdMsg directly bypasses that check.
    EXPECT_TRUE(wnd.OnCmdMsg(ID_DISABLED, CN_COMMAND, NULL, NULL));
    EXPECT_EQ("disabled command ran", wnd.Last());
    wnd.DestroyWindow();
}

TEST(MessageMap, UpdateCommandUiThroughOnCmdMsg)
{
    CDerivedWnd wnd;  // no window needed: command routing is the object's
    struct Case {
        UINT id;
        BOOL bDisableIfNoHandler;
        int enabled;
        int checked;
    } cases[] = {
        {ID_FILE_A, TRUE, 1, 1},            // update handler checks; command handler enables
        {ID_FILE_B, TRUE, 1, -1},           // command handler only, in the derived map
        {ID_RANGE_FIRST + 3, TRUE, 1, -1},  // a range handler counts
        {ID_NO_HANDLER, TRUE, 0, -1},       // nothing handles it: disabled
        {ID_NO_HANDLER, FALSE, -1, -1},     // ... unless asked not to
        {ID_DISABLED, TRUE, 0, -1},         // the update handler disables it
    };
    for (const Case& c : cases) {
        CRecordingCmdUI ui;
        ui.m_nID = c.id;
        ui.DoUpdate(&wnd, c.bDisableIfNoHandler);
        EXPECT_EQ(c.enabled, ui.enabled) << "id " << c.id;
        EXPECT_EQ(c.checked, ui.checked) << "id " << c.id;
    }
    AFX_CMDHANDLERINFO info = {NULL, NULL};
    EXPECT_TRUE(wnd.OnCmdMsg(ID_FILE_B, CN_COMMAND, NULL, &info));
    EXPECT_EQ(&wnd, info.pTarget);
    EXPECT_TRUE(wnd.log.empty()) << "asking for the handler must not call it, got " << wnd.Last();
    EXPECT_FALSE(wnd.OnCmdMsg(ID_NO_HANDLER, CN_COMMAND, NULL, &info));
}

TEST(MessageMap, ExceptionsDoNotLeaveTheWindowProcedure)
{
    CBaseWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    EXPECT_EQ(0, wnd.SendMessage(WM_APP_THROW_INT));
    EXPECT_EQ(0, wnd.SendMessage(WM_APP_THROW_AFX));
    // The window still works, and Default() uses the right message again.
    EXPECT_EQ(7, wnd.SendMessage(WM_APP_PING, 3, 4));
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
    wnd.DestroyWindow();
}

}  // namespace
