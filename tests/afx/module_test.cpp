// Module state and extension modules: classes of an extension DLL created by name from the
// host, the host's resources found from code inside the DLL, and a DLL loaded and freed at run
// time joining and leaving the application's searches.
//
// The application object is this file's `theApp` (one per process, as in MFC); the console
// runner stands in for WinMain, so the executable's module is the resource handle.
#include "TestSupport.h"

#include "ExtShape.h"

namespace {

CWinApp theApp("ModuleTestApp");

// A class of the executable itself.
class CHostThing : public CObject
{
    DECLARE_DYNCREATE(CHostThing)
};
IMPLEMENT_DYNCREATE(CHostThing, CObject)

bool HasExtensionModule(HMODULE hModule)
{
    CDynLinkLibrary* p = AfxGetModuleState()->m_pFirstDLL;
    while (p != NULL && p->m_hModule != hModule)
        p = p->m_pNextDLL;
    return p != NULL;
}

TEST(Module, ClassesAreFoundByNameAcrossModules)
{
    CObject* pObject = CRuntimeClass::CreateObject("CExtShape");
    ASSERT_NE(nullptr, pObject);
    HMODULE hExt = ::GetModuleHandleA("afx_testext.dll");
    ExpectAll(
        {{"the linked extension DLL's",
          CRuntimeClass::FromName("CExtShape") == RUNTIME_CLASS(CExtShape)},
         {"the executable's", CRuntimeClass::FromName("CHostThing") == RUNTIME_CLASS(CHostThing)},
         {"a CExtShape", pObject->IsKindOf(RUNTIME_CLASS(CExtShape))},
         {"a CObject", pObject->IsKindOf(RUNTIME_CLASS(CObject))},
         {"no CCmdTarget", !pObject->IsKindOf(RUNTIME_CLASS(CCmdTarget))},
         {"made by the DLL's constructor", static_cast<CExtShape*>(pObject)->m_nSides == 5},
         {"the module handle AfxInitExtensionModule kept", hExt && hExt == ExtModuleHandle()},
         {"its DllMain's CDynLinkLibrary joined the chain", HasExtensionModule(hExt)}});
    delete pObject;
}

TEST(Module, ExtensionCodeFindsTheHostsResources)
{
    HINSTANCE hHost = ::GetModuleHandle(NULL), hExt = ::GetModuleHandleA("afx_testext.dll");
    ASSERT_TRUE(hHost == AfxGetResourceHandle() && hHost == AfxGetInstanceHandle());
    CMenu menu;
    CString title;
    ExpectAll(
        {{"cursor 4 from the host",
          ExtFindResourceHandle(MAKEINTRESOURCE(4), RT_GROUP_CURSOR) == hHost},
         {"menu 4 from the host", ExtFindResourceHandle(MAKEINTRESOURCE(4), RT_MENU) == hHost},
         // Both hold string 4: the current resource module is searched first.
         {"string 4 from the host", ExtFindStringResourceHandle(4) == hHost},
         // Only the DLL holds string 9: the search goes on into the extension modules.
         {"string 9 from the DLL", ExtFindStringResourceHandle(9) == hExt},
         // The application's loaders search the same way.
         {"LoadCursor", theApp.LoadCursor(4u) != NULL},
         {"LoadMenu", menu.LoadMenu(4u) && menu.GetMenuItemCount() == 1 &&
                          menu.GetMenuString(0, title, MF_BYPOSITION) > 0 && title == "&File"},
         // A resource handle set elsewhere is searched first, then the extension modules.
         {"string 4 from a set handle",
          (AfxSetResourceHandle(hExt), AfxFindStringResourceHandle(4) == hExt)},
         {"menu 4 from the set handle", AfxFindResourceHandle(MAKEINTRESOURCE(4), RT_MENU) == hExt},
         {"NULL goes back to the application",
          (AfxSetResourceHandle(NULL), AfxGetResourceHandle() == hHost)},
         {"bad arguments: the current handle", AfxFindResourceHandle(NULL, RT_MENU) == hHost}});
}

TEST(Module, RunTimeLoadedExtensionJoinsAndLeaves)
{
    HINSTANCE hHost = ::GetModuleHandle(NULL);
    ASSERT_EQ(nullptr, CRuntimeClass::FromName("CExtPlugin"));
    EXPECT_EQ(hHost, AfxFindStringResourceHandle(10)) << "nobody holds it yet";
    HMODULE hPlugin = ::LoadLibraryA("afx_testplugin.dll");
    CObject* pObject = CRuntimeClass::CreateObject("CExtPlugin");
    auto pfnAnswer = (int(AFX_CDECL*)(CObject*))(void*)::GetProcAddress(hPlugin, "PluginAnswer");
    ASSERT_TRUE(hPlugin && pObject && pfnAnswer) << "loaded, its class made by name, its export";
    CHostThing notAPlugin;
    char text[64] = {};
    ExpectAll({{"it joined the chain", HasExtensionModule(hPlugin)},
               {"a CCmdTarget", pObject->IsKindOf(RUNTIME_CLASS(CCmdTarget))},
               {"no CWnd", !pObject->IsKindOf(RUNTIME_CLASS(CWnd))},
               {"its class name",
                std::string(pObject->GetRuntimeClass()->m_lpszClassName) == "CExtPlugin"},
               {"the DLL's downcast finds its class", pfnAnswer(pObject) == 42},
               {"and refuses another", pfnAnswer(&notAPlugin) == -1},
               {"string 10 from the plugin", AfxFindStringResourceHandle(10) == hPlugin},
               {"string 10's text", ::LoadStringA(hPlugin, 10, text, sizeof(text)) > 0 &&
                                        std::string(text) == "plugin string ten"}});
    delete pObject;  // its code lives in the plugin
    ASSERT_TRUE(::FreeLibrary(hPlugin));
    ExpectAll({{"its classes left with it", !CRuntimeClass::FromName("CExtPlugin")},
               {"it left the chain", !HasExtensionModule(hPlugin)},
               {"string 10 from the host again", AfxFindStringResourceHandle(10) == hHost},
               {"the linked extension stays", CRuntimeClass::FromName("CExtShape") != NULL}});
}

}  // namespace
