// CPolygonElement: a closed figure through the host's points, drawn with a verb or made an
// active or click region; and PolygonParams, its construction record.
#pragma once
#include <afxwin.h>

#include "elements/GraphicElement.h"

// The host's polygon call as the view hands it to the element: the verb, the pattern code (the
// region identifier for VERB_ACTIVE and VERB_CLICK) and the array whose entries point to the
// POINTs, which the element copies.
struct PolygonParams {
    int verb;
    int pattern;
    const CObArray* pointList;
};

class AFX_EXT_CLASS CPolygonElement : public CGraphicElement
{
public:
    CPolygonElement(int stateIndex, const PolygonParams* p);
    virtual ~CPolygonElement();

    // Every verb uses the points as they are (no inset for wide pens, no growth for verbs
    // without a pen), filled by the winding rule; invert inverts the winding region.
    virtual void Draw(CDC* pDC, const RECT* pClip);
    virtual BOOL IsPolygon();
    // Frees the region of an active or click polygon, then the points; pointCount is kept.
    virtual void ReleaseResources();

    int pointCount;
    POINT* points;  // owned; NULL without points
};
