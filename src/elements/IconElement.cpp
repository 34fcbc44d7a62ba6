// CIconElement: asking the host for the image, placing the label, the region, and drawing with
// the selected look.
#include "elements/IconElement.h"

#include <algorithm>
#include <new>
#include <vector>

#include "elements/ShapeDrawing.h"
#include "lib/Library.h"
#include "state/DcSelection.h"
#include "state/MeasureDC.h"

namespace {
const int kCell = 32;  // icons are drawn in a 32x32 cell
// Coordinates near the ends of the 32-bit range wrap instead of overflowing.
LONG Add(LONG a, LONG b)
{
    return WrappingAdd(a, b);
}
}  // namespace

CIconElement::CIconElement(int stateIndex, const IconParams* p)
    : CGraphicElement(stateIndex, p->regionId != 0 ? VERB_ACTIVE : VERB_NONE, p->regionId),
      iconNumber(p->iconNumber), label(p->label), hIcon(NULL)
{
    position.x = p->x;
    position.y = p->y;
    labelRect.SetRectEmpty();
    FindIcon(iconNumber);
    MeasureLabel();
    const LONG x = position.x, y = position.y;
    bounds.SetRect(x, y, Add(x, kCell), Add(y, kCell));
    if (!labelRect.IsRectEmpty()) {
        bounds.left = std::min(bounds.left, labelRect.left);
        bounds.right = std::max(bounds.right, labelRect.right);
        bounds.bottom = std::max(bounds.bottom, labelRect.bottom);
    }
    if (verb == VERB_ACTIVE)
        BuildRegion();
}

CIconElement::~CIconElement()
{
    CIconElement::ReleaseResources();
}

void CIconElement::FindIcon(int number)
{
    if (number == 0)
        return;
    ResourceRequest request;
    if (!RequestHostResource(RES_ICON, number, 0, request))
        return;
    if (request.handle != 0)
        hIcon = static_cast<HICON>(request.handle);
}

CFont* CIconElement::CreateLabelFont()
{
    CFont* pFont = new (std::nothrow) CFont;
    if (pFont != NULL &&
        !pFont->CreateFont(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                           OUT_STROKE_PRECIS, CLIP_STROKE_PRECIS, DRAFT_QUALITY,
                           VARIABLE_PITCH | FF_SWISS, _T("Arial"))) {
        delete pFont;
        pFont = NULL;
    }
    return pFont;
}

void CIconElement::MeasureLabel()
{
    if (label.IsEmpty())
        return;
    CMeasureDC measure;
    CDC* pDC = measure.Get();
    if (pDC == NULL)
        return;
    CSize size;
    {
        CDcSelection font(pDC, CreateLabelFont());
        size = pDC->GetTextExtent(label, label.GetLength());
    }
    // Centred under the cell, the division truncating toward zero as C's does.
    const LONG left = Add(position.x, kCell / 2 - size.cx / 2);
    const LONG top = Add(position.y, kCell);
    labelRect.SetRect(left, top, Add(left, size.cx), Add(top, size.cy));
}

void CIconElement::BuildRegion()
{
    CRgn* pRgn = new (std::nothrow) CRgn;
    if (pRgn == NULL)
        return;
    const LONG left = Add(position.x, -1), top = Add(position.y, -1);
    const LONG right = Add(position.x, kCell + 1), bottom = Add(position.y, kCell);
    BOOL made;
    if (labelRect.IsRectEmpty()) {
        made = pRgn->CreateRectRgn(left, top, right, Add(bottom, 1));
    } else {
        // Down the cell's left side, around the label, up the right side.
        const CRect& L = labelRect;
        POINT outline[8] = {{left, top},        {left, bottom},      {L.left, L.top},
                            {L.left, L.bottom}, {L.right, L.bottom}, {L.right, L.top},
                            {right, bottom},    {right, top}};
        made = pRgn->CreatePolygonRgn(outline, 8, WINDING);
    }
    if (!made) {
        delete pRgn;
        return;
    }
    SetRegion(pRgn);
}

void CIconElement::Draw(CDC* pDC, const RECT*)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    const BOOL bSelectionLook = (options & OPT_ICON_SELECTION) != 0;
    const int oldBkMode = pDC->SetBkMode(bSelectionLook ? OPAQUE : TRANSPARENT);
    if (hIcon != NULL) {
        pDC->DrawIcon(position.x, position.y, hIcon);
        if (pressed)
            DrawSelectionTint(pDC->GetSafeHdc(), hIcon, position.x, position.y);
    }
    {
        CDcSelection font(pDC, CreateLabelFont());
        const BOOL bColours = pressed && bSelectionLook;
        COLORREF oldBk = 0, oldText = 0;
        if (bColours) {
            oldBk = pDC->SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
            oldText = pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
        }
        // Also for an empty label: with ETO_OPAQUE it is the same call either way.
        pDC->ExtTextOut(labelRect.left, labelRect.top, bSelectionLook ? ETO_OPAQUE : 0, &labelRect,
                        label, label.GetLength(), NULL);
        if (bColours) {
            pDC->SetTextColor(oldText);
            pDC->SetBkColor(oldBk);
        }
    }
    pDC->SetBkMode(oldBkMode);
}

void CIconElement::DrawSelectionTint(HDC hdc, HICON hIcon, int x, int y)
{
    ICONINFO info;
    if (!::GetIconInfo(hIcon, &info))
        return;
    // The caller of GetIconInfo owns both bitmaps; a monochrome icon has no colour bitmap and a
    // mask twice as high, whose upper half is its AND mask.
    BITMAP bm;
    if (::GetObject(info.hbmMask, sizeof bm, &bm) == sizeof bm && bm.bmWidth > 0 &&
        bm.bmHeight > 0) {
        const int w = bm.bmWidth;
        const int h = info.hbmColor != NULL ? bm.bmHeight : bm.bmHeight / 2;
        // GetBitmapBits pads each row to a word: for a 32-pixel mask that is w / 8 bytes a row.
        const size_t rowBytes = static_cast<size_t>(bm.bmWidthBytes);
        std::vector<BYTE> bits;
        try {
            bits.resize(rowBytes * static_cast<size_t>(bm.bmHeight));
        } catch (...) {
            bits.clear();
        }
        if (h > 0 && !bits.empty() &&
            ::GetBitmapBits(info.hbmMask, static_cast<LONG>(bits.size()), bits.data()) > 0) {
            // Every second pixel of each row made transparent, shifted by one on the next row.
            const size_t used = rowBytes * static_cast<size_t>(h);
            for (size_t i = 0; i < used; ++i)
                bits[i] |= (i % 8) < 4 ? 0x55 : 0xAA;
            CBitmap mask, colour;
            CDC maskDC, colourDC;
            BOOL ready;
            {
                CClientDC screen(NULL);
                ready = screen.GetSafeHdc() != NULL && mask.CreateBitmap(w, h, 1, 1, bits.data()) &&
                        colour.CreateCompatibleBitmap(&screen, w, h) &&
                        maskDC.CreateCompatibleDC(&screen) && colourDC.CreateCompatibleDC(&screen);
            }
            if (ready) {
                CBitmap* pOldMask = maskDC.SelectObject(&mask);
                CBitmap* pOldColour = colourDC.SelectObject(&colour);
                CBrush caption;
                if (caption.CreateSolidBrush(::GetSysColor(COLOR_ACTIVECAPTION))) {
                    CBrush* pOldBrush = colourDC.SelectObject(&caption);
                    colourDC.PatBlt(0, 0, w, h, PATCOPY);
                    colourDC.SelectObject(pOldBrush);
                }
                ::BitBlt(hdc, x, y, w, h, colourDC.GetSafeHdc(), 0, 0, SRCINVERT);
                // A monochrome source takes the target's text colour for 0 and background
                // colour for 1: black and white keep the drawn pixels where the mask is 1.
                const COLORREF oldText = ::SetTextColor(hdc, RGB(0, 0, 0));
                const COLORREF oldBk = ::SetBkColor(hdc, RGB(255, 255, 255));
                ::BitBlt(hdc, x, y, w, h, maskDC.GetSafeHdc(), 0, 0, SRCAND);
                ::SetBkColor(hdc, oldBk);
                ::SetTextColor(hdc, oldText);
                ::BitBlt(hdc, x, y, w, h, colourDC.GetSafeHdc(), 0, 0, SRCINVERT);
                maskDC.SelectObject(pOldMask);
                colourDC.SelectObject(pOldColour);
            }
        }
    }
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);
}

void CIconElement::Press(CDC* pDC, BOOL bDraw)
{
    CGraphicElement::Press(pDC, FALSE);
    if (bDraw)
        Draw(pDC, NULL);
}

BOOL CIconElement::IsIcon()
{
    return TRUE;
}

void CIconElement::ReleaseResources()
{
    ReleaseShapeRegion(this);
}

void CIconElement::SetIconHandle(HICON hNew)
{
    hIcon = hNew;
}

BOOL CIconElement::HasIcon()
{
    return hIcon != NULL;
}
