// CRectElement: a rectangle drawn with a verb, or an active or click region; and ShapeParams,
// the construction record of rectangles and ovals that the other shapes' records extend.
#pragma once
#include <afxwin.h>

#include "elements/GraphicElement.h"

// The host's shape call as the view hands it to an element: the verb, the rectangle as the
// host passed it (document coordinates, not normalised) and the pattern code, or the region
// identifier for VERB_ACTIVE and VERB_CLICK.
struct ShapeParams {
    int verb;
    int left;
    int top;
    int right;
    int bottom;
    int pattern;
};

class AFX_EXT_CLASS CRectElement : public CGraphicElement
{
public:
    CRectElement(int stateIndex, const ShapeParams* p);
    virtual ~CRectElement();

    // Frame and paint keep a wide pen inside bounds; the other verbs fill bounds exactly (GDI
    // leaves out the right and bottom edge, so they get one more); invert inverts bounds.
    virtual void Draw(CDC* pDC, const RECT* pClip);
    virtual BOOL GetBounds(CRect* pOut);
    virtual BOOL IsRect();
    // Frees the region of an active or click rectangle.
    virtual void ReleaseResources();
};
