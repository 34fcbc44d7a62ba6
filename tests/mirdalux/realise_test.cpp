// Realisation of drawing states on real device contexts: pens, brushes, raster operation and
// background mode per verb and pattern in metafile records, the built-in gray patterns byte by
// byte and pixel by pixel, erasing with background 0, fonts from face, size and style, and every
// context setting and live-object count back as found after each draw.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <mbctype.h>

#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "elements/GraphicElement.h"
#include "state/DcSelection.h"
#include "state/Realise.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kFore = RGB(0x12, 0x34, 0x56);
const COLORREF kBack = RGB(0x9A, 0xBC, 0xDE);

// A test-only element: draws a rectangle and a text with the parts it is given selected through
// CDcSelection, and notes what the context held while it drew.
class CProbeElement : public CGraphicElement
{
public:
    CProbeElement(int stateIndex, int verb, int pattern, int parts)
        : CGraphicElement(stateIndex, verb, pattern), m_parts(parts)
    {}

    void Draw(CDC* pDC, const RECT*) override
    {
        CDcSelection selection(pDC, this, m_parts);
        HDC hdc = pDC->m_hDC;
        memset(&m_font, 0, sizeof(m_font));
        ::GetObject(::GetCurrentObject(hdc, OBJ_FONT), sizeof(m_font), &m_font);
        m_charExtra = ::GetTextCharacterExtra(hdc);
        m_bkMode = ::GetBkMode(hdc);
        m_rop = ::GetROP2(hdc);
        m_textColor = ::GetTextColor(hdc);
        m_mapMode = ::GetMapMode(hdc);
        pDC->Rectangle(m_rect.left, m_rect.top, m_rect.right, m_rect.bottom);
        if (m_parts & SEL_FONT)
            pDC->TextOut(0, 40, "Wg", 2);
    }

    int m_parts;
    CRect m_rect{0, 0, 17, 17};
    LOGFONT m_font;
    int m_charExtra = 0;
    int m_bkMode = 0;
    int m_rop = 0;
    COLORREF m_textColor = 0;
    int m_mapMode = 0;
};

// Keeps one element alive for a whole test: the state table goes with the last element.
struct TableKeeper {
    CGraphicElement element{0, 0, 0};
};

// Interns a state made by edit into the table and returns its index.
int Intern(const std::function<void(CGraphicState&)>& edit = nullptr)
{
    CGraphicState* rec = new CGraphicState;
    if (edit)
        edit(*rec);
    return GetStateTable()->AddUnique(rec);
}

// Everything a draw must leave as it found it.
struct DcSnapshot {
    HGDIOBJ pen, brush, font;
    int rop, bkMode, charExtra, mapMode;
    COLORREF textColor, bkColor;

    static DcSnapshot Take(HDC hdc)
    {
        return DcSnapshot{::GetCurrentObject(hdc, OBJ_PEN),
                          ::GetCurrentObject(hdc, OBJ_BRUSH),
                          ::GetCurrentObject(hdc, OBJ_FONT),
                          ::GetROP2(hdc),
                          ::GetBkMode(hdc),
                          ::GetTextCharacterExtra(hdc),
                          ::GetMapMode(hdc),
                          ::GetTextColor(hdc),
                          ::GetBkColor(hdc)};
    }
    std::string Diff(const DcSnapshot& o) const
    {
        std::string d;
        if (pen != o.pen)
            d += " pen";
        if (brush != o.brush)
            d += " brush";
        if (font != o.font)
            d += " font";
        if (rop != o.rop)
            d += " rop " + std::to_string(rop) + "->" + std::to_string(o.rop);
        if (bkMode != o.bkMode)
            d += " bkMode " + std::to_string(bkMode) + "->" + std::to_string(o.bkMode);
        if (charExtra != o.charExtra)
            d += " charExtra " + std::to_string(charExtra) + "->" + std::to_string(o.charExtra);
        if (mapMode != o.mapMode)
            d += " mapMode";
        if (textColor != o.textColor)
            d += " textColor";
        if (bkColor != o.bkColor)
            d += " bkColor";
        return d;
    }
};

// A host context with its own objects and settings selected, all different from what any state
// selects.
struct HostSettings {
    explicit HostSettings(HDC hdc) : m_hdc(hdc)
    {
        m_pen = ::CreatePen(PS_DASH, 1, RGB(1, 2, 3));
        m_brush = ::CreateSolidBrush(RGB(4, 5, 6));
        m_font = ::CreateFont(-30, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Courier New");
        m_oldPen = ::SelectObject(hdc, m_pen);
        m_oldBrush = ::SelectObject(hdc, m_brush);
        m_oldFont = ::SelectObject(hdc, m_font);
        ::SetROP2(hdc, R2_NOT);
        ::SetBkMode(hdc, OPAQUE);
        ::SetTextCharacterExtra(hdc, 3);
        ::SetTextColor(hdc, RGB(7, 8, 9));
    }
    ~HostSettings()
    {
        ::SelectObject(m_hdc, m_oldPen);
        ::SelectObject(m_hdc, m_oldBrush);
        ::SelectObject(m_hdc, m_oldFont);
        ::DeleteObject(m_pen);
        ::DeleteObject(m_brush);
        ::DeleteObject(m_font);
    }
    HDC m_hdc;
    HGDIOBJ m_pen, m_brush, m_font, m_oldPen, m_oldBrush, m_oldFont;
};

// True when the records select this stock object before the rectangle.
bool SelectsStock(EmfRecorder& rec, int stock)
{
    const int shape = rec.IndexOf(EMR_RECTANGLE);
    for (int i = 0; i < shape; ++i) {
        const EmfRecord& r = rec.Records()[i];
        if (r.type == EMR_SELECTOBJECT && r.Param(0) == (0x80000000u | (DWORD)stock))
            return true;
    }
    return false;
}

std::string VerbName(int verb)
{
    return "verb " + std::to_string(verb);
}

}  // namespace

// Per verb and pattern: the pen (style, width, colour), the brush (hollow, solid colour, DIB
// pattern or none), ROP2 13 and then the host's value back, OPAQUE only for frame and paint.
TEST(Realise, PenBrushRopAndBackgroundModeRecordedPerVerbAndPattern)
{
    enum BrushKind { kNone, kHollow, kSolidFore, kSolidBack, kPattern };
    struct Case {
        int verb, pattern;
        int penStyle;
        BrushKind brush;
        int bkMode;
    };
    const Case cases[] = {
        {VERB_FRAME, PAT_OTHER, PS_SOLID, kHollow, OPAQUE},
        {VERB_PAINT, PAT_OTHER, PS_SOLID, kSolidFore, OPAQUE},
        {VERB_ERASE, PAT_GRAY, PS_NULL, kSolidBack, TRANSPARENT},
        {VERB_INVERT, PAT_BLACK, PS_NULL, kNone, TRANSPARENT},
        {VERB_FILL, PAT_WHITE, PS_NULL, kSolidBack, TRANSPARENT},
        {VERB_FILL, PAT_LTGRAY, PS_NULL, kPattern, TRANSPARENT},
        {VERB_FILL, PAT_GRAY, PS_NULL, kPattern, TRANSPARENT},
        {VERB_FILL, PAT_DKGRAY, PS_NULL, kPattern, TRANSPARENT},
        {VERB_FILL, PAT_BLACK, PS_NULL, kSolidFore, TRANSPARENT},
        {VERB_FILL, PAT_OTHER, PS_NULL, kNone, TRANSPARENT},
        {VERB_FILL, PAT_EMPTY, PS_NULL, kNone, TRANSPARENT},
        {VERB_ACTIVE, 12, PS_NULL, kHollow, TRANSPARENT},
        {VERB_CLICK, 42, PS_NULL, kHollow, TRANSPARENT},
        {VERB_EMPTY, PAT_EMPTY, PS_NULL, kNone, TRANSPARENT},
        {VERB_NONE, -2, PS_SOLID, kNone, TRANSPARENT},
    };
    GdiCountGuard guard("records per verb and pattern");
    TableKeeper keeper;
    int index = Intern([](CGraphicState& s) {
        s.m_penSize = 3;
        s.m_fogndColor = kFore;
        s.m_bkgndColor = kBack;
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(VerbName(c.verb) + " pattern " + std::to_string(c.pattern));
        CProbeElement probe(index, c.verb, c.pattern, SEL_PEN | SEL_BRUSH | SEL_ROP);
        EmfRecorder rec;
        rec.Dc().SetROP2(R2_NOT);
        rec.Dc().SetBkMode(c.bkMode == OPAQUE ? TRANSPARENT : OPAQUE);
        probe.Draw(&rec.Dc(), NULL);

        // GDI may hand out its stock null pen for a PS_NULL request.
        const EmfRecord* pen = rec.First(EMR_CREATEPEN);
        if (c.penStyle == PS_NULL && pen == NULL) {
            EXPECT_TRUE(SelectsStock(rec, NULL_PEN)) << rec.Describe();
        } else {
            ASSERT_NE(nullptr, pen) << rec.Describe();
            EXPECT_EQ((DWORD)c.penStyle, pen->Param(1)) << "pen style\n" << rec.Describe();
            EXPECT_EQ(3, pen->Long(2)) << "pen width";
            EXPECT_EQ(kFore, pen->Param(4)) << "pen colour";
        }
        const int textColor = rec.IndexOf(EMR_SETTEXTCOLOR);
        ASSERT_GE(textColor, 0) << rec.Describe();
        EXPECT_EQ(kFore, rec.Records()[textColor].Param(0)) << "text colour";

        const EmfRecord* brush = rec.First(EMR_CREATEBRUSHINDIRECT);
        const int patterns = rec.Count(EMR_CREATEDIBPATTERNBRUSHPT);
        switch (c.brush) {
        case kNone:
            EXPECT_EQ(nullptr, brush) << rec.Describe();
            EXPECT_FALSE(SelectsStock(rec, NULL_BRUSH)) << rec.Describe();
            EXPECT_EQ(0, patterns) << rec.Describe();
            break;
        case kHollow:
            // GDI may hand out its stock hollow brush for a BS_HOLLOW request.
            if (brush != NULL)
                EXPECT_EQ((DWORD)BS_HOLLOW, brush->Param(1)) << "brush style";
            else
                EXPECT_TRUE(SelectsStock(rec, NULL_BRUSH)) << rec.Describe();
            break;
        case kSolidFore:
        case kSolidBack:
            ASSERT_NE(nullptr, brush) << rec.Describe();
            EXPECT_EQ((DWORD)BS_SOLID, brush->Param(1)) << "brush style";
            EXPECT_EQ(c.brush == kSolidFore ? kFore : kBack, brush->Param(2)) << "brush colour";
            break;
        case kPattern:
            EXPECT_EQ(nullptr, brush) << rec.Describe();
            EXPECT_EQ(1, patterns) << rec.Describe();
            break;
        }

        // The state's ROP2, then the host's back after the shape.
        const int rop = rec.IndexOf(EMR_SETROP2, (size_t)textColor);
        ASSERT_GE(rop, 0) << rec.Describe();
        EXPECT_EQ((DWORD)R2_COPYPEN, rec.Records()[rop].Param(0)) << rec.Describe();
        const int shape = rec.IndexOf(EMR_RECTANGLE);
        const int ropBack = rec.IndexOf(EMR_SETROP2, (size_t)shape);
        ASSERT_GT(shape, rop) << rec.Describe();
        ASSERT_GT(ropBack, shape) << rec.Describe();
        EXPECT_EQ((DWORD)R2_NOT, rec.Records()[ropBack].Param(0)) << rec.Describe();

        EXPECT_EQ(c.bkMode, probe.m_bkMode) << "background mode while drawing";
        const int bkBack = rec.IndexOf(EMR_SETBKMODE, (size_t)shape);
        ASSERT_GT(bkBack, shape) << rec.Describe();
        EXPECT_EQ((DWORD)(c.bkMode == OPAQUE ? TRANSPARENT : OPAQUE),
                  rec.Records()[bkBack].Param(0));
        // Every object made for the draw is deleted after it.
        EXPECT_EQ(rec.Count(EMR_CREATEPEN) + rec.Count(EMR_CREATEBRUSHINDIRECT) + patterns,
                  rec.Count(EMR_DELETEOBJECT))
            << rec.Describe();
    }
}

// The packed pattern bitmaps: 204 bytes, the header, white and the foreground in the colour
// table, the rows bottom-up with the left pixel in the high nibble, zeros after; only L, G, D.
TEST(Realise, PatternDibBytes)
{
    struct Case {
        int pattern;
        BYTE even[4], odd[4];
    };
    const Case cases[] = {
        {PAT_LTGRAY, {0x00, 0x10, 0x00, 0x10}, {0x10, 0x00, 0x10, 0x00}},
        {PAT_GRAY, {0x01, 0x01, 0x01, 0x01}, {0x10, 0x10, 0x10, 0x10}},
        {PAT_DKGRAY, {0x11, 0x01, 0x11, 0x01}, {0x01, 0x11, 0x01, 0x11}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("pattern " + std::to_string(c.pattern));
        HGLOBAL h = CreatePatternDib(c.pattern, kFore);
        ASSERT_NE(nullptr, h);
        EXPECT_EQ(204u, ::GlobalSize(h));
        const BYTE* p = static_cast<const BYTE*>(::GlobalLock(h));
        ASSERT_NE(nullptr, p);
        EXPECT_NE(static_cast<const void*>(p), static_cast<const void*>(h)) << "a movable block";
        const BITMAPINFOHEADER* bih = reinterpret_cast<const BITMAPINFOHEADER*>(p);
        EXPECT_EQ(40u, bih->biSize);
        EXPECT_EQ(8, bih->biWidth);
        EXPECT_EQ(8, bih->biHeight) << "bottom-up";
        EXPECT_EQ(1, bih->biPlanes);
        EXPECT_EQ(4, bih->biBitCount);
        EXPECT_EQ((DWORD)BI_RGB, bih->biCompression);
        EXPECT_EQ(0u, bih->biSizeImage + bih->biClrUsed + bih->biClrImportant +
                          (DWORD)bih->biXPelsPerMeter + (DWORD)bih->biYPelsPerMeter);
        const BYTE white[4] = {255, 255, 255, 0};
        const BYTE fore[4] = {0x56, 0x34, 0x12, 0};
        EXPECT_EQ(0, memcmp(p + 40, white, 4)) << "entry 0 white";
        EXPECT_EQ(0, memcmp(p + 44, fore, 4)) << "entry 1 blue, green, red of the foreground";
        for (int i = 48; i < 104; ++i)
            EXPECT_EQ(0, p[i]) << "colour table byte " << i;
        for (int row = 0; row < 8; ++row) {
            const BYTE* want = row % 2 == 0 ? c.even : c.odd;
            for (int b = 0; b < 4; ++b)
                EXPECT_EQ(want[b], p[104 + 4 * row + b]) << "row " << row << " byte " << b;
        }
        for (int i = 136; i < 204; ++i)
            EXPECT_EQ(0, p[i]) << "byte " << i << " after the pixels";
        ::GlobalUnlock(h);
        ::GlobalFree(h);
    }
    for (int pattern :
         {(int)PAT_EMPTY, (int)PAT_OTHER, (int)PAT_WHITE, (int)PAT_BLACK, 6, -7, 1 << 30})
        EXPECT_EQ(nullptr, CreatePatternDib(pattern, kFore)) << "pattern " << pattern;
}

// Filling with L, G and D paints the 8x8 tile (top row first, X the foreground) repeated from
// the context's origin; B paints solid foreground, W the state's background.
TEST(Realise, FillPatternsPaintTheirTiles)
{
    struct Case {
        int pattern;
        const char* rows[8];
    };
    const Case cases[] = {
        {PAT_LTGRAY,
         {"X...X...", "..X...X.", "X...X...", "..X...X.", "X...X...", "..X...X.", "X...X...",
          "..X...X."}},
        {PAT_GRAY,
         {"X.X.X.X.", ".X.X.X.X", "X.X.X.X.", ".X.X.X.X", "X.X.X.X.", ".X.X.X.X", "X.X.X.X.",
          ".X.X.X.X"}},
        {PAT_DKGRAY,
         {".XXX.XXX", "XX.XXX.X", ".XXX.XXX", "XX.XXX.X", ".XXX.XXX", "XX.XXX.X", ".XXX.XXX",
          "XX.XXX.X"}},
        {PAT_BLACK,
         {"XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX",
          "XXXXXXXX"}},
        {PAT_WHITE,
         {"bbbbbbbb", "bbbbbbbb", "bbbbbbbb", "bbbbbbbb", "bbbbbbbb", "bbbbbbbb", "bbbbbbbb",
          "bbbbbbbb"}},
    };
    GdiCountGuard guard("pattern fills");
    TableKeeper keeper;
    int index = Intern([](CGraphicState& s) {
        s.m_fogndColor = kRed;
        s.m_bkgndColor = kBack;
    });
    for (const Case& c : cases) {
        SCOPED_TRACE("pattern " + std::to_string(c.pattern));
        DibCanvas canvas(24, 24, RGB(0, 255, 0));
        CProbeElement probe(index, VERB_FILL, c.pattern, SEL_PEN | SEL_BRUSH | SEL_ROP);
        // With no outline the rectangle fills 0..15.
        probe.Draw(&canvas.Dc(), NULL);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const char ch = c.rows[y % 8][x % 8];
                const COLORREF want = ch == 'X' ? kRed : (ch == 'b' ? kBack : kWhite);
                ASSERT_EQ(want, canvas.Pixel(x, y)) << "pixel (" << x << ", " << y << ")";
            }
        }
        EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(16, 16)) << "nothing outside the fill";
    }
}

// Erasing (and filling white) with a state background of 0 uses the context's background
// colour, not black; any other background colour is used as it is.
TEST(Realise, EraseWithBackgroundZeroUsesTheContextBackground)
{
    GdiCountGuard guard("erase with background 0");
    TableKeeper keeper;
    const COLORREF hostBk = RGB(1, 200, 3);
    int zero = Intern([](CGraphicState& s) { s.m_bkgndColor = 0; });
    int blue = Intern([](CGraphicState& s) { s.m_bkgndColor = RGB(0, 0, 1); });
    struct Case {
        int index, verb, pattern;
        COLORREF want;
    };
    const Case cases[] = {
        {zero, VERB_ERASE, PAT_OTHER, hostBk},
        {zero, VERB_FILL, PAT_WHITE, hostBk},
        {blue, VERB_ERASE, PAT_OTHER, RGB(0, 0, 1)},
        {blue, VERB_FILL, PAT_WHITE, RGB(0, 0, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(VerbName(c.verb) + " state " + std::to_string(c.index));
        DibCanvas canvas(20, 20, kRed);
        canvas.Dc().SetBkColor(hostBk);
        CProbeElement probe(c.index, c.verb, c.pattern, SEL_PEN | SEL_BRUSH | SEL_ROP);
        probe.Draw(&canvas.Dc(), NULL);
        EXPECT_EQ(256, canvas.CountPixels(c.want, CRect(0, 0, 16, 16)));
        EXPECT_EQ(hostBk, canvas.Dc().GetBkColor()) << "background colour untouched";
    }
}

// After every combination of parts and verbs the context holds the host's objects and
// settings again, and the live-object counters are back; while drawing it held the state's.
TEST(Realise, EveryDrawLeavesTheContextAsFound)
{
    const int verbs[] = {VERB_FRAME,  VERB_PAINT, VERB_ERASE, VERB_INVERT, VERB_FILL,
                         VERB_ACTIVE, VERB_CLICK, VERB_EMPTY, VERB_NONE,   0};
    const int parts[] = {0, SEL_PEN, SEL_BRUSH, SEL_ROP, SEL_FONT, 7, 9, 13, 15};
    GdiCountGuard guard("every draw");
    TableKeeper keeper;
    int courier = Intern([](CGraphicState& s) {
        s.m_fontName = "COURIER";
        s.m_textStyle = STYLE_BOLD | STYLE_EXTEND;
        s.m_fogndColor = kRed;
    });
    DibCanvas canvas(64, 64);
    HostSettings host(canvas.Hdc());
    const DcSnapshot before = DcSnapshot::Take(canvas.Hdc());
    for (int verb : verbs) {
        for (int p : parts) {
            SCOPED_TRACE(VerbName(verb) + " parts " + std::to_string(p));
            {
                GdiCountGuard inner("one draw");
                CProbeElement probe(courier, verb, PAT_GRAY, p);
                probe.Draw(&canvas.Dc(), NULL);
                EXPECT_EQ(p & SEL_ROP ? R2_COPYPEN : R2_NOT, probe.m_rop);
                EXPECT_EQ(p & SEL_PEN ? kRed : RGB(7, 8, 9), probe.m_textColor);
                EXPECT_EQ(p & SEL_FONT ? -2 : 3, probe.m_charExtra);
            }
            EXPECT_EQ("", before.Diff(DcSnapshot::Take(canvas.Hdc())));
        }
    }
    // A missing record selects nothing and changes nothing, on both sides of the draw.
    for (int missing : {1000, -1}) {
        GdiCountGuard inner("missing record");
        CProbeElement probe(missing, VERB_PAINT, PAT_BLACK, 15);
        probe.Draw(&canvas.Dc(), NULL);
        EXPECT_EQ(R2_NOT, probe.m_rop) << "index " << missing;
        EXPECT_EQ(RGB(7, 8, 9), probe.m_textColor) << "index " << missing;
        EXPECT_EQ("", before.Diff(DcSnapshot::Take(canvas.Hdc()))) << "index " << missing;
    }
    // A null context is ignored.
    CProbeElement probe(courier, VERB_PAINT, PAT_BLACK, 15);
    DcSettings created, saved;
    probe.SelectState(NULL, 15, created, saved, TRUE);
    probe.SelectState(NULL, 15, created, saved, FALSE);
    EXPECT_EQ(nullptr, created.pen);
    EXPECT_FALSE(saved.applied);
}

// Fonts: the fixed default, heights from the device once a size or another face is chosen,
// weights, flags, the COURIER substitution with its spacing, the 31-character cut, and widths
// measured for extend and condense.
TEST(Realise, FontsFromFaceSizeAndStyle)
{
    TableKeeper keeper;
    DibCanvas canvas(200, 60);
    ASSERT_EQ(96, ::GetDeviceCaps(canvas.Hdc(), LOGPIXELSY)) << "a 96 dpi screen";
    const std::string face40 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";
    struct Case {
        const char* name;
        std::function<void(CGraphicState&)> edit;
        LONG height;
        LONG weight;
        BYTE italic, underline;
        std::string face;
        int charExtra;
    };
    const Case cases[] = {
        {"default", nullptr, -13, 400, 0, 0, "Arial", 0},
        {"size 12 chosen", [](CGraphicState& s) { s.m_fontSizeSet = TRUE; }, -16, 400, 0, 0,
         "ARIAL", 0},
        {"size 10",
         [](CGraphicState& s) {
             s.m_fontSize = 10;
             s.m_fontSizeSet = TRUE;
         },
         -13, 400, 0, 0, "ARIAL", 0},
        {"face ARIAL", [](CGraphicState& s) { s.m_fontName = "ARIAL"; }, -16, 400, 0, 0, "ARIAL",
         0},
        {"size 72", [](CGraphicState& s) { s.m_fontSize = 72; }, -96, 400, 0, 0, "ARIAL", 0},
        {"bold", [](CGraphicState& s) { s.m_textStyle = STYLE_PLAIN | STYLE_BOLD; }, -13, 700, 0, 0,
         "ARIAL", 0},
        {"bold outline", [](CGraphicState& s) { s.m_textStyle = STYLE_BOLD | STYLE_OUTLINE; }, -13,
         900, 0, 0, "ARIAL", 0},
        {"shadow", [](CGraphicState& s) { s.m_textStyle = STYLE_SHADOW; }, -13, 900, 0, 0, "ARIAL",
         0},
        {"italic underline",
         [](CGraphicState& s) { s.m_textStyle = STYLE_ITALIC | STYLE_UNDERLINE; }, -13, 400, 1, 1,
         "ARIAL", 0},
        {"COURIER", [](CGraphicState& s) { s.m_fontName = "COURIER"; }, -16, 400, 0, 0,
         "COURIER NEW", -2},
        {"Courier", [](CGraphicState& s) { s.m_fontName = "Courier"; }, -16, 400, 0, 0, "COURIER",
         0},
        {"40 characters", [&](CGraphicState& s) { s.m_fontName = face40.c_str(); }, -16, 400, 0, 0,
         "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDE", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GdiCountGuard guard(c.name);
        int index = Intern(c.edit);
        CProbeElement probe(index, VERB_NONE, -2, SEL_PEN | SEL_ROP | SEL_FONT);
        canvas.Dc().SetTextCharacterExtra(0);
        probe.Draw(&canvas.Dc(), NULL);
        EXPECT_EQ(c.height, probe.m_font.lfHeight);
        EXPECT_EQ(0, probe.m_font.lfWidth);
        EXPECT_EQ(c.weight, probe.m_font.lfWeight);
        EXPECT_EQ(c.italic, probe.m_font.lfItalic);
        EXPECT_EQ(c.underline, probe.m_font.lfUnderline);
        EXPECT_EQ(c.face, std::string(probe.m_font.lfFaceName));
        EXPECT_EQ(c.charExtra, probe.m_charExtra) << "spacing while drawing";
        EXPECT_EQ(0, ::GetTextCharacterExtra(canvas.Hdc())) << "spacing afterwards";
    }

    // Extend and condense ask for the measured cell height and average width, plus or minus 2.
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -16;
    lf.lfWeight = 400;
    lf.lfOutPrecision = OUT_STROKE_PRECIS;
    lf.lfClipPrecision = CLIP_STROKE_PRECIS;
    lf.lfQuality = DRAFT_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    strcpy(lf.lfFaceName, "ARIAL");
    HFONT hMeasure = ::CreateFontIndirect(&lf);
    HGDIOBJ hOld = ::SelectObject(canvas.Hdc(), hMeasure);
    TEXTMETRIC tm;
    ASSERT_TRUE(::GetTextMetrics(canvas.Hdc(), &tm));
    ::SelectObject(canvas.Hdc(), hOld);
    ::DeleteObject(hMeasure);
    struct Width {
        UINT style;
        LONG delta;
    };
    for (Width w : {Width{STYLE_EXTEND, 2}, Width{STYLE_CONDENSE, -2}}) {
        GdiCountGuard guard("extend or condense");
        int index = Intern([&](CGraphicState& s) {
            s.m_textStyle = w.style;
            s.m_fontSizeSet = TRUE;
        });
        CProbeElement probe(index, VERB_NONE, -2, SEL_FONT);
        probe.Draw(&canvas.Dc(), NULL);
        EXPECT_EQ(tm.tmHeight, probe.m_font.lfHeight) << "style " << w.style;
        EXPECT_EQ(tm.tmAveCharWidth + w.delta, probe.m_font.lfWidth) << "style " << w.style;
    }
}

// A context in another mapping mode is switched to MM_TEXT by the font and left there; the
// default font has height -13 on a metafile too, and a chosen size follows its device.
TEST(Realise, FontSwitchesToTextMappingAndRecordsItsHeight)
{
    GdiCountGuard guard("mapping mode and metafile font");
    TableKeeper keeper;
    int plain = Intern();
    int sized = Intern([](CGraphicState& s) {
        s.m_fontSize = 24;
        s.m_fontSizeSet = TRUE;
    });
    DibCanvas canvas(40, 40);
    canvas.Dc().SetMapMode(MM_LOMETRIC);
    CProbeElement probe(plain, VERB_NONE, -2, SEL_FONT);
    probe.Draw(&canvas.Dc(), NULL);
    EXPECT_EQ(MM_TEXT, probe.m_mapMode);
    EXPECT_EQ(MM_TEXT, ::GetMapMode(canvas.Hdc())) << "left in MM_TEXT";

    for (int index : {plain, sized}) {
        EmfRecorder rec;
        const int dpi = ::GetDeviceCaps(rec.Dc().m_hDC, LOGPIXELSY);
        CProbeElement text(index, VERB_NONE, -2, SEL_FONT);
        text.Draw(&rec.Dc(), NULL);
        const EmfRecord* font = rec.First(EMR_EXTCREATEFONTINDIRECTW);
        ASSERT_NE(nullptr, font) << rec.Describe();
        const LONG want = index == plain ? -13 : -(dpi * 24 / 72);
        EXPECT_EQ(want, font->Long(1)) << "lfHeight\n" << rec.Describe();
    }
}

// In a double-byte code page the face is upper-cased and cut by whole characters: a character
// that would straddle the 31-byte limit is left out, and trail bytes are not upper-cased.
TEST(Realise, MultibyteFaceCutBetweenCharacters)
{
    const int oldCp = _getmbcp();
    ASSERT_EQ(0, _setmbcp(932)) << "code page 932 available";
    struct Case {
        std::string face;
        std::string want;
    };
    const Case cases[] = {
        {std::string(30, 'a') + "\x83\x61"
                                "b",
         std::string(30, 'A')},
        {std::string(29, 'a') + "\x83\x61"
                                "b",
         std::string(29, 'A') + "\x83\x61"},
        {"\x83\x61"
         "courier",
         "\x83\x61"
         "COURIER"},
    };
    TableKeeper keeper;
    DibCanvas canvas(40, 60);
    for (const Case& c : cases) {
        GdiCountGuard guard("multibyte face");
        int index = Intern([&](CGraphicState& s) { s.m_fontName = c.face.c_str(); });
        CProbeElement probe(index, VERB_NONE, -2, SEL_FONT);
        probe.Draw(&canvas.Dc(), NULL);
        EXPECT_EQ(c.want, std::string(probe.m_font.lfFaceName))
            << "face of " << c.face.size() << " bytes";
    }
    _setmbcp(oldCp);
}
