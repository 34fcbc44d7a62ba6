// Command targets: command routing through message maps, and CCmdUI, the state of one
// user-interface item during its update.
#include <afxwin.h>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

CCmdTarget::CCmdTarget() {}

CCmdTarget::~CCmdTarget() {}

namespace {

// Calls a command handler; FALSE when it declined (ON_COMMAND_EX returning FALSE, or an update
// handler that asked for routing to continue).
BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra,
                    UINT_PTR nSig)
{
    switch (nSig) {
    case AfxSigCmd_v:
        (pTarget->*pfn)();
        return TRUE;
    case AfxSigCmd_b_u:
        return (pTarget->*AfxMsgFnCast<BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSigCmd_v_u:
        (pTarget->*AfxMsgFnCast<void (AFX_MSG_CALL CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;
    case AfxSigCmdUI: {
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        if (pCmdUI == nullptr)
            return FALSE;
        pCmdUI->m_bContinueRouting = FALSE;
        (pTarget->*AfxMsgFnCast<void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
        return !pCmdUI->m_bContinueRouting;
    }
    default:
        (void)nCode;
        return FALSE;
    }
}

}  // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // Update requests match ON_UPDATE_COMMAND_UI rows; other codes match the command rows
    // with that notification code (CN_COMMAND for menus and accelerators).
    const UINT nRowCode = (UINT)nCode;
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p) {
            if (p->nMessage != WM_COMMAND || p->nCode != nRowCode || nID < p->nID ||
                nID > p->nLastID)
                continue;
            if (pHandlerInfo != nullptr) {
                pHandlerInfo->pTarget = this;
                pHandlerInfo->pmf = p->pfn;
                return TRUE;
            }
            if (DispatchCmdMsg(this, nID, nCode, p->pfn, pExtra, p->nSig))
                return TRUE;
            // Declined: an ON_COMMAND_EX or update handler of a base class may still take it.
        }
    }
    return FALSE;
}

void CCmdTarget::BeginWaitCursor()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    HCURSOR hPrevious = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    if (pState->m_nWaitCursorCount++ == 0)
        pState->m_hcurWaitCursorRestore = hPrevious;
}

void CCmdTarget::EndWaitCursor()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_nWaitCursorCount == 0)
        return;
    if (--pState->m_nWaitCursorCount == 0)
        ::SetCursor(pState->m_hcurWaitCursorRestore);
}

void CCmdTarget::RestoreWaitCursor()
{
    if (AfxGetThreadState()->m_nWaitCursorCount > 0)
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

//--------------------------------------------------------------------------------------------
// CCmdUI

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(nullptr), m_pSubMenu(nullptr), m_pOther(nullptr),
      m_pParentMenu(nullptr), m_nIndexMax(0), m_bEnableChanged(FALSE), m_bContinueRouting(FALSE)
{}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr)
            ::EnableMenuItem(m_pMenu->m_hMenu, m_nIndex,
                             MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != nullptr && m_pOther->m_hWnd != nullptr) {
        // A control losing the enable state while it has the focus hands the focus on first.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
            ::SetFocus(::GetParent(m_pOther->m_hWnd));
        ::EnableWindow(m_pOther->m_hWnd, bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr)
            ::CheckMenuItem(m_pMenu->m_hMenu, m_nIndex,
                            MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != nullptr && m_pOther->m_hWnd != nullptr) {
        ::SendMessage(m_pOther->m_hWnd, BM_SETCHECK, (WPARAM)nCheck, 0);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != nullptr && m_pSubMenu == nullptr) {
        MENUITEMINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        if (::GetMenuItemInfo(m_pMenu->m_hMenu, m_nIndex, TRUE, &info)) {
            info.fType = bOn ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~MFT_RADIOCHECK);
            info.fState = bOn ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
            ::SetMenuItemInfo(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
        }
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (lpszText == nullptr)
        lpszText = _T("");
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr) {
            UINT nState = ::GetMenuState(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION) &
                          (MF_GRAYED | MF_DISABLED | MF_CHECKED);
            ::ModifyMenu(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID,
                         lpszText);
        }
    } else if (m_pOther != nullptr && m_pOther->m_hWnd != nullptr) {
        ::SetWindowText(m_pOther->m_hWnd, lpszText);
    }
}

void CCmdUI::ContinueRouting()
{
    m_bContinueRouting = TRUE;
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (pTarget == nullptr || m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;  // separators and popups have nothing to update
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = {nullptr, nullptr};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return bResult;
}
