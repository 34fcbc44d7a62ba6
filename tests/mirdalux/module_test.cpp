// Loading mirdalux.dll joins it to the application's chain of extension modules; unloading it
// takes it out again.
#include <gtest/gtest.h>
#include <afxwin.h>

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
