// CControlBar and CDialogBar: bars docked along an edge of their frame, taking their strip in the
// frame's layout, updating their controls at idle time and passing their controls' notifications
// to the frame.
#include "afxext.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar() : m_bAutoDelete(FALSE), m_dwStyle(0), m_sizeDefault(0, 0) {}

CControlBar::~CControlBar()
{
    // The window goes while this is still a control bar, and must not delete the object again.
    m_bAutoDelete = FALSE;
    if (m_hWnd != NULL && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

BOOL CControlBar::IsVisible() const
{
    return m_hWnd != NULL && (GetStyle() & WS_VISIBLE) != 0;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // Stretched along its edge, the bar asks for all of it; the layout clips it to the parent.
    CSize size = m_sizeDefault;
    if (bStretch && bHorz)
        size.cx = 32767;
    else if (bStretch)
        size.cy = 32767;
    return size;
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const DWORD dwAlign = m_dwStyle & CBRS_ALIGN_ANY;
    if (pLayout == NULL || dwAlign == 0 || !IsVisible())
        return 0;  // hidden or floating bars take no room
    const BOOL bHorz = (dwAlign & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    CRect free(pLayout->rect);
    CSize size = CalcFixedLayout(pLayout->bStretch, bHorz);
    size.cx = std::max(0L, std::min(size.cx, (LONG)free.Width()));
    size.cy = std::max(0L, std::min(size.cy, (LONG)free.Height()));
    CRect rc(free.TopLeft(), size);
    if (dwAlign & CBRS_ALIGN_TOP) {
        pLayout->rect.top += size.cy;
    } else if (dwAlign & CBRS_ALIGN_BOTTOM) {
        rc.OffsetRect(0, free.Height() - size.cy);
        pLayout->rect.bottom -= size.cy;
    } else if (dwAlign & CBRS_ALIGN_LEFT) {
        pLayout->rect.left += size.cx;
    } else {
        rc.OffsetRect(free.Width() - size.cx, 0);
        pLayout->rect.right -= size.cx;
    }
    if (bHorz) {
        pLayout->sizeTotal.cy += size.cy;
        pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, size.cx);
    } else {
        pLayout->sizeTotal.cx += size.cx;
        pLayout->sizeTotal.cy = std::max(pLayout->sizeTotal.cy, size.cy);
    }
    if (pLayout->hDWP != NULL)
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, NULL, rc.left, rc.top, rc.Width(),
                                         rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!IsVisible())
        return 0;
    // The commands go to the frame that owns the bar: its owner if that is a frame, else the
    // frame it sits in.
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget =
        pOwner != NULL && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : GetParentFrame();
    if (pTarget != NULL)
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {
        // The bar's own handlers first; then the owner routes it like a menu command, through
        // its active view.
        LRESULT lResult = 0;
        if (OnWndMsg(message, wParam, lParam, &lResult))
            return lResult;
        CWnd* pOwner = GetOwner();
        if (pOwner != NULL && pOwner->m_hWnd != NULL)
            return pOwner->SendMessage(message, wParam, lParam);
        break;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

//--------------------------------------------------------------------------------------------
// CDialogBar

namespace {

// The dialog manager's procedure for a dialog bar: everything goes through the object's
// message map first, so nothing is left to do here (and no control takes the focus).
INT_PTR CALLBACK DialogBarProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

}  // namespace

CDialogBar::CDialogBar() {}

CDialogBar::~CDialogBar() {}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    if (m_hWnd != NULL || pParentWnd == NULL || pParentWnd->m_hWnd == NULL ||
        lpszTemplateName == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
    LPCDLGTEMPLATE lpTemplate =
        hTemplate != NULL ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : NULL;
    if (lpTemplate == NULL)
        return FALSE;

    m_dwStyle = nStyle & CBRS_ALL;
    // The creation hook attaches this object to the dialog before its first message, so the
    // dialog's messages pass through the message map and reach the dialog manager after it.
    AfxHookWindowCreate(this);
    HWND hWnd =
        ::CreateDialogIndirectParam(hInst, lpTemplate, pParentWnd->m_hWnd, &DialogBarProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd == NULL)
        return FALSE;
    if (m_hWnd != hWnd) {  // the hook missed it: attach it now
        if (!SubclassWindow(hWnd)) {
            ::DestroyWindow(hWnd);
            return FALSE;
        }
    }
    ::SetWindowLongPtr(m_hWnd, GWLP_ID, (LONG_PTR)nID);
    CRect rc;
    GetWindowRect(&rc);
    m_sizeDefault = rc.Size();
    if ((GetStyle() & WS_VISIBLE) == 0)
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CControlBar::CalcFixedLayout(bStretch, bHorz);
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}
