// Text and text boxes: bounds standing on the baseline, pixels and metafile records of the text
// drawn on its baseline, successive texts continuing through the pen location, styles and sizes
// changing the extent, text-box alignment, frame and inset through the exact DrawText call,
// visibility of inverted boxes, hostile strings, and the exports in real windows.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <memory>
#include <string>
#include <vector>

#include "TestHost.h"
#include "ViewFixture.h"
#include "TestSupport.h"
#include "elements/TextBoxElement.h"
#include "elements/TextElement.h"
#include "state/MeasureDC.h"
#include "view/GraphicView.h"

#include <mirdalux.h>

#include "TestValues.h"

namespace {

// A device context wrapper that notes every DrawText call before passing it on, so a test sees
// the exact string, length, rectangle and format a text box asks for.
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

    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) override
    {
        Call c;
        c.text = lpszString != NULL ? lpszString : "";
        c.count = nCount;
        c.rect = lpRect != NULL ? CRect(*lpRect) : CRect(0, 0, 0, 0);
        c.format = nFormat;
        calls.push_back(c);
        return CDC::DrawText(lpszString, nCount, lpRect, nFormat);
    }

    std::vector<Call> calls;
};

// The text output records of a metafile: DrawText and TextOut both end in one of these.
std::vector<const EmfRecord*> TextRecords(EmfRecorder& rec)
{
    std::vector<const EmfRecord*> out;
    for (const EmfRecord& r : rec.Records()) {
        if (r.type == EMR_EXTTEXTOUTA || r.type == EMR_EXTTEXTOUTW)
            out.push_back(&r);
    }
    return out;
}

// Offsets, in DWORDs after type and size, of an EMR_EXTTEXTOUT record's reference point and
// character count: rclBounds (4), iGraphicsMode, exScale, eyScale, then the EMRTEXT.
const size_t kTextRefX = 7;
const size_t kTextRefY = 8;
const size_t kTextChars = 9;

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
        CTextElement* e = new CTextElement(state, CString(s), x, y);
        m_elements.emplace_back(e);
        return e;
    }

    CTextBoxElement* Box(const char* s, const RECT& rc, char align, BOOL framed, int state)
    {
        TextBoxParams p;
        p.left = rc.left, p.top = rc.top, p.right = rc.right, p.bottom = rc.bottom;
        p.align = align;
        p.framed = framed;
        p.text = s;
        CTextBoxElement* e = new CTextBoxElement(state, &p);
        m_elements.emplace_back(e);
        return e;
    }
};

TEST_F(TextElementTest, BoundsStandOnTheBaselineAndTheInkStaysInsideThem)
{
    GdiCountGuard guard("text bounds and drawing");
    CTextElement* e = Text("HELLO", 10, 100, State());
    EXPECT_EQ(VERB_NONE, e->verb);
    EXPECT_TRUE(e->IsText());
    EXPECT_EQ(nullptr, e->region) << "a text carries no region";
    EXPECT_EQ(10, e->bounds.left);
    EXPECT_EQ(100, e->bounds.bottom) << "bounds end at the baseline: " << Str(e->bounds);
    EXPECT_GT(e->bounds.Width(), 20) << Str(e->bounds);
    EXPECT_GT(e->bounds.Height(), 8) << Str(e->bounds);

    // Measured on a DIB section (96 dpi like the screen), the same rectangle.
    DibCanvas canvas(200, 140);
    EXPECT_EQ(e->bounds, e->RenderText(&canvas.Dc(), FALSE));

    int align = canvas.Dc().GetTextAlign();
    int bkMode = canvas.Dc().SetBkMode(OPAQUE);
    canvas.Dc().SetBkColor(kBlue);
    HGDIOBJ font = ::GetCurrentObject(canvas.Hdc(), OBJ_FONT);
    e->Draw(&canvas.Dc(), NULL);
    CRect ink = canvas.BoundsOf(kBlack);
    ASSERT_FALSE(ink.IsRectEmpty()) << "the text left no black pixel";
    EXPECT_EQ(100, ink.bottom) << "capitals sit on the baseline y = 100; ink " << Str(ink);
    EXPECT_TRUE(e->bounds.left <= ink.left && ink.right <= e->bounds.right &&
                e->bounds.top <= ink.top)
        << "ink " << Str(ink) << " outside bounds " << Str(e->bounds);
    EXPECT_EQ(0, canvas.CountPixels(kBlue)) << "the text is drawn transparent";
    EXPECT_EQ(align, (int)canvas.Dc().GetTextAlign()) << "text alignment put back";
    EXPECT_EQ(OPAQUE, canvas.Dc().GetBkMode()) << "background mode put back";
    EXPECT_EQ(font, ::GetCurrentObject(canvas.Hdc(), OBJ_FONT)) << "font put back";
    canvas.Dc().SetBkMode(bkMode);

    POINT end = {0, 0};
    EXPECT_TRUE(e->GetEndPoint(&canvas.Dc(), &end));
    EXPECT_EQ(e->bounds.right, end.x) << "the end point is the baseline's right end";
    EXPECT_EQ(100, end.y);
}

TEST_F(TextElementTest, TextOutIsRecordedOnTheBaselineWithAlignment24AndTransparency)
{
    GdiCountGuard guard("text records");
    m_view->m_state.m_penMode = R2_XORPEN;
    CTextElement* e = Text("Abc", 30, 60, State(kRed));
    EmfRecorder rec;
    e->Draw(&rec.Dc(), NULL);
    int iAlign = rec.IndexOf(EMR_SETTEXTALIGN);
    ASSERT_GE(iAlign, 0) << rec.Describe();
    EXPECT_EQ(24, rec.Records()[iAlign].Long(0)) << "TA_BASELINE, left, no current position";
    int iBk = rec.IndexOf(EMR_SETBKMODE);
    ASSERT_GE(iBk, 0) << rec.Describe();
    EXPECT_EQ(TRANSPARENT, rec.Records()[iBk].Long(0));
    const EmfRecord* color = rec.First(EMR_SETTEXTCOLOR);
    ASSERT_NE(nullptr, color) << rec.Describe();
    EXPECT_EQ(kRed, color->Param(0)) << "text in the foreground colour";
    const EmfRecord* rop = rec.First(EMR_SETROP2);
    ASSERT_NE(nullptr, rop) << "the state's raster operation is selected\n" << rec.Describe();
    EXPECT_EQ(R2_XORPEN, rop->Long(0));
    std::vector<const EmfRecord*> texts = TextRecords(rec);
    ASSERT_EQ(1u, texts.size()) << rec.Describe();
    EXPECT_EQ(30, texts[0]->Long(kTextRefX));
    EXPECT_EQ(60, texts[0]->Long(kTextRefY));
    EXPECT_EQ(3, texts[0]->Long(kTextChars));
    int iText = rec.IndexOf(texts[0]->type);
    EXPECT_LT(iAlign, iText) << "alignment set before the text";
    EXPECT_LT(iBk, iText) << "background mode set before the text";
    EXPECT_GE(rec.IndexOf(EMR_SETTEXTALIGN, iText + 1), 0) << "alignment put back afterwards";
}

TEST_F(TextElementTest, StylesAndSizesChangeTheExtent)
{
    GdiCountGuard guard("text extents");
    const char* s = "Mirdalux text";
    CRect plain = Text(s, 0, 50, State(kBlack, 12, STYLE_PLAIN))->bounds;
    struct Case {
        const char* name;
        int points;
        UINT style;
        int widthSign;   // +1 wider than plain, -1 narrower
        int heightSign;  // +1 taller, 0 same height
    } cases[] = {
        {"24 points", 24, STYLE_PLAIN, +1, +1},   {"8 points", 8, STYLE_PLAIN, -1, -1},
        {"bold", 12, STYLE_BOLD, +1, 0},          {"extended", 12, STYLE_EXTEND, +1, 0},
        {"condensed", 12, STYLE_CONDENSE, -1, 0},
    };
    for (const Case& c : cases) {
        CRect r = Text(s, 0, 50, State(kBlack, c.points, c.style))->bounds;
        EXPECT_EQ(50, r.bottom) << c.name;
        if (c.widthSign > 0)
            EXPECT_GT(r.Width(), plain.Width()) << c.name << ": " << Str(r) << " vs " << Str(plain);
        else
            EXPECT_LT(r.Width(), plain.Width()) << c.name << ": " << Str(r) << " vs " << Str(plain);
        if (c.heightSign > 0)
            EXPECT_GT(r.Height(), plain.Height()) << c.name << ": " << Str(r);
        else if (c.heightSign < 0)
            EXPECT_LT(r.Height(), plain.Height()) << c.name << ": " << Str(r);
        else
            EXPECT_EQ(plain.Height(), r.Height()) << c.name << ": " << Str(r);
    }
}

TEST_F(TextElementTest, TextBoxMakesExactlyOneDrawTextWithTheAlignmentFlags)
{
    GdiCountGuard guard("text box flags");
    struct Case {
        char align;
        UINT format;
    } cases[] = {
        {'R', DT_RIGHT | DT_WORDBREAK},   {'C', DT_CENTER | DT_WORDBREAK},
        {'L', DT_LEFT | DT_WORDBREAK},    {'r', DT_LEFT | DT_WORDBREAK},
        {'c', DT_LEFT | DT_WORDBREAK},    {'X', DT_LEFT | DT_WORDBREAK},
        {'\x82', DT_LEFT | DT_WORDBREAK},
    };
    for (const Case& c : cases) {
        for (BOOL framed : {FALSE, TRUE}) {
            DibCanvas canvas(160, 80);
            CDrawTextSpy spy(canvas.Hdc());
            HGDIOBJ pen = ::GetCurrentObject(canvas.Hdc(), OBJ_PEN);
            Box("one two", CRect(0, 0, 100, 50), c.align, framed, State())->Draw(&spy, NULL);
            std::string what = std::string("align '") + c.align + (framed ? "' framed" : "' bare");
            ASSERT_EQ(1u, spy.calls.size()) << what;
            EXPECT_EQ(c.format, spy.calls[0].format) << what;
            EXPECT_EQ(-1, spy.calls[0].count) << what << ": the zero-terminated string whole";
            EXPECT_EQ("one two", spy.calls[0].text) << what;
            CRect expected = framed ? CRect(2, 2, 98, 48) : CRect(0, 0, 100, 50);
            EXPECT_EQ(expected, spy.calls[0].rect)
                << what << ": expected " << Str(expected) << ", came " << Str(spy.calls[0].rect);
            EXPECT_EQ(pen, ::GetCurrentObject(canvas.Hdc(), OBJ_PEN)) << what << ": pen put back";
        }
    }
}

// The box leaves line breaking to DrawText: for every width, text and alignment its picture is
// the one DrawText itself makes in the default font with the same rectangle and flags, and the
// number of lines is the one DrawText measures.
TEST_F(TextElementTest, TextBoxBreaksLinesExactlyAsDrawTextDoes)
{
    GdiCountGuard guard("text box line breaks");
    const char* texts[] = {
        "one two three four five six",
        "Supercalifragilistic is wider than the box",
        "a&b c&&d e & f",
        "first line\r\nsecond line",
        "   leading and trailing spaces   ",
    };
    const int widths[] = {30, 60, 100, 200};
    const struct {
        char letter;
        UINT format;
    } aligns[] = {{'L', DT_LEFT}, {'C', DT_CENTER}, {'R', DT_RIGHT}, {'c', DT_LEFT}};
    const int state = State();
    for (const char* text : texts) {
        for (int width : widths) {
            for (const auto& align : aligns) {
                const CRect box(10, 5, 10 + width, 155);
                DibCanvas drawn(240, 160), expected(240, 160);
                Box(text, box, align.letter, FALSE, state)->Draw(&drawn.Dc(), NULL);

                HFONT font = ::CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET,
                                           OUT_STROKE_PRECIS, CLIP_STROKE_PRECIS, DRAFT_QUALITY,
                                           VARIABLE_PITCH | FF_SWISS, "Arial");
                HGDIOBJ old = ::SelectObject(expected.Hdc(), font);
                ::SetBkMode(expected.Hdc(), TRANSPARENT);
                ::SetTextColor(expected.Hdc(), kBlack);
                CRect r = box;
                ::DrawTextA(expected.Hdc(), text, -1, &r, align.format | DT_WORDBREAK);
                CRect measured = box;
                const int height = ::DrawTextA(expected.Hdc(), text, -1, &measured,
                                               align.format | DT_WORDBREAK | DT_CALCRECT);
                TEXTMETRICA tm;
                ::GetTextMetricsA(expected.Hdc(), &tm);
                ::SelectObject(expected.Hdc(), old);
                ::DeleteObject(font);

                const std::string what = std::string("\"") + text + "\" in " +
                                         std::to_string(width) + " align " + align.letter;
                EXPECT_GE(height / tm.tmHeight, width < 100 ? 2 : 1) << what << ": lines measured";
                int differing = 0;
                for (int i = 0; i < 240 * 160; ++i)
                    differing += drawn.Bits()[i] != expected.Bits()[i];
                EXPECT_EQ(0, differing)
                    << what << ": pixels differing from DrawText's own picture; ink at "
                    << Str(drawn.BoundsOf(kBlack)) << " against " << Str(expected.BoundsOf(kBlack));
            }
        }
    }
}

TEST_F(TextElementTest, TextBoxAlignmentPlacesTheInk)
{
    GdiCountGuard guard("text box alignment");
    const CRect box(20, 10, 220, 60);
    CRect ink[3];
    const char aligns[] = {'L', 'C', 'R'};
    for (int i = 0; i < 3; ++i) {
        DibCanvas canvas(240, 80);
        Box("Wide", box, aligns[i], FALSE, State())->Draw(&canvas.Dc(), NULL);
        ink[i] = canvas.BoundsOf(kBlack);
        ASSERT_FALSE(ink[i].IsRectEmpty()) << "align " << aligns[i] << " drew nothing";
    }
    EXPECT_LE(ink[0].left - box.left, 3) << "left: ink " << Str(ink[0]);
    EXPECT_LE(box.right - ink[2].right, 3) << "right: ink " << Str(ink[2]);
    int centre = (ink[1].left + ink[1].right) / 2;
    EXPECT_LE(std::abs(centre - box.CenterPoint().x), 3) << "centre: ink " << Str(ink[1]);
    EXPECT_EQ(ink[0].Width(), ink[2].Width()) << "the same text whatever the alignment";
    EXPECT_EQ(ink[0].top, ink[2].top) << "all three on the first line";
}

TEST_F(TextElementTest, FrameUsesThePenAndTheBrushTheContextHolds)
{
    GdiCountGuard guard("text box frame");
    const CRect box(10, 10, 110, 60);
    for (BOOL framed : {FALSE, TRUE}) {
        DibCanvas canvas(130, 80);
        CBrush red;
        red.CreateSolidBrush(kRed);
        CBrush* old = canvas.Dc().SelectObject(&red);
        EmfRecorder rec;
        rec.Dc().SelectObject(&red);
        CTextBoxElement* e = Box("x", box, 'L', framed, State(kBlue));
        e->Draw(&canvas.Dc(), NULL);
        e->Draw(&rec.Dc(), NULL);
        canvas.Dc().SelectObject(old);
        rec.Dc().SelectStockObject(WHITE_BRUSH);
        const char* what = framed ? "framed" : "bare";
        if (framed) {
            const EmfRecord* r = rec.First(EMR_RECTANGLE);
            ASSERT_NE(nullptr, r) << rec.Describe();
            CRect frame(r->Long(0), r->Long(1), r->Long(2), r->Long(3));
            // The metafile keeps the call's rectangle with right and bottom inclusive.
            EXPECT_EQ(CRect(10, 10, 109, 59), frame)
                << "Rectangle(10, 10, 110, 60), came " << Str(frame);
            EXPECT_EQ(kBlue, canvas.Pixel(10, 30)) << "frame in the foreground colour";
            EXPECT_EQ(kBlue, canvas.Pixel(109, 59)) << "frame's bottom-right corner";
            EXPECT_EQ(kRed, canvas.Pixel(100, 50)) << "inside filled by the context's brush";
        } else {
            EXPECT_EQ(0, rec.Count(EMR_RECTANGLE)) << rec.Describe();
            EXPECT_EQ(kWhite, canvas.Pixel(10, 30)) << what;
            EXPECT_EQ(kWhite, canvas.Pixel(100, 50)) << what;
        }
        CRect ink = canvas.BoundsOf(kBlue, CRect(11, 11, 109, 59));
        ASSERT_FALSE(ink.IsRectEmpty()) << what << ": no text";
        int inset = framed ? 2 : 0;
        EXPECT_GE(ink.left, 10 + inset) << what << ": ink " << Str(ink);
        EXPECT_LE(ink.left, 10 + inset + 2) << what << ": ink " << Str(ink);
        EXPECT_EQ(0, rec.Count(EMR_SETROP2)) << what << ": no raster operation";
        EXPECT_EQ(1, rec.Count(EMR_CREATEBRUSHINDIRECT)) << what << ": only the test's own brush";
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
    const EmfRecord* r = rec.First(EMR_RECTANGLE);
    ASSERT_NE(nullptr, r) << rec.Describe();
    CRect frame(r->Long(0), r->Long(1), r->Long(2), r->Long(3));
    EXPECT_EQ(CRect(0, 0, 99, 49), frame) << "the frame covers the box, came " << Str(frame);

    // Clipped away from the box: nothing at all.
    CRgn clip;
    clip.CreateRectRgn(120, 60, 160, 100);
    spy.SelectClipRgn(&clip);
    spy.calls.clear();
    CTextBoxElement* hidden = Box("t", CRect(0, 0, 100, 50), 'L', TRUE, State());
    hidden->Draw(&spy, NULL);
    e->Draw(&spy, NULL);
    EXPECT_TRUE(spy.calls.empty()) << "boxes outside the clip draw nothing";
    spy.SelectClipRgn(NULL);
    clip.DeleteObject();

    // A text element has no visibility test.
    EmfRecorder clipped;
    CRgn distant;
    distant.CreateRectRgn(500, 500, 510, 510);
    clipped.Dc().SelectClipRgn(&distant);
    Text("far", 0, 20, State())->Draw(&clipped.Dc(), NULL);
    EXPECT_EQ(1u, TextRecords(clipped).size()) << clipped.Describe();
    distant.DeleteObject();
}

TEST_F(TextElementTest, HostileStringsStayInsideTheBox)
{
    GdiCountGuard guard("hostile text boxes");
    std::string kilobytes;
    while (kilobytes.size() < 8192)
        kilobytes += "lorem ipsum dolor sit amet ";
    std::string longWord(300, 'W');
    struct Case {
        const char* name;
        std::string text;
        bool ink;
    } cases[] = {
        {"word wider than the box", longWord, true},
        {"empty", "", false},
        {"only spaces", "          ", false},
        {"ampersand alone", "&", true},
        {"double ampersand", "&&", true},
        {"several kilobytes", kilobytes, true},
        {"multibyte bytes", "\x82\xa0\x82\xa2 \x83\x41", true},
    };
    const CRect box(20, 20, 120, 80);
    for (const Case& c : cases) {
        DibCanvas canvas(200, 120);
        CDrawTextSpy spy(canvas.Hdc());
        Box(c.text.c_str(), box, 'L', FALSE, State())->Draw(&spy, NULL);
        ASSERT_EQ(1u, spy.calls.size()) << c.name;
        EXPECT_EQ(c.text, spy.calls[0].text) << c.name << ": the whole string, byte for byte";
        CRect ink = canvas.BoundsOf(kBlack);
        if (c.ink) {
            ASSERT_FALSE(ink.IsRectEmpty()) << c.name << ": expected some text";
            EXPECT_TRUE(box.left <= ink.left && box.top <= ink.top && ink.right <= box.right &&
                        ink.bottom <= box.bottom)
                << c.name << ": ink " << Str(ink) << " leaves the box " << Str(box);
        } else {
            EXPECT_TRUE(ink.IsRectEmpty()) << c.name << ": expected no ink, came " << Str(ink);
        }
    }

    // Word wrap: a sentence wider than the box takes several lines.
    DibCanvas canvas(200, 120);
    EmfRecorder rec;
    Box("one two three four five six", CRect(0, 0, 60, 100), 'L', FALSE, State())
        ->Draw(&rec.Dc(), NULL);
    std::vector<const EmfRecord*> lines = TextRecords(rec);
    ASSERT_GE(lines.size(), 2u) << rec.Describe();
    EXPECT_LT(lines[0]->Long(kTextRefY), lines[1]->Long(kTextRefY))
        << "second line below the first";
    EXPECT_EQ(0, lines[1]->Long(kTextRefX)) << "wrapped line starts at the left edge";

    // Text elements measure byte lengths and empty strings.
    CTextElement* mb = Text("\x82\xa0\x82\xa2", 5, 40, State());
    EXPECT_EQ(4, mb->text.GetLength()) << "bytes, not characters";
    EXPECT_EQ(40, mb->bounds.bottom);
    CTextElement* empty = Text("", 5, 40, State());
    EXPECT_EQ(5, empty->bounds.left);
    EXPECT_EQ(5, empty->bounds.right) << "an empty text has no width";
    EmfRecorder none;
    empty->Draw(&none.Dc(), NULL);
    EXPECT_LE(TextRecords(none).size(), 1u);
}

// Through the exports, in real windows.
class TextViewTest : public ViewFixture
{
protected:
    TextViewTest() : ViewFixture(500, 320) {}
};

TEST_F(TextViewTest, SuccessiveTextsContinueOnTheBaseline)
{
    GdiCountGuard guard("texts through the exports");
    CGraphicView* v = NewView();
    POINT start = {10, 100};
    Grafic_Dll_Set_Pen_Location(v, &start);
    int before = Grafic_Dll_GetNbElement(v);
    CString first("Hello");
    Grafic_Dll_Draw_Text(v, &first);
    ASSERT_EQ(before + 1, Grafic_Dll_GetNbElement(v));
    CTextElement* e1 = dynamic_cast<CTextElement*>(Last(v));
    ASSERT_NE(nullptr, e1);
    EXPECT_EQ(10, e1->origin.x);
    EXPECT_EQ(100, e1->origin.y);
    EXPECT_EQ(CRect(10, 100 - e1->bounds.Height(), e1->bounds.right, 100), e1->bounds);
    EXPECT_EQ(e1->bounds.right, v->m_penLocation.x) << "pen at the end of the text";
    EXPECT_EQ(100, v->m_penLocation.y);

    CString second("WORLD");
    Grafic_Dll_Draw_Text(v, &second);
    CTextElement* e2 = dynamic_cast<CTextElement*>(Last(v));
    ASSERT_NE(nullptr, e2);
    EXPECT_EQ(e1->bounds.right, e2->origin.x) << "the second text starts where the first ended";
    EXPECT_EQ(100, e2->origin.y);
    EXPECT_EQ(e2->bounds.right, v->m_penLocation.x);

    PumpMessages();
    DibCanvas shot(400, 300);
    ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
    CRect ink1 = shot.BoundsOf(kBlack, CRect(0, 0, e1->bounds.right, 300));
    CRect ink2 = shot.BoundsOf(kBlack, CRect(e1->bounds.right, 0, 400, 300));
    ASSERT_FALSE(ink1.IsRectEmpty());
    ASSERT_FALSE(ink2.IsRectEmpty()) << "second text not on screen";
    EXPECT_EQ(100, ink2.bottom) << "WORLD on the baseline y = 100: " << Str(ink2);
    EXPECT_LE(ink2.right, e2->bounds.right);

    // Repainting draws the same pixels.
    Grafic_Dll_RepaintView(v, NULL);
    v->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpMessages();
    DibCanvas again(400, 300);
    ASSERT_TRUE(CaptureClient(v->m_hWnd, again));
    EXPECT_EQ(0, memcmp(shot.Bits(), again.Bits(), 400 * 300 * 4)) << "repaint differs";
}

TEST_F(TextViewTest, TextBoxBlockAndNullArguments)
{
    GdiCountGuard guard("text box export");
    CGraphicView* v = NewView();
    POINT pen = {7, 9};
    Grafic_Dll_Set_Pen_Location(v, &pen);
    int n = Grafic_Dll_GetNbElement(v);

    struct Case {
        const char* align;
        char expected;
    } cases[] = {{"Right", 'R'}, {"center", 'c'}, {"", 'L'}, {"C", 'C'}};
    for (const Case& c : cases) {
        GRAF_TEXTBOX block;
        block.rect = CRect(20, 20, 200, 80);
        block.align = c.align;
        block.framed = TRUE;
        block.text = "a box of text";
        Grafic_Dll_Draw_Text_Box(v, &block);
        ASSERT_EQ(++n, Grafic_Dll_GetNbElement(v)) << "align \"" << c.align << "\"";
        CTextBoxElement* e = dynamic_cast<CTextBoxElement*>(Last(v));
        ASSERT_NE(nullptr, e);
        EXPECT_EQ(c.expected, e->align) << "align \"" << c.align << "\"";
        EXPECT_TRUE(e->framed);
        EXPECT_EQ(CString("a box of text"), e->text);
        EXPECT_EQ(CRect(20, 20, 200, 80), e->bounds);
        EXPECT_EQ(c.align, block.align) << "the host's word is not changed";
        EXPECT_FALSE(e->IsText());
        EXPECT_EQ(7, v->m_penLocation.x) << "a text box does not move the pen";
        EXPECT_EQ(9, v->m_penLocation.y);
    }
    PumpMessages();
    DibCanvas shot(400, 300);
    ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
    EXPECT_EQ(kBlack, shot.Pixel(20, 50)) << "the frame is on screen";
    EXPECT_FALSE(shot.BoundsOf(kBlack, CRect(22, 22, 198, 78)).IsRectEmpty())
        << "the text is on screen";

    // Null view, block or string: nothing.
    CString s("x");
    GRAF_TEXTBOX block;
    block.rect = CRect(0, 0, 10, 10);
    block.framed = FALSE;
    Grafic_Dll_Draw_Text(NULL, &s);
    Grafic_Dll_Draw_Text(v, NULL);
    Grafic_Dll_Draw_Text_Box(NULL, &block);
    Grafic_Dll_Draw_Text_Box(v, NULL);
    EXPECT_EQ(n, Grafic_Dll_GetNbElement(v)) << "null arguments appended an element";
}

TEST_F(TextViewTest, HostileTextsThroughTheExportsLeaveNoHandles)
{
    GdiCountGuard guard("hostile texts through the exports");
    {
        CGraphicView* v = NewView();
        std::string big(16384, 'x');
        const char* texts[] = {"", " ", "&", "\x82", "\x82\xa0", big.c_str()};
        int n = Grafic_Dll_GetNbElement(v);
        for (const char* t : texts) {
            CString s(t);
            Grafic_Dll_Draw_Text(v, &s);
            GRAF_TEXTBOX block;
            block.rect = CRect(0, 0, 50, 20);
            block.align = t;
            block.framed = TRUE;
            block.text = t;
            Grafic_Dll_Draw_Text_Box(v, &block);
            n += 2;
            EXPECT_EQ(n, Grafic_Dll_GetNbElement(v)) << "text of " << strlen(t) << " bytes";
        }
        PumpMessages();
        m_parent.Destroy();
        PumpMessages();
    }
}

// The measuring context: one is kept and lent out; a user nested inside another gets its own;
// texts measured on it leave its font, alignment, background mode and colours as they were.
TEST_F(TextElementTest, MeasuringContextIsLentOnceAndLeftAsFound)
{
    GdiCountGuard guard("measuring context");
    HDC kept;
    {
        CMeasureDC outer;
        ASSERT_NE(nullptr, outer.Get());
        kept = outer.Get()->GetSafeHdc();
        CMeasureDC inner;
        ASSERT_NE(nullptr, inner.Get());
        EXPECT_NE(kept, inner.Get()->GetSafeHdc()) << "a nested user gets a context of its own";
    }
    HGDIOBJ font;
    int bkMode;
    UINT align;
    COLORREF textColor;
    {
        CMeasureDC again;
        ASSERT_NE(nullptr, again.Get());
        EXPECT_EQ(kept, again.Get()->GetSafeHdc()) << "the kept context is lent again";
        font = ::GetCurrentObject(kept, OBJ_FONT);
        bkMode = ::GetBkMode(kept);
        align = ::GetTextAlign(kept);
        textColor = ::GetTextColor(kept);
    }
    const CTextElement* e = Text("Measured", 10, 40, State(kRed, 20, STYLE_BOLD | STYLE_ITALIC));
    EXPECT_GT(e->bounds.Width(), 0) << "the text measured itself";
    EXPECT_EQ(font, ::GetCurrentObject(kept, OBJ_FONT)) << "font put back";
    EXPECT_EQ(bkMode, ::GetBkMode(kept)) << "background mode put back";
    EXPECT_EQ(align, ::GetTextAlign(kept)) << "alignment put back";
    EXPECT_EQ(textColor, ::GetTextColor(kept)) << "text colour put back";

    ReleaseMeasureDC();
    EXPECT_EQ(0u, (unsigned)::GetObjectType(kept)) << "the release deletes the kept context";
    CMeasureDC fresh;
    EXPECT_NE(nullptr, fresh.Get()) << "a context is made again after the release";
}
