// CTestShape: a test-only graphic element that stands for any kind (rectangle, oval, icon, line,
// ...). It fills its bounds with one colour, carries a rectangular region when drawn with the
// active or click verb, and reports what happened to it, so that view tests need no real kind.
// Beside it, what the drawing tests share: fixtures for elements built directly and for views in
// a parent window of a given size, a host's point list, the closed shapes and text boxes appended
// through their exports, Arial made and measured as the library makes it, packed DIBs built
// pixel by pixel, and a context's settings in one line.
#pragma once
#include <afxwin.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ViewFixture.h"
#include "elements/GraphicElement.h"
#include "view/GraphicView.h"

class CTestShape : public CGraphicElement
{
public:
    enum Kind { kRect, kRoundRect, kOval, kPolygon, kArc, kIcon, kPicture, kLine, kState };

    // name identifies the element in assertion messages. A line ends at (bounds.right,
    // bounds.bottom); so does a state-kind test shape, which claims IsState but still draws, so
    // that a test sees whether the view skipped it or moved the pen.
    CTestShape(const char* name, int stateIndex, int verb, int pattern, const RECT& rc,
               COLORREF color, Kind kind = kRect)
        : CGraphicElement(stateIndex, verb, pattern), m_name(name), m_color(color), m_kind(kind)
    {
        bounds = rc;
        if (verb == VERB_ACTIVE || verb == VERB_CLICK) {
            CRgn* pRgn = new CRgn;
            pRgn->CreateRectRgnIndirect(&rc);
            region = pRgn;
        }
        ++s_live;
    }
    ~CTestShape() override
    {
        ReleaseResources();
        --s_live;
    }

    void Draw(CDC* pDC, const RECT*) override
    {
        // Region shapes are hollow: they show nothing.
        if (verb == VERB_ACTIVE || verb == VERB_CLICK || pDC == NULL)
            return;
        CBrush brush;
        brush.CreateSolidBrush(m_color);
        ::FillRect(pDC->m_hDC, &bounds, static_cast<HBRUSH>(brush.GetSafeHandle()));
    }
    BOOL GetEndPoint(CDC*, POINT* pOut) override
    {
        if (m_kind != kLine && m_kind != kState)
            return FALSE;
        pOut->x = bounds.right;
        pOut->y = bounds.bottom;
        return TRUE;
    }
    BOOL IsRect() override { return m_kind == kRect; }
    BOOL IsRoundRect() override { return m_kind == kRoundRect; }
    BOOL IsOval() override { return m_kind == kOval; }
    BOOL IsPolygon() override { return m_kind == kPolygon; }
    BOOL IsArc() override { return m_kind == kArc; }
    BOOL IsIcon() override { return m_kind == kIcon; }
    BOOL IsPicture() override { return m_kind == kPicture; }
    BOOL IsState() override { return m_kind == kState; }
    void ReleaseResources() override { SetRegion(NULL); }

    std::string m_name;
    COLORREF m_color;
    Kind m_kind;

    inline static int s_live = 0;
};

// Builds a test shape with the view's interned state and appends it as the drawing exports do.
inline CTestShape* AddTestShape(CGraphicView* pView, const char* name, const RECT& rc,
                                COLORREF color, CTestShape::Kind kind = CTestShape::kRect,
                                int verb = VERB_PAINT, int pattern = PAT_BLACK,
                                BOOL bDrawNow = TRUE)
{
    CTestShape* e = new CTestShape(name, pView->InternState(), verb, pattern, rc, color, kind);
    pView->AddElement(e, bDrawNow);
    return e;
}

// The names of the display list's elements, in order, joined by spaces ("state" for state
// elements that are not test shapes).
inline std::string DisplayListNames(CGraphicView* pView)
{
    std::string names;
    for (INT_PTR i = 0; i < pView->m_displayList.GetSize(); ++i) {
        CGraphicElement* e = pView->m_displayList.GetElement(i);
        CTestShape* shape = dynamic_cast<CTestShape*>(e);
        if (!names.empty())
            names += ' ';
        names += shape != NULL ? shape->m_name : std::string("state");
    }
    return names;
}

// Elements built directly, their states interned by a view without a window from the pen, the
// colours and the raster operation given and the rest of m_view->m_state as the test left it.
class DrawingElementTest : public ElementFixture
{
protected:
    int State(int pen = 1, COLORREF fore = kBlack, COLORREF back = kWhite, int mode = R2_COPYPEN)
    {
        m_view->m_state.m_penSize = pen;
        m_view->m_state.m_fogndColor = fore;
        m_view->m_state.m_bkgndColor = back;
        m_view->m_state.m_penMode = mode;
        return m_view->InternState();
    }
};

// A view fixture whose parent window's client area is W x H: using XTest = ViewsIn<W, H>;
template <int W, int H> class ViewsIn : public ViewFixture
{
protected:
    ViewsIn() : ViewFixture(W, H) {}
};

// A host's point list: the points and a CObArray whose entries point to them.
struct HostPoints {
    explicit HostPoints(const std::vector<POINT>& pts) : points(pts)
    {
        for (POINT& p : points)
            array.Add(reinterpret_cast<CObject*>(&p));
    }
    std::vector<POINT> points;
    CObArray array;
};

// The closed shapes and framed text boxes, appended through their exports from the words a host
// gives: a rounded rectangle with corners of 20, an arc over the right half (0 to 180 degrees).
// The blocks take CString copies, which share the caller's buffers and allocate nothing.
enum ShapeKind { kRect, kRoundRect, kOval, kArc };
const char* const kShapeNames[] = {"rectangle", "rounded rectangle", "oval", "arc"};

inline void AddShape(CGraphicView* v, ShapeKind kind, const CString& verb, const CString& pattern,
                     const RECT& rc)
{
    GRAF_SHAPE shape = {verb, rc, pattern};
    GRAF_ROUNDRECT round = {20, 20, shape};
    GRAF_ARC arc = {0, 180, shape};
    if (kind == kRect)
        Grafic_Dll_Rectangle(v, &shape);
    else if (kind == kOval)
        Grafic_Dll_Oval(v, &shape);
    else if (kind == kRoundRect)
        Grafic_Dll_Round_Rectangle(v, &round);
    else
        Grafic_Dll_Arc(v, &arc);
}

inline void AddTextBox(CGraphicView* v, const RECT& rc, const CString& align, const CString& text)
{
    GRAF_TEXTBOX block = {rc, align, TRUE, text};
    Grafic_Dll_Draw_Text_Box(v, &block);
}

// Arial at a height (negative: the character height) as the library asks for it, and the extent
// of s and the font's metrics on hdc.
inline HFONT CreateArial(int height)
{
    return ::CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_STROKE_PRECIS,
                         CLIP_STROKE_PRECIS, DRAFT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
}
inline SIZE MeasureArial(HDC hdc, int height, const char* s, TEXTMETRIC* pMetrics = NULL)
{
    HGDIOBJ old = ::SelectObject(hdc, CreateArial(height));
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hdc, s, (int)strlen(s), &size);
    if (pMetrics != NULL)
        ::GetTextMetrics(hdc, pMetrics);
    ::DeleteObject(::SelectObject(hdc, old));
    return size;
}

// A COLORREF as a DIB's 24- and 32-bit pixels hold it, 0x00RRGGBB.
inline uint32_t Rgb(COLORREF c)
{
    return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

// A packed DIB in a movable block, bottom-up (top-down for a negative h): every table entry
// listed (biClrUsed 0 when the list is full, else its length), pixel(x, y) stored for each pixel:
// a table index, or a 0x00RRGGBB value for 16 (5-5-5, or 5-6-5 with masks), 24 and 32 bits. With
// `masks`, a bit-field DIB whose three masks follow the header.
inline HGLOBAL MakeDib(int w, int h, int bpp, const std::vector<COLORREF>& table,
                       std::function<uint32_t(int, int)> pixel, bool masks = false)
{
    const int stride = ((w * bpp + 31) / 32) * 4, rows = std::abs(h);
    const size_t head = sizeof(BITMAPINFOHEADER) + (masks ? 12 : 0) + 4 * table.size();
    HGLOBAL hDib = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, head + size_t(stride) * rows);
    BYTE* p = static_cast<BYTE*>(::GlobalLock(hDib));
    BITMAPINFOHEADER* bi = reinterpret_cast<BITMAPINFOHEADER*>(p);
    *bi = {sizeof *bi, w, h, 1, WORD(bpp), DWORD(masks ? BI_BITFIELDS : BI_RGB), 0, 0, 0, 0, 0};
    if (bpp <= 8 && table.size() != (1u << bpp))
        bi->biClrUsed = DWORD(table.size());
    const DWORD fields[2][3] = {{0xFF0000, 0xFF00, 0xFF}, {0xF800, 0x7E0, 0x1F}};
    if (masks)
        memcpy(p + sizeof *bi, fields[bpp == 16], sizeof fields[0]);
    RGBQUAD* q = reinterpret_cast<RGBQUAD*>(p + head - 4 * table.size());
    for (size_t i = 0; i < table.size(); ++i)
        q[i] = {GetBValue(table[i]), GetGValue(table[i]), GetRValue(table[i]), 0};
    for (int y = 0; y < rows; ++y) {
        BYTE* row = p + head + size_t(stride) * (h < 0 ? y : rows - 1 - y);
        for (int x = 0; x < w; ++x) {
            uint32_t v = pixel(x, y);
            if (bpp == 16)  // 5-5-5, or 5-6-5 with masks
                v = masks ? (v >> 8 & 0xF800) | (v >> 5 & 0x7E0) | (v >> 3 & 0x1F)
                          : (v >> 9 & 0x7C00) | (v >> 6 & 0x3E0) | (v >> 3 & 0x1F);
            const int bit = x * bpp;
            if (bpp < 8)
                row[bit / 8] |= BYTE(v << (8 - bpp - bit % 8));
            for (int b = 0; b < bpp / 8; ++b)
                row[bit / 8 + b] = BYTE(v >> (8 * b));
        }
    }
    ::GlobalUnlock(hDib);
    return hDib;
}

// What a draw must leave as it found on a context: its objects and settings in one line.
inline std::string Settings(HDC hdc)
{
    char s[256];
    snprintf(s, sizeof s,
             "pen %p brush %p font %p rop %d bkMode %d charExtra %d mapMode %d text %06lx "
             "bk %06lx align %u",
             ::GetCurrentObject(hdc, OBJ_PEN), ::GetCurrentObject(hdc, OBJ_BRUSH),
             ::GetCurrentObject(hdc, OBJ_FONT), ::GetROP2(hdc), ::GetBkMode(hdc),
             ::GetTextCharacterExtra(hdc), ::GetMapMode(hdc), (unsigned long)::GetTextColor(hdc),
             (unsigned long)::GetBkColor(hdc), ::GetTextAlign(hdc));
    return s;
}
