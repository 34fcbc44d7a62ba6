// CWnd with real windows: attaching during creation, the handle map and its temporary
// wrappers, destruction order, subclassing, window classes, timers, capture, painting through
// CPaintDC read back as pixels, and the application's message loop with idle processing.
//
// Test executables that need an application object define one global CWinApp-derived object,
// as an MFC application does (one per process); this file's is `theApp` below. The console
// test runner is the entry point, so AfxWinInit is not called: the layer then uses the
// executable's module as instance and resource handle.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <afxpriv.h>
#include <TestSupport.h>

#include <string>
#include <vector>

namespace {

// Counts idle calls and can quit from idle time.
class CTestApp : public CWinApp
{
public:
    CTestApp() : CWinApp("WndTestApp") {}
    std::vector<LONG> idleCounts;
    int tempWndsAtIdle1 = -1;
    LONG quitAtIdleCount = -1;

    BOOL OnIdle(LONG lCount) override
    {
        idleCounts.push_back(lCount);
        BOOL bMore = CWinApp::OnIdle(lCount);
        if (lCount == 1)
            tempWndsAtIdle1 = AfxGetTempWndCount();
        if (lCount == quitAtIdleCount)
            ::PostQuitMessage(5);
        return bMore;
    }
};

CTestApp theApp;

// Records the order of creation and destruction calls.
class CLifeWnd : public CWnd
{
public:
    std::vector<std::string>* pLog;
    bool bDeleteSelf = false;
    explicit CLifeWnd(std::vector<std::string>* log) : pLog(log) {}

    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs)
    {
        pLog->push_back(std::string("nccreate ") + (lpcs->lpszName ? lpcs->lpszName : ""));
        pLog->push_back(FromHandlePermanent(m_hWnd) == this ? "attached" : "not attached");
        return CWnd::OnNcCreate(lpcs);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        pLog->push_back("create " + std::to_string(lpcs->cx) + "x" + std::to_string(lpcs->cy));
        return CWnd::OnCreate(lpcs);
    }
    afx_msg void OnDestroy()
    {
        pLog->push_back("destroy");
        CWnd::OnDestroy();
    }
    afx_msg void OnNcDestroy()
    {
        pLog->push_back("ncdestroy");
        // A self-deleting object is gone once the base handler returns.
        std::vector<std::string>* log = pLog;
        const bool bGone = bDeleteSelf;
        CWnd::OnNcDestroy();
        if (!bGone)
            log->push_back(m_hWnd == NULL ? "detached" : "still attached");
    }
    void PostNcDestroy() override
    {
        pLog->push_back("postncdestroy");
        if (bDeleteSelf)
            delete this;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLifeWnd, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

class CFailingWnd : public CLifeWnd
{
public:
    using CLifeWnd::CLifeWnd;
    afx_msg int OnCreate(LPCREATESTRUCT)
    {
        pLog->push_back("create fails");
        return -1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFailingWnd, CLifeWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

LPCTSTR TestClass()
{
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                               (HBRUSH)::GetStockObject(WHITE_BRUSH));
}

HWND CreateForeignStatic(HWND hWndParent = NULL)
{
    return ::CreateWindowExA(0, "STATIC", "foreign", hWndParent ? WS_CHILD : WS_POPUP, 0, 0, 50, 20,
                             hWndParent, NULL, ::GetModuleHandle(NULL), NULL);
}

std::string Join(const std::vector<std::string>& items)
{
    std::string s;
    for (const std::string& item : items)
        s += (s.empty() ? "" : ", ") + item;
    return s;
}

TEST(Wnd, CreationAttachesBeforeNcCreateAndDestructionRunsInOrder)
{
    std::vector<std::string> log;
    CLifeWnd wnd(&log);
    ASSERT_TRUE(wnd.CreateEx(0, TestClass(), "life", WS_POPUP, 0, 0, 120, 80, NULL, NULL));
    EXPECT_EQ("nccreate life, attached, create 120x80", Join(log));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd)) << "the permanent object, not a wrapper";
    EXPECT_EQ(0, AfxGetTempWndCount());

    HWND hWnd = wnd.m_hWnd;
    log.clear();
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ("destroy, ncdestroy, postncdestroy, detached", Join(log));
    EXPECT_EQ(NULL, wnd.m_hWnd);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
    EXPECT_FALSE(wnd.DestroyWindow()) << "nothing left to destroy";
}

TEST(Wnd, SelfDeletingWindowAndFailedCreation)
{
    std::vector<std::string> log;
    CLifeWnd* pWnd = new CLifeWnd(&log);
    pWnd->bDeleteSelf = true;
    ASSERT_TRUE(pWnd->CreateEx(0, TestClass(), "self", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    HWND hWnd = pWnd->m_hWnd;
    log.clear();
    ::DestroyWindow(hWnd);  // the raw API: the object still hears of it and deletes itself
    EXPECT_EQ("destroy, ncdestroy, postncdestroy", Join(log));
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));

    // WM_CREATE failing destroys the window; PostNcDestroy still runs exactly once.
    log.clear();
    CFailingWnd failing(&log);
    EXPECT_FALSE(failing.CreateEx(0, TestClass(), "fail", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ("nccreate fail, attached, create fails, ncdestroy, postncdestroy, detached",
              Join(log));
    EXPECT_EQ(NULL, failing.m_hWnd);

    // A class that does not exist: the hook never sees a window, PostNcDestroy runs once.
    log.clear();
    CLifeWnd orphan(&log);
    EXPECT_FALSE(orphan.CreateEx(0, "No such class here", "x", WS_POPUP, 0, 0, 1, 1, NULL, NULL));
    EXPECT_EQ("postncdestroy", Join(log));
}

TEST(Wnd, TemporaryWrappersOfForeignWindowsDieAtUnlock)
{
    HWND hForeign = CreateForeignStatic();
    ASSERT_NE(nullptr, hForeign);
    CWnd* pTemp = CWnd::FromHandle(hForeign);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hForeign, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hForeign)) << "the same wrapper until unlocked";
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hForeign));
    EXPECT_EQ(1, AfxGetTempWndCount());
    CString text;
    pTemp->GetWindowText(text);
    EXPECT_STREQ("foreign", (LPCTSTR)text);

    AfxLockTempMaps();
    EXPECT_FALSE(AfxUnlockTempMaps()) << "the lock count is back to zero";
    EXPECT_EQ(0, AfxGetTempWndCount()) << "wrappers are deleted when the lock count reaches zero";
    EXPECT_TRUE(::IsWindow(hForeign)) << "deleting a wrapper never destroys the window";
    ::DestroyWindow(hForeign);

    // Bad handles give nothing.
    EXPECT_EQ(nullptr, CWnd::FromHandle(NULL));
    CWnd* pNull = nullptr;
    EXPECT_EQ(NULL, pNull->GetSafeHwnd());
    CWnd wnd;
    EXPECT_FALSE(wnd.Attach(NULL));
    EXPECT_FALSE(wnd.Attach((HWND)(UINT_PTR)0x7ffe1234));
    EXPECT_EQ(NULL, wnd.Detach());
}

// GetSafeHwnd, GetSafeHmenu and the handle conversions give NULL through a NULL object pointer,
// whether it is NULL in plain sight or comes back from a lookup that found nothing; the
// optimiser must not drop their test of `this`.
TEST(Wnd, SafeHandlesThroughNullPointers)
{
    CWnd* pNullWnd = nullptr;
    EXPECT_EQ(NULL, pNullWnd->GetSafeHwnd());
    EXPECT_EQ(NULL, pNullWnd->operator HWND());
    CMenu* pNullMenu = nullptr;
    EXPECT_EQ(NULL, pNullMenu->GetSafeHmenu());
    EXPECT_EQ(NULL, pNullMenu->operator HMENU());

    HWND hForeign = CreateForeignStatic();
    ASSERT_NE(nullptr, hForeign);
    CWnd* pNotOurs = CWnd::FromHandlePermanent(hForeign);
    EXPECT_EQ(nullptr, pNotOurs) << "no object owns the foreign window";
    EXPECT_EQ(NULL, pNotOurs->GetSafeHwnd());
    CWnd* pTemp = CWnd::FromHandle(hForeign);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hForeign, pTemp->GetSafeHwnd());
    EXPECT_EQ(hForeign, (HWND)*pTemp);
    CMenu* pNoMenu = pTemp->GetMenu();
    EXPECT_EQ(nullptr, pNoMenu) << "a popup static has no menu";
    EXPECT_EQ(NULL, pNoMenu->GetSafeHmenu());

    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_EQ(menu.m_hMenu, menu.GetSafeHmenu());
    EXPECT_EQ(menu.m_hMenu, (HMENU)menu);

    AfxLockTempMaps();
    AfxUnlockTempMaps();
    ::DestroyWindow(hForeign);
}

TEST(Wnd, AttachSubclassAndDetachForeignWindows)
{
    HWND hForeign = CreateForeignStatic();
    ASSERT_NE(nullptr, hForeign);
    {
        std::vector<std::string> log;
        CLifeWnd wnd(&log);
        ASSERT_TRUE(wnd.SubclassWindow(hForeign));
        EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hForeign));
        EXPECT_EQ((LONG_PTR)AfxGetAfxWndProc(), ::GetWindowLongPtr(hForeign, GWLP_WNDPROC));
        // Unhandled messages reach the STATIC class's own procedure.
        wnd.SetWindowText("via the control");
        char buffer[32] = {};
        ::GetWindowTextA(hForeign, buffer, sizeof(buffer));
        EXPECT_STREQ("via the control", buffer);
        EXPECT_EQ(hForeign, wnd.UnsubclassWindow());
        EXPECT_NE((LONG_PTR)AfxGetAfxWndProc(), ::GetWindowLongPtr(hForeign, GWLP_WNDPROC));
        EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hForeign));
        ::DestroyWindow(hForeign);
        EXPECT_TRUE(log.empty()) << "unsubclassed: " << Join(log);
    }
    {
        // Attached without subclassing: DestroyWindow still detaches, a destructor destroys.
        CWnd wnd;
        HWND hOther = CreateForeignStatic();
        ASSERT_TRUE(wnd.Attach(hOther));
        EXPECT_TRUE(wnd.DestroyWindow());
        EXPECT_EQ(NULL, wnd.m_hWnd);
        EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hOther));
        HWND hThird = CreateForeignStatic();
        {
            CWnd owner;
            ASSERT_TRUE(owner.Attach(hThird));
        }
        EXPECT_FALSE(::IsWindow(hThird)) << "an attached object's destructor destroys its window";
    }
}

TEST(Wnd, RegisterWndClassNamesByArguments)
{
    HCURSOR hArrow = ::LoadCursor(NULL, IDC_ARROW);
    HBRUSH hWhite = (HBRUSH)::GetStockObject(WHITE_BRUSH);
    std::string a = AfxRegisterWndClass(CS_DBLCLKS, hArrow, hWhite);
    std::string b = AfxRegisterWndClass(CS_DBLCLKS, hArrow, hWhite);
    std::string c = AfxRegisterWndClass(CS_DBLCLKS, hArrow, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    std::string d = AfxRegisterWndClass(CS_HREDRAW);
    std::string e = AfxRegisterWndClass(CS_VREDRAW);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    EXPECT_NE(d, e);
    EXPECT_EQ(0u, a.find("Afx:")) << a;
    WNDCLASSA wc = {};
    ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), c.c_str(), &wc)) << c;
    EXPECT_EQ((UINT)CS_DBLCLKS, wc.style);
    EXPECT_EQ(hArrow, wc.hCursor);
    EXPECT_EQ((HBRUSH)::GetStockObject(BLACK_BRUSH), wc.hbrBackground);
}

// Paints its client area with two colours through CPaintDC.
class CPaintedWnd : public CWnd
{
public:
    int paints = 0;
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, RGB(0, 0, 255));
        dc.FillSolidRect(CRect(10, 10, 30, 20), RGB(255, 0, 0));
    }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintedWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST(Wnd, PaintDcPixelsReadBackAndCountersReturn)
{
    GdiCountGuard guard("paint a window and read it back");
    CPaintedWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, TestClass(), "paint", WS_POPUP | WS_VISIBLE, 20, 20, 64, 48, NULL, NULL));
    wnd.Invalidate();
    wnd.UpdateWindow();
    EXPECT_GE(wnd.paints, 1);
    EXPECT_EQ(0, guard.DCsDelta()) << "CPaintDC gives its DC back";

    DibCanvas canvas(64, 48, RGB(0, 255, 0));
    {
        CClientDC dc(&wnd);
        EXPECT_EQ(1, guard.DCsDelta()) << "a live CClientDC is counted";
        ASSERT_TRUE(::BitBlt(canvas.Hdc(), 0, 0, 64, 48, dc.m_hDC, 0, 0, SRCCOPY));
    }
    struct Probe {
        int x, y;
        COLORREF expected;
    } probes[] = {
        {0, 0, RGB(0, 0, 255)},   {63, 47, RGB(0, 0, 255)}, {10, 10, RGB(255, 0, 0)},
        {29, 19, RGB(255, 0, 0)}, {30, 19, RGB(0, 0, 255)}, {29, 20, RGB(0, 0, 255)},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(p.expected, canvas.Pixel(p.x, p.y)) << "at " << p.x << "," << p.y;
    EXPECT_EQ(20 * 10, canvas.CountPixels(RGB(255, 0, 0)));

    // CWnd::GetDC/ReleaseDC and CWindowDC count as well.
    CDC* pDC = wnd.GetDC();
    ASSERT_NE(nullptr, pDC);
    EXPECT_EQ(1, guard.DCsDelta());
    EXPECT_EQ(1, wnd.ReleaseDC(pDC));
    {
        CWindowDC windowDc(&wnd);
        EXPECT_NE(nullptr, windowDc.m_hDC);
        EXPECT_EQ(1, guard.DCsDelta());
    }
    wnd.DestroyWindow();
    AfxUnlockTempMaps();
}

class CTimerWnd : public CWnd
{
public:
    std::vector<UINT_PTR> ticks;
    std::vector<std::string> log;
    afx_msg void OnTimer(UINT_PTR nIDEvent) { ticks.push_back(nIDEvent); }
    afx_msg void OnCaptureChanged(CWnd* pWnd)
    {
        log.push_back(pWnd == this ? "capture to self" : "capture lost");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTimerWnd, CWnd)
    ON_WM_TIMER()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

TEST(Wnd, TimersAndCapture)
{
    CTimerWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, TestClass(), "timer", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, NULL, NULL));
    EXPECT_EQ(7u, wnd.SetTimer(7, 15));
    EXPECT_TRUE(PumpUntil([&] { return wnd.ticks.size() >= 2; }))
        << "two ticks of timer 7 within 3 s";
    EXPECT_TRUE(wnd.KillTimer(7));
    for (UINT_PTR id : wnd.ticks)
        EXPECT_EQ(7u, id);
    EXPECT_FALSE(wnd.KillTimer(7)) << "already killed";

    wnd.SetCapture();
    EXPECT_EQ(&wnd, CWnd::GetCapture());
    ::ReleaseCapture();
    EXPECT_EQ(nullptr, CWnd::GetCapture());
    EXPECT_EQ("capture lost", wnd.log.empty() ? std::string() : wnd.log.back());
    wnd.DestroyWindow();
}

class CFrameLike : public CWnd
{
public:
    BOOL IsFrameWnd() const override { return TRUE; }
};

TEST(Wnd, RelativesStylesAndScrollBars)
{
    CFrameLike frame;
    ASSERT_TRUE(
        frame.CreateEx(0, TestClass(), "frame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL));
    CWnd middle, leaf;
    ASSERT_TRUE(middle.Create(NULL, "middle", WS_VISIBLE, CRect(0, 0, 200, 100), &frame, 11));
    ASSERT_TRUE(leaf.Create(NULL, "leaf", WS_VISIBLE, CRect(0, 0, 50, 50), &middle, 12));
    EXPECT_EQ(&middle, leaf.GetParent());
    EXPECT_EQ(reinterpret_cast<CFrameWnd*>(&frame), leaf.GetParentFrame());
    EXPECT_EQ(&frame, leaf.GetTopLevelParent());
    EXPECT_EQ(&leaf, frame.GetDescendantWindow(12));
    EXPECT_EQ(nullptr, frame.GetDlgItem(12)) << "not a direct child";
    EXPECT_EQ(&middle, frame.GetDlgItem(11));
    EXPECT_EQ(12, leaf.GetDlgCtrlID());
    leaf.SetDlgCtrlID(13);
    EXPECT_EQ(13, leaf.GetDlgCtrlID());

    EXPECT_TRUE(leaf.ModifyStyle(0, WS_BORDER));
    EXPECT_TRUE(leaf.GetStyle() & WS_BORDER);
    EXPECT_FALSE(leaf.ModifyStyle(0, WS_BORDER)) << "nothing changed";
    EXPECT_TRUE(leaf.ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED));

    middle.ShowScrollBar(SB_VERT);
    middle.SetScrollRange(SB_VERT, 0, 100, FALSE);
    SCROLLINFO info = {};
    info.fMask = SIF_PAGE;
    info.nPage = 30;
    middle.SetScrollInfo(SB_VERT, &info, FALSE);
    EXPECT_EQ(71, middle.GetScrollLimit(SB_VERT)) << "max - (page - 1)";
    middle.SetScrollPos(SB_VERT, 500);
    EXPECT_EQ(71, middle.GetScrollPos(SB_VERT)) << "clamped to the limit";
    int nMin = -1, nMax = -1;
    middle.GetScrollRange(SB_VERT, &nMin, &nMax);
    EXPECT_EQ(0, nMin);
    EXPECT_EQ(100, nMax);

    frame.DestroyWindow();
    EXPECT_EQ(NULL, leaf.m_hWnd) << "children are destroyed and detached with their parent";
    EXPECT_EQ(NULL, middle.m_hWnd);
    AfxUnlockTempMaps();
}

TEST(WinApp, RunIdlesWithGrowingCountAndTemporaryWrappersDieThere)
{
    ASSERT_EQ(&theApp, AfxGetApp());
    EXPECT_STREQ("WndTestApp", AfxGetAppName());
    HWND hForeign = CreateForeignStatic();
    ASSERT_NE(nullptr, CWnd::FromHandle(hForeign));
    ASSERT_EQ(1, AfxGetTempWndCount());

    theApp.idleCounts.clear();
    theApp.quitAtIdleCount = 1;
    EXPECT_EQ(5, theApp.Run()) << "Run returns ExitInstance: the WM_QUIT code";
    EXPECT_EQ((std::vector<LONG>{0, 1}), theApp.idleCounts);
    EXPECT_EQ(0, theApp.tempWndsAtIdle1) << "idle count 1 deletes the temporary wrappers";
    ::DestroyWindow(hForeign);
}

TEST(WinApp, DestroyingTheMainWindowEndsRun)
{
    std::vector<std::string> log;
    CLifeWnd* pMain = new CLifeWnd(&log);
    pMain->bDeleteSelf = true;
    ASSERT_TRUE(
        pMain->CreateEx(0, TestClass(), "main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
    theApp.m_pMainWnd = pMain;
    EXPECT_EQ(pMain, AfxGetMainWnd());
    pMain->PostMessage(WM_CLOSE);  // DefWindowProc destroys it; its end posts WM_QUIT
    theApp.quitAtIdleCount = -1;
    EXPECT_EQ(0, theApp.Run());
    EXPECT_EQ(nullptr, theApp.m_pMainWnd);
    EXPECT_EQ("postncdestroy", log.empty() ? std::string() : log.back());
}

TEST(WinApp, LoadsStandardCursorsAndIcons)
{
    EXPECT_EQ(::LoadCursor(NULL, IDC_CROSS), theApp.LoadStandardCursor(IDC_CROSS));
    EXPECT_EQ(::LoadIcon(NULL, IDI_HAND), theApp.LoadStandardIcon(IDI_HAND));
    EXPECT_EQ(nullptr, theApp.LoadCursor((LPCTSTR)NULL));
    EXPECT_EQ(nullptr, theApp.LoadCursor(999u)) << "no such cursor in the executable";
}

}  // namespace
