// Builds and draws polylines and polygons of 10,000 and 100,000 points through the library's
// elements, and the same points copied and drawn with hand-written GDI, in the same run. Prints
// the time per point at both sizes (goal: the larger list costs at most 1.5 times as much per
// point, i.e. linear time) and the ratio library/GDI at 100,000 points (goal: at most 1.2).
// Reports only; always exits 0.
#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "elements/PolygonElement.h"
#include "elements/PolylineElement.h"
#include "view/GraphicView.h"

#include <mirdalux.h>

#include <DibCanvas.h>

#include "BenchTiming.h"

namespace {

const int kRepetitions = 7;
const int kSize = 512;

// A zigzag across the canvas: every point inside, so nothing is skipped.
std::vector<POINT> Zigzag(int n)
{
    std::vector<POINT> pts((size_t)n);
    for (int i = 0; i < n; ++i) {
        pts[(size_t)i].x = 10 + (i * 7) % (kSize - 20);
        pts[(size_t)i].y = 10 + (i / 64) % (kSize - 20);
    }
    return pts;
}

// The library: an element built from the host's list (one copy of the points) and drawn.
double LibraryRun(CGraphicView* view, CObArray& list, bool polygon, DibCanvas& canvas)
{
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    CGraphicElement* e;
    if (polygon) {
        PolygonParams p = {VERB_PAINT, PAT_EMPTY, &list};
        e = new CPolygonElement(view->InternState(), &p);
    } else {
        e = new CPolylineElement(view->InternState(), &list);
    }
    e->Draw(&canvas.Dc(), NULL);
    delete e;
    ::QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

// By hand: the same copy and the same GDI objects and call.
double GdiRun(CObArray& list, bool polygon, DibCanvas& canvas)
{
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    const INT_PTR n = list.GetSize();
    POINT* pts = new POINT[(size_t)n];
    for (INT_PTR i = 0; i < n; ++i)
        pts[i] = *reinterpret_cast<const POINT*>(list.GetAt(i));
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HBRUSH brush = ::CreateSolidBrush(RGB(0, 0, 0));
    HGDIOBJ oldPen = ::SelectObject(canvas.Hdc(), pen);
    HGDIOBJ oldBrush = ::SelectObject(canvas.Hdc(), brush);
    int oldRop = ::SetROP2(canvas.Hdc(), R2_COPYPEN);
    if (polygon) {
        int oldFill = ::SetPolyFillMode(canvas.Hdc(), WINDING);
        ::Polygon(canvas.Hdc(), pts, (int)n);
        ::SetPolyFillMode(canvas.Hdc(), oldFill);
    } else {
        ::Polyline(canvas.Hdc(), pts, (int)n);
    }
    ::SetROP2(canvas.Hdc(), oldRop);
    ::SelectObject(canvas.Hdc(), oldBrush);
    ::SelectObject(canvas.Hdc(), oldPen);
    ::DeleteObject(brush);
    ::DeleteObject(pen);
    delete[] pts;
    ::QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

}  // namespace

int main()
{
    CGraphicView* view = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
    if (view == NULL) {
        std::printf("no view\n");
        return 0;
    }
    DibCanvas canvas(kSize, kSize);
    for (bool polygon : {false, true}) {
        double perPoint[2] = {0, 0};
        double gdi100k = 0, lib100k = 0;
        const int sizes[2] = {10000, 100000};
        for (int s = 0; s < 2; ++s) {
            std::vector<POINT> pts = Zigzag(sizes[s]);
            CObArray list;
            list.SetSize(sizes[s]);
            for (int i = 0; i < sizes[s]; ++i)
                list.SetAt(i, reinterpret_cast<CObject*>(&pts[(size_t)i]));
            std::vector<double> lib, gdi;
            for (int r = 0; r < kRepetitions; ++r) {
                lib.push_back(LibraryRun(view, list, polygon, canvas));
                gdi.push_back(GdiRun(list, polygon, canvas));
            }
            perPoint[s] = Median(lib) / sizes[s];
            if (s == 1) {
                lib100k = Median(lib);
                gdi100k = Median(gdi);
            }
            std::printf("%s of %6d points: library median %8.2f ms, GDI by hand %8.2f ms\n",
                        polygon ? "polygon " : "polyline", sizes[s], Median(lib) * 1e3,
                        Median(gdi) * 1e3);
        }
        const double growth = perPoint[1] / perPoint[0];
        const double ratio = lib100k / gdi100k;
        std::printf("  per-point cost 100,000/10,000  %.2f  (goal <= 1.5)  %s\n", growth,
                    growth <= 1.5 ? "met" : "NOT met");
        std::printf("  library/GDI at 100,000         %.2f  (goal <= 1.2)  %s\n", ratio,
                    ratio <= 1.2 ? "met" : "NOT met");
    }
    delete view;
    return 0;
}
