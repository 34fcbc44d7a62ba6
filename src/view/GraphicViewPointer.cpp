// CGraphicView: the pointer. Finding the element under it, the hand cursor, pressing and
// releasing, the hover highlight with its blinking frame driven by the hover timer, and the click
// reports to the host. Drawing an icon or a picture, asking a picture for its state images and
// reporting a click all call the host, which may delete elements or destroy the view meanwhile:
// after each such call the view checks that it still lives, and an element that has left the
// display list or lost its region is no longer acted on.
#include "view/GraphicView.h"

#include "elements/PictureElement.h"
#include "lib/Library.h"

namespace {

// The hover timer's period in milliseconds; four ticks make one blink of the frame.
const UINT kHoverPeriod = 100;
const int kBlinkCycle = 4;

// An element deleted (parked in the discarded list) or stripped of its region while the host was
// called: the pointer no longer finds it, so nothing may press, highlight or draw it any more.
BOOL Gone(const CGraphicElement* e)
{
    return e->discarded || e->region == NULL;
}

BOOL CanBeHighlighted(const CGraphicElement* e)
{
    return e != NULL && e->verb == VERB_ACTIVE && (e->options & OPT_HIGHLIGHT_ACTIVE) != 0 &&
           !Gone(e);
}

}  // namespace

//--------------------------------------------------------------------------------------------
// Finding the element

namespace {

// Only the first region that holds the point is asked for its pixel: a transparent one hides
// whatever lies under it.
CGraphicElement* UnlessTransparentAt(CGraphicElement* e, POINT p)
{
    CPictureElement* pict = e != NULL && e->IsPicture() ? dynamic_cast<CPictureElement*>(e) : NULL;
    if (pict != NULL && pict->transparentIndex != -1 && !pict->IsOpaqueAt(p))
        return NULL;
    return e;
}

}  // namespace

CGraphicElement* CGraphicView::ElementAt(POINT p)
{
    // After a failed allocation the index is built again; when that fails too, the walk answers.
    if (m_regionIndex.IsBroken() && !RebuildRegionIndex())
        return ElementAtByWalk(p);
    return UnlessTransparentAt(static_cast<CGraphicElement*>(m_regionIndex.Find(p)), p);
}

CGraphicElement* CGraphicView::ElementAtByWalk(POINT p)
{
    for (INT_PTR i = 0; i < m_displayList.GetSize(); ++i) {
        CGraphicElement* e = m_displayList.GetElement(i);
        if (e != NULL && e->region != NULL && e->HitTest(&p))
            return UnlessTransparentAt(e, p);
    }
    return NULL;
}

CGraphicElement* CGraphicView::ElementAtCursor()
{
    POINT pt;
    if (!::GetCursorPos(&pt))
        return NULL;
    ScreenToClient(&pt);
    ClientToDoc(pt);
    return ElementAt(pt);
}

BOOL CGraphicView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    // The pointer's own position is tested; the message's hit-test code does not matter.
    CGraphicElement* hit = ElementAtCursor();
    HCURSOR hHand = GetHandCursor();
    if (hit != NULL && hHand != NULL) {
        ::SetCursor(hHand);
        return TRUE;
    }
    return CScrollView::OnSetCursor(pWnd, nHitTest, message);
}

//--------------------------------------------------------------------------------------------
// Pressing

BOOL CGraphicView::PressElement(CGraphicElement* e)
{
    if (e == NULL || (e->verb != VERB_ACTIVE && e->verb != VERB_CLICK) || e->pressed || Gone(e))
        return TRUE;
    SetCapture();
    m_bCapture = TRUE;
    m_pPressedElement = e;
    return WithScrolledDC([e](CDC* pDC) { e->Press(pDC, TRUE); });
}

BOOL CGraphicView::ReleasePressed(CGraphicElement* e)
{
    if (e == NULL || !e->pressed)
        return TRUE;
    e->pressed = FALSE;
    if (e->region == NULL)
        return WithScrolledDC([e](CDC* pDC) { e->Draw(pDC, NULL); });

    CRect box;
    e->region->GetRgnBox(&box);
    box.OffsetRect(-GetScrollPos(SB_HORZ), -GetScrollPos(SB_VERT));
    // A picture with a highlighted image is drawn again at once; everything else repaints.
    BOOL bRedrawNow = FALSE;
    if (e->IsPicture()) {
        bRedrawNow = !e->UsesBlinkingFrame();
        if (!IsLive(this))
            return FALSE;
    }
    if (bRedrawNow) {
        if (!WithScrolledDC([e](CDC* pDC) { e->Draw(pDC, NULL); }))
            return FALSE;
    } else {
        InvalidateRect(&box, TRUE);
    }
    if (Gone(e))
        return TRUE;
    const BOOL bBlink = e->UsesBlinkingFrame();
    if (!IsLive(this))
        return FALSE;
    if (bBlink && !Gone(e))
        ClearBlinkFrame(e->region);
    return TRUE;
}

BOOL CGraphicView::TrackPressed(CGraphicElement* pressed, CGraphicElement* hit)
{
    if (pressed == NULL)
        return TRUE;
    // Back on the element: pressed again (and the capture taken again) if its look was removed.
    if (hit == pressed)
        return PressElement(pressed);
    return ReleasePressed(pressed);
}

void CGraphicView::OnLButtonDown(UINT, CPoint point)
{
    POINT pt = point;
    ClientToDoc(pt);
    CGraphicElement* old = m_pPressedElement;
    CGraphicElement* hit = ElementAt(pt);
    if (hit != NULL) {
        if (!PressElement(hit))
            return;
        // Stored even when it was pressed already (the selection pressed again), unless the
        // host deleted it while it was drawn.
        if (Gone(hit))
            hit = NULL;
        else
            m_pPressedElement = hit;
    }
    // The new element is pressed before the old one is released: the selection moves.
    if (old != hit) {
        if (!ReleasePressed(old))
            return;
        if (hit == NULL)
            m_pPressedElement = NULL;
    }
}

BOOL CGraphicView::ReportClick(CGraphicElement* e, POINT pt, UINT nFlags)
{
    GraficCallbacks* pTable = GetGraficCallbacks();
    if (pTable == NULL)
        return TRUE;
    if (e->verb == VERB_ACTIVE && pTable->OnActiveClick != NULL)
        pTable->OnActiveClick(m_hWnd, e->pattern);
    else if (e->verb == VERB_CLICK && pTable->OnRegionClick != NULL)
        pTable->OnRegionClick(m_hWnd, e->pattern, &pt, nFlags);
    return IsLive(this);
}

void CGraphicView::GiveUpCapture()
{
    const BOOL bCapture = m_bCapture;
    m_bCapture = FALSE;
    if (bCapture && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

CGraphicElement* CGraphicView::EndCapture(CPoint point, POINT& pt)
{
    GiveUpCapture();
    pt = point;
    ClientToDoc(pt);
    return m_pPressedElement;
}

void CGraphicView::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bCapture && pWnd != this) {
        m_bCapture = FALSE;
        CGraphicElement* e = m_pPressedElement;
        if (e != NULL && (e->options & OPT_CLICK_ON_RELEASE) != 0 && ReleasePressed(e))
            m_pPressedElement = NULL;
        if (!IsLive(this))
            return;
    }
    CScrollView::OnCaptureChanged(pWnd);
}

void CGraphicView::OnLButtonUp(UINT nFlags, CPoint point)
{
    POINT pt;
    CGraphicElement* e = EndCapture(point, pt);
    // An element that reports on double click stays pressed: it is the selection.
    if (e == NULL || (e->options & OPT_CLICK_ON_RELEASE) == 0)
        return;
    // Only the region counts here, not the picture's pixels. The host hears of the click while
    // the element still looks pressed.
    if (e->HitTest(&pt) && !ReportClick(e, pt, nFlags))
        return;
    // An element the host deleted from its callback is no longer pressed: nothing to release.
    if (!ReleasePressed(e))
        return;
    m_pPressedElement = NULL;
}

void CGraphicView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    POINT pt;
    CGraphicElement* e = EndCapture(point, pt);
    // Presses nothing: the button down before it did, and an element that reports on release
    // was reported and released by the button up between them.
    if (e != NULL && e->HitTest(&pt) && (e->options & OPT_CLICK_ON_RELEASE) == 0)
        ReportClick(e, pt, nFlags);
}

//--------------------------------------------------------------------------------------------
// Hovering

void CGraphicView::OnMouseMove(UINT nFlags, CPoint point)
{
    POINT pt = point;
    ClientToDoc(pt);
    CGraphicElement* hit = ElementAt(pt);
    if ((nFlags & MK_LBUTTON) != 0) {
        if (!TrackPressed(m_pPressedElement, hit))
            return;
        if (hit != NULL && Gone(hit))
            hit = NULL;
    }
    UpdateHover(m_pHoverElement, hit);
}

BOOL CGraphicView::UpdateHover(CGraphicElement* old, CGraphicElement* hit)
{
    if (hit == NULL) {
        if (old != NULL && !UnhighlightElement(old))
            return FALSE;
        m_pHoverElement = NULL;
        return TRUE;
    }
    if (old == NULL || old == hit) {
        if (!HighlightElement(hit, FALSE))
            return FALSE;
    } else {
        // Straight from one element to the next: the old one's look goes now, the new one is
        // highlighted by the next move or tick.
        if (!UnhighlightElement(old))
            return FALSE;
    }
    m_pHoverElement = Gone(hit) ? NULL : hit;
    return TRUE;
}

BOOL CGraphicView::HighlightElement(CGraphicElement* e, BOOL bFromTimer)
{
    if (!CanBeHighlighted(e) || e->highlighted)
        return TRUE;
    // A picture asks the host whether it has a highlighted image.
    const BOOL bBlink = e->UsesBlinkingFrame();
    if (!IsLive(this))
        return FALSE;
    if (Gone(e))
        return TRUE;
    if (bBlink) {
        // While the timer runs its ticks draw the steps, not the mouse moves.
        if (m_bTimerOn && !bFromTimer)
            return TRUE;
        SetHoverTimer(TRUE);
        ++m_blinkCount;
        // highlighted stays FALSE, so that the next tick draws the next step.
        ToggleBlinkFrame(e->region);
        return TRUE;
    }
    if (e->UsesInversion()) {
        e->highlighted = TRUE;
        if (!WithScrolledDC([e](CDC* pDC) { e->Highlight(pDC); }))
            return FALSE;
        SetHoverTimer(TRUE);
        return TRUE;
    }
    const BOOL bImage = e->HasHighlightImage();
    if (!IsLive(this))
        return FALSE;
    if (!bImage || Gone(e))
        return TRUE;
    e->highlighted = TRUE;
    if (!WithScrolledDC([e](CDC* pDC) { e->Redraw(pDC); }))
        return FALSE;
    SetHoverTimer(TRUE);
    return TRUE;
}

BOOL CGraphicView::UnhighlightElement(CGraphicElement* e)
{
    if (!CanBeHighlighted(e))
        return TRUE;
    e->highlighted = FALSE;
    const BOOL bBlink = e->UsesBlinkingFrame();
    if (!IsLive(this))
        return FALSE;
    if (Gone(e))
        return TRUE;
    if (bBlink)
        ClearBlinkFrame(e->region);
    return WithScrolledDC([e](CDC* pDC) { e->Draw(pDC, NULL); });
}

void CGraphicView::ToggleBlinkFrame(CRgn* rgn)
{
    if (rgn == NULL)
        return;
    // XOR with black leaves the border as it is and XOR with white inverts it, so four steps
    // invert, hold, restore and hold: one blink.
    m_blinkPhase = !m_blinkPhase;
    CBrush brush;
    if (!brush.CreateSolidBrush(m_blinkPhase ? RGB(0, 0, 0) : RGB(255, 255, 255)))
        return;
    CDC* pDC = GetScrolledDC();
    if (pDC == NULL)
        return;
    const int oldMode = pDC->SetROP2(R2_XORPEN);
    pDC->FrameRgn(rgn, &brush, 1, 1);
    pDC->SetROP2(oldMode);
    brush.DeleteObject();
    ReleaseDC(pDC);
}

void CGraphicView::ClearBlinkFrame(CRgn* rgn)
{
    // The steps drawn here are not counted: afterwards the steps since the last clearing are a
    // whole number of cycles, which leaves every pixel as it was, whatever the phase.
    const int n = m_blinkCount;
    m_blinkCount = 0;
    const int rest = static_cast<int>(static_cast<unsigned>(n) % kBlinkCycle);
    if (rest == 0 || rgn == NULL)
        return;
    for (int i = rest; i < kBlinkCycle; ++i)
        ToggleBlinkFrame(rgn);
}

BOOL CGraphicView::SetHoverTimer(BOOL on)
{
    if (on && !m_bTimerOn) {
        m_bTimerOn = m_hWnd != NULL && SetTimer(GRAPHIC_VIEW_TIMER_ID, kHoverPeriod, NULL) != 0;
    } else if (!on && m_bTimerOn) {
        KillTimer(GRAPHIC_VIEW_TIMER_ID);
        m_bTimerOn = FALSE;
    }
    return m_bTimerOn;
}

void CGraphicView::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == GRAPHIC_VIEW_TIMER_ID) {
        // The tick is how the view notices that the pointer left an element or the window.
        CGraphicElement* hit = ElementAtCursor();
        CGraphicElement* old = m_pHoverElement;
        BOOL bLive = TRUE;
        if (hit == NULL) {
            SetHoverTimer(FALSE);
            if (old != NULL) {
                bLive = UnhighlightElement(old);
                if (bLive)
                    m_pHoverElement = NULL;
            }
        } else if (hit == old) {
            bLive = HighlightElement(hit, TRUE);
        } else {
            bLive = (old == NULL || UnhighlightElement(old)) && HighlightElement(hit, TRUE);
            if (bLive)
                m_pHoverElement = Gone(hit) ? NULL : hit;
        }
        // A view destroyed by a callback made during the tick has no default processing left.
        if (!bLive)
            return;
    }
    CScrollView::OnTimer(nIDEvent);
}

//--------------------------------------------------------------------------------------------
// Elements leaving

void CGraphicView::ForgetPointerElement(CGraphicElement* e)
{
    if (e == NULL)
        return;
    if (e == m_pHoverElement) {
        ClearBlinkFrame(e->region);
        m_pHoverElement = NULL;
    }
    if (e == m_pPressedElement) {
        GiveUpCapture();
        m_pPressedElement = NULL;
    }
    if ((e->pressed || e->highlighted) && e->region != NULL && m_hWnd != NULL) {
        CRect box;
        e->region->GetRgnBox(&box);
        box.OffsetRect(-GetScrollPos(SB_HORZ), -GetScrollPos(SB_VERT));
        InvalidateRect(&box, TRUE);
    }
    e->pressed = FALSE;
    e->highlighted = FALSE;
}
