/* The host written in C (blocks_host.c) and the C++ part of its host (c_host_test.cpp): what each
 * offers the other. The class library's strings and arrays are C++ objects a C program cannot
 * construct, so the C++ part builds them, in the C program's own storage where the host header
 * embeds them (CString, CObArray) and on the heap otherwise. */
#ifndef BLOCKS_HOST_H
#define BLOCKS_HOST_H

#include <mirdalux.h>

#ifdef __cplusplus
extern "C" {
#endif

/* One measurement of a block's layout: "sizeof GRAF_SHAPE", "GRAF_SHAPE.rect" and so on. */
typedef struct BlockLayoutEntry {
    const char* name;
    size_t value;
} BlockLayoutEntry;

/* Every block's size and member offsets, the callback slots last in table order: each side
 * expands the list with its own compiler, so the two tables measure the same things. */
#define BLOCK_LAYOUT_ENTRIES                                                                       \
    LAYOUT_SIZE(GRAF_SHAPE), LAYOUT_AT(GRAF_SHAPE, verb), LAYOUT_AT(GRAF_SHAPE, rect),             \
        LAYOUT_AT(GRAF_SHAPE, pattern), LAYOUT_SIZE(GRAF_ROUNDRECT),                               \
        LAYOUT_AT(GRAF_ROUNDRECT, cornerWidth), LAYOUT_AT(GRAF_ROUNDRECT, cornerHeight),           \
        LAYOUT_AT(GRAF_ROUNDRECT, shape), LAYOUT_SIZE(GRAF_ARC), LAYOUT_AT(GRAF_ARC, startAngle),  \
        LAYOUT_AT(GRAF_ARC, arcAngle), LAYOUT_AT(GRAF_ARC, shape), LAYOUT_SIZE(GRAF_POLYGON),      \
        LAYOUT_AT(GRAF_POLYGON, shape), LAYOUT_AT(GRAF_POLYGON, points),                           \
        LAYOUT_SIZE(GRAF_TEXTBOX), LAYOUT_AT(GRAF_TEXTBOX, rect), LAYOUT_AT(GRAF_TEXTBOX, align),  \
        LAYOUT_AT(GRAF_TEXTBOX, framed), LAYOUT_AT(GRAF_TEXTBOX, text), LAYOUT_SIZE(GRAF_ICON),    \
        LAYOUT_AT(GRAF_ICON, x), LAYOUT_AT(GRAF_ICON, y), LAYOUT_AT(GRAF_ICON, iconNumber),        \
        LAYOUT_AT(GRAF_ICON, regionId), LAYOUT_AT(GRAF_ICON, label), LAYOUT_SIZE(GRAF_PICTURE),    \
        LAYOUT_AT(GRAF_PICTURE, x), LAYOUT_AT(GRAF_PICTURE, y),                                    \
        LAYOUT_AT(GRAF_PICTURE, pictNumber), LAYOUT_AT(GRAF_PICTURE, pictParam),                   \
        LAYOUT_AT(GRAF_PICTURE, regionId), LAYOUT_SIZE(GraficCallbacks),                           \
        LAYOUT_AT(GraficCallbacks, OnActiveClick), LAYOUT_AT(GraficCallbacks, OnRegionClick),      \
        LAYOUT_AT(GraficCallbacks, DrawPicture), LAYOUT_AT(GraficCallbacks, RequestResource),      \
        LAYOUT_AT(GraficCallbacks, GetPictureState), LAYOUT_AT(GraficCallbacks, FreePictureState), \
        LAYOUT_AT(GraficCallbacks, OnCurPictUpdate), LAYOUT_AT(GraficCallbacks, OnCurPictResize)

#define LAYOUT_SIZE(type) LAYOUT_ENTRY("sizeof " #type, sizeof(type))
#define LAYOUT_AT(type, member) LAYOUT_ENTRY(#type "." #member, offsetof(type, member))
#define LAYOUT_ENTRY(name, value)                                                                  \
    {                                                                                              \
        name, value                                                                                \
    }

/* Offered by the C++ part. */
void CHostMakeString(CString* pString, const char* text);
void CHostFreeString(CString* pString);
/* An array whose entries point to the count points, built in the storage *pArray. */
void CHostMakePointArray(CObArray* pArray, POINT* pPoints, int count);
void CHostFreePointArray(CObArray* pArray);
CStringArray* CHostNewStringArray(const char* const* words, int count);
void CHostDeleteStringArray(CStringArray* pArray);
CUIntArray* CHostNewNumberArray(const UINT* numbers, int count);
void CHostDeleteNumberArray(CUIntArray* pArray);

/* Offered by the C host. */
/* The layout entries as the C compiler measures them; returns their number. */
size_t CHostBlockLayout(const BlockLayoutEntry** ppEntries);
/* Draws the C host's picture through every drawing and state export. Returns how many of the
 * shapes' words came back as the library should leave them (upper-cased, a region identifier
 * unchanged), out of CHOST_WORDS_CHECKED. */
int CHostDrawPicture(CGraphicView* pView);
#define CHOST_WORDS_CHECKED 16
/* Starts the library and stores a C function in slot 1, which records its region in
 * g_cHostLastRegion (-1 before it is called). */
GraficCallbacks* CHostStart(void);
extern int g_cHostLastRegion;
/* Grafic_Dll_GetPictSize called by its export name as a C function returning a SIZE; (-1, -1)
 * when the name is not exported. */
SIZE CHostPictSize(CGraphicView* pView);

#ifdef __cplusplus
}
#endif

#endif /* BLOCKS_HOST_H */
