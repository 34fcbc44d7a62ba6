// CFrameWnd: a frame holding a view, loaded from the host's resources, laying the view out and
// routing commands through the active view, itself and the application; its control bars,
// message strings and preview mode.
#include "afxwin.h"

#include "afxpriv.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BOOL AFXAPI _AfxLoadResourceString(UINT nID, CString& rString);

CFrameWnd::CFrameWnd()
    : m_hMenuDefault(NULL), m_hAccelTable(NULL), m_nIDHelp(0), m_bAutoMenuEnable(TRUE),
      m_nIDLastMessage(0), m_bPreviewMode(FALSE), m_lpfnCloseProc(NULL), m_pViewActive(NULL),
      m_bInRecalcLayout(FALSE)
{}

CFrameWnd::~CFrameWnd()
{
    // Accelerators loaded from resources are freed with the process; ours go with the frame.
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::IsFrameWnd() const
{
    return TRUE;
}

LPCTSTR CFrameWnd::RegisterFrameClass(UINT nIDResource)
{
    // A window class per icon: the frame's icon is the one stored under its resource id.
    HICON hIcon = NULL;
    if (nIDResource != 0) {
        LPCTSTR lpszName = MAKEINTRESOURCE(nIDResource);
        hIcon = ::LoadIcon(AfxFindResourceHandle(lpszName, RT_GROUP_ICON), lpszName);
    }
    if (hIcon == NULL) {
        if (!AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG))
            return NULL;
        return AFX_WNDFRAMEORVIEW_CLASS;
    }
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                               (HBRUSH)(COLOR_WINDOW + 1), hIcon);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL) {
        if (!AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG))
            return FALSE;
        cs.lpszClass = AFX_WNDFRAMEORVIEW_CLASS;
    }
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle,
                       CCreateContext* pContext)
{
    HMENU hMenu = NULL;
    if (lpszMenuName != NULL) {
        hMenu = ::LoadMenu(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName);
        if (hMenu == NULL) {
            TRACE(_T("CFrameWnd::Create: no menu resource\n"));
            PostNcDestroy();  // a frame that cannot be made deletes itself
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName;
    int x = rect.left, y = rect.top;
    int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT)
        x = y = cx = cy = CW_USEDEFAULT;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                  pParentWnd->GetSafeHwnd(), hMenu, pContext)) {
        if (hMenu != NULL && !::IsWindow(m_hWnd))
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    // The title is the first line of the string stored under the frame's id.
    CString strFull;
    if (_AfxLoadResourceString(nIDResource, strFull))
        AfxExtractSubString(m_strTitle, strFull, 0, '\n');
    LPCTSTR lpszClass = RegisterFrameClass(nIDResource);
    CString strTitle = m_strTitle;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd,
                MAKEINTRESOURCE(nIDResource), 0L, pContext))
        return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable != NULL || lpszResourceName == NULL)
        return FALSE;
    m_hAccelTable = ::LoadAccelerators(AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR),
                                       lpszResourceName);
    return m_hAccelTable != NULL;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT /*lpcs*/, CCreateContext* pContext)
{
    if (pContext != NULL && pContext->m_pNewViewClass != NULL)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != NULL;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (pContext == NULL || pContext->m_pNewViewClass == NULL)
        return NULL;
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    if (pObject == NULL)
        return NULL;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CWnd))) {
        ASSERT(FALSE);
        delete pObject;
        return NULL;
    }
    CWnd* pView = static_cast<CWnd*>(pObject);
    // A view whose window was made and then destroyed has deleted itself (PostNcDestroy).
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return NULL;
    return pView;
}

void CFrameWnd::OnDestroy()
{
    // The window destroys the menu it shows: give it back its own, not a shared one.
    if (m_hMenuDefault != NULL && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::OnClose()
{
    // Closing a preview ends the preview, not the frame.
    if (m_bPreviewMode && m_lpfnCloseProc != NULL) {
        m_lpfnCloseProc(this);
        return;
    }
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != NULL && !pDocument->CanCloseFrame(this))
        return;

    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this) {
        // Closing the main window closes every document first.
        if (!pApp->SaveAllModified())
            return;
        pApp->CloseAllDocuments(FALSE);
        if (!::IsWindow(m_hWnd))
            return;
    } else if (pDocument != NULL && pDocument->m_bAutoDelete) {
        // The document's last frame takes the document with it.
        BOOL bOtherFrame = FALSE;
        POSITION pos = pDocument->GetFirstViewPosition();
        while (pos != NULL && !bOtherFrame)
            bOtherFrame = pDocument->GetNextView(pos)->GetParentFrame() != this;
        if (!bOtherFrame) {
            pDocument->OnCloseDocument();
            return;
        }
        pDocument->PreCloseFrame(this);
    }
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != NULL && m_pViewActive->m_hWnd != NULL)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // The view covers the client area and paints it; erasing first would only flicker.
    if (m_pViewActive != NULL)
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::RecalcLayout(BOOL /*bNotify*/)
{
    if (m_bInRecalcLayout || m_hWnd == NULL)
        return;
    m_bInRecalcLayout = TRUE;
    // The control bars take their strips; the pane (view or MDI client) fills the rest.
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    // No view is active while the old one hears it lost and the new one hears it won.
    m_pViewActive = NULL;
    if (pViewOld != NULL && bNotify)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (pViewNew != NULL && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != NULL ? pView->GetDocument() : NULL;
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE &&
        nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE)
        BringWindowToTop();
}

// Collects the views among a window's descendants, in window order.
static BOOL CALLBACK CollectView(HWND hWnd, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        reinterpret_cast<CPtrList*>(lParam)->AddTail(pWnd);
    return TRUE;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    // The pane view becomes the active view unless one is already.
    CView* pView = NULL;
    if (GetActiveView() == NULL) {
        CWnd* pWnd = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST));
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
            pView = static_cast<CView*>(pWnd);
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible) {
        // Every view in the frame gets its initial update before the frame shows.
        CPtrList views;
        ::EnumChildWindows(m_hWnd, CollectView, reinterpret_cast<LPARAM>(&views));
        POSITION pos = views.GetHeadPosition();
        while (pos != NULL)
            static_cast<CView*>(views.GetNext(pos))->OnInitialUpdate();
        ActivateFrame(-1);
        if (pView != NULL)
            pView->OnActivateView(TRUE, pView, pView);
    }
    (void)pDoc;
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument != NULL)
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    else
        UpdateFrameTitleForDocument(NULL);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString strText;
    if (lpszDocName == NULL || *lpszDocName == 0) {
        strText = m_strTitle;
    } else if (GetStyle() & FWS_PREFIXTITLE) {
        strText = lpszDocName;
        if (!m_strTitle.IsEmpty())
            strText += CString(_T(" - ")) + m_strTitle;
    } else {
        strText = m_strTitle;
        if (!strText.IsEmpty())
            strText += _T(" - ");
        strText += lpszDocName;
    }
    // Setting the same text would only flicker the caption. (The caption itself may carry more:
    // an MDI frame shows its maximised child's title after ours.)
    if (strText == m_strTitleShown && ::GetWindowTextLength(m_hWnd) > 0)
        return;
    m_strTitleShown = strText;
    SetWindowText(strText);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    OnUpdateFrameTitle(TRUE);
    // The frame's own bars hear it from here (the idle loop's walk of the descendants leaves
    // them out, so they hear it once).
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)))
            AfxCallWndProc(pWnd, hWndChild, WM_IDLEUPDATECMDUI, wParam, lParam);
    }
    return 0;
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT nIDLast = m_nIDLastMessage;
    m_nIDLastMessage = (UINT)wParam;
    HWND hWndBar = ::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR);
    if (hWndBar != NULL) {
        CString strMessage;
        if (wParam != 0)
            _AfxLoadResourceString((UINT)wParam, strMessage);
        else if (lParam != 0)
            strMessage = reinterpret_cast<LPCTSTR>(lParam);
        ::SetWindowText(hWndBar, strMessage);
    }
    return nIDLast;
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, (int)nID));
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar))
               ? static_cast<CControlBar*>(pWnd)
               : NULL;
}

//--------------------------------------------------------------------------------------------
// Preview mode

namespace {

// The bit of dwStates recording a bar; 0 for ids beyond what the word holds.
DWORD BarStateBit(HWND hWnd)
{
    const UINT nID = (UINT)::GetDlgCtrlID(hWnd);
    if (nID < AFX_IDW_CONTROLBAR_FIRST || nID >= AFX_IDW_CONTROLBAR_FIRST + 32)
        return 0;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar))
               ? 1UL << (nID - AFX_IDW_CONTROLBAR_FIRST)
               : 0;
}

}  // namespace

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (pState == NULL || m_hWnd == NULL || (bPreview != FALSE) == (m_bPreviewMode != FALSE))
        return;
    if (bPreview) {
        // The visible bars hide and are remembered; the menu, the accelerators and the focus
        // are put aside; the main pane hides under an id the layout leaves alone.
        pState->dwStates = 0;
        for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
             hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
            const DWORD dwBit = BarStateBit(hWndChild);
            if (dwBit != 0 && (::GetWindowLongPtr(hWndChild, GWL_STYLE) & WS_VISIBLE)) {
                pState->dwStates |= dwBit;
                ::ShowWindow(hWndChild, SW_HIDE);
            }
        }
        pState->hMenu = ::GetMenu(m_hWnd);
        ::SetMenu(m_hWnd, NULL);
        pState->hAccelTable = m_hAccelTable;
        m_hAccelTable = NULL;
        pState->hWndFocus = ::GetFocus();
        HWND hWndPane = ::GetDlgItem(m_hWnd, (int)pState->nIDMainPane);
        if (hWndPane != NULL) {
            ::ShowWindow(hWndPane, SW_HIDE);
            ::SetWindowLongPtr(hWndPane, GWLP_ID, AFX_IDW_PANE_SAVE);
        }
        m_bPreviewMode = TRUE;
        m_lpfnCloseProc = pState->lpfnCloseProc;
    } else {
        m_bPreviewMode = FALSE;
        m_lpfnCloseProc = NULL;
        HWND hWndPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_SAVE);
        if (hWndPane != NULL) {
            ::SetWindowLongPtr(hWndPane, GWLP_ID, (LONG_PTR)pState->nIDMainPane);
            ::ShowWindow(hWndPane, SW_SHOW);
        }
        for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
             hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
            if (pState->dwStates & BarStateBit(hWndChild))
                ::ShowWindow(hWndChild, SW_SHOWNOACTIVATE);
        }
        if (pState->hMenu != NULL)
            ::SetMenu(m_hWnd, pState->hMenu);
        if (m_hAccelTable == NULL)
            m_hAccelTable = pState->hAccelTable;
        if (pState->hWndFocus != NULL && ::IsWindow(pState->hWndFocus))
            ::SetFocus(pState->hWndFocus);
    }
    RecalcLayout();
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active view (and through it the document and its template) first, then this frame,
    // then the application.
    CView* pView = GetActiveView();
    if (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != NULL &&
        ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}
