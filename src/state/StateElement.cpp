// The state element: marks a change of drawing state in the display list and draws nothing.
#include "state/StateElement.h"

CStateElement::CStateElement() : CGraphicElement(0, 0, 0) {}

CStateElement::~CStateElement() {}

void CStateElement::Draw(CDC*, const RECT*) {}

BOOL CStateElement::IsState()
{
    return TRUE;
}
