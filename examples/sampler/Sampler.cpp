// The sampler: a small host of the drawing library. It starts the library, opens a graphic view
// in its main window and draws the four closed shapes by every verb and fill pattern through the
// exports, with the words of each column and row around the view. With --screenshot FILE it
// writes a PNG of its main window once painted, and exits.
#include <afxwin.h>

#include <cstring>

#include "PngWriter.h"
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

namespace {

// Copies the main window from the screen into a 32-bit DIB and writes it as a PNG; then
// closes the application, whose exit code says whether the picture was written.
void CALLBACK TakeScreenshot(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    ::KillTimer(NULL, idEvent);
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL)
        return;
    pMain->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);

    CRect rc;
    pMain->GetWindowRect(&rc);
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = rc.Width();
    bmi.bmiHeader.biHeight = -rc.Height();
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HDC hdcScreen = ::GetDC(NULL);
    HBITMAP hbm = ::CreateDIBSection(hdcScreen, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
    int status = 1;
    if (hbm != NULL && hdcMem != NULL) {
        HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
        ::BitBlt(hdcMem, 0, 0, rc.Width(), rc.Height(), hdcScreen, rc.left, rc.top, SRCCOPY);
        ::GdiFlush();
        if (mirdalux::WritePngBgrx(g_screenshotPath, rc.Width(), rc.Height(), pBits, rc.Width() * 4))
            status = 0;
        ::SelectObject(hdcMem, hOld);
    }
    if (hdcMem != NULL)
        ::DeleteDC(hdcMem);
    if (hbm != NULL)
        ::DeleteObject(hbm);
    ::ReleaseDC(NULL, hdcScreen);
    pMain->SendMessage(WM_CLOSE);
    ::PostQuitMessage(status);
}

}  // namespace

BOOL CSamplerApp::InitInstance()
{
    const char* pszFlag = m_lpCmdLine != NULL ? std::strstr(m_lpCmdLine, "--screenshot") : NULL;
    if (pszFlag != NULL) {
        CString rest(pszFlag + std::strlen("--screenshot"));
        rest.Trim();
        rest.Trim('"');
        g_screenshotPath = rest.IsEmpty() ? CString(_T("demo.png")) : rest;
    }

    if (Grafic_Dll_Start() == NULL)
        return FALSE;

    const RECT picture = sampler::PictureBounds();
    // The view keeps a vertical scroll bar; leave room for it so the whole picture shows.
    const CRect viewRect(kLabelWidth, kHeaderHeight,
                         kLabelWidth + picture.right + ::GetSystemMetrics(SM_CXVSCROLL) + 4,
                         kHeaderHeight + picture.bottom + 4);
    CRect frameRect(0, 0, viewRect.right + 12, viewRect.bottom + 12);
    DWORD style = WS_OVERLAPPEDWINDOW;
    // Headless Wine has no symbol font for the caption buttons: leave them out of the picture.
    if (!g_screenshotPath.IsEmpty())
        style &= ~(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    ::AdjustWindowRect(&frameRect, style, FALSE);
    frameRect.OffsetRect(-frameRect.left, -frameRect.top);

    CSamplerFrame* pFrame = new CSamplerFrame;
    if (!pFrame->Create(NULL, _T("Mirdalux sampler: closed shapes by verb and pattern"), style, frameRect))
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
        ::SetTimer(NULL, 0, 500, TakeScreenshot);
    return TRUE;
}

int CSamplerApp::ExitInstance()
{
    Grafic_Dll_End();
    return CWinApp::ExitInstance();
}
