// The print command on a real printer (Wine's PostScript driver writing to a file): a job
// prepared through the Print dialog or, direct, on the default printer, with and without an
// application object; the pages it prints as its length and the chosen range decide, in the
// order of the view's printing calls; a refused or cancelled job and no printer at all.
#include "TestPrinter.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <afxdlgs.h>

#include <memory>

namespace {

std::vector<std::string> g_log;

// Logs the printing calls. OnPreparePrinting refuses the job when `refuse`, or sets the range
// from-to (PD_PAGENUMS) when `from` is not 0; OnBeginPrinting sets the length when `pages` is
// not 0. OnPrint checks the drawing rectangle against the page.
struct CPrintedView : CView {
    bool refuse = false;
    WORD from = 0, to = 0;
    UINT pages = 0;

    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        g_log.push_back(pInfo->m_bDirect ? "prepare direct" : "prepare");
        if (from != 0) {
            pInfo->m_pPD->m_pd.Flags |= PD_PAGENUMS;
            pInfo->m_pPD->m_pd.nFromPage = from;
            pInfo->m_pPD->m_pd.nToPage = to;
        }
        return !refuse && DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        g_log.push_back(pDC->IsPrinting() ? "begin" : "begin, not printing");
        if (pages != 0)
            pInfo->SetMaxPage(pages);
    }
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override
    {
        CView::OnPrepareDC(pDC, pInfo);
        g_log.push_back("dc " + std::to_string(pInfo->m_nCurPage) +
                        (pInfo->m_bContinuePrinting ? "" : " stop"));
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        const CRect page(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
        g_log.push_back("page " + std::to_string(pInfo->m_nCurPage) +
                        (pInfo->m_rectDraw == page ? "" : " drawn outside " + Str(page)));
        CView::OnPrint(pDC, pInfo);
    }
    void OnDraw(CDC* pDC) override { pDC->Rectangle(100, 100, 600, 400); }
    void OnEndPrinting(CDC*, CPrintInfo*) override { g_log.push_back("end"); }
    void BeginModalState() override { g_log.push_back("modal"); }
    void EndModalState() override { g_log.push_back("modeless"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPrintedView, CView)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
END_MESSAGE_MAP()

}  // namespace

// Each row runs one print command on a fresh view, with an application object or without,
// and gives the view's calls and the pages that reached the printer.
TEST(Print, CommandPrintsTheJobsPagesInOrder)
{
    TestPrinter printer("afx print test");
    ASSERT_TRUE(printer.Ready()) << printer.Error();
    const struct {
        const char* name;
        UINT command;
        char answer;  // the dialog's, 0 when none is shown
        bool refuse;
        WORD from, to;
        UINT pages;
        const char* log;
        int printed;
    } rows[] = {
        {"direct, length unknown: one page", ID_FILE_PRINT_DIRECT, 0, false, 0, 0, 0,
         "prepare direct, modal, begin, dc 1, page 1, dc 2 stop, end, modeless", 1},
        {"direct, three pages", ID_FILE_PRINT_DIRECT, 0, false, 0, 0, 3,
         "prepare direct, modal, begin, dc 1, page 1, dc 2, page 2, dc 3, page 3, end, modeless",
         3},
        {"direct, pages 2 to 3 of 5", ID_FILE_PRINT_DIRECT, 0, false, 2, 3, 5,
         "prepare direct, modal, begin, dc 2, page 2, dc 3, page 3, end, modeless", 2},
        {"direct, pages 2 to 3 of a one-page job: nothing sent", ID_FILE_PRINT_DIRECT, 0, false, 2,
         3, 1, "prepare direct, modal, begin, end, modeless", 0},
        {"refused", ID_FILE_PRINT_DIRECT, 0, true, 0, 0, 0, "prepare direct", 0},
        {"dialog, OK, two pages", ID_FILE_PRINT, 'o', false, 0, 0, 2,
         "prepare, modal, begin, dc 1, page 1, dc 2, page 2, end, modeless", 2},
        {"dialog cancelled", ID_FILE_PRINT, 'c', false, 0, 0, 2, "prepare", 0},
        {"dialog, pages 2 to 3 of a one-page job", ID_FILE_PRINT, 'r', false, 0, 0, 1,
         "prepare, modal, begin, end, modeless", 0},
    };
    TestParentWindow parent;
    for (bool withApp : {false, true}) {
        for (const auto& r : rows) {
            SCOPED_TRACE(std::string(r.name) + (withApp ? ", application" : ""));
            std::unique_ptr<CWinApp> app(withApp ? new CWinApp("PrintTestApp") : nullptr);
            GdiCountGuard guard(r.name);
            printer.Clear();
            CPrintedView* view = new CPrintedView;
            ASSERT_TRUE(view->Create(NULL, NULL, WS_CHILD, CRect(0, 0, 50, 50), parent.Wnd(), 1));
            view->refuse = r.refuse, view->from = r.from, view->to = r.to, view->pages = r.pages;
            if (r.answer != 0)
                TestPrinter::AnswerNextDialog(r.answer);
            g_log.clear();
            view->SendMessage(WM_COMMAND, r.command);
            EXPECT_EQ(r.log, Joined(g_log));
            EXPECT_EQ(r.printed, printer.Pages());
            view->DestroyWindow();
        }
    }
}

// Without a printer, neither a direct job nor a preview finds one: nothing is prepared and
// nothing is printed.
TEST(Print, NoPrinterPreparesNothing)
{
    TestPrinter printer("afx print test");
    ASSERT_TRUE(printer.Ready()) << printer.Error();
    ASSERT_TRUE(printer.Remove());
    for (bool preview : {false, true}) {
        SCOPED_TRACE(preview ? "preview" : "direct");
        GdiCountGuard guard("no printer");
        CPrintInfo info;
        (preview ? info.m_bPreview : info.m_bDirect) = TRUE;
        CPrintedView* view = new CPrintedView;
        EXPECT_FALSE(view->DoPreparePrinting(&info));
        EXPECT_EQ(nullptr, info.m_pPD->m_pd.hDC);
        delete view;
    }
    EXPECT_TRUE(printer.Install()) << printer.Error();
}
