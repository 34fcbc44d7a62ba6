// Print preview on a real printer's context (Wine's PostScript driver, 300 dpi): the preview
// context's mapping mirrored onto a DIB section, and the preview over a frame with its toolbar,
// commands, page numbers, zoom and closing.
#include "TestPrinter.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <afxdlgs.h>
#include <afxpriv.h>

#include <cstdlib>

namespace {

std::vector<std::string> g_log;
std::string g_status;  // the message string the main window was sent last

// Draws, on the printer, a one-inch red square in the middle of the printable area; its job is
// `pages` long, and is refused when `refuse`.
struct CSquareView : CView {
    UINT pages = 3;
    bool refuse = false;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        return !refuse && DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC*, CPrintInfo* pInfo) override
    {
        g_log.push_back("begin");
        pInfo->SetMaxPage(pages);
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { g_log.push_back("end"); }
    void OnDraw(CDC* pDC) override
    {
        const int inch = pDC->GetDeviceCaps(LOGPIXELSX);
        const CPoint c(pDC->GetDeviceCaps(HORZRES) / 2, pDC->GetDeviceCaps(VERTRES) / 2);
        const RECT rc = {c.x - inch / 2, c.y - inch / 2, c.x + inch / 2, c.y + inch / 2};
        CBrush red(kRed);
        ::FillRect(pDC->m_hDC, &rc, (HBRUSH)red.GetSafeHandle());
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSquareView, CView)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

struct CStatusFrame : CFrameWnd {
    afx_msg LRESULT OnStatus(WPARAM wParam, LPARAM lParam)
    {
        g_status = wParam != 0 ? std::to_string(wParam) : (LPCTSTR)lParam;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CStatusFrame, CFrameWnd)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnStatus)
END_MESSAGE_MAP()

// The application's main frame with a square view as its active pane.
struct PreviewHost {
    CWinApp app{"PreviewTestApp"};
    CStatusFrame* frame = new CStatusFrame;
    CSquareView* view = new CSquareView;
    PreviewHost()
    {
        frame->Create(NULL, _T("preview"), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                      CRect(0, 0, 900, 1000));
        app.m_pMainWnd = frame;
        view->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST);
        frame->SetActiveView(view);
        frame->RecalcLayout();
    }
    ~PreviewHost()
    {
        app.m_pMainWnd = NULL;
        frame->DestroyWindow();
    }
    HWND Child(UINT nID) const { return ::GetDlgItem(frame->m_hWnd, nID); }
    CRect ChildRect(UINT nID) const
    {
        CRect rc;
        ::GetWindowRect(Child(nID), &rc);
        frame->ScreenToClient(&rc);
        return rc;
    }
};

bool Near(const CRect& a, const CRect& b, int tolerance)
{
    return std::abs(a.left - b.left) <= tolerance && std::abs(a.top - b.top) <= tolerance &&
           std::abs(a.right - b.right) <= tolerance && std::abs(a.bottom - b.bottom) <= tolerance;
}

CFont g_font;  // 150 printer dots high

}  // namespace

// Each row sets a mapping through the preview context, then draws with the raw API on its
// output (a rectangle, or a text's opaque cell); the drawing lands where the printer's own
// mapping puts the same figure, scaled to the screen and moved to the page's corner.
TEST(PreviewDC, MappingIsMirroredOntoTheOutput)
{
    TestPrinter printer("afx print test");
    ASSERT_TRUE(printer.Ready()) << printer.Error();
    CPrintInfo info;
    info.m_bPreview = TRUE;
    ASSERT_TRUE(CSquareView().DoPreparePrinting(&info));
    const HDC hPrinter = info.m_pPD->m_pd.hDC;
    ASSERT_EQ(300, ::GetDeviceCaps(hPrinter, LOGPIXELSX));
    g_font.CreateFont(-150, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, _T("Arial"));
    using Setup = void (*)(CPreviewDC&);
    const Setup Dpi96 = [](CPreviewDC& dc) {
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(96, 96);
        dc.SetViewportExt(300, 300);
    };
    const Setup Font = [](CPreviewDC& dc) { dc.SelectObject(&g_font); };
    const struct Row {
        const char* name;
        Setup setup;
        bool outputLast;  // the output comes after the mapping
        int num, den;
        CSize corner;
        CRect figure;  // logical units
        bool text;
        int tolerance;
    } rows[] = {
        // clang-format off
        {"text mode", [](CPreviewDC&) {}, false, 1, 3, {20, 10}, {30, 30, 330, 180}, false, 1},
        {"96 to 300 anisotropic", Dpi96, false, 96, 300, {5, 7}, {10, 10, 110, 60}, false, 1},
        {"the same, output set after", Dpi96, true, 96, 300, {5, 7}, {10, 10, 110, 60}, false, 1},
        {"low english, y up, viewport origin",
         [](CPreviewDC& dc) { dc.SetMapMode(MM_LOENGLISH); dc.SetViewportOrg(0, 150); },
         false, 1, 3, {0, 0}, {30, -10, 150, -60}, false, 1},
        {"isotropic keeps the smaller extent",
         [](CPreviewDC& dc) {
             dc.SetMapMode(MM_ISOTROPIC); dc.SetWindowExt(1000, 1000); dc.SetViewportExt(900, 300);
         },
         false, 1, 3, {4, 4}, {0, 0, 1000, 500}, false, 1},
        {"window origin, scaled extents",
         [](CPreviewDC& dc) {
             dc.SetMapMode(MM_ANISOTROPIC); dc.SetWindowOrg(50, 20); dc.SetWindowExt(2, 2);
             dc.ScaleViewportExt(3, 1, 2, 1); dc.ScaleWindowExt(1, 1, 1, 2);
         },
         false, 2, 5, {0, 0}, {60, 30, 150, 90}, false, 1},
        {"viewport origin moved", [](CPreviewDC& dc) { dc.OffsetViewportOrg(90, 60); },
         false, 1, 3, {10, 0}, {0, 0, 150, 150}, false, 1},
        {"restored mapping",
         [](CPreviewDC& dc) {
             const int saved = dc.SaveDC();
             dc.SetMapMode(MM_ANISOTROPIC); dc.SetViewportExt(5, 5); dc.RestoreDC(saved);
         },
         false, 1, 3, {0, 0}, {30, 30, 330, 180}, false, 1},
        {"a font on both handles", Font, false, 1, 3, {6, 6}, {30, 30, 0, 0}, true, 4},
        {"a font before the output", Font, true, 1, 3, {6, 6}, {30, 30, 0, 0}, true, 4},
        {"a font restored on both handles",
         [](CPreviewDC& dc) {
             dc.SelectObject(&g_font);
             const int saved = dc.SaveDC();
             dc.SelectStockObject(ANSI_VAR_FONT); dc.RestoreDC(saved);
         },
         false, 1, 3, {6, 6}, {30, 30, 0, 0}, true, 4}};
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        DibCanvas canvas(240, 180);
        const int saved = ::SaveDC(hPrinter);
        {
            CPreviewDC dc;
            dc.SetAttribDC(hPrinter);
            dc.SetScaleRatio(r.num, r.den);
            dc.SetTopLeftOffset(r.corner);
            if (!r.outputLast)
                dc.SetOutputDC(canvas.Hdc());
            r.setup(dc);
            if (r.outputLast)
                dc.SetOutputDC(canvas.Hdc());
            CRect figure = r.figure;
            if (r.text) {
                ::SetBkMode(dc.m_hDC, OPAQUE);
                ::SetBkColor(dc.m_hDC, kBlack);
                ::TextOut(dc.m_hDC, figure.left, figure.top, _T("HH"), 2);
                TEXTMETRIC tm;
                dc.GetTextMetrics(&tm);
                figure.BottomRight() =
                    figure.TopLeft() + CSize(dc.GetTextExtent(_T("HH"), 2).cx, tm.tmHeight);
            } else {
                ::Rectangle(dc.m_hDC, figure.left, figure.top, figure.right, figure.bottom);
            }
            dc.LPtoDP(&figure);  // printer dots, by the printer's own mapping
            figure.NormalizeRect();
            CRect expected(::MulDiv(figure.left, r.num, r.den), ::MulDiv(figure.top, r.num, r.den),
                           ::MulDiv(figure.right, r.num, r.den),
                           ::MulDiv(figure.bottom, r.num, r.den));
            expected.OffsetRect(r.corner);
            const CRect drawn = canvas.BoundsOf(kBlack);
            EXPECT_TRUE(Near(expected, drawn, r.tolerance))
                << "expected " << Str(expected) << ", drawn " << Str(drawn);
        }
        ::RestoreDC(hPrinter, saved);
        EXPECT_EQ(MM_TEXT, ::GetMapMode(canvas.Hdc())) << "the output's own state comes back";
    }
    g_font.DeleteObject();
    // Without the printer's context the output keeps its own mapping.
    DibCanvas canvas(10, 10);
    CPreviewDC dc;
    dc.SetOutputDC(canvas.Hdc());
    dc.SetMapMode(MM_ANISOTROPIC);
    EXPECT_EQ(MM_TEXT, ::GetMapMode(canvas.Hdc()));
}

// A job the view refuses opens no preview. Otherwise the preview replaces the view under its
// bar, draws the page to scale, answers its commands with the bar's buttons and the page
// numbers, and closing brings the view back. Nothing is leaked either way.
TEST(PreviewView, OpensZoomsPagesAndCloses)
{
    TestPrinter printer("afx print test");
    ASSERT_TRUE(printer.Ready()) << printer.Error();
    PreviewHost host;
    GdiCountGuard guard("preview opened and closed");
    const auto asItWas = [&](const char* after) {
        SCOPED_TRACE(after);
        ExpectAll({{"not in preview mode", !host.frame->IsInPreviewMode()},
                   {"no bar", host.Child(AFX_IDW_PREVIEW_BAR) == NULL},
                   {"the view is the pane", host.Child(AFX_IDW_PANE_FIRST) == host.view->m_hWnd},
                   {"visible", host.view->IsWindowVisible()},
                   {"and active", host.frame->GetActiveView() == host.view},
                   {"no other window", ::GetWindow(host.view->m_hWnd, GW_HWNDNEXT) == NULL &&
                                           ::GetWindow(host.view->m_hWnd, GW_HWNDPREV) == NULL}});
    };
    host.view->refuse = true;
    host.frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    asItWas("refused");
    host.view->refuse = false;
    g_log.clear();
    host.frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    CPreviewView* preview =
        DYNAMIC_DOWNCAST(CPreviewView, CWnd::FromHandlePermanent(host.Child(AFX_IDW_PANE_FIRST)));
    ASSERT_NE(nullptr, preview);
    const HWND hBar = host.Child(AFX_IDW_PREVIEW_BAR);
    ExpectAll(
        {{"preview mode", host.frame->IsInPreviewMode()},
         {"the preview is active", host.frame->GetActiveView() == preview},
         {"the view is hidden", !host.view->IsWindowVisible()},
         {"the bar is at the top", hBar != NULL && host.ChildRect(AFX_IDW_PREVIEW_BAR).top == 0},
         {"the preview is below it",
          host.ChildRect(AFX_IDW_PANE_FIRST).top >= host.ChildRect(AFX_IDW_PREVIEW_BAR).bottom},
         {"the job began", Joined(g_log) == "begin"}});

    // Zoomed out: the square is an inch of the paper drawn (the paper's black frame).
    // Two pages shown: the first page's square, in the left half.
    DibCanvas canvas(900, 1000);
    const auto capture = [&](bool firstHalf) {
        preview->UpdateWindow();
        PumpMessages();
        canvas.Fill(kWhite);
        CaptureClient(preview->m_hWnd, canvas);
        CRect rc;
        preview->GetClientRect(&rc);
        rc.right = firstHalf ? rc.CenterPoint().x : rc.right;
        return canvas.BoundsOf(kRed, rc);
    };
    const CRect square = capture(false), paper = canvas.BoundsOf(kBlack);
    const HDC hPrinter = preview->m_dcPrint.m_hDC;
    const double inches =
        (double)::GetDeviceCaps(hPrinter, PHYSICALWIDTH) / ::GetDeviceCaps(hPrinter, LOGPIXELSX);
    EXPECT_NEAR(1.0, square.Width() * inches / paper.Width(), 0.03)
        << "square " << Str(square) << " on paper " << Str(paper);
    const int screenInch = CClientDC(NULL).GetDeviceCaps(LOGPIXELSX);

    const struct Row {
        const char* name;
        UINT command;  // 0: none
        const char* enabled;
        const char* status;
        bool actualSize;
    } rows[] = {{"opened", 0, "numpage, next, zoomin", "Page 1", false},
                {"next", AFX_ID_PREVIEW_NEXT, "numpage, next, prev, zoomin", "Page 2", false},
                {"two pages end on the last", AFX_ID_PREVIEW_NUMPAGE, "numpage, prev, zoomin",
                 "Pages 2-3", false},
                {"previous", AFX_ID_PREVIEW_PREV, "numpage, next, zoomin", "Pages 1-2", false},
                {"zoom in halfway: one page", AFX_ID_PREVIEW_ZOOMIN, "next, zoomin, zoomout",
                 "Page 1", false},
                {"zoom in fully", AFX_ID_PREVIEW_ZOOMIN, "next, zoomout", "Page 1", true},
                {"next, zoomed in", AFX_ID_PREVIEW_NEXT, "next, prev, zoomout", "Page 2", true},
                {"zoom out halfway", AFX_ID_PREVIEW_ZOOMOUT, "next, prev, zoomin, zoomout",
                 "Page 2", false},
                {"zoom out: two pages again", AFX_ID_PREVIEW_ZOOMOUT, "numpage, prev, zoomin",
                 "Pages 2-3", false}};
    const char* names[] = {"numpage", "next", "prev", "print", "zoomin", "zoomout"};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        if (r.command != 0)
            host.frame->SendMessage(WM_COMMAND, r.command);
        ::SendMessage(hBar, WM_IDLEUPDATECMDUI, TRUE, 0);
        std::vector<std::string> enabled;
        for (UINT id = AFX_ID_PREVIEW_NUMPAGE; id <= AFX_ID_PREVIEW_ZOOMOUT; ++id) {
            if (id != AFX_ID_PREVIEW_PRINT && ::IsWindowEnabled(::GetDlgItem(hBar, id)))
                enabled.push_back(names[id - AFX_ID_PREVIEW_NUMPAGE]);
        }
        EXPECT_EQ(r.enabled, Joined(enabled));
        const CRect drawn = capture(std::string(r.status).find('-') != std::string::npos);
        EXPECT_EQ(r.status, g_status);
        EXPECT_NEAR(drawn.Width(), drawn.Height(), 1) << "square " << Str(drawn);
        if (r.actualSize) {
            EXPECT_NEAR(screenInch, drawn.Width(), 2) << "an inch of screen";
        }
    }
    char text[32] = "";
    ::GetDlgItemTextA(hBar, AFX_ID_PREVIEW_NUMPAGE, text, sizeof text);
    EXPECT_STREQ("&One Page", text) << "two pages shown: the button offers one";

    host.frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    asItWas("closed");
    EXPECT_EQ("begin, end", Joined(g_log)) << "the job ended once";
    EXPECT_EQ(std::to_string(AFX_IDS_IDLEMESSAGE), g_status) << "the idle message";
}
