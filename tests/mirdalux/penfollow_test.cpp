// The pen location through sequences of calls: texts and lines move it to their end, shapes,
// polygons and text boxes leave it. Each sequence ends with a red marker line drawn from wherever
// the pen is; the repainted picture must show that line starting at the expected pixel.
#include "TestShape.h"

#include <utility>

namespace {

void Text(CGraphicView* v, const char* s)
{
    CString text(s);
    Grafic_Dll_Draw_Text(v, &text);
}

using PenFollowingTest = ViewsIn<420, 320>;

}  // namespace

// Each row puts the pen at start on a new view and runs its calls: the elements appended, the
// last one's bounds as they are (texts' are the text tests'; the scroll range they give is
// GraphicViewTest.ScrollRangeFollowsElementsWhileScrollable's), and the pen at pen moved right
// by the widths of texts in Arial (-13 is the default size, -32 size 24) on a 96 dpi DIB.
TEST_F(PenFollowingTest, EachSequenceLeavesThePenWhereItsLastMovingCallEnds)
{
    typedef CGraphicView* V;
    typedef std::vector<std::pair<const char*, int>> Texts;
    HostPoints path({{10, 20}, {30, 5}, {25, 40}}), none({});
    auto lineTo = [](V v, int x, int y) {
        const POINT p = {x, y};
        Grafic_Dll_Line_To_Point(v, &p);
    };
    // clang-format off
    struct Row {
        const char* name; POINT start; std::function<void(V)> calls; int added; RECT bounds;
        POINT pen; Texts texts;
    };
    const Row rows[] = {
        {"the four shapes leave the pen", {20, 60}, [](V v) {
             for (ShapeKind kind : {kRect, kRoundRect, kOval, kArc})
                 AddShape(v, kind, "PAINT", "", CRect(100, 100, 150, 140));
         }, 4, {100, 100, 150, 140}, {20, 60}, {}},
        {"texts move the pen along the baseline by their widths, the second from the first's end",
         {20, 60}, [](V v) { Text(v, "Hello"); Text(v, "World"); }, 2, {}, {20, 60},
         {{"Hello", -13}, {"World", -13}}},
        {"a larger size between texts measures the second in its own font", {20, 60},
         [](V v) { Text(v, "Ab"); Grafic_Dll_Set_Text_Size(v, 24); Text(v, "Ab"); }, 3, {},
         {20, 60}, {{"Ab", -13}, {"Ab", -32}}},
        {"an empty text does not move the pen", {20, 60}, [](V v) { Text(v, ""); }, 1, {},
         {20, 60}, {{"", -13}}},
        {"a text box leaves the pen", {20, 60},
         [](V v) { AddTextBox(v, CRect(150, 150, 250, 200), "C", "in the box"); }, 1,
         {150, 150, 250, 200}, {20, 60}, {}},
        {"Line_To_Point", {5, 5}, [&](V v) { lineTo(v, 40, 25); }, 1, {5, 5, 40, 25}, {40, 25}, {}},
        {"two Line_Relative: the second from the first's end", {0, 0}, [](V v) {
             const POINT step = {10, 0};
             Grafic_Dll_Line_Relative(v, &step);
             Grafic_Dll_Line_Relative(v, &step);
         }, 2, {10, 0, 20, 0}, {20, 0}, {}},
        {"Plot_Line", {0, 0}, [&](V v) { Grafic_Dll_Plot_Line(v, &path.array); }, 1,
         {10, 5, 30, 40}, {25, 40}, {}},
        {"an empty Plot_Line is still an element", {25, 40},
         [&](V v) { Grafic_Dll_Plot_Line(v, &none.array); }, 1, {65535, 65535, 0, 0}, {25, 40}, {}},
        {"DefPolygon: bounds from the points, not the block's rectangle", {25, 40}, [&](V v) {
             GRAF_POLYGON block;
             FillPolygonBlock(block, "frame", "", path.points);
             block.shape.rect = CRect(200, 200, 300, 300);
             Grafic_Dll_DefPolygon(v, &block);
         }, 1, {10, 5, 30, 40}, {25, 40}, {}},
        {"a line back to the origin", {900, 700}, [&](V v) { lineTo(v, 0, 0); }, 1,
         {900, 700, 0, 0}, {0, 0}, {}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        GdiCountGuard guard(row.name);
        CGraphicView* v = NewView();
        Grafic_Dll_Set_Pen_Location(v, &row.start);
        const int before = Grafic_Dll_GetNbElement(v);
        row.calls(v);
        ASSERT_EQ(before + row.added, Grafic_Dll_GetNbElement(v)) << "elements appended";
        if (row.texts.empty()) {
            EXPECT_EQ(Str(row.bounds), Str(Last(v)->bounds)) << "the last one's bounds";
        }
        DibCanvas canvas(400, 300);
        POINT expected = row.pen;
        for (const auto& t : row.texts)
            expected.x += MeasureArial(canvas.Hdc(), t.second, t.first).cx;
        EXPECT_EQ(Str(expected), Str(v->m_penLocation));

        // The marker: a thin red line 30 units to the right of wherever the pen is. GDI draws
        // its first pixel and leaves out its last.
        const int one = 1;
        const POINT marker = {30, 0};
        Grafic_Dll_Set_Pen_Size(v, &one);
        Grafic_Dll_Set_Fognd_Color(v, kRed);
        Grafic_Dll_Line_Relative(v, &marker);
        Grafic_Dll_RepaintView(v, &canvas.Dc());
        EXPECT_EQ(Str(CRect(expected.x, expected.y, expected.x + 30, expected.y + 1)),
                  Str(canvas.BoundsOf(kRed)))
            << "the marker line";
        v->DestroyWindow();
        PumpMessages();
    }
}
