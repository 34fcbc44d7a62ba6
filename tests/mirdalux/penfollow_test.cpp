// The pen location through sequences of calls: texts move it to their end, shapes, text boxes
// and the drawing setters leave it, the offset moves it. Each sequence ends with a red marker
// line drawn from wherever the pen is; the repainted picture must show that line starting at
// the expected pixel.
#include "ViewFixture.h"

#include <utility>

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

void Text(CGraphicView* v, const char* s)
{
    CString text(s);
    Grafic_Dll_Draw_Text(v, &text);
}

class PenFollowingTest : public ViewFixture
{
protected:
    PenFollowingTest() : ViewFixture(420, 320) {}
};

}  // namespace

// Each row starts with the pen at (20, 60); afterwards the pen must be at pen, moved right by
// the widths of texts in Arial (-13 is the default size, -32 size 24), measured when the row
// runs since they depend on the fonts.
TEST_F(PenFollowingTest, EachSequenceLeavesThePenWhereItsLastMovingCallEnds)
{
    typedef CGraphicView* V;
    typedef std::vector<std::pair<const char*, int>> Texts;
    // clang-format off
    struct Row { const char* name; std::function<void(V)> calls; POINT pen; Texts texts; };
    const Row rows[] = {
        {"the four shapes leave the pen", [](V v) {
             GRAF_SHAPE s = {"PAINT", CRect(100, 100, 150, 140), ""};
             GRAF_ROUNDRECT round = {10, 10, s};
             GRAF_ARC arc = {30, 90, s};
             Grafic_Dll_Rectangle(v, &s); Grafic_Dll_Oval(v, &s);
             Grafic_Dll_Round_Rectangle(v, &round); Grafic_Dll_Arc(v, &arc);
         }, {20, 60}, {}},
        {"texts move the pen along the baseline by their widths, the second from the first's end",
         [](V v) { Text(v, "Hello"); Text(v, "World"); }, {20, 60},
         {{"Hello", -13}, {"World", -13}}},
        {"a larger size between texts measures the second in its own font",
         [](V v) { Text(v, "Ab"); Grafic_Dll_Set_Text_Size(v, 24); Text(v, "Ab"); }, {20, 60},
         {{"Ab", -13}, {"Ab", -32}}},
        {"an empty text does not move the pen", [](V v) { Text(v, ""); }, {20, 60}, {}},
        {"a text box leaves the pen", [](V v) {
             GRAF_TEXTBOX box = {CRect(150, 150, 250, 200), "C", TRUE, "inside the box"};
             Grafic_Dll_Draw_Text_Box(v, &box);
         }, {20, 60}, {}},
        {"drawing setters between lines leave the pen; the offset moves it", [](V v) {
             const int size = 3;
             const POINT right = {10, 0}, offset = {5, 5}, down = {0, 10};
             Grafic_Dll_Line_Relative(v, &right);
             Grafic_Dll_Set_Pen_Size(v, &size); Grafic_Dll_Set_Fognd_Color(v, kBlue);
             Grafic_Dll_Set_Bkgnd_Color(v, RGB(0, 255, 0)); Grafic_Dll_Set_Text_Size(v, 18);
             Grafic_Dll_Set_Pen_Normal(v); Grafic_Dll_Offset_Pen_Location(v, &offset);
             Grafic_Dll_Line_Relative(v, &down);
         }, {35, 75}, {}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        GdiCountGuard guard(row.name);
        CGraphicView* v = NewView();
        POINT start = {20, 60};
        Grafic_Dll_Set_Pen_Location(v, &start);
        row.calls(v);
        POINT expected = row.pen;
        for (const auto& t : row.texts)
            expected.x += ArialWidth(t.first, t.second);
        EXPECT_EQ(Str(expected), Str(v->m_penLocation));

        // The marker: a thin red line 30 units to the right of wherever the pen is. GDI draws
        // its first pixel and leaves out its last.
        const int one = 1;
        const POINT marker = {30, 0};
        Grafic_Dll_Set_Pen_Size(v, &one);
        Grafic_Dll_Set_Fognd_Color(v, kRed);
        Grafic_Dll_Line_Relative(v, &marker);
        DibCanvas canvas(400, 300);
        Grafic_Dll_RepaintView(v, &canvas.Dc());
        EXPECT_EQ(Str(CRect(expected.x, expected.y, expected.x + 30, expected.y + 1)),
                  Str(canvas.BoundsOf(kRed)))
            << "the marker line";
        v->DestroyWindow();
        PumpMessages();
    }
}
