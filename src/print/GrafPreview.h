// GrafPreview: the print preview of a graphic view, shown in the view's own frame. It refreshes
// its toolbar after every page and zoom command instead of waiting for idle time, and shows the
// page number in the frame that holds it.
#pragma once
#include <afxpriv.h>

class AFX_EXT_CLASS GrafPreview : public CPreviewView
{
    DECLARE_DYNCREATE(GrafPreview)

public:
    GrafPreview();

    // "Page n" or "Pages n-m", sent to the parent frame as its message string.
    virtual void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void BeginModalState();
    virtual void EndModalState();

    // The toolbar's controls enabled as the preview's state now allows.
    void RefreshToolbar();

protected:
    afx_msg void OnNumPageChange();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    // Closes the preview, then prints the view it showed.
    afx_msg void OnPreviewPrint();
    DECLARE_MESSAGE_MAP()
};
