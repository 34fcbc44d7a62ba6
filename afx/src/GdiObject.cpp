// CGdiObject and its kinds (CPen, CBrush, CFont, CBitmap, CPalette, CRgn): creation with
// live-object counting, ownership, and the handle map behind FromHandle.
#include <afxpriv.h>

#include "HandleMap.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace {

// A temporary wrapper of the class that matches the handle's type, so IsKindOf works on it.
CGdiObject* NewTempGdiObject(HGDIOBJ h)
{
    CGdiObject* p;
    switch (::GetObjectType(h)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        p = new CPen;
        break;
    case OBJ_BRUSH:
        p = new CBrush;
        break;
    case OBJ_FONT:
        p = new CFont;
        break;
    case OBJ_BITMAP:
        p = new CBitmap;
        break;
    case OBJ_PAL:
        p = new CPalette;
        break;
    case OBJ_REGION:
        p = new CRgn;
        break;
    default:
        p = new CGdiObject;
        break;
    }
    p->m_hObject = h;
    return p;
}

void DeleteTempGdiObject(CGdiObject* p)
{
    p->m_hObject = NULL;
    delete p;
}

typedef CHandleMap<HGDIOBJ, CGdiObject> CGdiHandleMap;

CGdiHandleMap* GdiMap(BOOL bCreate)
{
    return AfxThreadHandleMap<CGdiHandleMap, afxMapHGDIOBJ, &NewTempGdiObject,
                              &DeleteTempGdiObject>(bCreate);
}

}  // namespace

/////////////////////////////////////////////////////////////////////////////
// CGdiObject

CGdiObject::~CGdiObject()
{
    if (m_hObject == NULL)
        return;
    CGdiHandleMap* pMap = GdiMap(FALSE);
    // Someone deleting a temporary wrapper: forget it, keep the handle.
    if (pMap && pMap->RemoveTemporary(m_hObject, this)) {
        m_hObject = NULL;
        return;
    }
    // The owner going: what DeleteObject does, with the map already at hand.
    if (pMap)
        pMap->RemoveHandle(m_hObject, this);
    AfxCountGdiObject(-1);
    ::DeleteObject(m_hObject);
    m_hObject = NULL;
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return NULL;
    CGdiHandleMap* pMap = GdiMap(TRUE);
    return pMap ? pMap->FromHandle(hObject) : NULL;
}

void PASCAL CGdiObject::DeleteTempMap()
{
    if (CGdiHandleMap* pMap = GdiMap(FALSE))
        pMap->DeleteTemp();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    ASSERT(m_hObject == NULL);
    if (hObject == NULL || m_hObject != NULL)
        return FALSE;
    m_hObject = hObject;
    if (CGdiHandleMap* pMap = GdiMap(TRUE))
        pMap->SetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject != NULL) {
        if (CGdiHandleMap* pMap = GdiMap(FALSE))
            pMap->RemoveHandle(hObject, this);
    }
    m_hObject = NULL;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    AfxCountGdiObject(-1);
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::AttachNew(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return FALSE;
    ASSERT(m_hObject == NULL);
    if (m_hObject != NULL) {
        ::DeleteObject(hObject);
        return FALSE;
    }
    AfxCountGdiObject(+1);
    return Attach(hObject);
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    if (m_hObject == NULL || nCount < 0)
        return 0;
    return ::GetObject(m_hObject, nCount, lpObject);
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return AttachNew(::GetStockObject(nIndex));
}

/////////////////////////////////////////////////////////////////////////////
// CPen

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return AttachNew(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount,
                     const DWORD* lpStyle)
{
    if (pLogBrush == NULL || nStyleCount < 0 || (nStyleCount > 0 && lpStyle == NULL))
        return FALSE;
    return AttachNew(
        ::ExtCreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, nStyleCount ? lpStyle : NULL));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    return lpLogPen && AttachNew(::CreatePenIndirect(lpLogPen));
}

/////////////////////////////////////////////////////////////////////////////
// CBrush

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return AttachNew(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return AttachNew(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    return lpLogBrush && AttachNew(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    HBITMAP hBitmap = (HBITMAP)pBitmap->GetSafeHandle();
    return hBitmap && AttachNew(::CreatePatternBrush(hBitmap));
}

BOOL CBrush::CreateDIBPatternBrush(HGLOBAL hPackedDIB, UINT nUsage)
{
    if (hPackedDIB == NULL)
        return FALSE;
    const void* lpPackedDIB = ::GlobalLock(hPackedDIB);
    if (lpPackedDIB == NULL)
        return FALSE;
    // GDI copies the pattern, so the block can be unlocked (and freed by the caller) at once.
    BOOL bResult = CreateDIBPatternBrush(lpPackedDIB, nUsage);
    ::GlobalUnlock(hPackedDIB);
    return bResult;
}

BOOL CBrush::CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage)
{
    return lpPackedDIB && AttachNew(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    // A system colour brush is a stock object: deleting it is harmless, so it is counted like
    // any other.
    return AttachNew(::GetSysColorBrush(nIndex));
}

/////////////////////////////////////////////////////////////////////////////
// CFont

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    return lpLogFont && AttachNew(::CreateFontIndirect(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                       LPCTSTR lpszFacename)
{
    return AttachNew(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                  bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                                  nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT logFont;
    ::ZeroMemory(&logFont, sizeof(logFont));
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    if (lpszFaceName)
        ::lstrcpyn(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    if (lpLogFont == NULL)
        return FALSE;
    HDC hDC = pDC ? pDC->m_hAttribDC : NULL;
    BOOL bScreen = hDC == NULL;
    if (bScreen)
        hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return FALSE;

    // Tenths of a point to device pixels, then to logical units of the DC. The height is
    // given negative: it is the character height without the internal leading.
    LOGFONT logFont = *lpLogFont;
    POINT pt[2] = {{0, 0},
                   {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lpLogFont->lfHeight, 720)}};
    ::DPtoLP(hDC, pt, 2);
    LONG height = pt[1].y - pt[0].y;
    logFont.lfHeight = height < 0 ? height : -height;
    if (bScreen)
        ::ReleaseDC(NULL, hDC);
    return CreateFontIndirect(&logFont);
}

/////////////////////////////////////////////////////////////////////////////
// CBitmap

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL)
        return FALSE;
    return AttachNew(::LoadBitmap(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap)
{
    return AttachNew(::LoadBitmap(NULL, MAKEINTRESOURCE(nIDBitmap)));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount,
                           const void* lpBits)
{
    return AttachNew(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
    return lpBitmap && AttachNew(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    HDC hDC = pDC->GetSafeHdc();
    return hDC && AttachNew(::CreateCompatibleBitmap(hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight)
{
    // Discardable bitmaps are plain compatible bitmaps on every 32-bit Windows.
    return CreateCompatibleBitmap(pDC, nWidth, nHeight);
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits)
{
    if (m_hObject == NULL || lpBits == NULL)
        return 0;
    return (DWORD)::SetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits);
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
    if (m_hObject == NULL || lpBits == NULL)
        return 0;
    return (DWORD)::GetBitmapBits((HBITMAP)m_hObject, (LONG)dwCount, lpBits);
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight)
{
    SIZE size = {0, 0};
    if (m_hObject)
        ::SetBitmapDimensionEx((HBITMAP)m_hObject, nWidth, nHeight, &size);
    return size;
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = {0, 0};
    if (m_hObject)
        ::GetBitmapDimensionEx((HBITMAP)m_hObject, &size);
    return size;
}

/////////////////////////////////////////////////////////////////////////////
// CPalette

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette)
{
    return lpLogPalette && AttachNew(::CreatePalette(lpLogPalette));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    HDC hDC = pDC->GetSafeHdc();
    return hDC && AttachNew(::CreateHalftonePalette(hDC));
}

int CPalette::GetEntryCount()
{
    WORD nEntries = 0;
    if (m_hObject == NULL || !::GetObject(m_hObject, sizeof(nEntries), &nEntries))
        return 0;
    return nEntries;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries,
                                 LPPALETTEENTRY lpPaletteColors) const
{
    if (m_hObject == NULL || lpPaletteColors == NULL)
        return 0;
    return ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    if (m_hObject == NULL || lpPaletteColors == NULL)
        return 0;
    return ::SetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

void CPalette::AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    if (m_hObject && lpPaletteColors)
        ::AnimatePalette((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const
{
    return m_hObject ? ::GetNearestPaletteIndex((HPALETTE)m_hObject, crColor) : CLR_INVALID;
}

BOOL CPalette::ResizePalette(UINT nNumEntries)
{
    return m_hObject && ::ResizePalette((HPALETTE)m_hObject, nNumEntries);
}

/////////////////////////////////////////////////////////////////////////////
// CRgn

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return AttachNew(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return lpRect && AttachNew(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return AttachNew(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect)
{
    return lpRect && AttachNew(::CreateEllipticRgnIndirect(lpRect));
}

BOOL CRgn::CreatePolygonRgn(LPPOINT lpPoints, int nCount, int nMode)
{
    return lpPoints && nCount > 0 && AttachNew(::CreatePolygonRgn(lpPoints, nCount, nMode));
}

BOOL CRgn::CreatePolyPolygonRgn(LPPOINT lpPoints, LPINT lpPolyCounts, int nCount, int nPolyFillMode)
{
    return lpPoints && lpPolyCounts && nCount > 0 &&
           AttachNew(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return AttachNew(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreateFromPath(CDC* pDC)
{
    HDC hDC = pDC->GetSafeHdc();
    return hDC && AttachNew(::PathToRegion(hDC));
}

BOOL CRgn::CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData)
{
    return pRgnData && nCount > 0 && AttachNew(::ExtCreateRegion(lpXForm, (DWORD)nCount, pRgnData));
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject)
        ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2);
}

void CRgn::SetRectRgn(LPCRECT lpRect)
{
    if (lpRect)
        SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::CombineRgn(CRgn* pRgn1, CRgn* pRgn2, int nCombineMode)
{
    HRGN hRgn1 = (HRGN)pRgn1->GetSafeHandle();
    HRGN hRgn2 = (HRGN)pRgn2->GetSafeHandle();
    // RGN_COPY uses only the first source.
    if (m_hObject == NULL || hRgn1 == NULL || (hRgn2 == NULL && nCombineMode != RGN_COPY))
        return ERROR;
    return ::CombineRgn((HRGN)m_hObject, hRgn1, hRgn2, nCombineMode);
}

int CRgn::CopyRgn(CRgn* pRgnSrc)
{
    return CombineRgn(pRgnSrc, NULL, RGN_COPY);
}

BOOL CRgn::EqualRgn(CRgn* pRgn) const
{
    HRGN hOther = (HRGN)pRgn->GetSafeHandle();
    return m_hObject && hOther && ::EqualRgn((HRGN)m_hObject, hOther);
}

int CRgn::OffsetRgn(int x, int y)
{
    return m_hObject ? ::OffsetRgn((HRGN)m_hObject, x, y) : ERROR;
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    return m_hObject && lpRect ? ::GetRgnBox((HRGN)m_hObject, lpRect) : ERROR;
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return m_hObject && ::PtInRegion((HRGN)m_hObject, x, y);
}

BOOL CRgn::RectInRegion(LPCRECT lpRect) const
{
    return m_hObject && lpRect && ::RectInRegion((HRGN)m_hObject, lpRect);
}

int CRgn::GetRegionData(LPRGNDATA lpRgnData, int nCount) const
{
    if (m_hObject == NULL || nCount < 0)
        return 0;
    return (int)::GetRegionData((HRGN)m_hObject, (DWORD)nCount, lpRgnData);
}
