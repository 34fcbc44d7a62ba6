// Drawing helpers shared by the closed shapes; see ShapeDrawing.h.
#include "elements/ShapeDrawing.h"

#include <math.h>

#include <algorithm>
#include <vector>

#include "elements/GraphicElement.h"

namespace {

const double kPi = 3.14159265358979323846;

struct PointD {
    double x, y;
};

int64_t Clamp64(int64_t v, int64_t lo, int64_t hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// The clip box of pDC in logical units widened by margin; FALSE when nothing is visible.
BOOL GetWideClip(CDC* pDC, int64_t margin, ShapeRect& out)
{
    CRect clip;
    int kind = pDC->GetClipBox(&clip);
    if (kind == NULLREGION || kind == ERROR)
        return FALSE;
    out.left = (int64_t)clip.left - margin;
    out.top = (int64_t)clip.top - margin;
    out.right = (int64_t)clip.right + margin;
    out.bottom = (int64_t)clip.bottom + margin;
    return TRUE;
}

// One side of the Sutherland-Hodgman clip: keeps the part of the closed polygon where
// inside(p) holds, cutting edges at the line through the side.
template <class Inside, class Cut>
std::vector<PointD> ClipSide(const std::vector<PointD>& in, Inside inside, Cut cut)
{
    std::vector<PointD> out;
    if (in.empty())
        return out;
    out.reserve(in.size() + 4);
    PointD prev = in.back();
    bool prevIn = inside(prev);
    for (const PointD& p : in) {
        bool pIn = inside(p);
        if (pIn != prevIn)
            out.push_back(cut(prev, p));
        if (pIn)
            out.push_back(p);
        prev = p;
        prevIn = pIn;
    }
    return out;
}

std::vector<PointD> ClipPolygon(std::vector<PointD> poly, const ShapeRect& box)
{
    const double l = (double)box.left, t = (double)box.top;
    const double r = (double)box.right, b = (double)box.bottom;
    auto cutX = [](double x) {
        return [x](const PointD& a, const PointD& c) {
            return PointD{x, a.y + (c.y - a.y) * (x - a.x) / (c.x - a.x)};
        };
    };
    auto cutY = [](double y) {
        return [y](const PointD& a, const PointD& c) {
            return PointD{a.x + (c.x - a.x) * (y - a.y) / (c.y - a.y), y};
        };
    };
    poly = ClipSide(
        poly, [l](const PointD& p) { return p.x >= l; }, cutX(l));
    poly = ClipSide(
        poly, [r](const PointD& p) { return p.x <= r; }, cutX(r));
    poly = ClipSide(
        poly, [t](const PointD& p) { return p.y >= t; }, cutY(t));
    poly = ClipSide(
        poly, [b](const PointD& p) { return p.y <= b; }, cutY(b));
    return poly;
}

// Liang-Barsky: the part of segment a-c inside box, or FALSE.
BOOL ClipSegment(PointD& a, PointD& c, const ShapeRect& box)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = c.x - a.x, dy = c.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - (double)box.left, (double)box.right - a.x, a.y - (double)box.top,
                         (double)box.bottom - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return FALSE;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return FALSE;
    }
    const PointD a0 = a;
    a = PointD{a0.x + t0 * dx, a0.y + t0 * dy};
    c = PointD{a0.x + t1 * dx, a0.y + t1 * dy};
    return TRUE;
}

POINT ToPoint(const PointD& p)
{
    POINT pt;
    pt.x = (LONG)floor(p.x + 0.5);
    pt.y = (LONG)floor(p.y + 0.5);
    return pt;
}

struct Geometry {
    double left, top, right, bottom;  // normalised
    double cx, cy, rx, ry;            // centre and radii of the ellipse
    double cornerRx, cornerRy;        // corner ellipse of a rounded rectangle
};

Geometry MakeGeometry(const CurveSpec& c)
{
    Geometry g;
    // GDI's curves keep within the rectangle without its right and bottom edges.
    g.left = (double)std::min(c.rect.left, c.rect.right);
    g.right = (double)std::max(c.rect.left, c.rect.right) - 1.0;
    g.top = (double)std::min(c.rect.top, c.rect.bottom);
    g.bottom = (double)std::max(c.rect.top, c.rect.bottom) - 1.0;
    g.cx = (g.left + g.right) / 2.0;
    g.cy = (g.top + g.bottom) / 2.0;
    g.rx = (g.right - g.left) / 2.0;
    g.ry = (g.bottom - g.top) / 2.0;
    g.cornerRx = std::min(fabs((double)c.cornerWidth), g.right - g.left) / 2.0;
    g.cornerRy = std::min(fabs((double)c.cornerHeight), g.bottom - g.top) / 2.0;
    return g;
}

// The left and right edge of the shape on the row through y; FALSE when the row misses it.
BOOL RowExtent(const CurveSpec& c, const Geometry& g, double y, double& xl, double& xr)
{
    if (y < g.top || y > g.bottom)
        return FALSE;
    if (c.kind != CURVE_ROUNDRECT) {
        if (g.ry <= 0.0)
            return FALSE;
        const double d = (y - g.cy) / g.ry;
        const double dx = g.rx * sqrt(std::max(0.0, 1.0 - d * d));
        xl = g.cx - dx;
        xr = g.cx + dx;
        return TRUE;
    }
    double inset = 0.0;
    if (g.cornerRy > 0.0) {
        double d = 0.0;
        if (y < g.top + g.cornerRy)
            d = (g.top + g.cornerRy - y) / g.cornerRy;
        else if (y > g.bottom - g.cornerRy)
            d = (y - (g.bottom - g.cornerRy)) / g.cornerRy;
        inset = g.cornerRx * (1.0 - sqrt(std::max(0.0, 1.0 - d * d)));
    }
    xl = g.left + inset;
    xr = g.right - inset;
    return TRUE;
}

// The outline of the shape over the rows of box, counter-clockwise on screen: down the left
// edge, up the right edge. Rows outside box are left out; the two rows at its ends join the
// sides along the box's top and bottom, where nothing shows.
std::vector<PointD> RowOutline(const CurveSpec& c, const Geometry& g, const ShapeRect& box)
{
    std::vector<PointD> left, right;
    const double first = std::max((double)box.top, g.top);
    const double last = std::min((double)box.bottom, g.bottom);
    if (first > last)
        return left;
    // One point a row; a clip box taller than any screen or page (a context without pixels)
    // gets at most kMaxRows points, spread evenly.
    const int64_t kMaxRows = 1 << 16;
    const double span = last - first;
    const int64_t rows = std::min<int64_t>((int64_t)span, kMaxRows);
    const double step = rows > 0 ? span / (double)rows : 1.0;
    left.reserve((size_t)rows + 2);
    right.reserve((size_t)rows + 2);
    for (int64_t i = 0; i <= rows + 1; ++i) {
        const double y = std::min(first + (double)i * step, last);
        double xl, xr;
        if (RowExtent(c, g, y, xl, xr)) {
            left.push_back(PointD{xl, y});
            right.push_back(PointD{xr, y});
        }
        if (y >= last)
            break;
    }
    left.insert(left.end(), right.rbegin(), right.rend());
    return left;
}

// The angle of p seen from the centre, counter-clockwise on screen, in [0, 2 pi).
double ScreenAngle(const Geometry& g, const PointD& p)
{
    double a = atan2(-(p.y - g.cy), p.x - g.cx);
    return a < 0.0 ? a + 2.0 * kPi : a;
}

// Where the ray from the centre through pt meets the ellipse.
PointD RayPoint(const Geometry& g, POINT pt)
{
    const double ux = (double)pt.x - g.cx, uy = (double)pt.y - g.cy;
    if ((ux == 0.0 && uy == 0.0) || g.rx <= 0.0 || g.ry <= 0.0)
        return PointD{g.cx + g.rx, g.cy};
    const double t = 1.0 / sqrt((ux / g.rx) * (ux / g.rx) + (uy / g.ry) * (uy / g.ry));
    return PointD{g.cx + t * ux, g.cy + t * uy};
}

// The arc of a pie or arc: its outline points that lie within the counter-clockwise sweep from
// the first radial to the second, in that order, with the two ends on the rays.
std::vector<PointD> ArcPoints(const CurveSpec& c, const Geometry& g, const ShapeRect& box)
{
    const PointD from = RayPoint(g, c.radialFirst);
    const PointD to = RayPoint(g, c.radialSecond);
    const double a0 = ScreenAngle(g, from);
    double sweep = ScreenAngle(g, to) - a0;
    if (sweep <= 0.0)
        sweep += 2.0 * kPi;
    std::vector<PointD> outline = RowOutline(c, g, box);
    std::vector<std::pair<double, PointD>> keyed;
    keyed.reserve(outline.size());
    for (const PointD& p : outline) {
        double a = ScreenAngle(g, p) - a0;
        if (a < 0.0)
            a += 2.0 * kPi;
        if (a > 0.0 && a < sweep)
            keyed.push_back(std::make_pair(a, p));
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const std::pair<double, PointD>& x, const std::pair<double, PointD>& y) {
                         return x.first < y.first;
                     });
    std::vector<PointD> arc;
    arc.reserve(keyed.size() + 2);
    arc.push_back(from);
    for (const auto& k : keyed)
        arc.push_back(k.second);
    arc.push_back(to);
    return arc;
}

std::vector<POINT> ToPoints(const std::vector<PointD>& poly)
{
    std::vector<POINT> pts;
    pts.reserve(poly.size());
    for (const PointD& p : poly)
        pts.push_back(ToPoint(p));
    return pts;
}

// The closed outline of an ellipse, rounded rectangle or pie near box, cut to box.
std::vector<PointD> ClosedOutline(const CurveSpec& c, const Geometry& g, const ShapeRect& box)
{
    if (c.kind == CURVE_PIE) {
        std::vector<PointD> pie = ArcPoints(c, g, box);
        pie.insert(pie.begin(), PointD{g.cx, g.cy});
        return ClipPolygon(pie, box);
    }
    return ClipPolygon(RowOutline(c, g, box), box);
}

}  // namespace

ShapeRect AFXAPI ToShapeRect(const RECT& r)
{
    ShapeRect s = {r.left, r.top, r.right, r.bottom};
    return s;
}

ShapeRect AFXAPI GrowByOne(const RECT& r)
{
    ShapeRect s = {r.left, r.top, (int64_t)r.right + 1, (int64_t)r.bottom + 1};
    return s;
}

BOOL AFXAPI FitsGdi(int64_t v)
{
    return v >= -SHAPE_COORD_LIMIT && v <= SHAPE_COORD_LIMIT;
}

BOOL AFXAPI FitsGdi(const ShapeRect& r)
{
    return FitsGdi(r.left) && FitsGdi(r.top) && FitsGdi(r.right) && FitsGdi(r.bottom);
}

CRect AFXAPI ToRect(const ShapeRect& r)
{
    return CRect((int)r.left, (int)r.top, (int)r.right, (int)r.bottom);
}

BOOL AFXAPI IsShapeVisible(CDC* pDC, const RECT& bounds)
{
    CRect r(bounds);
    r.NormalizeRect();
    return pDC->RectVisible(&r);
}

int AFXAPI ShapePenWidth(const CGraphicElement* e)
{
    if (e == NULL || (e->verb != VERB_FRAME && e->verb != VERB_PAINT))
        return 0;
    const CGraphicState* state = LookupState(e->stateIndex);
    return state != NULL && state->m_penSize > 0 ? state->m_penSize : 0;
}

namespace {

// Where the logical origin of hDC lies in device units. In MM_TEXT without a world transform
// the two origins give it directly, far cheaper than a conversion call.
POINT DeviceOrigin(HDC hDC)
{
    POINT origin = {0, 0};
    POINT viewport, window;
    if (::GetMapMode(hDC) == MM_TEXT && ::GetGraphicsMode(hDC) == GM_COMPATIBLE &&
        ::GetViewportOrgEx(hDC, &viewport) && ::GetWindowOrgEx(hDC, &window)) {
        origin.x = (LONG)((ULONG)viewport.x - (ULONG)window.x);
        origin.y = (LONG)((ULONG)viewport.y - (ULONG)window.y);
    } else {
        ::LPtoDP(hDC, &origin, 1);
    }
    return origin;
}

}  // namespace

void AFXAPI InvertDocRegion(CDC* pDC, CRgn* pRgn)
{
    if (pDC == NULL || pRgn == NULL || pRgn->GetSafeHandle() == NULL)
        return;
    const POINT origin = DeviceOrigin(pDC->m_hDC);
    if (origin.x == 0 && origin.y == 0) {
        pDC->SelectClipRgn(pRgn);
    } else {
        CRgn device;
        if (device.CreateRectRgn(0, 0, 0, 0) && device.CopyRgn(pRgn) != ERROR) {
            device.OffsetRgn(origin);
            pDC->SelectClipRgn(&device);
        }
    }
    pDC->InvertRgn(pRgn);
    pDC->SelectClipRgn(NULL);
}

CWidePenLimit::CWidePenLimit(CDC* pDC, const CGraphicElement* e)
    : m_pDC(pDC), m_pOldPen(NULL), m_width(ShapePenWidth(e)), m_shrink(0), m_realHalf(0), m_color(0)
{
    if (m_width <= SHAPE_PEN_LIMIT)
        return;
    CRect clip;
    if (pDC->GetClipBox(&clip) == ERROR)
        clip.SetRectEmpty();
    const double diag =
        sqrt((double)clip.Width() * clip.Width() + (double)clip.Height() * clip.Height());
    // The narrower stroke's outer side must still fall outside the box once Deflate moved the
    // shape inward: a width of the box's diagonal is enough.
    const int cap = (int)std::min<double>(diag + 4.0, (double)SHAPE_PEN_LIMIT * 64);
    if (cap >= m_width)
        return;
    const CGraphicState* state = LookupState(e->stateIndex);
    if (state == NULL || !m_pen.CreatePen(PS_SOLID, cap, state->m_fogndColor))
        return;
    m_pOldPen = pDC->SelectObject(&m_pen);
    m_shrink = ((int64_t)m_width - cap) / 2;
    m_realHalf = m_width / 2;
    m_color = state->m_fogndColor;
    m_width = cap;
}

namespace {

// Moves a and b (either may be the lower) toward each other by d; FALSE when they would meet.
BOOL MoveTogether(int64_t& a, int64_t& b, int64_t d)
{
    int64_t& lo = a <= b ? a : b;
    int64_t& hi = a <= b ? b : a;
    if (hi - lo <= 2 * d)
        return FALSE;
    lo += d;
    hi -= d;
    return TRUE;
}

}  // namespace

BOOL CWidePenLimit::Deflate(ShapeRect& r) const
{
    if (m_shrink <= 0)
        return TRUE;
    ShapeRect moved = r;
    if (!MoveTogether(moved.left, moved.right, m_shrink) ||
        !MoveTogether(moved.top, moved.bottom, m_shrink))
        return FALSE;
    r = moved;
    return TRUE;
}

void CWidePenLimit::FillCovered(const ShapeRect& r) const
{
    const ShapeRect outer = {
        std::min(r.left, r.right) - m_realHalf, std::min(r.top, r.bottom) - m_realHalf,
        std::max(r.left, r.right) + m_realHalf, std::max(r.top, r.bottom) + m_realHalf};
    const CRect area = ClampToClip(m_pDC, outer, 1);
    CBrush brush;
    if (!area.IsRectEmpty() && brush.CreateSolidBrush(m_color))
        ::FillRect(m_pDC->m_hDC, &area, (HBRUSH)brush.GetSafeHandle());
}

CWidePenLimit::~CWidePenLimit()
{
    if (m_pOldPen != NULL)
        m_pDC->SelectObject(m_pOldPen);
}

BOOL AFXAPI GetVerbRect(const CGraphicElement* e, const CWidePenLimit& pen, ShapeRect& out)
{
    if (e->verb != VERB_FRAME && e->verb != VERB_PAINT) {
        out = GrowByOne(e->bounds);
        return TRUE;
    }
    CRect inset(e->bounds);
    e->InsetForPen(inset);
    out = ToShapeRect(inset);
    if (pen.Deflate(out))
        return TRUE;
    pen.FillCovered(out);
    return FALSE;
}

void AFXAPI ReleaseShapeRegion(CGraphicElement* e)
{
    if (e != NULL && (e->verb == VERB_ACTIVE || e->verb == VERB_CLICK))
        e->SetRegion(NULL);
}

CRect AFXAPI ClampToClip(CDC* pDC, const ShapeRect& r, int64_t margin)
{
    ShapeRect box;
    if (!GetWideClip(pDC, margin, box))
        return CRect(0, 0, 0, 0);
    return CRect(
        (int)Clamp64(r.left, box.left, box.right), (int)Clamp64(r.top, box.top, box.bottom),
        (int)Clamp64(r.right, box.left, box.right), (int)Clamp64(r.bottom, box.top, box.bottom));
}

BOOL AFXAPI CreateClippedPolygonRgn(CRgn* pDest, CDC* pDC, const ShapePoint* pts, int n)
{
    ShapeRect box;
    if (pDest == NULL || pDC == NULL || pts == NULL || n < 3 || !GetWideClip(pDC, 2, box))
        return FALSE;
    std::vector<PointD> poly;
    poly.reserve((size_t)n);
    for (int i = 0; i < n; ++i)
        poly.push_back(PointD{(double)pts[i].x, (double)pts[i].y});
    std::vector<POINT> clipped = ToPoints(ClipPolygon(poly, box));
    if (clipped.size() < 3)
        return FALSE;
    return pDest->CreatePolygonRgn(clipped.data(), (int)clipped.size(), WINDING);
}

BOOL AFXAPI CurveFitsGdi(const CurveSpec& c)
{
    return FitsGdi(c.rect) && FitsGdi(c.cornerWidth) && FitsGdi(c.cornerHeight) &&
           FitsGdi(c.radialFirst.x) && FitsGdi(c.radialFirst.y) && FitsGdi(c.radialSecond.x) &&
           FitsGdi(c.radialSecond.y);
}

void AFXAPI DrawLargeCurve(CDC* pDC, const CurveSpec& c, int64_t margin)
{
    ShapeRect box;
    if (pDC == NULL || !GetWideClip(pDC, margin, box))
        return;
    const Geometry g = MakeGeometry(c);
    if (c.kind != CURVE_ARC) {
        std::vector<POINT> pts = ToPoints(ClosedOutline(c, g, box));
        if (pts.size() >= 3)
            pDC->Polygon(pts.data(), (int)pts.size());
        return;
    }
    // An open arc: every run of it inside the box is one polyline.
    const std::vector<PointD> arc = ArcPoints(c, g, box);
    std::vector<POINT> run;
    for (size_t i = 1; i < arc.size(); ++i) {
        PointD a = arc[i - 1], b = arc[i];
        if (!ClipSegment(a, b, box)) {
            if (run.size() >= 2)
                pDC->Polyline(run.data(), (int)run.size());
            run.clear();
            continue;
        }
        const POINT pa = ToPoint(a), pb = ToPoint(b);
        if (run.empty() || run.back().x != pa.x || run.back().y != pa.y) {
            if (run.size() >= 2)
                pDC->Polyline(run.data(), (int)run.size());
            run.clear();
            run.push_back(pa);
        }
        run.push_back(pb);
    }
    if (run.size() >= 2)
        pDC->Polyline(run.data(), (int)run.size());
}

BOOL AFXAPI CreateLargeCurveRgn(CRgn* pDest, CDC* pDC, const CurveSpec& c)
{
    ShapeRect box;
    if (pDest == NULL || pDC == NULL || !GetWideClip(pDC, 2, box))
        return FALSE;
    std::vector<POINT> pts = ToPoints(ClosedOutline(c, MakeGeometry(c), box));
    if (pts.size() < 3)
        return FALSE;
    return pDest->CreatePolygonRgn(pts.data(), (int)pts.size(), WINDING);
}

BOOL AFXAPI CreateCurveRgn(CRgn* pDest, CDC* pDC, const CurveSpec& c)
{
    if (pDest == NULL || (c.kind != CURVE_ELLIPSE && c.kind != CURVE_ROUNDRECT))
        return FALSE;
    if (!CurveFitsGdi(c))
        return pDC != NULL && CreateLargeCurveRgn(pDest, pDC, c);
    const CRect r = ToRect(c.rect);
    if (c.kind == CURVE_ELLIPSE)
        return pDest->CreateEllipticRgnIndirect(&r);
    return pDest->CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, (int)c.cornerWidth,
                                     (int)c.cornerHeight);
}

void AFXAPI InvertCurve(CDC* pDC, const CurveSpec& c)
{
    CRgn rgn;
    if (pDC != NULL && CreateCurveRgn(&rgn, pDC, c))
        InvertDocRegion(pDC, &rgn);
}
