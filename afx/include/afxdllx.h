// Included by the one source file of an extension DLL that defines its DllMain. An extension
// DLL builds with _AFXEXT defined (AFX_EXT_CLASS then exports) and joins the application's
// module state from DllMain:
//
//     static AFX_EXTENSION_MODULE extensionModule = { FALSE, NULL, NULL, NULL };
//
//     extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
//     {
//         if (dwReason == DLL_PROCESS_ATTACH) {
//             if (!AfxInitExtensionModule(extensionModule, hInstance))
//                 return FALSE;
//             new CDynLinkLibrary(extensionModule);  // classes and resources now found
//         } else if (dwReason == DLL_PROCESS_DETACH) {
//             AfxTermExtensionModule(extensionModule);
//         }
//         return TRUE;
//     }
//
// MinGW's start-up code runs the DLL's static constructors (which register its runtime
// classes) before DllMain sees DLL_PROCESS_ATTACH, and its destructors after DLL_PROCESS_DETACH.
#pragma once
#include "afxwin.h"
