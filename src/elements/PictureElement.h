// CPictureElement: a device-independent bitmap the host supplies and paints itself. The library
// only locks the bitmap and hands it to the host's DrawPicture; for an active picture it keeps a
// monochrome mask of the transparent pixels so that the pointer finds only opaque ones.
#pragma once
#include <afxwin.h>

#include "elements/GraphicElement.h"

class AFX_EXT_CLASS CPictureElement : public CGraphicElement
{
public:
    // Asks the host for picture `number` (never for 0) with `param`; with a non-zero regionId
    // the picture is active and builds its region and mask.
    CPictureElement(int stateIndex, int x, int y, int number, int param, int regionId);
    virtual ~CPictureElement();

    // Hands the pressed, highlighted or normal image to the host's DrawPicture, clipped to
    // pClip when given (nothing without a normal image or when the image cannot be read).
    virtual void Draw(CDC* pDC, const RECT* pClip);
    virtual BOOL UsesBlinkingFrame();
    // Ask the host for its state image each time; the answer replaces the one held.
    virtual BOOL HasHighlightImage();
    virtual BOOL HasPressedImage();
    virtual BOOL IsPicture();
    // Drops the region, gives the state images back to the host and frees the normal image.
    virtual void ReleaseResources();
    // Adopts hNew as the normal image: the one held before is freed unless it is hNew; bounds,
    // region and mask follow hNew and the transparent index in force.
    virtual void SetPictData(HGLOBAL hNew, BOOL bFromSetPict);
    virtual BOOL HasPict();
    virtual void SetTransparentIndex(int index);
    virtual int GetTransparentIndex();

    // Colour-table entries of the normal image; -1 without one or when it cannot be read.
    int DibNumColors();
    // The rectangle of DIB h (of the normal image when h is NULL) at the top-left corner of
    // bounds; (left, top, 0, 0) when there is none or it cannot be read.
    CRect GetDibRect(HGLOBAL h);
    void BuildHitMask();
    // A new movable block holding a copy of the normal image, or NULL.
    HGLOBAL CopyDib();
    // Colour-table entries of the transparent entry's colour become white, the others black.
    void MakeMaskColours(HGLOBAL hCopy);
    CPalette* CreateDibPalette();
    CBitmap* CreateDibBitmap(HGLOBAL hCopy);
    void CreateMaskBitmap(HGLOBAL hCopy);
    // TRUE when the mask is black at document point p.
    BOOL IsOpaqueAt(POINT p);

    int pictNumber;
    int pictParam;
    HGLOBAL hDib;           // owned once adopted
    HGLOBAL hHighlightDib;  // the host's latest answer, owned by the host
    HGLOBAL hPressedDib;    // the host's latest answer, owned by the host
    int transparentIndex;
    CBitmap mask;

private:
    void FindPicture();
    HGLOBAL AskState(int stateCode);
};

// Adopted images may be shared by several pictures (one handle served to each empty picture of
// a number): the last holder frees it. HoldDib is false when the hold could not be noted (out of
// memory): the image is then freed by its first release.
AFX_EXT_API BOOL AFXAPI HoldDib(HGLOBAL h);
AFX_EXT_API void AFXAPI ReleaseDib(HGLOBAL h);
