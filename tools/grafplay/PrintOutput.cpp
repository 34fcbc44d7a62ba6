#include "PrintOutput.h"

#include <afxdlgs.h>
#include <afxres.h>

#include "ImageTable.h"
#include "PngWriter.h"

#include <mirdalux.h>

namespace grafplay {

bool PrintToFile(CView* pPrinted, const char* pszPath, std::string& error)
{
    // The calls the print command makes, with the default printer and the file as output.
    CPrintInfo info;
    info.m_bDirect = TRUE;
    if (!pPrinted->OnPreparePrinting(&info) || info.m_pPD->m_pd.hDC == NULL) {
        error = "no printer to print on";
        return false;
    }
    CDC dc;
    dc.Attach(info.m_pPD->m_pd.hDC);
    info.m_pPD->m_pd.hDC = NULL;
    dc.m_bPrinting = TRUE;
    DOCINFO doc = {sizeof doc, "grafplay", pszPath, NULL, 0};
    bool ok = dc.StartDoc(&doc) > 0;
    if (ok) {
        pPrinted->OnBeginPrinting(&dc, &info);
        for (info.m_nCurPage = info.GetMinPage(); ok && info.m_nCurPage <= info.GetMaxPage();
             ++info.m_nCurPage) {
            pPrinted->OnPrepareDC(&dc, &info);
            ok = dc.StartPage() > 0;
            if (ok) {
                pPrinted->OnPrint(&dc, &info);
                ok = dc.EndPage() > 0;
            }
        }
        if (ok)
            dc.EndDoc();
        else
            dc.AbortDoc();
        pPrinted->OnEndPrinting(&dc, &info);
    }
    dc.DeleteDC();
    if (!ok)
        error = "the printer refused the job";
    return ok;
}

bool PreviewToPng(CFrameWnd* pFrame, CGraphicView* pView, UINT nPaneId, const char* pszPath,
                  std::string& error)
{
    // A page at the preview's first zoom, large enough to read.
    pFrame->SetWindowPos(NULL, 0, 0, 640, 720, SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    Grafic_Dll_PrintPreview(pView, (LONG)nPaneId);
    CView* pPreview = pFrame->GetActiveView();
    if (!pFrame->IsInPreviewMode() || pPreview == NULL) {
        error = "the print preview did not open (is there a printer?)";
        return false;
    }
    pFrame->RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    CRect client;
    pFrame->GetClientRect(&client);
    void* pBits = NULL;
    HBITMAP hbm = CreateTopDownSection(client.Width(), client.Height(), &pBits);
    bool written = false;
    if (hbm != NULL) {
        // What the screen shows of the frame: the toolbar and the preview window.
        CPoint origin(0, 0);
        pFrame->ClientToScreen(&origin);
        HDC hdcScreen = ::GetDC(NULL);
        HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
        HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
        ::BitBlt(hdcMem, 0, 0, client.Width(), client.Height(), hdcScreen, origin.x, origin.y,
                 SRCCOPY);
        ::GdiFlush();
        written = mirdalux::WritePngBgrx(pszPath, client.Width(), client.Height(), pBits,
                                         client.Width() * 4);
        ::SelectObject(hdcMem, hOld);
        ::DeleteDC(hdcMem);
        ::ReleaseDC(NULL, hdcScreen);
        ::DeleteObject(hbm);
    }
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    if (!written)
        error = "cannot write the file";
    return written;
}

}  // namespace grafplay
