// CArcElement: an arc or a wedge of the ellipse filling a rectangle, drawn with a verb or made an
// active or click region; and its construction record ArcParams.
//
// Angles are degrees, 0 at 12 o'clock, positive clockwise; arcAngle is the signed sweep.
#pragma once
#include <afxwin.h>

#include "elements/RectElement.h"

// ShapeParams, then the start angle and the signed sweep, in degrees.
struct ArcParams : ShapeParams {
    int startAngle;
    int arcAngle;
};

class AFX_EXT_CLASS CArcElement : public CGraphicElement
{
public:
    CArcElement(int stateIndex, const ArcParams* p);
    virtual ~CArcElement();

    // Frame draws the arc, paint and the filling verbs the wedge, invert inverts the wedge's
    // region; GDI gets arcEnd first, so its counter-clockwise run is our clockwise sweep.
    virtual void Draw(CDC* pDC, const RECT* pClip);
    virtual BOOL GetBounds(CRect* pOut);
    virtual BOOL IsArc();
    virtual void ReleaseResources();

    // The points on the ellipse of bounds at startAngle (arcStart) and at startAngle + arcAngle
    // (arcEnd), as GDI's radial points.
    void ComputeArcPoints();
    // The wedge of the ellipse of rc from startAngle over arcAngle (16-bit angles, reduced
    // modulo 360; the rest of the ellipse for a negative sweep) as a region in pDest. A wedge
    // too large to build in reasonable time is left out: pDest then gets no region.
    void BuildArcRegion(CRgn* pDest, const RECT* rc);

    POINT arcEnd;
    POINT arcStart;
    int startAngle;
    int arcAngle;

private:
    // BuildArcRegion on a rectangle that may lie beyond 32 bits; pDC, when given, lets an
    // ellipse too large for GDI be cut to its clip box instead of being left out.
    void BuildWedgeRegion(CRgn* pDest, const struct ShapeRect& rc, CDC* pDC);
};
