// The hash-map family: CMapPtrToPtr, CMapWordToPtr, CMapStringToPtr and CMapStringToOb, with
// chained buckets and associations taken from blocks.
#include <afxcoll.h>

#include <string.h>

#include "Plex.h"

using afx_detail::NewElement;

namespace {

inline UINT HashOf(WORD key) { return key; }
inline UINT HashOf(void* key) { return (UINT)((UINT_PTR)key >> 4); }
inline UINT HashOf(LPCTSTR key) {
  UINT nHash = 0;
  if (key != NULL) {
    for (const unsigned char* p = (const unsigned char*)key; *p != '\0'; ++p)
      nHash = (nHash << 5) + nHash + *p;
  }
  return nHash;
}

inline bool KeyEquals(WORD a, WORD b) { return a == b; }
inline bool KeyEquals(void* a, void* b) { return a == b; }
inline bool KeyEquals(const CString& a, LPCTSTR b) { return strcmp(a, b != NULL ? b : "") == 0; }

// The members every map class has, seen through references.
template <class Assoc, class KeyArg, class Value>
class MapCore {
 public:
  MapCore(Assoc**& pHashTable, UINT& nHashTableSize, INT_PTR& nCount, Assoc*& pFreeList,
          CPlex*& pBlocks, INT_PTR nBlockSize)
      : m_pHashTable(pHashTable), m_nHashTableSize(nHashTableSize), m_nCount(nCount),
        m_pFreeList(pFreeList), m_pBlocks(pBlocks), m_nBlockSize(nBlockSize) {}

  Assoc* Find(KeyArg key, UINT nHash) const {
    if (m_pHashTable == NULL)
      return NULL;
    for (Assoc* p = m_pHashTable[nHash % m_nHashTableSize]; p != NULL; p = p->pNext) {
      if (p->nHashValue == nHash && KeyEquals(p->key, key))
        return p;
    }
    return NULL;
  }

  Value& Get(KeyArg key) {
    UINT nHash = HashOf(key);
    if (Assoc* p = Find(key, nHash))
      return p->value;
    if (m_pHashTable == NULL)
      AllocTable(m_nHashTableSize);
    Assoc* pAssoc = NewElement(m_pFreeList, m_pBlocks, m_nBlockSize);
    new (&pAssoc->key) decltype(pAssoc->key)(key);
    pAssoc->value = Value();
    pAssoc->nHashValue = nHash;
    UINT nBucket = nHash % m_nHashTableSize;
    pAssoc->pNext = m_pHashTable[nBucket];
    m_pHashTable[nBucket] = pAssoc;
    ++m_nCount;
    return pAssoc->value;
  }

  bool Remove(KeyArg key) {
    if (m_pHashTable == NULL)
      return false;
    UINT nHash = HashOf(key);
    for (Assoc** pp = &m_pHashTable[nHash % m_nHashTableSize]; *pp != NULL; pp = &(*pp)->pNext) {
      Assoc* p = *pp;
      if (p->nHashValue == nHash && KeyEquals(p->key, key)) {
        *pp = p->pNext;
        FreeAssoc(p);
        return true;
      }
    }
    return false;
  }

  void RemoveAll() {
    if (m_pHashTable != NULL) {
      typedef decltype(((Assoc*)NULL)->key) Key;
      for (UINT i = 0; i < m_nHashTableSize; ++i) {
        for (Assoc* p = m_pHashTable[i]; p != NULL; p = p->pNext)
          p->key.~Key();
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

  void InitHashTable(UINT nHashSize, BOOL bAllocNow) {
    if (m_nCount != 0 || nHashSize == 0) {
      ASSERT(m_nCount == 0 && nHashSize != 0);
      return;
    }
    free(m_pHashTable);
    m_pHashTable = NULL;
    m_nHashTableSize = nHashSize;
    if (bAllocNow)
      AllocTable(nHashSize);
  }

  // The association after pAssoc (or the first one, before the start), in bucket order.
  Assoc* Next(Assoc* pAssoc) const {
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

 private:
  void AllocTable(UINT nHashSize) {
    if ((size_t)nHashSize > ((size_t)-1) / 2 / sizeof(Assoc*))
      AfxThrowMemoryException();
    m_pHashTable = (Assoc**)calloc(nHashSize, sizeof(Assoc*));
    if (m_pHashTable == NULL)
      AfxThrowMemoryException();
    m_nHashTableSize = nHashSize;
  }

  void FreeAssoc(Assoc* pAssoc) {
    typedef decltype(pAssoc->key) Key;
    pAssoc->key.~Key();
    pAssoc->pNext = m_pFreeList;
    m_pFreeList = pAssoc;
    // The last association gone: give every block back.
    if (--m_nCount == 0)
      RemoveAll();
  }

  Assoc**& m_pHashTable;
  UINT& m_nHashTableSize;
  INT_PTR& m_nCount;
  Assoc*& m_pFreeList;
  CPlex*& m_pBlocks;
  INT_PTR m_nBlockSize;
};

}  // namespace

#define AFX_MAP_CORE(KEY_ARG, VALUE)                                                         \
  MapCore<CAssoc, KEY_ARG, VALUE>(m_pHashTable, m_nHashTableSize, m_nCount, m_pFreeList,    \
                                  m_pBlocks, m_nBlockSize)
#define AFX_CONST_MAP_CORE(CLASS, KEY_ARG, VALUE)                                            \
  MapCore<CAssoc, KEY_ARG, VALUE>(const_cast<CLASS*>(this)->m_pHashTable,                   \
                                  const_cast<CLASS*>(this)->m_nHashTableSize,               \
                                  const_cast<CLASS*>(this)->m_nCount,                       \
                                  const_cast<CLASS*>(this)->m_pFreeList,                    \
                                  const_cast<CLASS*>(this)->m_pBlocks, m_nBlockSize)

// Every map's members.
#define AFX_IMPLEMENT_MAP(CLASS, KEY_ARG, KEY_RET, VALUE)                                    \
  CLASS::CLASS(INT_PTR nBlockSize)                                                          \
      : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0), m_pFreeList(NULL),           \
        m_pBlocks(NULL), m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}                  \
  CLASS::~CLASS() { RemoveAll(); }                                                          \
  void CLASS::RemoveAll() { AFX_MAP_CORE(KEY_ARG, VALUE).RemoveAll(); }                     \
  BOOL CLASS::Lookup(KEY_ARG key, VALUE& rValue) const {                                    \
    CAssoc* pAssoc = AFX_CONST_MAP_CORE(CLASS, KEY_ARG, VALUE).Find(key, HashKey(key));      \
    if (pAssoc == NULL)                                                                     \
      return FALSE;                                                                         \
    rValue = pAssoc->value;                                                                 \
    return TRUE;                                                                            \
  }                                                                                         \
  VALUE& CLASS::operator[](KEY_ARG key) { return AFX_MAP_CORE(KEY_ARG, VALUE).Get(key); }   \
  BOOL CLASS::RemoveKey(KEY_ARG key) { return AFX_MAP_CORE(KEY_ARG, VALUE).Remove(key); }   \
  void CLASS::GetNextAssoc(POSITION& rNextPosition, KEY_RET& rKey, VALUE& rValue) const {   \
    MapCore<CAssoc, KEY_ARG, VALUE> core = AFX_CONST_MAP_CORE(CLASS, KEY_ARG, VALUE);        \
    CAssoc* pAssoc = (CAssoc*)rNextPosition;                                                \
    if (pAssoc == NULL) {                                                                   \
      ASSERT(FALSE);                                                                        \
      return;                                                                               \
    }                                                                                       \
    if (pAssoc == (CAssoc*)BEFORE_START_POSITION) {                                         \
      pAssoc = core.Next(NULL);                                                             \
      if (pAssoc == NULL) {                                                                 \
        rNextPosition = NULL;                                                               \
        return;                                                                             \
      }                                                                                     \
    }                                                                                       \
    rNextPosition = (POSITION)core.Next(pAssoc);                                            \
    rKey = pAssoc->key;                                                                     \
    rValue = pAssoc->value;                                                                 \
  }                                                                                         \
  void CLASS::InitHashTable(UINT hashSize, BOOL bAllocNow) {                                \
    AFX_MAP_CORE(KEY_ARG, VALUE).InitHashTable(hashSize, bAllocNow);                        \
  }                                                                                         \
  UINT CLASS::HashKey(KEY_ARG key) const { return HashOf(key); }                            \
  void CLASS::AssertValid() const {                                                         \
    CObject::AssertValid();                                                                 \
    ASSERT(m_nHashTableSize > 0);                                                           \
    ASSERT(m_nCount == 0 || m_pHashTable != NULL);                                          \
  }

AFX_IMPLEMENT_MAP(CMapWordToPtr, WORD, WORD, void*)
AFX_IMPLEMENT_MAP(CMapPtrToPtr, void*, void*, void*)
AFX_IMPLEMENT_MAP(CMapStringToPtr, LPCTSTR, CString, void*)
AFX_IMPLEMENT_MAP(CMapStringToOb, LPCTSTR, CString, CObject*)

#undef AFX_IMPLEMENT_MAP
#undef AFX_CONST_MAP_CORE
#undef AFX_MAP_CORE

IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)

// A count, then each key and its object.
void CMapStringToOb::Serialize(CArchive& ar) {
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
