// The state element: a display-list entry that marks a change of drawing state. It draws
// nothing and has no region and no bounds, but counts as an element like any other.
#pragma once
#include "elements/GraphicElement.h"

class AFX_EXT_CLASS CStateElement : public CGraphicElement
{
public:
    CStateElement();
    virtual ~CStateElement();

    virtual void Draw(CDC* pDC, const RECT* pClip);
    virtual BOOL IsState();
};
