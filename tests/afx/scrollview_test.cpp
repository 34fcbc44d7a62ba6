// CScrollView in a real window: which bars show, how scroll messages move and clamp the position,
// how a changed range pulls it back inside, and what the screen shows at each position.
#include "TestSupport.h"
#include "TestWindow.h"

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

struct CCellView : CScrollView {
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

// A visible top-level window holding one CCellView whose client area is exactly the size asked
// (no border). The view's class does not redraw the whole window on resizing, so what it shows
// after a resize rests on its own scrolling.
class ScrollViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pView = new CCellView;
        ASSERT_TRUE(CreateTestWindow(*m_pView, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150),
                                     m_parent.Wnd(), 1));
        PumpMessages();
    }
    void Resize(CSize s) { m_pView->SetWindowPos(NULL, 0, 0, s.cx, s.cy, SWP_NOZORDER); }
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
        ASSERT_TRUE(CaptureClient(m_pView->m_hWnd, canvas));
        expected.Dc().SetViewportOrg(-scroll.x, -scroll.y);  // the document drawn by hand
        m_pView->OnDraw(&expected.Dc());
        EXPECT_TRUE(SamePixels(expected, canvas)) << "the screen at " << Str(scroll);
    }

    const int sbx = ::GetSystemMetrics(SM_CXVSCROLL), sby = ::GetSystemMetrics(SM_CYHSCROLL);
    TestParentWindow m_parent{600, 500};  // destroyed with the fixture
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
        {"smaller than the client", {100, 100}, {200, 150}, false, false},
        {"exactly the client", {200, 150}, {200, 150}, false, false},
        {"wider only", {400, 100}, {200, 150}, true, false},
        {"taller only", {100, 300}, {200, 150}, false, true},
        {"taller, and too wide once the bar shows", {200 - sbx / 2, 300}, {200, 150}, true, true},
        {"wider, and too tall once the bar shows", {400, 150 - sby / 2}, {200, 150}, true, true},
#ifndef _DEBUG  // a negative total asserts in debug builds
        {"a negative total counts as none", {-5, -5}, {200, 150}, false, false},
#endif
        {"the view grown past the content", {300, 250}, {320, 260}, false, false},
        {"shrunk: only the height no longer fits", {300, 250}, {320, 200}, false, true},
        {"shrunk below the content", {300, 250}, {200, 150}, true, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        m_pView->SetScrollSizes(MM_TEXT, r.total);
        Resize(r.view);
        const CSize client = ClientSize(),
                    total(std::max(0L, r.total.cx), std::max(0L, r.total.cy));
        int nMapMode = 0;
        SIZE devTotal, page, line;
        m_pView->GetDeviceScrollSizes(nMapMode, devTotal, page, line);
        SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
        if (r.vBar)
            ::GetScrollInfo(m_pView->m_hWnd, SB_VERT, &si);
        ExpectValues({{"horizontal bar", r.hBar, HasBar(WS_HSCROLL)},
                      {"vertical bar", r.vBar, HasBar(WS_VSCROLL)},
                      {"vertical range", r.vBar ? r.total.cy - 1 : 0, si.nMax},
                      {"vertical page: the client height", r.vBar ? client.cy : 0, si.nPage},
                      {"client width", r.view.cx - (r.vBar ? sbx : 0), client.cx},
                      {"client height", r.view.cy - (r.hBar ? sby : 0), client.cy},
                      {"a negative total counts as 0", total.cx, m_pView->GetTotalSize().cx},
                      {"default page: a tenth of the total", total.cy / 10, page.cy},
                      {"default line: a tenth of the page, at least 1",
                       std::max(total.cx / 100, 1L), line.cx}});
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
