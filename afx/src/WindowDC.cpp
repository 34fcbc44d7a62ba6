// Device contexts of a window: its client area (CClientDC), the whole window (CWindowDC) and
// the area being painted (CPaintDC). Each counts its DC while it holds it.
#include <afxwin.h>
#include <afxpriv.h>

IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)

namespace {

// Holds a DC that hWnd lent (GetDC, GetWindowDC) and counts it; one the wrapper cannot hold
// goes straight back.
void HoldLentDC(CDC* pDC, HWND hWnd, HDC hDC)
{
    if (hDC != NULL && pDC->Attach(hDC))
        AfxCountDC(+1);
    else if (hDC != NULL)
        ::ReleaseDC(hWnd, hDC);
}

void ReleaseLentDC(CDC* pDC, HWND hWnd)
{
    if (pDC->m_hDC != NULL) {
        HDC hDC = pDC->Detach();
        if (::ReleaseDC(hWnd, hDC))
            AfxCountDC(-1);
    }
}

}  // namespace

// A NULL window gives the screen's DC, as GetDC(NULL) does.
CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd != NULL ? pWnd->m_hWnd : NULL)
{
    HoldLentDC(this, m_hWnd, ::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    ReleaseLentDC(this, m_hWnd);
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd != NULL ? pWnd->m_hWnd : NULL)
{
    HoldLentDC(this, m_hWnd, ::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    ReleaseLentDC(this, m_hWnd);
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
