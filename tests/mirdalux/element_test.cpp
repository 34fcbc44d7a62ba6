// The graphic element base: the pressed look and the highlight read back from a DIB section,
// hit-testing, the pen inset, region ownership and the live-element count.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "TestValues.h"
#include "elements/GraphicElement.h"
#include "state/StateElement.h"

namespace {

const COLORREF kPressed = RGB(120, 120, 120);  // black lightened by the pressed look

// A test kind: an element carrying the region it is given (or none), freed by its destructor
// as the library's kinds do. It can claim a pressed image and counts its Draw calls.
class RegionElement : public CGraphicElement
{
public:
    RegionElement(int verb, CRgn* pRegion, int stateIndex = 0)
        : CGraphicElement(stateIndex, verb, 42)
    {
        region = pRegion;
    }
    ~RegionElement() override { ReleaseResources(); }

    void Draw(CDC*, const RECT* pClip) override
    {
        ++draws;
        lastClipWasNull = pClip == NULL;
    }
    BOOL HasPressedImage() override { return pressedImage; }
    void ReleaseResources() override { SetRegion(NULL); }

    int draws = 0;
    bool lastClipWasNull = false;
    BOOL pressedImage = FALSE;
};

CRgn* NewRegion(const CRect& r, bool elliptic = false)
{
    CRgn* rgn = new CRgn;
    if (elliptic)
        rgn->CreateEllipticRgnIndirect(&r);
    else
        rgn->CreateRectRgnIndirect(&r);
    return rgn;
}

class Element : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(0, g_elementCount) << "an earlier test left elements alive"; }
    void TearDown() override
    {
        EXPECT_EQ(0, g_elementCount) << "elements left alive";
        DestroyStateTable();
    }
};

}  // namespace

TEST_F(Element, NewElementDefaultsAndCount)
{
    {
        RegionElement e(VERB_ACTIVE, NULL, 5);
        CStateElement s;
        EXPECT_EQ(2, g_elementCount);
        EXPECT_EQ(7u, e.options) << "options before the view appends the element";
        EXPECT_FALSE(e.pressed || e.highlighted || e.discarded);
        EXPECT_TRUE(e.bounds.IsRectNull()) << "bounds start empty";
        EXPECT_TRUE(s.IsState());
        EXPECT_FALSE(e.IsState());
        // The defaults the pointer logic relies on, and the untouched outputs.
        CRect out(1, 2, 3, 4);
        POINT pt = {9, 9};
        EXPECT_FALSE(e.GetBounds(&out));
        EXPECT_FALSE(s.GetEndPoint(NULL, &pt));
        EXPECT_EQ(CRect(1, 2, 3, 4), out);
        EXPECT_EQ(9, pt.x);
        EXPECT_TRUE(e.UsesBlinkingFrame());
        EXPECT_EQ(11, e.SetStateIndex(11));
        EXPECT_EQ(11, e.stateIndex);
    }
    EXPECT_EQ(0, g_elementCount);
}

// Every step-th pixel of a row inside the region (and the clip) is lightened when dark, starting
// one pixel in on even rows counted from the box's top; the step follows the box's area.
TEST_F(Element, DrawPressedStippleFollowsTheAreaTheClipAndTheColours)
{
    const COLORREF k100 = RGB(100, 100, 100), k170 = RGB(170, 170, 170), k171 = RGB(171, 171, 171);
    const COLORREF k200 = RGB(200, 200, 200), kY = RGB(255, 255, 0), kY3 = RGB(255, 255, 3);
    // clang-format off
    struct Row {
        const char* name; CRect rect; bool elliptic; int step; int w, h; COLORREF fill, lit;
        bool clipped;
    };
    const Row rows[] = {
        {"100x79, area 7900", {3, 5, 103, 84}, false, 2, 110, 90, kBlack, kPressed, false},
        {"100x80, area 8000", {3, 5, 103, 85}, false, 3, 110, 90, kBlack, kPressed, false},
        {"200x120, area 24000", {1, 2, 201, 122}, false, 4, 210, 130, kBlack, kPressed, false},
        {"160x149, area 23840", {0, 0, 160, 149}, false, 3, 170, 150, kBlack, kPressed, false},
        {"ellipse 60x60", {4, 4, 64, 64}, true, 2, 70, 70, kBlack, kPressed, false},
        {"ellipse 150, area 22500", {2, 3, 152, 153}, true, 3, 160, 160, kBlack, kPressed, false},
        {"ellipse 160, area 25600", {2, 3, 162, 163}, true, 4, 170, 170, kBlack, kPressed, false},
        // 65536 x 65536 wraps the unsigned 32-bit area to 0: step 2; only the canvas is walked.
        {"area wraps to 0", {-7, -4, 65529, 65532}, false, 2, 40, 30, kBlack, kPressed, false},
        {"area wraps to 65536", {0, 0, 65536, 65537}, false, 4, 40, 30, kBlack, kPressed, false},
        {"under an elliptic clip", {0, 0, 60, 40}, false, 2, 60, 40, kBlack, kPressed, true},
        {"beyond the canvas", {100, 100, 200, 200}, false, 4, 30, 30, kBlack, kPressed, false},
        // Each channel ORed with 120 below 55, else with 55; an average above 170 is left alone.
        {"grey 100", {0, 0, 12, 6}, false, 2, 12, 6, k100, RGB(119, 119, 119), false},
        {"grey 200", {0, 0, 12, 6}, false, 2, 12, 6, k200, k200, false},
        {"average 170", {0, 0, 12, 6}, false, 2, 12, 6, k170, RGB(191, 191, 191), false},
        {"average 171", {0, 0, 12, 6}, false, 2, 12, 6, k171, k171, false},
        {"54 and 55", {0, 0, 12, 6}, false, 2, 12, 6, RGB(0, 54, 55), RGB(120, 126, 55), false},
        {"yellow, average 170", {0, 0, 12, 6}, false, 2, 12, 6, kY, RGB(255, 255, 120), false},
        {"yellow, average 171", {0, 0, 12, 6}, false, 2, 12, 6, kY3, kY3, false},
        {"mixed", {0, 0, 12, 6}, false, 2, 12, 6, RGB(8, 128, 64), RGB(120, 183, 119), false},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        GdiCountGuard guard(r.name);
        DibCanvas canvas(r.w, r.h, r.fill), expected(r.w, r.h, r.fill);
        RegionElement e(VERB_CLICK, NewRegion(r.rect, r.elliptic));
        CRgn clip;
        clip.CreateEllipticRgn(0, 0, 40, 40);
        canvas.Dc().SelectClipRgn(r.clipped ? &clip : NULL);
        e.DrawPressed(&canvas.Dc());
        canvas.Dc().SelectClipRgn(NULL);
        CRect box;
        e.region->GetRgnBox(&box);
        for (int y = 0; y < r.h; ++y)
            for (int x = box.left + ((y - box.top) % 2 == 0 ? 1 : 0); x < r.w; x += r.step)
                if (x >= 0 && e.region->PtInRegion(x, y) && (!r.clipped || clip.PtInRegion(x, y)))
                    ::SetPixelV(expected.Hdc(), x, y, r.lit);
        EXPECT_TRUE(SamePixels(expected, canvas)) << "a step-" << r.step << " grid";
    }
}

TEST_F(Element, HighlightInvertsExactlyTheRegionOfAnHighlightedActiveElement)
{
    // clang-format off
    struct Row { const char* name; int verb; UINT options; bool withRegion; bool inverts; };
    const Row rows[] = {
        {"active, highlight option", VERB_ACTIVE, 7, true, true},
        {"active, only the highlight bit", VERB_ACTIVE, OPT_HIGHLIGHT_ACTIVE, true, true},
        {"click verb", VERB_CLICK, 7, true, false},
        {"active without the highlight bit", VERB_ACTIVE, 6, true, false},
        {"active without region", VERB_ACTIVE, 7, false, false},
        {"frame verb", VERB_FRAME, 7, true, false},
    };
    // clang-format on
    const CRect oval(5, 6, 50, 40);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        GdiCountGuard guard(r.name);
        DibCanvas canvas(64, 48), expected(64, 48);
        CRgn shape;
        shape.CreateEllipticRgnIndirect(&oval);
        CBrush black;
        black.CreateSolidBrush(kBlack);
        if (r.inverts)
            expected.Dc().FillRgn(&shape, &black);
        RegionElement e(r.verb, r.withRegion ? NewRegion(oval, true) : NULL);
        e.options = r.options;
        e.Highlight(&canvas.Dc());
        EXPECT_TRUE(SamePixels(expected, canvas));
        HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(0, ::GetClipRgn(canvas.Hdc(), probe)) << "Highlight left a clip region selected";
        ::DeleteObject(probe);
        e.Highlight(&canvas.Dc());
        EXPECT_EQ(64 * 48, canvas.CountPixels(kWhite)) << "a second highlight puts it back";
    }
}

TEST_F(Element, PressSetsTheFlagAndDrawsOnlyWhenAsked)
{
    GdiCountGuard guard("press");
    DibCanvas canvas(40, 30, kBlack), second(40, 30, kBlack);
    RegionElement e(VERB_CLICK, NewRegion(CRect(0, 0, 40, 30)));
    e.Press(&canvas.Dc(), FALSE);
    EXPECT_TRUE(e.pressed);
    EXPECT_EQ(40 * 30, canvas.CountPixels(kBlack)) << "Press(pDC, FALSE) drew";
    e.Press(&canvas.Dc(), TRUE);
    EXPECT_EQ(kPressed, canvas.Pixel(1, 0)) << "without a pressed image: the pressed look";
    EXPECT_EQ(0, e.draws);

    e.pressedImage = TRUE;
    e.Press(&second.Dc(), TRUE);
    EXPECT_EQ(1, e.draws) << "an element with a pressed image draws itself";
    EXPECT_TRUE(e.lastClipWasNull);
    EXPECT_EQ(40 * 30, second.CountPixels(kBlack)) << "the pressed look over a pressed image";
    e.lastClipWasNull = false;
    e.Redraw(&second.Dc());
    EXPECT_EQ(2, e.draws);
    EXPECT_TRUE(e.lastClipWasNull) << "Redraw draws the whole element";

    // No device context: the flag is set and nothing is drawn.
    RegionElement quiet(VERB_CLICK, NewRegion(CRect(0, 0, 4, 4)));
    quiet.Press(NULL, TRUE);
    quiet.Highlight(NULL);
    quiet.DrawPressed(NULL);
    EXPECT_TRUE(quiet.pressed);
}

TEST_F(Element, InsetForPenFollowsThePenSizeOfTheState)
{
    // clang-format off
    const std::pair<int, CRect> rows[] = {
        {1, CRect(10, 20, 110, 220)}, {2, CRect(11, 21, 110, 220)}, {3, CRect(11, 21, 109, 219)},
        {4, CRect(12, 22, 109, 219)}, {5, CRect(12, 22, 108, 218)}, {0, CRect(10, 20, 110, 220)},
        {-4, CRect(10, 20, 110, 220)},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE("pen size " + std::to_string(r.first));
        CGraphicState* rec = new CGraphicState;
        rec->m_penSize = r.first;
        RegionElement e(VERB_FRAME, NULL, GetStateTable()->AddUnique(rec));
        CRect rc(10, 20, 110, 220);
        e.InsetForPen(rc);
        EXPECT_EQ(Str(r.second), Str(rc));
    }
    // Extreme sizes and edges saturate instead of overflowing.
    CGraphicState* huge = new CGraphicState;
    huge->m_penSize = INT_MAX;
    RegionElement big(VERB_FRAME, NULL, GetStateTable()->AddUnique(huge));
    CRect edge(INT_MAX - 5, 0, INT_MIN + 5, 0);
    big.InsetForPen(edge);
    EXPECT_EQ(INT_MAX, edge.left);
    EXPECT_EQ(INT_MIN, edge.right);
    // No record at the index, or no table: nothing changes.
    RegionElement stray(VERB_FRAME, NULL, 1000);
    CRect rc(1, 2, 3, 4);
    stray.InsetForPen(rc);
    EXPECT_EQ(CRect(1, 2, 3, 4), rc) << "index with no record";
    DestroyStateTable();
    big.InsetForPen(rc);
    EXPECT_EQ(CRect(1, 2, 3, 4), rc) << "no state table";
}

// Hit-testing in document coordinates, and the region's GDI object freed when it is replaced,
// released or dropped, and with the element.
TEST_F(Element, RegionsAreHitAndGivenBack)
{
    GdiCountGuard guard("regions");
    RegionElement e(VERB_ACTIVE, NULL);
    e.SetRegion(NULL);  // nothing held: nothing happens
    e.ReleaseResources();
    e.SetRegion(NewRegion(CRect(0, 0, 5, 5)));
    EXPECT_EQ(1, guard.GdiObjectsDelta());
    e.SetRegion(NewRegion(CRect(100, 50, 150, 80)));
    EXPECT_EQ(1, guard.GdiObjectsDelta()) << "replacing a region must free the old one";
    e.SetRegion(e.region);  // the same region again: kept, not freed
    // clang-format off
    const std::pair<POINT, BOOL> rows[] = {
        {{100, 50}, TRUE}, {{149, 79}, TRUE}, {{125, 60}, TRUE}, {{150, 79}, FALSE},
        {{149, 80}, FALSE}, {{99, 60}, FALSE}, {{0, 0}, FALSE}, {{INT_MIN, INT_MAX}, FALSE},
    };
    // clang-format on
    for (const auto& r : rows)
        EXPECT_EQ(r.second, e.HitTest(&r.first)) << "point " << Str(r.first);
    EXPECT_FALSE(e.HitTest(NULL));
    e.DropRegion();
    EXPECT_EQ(VERB_NONE, e.verb);
    EXPECT_EQ(nullptr, e.region);
    EXPECT_EQ(0, guard.GdiObjectsDelta()) << "DropRegion frees the region";
    e.ReleaseResources();  // nothing left to free
    const POINT inside = {125, 60};
    EXPECT_FALSE(e.HitTest(&inside)) << "after DropRegion";
    {
        RegionElement owned(VERB_ACTIVE, NewRegion(CRect(0, 0, 9, 9), true));
        EXPECT_EQ(1, guard.GdiObjectsDelta());
    }
    EXPECT_EQ(0, guard.GdiObjectsDelta()) << "the element's destructor did not free its region";

    // A CRgn that never got its GDI object is never hit and draws nothing.
    RegionElement hollow(VERB_ACTIVE, new CRgn);
    EXPECT_FALSE(hollow.HitTest(&inside));
    DibCanvas canvas(8, 8, kBlack);
    hollow.DrawPressed(&canvas.Dc());
    hollow.Highlight(&canvas.Dc());
    EXPECT_EQ(64, canvas.CountPixels(kBlack));
}
