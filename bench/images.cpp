// Picture hit masks: builds the mask of an 8-bit DIB of 2048 x 2048 and of 256 x 256 and prints
// the time per pixel of each and their ratio (goal: at most 1.5, the cost grows with the pixels
// and no faster); then asks IsOpaqueAt of a 2048 x 2048 picture and of a 32 x 32 one and prints
// the time per question and their ratio (goal: at most 1.5, a question costs the same whatever
// the picture's size). Reports only; always exits 0.
//
// A large build writes five bytes a pixel into memory the system maps afresh (the DIB's copy
// and the screen-depth bitmap), which a small one finds in the heap already. Where a page fault
// is costly (some sandboxes take microseconds) that alone breaks the goal, so the cost of
// writing as many fresh bytes is measured too and the ratio printed with it taken out.
#include <afxwin.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "BenchTiming.h"
#include "elements/PictureElement.h"

namespace {

const int kRepetitions = 7;

// An 8-bit bottom-up DIB of size x size with a 16-entry grey table, white at index 0, its pixels
// a diagonal pattern of the entries.
HGLOBAL MakeDib(int size)
{
    const size_t stride = (size_t(size) + 3) / 4 * 4;
    const size_t head = sizeof(BITMAPINFOHEADER) + 16 * sizeof(RGBQUAD);
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, head + stride * size);
    BYTE* p = static_cast<BYTE*>(::GlobalLock(h));
    *reinterpret_cast<BITMAPINFOHEADER*>(p) = {
        sizeof(BITMAPINFOHEADER), size, size, 1, 8, BI_RGB, 0, 0, 0, 16, 0};
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(p + sizeof(BITMAPINFOHEADER));
    for (int i = 0; i < 16; ++i) {
        const BYTE v = BYTE(255 - 16 * i);
        table[i] = {v, v, v, 0};
    }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            p[head + stride * y + x] = BYTE((x + y) % 16);
    ::GlobalUnlock(h);
    return h;
}

// An active picture at (0, 0) holding a DIB of size x size, index 3 transparent.
CPictureElement* MakePicture(int size)
{
    CPictureElement* e = new CPictureElement(-1, 0, 0, 0, 0, 1);
    e->SetTransparentIndex(3);
    e->SetPictData(MakeDib(size), TRUE);
    return e;
}

// Seconds per pixel of one mask build, the median of the runs.
double MaskBuild(int size)
{
    CPictureElement* e = MakePicture(size);
    const int builds = size >= 1024 ? 1 : 64;
    std::vector<double> runs;
    for (int i = 0; i < kRepetitions; ++i) {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        for (int k = 0; k < builds; ++k)
            e->BuildHitMask();
        ::QueryPerformanceCounter(&end);
        runs.push_back(Seconds(start, end) / builds / (double(size) * size));
    }
    delete e;
    return Median(runs);
}

// Seconds per IsOpaqueAt question over points spread across the picture, the median of the runs.
double Questions(int size, int& opaque)
{
    CPictureElement* e = MakePicture(size);
    const int kQuestions = 2000;
    std::vector<double> runs;
    for (int i = 0; i < kRepetitions; ++i) {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        for (int k = 0; k < kQuestions; ++k) {
            POINT p = {(k * 7919) % size, (k * 104729) % size};
            opaque += e->IsOpaqueAt(p) ? 1 : 0;
        }
        ::QueryPerformanceCounter(&end);
        runs.push_back(Seconds(start, end) / kQuestions);
    }
    delete e;
    return Median(runs);
}

// Seconds per pixel of writing five bytes a pixel into newly allocated blocks, freed after.
double FreshMemory(int size)
{
    const size_t pixels = size_t(size) * size;
    std::vector<double> runs;
    for (int i = 0; i < kRepetitions; ++i) {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        for (size_t bytes : {pixels, 4 * pixels}) {
            HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
            memset(::GlobalLock(h), 1, bytes);
            ::GlobalUnlock(h);
            ::GlobalFree(h);
        }
        ::QueryPerformanceCounter(&end);
        runs.push_back(Seconds(start, end) / double(pixels));
    }
    return Median(runs);
}

void Report(const char* what, const char* unit, double large, double small)
{
    const double ratio = large / small;
    std::printf("%s\n  large %10.3f %s  small %10.3f %s\n  ratio large/small %.3f  (goal <= 1.5)"
                "  %s\n",
                what, large * 1e9, unit, small * 1e9, unit, ratio,
                ratio <= 1.5 ? "met" : "NOT met");
}

}  // namespace

int main()
{
    const double build = MaskBuild(2048), fresh = FreshMemory(2048), base = MaskBuild(256);
    Report("hit mask build per pixel, 2048 x 2048 against 256 x 256", "ns/pixel", build, base);
    std::printf("  fresh memory %.3f ns/pixel; without it, ratio %.3f  %s\n", fresh * 1e9,
                (build - fresh) / base, (build - fresh) / base <= 1.5 ? "met" : "NOT met");
    int opaque = 0;
    const double large = Questions(2048, opaque), small = Questions(32, opaque);
    Report("IsOpaqueAt per question, 2048 x 2048 against 32 x 32", "ns/question", large, small);
    std::printf("  (%d opaque answers)\n", opaque);
    return 0;
}
