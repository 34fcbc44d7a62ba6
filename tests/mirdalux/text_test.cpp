// Text and text boxes: a text stands on its baseline and is drawn there transparent in the
// state's colour and raster operation, leaving the context as found; a text box hands its string,
// rectangle and alignment to exactly one DrawText, frames with the context's brush and is drawn
// as stored even inverted; the exports append both, with the element base's pattern.
#include "ViewFixture.h"

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

// The rectangle of an EMR_RECTANGLE record (right and bottom inclusive, as the metafile keeps them).
CRect RectOf(const EmfRecord* r)
{
    return CRect(r->Long(0), r->Long(1), r->Long(2), r->Long(3));
}

}  // namespace

// Elements built directly, their states interned by a view without a window.
class TextElementTest : public ElementFixture
{
protected:
    int State(COLORREF fore = kBlack, int points = 12, UINT style = STYLE_PLAIN)
    {
        m_view->m_state.m_fogndColor = fore;
        m_view->m_state.m_fontSize = points;
        m_view->m_state.m_textStyle = style;
        return m_view->InternState();
    }
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

TEST_F(TextElementTest, BoundsStandOnTheBaselineAndTheInkStaysInsideThem)
{
    struct Row {
        const char* name;
        const char* text;
        int x, y;
        bool capitals;  // ink, and none below the baseline
    } rows[] = {{"capitals", "HELLO", 10, 100, true},
                {"multibyte bytes", "\x82\xa0\x82\xa2", 5, 40, false},
                {"empty", "", 5, 40, false}};
    GdiCountGuard guard("texts drawn");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CTextElement* e = Text(row.text, row.x, row.y, State());
        const CRect b = e->bounds;
        ExpectAll({{"no region", e->region == nullptr},
                   {"left at the origin", b.left == row.x},
                   {"bottom on the baseline", b.bottom == row.y},
                   {"width only when there is text", (b.Width() > 0) == (*row.text != 0)},
                   {"capitals taller than 8", !row.capitals || b.Height() > 8}});

        DibCanvas canvas(200, 140);
        EXPECT_EQ(b, e->RenderText(&canvas.Dc(), FALSE)) << "measured on a 96 dpi DIB alike";
        const UINT align = canvas.Dc().GetTextAlign();
        canvas.Dc().SetBkMode(OPAQUE);
        canvas.Dc().SetBkColor(kBlue);
        HGDIOBJ font = ::GetCurrentObject(canvas.Hdc(), OBJ_FONT);
        e->Draw(&canvas.Dc(), NULL);
        const CRect ink = canvas.BoundsOf(kBlack);
        POINT end = {0, 0};
        ExpectAll({{"some ink", ink.IsRectEmpty() == !*row.text},
                   {"capitals sit on the baseline", !row.capitals || ink.bottom == row.y},
                   {"ink inside the bounds",
                    ink.IsRectEmpty() ||
                        (b.left <= ink.left && ink.right <= b.right && b.top <= ink.top)},
                   {"drawn transparent", canvas.CountPixels(kBlue) == 0},
                   {"text alignment put back", canvas.Dc().GetTextAlign() == align},
                   {"background mode put back", canvas.Dc().GetBkMode() == OPAQUE},
                   {"font put back", ::GetCurrentObject(canvas.Hdc(), OBJ_FONT) == font},
                   {"end point given", e->GetEndPoint(&canvas.Dc(), &end)},
                   {"end point: the baseline's right end", end.x == b.right && end.y == row.y}});
    }
}

// Transparency, the alignment put back and the baseline in pixels are the test above's.
TEST_F(TextElementTest, TextOutIsRecordedOnTheBaselineWithAlignment24InTheStatesColourAndRop)
{
    m_view->m_state.m_penMode = R2_XORPEN;
    EmfRecorder rec;
    Text("Abc", 30, 60, State(kRed))->Draw(&rec.Dc(), NULL);
    const int iAlign = rec.IndexOf(EMR_SETTEXTALIGN), iColor = rec.IndexOf(EMR_SETTEXTCOLOR);
    const int iRop = rec.IndexOf(EMR_SETROP2);
    const std::vector<const EmfRecord*> texts = TextRecords(rec);
    ASSERT_TRUE(iAlign >= 0 && iColor >= 0 && iRop >= 0 && texts.size() == 1) << rec.Describe();
    const std::vector<EmfRecord>& r = rec.Records();
    ExpectValues({{"alignment: baseline, left, no current position", 24, r[iAlign].Long(0)},
                  {"text in the foreground colour", kRed, r[iColor].Param(0)},
                  {"the state's raster operation", R2_XORPEN, r[iRop].Long(0)},
                  {"reference x", 30, texts[0]->Long(7)},
                  {"reference y: the baseline", 60, texts[0]->Long(8)},
                  {"characters", 3, texts[0]->Long(9)}});
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
    const struct {
        char letter;
        UINT format;
    } aligns[] = {{'L', DT_LEFT}, {'C', DT_CENTER}, {'R', DT_RIGHT},  {'c', DT_LEFT},
                  {'r', DT_LEFT}, {'X', DT_LEFT},   {'\x82', DT_LEFT}};
    HFONT font =
        ::CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_STROKE_PRECIS,
                      CLIP_STROKE_PRECIS, DRAFT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
    const int state = State();
    for (const std::string& text : texts) {
        for (int width : {30, 200}) {
            for (const auto& align : aligns) {
                SCOPED_TRACE("\"" + text.substr(0, 40) + "\" in " + std::to_string(width) +
                             " align " + align.letter);
                CRect box(10, 5, 10 + width, 155);
                DibCanvas drawn(240, 160), expected(240, 160);
                CDrawTextSpy spy(drawn.Hdc());
                Box(text.c_str(), box, align.letter, FALSE, state)->Draw(&spy, NULL);
                ASSERT_EQ(1u, spy.calls.size());
                const CDrawTextSpy::Call& c = spy.calls[0];
                ExpectAll(
                    {{"flags", c.format == (align.format | DT_WORDBREAK)},
                     {"the zero-terminated string, byte for byte", c.count == -1 && c.text == text},
                     {"the box's rectangle", c.rect == box}});
                HGDIOBJ old = ::SelectObject(expected.Hdc(), font);
                ::SetBkMode(expected.Hdc(), TRANSPARENT);
                ::DrawTextA(expected.Hdc(), text.c_str(), -1, &box, align.format | DT_WORDBREAK);
                ::SelectObject(expected.Hdc(), old);
                EXPECT_TRUE(SamePixels(expected, drawn));
            }
        }
    }
    ::DeleteObject(font);
}

TEST_F(TextElementTest, FrameUsesThePenAndTheBrushTheContextHolds)
{
    GdiCountGuard guard("text box frame");
    CBrush red;
    red.CreateSolidBrush(kRed);
    for (BOOL framed : {FALSE, TRUE}) {
        SCOPED_TRACE(framed ? "framed" : "bare");
        DibCanvas canvas(130, 80);
        EmfRecorder rec;
        CTextBoxElement* e = Box("x", CRect(10, 10, 110, 60), 'L', framed, State(kBlue));
        for (CDC* dc : {&canvas.Dc(), &rec.Dc()}) {
            CBrush* old = dc->SelectObject(&red);
            e->Draw(dc, NULL);
            dc->SelectObject(old);
        }
        const CRect ink = canvas.BoundsOf(kBlue, CRect(11, 11, 109, 59));
        const int inset = framed ? 2 : 0;
        const EmfRecord* frame = rec.First(EMR_RECTANGLE);
        ExpectAll(
            {{"a frame only when framed", (frame != nullptr) == !!framed},
             {"frame: Rectangle(10, 10, 110, 60)",
              !framed || RectOf(frame) == CRect(10, 10, 109, 59)},
             {"frame's left edge", canvas.Pixel(10, 30) == (framed ? kBlue : kWhite)},
             {"frame's bottom-right corner", canvas.Pixel(109, 59) == (framed ? kBlue : kWhite)},
             {"inside: the context's brush", canvas.Pixel(100, 50) == (framed ? kRed : kWhite)},
             {"text in the foreground colour", !ink.IsRectEmpty()},
             {"text inset", ink.left >= 10 + inset && ink.left <= 12 + inset},
             {"no raster operation", rec.Count(EMR_SETROP2) == 0},
             {"no brush but the test's", rec.Count(EMR_CREATEBRUSHINDIRECT) == 1}});
    }
}

TEST_F(TextElementTest, InvertedBoxIsTestedNormalisedAndDrawnAsStored)
{
    GdiCountGuard guard("inverted text box");
    DibCanvas canvas(160, 100);
    CDrawTextSpy spy(canvas.Hdc());
    CTextBoxElement* e = Box("t", CRect(100, 50, 0, 0), 'L', TRUE, State());
    EXPECT_EQ(CRect(100, 50, 0, 0), e->bounds) << "bounds kept as passed";
    e->Draw(&spy, NULL);
    ASSERT_EQ(1u, spy.calls.size()) << "the normalised box (0,0,100,50) is visible";
    EXPECT_EQ(CRect(102, 52, -2, -2), spy.calls[0].rect) << Str(spy.calls[0].rect);
    EmfRecorder rec;
    e->Draw(&rec.Dc(), NULL);
    ASSERT_NE(nullptr, rec.First(EMR_RECTANGLE)) << rec.Describe();
    EXPECT_EQ(CRect(0, 0, 99, 49), RectOf(rec.First(EMR_RECTANGLE))) << "the frame covers the box";

    // Boxes clipped away draw nothing at all; a text element has no visibility test.
    CRgn clip;
    clip.CreateRectRgn(120, 60, 160, 100);
    spy.SelectClipRgn(&clip);
    spy.calls.clear();
    Box("t", CRect(0, 0, 100, 50), 'L', TRUE, State())->Draw(&spy, NULL);
    e->Draw(&spy, NULL);
    EXPECT_TRUE(spy.calls.empty()) << "boxes outside the clip draw nothing";
    spy.SelectClipRgn(NULL);
    EmfRecorder clipped;
    CRgn distant;
    distant.CreateRectRgn(500, 500, 510, 510);
    clipped.Dc().SelectClipRgn(&distant);
    Text("far", 0, 20, State())->Draw(&clipped.Dc(), NULL);
    EXPECT_EQ(1u, TextRecords(clipped).size()) << clipped.Describe();
}

// Through the exports, in real windows.
class TextViewTest : public ViewFixture
{
protected:
    TextViewTest() : ViewFixture(500, 320) {}
};

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
    const struct {
        const char* word;
        char align;
    } rows[] = {{"Right", 'R'}, {"center", 'c'}, {"", 'L'}, {"C", 'C'}, {"\x82", '\x82'}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("word \"") + row.word + "\"");
        GRAF_TEXTBOX block = {CRect(20, 20, 200, 80), row.word, TRUE, "a box of text"};
        Grafic_Dll_Draw_Text_Box(v, &block);
        CTextBoxElement* b = dynamic_cast<CTextBoxElement*>(Last(v));
        ASSERT_NE(nullptr, b);
        ExpectAll({{"verb none, the base's pattern", b->verb == VERB_NONE && b->pattern == -2},
                   {"alignment", b->align == row.align},
                   {"framed", b->framed},
                   {"text", b->text == "a box of text"},
                   {"bounds", b->bounds == CRect(20, 20, 200, 80)},
                   {"not a text", !b->IsText()},
                   {"the host's word unchanged", block.align == row.word}});
    }
    const std::string big(16384, 'x');
    for (const char* s : {"", "\x82", "\x82\xa0", big.c_str()}) {
        const int n = Grafic_Dll_GetNbElement(v);
        CString text(s);
        Grafic_Dll_Draw_Text(v, &text);
        GRAF_TEXTBOX block = {CRect(0, 0, 50, 20), "L", TRUE, s};
        Grafic_Dll_Draw_Text_Box(v, &block);
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
    HGDIOBJ font = ::GetCurrentObject(kept, OBJ_FONT);
    const int bkMode = ::GetBkMode(kept);
    const UINT align = ::GetTextAlign(kept);
    const COLORREF color = ::GetTextColor(kept);
    const CTextElement* e = Text("Measured", 10, 40, State(kRed, 20, STYLE_BOLD | STYLE_ITALIC));
    ExpectAll({{"the text measured itself", e->bounds.Width() > 0},
               {"font put back", ::GetCurrentObject(kept, OBJ_FONT) == font},
               {"background mode put back", ::GetBkMode(kept) == bkMode},
               {"alignment put back", ::GetTextAlign(kept) == align},
               {"text colour put back", ::GetTextColor(kept) == color}});
    ReleaseMeasureDC();
    EXPECT_EQ(0u, (unsigned)::GetObjectType(kept)) << "the release deletes the kept context";
    CMeasureDC fresh;
    EXPECT_NE(nullptr, fresh.Get()) << "a context is made again after the release";
}
