// Realisation of drawing states on real device contexts: pens, brushes, raster operation and
// background mode per verb and pattern in metafile records, the built-in gray patterns byte by
// byte and pixel by pixel, erasing with background 0, fonts from face, size and style, and every
// context setting and live-object count back as found after each draw.
#include "TestShape.h"

#include <mbctype.h>

#include <algorithm>

#include "elements/GraphicElement.h"
#include "state/DcSelection.h"
#include "state/Realise.h"

namespace {

const COLORREF kFore = RGB(0x12, 0x34, 0x56);
const COLORREF kBack = RGB(0x9A, 0xBC, 0xDE);
const COLORREF kHostText = RGB(7, 8, 9);

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
        pDC->Rectangle(0, 0, 17, 17);
        if (m_parts & SEL_FONT)
            pDC->TextOut(0, 40, "Wg", 2);
    }
    int m_parts;
    LOGFONT m_font;
    int m_charExtra = 0, m_bkMode = 0, m_rop = 0, m_mapMode = 0;
    COLORREF m_textColor = 0;
};

int Intern(const std::function<void(CGraphicState&)>& edit = nullptr)
{
    CGraphicState* rec = new CGraphicState;
    if (edit)
        edit(*rec);
    return GetStateTable()->AddUnique(rec);
}

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

}  // namespace

// Per verb and pattern: the pen (style, width, colour), the brush (hollow, solid colour, DIB
// pattern or none), OPAQUE only for frame and paint. The raster operation, the text colour and
// every setting put back are EveryDrawLeavesTheContextAsFound's; objects deleted, the guard's.
TEST(Realise, PenBrushAndBackgroundModeRecordedPerVerbAndPattern)
{
    enum BrushKind { kNone, kHollow, kSolidFore, kSolidBack, kPattern };
    const struct {
        int verb, pattern, penStyle, brush, bkMode;
    } rows[] = {
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
        {VERB_ACTIVE, 12, PS_NULL, kHollow, TRANSPARENT},
        {VERB_CLICK, 42, PS_NULL, kHollow, TRANSPARENT},
        {VERB_NONE, -2, PS_SOLID, kNone, TRANSPARENT},
    };
    GdiCountGuard guard("records per verb and pattern");
    CGraphicElement keeper(0, 0, 0);  // the state table goes with the last element
    int index = Intern([](CGraphicState& s) {
        s.m_penSize = 3;
        s.m_fogndColor = kFore;
        s.m_bkgndColor = kBack;
    });
    for (const auto& row : rows) {
        SCOPED_TRACE("verb " + std::to_string(row.verb) + " pattern " +
                     std::to_string(row.pattern));
        CProbeElement probe(index, row.verb, row.pattern, SEL_PEN | SEL_BRUSH);
        EmfRecorder rec;
        rec.Dc().SetBkMode(row.bkMode == OPAQUE ? TRANSPARENT : OPAQUE);
        probe.Draw(&rec.Dc(), NULL);
        SCOPED_TRACE(rec.Describe());
        // What the records show; GDI may hand out its stock null pen or hollow brush for a
        // PS_NULL or BS_HOLLOW request.
        const EmfRecord* pen = rec.First(EMR_CREATEPEN);
        const EmfRecord* brush = rec.First(EMR_CREATEBRUSHINDIRECT);
        const int patterns = rec.Count(EMR_CREATEDIBPATTERNBRUSHPT);
        const int penStyle = pen ? pen->Long(1) : SelectsStock(rec, NULL_PEN) ? PS_NULL : -1;
        int kind = SelectsStock(rec, NULL_BRUSH) ? kHollow : kNone;
        if (patterns > 0)
            kind = patterns == 1 && brush == NULL ? kPattern : -1;
        else if (brush != NULL && brush->Param(1) == BS_HOLLOW)
            kind = kHollow;
        else if (brush != NULL)
            kind = brush->Param(1) != BS_SOLID ? -1
                   : brush->Param(2) == kFore  ? kSolidFore
                   : brush->Param(2) == kBack  ? kSolidBack
                                               : -1;
        ExpectValues({{"pen style", row.penStyle, penStyle},
                      {"pen width", 3, pen ? pen->Long(2) : 3},
                      {"pen colour", kFore, pen ? pen->Param(4) : kFore},
                      {"brush", row.brush, kind},
                      {"background mode while drawing", row.bkMode, probe.m_bkMode}});
    }
}

// The packed pattern bitmaps: 204 bytes in a movable block, the header, white and the foreground
// in the colour table, the rows bottom-up with the left pixel in the high nibble, zeros after;
// only L, G, D. Filling with them paints the 8x8 tile (top row first, X the foreground) repeated
// from the context's origin; B paints solid foreground, W and erasing the state's background,
// or the context's when that is 0 (b the state's, h the context's), which stays as it was.
TEST(Realise, PatternDibsAndTheTilesTheyFill)
{
    const COLORREF hostBk = RGB(1, 200, 3);
    const struct {
        const char* name;
        int verb, pattern;
        COLORREF background;
        const char* tileRows[2];  // the tile's rows alternate
    } rows[] = {
        {"L", VERB_FILL, PAT_LTGRAY, kBack, {"X...X...", "..X...X."}},
        {"G", VERB_FILL, PAT_GRAY, kBack, {"X.X.X.X.", ".X.X.X.X"}},
        {"D", VERB_FILL, PAT_DKGRAY, kBack, {".XXX.XXX", "XX.XXX.X"}},
        {"B", VERB_FILL, PAT_BLACK, kBack, {"XXXXXXXX", "XXXXXXXX"}},
        {"W", VERB_FILL, PAT_WHITE, kBack, {"bbbbbbbb", "bbbbbbbb"}},
        {"W, background 0", VERB_FILL, PAT_WHITE, 0, {"hhhhhhhh", "hhhhhhhh"}},
        {"erase", VERB_ERASE, PAT_OTHER, kBack, {"bbbbbbbb", "bbbbbbbb"}},
        {"erase, background 0", VERB_ERASE, PAT_OTHER, 0, {"hhhhhhhh", "hhhhhhhh"}},
    };
    GdiCountGuard guard("pattern dibs and fills");
    CGraphicElement keeper(0, 0, 0);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.pattern == PAT_LTGRAY || row.pattern == PAT_GRAY || row.pattern == PAT_DKGRAY) {
            std::vector<BYTE> want(204, 0);
            const BITMAPINFOHEADER bih = {40, 8, 8, 1, 4, BI_RGB, 0, 0, 0, 0, 0};
            memcpy(&want[0], &bih, sizeof bih);
            const BYTE colors[8] = {255, 255, 255, 0, 0x56, 0x34, 0x12, 0};
            memcpy(&want[40], colors, 8);
            for (int r = 0; r < 8; ++r) {  // stored row r is the tile's row 7 - r
                for (int b = 0; b < 4; ++b) {
                    const char* pixels = row.tileRows[(7 - r) % 2] + 2 * b;
                    want[104 + 4 * r + b] = (pixels[0] == 'X' ? 0x10 : 0) | (pixels[1] == 'X');
                }
            }
            HGLOBAL h = CreatePatternDib(row.pattern, kFore);
            ASSERT_NE(nullptr, h);
            ASSERT_EQ(204u, ::GlobalSize(h));
            const BYTE* p = static_cast<const BYTE*>(::GlobalLock(h));
            EXPECT_NE(static_cast<const void*>(p), static_cast<const void*>(h))
                << "a movable block";
            const size_t first = std::mismatch(want.begin(), want.end(), p).first - want.begin();
            EXPECT_EQ(204u, first) << "first differing byte";
            ::GlobalUnlock(h);
            ::GlobalFree(h);
        }
        DibCanvas canvas(24, 24, RGB(0, 255, 0)), expected(24, 24, RGB(0, 255, 0));
        const COLORREF colours[] = {kFore, kBack, hostBk, kWhite};
        const std::string code = "Xbh.";  // the tile's letters for those colours
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x)
                expected.Dc().SetPixel(x, y, colours[code.find(row.tileRows[y % 2][x % 8])]);
        }
        const int index = Intern([&](CGraphicState& s) {
            s.m_fogndColor = kFore;
            s.m_bkgndColor = row.background;
        });
        canvas.Dc().SetBkColor(hostBk);
        // With no outline the rectangle fills 0..15.
        CProbeElement(index, row.verb, row.pattern, SEL_PEN | SEL_BRUSH | SEL_ROP)
            .Draw(&canvas.Dc(), NULL);
        EXPECT_TRUE(SamePixels(expected, canvas));
        EXPECT_EQ(hostBk, canvas.Dc().GetBkColor()) << "the context's background untouched";
    }
    for (int pattern :
         {(int)PAT_EMPTY, (int)PAT_OTHER, (int)PAT_WHITE, (int)PAT_BLACK, 6, -7, 1 << 30})
        EXPECT_EQ(nullptr, CreatePatternDib(pattern, kFore)) << "pattern " << pattern;
}

// After every combination of parts and verbs the context holds the host's objects and
// settings again, and the live-object counters are back; while drawing it held the state's.
TEST(Realise, EveryDrawLeavesTheContextAsFound)
{
    GdiCountGuard guard("every draw");
    CGraphicElement keeper(0, 0, 0);
    int courier = Intern([](CGraphicState& s) {
        s.m_fontName = "COURIER";
        s.m_textStyle = STYLE_BOLD | STYLE_EXTEND;
        s.m_fogndColor = kRed;
    });
    // The host's own objects and settings, all different from the context's defaults and from
    // what any state selects.
    DibCanvas canvas(64, 64);
    for (int stock : {DC_PEN, DC_BRUSH, ANSI_FIXED_FONT})
        ::SelectObject(canvas.Hdc(), ::GetStockObject(stock));
    ::SetROP2(canvas.Hdc(), R2_NOT);
    ::SetBkMode(canvas.Hdc(), OPAQUE);
    ::SetTextCharacterExtra(canvas.Hdc(), 3);
    ::SetTextColor(canvas.Hdc(), kHostText);
    const std::string before = Settings(canvas.Hdc());
    const int verbs[] = {VERB_FRAME,  VERB_PAINT, VERB_ERASE, VERB_INVERT, VERB_FILL,
                         VERB_ACTIVE, VERB_CLICK, VERB_EMPTY, VERB_NONE,   0};
    const int parts[] = {0, SEL_PEN, SEL_BRUSH, SEL_ROP, SEL_FONT, 7, 9, 13, 15};
    // A missing record (index 1000 or -1) selects nothing and changes nothing.
    for (int state : {courier, 1000, -1}) {
        for (int verb : verbs) {
            for (int p : parts) {
                SCOPED_TRACE("state " + std::to_string(state) + " verb " + std::to_string(verb) +
                             " parts " + std::to_string(p));
                const int got = state == courier ? p : 0;
                CProbeElement probe(state, verb, PAT_GRAY, p);
                probe.Draw(&canvas.Dc(), NULL);
                ExpectValues({{"rop", got & SEL_ROP ? R2_COPYPEN : R2_NOT, probe.m_rop},
                              {"text colour", got & SEL_PEN ? kRed : kHostText, probe.m_textColor},
                              {"spacing", got & SEL_FONT ? -2 : 3, probe.m_charExtra}});
                EXPECT_EQ(before, Settings(canvas.Hdc()));
            }
        }
    }
}

// Fonts: the fixed default, heights from the device once a size or another face is chosen,
// weights, flags, the COURIER substitution with its spacing, the 31-byte cut (in a double-byte
// code page by whole characters, trail bytes not upper-cased), and extend and condense asking
// for the measured cell height and average width plus or minus 2; a context in another mapping
// mode switched to MM_TEXT and left there.
TEST(Realise, FontsFromFaceSizeAndStyle)
{
    CGraphicElement keeper(0, 0, 0);
    DibCanvas canvas(200, 60);
    ASSERT_EQ(96, ::GetDeviceCaps(canvas.Hdc(), LOGPIXELSY)) << "a 96 dpi screen";
    TEXTMETRIC tm = {};
    MeasureArial(canvas.Hdc(), -16, "", &tm);
    const LONG kMeasured = 1;  // the height measured above, the width its average plus or minus 2
    const struct {
        const char *name, *face;  // the state's face, size and style
        int points, sizeSet;
        UINT style;
        LONG height, weight;  // what the font selected while drawing has, its flags the style's
        const char* wantFace;
        int charExtra;
    } rows[] = {
        {"default", "Arial", 12, FALSE, STYLE_PLAIN, -13, 400, "Arial", 0},
        {"size 12 chosen", "Arial", 12, TRUE, STYLE_PLAIN, -16, 400, "ARIAL", 0},
        {"face ARIAL", "ARIAL", 12, FALSE, STYLE_PLAIN, -16, 400, "ARIAL", 0},
        {"size 72", "Arial", 72, FALSE, STYLE_PLAIN, -96, 400, "ARIAL", 0},
        {"bold", "Arial", 12, FALSE, STYLE_PLAIN | STYLE_BOLD, -13, 700, "ARIAL", 0},
        {"bold outline", "Arial", 12, FALSE, STYLE_BOLD | STYLE_OUTLINE, -13, 900, "ARIAL", 0},
        {"shadow", "Arial", 12, FALSE, STYLE_SHADOW, -13, 900, "ARIAL", 0},
        {"italic underline", "Arial", 12, FALSE, STYLE_ITALIC | STYLE_UNDERLINE, -13, 400, "ARIAL",
         0},
        {"extend", "Arial", 12, TRUE, STYLE_EXTEND, kMeasured, 400, "ARIAL", 0},
        {"condense", "Arial", 12, TRUE, STYLE_CONDENSE, kMeasured, 400, "ARIAL", 0},
        {"COURIER", "COURIER", 12, FALSE, STYLE_PLAIN, -16, 400, "COURIER NEW", -2},
        {"Courier", "Courier", 12, FALSE, STYLE_PLAIN, -16, 400, "COURIER", 0},
        // 0203 (0x83) is a lead byte in code page 932.
        {"straddling the limit", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\203ab", 12, FALSE, STYLE_PLAIN,
         -16, 400, "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", 0},
        {"ending at the limit", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaa\203ab", 12, FALSE, STYLE_PLAIN, -16,
         400, "AAAAAAAAAAAAAAAAAAAAAAAAAAAAA\203a", 0},
        {"trail byte", "\203acourier", 12, FALSE, STYLE_PLAIN, -16, 400, "\203aCOURIER", 0},
    };
    const int oldCp = _getmbcp();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        // Faces with a byte above 0x7F are read in code page 932, the others in the default.
        if (std::any_of(row.face, row.face + strlen(row.face), [](char c) { return c & 0x80; }))
            ASSERT_EQ(0, _setmbcp(932)) << "code page 932 available";
        else
            _setmbcp(oldCp);
        GdiCountGuard guard(row.name);
        const int index = Intern([&](CGraphicState& s) {
            s.m_fontName = row.face, s.m_fontSize = row.points;
            s.m_fontSizeSet = row.sizeSet, s.m_textStyle = row.style;
        });
        CProbeElement probe(index, VERB_NONE, -2, SEL_PEN | SEL_ROP | SEL_FONT);
        canvas.Dc().SetTextCharacterExtra(0);
        canvas.Dc().SetMapMode(MM_LOMETRIC);
        probe.Draw(&canvas.Dc(), NULL);
        const LOGFONT& f = probe.m_font;
        const bool measured = row.height == kMeasured;
        EXPECT_EQ(measured ? tm.tmHeight : row.height, f.lfHeight);
        EXPECT_EQ(measured ? tm.tmAveCharWidth + (row.style == STYLE_EXTEND ? 2 : -2) : 0,
                  f.lfWidth);
        EXPECT_EQ(row.weight, f.lfWeight);
        EXPECT_TRUE(f.lfItalic == !!(row.style & STYLE_ITALIC) &&
                    f.lfUnderline == !!(row.style & STYLE_UNDERLINE))
            << "flags";
        EXPECT_STREQ(row.wantFace, f.lfFaceName);
        EXPECT_EQ(row.charExtra, probe.m_charExtra) << "spacing while drawing";
        EXPECT_EQ(MM_TEXT, probe.m_mapMode) << "mapping mode while drawing";
        EXPECT_EQ(MM_TEXT, ::GetMapMode(canvas.Hdc())) << "mapping mode left in MM_TEXT";
    }
    _setmbcp(oldCp);
}
