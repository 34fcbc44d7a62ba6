// Maps from Windows handles to the layer's wrapper objects, one set per thread: a permanent
// table for objects that made or attached a handle, and a temporary table for wrappers that
// FromHandle makes on demand and AfxUnlockTempMaps deletes.
#pragma once
#include <afx.h>

#include <stdint.h>
#include <string.h>

#include <new>

// What AfxUnlockTempMaps and thread exit need from every map, whatever its types.
class CHandleMapBase
{
public:
    virtual ~CHandleMapBase() {}
    virtual void DeleteTemp() = 0;
};

// One map of each kind per thread, in these slots.
enum AfxHandleMapSlot {
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

// A table from handles to objects with open addressing: a lookup or an update touches one short
// run of slots and never allocates, which matters because every selection into a device
// context asks the map for the wrapper of the object it replaced. The capacity is a power of two
// kept at least twice the count; a NULL key marks a free slot (NULL handles are never stored).
template <class THandle, class TObject> class CHandleTable
{
public:
    CHandleTable() {}
    ~CHandleTable() { delete[] m_pSlots; }
    CHandleTable(const CHandleTable&) = delete;
    CHandleTable& operator=(const CHandleTable&) = delete;

    TObject* Find(THandle h) const
    {
        if (m_nCount == 0)
            return NULL;
        for (size_t i = Home(h);; i = (i + 1) & m_nMask) {
            if (m_pSlots[i].key == h)
                return m_pSlots[i].value;
            if (m_pSlots[i].key == NULL)
                return NULL;
        }
    }

    // Sets the object of h, replacing an earlier one. FALSE when out of memory.
    BOOL Set(THandle h, TObject* pObject)
    {
        if ((m_nCount + 1) * 2 > m_nMask + 1 && !Grow())
            return FALSE;
        size_t i = Home(h);
        while (m_pSlots[i].key != NULL && m_pSlots[i].key != h)
            i = (i + 1) & m_nMask;
        if (m_pSlots[i].key == NULL)
            ++m_nCount;
        m_pSlots[i].key = h;
        m_pSlots[i].value = pObject;
        return TRUE;
    }

    // Removes h when its object is pObject; FALSE otherwise.
    BOOL Remove(THandle h, const TObject* pObject)
    {
        if (m_nCount == 0)
            return FALSE;
        size_t i = Home(h);
        while (m_pSlots[i].key != h) {
            if (m_pSlots[i].key == NULL)
                return FALSE;
            i = (i + 1) & m_nMask;
        }
        if (m_pSlots[i].value != pObject)
            return FALSE;
        // Backward shift: later entries of the run move up so that no probe stops early.
        for (size_t j = (i + 1) & m_nMask; m_pSlots[j].key != NULL; j = (j + 1) & m_nMask) {
            const size_t home = Home(m_pSlots[j].key);
            // The entry at j may fill the hole at i when its home is not in (i, j] cyclically.
            if (((j - home) & m_nMask) >= ((j - i) & m_nMask)) {
                m_pSlots[i] = m_pSlots[j];
                i = j;
            }
        }
        m_pSlots[i].key = NULL;
        m_pSlots[i].value = NULL;
        --m_nCount;
        return TRUE;
    }

    size_t GetCount() const { return m_nCount; }

    // Moves every entry into out, which must be empty; this table is left empty.
    void MoveTo(CHandleTable& out)
    {
        out.m_pSlots = m_pSlots;
        out.m_nMask = m_nMask;
        out.m_nCount = m_nCount;
        m_pSlots = NULL;
        m_nMask = 0;
        m_nCount = 0;
    }

    template <class Visit> void ForEach(Visit visit) const
    {
        if (m_pSlots == NULL)
            return;
        for (size_t i = 0; i <= m_nMask; ++i)
            if (m_pSlots[i].key != NULL)
                visit(m_pSlots[i].key, m_pSlots[i].value);
    }

private:
    struct Slot {
        THandle key;
        TObject* value;
    };

    size_t Home(THandle h) const
    {
        // Handles are multiples of small powers of two: mix the bits before masking.
        uint64_t v = (uint64_t)(uintptr_t)h * 0x9E3779B97F4A7C15ull;
        return (size_t)(v >> 32) & m_nMask;
    }

    BOOL Grow()
    {
        const size_t nNew = m_pSlots == NULL ? 64 : (m_nMask + 1) * 2;
        Slot* pNew = new (std::nothrow) Slot[nNew];
        if (pNew == NULL)
            return FALSE;
        memset(pNew, 0, nNew * sizeof(Slot));
        Slot* pOld = m_pSlots;
        const size_t nOld = pOld == NULL ? 0 : m_nMask + 1;
        m_pSlots = pNew;
        m_nMask = nNew - 1;
        m_nCount = 0;
        for (size_t i = 0; i < nOld; ++i)
            if (pOld[i].key != NULL)
                Set(pOld[i].key, pOld[i].value);
        delete[] pOld;
        return TRUE;
    }

    Slot* m_pSlots = NULL;
    size_t m_nMask = 0;
    size_t m_nCount = 0;
};

// THandle is the handle type (HGDIOBJ, HDC, HWND ...), TObject the wrapper's base class.
// A temporary wrapper is made by pfnNewTemp, which must not take ownership of the handle, and
// deleted by pfnDeleteTemp, which must clear the wrapper's handles before deleting it so the
// handle survives.
template <class THandle, class TObject> class CHandleMap : public CHandleMapBase
{
public:
    typedef TObject* (*PFN_NEW_TEMP)(THandle h);
    typedef void (*PFN_DELETE_TEMP)(TObject* pObject);

    CHandleMap(PFN_NEW_TEMP pfnNewTemp, PFN_DELETE_TEMP pfnDeleteTemp)
        : m_pfnNewTemp(pfnNewTemp), m_pfnDeleteTemp(pfnDeleteTemp)
    {}
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
        } catch (...) {
            return NULL;
        }
        if (pTemp != NULL && !m_temporary.Set(h, pTemp)) {
            m_pfnDeleteTemp(pTemp);
            return NULL;
        }
        return pTemp;
    }

    TObject* LookupPermanent(THandle h) const { return m_permanent.Find(h); }
    TObject* LookupTemporary(THandle h) const { return m_temporary.Find(h); }

    // Records pObject as the owner of h, replacing an earlier owner. FALSE when out of memory.
    BOOL SetPermanent(THandle h, TObject* pObject) { return m_permanent.Set(h, pObject); }

    // Forgets the permanent entry of h if it is pObject (another object may have attached the
    // same handle since).
    void RemoveHandle(THandle h, const TObject* pObject) { m_permanent.Remove(h, pObject); }

    // Forgets the temporary wrapper pObject of h without deleting it (it is being deleted by
    // someone else); FALSE when pObject is not h's temporary wrapper.
    BOOL RemoveTemporary(THandle h, const TObject* pObject)
    {
        return m_temporary.Remove(h, pObject);
    }

    // Deletes every temporary wrapper. The table is emptied first, so a wrapper's destructor
    // that looks into the map finds itself gone.
    void DeleteTemp() override
    {
        CHandleTable<THandle, TObject> temporary;
        m_temporary.MoveTo(temporary);
        temporary.ForEach([this](THandle, TObject* pObject) { m_pfnDeleteTemp(pObject); });
    }

    size_t GetPermanentCount() const { return m_permanent.GetCount(); }
    size_t GetTemporaryCount() const { return m_temporary.GetCount(); }

private:
    PFN_NEW_TEMP m_pfnNewTemp;
    PFN_DELETE_TEMP m_pfnDeleteTemp;
    CHandleTable<THandle, TObject> m_permanent;
    CHandleTable<THandle, TObject> m_temporary;
};

// This thread's map of kind TMap (a CHandleMap) in nSlot. When there is none yet and bCreate is
// TRUE, it is made with pfnNewTemp and pfnDeleteTemp as its temporary-wrapper functions.
template <class TMap, int nSlot, typename TMap::PFN_NEW_TEMP pfnNewTemp,
          typename TMap::PFN_DELETE_TEMP pfnDeleteTemp>
TMap* AfxThreadHandleMap(BOOL bCreate)
{
    struct CMaker {
        static CHandleMapBase* New() { return new TMap(pfnNewTemp, pfnDeleteTemp); }
    };
    return static_cast<TMap*>(AfxGetThreadHandleMap(nSlot, bCreate ? &CMaker::New : NULL));
}

// Temporary wrappers whose handle is one member: a new TObject with the member set, which is
// cleared again before deletion so the handle, not ours to destroy, survives.
template <class THandle, class TObject, THandle TObject::*pmHandle> struct CTempWrapper {
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
