// The hash-map family: CMapPtrToPtr, CMapWordToPtr, CMapStringToPtr and CMapStringToOb, with
// chained buckets and associations taken from blocks.
#include <afxcoll.h>

#include <string.h>

#include "Plex.h"

namespace afx_detail {

namespace {
inline UINT HashOf(WORD key)
{
    return key;
}
inline UINT HashOf(void* key)
{
    return (UINT)((UINT_PTR)key >> 4);
}
inline UINT HashOf(LPCTSTR key)
{
    UINT nHash = 0;
    if (key != NULL) {
        for (const unsigned char* p = (const unsigned char*)key; *p != '\0'; ++p)
            nHash = (nHash << 5) + nHash + *p;
    }
    return nHash;
}

inline bool KeyEquals(WORD a, WORD b)
{
    return a == b;
}
inline bool KeyEquals(void* a, void* b)
{
    return a == b;
}
inline bool KeyEquals(const CString& a, LPCTSTR b)
{
    return strcmp(a, b != NULL ? b : "") == 0;
}
}  // namespace

template <class KEY, class ARG_KEY, class VALUE>
CMapImpl<KEY, ARG_KEY, VALUE>::CMapImpl(INT_PTR nBlockSize)
    : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0), m_pFreeList(NULL), m_pBlocks(NULL),
      m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)
{}

template <class KEY, class ARG_KEY, class VALUE> CMapImpl<KEY, ARG_KEY, VALUE>::~CMapImpl()
{
    RemoveAll();
}

template <class KEY, class ARG_KEY, class VALUE>
auto CMapImpl<KEY, ARG_KEY, VALUE>::FindAssoc(ARG_KEY key, UINT nHash) const -> CAssoc*
{
    if (m_pHashTable == NULL)
        return NULL;
    for (CAssoc* p = m_pHashTable[nHash % m_nHashTableSize]; p != NULL; p = p->pNext) {
        if (p->nHashValue == nHash && KeyEquals(p->key, key))
            return p;
    }
    return NULL;
}

template <class KEY, class ARG_KEY, class VALUE>
BOOL CMapImpl<KEY, ARG_KEY, VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    CAssoc* pAssoc = FindAssoc(key, HashKey(key));
    if (pAssoc == NULL)
        return FALSE;
    rValue = pAssoc->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE>
VALUE& CMapImpl<KEY, ARG_KEY, VALUE>::operator[](ARG_KEY key)
{
    UINT nHash = HashOf(key);
    if (CAssoc* p = FindAssoc(key, nHash))
        return p->value;
    if (m_pHashTable == NULL)
        AllocHashTable(m_nHashTableSize);
    CAssoc* pAssoc = NewElement(m_pFreeList, m_pBlocks, m_nBlockSize);
    new (&pAssoc->key) KEY(key);
    pAssoc->value = VALUE();
    pAssoc->nHashValue = nHash;
    UINT nBucket = nHash % m_nHashTableSize;
    pAssoc->pNext = m_pHashTable[nBucket];
    m_pHashTable[nBucket] = pAssoc;
    ++m_nCount;
    return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE>
BOOL CMapImpl<KEY, ARG_KEY, VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == NULL)
        return FALSE;
    UINT nHash = HashOf(key);
    for (CAssoc** pp = &m_pHashTable[nHash % m_nHashTableSize]; *pp != NULL; pp = &(*pp)->pNext) {
        CAssoc* p = *pp;
        if (p->nHashValue == nHash && KeyEquals(p->key, key)) {
            *pp = p->pNext;
            FreeAssoc(p);
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE> void CMapImpl<KEY, ARG_KEY, VALUE>::RemoveAll()
{
    if (m_pHashTable != NULL) {
        for (UINT i = 0; i < m_nHashTableSize; ++i) {
            for (CAssoc* p = m_pHashTable[i]; p != NULL; p = p->pNext)
                p->key.~KEY();
        }
        free(m_pHashTable);
    }
    m_pHashTable = NULL;
    m_nCount = 0;
    m_pFreeList = NULL;
    if (m_pBlocks != NULL)
        m_pBlocks->FreeDataChain();
    m_pBlocks = NULL;
}

template <class KEY, class ARG_KEY, class VALUE>
auto CMapImpl<KEY, ARG_KEY, VALUE>::NextAssoc(const CAssoc* pAssoc) const -> CAssoc*
{
    if (m_pHashTable == NULL)
        return NULL;
    UINT nBucket = 0;
    if (pAssoc != NULL) {
        if (pAssoc->pNext != NULL)
            return pAssoc->pNext;
        nBucket = pAssoc->nHashValue % m_nHashTableSize + 1;
    }
    for (; nBucket < m_nHashTableSize; ++nBucket) {
        if (m_pHashTable[nBucket] != NULL)
            return m_pHashTable[nBucket];
    }
    return NULL;
}

// A NULL position asserts in debug builds and does nothing in release.
template <class KEY, class ARG_KEY, class VALUE>
void CMapImpl<KEY, ARG_KEY, VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey,
                                                 VALUE& rValue) const
{
    CAssoc* pAssoc = (CAssoc*)rNextPosition;
    if (pAssoc == NULL) {
        ASSERT(FALSE);
        return;
    }
    if (pAssoc == (CAssoc*)BEFORE_START_POSITION) {
        pAssoc = NextAssoc(NULL);
        if (pAssoc == NULL) {
            rNextPosition = NULL;
            return;
        }
    }
    rNextPosition = (POSITION)NextAssoc(pAssoc);
    rKey = pAssoc->key;
    rValue = pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE>
void CMapImpl<KEY, ARG_KEY, VALUE>::InitHashTable(UINT hashSize, BOOL bAllocNow)
{
    if (m_nCount != 0 || hashSize == 0) {
        ASSERT(m_nCount == 0 && hashSize != 0);
        return;
    }
    free(m_pHashTable);
    m_pHashTable = NULL;
    m_nHashTableSize = hashSize;
    if (bAllocNow)
        AllocHashTable(hashSize);
}

template <class KEY, class ARG_KEY, class VALUE>
UINT CMapImpl<KEY, ARG_KEY, VALUE>::HashKey(ARG_KEY key) const
{
    return HashOf(key);
}

template <class KEY, class ARG_KEY, class VALUE>
void CMapImpl<KEY, ARG_KEY, VALUE>::AllocHashTable(UINT nHashSize)
{
    if ((size_t)nHashSize > ((size_t)-1) / 2 / sizeof(CAssoc*))
        AfxThrowMemoryException();
    m_pHashTable = (CAssoc**)calloc(nHashSize, sizeof(CAssoc*));
    if (m_pHashTable == NULL)
        AfxThrowMemoryException();
    m_nHashTableSize = nHashSize;
}

template <class KEY, class ARG_KEY, class VALUE>
void CMapImpl<KEY, ARG_KEY, VALUE>::FreeAssoc(CAssoc* pAssoc)
{
    pAssoc->key.~KEY();
    pAssoc->pNext = m_pFreeList;
    m_pFreeList = pAssoc;
    // The last association gone: give every block back.
    if (--m_nCount == 0)
        RemoveAll();
}

template <class KEY, class ARG_KEY, class VALUE>
void CMapImpl<KEY, ARG_KEY, VALUE>::AssertValid() const
{
    CObject::AssertValid();
    ASSERT(m_nHashTableSize > 0);
    ASSERT(m_nCount == 0 || m_pHashTable != NULL);
}

template class CMapImpl<WORD, WORD, void*>;
template class CMapImpl<void*, void*, void*>;
template class CMapImpl<CString, LPCTSTR, void*>;
template class CMapImpl<CString, LPCTSTR, CObject*>;

}  // namespace afx_detail

CMapWordToPtr::CMapWordToPtr(INT_PTR nBlockSize) : CMapImpl(nBlockSize) {}
CMapWordToPtr::~CMapWordToPtr() {}
CMapPtrToPtr::CMapPtrToPtr(INT_PTR nBlockSize) : CMapImpl(nBlockSize) {}
CMapPtrToPtr::~CMapPtrToPtr() {}
CMapStringToPtr::CMapStringToPtr(INT_PTR nBlockSize) : CMapImpl(nBlockSize) {}
CMapStringToPtr::~CMapStringToPtr() {}
CMapStringToOb::CMapStringToOb(INT_PTR nBlockSize) : CMapImpl(nBlockSize) {}
CMapStringToOb::~CMapStringToOb() {}

IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)

// A count, then each key and its object.
void CMapStringToOb::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD_PTR)m_nCount);
        POSITION pos = GetStartPosition();
        while (pos != NULL) {
            CString key;
            CObject* pOb;
            GetNextAssoc(pos, key, pOb);
            ar << key << pOb;
        }
    } else {
        DWORD_PTR nCount = ar.ReadCount();
        for (DWORD_PTR i = 0; i < nCount; ++i) {
            CString key;
            CObject* pOb;
            ar >> key >> pOb;
            SetAt(key, pOb);
        }
    }
}
