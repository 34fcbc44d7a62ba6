// Maps from Windows handles to the layer's wrapper objects, one set per thread: a permanent
// table for objects that made or attached a handle, and a temporary table for wrappers that
// FromHandle makes on demand and AfxUnlockTempMaps deletes.
#pragma once
#include <afx.h>

#include <new>
#include <unordered_map>

// What AfxUnlockTempMaps and thread exit need from every map, whatever its types.
class CHandleMapBase
{
public:
    virtual ~CHandleMapBase() {}
    virtual void DeleteTemp() = 0;
};

// One map of each kind per thread, in these slots.
enum AfxHandleMapSlot
{
    afxMapHGDIOBJ,
    afxMapHDC,
    afxMapHWND,
    afxMapHMENU,
    afxMapHIMAGELIST,
    afxMapSlotCount = 8
};

// This thread's map in nSlot. When there is none yet, pfnNew (if not NULL) makes it; NULL when
// there is none and pfnNew is NULL, or once the thread's maps are gone (the thread is ending).
CHandleMapBase* AfxGetThreadHandleMap(int nSlot, CHandleMapBase* (*pfnNew)());

// THandle is the handle type (HGDIOBJ, HDC, HWND ...), TObject the wrapper's base class.
// A temporary wrapper is made by pfnNewTemp, which must not take ownership of the handle, and
// deleted by pfnDeleteTemp, which must clear the wrapper's handles before deleting it so the
// handle survives.
template <class THandle, class TObject>
class CHandleMap : public CHandleMapBase
{
public:
    typedef TObject* (*PFN_NEW_TEMP)(THandle h);
    typedef void (*PFN_DELETE_TEMP)(TObject* pObject);

    CHandleMap(PFN_NEW_TEMP pfnNewTemp, PFN_DELETE_TEMP pfnDeleteTemp)
        : m_pfnNewTemp(pfnNewTemp), m_pfnDeleteTemp(pfnDeleteTemp) {}
    ~CHandleMap() override { DeleteTemp(); }
    CHandleMap(const CHandleMap&) = delete;
    CHandleMap& operator=(const CHandleMap&) = delete;

    // The permanent object of h, else its temporary wrapper (made now if needed). NULL for a
    // NULL handle or when memory runs out.
    TObject* FromHandle(THandle h)
    {
        if (h == NULL)
            return NULL;
        if (TObject* p = LookupPermanent(h))
            return p;
        if (TObject* p = LookupTemporary(h))
            return p;
        TObject* pTemp = NULL;
        try {
            pTemp = m_pfnNewTemp(h);
            if (pTemp)
                m_temporary.emplace(h, pTemp);
        } catch (...) {
            if (pTemp)
                m_pfnDeleteTemp(pTemp);
            return NULL;
        }
        return pTemp;
    }

    TObject* LookupPermanent(THandle h) const { return Lookup(m_permanent, h); }
    TObject* LookupTemporary(THandle h) const { return Lookup(m_temporary, h); }

    // Records pObject as the owner of h, replacing an earlier owner. FALSE when out of memory.
    BOOL SetPermanent(THandle h, TObject* pObject)
    {
        try {
            m_permanent[h] = pObject;
        } catch (...) {
            return FALSE;
        }
        return TRUE;
    }

    // Forgets the permanent entry of h if it is pObject (another object may have attached the
    // same handle since).
    void RemoveHandle(THandle h, const TObject* pObject)
    {
        auto it = m_permanent.find(h);
        if (it != m_permanent.end() && it->second == pObject)
            m_permanent.erase(it);
    }

    // Forgets the temporary wrapper pObject of h without deleting it (it is being deleted by
    // someone else); FALSE when pObject is not h's temporary wrapper.
    BOOL RemoveTemporary(THandle h, const TObject* pObject)
    {
        auto it = m_temporary.find(h);
        if (it == m_temporary.end() || it->second != pObject)
            return FALSE;
        m_temporary.erase(it);
        return TRUE;
    }

    // Deletes every temporary wrapper. The table is emptied first, so a wrapper's destructor
    // that looks into the map finds itself gone.
    void DeleteTemp() override
    {
        std::unordered_map<THandle, TObject*> temporary;
        temporary.swap(m_temporary);
        for (auto& entry : temporary)
            m_pfnDeleteTemp(entry.second);
    }

    size_t GetPermanentCount() const { return m_permanent.size(); }
    size_t GetTemporaryCount() const { return m_temporary.size(); }

private:
    static TObject* Lookup(const std::unordered_map<THandle, TObject*>& table, THandle h)
    {
        auto it = table.find(h);
        return it == table.end() ? NULL : it->second;
    }

    PFN_NEW_TEMP m_pfnNewTemp;
    PFN_DELETE_TEMP m_pfnDeleteTemp;
    std::unordered_map<THandle, TObject*> m_permanent;
    std::unordered_map<THandle, TObject*> m_temporary;
};

// This thread's map of kind TMap (a CHandleMap) in nSlot. When there is none yet and bCreate is
// TRUE, it is made with pfnNewTemp and pfnDeleteTemp as its temporary-wrapper functions.
template <class TMap, int nSlot, typename TMap::PFN_NEW_TEMP pfnNewTemp,
          typename TMap::PFN_DELETE_TEMP pfnDeleteTemp>
TMap* AfxThreadHandleMap(BOOL bCreate)
{
    struct CMaker
    {
        static CHandleMapBase* New() { return new TMap(pfnNewTemp, pfnDeleteTemp); }
    };
    return static_cast<TMap*>(AfxGetThreadHandleMap(nSlot, bCreate ? &CMaker::New : NULL));
}

// Temporary wrappers whose handle is one member: a new TObject with the member set, which is
// cleared again before deletion so the handle, not ours to destroy, survives.
template <class THandle, class TObject, THandle TObject::*pmHandle>
struct CTempWrapper
{
    static TObject* New(THandle h)
    {
        TObject* pObject = new TObject;
        pObject->*pmHandle = h;
        return pObject;
    }
    static void Delete(TObject* pObject)
    {
        pObject->*pmHandle = NULL;
        delete pObject;
    }
};
