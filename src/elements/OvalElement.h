// COvalElement: an ellipse filling a rectangle, drawn with a verb or made an active or click
// region.
#pragma once
#include <afxwin.h>

#include "elements/RectElement.h"

class AFX_EXT_CLASS COvalElement : public CGraphicElement
{
public:
    COvalElement(int stateIndex, const ShapeParams* p);
    virtual ~COvalElement();

    // As a rectangle, with Ellipse; invert inverts the elliptic region of bounds.
    virtual void Draw(CDC* pDC, const RECT* pClip);
    virtual BOOL IsOval();
    virtual void ReleaseResources();
};
