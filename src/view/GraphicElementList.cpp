// CGraphicElementList: appending, reading and deleting the owned elements.
#include "view/GraphicElementList.h"

#include "elements/GraphicElement.h"

CGraphicElementList::CGraphicElementList() {}

CGraphicElementList::~CGraphicElementList() {}

void CGraphicElementList::Add(CGraphicElement* e)
{
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
