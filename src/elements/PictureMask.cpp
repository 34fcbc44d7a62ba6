// CPictureElement: the hit mask of an active picture and the small DIB operations behind it.
// Transparent pixels are white in the mask, all others black.
#include "elements/PictureElement.h"

#include <afxpriv.h>

#include <cstring>
#include <new>

#include "elements/Dib.h"

int CPictureElement::DibNumColors()
{
    CLockedDib dib(hDib);
    return dib.IsValid() ? dib.NumColors() : -1;
}

CRect CPictureElement::GetDibRect(HGLOBAL h)
{
    CLockedDib dib(h != NULL ? h : hDib);
    if (!dib.IsValid())
        return CRect(bounds.left, bounds.top, 0, 0);
    return CRect(bounds.left, bounds.top, bounds.left + dib.Width(), bounds.top + dib.Height());
}

void CPictureElement::BuildHitMask()
{
    SetRegion(NULL);
    if (hDib == NULL)
        return;
    {
        CLockedDib dib(hDib);
        if (dib.IsValid()) {
            CRgn* pRgn = new (std::nothrow) CRgn;
            if (pRgn != NULL &&
                pRgn->CreateRectRgn(bounds.left, bounds.top, bounds.left + dib.Width(),
                                    bounds.top + dib.Height()))
                SetRegion(pRgn);
            else
                delete pRgn;
        }
    }
    HGLOBAL hCopy = CopyDib();
    if (hCopy == NULL)
        return;
    MakeMaskColours(hCopy);
    CreateMaskBitmap(hCopy);
    ::GlobalFree(hCopy);
    AfxCountGlobalBlock(-1);
}

HGLOBAL CPictureElement::CopyDib()
{
    CLockedDib source(hDib);
    if (!source.IsValid())
        return NULL;
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, source.BlockSize());
    if (hCopy == NULL)
        return NULL;
    AfxCountGlobalBlock(+1);
    void* pCopy = ::GlobalLock(hCopy);
    if (pCopy != NULL) {
        memcpy(pCopy, source.Base(), source.BlockSize());
        ::GlobalUnlock(hCopy);
    }
    return hCopy;
}

void CPictureElement::MakeMaskColours(HGLOBAL hCopy)
{
    CLockedDib copy(hCopy);
    if (!copy.IsValid())
        return;
    const int count = copy.NumColors();
    if (transparentIndex < 0 || transparentIndex >= count)
        return;
    RGBQUAD* table = copy.ColorTable();
    const RGBQUAD key = table[transparentIndex];
    // By colour, not by index: every entry of the key's colour becomes transparent.
    for (int i = 0; i < count; ++i) {
        const BOOL same = table[i].rgbRed == key.rgbRed && table[i].rgbGreen == key.rgbGreen &&
                          table[i].rgbBlue == key.rgbBlue;
        const BYTE v = same ? 255 : 0;
        table[i].rgbRed = table[i].rgbGreen = table[i].rgbBlue = v;
    }
}

CPalette* CPictureElement::CreateDibPalette()
{
    CLockedDib dib(hDib);
    if (!dib.IsValid() || dib.NumColors() == 0)
        return NULL;
    const int count = dib.NumColors();
    // A logical palette holds at most 65,535 entries.
    if (count > 0xFFFF)
        return NULL;
    const SIZE_T bytes = 8 + 4 * static_cast<SIZE_T>(count);
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (hBlock == NULL)
        return NULL;
    AfxCountGlobalBlock(+1);
    CPalette* pPalette = NULL;
    LOGPALETTE* pLog = static_cast<LOGPALETTE*>(::GlobalLock(hBlock));
    if (pLog != NULL) {
        pLog->palVersion = 0x300;
        pLog->palNumEntries = static_cast<WORD>(count);
        const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(dib.Base() + 40);
        for (int i = 0; i < count; ++i) {
            pLog->palPalEntry[i].peRed = table[i].rgbRed;
            pLog->palPalEntry[i].peGreen = table[i].rgbGreen;
            pLog->palPalEntry[i].peBlue = table[i].rgbBlue;
            pLog->palPalEntry[i].peFlags = 0;
        }
        pPalette = new (std::nothrow) CPalette;
        if (pPalette != NULL && !pPalette->CreatePalette(pLog)) {
            delete pPalette;
            pPalette = NULL;
        }
        ::GlobalUnlock(hBlock);
    }
    ::GlobalFree(hBlock);
    AfxCountGlobalBlock(-1);
    return pPalette;
}

CBitmap* CPictureElement::CreateDibBitmap(HGLOBAL hCopy)
{
    CLockedDib copy(hCopy);
    if (!copy.IsValid())
        return NULL;
    CClientDC screen(NULL);
    if (screen.GetSafeHdc() == NULL)
        return NULL;
    CPalette* pPalette = CreateDibPalette();
    CPalette* pOldPalette = NULL;
    if (pPalette != NULL)
        pOldPalette = screen.SelectPalette(pPalette, FALSE);
    screen.RealizePalette();
    HBITMAP hBitmap =
        ::CreateDIBitmap(screen.GetSafeHdc(), copy.Header(), CBM_INIT, copy.Bits(),
                         reinterpret_cast<const BITMAPINFO*>(copy.Header()), DIB_RGB_COLORS);
    if (pPalette != NULL) {
        screen.SelectPalette(pOldPalette, FALSE);
        pPalette->DeleteObject();
        delete pPalette;
    }
    if (hBitmap == NULL)
        return NULL;
    // Made outside the wrapper that deletes it: counted here so that the counters balance.
    AfxCountGdiObject(+1);
    CBitmap* pBitmap = new (std::nothrow) CBitmap;
    if (pBitmap == NULL) {
        ::DeleteObject(hBitmap);
        AfxCountGdiObject(-1);
        return NULL;
    }
    pBitmap->Attach(hBitmap);
    return pBitmap;
}

void CPictureElement::CreateMaskBitmap(HGLOBAL hCopy)
{
    CBitmap* pColour = CreateDibBitmap(hCopy);
    if (pColour == NULL)
        return;
    const CRect r = GetDibRect(hDib);
    const int w = r.Width(), h = r.Height();
    CDC first, second;
    if (w > 0 && h > 0 && first.CreateCompatibleDC(NULL) && second.CreateCompatibleDC(&first)) {
        first.SetMapMode(MM_TEXT);
        second.SetMapMode(MM_TEXT);
        first.SetWindowOrg(0, 0);
        second.SetWindowOrg(0, 0);
        mask.DeleteObject();
        if (mask.CreateBitmap(w, h, 1, 1, NULL)) {
            CBitmap* pOldMask = second.SelectObject(&mask);
            CBitmap* pOldColour = first.SelectObject(pColour);
            // Colour to monochrome: pixels of the source's background colour (white) turn
            // white, every other pixel black.
            second.BitBlt(0, 0, w, h, &first, 0, 0, SRCCOPY);
            first.SelectObject(pOldColour);
            second.SelectObject(pOldMask);
        }
    }
    pColour->DeleteObject();
    delete pColour;
}

BOOL CPictureElement::IsOpaqueAt(POINT p)
{
    if (mask.GetSafeHandle() == NULL)
        return FALSE;
    // A memory context made for the screen (no screen context is taken): the test runs on
    // every pointer move. The mask's origin is the image rectangle's corner, which is bounds'
    // top-left corner, so the image need not be locked again for it.
    CDC dc;
    if (!dc.CreateCompatibleDC(NULL))
        return FALSE;
    dc.SetWindowOrg(bounds.left, bounds.top);
    CBitmap* pOld = dc.SelectObject(&mask);
    const COLORREF pixel = dc.GetPixel(p);
    dc.SelectObject(pOld);
    return pixel == RGB(0, 0, 0);
}
