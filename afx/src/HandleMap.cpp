// The per-thread sets of handle maps, and the temporary-map lock of AfxLockTempMaps and
// AfxUnlockTempMaps.
#include "HandleMap.h"

#include <afxwin.h>

namespace {

// A thread's maps. They live in fiber-local storage, whose callback deletes them (and their
// temporary wrappers) when the thread ends: a thread_local object with a destructor would do
// the same, but in a DLL built by MinGW it hangs the process exit once a second thread has used
// it.
struct ThreadHandleMaps {
    CHandleMapBase* maps[afxMapSlotCount] = {};
};

// Plain flags and counters: no construction or destruction to worry about.
thread_local bool t_bMapsGone = false;
thread_local LONG t_nTempMapLock = 0;

void WINAPI DeleteThreadHandleMaps(void* pData)
{
    ThreadHandleMaps* pMaps = static_cast<ThreadHandleMaps*>(pData);
    if (pMaps == NULL)
        return;
    // Wrappers deleted from here may look for their map: they find none, and none is made.
    t_bMapsGone = true;
    for (CHandleMapBase*& pMap : pMaps->maps) {
        CHandleMapBase* pDying = pMap;
        pMap = NULL;
        delete pDying;
    }
    delete pMaps;
}

DWORD MapsIndex()
{
    static const DWORD index = ::FlsAlloc(&DeleteThreadHandleMaps);
    return index;
}

// This thread's maps, made on first use when bCreate; NULL when there are none, when out of
// memory, or once the thread is ending.
ThreadHandleMaps* CurrentMaps(bool bCreate)
{
    DWORD index = MapsIndex();
    if (index == FLS_OUT_OF_INDEXES)
        return NULL;
    ThreadHandleMaps* pMaps = static_cast<ThreadHandleMaps*>(::FlsGetValue(index));
    if (pMaps != NULL || !bCreate || t_bMapsGone)
        return pMaps;
    pMaps = new (std::nothrow) ThreadHandleMaps;
    if (pMaps == NULL || !::FlsSetValue(index, pMaps)) {
        delete pMaps;
        return NULL;
    }
    return pMaps;
}

}  // namespace

CHandleMapBase* AfxGetThreadHandleMap(int nSlot, CHandleMapBase* (*pfnNew)())
{
    if (nSlot < 0 || nSlot >= afxMapSlotCount)
        return NULL;
    ThreadHandleMaps* pMaps = CurrentMaps(pfnNew != NULL);
    if (pMaps == NULL)
        return NULL;
    if (pMaps->maps[nSlot] == NULL && pfnNew != NULL && !t_bMapsGone) {
        try {
            pMaps->maps[nSlot] = pfnNew();
        } catch (...) {
            return NULL;
        }
    }
    return pMaps->maps[nSlot];
}

void AFXAPI AfxLockTempMaps()
{
    ++t_nTempMapLock;
}

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    if (t_nTempMapLock > 0)
        --t_nTempMapLock;
    if (t_nTempMapLock == 0 && bDeleteTemps) {
        if (ThreadHandleMaps* pMaps = CurrentMaps(false))
            for (CHandleMapBase* pMap : pMaps->maps)
                if (pMap)
                    pMap->DeleteTemp();
    }
    return t_nTempMapLock != 0;
}
