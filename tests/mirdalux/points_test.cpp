// Lines, polylines and polygons: bounds and end points as the host's points give them, the GDI
// calls made (metafile records) and the pixels drawn, every polygon verb on a self-intersecting
// star filled by the winding rule, hit regions, the exports' words, long point lists, the
// host's arrays left alone and extreme coordinates. Drawing at once as a repaint draws, with
// every object given back, is CHost.DrawsAtOnceWhatARepaintDraws.
#include "TestShape.h"

#include <climits>

#include "elements/LineElement.h"
#include "elements/PolygonElement.h"
#include "elements/PolylineElement.h"

namespace {

// A five-pointed star drawn in one stroke around (50, 50): its outline crosses itself, and the
// pentagon in the middle is wound twice, so the winding rule fills it and the alternate rule
// would not.
const std::vector<POINT> kStar = {{50, 5}, {76, 86}, {8, 36}, {92, 36}, {24, 86}};
const POINT kStarCentre = {50, 50};   // in the twice-wound pentagon
const POINT kStarTip = {50, 12};      // inside the top point, wound once
const POINT kStarOutside = {20, 15};  // outside the star, inside its bounds

// The vertices of the first record of this type (POLYLINE16, POLYGON16: bounds, count, then an
// x, y pair of shorts per DWORD) against pts.
void ExpectVertices(EmfRecorder& rec, DWORD type, const std::vector<POINT>& pts)
{
    const EmfRecord* r = rec.First(type);
    ASSERT_NE(nullptr, r) << rec.Describe();
    ASSERT_EQ(pts.size(), r->Param(4)) << "point count";
    for (size_t i = 0; i < pts.size(); ++i)
        EXPECT_EQ(MAKELONG(pts[i].x, pts[i].y), r->Long(5 + i)) << "vertex " << i;
}

}  // namespace

class PointElementTest : public DrawingElementTest
{
protected:
    CPolygonElement* Polygon(int state, int verb, int pattern, HostPoints& pts)
    {
        PolygonParams p = {verb, pattern, &pts.array};
        return Keep(new CPolygonElement(state, &p));
    }
};

TEST_F(PointElementTest, LineKeepsItsPointsAsBoundsAndDrawsFromStartToEnd)
{
    // painted: where the colour shows within probe (no pixel check when probe is empty).
    // clang-format off
    struct Row {
        const char* name; RECT pts; int pen; COLORREF fore; int mode; COLORREF shows;
        RECT probe, painted; int count;
    } rows[] = {
        {"back to the origin", {10, 10, 0, 0}, 1, kRed, R2_COPYPEN, kRed, {}, {}, 0},
        {"through negative coordinates", {-5, 70, 20, -3}, 1, kRed, R2_COPYPEN, kRed, {}, {}, 0},
        {"one wide: the end pixel left out", {2, 5, 20, 5}, 1, kBlack, R2_COPYPEN, kBlack,
         {0, 0, 80, 40}, {2, 5, 20, 6}, 18},
        {"five wide: five rows", {30, 20, 70, 20}, 5, kBlue, R2_COPYPEN, kBlue, {50, 0, 51, 40},
         {50, 18, 51, 23}, 5},
        {"R2_NOT inverts white", {2, 5, 20, 5}, 1, kRed, R2_NOT, kBlack, {0, 0, 80, 40},
         {2, 5, 20, 6}, 18},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CLineElement* line = Keep(new CLineElement(State(r.pen, r.fore, kWhite, r.mode), &r.pts));
        POINT end = {-1, -1};
        ExpectAll({{"bounds as passed, not normalised", line->bounds == CRect(r.pts)},
                   {"no verb, pattern -2", line->verb == VERB_NONE && line->pattern == -2},
                   {"no region", line->region == nullptr},
                   {"an end point", line->GetEndPoint(NULL, &end)},
                   {"at the second point", end.x == r.pts.right && end.y == r.pts.bottom}});
        EmfRecorder rec;
        line->Draw(&rec.Dc(), NULL);
        const EmfRecord *move = rec.First(EMR_MOVETOEX), *to = rec.First(EMR_LINETO);
        ASSERT_TRUE(move && to) << "a move and a line expected:\n" << rec.Describe();
        EXPECT_EQ(Str(CRect(r.pts)),
                  Str(CRect(move->Long(0), move->Long(1), to->Long(0), to->Long(1))))
            << "moved to the first point, a line to the second";
        if (::IsRectEmpty(&r.probe))
            continue;
        DibCanvas canvas(80, 40);
        line->Draw(&canvas.Dc(), NULL);
        EXPECT_EQ(CRect(r.painted), canvas.BoundsOf(r.shows, r.probe));
        EXPECT_EQ(r.count, canvas.CountPixels(r.shows, r.probe));
    }
}

TEST_F(PointElementTest, PolylineCopiesThePointsInOrderAndEndsAtTheLast)
{
    // clang-format off
    struct Row { const char* name; std::vector<POINT> pts; RECT bounds; } rows[] = {
        {"three points", {{10, 20}, {30, 5}, {25, 40}}, {10, 5, 30, 40}},
        {"all negative", {{-10, -20}, {-5, -1}}, {-10, -20, 0, 0}},
        {"beyond 65535", {{70000, 5}, {80000, 9}}, {65535, 5, 80000, 9}},
        {"one point", {{7, 8}}, {7, 8, 7, 8}}, {"empty", {}, {65535, 65535, 0, 0}},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        HostPoints host(r.pts);
        CPolylineElement* e = Keep(new CPolylineElement(State(1), &host.array));
        const bool some = !r.pts.empty();
        POINT end = {-1, -1};
        EXPECT_EQ(CRect(r.bounds), e->bounds) << Str(e->bounds);
        ASSERT_EQ(some, e->points != nullptr) << "a point array with points";
        ExpectAll({{"the count", e->pointCount == (int)r.pts.size()},
                   {"no region", e->region == nullptr},
                   {"an end point with points", !!e->GetEndPoint(NULL, &end) == some}});
        if (!some)
            continue;
        EXPECT_EQ(Str(r.pts.back()), Str(end)) << "the end point";
        EXPECT_NE((const void*)host.points.data(), (const void*)e->points) << "its own copy";
        for (size_t i = 0; i < r.pts.size(); ++i)
            EXPECT_EQ(Str(r.pts[i]), Str(e->points[i])) << "point " << i << " copied in order";
        e->ReleaseResources();
        EmfRecorder rec;
        e->Draw(&rec.Dc(), NULL);
        ExpectAll(
            {{"released: no points", e->points == nullptr},
             {"released: the count kept", e->pointCount == (int)r.pts.size()},
             {"released: no end point", !e->GetEndPoint(NULL, &end)},
             {"released: not drawn", rec.Count(EMR_POLYLINE16) + rec.Count(EMR_POLYLINE) == 0}});
    }
}

TEST_F(PointElementTest, PolylineDrawsThroughItsPointsUnlessOutsideTheClip)
{
    HostPoints host({{5, 5}, {35, 5}, {35, 25}});
    CPolylineElement* e = Keep(new CPolylineElement(State(1, kBlue), &host.array));
    DibCanvas canvas(60, 40);
    e->Draw(&canvas.Dc(), NULL);
    // Row 5 from x 5 to 35, then column 35 down to 24: the last pixel is left out.
    EXPECT_EQ(CRect(5, 5, 36, 25), canvas.BoundsOf(kBlue));
    EXPECT_EQ(31 + 19, canvas.CountPixels(kBlue));
    EmfRecorder rec;
    e->Draw(&rec.Dc(), NULL);
    ExpectVertices(rec, EMR_POLYLINE16, host.points);
    // The bounds widened by one, (4, 4, 36, 26), decide visibility: a clip from x 35 meets them,
    // one from x 36 does not.
    for (int edge : {35, 36}) {
        EmfRecorder clipped;
        clipped.Dc().IntersectClipRect(edge, 0, 200, 200);
        e->Draw(&clipped.Dc(), NULL);
        EXPECT_EQ(edge == 35 ? 1 : 0, clipped.Count(EMR_POLYLINE16))
            << "clip from x " << edge << "\n"
            << clipped.Describe();
    }
}

// Drawn verbs fill by the winding rule; region verbs draw nothing and are hit where it fills.
TEST_F(PointElementTest, PolygonVerbsOnAStarUseTheWindingRuleAndItsOwnPoints)
{
    HostPoints star(kStar), none({});
    // inside: the twice-wound middle and a point of the star; pen: shown on the top vertex.
    // clang-format off
    struct Row { const char* name; int verb, pattern; COLORREF inside; bool pen; } rows[] = {
        {"frame", VERB_FRAME, PAT_EMPTY, kWhite, true}, {"paint", VERB_PAINT, PAT_EMPTY, kBlue, true},
        {"erase", VERB_ERASE, PAT_EMPTY, kRed, false}, {"invert", VERB_INVERT, PAT_EMPTY, kBlack, false},
        {"fill black", VERB_FILL, PAT_BLACK, kBlue, false},
        {"active", VERB_ACTIVE, 42, kWhite, false}, {"click", VERB_CLICK, 42, kWhite, false},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        DibCanvas canvas(100, 100);
        canvas.Dc().SetPolyFillMode(ALTERNATE);
        CPolygonElement* e = Polygon(State(1, kBlue, kRed), r.verb, r.pattern, star);
        e->Draw(&canvas.Dc(), NULL);
        ExpectAll({{"centre", canvas.Pixel(kStarCentre.x, kStarCentre.y) == r.inside},
                   {"tip", canvas.Pixel(kStarTip.x, kStarTip.y) == r.inside},
                   {"outside", canvas.Pixel(kStarOutside.x, kStarOutside.y) == kWhite},
                   {"fill mode restored", canvas.Dc().GetPolyFillMode() == ALTERNATE},
                   {"pen on the top vertex", !r.pen || canvas.Pixel(50, 5) == kBlue}});
        if (r.verb == VERB_ACTIVE || r.verb == VERB_CLICK) {
            ASSERT_NE(nullptr, e->region);
            ExpectAll({{"the region identifier", e->pattern == 42},
                       {"a region shape", CGraphicView::IsRegionShape(e)},
                       {"wound twice, still hit", e->HitTest(&kStarCentre)},
                       {"a point hit", e->HitTest(&kStarTip)},
                       {"outside not hit", !e->HitTest(&kStarOutside)}});
            e->ReleaseResources();
            ExpectAll({{"released: no region", e->region == nullptr},
                       {"released: no points", e->points == nullptr},
                       {"released: not hit", !e->HitTest(&kStarCentre)}});
            continue;
        }
        EXPECT_EQ(nullptr, e->region) << "a drawn verb has no region";
        if (r.verb == VERB_INVERT)
            continue;  // inverted through a region, not drawn as a polygon
        // A wide pen is stroked on the points themselves: no inset, no extra unit.
        EmfRecorder rec;
        Polygon(State(5), r.verb, PAT_GRAY, star)->Draw(&rec.Dc(), NULL);
        const int at = rec.IndexOf(EMR_POLYGON16);
        const EmfRecord* mode = rec.First(EMR_SETPOLYFILLMODE);
        ASSERT_TRUE(mode && at >= 0) << rec.Describe();
        EXPECT_EQ((DWORD)WINDING, mode->Param(0));
        ExpectVertices(rec, EMR_POLYGON16, star.points);
        EXPECT_GE(rec.IndexOf(EMR_SETPOLYFILLMODE, at), 0) << "the previous mode set back";
    }
    CPolygonElement* empty = Polygon(State(1), VERB_CLICK, 3, none);
    ASSERT_NE(nullptr, empty->region);
    EmfRecorder rec;
    empty->Draw(&rec.Dc(), NULL);
    ExpectAll({{"no points: a region without a GDI object", !empty->region->GetSafeHandle()},
               {"no points: not hit", !empty->HitTest(&kStarCentre)},
               {"no points: nothing drawn", rec.Count(EMR_POLYGON16) == 0}});
}

// Each row draws on a white 100x100 canvas, which then shows colour exactly over where: polygon
// points far beyond what GDI fills in reasonable time, lines across the whole coordinate range.
// Under the undefined-behaviour build an overflow stops the program.
TEST_F(PointElementTest, ExtremeCoordinatesFinishAndDrawWhatShows)
{
    GdiCountGuard guard("extreme polygons and lines");
    // A triangle that holds the whole canvas, and one whose cut outline leaves it untouched.
    HostPoints huge({{-1000000000, -1000000000}, {1000000000, -900000000}, {50, 1000000000}});
    HostPoints away({{1000, 1000}, {5000000, 1000}, {1000, 5000000}});
    const CRect all(0, 0, 100, 100);
    auto polygon = [&](int verb, int pen, HostPoints& pts) {
        return [=, &pts](CDC& dc) {
            CPolygonElement* e = Polygon(State(pen, kBlack, kRed), verb, PAT_BLACK, pts);
            e->Draw(&dc, NULL);
            if (verb == VERB_CLICK) {
                EXPECT_TRUE(e->HitTest(&kStarCentre)) << "the huge click region is hit inside";
            }
        };
    };
    // clang-format off
    struct Row { const char* name; std::function<void(CDC&)> draw; COLORREF colour; CRect where; }
    rows[] = {
        {"framed triangle: the outline is far away", polygon(VERB_FRAME, 3, huge), kWhite, all},
        {"painted triangle", polygon(VERB_PAINT, 3, huge), kBlack, all},
        {"inverted triangle", polygon(VERB_INVERT, 1, huge), kBlack, all},
        {"click triangle: hollow", polygon(VERB_CLICK, 1, huge), kWhite, all},
        {"painted polygon beside the canvas", polygon(VERB_PAINT, 3, away), kWhite, all},
        {"a line and a polyline across the range, clipped by GDI", [&](CDC& dc) {
             RECT across = {-2000000000, 50, 2000000000, 50};
             Keep(new CLineElement(State(1), &across))->Draw(&dc, NULL);
             Keep(new CPolylineElement(State(1), &huge.array))->Draw(&dc, NULL);
         }, kBlack, CRect(0, 50, 100, 51)},
        // The offset is added with wrapping 32-bit arithmetic, as Offset_Pen_Location adds it.
        {"Line_Relative (1, -1) from (INT_MAX, INT_MIN) wraps", [&](CDC& dc) {
             m_view->m_penLocation = CPoint(INT_MAX, INT_MIN);
             const POINT offset = {1, -1};
             Grafic_Dll_Line_Relative(m_view, &offset);
             CGraphicElement* e = m_view->m_displayList.GetElement(m_view->m_displayList.GetSize() - 1);
             ASSERT_NE(nullptr, e);
             EXPECT_EQ(Str(CRect(INT_MAX, INT_MIN, INT_MIN, INT_MAX)), Str(e->bounds));
             EXPECT_EQ(Str(CPoint(INT_MIN, INT_MAX)), Str(m_view->m_penLocation)) << "the pen";
             e->Draw(&dc, NULL);
         }, kWhite, all},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        DibCanvas canvas(100, 100);
        r.draw(canvas.Dc());
        EXPECT_EQ(r.where.Width() * r.where.Height(), canvas.CountPixels(r.colour));
        EXPECT_EQ(r.where, canvas.BoundsOf(r.colour));
    }
    m_elements.clear();  // the click region goes with its element, before the guard counts
}

// Through the exports, in real windows.
using PointViewTest = ViewsIn<500, 360>;

TEST_F(PointViewTest, DefPolygonDecodesItsWordsAndLeavesTheHostArray)
{
    CGraphicView* v = NewView();
    std::vector<POINT> star = kStar;
    // verbAfter, patternAfter: the block's words, upper-cased in place. Each family of words is
    // Words.*'s; here a pattern word read by the verb, and a region identifier.
    // clang-format off
    struct Row {
        const char *verb, *pattern; int wantVerb, wantPattern; const char *verbAfter, *patternAfter;
    } rows[] = {
        {"paint", "gray", VERB_PAINT, PAT_GRAY, "PAINT", "GRAY"},
        {"click", "12", VERB_CLICK, 12, "CLICK", "12"},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.verb);
        GRAF_POLYGON block;
        FillPolygonBlock(block, r.verb, r.pattern, star);
        Grafic_Dll_DefPolygon(v, &block);
        CGraphicElement* e = Last(v);
        ASSERT_TRUE(e->IsPolygon());
        ExpectValues({{"verb", r.wantVerb, e->verb}, {"pattern", r.wantPattern, e->pattern}});
        EXPECT_EQ(std::string(r.verbAfter) + " " + r.patternAfter,
                  std::string(block.shape.verb) + " " + (LPCTSTR)block.shape.pattern);
        ASSERT_EQ(5, block.points.GetSize()) << "the host's array keeps its entries";
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(reinterpret_cast<CObject*>(&star[i]), block.points.GetAt(i)) << "entry " << i;
    }
    EXPECT_EQ(0, memcmp(kStar.data(), star.data(), 5 * sizeof(POINT))) << "the host's points";
    EXPECT_TRUE(static_cast<CPolygonElement*>(Last(v))->HitTest(&kStarCentre))
        << "the click polygon is hit";
}

TEST_F(PointViewTest, AHundredThousandPointsCopiedOnceAndDrawn)
{
    CGraphicView* v = NewView(CRect(0, 0, 300, 200));
    const int n = 100000;
    std::vector<POINT> pts(n);
    for (int i = 0; i < n; ++i)
        pts[i] = {10 + (i % 200), 10 + (i / 1000)};
    HostPoints host(pts);
    Grafic_Dll_Plot_Line(v, &host.array);
    CPolylineElement* line = static_cast<CPolylineElement*>(Last(v));
    ASSERT_EQ(n, line->pointCount);
    EXPECT_EQ(CRect(10, 10, 209, 109), line->bounds);
    EXPECT_EQ(n, host.array.GetSize()) << "the host's array keeps its entries";

    GRAF_POLYGON block;
    FillPolygonBlock(block, "paint", "", host.points);
    Grafic_Dll_DefPolygon(v, &block);
    CPolygonElement* poly = static_cast<CPolygonElement*>(Last(v));
    ASSERT_EQ(n, poly->pointCount);
    EXPECT_EQ(line->bounds, poly->bounds);
    DibCanvas canvas(300, 200);
    Grafic_Dll_RepaintView(v, &canvas.Dc());
    EXPECT_EQ(kBlack, canvas.Pixel(100, 50)) << "the long polygon is painted";
}
