// Pictures: what the host is asked, what DrawPicture receives, who frees which image, the current
// picture and its callbacks, the single-picture queries, the hit mask and malformed images.
#include "ImageHost.h"
#include "elements/PictureElement.h"

namespace {

const COLORREF kGreen = RGB(0, 255, 0);

class PictureTest : public ImageTest
{
protected:
    CPictureElement* Add(int x, int y, int number, int param, int regionId)
    {
        GRAF_PICTURE block = {x, y, number, param, regionId};
        Grafic_Dll_Picture(m_view, &block);
        return LastAs<CPictureElement>(m_view);
    }
};

}  // namespace

// Creation asks once with the block laid out, then hands the locked image to DrawPicture once,
// whole, and asks for no state image. A clip gives the part of the picture it covers.
TEST_F(PictureTest, CreationRequestAndDrawRequests)
{
    HGLOBAL h = Solid(20, 10, kRed);
    m_host->pictures[7] = {h, 2};
    m_host->watched = h;
    CPictureElement* e = Add(30, 40, 7, 9, 0);
    EXPECT_EQ("pict 7, draw (30,40,0,0)", m_host->TakeLog());
    EXPECT_EQ("0 0 0 0 0 0 0 0 7 0 0 0 3 0 0 0 7 0 0 0 9 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ",
              Bytes(m_host->requests[0]));
    const PictDrawRequest& d = m_host->draws[0];
    void* pLocked = ::GlobalLock(h);
    ::GlobalUnlock(h);
    ExpectAll({{"the locked block", d.pDib == pLocked},
               {"locked once inside the call", m_host->lockCounts == std::vector<UINT>{1}},
               {"unlocked after", (::GlobalFlags(h) & GMEM_LOCKCOUNT) == 0},
               {"SRCCOPY and the index", d.rop == SRCCOPY && d.transparentIndex == 2},
               {"bounds", e->bounds == CRect(30, 40, 50, 50)},
               {"no region without an identifier", e->region == NULL}});
    const struct {
        const char* name;
        CRect clip;
        const char* request;  // dest x, y, w, h, src x, y, w, h
    } rows[] = {{"the lower right quarter", CRect(40, 45, 60, 60), "40 45 10 5 10 5 10 5"},
                {"outside", CRect(0, 0, 30, 40), "30 40 0 0 0 0 0 0"},
                {"all of it", CRect(0, 0, 400, 300), "30 40 20 10 0 0 20 10"}};
    for (const auto& r : rows) {
        DibCanvas canvas(100, 100);
        e->Draw(&canvas.Dc(), &r.clip);
        const PictDrawRequest& q = m_host->draws.back();
        std::string got;
        for (int v :
             {q.destX, q.destY, q.destWidth, q.destHeight, q.srcX, q.srcY, q.srcWidth, q.srcHeight})
            got += (got.empty() ? "" : " ") + std::to_string(v);
        EXPECT_EQ(r.request, got) << r.name;
    }
}

// Set_Pict serves every empty picture of its number once (index first, repainted at once), the
// pictures share the image and the last holder frees it; UpdateCurPict keeps a handle it gets
// again, frees the one it replaces and builds the mask with the index of the update before.
TEST_F(PictureTest, SetPictAndTheCurrentPicture)
{
    CPictureElement* a = Add(60, 70, 8, 0, 1);
    CPictureElement* b = Add(200, 70, 8, 0, 0);
    EXPECT_EQ(CRect(60, 70, 0, 0), a->bounds) << "an empty picture";
    m_host->TakeLog();
    HGLOBAL h = MakeDib(4, 2, 8, {kWhite, kRed, kGreen}, [](int x, int) { return x % 3; });
    EXPECT_TRUE(Grafic_Dll_Set_Pict(m_view, 8, h, 2));
    // Painting the second area draws the first picture too, whole: it is not clipped.
    EXPECT_EQ("draw (60,70,4,2), draw (60,70,0,0), draw (200,70,4,2)", m_host->TakeLog());
    ExpectAll({{"shared", a->hDib == h && b->hDib == h},
               {"bounds", a->bounds == CRect(60, 70, 64, 72)},
               {"the index set first", a->GetTransparentIndex() == 2 && !a->IsOpaqueAt({62, 70})},
               {"served once", !Grafic_Dll_Set_Pict(m_view, 8, h, 2)}});
    Grafic_Dll_Del_Last_Elt(m_view, TRUE);
    EXPECT_FALSE(Freed(h)) << "the other picture holds it";
    Grafic_Dll_Del_All_Elt(m_view);
    EXPECT_TRUE(Freed(h)) << "freed by its last holder";

    m_host->TakeLog();
    CString name("out");
    Grafic_Dll_SetOutput(m_view, 42, &name);
    POINT at = {5, 5};
    Grafic_Dll_DefineCurPict(m_view, &at, 3);
    EXPECT_EQ("", m_host->TakeLog()) << "nothing drawn, nothing asked";
    HGLOBAL first = MakeDib(4, 1, 8, {kWhite, kRed, kGreen}, [](int x, int) { return x % 3; });
    m_host->watched = first;
    CRect part(5, 5, 7, 6);
    Grafic_Dll_UpdateCurPict(m_view, first, &part, 1);
    EXPECT_EQ("draw (5,5,2,1), update 42 out watched 1", m_host->TakeLog());
    CPictureElement* cur = m_view->m_pCurPict;
    EXPECT_TRUE(cur->IsOpaqueAt({6, 5})) << "built with the index before (-1)";
    Grafic_Dll_UpdateCurPict(m_view, first, NULL, 1);
    EXPECT_FALSE(Freed(first)) << "the same handle again";
    EXPECT_FALSE(cur->IsOpaqueAt({6, 5})) << "now with index 1";
    Grafic_Dll_UpdateCurPict(m_view, Solid(2, 2, kRed), NULL, 0);
    EXPECT_TRUE(Freed(first));
    m_host->TakeLog();
    const CSize total = m_view->GetTotalSize();
    for (const CRect& r : {CRect(5, 5, 50, 50), CRect(0, 0, 900, 50)}) {
        Grafic_Dll_UpdatePictSize(m_view, &r);
        EXPECT_EQ("resize 42 out " + Str(r), m_host->TakeLog());
        EXPECT_EQ(r, cur->bounds);
        EXPECT_EQ(r.right < 400 ? total : CSize(900, 50), m_view->GetTotalSize()) << "range";
    }
    CGraphicView* other = NewView(CRect(0, 0, 100, 100));
    Grafic_Dll_SetOutput(other, 7, &name);
    m_host->TakeLog();
    Grafic_Dll_UpdatePictSize(other, &part);
    EXPECT_EQ("resize 7 out (5,5,7,6)", m_host->TakeLog()) << "without a current picture";
}

// The single-picture queries answer only for a display list holding exactly one picture.
TEST_F(PictureTest, SinglePictureQueries)
{
    HGLOBAL h = Solid(6, 3, kRed);
    m_host->pictures[1] = {h, 4};
    Add(0, 0, 1, 0, 0);
    const struct {
        const char* name;
        CGraphicView* view;
        int index;
        HGLOBAL image;
        CSize size;
    } rows[] = {{"one picture", m_view, 4, h, CSize(6, 3)},
                {"a picture and a state element", m_view, 0, NULL, CSize(0, 0)},
                {"a null view", NULL, -1, NULL, CSize(0, 0)}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        if (r.index == 0)
            Grafic_Dll_Set_Pen_Normal(m_view);
        Grafic_Dll_SetTransparentIndex(r.view, 9);
        ExpectAll(
            {{"index", Grafic_Dll_GetTransparentIndex(r.view) == (r.index == 4 ? 9 : r.index)},
             {"image", Grafic_Dll_HasOnlyOnePict(r.view) == r.image},
             {"size", Grafic_Dll_GetPictSize(r.view) == r.size}});
    }
}

// Deleting a picture gives back only the state images the host answered, highlight first, then
// frees its image.
TEST_F(PictureTest, ReleaseGivesBackStatesAndFreesTheImage)
{
    HGLOBAL h = Solid(2, 2, kRed), lit = Solid(2, 2, kBlue);
    m_host->pictures[5] = {h, 0};
    m_host->states[{5, PICT_STATE_HIGHLIGHT}] = lit;
    CPictureElement* e = Add(0, 0, 5, 0, 1);
    ExpectAll({{"highlight answered", e->HasHighlightImage()},
               {"no pressed", !e->HasPressedImage()},
               {"blinks only without a highlight image", !e->UsesBlinkingFrame()}});
    m_host->TakeLog();
    Grafic_Dll_Del_All_Elt(m_view);
    EXPECT_EQ("free 5 2", m_host->TakeLog());
    EXPECT_TRUE(Freed(h) && !Freed(lit));
    ::GlobalFree(lit);
    m_host->pictures[6] = {h = Solid(2, 2, kRed), 0};
    Add(0, 0, 6, 0, 0);
    m_parent.Destroy();
    PumpMessages();
    EXPECT_TRUE(Freed(h)) << "freed with the view";
}

// The mask of an active picture: pixels whose colour is that of the transparent entry (by colour,
// so duplicates too) are transparent; without such an entry only pure white ones are.
TEST_F(PictureTest, MaskOverDepthsAndIndices)
{
    const std::vector<COLORREF> five = {kWhite, kBlack, kGreen, kGreen, kRed};
    const struct {
        const char* name;
        int bpp, index;
        std::vector<COLORREF> table;
        const char* transparent;  // the table entries (or colours) that must read transparent
    } rows[] = {{"8 bits, a duplicated key", 8, 2, five, "23"},
                {"8 bits, index = count", 8, 5, five, "0"},
                {"8 bits, no index", 8, -1, five, "0"},
                {"1 bit, black", 1, 1, {kWhite, kBlack}, "1"},
                {"4 bits, past the table", 4, 200, five, "0"},
                {"32 bits, no table", 32, 0, five, "0"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const size_t n = r.table.size();
        auto entry = [n](int x, int y) { return (x + 3 * y) % int(n); };
        auto pixel = [&](int x, int y) -> uint32_t {
            if (r.bpp <= 8)
                return entry(x, y);
            const COLORREF c = r.table[entry(x, y)];
            return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
        };
        m_host->pictures[3] = {
            MakeDib(7, 5, r.bpp, r.bpp <= 8 ? r.table : std::vector<COLORREF>(), pixel), r.index};
        CPictureElement* e = Add(10, 20, 3, 0, 1);
        std::string wrong;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) {
                const bool clear = strchr(r.transparent, '0' + entry(x, y)) != nullptr;
                if (e->IsOpaqueAt({10 + x, 20 + y}) == clear)
                    wrong += Str(CPoint(x, y));
            }
        EXPECT_EQ("", wrong);
        EXPECT_FALSE(e->IsOpaqueAt({9, 20}) || e->IsOpaqueAt({17, 20})) << "outside";
        Grafic_Dll_Del_All_Elt(m_view);
    }
}

// A DIB whose header or sizes do not fit its block is held and freed, but never read: nothing is
// drawn, no region or mask is made, and the bounds keep only their corner.
TEST_F(PictureTest, MalformedImagesAreHeldButNotRead)
{
    const struct {
        const char* name;
        std::function<void(BITMAPINFOHEADER&)> spoil;
    } rows[] = {{"header under 40 bytes", [](BITMAPINFOHEADER& b) { b.biSize = 12; }},
                {"header past the block", [](BITMAPINFOHEADER& b) { b.biSize = 4000; }},
                {"width 0", [](BITMAPINFOHEADER& b) { b.biWidth = 0; }},
                {"height 0", [](BITMAPINFOHEADER& b) { b.biHeight = 0; }},
                {"7 bits", [](BITMAPINFOHEADER& b) { b.biBitCount = 7; }},
                {"table past the block", [](BITMAPINFOHEADER& b) { b.biClrUsed = 100000; }},
                {"rows past the block", [](BITMAPINFOHEADER& b) { b.biHeight = 1000; }},
                {"a size that overflows", [](BITMAPINFOHEADER& b) { b.biWidth = 0x7FFFFFFF; }},
                {"run-length encoded", [](BITMAPINFOHEADER& b) { b.biCompression = BI_RLE8; }}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        GdiCountGuard guard(r.name);
        HGLOBAL h = MakeDib(4, 4, 8, {kWhite, kRed}, [](int x, int) { return x % 2; });
        r.spoil(*static_cast<BITMAPINFOHEADER*>(::GlobalLock(h)));
        ::GlobalUnlock(h);
        m_host->pictures[2] = {h, 0};
        CPictureElement* e = Add(10, 20, 2, 0, 1);
        ExpectAll({{"held", e->hDib == h},
                   {"bounds", e->bounds == CRect(10, 20, 0, 0)},
                   {"no region", e->region == NULL},
                   {"no mask", e->mask.GetSafeHandle() == NULL},
                   {"colours", e->DibNumColors() == -1}});
        EXPECT_EQ("pict 2", m_host->TakeLog()) << "nothing drawn";
        Grafic_Dll_Del_All_Elt(m_view);
        EXPECT_TRUE(Freed(h));
    }
}

// A host that destroys the view, empties its list or draws into it from inside a request, a
// DrawPicture or an update callback: the call returns, the image is freed once, every context,
// GDI object and block is given back, and a view that lives keeps what the host left in it.
TEST_F(PictureTest, CallbacksThatDestroyDeleteOrDrawAreSurvived)
{
    enum Act { kDestroy, kDelete, kDraw };
    ImageHost& host = *m_host;
    auto picture = [&](CGraphicView* v, HGLOBAL h, const char* when) {
        host.pictures[4] = {h, 0};
        host.trigger = when;
        GRAF_PICTURE b = {10, 10, 4, 0, 1};
        Grafic_Dll_Picture(v, &b);
    };
    auto setPict = [&](CGraphicView* v, HGLOBAL h, const char* when) {
        GRAF_PICTURE b = {10, 10, 5, 0, 1};
        Grafic_Dll_Picture(v, &b);
        host.trigger = when;
        Grafic_Dll_Set_Pict(v, 5, h, 0);
    };
    auto update = [&](CGraphicView* v, HGLOBAL h, const char* when) {
        CString name("out");
        Grafic_Dll_SetOutput(v, 1, &name);
        POINT at = {0, 0};
        Grafic_Dll_DefineCurPict(v, &at, 1);
        host.trigger = when;
        CRect part(0, 0, 8, 8);
        Grafic_Dll_UpdateCurPict(v, h, &part, 0);
    };
    const struct {
        const char* name;
        std::function<void(CGraphicView*, HGLOBAL, const char*)> run;
        const char* when;
        Act act;
        int left;  // elements in a view that lives
    } rows[] = {{"request, destroy", picture, "pict", kDestroy, 0},
                {"request, delete", picture, "pict", kDelete, 1},
                {"creation draw, destroy", picture, "draw", kDestroy, 0},
                {"creation draw, delete", picture, "draw", kDelete, 0},
                {"creation draw, draw", picture, "draw", kDraw, 3},
                {"repaint of Set_Pict, destroy", setPict, "draw", kDestroy, 0},
                {"repaint of Set_Pict, delete", setPict, "draw", kDelete, 0},
                {"update draw, destroy", update, "draw", kDestroy, 0},
                {"update draw, delete", update, "draw", kDelete, 0},
                {"update callback, destroy", update, "update", kDestroy, 0}};
    const POINT ends[] = {{50, 50}, {60, 5}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        GdiCountGuard guard(r.name);
        CGraphicView* v = NewView(CRect(0, 0, 100, 100));
        Grafic_Dll_Line_To_Point(v, &ends[0]);
        HGLOBAL h = Solid(8, 8, kRed);
        bool kept = true;
        host.action = [&] {
            if (r.act == kDestroy) {
                ::DestroyWindow(v->m_hWnd);
            } else if (r.act == kDelete) {
                Grafic_Dll_Del_All_Elt(v);
                kept = !Freed(h);
            } else {
                Grafic_Dll_Line_To_Point(v, &ends[1]);
            }
        };
        r.run(v, h, r.when);
        EXPECT_EQ("", host.trigger) << "the host acted";
        EXPECT_TRUE(kept) << "the image lives while the host is called";
        PumpMessages();
        EXPECT_EQ(r.act != kDestroy, CGraphicView::IsLive(v));
        if (CGraphicView::IsLive(v)) {
            EXPECT_EQ(r.left, v->m_displayList.GetSize());
            ::DestroyWindow(v->m_hWnd);
        }
        EXPECT_TRUE(Freed(h));
    }
}
