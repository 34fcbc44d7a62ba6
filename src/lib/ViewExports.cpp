// Exports that act on a view's display list: the element count, the host's repaint, and the
// deletions with the repaint each of them asks for.
#include "lib/Library.h"

#include "view/GraphicView.h"

int GRAFAPI Grafic_Dll_GetNbElement(CGraphicView* pView)
{
    if (pView == NULL)
        return 0;
    return static_cast<int>(pView->m_displayList.GetSize());
}

void GRAFAPI Grafic_Dll_RepaintView(CGraphicView* pView, CDC* pDC)
{
    if (pView != NULL)
        pView->RepaintView(pDC);
}

void GRAFAPI Grafic_Dll_Del_All_Elt(CGraphicView* pView)
{
    if (pView == NULL)
        return;
    pView->DeleteAllElements();
    pView->FullRepaint();
}

void GRAFAPI Grafic_Dll_Del_Last_Elt(CGraphicView* pView, BOOL bPartial)
{
    if (pView != NULL)
        pView->DeleteLastElement(bPartial);
}

void GRAFAPI Grafic_Dll_Del_Listed_Elt(CGraphicView* pView, CUIntArray* pNumbers, BOOL bPartial)
{
    if (pView == NULL || pNumbers == NULL)
        return;
    // The host numbers from 1; its array holds the 0-based numbers afterwards.
    for (INT_PTR i = 0; i < pNumbers->GetSize(); ++i)
        pNumbers->SetAt(i, pNumbers->GetAt(i) - 1);
    pView->DeleteListedElements(pNumbers, bPartial);
}

void GRAFAPI Grafic_Dll_Del_All_Activ_Rgn(CGraphicView* pView)
{
    if (pView == NULL)
        return;
    pView->DeleteAllActivRgns();
    pView->FullRepaint();
}

void GRAFAPI Grafic_Dll_Del_All_Click_Rgn(CGraphicView* pView)
{
    if (pView == NULL)
        return;
    pView->DeleteAllClickRgns();
    pView->FullRepaint();
}

void GRAFAPI Grafic_Dll_Del_Listed_Activ_Rgn(CGraphicView* pView, const CUIntArray* pIds)
{
    if (pView == NULL || pIds == NULL)
        return;
    pView->DeleteListedActivRgns(pIds);
    pView->FullRepaint();
}

void GRAFAPI Grafic_Dll_Del_Listed_Click_Rgn(CGraphicView* pView, const CUIntArray* pIds)
{
    if (pView == NULL || pIds == NULL)
        return;
    pView->DeleteListedClickRgns(pIds);
    pView->FullRepaint();
}
