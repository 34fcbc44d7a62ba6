// Control bars: windows docked along an edge of a frame, laid out by the frame's
// RecalcLayout, their controls enabled by idle-time updates routed through the frame.
#pragma once
#include "afxwin.h"

#include <algorithm>

// Bar styles (the low bits are the window's own; these ride in CControlBar::m_dwStyle).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_NOALIGN 0x00000000L
// Every bar style bit: what CControlBar keeps of a creation style.
#define CBRS_ALL 0x0040FFFFL

// The parameter of WM_SIZEPARENT: the rectangle still free, shrunk by each bar that takes its
// strip; the bars' moves are collected in hDWP (NULL when only asking).
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};

// A bar docked along one edge of its parent frame. It answers WM_SIZEPARENT by taking its
// strip, forwards the commands of its controls to its owner (the frame), and on
// WM_IDLEUPDATECMDUI updates its controls with the frame as the command target. With
// m_bAutoDelete the object deletes itself when its window goes.
class AFX_API CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)

protected:
    CControlBar();

public:
    virtual ~CControlBar();

    // The bar's size along and across its edge: the stretched length of the parent's side
    // with bStretch, else the bar's own size.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Updates the bar's controls; pTarget is the frame the commands go to.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    BOOL IsVisible() const;

    BOOL m_bAutoDelete;
    DWORD m_dwStyle;  // CBRS_ styles

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy();

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CSize m_sizeDefault;  // the bar's own size (a dialog bar: its template's)
};

// A control bar made from a dialog template: the controls of the template, laid out as the
// template places them, along the edge CBRS_TOP or CBRS_BOTTOM names.
class AFX_API CDialogBar : public CControlBar
{
    DECLARE_DYNAMIC(CDialogBar)

public:
    CDialogBar();
    virtual ~CDialogBar();

    // The template is found through the resource chain (the host's modules first). FALSE
    // when there is no such template or the window cannot be made.
    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
    virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
    {
        return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
    }

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
};
