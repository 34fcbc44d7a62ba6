// Documents, views and their frames: CFrameWnd, the MDI frames, CDocument, document templates
// and the template list of the application, CView and CScrollView.
#pragma once
#include "afxwnd_.h"
#include "afxcoll.h"

// Ids and styles the frames use; the same values hosts find in their resource scripts.
#ifndef AFX_IDM_FIRST_MDICHILD
#define AFX_IDM_FIRST_MDICHILD 0xFF00
#endif
#ifndef FWS_ADDTOTITLE
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L
#endif
#ifndef AFX_WS_DEFAULT_VIEW
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)
#endif
#ifndef ID_FILE_NEW
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#endif

class CDocument;
class CView;
class CFrameWnd;
class CMDIFrameWnd;
class CMDIChildWnd;
class CDocTemplate;
class CPrintDialog;
class CPreviewView;
class CControlBar;
struct CPrintPreviewState;

// What a frame needs to create its view and hook it to a document. Passed as the creation
// parameter of the frame window (and of the view window beneath it).
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass;
    CDocument* m_pCurrentDoc;
    CDocTemplate* m_pNewDocTemplate;
    CView* m_pLastView;
    CFrameWnd* m_pCurrentFrame;
    CCreateContext()
        : m_pNewViewClass(NULL), m_pCurrentDoc(NULL), m_pNewDocTemplate(NULL), m_pLastView(NULL),
          m_pCurrentFrame(NULL)
    {}
};

// State of one print job, handed to the printing virtuals of a view. The page range lives in
// the print dialog's structure (m_pPD->m_pd: nMinPage, nMaxPage, and nFromPage, nToPage as the
// user chose them); a maximum of 0xFFFF means the length is not known. The printer context the
// job prints on is m_pPD->m_pd.hDC; one still held when the job ends is deleted with it.
struct AFX_API CPrintInfo {
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT nMinPage);
    void SetMaxPage(UINT nMaxPage);
    UINT GetMinPage() const;
    UINT GetMaxPage() const;
    UINT GetFromPage() const;
    UINT GetToPage() const;
    UINT GetOffsetPage() const { return m_nOffsetPage; }

    CPrintDialog* m_pPD;
    BOOL m_bDocObject;
    DWORD m_dwFlags;
    UINT m_nOffsetPage;
    BOOL m_bDirect;  // print on the default printer without the dialog
    BOOL m_bPreview;
    BOOL m_bContinuePrinting;
    UINT m_nCurPage;
    UINT m_nNumPreviewPages;
    LPVOID m_lpUserData;
    CRect m_rectDraw;  // the page's printable area in logical units, set before each OnPrint
    CString m_strPageDesc;
};

// A top-level (or MDI child) window that holds a view and routes commands to it.
class AFX_API CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)

public:
    static const CRect rectDefault;  // CW_USEDEFAULT position and size

    CFrameWnd();
    virtual ~CFrameWnd();

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = NULL,
                LPCTSTR lpszMenuName = NULL, DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
    // Creates the frame with the menu, title string, icon and accelerators stored under
    // nIDResource in the resources of the module that holds them.
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame();
    virtual void ActivateFrame(int nCmdShow = -1);
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // Preview mode: entering hides the control bars, the menu and the main pane (given the id
    // AFX_IDW_PANE_SAVE while hidden) and records them in pState; leaving puts them back, the
    // pane under pState->nIDMainPane. The preview window itself is the caller's.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    BOOL IsInPreviewMode() const { return m_bPreviewMode; }
    // The control bar of the frame with that id, or NULL.
    CControlBar* GetControlBar(UINT nID);

    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);

    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL IsFrameWnd() const;

    HMENU m_hMenuDefault;  // the menu loaded by LoadFrame, destroyed with the frame
    HACCEL m_hAccelTable;
    UINT m_nIDHelp;  // the resource id LoadFrame was given
    CString m_strTitle;
    BOOL m_bAutoMenuEnable;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    virtual void PostNcDestroy();
    // Helper of OnCreate shared with the MDI frames: creates the client, then lays out.
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    static LPCTSTR RegisterFrameClass(UINT nIDResource);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    // Idle time: the title (and, for MDI frames, the menu) catch up with the active document.
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // WM_SETMESSAGESTRING: shows the string (wParam its id, or lParam the text) in the status
    // bar when there is one; answers the id shown before.
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    UINT m_nIDLastMessage;  // the id of the message string shown last, 0 for a text
    BOOL m_bPreviewMode;
    BOOL(CALLBACK* m_lpfnCloseProc)(CFrameWnd* pFrameWnd);
    CView* m_pViewActive;
    BOOL m_bInRecalcLayout;
    CString m_strTitleShown;  // the caption last set, so an unchanged one is not set again
    friend class CView;
};

// The main frame of a multiple-document application: the MDI client window and its children.
class AFX_API CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)

public:
    CMDIFrameWnd();
    virtual ~CMDIFrameWnd();

    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDICascade();
    void MDICascade(int nType);
    void MDITile();
    void MDITile(int nType);
    void MDIIconArrange();
    void MDINext();
    void MDIPrev();
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);

    virtual CFrameWnd* GetActiveFrame();
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    // Shows the active child's menu, or hMenuAlt (the frame's own menu when NULL) without one.
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);

    HWND m_hWndMDIClient;

protected:
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnWindowNew();
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    friend class CMDIChildWnd;
};

// A document frame inside the MDI client window of a CMDIFrameWnd.
class AFX_API CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)

public:
    CMDIChildWnd();
    virtual ~CMDIChildWnd();

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* pParentWnd = NULL,
                        CCreateContext* pContext = NULL);
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW |
                                                  FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);

    CMDIFrameWnd* GetMDIFrame();
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    virtual void ActivateFrame(int nCmdShow = -1);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    // Puts this child's menu (or hMenuAlt) on the MDI frame when it becomes active, and the
    // frame's own menu back when the last child loses activation.
    virtual void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);

    HMENU m_hMenuShared;  // the document template's menu, shown while this child is active
    HACCEL m_hAccelShared;

protected:
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()
};

// A document: data, a list of views showing it, a title and a modified flag.
class AFX_API CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)

public:
    CDocument();
    virtual ~CDocument();

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);

    virtual void DeleteContents();
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual BOOL SaveModified();
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    virtual void OnChangedViewList();
    virtual void Serialize(CArchive& ar);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    BOOL m_bAutoDelete;  // delete this document when its last view goes
    BOOL m_bEmbedded;

protected:
    afx_msg void OnFileClose();
    DECLARE_MESSAGE_MAP()

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    CPtrList m_viewList;
    BOOL m_bModified;

    friend class CView;
    friend class CDocTemplate;
    friend class CMultiDocTemplate;
};

// Makes documents, frames and views of one kind; the base of the single- and
// multiple-document templates.
class AFX_API CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);

public:
    virtual ~CDocTemplate();

    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;
    virtual void LoadTemplate();

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual BOOL SaveAllModified();

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    BOOL m_bAutoDelete;  // deleted by the application's template list at exit
};

// A template whose documents each open in their own MDI child frame.
class AFX_API CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)

public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    virtual ~CMultiDocTemplate();

    virtual void LoadTemplate();
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const;
    virtual CDocument* GetNextDoc(POSITION& rPos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDocument);

    HMENU m_hMenuShared;  // the template's menu, shared by all its child frames
    HACCEL m_hAccelTable;
    CPtrList m_docList;
    UINT m_nUntitledCount;
};

// The application's list of document templates; deletes them when the application goes.
class AFX_API CDocManager : public CObject
{
    DECLARE_DYNAMIC(CDocManager)

public:
    CDocManager();
    virtual ~CDocManager();

    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    virtual POSITION GetFirstDocTemplatePosition() const;
    virtual CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual BOOL SaveAllModified();
    virtual int GetOpenDocumentCount();
    virtual void OnFileNew();
    // Opens a file with the first template (there is no choosing by file type yet).
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);

    CPtrList m_templateList;
};

// A window showing a document. Deleted with its window; leaves its document on deletion.
class AFX_API CView : public CWnd
{
    DECLARE_DYNAMIC(CView)

protected:
    CView();

public:
    virtual ~CView();

    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // From OnPreparePrinting: the Print dialog (or, for a preview or a direct print, the
    // default printer without it) and the printer context in pInfo->m_pPD->m_pd.hDC. FALSE
    // when the user cancels or there is no printer.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // The print command: prepares the job, then prints its pages on the printer context
    // between BeginModalState and EndModalState. ID_FILE_PRINT_DIRECT as the current command
    // prints without the dialog.
    afx_msg void OnFilePrint();
    // The print preview command: DoPrintPreview with the layer's toolbar, this view and
    // CPreviewView, in this view's parent frame.
    afx_msg void OnFilePrintPreview();
    // Opens a preview of pPrintView in this view's parent frame with the toolbar made from
    // dialog nIDResource. FALSE (and the frame as it was) when any step fails.
    BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                        CPrintPreviewState* pState);
    // Called by the preview when it closes: OnEndPrinting of the print view, the frame out of
    // preview mode with the old active view back, the preview window destroyed.
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);

    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

protected:
    virtual void PostNcDestroy();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    CDocument* m_pDocument;
    friend class CDocument;
    friend class CDocTemplate;
    friend class CMultiDocTemplate;
    friend class CPreviewView;
};

// A view whose content is larger than its window: scroll bars, scrolling and the device
// context origin that follows the scroll position. Mapping mode MM_TEXT.
class AFX_API CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)

protected:
    CScrollView();

public:
    virtual ~CScrollView();

    static const SIZE sizeDefault;  // {0, 0}: use the default page or line size

    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const;
    void ScrollToPosition(POINT pt);
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;

    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

protected:
    // Shows each bar exactly when the total size does not fit the client area, and sets its
    // range and page; keeps the position inside the new range.
    void UpdateBars();
    void ScrollToDevicePosition(POINT ptDev);

    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()

    int m_nMapMode;
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
    BOOL m_bInsideUpdate;  // UpdateBars changing the bars causes WM_SIZE: ignore those
};
