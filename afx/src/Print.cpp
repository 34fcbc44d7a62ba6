// Printing: the state of a print job, the application's printer, preparing a job (dialog or
// default printer) and the print command's loop over the pages.
#include "afxdlgs.h"
#include "afxpriv.h"

#include <algorithm>

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)),
      m_bDocObject(FALSE), m_dwFlags(0), m_nOffsetPage(0), m_bDirect(FALSE), m_bPreview(FALSE),
      m_bContinuePrinting(TRUE), m_nCurPage(1), m_nNumPreviewPages(0), m_lpUserData(NULL),
      m_rectDraw(0, 0, 0, 0)
{
    m_pPD->m_pd.nMinPage = 1;
    m_pPD->m_pd.nMaxPage = 0xFFFF;
    m_pPD->m_pd.nFromPage = 1;
    m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo()
{
    PRINTDLG& pd = m_pPD->m_pd;
    if (pd.hDC != NULL) {
        AfxCountDC(-1);
        ::DeleteDC(pd.hDC);
    }
    // Device handles the application does not keep are this job's own.
    const CWinApp* pApp = AfxGetApp();
    if (pd.hDevMode != NULL && (pApp == NULL || pd.hDevMode != pApp->m_hDevMode))
        ::GlobalFree(pd.hDevMode);
    if (pd.hDevNames != NULL && (pApp == NULL || pd.hDevNames != pApp->m_hDevNames))
        ::GlobalFree(pd.hDevNames);
    delete m_pPD;
}

void CPrintInfo::SetMinPage(UINT nMinPage)
{
    m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage);
}

void CPrintInfo::SetMaxPage(UINT nMaxPage)
{
    m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage);
}

UINT CPrintInfo::GetMinPage() const
{
    return m_pPD->m_pd.nMinPage;
}

UINT CPrintInfo::GetMaxPage() const
{
    return m_pPD->m_pd.nMaxPage;
}

UINT CPrintInfo::GetFromPage() const
{
    return m_pPD->m_pd.nFromPage;
}

UINT CPrintInfo::GetToPage() const
{
    return m_pPD->m_pd.nToPage;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg)
{
    if (pPrintDlg == NULL)
        return FALSE;
    if (m_hDevNames == NULL) {
        // The setup dialog's defaults: the device handles without a printer context.
        CPrintDialog defaults(TRUE, 0);
        if (defaults.GetDefaults()) {
            m_hDevMode = defaults.m_pd.hDevMode;
            m_hDevNames = defaults.m_pd.hDevNames;
        }
    }
    pPrintDlg->hDevMode = m_hDevMode;
    pPrintDlg->hDevNames = m_hDevNames;
    return m_hDevNames != NULL;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    if (pPD == NULL)
        return IDCANCEL;
    GetPrinterDeviceDefaults(&pPD->m_pd);
    const INT_PTR result = pPD->DoModal();
    // The system may have replaced the blocks; what it hands back is the printer selected now.
    m_hDevMode = pPD->m_pd.hDevMode;
    m_hDevNames = pPD->m_pd.hDevNames;
    return result;
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    if (pInfo == NULL)
        return FALSE;
    CPrintDialog& dialog = *pInfo->m_pPD;
    CWinApp* pApp = AfxGetApp();
    if (pInfo->m_bPreview || pInfo->m_bDirect) {
        // The current printer, without asking.
        if (dialog.m_pd.hDC != NULL)
            return TRUE;
        if (dialog.m_pd.hDevNames == NULL) {
            const BOOL found =
                pApp != NULL ? pApp->GetPrinterDeviceDefaults(&dialog.m_pd) : dialog.GetDefaults();
            if (!found)
                return FALSE;
        }
        return dialog.m_pd.hDC != NULL || dialog.CreatePrinterDC() != NULL;
    }
    // The dialog offers the job's whole range.
    dialog.m_pd.nFromPage = static_cast<WORD>(pInfo->GetMinPage());
    dialog.m_pd.nToPage = static_cast<WORD>(pInfo->GetMaxPage());
    const INT_PTR result = pApp != NULL ? pApp->DoPrintDialog(&dialog) : dialog.DoModal();
    return result == IDOK && dialog.m_pd.hDC != NULL;
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    const MSG* pMsg = GetCurrentMessage();
    if (pMsg != NULL && pMsg->message == WM_COMMAND && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT)
        info.m_bDirect = TRUE;
    if (!OnPreparePrinting(&info) || info.m_pPD->m_pd.hDC == NULL)
        return;
    // From here the job's context object holds the printer context and deletes it.
    CDC dc;
    dc.Attach(info.m_pPD->m_pd.hDC);
    info.m_pPD->m_pd.hDC = NULL;
    dc.m_bPrinting = TRUE;

    const CString title = m_pDocument != NULL ? m_pDocument->GetTitle() : CString();
    DOCINFO doc;
    memset(&doc, 0, sizeof doc);
    doc.cbSize = sizeof doc;
    doc.lpszDocName = title.IsEmpty() ? AfxGetAppName() : (LPCTSTR)title;
    BeginModalState();
    if (dc.StartDoc(&doc) > 0) {
        OnBeginPrinting(&dc, &info);
        // The range as it stands now: OnBeginPrinting may have set the job's length.
        UINT from = info.GetMinPage(), to = info.GetMaxPage();
        if (info.m_pPD->PrintRange()) {
            from = std::max(from, info.GetFromPage());
            to = std::min(to, info.GetToPage());
        }
        BOOL ok = TRUE;
        UINT printed = 0;
        for (info.m_nCurPage = from; ok && info.m_nCurPage <= to; ++info.m_nCurPage) {
            OnPrepareDC(&dc, &info);
            if (!info.m_bContinuePrinting)
                break;
            info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
            dc.DPtoLP(&info.m_rectDraw);
            ok = dc.StartPage() > 0;
            if (ok) {
                OnPrint(&dc, &info);
                ok = dc.EndPage() > 0;
                printed += ok ? 1 : 0;
            }
        }
        // A failed page, or a range that holds no page of the job, sends nothing to the printer.
        if (ok && printed > 0)
            dc.EndDoc();
        else
            dc.AbortDoc();
        OnEndPrinting(&dc, &info);
    }
    EndModalState();
    dc.DeleteDC();
}
