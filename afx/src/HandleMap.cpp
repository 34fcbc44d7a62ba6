// The per-thread sets of handle maps, and the temporary-map lock of AfxLockTempMaps and
// AfxUnlockTempMaps.
#include "HandleMap.h"

#include <afxwin.h>

namespace {

// A thread's maps, deleted (with their temporary wrappers) when the thread ends.
struct ThreadHandleMaps
{
    CHandleMapBase* maps[afxMapSlotCount] = {};
    ~ThreadHandleMaps();
};

// Plain flags and counters: no construction order to worry about.
thread_local bool t_bMapsGone = false;
thread_local LONG t_nTempMapLock = 0;

ThreadHandleMaps& CurrentMaps()
{
    thread_local ThreadHandleMaps t_maps;
    return t_maps;
}

ThreadHandleMaps::~ThreadHandleMaps()
{
    t_bMapsGone = true;
    for (CHandleMapBase*& pMap : maps) {
        delete pMap;
        pMap = NULL;
    }
}

} // namespace

CHandleMapBase* AfxGetThreadHandleMap(int nSlot, CHandleMapBase* (*pfnNew)())
{
    if (nSlot < 0 || nSlot >= afxMapSlotCount || t_bMapsGone)
        return NULL;
    ThreadHandleMaps& state = CurrentMaps();
    if (state.maps[nSlot] == NULL && pfnNew != NULL) {
        try {
            state.maps[nSlot] = pfnNew();
        } catch (...) {
            return NULL;
        }
    }
    return state.maps[nSlot];
}

void AFXAPI AfxLockTempMaps()
{
    ++t_nTempMapLock;
}

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    if (t_nTempMapLock > 0)
        --t_nTempMapLock;
    if (t_nTempMapLock == 0 && bDeleteTemps && !t_bMapsGone) {
        ThreadHandleMaps& state = CurrentMaps();
        for (CHandleMapBase* pMap : state.maps)
            if (pMap)
                pMap->DeleteTemp();
    }
    return t_nTempMapLock != 0;
}
