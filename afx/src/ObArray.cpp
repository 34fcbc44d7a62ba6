// The array family: CObArray, CPtrArray, CStringArray and the number arrays (CByteArray,
// CWordArray, CDWordArray, CUIntArray), all built on one growable-array core.
#include <afxcoll.h>

#include <stdint.h>
#include <string.h>

#include "Plex.h"

using afx_detail::EmptyValue;
using afx_detail::ScratchValue;

namespace {

// The members every array class has, seen through references. Elements are constructed and
// destroyed one by one but moved with memmove: every element type here (numbers, pointers and
// CString, a single pointer) may be relocated bytewise.
template <class T>
class ArrayCore {
 public:
  ArrayCore(T*& pData, INT_PTR& nSize, INT_PTR& nMaxSize, INT_PTR& nGrowBy)
      : m_pData(pData), m_nSize(nSize), m_nMaxSize(nMaxSize), m_nGrowBy(nGrowBy) {}

  bool IsValid(INT_PTR nIndex) const { return nIndex >= 0 && nIndex < m_nSize; }

  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy) {
    if (nNewSize < 0) {
      ASSERT(FALSE);
      return;
    }
    if (nGrowBy >= 0)
      m_nGrowBy = nGrowBy;
    if (nNewSize == 0) {
      Destroy(0, m_nSize);
      free(m_pData);
      m_pData = NULL;
      m_nSize = m_nMaxSize = 0;
      return;
    }
    if (nNewSize <= m_nMaxSize) {
      if (nNewSize > m_nSize)
        Construct(m_nSize, nNewSize - m_nSize);
      else
        Destroy(nNewSize, m_nSize - nNewSize);
      m_nSize = nNewSize;
      return;
    }
    INT_PTR nNewMax;
    if (m_pData == NULL) {
      nNewMax = nNewSize > m_nGrowBy ? nNewSize : m_nGrowBy;
    } else {
      INT_PTR nGrow = m_nGrowBy;
      if (nGrow == 0) {
        nGrow = m_nSize / 8;
        nGrow = nGrow < 4 ? 4 : (nGrow > 1024 ? 1024 : nGrow);
      }
      nNewMax = nNewSize < m_nMaxSize + nGrow ? m_nMaxSize + nGrow : nNewSize;
    }
    if ((size_t)nNewMax > SIZE_MAX / 2 / sizeof(T))
      AfxThrowMemoryException();
    T* pNewData = (T*)malloc((size_t)nNewMax * sizeof(T));
    if (pNewData == NULL)
      AfxThrowMemoryException();
    if (m_nSize > 0)
      memcpy((void*)pNewData, (const void*)m_pData, (size_t)m_nSize * sizeof(T));
    free(m_pData);
    m_pData = pNewData;
    m_nMaxSize = nNewMax;
    Construct(m_nSize, nNewSize - m_nSize);
    m_nSize = nNewSize;
  }

  void FreeExtra() {
    if (m_nSize == m_nMaxSize)
      return;
    if (m_nSize == 0) {
      SetSize(0, -1);
      return;
    }
    T* pNewData = (T*)malloc((size_t)m_nSize * sizeof(T));
    if (pNewData == NULL)
      AfxThrowMemoryException();
    memcpy((void*)pNewData, (const void*)m_pData, (size_t)m_nSize * sizeof(T));
    free(m_pData);
    m_pData = pNewData;
    m_nMaxSize = m_nSize;
  }

  // Opens nCount fresh elements at nIndex, growing the array when nIndex is past the end.
  bool OpenGap(INT_PTR nIndex, INT_PTR nCount) {
    if (nIndex < 0 || nCount <= 0) {
      ASSERT(nIndex >= 0 && nCount > 0);
      return false;
    }
    if (nIndex >= m_nSize) {
      SetSize(nIndex + nCount, -1);
      return true;
    }
    INT_PTR nOldSize = m_nSize;
    SetSize(m_nSize + nCount, -1);
    Destroy(nOldSize, nCount);
    memmove((void*)(m_pData + nIndex + nCount), (const void*)(m_pData + nIndex),
            (size_t)(nOldSize - nIndex) * sizeof(T));
    Construct(nIndex, nCount);
    return true;
  }

  void RemoveAt(INT_PTR nIndex, INT_PTR nCount) {
    if (nIndex < 0 || nCount < 0 || nIndex > m_nSize || nCount > m_nSize - nIndex) {
      ASSERT(FALSE);
      return;
    }
    Destroy(nIndex, nCount);
    memmove((void*)(m_pData + nIndex), (const void*)(m_pData + nIndex + nCount),
            (size_t)(m_nSize - nIndex - nCount) * sizeof(T));
    m_nSize -= nCount;
  }

 private:
  void Construct(INT_PTR nFirst, INT_PTR nCount) {
    for (INT_PTR i = 0; i < nCount; ++i)
      new (m_pData + nFirst + i) T();
  }
  void Destroy(INT_PTR nFirst, INT_PTR nCount) {
    for (INT_PTR i = 0; i < nCount; ++i)
      m_pData[nFirst + i].~T();
  }

  T*& m_pData;
  INT_PTR& m_nSize;
  INT_PTR& m_nMaxSize;
  INT_PTR& m_nGrowBy;
};

}  // namespace

// Every array's members. A new element is copied before the array moves, since it may be a
// reference into the array itself.
#define AFX_IMPLEMENT_ARRAY(CLASS, TYPE, ARG_TYPE, RET_TYPE)                                 \
  CLASS::CLASS() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}                \
  CLASS::~CLASS() { SetSize(0, -1); }                                                       \
  void CLASS::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy) {                                  \
    ArrayCore<TYPE>(m_pData, m_nSize, m_nMaxSize, m_nGrowBy).SetSize(nNewSize, nGrowBy);    \
  }                                                                                         \
  void CLASS::FreeExtra() {                                                                 \
    ArrayCore<TYPE>(m_pData, m_nSize, m_nMaxSize, m_nGrowBy).FreeExtra();                   \
  }                                                                                         \
  RET_TYPE CLASS::GetAt(INT_PTR nIndex) const {                                             \
    if (nIndex < 0 || nIndex >= m_nSize) {                                                  \
      ASSERT(FALSE);                                                                        \
      return EmptyValue<TYPE>();                                                            \
    }                                                                                       \
    return m_pData[nIndex];                                                                 \
  }                                                                                         \
  void CLASS::SetAt(INT_PTR nIndex, ARG_TYPE newElement) {                                  \
    if (nIndex < 0 || nIndex >= m_nSize) {                                                  \
      ASSERT(FALSE);                                                                        \
      return;                                                                               \
    }                                                                                       \
    m_pData[nIndex] = newElement;                                                           \
  }                                                                                         \
  TYPE& CLASS::ElementAt(INT_PTR nIndex) {                                                  \
    if (nIndex < 0 || nIndex >= m_nSize) {                                                  \
      ASSERT(FALSE);                                                                        \
      return ScratchValue<TYPE>();                                                          \
    }                                                                                       \
    return m_pData[nIndex];                                                                 \
  }                                                                                         \
  void CLASS::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {                              \
    if (nIndex < 0) {                                                                       \
      ASSERT(FALSE);                                                                        \
      return;                                                                               \
    }                                                                                       \
    TYPE element(newElement);                                                               \
    if (nIndex >= m_nSize)                                                                  \
      SetSize(nIndex + 1, -1);                                                              \
    m_pData[nIndex] = element;                                                              \
  }                                                                                         \
  INT_PTR CLASS::Add(ARG_TYPE newElement) {                                                 \
    INT_PTR nIndex = m_nSize;                                                               \
    SetAtGrow(nIndex, newElement);                                                          \
    return nIndex;                                                                          \
  }                                                                                         \
  INT_PTR CLASS::Append(const CLASS& src) {                                                 \
    INT_PTR nOldSize = m_nSize;                                                             \
    INT_PTR nCount = src.m_nSize;                                                           \
    SetSize(m_nSize + nCount, -1);                                                          \
    for (INT_PTR i = 0; i < nCount; ++i)                                                    \
      m_pData[nOldSize + i] = src.m_pData[i];                                               \
    return nOldSize;                                                                        \
  }                                                                                         \
  void CLASS::Copy(const CLASS& src) {                                                      \
    if (this == &src)                                                                       \
      return;                                                                               \
    SetSize(src.m_nSize, -1);                                                               \
    for (INT_PTR i = 0; i < src.m_nSize; ++i)                                               \
      m_pData[i] = src.m_pData[i];                                                          \
  }                                                                                         \
  void CLASS::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount) {               \
    TYPE element(newElement);                                                               \
    if (!ArrayCore<TYPE>(m_pData, m_nSize, m_nMaxSize, m_nGrowBy).OpenGap(nIndex, nCount))  \
      return;                                                                               \
    for (INT_PTR i = 0; i < nCount; ++i)                                                    \
      m_pData[nIndex + i] = element;                                                        \
  }                                                                                         \
  void CLASS::InsertAt(INT_PTR nStartIndex, const CLASS* pNewArray) {                       \
    if (pNewArray == NULL || pNewArray->m_nSize == 0)                                       \
      return;                                                                               \
    CLASS copy;                                                                             \
    if (pNewArray == this) {                                                                \
      copy.Copy(*this);                                                                     \
      pNewArray = &copy;                                                                    \
    }                                                                                       \
    INT_PTR nCount = pNewArray->m_nSize;                                                    \
    if (!ArrayCore<TYPE>(m_pData, m_nSize, m_nMaxSize, m_nGrowBy).OpenGap(nStartIndex,      \
                                                                          nCount))          \
      return;                                                                               \
    for (INT_PTR i = 0; i < nCount; ++i)                                                    \
      m_pData[nStartIndex + i] = pNewArray->m_pData[i];                                     \
  }                                                                                         \
  void CLASS::RemoveAt(INT_PTR nIndex, INT_PTR nCount) {                                    \
    ArrayCore<TYPE>(m_pData, m_nSize, m_nMaxSize, m_nGrowBy).RemoveAt(nIndex, nCount);      \
  }                                                                                         \
  void CLASS::AssertValid() const {                                                         \
    CObject::AssertValid();                                                                 \
    ASSERT(m_nSize >= 0 && m_nSize <= m_nMaxSize);                                          \
    ASSERT((m_pData == NULL) == (m_nMaxSize == 0));                                         \
  }

AFX_IMPLEMENT_ARRAY(CByteArray, BYTE, BYTE, BYTE)
AFX_IMPLEMENT_ARRAY(CWordArray, WORD, WORD, WORD)
AFX_IMPLEMENT_ARRAY(CDWordArray, DWORD, DWORD, DWORD)
AFX_IMPLEMENT_ARRAY(CUIntArray, UINT, UINT, UINT)
AFX_IMPLEMENT_ARRAY(CPtrArray, void*, void*, void*)
AFX_IMPLEMENT_ARRAY(CObArray, CObject*, CObject*, CObject*)
AFX_IMPLEMENT_ARRAY(CStringArray, CString, const CString&, const CString&)

#undef AFX_IMPLEMENT_ARRAY

IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)

namespace {
// Number arrays are stored as a count and then their elements' bytes, little-endian.
template <class ARRAY, class T>
void SerializeNumbers(CArchive& ar, ARRAY& array, T* (ARRAY::*getData)()) {
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD_PTR)array.GetSize());
    ar.Write((array.*getData)(), (UINT)(array.GetSize() * (INT_PTR)sizeof(T)));
    return;
  }
  DWORD_PTR nCount = ar.ReadCount();
  if (nCount > (DWORD_PTR)(UINT_MAX / sizeof(T)))
    AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
  array.SetSize((INT_PTR)nCount, -1);
  UINT nBytes = (UINT)(nCount * sizeof(T));
  if (ar.Read((array.*getData)(), nBytes) != nBytes)
    AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
}
}  // namespace

void CByteArray::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  SerializeNumbers<CByteArray, BYTE>(ar, *this, &CByteArray::GetData);
}

void CWordArray::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  SerializeNumbers<CWordArray, WORD>(ar, *this, &CWordArray::GetData);
}

void CDWordArray::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  SerializeNumbers<CDWordArray, DWORD>(ar, *this, &CDWordArray::GetData);
}

void CObArray::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD_PTR)m_nSize);
    for (INT_PTR i = 0; i < m_nSize; ++i)
      ar << m_pData[i];
  } else {
    // Grown one object at a time, so a damaged count cannot allocate more than the archive
    // really holds.
    DWORD_PTR nCount = ar.ReadCount();
    RemoveAll();
    for (DWORD_PTR i = 0; i < nCount; ++i) {
      CObject* pOb;
      ar >> pOb;
      Add(pOb);
    }
  }
}

void CStringArray::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD_PTR)m_nSize);
    for (INT_PTR i = 0; i < m_nSize; ++i)
      ar << m_pData[i];
  } else {
    DWORD_PTR nCount = ar.ReadCount();
    RemoveAll();
    for (DWORD_PTR i = 0; i < nCount; ++i) {
      CString value;
      ar >> value;
      Add(value);
    }
  }
}
