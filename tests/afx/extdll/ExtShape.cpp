// The linked test extension DLL: joins the application from DllMain the way extension DLLs do.
#include <afxdllx.h>

#include "ExtShape.h"

static AFX_EXTENSION_MODULE extensionModule = {FALSE, NULL, NULL, NULL};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(extensionModule, hInstance))
            return FALSE;
        new CDynLinkLibrary(extensionModule);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(extensionModule);
    }
    return TRUE;
}

IMPLEMENT_DYNCREATE(CExtShape, CObject)

CExtShape::CExtShape() : m_nSides(5) {}

namespace {

HINSTANCE LoadStringFound(UINT nID, char* pszOut, int cchOut)
{
    HINSTANCE hModule = AfxFindStringResourceHandle(nID);
    if (::LoadStringA(hModule, nID, pszOut, cchOut) <= 0)
        pszOut[0] = '\0';
    return hModule;
}

}  // namespace

void ExtFindResources(ExtFoundResources* pFound)
{
    if (pFound == NULL)
        return;
    pFound->hCursorModule = AfxFindResourceHandle(MAKEINTRESOURCE(4), RT_GROUP_CURSOR);
    pFound->hCursor = ::LoadCursor(pFound->hCursorModule, MAKEINTRESOURCE(4));
    pFound->hMenuModule = AfxFindResourceHandle(MAKEINTRESOURCE(4), RT_MENU);
    pFound->hMenu = ::LoadMenu(pFound->hMenuModule, MAKEINTRESOURCE(4));
    pFound->hString4Module = LoadStringFound(4, pFound->szString4, sizeof(pFound->szString4));
    pFound->hString9Module = LoadStringFound(9, pFound->szString9, sizeof(pFound->szString9));
}

HMODULE ExtModuleHandle()
{
    return extensionModule.hModule;
}
