// After every change of the display list or a region, the index answers as the walk of the list
// at every point of a grid over the document and beyond, the ends of the 32-bit plane included.
#include <random>
#include <tuple>
#include <utility>

#include "TestShape.h"
#include "lib/Library.h"

namespace {

// A host whose pictures of number 1 come with a checkerboard of index 0 (transparent for odd
// parameters); the others wait for Grafic_Dll_Set_Pict. A drawing runs the armed action once.
class HitIndexTest : public ViewsIn<420, 320>
{
protected:
    static uint32_t Board(int x, int y) { return (x + y) % 2; }
    static HGLOBAL Checker(int size = 8) { return MakeDib(size, size, 8, {kWhite, kBlack}, Board); }
    static void __cdecl Draw(PictDrawRequest*)
    {
        if (s_onDraw)
            std::exchange(s_onDraw, nullptr)();
    }
    static void __cdecl Request(ResourceRequest* r)
    {
        if (r->kind == RES_PICT && r->number == 1)
            std::tie(r->handle, r->transparentIndex) = std::make_pair(Checker(), r->param % 2 - 1);
    }
    static inline std::function<void()> s_onDraw;
};

// Appends n seeded regions of every kind (overlapping, some large), plain shapes and icons, and
// pictures answered at once or waiting for their image, over and around the view.
void AppendMix(CGraphicView* v, std::mt19937& rng, int n)
{
    auto any = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int i = 0; i < n; ++i) {
        const int x = any(-40, 400), y = any(-40, 300), size = any(0, 9) == 0 ? 300 : any(3, 90);
        const CRect rc(x, y, x + any(3, size), y + any(3, size));
        const CString verb = any(0, 1) ? "ACTIVE" : "CLICK", id(std::to_string(any(1, 4)).c_str());
        std::vector<POINT> pts = {{x, y}, {rc.right, y + 5}, {x + 7, rc.bottom}, {rc.right, y}};
        GRAF_POLYGON polygon;
        FillPolygonBlock(polygon, verb, id, pts);
        const GRAF_ICON icon = {x, y, 7, any(0, 3), any(0, 1) ? "label" : ""};
        const GRAF_PICTURE picture = {x, y, any(1, 2), any(0, 1), any(0, 3)};
        const int kind = any(0, 6);
        if (kind < 2)
            AddShape(v, ShapeKind(any(0, 3)), kind ? verb : "PAINT", kind ? id : "GRAY", rc);
        else if (kind < 4)
            kind == 2 ? Grafic_Dll_DefPolygon(v, &polygon) : Grafic_Dll_Icon(v, &icon);
        else
            Grafic_Dll_Picture(v, &picture);
    }
}

}  // namespace

TEST_F(HitIndexTest, ElementAtAnswersAsTheWalkAfterEveryChange)
{
    *GetGraficCallbacks() = {NULL, NULL, &Draw, &Request, NULL, NULL, NULL, NULL};
    CGraphicView* v = NewView(CRect(0, 0, 400, 300));
    std::mt19937 rng(1996);
    CUIntArray ids, numbers;
    ids.Add(2), numbers.Add(3), numbers.Add(40), numbers.Add(9);
    const CRect whole(INT_MIN, INT_MIN, INT_MAX, INT_MAX), moved(10, 10, 40, 40);
    const POINT cur = {150, 100};
    std::vector<POINT> points = {{INT_MIN, INT_MIN}, {INT_MAX - 1, 5}, {INT_MAX, 5}, {-7, INT_MAX}};
    for (int y = -50; y < 350; y += 4)
        for (int x = -50; x < 450; x += 4)
            points.push_back({x, y});
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"append a mix", [&] { AppendMix(v, rng, 150); }},
        {"delete listed elements", [&] { Grafic_Dll_Del_Listed_Elt(v, &numbers, TRUE); }},
        {"delete listed active regions", [&] { Grafic_Dll_Del_Listed_Activ_Rgn(v, &ids); }},
        {"delete listed click regions", [&] { Grafic_Dll_Del_Listed_Click_Rgn(v, &ids); }},
        {"pictures waiting get their image", [&] { Grafic_Dll_Set_Pict(v, 2, Checker(), 0); }},
        {"a current picture gets an image",
         [&] {
             Grafic_Dll_DefineCurPict(v, &cur, 3);
             Grafic_Dll_UpdateCurPict(v, Checker(), &moved, 0);
         }},
        {"the current picture moves", [&] { Grafic_Dll_UpdatePictSize(v, &moved); }},
        {"it gets a smaller image", [&] { Grafic_Dll_UpdateCurPict(v, Checker(4), &moved, -1); }},
        {"append more", [&] { AppendMix(v, rng, 60); }},
        {"a region over the whole plane", [&] { AddShape(v, kRect, "CLICK", "4", whole); }},
        {"a picture's drawing deletes all elements",
         [&] {
             AppendMix(v, rng, 40);
             s_onDraw = [v] { Grafic_Dll_Del_All_Elt(v); };
             Grafic_Dll_Set_Pict(v, 2, Checker(), -1);
             EXPECT_FALSE(std::exchange(s_onDraw, nullptr)) << "no picture was drawn";
         }},
        {"delete all click regions", [&] { Grafic_Dll_Del_All_Click_Rgn(v); }},
        {"append after the deletions", [&] { AppendMix(v, rng, 60); }},
        {"delete the last element", [&] { Grafic_Dll_Del_Last_Elt(v, TRUE); }},
        {"delete all active regions", [&] { Grafic_Dll_Del_All_Activ_Rgn(v); }}};
    for (const auto& [name, change] : steps) {
        SCOPED_TRACE(name);
        change();
        int hits = 0;
        for (const POINT& p : points) {
            CGraphicElement* walk = v->ElementAtByWalk(p);
            hits += walk != NULL;
            ASSERT_EQ(walk, v->ElementAt(p)) << "at " << Str(p);
        }
        EXPECT_GT(hits, 0) << "no point holds a region: the step checks nothing";
    }
}
