// Windows, applications and message maps of the class-library layer: command targets, message
// maps, CWnd and its device contexts, menus, threads, the application object, module state and
// extension modules. Included through afxwin.h.
#pragma once
#include "afx.h"
#include "afxgdi_.h"
#include "afxstat_.h"

#include <commdlg.h>

class CCmdTarget;
class CCmdUI;
class CWnd;
class CMenu;
class CScrollBar;
class CWinThread;
class CWinApp;
class CFrameWnd;
class CDocManager;
class CDocTemplate;
class CPrintDialog;
class CDocument;
struct CCreateContext;

// winuser.h's two-argument macro would hide CWnd::GetNextWindow.
#ifdef GetNextWindow
#undef GetNextWindow
#endif

#ifndef afx_msg
#define afx_msg
#endif
#define AFX_MSG_CALL

// Private messages of the layer (values as MFC documents them for its own use).
#ifndef WM_IDLEUPDATECMDUI
#define WM_SIZEPARENT 0x0361        // lParam: AFX_SIZEPARENTPARAMS*, from RepositionBars
#define WM_SETMESSAGESTRING 0x0362  // wParam: string id, or 0 and lParam the text
#define WM_IDLEUPDATECMDUI 0x0363   // wParam: TRUE disables commands nobody handles
#endif

#include "afxres.h"

//--------------------------------------------------------------------------------------------
// Message maps

typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)(void);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSGW)(void);
typedef void (AFX_MSG_CALL CWinThread::*AFX_PMSGT)(void);

// One row of a message map. For window messages nMessage is the message and nCode and nID are
// 0; for commands nMessage is WM_COMMAND, nCode the notification code and nID..nLastID the
// command ids. nSig tells the dispatcher how to crack the parameters and call pfn; for a
// registered message it holds the address of the UINT holding the message number instead.
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    UINT_PTR nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// How a handler is called: the parameters it takes and what it returns.
enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    AfxSig_v_v,           // void ()
    AfxSig_b_v,           // BOOL ()
    AfxSig_i_cs,          // int (LPCREATESTRUCT)
    AfxSig_b_cs,          // BOOL (LPCREATESTRUCT)
    AfxSig_b_D,           // BOOL (CDC*)
    AfxSig_v_u_i_i,       // void (UINT, int, int)
    AfxSig_v_i_i,         // void (int, int)
    AfxSig_v_u_u_Scroll,  // void (UINT, UINT, CScrollBar*)
    AfxSig_v_u_pt,        // void (UINT, CPoint)
    AfxSig_b_W_u_u,       // BOOL (CWnd*, UINT, UINT)
    AfxSig_i_W_u_u,       // int (CWnd*, UINT, UINT)
    AfxSig_v_up,          // void (UINT_PTR)
    AfxSig_v_W,           // void (CWnd*)
    AfxSig_v_b_u,         // void (BOOL, UINT)
    AfxSig_v_mmi,         // void (MINMAXINFO*)
    AfxSig_v_u_u_u,       // void (UINT, UINT, UINT)
    AfxSig_l_w_l,         // LRESULT (WPARAM, LPARAM)
    AfxSig_b_u_s_pt,      // BOOL (UINT, short, CPoint)
    AfxSig_v_W_pt,        // void (CWnd*, CPoint)
    AfxSig_v_M,           // void (CMenu*)
    AfxSig_v_M_u_b,       // void (CMenu*, UINT, BOOL)
    AfxSig_v_u_u_hm,      // void (UINT, UINT, HMENU)
    AfxSig_v_u_W_b,       // void (UINT, CWnd*, BOOL)
    AfxSig_v_u_l,         // void (UINT, LPARAM)
    AfxSig_v_b_W_W,       // void (BOOL, CWnd*, CWnd*)
    AfxSig_l_pt,          // LRESULT (CPoint)
    AfxSig_v_u_W,         // void (UINT, CWnd*)
    AfxSig_b_b,           // BOOL (BOOL)
    // Commands.
    AfxSigCmd_v,    // void ()
    AfxSigCmd_b_u,  // BOOL (UINT): ON_COMMAND_EX, FALSE lets routing continue
    AfxSigCmd_v_u,  // void (UINT): ON_COMMAND_RANGE
    AfxSigCmdUI,    // void (CCmdUI*)
};

// Converts a handler to the map's common pointer type and back. Every handler class derives
// singly from CCmdTarget, so all these pointers share one representation; going through a
// union keeps the compiler from flagging the deliberate change of signature.
template <class From> inline AFX_PMSG AfxMsgFn(From pfn)
{
    static_assert(sizeof(From) == sizeof(AFX_PMSG), "handler pointers share one size");
    union {
        From from;
        AFX_PMSG to;
    } u;
    u.from = pfn;
    return u.to;
}
template <class To> inline To AfxMsgFnCast(AFX_PMSG pfn)
{
    static_assert(sizeof(To) == sizeof(AFX_PMSG), "handler pointers share one size");
    union {
        AFX_PMSG from;
        To to;
    } u;
    u.from = pfn;
    return u.to;
}

// Marks an ON_REGISTERED_MESSAGE row: nSig then holds the address of the message number.
#define AFX_REGISTERED_MESSAGE_MARK 0xC000u

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();                                           \
    virtual const AFX_MSGMAP* GetMessageMap() const override;                                      \
                                                                                                   \
public:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                              \
    {                                                                                              \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()                                         \
    {                                                                                              \
        typedef theClass ThisClass;                                                                \
        typedef baseClass TheBaseClass;                                                            \
        (void)sizeof(ThisClass);                                                                   \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    {                                                                                              \
        0, 0, 0, 0, AfxSig_end, nullptr                                                            \
    }                                                                                              \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

// Command codes passed to OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// Where OnCmdMsg found a handler, when asked only to look (pHandlerInfo not NULL).
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    void (AFX_MSG_CALL CCmdTarget::*pmf)(void);
};

#include "afxmsg_.h"

//--------------------------------------------------------------------------------------------
// Command targets

class AFX_API CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    virtual ~CCmdTarget();

    // Routes a command (CN_COMMAND) or a user-interface update (CN_UPDATE_COMMAND_UI, pExtra
    // the CCmdUI) to this object's message map. With pHandlerInfo only reports whether and
    // where a handler exists, without calling it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// State of one user-interface item (menu item, button) while its update handler runs.
class AFX_API CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    UINT m_nID;
    UINT m_nIndex;      // menu item index, when the item is a menu item
    CMenu* m_pMenu;     // the menu holding the item, or NULL
    CMenu* m_pSubMenu;  // the popup the item opens, or NULL
    CWnd* m_pOther;     // the window standing for the item (a button), or NULL
    CMenu* m_pParentMenu;
    UINT m_nIndexMax;
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting();

    // Asks pTarget's handlers for the item's state; with bDisableIfNoHndler, an item that has
    // no update handler is enabled exactly when some command handler exists for it.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

//--------------------------------------------------------------------------------------------
// Menus

class AFX_API CMenu : public CObject
{
    DECLARE_DYNCREATE(CMenu)
public:
    HMENU m_hMenu;

    CMenu();
    virtual ~CMenu();

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL LoadMenu(LPCTSTR lpszResourceName);
    BOOL LoadMenu(UINT nIDResource);
    BOOL DestroyMenu();
    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    HMENU GetSafeHmenu() const
    {
        const CMenu* p = _AfxNullableThis(this);
        return p ? p->m_hMenu : nullptr;
    }
    operator HMENU() const { return GetSafeHmenu(); }

    // Wrapper of a menu handle: the attached object, or a temporary one that lives until the
    // next idle time (AfxUnlockTempMaps).
    static CMenu* PASCAL FromHandle(HMENU hMenu);
    static CMenu* PASCAL FromHandlePermanent(HMENU hMenu);

    UINT GetMenuItemCount() const { return (UINT)::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
    int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const
    {
        return ::GetMenuString(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
    }
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    CMenu* GetSubMenu(int nPos) const;
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr)
    {
        return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
    }
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCTSTR lpszNewItem = nullptr)
    {
        return ::InsertMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
    }
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCTSTR lpszNewItem = nullptr)
    {
        return ::ModifyMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
    }
    BOOL RemoveMenu(UINT nPosition, UINT nFlags)
    {
        return ::RemoveMenu(m_hMenu, nPosition, nFlags);
    }
    BOOL DeleteMenu(UINT nPosition, UINT nFlags)
    {
        return ::DeleteMenu(m_hMenu, nPosition, nFlags);
    }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
    {
        return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable);
    }
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
    {
        return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
    }
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
    {
        return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
    }
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
};

//--------------------------------------------------------------------------------------------
// Windows

// The window being created and the thread's last message, kept per thread.
struct AFX_API AFX_THREAD_STATE {
    CWnd* m_pWndInit;  // attached to the next window created by this thread
    HWND m_hWndInitParent;
    HHOOK m_hHookOldCbtFilter;
    int m_nHookDepth;
    MSG m_lastSentMsg;     // the message being handled, for CWnd::Default
    MSG m_msgCur;          // the message being pumped
    POINT m_ptCursorLast;  // for idle detection of mouse moves
    UINT m_nMsgLast;
    int m_nWaitCursorCount;
    HCURSOR m_hcurWaitCursorRestore;
};
AFX_API AFX_THREAD_STATE* AFXAPI AfxGetThreadState();

// The procedure every window of the layer runs: finds the attached CWnd and calls its
// WindowProc; no C++ exception leaves it.
AFX_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
AFX_API WNDPROC AFXAPI AfxGetAfxWndProc();
AFX_API LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam,
                                      LPARAM lParam);

class AFX_API CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const override;

public:
    HWND m_hWnd;

    // Stand-ins for the insert-after handles of SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    CWnd();
    virtual ~CWnd();

    operator HWND() const { return GetSafeHwnd(); }
    // NULL when called through a null pointer, as MFC documents.
    HWND GetSafeHwnd() const
    {
        const CWnd* p = _AfxNullableThis(this);
        return p ? p->m_hWnd : nullptr;
    }
    bool operator==(const CWnd& wnd) const { return wnd.m_hWnd == m_hWnd; }
    bool operator!=(const CWnd& wnd) const { return wnd.m_hWnd != m_hWnd; }

    // The object attached to hWnd, or a temporary wrapper (deleted at the next idle time by
    // AfxUnlockTempMaps) when no object is attached; NULL for a NULL handle.
    static CWnd* PASCAL FromHandle(HWND hWnd);
    // The object attached to hWnd, or NULL.
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Creation and destruction.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                          HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();

    // Message handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Calls PreTranslateMessage of pMsg's window and of each parent up to hWndStop.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    LRESULT Default();
    static const MSG* PASCAL GetCurrentMessage();
    virtual BOOL IsFrameWnd() const;
    // Called around a modal operation the window runs (a print job); nothing by default.
    virtual void BeginModalState() {}
    virtual void EndModalState() {}
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);
    enum AdjustType { adjustBorder = 0, adjustOutside = 1 };

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessage(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessage(m_hWnd, message, wParam, lParam);
    }
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);

    // Layout of control bars: each child whose id lies in nIDFirst..nIDLast hears
    // WM_SIZEPARENT and takes its strip of the client area, in z-order; the child nIDLeftOver
    // gets what is left. reposQuery only computes the left-over rectangle into lpRectParam.
    enum RepositionFlags {
        reposDefault = 0,
        reposQuery = 1,
        reposExtra = 2,
        reposNoPosLeftOver = 0x8000
    };
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr,
                        BOOL bStretch = TRUE);
    // Enables (through their update handlers in pTarget) the child controls whose ids are
    // commands; with bDisableIfNoHndler, a control nobody handles is disabled. Controls with id
    // 0 or 0xFFFF (IDC_STATIC) and static controls are left alone; automatic check boxes and
    // radio buttons are never disabled for want of a handler, since they work without one.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    // Painting.
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE)
    {
        ::InvalidateRect(m_hWnd, lpRect, bErase);
    }
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
    void ValidateRgn(CRgn* pRgn);
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE)
    {
        return ::GetUpdateRect(m_hWnd, lpRect, bErase);
    }
    void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessage(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr,
                      LPCRECT lpClipRect = nullptr)
    {
        ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
    }
    int ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                       LPRECT lpRectUpdate, UINT flags);
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint);
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);

    // Timers, capture, focus.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse,
                      void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD) = nullptr)
    {
        return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
    }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* PASCAL GetCapture() { return FromHandle(::GetCapture()); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* PASCAL GetFocus() { return FromHandle(::GetFocus()); }
    static CWnd* PASCAL GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    static CWnd* PASCAL GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
    static CWnd* PASCAL GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    static CWnd* PASCAL WindowFromPoint(POINT point)
    {
        return FromHandle(::WindowFromPoint(point));
    }
    static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName)
    {
        return FromHandle(::FindWindow(lpszClassName, lpszWindowName));
    }

    // Geometry.
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
    {
        ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount);
    }
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
    {
        ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), (LPPOINT)lpRect, 2);
    }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
    {
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
    }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE)
    {
        ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                     lpRect->bottom - lpRect->top, bRepaint);
    }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
    {
        lpwndpl->length = sizeof(WINDOWPLACEMENT);
        return ::GetWindowPlacement(m_hWnd, lpwndpl);
    }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
    {
        return ::SetWindowPlacement(m_hWnd, lpwndpl);
    }

    // State.
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    DWORD GetStyle() const { return (DWORD)::GetWindowLongPtr(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE); }
    // Removes dwRemove and adds dwAdd; with nFlags also calls SetWindowPos(nFlags |
    // SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE). FALSE when nothing changed.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

    // Relatives.
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent)
    {
        return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd()));
    }
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd->GetSafeHwnd(); }
    CWnd* GetTopLevelParent() const;
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
    CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const
    {
        return FromHandle(::GetWindow(m_hWnd, nFlag));
    }
    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    // The child (at any depth when no direct child matches) whose control id is nID.
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtr(m_hWnd, GWLP_ID, nID); }
    CWnd* ChildWindowFromPoint(POINT point) const
    {
        return FromHandle(::ChildWindowFromPoint(m_hWnd, point));
    }

    // Text, font, menu.
    void SetWindowText(LPCTSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
    {
        return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount);
    }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    BOOL SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu()); }
    CMenu* GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
    CMenu* GetSystemMenu(BOOL bRevert) const
    {
        return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
    }
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);
    void SetIcon(HICON hIcon, BOOL bBigIcon)
    {
        ::SendMessage(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)hIcon);
    }

    // Scroll bars: the window's own bars, or the sibling CScrollBar controls standing for them
    // (GetScrollBarCtrl), as MFC's views use them.
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    int GetScrollLimit(int nBar);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }
    void EnableScrollBarCtrl(int nBar, BOOL bEnable = TRUE);
    virtual CScrollBar* GetScrollBarCtrl(int nBar) const;
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH)
    {
        return ::EnableScrollBar(m_hWnd, nSBFlags, nArrowFlags);
    }

    // Handlers of CWnd: each passes the message to the default window procedure.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnInitMenu(CMenu* pMenu);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg BOOL OnQueryEndSession();

protected:
    HWND m_hWndOwner;    // owner set by SetOwner, or NULL for the window's own owner
    WNDPROC m_pfnSuper;  // the procedure replaced by subclassing, or NULL for DefWindowProc

    // For the static insert-after stand-ins.
    explicit CWnd(HWND hWnd);

    friend struct CWndAccess;
};

// Registers (once) a window class with these attributes and returns its name, "Afx:..." made
// from the arguments: the same arguments give the same name. The name lives in a per-thread
// buffer until the next call.
AFX_API LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = 0,
                                           HBRUSH hbrBackground = 0, HICON hIcon = 0);
// Registers lpWndClass unless a class of that name is already registered for its instance.
AFX_API BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);

// The layer's own window classes, registered on first use by AfxDeferRegisterClass.
#define AFX_WND_REG 0x00001
#define AFX_WNDFRAMEORVIEW_REG 0x00008
#define AFX_WNDMDIFRAME_REG 0x00010
#define AFX_WND_CLASS _T("AfxWnd")
#define AFX_WNDFRAMEORVIEW_CLASS _T("AfxFrameOrView")
#define AFX_WNDMDIFRAME_CLASS _T("AfxMDIFrame")
#define AFX_IDI_STD_FRAME 0xE101
#define AFX_IDI_STD_MDIFRAME 0xE100
AFX_API BOOL AFXAPI AfxDeferRegisterClass(LONG fToRegister);

// Temporary window wrappers (CWnd::FromHandle of a window no object owns) alive on this
// thread; AfxUnlockTempMaps deletes them.
AFX_API int AFXAPI AfxGetTempWndCount();

// Creation hook: attaches pWnd to the next window this thread creates (see CWnd::CreateEx).
AFX_API void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
AFX_API BOOL AFXAPI AfxUnhookWindowCreate();

class AFX_API CScrollBar : public CWnd
{
    DECLARE_DYNAMIC(CScrollBar)
public:
    CScrollBar() = default;
    virtual ~CScrollBar();
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE)
    {
        return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw);
    }
    void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const
    {
        ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos);
    }
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE)
    {
        ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
    }
    void ShowScrollBar(BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, SB_CTL, bShow); }
    BOOL EnableScrollBar(UINT nArrowFlags = ESB_ENABLE_BOTH)
    {
        return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags);
    }
    BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE)
    {
        return ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
    }
    BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    int GetScrollLimit();
};

//--------------------------------------------------------------------------------------------
// Device contexts of a window. Each counts its DC in the layer's live-object counters.

class AFX_API CClientDC : public CDC
{
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    virtual ~CClientDC();
    HWND m_hWnd;
};

class AFX_API CWindowDC : public CDC
{
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    virtual ~CWindowDC();
    HWND m_hWnd;
};

class AFX_API CPaintDC : public CDC
{
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    virtual ~CPaintDC();
    PAINTSTRUCT m_ps;
    HWND m_hWnd;
};

//--------------------------------------------------------------------------------------------
// Threads and the application

class AFX_API CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    virtual ~CWinThread();

    CWnd* m_pMainWnd;
    CWnd* m_pActiveWnd;
    BOOL m_bAutoDelete;
    HANDLE m_hThread;
    DWORD m_nThreadID;

    virtual CWnd* GetMainWnd();
    virtual BOOL InitInstance();
    // Pumps messages until WM_QUIT, calling OnIdle(0), OnIdle(1), ... while the queue is
    // empty until OnIdle returns FALSE; returns ExitInstance().
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Retrieves and dispatches one message; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    // Count 0 updates the user interface of the main window and its descendants; count 1
    // deletes the temporary wrappers (AfxUnlockTempMaps). TRUE while more idle calls are wanted.
    virtual BOOL OnIdle(LONG lCount);
    // FALSE for messages that should not restart idle processing (paint, a mouse move that
    // did not move).
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int ExitInstance();
    virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);

protected:
    MSG m_msgCur;
};

class AFX_API CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // Registers this object as the one application object of the process.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    virtual ~CWinApp();

    HINSTANCE m_hInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;
    LPCTSTR m_pszAppName;  // from the constructor, AFX_IDS_APP_TITLE, or the executable's name
    LPCTSTR m_pszExeName;  // the executable's file name without its extension
    LPCTSTR m_pszHelpFilePath;
    LPCTSTR m_pszProfileName;
    LPCTSTR m_pszRegistryKey;
    // Documents and their templates; members below that use it are defined by the document
    // layer's sources.
    CDocManager* m_pDocManager;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int Run();
    virtual BOOL OnIdle(LONG lCount);
    virtual int ExitInstance();

    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HCURSOR LoadOEMCursor(UINT nIDCursor) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
    HICON LoadOEMIcon(UINT nIDIcon) const;

    // Document handling, defined by the document layer.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    void CloseAllDocuments(BOOL bEndSession);
    BOOL SaveAllModified();
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();

    // Printing, defined by the printing sources. The application keeps the printer chosen
    // last (m_hDevMode, m_hDevNames, the default printer's until the user picks another) and
    // frees them when it is destroyed.
    // pPrintDlg's device handles set to the application's; FALSE when there is no printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg);
    // pPD shown with the application's printer; the printer the user leaves selected, OK or
    // Cancel, becomes the application's.
    virtual INT_PTR DoPrintDialog(CPrintDialog* pPD);

    // Sets m_pszExeName and, when none was given, m_pszAppName (used by AfxWinInit).
    void SetCurrentHandles();

protected:
    BOOL m_bOwnAppName;
    HGLOBAL m_hDevMode;
    HGLOBAL m_hDevNames;
    friend struct CPrintInfo;
};

AFX_API CWinApp* AFXAPI AfxGetApp();
// Substring number iSubString of lpszFullString, substrings separated by chSep; FALSE (and an
// empty rString) when there are fewer.
AFX_API BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString,
                                        TCHAR chSep = '\n');
AFX_API CWinThread* AFXAPI AfxGetThread();
AFX_API CWnd* AFXAPI AfxGetMainWnd();
AFX_API HINSTANCE AFXAPI AfxGetInstanceHandle();
AFX_API HINSTANCE AFXAPI AfxGetResourceHandle();
AFX_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The module holding resource lpszName of type lpszType: the current resource handle if it
// holds it, else the first extension module (newest first) that does, else afx.dll's own
// module if it does, else the current resource handle.
AFX_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
// The module holding string nID, searched the same way.
AFX_API HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID);
AFX_API LPCTSTR AFXAPI AfxGetAppName();
AFX_API void AFXAPI AfxPostQuitMessage(int nExitCode);

// Application start-up and shut-down. A host application defines its WinMain as
//     int WINAPI WinMain(HINSTANCE h, HINSTANCE p, LPSTR cmd, int show)
//     { return AfxWinMain(h, p, cmd, show); }
// (AFX_IMPLEMENT_WINMAIN() writes exactly that) and one global object of its CWinApp class.
AFX_API BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine,
                               int nCmdShow);
AFX_API void AFXAPI AfxWinTerm();
AFX_API int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine,
                              int nCmdShow);
#define AFX_IMPLEMENT_WINMAIN()                                                                    \
    extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine,   \
                                  int nCmdShow)                                                    \
    {                                                                                              \
        return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);                          \
    }

//--------------------------------------------------------------------------------------------
// Extension modules

// Static state of one extension DLL, filled by AfxInitExtensionModule from its DllMain.
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
    CRuntimeClass* pFirstSharedClass;  // the DLL's runtime classes, linked by m_pNextClass
};

// Collects the runtime classes registered by hModule's static constructors into state and
// records its handles. Called once per process from the DLL's DLL_PROCESS_ATTACH.
AFX_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Deletes the CDynLinkLibrary objects of state's module (of every extension module when bAll),
// taking their classes and resources out of the application's searches.
AFX_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// One extension module in the application's chain: while it exists, CRuntimeClass::FromName
// finds the module's classes and AfxFindResourceHandle searches its resources.
class AFX_API CDynLinkLibrary : public CCmdTarget
{
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    virtual ~CDynLinkLibrary();

    HMODULE m_hModule;
    HMODULE m_hResource;
    CRuntimeClass* m_pFirstClass;
    BOOL m_bSystem;
    CDynLinkLibrary* m_pNextDLL;
};
