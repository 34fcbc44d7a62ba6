// CTextElement: drawing and measuring one line of text on its baseline.
#include "elements/TextElement.h"

#include "state/DcSelection.h"
#include "state/MeasureDC.h"

CTextElement::CTextElement(int stateIndex, const CString& text, int x, int y)
    : CGraphicElement(stateIndex, VERB_NONE, -2), text(text)
{
    origin.x = x;
    origin.y = y;
    bounds.left = x;
    bounds.bottom = y;
    MeasureBounds();
}

CTextElement::~CTextElement() {}

CRect CTextElement::RenderText(CDC* pDC, BOOL bDraw)
{
    const int x = origin.x;
    const int y = origin.y;
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return CRect(x, y, x, y);
    int oldBkMode = pDC->SetBkMode(TRANSPARENT);
    UINT oldAlign = pDC->SetTextAlign(TA_BASELINE);
    CRect r(x, y, x, y);
    {
        CDcSelection selection(pDC, this, SEL_PEN | SEL_ROP | SEL_FONT);
        if (bDraw) {
            pDC->TextOut(x, y, text, text.GetLength());
        } else {
            CSize size = pDC->GetTextExtent(text, text.GetLength());
            r.SetRect(x, y - size.cy, x + size.cx, y);
        }
    }
    pDC->SetTextAlign(oldAlign);
    pDC->SetBkMode(oldBkMode);
    return r;
}

void CTextElement::MeasureBounds()
{
    CMeasureDC dc;
    if (dc.Get() != NULL)
        bounds = RenderText(dc.Get(), FALSE);
}

void CTextElement::Draw(CDC* pDC, const RECT*)
{
    RenderText(pDC, TRUE);
}

BOOL CTextElement::GetEndPoint(CDC* pDC, POINT* pOut)
{
    if (pOut == NULL)
        return FALSE;
    CRect r = RenderText(pDC, FALSE);
    pOut->x = origin.x - r.left + r.right;
    pOut->y = origin.y;
    return TRUE;
}

BOOL CTextElement::IsText()
{
    return TRUE;
}
