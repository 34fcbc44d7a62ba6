// Repainting a window over a long display list: 100,000 elements (rectangles, lines, polylines
// and texts in a grid) over a document a hundred windows tall, of which the window shows about
// 1%, against 1,000 elements that fill just the window. Prints the time of a full repaint of
// the window (invalidate and paint) for both and their ratio (goal: at most 2: the repaint
// follows what shows, not the length of the list), and beside it the time the long list takes
// drawn whole (Grafic_Dll_RepaintView). Reports only; always exits 0.
#include <afxwin.h>

#include <cstdio>
#include <vector>

#include <DibCanvas.h>

#include "BenchTiming.h"
#include "view/GraphicView.h"

#include <mirdalux.h>

namespace {

const int kWidth = 800, kHeight = 600;
const int kRuns = 9;

// n elements in rows of 25 cells of 32 by 20 pixels: 750 cells fill a window.
CGraphicView* MakeView(CWnd* pParent, int n)
{
    CGraphicView* view = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
    const CString text("Hi");
    for (int i = 0; i < n; ++i) {
        const int x = i % 25 * 32, y = i / 25 * 20;
        GRAF_SHAPE shape = {"FRAME", {x, y, x + 28, y + 16}, ""};
        POINT a = {x, y}, b = {x + 28, y + 16};
        switch (i % 4) {
        case 0:
            Grafic_Dll_Rectangle(view, &shape);
            break;
        case 1:
            Grafic_Dll_Set_Pen_Location(view, &a);
            Grafic_Dll_Line_To_Point(view, &b);
            break;
        case 2: {
            CObArray points;
            POINT corners[3] = {{x, y + 16}, {x + 14, y}, {x + 28, y + 16}};
            for (POINT& p : corners)
                points.Add(reinterpret_cast<CObject*>(&p));
            Grafic_Dll_Plot_Line(view, &points);
            break;
        }
        default:
            Grafic_Dll_Set_Pen_Location(view, &b);
            Grafic_Dll_Draw_Text(view, &text);
        }
    }
    // The window comes last: appending to a view without one draws nothing.
    const RECT rc = {0, 0, kWidth, kHeight};
    Grafic_Dll_NewDoc(pParent, view, &rc, 1, FALSE);
    return view;
}

double Repaint(CGraphicView* view)
{
    std::vector<double> times;
    for (int r = 0; r < kRuns; ++r) {
        times.push_back(
            SecondsOf([view] { view->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW); }));
    }
    return Median(times);
}

}  // namespace

int main()
{
    Grafic_Dll_Start();
    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), _T("cull"), WS_POPUP | WS_VISIBLE,
                    CRect(0, 0, kWidth, kHeight), NULL, 0);
    CGraphicView* small = MakeView(&parent, 1000);
    const double tSmall = Repaint(small);
    small->DestroyWindow();
    CGraphicView* large = MakeView(&parent, 100000);
    const double tLarge = Repaint(large);
    DibCanvas canvas(kWidth, kHeight);
    const double tWhole = SecondsOf([&] { Grafic_Dll_RepaintView(large, &canvas.Dc()); });
    const double ratio = tLarge / tSmall;
    std::printf("window repaint: 1000 elements %.3f ms, 100000 elements %.3f ms, ratio %.2f "
                "(goal <= 2) %s; the 100000 drawn whole: %.3f ms\n",
                tSmall * 1e3, tLarge * 1e3, ratio, ratio <= 2 ? "met" : "NOT met", tWhole * 1e3);
    parent.DestroyWindow();
    Grafic_Dll_End();
    return 0;
}
