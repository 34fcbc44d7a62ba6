// Message maps driven by real windows and real messages: dispatch through a class's map and
// its base's, parameter cracking, commands and their update handlers, the default procedure.
#include "TestSupport.h"
#include "TestWindow.h"

#include <stdio.h>

namespace {

enum : UINT { WM_APP_PING = WM_APP + 1, WM_APP_THROW_INT, WM_APP_THROW_AFX };
enum : UINT { ID_FILE_A = 100, ID_FILE_B, ID_RANGE_FIRST = 200, ID_RANGE_LAST = 209 };
enum : UINT { ID_NO_HANDLER = 300, ID_DISABLED };
const UINT g_registeredMessage = ::RegisterWindowMessageA("Mirdalux.MsgMapTest.Registered");

// Handles one of everything and writes each call, with its cracked parameters, to a log.
struct CBaseWnd : CWnd {
    std::vector<std::string> log;

    BOOL Make() { return CreateTestWindow(*this, WS_POPUP | WS_VISIBLE, CRect(10, 10, 210, 160)); }
    // Logs one call; TRUE, for handlers that answer it.
    template <class... Args> BOOL Log(const char* format, Args... args)
    {
        char buffer[256];
        snprintf(buffer, sizeof(buffer), format, args...);
        log.push_back(buffer);
        return TRUE;
    }

    void OnFileA() { Log("file A"); }
    void OnDisabled() { Log("disabled command ran"); }
    void OnRange(UINT nID) { Log("range %u", nID); }
    void OnUpdateFileA(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    LRESULT OnPing(WPARAM w, LPARAM l) { return Log("base ping") * (LRESULT)(w + l); }
    LRESULT OnRegistered(WPARAM w, LPARAM) { return Log("registered %d", (int)w) * 77; }
    LRESULT OnThrowInt(WPARAM, LPARAM) { throw 42; }
    LRESULT OnThrowAfx(WPARAM, LPARAM) { AfxThrowNotSupportedException(); }
    void OnSize(UINT nType, int cx, int cy) { Log("size %u %d %d", nType, cx, cy); }
    void OnMouseMove(UINT nFlags, CPoint pt) { Log("move %u %d %d", nFlags, pt.x, pt.y); }
    void OnLButtonDown(UINT nFlags, CPoint pt) { Log("ldown %u %d %d", nFlags, pt.x, pt.y); }
    void OnRButtonUp(UINT nFlags, CPoint pt) { Log("rup %u %d %d", nFlags, pt.x, pt.y); }
    void OnHScroll(UINT c, UINT n, CScrollBar* p) { Log("hscroll %u %u bar %d", c, n, !!p); }
    void OnKeyDown(UINT ch, UINT rep, UINT flags) { Log("keydown %u %u %#x", ch, rep, flags); }
    void OnChar(UINT ch, UINT rep, UINT flags) { Log("char %u %u %#x", ch, rep, flags); }
    BOOL OnSetCursor(CWnd* p, UINT hit, UINT m)
    {
        return Log("setcursor %s %d %#x", p == this ? "self" : "other", (int)hit, m);
    }
    int OnMouseActivate(CWnd*, UINT h, UINT m)
    {
        return Log("activate %u %#x", h, m) * MA_NOACTIVATE;
    }
    void OnShowWindow(BOOL bShow, UINT nStatus) { Log("show %d %u", bShow, nStatus); }
    void OnGetMinMaxInfo(MINMAXINFO* p) { Log("minmax %d", (int)p->ptMinTrackSize.x); }
    BOOL OnMouseWheel(UINT f, short d, CPoint p)
    {
        return Log("wheel %u %d %d %d", f, d, p.x, p.y);
    }

    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
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
struct CDerivedWnd : CBaseWnd {
    LRESULT OnPing(WPARAM w, LPARAM l) { return Log("derived ping") * (LRESULT)(w * l); }
    void OnFileB() { Log("file B"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_MESSAGE(WM_APP_PING, OnPing)
    ON_COMMAND(ID_FILE_B, OnFileB)
END_MESSAGE_MAP()

// Records what a user-interface item was told.
struct CRecordingCmdUI : CCmdUI {
    int enabled = -1, checked = -1;
    void Enable(BOOL bOn) override { CCmdUI::Enable(enabled = bOn ? 1 : 0); }
    void SetCheck(int nCheck) override { checked = nCheck; }
};

TEST(MessageMap, EachMessageReachesItsHandlerWithItsParameters)
{
    CDerivedWnd derived;
    CBaseWnd base, *d = &derived, *b = &base;
    ASSERT_TRUE(derived.Make() && base.Make());
    MINMAXINFO mmi = {{}, {}, {}, {12345, 0}, {}};  // the minimum tracking size is logged
    const struct {
        const char* name;
        CBaseWnd* wnd;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
        const char* log;
    } rows[] = {
        {"base map: size", d, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(300, 200), 0, "size 2 300 200"},
        // Coordinates left of or above the window (mouse captured) are negative.
        {"move left of the window", b, WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(-5, 7), 0, "move 4 -5 7"},
        {"button down above", b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, -9), 0, "ldown 1 3 -9"},
        {"button up", b, WM_RBUTTONUP, 0, MAKELPARAM(40, 50), 0, "rup 0 40 50"},
        {"scroll, no bar control", b, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 1234), 0, 0,
         "hscroll 5 1234 bar 0"},
        {"key down", b, WM_KEYDOWN, VK_F5, MAKELPARAM(3, 0x4000), 0, "keydown 116 3 0x4000"},
        {"character", b, WM_CHAR, 'q', MAKELPARAM(1, 0x10), 0, "char 113 1 0x10"},
        {"set cursor: negative hit test", b, WM_SETCURSOR, 0, MAKELPARAM(HTERROR, WM_LBUTTONDOWN),
         TRUE, "setcursor other -2 0x201"},
        {"set cursor: over this window", b, WM_SETCURSOR, (WPARAM)base.m_hWnd,
         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), TRUE, "setcursor self 1 0x200"},
        {"mouse activate: the answer goes back", b, WM_MOUSEACTIVATE, 0,
         MAKELPARAM(HTCLIENT, WM_RBUTTONDOWN), MA_NOACTIVATE, "activate 1 0x204"},
        {"show window", b, WM_SHOWWINDOW, TRUE, SW_PARENTOPENING, 0, "show 1 3"},
        {"min-max info: the structure", b, WM_GETMINMAXINFO, 0, (LPARAM)&mmi, 0, "minmax 12345"},
        {"wheel: a signed delta", b, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -120),
         MAKELPARAM(15, 25), TRUE, "wheel 8 -120 15 25"},
        {"the derived handler multiplies", d, WM_APP_PING, 3, 4, 12, "derived ping"},
        {"the base's registered message", d, g_registeredMessage, 5, 0, 77, "registered 5"},
        {"a base command handler", d, WM_COMMAND, ID_FILE_A, 0, 1, "file A"},
        {"code 1 (accelerator)", d, WM_COMMAND, MAKEWPARAM(ID_FILE_B, 1), 0, 1, "file B"},
        {"the base knows nothing of the derived command", b, WM_COMMAND, ID_FILE_B, 0, 0, ""},
        {"the first of a range", b, WM_COMMAND, ID_RANGE_FIRST, 0, 1, "range 200"},
        {"the last of a range", b, WM_COMMAND, ID_RANGE_LAST, 0, 1, "range 209"},
        {"just past a range", b, WM_COMMAND, ID_RANGE_LAST + 1, 0, 0, ""},
        {"disabled by its update handler: dropped", b, WM_COMMAND, ID_DISABLED, 0, 1, ""},
        {"unhandled: DefWindowProc stores the text", b, WM_SETTEXT, 0, (LPARAM) "stored", 1, ""},
        {"unhandled: DefWindowProc answers", b, WM_GETTEXTLENGTH, 0, 0, 6, ""},
        {"an int thrown in a handler stays inside", b, WM_APP_THROW_INT, 0, 0, 0, ""},
        {"an exception object stays inside", b, WM_APP_THROW_AFX, 0, 0, 0, ""},
        {"the base handler adds, after the exceptions", b, WM_APP_PING, 3, 4, 7, "base ping"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        r.wnd->log.clear();
        EXPECT_EQ(r.result, r.wnd->SendMessage(r.message, r.wParam, r.lParam));
        EXPECT_EQ(r.log, Joined(r.wnd->log));
    }
}

TEST(MessageMap, UpdateCommandUiThroughOnCmdMsg)
{
    CDerivedWnd wnd;  // no window needed: command routing is the object's
    const struct {
        const char* name;
        UINT id;
        BOOL bDisableIfNoHandler;
        int enabled, checked;
    } rows[] = {
        {"the update handler checks; the command handler enables", ID_FILE_A, TRUE, 1, 1},
        {"a command handler in the derived map only", ID_FILE_B, TRUE, 1, -1},
        {"nothing handles it: disabled", ID_NO_HANDLER, TRUE, 0, -1},
        {"nothing handles it, not asked to disable", ID_NO_HANDLER, FALSE, -1, -1},
        {"the update handler disables it", ID_DISABLED, TRUE, 0, -1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        CRecordingCmdUI ui;
        ui.m_nID = r.id;
        ui.DoUpdate(&wnd, r.bDisableIfNoHandler);
        EXPECT_EQ(std::make_pair(r.enabled, r.checked), std::make_pair(ui.enabled, ui.checked));
    }
    AFX_CMDHANDLERINFO info = {NULL, NULL};
    ExpectAll({{"the handler found", wnd.OnCmdMsg(ID_FILE_B, CN_COMMAND, NULL, &info)},
               {"its target", info.pTarget == &wnd},
               {"asking for the handler does not call it", wnd.log.empty()},
               {"OnCmdMsg runs a command its update handler disables",
                wnd.OnCmdMsg(ID_DISABLED, CN_COMMAND, NULL, NULL)},
               {"and the handler ran", Joined(wnd.log) == "disabled command ran"}});
}

// Two buttons in a visible top-level window, the first with the focus; disabling one through
// CCmdUI moves the focus to the parent only when that button has it (a disabled window cannot
// keep the focus).
TEST(CmdUI, DisablingTheFocusedControlHandsTheFocusToItsParent)
{
    const struct {
        const char* name;
        int disabled;        // which button is disabled
        bool focusToParent;  // else the focus stays on the first button
    } rows[] = {
        {"focused control disabled: focus goes to the parent", 0, true},
        {"another control disabled: focus stays where it was", 1, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TestParentWindow parent(200, 150);
        CWnd buttons[2];
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(buttons[i].Create(_T("BUTTON"), _T("item"), WS_CHILD | WS_VISIBLE,
                                          CRect(10, 10 + 40 * i, 90, 40 + 40 * i), parent.Wnd(),
                                          ID_FILE_A + i));
        buttons[0].SetFocus();
        ASSERT_EQ(buttons[0].m_hWnd, ::GetFocus());
        CCmdUI ui;
        ui.m_nID = ID_FILE_A + r.disabled;
        ui.m_pOther = &buttons[r.disabled];
        ui.Enable(FALSE);
        EXPECT_FALSE(buttons[r.disabled].IsWindowEnabled());
        EXPECT_EQ(r.focusToParent ? parent.Hwnd() : buttons[0].m_hWnd, ::GetFocus());
    }
}

}  // namespace
