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
    BLOCK_SIZE_ENTRY(GRAF_SHAPE), BLOCK_OFFSET_ENTRY(GRAF_SHAPE, verb),                            \
        BLOCK_OFFSET_ENTRY(GRAF_SHAPE, rect), BLOCK_OFFSET_ENTRY(GRAF_SHAPE, pattern),             \
        BLOCK_SIZE_ENTRY(GRAF_ROUNDRECT), BLOCK_OFFSET_ENTRY(GRAF_ROUNDRECT, cornerWidth),         \
        BLOCK_OFFSET_ENTRY(GRAF_ROUNDRECT, cornerHeight),                                          \
        BLOCK_OFFSET_ENTRY(GRAF_ROUNDRECT, shape), BLOCK_SIZE_ENTRY(GRAF_ARC),                     \
        BLOCK_OFFSET_ENTRY(GRAF_ARC, startAngle), BLOCK_OFFSET_ENTRY(GRAF_ARC, arcAngle),          \
        BLOCK_OFFSET_ENTRY(GRAF_ARC, shape), BLOCK_SIZE_ENTRY(GRAF_POLYGON),                       \
        BLOCK_OFFSET_ENTRY(GRAF_POLYGON, shape), BLOCK_OFFSET_ENTRY(GRAF_POLYGON, points),         \
        BLOCK_SIZE_ENTRY(GRAF_TEXTBOX), BLOCK_OFFSET_ENTRY(GRAF_TEXTBOX, rect),                    \
        BLOCK_OFFSET_ENTRY(GRAF_TEXTBOX, align), BLOCK_OFFSET_ENTRY(GRAF_TEXTBOX, framed),         \
        BLOCK_OFFSET_ENTRY(GRAF_TEXTBOX, text), BLOCK_SIZE_ENTRY(GRAF_ICON),                       \
        BLOCK_OFFSET_ENTRY(GRAF_ICON, x), BLOCK_OFFSET_ENTRY(GRAF_ICON, y),                        \
        BLOCK_OFFSET_ENTRY(GRAF_ICON, iconNumber), BLOCK_OFFSET_ENTRY(GRAF_ICON, regionId),        \
        BLOCK_OFFSET_ENTRY(GRAF_ICON, label), BLOCK_SIZE_ENTRY(GRAF_PICTURE),                      \
        BLOCK_OFFSET_ENTRY(GRAF_PICTURE, x), BLOCK_OFFSET_ENTRY(GRAF_PICTURE, y),                  \
        BLOCK_OFFSET_ENTRY(GRAF_PICTURE, pictNumber), BLOCK_OFFSET_ENTRY(GRAF_PICTURE, pictParam), \
        BLOCK_OFFSET_ENTRY(GRAF_PICTURE, regionId), BLOCK_SIZE_ENTRY(GraficCallbacks),             \
        BLOCK_OFFSET_ENTRY(GraficCallbacks, OnActiveClick),                                        \
        BLOCK_OFFSET_ENTRY(GraficCallbacks, OnRegionClick),                                        \
        BLOCK_OFFSET_ENTRY(GraficCallbacks, DrawPicture),                                          \
        BLOCK_OFFSET_ENTRY(GraficCallbacks, RequestResource),                                      \
        BLOCK_OFFSET_ENTRY(GraficCallbacks, GetPictureState),                                      \
        BLOCK_OFFSET_ENTRY(GraficCallbacks, FreePictureState),                                     \
        BLOCK_OFFSET_ENTRY(GraficCallbacks, OnCurPictUpdate),                                      \
        BLOCK_OFFSET_ENTRY(GraficCallbacks, OnCurPictResize)

#define BLOCK_SIZE_ENTRY(type)                                                                     \
    {                                                                                              \
        "sizeof " #type, sizeof(type)                                                              \
    }
#define BLOCK_OFFSET_ENTRY(type, member)                                                           \
    {                                                                                              \
#type "." #member, offsetof(type, member)                                                  \
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
 * CHostLastRegion. */
GraficCallbacks* CHostStart(void);
int CHostLastRegion(void);

#ifdef __cplusplus
}
#endif

#endif /* BLOCKS_HOST_H */
