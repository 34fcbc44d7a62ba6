// Documents, views and templates with real windows: who deletes whom and when, the template's
// document list, an MDI application built through OpenDocumentFile, and command routing.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

// What happened, in order: destructor calls and handled commands.
std::vector<std::string> g_log;
bool Logged(const std::string& entry)
{
    for (const std::string& e : g_log)
        if (e == entry)
            return true;
    return false;
}

const UINT ID_CMD_VIEW = 0x8101;   // handled by the view
const UINT ID_CMD_DOC = 0x8102;    // handled by the document
const UINT ID_CMD_CHILD = 0x8103;  // handled by the child frame class
const UINT ID_CMD_APP = 0x8104;    // handled by the application
const UINT ID_CMD_BOTH = 0x8105;   // handled by the view and by the application

}  // namespace

class CTrackedDoc : public CDocument
{
    DECLARE_DYNCREATE(CTrackedDoc)

public:
    ~CTrackedDoc() override { g_log.push_back("doc deleted"); }
    int ViewCount() const
    {
        int n = 0;
        POSITION pos = GetFirstViewPosition();
        while (pos != NULL) {
            GetNextView(pos);
            ++n;
        }
        return n;
    }

protected:
    afx_msg void OnDocCommand() { g_log.push_back("doc command"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTrackedDoc, CDocument)
BEGIN_MESSAGE_MAP(CTrackedDoc, CDocument)
    ON_COMMAND(ID_CMD_DOC, OnDocCommand)
END_MESSAGE_MAP()

class CTrackedView : public CView
{
    DECLARE_DYNCREATE(CTrackedView)

public:
    ~CTrackedView() override { g_log.push_back("view deleted"); }
    void OnDraw(CDC* pDC) override { pDC->FillSolidRect(0, 0, 10, 10, RGB(0, 128, 0)); }
    void OnInitialUpdate() override
    {
        g_log.push_back("initial update");
        CView::OnInitialUpdate();
    }
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override
    {
        g_log.push_back("update " + std::to_string(lHint));
        CView::OnUpdate(pSender, lHint, pHint);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DESTROY)
            g_log.push_back("WM_DESTROY");
        if (message == WM_NCDESTROY)
            g_log.push_back("WM_NCDESTROY");
        return CView::WindowProc(message, wParam, lParam);
    }
    afx_msg void OnViewCommand() { g_log.push_back("view command"); }
    afx_msg void OnBothCommand() { g_log.push_back("view both"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTrackedView, CView)
BEGIN_MESSAGE_MAP(CTrackedView, CView)
    ON_COMMAND(ID_CMD_VIEW, OnViewCommand)
    ON_COMMAND(ID_CMD_BOTH, OnBothCommand)
END_MESSAGE_MAP()

class CTrackedChild : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CTrackedChild)

public:
    ~CTrackedChild() override { g_log.push_back("child deleted"); }

protected:
    afx_msg void OnChildCommand() { g_log.push_back("child command"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTrackedChild, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CTrackedChild, CMDIChildWnd)
    ON_COMMAND(ID_CMD_CHILD, OnChildCommand)
END_MESSAGE_MAP()

class CTestApp : public CWinApp
{
protected:
    afx_msg void OnAppCommand() { g_log.push_back("app command"); }
    afx_msg void OnBothCommand() { g_log.push_back("app both"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_CMD_APP, OnAppCommand)
    ON_COMMAND(ID_CMD_BOTH, OnBothCommand)
END_MESSAGE_MAP()

static CTestApp theApp;

namespace {

// A visible plain frame to hold views made by hand.
CFrameWnd* MakeFrame()
{
    CFrameWnd* pFrame = new CFrameWnd;
    if (!pFrame->Create(NULL, _T("doc/view test"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)))
        return NULL;
    return pFrame;
}

CTrackedView* MakeView(CFrameWnd* pFrame, CDocument* pDoc, UINT nID)
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTrackedView);
    context.m_pCurrentDoc = pDoc;
    return static_cast<CTrackedView*>(pFrame->CreateView(&context, nID));
}

}  // namespace

TEST(DocView, ViewWindowDestructionDeletesViewThenAutoDeleteDocument)
{
    GdiCountGuard guard("document and two views");
    g_log.clear();
    CFrameWnd* pFrame = MakeFrame();
    ASSERT_NE(nullptr, pFrame);
    CTrackedDoc* pDoc = new CTrackedDoc;
    CTrackedView* pView1 = MakeView(pFrame, pDoc, AFX_IDW_PANE_FIRST);
    CTrackedView* pView2 = MakeView(pFrame, pDoc, AFX_IDW_PANE_FIRST + 1);
    ASSERT_NE(nullptr, pView1);
    ASSERT_NE(nullptr, pView2);
    EXPECT_EQ(pDoc, pView1->GetDocument()) << "OnCreate adds the view to the context's document";
    EXPECT_EQ(2, pDoc->ViewCount());

    pDoc->UpdateAllViews(pView1, 7);
    EXPECT_EQ(std::vector<std::string>({"update 7"}), g_log) << "every view but the sender";
    g_log.clear();

    // The first view goes: deleted after its last message, the document keeps the other.
    pView1->DestroyWindow();
    EXPECT_EQ(std::vector<std::string>({"WM_DESTROY", "WM_NCDESTROY", "view deleted"}), g_log);
    EXPECT_EQ(1, pDoc->ViewCount()) << "the deleted view left its document";
    POSITION pos = pDoc->GetFirstViewPosition();
    EXPECT_EQ(pView2, pDoc->GetNextView(pos)) << "the second view remains";
    EXPECT_FALSE(Logged("doc deleted"));

    // The last view goes: the auto-delete document deletes itself, after the view.
    g_log.clear();
    pView2->DestroyWindow();
    EXPECT_EQ(
        std::vector<std::string>({"WM_DESTROY", "WM_NCDESTROY", "view deleted", "doc deleted"}),
        g_log);
    pFrame->DestroyWindow();
    PumpMessages();
}

TEST(DocView, DocumentWithoutAutoDeleteOutlivesItsViews)
{
    g_log.clear();
    CFrameWnd* pFrame = MakeFrame();
    ASSERT_NE(nullptr, pFrame);
    CTrackedDoc* pDoc = new CTrackedDoc;
    pDoc->m_bAutoDelete = FALSE;
    ASSERT_NE(nullptr, MakeView(pFrame, pDoc, AFX_IDW_PANE_FIRST));
    pFrame->DestroyWindow();  // takes the view with it
    EXPECT_TRUE(Logged("view deleted"));
    EXPECT_FALSE(Logged("doc deleted")) << "m_bAutoDelete FALSE keeps the document";
    EXPECT_EQ(0, pDoc->ViewCount());
    delete pDoc;
    EXPECT_TRUE(Logged("doc deleted"));
}

TEST(DocView, CloseDocumentDestroysFramesOfItsViews)
{
    g_log.clear();
    CFrameWnd* pFrameA = MakeFrame();
    CFrameWnd* pFrameB = MakeFrame();
    ASSERT_TRUE(pFrameA != NULL && pFrameB != NULL);
    HWND hA = pFrameA->m_hWnd, hB = pFrameB->m_hWnd;
    CTrackedDoc* pDoc = new CTrackedDoc;
    MakeView(pFrameA, pDoc, AFX_IDW_PANE_FIRST);
    MakeView(pFrameB, pDoc, AFX_IDW_PANE_FIRST);
    pDoc->OnCloseDocument();
    EXPECT_FALSE(::IsWindow(hA)) << "first frame destroyed";
    EXPECT_FALSE(::IsWindow(hB)) << "second frame destroyed";
    EXPECT_EQ(std::vector<std::string>({"WM_DESTROY", "WM_NCDESTROY", "view deleted", "WM_DESTROY",
                                        "WM_NCDESTROY", "view deleted", "doc deleted"}),
              g_log);
}

TEST(DocView, TemplateDocumentListFollowsDocuments)
{
    CMultiDocTemplate tmpl(4, RUNTIME_CLASS(CTrackedDoc), RUNTIME_CLASS(CTrackedChild),
                           RUNTIME_CLASS(CTrackedView));
    tmpl.m_bAutoDelete = FALSE;
    EXPECT_EQ(nullptr, tmpl.GetFirstDocPosition());
    CDocument* pDocs[3];
    for (CDocument*& p : pDocs) {
        p = tmpl.CreateNewDocument();
        ASSERT_NE(nullptr, p);
        EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CTrackedDoc)));
        EXPECT_EQ(&tmpl, p->GetDocTemplate());
    }
    auto listed = [&tmpl]() {
        std::vector<CDocument*> docs;
        POSITION pos = tmpl.GetFirstDocPosition();
        while (pos != NULL)
            docs.push_back(tmpl.GetNextDoc(pos));
        return docs;
    };
    EXPECT_EQ(std::vector<CDocument*>({pDocs[0], pDocs[1], pDocs[2]}), listed());
    delete pDocs[1];
    EXPECT_EQ(std::vector<CDocument*>({pDocs[0], pDocs[2]}), listed()) << "deleted document left";
    tmpl.RemoveDocument(pDocs[0]);
    EXPECT_EQ(nullptr, pDocs[0]->GetDocTemplate());
    EXPECT_EQ(std::vector<CDocument*>({pDocs[2]}), listed());
    delete pDocs[0];
    delete pDocs[2];
    EXPECT_EQ(nullptr, tmpl.GetFirstDocPosition());

    // Strings under the template's id.
    tmpl.LoadTemplate();
    CString s;
    struct Case {
        CDocTemplate::DocStringIndex index;
        const char* text;
    } cases[] = {
        {CDocTemplate::windowTitle, ""},
        {CDocTemplate::docName, "Sketch"},
        {CDocTemplate::fileNewName, "Sketches"},
        {CDocTemplate::regFileTypeId, "Test.Sketch"},
        {CDocTemplate::regFileTypeName, "Test Sketch"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(tmpl.GetDocString(s, c.index)) << "index " << c.index;
        EXPECT_STREQ(c.text, (LPCTSTR)s) << "index " << c.index;
    }
    EXPECT_FALSE(tmpl.GetDocString(s, (CDocTemplate::DocStringIndex)12)) << "past the last string";
}

TEST(DocView, BadInputDoesNothingHarmful)
{
#ifndef _DEBUG
    CTrackedDoc* pDoc = new CTrackedDoc;
    pDoc->m_bAutoDelete = FALSE;
    pDoc->AddView(NULL);
    pDoc->RemoveView(NULL);
    POSITION pos = NULL;
    EXPECT_EQ(nullptr, pDoc->GetNextView(pos));
    EXPECT_EQ(0, pDoc->ViewCount());
    delete pDoc;

    // Templates missing classes make nothing and leak nothing.
    g_log.clear();
    CMultiDocTemplate noFrame(4, RUNTIME_CLASS(CTrackedDoc), NULL, RUNTIME_CLASS(CTrackedView));
    noFrame.m_bAutoDelete = FALSE;
    EXPECT_EQ(nullptr, noFrame.OpenDocumentFile(NULL));
    EXPECT_EQ(std::vector<std::string>({"doc deleted"}), g_log) << "the orphan document is deleted";
    EXPECT_EQ(nullptr, noFrame.GetFirstDocPosition());
    CMultiDocTemplate noDoc(4, NULL, RUNTIME_CLASS(CTrackedChild), RUNTIME_CLASS(CTrackedView));
    EXPECT_EQ(nullptr, noDoc.CreateNewDocument());
    // A "document" class that is not a document is refused.
    CMultiDocTemplate wrong(4, RUNTIME_CLASS(CTrackedChild), NULL, NULL);
    g_log.clear();
    EXPECT_EQ(nullptr, wrong.CreateNewDocument());
    EXPECT_EQ(std::vector<std::string>({"child deleted"}), g_log);
#endif
}

namespace {

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
    CString MenuText(HMENU hMenu, int nPos)
    {
        TCHAR sz[64] = {0};
        ::GetMenuString(hMenu, nPos, sz, 64, MF_BYPOSITION);
        return sz;
    }
    CString Caption(HWND hWnd)
    {
        TCHAR sz[128] = {0};
        ::GetWindowText(hWnd, sz, 128);
        return sz;
    }

    CMDIFrameWnd* m_pFrame = NULL;
    CMultiDocTemplate* m_pTemplate = NULL;
};

}  // namespace

TEST_F(MdiTest, OpenDocumentFileMakesDocumentChildFrameAndView)
{
    GdiCountGuard guard("MDI documents");
    EXPECT_STREQ("Test Frame", Caption(m_pFrame->m_hWnd)) << "title from string 5";
    EXPECT_STREQ("&Frame", MenuText(::GetMenu(m_pFrame->m_hWnd), 0)) << "frame menu from menu 5";
    ASSERT_NE(nullptr, m_pFrame->m_hWndMDIClient);
    POSITION posTemplate = theApp.GetFirstDocTemplatePosition();
    EXPECT_EQ(m_pTemplate, theApp.GetNextDocTemplate(posTemplate));
    EXPECT_EQ(nullptr, posTemplate) << "one template";

    CDocument* pDoc1 = m_pTemplate->OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pDoc1);
    EXPECT_STREQ("Sketch1", pDoc1->GetTitle()) << "default title from the template's doc name";
    CMDIChildWnd* pChild1 = m_pFrame->MDIGetActive();
    ASSERT_NE(nullptr, pChild1);
    EXPECT_TRUE(pChild1->IsKindOf(RUNTIME_CLASS(CTrackedChild)));
    EXPECT_EQ(m_pFrame->m_hWndMDIClient, ::GetParent(pChild1->m_hWnd)) << "made by WM_MDICREATE";
    EXPECT_TRUE(pChild1->IsWindowVisible());
    CView* pView1 = pChild1->GetActiveView();
    ASSERT_NE(nullptr, pView1);
    EXPECT_TRUE(pView1->IsKindOf(RUNTIME_CLASS(CTrackedView)));
    EXPECT_EQ(pDoc1, pView1->GetDocument());
    EXPECT_EQ(pDoc1, pChild1->GetActiveDocument());
    EXPECT_EQ(pChild1, m_pFrame->GetActiveFrame());
    EXPECT_TRUE(Logged("initial update"));
    // The template's menu under id 4 replaces the frame's while a child is active.
    HMENU hMenu = ::GetMenu(m_pFrame->m_hWnd);
    EXPECT_EQ(m_pTemplate->m_hMenuShared, hMenu);
    EXPECT_STREQ("&Sketch", MenuText(hMenu, 0)) << "child menu from menu 4";
    EXPECT_STREQ("Sketch1", Caption(pChild1->m_hWnd));
    EXPECT_STREQ("Test Frame - Sketch1", Caption(m_pFrame->m_hWnd));

    CDocument* pDoc2 = m_pTemplate->OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pDoc2);
    EXPECT_STREQ("Sketch2", pDoc2->GetTitle());
    CMDIChildWnd* pChild2 = m_pFrame->MDIGetActive();
    EXPECT_NE(pChild1, pChild2) << "the new child is active";
    POSITION pos = m_pTemplate->GetFirstDocPosition();
    EXPECT_EQ(pDoc1, m_pTemplate->GetNextDoc(pos));
    EXPECT_EQ(pDoc2, m_pTemplate->GetNextDoc(pos));
    EXPECT_EQ(nullptr, pos);

    // MDIActivate and the Window list.
    m_pFrame->MDIActivate(pChild1);
    EXPECT_EQ(pChild1, m_pFrame->MDIGetActive());
    EXPECT_STREQ("Test Frame - Sketch1", Caption(m_pFrame->m_hWnd));

    // Closing the second child's document: child, view and document go; the template forgets it.
    g_log.clear();
    pDoc2->OnCloseDocument();
    EXPECT_TRUE(Logged("view deleted") && Logged("child deleted") && Logged("doc deleted"));
    pos = m_pTemplate->GetFirstDocPosition();
    EXPECT_EQ(pDoc1, m_pTemplate->GetNextDoc(pos));
    EXPECT_EQ(nullptr, pos) << "one document left";

    // Destroying the last child frame deletes its auto-delete document and restores the menu.
    g_log.clear();
    pChild1->DestroyWindow();
    PumpMessages();
    EXPECT_TRUE(Logged("doc deleted"));
    EXPECT_EQ(nullptr, m_pTemplate->GetFirstDocPosition());
    EXPECT_EQ(nullptr, m_pFrame->MDIGetActive());
    EXPECT_STREQ("&Frame", MenuText(::GetMenu(m_pFrame->m_hWnd), 0)) << "frame menu back";
}

TEST_F(MdiTest, CommandsRouteFromFrameThroughActiveViewDocumentChildAndApp)
{
    ASSERT_NE(nullptr, m_pTemplate->OpenDocumentFile(NULL));
    struct Case {
        UINT id;
        const char* handledBy;
    } cases[] =
        {
            {ID_CMD_VIEW, "view command"},   {ID_CMD_DOC, "doc command"},
            {ID_CMD_CHILD, "child command"}, {ID_CMD_APP, "app command"},
            {ID_CMD_BOTH, "view both"},  // the view comes before the application
        };
    for (const Case& c : cases) {
        g_log.clear();
        m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
        EXPECT_EQ(std::vector<std::string>({c.handledBy}), g_log) << "command " << std::hex << c.id;
    }
    // Nothing handles this one: nobody hears of it, nothing breaks.
    g_log.clear();
    m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(0x8199, 0), 0);
    EXPECT_TRUE(g_log.empty());

    // With no child, only the frame and the application remain.
    theApp.CloseAllDocuments(FALSE);
    g_log.clear();
    m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_CMD_VIEW, 0), 0);
    m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_CMD_BOTH, 0), 0);
    EXPECT_EQ(std::vector<std::string>({"app both"}), g_log);
}

TEST_F(MdiTest, FileCloseCommandClosesActiveDocument)
{
    CDocument* pDoc = m_pTemplate->OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pDoc);
    g_log.clear();
    m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_CLOSE, 0), 0);
    PumpMessages();
    EXPECT_TRUE(Logged("doc deleted")) << "ID_FILE_CLOSE reaches the document";
    EXPECT_EQ(nullptr, m_pFrame->MDIGetActive());
}
