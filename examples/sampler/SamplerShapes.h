// The sampler's picture: the four closed shapes by every verb and fill pattern, drawn through the
// library's exports, on a backdrop that shows what erasing and inverting do. Shared by the
// sampler host and the library's end-to-end test.
#pragma once
#include <afxwin.h>

#include <mirdalux.h>

namespace sampler {

// Columns: verb and pattern words; rows: rectangle, rounded rectangle, oval, arc.
struct VerbColumn {
    const char* verb;
    const char* pattern;
};

const VerbColumn kColumns[] = {
    {"frame", ""},      {"paint", ""},    {"erase", ""},      {"invert", ""},    {"fill", "white"},
    {"fill", "ltgray"}, {"fill", "gray"}, {"fill", "dkgray"}, {"fill", "black"}, {"fill", "x"},
};
const int kColumnCount = sizeof(kColumns) / sizeof(kColumns[0]);
const int kRowCount = 4;
const int kCell = 60;    // cell width and height
const int kMargin = 10;  // around the grid and inside each cell

// The area the picture covers, in document coordinates.
inline RECT PictureBounds()
{
    RECT rc = {0, 0, 2 * kMargin + kColumnCount * kCell, 2 * kMargin + kRowCount * kCell};
    return rc;
}

inline void DrawShape(CGraphicView* pView, int row, const char* verb, const char* pattern,
                      const RECT& rc)
{
    GRAF_SHAPE shape;
    shape.verb = verb;
    shape.pattern = pattern;
    shape.rect = rc;
    switch (row) {
    case 0:
        Grafic_Dll_Rectangle(pView, &shape);
        break;
    case 1: {
        GRAF_ROUNDRECT block = {16, 12, shape};
        Grafic_Dll_Round_Rectangle(pView, &block);
        break;
    }
    case 2:
        Grafic_Dll_Oval(pView, &shape);
        break;
    default: {
        GRAF_ARC block = {30, 240, shape};
        Grafic_Dll_Arc(pView, &block);
        break;
    }
    }
}

// Draws the picture into pView: a gray-patterned backdrop under the lower half of every row,
// then each shape by each verb and pattern, then an active and a click region over the grid.
inline void DrawSamplerShapes(CGraphicView* pView)
{
    for (int row = 0; row < kRowCount; ++row) {
        const int top = kMargin + row * kCell;
        RECT band = {kMargin, top + kCell / 2, kMargin + kColumnCount * kCell - 1, top + kCell - 4};
        DrawShape(pView, 0, "fill", "ltgray", band);
    }
    for (int row = 0; row < kRowCount; ++row) {
        for (int col = 0; col < kColumnCount; ++col) {
            const int left = kMargin + col * kCell + 6;
            const int top = kMargin + row * kCell + 6;
            RECT rc = {left, top, left + kCell - 12, top + kCell - 12};
            DrawShape(pView, row, kColumns[col].verb, kColumns[col].pattern, rc);
        }
    }
    const RECT all = PictureBounds();
    DrawShape(pView, 2, "active", "1", all);
    DrawShape(pView, 0, "click", "2", all);
}

}  // namespace sampler
