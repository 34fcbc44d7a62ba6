// The graphic view in real windows: the host's element numbering and every deletion over a
// mixed display list, scroll ranges, painting order and background, immediate drawing in a
// scrolled view, partial repaints, and the window going away while elements are in use.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "TestHost.h"
#include "TestShape.h"
#include "TestSupport.h"
#include "TestValues.h"
#include "ViewFixture.h"
#include "view/GraphicView.h"

#include <mirdalux.h>

namespace {

const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kCyan = RGB(0, 255, 255);

std::string Numbers(const CUIntArray& a)
{
    std::string s;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        s += (i ? "," : "") + std::to_string(a.GetAt(i));
    return s;
}

std::string Str(const SIZE& s)
{
    return std::to_string(s.cx) + "x" + std::to_string(s.cy);
}

// Paints the view's client area with one colour behind the view's back: no invalidation, so
// only what the view itself draws afterwards changes the screen.
void PaintClient(CGraphicView* pView, COLORREF color)
{
    HDC hdc = ::GetDC(pView->m_hWnd);
    CRect client;
    pView->GetClientRect(&client);
    HBRUSH hbr = ::CreateSolidBrush(color);
    ::FillRect(hdc, &client, hbr);
    ::DeleteObject(hbr);
    ::ReleaseDC(pView->m_hWnd, hdc);
    ::ValidateRect(pView->m_hWnd, NULL);
}

}  // namespace

class GraphicViewTest : public ViewFixture
{
protected:
    GraphicViewTest() : ViewFixture(400, 300) {}

    // Numbered:      1 A, 2 state, 3 B, 4 I5, 5 L, 6 P6.
    // Region shapes: R5 (active rect), C6 (click oval), G7 (click polygon), Q8 (active rounded
    // rectangle), Z9 (click arc); icon I5 carries active region 5, picture P6 click region 6.
    CGraphicView* NewMixedView()
    {
        CGraphicView* v = NewView();
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
        return v;
    }
};

static const char* const kMixedList = "A state R5 B C6 I5 L P6 G7 Q8 Z9";

// Each deletion over the mixed list: what remains, which icons and pictures lose their region,
// and the host's array afterwards (element numbers are rewritten 1 less, identifiers are not).
TEST_F(GraphicViewTest, DeletionsFollowTheHostNumberingAndSpareOrStripRegions)
{
    typedef CGraphicView* V;
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
        const char* stripped; const char* arrayAfter;
    };
    const Row rows[] = {
        {"listed 3, 1", listed, {3, 1}, "state R5 C6 I5 L P6 G7 Q8 Z9", "", "2,0"},
        {"listed 0, 99, 2, 2", listed, {0, 99, 2, 2}, "A R5 B C6 I5 L P6 G7 Q8 Z9", "",
         "4294967295,98,1,1"},
        {"listed none", listed, {}, kMixedList, "", ""},
        {"listed 4, 6", listed, {4, 6}, "A state R5 B C6 L G7 Q8 Z9", "", "3,5"},
        {"listed 5 to 1, 6", listed, {5, 4, 3, 2, 1, 6}, "R5 C6 G7 Q8 Z9", "", "4,3,2,1,0,5"},
        {"listed 7", listed, {7}, kMixedList, "", "6"},
        {"listed UINT_MAX", listed, {UINT_MAX}, kMixedList, "", "4294967294"},
        {"Del_All_Elt", all, {}, "R5 C6 G7 Q8 Z9", "", ""},
        {"Del_Last_Elt on a region shape", last, {}, kMixedList, "", ""},
        {"Del_Last_Elt on a state element", lastState, {}, kMixedList, "", ""},
        {"Del_All_Activ_Rgn", allActive, {}, "A state B C6 I5 L P6 G7 Z9", "I5", ""},
        {"Del_All_Click_Rgn", allClick, {}, "A state R5 B I5 L P6 Q8", "P6", ""},
        {"Del_Listed_Activ_Rgn 5", Grafic_Dll_Del_Listed_Activ_Rgn, {5},
         "A state B C6 I5 L P6 G7 Q8 Z9", "I5", "5"},
        {"Del_Listed_Click_Rgn 6, 42", Grafic_Dll_Del_Listed_Click_Rgn, {6, 42},
         "A state R5 B I5 L P6 G7 Q8 Z9", "P6", "6,42"},
        {"Del_Listed_Click_Rgn none", Grafic_Dll_Del_Listed_Click_Rgn, {}, kMixedList, "", ""},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CUIntArray ids;
        for (UINT n : r.ids)
            ids.Add(n);
        const int base = g_elementCount;
        CGraphicView* v = NewMixedView();
        r.run(v, &ids);
        EXPECT_EQ(r.remaining, DisplayListNames(v));
        EXPECT_EQ(r.arrayAfter, Numbers(ids)) << "the host's array afterwards";
        EXPECT_EQ((int)v->m_displayList.GetSize(), Grafic_Dll_GetNbElement(v));
        EXPECT_EQ(g_elementCount - base, v->m_displayList.GetSize() + v->m_discardedList.GetSize())
            << "every live element is in one of the lists";
        EXPECT_EQ(10, CTestShape::s_live) << "deleted elements are parked, not freed";
        for (INT_PTR i = 0; i < v->m_discardedList.GetSize(); ++i)
            EXPECT_EQ(nullptr, v->m_discardedList.GetElement(i)->region)
                << "a discarded element keeps no region";
        std::string stripped;
        for (INT_PTR i = 0; i < v->m_displayList.GetSize(); ++i) {
            CTestShape* s = dynamic_cast<CTestShape*>(v->m_displayList.GetElement(i));
            if (s == NULL || (!s->IsIcon() && !s->IsPicture()) || s->region != NULL)
                continue;
            stripped += s->m_name;
            EXPECT_EQ(VERB_NONE, s->verb) << s->m_name << " lost its region";
            const POINT inside = {s->bounds.left + 1, s->bounds.top + 1};
            EXPECT_FALSE(s->HitTest(&inside)) << s->m_name << " is no longer hit";
        }
        EXPECT_EQ(r.stripped, stripped) << "icons and pictures without region";
        v->DestroyWindow();
        PumpMessages();
    }
}

TEST_F(GraphicViewTest, AppendingCopiesOptionsMovesThePenAndSkipsStateElements)
{
    CGraphicView* v = NewView();
    v->m_defaultOptions = 5;
    CTestShape* rect = AddTestShape(v, "rect", CRect(5, 5, 25, 25), kRed);
    EXPECT_EQ(5u, rect->options) << "the element takes the view's option bits";
    EXPECT_EQ(1, rect->m_draws) << "drawn at once";
    EXPECT_EQ(0, v->m_penLocation.x) << "a rectangle has no end point";
    CTestShape* line =
        AddTestShape(v, "line", CRect(0, 0, 70, 30), kBlue, CTestShape::kLine, VERB_NONE, -2);
    EXPECT_EQ(CPoint(70, 30), CPoint(v->m_penLocation)) << "the pen follows the line's end";
    v->m_defaultOptions = 2;
    CTestShape* state =
        AddTestShape(v, "state", CRect(0, 0, 900, 900), kGreen, CTestShape::kState, 0, 0, FALSE);
    EXPECT_EQ(2u, state->options);
    EXPECT_EQ(0, state->m_draws);
    EXPECT_EQ(CPoint(70, 30), CPoint(v->m_penLocation)) << "a state element does not move the pen";
    EXPECT_EQ(CSize(70, 30), v->GetTotalSize()) << "nor widen the range";
    EXPECT_EQ(1, line->m_draws);
    v->AddElement(NULL, TRUE);
    EXPECT_EQ(3, Grafic_Dll_GetNbElement(v)) << "a null element is ignored";
}

TEST_F(GraphicViewTest, ScrollRangeFollowsElementsWhileScrollable)
{
    CGraphicView* v = NewView();
    AddTestShape(v, "pen", CRect(0, 0, 33, 44), kBlue, CTestShape::kLine, VERB_NONE, -2);
    typedef CGraphicView* V;
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
    };
    // clang-format on
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.run(v);
        PumpMessages();
        EXPECT_EQ(Str(s.total), Str(v->GetTotalSize()));
        EXPECT_EQ(s.bars ? (DWORD)(WS_HSCROLL | WS_VSCROLL) : 0u,
                  v->GetStyle() & (WS_HSCROLL | WS_VSCROLL))
            << "scroll bars " << (s.bars ? "shown" : "hidden");
        if (s.bars) {
            int mode;
            SIZE total, page, line;
            v->GetDeviceScrollSizes(mode, total, page, line);
            EXPECT_EQ("20x20", Str(line)) << "line size";
            EXPECT_GT(page.cx, 0);
        }
    }
    EXPECT_EQ(CPoint(33, 44), CPoint(v->m_penLocation)) << "deletions leave the pen where it was";
}

TEST_F(GraphicViewTest, PaintsBackgroundThenElementsInListOrder)
{
    CGraphicView* v = NewView();
    Grafic_Dll_SetViewBkColor(v, kYellow, FALSE);
    AddTestShape(v, "red", CRect(20, 20, 120, 120), kRed);
    AddTestShape(v, "blue", CRect(70, 70, 170, 170), kBlue);
    CTestShape* state =
        AddTestShape(v, "state", CRect(0, 0, 300, 300), kGreen, CTestShape::kState, 0, 0, FALSE);
    v->Invalidate(TRUE);
    v->UpdateWindow();

    DibCanvas shot(300, 250);
    ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
    // clang-format off
    const struct { POINT at; COLORREF expected; const char* name; } probes[] = {
        {{10, 10}, kYellow, "background"}, {{50, 50}, kRed, "first element"},
        {{100, 100}, kBlue, "overlap: the later element covers"},
        {{150, 150}, kBlue, "second element"}, {{250, 200}, kYellow, "background"},
    };
    // clang-format on
    for (const auto& p : probes)
        EXPECT_EQ(p.expected, shot.Pixel(p.at.x, p.at.y)) << p.name << " at " << Str(p.at);
    EXPECT_EQ(0, shot.CountPixels(kGreen)) << "state elements are never drawn";
    EXPECT_EQ(0, state->m_draws);

    // The colour changes on screen only with a repaint.
    Grafic_Dll_SetViewBkColor(v, kCyan, FALSE);
    ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
    EXPECT_EQ(kYellow, shot.Pixel(10, 10)) << "redraw flag 0: nothing changes yet";
    Grafic_Dll_SetViewBkColor(v, kCyan, TRUE);
    ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
    EXPECT_EQ(kCyan, shot.Pixel(10, 10)) << "redraw flag 1: repainted at once";
    EXPECT_EQ(kBlue, shot.Pixel(100, 100));
}

TEST_F(GraphicViewTest, NoFillViewPaintsOverWhatWasThere)
{
    CGraphicView* v = NewView(CRect(0, 0, 400, 300), TRUE);
    PaintClient(v, kGreen);
    AddTestShape(v, "red", CRect(20, 20, 60, 60), kRed);
    v->Invalidate(TRUE);
    v->UpdateWindow();
    DibCanvas shot(200, 100);
    ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
    EXPECT_EQ(kGreen, shot.Pixel(10, 10)) << "no background fill: the old pixels stay";
    EXPECT_EQ(kRed, shot.Pixel(40, 40)) << "the element is painted";

    // The host's repaint fills the background of its own context all the same.
    DibCanvas canvas(200, 100, kBlue);
    Grafic_Dll_RepaintView(v, &canvas.Dc());
    EXPECT_EQ(kWhite, canvas.Pixel(10, 10)) << "RepaintView fills with the view's colour";
    EXPECT_EQ(kRed, canvas.Pixel(40, 40));
    EXPECT_EQ(kRed, canvas.Pixel(20, 20)) << "document coordinates, no scroll origin";
}

TEST_F(GraphicViewTest, ScrolledViewDrawsAtOnceAndRepaintsOnlyWhatWasDeleted)
{
    CGraphicView* v = NewView();
    AddTestShape(v, "extent", CRect(0, 0, 1000, 1000), kWhite);
    v->ScrollToPosition(CPoint(100, 40));
    PumpMessages();
    ASSERT_EQ(100, v->GetScrollPos(SB_HORZ));
    ASSERT_EQ(40, v->GetScrollPos(SB_VERT));
    POINT pt = {5, 6};
    v->ClientToDoc(pt);
    EXPECT_EQ(CPoint(105, 46), CPoint(pt)) << "client to document adds the scroll position";
    CDC* pDC = v->GetScrolledDC();
    ASSERT_NE(nullptr, pDC);
    EXPECT_EQ(CPoint(100, 40), pDC->GetWindowOrg()) << "scrolled context origin";
    v->ReleaseDC(pDC);

    CRect client;
    v->GetClientRect(&client);
    DibCanvas shot(client.Width(), client.Height());
    // Drawn at once, without any paint message, at the client place of its document place.
    PaintClient(v, kGreen);
    AddTestShape(v, "red", CRect(150, 60, 250, 160), kRed);
    ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
    EXPECT_EQ(Str(CRect(50, 20, 150, 120)), Str(shot.BoundsOf(kRed))) << "immediate drawing";
    EXPECT_EQ(100 * 100, shot.CountPixels(kRed));

    // A partial deletion repaints exactly the element's client rectangle.
    PaintClient(v, kGreen);
    Grafic_Dll_Del_Last_Elt(v, TRUE);
    ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
    EXPECT_EQ(Str(CRect(50, 20, 150, 120)), Str(shot.BoundsOf(kWhite))) << "repainted area";
    EXPECT_EQ(100 * 100, shot.CountPixels(kWhite));
    EXPECT_EQ(0, shot.CountPixels(kRed));

    // A partial listed deletion repaints the union of the deleted elements.
    AddTestShape(v, "red", CRect(150, 60, 250, 160), kRed);
    AddTestShape(v, "blue", CRect(300, 200, 350, 250), kBlue);
    PaintClient(v, kGreen);
    CUIntArray numbers;
    numbers.Add(2);
    numbers.Add(3);
    Grafic_Dll_Del_Listed_Elt(v, &numbers, TRUE);
    ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
    EXPECT_EQ(Str(CRect(50, 20, 250, 210)), Str(shot.BoundsOf(kWhite))) << "union repainted";
    EXPECT_EQ(200 * 190, shot.CountPixels(kWhite));

    // A full deletion repaints everything.
    PaintClient(v, kGreen);
    Grafic_Dll_Del_Last_Elt(v, FALSE);
    ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
    EXPECT_EQ(0, shot.CountPixels(kGreen)) << "full repaint";
}

namespace {

// What the view holds right after its WM_DESTROY handling.
struct DestroyProbe {
    bool seen = false;
    CGraphicElement* pressed = nullptr;
    CGraphicElement* hover = nullptr;
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
    CTestShape* pressed =
        AddTestShape(v, "pressed", CRect(0, 0, 50, 50), kRed, CTestShape::kRect, VERB_CLICK, 1);
    v->m_pPressedElement = pressed;
    v->m_pHoverElement =
        AddTestShape(v, "hover", CRect(60, 0, 110, 50), kRed, CTestShape::kRect, VERB_ACTIVE, 2);
    v->SetCapture();
    v->m_bCapture = TRUE;
    v->SetTimer(GRAPHIC_VIEW_TIMER_ID, 100, NULL);
    v->m_bTimerOn = TRUE;
    Grafic_Dll_Del_All_Click_Rgn(v);  // the pressed element moves to the discarded list
    EXPECT_EQ(v->m_pPressedElement, pressed) << "parked, not deleted: the pointer stays valid";

    m_parent.Destroy();
    PumpMessages();
    ASSERT_TRUE(g_probe.seen);
    EXPECT_EQ(nullptr, g_probe.pressed) << "pressed element forgotten on destroy";
    EXPECT_EQ(nullptr, g_probe.hover) << "hovered element forgotten on destroy";
    EXPECT_FALSE(g_probe.timerOn) << "hover timer stopped";
    EXPECT_FALSE(g_probe.capture);
    EXPECT_EQ(nullptr, g_probe.captureWindow) << "capture released";
    EXPECT_EQ(elementsBefore, g_elementCount) << "the view deleted every element, parked ones too";
    EXPECT_EQ(0, CTestShape::s_live);
}
