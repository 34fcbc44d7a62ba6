// GDI object wrappers: handle ownership and the handle map, brushes' patterns read back from
// pixels, regions, bitmaps, palettes, fonts and pens, and bad arguments as rows of results.
#include "TestSupport.h"
#include <afxpriv.h>

#include <cstring>
#include <memory>
#include <thread>

#ifndef OBM_CLOSE
#define OBM_CLOSE 32754  // only defined with OEMRESOURCE
#endif

namespace {
// The 8x8 pattern of the pattern brushes: bit 7 of a row is its leftmost pixel.
const BYTE kRows[8] = {0x81, 0x42, 0x24, 0x18, 0xF0, 0x0F, 0xAA, 0x55};
bool RowBit(int x, int y)
{
    return (kRows[y & 7] >> (7 - (x & 7))) & 1;
}
}  // namespace

TEST(GdiObject, OwnershipAttachDetachAndDelete)
{
    GdiCountGuard guard("ownership");
    auto pen = std::make_unique<CPen>(PS_SOLID, 1, RGB(1, 2, 3));
    HPEN hPen = (HPEN)pen->GetSafeHandle();
    ASSERT_NE(nullptr, hPen);
    HBRUSH hBrush = (HBRUSH)CBrush(RGB(9, 9, 9)).Detach();
    CBrush owner;
    CGdiObject empty;
    CGdiObject* none = nullptr;
    ExpectAll({{"GetObjectType of a pen", pen->GetObjectType() == OBJ_PEN},
               {"operator HPEN", (HPEN)*pen == hPen},
               {"CreatePen on a pen that has one", !pen->CreatePen(PS_SOLID, 2, RGB(0, 0, 0))},
               {"the first handle stays", pen->GetSafeHandle() == hPen},
               {"the destructor deleted its pen", (pen.reset(), ::GetObjectType(hPen) == 0)},
               {"a detached brush lives on", ::GetObjectType(hBrush) == OBJ_BRUSH},
               {"Attach of a live brush", !!owner.Attach(hBrush)},
               {"Attach onto a wrapper holding one", !owner.Attach(hBrush)},
               {"DeleteObject deletes the attached brush",
                owner.DeleteObject() && ::GetObjectType(hBrush) == 0},
               {"Attach(NULL)", !empty.Attach(NULL)},
               {"GetObjectType of an empty wrapper", empty.GetObjectType() == 0},
               {"GetObject of an empty wrapper", empty.GetObject(0, nullptr) == 0},
               {"GetSafeHandle through NULL", none->GetSafeHandle() == nullptr}});
}

// A handle with no permanent wrapper gets a temporary one of its own class. Locked maps keep
// temporaries; the last unlock deletes them, never their handles. A temporary deleted by hand is
// forgotten, its handle kept. Each thread has its own maps.
TEST(GdiObject, TemporaryWrappersHaveTheHandlesClassAndGoAtTheLastUnlock)
{
    GdiCountGuard guard("temporary wrappers");
    HRGN hRgn = ::CreateRectRgn(0, 0, 1, 1);
    std::vector<std::string> classes;  // of the wrappers; "-": none, or one of another handle
    for (HGDIOBJ h :
         {::GetStockObject(BLACK_PEN), ::GetStockObject(WHITE_BRUSH), ::GetStockObject(SYSTEM_FONT),
          ::GetStockObject(DEFAULT_PALETTE), (HGDIOBJ)hRgn}) {
        CGdiObject* p = CGdiObject::FromHandle(h);
        classes.push_back(p && p->m_hObject == h ? p->GetRuntimeClass()->m_lpszClassName : "-");
    }
    EXPECT_EQ("CPen, CBrush, CFont, CPalette, CRgn", Joined(classes));
    CPen pen(PS_SOLID, 1, kBlack);
    HPEN hPen = (HPEN)pen.Detach();
    CPen* tempPen = CPen::FromHandle(hPen);
    ASSERT_TRUE(tempPen != nullptr && tempPen != &pen);
    AfxLockTempMaps();
    AfxLockTempMaps();
    CPen* fresh = nullptr;
    ExpectAll(
        {{"still locked after one of two unlocks", AfxUnlockTempMaps()},
         {"the temporary kept", CPen::FromHandle(hPen) == tempPen},
         {"the last unlock", !AfxUnlockTempMaps()},
         {"the handles kept",
          ::GetObjectType(hPen) == OBJ_PEN && ::GetObjectType(hRgn) == OBJ_REGION},
         {"a fresh temporary", (fresh = CPen::FromHandle(hPen)) && fresh->m_hObject == hPen},
         {"deleted by hand, the pen kept", (delete fresh, ::GetObjectType(hPen) == OBJ_PEN)},
         {"another temporary", CPen::FromHandle(hPen) && CPen::FromHandle(hPen)->m_hObject == hPen},
         {"no wrapper for NULL", CGdiObject::FromHandle(NULL) == nullptr}});

    CGdiObject* mine = CGdiObject::FromHandle(hRgn);
    CGdiObject* theirs = nullptr;
    HGDIOBJ theirHandle = nullptr;
    std::thread([&] {  // the thread's maps and their temporaries go when it ends
        theirs = CGdiObject::FromHandle(hRgn);
        theirHandle = theirs ? theirs->m_hObject : nullptr;
    })
        .join();
    ExpectAll({{"the other thread's wrapper", theirs != nullptr && theirs != mine},
               {"for the same handle", theirHandle == hRgn},
               {"this thread's temporary is untouched", CGdiObject::FromHandle(hRgn) == mine}});
    AfxUnlockTempMaps();
    pen.Attach(hPen);  // the pen's destructor deletes it and keeps the counts balanced
    ::DeleteObject(hRgn);
}

// Half of many live objects deleted in an order unrelated to creation: each remaining handle
// still maps to its own object (the map keeps every entry findable as others go around it).
TEST(GdiObject, HandleMapFindsEveryObjectThroughManyRemovals)
{
    GdiCountGuard guard("handle map");
    const int kCount = 3000;
    std::vector<CPen*> pens;
    for (int i = 0; i < kCount; ++i)
        pens.push_back(new CPen(PS_SOLID, 1 + i % 7, RGB(i & 255, i >> 8, 1)));
    for (int i = 0; i < kCount; ++i) {
        const int k = (i * 7919) % kCount;  // a permutation: 7919 is prime to 3000
        if (k % 2 == 0) {
            delete pens[k];
            pens[k] = nullptr;
        }
    }
    for (int i = 0; i < kCount; ++i)
        ASSERT_TRUE(!pens[i] || pens[i] == CGdiObject::FromHandle(pens[i]->GetSafeHandle())) << i;
    // Only a handle no live pen holds gets a wrapper: a deleted pen's number may be reused.
    CGdiObject* wrapper = CGdiObject::FromHandle(::GetStockObject(BLACK_PEN));
    for (CPen* pen : pens)
        EXPECT_NE(wrapper, pen) << "a stock pen got a permanent object's wrapper";
    AfxUnlockTempMaps();
    for (CPen* pen : pens)
        delete pen;
}

TEST(GdiObject, HatchBrushesFill)
{
    GdiCountGuard guard("hatch brushes");
    DibCanvas canvas(32, 32);
    // Every line across the square is all hatch or all (opaque) background; two are hatch, 8 apart.
    for (bool rows : {true, false}) {
        SCOPED_TRACE(rows ? "HS_HORIZONTAL" : "HS_VERTICAL");
        canvas.Fill(kWhite);
        CBrush hatch(rows ? HS_HORIZONTAL : HS_VERTICAL, kRed);
        canvas.Dc().SetBkMode(OPAQUE);
        canvas.Dc().SetBkColor(kBlue);
        canvas.Dc().FillRect(CRect(0, 0, 16, 16), &hatch);
        std::vector<int> hatchLines;
        for (int i = 0; i < 16; ++i) {
            CRect line = rows ? CRect(0, i, 16, i + 1) : CRect(i, 0, i + 1, 16);
            int red = canvas.CountPixels(kRed, line), blue = canvas.CountPixels(kBlue, line);
            EXPECT_TRUE(red + blue == 16 && red % 16 == 0) << "line " << i << ": " << red << " red";
            if (red == 16)
                hatchLines.push_back(i);
        }
        ASSERT_EQ(2u, hatchLines.size());
        EXPECT_EQ(8, hatchLines[1] - hatchLines[0]) << "period";
    }
}

TEST(GdiObject, PatternBrushesRepeatTheirBitmap)
{
    GdiCountGuard guard("pattern brushes");
    const COLORREF c0 = RGB(200, 0, 0), c1 = RGB(0, 0, 200);
    std::vector<DWORD> pixels(64);  // 32-bit pixels are 0x00RRGGBB
    for (int i = 0; i < 64; ++i)
        pixels[i] = RowBit(i % 8, i / 8) ? 0x0000C8 : 0xC80000;
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(8, 8, 1, 32, pixels.data()));
    // A packed top-down 1-bit DIB: header, colour table (0: c0, 1: c1), rows padded to 4 bytes.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
        DWORD rows[8];
    } dib = {{sizeof(BITMAPINFOHEADER), 8, -8, 1, 1, BI_RGB, 0, 0, 0, 0, 0},
             {{0, 0, 200, 0}, {200, 0, 0, 0}},
             {kRows[0], kRows[1], kRows[2], kRows[3], kRows[4], kRows[5], kRows[6], kRows[7]}};
    CBrush fromBitmap, fromMemory;
    ASSERT_TRUE(fromBitmap.CreatePatternBrush(&bitmap));
    EXPECT_TRUE(fromMemory.CreateDIBPatternBrush(&dib, DIB_RGB_COLORS));
    DibCanvas expected(24, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 24; ++x)
            expected.Dc().SetPixel(x, y, RowBit(x, y) ? c1 : c0);
    auto fill = [&](CBrush& brush) {
        DibCanvas canvas(24, 20);
        canvas.Dc().FillRect(CRect(0, 0, 24, 20), &brush);
        return SamePixels(expected, canvas);
    };
    EXPECT_TRUE(fill(fromBitmap)) << "CreatePatternBrush";
    EXPECT_TRUE(fill(fromMemory)) << "CreateDIBPatternBrush(const void*)";
    CBrush bad;
    CBitmap emptyBitmap;
    ExpectAll({{"pattern from a NULL bitmap", !bad.CreatePatternBrush(nullptr)},
               {"pattern from an empty bitmap", !bad.CreatePatternBrush(&emptyBitmap)},
               {"DIB pattern from NULL HGLOBAL",
                !bad.CreateDIBPatternBrush((HGLOBAL)NULL, DIB_RGB_COLORS)},
               {"DIB pattern from NULL memory",
                !bad.CreateDIBPatternBrush((const void*)nullptr, DIB_RGB_COLORS)},
               {"failed creates leave the brush empty", bad.GetSafeHandle() == nullptr}});
}

TEST(GdiObject, RegionsCombineAndTest)
{
    GdiCountGuard guard("regions");
    const struct {
        const char* name;
        int mode, area;
        POINT in, out;
    } rows[] = {{"RGN_AND", RGN_AND, 25, {7, 7}, {2, 2}},
                {"RGN_OR", RGN_OR, 175, {2, 2}, {12, 2}},
                {"RGN_XOR", RGN_XOR, 150, {2, 2}, {7, 7}},
                {"RGN_DIFF", RGN_DIFF, 75, {2, 2}, {7, 7}}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        CRgn a, b, result;
        ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10) && b.CreateRectRgnIndirect(CRect(5, 5, 15, 15)) &&
                    result.CreateRectRgn(0, 0, 0, 0));
        EXPECT_NE(ERROR, result.CombineRgn(&a, &b, r.mode));
        EXPECT_TRUE(result.PtInRegion(r.in) && !result.PtInRegion(r.out));
        DibCanvas canvas(20, 20);
        CBrush brush(kBlack);
        EXPECT_TRUE(canvas.Dc().FillRgn(&result, &brush));
        EXPECT_EQ(r.area, canvas.CountPixels(kBlack)) << "FillRgn paints exactly the area";
        EXPECT_TRUE(canvas.Dc().InvertRgn(&result));
        EXPECT_EQ(400, canvas.CountPixels(kWhite)) << "InvertRgn undoes the fill";
    }
    CRgn rgn, copy, poly, polys, round, empty, other;
    CRect box, none;
    POINT triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    POINT two[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {10, 10}, {14, 10}, {14, 14}, {10, 14}};
    INT counts[] = {4, 4};
    ExpectAll(
        {{"CreateEllipticRgnIndirect", !!rgn.CreateEllipticRgnIndirect(CRect(0, 0, 20, 10))},
         {"an ellipse is a complex region", rgn.GetRgnBox(&box) == COMPLEXREGION},
         {"its box", box.left >= 0 && box.top >= 0 && box.right <= 20 && box.bottom <= 10 &&
                         box.Width() >= 18 && box.Height() >= 8},
         {"an ellipse leaves its corners out", !rgn.PtInRegion(0, 0)},
         {"CopyRgn", copy.CreateRectRgn(0, 0, 0, 0) && copy.CopyRgn(&rgn) != ERROR},
         {"a copy equals its source", !!copy.EqualRgn(&rgn)},
         {"OffsetRgn", copy.OffsetRgn(CPoint(100, 0)) != ERROR},
         {"a moved copy differs", !copy.EqualRgn(&rgn)},
         {"RectInRegion after the move", !!copy.RectInRegion(CRect(108, 4, 112, 6))},
         {"SetRectRgn", (copy.SetRectRgn(CRect(1, 1, 3, 3)), copy.GetRgnBox(&box) == SIMPLEREGION)},
         {"SetRectRgn's box", box == CRect(1, 1, 3, 3)},
         {"CreatePolygonRgn", !!poly.CreatePolygonRgn(triangle, 3, ALTERNATE)},
         {"inside the triangle", poly.PtInRegion(1, 1) && !poly.PtInRegion(8, 8)},
         {"CreatePolyPolygonRgn", !!polys.CreatePolyPolygonRgn(two, counts, 2, ALTERNATE)},
         {"two squares make a complex region", polys.GetRgnBox(&box) == COMPLEXREGION},
         {"CreateRoundRectRgn", !!round.CreateRoundRectRgn(0, 0, 20, 20, 10, 10)},
         {"a rounded corner is outside", !round.PtInRegion(0, 0)},
         // Bad arguments: ERROR or FALSE, nothing created.
         {"CombineRgn into an empty CRgn",
          other.CreateRectRgn(0, 0, 1, 1) && empty.CombineRgn(&rgn, &other, RGN_OR) == ERROR},
         {"CombineRgn with a NULL source", copy.CombineRgn(nullptr, &other, RGN_OR) == ERROR},
         {"CombineRgn AND with one source", copy.CombineRgn(&rgn, nullptr, RGN_AND) == ERROR},
         {"OffsetRgn of an empty CRgn", empty.OffsetRgn(1, 1) == ERROR},
         {"GetRgnBox(NULL)", rgn.GetRgnBox(nullptr) == ERROR},
         {"EqualRgn(NULL)", !rgn.EqualRgn(nullptr)},
         {"RectInRegion(NULL)", !rgn.RectInRegion(nullptr)},
         {"CreatePolygonRgn(NULL)", !empty.CreatePolygonRgn(nullptr, 3, ALTERNATE)},
         {"CreatePolygonRgn count -1", !empty.CreatePolygonRgn(triangle, -1, ALTERNATE)},
         {"CreateRectRgnIndirect(NULL)", !empty.CreateRectRgnIndirect(nullptr)},
         {"failed creates leave the region empty", empty.GetSafeHandle() == nullptr}});
}

TEST(GdiObject, BitmapsPalettesFontsAndPens)
{
    GdiCountGuard guard("bitmaps, palettes, fonts and pens");
    const BYTE bits[4] = {0xF0, 0x0F, 0x55, 0xAA}, other[4] = {1, 2, 3, 4};
    BYTE read[4] = {}, read2[4] = {};
    CBitmap mono, indirect, compatible, bad;
    BITMAP info = {}, desc = {0, 8, 4, 2, 1, 1, nullptr};
    DibCanvas canvas(4, 4);
    ASSERT_TRUE(mono.CreateBitmap(16, 2, 1, 1, bits)) << "16x2x1: rows are padded to 16 bits";
    ExpectAll(
        {{"GetBitmap", mono.GetBitmap(&info) == (int)sizeof(BITMAP)},
         {"its description", info.bmWidth == 16 && info.bmHeight == 2 && info.bmBitsPixel == 1},
         {"GetBitmapBits", mono.GetBitmapBits(sizeof read, read) == 4},
         {"the bits CreateBitmap took", std::memcmp(bits, read, 4) == 0},
         {"SetBitmapBits", mono.SetBitmapBits(sizeof other, other) == 4},
         {"read after SetBitmapBits",
          mono.GetBitmapBits(sizeof read2, read2) == 4 && std::memcmp(other, read2, 4) == 0},
         {"GetBitmapBits into NULL", mono.GetBitmapBits(4, nullptr) == 0},
         {"SetBitmapBits from NULL", mono.SetBitmapBits(4, nullptr) == 0},
         {"Get/SetBitmapDimension",
          (mono.SetBitmapDimension(30, 40), mono.GetBitmapDimension() == CSize(30, 40))},
         {"CreateBitmapIndirect", !!indirect.CreateBitmapIndirect(&desc)},
         {"CreateBitmapIndirect(NULL)", !indirect.CreateBitmapIndirect(nullptr)},
         {"CreateCompatibleBitmap", !!compatible.CreateCompatibleBitmap(&canvas.Dc(), 5, 6)},
         {"compatible with a 32-bit DIB section", compatible.GetBitmap(&info) == sizeof(BITMAP) &&
                                                      info.bmWidth == 5 && info.bmBitsPixel == 32},
         {"CreateCompatibleBitmap(NULL DC)", !bad.CreateCompatibleBitmap(nullptr, 5, 5)},
         {"LoadBitmap(NULL)", !bad.LoadBitmap((LPCTSTR) nullptr)},
         {"LoadBitmap of a missing resource", !bad.LoadBitmap(12345)},
         {"LoadOEMBitmap(OBM_CLOSE)", !!bad.LoadOEMBitmap(OBM_CLOSE)}});

    struct {
        WORD version, count;
        PALETTEENTRY entries[4];
    } log = {0x300, 4, {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {10, 20, 30, 0}}};
    CPalette palette, empty;
    PALETTEENTRY got[4] = {}, grey = {128, 128, 128, 0}, back = {};
    ExpectAll({{"CreatePalette", !!palette.CreatePalette(reinterpret_cast<LPLOGPALETTE>(&log))},
               {"GetEntryCount", palette.GetEntryCount() == 4},
               {"GetPaletteEntries", palette.GetPaletteEntries(0, 4, got) == 4},
               {"entry 3", got[3].peRed == 10 && got[3].peBlue == 30},
               {"SetPaletteEntries", palette.SetPaletteEntries(1, 1, &grey) == 1},
               {"the entry set is read back",
                palette.GetPaletteEntries(1, 1, &back) == 1 && back.peGreen == 128},
               {"nearest to blue", palette.GetNearestPaletteIndex(RGB(0, 0, 250)) == 2},
               {"ResizePalette", palette.ResizePalette(6) && palette.GetEntryCount() == 6},
               {"GetEntryCount of an empty CPalette", empty.GetEntryCount() == 0},
               {"GetPaletteEntries into NULL", palette.GetPaletteEntries(0, 4, nullptr) == 0},
               {"CreatePalette(NULL)", !empty.CreatePalette(nullptr)}});

    // A point font's height follows the DC: half-pixel logical units double it.
    int dpi = canvas.Dc().GetDeviceCaps(LOGPIXELSY);
    CFont font, scaled, direct, badFont;
    LOGFONT lf = {}, lfScaled = {}, lfDirect = {};
    ASSERT_TRUE(font.CreatePointFont(120, _T("Arial")) && font.GetLogFont(&lf));
    canvas.Dc().SetMapMode(MM_ANISOTROPIC);
    canvas.Dc().SetWindowExt(2, 2);
    canvas.Dc().SetViewportExt(1, 1);
    ASSERT_TRUE(scaled.CreatePointFont(120, _T("Arial"), &canvas.Dc()) &&
                scaled.GetLogFont(&lfScaled));
    ASSERT_TRUE(direct.CreateFont(-20, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH, _T("Arial")) &&
                direct.GetLogFont(&lfDirect));
    EXPECT_STREQ("Arial", lf.lfFaceName);
    ExpectValues({{"12 pt on the screen", -::MulDiv(12, dpi, 72), lf.lfHeight},
                  {"12 pt in half pixels", -2 * ::MulDiv(dpi, 12, 72), lfScaled.lfHeight},
                  {"CreateFont weight", FW_BOLD, lfDirect.lfWeight},
                  {"CreateFont italic", TRUE, lfDirect.lfItalic},
                  {"CreateFontIndirect(NULL)", FALSE, badFont.CreateFontIndirect(nullptr)},
                  {"CreatePointFontIndirect(NULL)", FALSE, badFont.CreatePointFontIndirect(NULL)},
                  {"CreatePointFont with no face", TRUE, badFont.CreatePointFont(100, nullptr)}});

    // A geometric pen's width reads back and is the thickness of the middle of its line.
    LOGBRUSH lb = {BS_SOLID, kBlue, 0};
    CPen geometric;  // made before the canvas, which deselects it before it goes
    DibCanvas lines(40, 40);
    EXTLOGPEN elp = {};
    ASSERT_TRUE(geometric.CreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 3, &lb));
    EXPECT_TRUE(geometric.GetExtLogPen(&elp) > 0 && elp.elpWidth == 3u);
    lines.Dc().SelectObject(&geometric);
    lines.Dc().MoveTo(10, 20);
    lines.Dc().LineTo(30, 20);
    EXPECT_EQ(3, lines.CountPixels(kBlue, CRect(20, 0, 21, 40)));
    LOGPEN lp = {PS_DOT, {1, 0}, RGB(1, 2, 3)}, lpBack = {};
    DWORD dashes[] = {4, 2};
    CPen indirectPen, user(PS_GEOMETRIC | PS_USERSTYLE, 1, &lb, 2, dashes), badPen;
    ExpectAll({{"CreatePenIndirect", !!indirectPen.CreatePenIndirect(&lp)},
               {"its style and colour read back", indirectPen.GetLogPen(&lpBack) &&
                                                      lpBack.lopnStyle == PS_DOT &&
                                                      lpBack.lopnColor == RGB(1, 2, 3)},
               {"a user-styled pen", user.GetSafeHandle() != nullptr},
               {"user style without its dashes",
                !badPen.CreatePen(PS_GEOMETRIC | PS_USERSTYLE, 1, &lb, 2, nullptr)},
               {"CreatePen with a NULL brush", !badPen.CreatePen(PS_SOLID, 1, (LOGBRUSH*)NULL)},
               {"CreatePenIndirect(NULL)", !badPen.CreatePenIndirect(nullptr)},
               {"failed creates leave the pen empty", badPen.GetSafeHandle() == nullptr}});
}
