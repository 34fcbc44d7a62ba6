// CGraphicElementList: appending, reading and deleting the owned elements.
#include "view/GraphicElementList.h"

#include "elements/GraphicElement.h"

CGraphicElementList::CGraphicElementList() {}

CGraphicElementList::~CGraphicElementList() {}

void CGraphicElementList::Add(CGraphicElement* e)
{
    // The array grows by half its size once it is past the class layer's largest step of 1,024
    // slots, so that a list of n elements is copied O(log n) times instead of n / 1,024 times.
    const INT_PTR n = GetSize();
    if (n >= 8192 && (n & (n - 1)) == 0)
        SetSize(n, n / 2);
    CObArray::Add(e);
}

CGraphicElement* CGraphicElementList::GetElement(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= GetSize())
        return NULL;
    return static_cast<CGraphicElement*>(CObArray::GetAt(nIndex));
}

void CGraphicElementList::DeleteAll()
{
    // Detach each entry before deleting it, so a destructor that looks at the list never finds
    // a dead element in it.
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        CGraphicElement* e = GetElement(i);
        CObArray::SetAt(i, NULL);
        delete e;
    }
    SetSize(0, -1);
}
