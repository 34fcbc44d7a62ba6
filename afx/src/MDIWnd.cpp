// CMDIFrameWnd and CMDIChildWnd: the MDI client window, child frames made through
// WM_MDICREATE, the menus that follow the active child, and command routing through it.
#include "afxwin.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BOOL AFXAPI _AfxLoadResourceString(UINT nID, CString& rString);

// Commands of the Window menu, which the MDI client lists its children after.
#define AFX_IDM_WINDOW_FIRST 0xE130
#define AFX_IDM_WINDOW_LAST 0xE13F

/////////////////////////////////////////////////////////////////////////////
// CMDIFrameWnd

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(NULL) {}

CMDIFrameWnd::~CMDIFrameWnd() {}

BOOL CMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL) {
        if (!AfxDeferRegisterClass(AFX_WNDMDIFRAME_REG))
            return FALSE;
        cs.lpszClass = AFX_WNDMDIFRAME_CLASS;
    }
    return TRUE;
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    // The frame's own menu is the default one, shown while no child is active.
    m_hMenuDefault = ::GetMenu(m_hWnd);
    return TRUE;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    // The Window menu is the popup holding the window-arranging commands.
    if (hMenuBar == NULL)
        return NULL;
    int nCount = ::GetMenuItemCount(hMenuBar);
    for (int i = nCount - 1; i >= 0; --i) {
        HMENU hPopup = ::GetSubMenu(hMenuBar, i);
        if (hPopup == NULL)
            continue;
        int nItems = ::GetMenuItemCount(hPopup);
        for (int j = 0; j < nItems; ++j) {
            UINT nID = ::GetMenuItemID(hPopup, j);
            if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST)
                return hPopup;
        }
    }
    return NULL;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* /*pContext*/)
{
    return CreateClient(lpcs, CMenu::FromHandle(GetWindowMenuPopup(::GetMenu(m_hWnd))));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs;
    ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    DWORD dwStyle = WS_VISIBLE | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
    if (lpCreateStruct != NULL)
        dwStyle |= lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL);
    m_hWndMDIClient =
        ::CreateWindowEx(WS_EX_CLIENTEDGE, _T("MDICLIENT"), NULL, dwStyle, 0, 0, 0, 0, m_hWnd,
                         (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != NULL;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProc(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CFrameWnd::OnCommand(wParam, lParam))
        return TRUE;
    // The Window menu's list of children: the MDI client activates the chosen one.
    if (LOWORD(wParam) >= AFX_IDM_FIRST_MDICHILD && lParam == 0) {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    if (m_hWndMDIClient == NULL) {
        if (pbMaximized != NULL)
            *pbMaximized = FALSE;
        return NULL;
    }
    HWND hWnd = (HWND)::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)pbMaximized);
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        return NULL;
    return static_cast<CMDIChildWnd*>(pWnd);
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    if (m_hWndMDIClient != NULL && pWndActivate != NULL)
        ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->m_hWnd, 0);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}
void CMDIFrameWnd::MDICascade(int nType)
{
    ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, nType, 0);
}
void CMDIFrameWnd::MDITile()
{
    ::SendMessage(m_hWndMDIClient, WM_MDITILE, 0, 0);
}
void CMDIFrameWnd::MDITile(int nType)
{
    ::SendMessage(m_hWndMDIClient, WM_MDITILE, nType, 0);
}
void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}
void CMDIFrameWnd::MDINext()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}
void CMDIFrameWnd::MDIPrev()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    if (pWnd != NULL)
        ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pWnd->m_hWnd, 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    if (pWnd != NULL)
        ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pWnd->m_hWnd, 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    HMENU hOld =
        (HMENU)::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)pFrameMenu->GetSafeHmenu(),
                             (LPARAM)pWindowMenu->GetSafeHmenu());
    return CMenu::FromHandle(hOld);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    // The active child's menu, or the frame's own when no child is active.
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != NULL) {
        pActiveChild->OnUpdateFrameMenu(TRUE, pActiveChild, hMenuAlt);
        return;
    }
    HMENU hMenu = hMenuAlt != NULL ? hMenuAlt : m_hMenuDefault;
    if (hMenu != NULL && m_hWndMDIClient != NULL && ::GetMenu(m_hWnd) != hMenu) {
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenu,
                      (LPARAM)GetWindowMenuPopup(hMenu));
        ::DrawMenuBar(m_hWnd);
    }
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    return pActiveChild != NULL ? static_cast<CFrameWnd*>(pActiveChild) : this;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active child frame (its view, its document, itself, the application) first.
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != NULL && pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        // Ctrl+F4, Ctrl+F6 and the child system menu, then the active child's accelerators.
        if (m_hWndMDIClient != NULL && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
            return TRUE;
        CMDIChildWnd* pActiveChild = MDIGetActive();
        if (pActiveChild != NULL && pActiveChild->m_hAccelShared != NULL &&
            ::TranslateAccelerator(m_hWnd, pActiveChild->m_hAccelShared, pMsg))
            return TRUE;
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    // A maximised child's title is drawn by the MDI client; otherwise "frame - document".
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActiveChild = MDIGetActive(&bMaximized);
    CDocument* pDocument = pActiveChild != NULL ? pActiveChild->GetActiveDocument() : NULL;
    if (bAddToTitle && pDocument != NULL && !bMaximized)
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    else
        UpdateFrameTitleForDocument(NULL);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID) {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        return TRUE;
    case ID_WINDOW_CASCADE:
        MDICascade();
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        return TRUE;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CMDIFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    // Maximising or restoring a child changes what the caption should say.
    OnUpdateFrameMenu(NULL);
    return CFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
}

void CMDIFrameWnd::OnWindowNew()
{
    // Another frame and view on the active child's document.
    CMDIChildWnd* pActiveChild = MDIGetActive();
    CDocument* pDocument = pActiveChild != NULL ? pActiveChild->GetActiveDocument() : NULL;
    if (pDocument == NULL || pDocument->GetDocTemplate() == NULL)
        return;
    CDocTemplate* pTemplate = pDocument->GetDocTemplate();
    CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDocument, pActiveChild);
    if (pFrame != NULL)
        pTemplate->InitialUpdateFrame(pFrame, pDocument);
}

/////////////////////////////////////////////////////////////////////////////
// CMDIChildWnd

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(NULL), m_hAccelShared(NULL) {}

CMDIChildWnd::~CMDIChildWnd() {}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == NULL) {
        CWnd* pMainWnd = AfxGetMainWnd();
        if (pMainWnd != NULL && pMainWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
            pParentWnd = static_cast<CMDIFrameWnd*>(pMainWnd);
    }
    ASSERT(pParentWnd != NULL && pParentWnd->m_hWndMDIClient != NULL);
    if (pParentWnd == NULL || pParentWnd->m_hWndMDIClient == NULL) {
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = lpszWindowName;

    CREATESTRUCT cs;
    ZeroMemory(&cs, sizeof(cs));
    cs.style = dwStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.hwndParent = pParentWnd->m_hWnd;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (rect.left == CW_USEDEFAULT) {
        cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    } else {
        cs.x = rect.left;
        cs.y = rect.top;
        cs.cx = rect.right - rect.left;
        cs.cy = rect.bottom - rect.top;
    }
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    // The MDI client makes the window; it shows only once it is complete (ActivateFrame).
    MDICREATESTRUCT mcs;
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = (LPARAM)cs.lpCreateParams;

    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!AfxUnhookWindowCreate()) {
        // No window was ever attached to this object: nothing will delete it but us.
        PostNcDestroy();
        return FALSE;
    }
    if (hWnd == NULL)
        return FALSE;  // made and destroyed: PostNcDestroy already ran

    if (dwStyle & WS_VISIBLE) {
        ::BringWindowToTop(hWnd);
        if (dwStyle & WS_MINIMIZE)
            ShowWindow(SW_SHOWMINNOACTIVE);
        else if (dwStyle & WS_MAXIMIZE)
            ShowWindow(SW_SHOWMAXIMIZED);
        else
            ShowWindow(SW_SHOWNORMAL);
        MDIActivate();
        ::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    // A child's caption starts as the document name; its menu is the template's shared one.
    CString strFull, strTitle;
    if (_AfxLoadResourceString(nIDResource, strFull))
        AfxExtractSubString(strTitle, strFull, CDocTemplate::docName, '\n');
    CMDIFrameWnd* pFrame = NULL;
    if (pParentWnd != NULL && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        pFrame = static_cast<CMDIFrameWnd*>(pParentWnd);
    if (pContext != NULL && pContext->m_pNewDocTemplate != NULL &&
        pContext->m_pNewDocTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate))) {
        CMultiDocTemplate* pTemplate = static_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate);
        m_hMenuShared = pTemplate->m_hMenuShared;
        m_hAccelShared = pTemplate->m_hAccelTable;
    }
    LPCTSTR lpszClass = RegisterFrameClass(nIDResource);
    return Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pFrame, pContext);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    // Made through WM_MDICREATE: the context rides in the MDICREATESTRUCT.
    MDICREATESTRUCT* pmcs = static_cast<MDICREATESTRUCT*>(lpcs->lpCreateParams);
    CCreateContext* pContext =
        pmcs != NULL ? reinterpret_cast<CCreateContext*>(pmcs->lParam) : NULL;
    return OnCreateHelper(lpcs, pContext);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProc(m_hWnd, message, wParam, lParam);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame()
{
    if (m_hWnd == NULL)
        return NULL;
    HWND hWndClient = ::GetParent(m_hWnd);
    CWnd* pWnd = CWnd::FromHandlePermanent(hWndClient != NULL ? ::GetParent(hWndClient) : NULL);
    if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return NULL;
    return static_cast<CMDIFrameWnd*>(pWnd);
}

void CMDIChildWnd::MDIDestroy()
{
    if (m_hWnd != NULL)
        ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIActivate()
{
    if (m_hWnd != NULL)
        ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIMaximize()
{
    if (m_hWnd != NULL)
        ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIRestore()
{
    if (m_hWnd != NULL)
        ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    // An MDI child must leave through the MDI client, which then activates the next child.
    CMDIFrameWnd* pFrame = GetMDIFrame();
    HWND hWndFrame = pFrame != NULL ? pFrame->m_hWnd : NULL;
    MDIDestroy();
    if (hWndFrame != NULL && ::IsWindow(hWndFrame) &&
        CWnd::FromHandlePermanent(hWndFrame) == pFrame) {
        pFrame->OnUpdateFrameMenu(NULL);
        pFrame->OnUpdateFrameTitle(TRUE);
    }
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (nCmdShow == -1 && pFrame != NULL) {
        // A new child follows the maximised state of the one that was active.
        BOOL bMaximized = FALSE;
        pFrame->MDIGetActive(&bMaximized);
        DWORD dwStyle = GetStyle();
        if (bMaximized || (dwStyle & WS_MAXIMIZE))
            nCmdShow = SW_SHOWMAXIMIZED;
        else if (dwStyle & WS_MINIMIZE)
            nCmdShow = SW_SHOWMINIMIZED;
    }
    if (nCmdShow == -1)
        nCmdShow = IsWindowVisible() ? -1 : SW_SHOWNORMAL;
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    if (nCmdShow != SW_HIDE && nCmdShow != SW_SHOWMINNOACTIVE)
        MDIActivate();
    if (pFrame != NULL) {
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
        pFrame->OnUpdateFrameMenu(NULL);
        pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL || pFrame->m_hWndMDIClient == NULL)
        return;
    HMENU hMenu = NULL;
    if (bActivate && pActivateWnd == this)
        hMenu = hMenuAlt != NULL ? hMenuAlt : m_hMenuShared;
    else if (!bActivate && pActivateWnd == NULL)
        hMenu = pFrame->m_hMenuDefault;  // the last child went away
    if (hMenu == NULL)
        hMenu = pFrame->m_hMenuDefault;
    if (hMenu != NULL && ::GetMenu(pFrame->m_hWnd) != hMenu) {
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenu,
                      (LPARAM)pFrame->GetWindowMenuPopup(hMenu));
        ::DrawMenuBar(pFrame->m_hWnd);
    }
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    CFrameWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    // Only the child being activated, or the last one losing activation, changes the menu.
    if ((bActivate && pActivateWnd == this) || (!bActivate && pActivateWnd == NULL))
        OnUpdateFrameMenu(bActivate, pActivateWnd, NULL);
    CView* pView = GetActiveView();
    if (pView != NULL)
        pView->OnActivateView(bActivate, pView, pView);
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL)
        pFrame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL)
        pFrame->OnUpdateFrameTitle(bAddToTitle);
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    // The child's caption is its document's title.
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument != NULL) {
        CString strOld;
        GetWindowText(strOld);
        if (strOld != pDocument->GetTitle())
            SetWindowText(pDocument->GetTitle());
    }
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    // The MDI frame translates the accelerators of its active child; nothing to do here.
    return CWnd::PreTranslateMessage(pMsg);
}
