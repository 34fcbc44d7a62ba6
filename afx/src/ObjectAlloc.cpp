// CObject's operator new and delete: blocks of up to kLargestPooled bytes are cut from slabs of
// 64 KB, one size per 16-byte step, and kept, once freed, on that step's free list to be handed
// out again (a slab costs the heap one block's overhead, not one per object); larger blocks come
// from and go to the C heap. Every block starts with a header naming its size step, so delete
// needs no size; the slabs go back to the heap when the layer unloads. Every CObject and
// CString block is first offered to the allocation hook. While afxMemDF holds delayFreeMemDF,
// freed blocks are filled and set aside.
#include "ObjectAlloc.h"

#include <windows.h>

#include <stdlib.h>
#include <string.h>

namespace {

const size_t kStep = 16;
const size_t kSteps = 16;
const size_t kLargestPooled = kStep * kSteps;
const size_t kSlabBytes = 64 * 1024;
const size_t kUnpooled = (size_t)-1;

// Sixteen bytes keep the object as aligned as the heap's own blocks.
union BlockHeader {
    size_t step;
    char pad[16];
};

// A block on a list: its header's step stays readable beside the link.
struct FreeBlock {
    size_t step;
    FreeBlock* pNext;
};

// The start of a slab, before its blocks: the slabs are chained for their release.
union SlabHeader {
    SlabHeader* pNext;
    char pad[16];
};

struct FreeList {
    volatile LONG nLock;
    FreeBlock* pHead;
};

FreeList g_lists[kSteps];

// The blocks freed while delayFreeMemDF was set, kept until the layer unloads.
FreeList g_delayed;

// Every slab, for the release at unload.
struct SlabChain {
    volatile LONG nLock;
    SlabHeader* pHead;
} g_slabs;

AFX_ALLOC_HOOK g_pfnAllocHook = NULL;
volatile LONG g_nAllocRequests = 0;

class CListLock
{
public:
    template <class List> explicit CListLock(List& list) : m_nLock(list.nLock)
    {
        while (::InterlockedExchange(&m_nLock, 1) != 0)
            ::Sleep(0);
    }
    ~CListLock() { ::InterlockedExchange(&m_nLock, 0); }

private:
    volatile LONG& m_nLock;
};

// Chains a freed block on a list its caller holds locked.
void Push(FreeList& list, BlockHeader* pHeader)
{
    FreeBlock* pBlock = reinterpret_cast<FreeBlock*>(pHeader);
    pBlock->step = pHeader->step;
    pBlock->pNext = list.pHead;
    list.pHead = pBlock;
}

// Cuts a new slab into blocks of the step's size, all chained on the list its caller holds
// locked; false when the heap has no room.
bool AddSlab(FreeList& list, size_t step)
{
    SlabHeader* pSlab = static_cast<SlabHeader*>(::malloc(kSlabBytes));
    if (pSlab == NULL)
        return false;
    {
        CListLock lock(g_slabs);
        pSlab->pNext = g_slabs.pHead;
        g_slabs.pHead = pSlab;
    }
    const size_t blockBytes = sizeof(BlockHeader) + (step + 1) * kStep;
    char* pEnd = reinterpret_cast<char*>(pSlab) + kSlabBytes;
    for (char* p = reinterpret_cast<char*>(pSlab + 1); p + blockBytes <= pEnd; p += blockBytes) {
        BlockHeader* pHeader = reinterpret_cast<BlockHeader*>(p);
        pHeader->step = step;
        Push(list, pHeader);
    }
    return true;
}

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
    CListLock lock(list);
    if (list.pHead == NULL && !AddSlab(list, step))
        return NULL;
    FreeBlock* pBlock = list.pHead;
    list.pHead = pBlock->pNext;
    BlockHeader* pHeader = reinterpret_cast<BlockHeader*>(pBlock);
    pHeader->step = step;
    return pHeader + 1;
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
        return Push(list, pHeader);
    }
    ::free(pHeader);
}

// Gives the slabs, and the large blocks set aside, back to the heap when the layer unloads.
struct CFreeListsReleaser {
    ~CFreeListsReleaser()
    {
        for (FreeBlock* p = g_delayed.pHead; p != NULL;) {
            FreeBlock* pNext = p->pNext;
            if (p->step == kUnpooled)
                ::free(p);
            p = pNext;
        }
        for (SlabHeader* p = g_slabs.pHead; p != NULL;) {
            SlabHeader* pNext = p->pNext;
            ::free(p);
            p = pNext;
        }
        g_slabs.pHead = NULL;
        g_delayed.pHead = NULL;
        for (FreeList& list : g_lists)
            list.pHead = NULL;
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
