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
class AFX_API CArrayImpl : public CObject {
 public:
  INT_PTR GetSize() const { return m_nSize; }
  INT_PTR GetCount() const { return m_nSize; }
  BOOL IsEmpty() const { return m_nSize == 0; }
  INT_PTR GetUpperBound() const { return m_nSize - 1; }
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
  void FreeExtra();
  void RemoveAll() { SetSize(0, -1); }

  ARG_TYPE GetAt(INT_PTR nIndex) const;
  void SetAt(INT_PTR nIndex, ARG_TYPE newElement);
  TYPE& ElementAt(INT_PTR nIndex);
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
};

}  // namespace afx_detail

class AFX_API CByteArray : public afx_detail::CArrayImpl<CByteArray, BYTE, BYTE> {
  DECLARE_SERIAL(CByteArray)
 public:
  CByteArray();
  virtual ~CByteArray();
  virtual void Serialize(CArchive& ar);
};

class AFX_API CWordArray : public afx_detail::CArrayImpl<CWordArray, WORD, WORD> {
  DECLARE_SERIAL(CWordArray)
 public:
  CWordArray();
  virtual ~CWordArray();
  virtual void Serialize(CArchive& ar);
};

class AFX_API CDWordArray : public afx_detail::CArrayImpl<CDWordArray, DWORD, DWORD> {
  DECLARE_SERIAL(CDWordArray)
 public:
  CDWordArray();
  virtual ~CDWordArray();
  virtual void Serialize(CArchive& ar);
};

class AFX_API CUIntArray : public afx_detail::CArrayImpl<CUIntArray, UINT, UINT> {
  DECLARE_DYNAMIC(CUIntArray)
 public:
  CUIntArray();
  virtual ~CUIntArray();
};

class AFX_API CPtrArray
    : public afx_detail::CArrayImpl<CPtrArray, void*, void*, const void**> {
  DECLARE_DYNAMIC(CPtrArray)
 public:
  CPtrArray();
  virtual ~CPtrArray();
};

class AFX_API CObArray
    : public afx_detail::CArrayImpl<CObArray, CObject*, CObject*, const CObject**> {
  DECLARE_SERIAL(CObArray)
 public:
  CObArray();
  virtual ~CObArray();
  virtual void Serialize(CArchive& ar);
};

class AFX_API CStringArray
    : public afx_detail::CArrayImpl<CStringArray, CString, const CString&> {
  DECLARE_SERIAL(CStringArray)
 public:
  CStringArray();
  virtual ~CStringArray();

  using CArrayImpl::SetAt;
  using CArrayImpl::SetAtGrow;
  using CArrayImpl::Add;
  using CArrayImpl::InsertAt;
  void SetAt(INT_PTR nIndex, LPCTSTR newElement) { SetAt(nIndex, CString(newElement)); }
  void SetAtGrow(INT_PTR nIndex, LPCTSTR newElement) { SetAtGrow(nIndex, CString(newElement)); }
  INT_PTR Add(LPCTSTR newElement) { return Add(CString(newElement)); }
  void InsertAt(INT_PTR nIndex, LPCTSTR newElement, INT_PTR nCount = 1) {
    InsertAt(nIndex, CString(newElement), nCount);
  }

  virtual void Serialize(CArchive& ar);
};

/////////////////////////////////////////////////////////////////////////////
// Lists: POSITION is a node; InsertBefore/InsertAfter with a NULL position add at the head or
// the tail. Nodes are allocated in blocks of nBlockSize. CObList does not own its objects.

class AFX_API CPtrList : public CObject {
  DECLARE_DYNAMIC(CPtrList)
 protected:
  struct CNode {
    CNode* pNext;
    CNode* pPrev;
    void* data;
  };

 public:
  explicit CPtrList(INT_PTR nBlockSize = 10);
  virtual ~CPtrList();

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  void*& GetHead();
  void* GetHead() const;
  void*& GetTail();
  void* GetTail() const;
  void* RemoveHead();
  void* RemoveTail();
  POSITION AddHead(void* newElement);
  POSITION AddTail(void* newElement);
  void AddHead(const CPtrList* pNewList);
  void AddTail(const CPtrList* pNewList);
  void RemoveAll();

  POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
  POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
  void*& GetNext(POSITION& rPosition);
  void* GetNext(POSITION& rPosition) const;
  void*& GetPrev(POSITION& rPosition);
  void* GetPrev(POSITION& rPosition) const;
  void*& GetAt(POSITION position);
  void* GetAt(POSITION position) const;
  void SetAt(POSITION pos, void* newElement);
  void RemoveAt(POSITION position);
  POSITION InsertBefore(POSITION position, void* newElement);
  POSITION InsertAfter(POSITION position, void* newElement);

  POSITION Find(void* searchValue, POSITION startAfter = NULL) const;
  POSITION FindIndex(INT_PTR nIndex) const;
  virtual void AssertValid() const;

 protected:
  CNode* m_pNodeHead;
  CNode* m_pNodeTail;
  INT_PTR m_nCount;
  CNode* m_pNodeFree;
  CPlex* m_pBlocks;
  INT_PTR m_nBlockSize;
};

class AFX_API CObList : public CObject {
  DECLARE_SERIAL(CObList)
 protected:
  struct CNode {
    CNode* pNext;
    CNode* pPrev;
    CObject* data;
  };

 public:
  explicit CObList(INT_PTR nBlockSize = 10);
  virtual ~CObList();

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  CObject*& GetHead();
  CObject* GetHead() const;
  CObject*& GetTail();
  CObject* GetTail() const;
  CObject* RemoveHead();
  CObject* RemoveTail();
  POSITION AddHead(CObject* newElement);
  POSITION AddTail(CObject* newElement);
  void AddHead(const CObList* pNewList);
  void AddTail(const CObList* pNewList);
  void RemoveAll();

  POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
  POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
  CObject*& GetNext(POSITION& rPosition);
  CObject* GetNext(POSITION& rPosition) const;
  CObject*& GetPrev(POSITION& rPosition);
  CObject* GetPrev(POSITION& rPosition) const;
  CObject*& GetAt(POSITION position);
  CObject* GetAt(POSITION position) const;
  void SetAt(POSITION pos, CObject* newElement);
  void RemoveAt(POSITION position);
  POSITION InsertBefore(POSITION position, CObject* newElement);
  POSITION InsertAfter(POSITION position, CObject* newElement);

  POSITION Find(CObject* searchValue, POSITION startAfter = NULL) const;
  POSITION FindIndex(INT_PTR nIndex) const;

  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const;

 protected:
  CNode* m_pNodeHead;
  CNode* m_pNodeTail;
  INT_PTR m_nCount;
  CNode* m_pNodeFree;
  CPlex* m_pBlocks;
  INT_PTR m_nBlockSize;
};

class AFX_API CStringList : public CObject {
  DECLARE_SERIAL(CStringList)
 protected:
  struct CNode {
    CNode* pNext;
    CNode* pPrev;
    CString data;
  };

 public:
  explicit CStringList(INT_PTR nBlockSize = 10);
  virtual ~CStringList();

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  CString& GetHead();
  const CString& GetHead() const;
  CString& GetTail();
  const CString& GetTail() const;
  CString RemoveHead();
  CString RemoveTail();
  POSITION AddHead(const CString& newElement);
  POSITION AddTail(const CString& newElement);
  void AddHead(const CStringList* pNewList);
  void AddTail(const CStringList* pNewList);
  void RemoveAll();

  POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
  POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
  CString& GetNext(POSITION& rPosition);
  const CString& GetNext(POSITION& rPosition) const;
  CString& GetPrev(POSITION& rPosition);
  const CString& GetPrev(POSITION& rPosition) const;
  CString& GetAt(POSITION position);
  const CString& GetAt(POSITION position) const;
  void SetAt(POSITION pos, const CString& newElement);
  void RemoveAt(POSITION position);
  POSITION InsertBefore(POSITION position, const CString& newElement);
  POSITION InsertAfter(POSITION position, const CString& newElement);

  POSITION Find(LPCTSTR searchValue, POSITION startAfter = NULL) const;
  POSITION FindIndex(INT_PTR nIndex) const;

  POSITION AddHead(LPCTSTR newElement) { return AddHead(CString(newElement)); }
  POSITION AddTail(LPCTSTR newElement) { return AddTail(CString(newElement)); }
  void SetAt(POSITION pos, LPCTSTR newElement) { SetAt(pos, CString(newElement)); }
  POSITION InsertBefore(POSITION position, LPCTSTR newElement) {
    return InsertBefore(position, CString(newElement));
  }
  POSITION InsertAfter(POSITION position, LPCTSTR newElement) {
    return InsertAfter(position, CString(newElement));
  }

  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const;

 protected:
  CNode* m_pNodeHead;
  CNode* m_pNodeTail;
  INT_PTR m_nCount;
  CNode* m_pNodeFree;
  CPlex* m_pBlocks;
  INT_PTR m_nBlockSize;
};

/////////////////////////////////////////////////////////////////////////////
// Hash maps with chained buckets (17 unless InitHashTable says otherwise). Iterate with
//   POSITION pos = map.GetStartPosition(); while (pos != NULL) map.GetNextAssoc(pos, k, v);

class AFX_API CMapWordToPtr : public CObject {
  DECLARE_DYNAMIC(CMapWordToPtr)
 protected:
  struct CAssoc {
    CAssoc* pNext;
    UINT nHashValue;  // the full hash of key
    WORD key;
    void* value;
  };

 public:
  explicit CMapWordToPtr(INT_PTR nBlockSize = 10);
  virtual ~CMapWordToPtr();

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  BOOL Lookup(WORD key, void*& rValue) const;
  // Adds key with a zero value when it is missing.
  void*& operator[](WORD key);
  void SetAt(WORD key, void* newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(WORD key);
  void RemoveAll();

  POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
  void GetNextAssoc(POSITION& rNextPosition, WORD& rKey, void*& rValue) const;

  UINT GetHashTableSize() const { return m_nHashTableSize; }
  // Sets the number of buckets (best a prime); only while the map is empty.
  void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);
  UINT HashKey(WORD key) const;
  virtual void AssertValid() const;

 protected:
  CAssoc** m_pHashTable;
  UINT m_nHashTableSize;
  INT_PTR m_nCount;
  CAssoc* m_pFreeList;
  CPlex* m_pBlocks;
  INT_PTR m_nBlockSize;
};

class AFX_API CMapPtrToPtr : public CObject {
  DECLARE_DYNAMIC(CMapPtrToPtr)
 protected:
  struct CAssoc {
    CAssoc* pNext;
    UINT nHashValue;  // the full hash of key
    void* key;
    void* value;
  };

 public:
  explicit CMapPtrToPtr(INT_PTR nBlockSize = 10);
  virtual ~CMapPtrToPtr();

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  BOOL Lookup(void* key, void*& rValue) const;
  // Adds key with a zero value when it is missing.
  void*& operator[](void* key);
  void SetAt(void* key, void* newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(void* key);
  void RemoveAll();

  POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
  void GetNextAssoc(POSITION& rNextPosition, void*& rKey, void*& rValue) const;

  UINT GetHashTableSize() const { return m_nHashTableSize; }
  // Sets the number of buckets (best a prime); only while the map is empty.
  void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);
  UINT HashKey(void* key) const;
  virtual void AssertValid() const;

 protected:
  CAssoc** m_pHashTable;
  UINT m_nHashTableSize;
  INT_PTR m_nCount;
  CAssoc* m_pFreeList;
  CPlex* m_pBlocks;
  INT_PTR m_nBlockSize;
};

class AFX_API CMapStringToPtr : public CObject {
  DECLARE_DYNAMIC(CMapStringToPtr)
 protected:
  struct CAssoc {
    CAssoc* pNext;
    UINT nHashValue;  // the full hash of key
    CString key;
    void* value;
  };

 public:
  explicit CMapStringToPtr(INT_PTR nBlockSize = 10);
  virtual ~CMapStringToPtr();

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  BOOL Lookup(LPCTSTR key, void*& rValue) const;
  // Adds key with a zero value when it is missing.
  void*& operator[](LPCTSTR key);
  void SetAt(LPCTSTR key, void* newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(LPCTSTR key);
  void RemoveAll();

  POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
  void GetNextAssoc(POSITION& rNextPosition, CString& rKey, void*& rValue) const;

  UINT GetHashTableSize() const { return m_nHashTableSize; }
  // Sets the number of buckets (best a prime); only while the map is empty.
  void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);
  UINT HashKey(LPCTSTR key) const;
  virtual void AssertValid() const;

 protected:
  CAssoc** m_pHashTable;
  UINT m_nHashTableSize;
  INT_PTR m_nCount;
  CAssoc* m_pFreeList;
  CPlex* m_pBlocks;
  INT_PTR m_nBlockSize;
};

class AFX_API CMapStringToOb : public CObject {
  DECLARE_SERIAL(CMapStringToOb)
 protected:
  struct CAssoc {
    CAssoc* pNext;
    UINT nHashValue;  // the full hash of key
    CString key;
    CObject* value;
  };

 public:
  explicit CMapStringToOb(INT_PTR nBlockSize = 10);
  virtual ~CMapStringToOb();

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  BOOL Lookup(LPCTSTR key, CObject*& rValue) const;
  // Adds key with a zero value when it is missing.
  CObject*& operator[](LPCTSTR key);
  void SetAt(LPCTSTR key, CObject* newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(LPCTSTR key);
  void RemoveAll();

  POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
  void GetNextAssoc(POSITION& rNextPosition, CString& rKey, CObject*& rValue) const;

  UINT GetHashTableSize() const { return m_nHashTableSize; }
  // Sets the number of buckets (best a prime); only while the map is empty.
  void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);
  UINT HashKey(LPCTSTR key) const;

  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const;

 protected:
  CAssoc** m_pHashTable;
  UINT m_nHashTableSize;
  INT_PTR m_nCount;
  CAssoc* m_pFreeList;
  CPlex* m_pBlocks;
  INT_PTR m_nBlockSize;
};
