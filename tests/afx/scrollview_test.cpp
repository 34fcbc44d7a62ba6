// CScrollView in a real window: which bars show, how line, page and thumb steps move and clamp,
// the DC origin it prepares, and what the screen shows after scrolling.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "TestSupport.h"

// Readable points and sizes in assertion messages.
void PrintTo(const CPoint& pt, std::ostream* os)
{
    *os << "(" << pt.x << "," << pt.y << ")";
}
void PrintTo(const CSize& size, std::ostream* os)
{
    *os << size.cx << "x" << size.cy;
}

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

class CCellView : public CScrollView
{
    DECLARE_DYNCREATE(CCellView)

public:
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
    using CScrollView::OnPrepareDC;
};
IMPLEMENT_DYNCREATE(CCellView, CScrollView)

namespace {

// A visible top-level frame holding one CCellView whose client area is exactly the size asked
// (no border; control id 1, so the frame does not lay it out).
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
        ASSERT_TRUE(
            m_pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150), m_pFrame, 1));
        PumpMessages();
    }
    void TearDown() override
    {
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        PumpMessages();
    }
    void Resize(int cx, int cy)
    {
        m_pView->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    bool HasBar(DWORD style) const { return (m_pView->GetStyle() & style) != 0; }
    CSize ClientSize() const
    {
        CRect rc;
        m_pView->GetClientRect(&rc);
        return rc.Size();
    }

    CFrameWnd* m_pFrame = NULL;
    CCellView* m_pView = NULL;
};

}  // namespace

TEST_F(ScrollViewTest, BarsShowOnlyWhenContentExceedsClient)
{
    const int sbx = ::GetSystemMetrics(SM_CXVSCROLL), sby = ::GetSystemMetrics(SM_CYHSCROLL);
    struct Case {
        const char* name;
        CSize total;
        bool hBar, vBar;
    } cases[] = {
        {"smaller than the client", CSize(100, 100), false, false},
        {"exactly the client", CSize(200, 150), false, false},
        {"wider only", CSize(400, 100), true, false},
        {"taller only", CSize(100, 300), false, true},
        {"wider and taller", CSize(400, 300), true, true},
        // The vertical bar narrows the client so the width no longer fits either.
        {"taller, and too wide once the bar shows", CSize(200 - sbx / 2, 300), true, true},
        {"wider, and too tall once the bar shows", CSize(400, 150 - sby / 2), true, true},
        {"back to small", CSize(50, 50), false, false},
    };
    for (const Case& c : cases) {
        m_pView->SetScrollSizes(MM_TEXT, c.total);
        EXPECT_EQ(c.hBar, HasBar(WS_HSCROLL)) << c.name << ": horizontal bar";
        EXPECT_EQ(c.vBar, HasBar(WS_VSCROLL)) << c.name << ": vertical bar";
        CSize client = ClientSize();
        EXPECT_EQ(200 - (c.vBar ? sbx : 0), client.cx) << c.name << ": client width";
        EXPECT_EQ(150 - (c.hBar ? sby : 0), client.cy) << c.name << ": client height";
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        if (c.vBar) {
            ASSERT_TRUE(::GetScrollInfo(m_pView->m_hWnd, SB_VERT, &si));
            EXPECT_EQ(c.total.cy - 1, si.nMax) << c.name << ": vertical range";
            EXPECT_EQ(UINT(client.cy), si.nPage)
                << c.name << ": vertical page is the client height";
        }
        EXPECT_EQ(c.total, m_pView->GetTotalSize()) << c.name;
    }

    // Growing the window past the content takes the bars away; shrinking brings them back.
    m_pView->SetScrollSizes(MM_TEXT, CSize(300, 250));
    EXPECT_TRUE(HasBar(WS_HSCROLL) && HasBar(WS_VSCROLL)) << "300x250 in 200x150";
    Resize(320, 260);
    EXPECT_FALSE(HasBar(WS_HSCROLL) || HasBar(WS_VSCROLL)) << "300x250 in 320x260";
    Resize(320, 200);
    EXPECT_FALSE(HasBar(WS_HSCROLL)) << "300 wide fits 320 - bar width";
    EXPECT_TRUE(HasBar(WS_VSCROLL)) << "250 tall in 200";
}

TEST_F(ScrollViewTest, DefaultPageAndLineSizes)
{
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 2000));
    int nMapMode = 0;
    SIZE total, page, line;
    m_pView->GetDeviceScrollSizes(nMapMode, total, page, line);
    EXPECT_EQ(MM_TEXT, nMapMode);
    EXPECT_EQ(CSize(1000, 2000), CSize(total));
    EXPECT_EQ(CSize(100, 200), CSize(page)) << "page defaults to a tenth of the total";
    EXPECT_EQ(CSize(10, 20), CSize(line)) << "line defaults to a tenth of the page";

    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 2000), CSize(150, 300), CSize(7, 11));
    m_pView->GetDeviceScrollSizes(nMapMode, total, page, line);
    EXPECT_EQ(CSize(150, 300), CSize(page));
    EXPECT_EQ(CSize(7, 11), CSize(line));

    // A negative total is refused in release builds: nothing changes.
#ifndef _DEBUG
    m_pView->SetScrollSizes(MM_TEXT, CSize(-5, -5));
    EXPECT_EQ(CSize(0, 0), m_pView->GetTotalSize()) << "negative sizes become zero";
    EXPECT_FALSE(HasBar(WS_HSCROLL) || HasBar(WS_VSCROLL));
#endif
}

TEST_F(ScrollViewTest, ScrollMessagesMoveByTheGivenSizesAndClamp)
{
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 2000), CSize(150, 300), CSize(7, 11));
    const CSize client = ClientSize();
    const int xMax = 1000 - client.cx, yMax = 2000 - client.cy;
    struct Step {
        UINT message;
        UINT code;
        UINT pos;
        CPoint expected;
    } steps[] = {
        {WM_VSCROLL, SB_LINEUP, 0, CPoint(0, 0)},  // already at the top
        {WM_VSCROLL, SB_LINEDOWN, 0, CPoint(0, 11)},
        {WM_VSCROLL, SB_PAGEDOWN, 0, CPoint(0, 311)},
        {WM_VSCROLL, SB_PAGEUP, 0, CPoint(0, 11)},
        {WM_VSCROLL, SB_PAGEUP, 0, CPoint(0, 0)},  // clamped at the top
        {WM_VSCROLL, SB_THUMBTRACK, 1234, CPoint(0, 1234)},
        {WM_VSCROLL, SB_THUMBPOSITION, 50, CPoint(0, 50)},
        {WM_VSCROLL, SB_THUMBTRACK, 30000, CPoint(0, yMax)},  // clamped at the bottom
        {WM_VSCROLL, SB_LINEDOWN, 0, CPoint(0, yMax)},
        {WM_VSCROLL, SB_PAGEDOWN, 0, CPoint(0, yMax)},
        {WM_VSCROLL, SB_LINEUP, 0, CPoint(0, yMax - 11)},
        {WM_VSCROLL, SB_TOP, 0, CPoint(0, 0)},
        {WM_VSCROLL, SB_BOTTOM, 0, CPoint(0, yMax)},
        {WM_VSCROLL, SB_ENDSCROLL, 0, CPoint(0, yMax)},  // no movement
        {WM_HSCROLL, SB_LINEDOWN, 0, CPoint(7, yMax)},
        {WM_HSCROLL, SB_PAGEDOWN, 0, CPoint(157, yMax)},
        {WM_HSCROLL, SB_THUMBTRACK, 900, CPoint(xMax, yMax)},
        {WM_HSCROLL, SB_LINEDOWN, 0, CPoint(xMax, yMax)},
        {WM_HSCROLL, SB_PAGEUP, 0, CPoint(xMax - 150, yMax)},
        {WM_HSCROLL, SB_LINEUP, 0, CPoint(xMax - 157, yMax)},
        {WM_HSCROLL, SB_TOP, 0, CPoint(0, yMax)},
        {WM_HSCROLL, SB_LINEUP, 0, CPoint(0, yMax)},
    };
    int n = 0;
    for (const Step& s : steps) {
        m_pView->SendMessage(s.message, MAKEWPARAM(s.code, s.pos), 0);
        CPoint pos = m_pView->GetScrollPosition();
        EXPECT_EQ(s.expected, pos) << "step " << n;
        EXPECT_EQ(pos, m_pView->GetDeviceScrollPosition()) << "MM_TEXT: device equals logical";
        ++n;
    }

    // ScrollToPosition clamps too; shrinking the content pulls the position back inside.
    m_pView->ScrollToPosition(CPoint(-50, 99999));
    EXPECT_EQ(CPoint(0, yMax), m_pView->GetScrollPosition());
    m_pView->ScrollToPosition(CPoint(400, 500));
    m_pView->SetScrollSizes(MM_TEXT, CSize(300, 700));
    CSize clientNow = ClientSize();
    EXPECT_EQ(CPoint(300 - clientNow.cx, 500), m_pView->GetScrollPosition());
}

TEST_F(ScrollViewTest, PrepareDCPutsViewportOriginAtMinusScrollPosition)
{
    GdiCountGuard guard("prepare DC");
    m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 1000));
    const CPoint positions[] = {CPoint(0, 0), CPoint(30, 70), CPoint(123, 0), CPoint(0, 456)};
    for (const CPoint& pt : positions) {
        m_pView->ScrollToPosition(pt);
        CClientDC dc(m_pView);
        m_pView->OnPrepareDC(&dc);
        EXPECT_EQ(CPoint(-pt.x, -pt.y), dc.GetViewportOrg())
            << "scrolled to (" << pt.x << "," << pt.y << ")";
        EXPECT_EQ(MM_TEXT, dc.GetMapMode());
    }
}

TEST_F(ScrollViewTest, PaintingAfterScrollShowsTheDocumentAtTheScrollPosition)
{
    GdiCountGuard guard("scroll and repaint");
    m_pView->SetScrollSizes(MM_TEXT, CSize(640, 640), CSize(90, 70), CSize(13, 17));
    m_pView->UpdateWindow();
    PumpMessages();

    // Each step scrolls part of what was painted and repaints only the strip uncovered.
    struct Step {
        UINT message;
        UINT code;
        UINT pos;
    } steps[] = {
        {WM_VSCROLL, SB_LINEDOWN, 0},     {WM_VSCROLL, SB_LINEDOWN, 0},
        {WM_HSCROLL, SB_LINEDOWN, 0},     {WM_VSCROLL, SB_PAGEDOWN, 0},
        {WM_HSCROLL, SB_PAGEDOWN, 0},     {WM_VSCROLL, SB_LINEUP, 0},
        {WM_HSCROLL, SB_THUMBTRACK, 333}, {WM_VSCROLL, SB_BOTTOM, 0},
    };
    const CSize client = ClientSize();
    int n = 0;
    for (const Step& s : steps) {
        int drawsBefore = m_pView->m_nDraws;
        m_pView->SendMessage(s.message, MAKEWPARAM(s.code, s.pos), 0);
        PumpMessages();
        EXPECT_GT(m_pView->m_nDraws, drawsBefore)
            << "step " << n << ": the uncovered part repainted";
        CPoint scroll = m_pView->GetScrollPosition();

        // Read the view's pixels from the screen.
        DibCanvas canvas(client.cx, client.cy, RGB(255, 0, 255));
        HDC hdcView = ::GetDC(m_pView->m_hWnd);
        ::BitBlt(canvas.Hdc(), 0, 0, client.cx, client.cy, hdcView, 0, 0, SRCCOPY);
        ::ReleaseDC(m_pView->m_hWnd, hdcView);

        DibCanvas expected(client.cx, client.cy);
        for (int y = -(scroll.y % kCell); y < client.cy; y += kCell)
            for (int x = -(scroll.x % kCell); x < client.cx; x += kCell)
                expected.Dc().FillSolidRect(x, y, kCell, kCell,
                                            CellColour(x + scroll.x, y + scroll.y));
        EXPECT_TRUE(SamePixels(expected, canvas))
            << "step " << n << ", scrolled to " << scroll.x << "," << scroll.y;
        ++n;
    }
    EXPECT_EQ(640 - client.cy, m_pView->GetScrollPosition().y) << "ended at the bottom";
}
