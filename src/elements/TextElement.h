// CTextElement: one line of text whose baseline starts at the pen location; the pen then moves
// to the end of the text on the same baseline, so successive texts continue one another.
#pragma once
#include <afxwin.h>

#include "elements/GraphicElement.h"

class AFX_EXT_CLASS CTextElement : public CGraphicElement
{
public:
    // (x, y) is the left end of the baseline: the view's pen location.
    CTextElement(int stateIndex, const CString& text, int x, int y);
    virtual ~CTextElement();

    // Draws (bDraw) or measures the text on pDC with the state's pen, text colour, raster
    // operation and font, transparent and aligned on the baseline. Measuring gives the text's
    // rectangle, standing on the baseline; drawing gives (x, y, x, y).
    CRect RenderText(CDC* pDC, BOOL bDraw);
    // bounds := the text measured on a memory context compatible with the screen; unchanged
    // when that context cannot be made.
    void MeasureBounds();

    // Always drawn: the text has no visibility test.
    virtual void Draw(CDC* pDC, const RECT* pClip);
    // The end of the baseline, measured again on pDC (the view's own context).
    virtual BOOL GetEndPoint(CDC* pDC, POINT* pOut);
    virtual BOOL IsText();

    CString text;
    POINT origin;
};
