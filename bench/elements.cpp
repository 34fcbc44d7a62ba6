// Appends 10,000 each of lines, 20-point polylines, 20-point polygons, texts and text boxes to
// views through the exports and repaints each view with Grafic_Dll_RepaintView into a DIB
// section; in the same run, hand-written GDI does the same work. Prints per kind and overall
// the append ratio and the repaint ratio library/GDI (repaint goal: at most 1.05) and whether
// both pictures are identical. Reports only; always exits 0.
//
// Repaint: the hand-written side makes the objects and calls each element makes when it draws,
// in the same order: the background fill of the (empty) client area, the mapping mode, then per
// element the visibility test (polylines, polygons, text boxes), background mode, a new pen and
// text colour, the polygon's brush, the raster operation, a new font and spacing for texts, the
// drawing call, and the restoring selections and deletions.
//
// Append: the views have no window, so appending draws nothing and measures what it costs the
// library to keep an element: the export's copy of the host's arguments, the interning of the
// drawing state, the element's copy of its points or string, a text's measurement (its bounds on
// a memory context, then its width again on the screen's context to move the pen, as the view
// measures on the context of its window) and the widening of the scroll range. The hand-written
// side does what a program keeping its own picture must do per element: copy the points or the
// string into its own records, and for a text make its font and measure the string once, on one
// memory context kept for the run, to know its extent and where the next text starts. Each call
// is timed alone on both sides (the texts' pen placements are not timed). The library's append
// is dominated by the context the view takes from its window on every append to follow the pen
// (the screen's here, tens of microseconds under Wine); only the repaint carries a goal.
#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "view/GraphicView.h"

#include <DibCanvas.h>
#include <mirdalux.h>

#include "BenchTiming.h"

namespace {

const int kCount = 10000;
const int kPointsEach = 20;
const int kAppendRuns = 5;
// Repaints: at least kRepaintRuns pairs, more for the quick kinds, up to about kRepaintBudget
// seconds a side, so that short repaints also give a steady median.
const int kRepaintRuns = 15;
const double kRepaintBudget = 1.5;
const int kSize = 512;
const COLORREF kFore = RGB(200, 30, 60);
const COLORREF kBack = RGB(240, 240, 200);
// The second half of the texts and text boxes: 9 points, bold (face stored as the default
// "Arial", so the font's face is upper-cased and its height follows the device).
const int kStyledPoints = 9;

// --- The scene -----------------------------------------------------------------------------

struct PointList {
    std::vector<POINT> pts;
    std::vector<CObject*> entries;  // what the host's array holds: pointers to the points
    int verb;                       // polygons: VERB_FRAME, VERB_PAINT or VERB_ERASE
};

struct TextItem {
    CString text;
    POINT origin;
    bool styled;
};

struct BoxItem {
    RECT rc;
    char align;
    BOOL framed;
    CString text;
    bool styled;
};

struct Scene {
    std::vector<POINT> lineEnds;  // each line runs from the previous end (the pen) to this one
    std::vector<PointList> polylines;
    std::vector<PointList> polygons;
    std::vector<TextItem> texts;
    std::vector<BoxItem> boxes;
};

class Random
{
public:
    int Next(int range)
    {
        m_seed = m_seed * 1103515245u + 12345u;
        return (int)((m_seed >> 8) % (unsigned)range);
    }

private:
    unsigned m_seed = 2024;
};

void MakePointLists(Random& rnd, std::vector<PointList>& lists, bool polygons)
{
    static const int kVerbs[] = {VERB_FRAME, VERB_PAINT, VERB_ERASE};
    lists.resize(kCount);
    for (int i = 0; i < kCount; ++i) {
        PointList& l = lists[(size_t)i];
        const int x0 = rnd.Next(kSize - 80), y0 = rnd.Next(kSize - 80);
        for (int k = 0; k < kPointsEach; ++k) {
            POINT p = {x0 + rnd.Next(80), y0 + rnd.Next(80)};
            l.pts.push_back(p);
        }
        for (POINT& p : l.pts)
            l.entries.push_back(reinterpret_cast<CObject*>(&p));
        l.verb = polygons ? kVerbs[i % 3] : VERB_NONE;
    }
}

Scene MakeScene()
{
    static const char* const kWords[] = {"alpha",   "beta", "gamma", "delta",
                                         "epsilon", "zeta", "eta",   "theta"};
    static const char kAligns[] = {'L', 'C', 'R'};
    Scene s;
    Random rnd;
    for (int i = 0; i < kCount; ++i) {
        POINT p = {rnd.Next(kSize), rnd.Next(kSize)};
        s.lineEnds.push_back(p);
    }
    MakePointLists(rnd, s.polylines, false);
    MakePointLists(rnd, s.polygons, true);
    for (int i = 0; i < kCount; ++i) {
        TextItem t;
        t.text.Format("%s %d", kWords[i % 8], i);
        t.origin.x = rnd.Next(kSize - 60);
        t.origin.y = 12 + rnd.Next(kSize - 12);
        t.styled = i >= kCount / 2;
        s.texts.push_back(t);
    }
    for (int i = 0; i < kCount; ++i) {
        BoxItem b;
        b.rc.left = rnd.Next(kSize - 100);
        b.rc.top = rnd.Next(kSize - 60);
        b.rc.right = b.rc.left + 60 + rnd.Next(100);
        b.rc.bottom = b.rc.top + 30 + rnd.Next(50);
        b.align = kAligns[i % 3];
        b.framed = (i / 3) % 2;
        b.text.Format("%s %s %s %d", kWords[i % 8], kWords[(i / 8) % 8], kWords[(i / 64) % 8], i);
        b.styled = i >= kCount / 2;
        s.boxes.push_back(b);
    }
    return s;
}

enum Kind { kLines, kPolylines, kPolygons, kTexts, kBoxes, kKinds };
const char* const kKindNames[kKinds] = {"lines", "polylines", "polygons", "texts", "text boxes"};

// --- The library ---------------------------------------------------------------------------

CGraphicView* NewView()
{
    CGraphicView* view = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
    Grafic_Dll_Set_Fognd_Color(view, kFore);
    Grafic_Dll_Set_Bkgnd_Color(view, kBack);
    return view;
}

// Switches the view to the styled text state (size and bold).
void StyleText(CGraphicView* view)
{
    Grafic_Dll_Set_Text_Size(view, kStyledPoints);
    CStringArray words;
    words.Add("BOLD");
    Grafic_Dll_Set_Text_Style(view, &words);
}

double Elapsed(const std::function<void()>& call)
{
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    call();
    ::QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

// A view holding every element of one kind; *appendTime receives the time of the appends alone.
CGraphicView* AppendLibrary(const Scene& s, Kind kind, double* appendTime)
{
    CGraphicView* view = NewView();
    double t = 0;
    for (int i = 0; i < kCount; ++i) {
        switch (kind) {
        case kLines: {
            const POINT& p = s.lineEnds[(size_t)i];
            t += Elapsed([&] { Grafic_Dll_Line_To_Point(view, &p); });
            break;
        }
        case kPolylines: {
            const PointList& l = s.polylines[(size_t)i];
            CObArray list;
            list.SetSize(kPointsEach);
            for (int k = 0; k < kPointsEach; ++k)
                list.SetAt(k, l.entries[(size_t)k]);
            t += Elapsed([&] { Grafic_Dll_Plot_Line(view, &list); });
            break;
        }
        case kPolygons: {
            const PointList& l = s.polygons[(size_t)i];
            GRAF_POLYGON block;
            block.shape.verb = l.verb == VERB_FRAME   ? "FRAME"
                               : l.verb == VERB_PAINT ? "PAINT"
                                                      : "ERASE";
            block.shape.pattern = "";
            block.shape.rect = CRect(0, 0, 0, 0);
            block.points.SetSize(kPointsEach);
            for (int k = 0; k < kPointsEach; ++k)
                block.points.SetAt(k, l.entries[(size_t)k]);
            t += Elapsed([&] { Grafic_Dll_DefPolygon(view, &block); });
            break;
        }
        case kTexts: {
            const TextItem& item = s.texts[(size_t)i];
            if (i == kCount / 2)
                StyleText(view);
            Grafic_Dll_Set_Pen_Location(view, &item.origin);
            t += Elapsed([&] { Grafic_Dll_Draw_Text(view, &item.text); });
            break;
        }
        case kBoxes: {
            const BoxItem& b = s.boxes[(size_t)i];
            if (i == kCount / 2)
                StyleText(view);
            GRAF_TEXTBOX block;
            block.rect = b.rc;
            block.align = CString(b.align, 1);
            block.framed = b.framed;
            block.text = b.text;
            t += Elapsed([&] { Grafic_Dll_Draw_Text_Box(view, &block); });
            break;
        }
        default:
            break;
        }
    }
    *appendTime = t;
    return view;
}

double RepaintLibrary(CGraphicView* view, DibCanvas& canvas)
{
    return Elapsed([&] {
        Grafic_Dll_RepaintView(view, &canvas.Dc());
        ::GdiFlush();
    });
}

// --- Hand-written GDI ----------------------------------------------------------------------

LOGFONT TextFont(HDC hdc, bool styled)
{
    LOGFONT lf;
    std::memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -13;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfOutPrecision = OUT_STROKE_PRECIS;
    lf.lfClipPrecision = CLIP_STROKE_PRECIS;
    lf.lfQuality = DRAFT_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strcpy(lf.lfFaceName, "Arial");
    if (styled) {
        lf.lfHeight = -(::GetDeviceCaps(hdc, LOGPIXELSY) * kStyledPoints / 72);
        lf.lfWeight = FW_BOLD;
        std::strcpy(lf.lfFaceName, "ARIAL");
    }
    return lf;
}

// One element's selection and its undoing, call for call as an element selects its state:
// background mode, pen and text colour, brush, raster operation, font and spacing; then pen and
// text colour, brush, font back, the objects deleted, raster operation, spacing and background
// mode back.
class RawSelection
{
public:
    RawSelection(HDC hdc, int verb, bool rop, HBRUSH brush, const LOGFONT* font)
        : m_hdc(hdc), m_brush(brush)
    {
        const bool opaque = verb == VERB_FRAME || verb == VERB_PAINT;
        const bool solid = opaque || verb == VERB_NONE;
        m_extra = ::GetTextCharacterExtra(hdc);
        m_bkMode = ::SetBkMode(hdc, opaque ? OPAQUE : TRANSPARENT);
        m_pen = ::CreatePen(solid ? PS_SOLID : PS_NULL, 1, kFore);
        m_oldPen = ::SelectObject(hdc, m_pen);
        m_textColor = ::SetTextColor(hdc, kFore);
        if (brush != NULL)
            m_oldBrush = ::SelectObject(hdc, brush);
        if (rop)
            m_rop = ::SetROP2(hdc, R2_COPYPEN);
        if (font != NULL) {
            if (::GetMapMode(hdc) != MM_TEXT)
                ::SetMapMode(hdc, MM_TEXT);
            m_font = ::CreateFontIndirect(font);
            m_oldFont = ::SelectObject(hdc, m_font);
            ::SetTextCharacterExtra(hdc, m_extra);
        }
    }
    ~RawSelection()
    {
        ::SelectObject(m_hdc, m_oldPen);
        ::SetTextColor(m_hdc, m_textColor);
        if (m_brush != NULL)
            ::SelectObject(m_hdc, m_oldBrush);
        if (m_font != NULL)
            ::SelectObject(m_hdc, m_oldFont);
        ::DeleteObject(m_pen);
        if (m_brush != NULL)
            ::DeleteObject(m_brush);
        if (m_font != NULL)
            ::DeleteObject(m_font);
        if (m_rop != 0)
            ::SetROP2(m_hdc, m_rop);
        ::SetTextCharacterExtra(m_hdc, m_extra);
        ::SetBkMode(m_hdc, m_bkMode);
    }

private:
    HDC m_hdc;
    HBRUSH m_brush;
    HPEN m_pen = NULL;
    HFONT m_font = NULL;
    HGDIOBJ m_oldPen = NULL, m_oldBrush = NULL, m_oldFont = NULL;
    COLORREF m_textColor = 0;
    int m_extra = 0, m_bkMode = 0, m_rop = 0;
};

HBRUSH PolygonBrush(int verb)
{
    LOGBRUSH hollow = {BS_HOLLOW, 0, 0};
    switch (verb) {
    case VERB_FRAME:
        return ::CreateBrushIndirect(&hollow);
    case VERB_PAINT:
        return ::CreateSolidBrush(kFore);
    default:
        return ::CreateSolidBrush(kBack);
    }
}

// The records a program keeps to redraw its own picture.
struct RawPoints {
    POINT* pts;
    int count;
    RECT box;
    int verb;
};

struct RawText {
    CString text;
    POINT origin;
    RECT box;
    bool styled;
};

struct RawPicture {
    std::vector<RECT> lines;
    std::vector<RawPoints> points;
    std::vector<RawText> texts;
    std::vector<BoxItem> boxes;

    ~RawPicture()
    {
        for (RawPoints& p : points)
            delete[] p.pts;
    }
};

RawPoints CopyPoints(const std::vector<CObject*>& entries, int verb)
{
    RawPoints r = {new POINT[entries.size()], (int)entries.size(), {65535, 65535, 0, 0}, verb};
    for (size_t k = 0; k < entries.size(); ++k) {
        const POINT& p = *reinterpret_cast<const POINT*>(entries[k]);
        r.pts[k] = p;
        r.box.left = std::min(r.box.left, p.x);
        r.box.top = std::min(r.box.top, p.y);
        r.box.right = std::max(r.box.right, p.x);
        r.box.bottom = std::max(r.box.bottom, p.y);
    }
    return r;
}

double AppendRaw(const Scene& s, Kind kind, RawPicture& pic)
{
    HDC measure = ::CreateCompatibleDC(NULL);
    POINT pen = {0, 0};
    double t = 0;
    for (int i = 0; i < kCount; ++i) {
        switch (kind) {
        case kLines: {
            const POINT& p = s.lineEnds[(size_t)i];
            t += Elapsed([&] {
                RECT r = {pen.x, pen.y, p.x, p.y};
                pic.lines.push_back(r);
                pen = p;
            });
            break;
        }
        case kPolylines:
        case kPolygons: {
            const PointList& l = (kind == kPolygons ? s.polygons : s.polylines)[(size_t)i];
            t += Elapsed([&] { pic.points.push_back(CopyPoints(l.entries, l.verb)); });
            break;
        }
        case kTexts: {
            const TextItem& item = s.texts[(size_t)i];
            pen = item.origin;
            t += Elapsed([&] {
                RawText r = {item.text, pen, {0, 0, 0, 0}, item.styled};
                const LOGFONT lf = TextFont(measure, item.styled);
                HFONT font = ::CreateFontIndirect(&lf);
                HGDIOBJ old = ::SelectObject(measure, font);
                SIZE size = {0, 0};
                ::GetTextExtentPoint32(measure, r.text, r.text.GetLength(), &size);
                ::SelectObject(measure, old);
                ::DeleteObject(font);
                r.box = {pen.x, pen.y - size.cy, pen.x + size.cx, pen.y};
                pen.x += size.cx;
                pic.texts.push_back(r);
            });
            break;
        }
        case kBoxes: {
            const BoxItem& b = s.boxes[(size_t)i];
            t += Elapsed([&] { pic.boxes.push_back(b); });
            break;
        }
        default:
            break;
        }
    }
    ::DeleteDC(measure);
    return t;
}

bool Visible(HDC hdc, const RECT& box, int grow)
{
    RECT r = box;
    if (grow != 0) {
        ::InflateRect(&r, grow, grow);
    } else {
        r.left = std::min(box.left, box.right);
        r.right = std::max(box.left, box.right);
        r.top = std::min(box.top, box.bottom);
        r.bottom = std::max(box.top, box.bottom);
    }
    return ::RectVisible(hdc, &r) != FALSE;
}

void DrawRawElements(HDC hdc, const RawPicture& pic, Kind kind)
{
    for (const RECT& l : pic.lines) {
        RawSelection sel(hdc, VERB_NONE, true, NULL, NULL);
        ::MoveToEx(hdc, l.left, l.top, NULL);
        ::LineTo(hdc, l.right, l.bottom);
    }
    for (const RawPoints& p : pic.points) {
        if (!Visible(hdc, p.box, 1))
            continue;
        if (kind == kPolylines) {
            RawSelection sel(hdc, VERB_NONE, true, NULL, NULL);
            ::Polyline(hdc, p.pts, p.count);
        } else {
            RawSelection sel(hdc, p.verb, true, PolygonBrush(p.verb), NULL);
            const int oldFill = ::SetPolyFillMode(hdc, WINDING);
            ::Polygon(hdc, p.pts, p.count);
            ::SetPolyFillMode(hdc, oldFill);
        }
    }
    for (const RawText& t : pic.texts) {
        const int oldBk = ::SetBkMode(hdc, TRANSPARENT);
        const UINT oldAlign = ::SetTextAlign(hdc, TA_BASELINE);
        {
            const LOGFONT lf = TextFont(hdc, t.styled);
            RawSelection sel(hdc, VERB_NONE, true, NULL, &lf);
            ::TextOut(hdc, t.origin.x, t.origin.y, t.text, t.text.GetLength());
        }
        ::SetTextAlign(hdc, oldAlign);
        ::SetBkMode(hdc, oldBk);
    }
    for (const BoxItem& b : pic.boxes) {
        if (!Visible(hdc, b.rc, 0))
            continue;
        const LOGFONT lf = TextFont(hdc, b.styled);
        RawSelection sel(hdc, VERB_NONE, false, NULL, &lf);
        const UINT flags = (b.align == 'R'   ? DT_RIGHT
                            : b.align == 'C' ? DT_CENTER
                                             : DT_LEFT) |
                           DT_WORDBREAK;
        RECT r = b.rc;
        if (b.framed) {
            ::Rectangle(hdc, r.left, r.top, r.right, r.bottom);
            ::InflateRect(&r, -2, -2);
        }
        const int oldBk = ::SetBkMode(hdc, TRANSPARENT);
        ::DrawText(hdc, b.text, -1, &r, flags);
        ::SetBkMode(hdc, oldBk);
    }
}

double RepaintRaw(const RawPicture& pic, Kind kind, DibCanvas& canvas)
{
    HDC hdc = canvas.Hdc();
    return Elapsed([&] {
        // The library fills the client area of a windowless view: empty.
        HBRUSH back = ::CreateSolidBrush(RGB(255, 255, 255));
        RECT none = {0, 0, 0, 0};
        ::FillRect(hdc, &none, back);
        ::DeleteObject(back);
        ::SetMapMode(hdc, MM_TEXT);
        DrawRawElements(hdc, pic, kind);
        ::GdiFlush();
    });
}

// --- Comparison ----------------------------------------------------------------------------

int DifferingPixels(const DibCanvas& a, const DibCanvas& b)
{
    int n = 0;
    for (int i = 0; i < kSize * kSize; ++i)
        n += ((a.Bits()[i] ^ b.Bits()[i]) & 0xFFFFFF) != 0;
    return n;
}

// "identical", or how the pictures differ. When the first pair differs each side draws once
// more: Wine may not draw the same thing the same way twice in a run.
const char* ComparePictures(CGraphicView* view, const RawPicture& pic, Kind kind, int* differing)
{
    DibCanvas lib[2] = {DibCanvas(kSize, kSize), DibCanvas(kSize, kSize)};
    DibCanvas raw[2] = {DibCanvas(kSize, kSize), DibCanvas(kSize, kSize)};
    RepaintLibrary(view, lib[0]);
    RepaintRaw(pic, kind, raw[0]);
    *differing = DifferingPixels(lib[0], raw[0]);
    if (*differing == 0)
        return "identical";
    RepaintLibrary(view, lib[1]);
    RepaintRaw(pic, kind, raw[1]);
    for (const DibCanvas& l : lib)
        for (const DibCanvas& r : raw)
            if (DifferingPixels(l, r) == 0)
                return "identical (on a second drawing; Wine is not repeatable here)";
    if (DifferingPixels(lib[0], lib[1]) != 0 || DifferingPixels(raw[0], raw[1]) != 0)
        return "not comparable: Wine does not repeat itself";
    return "DIFFER";
}

struct Result {
    double libAppend, rawAppend, libRepaint, rawRepaint;
};

Result RunKind(const Scene& s, Kind kind)
{
    std::vector<double> libAppend, rawAppend, libRepaint, rawRepaint;
    CGraphicView* view = NULL;
    RawPicture* pic = NULL;
    for (int i = 0; i < kAppendRuns; ++i) {
        delete view;
        delete pic;
        double t = 0;
        pic = new RawPicture;
        // Interleaved, alternating which goes first, so drift affects both alike.
        if (i % 2) {
            rawAppend.push_back(AppendRaw(s, kind, *pic));
            view = AppendLibrary(s, kind, &t);
        } else {
            view = AppendLibrary(s, kind, &t);
            rawAppend.push_back(AppendRaw(s, kind, *pic));
        }
        libAppend.push_back(t);
    }
    DibCanvas libCanvas(kSize, kSize), rawCanvas(kSize, kSize);
    int runs = kRepaintRuns;
    for (int i = 0; i < runs; ++i) {
        libCanvas.Fill(RGB(255, 255, 255));
        rawCanvas.Fill(RGB(255, 255, 255));
        if (i % 2) {
            rawRepaint.push_back(RepaintRaw(*pic, kind, rawCanvas));
            libRepaint.push_back(RepaintLibrary(view, libCanvas));
        } else {
            libRepaint.push_back(RepaintLibrary(view, libCanvas));
            rawRepaint.push_back(RepaintRaw(*pic, kind, rawCanvas));
        }
        if (i == 0)
            runs = std::max(kRepaintRuns,
                            std::min(301, (int)(kRepaintBudget / std::max(libRepaint[0], 1e-4))));
    }
    Result r = {Median(libAppend), Median(rawAppend), Median(libRepaint), Median(rawRepaint)};
    int differing = 0;
    const char* verdict = ComparePictures(view, *pic, kind, &differing);
    std::printf("%-10s append  library %8.2f ms, GDI %8.2f ms, ratio %6.2f (%.2f us against %.2f "
                "us each)\n",
                kKindNames[kind], r.libAppend * 1e3, r.rawAppend * 1e3, r.libAppend / r.rawAppend,
                r.libAppend * 1e6 / kCount, r.rawAppend * 1e6 / kCount);
    std::printf(
        "%-10s repaint library %8.2f ms, GDI %8.2f ms, ratio %6.3f (goal <= 1.05) %s, %d runs\n",
        "", r.libRepaint * 1e3, r.rawRepaint * 1e3, r.libRepaint / r.rawRepaint,
        r.libRepaint / r.rawRepaint <= 1.05 ? "met" : "NOT met", runs);
    if (differing == 0)
        std::printf("%-10s pictures %s\n", "", verdict);
    else
        std::printf("%-10s pictures %s (%d pixels differ on the first drawing)\n", "", verdict,
                    differing);
    delete view;
    delete pic;
    return r;
}

}  // namespace

int main()
{
    const Scene scene = MakeScene();
    std::printf("elements: %d of each kind, appends median of %d runs, repaints median of at least "
                "%d runs\n",
                kCount, kAppendRuns, kRepaintRuns);
    Result all = {0, 0, 0, 0};
    for (int k = 0; k < kKinds; ++k) {
        const Result r = RunKind(scene, (Kind)k);
        all.libAppend += r.libAppend;
        all.rawAppend += r.rawAppend;
        all.libRepaint += r.libRepaint;
        all.rawRepaint += r.rawRepaint;
    }
    std::printf("%-10s append  ratio %6.2f\n", "overall", all.libAppend / all.rawAppend);
    std::printf("%-10s repaint ratio %6.3f (goal <= 1.05) %s\n", "overall",
                all.libRepaint / all.rawRepaint,
                all.libRepaint / all.rawRepaint <= 1.05 ? "met" : "NOT met");
    return 0;
}
