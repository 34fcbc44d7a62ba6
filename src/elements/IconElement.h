// CIconElement: a 32x32 icon the host supplies by number, with an optional one-line label
// centred under it. With a region identifier the icon and its label form one active region.
#pragma once
#include <afxwin.h>

#include "elements/GraphicElement.h"

// The block of Grafic_Dll_Icon as the view hands it on.
struct IconParams {
    int x;
    int y;
    int iconNumber;
    int regionId;
    CString label;
};

class AFX_EXT_CLASS CIconElement : public CGraphicElement
{
public:
    // Asks the host for the icon, measures the label and, when regionId is not 0, builds the
    // region around the cell and the label.
    CIconElement(int stateIndex, const IconParams* p);
    virtual ~CIconElement();

    // The icon, tinted while pressed, and the label in the context's colours (the highlight
    // colours while pressed with OPT_ICON_SELECTION). The clip is not used.
    virtual void Draw(CDC* pDC, const RECT* pClip);
    virtual void Press(CDC* pDC, BOOL bDraw);
    virtual BOOL IsIcon();
    virtual void ReleaseResources();
    virtual void SetIconHandle(HICON hNew);
    virtual BOOL HasIcon();

    // Asks the host for icon `number` (never for 0); a zero answer keeps the handle held.
    void FindIcon(int number);
    // The label's font: made for each use, deleted by the caller.
    static CFont* CreateLabelFont();
    // Turns every second opaque pixel of the icon at (x, y) into the active caption colour.
    static void DrawSelectionTint(HDC hdc, HICON hIcon, int x, int y);

    POINT position;
    int iconNumber;
    CString label;
    HICON hIcon;  // the host's: never destroyed here
    CRect labelRect;

private:
    void MeasureLabel();
    void BuildRegion();
};
