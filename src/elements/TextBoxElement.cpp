// CTextBoxElement: the framed or bare, word-wrapped text box.
#include "elements/TextBoxElement.h"

#include "state/DcSelection.h"

CTextBoxElement::CTextBoxElement(int stateIndex, const TextBoxParams* p)
    : CGraphicElement(stateIndex, VERB_NONE, -2), align(p->align), framed(p->framed), text(p->text)
{
    bounds.SetRect(p->left, p->top, p->right, p->bottom);
}

CTextBoxElement::~CTextBoxElement() {}

UINT CTextBoxElement::FormatFlags(char align)
{
    UINT flags = DT_LEFT;
    if (align == 'R')
        flags = DT_RIGHT;
    else if (align == 'C')
        flags = DT_CENTER;
    return flags | DT_WORDBREAK;
}

void CTextBoxElement::Draw(CDC* pDC, const RECT*)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    CRect visible(bounds);
    visible.NormalizeRect();
    if (!pDC->RectVisible(&visible))
        return;
    CDcSelection selection(pDC, this, SEL_PEN | SEL_FONT);
    UINT flags = FormatFlags(align);
    // The box is drawn as stored, even inverted: GDI orders the edges itself.
    CRect r(bounds);
    if (framed) {
        pDC->Rectangle(&r);
        r.InflateRect(-2, -2);
    }
    int oldBkMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(text, -1, &r, flags);
    pDC->SetBkMode(oldBkMode);
}
