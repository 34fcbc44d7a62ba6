// The linked test extension DLL: a dynamically creatable class, and the layer's resource searches
// made from code inside the DLL.
#pragma once
#include <afxwin.h>

class AFX_EXT_CLASS CExtShape : public CObject
{
    DECLARE_DYNCREATE(CExtShape)
public:
    CExtShape();
    int m_nSides;
};

// AfxFindResourceHandle and AfxFindStringResourceHandle, called from the DLL.
extern "C" AFX_EXT_API HINSTANCE ExtFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
extern "C" AFX_EXT_API HINSTANCE ExtFindStringResourceHandle(UINT nID);
// This DLL's module handle, as AfxInitExtensionModule recorded it.
extern "C" AFX_EXT_API HMODULE ExtModuleHandle();
