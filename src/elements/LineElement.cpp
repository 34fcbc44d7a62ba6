// CLineElement: drawing and the end point.
#include "elements/LineElement.h"

#include "state/DcSelection.h"

CLineElement::CLineElement(int stateIndex, const RECT* pts)
    : CGraphicElement(stateIndex, VERB_NONE, -2)
{
    if (pts != NULL)
        bounds = *pts;
}

CLineElement::~CLineElement() {}

void CLineElement::Draw(CDC* pDC, const RECT*)
{
    if (pDC == NULL)
        return;
    CDcSelection selection(pDC, this, SEL_PEN | SEL_BRUSH | SEL_ROP);
    pDC->MoveTo(bounds.left, bounds.top);
    pDC->LineTo(bounds.right, bounds.bottom);
}

BOOL CLineElement::GetEndPoint(CDC*, POINT* pOut)
{
    if (pOut == NULL)
        return FALSE;
    pOut->x = bounds.right;
    pOut->y = bounds.bottom;
    return TRUE;
}
