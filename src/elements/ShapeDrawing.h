// Drawing helpers shared by the closed shapes: the visibility test, rectangles in 64 bits, the
// inversion of a document-coordinate region on a scrolled context, and the substitutes for GDI
// calls whose sizes Wine cannot draw in reasonable time (or at all).
#pragma once
#include <afxwin.h>

#include <stdint.h>

#include <new>

#include "elements/GraphicElement.h"

// Coordinates within +-SHAPE_COORD_LIMIT and pens up to SHAPE_PEN_LIMIT go to GDI as given.
// Beyond them a shape is cut to the context's clip box first, since Wine walks every row of an
// ellipse (a 10^7-row one hangs, larger ones crash) and every pixel of a wide pen's outline.
const int64_t SHAPE_COORD_LIMIT = 1000000;
const int SHAPE_PEN_LIMIT = 1000;

// A rectangle whose edges may lie beyond 32 bits (right + 1 of INT_MAX, say).
struct ShapeRect {
    int64_t left, top, right, bottom;
};

AFX_EXT_API ShapeRect AFXAPI ToShapeRect(const RECT& r);
// The rectangle that filled shapes hand to GDI: one more to the right and at the bottom, so that
// a shape without pen covers its whole bounds.
AFX_EXT_API ShapeRect AFXAPI GrowByOne(const RECT& r);
AFX_EXT_API BOOL AFXAPI FitsGdi(int64_t v);
AFX_EXT_API BOOL AFXAPI FitsGdi(const ShapeRect& r);
// The rectangle as 32-bit values; only for one that FitsGdi.
AFX_EXT_API CRect AFXAPI ToRect(const ShapeRect& r);

// TRUE when the normalised copy of bounds is visible in pDC.
AFX_EXT_API BOOL AFXAPI IsShapeVisible(CDC* pDC, const RECT& bounds);

// The pen width a shape drawn with this verb gets from its state: the state's pen size for the
// verbs with a solid pen (frame and paint), 0 otherwise or without a state record.
AFX_EXT_API int AFXAPI ShapePenWidth(const CGraphicElement* e);

// Selects rgn (document coordinates) as the clip region of pDC, inverts it and selects no clip
// region. A clip region is taken in device units: it is moved by the context's origin first, so
// that a scrolled context inverts where the region is drawn.
AFX_EXT_API void AFXAPI InvertDocRegion(CDC* pDC, CRgn* pRgn);

// A solid pen wider than SHAPE_PEN_LIMIT replaced, for one draw, by one of the same colour no
// wider than the clip box's diagonal (Wine's cost grows with the width). Deflate then moves
// the shape's edges inward by half the width taken off, so that the narrower stroke still ends
// where the wide one did inside the box; the outer side of the stroke lies beyond the box either
// way. Exact for rectangles up to the rounding of corners; close for curves.
class AFX_EXT_CLASS CWidePenLimit
{
public:
    CWidePenLimit(CDC* pDC, const CGraphicElement* e);
    ~CWidePenLimit();
    // The width the shape is drawn with (0 without a solid pen).
    int Width() const { return m_width; }
    // TRUE when the pen is narrow enough for GDI to draw the shape itself.
    BOOL IsNarrow() const { return m_width <= SHAPE_PEN_LIMIT; }
    // Room around the clip box within which nothing the pen draws can show.
    int64_t Margin() const { return m_width / 2 + 2; }
    // Moves the edges of r (normalised or not) inward by half the width taken off the pen.
    // FALSE when they would meet: the wide stroke covers the whole shape, and FillCovered
    // should draw it instead.
    BOOL Deflate(ShapeRect& r) const;
    // Fills, in the pen's colour, the part of the clip box within half the pen's real width of
    // the shape's rectangle r.
    void FillCovered(const ShapeRect& r) const;

private:
    CWidePenLimit(const CWidePenLimit&) = delete;
    void operator=(const CWidePenLimit&) = delete;

    CDC* m_pDC;
    CPen m_pen;
    CPen* m_pOldPen;
    int m_width;
    int64_t m_shrink;
    int64_t m_realHalf;
    COLORREF m_color;
};

// The rectangle GDI gets for the shape of e drawn with its verb (any but VERB_INVERT): for frame
// and paint, bounds moved inward so that the pen stays inside and, for a pen pen narrowed, by
// half the width taken off; for the filling verbs, bounds one larger to the right and at the
// bottom. FALSE when a narrowed pen's stroke covers the whole shape: pen has then filled it and
// nothing more is to be drawn.
AFX_EXT_API BOOL AFXAPI GetVerbRect(const CGraphicElement* e, const CWidePenLimit& pen,
                                    ShapeRect& out);

// For an element drawn with VERB_ACTIVE or VERB_CLICK: a new CRgn handed to build (a callable
// taking CRgn&) and kept as the element's region when build gave it a handle. Other verbs, a
// failed allocation or a build that made nothing leave the element without a region.
template <class Build> void AdoptShapeRegion(CGraphicElement* e, Build build)
{
    if (e->verb != VERB_ACTIVE && e->verb != VERB_CLICK)
        return;
    CRgn* pRgn = new (std::nothrow) CRgn;
    if (pRgn == NULL)
        return;
    build(*pRgn);
    if (pRgn->GetSafeHandle() == NULL) {
        delete pRgn;
        return;
    }
    e->SetRegion(pRgn);
}

// Frees the region of an element drawn with VERB_ACTIVE or VERB_CLICK; nothing for other verbs.
AFX_EXT_API void AFXAPI ReleaseShapeRegion(CGraphicElement* e);

// Each edge moved into the clip box widened by margin, keeping the order of the edges (a reversed
// rectangle stays reversed). Pixels inside the clip box are those of the unmoved rectangle.
AFX_EXT_API CRect AFXAPI ClampToClip(CDC* pDC, const ShapeRect& r, int64_t margin);

// A point whose coordinates may lie beyond 32 bits.
struct ShapePoint {
    int64_t x, y;
};

// The part of a polygon near the clip box of pDC as a polygon region (WINDING) in pDest; FALSE
// (pDest untouched) when nothing of it is near.
AFX_EXT_API BOOL AFXAPI CreateClippedPolygonRgn(CRgn* pDest, CDC* pDC, const ShapePoint* pts,
                                                int n);

// The curved shapes, for the drawing of ones too large for GDI.
enum CurveKind { CURVE_ELLIPSE, CURVE_ROUNDRECT, CURVE_PIE, CURVE_ARC };

struct CurveSpec {
    CurveKind kind;
    ShapeRect rect;       // as GDI would get it, not normalised
    int64_t cornerWidth;  // rounded rectangle
    int64_t cornerHeight;
    POINT radialFirst;  // pie and arc: GDI runs counter-clockwise from first to second
    POINT radialSecond;
};

// TRUE when GDI may draw the curve itself: every coordinate and corner size within the limit.
AFX_EXT_API BOOL AFXAPI CurveFitsGdi(const CurveSpec& c);
// Draws the part of the curve near the clip box as polygons (ellipse, rounded rectangle, pie) or
// a polyline (arc) with what pDC holds selected; pieces outside the box widened by margin are
// left out, so the cut edges never show.
AFX_EXT_API void AFXAPI DrawLargeCurve(CDC* pDC, const CurveSpec& c, int64_t margin);
// An ellipse or rounded rectangle as a region in pDest: GDI's own when the curve fits GDI, else
// the part near the clip box of pDC (none without a context). FALSE (pDest untouched) when
// nothing was made.
AFX_EXT_API BOOL AFXAPI CreateCurveRgn(CRgn* pDest, CDC* pDC, const CurveSpec& c);
// Inverts, on pDC, the region CreateCurveRgn makes of the curve.
AFX_EXT_API void AFXAPI InvertCurve(CDC* pDC, const CurveSpec& c);
// The part of an ellipse or rounded rectangle near the clip box of pDC as a polygon region in
// pDest; FALSE (pDest untouched) when nothing of it is near.
AFX_EXT_API BOOL AFXAPI CreateLargeCurveRgn(CRgn* pDest, CDC* pDC, const CurveSpec& c);
