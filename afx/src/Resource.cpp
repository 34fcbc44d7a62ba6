// Where the layer finds resources: the application's current resource module, then the
// extension modules that joined it, then the layer's own module (its dialogs and strings, which
// any of the others may replace).
#include <afxwin.h>

HINSTANCE AfxSearchExtensionModules(HINSTANCE (*pfn)(HINSTANCE hResource, const void* pContext),
                                    const void* pContext);

namespace {

struct ResourceQuery {
    LPCTSTR lpszName;
    LPCTSTR lpszType;
};

HINSTANCE HoldsResource(HINSTANCE hModule, const void* pContext)
{
    const ResourceQuery* pQuery = static_cast<const ResourceQuery*>(pContext);
    return ::FindResource(hModule, pQuery->lpszName, pQuery->lpszType) != NULL ? hModule : NULL;
}

// A string table block holds sixteen ids; the block may exist without this id's string.
HINSTANCE HoldsString(HINSTANCE hModule, const void* pContext)
{
    UINT nID = *static_cast<const UINT*>(pContext);
    TCHAR sz[2];
    return ::LoadString(hModule, nID, sz, 2) > 0 ? hModule : NULL;
}

// The module of afx.dll itself.
HINSTANCE LayerModule()
{
    static HINSTANCE hLayer = NULL;
    if (hLayer == NULL)
        ::GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCTSTR>(&LayerModule), &hLayer);
    return hLayer;
}

// The search after the current module: the extension modules, then the layer.
HINSTANCE SearchBeyondCurrent(HINSTANCE (*pfn)(HINSTANCE hResource, const void* pContext),
                              const void* pContext)
{
    if (HINSTANCE hFound = AfxSearchExtensionModules(pfn, pContext))
        return hFound;
    return LayerModule() != NULL ? pfn(LayerModule(), pContext) : NULL;
}

}  // namespace

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    return pState->m_hCurrentResourceHandle != NULL ? pState->m_hCurrentResourceHandle
                                                    : ::GetModuleHandle(NULL);
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    // NULL goes back to the application's own module.
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_hCurrentResourceHandle =
        hInstResource != NULL ? hInstResource : pState->m_hCurrentInstanceHandle;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hCurrent = AfxGetResourceHandle();
    if (lpszName == NULL || lpszType == NULL)
        return hCurrent;
    ResourceQuery query = {lpszName, lpszType};
    if (HoldsResource(hCurrent, &query))
        return hCurrent;
    HINSTANCE hFound = SearchBeyondCurrent(&HoldsResource, &query);
    return hFound != NULL ? hFound : hCurrent;
}

HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID)
{
    HINSTANCE hCurrent = AfxGetResourceHandle();
    if (HoldsString(hCurrent, &nID))
        return hCurrent;
    HINSTANCE hFound = SearchBeyondCurrent(&HoldsString, &nID);
    return hFound != NULL ? hFound : hCurrent;
}
