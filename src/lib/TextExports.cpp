// Exports of the text and the text box: copy the host's string or block into what the view
// needs and hand it over; the view appends the element and draws it.
#include "lib/Library.h"

#include "elements/TextBoxElement.h"
#include "view/GraphicView.h"

void GRAFAPI Grafic_Dll_Draw_Text(CGraphicView* pView, const CString* pText)
{
    if (pView == NULL || pText == NULL || IsNullString(*pText))
        return;
    RunGuarded([&] {
        CString text(*pText);
        pView->AddText(text);
    });
}

void GRAFAPI Grafic_Dll_Draw_Text_Box(CGraphicView* pView, const GRAF_TEXTBOX* pBlock)
{
    if (pView == NULL || pBlock == NULL || IsNullString(pBlock->align) ||
        IsNullString(pBlock->text))
        return;
    RunGuarded([&] {
        TextBoxParams p;
        p.left = pBlock->rect.left;
        p.top = pBlock->rect.top;
        p.right = pBlock->rect.right;
        p.bottom = pBlock->rect.bottom;
        // Only the first byte is read: for a multibyte lead byte it matches neither R nor C.
        p.align = pBlock->align.IsEmpty() ? 'L' : pBlock->align[0];
        p.framed = pBlock->framed;
        p.text = pBlock->text;
        pView->AddTextBox(&p);
    });
}
