// CLineElement: one straight segment from the view's pen location, stroked with the pen of its
// drawing state; no verb, no region.
#pragma once
#include <afxwin.h>

#include "elements/GraphicElement.h"

class AFX_EXT_CLASS CLineElement : public CGraphicElement
{
public:
    // pts: the start point in left/top and the end point in right/bottom, kept as given (not
    // normalised, so a line towards the origin gives the scroll range nothing).
    CLineElement(int stateIndex, const RECT* pts);
    virtual ~CLineElement();

    // MoveTo the start, LineTo the end (GDI leaves the end pixel out); no visibility test.
    virtual void Draw(CDC* pDC, const RECT* pClip);
    // The end point: the pen goes on from there.
    virtual BOOL GetEndPoint(CDC* pDC, POINT* pOut);
};
