// Control bars in a frame: a dialog bar made from the host's template (which wins over the
// layer's own of that id) takes its strip at the top, routes its buttons' commands through the
// frame to the active view, and enables them as the handlers say; preview mode hides and brings
// back the bars, the menu and the main pane; the message string reaches the status bar.
#include "TestSupport.h"
#include "TestWindow.h"

#include <afxext.h>
#include <afxpriv.h>
#include <afxres.h>

namespace {

std::vector<std::string> g_log;
enum { ID_BY_FRAME = 0x2001, ID_BY_VIEW, ID_BY_NOBODY, ID_OFF };

struct CBarView : CView {
    void OnDraw(CDC*) override {}
    afx_msg void OnCommand() { g_log.push_back("view"); }
    afx_msg void OnUpdateOff(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBarView, CView)
    ON_COMMAND(ID_BY_VIEW, OnCommand)
    ON_UPDATE_COMMAND_UI(ID_OFF, OnUpdateOff)
END_MESSAGE_MAP()

struct CBarFrame : CFrameWnd {
    afx_msg void OnCommand() { g_log.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBarFrame, CFrameWnd)
    ON_COMMAND(ID_BY_FRAME, OnCommand)
    ON_COMMAND(ID_OFF, OnCommand)
END_MESSAGE_MAP()

BOOL CALLBACK CloseProc(CFrameWnd*)
{
    g_log.push_back("close proc");
    return TRUE;
}

CRect RectIn(CWnd* pParent, CWnd* pChild)
{
    CRect rc;
    pChild->GetWindowRect(&rc);
    pParent->ScreenToClient(&rc);
    return rc;
}

}  // namespace

TEST(ControlBar, DialogBarInAFrame)
{
    CBarFrame* frame = new CBarFrame;  // deletes itself with its window
    ASSERT_TRUE(
        frame->Create(NULL, _T("bars"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 400)));
    CBarView* view = new CBarView;
    view->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST);
    frame->SetActiveView(view);
    CWnd status;  // a plain static control as the status bar
    status.CreateEx(0, _T("STATIC"), _T(""), WS_CHILD, CRect(0, 0, 10, 10), frame,
                    AFX_IDW_STATUS_BAR);
    CDialogBar* bar = new CDialogBar;
    ASSERT_TRUE(bar->Create(frame, AFX_IDD_PREVIEW_TOOLBAR, CBRS_TOP, AFX_IDW_CONTROLBAR_FIRST));
    bar->m_bAutoDelete = TRUE;
    frame->RecalcLayout();
    CRect client, strip(0, 0, 200, 20);
    frame->GetClientRect(&client);
    ::MapDialogRect(bar->m_hWnd, &strip);
    ExpectAll({{"the host's template", bar->GetDlgItem(ID_BY_NOBODY) != NULL},
               {"the bar's strip", RectIn(frame, bar) == CRect(0, 0, client.right, strip.bottom)},
               {"the pane below it",
                RectIn(frame, view) == CRect(0, strip.bottom, client.right, client.bottom)},
               {"found as a bar", frame->GetControlBar(AFX_IDW_CONTROLBAR_FIRST) == bar},
               {"not the view", frame->GetControlBar(AFX_IDW_PANE_FIRST) == NULL}});

    // Each button enabled as the handlers say, then clicked enabled: a control's notification is
    // routed as it comes.
    const struct {
        BOOL disableIfNoHandler;
        UINT button;
        bool enabled;
        const char* heard;
    } rows[] = {{TRUE, ID_BY_FRAME, true, "frame"}, {TRUE, ID_BY_VIEW, true, "view"},
                {TRUE, ID_BY_NOBODY, false, ""},    {TRUE, ID_OFF, false, "frame"},
                {FALSE, ID_BY_NOBODY, true, ""},    {FALSE, ID_OFF, false, "frame"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r.button) + (r.disableIfNoHandler ? " disabling" : ""));
        CWnd* button = bar->GetDlgItem(r.button);
        button->EnableWindow(TRUE);
        frame->SendMessage(WM_IDLEUPDATECMDUI, r.disableIfNoHandler);
        EXPECT_EQ(r.enabled, button->IsWindowEnabled() != FALSE);
        g_log.clear();
        button->EnableWindow(TRUE);
        button->SendMessage(BM_CLICK);
        EXPECT_EQ(r.heard, Joined(g_log));
    }

    const struct {
        WPARAM id;
        const char* text;
        const char* shown;
        LRESULT previous;
    } messages[] = {{ID_BY_FRAME, NULL, "Frame's command", 0},
                    {0, "typed", "typed", ID_BY_FRAME},
                    {AFX_IDS_IDLEMESSAGE, NULL, "Ready", 0}};
    for (const auto& m : messages) {
        EXPECT_EQ(m.previous, frame->SendMessage(WM_SETMESSAGESTRING, m.id, (LPARAM)m.text));
        CString shown;
        status.GetWindowText(shown);
        EXPECT_STREQ(m.shown, shown);
    }

    HMENU hMenu = ::CreateMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_BY_FRAME, _T("&Frame"));
    ::SetMenu(frame->m_hWnd, hMenu);
    CPrintPreviewState state;
    state.lpfnCloseProc = CloseProc;
    frame->OnSetPreviewMode(TRUE, &state);
    g_log.clear();
    frame->SendMessage(WM_CLOSE);
    ExpectAll({{"preview mode", frame->IsInPreviewMode()},
               {"the bar hidden", !bar->IsWindowVisible()},
               {"no menu", ::GetMenu(frame->m_hWnd) == NULL},
               {"the pane put aside",
                frame->GetDlgItem(AFX_IDW_PANE_SAVE) == view && !view->IsWindowVisible()},
               {"closing asks the close procedure", Joined(g_log) == "close proc"}});
    frame->OnSetPreviewMode(FALSE, &state);
    ExpectAll({{"out of preview mode", !frame->IsInPreviewMode()},
               {"the bar back", bar->IsWindowVisible()},
               {"the menu back", ::GetMenu(frame->m_hWnd) == hMenu},
               {"the pane back",
                frame->GetDlgItem(AFX_IDW_PANE_FIRST) == view && view->IsWindowVisible()}});
    // A bar at the left instead: the full height, the pane beside it; unstretched, the layout
    // asks for the bar's own size.
    bar->ShowWindow(SW_HIDE);
    CDialogBar* left = new CDialogBar;
    ASSERT_TRUE(
        left->Create(frame, AFX_IDD_PREVIEW_TOOLBAR, CBRS_LEFT, AFX_IDW_CONTROLBAR_FIRST + 1));
    left->m_bAutoDelete = TRUE;
    frame->RecalcLayout();
    frame->GetClientRect(&client);  // less the menu bar now
    CRect asked;
    frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &asked, NULL, FALSE);
    ExpectAll({{"the left strip", RectIn(frame, left) == CRect(0, 0, strip.right, client.bottom)},
               {"the pane beside it",
                RectIn(frame, view) == CRect(strip.right, 0, client.right, client.bottom)},
               {"the size asked", asked == CRect(0, 0, strip.right, strip.bottom)}});
    status.DestroyWindow();
    frame->DestroyWindow();
}

TEST(ControlBar, ExtractSubString)
{
    using Row = std::tuple<const char*, int, BOOL, const char*>;
    for (const auto& [full, index, found, part] :
         {Row{"Page %u\nPages %u-%u\n", 1, TRUE, "Pages %u-%u"},
          {"a\n\nb\n", 3, TRUE, ""},
          {"a\n\nb", 3, FALSE, ""},
          {"a", -1, FALSE, ""},
          {NULL, 0, FALSE, ""}}) {
        CString extracted("stale");
        EXPECT_EQ(found, AfxExtractSubString(extracted, full, index, '\n')) << index;
        EXPECT_STREQ(part, extracted) << index;
    }
}
