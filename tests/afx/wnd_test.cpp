// CWnd with real windows: creation and destruction, the handle map, subclassing, window classes,
// painting read back as pixels, timers, capture, relatives, and the message loop with idle
// processing. The console runner stands in for WinMain: the executable is the instance.
#include "TestSupport.h"
#include "TestWindow.h"
#include <afxpriv.h>

namespace {

// Logs each idle call as "count:temporary wrappers left", and can quit from idle time.
struct CTestApp : CWinApp {
    CTestApp() : CWinApp("WndTestApp") {}
    std::vector<std::string> idleLog;
    LONG quitAtIdleCount = -1;
    BOOL OnIdle(LONG lCount) override
    {
        BOOL bMore = CWinApp::OnIdle(lCount);
        idleLog.push_back(std::to_string(lCount) + ":" + std::to_string(AfxGetTempWndCount()));
        if (lCount == quitAtIdleCount)
            ::PostQuitMessage(5);
        return bMore;
    }
} theApp;

// Logs creation and destruction calls, timers and capture changes; optionally fails WM_CREATE
// or deletes itself. Paints a red cell on blue through CPaintDC.
struct CLifeWnd : CWnd {
    // pLog: where a self-deleting window logs.
    CLifeWnd(std::vector<std::string>* pLog = NULL, bool bDelete = false, bool bFail = false)
        : bDeleteSelf(bDelete), bFailCreate(bFail), pOut(pLog != NULL ? pLog : &log)
    {}
    std::vector<std::string> log;
    bool bDeleteSelf, bFailCreate;
    std::vector<std::string>* pOut;
    int paints = 0;

    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs)
    {
        pOut->push_back(std::string("nccreate ") + lpcs->lpszName);
        pOut->push_back(FromHandlePermanent(m_hWnd) == this ? "attached" : "not attached");
        return CWnd::OnNcCreate(lpcs);
    }
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        pOut->push_back(bFailCreate ? "create fails" : "create " + Str(CPoint(cs->cx, cs->cy)));
        return bFailCreate ? -1 : CWnd::OnCreate(cs);
    }
    afx_msg void OnDestroy()
    {
        pOut->push_back("destroy");
        CWnd::OnDestroy();
    }
    afx_msg void OnNcDestroy()
    {
        pOut->push_back("ncdestroy");
        const bool bGone = bDeleteSelf;  // gone once the base handler returns
        CWnd::OnNcDestroy();
        if (!bGone)
            pOut->push_back(m_hWnd == NULL ? "detached" : "still attached");
    }
    void PostNcDestroy() override
    {
        pOut->push_back("postncdestroy");
        if (bDeleteSelf)
            delete this;
    }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
        dc.FillSolidRect(CRect(0, 0, 120, 80), kBlue);
        dc.FillSolidRect(CRect(10, 10, 30, 20), kRed);
    }
    afx_msg void OnTimer(UINT_PTR id) { log.push_back("timer " + std::to_string(id)); }
    afx_msg void OnCaptureChanged(CWnd* p) { log.push_back(p == this ? "to self" : "lost"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLifeWnd, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()
const CRect kLifeRect(0, 0, 120, 80);

HWND CreateForeignStatic()
{
    return ::CreateWindowExA(0, "STATIC", "foreign", WS_POPUP, 0, 0, 50, 20, NULL, NULL,
                             ::GetModuleHandle(NULL), NULL);
}

TEST(Wnd, CreationAndDestructionRunInOrder)
{
    const struct {
        const char* name;
        bool failCreate, deleteSelf, badClass, rawDestroy;
        const char* created;    // the log after CreateEx
        const char* destroyed;  // the log after destruction, as a continuation
    } rows[] = {
        {"created then destroyed", false, false, false, false,
         "nccreate test, attached, create (120,80)", "destroy, ncdestroy, postncdestroy, detached"},
        {"self-deleting, destroyed by the raw API", false, true, false, true,
         "nccreate test, attached, create (120,80)", "destroy, ncdestroy, postncdestroy"},
        {"WM_CREATE fails: PostNcDestroy runs once", true, false, false, false,
         "nccreate test, attached, create fails, ncdestroy, postncdestroy, detached", ""},
        {"no such class: only PostNcDestroy", false, false, true, false, "postncdestroy", ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<std::string> log;
        CLifeWnd* pWnd = new CLifeWnd(&log, r.deleteSelf, r.failCreate);
        const BOOL created = r.badClass ? pWnd->CreateEx(0, "No class", "", 0, kLifeRect, 0, 0)
                                        : CreateTestWindow(*pWnd, WS_POPUP, kLifeRect);
        EXPECT_EQ(r.created, Joined(log));
        HWND hWnd = pWnd->m_hWnd;
        if (!created) {
            EXPECT_EQ(NULL, hWnd);
            delete pWnd;
            continue;
        }
        EXPECT_EQ(pWnd, CWnd::FromHandlePermanent(hWnd));
        EXPECT_EQ(pWnd, CWnd::FromHandle(hWnd)) << "the permanent object, not a wrapper";
        EXPECT_EQ(0, AfxGetTempWndCount());
        log.clear();
        if (r.rawDestroy)
            ::DestroyWindow(hWnd);  // the object still hears of it
        else
            EXPECT_TRUE(pWnd->DestroyWindow());
        EXPECT_EQ(r.destroyed, Joined(log));
        EXPECT_TRUE(!::IsWindow(hWnd) && !CWnd::FromHandlePermanent(hWnd)) << "gone, unmapped";
        if (!r.deleteSelf) {  // the log says it was detached
            EXPECT_FALSE(pWnd->DestroyWindow()) << "nothing left to destroy";
            delete pWnd;
        }
    }
}

// Foreign windows: temporary wrappers, and the safe handles through NULL object pointers, plain
// or from a lookup that found nothing (the optimiser must not drop the test of `this`); then
// subclassing, and attaching without it.
TEST(Wnd, ForeignWindowsWrappedSubclassedAndAttached)
{
    HWND hForeign = CreateForeignStatic();
    CWnd* pTemp = CWnd::FromHandle(hForeign);
    ASSERT_NE(nullptr, pTemp);
    CString text;
    pTemp->GetWindowText(text);
    CWnd *pNullWnd = nullptr, *pNotOurs = CWnd::FromHandlePermanent(hForeign), wnd;
    CMenu *pNullMenu = nullptr, *pNoMenu = pTemp->GetMenu(), menu;  // a popup has no menu
    CLifeWnd sub;
    char buffer[32] = {};
    const LONG_PTR ours = (LONG_PTR)AfxGetAfxWndProc();
    HWND hOther = CreateForeignStatic(), hThird = CreateForeignStatic();
    CWnd* pOwner = new CWnd;
    ExpectAll(
        {{"the same wrapper until unlocked", CWnd::FromHandle(hForeign) == pTemp},
         {"no permanent object", pNotOurs == nullptr},
         {"one temporary", AfxGetTempWndCount() == 1},
         {"the wrapper reads the window", text == "foreign"},
         {"GetSafeHwnd of a wrapper", pTemp->GetSafeHwnd() == hForeign && (HWND)*pTemp == hForeign},
         {"GetSafeHwnd through NULL", pNullWnd->GetSafeHwnd() == NULL},
         {"operator HWND through NULL", pNullWnd->operator HWND() == NULL},
         {"GetSafeHwnd of a failed lookup", pNotOurs->GetSafeHwnd() == NULL},
         {"GetSafeHmenu through NULL", pNullMenu->GetSafeHmenu() == NULL},
         {"operator HMENU through NULL", pNullMenu->operator HMENU() == NULL},
         {"GetMenu of a menuless window", pNoMenu == nullptr && pNoMenu->GetSafeHmenu() == NULL},
         {"GetSafeHmenu of a menu", menu.CreatePopupMenu() && menu.GetSafeHmenu() == menu.m_hMenu &&
                                        (HMENU)menu == menu.m_hMenu},
         {"FromHandle(NULL)", CWnd::FromHandle(NULL) == nullptr},
         {"Attach(NULL)", !wnd.Attach(NULL)},
         {"Attach of a bad handle", !wnd.Attach((HWND)(UINT_PTR)0x7ffe1234)},
         {"Detach of nothing", wnd.Detach() == NULL},
         {"unlocked, the wrappers are deleted", (AfxUnlockTempMaps(), AfxGetTempWndCount() == 0)},
         {"deleting a wrapper leaves the window", sub.SubclassWindow(hForeign)},
         {"subclassed: permanent", CWnd::FromHandlePermanent(hForeign) == &sub},
         {"subclassed: our procedure", ::GetWindowLongPtr(hForeign, GWLP_WNDPROC) == ours},
         // Unhandled, the text reaches the STATIC class's procedure.
         {"the control's procedure stores the text",
          (sub.SetWindowText("via the control"), ::GetWindowTextA(hForeign, buffer, 32),
           std::string(buffer) == "via the control")},
         {"UnsubclassWindow", sub.UnsubclassWindow() == hForeign},
         {"its procedure back", ::GetWindowLongPtr(hForeign, GWLP_WNDPROC) != ours},
         {"no longer permanent", CWnd::FromHandlePermanent(hForeign) == NULL},
         {"destroyed unsubclassed", ::DestroyWindow(hForeign) && sub.log.empty()},
         // Attached without subclassing: DestroyWindow still detaches, a destructor destroys.
         {"DestroyWindow of an attached window", wnd.Attach(hOther) && wnd.DestroyWindow()},
         {"detached", wnd.m_hWnd == NULL && CWnd::FromHandlePermanent(hOther) == NULL},
         {"the destructor destroys what it attached",
          pOwner->Attach(hThird) && (delete pOwner, !::IsWindow(hThird))}});
}

TEST(Wnd, RegisterWndClassNamesByArguments)
{
    HCURSOR hArrow = ::LoadCursor(NULL, IDC_ARROW);
    HBRUSH hWhite = (HBRUSH)::GetStockObject(WHITE_BRUSH);
    HBRUSH hBlack = (HBRUSH)::GetStockObject(BLACK_BRUSH);
    std::string a = AfxRegisterWndClass(CS_DBLCLKS, hArrow, hWhite);
    std::string c = AfxRegisterWndClass(CS_DBLCLKS, hArrow, hBlack);
    std::string d = AfxRegisterWndClass(CS_HREDRAW), e = AfxRegisterWndClass(CS_VREDRAW);
    WNDCLASSA wc = {};
    ExpectAll({{"same arguments, same class", a == AfxRegisterWndClass(CS_DBLCLKS, hArrow, hWhite)},
               {"another brush, another class", a != c},
               {"another style, another class", d != e},
               {"registered", ::GetClassInfoA(AfxGetInstanceHandle(), c.c_str(), &wc)},
               {"with its arguments",
                wc.style == CS_DBLCLKS && wc.hCursor == hArrow && wc.hbrBackground == hBlack}});
}

// What the window painted through CPaintDC, read back through CClientDC; each window DC is
// counted while it lives. Then a timer, and the capture taken and lost.
TEST(Wnd, PaintDcTimersAndCapture)
{
    GdiCountGuard guard("paint a window and read it back");
    CLifeWnd wnd;
    ASSERT_TRUE(CreateTestWindow(wnd, WS_POPUP | WS_VISIBLE, kLifeRect));
    wnd.Invalidate();
    wnd.UpdateWindow();
    const LONG afterPaint = guard.DCsDelta();
    DibCanvas canvas(120, 80, RGB(0, 255, 0));
    // Each temporary DC lives until the end of its statement.
    ASSERT_TRUE(::BitBlt(canvas.Hdc(), 0, 0, 120, 80, CClientDC(&wnd).m_hDC, 0, 0, SRCCOPY));
    const LONG withClientDc = CClientDC(&wnd).m_hDC != NULL ? guard.DCsDelta() : -1;
    const LONG withWindowDc = CWindowDC(&wnd).m_hDC != NULL ? guard.DCsDelta() : -1;
    CDC* pDC = wnd.GetDC();
    ExpectValues({{"painted", 1, wnd.paints >= 1},
                  {"CPaintDC gives its DC back", 0, afterPaint},
                  {"a live CClientDC is counted", 1, withClientDc},
                  {"a live CWindowDC is counted", 1, withWindowDc},
                  {"CWnd::GetDC counts", 1, pDC != nullptr ? guard.DCsDelta() : -1},
                  {"ReleaseDC", 1, wnd.ReleaseDC(pDC)},
                  {"red pixels", 200, canvas.CountPixels(kRed)},
                  {"blue pixels", 120 * 80 - 200, canvas.CountPixels(kBlue)}});
    EXPECT_EQ(Str(CRect(10, 10, 30, 20)), Str(canvas.BoundsOf(kRed)));

    wnd.log.clear();
    ExpectAll({{"SetTimer", wnd.SetTimer(7, 15) == 7u},
               {"it ticks", PumpUntil([&] { return wnd.log.size() >= 2; })},
               {"KillTimer", wnd.KillTimer(7)},
               {"already killed", !wnd.KillTimer(7)},
               {"two ticks of timer 7", Joined(wnd.log).rfind("timer 7, timer 7", 0) == 0},
               {"SetCapture", (wnd.SetCapture(), CWnd::GetCapture() == &wnd)},
               {"ReleaseCapture", (::ReleaseCapture(), CWnd::GetCapture() == nullptr)},
               {"the capture lost", !wnd.log.empty() && wnd.log.back() == "lost"}});
    AfxUnlockTempMaps();
}

struct CFrameLike : CWnd {
    BOOL IsFrameWnd() const override { return TRUE; }
};

TEST(Wnd, RelativesAndStyles)
{
    CFrameLike frame;
    ASSERT_TRUE(CreateTestWindow(frame, WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CWnd middle, leaf;
    ASSERT_TRUE(middle.Create(NULL, "middle", WS_VISIBLE, CRect(0, 0, 200, 100), &frame, 11));
    ASSERT_TRUE(leaf.Create(NULL, "leaf", WS_VISIBLE, CRect(0, 0, 50, 50), &middle, 12));
    ExpectAll(
        {{"GetParent", leaf.GetParent() == &middle},
         {"GetParentFrame", leaf.GetParentFrame() == reinterpret_cast<CFrameWnd*>(&frame)},
         {"GetTopLevelParent", leaf.GetTopLevelParent() == &frame},
         {"GetDescendantWindow", frame.GetDescendantWindow(12) == &leaf},
         {"GetDlgItem: not a direct child", frame.GetDlgItem(12) == nullptr},
         {"GetDlgItem", frame.GetDlgItem(11) == &middle},
         {"GetDlgCtrlID", leaf.GetDlgCtrlID() == 12},
         {"ModifyStyle adds", leaf.ModifyStyle(0, WS_BORDER) && (leaf.GetStyle() & WS_BORDER)},
         {"ModifyStyle: nothing changed", !leaf.ModifyStyle(0, WS_BORDER)},
         {"ModifyStyle removes", leaf.ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED)}});
    frame.DestroyWindow();
    EXPECT_TRUE(leaf.m_hWnd == NULL && middle.m_hWnd == NULL) << "children go with their parent";
    AfxUnlockTempMaps();
}

TEST(WinApp, RunIdlesWithGrowingCountAndTemporaryWrappersDieThere)
{
    ASSERT_EQ(&theApp, AfxGetApp());
    EXPECT_STREQ("WndTestApp", AfxGetAppName());
    HWND hForeign = CreateForeignStatic();
    ASSERT_NE(nullptr, CWnd::FromHandle(hForeign));
    ASSERT_EQ(1, AfxGetTempWndCount());
    theApp.idleLog.clear();
    theApp.quitAtIdleCount = 1;
    EXPECT_EQ(5, theApp.Run()) << "Run returns ExitInstance: the WM_QUIT code";
    EXPECT_EQ("0:1, 1:0", Joined(theApp.idleLog)) << "idle count 1 deletes the temporaries";
    ::DestroyWindow(hForeign);

    // Closing the main window ends Run: DefWindowProc destroys it, its end posts WM_QUIT.
    std::vector<std::string> log;
    CLifeWnd* pMain = new CLifeWnd(&log, true);
    ASSERT_TRUE(CreateTestWindow(*pMain, WS_OVERLAPPEDWINDOW, kLifeRect));
    theApp.m_pMainWnd = pMain;
    pMain->PostMessage(WM_CLOSE);
    theApp.quitAtIdleCount = -1;
    ExpectAll(
        {{"Run ends when the main window goes", theApp.Run() == 0 && !theApp.m_pMainWnd},
         {"the window deleted itself", !log.empty() && log.back() == "postncdestroy"},
         {"LoadStandardCursor", theApp.LoadStandardCursor(IDC_CROSS) == ::LoadCursor(0, IDC_CROSS)},
         {"LoadStandardIcon", theApp.LoadStandardIcon(IDI_HAND) == ::LoadIcon(NULL, IDI_HAND)},
         {"LoadCursor(NULL)", theApp.LoadCursor((LPCTSTR)NULL) == nullptr},
         {"no cursor 999 in the executable", theApp.LoadCursor(999u) == nullptr}});
}

}  // namespace
