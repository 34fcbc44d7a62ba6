// Documents, views, templates and frames with real windows: who deletes whom and when, the
// template's document list and strings, LoadFrame, an MDI application built through
// OpenDocumentFile, the MDI client's arrangement, and command routing as one table.
#include "TestSupport.h"

namespace {
// What happened, in order: destructor calls and handled commands.
std::vector<std::string> g_log;
bool Logged(const std::string& entry)
{
    return Joined(g_log).find(entry) != std::string::npos;
}
template <class Action> std::string LogOf(Action action)
{
    g_log.clear();
    action();
    return Joined(g_log);
}
// Handled by the view; the document; the MDI child; the SDI frame and the application; the view
// and the application; the view and the SDI frame.
enum { ID_CMD_VIEW = 0x8101, ID_CMD_DOC, ID_CMD_CHILD, ID_CMD_APP, ID_CMD_BOTH, ID_CMD_FRAME };

struct CTrackedDoc : CDocument {
    DECLARE_DYNCREATE(CTrackedDoc)
    ~CTrackedDoc() override { g_log.push_back("doc deleted"); }
    afx_msg void OnCommand() { g_log.push_back("doc"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTrackedDoc, CDocument)
BEGIN_MESSAGE_MAP(CTrackedDoc, CDocument)
    ON_COMMAND(ID_CMD_DOC, OnCommand)
END_MESSAGE_MAP()

struct CTrackedView : CView {
    DECLARE_DYNCREATE(CTrackedView)
    // A view deleted before its last message (WM_NCDESTROY detaches it) is still attached.
    ~CTrackedView() override { g_log.push_back(m_hWnd ? "attached view deleted" : "view deleted"); }
    void OnDraw(CDC*) override {}
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override
    {
        g_log.push_back("update " + std::to_string(lHint));
        CView::OnUpdate(pSender, lHint, pHint);
    }
    void OnActivateView(BOOL bActivate, CView* pActivate, CView* pDeactive) override
    {
        g_log.push_back(bActivate ? "activate" : "deactivate");
        CView::OnActivateView(bActivate, pActivate, pDeactive);
    }
    afx_msg void OnCommand() { g_log.push_back("view"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTrackedView, CView)
BEGIN_MESSAGE_MAP(CTrackedView, CView)
    ON_COMMAND(ID_CMD_VIEW, OnCommand)
    ON_COMMAND(ID_CMD_BOTH, OnCommand)
    ON_COMMAND(ID_CMD_FRAME, OnCommand)
END_MESSAGE_MAP()

struct CTrackedChild : CMDIChildWnd {
    DECLARE_DYNCREATE(CTrackedChild)
    ~CTrackedChild() override { g_log.push_back("child deleted"); }
    afx_msg void OnCommand() { g_log.push_back("child"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTrackedChild, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CTrackedChild, CMDIChildWnd)
    ON_COMMAND(ID_CMD_CHILD, OnCommand)
END_MESSAGE_MAP()

struct CRoutingFrame : CFrameWnd {
    afx_msg void OnCommand() { g_log.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRoutingFrame, CFrameWnd)
    ON_COMMAND(ID_CMD_FRAME, OnCommand)
    ON_COMMAND(ID_CMD_APP, OnCommand)
END_MESSAGE_MAP()

struct CTestApp : CWinApp {
    afx_msg void OnCommand() { g_log.push_back("app"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_CMD_APP, OnCommand)
    ON_COMMAND(ID_CMD_BOTH, OnCommand)
END_MESSAGE_MAP()
CTestApp theApp;

// Sends each row's command to the frame; the log says who handled it ("" for nobody).
struct Route {
    const char* name;
    UINT id;
    const char* handledBy;
};
void ExpectRoutes(CWnd* pFrame, std::initializer_list<Route> rows)
{
    for (const Route& r : rows)
        EXPECT_EQ(r.handledBy, LogOf([&] { pFrame->SendMessage(WM_COMMAND, r.id, 0); }))
            << "row: " << r.name;
}

// A new frame, or NULL (a frame that fails to be made deletes itself).
template <class Frame = CFrameWnd> Frame* MakeFrame()
{
    Frame* pFrame = new Frame;
    return pFrame->Create(NULL, NULL, WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)) ? pFrame : NULL;
}
CTrackedView* MakeView(CFrameWnd* pFrame, CDocument* pDoc, UINT nID = AFX_IDW_PANE_FIRST)
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTrackedView);
    context.m_pCurrentDoc = pDoc;
    return static_cast<CTrackedView*>(pFrame->CreateView(&context, nID));
}
// A document's views and a template's documents, in their lists' order.
using Views = std::vector<CView*>;
using Docs = std::vector<CDocument*>;
Views ViewsOf(CDocument& doc)
{
    Views views;
    for (POSITION pos = doc.GetFirstViewPosition(); pos != NULL;)
        views.push_back(doc.GetNextView(pos));
    return views;
}
Docs DocsOf(CDocTemplate& tmpl)
{
    Docs docs;
    for (POSITION pos = tmpl.GetFirstDocPosition(); pos != NULL;)
        docs.push_back(tmpl.GetNextDoc(pos));
    return docs;
}
CString MenuText(HWND hWnd)
{
    TCHAR sz[64] = {0};
    ::GetMenuString(::GetMenu(hWnd), 0, sz, 64, MF_BYPOSITION);
    return sz;
}
CString Caption(HWND hWnd)
{
    TCHAR sz[128] = {0};
    ::GetWindowText(hWnd, sz, 128);
    return sz;
}

}  // namespace

TEST(DocView, ViewsAndDocumentsAreDeletedInOrder)
{
    GdiCountGuard guard("documents and views");
    CFrameWnd* pFrame = MakeFrame();
    ASSERT_NE(nullptr, pFrame);
    CTrackedDoc* pDoc = new CTrackedDoc;
    CTrackedView* pView1 = MakeView(pFrame, pDoc);
    CTrackedView* pView2 = MakeView(pFrame, pDoc, AFX_IDW_PANE_FIRST + 1);
    ASSERT_TRUE(pView1 && pView2);
    EXPECT_TRUE(pView1->GetDocument() == pDoc && ViewsOf(*pDoc) == Views({pView1, pView2}))
        << "OnCreate adds the view to the context's document";
    EXPECT_EQ("update 7", LogOf([&] { pDoc->UpdateAllViews(pView1, 7); })) << "not the sender";
    // Deleted after its last message; the document keeps the other.
    EXPECT_EQ("view deleted", LogOf([&] { pView1->DestroyWindow(); }));
    EXPECT_EQ(Views({pView2}), ViewsOf(*pDoc));
    // The last view: the auto-delete document goes after it.
    EXPECT_EQ("view deleted, doc deleted", LogOf([&] { pView2->DestroyWindow(); }));
    pFrame->DestroyWindow();

    // Without auto-delete the document outlives its views; the frame takes its view with it.
    CTrackedDoc kept;
    kept.m_bAutoDelete = FALSE;
    pFrame = MakeFrame();
    ASSERT_NE(nullptr, MakeView(pFrame, &kept));
    EXPECT_EQ("view deleted", LogOf([&] { pFrame->DestroyWindow(); }));
    EXPECT_TRUE(ViewsOf(kept).empty());

    // OnCloseDocument destroys the frames of all its views.
    CFrameWnd *pFrameA = MakeFrame(), *pFrameB = MakeFrame();
    HWND hA = pFrameA->m_hWnd, hB = pFrameB->m_hWnd;
    pDoc = new CTrackedDoc;
    ASSERT_TRUE(MakeView(pFrameA, pDoc) && MakeView(pFrameB, pDoc));
    EXPECT_EQ("view deleted, view deleted, doc deleted", LogOf([&] { pDoc->OnCloseDocument(); }));
    EXPECT_FALSE(::IsWindow(hA) || ::IsWindow(hB));
    PumpMessages();
}

TEST(DocView, TemplateDocumentListStringsAndBadClasses)
{
    CMultiDocTemplate tmpl(4, RUNTIME_CLASS(CTrackedDoc), RUNTIME_CLASS(CTrackedChild),
                           RUNTIME_CLASS(CTrackedView));
    CDocument* pDocs[3];
    for (CDocument*& p : pDocs) {
        p = tmpl.CreateNewDocument();
        ASSERT_TRUE(p && p->IsKindOf(RUNTIME_CLASS(CTrackedDoc)) && p->GetDocTemplate() == &tmpl);
    }
    EXPECT_EQ(Docs({pDocs[0], pDocs[1], pDocs[2]}), DocsOf(tmpl));
    delete pDocs[1];
    EXPECT_EQ(Docs({pDocs[0], pDocs[2]}), DocsOf(tmpl)) << "deleted document left";
    tmpl.RemoveDocument(pDocs[0]);
    EXPECT_EQ(nullptr, pDocs[0]->GetDocTemplate());
    EXPECT_EQ(Docs({pDocs[2]}), DocsOf(tmpl));
    delete pDocs[0];
    delete pDocs[2];
    EXPECT_TRUE(DocsOf(tmpl).empty());

    tmpl.LoadTemplate();  // strings under the template's id; index 7 is past the last
    std::string strings;
    for (int i = CDocTemplate::windowTitle; i <= CDocTemplate::regFileTypeName + 1; ++i) {
        CString text;
        bool found = tmpl.GetDocString(text, (CDocTemplate::DocStringIndex)i) != FALSE;
        strings += found ? "'" + std::string(text) + "' " : "none";
    }
    EXPECT_EQ("'' 'Sketch' 'Sketches' '' '' 'Test.Sketch' 'Test Sketch' none", strings);
#ifndef _DEBUG
    CTrackedDoc doc;
    doc.AddView(NULL);
    doc.RemoveView(NULL);
    POSITION pos = NULL;
    EXPECT_TRUE(doc.GetNextView(pos) == nullptr && ViewsOf(doc).empty());
    // Templates missing classes make nothing and leak nothing.
    CMultiDocTemplate noFrame(4, RUNTIME_CLASS(CTrackedDoc), NULL, RUNTIME_CLASS(CTrackedView));
    EXPECT_EQ("doc deleted", LogOf([&] { EXPECT_EQ(nullptr, noFrame.OpenDocumentFile(NULL)); }))
        << "the orphan document is deleted";
    EXPECT_EQ(nullptr, noFrame.GetFirstDocPosition());
    CMultiDocTemplate noDoc(4, NULL, RUNTIME_CLASS(CTrackedChild), RUNTIME_CLASS(CTrackedView));
    EXPECT_EQ(nullptr, noDoc.CreateNewDocument());
    CMultiDocTemplate wrong(4, RUNTIME_CLASS(CTrackedChild), NULL, NULL);
    EXPECT_EQ("child deleted", LogOf([&] { EXPECT_EQ(nullptr, wrong.CreateNewDocument()); }))
        << "a document class that is not a document";
#endif
}

TEST(Frame, LoadFrameViewLayoutAndSdiRouting)
{
    GdiCountGuard guard("SDI frames");
    EXPECT_FALSE((new CFrameWnd)->LoadFrame(77)) << "no menu 77: it fails and deletes itself";
    CRoutingFrame* pFrame = new CRoutingFrame;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTrackedView);
    ASSERT_TRUE(pFrame->LoadFrame(5, WS_OVERLAPPEDWINDOW, NULL, &context));
    HWND hWnd = pFrame->m_hWnd;
    CView* pView = DYNAMIC_DOWNCAST(
        CTrackedView, CWnd::FromHandlePermanent(::GetDlgItem(hWnd, AFX_IDW_PANE_FIRST)));
    ASSERT_NE(nullptr, pView) << "OnCreateClient made the view from m_pNewViewClass";
    ExpectAll({{"title from string 5", Caption(hWnd) == "Test Frame"},
               {"menu 5", ::GetMenu(hWnd) == pFrame->m_hMenuDefault && MenuText(hWnd) == "&Frame"},
               {"help id", pFrame->m_nIDHelp == 5},
               {"no active view yet", pFrame->GetActiveView() == nullptr}});
    pFrame->InitialUpdateFrame(NULL, TRUE);
    EXPECT_TRUE(pFrame->GetActiveView() == pView && pView->GetParentFrame() == pFrame &&
                pFrame->IsWindowVisible());
    for (const CSize& size : {CSize(400, 300), CSize(250, 180), CSize(640, 200)}) {
        pFrame->SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        CRect client, view;
        pFrame->GetClientRect(&client);
        pView->GetWindowRect(&view);
        pFrame->ScreenToClient(&view);
        EXPECT_EQ(client, view) << "the view covers the client area at " << size.cx;
    }
    ExpectRoutes(pFrame, {{"the view first", ID_CMD_VIEW, "view"},
                          {"the view before the frame", ID_CMD_FRAME, "view"},
                          {"the frame before the app", ID_CMD_APP, "frame"},
                          {"the view before the app", ID_CMD_BOTH, "view"}});
    EXPECT_EQ("deactivate", LogOf([&] { pFrame->SetActiveView(NULL); }));
    ExpectRoutes(pFrame, {{"no active view: the frame", ID_CMD_FRAME, "frame"},
                          {"no active view: on to the app", ID_CMD_BOTH, "app"}});
    pFrame->SetActiveView(pView);
    pFrame->DestroyWindow();
    EXPECT_FALSE(::IsWindow(hWnd));
    PumpMessages();
}

// An MDI main frame loaded from id 5 with one template under id 4, as an application does.
class MdiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_log.clear();
        m_pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(5));
        theApp.m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(SW_SHOW);
        m_pTemplate =
            new CMultiDocTemplate(4, RUNTIME_CLASS(CTrackedDoc), RUNTIME_CLASS(CTrackedChild),
                                  RUNTIME_CLASS(CTrackedView));
        theApp.AddDocTemplate(m_pTemplate);
    }
    void TearDown() override
    {
        theApp.m_pMainWnd = NULL;  // no quit message for the test's thread
        if (::IsWindow(m_pFrame->m_hWnd)) {
            theApp.CloseAllDocuments(FALSE);
            m_pFrame->DestroyWindow();
        }
        delete theApp.m_pDocManager;  // the templates, as at application exit
        theApp.m_pDocManager = NULL;
        PumpMessages();
    }
    CMDIFrameWnd* m_pFrame = NULL;
    CMultiDocTemplate* m_pTemplate = NULL;
};

TEST_F(MdiTest, ClientArrangesChildrenAndActivatesFromWindowList)
{
    GdiCountGuard guard("MDI children");
    m_pFrame->SetWindowPos(NULL, 0, 0, 600, 450, SWP_NOZORDER);
    const HWND hClient = m_pFrame->m_hWndMDIClient;
    CMDIChildWnd* children[3];
    for (CMDIChildWnd*& pChild : children) {
        pChild = new CMDIChildWnd;
        ASSERT_TRUE(pChild->Create(NULL, _T("child"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                   CFrameWnd::rectDefault, m_pFrame));
        EXPECT_TRUE(pChild->GetMDIFrame() == m_pFrame && m_pFrame->MDIGetActive() == pChild)
            << "a visible new child is active";
    }
    m_pFrame->MDITile(MDITILE_VERTICAL);  // tiles cover the client without overlapping
    CRect client, rc[3];
    ::GetClientRect(hClient, &client);
    int area = 0;
    for (int i = 0; i < 3; ++i) {
        children[i]->GetWindowRect(&rc[i]);
        ::MapWindowPoints(NULL, hClient, (LPPOINT)&rc[i], 2);
        area += rc[i].Width() * rc[i].Height();
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(CRect().IntersectRect(&rc[i], &rc[j])) << j << " and " << i;
    }
    EXPECT_EQ(client.Width() * client.Height(), area);
    m_pFrame->MDICascade();  // each child down and right of the one before
    for (int i = 0; i < 3; ++i)
        children[i]->GetWindowRect(&rc[i]);
    EXPECT_TRUE(rc[0].TopLeft() != rc[1].TopLeft() && rc[1].TopLeft() != rc[2].TopLeft());
    // The Window list's ids (from AFX_IDM_FIRST_MDICHILD in creation order) go to DefFrameProc.
    for (int i : {0, 2, 1}) {
        m_pFrame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD + i);
        EXPECT_EQ(children[i], m_pFrame->MDIGetActive()) << "window list entry " << i;
    }
    m_pFrame->MDINext();
    EXPECT_NE(children[1], m_pFrame->MDIGetActive()) << "MDINext moves on";
    HWND hChild = children[0]->m_hWnd;
    children[0]->MDIDestroy();
    EXPECT_FALSE(::IsWindow(hChild));
}

TEST_F(MdiTest, OpenDocumentFileMakesDocumentChildFrameAndView)
{
    GdiCountGuard guard("MDI documents");
    HWND hFrame = m_pFrame->m_hWnd;
    CDocument* pDoc1 = m_pTemplate->OpenDocumentFile(NULL);
    CMDIChildWnd* pChild1 = m_pFrame->MDIGetActive();
    CView* pView1 = pChild1 ? pChild1->GetActiveView() : NULL;
    ASSERT_TRUE(pDoc1 && pChild1 && pView1);
    ExpectAll({{"default title from the doc name", pDoc1->GetTitle() == "Sketch1"},
               {"the child's class", pChild1->IsKindOf(RUNTIME_CLASS(CTrackedChild))},
               {"made by WM_MDICREATE", ::GetParent(pChild1->m_hWnd) == m_pFrame->m_hWndMDIClient},
               {"visible", pChild1->IsWindowVisible()},
               {"the view's class", pView1->IsKindOf(RUNTIME_CLASS(CTrackedView))},
               {"the view's document", pView1->GetDocument() == pDoc1},
               {"the child's document", pChild1->GetActiveDocument() == pDoc1},
               {"the active frame", m_pFrame->GetActiveFrame() == pChild1},
               {"OnInitialUpdate updated the view", Logged("update 0")},
               {"the template's menu while a child is active",
                ::GetMenu(hFrame) == m_pTemplate->m_hMenuShared && MenuText(hFrame) == "&Sketch"},
               {"the child's caption", Caption(pChild1->m_hWnd) == "Sketch1"},
               {"the frame's caption", Caption(hFrame) == "Test Frame - Sketch1"}});
    CDocument* pDoc2 = m_pTemplate->OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pDoc2);
    ExpectAll(
        {{"the second title", pDoc2->GetTitle() == "Sketch2"},
         {"the new child is active", m_pFrame->MDIGetActive() != pChild1},
         {"the template lists both", DocsOf(*m_pTemplate) == Docs{pDoc1, pDoc2}},
         {"MDIActivate", (m_pFrame->MDIActivate(pChild1), m_pFrame->MDIGetActive() == pChild1)},
         {"the caption follows", Caption(hFrame) == "Test Frame - Sketch1"}});
    // Child, view and document go; the template forgets the document.
    const std::string closed = LogOf([&] { pDoc2->OnCloseDocument(); });
    for (const char* entry : {"view deleted", "child deleted", "doc deleted"})
        EXPECT_NE(std::string::npos, closed.find(entry)) << entry;
    EXPECT_EQ(Docs{pDoc1}, DocsOf(*m_pTemplate)) << "one document left";
    // The child deletes its auto-delete document and restores the frame's menu.
    g_log.clear();
    pChild1->DestroyWindow();
    PumpMessages();
    EXPECT_TRUE(Logged("doc deleted") && DocsOf(*m_pTemplate).empty() && !m_pFrame->MDIGetActive());
    EXPECT_STREQ("&Frame", MenuText(hFrame)) << "frame menu back";
}

TEST_F(MdiTest, CommandsRouteThroughActiveViewDocumentChildAndApp)
{
    ASSERT_NE(nullptr, m_pTemplate->OpenDocumentFile(NULL));
    ExpectRoutes(m_pFrame, {{"the view", ID_CMD_VIEW, "view"},
                            {"the document", ID_CMD_DOC, "doc"},
                            {"the child frame", ID_CMD_CHILD, "child"},
                            {"the application", ID_CMD_APP, "app"},
                            {"the view before the application", ID_CMD_BOTH, "view"},
                            {"nobody", 0x8199, ""}});
    theApp.CloseAllDocuments(FALSE);
    ExpectRoutes(m_pFrame, {{"no child: no view", ID_CMD_VIEW, ""},
                            {"no child: the application", ID_CMD_BOTH, "app"}});
    ASSERT_NE(nullptr, m_pTemplate->OpenDocumentFile(NULL));
    g_log.clear();
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_CLOSE, 0);
    PumpMessages();
    EXPECT_TRUE(Logged("doc deleted") && !m_pFrame->MDIGetActive()) << "ID_FILE_CLOSE closes it";
}

// A frame that is no MDI frame. Its one member lies where an MDI frame keeps its client and holds
// a real MDI client, so a child that took this frame as its parent would be made there.
struct CNotMdiFrame : CFrameWnd {
    HWND m_hWndClient = NULL;
};

TEST(Frame, MdiChildWithoutParentTakesOnlyAnMdiMainWindow)
{
    CMDIFrameWnd* pMdi = MakeFrame<CMDIFrameWnd>();
    CNotMdiFrame* pPlain = MakeFrame<CNotMdiFrame>();
    ASSERT_TRUE(pMdi && pPlain);
    pPlain->m_hWndClient = pMdi->m_hWndMDIClient;
    const struct {
        const char* name;
        CWnd* pMain;
        BOOL created;
    } rows[] = {{"no main window", NULL, FALSE},
                {"a main window that is a plain frame", pPlain, FALSE},
                {"an MDI main frame", pMdi, TRUE}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        theApp.m_pMainWnd = r.pMain;
        ASSERT_EQ(r.pMain, AfxGetMainWnd());
        g_log.clear();
        CTrackedChild* pChild = new CTrackedChild;  // deletes itself when Create fails
        EXPECT_EQ(r.created, pChild->Create(NULL, _T("child"), WS_CHILD | WS_OVERLAPPEDWINDOW,
                                            CFrameWnd::rectDefault));
        HWND hMade = ::GetWindow(pMdi->m_hWndMDIClient, GW_CHILD);
        EXPECT_EQ(r.created != FALSE, hMade != NULL) << "a window in the MDI client";
        EXPECT_EQ(r.created ? "" : "child deleted", Joined(g_log));
        if (hMade != NULL)
            ::SendMessage(pMdi->m_hWndMDIClient, WM_MDIDESTROY, (WPARAM)hMade, 0);
    }
    theApp.m_pMainWnd = NULL;
    pPlain->DestroyWindow();
    pMdi->DestroyWindow();
    PumpMessages();
}
