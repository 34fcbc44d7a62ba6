// Message-map rows: the ON_WM_* macros for window messages (each calls the handler of the
// same name with the parameters MFC documents for it) and the command and user-message rows.
// Used between BEGIN_MESSAGE_MAP and END_MESSAGE_MAP; included through afxwnd_.h.
#pragma once

#define ON_WM_CREATE()                                                                             \
    {WM_CREATE,                                                                                    \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_i_cs,                                                                                  \
     AfxMsgFn(static_cast<int (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT)>(&ThisClass::OnCreate))},
#define ON_WM_NCCREATE()                                                                           \
    {WM_NCCREATE,                                                                                  \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_b_cs,                                                                                  \
     AfxMsgFn(static_cast<BOOL (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT)>(&ThisClass::OnNcCreate))},
#define ON_WM_DESTROY()                                                                            \
    {WM_DESTROY, 0,                                                                                \
     0,          0,                                                                                \
     AfxSig_v_v, AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(void)>(&ThisClass::OnDestroy))},
#define ON_WM_NCDESTROY()                                                                          \
    {WM_NCDESTROY,                                                                                 \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_v,                                                                                   \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(void)>(&ThisClass::OnNcDestroy))},
#define ON_WM_PAINT()                                                                              \
    {WM_PAINT,   0,                                                                                \
     0,          0,                                                                                \
     AfxSig_v_v, AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(void)>(&ThisClass::OnPaint))},
#define ON_WM_ERASEBKGND()                                                                         \
    {WM_ERASEBKGND,                                                                                \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_b_D,                                                                                   \
     AfxMsgFn(static_cast<BOOL (AFX_MSG_CALL CWnd::*)(CDC*)>(&ThisClass::OnEraseBkgnd))},
#define ON_WM_SIZE()                                                                               \
    {WM_SIZE,                                                                                      \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_i_i,                                                                               \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, int, int)>(&ThisClass::OnSize))},
#define ON_WM_MOVE()                                                                               \
    {WM_MOVE,                                                                                      \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_i_i,                                                                                 \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(int, int)>(&ThisClass::OnMove))},
#define ON_WM_HSCROLL()                                                                            \
    {WM_HSCROLL,                                                                                   \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_u_Scroll,                                                                          \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*)>(                   \
         &ThisClass::OnHScroll))},
#define ON_WM_VSCROLL()                                                                            \
    {WM_VSCROLL,                                                                                   \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_u_Scroll,                                                                          \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*)>(                   \
         &ThisClass::OnVScroll))},
#define ON_WM_MOUSEMOVE()                                                                          \
    {WM_MOUSEMOVE,                                                                                 \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_pt,                                                                                \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, CPoint)>(&ThisClass::OnMouseMove))},
#define ON_WM_LBUTTONDOWN()                                                                        \
    {WM_LBUTTONDOWN,                                                                               \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_pt,                                                                                \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, CPoint)>(&ThisClass::OnLButtonDown))},
#define ON_WM_LBUTTONUP()                                                                          \
    {WM_LBUTTONUP,                                                                                 \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_pt,                                                                                \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, CPoint)>(&ThisClass::OnLButtonUp))},
#define ON_WM_LBUTTONDBLCLK()                                                                      \
    {WM_LBUTTONDBLCLK,                                                                             \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_pt,                                                                                \
     AfxMsgFn(                                                                                     \
         static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, CPoint)>(&ThisClass::OnLButtonDblClk))},
#define ON_WM_RBUTTONDOWN()                                                                        \
    {WM_RBUTTONDOWN,                                                                               \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_pt,                                                                                \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, CPoint)>(&ThisClass::OnRButtonDown))},
#define ON_WM_RBUTTONUP()                                                                          \
    {WM_RBUTTONUP,                                                                                 \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_pt,                                                                                \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, CPoint)>(&ThisClass::OnRButtonUp))},
#define ON_WM_RBUTTONDBLCLK()                                                                      \
    {WM_RBUTTONDBLCLK,                                                                             \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_pt,                                                                                \
     AfxMsgFn(                                                                                     \
         static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, CPoint)>(&ThisClass::OnRButtonDblClk))},
#define ON_WM_MBUTTONDOWN()                                                                        \
    {WM_MBUTTONDOWN,                                                                               \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_pt,                                                                                \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, CPoint)>(&ThisClass::OnMButtonDown))},
#define ON_WM_MBUTTONUP()                                                                          \
    {WM_MBUTTONUP,                                                                                 \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_pt,                                                                                \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, CPoint)>(&ThisClass::OnMButtonUp))},
#define ON_WM_MOUSEWHEEL()                                                                         \
    {WM_MOUSEWHEEL,                                                                                \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_b_u_s_pt,                                                                              \
     AfxMsgFn(static_cast<BOOL (AFX_MSG_CALL CWnd::*)(UINT, short, CPoint)>(                       \
         &ThisClass::OnMouseWheel))},
#define ON_WM_SETCURSOR()                                                                          \
    {WM_SETCURSOR,                                                                                 \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_b_W_u_u,                                                                               \
     AfxMsgFn(                                                                                     \
         static_cast<BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT)>(&ThisClass::OnSetCursor))},
#define ON_WM_TIMER()                                                                              \
    {WM_TIMER,                                                                                     \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_up,                                                                                  \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT_PTR)>(&ThisClass::OnTimer))},
#define ON_WM_CLOSE()                                                                              \
    {WM_CLOSE,   0,                                                                                \
     0,          0,                                                                                \
     AfxSig_v_v, AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(void)>(&ThisClass::OnClose))},
#define ON_WM_SETFOCUS()                                                                           \
    {WM_SETFOCUS,                                                                                  \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_W,                                                                                   \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(CWnd*)>(&ThisClass::OnSetFocus))},
#define ON_WM_KILLFOCUS()                                                                          \
    {WM_KILLFOCUS,                                                                                 \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_W,                                                                                   \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(CWnd*)>(&ThisClass::OnKillFocus))},
#define ON_WM_MOUSEACTIVATE()                                                                      \
    {WM_MOUSEACTIVATE,                                                                             \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_i_W_u_u,                                                                               \
     AfxMsgFn(static_cast<int (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT)>(                          \
         &ThisClass::OnMouseActivate))},
#define ON_WM_SHOWWINDOW()                                                                         \
    {WM_SHOWWINDOW,                                                                                \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_b_u,                                                                                 \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(BOOL, UINT)>(&ThisClass::OnShowWindow))},
#define ON_WM_GETMINMAXINFO()                                                                      \
    {WM_GETMINMAXINFO,                                                                             \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_mmi,                                                                                 \
     AfxMsgFn(                                                                                     \
         static_cast<void (AFX_MSG_CALL CWnd::*)(MINMAXINFO*)>(&ThisClass::OnGetMinMaxInfo))},
#define ON_WM_CHAR()                                                                               \
    {WM_CHAR,                                                                                      \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_u_u,                                                                               \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT)>(&ThisClass::OnChar))},
#define ON_WM_KEYDOWN()                                                                            \
    {WM_KEYDOWN,                                                                                   \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_u_u,                                                                               \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT)>(&ThisClass::OnKeyDown))},
#define ON_WM_KEYUP()                                                                              \
    {WM_KEYUP,                                                                                     \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_u_u,                                                                               \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT)>(&ThisClass::OnKeyUp))},
#define ON_WM_CONTEXTMENU()                                                                        \
    {WM_CONTEXTMENU,                                                                               \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_W_pt,                                                                                \
     AfxMsgFn(                                                                                     \
         static_cast<void (AFX_MSG_CALL CWnd::*)(CWnd*, CPoint)>(&ThisClass::OnContextMenu))},
#define ON_WM_INITMENU()                                                                           \
    {WM_INITMENU,                                                                                  \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_M,                                                                                   \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(CMenu*)>(&ThisClass::OnInitMenu))},
#define ON_WM_INITMENUPOPUP()                                                                      \
    {WM_INITMENUPOPUP,                                                                             \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_M_u_b,                                                                               \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(CMenu*, UINT, BOOL)>(                        \
         &ThisClass::OnInitMenuPopup))},
#define ON_WM_MENUSELECT()                                                                         \
    {WM_MENUSELECT,                                                                                \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_u_hm,                                                                              \
     AfxMsgFn(                                                                                     \
         static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, UINT, HMENU)>(&ThisClass::OnMenuSelect))},
#define ON_WM_ACTIVATE()                                                                           \
    {WM_ACTIVATE,                                                                                  \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_W_b,                                                                               \
     AfxMsgFn(                                                                                     \
         static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*, BOOL)>(&ThisClass::OnActivate))},
#define ON_WM_NCACTIVATE()                                                                         \
    {WM_NCACTIVATE,                                                                                \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_b_b,                                                                                   \
     AfxMsgFn(static_cast<BOOL (AFX_MSG_CALL CWnd::*)(BOOL)>(&ThisClass::OnNcActivate))},
#define ON_WM_MDIACTIVATE()                                                                        \
    {WM_MDIACTIVATE,                                                                               \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_b_W_W,                                                                               \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(BOOL, CWnd*, CWnd*)>(                        \
         &ThisClass::OnMDIActivate))},
#define ON_WM_CANCELMODE()                                                                         \
    {WM_CANCELMODE,                                                                                \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_v,                                                                                   \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(void)>(&ThisClass::OnCancelMode))},
#define ON_WM_CAPTURECHANGED()                                                                     \
    {WM_CAPTURECHANGED,                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_W,                                                                                   \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(CWnd*)>(&ThisClass::OnCaptureChanged))},
#define ON_WM_SYSCOMMAND()                                                                         \
    {WM_SYSCOMMAND,                                                                                \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_l,                                                                                 \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM)>(&ThisClass::OnSysCommand))},
#define ON_WM_NCHITTEST()                                                                          \
    {WM_NCHITTEST,                                                                                 \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_l_pt,                                                                                  \
     AfxMsgFn(static_cast<LRESULT (AFX_MSG_CALL CWnd::*)(CPoint)>(&ThisClass::OnNcHitTest))},
#define ON_WM_ENTERIDLE()                                                                          \
    {WM_ENTERIDLE,                                                                                 \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_v_u_W,                                                                                 \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*)>(&ThisClass::OnEnterIdle))},
#define ON_WM_QUERYENDSESSION()                                                                    \
    {WM_QUERYENDSESSION,                                                                           \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_b_v,                                                                                   \
     AfxMsgFn(static_cast<BOOL (AFX_MSG_CALL CWnd::*)(void)>(&ThisClass::OnQueryEndSession))},

// Commands: menu items, accelerators and control notifications with code 0.
#define ON_COMMAND(id, memberFxn)                                                                  \
    {WM_COMMAND,                                                                                   \
     CN_COMMAND,                                                                                   \
     (UINT)(id),                                                                                   \
     (UINT)(id),                                                                                   \
     AfxSigCmd_v,                                                                                  \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(void)>(&ThisClass::memberFxn))},
// The handler returns FALSE to let routing go on to the next target.
#define ON_COMMAND_EX(id, memberFxn)                                                               \
    {WM_COMMAND,                                                                                   \
     CN_COMMAND,                                                                                   \
     (UINT)(id),                                                                                   \
     (UINT)(id),                                                                                   \
     AfxSigCmd_b_u,                                                                                \
     AfxMsgFn(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT)>(&ThisClass::memberFxn))},
// Every id from id to idLast; the handler receives the id.
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                    \
    {WM_COMMAND,                                                                                   \
     CN_COMMAND,                                                                                   \
     (UINT)(id),                                                                                   \
     (UINT)(idLast),                                                                               \
     AfxSigCmd_v_u,                                                                                \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(UINT)>(&ThisClass::memberFxn))},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                        \
    {WM_COMMAND,                                                                                   \
     CN_UPDATE_COMMAND_UI,                                                                         \
     (UINT)(id),                                                                                   \
     (UINT)(id),                                                                                   \
     AfxSigCmdUI,                                                                                  \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*)>(&ThisClass::memberFxn))},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                          \
    {WM_COMMAND,                                                                                   \
     CN_UPDATE_COMMAND_UI,                                                                         \
     (UINT)(id),                                                                                   \
     (UINT)(idLast),                                                                               \
     AfxSigCmdUI,                                                                                  \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*)>(&ThisClass::memberFxn))},
// A control's notification wNotifyCode from the control with id id.
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                     \
    {WM_COMMAND,                                                                                   \
     (UINT)(WORD)(wNotifyCode),                                                                    \
     (UINT)(id),                                                                                   \
     (UINT)(id),                                                                                   \
     AfxSigCmd_v,                                                                                  \
     AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(void)>(&ThisClass::memberFxn))},

// Any window message, handled as LRESULT memberFxn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                                             \
    {(UINT)(message),                                                                              \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_l_w_l,                                                                                 \
     AfxMsgFn(                                                                                     \
         static_cast<LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn))},
// A message number from RegisterWindowMessage, kept in the UINT variable nMessageVariable.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                         \
    {AFX_REGISTERED_MESSAGE_MARK,                                                                  \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     (UINT_PTR)(UINT*)(&nMessageVariable),                                                         \
     AfxMsgFn(                                                                                     \
         static_cast<LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn))},
