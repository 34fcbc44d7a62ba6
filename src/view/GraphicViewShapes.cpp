// CGraphicView: the element-creating operations of the closed shapes. Each interns the view's
// drawing state, builds the element from the host's record and appends it, drawn at once.
#include "view/GraphicView.h"

#include <new>

#include "elements/ArcElement.h"
#include "elements/OvalElement.h"
#include "elements/RectElement.h"
#include "elements/RoundRectElement.h"

namespace {

// The allocation comes before the arguments are evaluated, so a failed one leaves no element
// and interns no state.
template <class Element, class Params> void AddShape(CGraphicView* pView, const Params* p)
{
    if (p != NULL)
        pView->AddElement(new (std::nothrow) Element(pView->InternState(), p), TRUE);
}

}  // namespace

void CGraphicView::AddRectangle(const ShapeParams* p)
{
    AddShape<CRectElement>(this, p);
}

void CGraphicView::AddOval(const ShapeParams* p)
{
    AddShape<COvalElement>(this, p);
}

void CGraphicView::AddRoundRectangle(const RoundRectParams* p)
{
    AddShape<CRoundRectElement>(this, p);
}

void CGraphicView::AddArc(const ArcParams* p)
{
    AddShape<CArcElement>(this, p);
}
