// CObject's operator new and delete: blocks of up to kLargestPooled bytes are kept, once
// freed, on one free list per 16-byte size step and handed out again; larger blocks, and blocks
// freed while their list is full, go to the C heap. Every block starts with a header naming its
// size step, so delete needs no size. Every CObject and CString block is first offered to the
// allocation hook. While afxMemDF holds delayFreeMemDF, freed blocks are filled and set aside.
#include "ObjectAlloc.h"

#include <windows.h>

#include <stdlib.h>
#include <string.h>

namespace {

const size_t kStep = 16;
const size_t kSteps = 16;
const size_t kLargestPooled = kStep * kSteps;
const int kMaxFreePerStep = 1024;
const size_t kUnpooled = (size_t)-1;

// Sixteen bytes keep the object as aligned as the heap's own blocks.
union BlockHeader {
    size_t step;
    char pad[16];
};

struct FreeBlock {
    FreeBlock* pNext;
};

struct FreeList {
    volatile LONG nLock;
    int nCount;
    FreeBlock* pHead;
};

FreeList g_lists[kSteps];

// The blocks freed while delayFreeMemDF was set, kept until the layer unloads.
FreeList g_delayed;

AFX_ALLOC_HOOK g_pfnAllocHook = NULL;
volatile LONG g_nAllocRequests = 0;

class CListLock
{
public:
    explicit CListLock(FreeList& list) : m_list(list)
    {
        while (::InterlockedExchange(&m_list.nLock, 1) != 0)
            ::Sleep(0);
    }
    ~CListLock() { ::InterlockedExchange(&m_list.nLock, 0); }

private:
    FreeList& m_list;
};

void* Allocate(size_t nSize)
{
    if (!afx_detail::AllocationAllowed(nSize, TRUE))
        return NULL;
    if (nSize == 0)
        nSize = 1;
    if (nSize > kLargestPooled) {
        if (nSize > (size_t)-1 - sizeof(BlockHeader))
            return NULL;
        BlockHeader* pHeader = static_cast<BlockHeader*>(::malloc(sizeof(BlockHeader) + nSize));
        if (pHeader == NULL)
            return NULL;
        pHeader->step = kUnpooled;
        return pHeader + 1;
    }
    const size_t step = (nSize - 1) / kStep;
    FreeList& list = g_lists[step];
    void* pBlock = NULL;
    {
        CListLock lock(list);
        if (list.pHead != NULL) {
            pBlock = list.pHead;
            list.pHead = list.pHead->pNext;
            --list.nCount;
        }
    }
    if (pBlock == NULL)
        pBlock = ::malloc(sizeof(BlockHeader) + (step + 1) * kStep);
    if (pBlock == NULL)
        return NULL;
    BlockHeader* pHeader = static_cast<BlockHeader*>(pBlock);
    pHeader->step = step;
    return pHeader + 1;
}

// Chains a freed block on a list its caller holds locked.
void Push(FreeList& list, BlockHeader* pHeader)
{
    FreeBlock* pBlock = reinterpret_cast<FreeBlock*>(pHeader);
    pBlock->pNext = list.pHead;
    list.pHead = pBlock;
    ++list.nCount;
}

// Fills the object's bytes, whose size the header tells only for pooled blocks (a large block
// keeps its first step's worth filled), and chains the block on the delayed list.
void SetAside(BlockHeader* pHeader)
{
    const size_t size = pHeader->step < kSteps ? (pHeader->step + 1) * kStep : kLargestPooled;
    ::memset(pHeader + 1, 0xDD, size);
    CListLock lock(g_delayed);
    Push(g_delayed, pHeader);
}

void Free(void* p)
{
    if (p == NULL)
        return;
    BlockHeader* pHeader = static_cast<BlockHeader*>(p) - 1;
    if ((afxMemDF & delayFreeMemDF) != 0)
        return SetAside(pHeader);
    const size_t step = pHeader->step;
    if (step < kSteps) {
        FreeList& list = g_lists[step];
        CListLock lock(list);
        if (list.nCount < kMaxFreePerStep)
            return Push(list, pHeader);
    }
    ::free(pHeader);
}

// Gives the kept and the delayed blocks back to the heap when the layer unloads.
struct CFreeListsReleaser {
    static void Release(FreeList& list)
    {
        CListLock lock(list);
        while (list.pHead != NULL) {
            FreeBlock* pNext = list.pHead->pNext;
            ::free(list.pHead);
            list.pHead = pNext;
        }
        list.nCount = 0;
    }
    ~CFreeListsReleaser()
    {
        for (FreeList& list : g_lists)
            Release(list);
        Release(g_delayed);
    }
} g_releaser;

}  // namespace

int afxMemDF = 0;

AFX_ALLOC_HOOK AFXAPI AfxSetAllocHook(AFX_ALLOC_HOOK pfnNewHook)
{
    return (AFX_ALLOC_HOOK)::InterlockedExchangePointer((PVOID*)&g_pfnAllocHook, (PVOID)pfnNewHook);
}

BOOL afx_detail::AllocationAllowed(size_t nSize, BOOL bObject)
{
    const LONG nRequest = ::InterlockedIncrement(&g_nAllocRequests);
    AFX_ALLOC_HOOK pfnHook = g_pfnAllocHook;
    return pfnHook == NULL || pfnHook(nSize, bObject, nRequest);
}

void* PASCAL CObject::operator new(size_t nSize)
{
    void* p = Allocate(nSize);
    if (p == NULL)
        throw std::bad_alloc();
    return p;
}

void* PASCAL CObject::operator new(size_t nSize, const std::nothrow_t&) noexcept
{
    return Allocate(nSize);
}

void PASCAL CObject::operator delete(void* p) noexcept
{
    Free(p);
}

void PASCAL CObject::operator delete(void* p, const std::nothrow_t&) noexcept
{
    Free(p);
}
