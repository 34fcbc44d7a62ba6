// CDocument: the view list, the document's life from new to close, titles and the modified flag.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
END_MESSAGE_MAP()

CDocument::CDocument()
    : m_bAutoDelete(TRUE), m_bEmbedded(FALSE), m_pDocTemplate(NULL), m_bModified(FALSE)
{}

CDocument::~CDocument()
{
    // Views outliving their document (deleted by hand) must not reach back into it.
    ASSERT(m_viewList.IsEmpty());
    POSITION pos = m_viewList.GetHeadPosition();
    while (pos != NULL)
        static_cast<CView*>(m_viewList.GetNext(pos))->m_pDocument = NULL;
    m_viewList.RemoveAll();
    if (m_pDocTemplate != NULL)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    // Every frame showing this document shows the new title.
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL)
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL /*bAddToMRU*/)
{
    m_strPathName = lpszPathName;
    // The title is the file name without its folders.
    LPCTSTR lpszName = lpszPathName;
    for (LPCTSTR p = lpszPathName; p != NULL && *p; p = ::CharNext(p))
        if (*p == '\\' || *p == '/' || *p == ':')
            lpszName = p + 1;
    SetTitle(lpszName);
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    if (rPosition == NULL)
        return NULL;
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::AddView(CView* pView)
{
    ASSERT(pView != NULL && pView->m_pDocument == NULL);
    if (pView == NULL || pView->m_pDocument == this)
        return;
    if (pView->m_pDocument != NULL)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    ASSERT(pView != NULL && pView->m_pDocument == this);
    if (pView == NULL || pView->m_pDocument != this)
        return;
    POSITION pos = m_viewList.Find(pView);
    if (pos != NULL)
        m_viewList.RemoveAt(pos);
    pView->m_pDocument = NULL;
    OnChangedViewList();  // may delete this document
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    // Frame titles may depend on the number of views.
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
        if (pFrame != NULL)
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    if (lpszPathName == NULL || *lpszPathName == 0)
        return FALSE;
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe))
        return FALSE;
    DeleteContents();
    SetModifiedFlag(TRUE);  // dirty while loading
    BOOL bOk = TRUE;
    try {
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        DeleteContents();
        bOk = FALSE;
    }
    file.Close();
    SetModifiedFlag(!bOk);
    return bOk;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    if (lpszPathName == NULL || *lpszPathName == 0)
        return FALSE;
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &fe))
        return FALSE;
    BOOL bOk = TRUE;
    try {
        CArchive ar(&file, CArchive::store);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        bOk = FALSE;
    }
    file.Close();
    if (!bOk) {
        ::DeleteFile(lpszPathName);  // no half-written file left behind
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // Destroying the frames removes the views; keep this object alive until they are all gone.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        } else if (pView->m_hWnd != NULL) {
            pView->DestroyWindow();
        }
        // A view without a window (or one its frame kept) leaves the list here, or we would loop.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg)
{
    // Closing a frame only loses data when it shows the document's last view.
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
        if (pFrame != NULL && pFrame != pFrameArg)
            return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString prompt = _T("Save changes to ");
    prompt += m_strTitle.IsEmpty() ? CString(_T("Untitled")) : m_strTitle;
    prompt += _T("?");
    HWND hWndOwner = NULL;
    if (CWnd* pMain = AfxGetMainWnd())
        hWndOwner = pMain->GetSafeHwnd();
    switch (::MessageBox(hWndOwner, prompt, AfxGetAppName(), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDNO:
        return TRUE;
    case IDYES:
        // Without a path (an untitled document) there is nowhere to save yet: keep it open.
        return !m_strPathName.IsEmpty() && OnSaveDocument(m_strPathName);
    default:
        return FALSE;
    }
}

void CDocument::PreCloseFrame(CFrameWnd* /*pFrame*/) {}

void CDocument::Serialize(CArchive& ar)
{
    CCmdTarget::Serialize(ar);
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != NULL && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}
