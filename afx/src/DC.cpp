// CDC: creation and deletion with live-object counting, the output/attribute handle pair, the
// handle map behind FromHandle, and the members that touch both handles.
#include <afxpriv.h>

#include "HandleMap.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {

// Calls apply with the output handle, when it is a separate one, and then with the attribute
// handle, so a setting holds for drawing and for the queries alike.
template <class Apply> void ApplyToBoth(const CDC* pDC, Apply apply)
{
    if (pDC->m_hDC != pDC->m_hAttribDC && pDC->m_hDC != NULL)
        apply(pDC->m_hDC);
    if (pDC->m_hAttribDC != NULL)
        apply(pDC->m_hAttribDC);
}

// The same for a setter: the answer is the attribute handle's (the output handle's when there is
// no attribute handle), or none when the DC has no handle at all.
template <class Result, class Apply> Result ApplyToBoth(const CDC* pDC, Result none, Apply apply)
{
    Result result = none;
    ApplyToBoth(pDC, [&](HDC hDC) { result = apply(hDC); });
    return result;
}

CDC* NewTempDC(HDC hDC)
{
    CDC* pDC = new CDC;
    pDC->m_hDC = hDC;
    pDC->m_hAttribDC = hDC;
    return pDC;
}

void DeleteTempDC(CDC* pDC)
{
    pDC->m_hDC = NULL;
    pDC->m_hAttribDC = NULL;
    delete pDC;
}

typedef CHandleMap<HDC, CDC> CDCHandleMap;

CDCHandleMap* DCMap(BOOL bCreate)
{
    return AfxThreadHandleMap<CDCHandleMap, afxMapHDC, &NewTempDC, &DeleteTempDC>(bCreate);
}

}  // namespace

/////////////////////////////////////////////////////////////////////////////
// Handles, creation and deletion

CDC::~CDC()
{
    if (m_hDC == NULL)
        return;
    // Someone deleting a temporary wrapper: forget it, keep the DC.
    CDCHandleMap* pMap = DCMap(FALSE);
    if (pMap && pMap->RemoveTemporary(m_hDC, this)) {
        m_hDC = NULL;
        m_hAttribDC = NULL;
        return;
    }
    AfxCountDC(-1);
    ::DeleteDC(Detach());
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    if (hDC == NULL)
        return NULL;
    CDCHandleMap* pMap = DCMap(TRUE);
    return pMap ? pMap->FromHandle(hDC) : NULL;
}

void PASCAL CDC::DeleteTempMap()
{
    if (CDCHandleMap* pMap = DCMap(FALSE))
        pMap->DeleteTemp();
}

BOOL CDC::Attach(HDC hDC)
{
    ASSERT(m_hDC == NULL && m_hAttribDC == NULL);
    if (hDC == NULL || m_hDC != NULL)
        return FALSE;
    m_hDC = hDC;
    if (CDCHandleMap* pMap = DCMap(TRUE))
        pMap->SetPermanent(hDC, this);
    SetAttribDC(hDC);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != NULL) {
        if (CDCHandleMap* pMap = DCMap(FALSE))
            pMap->RemoveHandle(hDC, this);
    }
    ReleaseAttribDC();
    ReleaseOutputDC();
    return hDC;
}

void CDC::SetAttribDC(HDC hDC)
{
    m_hAttribDC = hDC;
}

void CDC::SetOutputDC(HDC hDC)
{
    // The permanent entry follows the output handle of an attached object.
    CDCHandleMap* pMap = m_hDC ? DCMap(FALSE) : NULL;
    if (pMap && pMap->LookupPermanent(m_hDC) == this) {
        pMap->RemoveHandle(m_hDC, this);
        if (hDC)
            pMap->SetPermanent(hDC, this);
    }
    m_hDC = hDC;
}

void CDC::ReleaseAttribDC()
{
    m_hAttribDC = NULL;
}

void CDC::ReleaseOutputDC()
{
    if (m_hDC != NULL) {
        if (CDCHandleMap* pMap = DCMap(FALSE))
            pMap->RemoveHandle(m_hDC, this);
    }
    m_hDC = NULL;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                   const void* lpInitData)
{
    ASSERT(m_hDC == NULL);
    if (m_hDC != NULL)
        return FALSE;
    HDC hDC = ::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODE*)lpInitData);
    if (hDC == NULL)
        return FALSE;
    AfxCountDC(+1);
    return Attach(hDC);
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                   const void* lpInitData)
{
    ASSERT(m_hDC == NULL);
    if (m_hDC != NULL)
        return FALSE;
    HDC hDC = ::CreateIC(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODE*)lpInitData);
    if (hDC == NULL)
        return FALSE;
    AfxCountDC(+1);
    return Attach(hDC);
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    ASSERT(m_hDC == NULL);
    if (m_hDC != NULL)
        return FALSE;
    HDC hDC = ::CreateCompatibleDC(pDC->GetSafeHdc());
    if (hDC == NULL)
        return FALSE;
    AfxCountDC(+1);
    return Attach(hDC);
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == NULL)
        return FALSE;
    AfxCountDC(-1);
    return ::DeleteDC(Detach());
}

int CDC::SaveDC()
{
    return ApplyToBoth<int>(this, 0, [=](HDC hDC) { return ::SaveDC(hDC); });
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL bRet = TRUE;
    ApplyToBoth(this, [&](HDC hDC) { bRet = ::RestoreDC(hDC, nSavedDC) && bRet; });
    return bRet;
}

/////////////////////////////////////////////////////////////////////////////
// Selection

CGdiObject* CDC::SelectGdiObject(CGdiObject* pObject)
{
    HGDIOBJ hObject = pObject->GetSafeHandle();
    if (hObject == NULL)
        return NULL;
    HGDIOBJ hOld =
        ApplyToBoth<HGDIOBJ>(this, NULL, [=](HDC hDC) { return ::SelectObject(hDC, hObject); });
    // Selecting a region answers with its type (NULLREGION to COMPLEXREGION), not a handle; no
    // object handle has so small a value.
    if (hOld == HGDI_ERROR || (UINT_PTR)hOld <= COMPLEXREGION)
        return NULL;
    return CGdiObject::FromHandle(hOld);
}

int CDC::SelectObject(CRgn* pRgn)
{
    return SelectClipRgn(pRgn);
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ hObject = ::GetStockObject(nIndex);
    if (hObject == NULL)
        return NULL;
    HGDIOBJ hOld =
        ApplyToBoth<HGDIOBJ>(this, NULL, [=](HDC hDC) { return ::SelectObject(hDC, hObject); });
    return hOld == HGDI_ERROR ? NULL : CGdiObject::FromHandle(hOld);
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    HPALETTE hPalette = (HPALETTE)pPalette->GetSafeHandle();
    if (hPalette == NULL)
        return NULL;
    return static_cast<CPalette*>(
        CGdiObject::FromHandle(::SelectPalette(m_hDC, hPalette, bForceBackground)));
}

/////////////////////////////////////////////////////////////////////////////
// Clipping: applied to both handles, the attribute DC's answer returned.

int CDC::SelectClipRgn(CRgn* pRgn)
{
    HRGN hRgn = (HRGN)pRgn->GetSafeHandle();
    return ApplyToBoth<int>(this, ERROR, [=](HDC hDC) { return ::SelectClipRgn(hDC, hRgn); });
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    HRGN hRgn = (HRGN)pRgn->GetSafeHandle();
    // Only RGN_COPY may go without a region (it removes the clipping).
    if (hRgn == NULL && nMode != RGN_COPY)
        return ERROR;
    return ApplyToBoth<int>(this, ERROR,
                            [=](HDC hDC) { return ::ExtSelectClipRgn(hDC, hRgn, nMode); });
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    return ApplyToBoth<int>(this, ERROR,
                            [=](HDC hDC) { return ::ExcludeClipRect(hDC, x1, y1, x2, y2); });
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return ApplyToBoth<int>(this, ERROR,
                            [=](HDC hDC) { return ::IntersectClipRect(hDC, x1, y1, x2, y2); });
}

int CDC::OffsetClipRgn(int x, int y)
{
    return ApplyToBoth<int>(this, ERROR, [=](HDC hDC) { return ::OffsetClipRgn(hDC, x, y); });
}

/////////////////////////////////////////////////////////////////////////////
// Mapping: set on both handles, the attribute DC's previous value returned.

int CDC::SetMapMode(int nMapMode)
{
    return ApplyToBoth<int>(this, 0, [=](HDC hDC) { return ::SetMapMode(hDC, nMapMode); });
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT pt = {0, 0};
    ApplyToBoth(this, [&](HDC hDC) { ::SetViewportOrgEx(hDC, x, y, &pt); });
    return pt;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT pt = {0, 0};
    ApplyToBoth(this, [&](HDC hDC) { ::OffsetViewportOrgEx(hDC, nWidth, nHeight, &pt); });
    return pt;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE size = {0, 0};
    ApplyToBoth(this, [&](HDC hDC) { ::SetViewportExtEx(hDC, cx, cy, &size); });
    return size;
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = {0, 0};
    ApplyToBoth(this,
                [&](HDC hDC) { ::ScaleViewportExtEx(hDC, xNum, xDenom, yNum, yDenom, &size); });
    return size;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT pt = {0, 0};
    ApplyToBoth(this, [&](HDC hDC) { ::SetWindowOrgEx(hDC, x, y, &pt); });
    return pt;
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    POINT pt = {0, 0};
    ApplyToBoth(this, [&](HDC hDC) { ::OffsetWindowOrgEx(hDC, nWidth, nHeight, &pt); });
    return pt;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE size = {0, 0};
    ApplyToBoth(this, [&](HDC hDC) { ::SetWindowExtEx(hDC, cx, cy, &size); });
    return size;
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = {0, 0};
    ApplyToBoth(this, [&](HDC hDC) { ::ScaleWindowExtEx(hDC, xNum, xDenom, yNum, yDenom, &size); });
    return size;
}

void CDC::DPtoLP(LPSIZE lpSize) const
{
    if (lpSize == NULL)
        return;
    CSize sizeWindow = GetWindowExt();
    CSize sizeViewport = GetViewportExt();
    if (sizeViewport.cx == 0 || sizeViewport.cy == 0)
        return;
    lpSize->cx = ::MulDiv(lpSize->cx, abs(sizeWindow.cx), abs(sizeViewport.cx));
    lpSize->cy = ::MulDiv(lpSize->cy, abs(sizeWindow.cy), abs(sizeViewport.cy));
}

void CDC::LPtoDP(LPSIZE lpSize) const
{
    if (lpSize == NULL)
        return;
    CSize sizeWindow = GetWindowExt();
    CSize sizeViewport = GetViewportExt();
    if (sizeWindow.cx == 0 || sizeWindow.cy == 0)
        return;
    lpSize->cx = ::MulDiv(lpSize->cx, abs(sizeViewport.cx), abs(sizeWindow.cx));
    lpSize->cy = ::MulDiv(lpSize->cy, abs(sizeViewport.cy), abs(sizeWindow.cy));
}

/////////////////////////////////////////////////////////////////////////////
// Attributes: set on both handles, the attribute DC's previous value returned.

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return ApplyToBoth<COLORREF>(this, CLR_INVALID,
                                 [=](HDC hDC) { return ::SetBkColor(hDC, crColor); });
}

int CDC::SetBkMode(int nBkMode)
{
    return ApplyToBoth<int>(this, 0, [=](HDC hDC) { return ::SetBkMode(hDC, nBkMode); });
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return ApplyToBoth<COLORREF>(this, CLR_INVALID,
                                 [=](HDC hDC) { return ::SetTextColor(hDC, crColor); });
}

int CDC::SetROP2(int nDrawMode)
{
    return ApplyToBoth<int>(this, 0, [=](HDC hDC) { return ::SetROP2(hDC, nDrawMode); });
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
    return ApplyToBoth<int>(this, 0,
                            [=](HDC hDC) { return ::SetPolyFillMode(hDC, nPolyFillMode); });
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    return ApplyToBoth<UINT>(this, GDI_ERROR, [=](HDC hDC) { return ::SetTextAlign(hDC, nFlags); });
}

int CDC::SetTextCharacterExtra(int nCharExtra)
{
    return ApplyToBoth<int>(this, 0x80000000,
                            [=](HDC hDC) { return ::SetTextCharacterExtra(hDC, nCharExtra); });
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    return ApplyToBoth<int>(this, 0,
                            [=](HDC hDC) { return ::SetStretchBltMode(hDC, nStretchMode); });
}

/////////////////////////////////////////////////////////////////////////////
// Lines: drawn on the output DC; the attribute DC's current position follows.

CPoint CDC::MoveTo(int x, int y)
{
    POINT pt = {0, 0};
    ApplyToBoth(this, [&](HDC hDC) { ::MoveToEx(hDC, x, y, &pt); });
    return pt;
}

BOOL CDC::LineTo(int x, int y)
{
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, NULL);
    return ::LineTo(m_hDC, x, y);
}

/////////////////////////////////////////////////////////////////////////////
// Rectangles without a brush

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    if (lpRect == NULL)
        return;
    COLORREF crOld = ::SetBkColor(m_hDC, clr);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
    if (crOld != CLR_INVALID)
        ::SetBkColor(m_hDC, crOld);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (lpRect)
        Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                   lpRect->bottom - lpRect->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

/////////////////////////////////////////////////////////////////////////////
// Text

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    if (lpszString == NULL || nCount < 0)
        return FALSE;
    return ::TextOut(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                     LPINT lpDxWidths)
{
    if (lpszString == NULL)
        nCount = 0;
    return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    if (lpszString == NULL || lpRect == NULL)
        return 0;
    return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    if (lpszString && nCount > 0)
        ::GetTextExtentPoint32(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    if (lpszString && nCount > 0)
        ::GetTextExtentPoint32(m_hDC, lpszString, nCount, &size);
    return size;
}

int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const
{
    if (lpszFacename == NULL || nCount <= 0)
        return 0;
    return ::GetTextFace(m_hAttribDC, nCount, lpszFacename);
}

int CDC::GetTextFace(CString& rString) const
{
    int nResult = ::GetTextFace(m_hAttribDC, LF_FACESIZE, rString.GetBuffer(LF_FACESIZE));
    rString.ReleaseBuffer();
    return nResult;
}

/////////////////////////////////////////////////////////////////////////////
// Printing

int CDC::StartDoc(LPCTSTR lpszDocName)
{
    DOCINFO di;
    ::ZeroMemory(&di, sizeof(di));
    di.cbSize = sizeof(di);
    di.lpszDocName = lpszDocName;
    return ::StartDoc(m_hDC, &di);
}
