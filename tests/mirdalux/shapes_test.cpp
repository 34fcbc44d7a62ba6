// The closed shapes: pixels of every verb in a DIB section, the GDI calls they make (metafile
// records), inverted extents, radial points and wedge regions, active regions, hostile sizes,
// inversion in a scrolled view, and the sampler's picture through the exports drawn at once and
// repainted alike.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <climits>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "TestHost.h"
#include "ViewFixture.h"
#include "TestSupport.h"
#include "elements/ArcElement.h"
#include "elements/OvalElement.h"
#include "elements/RectElement.h"
#include "elements/RoundRectElement.h"
#include "elements/ShapeDrawing.h"
#include "view/GraphicView.h"

#include "../../examples/sampler/SamplerShapes.h"

#include <mirdalux.h>

#include "TestValues.h"

namespace {

enum Kind { kRect, kRoundRect, kOval, kArc };
const char* const kKindNames[] = {"rectangle", "rounded rectangle", "oval", "arc"};

}  // namespace

// Elements built directly, with states interned by a view that has no window.
class ShapeTest : public ElementFixture
{
protected:
    int State(int penSize, COLORREF fore = kBlack, COLORREF back = kWhite)
    {
        m_view->m_state.m_penSize = penSize;
        m_view->m_state.m_fogndColor = fore;
        m_view->m_state.m_bkgndColor = back;
        return m_view->InternState();
    }

    CGraphicElement* Make(Kind kind, int state, int verb, int pattern, const RECT& rc, int a = 16,
                          int b = 12)
    {
        CGraphicElement* e = NULL;
        switch (kind) {
        case kRect: {
            ShapeParams p = {verb, rc.left, rc.top, rc.right, rc.bottom, pattern};
            e = new CRectElement(state, &p);
            break;
        }
        case kOval: {
            ShapeParams p = {verb, rc.left, rc.top, rc.right, rc.bottom, pattern};
            e = new COvalElement(state, &p);
            break;
        }
        case kRoundRect: {
            RoundRectParams p;
            p.verb = verb;
            p.left = rc.left, p.top = rc.top, p.right = rc.right, p.bottom = rc.bottom;
            p.pattern = pattern;
            p.cornerWidth = a;
            p.cornerHeight = b;
            e = new CRoundRectElement(state, &p);
            break;
        }
        case kArc: {
            ArcParams p;
            p.verb = verb;
            p.left = rc.left, p.top = rc.top, p.right = rc.right, p.bottom = rc.bottom;
            p.pattern = pattern;
            p.startAngle = a;
            p.arcAngle = b;
            e = new CArcElement(state, &p);
            break;
        }
        }
        m_elements.emplace_back(e);
        return e;
    }

    CArcElement* MakeArc(int verb, const RECT& rc, int start, int sweep)
    {
        return static_cast<CArcElement*>(Make(kArc, State(1), verb, 0, rc, start, sweep));
    }
};

TEST_F(ShapeTest, FrameBandsForPensOneToFourEndAtColumn99)
{
    for (int pen = 1; pen <= 4; ++pen) {
        for (Kind kind : {kRect, kRoundRect}) {
            DibCanvas canvas(120, 120);
            Make(kind, State(pen), VERB_FRAME, PAT_EMPTY, CRect(0, 0, 100, 100))
                ->Draw(&canvas.Dc(), NULL);
            const std::string what = std::string(kKindNames[kind]) + ", pen " + std::to_string(pen);
            EXPECT_EQ(CRect(0, 0, 100, 100), canvas.BoundsOfOther(kWhite))
                << what << ": the frame stays inside its bounds, got "
                << Str(canvas.BoundsOfOther(kWhite));
            // Along the middle row: a band of the pen's width at each side.
            for (int x = 0; x < 110; ++x) {
                const bool inBand = x < pen || (x >= 100 - pen && x < 100);
                EXPECT_EQ(inBand ? kBlack : kWhite, canvas.Pixel(x, 50))
                    << what << ": column " << x << (inBand ? " in" : " outside") << " the band";
            }
        }
    }
}

TEST_F(ShapeTest, ErasedAndFilledShapesCoverExactlyTheirBounds)
{
    struct Case {
        int verb;
        int pattern;
        COLORREF expected;
    } cases[] = {
        {VERB_ERASE, PAT_EMPTY, kBlue},  // the state's background colour
        {VERB_FILL, PAT_BLACK, kRed},    // the foreground colour
        {VERB_FILL, PAT_WHITE, kBlue},   // as erase
    };
    const CRect bounds(10, 12, 50, 40);
    for (const Case& c : cases) {
        for (Kind kind : {kRect, kRoundRect, kOval}) {
            DibCanvas canvas(80, 60);
            Make(kind, State(5, kRed, kBlue), c.verb, c.pattern, bounds)->Draw(&canvas.Dc(), NULL);
            const std::string what = std::string(kKindNames[kind]) + ", verb " +
                                     std::to_string(c.verb) + ", pattern " +
                                     std::to_string(c.pattern);
            // A rectangle covers its bounds exactly; GDI's curves get the same one-unit growth
            // and keep within it.
            const CRect box = canvas.BoundsOfOther(kWhite);
            const CRect grown(bounds.left, bounds.top, bounds.right + 1, bounds.bottom + 1);
            if (kind == kRect) {
                EXPECT_EQ(bounds, box)
                    << what << ": expected " << Str(bounds) << ", got " << Str(box);
            } else {
                EXPECT_TRUE(box.left == bounds.left && box.top == bounds.top &&
                            box.right >= bounds.right && box.right <= grown.right &&
                            box.bottom >= bounds.bottom && box.bottom <= grown.bottom)
                    << what << ": expected from " << Str(bounds) << " to " << Str(grown) << ", got "
                    << Str(box);
            }
            EXPECT_EQ(c.expected, canvas.Pixel(30, 26)) << what << ": the fill colour";
            if (kind == kRect) {
                EXPECT_EQ(bounds.Width() * bounds.Height(), canvas.CountPixels(c.expected))
                    << what << ": a rectangle fills every pixel of its bounds, without outline";
            }
        }
    }
}

TEST_F(ShapeTest, PatternFillsRepeatTheirEightByEightCells)
{
    struct Case {
        int pattern;
        int perCell;  // foreground pixels in each 8 x 8 cell
    } cases[] = {{PAT_LTGRAY, 16}, {PAT_GRAY, 32}, {PAT_DKGRAY, 48}};
    for (const Case& c : cases) {
        DibCanvas canvas(64, 64);
        Make(kRect, State(1, kRed), VERB_FILL, c.pattern, CRect(0, 0, 63, 63))
            ->Draw(&canvas.Dc(), NULL);
        const CRect inner(8, 8, 56, 56);  // 36 whole cells, away from the edges
        EXPECT_EQ(c.perCell * 36, canvas.CountPixels(kRed, inner))
            << "pattern " << c.pattern << ": foreground pixels over 36 cells";
        EXPECT_EQ((64 - c.perCell) * 36, canvas.CountPixels(kWhite, inner))
            << "pattern " << c.pattern;
        for (int y = 8; y < 48; ++y) {
            for (int x = 8; x < 48; ++x)
                ASSERT_EQ(canvas.Pixel(x, y), canvas.Pixel(x + 8, y + 8))
                    << "pattern " << c.pattern << ": the cell repeats at (" << x << "," << y << ")";
        }
    }
    // An unlisted pattern selects no brush: the context's own brush fills, without outline.
    DibCanvas canvas(40, 40);
    CBrush blue(kBlue);
    CBrush* pOld = canvas.Dc().SelectObject(&blue);
    Make(kOval, State(3, kRed), VERB_FILL, PAT_OTHER, CRect(0, 0, 39, 39))
        ->Draw(&canvas.Dc(), NULL);
    canvas.Dc().SelectObject(pOld);
    EXPECT_EQ(kBlue, canvas.Pixel(20, 20)) << "the context's brush fills an unlisted pattern";
    EXPECT_EQ(0, canvas.CountPixels(kRed)) << "no pen outlines a filled shape";
}

TEST_F(ShapeTest, InvertedExtentsPerShape)
{
    const CRect bounds(10, 10, 50, 40);
    struct Case {
        Kind kind;
        CRect expected;
    };
    CRgn oval, round, arcRgn;
    oval.CreateEllipticRgnIndirect(&bounds);
    round.CreateRoundRectRgn(10, 10, 50, 40, 16, 12);
    CRect ovalBox, roundBox;
    oval.GetRgnBox(&ovalBox);
    round.GetRgnBox(&roundBox);
    const Case cases[] = {
        {kRect, bounds},         // InvertRect of bounds, no one-unit growth
        {kRoundRect, roundBox},  // the region of bounds as stored
        {kOval, ovalBox},
    };
    for (const Case& c : cases) {
        DibCanvas canvas(80, 60);
        Make(c.kind, State(1), VERB_INVERT, PAT_EMPTY, bounds)->Draw(&canvas.Dc(), NULL);
        EXPECT_EQ(c.expected, canvas.BoundsOfOther(kWhite))
            << kKindNames[c.kind] << ": expected " << Str(c.expected) << ", got "
            << Str(canvas.BoundsOfOther(kWhite));
        EXPECT_EQ(kBlack, canvas.Pixel(30, 25)) << kKindNames[c.kind] << ": white became black";
    }
    // The arc inverts its wedge of the rectangle one unit larger: the right half (0 to 180
    // degrees) reaches as far right and down as the ellipse of that larger rectangle.
    const CRect grown(10, 10, 51, 41);
    CRgn grownOval;
    grownOval.CreateEllipticRgnIndirect(&grown);
    CRect grownBox;
    grownOval.GetRgnBox(&grownBox);
    ASSERT_NE(grownBox, ovalBox) << "the test needs ellipses that differ by the growth";
    DibCanvas canvas(80, 60);
    MakeArc(VERB_INVERT, bounds, 0, 180)->Draw(&canvas.Dc(), NULL);
    const CRect box = canvas.BoundsOfOther(kWhite);
    const CRect expectedArc(30, grownBox.top, grownBox.right, grownBox.bottom);
    EXPECT_EQ(expectedArc, box) << "the arc's right half: expected " << Str(expectedArc) << ", got "
                                << Str(box);
    // The rounded rectangle's active region, unlike its inversion, is one unit larger.
    CRoundRectElement* active = static_cast<CRoundRectElement*>(
        Make(kRoundRect, State(1), VERB_ACTIVE, 3, CRect(0, 0, 100, 50), 20, 10));
    CRgn expected;
    expected.CreateRoundRectRgn(0, 0, 101, 51, 20, 10);
    ASSERT_NE(nullptr, active->region);
    EXPECT_TRUE(active->region->EqualRgn(&expected))
        << "active region is RoundRectRgn(0,0,101,51,20,10)";
    CRectElement* rect = static_cast<CRectElement*>(Make(kRect, State(1), VERB_CLICK, 4, bounds));
    CRgn rectRgn;
    rectRgn.CreateRectRgnIndirect(&bounds);
    ASSERT_NE(nullptr, rect->region);
    EXPECT_TRUE(rect->region->EqualRgn(&rectRgn)) << "a click rectangle's region is its bounds";
    EXPECT_EQ(4, rect->pattern) << "the pattern holds the region identifier";
}

TEST_F(ShapeTest, MetafileRecordsTheBoxAndTheRadialPointsEndFirst)
{
    struct Case {
        Kind kind;
        int verb;
        int pen;
        CRect bounds;
        DWORD record;
        CRect box;
    } cases[] = {
        {kRect, VERB_FRAME, 1, CRect(0, 0, 100, 100), EMR_RECTANGLE, CRect(0, 0, 100, 100)},
        {kRect, VERB_FRAME, 3, CRect(0, 0, 100, 100), EMR_RECTANGLE, CRect(1, 1, 99, 99)},
        {kRect, VERB_PAINT, 4, CRect(0, 0, 100, 100), EMR_RECTANGLE, CRect(2, 2, 99, 99)},
        {kRect, VERB_ERASE, 3, CRect(0, 0, 100, 100), EMR_RECTANGLE, CRect(0, 0, 101, 101)},
        {kRect, VERB_FILL, 3, CRect(100, 100, 0, 0), EMR_RECTANGLE, CRect(100, 100, 1, 1)},
        {kOval, VERB_FRAME, 2, CRect(0, 0, 60, 40), EMR_ELLIPSE, CRect(1, 1, 60, 40)},
        {kOval, VERB_ACTIVE, 2, CRect(0, 0, 60, 40), EMR_ELLIPSE, CRect(0, 0, 61, 41)},
        {kRoundRect, VERB_FILL, 1, CRect(5, 6, 70, 50), EMR_ROUNDRECT, CRect(5, 6, 71, 51)},
        {kArc, VERB_FRAME, 1, CRect(0, 0, 100, 100), EMR_ARC, CRect(0, 0, 100, 100)},
        {kArc, VERB_PAINT, 1, CRect(0, 0, 100, 100), EMR_PIE, CRect(0, 0, 100, 100)},
        {kArc, VERB_CLICK, 1, CRect(0, 0, 100, 100), EMR_PIE, CRect(0, 0, 101, 101)},
    };
    for (const Case& c : cases) {
        EmfRecorder rec;
        CGraphicElement* e = Make(c.kind, State(c.pen), c.verb, PAT_BLACK, c.bounds, 0, 90);
        e->Draw(&rec.Dc(), NULL);
        const std::string what = std::string(kKindNames[c.kind]) + ", verb " +
                                 std::to_string(c.verb) + ", pen " + std::to_string(c.pen);
        const EmfRecord* r = rec.First(c.record);
        ASSERT_NE(nullptr, r) << what << ":\n" << rec.Describe();
        // The metafile keeps the call's rectangle normalised, right and bottom inclusive.
        CRect call = c.box;
        call.NormalizeRect();
        const CRect expected(call.left, call.top, call.right - 1, call.bottom - 1);
        const CRect got(r->Long(0), r->Long(1), r->Long(2), r->Long(3));
        EXPECT_EQ(expected, got) << what << ": expected the call " << Str(c.box) << ", recorded as "
                                 << Str(expected) << ", got " << Str(got);
        EXPECT_EQ(1, rec.Count(c.record)) << what;
        if (c.record == EMR_ARC || c.record == EMR_PIE) {
            // arcEnd (3 o'clock) first, arcStart (12 o'clock) second.
            EXPECT_EQ(100, r->Long(4)) << what;
            EXPECT_EQ(50, r->Long(5)) << what;
            EXPECT_EQ(50, r->Long(6)) << what;
            EXPECT_EQ(0, r->Long(7)) << what;
        }
        if (c.record == EMR_ROUNDRECT) {
            EXPECT_EQ(0, r->Long(4)) << what << ": corner width";
            EXPECT_EQ(90, r->Long(5)) << what << ": corner height";
        }
    }
}

TEST_F(ShapeTest, AnInvisibleShapeRecordsNothing)
{
    for (Kind kind : {kRect, kRoundRect, kOval, kArc}) {
        for (int verb : {VERB_FRAME, VERB_PAINT, VERB_INVERT, VERB_FILL}) {
            EmfRecorder rec;
            rec.Dc().IntersectClipRect(0, 0, 20, 20);
            Make(kind, State(2), verb, PAT_GRAY, CRect(40, 40, 90, 80))->Draw(&rec.Dc(), NULL);
            for (DWORD type : {EMR_CREATEPEN, EMR_CREATEBRUSHINDIRECT, EMR_SELECTOBJECT,
                               EMR_SETROP2, EMR_SETBKMODE, EMR_RECTANGLE, EMR_ELLIPSE,
                               EMR_ROUNDRECT, EMR_PIE, EMR_ARC, EMR_INVERTRGN}) {
                EXPECT_EQ(0, rec.Count(type))
                    << kKindNames[kind] << ", verb " << verb << ": record "
                    << EmfRecorder::TypeName(type) << " for a shape outside the clip box\n"
                    << rec.Describe();
            }
        }
    }
}

TEST_F(ShapeTest, RadialPointsForEveryStartQuadrantNegativeSweepsAndLargeAngles)
{
    struct Case {
        int start, sweep;
        POINT arcStart, arcEnd;
    } cases[] = {
        {0, 90, {50, 0}, {100, 50}},    {90, 90, {100, 50}, {50, 100}},
        {180, 90, {50, 100}, {0, 50}},  {270, 90, {0, 50}, {50, 0}},
        {90, -45, {100, 50}, {85, 15}}, {0, -90, {50, 0}, {0, 50}},
        {450, 0, {100, 50}, {100, 50}}, {-90, 180, {0, 50}, {100, 50}},
        {INT_MAX, 1, {0, 0}, {0, 0}},  // the 32-bit sum wraps; only that it is computed
    };
    for (const Case& c : cases) {
        CArcElement* arc = MakeArc(VERB_FRAME, CRect(0, 0, 100, 100), c.start, c.sweep);
        if (c.start == INT_MAX)
            continue;
        EXPECT_EQ(Str(c.arcStart), Str(arc->arcStart))
            << "start " << c.start << ", sweep " << c.sweep;
        EXPECT_EQ(Str(c.arcEnd), Str(arc->arcEnd)) << "start " << c.start << ", sweep " << c.sweep;
    }
}

TEST_F(ShapeTest, PaintedWedgesRunClockwiseFromTheStart)
{
    struct Case {
        int start, sweep;
        int inside, outside;  // angles (0 at 12 o'clock, clockwise) of a point in and out
    } cases[] = {
        {0, 90, 45, 135},   {90, 90, 135, 45}, {180, 90, 225, 135}, {270, 90, 315, 225},
        {90, -45, 180, 70}, {0, -90, 90, 315}, {30, 240, 180, 320}, {450, 90, 135, 45},
    };
    for (const Case& c : cases) {
        for (int verb : {VERB_PAINT, VERB_FILL, VERB_INVERT}) {
            // The inverted wedge follows the region's corner rules, which do not cover an end
            // angle below 0 (start 0, sweep -90): that one is left to the wedge tests.
            if (verb == VERB_INVERT && c.start + c.sweep < 0)
                continue;
            DibCanvas canvas(120, 120);
            Make(kArc, State(1), verb, PAT_BLACK, CRect(10, 10, 110, 110), c.start, c.sweep)
                ->Draw(&canvas.Dc(), NULL);
            auto pixelAt = [&](int angle) {
                const double a = angle * 3.14159265358979 / 180.0;
                return canvas.Pixel(60 + (int)std::lround(std::sin(a) * 30),
                                    60 - (int)std::lround(std::cos(a) * 30));
            };
            EXPECT_EQ(kBlack, pixelAt(c.inside))
                << "start " << c.start << ", sweep " << c.sweep << ", verb " << verb << ": "
                << c.inside << " degrees is in the wedge";
            EXPECT_EQ(kWhite, pixelAt(c.outside))
                << "start " << c.start << ", sweep " << c.sweep << ", verb " << verb << ": "
                << c.outside << " degrees is outside";
        }
    }
}

TEST_F(ShapeTest, WedgeRegionsFollowTheCornerRules)
{
    const CRect rc(0, 0, 100, 100);
    auto at = [](int theta) {
        const double phi = theta * 3.1415926536 * (1.0 / 180.0);
        return CPoint(50 + (int)std::floor(std::sin(phi) * 50),
                      50 - (int)std::floor(std::cos(phi) * 50));
    };
    const CPoint tl(0, 0), tr(100, 0), br(100, 100), bl(0, 100);
    struct Case {
        int start, sweep;
        std::vector<CPoint> corners;
        bool rest;  // a negative sweep keeps the rest of the ellipse
    } cases[] = {
        {0, 90, {tr, br}, false},
        {30, 240, {tr, br, bl}, false},
        {120, 180, {br, bl, tl}, false},
        {150, 290, {br, bl, tl, tr}, false},
        {150, 300, {br}, false},  // ends exactly at 90: the rules stop after the first corner
        {200, 200, {bl, tl, tr}, false},
        {200, 250, {bl, tl, tr, br}, false},
        {240, 60, {bl, tl}, false},
        {300, 250, {tl, tr, br, bl}, false},
        {-30, 60, {tl, tr}, false},
        {90, -45, {tr}, true},
        {65536 + 90, 65536 - 45, {tr}, true},  // 16-bit angles: 90 and -45
        {45, 350, {tr}, false},                // the sweep ending before the start: kept as is
    };
    CRgn ellipse;
    ellipse.CreateEllipticRgnIndirect(&rc);
    CRgn box;
    box.CreateRectRgnIndirect(&rc);
    for (const Case& c : cases) {
        const int s = ((int)(short)(c.start & 0xFFFF)) % 360;
        const int e = ((int)(short)(c.sweep & 0xFFFF) + s) % 360;
        std::vector<CPoint> pts = {CPoint(50, 50), at(s)};
        pts.insert(pts.end(), c.corners.begin(), c.corners.end());
        pts.push_back(at(e));
        CRgn polygon, expected;
        polygon.CreatePolygonRgn(pts.data(), (int)pts.size(), WINDING);
        expected.CreateRectRgn(0, 0, 0, 0);
        expected.CombineRgn(&polygon, &ellipse, RGN_AND);
        if (c.rest) {
            expected.CombineRgn(&box, &expected, RGN_DIFF);
            expected.CombineRgn(&expected, &ellipse, RGN_AND);
        }
        CArcElement* arc = MakeArc(VERB_ACTIVE, rc, c.start, c.sweep);
        ASSERT_NE(nullptr, arc->region) << "start " << c.start;
        EXPECT_TRUE(arc->region->EqualRgn(&expected))
            << "start " << c.start << ", sweep " << c.sweep
            << ": region differs from the wedge with " << c.corners.size() << " corners";
        CRgn built;
        arc->BuildArcRegion(&built, &rc);
        EXPECT_TRUE(built.EqualRgn(arc->region)) << "BuildArcRegion gives the active region";
    }
    // The 90-degree point lies one unit below the centre line (pi rounded up, floor).
    EXPECT_EQ(CPoint(100, 51), at(90));
}

TEST_F(ShapeTest, HostileSizesFinishAndDrawWhatShows)
{
    const int kMin = INT_MIN, kMax = INT_MAX;
    struct Case {
        Kind kind;
        int verb;
        int pen;
        CRect bounds;
        COLORREF centre;  // at (40, 30) of an 80 x 60 canvas
    } cases[] = {
        {kRect, VERB_PAINT, 1, CRect(kMin, kMin, kMax, kMax), kRed},
        {kRect, VERB_FRAME, 1, CRect(kMin, kMin, kMax, kMax), kWhite},
        {kRect, VERB_ERASE, 1, CRect(kMax, kMax, kMin, kMin), kBlue},
        {kRect, VERB_INVERT, 1, CRect(kMin, kMin, kMax, kMax), kBlack},
        {kRect, VERB_FRAME, 1000000, CRect(0, 0, 80, 60), kRed},
        // Inset by half the pen, the right edge's stroke reaches back to x = 0.5.
        {kRect, VERB_FRAME, kMax, CRect(kMin, kMin, kMax, kMax), kRed},
        {kRect, VERB_FRAME, 1000000, CRect(kMin, kMin, kMax, kMax), kWhite},
        {kRect, VERB_PAINT, 1000000, CRect(-600000, -600000, 600000, 600000), kRed},
        {kOval, VERB_PAINT, 1, CRect(kMin, kMin, kMax, kMax), kRed},
        {kOval, VERB_FRAME, 1, CRect(-10000000, -10000000, 10000000, 10000000), kWhite},
        {kOval, VERB_INVERT, 1, CRect(kMin, kMin, kMax, kMax), kBlack},
        {kOval, VERB_FILL, 1, CRect(kMin, kMin, kMax, kMax), kRed},
        {kOval, VERB_FRAME, 1000000, CRect(0, 0, 80, 60), kRed},
        {kRoundRect, VERB_PAINT, 1, CRect(kMin, kMin, kMax, kMax), kRed},
        {kRoundRect, VERB_INVERT, 1, CRect(kMin, kMin, kMax, kMax), kBlack},
        {kRoundRect, VERB_ERASE, 1, CRect(0, 0, 80, 60), kBlue},  // huge corners below
        {kArc, VERB_PAINT, 1, CRect(kMin, kMin, kMax, kMax), kRed},
        {kArc, VERB_FRAME, 1, CRect(kMin, kMin, kMax, kMax), kWhite},
        {kArc, VERB_INVERT, 1, CRect(kMin, kMin, kMax, kMax), kBlack},
        {kArc, VERB_ACTIVE, 1, CRect(kMin, kMin, kMax, kMax), kWhite},
        {kArc, VERB_PAINT, 100000, CRect(0, 0, 80, 60), kRed},
    };
    GdiCountGuard guard("hostile sizes");
    for (const Case& c : cases) {
        DibCanvas canvas(80, 60);
        // Arcs sweep the right half, which holds the centre pixel of the canvas.
        CGraphicElement* e =
            Make(c.kind, State(c.pen, kRed, kBlue), c.verb, PAT_BLACK, c.bounds,
                 c.kind == kRoundRect ? kMax : 0, c.kind == kRoundRect ? kMin : 180);
        e->Draw(&canvas.Dc(), NULL);
        EXPECT_EQ(c.centre, canvas.Pixel(40, 30))
            << kKindNames[c.kind] << ", verb " << c.verb << ", pen " << c.pen << ", bounds "
            << Str(c.bounds) << ": the centre pixel";
    }
    // A metafile has no pixels to cut to: its clip box bounds the rows all the same.
    for (Kind kind : {kRect, kRoundRect, kOval, kArc}) {
        EmfRecorder rec;
        Make(kind, State(3), VERB_PAINT, PAT_EMPTY, CRect(kMin, kMin, kMax, kMax), 0, 180)
            ->Draw(&rec.Dc(), NULL);
        EXPECT_LE(rec.Count(EMR_POLYGON) + rec.Count(EMR_POLYGON16) + rec.Count(EMR_RECTANGLE), 1)
            << kKindNames[kind] << ": one call for a huge shape in a metafile\n"
            << rec.Describe();
    }
    // Regions too large to build are left out; a rectangle's is always made.
    EXPECT_EQ(nullptr,
              Make(kOval, State(1), VERB_ACTIVE, 1, CRect(kMin, kMin, kMax, kMax))->region);
    EXPECT_EQ(nullptr,
              Make(kRoundRect, State(1), VERB_CLICK, 1, CRect(kMin, kMin, kMax, kMax))->region);
    EXPECT_NE(nullptr, Make(kRect, State(1), VERB_CLICK, 1, CRect(kMin, kMin, kMax, kMax))->region);
    m_elements.clear();
}

TEST_F(ShapeTest, DrawingGivesBackEveryObjectAndLeavesTheContextAsItWas)
{
    DibCanvas canvas(200, 100);
    CDC& dc = canvas.Dc();
    HGDIOBJ pen = ::GetCurrentObject(dc.m_hDC, OBJ_PEN);
    HGDIOBJ brush = ::GetCurrentObject(dc.m_hDC, OBJ_BRUSH);
    const int rop = dc.GetROP2(), bkMode = dc.GetBkMode();
    GdiCountGuard guard("every shape, verb and pattern");
    for (Kind kind : {kRect, kRoundRect, kOval, kArc}) {
        for (int verb = VERB_EMPTY; verb <= VERB_CLICK; ++verb) {
            for (int pattern = PAT_EMPTY; pattern <= PAT_BLACK; ++pattern)
                Make(kind, State(3, kRed), verb, pattern, CRect(10, 10, 90, 60), 45, 200)
                    ->Draw(&dc, NULL);
        }
    }
    m_elements.clear();
    EXPECT_EQ(pen, ::GetCurrentObject(dc.m_hDC, OBJ_PEN)) << "the pen is put back";
    EXPECT_EQ(brush, ::GetCurrentObject(dc.m_hDC, OBJ_BRUSH)) << "the brush is put back";
    EXPECT_EQ(rop, dc.GetROP2());
    EXPECT_EQ(bkMode, dc.GetBkMode());
    EXPECT_EQ(0, guard.GdiObjectsDelta()) << "regions, pens and brushes all deleted";
}

TEST(LargeCurves, PolygonsFollowGdisOwnCurvesWithinAPixel)
{
    // Curves GDI can still draw, drawn both ways: the row-by-row polygons must match GDI's
    // pixels but for a seam along the outline and the radial lines.
    const ShapeRect rc = {-300, -200, 150, 120};  // the outline crosses the canvas
    struct Case {
        CurveKind kind;
        POINT first, second;
    } cases[] = {
        {CURVE_ELLIPSE, {0, 0}, {0, 0}},      {CURVE_ROUNDRECT, {0, 0}, {0, 0}},
        {CURVE_PIE, {150, -40}, {-75, -200}},  // 3 o'clock round to 12 o'clock, counter-clockwise
        {CURVE_PIE, {-75, -200}, {150, -40}},  // the other three quarters
        {CURVE_PIE, {-300, 120}, {150, 120}},  // a wedge through the bottom corners
        {CURVE_PIE, {150, 0}, {150, -80}},     // a thin wedge round from just below 3 o'clock
        {CURVE_ARC, {150, -40}, {-75, -200}}, {CURVE_ARC, {0, 120}, {150, 0}},
    };
    GdiCountGuard guard("large curves");
    for (const Case& c : cases) {
        DibCanvas gdi(200, 150), ours(200, 150);
        CurveSpec curve = {c.kind, rc, 200, 140, c.first, c.second};
        for (DibCanvas* canvas : {&gdi, &ours}) {
            CPen pen(PS_SOLID, 3, kRed);
            CBrush brush(kBlue);
            CPen* pOldPen = canvas->Dc().SelectObject(&pen);
            CBrush* pOldBrush = canvas->Dc().SelectObject(&brush);
            if (canvas == &ours) {
                DrawLargeCurve(&canvas->Dc(), curve, 4);
            } else {
                CDC& dc = canvas->Dc();
                switch (c.kind) {
                case CURVE_ELLIPSE:
                    dc.Ellipse(-300, -200, 150, 120);
                    break;
                case CURVE_ROUNDRECT:
                    dc.RoundRect(-300, -200, 150, 120, 200, 140);
                    break;
                case CURVE_PIE:
                    dc.Pie(-300, -200, 150, 120, c.first.x, c.first.y, c.second.x, c.second.y);
                    break;
                case CURVE_ARC:
                    dc.Arc(-300, -200, 150, 120, c.first.x, c.first.y, c.second.x, c.second.y);
                    break;
                }
            }
            canvas->Dc().SelectObject(pOldPen);
            canvas->Dc().SelectObject(pOldBrush);
        }
        int differ = 0;
        for (int y = 0; y < 150; ++y) {
            for (int x = 0; x < 200; ++x)
                differ += gdi.Pixel(x, y) != ours.Pixel(x, y);
        }
        // A seam: fewer differing pixels than half of GDI's outline pixels.
        const int outline = gdi.CountPixels(kRed);
        EXPECT_LE(differ, std::max(5, outline / 2))
            << "curve kind " << c.kind << ": pixels differing from GDI's, against " << outline
            << " outline pixels";
        EXPECT_EQ(gdi.CountPixels(kBlue) > 0, ours.CountPixels(kBlue) > 0)
            << "curve kind " << c.kind;
        if (differ > std::max(5, outline / 2)) {
            gdi.SaveBmp("large_curve_gdi.bmp");
            ours.SaveBmp("large_curve_ours.bmp");
        }
    }
}

// Through the exports, in real windows.
class ShapeViewTest : public ViewFixture
{
protected:
    ShapeViewTest() : ViewFixture(700, 360) {}
};

TEST_F(ShapeViewTest, ExportsDecodeTheWordsAndAppendOneElementEach)
{
    GdiCountGuard guard("shape exports");
    CGraphicView* v = NewView();
    GRAF_SHAPE shape;
    shape.verb = "frame";
    shape.pattern = "gray";
    shape.rect = CRect(10, 10, 60, 40);
    Grafic_Dll_Rectangle(v, &shape);
    EXPECT_STREQ("FRAME", (LPCTSTR)shape.verb) << "the host's verb string is upper-cased";
    EXPECT_STREQ("GRAY", (LPCTSTR)shape.pattern) << "the host's pattern string is upper-cased";

    GRAF_ARC arc = {30, -60, shape};
    arc.shape.verb = "click";
    arc.shape.pattern = "12";
    Grafic_Dll_Arc(v, &arc);
    GRAF_ROUNDRECT round = {20, 10, shape};
    round.shape.verb = "Active";
    round.shape.pattern = "7";
    Grafic_Dll_Round_Rectangle(v, &round);
    shape.verb = "fill";
    shape.pattern = "dk";
    Grafic_Dll_Oval(v, &shape);
    ASSERT_EQ(4, Grafic_Dll_GetNbElement(v));
    CGraphicElement* e[4];
    for (int i = 0; i < 4; ++i)
        e[i] = v->m_displayList.GetElement(i);
    EXPECT_TRUE(e[0]->IsRect());
    EXPECT_TRUE(e[1]->IsArc());
    EXPECT_TRUE(e[2]->IsRoundRect());
    EXPECT_TRUE(e[3]->IsOval());
    EXPECT_EQ(VERB_CLICK, e[1]->verb);
    EXPECT_EQ(12, e[1]->pattern) << "the click arc's region identifier";
    EXPECT_STREQ("12", (LPCTSTR)arc.shape.pattern);
    CArcElement* a = static_cast<CArcElement*>(e[1]);
    EXPECT_EQ(30, a->startAngle);
    EXPECT_EQ(-60, a->arcAngle);
    CRoundRectElement* r = static_cast<CRoundRectElement*>(e[2]);
    EXPECT_EQ(20, r->cornerWidth);
    EXPECT_EQ(10, r->cornerHeight);
    EXPECT_EQ(VERB_ACTIVE, r->verb);
    EXPECT_EQ(PAT_DKGRAY, e[3]->pattern);
    EXPECT_EQ(VERB_FILL, e[3]->verb);
    EXPECT_EQ(CRect(10, 10, 60, 40), e[3]->bounds);

    Grafic_Dll_Rectangle(NULL, &shape);
    Grafic_Dll_Oval(v, NULL);
    Grafic_Dll_Round_Rectangle(v, NULL);
    Grafic_Dll_Arc(NULL, &arc);
    EXPECT_EQ(4, Grafic_Dll_GetNbElement(v)) << "a null view or block appends nothing";
    v->DestroyWindow();
    PumpMessages();
}

TEST_F(ShapeViewTest, InversionInAScrolledViewLandsWhereTheShapeIs)
{
    for (Kind kind : {kRect, kRoundRect, kOval, kArc}) {
        CGraphicView* v = NewView(CRect(0, 0, 300, 200));
        GRAF_SHAPE distant;
        distant.verb = "erase";
        distant.pattern = "";
        distant.rect = CRect(900, 900, 910, 910);
        Grafic_Dll_Rectangle(v, &distant);  // a scroll range
        v->ScrollToPosition(CPoint(100, 40));
        PumpMessages();
        ASSERT_EQ(CPoint(100, 40), v->GetScrollPosition());

        GRAF_SHAPE shape;
        shape.verb = "invert";
        shape.pattern = "";
        shape.rect = CRect(150, 60, 250, 160);
        GRAF_ROUNDRECT round = {20, 20, shape};
        GRAF_ARC arc = {0, 360, shape};
        switch (kind) {
        case kRect:
            Grafic_Dll_Rectangle(v, &shape);
            break;
        case kRoundRect:
            Grafic_Dll_Round_Rectangle(v, &round);
            break;
        case kOval:
            Grafic_Dll_Oval(v, &shape);
            break;
        case kArc:
            arc.arcAngle = 180;
            Grafic_Dll_Arc(v, &arc);
            break;
        }
        DibCanvas shot(300, 200);
        ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
        // Document (200, 110) is client (100, 70); the arc's right half holds (225, 110).
        const CPoint inside = kind == kArc ? CPoint(125, 70) : CPoint(100, 70);
        EXPECT_EQ(kBlack, shot.Pixel(inside.x, inside.y))
            << kKindNames[kind] << ": inverted at once where the view shows it";
        EXPECT_EQ(kWhite, shot.Pixel(20, 20)) << kKindNames[kind] << ": nothing else inverted";

        // The hover highlight of an active shape inverts its region on the scrolled context.
        shape.verb = "active";
        shape.pattern = "5";
        shape.rect = CRect(130, 140, 170, 180);  // client (30, 100, 70, 140)
        Grafic_Dll_Oval(v, &shape);
        CGraphicElement* active = v->m_displayList.GetElement(v->m_displayList.GetSize() - 1);
        CDC* pDC = v->GetScrolledDC();
        ASSERT_NE(nullptr, pDC);
        active->Highlight(pDC);
        v->ReleaseDC(pDC);
        ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
        EXPECT_EQ(kBlack, shot.Pixel(50, 120))
            << kKindNames[kind] << ": highlight where the region is";
        v->DestroyWindow();
        PumpMessages();
    }
}

TEST_F(ShapeViewTest, SamplerDrawnAtOnceEqualsItsRepaint)
{
    GdiCountGuard guard("sampler picture");
    const RECT picture = sampler::PictureBounds();
    CGraphicView* v = NewView(CRect(0, 0, picture.right + 40, picture.bottom + 40));
    sampler::DrawSamplerShapes(v);
    DibCanvas atOnce(picture.right, picture.bottom, RGB(1, 2, 3));
    ASSERT_TRUE(CaptureClient(v->m_hWnd, atOnce));

    DibCanvas repaint(picture.right, picture.bottom, RGB(1, 2, 3));
    Grafic_Dll_RepaintView(v, &repaint.Dc());
    CRect client;
    v->GetClientRect(&client);
    int differ = 0;
    CPoint first(-1, -1);
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            if (atOnce.Pixel(x, y) != repaint.Pixel(x, y)) {
                if (differ++ == 0)
                    first = CPoint(x, y);
            }
        }
    }
    if (differ != 0) {
        atOnce.SaveBmp("shapes_sampler_at_once.bmp");
        repaint.SaveBmp("shapes_sampler_repaint.bmp");
    }
    EXPECT_EQ(0, differ) << "pixels differing between drawing at once and RepaintView; first at "
                         << Str(first) << " (both pictures written beside the test as .bmp)";
    EXPECT_GT(repaint.CountPixels(kBlack), 1000) << "the picture shows shapes";
    v->DestroyWindow();
    PumpMessages();
}
