// A host for the icon and picture tests: it answers the library's image callbacks from its
// tables and records every call with a copy of its block; the images it serves, icons and packed
// DIBs built pixel by pixel; and the fixture of the tests, a view with that host.
#pragma once
#include "ViewFixture.h"
#include "lib/Library.h"

#include <cstring>
#include <map>

struct ImageHost {
    std::map<int, HICON> icons;                       // RES_ICON answers
    std::map<int, std::pair<HGLOBAL, int>> pictures;  // RES_PICT answers: image and index
    std::map<std::pair<int, int>, HGLOBAL> states;    // GetPictureState (number, code)
    std::vector<std::string> log;                     // one entry per call
    std::vector<ResourceRequest> requests;            // the blocks as received
    std::vector<PictDrawRequest> draws;
    std::vector<UINT> lockCounts;  // of `watched`, inside each DrawPicture
    HGLOBAL watched = NULL;

    ImageHost()
    {
        Current() = this;
        GraficCallbacks* t = GetGraficCallbacks();
        t->RequestResource = &Request;
        t->DrawPicture = &Draw;
        t->GetPictureState = &State;
        t->FreePictureState = &Free;
        t->OnCurPictUpdate = &Update;
        t->OnCurPictResize = &Resize;
    }
    ~ImageHost()
    {
        if (GraficCallbacks* t = GetGraficCallbacks())
            memset(t, 0, sizeof *t);
        Current() = nullptr;
    }
    static ImageHost*& Current()
    {
        static ImageHost* p = nullptr;
        return p;
    }
    void Note(const std::string& entry) { log.push_back(entry); }
    std::string TakeLog()
    {
        std::string s = Joined(log);
        log.clear();
        return s;
    }

    static void __cdecl Request(ResourceRequest* r)
    {
        ImageHost* h = Current();
        h->requests.push_back(*r);
        if (r->kind == RES_ICON && h->icons.count(r->number))
            r->handle = h->icons[r->number];
        if (r->kind == RES_PICT && h->pictures.count(r->number)) {
            r->handle = h->pictures[r->number].first;
            r->transparentIndex = h->pictures[r->number].second;
        }
        h->Note((r->kind == RES_ICON ? "icon " : "pict ") + std::to_string(r->number));
    }
    static void __cdecl Draw(PictDrawRequest* r)
    {
        ImageHost* h = Current();
        h->draws.push_back(*r);
        if (h->watched != NULL)
            h->lockCounts.push_back(::GlobalFlags(h->watched) & GMEM_LOCKCOUNT);
        h->Note("draw " + Str(CRect(r->destX, r->destY, r->destWidth, r->destHeight)));
    }
    static HGLOBAL __cdecl State(int number, int code, LONG*)
    {
        ImageHost* h = Current();
        h->Note("state " + std::to_string(number) + " " + std::to_string(code));
        auto it = h->states.find({number, code});
        return it != h->states.end() ? it->second : NULL;
    }
    static void __cdecl Free(int number, int code)
    {
        Current()->Note("free " + std::to_string(number) + " " + std::to_string(code));
    }
    static void CALLBACK Update(LONG_PTR id, const CString* name, HGLOBAL hDib, int index)
    {
        ImageHost* h = Current();
        h->Note("update " + std::to_string(id) + " " + std::string(*name) + " " +
                (hDib == h->watched ? "watched" : "other") + " " + std::to_string(index));
    }
    static void CALLBACK Resize(LONG_PTR id, const CString* name, RECT* r)
    {
        Current()->Note("resize " + std::to_string(id) + " " + std::string(*name) + " " + Str(*r));
    }
};

// A packed DIB, bottom-up, in a movable block: every table entry listed (biClrUsed 0 when the
// list is full, else its length), pixel(x, y) stored for each pixel: a table index, or a
// 0x00RRGGBB value for 24 and 32 bits (16 bits: 5-5-5).
inline HGLOBAL MakeDib(int w, int h, int bpp, const std::vector<COLORREF>& table,
                       std::function<uint32_t(int, int)> pixel)
{
    const int stride = ((w * bpp + 31) / 32) * 4;
    const size_t head = sizeof(BITMAPINFOHEADER) + 4 * table.size();
    HGLOBAL hDib = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, head + size_t(stride) * h);
    BYTE* p = static_cast<BYTE*>(::GlobalLock(hDib));
    BITMAPINFOHEADER* bi = reinterpret_cast<BITMAPINFOHEADER*>(p);
    *bi = {sizeof *bi, w, h, 1, WORD(bpp), BI_RGB, 0, 0, 0, 0, 0};
    if (bpp <= 8 && table.size() != (1u << bpp))
        bi->biClrUsed = DWORD(table.size());
    RGBQUAD* q = reinterpret_cast<RGBQUAD*>(p + sizeof *bi);
    for (size_t i = 0; i < table.size(); ++i)
        q[i] = {GetBValue(table[i]), GetGValue(table[i]), GetRValue(table[i]), 0};
    for (int y = 0; y < h; ++y) {
        BYTE* row = p + head + size_t(stride) * (h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const uint32_t v = pixel(x, y);
            const int bit = x * bpp;
            if (bpp < 8)
                row[bit / 8] |= BYTE(v << (8 - bpp - bit % 8));
            for (int b = 0; b < bpp / 8; ++b)
                row[bit / 8 + b] = BYTE(v >> (8 * b));
        }
    }
    ::GlobalUnlock(hDib);
    return hDib;
}

// A w x h colour icon: the square inset by `border` pixels is opaque in `colour`, the rest
// transparent. The caller destroys it.
inline HICON MakeIcon(int w, int h, int border, COLORREF colour)
{
    std::vector<uint32_t> pixels(size_t(w) * h);
    std::vector<BYTE> mask(size_t((w + 15) / 16 * 2) * h, 0xFF);
    for (int y = border; y < h - border; ++y)
        for (int x = border; x < w - border; ++x) {
            pixels[size_t(y) * w + x] =
                (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
            mask[size_t(y) * ((w + 15) / 16 * 2) + x / 8] &= BYTE(~(0x80 >> (x % 8)));
        }
    ICONINFO info = {TRUE, 0, 0, ::CreateBitmap(w, h, 1, 1, mask.data()),
                     ::CreateBitmap(w, h, 1, 32, pixels.data())};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    return hIcon;
}

// The bytes of a block, "0 0 5 ...".
template <class Block> std::string Bytes(const Block& b)
{
    std::string s;
    for (size_t i = 0; i < sizeof b; ++i)
        s += std::to_string(reinterpret_cast<const BYTE*>(&b)[i]) + " ";
    return s;
}

// A view in a parent window with the recording host; at the end the library's own global blocks
// are back to their start and the test's icons destroyed.
class ImageTest : public ViewFixture
{
protected:
    ImageTest() : ViewFixture(420, 320) {}
    void SetUp() override
    {
        ViewFixture::SetUp();
        m_blocks = afxGdiCounters().nGlobalBlocks;
        m_host.reset(new ImageHost);
        m_view = NewView(CRect(0, 0, 400, 300));
    }
    void TearDown() override
    {
        ViewFixture::TearDown();
        m_host.reset();
        EXPECT_EQ(m_blocks, afxGdiCounters().nGlobalBlocks) << "the library's own blocks";
        for (HICON h : m_icons)
            ::DestroyIcon(h);
    }
    template <class Element> Element* LastAs(CGraphicView* v)
    {
        return static_cast<Element*>(Last(v));
    }
    // A 32x32 icon opaque in colour but for a transparent border of 8 pixels.
    HICON Icon(COLORREF colour)
    {
        m_icons.push_back(MakeIcon(32, 32, 8, colour));
        return m_icons.back();
    }
    // A w x h 24-bit picture in one colour.
    static HGLOBAL Solid(int w, int h, COLORREF c)
    {
        return MakeDib(w, h, 24, {}, [c](int, int) {
            return uint32_t(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
        });
    }
    static bool Freed(HGLOBAL h) { return ::GlobalFlags(h) == GMEM_INVALID_HANDLE; }
    std::unique_ptr<ImageHost> m_host;
    CGraphicView* m_view = nullptr;
    std::vector<HICON> m_icons;
    LONG m_blocks = 0;
};
