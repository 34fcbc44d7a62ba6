// Printing a graphic view on a real printer (Wine's PostScript driver writing to a file): the
// mapping and fonts the printer context gets, and the print preview opened in the view's frame,
// printing one page.
#include "TestPrinter.h"
#include "ViewFixture.h"

#include <afxdlgs.h>
#include <afxres.h>

#include "TestShape.h"
#include "print/GrafPreview.h"

namespace {

class PrintTest : public ViewFixture
{
protected:
    PrintTest() : ViewFixture(420, 320), m_printer("mirdalux print test") {}

    void SetUp() override
    {
        ViewFixture::SetUp();
        ASSERT_TRUE(m_printer.Ready()) << m_printer.Error();
    }

    TestPrinter m_printer;
};

// The mapping, font, text and rectangle records, in order, up to the last drawing.
std::string MappingFontsAndDrawing(EmfRecorder& rec)
{
    std::vector<std::string> names;
    size_t drawn = 0;
    for (const EmfRecord& r : rec.Records()) {
        const std::string size = std::to_string(r.Long(0)) + "x" + std::to_string(r.Long(1));
        if (r.type == EMR_SETMAPMODE)
            names.push_back("map " + std::to_string(r.Long(0)));
        else if (r.type == EMR_SETWINDOWEXTEX || r.type == EMR_SETVIEWPORTEXTEX)
            names.push_back((r.type == EMR_SETWINDOWEXTEX ? "window " : "viewport ") + size);
        else if (r.type == EMR_EXTCREATEFONTINDIRECTW)
            names.push_back("font " + std::to_string(r.Long(1)));
        else if (r.type == EMR_RECTANGLE || r.type == EMR_EXTTEXTOUTW)
            names.push_back(r.type == EMR_RECTANGLE ? "rectangle" : "text"), drawn = names.size();
    }
    names.resize(drawn);
    return Joined(names);
}

// What the frame and other windows hear while a preview opens and closes: message strings, as
// "frame Page 1" or "other 57345", and dialog boxes (not the toolbar) opening.
std::vector<std::string> g_heard;
HWND g_frame;
LRESULT CALLBACK Listen(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT& m = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && m.message == WM_SETMESSAGESTRING)
        g_heard.push_back((m.hwnd == g_frame ? "frame " : "other ") +
                          (m.wParam != 0 || m.lParam == 0 ? std::to_string(m.wParam)
                                                          : std::string((LPCSTR)m.lParam)));
    else if (code == HC_ACTION && m.message == WM_INITDIALOG &&
             (::GetWindowLong(m.hwnd, GWL_STYLE) & WS_CHILD) == 0)
        g_heard.push_back("dialog");
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}

}  // namespace

// The view's printing calls on a context that records into a metafile and takes its attributes
// from the printer: a screen pixel becomes printer-dpi / screen-dpi dots both ways, set again
// for the page after OnPrepareDC's MM_TEXT and kept while the elements draw in list order; fonts
// are sized for the screen; the job is one page.
TEST_F(PrintTest, PrinterContextScalesScreenPixels)
{
    HDC hPrinter = ::CreateDCA(NULL, m_printer.Name().c_str(), NULL, NULL);
    ASSERT_NE(nullptr, hPrinter);
    const std::string printerDpi = std::to_string(::GetDeviceCaps(hPrinter, LOGPIXELSX));
    const int screenDpi = ::GetDeviceCaps(CClientDC(NULL).m_hDC, LOGPIXELSX);
    const std::string scale = "map 8, window " + std::to_string(screenDpi) + "x" +
                              std::to_string(screenDpi) + ", viewport " + printerDpi + "x" +
                              printerDpi;
    CGraphicView* view = NewView();
    AddShape(view, kRect, "PAINT", "", CRect(10, 10, 110, 60));
    Grafic_Dll_Set_Text_Size(view, 24);
    const CString text("Hi");
    Grafic_Dll_Draw_Text(view, &text);
    EmfRecorder rec(hPrinter);
    CDC dc;
    dc.m_hDC = rec.Dc().m_hDC;
    dc.m_hAttribDC = hPrinter;
    dc.m_bPrinting = TRUE;
    CPrintInfo info;
    view->OnBeginPrinting(&dc, &info);
    info.m_nCurPage = 1;
    view->OnPrepareDC(&dc, &info);
    view->OnPrint(&dc, &info);
    dc.m_hDC = dc.m_hAttribDC = NULL;
    EXPECT_EQ(scale + ", map 1, " + scale + ", rectangle, font " +
                  std::to_string(-24 * screenDpi / 72) + ", text",
              MappingFontsAndDrawing(rec))
        << rec.Describe();
    EXPECT_EQ(1u, info.GetMinPage());
    EXPECT_EQ(1u, info.GetMaxPage());
    ::DeleteDC(hPrinter);
}

// The preview takes the view's place in its frame under the toolbar, shows the page number in
// that frame alone and keeps its buttons current without idle time. Close, and Print (which
// then prints a list four sheets tall as one page, or nothing when cancelled), give the place
// back; so does destroying the view. A null view, a view outside a frame and a second preview
// open nothing.
TEST_F(PrintTest, PreviewTakesTheViewsPlaceInItsFrame)
{
    CFrameWnd* frame = new CFrameWnd;  // deletes itself with its window
    frame->Create(NULL, _T("frame"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 800));
    g_frame = frame->m_hWnd;
    const HHOOK hook = ::SetWindowsHookEx(WH_CALLWNDPROC, Listen, NULL, ::GetCurrentThreadId());
    CGraphicView* view = NewGraphicView(frame, CRect(0, 0, 400, 300), 0x1234);
    for (int y = 0; y < 4 * 1100; y += 100)
        AddShape(view, kRect, "FRAME", "", CRect(10, y, 60, y + 50));
    frame->SetActiveView(view);
    const auto child = [&](UINT id) { return frame->GetDlgItem(id); };
    const std::string idle = "frame " + std::to_string(AFX_IDS_IDLEMESSAGE);
    const struct {
        const char* name;
        UINT command;
        char answer;  // the Print dialog's
        std::string heard;
        int pages;
    } endings[] = {{"Close", AFX_ID_PREVIEW_CLOSE, 0, idle, 0},
                   {"Print", AFX_ID_PREVIEW_PRINT, 'o', idle + ", dialog", 1},
                   {"Print cancelled", AFX_ID_PREVIEW_PRINT, 'c', idle + ", dialog", 0}};
    {
        GdiCountGuard guard("previews and prints");
        Grafic_Dll_PrintPreview(NULL, AFX_IDW_PANE_FIRST);
        Grafic_Dll_PrintPreview(NewView(), AFX_IDW_PANE_FIRST);  // in a plain window
        EXPECT_FALSE(frame->IsInPreviewMode()) << "a null view or one outside a frame";
        for (const auto& e : endings) {
            SCOPED_TRACE(e.name);
            g_heard.clear();
            Grafic_Dll_PrintPreview(view, 0x55551234);  // the low 16 bits name the view's place
            CWnd *preview = child(AFX_IDW_PANE_FIRST), *bar = child(AFX_IDW_PREVIEW_BAR);
            ASSERT_TRUE(preview != NULL && bar != NULL);
            CRect barRect, previewRect;
            bar->GetWindowRect(&barRect);
            preview->GetWindowRect(&previewRect);
            frame->ScreenToClient(&barRect);
            Grafic_Dll_PrintPreview(view, AFX_IDW_PANE_FIRST);  // a second one
            ExpectAll(
                {{"the pane is the preview", preview->IsKindOf(RUNTIME_CLASS(GrafPreview))},
                 {"visible", preview->IsWindowVisible()},
                 {"bordered", preview->GetExStyle() & WS_EX_CLIENTEDGE},
                 {"and active", frame->GetActiveView() == preview},
                 {"the bar at the top", barRect.top == 0 && previewRect.top >= barRect.bottom},
                 {"the view hidden", !view->IsWindowVisible()},
                 {"no second preview", child(AFX_IDW_PANE_FIRST) == preview},
                 {"the frame hears the page", Joined(g_heard) == "frame Page 1"}});

            const struct {
                UINT command;  // 0: none
                const char* enabled;
            } rows[] = {{0, "close, print, zoomin"},
                        {AFX_ID_PREVIEW_ZOOMIN, "close, print, zoomin, zoomout"},
                        {AFX_ID_PREVIEW_ZOOMIN, "close, print, zoomout"},
                        {AFX_ID_PREVIEW_NEXT, "close, print, zoomout"},
                        {AFX_ID_PREVIEW_ZOOMOUT, "close, print, zoomin, zoomout"},
                        {AFX_ID_PREVIEW_ZOOMOUT, "close, print, zoomin"}};
            const char* names[] = {"close", "numpage", "next",   "prev",
                                   "print", "zoomin",  "zoomout"};
            for (const auto& r : rows) {
                SCOPED_TRACE(r.command);
                if (r.command != 0)
                    bar->SendMessage(WM_COMMAND, r.command);
                std::vector<std::string> enabled;
                for (UINT id = AFX_ID_PREVIEW_CLOSE; id <= AFX_ID_PREVIEW_ZOOMOUT; ++id) {
                    if (bar->GetDlgItem(id)->IsWindowEnabled())
                        enabled.push_back(names[id - AFX_ID_PREVIEW_CLOSE]);
                }
                EXPECT_EQ(r.enabled, Joined(enabled));
            }
            g_heard.clear();
            m_printer.Clear();
            if (e.answer != 0)
                TestPrinter::AnswerNextDialog(e.answer);
            bar->SendMessage(WM_COMMAND, e.command);
            EXPECT_EQ(e.heard, Joined(g_heard));
            EXPECT_EQ(e.pages, m_printer.Pages());
            ExpectAll({{"out of preview mode", !frame->IsInPreviewMode()},
                       {"no bar", child(AFX_IDW_PREVIEW_BAR) == NULL},
                       {"the view has its place", child(0x1234) == view},
                       {"visible", view->IsWindowVisible()},
                       {"and active", frame->GetActiveView() == view},
                       {"nothing beside it", view->GetNextWindow() == NULL &&
                                                 view->GetNextWindow(GW_HWNDPREV) == NULL}});
        }
        m_printer.Clear();
        Grafic_Dll_Print(NULL);
        TestPrinter::AnswerNextDialog('o');
        Grafic_Dll_Print(view);
        EXPECT_EQ(1, m_printer.Pages()) << "printed without a preview";
    }
    ::UnhookWindowsHookEx(hook);
    Grafic_Dll_PrintPreview(view, AFX_IDW_PANE_FIRST);
    view->DestroyWindow();
    ExpectAll({{"the view destroyed: no preview", !frame->IsInPreviewMode()},
               {"no bar", child(AFX_IDW_PREVIEW_BAR) == NULL},
               {"no pane", child(AFX_IDW_PANE_FIRST) == NULL}});
    frame->DestroyWindow();
}
