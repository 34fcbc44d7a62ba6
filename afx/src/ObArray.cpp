// The array family: CObArray, CPtrArray, CStringArray and the number arrays (CByteArray,
// CWordArray, CDWordArray, CUIntArray), all built on one growable-array core.
#include <afxcoll.h>

#include <stdint.h>
#include <string.h>

#include "Plex.h"

namespace afx_detail {

// Elements are constructed and destroyed one by one but moved with memmove: every element type
// here (numbers, pointers and CString, a single pointer) may be relocated bytewise.
namespace {
template <class T> void ConstructElements(T* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i)
        new (pElements + i) T();
}

template <class T> void DestroyElements(T* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i)
        pElements[i].~T();
}
}  // namespace

template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::CArrayImpl()
    : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0)
{}

template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::~CArrayImpl()
{
    SetSize(0, -1);
}

template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
void CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0) {
        ASSERT(FALSE);
        return;
    }
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    if (nNewSize == 0) {
        DestroyElements(m_pData, m_nSize);
        free(m_pData);
        m_pData = NULL;
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (nNewSize <= m_nMaxSize) {
        if (nNewSize > m_nSize)
            ConstructElements(m_pData + m_nSize, nNewSize - m_nSize);
        else
            DestroyElements(m_pData + nNewSize, m_nSize - nNewSize);
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
    if ((size_t)nNewMax > SIZE_MAX / 2 / sizeof(TYPE))
        AfxThrowMemoryException();
    TYPE* pNewData = (TYPE*)malloc((size_t)nNewMax * sizeof(TYPE));
    if (pNewData == NULL)
        AfxThrowMemoryException();
    if (m_nSize > 0)
        memcpy((void*)pNewData, (const void*)m_pData, (size_t)m_nSize * sizeof(TYPE));
    free(m_pData);
    m_pData = pNewData;
    m_nMaxSize = nNewMax;
    ConstructElements(m_pData + m_nSize, nNewSize - m_nSize);
    m_nSize = nNewSize;
}

template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
void CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::FreeExtra()
{
    if (m_nSize == m_nMaxSize)
        return;
    if (m_nSize == 0) {
        SetSize(0, -1);
        return;
    }
    TYPE* pNewData = (TYPE*)malloc((size_t)m_nSize * sizeof(TYPE));
    if (pNewData == NULL)
        AfxThrowMemoryException();
    memcpy((void*)pNewData, (const void*)m_pData, (size_t)m_nSize * sizeof(TYPE));
    free(m_pData);
    m_pData = pNewData;
    m_nMaxSize = m_nSize;
}

// A bad index asserts in debug builds; in release GetAt reads a zero value, ElementAt hands out
// a scratch element and SetAt does nothing.
template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
ARG_TYPE CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::GetOutOfRange() const
{
    ASSERT(FALSE);
    return EmptyValue<TYPE>();
}

template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
void CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::SetAt(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0 || nIndex >= m_nSize) {
        ASSERT(FALSE);
        return;
    }
    m_pData[nIndex] = newElement;
}

template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
TYPE& CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::ElementOutOfRange()
{
    ASSERT(FALSE);
    return ScratchValue<TYPE>();
}

// A new element is copied before the array moves, since it may be a reference into the array
// itself.
template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
void CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0) {
        ASSERT(FALSE);
        return;
    }
    TYPE element(newElement);
    if (nIndex >= m_nSize)
        SetSize(nIndex + 1, -1);
    m_pData[nIndex] = element;
}

template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
INT_PTR CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::Add(ARG_TYPE newElement)
{
    INT_PTR nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
INT_PTR CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::Append(const TArray& src)
{
    const CArrayImpl& from = src;
    INT_PTR nOldSize = m_nSize;
    INT_PTR nCount = from.m_nSize;
    SetSize(m_nSize + nCount, -1);
    for (INT_PTR i = 0; i < nCount; ++i)
        m_pData[nOldSize + i] = from.m_pData[i];
    return nOldSize;
}

template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
void CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::Copy(const TArray& src)
{
    const CArrayImpl& from = src;
    if (this == &from)
        return;
    SetSize(from.m_nSize, -1);
    for (INT_PTR i = 0; i < from.m_nSize; ++i)
        m_pData[i] = from.m_pData[i];
}

template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
BOOL CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::OpenGap(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0) {
        ASSERT(nIndex >= 0 && nCount > 0);
        return FALSE;
    }
    if (nIndex >= m_nSize) {
        SetSize(nIndex + nCount, -1);
        return TRUE;
    }
    INT_PTR nOldSize = m_nSize;
    SetSize(m_nSize + nCount, -1);
    DestroyElements(m_pData + nOldSize, nCount);
    memmove((void*)(m_pData + nIndex + nCount), (const void*)(m_pData + nIndex),
            (size_t)(nOldSize - nIndex) * sizeof(TYPE));
    ConstructElements(m_pData + nIndex, nCount);
    return TRUE;
}

template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
void CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement,
                                                              INT_PTR nCount)
{
    TYPE element(newElement);
    if (!OpenGap(nIndex, nCount))
        return;
    for (INT_PTR i = 0; i < nCount; ++i)
        m_pData[nIndex + i] = element;
}

template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
void CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::InsertAt(INT_PTR nStartIndex,
                                                              const TArray* pNewArray)
{
    const CArrayImpl* pFrom = pNewArray;
    if (pFrom == NULL || pFrom->m_nSize == 0)
        return;
    // Inserting an array into itself reads from a copy taken before the gap opens.
    TArray copy;
    if (pFrom == this) {
        copy.Copy(*pNewArray);
        pFrom = &copy;
    }
    INT_PTR nCount = pFrom->m_nSize;
    if (!OpenGap(nStartIndex, nCount))
        return;
    for (INT_PTR i = 0; i < nCount; ++i)
        m_pData[nStartIndex + i] = pFrom->m_pData[i];
}

template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
void CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nIndex > m_nSize || nCount > m_nSize - nIndex) {
        ASSERT(FALSE);
        return;
    }
    DestroyElements(m_pData + nIndex, nCount);
    memmove((void*)(m_pData + nIndex), (const void*)(m_pData + nIndex + nCount),
            (size_t)(m_nSize - nIndex - nCount) * sizeof(TYPE));
    m_nSize -= nCount;
}

template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA>
void CArrayImpl<TArray, TYPE, ARG_TYPE, CONST_DATA>::AssertValid() const
{
    CObject::AssertValid();
    ASSERT(m_nSize >= 0 && m_nSize <= m_nMaxSize);
    ASSERT((m_pData == NULL) == (m_nMaxSize == 0));
}

template class CArrayImpl<CByteArray, BYTE, BYTE>;
template class CArrayImpl<CWordArray, WORD, WORD>;
template class CArrayImpl<CDWordArray, DWORD, DWORD>;
template class CArrayImpl<CUIntArray, UINT, UINT>;
template class CArrayImpl<CPtrArray, void*, void*, const void**>;
template class CArrayImpl<CObArray, CObject*, CObject*, const CObject**>;
template class CArrayImpl<CStringArray, CString, const CString&>;

}  // namespace afx_detail

CByteArray::CByteArray() {}
CByteArray::~CByteArray() {}
CWordArray::CWordArray() {}
CWordArray::~CWordArray() {}
CDWordArray::CDWordArray() {}
CDWordArray::~CDWordArray() {}
CUIntArray::CUIntArray() {}
CUIntArray::~CUIntArray() {}
CPtrArray::CPtrArray() {}
CPtrArray::~CPtrArray() {}
CObArray::CObArray() {}
CObArray::~CObArray() {}
CStringArray::CStringArray() {}
CStringArray::~CStringArray() {}

IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)

namespace {
// Number arrays are stored as a count and then their elements' bytes, little-endian.
template <class ARRAY> void SerializeNumbers(CArchive& ar, ARRAY& array)
{
    const size_t cbElement = sizeof(*array.GetData());
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD_PTR)array.GetSize());
        ar.Write(array.GetData(), (UINT)(array.GetSize() * (INT_PTR)cbElement));
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    if (nCount > (DWORD_PTR)(UINT_MAX / cbElement))
        AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
    array.SetSize((INT_PTR)nCount, -1);
    UINT nBytes = (UINT)(nCount * cbElement);
    if (ar.Read(array.GetData(), nBytes) != nBytes)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
}

// Object and string arrays are stored as a count and then each element. Loading grows the array
// one element at a time, so a damaged count cannot allocate more than the archive really holds.
template <class ARRAY, class TYPE> void SerializeElements(CArchive& ar, ARRAY& array)
{
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD_PTR)array.GetSize());
        for (INT_PTR i = 0; i < array.GetSize(); ++i)
            ar << array.GetAt(i);
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    array.RemoveAll();
    for (DWORD_PTR i = 0; i < nCount; ++i) {
        TYPE value;
        ar >> value;
        array.Add(value);
    }
}
}  // namespace

void CByteArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeNumbers(ar, *this);
}

void CWordArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeNumbers(ar, *this);
}

void CDWordArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeNumbers(ar, *this);
}

void CObArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeElements<CObArray, CObject*>(ar, *this);
}

void CStringArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeElements<CStringArray, CString>(ar, *this);
}
