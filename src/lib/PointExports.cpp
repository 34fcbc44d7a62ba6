// Exports of the elements built from points: lines from the pen location, polylines and
// polygons. The host's point arrays are read through a temporary copy of their entries and are
// left as they were.
#include "lib/Library.h"

#include "elements/PolygonElement.h"
#include "state/Words.h"
#include "view/GraphicView.h"

namespace {

// The element from the pen location to end.
void AddLineFromPen(CGraphicView* pView, POINT end)
{
    RECT pts;
    pts.left = pView->m_penLocation.x;
    pts.top = pView->m_penLocation.y;
    pts.right = end.x;
    pts.bottom = end.y;
    pView->AddLine(&pts);
}

// Copies the entries (the pointers, not the points) of the host's array into temp; FALSE when
// an entry is null or the copy cannot be allocated.
BOOL CopyEntries(const CObArray& host, CObArray& temp)
{
    for (INT_PTR i = 0; i < host.GetSize(); ++i) {
        if (host.GetAt(i) == NULL)
            return FALSE;
    }
    try {
        temp.InsertAt(0, &host);
    } catch (CException* ex) {
        ex->Delete();
        return FALSE;
    } catch (...) {
        return FALSE;
    }
    return temp.GetSize() == host.GetSize();
}

}  // namespace

void GRAFAPI Grafic_Dll_Line_To_Point(CGraphicView* pView, const POINT* pPoint)
{
    if (pView == NULL || pPoint == NULL)
        return;
    AddLineFromPen(pView, *pPoint);
}

void GRAFAPI Grafic_Dll_Line_Relative(CGraphicView* pView, const POINT* pOffset)
{
    if (pView == NULL || pOffset == NULL)
        return;
    POINT end;
    end.x = WrappingAdd(pView->m_penLocation.x, pOffset->x);
    end.y = WrappingAdd(pView->m_penLocation.y, pOffset->y);
    AddLineFromPen(pView, end);
}

void GRAFAPI Grafic_Dll_Plot_Line(CGraphicView* pView, const CObArray* pPoints)
{
    if (pView == NULL || pPoints == NULL)
        return;
    CObArray temp;
    if (CopyEntries(*pPoints, temp))
        pView->AddPolyline(&temp);
    // The points belong to the host: only the entries go.
    temp.SetSize(0, -1);
}

void GRAFAPI Grafic_Dll_DefPolygon(CGraphicView* pView, GRAF_POLYGON* pBlock)
{
    if (pView == NULL || pBlock == NULL || IsNullString(pBlock->shape.verb) ||
        IsNullString(pBlock->shape.pattern))
        return;
    // The verb first, then the pattern, whose meaning depends on it; the block's rectangle is
    // not read.
    RunGuarded([&] {
        PolygonParams p;
        p.verb = ParseVerb(pBlock->shape.verb);
        p.pattern = ParsePattern(p.verb, pBlock->shape.pattern);
        CObArray temp;
        if (CopyEntries(pBlock->points, temp)) {
            p.pointList = &temp;
            pView->AddPolygon(&p);
        }
        temp.SetSize(0, -1);
    });
}
