// Library start-up and shut-down, view and document creation, the per-view settings, the hand
// cursor, and what is left after views come and go: templates, documents, GDI objects, DCs and
// elements.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <memory>
#include <set>
#include <string>

#include "TestHost.h"
#include "TestShape.h"
#include "TestSupport.h"
#include "lib/Library.h"
#include "state/GraphicState.h"
#include "view/GraphicDoc.h"
#include "view/GraphicView.h"

#include <mirdalux.h>

extern "C" {
GraficCallbacks* CHostStart(void);
int CHostLastRegion(void);
void CHostSlotOffsets(size_t offsets[8], size_t* pSize);
}

namespace {

int TemplateCount()
{
    int n = 0;
    POSITION pos = TestHostApp().GetFirstDocTemplatePosition();
    while (pos != NULL) {
        TestHostApp().GetNextDocTemplate(pos);
        ++n;
    }
    return n;
}

int DocumentCount(CDocTemplate* pTemplate)
{
    int n = 0;
    POSITION pos = pTemplate->GetFirstDocPosition();
    while (pos != NULL) {
        pTemplate->GetNextDoc(pos);
        ++n;
    }
    return n;
}

bool TemplateHolds(CDocTemplate* pTemplate, CDocument* pDoc)
{
    POSITION pos = pTemplate->GetFirstDocPosition();
    while (pos != NULL) {
        if (pTemplate->GetNextDoc(pos) == pDoc)
            return true;
    }
    return false;
}

CGraphicView* NewViewIn(CWnd* pParent, CRect rc = CRect(0, 0, 200, 150), UINT nID = 1,
                        BOOL bNoBkFill = FALSE)
{
    CGraphicView* pView = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
    Grafic_Dll_NewDoc(pParent, pView, &rc, nID, bNoBkFill);
    return pView;
}

void CALLBACK HostRegionClick(HWND, int, POINT*, UINT) {}

}  // namespace

TEST(Lifecycle, StartTwiceKeepsTheTableAndUsesTheSecondTemplate)
{
    const int templatesBefore = TemplateCount();
    GraficCallbacks* first = Grafic_Dll_Start();
    ASSERT_NE(nullptr, first);
    const GraficCallbacks empty = {};
    EXPECT_EQ(0, memcmp(first, &empty, sizeof empty)) << "a new table holds no functions";
    first->OnRegionClick = HostRegionClick;
    CMultiDocTemplate* firstTemplate = GetGraficLibrary()->pTemplate;

    GraficCallbacks* second = Grafic_Dll_Start();
    EXPECT_EQ(first, second) << "the same table address";
    EXPECT_EQ(&HostRegionClick, second->OnRegionClick) << "the host's functions stay";
    CMultiDocTemplate* secondTemplate = GetGraficLibrary()->pTemplate;
    EXPECT_NE(firstTemplate, secondTemplate);
    EXPECT_EQ(templatesBefore + 2, TemplateCount()) << "each start registers a template";
    ASSERT_NE(nullptr, secondTemplate);
    EXPECT_EQ(4u, secondTemplate->m_nIDResource);
    EXPECT_EQ(RUNTIME_CLASS(CGraphicDoc), secondTemplate->m_pDocClass);
    EXPECT_EQ(RUNTIME_CLASS(CMDIChildWnd), secondTemplate->m_pFrameClass);
    EXPECT_EQ(RUNTIME_CLASS(CGraphicView), secondTemplate->m_pViewClass);

    TestParentWindow parent;
    CGraphicView* v = NewViewIn(parent.Wnd());
    ASSERT_NE(nullptr, v->GetDocument());
    EXPECT_EQ(secondTemplate, v->GetDocument()->GetDocTemplate())
        << "new documents come from the second";
    EXPECT_EQ(0, DocumentCount(firstTemplate));
    EXPECT_EQ(1, DocumentCount(secondTemplate));
    parent.Destroy();
    PumpMessages();

    Grafic_Dll_End();
    EXPECT_EQ(nullptr, GetGraficLibrary());
    EXPECT_EQ(nullptr, GetGraficCallbacks());
    Grafic_Dll_End();
    EXPECT_EQ(templatesBefore + 2, TemplateCount()) << "the templates stay with the application";

    GraficCallbacks* again = Grafic_Dll_Start();
    ASSERT_NE(nullptr, again);
    EXPECT_EQ(0, memcmp(again, &empty, sizeof empty)) << "restarting gives a zero-filled table";
    Grafic_Dll_End();
}

TEST(Lifecycle, EndBeforeStartAndTwiceDoesNothing)
{
    Grafic_Dll_End();
    Grafic_Dll_End();
    EXPECT_EQ(nullptr, GetGraficLibrary());
    ASSERT_NE(nullptr, Grafic_Dll_Start());
    Grafic_Dll_End();
    Grafic_Dll_End();
    EXPECT_EQ(nullptr, GetGraficLibrary());
}

TEST(Lifecycle, NewDocCreatesTheViewWindowAsAHostExpects)
{
    ASSERT_NE(nullptr, Grafic_Dll_Start());
    TestParentWindow parent;

    // The argument of NewView is not read.
    std::set<LONG_PTR> views;
    for (unsigned long arg : {0ul, 1ul, 12345ul, 0xFFFFFFFFul}) {
        LONG_PTR v = Grafic_Dll_NewView(arg);
        EXPECT_NE(0, v) << "NewView(" << arg << ")";
        views.insert(v);
    }
    EXPECT_EQ(4u, views.size()) << "each call makes its own view";
    for (LONG_PTR v : views) {
        CGraphicView* pView = reinterpret_cast<CGraphicView*>(v);
        EXPECT_EQ(nullptr, pView->m_hWnd) << "no window yet";
        EXPECT_EQ(nullptr, pView->GetDocument()) << "no document yet";
        EXPECT_EQ(7u, pView->m_defaultOptions);
        EXPECT_EQ(RGB(255, 255, 255), pView->m_viewBkColor);
        EXPECT_TRUE(pView->m_bScrollable);
        EXPECT_FALSE(pView->m_bNoBkFill);
        EXPECT_EQ(0, pView->m_displayList.GetSize());
        delete pView;  // a view without window is still the host's
    }

    CGraphicView* v = NewViewIn(parent.Wnd(), CRect(10, 20, 210, 170), 77, TRUE);
    ASSERT_NE(nullptr, v->m_hWnd);
    EXPECT_EQ(v, CWnd::FromHandlePermanent(v->m_hWnd));
    EXPECT_EQ(parent.Hwnd(), ::GetParent(v->m_hWnd));
    EXPECT_EQ(77, ::GetDlgCtrlID(v->m_hWnd));
    char text[32] = {};
    ::GetWindowTextA(v->m_hWnd, text, sizeof text);
    EXPECT_STREQ("GrafView", text);
    const DWORD style = v->GetStyle();
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_VISIBLE) << "shown";
    EXPECT_TRUE(style & WS_VSCROLL) << "the vertical bar shows from the start";
    EXPECT_EQ(0x000Bu, static_cast<UINT>(::GetClassLongPtr(v->m_hWnd, GCL_STYLE)))
        << "class styles CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW";
    EXPECT_EQ(::LoadCursor(NULL, IDC_ARROW),
              reinterpret_cast<HCURSOR>(::GetClassLongPtr(v->m_hWnd, GCLP_HCURSOR)));
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH),
              reinterpret_cast<HGDIOBJ>(::GetClassLongPtr(v->m_hWnd, GCLP_HBRBACKGROUND)));
    CRect rc;
    v->GetWindowRect(&rc);
    parent.Wnd()->ScreenToClient(&rc);
    EXPECT_EQ(CRect(10, 20, 210, 170), rc) << "the given rectangle";
    EXPECT_TRUE(v->m_bNoBkFill);
    EXPECT_EQ(CSize(0, 0), v->GetTotalSize()) << "no scroll range to begin with";
    ASSERT_NE(nullptr, v->GetDocument());
    EXPECT_TRUE(v->GetDocument()->IsKindOf(RUNTIME_CLASS(CGraphicDoc)));

    // Requests that cannot be met do nothing.
    CGraphicView* orphan = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
    CRect r(0, 0, 50, 50);
    Grafic_Dll_NewDoc(NULL, orphan, &r, 2, FALSE);
    EXPECT_EQ(nullptr, orphan->m_hWnd) << "no parent: no window";
    Grafic_Dll_NewDoc(parent.Wnd(), NULL, &r, 2, FALSE);
    Grafic_Dll_NewDoc(parent.Wnd(), v, &r, 3, FALSE);
    EXPECT_EQ(77, ::GetDlgCtrlID(v->m_hWnd)) << "a view keeps its first window";
    delete orphan;

    // Before any start there is no template: the view works without a document.
    Grafic_Dll_End();
    CGraphicView* loose = NewViewIn(parent.Wnd());
    ASSERT_NE(nullptr, loose->m_hWnd);
    EXPECT_EQ(nullptr, loose->GetDocument());
    const int elements = g_elementCount;
    AddTestShape(loose, "rect", CRect(0, 0, 10, 10), RGB(255, 0, 0));
    parent.Destroy();
    PumpMessages();
    EXPECT_EQ(elements, g_elementCount) << "the document-less view went with its window";
}

TEST(Lifecycle, DocumentAndViewGoWithTheHostWindow)
{
    ASSERT_NE(nullptr, Grafic_Dll_Start());
    CMultiDocTemplate* pTemplate = GetGraficLibrary()->pTemplate;
    const int docsBefore = DocumentCount(pTemplate);
    const int elementsBefore = g_elementCount;
    {
        TestParentWindow parent;
        CGraphicView* v = NewViewIn(parent.Wnd());
        CDocument* pDoc = v->GetDocument();
        ASSERT_NE(nullptr, pDoc);
        EXPECT_EQ(docsBefore + 1, DocumentCount(pTemplate));
        AddTestShape(v, "rect", CRect(0, 0, 40, 40), RGB(255, 0, 0));
        v->AppendStateElement();
        const HWND hwnd = v->m_hWnd;

        parent.Destroy();
        PumpMessages();
        EXPECT_FALSE(::IsWindow(hwnd));
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
        EXPECT_EQ(0, CTestShape::s_live) << "the view was deleted with its elements";
        EXPECT_EQ(elementsBefore, g_elementCount);
        EXPECT_FALSE(TemplateHolds(pTemplate, pDoc)) << "the document closed itself";
        EXPECT_EQ(docsBefore, DocumentCount(pTemplate))
            << "the template's list is back to its size";
    }
    Grafic_Dll_End();
}

TEST(Lifecycle, TwoHundredViewsLeaveNothingBehind)
{
    ASSERT_NE(nullptr, Grafic_Dll_Start());
    CMultiDocTemplate* pTemplate = GetGraficLibrary()->pTemplate;
    const int docsBefore = DocumentCount(pTemplate);
    const int elementsBefore = g_elementCount;
    {
        GdiCountGuard guard("200 views with elements");
        TestParentWindow parent;
        // Host windows inside the parent: destroying one takes its views with it.
        std::unique_ptr<CWnd> host;
        for (int i = 0; i < 200; ++i) {
            if (host == nullptr) {
                host.reset(new CWnd);
                ASSERT_TRUE(host->Create(AfxRegisterWndClass(0), _T("host"), WS_CHILD | WS_VISIBLE,
                                         CRect(0, 0, 300, 200), parent.Wnd(), 100));
            }
            CGraphicView* v = NewViewIn(host.get(), CRect(0, 0, 120, 90));
            AddTestShape(v, "rect", CRect(0, 0, 200, 30), RGB(255, 0, 0));
            v->AppendStateElement();
            AddTestShape(v, "click", CRect(10, 10, 50, 50), RGB(0, 0, 0), CTestShape::kOval,
                         VERB_CLICK, i);
            AddTestShape(v, "icon", CRect(60, 10, 92, 42), RGB(0, 0, 255), CTestShape::kIcon,
                         VERB_ACTIVE, i);
            AddTestShape(v, "line", CRect(0, 0, 30, 150), RGB(0, 0, 255), CTestShape::kLine,
                         VERB_NONE, -2);
            v->UpdateWindow();
            CUIntArray numbers;
            numbers.Add(1);
            Grafic_Dll_Del_Listed_Elt(v, &numbers, i % 2);
            if (i % 3 == 0)
                Grafic_Dll_Del_All_Activ_Rgn(v);
            if (i % 10 == 9)
                host.reset();  // the host window goes, and its view with it
            else
                v->DestroyWindow();
            PumpMessages();
        }
        EXPECT_EQ(0, guard.DCsDelta()) << "device contexts released";
    }
    EXPECT_EQ(elementsBefore, g_elementCount) << "every element deleted";
    EXPECT_EQ(0, CTestShape::s_live);
    EXPECT_EQ(docsBefore, DocumentCount(pTemplate)) << "every document closed";
    Grafic_Dll_End();
}

TEST(Lifecycle, ViewSettingsStoreWhatTheHostGives)
{
    ASSERT_NE(nullptr, Grafic_Dll_Start());
    TestParentWindow parent;
    CGraphicView* v = NewViewIn(parent.Wnd());

    CString name("plotter");
    Grafic_Dll_SetOutput(v, 42, &name);
    EXPECT_EQ(42, v->m_outputId);
    EXPECT_STREQ("plotter", v->m_outputName);
    CString empty;
    Grafic_Dll_SetOutput(v, 7, &empty);
    EXPECT_EQ(7, v->m_outputId);
    EXPECT_STREQ("", v->m_outputName) << "an empty name is stored";
    Grafic_Dll_SetOutput(v, 9, NULL);
    EXPECT_EQ(9, v->m_outputId) << "without a name only the value changes";
    EXPECT_STREQ("", v->m_outputName);
    Grafic_Dll_SetOutput(NULL, 1, &name);

    Grafic_Dll_SetScrollable(v, FALSE);
    EXPECT_FALSE(v->m_bScrollable);
    Grafic_Dll_SetScrollable(NULL, TRUE);
    Grafic_Dll_SetViewBkColor(v, RGB(1, 2, 3), FALSE);
    EXPECT_EQ(RGB(1, 2, 3), v->m_viewBkColor);
    Grafic_Dll_SetViewBkColor(NULL, 0, TRUE);
    Grafic_Dll_End();
}

TEST(Lifecycle, HandCursorComesFromTheHostsResources)
{
    HCURSOR hCursor = GetHandCursor();
    ASSERT_NE(nullptr, hCursor) << "the host holds \"H256\"";
    EXPECT_EQ(hCursor, GetHandCursor()) << "loaded once";
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(hCursor, &info));
    EXPECT_FALSE(info.fIcon) << "a cursor";
    EXPECT_EQ(11u, info.xHotspot) << "the host's hot spot";
    if (info.hbmMask != NULL)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);

    ASSERT_NE(nullptr, Grafic_Dll_Start());
    Grafic_Dll_End();
    ICONINFO gone = {};
    EXPECT_FALSE(::GetIconInfo(hCursor, &gone)) << "End destroyed the cursor";

    // A host without the cursor: none, and the next call tries again.
    HINSTANCE hHost = AfxGetResourceHandle();
    AfxSetResourceHandle(::GetModuleHandleA("afx.dll"));
    EXPECT_EQ(nullptr, GetHandCursor());
    AfxSetResourceHandle(hHost);
    HCURSOR hAgain = GetHandCursor();
    EXPECT_NE(nullptr, hAgain);
    Grafic_Dll_End();
}

TEST(Lifecycle, ResetDestroysTheStateTable)
{
    ASSERT_NE(nullptr, Grafic_Dll_Start());
    TestParentWindow parent;
    CGraphicView* v = NewViewIn(parent.Wnd());
    CTestShape* first = AddTestShape(v, "first", CRect(0, 0, 10, 10), RGB(255, 0, 0));
    v->m_state.m_penSize = 3;
    CTestShape* second = AddTestShape(v, "second", CRect(0, 0, 10, 10), RGB(255, 0, 0));
    EXPECT_EQ(0, first->stateIndex);
    EXPECT_EQ(1, second->stateIndex);
    ASSERT_NE(nullptr, GetStateTable());

    Grafic_Dll_Reset();
    EXPECT_EQ(nullptr, GetStateTable());
    EXPECT_EQ(0, v->InternState()) << "the next interning starts a new table at index 0";
    EXPECT_EQ(2, Grafic_Dll_GetNbElement(v)) << "the elements stay";
    Grafic_Dll_End();
}

TEST(Lifecycle, LibraryClassesAreFoundThroughItsExtensionModule)
{
    EXPECT_EQ(RUNTIME_CLASS(CGraphicView), CRuntimeClass::FromName("CGraphicView"));
    EXPECT_EQ(RUNTIME_CLASS(CGraphicDoc), CRuntimeClass::FromName("CGraphicDoc"));
    CObject* pObject = CRuntimeClass::CreateObject("CGraphicView");
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CScrollView)));
    delete pObject;

    HMODULE hLibrary = ::GetModuleHandleA("mirdalux.dll");
    CDynLinkLibrary* pLibrary = NULL;
    for (CDynLinkLibrary* p = AfxGetModuleState()->m_pFirstDLL; p != NULL; p = p->m_pNextDLL) {
        if (p->m_hModule == hLibrary)
            pLibrary = p;
    }
    ASSERT_NE(nullptr, pLibrary) << "mirdalux.dll joined the chain of extension modules";
    std::set<std::string> names;
    for (CRuntimeClass* c = pLibrary->m_pFirstClass; c != NULL; c = c->m_pNextClass)
        names.insert(c->m_lpszClassName);
    EXPECT_TRUE(names.count("CGraphicView")) << "the view class belongs to the library's record";
    EXPECT_TRUE(names.count("CGraphicDoc"));
}

TEST(Lifecycle, HostHeaderServesACHost)
{
    size_t offsets[8];
    size_t size = 0;
    CHostSlotOffsets(offsets, &size);
    EXPECT_EQ(8 * sizeof(void*), size) << "eight pointer-sized slots";
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(i * sizeof(void*), offsets[i]) << "slot " << i + 1;

    GraficCallbacks* pTable = CHostStart();
    ASSERT_NE(nullptr, pTable);
    EXPECT_EQ(pTable, GetGraficCallbacks()) << "the C host got the library's table";
    ASSERT_NE(nullptr, pTable->OnActiveClick);
    pTable->OnActiveClick(NULL, 9);
    EXPECT_EQ(9, CHostLastRegion()) << "the C host's function sits in slot 1";
    Grafic_Dll_End();
}
