// Draws 100,000 rectangles through CDC with a CPen and CBrush selected, and the same through raw
// GDI calls, into the same kind of DIB section, and prints the times and the ratio CDC/raw
// (goal: at most 1.05). A second pair selects the pen and brush around every rectangle, which
// exercises the temporary wrappers SelectObject hands back; it has no goal and is printed for
// the record. Reports only; always exits 0.
#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <DibCanvas.h>

#include "BenchTiming.h"

namespace {

const int kRectangles = 100000;
const int kRepetitions = 7;
const int kSize = 512;

std::vector<RECT> MakeRectangles()
{
    std::vector<RECT> rects(kRectangles);
    unsigned seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return (int)((seed >> 8) % (unsigned)range);
    };
    for (RECT& r : rects) {
        r.left = next(kSize - 64);
        r.top = next(kSize - 64);
        r.right = r.left + 2 + next(62);
        r.bottom = r.top + 2 + next(62);
    }
    return rects;
}

double DrawRaw(const std::vector<RECT>& rects, DibCanvas& canvas, bool selectEach)
{
    HDC hdc = canvas.Hdc();
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(200, 0, 0));
    HBRUSH brush = ::CreateSolidBrush(RGB(0, 0, 200));
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    if (selectEach) {
        for (const RECT& r : rects) {
            HGDIOBJ oldPen = ::SelectObject(hdc, pen);
            HGDIOBJ oldBrush = ::SelectObject(hdc, brush);
            ::Rectangle(hdc, r.left, r.top, r.right, r.bottom);
            ::SelectObject(hdc, oldPen);
            ::SelectObject(hdc, oldBrush);
        }
    } else {
        HGDIOBJ oldPen = ::SelectObject(hdc, pen);
        HGDIOBJ oldBrush = ::SelectObject(hdc, brush);
        for (const RECT& r : rects)
            ::Rectangle(hdc, r.left, r.top, r.right, r.bottom);
        ::SelectObject(hdc, oldPen);
        ::SelectObject(hdc, oldBrush);
    }
    ::GdiFlush();
    ::QueryPerformanceCounter(&end);
    ::DeleteObject(pen);
    ::DeleteObject(brush);
    return Seconds(start, end);
}

double DrawThroughCDC(const std::vector<RECT>& rects, DibCanvas& canvas, bool selectEach)
{
    CDC& dc = canvas.Dc();
    CPen pen(PS_SOLID, 1, RGB(200, 0, 0));
    CBrush brush(RGB(0, 0, 200));
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    if (selectEach) {
        for (const RECT& r : rects) {
            CPen* oldPen = dc.SelectObject(&pen);
            CBrush* oldBrush = dc.SelectObject(&brush);
            dc.Rectangle(&r);
            dc.SelectObject(oldPen);
            dc.SelectObject(oldBrush);
        }
    } else {
        CPen* oldPen = dc.SelectObject(&pen);
        CBrush* oldBrush = dc.SelectObject(&brush);
        for (const RECT& r : rects)
            dc.Rectangle(&r);
        dc.SelectObject(oldPen);
        dc.SelectObject(oldBrush);
    }
    ::GdiFlush();
    ::QueryPerformanceCounter(&end);
    AfxUnlockTempMaps();
    return Seconds(start, end);
}

void Run(const char* name, bool selectEach, bool hasGoal, const std::vector<RECT>& rects)
{
    DibCanvas rawCanvas(kSize, kSize), cdcCanvas(kSize, kSize);
    std::vector<double> raw, cdc;
    // Interleaved, alternating which goes first, so drift affects both alike.
    for (int i = 0; i < kRepetitions; ++i) {
        if (i % 2) {
            raw.push_back(DrawRaw(rects, rawCanvas, selectEach));
            cdc.push_back(DrawThroughCDC(rects, cdcCanvas, selectEach));
        } else {
            cdc.push_back(DrawThroughCDC(rects, cdcCanvas, selectEach));
            raw.push_back(DrawRaw(rects, rawCanvas, selectEach));
        }
    }
    bool same = std::equal(rawCanvas.Bits(), rawCanvas.Bits() + kSize * kSize, cdcCanvas.Bits());
    double rawMedian = Median(raw), cdcMedian = Median(cdc);
    double rawBest = *std::min_element(raw.begin(), raw.end());
    double cdcBest = *std::min_element(cdc.begin(), cdc.end());
    std::printf("%s: %d rectangles, %d runs\n", name, kRectangles, kRepetitions);
    std::printf("  raw GDI  median %8.2f ms  best %8.2f ms\n", rawMedian * 1e3, rawBest * 1e3);
    std::printf("  CDC      median %8.2f ms  best %8.2f ms\n", cdcMedian * 1e3, cdcBest * 1e3);
    const char* goal = !hasGoal                        ? "(no goal)"
                       : cdcMedian / rawMedian <= 1.05 ? "(goal <= 1.05)  met"
                                                       : "(goal <= 1.05)  NOT met";
    std::printf("  ratio CDC/raw  median %.3f  best %.3f  %s; pictures %s\n", cdcMedian / rawMedian,
                cdcBest / rawBest, goal, same ? "identical" : "DIFFER");
}

}  // namespace

int main()
{
    std::vector<RECT> rects = MakeRectangles();
    Run("rectangles, pen and brush selected once", false, true, rects);
    Run("rectangles, pen and brush selected around each", true, false, rects);
    return 0;
}
