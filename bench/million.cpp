// A million rectangles in one view. Windowless first: the bytes the process holds resident per
// painted rectangle appended (the element and its list slot, no region; goal: at most 96 on
// x86_64), and the time to append them. Then in a window of 800 by 600 pixels over a document a
// million rectangles tall: the time to append them (each drawn if it shows), to repaint the
// window, to scroll it by a page and to delete them all. Reports only; always exits 0.
#include <afxwin.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>

#include "BenchTiming.h"
#include "view/GraphicView.h"

#include <mirdalux.h>

namespace {

int kCount = 1000000;  // or the first argument
const int kColumns = 100;

// The process's resident bytes: every block the appends allocate is written, so it is resident
// (Wine does not report private bytes).
SIZE_T ResidentBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

void Append(CGraphicView* view)
{
    for (int i = 0; i < kCount; ++i) {
        const int x = i % kColumns * 8, y = i / kColumns * 8;
        GRAF_SHAPE shape = {"PAINT", {x, y, x + 6, y + 6}, "GRAY"};
        Grafic_Dll_Rectangle(view, &shape);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        kCount = std::atoi(argv[1]);
    Grafic_Dll_Start();
    {
        CGraphicView* view = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
        const SIZE_T before = ResidentBytes();
        const double append = SecondsOf([view] { Append(view); });
        const double bytes = double(ResidentBytes() - before) / kCount;
        std::printf("windowless: %d rectangles appended in %.2f s; %.1f bytes each (goal <= 96) "
                    "%s\n",
                    kCount, append, bytes, bytes <= 96 ? "met" : "NOT met");
        const double remove = SecondsOf([view] { Grafic_Dll_Del_All_Elt(view); });
        std::printf("windowless: deleted in %.3f s\n", remove);
        delete view;
    }

    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), _T("million"), WS_POPUP | WS_VISIBLE,
                    CRect(0, 0, 800, 600), NULL, 0);
    CGraphicView* view = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
    const RECT rc = {0, 0, 800, 600};
    Grafic_Dll_NewDoc(&parent, view, &rc, 1, FALSE);
    const double append = SecondsOf([view] { Append(view); });
    const double repaint = SecondsOf([view] { view->RedrawWindow(); });
    const double scroll = SecondsOf([view] {
        view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
        view->UpdateWindow();
    });
    const double remove = SecondsOf([view] { Grafic_Dll_Del_All_Elt(view); });
    std::printf("in a window: append %.2f s, repaint %.3f s, scroll by a page %.3f s, delete all "
                "%.3f s\n",
                append, repaint, scroll, remove);
    parent.DestroyWindow();
    Grafic_Dll_End();
    return 0;
}
