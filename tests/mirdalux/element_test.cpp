// The graphic element base: the pressed look and the highlight read back from a DIB section,
// hit-testing, the pen inset, region ownership and the defaults of a new element.
#include "ViewFixture.h"

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
    elliptic ? rgn->CreateEllipticRgnIndirect(&r) : rgn->CreateRectRgnIndirect(&r);
    return rgn;
}

using Element = NoElementsFixture;

}  // namespace

// The defaults the pointer logic relies on, and outputs left untouched.
TEST_F(Element, NewElementDefaults)
{
    RegionElement e(VERB_ACTIVE, NULL, 5);
    CStateElement s;
    CRect out(1, 2, 3, 4);
    POINT pt = {9, 9};
    ExpectAll(
        {{"options before the view appends the element", e.options == 7u},
         {"not pressed, highlighted or discarded", !e.pressed && !e.highlighted && !e.discarded},
         {"bounds start empty", e.bounds.IsRectNull()},
         {"no bounds, the rectangle untouched", !e.GetBounds(&out) && out == CRect(1, 2, 3, 4)},
         {"no end point, the point untouched", !s.GetEndPoint(NULL, &pt) && pt.x == 9},
         {"the blinking frame", e.UsesBlinkingFrame()}});
}

// Every step-th pixel of a row inside the region (and the clip) is lightened when dark, starting
// one pixel in on even rows counted from the box's top; the step follows the box's area.
TEST_F(Element, DrawPressedStippleFollowsTheAreaTheClipAndTheColours)
{
    const COLORREF k100 = RGB(100, 100, 100), k170 = RGB(170, 170, 170), k171 = RGB(171, 171, 171);
    const COLORREF kY = RGB(255, 255, 0), kY3 = RGB(255, 255, 3);
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
        // 65536 x 65536 wraps the unsigned 32-bit area to 0: step 2; only the canvas is walked.
        {"area wraps to 0", {-7, -4, 65529, 65532}, false, 2, 40, 30, kBlack, kPressed, false},
        {"area wraps to 65536", {0, 0, 65536, 65537}, false, 4, 40, 30, kBlack, kPressed, false},
        {"under an elliptic clip", {0, 0, 60, 40}, false, 2, 60, 40, kBlack, kPressed, true},
        {"beyond the canvas", {100, 100, 200, 200}, false, 4, 30, 30, kBlack, kPressed, false},
        // Each channel ORed with 120 below 55, else with 55; an average above 170 is left alone.
        {"grey 100", {0, 0, 12, 6}, false, 2, 12, 6, k100, RGB(119, 119, 119), false},
        {"average 170", {0, 0, 12, 6}, false, 2, 12, 6, k170, RGB(191, 191, 191), false},
        {"average 171", {0, 0, 12, 6}, false, 2, 12, 6, k171, k171, false},
        {"54 and 55", {0, 0, 12, 6}, false, 2, 12, 6, RGB(0, 54, 55), RGB(120, 126, 55), false},
        {"yellow, average 170", {0, 0, 12, 6}, false, 2, 12, 6, kY, RGB(255, 255, 120), false},
        {"yellow, average 171", {0, 0, 12, 6}, false, 2, 12, 6, kY3, kY3, false},
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
        RegionElement e(r.verb, r.withRegion ? NewRegion(oval, true) : NULL);
        e.options = r.options;
        if (r.inverts)
            ::InvertRgn(expected.Hdc(), static_cast<HRGN>(e.region->GetSafeHandle()));
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
    DibCanvas quiet(40, 30, kBlack), look(40, 30, kBlack), image(40, 30, kBlack);
    RegionElement e(VERB_CLICK, NewRegion(CRect(0, 0, 40, 30)));
    e.Press(&quiet.Dc(), FALSE);
    const bool pressedQuietly = e.pressed && quiet.CountPixels(kBlack) == 40 * 30;
    e.Press(&look.Dc(), TRUE);
    e.pressedImage = TRUE;
    e.Press(&image.Dc(), TRUE);
    const bool drewItselfWhole = e.draws == 1 && e.lastClipWasNull;
    e.lastClipWasNull = false;
    e.Redraw(&image.Dc());
    RegionElement none(VERB_CLICK, NewRegion(CRect(0, 0, 4, 4)));
    none.Press(NULL, TRUE);
    none.Highlight(NULL);
    none.DrawPressed(NULL);
    ExpectAll({{"Press(pDC, FALSE) sets the flag and draws nothing", pressedQuietly},
               {"without a pressed image: the pressed look", look.Pixel(1, 0) == kPressed},
               {"an element with a pressed image draws itself whole, once", drewItselfWhole},
               {"no pressed look over a pressed image", image.CountPixels(kBlack) == 40 * 30},
               {"Redraw draws the whole element", e.draws == 2 && e.lastClipWasNull},
               {"without a device context: the flag alone", none.pressed}});
}

// Extreme sizes and edges saturate instead of overflowing.
TEST_F(Element, InsetForPenFollowsThePenSizeOfTheState)
{
    const CRect box(10, 20, 110, 220);
    // clang-format off
    const struct { int pen; CRect in, out; } rows[] = {
        {1, box, box}, {2, box, {11, 21, 110, 220}}, {3, box, {11, 21, 109, 219}},
        {4, box, {12, 22, 109, 219}}, {5, box, {12, 22, 108, 218}}, {0, box, box}, {-4, box, box},
        {INT_MAX, {INT_MAX - 5, 0, INT_MIN + 5, 0}, {INT_MAX, 1073741823, INT_MIN, -1073741823}},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE("pen size " + std::to_string(r.pen));
        CGraphicState* rec = new CGraphicState;
        rec->m_penSize = r.pen;
        RegionElement e(VERB_FRAME, NULL, GetStateTable()->AddUnique(rec));
        CRect rc = r.in;
        e.InsetForPen(rc);
        EXPECT_EQ(Str(r.out), Str(rc));
    }
    // No record at the index, or no table: nothing changes.
    CGraphicState* thick = new CGraphicState;
    thick->m_penSize = 3;
    RegionElement stray(VERB_FRAME, NULL, 1000);
    RegionElement orphan(VERB_FRAME, NULL, GetStateTable()->AddUnique(thick));
    CRect atStray = box, withoutTable = box;
    stray.InsetForPen(atStray);
    DestroyStateTable();
    orphan.InsetForPen(withoutTable);
    ExpectAll({{"index with no record", atStray == box}, {"no state table", withoutTable == box}});
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
    ExpectAll({{"DropRegion clears the verb and the region", e.verb == VERB_NONE && !e.region},
               {"DropRegion frees the region", guard.GdiObjectsDelta() == 0}});
    e.ReleaseResources();  // nothing left to free
    delete new RegionElement(VERB_ACTIVE, NewRegion(CRect(0, 0, 9, 9), true));
    EXPECT_EQ(0, guard.GdiObjectsDelta()) << "the element's destructor did not free its region";

    // A CRgn that never got its GDI object is never hit and draws nothing.
    RegionElement hollow(VERB_ACTIVE, new CRgn);
    const POINT inside = {4, 4};
    EXPECT_FALSE(hollow.HitTest(&inside));
    DibCanvas canvas(8, 8, kBlack);
    hollow.DrawPressed(&canvas.Dc());
    hollow.Highlight(&canvas.Dc());
    EXPECT_EQ(64, canvas.CountPixels(kBlack));
}
