// Collections of the class-library layer: arrays, doubly linked lists and hash maps of
// pointers, numbers, objects and strings.
#pragma once
#include "afx.h"

// Blocks of list nodes and map associations; defined privately in afx.dll.
struct CPlex;

/////////////////////////////////////////////////////////////////////////////
// Arrays. SetSize(n, nGrowBy) keeps nGrowBy (-1: unchanged); with nGrowBy 0, the default, a
// growing array adds size/8 elements, at least 4 and at most 1024. Pointer arrays do not own
// the objects they point to. A bad index asserts in debug builds and does nothing in release:
// GetAt gives a zero value and ElementAt a scratch element.

namespace afx_detail {

// The growable array behind every array class. TArray is the array class itself (the type that
// Append, Copy and InsertAt take), TYPE the stored element and ARG_TYPE how an element is passed
// in and read back; GetData's const form returns CONST_DATA (the pointer arrays give
// "const void**" and "const CObject**"). afx.dll instantiates and exports it for the array
// classes below only.
template <class TArray, class TYPE, class ARG_TYPE, class CONST_DATA = const TYPE*>
class AFX_API CArrayImpl : public CObject
{
public:
    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    // Inline for the common case: walking an array is the inner loop of every repaint.
    ARG_TYPE GetAt(INT_PTR nIndex) const
    {
        return nIndex >= 0 && nIndex < m_nSize ? m_pData[nIndex] : GetOutOfRange();
    }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement);
    TYPE& ElementAt(INT_PTR nIndex)
    {
        return nIndex >= 0 && nIndex < m_nSize ? m_pData[nIndex] : ElementOutOfRange();
    }
    CONST_DATA GetData() const { return (CONST_DATA)m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement);
    INT_PTR Append(const TArray& src);
    void Copy(const TArray& src);

    ARG_TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, const TArray* pNewArray);

    virtual void AssertValid() const;

protected:
    CArrayImpl();
    ~CArrayImpl();

    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;

private:
    // Opens nCount default elements at nIndex, growing the array when nIndex is past the end.
    BOOL OpenGap(INT_PTR nIndex, INT_PTR nCount);
    // What GetAt and ElementAt give for a bad index (see above).
    ARG_TYPE GetOutOfRange() const;
    TYPE& ElementOutOfRange();
};

}  // namespace afx_detail

class AFX_API CByteArray : public afx_detail::CArrayImpl<CByteArray, BYTE, BYTE>
{
    DECLARE_SERIAL(CByteArray)
public:
    CByteArray();
    virtual ~CByteArray();
    virtual void Serialize(CArchive& ar);
};

class AFX_API CWordArray : public afx_detail::CArrayImpl<CWordArray, WORD, WORD>
{
    DECLARE_SERIAL(CWordArray)
public:
    CWordArray();
    virtual ~CWordArray();
    virtual void Serialize(CArchive& ar);
};

class AFX_API CDWordArray : public afx_detail::CArrayImpl<CDWordArray, DWORD, DWORD>
{
    DECLARE_SERIAL(CDWordArray)
public:
    CDWordArray();
    virtual ~CDWordArray();
    virtual void Serialize(CArchive& ar);
};

class AFX_API CUIntArray : public afx_detail::CArrayImpl<CUIntArray, UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
public:
    CUIntArray();
    virtual ~CUIntArray();
};

class AFX_API CPtrArray : public afx_detail::CArrayImpl<CPtrArray, void*, void*, const void**>
{
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray();
    virtual ~CPtrArray();
};

class AFX_API CObArray
    : public afx_detail::CArrayImpl<CObArray, CObject*, CObject*, const CObject**>
{
    DECLARE_SERIAL(CObArray)
public:
    CObArray();
    virtual ~CObArray();
    virtual void Serialize(CArchive& ar);
};

class AFX_API CStringArray : public afx_detail::CArrayImpl<CStringArray, CString, const CString&>
{
    DECLARE_SERIAL(CStringArray)
public:
    CStringArray();
    virtual ~CStringArray();

    using CArrayImpl::Add;
    using CArrayImpl::InsertAt;
    using CArrayImpl::SetAt;
    using CArrayImpl::SetAtGrow;
    void SetAt(INT_PTR nIndex, LPCTSTR newElement) { SetAt(nIndex, CString(newElement)); }
    void SetAtGrow(INT_PTR nIndex, LPCTSTR newElement) { SetAtGrow(nIndex, CString(newElement)); }
    INT_PTR Add(LPCTSTR newElement) { return Add(CString(newElement)); }
    void InsertAt(INT_PTR nIndex, LPCTSTR newElement, INT_PTR nCount = 1)
    {
        InsertAt(nIndex, CString(newElement), nCount);
    }

    virtual void Serialize(CArchive& ar);
};

/////////////////////////////////////////////////////////////////////////////
// Lists: POSITION is a node; InsertBefore/InsertAfter with a NULL position add at the head or
// the tail. Nodes are allocated in blocks of nBlockSize. CObList does not own its objects.

namespace afx_detail {

// The doubly linked list behind every list class. TList is the list class itself (the type that
// AddHead and AddTail of a whole list take), TYPE the stored element, ARG_TYPE how an element is
// passed in and read back and FIND_ARG what Find compares with. afx.dll instantiates and
// exports it for the list classes below only.
template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
class AFX_API CListImpl : public CObject
{
protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead();
    ARG_TYPE GetHead() const;
    TYPE& GetTail();
    ARG_TYPE GetTail() const;
    TYPE RemoveHead();
    TYPE RemoveTail();
    POSITION AddHead(ARG_TYPE newElement);
    POSITION AddTail(ARG_TYPE newElement);
    void AddHead(const TList* pNewList);
    void AddTail(const TList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    TYPE& GetNext(POSITION& rPosition);
    ARG_TYPE GetNext(POSITION& rPosition) const;
    TYPE& GetPrev(POSITION& rPosition);
    ARG_TYPE GetPrev(POSITION& rPosition) const;
    TYPE& GetAt(POSITION position);
    ARG_TYPE GetAt(POSITION position) const;
    void SetAt(POSITION pos, ARG_TYPE newElement);
    void RemoveAt(POSITION position);
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    POSITION Find(FIND_ARG searchValue, POSITION startAfter = NULL) const;
    POSITION FindIndex(INT_PTR nIndex) const;
    virtual void AssertValid() const;

protected:
    explicit CListImpl(INT_PTR nBlockSize);
    ~CListImpl();

    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;
    CNode* m_pNodeFree;
    CPlex* m_pBlocks;
    INT_PTR m_nBlockSize;

private:
    CNode* NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE value);
    void FreeNode(CNode* pNode);
};

}  // namespace afx_detail

class AFX_API CPtrList : public afx_detail::CListImpl<CPtrList, void*, void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10);
    virtual ~CPtrList();
};

class AFX_API CObList : public afx_detail::CListImpl<CObList, CObject*, CObject*, CObject*>
{
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10);
    virtual ~CObList();
    virtual void Serialize(CArchive& ar);
};

// Find compares string contents here, where the other lists compare pointers.
class AFX_API CStringList
    : public afx_detail::CListImpl<CStringList, CString, const CString&, LPCTSTR>
{
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10);
    virtual ~CStringList();

    using CListImpl::AddHead;
    using CListImpl::AddTail;
    using CListImpl::InsertAfter;
    using CListImpl::InsertBefore;
    using CListImpl::SetAt;
    POSITION AddHead(LPCTSTR newElement) { return AddHead(CString(newElement)); }
    POSITION AddTail(LPCTSTR newElement) { return AddTail(CString(newElement)); }
    void SetAt(POSITION pos, LPCTSTR newElement) { SetAt(pos, CString(newElement)); }
    POSITION InsertBefore(POSITION position, LPCTSTR newElement)
    {
        return InsertBefore(position, CString(newElement));
    }
    POSITION InsertAfter(POSITION position, LPCTSTR newElement)
    {
        return InsertAfter(position, CString(newElement));
    }

    virtual void Serialize(CArchive& ar);
};

/////////////////////////////////////////////////////////////////////////////
// Hash maps with chained buckets (17 unless InitHashTable says otherwise). Iterate with
//   POSITION pos = map.GetStartPosition(); while (pos != NULL) map.GetNextAssoc(pos, k, v);

namespace afx_detail {

// The chained hash map behind every map class: KEY is the stored key, ARG_KEY how a key is
// passed in, VALUE the stored value. afx.dll instantiates and exports it for the map classes
// below only.
template <class KEY, class ARG_KEY, class VALUE> class AFX_API CMapImpl : public CObject
{
protected:
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue;  // the full hash of key
        KEY key;
        VALUE value;
    };

public:
    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    // Adds key with a zero value when it is missing.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the number of buckets (best a prime); only while the map is empty.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);
    UINT HashKey(ARG_KEY key) const;
    virtual void AssertValid() const;

protected:
    explicit CMapImpl(INT_PTR nBlockSize);
    ~CMapImpl();

    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    INT_PTR m_nCount;
    CAssoc* m_pFreeList;
    CPlex* m_pBlocks;
    INT_PTR m_nBlockSize;

private:
    CAssoc* FindAssoc(ARG_KEY key, UINT nHash) const;
    // The association after pAssoc (or the first one, for NULL), in bucket order.
    CAssoc* NextAssoc(const CAssoc* pAssoc) const;
    void AllocHashTable(UINT nHashSize);
    void FreeAssoc(CAssoc* pAssoc);
};

}  // namespace afx_detail

class AFX_API CMapWordToPtr : public afx_detail::CMapImpl<WORD, WORD, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10);
    virtual ~CMapWordToPtr();
};

class AFX_API CMapPtrToPtr : public afx_detail::CMapImpl<void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10);
    virtual ~CMapPtrToPtr();
};

class AFX_API CMapStringToPtr : public afx_detail::CMapImpl<CString, LPCTSTR, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10);
    virtual ~CMapStringToPtr();
};

class AFX_API CMapStringToOb : public afx_detail::CMapImpl<CString, LPCTSTR, CObject*>
{
    DECLARE_SERIAL(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10);
    virtual ~CMapStringToOb();
    virtual void Serialize(CArchive& ar);
};
