// Loading mirdalux.dll joins it to the application's chain of extension modules; unloading it
// takes it out again.
#include "TestSupport.h"

#include <cstring>

namespace {

bool IsInExtensionChain(HMODULE module)
{
    for (CDynLinkLibrary* dll = AfxGetModuleState()->m_pFirstDLL; dll != nullptr;
         dll = dll->m_pNextDLL) {
        if (dll->m_hModule == module)
            return true;
    }
    return false;
}

}  // namespace

TEST(LibraryModule, JoinsAndLeavesExtensionChain)
{
    HMODULE library = LoadLibraryA("mirdalux.dll");
    ASSERT_NE(nullptr, library) << "mirdalux.dll did not load (error " << GetLastError() << ")";
    EXPECT_TRUE(IsInExtensionChain(library))
        << "no CDynLinkLibrary for mirdalux.dll after loading it";
    ASSERT_TRUE(FreeLibrary(library));
    EXPECT_EQ(nullptr, GetModuleHandleA("mirdalux.dll")) << "mirdalux.dll still loaded";
    EXPECT_FALSE(IsInExtensionChain(library))
        << "mirdalux.dll still in the chain after unloading it";
}

namespace {

// The device contexts mirdalux.dll makes and deletes, seen by redirecting its imports of
// CreateCompatibleDC and DeleteDC from gdi32.dll.
LONG g_madeDCs = 0, g_deletedDCs = 0;

HDC WINAPI CountedCreateCompatibleDC(HDC hdc)
{
    HDC made = ::CreateCompatibleDC(hdc);
    if (made != NULL)
        ++g_madeDCs;
    return made;
}

BOOL WINAPI CountedDeleteDC(HDC hdc)
{
    const BOOL deleted = ::DeleteDC(hdc);
    if (deleted)
        ++g_deletedDCs;
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
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0)
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
    auto newView = reinterpret_cast<LONG_PTR(__cdecl*)(unsigned long)>(
        reinterpret_cast<void*>(GetProcAddress(library, "_Z18Grafic_Dll_NewViewm")));
    auto drawText = reinterpret_cast<void(__cdecl*)(CObject*, const CString*)>(
        reinterpret_cast<void*>(GetProcAddress(library, "Grafic_Dll_Draw_Text")));
    ASSERT_TRUE(newView != nullptr && drawText != nullptr);
    CObject* view = reinterpret_cast<CObject*>(newView(0));
    ASSERT_NE(nullptr, view);
    const CString text("measured");
    drawText(view, &text);
    delete view;
    EXPECT_LT(0, g_madeDCs) << "measuring the text made no context";
    ASSERT_TRUE(FreeLibrary(library));
    EXPECT_EQ(g_madeDCs, g_deletedDCs) << "contexts made and deleted by the library";
}
