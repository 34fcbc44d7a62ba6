// The parts of a drawing state an element selects into a device context, and the record of
// device-context settings that a selection creates or replaces.
#pragma once
#include <afxwin.h>

// Parts of the state to select (any combination).
enum {
    SEL_PEN = 1,    // pen, and text colour
    SEL_BRUSH = 2,  // brush
    SEL_ROP = 4,    // raster operation
    SEL_FONT = 8    // font and inter-character spacing
};

// Device-context settings. A draw keeps two: one receives what a selection built (owned pen,
// brush and font, and the spacing chosen for the font), the other what the selection replaced.
struct AFX_EXT_CLASS DcSettings {
    DcSettings()
        : pen(NULL), brush(NULL), font(NULL), rop(0), textColor(RGB(255, 255, 255)),
          bkMode(TRANSPARENT), charExtra(0), applied(FALSE)
    {}

    CPen* pen;
    CBrush* brush;
    CFont* font;
    int rop;  // 0: no raster operation to put back
    COLORREF textColor;
    int bkMode;
    int charExtra;
    // Set on the record of replaced settings once a selection changed the context, so that
    // restoring after a selection that found no state record leaves the context alone.
    BOOL applied;
};
