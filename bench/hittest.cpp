// Hit tests through the view's index: a view of many region elements (active and click
// rectangles, ovals and rounded rectangles of mixed sizes, overlapping, 1 in 200 a large one,
// 1 in 50 an active icon) against one of a hundredth as many, spread over a document whose
// height grows with the count so that the regions are as dense in both. Prints the time per
// ElementAt at random points of which half hit a region and half miss every one, at both sizes,
// and their ratio (goal: at most 2, the cost barely grows with the count); beside it the index's
// lookup alone (the first candidate whose box holds the point, without the exact test of its
// region) and the walk of the whole list at the same points; and the number of points where the
// index's answer differs from the walk's (must be 0). Reports only; always exits 0.
//
// What grows with the count is not the work but where it lies: the few candidates and their
// elements, regions and the system's region records are spread over far more memory, which the
// processor's caches no longer hold.
//
// Each region is one GDI object. The goal is 100,000 elements, but a process may hold only so
// many GDI objects (Windows' default quota is 10,000; Wine's table held about 65,460 regions
// when this was written): the bench first counts how many regions it can make and, when 100,000
// do not fit, says so and measures the largest multiple of 10,000 that fits with room to spare.
#include <afxwin.h>

#include <cstdio>
#include <random>
#include <vector>

#include "BenchTiming.h"
#include "view/GraphicView.h"

#include <mirdalux.h>

namespace {

const int kWanted = 100000;
const int kSpare = 3000;  // GDI objects left for contexts, fonts and the rest of the process
const int kWidth = 2000;
const int kQuestions = 2000;
const int kRepetitions = 21;

// How many regions the process can hold at once (up to kWanted + kSpare); all freed again.
int RegionRoom()
{
    std::vector<HRGN> made;
    while ((int)made.size() < kWanted + kSpare) {
        HRGN h = ::CreateRectRgn(0, 0, 1, 1);
        if (h == NULL)
            break;
        made.push_back(h);
    }
    for (HRGN h : made)
        ::DeleteObject(h);
    return (int)made.size();
}

// A windowless view of n region elements over a document kWidth wide and 2n high.
CGraphicView* MakeView(int n, std::mt19937& rng)
{
    CGraphicView* view = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
    auto any = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int i = 0; i < n; ++i) {
        const int x = any(0, kWidth - 1), y = any(0, 2 * n - 1);
        const int size = i % 200 == 199 ? 800 : any(0, 3) == 0 ? 60 : 20;
        const CRect rc(x, y, x + any(4, size), y + any(4, size));
        const CString verb = i % 2 ? "ACTIVE" : "CLICK", id = "1";
        GRAF_SHAPE shape = {verb, rc, id};
        GRAF_ROUNDRECT round = {12, 12, shape};
        const GRAF_ICON icon = {x, y, 1, 1, "icon"};
        if (i % 50 == 49)
            Grafic_Dll_Icon(view, &icon);
        else if (i % 3 == 0)
            Grafic_Dll_Oval(view, &shape);
        else if (i % 3 == 1)
            Grafic_Dll_Round_Rectangle(view, &round);
        else
            Grafic_Dll_Rectangle(view, &shape);
    }
    return view;
}

// kQuestions random points of the view's document, half of them on a region and half on none.
std::vector<POINT> Questions(CGraphicView* view, int n, std::mt19937& rng)
{
    std::vector<POINT> hits, misses;
    while ((int)hits.size() < kQuestions / 2 || (int)misses.size() < kQuestions / 2) {
        const POINT p = {std::uniform_int_distribution<int>(0, kWidth - 1)(rng),
                         std::uniform_int_distribution<int>(0, 2 * n - 1)(rng)};
        std::vector<POINT>& bucket = view->ElementAt(p) != NULL ? hits : misses;
        if ((int)bucket.size() < kQuestions / 2)
            bucket.push_back(p);
    }
    hits.insert(hits.end(), misses.begin(), misses.end());
    return hits;
}

// Seconds per question, the median of the runs.
template <class Ask> double PerQuestion(const std::vector<POINT>& points, int runs, Ask ask)
{
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        for (const POINT& p : points)
            ask(p);
        ::QueryPerformanceCounter(&end);
        times.push_back(Seconds(start, end) / points.size());
    }
    return Median(times);
}

struct Result {
    double index, lookup, walk;
    int differing;
};

Result Measure(int n, std::mt19937& rng)
{
    CGraphicView* view = MakeView(n, rng);
    const std::vector<POINT> points = Questions(view, n, rng);
    Result r;
    r.index = PerQuestion(points, kRepetitions, [view](POINT p) { view->ElementAt(p); });
    r.lookup =
        PerQuestion(points, kRepetitions, [view](POINT p) { view->m_regionIndex.FindByBox(p); });
    r.walk = PerQuestion(points, 1, [view](POINT p) { view->ElementAtByWalk(p); });
    r.differing = 0;
    for (const POINT& p : points)
        r.differing += view->ElementAt(p) != view->ElementAtByWalk(p);
    std::printf("%6d elements: index %7.3f us (its lookup alone %7.3f us), walk %10.3f us per "
                "question; %d of %d differ\n",
                n, r.index * 1e6, r.lookup * 1e6, r.walk * 1e6, r.differing, (int)points.size());
    delete view;
    return r;
}

}  // namespace

int main()
{
    Grafic_Dll_Start();
    const int room = RegionRoom();
    int large = kWanted;
    if (room < kWanted + kSpare) {
        large = (room - kSpare) / 10000 * 10000;
        std::printf("this process holds at most %d regions: %d elements measured instead of %d\n",
                    room, large, kWanted);
    }
    std::mt19937 rng(2024);
    const Result small = Measure(large / 100, rng);
    const Result big = Measure(large, rng);
    const double ratio = big.index / small.index;
    std::printf("index ratio %d / %d: %.2f (goal <= 2) %s; differing answers %d (must be 0) %s\n",
                large, large / 100, ratio, ratio <= 2 ? "met" : "NOT met",
                small.differing + big.differing,
                small.differing + big.differing == 0 ? "met" : "NOT met");
    Grafic_Dll_End();
    return 0;
}
