// CPolygonElement: the copy of the host's points, the region of active and click polygons, and
// drawing by verb.
#include "elements/PolygonElement.h"

#include <new>

#include "elements/PolylineElement.h"
#include "elements/ShapeDrawing.h"
#include "state/DcSelection.h"

CPolygonElement::CPolygonElement(int stateIndex, const PolygonParams* p)
    : CGraphicElement(stateIndex, p->verb, p->pattern), pointCount(0), points(NULL)
{
    CopyPointList(p->pointList, points, pointCount, bounds);
    if (verb != VERB_ACTIVE && verb != VERB_CLICK)
        return;
    CRgn* pRgn = new (std::nothrow) CRgn;
    if (pRgn == NULL)
        return;
    // Without points the region holds no GDI object and is never hit.
    if (points != NULL)
        pRgn->CreatePolygonRgn(points, pointCount, WINDING);
    SetRegion(pRgn);
}

CPolygonElement::~CPolygonElement()
{
    CPolygonElement::ReleaseResources();
}

namespace {

// The polygon fill mode set for one draw and put back when the scope ends.
class CPolyFillScope
{
public:
    CPolyFillScope(CDC* pDC, int mode) : m_pDC(pDC), m_old(pDC->SetPolyFillMode(mode)) {}
    ~CPolyFillScope()
    {
        if (m_old != 0)
            m_pDC->SetPolyFillMode(m_old);
    }

private:
    CPolyFillScope(const CPolyFillScope&) = delete;
    void operator=(const CPolyFillScope&) = delete;

    CDC* m_pDC;
    int m_old;
};

}  // namespace

void CPolygonElement::Draw(CDC* pDC, const RECT*)
{
    if (pDC == NULL || points == NULL)
        return;
    CRect r(bounds);
    r.InflateRect(1, 1);
    if (!pDC->RectVisible(&r))
        return;
    CDcSelection selection(pDC, this, SEL_PEN | SEL_BRUSH | SEL_ROP);
    CPolyFillScope fill(pDC, WINDING);
    if (verb != VERB_INVERT) {
        pDC->Polygon(points, pointCount);
        return;
    }
    CRgn rgn;
    if (rgn.CreatePolygonRgn(points, pointCount, WINDING))
        InvertDocRegion(pDC, &rgn);
}

BOOL CPolygonElement::IsPolygon()
{
    return TRUE;
}

void CPolygonElement::ReleaseResources()
{
    if (verb == VERB_ACTIVE || verb == VERB_CLICK)
        SetRegion(NULL);
    delete[] points;
    points = NULL;
}
