// CPlex: blocks of fixed-size elements chained together, from which lists take their nodes and
// maps their associations; the whole chain is freed at once.
#pragma once
#include <afxcoll.h>

#include <new>
#include <stdint.h>
#include <stdlib.h>

struct CPlex {
    CPlex* pNext;

    void* data() { return this + 1; }

    // Adds a block of nMax elements of cbElement bytes to the front of the chain.
    static CPlex* Create(CPlex*& pHead, size_t nMax, size_t cbElement)
    {
        if (nMax == 0 || cbElement == 0 || nMax > (SIZE_MAX - sizeof(CPlex)) / cbElement)
            AfxThrowMemoryException();
        CPlex* p = (CPlex*)malloc(sizeof(CPlex) + nMax * cbElement);
        if (p == NULL)
            AfxThrowMemoryException();
        p->pNext = pHead;
        pHead = p;
        return p;
    }

    void FreeDataChain()
    {
        CPlex* p = this;
        while (p != NULL) {
            CPlex* pNext = p->pNext;
            free(p);
            p = pNext;
        }
    }
};

namespace afx_detail {

// Takes a free element, carving a new block into the free list when there is none. Element
// types start with their "next" pointer (CNode::pNext, CAssoc::pNext).
template <class Element> Element* NewElement(Element*& pFree, CPlex*& pBlocks, INT_PTR nBlockSize)
{
    if (pFree == NULL) {
        size_t nMax = nBlockSize > 0 ? (size_t)nBlockSize : 10;
        CPlex* pNew = CPlex::Create(pBlocks, nMax, sizeof(Element));
        Element* pElement = (Element*)pNew->data() + nMax - 1;
        for (size_t i = 0; i < nMax; ++i, --pElement) {
            pElement->pNext = pFree;
            pFree = pElement;
        }
    }
    Element* pElement = pFree;
    pFree = pFree->pNext;
    return pElement;
}

// A zero value of T for reads through a bad index or position.
template <class T> const T& EmptyValue()
{
    static const T value = T();
    return value;
}

// A writable element that bad indices and positions refer to, reset on each use.
template <class T> T& ScratchValue()
{
    static T value;
    value = T();
    return value;
}

}  // namespace afx_detail
