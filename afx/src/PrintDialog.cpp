// CCommonDialog and CPrintDialog: the system's Print dialog over a PRINTDLG, and the default
// printer and its device context without the dialog.
#include "afxdlgs.h"
#include "afxpriv.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CWnd)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

HWND CCommonDialog::GetOwnerHwnd() const
{
    if (m_pParentWnd != NULL)
        return m_pParentWnd->GetSafeHwnd();
    CWnd* pMain = AfxGetMainWnd();
    return pMain != NULL ? pMain->GetSafeHwnd() : NULL;
}

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    memset(&m_pd, 0, sizeof m_pd);
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.nCopies = 1;
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner = GetOwnerHwnd();
    const BOOL ok = ::PrintDlg(&m_pd);
    if (ok && m_pd.hDC != NULL)
        AfxCountDC(+1);
    return ok ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    const DWORD flags = m_pd.Flags;
    m_pd.Flags |= PD_RETURNDEFAULT;
    m_pd.hwndOwner = NULL;
    const BOOL ok = ::PrintDlg(&m_pd);
    m_pd.Flags = flags;
    if (ok && m_pd.hDC != NULL)
        AfxCountDC(+1);
    return ok;
}

HDC CPrintDialog::CreatePrinterDC()
{
    const CString driver = GetDriverName(), device = GetDeviceName(), port = GetPortName();
    if (device.IsEmpty())
        return NULL;
    const DEVMODE* pMode =
        m_pd.hDevMode != NULL ? static_cast<const DEVMODE*>(::GlobalLock(m_pd.hDevMode)) : NULL;
    HDC hDC = ::CreateDC(driver.IsEmpty() ? NULL : (LPCTSTR)driver, device,
                         port.IsEmpty() ? NULL : (LPCTSTR)port, pMode);
    if (pMode != NULL)
        ::GlobalUnlock(m_pd.hDevMode);
    if (hDC != NULL)
        AfxCountDC(+1);
    m_pd.hDC = hDC;
    return hDC;
}

int CPrintDialog::GetCopies() const
{
    if ((m_pd.Flags & PD_USEDEVMODECOPIES) == 0 || m_pd.hDevMode == NULL)
        return m_pd.nCopies;
    const DEVMODE* pMode = static_cast<const DEVMODE*>(::GlobalLock(m_pd.hDevMode));
    const int copies = pMode != NULL ? pMode->dmCopies : m_pd.nCopies;
    if (pMode != NULL)
        ::GlobalUnlock(m_pd.hDevMode);
    return copies;
}

CString CPrintDialog::DevNamesField(int which) const
{
    const DEVNAMES* pNames =
        m_pd.hDevNames != NULL ? static_cast<const DEVNAMES*>(::GlobalLock(m_pd.hDevNames)) : NULL;
    if (pNames == NULL)
        return CString();
    const WORD offsets[] = {pNames->wDriverOffset, pNames->wDeviceOffset, pNames->wOutputOffset};
    // The offsets count characters from the start of the structure.
    const CString field(reinterpret_cast<LPCTSTR>(pNames) + offsets[which]);
    ::GlobalUnlock(m_pd.hDevNames);
    return field;
}

CString CPrintDialog::GetDriverName() const
{
    return DevNamesField(0);
}

CString CPrintDialog::GetDeviceName() const
{
    return DevNamesField(1);
}

CString CPrintDialog::GetPortName() const
{
    return DevNamesField(2);
}
