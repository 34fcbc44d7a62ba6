// CGraphicView: the element-creating operations of the text and the text box. Each interns the
// view's drawing state, builds the element and appends it, drawn at once.
#include "view/GraphicView.h"

#include <new>

#include "elements/TextBoxElement.h"
#include "elements/TextElement.h"

// The allocation comes before the arguments are evaluated, so a failed one leaves no element
// and interns no state.
void CGraphicView::AddText(const CString& text)
{
    AddElement(new (std::nothrow)
                   CTextElement(InternState(), text, m_penLocation.x, m_penLocation.y),
               TRUE);
}

void CGraphicView::AddTextBox(const TextBoxParams* p)
{
    if (p != NULL)
        AddElement(new (std::nothrow) CTextBoxElement(InternState(), p), TRUE);
}
