// CPoint, CSize and CRect: one table of constructors, operators and rectangle operations (each
// row an expression shown as text against its expected text), and the set operations' cases.
#include "TestSupport.h"

#include <initializer_list>

namespace {
std::string Str(SIZE s)
{
    return "[" + std::to_string(s.cx) + "x" + std::to_string(s.cy) + "]";
}
// Truth values as letters, "TF".
std::string B(std::initializer_list<int> truths)
{
    std::string v;
    for (int t : truths)
        v += t ? "T" : "F";
    return v;
}
// A copy of v after a statement on it (named r), as text; ON: of the rectangle (10, 10, 30, 40).
template <class T, class Op> std::string Do(T v, Op op)
{
    op(v);
    return Str(v);
}
#define DO(v, ...) Do(v, [&](auto& r) { __VA_ARGS__; })
#define ON(...) DO(CRect(10, 10, 30, 40), __VA_ARGS__)
// The truth an operation on the rectangle (1, 1, 2, 2) gives, then the rectangle: "T(0,0,5,10)".
template <class Op> std::string Set(Op op)
{
    CRect r(1, 1, 2, 2);
    BOOL b = op(r);
    return B({b}) + Str(r);
}
#define SET(...) Set([&](CRect& r) { return __VA_ARGS__; })
const CPoint p(10, 20);
const CSize s(3, -4);
const CRect r0(0, 0, 10, 10);
const CRect d(1, 2, 3, 4);
RECT raw = {1, 2, 11, 22};
const CRect c(raw);
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
        ROW(Str(CPoint(MAKELPARAM(-5, 7))) + Str(CPoint()) + Str(CSize()), "(-5,7)(0,0)[0x0]"),
        ROW(Str(CSize(CPoint(3, -4))) + Str(CPoint(CSize(-5, 6))), "[3x-4](-5,6)"),
        ROW(Str(p + s) + Str(p - s) + Str(-p), "(13,16)(7,24)(-10,-20)"),
        ROW(Str(p + CPoint(1, 2)) + Str(p - CPoint(1, 2)), "(11,22)[9x18]"),
        ROW(Str(s + CSize(1, 2)) + Str(s - CSize(1, 2)) + Str(-s), "[4x-2][2x-6][-3x4]"),
        ROW(Str(s + p) + Str(s - p), "(13,16)(-7,-24)"),
        ROW(Str(p + &r0) + Str(p - &r0), "(10,20,20,30)(-10,-20,0,-10)"),
        ROW(Str(s + &r0) + Str(s - &r0), "(3,-4,13,6)(-3,4,7,14)"),
        ROW(DO(p, r += s) + DO(p, r -= s) + DO(p, r += CPoint(5, 5)), "(13,16)(7,24)(15,25)"),
        ROW(DO(p, r -= CPoint(5, 6)) + DO(p, r.Offset(1, -1)), "(5,14)(11,19)"),
        ROW(DO(p, r.Offset(CPoint(-1, 2))) + DO(p, r.Offset(CSize(2, 3))), "(9,22)(12,23)"),
        ROW(DO(p, r.SetPoint(7, 8)) + DO(s, r.SetSize(9, 8)), "(7,8)[9x8]"),
        ROW(DO(s, r += CSize(1, 2)) + DO(s, r -= CSize(1, 2)), "[4x-2][2x-6]"),
        ROW(B({p == CPoint(10, 20), p != CPoint(10, 21), p != p}), "TTF"),
        ROW(B({p == CPoint(11, 20), p == CPoint(10, 21)}), "FF"),
        ROW(B({s == CSize(3, -4), s != CSize(4, -4), s != s, s == CSize(3, 4)}), "TTFF"),
        ROW(Str(CRect(raw)) + Str(CRect(&raw)) + Str(CRect((LPCRECT)NULL)),
            "(1,2,11,22)(1,2,11,22)(0,0,0,0)"),
        ROW(Str(CRect(CPoint(1, 2), CSize(10, 20))) + Str(CRect(CPoint(1, 2), CPoint(11, 22))),
            "(1,2,11,22)(1,2,11,22)"),
        ROW(Str(CSize(c.Width(), c.Height())) + Str(c.Size()), "[10x20][10x20]"),
        ROW(Str(c.TopLeft()) + Str(c.BottomRight()) + Str(c.CenterPoint()), "(1,2)(11,22)(6,12)"),
        ROW(B({CRect(0, 0, 0, 0).IsRectEmpty(), CRect(0, 0, 0, 0).IsRectNull()}), "TT"),
        ROW(B({CRect(0, 0, 5, 0).IsRectEmpty(), CRect(0, 0, 5, 0).IsRectNull()}), "TF"),
        ROW(B({CRect(0, 0, 0, 5).IsRectEmpty(), CRect(0, 0, 0, 5).IsRectNull()}), "TF"),
        ROW(B({CRect(5, 5, 1, 10).IsRectEmpty(), CRect(5, 5, 10, 1).IsRectEmpty()}), "TT"),
        ROW(B({CRect(0, 0, 1, 1).IsRectEmpty(), CRect(0, 0, 1, 1).IsRectNull()}), "FF"),
        ROW(B({CRect(-10, -10, -5, -5).IsRectEmpty(), CRect(0, 0, 0, 1).IsRectNull()}), "FF"),
        ROW(B({CRect(1, 0, 0, 0).IsRectNull(), CRect(0, 1, 0, 0).IsRectNull()}), "FF"),
        // Left and top edges are inside, right and bottom edges outside.
        ROW(B({r0.PtInRect({0, 0}), r0.PtInRect({9, 9}), r0.PtInRect({5, 5})}), "TTT"),
        ROW(B({r0.PtInRect({10, 5}), r0.PtInRect({5, 10})}), "FF"),
        ROW(B({r0.PtInRect({-1, 5}), r0.PtInRect({5, -1})}), "FF"),
        ROW(ON(r.TopLeft() = CPoint(0, 0), r.BottomRight().Offset(1, 1)), "(0,0,31,41)"),
        ROW(ON(r.SetRect(CPoint(5, 6), CPoint(7, 8))), "(5,6,7,8)"),
        ROW(ON(r.CopyRect(&raw), r.CopyRect(NULL)), "(1,2,11,22)"),
        ROW(ON(r.SwapLeftRight(), r.MoveToXY(100, 200)), "(100,200,80,230)"),
        ROW(ON(r.InflateRect(2, 3)) + ON(r.InflateRect(CSize(2, 3))), "(8,7,32,43)(8,7,32,43)"),
        ROW(ON(r.InflateRect(&d)) + ON(r.InflateRect(1, 2, 3, 4)), "(9,8,33,44)(9,8,33,44)"),
        ROW(ON(r.InflateRect((LPCRECT)NULL)), "(10,10,30,40)"),
        ROW(ON(r.DeflateRect(2, 3)) + ON(r.DeflateRect(CSize(2, 3))), "(12,13,28,37)(12,13,28,37)"),
        ROW(ON(r.DeflateRect(&d)) + ON(r.DeflateRect(1, 2, 3, 4)), "(11,12,27,36)(11,12,27,36)"),
        ROW(ON(r.DeflateRect(15, 0)), "(25,10,15,40)"),
        ROW(ON(r.OffsetRect(-10, 5)) + ON(r -= CPoint(1, 1)), "(0,15,20,45)(9,9,29,39)"),
        ROW(ON(r.OffsetRect(CPoint(-10, 5))) + ON(r += CPoint(1, 1)), "(0,15,20,45)(11,11,31,41)"),
        ROW(ON(r.OffsetRect(CSize(-10, 5))) + ON(r += CSize(1, 2)), "(0,15,20,45)(11,12,31,42)"),
        ROW(ON(r -= CSize(1, 2)) + ON(r += &d) + ON(r -= &d),
            "(9,8,29,38)(9,8,33,44)(11,12,27,36)"),
        ROW(ON(r = raw) + ON(r.SetRectEmpty()) + ON(r.MoveToX(0)),
            "(1,2,11,22)(0,0,0,0)(0,10,20,40)"),
        ROW(ON(r.MoveToY(0)) + ON(r.MoveToXY(CPoint(1, 1))), "(10,0,30,30)(1,1,21,31)"),
        ROW(ON(r = r.MulDiv(2, 3)), "(7,7,20,27)"),
        ROW(ON(r = r + CPoint(5, -5)) + ON(r = r - CPoint(5, -5)), "(15,5,35,35)(5,15,25,45)"),
        ROW(ON(r = r + CSize(5, -5)) + ON(r = r - CSize(5, -5)), "(15,5,35,35)(5,15,25,45)"),
        ROW(ON(r = r + &d) + ON(r = r - &d), "(9,8,33,44)(11,12,27,36)"),
        ROW(ON(r.SetRect(10, 0, 0, 10), r.NormalizeRect()), "(0,0,10,10)"),
        ROW(ON(r.SetRect(0, 10, 10, 0), r.NormalizeRect()), "(0,0,10,10)"),
        ROW(ON(r.SetRect(10, 10, -5, -5), r.NormalizeRect()) + ON(r.NormalizeRect()),
            "(-5,-5,10,10)(10,10,30,40)"),
        ROW(B({r0 == CRect(0, 0, 10, 10), r0 != CRect(0, 0, 10, 11), r0 != r0}), "TTF"),
        ROW(B({r0 == CRect(1, 0, 10, 10), r0 == CRect(0, 1, 10, 10), r0 == CRect(0, 0, 9, 10)}),
            "FFF"),
        ROW(B({r0.EqualRect(CRect(0, 0, 10, 10)), r0.EqualRect(NULL)}), "TF")};
#undef ROW
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.expected, r.value());
    }
    CRect r(raw);
    EXPECT_EQ(static_cast<RECT*>(&r), (LPRECT)r) << "operator LPRECT is the object itself";
    EXPECT_EQ(static_cast<const RECT*>(&r), (LPCRECT) static_cast<const CRect&>(r));
}

// Each row: two rectangles, then what intersecting and uniting them gives (the truth, then the
// rectangle), through the members and through the operators.
TEST(Geometry, RectIntersectUnionSubtract)
{
    struct Row {
        RECT a, b;
        const char *inter, *uni;
    } rows[] = {{{0, 0, 10, 10}, {5, 5, 15, 15}, "T(5,5,10,10)", "T(0,0,15,15)"},
                {{0, 0, 10, 10}, {2, 2, 4, 4}, "T(2,2,4,4)", "T(0,0,10,10)"},
                // Disjoint or touching: no shared pixel; the union spans both.
                {{0, 0, 10, 10}, {20, 20, 30, 30}, "F(0,0,0,0)", "T(0,0,30,30)"},
                {{0, 0, 10, 10}, {10, 0, 20, 10}, "F(0,0,0,0)", "T(0,0,20,10)"},
                // An empty operand does not take part in a union.
                {{0, 0, 10, 10}, {50, 50, 50, 60}, "F(0,0,0,0)", "T(0,0,10,10)"},
                {{50, 50, 40, 60}, {0, 0, 10, 10}, "F(0,0,0,0)", "T(0,0,10,10)"},
                {{0, 0, 0, 0}, {5, 5, 5, 5}, "F(0,0,0,0)", "F(0,0,0,0)"}};
    for (const Row& c : rows) {
        SCOPED_TRACE(Str(c.a) + " and " + Str(c.b));
        EXPECT_EQ(std::string(c.inter) + c.uni,
                  SET(r.IntersectRect(&c.a, &c.b)) + SET(r.UnionRect(&c.a, &c.b)));
        EXPECT_EQ(std::string(c.inter + 1) + (c.uni + 1) + (c.inter + 1) + (c.uni + 1),
                  Str(CRect(c.a) & c.b) + Str(CRect(c.a) | c.b) + DO(CRect(c.a), r &= c.b) +
                      DO(CRect(c.a), r |= c.b));
    }

    // Subtraction only shrinks the first rectangle when the second covers a whole side of it;
    // a NULL argument counts as an empty rectangle.
    const RECT a = {0, 0, 10, 10};
    struct Sub {
        const RECT* a;
        RECT b;
        const char* out;
    } sub[] = {{&a, {5, -1, 11, 11}, "T(0,0,5,10)"}, {&a, {-1, -1, 11, 4}, "T(0,4,10,10)"},
               {&a, {2, 2, 4, 4}, "T(0,0,10,10)"},   {&a, {20, 20, 30, 30}, "T(0,0,10,10)"},
               {&a, {-5, -5, 15, 15}, "F(0,0,0,0)"}, {NULL, {0, 0, 10, 10}, "F(0,0,0,0)"},
               {&a, {-1, 6, 11, 11}, "T(0,0,10,6)"}, {&a, {-1, -1, 3, 11}, "T(3,0,10,10)"}};
    for (const Sub& c : sub) {
        SCOPED_TRACE(Str(c.b));
        EXPECT_EQ(c.out, SET(r.SubtractRect(c.a, &c.b)));
    }
    EXPECT_EQ("F(0,0,0,0) T(0,0,10,10) T(0,0,10,10)", SET(r.IntersectRect(&a, nullptr)) + " " +
                                                          SET(r.UnionRect(nullptr, &a)) + " " +
                                                          SET(r.SubtractRect(&a, nullptr)));
}
