// The graphic element base: the pressed look and the highlight read back from a DIB section,
// hit-testing, the pen inset, region ownership and the live-object counters.
#include <gtest/gtest.h>

#include <stdint.h>

#include <string>

#include "TestSupport.h"
#include "elements/GraphicElement.h"
#include "state/StateElement.h"

namespace {

// A test kind: an element carrying the region it is given (or none), freed by its destructor
// as the library's kinds do. It can claim a pressed image and records its Draw calls.
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

CRgn* NewRectRegion(int left, int top, int right, int bottom)
{
    CRgn* rgn = new CRgn;
    rgn->CreateRectRgn(left, top, right, bottom);
    return rgn;
}

CRgn* NewEllipticRegion(int left, int top, int right, int bottom)
{
    CRgn* rgn = new CRgn;
    rgn->CreateEllipticRgn(left, top, right, bottom);
    return rgn;
}

std::string Rgb(COLORREF c)
{
    char buf[32];
    wsprintfA(buf, "(%d,%d,%d)", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

// The pixels the pressed look visits in a region whose box is `box`: every step-th pixel of a
// row, starting one pixel in on even rows (counted from the box's top), inside the region.
bool Visited(const CRect& box, int step, const CRgn& rgn, int x, int y)
{
    if (x < box.left || x >= box.right || y < box.top || y >= box.bottom)
        return false;
    const int start = box.left + (((y - box.top) % 2 == 0) ? 1 : 0);
    return x >= start && (x - start) % step == 0 && rgn.PtInRegion(x, y);
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
    GdiCountGuard guard("element defaults");
    {
        RegionElement e(VERB_ACTIVE, NULL, 5);
        CStateElement s;
        EXPECT_EQ(2, g_elementCount);
        EXPECT_EQ(5, e.stateIndex);
        EXPECT_EQ(VERB_ACTIVE, e.verb);
        EXPECT_EQ(42, e.pattern);
        EXPECT_EQ(7u, e.options) << "options before the view appends the element";
        EXPECT_FALSE(e.pressed || e.highlighted || e.discarded);
        EXPECT_TRUE(e.bounds.IsRectNull()) << "bounds start empty";
        EXPECT_TRUE(s.IsState());
        EXPECT_FALSE(e.IsState());

        // The defaults that the pointer logic relies on, and the untouched outputs.
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

TEST_F(Element, DrawPressedStepFollowsTheAreaOfTheRegionBox)
{
    struct Case {
        const char* name;
        CRect rect;  // region rectangle (or the ellipse's box)
        bool elliptic;
        int step;
        int canvasW, canvasH;
    } cases[] = {
        {"100x79, area 7900", CRect(3, 5, 103, 84), false, 2, 110, 90},
        {"100x80, area 8000", CRect(3, 5, 103, 85), false, 3, 110, 90},
        {"200x120, area 24000", CRect(1, 2, 201, 122), false, 4, 210, 130},
        {"160x149, area 23840", CRect(0, 0, 160, 149), false, 3, 170, 150},
        {"ellipse 60x60", CRect(4, 4, 64, 64), true, 2, 70, 70},
        {"ellipse 150x150, area 22500", CRect(2, 3, 152, 153), true, 3, 160, 160},
        {"ellipse 160x160, area 25600", CRect(2, 3, 162, 163), true, 4, 170, 170},
        // 65536 x 65536 wraps the unsigned 32-bit area to 0: step 2; only the canvas is walked.
        {"65536x65536, area wraps to 0", CRect(-7, -4, 65529, 65532), false, 2, 40, 30},
        {"65536x65537, area wraps to 65536", CRect(0, 0, 65536, 65537), false, 4, 40, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GdiCountGuard guard(c.name);
        DibCanvas canvas(c.canvasW, c.canvasH, RGB(0, 0, 0));
        CRgn* rgn = c.elliptic
                        ? NewEllipticRegion(c.rect.left, c.rect.top, c.rect.right, c.rect.bottom)
                        : NewRectRegion(c.rect.left, c.rect.top, c.rect.right, c.rect.bottom);
        RegionElement e(VERB_CLICK, rgn);
        CRect box;
        rgn->GetRgnBox(&box);
        e.DrawPressed(&canvas.Dc());

        int wrong = 0, changed = 0;
        std::string first;
        for (int y = 0; y < c.canvasH; ++y) {
            for (int x = 0; x < c.canvasW; ++x) {
                const COLORREF got = canvas.Pixel(x, y);
                const bool expectChange = Visited(box, c.step, *rgn, x, y);
                const COLORREF want = expectChange ? RGB(120, 120, 120) : RGB(0, 0, 0);
                changed += got != RGB(0, 0, 0);
                if (got != want && wrong++ == 0)
                    first = "(" + std::to_string(x) + "," + std::to_string(y) + ") is " + Rgb(got) +
                            ", expected " + Rgb(want);
            }
        }
        EXPECT_EQ(0, wrong) << wrong << " pixels differ from a step-" << c.step
                            << " grid; first: " << first;
        EXPECT_GT(changed, 0) << "nothing was drawn";
    }
}

TEST_F(Element, DrawPressedColourArithmetic)
{
    struct Case {
        COLORREF in;
        COLORREF out;
    } cases[] = {
        {RGB(0, 0, 0), RGB(120, 120, 120)},
        {RGB(100, 100, 100), RGB(119, 119, 119)},
        {RGB(200, 200, 200), RGB(200, 200, 200)},  // average above 170: left alone
        {RGB(170, 170, 170), RGB(191, 191, 191)},  // average exactly 170: lightened
        {RGB(171, 171, 171), RGB(171, 171, 171)},
        {RGB(0, 54, 55), RGB(120, 126, 55)},     // 54 is below 55 (OR 120), 55 is not (OR 55)
        {RGB(255, 255, 0), RGB(255, 255, 120)},  // average 170
        {RGB(255, 255, 3), RGB(255, 255, 3)},    // average 171
        {RGB(8, 128, 64), RGB(120, 183, 119)},
    };
    for (const Case& c : cases) {
        DibCanvas canvas(12, 6, c.in);
        RegionElement e(VERB_ACTIVE, NewRectRegion(0, 0, 12, 6));
        e.DrawPressed(&canvas.Dc());
        EXPECT_EQ(Rgb(c.out), Rgb(canvas.Pixel(1, 0)))
            << "pixel " << Rgb(c.in) << " on an even row";
        EXPECT_EQ(Rgb(c.out), Rgb(canvas.Pixel(0, 1))) << "pixel " << Rgb(c.in) << " on an odd row";
        EXPECT_EQ(Rgb(c.in), Rgb(canvas.Pixel(0, 0))) << "the left edge of an even row was touched";
        EXPECT_EQ(Rgb(c.in), Rgb(canvas.Pixel(2, 0))) << "between two visited pixels";
    }
}

TEST_F(Element, DrawPressedLeavesPixelsOutsideTheClipAlone)
{
    GdiCountGuard guard("pressed look under a clip region");
    DibCanvas canvas(60, 40, RGB(0, 0, 0));
    RegionElement e(VERB_CLICK, NewRectRegion(0, 0, 60, 40));
    CRgn clip;
    clip.CreateEllipticRgn(0, 0, 40, 40);
    canvas.Dc().SelectClipRgn(&clip);
    e.DrawPressed(&canvas.Dc());
    canvas.Dc().SelectClipRgn(NULL);

    int outside = 0, inside = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 60; ++x) {
            const bool changed = canvas.Pixel(x, y) != RGB(0, 0, 0);
            if (changed && !clip.PtInRegion(x, y))
                ++outside;
            if (changed)
                ++inside;
        }
    }
    EXPECT_EQ(0, outside) << "pixels outside the clip region were changed";
    EXPECT_GT(inside, 300) << "the clipped part should still be stippled";

    // A clip region that shows none of the element: nothing at all.
    DibCanvas other(30, 30, RGB(0, 0, 0));
    RegionElement distant(VERB_CLICK, NewRectRegion(100, 100, 200, 200));
    distant.DrawPressed(&other.Dc());
    EXPECT_EQ(30 * 30, other.CountPixels(RGB(0, 0, 0))) << "a region beyond the canvas";
}

TEST_F(Element, HighlightInvertsExactlyTheRegionOfAnHighlightedActiveElement)
{
    struct Case {
        const char* name;
        int verb;
        UINT options;
        bool withRegion;
        bool inverts;
    } cases[] = {
        {"active, highlight option", VERB_ACTIVE, 7, true, true},
        {"active, only the highlight bit", VERB_ACTIVE, OPT_HIGHLIGHT_ACTIVE, true, true},
        {"click verb", VERB_CLICK, 7, true, false},
        {"active without the highlight bit", VERB_ACTIVE, 6, true, false},
        {"active without region", VERB_ACTIVE, 7, false, false},
        {"frame verb", VERB_FRAME, 7, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GdiCountGuard guard(c.name);
        DibCanvas canvas(64, 48);
        CRgn* rgn = c.withRegion ? NewEllipticRegion(5, 6, 50, 40) : NULL;
        CRgn shape;
        shape.CreateEllipticRgn(5, 6, 50, 40);
        RegionElement e(c.verb, rgn);
        e.options = c.options;
        e.Highlight(&canvas.Dc());

        int wrong = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool black = canvas.Pixel(x, y) == RGB(0, 0, 0);
                wrong += black != (c.inverts && shape.PtInRegion(x, y));
            }
        EXPECT_EQ(0, wrong) << "pixels differing from "
                            << (c.inverts ? "the inverted region" : "untouched white");

        HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(0, ::GetClipRgn(canvas.Hdc(), probe)) << "Highlight left a clip region selected";
        ::DeleteObject(probe);

        // A second highlight puts the pixels back.
        e.Highlight(&canvas.Dc());
        EXPECT_EQ(64 * 48, canvas.CountPixels(RGB(255, 255, 255))) << "highlighting twice";
    }
}

TEST_F(Element, PressSetsTheFlagAndDrawsOnlyWhenAsked)
{
    GdiCountGuard guard("press");
    DibCanvas canvas(40, 30, RGB(0, 0, 0));
    RegionElement e(VERB_CLICK, NewRectRegion(0, 0, 40, 30));

    e.Press(&canvas.Dc(), FALSE);
    EXPECT_TRUE(e.pressed);
    EXPECT_EQ(40 * 30, canvas.CountPixels(RGB(0, 0, 0))) << "Press(pDC, FALSE) drew";
    EXPECT_EQ(0, e.draws);

    e.Press(&canvas.Dc(), TRUE);
    EXPECT_EQ(RGB(120, 120, 120), canvas.Pixel(1, 0))
        << "Press without a pressed image shows the pressed look";
    EXPECT_EQ(0, e.draws);

    DibCanvas second(40, 30, RGB(0, 0, 0));
    e.pressedImage = TRUE;
    e.Press(&second.Dc(), TRUE);
    EXPECT_EQ(1, e.draws) << "an element with a pressed image draws itself";
    EXPECT_TRUE(e.lastClipWasNull);
    EXPECT_EQ(40 * 30, second.CountPixels(RGB(0, 0, 0)))
        << "the pressed look drawn over a pressed image";

    e.Redraw(&second.Dc());
    EXPECT_EQ(2, e.draws);
    EXPECT_TRUE(e.lastClipWasNull) << "Redraw draws the whole element";

    // No device context: the flag is set and nothing is drawn.
    RegionElement quiet(VERB_CLICK, NewRectRegion(0, 0, 4, 4));
    quiet.Press(NULL, TRUE);
    quiet.Highlight(NULL);
    quiet.DrawPressed(NULL);
    EXPECT_TRUE(quiet.pressed);
}

TEST_F(Element, InsetForPenFollowsThePenSizeOfTheState)
{
    struct Case {
        int penSize;
        CRect expected;  // from (10, 20, 110, 220)
    } cases[] = {
        {1, CRect(10, 20, 110, 220)},  {2, CRect(11, 21, 110, 220)}, {3, CRect(11, 21, 109, 219)},
        {4, CRect(12, 22, 109, 219)},  {5, CRect(12, 22, 108, 218)}, {0, CRect(10, 20, 110, 220)},
        {-4, CRect(10, 20, 110, 220)},
    };
    for (const Case& c : cases) {
        CGraphicState* rec = new CGraphicState;
        rec->m_penSize = c.penSize;
        const int index = GetStateTable()->AddUnique(rec);
        RegionElement e(VERB_FRAME, NULL, index);
        CRect r(10, 20, 110, 220);
        e.InsetForPen(r);
        EXPECT_EQ(c.expected, r) << "pen size " << c.penSize << ": got (" << r.left << "," << r.top
                                 << "," << r.right << "," << r.bottom << ")";
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
    CRect r(1, 2, 3, 4);
    stray.InsetForPen(r);
    EXPECT_EQ(CRect(1, 2, 3, 4), r) << "index with no record";
    DestroyStateTable();
    big.InsetForPen(r);
    EXPECT_EQ(CRect(1, 2, 3, 4), r) << "no state table";
}

TEST_F(Element, HitTestInDocumentCoordinates)
{
    GdiCountGuard guard("hit test");
    RegionElement e(VERB_ACTIVE, NewRectRegion(100, 50, 150, 80));
    struct {
        POINT pt;
        BOOL hit;
    } cases[] = {
        {{100, 50}, TRUE},  {{149, 79}, TRUE}, {{125, 60}, TRUE}, {{150, 79}, FALSE},
        {{149, 80}, FALSE}, {{99, 60}, FALSE}, {{0, 0}, FALSE},   {{INT_MIN, INT_MAX}, FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.hit, e.HitTest(&c.pt)) << "point (" << c.pt.x << "," << c.pt.y << ")";
    EXPECT_FALSE(e.HitTest(NULL));

    e.DropRegion();
    EXPECT_EQ(VERB_NONE, e.verb);
    EXPECT_EQ(nullptr, e.region);
    POINT inside = {125, 60};
    EXPECT_FALSE(e.HitTest(&inside)) << "after DropRegion";

    // A CRgn that never got its GDI object is never hit.
    RegionElement hollow(VERB_ACTIVE, new CRgn);
    EXPECT_FALSE(hollow.HitTest(&inside));
    DibCanvas canvas(8, 8, RGB(0, 0, 0));
    hollow.DrawPressed(&canvas.Dc());
    hollow.Highlight(&canvas.Dc());
    EXPECT_EQ(64, canvas.CountPixels(RGB(0, 0, 0))) << "a region without a GDI object drew";
}

TEST_F(Element, RegionOwnershipGivesBackEveryObject)
{
    GdiCountGuard guard("region ownership");
    RegionElement e(VERB_CLICK, NULL);
    e.SetRegion(NULL);  // nothing held: nothing happens
    e.ReleaseResources();
    e.ReleaseResources();
    EXPECT_EQ(nullptr, e.region);

    e.SetRegion(NewRectRegion(0, 0, 5, 5));
    EXPECT_EQ(1, guard.GdiObjectsDelta());
    e.SetRegion(NewRectRegion(0, 0, 9, 9));
    EXPECT_EQ(1, guard.GdiObjectsDelta()) << "replacing a region must free the old one";
    e.SetRegion(e.region);  // the same region again: kept, not freed
    POINT p = {7, 7};
    EXPECT_TRUE(e.HitTest(&p));
    e.ReleaseResources();
    e.ReleaseResources();  // the second call finds nothing to free
    EXPECT_EQ(0, guard.GdiObjectsDelta());

    {
        RegionElement owned(VERB_ACTIVE, NewEllipticRegion(0, 0, 9, 9));
        EXPECT_EQ(1, guard.GdiObjectsDelta());
    }
    EXPECT_EQ(0, guard.GdiObjectsDelta()) << "the element's destructor did not free its region";
}
