// The list family: CObList, CPtrList and CStringList, doubly linked lists whose POSITION is a
// node, with nodes taken from blocks.
#include <afxcoll.h>

#include "Plex.h"

using afx_detail::EmptyValue;
using afx_detail::NewElement;
using afx_detail::ScratchValue;

namespace {

// The members every list class has, seen through references.
template <class Node, class T>
class ListCore {
 public:
  ListCore(Node*& pHead, Node*& pTail, INT_PTR& nCount, Node*& pFree, CPlex*& pBlocks,
           INT_PTR nBlockSize)
      : m_pHead(pHead), m_pTail(pTail), m_nCount(nCount), m_pFree(pFree), m_pBlocks(pBlocks),
        m_nBlockSize(nBlockSize) {}

  Node* NewNode(Node* pPrev, Node* pNext, const T& value) {
    T copy(value);  // value may live in a node of this list
    Node* pNode = NewElement(m_pFree, m_pBlocks, m_nBlockSize);
    new (&pNode->data) T(copy);
    pNode->pPrev = pPrev;
    pNode->pNext = pNext;
    ++m_nCount;
    return pNode;
  }

  void FreeNode(Node* pNode) {
    pNode->data.~T();
    pNode->pNext = m_pFree;
    m_pFree = pNode;
    // The last node gone: give every block back.
    if (--m_nCount == 0)
      RemoveAll();
  }

  void RemoveAll() {
    for (Node* p = m_pHead; p != NULL; p = p->pNext)
      p->data.~T();
    m_nCount = 0;
    m_pHead = m_pTail = m_pFree = NULL;
    if (m_pBlocks != NULL)
      m_pBlocks->FreeDataChain();
    m_pBlocks = NULL;
  }

  POSITION AddHead(const T& value) {
    Node* pNode = NewNode(NULL, m_pHead, value);
    if (m_pHead != NULL)
      m_pHead->pPrev = pNode;
    else
      m_pTail = pNode;
    m_pHead = pNode;
    return (POSITION)pNode;
  }

  POSITION AddTail(const T& value) {
    Node* pNode = NewNode(m_pTail, NULL, value);
    if (m_pTail != NULL)
      m_pTail->pNext = pNode;
    else
      m_pHead = pNode;
    m_pTail = pNode;
    return (POSITION)pNode;
  }

  T RemoveHead() {
    if (m_pHead == NULL) {
      ASSERT(FALSE);
      return T();
    }
    Node* pOld = m_pHead;
    T value(pOld->data);
    m_pHead = pOld->pNext;
    if (m_pHead != NULL)
      m_pHead->pPrev = NULL;
    else
      m_pTail = NULL;
    FreeNode(pOld);
    return value;
  }

  T RemoveTail() {
    if (m_pTail == NULL) {
      ASSERT(FALSE);
      return T();
    }
    Node* pOld = m_pTail;
    T value(pOld->data);
    m_pTail = pOld->pPrev;
    if (m_pTail != NULL)
      m_pTail->pNext = NULL;
    else
      m_pHead = NULL;
    FreeNode(pOld);
    return value;
  }

  void RemoveAt(Node* pOld) {
    if (pOld == NULL) {
      ASSERT(FALSE);
      return;
    }
    if (pOld == m_pHead)
      m_pHead = pOld->pNext;
    else
      pOld->pPrev->pNext = pOld->pNext;
    if (pOld == m_pTail)
      m_pTail = pOld->pPrev;
    else
      pOld->pNext->pPrev = pOld->pPrev;
    FreeNode(pOld);
  }

  POSITION InsertBefore(Node* pOld, const T& value) {
    if (pOld == NULL)
      return AddHead(value);
    Node* pNew = NewNode(pOld->pPrev, pOld, value);
    if (pOld->pPrev != NULL)
      pOld->pPrev->pNext = pNew;
    else
      m_pHead = pNew;
    pOld->pPrev = pNew;
    return (POSITION)pNew;
  }

  POSITION InsertAfter(Node* pOld, const T& value) {
    if (pOld == NULL)
      return AddTail(value);
    Node* pNew = NewNode(pOld, pOld->pNext, value);
    if (pOld->pNext != NULL)
      pOld->pNext->pPrev = pNew;
    else
      m_pTail = pNew;
    pOld->pNext = pNew;
    return (POSITION)pNew;
  }

  POSITION FindIndex(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount)
      return NULL;
    Node* pNode = m_pHead;
    while (nIndex-- > 0)
      pNode = pNode->pNext;
    return (POSITION)pNode;
  }

 private:
  Node*& m_pHead;
  Node*& m_pTail;
  INT_PTR& m_nCount;
  Node*& m_pFree;
  CPlex*& m_pBlocks;
  INT_PTR m_nBlockSize;
};

}  // namespace

#define AFX_LIST_CORE(TYPE) \
  ListCore<CNode, TYPE>(m_pNodeHead, m_pNodeTail, m_nCount, m_pNodeFree, m_pBlocks, m_nBlockSize)

// Every list's members; a NULL position or an empty list asserts in debug builds and reads a
// zero value (or writes a scratch element) in release.
#define AFX_IMPLEMENT_LIST(CLASS, TYPE, ARG_TYPE, RET_TYPE)                                 \
  CLASS::CLASS(INT_PTR nBlockSize)                                                         \
      : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_pNodeFree(NULL),              \
        m_pBlocks(NULL), m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}                 \
  CLASS::~CLASS() { RemoveAll(); }                                                         \
  void CLASS::RemoveAll() { AFX_LIST_CORE(TYPE).RemoveAll(); }                             \
  TYPE& CLASS::GetHead() {                                                                 \
    if (m_pNodeHead == NULL) {                                                             \
      ASSERT(FALSE);                                                                       \
      return ScratchValue<TYPE>();                                                         \
    }                                                                                      \
    return m_pNodeHead->data;                                                              \
  }                                                                                        \
  RET_TYPE CLASS::GetHead() const {                                                        \
    if (m_pNodeHead == NULL) {                                                             \
      ASSERT(FALSE);                                                                       \
      return EmptyValue<TYPE>();                                                           \
    }                                                                                      \
    return m_pNodeHead->data;                                                              \
  }                                                                                        \
  TYPE& CLASS::GetTail() {                                                                 \
    if (m_pNodeTail == NULL) {                                                             \
      ASSERT(FALSE);                                                                       \
      return ScratchValue<TYPE>();                                                         \
    }                                                                                      \
    return m_pNodeTail->data;                                                              \
  }                                                                                        \
  RET_TYPE CLASS::GetTail() const {                                                        \
    if (m_pNodeTail == NULL) {                                                             \
      ASSERT(FALSE);                                                                       \
      return EmptyValue<TYPE>();                                                           \
    }                                                                                      \
    return m_pNodeTail->data;                                                              \
  }                                                                                        \
  TYPE CLASS::RemoveHead() { return AFX_LIST_CORE(TYPE).RemoveHead(); }                    \
  TYPE CLASS::RemoveTail() { return AFX_LIST_CORE(TYPE).RemoveTail(); }                    \
  POSITION CLASS::AddHead(ARG_TYPE newElement) {                                           \
    return AFX_LIST_CORE(TYPE).AddHead(newElement);                                        \
  }                                                                                        \
  POSITION CLASS::AddTail(ARG_TYPE newElement) {                                           \
    return AFX_LIST_CORE(TYPE).AddTail(newElement);                                        \
  }                                                                                        \
  /* Both walk the source in order, so adding a list to itself doubles it. */              \
  void CLASS::AddHead(const CLASS* pNewList) {                                             \
    if (pNewList == NULL)                                                                  \
      return;                                                                              \
    INT_PTR n = pNewList->m_nCount;                                                        \
    for (CNode* p = pNewList->m_pNodeTail; n-- > 0; p = p->pPrev)                          \
      AddHead(p->data);                                                                    \
  }                                                                                        \
  void CLASS::AddTail(const CLASS* pNewList) {                                             \
    if (pNewList == NULL)                                                                  \
      return;                                                                              \
    INT_PTR n = pNewList->m_nCount;                                                        \
    for (CNode* p = pNewList->m_pNodeHead; n-- > 0; p = p->pNext)                          \
      AddTail(p->data);                                                                    \
  }                                                                                        \
  TYPE& CLASS::GetNext(POSITION& rPosition) {                                              \
    CNode* pNode = (CNode*)rPosition;                                                      \
    if (pNode == NULL) {                                                                   \
      ASSERT(FALSE);                                                                       \
      return ScratchValue<TYPE>();                                                         \
    }                                                                                      \
    rPosition = (POSITION)pNode->pNext;                                                    \
    return pNode->data;                                                                    \
  }                                                                                        \
  RET_TYPE CLASS::GetNext(POSITION& rPosition) const {                                     \
    CNode* pNode = (CNode*)rPosition;                                                      \
    if (pNode == NULL) {                                                                   \
      ASSERT(FALSE);                                                                       \
      return EmptyValue<TYPE>();                                                           \
    }                                                                                      \
    rPosition = (POSITION)pNode->pNext;                                                    \
    return pNode->data;                                                                    \
  }                                                                                        \
  TYPE& CLASS::GetPrev(POSITION& rPosition) {                                              \
    CNode* pNode = (CNode*)rPosition;                                                      \
    if (pNode == NULL) {                                                                   \
      ASSERT(FALSE);                                                                       \
      return ScratchValue<TYPE>();                                                         \
    }                                                                                      \
    rPosition = (POSITION)pNode->pPrev;                                                    \
    return pNode->data;                                                                    \
  }                                                                                        \
  RET_TYPE CLASS::GetPrev(POSITION& rPosition) const {                                     \
    CNode* pNode = (CNode*)rPosition;                                                      \
    if (pNode == NULL) {                                                                   \
      ASSERT(FALSE);                                                                       \
      return EmptyValue<TYPE>();                                                           \
    }                                                                                      \
    rPosition = (POSITION)pNode->pPrev;                                                    \
    return pNode->data;                                                                    \
  }                                                                                        \
  TYPE& CLASS::GetAt(POSITION position) {                                                  \
    if (position == NULL) {                                                                \
      ASSERT(FALSE);                                                                       \
      return ScratchValue<TYPE>();                                                         \
    }                                                                                      \
    return ((CNode*)position)->data;                                                       \
  }                                                                                        \
  RET_TYPE CLASS::GetAt(POSITION position) const {                                         \
    if (position == NULL) {                                                                \
      ASSERT(FALSE);                                                                       \
      return EmptyValue<TYPE>();                                                           \
    }                                                                                      \
    return ((CNode*)position)->data;                                                       \
  }                                                                                        \
  void CLASS::SetAt(POSITION pos, ARG_TYPE newElement) {                                   \
    if (pos == NULL) {                                                                     \
      ASSERT(FALSE);                                                                       \
      return;                                                                              \
    }                                                                                      \
    ((CNode*)pos)->data = newElement;                                                      \
  }                                                                                        \
  void CLASS::RemoveAt(POSITION position) { AFX_LIST_CORE(TYPE).RemoveAt((CNode*)position); } \
  POSITION CLASS::InsertBefore(POSITION position, ARG_TYPE newElement) {                   \
    return AFX_LIST_CORE(TYPE).InsertBefore((CNode*)position, newElement);                 \
  }                                                                                        \
  POSITION CLASS::InsertAfter(POSITION position, ARG_TYPE newElement) {                    \
    return AFX_LIST_CORE(TYPE).InsertAfter((CNode*)position, newElement);                  \
  }                                                                                        \
  POSITION CLASS::FindIndex(INT_PTR nIndex) const {                                        \
    CNode* pHead = m_pNodeHead;                                                            \
    CNode* pTail = m_pNodeTail;                                                            \
    INT_PTR nCount = m_nCount;                                                             \
    CNode* pFree = m_pNodeFree;                                                            \
    CPlex* pBlocks = m_pBlocks;                                                            \
    return ListCore<CNode, TYPE>(pHead, pTail, nCount, pFree, pBlocks, m_nBlockSize)       \
        .FindIndex(nIndex);                                                                \
  }                                                                                        \
  void CLASS::AssertValid() const {                                                        \
    CObject::AssertValid();                                                                \
    ASSERT((m_nCount == 0) == (m_pNodeHead == NULL));                                      \
    ASSERT((m_nCount == 0) == (m_pNodeTail == NULL));                                      \
  }

AFX_IMPLEMENT_LIST(CPtrList, void*, void*, void*)
AFX_IMPLEMENT_LIST(CObList, CObject*, CObject*, CObject*)
AFX_IMPLEMENT_LIST(CStringList, CString, const CString&, const CString&)

#undef AFX_IMPLEMENT_LIST
#undef AFX_LIST_CORE

IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_SERIAL(CStringList, CObject, 0)

// Find compares pointers in CPtrList and CObList and string contents in CStringList.
POSITION CPtrList::Find(void* searchValue, POSITION startAfter) const {
  CNode* pNode = startAfter != NULL ? ((CNode*)startAfter)->pNext : m_pNodeHead;
  for (; pNode != NULL; pNode = pNode->pNext) {
    if (pNode->data == searchValue)
      return (POSITION)pNode;
  }
  return NULL;
}

POSITION CObList::Find(CObject* searchValue, POSITION startAfter) const {
  CNode* pNode = startAfter != NULL ? ((CNode*)startAfter)->pNext : m_pNodeHead;
  for (; pNode != NULL; pNode = pNode->pNext) {
    if (pNode->data == searchValue)
      return (POSITION)pNode;
  }
  return NULL;
}

POSITION CStringList::Find(LPCTSTR searchValue, POSITION startAfter) const {
  CNode* pNode = startAfter != NULL ? ((CNode*)startAfter)->pNext : m_pNodeHead;
  for (; pNode != NULL; pNode = pNode->pNext) {
    if (pNode->data == (searchValue != NULL ? searchValue : ""))
      return (POSITION)pNode;
  }
  return NULL;
}

void CObList::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD_PTR)m_nCount);
    for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
      ar << pNode->data;
  } else {
    DWORD_PTR nCount = ar.ReadCount();
    for (DWORD_PTR i = 0; i < nCount; ++i) {
      CObject* pOb;
      ar >> pOb;
      AddTail(pOb);
    }
  }
}

void CStringList::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD_PTR)m_nCount);
    for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
      ar << pNode->data;
  } else {
    DWORD_PTR nCount = ar.ReadCount();
    for (DWORD_PTR i = 0; i < nCount; ++i) {
      CString value;
      ar >> value;
      AddTail(value);
    }
  }
}
