// CGraphicView: the element-creating operations of the elements built from points (line,
// polyline, polygon). Each interns the view's drawing state, builds the element and appends it,
// drawn at once.
#include "view/GraphicView.h"

#include <new>

#include "elements/LineElement.h"
#include "elements/PolygonElement.h"
#include "elements/PolylineElement.h"

namespace {

// TRUE when some entry of the list points to a point: an element built from such a list without
// points could not allocate them.
BOOL HoldsAnyPoint(const CObArray* pointList)
{
    for (INT_PTR i = 0; i < pointList->GetSize(); ++i) {
        if (pointList->GetAt(i) != NULL)
            return TRUE;
    }
    return FALSE;
}

// Appends e, drawn at once, unless its points could not be copied: a failed allocation leaves
// no element.
template <class Element>
void AddPointElement(CGraphicView* pView, Element* e, const CObArray* pointList)
{
    if (e != NULL && e->points == NULL && HoldsAnyPoint(pointList)) {
        delete e;
        return;
    }
    pView->AddElement(e, TRUE);
}

}  // namespace

void CGraphicView::AddLine(const RECT* pts)
{
    if (pts != NULL)
        AddElement(new (std::nothrow) CLineElement(InternState(), pts), TRUE);
}

void CGraphicView::AddPolyline(const CObArray* pointList)
{
    if (pointList != NULL)
        AddPointElement(this, new (std::nothrow) CPolylineElement(InternState(), pointList),
                        pointList);
}

void CGraphicView::AddPolygon(const PolygonParams* p)
{
    if (p != NULL && p->pointList != NULL)
        AddPointElement(this, new (std::nothrow) CPolygonElement(InternState(), p), p->pointList);
}
