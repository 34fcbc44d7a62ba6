// Every export given a null view, and every pointer argument given as null (or a block whose
// string or point entry is null, as a C host may leave it): the view is left as it was, nothing is
// drawn and no GDI object or DC is left behind. One row per export.
#include "TestShape.h"

#include <map>
#include <utility>

namespace {

using NullArgumentsTest = ViewsIn<420, 320>;

// What a host could see change in a view: elements, pen, view settings and drawing state.
std::string Snapshot(CGraphicView* v)
{
    char buf[200];
    wsprintfA(buf,
              "%d elements, pen (%ld,%ld), options %u, view bk %06X, scroll %d, output %ld '%s' ",
              Grafic_Dll_GetNbElement(v), v->m_penLocation.x, v->m_penLocation.y,
              v->m_defaultOptions, (unsigned)v->m_viewBkColor, v->m_bScrollable,
              (long)v->m_outputId, (LPCTSTR)v->m_outputName);
    return buf + Describe(v->m_state);
}

typedef std::function<void(CGraphicView*)> Call;

// An export called with good arguments and, when it takes a pointer, with that pointer null.
struct Row {
    Row(const char* n, Call c, Call w = nullptr) : name(n), call(c), withNullPointer(w) {}
    const char* name;
    Call call, withNullPointer;
};

// The arguments the rows pass; the blocks draw something visible on a live view.
struct Args {
    POINT pt = {10, 10};
    int size = 3;
    CString text = "text", face = "Courier", name = "plotter";
    CStringArray styles;
    CUIntArray numbers;
    GRAF_SHAPE shape = {"PAINT", {0, 0, 50, 50}, "GRAY"};
    GRAF_ROUNDRECT round = {8, 8, shape};
    GRAF_ARC arc = {0, 90, shape};
    GRAF_TEXTBOX box = {{0, 0, 80, 40}, "C", TRUE, "text"};
    GRAF_POLYGON polygon = {shape, {}};
    GRAF_ICON icon = {10, 10, 0, 1, "icon"};
    GRAF_PICTURE picture = {10, 10, 0, 0, 1};
    RECT rect = {0, 0, 20, 20};
    POINT corners[3] = {{0, 0}, {40, 0}, {20, 30}};
    CObArray points;
    DibCanvas canvas{50, 50};

    Args()
    {
        styles.Add("bold");
        numbers.Add(1);
        for (POINT& p : corners) {
            points.Add(reinterpret_cast<CObject*>(&p));
            polygon.points.Add(reinterpret_cast<CObject*>(&p));
        }
    }
};

// ROW: an export whose arguments after the view are values; PTR_ROW: one taking a pointer, which
// the second call passes as null (the arguments before it as given).
#define CALL(f, ...) [&](V p) { Grafic_Dll_##f(p, ##__VA_ARGS__); }
#define ROW(f, ...) Row(#f, CALL(f, ##__VA_ARGS__))
#define PTR_ROW(f, ptr, ...) Row(#f, CALL(f, ##__VA_ARGS__, ptr), CALL(f, ##__VA_ARGS__, nullptr))

std::vector<Row> Rows(Args& a)
{
    typedef CGraphicView* V;
    // clang-format off
    return {
        PTR_ROW(SetOutput, &a.name, 43), ROW(SetScrollable, FALSE),
        ROW(SetViewBkColor, RGB(1, 2, 3), TRUE), PTR_ROW(RepaintView, &a.canvas.Dc()),
        ROW(Del_All_Elt), ROW(Del_Last_Elt, TRUE),
        {"Del_Listed_Elt", [&](V p) { Grafic_Dll_Del_Listed_Elt(p, &a.numbers, FALSE); },
         [](V p) { Grafic_Dll_Del_Listed_Elt(p, nullptr, TRUE); }},
        ROW(Del_All_Activ_Rgn), ROW(Del_All_Click_Rgn),
        PTR_ROW(Del_Listed_Activ_Rgn, &a.numbers), PTR_ROW(Del_Listed_Click_Rgn, &a.numbers),
        ROW(Set_Pen_Normal), PTR_ROW(Set_Pen_Size, &a.size),
        PTR_ROW(Set_Pen_Location, &a.pt), PTR_ROW(Offset_Pen_Location, &a.pt),
        ROW(Set_Fognd_Color, RGB(9, 9, 9)), ROW(Set_Bkgnd_Color, RGB(9, 9, 9)),
        ROW(Set_Text_Normal), PTR_ROW(Set_Text_Font, &a.face), ROW(Set_Text_Size, 30),
        PTR_ROW(Set_Text_Style, &a.styles), PTR_ROW(Set_Options, &a.numbers, FALSE),
        ROW(Set_Pattern, 1, 2, 3), ROW(Set_Bkg_Pattern, 1), ROW(Set_Pen_Mode, 6),
        ROW(Set_Text_Mode, 6), PTR_ROW(Rectangle, &a.shape), PTR_ROW(Oval, &a.shape),
        PTR_ROW(Round_Rectangle, &a.round), PTR_ROW(Arc, &a.arc), PTR_ROW(Draw_Text, &a.text),
        PTR_ROW(Draw_Text_Box, &a.box), PTR_ROW(Line_To_Point, &a.pt),
        PTR_ROW(Line_Relative, &a.pt), PTR_ROW(Plot_Line, &a.points),
        PTR_ROW(DefPolygon, &a.polygon), PTR_ROW(Icon, &a.icon), ROW(Set_Icon, 0),
        PTR_ROW(Picture, &a.picture), ROW(Set_Pict, 0, HGLOBAL(NULL), 0),
        {"DefineCurPict", [&](V p) { Grafic_Dll_DefineCurPict(p, &a.pt, 1); },
         [](V p) { Grafic_Dll_DefineCurPict(p, nullptr, 1); }},
        {"UpdateCurPict", [&](V p) { Grafic_Dll_UpdateCurPict(p, NULL, &a.rect, 0); },
         [](V p) { Grafic_Dll_UpdateCurPict(p, NULL, nullptr, 0); }},
        PTR_ROW(UpdatePictSize, &a.rect), ROW(SetTransparentIndex, 2),
    };
    // clang-format on
}

}  // namespace

TEST_F(NullArgumentsTest, ANullViewDoesNothingAndGivesTheNullResult)
{
    CGraphicView* v = NewView();
    Args a;
    Grafic_Dll_Line_To_Point(v, &a.pt);  // a view with something in it, to watch
    const std::string before = Snapshot(v);
    const std::vector<Row> rows = Rows(a);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        GdiCountGuard guard(r.name);
        r.call(nullptr);
        EXPECT_EQ(before, Snapshot(v)) << "a null view changed another view";
    }
    ExpectValues({{"GetNbElement", 0, Grafic_Dll_GetNbElement(nullptr)},
                  {"GetSelectedIcon", 0, Grafic_Dll_GetSelectedIcon(nullptr)},
                  {"GetTransparentIndex", -1, Grafic_Dll_GetTransparentIndex(nullptr)},
                  {"HasOnlyOnePict", 0, Grafic_Dll_HasOnlyOnePict(nullptr) != NULL},
                  {"GetPictSize", 0, Grafic_Dll_GetPictSize(nullptr) != CSize(0, 0)}});
    EXPECT_EQ(2500, a.canvas.CountPixels(kWhite)) << "RepaintView of a null view drew";
    EXPECT_EQ(1, (int)a.numbers[0]) << "the host's number array is rewritten only for a view";
    EXPECT_STREQ("PAINT", a.shape.verb);

    // The same rows on the live view change it: the null view is what made them do nothing.
    int changed = 0;
    for (const Row& r : rows) {
        const std::string at = Snapshot(v);
        r.call(v);
        changed += at != Snapshot(v);
    }
    EXPECT_GE(changed, 25) << "most of the rows change a live view";

    // A view creation missing its parent or its view makes no window.
    CGraphicView* orphan = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
    CRect rc(0, 0, 50, 50);
    Grafic_Dll_NewDoc(NULL, orphan, &rc, 2, FALSE);
    Grafic_Dll_NewDoc(m_parent.Wnd(), NULL, &rc, 2, FALSE);
    EXPECT_EQ(nullptr, orphan->m_hWnd) << "no parent: no window";
    delete orphan;
}

TEST_F(NullArgumentsTest, ANullPointerArgumentAppendsAndChangesNothing)
{
    CGraphicView* v = NewView();
    Args a;
    Grafic_Dll_SetOutput(v, 43, &a.name);
    for (const Row& r : Rows(a)) {
        if (!r.withNullPointer)
            continue;
        SCOPED_TRACE(r.name);
        GdiCountGuard guard(r.name);
        const std::string before = Snapshot(v);
        r.withNullPointer(v);
        EXPECT_EQ(before, Snapshot(v)) << "a null argument changed the view";
    }
    Grafic_Dll_SetOutput(v, 9, NULL);
    EXPECT_EQ(9, v->m_outputId) << "without a name only the output value changes";
}

// A block's string member or an array's point entry left null: the rows' calls append nothing.
TEST_F(NullArgumentsTest, ANullStringOrPointEntryAppendsNothing)
{
    CGraphicView* v = NewView();
    Args a;
    a.styles.Add("italic");
    std::map<std::string, Call> calls;
    for (const Row& r : Rows(a))
        calls[r.name] = r.call;
    auto check = [&](const char* name, CString* member) {
        SCOPED_TRACE(std::string(name) + (member != nullptr ? " with a null string" : ""));
        GdiCountGuard guard(name);
        const std::string before = Snapshot(v);
        // The pointer is cleared for the call and put back before the string is destroyed.
        const char* none = nullptr;
        const char** raw = member != nullptr ? reinterpret_cast<const char**>(member) : &none;
        const char* kept = std::exchange(*raw, nullptr);
        calls[name](v);
        *raw = kept;
        EXPECT_EQ(before, Snapshot(v));
    };
    // clang-format off
    const std::pair<const char*, CString*> members[] = {
        {"Rectangle", &a.shape.verb}, {"Oval", &a.shape.pattern},
        {"Round_Rectangle", &a.round.shape.verb}, {"Arc", &a.arc.shape.pattern},
        {"DefPolygon", &a.polygon.shape.verb}, {"Draw_Text_Box", &a.box.align},
        {"Draw_Text_Box", &a.box.text}, {"Draw_Text", &a.text}, {"Set_Text_Font", &a.face},
        {"Set_Text_Style", &a.styles[1]},
    };
    // clang-format on
    for (const auto& m : members)
        check(m.first, m.second);
    a.points.InsertAt(1, (CObject*)nullptr);
    a.polygon.points.InsertAt(1, (CObject*)nullptr);
    check("Plot_Line", nullptr);
    check("DefPolygon", nullptr);
    EXPECT_EQ(4, a.points.GetSize()) << "the host's list stays as it was";
    // Without the null entry the same list is drawn: the rows above are about the entry.
    a.points.RemoveAt(1);
    calls["Plot_Line"](v);
    EXPECT_EQ(1, Grafic_Dll_GetNbElement(v));
}
