// CDocTemplate and CMultiDocTemplate: making documents, frames and views of one kind, and
// keeping the list of the documents a template made.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

// Loads string nID from whichever module holds it (the host, then its extension modules).
BOOL AFXAPI _AfxLoadResourceString(UINT nID, CString& rString)
{
    rString.Empty();
    HINSTANCE hInst = AfxFindStringResourceHandle(nID);
    // A string resource is at most 65535 characters; grow until the text fits.
    for (int nSize = 256; nSize <= 65536; nSize *= 4) {
        LPTSTR buffer = rString.GetBuffer(nSize);
        int nLen = ::LoadString(hInst, nID, buffer, nSize);
        rString.ReleaseBuffer(nLen > 0 ? nLen : 0);
        if (nLen <= 0)
            return FALSE;
        if (nLen < nSize - 1)
            return TRUE;
    }
    return TRUE;
}

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString,
                                TCHAR chSep)
{
    rString.Empty();
    if (lpszFullString == NULL || iSubString < 0)
        return FALSE;
    while (iSubString-- > 0) {
        lpszFullString = _tcschr(lpszFullString, chSep);
        if (lpszFullString == NULL)
            return FALSE;
        ++lpszFullString;
    }
    LPCTSTR lpchEnd = _tcschr(lpszFullString, chSep);
    int nLen = lpchEnd == NULL ? (int)_tcslen(lpszFullString) : (int)(lpchEnd - lpszFullString);
    rString = CString(lpszFullString, nLen);
    return TRUE;
}

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass), m_bAutoDelete(TRUE)
{}

CDocTemplate::~CDocTemplate() {}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty() && m_nIDResource != 0)
        _AfxLoadResourceString(m_nIDResource, m_strDocStrings);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    return AfxExtractSubString(rString, m_strDocStrings, (int)index, '\n');
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    ASSERT(pDoc != NULL && pDoc->m_pDocTemplate == NULL);
    if (pDoc != NULL)
        pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    ASSERT(pDoc != NULL && pDoc->m_pDocTemplate == this);
    if (pDoc != NULL && pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = NULL;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == NULL)
        return NULL;
    CObject* pObject = m_pDocClass->CreateObject();
    if (pObject == NULL)
        return NULL;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CDocument))) {
        ASSERT(FALSE);
        delete pObject;
        return NULL;
    }
    CDocument* pDocument = static_cast<CDocument*>(pObject);
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    if (m_pFrameClass == NULL)
        return NULL;
    LoadTemplate();
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;

    CObject* pObject = m_pFrameClass->CreateObject();
    if (pObject == NULL)
        return NULL;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        ASSERT(FALSE);
        delete pObject;
        return NULL;
    }
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(pObject);
    // A frame that fails to load deletes itself (PostNcDestroy), as a destroyed window does.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context))
        return NULL;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    if (pFrame != NULL)
        pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::CloseAllDocuments(BOOL bEndSession)
{
    // Closing a document removes it from the list: always take the first one left.
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) {
        CDocument* pDoc = GetNextDoc(pos);
        if (bEndSession) {
            // The session is ending: the windows go with it, only the data is released.
            POSITION posView = pDoc->GetFirstViewPosition();
            while (posView != NULL) {
                CView* pView = pDoc->GetNextView(posView);
                pView->m_pDocument = NULL;
            }
            pDoc->m_viewList.RemoveAll();
        }
        pDoc->OnCloseDocument();
        pos = GetFirstDocPosition();
    }
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) {
        CDocument* pDoc = GetNextDoc(pos);
        if (pDoc->IsModified() && !pDoc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                     CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_hMenuShared(NULL),
      m_hAccelTable(NULL), m_nUntitledCount(0)
{}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Documents still open keep working, without a template.
    POSITION pos = m_docList.GetHeadPosition();
    while (pos != NULL)
        static_cast<CDocument*>(m_docList.GetNext(pos))->m_pDocTemplate = NULL;
    m_docList.RemoveAll();
    if (m_hMenuShared != NULL)
        ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (m_nIDResource == 0)
        return;
    LPCTSTR lpszName = MAKEINTRESOURCE(m_nIDResource);
    if (m_hMenuShared == NULL)
        m_hMenuShared = ::LoadMenu(AfxFindResourceHandle(lpszName, RT_MENU), lpszName);
    if (m_hAccelTable == NULL)
        m_hAccelTable =
            ::LoadAccelerators(AfxFindResourceHandle(lpszName, RT_ACCELERATOR), lpszName);
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    if (pDoc != NULL && m_docList.Find(pDoc) == NULL)
        m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    POSITION pos = m_docList.Find(pDoc);
    if (pos != NULL)
        m_docList.RemoveAt(pos);
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const
{
    return m_docList.GetHeadPosition();
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    if (rPos == NULL)
        return NULL;
    return static_cast<CDocument*>(m_docList.GetNext(rPos));
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strDocName;
    if (!GetDocString(strDocName, docName) || strDocName.IsEmpty())
        strDocName = _T("Untitled");
    CString strTitle;
    strTitle.Format(_T("%s%u"), (LPCTSTR)strDocName, m_nUntitledCount + 1);
    pDocument->SetTitle(strTitle);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == NULL)
        return NULL;

    // Until the document is loaded, a failure that destroys the frame must not delete it.
    BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(pDocument, NULL);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == NULL) {
        // The frame is gone; so are any views it made. The document never showed: delete it.
        POSITION pos = pDocument->GetFirstViewPosition();
        while (pos != NULL)
            pDocument->GetNextView(pos)->m_pDocument = NULL;
        pDocument->m_viewList.RemoveAll();
        delete pDocument;
        return NULL;
    }

    if (lpszPathName == NULL) {
        SetDefaultTitle(pDocument);
        if (!pDocument->OnNewDocument()) {
            pFrame->DestroyWindow();  // takes an auto-delete document with it
            return NULL;
        }
        m_nUntitledCount++;
    } else {
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            pFrame->DestroyWindow();
            return NULL;
        }
        pDocument->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
