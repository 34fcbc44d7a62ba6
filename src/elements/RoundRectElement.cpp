// CRoundRectElement: drawing by verb, the region of active and click rounded rectangles.
#include "elements/RoundRectElement.h"

#include "elements/ShapeDrawing.h"
#include "state/DcSelection.h"

namespace {

CurveSpec RoundRectSpec(const ShapeRect& r, int cornerWidth, int cornerHeight)
{
    CurveSpec c = {CURVE_ROUNDRECT, r, cornerWidth, cornerHeight, {0, 0}, {0, 0}};
    return c;
}

}  // namespace

CRoundRectElement::CRoundRectElement(int stateIndex, const RoundRectParams* p)
    : CGraphicElement(stateIndex, p->verb, p->pattern), cornerWidth(p->cornerWidth),
      cornerHeight(p->cornerHeight)
{
    bounds.SetRect(p->left, p->top, p->right, p->bottom);
    // The region covers the pixels the filling verbs paint: bounds one larger to the right and
    // at the bottom. One too large to build in reasonable time is left out, as after a failed
    // allocation.
    AdoptShapeRegion(this, [this](CRgn& rgn) {
        CreateCurveRgn(&rgn, NULL, RoundRectSpec(GrowByOne(bounds), cornerWidth, cornerHeight));
    });
}

CRoundRectElement::~CRoundRectElement()
{
    CRoundRectElement::ReleaseResources();
}

void CRoundRectElement::Draw(CDC* pDC, const RECT*)
{
    if (pDC == NULL || !IsShapeVisible(pDC, bounds))
        return;
    CDcSelection selection(pDC, this, SEL_PEN | SEL_BRUSH | SEL_ROP);
    CWidePenLimit pen(pDC, this);
    if (verb == VERB_INVERT) {
        InvertCurve(pDC, RoundRectSpec(ToShapeRect(bounds), cornerWidth, cornerHeight));
        return;
    }
    ShapeRect r;
    if (!GetVerbRect(this, pen, r))
        return;
    const CurveSpec c = RoundRectSpec(r, cornerWidth, cornerHeight);
    if (CurveFitsGdi(c) && pen.IsNarrow())
        pDC->RoundRect((int)r.left, (int)r.top, (int)r.right, (int)r.bottom, cornerWidth,
                       cornerHeight);
    else
        DrawLargeCurve(pDC, c, pen.Margin());
}

BOOL CRoundRectElement::GetBounds(CRect* pOut)
{
    if (pOut != NULL)
        *pOut = bounds;
    return TRUE;
}

BOOL CRoundRectElement::IsRoundRect()
{
    return TRUE;
}

void CRoundRectElement::ReleaseResources()
{
    ReleaseShapeRegion(this);
}
