// CPolylineElement: an open chain of segments through the host's points, stroked with the pen
// of its drawing state; no verb, no region. Also the copying of a host's point list that the
// polygon shares.
#pragma once
#include <afxwin.h>

#include "elements/GraphicElement.h"

// Copies the POINTs that the entries of pointList point to into one new array (null entries
// are left out) and computes their bounding box, which starts from (65535, 65535, 0, 0) rather
// than from the first point. points is NULL when no point was copied or the array could not be
// allocated; count is the number of points copied.
AFX_EXT_API void AFXAPI CopyPointList(const CObArray* pointList, POINT*& points, int& count,
                                      CRect& box);

class AFX_EXT_CLASS CPolylineElement : public CGraphicElement
{
public:
    // Reads the array's entries; keeps neither the array nor the host's points.
    CPolylineElement(int stateIndex, const CObArray* pointList);
    virtual ~CPolylineElement();

    // Polyline through the points, unless bounds widened by 1 is not visible.
    virtual void Draw(CDC* pDC, const RECT* pClip);
    // The last point; FALSE without points.
    virtual BOOL GetEndPoint(CDC* pDC, POINT* pOut);
    // Frees the points; pointCount is kept.
    virtual void ReleaseResources();

    int pointCount;
    POINT* points;  // owned; NULL without points
};
