/* A host written in C: it fills every argument block of the host header, draws through each
 * drawing and state export into a view, and reports the blocks' layout as a C compiler sees it.
 * The strings and arrays inside the blocks come from the C++ part of the host (blocks_host.h);
 * the C code reads them back only as the header describes a CString: one character pointer. */
#include "blocks_host.h"

#include <string.h>

static const BlockLayoutEntry kLayout[] = {BLOCK_LAYOUT_ENTRIES};

size_t CHostBlockLayout(const BlockLayoutEntry** ppEntries)
{
    *ppEntries = kLayout;
    return sizeof(kLayout) / sizeof(kLayout[0]);
}

static void MakeShape(GRAF_SHAPE* pShape, const char* verb, const char* pattern, LONG left,
                      LONG top, LONG right, LONG bottom)
{
    CHostMakeString(&pShape->verb, verb);
    CHostMakeString(&pShape->pattern, pattern);
    pShape->rect.left = left;
    pShape->rect.top = top;
    pShape->rect.right = right;
    pShape->rect.bottom = bottom;
}

/* 1 for each of the shape's two words that reads as expected after the call. */
static int WordsAre(const GRAF_SHAPE* pShape, const char* verb, const char* pattern)
{
    return (strcmp(pShape->verb.m_pchData, verb) == 0) +
           (strcmp(pShape->pattern.m_pchData, pattern) == 0);
}

static void FreeShape(GRAF_SHAPE* pShape)
{
    CHostFreeString(&pShape->verb);
    CHostFreeString(&pShape->pattern);
}

/* Rectangles and ovals through GRAF_SHAPE; the words are given in mixed case. */
static int DrawPlainShapes(CGraphicView* pView)
{
    int good = 0;
    GRAF_SHAPE shape;
    const int penSize = 3;

    Grafic_Dll_Set_Pen_Size(pView, &penSize);
    MakeShape(&shape, "frame", "gray", 10, 10, 70, 60);
    Grafic_Dll_Rectangle(pView, &shape);
    good += WordsAre(&shape, "FRAME", "GRAY");
    FreeShape(&shape);

    MakeShape(&shape, "Erase", "", 80, 10, 140, 60);
    Grafic_Dll_Rectangle(pView, &shape);
    good += WordsAre(&shape, "ERASE", "");
    FreeShape(&shape);

    MakeShape(&shape, "paint", "black", 150, 10, 210, 60);
    Grafic_Dll_Oval(pView, &shape);
    good += WordsAre(&shape, "PAINT", "BLACK");
    FreeShape(&shape);

    MakeShape(&shape, "fill", "ltGray", 220, 10, 280, 60);
    Grafic_Dll_Oval(pView, &shape);
    good += WordsAre(&shape, "FILL", "LTGRAY");
    FreeShape(&shape);
    return good;
}

/* A rounded rectangle, a wedge, an invisible active region and a star. */
static int DrawCompoundShapes(CGraphicView* pView)
{
    int good = 0;
    GRAF_ROUNDRECT round;
    GRAF_ARC arc;
    GRAF_SHAPE region;
    GRAF_POLYGON star;
    POINT starPoints[5] = {{245, 125}, {270, 70}, {295, 125}, {230, 90}, {310, 90}};

    round.cornerWidth = 20;
    round.cornerHeight = 12;
    MakeShape(&round.shape, "fill", "dkgray", 10, 70, 80, 120);
    Grafic_Dll_Round_Rectangle(pView, &round);
    good += WordsAre(&round.shape, "FILL", "DKGRAY");
    FreeShape(&round.shape);

    arc.startAngle = 0;
    arc.arcAngle = 135;
    MakeShape(&arc.shape, "paint", "", 90, 70, 150, 120);
    Grafic_Dll_Arc(pView, &arc);
    good += WordsAre(&arc.shape, "PAINT", "");
    FreeShape(&arc.shape);

    MakeShape(&region, "active", "7", 160, 70, 220, 120);
    Grafic_Dll_Rectangle(pView, &region);
    good += WordsAre(&region, "ACTIVE", "7");
    FreeShape(&region);

    /* The polygon's rectangle is not read: zeros draw the star where its points are. */
    MakeShape(&star.shape, "Paint", "", 0, 0, 0, 0);
    CHostMakePointArray(&star.points, starPoints, 5);
    Grafic_Dll_DefPolygon(pView, &star);
    good += WordsAre(&star.shape, "PAINT", "");
    CHostFreePointArray(&star.points);
    FreeShape(&star.shape);
    return good;
}

/* Lines from the pen, a pen offset, a polyline the next line continues from. */
static void DrawLines(CGraphicView* pView)
{
    POINT start = {10, 135};
    POINT end = {150, 135};
    POINT down = {0, 10};
    POINT back = {-140, 0};
    POINT zigzag[4] = {{160, 150}, {190, 130}, {220, 150}, {250, 130}};
    POINT onwards = {30, 20};
    CObArray list;

    Grafic_Dll_Set_Pen_Normal(pView);
    Grafic_Dll_Set_Pen_Location(pView, &start);
    Grafic_Dll_Line_To_Point(pView, &end);
    Grafic_Dll_Offset_Pen_Location(pView, &down);
    Grafic_Dll_Line_Relative(pView, &back);
    CHostMakePointArray(&list, zigzag, 4);
    Grafic_Dll_Plot_Line(pView, &list);
    CHostFreePointArray(&list);
    Grafic_Dll_Line_Relative(pView, &onwards);
}

/* Two texts on one baseline in a chosen face, size and style, then a framed text box. */
static void DrawTexts(CGraphicView* pView)
{
    static const char* const kStyle[2] = {"bold", "italic"};
    POINT baseline = {10, 185};
    CString face;
    CString first;
    CString second;
    CStringArray* pStyle = CHostNewStringArray(kStyle, 2);
    GRAF_TEXTBOX box;

    CHostMakeString(&face, "Courier New");
    Grafic_Dll_Set_Text_Font(pView, &face);
    CHostFreeString(&face);
    Grafic_Dll_Set_Text_Size(pView, 14);
    Grafic_Dll_Set_Text_Style(pView, pStyle);
    CHostDeleteStringArray(pStyle);

    Grafic_Dll_Set_Pen_Location(pView, &baseline);
    CHostMakeString(&first, "From C, ");
    CHostMakeString(&second, "twice");
    Grafic_Dll_Draw_Text(pView, &first);
    Grafic_Dll_Draw_Text(pView, &second);
    CHostFreeString(&first);
    CHostFreeString(&second);
    Grafic_Dll_Set_Text_Normal(pView);

    box.rect.left = 160;
    box.rect.top = 160;
    box.rect.right = 310;
    box.rect.bottom = 230;
    CHostMakeString(&box.align, "Centre");
    box.framed = TRUE;
    CHostMakeString(&box.text, "A text box filled in by a host written in C");
    Grafic_Dll_Draw_Text_Box(pView, &box);
    CHostFreeString(&box.align);
    CHostFreeString(&box.text);
}

int CHostDrawPicture(CGraphicView* pView)
{
    static const UINT kOptions[2] = {GRAF_OPTION_HIGHLIGHT_ACTIVE, GRAF_OPTION_CLICK_ON_RELEASE};
    CUIntArray* pOptions = CHostNewNumberArray(kOptions, 2);
    CString outputName;
    int good = 0;

    /* View settings and options append no element. */
    CHostMakeString(&outputName, "C host output");
    Grafic_Dll_SetOutput(pView, 42, &outputName);
    CHostFreeString(&outputName);
    Grafic_Dll_SetScrollable(pView, TRUE);
    Grafic_Dll_SetViewBkColor(pView, RGB(250, 250, 245), FALSE);
    Grafic_Dll_Set_Options(pView, TRUE, pOptions);
    CHostDeleteNumberArray(pOptions);

    Grafic_Dll_Set_Fognd_Color(pView, RGB(31, 78, 153));
    Grafic_Dll_Set_Bkgnd_Color(pView, RGB(240, 216, 96));
    good += DrawPlainShapes(pView);
    good += DrawCompoundShapes(pView);
    DrawLines(pView);
    /* Four names of one function that reads nothing after the view, as old hosts call them. */
    Grafic_Dll_Set_Pattern(pView, 0);
    Grafic_Dll_Set_Bkg_Pattern(pView, 0);
    Grafic_Dll_Set_Pen_Mode(pView, R2_COPYPEN);
    Grafic_Dll_Set_Text_Mode(pView, 0);
    DrawTexts(pView);
    return good;
}

static GRAF_ICON g_icon;
static GRAF_PICTURE g_picture;
static int g_haveIcon;

const GRAF_ICON* CHostIconBlock(void)
{
    if (!g_haveIcon) {
        g_icon.x = 12;
        g_icon.y = -34;
        g_icon.iconNumber = 56;
        g_icon.regionId = 78;
        CHostMakeString(&g_icon.label, "icon label");
        g_haveIcon = 1;
    }
    return &g_icon;
}

const GRAF_PICTURE* CHostPictureBlock(void)
{
    g_picture.x = 21;
    g_picture.y = 43;
    g_picture.pictNumber = 65;
    g_picture.pictParam = -87;
    g_picture.regionId = 109;
    return &g_picture;
}

void CHostFreeIconAndPicture(void)
{
    if (g_haveIcon) {
        CHostFreeString(&g_icon.label);
        g_haveIcon = 0;
    }
}
