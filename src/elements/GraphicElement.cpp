// The graphic element base: element count and state-table lifetime, the region, hit-testing,
// highlighting, the default pressed look and the pen inset shared by the shapes.
#include "elements/GraphicElement.h"

#include "elements/ShapeDrawing.h"

#include <stdint.h>

int g_elementCount = 0;

namespace {

// Lightens one channel of a dark pixel: OR, not addition, so the result never overflows.
BYTE LightenChannel(BYTE v)
{
    return (BYTE)(v < 55 ? (v | 120) : (v | 55));
}

int ClampToInt(int64_t v)
{
    if (v > INT32_MAX)
        return INT32_MAX;
    if (v < INT32_MIN)
        return INT32_MIN;
    return (int)v;
}

}  // namespace

CGraphicElement::CGraphicElement(int stateIndex, int verb, int pattern)
    : stateIndex(stateIndex), verb(verb), pattern(pattern), region(NULL), pressed(FALSE),
      highlighted(FALSE), options(OPT_HIGHLIGHT_ACTIVE | OPT_CLICK_ON_RELEASE | OPT_ICON_SELECTION),
      discarded(FALSE)
{
    bounds.SetRectEmpty();
    ++g_elementCount;
}

CGraphicElement::~CGraphicElement()
{
    if (--g_elementCount == 0)
        DestroyStateTable();
}

void CGraphicElement::Draw(CDC*, const RECT*) {}

void CGraphicElement::Highlight(CDC* pDC)
{
    if (pDC == NULL || verb != VERB_ACTIVE || (options & OPT_HIGHLIGHT_ACTIVE) == 0 ||
        region == NULL || region->GetSafeHandle() == NULL)
        return;
    // The clip region goes in device units: moved by the context's origin when scrolled.
    InvertDocRegion(pDC, region);
}

void CGraphicElement::Press(CDC* pDC, BOOL bDraw)
{
    pressed = TRUE;
    if (!bDraw || pDC == NULL)
        return;
    if (HasPressedImage())
        Draw(pDC, NULL);
    else
        DrawPressed(pDC);
}

void CGraphicElement::DrawPressed(CDC* pDC)
{
    if (pDC == NULL || region == NULL || region->GetSafeHandle() == NULL)
        return;
    CRect box;
    if (region->GetRgnBox(&box) == ERROR)
        return;

    // The step follows the unsigned 32-bit area of the box, wrapping as such a product does.
    const uint32_t width = (uint32_t)((int64_t)box.right - box.left);
    const uint32_t height = (uint32_t)((int64_t)box.bottom - box.top);
    const uint32_t area = width * height;
    const int64_t step = area < 8000 ? 2 : (area < 24000 ? 3 : 4);

    // Pixels outside the clip box read as CLR_INVALID (all channels 255) and are skipped, so
    // only the part of the box inside it is walked; the grid keeps its phase from the box.
    int64_t top = box.top, bottom = box.bottom, left = box.left, right = box.right;
    CRect clip;
    switch (pDC->GetClipBox(&clip)) {
    case NULLREGION:
        return;
    case SIMPLEREGION:
    case COMPLEXREGION:
        top = top > clip.top ? top : clip.top;
        bottom = bottom < clip.bottom ? bottom : clip.bottom;
        left = left > clip.left ? left : clip.left;
        right = right < clip.right ? right : clip.right;
        break;
    default:
        break;
    }

    for (int64_t y = top; y < bottom; ++y) {
        const bool evenRow = ((y - box.top) & 1) == 0;
        int64_t x = (int64_t)box.left + (evenRow ? 1 : 0);
        if (x < left)
            x += (left - x + step - 1) / step * step;
        for (; x < right; x += step) {
            if (!region->PtInRegion((int)x, (int)y))
                continue;
            const COLORREF c = pDC->GetPixel((int)x, (int)y);
            const BYTE r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            if ((r + g + b) / 3 > 170)
                continue;
            ::SetPixelV(pDC->m_hDC, (int)x, (int)y,
                        RGB(LightenChannel(r), LightenChannel(g), LightenChannel(b)));
        }
    }
}

void CGraphicElement::Redraw(CDC* pDC)
{
    Draw(pDC, NULL);
}

int CGraphicElement::SetStateIndex(int index)
{
    stateIndex = index;
    return index;
}

BOOL CGraphicElement::GetBounds(CRect*)
{
    return FALSE;
}

BOOL CGraphicElement::GetEndPoint(CDC*, POINT*)
{
    return FALSE;
}

BOOL CGraphicElement::UsesBlinkingFrame()
{
    return TRUE;
}

BOOL CGraphicElement::UsesInversion()
{
    return FALSE;
}

BOOL CGraphicElement::HasHighlightImage()
{
    return FALSE;
}

BOOL CGraphicElement::HasPressedImage()
{
    return FALSE;
}

BOOL CGraphicElement::IsIcon()
{
    return FALSE;
}

BOOL CGraphicElement::IsPicture()
{
    return FALSE;
}

BOOL CGraphicElement::IsText()
{
    return FALSE;
}

BOOL CGraphicElement::IsState()
{
    return FALSE;
}

BOOL CGraphicElement::IsRect()
{
    return FALSE;
}

BOOL CGraphicElement::IsRoundRect()
{
    return FALSE;
}

BOOL CGraphicElement::IsOval()
{
    return FALSE;
}

BOOL CGraphicElement::IsPolygon()
{
    return FALSE;
}

BOOL CGraphicElement::IsArc()
{
    return FALSE;
}

void CGraphicElement::ReleaseResources() {}

void CGraphicElement::SetRegion(CRgn* pNew)
{
    if (pNew == region)
        return;
    if (region != NULL) {
        region->DeleteObject();
        delete region;
    }
    region = pNew;
}

void CGraphicElement::DropRegion()
{
    verb = VERB_NONE;
    SetRegion(NULL);
}

BOOL CGraphicElement::HitTest(const POINT* pt) const
{
    if (pt == NULL || region == NULL || region->GetSafeHandle() == NULL)
        return FALSE;
    return ::PtInRegion((HRGN)region->GetSafeHandle(), pt->x, pt->y) != 0;
}

void CGraphicElement::InsetForPen(CRect& r) const
{
    const CGraphicState* state = LookupState(stateIndex);
    if (state == NULL || state->m_penSize <= 1)
        return;
    const int64_t h = state->m_penSize / 2;
    const int64_t k = (int64_t)state->m_penSize - h - 1;
    r.left = ClampToInt(r.left + h);
    r.top = ClampToInt(r.top + h);
    r.right = ClampToInt(r.right - k);
    r.bottom = ClampToInt(r.bottom - k);
}
