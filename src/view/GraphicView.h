// CGraphicView: the scrolling window that owns a display list of graphic elements and the
// drawing state the next element will carry; appends, deletes, paints, and keeps the scroll
// range following the elements.
#pragma once
#include <afxwin.h>

#include <functional>

#include "elements/GraphicElement.h"
#include "state/GraphicState.h"
#include "view/GraphicElementList.h"
#include "view/CullTable.h"
#include "view/RegionIndex.h"

class CPictureElement;
struct IconParams;
struct ShapeParams;
struct RoundRectParams;
struct ArcParams;
struct PolygonParams;
struct TextBoxParams;

// The hover timer of every view.
const UINT_PTR GRAPHIC_VIEW_TIMER_ID = 1996;

class AFX_EXT_CLASS CGraphicView : public CScrollView
{
    DECLARE_DYNCREATE(CGraphicView)

public:
    CGraphicView();
    // Deletes every element of both lists.
    virtual ~CGraphicView();

    virtual void OnInitialUpdate();
    // Background (unless m_bNoBkFill), then every element but state elements, in list order.
    // On the screen in MM_TEXT; a printing context (printer or preview) keeps the mapping its
    // caller set.
    virtual void OnDraw(CDC* pDC);

    // Printing (GraphicViewPrint.cpp). The whole display list is one page, drawn at the scale
    // of the screen: one screen pixel is printer LOGPIXELSX / screen LOGPIXELSX dots both ways.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Ends a preview opened by OpenPreview: the frame leaves preview mode with its old active
    // view back, the preview window goes, the frame shows its idle message again.
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);
    // A print job or preview disables the view's window while it runs.
    virtual void BeginModalState();
    virtual void EndModalState();
    // Opens the print preview of this view in its parent frame, replacing the pane paneId
    // (sign-extended low 16 bits). Nothing when the parent is not a frame, the frame is
    // previewing already, or any step fails; the frame is then as it was.
    void OpenPreview(LONG paneId);
    // Closes the preview this view's frame shows of it, if any.
    void ClosePreview();

    // Appending. AddElement ignores a null element; otherwise the element takes the view's
    // option bits, the pen follows its end point, it joins the display list, is drawn at once
    // when bDrawNow, and widens the scroll range. State elements move neither pen nor range.
    void AddElement(CGraphicElement* e, BOOL bDrawNow);
    // Runs op on the view's scrolled context (NULL without a window) and gives the context back.
    // False when op destroyed the view (a host's callback may): the context is then given back
    // by the window handle alone, without touching the view.
    BOOL WithScrolledDC(const std::function<void(CDC*)>& op);
    // Draws the element on the scrolled context, as WithScrolledDC runs it.
    BOOL DrawScrolled(CGraphicElement* e, const RECT* pClip);
    void FollowPen(CGraphicElement* e);
    void SetPenLocation(POINT pt);
    // Index of a state-table record equal to m_state (interned now); -1 when none can be made.
    int InternState();
    // Appends a state element without drawing it.
    void AppendStateElement();

    // The closed shapes of the host's calls: each interns the state, builds the element from
    // the record and appends it, drawn at once. A null record or failed allocation: nothing.
    void AddRectangle(const ShapeParams* p);
    void AddOval(const ShapeParams* p);
    void AddRoundRectangle(const RoundRectParams* p);
    void AddArc(const ArcParams* p);
    // The elements built from points, appended and drawn at once. AddLine takes the start point
    // in left/top and the end point in right/bottom; the point lists are read, not kept. A null
    // argument or failed allocation: nothing.
    void AddLine(const RECT* pts);
    void AddPolyline(const CObArray* pointList);
    void AddPolygon(const PolygonParams* p);
    // A line of text whose baseline starts at the pen location, and a text box: built, appended
    // and drawn at once like the shapes. A null record or failed allocation: nothing.
    void AddText(const CString& text);
    void AddTextBox(const TextBoxParams* p);

    // Icons and pictures, appended and drawn at once (see the host header for what each does).
    // Host callbacks run inside them: when one destroys the view they return at once.
    void AddIcon(const IconParams* p);
    void SetIcon(int iconNumber);
    int CountIcons();
    void AddPicture(const GRAF_PICTURE* p);
    BOOL SetPict(int number, HGLOBAL hDib, int index);
    void DefineCurPict(POINT pos, int regionId);
    void UpdateCurPict(HGLOBAL hDib, const RECT* pRect, int index);
    void UpdatePictSize(const RECT* pRect);
    // The display list's only entry when it is a picture, else NULL.
    CPictureElement* OnlyPicture();
    // TRUE while pView is a constructed view whose window, if it had one, is not destroyed.
    static BOOL IsLive(const CGraphicView* pView);

    // Drawing-state changes made by the setters.
    // With STYLE_PLAIN in set, the style becomes set; otherwise the bits of set are added.
    void MergeTextStyle(int set);
    // Sets (on) or clears the option bits of the listed option numbers (0 means all three); an
    // empty list sets all three bits or none.
    void SetOptionBits(BOOL on, const CUIntArray& list);
    // Face "Arial", 12 points, STYLE_PLAIN, no size chosen.
    void ResetTextState();
    // Stores the face for a host's face name (see MapFaceName).
    void SetTextFont(const CString& name);
    // The face stored for a host's face name: "Arial" for an empty name, GENEVA or MONACO;
    // "COURIER" for CALFIXEDSYS; otherwise the name upper-cased. Compares after upper-casing.
    static CString MapFaceName(const CString& name);

    // With e, widens the range by e's right and bottom edges; with NULL, recomputes it from
    // the whole display list. No range at all while m_bScrollable is FALSE.
    void UpdateScrollSizes(CGraphicElement* e);

    // Painting.
    void FillBackground(CDC* pDC, const RECT* r);
    void DrawElements(CDC* pDC, const RECT* pClip);
    // Fills the client area with the background colour and draws every element on the host's
    // context as the host prepared it.
    void RepaintView(CDC* pDC);
    // Invalidates and erases the whole window and repaints it at once.
    void FullRepaint();
    // Shows the vertical scroll bar of a new view. The bar stays until the scroll sizes are
    // next set: the size change it causes does not recompute them.
    void ShowVerticalBar();

    // Deletion. Elements leave the display list for the discarded list and live until the view
    // dies. Element numbers (0-based here) count every entry that is not a region shape.
    void PurgeDiscarded();
    // The same, one element at a time, for when the discarded list cannot grow by the block.
    void PurgeDiscardedInPlace();
    void DeleteAllElements();
    void DeleteListedElements(const CUIntArray* pNumbers, BOOL bPartial);
    void DeleteLastElement(BOOL bPartial);
    void DeleteAllActivRgns();
    void DeleteAllClickRgns();
    void DeleteListedActivRgns(const CUIntArray* pIds);
    void DeleteListedClickRgns(const CUIntArray* pIds);
    // An element whose verb is VERB_ACTIVE or VERB_CLICK and which is a rectangle, rounded
    // rectangle, oval, polygon or arc: the host's hit areas, never counted or deleted as
    // elements.
    static BOOL IsRegionShape(CGraphicElement* e);

    // A device context of the view's window whose origin follows the scroll position, so that
    // document coordinates draw where painting shows them; NULL without a window. Release it
    // with ReleaseDC right after use.
    CDC* GetScrolledDC();
    // Client to document coordinates: adds the scroll positions.
    void ClientToDoc(POINT& pt);

    // Pointer interaction. The element under document point p: the first one in list order
    // whose region holds p; NULL when there is none, or when that first one is an active picture
    // whose pixel at p is transparent (later elements are not asked).
    // Answered through the hit-test index; ElementAtByWalk gives the same answer by asking
    // every element in list order.
    CGraphicElement* ElementAt(POINT p);
    CGraphicElement* ElementAtByWalk(POINT p);
    // Brings the hit-test index up to date with e after e joined the display list, left it
    // (discarded) or changed its region: an element not yet indexed takes the next append
    // number, a discarded one leaves the index, any other keeps its number and takes the box of
    // the region it holds now. Every such change in the view goes through here.
    void SetRegion(CGraphicElement* e);
    // Starts (on) or stops the hover timer; TRUE while it runs.
    BOOL SetHoverTimer(BOOL on);

    // Fields, in this order.
    POINT m_penLocation;
    CGraphicElementList m_displayList;
    CGraphicElementList m_discardedList;
    CGraphicState m_state;
    CGraphicElement* m_pPressedElement;
    CGraphicElement* m_pHoverElement;
    BOOL m_bCapture;
    UINT m_defaultOptions;
    COLORREF m_viewBkColor;
    BOOL m_bTimerOn;
    int m_blinkCount;
    BOOL m_blinkPhase;
    CPictureElement* m_pCurPict;
    BOOL m_bScrollable;
    LONG_PTR m_outputId;
    CString m_outputName;
    BOOL m_bNoBkFill;
    // The boxes of the display list's regions, keyed by append number (m_nextRegionKey is the
    // next one), so that deleting elements renumbers nothing.
    RegionIndex m_regionIndex;
    RegionIndex::Key m_nextRegionKey;
    // The areas runs of the display list can paint, for repainting part of the window.
    CullTable m_cullTable;

protected:
    // Every message the view handles: a host's callback made while one is handled may destroy
    // the window, and the object (with its elements) is then deleted only when the outermost
    // handler returns, so that the code returning through the handlers touches live memory.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window is gone: IsLive answers FALSE from here on; the object is deleted now, or when
    // the outermost handler returns.
    virtual void PostNcDestroy();
    // The background is painted by OnDraw: erasing would only flicker.
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    // Stops the hover timer, gives up the capture and forgets the pressed and hovered elements.
    afx_msg void OnDestroy();
    // The hand cursor over any element that ElementAt finds at the pointer's position.
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    // Follows the pointer: the pressed element while the left button is held, then the hover.
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    // Presses the element under the pointer and releases the one pressed before.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    // Reports a click on an element that reports on release, and releases it.
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    // Reports a double click on the pressed element when it reports on double click.
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    // The hover timer's tick: the next blink step, or the end of a highlight.
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    // Another window took the capture while a press was tracked: the press ends as a release
    // outside the element would.
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()

private:
    // Marks (or, for icons and pictures, strips) the elements carrying a region of this verb:
    // all of them when bAll, else those whose identifier is in pIds.
    void DeleteRegions(int regionVerb, BOOL bAll, const CUIntArray* pIds);
    // Invalidates a document rectangle (shifted to client coordinates) and repaints it now.
    void RepaintDocRect(const CRect& rc);
    void RegisterLive(BOOL bLive);
    // Indexes the display list afresh, numbered in list order (which is append order), after
    // the index lost its entries to a failed allocation. FALSE when it failed again.
    BOOL RebuildRegionIndex();
    // Appends an icon or picture made just before, unless its request destroyed the view.
    void AppendImage(CGraphicElement* e, BOOL bDrawNow);

    // The pointer's operations (GraphicViewPointer.cpp). Each returns FALSE when a host callback
    // made inside it destroyed the view, which the caller then no longer touches.
    BOOL PressElement(CGraphicElement* e);
    BOOL ReleasePressed(CGraphicElement* e);
    BOOL TrackPressed(CGraphicElement* pressed, CGraphicElement* hit);
    BOOL UpdateHover(CGraphicElement* old, CGraphicElement* hit);
    BOOL HighlightElement(CGraphicElement* e, BOOL bFromTimer);
    BOOL UnhighlightElement(CGraphicElement* e);
    void ToggleBlinkFrame(CRgn* rgn);
    void ClearBlinkFrame(CRgn* rgn);
    // Gives up the capture a press took, the flag cleared first, so that the view's own release
    // is not taken for a loss.
    void GiveUpCapture();
    // Gives up the capture a press took; the pressed element, with point in document coordinates.
    CGraphicElement* EndCapture(CPoint point, POINT& pt);
    // Reports a click on e to the host through its callback slot for e's verb.
    BOOL ReportClick(CGraphicElement* e, POINT pt, UINT nFlags);
    // The element under the pointer's screen position, in document coordinates.
    CGraphicElement* ElementAtCursor();
    // Called before e leaves the display list or loses its region: it stops being the pressed
    // or hovered element, its blink frame is completed, its capture given up, and a pressed or
    // highlighted look is invalidated so that the next paint shows it plain.
    void ForgetPointerElement(CGraphicElement* e);
};
