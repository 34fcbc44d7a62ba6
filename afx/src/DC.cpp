// CDC: creation and deletion with live-object counting, the output/attribute handle pair, the
// handle map behind FromHandle, and the members that touch both handles.
#include <afxpriv.h>

#include "HandleMap.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {

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

CHandleMapBase* NewDCHandleMap()
{
    return new CDCHandleMap(&NewTempDC, &DeleteTempDC);
}

CDCHandleMap* DCMap(BOOL bCreate)
{
    return static_cast<CDCHandleMap*>(AfxGetThreadHandleMap(afxMapHDC, bCreate ? &NewDCHandleMap : NULL));
}

} // namespace

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

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
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

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
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
    int nRet = 0;
    if (m_hAttribDC != m_hDC && m_hDC != NULL)
        nRet = ::SaveDC(m_hDC);
    if (m_hAttribDC != NULL)
        nRet = ::SaveDC(m_hAttribDC);
    return nRet;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL bRet = TRUE;
    if (m_hAttribDC != m_hDC && m_hDC != NULL)
        bRet = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC != NULL)
        bRet = ::RestoreDC(m_hAttribDC, nSavedDC) && bRet;
    return bRet;
}

/////////////////////////////////////////////////////////////////////////////
// Selection

CGdiObject* CDC::SelectGdiObject(CGdiObject* pObject)
{
    HGDIOBJ hObject = pObject->GetSafeHandle();
    if (hObject == NULL)
        return NULL;
    HGDIOBJ hOld = NULL;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        hOld = ::SelectObject(m_hDC, hObject);
    if (m_hAttribDC != NULL)
        hOld = ::SelectObject(m_hAttribDC, hObject);
    // Selecting a region answers with its type, not a handle.
    if (hOld == HGDI_ERROR || ::GetObjectType(hObject) == OBJ_REGION)
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
    HGDIOBJ hOld = NULL;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        hOld = ::SelectObject(m_hDC, hObject);
    if (m_hAttribDC != NULL)
        hOld = ::SelectObject(m_hAttribDC, hObject);
    return hOld == HGDI_ERROR ? NULL : CGdiObject::FromHandle(hOld);
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    HPALETTE hPalette = (HPALETTE)pPalette->GetSafeHandle();
    if (hPalette == NULL)
        return NULL;
    return static_cast<CPalette*>(CGdiObject::FromHandle(::SelectPalette(m_hDC, hPalette, bForceBackground)));
}

/////////////////////////////////////////////////////////////////////////////
// Clipping: applied to both handles, the attribute DC's answer returned.

int CDC::SelectClipRgn(CRgn* pRgn)
{
    HRGN hRgn = (HRGN)pRgn->GetSafeHandle();
    int nRet = ERROR;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        nRet = ::SelectClipRgn(m_hDC, hRgn);
    if (m_hAttribDC != NULL)
        nRet = ::SelectClipRgn(m_hAttribDC, hRgn);
    return nRet;
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    HRGN hRgn = (HRGN)pRgn->GetSafeHandle();
    // Only RGN_COPY may go without a region (it removes the clipping).
    if (hRgn == NULL && nMode != RGN_COPY)
        return ERROR;
    int nRet = ERROR;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        nRet = ::ExtSelectClipRgn(m_hDC, hRgn, nMode);
    if (m_hAttribDC != NULL)
        nRet = ::ExtSelectClipRgn(m_hAttribDC, hRgn, nMode);
    return nRet;
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    int nRet = ERROR;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        nRet = ::ExcludeClipRect(m_hDC, x1, y1, x2, y2);
    if (m_hAttribDC != NULL)
        nRet = ::ExcludeClipRect(m_hAttribDC, x1, y1, x2, y2);
    return nRet;
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    int nRet = ERROR;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        nRet = ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
    if (m_hAttribDC != NULL)
        nRet = ::IntersectClipRect(m_hAttribDC, x1, y1, x2, y2);
    return nRet;
}

int CDC::OffsetClipRgn(int x, int y)
{
    int nRet = ERROR;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        nRet = ::OffsetClipRgn(m_hDC, x, y);
    if (m_hAttribDC != NULL)
        nRet = ::OffsetClipRgn(m_hAttribDC, x, y);
    return nRet;
}

/////////////////////////////////////////////////////////////////////////////
// Mapping: set on both handles, the attribute DC's previous value returned.

int CDC::SetMapMode(int nMapMode)
{
    int nRet = 0;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        nRet = ::SetMapMode(m_hDC, nMapMode);
    if (m_hAttribDC != NULL)
        nRet = ::SetMapMode(m_hAttribDC, nMapMode);
    return nRet;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT pt = { 0, 0 };
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        ::SetViewportOrgEx(m_hDC, x, y, &pt);
    if (m_hAttribDC != NULL)
        ::SetViewportOrgEx(m_hAttribDC, x, y, &pt);
    return pt;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT pt = { 0, 0 };
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &pt);
    if (m_hAttribDC != NULL)
        ::OffsetViewportOrgEx(m_hAttribDC, nWidth, nHeight, &pt);
    return pt;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE size = { 0, 0 };
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        ::SetViewportExtEx(m_hDC, cx, cy, &size);
    if (m_hAttribDC != NULL)
        ::SetViewportExtEx(m_hAttribDC, cx, cy, &size);
    return size;
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = { 0, 0 };
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        ::ScaleViewportExtEx(m_hDC, xNum, xDenom, yNum, yDenom, &size);
    if (m_hAttribDC != NULL)
        ::ScaleViewportExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &size);
    return size;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT pt = { 0, 0 };
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        ::SetWindowOrgEx(m_hDC, x, y, &pt);
    if (m_hAttribDC != NULL)
        ::SetWindowOrgEx(m_hAttribDC, x, y, &pt);
    return pt;
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    POINT pt = { 0, 0 };
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &pt);
    if (m_hAttribDC != NULL)
        ::OffsetWindowOrgEx(m_hAttribDC, nWidth, nHeight, &pt);
    return pt;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE size = { 0, 0 };
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        ::SetWindowExtEx(m_hDC, cx, cy, &size);
    if (m_hAttribDC != NULL)
        ::SetWindowExtEx(m_hAttribDC, cx, cy, &size);
    return size;
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = { 0, 0 };
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        ::ScaleWindowExtEx(m_hDC, xNum, xDenom, yNum, yDenom, &size);
    if (m_hAttribDC != NULL)
        ::ScaleWindowExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &size);
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
    COLORREF crOld = CLR_INVALID;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        crOld = ::SetBkColor(m_hDC, crColor);
    if (m_hAttribDC != NULL)
        crOld = ::SetBkColor(m_hAttribDC, crColor);
    return crOld;
}

int CDC::SetBkMode(int nBkMode)
{
    int nOld = 0;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        nOld = ::SetBkMode(m_hDC, nBkMode);
    if (m_hAttribDC != NULL)
        nOld = ::SetBkMode(m_hAttribDC, nBkMode);
    return nOld;
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    COLORREF crOld = CLR_INVALID;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        crOld = ::SetTextColor(m_hDC, crColor);
    if (m_hAttribDC != NULL)
        crOld = ::SetTextColor(m_hAttribDC, crColor);
    return crOld;
}

int CDC::SetROP2(int nDrawMode)
{
    int nOld = 0;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        nOld = ::SetROP2(m_hDC, nDrawMode);
    if (m_hAttribDC != NULL)
        nOld = ::SetROP2(m_hAttribDC, nDrawMode);
    return nOld;
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
    int nOld = 0;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        nOld = ::SetPolyFillMode(m_hDC, nPolyFillMode);
    if (m_hAttribDC != NULL)
        nOld = ::SetPolyFillMode(m_hAttribDC, nPolyFillMode);
    return nOld;
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    UINT nOld = GDI_ERROR;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        nOld = ::SetTextAlign(m_hDC, nFlags);
    if (m_hAttribDC != NULL)
        nOld = ::SetTextAlign(m_hAttribDC, nFlags);
    return nOld;
}

int CDC::SetTextCharacterExtra(int nCharExtra)
{
    int nOld = 0x80000000;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        nOld = ::SetTextCharacterExtra(m_hDC, nCharExtra);
    if (m_hAttribDC != NULL)
        nOld = ::SetTextCharacterExtra(m_hAttribDC, nCharExtra);
    return nOld;
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    int nOld = 0;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        nOld = ::SetStretchBltMode(m_hDC, nStretchMode);
    if (m_hAttribDC != NULL)
        nOld = ::SetStretchBltMode(m_hAttribDC, nStretchMode);
    return nOld;
}

/////////////////////////////////////////////////////////////////////////////
// Lines: drawn on the output DC; the attribute DC's current position follows.

CPoint CDC::MoveTo(int x, int y)
{
    POINT pt = { 0, 0 };
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        ::MoveToEx(m_hDC, x, y, &pt);
    if (m_hAttribDC != NULL)
        ::MoveToEx(m_hAttribDC, x, y, &pt);
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
    RECT rect = { x, y, x + cx, y + cy };
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (lpRect)
        Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                   clrTopLeft, clrBottomRight);
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

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths)
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
    SIZE size = { 0, 0 };
    if (lpszString && nCount > 0)
        ::GetTextExtentPoint32(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = { 0, 0 };
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
