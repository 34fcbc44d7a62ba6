// Live-object counters of GDI objects and device contexts made through the layer.
#include <afxpriv.h>

namespace {
// One interlocked add per change: cheap, and exact when several threads draw.
volatile LONG g_nGdiObjects = 0;
volatile LONG g_nDCs = 0;
volatile LONG g_nGlobalBlocks = 0;
}  // namespace

AFX_GDI_COUNTERS AFXAPI afxGdiCounters()
{
    AFX_GDI_COUNTERS counters;
    counters.nGdiObjects = g_nGdiObjects;
    counters.nDCs = g_nDCs;
    counters.nGlobalBlocks = g_nGlobalBlocks;
    return counters;
}

void AFXAPI AfxCountGdiObject(int delta)
{
    ::InterlockedExchangeAdd(&g_nGdiObjects, delta);
}

void AFXAPI AfxCountDC(int delta)
{
    ::InterlockedExchangeAdd(&g_nDCs, delta);
}

void AFXAPI AfxCountGlobalBlock(int delta)
{
    ::InterlockedExchangeAdd(&g_nGlobalBlocks, delta);
}
