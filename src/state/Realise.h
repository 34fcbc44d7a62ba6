// Realisation of a drawing state as GDI objects: the built-in pattern bitmaps and the fonts of
// a state. The brush and the selection itself are members of CGraphicElement, which knows the
// verb and pattern they depend on.
#pragma once
#include <afxwin.h>

#include "state/GraphicState.h"

// A packed 8x8, 4-bit DIB of PAT_LTGRAY, PAT_GRAY or PAT_DKGRAY in a movable, zeroed global
// block of 204 bytes: index 0 white, index 1 fore. NULL for any other pattern or when the block
// cannot be allocated. The caller frees the block.
AFX_EXT_API HGLOBAL AFXAPI CreatePatternDib(int pattern, COLORREF fore);

// The fixed default font: Arial, height -13 on every device. NULL when out of memory.
AFX_EXT_API CFont* AFXAPI CreateDefaultFont();

// The font of a state's face, size and style. charExtra receives -2 for the face "COURIER"
// (drawn as "COURIER NEW") and is otherwise left as it is. Switches a context that is not in
// MM_TEXT to MM_TEXT. NULL when out of memory.
AFX_EXT_API CFont* AFXAPI CreateStateFont(CDC* pDC, const CGraphicState& rec, int& charExtra);

// Replaces lf's height and width with the cell height and average character width that a font
// made from lf has on pDC.
AFX_EXT_API void AFXAPI MeasureFont(CDC* pDC, LOGFONT& lf);
