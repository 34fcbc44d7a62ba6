// Module state and extension modules: classes of an extension DLL created by name from the
// host, the host's resources found from code inside the DLL, and a DLL loaded and freed at run
// time joining and leaving the application's searches.
//
// The application object is this file's `theApp` (one per process, as in MFC); the console
// runner stands in for WinMain, so the executable's module is the resource handle.
#include <gtest/gtest.h>
#include <afxwin.h>

#include "ExtShape.h"

#include <string>

namespace {

class CModuleTestApp : public CWinApp
{
public:
    CModuleTestApp() : CWinApp("ModuleTestApp") {}
};

CModuleTestApp theApp;

}  // namespace

// A class of the executable itself.
class CHostThing : public CObject
{
    DECLARE_DYNCREATE(CHostThing)
};

IMPLEMENT_DYNCREATE(CHostThing, CObject)

namespace {

bool HasExtensionModule(HMODULE hModule)
{
    for (CDynLinkLibrary* p = AfxGetModuleState()->m_pFirstDLL; p != NULL; p = p->m_pNextDLL) {
        if (p->m_hModule == hModule)
            return true;
    }
    return false;
}

TEST(Module, ClassesAreFoundByNameAcrossModules)
{
    struct Case {
        const char* name;
        CRuntimeClass* expected;
    } cases[] = {
        {"CExtShape", RUNTIME_CLASS(CExtShape)},    // the linked extension DLL's
        {"CHostThing", RUNTIME_CLASS(CHostThing)},  // the executable's
        {"CWnd", RUNTIME_CLASS(CWnd)},              // afx.dll's own
        {"CDynLinkLibrary", RUNTIME_CLASS(CDynLinkLibrary)},
        {"CNoSuchClass", NULL},
        {"", NULL},
        {NULL, NULL},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CRuntimeClass::FromName(c.name)) << (c.name ? c.name : "(null)");

    CObject* pObject = CRuntimeClass::CreateObject("CExtShape");
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CExtShape)));
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(pObject->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_EQ(5, static_cast<CExtShape*>(pObject)->m_nSides) << "made by the DLL's constructor";
    delete pObject;
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CNoSuchClass"));

    HMODULE hExt = ::GetModuleHandleA("afx_testext.dll");
    ASSERT_NE(nullptr, hExt);
    EXPECT_EQ(hExt, ExtModuleHandle());
    EXPECT_TRUE(HasExtensionModule(hExt)) << "its DllMain's CDynLinkLibrary joined the chain";
}

TEST(Module, ExtensionCodeFindsTheHostsResources)
{
    HINSTANCE hHost = ::GetModuleHandle(NULL);
    HINSTANCE hExt = ::GetModuleHandleA("afx_testext.dll");
    ASSERT_EQ(hHost, AfxGetResourceHandle());
    ASSERT_EQ(hHost, AfxGetInstanceHandle());

    ExtFoundResources found = {};
    ExtFindResources(&found);
    EXPECT_EQ(hHost, found.hCursorModule);
    EXPECT_NE(nullptr, found.hCursor);
    EXPECT_EQ(hHost, found.hMenuModule);
    ASSERT_NE(nullptr, found.hMenu);
    HMENU hFile = ::GetSubMenu(found.hMenu, 0);
    ASSERT_NE(nullptr, hFile);
    EXPECT_EQ(2, ::GetMenuItemCount(hFile));
    EXPECT_EQ(0xE141u, ::GetMenuItemID(hFile, 1));
    ::DestroyMenu(found.hMenu);
    // Both hold string 4: the current resource module is searched first.
    EXPECT_EQ(hHost, found.hString4Module);
    EXPECT_STREQ("host string four", found.szString4);
    // Only the DLL holds string 9: the search goes on into the extension modules.
    EXPECT_EQ(hExt, found.hString9Module);
    EXPECT_STREQ("extension string nine", found.szString9);

    // The application's loaders search the same way.
    EXPECT_NE(nullptr, theApp.LoadCursor(4u));
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(4u));
    EXPECT_EQ(1u, menu.GetMenuItemCount());
    CString title;
    EXPECT_EQ(1, menu.GetMenuString(0, title, MF_BYPOSITION) > 0 ? 1 : 0);
    EXPECT_STREQ("&File", (LPCTSTR)title);

    // A resource handle set elsewhere is searched first, then the extension modules.
    AfxSetResourceHandle(hExt);
    EXPECT_EQ(hExt, AfxFindStringResourceHandle(4));
    EXPECT_EQ(hExt, AfxFindResourceHandle(MAKEINTRESOURCE(4), RT_MENU));
    AfxSetResourceHandle(NULL);
    EXPECT_EQ(hHost, AfxGetResourceHandle()) << "NULL goes back to the application";
    EXPECT_EQ(hHost, AfxFindResourceHandle(NULL, RT_MENU)) << "bad arguments: the current handle";
}

TEST(Module, RunTimeLoadedExtensionJoinsAndLeaves)
{
    ASSERT_EQ(nullptr, CRuntimeClass::FromName("CExtPlugin"));
    HINSTANCE hHost = ::GetModuleHandle(NULL);
    EXPECT_EQ(hHost, AfxFindStringResourceHandle(10)) << "nobody holds it yet";

    HMODULE hPlugin = ::LoadLibraryA("afx_testplugin.dll");
    ASSERT_NE(nullptr, hPlugin);
    EXPECT_TRUE(HasExtensionModule(hPlugin));
    CObject* pObject = CRuntimeClass::CreateObject("CExtPlugin");
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_FALSE(pObject->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_STREQ("CExtPlugin", pObject->GetRuntimeClass()->m_lpszClassName);
    typedef int(AFX_CDECL * PFN_ANSWER)(CObject*);
    PFN_ANSWER pfnAnswer = (PFN_ANSWER)(void*)::GetProcAddress(hPlugin, "PluginAnswer");
    ASSERT_NE(nullptr, pfnAnswer);
    EXPECT_EQ(42, pfnAnswer(pObject));
    CHostThing notAPlugin;
    EXPECT_EQ(-1, pfnAnswer(&notAPlugin));
    delete pObject;  // its code lives in the plugin
    EXPECT_EQ(hPlugin, AfxFindStringResourceHandle(10));
    char text[64] = {};
    EXPECT_GT(::LoadStringA(AfxFindStringResourceHandle(10), 10, text, sizeof(text)), 0);
    EXPECT_STREQ("plugin string ten", text);

    ASSERT_TRUE(::FreeLibrary(hPlugin));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CExtPlugin")) << "its classes left with it";
    EXPECT_FALSE(HasExtensionModule(hPlugin));
    EXPECT_EQ(hHost, AfxFindStringResourceHandle(10));
    EXPECT_NE(nullptr, CRuntimeClass::FromName("CExtShape")) << "the linked extension stays";
}

}  // namespace
