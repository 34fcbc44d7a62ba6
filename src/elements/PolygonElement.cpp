// CPolygonElement: the copy of the host's points, the region of active and click polygons, and
// drawing by verb.
#include "elements/PolygonElement.h"

#include <math.h>

#include <algorithm>
#include <new>
#include <vector>

#include "elements/PolylineElement.h"
#include "elements/ShapeDrawing.h"
#include "state/DcSelection.h"

namespace {

// The polygon fill mode set for one draw and put back when the scope ends.
class CPolyFillScope
{
public:
    CPolyFillScope(CDC* pDC, int mode) : m_pDC(pDC), m_old(pDC->SetPolyFillMode(mode)) {}
    ~CPolyFillScope()
    {
        if (m_old != 0)
            m_pDC->SetPolyFillMode(m_old);
    }

private:
    CPolyFillScope(const CPolyFillScope&) = delete;
    void operator=(const CPolyFillScope&) = delete;

    CDC* m_pDC;
    int m_old;
};

BOOL PointsFitGdi(const POINT* pts, int n)
{
    for (int i = 0; i < n; ++i) {
        if (!FitsGdi(pts[i].x) || !FitsGdi(pts[i].y))
            return FALSE;
    }
    return TRUE;
}

struct EdgePoint {
    double x, y;
};

// One side of a Sutherland-Hodgman clip: keeps the part of the closed outline on the side where
// keep(v) holds, v being the coordinate axis picks; edges crossing the side are cut at bound.
std::vector<EdgePoint> ClipSide(const std::vector<EdgePoint>& in, bool alongX, double bound,
                                bool keepAbove)
{
    std::vector<EdgePoint> out;
    if (in.empty())
        return out;
    out.reserve(in.size() + 4);
    auto inside = [&](const EdgePoint& p) {
        const double v = alongX ? p.x : p.y;
        return keepAbove ? v >= bound : v <= bound;
    };
    EdgePoint prev = in.back();
    bool prevIn = inside(prev);
    for (const EdgePoint& p : in) {
        const bool pIn = inside(p);
        if (pIn != prevIn) {
            if (alongX)
                out.push_back(
                    EdgePoint{bound, prev.y + (p.y - prev.y) * (bound - prev.x) / (p.x - prev.x)});
            else
                out.push_back(
                    EdgePoint{prev.x + (p.x - prev.x) * (bound - prev.y) / (p.y - prev.y), bound});
        }
        if (pIn)
            out.push_back(p);
        prev = p;
        prevIn = pIn;
    }
    return out;
}

// The outline cut to box widened by margin. Clipping against a box keeps the winding number of
// every point inside it; the cut edges run along the widened box. Empty when nothing of the
// polygon is near the box.
std::vector<POINT> ClipOutline(const POINT* pts, int n, const RECT& box, int margin)
{
    std::vector<POINT> result;
    std::vector<EdgePoint> poly;
    poly.reserve((size_t)n);
    for (int i = 0; i < n; ++i)
        poly.push_back(EdgePoint{(double)pts[i].x, (double)pts[i].y});
    poly = ClipSide(poly, true, (double)box.left - margin, true);
    poly = ClipSide(poly, true, (double)box.right + margin, false);
    poly = ClipSide(poly, false, (double)box.top - margin, true);
    poly = ClipSide(poly, false, (double)box.bottom + margin, false);
    result.reserve(poly.size());
    for (const EdgePoint& p : poly) {
        POINT pt;
        pt.x = (LONG)floor(p.x + 0.5);
        pt.y = (LONG)floor(p.y + 0.5);
        result.push_back(pt);
    }
    return result;
}

}  // namespace

CPolygonElement::CPolygonElement(int stateIndex, const PolygonParams* p)
    : CGraphicElement(stateIndex, p->verb, p->pattern), pointCount(0), points(NULL)
{
    CopyPointList(p->pointList, points, pointCount, bounds);
    if (verb != VERB_ACTIVE && verb != VERB_CLICK)
        return;
    CRgn* pRgn = new (std::nothrow) CRgn;
    if (pRgn == NULL)
        return;
    // Without points the region holds no GDI object and is never hit. Points beyond the reach
    // of GDI are cut to the area within which shapes are drawn as given.
    if (points != NULL && PointsFitGdi(points, pointCount)) {
        pRgn->CreatePolygonRgn(points, pointCount, WINDING);
    } else if (points != NULL) {
        const LONG limit = (LONG)SHAPE_COORD_LIMIT;
        const CRect reach(-limit, -limit, limit, limit);
        try {
            std::vector<POINT> cut = ClipOutline(points, pointCount, reach, 0);
            if (cut.size() >= 3)
                pRgn->CreatePolygonRgn(cut.data(), (int)cut.size(), WINDING);
        } catch (...) {
        }
    }
    SetRegion(pRgn);
}

CPolygonElement::~CPolygonElement()
{
    CPolygonElement::ReleaseResources();
}

void CPolygonElement::Draw(CDC* pDC, const RECT*)
{
    if (pDC == NULL || points == NULL)
        return;
    CRect r(bounds);
    r.InflateRect(1, 1);
    if (!pDC->RectVisible(&r))
        return;
    CDcSelection selection(pDC, this, SEL_PEN | SEL_BRUSH | SEL_ROP);
    CPolyFillScope fill(pDC, WINDING);
    // Wine fills every row of a polygon, visible or not: one with points beyond the reach of
    // GDI is cut to the clip box first (widened by the pen, so the cut edges never show).
    const POINT* pts = points;
    int n = pointCount;
    std::vector<POINT> clipped;
    if (!PointsFitGdi(points, pointCount)) {
        CRect clip;
        const int kind = pDC->GetClipBox(&clip);
        if (kind == NULLREGION || kind == ERROR)
            return;
        try {
            clipped = ClipOutline(points, pointCount, clip,
                                  std::min(ShapePenWidth(this) / 2, 100000) + 2);
        } catch (...) {
            return;
        }
        if (clipped.size() < 3)
            return;
        pts = clipped.data();
        n = (int)clipped.size();
    }
    if (verb != VERB_INVERT) {
        pDC->Polygon(pts, n);
        return;
    }
    CRgn rgn;
    if (rgn.CreatePolygonRgn(const_cast<POINT*>(pts), n, WINDING))
        InvertDocRegion(pDC, &rgn);
}

BOOL CPolygonElement::IsPolygon()
{
    return TRUE;
}

void CPolygonElement::ReleaseResources()
{
    if (verb == VERB_ACTIVE || verb == VERB_CLICK)
        SetRegion(NULL);
    delete[] points;
    points = NULL;
}
