// Module entry of mirdalux.dll: joins the library to the application's chain of extension modules.
#include <afxdllx.h>

#include "state/MeasureDC.h"

// The library's runtime classes (CGraphicView, CGraphicDoc, ...) register from static
// constructors, which run before DLL_PROCESS_ATTACH reaches this function. The class layer files
// each class under the module whose image holds it, never under the application, so nothing has
// to be set aside beforehand: AfxInitExtensionModule claims exactly this module's classes for its
// record, and from then on they are found through the application's chain of extension modules.
static AFX_EXTENSION_MODULE extensionModule = {FALSE, NULL, NULL, NULL};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(extensionModule, hInstance))
            return FALSE;
        new CDynLinkLibrary(extensionModule);
    } else if (reason == DLL_PROCESS_DETACH) {
        // When the process is ending the system takes every handle back itself.
        if (reserved == NULL)
            ReleaseMeasureDC();
        AfxTermExtensionModule(extensionModule);
    }
    return TRUE;
}
