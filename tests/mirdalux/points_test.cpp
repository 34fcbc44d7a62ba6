// Lines, polylines and polygons: bounds as the host's points give them, the pen following the
// end point, pixels of every polygon verb on a self-intersecting star filled by the winding
// rule, the GDI calls made (metafile records), hit regions, long point lists, the host's arrays
// left alone, bad input, and every GDI object given back.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <memory>
#include <string>
#include <vector>

#include "TestHost.h"
#include "ViewFixture.h"
#include "TestSupport.h"
#include "elements/LineElement.h"
#include "elements/PolygonElement.h"
#include "elements/PolylineElement.h"
#include "view/GraphicView.h"

#include <mirdalux.h>

#include "TestValues.h"

namespace {

// A host's point list: the points and a CObArray whose entries point to them.
class HostPoints
{
public:
    explicit HostPoints(const std::vector<POINT>& pts) : m_points(pts)
    {
        for (POINT& p : m_points)
            m_array.Add(reinterpret_cast<CObject*>(&p));
    }
    CObArray& Array() { return m_array; }
    const std::vector<POINT>& Points() const { return m_points; }
    // Fills an embedded array (of a GRAF_POLYGON) with entries pointing to the same points.
    void FillArray(CObArray& dest)
    {
        dest.RemoveAll();
        dest.Append(m_array);
    }

private:
    std::vector<POINT> m_points;
    CObArray m_array;
};

// A five-pointed star drawn in one stroke around (50, 50): its outline crosses itself, and the
// pentagon in the middle is wound twice, so the winding rule fills it and the alternate rule
// would not.
std::vector<POINT> Star()
{
    return {{50, 5}, {76, 86}, {8, 36}, {92, 36}, {24, 86}};
}
const POINT kStarCentre = {50, 50};   // in the twice-wound pentagon
const POINT kStarTip = {50, 12};      // inside the top point, wound once
const POINT kStarOutside = {20, 15};  // outside the star, inside its bounds

}  // namespace

// Elements built directly, with states interned by a view that has no window.
class PointElementTest : public ElementFixture
{
protected:
    int State(int penSize, COLORREF fore = kBlack, COLORREF back = kWhite, int penMode = R2_COPYPEN)
    {
        m_view->m_state.m_penSize = penSize;
        m_view->m_state.m_fogndColor = fore;
        m_view->m_state.m_bkgndColor = back;
        m_view->m_state.m_penMode = penMode;
        return m_view->InternState();
    }

    template <class T> T* Keep(T* e)
    {
        m_elements.emplace_back(e);
        return e;
    }

    CPolygonElement* Polygon(int state, int verb, int pattern, HostPoints& pts)
    {
        PolygonParams p = {verb, pattern, &pts.Array()};
        return Keep(new CPolygonElement(state, &p));
    }
};

TEST_F(PointElementTest, LineKeepsItsPointsAsBoundsAndDrawsFromStartToEnd)
{
    struct Case {
        RECT pts;
    } cases[] = {{{10, 10, 0, 0}}, {{5, 5, 40, 25}}, {{2, 30, 60, 30}}, {{-5, 70, 20, -3}}};
    for (const Case& c : cases) {
        CLineElement* line = Keep(new CLineElement(State(1, kRed), &c.pts));
        EXPECT_EQ(CRect(c.pts), line->bounds) << "bounds stay as passed, not normalised";
        EXPECT_EQ(VERB_NONE, line->verb);
        EXPECT_EQ(-2, line->pattern);
        EXPECT_EQ(nullptr, line->region);
        EXPECT_FALSE(line->IsPolygon() || line->IsRect() || line->IsState());
        POINT end = {-1, -1};
        EXPECT_TRUE(line->GetEndPoint(NULL, &end));
        EXPECT_TRUE(end.x == c.pts.right && end.y == c.pts.bottom)
            << "line " << Str(c.pts) << ": end point " << Str(end);

        EmfRecorder rec;
        line->Draw(&rec.Dc(), NULL);
        const EmfRecord* move = rec.First(EMR_MOVETOEX);
        const EmfRecord* to = rec.First(EMR_LINETO);
        const EmfRecord* pen = rec.First(EMR_CREATEPEN);
        ASSERT_TRUE(move && to && pen) << "a pen, a move and a line expected:\n" << rec.Describe();
        EXPECT_EQ(c.pts.left, move->Long(0));
        EXPECT_EQ(c.pts.top, move->Long(1));
        EXPECT_EQ(c.pts.right, to->Long(0));
        EXPECT_EQ(c.pts.bottom, to->Long(1));
        EXPECT_EQ((DWORD)PS_SOLID, pen->Param(1));
        EXPECT_EQ(kRed, (COLORREF)pen->Param(4)) << "the foreground colour";
    }

    // Pixels: the end pixel stays unpainted; the pen size and mode of the state apply.
    DibCanvas canvas(80, 40);
    RECT across = {2, 5, 20, 5};
    Keep(new CLineElement(State(1), &across))->Draw(&canvas.Dc(), NULL);
    EXPECT_EQ(18, canvas.CountPixels(kBlack, CRect(0, 5, 80, 6))) << "columns 2 to 19 of row 5";
    EXPECT_EQ(kWhite, canvas.Pixel(20, 5)) << "the end pixel";
    RECT wide = {30, 20, 70, 20};
    Keep(new CLineElement(State(5, kBlue), &wide))->Draw(&canvas.Dc(), NULL);
    for (int y = 18; y <= 22; ++y)
        EXPECT_EQ(kBlue, canvas.Pixel(50, y)) << "a 5-wide pen covers row " << y;
    EXPECT_EQ(kWhite, canvas.Pixel(50, 24));
    canvas.Fill(kWhite);
    Keep(new CLineElement(State(1, kBlack, kWhite, R2_NOT), &across))->Draw(&canvas.Dc(), NULL);
    EXPECT_EQ(kBlack, canvas.Pixel(10, 5)) << "R2_NOT inverts white";
}

TEST_F(PointElementTest, PolylineBoundsStartFromTheFarCornerAndTheEndIsTheLastPoint)
{
    struct Case {
        const char* name;
        std::vector<POINT> pts;
        RECT bounds;
    } cases[] = {
        {"three points", {{10, 20}, {30, 5}, {25, 40}}, {10, 5, 30, 40}},
        {"all negative", {{-10, -20}, {-5, -1}}, {-10, -20, 0, 0}},
        {"beyond 65535", {{70000, 5}, {80000, 9}}, {65535, 5, 80000, 9}},
        {"one point", {{7, 8}}, {7, 8, 7, 8}},
        {"empty", {}, {65535, 65535, 0, 0}},
    };
    for (Case& c : cases) {
        HostPoints host(c.pts);
        CPolylineElement* e = Keep(new CPolylineElement(State(1), &host.Array()));
        EXPECT_EQ(CRect(c.bounds), e->bounds)
            << c.name << ": expected " << Str(c.bounds) << ", got " << Str(e->bounds);
        EXPECT_EQ((int)c.pts.size(), e->pointCount) << c.name;
        POINT end = {-1, -1};
        BOOL hasEnd = e->GetEndPoint(NULL, &end);
        if (c.pts.empty()) {
            EXPECT_EQ(nullptr, e->points) << c.name << ": no point array";
            EXPECT_FALSE(hasEnd) << c.name << ": no end point";
        } else {
            ASSERT_NE(nullptr, e->points) << c.name;
            EXPECT_TRUE(hasEnd) << c.name;
            EXPECT_EQ(c.pts.back().x, end.x) << c.name;
            EXPECT_EQ(c.pts.back().y, end.y) << c.name;
            for (size_t i = 0; i < c.pts.size(); ++i)
                EXPECT_TRUE(e->points[i].x == c.pts[i].x && e->points[i].y == c.pts[i].y)
                    << c.name << ": point " << i << " copied in order";
            EXPECT_NE(static_cast<const void*>(e->points),
                      static_cast<const void*>(host.Points().data()))
                << "the element has its own copy";
        }
        EXPECT_EQ(nullptr, e->region);
    }

    // Null entries are left out; after ReleaseResources nothing is drawn and the end is gone.
    POINT a = {4, 6}, b = {9, 2};
    CObArray mixed;
    mixed.Add(NULL);
    mixed.Add(reinterpret_cast<CObject*>(&a));
    mixed.Add(NULL);
    mixed.Add(reinterpret_cast<CObject*>(&b));
    CPolylineElement* e = Keep(new CPolylineElement(State(1), &mixed));
    EXPECT_EQ(2, e->pointCount);
    EXPECT_EQ(CRect(4, 2, 9, 6), e->bounds);
    e->ReleaseResources();
    EXPECT_EQ(nullptr, e->points);
    EXPECT_EQ(2, e->pointCount) << "the count is kept";
    POINT end;
    EXPECT_FALSE(e->GetEndPoint(NULL, &end));
    EmfRecorder rec;
    e->Draw(&rec.Dc(), NULL);
    EXPECT_EQ(0, rec.Count(EMR_POLYLINE16) + rec.Count(EMR_POLYLINE)) << rec.Describe();
}

TEST_F(PointElementTest, PolylineDrawsThroughItsPointsUnlessOutsideTheClip)
{
    HostPoints host({{5, 5}, {35, 5}, {35, 25}});
    CPolylineElement* e = Keep(new CPolylineElement(State(1, kBlue), &host.Array()));
    DibCanvas canvas(60, 40);
    e->Draw(&canvas.Dc(), NULL);
    EXPECT_EQ(31, canvas.CountPixels(kBlue, CRect(0, 5, 60, 6)))
        << "row 5 from 5 to 35, where the next segment starts";
    EXPECT_EQ(kBlue, canvas.Pixel(35, 15)) << "the second segment";
    EXPECT_EQ(kWhite, canvas.Pixel(35, 25)) << "the last pixel is left out";
    EXPECT_EQ(kWhite, canvas.Pixel(20, 15));

    EmfRecorder rec;
    e->Draw(&rec.Dc(), NULL);
    const EmfRecord* poly = rec.First(EMR_POLYLINE16);
    ASSERT_NE(nullptr, poly) << rec.Describe();
    ASSERT_EQ(3u, poly->Param(4)) << "three points";
    EXPECT_EQ(MAKELONG(35, 25), (LONG)poly->Param(7));

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

TEST_F(PointElementTest, PolygonVerbsOnAStarUseTheWindingRuleAndItsOwnPoints)
{
    HostPoints star(Star());
    struct Case {
        int verb;
        int pattern;
        COLORREF centre;  // colour of the twice-wound middle
        COLORREF tip;     // colour inside a point of the star
    } cases[] = {
        {VERB_FRAME, PAT_EMPTY, kWhite, kWhite}, {VERB_PAINT, PAT_EMPTY, kBlue, kBlue},
        {VERB_ERASE, PAT_EMPTY, kRed, kRed},     {VERB_INVERT, PAT_EMPTY, kBlack, kBlack},
        {VERB_FILL, PAT_BLACK, kBlue, kBlue},
    };
    for (const Case& c : cases) {
        DibCanvas canvas(100, 100);
        canvas.Dc().SetPolyFillMode(ALTERNATE);
        CPolygonElement* e = Polygon(State(1, kBlue, kRed), c.verb, c.pattern, star);
        e->Draw(&canvas.Dc(), NULL);
        EXPECT_EQ(c.centre, canvas.Pixel(kStarCentre.x, kStarCentre.y))
            << "verb " << c.verb << ": centre";
        EXPECT_EQ(c.tip, canvas.Pixel(kStarTip.x, kStarTip.y)) << "verb " << c.verb << ": tip";
        EXPECT_EQ(kWhite, canvas.Pixel(kStarOutside.x, kStarOutside.y))
            << "verb " << c.verb << ": outside";
        EXPECT_EQ(ALTERNATE, canvas.Dc().GetPolyFillMode())
            << "verb " << c.verb << ": fill mode restored";
        if (c.verb == VERB_FRAME || c.verb == VERB_PAINT) {
            EXPECT_EQ(kBlue, canvas.Pixel(50, 5))
                << "verb " << c.verb << ": the pen on the top vertex";
        }
    }

    // A gray fill: a checkerboard of the foreground and white in the middle.
    DibCanvas gray(100, 100);
    Polygon(State(1, kBlack), VERB_FILL, PAT_GRAY, star)->Draw(&gray.Dc(), NULL);
    EXPECT_EQ(32, gray.CountPixels(kBlack, CRect(46, 46, 54, 54))) << "half of an 8x8 cell";
    EXPECT_NE(gray.Pixel(50, 50), gray.Pixel(51, 50)) << "neighbours alternate";

    // A wide frame is stroked on the points themselves: no inset, no extra unit.
    for (int verb : {VERB_FRAME, VERB_PAINT, VERB_ERASE, VERB_FILL}) {
        EmfRecorder rec;
        Polygon(State(5), verb, PAT_GRAY, star)->Draw(&rec.Dc(), NULL);
        const EmfRecord* mode = rec.First(EMR_SETPOLYFILLMODE);
        ASSERT_NE(nullptr, mode) << rec.Describe();
        EXPECT_EQ((DWORD)WINDING, mode->Param(0));
        int at = rec.IndexOf(EMR_POLYGON16);
        ASSERT_GE(at, 0) << "verb " << verb << "\n" << rec.Describe();
        const EmfRecord& poly = rec.Records()[at];
        ASSERT_EQ(5u, poly.Param(4)) << "verb " << verb;
        for (size_t i = 0; i < 5; ++i) {
            const POINT& p = star.Points()[i];
            EXPECT_EQ(MAKELONG(p.x, p.y), (LONG)poly.Param(5 + i))
                << "verb " << verb << ", point " << i;
        }
        EXPECT_GE(rec.IndexOf(EMR_SETPOLYFILLMODE, at), 0)
            << "the previous mode set back afterwards";
    }
}

TEST_F(PointElementTest, PolygonRegionsAreHitWhereTheWindingRuleFills)
{
    HostPoints star(Star());
    for (int verb : {VERB_ACTIVE, VERB_CLICK}) {
        CPolygonElement* e = Polygon(State(1), verb, 42, star);
        ASSERT_NE(nullptr, e->region) << "verb " << verb;
        EXPECT_EQ(42, e->pattern) << "the region identifier";
        EXPECT_TRUE(e->IsPolygon());
        EXPECT_TRUE(CGraphicView::IsRegionShape(e));
        EXPECT_TRUE(e->HitTest(&kStarCentre)) << "verb " << verb << ": wound twice, still hit";
        EXPECT_TRUE(e->HitTest(&kStarTip)) << "verb " << verb;
        EXPECT_FALSE(e->HitTest(&kStarOutside)) << "verb " << verb;
        e->ReleaseResources();
        EXPECT_EQ(nullptr, e->region);
        EXPECT_EQ(nullptr, e->points);
        EXPECT_FALSE(e->HitTest(&kStarCentre));
    }
    HostPoints none({});
    CPolygonElement* empty = Polygon(State(1), VERB_CLICK, 3, none);
    ASSERT_NE(nullptr, empty->region);
    EXPECT_EQ(nullptr, empty->region->GetSafeHandle()) << "a region without a GDI object";
    EXPECT_FALSE(empty->HitTest(&kStarCentre));
    EmfRecorder rec;
    empty->Draw(&rec.Dc(), NULL);
    EXPECT_EQ(0, rec.Count(EMR_POLYGON16)) << rec.Describe();
    HostPoints plain(Star());
    EXPECT_EQ(nullptr, Polygon(State(1), VERB_PAINT, PAT_EMPTY, plain)->region);
}

// Through the exports, in real windows.
class PointViewTest : public ViewFixture
{
protected:
    PointViewTest() : ViewFixture(500, 360) {}
};

TEST_F(PointViewTest, LinesGoFromThePenLocationWhichFollowsTheirEnds)
{
    CGraphicView* v = NewView();
    POINT start = {5, 5};
    Grafic_Dll_Set_Pen_Location(v, &start);
    POINT to = {40, 25};
    Grafic_Dll_Line_To_Point(v, &to);
    CGraphicElement* e = Last(v);
    EXPECT_EQ(CRect(5, 5, 40, 25), e->bounds);
    EXPECT_EQ(40, v->m_penLocation.x);
    EXPECT_EQ(25, v->m_penLocation.y);

    POINT origin = {0, 0}, step = {10, 0};
    Grafic_Dll_Set_Pen_Location(v, &origin);
    Grafic_Dll_Line_Relative(v, &step);
    EXPECT_EQ(CRect(0, 0, 10, 0), Last(v)->bounds);
    Grafic_Dll_Line_Relative(v, &step);
    EXPECT_EQ(CRect(10, 0, 20, 0), Last(v)->bounds)
        << "the second line starts where the first ended";
    EXPECT_EQ(20, v->m_penLocation.x);
    EXPECT_EQ(0, v->m_penLocation.y);

    // The polyline moves the pen to its last point; the empty one leaves it.
    HostPoints path({{10, 20}, {30, 5}, {25, 40}});
    Grafic_Dll_Plot_Line(v, &path.Array());
    EXPECT_EQ(CRect(10, 5, 30, 40), Last(v)->bounds);
    EXPECT_EQ(25, v->m_penLocation.x);
    EXPECT_EQ(40, v->m_penLocation.y);
    INT_PTR count = v->m_displayList.GetSize();
    CObArray empty;
    Grafic_Dll_Plot_Line(v, &empty);
    ASSERT_EQ(count + 1, v->m_displayList.GetSize()) << "an empty polyline is still an element";
    EXPECT_EQ(25, v->m_penLocation.x) << "and leaves the pen where it was";
    EXPECT_EQ(40, v->m_penLocation.y);
    // The polygon does not move the pen.
    GRAF_POLYGON block;
    block.shape.verb = "frame";
    block.shape.pattern = "";
    block.shape.rect = CRect(0, 0, 0, 0);
    HostPoints star(Star());
    star.FillArray(block.points);
    Grafic_Dll_DefPolygon(v, &block);
    EXPECT_EQ(25, v->m_penLocation.x);

    // Null view, point or array: nothing.
    count = v->m_displayList.GetSize();
    Grafic_Dll_Line_To_Point(NULL, &to);
    Grafic_Dll_Line_To_Point(v, NULL);
    Grafic_Dll_Line_Relative(NULL, &step);
    Grafic_Dll_Line_Relative(v, NULL);
    Grafic_Dll_Plot_Line(NULL, &path.Array());
    Grafic_Dll_Plot_Line(v, NULL);
    Grafic_Dll_DefPolygon(NULL, &block);
    Grafic_Dll_DefPolygon(v, NULL);
    EXPECT_EQ(count, v->m_displayList.GetSize()) << "null arguments append nothing";
    EXPECT_EQ(25, v->m_penLocation.x);
    v->DestroyWindow();
    PumpMessages();
}

TEST_F(PointViewTest, LineBoundsFeedTheScrollRangeUnnormalised)
{
    CGraphicView* v = NewView(CRect(0, 0, 200, 150));
    CSize before = v->GetTotalSize();
    POINT distant = {900, 700}, origin = {0, 0};
    Grafic_Dll_Set_Pen_Location(v, &distant);
    Grafic_Dll_Line_To_Point(v, &origin);
    EXPECT_EQ(before, v->GetTotalSize()) << "a line back to the origin has right and bottom 0";
    Grafic_Dll_Line_To_Point(v, &distant);
    EXPECT_EQ(CSize(900, 700), v->GetTotalSize()) << "a line out to (900, 700)";
    v->DestroyWindow();
    PumpMessages();
}

TEST_F(PointViewTest, DefPolygonDecodesItsWordsIgnoresTheRectangleAndLeavesTheHostArray)
{
    CGraphicView* v = NewView();
    HostPoints star(Star());
    struct Case {
        const char* verb;
        const char* pattern;
        int wantVerb;
        int wantPattern;
        const char* verbAfter;
        const char* patternAfter;
    } cases[] = {
        {"paint", "gray", VERB_PAINT, PAT_GRAY, "PAINT", "GRAY"},
        {"fill", "dk", VERB_FILL, PAT_DKGRAY, "FILL", "DK"},
        {"click", "12", VERB_CLICK, 12, "CLICK", "12"},
        {"active", "7", VERB_ACTIVE, 7, "ACTIVE", "7"},
    };
    for (const Case& c : cases) {
        GRAF_POLYGON block;
        block.shape.verb = c.verb;
        block.shape.pattern = c.pattern;
        block.shape.rect = CRect(0, 0, 0, 0);
        star.FillArray(block.points);
        std::vector<const CObject*> entries(block.points.GetData(), block.points.GetData() + 5);
        Grafic_Dll_DefPolygon(v, &block);
        CGraphicElement* e = Last(v);
        ASSERT_TRUE(e->IsPolygon()) << c.verb;
        EXPECT_EQ(c.wantVerb, e->verb) << c.verb;
        EXPECT_EQ(c.wantPattern, e->pattern) << c.verb;
        EXPECT_STREQ(c.verbAfter, (LPCTSTR)block.shape.verb);
        EXPECT_STREQ(c.patternAfter, (LPCTSTR)block.shape.pattern);
        EXPECT_EQ(CRect(8, 5, 92, 86), e->bounds) << "bounds from the points, not the block's rect";
        ASSERT_EQ(5, block.points.GetSize()) << c.verb << ": the host's array keeps its entries";
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(entries[i], block.points.GetAt(i)) << c.verb << ": entry " << i;
    }
    for (size_t i = 0; i < 5; ++i)
        EXPECT_TRUE(star.Points()[i].x == Star()[i].x && star.Points()[i].y == Star()[i].y)
            << "the host's point " << i << " is unchanged";
    CPolygonElement* click = static_cast<CPolygonElement*>(v->m_displayList.GetElement(2));
    EXPECT_TRUE(click->HitTest(&kStarCentre));
    EXPECT_EQ(4, Grafic_Dll_GetNbElement(v)) << "one entry per call";
    v->DestroyWindow();
    PumpMessages();
}

TEST_F(PointViewTest, AHundredThousandPointsCopiedOnceAndDrawn)
{
    CGraphicView* v = NewView(CRect(0, 0, 300, 200));
    const int n = 100000;
    std::vector<POINT> pts(n);
    for (int i = 0; i < n; ++i) {
        pts[i].x = 10 + (i % 200);
        pts[i].y = 10 + (i / 1000);
    }
    HostPoints host(pts);
    Grafic_Dll_Plot_Line(v, &host.Array());
    CPolylineElement* line = static_cast<CPolylineElement*>(Last(v));
    ASSERT_EQ(n, line->pointCount);
    EXPECT_EQ(CRect(10, 10, 209, 109), line->bounds);
    EXPECT_EQ(pts.back().x, v->m_penLocation.x);
    EXPECT_EQ(pts.back().y, v->m_penLocation.y);
    EXPECT_EQ(n, host.Array().GetSize()) << "the host's array keeps its entries";

    GRAF_POLYGON block;
    block.shape.verb = "paint";
    block.shape.pattern = "";
    block.shape.rect = CRect(0, 0, 0, 0);
    host.FillArray(block.points);
    Grafic_Dll_DefPolygon(v, &block);
    CPolygonElement* poly = static_cast<CPolygonElement*>(Last(v));
    ASSERT_EQ(n, poly->pointCount);
    EXPECT_EQ(line->bounds, poly->bounds);
    EXPECT_EQ(n, block.points.GetSize());
    DibCanvas canvas(300, 200);
    Grafic_Dll_RepaintView(v, &canvas.Dc());
    EXPECT_EQ(kBlack, canvas.Pixel(100, 50)) << "the long polygon is painted";
    v->DestroyWindow();
    PumpMessages();
}

TEST_F(PointViewTest, DrawnAtOnceEqualsRepaintAndEveryObjectComesBack)
{
    GdiCountGuard guard("lines, polylines and polygons drawn, repainted and deleted");
    CGraphicView* v = NewView(CRect(0, 0, 320, 240));
    int size = 3;
    Grafic_Dll_Set_Pen_Size(v, &size);
    Grafic_Dll_Set_Fognd_Color(v, kBlue);
    POINT start = {10, 200}, to = {150, 220}, step = {0, -30};
    Grafic_Dll_Set_Pen_Location(v, &start);
    Grafic_Dll_Line_To_Point(v, &to);
    Grafic_Dll_Line_Relative(v, &step);
    HostPoints path({{200, 20}, {300, 60}, {220, 120}, {310, 200}});
    Grafic_Dll_Plot_Line(v, &path.Array());
    HostPoints star(Star());
    const char* verbs[] = {"frame", "paint", "erase", "invert", "fill", "click", "active"};
    for (int i = 0; i < 7; ++i) {
        std::vector<POINT> moved = Star();
        for (POINT& p : moved)
            p.x += (i % 3) * 60, p.y += (i / 3) * 60;
        HostPoints shifted(moved);
        GRAF_POLYGON block;
        block.shape.verb = verbs[i];
        block.shape.pattern = i < 5 ? "gray" : "9";
        block.shape.rect = CRect(0, 0, 0, 0);
        shifted.FillArray(block.points);
        Grafic_Dll_DefPolygon(v, &block);
    }
    DibCanvas atOnce(320, 240);
    ASSERT_TRUE(CaptureClient(v->m_hWnd, atOnce));
    DibCanvas repaint(320, 240);
    Grafic_Dll_RepaintView(v, &repaint.Dc());
    // A new view shows its vertical bar until the scroll sizes are set; the column it took is
    // repainted only later, so it is left out of the comparison.
    CRect client;
    v->GetClientRect(&client);
    client.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    int differ = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            differ += atOnce.Pixel(x, y) != repaint.Pixel(x, y);
    EXPECT_EQ(0, differ) << "pixels where drawing at once and repainting differ";
    if (differ != 0) {
        atOnce.SaveBmp("points_at_once.bmp");
        repaint.SaveBmp("points_repaint.bmp");
    }
    EXPECT_EQ(kBlue, atOnce.Pixel(80, 210)) << "the first line";
    EXPECT_EQ(kBlue, atOnce.Pixel(150, 205)) << "the relative line";

    v->FullRepaint();
    Grafic_Dll_Del_Last_Elt(v, TRUE);
    Grafic_Dll_Del_All_Click_Rgn(v);
    Grafic_Dll_Del_All_Activ_Rgn(v);
    Grafic_Dll_Del_All_Elt(v);
    EXPECT_EQ(0, Grafic_Dll_GetNbElement(v));
    v->DestroyWindow();
    PumpMessages();
}

TEST_F(PointElementTest, HostileCoordinatesFinishAndDrawWhatShows)
{
    GdiCountGuard guard("hostile polygons and lines");
    // A triangle far larger than GDI can fill in reasonable time; (50, 50) is well inside it.
    HostPoints huge({{-1000000000, -1000000000}, {1000000000, -900000000}, {50, 1000000000}});
    struct Case {
        int verb;
        int pen;
        COLORREF centre;
    } cases[] = {
        {VERB_FRAME, 3, kWhite},  {VERB_PAINT, 3, kBlack}, {VERB_ERASE, 1, kRed},
        {VERB_INVERT, 1, kBlack}, {VERB_FILL, 1, kBlack},  {VERB_CLICK, 1, kWhite},
    };
    for (const Case& c : cases) {
        DibCanvas canvas(100, 100);
        const DWORD start = ::GetTickCount();
        CPolygonElement* e = Polygon(State(c.pen, kBlack, kRed), c.verb, PAT_BLACK, huge);
        e->Draw(&canvas.Dc(), NULL);
        const DWORD took = ::GetTickCount() - start;
        EXPECT_EQ(c.centre, canvas.Pixel(50, 50))
            << "verb " << c.verb << " after " << took << " ms";
        EXPECT_EQ(c.centre, canvas.Pixel(0, 99))
            << "verb " << c.verb << ": the corner is inside too";
        if (c.verb == VERB_CLICK) {
            EXPECT_TRUE(e->HitTest(&kStarCentre)) << "the huge click region is hit inside";
        }
    }
    // A polygon whose cut outline leaves the canvas untouched draws nothing.
    HostPoints away({{1000, 1000}, {5000000, 1000}, {1000, 5000000}});
    DibCanvas canvas(100, 100);
    Polygon(State(3), VERB_PAINT, PAT_EMPTY, away)->Draw(&canvas.Dc(), NULL);
    EXPECT_EQ(100 * 100, canvas.CountPixels(kWhite));
    // Lines and polylines across the whole coordinate range are left to GDI, which clips them.
    RECT across = {-2000000000, 50, 2000000000, 50};
    Keep(new CLineElement(State(1), &across))->Draw(&canvas.Dc(), NULL);
    Keep(new CPolylineElement(State(1), &huge.Array()))->Draw(&canvas.Dc(), NULL);
    EXPECT_EQ(kBlack, canvas.Pixel(10, 50)) << "the long line crosses the canvas";
    m_elements.clear();  // the click region goes with its element, before the guard counts
}
