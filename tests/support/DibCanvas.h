// DibCanvas: a 32-bit top-down DIB section selected into a memory DC, for tests that draw
// through CDC and read the pixels back.
//
//   DibCanvas canvas(64, 32);             // white unless another colour is given
//   canvas.Dc().Rectangle(4, 4, 20, 20);  // any drawing through the CDC
//   EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(4, 4));
//   EXPECT_EQ(16 * 16 - 14 * 14, canvas.CountPixels(RGB(0, 0, 0), CRect(0, 0, 64, 32)));
//   EXPECT_EQ(CRect(4, 4, 20, 20), canvas.BoundsOf(RGB(0, 0, 0)));
//
// The canvas makes its DC and bitmap with the raw API and attaches the DC to its CDC, so it does
// not move the live-object counters. The DC's original bitmap, pen, brush and font are put
// back before it is deleted, whatever the test selected.
#pragma once
#include <afxwin.h>

#include <cstdint>

class DibCanvas
{
public:
    explicit DibCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~DibCanvas();

    CDC& Dc() { return m_dc; }
    HDC Hdc() const { return m_dc.m_hDC; }
    HBITMAP Bitmap() const { return m_hBitmap; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // The pixel at (x, y) as a COLORREF; CLR_INVALID outside the canvas. Flushes GDI first.
    COLORREF Pixel(int x, int y) const;
    // Fills the whole canvas with one colour, bypassing GDI.
    void Fill(COLORREF color);
    // How many pixels inside rc (clipped to the canvas) have exactly this colour.
    int CountPixels(COLORREF color, const RECT& rc) const;
    int CountPixels(COLORREF color) const { return CountPixels(color, Whole()); }
    // The smallest rectangle holding every pixel inside rc (clipped to the canvas), or on the
    // whole canvas, that has exactly this colour; BoundsOfOther: every pixel that has another
    // colour. An empty rectangle (0, 0, 0, 0) when there is none.
    CRect BoundsOf(COLORREF color, const RECT& rc) const { return Bounds(color, rc, true); }
    CRect BoundsOf(COLORREF color) const { return Bounds(color, Whole(), true); }
    CRect BoundsOfOther(COLORREF color) const { return Bounds(color, Whole(), false); }
    // The raw pixels, 0x00RRGGBB, row by row from the top.
    const uint32_t* Bits() const;

private:
    CRect Whole() const { return CRect(0, 0, m_width, m_height); }
    CRect Bounds(COLORREF color, const RECT& rc, bool matching) const;
    template <class Visit>
    void Walk(COLORREF color, const RECT& rc, bool matching, Visit visit) const;

    int m_width;
    int m_height;
    CDC m_dc;
    HBITMAP m_hBitmap = NULL;
    HGDIOBJ m_hOldBitmap = NULL, m_hOldPen = NULL, m_hOldBrush = NULL, m_hOldFont = NULL;
    uint32_t* m_pBits = NULL;
};
