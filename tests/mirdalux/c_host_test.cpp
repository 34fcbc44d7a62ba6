// A host written in C (blocks_host.c) against the same host written in C++: the argument blocks
// laid out alike by both compilers, and the same calls drawing the same picture. This file is
// also the C++ part of the C host: it makes the strings and arrays the C code cannot.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <cstring>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "GdiCountGuard.h"
#include "TestHost.h"
#include "ViewFixture.h"
#include "blocks_host.h"

// A new array of the class library holding the count items.
template <class TArray, class TItem> TArray* NewArray(const TItem* items, int count)
{
    TArray* pArray = new TArray;
    for (int i = 0; i < count; ++i)
        pArray->Add(items[i]);
    return pArray;
}

extern "C" {

void CHostMakeString(CString* pString, const char* text)
{
    new (pString) CString(text);
}

void CHostFreeString(CString* pString)
{
    pString->~CString();
}

void CHostMakePointArray(CObArray* pArray, POINT* pPoints, int count)
{
    new (pArray) CObArray;
    for (int i = 0; i < count; ++i)
        pArray->Add(reinterpret_cast<CObject*>(&pPoints[i]));
}

void CHostFreePointArray(CObArray* pArray)
{
    // The points are the C host's: only the array goes.
    pArray->RemoveAll();
    pArray->~CObArray();
}

CStringArray* CHostNewStringArray(const char* const* words, int count)
{
    return NewArray<CStringArray>(words, count);
}

void CHostDeleteStringArray(CStringArray* pArray)
{
    delete pArray;
}

CUIntArray* CHostNewNumberArray(const UINT* numbers, int count)
{
    return NewArray<CUIntArray>(numbers, count);
}

void CHostDeleteNumberArray(CUIntArray* pArray)
{
    delete pArray;
}

}  // extern "C"

namespace {

// The same measurements by the C++ compiler. The polygon block embeds an object with virtual
// members, which C++ does not call standard-layout; its offsets are still well defined here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
const BlockLayoutEntry kCxxLayout[] = {BLOCK_LAYOUT_ENTRIES};
#pragma GCC diagnostic pop

// The C host's picture (CHostDrawPicture), call for call, written as a C++ host writes it.
void DrawPictureFromCxx(CGraphicView* pView)
{
    CUIntArray options;
    options.Add(GRAF_OPTION_HIGHLIGHT_ACTIVE);
    options.Add(GRAF_OPTION_CLICK_ON_RELEASE);
    CString outputName("C host output");
    Grafic_Dll_SetOutput(pView, 42, &outputName);
    Grafic_Dll_SetScrollable(pView, TRUE);
    Grafic_Dll_SetViewBkColor(pView, RGB(250, 250, 245), FALSE);
    Grafic_Dll_Set_Options(pView, TRUE, &options);
    Grafic_Dll_Set_Fognd_Color(pView, RGB(31, 78, 153));
    Grafic_Dll_Set_Bkgnd_Color(pView, RGB(240, 216, 96));

    const int penSize = 3;
    Grafic_Dll_Set_Pen_Size(pView, &penSize);
    GRAF_SHAPE shape;
    shape.verb = "frame";
    shape.pattern = "gray";
    shape.rect = CRect(10, 10, 70, 60);
    Grafic_Dll_Rectangle(pView, &shape);
    shape.verb = "Erase";
    shape.pattern = "";
    shape.rect = CRect(80, 10, 140, 60);
    Grafic_Dll_Rectangle(pView, &shape);
    shape.verb = "paint";
    shape.pattern = "black";
    shape.rect = CRect(150, 10, 210, 60);
    Grafic_Dll_Oval(pView, &shape);
    shape.verb = "fill";
    shape.pattern = "ltGray";
    shape.rect = CRect(220, 10, 280, 60);
    Grafic_Dll_Oval(pView, &shape);

    GRAF_ROUNDRECT round;
    round.cornerWidth = 20;
    round.cornerHeight = 12;
    round.shape.verb = "fill";
    round.shape.pattern = "dkgray";
    round.shape.rect = CRect(10, 70, 80, 120);
    Grafic_Dll_Round_Rectangle(pView, &round);
    GRAF_ARC arc;
    arc.startAngle = 0;
    arc.arcAngle = 135;
    arc.shape.verb = "paint";
    arc.shape.pattern = "";
    arc.shape.rect = CRect(90, 70, 150, 120);
    Grafic_Dll_Arc(pView, &arc);
    shape.verb = "active";
    shape.pattern = "7";
    shape.rect = CRect(160, 70, 220, 120);
    Grafic_Dll_Rectangle(pView, &shape);
    std::vector<POINT> starPoints = {{245, 125}, {270, 70}, {295, 125}, {230, 90}, {310, 90}};
    GRAF_POLYGON star;
    FillPolygonBlock(star, "Paint", "", starPoints);
    Grafic_Dll_DefPolygon(pView, &star);
    star.points.RemoveAll();

    POINT start = {10, 135};
    POINT end = {150, 135};
    POINT down = {0, 10};
    POINT back = {-140, 0};
    POINT zigzag[4] = {{160, 150}, {190, 130}, {220, 150}, {250, 130}};
    POINT onwards = {30, 20};
    Grafic_Dll_Set_Pen_Normal(pView);
    Grafic_Dll_Set_Pen_Location(pView, &start);
    Grafic_Dll_Line_To_Point(pView, &end);
    Grafic_Dll_Offset_Pen_Location(pView, &down);
    Grafic_Dll_Line_Relative(pView, &back);
    CObArray list;
    for (POINT& pt : zigzag)
        list.Add(reinterpret_cast<CObject*>(&pt));
    Grafic_Dll_Plot_Line(pView, &list);
    list.RemoveAll();
    Grafic_Dll_Line_Relative(pView, &onwards);
    Grafic_Dll_Set_Pattern(pView, 0);
    Grafic_Dll_Set_Bkg_Pattern(pView, 0);
    Grafic_Dll_Set_Pen_Mode(pView, R2_COPYPEN);
    Grafic_Dll_Set_Text_Mode(pView, 0);

    CString face("Courier New");
    Grafic_Dll_Set_Text_Font(pView, &face);
    Grafic_Dll_Set_Text_Size(pView, 14);
    CStringArray style;
    style.Add("bold");
    style.Add("italic");
    Grafic_Dll_Set_Text_Style(pView, &style);
    POINT baseline = {10, 185};
    Grafic_Dll_Set_Pen_Location(pView, &baseline);
    CString first("From C, ");
    CString second("twice");
    Grafic_Dll_Draw_Text(pView, &first);
    Grafic_Dll_Draw_Text(pView, &second);
    Grafic_Dll_Set_Text_Normal(pView);
    GRAF_TEXTBOX box;
    box.rect = CRect(160, 160, 310, 230);
    box.align = "Centre";
    box.framed = TRUE;
    box.text = "A text box filled in by a host written in C";
    Grafic_Dll_Draw_Text_Box(pView, &box);
}

// How many pixels of the two canvases differ, and the first one that does.
int CountDifferences(const DibCanvas& a, const DibCanvas& b, CPoint& first)
{
    int differing = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            const size_t i = size_t(y) * a.Width() + x;
            if ((a.Bits()[i] & 0xFFFFFF) != (b.Bits()[i] & 0xFFFFFF) && differing++ == 0)
                first = CPoint(x, y);
        }
    }
    return differing;
}

}  // namespace

TEST(CHost, BlocksHaveTheSameLayoutInCAndCxx)
{
    const BlockLayoutEntry* pEntries = nullptr;
    const size_t count = CHostBlockLayout(&pEntries);
    std::map<std::string, size_t> fromC;
    for (size_t i = 0; i < count; ++i)
        fromC[pEntries[i].name] = pEntries[i].value;
    ASSERT_EQ(sizeof(kCxxLayout) / sizeof(kCxxLayout[0]), fromC.size())
        << "the C host measures as many sizes and offsets as the C++ side";
    for (const BlockLayoutEntry& entry : kCxxLayout) {
        ASSERT_EQ(1u, fromC.count(entry.name)) << "the C host measures " << entry.name;
        EXPECT_EQ(entry.value, fromC[entry.name]) << entry.name << ": C++ (expected) against C";
    }
    // The pointer-sized members make the widths differ between 32 and 64 bits.
    EXPECT_EQ(2 * sizeof(void*) + sizeof(RECT), fromC["sizeof GRAF_SHAPE"]);
    EXPECT_EQ(sizeof(GRAF_SHAPE) + 5 * sizeof(void*), fromC["sizeof GRAF_POLYGON"]);
    EXPECT_EQ(20u, fromC["sizeof GRAF_PICTURE"]);
}

TEST(CHost, IconAndPictureBlocksFilledInCReadBackInCxx)
{
    const GRAF_ICON* pIcon = CHostIconBlock();
    EXPECT_EQ(12, pIcon->x);
    EXPECT_EQ(-34, pIcon->y);
    EXPECT_EQ(56, pIcon->iconNumber);
    EXPECT_EQ(78, pIcon->regionId);
    EXPECT_STREQ("icon label", static_cast<LPCTSTR>(pIcon->label));
    EXPECT_EQ(10, pIcon->label.GetLength())
        << "the label is a whole string object, length included";
    CString copy = pIcon->label;
    EXPECT_STREQ("icon label", static_cast<LPCTSTR>(copy));
    CHostFreeIconAndPicture();

    const GRAF_PICTURE* pPicture = CHostPictureBlock();
    EXPECT_EQ(21, pPicture->x);
    EXPECT_EQ(43, pPicture->y);
    EXPECT_EQ(65, pPicture->pictNumber);
    EXPECT_EQ(-87, pPicture->pictParam);
    EXPECT_EQ(109, pPicture->regionId);
}

TEST(CHost, DrawsTheSamePictureAsTheSameCallsFromCxx)
{
    const int width = 320;
    const int height = 240;
    // Setters 1-2, pen size 3, four shapes 4-7, round rectangle, arc, active region, polygon
    // 8-11, pen normal and location 12-13, line, offset, line, polyline, line 14-18, the four
    // one-function setters 19-22, face, size, style, location 23-26, two texts 27-28, text
    // normal 29, text box 30. View settings and options append nothing.
    const int expectedElements = 30;
    GdiCountGuard guard("C and C++ hosts' views");
    ASSERT_NE(nullptr, Grafic_Dll_Start());
    {
        TestParentWindow parent(2 * width + 20, height + 20);
        CGraphicView* fromC = NewGraphicView(parent.Wnd(), CRect(0, 0, width, height), 1);
        CGraphicView* fromCxx =
            NewGraphicView(parent.Wnd(), CRect(width + 10, 0, 2 * width + 10, height), 2);
        ASSERT_NE(nullptr, fromC);
        ASSERT_NE(nullptr, fromCxx);

        EXPECT_EQ(CHOST_WORDS_CHECKED, CHostDrawPicture(fromC))
            << "the C host's verb and pattern words read back upper-cased, the region identifier "
               "as given";
        DrawPictureFromCxx(fromCxx);
        PumpMessages();
        EXPECT_EQ(42, fromC->m_outputId) << "the output value the C host set";
        EXPECT_STREQ("C host output", static_cast<LPCTSTR>(fromC->m_outputName))
            << "the view keeps its own copy of the C host's output name";
        EXPECT_EQ(expectedElements, Grafic_Dll_GetNbElement(fromC))
            << "elements the C host's calls made";
        EXPECT_EQ(expectedElements, Grafic_Dll_GetNbElement(fromCxx))
            << "elements the C++ calls made";

        DibCanvas pictureC(width, height, RGB(1, 2, 3));
        DibCanvas pictureCxx(width, height, RGB(1, 2, 3));
        Grafic_Dll_RepaintView(fromC, &pictureC.Dc());
        Grafic_Dll_RepaintView(fromCxx, &pictureCxx.Dc());
        ::GdiFlush();
        CPoint first(-1, -1);
        const int differing = CountDifferences(pictureC, pictureCxx, first);
        EXPECT_EQ(0, differing)
            << "pixels where the C host's picture differs from the C++ one; the first at ("
            << first.x << ", " << first.y << ")";
        if (differing != 0) {
            pictureC.SaveBmp("c_host_from_c.bmp");
            pictureCxx.SaveBmp("c_host_from_cxx.bmp");
        }
        // Not an empty picture: every kind left its colour.
        EXPECT_EQ(RGB(31, 78, 153), pictureC.Pixel(11, 30)) << "the framed rectangle's left edge";
        EXPECT_EQ(RGB(240, 216, 96), pictureC.Pixel(110, 35))
            << "the erased rectangle, in the background colour";
        EXPECT_EQ(RGB(31, 78, 153), pictureC.Pixel(180, 35)) << "the painted oval's middle";
        EXPECT_EQ(RGB(0, 0, 0), pictureC.Pixel(80, 135)) << "the line drawn to a point";
        EXPECT_EQ(RGB(0, 0, 0), pictureC.Pixel(80, 145)) << "the relative line below it";
        EXPECT_EQ(RGB(250, 250, 245), pictureC.Pixel(190, 95)) << "the active region draws nothing";
        EXPECT_GT(pictureC.CountPixels(RGB(0, 0, 0), CRect(10, 165, 150, 190)), 50)
            << "the two texts";
        EXPECT_EQ(RGB(0, 0, 0), pictureC.Pixel(160, 200)) << "the text box's frame";

        parent.Destroy();
        PumpMessages();
    }
    Grafic_Dll_End();
}
