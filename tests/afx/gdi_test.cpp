// GDI object wrappers: ownership of the handle, the brushes' patterns read back from pixels,
// regions, bitmaps, palettes, fonts and pens, and bad arguments.
#include <gtest/gtest.h>
#include <afxpriv.h>

#include <TestSupport.h>

#include <cstring>
#include <string>
#include <vector>

#ifndef OBM_CLOSE
#define OBM_CLOSE 32754  // only defined with OEMRESOURCE
#endif

namespace {

std::string Hex(COLORREF c)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%06lX", (unsigned long)c);
    return text;
}

// A packed DIB (header, colour table, bits) of an 8x8 1-bit pattern: rows of `rows`, bit 7 is
// the leftmost pixel; index 0 is colour0, index 1 colour1.
std::vector<BYTE> PackedMonoDib(const BYTE rows[8], COLORREF colour0, COLORREF colour1)
{
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD) + 8 * 4, 0);
    BITMAPINFOHEADER* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = 8;
    header->biHeight = -8;  // top-down
    header->biPlanes = 1;
    header->biBitCount = 1;
    header->biCompression = BI_RGB;
    RGBQUAD* colours = reinterpret_cast<RGBQUAD*>(header + 1);
    colours[0] = {GetBValue(colour0), GetGValue(colour0), GetRValue(colour0), 0};
    colours[1] = {GetBValue(colour1), GetGValue(colour1), GetRValue(colour1), 0};
    BYTE* bits = reinterpret_cast<BYTE*>(colours + 2);
    for (int y = 0; y < 8; ++y)
        bits[y * 4] = rows[y];  // rows are padded to four bytes
    return dib;
}

bool RowBit(const BYTE rows[8], int x, int y)
{
    return (rows[y & 7] >> (7 - (x & 7))) & 1;
}

}  // namespace

TEST(GdiObject, OwnershipAttachDetachAndDelete)
{
    GdiCountGuard guard("ownership");
    HPEN hPen;
    {
        CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
        hPen = (HPEN)pen.GetSafeHandle();
        ASSERT_NE(nullptr, hPen) << "the pen constructor made no pen";
        EXPECT_EQ((UINT)OBJ_PEN, pen.GetObjectType()) << "GetObjectType of a pen";
        EXPECT_EQ(hPen, (HPEN)pen) << "operator HPEN";

        // A second create on an object holding a handle keeps the first handle.
        EXPECT_FALSE(pen.CreatePen(PS_SOLID, 2, RGB(0, 0, 0))) << "CreatePen on a pen that has one";
        EXPECT_EQ(hPen, (HPEN)pen.GetSafeHandle()) << "the first handle stays";
        EXPECT_EQ(1, guard.GdiObjectsDelta()) << "one live pen";
    }
    EXPECT_EQ(0u, (unsigned)::GetObjectType(hPen)) << "the destructor deletes the pen it owns";

    // Detach hands the handle over; the wrapper then deletes nothing.
    HBRUSH hBrush;
    {
        CBrush brush(RGB(9, 9, 9));
        hBrush = (HBRUSH)brush.Detach();
        EXPECT_EQ(nullptr, brush.GetSafeHandle()) << "Detach leaves the wrapper empty";
    }
    EXPECT_EQ((UINT)OBJ_BRUSH, (UINT)::GetObjectType(hBrush))
        << "a detached brush survives its wrapper";
    {
        CBrush owner;
        EXPECT_TRUE(owner.Attach(hBrush)) << "Attach of a live brush";
        EXPECT_FALSE(owner.Attach(hBrush)) << "Attach onto a wrapper that holds a handle";
        EXPECT_TRUE(owner.DeleteObject()) << "DeleteObject of the attached brush";
        EXPECT_FALSE(owner.DeleteObject()) << "DeleteObject of an empty wrapper";
    }
    EXPECT_EQ(0u, (unsigned)::GetObjectType(hBrush)) << "DeleteObject deleted the brush";

    CGdiObject empty;
    EXPECT_FALSE(empty.Attach(NULL)) << "Attach(NULL)";
    EXPECT_EQ(0u, empty.GetObjectType()) << "GetObjectType of an empty wrapper";
    EXPECT_EQ(0, empty.GetObject(0, nullptr)) << "GetObject of an empty wrapper";
    CGdiObject* none = nullptr;
    EXPECT_EQ(nullptr, none->GetSafeHandle()) << "GetSafeHandle on a NULL pointer";
}

TEST(GdiObject, TemporaryWrapperHasTheHandlesClass)
{
    GdiCountGuard guard("temporary wrappers");
    struct {
        HGDIOBJ handle;
        CRuntimeClass* expected;
    } cases[] = {
        {::GetStockObject(BLACK_PEN), RUNTIME_CLASS(CPen)},
        {::GetStockObject(WHITE_BRUSH), RUNTIME_CLASS(CBrush)},
        {::GetStockObject(SYSTEM_FONT), RUNTIME_CLASS(CFont)},
        {::GetStockObject(DEFAULT_PALETTE), RUNTIME_CLASS(CPalette)},
    };
    for (const auto& c : cases) {
        CGdiObject* p = CGdiObject::FromHandle(c.handle);
        ASSERT_NE(nullptr, p);
        EXPECT_TRUE(p->IsKindOf(c.expected))
            << "temporary wrapper of a stock object: expected a " << c.expected->m_lpszClassName
            << ", got a " << p->GetRuntimeClass()->m_lpszClassName;
        EXPECT_EQ(c.handle, p->m_hObject) << "the wrapper holds the handle";
    }
    HRGN hRgn = ::CreateRectRgn(0, 0, 1, 1);
    EXPECT_TRUE(CGdiObject::FromHandle(hRgn)->IsKindOf(RUNTIME_CLASS(CRgn)))
        << "a region's wrapper is a CRgn";
    AfxUnlockTempMaps();
    EXPECT_EQ((UINT)OBJ_REGION, (UINT)::GetObjectType(hRgn))
        << "deleting temporary wrappers keeps the region";
    ::DeleteObject(hRgn);
}

// Thousands of live objects, half of them deleted in an order unrelated to creation: each
// remaining handle still maps to its own object, each deleted one to a fresh temporary wrapper
// (the map must keep every entry findable as others are removed around it).
TEST(GdiObject, HandleMapFindsEveryObjectThroughManyRemovals)
{
    GdiCountGuard guard("handle map");
    const int kCount = 3000;
    std::vector<CPen*> pens;
    for (int i = 0; i < kCount; ++i) {
        CPen* pen = new CPen(PS_SOLID, 1 + i % 7, RGB(i & 255, i >> 8, 1));
        ASSERT_NE(nullptr, pen->GetSafeHandle()) << "pen " << i;
        pens.push_back(pen);
    }
    std::vector<HGDIOBJ> gone;
    for (int i = 0; i < kCount; ++i) {
        const int k = (i * 7919) % kCount;  // a permutation: 7919 is prime to 3000
        if (k % 2 == 0) {
            gone.push_back(pens[k]->GetSafeHandle());
            delete pens[k];
            pens[k] = nullptr;
        }
    }
    for (int i = 0; i < kCount; ++i) {
        if (pens[i] != nullptr) {
            ASSERT_EQ(pens[i], CGdiObject::FromHandle(pens[i]->GetSafeHandle())) << "pen " << i;
        }
    }
    // A deleted pen's handle number may be reused by the next object, so only ask for
    // wrappers of handles that no live pen holds.
    HPEN stock = (HPEN)::GetStockObject(BLACK_PEN);
    CGdiObject* wrapper = CGdiObject::FromHandle(stock);
    ASSERT_NE(nullptr, wrapper);
    for (CPen* pen : pens)
        EXPECT_NE(wrapper, pen) << "a stock pen got a permanent object's wrapper";
    EXPECT_EQ(wrapper, CGdiObject::FromHandle(stock)) << "the same temporary wrapper twice";
    AfxUnlockTempMaps();
    for (CPen*& pen : pens) {
        delete pen;
        pen = nullptr;
    }
    EXPECT_EQ(kCount / 2, (int)gone.size());
}

TEST(GdiObject, SolidAndHatchBrushesFill)
{
    GdiCountGuard guard("solid and hatch brushes");
    DibCanvas canvas(32, 32, RGB(255, 255, 255));
    CDC& dc = canvas.Dc();

    CBrush solid(RGB(10, 200, 30));
    dc.FillRect(CRect(0, 0, 16, 16), &solid);
    EXPECT_EQ(256, canvas.CountPixels(RGB(10, 200, 30))) << "a 16x16 solid fill";

    // Hatch lines: an opaque background fills between them in the background colour.
    struct {
        int style;
        bool rows;
    } hatches[] = {{HS_HORIZONTAL, true}, {HS_VERTICAL, false}};
    for (const auto& h : hatches) {
        canvas.Fill(RGB(255, 255, 255));
        CBrush hatch(h.style, RGB(255, 0, 0));
        dc.SetBkMode(OPAQUE);
        dc.SetBkColor(RGB(0, 0, 255));
        dc.FillRect(CRect(0, 0, 16, 16), &hatch);
        // Every line across the 16x16 square is all hatch or all background; two are hatch,
        // eight apart.
        std::vector<int> hatchLines;
        for (int i = 0; i < 16; ++i) {
            CRect line = h.rows ? CRect(0, i, 16, i + 1) : CRect(i, 0, i + 1, 16);
            int red = canvas.CountPixels(RGB(255, 0, 0), line);
            int blue = canvas.CountPixels(RGB(0, 0, 255), line);
            EXPECT_TRUE((red == 16 && blue == 0) || (red == 0 && blue == 16))
                << "hatch " << h.style << " line " << i << ": expected all red or all blue, got "
                << red << " red and " << blue << " blue";
            if (red == 16)
                hatchLines.push_back(i);
        }
        ASSERT_EQ(2u, hatchLines.size()) << "hatch " << h.style << ": lines of the hatch colour";
        EXPECT_EQ(8, hatchLines[1] - hatchLines[0]) << "hatch " << h.style << ": period";
    }
}

TEST(GdiObject, PatternBrushesRepeatTheirBitmap)
{
    GdiCountGuard guard("pattern brushes");
    static const BYTE rows[8] = {0x81, 0x42, 0x24, 0x18, 0xF0, 0x0F, 0xAA, 0x55};
    const COLORREF c0 = RGB(200, 0, 0), c1 = RGB(0, 0, 200);

    // From a colour CBitmap: the 32-bit pixels are 0x00RRGGBB.
    std::vector<DWORD> pixels(64);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pixels[y * 8 + x] = RowBit(rows, x, y) ? 0x0000C8 : 0xC80000;
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(8, 8, 1, 32, pixels.data())) << "CreateBitmap 8x8x32";
    CBrush fromBitmap;
    ASSERT_TRUE(fromBitmap.CreatePatternBrush(&bitmap)) << "CreatePatternBrush(CBitmap*)";

    // From a packed DIB in a global memory block, and the same DIB from plain memory.
    std::vector<BYTE> dib = PackedMonoDib(rows, c0, c1);
    HGLOBAL hDib = ::GlobalAlloc(GMEM_MOVEABLE, dib.size());
    ASSERT_NE(nullptr, hDib);
    std::memcpy(::GlobalLock(hDib), dib.data(), dib.size());
    ::GlobalUnlock(hDib);
    CBrush fromGlobal;
    EXPECT_TRUE(fromGlobal.CreateDIBPatternBrush(hDib, DIB_RGB_COLORS))
        << "CreateDIBPatternBrush(HGLOBAL)";
    ::GlobalFree(hDib);  // the brush keeps its own copy
    CBrush fromMemory;
    EXPECT_TRUE(fromMemory.CreateDIBPatternBrush(dib.data(), DIB_RGB_COLORS))
        << "CreateDIBPatternBrush(const void*)";

    struct {
        const char* what;
        CBrush* brush;
    } brushes[] = {
        {"CreatePatternBrush", &fromBitmap},
        {"CreateDIBPatternBrush(HGLOBAL)", &fromGlobal},
        {"CreateDIBPatternBrush(const void*)", &fromMemory},
    };
    for (const auto& b : brushes) {
        DibCanvas canvas(24, 20);
        canvas.Dc().FillRect(CRect(0, 0, 24, 20), b.brush);
        int wrong = 0;
        std::string first;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 24; ++x) {
                COLORREF expected = RowBit(rows, x, y) ? c1 : c0;
                if (canvas.Pixel(x, y) != expected && wrong++ == 0)
                    first = "(" + std::to_string(x) + "," + std::to_string(y) + ") expected " +
                            Hex(expected) + ", got " + Hex(canvas.Pixel(x, y));
            }
        EXPECT_EQ(0, wrong) << b.what << ": pixels off the pattern, first " << first;
    }

    CBrush bad;
    EXPECT_FALSE(bad.CreatePatternBrush(nullptr)) << "pattern from a NULL bitmap";
    CBitmap emptyBitmap;
    EXPECT_FALSE(bad.CreatePatternBrush(&emptyBitmap)) << "pattern from an empty bitmap";
    EXPECT_FALSE(bad.CreateDIBPatternBrush((HGLOBAL)NULL, DIB_RGB_COLORS))
        << "DIB pattern from a NULL block";
    EXPECT_FALSE(bad.CreateDIBPatternBrush((const void*)nullptr, DIB_RGB_COLORS))
        << "DIB pattern from NULL memory";
    EXPECT_EQ(nullptr, bad.GetSafeHandle()) << "failed creates leave the brush empty";
}

TEST(GdiObject, RegionsCombineAndTest)
{
    GdiCountGuard guard("regions");
    struct {
        int mode;
        int area;
        POINT in;
        POINT out;
    } cases[] = {
        {RGN_AND, 25, {7, 7}, {2, 2}},
        {RGN_OR, 175, {2, 2}, {12, 2}},
        {RGN_XOR, 150, {2, 2}, {7, 7}},
        {RGN_DIFF, 75, {2, 2}, {7, 7}},
    };
    for (const auto& c : cases) {
        CRgn a, b, result;
        ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10));
        ASSERT_TRUE(b.CreateRectRgnIndirect(CRect(5, 5, 15, 15)));
        ASSERT_TRUE(result.CreateRectRgn(0, 0, 0, 0));
        EXPECT_NE(ERROR, result.CombineRgn(&a, &b, c.mode)) << "CombineRgn mode " << c.mode;
        EXPECT_TRUE(result.PtInRegion(c.in))
            << "mode " << c.mode << ": (" << c.in.x << "," << c.in.y << ") inside";
        EXPECT_FALSE(result.PtInRegion(c.out))
            << "mode " << c.mode << ": (" << c.out.x << "," << c.out.y << ") outside";

        // Filling the region paints exactly its area.
        DibCanvas canvas(20, 20);
        CBrush brush(RGB(0, 0, 0));
        EXPECT_TRUE(canvas.Dc().FillRgn(&result, &brush)) << "FillRgn";
        EXPECT_EQ(c.area, canvas.CountPixels(RGB(0, 0, 0)))
            << "mode " << c.mode << ": filled pixels";
        // Inverting it again gives white back.
        EXPECT_TRUE(canvas.Dc().InvertRgn(&result)) << "InvertRgn";
        EXPECT_EQ(400, canvas.CountPixels(RGB(255, 255, 255)))
            << "mode " << c.mode << ": InvertRgn undoes the fill";
    }

    CRgn rgn, copy;
    ASSERT_TRUE(rgn.CreateEllipticRgnIndirect(CRect(0, 0, 20, 10)));
    CRect box;
    EXPECT_EQ(COMPLEXREGION, rgn.GetRgnBox(&box)) << "an ellipse is made of many rectangles";
    EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= 20 && box.bottom <= 10 &&
                box.Width() >= 18 && box.Height() >= 8)
        << "GetRgnBox of the ellipse in (0,0,20,10): got (" << box.left << "," << box.top << ","
        << box.right << "," << box.bottom << ")";
    EXPECT_FALSE(rgn.PtInRegion(0, 0)) << "an ellipse leaves its corners out";
    ASSERT_TRUE(copy.CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(ERROR, copy.CopyRgn(&rgn)) << "CopyRgn";
    EXPECT_TRUE(copy.EqualRgn(&rgn)) << "a copy equals its source";
    EXPECT_NE(ERROR, copy.OffsetRgn(CPoint(100, 0))) << "OffsetRgn";
    EXPECT_FALSE(copy.EqualRgn(&rgn)) << "a moved copy differs";
    EXPECT_TRUE(copy.RectInRegion(CRect(108, 4, 112, 6))) << "RectInRegion after the move";
    copy.SetRectRgn(CRect(1, 1, 3, 3));
    EXPECT_EQ(SIMPLEREGION, copy.GetRgnBox(&box));
    EXPECT_TRUE(box == CRect(1, 1, 3, 3)) << "SetRectRgn";

    POINT triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    CRgn poly;
    EXPECT_TRUE(poly.CreatePolygonRgn(triangle, 3, ALTERNATE)) << "CreatePolygonRgn";
    EXPECT_TRUE(poly.PtInRegion(1, 1)) << "inside the triangle";
    EXPECT_FALSE(poly.PtInRegion(8, 8)) << "beyond the hypotenuse";
    POINT two[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {10, 10}, {14, 10}, {14, 14}, {10, 14}};
    INT counts[] = {4, 4};
    CRgn polys;
    EXPECT_TRUE(polys.CreatePolyPolygonRgn(two, counts, 2, ALTERNATE)) << "CreatePolyPolygonRgn";
    EXPECT_EQ(COMPLEXREGION, polys.GetRgnBox(&box)) << "two squares make a complex region";
    CRgn round;
    EXPECT_TRUE(round.CreateRoundRectRgn(0, 0, 20, 20, 10, 10)) << "CreateRoundRectRgn";
    EXPECT_FALSE(round.PtInRegion(0, 0)) << "a rounded corner is outside";

    // Bad arguments: ERROR or FALSE, nothing created.
    CRgn empty, other;
    ASSERT_TRUE(other.CreateRectRgn(0, 0, 1, 1));
    EXPECT_EQ(ERROR, empty.CombineRgn(&rgn, &other, RGN_OR)) << "CombineRgn into an empty CRgn";
    EXPECT_EQ(ERROR, copy.CombineRgn(nullptr, &other, RGN_OR)) << "CombineRgn with a NULL source";
    EXPECT_EQ(ERROR, copy.CombineRgn(&rgn, nullptr, RGN_AND)) << "CombineRgn AND with one source";
    EXPECT_EQ(ERROR, empty.OffsetRgn(1, 1)) << "OffsetRgn of an empty CRgn";
    EXPECT_EQ(ERROR, rgn.GetRgnBox(nullptr)) << "GetRgnBox(NULL)";
    EXPECT_FALSE(rgn.EqualRgn(nullptr)) << "EqualRgn(NULL)";
    EXPECT_FALSE(rgn.RectInRegion(nullptr)) << "RectInRegion(NULL)";
    EXPECT_FALSE(empty.CreatePolygonRgn(nullptr, 3, ALTERNATE)) << "CreatePolygonRgn(NULL)";
    EXPECT_FALSE(empty.CreatePolygonRgn(triangle, -1, ALTERNATE))
        << "CreatePolygonRgn with a negative count";
    EXPECT_FALSE(empty.CreateRectRgnIndirect(nullptr)) << "CreateRectRgnIndirect(NULL)";
    EXPECT_EQ(nullptr, empty.GetSafeHandle()) << "failed creates leave the region empty";
}

TEST(GdiObject, BitmapBitsRoundTrip)
{
    GdiCountGuard guard("bitmaps");
    // A 16x2 monochrome bitmap: rows are padded to 16 bits.
    const BYTE bits[4] = {0xF0, 0x0F, 0x55, 0xAA};
    CBitmap mono;
    ASSERT_TRUE(mono.CreateBitmap(16, 2, 1, 1, bits)) << "CreateBitmap 16x2x1";
    BITMAP info;
    ASSERT_EQ((int)sizeof(BITMAP), mono.GetBitmap(&info)) << "GetBitmap";
    EXPECT_EQ(16, info.bmWidth);
    EXPECT_EQ(2, info.bmHeight);
    EXPECT_EQ(1, info.bmBitsPixel);
    BYTE read[4] = {};
    EXPECT_EQ(4u, mono.GetBitmapBits(sizeof(read), read)) << "GetBitmapBits";
    EXPECT_EQ(0, std::memcmp(bits, read, 4)) << "GetBitmapBits gives back what CreateBitmap took";
    const BYTE other[4] = {1, 2, 3, 4};
    EXPECT_EQ(4u, mono.SetBitmapBits(sizeof(other), other)) << "SetBitmapBits";
    mono.GetBitmapBits(sizeof(read), read);
    EXPECT_EQ(0, std::memcmp(other, read, 4)) << "GetBitmapBits after SetBitmapBits";
    EXPECT_EQ(0u, mono.GetBitmapBits(sizeof(read), nullptr)) << "GetBitmapBits into NULL";
    EXPECT_EQ(0u, mono.SetBitmapBits(sizeof(read), nullptr)) << "SetBitmapBits from NULL";

    mono.SetBitmapDimension(30, 40);
    EXPECT_TRUE(mono.GetBitmapDimension() == CSize(30, 40)) << "Get/SetBitmapDimension";

    BITMAP desc = {0, 8, 4, 2, 1, 1, nullptr};
    CBitmap indirect;
    EXPECT_TRUE(indirect.CreateBitmapIndirect(&desc)) << "CreateBitmapIndirect";
    EXPECT_FALSE(indirect.CreateBitmapIndirect(nullptr))
        << "CreateBitmapIndirect(NULL) on a held bitmap";

    DibCanvas canvas(4, 4);
    CBitmap compatible;
    EXPECT_TRUE(compatible.CreateCompatibleBitmap(&canvas.Dc(), 5, 6)) << "CreateCompatibleBitmap";
    ASSERT_EQ((int)sizeof(BITMAP), compatible.GetBitmap(&info));
    EXPECT_EQ(5, info.bmWidth);
    EXPECT_EQ(32, info.bmBitsPixel) << "compatible with a 32-bit DIB section";

    CBitmap bad;
    EXPECT_FALSE(bad.CreateCompatibleBitmap(nullptr, 5, 5)) << "CreateCompatibleBitmap(NULL DC)";
    EXPECT_FALSE(bad.LoadBitmap((LPCTSTR) nullptr)) << "LoadBitmap(NULL)";
    EXPECT_FALSE(bad.LoadBitmap(12345)) << "LoadBitmap of a missing resource";
    EXPECT_TRUE(bad.LoadOEMBitmap(OBM_CLOSE)) << "LoadOEMBitmap(OBM_CLOSE)";
}

TEST(GdiObject, PaletteEntries)
{
    GdiCountGuard guard("palettes");
    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[4];
    } log = {0x300, 4, {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {10, 20, 30, 0}}};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(reinterpret_cast<LPLOGPALETTE>(&log))) << "CreatePalette";
    EXPECT_EQ(4, palette.GetEntryCount()) << "GetEntryCount";
    PALETTEENTRY got[4] = {};
    EXPECT_EQ(4u, palette.GetPaletteEntries(0, 4, got)) << "GetPaletteEntries";
    EXPECT_EQ(10, got[3].peRed);
    EXPECT_EQ(30, got[3].peBlue);
    PALETTEENTRY grey = {128, 128, 128, 0};
    EXPECT_EQ(1u, palette.SetPaletteEntries(1, 1, &grey)) << "SetPaletteEntries";
    palette.GetPaletteEntries(1, 1, got);
    EXPECT_EQ(128, got[0].peGreen) << "the entry set is read back";
    EXPECT_EQ(2u, palette.GetNearestPaletteIndex(RGB(0, 0, 250))) << "nearest to blue";
    EXPECT_TRUE(palette.ResizePalette(6)) << "ResizePalette";
    EXPECT_EQ(6, palette.GetEntryCount()) << "GetEntryCount after ResizePalette";

    CPalette empty;
    EXPECT_EQ(0, empty.GetEntryCount()) << "GetEntryCount of an empty CPalette";
    EXPECT_EQ(0u, palette.GetPaletteEntries(0, 4, nullptr)) << "GetPaletteEntries into NULL";
    EXPECT_FALSE(empty.CreatePalette(nullptr)) << "CreatePalette(NULL)";
}

TEST(GdiObject, PointFontHeightFollowsTheDC)
{
    GdiCountGuard guard("point fonts");
    int dpi;
    {
        HDC screen = ::GetDC(NULL);
        dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
        ::ReleaseDC(NULL, screen);
    }
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, _T("Arial"))) << "CreatePointFont 12 pt";
    LOGFONT lf;
    ASSERT_EQ((int)sizeof(LOGFONT), font.GetLogFont(&lf));
    EXPECT_EQ(-::MulDiv(12, dpi, 72), lf.lfHeight)
        << "12 pt on the screen, in pixels, as a character height";
    EXPECT_STREQ("Arial", lf.lfFaceName) << "face name";

    // A DC whose logical unit is half a pixel doubles the logical height.
    DibCanvas canvas(4, 4);
    CDC& dc = canvas.Dc();
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(2, 2);
    dc.SetViewportExt(1, 1);
    int pixels = ::MulDiv(dc.GetDeviceCaps(LOGPIXELSY), 12, 72);
    CFont scaled;
    ASSERT_TRUE(scaled.CreatePointFont(120, _T("Arial"), &dc)) << "CreatePointFont on a scaled DC";
    scaled.GetLogFont(&lf);
    EXPECT_EQ(-2 * pixels, lf.lfHeight) << "12 pt in half-pixel logical units";

    CFont direct;
    EXPECT_TRUE(direct.CreateFont(-20, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH, _T("Arial")))
        << "CreateFont";
    direct.GetLogFont(&lf);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_EQ(TRUE, lf.lfItalic);
    CFont bad;
    EXPECT_FALSE(bad.CreateFontIndirect(nullptr)) << "CreateFontIndirect(NULL)";
    EXPECT_FALSE(bad.CreatePointFontIndirect(nullptr)) << "CreatePointFontIndirect(NULL)";
    EXPECT_TRUE(bad.CreatePointFont(100, nullptr))
        << "CreatePointFont with no face name uses the default face";
}

TEST(GdiObject, PensDrawTheirWidthAndStyle)
{
    GdiCountGuard guard("pens");
    struct {
        const char* what;
        int width;
        bool extended;
    } cases[] = {
        {"cosmetic 1-pixel pen", 1, false},
        {"5-pixel pen", 5, false},
        {"geometric 3-pixel pen with flat ends", 3, true},
    };
    for (const auto& c : cases) {
        DibCanvas canvas(40, 40);
        CPen pen;
        if (c.extended) {
            LOGBRUSH lb = {BS_SOLID, RGB(0, 0, 255), 0};
            ASSERT_TRUE(pen.CreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, c.width, &lb))
                << c.what;
            EXTLOGPEN elp;
            EXPECT_GT(pen.GetExtLogPen(&elp), 0) << c.what << ": GetExtLogPen";
            EXPECT_EQ((DWORD)c.width, elp.elpWidth) << c.what << ": width read back";
        } else {
            ASSERT_TRUE(pen.CreatePen(PS_SOLID, c.width, RGB(0, 0, 255))) << c.what;
            LOGPEN lp;
            EXPECT_EQ((int)sizeof(LOGPEN), pen.GetLogPen(&lp)) << c.what << ": GetLogPen";
            EXPECT_EQ(c.width, lp.lopnWidth.x) << c.what << ": width read back";
        }
        CPen* old = canvas.Dc().SelectObject(&pen);
        canvas.Dc().MoveTo(10, 20);
        canvas.Dc().LineTo(30, 20);
        canvas.Dc().SelectObject(old);
        // The column in the middle of the line is as thick as the pen.
        EXPECT_EQ(c.width, canvas.CountPixels(RGB(0, 0, 255), CRect(20, 0, 21, 40)))
            << c.what << ": line thickness";
    }

    LOGPEN lp = {PS_DOT, {1, 0}, RGB(1, 2, 3)};
    CPen indirect;
    EXPECT_TRUE(indirect.CreatePenIndirect(&lp)) << "CreatePenIndirect";
    LOGPEN back;
    indirect.GetLogPen(&back);
    EXPECT_EQ((UINT)PS_DOT, back.lopnStyle);
    EXPECT_EQ(RGB(1, 2, 3), back.lopnColor);

    DWORD dashes[] = {4, 2};
    LOGBRUSH lb = {BS_SOLID, RGB(0, 0, 0), 0};
    CPen user(PS_GEOMETRIC | PS_USERSTYLE, 1, &lb, 2, dashes);
    EXPECT_NE(nullptr, user.GetSafeHandle()) << "a user-styled pen";
    CPen bad;
    EXPECT_FALSE(bad.CreatePen(PS_GEOMETRIC | PS_USERSTYLE, 1, &lb, 2, nullptr))
        << "style count without styles";
    EXPECT_FALSE(bad.CreatePen(PS_SOLID, 1, (const LOGBRUSH*)nullptr))
        << "extended pen without a brush";
    EXPECT_FALSE(bad.CreatePenIndirect(nullptr)) << "CreatePenIndirect(NULL)";
    EXPECT_EQ(nullptr, bad.GetSafeHandle()) << "failed creates leave the pen empty";
}
