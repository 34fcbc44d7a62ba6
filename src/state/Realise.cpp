// Realisation of a drawing state: the element's selection of pen, brush, raster operation and
// font, the brush rules per verb and pattern, the built-in gray patterns and the state's fonts.
#include "state/Realise.h"

#include <mbctype.h>
#include <stdint.h>
#include <string.h>

#include <new>

#include "elements/GraphicElement.h"
#include "state/DcSelection.h"

namespace {

const int kPatternDibSize = 204;
const int kFaceLimit = 31;

// The two alternating pixel rows of each gray, as stored (first the bottom row of the image);
// two 4-bit indices a byte, the left pixel in the high nibble.
struct PatternRows {
    int pattern;
    BYTE even[4];
    BYTE odd[4];
};

const PatternRows kPatternRows[] = {
    {PAT_LTGRAY, {0x00, 0x10, 0x00, 0x10}, {0x10, 0x00, 0x10, 0x00}},
    {PAT_GRAY, {0x01, 0x01, 0x01, 0x01}, {0x10, 0x10, 0x10, 0x10}},
    {PAT_DKGRAY, {0x11, 0x01, 0x11, 0x01}, {0x01, 0x11, 0x01, 0x11}},
};

LONG ClampToLong(int64_t v)
{
    if (v > INT32_MAX)
        return INT32_MAX;
    if (v < INT32_MIN)
        return INT32_MIN;
    return (LONG)v;
}

// Copies at most kFaceLimit bytes of face into lfFaceName, never ending on half of a double-byte
// character of the current multibyte code page.
void CopyFaceName(LOGFONT& lf, const CString& face)
{
    const unsigned char* src = (const unsigned char*)(LPCTSTR)face;
    int n = 0;
    while (src[n] != 0) {
        const int width = (_ismbblead(src[n]) && src[n + 1] != 0) ? 2 : 1;
        if (n + width > kFaceLimit)
            break;
        n += width;
    }
    memcpy(lf.lfFaceName, src, (size_t)n);
    lf.lfFaceName[n] = '\0';
}

CBrush* NewSolidBrush(COLORREF color)
{
    CBrush* brush = new (std::nothrow) CBrush;
    if (brush != NULL)
        brush->CreateSolidBrush(color);
    return brush;
}

// Erasing paints the state's background colour; black stands for the context's own.
COLORREF EraseColor(CDC* pDC, const CGraphicState& rec)
{
    return rec.m_bkgndColor == 0 ? pDC->GetBkColor() : rec.m_bkgndColor;
}

// The description of the default font, which every other font of a state starts from.
void FillDefaultLogFont(LOGFONT& lf)
{
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -13;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfOutPrecision = OUT_STROKE_PRECIS;
    lf.lfClipPrecision = CLIP_STROKE_PRECIS;
    lf.lfQuality = DRAFT_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    strcpy(lf.lfFaceName, "Arial");
}

}  // namespace

HGLOBAL AFXAPI CreatePatternDib(int pattern, COLORREF fore)
{
    const PatternRows* rows = NULL;
    for (const PatternRows& r : kPatternRows) {
        if (r.pattern == pattern)
            rows = &r;
    }
    if (rows == NULL)
        return NULL;
    HGLOBAL hDib = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kPatternDibSize);
    if (hDib == NULL)
        return NULL;
    BYTE* p = static_cast<BYTE*>(::GlobalLock(hDib));
    if (p == NULL) {
        ::GlobalFree(hDib);
        return NULL;
    }
    BITMAPINFOHEADER* bih = reinterpret_cast<BITMAPINFOHEADER*>(p);
    bih->biSize = sizeof(BITMAPINFOHEADER);
    bih->biWidth = 8;
    bih->biHeight = 8;
    bih->biPlanes = 1;
    bih->biBitCount = 4;
    bih->biCompression = BI_RGB;
    RGBQUAD* colors = reinterpret_cast<RGBQUAD*>(p + sizeof(BITMAPINFOHEADER));
    colors[0].rgbBlue = colors[0].rgbGreen = colors[0].rgbRed = 255;
    colors[1].rgbBlue = GetBValue(fore);
    colors[1].rgbGreen = GetGValue(fore);
    colors[1].rgbRed = GetRValue(fore);
    BYTE* bits = p + sizeof(BITMAPINFOHEADER) + 16 * sizeof(RGBQUAD);
    for (int row = 0; row < 8; ++row)
        memcpy(bits + 4 * row, (row % 2 == 0) ? rows->even : rows->odd, 4);
    ::GlobalUnlock(hDib);
    return hDib;
}

CFont* AFXAPI CreateDefaultFont()
{
    LOGFONT lf;
    FillDefaultLogFont(lf);
    CFont* font = new (std::nothrow) CFont;
    if (font == NULL)
        return NULL;
    if (!font->CreateFontIndirect(&lf)) {
        delete font;
        return NULL;
    }
    return font;
}

void AFXAPI MeasureFont(CDC* pDC, LOGFONT& lf)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    CFont* probe = new (std::nothrow) CFont;
    if (probe == NULL)
        return;
    probe->CreateFontIndirect(&lf);
    CDcSelection selection(pDC, probe);
    if (!selection.Saved().applied)
        return;
    TEXTMETRIC tm;
    if (pDC->GetTextMetrics(&tm)) {
        lf.lfHeight = tm.tmHeight;
        lf.lfWidth = tm.tmAveCharWidth;
    }
}

// The screen's vertical resolution, read once: Windows fixes it for the session.
static int ScreenLogPixelsY()
{
    static const int dpi = [] {
        HDC hDC = ::GetDC(NULL);
        const int value = hDC != NULL ? ::GetDeviceCaps(hDC, LOGPIXELSY) : 96;
        if (hDC != NULL)
            ::ReleaseDC(NULL, hDC);
        return value;
    }();
    return dpi;
}

CFont* AFXAPI CreateStateFont(CDC* pDC, const CGraphicState& rec, int& charExtra)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return NULL;
    // A printing context keeps the mapping that scales screen pixels to its dots, and its fonts
    // are sized for the screen, so that text keeps its size against the shapes.
    const bool printing = pDC->IsPrinting() != FALSE;
    if (!printing && pDC->GetMapMode() != MM_TEXT)
        pDC->SetMapMode(MM_TEXT);

    // The face comparisons are exact and made before upper-casing.
    CString face = rec.m_fontName;
    if (strcmp(face, "COURIER") == 0) {
        charExtra = -2;
        face = "COURIER NEW";
    }
    const bool arial = strcmp(face, "Arial") == 0;
    if (rec.m_fontSize == 12 && rec.m_textStyle == STYLE_PLAIN && arial && !rec.m_fontSizeSet)
        return CreateDefaultFont();

    // The default font's description, filled in directly: a font made only to be read back
    // with GetObject gives the same fields at the price of two more GDI objects per draw.
    LOGFONT lf;
    FillDefaultLogFont(lf);

    if (!arial || rec.m_fontSize != 12 || rec.m_fontSizeSet) {
        const int64_t dpi = printing ? ScreenLogPixelsY() : ::GetDeviceCaps(pDC->m_hDC, LOGPIXELSY);
        lf.lfHeight = ClampToLong(-(dpi * rec.m_fontSize / 72));
    } else {
        lf.lfHeight = -13;
    }
    if (rec.m_textStyle & STYLE_BOLD)
        lf.lfWeight = FW_BOLD;
    if (rec.m_textStyle & (STYLE_SHADOW | STYLE_OUTLINE))
        lf.lfWeight = FW_HEAVY;
    if (rec.m_textStyle & STYLE_UNDERLINE)
        lf.lfUnderline = 1;
    if (rec.m_textStyle & STYLE_ITALIC)
        lf.lfItalic = 1;
    lf.lfWidth = 0;
    face.MakeUpper();
    CopyFaceName(lf, face);

    if (rec.m_textStyle & STYLE_EXTEND) {
        MeasureFont(pDC, lf);
        lf.lfWidth = ClampToLong((int64_t)lf.lfWidth + 2);
    }
    if (rec.m_textStyle & STYLE_CONDENSE) {
        MeasureFont(pDC, lf);
        lf.lfWidth = ClampToLong((int64_t)lf.lfWidth - 2);
    }

    CFont* font = new (std::nothrow) CFont;
    if (font == NULL)
        return NULL;
    font->CreateFontIndirect(&lf);
    return font;
}

CBrush* CGraphicElement::CreateStateBrush(CDC* pDC, const CGraphicState& rec)
{
    if (pDC == NULL)
        return NULL;
    switch (verb) {
    case VERB_FRAME:
    case VERB_ACTIVE:
    case VERB_CLICK: {
        LOGBRUSH lb = {BS_HOLLOW, 0, 0};
        CBrush* brush = new (std::nothrow) CBrush;
        if (brush != NULL)
            brush->CreateBrushIndirect(&lb);
        return brush;
    }
    case VERB_PAINT:
        return NewSolidBrush(rec.m_fogndColor);
    case VERB_ERASE:
        return NewSolidBrush(EraseColor(pDC, rec));
    case VERB_FILL:
        switch (pattern) {
        case PAT_WHITE:
            return NewSolidBrush(EraseColor(pDC, rec));
        case PAT_LTGRAY:
        case PAT_GRAY:
        case PAT_DKGRAY: {
            CBrush* brush = new (std::nothrow) CBrush;
            if (brush == NULL)
                return NULL;
            HGLOBAL hDib = CreatePatternDib(pattern, rec.m_fogndColor);
            if (hDib != NULL) {
                brush->CreateDIBPatternBrush(hDib, DIB_RGB_COLORS);
                ::GlobalFree(hDib);
            }
            return brush;
        }
        case PAT_BLACK:
            return NewSolidBrush(rec.m_fogndColor);
        default:
            return NULL;
        }
    default:
        return NULL;
    }
}

void CGraphicElement::SelectState(CDC* pDC, int parts, DcSettings& created, DcSettings& saved,
                                  BOOL select)
{
    if (!select) {
        RestoreDcSettings(pDC, parts, created, saved);
        return;
    }
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || saved.applied)
        return;
    const CGraphicState* rec = LookupState(stateIndex);
    if (rec == NULL)
        return;

    saved.applied = TRUE;
    // Spacing goes back to what it was even when no font is selected.
    saved.charExtra = pDC->GetTextCharacterExtra();
    saved.bkMode =
        pDC->SetBkMode((verb == VERB_FRAME || verb == VERB_PAINT) ? OPAQUE : TRANSPARENT);

    if (parts & SEL_PEN) {
        const bool solid = verb == VERB_NONE || verb == VERB_FRAME || verb == VERB_PAINT;
        CPen* pen = new (std::nothrow) CPen;
        if (pen != NULL) {
            pen->CreatePen(solid ? PS_SOLID : PS_NULL, rec->m_penSize, rec->m_fogndColor);
            created.pen = pen;
            if (pen->GetSafeHandle() != NULL)
                saved.pen = pDC->SelectObject(pen);
        }
        saved.textColor = pDC->SetTextColor(rec->m_fogndColor);
    }
    if (parts & SEL_BRUSH) {
        created.brush = CreateStateBrush(pDC, *rec);
        if (created.brush != NULL && created.brush->GetSafeHandle() != NULL)
            saved.brush = pDC->SelectObject(created.brush);
    }
    if (parts & SEL_ROP)
        saved.rop = pDC->SetROP2(rec->m_penMode);
    if (parts & SEL_FONT) {
        created.charExtra = saved.charExtra;
        created.font = CreateStateFont(pDC, *rec, created.charExtra);
        if (created.font != NULL && created.font->GetSafeHandle() != NULL)
            saved.font = pDC->SelectObject(created.font);
        pDC->SetTextCharacterExtra(created.charExtra);
    }
}
