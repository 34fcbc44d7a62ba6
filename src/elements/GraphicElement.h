// The graphic element base class: what every display-list entry shares (state index, verb,
// pattern, hit region, pointer flags, options, bounds), the order of the virtual operations the
// view calls on every element, and the library-wide count of live elements.
#pragma once
#include <afxwin.h>

#include "state/DcSettings.h"
#include "state/GraphicState.h"

// Live elements in the process. The destructor that brings it to 0 destroys the state table.
extern AFX_EXT_API int g_elementCount;

class AFX_EXT_CLASS CGraphicElement : public CObject
{
public:
    CGraphicElement(int stateIndex, int verb, int pattern);
    // Does not free the region: each derived destructor calls its own ReleaseResources first.
    virtual ~CGraphicElement();

    // pClip is the rectangle being repainted, or NULL for the whole element.
    virtual void Draw(CDC* pDC, const RECT* pClip);
    // Inverts the region of an active element whose options ask for it; leaves no clip region.
    virtual void Highlight(CDC* pDC);
    // Sets pressed and, with bDraw, shows the pressed image or the default pressed look.
    virtual void Press(CDC* pDC, BOOL bDraw);
    // Lightens the dark pixels of the region in a stipple; undone only by repainting.
    virtual void DrawPressed(CDC* pDC);
    virtual void Redraw(CDC* pDC);
    virtual int SetStateIndex(int index);
    virtual BOOL GetBounds(CRect* pOut);
    // TRUE when the element ends where the pen should go next; pDC only measures.
    virtual BOOL GetEndPoint(CDC* pDC, POINT* pOut);
    virtual BOOL UsesBlinkingFrame();
    virtual BOOL UsesInversion();
    virtual BOOL HasHighlightImage();
    virtual BOOL HasPressedImage();
    virtual BOOL IsIcon();
    virtual BOOL IsPicture();
    virtual BOOL IsText();
    virtual BOOL IsState();
    virtual BOOL IsRect();
    virtual BOOL IsRoundRect();
    virtual BOOL IsOval();
    virtual BOOL IsPolygon();
    virtual BOOL IsArc();
    // Frees what the kind owns (region, points, images); safe to call more than once.
    virtual void ReleaseResources();

    // Frees the held region (its GDI object, then the CRgn) and keeps pNew, which may be NULL.
    void SetRegion(CRgn* pNew);
    // Turns a region-carrying element into a plain one: verb VERB_NONE, no region.
    void DropRegion();
    // TRUE when the region contains pt (document coordinates); FALSE without a region.
    BOOL HitTest(const POINT* pt) const;
    // Moves the edges of r inward so that a pen of the state's width stays inside it.
    void InsetForPen(CRect& r) const;
    // Selects (select TRUE) the parts (SEL_*) of the pen, brush, raster operation and font
    // realised from the element's state record, verb and pattern, keeping what it built in
    // created and what it replaced in saved; with select FALSE and the same records, puts
    // everything back and deletes what was built. Nothing when no state record is found.
    // Draw code pairs the two calls through CDcSelection.
    void SelectState(CDC* pDC, int parts, DcSettings& created, DcSettings& saved, BOOL select);
    // The brush of the element's verb and pattern with the record's colours, or NULL.
    CBrush* CreateStateBrush(CDC* pDC, const CGraphicState& rec);

    int stateIndex;
    int verb;
    int pattern;   // PAT_* code, or the region identifier for VERB_ACTIVE and VERB_CLICK
    CRgn* region;  // owned; only on elements drawn with VERB_ACTIVE or VERB_CLICK
    BOOL pressed;
    BOOL highlighted;
    UINT options;  // OPT_* bits
    BOOL discarded;
    CRect bounds;  // document coordinates

private:
    CGraphicElement(const CGraphicElement&) = delete;
    void operator=(const CGraphicElement&) = delete;
};
