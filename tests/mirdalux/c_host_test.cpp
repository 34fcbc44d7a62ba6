// A host written in C (blocks_host.c): its blocks and callback table laid out as the C++ compiler
// lays them out, and its picture. Also the C++ part of that host: the strings and arrays.
#include "ViewFixture.h"

#include <map>
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
    pArray->RemoveAll();  // the points are the C host's: only the array goes
    pArray->~CObArray();
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
    const BlockLayoutEntry* pEntries = nullptr;
    const size_t count = CHostBlockLayout(&pEntries);
    std::map<std::string, size_t> fromC;
    for (size_t i = 0; i < count; ++i)
        fromC[pEntries[i].name] = pEntries[i].value;
    ASSERT_EQ(sizeof(kCxxLayout) / sizeof(kCxxLayout[0]), fromC.size())
        << "the C host measures as many sizes and offsets as the C++ side";
    size_t slot = 0;
    for (const BlockLayoutEntry& entry : kCxxLayout) {
        SCOPED_TRACE(entry.name);
        ASSERT_EQ(1u, fromC.count(entry.name)) << "the C host measures it";
        EXPECT_EQ(entry.value, fromC[entry.name]) << "C++ (expected) against C";
        if (std::string(entry.name).rfind("GraficCallbacks.", 0) == 0) {
            EXPECT_EQ(slot++ * sizeof(void*), entry.value) << "pointer-sized slots in order";
        }
    }
    EXPECT_EQ(8u, slot);
    // The pointer-sized members make the widths differ between 32 and 64 bits.
    EXPECT_EQ(8 * sizeof(void*), fromC["sizeof GraficCallbacks"]);
    EXPECT_EQ(2 * sizeof(void*) + sizeof(RECT), fromC["sizeof GRAF_SHAPE"]);
    EXPECT_EQ(sizeof(GRAF_SHAPE) + 5 * sizeof(void*), fromC["sizeof GRAF_POLYGON"]);
    EXPECT_EQ(20u, fromC["sizeof GRAF_PICTURE"]);
}

TEST(CHost, CallbackTableFilledInC)
{
    GraficCallbacks* pTable = CHostStart();
    ASSERT_NE(nullptr, pTable);
    EXPECT_EQ(pTable, GetGraficCallbacks()) << "the C host got the library's table";
    ASSERT_NE(nullptr, pTable->OnActiveClick);
    pTable->OnActiveClick(NULL, 9);
    EXPECT_EQ(9, CHostLastRegion()) << "the C host's function sits in slot 1";
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
        EXPECT_EQ(42, v->m_outputId) << "the output value the C host set";
        EXPECT_STREQ("C host output", v->m_outputName) << "the view's own copy of the name";
        // Every call but the view settings and options appends one element.
        EXPECT_EQ(30, Grafic_Dll_GetNbElement(v));

        CRect client;
        v->GetClientRect(&client);
        DibCanvas screen(client.Width(), client.Height()), repaint(client.Width(), client.Height());
        ASSERT_TRUE(CaptureClient(v->m_hWnd, screen));
        Grafic_Dll_RepaintView(v, &repaint.Dc());
        EXPECT_TRUE(SamePixels(repaint, screen));
        const struct {
            POINT at;
            COLORREF color;
            const char* name;
        } probes[] = {
            {{11, 30}, RGB(31, 78, 153), "the framed rectangle's left edge"},
            {{110, 35}, RGB(240, 216, 96), "the erased rectangle, in the background colour"},
            {{180, 35}, RGB(31, 78, 153), "the painted oval's middle"},
            {{80, 135}, kBlack, "the line drawn to a point"},
            {{80, 145}, kBlack, "the relative line below it"},
            {{190, 95}, RGB(250, 250, 245), "the active region draws nothing"},
            {{160, 200}, kBlack, "the text box's frame"},
        };
        for (const auto& p : probes)
            EXPECT_EQ(p.color, repaint.Pixel(p.at.x, p.at.y)) << p.name;
        EXPECT_GT(repaint.CountPixels(kBlack, CRect(10, 165, 150, 190)), 50) << "the two texts";
        parent.Destroy();
        PumpMessages();
    }
    Grafic_Dll_End();
}
