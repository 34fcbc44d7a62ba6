// The kept measuring context and its lending; see MeasureDC.h.
#include "state/MeasureDC.h"

namespace {

HDC g_hKept = NULL;
// 1 while the kept context is lent out (or being released).
volatile LONG g_nBusy = 0;

}  // namespace

CMeasureDC::CMeasureDC() : m_hOwn(NULL), m_bLent(FALSE)
{
    HDC hDC = NULL;
    if (::InterlockedExchange(&g_nBusy, 1) == 0) {
        if (g_hKept == NULL)
            g_hKept = ::CreateCompatibleDC(NULL);
        hDC = g_hKept;
        m_bLent = hDC != NULL;
        if (!m_bLent)
            ::InterlockedExchange(&g_nBusy, 0);
    }
    if (hDC == NULL)
        hDC = m_hOwn = ::CreateCompatibleDC(NULL);
    if (hDC != NULL)
        m_dc.Attach(hDC);
}

CMeasureDC::~CMeasureDC()
{
    m_dc.Detach();
    if (m_hOwn != NULL)
        ::DeleteDC(m_hOwn);
    if (m_bLent)
        ::InterlockedExchange(&g_nBusy, 0);
}

void AFXAPI ReleaseMeasureDC()
{
    // A context lent out at this moment stays; the next release takes it.
    if (::InterlockedExchange(&g_nBusy, 1) != 0)
        return;
    if (g_hKept != NULL) {
        ::DeleteDC(g_hKept);
        g_hKept = NULL;
    }
    ::InterlockedExchange(&g_nBusy, 0);
}
