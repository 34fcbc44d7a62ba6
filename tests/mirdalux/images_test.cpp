// Icons and pictures: where an icon's label and region go, the pixels of its label and tint;
// what the host is asked and when, what DrawPicture receives, who frees which image, the current
// picture and its callbacks, the hit mask, malformed images and hosts that destroy or change the
// view from a callback. The test host answers the library's image callbacks from its tables and
// records every call with a copy of its block.
#include "TestShape.h"
#include "elements/IconElement.h"
#include "elements/PictureElement.h"
#include "lib/Library.h"

#include <cstring>
#include <map>
#include <sstream>
#include <utility>

namespace {

const COLORREF kGreen = RGB(0, 255, 0);

// The non-zero bytes of a block as offset:value, "8:5 12:1 ...".
template <class Block> std::string Bytes(const Block& b)
{
    std::string s;
    for (size_t i = 0; i < sizeof b; ++i)
        if (const BYTE v = reinterpret_cast<const BYTE*>(&b)[i])
            s += std::to_string(i) + ":" + std::to_string(v) + " ";
    return s;
}

// A view in a parent window and a host that answers the library's image callbacks from its
// tables and records every call; by the end every GDI object, context and block is given back.
class ImageTest : public ViewFixture
{
protected:
    ImageTest() : ViewFixture(420, 320) {}
    void SetUp() override
    {
        ViewFixture::SetUp();
        s_current = this;
        *GetGraficCallbacks() = {NULL, NULL, &Draw, &Request, &State, &Free, &Update, &Resize};
        m_view = NewView();
    }

    std::map<std::pair<int, int>, std::pair<HANDLE, int>> answers;  // (kind, number): image, index
    std::map<std::pair<int, int>, HGLOBAL> states;  // GetPictureState (number, code)
    std::vector<std::string> log;                   // one entry per call
    std::vector<ResourceRequest> requests;          // the blocks as received
    std::vector<PictDrawRequest> draws;
    std::vector<UINT> lockCounts;  // of `watched`, inside each DrawPicture
    HGLOBAL watched = NULL;
    // Run inside each call whose entry starts with `trigger`, after it is noted; clears `trigger`.
    std::string trigger;
    std::function<void()> action;
    static inline ImageTest* s_current = nullptr;

    template <class... Parts> static void Note(const Parts&... parts)
    {
        std::ostringstream joined;
        ((joined << ' ' << parts), ...);
        const std::string entry = s_current->log.emplace_back(joined.str().substr(1));
        if (const std::string& t = s_current->trigger; !t.empty() && entry.rfind(t, 0) == 0)
            s_current->action();
    }
    std::string TakeLog() { return Joined(std::exchange(log, {})); }
    static void __cdecl Request(ResourceRequest* r)
    {
        s_current->requests.push_back(*r);
        if (s_current->answers.count({r->kind, r->number}))
            std::tie(r->handle, r->transparentIndex) = s_current->answers[{r->kind, r->number}];
        Note(r->kind == RES_ICON ? "icon" : "pict", r->number);
    }
    static void __cdecl Draw(PictDrawRequest* r)
    {
        s_current->draws.push_back(*r);
        if (s_current->watched != NULL)
            s_current->lockCounts.push_back(::GlobalFlags(s_current->watched) & GMEM_LOCKCOUNT);
        Note("draw", Str(CRect(r->destX, r->destY, r->destWidth, r->destHeight)) +
                         Str(CRect(r->srcX, r->srcY, r->srcWidth, r->srcHeight)));
    }
    static HGLOBAL __cdecl State(int number, int code, LONG*)
    {
        Note("state", number, code);
        return s_current->states.count({number, code}) ? s_current->states[{number, code}] : NULL;
    }
    static void __cdecl Free(int number, int code) { Note("free", number, code); }
    static void CALLBACK Update(LONG_PTR id, const CString* name, HGLOBAL hDib, int index)
    {
        Note("update", id, *name, hDib == s_current->watched ? "watched" : "other", index);
    }
    static void CALLBACK Resize(LONG_PTR id, const CString* n, RECT* r)
    {
        Note("resize", id, *n, Str(*r));
    }

    CIconElement* AddIcon(int x, int y, int number, int regionId, const char* label,
                          CGraphicView* v = 0)
    {
        GRAF_ICON block = {x, y, number, regionId, label};
        Grafic_Dll_Icon(v ? v : m_view, &block);
        return static_cast<CIconElement*>(Last(v ? v : m_view));
    }
    CPictureElement* Add(int x, int y, int number, int param, int regionId, CGraphicView* v = 0)
    {
        GRAF_PICTURE block = {x, y, number, param, regionId};
        Grafic_Dll_Picture(v ? v : m_view, &block);
        return static_cast<CPictureElement*>(Last(v ? v : m_view));
    }
    // A w x h icon opaque only inside its square inset by `border`: in colour, or black when
    // monochrome (no colour bitmap, the mask twice as high: AND over XOR).
    HICON Icon(COLORREF colour, int w = 32, int h = 32, int border = 8, bool mono = false)
    {
        const int maskRow = (w + 15) / 16 * 2;
        std::vector<BYTE> mask(size_t(maskRow) * h, 0xFF);
        std::vector<uint32_t> pixels(size_t(w) * h);  // the XOR bits; a monochrome icon's stay 0
        for (int y = border; y < h - border; ++y)
            for (int x = border; x < w - border; ++x) {
                mask[size_t(y) * maskRow + x / 8] &= BYTE(~(0x80 >> (x % 8)));
                if (!mono)
                    pixels[size_t(y) * w + x] = Rgb(colour);
            }
        HICON icon = ::CreateIcon(NULL, w, h, 1, mono ? 1 : 32, mask.data(), (BYTE*)pixels.data());
        m_icons.emplace_back(icon, &::DestroyIcon);
        return icon;
    }
    // A w x h 24-bit black picture.
    static HGLOBAL Solid(int w, int h)
    {
        return MakeDib(w, h, 24, {}, [](int, int) { return 0u; });
    }
    static bool Freed(HGLOBAL h) { return ::GlobalFlags(h) == GMEM_INVALID_HANDLE; }
    GdiCountGuard m_guard{"the test"};
    CGraphicView* m_view = nullptr;
    const CString m_output = "out";  // the output name the host is told of
    std::vector<std::unique_ptr<HICON__, decltype(&::DestroyIcon)>> m_icons;
};

}  // namespace

// Each row: an icon in a view of its own, then drawn plain or pressed into a canvas. The label is
// centred under the cell (x + 16 - cx / 2), the bounds and so the scroll range take it in, and
// the region is the cell one pixel out (left, top and right; below too without a label) joined to
// the label. The label is opaque in the context's colours with the selection option, transparent
// without, in the highlight colours when pressed with it. The tint turns the opaque pixels that
// the mask walk leaves clear (bytes 0-3 of every 8 OR 0x55, 4-7 OR 0xAA, over word-padded rows)
// to the caption colour; icons of other sizes are drawn at 32 x 32 but tinted at their own size.
TEST_F(ImageTest, IconPlacementRegionLabelAndTint)
{
    const int kinds[] = {COLOR_ACTIVECAPTION, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
    const COLORREF mine[] = {RGB(200, 40, 40), RGB(40, 200, 40), RGB(250, 250, 0)};
    const COLORREF saved[] = {::GetSysColor(kinds[0]), ::GetSysColor(kinds[1]),
                              ::GetSysColor(kinds[2])};
    ::SetSysColors(3, kinds, mine);
    const COLORREF kGrey = RGB(128, 128, 128), kPaper = RGB(0, 255, 255), kInk = RGB(0, 0, 255);
    const struct {
        const char *name, *label;
        int x, y, region, options;
        bool pressed, mono = false;
        int w = 32, h = 32, border = 8;
    } rows[] = {
        {"no label, active, pressed 20 x 24", "", 100, 50, 3, 3, true, false, 20, 24, 0},
        {"no label, plain, pressed 40 x 8 monochrome", "", 100, 50, 0, 3, true, true, 40, 8, 0},
        {"narrow label, the option", "ab", 40, 20, 5, 7, false},
        {"narrow label of the other parity", "abc", 40, 20, 5, 3, false},
        {"wide label, pressed, the option", "a label wider than the cell", 150, 100, 7, 7, true},
        {"pressed without the option", "Label", 8, 8, 1, 3, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        GdiCountGuard guard(r.name);
        CGraphicView* v = NewView(CRect(0, 0, 120, 90));
        CIconElement* e = AddIcon(r.x, r.y, 0, r.region, r.label, v);
        const CSize cx = MeasureArial(DibCanvas(1, 1).Hdc(), -11, r.label);
        const LONG left = r.x + 16 - cx.cx / 2, top = r.y + 32;
        const CRect label = *r.label ? CRect(left, top, left + cx.cx, top + cx.cy) : CRect();
        const CRect bounds = CRect(r.x, r.y, r.x + 32, r.y + 32) | label;
        ExpectAll({{"label and bounds", e->labelRect == label && e->bounds == bounds},
                   {"scroll range", v->GetTotalSize() == CSize(bounds.right, bounds.bottom)},
                   {"pattern", e->pattern == r.region}});
        const CRect cell(r.x - 1, r.y - 1, r.x + 33, r.y + (label.IsRectEmpty() ? 33 : 32));
        std::string wrong;
        for (POINT p = {bounds.left - 3, 0}; p.x < bounds.right + 3; ++p.x)
            for (p.y = bounds.top - 3; p.y < bounds.bottom + 3; ++p.y)
                if ((r.region && (cell.PtInRect(p) || label.PtInRect(p))) != !!e->HitTest(&p))
                    wrong += Str(p);
        EXPECT_EQ("", wrong) << "points the region gets wrong";
        DibCanvas canvas(256, 160, kGrey), want(256, 160, kGrey);
        canvas.Dc().SetBkColor(kPaper);
        canvas.Dc().SetTextColor(kInk);
        e->SetIconHandle(Icon(kRed, r.w, r.h, r.border, r.mono));
        e->options = r.options;
        r.pressed ? e->Press(&canvas.Dc(), TRUE) : e->Draw(&canvas.Dc(), NULL);
        ::DrawIcon(want.Hdc(), r.x, r.y, e->hIcon);
        const int rowBytes = (r.w + 15) / 16 * 2;
        for (int y = r.border; y < r.h - r.border; ++y)
            for (int x = r.border; x < r.w - r.border; ++x)
                if (r.pressed && ((y * rowBytes + x / 8) % 8 < 4) == (x % 2 == 0))
                    ::SetPixelV(want.Hdc(), r.x + x, r.y + y, mine[0]);
        const bool selection = (r.options & OPT_ICON_SELECTION) != 0, lit = selection && r.pressed;
        ::SetBkColor(want.Hdc(), lit ? mine[1] : kPaper);
        ::SetTextColor(want.Hdc(), lit ? mine[2] : kInk);
        ::SetBkMode(want.Hdc(), selection ? OPAQUE : TRANSPARENT);
        HGDIOBJ font = ::SelectObject(want.Hdc(), CreateArial(-11));
        ::ExtTextOutA(want.Hdc(), label.left, label.top, selection ? ETO_OPAQUE : 0, &label,
                      r.label, UINT(strlen(r.label)), NULL);
        ::DeleteObject(::SelectObject(want.Hdc(), font));
        EXPECT_TRUE(SamePixels(want, canvas));
        ::DestroyWindow(v->m_hWnd);
    }
    ::SetSysColors(3, kinds, saved);
}

// The host is asked once per icon with a number, in list order, with the block laid out; a zero
// answer keeps what the icon holds; Set_Icon asks again only for image-less icons of that number
// and draws them; every icon counts as selected.
TEST_F(ImageTest, RequestsSetIconAndCount)
{
    HICON red = Icon(kRed), blue = Icon(kBlue);
    answers[{RES_ICON, 6}] = {red, 0};
    CIconElement* added[] = {AddIcon(0, 0, 5, 1, "five"), AddIcon(50, 0, 6, 2, ""),
                             AddIcon(100, 0, 0, 0, "none"), AddIcon(150, 0, 5, 0, "")};
    EXPECT_EQ("icon 5, icon 6, icon 5", TakeLog()) << "number 0 asks nothing";
    EXPECT_EQ("8:5 12:1 16:5 ", Bytes(requests[0]));
    ExpectAll({{"found", added[1]->hIcon == red}, {"not found", !added[0]->HasIcon()}});
    answers[{RES_ICON, 5}] = {blue, 0};
    for (int number : {5, 6, 0})
        Grafic_Dll_Set_Icon(m_view, number);
    EXPECT_EQ("icon 5, icon 5", TakeLog()) << "only the image-less fives; six has its image";
    DibCanvas screen(400, 300);
    ASSERT_TRUE(CaptureClient(m_view->m_hWnd, screen));
    ExpectAll({{"the fives served", added[0]->hIcon == blue && added[3]->hIcon == blue},
               {"drawn by Set_Icon", screen.Pixel(16, 16) == kBlue},
               {"count", Grafic_Dll_GetSelectedIcon(m_view) == 4}});
    answers.erase({RES_ICON, 5});
    added[3]->SetIconHandle(red);
    added[3]->FindIcon(5);
    EXPECT_EQ(red, added[3]->hIcon) << "a zero answer keeps the handle";
}

// Creation asks once with the block laid out and hands the locked image to DrawPicture whole; a
// clip gives the part of the picture it covers. Set_Pict serves every empty picture of its number
// once (index first, repainted at once) and the pictures share the image. Deleting a picture
// gives back only the state images the host answered; an image is freed by its last holder,
// whether deleted or gone with the view.
TEST_F(ImageTest, RequestsDrawsStatesAndHolders)
{
    HGLOBAL h = watched = Solid(20, 10), lit = Solid(2, 2);
    answers[{RES_PICT, 7}] = {h, 2};
    states[{7, PICT_STATE_HIGHLIGHT}] = lit;
    CPictureElement* e = Add(30, 40, 7, 9, 0);
    e->Draw(&DibCanvas(100, 100).Dc(), CRect(40, 45, 60, 60));
    EXPECT_EQ("pict 7, draw (30,40,0,0)(0,0,0,0), draw (40,45,10,5)(10,5,10,5)", TakeLog());
    ExpectAll({{"the block", Bytes(requests[0]) == "8:7 12:3 16:7 20:9 "},
               {"the locked block", draws[0].pDib == ::GlobalLock(h) && !::GlobalUnlock(h)},
               {"locked once inside each call", lockCounts == std::vector<UINT>{1, 1}},
               {"unlocked after", (::GlobalFlags(h) & GMEM_LOCKCOUNT) == 0},
               {"SRCCOPY, index", draws[0].rop == SRCCOPY && draws[0].transparentIndex == 2},
               {"no region without an identifier", e->region == NULL},
               {"highlight answered", e->HasHighlightImage()},
               {"no pressed", !e->HasPressedImage()},
               {"blinks only without a highlight image", !e->UsesBlinkingFrame()}});
    Grafic_Dll_Del_All_Elt(m_view);
    EXPECT_EQ("state 7 2, state 7 1, state 7 2, free 7 2", TakeLog());
    EXPECT_TRUE(Freed(h) && !Freed(lit));
    ::GlobalFree(lit);

    CPictureElement* a = Add(60, 70, 8, 0, 1);
    CPictureElement* b = Add(200, 70, 8, 0, 0);
    EXPECT_EQ(CRect(60, 70, 0, 0), a->bounds) << "an empty picture";
    h = MakeDib(4, 2, 8, {kWhite, kRed, kGreen}, [](int x, int) { return x % 3; });
    EXPECT_TRUE(Grafic_Dll_Set_Pict(m_view, 8, h, 2));
    // Painting the second area draws the first picture too, whole: it is not clipped.
    EXPECT_EQ("pict 8, pict 8, draw (60,70,4,2)(0,0,4,2), draw (60,70,0,0)(0,0,0,0), "
              "draw (200,70,4,2)(0,0,4,2)",
              TakeLog());
    ExpectAll({{"shared", a->hDib == h && b->hDib == h},
               {"bounds", a->bounds == CRect(60, 70, 64, 72)},
               {"the index set first", a->GetTransparentIndex() == 2 && !a->IsOpaqueAt({62, 70})},
               {"served once", !Grafic_Dll_Set_Pict(m_view, 8, h, 2)}});
    Grafic_Dll_Del_Last_Elt(m_view, TRUE);
    EXPECT_FALSE(Freed(h)) << "the other picture holds it";
    m_parent.Destroy();
    PumpMessages();
    EXPECT_TRUE(Freed(h)) << "freed by its last holder, with the view";
}

// UpdatePictSize reports to the host with or without a current picture, and defining one is
// silent. UpdateCurPict draws the part asked for and reports, keeps a handle it gets again, frees
// the one it replaces and builds the mask with the index of the update before; a rectangle past
// the client area widens the scroll range.
TEST_F(ImageTest, TheCurrentPicture)
{
    Grafic_Dll_SetOutput(m_view, 42, &m_output);
    const CRect part(5, 5, 7, 6);
    Grafic_Dll_UpdatePictSize(m_view, &part);
    Grafic_Dll_DefineCurPict(m_view, &part.TopLeft(), 3);
    EXPECT_EQ("resize 42 out (5,5,7,6)", TakeLog()) << "no current picture; defining one is silent";
    HGLOBAL first = watched = MakeDib(4, 1, 8, {kWhite, kRed}, [](int x, int) { return x % 2; });
    Grafic_Dll_UpdateCurPict(m_view, first, &part, 1);
    EXPECT_EQ("draw (5,5,2,1)(0,0,2,1), update 42 out watched 1", TakeLog());
    CPictureElement* cur = m_view->m_pCurPict;
    EXPECT_TRUE(cur->IsOpaqueAt({6, 5})) << "built with the index before (-1)";
    Grafic_Dll_UpdateCurPict(m_view, first, NULL, 1);
    ExpectAll({{"the same handle again", !Freed(first)}, {"index 1", !cur->IsOpaqueAt({6, 5})}});
    Grafic_Dll_UpdateCurPict(m_view, Solid(2, 2), NULL, 0);
    EXPECT_EQ("update 42 out watched 1, update 42 out other 0", TakeLog());
    EXPECT_TRUE(Freed(first)) << "the replaced handle";
    const CSize total = m_view->GetTotalSize();
    for (const CRect& r : {CRect(5, 5, 50, 50), CRect(0, 0, 900, 50)}) {
        Grafic_Dll_UpdatePictSize(m_view, &r);
        EXPECT_EQ("resize 42 out " + Str(r), TakeLog());
        EXPECT_EQ(r, cur->bounds);
        EXPECT_EQ(r.right < 400 ? total : CSize(900, 50), m_view->GetTotalSize()) << "range";
    }
}

// The mask of an active picture: pixels of the transparent entry's colour (duplicates too) are
// transparent, without such an entry only pure white ones, and nothing outside the picture is
// opaque. A DIB whose header or sizes do not fit its block is held and freed but never read:
// nothing is drawn, no region or mask is made, and the bounds keep only their corner.
TEST_F(ImageTest, MaskOverDepthsAndMalformedImages)
{
    static const std::vector<COLORREF> five = {kWhite, kBlack, kGreen, kGreen, kRed};
    const struct {
        const char* name;
        std::function<void(BITMAPINFOHEADER&)> spoil;  // empty for a well-formed DIB
        const char* transparent = "";        // the table entries (or colours) that read transparent
        int index = 0, bpp = 8, height = 5;  // a negative height: top-down
        bool masks = false;
        std::vector<COLORREF> table = five;
    } rows[] = {{"8 bits, a duplicated key", {}, "23", 2},
                {"8 bits, index = count", {}, "0", 5},
                {"8 bits, no index", {}, "0", -1},
                {"8 bits, top-down", {}, "23", 2, 8, -5},
                {"1 bit, black", {}, "1", 1, 1, 5, false, {kWhite, kBlack}},
                {"4 bits, past the table", {}, "0", 200, 4},
                {"16 bits", {}, "0", 0, 16},
                {"16 bits, 5-6-5 masks", {}, "0", 0, 16, 5, true},
                {"24 bits", {}, "0", 0, 24},
                {"32 bits, no table", {}, "0", 0, 32},
                {"32 bits, masks", {}, "0", 0, 32, 5, true},
                {"header under 40 bytes", [](BITMAPINFOHEADER& b) { b.biSize = 12; }},
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
        auto at = [&](int x, int y) { return (x + 3 * y) % int(r.table.size()); };
        auto pixel = [&](int x, int y) { return r.bpp <= 8 ? at(x, y) : Rgb(r.table[at(x, y)]); };
        const std::vector<COLORREF> table = r.bpp <= 8 ? r.table : std::vector<COLORREF>();
        HGLOBAL h = MakeDib(7, r.height, r.bpp, table, pixel, r.masks);
        const bool bad = bool(r.spoil);
        if (bad) {
            r.spoil(*static_cast<BITMAPINFOHEADER*>(::GlobalLock(h)));
            ::GlobalUnlock(h);
        }
        const int colours = bad ? -1 : r.bpp <= 8 ? int(table.size()) : 0;
        answers[{RES_PICT, 3}] = {h, r.index};
        CGraphicView* v = NewView(CRect(0, 0, 100, 100));
        CPictureElement* e = Add(10, 20, 3, 0, 1, v);
        ExpectAll({{"held", e->hDib == h},
                   {"bounds", e->bounds == (bad ? CRect(10, 20, 0, 0) : CRect(10, 20, 17, 25))},
                   {"region and mask", !e->region == bad && !e->mask.GetSafeHandle() == bad},
                   {"colours", e->DibNumColors() == colours},
                   {"drawn", TakeLog() == (bad ? "pict 3" : "pict 3, draw (10,20,0,0)(0,0,0,0)")}});
        std::string wrong;
        for (int y = 0; y < 5; ++y)
            for (int x = -1; x <= 7; ++x)
                if (e->IsOpaqueAt({10 + x, 20 + y}) ==
                    (bad || x < 0 || x == 7 || strchr(r.transparent, '0' + at(x, y))))
                    wrong += Str(CPoint(x, y));
        EXPECT_EQ("", wrong);
        ::DestroyWindow(v->m_hWnd);
        EXPECT_TRUE(Freed(h)) << "freed with the view";
    }
}

// A host that destroys the view, empties its list or draws into it from inside a request, a
// DrawPicture or an update callback: the call returns, the image is freed once, every context,
// GDI object and block is given back, and a view that lives keeps what the host left in it.
TEST_F(ImageTest, CallbacksThatDestroyDeleteOrDrawAreSurvived)
{
    enum Call { kIcon, kSetIcon, kPicture, kSetPict, kUpdate };
    enum Act { kDestroy, kDelete, kDraw };
    const struct {
        const char *name, *when;  // when: the call in which the host acts
        int call, act, left;      // left: elements in a view that lives, -1 for one destroyed
    } rows[] = {{"icon request, destroy", "icon", kIcon, kDestroy, -1},
                {"Set_Icon request, destroy", "icon", kSetIcon, kDestroy, -1},
                {"request, destroy", "pict", kPicture, kDestroy, -1},
                {"request, delete", "pict", kPicture, kDelete, 1},
                {"creation draw, destroy", "draw", kPicture, kDestroy, -1},
                {"creation draw, delete", "draw", kPicture, kDelete, 0},
                {"creation draw, draw", "draw", kPicture, kDraw, 3},
                {"repaint of Set_Pict, destroy", "draw", kSetPict, kDestroy, -1},
                {"repaint of Set_Pict, delete", "draw", kSetPict, kDelete, 0},
                {"update draw, destroy", "draw", kUpdate, kDestroy, -1},
                {"update draw, delete", "draw", kUpdate, kDelete, 0},
                {"update callback, destroy", "update", kUpdate, kDestroy, -1}};
    const POINT ends[] = {{50, 50}, {60, 5}, {0, 0}};
    answers[{RES_ICON, 6}] = {Icon(kRed), 0};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        GdiCountGuard guard(r.name);
        CGraphicView* v = NewView(CRect(0, 0, 100, 100));
        Grafic_Dll_Line_To_Point(v, &ends[0]);
        Grafic_Dll_SetOutput(v, 1, &m_output);
        const bool icon = r.call <= kSetIcon, first = r.call == kIcon || r.call == kPicture;
        HGLOBAL h = icon ? NULL : Solid(8, 8);
        action = [&] {
            trigger.clear();
            if (r.act == kDestroy)
                ::DestroyWindow(v->m_hWnd);
            else if (r.act == kDelete)
                Grafic_Dll_Del_All_Elt(v);
            else
                Grafic_Dll_Line_To_Point(v, &ends[1]);
            EXPECT_FALSE(r.act == kDelete && Freed(h)) << "the image lives through the call";
        };
        answers[{RES_PICT, 4}] = {h, 0};
        trigger = first ? r.when : "";
        if (icon)
            AddIcon(10, 10, r.call == kIcon ? 6 : 7, 1, "icon", v);
        else
            Add(10, 10, r.call == kPicture ? 4 : 5, 0, 1, v);
        if (!first)
            trigger = r.when;
        if (r.call == kSetIcon)
            Grafic_Dll_Set_Icon(v, 7);
        if (r.call == kSetPict)
            Grafic_Dll_Set_Pict(v, 5, h, 0);
        if (r.call == kUpdate) {
            Grafic_Dll_DefineCurPict(v, &ends[2], 1);
            Grafic_Dll_UpdateCurPict(v, h, CRect(0, 0, 8, 8), 0);
        }
        EXPECT_EQ("", trigger) << "the host acted";
        PumpMessages();
        const bool live = CGraphicView::IsLive(v);
        EXPECT_EQ(r.left, live ? v->m_displayList.GetSize() : -1) << "elements left";
        if (live)
            ::DestroyWindow(v->m_hWnd);
        EXPECT_TRUE(icon || Freed(h)) << "a picture's image freed";
    }
}
