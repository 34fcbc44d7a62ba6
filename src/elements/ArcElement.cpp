// CArcElement: radial points, the wedge region, drawing by verb.
#include "elements/ArcElement.h"

#include <math.h>
#include <stdint.h>

#include "elements/ShapeDrawing.h"
#include "state/DcSelection.h"

namespace {

LONG ClampToLong(int64_t v)
{
    return v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : (LONG)v);
}

// The sum of two angles as a 32-bit value would give it, without overflowing.
int WrapAdd(int a, int b)
{
    return (int)(uint32_t)((uint32_t)a + (uint32_t)b);
}

// The radial point for an angle: pi and the rounding toward zero as the drawing has always had
// them (they differ from the region's on purpose).
POINT RadialPoint(const ShapeParams& p, int theta)
{
    const double rxd = ((double)p.right - (double)p.left) * 0.5;
    const double ryd = ((double)p.bottom - (double)p.top) * 0.5;
    const double a = 6.283185307 - (double)theta * 3.1415926535 * (1.0 / 180.0);
    POINT pt;
    pt.x = ClampToLong((int64_t)p.left + (int64_t)trunc(rxd) - (int64_t)trunc(sin(a) * rxd));
    pt.y = ClampToLong((int64_t)p.top + (int64_t)trunc(ryd) - (int64_t)trunc(cos(a) * ryd));
    return pt;
}

CurveSpec ArcSpec(CurveKind kind, const ShapeRect& r, POINT first, POINT second)
{
    CurveSpec c = {kind, r, 0, 0, first, second};
    return c;
}

}  // namespace

CArcElement::CArcElement(int stateIndex, const ArcParams* p)
    : CGraphicElement(stateIndex, p->verb, p->pattern), startAngle(p->startAngle),
      arcAngle(p->arcAngle)
{
    arcEnd.x = arcEnd.y = 0;
    arcStart.x = arcStart.y = 0;
    bounds.SetRect(p->left, p->top, p->right, p->bottom);
    ComputeArcPoints();
    AdoptShapeRegion(this, [this](CRgn& rgn) { BuildArcRegion(&rgn, &bounds); });
}

CArcElement::~CArcElement()
{
    CArcElement::ReleaseResources();
}

void CArcElement::ComputeArcPoints()
{
    ShapeParams p = {verb, bounds.left, bounds.top, bounds.right, bounds.bottom, pattern};
    arcStart = RadialPoint(p, startAngle);
    arcEnd = RadialPoint(p, WrapAdd(startAngle, arcAngle));
}

void CArcElement::BuildArcRegion(CRgn* pDest, const RECT* rc)
{
    if (pDest != NULL && rc != NULL)
        BuildWedgeRegion(pDest, ToShapeRect(*rc), NULL);
}

void CArcElement::BuildWedgeRegion(CRgn* pDest, const ShapeRect& rc, CDC* pDC)
{
    // The region works on 16-bit angles reduced modulo 360 (sign of the dividend).
    const int s16 = (int16_t)(uint16_t)(startAngle & 0xFFFF);
    const int a16 = (int16_t)(uint16_t)(arcAngle & 0xFFFF);
    const int s = s16 % 360;
    const int e = (a16 + s) % 360;

    const int64_t rx = (rc.right - rc.left) / 2;
    const int64_t ry = (rc.bottom - rc.top) / 2;
    const int64_t cx = (rc.left + rc.right) / 2;
    const int64_t cy = (rc.top + rc.bottom) / 2;
    auto at = [&](int theta) {
        const double phi = (double)theta * 3.1415926536 * (1.0 / 180.0);
        ShapePoint pt = {cx + (int64_t)floor(sin(phi) * (double)rx),
                         cy - (int64_t)floor(cos(phi) * (double)ry)};
        return pt;
    };
    const ShapePoint tl = {rc.left, rc.top};
    const ShapePoint tr = {rc.right, rc.top};
    const ShapePoint br = {rc.right, rc.bottom};
    const ShapePoint bl = {rc.left, rc.bottom};

    ShapePoint pts[10];
    int n = 0;
    pts[n++] = ShapePoint{cx, cy};
    pts[n++] = at(s);
    // Corners passed on the way from s to e, clockwise; each considered only after the one
    // before it was added.
    if (s >= 0 && s <= 90) {
        pts[n++] = tr;
        if (e >= 90) {
            pts[n++] = br;
            if (e >= 180) {
                pts[n++] = bl;
                if (e >= 270)
                    pts[n++] = tl;
            }
        }
    } else if (s > 90 && s <= 180) {
        pts[n++] = br;
        if (e >= 180 || e < 90) {
            pts[n++] = bl;
            if (e >= 270 || e < 90) {
                pts[n++] = tl;
                if (e < 90)
                    pts[n++] = tr;
            }
        }
    } else if (s > 180 && s <= 270) {
        pts[n++] = bl;
        if (e >= 270 || e < 180) {
            pts[n++] = tl;
            if (e < 180) {
                pts[n++] = tr;
                if (e >= 90)
                    pts[n++] = br;
            }
        }
    } else {
        pts[n++] = tl;
        if (e > 0 && e < 270) {
            pts[n++] = tr;
            if (e > 90) {
                pts[n++] = br;
                if (e > 180)
                    pts[n++] = bl;
            }
        }
    }
    pts[n++] = at(e);

    // The ellipse: GDI's own when it fits, else only the part near pDC's clip box; without a
    // context a too large one is left out.
    CRgn ellipse;
    const CurveSpec curve = ArcSpec(CURVE_ELLIPSE, rc, POINT{0, 0}, POINT{0, 0});
    if (CurveFitsGdi(curve)) {
        CRect r = ToRect(rc);
        if (!ellipse.CreateEllipticRgnIndirect(&r))
            return;
    } else if (pDC == NULL || !CreateLargeCurveRgn(&ellipse, pDC, curve)) {
        return;
    }
    // The wedge: a polygon beyond 32 bits is cut to the clip box as the ellipse is.
    CRgn wedge;
    if (CurveFitsGdi(curve)) {
        POINT small[10];
        for (int i = 0; i < n; ++i)
            small[i] = POINT{(LONG)pts[i].x, (LONG)pts[i].y};
        if (!wedge.CreatePolygonRgn(small, n, WINDING))
            return;
    } else if (!CreateClippedPolygonRgn(&wedge, pDC, pts, n)) {
        return;
    }
    if (pDest->GetSafeHandle() == NULL && !pDest->CreateRectRgn(0, 0, 0, 0))
        return;
    pDest->CombineRgn(&wedge, &ellipse, RGN_AND);
    if (a16 < 0) {
        // A negative sweep keeps the rest of the ellipse, as Arc and Pie draw it.
        CRgn box, rest;
        const RECT r = {ClampToLong(rc.left), ClampToLong(rc.top), ClampToLong(rc.right),
                        ClampToLong(rc.bottom)};
        if (box.CreateRectRgnIndirect(&r) && rest.CreateRectRgn(0, 0, 0, 0)) {
            rest.CombineRgn(&box, pDest, RGN_DIFF);
            rest.CombineRgn(&rest, &ellipse, RGN_AND);
            pDest->CopyRgn(&rest);
        }
    }
}

void CArcElement::Draw(CDC* pDC, const RECT*)
{
    if (pDC == NULL || !IsShapeVisible(pDC, bounds))
        return;
    CDcSelection selection(pDC, this, SEL_PEN | SEL_BRUSH | SEL_ROP);
    CWidePenLimit pen(pDC, this);
    if (verb == VERB_INVERT) {
        CRgn rgn;
        BuildWedgeRegion(&rgn, GrowByOne(bounds), pDC);
        if (rgn.GetSafeHandle() != NULL)
            InvertDocRegion(pDC, &rgn);
        return;
    }
    ShapeRect r;
    if (!GetVerbRect(this, pen, r))
        return;
    const CurveKind kind = verb == VERB_FRAME ? CURVE_ARC : CURVE_PIE;
    const CurveSpec c = ArcSpec(kind, r, arcEnd, arcStart);
    if (!CurveFitsGdi(c) || !pen.IsNarrow()) {
        DrawLargeCurve(pDC, c, pen.Margin());
        return;
    }
    const CRect gdi = ToRect(r);
    if (kind == CURVE_ARC)
        pDC->Arc(gdi.left, gdi.top, gdi.right, gdi.bottom, arcEnd.x, arcEnd.y, arcStart.x,
                 arcStart.y);
    else
        pDC->Pie(gdi.left, gdi.top, gdi.right, gdi.bottom, arcEnd.x, arcEnd.y, arcStart.x,
                 arcStart.y);
}

BOOL CArcElement::GetBounds(CRect* pOut)
{
    if (pOut != NULL)
        *pOut = bounds;
    return TRUE;
}

BOOL CArcElement::IsArc()
{
    return TRUE;
}

void CArcElement::ReleaseResources()
{
    ReleaseShapeRegion(this);
}
