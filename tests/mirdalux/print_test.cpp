// Printing a graphic view on a real printer (Wine's PostScript driver writing to a file): the
// mapping and fonts the printer context gets, the one page a print job makes, and the print
// preview opened in the view's frame.
#include "TestPrinter.h"
#include "ViewFixture.h"

#include <afxdlgs.h>

#include "TestShape.h"

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

// The mapping and font records up to the first rectangle or text drawn.
std::string MappingAndFonts(EmfRecorder& rec)
{
    std::string text;
    for (const EmfRecord& r : rec.Records()) {
        std::string line;
        if (r.type == EMR_SETMAPMODE)
            line = "map " + std::to_string(r.Long(0));
        else if (r.type == EMR_SETWINDOWEXTEX || r.type == EMR_SETVIEWPORTEXTEX)
            line = std::string(r.type == EMR_SETWINDOWEXTEX ? "window " : "viewport ") +
                   std::to_string(r.Long(0)) + "x" + std::to_string(r.Long(1));
        else if (r.type == EMR_EXTCREATEFONTINDIRECTW)
            line = "font " + std::to_string(r.Long(1));
        else if (r.type == EMR_RECTANGLE || r.type == EMR_EXTTEXTOUTW)
            return text + ", drawn";
        if (!line.empty())
            text += (text.empty() ? "" : ", ") + line;
    }
    return text;
}

}  // namespace

// The view's printing calls on a context that records into a metafile and takes its attributes
// from the printer: a screen pixel becomes printer-dpi / screen-dpi dots both ways, set again
// for the page after OnPrepareDC's MM_TEXT and kept while the elements draw; fonts are sized for
// the screen; the job is one page.
TEST_F(PrintTest, PrinterContextScalesScreenPixels)
{
    HDC hPrinter = ::CreateDCA(NULL, m_printer.Name().c_str(), NULL, NULL);
    ASSERT_NE(nullptr, hPrinter);
    const int printerDpi = ::GetDeviceCaps(hPrinter, LOGPIXELSX);
    const int screenDpi = ::GetDeviceCaps(CClientDC(NULL).m_hDC, LOGPIXELSX);
    const std::string scale = "map 8, window " + std::to_string(screenDpi) + "x" +
                              std::to_string(screenDpi) + ", viewport " +
                              std::to_string(printerDpi) + "x" + std::to_string(printerDpi);
    const std::string begin = scale + ", map 1, " + scale;
    const struct {
        const char* name;
        int points;  // text size, 0 for a rectangle
        std::string records;
    } rows[] = {
        {"rectangle", 0, begin + ", drawn"},
        {"text: a 24-point font of the screen's height", 24,
         begin + ", font " + std::to_string(-24 * screenDpi / 72) + ", drawn"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        CGraphicView* view = NewView();
        if (r.points == 0) {
            AddShape(view, kRect, "PAINT", "", CRect(10, 10, 110, 60));
        } else {
            Grafic_Dll_Set_Text_Size(view, r.points);
            const CString text("Hi");
            Grafic_Dll_Draw_Text(view, &text);
        }
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
        EXPECT_EQ(r.records, MappingAndFonts(rec)) << rec.Describe();
        EXPECT_EQ(1u, info.GetMinPage());
        EXPECT_EQ(1u, info.GetMaxPage());
        Grafic_Dll_Del_All_Elt(view);
    }
    ::DeleteDC(hPrinter);
}

// The print command through the Print dialog: a list four sheets tall prints as one page when
// the user confirms, nothing when the user cancels; no GDI object or context is left behind.
TEST_F(PrintTest, PrintCommandPrintsOnePage)
{
    const struct {
        const char* name;
        char answer;
        int pages;
    } rows[] = {
        {"OK", 'o', 1},
        {"cancelled", 'c', 0},
    };
    CGraphicView* view = NewView();
    for (int y = 0; y < 4 * 1100; y += 100)
        AddShape(view, kRect, "FRAME", "", CRect(10, y, 60, y + 50));
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        GdiCountGuard guard(r.name);
        m_printer.Clear();
        TestPrinter::AnswerNextDialog(r.answer);
        Grafic_Dll_Print(view);
        EXPECT_EQ(r.pages, m_printer.Pages());
    }
}
