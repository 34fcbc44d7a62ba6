// Text and text boxes: a text stands on its baseline and is drawn there transparent in the
// state's colour and raster operation, leaving the context as found; a text box hands its string,
// rectangle and alignment to exactly one DrawText, frames with the context's brush and is drawn
// as stored even inverted; the exports append both, with the element base's pattern.
#include "TestShape.h"

#include "elements/TextBoxElement.h"
#include "elements/TextElement.h"
#include "state/MeasureDC.h"

namespace {

// Notes every DrawText call before passing it on, so a test sees the exact string, length,
// rectangle and format a text box asks for.
class CDrawTextSpy : public CDC
{
public:
    struct Call {
        std::string text;
        int count;
        CRect rect;
        UINT format;
    };
    explicit CDrawTextSpy(HDC hdc) { Attach(hdc); }
    ~CDrawTextSpy() override { Detach(); }
    int DrawText(LPCTSTR s, int n, LPRECT rc, UINT format) override
    {
        calls.push_back(
            {s != NULL ? s : "", n, rc != NULL ? CRect(*rc) : CRect(0, 0, 0, 0), format});
        return CDC::DrawText(s, n, rc, format);
    }
    std::vector<Call> calls;
};

// The text output records (DrawText and TextOut both end in one). Their params: rclBounds (4),
// iGraphicsMode, exScale, eyScale, then the EMRTEXT's reference point (7, 8) and length (9).
std::vector<const EmfRecord*> TextRecords(EmfRecorder& rec)
{
    std::vector<const EmfRecord*> out = rec.Find(EMR_EXTTEXTOUTW), a = rec.Find(EMR_EXTTEXTOUTA);
    out.insert(out.end(), a.begin(), a.end());
    return out;
}

}  // namespace

class TextElementTest : public DrawingElementTest
{
protected:
    CTextElement* Text(const char* s, int x, int y, int state)
    {
        return Keep(new CTextElement(state, CString(s), x, y));
    }
    CTextBoxElement* Box(const char* s, const RECT& rc, char align, BOOL framed, int state)
    {
        TextBoxParams p = {rc.left, rc.top, rc.right, rc.bottom, align, framed, s};
        return Keep(new CTextBoxElement(state, &p));
    }
};

// A text's bounds stand on its baseline at its origin; it is drawn there transparent, with one
// TextOut at alignment 24 (baseline, left, no current position) in the state's colour and raster
// operation, and leaves the context as found.
TEST_F(TextElementTest, TextStandsOnItsBaselineInTheStatesColourAndRop)
{
    struct Row {
        const char *name, *text;
        int x, y;
        bool capitals;  // ink, and none below the baseline
    } rows[] = {{"capitals", "HELLO", 10, 100, true},
                {"multibyte bytes", "\x82\xa0\x82\xa2", 5, 40, false},
                {"empty", "", 5, 40, false}};
    GdiCountGuard guard("texts drawn");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CTextElement* e = Text(row.text, row.x, row.y, State(1, kRed, kWhite, R2_XORPEN));
        const CRect b = e->bounds;
        ExpectAll({{"no region", e->region == nullptr},
                   {"left at the origin", b.left == row.x},
                   {"bottom on the baseline", b.bottom == row.y},
                   {"width only when there is text", (b.Width() > 0) == (*row.text != 0)},
                   {"capitals taller than 8", !row.capitals || b.Height() > 8}});

        DibCanvas canvas(200, 140);
        EXPECT_EQ(b, e->RenderText(&canvas.Dc(), FALSE)) << "measured on a 96 dpi DIB alike";
        canvas.Dc().SetBkMode(OPAQUE);
        canvas.Dc().SetBkColor(kBlue);
        const std::string settings = Settings(canvas.Hdc());
        e->Draw(&canvas.Dc(), NULL);
        const CRect ink = canvas.BoundsOf(kRed);
        POINT end = {0, 0};
        ExpectAll({{"some ink", ink.IsRectEmpty() == !*row.text},
                   {"capitals sit on the baseline", !row.capitals || ink.bottom == row.y},
                   {"ink inside the bounds",
                    ink.IsRectEmpty() ||
                        (b.left <= ink.left && ink.right <= b.right && b.top <= ink.top)},
                   {"drawn transparent", canvas.CountPixels(kBlue) == 0},
                   {"the context as found", Settings(canvas.Hdc()) == settings},
                   {"end point given", e->GetEndPoint(&canvas.Dc(), &end)},
                   {"end point: the baseline's right end", end.x == b.right && end.y == row.y}});
        if (!*row.text)
            continue;
        EmfRecorder rec;
        e->Draw(&rec.Dc(), NULL);
        const EmfRecord *align = rec.First(EMR_SETTEXTALIGN), *rop = rec.First(EMR_SETROP2);
        const EmfRecord* colour = rec.First(EMR_SETTEXTCOLOR);
        const std::vector<const EmfRecord*> texts = TextRecords(rec);
        ASSERT_TRUE(align && colour && rop && texts.size() == 1) << rec.Describe();
        ExpectValues({{"alignment 24", 24, align->Long(0)},
                      {"text in the foreground colour", kRed, colour->Param(0)},
                      {"the state's raster operation", R2_XORPEN, rop->Long(0)},
                      {"reference x", row.x, texts[0]->Long(7)},
                      {"reference y: the baseline", row.y, texts[0]->Long(8)},
                      {"characters", (long long)strlen(row.text), texts[0]->Long(9)}});
    }
}

// A text box leaves alignment and line breaking to one DrawText of its whole string in its
// rectangle, with DT_WORDBREAK, and DT_RIGHT or DT_CENTER for R and C alone: for every text, width
// and alignment its picture is the one DrawText itself makes in the default font, and the pen
// and font the context held are back afterwards (Realise.EveryDrawLeavesTheContextAsFound).
TEST_F(TextElementTest, TextBoxBreaksLinesExactlyAsDrawTextDoes)
{
    GdiCountGuard guard("text box line breaks");
    const std::string texts[] = {"one two three four five six", "a&b c&&d e & f",
                                 "first line\r\nsecond line",   "   leading and trailing spaces   ",
                                 std::string(300, 'W'),         "",
                                 "\x82\xa0\x82\xa2 \x83\x41"};
    const std::pair<char, UINT> aligns[] = {{'L', DT_LEFT},   {'C', DT_CENTER}, {'R', DT_RIGHT},
                                            {'c', DT_LEFT},   {'r', DT_LEFT},   {'X', DT_LEFT},
                                            {'\x82', DT_LEFT}};
    HFONT font = CreateArial(-13);
    const int state = State();
    for (const std::string& text : texts) {
        for (int width : {30, 200}) {
            for (const auto& [letter, format] : aligns) {
                SCOPED_TRACE("\"" + text.substr(0, 40) + "\" in " + std::to_string(width) +
                             " align " + letter);
                CRect box(10, 5, 10 + width, 155);
                DibCanvas drawn(240, 160), expected(240, 160);
                CDrawTextSpy spy(drawn.Hdc());
                Box(text.c_str(), box, letter, FALSE, state)->Draw(&spy, NULL);
                ASSERT_EQ(1u, spy.calls.size());
                const CDrawTextSpy::Call& c = spy.calls[0];
                ExpectAll({{"flags", c.format == (format | DT_WORDBREAK)},
                           {"the whole string, byte for byte", c.count == -1 && c.text == text},
                           {"the box's rectangle", c.rect == box}});
                HGDIOBJ old = ::SelectObject(expected.Hdc(), font);
                ::SetBkMode(expected.Hdc(), TRANSPARENT);
                ::DrawTextA(expected.Hdc(), text.c_str(), -1, &box, format | DT_WORDBREAK);
                ::SelectObject(expected.Hdc(), old);
                EXPECT_TRUE(SamePixels(expected, drawn));
            }
        }
    }
    ::DeleteObject(font);
}

// A framed box frames its rectangle, normalised, with the pen and the brush the context holds and
// hands DrawText its rectangle as stored inset by 2 (outward when inverted); no box makes a brush
// or sets a raster operation, and boxes outside the clip draw nothing.
TEST_F(TextElementTest, FrameUsesTheContextsBrushAndTheBoxIsDrawnAsStored)
{
    GdiCountGuard guard("text box frame");
    CBrush red;
    red.CreateSolidBrush(kRed);
    struct Row {
        const char* name;
        BOOL framed;
        CRect rc, text;  // the box, and the rectangle DrawText gets
    } rows[] = {{"bare", FALSE, CRect(10, 10, 110, 60), CRect(10, 10, 110, 60)},
                {"framed", TRUE, CRect(10, 10, 110, 60), CRect(12, 12, 108, 58)},
                {"inverted", TRUE, CRect(110, 60, 10, 10), CRect(112, 62, 8, 8)}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        DibCanvas canvas(130, 80);
        CDrawTextSpy spy(canvas.Hdc());
        EmfRecorder rec;
        CTextBoxElement* e = Box("x", r.rc, 'L', r.framed, State(1, kBlue));
        for (CDC* dc : {static_cast<CDC*>(&spy), &rec.Dc()}) {
            CBrush* old = dc->SelectObject(&red);
            e->Draw(dc, NULL);
            dc->SelectObject(old);
        }
        ASSERT_EQ(1u, spy.calls.size()) << "one DrawText: the normalised box is visible";
        EXPECT_EQ(Str(r.text), Str(spy.calls[0].rect));
        const CRect ink = canvas.BoundsOf(kBlue, CRect(11, 11, 109, 59));
        const bool inverted = r.rc.left > r.rc.right;
        const COLORREF edge = r.framed ? kBlue : kWhite;
        // The frame's record keeps the right and bottom edges inclusive.
        const EmfRecord* frame = rec.First(EMR_RECTANGLE);
        const CRect framed =
            frame ? CRect(frame->Long(0), frame->Long(1), frame->Long(2), frame->Long(3)) : CRect();
        ExpectAll(
            {{"bounds kept as passed", e->bounds == r.rc},
             {"a frame only when framed", r.framed ? framed == CRect(10, 10, 109, 59) : !frame},
             {"frame's left edge", canvas.Pixel(10, 30) == edge},
             {"frame's bottom-right corner", canvas.Pixel(109, 59) == edge},
             {"inside: the context's brush", canvas.Pixel(100, 50) == (r.framed ? kRed : edge)},
             {"text in the foreground colour", inverted || !ink.IsRectEmpty()},
             {"text inset", inverted || (ink.left >= r.text.left && ink.left <= r.text.left + 2)},
             {"no raster operation", rec.Count(EMR_SETROP2) == 0},
             {"no brush but the test's", rec.Count(EMR_CREATEBRUSHINDIRECT) == 1}});
    }
    // Boxes clipped away draw nothing at all; a text element has no visibility test.
    DibCanvas canvas(130, 80);
    CDrawTextSpy spy(canvas.Hdc());
    spy.IntersectClipRect(125, 70, 130, 80);
    for (const Row& r : rows)
        Box("t", r.rc, 'L', r.framed, State())->Draw(&spy, NULL);
    EXPECT_TRUE(spy.calls.empty()) << "boxes outside the clip draw nothing";
    EmfRecorder clipped;
    clipped.Dc().IntersectClipRect(500, 500, 510, 510);
    Text("far", 0, 20, State())->Draw(&clipped.Dc(), NULL);
    EXPECT_EQ(1u, TextRecords(clipped).size()) << clipped.Describe();
}

// Through the exports, in real windows.
using TextViewTest = ViewsIn<500, 320>;

// Each export appends one element with the element base's verb and pattern: a text at the pen,
// a text box whose alignment is its word's first byte, the host's word left as it was. Odd
// strings append theirs too. Drawn at once as a repaint draws: CHost.DrawsAtOnceWhatARepaintDraws.
TEST_F(TextViewTest, ExportsAppendTextsAndBoxes)
{
    CGraphicView* v = NewView();
    POINT start = {10, 100};
    Grafic_Dll_Set_Pen_Location(v, &start);
    CString hello("Hello");
    Grafic_Dll_Draw_Text(v, &hello);
    CTextElement* t = dynamic_cast<CTextElement*>(Last(v));
    ASSERT_NE(nullptr, t);
    ExpectAll({{"text: verb none, the base's pattern", t->verb == VERB_NONE && t->pattern == -2},
               {"the text", t->text == hello && t->IsText()},
               {"at the pen", t->origin.x == 10 && t->origin.y == 100}});
    const std::pair<const char*, char> rows[] = {
        {"Right", 'R'}, {"center", 'c'}, {"", 'L'}, {"C", 'C'}, {"\x82", '\x82'}};
    for (const auto& [word, align] : rows) {
        SCOPED_TRACE(std::string("word \"") + word + "\"");
        GRAF_TEXTBOX block = {CRect(20, 20, 200, 80), word, TRUE, "a box of text"};
        Grafic_Dll_Draw_Text_Box(v, &block);
        CTextBoxElement* b = dynamic_cast<CTextBoxElement*>(Last(v));
        ASSERT_NE(nullptr, b);
        ExpectAll({{"verb none, the base's pattern", b->verb == VERB_NONE && b->pattern == -2},
                   {"alignment", b->align == align},
                   {"framed, text and bounds as given",
                    b->framed && b->text == "a box of text" && b->bounds == CRect(20, 20, 200, 80)},
                   {"not a text", !b->IsText()},
                   {"the host's word unchanged", block.align == word}});
    }
    const std::string big(16384, 'x');
    for (const char* s : {"", "\x82", "\x82\xa0", big.c_str()}) {
        const int n = Grafic_Dll_GetNbElement(v);
        CString text(s);
        Grafic_Dll_Draw_Text(v, &text);
        AddTextBox(v, CRect(0, 0, 50, 20), "L", s);
        EXPECT_EQ(n + 2, Grafic_Dll_GetNbElement(v)) << "text of " << strlen(s) << " bytes";
    }
}

// The measuring context: one is kept and lent out; a user nested inside another gets its own;
// texts measured on it leave its font, alignment, background mode and colour as they were.
TEST_F(TextElementTest, MeasuringContextIsLentOnceAndLeftAsFound)
{
    GdiCountGuard guard("measuring context");
    HDC kept;
    {
        CMeasureDC outer, inner;
        ASSERT_TRUE(outer.Get() != nullptr && inner.Get() != nullptr);
        kept = outer.Get()->GetSafeHdc();
        EXPECT_NE(kept, inner.Get()->GetSafeHdc()) << "a nested user gets a context of its own";
    }
    {
        CMeasureDC again;
        ASSERT_NE(nullptr, again.Get());
        EXPECT_EQ(kept, again.Get()->GetSafeHdc()) << "the kept context is lent again";
    }
    const std::string settings = Settings(kept);
    m_view->m_state.m_fontSize = 20;
    m_view->m_state.m_textStyle = STYLE_BOLD | STYLE_ITALIC;
    const CTextElement* e = Text("Measured", 10, 40, State(1, kRed));
    EXPECT_GT(e->bounds.Width(), 0) << "the text measured itself";
    EXPECT_EQ(settings, Settings(kept)) << "the measuring context as found";
    ReleaseMeasureDC();
    EXPECT_EQ(0u, (unsigned)::GetObjectType(kept)) << "the release deletes the kept context";
    CMeasureDC fresh;
    EXPECT_NE(nullptr, fresh.Get()) << "a context is made again after the release";
}
