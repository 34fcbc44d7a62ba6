/* The host's header of mirdalux.dll: the exported functions, the host callback table and the
 * constants a host passes to them. Usable from C and from C++.
 *
 * A C++ host built on the class library includes <afxwin.h> first and passes its own CWnd,
 * CDC, CString and CUIntArray objects. A C host sees those classes as opaque structures (a
 * CString as its single character pointer) and can only hand on pointers it was given.
 *
 * Every export removes no arguments from the stack (__cdecl) and does nothing for a null view.
 * All are exported under their plain names except Grafic_Dll_NewView, which has C++ linkage and
 * is exported under the name the compiler gives `long Grafic_Dll_NewView(unsigned long)`. */
#ifndef MIRDALUX_H
#define MIRDALUX_H

#include <windows.h>
#include <stddef.h>

#define GRAFAPI __cdecl

#ifdef __cplusplus
#include <afx.h>
#include <afxcoll.h>
class CWnd;
class CDC;
class CUIntArray;
class CStringArray;
class CGraphicView;
class CView;
class CSize;
#define GRAF_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
#else
typedef struct CWnd CWnd;
typedef struct CDC CDC;
/* The class library's string object: one pointer to its characters. */
typedef struct CString {
    const char* m_pchData;
} CString;
typedef struct CUIntArray CUIntArray;
typedef struct CStringArray CStringArray;
/* The class library's array of object pointers, as embedded in GRAF_POLYGON: five
 * pointer-sized members a C host leaves alone (it passes arrays a C++ part of it filled). */
typedef struct CObArray {
    void* m_opaque[5];
} CObArray;
typedef struct CGraphicView CGraphicView;
#define GRAF_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif

/* Blocks exchanged with the picture and icon callbacks. */
struct PictDrawRequest;
struct ResourceRequest;

/* The host callback table. Grafic_Dll_Start returns its address; the host stores its functions
 * in it and may change them at any time. A null slot is skipped. Slots 1, 2, 7 and 8 use the
 * CALLBACK convention (the callee removes its arguments), slots 3 to 6 __cdecl. On 32-bit
 * Windows it is eight 32-bit slots at offsets 0, 4, ..., 28; on 64-bit Windows the slots are
 * pointer-sized. */
typedef struct GraficCallbacks {
    /* A click on an active region: the view's window and the region identifier. */
    void(CALLBACK* OnActiveClick)(HWND hwndView, int regionId);
    /* A click on a click region: the click point in document coordinates and the key-state
     * flags of the button message. */
    void(CALLBACK* OnRegionClick)(HWND hwndView, int regionId, POINT* pPoint, UINT nFlags);
    /* Draws a picture: the library never renders bitmap pixels itself. */
    void(__cdecl* DrawPicture)(struct PictDrawRequest* pRequest);
    /* Supplies an icon or picture image on request. */
    void(__cdecl* RequestResource)(struct ResourceRequest* pRequest);
    /* The device-independent bitmap (a movable global memory block) of a picture in a state,
     * or 0. */
    HGLOBAL(__cdecl* GetPictureState)(int pictNumber, int stateCode, LONG* pScratch);
    void(__cdecl* FreePictureState)(int pictNumber, int stateCode);
    /* The view's current picture changed: the view's output value and name, the new image and
     * its transparent index. */
    void(CALLBACK* OnCurPictUpdate)(LONG_PTR outputId, const CString* pOutputName, HGLOBAL hDib,
                                    int transparentIndex);
    /* The view's current picture has a new rectangle (a copy the host may keep). */
    void(CALLBACK* OnCurPictResize)(LONG_PTR outputId, const CString* pOutputName, RECT* pRect);
} GraficCallbacks;

#if defined(_WIN64)
GRAF_STATIC_ASSERT(sizeof(GraficCallbacks) == 8 * sizeof(void*), "callback table: eight pointers");
#else
GRAF_STATIC_ASSERT(sizeof(GraficCallbacks) == 32, "callback table: eight 32-bit slots");
GRAF_STATIC_ASSERT(offsetof(GraficCallbacks, OnActiveClick) == 0, "slot 1 at offset 0");
GRAF_STATIC_ASSERT(offsetof(GraficCallbacks, OnRegionClick) == 4, "slot 2 at offset 4");
GRAF_STATIC_ASSERT(offsetof(GraficCallbacks, DrawPicture) == 8, "slot 3 at offset 8");
GRAF_STATIC_ASSERT(offsetof(GraficCallbacks, RequestResource) == 12, "slot 4 at offset 12");
GRAF_STATIC_ASSERT(offsetof(GraficCallbacks, GetPictureState) == 16, "slot 5 at offset 16");
GRAF_STATIC_ASSERT(offsetof(GraficCallbacks, FreePictureState) == 20, "slot 6 at offset 20");
GRAF_STATIC_ASSERT(offsetof(GraficCallbacks, OnCurPictUpdate) == 24, "slot 7 at offset 24");
GRAF_STATIC_ASSERT(offsetof(GraficCallbacks, OnCurPictResize) == 28, "slot 8 at offset 28");
#endif

/* Option numbers of Grafic_Dll_Set_Options. */
#define GRAF_OPTION_ALL 0              /* all three options at once */
#define GRAF_OPTION_HIGHLIGHT_ACTIVE 1 /* active regions blink while the pointer rests on them */
#define GRAF_OPTION_CLICK_ON_RELEASE 2 /* region clicks on button release, else on double click */
#define GRAF_OPTION_ICON_SELECTION 3   /* a selected icon shows in the highlight colours */

/* Verb words of the drawing blocks (only the first letter counts, FILL and FRAME by the
 * second) and pattern words (first letter). With ACTIVE and CLICK the pattern word holds the
 * region identifier as a decimal number. */
#define GRAF_VERB_FRAME "FRAME"
#define GRAF_VERB_PAINT "PAINT"
#define GRAF_VERB_ERASE "ERASE"
#define GRAF_VERB_INVERT "INVERT"
#define GRAF_VERB_FILL "FILL"
#define GRAF_VERB_ACTIVE "ACTIVE"
#define GRAF_VERB_CLICK "CLICK"
#define GRAF_PATTERN_WHITE "WHITE"
#define GRAF_PATTERN_LTGRAY "LTGRAY"
#define GRAF_PATTERN_GRAY "GRAY"
#define GRAF_PATTERN_DKGRAY "DKGRAY"
#define GRAF_PATTERN_BLACK "BLACK"

/* Codes of the drawing state, as the library stores them in each element: the verb decoded from
 * a verb word, the pattern decoded from a pattern word, the text style bits of
 * Grafic_Dll_Set_Text_Style and the option bits of Grafic_Dll_Set_Options. */
#ifndef GRAF_STATE_CODES_DEFINED
#define GRAF_STATE_CODES_DEFINED
enum {
    VERB_NONE = -2,  /* kinds that take no verb (lines, text): solid pen, transparent background */
    VERB_EMPTY = -1, /* the verb word was empty: no pen, no brush */
    VERB_FRAME = 1,  /* outline with the pen, no fill */
    VERB_PAINT = 2,  /* fill with the foreground colour and outline */
    VERB_ERASE = 3,  /* fill with the background colour, no pen */
    VERB_INVERT = 4, /* invert, no pen, no brush */
    VERB_FILL = 5,   /* fill with the pattern, no pen */
    VERB_ACTIVE = 6, /* hover-highlighted hit region; the pattern word is its identifier */
    VERB_CLICK = 7   /* plain hit region; the pattern word is its identifier */
};
enum {
    PAT_EMPTY = -1, /* empty pattern word */
    PAT_OTHER = 0,  /* a first letter not listed: no fill */
    PAT_WHITE = 1,  /* W: the background colour */
    PAT_LTGRAY = 2, /* L: one pixel in four in the foreground colour, the rest white */
    PAT_GRAY = 3,   /* G: checkerboard of foreground and white */
    PAT_DKGRAY = 4, /* D: three pixels in four in the foreground colour */
    PAT_BLACK = 5   /* B: the foreground colour */
};
enum {
    STYLE_BOLD = 1,       /* B: weight 700 */
    STYLE_SHADOW = 2,     /* S: weight 900 */
    STYLE_OUTLINE = 4,    /* O: weight 900 */
    STYLE_CONDENSE = 8,   /* C: average character width - 2 */
    STYLE_ITALIC = 16,    /* I */
    STYLE_UNDERLINE = 32, /* U */
    STYLE_EXTEND = 64,    /* E: average character width + 2 */
    STYLE_PLAIN = 128     /* P: a word list holding it replaces the style instead of adding */
};
enum {
    OPT_HIGHLIGHT_ACTIVE = 1, /* option number 1 */
    OPT_CLICK_ON_RELEASE = 2, /* option number 2 */
    OPT_ICON_SELECTION = 4    /* option number 3 */
};
#endif

/* Argument blocks of the shape calls. The verb word (FRAME, PAINT, ERASE, INVERT, FILL, ACTIVE,
 * CLICK) and the pattern word (WHITE, LTGRAY, GRAY, DKGRAY, BLACK; with ACTIVE and CLICK the
 * region identifier as a decimal number) are the host's strings; the library upper-cases the verb
 * in place, and the pattern too unless the verb makes it a region identifier, which is only read.
 * A block whose verb or pattern string is null appends nothing. The rectangle is in document
 * coordinates and is used as given, not normalised. On 32-bit Windows every member is 32 bits
 * wide; on 64-bit Windows the strings are pointer-sized. */
typedef struct GRAF_SHAPE {
    CString verb;
    RECT rect;
    CString pattern;
} GRAF_SHAPE;

/* A rounded rectangle: the width and height of the ellipse that rounds the corners. */
typedef struct GRAF_ROUNDRECT {
    int cornerWidth;
    int cornerHeight;
    GRAF_SHAPE shape;
} GRAF_ROUNDRECT;

/* An arc (FRAME) or wedge of the ellipse in shape.rect: degrees, 0 at 12 o'clock, clockwise;
 * arcAngle is the signed sweep from startAngle. */
typedef struct GRAF_ARC {
    int startAngle;
    int arcAngle;
    GRAF_SHAPE shape;
} GRAF_ARC;

/* A word-wrapped text box. Only the first character of align counts: "R" right-aligns, "C"
 * centres (upper case only), anything else or an empty string left-aligns. A non-zero framed
 * draws the rectangle with the pen and lays the text out 2 pixels inside it. The rectangle is in
 * document coordinates and is used as given. */
typedef struct GRAF_TEXTBOX {
    RECT rect;
    CString align;
    BOOL framed;
    CString text;
} GRAF_TEXTBOX;

#ifdef __cplusplus
static_assert(sizeof(CString) == sizeof(void*), "a CString is one pointer, as C hosts see it");
#endif
#if defined(_WIN64)
GRAF_STATIC_ASSERT(sizeof(GRAF_SHAPE) == 32, "GRAF_SHAPE: two strings and a RECT");
GRAF_STATIC_ASSERT(offsetof(GRAF_SHAPE, rect) == 8, "GRAF_SHAPE.rect after the verb pointer");
GRAF_STATIC_ASSERT(offsetof(GRAF_SHAPE, pattern) == 24, "GRAF_SHAPE.pattern at offset 24");
GRAF_STATIC_ASSERT(offsetof(GRAF_ROUNDRECT, shape) == 8, "GRAF_ROUNDRECT.shape at offset 8");
GRAF_STATIC_ASSERT(offsetof(GRAF_ARC, shape) == 8, "GRAF_ARC.shape at offset 8");
GRAF_STATIC_ASSERT(sizeof(GRAF_TEXTBOX) == 40, "GRAF_TEXTBOX: a RECT, two strings and a BOOL");
GRAF_STATIC_ASSERT(offsetof(GRAF_TEXTBOX, align) == 16, "GRAF_TEXTBOX.align at offset 16");
GRAF_STATIC_ASSERT(offsetof(GRAF_TEXTBOX, framed) == 24, "GRAF_TEXTBOX.framed at offset 24");
GRAF_STATIC_ASSERT(offsetof(GRAF_TEXTBOX, text) == 32, "GRAF_TEXTBOX.text at offset 32");
#else
GRAF_STATIC_ASSERT(sizeof(GRAF_SHAPE) == 24, "GRAF_SHAPE: 24 bytes");
GRAF_STATIC_ASSERT(offsetof(GRAF_SHAPE, verb) == 0, "GRAF_SHAPE.verb at offset 0");
GRAF_STATIC_ASSERT(offsetof(GRAF_SHAPE, rect) == 4, "GRAF_SHAPE.rect at offset 4");
GRAF_STATIC_ASSERT(offsetof(GRAF_SHAPE, pattern) == 20, "GRAF_SHAPE.pattern at offset 20");
GRAF_STATIC_ASSERT(sizeof(GRAF_ROUNDRECT) == 32, "GRAF_ROUNDRECT: 32 bytes");
GRAF_STATIC_ASSERT(offsetof(GRAF_ROUNDRECT, cornerWidth) == 0, "GRAF_ROUNDRECT.cornerWidth at 0");
GRAF_STATIC_ASSERT(offsetof(GRAF_ROUNDRECT, cornerHeight) == 4, "GRAF_ROUNDRECT.cornerHeight at 4");
GRAF_STATIC_ASSERT(offsetof(GRAF_ROUNDRECT, shape) == 8, "GRAF_ROUNDRECT.shape at offset 8");
GRAF_STATIC_ASSERT(sizeof(GRAF_ARC) == 32, "GRAF_ARC: 32 bytes");
GRAF_STATIC_ASSERT(offsetof(GRAF_ARC, startAngle) == 0, "GRAF_ARC.startAngle at offset 0");
GRAF_STATIC_ASSERT(offsetof(GRAF_ARC, arcAngle) == 4, "GRAF_ARC.arcAngle at offset 4");
GRAF_STATIC_ASSERT(offsetof(GRAF_ARC, shape) == 8, "GRAF_ARC.shape at offset 8");
GRAF_STATIC_ASSERT(sizeof(GRAF_TEXTBOX) == 28, "GRAF_TEXTBOX: 28 bytes");
GRAF_STATIC_ASSERT(offsetof(GRAF_TEXTBOX, rect) == 0, "GRAF_TEXTBOX.rect at offset 0");
GRAF_STATIC_ASSERT(offsetof(GRAF_TEXTBOX, align) == 16, "GRAF_TEXTBOX.align at offset 16");
GRAF_STATIC_ASSERT(offsetof(GRAF_TEXTBOX, framed) == 20, "GRAF_TEXTBOX.framed at offset 20");
GRAF_STATIC_ASSERT(offsetof(GRAF_TEXTBOX, text) == 24, "GRAF_TEXTBOX.text at offset 24");
#endif

/* A polygon: shape.verb and shape.pattern as for the closed shapes (shape.rect is not read),
 * and the array whose entries point to the POINTs of the outline, in document coordinates. The
 * library copies the points and leaves the array and the points as they were. On 32-bit Windows
 * the block is 44 bytes, the array at offset 24; on 64-bit Windows the strings and the array's
 * members are pointer-sized. */
typedef struct GRAF_POLYGON {
    GRAF_SHAPE shape;
    CObArray points;
} GRAF_POLYGON;

GRAF_STATIC_ASSERT(sizeof(CObArray) == 5 * sizeof(void*), "CObArray: five pointer-sized members");
#if defined(__cplusplus) && defined(__GNUC__)
/* The array object has virtual members, so C++ calls the block not standard-layout; its layout
 * is still the C one checked here. */
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#endif
#if defined(_WIN64)
GRAF_STATIC_ASSERT(sizeof(GRAF_POLYGON) == 72, "GRAF_POLYGON: a GRAF_SHAPE and a CObArray");
GRAF_STATIC_ASSERT(offsetof(GRAF_POLYGON, points) == 32, "GRAF_POLYGON.points after the shape");
#else
GRAF_STATIC_ASSERT(sizeof(GRAF_POLYGON) == 44, "GRAF_POLYGON: 44 bytes");
GRAF_STATIC_ASSERT(offsetof(GRAF_POLYGON, shape) == 0, "GRAF_POLYGON.shape at offset 0");
GRAF_STATIC_ASSERT(offsetof(GRAF_POLYGON, points) == 24, "GRAF_POLYGON.points at offset 24");
#endif
#if defined(__cplusplus) && defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

/* An icon the host supplies by number (0: none is asked for), at (x, y) in document
 * coordinates, with its region identifier and its label. */
typedef struct GRAF_ICON {
    int x;
    int y;
    int iconNumber;
    int regionId;
    CString label;
} GRAF_ICON;

/* A picture the host supplies by number and draws itself, at (x, y) in document coordinates;
 * pictParam is passed back to the host when the picture is asked for; regionId is its region
 * identifier. */
typedef struct GRAF_PICTURE {
    int x;
    int y;
    int pictNumber;
    int pictParam;
    int regionId;
} GRAF_PICTURE;

GRAF_STATIC_ASSERT(offsetof(GRAF_ICON, x) == 0, "GRAF_ICON.x at offset 0");
GRAF_STATIC_ASSERT(offsetof(GRAF_ICON, y) == 4, "GRAF_ICON.y at offset 4");
GRAF_STATIC_ASSERT(offsetof(GRAF_ICON, iconNumber) == 8, "GRAF_ICON.iconNumber at offset 8");
GRAF_STATIC_ASSERT(offsetof(GRAF_ICON, regionId) == 12, "GRAF_ICON.regionId at offset 12");
GRAF_STATIC_ASSERT(offsetof(GRAF_ICON, label) == 16, "GRAF_ICON.label at offset 16");
#if defined(_WIN64)
GRAF_STATIC_ASSERT(sizeof(GRAF_ICON) == 24, "GRAF_ICON: four ints and a string");
#else
GRAF_STATIC_ASSERT(sizeof(GRAF_ICON) == 20, "GRAF_ICON: 20 bytes");
#endif
GRAF_STATIC_ASSERT(sizeof(GRAF_PICTURE) == 20, "GRAF_PICTURE: 20 bytes");
GRAF_STATIC_ASSERT(offsetof(GRAF_PICTURE, pictNumber) == 8, "GRAF_PICTURE.pictNumber at offset 8");
GRAF_STATIC_ASSERT(offsetof(GRAF_PICTURE, pictParam) == 12, "GRAF_PICTURE.pictParam at offset 12");
GRAF_STATIC_ASSERT(offsetof(GRAF_PICTURE, regionId) == 16, "GRAF_PICTURE.regionId at offset 16");

/* The block of RequestResource: zero-filled by the library, which sets the kind, the number
 * (twice) and for a picture its parameter; the host answers in handle (an icon handle or a
 * picture's DIB, 0 for none) and, for a picture, transparentIndex. 40 bytes; on 64-bit Windows
 * the handle fills offsets 0 to 7. */
typedef struct ResourceRequest {
    HANDLE handle;
#if !defined(_WIN64)
    DWORD reserved0;
#endif
    int number;
    WORD kind; /* RES_ICON or RES_PICT */
    WORD reserved1;
    int numberAgain;
    int param; /* a picture's pictParam, 0 for an icon */
    BYTE reserved2[8];
    int transparentIndex; /* read for pictures only */
    DWORD reserved3;
} ResourceRequest;

#define RES_ICON 1
#define RES_PICT 3

/* The block of DrawPicture, zero-filled first: the context to draw into, the locked packed DIB
 * (valid during the call only), the destination and source in the context's coordinates, the
 * raster operation (SRCCOPY) and the colour index the host is to treat as transparent (-1 for
 * none). Without a clip the destination and source sizes and the source offsets are 0: the host
 * draws the whole picture at (destX, destY). 56 bytes; on 64-bit Windows the context handle
 * fills offsets 0 to 7 and the DIB pointer 8 to 15. */
typedef struct PictDrawRequest {
#if !defined(_WIN64)
    DWORD reserved0;
#endif
    HDC hdc;
#if !defined(_WIN64)
    DWORD reserved1;
#endif
    void* pDib;
    int destX;
    int destY;
    int destWidth;
    int destHeight;
    int srcX;
    int srcY;
    int srcWidth;
    int srcHeight;
    DWORD rop;
    int transparentIndex;
} PictDrawRequest;

/* State codes of GetPictureState and FreePictureState. */
#define PICT_STATE_PRESSED 1
#define PICT_STATE_HIGHLIGHT 2

GRAF_STATIC_ASSERT(sizeof(ResourceRequest) == 40, "ResourceRequest: 40 bytes");
GRAF_STATIC_ASSERT(offsetof(ResourceRequest, handle) == 0, "ResourceRequest.handle at 0");
GRAF_STATIC_ASSERT(offsetof(ResourceRequest, number) == 8, "ResourceRequest.number at 8");
GRAF_STATIC_ASSERT(offsetof(ResourceRequest, kind) == 12, "ResourceRequest.kind at 12");
GRAF_STATIC_ASSERT(offsetof(ResourceRequest, reserved1) == 14, "ResourceRequest.reserved1 at 14");
GRAF_STATIC_ASSERT(offsetof(ResourceRequest, numberAgain) == 16,
                   "ResourceRequest.numberAgain at 16");
GRAF_STATIC_ASSERT(offsetof(ResourceRequest, param) == 20, "ResourceRequest.param at 20");
GRAF_STATIC_ASSERT(offsetof(ResourceRequest, reserved2) == 24, "ResourceRequest.reserved2 at 24");
GRAF_STATIC_ASSERT(offsetof(ResourceRequest, transparentIndex) == 32,
                   "ResourceRequest.transparentIndex at 32");
GRAF_STATIC_ASSERT(offsetof(ResourceRequest, reserved3) == 36, "ResourceRequest.reserved3 at 36");
GRAF_STATIC_ASSERT(sizeof(PictDrawRequest) == 56, "PictDrawRequest: 56 bytes");
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, destX) == 16, "PictDrawRequest.destX at 16");
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, destY) == 20, "PictDrawRequest.destY at 20");
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, destWidth) == 24, "PictDrawRequest.destWidth at 24");
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, destHeight) == 28, "PictDrawRequest.destHeight at 28");
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, srcX) == 32, "PictDrawRequest.srcX at 32");
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, srcY) == 36, "PictDrawRequest.srcY at 36");
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, srcWidth) == 40, "PictDrawRequest.srcWidth at 40");
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, srcHeight) == 44, "PictDrawRequest.srcHeight at 44");
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, rop) == 48, "PictDrawRequest.rop at 48");
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, transparentIndex) == 52,
                   "PictDrawRequest.transparentIndex at 52");
#if defined(_WIN64)
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, hdc) == 0, "PictDrawRequest.hdc at 0");
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, pDib) == 8, "PictDrawRequest.pDib at 8");
#else
GRAF_STATIC_ASSERT(offsetof(ResourceRequest, reserved0) == 4, "ResourceRequest.reserved0 at 4");
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, reserved0) == 0, "PictDrawRequest.reserved0 at 0");
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, hdc) == 4, "PictDrawRequest.hdc at 4");
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, reserved1) == 8, "PictDrawRequest.reserved1 at 8");
GRAF_STATIC_ASSERT(offsetof(PictDrawRequest, pDib) == 12, "PictDrawRequest.pDib at 12");
#endif

/* The timer identifier each view uses for its hover highlight. */
#define GRAF_HOVER_TIMER_ID 1996

/* Resources the library looks up in the host: the hand cursor shown over hit regions and the
 * document template's resource identifier (menu and document strings). */
#define GRAF_HAND_CURSOR_NAME "H256"
#define GRAF_TEMPLATE_RESOURCE_ID 4

/* The export name of Grafic_Dll_NewView, for a host that looks it up with GetProcAddress. */
#define GRAF_NEWVIEW_EXPORT_NAME "_Z18Grafic_Dll_NewViewm"
/* The export name of Grafic_Dll_GetPictSize: it takes the view as a CView* and returns a CSize
 * (two 32-bit ints) by value, as a function returning a SIZE does. */
#define GRAF_GETPICTSIZE_EXPORT_NAME "_Z22Grafic_Dll_GetPictSizeP5CView"

#ifdef __cplusplus
/* A new graphic view object, without window or document, as an address (0 when memory is
 * exhausted). The argument is not read. Returns a pointer-sized value: on 32-bit Windows a
 * long, and the name does not depend on the result type. */
LONG_PTR GRAFAPI Grafic_Dll_NewView(unsigned long unused);
/* The image size of the display list's only entry when it is a picture holding an image, else
 * (0, 0); (0, 0) for a null view or a view of another class. */
CSize GRAFAPI Grafic_Dll_GetPictSize(CView* pView);

extern "C" {
#endif

/* Library lifecycle. */
GraficCallbacks* GRAFAPI Grafic_Dll_Start(void);
void GRAFAPI Grafic_Dll_End(void);
void GRAFAPI Grafic_Dll_Reset(void);

/* Views. Grafic_Dll_NewDoc creates the view's child window inside pParent at *pRect (parent
 * client coordinates) with a new document, and shows it; bNoBkFill keeps painting from
 * filling the background. */
void GRAFAPI Grafic_Dll_NewDoc(CWnd* pParent, CGraphicView* pView, const RECT* pRect, UINT nID,
                               BOOL bNoBkFill);
void GRAFAPI Grafic_Dll_SetOutput(CGraphicView* pView, LONG_PTR outputId,
                                  const CString* pOutputName);
void GRAFAPI Grafic_Dll_SetScrollable(CGraphicView* pView, BOOL bScrollable);
void GRAFAPI Grafic_Dll_SetViewBkColor(CGraphicView* pView, COLORREF color, BOOL bRedraw);

/* Display list. Element numbers are 1-based and skip active and click region shapes. */
int GRAFAPI Grafic_Dll_GetNbElement(CGraphicView* pView);
void GRAFAPI Grafic_Dll_RepaintView(CGraphicView* pView, CDC* pDC);
void GRAFAPI Grafic_Dll_Del_All_Elt(CGraphicView* pView);
void GRAFAPI Grafic_Dll_Del_Last_Elt(CGraphicView* pView, BOOL bPartial);
/* Rewrites the host's array: every entry is 1 less afterwards. */
void GRAFAPI Grafic_Dll_Del_Listed_Elt(CGraphicView* pView, CUIntArray* pNumbers, BOOL bPartial);
void GRAFAPI Grafic_Dll_Del_All_Activ_Rgn(CGraphicView* pView);
void GRAFAPI Grafic_Dll_Del_All_Click_Rgn(CGraphicView* pView);
void GRAFAPI Grafic_Dll_Del_Listed_Activ_Rgn(CGraphicView* pView, const CUIntArray* pIds);
void GRAFAPI Grafic_Dll_Del_Listed_Click_Rgn(CGraphicView* pView, const CUIntArray* pIds);

/* Printing. Grafic_Dll_Print runs the print command (the Print dialog, then the whole display
 * list as one page, one screen pixel printed as printer LOGPIXELSX / screen LOGPIXELSX dots);
 * Grafic_Dll_PrintPreview previews it in the view's parent frame, which must be a CFrameWnd,
 * replacing the pane whose identifier is the low 16 bits of paneId, sign-extended. */
void GRAFAPI Grafic_Dll_Print(CGraphicView* pView);
void GRAFAPI Grafic_Dll_PrintPreview(CGraphicView* pView, LONG paneId);

/* Drawing state. Each setter but Grafic_Dll_Set_Options appends a state element, which counts
 * in the element numbers. A null pointer argument makes a setter do nothing. */
void GRAFAPI Grafic_Dll_Set_Pen_Normal(CGraphicView* pView);
void GRAFAPI Grafic_Dll_Set_Pen_Size(CGraphicView* pView, const int* pSize);
void GRAFAPI Grafic_Dll_Set_Pen_Location(CGraphicView* pView, const POINT* pPoint);
void GRAFAPI Grafic_Dll_Offset_Pen_Location(CGraphicView* pView, const POINT* pOffset);
void GRAFAPI Grafic_Dll_Set_Fognd_Color(CGraphicView* pView, COLORREF color);
void GRAFAPI Grafic_Dll_Set_Bkgnd_Color(CGraphicView* pView, COLORREF color);
/* Face "Arial", 12 points, plain. */
void GRAFAPI Grafic_Dll_Set_Text_Normal(CGraphicView* pView);
/* Stores the name upper-cased; an empty name, GENEVA and MONACO give "Arial", CALFIXEDSYS gives
 * COURIER (drawn as COURIER NEW with tighter spacing). The host's string is not changed. */
void GRAFAPI Grafic_Dll_Set_Text_Font(CGraphicView* pView, const CString* pFace);
/* Points; 0 means 12. */
void GRAFAPI Grafic_Dll_Set_Text_Size(CGraphicView* pView, int points);
/* Style words by their first letter (B S O C I U E P); without P the bits are added. */
void GRAFAPI Grafic_Dll_Set_Text_Style(CGraphicView* pView, const CStringArray* pWords);
/* Sets (on) or clears the listed option numbers (GRAF_OPTION_*) for elements appended later;
 * an empty list sets all or none. Appends no element. */
void GRAFAPI Grafic_Dll_Set_Options(CGraphicView* pView, BOOL on, const CUIntArray* pOptions);
/* Four names of one function: each only appends a state element and reads nothing after the
 * view, so any further arguments are accepted and ignored. */
void GRAFAPI Grafic_Dll_Set_Pattern(CGraphicView* pView, ...);
void GRAFAPI Grafic_Dll_Set_Bkg_Pattern(CGraphicView* pView, ...);
void GRAFAPI Grafic_Dll_Set_Pen_Mode(CGraphicView* pView, ...);
void GRAFAPI Grafic_Dll_Set_Text_Mode(CGraphicView* pView, ...);

/* Closed shapes: each appends one element and draws it at once. The block's words are decoded
 * (and upper-cased) as GRAF_SHAPE says; when memory runs out on the way nothing is appended. */
void GRAFAPI Grafic_Dll_Rectangle(CGraphicView* pView, GRAF_SHAPE* pBlock);
void GRAFAPI Grafic_Dll_Oval(CGraphicView* pView, GRAF_SHAPE* pBlock);
void GRAFAPI Grafic_Dll_Round_Rectangle(CGraphicView* pView, GRAF_ROUNDRECT* pBlock);
void GRAFAPI Grafic_Dll_Arc(CGraphicView* pView, GRAF_ARC* pBlock);

/* Text. Grafic_Dll_Draw_Text draws the string with its baseline starting at the pen location,
 * then moves the pen to the end of the text on the same baseline. Grafic_Dll_Draw_Text_Box
 * lays its text out in the block's rectangle; it does not move the pen. Both use the text
 * face, size, style and the foreground colour, and draw with a transparent background. A null
 * string or block does nothing. */
void GRAFAPI Grafic_Dll_Draw_Text(CGraphicView* pView, const CString* pText);
void GRAFAPI Grafic_Dll_Draw_Text_Box(CGraphicView* pView, const GRAF_TEXTBOX* pBlock);

/* Lines and point lists: each appends one element and draws it at once. A line goes from the
 * pen location to the point, or to the pen location plus the offset (each coordinate wrapping
 * as a 32-bit integer does); a polyline joins the points the array's entries point to. Both move
 * the pen location to their last point (an empty polyline leaves it). A polygon is drawn with its verb on its own points, filled by the winding
 * rule; its words are decoded as GRAF_SHAPE says. A point array holding a null entry appends
 * nothing, and neither does a null view, block, point or array. */
void GRAFAPI Grafic_Dll_Line_To_Point(CGraphicView* pView, const POINT* pPoint);
void GRAFAPI Grafic_Dll_Line_Relative(CGraphicView* pView, const POINT* pOffset);
void GRAFAPI Grafic_Dll_Plot_Line(CGraphicView* pView, const CObArray* pPoints);
void GRAFAPI Grafic_Dll_DefPolygon(CGraphicView* pView, GRAF_POLYGON* pBlock);

/* Icons. Grafic_Dll_Icon appends an icon of the block's number, asked of RequestResource at
 * once (never for number 0), with its label centred under the 32x32 cell; with a non-zero region
 * identifier it is an active region around the icon and its label. A null block or label appends
 * nothing. The icon handles stay the host's. Grafic_Dll_Set_Icon asks again for the icons of
 * that number that still have no image and redraws them, found or not.
 * Grafic_Dll_GetSelectedIcon counts the icons of the display list, selected or not. */
void GRAFAPI Grafic_Dll_Icon(CGraphicView* pView, const GRAF_ICON* pBlock);
void GRAFAPI Grafic_Dll_Set_Icon(CGraphicView* pView, int iconNumber);
int GRAFAPI Grafic_Dll_GetSelectedIcon(CGraphicView* pView);

/* Pictures. Every DIB handle a picture takes (from RequestResource, Grafic_Dll_Set_Pict or
 * Grafic_Dll_UpdateCurPict) becomes the library's, which frees it when the picture is deleted,
 * given another image or destroyed with its view: the host must not free it. The images
 * GetPictureState answers stay the host's; FreePictureState tells it when one is no longer
 * used. Grafic_Dll_Picture appends a picture asked of the host at once (never for number 0);
 * a null block appends nothing. Grafic_Dll_Set_Pict gives the image to every picture of that
 * number that has none (each shares it; the last one frees it) and repaints them; it returns
 * whether one took it. Grafic_Dll_DefineCurPict appends an empty picture at the point without
 * drawing it and makes it the view's current picture. Grafic_Dll_UpdateCurPict gives the
 * current picture its new image and index and draws the part in the rectangle (nothing for a
 * null or empty rectangle); Grafic_Dll_UpdatePictSize gives it a new rectangle (a null one does
 * nothing). Both then tell the output callbacks while the view's output value is not 0, with or
 * without a current picture. The single-picture calls act only when the display list holds
 * exactly one entry and it is a picture: otherwise the transparent index reads 0, setting it
 * does nothing and Grafic_Dll_HasOnlyOnePict answers 0. */
void GRAFAPI Grafic_Dll_Picture(CGraphicView* pView, const GRAF_PICTURE* pBlock);
BOOL GRAFAPI Grafic_Dll_Set_Pict(CGraphicView* pView, int pictNumber, HGLOBAL hDib, int index);
void GRAFAPI Grafic_Dll_DefineCurPict(CGraphicView* pView, const POINT* pPos, int regionId);
void GRAFAPI Grafic_Dll_UpdateCurPict(CGraphicView* pView, HGLOBAL hDib, const RECT* pRect,
                                      int index);
void GRAFAPI Grafic_Dll_UpdatePictSize(CGraphicView* pView, const RECT* pRect);
/* -1 for a null view. */
int GRAFAPI Grafic_Dll_GetTransparentIndex(CGraphicView* pView);
void GRAFAPI Grafic_Dll_SetTransparentIndex(CGraphicView* pView, int index);
HGLOBAL GRAFAPI Grafic_Dll_HasOnlyOnePict(CGraphicView* pView);

#ifdef __cplusplus
}
#endif

#endif /* MIRDALUX_H */
