// Library start-up and shut-down, view and document creation, the hand cursor, the state table
// on reset, and what is left after views come and go: templates, documents, DCs and elements.
#include "TestShape.h"
#include "lib/Library.h"
#include "view/GraphicDoc.h"

namespace {

int TemplateCount()
{
    int n = 0;
    for (POSITION pos = TestHostApp().GetFirstDocTemplatePosition(); pos != NULL; ++n)
        TestHostApp().GetNextDocTemplate(pos);
    return n;
}

int DocumentCount(CDocTemplate* pTemplate)
{
    int n = 0;
    for (POSITION pos = pTemplate->GetFirstDocPosition(); pos != NULL; ++n)
        pTemplate->GetNextDoc(pos);
    return n;
}

bool IsEmptyTable(const GraficCallbacks* table)
{
    const GraficCallbacks empty = {};
    return table != NULL && memcmp(table, &empty, sizeof empty) == 0;
}

void CALLBACK HostRegionClick(HWND, int, POINT*, UINT) {}

}  // namespace

TEST(Lifecycle, StartTwiceKeepsTheTableAndUsesTheSecondTemplate)
{
    const int templatesBefore = TemplateCount();
    GraficCallbacks* first = Grafic_Dll_Start();
    ASSERT_NE(nullptr, first);
    const bool firstEmpty = IsEmptyTable(first);
    first->OnRegionClick = HostRegionClick;
    CMultiDocTemplate* firstTemplate = GetGraficLibrary()->pTemplate;
    GraficCallbacks* second = Grafic_Dll_Start();
    CMultiDocTemplate* t = GetGraficLibrary()->pTemplate;
    ASSERT_NE(nullptr, t);
    TestParentWindow parent;
    CGraphicView* v = NewGraphicView(parent.Wnd(), CRect(0, 0, 200, 150));
    ASSERT_NE(nullptr, v->GetDocument());
    ExpectAll(
        {{"a new table holds no functions", firstEmpty},
         {"the same table address", first == second},
         {"the host's functions stay", second->OnRegionClick == &HostRegionClick},
         {"each start registers a template", t != firstTemplate},
         {"the host's resource id", t->m_nIDResource == 4u},
         {"document, frame and view classes", t->m_pDocClass == RUNTIME_CLASS(CGraphicDoc) &&
                                                  t->m_pFrameClass == RUNTIME_CLASS(CMDIChildWnd) &&
                                                  t->m_pViewClass == RUNTIME_CLASS(CGraphicView)},
         {"documents of the second template", v->GetDocument()->GetDocTemplate() == t &&
                                                  DocumentCount(firstTemplate) == 0 &&
                                                  DocumentCount(t) == 1}});
    parent.Destroy();
    PumpMessages();
    Grafic_Dll_End();
    EXPECT_TRUE(!GetGraficLibrary() && !GetGraficCallbacks()) << "End forgets the block";
    Grafic_Dll_End();
    EXPECT_EQ(templatesBefore + 2, TemplateCount()) << "the templates stay with the application";
    EXPECT_TRUE(IsEmptyTable(Grafic_Dll_Start())) << "restarting gives a zero-filled table";
    Grafic_Dll_End();
}

TEST(Lifecycle, NewDocCreatesTheViewWindowAsAHostExpects)
{
    ASSERT_NE(nullptr, Grafic_Dll_Start());
    TestParentWindow parent;
    const CRect rc(10, 20, 210, 170);
    CGraphicView* v = NewGraphicView(parent.Wnd(), rc, 77, TRUE);
    ASSERT_NE(nullptr, v->m_hWnd);
    const HWND h = v->m_hWnd;
    CRect placed;
    v->GetWindowRect(&placed);
    parent.Wnd()->ScreenToClient(&placed);
    // clang-format off
    ExpectValues({
        {"permanent object", (LONG_PTR)v, (LONG_PTR)CWnd::FromHandlePermanent(h)},
        {"parent", (LONG_PTR)parent.Hwnd(), (LONG_PTR)::GetParent(h)},
        {"identifier", 77, ::GetDlgCtrlID(h)},
        {"child, shown, vertical bar from the start", WS_CHILD | WS_VISIBLE | WS_VSCROLL,
         (LONG_PTR)(v->GetStyle() & (WS_CHILD | WS_VISIBLE | WS_VSCROLL))},
        {"class styles", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
         (LONG_PTR)::GetClassLongPtr(h, GCL_STYLE)},
        {"class cursor", (LONG_PTR)::LoadCursor(NULL, IDC_ARROW),
         (LONG_PTR)::GetClassLongPtr(h, GCLP_HCURSOR)},
        {"class brush", (LONG_PTR)::GetStockObject(WHITE_BRUSH),
         (LONG_PTR)::GetClassLongPtr(h, GCLP_HBRBACKGROUND)},
        {"the given rectangle", true, placed == rc},
        {"no scroll range to begin with", true, v->GetTotalSize() == CSize(0, 0)},
        {"a graphic document", true,
         v->GetDocument() != NULL && v->GetDocument()->IsKindOf(RUNTIME_CLASS(CGraphicDoc))},
    });
    // clang-format on
    CRect other(0, 0, 50, 50);
    Grafic_Dll_NewDoc(parent.Wnd(), v, &other, 3, FALSE);
    EXPECT_EQ(77, ::GetDlgCtrlID(v->m_hWnd)) << "a view keeps its first window";

    // Without a started library there is no template: the view works without a document.
    Grafic_Dll_End();
    CGraphicView* loose = NewGraphicView(parent.Wnd(), CRect(0, 0, 200, 150));
    ASSERT_NE(nullptr, loose->m_hWnd);
    EXPECT_EQ(nullptr, loose->GetDocument());
    const int elements = g_elementCount;
    AddTestShape(loose, "rect", CRect(0, 0, 10, 10), kRed);
    parent.Destroy();
    PumpMessages();
    EXPECT_EQ(elements, g_elementCount) << "the document-less view went with its window";
}

// Views in host windows, deleted from and destroyed with their windows, the first alone.
TEST(Lifecycle, ViewsAndDocumentsGoWithTheHostWindowsLeavingNothingBehind)
{
    ASSERT_NE(nullptr, Grafic_Dll_Start());
    CMultiDocTemplate* pTemplate = GetGraficLibrary()->pTemplate;
    const int docsBefore = DocumentCount(pTemplate);
    const int elementsBefore = g_elementCount;
    {
        GdiCountGuard guard("200 views with elements");
        TestParentWindow parent;
        std::unique_ptr<CWnd> host;
        for (int i = 0; i < 200; ++i) {
            if (host == nullptr) {
                host.reset(new CWnd);
                ASSERT_TRUE(host->Create(AfxRegisterWndClass(0), _T("host"), WS_CHILD | WS_VISIBLE,
                                         CRect(0, 0, 300, 200), parent.Wnd(), 100));
            }
            CGraphicView* v = NewGraphicView(host.get(), CRect(0, 0, 120, 90));
            EXPECT_EQ(docsBefore + 1, DocumentCount(pTemplate)) << "view " << i;
            AddTestShape(v, "rect", CRect(0, 0, 200, 30), kRed);
            v->AppendStateElement();
            AddTestShape(v, "click", CRect(10, 10, 50, 50), kBlack, CTestShape::kOval, VERB_CLICK,
                         i);
            AddTestShape(v, "icon", CRect(60, 10, 92, 42), kBlue, CTestShape::kIcon, VERB_ACTIVE,
                         i);
            AddTestShape(v, "line", CRect(0, 0, 30, 150), kBlue, CTestShape::kLine, VERB_NONE, -2);
            v->UpdateWindow();
            CUIntArray numbers;
            numbers.Add(1);
            Grafic_Dll_Del_Listed_Elt(v, &numbers, i % 2);
            if (i % 3 == 0)
                Grafic_Dll_Del_All_Activ_Rgn(v);
            const HWND hwnd = v->m_hWnd;
            if (i % 10 == 9)
                host.reset();  // the host window goes, and its view with it
            else
                v->DestroyWindow();
            PumpMessages();
            ExpectAll({{"the window's object is gone", !CWnd::FromHandlePermanent(hwnd)},
                       {"deleted with its elements", CTestShape::s_live == 0},
                       {"its document is gone", DocumentCount(pTemplate) == docsBefore}});
        }
        EXPECT_EQ(0, guard.DCsDelta()) << "device contexts released";
    }
    EXPECT_EQ(elementsBefore, g_elementCount) << "every element deleted";
    Grafic_Dll_End();
}

TEST(Lifecycle, HandCursorComesFromTheHostsResources)
{
    HCURSOR hCursor = GetHandCursor();
    ASSERT_NE(nullptr, hCursor) << "the host holds \"H256\"";
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(hCursor, &info));
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    ExpectAll({{"loaded once", GetHandCursor() == hCursor},
               {"a cursor with the host's hot spot", !info.fIcon && info.xHotspot == 11}});
    ASSERT_NE(nullptr, Grafic_Dll_Start());
    Grafic_Dll_End();
    EXPECT_FALSE(::GetIconInfo(hCursor, &info)) << "End destroyed the cursor";
    // A host without the cursor: none, and the next call tries again.
    HINSTANCE hHost = AfxGetResourceHandle();
    AfxSetResourceHandle(::GetModuleHandleA("afx.dll"));
    EXPECT_EQ(nullptr, GetHandCursor());
    AfxSetResourceHandle(hHost);
    EXPECT_NE(nullptr, GetHandCursor());
    Grafic_Dll_End();
}

TEST(Lifecycle, ResetDestroysTheStateTable)
{
    ASSERT_NE(nullptr, Grafic_Dll_Start());
    TestParentWindow parent;
    CGraphicView* v = NewGraphicView(parent.Wnd(), CRect(0, 0, 200, 150));
    AddTestShape(v, "first", CRect(0, 0, 10, 10), kRed);
    v->m_state.m_penSize = 3;
    EXPECT_EQ(1, AddTestShape(v, "second", CRect(0, 0, 10, 10), kRed)->stateIndex);
    Grafic_Dll_Reset();
    EXPECT_EQ(nullptr, GetStateTable());
    EXPECT_EQ(0, v->InternState()) << "the next interning starts a new table at index 0";
    EXPECT_EQ(2, Grafic_Dll_GetNbElement(v)) << "the elements stay";
    Grafic_Dll_End();
}
