// CPolylineElement: the copy of the host's points, drawing and the end point.
#include "elements/PolylineElement.h"

#include <new>

#include "state/DcSelection.h"

void AFXAPI CopyPointList(const CObArray* pointList, POINT*& points, int& count, CRect& box)
{
    points = NULL;
    count = 0;
    box.SetRectEmpty();
    box.left = 65535;
    box.top = 65535;
    if (pointList == NULL)
        return;
    const INT_PTR size = pointList->GetSize();
    if (size <= 0 || size > INT_MAX)
        return;
    points = new (std::nothrow) POINT[static_cast<size_t>(size)];
    if (points == NULL)
        return;
    const CObject* const* entries = pointList->GetData();
    for (INT_PTR i = 0; i < size; ++i) {
        const POINT* pt = reinterpret_cast<const POINT*>(entries[i]);
        if (pt == NULL)
            continue;
        points[count++] = *pt;
        if (pt->x < box.left)
            box.left = pt->x;
        if (pt->x > box.right)
            box.right = pt->x;
        if (pt->y < box.top)
            box.top = pt->y;
        if (pt->y > box.bottom)
            box.bottom = pt->y;
    }
    if (count == 0) {
        delete[] points;
        points = NULL;
    }
}

CPolylineElement::CPolylineElement(int stateIndex, const CObArray* pointList)
    : CGraphicElement(stateIndex, VERB_NONE, -2), pointCount(0), points(NULL)
{
    CopyPointList(pointList, points, pointCount, bounds);
}

CPolylineElement::~CPolylineElement()
{
    CPolylineElement::ReleaseResources();
}

void CPolylineElement::Draw(CDC* pDC, const RECT*)
{
    if (pDC == NULL)
        return;
    CRect r(bounds);
    r.InflateRect(1, 1);
    if (!pDC->RectVisible(&r))
        return;
    CDcSelection selection(pDC, this, SEL_PEN | SEL_BRUSH | SEL_ROP);
    if (points != NULL)
        pDC->Polyline(points, pointCount);
}

BOOL CPolylineElement::GetEndPoint(CDC*, POINT* pOut)
{
    if (points == NULL || pointCount < 1 || pOut == NULL)
        return FALSE;
    *pOut = points[pointCount - 1];
    return TRUE;
}

void CPolylineElement::ReleaseResources()
{
    delete[] points;
    points = NULL;
}
