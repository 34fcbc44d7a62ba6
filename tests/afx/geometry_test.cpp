// CPoint, CSize and CRect: one table of constructors, operators and rectangle operations (each
// row an expression shown as text against its expected text), and the set operations' cases.
#include "TestSupport.h"

namespace {
std::string Str(SIZE s)
{
    return "[" + std::to_string(s.cx) + "x" + std::to_string(s.cy) + "]";
}
std::string B(BOOL b)
{
    return b ? "T" : "F";
}
// A copy of v after an operation, as text; On: of the rectangle (10, 10, 30, 40).
template <class T, class Op> std::string Do(T v, Op op)
{
    op(v);
    return Str(v);
}
template <class Op> std::string On(Op op)
{
    return Do(CRect(10, 10, 30, 40), op);
}
const CPoint p(10, 20);
const CSize s(3, -4);
const CRect r0(0, 0, 10, 10);
const CRect d(1, 2, 3, 4);
RECT raw = {1, 2, 11, 22};
}  // namespace

TEST(Geometry, Expressions)
{
    // clang-format off
#define ROW(expr, expected) {#expr, [] { return std::string(expr); }, expected}
    // clang-format on
    struct Row {
        const char* name;
        std::string (*value)();
        const char* expected;
    } rows[] = {
        // Packed coordinates are two signed 16-bit words, as mouse messages carry them.
        ROW(Str(CPoint((LPARAM)0x00140010u)) + Str(CSize(0x00140010u)), "(16,20)[16x20]"),
        ROW(Str(CPoint((LPARAM)0xFFFFFFFEu)) + Str(CSize(0xFFFFFFFEu)), "(-2,-1)[-2x-1]"),
        ROW(Str(CPoint((LPARAM)0x80007FFFu)) + Str(CSize(0x80007FFFu)),
            "(32767,-32768)[32767x-32768]"),
        ROW(Str(CPoint(MAKELPARAM(-5, 7))), "(-5,7)"),
        ROW(Str(CSize(CPoint(3, -4))) + Str(CPoint(CSize(-5, 6))), "[3x-4](-5,6)"),
        ROW(Str(CPoint()) + Str(CSize()), "(0,0)[0x0]"),
        ROW(Str(p + s) + Str(p - s) + Str(-p), "(13,16)(7,24)(-10,-20)"),
        ROW(Str(p + CPoint(1, 2)) + Str(p - CPoint(1, 2)), "(11,22)[9x18]"),
        ROW(Str(s + CSize(1, 2)) + Str(s - CSize(1, 2)) + Str(-s), "[4x-2][2x-6][-3x4]"),
        ROW(Str(s + p) + Str(s - p), "(13,16)(-7,-24)"),
        ROW(Str(p + &r0) + Str(p - &r0), "(10,20,20,30)(-10,-20,0,-10)"),
        ROW(Str(s + &r0) + Str(s - &r0), "(3,-4,13,6)(-3,4,7,14)"),
        ROW(Do(p, [](CPoint& q) { q += s; }) + Do(p, [](CPoint& q) { q -= s; }), "(13,16)(7,24)"),
        ROW(Do(p, [](CPoint& q) { q += CPoint(5, 5); }), "(15,25)"),
        ROW(Do(p, [](CPoint& q) { q -= CPoint(5, 6); }), "(5,14)"),
        ROW(Do(p, [](CPoint& q) { q.Offset(1, -1); }), "(11,19)"),
        ROW(Do(p, [](CPoint& q) { q.Offset(CPoint(-1, 2)); }), "(9,22)"),
        ROW(Do(p, [](CPoint& q) { q.Offset(CSize(2, 3)); }), "(12,23)"),
        ROW(Do(p, [](CPoint& q) { q.SetPoint(7, 8); }), "(7,8)"),
        ROW(Do(s, [](CSize& t) { t += CSize(1, 2); }) + Do(s, [](CSize& t) { t -= CSize(1, 2); }),
            "[4x-2][2x-6]"),
        ROW(Do(s, [](CSize& t) { t.SetSize(9, 8); }), "[9x8]"),
        ROW(B(p == CPoint(10, 20)) + B(p != CPoint(10, 21)) + B(p != p), "TTF"),
        ROW(B(p == CPoint(11, 20)) + B(p == CPoint(10, 21)), "FF"),
        ROW(B(s == CSize(3, -4)) + B(s != CSize(4, -4)) + B(s != s) + B(s == CSize(3, 4)), "TTFF"),
        ROW(Str(CRect(raw)) + Str(CRect(&raw)) + Str(CRect((LPCRECT)NULL)),
            "(1,2,11,22)(1,2,11,22)(0,0,0,0)"),
        ROW(Str(CRect(CPoint(1, 2), CSize(10, 20))) + Str(CRect(CPoint(1, 2), CPoint(11, 22))),
            "(1,2,11,22)(1,2,11,22)"),
        ROW(std::to_string(CRect(raw).Width()) + Str(CRect(raw).Size()), "10[10x20]"),
        ROW(std::to_string(CRect(raw).Height()), "20"),
        ROW(Str(CRect(raw).TopLeft()) + Str(CRect(raw).BottomRight()) +
                Str(CRect(raw).CenterPoint()),
            "(1,2)(11,22)(6,12)"),
        ROW(B(CRect(0, 0, 0, 0).IsRectEmpty()) + B(CRect(0, 0, 0, 0).IsRectNull()), "TT"),
        ROW(B(CRect(0, 0, 5, 0).IsRectEmpty()) + B(CRect(0, 0, 5, 0).IsRectNull()), "TF"),
        ROW(B(CRect(0, 0, 0, 5).IsRectEmpty()) + B(CRect(0, 0, 0, 5).IsRectNull()), "TF"),
        ROW(B(CRect(5, 5, 1, 10).IsRectEmpty()) + B(CRect(5, 5, 10, 1).IsRectEmpty()), "TT"),
        ROW(B(CRect(0, 0, 1, 1).IsRectEmpty()) + B(CRect(0, 0, 1, 1).IsRectNull()), "FF"),
        ROW(B(CRect(-10, -10, -5, -5).IsRectEmpty()) + B(CRect(0, 0, 0, 1).IsRectNull()), "FF"),
        ROW(B(CRect(1, 0, 0, 0).IsRectNull()) + B(CRect(0, 1, 0, 0).IsRectNull()), "FF"),
        // Left and top edges are inside, right and bottom edges outside.
        ROW(B(r0.PtInRect(CPoint(0, 0))) + B(r0.PtInRect(CPoint(9, 9))) +
                B(r0.PtInRect(CPoint(5, 5))),
            "TTT"),
        ROW(B(r0.PtInRect(CPoint(10, 5))) + B(r0.PtInRect(CPoint(5, 10))), "FF"),
        ROW(B(r0.PtInRect(CPoint(-1, 5))) + B(r0.PtInRect(CPoint(5, -1))), "FF"),
        ROW(On([](CRect& r) { r.TopLeft() = CPoint(0, 0), r.BottomRight().Offset(1, 1); }),
            "(0,0,31,41)"),
        ROW(On([](CRect& r) { r.SetRect(CPoint(5, 6), CPoint(7, 8)); }), "(5,6,7,8)"),
        ROW(On([](CRect& r) { r.CopyRect(&raw), r.CopyRect(NULL); }), "(1,2,11,22)"),
        ROW(On([](CRect& r) { r.SwapLeftRight(), r.MoveToXY(100, 200); }), "(100,200,80,230)"),
        ROW(On([](CRect& r) { r.InflateRect(2, 3); }), "(8,7,32,43)"),
        ROW(On([](CRect& r) { r.InflateRect(CSize(2, 3)); }), "(8,7,32,43)"),
        ROW(On([](CRect& r) { r.InflateRect(&d); }), "(9,8,33,44)"),
        ROW(On([](CRect& r) { r.InflateRect(1, 2, 3, 4); }), "(9,8,33,44)"),
        ROW(On([](CRect& r) { r.InflateRect((LPCRECT)NULL); }), "(10,10,30,40)"),
        ROW(On([](CRect& r) { r.DeflateRect(2, 3); }), "(12,13,28,37)"),
        ROW(On([](CRect& r) { r.DeflateRect(CSize(2, 3)); }), "(12,13,28,37)"),
        ROW(On([](CRect& r) { r.DeflateRect(&d); }), "(11,12,27,36)"),
        ROW(On([](CRect& r) { r.DeflateRect(1, 2, 3, 4); }), "(11,12,27,36)"),
        ROW(On([](CRect& r) { r.DeflateRect(15, 0); }), "(25,10,15,40)"),
        ROW(On([](CRect& r) { r.OffsetRect(-10, 5); }), "(0,15,20,45)"),
        ROW(On([](CRect& r) { r.OffsetRect(CPoint(-10, 5)); }), "(0,15,20,45)"),
        ROW(On([](CRect& r) { r.OffsetRect(CSize(-10, 5)); }), "(0,15,20,45)"),
        ROW(On([](CRect& r) { r += CPoint(1, 1); }), "(11,11,31,41)"),
        ROW(On([](CRect& r) { r -= CPoint(1, 1); }), "(9,9,29,39)"),
        ROW(On([](CRect& r) { r += CSize(1, 2); }), "(11,12,31,42)"),
        ROW(On([](CRect& r) { r -= CSize(1, 2); }), "(9,8,29,38)"),
        ROW(On([](CRect& r) { r += &d; }), "(9,8,33,44)"),
        ROW(On([](CRect& r) { r -= &d; }), "(11,12,27,36)"),
        ROW(On([](CRect& r) { r = raw; }), "(1,2,11,22)"),
        ROW(On([](CRect& r) { r.SetRectEmpty(); }), "(0,0,0,0)"),
        ROW(On([](CRect& r) { r.MoveToX(0); }), "(0,10,20,40)"),
        ROW(On([](CRect& r) { r.MoveToY(0); }), "(10,0,30,30)"),
        ROW(On([](CRect& r) { r.MoveToXY(CPoint(1, 1)); }), "(1,1,21,31)"),
        ROW(On([](CRect& r) { r = r.MulDiv(2, 3); }), "(7,7,20,27)"),
        ROW(On([](CRect& r) { r = r + CPoint(5, -5); }), "(15,5,35,35)"),
        ROW(On([](CRect& r) { r = r - CPoint(5, -5); }), "(5,15,25,45)"),
        ROW(On([](CRect& r) { r = r + CSize(5, -5); }), "(15,5,35,35)"),
        ROW(On([](CRect& r) { r = r - CSize(5, -5); }), "(5,15,25,45)"),
        ROW(On([](CRect& r) { r = r + &d; }), "(9,8,33,44)"),
        ROW(On([](CRect& r) { r = r - &d; }), "(11,12,27,36)"),
        ROW(On([](CRect& r) { r.SetRect(10, 0, 0, 10), r.NormalizeRect(); }), "(0,0,10,10)"),
        ROW(On([](CRect& r) { r.SetRect(0, 10, 10, 0), r.NormalizeRect(); }), "(0,0,10,10)"),
        ROW(On([](CRect& r) { r.SetRect(10, 10, -5, -5), r.NormalizeRect(); }), "(-5,-5,10,10)"),
        ROW(On([](CRect& r) { r.NormalizeRect(); }), "(10,10,30,40)"),
        ROW(B(r0 == CRect(0, 0, 10, 10)) + B(r0 != CRect(0, 0, 10, 11)) + B(r0 != r0), "TTF"),
        ROW(B(r0 == CRect(1, 0, 10, 10)) + B(r0 == CRect(0, 1, 10, 10)) +
                B(r0 == CRect(0, 0, 9, 10)),
            "FFF"),
        ROW(B(r0.EqualRect(CRect(0, 0, 10, 10))) + B(r0.EqualRect(NULL)), "TF"),
    };
#undef ROW
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.expected, r.value());
    }
    CRect r(raw);
    EXPECT_EQ(static_cast<RECT*>(&r), (LPRECT)r) << "operator LPRECT is the object itself";
    EXPECT_EQ(static_cast<const RECT*>(&r), (LPCRECT) static_cast<const CRect&>(r));
}

TEST(Geometry, RectIntersectUnionSubtract)
{
    struct Row {
        RECT a, b;
        RECT inter;
        bool interNonEmpty;
        RECT uni;
        bool uniNonEmpty;
    } rows[] = {
        {{0, 0, 10, 10}, {5, 5, 15, 15}, {5, 5, 10, 10}, true, {0, 0, 15, 15}, true},
        {{0, 0, 10, 10}, {2, 2, 4, 4}, {2, 2, 4, 4}, true, {0, 0, 10, 10}, true},
        // Disjoint or touching: no shared pixel; the union spans both.
        {{0, 0, 10, 10}, {20, 20, 30, 30}, {0, 0, 0, 0}, false, {0, 0, 30, 30}, true},
        {{0, 0, 10, 10}, {10, 0, 20, 10}, {0, 0, 0, 0}, false, {0, 0, 20, 10}, true},
        // An empty operand does not take part in a union.
        {{0, 0, 10, 10}, {50, 50, 50, 60}, {0, 0, 0, 0}, false, {0, 0, 10, 10}, true},
        {{50, 50, 40, 60}, {0, 0, 10, 10}, {0, 0, 0, 0}, false, {0, 0, 10, 10}, true},
        {{0, 0, 0, 0}, {5, 5, 5, 5}, {0, 0, 0, 0}, false, {0, 0, 0, 0}, false},
    };
    for (const Row& c : rows) {
        SCOPED_TRACE(Str(c.a) + " and " + Str(c.b));
        CRect r, acc(c.a), acc2(c.a);
        EXPECT_EQ(c.interNonEmpty, !!r.IntersectRect(&c.a, &c.b));
        acc &= c.b;
        EXPECT_EQ(Str(c.inter) + Str(c.inter) + Str(c.inter),
                  Str(r) + Str(CRect(c.a) & c.b) + Str(acc));
        EXPECT_EQ(c.uniNonEmpty, !!r.UnionRect(&c.a, &c.b));
        acc2 |= c.b;
        EXPECT_EQ(Str(c.uni) + Str(c.uni) + Str(c.uni), Str(r) + Str(CRect(c.a) | c.b) + Str(acc2));
    }

    // Subtraction only shrinks the first rectangle when the second covers a whole side of it;
    // a NULL argument counts as an empty rectangle.
    const RECT a = {0, 0, 10, 10};
    struct Sub {
        const RECT* a;
        RECT b, out;
    } sub[] = {
        {&a, {5, -1, 11, 11}, {0, 0, 5, 10}}, {&a, {-1, -1, 11, 4}, {0, 4, 10, 10}},
        {&a, {2, 2, 4, 4}, {0, 0, 10, 10}},   {&a, {20, 20, 30, 30}, {0, 0, 10, 10}},
        {&a, {-5, -5, 15, 15}, {0, 0, 0, 0}}, {NULL, {0, 0, 10, 10}, {0, 0, 0, 0}},
        {&a, {-1, 6, 11, 11}, {0, 0, 10, 6}}, {&a, {-1, -1, 3, 11}, {3, 0, 10, 10}},
    };
    for (const Sub& c : sub) {
        SCOPED_TRACE(Str(c.b));
        CRect r(1, 1, 2, 2);
        BOOL nonEmpty = r.SubtractRect(c.a, &c.b);
        EXPECT_EQ(Str(c.out), Str(r));
        EXPECT_EQ(!CRect(c.out).IsRectEmpty(), !!nonEmpty);
    }
    CRect r(1, 1, 2, 2);
    EXPECT_FALSE(r.IntersectRect(&a, nullptr));
    EXPECT_EQ("(0,0,0,0)", Str(r));
    EXPECT_TRUE(r.UnionRect(nullptr, &a));
    EXPECT_EQ("(0,0,10,10)", Str(r));
    EXPECT_TRUE(r.SubtractRect(&a, nullptr));
    EXPECT_EQ("(0,0,10,10)", Str(r));
}
