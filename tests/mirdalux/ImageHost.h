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
    // Run once, inside the first call whose entry starts with `trigger`, after it is noted.
    std::string trigger;
    std::function<void()> action;
    static inline ImageHost* s_current = nullptr;

    ImageHost()
    {
        s_current = this;
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
        s_current = nullptr;
    }
    static void Note(const std::string& entry)
    {
        ImageHost* h = s_current;
        h->log.push_back(entry);
        if (!h->trigger.empty() && entry.compare(0, h->trigger.size(), h->trigger) == 0) {
            h->trigger.clear();
            h->action();
        }
    }
    std::string TakeLog()
    {
        std::string s = Joined(log);
        log.clear();
        return s;
    }

    static void __cdecl Request(ResourceRequest* r)
    {
        ImageHost* h = s_current;
        h->requests.push_back(*r);
        if (r->kind == RES_ICON && h->icons.count(r->number))
            r->handle = h->icons[r->number];
        if (r->kind == RES_PICT && h->pictures.count(r->number))
            std::tie(r->handle, r->transparentIndex) = h->pictures[r->number];
        Note((r->kind == RES_ICON ? "icon " : "pict ") + std::to_string(r->number));
    }
    static void __cdecl Draw(PictDrawRequest* r)
    {
        ImageHost* h = s_current;
        h->draws.push_back(*r);
        if (h->watched != NULL)
            h->lockCounts.push_back(::GlobalFlags(h->watched) & GMEM_LOCKCOUNT);
        Note("draw " + Str(CRect(r->destX, r->destY, r->destWidth, r->destHeight)));
    }
    static HGLOBAL __cdecl State(int number, int code, LONG*)
    {
        Note("state " + std::to_string(number) + " " + std::to_string(code));
        auto it = s_current->states.find({number, code});
        return it != s_current->states.end() ? it->second : NULL;
    }
    static void __cdecl Free(int number, int code)
    {
        Note("free " + std::to_string(number) + " " + std::to_string(code));
    }
    static void CALLBACK Update(LONG_PTR id, const CString* name, HGLOBAL hDib, int index)
    {
        Note("update " + std::to_string(id) + " " + std::string(*name) + " " +
             (hDib == s_current->watched ? "watched" : "other") + " " + std::to_string(index));
    }
    static void CALLBACK Resize(LONG_PTR id, const CString* name, RECT* r)
    {
        Note("resize " + std::to_string(id) + " " + std::string(*name) + " " + Str(*r));
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

// A w x h icon whose square inset by `border` pixels is opaque, the rest transparent: in colour,
// or black for a monochrome icon (no colour bitmap, the mask twice as high: AND over XOR).
inline HICON MakeIcon(int w, int h, int border, COLORREF colour, bool mono = false)
{
    const int maskRow = (w + 15) / 16 * 2;
    std::vector<uint32_t> pixels(size_t(w) * h);
    std::vector<BYTE> mask(size_t(maskRow) * h * 2, 0xFF);
    std::fill(mask.begin() + size_t(maskRow) * h, mask.end(), 0);
    for (int y = border; y < h - border; ++y)
        for (int x = border; x < w - border; ++x) {
            pixels[size_t(y) * w + x] =
                GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
            mask[size_t(y) * maskRow + x / 8] &= BYTE(~(0x80 >> (x % 8)));
        }
    ICONINFO info = {TRUE, 0, 0, ::CreateBitmap(w, mono ? 2 * h : h, 1, 1, mask.data()),
                     mono ? NULL : ::CreateBitmap(w, h, 1, 32, pixels.data())};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
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

// A view in a parent window with the recording host; at the end every GDI object, context and
// global block the library made is given back, and the test's icons are destroyed.
class ImageTest : public ViewFixture
{
protected:
    ImageTest() : ViewFixture(420, 320) {}
    void SetUp() override
    {
        m_guard.reset(new GdiCountGuard("the test"));
        ViewFixture::SetUp();
        m_host.reset(new ImageHost);
        m_view = NewView(CRect(0, 0, 400, 300));
    }
    void TearDown() override
    {
        ViewFixture::TearDown();
        m_host.reset();
        m_guard.reset();
        for (HICON h : m_icons)
            ::DestroyIcon(h);
    }
    template <class Element> Element* LastAs(CGraphicView* v)
    {
        return static_cast<Element*>(Last(v));
    }
    // A w x h icon opaque in colour but for a transparent border.
    HICON Icon(COLORREF colour, int w = 32, int h = 32, int border = 8, bool mono = false)
    {
        m_icons.push_back(MakeIcon(w, h, border, colour, mono));
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
    std::unique_ptr<GdiCountGuard> m_guard;
    std::unique_ptr<ImageHost> m_host;
    CGraphicView* m_view = nullptr;
    std::vector<HICON> m_icons;
};
