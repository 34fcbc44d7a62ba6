// The scoped selection of GDI objects and the restoring half that every selection shares.
#include "state/DcSelection.h"

#include "elements/GraphicElement.h"

CDcSelection::CDcSelection(CDC* pDC, CGraphicElement* pElement, int parts)
    : m_pDC(pDC), m_parts(parts)
{
    if (pDC != NULL && pElement != NULL)
        pElement->SelectState(pDC, parts, m_created, m_saved, TRUE);
}

CDcSelection::CDcSelection(CDC* pDC, CFont* pOwnedFont) : m_pDC(pDC), m_parts(SEL_FONT)
{
    m_created.font = pOwnedFont;
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || pOwnedFont == NULL ||
        pOwnedFont->GetSafeHandle() == NULL)
        return;
    // The restoring half also puts back spacing and background mode: keep them as found.
    m_saved.charExtra = pDC->GetTextCharacterExtra();
    m_saved.bkMode = pDC->GetBkMode();
    m_saved.font = pDC->SelectObject(pOwnedFont);
    m_saved.applied = TRUE;
}

CDcSelection::~CDcSelection()
{
    RestoreDcSettings(m_pDC, m_parts, m_created, m_saved);
}

void AFXAPI RestoreDcSettings(CDC* pDC, int parts, DcSettings& created, DcSettings& saved)
{
    if (saved.applied && pDC != NULL && pDC->GetSafeHdc() != NULL) {
        if ((parts & SEL_PEN) != 0) {
            if (saved.pen != NULL)
                pDC->SelectObject(saved.pen);
            pDC->SetTextColor(saved.textColor);
        }
        if ((parts & SEL_BRUSH) != 0 && saved.brush != NULL)
            pDC->SelectObject(saved.brush);
        if ((parts & SEL_FONT) != 0 && saved.font != NULL)
            pDC->SelectObject(saved.font);
    }
    // What was built goes whether or not it could be selected; a second call finds nothing.
    delete created.pen;
    created.pen = NULL;
    delete created.brush;
    created.brush = NULL;
    if (created.font != NULL) {
        created.font->DeleteObject();
        delete created.font;
        created.font = NULL;
    }
    if (!saved.applied || pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    if (saved.rop != 0)
        pDC->SetROP2(saved.rop);
    pDC->SetTextCharacterExtra(saved.charExtra);
    pDC->SetBkMode(saved.bkMode);
    saved.pen = NULL;
    saved.brush = NULL;
    saved.font = NULL;
    saved.applied = FALSE;
}
