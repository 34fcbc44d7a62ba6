// Every export a host calls with a view, given a null view, and every export taking a pointer,
// given a null one: nothing happens to any view, no GDI object or device context is left
// behind, and the functions with a result give their null result.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <functional>
#include <string>
#include <vector>

#include "TestHost.h"
#include "TestSupport.h"
#include "ViewFixture.h"
#include "view/GraphicView.h"

#include <mirdalux.h>

namespace {

class NullArgumentsTest : public ViewFixture
{
protected:
    NullArgumentsTest() : ViewFixture(420, 320) {}
};

// What a host could see change in a view: its elements, its pen and its drawing state.
struct Snapshot {
    int elements;
    POINT pen;
    int penSize;
    COLORREF fore, back;
    CString face;
    int fontSize;
    UINT style;
    UINT options;

    explicit Snapshot(CGraphicView* v)
        : elements(Grafic_Dll_GetNbElement(v)), pen(v->m_penLocation),
          penSize(v->m_state.m_penSize), fore(v->m_state.m_fogndColor),
          back(v->m_state.m_bkgndColor), face(v->m_state.m_fontName),
          fontSize(v->m_state.m_fontSize), style(v->m_state.m_textStyle),
          options(v->m_defaultOptions)
    {}
    bool operator==(const Snapshot& o) const
    {
        return elements == o.elements && pen.x == o.pen.x && pen.y == o.pen.y &&
               penSize == o.penSize && fore == o.fore && back == o.back && face == o.face &&
               fontSize == o.fontSize && style == o.style && options == o.options;
    }
};

typedef std::function<void(CGraphicView*)> Call;

struct Named {
    const char* name;
    Call call;
};

}  // namespace

TEST_F(NullArgumentsTest, ANullViewDoesNothingAndGivesTheNullResult)
{
    CGraphicView* v = NewView();
    POINT pt = {10, 10};
    Grafic_Dll_Line_To_Point(v, &pt);  // a view with something in it, to watch
    const Snapshot before(v);

    GRAF_SHAPE shape;
    shape.verb = "PAINT";
    shape.pattern = "";
    shape.rect = CRect(0, 0, 50, 50);
    GRAF_ROUNDRECT round = {8, 8, shape};
    GRAF_ARC arc = {0, 90, shape};
    GRAF_TEXTBOX box;
    box.rect = CRect(0, 0, 80, 40);
    box.align = "C";
    box.framed = TRUE;
    box.text = "text";
    GRAF_POLYGON polygon;
    polygon.shape = shape;
    POINT corners[3] = {{0, 0}, {40, 0}, {20, 30}};
    CObArray points;
    for (POINT& p : corners) {
        points.Add(reinterpret_cast<CObject*>(&p));
        polygon.points.Add(reinterpret_cast<CObject*>(&p));
    }
    CString text("text"), face("Courier");
    CStringArray styles;
    styles.Add("bold");
    CUIntArray numbers;
    numbers.Add(1);
    int size = 3;
    DibCanvas canvas(50, 50);

    const std::vector<Named> calls = {
        {"SetScrollable", [](CGraphicView* p) { Grafic_Dll_SetScrollable(p, TRUE); }},
        {"SetViewBkColor",
         [](CGraphicView* p) { Grafic_Dll_SetViewBkColor(p, RGB(1, 2, 3), TRUE); }},
        {"RepaintView", [&](CGraphicView* p) { Grafic_Dll_RepaintView(p, &canvas.Dc()); }},
        {"Del_All_Elt", [](CGraphicView* p) { Grafic_Dll_Del_All_Elt(p); }},
        {"Del_Last_Elt", [](CGraphicView* p) { Grafic_Dll_Del_Last_Elt(p, TRUE); }},
        {"Del_Listed_Elt", [&](CGraphicView* p) { Grafic_Dll_Del_Listed_Elt(p, &numbers, FALSE); }},
        {"Del_All_Activ_Rgn", [](CGraphicView* p) { Grafic_Dll_Del_All_Activ_Rgn(p); }},
        {"Del_All_Click_Rgn", [](CGraphicView* p) { Grafic_Dll_Del_All_Click_Rgn(p); }},
        {"Del_Listed_Activ_Rgn",
         [&](CGraphicView* p) { Grafic_Dll_Del_Listed_Activ_Rgn(p, &numbers); }},
        {"Del_Listed_Click_Rgn",
         [&](CGraphicView* p) { Grafic_Dll_Del_Listed_Click_Rgn(p, &numbers); }},
        {"Set_Pen_Normal", [](CGraphicView* p) { Grafic_Dll_Set_Pen_Normal(p); }},
        {"Set_Pen_Size", [&](CGraphicView* p) { Grafic_Dll_Set_Pen_Size(p, &size); }},
        {"Set_Pen_Location", [&](CGraphicView* p) { Grafic_Dll_Set_Pen_Location(p, &pt); }},
        {"Offset_Pen_Location", [&](CGraphicView* p) { Grafic_Dll_Offset_Pen_Location(p, &pt); }},
        {"Set_Fognd_Color", [](CGraphicView* p) { Grafic_Dll_Set_Fognd_Color(p, RGB(9, 9, 9)); }},
        {"Set_Bkgnd_Color", [](CGraphicView* p) { Grafic_Dll_Set_Bkgnd_Color(p, RGB(9, 9, 9)); }},
        {"Set_Text_Normal", [](CGraphicView* p) { Grafic_Dll_Set_Text_Normal(p); }},
        {"Set_Text_Font", [&](CGraphicView* p) { Grafic_Dll_Set_Text_Font(p, &face); }},
        {"Set_Text_Size", [](CGraphicView* p) { Grafic_Dll_Set_Text_Size(p, 30); }},
        {"Set_Text_Style", [&](CGraphicView* p) { Grafic_Dll_Set_Text_Style(p, &styles); }},
        {"Set_Options", [&](CGraphicView* p) { Grafic_Dll_Set_Options(p, FALSE, &numbers); }},
        {"Set_Pattern", [](CGraphicView* p) { Grafic_Dll_Set_Pattern(p, 1, 2, 3); }},
        {"Set_Bkg_Pattern", [](CGraphicView* p) { Grafic_Dll_Set_Bkg_Pattern(p, 1); }},
        {"Set_Pen_Mode", [](CGraphicView* p) { Grafic_Dll_Set_Pen_Mode(p, 6); }},
        {"Set_Text_Mode", [](CGraphicView* p) { Grafic_Dll_Set_Text_Mode(p, 6); }},
        {"Rectangle", [&](CGraphicView* p) { Grafic_Dll_Rectangle(p, &shape); }},
        {"Oval", [&](CGraphicView* p) { Grafic_Dll_Oval(p, &shape); }},
        {"Round_Rectangle", [&](CGraphicView* p) { Grafic_Dll_Round_Rectangle(p, &round); }},
        {"Arc", [&](CGraphicView* p) { Grafic_Dll_Arc(p, &arc); }},
        {"Draw_Text", [&](CGraphicView* p) { Grafic_Dll_Draw_Text(p, &text); }},
        {"Draw_Text_Box", [&](CGraphicView* p) { Grafic_Dll_Draw_Text_Box(p, &box); }},
        {"Line_To_Point", [&](CGraphicView* p) { Grafic_Dll_Line_To_Point(p, &pt); }},
        {"Line_Relative", [&](CGraphicView* p) { Grafic_Dll_Line_Relative(p, &pt); }},
        {"Plot_Line", [&](CGraphicView* p) { Grafic_Dll_Plot_Line(p, &points); }},
        {"DefPolygon", [&](CGraphicView* p) { Grafic_Dll_DefPolygon(p, &polygon); }},
    };
    const uint32_t white = canvas.Bits()[0];
    for (const Named& c : calls) {
        GdiCountGuard guard(c.name);
        c.call(nullptr);
        EXPECT_TRUE(Snapshot(v) == before) << c.name << " with a null view changed another view";
    }
    EXPECT_EQ(0, Grafic_Dll_GetNbElement(nullptr)) << "the element count of a null view";
    EXPECT_EQ(white, canvas.Bits()[0]) << "RepaintView of a null view drew";
    EXPECT_EQ(CString("text"), CString(box.text)) << "the host's strings stay as they were";
    EXPECT_EQ(CString("PAINT"), CString(shape.verb));

    // Each of them once more on the live view, to show the table calls what it says.
    int changed = 0;
    for (const Named& c : calls) {
        const Snapshot at(v);
        c.call(v);
        changed += !(Snapshot(v) == at);
    }
    EXPECT_GE(changed, 25) << "most of the calls change a live view";
    v->DestroyWindow();
    PumpMessages();
}

TEST_F(NullArgumentsTest, ANullPointerArgumentAppendsAndChangesNothing)
{
    CGraphicView* v = NewView();
    const std::vector<Named> calls = {
        {"RepaintView", [](CGraphicView* p) { Grafic_Dll_RepaintView(p, nullptr); }},
        {"Del_Listed_Elt", [](CGraphicView* p) { Grafic_Dll_Del_Listed_Elt(p, nullptr, FALSE); }},
        {"Del_Listed_Activ_Rgn",
         [](CGraphicView* p) { Grafic_Dll_Del_Listed_Activ_Rgn(p, nullptr); }},
        {"Del_Listed_Click_Rgn",
         [](CGraphicView* p) { Grafic_Dll_Del_Listed_Click_Rgn(p, nullptr); }},
        {"Set_Pen_Size", [](CGraphicView* p) { Grafic_Dll_Set_Pen_Size(p, nullptr); }},
        {"Set_Pen_Location", [](CGraphicView* p) { Grafic_Dll_Set_Pen_Location(p, nullptr); }},
        {"Offset_Pen_Location",
         [](CGraphicView* p) { Grafic_Dll_Offset_Pen_Location(p, nullptr); }},
        {"Set_Text_Font", [](CGraphicView* p) { Grafic_Dll_Set_Text_Font(p, nullptr); }},
        {"Set_Text_Style", [](CGraphicView* p) { Grafic_Dll_Set_Text_Style(p, nullptr); }},
        {"Set_Options", [](CGraphicView* p) { Grafic_Dll_Set_Options(p, FALSE, nullptr); }},
        {"Rectangle", [](CGraphicView* p) { Grafic_Dll_Rectangle(p, nullptr); }},
        {"Oval", [](CGraphicView* p) { Grafic_Dll_Oval(p, nullptr); }},
        {"Round_Rectangle", [](CGraphicView* p) { Grafic_Dll_Round_Rectangle(p, nullptr); }},
        {"Arc", [](CGraphicView* p) { Grafic_Dll_Arc(p, nullptr); }},
        {"Draw_Text", [](CGraphicView* p) { Grafic_Dll_Draw_Text(p, nullptr); }},
        {"Draw_Text_Box", [](CGraphicView* p) { Grafic_Dll_Draw_Text_Box(p, nullptr); }},
        {"Line_To_Point", [](CGraphicView* p) { Grafic_Dll_Line_To_Point(p, nullptr); }},
        {"Line_Relative", [](CGraphicView* p) { Grafic_Dll_Line_Relative(p, nullptr); }},
        {"Plot_Line", [](CGraphicView* p) { Grafic_Dll_Plot_Line(p, nullptr); }},
        {"DefPolygon", [](CGraphicView* p) { Grafic_Dll_DefPolygon(p, nullptr); }},
    };
    for (const Named& c : calls) {
        GdiCountGuard guard(c.name);
        const Snapshot before(v);
        c.call(v);
        EXPECT_TRUE(Snapshot(v) == before) << c.name << " with a null argument changed the view";
    }

    // Blocks and arrays whose strings or point entries are null, as a C host may leave them:
    // nothing is appended. (An empty string is a string and decodes as documented.)
    GRAF_SHAPE shape;
    shape.verb = "PAINT";
    shape.pattern = "GRAY";
    shape.rect = CRect(0, 0, 10, 10);
    GRAF_ROUNDRECT round = {4, 4, shape};
    GRAF_ARC arc = {0, 90, shape};
    GRAF_POLYGON polygon;
    polygon.shape = shape;
    GRAF_TEXTBOX box;
    box.rect = CRect(0, 0, 80, 40);
    box.align = "C";
    box.framed = FALSE;
    box.text = "text";
    CString text("text"), face("Arial");
    CStringArray words;
    words.Add("bold");
    words.Add("italic");
    POINT corner = {5, 5};
    CObArray withNull;
    withNull.Add(reinterpret_cast<CObject*>(&corner));
    withNull.Add(nullptr);
    withNull.Add(reinterpret_cast<CObject*>(&corner));
    polygon.points.Append(withNull);

    const std::vector<std::pair<CString*, Call>> members = {
        {&shape.verb, [&](CGraphicView* p) { Grafic_Dll_Rectangle(p, &shape); }},
        {&shape.pattern, [&](CGraphicView* p) { Grafic_Dll_Oval(p, &shape); }},
        {&round.shape.verb, [&](CGraphicView* p) { Grafic_Dll_Round_Rectangle(p, &round); }},
        {&arc.shape.pattern, [&](CGraphicView* p) { Grafic_Dll_Arc(p, &arc); }},
        {&polygon.shape.verb, [&](CGraphicView* p) { Grafic_Dll_DefPolygon(p, &polygon); }},
        {&box.align, [&](CGraphicView* p) { Grafic_Dll_Draw_Text_Box(p, &box); }},
        {&box.text, [&](CGraphicView* p) { Grafic_Dll_Draw_Text_Box(p, &box); }},
        {&text, [&](CGraphicView* p) { Grafic_Dll_Draw_Text(p, &text); }},
        {&face, [&](CGraphicView* p) { Grafic_Dll_Set_Text_Font(p, &face); }},
        {&words[1], [&](CGraphicView* p) { Grafic_Dll_Set_Text_Style(p, &words); }},
    };
    for (size_t i = 0; i < members.size(); ++i) {
        GdiCountGuard guard("null string member");
        const Snapshot before(v);
        // The member's pointer is cleared for the call and put back before the string is
        // destroyed.
        const char** raw = reinterpret_cast<const char**>(members[i].first);
        const char* kept = *raw;
        *raw = nullptr;
        members[i].second(v);
        *raw = kept;
        EXPECT_TRUE(Snapshot(v) == before)
            << "call " << i << " with a null string changed the view";
    }
    GdiCountGuard guard("null point entry");
    const Snapshot before(v);
    Grafic_Dll_Plot_Line(v, &withNull);
    polygon.shape.verb = "PAINT";
    Grafic_Dll_DefPolygon(v, &polygon);
    EXPECT_TRUE(Snapshot(v) == before) << "a point list with a null entry appended something";
    EXPECT_EQ(3, withNull.GetSize()) << "the host's list stays as it was";
    // The same lists without the null entry are drawn: the guard above is about the entry.
    withNull.RemoveAt(1);
    Grafic_Dll_Plot_Line(v, &withNull);
    EXPECT_EQ(before.elements + 1, Grafic_Dll_GetNbElement(v));
    v->DestroyWindow();
    PumpMessages();
}
