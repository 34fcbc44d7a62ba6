// CDcSelection: the one scoped selection of GDI objects. Whatever it selects into a device
// context is put back, and whatever it built is deleted, when the scope ends, on every path.
#pragma once
#include <afxwin.h>

#include "state/DcSettings.h"

class CGraphicElement;

class AFX_EXT_CLASS CDcSelection
{
public:
    // Selects the parts (SEL_*) of the element's drawing state into pDC.
    CDcSelection(CDC* pDC, CGraphicElement* pElement, int parts);
    // Selects an object the scope then owns (a null or empty one selects nothing); it is
    // deselected and deleted when the scope ends.
    CDcSelection(CDC* pDC, CFont* pOwnedFont);
    // Puts back what was replaced and deletes what was built.
    ~CDcSelection();

    // What the selection built and what it replaced.
    const DcSettings& Created() const { return m_created; }
    const DcSettings& Saved() const { return m_saved; }

private:
    CDcSelection(const CDcSelection&) = delete;
    void operator=(const CDcSelection&) = delete;

    CDC* m_pDC;
    int m_parts;
    DcSettings m_created;
    DcSettings m_saved;
};

// The restoring half of a selection (also CGraphicElement::SelectState with select FALSE): puts
// back the parts' objects, text colour, raster operation, spacing and background mode kept in
// saved, and deletes the objects in created.
AFX_EXT_API void AFXAPI RestoreDcSettings(CDC* pDC, int parts, DcSettings& created,
                                          DcSettings& saved);
