// Private helpers of the class-library layer, shared by its modules and its tests: the
// live-object counters.
#pragma once
#include "afxwin.h"

// Live GDI objects and device contexts made through the layer.
//   nGdiObjects: handles made by the Create*/Load* members of the CGdiObject family (and
//                AfxCountGdiObject), less those deleted by DeleteObject or a destructor.
//   nDCs:        device contexts made by CDC::CreateDC/CreateIC/CreateCompatibleDC or got by
//                the window DCs (GetDC, GetWindowDC, BeginPaint, through AfxCountDC), less
//                those deleted or released.
// A count belongs to the handle, not the wrapper: Attach and Detach move a handle between
// wrappers without changing the counts, so a handle detached and then deleted with the raw API
// must be uncounted by hand (AfxCountGdiObject(-1)), and a foreign handle attached and then
// deleted by its wrapper is uncounted although it was never counted.
//   nGlobalBlocks: global memory blocks the layer's users allocate and free themselves,
//                counted through AfxCountGlobalBlock.
struct AFX_GDI_COUNTERS {
    LONG nGdiObjects;
    LONG nDCs;
    LONG nGlobalBlocks;
};

AFX_API AFX_GDI_COUNTERS AFXAPI afxGdiCounters();
// For handles the layer makes or releases outside the CGdiObject and CDC members.
AFX_API void AFXAPI AfxCountGdiObject(int delta);
AFX_API void AFXAPI AfxCountDC(int delta);
AFX_API void AFXAPI AfxCountGlobalBlock(int delta);

#include "afxext.h"
class CPreviewView;

//--------------------------------------------------------------------------------------------
// Print preview

// What a frame's preview mode saves to put back when the preview ends. The caller sets
// nIDMainPane (the pane the preview replaces) and pViewActiveOld; OnSetPreviewMode fills in
// the rest.
struct AFX_API CPrintPreviewState {
    CPrintPreviewState();

    UINT nIDMainPane;       // the pane hidden while previewing, and its id to restore
    HMENU hMenu;            // the frame's menu, taken off while previewing
    DWORD dwStates;         // the visible bars: bit n for id AFX_IDW_CONTROLBAR_FIRST + n
    HWND hWndFocus;         // the window that had the focus
    HACCEL hAccelTable;     // the frame's accelerators, off while previewing
    CView* pViewActiveOld;  // the view to make active again
    BOOL(CALLBACK* lpfnCloseProc)(CFrameWnd* pFrameWnd);  // closes the preview on WM_CLOSE
};

// The device context a preview draws through: attributes (mapping, metrics, fonts) come from
// the printer's context, output goes to the screen. Every mapping call is mirrored onto the
// output handle, scaled by the zoom's ratio (screen pixels per printer dot) and offset to the
// page's place on the screen, so code drawing on m_hDC itself lands where the page shows it.
// Fonts selected are selected on both handles; the mirrored mapping scales them.
class AFX_API CPreviewDC : public CDC
{
    DECLARE_DYNAMIC(CPreviewDC)

public:
    CPreviewDC();
    virtual ~CPreviewDC();

    virtual void SetAttribDC(HDC hDC);
    virtual void SetOutputDC(HDC hDC);
    virtual void ReleaseOutputDC();

    // nNumerator / nDenominator screen pixels per printer dot.
    void SetScaleRatio(int nNumerator, int nDenominator);
    // Where the page's top-left corner is on the output, in output device units.
    void SetTopLeftOffset(CSize TopLeft);
    // Printer dots to screen pixels, and back, at the current ratio (no offset).
    void PrinterDPtoScreenDP(LPPOINT lpPoint) const;

    virtual int SaveDC();
    virtual BOOL RestoreDC(int nSavedDC);
    virtual CGdiObject* SelectStockObject(int nIndex);
    using CDC::SelectObject;
    virtual CFont* SelectObject(CFont* pFont);
    virtual int SetMapMode(int nMapMode);
    virtual CPoint SetViewportOrg(int x, int y);
    virtual CPoint OffsetViewportOrg(int nWidth, int nHeight);
    virtual CSize SetViewportExt(int cx, int cy);
    virtual CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
    virtual CSize SetWindowExt(int cx, int cy);
    virtual CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);

protected:
    // The output handle's mapping made again from the attribute handle's.
    void MirrorMappingMode(BOOL bCompute);
    void MirrorAttributes();

    int m_nScaleNum;
    int m_nScaleDen;
    int m_nSaveDCIndex;   // the output handle's state saved by SetOutputDC
    int m_nSaveDCDelta;   // the attribute handle's saved-state index minus the output's
    CSize m_sizeTopLeft;  // the page's corner on the output
    HFONT m_hFont;        // the font selected last, selected on the output too
};

// The print preview: one or two pages of the print view drawn on paper, at one of three zoom
// states, with a toolbar (m_pToolBar) of the frame it fills in preview mode. SetPrintView runs
// the print view's OnPreparePrinting and OnBeginPrinting on a preview context. Closing hands
// everything back through the original view's OnEndPrintPreview, which destroys this window.
class AFX_API CPreviewView : public CScrollView
{
    DECLARE_DYNCREATE(CPreviewView)

public:
    CPreviewView();
    virtual ~CPreviewView();

    enum { ZOOM_OUT = 0, ZOOM_MIDDLE = 1, ZOOM_IN = 2 };

    // FALSE when the print view's OnPreparePrinting fails (no printer, cancelled).
    virtual BOOL SetPrintView(CView* pPrintView);
    virtual void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual void OnDraw(CDC* pDC);
    void SetZoomState(UINT nNewState, UINT nPage, CPoint point);
    void SetCurrentPage(UINT nPage, BOOL bClearRatios);

    CView* m_pOrigView;   // the view the preview was opened for
    CView* m_pPrintView;  // the view whose pages are drawn
    CPreviewDC* m_pPreviewDC;
    CDC m_dcPrint;  // the printer's context (attributes of the preview context)
    CDialogBar* m_pToolBar;
    CPrintInfo* m_pPreviewInfo;
    CPrintPreviewState* m_pPreviewState;

    afx_msg void OnPreviewClose();
    afx_msg void OnNumPageChange();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnPreviewPrint();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);

protected:
    // Where page i (0 or 1 of those shown) lies on the screen, paper and printable area, at
    // the current zoom and scroll position; fills m_pageInfo.
    void PositionPages();
    // Screen pixels (cx) per printer dots (cy) at a zoom state, nPages shown when zoomed out.
    CSize ZoomRatio(UINT nZoomState, UINT nPages) const;
    // The client area as it is without scroll bars.
    CSize FullClientSize() const;
    // The scroll range of the zoomed page (none zoomed out).
    void UpdateScrollSizes();
    // Whether the job has page nPage: inside its range or, its length unknown, not stopped by
    // the print view's OnPrepareDC.
    BOOL PageExists(UINT nPage);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    struct PAGE_INFO {
        CRect rectScreen;      // the paper on the screen, in client coordinates
        CSize sizeScaleRatio;  // screen pixels (cx) per printer dots (cy)
    };
    PAGE_INFO m_pageInfo[2];
    UINT m_nZoomState;
    UINT m_nZoomOutPages;  // pages shown zoomed out: 1 or 2
    UINT m_nPages;         // pages shown now
    UINT m_nCurrentPage;
    UINT m_nMaxPages;  // the most pages the preview can show: 1 or 2
    BOOL m_bPageNumDisplayed;
    CSize m_sizePrinterPPI;
    CSize m_sizePaper;      // the paper in printer dots
    CRect m_rectPrintable;  // the printable area on the paper, in printer dots
};
