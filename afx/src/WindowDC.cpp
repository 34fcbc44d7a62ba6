// Device contexts of a window: its client area (CClientDC), the whole window (CWindowDC) and
// the area being painted (CPaintDC). Each counts its DC while it holds it.
#include <afxwin.h>
#include <afxpriv.h>

IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd != NULL ? pWnd->m_hWnd : NULL)
{
    // A NULL window gives the screen's DC, as GetDC(NULL) does.
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC != NULL && Attach(hDC))
        AfxCountDC(+1);
    else if (hDC != NULL)
        ::ReleaseDC(m_hWnd, hDC);
}

CClientDC::~CClientDC()
{
    if (m_hDC != NULL) {
        HDC hDC = Detach();
        if (::ReleaseDC(m_hWnd, hDC))
            AfxCountDC(-1);
    }
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd != NULL ? pWnd->m_hWnd : NULL)
{
    HDC hDC = ::GetWindowDC(m_hWnd);
    if (hDC != NULL && Attach(hDC))
        AfxCountDC(+1);
    else if (hDC != NULL)
        ::ReleaseDC(m_hWnd, hDC);
}

CWindowDC::~CWindowDC()
{
    if (m_hDC != NULL) {
        HDC hDC = Detach();
        if (::ReleaseDC(m_hWnd, hDC))
            AfxCountDC(-1);
    }
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd != NULL ? pWnd->m_hWnd : NULL)
{
    if (m_hWnd == NULL)
        return;
    HDC hDC = ::BeginPaint(m_hWnd, &m_ps);
    if (hDC != NULL && Attach(hDC))
        AfxCountDC(+1);
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd == NULL)
        return;
    if (m_hDC != NULL) {
        Detach();
        AfxCountDC(-1);
    }
    ::EndPaint(m_hWnd, &m_ps);
}
