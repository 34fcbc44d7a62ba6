// Repaints 10,000 closed shapes of every kind, verb and pattern with Grafic_Dll_RepaintView into
// a DIB section, and the same shapes with hand-written GDI making the same objects and calls
// (background fill, visibility test, pen, brush, pattern bitmap, raster operation, background
// mode, drawing call, restore, delete), in the same run; prints the ratio library/GDI (goal: at
// most 1.05) and whether both pictures are identical. Then draws shapes of hostile sizes one at
// a time and prints the slowest (goal: under 100 ms). Reports only; always exits 0.
#include <afxwin.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "view/GraphicView.h"

#include <mirdalux.h>

#include <DibCanvas.h>

#include "BenchTiming.h"

namespace {

const int kShapes = 10000;
const int kRepetitions = 15;
const int kSize = 512;
const int kPenSize = 2;
const COLORREF kFore = RGB(200, 30, 60);
const COLORREF kBack = RGB(240, 240, 200);
const int kStart = 30;  // every arc: from 1 o'clock over 240 degrees
const int kSweep = 240;

enum Kind { kRect, kRoundRect, kOval, kArc };

struct Combo {
    const char* verb;
    const char* pattern;
    int verbCode;
    int patternCode;
};

const Combo kCombos[] = {
    {"FRAME", "", VERB_FRAME, PAT_EMPTY},    {"PAINT", "", VERB_PAINT, PAT_EMPTY},
    {"ERASE", "", VERB_ERASE, PAT_EMPTY},    {"INVERT", "", VERB_INVERT, PAT_EMPTY},
    {"FILL", "WHITE", VERB_FILL, PAT_WHITE}, {"FILL", "LTGRAY", VERB_FILL, PAT_LTGRAY},
    {"FILL", "GRAY", VERB_FILL, PAT_GRAY},   {"FILL", "DKGRAY", VERB_FILL, PAT_DKGRAY},
    {"FILL", "BLACK", VERB_FILL, PAT_BLACK}, {"FILL", "X", VERB_FILL, PAT_OTHER},
};
const int kComboCount = sizeof(kCombos) / sizeof(kCombos[0]);

struct Shape {
    Kind kind;
    const Combo* combo;
    RECT rc;
};

std::vector<Shape> MakeShapes()
{
    std::vector<Shape> shapes(kShapes);
    unsigned seed = 4242;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return (int)((seed >> 8) % (unsigned)range);
    };
    for (int i = 0; i < kShapes; ++i) {
        Shape& s = shapes[i];
        s.kind = (Kind)(i % 4);
        s.combo = &kCombos[(i / 4) % kComboCount];
        s.rc.left = next(kSize - 64);
        s.rc.top = next(kSize - 64);
        s.rc.right = s.rc.left + 4 + next(60);
        s.rc.bottom = s.rc.top + 4 + next(60);
    }
    return shapes;
}

// --- The library -------------------------------------------------------------------------

CGraphicView* MakeView(const std::vector<Shape>& shapes)
{
    CGraphicView* view = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
    int pen = kPenSize;
    Grafic_Dll_Set_Pen_Size(view, &pen);
    Grafic_Dll_Set_Fognd_Color(view, kFore);
    Grafic_Dll_Set_Bkgnd_Color(view, kBack);
    for (const Shape& s : shapes) {
        GRAF_SHAPE block;
        block.verb = s.combo->verb;
        block.pattern = s.combo->pattern;
        block.rect = s.rc;
        switch (s.kind) {
        case kRect:
            Grafic_Dll_Rectangle(view, &block);
            break;
        case kOval:
            Grafic_Dll_Oval(view, &block);
            break;
        case kRoundRect: {
            GRAF_ROUNDRECT r = {12, 10, block};
            Grafic_Dll_Round_Rectangle(view, &r);
            break;
        }
        case kArc: {
            GRAF_ARC a = {kStart, kSweep, block};
            Grafic_Dll_Arc(view, &a);
            break;
        }
        }
    }
    return view;
}

double DrawLibrary(CGraphicView* view, DibCanvas& canvas)
{
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    Grafic_Dll_RepaintView(view, &canvas.Dc());
    ::GdiFlush();
    ::QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

// --- Hand-written GDI with the same objects and calls ------------------------------------

HGLOBAL MakePatternBlock(int pattern, COLORREF fore)
{
    static const BYTE rows[3][2][4] = {
        {{0x00, 0x10, 0x00, 0x10}, {0x10, 0x00, 0x10, 0x00}},
        {{0x01, 0x01, 0x01, 0x01}, {0x10, 0x10, 0x10, 0x10}},
        {{0x11, 0x01, 0x11, 0x01}, {0x01, 0x11, 0x01, 0x11}},
    };
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 204);
    BYTE* p = h != NULL ? (BYTE*)::GlobalLock(h) : NULL;
    if (p == NULL)
        return h;
    BITMAPINFOHEADER* bih = (BITMAPINFOHEADER*)p;
    bih->biSize = 40;
    bih->biWidth = 8;
    bih->biHeight = 8;
    bih->biPlanes = 1;
    bih->biBitCount = 4;
    p[40] = p[41] = p[42] = 255;
    p[44] = GetBValue(fore);
    p[45] = GetGValue(fore);
    p[46] = GetRValue(fore);
    for (int row = 0; row < 8; ++row)
        std::memcpy(p + 104 + row * 4, rows[pattern - PAT_LTGRAY][row & 1], 4);
    ::GlobalUnlock(h);
    return h;
}

HBRUSH MakeBrush(HDC hdc, const Combo& c)
{
    LOGBRUSH hollow = {BS_HOLLOW, 0, 0};
    switch (c.verbCode) {
    case VERB_FRAME:
        return ::CreateBrushIndirect(&hollow);
    case VERB_PAINT:
        return ::CreateSolidBrush(kFore);
    case VERB_ERASE:
        return ::CreateSolidBrush(kBack != 0 ? kBack : ::GetBkColor(hdc));
    case VERB_FILL:
        switch (c.patternCode) {
        case PAT_WHITE:
            return ::CreateSolidBrush(kBack);
        case PAT_BLACK:
            return ::CreateSolidBrush(kFore);
        case PAT_LTGRAY:
        case PAT_GRAY:
        case PAT_DKGRAY: {
            HGLOBAL h = MakePatternBlock(c.patternCode, kFore);
            const void* p = ::GlobalLock(h);
            HBRUSH b = ::CreateDIBPatternBrushPt(p, DIB_RGB_COLORS);
            ::GlobalUnlock(h);
            ::GlobalFree(h);
            return b;
        }
        default:
            return NULL;
        }
    default:
        return NULL;
    }
}

POINT RadialPoint(const RECT& rc, int theta)
{
    const double rx = (rc.right - rc.left) * 0.5, ry = (rc.bottom - rc.top) * 0.5;
    const double a = 6.283185307 - theta * 3.1415926535 * (1.0 / 180.0);
    POINT pt = {rc.left + (LONG)std::trunc(rx) - (LONG)std::trunc(std::sin(a) * rx),
                rc.top + (LONG)std::trunc(ry) - (LONG)std::trunc(std::cos(a) * ry)};
    return pt;
}

void InvertWithClip(HDC hdc, HRGN rgn)
{
    ::SelectClipRgn(hdc, rgn);
    ::InvertRgn(hdc, rgn);
    ::SelectClipRgn(hdc, NULL);
    ::DeleteObject(rgn);
}

// The arc's inverted wedge: 30 over 240 degrees passes all four corners.
HRGN WedgeRegion(const RECT& r)
{
    const int rx = (r.right - r.left) / 2, ry = (r.bottom - r.top) / 2;
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    auto at = [&](int theta) {
        const double phi = theta * 3.1415926536 * (1.0 / 180.0);
        POINT p = {cx + (LONG)std::floor(std::sin(phi) * rx),
                   cy - (LONG)std::floor(std::cos(phi) * ry)};
        return p;
    };
    POINT pts[] = {{cx, cy},           at(kStart),      {r.right, r.top},   {r.right, r.bottom},
                   {r.left, r.bottom}, {r.left, r.top}, at(kStart + kSweep)};
    HRGN poly = ::CreatePolygonRgn(pts, 7, WINDING);
    HRGN ellipse = ::CreateEllipticRgnIndirect(&r);
    HRGN dest = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(dest, poly, ellipse, RGN_AND);
    ::DeleteObject(poly);
    ::DeleteObject(ellipse);
    return dest;
}

double DrawRaw(const std::vector<Shape>& shapes, DibCanvas& canvas)
{
    HDC hdc = canvas.Hdc();
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    HBRUSH back = ::CreateSolidBrush(RGB(255, 255, 255));
    RECT all = {0, 0, 0, 0};  // the library fills the client area of a windowless view: empty
    ::FillRect(hdc, &all, back);
    ::DeleteObject(back);
    ::SetMapMode(hdc, MM_TEXT);
    for (const Shape& s : shapes) {
        RECT n = s.rc;
        if (!::RectVisible(hdc, &n))
            continue;
        const Combo& c = *s.combo;
        const bool solid = c.verbCode == VERB_FRAME || c.verbCode == VERB_PAINT;
        const int oldExtra = ::GetTextCharacterExtra(hdc);
        const int oldBk = ::SetBkMode(hdc, solid ? OPAQUE : TRANSPARENT);
        HPEN pen = ::CreatePen(solid ? PS_SOLID : PS_NULL, kPenSize, kFore);
        HGDIOBJ oldPen = ::SelectObject(hdc, pen);
        const COLORREF oldText = ::SetTextColor(hdc, kFore);
        HBRUSH brush = MakeBrush(hdc, c);
        HGDIOBJ oldBrush = brush != NULL ? ::SelectObject(hdc, brush) : NULL;
        const int oldRop = ::SetROP2(hdc, R2_COPYPEN);
        RECT r = s.rc;
        if (solid) {
            r.left += kPenSize / 2;
            r.top += kPenSize / 2;
            r.right -= kPenSize - kPenSize / 2 - 1;
            r.bottom -= kPenSize - kPenSize / 2 - 1;
        } else if (c.verbCode != VERB_INVERT) {
            ++r.right;
            ++r.bottom;
        }
        const POINT end = RadialPoint(s.rc, kStart + kSweep), begin = RadialPoint(s.rc, kStart);
        if (c.verbCode == VERB_INVERT) {
            switch (s.kind) {
            case kRect:
                ::InvertRect(hdc, &s.rc);
                break;
            case kRoundRect:
                InvertWithClip(hdc, ::CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, 12, 10));
                break;
            case kOval:
                InvertWithClip(hdc, ::CreateEllipticRgnIndirect(&s.rc));
                break;
            case kArc: {
                RECT g = {r.left, r.top, r.right + 1, r.bottom + 1};
                InvertWithClip(hdc, WedgeRegion(g));
                break;
            }
            }
        } else {
            switch (s.kind) {
            case kRect:
                ::Rectangle(hdc, r.left, r.top, r.right, r.bottom);
                break;
            case kRoundRect:
                ::RoundRect(hdc, r.left, r.top, r.right, r.bottom, 12, 10);
                break;
            case kOval:
                ::Ellipse(hdc, r.left, r.top, r.right, r.bottom);
                break;
            case kArc:
                if (c.verbCode == VERB_FRAME)
                    ::Arc(hdc, r.left, r.top, r.right, r.bottom, end.x, end.y, begin.x, begin.y);
                else
                    ::Pie(hdc, r.left, r.top, r.right, r.bottom, end.x, end.y, begin.x, begin.y);
                break;
            }
        }
        ::SelectObject(hdc, oldPen);
        ::SetTextColor(hdc, oldText);
        if (brush != NULL)
            ::SelectObject(hdc, oldBrush);
        ::DeleteObject(pen);
        if (brush != NULL)
            ::DeleteObject(brush);
        ::SetROP2(hdc, oldRop);
        ::SetTextCharacterExtra(hdc, oldExtra);
        ::SetBkMode(hdc, oldBk);
    }
    ::GdiFlush();
    ::QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

// --- Hostile sizes -----------------------------------------------------------------------

void RunHostile()
{
    const int lo = INT_MIN, hi = INT_MAX;
    struct Case {
        const char* what;
        Kind kind;
        const char* verb;
        int pen;
        RECT rc;
    } cases[] = {
        {"oval, paint, +-2^31", kOval, "PAINT", 1, {lo, lo, hi, hi}},
        {"oval, frame, +-10^7", kOval, "FRAME", 1, {-10000000, -10000000, 10000000, 10000000}},
        {"oval, invert, +-2^31", kOval, "INVERT", 1, {lo, lo, hi, hi}},
        {"oval, frame, pen 10^6", kOval, "FRAME", 1000000, {0, 0, 300, 200}},
        {"rounded, fill, +-2^31", kRoundRect, "FILL", 1, {lo, lo, hi, hi}},
        {"rounded, invert, +-2^31", kRoundRect, "INVERT", 1, {lo, lo, hi, hi}},
        {"arc, frame, +-2^31", kArc, "FRAME", 1, {lo, lo, hi, hi}},
        {"arc, paint, +-2^31", kArc, "PAINT", 1, {lo, lo, hi, hi}},
        {"arc, invert, +-2^31", kArc, "INVERT", 1, {lo, lo, hi, hi}},
        {"arc, paint, pen 2^31-1", kArc, "PAINT", hi, {lo, lo, hi, hi}},
        {"rectangle, frame, pen 10^6", kRect, "FRAME", 1000000, {0, 0, 300, 200}},
        {"rectangle, erase, reversed +-2^31", kRect, "ERASE", 1, {hi, hi, lo, lo}},
    };
    double slowest = 0.0;
    const char* slowestWhat = "";
    for (const Case& c : cases) {
        DibCanvas canvas(kSize, kSize);
        CGraphicView* view = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
        int pen = c.pen;
        Grafic_Dll_Set_Pen_Size(view, &pen);
        GRAF_SHAPE block;
        block.verb = c.verb;
        block.pattern = "GRAY";
        block.rect = c.rc;
        GRAF_ROUNDRECT r = {INT_MAX, INT_MIN, block};
        GRAF_ARC a = {kStart, kSweep, block};
        switch (c.kind) {
        case kRect:
            Grafic_Dll_Rectangle(view, &block);
            break;
        case kOval:
            Grafic_Dll_Oval(view, &block);
            break;
        case kRoundRect:
            Grafic_Dll_Round_Rectangle(view, &r);
            break;
        case kArc:
            Grafic_Dll_Arc(view, &a);
            break;
        }
        const double t = DrawLibrary(view, canvas);
        delete view;
        std::printf("  %-36s %8.2f ms\n", c.what, t * 1e3);
        if (t > slowest) {
            slowest = t;
            slowestWhat = c.what;
        }
    }
    std::printf("  slowest hostile shape: %s, %.2f ms (goal < 100 ms) %s\n", slowestWhat,
                slowest * 1e3, slowest < 0.1 ? "met" : "NOT met");
}

// Compares the two pictures one kind, verb and pattern at a time, leaving out the alpha byte
// (GDI's inversions flip it, its fills do not set it). Wine does not always draw an ellipse the
// same way twice in a run, so each side draws twice: a group agrees when some pair of its
// pictures is identical, and differs only when each side repeats itself exactly.
void ComparePictures(const std::vector<Shape>& shapes)
{
    auto differing = [](const DibCanvas& a, const DibCanvas& b) {
        int n = 0;
        for (int i = 0; i < kSize * kSize; ++i)
            n += ((a.Bits()[i] ^ b.Bits()[i]) & 0xFFFFFF) != 0;
        return n;
    };
    int same = 0, unsteady = 0, differ = 0;
    for (int kind = kRect; kind <= kArc; ++kind) {
        for (const Combo& combo : kCombos) {
            std::vector<Shape> group;
            for (const Shape& s : shapes)
                if (s.kind == kind && s.combo == &combo)
                    group.push_back(s);
            DibCanvas lib[2] = {DibCanvas(kSize, kSize), DibCanvas(kSize, kSize)};
            DibCanvas raw[2] = {DibCanvas(kSize, kSize), DibCanvas(kSize, kSize)};
            for (int i = 0; i < 2; ++i) {
                CGraphicView* view = MakeView(group);
                DrawLibrary(view, lib[i]);
                delete view;
                DrawRaw(group, raw[i]);
            }
            int fewest = INT_MAX;
            for (const DibCanvas& l : lib)
                for (const DibCanvas& r : raw)
                    fewest = std::min(fewest, differing(l, r));
            if (fewest == 0) {
                ++same;
            } else if (differing(lib[0], lib[1]) != 0 || differing(raw[0], raw[1]) != 0) {
                ++unsteady;
            } else {
                ++differ;
                std::printf("  pictures DIFFER: kind %d, %s %s: %d pixels\n", kind, combo.verb,
                            combo.pattern, fewest);
            }
        }
    }
    std::printf("  pictures per kind, verb and pattern: %d identical, %d not repeatable by GDI, %d "
                "differ\n",
                same, unsteady, differ);
}

}  // namespace

int main()
{
    const std::vector<Shape> shapes = MakeShapes();
    CGraphicView* view = MakeView(shapes);
    DibCanvas libCanvas(kSize, kSize), rawCanvas(kSize, kSize);
    std::vector<double> lib, raw;
    for (int i = 0; i < kRepetitions; ++i) {
        libCanvas.Fill(RGB(255, 255, 255));
        rawCanvas.Fill(RGB(255, 255, 255));
        // Interleaved, alternating which goes first, so drift affects both alike.
        if (i % 2) {
            raw.push_back(DrawRaw(shapes, rawCanvas));
            lib.push_back(DrawLibrary(view, libCanvas));
        } else {
            lib.push_back(DrawLibrary(view, libCanvas));
            raw.push_back(DrawRaw(shapes, rawCanvas));
        }
    }
    delete view;
    const double libMedian = Median(lib), rawMedian = Median(raw);
    std::printf("shapes: %d shapes of 4 kinds by %d verbs and patterns, %d runs\n", kShapes,
                kComboCount, kRepetitions);
    std::printf("  hand-written GDI  median %8.2f ms\n", rawMedian * 1e3);
    std::printf("  RepaintView       median %8.2f ms\n", libMedian * 1e3);
    std::printf("  ratio library/GDI %.3f (goal <= 1.05) %s\n", libMedian / rawMedian,
                libMedian / rawMedian <= 1.05 ? "met" : "NOT met");
    ComparePictures(shapes);
    std::printf("hostile sizes, one shape each:\n");
    RunHostile();
    return 0;
}
