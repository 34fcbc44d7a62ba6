// CTestShape: a test-only graphic element that stands for any kind (rectangle, oval, icon, line,
// ...). It fills its bounds with one colour, carries a rectangular region when drawn with the
// active or click verb, and reports what happened to it, so that view tests need no real kind.
#pragma once
#include <afxwin.h>

#include <string>

#include "elements/GraphicElement.h"
#include "view/GraphicView.h"

class CTestShape : public CGraphicElement
{
public:
    enum Kind { kRect, kRoundRect, kOval, kPolygon, kArc, kIcon, kPicture, kLine, kState };

    // name identifies the element in assertion messages. A line ends at (bounds.right,
    // bounds.bottom); so does a state-kind test shape, which claims IsState but still draws, so
    // that a test sees whether the view skipped it or moved the pen.
    CTestShape(const char* name, int stateIndex, int verb, int pattern, const RECT& rc,
               COLORREF color, Kind kind = kRect)
        : CGraphicElement(stateIndex, verb, pattern), m_name(name), m_color(color), m_kind(kind)
    {
        bounds = rc;
        if (verb == VERB_ACTIVE || verb == VERB_CLICK) {
            CRgn* pRgn = new CRgn;
            pRgn->CreateRectRgnIndirect(&rc);
            region = pRgn;
        }
        ++s_live;
    }
    ~CTestShape() override
    {
        ReleaseResources();
        --s_live;
    }

    void Draw(CDC* pDC, const RECT*) override
    {
        // Region shapes are hollow: they show nothing.
        if (verb == VERB_ACTIVE || verb == VERB_CLICK || pDC == NULL)
            return;
        CBrush brush;
        brush.CreateSolidBrush(m_color);
        ::FillRect(pDC->m_hDC, &bounds, static_cast<HBRUSH>(brush.GetSafeHandle()));
    }
    BOOL GetEndPoint(CDC*, POINT* pOut) override
    {
        if (m_kind != kLine && m_kind != kState)
            return FALSE;
        pOut->x = bounds.right;
        pOut->y = bounds.bottom;
        return TRUE;
    }
    BOOL IsRect() override { return m_kind == kRect; }
    BOOL IsRoundRect() override { return m_kind == kRoundRect; }
    BOOL IsOval() override { return m_kind == kOval; }
    BOOL IsPolygon() override { return m_kind == kPolygon; }
    BOOL IsArc() override { return m_kind == kArc; }
    BOOL IsIcon() override { return m_kind == kIcon; }
    BOOL IsPicture() override { return m_kind == kPicture; }
    BOOL IsState() override { return m_kind == kState; }
    void ReleaseResources() override { SetRegion(NULL); }

    std::string m_name;
    COLORREF m_color;
    Kind m_kind;

    inline static int s_live = 0;
};

// Builds a test shape with the view's interned state and appends it as the drawing exports do.
inline CTestShape* AddTestShape(CGraphicView* pView, const char* name, const RECT& rc,
                                COLORREF color, CTestShape::Kind kind = CTestShape::kRect,
                                int verb = VERB_PAINT, int pattern = PAT_BLACK,
                                BOOL bDrawNow = TRUE)
{
    CTestShape* e = new CTestShape(name, pView->InternState(), verb, pattern, rc, color, kind);
    pView->AddElement(e, bDrawNow);
    return e;
}

// The names of the display list's elements, in order, joined by spaces ("state" for state
// elements that are not test shapes).
inline std::string DisplayListNames(CGraphicView* pView)
{
    std::string names;
    for (INT_PTR i = 0; i < pView->m_displayList.GetSize(); ++i) {
        CGraphicElement* e = pView->m_displayList.GetElement(i);
        CTestShape* shape = dynamic_cast<CTestShape*>(e);
        if (!names.empty())
            names += ' ';
        names += shape != NULL ? shape->m_name : std::string("state");
    }
    return names;
}
