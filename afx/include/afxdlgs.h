// Common dialogs: the print dialog, which also chooses and opens printers without being shown.
#pragma once
#include "afxwin.h"

// The base of the common dialogs: a window object whose dialog the system runs modally.
class AFX_API CCommonDialog : public CWnd
{
    DECLARE_DYNAMIC(CCommonDialog)

public:
    explicit CCommonDialog(CWnd* pParentWnd) : m_pParentWnd(pParentWnd) {}

protected:
    // The window the dialog is owned by: the given parent, else the application's main window.
    HWND GetOwnerHwnd() const;
    CWnd* m_pParentWnd;
};

// The Print (or Print Setup) dialog over m_pd. DoModal shows it; GetDefaults reads the default
// printer without showing anything; CreatePrinterDC opens the printer the structure names.
// The structure's device handles belong to whoever filled them in: the application when they
// came from CWinApp, else the caller, who frees them with GlobalFree.
class AFX_API CPrintDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPrintDialog)

public:
    // bPrintSetupOnly: the Print Setup dialog instead of Print. The Print dialog returns a
    // device context (PD_RETURNDC) for the printer and page range chosen.
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = NULL);

    PRINTDLG m_pd;

    // IDOK, IDCANCEL (also when the system could not show the dialog: no printer).
    virtual INT_PTR DoModal();
    // The default printer's device handles in m_pd, and with PD_RETURNDC its context in
    // m_pd.hDC; FALSE when there is no default printer, or when m_pd already holds device
    // handles (the system wants them empty).
    BOOL GetDefaults();
    // A context for the printer m_pd's device handles name, also stored in m_pd.hDC (the
    // caller deletes it); NULL without device names or when the printer cannot be opened.
    HDC CreatePrinterDC();
    // m_pd.hDC, which stays the caller's.
    HDC GetPrinterDC() const { return m_pd.hDC; }

    // With PD_USEDEVMODECOPIES the count is the printer's (DEVMODE), else the dialog's.
    int GetCopies() const;
    BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    // The page range typed into the dialog; -1 when the user did not choose a range.
    int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
    int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }
    // The fields of m_pd.hDevNames; empty strings without it.
    CString GetDriverName() const;
    CString GetDeviceName() const;
    CString GetPortName() const;

private:
    CString DevNamesField(int which) const;
};
