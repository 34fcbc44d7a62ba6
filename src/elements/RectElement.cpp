// CRectElement: drawing by verb, the region of active and click rectangles.
#include "elements/RectElement.h"

#include "elements/ShapeDrawing.h"
#include "state/DcSelection.h"

CRectElement::CRectElement(int stateIndex, const ShapeParams* p)
    : CGraphicElement(stateIndex, p->verb, p->pattern)
{
    bounds.SetRect(p->left, p->top, p->right, p->bottom);
    AdoptShapeRegion(this, [this](CRgn& rgn) { rgn.CreateRectRgnIndirect(&bounds); });
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
    if (verb == VERB_INVERT) {
        if (FitsGdi(ToShapeRect(bounds))) {
            pDC->InvertRect(&bounds);
        } else {
            CRect cut = ClampToClip(pDC, ToShapeRect(bounds), 2);
            pDC->InvertRect(&cut);
        }
        return;
    }
    ShapeRect r;
    if (!GetVerbRect(this, pen, r))
        return;
    // A rectangle cut to the clip box widened by the pen shows the same pixels.
    CRect gdi = FitsGdi(r) && pen.IsNarrow() ? ToRect(r) : ClampToClip(pDC, r, pen.Margin());
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
    ReleaseShapeRegion(this);
}
