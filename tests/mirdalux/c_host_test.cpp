// A host written in C (blocks_host.c): its blocks and callback table laid out as the C++ compiler
// lays them out, and its picture. Also the C++ part of that host: the strings and arrays.
#include "ViewFixture.h"

#include <iterator>
#include <new>

#include "blocks_host.h"
#include "lib/Library.h"

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
    pArray->~CObArray();  // the array only: the points are the C host's
}

CStringArray* CHostNewStringArray(const char* const* words, int count)
{
    CStringArray* pArray = new CStringArray;
    for (int i = 0; i < count; ++i)
        pArray->Add(words[i]);
    return pArray;
}

void CHostDeleteStringArray(CStringArray* pArray)
{
    delete pArray;
}

CUIntArray* CHostNewNumberArray(const UINT* numbers, int count)
{
    CUIntArray* pArray = new CUIntArray;
    for (int i = 0; i < count; ++i)
        pArray->Add(numbers[i]);
    return pArray;
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

}  // namespace

TEST(CHost, BlocksHaveTheSameLayoutInCAndCxx)
{
    const BlockLayoutEntry* fromC = nullptr;
    ASSERT_EQ(std::size(kCxxLayout), CHostBlockLayout(&fromC))
        << "the C host measures as many sizes and offsets as the C++ side";
    size_t slot = 0;
    for (size_t i = 0; i < std::size(kCxxLayout); ++i) {
        const BlockLayoutEntry& entry = kCxxLayout[i];
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(entry.value, fromC[i].value) << "C++ (expected) against C";
        if (std::string(entry.name).rfind("GraficCallbacks.", 0) == 0) {
            EXPECT_EQ(slot++ * sizeof(void*), entry.value) << "pointer-sized slots in order";
        }
    }
    EXPECT_EQ(8u, slot);
}

TEST(CHost, CallbackTableFilledInC)
{
    GraficCallbacks* pTable = CHostStart();
    ASSERT_NE(nullptr, pTable);
    EXPECT_EQ(pTable, GetGraficCallbacks()) << "the C host got the library's table";
    ASSERT_NE(nullptr, pTable->OnActiveClick);
    pTable->OnActiveClick(NULL, 9);
    EXPECT_EQ(9, g_cHostLastRegion) << "the C host's function sits in slot 1";
    Grafic_Dll_End();
}

// The picture the C host's calls drew at once on the screen is what a repaint draws, and every
// kind left its colour in it.
TEST(CHost, DrawsAtOnceWhatARepaintDraws)
{
    GdiCountGuard guard("the C host's view");
    ASSERT_NE(nullptr, Grafic_Dll_Start());
    {
        TestParentWindow parent(340, 260);
        CGraphicView* v = NewGraphicView(parent.Wnd(), CRect(0, 0, 320, 240));
        EXPECT_EQ(CHOST_WORDS_CHECKED, CHostDrawPicture(v))
            << "the C host's words read back upper-cased, the region identifier as given";
        PumpMessages();
        EXPECT_STREQ("C host output", v->m_outputName) << "the view's own copy of the name";
        ExpectValues({{"the output value the C host set", 42, v->m_outputId},
                      {"one element for each call but the view settings and options", 30,
                       Grafic_Dll_GetNbElement(v)}});

        CRect client;
        v->GetClientRect(&client);
        DibCanvas screen(client.Width(), client.Height()), repaint(client.Width(), client.Height());
        ASSERT_TRUE(CaptureClient(v->m_hWnd, screen));
        Grafic_Dll_RepaintView(v, &repaint.Dc());
        EXPECT_TRUE(SamePixels(repaint, screen));
        ExpectValues(
            {{"the framed rectangle's left edge", RGB(31, 78, 153), repaint.Pixel(11, 30)},
             {"the erased rectangle, in the background colour", RGB(240, 216, 96),
              repaint.Pixel(110, 35)},
             {"the painted oval's middle", RGB(31, 78, 153), repaint.Pixel(180, 35)},
             {"the line drawn to a point", kBlack, repaint.Pixel(80, 135)},
             {"the relative line below it", kBlack, repaint.Pixel(80, 145)},
             {"the active region draws nothing", RGB(250, 250, 245), repaint.Pixel(190, 95)},
             {"the text box's frame", kBlack, repaint.Pixel(160, 200)}});
        EXPECT_GT(repaint.CountPixels(kBlack, CRect(10, 165, 150, 190)), 50) << "the two texts";
        parent.Destroy();
        PumpMessages();
    }
    Grafic_Dll_End();
}

// The single-picture queries, the decorated size query called from C as a function returning a
// SIZE by value: they answer only for a display list holding exactly one picture.
TEST(CHost, SinglePictureQueriesWithTheSizeByValue)
{
    ASSERT_NE(nullptr, Grafic_Dll_Start());
    CGraphicView* v = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
    POINT at = {0, 0};
    Grafic_Dll_DefineCurPict(v, &at, 0);
    EXPECT_EQ(CSize(0, 0), CSize(CHostPictSize(v))) << "no image yet";
    HGLOBAL h = ::GlobalAlloc(GHND, sizeof(BITMAPINFOHEADER) + 8 * 4 * 3);
    *static_cast<BITMAPINFOHEADER*>(::GlobalLock(h)) = {40, 7, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    ::GlobalUnlock(h);
    Grafic_Dll_UpdateCurPict(v, h, NULL, -1);
    for (bool alone : {true, false}) {
        SCOPED_TRACE(alone ? "one picture" : "a picture and a state element");
        if (!alone)
            Grafic_Dll_Set_Pen_Normal(v);
        Grafic_Dll_SetTransparentIndex(v, 9);
        ExpectAll({{"size", CSize(CHostPictSize(v)) == (alone ? CSize(7, 4) : CSize(0, 0))},
                   {"index", Grafic_Dll_GetTransparentIndex(v) == (alone ? 9 : 0)},
                   {"image", Grafic_Dll_HasOnlyOnePict(v) == (alone ? h : NULL)}});
    }
    delete v;
    Grafic_Dll_End();
}
