// CRoundRectElement: drawing by verb, the region of active and click rounded rectangles.
#include "elements/RoundRectElement.h"

#include <new>

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
    : CGraphicElement(stateIndex, p->verb, p->pattern),
      cornerWidth(p->cornerWidth),
      cornerHeight(p->cornerHeight)
{
    bounds.SetRect(p->left, p->top, p->right, p->bottom);
    if (verb != VERB_ACTIVE && verb != VERB_CLICK)
        return;
    // A region too large to build in reasonable time is left out, as after a failed allocation.
    if (!CurveFitsGdi(RoundRectSpec(GrowByOne(bounds), cornerWidth, cornerHeight)))
        return;
    CRgn* pRgn = new (std::nothrow) CRgn;
    if (pRgn == NULL)
        return;
    pRgn->CreateRoundRectRgn(bounds.left, bounds.top, bounds.right + 1, bounds.bottom + 1,
                             cornerWidth, cornerHeight);
    SetRegion(pRgn);
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
    case VERB_INVERT: {
        const CurveSpec c = RoundRectSpec(ToShapeRect(bounds), cornerWidth, cornerHeight);
        CRgn rgn;
        BOOL made = CurveFitsGdi(c) ? rgn.CreateRoundRectRgn(bounds.left, bounds.top, bounds.right,
                                                             bounds.bottom, cornerWidth, cornerHeight)
                                    : CreateLargeCurveRgn(&rgn, pDC, c);
        if (made)
            InvertDocRegion(pDC, &rgn);
        return;
    }
    default:
        r = GrowByOne(bounds);
        break;
    }
    const CurveSpec c = RoundRectSpec(r, cornerWidth, cornerHeight);
    if (CurveFitsGdi(c) && pen.Width() <= SHAPE_PEN_LIMIT)
        pDC->RoundRect((int)r.left, (int)r.top, (int)r.right, (int)r.bottom, cornerWidth, cornerHeight);
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
    if (verb == VERB_ACTIVE || verb == VERB_CLICK)
        SetRegion(NULL);
}
