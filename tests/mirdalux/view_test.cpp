// The graphic view in real windows: the host's element numbering and every deletion over a
// mixed display list, scroll ranges, painting order and background, immediate drawing in a
// scrolled view, partial repaints, and the window going away while elements are in use.
#include "TestShape.h"

#include <climits>
#include <random>
#include <tuple>

namespace {

typedef CGraphicView* V;

const COLORREF kGreen = RGB(0, 255, 0), kYellow = RGB(255, 255, 0);
const COLORREF kCyan = RGB(0, 255, 255), kMagenta = RGB(255, 0, 255);

// Paints the view's client area with one colour behind the view's back: no invalidation, so
// only what the view itself draws afterwards changes the screen.
void PaintClient(CGraphicView* pView, COLORREF color)
{
    CRect client;
    pView->GetClientRect(&client);
    CClientDC(pView).FillSolidRect(&client, color);
    pView->ValidateRect(NULL);
}

using GraphicViewTest = ViewsIn<400, 300>;

// Numbered:      1 A, 2 state, 3 B, 4 I5, 5 L, 6 P6.
// Region shapes: R5 (active rect), C6 (click oval), G7 (click polygon), Q8 (active rounded
// rectangle), Z9 (click arc); icon I5 carries active region 5, picture P6 click region 6.
void AddMixedList(CGraphicView* v)
{
    AddTestShape(v, "A", CRect(0, 0, 10, 10), kRed);
    v->AppendStateElement();
    AddTestShape(v, "R5", CRect(0, 0, 20, 20), kRed, CTestShape::kRect, VERB_ACTIVE, 5);
    AddTestShape(v, "B", CRect(10, 10, 30, 30), kBlue, CTestShape::kOval);
    AddTestShape(v, "C6", CRect(0, 0, 20, 20), kRed, CTestShape::kOval, VERB_CLICK, 6);
    AddTestShape(v, "I5", CRect(40, 0, 72, 32), kRed, CTestShape::kIcon, VERB_ACTIVE, 5);
    AddTestShape(v, "L", CRect(0, 50, 60, 51), kBlue, CTestShape::kLine, VERB_NONE, -2);
    AddTestShape(v, "P6", CRect(80, 0, 120, 40), kRed, CTestShape::kPicture, VERB_CLICK, 6);
    AddTestShape(v, "G7", CRect(0, 0, 20, 20), kRed, CTestShape::kPolygon, VERB_CLICK, 7);
    AddTestShape(v, "Q8", CRect(0, 0, 20, 20), kRed, CTestShape::kRoundRect, VERB_ACTIVE, 8);
    AddTestShape(v, "Z9", CRect(0, 0, 20, 20), kRed, CTestShape::kArc, VERB_CLICK, 9);
}

const char* const kMixedList = "A state R5 B C6 I5 L P6 G7 Q8 Z9";

}  // namespace

// Each deletion over the mixed list: what remains, which icons and pictures lose their region,
// and the host's array afterwards (element numbers are rewritten 1 less, identifiers are not).
TEST_F(GraphicViewTest, DeletionsFollowTheHostNumberingAndSpareOrStripRegions)
{
    typedef std::function<void(V, CUIntArray*)> Run;
    // clang-format off
    const Run listed = [](V v, CUIntArray* a) { Grafic_Dll_Del_Listed_Elt(v, a, FALSE); };
    const Run all = [](V v, CUIntArray*) { Grafic_Dll_Del_All_Elt(v); };
    const Run last = [](V v, CUIntArray*) { Grafic_Dll_Del_Last_Elt(v, FALSE); };
    const Run lastState = [](V v, CUIntArray*) {
        v->AppendStateElement();
        Grafic_Dll_Del_Last_Elt(v, TRUE);
    };
    const Run allActive = [](V v, CUIntArray*) { Grafic_Dll_Del_All_Activ_Rgn(v); };
    const Run allClick = [](V v, CUIntArray*) { Grafic_Dll_Del_All_Click_Rgn(v); };
    struct Row {
        const char* name; Run run; std::vector<UINT> ids; const char* remaining;
        const char* stripped; std::vector<UINT> arrayAfter;
    };
    const Row rows[] = {
        {"listed 3, 1", listed, {3, 1}, "state R5 C6 I5 L P6 G7 Q8 Z9", "", {2, 0}},
        {"listed 0, 99, 2, 2", listed, {0, 99, 2, 2}, "A R5 B C6 I5 L P6 G7 Q8 Z9", "",
         {UINT_MAX, 98, 1, 1}},
        {"listed none", listed, {}, kMixedList, "", {}},
        {"listed 4, 6", listed, {4, 6}, "A state R5 B C6 L G7 Q8 Z9", "", {3, 5}},
        {"listed 5 to 1, 6", listed, {5, 4, 3, 2, 1, 6}, "R5 C6 G7 Q8 Z9", "", {4, 3, 2, 1, 0, 5}},
        {"listed 7", listed, {7}, kMixedList, "", {6}},
        {"listed UINT_MAX", listed, {UINT_MAX}, kMixedList, "", {UINT_MAX - 1}},
        {"Del_All_Elt", all, {}, "R5 C6 G7 Q8 Z9", "", {}},
        {"Del_Last_Elt on a region shape", last, {}, kMixedList, "", {}},
        {"Del_Last_Elt on a state element", lastState, {}, kMixedList, "", {}},
        {"Del_All_Activ_Rgn", allActive, {}, "A state B C6 I5 L P6 G7 Z9", "I5", {}},
        {"Del_All_Click_Rgn", allClick, {}, "A state R5 B I5 L P6 Q8", "P6", {}},
        {"Del_Listed_Activ_Rgn 5", Grafic_Dll_Del_Listed_Activ_Rgn, {5},
         "A state B C6 I5 L P6 G7 Q8 Z9", "I5", {5}},
        {"Del_Listed_Click_Rgn 6, 42", Grafic_Dll_Del_Listed_Click_Rgn, {6, 42},
         "A state R5 B I5 L P6 G7 Q8 Z9", "P6", {6, 42}},
        {"Del_Listed_Click_Rgn none", Grafic_Dll_Del_Listed_Click_Rgn, {}, kMixedList, "", {}},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CUIntArray ids;
        for (UINT n : r.ids)
            ids.Add(n);
        const int base = g_elementCount;
        CGraphicView* v = NewView();
        AddMixedList(v);
        r.run(v, &ids);
        // Icons and pictures stripped of their region become plain elements.
        std::string stripped;
        for (INT_PTR i = 0; i < v->m_displayList.GetSize(); ++i) {
            CGraphicElement* e = v->m_displayList.GetElement(i);
            if ((e->IsIcon() || e->IsPicture()) && e->region == NULL && e->verb == VERB_NONE)
                stripped += dynamic_cast<CTestShape*>(e)->m_name;
        }
        bool discardedKeepNoRegion = true;
        for (INT_PTR i = 0; i < v->m_discardedList.GetSize(); ++i)
            discardedKeepNoRegion &= v->m_discardedList.GetElement(i)->region == NULL;
        EXPECT_EQ(r.remaining, DisplayListNames(v));
        EXPECT_EQ(r.arrayAfter, std::vector<UINT>(ids.GetData(), ids.GetData() + ids.GetSize()))
            << "the host's array afterwards";
        EXPECT_EQ(r.stripped, stripped) << "icons and pictures without region";
        const INT_PTR listed = v->m_displayList.GetSize();
        ExpectAll({{"the element count", listed == Grafic_Dll_GetNbElement(v)},
                   {"every live element is in one of the lists",
                    g_elementCount - base == listed + v->m_discardedList.GetSize()},
                   {"deleted elements are parked, not freed", CTestShape::s_live == 10},
                   {"a discarded element keeps no region", discardedKeepNoRegion}});
        v->DestroyWindow();
        PumpMessages();
    }
}

// The range follows each appended element while the view is scrollable; a state element moves
// neither the range nor the pen, a null one is ignored, deletions recompute from the list.
TEST_F(GraphicViewTest, ScrollRangeFollowsElementsWhileScrollable)
{
    CGraphicView* v = NewView();
    AddTestShape(v, "pen", CRect(0, 0, 33, 44), kBlue, CTestShape::kLine, VERB_NONE, -2);
    // clang-format off
    struct Step { const char* name; std::function<void(V)> run; CSize total; bool bars; };
    const Step steps[] = {
        {"an element beyond the window",
         [](V v) { AddTestShape(v, "big", CRect(10, 10, 600, 500), kRed); }, {600, 500}, true},
        {"an element at negative coordinates",
         [](V v) { AddTestShape(v, "neg", CRect(-50, -50, -10, -10), kRed); }, {600, 500}, true},
        {"scrolling switched off", [](V v) { Grafic_Dll_SetScrollable(v, FALSE); }, {600, 500},
         true},
        {"an element added while not scrollable",
         [](V v) { AddTestShape(v, "off", CRect(0, 0, 50, 50), kRed); }, CSize(0, 0), false},
        {"switched on: the next element counts alone", [](V v) {
             Grafic_Dll_SetScrollable(v, TRUE);
             AddTestShape(v, "on", CRect(0, 0, 70, 80), kRed);
         }, CSize(70, 80), false},
        {"a deletion recomputes from the whole list",
         [](V v) { Grafic_Dll_Del_Last_Elt(v, FALSE); }, {600, 500}, true},
        {"everything deleted", [](V v) { Grafic_Dll_Del_All_Elt(v); }, CSize(0, 0), false},
        {"a state element", [](V v) {
             AddTestShape(v, "state", CRect(0, 0, 900, 900), kRed, CTestShape::kState, 0, 0, FALSE);
         }, CSize(0, 0), false},
        {"a null element", [](V v) { v->AddElement(NULL, TRUE); }, CSize(0, 0), false},
    };
    // clang-format on
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.run(v);
        PumpMessages();
        int mode;
        SIZE total, page, line;
        v->GetDeviceScrollSizes(mode, total, page, line);
        const DWORD bars = WS_HSCROLL | WS_VSCROLL;
        ExpectValues({{"total width", s.total.cx, v->GetTotalSize().cx},
                      {"total height", s.total.cy, v->GetTotalSize().cy}});
        ExpectAll({{"scroll bars shown or hidden", (v->GetStyle() & bars) == (s.bars ? bars : 0)},
                   {"with bars: a line of 20 and a page",
                    !s.bars || (line.cx == 20 && line.cy == 20 && page.cx > 0)}});
    }
    EXPECT_EQ(1, Grafic_Dll_GetNbElement(v)) << "the state element, and no null one";
    EXPECT_EQ(CPoint(33, 44), CPoint(v->m_penLocation))
        << "deletions and state elements leave the pen where it was";
}

// Over a client painted green behind the view's back: the background (unless the view was made
// without one), then the elements in list order, never a state element. A background colour
// shows with the redraw flag; the host's repaint fills its own context with it all the same.
TEST_F(GraphicViewTest, PaintsBackgroundThenElementsInListOrder)
{
    const std::tuple<const char*, BOOL, COLORREF, COLORREF> rows[] = {
        {"background fill", FALSE, kYellow, kCyan},
        {"no background fill: the old pixels stay", TRUE, kGreen, kGreen},
    };
    for (const auto& [name, noFill, first, repaint] : rows) {
        SCOPED_TRACE(name);
        CGraphicView* v = NewView(CRect(0, 0, 400, 300), noFill);
        PaintClient(v, kGreen);
        Grafic_Dll_SetViewBkColor(v, kYellow, FALSE);
        AddTestShape(v, "red", CRect(20, 20, 120, 120), kRed);
        AddTestShape(v, "blue", CRect(70, 70, 170, 170), kBlue);
        AddTestShape(v, "state", CRect(0, 0, 300, 300), kMagenta, CTestShape::kState, 0, 0, FALSE);
        v->Invalidate(TRUE);
        v->UpdateWindow();
        DibCanvas shot(300, 250), unchanged(300, 250), repainted(300, 250), host(200, 100, kBlack);
        ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
        Grafic_Dll_SetViewBkColor(v, kCyan, FALSE);
        ASSERT_TRUE(CaptureClient(v->m_hWnd, unchanged));
        Grafic_Dll_SetViewBkColor(v, kCyan, TRUE);
        ASSERT_TRUE(CaptureClient(v->m_hWnd, repainted));
        Grafic_Dll_RepaintView(v, &host.Dc());
        ExpectValues({{"background", first, shot.Pixel(10, 10)},
                      {"first element", kRed, shot.Pixel(50, 50)},
                      {"overlap: the later element covers", kBlue, shot.Pixel(100, 100)},
                      {"second element", kBlue, shot.Pixel(150, 150)},
                      {"background below", first, shot.Pixel(250, 200)},
                      {"state elements are never drawn", 0, shot.CountPixels(kMagenta)},
                      {"redraw flag 0: nothing changes yet", first, unchanged.Pixel(10, 10)},
                      {"redraw flag 1: repainted at once", repaint, repainted.Pixel(10, 10)},
                      {"elements repainted too", kBlue, repainted.Pixel(100, 100)},
                      {"RepaintView fills with the view's colour", kCyan, host.Pixel(10, 10)},
                      {"RepaintView draws the elements", kRed, host.Pixel(40, 40)}});
        v->DestroyWindow();
        PumpMessages();
    }
}

// In a view scrolled to (100, 40): an element is drawn at once where the screen shows it, and a
// partial deletion repaints exactly what was deleted (over a client painted green behind the
// view's back), a full one everything.
TEST_F(GraphicViewTest, ScrolledViewDrawsAtOnceAndRepaintsOnlyWhatWasDeleted)
{
    CGraphicView* v = NewView();
    AddTestShape(v, "extent", CRect(0, 0, 1000, 1000), kWhite);
    v->ScrollToPosition(CPoint(100, 40));
    PumpMessages();
    POINT pt = {5, 6};
    v->ClientToDoc(pt);
    ASSERT_EQ(CPoint(105, 46), CPoint(pt)) << "client to document adds the scroll position";
    // clang-format off
    struct Step { const char* name; std::function<void(V)> run; COLORREF color; CRect at; };
    const Step steps[] = {
        {"drawn at once", [](V v) { AddTestShape(v, "red", CRect(150, 60, 250, 160), kRed); },
         kRed, {50, 20, 150, 120}},
        {"a partial deletion", [](V v) { Grafic_Dll_Del_Last_Elt(v, TRUE); }, kWhite,
         {50, 20, 150, 120}},
        {"a partial listed deletion repaints the union", [](V v) {
             AddTestShape(v, "red", CRect(150, 60, 250, 160), kRed);
             AddTestShape(v, "blue", CRect(300, 200, 350, 250), kBlue);
             PaintClient(v, kGreen);
             CUIntArray numbers;
             numbers.Add(2);
             numbers.Add(3);
             Grafic_Dll_Del_Listed_Elt(v, &numbers, TRUE);
         }, kWhite, {50, 20, 250, 210}},
        {"a full deletion", [](V v) { Grafic_Dll_Del_Last_Elt(v, FALSE); }, kGreen, {0, 0, 0, 0}},
    };
    // clang-format on
    DibCanvas shot(400, 300, kBlack);  // beyond the client area (the bars) it stays black
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        PaintClient(v, kGreen);
        s.run(v);
        ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
        EXPECT_EQ(Str(s.at), Str(shot.BoundsOf(s.color)));
        EXPECT_EQ(s.at.Width() * s.at.Height(), shot.CountPixels(s.color));
    }
}

namespace {

// What the view holds right after its WM_DESTROY handling.
struct DestroyProbe {
    bool seen = false;
    CGraphicElement *pressed = nullptr, *hover = nullptr;
    BOOL timerOn = TRUE, capture = TRUE;
    HWND captureWindow = nullptr;
} g_probe;

class CProbeView : public CGraphicView
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = CGraphicView::WindowProc(message, wParam, lParam);
        if (message == WM_DESTROY)
            g_probe = {true,       m_pPressedElement, m_pHoverElement,
                       m_bTimerOn, m_bCapture,        ::GetCapture()};
        return result;
    }
};

}  // namespace

TEST_F(GraphicViewTest, WindowDestroyedWhileElementsArePressedAndHovered)
{
    const int elementsBefore = g_elementCount;
    CProbeView* v = new CProbeView;
    CRect rc(0, 0, 300, 200);
    Grafic_Dll_NewDoc(m_parent.Wnd(), v, &rc, 7, FALSE);
    ASSERT_NE(nullptr, v->m_hWnd);
    v->m_pPressedElement =
        AddTestShape(v, "pressed", CRect(0, 0, 50, 50), kRed, CTestShape::kRect, VERB_CLICK, 1);
    v->m_pHoverElement =
        AddTestShape(v, "hover", CRect(60, 0, 110, 50), kRed, CTestShape::kRect, VERB_ACTIVE, 2);
    v->SetCapture();
    v->m_bCapture = TRUE;
    v->SetTimer(GRAPHIC_VIEW_TIMER_ID, 100, NULL);
    v->m_bTimerOn = TRUE;
    Grafic_Dll_Del_All_Click_Rgn(v);  // the pressed element moves to the discarded list
    m_parent.Destroy();
    PumpMessages();
    ASSERT_TRUE(g_probe.seen);
    ExpectAll({{"pressed element forgotten on destroy", !g_probe.pressed},
               {"hovered element forgotten on destroy", !g_probe.hover},
               {"hover timer stopped", !g_probe.timerOn},
               {"capture released", !g_probe.capture && !g_probe.captureWindow},
               {"every element deleted, parked ones too",
                g_elementCount == elementsBefore && CTestShape::s_live == 0}});
}

// A repaint of the window steps over the runs of elements that cannot paint in it: at every
// scroll position, after deletions that move elements into other runs and after more appends,
// the window shows what drawing every element of the list on a context of the same clip shows.
// The list mixes wide pens, lines drawn backwards, polylines, and large slanted, shadowed and
// outlined text.
TEST_F(GraphicViewTest, RepaintOfPartShowsWhatTheWholeListShows)
{
    CGraphicView* v = NewView();
    std::mt19937 rng(7);
    const auto any = [&rng](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    int appended = 0;
    const auto append = [&](int n) {
        for (int i = 0; i < n; ++i) {
            // In list order across the document, row by row, so that runs of the list lie together.
            const int at = appended++;
            POINT a = {at % 10 * 150 + any(0, 60), at / 10 % 70 * 20 + any(0, 20)};
            POINT b = {a.x + any(-90, 90), a.y + any(-90, 90)};
            const int kind = any(0, 3);
            int pen = kind == 1 ? 1 : any(1, 25);  // a text's area owes nothing to the pen
            Grafic_Dll_Set_Pen_Size(v, &pen);
            Grafic_Dll_Set_Fognd_Color(v, RGB(any(0, 255), any(0, 128), any(0, 255)));
            Grafic_Dll_Set_Pen_Location(v, &a);
            if (kind == 0) {
                Grafic_Dll_Line_To_Point(v, &b);
            } else if (kind == 1) {
                CStringArray styles;
                styles.Add(any(0, 1) ? "italic" : "shadow"),
                    styles.Add(any(0, 1) ? "outline" : "bold");
                Grafic_Dll_Set_Text_Style(v, &styles);
                Grafic_Dll_Set_Text_Size(v, any(8, 70));
                const CString text("Wyg'j");
                Grafic_Dll_Draw_Text(v, &text);
            } else if (kind == 2) {
                AddShape(v, kRect, "FRAME", "", CRect(a, b));
            } else {
                CObArray points;
                POINT corners[3] = {a, b, {a.x + 40, b.y}};
                for (POINT& p : corners)
                    points.Add(reinterpret_cast<CObject*>(&p));
                Grafic_Dll_Plot_Line(v, &points);
            }
        }
    };
    CUIntArray everyThird;
    for (UINT n = 1; n < 700; n += 3)
        everyThird.Add(n);
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"appended", [&] { append(700); }},
        {"every third deleted", [&] { Grafic_Dll_Del_Listed_Elt(v, &everyThird, FALSE); }},
        {"more appended", [&] { append(200); }}};
    for (const auto& [name, change] : steps) {
        change();
        CRect client;
        v->GetClientRect(&client);
        DibCanvas expected(client.Width(), client.Height()), shown(client.Width(), client.Height());
        for (const CPoint at :
             {CPoint(0, 0), CPoint(700, 500), CPoint(1300, 1400), CPoint(37, 911)}) {
            SCOPED_TRACE(std::string(name) + " at " + Str(at));
            v->ScrollToPosition(at);
            v->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
            ASSERT_TRUE(CaptureClient(v->m_hWnd, shown));
            const CPoint pos = v->GetScrollPosition();
            expected.Fill(kWhite);
            ::IntersectClipRect(expected.Hdc(), 0, 0, client.Width(), client.Height());
            ::SetWindowOrgEx(expected.Hdc(), pos.x, pos.y, NULL);
            Grafic_Dll_RepaintView(v, &expected.Dc());
            ::SetWindowOrgEx(expected.Hdc(), 0, 0, NULL);
            EXPECT_TRUE(SamePixels(expected, shown));
        }
    }
}

// The area an element can paint holds every pixel it paints: wide pens on lines drawn backwards,
// polylines and shapes, and text with descenders, slant, shadow and outline at large sizes.
TEST_F(GraphicViewTest, PaintAreaHoldsEveryPixelAnElementPaints)
{
    const POINT from = {300, 300}, back = {240, 200};
    const auto Text = [](const char* s) {
        return [s](V v) {
            const CString text(s);
            Grafic_Dll_Draw_Text(v, &text);
        };
    };
    using Row = std::tuple<const char*, int, int, const char*, std::function<void(V)>>;
    const Row rows[] = {
        {"a line drawn backwards", 40, 1, "", [&](V v) { Grafic_Dll_Line_To_Point(v, &back); }},
        {"a polyline's sharp corner", 30, 1, "",
         [](V v) {
             POINT corners[3] = {{250, 250}, {330, 262}, {250, 274}};
             CObArray points;
             for (POINT& p : corners)
                 points.Add(reinterpret_cast<CObject*>(&p));
             Grafic_Dll_Plot_Line(v, &points);
         }},
        {"an arc", 30, 1, "",
         [](V v) { AddShape(v, kArc, "FRAME", "", CRect(250, 250, 330, 320)); }},
        {"descenders", 1, 90, "", Text("gjpqy")},
        {"slanted", 1, 90, "italic", Text("fff")},
        {"shadowed and outlined", 1, 90, "shadow outline", Text("Wj")}};
    for (const auto& [name, pen, size, styles, add] : rows) {
        SCOPED_TRACE(name);
        CGraphicView* v = NewView();
        int penSize = pen;
        Grafic_Dll_Set_Pen_Size(v, &penSize);
        Grafic_Dll_Set_Text_Size(v, size);
        CStringArray words;
        for (const char* w : {"italic", "shadow", "outline"})
            if (strstr(styles, w))
                words.Add(w);
        Grafic_Dll_Set_Text_Style(v, &words);
        Grafic_Dll_Set_Pen_Location(v, &from);
        add(v);
        DibCanvas canvas(700, 700);
        Grafic_Dll_RepaintView(v, &canvas.Dc());
        const CRect painted = canvas.BoundsOfOther(kWhite), area = CullTable::PaintArea(Last(v));
        EXPECT_FALSE(painted.IsRectEmpty());
        EXPECT_EQ(area, area | painted) << Str(painted) << " outside " << Str(area);
        ::DestroyWindow(v->m_hWnd);
    }
}
