// CMenu: a menu handle's wrapper, with its permanent and temporary handle map.
#include "HandleMap.h"

#include <afxwin.h>

namespace {

typedef CHandleMap<HMENU, CMenu> CMenuMap;
typedef CTempWrapper<HMENU, CMenu, &CMenu::m_hMenu> CTempMenu;

CMenuMap* MenuMap(BOOL bCreate)
{
    return AfxThreadHandleMap<CMenuMap, afxMapHMENU, &CTempMenu::New, &CTempMenu::Delete>(bCreate);
}

}  // namespace

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::CMenu() : m_hMenu(NULL) {}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    if (hMenu == NULL)
        return NULL;
    CMenuMap* pMap = MenuMap(TRUE);
    return pMap != NULL ? pMap->FromHandle(hMenu) : NULL;
}

CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu)
{
    if (hMenu == NULL)
        return NULL;
    CMenuMap* pMap = MenuMap(FALSE);
    return pMap != NULL ? pMap->LookupPermanent(hMenu) : NULL;
}

BOOL CMenu::Attach(HMENU hMenu)
{
    ASSERT(m_hMenu == NULL);
    if (hMenu == NULL || m_hMenu != NULL)
        return FALSE;
    CMenuMap* pMap = MenuMap(TRUE);
    if (pMap == NULL || !pMap->SetPermanent(hMenu, this))
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != NULL) {
        if (CMenuMap* pMap = MenuMap(FALSE))
            pMap->RemoveHandle(hMenu, this);
        m_hMenu = NULL;
    }
    return hMenu;
}

BOOL CMenu::CreateMenu()
{
    return m_hMenu == NULL && Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return m_hMenu == NULL && Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    if (m_hMenu != NULL || lpszResourceName == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    HMENU hMenu = ::LoadMenu(hInst, lpszResourceName);
    if (hMenu == NULL)
        return FALSE;
    if (!Attach(hMenu)) {
        ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCE(nIDResource));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == NULL)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    TCHAR szText[256];
    int nLength = ::GetMenuString(m_hMenu, nIDItem, szText,
                                  (int)(sizeof(szText) / sizeof(szText[0])), nFlags);
    rString = nLength > 0 ? szText : _T("");
    return nLength > 0 ? nLength : 0;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd != NULL ? pWnd->m_hWnd : NULL, lpRect);
}
