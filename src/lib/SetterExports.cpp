// Exports that change a view's drawing state. Each but Grafic_Dll_Set_Options appends a state
// element after its change; a null view or argument pointer does nothing and appends nothing.
#include "lib/Library.h"

#include "state/Words.h"
#include "view/GraphicView.h"

namespace {

// Runs one change of the view's state and appends a state element. A change that runs out of
// memory leaves the state as it was and appends nothing.
template <class Change> void ChangeState(CGraphicView* pView, Change change)
{
    if (pView == NULL)
        return;
    BOOL bChanged = FALSE;
    RunGuarded([&] {
        change(pView);
        bChanged = TRUE;
    });
    if (bChanged)
        pView->AppendStateElement();
}

}  // namespace

extern "C" {

void GRAFAPI Grafic_Dll_Set_Pen_Normal(CGraphicView* pView)
{
    ChangeState(pView, [](CGraphicView* v) {
        v->m_state.m_penSize = 1;
        v->m_state.m_fogndColor = RGB(0, 0, 0);
        v->m_state.m_bkgndColor = RGB(255, 255, 255);
        v->m_state.m_penMode = R2_COPYPEN;
    });
}

void GRAFAPI Grafic_Dll_Set_Pen_Size(CGraphicView* pView, const int* pSize)
{
    if (pSize == NULL)
        return;
    ChangeState(pView, [pSize](CGraphicView* v) { v->m_state.m_penSize = *pSize; });
}

void GRAFAPI Grafic_Dll_Set_Pen_Location(CGraphicView* pView, const POINT* pPoint)
{
    if (pPoint == NULL)
        return;
    ChangeState(pView, [pPoint](CGraphicView* v) { v->SetPenLocation(*pPoint); });
}

void GRAFAPI Grafic_Dll_Offset_Pen_Location(CGraphicView* pView, const POINT* pOffset)
{
    if (pOffset == NULL)
        return;
    ChangeState(pView, [pOffset](CGraphicView* v) {
        POINT pt;
        pt.x = WrappingAdd(v->m_penLocation.x, pOffset->x);
        pt.y = WrappingAdd(v->m_penLocation.y, pOffset->y);
        v->SetPenLocation(pt);
    });
}

void GRAFAPI Grafic_Dll_Set_Fognd_Color(CGraphicView* pView, COLORREF color)
{
    ChangeState(pView, [color](CGraphicView* v) { v->m_state.m_fogndColor = color; });
}

void GRAFAPI Grafic_Dll_Set_Bkgnd_Color(CGraphicView* pView, COLORREF color)
{
    ChangeState(pView, [color](CGraphicView* v) { v->m_state.m_bkgndColor = color; });
}

void GRAFAPI Grafic_Dll_Set_Text_Normal(CGraphicView* pView)
{
    ChangeState(pView, [](CGraphicView* v) { v->ResetTextState(); });
}

void GRAFAPI Grafic_Dll_Set_Text_Font(CGraphicView* pView, const CString* pFace)
{
    if (pFace == NULL || IsNullString(*pFace))
        return;
    ChangeState(pView, [pFace](CGraphicView* v) { v->SetTextFont(*pFace); });
}

void GRAFAPI Grafic_Dll_Set_Text_Size(CGraphicView* pView, int points)
{
    ChangeState(pView, [points](CGraphicView* v) {
        v->m_state.m_fontSize = points == 0 ? 12 : points;
        // Even 0 marks the size as chosen: the height then follows the device.
        v->m_state.m_fontSizeSet = TRUE;
    });
}

void GRAFAPI Grafic_Dll_Set_Text_Style(CGraphicView* pView, const CStringArray* pWords)
{
    if (pWords == NULL)
        return;
    for (INT_PTR i = 0; i < pWords->GetSize(); ++i) {
        if (IsNullString(pWords->GetAt(i)))
            return;
    }
    ChangeState(pView, [pWords](CGraphicView* v) { v->MergeTextStyle(ParseTextStyle(*pWords)); });
}

void GRAFAPI Grafic_Dll_Set_Options(CGraphicView* pView, BOOL on, const CUIntArray* pOptions)
{
    if (pView == NULL || pOptions == NULL)
        return;
    pView->SetOptionBits(on, *pOptions);
}

// Exported as Grafic_Dll_Set_Pattern, Grafic_Dll_Set_Bkg_Pattern, Grafic_Dll_Set_Pen_Mode and
// Grafic_Dll_Set_Text_Mode: the state has none of these settings, so each only marks a state
// change. Whatever the host passes after the view is left unread (the caller removes it).
void GRAFAPI GraficAppendStateOnly(CGraphicView* pView, ...)
{
    ChangeState(pView, [](CGraphicView*) {});
}

}  // extern "C"
