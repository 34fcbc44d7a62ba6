/* A host written in C: it fills every argument block of the host header, draws through each
 * drawing and state export, fills its callback table and reports the blocks' layout as a C
 * compiler sees it. The strings and arrays come from the C++ part of the host; the C code reads
 * them back only as the header describes a CString: one character pointer. */
#include "blocks_host.h"

#include <ctype.h>
#include <string.h>

static const BlockLayoutEntry kLayout[] = {BLOCK_LAYOUT_ENTRIES};

size_t CHostBlockLayout(const BlockLayoutEntry** ppEntries)
{
    *ppEntries = kLayout;
    return sizeof(kLayout) / sizeof(kLayout[0]);
}

/* 1 when after is given upper-cased (or, for a region identifier, as given). */
static int ReadsAs(const char* after, const char* given, int upper)
{
    for (; *given != 0; ++given, ++after)
        if (*after != (upper ? toupper((unsigned char)*given) : *given))
            return 0;
    return *after == 0;
}

static void MakeShape(GRAF_SHAPE* pShape, const char* verb, const char* pattern, RECT rect)
{
    CHostMakeString(&pShape->verb, verb);
    CHostMakeString(&pShape->pattern, pattern);
    pShape->rect = rect;
}

/* Frees the shape's words; 1 for each that reads as expected after the call. */
static int FreeShape(GRAF_SHAPE* pShape, const char* verb, const char* pattern, int region)
{
    int good = ReadsAs(pShape->verb.m_pchData, verb, 1) +
               ReadsAs(pShape->pattern.m_pchData, pattern, !region);
    CHostFreeString(&pShape->verb);
    CHostFreeString(&pShape->pattern);
    return good;
}

/* A rectangle or an oval through GRAF_SHAPE; the words are given in mixed case. */
static int Shape(CGraphicView* pView, void(GRAFAPI* draw)(CGraphicView*, GRAF_SHAPE*),
                 const char* verb, const char* pattern, RECT rect)
{
    GRAF_SHAPE shape;
    MakeShape(&shape, verb, pattern, rect);
    draw(pView, &shape);
    return FreeShape(&shape, verb, pattern, verb[0] == 'a');
}

static void Text(CGraphicView* pView, void(GRAFAPI* call)(CGraphicView*, const CString*),
                 const char* text)
{
    CString s;
    CHostMakeString(&s, text);
    call(pView, &s);
    CHostFreeString(&s);
}

int CHostDrawPicture(CGraphicView* pView)
{
    static const UINT kOptions[2] = {GRAF_OPTION_HIGHLIGHT_ACTIVE, GRAF_OPTION_CLICK_ON_RELEASE};
    static const char* const kStyle[2] = {"bold", "italic"};
    POINT star[5] = {{245, 125}, {270, 70}, {295, 125}, {230, 90}, {310, 90}};
    POINT zigzag[4] = {{160, 150}, {190, 130}, {220, 150}, {250, 130}};
    POINT pen[6] = {{10, 135}, {150, 135}, {0, 10}, {-140, 0}, {30, 20}, {10, 185}};
    const int penSize = 3;
    CUIntArray* pOptions = CHostNewNumberArray(kOptions, 2);
    CStringArray* pStyle = CHostNewStringArray(kStyle, 2);
    CString name;
    GRAF_ROUNDRECT round = {.cornerWidth = 20, .cornerHeight = 12};
    GRAF_ARC arc = {.startAngle = 0, .arcAngle = 135};
    GRAF_POLYGON polygon;
    CObArray list;
    GRAF_TEXTBOX box = {.rect = {160, 160, 310, 230}, .framed = TRUE};
    int good = 0;

    /* View settings and options append no element. */
    CHostMakeString(&name, "C host output");
    Grafic_Dll_SetOutput(pView, 42, &name);
    CHostFreeString(&name);
    Grafic_Dll_SetScrollable(pView, TRUE);
    Grafic_Dll_SetViewBkColor(pView, RGB(250, 250, 245), TRUE);
    Grafic_Dll_Set_Options(pView, TRUE, pOptions);
    CHostDeleteNumberArray(pOptions);

    Grafic_Dll_Set_Fognd_Color(pView, RGB(31, 78, 153));
    Grafic_Dll_Set_Bkgnd_Color(pView, RGB(240, 216, 96));
    Grafic_Dll_Set_Pen_Size(pView, &penSize);
    good += Shape(pView, Grafic_Dll_Rectangle, "frame", "gray", (RECT){10, 10, 70, 60});
    good += Shape(pView, Grafic_Dll_Rectangle, "Erase", "", (RECT){80, 10, 140, 60});
    good += Shape(pView, Grafic_Dll_Oval, "paint", "black", (RECT){150, 10, 210, 60});
    good += Shape(pView, Grafic_Dll_Oval, "fill", "ltGray", (RECT){220, 10, 280, 60});
    MakeShape(&round.shape, "fill", "dkgray", (RECT){10, 70, 80, 120});
    Grafic_Dll_Round_Rectangle(pView, &round);
    good += FreeShape(&round.shape, "fill", "dkgray", 0);
    MakeShape(&arc.shape, "paint", "", (RECT){90, 70, 150, 120});
    Grafic_Dll_Arc(pView, &arc);
    good += FreeShape(&arc.shape, "paint", "", 0);
    good += Shape(pView, Grafic_Dll_Rectangle, "active", "7", (RECT){160, 70, 220, 120});
    /* The polygon's rectangle is not read: zeros draw the star where its points are. */
    MakeShape(&polygon.shape, "Paint", "", (RECT){0, 0, 0, 0});
    CHostMakePointArray(&polygon.points, star, 5);
    Grafic_Dll_DefPolygon(pView, &polygon);
    CHostFreePointArray(&polygon.points);
    good += FreeShape(&polygon.shape, "Paint", "", 0);

    /* Lines from the pen, a pen offset, a polyline the next line continues from. */
    Grafic_Dll_Set_Pen_Normal(pView);
    Grafic_Dll_Set_Pen_Location(pView, &pen[0]);
    Grafic_Dll_Line_To_Point(pView, &pen[1]);
    Grafic_Dll_Offset_Pen_Location(pView, &pen[2]);
    Grafic_Dll_Line_Relative(pView, &pen[3]);
    CHostMakePointArray(&list, zigzag, 4);
    Grafic_Dll_Plot_Line(pView, &list);
    CHostFreePointArray(&list);
    Grafic_Dll_Line_Relative(pView, &pen[4]);
    /* Four names of one function that reads nothing after the view, as old hosts call them. */
    Grafic_Dll_Set_Pattern(pView, 0);
    Grafic_Dll_Set_Bkg_Pattern(pView, 0);
    Grafic_Dll_Set_Pen_Mode(pView, R2_COPYPEN);
    Grafic_Dll_Set_Text_Mode(pView, 0);

    /* Two texts on one baseline in a chosen face, size and style, then a framed text box. */
    Text(pView, Grafic_Dll_Set_Text_Font, "Courier New");
    Grafic_Dll_Set_Text_Size(pView, 14);
    Grafic_Dll_Set_Text_Style(pView, pStyle);
    CHostDeleteStringArray(pStyle);
    Grafic_Dll_Set_Pen_Location(pView, &pen[5]);
    Text(pView, Grafic_Dll_Draw_Text, "From C, ");
    Text(pView, Grafic_Dll_Draw_Text, "twice");
    Grafic_Dll_Set_Text_Normal(pView);
    CHostMakeString(&box.align, "Centre");
    CHostMakeString(&box.text, "A text box filled in by a host written in C");
    Grafic_Dll_Draw_Text_Box(pView, &box);
    CHostFreeString(&box.align);
    CHostFreeString(&box.text);
    return good;
}

int g_cHostLastRegion = -1;

static void CALLBACK OnActiveClickFromC(HWND hwndView, int regionId)
{
    (void)hwndView;
    g_cHostLastRegion = regionId;
}

GraficCallbacks* CHostStart(void)
{
    GraficCallbacks* pTable = Grafic_Dll_Start();
    if (pTable != NULL)
        pTable->OnActiveClick = OnActiveClickFromC;
    return pTable;
}

SIZE CHostPictSize(CGraphicView* pView)
{
    typedef SIZE(GRAFAPI * PictSizeFn)(CGraphicView*);
    FARPROC proc = GetProcAddress(GetModuleHandleA("mirdalux.dll"), GRAF_GETPICTSIZE_EXPORT_NAME);
    SIZE none = {-1, -1};
    return proc != NULL ? ((PictSizeFn)(void (*)(void))proc)(pView) : none;
}
