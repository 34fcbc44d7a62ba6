// The linked test extension DLL: joins the application from DllMain the way extension DLLs do.
#include <afxdllx.h>

#include "ExtShape.h"

static AFX_EXTENSION_MODULE extensionModule = {FALSE, NULL, NULL, NULL};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH && !AfxInitExtensionModule(extensionModule, hInstance))
        return FALSE;
    if (dwReason == DLL_PROCESS_ATTACH)
        new CDynLinkLibrary(extensionModule);
    else if (dwReason == DLL_PROCESS_DETACH)
        AfxTermExtensionModule(extensionModule);
    return TRUE;
}

IMPLEMENT_DYNCREATE(CExtShape, CObject)

CExtShape::CExtShape() : m_nSides(5) {}

HINSTANCE ExtFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    return AfxFindResourceHandle(lpszName, lpszType);
}

HINSTANCE ExtFindStringResourceHandle(UINT nID)
{
    return AfxFindStringResourceHandle(nID);
}

HMODULE ExtModuleHandle()
{
    return extensionModule.hModule;
}
