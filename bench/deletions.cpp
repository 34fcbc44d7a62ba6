// Listed deletions over a long display list: 10,000 element numbers against 10 over 100,000
// painted rectangles (the goal: at most 3 times the time, the cost follows the list, not the
// product of the list and the numbers), and 10,000 region identifiers against 10 over 20,000
// active rectangles whose identifiers none of them names (only the matching is measured). Each
// run deletes from a fresh windowless view; the median of the runs is printed. Reports only;
// always exits 0.
#include <afxwin.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "BenchTiming.h"
#include "view/GraphicView.h"

#include <mirdalux.h>

namespace {

const int kRuns = 5;

CGraphicView* MakeView(int n, const char* verb)
{
    CGraphicView* view = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
    for (int i = 0; i < n; ++i) {
        const int x = i % 100 * 20, y = i / 100 * 20;
        GRAF_SHAPE shape = {verb, {x, y, x + 15, y + 15}, *verb == 'P' ? "GRAY" : "7"};
        Grafic_Dll_Rectangle(view, &shape);
    }
    return view;
}

// Seconds for delete(view, list) on a fresh view of n elements, the median of the runs; the
// list holds k values spread evenly over `span` from `first`.
double Time(int n, const char* verb, int k, int first, int span,
            const std::function<void(CGraphicView*, CUIntArray*)>& remove)
{
    std::vector<double> times;
    for (int r = 0; r < kRuns; ++r) {
        CGraphicView* view = MakeView(n, verb);
        CUIntArray list;
        for (int i = 0; i < k; ++i)
            list.Add(UINT(first + (long long)i * span / k));
        times.push_back(SecondsOf([&] { remove(view, &list); }));
        delete view;
    }
    return Median(times);
}

void Report(const char* what, double few, double many, double goal)
{
    const double ratio = many / few;
    std::printf("%s: 10 in %.3f ms, 10000 in %.3f ms, ratio %.2f", what, few * 1e3, many * 1e3,
                ratio);
    if (goal > 0)
        std::printf(" (goal <= %.0f) %s", goal, ratio <= goal ? "met" : "NOT met");
    std::printf("\n");
}

}  // namespace

int main()
{
    Grafic_Dll_Start();
    const auto numbers = [](CGraphicView* v, CUIntArray* list) {
        Grafic_Dll_Del_Listed_Elt(v, list, TRUE);
    };
    Report("element numbers over 100000 rectangles", Time(100000, "PAINT", 10, 0, 100000, numbers),
           Time(100000, "PAINT", 10000, 0, 100000, numbers), 3);
    const auto ids = [](CGraphicView* v, CUIntArray* list) {
        Grafic_Dll_Del_Listed_Activ_Rgn(v, list);
    };
    Report("region identifiers, none matching, over 20000 active rectangles",
           Time(20000, "ACTIVE", 10, 1000, 1000000, ids),
           Time(20000, "ACTIVE", 10000, 1000, 1000000, ids), 3);
    Grafic_Dll_End();
    return 0;
}
