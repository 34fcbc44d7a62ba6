// CGraphicView: display list management, painting, deletions and scroll sizes.
#include "view/GraphicView.h"

#include <afxpriv.h>

#include <unordered_set>

#include "state/MeasureDC.h"
#include "state/StateElement.h"

namespace {

// The scroll line of a view whose range follows its elements.
const SIZE kLineSize = {20, 20};

// The flags of a full repaint: invalidate, erase, and paint before returning.
const UINT kFullRepaintFlags = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;

BOOL ListHolds(const CUIntArray* pIds, int value)
{
    for (INT_PTR i = 0; i < pIds->GetSize(); ++i) {
        if (static_cast<int>(pIds->GetAt(i)) == value)
            return TRUE;
    }
    return FALSE;
}

}  // namespace

IMPLEMENT_DYNCREATE(CGraphicView, CScrollView)

BEGIN_MESSAGE_MAP(CGraphicView, CScrollView)
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CGraphicView::CGraphicView()
    : m_pPressedElement(NULL), m_pHoverElement(NULL), m_bCapture(FALSE), m_defaultOptions(7),
      m_viewBkColor(RGB(255, 255, 255)), m_bTimerOn(FALSE), m_blinkCount(0), m_blinkPhase(FALSE),
      m_pCurPict(NULL), m_bScrollable(TRUE), m_outputId(0), m_bNoBkFill(FALSE), m_nextRegionKey(0)
{
    m_penLocation.x = 0;
    m_penLocation.y = 0;
    RegisterLive(TRUE);
}

CGraphicView::~CGraphicView()
{
    RegisterLive(FALSE);
    m_pPressedElement = NULL;
    m_pHoverElement = NULL;
    m_pCurPict = NULL;
    m_regionIndex.Clear();
    m_displayList.DeleteAll();
    m_discardedList.DeleteAll();
}

void CGraphicView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, CSize(0, 0), sizeDefault, sizeDefault);
}

//--------------------------------------------------------------------------------------------
// Appending

void CGraphicView::AddElement(CGraphicElement* e, BOOL bDrawNow)
{
    if (e == NULL)
        return;
    e->options = m_defaultOptions;
    BOOL bState = e->IsState();
    if (!bState)
        FollowPen(e);
    try {
        m_displayList.Add(e);
    } catch (CException* ex) {
        // The list cannot grow: the element leaves no trace.
        ex->Delete();
        delete e;
        return;
    } catch (...) {
        delete e;
        return;
    }
    SetRegion(e);
    m_cullTable.Appended(e, m_displayList.GetSize() - 1);
    if (bDrawNow && !DrawScrolled(e, NULL))
        return;
    if (!bState)
        UpdateScrollSizes(e);
}

void CGraphicView::SetRegion(CGraphicElement* e)
{
    if (e == NULL)
        return;
    if (e->discarded) {
        m_regionIndex.Remove(e);
        return;
    }
    RECT box = {0, 0, 0, 0};
    int kind = NULLREGION;
    if (e->region != NULL && e->region->GetSafeHandle() != NULL) {
        kind = e->region->GetRgnBox(&box);
        if (kind == ERROR || kind == NULLREGION)
            ::SetRectEmpty(&box);
    }
    const bool bNew = !m_regionIndex.Holds(e);
    if (bNew && e->region == NULL && !e->IsIcon() && !e->IsPicture()) {
        // Only icons and pictures get a region after they were appended: another element
        // without one only takes its place in the append order, and costs the index nothing.
        ++m_nextRegionKey;
        return;
    }
    // A rectangular region holds exactly the points of its box: no PtInRegion for it (and an
    // empty one holds none).
    const HRGN shape = kind == COMPLEXREGION ? (HRGN)e->region->GetSafeHandle() : NULL;
    m_regionIndex.Set(e, m_nextRegionKey, box, shape);
    if (bNew)
        ++m_nextRegionKey;
}

BOOL CGraphicView::RebuildRegionIndex()
{
    m_regionIndex.Clear();
    m_nextRegionKey = 0;
    for (INT_PTR i = 0; i < m_displayList.GetSize(); ++i)
        SetRegion(m_displayList.GetElement(i));
    return !m_regionIndex.IsBroken();
}

BOOL CGraphicView::WithScrolledDC(const std::function<void(CDC*)>& op)
{
    CDC* pDC = GetScrolledDC();
    const HWND hWnd = m_hWnd;
    op(pDC);
    if (!IsLive(this)) {
        if (pDC != NULL) {
            ::ReleaseDC(hWnd, pDC->m_hDC);
            AfxCountDC(-1);
        }
        return FALSE;
    }
    if (pDC != NULL)
        ReleaseDC(pDC);
    return TRUE;
}

BOOL CGraphicView::DrawScrolled(CGraphicElement* e, const RECT* pClip)
{
    return e == NULL || WithScrolledDC([e, pClip](CDC* pDC) {
               if (pDC != NULL)
                   e->Draw(pDC, pClip);
           });
}

void CGraphicView::FollowPen(CGraphicElement* e)
{
    if (e == NULL)
        return;
    // The context only measures the width of a text; the other kinds know their end without
    // one, and a window's context costs tens of microseconds to get. A view without a window
    // measures on a memory context compatible with the screen.
    POINT pt;
    if (!e->IsText()) {
        if (e->GetEndPoint(NULL, &pt))
            SetPenLocation(pt);
        return;
    }
    if (m_hWnd == NULL) {
        CMeasureDC measure;
        if (e->GetEndPoint(measure.Get(), &pt))
            SetPenLocation(pt);
        return;
    }
    CDC* pDC = GetDC();
    if (e->GetEndPoint(pDC, &pt))
        SetPenLocation(pt);
    if (pDC != NULL)
        ReleaseDC(pDC);
}

void CGraphicView::SetPenLocation(POINT pt)
{
    m_penLocation = pt;
}

int CGraphicView::InternState()
{
    CGraphicState* rec = NULL;
    try {
        rec = new CGraphicState;
    } catch (CException* ex) {
        ex->Delete();
        return -1;
    } catch (...) {
        return -1;
    }
    rec->Assign(m_state);
    CGraphicStateTable* pTable = GetStateTable();
    if (pTable == NULL) {
        delete rec;
        return -1;
    }
    return pTable->AddUnique(rec);
}

void CGraphicView::AppendStateElement()
{
    CStateElement* e = NULL;
    try {
        e = new CStateElement;
    } catch (CException* ex) {
        ex->Delete();
        return;
    } catch (...) {
        return;
    }
    AddElement(e, FALSE);
}

//--------------------------------------------------------------------------------------------
// Scroll sizes

void CGraphicView::UpdateScrollSizes(CGraphicElement* e)
{
    if (!m_bScrollable) {
        SetScrollSizes(MM_TEXT, CSize(0, 0), sizeDefault, sizeDefault);
        return;
    }
    LONG cx = 0;
    LONG cy = 0;
    if (e != NULL) {
        CSize total = GetTotalSize();
        cx = total.cx > e->bounds.right ? total.cx : e->bounds.right;
        cy = total.cy > e->bounds.bottom ? total.cy : e->bounds.bottom;
    } else {
        if (m_displayList.GetSize() == 0) {
            SetScrollSizes(MM_TEXT, CSize(0, 0), sizeDefault, sizeDefault);
            return;
        }
        for (INT_PTR i = 0; i < m_displayList.GetSize(); ++i) {
            CGraphicElement* p = m_displayList.GetElement(i);
            if (p == NULL)
                continue;
            if (p->bounds.right > cx)
                cx = p->bounds.right;
            if (p->bounds.bottom > cy)
                cy = p->bounds.bottom;
        }
    }
    CRect client(0, 0, 0, 0);
    if (m_hWnd != NULL)
        GetClientRect(&client);
    SetScrollSizes(MM_TEXT, CSize(cx, cy), CSize(client.right, client.bottom), kLineSize);
}

//--------------------------------------------------------------------------------------------
// Painting

BOOL CGraphicView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CGraphicView::OnDraw(CDC* pDC)
{
    if (pDC == NULL)
        return;
    CRect clip(0, 0, 0, 0);
    pDC->GetClipBox(&clip);
    if (!m_bNoBkFill)
        FillBackground(pDC, &clip);
    if (!pDC->IsPrinting())
        pDC->SetMapMode(MM_TEXT);
    DrawElements(pDC, pDC->IsPrinting() ? NULL : &clip);
}

void CGraphicView::FillBackground(CDC* pDC, const RECT* r)
{
    if (pDC == NULL || r == NULL)
        return;
    CBrush brush;
    if (!brush.CreateSolidBrush(m_viewBkColor))
        return;
    ::FillRect(pDC->m_hDC, r, static_cast<HBRUSH>(brush.GetSafeHandle()));
}

void CGraphicView::DrawElements(CDC* pDC, const RECT* pClip)
{
    if (pDC == NULL)
        return;
    // The count is read on every pass: an element's drawing never changes the list, but a
    // callback into the host might, or destroy the view. With a clip, a run of elements that
    // cannot paint inside it is stepped over, as long as the runs still match the list (a
    // callback that deletes elements changes its length).
    const bool bCull = pClip != NULL && m_cullTable.Prepare(m_displayList);
    for (INT_PTR i = 0; i < m_displayList.GetSize(); ++i) {
        if (bCull && i % CullTable::kRun == 0 && m_cullTable.Matches(m_displayList) &&
            !m_cullTable.RunTouches(i, *pClip)) {
            i += CullTable::kRun - 1;
            continue;
        }
        CGraphicElement* e = m_displayList.GetElement(i);
        if (e != NULL && !e->IsState())
            e->Draw(pDC, pClip);
        if (!IsLive(this))
            return;
    }
}

void CGraphicView::RepaintView(CDC* pDC)
{
    if (pDC == NULL)
        return;
    CRect client(0, 0, 0, 0);
    if (m_hWnd != NULL)
        GetClientRect(&client);
    FillBackground(pDC, &client);
    pDC->SetMapMode(MM_TEXT);
    DrawElements(pDC, NULL);
}

void CGraphicView::FullRepaint()
{
    if (m_hWnd != NULL)
        RedrawWindow(NULL, NULL, kFullRepaintFlags);
}

void CGraphicView::ShowVerticalBar()
{
    if (m_hWnd == NULL)
        return;
    BOOL bInsideUpdate = m_bInsideUpdate;
    m_bInsideUpdate = TRUE;
    EnableScrollBarCtrl(SB_VERT, TRUE);
    m_bInsideUpdate = bInsideUpdate;
}

void CGraphicView::RepaintDocRect(const CRect& rc)
{
    if (m_hWnd == NULL)
        return;
    CRect client = rc;
    client.OffsetRect(-GetScrollPos(SB_HORZ), -GetScrollPos(SB_VERT));
    InvalidateRect(&client, TRUE);
    UpdateWindow();
}

//--------------------------------------------------------------------------------------------
// Deletion

BOOL CGraphicView::IsRegionShape(CGraphicElement* e)
{
    if (e == NULL || (e->verb != VERB_ACTIVE && e->verb != VERB_CLICK))
        return FALSE;
    return e->IsRect() || e->IsRoundRect() || e->IsOval() || e->IsPolygon() || e->IsArc();
}

void CGraphicView::PurgeDiscarded()
{
    // The survivors close up in one pass and the discarded elements are parked in one block, so
    // that deleting d of n elements costs O(n), not O(n * d). They are parked and let go from
    // the last to the first, as removing them one at a time from the end would.
    const INT_PTR n = m_displayList.GetSize();
    INT_PTR nDiscarded = 0;
    for (INT_PTR i = 0; i < n; ++i) {
        const CGraphicElement* e = m_displayList.GetElement(i);
        nDiscarded += e != NULL && e->discarded;
    }
    if (nDiscarded == 0)
        return;
    const INT_PTR parked = m_discardedList.GetSize();
    try {
        m_discardedList.SetSize(parked + nDiscarded);
    } catch (CException* ex) {
        ex->Delete();
        PurgeDiscardedInPlace();
        return;
    }
    INT_PTR kept = 0, slot = parked + nDiscarded;
    for (INT_PTR i = 0; i < n; ++i) {
        CGraphicElement* e = m_displayList.GetElement(i);
        if (e != NULL && e->discarded)
            m_discardedList.SetAt(--slot, e);
        else
            m_displayList.SetAt(kept++, e);
    }
    m_displayList.SetSize(kept);
    for (INT_PTR j = parked; j < parked + nDiscarded; ++j) {
        CGraphicElement* e = m_discardedList.GetElement(j);
        ForgetPointerElement(e);
        SetRegion(e);
        e->ReleaseResources();
    }
}

void CGraphicView::PurgeDiscardedInPlace()
{
    for (INT_PTR i = m_displayList.GetSize() - 1; i >= 0; --i) {
        CGraphicElement* e = m_displayList.GetElement(i);
        if (e == NULL || !e->discarded)
            continue;
        ForgetPointerElement(e);
        m_displayList.RemoveAt(i, 1);
        SetRegion(e);
        e->ReleaseResources();
        try {
            m_discardedList.Add(e);
        } catch (CException* ex) {
            // Nowhere to park it: nothing points to it any more but the current picture (the
            // pointer's fields were cleared above).
            ex->Delete();
            if (static_cast<void*>(m_pCurPict) == static_cast<void*>(e))
                m_pCurPict = NULL;
            delete e;
        }
    }
}

void CGraphicView::DeleteAllElements()
{
    for (INT_PTR i = 0; i < m_displayList.GetSize(); ++i) {
        CGraphicElement* e = m_displayList.GetElement(i);
        if (e != NULL && !IsRegionShape(e))
            e->discarded = TRUE;
    }
    PurgeDiscarded();
    UpdateScrollSizes(NULL);
}

void CGraphicView::DeleteListedElements(const CUIntArray* pNumbers, BOOL bPartial)
{
    if (pNumbers == NULL)
        return;
    // Display-list index of each element number, taken before anything is marked: every
    // number refers to the numbering as it was when the call began.
    CDWordArray positions;
    try {
        for (INT_PTR i = 0; i < m_displayList.GetSize(); ++i) {
            if (!IsRegionShape(m_displayList.GetElement(i)))
                positions.Add(static_cast<DWORD>(i));
        }
    } catch (CException* ex) {
        ex->Delete();
        return;
    }

    CRect area(0, 0, 0, 0);
    BOOL bFirst = TRUE;
    for (INT_PTR k = 0; k < pNumbers->GetSize(); ++k) {
        UINT n = pNumbers->GetAt(k);
        // Compared unsigned, so that a number that was 0 before the host's -1 is skipped too.
        if (n >= static_cast<UINT>(positions.GetSize()))
            continue;
        INT_PTR p = static_cast<INT_PTR>(positions.GetAt(n));
        if (p < 0 || p >= m_displayList.GetSize())
            continue;
        CGraphicElement* e = m_displayList.GetElement(p);
        if (e == NULL)
            continue;
        if (bFirst) {
            area = e->bounds;
            bFirst = FALSE;
        } else {
            if (e->bounds.left < area.left)
                area.left = e->bounds.left;
            if (e->bounds.top < area.top)
                area.top = e->bounds.top;
            if (e->bounds.right > area.right)
                area.right = e->bounds.right;
            if (e->bounds.bottom > area.bottom)
                area.bottom = e->bounds.bottom;
        }
        e->discarded = TRUE;
    }
    PurgeDiscarded();

    if (!bPartial)
        FullRepaint();
    else if (!area.IsRectEmpty())
        RepaintDocRect(area);
    UpdateScrollSizes(NULL);
}

void CGraphicView::DeleteLastElement(BOOL bPartial)
{
    INT_PTR count = m_displayList.GetSize();
    CGraphicElement* e = count > 0 ? m_displayList.GetElement(count - 1) : NULL;
    if (e == NULL) {
        UpdateScrollSizes(NULL);
        return;
    }
    if (!IsRegionShape(e)) {
        e->discarded = TRUE;
        PurgeDiscarded();
    }
    if (!bPartial) {
        FullRepaint();
    } else if (!e->bounds.IsRectEmpty()) {
        // A region shape left in place repaints its area all the same.
        RepaintDocRect(e->bounds);
    }
    UpdateScrollSizes(NULL);
}

void CGraphicView::DeleteRegions(int regionVerb, BOOL bAll, const CUIntArray* pIds)
{
    // The identifiers in a hash set, so that k of them over n elements cost O(n + k); the list
    // is searched directly when the set cannot be made.
    std::unordered_set<int> ids;
    bool bSet = !bAll;
    try {
        for (INT_PTR k = 0; bSet && k < pIds->GetSize(); ++k)
            ids.insert(static_cast<int>(pIds->GetAt(k)));
    } catch (...) {
        bSet = false;
    }
    for (INT_PTR i = 0; i < m_displayList.GetSize(); ++i) {
        CGraphicElement* e = m_displayList.GetElement(i);
        if (e == NULL || e->verb != regionVerb)
            continue;
        if (!bAll && (bSet ? ids.count(e->pattern) == 0 : !ListHolds(pIds, e->pattern)))
            continue;
        if (e->IsIcon() || e->IsPicture()) {
            ForgetPointerElement(e);
            e->DropRegion();
            SetRegion(e);
        } else
            e->discarded = TRUE;
    }
    PurgeDiscarded();
    UpdateScrollSizes(NULL);
}

void CGraphicView::DeleteAllActivRgns()
{
    DeleteRegions(VERB_ACTIVE, TRUE, NULL);
}

void CGraphicView::DeleteAllClickRgns()
{
    DeleteRegions(VERB_CLICK, TRUE, NULL);
}

void CGraphicView::DeleteListedActivRgns(const CUIntArray* pIds)
{
    if (pIds != NULL)
        DeleteRegions(VERB_ACTIVE, FALSE, pIds);
}

void CGraphicView::DeleteListedClickRgns(const CUIntArray* pIds)
{
    if (pIds != NULL)
        DeleteRegions(VERB_CLICK, FALSE, pIds);
}

//--------------------------------------------------------------------------------------------
// Coordinates

CDC* CGraphicView::GetScrolledDC()
{
    if (m_hWnd == NULL)
        return NULL;
    CDC* pDC = GetDC();
    if (pDC == NULL)
        return NULL;
    pDC->SetWindowOrg(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
    return pDC;
}

void CGraphicView::ClientToDoc(POINT& pt)
{
    if (m_hWnd == NULL)
        return;
    pt.x += GetScrollPos(SB_HORZ);
    pt.y += GetScrollPos(SB_VERT);
}

//--------------------------------------------------------------------------------------------
// Window lifetime

void CGraphicView::OnDestroy()
{
    // A preview of the view must not outlive it.
    ClosePreview();
    SetHoverTimer(FALSE);
    GiveUpCapture();
    // The elements outlive the window, but nothing may act on them through the view any more.
    m_pPressedElement = NULL;
    m_pHoverElement = NULL;
    CScrollView::OnDestroy();
}
