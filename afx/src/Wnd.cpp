// CWnd: attaching objects to windows (creation hook, subclassing, the handle map), message
// dispatch through message maps, and the thin wrappers; window class registration; CScrollBar.
#include "HandleMap.h"

#include <afxwin.h>
#include <afxpriv.h>

#include <stdio.h>
#include <string>
#include <vector>

namespace {

thread_local AFX_THREAD_STATE t_threadState;

typedef CHandleMap<HWND, CWnd> CWndMap;
typedef CTempWrapper<HWND, CWnd, &CWnd::m_hWnd> CTempWnd;

CWndMap* WndMap(BOOL bCreate)
{
    return AfxThreadHandleMap<CWndMap, afxMapHWND, &CTempWnd::New, &CTempWnd::Delete>(bCreate);
}

// The four insert-after stand-ins hold pseudo-handles that no map may be asked about.
bool IsPseudoHandle(HWND hWnd)
{
    return hWnd == HWND_TOP || hWnd == HWND_BOTTOM || hWnd == HWND_TOPMOST ||
           hWnd == HWND_NOTOPMOST;
}

// Stands in for a menu item while OnCommand asks whether the command is enabled.
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

// Windows created through the creation hook are this thread's IME windows when the system
// creates one on the way: those are never ours.
bool IsImeWindow(HWND hWnd)
{
    char szClass[16];
    return ::GetClassNameA(hWnd, szClass, sizeof(szClass)) > 0 && lstrcmpiA(szClass, "IME") == 0;
}

// Window classes registered through AfxRegisterClass, unregistered by AfxWinTerm.
SRWLOCK g_registeredLock = SRWLOCK_INIT;
std::vector<std::pair<HINSTANCE, std::string>>* g_pRegistered = NULL;

}  // namespace

// Gives the creation hook access to CWnd's protected members.
struct CWndAccess {
    static void SetSuper(CWnd* pWnd, WNDPROC pfn) { pWnd->m_pfnSuper = pfn; }
    static WNDPROC GetSuper(const CWnd* pWnd) { return pWnd->m_pfnSuper; }
};

AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    return &t_threadState;
}

//--------------------------------------------------------------------------------------------
// Window procedure and creation hook

WNDPROC AFXAPI AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || pWnd->m_hWnd != hWnd)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    const MSG previous = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        e->Delete();
        lResult = nMsg == WM_CREATE ? -1 : 0;
    } catch (...) {
        lResult = nMsg == WM_CREATE ? -1 : 0;
    }

    // A handler of WM_NCDESTROY that did not call CWnd::OnNcDestroy leaves the object attached
    // to a handle that is about to die: detach it. Only the map is consulted, since the
    // object may have deleted itself.
    if (nMsg == WM_NCDESTROY) {
        if (CWndMap* pMap = WndMap(FALSE)) {
            if (CWnd* pStill = pMap->LookupPermanent(hWnd)) {
                if (WNDPROC pfnSuper = CWndAccess::GetSuper(pStill))
                    ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnSuper);
                pStill->Detach();
            }
        }
    }
    pState->m_lastSentMsg = previous;
    return lResult;
}

LRESULT CALLBACK AfxCbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (nCode == HCBT_CREATEWND && pState->m_pWndInit != NULL) {
        HWND hWnd = (HWND)wParam;
        if (!IsImeWindow(hWnd)) {
            CWnd* pWnd = pState->m_pWndInit;
            pState->m_pWndInit = NULL;
            if (pWnd->Attach(hWnd)) {
                try {
                    pWnd->PreSubclassWindow();
                } catch (CException* e) {
                    e->Delete();
                } catch (...) {
                }
                WNDPROC pfnOld =
                    (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
                if (pfnOld != &AfxWndProc)
                    CWndAccess::SetSuper(pWnd, pfnOld);
            }
        }
    }
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, nCode, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter == NULL)
        pState->m_hHookOldCbtFilter =
            ::SetWindowsHookEx(WH_CBT, &AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
    ++pState->m_nHookDepth;
    pState->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_nHookDepth > 0 && --pState->m_nHookDepth == 0 &&
        pState->m_hHookOldCbtFilter != NULL) {
        ::UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
        pState->m_hHookOldCbtFilter = NULL;
    }
    if (pState->m_pWndInit != NULL) {
        pState->m_pWndInit = NULL;
        return FALSE;  // the hook never saw the window
    }
    return TRUE;
}

//--------------------------------------------------------------------------------------------
// Window classes

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    if (lpWndClass == NULL || lpWndClass->lpszClassName == NULL)
        return FALSE;
    WNDCLASS existing;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    if (!::RegisterClass(lpWndClass))
        return FALSE;
    if (!IS_INTRESOURCE(lpWndClass->lpszClassName)) {
        AcquireSRWLockExclusive(&g_registeredLock);
        try {
            if (g_pRegistered == NULL)
                g_pRegistered = new std::vector<std::pair<HINSTANCE, std::string>>;
            g_pRegistered->emplace_back(lpWndClass->hInstance, lpWndClass->lpszClassName);
        } catch (...) {
        }
        ReleaseSRWLockExclusive(&g_registeredLock);
    }
    return TRUE;
}

// Unregisters what AfxRegisterClass registered (called by AfxWinTerm).
void AfxUnregisterWndClasses()
{
    AcquireSRWLockExclusive(&g_registeredLock);
    std::vector<std::pair<HINSTANCE, std::string>>* pRegistered = g_pRegistered;
    g_pRegistered = NULL;
    ReleaseSRWLockExclusive(&g_registeredLock);
    if (pRegistered == NULL)
        return;
    for (const auto& entry : *pRegistered)
        ::UnregisterClass(entry.second.c_str(), entry.first);
    delete pRegistered;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground,
                                   HICON hIcon)
{
    static thread_local TCHAR szName[128];
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (hCursor == NULL && hbrBackground == NULL && hIcon == NULL)
        snprintf(szName, sizeof(szName), "Afx:%p:%x", (void*)hInst, nClassStyle);
    else
        snprintf(szName, sizeof(szName), "Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle,
                 (void*)hCursor, (void*)hbrBackground, (void*)hIcon);

    WNDCLASS wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = hInst;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = szName;
    return AfxRegisterClass(&wc) ? szName : NULL;
}

BOOL AFXAPI AfxDeferRegisterClass(LONG fToRegister)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    BOOL bResult = TRUE;
    WNDCLASS wc = {};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = hInst;
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    if (fToRegister & AFX_WND_REG) {
        wc.style = CS_DBLCLKS;
        wc.lpszClassName = AFX_WND_CLASS;
        bResult &= AfxRegisterClass(&wc);
    }
    if (fToRegister & AFX_WNDFRAMEORVIEW_REG) {
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
        wc.lpszClassName = AFX_WNDFRAMEORVIEW_CLASS;
        bResult &= AfxRegisterClass(&wc);
    }
    if (fToRegister & AFX_WNDMDIFRAME_REG) {
        wc.style = CS_DBLCLKS;
        wc.hbrBackground = NULL;
        wc.hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
        wc.lpszClassName = AFX_WNDMDIFRAME_CLASS;
        bResult &= AfxRegisterClass(&wc);
    }
    return bResult;
}

//--------------------------------------------------------------------------------------------
// CWnd: construction, the handle map, creation and destruction

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd() : m_hWnd(NULL), m_hWndOwner(NULL), m_pfnSuper(NULL) {}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_hWndOwner(NULL), m_pfnSuper(NULL) {}

CWnd::~CWnd()
{
    // An object going away with its window still attached takes the window with it.
    if (m_hWnd != NULL && !IsPseudoHandle(m_hWnd)) {
        CWndMap* pMap = WndMap(FALSE);
        if (pMap != NULL && pMap->LookupPermanent(m_hWnd) == this) {
            HWND hWnd = m_hWnd;
            ::DestroyWindow(hWnd);
            if (m_hWnd != NULL && pMap->LookupPermanent(hWnd) == this)
                Detach();
        }
    }
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    CWndMap* pMap = WndMap(TRUE);
    return pMap != NULL ? pMap->FromHandle(hWnd) : NULL;
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    CWndMap* pMap = WndMap(FALSE);
    return pMap != NULL ? pMap->LookupPermanent(hWnd) : NULL;
}

int AFXAPI AfxGetTempWndCount()
{
    CWndMap* pMap = WndMap(FALSE);
    return pMap != NULL ? (int)pMap->GetTemporaryCount() : 0;
}

void PASCAL CWnd::DeleteTempMap()
{
    if (CWndMap* pMap = WndMap(FALSE))
        pMap->DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    ASSERT(m_hWnd == NULL);
    if (hWndNew == NULL || m_hWnd != NULL || !::IsWindow(hWndNew))
        return FALSE;
    CWndMap* pMap = WndMap(TRUE);
    if (pMap == NULL || !pMap->SetPermanent(hWndNew, this))
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL) {
        if (CWndMap* pMap = WndMap(FALSE))
            pMap->RemoveHandle(hWnd, this);
        m_hWnd = NULL;
    }
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    if (pfnOld != &AfxWndProc)
        m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (pParent == NULL || pParent->m_hWnd == NULL)
        return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, (int)nID);
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == NULL)
        return NULL;
    if (m_pfnSuper != NULL)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    return Detach();
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    (LPVOID)pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd != NULL ? pParentWnd->m_hWnd : NULL, (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    ASSERT(m_hWnd == NULL);
    if (m_hWnd != NULL)
        return FALSE;
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    // The hook attaches this object before WM_NCCREATE, so every creation message reaches the
    // message map. A window that fails in WM_CREATE is destroyed and its WM_NCDESTROY calls
    // PostNcDestroy; one that fails before the hook saw it gets PostNcDestroy here. Either way
    // the object may be gone afterwards.
    AfxHookWindowCreate(this);
    HWND hWnd =
        ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y,
                         cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != NULL;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL) {
        if (!AfxDeferRegisterClass(AFX_WND_REG))
            return FALSE;
        cs.lpszClass = AFX_WND_CLASS;
    }
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    if (hWnd == NULL)
        return FALSE;
    CWndMap* pMap = WndMap(FALSE);
    const bool bAttached = pMap != NULL && pMap->LookupPermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    // A window attached without subclassing never tells us it died: detach here. The map is
    // asked first, since a subclassed object may have deleted itself in PostNcDestroy.
    if (bAttached && pMap->LookupPermanent(hWnd) == this)
        Detach();
    return bResult;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    if (lpClientRect == NULL)
        return;
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

BOOL CWnd::IsFrameWnd() const
{
    return FALSE;
}

//--------------------------------------------------------------------------------------------
// Message dispatch

const AFX_MSGMAP* PASCAL CWnd::GetThisMessageMap()
{
    typedef CWnd ThisClass;
    static const AFX_MSGMAP_ENTRY entries[] = {ON_WM_NCDESTROY(){0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP messageMap = {&CCmdTarget::GetThisMessageMap, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

namespace {

const AFX_MSGMAP_ENTRY* FindWindowMessage(const AFX_MSGMAP* pMap, UINT message)
{
    for (; pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p) {
            if (p->nCode != 0 || p->nID != 0)
                continue;
            if (p->nMessage == message && message != AFX_REGISTERED_MESSAGE_MARK)
                return p;
            if (p->nMessage == AFX_REGISTERED_MESSAGE_MARK && message >= 0xC000 &&
                message <= 0xFFFF && *(const UINT*)p->nSig == message)
                return p;
        }
    }
    return nullptr;
}

// Mouse coordinates are signed: a captured mouse left or above the window gives negatives.
CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint((short)LOWORD(lParam), (short)HIWORD(lParam));
}

}  // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        if (pResult != NULL)
            *pResult = 1;
        return TRUE;
    }

    const AFX_MSGMAP_ENTRY* pEntry = FindWindowMessage(GetMessageMap(), message);
    if (pEntry == nullptr)
        return FALSE;
    // A registered-message row keeps its message's address in nSig; it calls like ON_MESSAGE.
    const UINT_PTR nSig =
        pEntry->nMessage == AFX_REGISTERED_MESSAGE_MARK ? (UINT_PTR)AfxSig_l_w_l : pEntry->nSig;
    const AFX_PMSG pfn = pEntry->pfn;
    CWnd* const self = this;

    switch (nSig) {
    case AfxSig_v_v:
        (self->*AfxMsgFnCast<void (CWnd::*)()>(pfn))();
        break;
    case AfxSig_b_v:
        lResult = (self->*AfxMsgFnCast<BOOL (CWnd::*)()>(pfn))();
        break;
    case AfxSig_i_cs:
        lResult = (self->*AfxMsgFnCast<int (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_b_cs:
        lResult =
            (self->*AfxMsgFnCast<BOOL (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_b_D:
        lResult = (self->*AfxMsgFnCast<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle((HDC)wParam));
        break;
    case AfxSig_v_u_i_i:
        (self->*AfxMsgFnCast<void (CWnd::*)(UINT, int, int)>(pfn))(
            (UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    case AfxSig_v_i_i:
        (self->*AfxMsgFnCast<void (CWnd::*)(int, int)>(pfn))((short)LOWORD(lParam),
                                                             (short)HIWORD(lParam));
        break;
    case AfxSig_v_u_u_Scroll:
        (self->*AfxMsgFnCast<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), (CScrollBar*)CWnd::FromHandle((HWND)lParam));
        break;
    case AfxSig_v_u_pt:
        (self->*AfxMsgFnCast<void (CWnd::*)(UINT, CPoint)>(pfn))((UINT)wParam,
                                                                 PointFromLParam(lParam));
        break;
    case AfxSig_b_W_u_u:
        lResult = (self->*AfxMsgFnCast<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            CWnd::FromHandle((HWND)wParam), (UINT)(short)LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_i_W_u_u:
        lResult = (self->*AfxMsgFnCast<int (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            CWnd::FromHandle((HWND)wParam), (UINT)(short)LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_v_up:
        (self->*AfxMsgFnCast<void (CWnd::*)(UINT_PTR)>(pfn))((UINT_PTR)wParam);
        break;
    case AfxSig_v_W:
        (self->*AfxMsgFnCast<void (CWnd::*)(CWnd*)>(pfn))(
            CWnd::FromHandle(message == WM_CAPTURECHANGED ? (HWND)lParam : (HWND)wParam));
        break;
    case AfxSig_v_b_u:
        (self->*AfxMsgFnCast<void (CWnd::*)(BOOL, UINT)>(pfn))((BOOL)wParam, (UINT)lParam);
        break;
    case AfxSig_v_mmi:
        (self->*AfxMsgFnCast<void (CWnd::*)(MINMAXINFO*)>(pfn))((MINMAXINFO*)lParam);
        break;
    case AfxSig_v_u_u_u:
        (self->*AfxMsgFnCast<void (CWnd::*)(UINT, UINT, UINT)>(pfn))((UINT)wParam, LOWORD(lParam),
                                                                     HIWORD(lParam));
        break;
    case AfxSig_l_w_l:
        lResult = (self->*AfxMsgFnCast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    case AfxSig_b_u_s_pt:
        lResult = (self->*AfxMsgFnCast<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
            LOWORD(wParam), (short)HIWORD(wParam), PointFromLParam(lParam));
        break;
    case AfxSig_v_W_pt:
        (self->*AfxMsgFnCast<void (CWnd::*)(CWnd*, CPoint)>(pfn))(CWnd::FromHandle((HWND)wParam),
                                                                  PointFromLParam(lParam));
        break;
    case AfxSig_v_M:
        (self->*AfxMsgFnCast<void (CWnd::*)(CMenu*)>(pfn))(CMenu::FromHandle((HMENU)wParam));
        break;
    case AfxSig_v_M_u_b:
        (self->*AfxMsgFnCast<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(
            CMenu::FromHandle((HMENU)wParam), LOWORD(lParam), (BOOL)HIWORD(lParam));
        break;
    case AfxSig_v_u_u_hm:
        (self->*AfxMsgFnCast<void (CWnd::*)(UINT, UINT, HMENU)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), (HMENU)lParam);
        break;
    case AfxSig_v_u_W_b:
        (self->*AfxMsgFnCast<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(
            LOWORD(wParam), CWnd::FromHandle((HWND)lParam), (BOOL)HIWORD(wParam));
        break;
    case AfxSig_v_u_l:
        (self->*AfxMsgFnCast<void (CWnd::*)(UINT, LPARAM)>(pfn))((UINT)wParam, lParam);
        break;
    case AfxSig_v_b_W_W:
        // An MDI child learns whether it is the one being activated (lParam).
        (self->*AfxMsgFnCast<void (CWnd::*)(BOOL, CWnd*, CWnd*)>(pfn))(
            m_hWnd == (HWND)lParam, CWnd::FromHandle((HWND)lParam), CWnd::FromHandle((HWND)wParam));
        break;
    case AfxSig_l_pt:
        lResult = (self->*AfxMsgFnCast<LRESULT (CWnd::*)(CPoint)>(pfn))(PointFromLParam(lParam));
        break;
    case AfxSig_v_u_W:
        (self->*AfxMsgFnCast<void (CWnd::*)(UINT, CWnd*)>(pfn))((UINT)wParam,
                                                                CWnd::FromHandle((HWND)lParam));
        break;
    case AfxSig_b_b:
        lResult = (self->*AfxMsgFnCast<BOOL (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
        break;
    default:
        return FALSE;
    }
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    pState->m_lastSentMsg.time = ::GetMessageTime();
    DWORD dwPos = ::GetMessagePos();
    pState->m_lastSentMsg.pt.x = (short)LOWORD(dwPos);
    pState->m_lastSentMsg.pt.y = (short)HIWORD(dwPos);
    return &pState->m_lastSentMsg;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl == NULL) {
        // A menu item or accelerator: ignored while its update handler says disabled.
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    if (pMsg == NULL)
        return FALSE;
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            if (CWnd* pWnd = FromHandlePermanent(hWndChild))
                AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
        } else {
            ::SendMessage(hWndChild, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(hWndChild) != NULL) {
            CWnd child(hWndChild);
            child.SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
            child.m_hWnd = NULL;
        }
    }
}

//--------------------------------------------------------------------------------------------
// Control bar layout and dialog controls

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags,
                          LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    const BOOL bQuery = (nFlags & reposQuery) != 0;
    if (!bQuery && (layout.hDWP = ::BeginDeferWindowPos(8)) == NULL)
        return;

    // Each bar in z-order takes its strip of what the bars before it left.
    HWND hWndLeftOver = NULL;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        const UINT nID = (UINT)::GetDlgCtrlID(hWndChild);
        if (nID == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nID >= nIDFirst && nID <= nIDLast)
            ::SendMessage(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (bQuery) {
        if (lpRectParam != NULL) {
            if (bStretch)
                *lpRectParam = layout.rect;
            else
                ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        }
        return;
    }
    CRect rc(layout.rect);
    if (nFlags & reposExtra)
        rc.DeflateRect(lpRectParam);
    if (hWndLeftOver != NULL && (nFlags & reposNoPosLeftOver) == 0 && layout.hDWP != NULL)
        layout.hDWP = ::DeferWindowPos(layout.hDWP, hWndLeftOver, NULL, rc.left, rc.top,
                                       std::max(0, rc.Width()), std::max(0, rc.Height()),
                                       SWP_NOZORDER | SWP_NOACTIVATE);
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        // Controls without a command id (0, or the templates' -1) and static text are no
        // commands.
        const UINT nID = (UINT)::GetDlgCtrlID(hWndChild);
        if (nID == 0 || LOWORD(nID) == 0xFFFF)
            continue;
        const UINT nCode = (UINT)::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0);
        if (nCode & DLGC_STATIC)
            continue;
        // An automatic check box or radio button works without a handler: never disabled for
        // lacking one.
        BOOL bDisable = bDisableIfNoHndler;
        if (nCode & (DLGC_BUTTON | DLGC_RADIOBUTTON)) {
            const DWORD dwType = (DWORD)::GetWindowLongPtr(hWndChild, GWL_STYLE) & BS_TYPEMASK;
            if (dwType == BS_AUTOCHECKBOX || dwType == BS_AUTO3STATE ||
                dwType == BS_AUTORADIOBUTTON)
                bDisable = FALSE;
        }
        CWnd wrapper(hWndChild);
        CWnd* pControl = FromHandlePermanent(hWndChild);
        CCmdUI state;
        state.m_nID = nID;
        state.m_pOther = pControl != NULL ? pControl : &wrapper;
        state.DoUpdate(pTarget, bDisable);
        wrapper.m_hWnd = NULL;
    }
}

//--------------------------------------------------------------------------------------------
// Default handlers: each passes its message on to the default window procedure.

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return (int)Default();
}
BOOL CWnd::OnNcCreate(LPCREATESTRUCT)
{
    return (BOOL)Default();
}
void CWnd::OnDestroy()
{
    Default();
}
void CWnd::OnPaint()
{
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
void CWnd::OnMove(int, int)
{
    Default();
}
void CWnd::OnHScroll(UINT, UINT, CScrollBar*)
{
    Default();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*)
{
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonUp(UINT, CPoint)
{
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return (BOOL)Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return (BOOL)Default();
}
void CWnd::OnTimer(UINT_PTR)
{
    Default();
}
void CWnd::OnClose()
{
    Default();
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}
void CWnd::OnKillFocus(CWnd*)
{
    Default();
}
int CWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return (int)Default();
}
void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*)
{
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}
void CWnd::OnInitMenu(CMenu*)
{
    Default();
}
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL)
{
    Default();
}
void CWnd::OnMenuSelect(UINT, UINT, HMENU)
{
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL)
{
    Default();
}
BOOL CWnd::OnNcActivate(BOOL)
{
    return (BOOL)Default();
}
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*)
{
    Default();
}
void CWnd::OnCancelMode()
{
    Default();
}
void CWnd::OnCaptureChanged(CWnd*)
{
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}
LRESULT CWnd::OnNcHitTest(CPoint)
{
    return Default();
}
void CWnd::OnEnterIdle(UINT, CWnd*)
{
    Default();
}
BOOL CWnd::OnQueryEndSession()
{
    return (BOOL)Default();
}

void CWnd::OnNcDestroy()
{
    // The main window's end is the application's end.
    if (CWinThread* pThread = AfxGetThread()) {
        if (pThread->m_pMainWnd == this) {
            pThread->m_pMainWnd = NULL;
            AfxPostQuitMessage(0);
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = NULL;
    }
    LONG_PTR pfnWndProc = ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC);
    Default();
    // Later messages to the dying handle go straight to the procedure we replaced.
    if (m_pfnSuper != NULL && ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == pfnWndProc)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    Detach();
    PostNcDestroy();
}

//--------------------------------------------------------------------------------------------
// Wrappers

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, pRgn != NULL ? (HRGN)pRgn->GetSafeHandle() : NULL, bErase);
}

void CWnd::ValidateRgn(CRgn* pRgn)
{
    ::ValidateRgn(m_hWnd, pRgn != NULL ? (HRGN)pRgn->GetSafeHandle() : NULL);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate,
                          prgnUpdate != NULL ? (HRGN)prgnUpdate->GetSafeHandle() : NULL, flags);
}

int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                         LPRECT lpRectUpdate, UINT flags)
{
    return ::ScrollWindowEx(m_hWnd, dx, dy, lpRectScroll, lpRectClip,
                            prgnUpdate != NULL ? (HRGN)prgnUpdate->GetSafeHandle() : NULL,
                            lpRectUpdate, flags);
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    if (lpPaint == NULL)
        return NULL;
    HDC hDC = ::BeginPaint(m_hWnd, lpPaint);
    if (hDC == NULL)
        return NULL;
    AfxCountDC(+1);
    return CDC::FromHandle(hDC);
}

void CWnd::EndPaint(LPPAINTSTRUCT lpPaint)
{
    if (lpPaint == NULL)
        return;
    if (lpPaint->hdc != NULL)
        AfxCountDC(-1);
    ::EndPaint(m_hWnd, lpPaint);
}

CDC* CWnd::GetDC()
{
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC == NULL)
        return NULL;
    AfxCountDC(+1);
    return CDC::FromHandle(hDC);
}

CDC* CWnd::GetWindowDC()
{
    HDC hDC = ::GetWindowDC(m_hWnd);
    if (hDC == NULL)
        return NULL;
    AfxCountDC(+1);
    return CDC::FromHandle(hDC);
}

int CWnd::ReleaseDC(CDC* pDC)
{
    if (pDC == NULL || pDC->m_hDC == NULL)
        return 0;
    int nResult = ::ReleaseDC(m_hWnd, pDC->m_hDC);
    if (nResult)
        AfxCountDC(-1);
    return nResult;
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    if (lpRect == NULL)
        return;
    ::ClientToScreen(m_hWnd, (LPPOINT)lpRect);
    ::ClientToScreen(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    if (lpRect == NULL)
        return;
    ::ScreenToClient(m_hWnd, (LPPOINT)lpRect);
    ::ScreenToClient(m_hWnd, ((LPPOINT)lpRect) + 1);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter != NULL ? pWndInsertAfter->m_hWnd : NULL, x, y,
                          cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    const DWORD dwStyle = GetStyle();
    HWND hWndCenter = pAlternateOwner != NULL ? pAlternateOwner->m_hWnd
                      : (dwStyle & WS_CHILD)  ? ::GetParent(m_hWnd)
                                              : ::GetWindow(m_hWnd, GW_OWNER);
    RECT rcWnd;
    ::GetWindowRect(m_hWnd, &rcWnd);
    RECT rcArea, rcCenter;
    HWND hWndParent = NULL;
    if (!(dwStyle & WS_CHILD)) {
        // Over the owner when it is showing, else the middle of the work area.
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcArea, 0);
        if (hWndCenter != NULL && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
            ::GetWindowRect(hWndCenter, &rcCenter);
        else
            rcCenter = rcArea;
    } else {
        hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        if (hWndCenter == hWndParent || hWndCenter == NULL) {
            rcCenter = rcArea;
        } else {
            ::GetWindowRect(hWndCenter, &rcCenter);
            ::MapWindowPoints(NULL, hWndParent, (LPPOINT)&rcCenter, 2);
        }
    }
    const int cx = rcWnd.right - rcWnd.left, cy = rcWnd.bottom - rcWnd.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - cx / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - cy / 2;
    if (x + cx > rcArea.right)
        x = rcArea.right - cx;
    if (x < rcArea.left)
        x = rcArea.left;
    if (y + cy > rcArea.bottom)
        y = rcArea.bottom - cy;
    if (y < rcArea.top)
        y = rcArea.top;
    ::SetWindowPos(m_hWnd, NULL, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    if (hWnd == NULL)
        return FALSE;
    DWORD dwStyle = (DWORD)::GetWindowLongPtr(hWnd, GWL_STYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtr(hWnd, GWL_STYLE, (LONG_PTR)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    if (hWnd == NULL)
        return FALSE;
    DWORD dwStyle = (DWORD)::GetWindowLongPtr(hWnd, GWL_EXSTYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtr(hWnd, GWL_EXSTYLE, (LONG_PTR)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

CWnd* CWnd::GetParent() const
{
    return m_hWnd != NULL ? FromHandle(::GetParent(m_hWnd)) : NULL;
}

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner != NULL ? FromHandle(m_hWndOwner) : GetParent();
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (m_hWnd == NULL)
        return NULL;
    // Up through parents of child windows and owners of the rest.
    HWND hWnd = m_hWnd;
    for (;;) {
        HWND hWndNext = (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD)
                            ? ::GetParent(hWnd)
                            : ::GetWindow(hWnd, GW_OWNER);
        if (hWndNext == NULL)
            break;
        hWnd = hWndNext;
    }
    return FromHandle(hWnd);
}

// CFrameWnd derives from CWnd alone, so a frame's CWnd and CFrameWnd addresses are the same.
CFrameWnd* CWnd::GetParentFrame() const
{
    if (m_hWnd == NULL)
        return NULL;
    for (CWnd* pParent = GetParent(); pParent != NULL; pParent = pParent->GetParent()) {
        if (pParent->IsFrameWnd())
            return reinterpret_cast<CFrameWnd*>(pParent);
    }
    return NULL;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (m_hWnd == NULL)
        return NULL;
    const CWnd* pFrame = IsFrameWnd() ? this : reinterpret_cast<const CWnd*>(GetParentFrame());
    while (pFrame != NULL) {
        const CWnd* pParentFrame = reinterpret_cast<const CWnd*>(pFrame->GetParentFrame());
        if (pParentFrame == NULL)
            break;
        pFrame = pParentFrame;
    }
    return reinterpret_cast<CFrameWnd*>(const_cast<CWnd*>(pFrame));
}

namespace {

HWND FindDescendant(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    // The direct children first, then each child's descendants.
    for (HWND h = ::GetTopWindow(hWnd); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(h) == nID && (!bOnlyPerm || CWnd::FromHandlePermanent(h) != NULL))
            return h;
    }
    for (HWND h = ::GetTopWindow(hWnd); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (HWND hFound = FindDescendant(h, nID, bOnlyPerm))
            return hFound;
    }
    return NULL;
}

}  // namespace

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    if (m_hWnd == NULL)
        return NULL;
    HWND hFound = FindDescendant(m_hWnd, nID, bOnlyPerm);
    return bOnlyPerm ? FromHandlePermanent(hFound) : FromHandle(hFound);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLength = ::GetWindowTextLength(m_hWnd);
    if (nLength <= 0) {
        rString.Empty();
        return;
    }
    // The text may shrink between the two calls; the copy's own count is the truth.
    int nCopied = ::GetWindowText(m_hWnd, rString.GetBuffer(nLength), nLength + 1);
    rString.ReleaseBuffer(nCopied > 0 ? nCopied : 0);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, WM_SETFONT, (WPARAM)(pFont != NULL ? pFont->GetSafeHandle() : NULL),
                  bRedraw);
}

CFont* CWnd::GetFont() const
{
    HFONT hFont = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
    return hFont != NULL ? CFont::FromHandle(hFont) : NULL;
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (lpszCaption == NULL)
        lpszCaption = AfxGetAppName();
    return ::MessageBox(m_hWnd, lpszText != NULL ? lpszText : _T(""), lpszCaption, nType);
}

//--------------------------------------------------------------------------------------------
// Scroll bars: a sibling scroll-bar control stands in for the window's own bar when the
// window has one (GetScrollBarCtrl).

CScrollBar* CWnd::GetScrollBarCtrl(int) const
{
    return NULL;
}

int CWnd::GetScrollPos(int nBar) const
{
    if (CScrollBar* pBar = GetScrollBarCtrl(nBar))
        return pBar->GetScrollPos();
    return ::GetScrollPos(m_hWnd, nBar);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    if (CScrollBar* pBar = GetScrollBarCtrl(nBar))
        return pBar->SetScrollPos(nPos, bRedraw);
    return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    int nMin = 0, nMax = 0;
    if (CScrollBar* pBar = GetScrollBarCtrl(nBar))
        pBar->GetScrollRange(&nMin, &nMax);
    else
        ::GetScrollRange(m_hWnd, nBar, &nMin, &nMax);
    if (lpMinPos != NULL)
        *lpMinPos = nMin;
    if (lpMaxPos != NULL)
        *lpMaxPos = nMax;
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    if (CScrollBar* pBar = GetScrollBarCtrl(nBar))
        pBar->SetScrollRange(nMinPos, nMaxPos, bRedraw);
    else
        ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    if (lpScrollInfo == NULL)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    HWND hWnd = m_hWnd;
    if (CScrollBar* pBar = GetScrollBarCtrl(nBar)) {
        hWnd = pBar->m_hWnd;
        nBar = SB_CTL;
    }
    ::SetScrollInfo(hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    if (lpScrollInfo == NULL)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    HWND hWnd = m_hWnd;
    if (CScrollBar* pBar = GetScrollBarCtrl(nBar)) {
        hWnd = pBar->m_hWnd;
        nBar = SB_CTL;
    }
    return ::GetScrollInfo(hWnd, nBar, lpScrollInfo);
}

int CWnd::GetScrollLimit(int nBar)
{
    int nMin = 0, nMax = 0;
    GetScrollRange(nBar, &nMin, &nMax);
    SCROLLINFO info = {};
    if (GetScrollInfo(nBar, &info, SIF_PAGE) && info.nPage > 1)
        nMax -= (int)info.nPage - 1;
    return nMax;
}

void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable)
{
    if (nBar == SB_BOTH) {
        EnableScrollBarCtrl(SB_HORZ, bEnable);
        EnableScrollBarCtrl(SB_VERT, bEnable);
        return;
    }
    if (CScrollBar* pBar = GetScrollBarCtrl(nBar))
        pBar->EnableWindow(bEnable);
    else
        ::ShowScrollBar(m_hWnd, nBar, bEnable);
}

//--------------------------------------------------------------------------------------------
// CScrollBar

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

CScrollBar::~CScrollBar() {}

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(_T("SCROLLBAR"), NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    if (lpScrollInfo == NULL)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
}

int CScrollBar::GetScrollLimit()
{
    int nMin = 0, nMax = 0;
    GetScrollRange(&nMin, &nMax);
    SCROLLINFO info = {};
    if (GetScrollInfo(&info, SIF_PAGE) && info.nPage > 1)
        nMax -= (int)info.nPage - 1;
    return nMax;
}
