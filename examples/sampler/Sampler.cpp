// The sampler: a small host of the drawing library. It starts the library, opens a graphic view
// in its main window and draws the four closed shapes by every verb and fill pattern through the
// exports, with the words of each column and row around the view. With --screenshot FILE it
// writes a PNG of its main window once painted, and exits.
#include <afxwin.h>

#include "../common/Screenshot.h"
#include "SamplerShapes.h"

#include <mirdalux.h>

namespace {

const int kLabelWidth = 130;   // row names at the left
const int kHeaderHeight = 40;  // column words above the view
const UINT kViewId = 1;
CString g_screenshotPath;

const char* const kRowNames[] = {"Rectangle", "Rounded", "Oval", "Arc 30 + 240"};

}  // namespace

class CSamplerFrame : public CFrameWnd
{
public:
    CGraphicView* m_pView = NULL;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSamplerFrame, CFrameWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CSamplerFrame::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CBrush back(RGB(236, 238, 244));
    dc.FillRect(&client, &back);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(30, 40, 70));
    for (int col = 0; col < sampler::kColumnCount; ++col) {
        const int x = kLabelWidth + sampler::kMargin + col * sampler::kCell;
        CString verb(sampler::kColumns[col].verb);
        CString pattern(sampler::kColumns[col].pattern);
        verb.MakeUpper();
        pattern.MakeUpper();
        CRect top(x, 4, x + sampler::kCell, 20);
        CRect bottom(x, 20, x + sampler::kCell, 36);
        dc.DrawText(verb, &top, DT_CENTER | DT_SINGLELINE);
        dc.DrawText(pattern, &bottom, DT_CENTER | DT_SINGLELINE);
    }
    for (int row = 0; row < sampler::kRowCount; ++row) {
        const int y = kHeaderHeight + sampler::kMargin + row * sampler::kCell;
        CRect r(6, y, kLabelWidth - 4, y + sampler::kCell);
        dc.DrawText(kRowNames[row], -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}

class CSamplerApp : public CWinApp
{
public:
    BOOL InitInstance() override;
    int ExitInstance() override;
};

CSamplerApp theApp;
AFX_IMPLEMENT_WINMAIN()

BOOL CSamplerApp::InitInstance()
{
    g_screenshotPath = examples::ScreenshotPathFrom(m_lpCmdLine);

    if (Grafic_Dll_Start() == NULL)
        return FALSE;

    const RECT picture = sampler::PictureBounds();
    // The view keeps a vertical scroll bar; leave room for it so the whole picture shows.
    const CRect viewRect(kLabelWidth, kHeaderHeight,
                         kLabelWidth + picture.right + ::GetSystemMetrics(SM_CXVSCROLL) + 4,
                         kHeaderHeight + picture.bottom + 4);
    CRect frameRect(0, 0, viewRect.right + 12, viewRect.bottom + 12);
    DWORD style = WS_OVERLAPPEDWINDOW;
    if (!g_screenshotPath.IsEmpty())
        style = examples::WithoutCaptionButtons(style);
    ::AdjustWindowRect(&frameRect, style, FALSE);
    frameRect.OffsetRect(-frameRect.left, -frameRect.top);

    CSamplerFrame* pFrame = new CSamplerFrame;
    if (!pFrame->Create(NULL, _T("Mirdalux sampler: closed shapes by verb and pattern"), style,
                        frameRect))
        return FALSE;
    m_pMainWnd = pFrame;

    CGraphicView* pView = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
    if (pView == NULL)
        return FALSE;
    Grafic_Dll_NewDoc(pFrame, pView, &viewRect, kViewId, FALSE);
    pFrame->m_pView = pView;
    pFrame->ShowWindow(g_screenshotPath.IsEmpty() ? m_nCmdShow : SW_SHOWNORMAL);
    pFrame->UpdateWindow();
    sampler::DrawSamplerShapes(pView);

    if (!g_screenshotPath.IsEmpty())
        examples::ScheduleScreenshot(g_screenshotPath);
    return TRUE;
}

int CSamplerApp::ExitInstance()
{
    Grafic_Dll_End();
    return CWinApp::ExitInstance();
}
