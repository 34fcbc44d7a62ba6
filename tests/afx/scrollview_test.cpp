// CScrollView in a real window: which bars show, how scroll messages move and clamp the position,
// how a changed range pulls it back inside, and what the screen shows at each position.
#include "TestSupport.h"

#include <algorithm>

namespace {

// Paints every 20x20 cell of the document in its own colour, from document coordinates, so the
// pixels on the screen say which part of the document they show.
const int kCell = 20;
COLORREF CellColour(int docX, int docY)
{
    int i = docX / kCell, j = docY / kCell;
    return RGB((i * 8) & 0xFF, (j * 8) & 0xFF, 0x40 + ((i + j) & 1) * 0x80);
}

}  // namespace

struct CCellView : CScrollView {
    DECLARE_DYNCREATE(CCellView)
    int m_nDraws = 0;
    void OnDraw(CDC* pDC) override
    {
        ++m_nDraws;
        CRect rcClip;
        pDC->GetClipBox(&rcClip);  // logical (document) coordinates after OnPrepareDC
        for (int y = rcClip.top / kCell * kCell; y < rcClip.bottom; y += kCell)
            for (int x = rcClip.left / kCell * kCell; x < rcClip.right; x += kCell)
                pDC->FillSolidRect(x, y, kCell, kCell, CellColour(x, y));
    }
};
IMPLEMENT_DYNCREATE(CCellView, CScrollView)

namespace {

// A visible top-level frame holding one CCellView whose client area is exactly the size asked
// (no border; control id 1, so the frame does not lay it out). The view's class does not redraw
// the whole window on resizing, so what it shows after a resize rests on its own scrolling.
class ScrollViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, _T("scroll view test"),
                                     WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 600, 500)));
        m_pFrame->ShowWindow(SW_SHOW);
        m_pView = new CCellView;
        ASSERT_TRUE(m_pView->Create(AfxRegisterWndClass(CS_DBLCLKS), NULL, WS_CHILD | WS_VISIBLE,
                                    CRect(0, 0, 200, 150), m_pFrame, 1));
        PumpMessages();
    }
    void TearDown() override
    {
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        PumpMessages();
    }
    void Resize(CSize size)
    {
        m_pView->SetWindowPos(NULL, 0, 0, size.cx, size.cy,
                              SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    bool HasBar(DWORD style) const { return (m_pView->GetStyle() & style) != 0; }
    CSize ClientSize() const
    {
        CRect rc;
        m_pView->GetClientRect(&rc);
        return rc.Size();
    }
    // The view's pixels on the screen show the document from the scroll position on.
    void ExpectShowsDocumentAtScrollPosition()
    {
        const CSize client = ClientSize();
        const CPoint scroll = m_pView->GetScrollPosition();
        DibCanvas canvas(client.cx, client.cy, RGB(255, 0, 255)), expected(client.cx, client.cy);
        ::BitBlt(canvas.Hdc(), 0, 0, client.cx, client.cy, CClientDC(m_pView).m_hDC, 0, 0, SRCCOPY);
        for (int y = -(scroll.y % kCell); y < client.cy; y += kCell)
            for (int x = -(scroll.x % kCell); x < client.cx; x += kCell)
                expected.Dc().FillSolidRect(x, y, kCell, kCell,
                                            CellColour(x + scroll.x, y + scroll.y));
        EXPECT_TRUE(SamePixels(expected, canvas)) << "the screen at " << Str(scroll);
    }

    const int sbx = ::GetSystemMetrics(SM_CXVSCROLL), sby = ::GetSystemMetrics(SM_CYHSCROLL);
    CFrameWnd* m_pFrame = NULL;
    CCellView* m_pView = NULL;
};

}  // namespace

// Each row sets the total, with the default page and line, then sizes the view: a bar shows when
// the content does not fit, and one bar can make the other needed. Sizes that change send
// WM_SIZE, which updates the bars too.
TEST_F(ScrollViewTest, BarsShowOnlyWhenContentExceedsClient)
{
    const struct {
        const char* name;
        CSize total, view;
        bool hBar, vBar;
    } rows[] = {
        {"smaller than the client", CSize(100, 100), CSize(200, 150), false, false},
        {"exactly the client", CSize(200, 150), CSize(200, 150), false, false},
        {"wider only", CSize(400, 100), CSize(200, 150), true, false},
        {"taller only", CSize(100, 300), CSize(200, 150), false, true},
        {"taller, and too wide once the bar shows", CSize(200 - sbx / 2, 300), CSize(200, 150),
         true, true},
        {"wider, and too tall once the bar shows", CSize(400, 150 - sby / 2), CSize(200, 150), true,
         true},
#ifndef _DEBUG  // a negative total asserts in debug builds
        {"a negative total counts as none", CSize(-5, -5), CSize(200, 150), false, false},
#endif
        {"the view grown past the content", CSize(300, 250), CSize(320, 260), false, false},
        {"shrunk: only the height no longer fits", CSize(300, 250), CSize(320, 200), false, true},
        {"shrunk below the content", CSize(300, 250), CSize(200, 150), true, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        m_pView->SetScrollSizes(MM_TEXT, r.total);
        Resize(r.view);
        EXPECT_EQ(r.hBar, HasBar(WS_HSCROLL)) << "horizontal bar";
        EXPECT_EQ(r.vBar, HasBar(WS_VSCROLL)) << "vertical bar";
        const CSize client = ClientSize(),
                    total(std::max(0L, r.total.cx), std::max(0L, r.total.cy));
        int nMapMode = 0;
        SIZE devTotal, page, line;
        m_pView->GetDeviceScrollSizes(nMapMode, devTotal, page, line);
        ExpectValues({{"client width", r.view.cx - (r.vBar ? sbx : 0), client.cx},
                      {"client height", r.view.cy - (r.hBar ? sby : 0), client.cy},
                      {"a negative total counts as 0", total.cx, m_pView->GetTotalSize().cx},
                      {"default page: a tenth of the total", total.cy / 10, page.cy},
                      {"default line: a tenth of the page, at least 1",
                       std::max(total.cx / 100, 1L), line.cx}});
        SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
        if (r.vBar) {
            ASSERT_TRUE(::GetScrollInfo(m_pView->m_hWnd, SB_VERT, &si));
            EXPECT_EQ(r.total.cy - 1, si.nMax) << "vertical range";
            EXPECT_EQ(UINT(client.cy), si.nPage) << "vertical page is the client height";
        }
    }
}

// Each step moves by a line, a page or to the thumb, clamped to the range; only a step that
// moves scrolls and repaints, and the screen then shows the document at the new position.
TEST_F(ScrollViewTest, ScrollStepsMoveClampAndRepaintWhatTheyUncover)
{
    GdiCountGuard guard("scroll and repaint");
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 2000), CSize(150, 300), CSize(7, 11));
    const CSize client = ClientSize();
    const int xMax = 1000 - client.cx, yMax = 2000 - client.cy, y = yMax - 11;
    const UINT kScrollTo = 0;  // ScrollToPosition(to) instead of a message
    const struct {
        const char* name;
        UINT message, code;
        CPoint to;  // the thumb's position on the bar's axis, or where ScrollToPosition goes
        CPoint expected;
    } rows[] = {
        {"a line before the top stays at 0", WM_VSCROLL, SB_LINEUP, {}, {0, 0}},
        {"a line down", WM_VSCROLL, SB_LINEDOWN, {}, {0, 11}},
        {"a page down", WM_VSCROLL, SB_PAGEDOWN, {}, {0, 311}},
        {"a page up", WM_VSCROLL, SB_PAGEUP, {}, {0, 11}},
        {"the thumb tracked", WM_VSCROLL, SB_THUMBTRACK, {0, 1234}, {0, 1234}},
        {"the thumb let go", WM_VSCROLL, SB_THUMBPOSITION, {0, 50}, {0, 50}},
        {"to the top", WM_VSCROLL, SB_TOP, {}, {0, 0}},
        {"to the bottom", WM_VSCROLL, SB_BOTTOM, {}, {0, yMax}},
        {"a line past the bottom stays at the limit", WM_VSCROLL, SB_LINEDOWN, {}, {0, yMax}},
        {"a line up from the bottom", WM_VSCROLL, SB_LINEUP, {}, {0, y}},
        {"end of scrolling does not move", WM_VSCROLL, SB_ENDSCROLL, {}, {0, y}},
        {"a line right", WM_HSCROLL, SB_LINEDOWN, {}, {7, y}},
        {"a page right", WM_HSCROLL, SB_PAGEDOWN, {}, {157, y}},
        {"the thumb past the right end", WM_HSCROLL, SB_THUMBTRACK, {900, 0}, {xMax, y}},
        {"a line past the right end stays at the limit", WM_HSCROLL, SB_LINEDOWN, {}, {xMax, y}},
        {"to the left end", WM_HSCROLL, SB_TOP, {}, {0, y}},
        {"a line before the left end stays at 0", WM_HSCROLL, SB_LINEUP, {}, {0, y}},
        {"ScrollToPosition clamps", kScrollTo, 0, {-50, 99999}, {0, yMax}},
        {"ScrollToPosition inside the range", kScrollTo, 0, {30, 70}, {30, 70}},
    };
    m_pView->UpdateWindow();
    PumpMessages();
    CPoint before = m_pView->GetScrollPosition();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const int drawsBefore = m_pView->m_nDraws;
        if (r.message == kScrollTo)
            m_pView->ScrollToPosition(r.to);
        else
            m_pView->SendMessage(r.message,
                                 MAKEWPARAM(r.code, r.message == WM_HSCROLL ? r.to.x : r.to.y), 0);
        PumpMessages();
        const CPoint pos = m_pView->GetScrollPosition();
        EXPECT_EQ(Str(r.expected), Str(pos));
        EXPECT_EQ(pos != before, m_pView->m_nDraws > drawsBefore) << "repainted when it moved";
        ExpectShowsDocumentAtScrollPosition();
        before = pos;
    }
}

// A new total or a new view size changes the range; the position is pulled back inside it, to 0
// on an axis that no longer needs a bar, the content follows, and the new limit holds.
TEST_F(ScrollViewTest, PositionStaysInsideAChangedRange)
{
    const struct {
        const char* name;
        CSize total, view;
        CPoint scrollTo;
        CSize newTotal, newView;
        CPoint expected, limit;
    } rows[] = {
        {"a narrower total pulls x back to its new limit", CSize(1000, 1000), CSize(200, 150),
         CPoint(400, 500), CSize(300, 700), CSize(200, 150), CPoint(100 + sbx, 500),
         CPoint(100 + sbx, 550 + sby)},
        {"grown wider and taller than the total from x = 100", CSize(400, 400), CSize(200, 200),
         CPoint(100, 0), CSize(400, 400), CSize(450, 450), CPoint(0, 0), CPoint(0, 0)},
        {"grown wider and taller than the total from y = 100", CSize(400, 400), CSize(200, 200),
         CPoint(0, 100), CSize(400, 400), CSize(450, 450), CPoint(0, 0), CPoint(0, 0)},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Resize(r.view);
        m_pView->SetScrollSizes(MM_TEXT, r.total);
        m_pView->ScrollToPosition(r.scrollTo);
        ASSERT_EQ(Str(r.scrollTo), Str(m_pView->GetScrollPosition()));
        m_pView->SetScrollSizes(MM_TEXT, r.newTotal);
        Resize(r.newView);
        PumpMessages();
        EXPECT_EQ(Str(r.expected), Str(m_pView->GetScrollPosition()));
        ExpectShowsDocumentAtScrollPosition();
        m_pView->ScrollToPosition(CPoint(99999, 99999));
        EXPECT_EQ(Str(r.limit), Str(m_pView->GetScrollPosition())) << "the new limit";
        m_pView->ScrollToPosition(CPoint(0, 0));
    }
}
