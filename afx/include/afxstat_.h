// Module state of the class-library layer: the application's instance and resource handles,
// its application object, its runtime classes and its chain of extension modules.
#pragma once
#include "afxver_.h"

class CRuntimeClass;
class CWinApp;
class CDynLinkLibrary;

// One per process: everything the layer needs to know about the application module. Extension
// DLLs have no state of their own; each joins this one through a CDynLinkLibrary.
struct AFX_API AFX_MODULE_STATE {
    CWinApp* m_pCurrentWinApp;
    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;
    LPCTSTR m_lpszCurrentAppName;
    BOOL m_bDLL;
    BOOL m_bSystem;
    // Runtime classes of the application module and of afx.dll itself, linked through
    // CRuntimeClass::m_pNextClass, newest first.
    CRuntimeClass* m_pFirstClass;
    // Extension modules that joined the application, newest first, linked through
    // CDynLinkLibrary::m_pNextDLL.
    CDynLinkLibrary* m_pFirstDLL;
    CRITICAL_SECTION m_lock;
};

AFX_API AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
AFX_API AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState();

// Serialises walks and edits of the class and extension-module lists.
AFX_API void AFXAPI AfxLockGlobals(int nLockType);
AFX_API void AFXAPI AfxUnlockGlobals(int nLockType);
#define CRIT_RUNTIMECLASSLIST 0
#define CRIT_DYNLINKLIST 1
