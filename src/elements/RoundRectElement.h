// CRoundRectElement: a rectangle with corners rounded by an ellipse, drawn with a verb or made an
// active or click region; and its construction record RoundRectParams.
#pragma once
#include <afxwin.h>

#include "elements/RectElement.h"

// ShapeParams, then the width and height of the ellipse that rounds the corners.
struct RoundRectParams : ShapeParams {
    int cornerWidth;
    int cornerHeight;
};

class AFX_EXT_CLASS CRoundRectElement : public CGraphicElement
{
public:
    CRoundRectElement(int stateIndex, const RoundRectParams* p);
    virtual ~CRoundRectElement();

    // As a rectangle, with RoundRect; invert inverts the rounded region of bounds as stored
    // (without the one-unit growth of the active region).
    virtual void Draw(CDC* pDC, const RECT* pClip);
    virtual BOOL GetBounds(CRect* pOut);
    virtual BOOL IsRoundRect();
    virtual void ReleaseResources();

    int cornerWidth;
    int cornerHeight;
};
