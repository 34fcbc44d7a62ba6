// CGraphicElementList: an array of owned graphic elements, the view's display list and its list
// of discarded elements.
#pragma once
#include <afxwin.h>
#include <afxcoll.h>

class CGraphicElement;

class AFX_EXT_CLASS CGraphicElementList : public CObArray
{
public:
    CGraphicElementList();
    // Only destroys the array: the owner calls DeleteAll first.
    virtual ~CGraphicElementList();

    // Appends e at the end, growing the array.
    void Add(CGraphicElement* e);
    // The element at nIndex; NULL for a bad index.
    CGraphicElement* GetElement(INT_PTR nIndex) const;
    // Deletes every non-null entry through its virtual destructor, then empties the array.
    void DeleteAll();
};
