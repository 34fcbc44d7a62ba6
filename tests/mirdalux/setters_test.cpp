// The setter exports seen in the state the next element carries (its record in the state table):
// each changes its fields and appends one state element; styles merge or replace, size 0 is a
// state of its own, pen offsets wrap, option bits go to later elements only.
#include "ViewFixture.h"

#include <climits>

#include "TestShape.h"

namespace {

class SettersTest : public ViewFixture
{
protected:
    SettersTest() : ViewFixture(300, 200, CRect(0, 0, 300, 200)) {}

    // The state record of an element appended now, as the drawing exports append one.
    const CGraphicState& Next(CGraphicView* v)
    {
        const CGraphicState* s =
            LookupState(AddTestShape(v, "next", CRect(0, 0, 5, 5), kRed)->stateIndex);
        EXPECT_NE(nullptr, s);
        static CGraphicState none;
        return s != nullptr ? *s : none;
    }
};

}  // namespace

TEST_F(SettersTest, EachSetterChangesItsFieldsAndAppendsOneStateElement)
{
    GdiCountGuard guard("setters");
    CGraphicView* v = NewView();
    const int size = 5;
    const POINT at = {10, 20}, by = {5, -3}, limits = {INT_MAX, INT_MIN}, wrap = {1, -1};
    const CString face("Times");
    typedef CGraphicState S;
    // Set_Text_Style with these words, and the style the next element carries: without PLAIN the
    // words add bits, with PLAIN they replace the style, no word changes nothing.
    auto style = [v](std::vector<const char*> words) {
        return [v, words] {
            CStringArray array;
            for (const char* w : words)
                array.Add(w);
            Grafic_Dll_Set_Text_Style(v, &array);
        };
    };
    auto is = [](UINT style) { return [style](S& s) { s.m_textStyle = style; }; };
    // clang-format off
    struct Row {
        const char* name; std::function<void()> call; std::function<void(S&)> change; POINT pen;
    };
    const Row rows[] = {
        {"Set_Pen_Size", [&] { Grafic_Dll_Set_Pen_Size(v, &size); },
         [](S& s) { s.m_penSize = 5; }, {0, 0}},
        {"Set_Fognd_Color", [&] { Grafic_Dll_Set_Fognd_Color(v, RGB(1, 2, 3)); },
         [](S& s) { s.m_fogndColor = RGB(1, 2, 3); }, {0, 0}},
        {"Set_Bkgnd_Color", [&] { Grafic_Dll_Set_Bkgnd_Color(v, RGB(4, 5, 6)); },
         [](S& s) { s.m_bkgndColor = RGB(4, 5, 6); }, {0, 0}},
        {"Set_Pen_Location", [&] { Grafic_Dll_Set_Pen_Location(v, &at); }, nullptr, {10, 20}},
        {"Offset_Pen_Location", [&] { Grafic_Dll_Offset_Pen_Location(v, &by); }, nullptr, {15, 17}},
        {"Set_Text_Font", [&] { Grafic_Dll_Set_Text_Font(v, &face); },
         [](S& s) { s.m_fontName = "TIMES"; }, {15, 17}},
        {"Set_Text_Size", [&] { Grafic_Dll_Set_Text_Size(v, 20); },
         [](S& s) { s.m_fontSize = 20; s.m_fontSizeSet = TRUE; }, {15, 17}},
        {"Set_Pen_Normal", [&] { Grafic_Dll_Set_Pen_Normal(v); }, [](S& s) {
             s.m_penSize = 1; s.m_fogndColor = 0; s.m_bkgndColor = kWhite;
             s.m_penMode = R2_COPYPEN;
         }, {15, 17}},
        {"Set_Text_Normal", [&] { Grafic_Dll_Set_Text_Normal(v); }, [](S& s) {
             s.m_fontName = "Arial"; s.m_fontSize = 12; s.m_textStyle = STYLE_PLAIN;
             s.m_fontSizeSet = FALSE;
         }, {15, 17}},
        {"Set_Text_Style Bold", style({"Bold"}), is(129), {15, 17}},
        {"Set_Text_Style Italic: added", style({"Italic"}), is(145), {15, 17}},
        {"Set_Text_Style Plain Underline", style({"Plain", "Underline"}), is(160), {15, 17}},
        {"Set_Text_Style, no word", style({}), nullptr, {15, 17}},
        {"Set_Text_Style p", style({"p"}), is(128), {15, 17}},
        {"Set_Pattern", [&] { Grafic_Dll_Set_Pattern(v, 3); }, nullptr, {15, 17}},
        {"Set_Bkg_Pattern", [&] { Grafic_Dll_Set_Bkg_Pattern(v, &face); }, nullptr, {15, 17}},
        {"Set_Pen_Mode", [&] { Grafic_Dll_Set_Pen_Mode(v, R2_NOT); }, nullptr, {15, 17}},
        {"Set_Text_Mode", [&] { Grafic_Dll_Set_Text_Mode(v, 1, 2, 3); }, nullptr, {15, 17}},
        // Size 0 stores 12 but marks the size chosen: a state of its own.
        {"Set_Text_Size 0", [&] { Grafic_Dll_Set_Text_Size(v, 0); },
         [](S& s) { s.m_fontSizeSet = TRUE; }, {15, 17}},
        {"Set_Pen_Location at the limits", [&] { Grafic_Dll_Set_Pen_Location(v, &limits); },
         nullptr, {INT_MAX, INT_MIN}},
        {"Offset_Pen_Location wraps", [&] { Grafic_Dll_Offset_Pen_Location(v, &wrap); }, nullptr,
         {INT_MIN, INT_MAX}},
    };
    // clang-format on
    // Something for the resets to reset.
    v->m_state.m_penMode = R2_NOT;
    v->m_state.m_textStyle = STYLE_BOLD;
    CGraphicState want;
    want.Assign(v->m_state);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const int before = Grafic_Dll_GetNbElement(v);
        r.call();
        ASSERT_EQ(before + 1, Grafic_Dll_GetNbElement(v)) << "appends one element";
        CGraphicElement* last = v->m_displayList.GetElement(before);
        EXPECT_TRUE(last->IsState() && last->stateIndex + last->verb + last->pattern == 0);
        EXPECT_EQ(Str(r.pen), Str(v->m_penLocation));
        if (r.change)
            r.change(want);
        const CGraphicState& next = Next(v);
        EXPECT_TRUE(want.IsEqual(next))
            << "expected " << Describe(want) << ", got " << Describe(next);
    }
}

// The list sets or clears bits 1, 2 and 4 (0: all), an empty list all or none; elements appended
// later carry the bits, earlier ones keep theirs, and nothing is appended.
TEST_F(SettersTest, OptionsChangeLaterElementsOnly)
{
    // clang-format off
    struct Row {
        const char* name; UINT start; BOOL on; std::initializer_list<UINT> list; UINT result;
    };
    const Row rows[] = {
        {"clear 2", 7, FALSE, {2}, 5}, {"clear 1 and 3", 7, FALSE, {1, 3}, 2},
        {"set 3 and 1", 0, TRUE, {3, 1}, 5}, {"set all by 0", 5, TRUE, {0}, 7},
        {"clear all by 0", 7, FALSE, {0, 2}, 0}, {"unknown numbers", 2, FALSE, {9, 4, 100}, 2},
        {"empty list on", 0, TRUE, {}, 7}, {"empty list off", 7, FALSE, {}, 0},
        {"any non-zero is on", 3, 5, {3}, 7},
    };
    // clang-format on
    CGraphicView* v = NewView();
    CTestShape* first = AddTestShape(v, "first", CRect(0, 0, 5, 5), kRed);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        v->m_defaultOptions = r.start;
        CUIntArray list;
        for (UINT n : r.list)
            list.Add(n);
        const int before = Grafic_Dll_GetNbElement(v);
        Grafic_Dll_Set_Options(v, r.on, &list);
        EXPECT_EQ(before, Grafic_Dll_GetNbElement(v)) << "appends nothing";
        EXPECT_EQ(r.result, AddTestShape(v, "later", CRect(0, 0, 5, 5), kRed)->options);
        EXPECT_EQ((INT_PTR)r.list.size(), list.GetSize()) << "the host's list is not changed";
    }
    EXPECT_EQ(7u, first->options) << "an element appended before keeps its bits";
}

// Set_Pattern, Set_Bkg_Pattern, Set_Pen_Mode and Set_Text_Mode share one function, exported under
// those names only (what each does is EachSetterChangesItsFieldsAndAppendsOneStateElement's).
TEST_F(SettersTest, TheStateOnlySetterIsNotExportedUnderItsOwnName)
{
    HMODULE hLib = ::GetModuleHandleA("mirdalux.dll");
    EXPECT_EQ(nullptr, ::GetProcAddress(hLib, "GraficAppendStateOnly"));
}
