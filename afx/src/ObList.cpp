// The list family: CObList, CPtrList and CStringList, doubly linked lists whose POSITION is a
// node, with nodes taken from blocks.
#include <afxcoll.h>

#include "Plex.h"

namespace afx_detail {

namespace {
// The data of a node reached through a position, the head or the tail. A NULL node asserts in
// debug builds; in release a read gives a zero value and a writable reference a scratch element.
template <class TYPE, class Node> TYPE& WritableData(Node* pNode)
{
    if (pNode == NULL) {
        ASSERT(FALSE);
        return ScratchValue<TYPE>();
    }
    return pNode->data;
}

template <class TYPE, class Node> const TYPE& ReadableData(const Node* pNode)
{
    if (pNode == NULL) {
        ASSERT(FALSE);
        return EmptyValue<TYPE>();
    }
    return pNode->data;
}

// Find compares pointers in CPtrList and CObList and string contents in CStringList.
inline bool ElementEquals(void* a, void* b)
{
    return a == b;
}
inline bool ElementEquals(CObject* a, CObject* b)
{
    return a == b;
}
inline bool ElementEquals(const CString& a, LPCTSTR b)
{
    return a == (b != NULL ? b : "");
}
}  // namespace

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::CListImpl(INT_PTR nBlockSize)
    : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_pNodeFree(NULL), m_pBlocks(NULL),
      m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)
{}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::~CListImpl()
{
    RemoveAll();
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
auto CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE value)
    -> CNode*
{
    TYPE copy(value);  // value may live in a node of this list
    CNode* pNode = NewElement(m_pNodeFree, m_pBlocks, m_nBlockSize);
    new (&pNode->data) TYPE(copy);
    pNode->pPrev = pPrev;
    pNode->pNext = pNext;
    ++m_nCount;
    return pNode;
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
void CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::FreeNode(CNode* pNode)
{
    pNode->data.~TYPE();
    pNode->pNext = m_pNodeFree;
    m_pNodeFree = pNode;
    // The last node gone: give every block back.
    if (--m_nCount == 0)
        RemoveAll();
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
void CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::RemoveAll()
{
    for (CNode* p = m_pNodeHead; p != NULL; p = p->pNext)
        p->data.~TYPE();
    m_nCount = 0;
    m_pNodeHead = m_pNodeTail = m_pNodeFree = NULL;
    if (m_pBlocks != NULL)
        m_pBlocks->FreeDataChain();
    m_pBlocks = NULL;
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
TYPE& CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::GetHead()
{
    return WritableData<TYPE>(m_pNodeHead);
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
ARG_TYPE CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::GetHead() const
{
    return ReadableData<TYPE>(m_pNodeHead);
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
TYPE& CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::GetTail()
{
    return WritableData<TYPE>(m_pNodeTail);
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
ARG_TYPE CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::GetTail() const
{
    return ReadableData<TYPE>(m_pNodeTail);
}

// Removing from an empty list asserts in debug builds and gives a zero value in release.
template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
TYPE CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::RemoveHead()
{
    if (m_pNodeHead == NULL) {
        ASSERT(FALSE);
        return TYPE();
    }
    CNode* pOld = m_pNodeHead;
    TYPE value(pOld->data);
    m_pNodeHead = pOld->pNext;
    if (m_pNodeHead != NULL)
        m_pNodeHead->pPrev = NULL;
    else
        m_pNodeTail = NULL;
    FreeNode(pOld);
    return value;
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
TYPE CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::RemoveTail()
{
    if (m_pNodeTail == NULL) {
        ASSERT(FALSE);
        return TYPE();
    }
    CNode* pOld = m_pNodeTail;
    TYPE value(pOld->data);
    m_pNodeTail = pOld->pPrev;
    if (m_pNodeTail != NULL)
        m_pNodeTail->pNext = NULL;
    else
        m_pNodeHead = NULL;
    FreeNode(pOld);
    return value;
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
POSITION CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::AddHead(ARG_TYPE newElement)
{
    CNode* pNode = NewNode(NULL, m_pNodeHead, newElement);
    if (m_pNodeHead != NULL)
        m_pNodeHead->pPrev = pNode;
    else
        m_pNodeTail = pNode;
    m_pNodeHead = pNode;
    return (POSITION)pNode;
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
POSITION CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::AddTail(ARG_TYPE newElement)
{
    CNode* pNode = NewNode(m_pNodeTail, NULL, newElement);
    if (m_pNodeTail != NULL)
        m_pNodeTail->pNext = pNode;
    else
        m_pNodeHead = pNode;
    m_pNodeTail = pNode;
    return (POSITION)pNode;
}

// Both walk the source a counted number of steps, so adding a list to itself doubles it.
template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
void CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::AddHead(const TList* pNewList)
{
    const CListImpl* pFrom = pNewList;
    if (pFrom == NULL)
        return;
    INT_PTR n = pFrom->m_nCount;
    for (CNode* p = pFrom->m_pNodeTail; n-- > 0; p = p->pPrev)
        AddHead(p->data);
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
void CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::AddTail(const TList* pNewList)
{
    const CListImpl* pFrom = pNewList;
    if (pFrom == NULL)
        return;
    INT_PTR n = pFrom->m_nCount;
    for (CNode* p = pFrom->m_pNodeHead; n-- > 0; p = p->pNext)
        AddTail(p->data);
}

// Stepping from a NULL position leaves it NULL.
template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
TYPE& CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::GetNext(POSITION& rPosition)
{
    CNode* pNode = (CNode*)rPosition;
    if (pNode != NULL)
        rPosition = (POSITION)pNode->pNext;
    return WritableData<TYPE>(pNode);
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
ARG_TYPE CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::GetNext(POSITION& rPosition) const
{
    const CNode* pNode = (const CNode*)rPosition;
    if (pNode != NULL)
        rPosition = (POSITION)pNode->pNext;
    return ReadableData<TYPE>(pNode);
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
TYPE& CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::GetPrev(POSITION& rPosition)
{
    CNode* pNode = (CNode*)rPosition;
    if (pNode != NULL)
        rPosition = (POSITION)pNode->pPrev;
    return WritableData<TYPE>(pNode);
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
ARG_TYPE CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::GetPrev(POSITION& rPosition) const
{
    const CNode* pNode = (const CNode*)rPosition;
    if (pNode != NULL)
        rPosition = (POSITION)pNode->pPrev;
    return ReadableData<TYPE>(pNode);
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
TYPE& CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::GetAt(POSITION position)
{
    return WritableData<TYPE>((CNode*)position);
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
ARG_TYPE CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::GetAt(POSITION position) const
{
    return ReadableData<TYPE>((const CNode*)position);
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
void CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::SetAt(POSITION pos, ARG_TYPE newElement)
{
    if (pos == NULL) {
        ASSERT(FALSE);
        return;
    }
    ((CNode*)pos)->data = newElement;
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
void CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::RemoveAt(POSITION position)
{
    CNode* pOld = (CNode*)position;
    if (pOld == NULL) {
        ASSERT(FALSE);
        return;
    }
    if (pOld == m_pNodeHead)
        m_pNodeHead = pOld->pNext;
    else
        pOld->pPrev->pNext = pOld->pNext;
    if (pOld == m_pNodeTail)
        m_pNodeTail = pOld->pPrev;
    else
        pOld->pNext->pPrev = pOld->pPrev;
    FreeNode(pOld);
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
POSITION CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::InsertBefore(POSITION position,
                                                                  ARG_TYPE newElement)
{
    CNode* pOld = (CNode*)position;
    if (pOld == NULL)
        return AddHead(newElement);
    CNode* pNew = NewNode(pOld->pPrev, pOld, newElement);
    if (pOld->pPrev != NULL)
        pOld->pPrev->pNext = pNew;
    else
        m_pNodeHead = pNew;
    pOld->pPrev = pNew;
    return (POSITION)pNew;
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
POSITION CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::InsertAfter(POSITION position,
                                                                 ARG_TYPE newElement)
{
    CNode* pOld = (CNode*)position;
    if (pOld == NULL)
        return AddTail(newElement);
    CNode* pNew = NewNode(pOld, pOld->pNext, newElement);
    if (pOld->pNext != NULL)
        pOld->pNext->pPrev = pNew;
    else
        m_pNodeTail = pNew;
    pOld->pNext = pNew;
    return (POSITION)pNew;
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
POSITION CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::Find(FIND_ARG searchValue,
                                                          POSITION startAfter) const
{
    CNode* pNode = startAfter != NULL ? ((CNode*)startAfter)->pNext : m_pNodeHead;
    for (; pNode != NULL; pNode = pNode->pNext) {
        if (ElementEquals(pNode->data, searchValue))
            return (POSITION)pNode;
    }
    return NULL;
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
POSITION CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return NULL;
    CNode* pNode = m_pNodeHead;
    while (nIndex-- > 0)
        pNode = pNode->pNext;
    return (POSITION)pNode;
}

template <class TList, class TYPE, class ARG_TYPE, class FIND_ARG>
void CListImpl<TList, TYPE, ARG_TYPE, FIND_ARG>::AssertValid() const
{
    CObject::AssertValid();
    ASSERT((m_nCount == 0) == (m_pNodeHead == NULL));
    ASSERT((m_nCount == 0) == (m_pNodeTail == NULL));
}

template class CListImpl<CPtrList, void*, void*, void*>;
template class CListImpl<CObList, CObject*, CObject*, CObject*>;
template class CListImpl<CStringList, CString, const CString&, LPCTSTR>;

}  // namespace afx_detail

CPtrList::CPtrList(INT_PTR nBlockSize) : CListImpl(nBlockSize) {}
CPtrList::~CPtrList() {}
CObList::CObList(INT_PTR nBlockSize) : CListImpl(nBlockSize) {}
CObList::~CObList() {}
CStringList::CStringList(INT_PTR nBlockSize) : CListImpl(nBlockSize) {}
CStringList::~CStringList() {}

IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_SERIAL(CStringList, CObject, 0)

namespace {
// A count, then each element; loading appends to what the list already holds.
template <class LIST, class TYPE> void SerializeElements(CArchive& ar, LIST& list)
{
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD_PTR)list.GetCount());
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
            ar << list.GetNext(pos);
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    for (DWORD_PTR i = 0; i < nCount; ++i) {
        TYPE value;
        ar >> value;
        list.AddTail(value);
    }
}
}  // namespace

void CObList::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeElements<CObList, CObject*>(ar, *this);
}

void CStringList::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeElements<CStringList, CString>(ar, *this);
}
