// Exports called while the class layer refuses every allocation: no exception leaves the library,
// the view gains no element and no GDI object or device context is left behind.
#include "TestShape.h"

namespace {

BOOL AFXAPI RefuseEverything(size_t, BOOL, LONG)
{
    return FALSE;
}

using OutOfMemoryTest = ViewsIn<300, 200>;

}  // namespace

TEST_F(OutOfMemoryTest, ExportsDoNothingWhenNoBlockCanBeAllocated)
{
    CGraphicView* v = NewView(CRect(0, 0, 200, 150));
    // Copies share their buffer with the originals, so upper-casing or changing them must
    // allocate: the first allocation of each call is one the call cannot do without.
    const CString frame("frame"), gray("gray"), face("Geneva"), bold("bold");
    const CRect box(1, 1, 50, 40);
    HostPoints host({{1, 1}, {40, 5}, {20, 30}});
    CStringArray styles;
    styles.Add(bold);
    const std::pair<const char*, std::function<void()>> rows[] = {
        {"rectangle", [&] { AddShape(v, kRect, frame, gray, box); }},
        {"oval", [&] { AddShape(v, kOval, frame, gray, box); }},
        {"rounded rectangle", [&] { AddShape(v, kRoundRect, frame, gray, box); }},
        {"arc", [&] { AddShape(v, kArc, frame, gray, box); }},
        {"polygon",
         [&] {
             GRAF_POLYGON p;
             p.shape.verb = frame;
             p.shape.pattern = gray;
             p.points.Append(host.array);
             Grafic_Dll_DefPolygon(v, &p);
         }},
        {"polyline", [&] { Grafic_Dll_Plot_Line(v, &host.array); }},
        {"text", [&] { Grafic_Dll_Draw_Text(v, &face); }},
        {"text box", [&] { AddTextBox(v, CRect(0, 0, 90, 40), gray, face); }},
        {"text font", [&] { Grafic_Dll_Set_Text_Font(v, &face); }},
        {"text style", [&] { Grafic_Dll_Set_Text_Style(v, &styles); }},
    };
    for (const auto& [name, call] : rows) {
        SCOPED_TRACE(name);
        const int before = Grafic_Dll_GetNbElement(v);
        {
            GdiCountGuard guard(name);
            AFX_ALLOC_HOOK pfnOld = AfxSetAllocHook(RefuseEverything);
            bool escaped = false;
            try {
                call();
            } catch (...) {
                escaped = true;
            }
            AfxSetAllocHook(pfnOld);
            EXPECT_FALSE(escaped) << "an exception left the export";
        }
        EXPECT_EQ(before, Grafic_Dll_GetNbElement(v)) << "no element appended";
    }
    EXPECT_EQ("frame", frame) << "a refused copy leaves the host's string as it was";
}
