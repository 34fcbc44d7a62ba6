// DibCanvas: a DIB section in a memory DC with pixel access for tests.
#include "DibCanvas.h"

#include <algorithm>

namespace {

uint32_t ToPixel(COLORREF color)
{
    return (uint32_t)GetRValue(color) << 16 | (uint32_t)GetGValue(color) << 8 | GetBValue(color);
}

}  // namespace

DibCanvas::DibCanvas(int width, int height, COLORREF fill)
    : m_width(width > 0 ? width : 1), m_height(height > 0 ? height : 1)
{
    BITMAPINFO bmi = {};
    // Negative height: top-down, row 0 is the top.
    bmi.bmiHeader = {sizeof(bmi.bmiHeader), m_width, -m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = NULL;
    m_hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    m_pBits = static_cast<uint32_t*>(pBits);
    HDC hdc = ::CreateCompatibleDC(NULL);
    if (hdc && m_hBitmap) {
        m_hOldBitmap = ::SelectObject(hdc, m_hBitmap);
        m_hOldPen = ::GetCurrentObject(hdc, OBJ_PEN);
        m_hOldBrush = ::GetCurrentObject(hdc, OBJ_BRUSH);
        m_hOldFont = ::GetCurrentObject(hdc, OBJ_FONT);
    }
    m_dc.Attach(hdc);
    Fill(fill);
}

DibCanvas::~DibCanvas()
{
    HDC hdc = m_dc.Detach();
    // Deselect whatever the test left selected, so the test's objects can be deleted.
    if (hdc && m_hOldBitmap)
        for (HGDIOBJ old : {m_hOldPen, m_hOldBrush, m_hOldFont, m_hOldBitmap})
            ::SelectObject(hdc, old);
    ::DeleteDC(hdc);  // both calls are harmless on NULL
    ::DeleteObject(m_hBitmap);
}

COLORREF DibCanvas::Pixel(int x, int y) const
{
    if (!m_pBits || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    const uint32_t pixel = Bits()[(size_t)y * m_width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void DibCanvas::Fill(COLORREF color)
{
    ::GdiFlush();
    if (m_pBits)
        std::fill(m_pBits, m_pBits + (size_t)m_width * m_height, ToPixel(color));
}

// Calls visit(x, y) for each pixel inside rc, clipped to the canvas, whose colour is (matching)
// or is not (!matching) this colour.
template <class Visit>
void DibCanvas::Walk(COLORREF color, const RECT& rc, bool matching, Visit visit) const
{
    const uint32_t* bits = Bits();
    if (!bits)
        return;
    const CRect clipped = CRect(rc) & Whole();
    const uint32_t pixel = ToPixel(color);
    for (int y = clipped.top; y < clipped.bottom; ++y)
        for (int x = clipped.left; x < clipped.right; ++x)
            if (((bits[(size_t)y * m_width + x] & 0xFFFFFF) == pixel) == matching)
                visit(x, y);
}

int DibCanvas::CountPixels(COLORREF color, const RECT& rc) const
{
    int count = 0;
    Walk(color, rc, true, [&](int, int) { ++count; });
    return count;
}

CRect DibCanvas::Bounds(COLORREF color, const RECT& rc, bool matching) const
{
    CRect box(0, 0, 0, 0);
    Walk(color, rc, matching, [&](int x, int y) { box |= CRect(x, y, x + 1, y + 1); });
    return box;
}

const uint32_t* DibCanvas::Bits() const
{
    ::GdiFlush();
    return m_pBits;
}
