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
