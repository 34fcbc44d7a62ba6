// DibCanvas: a DIB section in a memory DC with pixel access for tests.
#include "DibCanvas.h"

#include <algorithm>

namespace {

uint32_t ToPixel(COLORREF color)
{
    return (uint32_t)GetRValue(color) << 16 | (uint32_t)GetGValue(color) << 8 | GetBValue(color);
}

COLORREF ToColor(uint32_t pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace

DibCanvas::DibCanvas(int width, int height, COLORREF fill)
    : m_width(width > 0 ? width : 1), m_height(height > 0 ? height : 1), m_hBitmap(NULL),
      m_hOldBitmap(NULL), m_hOldPen(NULL), m_hOldBrush(NULL), m_hOldFont(NULL), m_pBits(NULL)
{
    BITMAPINFO bmi;
    ::ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = m_width;
    bmi.bmiHeader.biHeight = -m_height;  // top-down: row 0 is the top
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
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
    if (hdc) {
        // Deselect whatever the test left selected, so the test's objects can be deleted.
        if (m_hOldBitmap) {
            ::SelectObject(hdc, m_hOldPen);
            ::SelectObject(hdc, m_hOldBrush);
            ::SelectObject(hdc, m_hOldFont);
            ::SelectObject(hdc, m_hOldBitmap);
        }
        ::DeleteDC(hdc);
    }
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
}

COLORREF DibCanvas::Pixel(int x, int y) const
{
    if (!m_pBits || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    ::GdiFlush();
    return ToColor(m_pBits[(size_t)y * m_width + x] & 0xFFFFFF);
}

void DibCanvas::Fill(COLORREF color)
{
    if (!m_pBits)
        return;
    ::GdiFlush();
    uint32_t pixel = ToPixel(color);
    for (size_t i = 0, n = (size_t)m_width * m_height; i < n; ++i)
        m_pBits[i] = pixel;
}

// Calls visit(x, y) for each pixel inside rc, clipped to the canvas, whose colour is (matching)
// or is not (!matching) this colour.
template <class Visit>
void DibCanvas::Walk(COLORREF color, const RECT& rc, bool matching, Visit visit) const
{
    if (!m_pBits)
        return;
    ::GdiFlush();
    const int left = rc.left < 0 ? 0 : rc.left, top = rc.top < 0 ? 0 : rc.top;
    const int right = rc.right > m_width ? m_width : rc.right;
    const int bottom = rc.bottom > m_height ? m_height : rc.bottom;
    const uint32_t pixel = ToPixel(color);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (((m_pBits[(size_t)y * m_width + x] & 0xFFFFFF) == pixel) == matching)
                visit(x, y);
}

int DibCanvas::CountPixels(COLORREF color, const RECT& rc) const
{
    int count = 0;
    Walk(color, rc, true, [&](int, int) { ++count; });
    return count;
}

int DibCanvas::CountPixels(COLORREF color) const
{
    return CountPixels(color, CRect(0, 0, m_width, m_height));
}

CRect DibCanvas::Bounds(COLORREF color, const RECT& rc, bool matching) const
{
    CRect box(0, 0, 0, 0);
    Walk(color, rc, matching, [&](int x, int y) {
        box = box.IsRectEmpty()
                  ? CRect(x, y, x + 1, y + 1)
                  : CRect(std::min<int>(x, box.left), std::min<int>(y, box.top),
                          std::max<int>(x + 1, box.right), std::max<int>(y + 1, box.bottom));
    });
    return box;
}

CRect DibCanvas::BoundsOf(COLORREF color, const RECT& rc) const
{
    return Bounds(color, rc, true);
}

CRect DibCanvas::BoundsOf(COLORREF color) const
{
    return Bounds(color, CRect(0, 0, m_width, m_height), true);
}

CRect DibCanvas::BoundsOfOther(COLORREF color) const
{
    return Bounds(color, CRect(0, 0, m_width, m_height), false);
}

const uint32_t* DibCanvas::Bits() const
{
    ::GdiFlush();
    return m_pBits;
}
