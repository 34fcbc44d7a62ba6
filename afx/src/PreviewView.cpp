// CPreviewView: the print preview, one or two pages of a print view drawn on paper at three
// zoom states, and CView's members that open and close it in the view's frame.
#include <afxdlgs.h>
#include <afxpriv.h>

#include <climits>
#include <numeric>
#include <cstdio>
#include <cstdlib>
#include <tchar.h>

BOOL AFXAPI _AfxLoadResourceString(UINT nID, CString& rString);

IMPLEMENT_DYNCREATE(CPreviewView, CScrollView)

BEGIN_MESSAGE_MAP(CPreviewView, CScrollView)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
END_MESSAGE_MAP()

namespace {

const int kMargin = 8;  // pixels around the paper and between two pages
const int kShadow = 3;  // the paper's shadow, below and to the right

// num/den as a CSize (cx the numerator), reduced and brought inside int.
CSize Ratio(long long num, long long den)
{
    if (num <= 0 || den <= 0)
        return CSize(1, 1);
    const long long g = std::gcd(num, den);
    num /= g, den /= g;
    while (num > INT_MAX || den > INT_MAX)
        num = (num + 1) / 2, den = (den + 1) / 2;
    return CSize((int)num, (int)den);
}

// The frame's WM_CLOSE in preview mode closes the preview instead of the frame.
BOOL CALLBACK ClosePreview(CFrameWnd* pFrameWnd)
{
    CWnd* pView = pFrameWnd != NULL ? pFrameWnd->GetDlgItem(AFX_IDW_PANE_FIRST) : NULL;
    if (pView == NULL || !pView->IsKindOf(RUNTIME_CLASS(CPreviewView)))
        return FALSE;
    pView->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    return TRUE;
}

}  // namespace

CPrintPreviewState::CPrintPreviewState()
    : nIDMainPane(AFX_IDW_PANE_FIRST), hMenu(NULL), dwStates(0), hWndFocus(NULL), hAccelTable(NULL),
      pViewActiveOld(NULL), lpfnCloseProc(NULL)
{}

CPreviewView::CPreviewView()
    : m_pOrigView(NULL), m_pPrintView(NULL), m_pPreviewDC(NULL), m_pToolBar(NULL),
      m_pPreviewInfo(NULL), m_pPreviewState(NULL), m_nZoomState(ZOOM_OUT), m_nZoomOutPages(1),
      m_nPages(1), m_nCurrentPage(1), m_nMaxPages(1), m_bPageNumDisplayed(FALSE),
      m_sizePrinterPPI(0, 0), m_sizePaper(0, 0), m_rectPrintable(0, 0, 0, 0)
{
    m_pageInfo[0].rectScreen.SetRectEmpty();
    m_pageInfo[0].sizeScaleRatio = CSize(1, 1);
    m_pageInfo[1] = m_pageInfo[0];
}

CPreviewView::~CPreviewView()
{
    delete m_pPreviewDC;
    if (m_pPreviewInfo != NULL) {
        // The job's record deletes the printer context: the one it shares with m_dcPrint goes
        // once.
        if (m_dcPrint.m_hDC != NULL && m_dcPrint.m_hDC == m_pPreviewInfo->m_pPD->m_pd.hDC)
            m_dcPrint.Detach();
        delete m_pPreviewInfo;
    }
    delete m_pPreviewState;
}

BOOL CPreviewView::SetPrintView(CView* pPrintView)
{
    if (pPrintView == NULL || m_pPreviewInfo != NULL)
        return FALSE;
    m_pPrintView = pPrintView;
    m_pPreviewInfo = new CPrintInfo;
    m_pPreviewInfo->m_bPreview = TRUE;
    HDC hPrinterDC = NULL;
    if (m_pPrintView->OnPreparePrinting(m_pPreviewInfo))
        hPrinterDC = m_pPreviewInfo->m_pPD->m_pd.hDC;
    if (hPrinterDC == NULL) {
        delete m_pPreviewInfo;
        m_pPreviewInfo = NULL;
        m_pPrintView = NULL;  // nothing began, so nothing is to be ended
        return FALSE;
    }
    m_dcPrint.Attach(hPrinterDC);
    m_dcPrint.m_bPrinting = TRUE;
    m_pPreviewDC = new CPreviewDC;
    m_pPreviewDC->SetAttribDC(hPrinterDC);
    m_pPreviewDC->m_bPrinting = TRUE;
    // A view may describe its pages itself in OnPreparePrinting.
    if (m_pPreviewInfo->m_strPageDesc.IsEmpty())
        _AfxLoadResourceString(AFX_IDS_PREVIEWPAGEDESC, m_pPreviewInfo->m_strPageDesc);

    m_sizePrinterPPI.cx = m_dcPrint.GetDeviceCaps(LOGPIXELSX);
    m_sizePrinterPPI.cy = m_dcPrint.GetDeviceCaps(LOGPIXELSY);
    const CSize sizeRes(m_dcPrint.GetDeviceCaps(HORZRES), m_dcPrint.GetDeviceCaps(VERTRES));
    m_sizePaper.cx = m_dcPrint.GetDeviceCaps(PHYSICALWIDTH);
    m_sizePaper.cy = m_dcPrint.GetDeviceCaps(PHYSICALHEIGHT);
    const CPoint ptOffset(m_dcPrint.GetDeviceCaps(PHYSICALOFFSETX),
                          m_dcPrint.GetDeviceCaps(PHYSICALOFFSETY));
    // A device without a physical page prints on its whole surface.
    if (m_sizePaper.cx <= 0 || m_sizePaper.cy <= 0)
        m_sizePaper = sizeRes;
    m_rectPrintable = CRect(ptOffset, sizeRes);
    if (m_sizePrinterPPI.cx <= 0 || m_sizePrinterPPI.cy <= 0)
        m_sizePrinterPPI = CSize(1, 1);

    m_pPrintView->OnBeginPrinting(m_pPreviewDC, m_pPreviewInfo);

    const UINT nMin = m_pPreviewInfo->GetMinPage();
    m_nMaxPages = PageExists(nMin + 1) ? 2 : 1;
    m_nZoomOutPages = m_nMaxPages == 2 && m_pPreviewInfo->m_nNumPreviewPages == 2 ? 2 : 1;
    m_nZoomState = ZOOM_OUT;
    SetCurrentPage(m_pPreviewInfo->m_nCurPage < nMin ? nMin : m_pPreviewInfo->m_nCurPage, TRUE);
    return TRUE;
}

BOOL CPreviewView::PageExists(UINT nPage)
{
    if (m_pPreviewInfo == NULL || m_pPrintView == NULL || m_pPreviewDC == NULL)
        return FALSE;
    CPrintInfo& info = *m_pPreviewInfo;
    if (nPage < info.GetMinPage() || nPage > 0xFFFF)
        return FALSE;
    if (info.GetMaxPage() != 0xFFFF)
        return nPage <= info.GetMaxPage();
    // A job of unknown length ends where the print view's OnPrepareDC stops it.
    const UINT nCurPage = info.m_nCurPage;
    info.m_nCurPage = nPage;
    info.m_bContinuePrinting = TRUE;
    const int nSaved = m_pPreviewDC->SaveDC();
    m_pPrintView->OnPrepareDC(m_pPreviewDC, &info);
    m_pPreviewDC->RestoreDC(nSaved);
    const BOOL bExists = info.m_bContinuePrinting;
    info.m_nCurPage = nCurPage;
    info.m_bContinuePrinting = TRUE;
    return bExists;
}

CSize CPreviewView::FullClientSize() const
{
    CRect rect;
    GetClientRect(&rect);
    // Zoom ratios do not follow the scroll bars they make appear.
    const DWORD dwStyle = GetStyle();
    if (dwStyle & WS_VSCROLL)
        rect.right += ::GetSystemMetrics(SM_CXVSCROLL);
    if (dwStyle & WS_HSCROLL)
        rect.bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    return rect.Size();
}

CSize CPreviewView::ZoomRatio(UINT nZoomState, UINT nPages) const
{
    if (nZoomState == ZOOM_IN) {
        // Actual size: an inch of paper is an inch of screen.
        HDC hScreen = ::GetDC(NULL);
        const int nScreenPPI = ::GetDeviceCaps(hScreen, LOGPIXELSX);
        ::ReleaseDC(NULL, hScreen);
        return Ratio(nScreenPPI, m_sizePrinterPPI.cx);
    }
    // Zoomed out, the pages fit the client area beside each other within the margins.
    const CSize sizeClient = FullClientSize();
    const int n = nPages == 2 ? 2 : 1;
    long long cxFree = (sizeClient.cx - (n + 1) * kMargin - n * kShadow) / n;
    long long cyFree = sizeClient.cy - 2 * kMargin - kShadow;
    cxFree = cxFree < 1 ? 1 : cxFree;
    cyFree = cyFree < 1 ? 1 : cyFree;
    CSize ratioOut;
    if (m_sizePaper.cx <= 0 || m_sizePaper.cy <= 0)
        ratioOut = CSize(1, 1);
    else if (cxFree * m_sizePaper.cy <= cyFree * m_sizePaper.cx)
        ratioOut = Ratio(cxFree, m_sizePaper.cx);
    else
        ratioOut = Ratio(cyFree, m_sizePaper.cy);
    if (nZoomState == ZOOM_OUT)
        return ratioOut;
    // Halfway between one page fitted and actual size.
    const CSize ratioIn = ZoomRatio(ZOOM_IN, 1);
    return Ratio((long long)ratioOut.cx * ratioIn.cy + (long long)ratioIn.cx * ratioOut.cy,
                 2LL * ratioOut.cy * ratioIn.cy);
}

void CPreviewView::UpdateScrollSizes()
{
    if (m_hWnd == NULL)
        return;
    if (m_nZoomState == ZOOM_OUT) {
        SetScrollSizes(MM_TEXT, CSize(0, 0));
        return;
    }
    // One page with its margins and shadow; a screenful is a page step.
    const CSize ratio = ZoomRatio(m_nZoomState, 1);
    const CSize sizeTotal(::MulDiv(m_sizePaper.cx, ratio.cx, ratio.cy) + 2 * kMargin + kShadow,
                          ::MulDiv(m_sizePaper.cy, ratio.cx, ratio.cy) + 2 * kMargin + kShadow);
    SetScrollSizes(MM_TEXT, sizeTotal, FullClientSize());
}

void CPreviewView::PositionPages()
{
    CRect rectClient;
    GetClientRect(&rectClient);
    const CSize ratio = ZoomRatio(m_nZoomState, m_nPages);
    const CSize sizePage(::MulDiv(m_sizePaper.cx, ratio.cx, ratio.cy),
                         ::MulDiv(m_sizePaper.cy, ratio.cx, ratio.cy));
    CPoint ptOrigin;
    if (m_nZoomState == ZOOM_OUT) {
        const int cxAll = (int)m_nPages * (sizePage.cx + kShadow) + ((int)m_nPages - 1) * kMargin;
        ptOrigin = CPoint((rectClient.Width() - cxAll) / 2,
                          (rectClient.Height() - sizePage.cy - kShadow) / 2);
    } else {
        // Centred while it fits, else scrolled.
        const CPoint ptScroll = GetDeviceScrollPosition();
        const CSize sizeTotal = sizePage + CSize(2 * kMargin + kShadow, 2 * kMargin + kShadow);
        ptOrigin.x = sizeTotal.cx <= rectClient.Width()
                         ? (rectClient.Width() - sizePage.cx - kShadow) / 2
                         : kMargin - ptScroll.x;
        ptOrigin.y = sizeTotal.cy <= rectClient.Height()
                         ? (rectClient.Height() - sizePage.cy - kShadow) / 2
                         : kMargin - ptScroll.y;
    }
    for (UINT i = 0; i < 2; ++i) {
        const CPoint ptPage(ptOrigin.x + (int)i * (sizePage.cx + kShadow + kMargin), ptOrigin.y);
        m_pageInfo[i].rectScreen = CRect(ptPage, sizePage);
        m_pageInfo[i].sizeScaleRatio = ratio;
    }
}

void CPreviewView::SetCurrentPage(UINT nPage, BOOL bClearRatios)
{
    if (m_pPreviewInfo == NULL)
        return;
    const UINT nMin = m_pPreviewInfo->GetMinPage();
    if (nPage < nMin)
        nPage = nMin;
    if (m_pPreviewInfo->GetMaxPage() != 0xFFFF && nPage > m_pPreviewInfo->GetMaxPage())
        nPage = m_pPreviewInfo->GetMaxPage();
    while (nPage > nMin && !PageExists(nPage))
        --nPage;
    // Two pages side by side end on the job's last page.
    m_nPages = m_nZoomState == ZOOM_OUT ? m_nZoomOutPages : 1;
    if (m_nPages == 2 && !PageExists(nPage + 1)) {
        if (nPage > nMin)
            --nPage;
        else
            m_nPages = 1;
    }
    m_nCurrentPage = nPage;
    m_bPageNumDisplayed = FALSE;
    if (bClearRatios)
        UpdateScrollSizes();
    if (m_hWnd != NULL)
        Invalidate(TRUE);
}

void CPreviewView::SetZoomState(UINT nNewState, UINT nPage, CPoint point)
{
    if (nNewState > ZOOM_IN || nNewState == m_nZoomState)
        return;
    // The spot of the paper under the point, in printer dots (the page's centre when the point
    // is on no page), stays under the point when it can.
    PositionPages();
    CPoint ptDots(m_sizePaper.cx / 2, m_sizePaper.cy / 2);
    for (UINT i = 0; i < m_nPages; ++i) {
        const PAGE_INFO& page = m_pageInfo[i];
        if (page.rectScreen.PtInRect(point)) {
            nPage = m_nCurrentPage + i;
            ptDots.x = ::MulDiv(point.x - page.rectScreen.left, page.sizeScaleRatio.cy,
                                page.sizeScaleRatio.cx);
            ptDots.y = ::MulDiv(point.y - page.rectScreen.top, page.sizeScaleRatio.cy,
                                page.sizeScaleRatio.cx);
            break;
        }
    }
    m_nZoomState = nNewState;
    SetCurrentPage(nPage, TRUE);
    if (m_nZoomState != ZOOM_OUT) {
        const CSize ratio = ZoomRatio(m_nZoomState, 1);
        ScrollToPosition(CPoint(kMargin + ::MulDiv(ptDots.x, ratio.cx, ratio.cy) - point.x,
                                kMargin + ::MulDiv(ptDots.y, ratio.cx, ratio.cy) - point.y));
    }
}

void CPreviewView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    // The pages are placed in client coordinates, the scroll position included.
    CView::OnPrepareDC(pDC, pInfo);
}

void CPreviewView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

BOOL CPreviewView::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;  // OnDraw fills every pixel
}

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    // Halfway zoom depends on the fitted one, which follows the window's size.
    if (!m_bInsideUpdate && m_nZoomState == ZOOM_MIDDLE)
        UpdateScrollSizes();
    Invalidate(TRUE);
}

void CPreviewView::OnDraw(CDC* pDC)
{
    if (pDC == NULL)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    pDC->FillSolidRect(&rectClient, ::GetSysColor(COLOR_APPWORKSPACE));
    if (m_pPreviewInfo == NULL || m_pPrintView == NULL || m_pPreviewDC == NULL)
        return;
    PositionPages();
    CPrintInfo& info = *m_pPreviewInfo;
    for (UINT i = 0; i < m_nPages; ++i) {
        const PAGE_INFO& page = m_pageInfo[i];
        const CRect& rectPaper = page.rectScreen;
        CRect rectShadow = rectPaper;
        rectShadow.OffsetRect(kShadow, kShadow);
        pDC->FillSolidRect(&rectShadow, ::GetSysColor(COLOR_3DDKSHADOW));
        pDC->FillSolidRect(&rectPaper, RGB(255, 255, 255));
        pDC->Draw3dRect(&rectPaper, RGB(0, 0, 0), RGB(0, 0, 0));

        // The printable area on the screen: the printer's device origin is its corner.
        const int nNum = page.sizeScaleRatio.cx, nDen = page.sizeScaleRatio.cy;
        const CRect rectPrintable(rectPaper.left + ::MulDiv(m_rectPrintable.left, nNum, nDen),
                                  rectPaper.top + ::MulDiv(m_rectPrintable.top, nNum, nDen),
                                  rectPaper.left + ::MulDiv(m_rectPrintable.right, nNum, nDen),
                                  rectPaper.top + ::MulDiv(m_rectPrintable.bottom, nNum, nDen));
        CRect rectClip = rectPaper;
        rectClip.DeflateRect(1, 1);  // the frame stays
        rectClip &= rectPrintable;

        m_pPreviewDC->SetOutputDC(pDC->m_hDC);
        m_pPreviewDC->SetScaleRatio(nNum, nDen);
        m_pPreviewDC->SetTopLeftOffset(rectPrintable.TopLeft());
        HRGN hClip = ::CreateRectRgnIndirect(&rectClip);
        ::ExtSelectClipRgn(pDC->m_hDC, hClip, RGN_AND);
        ::DeleteObject(hClip);
        // Each page starts from the printer's state as the job left it.
        const int nSaved = m_pPreviewDC->SaveDC();
        info.m_nCurPage = m_nCurrentPage + i;
        info.m_bContinuePrinting = TRUE;
        m_pPrintView->OnPrepareDC(m_pPreviewDC, &info);
        if (info.m_bContinuePrinting) {
            info.m_rectDraw.SetRect(0, 0, m_pPreviewDC->GetDeviceCaps(HORZRES),
                                    m_pPreviewDC->GetDeviceCaps(VERTRES));
            m_pPreviewDC->DPtoLP(&info.m_rectDraw);
            m_pPrintView->OnPrint(m_pPreviewDC, &info);
        }
        info.m_bContinuePrinting = TRUE;
        m_pPreviewDC->RestoreDC(nSaved);
        m_pPreviewDC->ReleaseOutputDC();
    }
    if (!m_bPageNumDisplayed) {
        m_bPageNumDisplayed = TRUE;
        OnDisplayPageNumber(m_nCurrentPage, m_nPages);
    }
}

void CPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed)
{
    if (m_pPreviewInfo == NULL || nPagesDisplayed == 0)
        return;
    CString strFormat;
    AfxExtractSubString(strFormat, m_pPreviewInfo->m_strPageDesc, (int)nPagesDisplayed - 1, '\n');
    TCHAR szText[80];
    _sntprintf(szText, 80, (LPCTSTR)strFormat, nPage, nPage + nPagesDisplayed - 1);
    szText[79] = '\0';
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL)
        pMainWnd->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)szText);
}

void CPreviewView::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    // A click on a page zooms in a step there; fully in, it zooms back out.
    PositionPages();
    for (UINT i = 0; i < m_nPages; ++i) {
        if (m_pageInfo[i].rectScreen.PtInRect(point)) {
            SetZoomState(m_nZoomState == ZOOM_IN ? (UINT)ZOOM_OUT : m_nZoomState + 1,
                         m_nCurrentPage + i, point);
            return;
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// Commands

void CPreviewView::OnPreviewClose()
{
    if (m_pToolBar != NULL) {
        m_pToolBar->DestroyWindow();  // the bar deletes itself
        m_pToolBar = NULL;
    }
    if (m_pPreviewInfo != NULL)
        m_pPreviewInfo->m_nCurPage = m_nCurrentPage;
    if (m_pOrigView != NULL)
        m_pOrigView->OnEndPrintPreview(m_pPreviewDC, m_pPreviewInfo, CPoint(0, 0), this);
    else
        DestroyWindow();
}

void CPreviewView::OnNumPageChange()
{
    if (m_nZoomOutPages == 1 && m_nMaxPages < 2)
        return;
    m_nZoomOutPages = m_nZoomOutPages == 1 ? 2 : 1;
    if (m_nZoomState == ZOOM_OUT)
        SetCurrentPage(m_nCurrentPage, TRUE);
}

void CPreviewView::OnNextPage()
{
    if (PageExists(m_nCurrentPage + m_nPages))
        SetCurrentPage(m_nCurrentPage + 1, FALSE);
}

void CPreviewView::OnPrevPage()
{
    if (m_pPreviewInfo != NULL && m_nCurrentPage > m_pPreviewInfo->GetMinPage())
        SetCurrentPage(m_nCurrentPage - 1, FALSE);
}

void CPreviewView::OnPreviewPrint()
{
    // Closing deletes this object: the view to print from is kept first.
    CView* pOrigView = m_pOrigView;
    OnPreviewClose();
    CFrameWnd* pFrame = pOrigView != NULL ? pOrigView->GetParentFrame() : NULL;
    if (pFrame != NULL)
        pFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::OnZoomIn()
{
    if (m_nZoomState == ZOOM_IN)
        return;
    CRect rect;
    GetClientRect(&rect);
    SetZoomState(m_nZoomState + 1, m_nCurrentPage, rect.CenterPoint());
}

void CPreviewView::OnZoomOut()
{
    if (m_nZoomState == ZOOM_OUT)
        return;
    CRect rect;
    GetClientRect(&rect);
    SetZoomState(m_nZoomState - 1, m_nCurrentPage, rect.CenterPoint());
}

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState == ZOOM_OUT && m_nMaxPages > 1);
    // The button names the other choice; its text is set only when it changes.
    CString strText;
    if (!_AfxLoadResourceString(m_nZoomOutPages == 1 ? AFX_IDS_TWOPAGE : AFX_IDS_ONEPAGE, strText))
        return;
    if (pCmdUI->m_pOther != NULL && pCmdUI->m_pOther->m_hWnd != NULL) {
        CString strOld;
        pCmdUI->m_pOther->GetWindowText(strOld);
        if (strOld == strText)
            return;
    }
    pCmdUI->SetText(strText);
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(PageExists(m_nCurrentPage + m_nPages));
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pPreviewInfo != NULL && m_nCurrentPage > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState != ZOOM_IN);
}

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState != ZOOM_OUT);
}

/////////////////////////////////////////////////////////////////////////////
// CView's preview members

void CView::OnFilePrintPreview()
{
    CPrintPreviewState* pState = new CPrintPreviewState;
    if (!DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, this, RUNTIME_CLASS(CPreviewView), pState))
        delete pState;
}

BOOL CView::DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                           CPrintPreviewState* pState)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL || pFrame->IsInPreviewMode() || pPrintView == NULL ||
        pPreviewViewClass == NULL || pState == NULL)
        return FALSE;
    CObject* pObject = pPreviewViewClass->CreateObject();
    if (pObject == NULL)
        return FALSE;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CPreviewView))) {
        delete pObject;
        return FALSE;
    }
    CPreviewView* pView = static_cast<CPreviewView*>(pObject);
    CCreateContext context;
    context.m_pCurrentDoc = GetDocument();
    context.m_pLastView = this;
    context.m_pCurrentFrame = pFrame;

    if (pState->lpfnCloseProc == NULL)
        pState->lpfnCloseProc = &ClosePreview;
    pState->pViewActiveOld = pFrame->GetActiveView();
    pFrame->OnSetPreviewMode(TRUE, pState);

    // The bar deletes itself once it is made; before that, this function deletes it.
    CDialogBar* pToolBar = new CDialogBar;
    pToolBar->m_bAutoDelete = FALSE;
    if (!pToolBar->Create(pFrame, nIDResource, CBRS_TOP, AFX_IDW_PREVIEW_BAR)) {
        delete pToolBar;
        delete pView;
        pFrame->OnSetPreviewMode(FALSE, pState);
        pFrame->RecalcLayout();
        return FALSE;
    }
    pToolBar->m_bAutoDelete = TRUE;
    pView->m_pToolBar = pToolBar;
    // A window that cannot be made takes its object with it (PostNcDestroy).
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), pFrame,
                       AFX_IDW_PANE_FIRST, &context)) {
        pToolBar->DestroyWindow();
        pFrame->OnSetPreviewMode(FALSE, pState);
        pFrame->RecalcLayout();
        return FALSE;
    }
    pView->m_pPreviewState = pState;
    pView->m_pOrigView = this;
    if (!pView->SetPrintView(pPrintView)) {
        // The caller keeps pState when this fails; the closing preview frees a copy.
        pView->m_pPreviewState = new CPrintPreviewState(*pState);
        pView->OnPreviewClose();
        return FALSE;
    }
    pFrame->SetActiveView(pView);
    pToolBar->SendMessage(WM_IDLEUPDATECMDUI, (WPARAM)TRUE);
    pFrame->RecalcLayout();
    pFrame->UpdateWindow();
    return TRUE;
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT /*point*/, CPreviewView* pView)
{
    if (pView == NULL)
        return;
    if (pView->m_pPrintView != NULL)
        pView->m_pPrintView->OnEndPrinting(pDC, pInfo);
    CFrameWnd* pFrame = pView->GetParentFrame();
    CPrintPreviewState* pState = pView->m_pPreviewState;
    if (pFrame != NULL && pState != NULL) {
        pFrame->OnSetPreviewMode(FALSE, pState);
        pFrame->SetActiveView(pState->pViewActiveOld);
    }
    pView->DestroyWindow();  // deletes the preview, its state and its job
    if (pFrame != NULL) {
        pFrame->RecalcLayout();
        pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
        pFrame->UpdateWindow();
    }
}
