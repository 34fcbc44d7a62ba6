// CPreviewDC: a device context whose attributes are the printer's and whose output is the screen,
// the printer's mapping mirrored onto the output at the preview's scale and page position.
#include <afxpriv.h>

#include <climits>
#include <numeric>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CPreviewDC, CDC)

namespace {

// One axis of the output's extents: the attribute's viewport extent times num/den over its
// window extent. The window extent stays the attribute's when the scaled viewport extent comes
// out whole; otherwise both are widened, so that no precision is lost to the division.
void ScaleExtents(int nWindow, int nViewport, int nNum, int nDen, int& nWindowOut,
                  int& nViewportOut)
{
    long long w = nWindow, v = (long long)nViewport * nNum;
    if (v % nDen == 0) {
        v /= nDen;
    } else {
        w *= nDen;
        const long long g = std::gcd(w, v);
        w /= g, v /= g;
    }
    // GDI's extents are ints: halve both until they fit, keeping the ratio.
    while (std::llabs(w) > INT_MAX / 2 || std::llabs(v) > INT_MAX / 2)
        w /= 2, v /= 2;
    nWindowOut = w != 0 ? (int)w : 1;
    nViewportOut = v != 0 ? (int)v : 1;
}

}  // namespace

CPreviewDC::CPreviewDC()
    : m_nScaleNum(1), m_nScaleDen(1), m_nSaveDCIndex(0), m_nSaveDCDelta(0), m_sizeTopLeft(0, 0),
      m_hFont(NULL)
{}

CPreviewDC::~CPreviewDC()
{
    // Neither handle is this object's: the output is the caller's, the attribute the printer's.
    ReleaseOutputDC();
    m_hAttribDC = NULL;
}

void CPreviewDC::SetAttribDC(HDC hDC)
{
    CDC::SetAttribDC(hDC);
    MirrorMappingMode(TRUE);
}

void CPreviewDC::SetOutputDC(HDC hDC)
{
    ReleaseOutputDC();
    CDC::SetOutputDC(hDC);
    if (m_hDC == NULL)
        return;
    m_nSaveDCIndex = ::SaveDC(m_hDC);
    MirrorAttributes();
}

void CPreviewDC::ReleaseOutputDC()
{
    if (m_hDC != NULL && m_nSaveDCIndex != 0)
        ::RestoreDC(m_hDC, m_nSaveDCIndex);
    m_nSaveDCIndex = 0;
    CDC::ReleaseOutputDC();
}

void CPreviewDC::SetScaleRatio(int nNumerator, int nDenominator)
{
    if (nNumerator <= 0 || nDenominator <= 0)
        return;
    m_nScaleNum = nNumerator;
    m_nScaleDen = nDenominator;
    MirrorMappingMode(TRUE);
}

void CPreviewDC::SetTopLeftOffset(CSize sizeTop)
{
    m_sizeTopLeft = sizeTop;
    MirrorMappingMode(FALSE);
}

void CPreviewDC::PrinterDPtoScreenDP(LPPOINT lpPoint) const
{
    if (lpPoint == NULL)
        return;
    lpPoint->x = ::MulDiv(lpPoint->x, m_nScaleNum, m_nScaleDen);
    lpPoint->y = ::MulDiv(lpPoint->y, m_nScaleNum, m_nScaleDen);
}

void CPreviewDC::MirrorMappingMode(BOOL bCompute)
{
    if (m_hDC == NULL || m_hAttribDC == NULL)
        return;
    if (bCompute) {
        // Every mode of the printer becomes an anisotropic mapping of the output with the
        // printer's extents, as the GDI reports them for its resolution, scaled.
        SIZE window, viewport;
        ::GetWindowExtEx(m_hAttribDC, &window);
        ::GetViewportExtEx(m_hAttribDC, &viewport);
        int cxWindow, cxViewport, cyWindow, cyViewport;
        ScaleExtents(window.cx, viewport.cx, m_nScaleNum, m_nScaleDen, cxWindow, cxViewport);
        ScaleExtents(window.cy, viewport.cy, m_nScaleNum, m_nScaleDen, cyWindow, cyViewport);
        ::SetMapMode(m_hDC, MM_ANISOTROPIC);
        ::SetWindowExtEx(m_hDC, cxWindow, cyWindow, NULL);
        ::SetViewportExtEx(m_hDC, cxViewport, cyViewport, NULL);
    }
    POINT windowOrg, viewportOrg;
    ::GetWindowOrgEx(m_hAttribDC, &windowOrg);
    ::GetViewportOrgEx(m_hAttribDC, &viewportOrg);
    PrinterDPtoScreenDP(&viewportOrg);
    ::SetWindowOrgEx(m_hDC, windowOrg.x, windowOrg.y, NULL);
    ::SetViewportOrgEx(m_hDC, viewportOrg.x + m_sizeTopLeft.cx, viewportOrg.y + m_sizeTopLeft.cy,
                       NULL);
}

void CPreviewDC::MirrorAttributes()
{
    if (m_hDC == NULL || m_hAttribDC == NULL)
        return;
    // What a page sets through this object before the output came: colours, modes, the pen and
    // brush, and the font chosen last.
    ::SetTextColor(m_hDC, ::GetTextColor(m_hAttribDC));
    ::SetBkColor(m_hDC, ::GetBkColor(m_hAttribDC));
    ::SetBkMode(m_hDC, ::GetBkMode(m_hAttribDC));
    ::SetTextAlign(m_hDC, ::GetTextAlign(m_hAttribDC));
    ::SetROP2(m_hDC, ::GetROP2(m_hAttribDC));
    ::SetPolyFillMode(m_hDC, ::GetPolyFillMode(m_hAttribDC));
    ::SetStretchBltMode(m_hDC, ::GetStretchBltMode(m_hAttribDC));
    ::SelectObject(m_hDC, ::GetCurrentObject(m_hAttribDC, OBJ_PEN));
    ::SelectObject(m_hDC, ::GetCurrentObject(m_hAttribDC, OBJ_BRUSH));
    if (m_hFont != NULL)
        ::SelectObject(m_hDC, m_hFont);
    MirrorMappingMode(TRUE);
}

int CPreviewDC::SaveDC()
{
    const int nSaved = m_hAttribDC != NULL ? ::SaveDC(m_hAttribDC) : 0;
    if (m_hDC != NULL) {
        const int nSavedOut = ::SaveDC(m_hDC);
        if (nSaved != 0 && nSavedOut != 0)
            m_nSaveDCDelta = nSaved - nSavedOut;
    }
    return nSaved;
}

BOOL CPreviewDC::RestoreDC(int nSavedDC)
{
    const BOOL bResult = m_hAttribDC != NULL && ::RestoreDC(m_hAttribDC, nSavedDC);
    if (m_hDC != NULL) {
        // The output's state of the same moment; never the one SetOutputDC saved, which is
        // ReleaseOutputDC's to restore.
        const int nSavedOut = nSavedDC < 0 ? nSavedDC : nSavedDC - m_nSaveDCDelta;
        if (bResult && (nSavedDC < 0 || nSavedOut > m_nSaveDCIndex))
            ::RestoreDC(m_hDC, nSavedOut);
    }
    if (bResult && m_hAttribDC != NULL) {
        m_hFont = (HFONT)::GetCurrentObject(m_hAttribDC, OBJ_FONT);
        MirrorMappingMode(TRUE);
    }
    return bResult;
}

CGdiObject* CPreviewDC::SelectStockObject(int nIndex)
{
    CGdiObject* pOld = CDC::SelectStockObject(nIndex);
    HGDIOBJ hObject = ::GetStockObject(nIndex);
    if (hObject != NULL && ::GetObjectType(hObject) == OBJ_FONT)
        m_hFont = (HFONT)hObject;
    return pOld;
}

CFont* CPreviewDC::SelectObject(CFont* pFont)
{
    HFONT hFont = (HFONT)pFont->GetSafeHandle();
    if (hFont == NULL)
        return NULL;
    CFont* pOld = CDC::SelectObject(pFont);
    m_hFont = hFont;
    return pOld;
}

int CPreviewDC::SetMapMode(int nMapMode)
{
    const int nOld = m_hAttribDC != NULL ? ::SetMapMode(m_hAttribDC, nMapMode) : 0;
    MirrorMappingMode(TRUE);
    return nOld;
}

CPoint CPreviewDC::SetViewportOrg(int x, int y)
{
    POINT pt = {0, 0};
    if (m_hAttribDC != NULL)
        ::SetViewportOrgEx(m_hAttribDC, x, y, &pt);
    MirrorMappingMode(FALSE);
    return pt;
}

CPoint CPreviewDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT pt = {0, 0};
    if (m_hAttribDC != NULL)
        ::OffsetViewportOrgEx(m_hAttribDC, nWidth, nHeight, &pt);
    MirrorMappingMode(FALSE);
    return pt;
}

CSize CPreviewDC::SetViewportExt(int cx, int cy)
{
    SIZE size = {0, 0};
    if (m_hAttribDC != NULL)
        ::SetViewportExtEx(m_hAttribDC, cx, cy, &size);
    MirrorMappingMode(TRUE);
    return size;
}

CSize CPreviewDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = {0, 0};
    if (m_hAttribDC != NULL)
        ::ScaleViewportExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &size);
    MirrorMappingMode(TRUE);
    return size;
}

CSize CPreviewDC::SetWindowExt(int cx, int cy)
{
    SIZE size = {0, 0};
    if (m_hAttribDC != NULL)
        ::SetWindowExtEx(m_hAttribDC, cx, cy, &size);
    MirrorMappingMode(TRUE);
    return size;
}

CSize CPreviewDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = {0, 0};
    if (m_hAttribDC != NULL)
        ::ScaleWindowExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &size);
    MirrorMappingMode(TRUE);
    return size;
}
