#include "print/GrafPreview.h"

#include <afxres.h>

IMPLEMENT_DYNCREATE(GrafPreview, CPreviewView)

// The buttons' states come from the base class's update handlers.
BEGIN_MESSAGE_MAP(GrafPreview, CPreviewView)
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
END_MESSAGE_MAP()

GrafPreview::GrafPreview() {}

void GrafPreview::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed)
{
    if (m_pPreviewInfo == NULL || nPagesDisplayed == 0)
        return;
    const UINT nLast = nPage + nPagesDisplayed - 1;
    CString format;
    if (!AfxExtractSubString(format, m_pPreviewInfo->m_strPageDesc, (int)nPagesDisplayed - 1, '\n'))
        return;
    char text[80];
    wsprintfA(text, format, nPage, nLast);
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)text);
}

void GrafPreview::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CPreviewView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void GrafPreview::BeginModalState()
{
    EnableWindow(FALSE);
}

void GrafPreview::EndModalState()
{
    EnableWindow(TRUE);
}

void GrafPreview::RefreshToolbar()
{
    if (m_pToolBar != NULL && m_pToolBar->m_hWnd != NULL)
        m_pToolBar->SendMessage(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
}

void GrafPreview::OnNumPageChange()
{
    CPreviewView::OnNumPageChange();
    RefreshToolbar();
}

void GrafPreview::OnNextPage()
{
    CPreviewView::OnNextPage();
    RefreshToolbar();
}

void GrafPreview::OnPrevPage()
{
    CPreviewView::OnPrevPage();
    RefreshToolbar();
}

void GrafPreview::OnZoomIn()
{
    CPreviewView::OnZoomIn();
    RefreshToolbar();
}

void GrafPreview::OnZoomOut()
{
    CPreviewView::OnZoomOut();
    RefreshToolbar();
}

void GrafPreview::OnPreviewPrint()
{
    // Closing deletes this object: the view to print is kept first.
    CView* pView = m_pOrigView;
    CPreviewView::OnPreviewClose();
    if (pView != NULL)
        pView->OnFilePrint();
}
