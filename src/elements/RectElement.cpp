// CRectElement: drawing by verb, the region of active and click rectangles.
#include "elements/RectElement.h"

#include <new>

#include "elements/ShapeDrawing.h"
#include "state/DcSelection.h"

CRectElement::CRectElement(int stateIndex, const ShapeParams* p)
    : CGraphicElement(stateIndex, p->verb, p->pattern)
{
    bounds.SetRect(p->left, p->top, p->right, p->bottom);
    if (verb != VERB_ACTIVE && verb != VERB_CLICK)
        return;
    CRgn* pRgn = new (std::nothrow) CRgn;
    if (pRgn == NULL)
        return;
    pRgn->CreateRectRgnIndirect(&bounds);
    SetRegion(pRgn);
}

CRectElement::~CRectElement()
{
    CRectElement::ReleaseResources();
}

void CRectElement::Draw(CDC* pDC, const RECT*)
{
    if (pDC == NULL || !IsShapeVisible(pDC, bounds))
        return;
    CDcSelection selection(pDC, this, SEL_PEN | SEL_BRUSH | SEL_ROP);
    CWidePenLimit pen(pDC, this);
    ShapeRect r;
    switch (verb) {
    case VERB_FRAME:
    case VERB_PAINT: {
        CRect inset(bounds);
        InsetForPen(inset);
        r = ToShapeRect(inset);
        if (!pen.Deflate(r)) {
            pen.FillCovered(r);
            return;
        }
        break;
    }
    case VERB_INVERT:
        if (FitsGdi(ToShapeRect(bounds))) {
            pDC->InvertRect(&bounds);
        } else {
            CRect cut = ClampToClip(pDC, ToShapeRect(bounds), 2);
            pDC->InvertRect(&cut);
        }
        return;
    default:
        r = GrowByOne(bounds);
        break;
    }
    // A rectangle cut to the clip box widened by the pen shows the same pixels.
    CRect gdi = FitsGdi(r) && pen.Width() <= SHAPE_PEN_LIMIT ? ToRect(r) : ClampToClip(pDC, r, pen.Margin());
    pDC->Rectangle(gdi.left, gdi.top, gdi.right, gdi.bottom);
}

BOOL CRectElement::GetBounds(CRect* pOut)
{
    if (pOut != NULL)
        *pOut = bounds;
    return TRUE;
}

BOOL CRectElement::IsRect()
{
    return TRUE;
}

void CRectElement::ReleaseResources()
{
    if (verb == VERB_ACTIVE || verb == VERB_CLICK)
        SetRegion(NULL);
}
