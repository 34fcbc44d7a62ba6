// Message maps driven by real windows and real messages: dispatch through a class's map and
// its base's, parameter cracking, commands and their update handlers, the default procedure.
#include <gtest/gtest.h>
#include <afxwin.h>

#include <stdio.h>
#include <string>
#include <vector>

#include "NamedChecks.h"
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
    template <class... Args> void Log(const char* format, Args... args)
    {
        log.push_back(Format(format, args...));
    }

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
        Log("registered %d", (int)wParam);
        return 77;
    }
    afx_msg LRESULT OnThrowInt(WPARAM, LPARAM) { throw 42; }
    afx_msg LRESULT OnThrowAfx(WPARAM, LPARAM) { AfxThrowNotSupportedException(); }
    afx_msg void OnSize(UINT nType, int cx, int cy) { Log("size %u %d %d", nType, cx, cy); }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point)
    {
        Log("move %u %d %d", nFlags, (int)point.x, (int)point.y);
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        Log("ldown %u %d %d", nFlags, (int)point.x, (int)point.y);
    }
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point)
    {
        Log("rup %u %d %d", nFlags, (int)point.x, (int)point.y);
    }
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        Log("hscroll %u %u %s", nSBCode, nPos, pScrollBar ? "bar" : "none");
    }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        Log("keydown %u %u %#x", nChar, nRepCnt, nFlags);
    }
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        Log("char %u %u %#x", nChar, nRepCnt, nFlags);
    }
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    {
        Log("setcursor %s %d %#x", pWnd == this ? "self" : "other", (int)nHitTest, message);
        return TRUE;
    }
    afx_msg int OnMouseActivate(CWnd*, UINT nHitTest, UINT message)
    {
        Log("mouseactivate %u %#x", nHitTest, message);
        return MA_NOACTIVATE;
    }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus) { Log("show %d %u", bShow, nStatus); }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI)
    {
        if (lpMMI != NULL && lpMMI->ptMinTrackSize.x == 12345)
            log.push_back("minmax");
    }
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        Log("wheel %u %d %d %d", nFlags, zDelta, (int)pt.x, (int)pt.y);
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

// Return values and the log after each message, to a derived window and to its base.
TEST(MessageMap, DerivedMapsRangesDefaultsAndExceptions)
{
    CDerivedWnd derived;
    CBaseWnd base;
    ASSERT_TRUE(derived.CreateTopLevel() && base.CreateTopLevel());
    derived.log.clear();  // creation's WM_SHOWWINDOW
    const struct {
        const char* name;
        CBaseWnd* wnd;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
        const char* log;
    } rows[] = {
        {"the derived handler multiplies", &derived, WM_APP_PING, 3, 4, 12, "derived ping"},
        {"the base's registered message", &derived, g_registeredMessage, 5, 0, 77, "registered 5"},
        {"a base command handler", &derived, WM_COMMAND, MAKEWPARAM(ID_FILE_A, 0), 0, 1, "file A"},
        {"an accelerator (code 1) routes as a command", &derived, WM_COMMAND,
         MAKEWPARAM(ID_FILE_B, 1), 0, 1, "file B"},
        {"the base handler adds", &base, WM_APP_PING, 3, 4, 7, "base ping"},
        {"the base knows nothing of the derived command", &base, WM_COMMAND,
         MAKEWPARAM(ID_FILE_B, 0), 0, 0, ""},
        {"the update handler disables: the command is dropped", &base, WM_COMMAND,
         MAKEWPARAM(ID_DISABLED, 0), 0, 1, ""},
        {"unhandled: DefWindowProc stores the text", &base, WM_SETTEXT, 0, (LPARAM) "stored", TRUE,
         ""},
        {"unhandled: DefWindowProc answers", &base, WM_GETTEXTLENGTH, 0, 0, 6, ""},
        {"a command nobody handles goes on to the default", &base, WM_COMMAND,
         MAKEWPARAM(ID_NO_HANDLER, 0), 0, 0, ""},
        {"an int thrown in a handler stays inside", &base, WM_APP_THROW_INT, 0, 0, 0, ""},
        {"an exception object stays inside", &base, WM_APP_THROW_AFX, 0, 0, 0, ""},
        {"and the window still works", &base, WM_APP_PING, 3, 4, 7, "base ping"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        r.wnd->log.clear();
        EXPECT_EQ(r.result, r.wnd->SendMessage(r.message, r.wParam, r.lParam));
        EXPECT_EQ(r.log, Joined(r.wnd->log));
    }
    for (UINT id : {ID_RANGE_FIRST, ID_RANGE_FIRST + 4, ID_RANGE_LAST, ID_RANGE_LAST + 1})
        base.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
    EXPECT_EQ((std::vector<UINT>{ID_RANGE_FIRST, ID_RANGE_FIRST + 4, ID_RANGE_LAST}),
              base.rangeIds);
    EXPECT_TRUE(base.OnCmdMsg(ID_DISABLED, CN_COMMAND, NULL, NULL))
        << "OnCmdMsg bypasses the check";
    EXPECT_EQ("disabled command ran", base.Last());

    // Paint and timer reach the base's handlers from a derived window, through real messages.
    derived.paints = 0;
    derived.Invalidate();
    derived.UpdateWindow();
    EXPECT_EQ(1, derived.paints);
    ASSERT_EQ(42u, derived.SetTimer(42, 10));
    EXPECT_TRUE(PumpUntil([&] { return !derived.timers.empty(); })) << "no WM_TIMER within 3 s";
    derived.KillTimer(42);
    EXPECT_EQ(42u, derived.timers.empty() ? 0 : derived.timers.front());
    derived.DestroyWindow();
    base.DestroyWindow();
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

}  // namespace
