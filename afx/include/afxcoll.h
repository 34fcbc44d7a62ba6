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

class AFX_API CByteArray : public CObject {
  DECLARE_SERIAL(CByteArray)
 public:
  CByteArray();
  virtual ~CByteArray();

  INT_PTR GetSize() const { return m_nSize; }
  INT_PTR GetCount() const { return m_nSize; }
  BOOL IsEmpty() const { return m_nSize == 0; }
  INT_PTR GetUpperBound() const { return m_nSize - 1; }
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
  void FreeExtra();
  void RemoveAll() { SetSize(0, -1); }

  BYTE GetAt(INT_PTR nIndex) const;
  void SetAt(INT_PTR nIndex, BYTE newElement);
  BYTE& ElementAt(INT_PTR nIndex);
  const BYTE* GetData() const { return (const BYTE*)m_pData; }
  BYTE* GetData() { return m_pData; }

  void SetAtGrow(INT_PTR nIndex, BYTE newElement);
  INT_PTR Add(BYTE newElement);
  INT_PTR Append(const CByteArray& src);
  void Copy(const CByteArray& src);

  BYTE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  BYTE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

  void InsertAt(INT_PTR nIndex, BYTE newElement, INT_PTR nCount = 1);
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
  void InsertAt(INT_PTR nStartIndex, const CByteArray* pNewArray);

  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const;

 protected:
  BYTE* m_pData;
  INT_PTR m_nSize;
  INT_PTR m_nMaxSize;
  INT_PTR m_nGrowBy;
};

class AFX_API CWordArray : public CObject {
  DECLARE_SERIAL(CWordArray)
 public:
  CWordArray();
  virtual ~CWordArray();

  INT_PTR GetSize() const { return m_nSize; }
  INT_PTR GetCount() const { return m_nSize; }
  BOOL IsEmpty() const { return m_nSize == 0; }
  INT_PTR GetUpperBound() const { return m_nSize - 1; }
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
  void FreeExtra();
  void RemoveAll() { SetSize(0, -1); }

  WORD GetAt(INT_PTR nIndex) const;
  void SetAt(INT_PTR nIndex, WORD newElement);
  WORD& ElementAt(INT_PTR nIndex);
  const WORD* GetData() const { return (const WORD*)m_pData; }
  WORD* GetData() { return m_pData; }

  void SetAtGrow(INT_PTR nIndex, WORD newElement);
  INT_PTR Add(WORD newElement);
  INT_PTR Append(const CWordArray& src);
  void Copy(const CWordArray& src);

  WORD operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  WORD& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

  void InsertAt(INT_PTR nIndex, WORD newElement, INT_PTR nCount = 1);
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
  void InsertAt(INT_PTR nStartIndex, const CWordArray* pNewArray);

  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const;

 protected:
  WORD* m_pData;
  INT_PTR m_nSize;
  INT_PTR m_nMaxSize;
  INT_PTR m_nGrowBy;
};

class AFX_API CDWordArray : public CObject {
  DECLARE_SERIAL(CDWordArray)
 public:
  CDWordArray();
  virtual ~CDWordArray();

  INT_PTR GetSize() const { return m_nSize; }
  INT_PTR GetCount() const { return m_nSize; }
  BOOL IsEmpty() const { return m_nSize == 0; }
  INT_PTR GetUpperBound() const { return m_nSize - 1; }
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
  void FreeExtra();
  void RemoveAll() { SetSize(0, -1); }

  DWORD GetAt(INT_PTR nIndex) const;
  void SetAt(INT_PTR nIndex, DWORD newElement);
  DWORD& ElementAt(INT_PTR nIndex);
  const DWORD* GetData() const { return (const DWORD*)m_pData; }
  DWORD* GetData() { return m_pData; }

  void SetAtGrow(INT_PTR nIndex, DWORD newElement);
  INT_PTR Add(DWORD newElement);
  INT_PTR Append(const CDWordArray& src);
  void Copy(const CDWordArray& src);

  DWORD operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  DWORD& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

  void InsertAt(INT_PTR nIndex, DWORD newElement, INT_PTR nCount = 1);
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
  void InsertAt(INT_PTR nStartIndex, const CDWordArray* pNewArray);

  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const;

 protected:
  DWORD* m_pData;
  INT_PTR m_nSize;
  INT_PTR m_nMaxSize;
  INT_PTR m_nGrowBy;
};

class AFX_API CUIntArray : public CObject {
  DECLARE_DYNAMIC(CUIntArray)
 public:
  CUIntArray();
  virtual ~CUIntArray();

  INT_PTR GetSize() const { return m_nSize; }
  INT_PTR GetCount() const { return m_nSize; }
  BOOL IsEmpty() const { return m_nSize == 0; }
  INT_PTR GetUpperBound() const { return m_nSize - 1; }
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
  void FreeExtra();
  void RemoveAll() { SetSize(0, -1); }

  UINT GetAt(INT_PTR nIndex) const;
  void SetAt(INT_PTR nIndex, UINT newElement);
  UINT& ElementAt(INT_PTR nIndex);
  const UINT* GetData() const { return (const UINT*)m_pData; }
  UINT* GetData() { return m_pData; }

  void SetAtGrow(INT_PTR nIndex, UINT newElement);
  INT_PTR Add(UINT newElement);
  INT_PTR Append(const CUIntArray& src);
  void Copy(const CUIntArray& src);

  UINT operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  UINT& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

  void InsertAt(INT_PTR nIndex, UINT newElement, INT_PTR nCount = 1);
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
  void InsertAt(INT_PTR nStartIndex, const CUIntArray* pNewArray);
  virtual void AssertValid() const;

 protected:
  UINT* m_pData;
  INT_PTR m_nSize;
  INT_PTR m_nMaxSize;
  INT_PTR m_nGrowBy;
};

class AFX_API CPtrArray : public CObject {
  DECLARE_DYNAMIC(CPtrArray)
 public:
  CPtrArray();
  virtual ~CPtrArray();

  INT_PTR GetSize() const { return m_nSize; }
  INT_PTR GetCount() const { return m_nSize; }
  BOOL IsEmpty() const { return m_nSize == 0; }
  INT_PTR GetUpperBound() const { return m_nSize - 1; }
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
  void FreeExtra();
  void RemoveAll() { SetSize(0, -1); }

  void* GetAt(INT_PTR nIndex) const;
  void SetAt(INT_PTR nIndex, void* newElement);
  void*& ElementAt(INT_PTR nIndex);
  const void** GetData() const { return (const void**)m_pData; }
  void** GetData() { return m_pData; }

  void SetAtGrow(INT_PTR nIndex, void* newElement);
  INT_PTR Add(void* newElement);
  INT_PTR Append(const CPtrArray& src);
  void Copy(const CPtrArray& src);

  void* operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  void*& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

  void InsertAt(INT_PTR nIndex, void* newElement, INT_PTR nCount = 1);
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
  void InsertAt(INT_PTR nStartIndex, const CPtrArray* pNewArray);
  virtual void AssertValid() const;

 protected:
  void** m_pData;
  INT_PTR m_nSize;
  INT_PTR m_nMaxSize;
  INT_PTR m_nGrowBy;
};

class AFX_API CObArray : public CObject {
  DECLARE_SERIAL(CObArray)
 public:
  CObArray();
  virtual ~CObArray();

  INT_PTR GetSize() const { return m_nSize; }
  INT_PTR GetCount() const { return m_nSize; }
  BOOL IsEmpty() const { return m_nSize == 0; }
  INT_PTR GetUpperBound() const { return m_nSize - 1; }
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
  void FreeExtra();
  void RemoveAll() { SetSize(0, -1); }

  CObject* GetAt(INT_PTR nIndex) const;
  void SetAt(INT_PTR nIndex, CObject* newElement);
  CObject*& ElementAt(INT_PTR nIndex);
  const CObject** GetData() const { return (const CObject**)m_pData; }
  CObject** GetData() { return m_pData; }

  void SetAtGrow(INT_PTR nIndex, CObject* newElement);
  INT_PTR Add(CObject* newElement);
  INT_PTR Append(const CObArray& src);
  void Copy(const CObArray& src);

  CObject* operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  CObject*& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

  void InsertAt(INT_PTR nIndex, CObject* newElement, INT_PTR nCount = 1);
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
  void InsertAt(INT_PTR nStartIndex, const CObArray* pNewArray);

  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const;

 protected:
  CObject** m_pData;
  INT_PTR m_nSize;
  INT_PTR m_nMaxSize;
  INT_PTR m_nGrowBy;
};

class AFX_API CStringArray : public CObject {
  DECLARE_SERIAL(CStringArray)
 public:
  CStringArray();
  virtual ~CStringArray();

  INT_PTR GetSize() const { return m_nSize; }
  INT_PTR GetCount() const { return m_nSize; }
  BOOL IsEmpty() const { return m_nSize == 0; }
  INT_PTR GetUpperBound() const { return m_nSize - 1; }
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
  void FreeExtra();
  void RemoveAll() { SetSize(0, -1); }

  const CString& GetAt(INT_PTR nIndex) const;
  void SetAt(INT_PTR nIndex, const CString& newElement);
  CString& ElementAt(INT_PTR nIndex);
  const CString* GetData() const { return (const CString*)m_pData; }
  CString* GetData() { return m_pData; }

  void SetAtGrow(INT_PTR nIndex, const CString& newElement);
  INT_PTR Add(const CString& newElement);
  INT_PTR Append(const CStringArray& src);
  void Copy(const CStringArray& src);

  const CString& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  CString& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

  void InsertAt(INT_PTR nIndex, const CString& newElement, INT_PTR nCount = 1);
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
  void InsertAt(INT_PTR nStartIndex, const CStringArray* pNewArray);

  void SetAt(INT_PTR nIndex, LPCTSTR newElement) { SetAt(nIndex, CString(newElement)); }
  void SetAtGrow(INT_PTR nIndex, LPCTSTR newElement) { SetAtGrow(nIndex, CString(newElement)); }
  INT_PTR Add(LPCTSTR newElement) { return Add(CString(newElement)); }
  void InsertAt(INT_PTR nIndex, LPCTSTR newElement, INT_PTR nCount = 1) {
    InsertAt(nIndex, CString(newElement), nCount);
  }

  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const;

 protected:
  CString* m_pData;
  INT_PTR m_nSize;
  INT_PTR m_nMaxSize;
  INT_PTR m_nGrowBy;
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
