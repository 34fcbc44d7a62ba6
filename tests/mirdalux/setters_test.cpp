// The setter exports on real views: each changes its field of the drawing state and appends
// one state element (Set_Options none), null views and pointers do nothing, the host's strings
// stay as given, styles merge or replace, option bits apply to later elements, and the four
// names of the state-only setter are one function.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <climits>
#include <functional>
#include <string>

#include "TestHost.h"
#include "ViewFixture.h"
#include "TestShape.h"
#include "TestSupport.h"
#include "view/GraphicView.h"

#include <mirdalux.h>

namespace {

std::string Describe(const CGraphicState& s)
{
    return "pen " + std::to_string(s.m_penSize) + " fore " + std::to_string(s.m_fogndColor) +
           " back " + std::to_string(s.m_bkgndColor) + " mode " + std::to_string(s.m_penMode) +
           " face \"" + std::string((LPCTSTR)s.m_fontName) + "\" size " +
           std::to_string(s.m_fontSize) + " style " + std::to_string(s.m_textStyle) + " set " +
           std::to_string(s.m_fontSizeSet);
}

}  // namespace

class SettersTest : public ViewFixture
{
protected:
    SettersTest() : ViewFixture(300, 200, CRect(0, 0, 300, 200)) {}
};

// Each setter changes exactly its fields and appends one state element at the end of the list.
TEST_F(SettersTest, EachSetterChangesItsFieldsAndAppendsOneStateElement)
{
    GdiCountGuard guard("setters");
    CGraphicView* v = NewView();
    const int size = 5;
    const POINT at = {10, 20};
    const POINT by = {5, -3};
    const CString face("Times");
    struct Case {
        const char* name;
        std::function<void()> call;
        std::function<void(CGraphicState&, POINT&)> expect;
    };
    const Case cases[] = {
        {"Set_Pen_Size", [&] { Grafic_Dll_Set_Pen_Size(v, &size); },
         [](CGraphicState& s, POINT&) { s.m_penSize = 5; }},
        {"Set_Fognd_Color", [&] { Grafic_Dll_Set_Fognd_Color(v, RGB(1, 2, 3)); },
         [](CGraphicState& s, POINT&) { s.m_fogndColor = RGB(1, 2, 3); }},
        {"Set_Bkgnd_Color", [&] { Grafic_Dll_Set_Bkgnd_Color(v, RGB(4, 5, 6)); },
         [](CGraphicState& s, POINT&) { s.m_bkgndColor = RGB(4, 5, 6); }},
        {"Set_Pen_Location", [&] { Grafic_Dll_Set_Pen_Location(v, &at); },
         [](CGraphicState&, POINT& p) {
             p = POINT{10, 20};
         }},
        {"Offset_Pen_Location", [&] { Grafic_Dll_Offset_Pen_Location(v, &by); },
         [](CGraphicState&, POINT& p) {
             p = POINT{15, 17};
         }},
        {"Set_Text_Font", [&] { Grafic_Dll_Set_Text_Font(v, &face); },
         [](CGraphicState& s, POINT&) { s.m_fontName = "TIMES"; }},
        {"Set_Text_Size", [&] { Grafic_Dll_Set_Text_Size(v, 20); },
         [](CGraphicState& s, POINT&) {
             s.m_fontSize = 20;
             s.m_fontSizeSet = TRUE;
         }},
        {"Set_Pen_Normal", [&] { Grafic_Dll_Set_Pen_Normal(v); },
         [](CGraphicState& s, POINT&) {
             s.m_penSize = 1;
             s.m_fogndColor = 0;
             s.m_bkgndColor = RGB(255, 255, 255);
             s.m_penMode = R2_COPYPEN;
         }},
        {"Set_Text_Normal", [&] { Grafic_Dll_Set_Text_Normal(v); },
         [](CGraphicState& s, POINT&) {
             s.m_fontName = "Arial";
             s.m_fontSize = 12;
             s.m_textStyle = STYLE_PLAIN;
             s.m_fontSizeSet = FALSE;
         }},
        {"Set_Pattern", [&] { Grafic_Dll_Set_Pattern(v, 3); }, nullptr},
        {"Set_Bkg_Pattern", [&] { Grafic_Dll_Set_Bkg_Pattern(v, &face); }, nullptr},
        {"Set_Pen_Mode", [&] { Grafic_Dll_Set_Pen_Mode(v, R2_NOT); }, nullptr},
        {"Set_Text_Mode", [&] { Grafic_Dll_Set_Text_Mode(v, 1, 2, 3); }, nullptr},
    };
    // Something to reset first, so that the resets are seen.
    v->m_state.m_penMode = R2_NOT;
    v->m_state.m_textStyle = STYLE_BOLD;
    CGraphicState want;
    want.Assign(v->m_state);
    POINT pen = v->m_penLocation;
    for (const Case& c : cases) {
        const int before = Grafic_Dll_GetNbElement(v);
        c.call();
        if (c.expect)
            c.expect(want, pen);
        EXPECT_TRUE(want.IsEqual(v->m_state))
            << c.name << ": expected " << Describe(want) << ", got " << Describe(v->m_state);
        EXPECT_EQ(pen.x, v->m_penLocation.x) << c.name;
        EXPECT_EQ(pen.y, v->m_penLocation.y) << c.name;
        ASSERT_EQ(before + 1, Grafic_Dll_GetNbElement(v)) << c.name << " appends one element";
        CGraphicElement* last = v->m_displayList.GetElement(before);
        EXPECT_TRUE(last->IsState()) << c.name << " appends a state element";
        EXPECT_EQ(0, last->stateIndex + last->verb + last->pattern) << c.name;
    }
}

// A null view or a null argument pointer changes nothing and appends nothing.
TEST_F(SettersTest, NullViewAndNullPointersDoNothing)
{
    GdiCountGuard guard("null arguments");
    const int size = 4;
    const POINT pt = {1, 1};
    const CString face("geneva");
    CStringArray words;
    words.Add("bold");
    CUIntArray options;
    Grafic_Dll_Set_Pen_Normal(NULL);
    Grafic_Dll_Set_Pen_Size(NULL, &size);
    Grafic_Dll_Set_Pen_Location(NULL, &pt);
    Grafic_Dll_Offset_Pen_Location(NULL, &pt);
    Grafic_Dll_Set_Fognd_Color(NULL, 1);
    Grafic_Dll_Set_Bkgnd_Color(NULL, 1);
    Grafic_Dll_Set_Text_Normal(NULL);
    Grafic_Dll_Set_Text_Font(NULL, &face);
    Grafic_Dll_Set_Text_Size(NULL, 9);
    Grafic_Dll_Set_Text_Style(NULL, &words);
    Grafic_Dll_Set_Options(NULL, FALSE, &options);
    Grafic_Dll_Set_Pattern(NULL);
    Grafic_Dll_Set_Bkg_Pattern(NULL);
    Grafic_Dll_Set_Pen_Mode(NULL);
    Grafic_Dll_Set_Text_Mode(NULL);

    CGraphicView* v = NewView();
    CGraphicState want;
    want.Assign(v->m_state);
    const UINT options0 = v->m_defaultOptions;
    Grafic_Dll_Set_Pen_Size(v, NULL);
    Grafic_Dll_Set_Pen_Location(v, NULL);
    Grafic_Dll_Offset_Pen_Location(v, NULL);
    Grafic_Dll_Set_Text_Font(v, NULL);
    Grafic_Dll_Set_Text_Style(v, NULL);
    Grafic_Dll_Set_Options(v, FALSE, NULL);
    EXPECT_EQ(0, Grafic_Dll_GetNbElement(v));
    EXPECT_TRUE(want.IsEqual(v->m_state)) << "got " << Describe(v->m_state);
    EXPECT_EQ(0, v->m_penLocation.x + v->m_penLocation.y);
    EXPECT_EQ(options0, v->m_defaultOptions);
}

// Face names: mapped after upper-casing a copy; the host's string stays as given.
TEST_F(SettersTest, FaceNamesMapOnACopy)
{
    struct Case {
        const char* name;
        const char* stored;
    };
    const Case cases[] = {
        {"geneva", "Arial"},
        {"MONACO", "Arial"},
        {"Monaco ", "MONACO "},
        {"calfixedsys", "COURIER"},
        {"courier", "COURIER"},
        {"Arial", "ARIAL"},
        {"Times New Roman", "TIMES NEW ROMAN"},
        {"", "Arial"},
    };
    CGraphicView* v = NewView();
    for (const Case& c : cases) {
        CString host(c.name);
        Grafic_Dll_Set_Text_Font(v, &host);
        EXPECT_STREQ(c.stored, v->m_state.m_fontName) << "face \"" << c.name << "\"";
        EXPECT_STREQ(c.name, host) << "the host's face name is not changed";
    }
    EXPECT_EQ((int)(sizeof(cases) / sizeof(cases[0])), Grafic_Dll_GetNbElement(v));
}

// Without PLAIN style words add bits; with PLAIN they replace the style; no word changes nothing
// but still appends.
TEST_F(SettersTest, StylesMergeOrReplace)
{
    struct Case {
        std::initializer_list<const char*> words;
        UINT style;
    };
    const Case cases[] = {
        {{"Bold"}, 129},   {{"Italic"}, 145}, {{"Plain", "Underline"}, 160},
        {{}, 160},         {{"x", ""}, 160},  {{"p"}, 128},
        {{"e", "c"}, 200},
    };
    CGraphicView* v = NewView();
    int count = 0;
    for (const Case& c : cases) {
        CStringArray words;
        for (const char* w : c.words)
            words.Add(w);
        Grafic_Dll_Set_Text_Style(v, &words);
        EXPECT_EQ(c.style, v->m_state.m_textStyle) << "after word list " << count;
        EXPECT_EQ(++count, Grafic_Dll_GetNbElement(v));
    }
    Grafic_Dll_Set_Text_Normal(v);
    EXPECT_EQ((UINT)STYLE_PLAIN, v->m_state.m_textStyle);
}

// Size 0 stores 12 but marks the size chosen: a state of its own in the table. Offsets wrap.
TEST_F(SettersTest, TextSizeZeroIsANewRecordAndOffsetsWrap)
{
    CGraphicView* v = NewView();
    AddTestShape(v, "default", CRect(0, 0, 5, 5), RGB(255, 0, 0));
    const int defaultIndex = v->InternState();
    Grafic_Dll_Set_Text_Size(v, 0);
    EXPECT_EQ(12, v->m_state.m_fontSize);
    EXPECT_TRUE(v->m_state.m_fontSizeSet);
    const int sizedIndex = v->InternState();
    EXPECT_NE(defaultIndex, sizedIndex) << "size 0 is not the default state";
    Grafic_Dll_Set_Text_Normal(v);
    EXPECT_EQ(defaultIndex, v->InternState()) << "back to the default record";

    const POINT start = {INT_MAX, INT_MIN};
    const POINT step = {1, -1};
    Grafic_Dll_Set_Pen_Location(v, &start);
    Grafic_Dll_Offset_Pen_Location(v, &step);
    EXPECT_EQ(INT_MIN, v->m_penLocation.x);
    EXPECT_EQ(INT_MAX, v->m_penLocation.y);
}

// Option bits: the list sets or clears bits 1, 2 and 4 (0 all of them), an empty list all or
// none; nothing is appended and only later elements take the new bits.
TEST_F(SettersTest, OptionsChangeLaterElementsOnly)
{
    struct Case {
        UINT start;
        BOOL on;
        std::initializer_list<UINT> list;
        UINT result;
    };
    const Case cases[] = {
        {7, FALSE, {2}, 5}, {7, FALSE, {1, 3}, 2}, {0, TRUE, {3, 1}, 5},
        {5, TRUE, {0}, 7},  {7, FALSE, {0, 2}, 0}, {2, FALSE, {9, 4, 100}, 2},
        {0, TRUE, {}, 7},   {7, FALSE, {}, 0},     {3, 5, {3}, 7},
    };
    CGraphicView* v = NewView();
    for (const Case& c : cases) {
        v->m_defaultOptions = c.start;
        CUIntArray list;
        for (UINT n : c.list)
            list.Add(n);
        Grafic_Dll_Set_Options(v, c.on, &list);
        EXPECT_EQ(c.result, v->m_defaultOptions) << "from " << c.start << " on " << c.on;
        EXPECT_EQ((INT_PTR)c.list.size(), list.GetSize()) << "the host's list is not changed";
    }
    EXPECT_EQ(0, Grafic_Dll_GetNbElement(v));

    v->m_defaultOptions = 7;
    CTestShape* before = AddTestShape(v, "before", CRect(0, 0, 5, 5), RGB(255, 0, 0));
    CUIntArray two;
    two.Add(2);
    Grafic_Dll_Set_Options(v, FALSE, &two);
    CTestShape* after = AddTestShape(v, "after", CRect(0, 0, 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(7u, before->options);
    EXPECT_EQ(5u, after->options);
    EXPECT_EQ(2, Grafic_Dll_GetNbElement(v));
}

// The four state-only setters are one function under four names.
TEST_F(SettersTest, FourNamesOfOneStateOnlySetter)
{
    HMODULE hLib = ::GetModuleHandleA("mirdalux.dll");
    ASSERT_NE(nullptr, hLib);
    const char* names[] = {"Grafic_Dll_Set_Pattern", "Grafic_Dll_Set_Bkg_Pattern",
                           "Grafic_Dll_Set_Pen_Mode", "Grafic_Dll_Set_Text_Mode"};
    FARPROC first = ::GetProcAddress(hLib, names[0]);
    ASSERT_NE(nullptr, first);
    for (const char* name : names)
        EXPECT_EQ(first, ::GetProcAddress(hLib, name)) << name << " is the same function";
    EXPECT_EQ(nullptr, ::GetProcAddress(hLib, "GraficAppendStateOnly")) << "only the four names";
}
