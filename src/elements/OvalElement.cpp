// COvalElement: drawing by verb, the region of active and click ovals.
#include "elements/OvalElement.h"

#include "elements/ShapeDrawing.h"
#include "state/DcSelection.h"

namespace {

CurveSpec EllipseSpec(const ShapeRect& r)
{
    CurveSpec c = {CURVE_ELLIPSE, r, 0, 0, {0, 0}, {0, 0}};
    return c;
}

}  // namespace

COvalElement::COvalElement(int stateIndex, const ShapeParams* p)
    : CGraphicElement(stateIndex, p->verb, p->pattern)
{
    bounds.SetRect(p->left, p->top, p->right, p->bottom);
    // A region too large to build in reasonable time is left out, as after a failed allocation.
    AdoptShapeRegion(
        this, [this](CRgn& rgn) { CreateCurveRgn(&rgn, NULL, EllipseSpec(ToShapeRect(bounds))); });
}

COvalElement::~COvalElement()
{
    COvalElement::ReleaseResources();
}

void COvalElement::Draw(CDC* pDC, const RECT*)
{
    if (pDC == NULL || !IsShapeVisible(pDC, bounds))
        return;
    CDcSelection selection(pDC, this, SEL_PEN | SEL_BRUSH | SEL_ROP);
    CWidePenLimit pen(pDC, this);
    if (verb == VERB_INVERT) {
        InvertCurve(pDC, EllipseSpec(ToShapeRect(bounds)));
        return;
    }
    ShapeRect r;
    if (!GetVerbRect(this, pen, r))
        return;
    const CurveSpec c = EllipseSpec(r);
    if (CurveFitsGdi(c) && pen.IsNarrow())
        pDC->Ellipse((int)r.left, (int)r.top, (int)r.right, (int)r.bottom);
    else
        DrawLargeCurve(pDC, c, pen.Margin());
}

BOOL COvalElement::IsOval()
{
    return TRUE;
}

void COvalElement::ReleaseResources()
{
    ReleaseShapeRegion(this);
}
