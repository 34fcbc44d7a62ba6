// The graphic view's drawing-state changes made by the setters: text style, text face and its
// mapping from the host's names, text defaults and the default option bits.
#include "view/GraphicView.h"

#include <string.h>

void CGraphicView::MergeTextStyle(int set)
{
    if (set & STYLE_PLAIN) {
        m_state.m_textStyle = (UINT)set;
        return;
    }
    // Without PLAIN bits are only ever added.
    m_state.m_textStyle |= (UINT)set & (STYLE_BOLD | STYLE_SHADOW | STYLE_OUTLINE | STYLE_CONDENSE |
                                        STYLE_ITALIC | STYLE_UNDERLINE | STYLE_EXTEND);
}

void CGraphicView::SetOptionBits(BOOL on, const CUIntArray& list)
{
    const UINT all = OPT_HIGHLIGHT_ACTIVE | OPT_CLICK_ON_RELEASE | OPT_ICON_SELECTION;
    if (list.GetSize() == 0) {
        m_defaultOptions = on ? all : 0;
        return;
    }
    UINT bits = m_defaultOptions;
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        UINT mask;
        switch (list.GetAt(i)) {
        case 0:
            mask = all;
            break;
        case 1:
            mask = OPT_HIGHLIGHT_ACTIVE;
            break;
        case 2:
            mask = OPT_CLICK_ON_RELEASE;
            break;
        case 3:
            mask = OPT_ICON_SELECTION;
            break;
        default:
            continue;
        }
        bits = on ? (bits | mask) : (bits & ~mask);
    }
    m_defaultOptions = bits;
}

void CGraphicView::ResetTextState()
{
    m_state.m_fontName = "Arial";
    m_state.m_fontSize = 12;
    m_state.m_textStyle = STYLE_PLAIN;
    m_state.m_fontSizeSet = FALSE;
}

void CGraphicView::SetTextFont(const CString& name)
{
    m_state.m_fontName = MapFaceName(name);
}

CString CGraphicView::MapFaceName(const CString& name)
{
    if (name.IsEmpty())
        return CString("Arial");
    CString face = name;
    face.MakeUpper();
    if (strcmp(face, "GENEVA") == 0 || strcmp(face, "MONACO") == 0)
        return CString("Arial");
    if (strcmp(face, "CALFIXEDSYS") == 0)
        return CString("COURIER");
    return face;
}
