// Module entry of mirdalux.dll: joins the library to the application's chain of extension modules.
#include <afxdllx.h>

static AFX_EXTENSION_MODULE extensionModule = { FALSE, NULL, NULL, NULL };

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(extensionModule, hInstance))
            return FALSE;
        new CDynLinkLibrary(extensionModule);
    } else if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(extensionModule);
    }
    return TRUE;
}
