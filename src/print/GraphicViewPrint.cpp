// The graphic view's printing: the mapping from screen pixels to printer dots, the one-page
// range, and the print preview opened in the view's own frame.
#include <afxdlgs.h>
#include <afxpriv.h>
#include <afxres.h>

#include "print/GrafPreview.h"
#include "view/GraphicView.h"

namespace {

// Screen pixels to printer dots, the horizontal resolution on both axes so that the page keeps
// the screen's proportions; the whole display list is page 1 of 1.
void SetPrinterMapping(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == NULL)
        return;
    CClientDC screen(NULL);
    const int screenPPI = ::GetDeviceCaps(screen.m_hAttribDC, LOGPIXELSX);
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(screenPPI, screenPPI);
    const int printerPPI = ::GetDeviceCaps(pDC->m_hAttribDC, LOGPIXELSX);
    pDC->SetViewportExt(printerPPI, printerPPI);
    if (pInfo != NULL && pInfo->m_pPD != NULL) {
        pInfo->m_pPD->m_pd.nMinPage = 1;
        pInfo->m_pPD->m_pd.nMaxPage = 1;
    }
}

CFrameWnd* ParentFrame(const CWnd* pWnd)
{
    CWnd* pParent = CWnd::FromHandle(::GetParent(pWnd->GetSafeHwnd()));
    if (pParent == NULL || !pParent->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return NULL;
    return static_cast<CFrameWnd*>(pParent);
}

}  // namespace

void CGraphicView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    m_nMapMode = MM_TEXT;
    CScrollView::OnPrepareDC(pDC, pInfo);
}

BOOL CGraphicView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CGraphicView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    SetPrinterMapping(pDC, pInfo);
}

void CGraphicView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    SetPrinterMapping(pDC, pInfo);
    OnDraw(pDC);
}

void CGraphicView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CGraphicView::BeginModalState()
{
    EnableWindow(FALSE);
}

void CGraphicView::EndModalState()
{
    EnableWindow(TRUE);
}

void CGraphicView::OpenPreview(LONG paneId)
{
    CFrameWnd* pFrame = ParentFrame(this);
    if (pFrame == NULL || pFrame->IsInPreviewMode())
        return;
    CPrintPreviewState* pState = new CPrintPreviewState;
    pState->nIDMainPane = (UINT)(int)(short)LOWORD(paneId);

    CCreateContext context;
    context.m_pCurrentDoc = GetDocument();
    context.m_pLastView = this;
    context.m_pCurrentFrame = pFrame;

    GrafPreview* pPreview = static_cast<GrafPreview*>(RUNTIME_CLASS(GrafPreview)->CreateObject());
    if (pPreview == NULL) {
        delete pState;
        return;
    }
    pPreview->m_pPreviewState = pState;
    pFrame->OnSetPreviewMode(TRUE, pState);

    CDialogBar* pBar = new CDialogBar;
    if (!pBar->Create(pFrame, AFX_IDD_PREVIEW_TOOLBAR, CBRS_TOP, AFX_IDW_PREVIEW_BAR)) {
        pFrame->OnSetPreviewMode(FALSE, pState);
        delete pBar;
        pPreview->m_pPreviewState = NULL;
        delete pPreview;
        delete pState;
        return;
    }
    pBar->m_bAutoDelete = TRUE;
    pPreview->m_pToolBar = pBar;

    // A view whose window cannot be made deletes itself, with the state it holds: the state
    // stays out of it until the window exists.
    pPreview->m_pPreviewState = NULL;
    if (!pPreview->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), pFrame,
                          AFX_IDW_PANE_FIRST, &context)) {
        pFrame->OnSetPreviewMode(FALSE, pState);
        pBar->DestroyWindow();
        delete pState;
        return;
    }
    pPreview->m_pPreviewState = pState;
    pState->pViewActiveOld = pFrame->GetActiveView();
    pPreview->m_pOrigView = this;
    if (!pPreview->SetPrintView(this)) {
        pPreview->OnPreviewClose();
        return;
    }
    pFrame->SetActiveView(pPreview);
    pPreview->RefreshToolbar();
    pFrame->RecalcLayout(TRUE);
    pFrame->UpdateWindow();
}

void CGraphicView::ClosePreview()
{
    CFrameWnd* pFrame = ParentFrame(this);
    if (pFrame == NULL || !pFrame->IsInPreviewMode())
        return;
    CView* pActive = pFrame->GetActiveView();
    if (pActive != NULL && pActive->IsKindOf(RUNTIME_CLASS(GrafPreview)) &&
        static_cast<GrafPreview*>(pActive)->m_pOrigView == this)
        static_cast<GrafPreview*>(pActive)->OnPreviewClose();
}

void CGraphicView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pView)
{
    if (pView == NULL)
        return;
    if (pView->m_pPrintView != NULL)
        pView->m_pPrintView->OnEndPrinting(pDC, pInfo);
    CFrameWnd* pFrame = ParentFrame(this);
    if (pFrame != NULL) {
        pFrame->OnSetPreviewMode(FALSE, pView->m_pPreviewState);
        pFrame->SetActiveView(pView->m_pPreviewState->pViewActiveOld);
        if (pFrame != GetParentFrame())
            OnActivateView(TRUE, this, this);
    }
    pView->DestroyWindow();
    if (pFrame != NULL) {
        pFrame->RecalcLayout(TRUE);
        pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
        pFrame->UpdateWindow();
    }
}
