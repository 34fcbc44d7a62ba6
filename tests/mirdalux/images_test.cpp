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

// A w x h icon whose square inset by `border` pixels is opaque, the rest transparent: in colour,
// or black for a monochrome icon (no colour bitmap, the mask twice as high: AND over XOR).
HICON MakeIcon(int w, int h, int border, COLORREF colour, bool mono = false)
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
    return ::CreateIcon(NULL, w, h, 1, mono ? 1 : 32, mask.data(), (BYTE*)pixels.data());
}

// The bytes of a block, "0 0 5 ...".
template <class Block> std::string Bytes(const Block& b)
{
    std::string s;
    for (size_t i = 0; i < sizeof b; ++i)
        s += std::to_string(reinterpret_cast<const BYTE*>(&b)[i]) + " ";
    return s;
}

// A view in a parent window and a host that answers the library's image callbacks from its
// tables and records every call. At the end every GDI object, context and global block the
// library made is given back, and the test's icons are destroyed.
class ImageTest : public ViewFixture
{
protected:
    ImageTest() : ViewFixture(420, 320) {}
    void SetUp() override
    {
        m_guard.reset(new GdiCountGuard("the test"));
        ViewFixture::SetUp();
        s_current = this;
        *GetGraficCallbacks() = {NULL, NULL, &Draw, &Request, &State, &Free, &Update, &Resize};
        m_view = NewView(CRect(0, 0, 400, 300));
    }
    void TearDown() override
    {
        ViewFixture::TearDown();
        m_guard.reset();
        for (HICON h : m_icons)
            ::DestroyIcon(h);
    }

    std::map<int, HICON> icons;                       // RES_ICON answers
    std::map<int, std::pair<HGLOBAL, int>> pictures;  // RES_PICT answers: image and index
    std::map<std::pair<int, int>, HGLOBAL> states;    // GetPictureState (number, code)
    std::vector<std::string> log;                     // one entry per call
    std::vector<ResourceRequest> requests;            // the blocks as received
    std::vector<PictDrawRequest> draws;
    std::vector<UINT> lockCounts;  // of `watched`, inside each DrawPicture
    HGLOBAL watched = NULL;
    // Run once, inside the first call whose entry starts with `trigger`, after it is noted.
    std::string trigger;
    std::function<void()> action;
    static inline ImageTest* s_current = nullptr;

    // Notes the parts of an entry, joined by blanks.
    template <class... Parts> static void Note(const Parts&... parts)
    {
        std::ostringstream joined;
        ((joined << ' ' << parts), ...);
        const std::string entry = s_current->log.emplace_back(joined.str().substr(1));
        std::string& t = s_current->trigger;
        if (!t.empty() && entry.compare(0, t.size(), t) == 0) {
            t.clear();
            s_current->action();
        }
    }
    std::string TakeLog() { return Joined(std::exchange(log, {})); }
    static void __cdecl Request(ResourceRequest* r)
    {
        s_current->requests.push_back(*r);
        if (r->kind == RES_ICON && s_current->icons.count(r->number))
            r->handle = s_current->icons[r->number];
        if (r->kind == RES_PICT && s_current->pictures.count(r->number))
            std::tie(r->handle, r->transparentIndex) = s_current->pictures[r->number];
        Note(r->kind == RES_ICON ? "icon" : "pict", r->number);
    }
    static void __cdecl Draw(PictDrawRequest* r)
    {
        s_current->draws.push_back(*r);
        if (s_current->watched != NULL)
            s_current->lockCounts.push_back(::GlobalFlags(s_current->watched) & GMEM_LOCKCOUNT);
        Note("draw", Str(CRect(r->destX, r->destY, r->destWidth, r->destHeight)));
    }
    static HGLOBAL __cdecl State(int number, int code, LONG*)
    {
        Note("state", number, code);
        auto it = s_current->states.find({number, code});
        return it != s_current->states.end() ? it->second : NULL;
    }
    static void __cdecl Free(int number, int code) { Note("free", number, code); }
    static void CALLBACK Update(LONG_PTR id, const CString* name, HGLOBAL hDib, int index)
    {
        Note("update", id, LPCTSTR(*name), hDib == s_current->watched ? "watched" : "other", index);
    }
    static void CALLBACK Resize(LONG_PTR id, const CString* name, RECT* r)
    {
        Note("resize", id, LPCTSTR(*name), Str(*r));
    }

    CIconElement* AddIcon(CGraphicView* v, int x, int y, int number, int regionId,
                          const char* label)
    {
        GRAF_ICON block = {x, y, number, regionId, label};
        Grafic_Dll_Icon(v, &block);
        return static_cast<CIconElement*>(Last(v));
    }
    CPictureElement* Add(int x, int y, int number, int param, int regionId, CGraphicView* v = 0)
    {
        GRAF_PICTURE block = {x, y, number, param, regionId};
        Grafic_Dll_Picture(v ? v : m_view, &block);
        return static_cast<CPictureElement*>(Last(v ? v : m_view));
    }
    // A w x h icon opaque in colour but for a transparent border.
    HICON Icon(COLORREF colour, int w = 32, int h = 32, int border = 8, bool mono = false)
    {
        return m_icons.emplace_back(MakeIcon(w, h, border, colour, mono));
    }
    // A w x h 24-bit picture in one colour.
    static HGLOBAL Solid(int w, int h, COLORREF c)
    {
        return MakeDib(w, h, 24, {}, [c](int, int) { return Rgb(c); });
    }
    static bool Freed(HGLOBAL h) { return ::GlobalFlags(h) == GMEM_INVALID_HANDLE; }
    std::unique_ptr<GdiCountGuard> m_guard;
    CGraphicView* m_view = nullptr;
    std::vector<HICON> m_icons;
};

}  // namespace

// Each row: an icon at (x, y) with its label and region identifier, in a view of its own. The
// label is centred under the cell (x + 16 - cx / 2), the bounds take the label in, the scroll
// range follows the bounds, and the region hugs the cell one pixel out and the label.
TEST_F(ImageTest, LabelBoundsRegionAndRangeFollowTheCell)
{
    const struct {
        const char *name, *label;
        int x, y, region;
    } rows[] = {{"no label, active", "", 100, 50, 3},
                {"no label, plain", "", 100, 50, 0},
                {"narrow label", "ab", 40, 20, 5},
                {"narrow label of the other parity", "abc", 40, 20, 5},
                {"label wider than the cell", "a label wider than the cell", 150, 100, 7}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        CGraphicView* v = NewView(CRect(0, 0, 120, 90));
        CIconElement* e = AddIcon(v, r.x, r.y, 0, r.region, r.label);
        ASSERT_TRUE(e && e->IsIcon());
        const CSize cx = MeasureArial(DibCanvas(1, 1).Hdc(), -11, r.label);
        const LONG left = r.x + 16 - cx.cx / 2;
        const CRect label =
            *r.label ? CRect(left, r.y + 32, left + cx.cx, r.y + 32 + cx.cy) : CRect(0, 0, 0, 0);
        EXPECT_EQ(Str(label), Str(e->labelRect));
        CRect bounds(r.x, r.y, r.x + 32, r.y + 32);
        if (*r.label)
            bounds.UnionRect(&bounds, &label);
        EXPECT_EQ(Str(bounds), Str(e->bounds));
        EXPECT_EQ(CSize(bounds.right, bounds.bottom), v->GetTotalSize()) << "scroll range";
        ExpectValues({{"verb", r.region ? VERB_ACTIVE : VERB_NONE, e->verb},
                      {"pattern", r.region, e->pattern}});
        const bool labelled = *r.label != 0;
        const CPoint mid(label.CenterPoint().x, label.top + 2);
        auto inLabel = [&](int x, int y) { return label.PtInRect(CPoint(x, y)) != FALSE; };
        const struct {
            POINT at;
            bool in;
        } probes[] = {{{r.x - 1, r.y - 1}, true},
                      {{r.x + 32, r.y + 31}, true},
                      {{r.x - 2, r.y}, false},
                      {{r.x + 33, r.y}, false},
                      {{r.x + 32, r.y + 32}, !labelled || inLabel(r.x + 32, r.y + 32)},
                      {{r.x + 33, r.y + 33}, inLabel(r.x + 33, r.y + 33)},
                      {mid, labelled},
                      {{label.left - 1, mid.y}, false},
                      {{label.right, mid.y}, false}};
        for (const auto& p : probes)
            EXPECT_EQ(p.in && r.region, e->HitTest(&p.at) != FALSE) << "point " << Str(p.at);
    }
}

// The host is asked once per icon with a number, in list order, with the block laid out; a zero
// answer keeps what the icon holds; Set_Icon asks again only for image-less icons of that number
// and draws them; every icon counts as selected.
TEST_F(ImageTest, RequestsSetIconAndCount)
{
    CGraphicView* v = m_view;
    icons[6] = Icon(kRed);
    CIconElement* added[] = {AddIcon(v, 0, 0, 5, 1, "five"), AddIcon(v, 50, 0, 6, 2, ""),
                             AddIcon(v, 100, 0, 0, 0, "none"), AddIcon(v, 150, 0, 5, 0, "")};
    EXPECT_EQ("icon 5, icon 6, icon 5", TakeLog()) << "number 0 asks nothing";
    EXPECT_EQ("0 0 0 0 0 0 0 0 5 0 0 0 1 0 0 0 5 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ",
              Bytes(requests[0]));
    ExpectAll({{"found", added[1]->hIcon == icons[6]}, {"not found", !added[0]->HasIcon()}});

    icons[5] = Icon(kBlue);
    const struct {
        const char *name, *asked;
        int number;
    } rows[] = {{"the image-less fives", "icon 5, icon 5", 5},
                {"six has its image", "", 6},
                {"number 0 only redraws", "", 0}};
    for (const auto& r : rows) {
        Grafic_Dll_Set_Icon(v, r.number);
        EXPECT_EQ(r.asked, TakeLog()) << r.name;
    }
    EXPECT_TRUE(added[0]->hIcon == icons[5] && added[3]->hIcon == icons[5]);
    DibCanvas screen(400, 300);
    ASSERT_TRUE(CaptureClient(v->m_hWnd, screen));
    ExpectValues({{"drawn by Set_Icon", kBlue, screen.Pixel(16, 16)},
                  {"count", 4, Grafic_Dll_GetSelectedIcon(v)}});
    icons.erase(5);
    added[3]->SetIconHandle(icons[6]);
    added[3]->FindIcon(5);
    EXPECT_EQ(icons[6], added[3]->hIcon) << "a zero answer keeps the handle";
}

// The label is drawn in the label font, opaque in the context's colours with the selection
// option, transparent without; pressed, it takes the highlight colours with the option, and the
// tint turns the opaque pixels that the mask walk leaves clear (bytes 0-3 of every 8 OR 0x55,
// bytes 4-7 OR 0xAA, over word-padded mask rows) to the caption colour: a checkerboard for
// 32-pixel-wide masks. Icons of other sizes are drawn at 32 x 32 but tinted at their own size.
TEST_F(ImageTest, LabelAndTintPixels)
{
    const int kinds[] = {COLOR_ACTIVECAPTION, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
    COLORREF saved[3], mine[3] = {RGB(200, 40, 40), RGB(40, 200, 40), RGB(250, 250, 0)};
    for (int i = 0; i < 3; ++i)
        saved[i] = ::GetSysColor(kinds[i]);
    ::SetSysColors(3, kinds, mine);
    const COLORREF kGrey = RGB(128, 128, 128), kPaper = RGB(0, 255, 255), kInk = RGB(0, 0, 255);
    const struct {
        const char* name;
        UINT options;
        BOOL pressed;
        int w, h, border;
        bool mono;
    } rows[] = {{"plain with the option", 7, FALSE, 32, 32, 8, false},
                {"plain without", 3, FALSE, 32, 32, 8, false},
                {"pressed with the option", 7, TRUE, 32, 32, 8, false},
                {"pressed without", 3, TRUE, 32, 32, 8, false},
                {"pressed, 20 x 24", 3, TRUE, 20, 24, 0, false},
                {"pressed, 40 x 8 monochrome", 3, TRUE, 40, 8, 0, true}};
    IconParams p = {8, 8, 0, 1, "Label"};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        GdiCountGuard guard(r.name);
        DibCanvas canvas(64, 64, kGrey), want(64, 64, kGrey);
        canvas.Dc().SetBkColor(kPaper);
        canvas.Dc().SetTextColor(kInk);
        CIconElement e(-1, &p);
        e.SetIconHandle(Icon(kRed, r.w, r.h, r.border, r.mono));
        e.options = r.options;
        if (r.pressed)
            e.Press(&canvas.Dc(), TRUE);
        else
            e.Draw(&canvas.Dc(), NULL);
        const int rowBytes = (r.w + 15) / 16 * 2;
        auto inset = [&](int x, int y, int w, int h) {
            return x >= r.border && x < w - r.border && y >= r.border && y < h - r.border;
        };
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 48; ++x) {
                const bool tinted = r.pressed && x < r.w && y < r.h && inset(x, y, r.w, r.h) &&
                                    ((y * rowBytes + x / 8) % 8 < 4) == (x % 2 == 0);
                const COLORREF drawn = !inset(x, y, 32, 32) ? kGrey : r.mono ? kBlack : kRed;
                ::SetPixelV(want.Hdc(), 8 + x, 8 + y, tinted ? mine[0] : drawn);
            }
        const bool selection = (r.options & OPT_ICON_SELECTION) != 0, lit = selection && r.pressed;
        ::SetBkColor(want.Hdc(), lit ? mine[1] : kPaper);
        ::SetTextColor(want.Hdc(), lit ? mine[2] : kInk);
        ::SetBkMode(want.Hdc(), selection ? OPAQUE : TRANSPARENT);
        HGDIOBJ font = ::SelectObject(want.Hdc(), CreateArial(-11));
        ::ExtTextOutA(want.Hdc(), e.labelRect.left, e.labelRect.top, selection ? ETO_OPAQUE : 0,
                      &e.labelRect, "Label", 5, NULL);
        ::DeleteObject(::SelectObject(want.Hdc(), font));
        EXPECT_TRUE(SamePixels(want, canvas));
    }
    ::SetSysColors(3, kinds, saved);
}

const COLORREF kGreen = RGB(0, 255, 0);

// Creation asks once with the block laid out, then hands the locked image to DrawPicture once,
// whole, and asks for no state image. A clip gives the part of the picture it covers.
TEST_F(ImageTest, CreationRequestAndDrawRequests)
{
    HGLOBAL h = Solid(20, 10, kRed);
    pictures[7] = {h, 2};
    watched = h;
    CPictureElement* e = Add(30, 40, 7, 9, 0);
    EXPECT_EQ("pict 7, draw (30,40,0,0)", TakeLog());
    EXPECT_EQ("0 0 0 0 0 0 0 0 7 0 0 0 3 0 0 0 7 0 0 0 9 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ",
              Bytes(requests[0]));
    const PictDrawRequest& d = draws[0];
    void* pLocked = ::GlobalLock(h);
    ::GlobalUnlock(h);
    ExpectAll({{"the locked block", d.pDib == pLocked},
               {"locked once inside the call", lockCounts == std::vector<UINT>{1}},
               {"unlocked after", (::GlobalFlags(h) & GMEM_LOCKCOUNT) == 0},
               {"SRCCOPY and the index", d.rop == SRCCOPY && d.transparentIndex == 2},
               {"bounds", e->bounds == CRect(30, 40, 50, 50)},
               {"no region without an identifier", e->region == NULL}});
    const struct {
        const char* name;
        CRect clip;
        const char* request;  // (dest x, y, w, h)(src x, y, w, h)
    } rows[] = {{"the lower right quarter", CRect(40, 45, 60, 60), "(40,45,10,5)(10,5,10,5)"},
                {"outside", CRect(0, 0, 30, 40), "(30,40,0,0)(0,0,0,0)"},
                {"all of it", CRect(0, 0, 400, 300), "(30,40,20,10)(0,0,20,10)"}};
    for (const auto& r : rows) {
        DibCanvas canvas(100, 100);
        e->Draw(&canvas.Dc(), &r.clip);
        const PictDrawRequest& q = draws.back();
        EXPECT_EQ(r.request, Str(CRect(q.destX, q.destY, q.destWidth, q.destHeight)) +
                                 Str(CRect(q.srcX, q.srcY, q.srcWidth, q.srcHeight)))
            << r.name;
    }
}

// Set_Pict serves every empty picture of its number once (index first, repainted at once), the
// pictures share the image and the last holder frees it; UpdateCurPict keeps a handle it gets
// again, frees the one it replaces and builds the mask with the index of the update before.
TEST_F(ImageTest, SetPictAndTheCurrentPicture)
{
    CPictureElement* a = Add(60, 70, 8, 0, 1);
    CPictureElement* b = Add(200, 70, 8, 0, 0);
    EXPECT_EQ(CRect(60, 70, 0, 0), a->bounds) << "an empty picture";
    TakeLog();
    HGLOBAL h = MakeDib(4, 2, 8, {kWhite, kRed, kGreen}, [](int x, int) { return x % 3; });
    EXPECT_TRUE(Grafic_Dll_Set_Pict(m_view, 8, h, 2));
    // Painting the second area draws the first picture too, whole: it is not clipped.
    EXPECT_EQ("draw (60,70,4,2), draw (60,70,0,0), draw (200,70,4,2)", TakeLog());
    ExpectAll({{"shared", a->hDib == h && b->hDib == h},
               {"bounds", a->bounds == CRect(60, 70, 64, 72)},
               {"the index set first", a->GetTransparentIndex() == 2 && !a->IsOpaqueAt({62, 70})},
               {"served once", !Grafic_Dll_Set_Pict(m_view, 8, h, 2)}});
    Grafic_Dll_Del_Last_Elt(m_view, TRUE);
    EXPECT_FALSE(Freed(h)) << "the other picture holds it";
    Grafic_Dll_Del_All_Elt(m_view);
    EXPECT_TRUE(Freed(h)) << "freed by its last holder";

    TakeLog();
    CString name("out");
    Grafic_Dll_SetOutput(m_view, 42, &name);
    POINT at = {5, 5};
    Grafic_Dll_DefineCurPict(m_view, &at, 3);
    EXPECT_EQ("", TakeLog()) << "nothing drawn, nothing asked";
    HGLOBAL first = MakeDib(4, 1, 8, {kWhite, kRed, kGreen}, [](int x, int) { return x % 3; });
    watched = first;
    CRect part(5, 5, 7, 6);
    Grafic_Dll_UpdateCurPict(m_view, first, &part, 1);
    EXPECT_EQ("draw (5,5,2,1), update 42 out watched 1", TakeLog());
    CPictureElement* cur = m_view->m_pCurPict;
    EXPECT_TRUE(cur->IsOpaqueAt({6, 5})) << "built with the index before (-1)";
    Grafic_Dll_UpdateCurPict(m_view, first, NULL, 1);
    EXPECT_FALSE(Freed(first)) << "the same handle again";
    EXPECT_FALSE(cur->IsOpaqueAt({6, 5})) << "now with index 1";
    Grafic_Dll_UpdateCurPict(m_view, Solid(2, 2, kRed), NULL, 0);
    EXPECT_TRUE(Freed(first));
    TakeLog();
    const CSize total = m_view->GetTotalSize();
    for (const CRect& r : {CRect(5, 5, 50, 50), CRect(0, 0, 900, 50)}) {
        Grafic_Dll_UpdatePictSize(m_view, &r);
        EXPECT_EQ("resize 42 out " + Str(r), TakeLog());
        EXPECT_EQ(r, cur->bounds);
        EXPECT_EQ(r.right < 400 ? total : CSize(900, 50), m_view->GetTotalSize()) << "range";
    }
    CGraphicView* other = NewView(CRect(0, 0, 100, 100));
    Grafic_Dll_SetOutput(other, 7, &name);
    TakeLog();
    Grafic_Dll_UpdatePictSize(other, &part);
    EXPECT_EQ("resize 7 out (5,5,7,6)", TakeLog()) << "without a current picture";
}

// Deleting a picture gives back only the state images the host answered, highlight first, then
// frees its image.
TEST_F(ImageTest, ReleaseGivesBackStatesAndFreesTheImage)
{
    HGLOBAL h = Solid(2, 2, kRed), lit = Solid(2, 2, kBlue);
    pictures[5] = {h, 0};
    states[{5, PICT_STATE_HIGHLIGHT}] = lit;
    CPictureElement* e = Add(0, 0, 5, 0, 1);
    ExpectAll({{"highlight answered", e->HasHighlightImage()},
               {"no pressed", !e->HasPressedImage()},
               {"blinks only without a highlight image", !e->UsesBlinkingFrame()}});
    TakeLog();
    Grafic_Dll_Del_All_Elt(m_view);
    EXPECT_EQ("free 5 2", TakeLog());
    EXPECT_TRUE(Freed(h) && !Freed(lit));
    ::GlobalFree(lit);
    pictures[6] = {h = Solid(2, 2, kRed), 0};
    Add(0, 0, 6, 0, 0);
    m_parent.Destroy();
    PumpMessages();
    EXPECT_TRUE(Freed(h)) << "freed with the view";
}

// The mask of an active picture: pixels whose colour is that of the transparent entry (by colour,
// so duplicates too) are transparent; without such an entry only pure white ones are.
TEST_F(ImageTest, MaskOverDepthsAndIndices)
{
    const std::vector<COLORREF> five = {kWhite, kBlack, kGreen, kGreen, kRed};
    const struct {
        const char* name;
        int bpp, height, index;  // a negative height: top-down
        std::vector<COLORREF> table;
        const char* transparent;  // the table entries (or colours) that must read transparent
        bool masks;
    } rows[] = {{"8 bits, a duplicated key", 8, 5, 2, five, "23", false},
                {"8 bits, index = count", 8, 5, 5, five, "0", false},
                {"8 bits, no index", 8, 5, -1, five, "0", false},
                {"8 bits, top-down", 8, -5, 2, five, "23", false},
                {"1 bit, black", 1, 5, 1, {kWhite, kBlack}, "1", false},
                {"4 bits, past the table", 4, 5, 200, five, "0", false},
                {"16 bits", 16, 5, 0, five, "0", false},
                {"16 bits, 5-6-5 masks", 16, 5, 0, five, "0", true},
                {"24 bits", 24, 5, 0, five, "0", false},
                {"32 bits, no table", 32, 5, 0, five, "0", false},
                {"32 bits, masks", 32, 5, 0, five, "0", true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const size_t n = r.table.size();
        auto entry = [n](int x, int y) { return (x + 3 * y) % int(n); };
        auto pixel = [&](int x, int y) {
            return r.bpp <= 8 ? entry(x, y) : Rgb(r.table[entry(x, y)]);
        };
        const std::vector<COLORREF> table = r.bpp <= 8 ? r.table : std::vector<COLORREF>();
        pictures[3] = {MakeDib(7, r.height, r.bpp, table, pixel, r.masks), r.index};
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
TEST_F(ImageTest, MalformedImagesAreHeldButNotRead)
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
        pictures[2] = {h, 0};
        CPictureElement* e = Add(10, 20, 2, 0, 1);
        ExpectAll({{"held", e->hDib == h},
                   {"bounds", e->bounds == CRect(10, 20, 0, 0)},
                   {"no region", e->region == NULL},
                   {"no mask", e->mask.GetSafeHandle() == NULL},
                   {"colours", e->DibNumColors() == -1}});
        EXPECT_EQ("pict 2", TakeLog()) << "nothing drawn";
        Grafic_Dll_Del_All_Elt(m_view);
        EXPECT_TRUE(Freed(h));
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
        Call call;
        Act act;
        int left;  // elements in a view that lives
    } rows[] = {{"icon request, destroy", "icon", kIcon, kDestroy, 0},
                {"Set_Icon request, destroy", "icon", kSetIcon, kDestroy, 0},
                {"request, destroy", "pict", kPicture, kDestroy, 0},
                {"request, delete", "pict", kPicture, kDelete, 1},
                {"creation draw, destroy", "draw", kPicture, kDestroy, 0},
                {"creation draw, delete", "draw", kPicture, kDelete, 0},
                {"creation draw, draw", "draw", kPicture, kDraw, 3},
                {"repaint of Set_Pict, destroy", "draw", kSetPict, kDestroy, 0},
                {"repaint of Set_Pict, delete", "draw", kSetPict, kDelete, 0},
                {"update draw, destroy", "draw", kUpdate, kDestroy, 0},
                {"update draw, delete", "draw", kUpdate, kDelete, 0},
                {"update callback, destroy", "update", kUpdate, kDestroy, 0}};
    const POINT ends[] = {{50, 50}, {60, 5}, {0, 0}};
    icons[6] = Icon(kRed);
    const CRect part(0, 0, 8, 8);
    CString name("out");
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        GdiCountGuard guard(r.name);
        CGraphicView* v = NewView(CRect(0, 0, 100, 100));
        Grafic_Dll_Line_To_Point(v, &ends[0]);
        Grafic_Dll_SetOutput(v, 1, &name);
        HGLOBAL h = Solid(8, 8, kRed);
        bool kept = true;
        action = [&] {
            if (r.act == kDestroy) {
                ::DestroyWindow(v->m_hWnd);
            } else if (r.act == kDelete) {
                Grafic_Dll_Del_All_Elt(v);
                kept = !Freed(h);
            } else {
                Grafic_Dll_Line_To_Point(v, &ends[1]);
            }
        };
        pictures[4] = {h, 0};
        const bool icon = r.call <= kSetIcon, first = r.call == kIcon || r.call == kPicture;
        trigger = first ? r.when : "";
        if (icon)
            AddIcon(v, 10, 10, r.call == kIcon ? 6 : 7, 1, "icon");
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
            Grafic_Dll_UpdateCurPict(v, h, &part, 0);
        }
        EXPECT_EQ("", trigger) << "the host acted";
        EXPECT_TRUE(kept) << "the image lives while the host is called";
        PumpMessages();
        EXPECT_EQ(r.act != kDestroy, CGraphicView::IsLive(v));
        if (CGraphicView::IsLive(v)) {
            EXPECT_EQ(r.left, v->m_displayList.GetSize());
            ::DestroyWindow(v->m_hWnd);
        }
        EXPECT_NE(icon, Freed(h)) << "a picture's image freed once";
        if (icon)
            ::GlobalFree(h);
    }
}
