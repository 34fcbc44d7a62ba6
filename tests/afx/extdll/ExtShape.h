// The linked test extension DLL: a dynamically creatable class and a function that looks up
// the host's resources from inside the DLL.
#pragma once
#include <afxwin.h>

class AFX_EXT_CLASS CExtShape : public CObject
{
    DECLARE_DYNCREATE(CExtShape)
public:
    CExtShape();
    int m_nSides;
};

// What the DLL found when it searched for resources with id 4 (and string 9, which only the
// DLL holds) through the layer's resource search.
struct ExtFoundResources {
    HINSTANCE hCursorModule;
    HINSTANCE hMenuModule;
    HINSTANCE hString4Module;
    HINSTANCE hString9Module;
    HCURSOR hCursor;
    HMENU hMenu;
    char szString4[64];
    char szString9[64];
};

extern "C" AFX_EXT_API void ExtFindResources(ExtFoundResources* pFound);
// This DLL's module handle, as AfxInitExtensionModule recorded it.
extern "C" AFX_EXT_API HMODULE ExtModuleHandle();
