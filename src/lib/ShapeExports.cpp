// Exports of the closed shapes: decode the block's verb and pattern words, fill the
// construction record and hand it to the view, which appends the element and draws it.
#include "lib/Library.h"

#include "elements/ArcElement.h"
#include "elements/RectElement.h"
#include "elements/RoundRectElement.h"
#include "state/Words.h"
#include "view/GraphicView.h"

namespace {

// The verb first, then the pattern, whose meaning depends on it; both strings are upper-cased
// in place (the pattern not when it holds a region identifier). FALSE, and nothing read, when
// either string is missing.
BOOL FillShapeParams(GRAF_SHAPE* pBlock, ShapeParams& p)
{
    if (IsNullString(pBlock->verb) || IsNullString(pBlock->pattern))
        return FALSE;
    p.verb = ParseVerb(pBlock->verb);
    p.pattern = ParsePattern(p.verb, pBlock->pattern);
    p.left = pBlock->rect.left;
    p.top = pBlock->rect.top;
    p.right = pBlock->rect.right;
    p.bottom = pBlock->rect.bottom;
    return TRUE;
}

}  // namespace

void GRAFAPI Grafic_Dll_Rectangle(CGraphicView* pView, GRAF_SHAPE* pBlock)
{
    if (pView == NULL || pBlock == NULL)
        return;
    RunGuarded([&] {
        ShapeParams p;
        if (FillShapeParams(pBlock, p))
            pView->AddRectangle(&p);
    });
}

void GRAFAPI Grafic_Dll_Oval(CGraphicView* pView, GRAF_SHAPE* pBlock)
{
    if (pView == NULL || pBlock == NULL)
        return;
    RunGuarded([&] {
        ShapeParams p;
        if (FillShapeParams(pBlock, p))
            pView->AddOval(&p);
    });
}

void GRAFAPI Grafic_Dll_Round_Rectangle(CGraphicView* pView, GRAF_ROUNDRECT* pBlock)
{
    if (pView == NULL || pBlock == NULL)
        return;
    RunGuarded([&] {
        RoundRectParams p;
        if (!FillShapeParams(&pBlock->shape, p))
            return;
        p.cornerWidth = pBlock->cornerWidth;
        p.cornerHeight = pBlock->cornerHeight;
        pView->AddRoundRectangle(&p);
    });
}

void GRAFAPI Grafic_Dll_Arc(CGraphicView* pView, GRAF_ARC* pBlock)
{
    if (pView == NULL || pBlock == NULL)
        return;
    RunGuarded([&] {
        ArcParams p;
        if (!FillShapeParams(&pBlock->shape, p))
            return;
        p.startAngle = pBlock->startAngle;
        p.arcAngle = pBlock->arcAngle;
        pView->AddArc(&p);
    });
}
