// CTextBoxElement: a string laid out with word wrapping inside a rectangle, left, centred or
// right aligned, optionally inside a frame; and TextBoxParams, its construction record.
#pragma once
#include <afxwin.h>

#include "elements/GraphicElement.h"

// The host's text box as the view hands it to the element: the box as the host passed it (not
// normalised), the alignment character ('R' right, 'C' centre, anything else left), whether a
// frame is drawn, and the text.
struct TextBoxParams {
    int left;
    int top;
    int right;
    int bottom;
    char align;
    BOOL framed;
    CString text;
};

class AFX_EXT_CLASS CTextBoxElement : public CGraphicElement
{
public:
    CTextBoxElement(int stateIndex, const TextBoxParams* p);
    virtual ~CTextBoxElement();

    // Skipped when the normalised box is not visible; otherwise the frame (the state's pen and
    // whatever brush pDC holds) and the text, inset by 2 inside a frame.
    virtual void Draw(CDC* pDC, const RECT* pClip);

    // The DrawText format of an alignment character: case-sensitive, always word-wrapped.
    static UINT FormatFlags(char align);

    char align;
    BOOL framed;
    CString text;
};
