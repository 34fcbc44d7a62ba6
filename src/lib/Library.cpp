// Library start-up and shut-down: the library block with the host callback table, the document
// template, the hand cursor, and the creation of views with their windows and documents.
#include "lib/Library.h"

#include "state/MeasureDC.h"
#include "view/GraphicDoc.h"
#include "view/GraphicView.h"

#include <new>

namespace {

GraficLibrary* g_pLibrary = NULL;
HCURSOR g_hHandCursor = NULL;

// The template's resource identifier: its menu and document strings come from the host.
const UINT kTemplateResourceId = GRAF_TEMPLATE_RESOURCE_ID;

// TRUE while pTemplate still lists pDoc (a document deleted by the class library has left it).
BOOL TemplateLists(CDocTemplate* pTemplate, CDocument* pDoc)
{
    POSITION pos = pTemplate->GetFirstDocPosition();
    while (pos != NULL) {
        if (pTemplate->GetNextDoc(pos) == pDoc)
            return TRUE;
    }
    return FALSE;
}

}  // namespace

GraficLibrary* AFXAPI GetGraficLibrary()
{
    return g_pLibrary;
}

GraficCallbacks* AFXAPI GetGraficCallbacks()
{
    return g_pLibrary != NULL ? &g_pLibrary->callbacks : NULL;
}

BOOL AFXAPI RequestHostResource(WORD kind, int number, int param, ResourceRequest& request)
{
    memset(&request, 0, sizeof request);
    GraficCallbacks* pTable = GetGraficCallbacks();
    if (pTable == NULL || pTable->RequestResource == NULL)
        return FALSE;
    request.kind = kind;
    request.number = number;
    request.numberAgain = number;
    request.param = param;
    pTable->RequestResource(&request);
    return TRUE;
}

HCURSOR AFXAPI GetHandCursor()
{
    if (g_hHandCursor == NULL) {
        g_hHandCursor = static_cast<HCURSOR>(::LoadImageA(
            AfxGetResourceHandle(), GRAF_HAND_CURSOR_NAME, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    }
    return g_hHandCursor;
}

GraficCallbacks* GRAFAPI Grafic_Dll_Start(void)
{
    try {
        CWinApp* pApp = AfxGetModuleState()->m_pCurrentWinApp;
        // Without an application object nobody would own a template: views are then made
        // without documents.
        CMultiDocTemplate* pTemplate = NULL;
        if (pApp != NULL) {
            pTemplate =
                new CMultiDocTemplate(kTemplateResourceId, RUNTIME_CLASS(CGraphicDoc),
                                      RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CGraphicView));
            pApp->AddDocTemplate(pTemplate);
        }
        if (g_pLibrary == NULL) {
            g_pLibrary = static_cast<GraficLibrary*>(calloc(1, sizeof(GraficLibrary)));
            if (g_pLibrary == NULL)
                return NULL;
        }
        if (pTemplate != NULL)
            g_pLibrary->pTemplate = pTemplate;
        return &g_pLibrary->callbacks;
    } catch (CException* ex) {
        ex->Delete();
    } catch (...) {
    }
    return g_pLibrary != NULL ? &g_pLibrary->callbacks : NULL;
}

void GRAFAPI Grafic_Dll_End(void)
{
    ReleaseMeasureDC();
    if (g_hHandCursor != NULL) {
        ::DestroyCursor(g_hHandCursor);
        g_hHandCursor = NULL;
    }
    if (g_pLibrary != NULL) {
        free(g_pLibrary);
        g_pLibrary = NULL;
    }
}

void GRAFAPI Grafic_Dll_Reset(void)
{
    DestroyStateTable();
}

LONG_PTR GRAFAPI Grafic_Dll_NewView(unsigned long)
{
    try {
        return reinterpret_cast<LONG_PTR>(new CGraphicView);
    } catch (CException* ex) {
        ex->Delete();
    } catch (...) {
    }
    return 0;
}

void GRAFAPI Grafic_Dll_NewDoc(CWnd* pParent, CGraphicView* pView, const RECT* pRect, UINT nID,
                               BOOL bNoBkFill)
{
    // A child window needs its parent; a view that already has a window keeps it.
    if (pView == NULL || pParent == NULL || pParent->GetSafeHwnd() == NULL ||
        pView->GetSafeHwnd() != NULL)
        return;
    CDocument* pDoc = NULL;
    CMultiDocTemplate* pTemplate = g_pLibrary != NULL ? g_pLibrary->pTemplate : NULL;
    try {
        if (pTemplate != NULL)
            pDoc = pTemplate->CreateNewDocument();

        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CGraphicView);
        context.m_pCurrentDoc = pDoc;
        context.m_pNewDocTemplate = NULL;
        context.m_pLastView = NULL;
        context.m_pCurrentFrame = NULL;

        LPCTSTR lpszClass =
            AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW),
                                static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)), NULL);
        CRect rect(0, 0, 0, 0);
        if (pRect != NULL)
            rect = *pRect;
        if (!pView->Create(lpszClass, _T("GrafView"), WS_CHILD, rect, pParent, nID, &context)) {
            // A failed creation has already deleted the view. A document it never joined has
            // no view to close it, so it goes here.
            if (pDoc != NULL && TemplateLists(pTemplate, pDoc) &&
                pDoc->GetFirstViewPosition() == NULL)
                delete pDoc;
            return;
        }
    } catch (CException* ex) {
        ex->Delete();
        return;
    } catch (...) {
        return;
    }
    pView->m_bNoBkFill = bNoBkFill;
    pView->OnInitialUpdate();
    pView->ShowWindow(SW_SHOW);
    pView->ShowVerticalBar();
}

void GRAFAPI Grafic_Dll_SetOutput(CGraphicView* pView, LONG_PTR outputId,
                                  const CString* pOutputName)
{
    if (pView == NULL)
        return;
    pView->m_outputId = outputId;
    if (pOutputName == NULL)
        return;
    LPCTSTR lpsz = *pOutputName;
    if (lpsz == NULL)
        return;
    try {
        pView->m_outputName = lpsz;
    } catch (CException* ex) {
        ex->Delete();
    } catch (...) {
    }
}

void GRAFAPI Grafic_Dll_SetScrollable(CGraphicView* pView, BOOL bScrollable)
{
    if (pView != NULL)
        pView->m_bScrollable = bScrollable;
}

void GRAFAPI Grafic_Dll_SetViewBkColor(CGraphicView* pView, COLORREF color, BOOL bRedraw)
{
    if (pView == NULL)
        return;
    pView->m_viewBkColor = color;
    if (bRedraw)
        pView->FullRepaint();
}
