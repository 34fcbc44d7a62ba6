// The test extension DLL the host loads and frees at run time: its class and string must be
// found only while it is loaded.
#include <afxdllx.h>

class CExtPlugin : public CCmdTarget
{
    DECLARE_DYNCREATE(CExtPlugin)
public:
    int m_nAnswer = 42;
};
IMPLEMENT_DYNCREATE(CExtPlugin, CCmdTarget)

static AFX_EXTENSION_MODULE pluginModule = {FALSE, NULL, NULL, NULL};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH && !AfxInitExtensionModule(pluginModule, hInstance))
        return FALSE;
    if (dwReason == DLL_PROCESS_ATTACH)
        new CDynLinkLibrary(pluginModule);
    else if (dwReason == DLL_PROCESS_DETACH)
        AfxTermExtensionModule(pluginModule);
    return TRUE;
}

// The answer of an object the host made by name, read without the host knowing the class.
extern "C" AFX_EXT_API int PluginAnswer(CObject* pObject)
{
    CExtPlugin* pPlugin = DYNAMIC_DOWNCAST(CExtPlugin, pObject);
    return pPlugin != NULL ? pPlugin->m_nAnswer : -1;
}
