// CScrollView: scroll bars sized from the document's total size, scrolling by line, page and
// thumb, and a device-context origin that follows the scroll position.
#include "afxwin.h"

#include <climits>

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_SIZE()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

namespace {

// Converts a size in logical units of nMapMode to device pixels of the screen (absolute values:
// modes whose y axis points up give positive sizes too).
CSize LogicalToDevice(int nMapMode, SIZE size)
{
    if (nMapMode == MM_TEXT)
        return CSize(size);
    HDC hdc = ::GetDC(NULL);
    ::SetMapMode(hdc, nMapMode);
    POINT pt = {size.cx, size.cy};
    ::LPtoDP(hdc, &pt, 1);
    ::ReleaseDC(NULL, hdc);
    return CSize(pt.x < 0 ? -pt.x : pt.x, pt.y < 0 ? -pt.y : pt.y);
}

}  // namespace

CScrollView::CScrollView()
    : m_nMapMode(0), m_totalLog(0, 0), m_totalDev(0, 0), m_pageDev(0, 0), m_lineDev(0, 0),
      m_bInsideUpdate(FALSE)
{}

CScrollView::~CScrollView() {}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage,
                                 const SIZE& sizeLine)
{
    ASSERT(sizeTotal.cx >= 0 && sizeTotal.cy >= 0);
    ASSERT(nMapMode >= MM_TEXT && nMapMode <= MM_TWIPS);
    // Scaling modes have no fixed size in pixels; a negative size means nothing.
    if (nMapMode < MM_TEXT || nMapMode > MM_TWIPS)
        return;
    if (sizeTotal.cx < 0)
        sizeTotal.cx = 0;
    if (sizeTotal.cy < 0)
        sizeTotal.cy = 0;

    int nOldMapMode = m_nMapMode;
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    m_totalDev = LogicalToDevice(nMapMode, sizeTotal);
    m_pageDev = LogicalToDevice(nMapMode, sizePage);
    m_lineDev = LogicalToDevice(nMapMode, sizeLine);
    // Defaults: a page is a tenth of the total, a line a tenth of a page (at least one pixel).
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = 1;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = 1;

    if (m_hWnd != NULL) {
        UpdateBars();
        if (nOldMapMode != m_nMapMode)
            Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage,
                                       SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    if (m_hWnd == NULL)
        return CPoint(0, 0);
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode != MM_TEXT && m_nMapMode != 0) {
        HDC hdc = ::GetDC(NULL);
        ::SetMapMode(hdc, m_nMapMode);
        ::DPtoLP(hdc, &pt, 1);
        ::ReleaseDC(NULL, hdc);
    }
    return pt;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    if (m_hWnd == NULL)
        return;
    if (m_nMapMode != MM_TEXT && m_nMapMode != 0) {
        HDC hdc = ::GetDC(NULL);
        ::SetMapMode(hdc, m_nMapMode);
        ::LPtoDP(hdc, &pt, 1);
        ::ReleaseDC(NULL, hdc);
    }
    int xMax = GetScrollLimit(SB_HORZ);
    int yMax = GetScrollLimit(SB_VERT);
    pt.x = pt.x < 0 ? 0 : (pt.x > xMax ? xMax : pt.x);
    pt.y = pt.y < 0 ? 0 : (pt.y > yMax ? yMax : pt.y);
    ScrollToDevicePosition(pt);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    int xOrig = GetScrollPos(SB_HORZ);
    int yOrig = GetScrollPos(SB_VERT);
    if (xOrig != ptDev.x)
        SetScrollPos(SB_HORZ, ptDev.x);
    if (yOrig != ptDev.y)
        SetScrollPos(SB_VERT, ptDev.y);
    if (xOrig != ptDev.x || yOrig != ptDev.y)
        ScrollWindow(xOrig - ptDev.x, yOrig - ptDev.y);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC != NULL && m_nMapMode != 0) {
        pDC->SetMapMode(m_nMapMode);
        // On the screen, the document point at the scroll position lands at the client origin.
        CPoint ptOrigin(0, 0);
        if (!pDC->IsPrinting()) {
            CPoint ptScroll = GetDeviceScrollPosition();
            ptOrigin = CPoint(-ptScroll.x, -ptScroll.y);
        }
        pDC->SetViewportOrg(ptOrigin);
    }
    CView::OnPrepareDC(pDC, pInfo);
}

namespace {

// Sets a bar's range, page and position and shows or hides it; a bar already in that state is
// left alone: redrawing it costs a trip to the display, and views that grow with every element
// ask for it at every append.
void UpdateBar(CWnd* pWnd, int nBar, SCROLLINFO& si, BOOL bShow)
{
    SCROLLINFO current;
    current.cbSize = sizeof(current);
    current.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
    const DWORD dwBarStyle = nBar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    if (::GetScrollInfo(pWnd->m_hWnd, nBar, &current) && current.nMin == si.nMin &&
        current.nMax == si.nMax && current.nPage == si.nPage && current.nPos == si.nPos &&
        ((pWnd->GetStyle() & dwBarStyle) != 0) == (bShow != FALSE))
        return;
    pWnd->SetScrollInfo(nBar, &si, TRUE);
    pWnd->ShowScrollBar(nBar, bShow);
}

}  // namespace

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || m_hWnd == NULL || m_nMapMode == 0)
        return;
    // Showing or hiding a bar resizes the client area and sends WM_SIZE back here.
    m_bInsideUpdate = TRUE;

    // The client size with no bars, and what each bar takes away.
    CRect rectClient;
    GetClientRect(&rectClient);
    CSize sizeClient = rectClient.Size();
    DWORD dwStyle = GetStyle();
    CSize sizeBar(::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL));
    if (dwStyle & WS_VSCROLL)
        sizeClient.cx += sizeBar.cx;
    if (dwStyle & WS_HSCROLL)
        sizeClient.cy += sizeBar.cy;

    // A bar shows when the content does not fit; one bar can make the other needed.
    BOOL bNeedH = m_totalDev.cx > sizeClient.cx;
    BOOL bNeedV = m_totalDev.cy > sizeClient.cy;
    if (bNeedH && !bNeedV)
        bNeedV = m_totalDev.cy > sizeClient.cy - sizeBar.cy;
    if (bNeedV && !bNeedH)
        bNeedH = m_totalDev.cx > sizeClient.cx - sizeBar.cx;
    CSize sizeView(sizeClient.cx - (bNeedV ? sizeBar.cx : 0),
                   sizeClient.cy - (bNeedH ? sizeBar.cy : 0));
    if (sizeView.cx < 0)
        sizeView.cx = 0;
    if (sizeView.cy < 0)
        sizeView.cy = 0;

    // Keep the position inside the new range, scrolling the content if it has to move.
    CPoint ptPos = GetDeviceScrollPosition();
    CPoint ptMax(bNeedH ? m_totalDev.cx - sizeView.cx : 0,
                 bNeedV ? m_totalDev.cy - sizeView.cy : 0);
    CPoint ptNew(ptPos.x > ptMax.x ? ptMax.x : ptPos.x, ptPos.y > ptMax.y ? ptMax.y : ptPos.y);
    if (ptNew != ptPos)
        ScrollToDevicePosition(ptNew);

    SCROLLINFO si;
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
    si.nMin = 0;
    si.nTrackPos = 0;

    si.nMax = bNeedH ? m_totalDev.cx - 1 : 0;
    si.nPage = bNeedH ? sizeView.cx : 0;
    si.nPos = bNeedH ? ptNew.x : 0;
    UpdateBar(this, SB_HORZ, si, bNeedH);

    si.nMax = bNeedV ? m_totalDev.cy - 1 : 0;
    si.nPage = bNeedV ? sizeView.cy : 0;
    si.nPos = bNeedV ? ptNew.y : 0;
    UpdateBar(this, SB_VERT, si, bNeedV);

    m_bInsideUpdate = FALSE;
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    // Only our own bar scrolls the view; a scroll bar control has its own owner.
    if (pScrollBar != NULL && pScrollBar != GetScrollBarCtrl(SB_HORZ))
        return;
    OnScroll(MAKEWORD(nSBCode, 0xFF), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && pScrollBar != GetScrollBarCtrl(SB_VERT))
        return;
    OnScroll(MAKEWORD(0xFF, nSBCode), nPos);
}

BOOL CScrollView::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/)
{
    UINT nLines = 3;
    ::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    DWORD dwStyle = GetStyle();
    if (!(dwStyle & (WS_VSCROLL | WS_HSCROLL)) || nLines == 0)
        return FALSE;
    // A vertical bar takes the wheel; a view that only scrolls sideways scrolls sideways.
    BOOL bVert = (dwStyle & WS_VSCROLL) != 0;
    int nLine = bVert ? m_lineDev.cy : m_lineDev.cx;
    int nPage = bVert ? m_pageDev.cy : m_pageDev.cx;
    int nStep = nLines == WHEEL_PAGESCROLL ? nPage : (int)nLines * nLine;
    int nDelta = -MulDiv(zDelta, nStep, WHEEL_DELTA);
    BOOL bResult = OnScrollBy(bVert ? CSize(0, nDelta) : CSize(nDelta, 0), TRUE);
    if (bResult)
        UpdateWindow();
    return bResult;
}

// Clamps a position moved by a scroll code: nBar's code is one byte of nScrollCode.
static int ScrollTarget(BYTE nCode, int nCur, int nLine, int nPage, UINT nPos)
{
    switch (nCode) {
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return INT_MAX;
    case SB_LINEUP:
        return nCur - nLine;
    case SB_LINEDOWN:
        return nCur + nLine;
    case SB_PAGEUP:
        return nCur - nPage;
    case SB_PAGEDOWN:
        return nCur + nPage;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return (int)nPos;
    default:
        return nCur;
    }
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    CPoint ptOrig = GetDeviceScrollPosition();
    int x = ScrollTarget(LOBYTE(nScrollCode), ptOrig.x, m_lineDev.cx, m_pageDev.cx, nPos);
    int y = ScrollTarget(HIBYTE(nScrollCode), ptOrig.y, m_lineDev.cy, m_pageDev.cy, nPos);
    // OnScrollBy clamps; keep the difference inside int.
    long long dx = (long long)x - ptOrig.x, dy = (long long)y - ptOrig.y;
    if (dx > INT_MAX)
        dx = INT_MAX;
    if (dy > INT_MAX)
        dy = INT_MAX;
    BOOL bResult = OnScrollBy(CSize((int)dx, (int)dy), bDoScroll);
    if (bResult && bDoScroll)
        UpdateWindow();
    return bResult;
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    if (m_hWnd == NULL)
        return FALSE;
    DWORD dwStyle = GetStyle();
    if (!(dwStyle & WS_HSCROLL))
        sizeScroll.cx = 0;
    if (!(dwStyle & WS_VSCROLL))
        sizeScroll.cy = 0;

    int xOrig = GetScrollPos(SB_HORZ);
    int xMax = GetScrollLimit(SB_HORZ);
    long long x = (long long)xOrig + sizeScroll.cx;
    x = x < 0 ? 0 : (x > xMax ? xMax : x);

    int yOrig = GetScrollPos(SB_VERT);
    int yMax = GetScrollLimit(SB_VERT);
    long long y = (long long)yOrig + sizeScroll.cy;
    y = y < 0 ? 0 : (y > yMax ? yMax : y);

    if (x == xOrig && y == yOrig)
        return FALSE;
    if (bDoScroll) {
        // Move the pixels already painted; the uncovered strip is invalidated and repainted.
        ScrollWindow(-(int)(x - xOrig), -(int)(y - yOrig));
        if (x != xOrig)
            SetScrollPos(SB_HORZ, (int)x);
        if (y != yOrig)
            SetScrollPos(SB_VERT, (int)y);
    }
    return TRUE;
}
