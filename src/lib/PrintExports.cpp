// Exports that print a view and open its print preview. Neither tests the view beyond null:
// the host must pass a live one.
#include "lib/Library.h"

#include "view/GraphicView.h"

void GRAFAPI Grafic_Dll_Print(CGraphicView* pView)
{
    if (pView != NULL)
        pView->OnFilePrint();
}

void GRAFAPI Grafic_Dll_PrintPreview(CGraphicView* pView, LONG paneId)
{
    if (pView != NULL)
        pView->OpenPreview(paneId);
}
