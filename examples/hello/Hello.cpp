// The hello example: an MDI application whose documents are a page of shapes, shown in a
// scrolling view. With --screenshot FILE it writes a PNG of its main window once painted, and
// exits.
#include <afxwin.h>

#include "../common/Screenshot.h"
#include "resource.h"

// A page of shapes; the page is larger than the window, so the view scrolls.
class CShapesDoc : public CDocument
{
    DECLARE_DYNCREATE(CShapesDoc)

public:
    static const int kWidth = 1200;
    static const int kHeight = 900;
};
IMPLEMENT_DYNCREATE(CShapesDoc, CDocument)

class CShapesView : public CScrollView
{
    DECLARE_DYNCREATE(CShapesView)

public:
    void OnInitialUpdate() override
    {
        SetScrollSizes(MM_TEXT, CSize(CShapesDoc::kWidth, CShapesDoc::kHeight));
        CScrollView::OnInitialUpdate();
    }

    void OnDraw(CDC* pDC) override
    {
        // A light grid every 50 pixels shows how far the page has scrolled.
        CPen gridPen(PS_SOLID, 1, RGB(225, 230, 240));
        CPen* pOldPen = pDC->SelectObject(&gridPen);
        for (int x = 0; x <= CShapesDoc::kWidth; x += 50) {
            pDC->MoveTo(x, 0);
            pDC->LineTo(x, CShapesDoc::kHeight);
        }
        for (int y = 0; y <= CShapesDoc::kHeight; y += 50) {
            pDC->MoveTo(0, y);
            pDC->LineTo(CShapesDoc::kWidth, y);
        }

        CPen outline(PS_SOLID, 3, RGB(30, 40, 90));
        pDC->SelectObject(&outline);
        CBrush blue(RGB(70, 130, 220));
        CBrush* pOldBrush = pDC->SelectObject(&blue);
        pDC->Rectangle(40, 40, 260, 180);

        CBrush orange(RGB(245, 160, 40));
        pDC->SelectObject(&orange);
        pDC->Ellipse(300, 60, 520, 220);

        CBrush green(RGB(80, 180, 100));
        pDC->SelectObject(&green);
        pDC->RoundRect(80, 240, 330, 380, 40, 40);

        CBrush hatch(HS_DIAGCROSS, RGB(200, 60, 80));
        pDC->SelectObject(&hatch);
        pDC->Ellipse(380, 260, 560, 440);

        CPen red(PS_SOLID, 4, RGB(200, 40, 40));
        pDC->SelectObject(&red);
        pDC->MoveTo(40, 460);
        pDC->LineTo(560, 420);
        pDC->MoveTo(40, 420);
        pDC->LineTo(560, 460);

        // Shapes beyond the first screen, reached by scrolling.
        CBrush purple(RGB(140, 90, 200));
        pDC->SelectObject(&outline);
        pDC->SelectObject(&purple);
        pDC->Rectangle(700, 500, 1100, 820);
        pDC->SelectObject(&orange);
        pDC->Ellipse(760, 560, 1040, 760);

        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);

        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(RGB(20, 20, 20));
        CString title = GetDocument() != NULL ? GetDocument()->GetTitle() : CString();
        pDC->TextOut(40, 12, _T("Hello from Mirdalux: ") + title);
        pDC->TextOut(340, 228, _T("ellipse"));
        pDC->TextOut(40, 190, _T("rectangle"));
        pDC->TextOut(720, 830, _T("the far corner of the page"));
    }
};
IMPLEMENT_DYNCREATE(CShapesView, CScrollView)

namespace {
CString g_screenshotPath;
}  // namespace

class CMainFrame : public CMDIFrameWnd
{
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        // A fixed size, so the screenshot is the same on every machine.
        cs.x = 0;
        cs.y = 0;
        cs.cx = 720;
        cs.cy = 540;
        if (!g_screenshotPath.IsEmpty())
            cs.style = examples::WithoutCaptionButtons(cs.style);
        return CMDIFrameWnd::PreCreateWindow(cs);
    }
};

class CHelloApp : public CWinApp
{
public:
    BOOL InitInstance() override;

protected:
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelloApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CHelloApp theApp;
AFX_IMPLEMENT_WINMAIN()

BOOL CHelloApp::InitInstance()
{
    // --screenshot FILE: paint, capture, exit.
    g_screenshotPath = examples::ScreenshotPathFrom(m_lpCmdLine);

    AddDocTemplate(new CMultiDocTemplate(IDR_SHAPETYPE, RUNTIME_CLASS(CShapesDoc),
                                         RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CShapesView)));
    CMainFrame* pFrame = new CMainFrame;
    if (!pFrame->LoadFrame(IDR_MAINFRAME))
        return FALSE;
    m_pMainWnd = pFrame;
    OnFileNew();

    // The child fills the MDI client, so the picture shows the page and its scroll bars.
    if (CMDIChildWnd* pChild = pFrame->MDIGetActive())
        pChild->MDIMaximize();
    pFrame->ShowWindow(g_screenshotPath.IsEmpty() ? m_nCmdShow : SW_SHOWNORMAL);
    pFrame->UpdateWindow();

    if (!g_screenshotPath.IsEmpty())
        examples::ScheduleScreenshot(g_screenshotPath);
    return TRUE;
}

void CHelloApp::OnAppAbout()
{
    AfxGetMainWnd()->MessageBox(_T("Hello: an MDI example of the Mirdalux class library."),
                                _T("About Hello"), MB_OK | MB_ICONINFORMATION);
}
