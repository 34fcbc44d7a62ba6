// The thread's message loop with idle processing (CWinThread), the application object
// (CWinApp) and the application's start-up and shut-down (AfxWinInit, AfxWinMain, AfxWinTerm).
#include <afxwin.h>
#include <afxpriv.h>

#include <string.h>

void AfxUnregisterWndClasses();

//--------------------------------------------------------------------------------------------
// CWinThread

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

// The idle update for the attached descendants of hWnd. A frame passes it to its own control
// bars when it hears it, so the walk leaves those out.
void SendIdleUpdateToDescendants(HWND hWnd, WPARAM wParam)
{
    CWnd* pParent = CWnd::FromHandlePermanent(hWnd);
    const BOOL bFrame = pParent != NULL && pParent->IsFrameWnd();
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
        if (pWnd != NULL && !(bFrame && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar))))
            AfxCallWndProc(pWnd, hWndChild, WM_IDLEUPDATECMDUI, wParam, 0);
        SendIdleUpdateToDescendants(hWndChild, wParam);
    }
}

}  // namespace

CWinThread::CWinThread()
    : m_pMainWnd(NULL), m_pActiveWnd(NULL), m_bAutoDelete(FALSE), m_hThread(NULL),
      m_nThreadID(::GetCurrentThreadId()), m_msgCur()
{}

CWinThread::~CWinThread() {}

CWnd* CWinThread::GetMainWnd()
{
    return m_pActiveWnd != NULL ? m_pActiveWnd : m_pMainWnd;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        // Idle processing while the queue is empty, until OnIdle wants no more.
        while (bIdle && !::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        // Pump until the queue is empty again; a real message earns another idle round.
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessage(&m_msgCur, NULL, 0, 0))
        return FALSE;
    AfxGetThreadState()->m_msgCur = m_msgCur;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg == NULL)
        return FALSE;
    // Thread messages have no window to translate them.
    if (pMsg->hwnd == NULL)
        return FALSE;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd != NULL ? pMainWnd->m_hWnd : NULL, pMsg))
        return TRUE;
    // A message for a window outside the main window's tree still offers the main window
    // its chance (accelerators of a frame while a popup has the focus).
    if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && pMsg->hwnd != pMainWnd->m_hWnd &&
        !::IsChild(pMainWnd->m_hWnd, pMsg->hwnd))
        return pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && pMainWnd->IsWindowVisible()) {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
            SendIdleUpdateToDescendants(pMainWnd->m_hWnd, (WPARAM)TRUE);
        }
        return TRUE;
    }
    if (lCount == 1) {
        // Temporary wrappers made while handling the last messages die here.
        AfxLockTempMaps();
        AfxUnlockTempMaps(TRUE);
    }
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    if (pMsg == NULL)
        return FALSE;
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    // Paint and the caret's timer do not change what idle processing would show; nor does a
    // mouse move to the same place.
    if (pMsg->message == WM_PAINT || pMsg->message == 0x0118)
        return FALSE;
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (pState->m_nMsgLast == pMsg->message && pState->m_ptCursorLast.x == pMsg->pt.x &&
            pState->m_ptCursorLast.y == pMsg->pt.y)
            return FALSE;
        pState->m_ptCursorLast = pMsg->pt;
    }
    pState->m_nMsgLast = pMsg->message;
    return TRUE;
}

int CWinThread::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

BOOL CWinThread::ProcessMessageFilter(int, LPMSG)
{
    return FALSE;
}

//--------------------------------------------------------------------------------------------
// CWinApp

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

LPTSTR DuplicateString(LPCTSTR lpsz)
{
    if (lpsz == NULL)
        return NULL;
    size_t cb = (strlen(lpsz) + 1) * sizeof(TCHAR);
    LPTSTR p = static_cast<LPTSTR>(malloc(cb));
    if (p != NULL)
        memcpy(p, lpsz, cb);
    return p;
}

}  // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_hInstance(NULL), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL),
      m_pszAppName(DuplicateString(lpszAppName)), m_pszExeName(NULL), m_pszHelpFilePath(NULL),
      m_pszProfileName(NULL), m_pszRegistryKey(NULL), m_pDocManager(NULL), m_bOwnAppName(TRUE),
      m_hDevMode(NULL), m_hDevNames(NULL)
{
    // One application object per process, as in MFC; a second one does not replace the first.
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    ASSERT(pState->m_pCurrentWinApp == NULL);
    if (pState->m_pCurrentWinApp == NULL) {
        pState->m_pCurrentWinApp = this;
        pState->m_lpszCurrentAppName = m_pszAppName;
    }
    m_hThread = ::GetCurrentThread();
    m_nThreadID = ::GetCurrentThreadId();
}

CWinApp::~CWinApp()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    if (pState->m_pCurrentWinApp == this) {
        pState->m_pCurrentWinApp = NULL;
        pState->m_lpszCurrentAppName = NULL;
    }
    // The document manager derives from CObject alone, so its CObject view has its address.
    delete reinterpret_cast<CObject*>(m_pDocManager);
    if (m_hDevMode != NULL)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames != NULL)
        ::GlobalFree(m_hDevNames);
    free(const_cast<LPTSTR>(m_pszAppName));
    free(const_cast<LPTSTR>(m_pszExeName));
    free(const_cast<LPTSTR>(m_pszHelpFilePath));
    free(const_cast<LPTSTR>(m_pszProfileName));
    free(const_cast<LPTSTR>(m_pszRegistryKey));
}

void CWinApp::SetCurrentHandles()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    TCHAR szPath[MAX_PATH + 1] = {};
    ::GetModuleFileName(m_hInstance, szPath, MAX_PATH);
    LPTSTR pszName = szPath;
    for (LPTSTR p = szPath; *p != '\0'; p = ::CharNext(p)) {
        if (*p == '\\' || *p == '/' || *p == ':')
            pszName = p + 1;
    }
    if (LPTSTR pszDot = strrchr(pszName, '.'))
        *pszDot = '\0';
    if (m_pszExeName == NULL)
        m_pszExeName = DuplicateString(pszName);
    if (m_pszAppName == NULL) {
        // The title string of the application's resources, else the executable's name.
        TCHAR szTitle[256];
        if (::LoadString(AfxGetResourceHandle(), AFX_IDS_APP_TITLE, szTitle, 256) > 0)
            m_pszAppName = DuplicateString(szTitle);
        else
            m_pszAppName = DuplicateString(m_pszExeName);
    }
    if (pState->m_pCurrentWinApp == this)
        pState->m_lpszCurrentAppName = m_pszAppName;
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    // With no main window there is nobody to end the loop but a posted WM_QUIT.
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

int CWinApp::ExitInstance()
{
    return CWinThread::ExitInstance();
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    if (lpszResourceName == NULL)
        return NULL;
    return ::LoadCursor(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return LoadCursor(MAKEINTRESOURCE(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursor(NULL, lpszCursorName);
}

HCURSOR CWinApp::LoadOEMCursor(UINT nIDCursor) const
{
    return ::LoadCursor(NULL, MAKEINTRESOURCE(nIDCursor));
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    if (lpszResourceName == NULL)
        return NULL;
    return ::LoadIcon(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIcon(MAKEINTRESOURCE(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const
{
    return ::LoadIcon(NULL, lpszIconName);
}

HICON CWinApp::LoadOEMIcon(UINT nIDIcon) const
{
    return ::LoadIcon(NULL, MAKEINTRESOURCE(nIDIcon));
}

//--------------------------------------------------------------------------------------------
// Global access and start-up

CWinApp* AFXAPI AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

CWinThread* AFXAPI AfxGetThread()
{
    return AfxGetApp();
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    LPCTSTR lpsz = AfxGetModuleState()->m_lpszCurrentAppName;
    return lpsz != NULL ? lpsz : _T("");
}

void AFXAPI AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    if (hInstance == NULL)
        hInstance = ::GetModuleHandle(NULL);
    pState->m_hCurrentInstanceHandle = hInstance;
    pState->m_hCurrentResourceHandle = hInstance;
    if (CWinApp* pApp = AfxGetApp()) {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->SetCurrentHandles();
    }
    return TRUE;
}

void AFXAPI AfxWinTerm()
{
    AfxUnregisterWndClasses();
    AfxLockTempMaps();
    AfxUnlockTempMaps(TRUE);
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    int nReturnCode = -1;
    if (pApp == NULL || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow)) {
        AfxWinTerm();
        return nReturnCode;
    }
    try {
        if (!pApp->InitApplication()) {
            nReturnCode = -1;
        } else if (!pApp->InitInstance()) {
            if (pApp->m_pMainWnd != NULL)
                pApp->m_pMainWnd->DestroyWindow();
            nReturnCode = pApp->ExitInstance();
        } else {
            nReturnCode = pApp->Run();
        }
    } catch (CException* e) {
        e->Delete();
        nReturnCode = -1;
    } catch (...) {
        nReturnCode = -1;
    }
    AfxWinTerm();
    return nReturnCode;
}
