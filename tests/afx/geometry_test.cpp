// CSize, CPoint and CRect: every constructor and operator against hand-worked results, and the
// empty, null and unnormalised cases of the rectangle set operations.
#include <gtest/gtest.h>
#include <afxwin.h>

#include <string>

namespace {

std::string Show(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

std::string Show(POINT p)
{
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}
std::string Show(SIZE s)
{
    return "[" + std::to_string(s.cx) + "x" + std::to_string(s.cy) + "]";
}

void ExpectRect(const RECT& expected, const RECT& actual, const char* what)
{
    EXPECT_TRUE(expected.left == actual.left && expected.top == actual.top &&
                expected.right == actual.right && expected.bottom == actual.bottom)
        << what << ": expected " << Show(expected) << ", got " << Show(actual);
}

void ExpectPoint(POINT expected, POINT actual, const char* what)
{
    EXPECT_TRUE(expected.x == actual.x && expected.y == actual.y)
        << what << ": expected " << Show(expected) << ", got " << Show(actual);
}

void ExpectSize(SIZE expected, SIZE actual, const char* what)
{
    EXPECT_TRUE(expected.cx == actual.cx && expected.cy == actual.cy)
        << what << ": expected " << Show(expected) << ", got " << Show(actual);
}

}  // namespace

TEST(Geometry, SizeAndPointConstructorsUnpackSignedWords)
{
    // Packed coordinates are two signed 16-bit words, as mouse messages carry them.
    struct {
        DWORD packed;
        int x, y;
    } cases[] = {
        {0x00000000u, 0, 0},
        {0x00140010u, 16, 20},
        {0xFFFFFFFEu, -2, -1},
        {0x80007FFFu, 32767, -32768},
    };
    for (const auto& c : cases) {
        ExpectPoint(CPoint(c.x, c.y), CPoint((LPARAM)c.packed),
                    ("CPoint(LPARAM " + std::to_string(c.packed) + ")").c_str());
        ExpectPoint(CPoint(c.x, c.y), CPoint(MAKELPARAM(c.x, c.y)), "CPoint(MAKELPARAM)");
        ExpectSize(CSize(c.x, c.y), CSize(c.packed),
                   ("CSize(DWORD " + std::to_string(c.packed) + ")").c_str());
    }
    POINT p = {3, -4};
    SIZE s = {-5, 6};
    ExpectSize(CSize(3, -4), CSize(p), "CSize(POINT)");
    ExpectPoint(CPoint(-5, 6), CPoint(s), "CPoint(SIZE)");
    ExpectPoint(CPoint(0, 0), CPoint(), "CPoint()");
    ExpectSize(CSize(0, 0), CSize(), "CSize()");
}

TEST(Geometry, PointAndSizeOperators)
{
    CPoint p(10, 20);
    CSize s(3, -4);
    ExpectPoint(CPoint(13, 16), p + s, "point + size");
    ExpectPoint(CPoint(7, 24), p - s, "point - size");
    ExpectPoint(CPoint(-10, -20), -p, "-point");
    ExpectPoint(CPoint(11, 22), p + CPoint(1, 2), "point + point");
    ExpectSize(CSize(9, 18), p - CPoint(1, 2), "point - point gives a size");
    ExpectSize(CSize(4, -2), s + CSize(1, 2), "size + size");
    ExpectSize(CSize(2, -6), s - CSize(1, 2), "size - size");
    ExpectSize(CSize(-3, 4), -s, "-size");
    ExpectPoint(CPoint(13, 16), s + p, "size + point");
    ExpectPoint(CPoint(-7, -24), s - p, "size - point");

    CRect r(0, 0, 10, 10);
    ExpectRect(CRect(10, 20, 20, 30), p + &r, "point + rect offsets");
    ExpectRect(CRect(-10, -20, 0, -10), p - &r, "point - rect offsets back");
    ExpectRect(CRect(3, -4, 13, 6), s + &r, "size + rect offsets");
    ExpectRect(CRect(-3, 4, 7, 14), s - &r, "size - rect offsets back");

    CPoint q = p;
    q += s;
    ExpectPoint(CPoint(13, 16), q, "point += size");
    q -= s;
    ExpectPoint(CPoint(10, 20), q, "point -= size");
    q += CPoint(5, 5);
    ExpectPoint(CPoint(15, 25), q, "point += point");
    q -= CPoint(5, 5);
    ExpectPoint(CPoint(10, 20), q, "point -= point");
    q.Offset(1, -1);
    ExpectPoint(CPoint(11, 19), q, "Offset(int, int)");
    q.Offset(CPoint(-1, 1));
    ExpectPoint(CPoint(10, 20), q, "Offset(POINT)");
    q.Offset(CSize(2, 2));
    ExpectPoint(CPoint(12, 22), q, "Offset(SIZE)");
    q.SetPoint(7, 8);
    ExpectPoint(CPoint(7, 8), q, "SetPoint");

    CSize t = s;
    t += CSize(1, 1);
    ExpectSize(CSize(4, -3), t, "size += size");
    t -= CSize(1, 1);
    ExpectSize(CSize(3, -4), t, "size -= size");
    t.SetSize(9, 9);
    ExpectSize(CSize(9, 9), t, "SetSize");

    EXPECT_TRUE(p == CPoint(10, 20)) << "equal points compare equal";
    EXPECT_TRUE(p != CPoint(10, 21)) << "points differing in y compare unequal";
    EXPECT_FALSE(p != CPoint(10, 20)) << "!= of equal points";
    EXPECT_TRUE(s == CSize(3, -4)) << "equal sizes compare equal";
    EXPECT_TRUE(s != CSize(4, -4)) << "sizes differing in cx compare unequal";
}

TEST(Geometry, RectConstructorsAndAccessors)
{
    RECT raw = {1, 2, 11, 22};
    ExpectRect(raw, CRect(raw), "CRect(const RECT&)");
    ExpectRect(raw, CRect(&raw), "CRect(LPCRECT)");
    ExpectRect(CRect(0, 0, 0, 0), CRect((LPCRECT) nullptr), "CRect(NULL) is empty");
    ExpectRect(raw, CRect(CPoint(1, 2), CSize(10, 20)), "CRect(point, size)");
    ExpectRect(raw, CRect(CPoint(1, 2), CPoint(11, 22)), "CRect(topLeft, bottomRight)");

    CRect r(raw);
    EXPECT_EQ(10, r.Width()) << "Width";
    EXPECT_EQ(20, r.Height()) << "Height";
    ExpectSize(CSize(10, 20), r.Size(), "Size");
    ExpectPoint(CPoint(1, 2), r.TopLeft(), "TopLeft");
    ExpectPoint(CPoint(11, 22), r.BottomRight(), "BottomRight");
    ExpectPoint(CPoint(6, 12), r.CenterPoint(), "CenterPoint");

    // The corner accessors alias the fields.
    r.TopLeft() = CPoint(0, 0);
    r.BottomRight().Offset(1, 1);
    ExpectRect(CRect(0, 0, 12, 23), r, "assigning through TopLeft/BottomRight");

    LPRECT pr = r;
    LPCRECT pcr = static_cast<const CRect&>(r);
    EXPECT_EQ(static_cast<RECT*>(&r), pr) << "operator LPRECT is the object itself";
    EXPECT_EQ(static_cast<const RECT*>(&r), pcr) << "operator LPCRECT is the object itself";

    r.SetRect(CPoint(5, 6), CPoint(7, 8));
    ExpectRect(CRect(5, 6, 7, 8), r, "SetRect(POINT, POINT)");
    r.CopyRect(&raw);
    ExpectRect(raw, r, "CopyRect");
    r.CopyRect(nullptr);
    ExpectRect(raw, r, "CopyRect(NULL) leaves the rectangle");
    r.SwapLeftRight();
    ExpectRect(CRect(11, 2, 1, 22), r, "SwapLeftRight");
    r.MoveToXY(100, 200);
    ExpectRect(CRect(100, 200, 90, 220), r, "MoveToXY keeps width and height (even negative)");
}

TEST(Geometry, RectEmptyNullAndHitTesting)
{
    struct {
        RECT r;
        bool empty;
        bool null;
    } cases[] = {
        {{0, 0, 0, 0}, true, true},   {{0, 0, 5, 0}, true, false},
        {{0, 0, 0, 5}, true, false},  {{5, 5, 1, 10}, true, false},  // right left of left
        {{5, 5, 10, 1}, true, false},                                // bottom above top
        {{0, 0, 1, 1}, false, false}, {{-10, -10, -5, -5}, false, false},
    };
    for (const auto& c : cases) {
        CRect r(c.r);
        EXPECT_EQ(c.empty, !!r.IsRectEmpty()) << "IsRectEmpty" << Show(c.r);
        EXPECT_EQ(c.null, !!r.IsRectNull()) << "IsRectNull" << Show(c.r);
    }

    // Left and top edges are inside, right and bottom edges outside.
    CRect r(10, 10, 20, 20);
    struct {
        POINT pt;
        bool inside;
    } hits[] = {
        {{10, 10}, true},  {{19, 19}, true}, {{15, 15}, true}, {{20, 15}, false},
        {{15, 20}, false}, {{9, 15}, false}, {{15, 9}, false},
    };
    for (const auto& h : hits)
        EXPECT_EQ(h.inside, !!r.PtInRect(h.pt)) << "PtInRect" << Show(h.pt) << " in " << Show(r);
}

TEST(Geometry, RectInflateDeflateOffsetNormalize)
{
    struct Case {
        const char* what;
        void (*op)(CRect&);
        RECT expected;
    } cases[] = {
        {"InflateRect(x, y)", [](CRect& r) { r.InflateRect(2, 3); }, {8, 7, 32, 43}},
        {"InflateRect(SIZE)", [](CRect& r) { r.InflateRect(CSize(2, 3)); }, {8, 7, 32, 43}},
        {"InflateRect(LPCRECT)",
         [](CRect& r) {
             RECT d = {1, 2, 3, 4};
             r.InflateRect(&d);
         },
         {9, 8, 33, 44}},
        {"InflateRect(l, t, r, b)", [](CRect& r) { r.InflateRect(1, 2, 3, 4); }, {9, 8, 33, 44}},
        {"InflateRect(NULL)", [](CRect& r) { r.InflateRect((LPCRECT) nullptr); }, {10, 10, 30, 40}},
        {"DeflateRect(x, y)", [](CRect& r) { r.DeflateRect(2, 3); }, {12, 13, 28, 37}},
        {"DeflateRect(SIZE)", [](CRect& r) { r.DeflateRect(CSize(2, 3)); }, {12, 13, 28, 37}},
        {"DeflateRect(LPCRECT)",
         [](CRect& r) {
             RECT d = {1, 2, 3, 4};
             r.DeflateRect(&d);
         },
         {11, 12, 27, 36}},
        {"DeflateRect(l, t, r, b)", [](CRect& r) { r.DeflateRect(1, 2, 3, 4); }, {11, 12, 27, 36}},
        {"DeflateRect past the centre", [](CRect& r) { r.DeflateRect(15, 0); }, {25, 10, 15, 40}},
        {"OffsetRect(x, y)", [](CRect& r) { r.OffsetRect(-10, 5); }, {0, 15, 20, 45}},
        {"OffsetRect(POINT)", [](CRect& r) { r.OffsetRect(CPoint(-10, 5)); }, {0, 15, 20, 45}},
        {"OffsetRect(SIZE)", [](CRect& r) { r.OffsetRect(CSize(-10, 5)); }, {0, 15, 20, 45}},
        {"+= POINT", [](CRect& r) { r += CPoint(1, 1); }, {11, 11, 31, 41}},
        {"-= POINT", [](CRect& r) { r -= CPoint(1, 1); }, {9, 9, 29, 39}},
        {"+= SIZE", [](CRect& r) { r += CSize(1, 2); }, {11, 12, 31, 42}},
        {"-= SIZE", [](CRect& r) { r -= CSize(1, 2); }, {9, 8, 29, 38}},
        {"+= LPCRECT inflates",
         [](CRect& r) {
             CRect d(1, 2, 3, 4);
             r += &d;
         },
         {9, 8, 33, 44}},
        {"-= LPCRECT deflates",
         [](CRect& r) {
             CRect d(1, 2, 3, 4);
             r -= &d;
         },
         {11, 12, 27, 36}},
        {"= RECT",
         [](CRect& r) {
             RECT s = {1, 2, 3, 4};
             r = s;
         },
         {1, 2, 3, 4}},
        {"SetRectEmpty", [](CRect& r) { r.SetRectEmpty(); }, {0, 0, 0, 0}},
        {"MoveToX", [](CRect& r) { r.MoveToX(0); }, {0, 10, 20, 40}},
        {"MoveToY", [](CRect& r) { r.MoveToY(0); }, {10, 0, 30, 30}},
        {"MoveToXY(POINT)", [](CRect& r) { r.MoveToXY(CPoint(1, 1)); }, {1, 1, 21, 31}},
        {"MulDiv rounds", [](CRect& r) { r = r.MulDiv(2, 3); }, {7, 7, 20, 27}},
    };
    for (const auto& c : cases) {
        CRect r(10, 10, 30, 40);
        c.op(r);
        ExpectRect(c.expected, r, c.what);
    }

    struct {
        RECT in, out;
    } norm[] = {
        {{0, 0, 10, 10}, {0, 0, 10, 10}},
        {{10, 0, 0, 10}, {0, 0, 10, 10}},
        {{0, 10, 10, 0}, {0, 0, 10, 10}},
        {{10, 10, -5, -5}, {-5, -5, 10, 10}},
    };
    for (const auto& n : norm) {
        CRect r(n.in);
        r.NormalizeRect();
        ExpectRect(n.out, r, ("NormalizeRect" + Show(n.in)).c_str());
    }
}

TEST(Geometry, RectBinaryOperators)
{
    CRect r(10, 10, 30, 40);
    CRect d(1, 2, 3, 4);
    ExpectRect(CRect(15, 5, 35, 35), r + CPoint(5, -5), "rect + point");
    ExpectRect(CRect(5, 15, 25, 45), r - CPoint(5, -5), "rect - point");
    ExpectRect(CRect(15, 5, 35, 35), r + CSize(5, -5), "rect + size");
    ExpectRect(CRect(5, 15, 25, 45), r - CSize(5, -5), "rect - size");
    ExpectRect(CRect(9, 8, 33, 44), r + &d, "rect + rect inflates");
    ExpectRect(CRect(11, 12, 27, 36), r - &d, "rect - rect deflates");
    ExpectRect(CRect(10, 10, 30, 40), r, "the binary operators leave the operand");

    EXPECT_TRUE(r == CRect(10, 10, 30, 40)) << "== on the same coordinates";
    EXPECT_TRUE(r != CRect(10, 10, 30, 41)) << "!= on different coordinates";
    EXPECT_FALSE(r != CRect(10, 10, 30, 40)) << "!= on the same coordinates";
    EXPECT_TRUE(r.EqualRect(CRect(10, 10, 30, 40))) << "EqualRect";
    EXPECT_FALSE(r.EqualRect(nullptr)) << "EqualRect(NULL) is false";
}

TEST(Geometry, RectIntersectUnionSubtract)
{
    struct {
        RECT a, b;
        RECT inter;
        bool interNonEmpty;
        RECT uni;
        bool uniNonEmpty;
    } cases[] = {
        // Overlapping.
        {{0, 0, 10, 10}, {5, 5, 15, 15}, {5, 5, 10, 10}, true, {0, 0, 15, 15}, true},
        // One inside the other.
        {{0, 0, 10, 10}, {2, 2, 4, 4}, {2, 2, 4, 4}, true, {0, 0, 10, 10}, true},
        // Disjoint: the intersection is the null rectangle, the union spans both.
        {{0, 0, 10, 10}, {20, 20, 30, 30}, {0, 0, 0, 0}, false, {0, 0, 30, 30}, true},
        // Touching edges share no pixel.
        {{0, 0, 10, 10}, {10, 0, 20, 10}, {0, 0, 0, 0}, false, {0, 0, 20, 10}, true},
        // An empty operand does not take part in a union.
        {{0, 0, 10, 10}, {50, 50, 50, 60}, {0, 0, 0, 0}, false, {0, 0, 10, 10}, true},
        {{50, 50, 40, 60}, {0, 0, 10, 10}, {0, 0, 0, 0}, false, {0, 0, 10, 10}, true},
        // Both empty.
        {{0, 0, 0, 0}, {5, 5, 5, 5}, {0, 0, 0, 0}, false, {0, 0, 0, 0}, false},
    };
    for (const auto& c : cases) {
        std::string label = Show(c.a) + " and " + Show(c.b);
        CRect r;
        EXPECT_EQ(c.interNonEmpty, !!r.IntersectRect(&c.a, &c.b))
            << "IntersectRect result of " << label;
        ExpectRect(c.inter, r, ("IntersectRect of " + label).c_str());
        ExpectRect(c.inter, CRect(c.a) & c.b, ("operator& of " + label).c_str());
        CRect acc(c.a);
        acc &= c.b;
        ExpectRect(c.inter, acc, ("operator&= of " + label).c_str());

        EXPECT_EQ(c.uniNonEmpty, !!r.UnionRect(&c.a, &c.b)) << "UnionRect result of " << label;
        ExpectRect(c.uni, r, ("UnionRect of " + label).c_str());
        ExpectRect(c.uni, CRect(c.a) | c.b, ("operator| of " + label).c_str());
        acc = c.a;
        acc |= c.b;
        ExpectRect(c.uni, acc, ("operator|= of " + label).c_str());
    }

    // Subtraction only shrinks the first rectangle when the second covers a whole side of it.
    struct {
        RECT a, b, out;
    } sub[] = {
        {{0, 0, 10, 10}, {5, -1, 11, 11}, {0, 0, 5, 10}},    // covers the right part
        {{0, 0, 10, 10}, {-1, -1, 11, 4}, {0, 4, 10, 10}},   // covers the top part
        {{0, 0, 10, 10}, {2, 2, 4, 4}, {0, 0, 10, 10}},      // a hole: unchanged
        {{0, 0, 10, 10}, {20, 20, 30, 30}, {0, 0, 10, 10}},  // disjoint: unchanged
        {{0, 0, 10, 10}, {-5, -5, 15, 15}, {0, 0, 0, 0}},    // fully covered: empty
    };
    for (const auto& s : sub) {
        CRect r;
        BOOL nonEmpty = r.SubtractRect(&s.a, &s.b);
        ExpectRect(s.out, r, ("SubtractRect " + Show(s.a) + " - " + Show(s.b)).c_str());
        EXPECT_EQ(!CRect(s.out).IsRectEmpty(), !!nonEmpty)
            << "SubtractRect result " << Show(s.a) << " - " << Show(s.b);
    }

    // Null arguments behave as empty rectangles and never crash.
    CRect r(1, 1, 2, 2);
    CRect a(0, 0, 10, 10);
    EXPECT_FALSE(r.IntersectRect(&a, nullptr)) << "IntersectRect with NULL";
    ExpectRect(CRect(), r, "IntersectRect with NULL empties");
    EXPECT_TRUE(r.UnionRect(nullptr, &a)) << "UnionRect with NULL";
    ExpectRect(a, r, "UnionRect with NULL keeps the other");
    EXPECT_TRUE(r.SubtractRect(&a, nullptr)) << "SubtractRect of NULL";
    ExpectRect(a, r, "SubtractRect of NULL keeps the source");
    EXPECT_FALSE(r.SubtractRect(nullptr, &a)) << "SubtractRect from NULL";
    ExpectRect(CRect(), r, "SubtractRect from NULL empties");
}
