// The pen location through sequences of calls: lines, polylines and texts move it to their end,
// text boxes, polygons, shapes and the drawing setters leave it, the two location setters move
// it. Each sequence ends with a red marker line drawn from wherever the pen is; the repainted
// picture must show that line starting at the expected pixel.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <functional>
#include <string>
#include <vector>

#include "TestHost.h"
#include "TestSupport.h"
#include "TestValues.h"
#include "ViewFixture.h"
#include "view/GraphicView.h"

#include <mirdalux.h>

namespace {

// The width of s in Arial at the given character height, as the screen measures it: what a text
// printed at the pen adds to the pen's x.
int ArialWidth(const char* s, int height)
{
    HDC screen = ::GetDC(NULL);
    HFONT font =
        ::CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_STROKE_PRECIS,
                      CLIP_STROKE_PRECIS, DRAFT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
    HGDIOBJ old = ::SelectObject(screen, font);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(screen, s, (int)strlen(s), &size);
    ::SelectObject(screen, old);
    ::DeleteObject(font);
    ::ReleaseDC(NULL, screen);
    return size.cx;
}

void MoveTo(CGraphicView* v, int x, int y)
{
    POINT p = {x, y};
    Grafic_Dll_Set_Pen_Location(v, &p);
}

void LineTo(CGraphicView* v, int x, int y)
{
    POINT p = {x, y};
    Grafic_Dll_Line_To_Point(v, &p);
}

void LineBy(CGraphicView* v, int dx, int dy)
{
    POINT p = {dx, dy};
    Grafic_Dll_Line_Relative(v, &p);
}

void Polyline(CGraphicView* v, std::vector<POINT> pts)
{
    CObArray list;
    for (POINT& p : pts)
        list.Add(reinterpret_cast<CObject*>(&p));
    Grafic_Dll_Plot_Line(v, &list);
}

void Text(CGraphicView* v, const char* s)
{
    CString text(s);
    Grafic_Dll_Draw_Text(v, &text);
}

struct Sequence {
    const char* what;
    std::function<void(CGraphicView*)> calls;
    std::function<POINT()> expected;  // measured when the row runs (texts depend on the fonts)
};

class PenFollowingTest : public ViewFixture
{
protected:
    PenFollowingTest() : ViewFixture(420, 320, CRect(0, 0, 400, 300)) {}
};

}  // namespace

TEST_F(PenFollowingTest, EachSequenceLeavesThePenWhereItsLastMovingCallEnds)
{
    const std::vector<Sequence> table = {
        {"a line to a point",
         [](CGraphicView* v) {
             MoveTo(v, 10, 10);
             LineTo(v, 60, 30);
         },
         [] {
             return POINT{60, 30};
         }},
        {"two relative lines, the second from the first's end",
         [](CGraphicView* v) {
             MoveTo(v, 10, 10);
             LineBy(v, 20, 5);
             LineBy(v, -5, 10);
         },
         [] {
             return POINT{25, 25};
         }},
        {"a reversed line ends at its second point",
         [](CGraphicView* v) {
             MoveTo(v, 100, 40);
             LineTo(v, 60, 40);
         },
         [] {
             return POINT{60, 40};
         }},
        {"a polyline ends at its last point",
         [](CGraphicView* v) {
             MoveTo(v, 0, 0);
             Polyline(v, {{10, 20}, {30, 5}, {25, 40}});
         },
         [] {
             return POINT{25, 40};
         }},
        {"an empty polyline leaves the pen",
         [](CGraphicView* v) {
             MoveTo(v, 33, 44);
             Polyline(v, {});
         },
         [] {
             return POINT{33, 44};
         }},
        {"a polygon leaves the pen",
         [](CGraphicView* v) {
             MoveTo(v, 12, 34);
             std::vector<POINT> pts = {{50, 50}, {90, 60}, {70, 90}};
             GRAF_POLYGON block;
             FillPolygonBlock(block, "PAINT", "", pts);
             Grafic_Dll_DefPolygon(v, &block);
         },
         [] {
             return POINT{12, 34};
         }},
        {"a rectangle leaves the pen",
         [](CGraphicView* v) {
             MoveTo(v, 12, 34);
             GRAF_SHAPE block;
             block.verb = "FRAME";
             block.pattern = "";
             block.rect = CRect(100, 100, 150, 140);
             Grafic_Dll_Rectangle(v, &block);
         },
         [] {
             return POINT{12, 34};
         }},
        {"a text moves the pen along its baseline by its width",
         [](CGraphicView* v) {
             MoveTo(v, 20, 60);
             Text(v, "Hello");
         },
         [] {
             return POINT{20 + ArialWidth("Hello", -13), 60};
         }},
        {"two texts: the second continues where the first ended",
         [](CGraphicView* v) {
             MoveTo(v, 20, 60);
             Text(v, "Hello");
             Text(v, "World");
         },
         [] {
             return POINT{20 + ArialWidth("Hello", -13) + ArialWidth("World", -13), 60};
         }},
        {"a larger size between texts measures the second in its own font",
         [](CGraphicView* v) {
             MoveTo(v, 20, 60);
             Text(v, "Ab");
             Grafic_Dll_Set_Text_Size(v, 24);
             Text(v, "Ab");
         },
         [] {
             return POINT{20 + ArialWidth("Ab", -13) + ArialWidth("Ab", -32), 60};
         }},
        {"an empty text does not move the pen",
         [](CGraphicView* v) {
             MoveTo(v, 20, 60);
             Text(v, "");
         },
         [] {
             return POINT{20, 60};
         }},
        {"a text box leaves the pen",
         [](CGraphicView* v) {
             MoveTo(v, 20, 60);
             GRAF_TEXTBOX box;
             box.rect = CRect(150, 150, 250, 200);
             box.align = "C";
             box.framed = TRUE;
             box.text = "inside the box";
             Grafic_Dll_Draw_Text_Box(v, &box);
         },
         [] {
             return POINT{20, 60};
         }},
        {"drawing setters between lines leave the pen; the offset moves it",
         [](CGraphicView* v) {
             MoveTo(v, 10, 10);
             LineBy(v, 10, 0);
             int size = 3;
             Grafic_Dll_Set_Pen_Size(v, &size);
             Grafic_Dll_Set_Fognd_Color(v, kBlue);
             Grafic_Dll_Set_Bkgnd_Color(v, RGB(0, 255, 0));
             Grafic_Dll_Set_Text_Size(v, 18);
             Grafic_Dll_Set_Pen_Normal(v);
             POINT offset = {5, 5};
             Grafic_Dll_Offset_Pen_Location(v, &offset);
             LineBy(v, 0, 10);
         },
         [] {
             return POINT{25, 25};
         }},
        {"the location setter after a line wins",
         [](CGraphicView* v) {
             MoveTo(v, 10, 10);
             LineTo(v, 70, 70);
             MoveTo(v, 200, 20);
         },
         [] {
             return POINT{200, 20};
         }},
    };

    for (const Sequence& row : table) {
        SCOPED_TRACE(row.what);
        GdiCountGuard guard(row.what);
        CGraphicView* v = NewView();
        row.calls(v);
        const POINT expected = row.expected();
        EXPECT_EQ(expected.x, v->m_penLocation.x) << row.what;
        EXPECT_EQ(expected.y, v->m_penLocation.y) << row.what;

        // The marker: a thin red line 30 units to the right of wherever the pen is. GDI draws
        // its first pixel and leaves out its last.
        int one = 1;
        Grafic_Dll_Set_Pen_Size(v, &one);
        Grafic_Dll_Set_Fognd_Color(v, kRed);
        LineBy(v, 30, 0);
        DibCanvas canvas(400, 300);
        Grafic_Dll_RepaintView(v, &canvas.Dc());
        const CRect red = canvas.BoundsOf(kRed);
        EXPECT_EQ(CRect(expected.x, expected.y, expected.x + 30, expected.y + 1), red)
            << row.what << ": the marker line covers " << Str(red);
        v->DestroyWindow();
        PumpMessages();
    }
}

// A line keeps its direction whichever way it points: GDI draws the first pixel and not the
// last, so a reversed line covers the pixels from its start down to one past its end.
TEST_F(PenFollowingTest, ReversedLinesAreDrawnFromTheirStart)
{
    struct Case {
        POINT from, to;
        RECT pixels;  // the black pixels expected
    } cases[] = {
        {{100, 40}, {60, 40}, {61, 40, 101, 41}},
        {{60, 40}, {100, 40}, {60, 40, 100, 41}},
        {{50, 90}, {50, 20}, {50, 21, 51, 91}},
        {{50, 20}, {50, 90}, {50, 20, 51, 90}},
    };
    for (const Case& c : cases) {
        CGraphicView* v = NewView();
        MoveTo(v, c.from.x, c.from.y);
        LineTo(v, c.to.x, c.to.y);
        DibCanvas canvas(400, 300);
        Grafic_Dll_RepaintView(v, &canvas.Dc());
        EXPECT_EQ(CRect(c.pixels), canvas.BoundsOf(kBlack))
            << "line " << Str(c.from) << " to " << Str(c.to) << ": black at "
            << Str(canvas.BoundsOf(kBlack));
        EXPECT_EQ(CRect(c.from.x, c.from.y, c.to.x, c.to.y), Last(v)->bounds)
            << "the line's bounds stay as passed";
        v->DestroyWindow();
        PumpMessages();
    }
}
