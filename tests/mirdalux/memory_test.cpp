// Exports called while the class layer refuses every allocation: no exception leaves the library,
// the view gains no element and no GDI object or device context is left behind.
#include "ViewFixture.h"

namespace {

BOOL AFXAPI RefuseEverything(size_t, BOOL, LONG)
{
    return FALSE;
}

class OutOfMemoryTest : public ViewFixture
{
protected:
    OutOfMemoryTest() : ViewFixture(300, 200) {}
};

}  // namespace

TEST_F(OutOfMemoryTest, ExportsDoNothingWhenNoBlockCanBeAllocated)
{
    CGraphicView* v = NewView(CRect(0, 0, 200, 150));
    // Copies share their buffer with the originals, so upper-casing or changing them must
    // allocate: the first allocation of each call is one the call cannot do without.
    const CString frame("frame"), gray("gray"), face("Geneva"), bold("bold");
    std::vector<POINT> points = {{1, 1}, {40, 5}, {20, 30}};
    CObArray pointList;
    for (POINT& p : points)
        pointList.Add(reinterpret_cast<CObject*>(&p));
    CStringArray styles;
    styles.Add(bold);

    struct Row {
        const char* name;
        std::function<void()> call;
    };
    const Row rows[] = {
        {"rectangle",
         [&] {
             GRAF_SHAPE s = {frame, {1, 1, 50, 40}, gray};
             Grafic_Dll_Rectangle(v, &s);
         }},
        {"oval",
         [&] {
             GRAF_SHAPE s = {frame, {1, 1, 50, 40}, gray};
             Grafic_Dll_Oval(v, &s);
         }},
        {"rounded rectangle",
         [&] {
             GRAF_ROUNDRECT r = {8, 8, {frame, {1, 1, 50, 40}, gray}};
             Grafic_Dll_Round_Rectangle(v, &r);
         }},
        {"arc",
         [&] {
             GRAF_ARC a = {0, 90, {frame, {1, 1, 50, 40}, gray}};
             Grafic_Dll_Arc(v, &a);
         }},
        {"polygon",
         [&] {
             GRAF_POLYGON p;
             p.shape.verb = frame;
             p.shape.pattern = gray;
             p.points.Append(pointList);
             Grafic_Dll_DefPolygon(v, &p);
         }},
        {"polyline", [&] { Grafic_Dll_Plot_Line(v, &pointList); }},
        {"text", [&] { Grafic_Dll_Draw_Text(v, &face); }},
        {"text box",
         [&] {
             GRAF_TEXTBOX b = {{0, 0, 90, 40}, gray, TRUE, face};
             Grafic_Dll_Draw_Text_Box(v, &b);
         }},
        {"text font", [&] { Grafic_Dll_Set_Text_Font(v, &face); }},
        {"text style", [&] { Grafic_Dll_Set_Text_Style(v, &styles); }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const int before = Grafic_Dll_GetNbElement(v);
        const INT_PTR listed = v->m_displayList.GetSize();
        {
            GdiCountGuard guard(r.name);
            AFX_ALLOC_HOOK pfnOld = AfxSetAllocHook(RefuseEverything);
            bool escaped = false;
            try {
                r.call();
            } catch (...) {
                escaped = true;
            }
            AfxSetAllocHook(pfnOld);
            EXPECT_FALSE(escaped) << "an exception left the export";
        }
        EXPECT_EQ(before, Grafic_Dll_GetNbElement(v));
        EXPECT_EQ(listed, v->m_displayList.GetSize());
    }
    EXPECT_EQ("frame", frame) << "a refused copy leaves the host's string as it was";
}
