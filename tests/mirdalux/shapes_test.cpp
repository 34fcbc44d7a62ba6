// The closed shapes: pixels of every verb in a DIB section, the GDI calls they make (metafile
// records), inverted extents, radial points and wedge regions, active regions, hostile sizes,
// and through the exports, inversion and highlighting in a scrolled view.
#include "TestShape.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "elements/ArcElement.h"
#include "elements/OvalElement.h"
#include "elements/RectElement.h"
#include "elements/RoundRectElement.h"
#include "elements/ShapeDrawing.h"

class ShapeTest : public DrawingElementTest
{
protected:
    // A row's name: the kind, the verb and one more number (the pen, or another when named).
    static std::string What(ShapeKind kind, int verb, int n, const char* of = "pen")
    {
        return std::string(kShapeNames[kind]) + ", verb " + std::to_string(verb) + ", " + of + " " +
               std::to_string(n);
    }
    // a, b: the corner width and height of a rounded rectangle, the start and sweep of an arc.
    CGraphicElement* Make(ShapeKind kind, int state, int verb, int pattern, const RECT& rc,
                          int a = 16, int b = 12)
    {
        const ShapeParams p = {verb, rc.left, rc.top, rc.right, rc.bottom, pattern};
        const RoundRectParams round = {p, a, b};
        const ArcParams arc = {p, a, b};
        if (kind == kRect)
            return Keep<CGraphicElement>(new CRectElement(state, &p));
        if (kind == kOval)
            return Keep<CGraphicElement>(new COvalElement(state, &p));
        if (kind == kRoundRect)
            return Keep<CGraphicElement>(new CRoundRectElement(state, &round));
        return Keep<CGraphicElement>(new CArcElement(state, &arc));
    }
};

// What a shape covers of its bounds (0, 0, 100, 100): a frame a band of the pen's width at each
// side of the middle row, inside the bounds, and nothing between; erasing and filling, without
// outline, every pixel in the fill colour, GDI's curves growing by one unit at most.
TEST_F(ShapeTest, FramesAndFillsCoverTheirBounds)
{
    // clang-format off
    struct Case { int verb, pattern, pen; COLORREF fill; } cases[] = {
        {VERB_FRAME, PAT_EMPTY, 1, kWhite}, {VERB_FRAME, PAT_EMPTY, 2, kWhite},
        {VERB_FRAME, PAT_EMPTY, 3, kWhite}, {VERB_FRAME, PAT_EMPTY, 4, kWhite},
        {VERB_ERASE, PAT_EMPTY, 5, kBlue},  // the state's background colour
        {VERB_FILL, PAT_BLACK, 5, kRed},    // the foreground colour
        {VERB_FILL, PAT_WHITE, 5, kBlue},   // as erase
    };
    // clang-format on
    const CRect rc(0, 0, 100, 100);
    for (const Case& c : cases) {
        for (ShapeKind kind : {kRect, kRoundRect, kOval}) {
            const bool frame = c.verb == VERB_FRAME;
            if (frame && kind == kOval)
                continue;
            SCOPED_TRACE(What(kind, c.verb, c.pen) + ", pattern " + std::to_string(c.pattern));
            DibCanvas canvas(120, 120);
            Make(kind, State(c.pen, kRed, kBlue), c.verb, c.pattern, rc)->Draw(&canvas.Dc(), NULL);
            const CRect box = canvas.BoundsOfOther(kWhite);
            const int most = kind == kRect || frame ? 0 : 1;
            const CRect largest(0, 0, 100 + most, 100 + most);
            EXPECT_TRUE((box | rc) == box && (box | largest) == largest) << Str(box);
            for (int x = 0; x < 100; ++x) {
                const bool inBand = frame && (x < c.pen || x >= 100 - c.pen);
                EXPECT_EQ(inBand ? kRed : c.fill, canvas.Pixel(x, 50)) << "column " << x;
            }
            EXPECT_TRUE(kind != kRect || frame || canvas.CountPixels(c.fill) == 100 * 100)
                << "a filled rectangle: every pixel of the bounds";
        }
    }
}

// Inverting takes a rectangle's bounds, the rounded rectangle's and oval's regions of the bounds
// as stored, the arc's wedge of the rectangle one unit larger. Of the active and click regions the
// rounded rectangle's is one unit larger than its inversion, the oval's and rectangle's not.
TEST_F(ShapeTest, InvertedExtentsAndRegionsPerShape)
{
    const CRect bounds(10, 10, 50, 40), grown(10, 10, 51, 41);
    CRgn oval, round, grownOval, rect, activeRound;
    oval.CreateEllipticRgnIndirect(&bounds);
    round.CreateRoundRectRgn(10, 10, 50, 40, 16, 12);
    grownOval.CreateEllipticRgnIndirect(&grown);
    rect.CreateRectRgnIndirect(&bounds);
    activeRound.CreateRoundRectRgn(0, 0, 101, 51, 20, 10);
    CRect ovalBox, roundBox, g;
    oval.GetRgnBox(&ovalBox), round.GetRgnBox(&roundBox), grownOval.GetRgnBox(&g);
    ASSERT_NE(g, ovalBox) << "the test needs ellipses that differ by the growth";
    // clang-format off
    struct Case { ShapeKind kind; int a, b; CRect expected; } cases[] = {
        {kRect, 16, 12, bounds},  // InvertRect of bounds, no one-unit growth
        {kRoundRect, 16, 12, roundBox}, {kOval, 16, 12, ovalBox},
        // The right half (0 to 180 degrees) reaches as far right and down as the larger ellipse.
        {kArc, 0, 180, CRect(30, g.top, g.right, g.bottom)},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(kShapeNames[c.kind]);
        DibCanvas canvas(80, 60);
        Make(c.kind, State(1), VERB_INVERT, PAT_EMPTY, bounds, c.a, c.b)->Draw(&canvas.Dc(), NULL);
        EXPECT_EQ(Str(c.expected), Str(canvas.BoundsOfOther(kWhite)));
        EXPECT_EQ(kBlack, canvas.Pixel(40, 25)) << "white became black";
    }
    CGraphicElement* active =
        Make(kRoundRect, State(1), VERB_ACTIVE, 3, CRect(0, 0, 100, 50), 20, 10);
    CGraphicElement* activeOval = Make(kOval, State(1), VERB_ACTIVE, 3, bounds);
    CGraphicElement* click = Make(kRect, State(1), VERB_CLICK, 4, bounds);
    ASSERT_TRUE(active->region && activeOval->region && click->region);
    ExpectAll(
        {{"active rounded rectangle: one unit larger", active->region->EqualRgn(&activeRound)},
         {"active oval: the ellipse of its bounds", activeOval->region->EqualRgn(&oval)},
         {"click rectangle: its bounds", click->region->EqualRgn(&rect)}});
}

TEST_F(ShapeTest, MetafileRecordsTheBoxAndTheRadialPointsEndFirst)
{
    // box: the call's rectangle as the metafile keeps it, normalised, right and bottom inclusive.
    // clang-format off
    struct Case { ShapeKind kind; int verb, pen; CRect rc; DWORD record; CRect box; } cases[] = {
        {kRect, VERB_FRAME, 1, CRect(0, 0, 100, 100), EMR_RECTANGLE, CRect(0, 0, 99, 99)},
        {kRect, VERB_FRAME, 3, CRect(0, 0, 100, 100), EMR_RECTANGLE, CRect(1, 1, 98, 98)},
        {kRect, VERB_PAINT, 4, CRect(0, 0, 100, 100), EMR_RECTANGLE, CRect(2, 2, 98, 98)},
        {kRect, VERB_ERASE, 3, CRect(0, 0, 100, 100), EMR_RECTANGLE, CRect(0, 0, 100, 100)},
        {kRect, VERB_FILL, 3, CRect(100, 100, 0, 0), EMR_RECTANGLE, CRect(1, 1, 99, 99)},
        {kOval, VERB_FRAME, 2, CRect(0, 0, 60, 40), EMR_ELLIPSE, CRect(1, 1, 59, 39)},
        {kOval, VERB_ACTIVE, 2, CRect(0, 0, 60, 40), EMR_ELLIPSE, CRect(0, 0, 60, 40)},
        {kRoundRect, VERB_FILL, 1, CRect(5, 6, 70, 50), EMR_ROUNDRECT, CRect(5, 6, 70, 50)},
        {kArc, VERB_FRAME, 1, CRect(0, 0, 100, 100), EMR_ARC, CRect(0, 0, 99, 99)},
        {kArc, VERB_PAINT, 1, CRect(0, 0, 100, 100), EMR_PIE, CRect(0, 0, 99, 99)},
        {kArc, VERB_CLICK, 1, CRect(0, 0, 100, 100), EMR_PIE, CRect(0, 0, 100, 100)},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(What(c.kind, c.verb, c.pen));
        EmfRecorder rec;
        Make(c.kind, State(c.pen), c.verb, PAT_BLACK, c.rc, 0, 90)->Draw(&rec.Dc(), NULL);
        const EmfRecord* r = rec.First(c.record);
        ASSERT_NE(nullptr, r) << rec.Describe();
        EXPECT_EQ(1, rec.Count(c.record));
        EXPECT_EQ(Str(c.box), Str(CRect(r->Long(0), r->Long(1), r->Long(2), r->Long(3))));
        if (c.record == EMR_ARC || c.record == EMR_PIE)
            ExpectValues({{"arcEnd (3 o'clock) first: x", 100, r->Long(4)},
                          {"y", 50, r->Long(5)},
                          {"arcStart (12 o'clock) second: x", 50, r->Long(6)},
                          {"y", 0, r->Long(7)}});
        if (c.record == EMR_ROUNDRECT)
            ExpectValues({{"corner width", 0, r->Long(4)}, {"corner height", 90, r->Long(5)}});
    }
}

// An arc's wedge on (0, 0, 100, 100) runs clockwise from its start (0 at 12 o'clock). Per row: the
// radial points GDI gets (x -1: not checked; any stays on the bounds); the corners the active
// region's wedge takes in before the ellipse cuts it (none: not checked; rest: a negative sweep
// keeps the rest of the ellipse); painted, filled and inverted, a point 30 units from the centre
// at angle inside covered and one at outside not (-1: not drawn).
TEST_F(ShapeTest, ArcWedgesRunClockwiseFromTheStart)
{
    const CRect rc(0, 0, 100, 100);
    const CPoint tl(0, 0), tr(100, 0), br(100, 100), bl(0, 100);
    const POINT no = {-1, -1};
    // clang-format off
    struct Case {
        int start, sweep; POINT arcStart, arcEnd; std::vector<CPoint> corners; bool rest;
        int inside, outside;
    } cases[] = {
        {0, 90, {50, 0}, {100, 50}, {tr, br}, false, 45, 135},
        {90, 90, {100, 50}, {50, 100}, {}, false, 135, 45},
        {180, 90, {50, 100}, {0, 50}, {}, false, 225, 135},
        {270, 90, {0, 50}, {50, 0}, {}, false, 315, 225},
        {90, -45, {100, 50}, {85, 15}, {tr}, true, 180, 70},
        {0, -90, {50, 0}, {0, 50}, {}, false, 90, 315},
        {450, 0, {100, 50}, {100, 50}, {}, false, -1, -1},
        {-90, 180, {0, 50}, {100, 50}, {}, false, 0, 180},
        {INT_MAX, 1, no, no, {}, false, -1, -1},  // the 32-bit sum wraps
        {450, 90, no, no, {}, false, 135, 45},
        {30, 240, no, no, {tr, br, bl}, false, 180, 320},
        {120, 180, no, no, {br, bl, tl}, false, 210, 30},
        {150, 290, no, no, {br, bl, tl, tr}, false, -1, -1},
        {150, 300, no, no, {br}, false, -1, -1},  // ends at 90: the rules stop after one corner
        {200, 200, no, no, {bl, tl, tr}, false, 300, 120},
        {200, 250, no, no, {bl, tl, tr, br}, false, -1, -1},
        {240, 60, no, no, {bl, tl}, false, 270, 90},
        {300, 250, no, no, {tl, tr, br, bl}, false, -1, -1},
        {-30, 60, no, no, {tl, tr}, false, 0, 180},
        {65536 + 90, 65536 - 45, no, no, {tr}, true, -1, -1},  // 16-bit angles: 90 and -45
        {45, 350, no, no, {tr}, false, -1, -1},  // the sweep ending before the start: kept as is
    };
    // clang-format on
    CRgn ellipse, box;
    ellipse.CreateEllipticRgnIndirect(&rc);
    box.CreateRectRgnIndirect(&rc);
    auto at = [](int theta) {
        const double phi = theta * 3.1415926536 * (1.0 / 180.0);
        return CPoint(50 + (int)std::floor(std::sin(phi) * 50),
                      50 - (int)std::floor(std::cos(phi) * 50));
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("start " + std::to_string(c.start) + ", sweep " + std::to_string(c.sweep));
        CArcElement* arc =
            static_cast<CArcElement*>(Make(kArc, State(1), VERB_ACTIVE, 0, rc, c.start, c.sweep));
        for (const POINT& p : {arc->arcStart, arc->arcEnd})
            EXPECT_TRUE(p.x >= 0 && p.x <= 100 && p.y >= 0 && p.y <= 100) << Str(p);
        if (c.arcStart.x >= 0) {
            EXPECT_EQ(Str(c.arcStart) + Str(c.arcEnd), Str(arc->arcStart) + Str(arc->arcEnd));
        }
        if (!c.corners.empty()) {
            // The region takes the angles as 16-bit values reduced modulo 360.
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
            ASSERT_NE(nullptr, arc->region);
            EXPECT_TRUE(arc->region->EqualRgn(&expected))
                << "region differs from the wedge with " << c.corners.size() << " corners";
        }
        for (int verb : {VERB_PAINT, VERB_FILL, VERB_INVERT}) {
            // The inverted wedge follows the region's corner rules, which do not cover an end
            // angle below 0 (start 0, sweep -90).
            if (c.inside < 0 || (verb == VERB_INVERT && c.start + c.sweep < 0))
                continue;
            SCOPED_TRACE("verb " + std::to_string(verb));
            DibCanvas canvas(110, 110);
            Make(kArc, State(1), verb, PAT_BLACK, rc, c.start, c.sweep)->Draw(&canvas.Dc(), NULL);
            auto pixelAt = [&](int angle) {
                const double a = angle * 3.14159265358979 / 180.0;
                return canvas.Pixel(50 + (int)std::lround(std::sin(a) * 30),
                                    50 - (int)std::lround(std::cos(a) * 30));
            };
            EXPECT_EQ(kBlack, pixelAt(c.inside)) << c.inside << " degrees is in the wedge";
            EXPECT_EQ(kWhite, pixelAt(c.outside)) << c.outside << " degrees is outside";
        }
    }
}

TEST_F(ShapeTest, HostileSizesFinishAndDrawWhatShows)
{
    const int kMin = INT_MIN, kMax = INT_MAX;
    const CRect huge(kMin, kMin, kMax, kMax), canvasRect(0, 0, 80, 60);
    // centre: the pixel at (40, 30) of an 80 x 60 canvas.
    // clang-format off
    struct Case { ShapeKind kind; int verb, pen; CRect bounds; COLORREF centre; } cases[] = {
        {kRect, VERB_PAINT, 1, huge, kRed},           {kRect, VERB_FRAME, 1, huge, kWhite},
        {kRect, VERB_ERASE, 1, CRect(kMax, kMax, kMin, kMin), kBlue},
        {kRect, VERB_INVERT, 1, huge, kBlack},
        {kRect, VERB_FRAME, 1000000, canvasRect, kRed},
        // Inset by half the pen, the right edge's stroke reaches back to x = 0.5.
        {kRect, VERB_FRAME, kMax, huge, kRed},        {kRect, VERB_FRAME, 1000000, huge, kWhite},
        {kRect, VERB_PAINT, 1000000, CRect(-600000, -600000, 600000, 600000), kRed},
        {kOval, VERB_PAINT, 1, huge, kRed},
        {kOval, VERB_FRAME, 1, CRect(-10000000, -10000000, 10000000, 10000000), kWhite},
        {kOval, VERB_INVERT, 1, huge, kBlack},        {kOval, VERB_FILL, 1, huge, kRed},
        {kOval, VERB_FRAME, 1000000, canvasRect, kRed},
        {kRoundRect, VERB_PAINT, 1, huge, kRed},      {kRoundRect, VERB_INVERT, 1, huge, kBlack},
        {kRoundRect, VERB_ERASE, 1, canvasRect, kBlue},  // huge corners below
        {kArc, VERB_PAINT, 1, huge, kRed},            {kArc, VERB_FRAME, 1, huge, kWhite},
        {kArc, VERB_INVERT, 1, huge, kBlack},         {kArc, VERB_ACTIVE, 1, huge, kWhite},
        {kArc, VERB_PAINT, 100000, canvasRect, kRed},
    };
    // clang-format on
    GdiCountGuard guard("hostile sizes");
    for (const Case& c : cases) {
        SCOPED_TRACE(What(c.kind, c.verb, c.pen) + ", bounds " + Str(c.bounds));
        DibCanvas canvas(80, 60);
        // Arcs sweep the right half, which holds the centre pixel of the canvas.
        Make(c.kind, State(c.pen, kRed, kBlue), c.verb, PAT_BLACK, c.bounds,
             c.kind == kRoundRect ? kMax : 0, c.kind == kRoundRect ? kMin : 180)
            ->Draw(&canvas.Dc(), NULL);
        EXPECT_EQ(c.centre, canvas.Pixel(40, 30)) << "the centre pixel";
    }
    // A metafile has no pixels to cut to: its clip box bounds the rows all the same.
    for (ShapeKind kind : {kRect, kRoundRect, kOval, kArc}) {
        EmfRecorder rec;
        Make(kind, State(3), VERB_PAINT, PAT_EMPTY, huge, 0, 180)->Draw(&rec.Dc(), NULL);
        EXPECT_LE(rec.Count(EMR_POLYGON) + rec.Count(EMR_POLYGON16) + rec.Count(EMR_RECTANGLE), 1)
            << kShapeNames[kind] << ": one call for a huge shape in a metafile\n"
            << rec.Describe();
    }
    // Regions too large to build are left out; a rectangle's is always made.
    ExpectAll({{"no oval region", !Make(kOval, State(1), VERB_ACTIVE, 1, huge)->region},
               {"no rounded region", !Make(kRoundRect, State(1), VERB_CLICK, 1, huge)->region},
               {"a rectangle region", Make(kRect, State(1), VERB_CLICK, 1, huge)->region}});
    m_elements.clear();
}

// Every kind, verb and pattern: outside the clip box a shape records nothing (it tests its
// visibility before any GDI call); where it shows, it leaves the context's objects and modes as
// they were and deletes every region, pen and brush it made.
TEST_F(ShapeTest, DrawingLeavesNothingBehind)
{
    DibCanvas canvas(200, 100);
    CDC& dc = canvas.Dc();
    const std::string settings = Settings(dc.m_hDC);
    EmfRecorder empty;
    empty.Dc().IntersectClipRect(0, 0, 20, 20);
    const std::string nothing = empty.Describe();
    GdiCountGuard guard("every shape, verb and pattern");
    for (ShapeKind kind : {kRect, kRoundRect, kOval, kArc}) {
        for (int verb = VERB_EMPTY; verb <= VERB_CLICK; ++verb) {
            for (int pattern = PAT_EMPTY; pattern <= PAT_BLACK; ++pattern) {
                SCOPED_TRACE(What(kind, verb, pattern, "pattern"));
                Make(kind, State(3, kRed), verb, pattern, CRect(10, 10, 90, 60), 45, 200)
                    ->Draw(&dc, NULL);
                EmfRecorder rec;
                rec.Dc().IntersectClipRect(0, 0, 20, 20);
                Make(kind, State(3, kRed), verb, pattern, CRect(40, 40, 90, 80), 45, 200)
                    ->Draw(&rec.Dc(), NULL);
                EXPECT_EQ(nothing, rec.Describe()) << "records for a shape outside the clip box";
            }
        }
    }
    m_elements.clear();
    EXPECT_EQ(settings, Settings(dc.m_hDC)) << "the objects and settings put back";
    EXPECT_EQ(0, guard.GdiObjectsDelta()) << "regions, pens and brushes all deleted";
}

TEST(LargeCurves, PolygonsFollowGdisOwnCurvesWithinAPixel)
{
    // Curves GDI can still draw, drawn both ways: the row-by-row polygons must match GDI's
    // pixels but for a seam along the outline and the radial lines.
    const ShapeRect rc = {-300, -200, 150, 120};  // the outline crosses the canvas
    // clang-format off
    struct Case { CurveKind kind; POINT first, second; } cases[] = {
        {CURVE_ELLIPSE, {0, 0}, {0, 0}},      {CURVE_ROUNDRECT, {0, 0}, {0, 0}},
        {CURVE_PIE, {150, -40}, {-75, -200}},  // 3 o'clock round to 12 o'clock, counter-clockwise
        {CURVE_PIE, {-75, -200}, {150, -40}},  // the other three quarters
        {CURVE_PIE, {-300, 120}, {150, 120}},  // a wedge through the bottom corners
        {CURVE_PIE, {150, 0}, {150, -80}},     // a thin wedge round from just below 3 o'clock
        {CURVE_ARC, {150, -40}, {-75, -200}}, {CURVE_ARC, {0, 120}, {150, 0}},
    };
    // clang-format on
    GdiCountGuard guard("large curves");
    CPen pen(PS_SOLID, 3, kRed);
    CBrush brush(kBlue);
    for (const Case& c : cases) {
        SCOPED_TRACE("curve kind " + std::to_string(c.kind));
        DibCanvas gdi(200, 150), ours(200, 150);
        CurveSpec curve = {c.kind, rc, 200, 140, c.first, c.second};
        for (DibCanvas* canvas : {&gdi, &ours}) {
            // The canvas puts its own pen and brush back before it goes.
            CDC& dc = canvas->Dc();
            dc.SelectObject(&pen);
            dc.SelectObject(&brush);
            if (canvas == &ours)
                DrawLargeCurve(&dc, curve, 4);
            else if (c.kind == CURVE_ELLIPSE)
                dc.Ellipse(-300, -200, 150, 120);
            else if (c.kind == CURVE_ROUNDRECT)
                dc.RoundRect(-300, -200, 150, 120, 200, 140);
            else if (c.kind == CURVE_PIE)
                dc.Pie(-300, -200, 150, 120, c.first.x, c.first.y, c.second.x, c.second.y);
            else
                dc.Arc(-300, -200, 150, 120, c.first.x, c.first.y, c.second.x, c.second.y);
        }
        const int differ = CountDifferences(gdi, ours), outline = gdi.CountPixels(kRed);
        EXPECT_LE(differ, std::max(5, outline / 2))
            << "pixels differing from GDI's, against " << outline << " outline pixels";
        EXPECT_EQ(gdi.CountPixels(kBlue) > 0, ours.CountPixels(kBlue) > 0) << "filled alike";
    }
}

// Through the exports, in real windows.
using ShapeViewTest = ViewsIn<700, 360>;

TEST_F(ShapeViewTest, InversionInAScrolledViewLandsWhereTheShapeIs)
{
    for (ShapeKind kind : {kRect, kRoundRect, kOval, kArc}) {
        SCOPED_TRACE(kShapeNames[kind]);
        CGraphicView* v = NewView(CRect(0, 0, 300, 200));
        AddShape(v, kRect, "erase", "", CRect(900, 900, 910, 910));  // a scroll range
        v->ScrollToPosition(CPoint(100, 40));
        PumpMessages();
        ASSERT_EQ(CPoint(100, 40), v->GetScrollPosition());
        AddShape(v, kind, "invert", "", CRect(150, 60, 250, 160));
        DibCanvas shot(300, 200);
        ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
        // Document (200, 110) is client (100, 70); the arc's right half holds (225, 110).
        EXPECT_EQ(kBlack, shot.Pixel(kind == kArc ? 125 : 100, 70)) << "inverted at once";
        EXPECT_EQ(kWhite, shot.Pixel(20, 20)) << "nothing else inverted";

        // An active shape's export takes the pattern word as its region identifier; its hover
        // highlight inverts the region on the scrolled context.
        AddShape(v, kind, "active", "5", CRect(130, 140, 170, 180));
        CGraphicElement* active = Last(v);
        ExpectValues({{"verb", VERB_ACTIVE, active->verb}, {"region id", 5, active->pattern}});
        CDC* pDC = v->GetScrolledDC();
        ASSERT_NE(nullptr, pDC);
        active->Highlight(pDC);
        v->ReleaseDC(pDC);
        ASSERT_TRUE(CaptureClient(v->m_hWnd, shot));
        // Document (160, 160) is client (60, 120), in the arc's right half too.
        EXPECT_EQ(kBlack, shot.Pixel(60, 120)) << "highlight where the region is";
        v->DestroyWindow();
        PumpMessages();
    }
}
