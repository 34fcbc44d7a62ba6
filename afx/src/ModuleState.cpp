// The application's module state, the runtime class registry with its per-module lookup, and
// extension modules (AfxInitExtensionModule, CDynLinkLibrary).
#include <afxwin.h>

#include <stdlib.h>
#include <vector>

namespace {

// Which search a registered class belongs to.
enum ClassKind {
    kindApp,        // the executable's or afx.dll's own: always found first
    kindPending,    // a DLL's that has not called AfxInitExtensionModule: found last
    kindExtension,  // an extension module's: found while one of its CDynLinkLibrary objects lives
};

struct ClassRecord {
    CRuntimeClass* pClass;
    HMODULE hModule;
    ClassKind kind;
    ClassRecord* pNext;
};

// Registered classes, newest first. Head and lock are constant-initialised because classes
// register during the static initialisation of afx.dll itself.
ClassRecord* g_pFirstRecord = NULL;
SRWLOCK g_classLock = SRWLOCK_INIT;
// The extension-module chain: CDynLinkLibrary objects come and go from DllMain, where the
// loader lock is held, so this lock is never held while calling out.
SRWLOCK g_dllLock = SRWLOCK_INIT;

class SrwExclusive
{
public:
    explicit SrwExclusive(SRWLOCK* pLock) : m_pLock(pLock) { AcquireSRWLockExclusive(m_pLock); }
    ~SrwExclusive() { ReleaseSRWLockExclusive(m_pLock); }
    SrwExclusive(const SrwExclusive&) = delete;
    SrwExclusive& operator=(const SrwExclusive&) = delete;

private:
    SRWLOCK* m_pLock;
};

HMODULE ModuleOfAddress(const void* p)
{
    HMODULE hModule = NULL;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCSTR>(p), &hModule))
        return NULL;
    return hModule;
}

HMODULE LayerModule()
{
    static const HMODULE hLayer = ModuleOfAddress(reinterpret_cast<const void*>(&LayerModule));
    return hLayer;
}

AFX_MODULE_STATE* CreateModuleState()
{
    AFX_MODULE_STATE* pState = static_cast<AFX_MODULE_STATE*>(calloc(1, sizeof(AFX_MODULE_STATE)));
    if (pState == NULL)
        abort();
    pState->m_hCurrentInstanceHandle = GetModuleHandleA(NULL);
    pState->m_hCurrentResourceHandle = pState->m_hCurrentInstanceHandle;
    InitializeCriticalSection(&pState->m_lock);
    return pState;
}

BOOL NameMatches(const CRuntimeClass* pClass, LPCSTR lpszClassName)
{
    return pClass->m_lpszClassName != NULL && lstrcmpA(pClass->m_lpszClassName, lpszClassName) == 0;
}

}  // namespace

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    // Never destroyed: static destructors of other modules may still look at it.
    static AFX_MODULE_STATE* const pState = CreateModuleState();
    return pState;
}

AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState()
{
    return AfxGetModuleState();
}

void AFXAPI AfxLockGlobals(int nLockType)
{
    AcquireSRWLockExclusive(nLockType == CRIT_RUNTIMECLASSLIST ? &g_classLock : &g_dllLock);
}

void AFXAPI AfxUnlockGlobals(int nLockType)
{
    ReleaseSRWLockExclusive(nLockType == CRIT_RUNTIMECLASSLIST ? &g_classLock : &g_dllLock);
}

//--------------------------------------------------------------------------------------------
// Runtime classes

void AFXAPI AfxClassInit(CRuntimeClass* pNewClass)
{
    if (pNewClass == NULL)
        return;
    // Looked up before taking the lock: it may enter the loader.
    HMODULE hModule = ModuleOfAddress(pNewClass);
    ClassKind kind =
        (hModule == GetModuleHandleA(NULL) || hModule == LayerModule() || hModule == NULL)
            ? kindApp
            : kindPending;
    ClassRecord* pRecord = static_cast<ClassRecord*>(malloc(sizeof(ClassRecord)));
    if (pRecord == NULL)
        return;
    pRecord->pClass = pNewClass;
    pRecord->hModule = hModule;
    pRecord->kind = kind;

    SrwExclusive lock(&g_classLock);
    for (ClassRecord* p = g_pFirstRecord; p != NULL; p = p->pNext) {
        if (p->pClass == pNewClass) {
            free(pRecord);
            return;
        }
    }
    pRecord->pNext = g_pFirstRecord;
    g_pFirstRecord = pRecord;
    if (kind == kindApp) {
        AFX_MODULE_STATE* pState = AfxGetModuleState();
        pNewClass->m_pNextClass = pState->m_pFirstClass;
        pState->m_pFirstClass = pNewClass;
    }
}

void AFXAPI AfxClassTerm(CRuntimeClass* pOldClass)
{
    if (pOldClass == NULL)
        return;
    SrwExclusive lock(&g_classLock);
    for (ClassRecord** pp = &g_pFirstRecord; *pp != NULL; pp = &(*pp)->pNext) {
        ClassRecord* pRecord = *pp;
        if (pRecord->pClass != pOldClass)
            continue;
        *pp = pRecord->pNext;
        if (pRecord->kind == kindApp) {
            AFX_MODULE_STATE* pState = AfxGetModuleState();
            for (CRuntimeClass** ppc = &pState->m_pFirstClass; *ppc != NULL;
                 ppc = &(*ppc)->m_pNextClass) {
                if (*ppc == pOldClass) {
                    *ppc = pOldClass->m_pNextClass;
                    break;
                }
            }
        }
        pOldClass->m_pNextClass = NULL;
        free(pRecord);
        return;
    }
}

void AFXAPI AfxDoForAllClasses(void(AFX_CDECL* pfn)(const CRuntimeClass* pClass, void* pContext),
                               void* pContext)
{
    if (pfn == NULL)
        return;
    // A snapshot, so the callback may look classes up or load modules that register more.
    std::vector<const CRuntimeClass*> classes;
    try {
        SrwExclusive lock(&g_classLock);
        for (const ClassRecord* p = g_pFirstRecord; p != NULL; p = p->pNext)
            classes.push_back(p->pClass);
    } catch (...) {
        return;
    }
    for (const CRuntimeClass* p : classes)
        pfn(p, pContext);
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL || *lpszClassName == '\0')
        return NULL;
    SrwExclusive dllLock(&g_dllLock);
    SrwExclusive classLock(&g_classLock);
    for (const ClassRecord* p = g_pFirstRecord; p != NULL; p = p->pNext) {
        if (p->kind == kindApp && NameMatches(p->pClass, lpszClassName))
            return p->pClass;
    }
    for (CDynLinkLibrary* pDLL = AfxGetModuleState()->m_pFirstDLL; pDLL != NULL;
         pDLL = pDLL->m_pNextDLL) {
        for (const ClassRecord* p = g_pFirstRecord; p != NULL; p = p->pNext) {
            if (p->kind == kindExtension && p->hModule == pDLL->m_hModule &&
                NameMatches(p->pClass, lpszClassName))
                return p->pClass;
        }
    }
    // Classes of DLLs that never declared themselves extension modules are still found, last.
    for (const ClassRecord* p = g_pFirstRecord; p != NULL; p = p->pNext) {
        if (p->kind == kindPending && NameMatches(p->pClass, lpszClassName))
            return p->pClass;
    }
    return NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != NULL ? pClass->CreateObject() : NULL;
}

//--------------------------------------------------------------------------------------------
// Extension modules

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (hModule == NULL)
        return FALSE;
    if (state.bInitialized)
        return TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.pFirstSharedClass = NULL;
    {
        // Claim the classes the DLL's static constructors registered, keeping their order.
        SrwExclusive lock(&g_classLock);
        CRuntimeClass** ppTail = &state.pFirstSharedClass;
        for (ClassRecord* p = g_pFirstRecord; p != NULL; p = p->pNext) {
            if (p->hModule != hModule || p->kind == kindApp)
                continue;
            p->kind = kindExtension;
            *ppTail = p->pClass;
            ppTail = &p->pClass->m_pNextClass;
        }
        *ppTail = NULL;
    }
    state.bInitialized = TRUE;
    return TRUE;
}

namespace {

// Deletes the CDynLinkLibrary objects of hModule, or all of them when bAll.
void DeleteExtensionModules(HMODULE hModule, BOOL bAll)
{
    // Unlink under the lock, delete outside it: a destructor must not find itself half-gone.
    std::vector<CDynLinkLibrary*> doomed;
    {
        SrwExclusive lock(&g_dllLock);
        for (CDynLinkLibrary* p = AfxGetModuleState()->m_pFirstDLL; p != NULL; p = p->m_pNextDLL) {
            if (bAll || p->m_hModule == hModule) {
                try {
                    doomed.push_back(p);
                } catch (...) {
                    break;
                }
            }
        }
    }
    for (CDynLinkLibrary* p : doomed)
        delete p;
}

// Deletes the extension modules still in the chain when afx.dll unloads (their DLLs did not
// call AfxTermExtensionModule).
struct ModuleStateTerm {
    ~ModuleStateTerm() { DeleteExtensionModules(NULL, TRUE); }
} g_moduleStateTerm;

}  // namespace

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    if (bAll || state.hModule != NULL)
        DeleteExtensionModules(state.hModule, bAll);
}

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource),
      m_pFirstClass(state.pFirstSharedClass), m_bSystem(bSystem), m_pNextDLL(NULL)
{
    SrwExclusive lock(&g_dllLock);
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    m_pNextDLL = pState->m_pFirstDLL;
    pState->m_pFirstDLL = this;
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_pFirstClass(NULL), m_bSystem(FALSE),
      m_pNextDLL(NULL)
{
    SrwExclusive lock(&g_dllLock);
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    m_pNextDLL = pState->m_pFirstDLL;
    pState->m_pFirstDLL = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    SrwExclusive lock(&g_dllLock);
    for (CDynLinkLibrary** pp = &AfxGetModuleState()->m_pFirstDLL; *pp != NULL;
         pp = &(*pp)->m_pNextDLL) {
        if (*pp == this) {
            *pp = m_pNextDLL;
            break;
        }
    }
}

// Used by the resource searches in Resource.cpp: calls pfn for each extension module, newest
// first and system modules last, until it returns a module.
HINSTANCE AfxSearchExtensionModules(HINSTANCE (*pfn)(HINSTANCE hResource, const void* pContext),
                                    const void* pContext)
{
    std::vector<HINSTANCE> modules[2];
    try {
        SrwExclusive lock(&g_dllLock);
        for (CDynLinkLibrary* p = AfxGetModuleState()->m_pFirstDLL; p != NULL; p = p->m_pNextDLL) {
            if (p->m_hResource != NULL)
                modules[p->m_bSystem ? 1 : 0].push_back(p->m_hResource);
        }
    } catch (...) {
        return NULL;
    }
    for (const std::vector<HINSTANCE>& list : modules) {
        for (HINSTANCE h : list) {
            if (HINSTANCE hFound = pfn(h, pContext))
                return hFound;
        }
    }
    return NULL;
}
