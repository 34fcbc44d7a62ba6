// CGraphicView: icons and pictures, and the registry of live views. Each host callback made from
// here may destroy the view or delete elements; the loops check that the view still lives after
// every call and index the display list afresh, and deleted elements stay alive in the discarded
// list until the view goes.
#include "view/GraphicView.h"

#include <new>
#include <map>

#include "elements/IconElement.h"
#include "elements/PictureElement.h"
#include "lib/Library.h"

namespace {
// Every constructed view: the depth of the messages it is handling, and whether its window has
// been destroyed while one was handled (it is then deleted when the outermost one returns).
struct LiveView {
    int nHandling;
    BOOL bWindowGone;
};
std::map<const CGraphicView*, LiveView>& LiveViews()
{
    static std::map<const CGraphicView*, LiveView> views;
    return views;
}
}  // namespace

void CGraphicView::RegisterLive(BOOL bLive)
{
    try {
        if (bLive)
            LiveViews()[this] = LiveView{0, FALSE};
        else
            LiveViews().erase(this);
    } catch (...) {
    }
}

BOOL CGraphicView::IsLive(const CGraphicView* pView)
{
    const auto it = LiveViews().find(pView);
    return it != LiveViews().end() && !it->second.bWindowGone;
}

LRESULT CGraphicView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto it = LiveViews().find(this);
    if (it == LiveViews().end())
        return CScrollView::WindowProc(message, wParam, lParam);
    LiveView& entry = it->second;  // map entries stay where they are until erased
    ++entry.nHandling;
    LRESULT lResult = 0;
    try {
        lResult = CScrollView::WindowProc(message, wParam, lParam);
    } catch (...) {
        --entry.nHandling;
        throw;
    }
    if (--entry.nHandling == 0 && entry.bWindowGone)
        CScrollView::PostNcDestroy();
    return lResult;
}

void CGraphicView::PostNcDestroy()
{
    const auto it = LiveViews().find(this);
    if (it != LiveViews().end()) {
        it->second.bWindowGone = TRUE;
        if (it->second.nHandling > 0)
            return;
    }
    CScrollView::PostNcDestroy();
}

// The element is made before it joins the list: when its request to the host destroyed the view,
// it is deleted again.
void CGraphicView::AppendImage(CGraphicElement* e, BOOL bDrawNow)
{
    if (e == NULL)
        return;
    if (!IsLive(this)) {
        delete e;
        return;
    }
    AddElement(e, bDrawNow);
}

void CGraphicView::AddIcon(const IconParams* p)
{
    if (p != NULL)
        AppendImage(new (std::nothrow) CIconElement(InternState(), p), TRUE);
}

void CGraphicView::SetIcon(int iconNumber)
{
    for (INT_PTR i = 0; i < m_displayList.GetSize(); ++i) {
        CGraphicElement* e = m_displayList.GetElement(i);
        if (e == NULL || !e->IsIcon())
            continue;
        CIconElement* pIcon = static_cast<CIconElement*>(e);
        if (pIcon->HasIcon() || pIcon->iconNumber != iconNumber)
            continue;
        pIcon->FindIcon(iconNumber);
        if (!IsLive(this))
            return;
        // Drawn on a context taken after the request, which may have destroyed the view.
        DrawScrolled(pIcon, NULL);
    }
}

int CGraphicView::CountIcons()
{
    int n = 0;
    for (INT_PTR i = 0; i < m_displayList.GetSize(); ++i) {
        CGraphicElement* e = m_displayList.GetElement(i);
        if (e != NULL && e->IsIcon())
            ++n;
    }
    return n;
}

void CGraphicView::AddPicture(const GRAF_PICTURE* p)
{
    if (p != NULL)
        AppendImage(new (std::nothrow) CPictureElement(InternState(), p->x, p->y, p->pictNumber,
                                                       p->pictParam, p->regionId),
                    TRUE);
}

BOOL CGraphicView::SetPict(int number, HGLOBAL hDib, int index)
{
    BOOL bServed = FALSE;
    for (INT_PTR i = 0; i < m_displayList.GetSize(); ++i) {
        CGraphicElement* e = m_displayList.GetElement(i);
        if (e == NULL || !e->IsPicture())
            continue;
        CPictureElement* pPict = static_cast<CPictureElement*>(e);
        if (pPict->HasPict() || pPict->pictNumber != number)
            continue;
        pPict->SetTransparentIndex(index);
        const CRect area = pPict->GetDibRect(hDib);
        pPict->SetPictData(hDib, TRUE);
        SetRegion(pPict);
        bServed = TRUE;
        // The repaint hands the picture to the host, which may destroy the view.
        RepaintDocRect(area);
        if (!IsLive(this))
            break;
    }
    return bServed;
}

void CGraphicView::DefineCurPict(POINT pos, int regionId)
{
    CPictureElement* pPict =
        new (std::nothrow) CPictureElement(InternState(), pos.x, pos.y, 0, 0, regionId);
    if (pPict == NULL)
        return;
    const INT_PTR before = m_displayList.GetSize();
    AddElement(pPict, FALSE);
    // AddElement deletes an element the list could not take.
    if (m_displayList.GetSize() > before)
        m_pCurPict = pPict;
}

void CGraphicView::UpdateCurPict(HGLOBAL hDib, const RECT* pRect, int index)
{
    if (m_pCurPict != NULL) {
        m_pCurPict->SetPictData(hDib, FALSE);
        SetRegion(m_pCurPict);
        m_pCurPict->SetTransparentIndex(index);
        if (pRect != NULL && !::IsRectEmpty(pRect)) {
            if (!DrawScrolled(m_pCurPict, pRect))
                return;
            UpdateScrollSizes(m_pCurPict);
        }
    }
    GraficCallbacks* pTable = GetGraficCallbacks();
    if (m_outputId != 0 && pTable != NULL && pTable->OnCurPictUpdate != NULL)
        pTable->OnCurPictUpdate(m_outputId, &m_outputName, hDib, index);
}

void CGraphicView::UpdatePictSize(const RECT* pRect)
{
    if (pRect == NULL)
        return;
    if (m_pCurPict != NULL) {
        m_pCurPict->bounds = *pRect;
        CRect client(0, 0, 0, 0);
        if (m_hWnd != NULL)
            GetClientRect(&client);
        if (m_pCurPict->bounds.Width() > client.Width() ||
            m_pCurPict->bounds.Height() > client.Height())
            UpdateScrollSizes(m_pCurPict);
    }
    GraficCallbacks* pTable = GetGraficCallbacks();
    if (m_outputId != 0 && pTable != NULL && pTable->OnCurPictResize != NULL) {
        RECT copy = *pRect;
        pTable->OnCurPictResize(m_outputId, &m_outputName, &copy);
    }
}

CPictureElement* CGraphicView::OnlyPicture()
{
    if (m_displayList.GetSize() != 1)
        return NULL;
    CGraphicElement* e = m_displayList.GetElement(0);
    return e != NULL && e->IsPicture() ? static_cast<CPictureElement*>(e) : NULL;
}
