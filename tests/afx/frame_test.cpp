// Frames with real windows: LoadFrame from the test's resources, the view laid out over the
// client area, the active view, SDI command routing, and the MDI client's arrangement and
// window-list commands through DefFrameProc.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

std::vector<std::string> g_log;

const UINT ID_CMD_VIEW = 0x8201;
const UINT ID_CMD_FRAME = 0x8202;
const UINT ID_CMD_APP = 0x8203;

}  // namespace

class CPlainView : public CView
{
    DECLARE_DYNCREATE(CPlainView)

public:
    void OnDraw(CDC*) override {}
    void OnActivateView(BOOL bActivate, CView* pActivate, CView* pDeactive) override
    {
        g_log.push_back(bActivate ? "activate" : "deactivate");
        CView::OnActivateView(bActivate, pActivate, pDeactive);
    }

protected:
    afx_msg void OnViewCommand() { g_log.push_back("view"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CPlainView, CView)
BEGIN_MESSAGE_MAP(CPlainView, CView)
    ON_COMMAND(ID_CMD_VIEW, OnViewCommand)
    ON_COMMAND(ID_CMD_FRAME, OnViewCommand)
END_MESSAGE_MAP()

class CRoutingFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CRoutingFrame)

protected:
    afx_msg void OnFrameCommand() { g_log.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRoutingFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CRoutingFrame, CFrameWnd)
    ON_COMMAND(ID_CMD_FRAME, OnFrameCommand)
    ON_COMMAND(ID_CMD_APP, OnFrameCommand)
END_MESSAGE_MAP()

class CFrameTestApp : public CWinApp
{
protected:
    afx_msg void OnAppCommand() { g_log.push_back("app"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CFrameTestApp, CWinApp)
    ON_COMMAND(ID_CMD_APP, OnAppCommand)
    ON_COMMAND(ID_CMD_VIEW, OnAppCommand)
END_MESSAGE_MAP()

static CFrameTestApp theApp;

TEST(Frame, LoadFrameTakesMenuTitleAndIconFromResources)
{
    GdiCountGuard guard("load a frame");
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->LoadFrame(5));
    HWND hWnd = pFrame->m_hWnd;
    TCHAR text[64] = {0};
    ::GetWindowText(hWnd, text, 64);
    EXPECT_STREQ("Test Frame", text) << "title from string 5";
    EXPECT_STREQ("Test Frame", pFrame->GetTitle());
    ASSERT_NE(nullptr, ::GetMenu(hWnd));
    EXPECT_EQ(pFrame->m_hMenuDefault, ::GetMenu(hWnd));
    ::GetMenuString(::GetMenu(hWnd), 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ("&Frame", text) << "menu 5";
    EXPECT_EQ(5u, pFrame->m_nIDHelp);
    EXPECT_TRUE(pFrame->IsFrameWnd());

    // A missing menu makes LoadFrame fail, and the frame deletes itself.
    CFrameWnd* pBad = new CFrameWnd;
    EXPECT_FALSE(pBad->LoadFrame(77)) << "no menu 77 in the resources";
    pFrame->DestroyWindow();
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(Frame, ViewFillsClientAndBecomesActive)
{
    g_log.clear();
    CRoutingFrame* pFrame = new CRoutingFrame;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CPlainView);
    ASSERT_TRUE(pFrame->Create(NULL, _T("sdi"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 410, 310), NULL,
                               NULL, 0, &context));
    CWnd* pPane = CWnd::FromHandlePermanent(::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST));
    ASSERT_NE(nullptr, pPane) << "OnCreateClient made the view from m_pNewViewClass";
    ASSERT_TRUE(pPane->IsKindOf(RUNTIME_CLASS(CPlainView)));
    CPlainView* pView = static_cast<CPlainView*>(pPane);
    EXPECT_EQ(nullptr, pFrame->GetActiveView());
    pFrame->InitialUpdateFrame(NULL, TRUE);
    EXPECT_EQ(pView, pFrame->GetActiveView());
    EXPECT_EQ(pFrame, pView->GetParentFrame());
    EXPECT_TRUE(pFrame->IsWindowVisible());

    // The view covers the client area at every size.
    const CSize sizes[] = {CSize(400, 300), CSize(250, 180), CSize(640, 200)};
    for (const CSize& size : sizes) {
        pFrame->SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        CRect client, view;
        pFrame->GetClientRect(&client);
        pView->GetWindowRect(&view);
        pFrame->ScreenToClient(&view);
        EXPECT_EQ(client, view) << "frame " << size.cx << "x" << size.cy;
    }

    // Routing: the view, then the frame, then the application.
    struct Case {
        UINT id;
        const char* by;
    } cases[] = {{ID_CMD_VIEW, "view"}, {ID_CMD_FRAME, "view"}, {ID_CMD_APP, "frame"}};
    for (const Case& c : cases) {
        g_log.clear();
        pFrame->SendMessage(WM_COMMAND, c.id);
        EXPECT_EQ(std::vector<std::string>({c.by}), g_log) << "command " << std::hex << c.id;
    }
    g_log.clear();
    pFrame->SetActiveView(NULL);
    EXPECT_EQ(std::vector<std::string>({"deactivate"}), g_log);
    g_log.clear();
    pFrame->SendMessage(WM_COMMAND, ID_CMD_VIEW);
    EXPECT_EQ(std::vector<std::string>({"app"}), g_log) << "no active view: on to the app";
    pFrame->SetActiveView(pView);
    pFrame->DestroyWindow();
    PumpMessages();
}

TEST(Frame, MdiClientArrangesChildrenAndActivatesFromWindowList)
{
    GdiCountGuard guard("MDI children");
    CMDIFrameWnd* pFrame = new CMDIFrameWnd;
    ASSERT_TRUE(
        pFrame->Create(NULL, _T("mdi"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 450)));
    ASSERT_NE(nullptr, pFrame->m_hWndMDIClient);
    TCHAR cls[32] = {0};
    ::GetClassName(pFrame->m_hWndMDIClient, cls, 32);
    EXPECT_STRCASEEQ("MDIClient", cls);

    CMDIChildWnd* children[3];
    for (CMDIChildWnd*& pChild : children) {
        pChild = new CMDIChildWnd;
        ASSERT_TRUE(pChild->Create(NULL, _T("child"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                   CFrameWnd::rectDefault, pFrame));
        EXPECT_EQ(pFrame, pChild->GetMDIFrame());
        EXPECT_EQ(pChild, pFrame->MDIGetActive()) << "a visible new child is active";
    }

    // Tiling: the children cover the client without overlapping.
    pFrame->MDITile(MDITILE_VERTICAL);
    CRect client;
    ::GetClientRect(pFrame->m_hWndMDIClient, &client);
    int area = 0;
    CRect rects[3];
    for (int i = 0; i < 3; ++i) {
        children[i]->GetWindowRect(&rects[i]);
        ::MapWindowPoints(NULL, pFrame->m_hWndMDIClient, (LPPOINT)&rects[i], 2);
        area += rects[i].Width() * rects[i].Height();
        for (int j = 0; j < i; ++j) {
            CRect overlap;
            EXPECT_FALSE(overlap.IntersectRect(&rects[i], &rects[j]))
                << "tiles " << j << " and " << i;
        }
    }
    EXPECT_EQ(client.Width() * client.Height(), area) << "tiles cover the MDI client";

    // Cascading: each child down and right of the one before.
    pFrame->MDICascade();
    for (int i = 0; i < 3; ++i)
        children[i]->GetWindowRect(&rects[i]);
    EXPECT_NE(rects[0].TopLeft(), rects[1].TopLeft());
    EXPECT_NE(rects[1].TopLeft(), rects[2].TopLeft());

    // The Window list's ids (children numbered from AFX_IDM_FIRST_MDICHILD in creation order) go
    // through DefFrameProc, which activates that child.
    const int order[] = {0, 2, 1};
    for (int i : order) {
        pFrame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD + i);
        EXPECT_EQ(children[i], pFrame->MDIGetActive()) << "window list entry " << i;
    }
    pFrame->MDIActivate(children[1]);
    EXPECT_EQ(children[1], pFrame->MDIGetActive());
    pFrame->MDINext();
    EXPECT_NE(children[1], pFrame->MDIGetActive()) << "MDINext moves on";

    // MDIDestroy takes the child (and its object) away.
    HWND hChild = children[0]->m_hWnd;
    children[0]->MDIDestroy();
    EXPECT_FALSE(::IsWindow(hChild));
    pFrame->DestroyWindow();
    PumpMessages();
}
