// Loading mirdalux.dll joins it, with its classes, to the application's chain of extension
// modules; unloading it takes it out again.
#include "TestSupport.h"

#include <cstring>
#include <map>

namespace {

// The chain's record of the module; NULL when it has none.
CDynLinkLibrary* RecordOf(HMODULE module)
{
    CDynLinkLibrary* dll = AfxGetModuleState()->m_pFirstDLL;
    while (dll != nullptr && dll->m_hModule != module)
        dll = dll->m_pNextDLL;
    return dll;
}

}  // namespace

TEST(LibraryModule, JoinsAndLeavesExtensionChain)
{
    HMODULE library = LoadLibraryA("mirdalux.dll");
    ASSERT_NE(nullptr, library) << "mirdalux.dll did not load (error " << GetLastError() << ")";
    CDynLinkLibrary* record = RecordOf(library);
    ASSERT_NE(nullptr, record) << "no CDynLinkLibrary for mirdalux.dll after loading it";
    std::map<std::string, CRuntimeClass*> classes;
    for (CRuntimeClass* c = record->m_pFirstClass; c != NULL; c = c->m_pNextClass)
        classes[c->m_lpszClassName] = c;
    std::unique_ptr<CObject> made(CRuntimeClass::CreateObject("CGraphicView"));
    ExpectAll(
        {{"the view by name", CRuntimeClass::FromName("CGraphicView") == classes["CGraphicView"]},
         {"the document by name", CRuntimeClass::FromName("CGraphicDoc") == classes["CGraphicDoc"]},
         {"both in the library's record", classes["CGraphicView"] && classes["CGraphicDoc"]},
         {"a view made by name is a scroll view",
          made && made->IsKindOf(RUNTIME_CLASS(CScrollView))}});
    made.reset();  // its code goes with the library
    ASSERT_TRUE(FreeLibrary(library));
    ExpectAll({{"mirdalux.dll unloaded", !GetModuleHandleA("mirdalux.dll")},
               {"out of the chain after unloading", !RecordOf(library)}});
}

namespace {

// The device contexts mirdalux.dll makes and deletes, seen by redirecting its imports of
// CreateCompatibleDC and DeleteDC from gdi32.dll.
LONG g_madeDCs = 0, g_deletedDCs = 0;

HDC WINAPI CountedCreateCompatibleDC(HDC hdc)
{
    HDC made = ::CreateCompatibleDC(hdc);
    g_madeDCs += made != NULL;
    return made;
}

BOOL WINAPI CountedDeleteDC(HDC hdc)
{
    const BOOL deleted = ::DeleteDC(hdc);
    g_deletedDCs += deleted != FALSE;
    return deleted;
}

// Points the module's import of gdi32.dll's `name` at `replacement`; false if it has none.
bool RedirectImport(HMODULE module, const char* name, void* replacement)
{
    BYTE* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* imp = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         dir.VirtualAddress != 0 && imp->Name != 0; ++imp) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + imp->Name), "gdi32.dll") != 0)
            continue;
        auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) ||
                std::strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0)
                continue;
            DWORD old = 0;
            ::VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            ::VirtualProtect(&slots->u1.Function, sizeof(void*), old, &old);
            return true;
        }
    }
    return false;
}

}  // namespace

// The context kept for measuring text is the library's to delete when it is unloaded while the
// process goes on (a host that loads it per document would otherwise lose one each time).
TEST(LibraryModule, UnloadingDeletesTheMeasuringContext)
{
    HMODULE library = LoadLibraryA("mirdalux.dll");
    ASSERT_NE(nullptr, library);
    ASSERT_TRUE(RedirectImport(library, "CreateCompatibleDC",
                               reinterpret_cast<void*>(&CountedCreateCompatibleDC)));
    ASSERT_TRUE(RedirectImport(library, "DeleteDC", reinterpret_cast<void*>(&CountedDeleteDC)));
    auto drawText = reinterpret_cast<void(__cdecl*)(CObject*, const CString*)>(
        reinterpret_cast<void*>(GetProcAddress(library, "Grafic_Dll_Draw_Text")));
    CObject* view = CRuntimeClass::CreateObject("CGraphicView");
    ASSERT_TRUE(drawText != nullptr && view != nullptr);
    const CString text("measured");
    drawText(view, &text);
    delete view;
    EXPECT_LT(0, g_madeDCs) << "measuring the text made no context";
    ASSERT_TRUE(FreeLibrary(library));
    EXPECT_EQ(g_madeDCs, g_deletedDCs) << "contexts made and deleted by the library";
}
