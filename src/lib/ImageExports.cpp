// Exports of icons and pictures: check the view and the host's pointers, copy the block and hand
// over to the view.
#include "lib/Library.h"

#include "elements/Dib.h"
#include "elements/IconElement.h"
#include "elements/PictureElement.h"
#include "view/GraphicView.h"

void GRAFAPI Grafic_Dll_Icon(CGraphicView* pView, const GRAF_ICON* pBlock)
{
    if (pView == NULL || pBlock == NULL || IsNullString(pBlock->label))
        return;
    RunGuarded([&] {
        IconParams p;
        p.x = pBlock->x;
        p.y = pBlock->y;
        p.iconNumber = pBlock->iconNumber;
        p.regionId = pBlock->regionId;
        p.label = pBlock->label;
        pView->AddIcon(&p);
    });
}

void GRAFAPI Grafic_Dll_Set_Icon(CGraphicView* pView, int iconNumber)
{
    if (pView != NULL)
        pView->SetIcon(iconNumber);
}

int GRAFAPI Grafic_Dll_GetSelectedIcon(CGraphicView* pView)
{
    return pView != NULL ? pView->CountIcons() : 0;
}

void GRAFAPI Grafic_Dll_Picture(CGraphicView* pView, const GRAF_PICTURE* pBlock)
{
    if (pView != NULL && pBlock != NULL) {
        GRAF_PICTURE copy = *pBlock;
        pView->AddPicture(&copy);
    }
}

BOOL GRAFAPI Grafic_Dll_Set_Pict(CGraphicView* pView, int pictNumber, HGLOBAL hDib, int index)
{
    return pView != NULL ? pView->SetPict(pictNumber, hDib, index) : FALSE;
}

void GRAFAPI Grafic_Dll_DefineCurPict(CGraphicView* pView, const POINT* pPos, int regionId)
{
    if (pView != NULL && pPos != NULL)
        pView->DefineCurPict(*pPos, regionId);
}

void GRAFAPI Grafic_Dll_UpdateCurPict(CGraphicView* pView, HGLOBAL hDib, const RECT* pRect,
                                      int index)
{
    if (pView != NULL)
        pView->UpdateCurPict(hDib, pRect, index);
}

void GRAFAPI Grafic_Dll_UpdatePictSize(CGraphicView* pView, const RECT* pRect)
{
    if (pView != NULL)
        pView->UpdatePictSize(pRect);
}

int GRAFAPI Grafic_Dll_GetTransparentIndex(CGraphicView* pView)
{
    if (pView == NULL)
        return -1;
    CPictureElement* pPict = pView->OnlyPicture();
    return pPict != NULL ? pPict->GetTransparentIndex() : 0;
}

void GRAFAPI Grafic_Dll_SetTransparentIndex(CGraphicView* pView, int index)
{
    CPictureElement* pPict = pView != NULL ? pView->OnlyPicture() : NULL;
    if (pPict != NULL)
        pPict->SetTransparentIndex(index);
}

HGLOBAL GRAFAPI Grafic_Dll_HasOnlyOnePict(CGraphicView* pView)
{
    CPictureElement* pPict = pView != NULL ? pView->OnlyPicture() : NULL;
    return pPict != NULL ? pPict->hDib : NULL;
}

CSize GRAFAPI Grafic_Dll_GetPictSize(CView* pView)
{
    // A view of another class has no pictures.
    if (pView == NULL || !pView->IsKindOf(RUNTIME_CLASS(CGraphicView)))
        return CSize(0, 0);
    CPictureElement* pPict = static_cast<CGraphicView*>(pView)->OnlyPicture();
    if (pPict == NULL)
        return CSize(0, 0);
    CLockedDib dib(pPict->hDib);
    return dib.IsValid() ? CSize(dib.Width(), dib.Height()) : CSize(0, 0);
}
