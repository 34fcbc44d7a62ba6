// Fixture bases for the library's tests. ViewFixture: graphic views made through the exports
// inside a test parent window; it starts the library, and ends it once the parent window (and
// every view in it) is gone. ElementFixture: elements built directly, their states interned by
// a view without a window. NoElementsFixture: no live element and no state table left by a test.
// Header only: test_support does not link the library.
#pragma once
#include <memory>

#include "TestHost.h"
#include "TestSupport.h"
#include "elements/GraphicElement.h"
#include "view/GraphicView.h"

#include <mirdalux.h>

// A new view whose window is created inside pParent at rc (the library must be started), with
// the messages that follow pumped so it has painted once.
inline CGraphicView* NewGraphicView(CWnd* pParent, const RECT& rc, UINT nID = 1,
                                    BOOL bNoBkFill = FALSE)
{
    CGraphicView* pView = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
    Grafic_Dll_NewDoc(pParent, pView, &rc, nID, bNoBkFill);
    PumpMessages();
    return pView;
}

// A polygon block with the verb and pattern words whose array points to the host's points
// (which must outlive the block's use); the rectangle, which the library does not read, is empty.
inline void FillPolygonBlock(GRAF_POLYGON& block, const char* verb, const char* pattern,
                             std::vector<POINT>& points)
{
    block.shape = {verb, {0, 0, 0, 0}, pattern};
    block.points.RemoveAll();
    for (POINT& p : points)
        block.points.Add(reinterpret_cast<CObject*>(&p));
}

// A drawing state's fields in one line, for failure messages.
inline std::string Describe(const CGraphicState& s)
{
    char buf[160];
    wsprintfA(buf, "{pen %d, fg %06X, bg %06X, rop %d, '%s' %d, style %u, sizeSet %d}", s.m_penSize,
              (unsigned)s.m_fogndColor, (unsigned)s.m_bkgndColor, s.m_penMode,
              (LPCTSTR)s.m_fontName, s.m_fontSize, s.m_textStyle, s.m_fontSizeSet);
    return buf;
}

class ViewFixture : public ::testing::Test
{
protected:
    // The parent window's client size, and the rectangle NewView() uses when given none.
    ViewFixture(int parentWidth, int parentHeight, const CRect& defaultView = CRect(0, 0, 400, 300))
        : m_parent(parentWidth, parentHeight), m_defaultView(defaultView)
    {}

    void SetUp() override { ASSERT_NE(nullptr, Grafic_Dll_Start()); }
    void TearDown() override
    {
        m_parent.Destroy();
        PumpMessages();
        Grafic_Dll_End();
    }

    CGraphicView* NewView() { return NewGraphicView(m_parent.Wnd(), m_defaultView); }
    CGraphicView* NewView(const CRect& rc, BOOL bNoBkFill = FALSE)
    {
        return NewGraphicView(m_parent.Wnd(), rc, 1, bNoBkFill);
    }

    // The last element of the view's display list; NULL when the list is empty.
    CGraphicElement* Last(CGraphicView* v)
    {
        INT_PTR n = v->m_displayList.GetSize();
        return n > 0 ? v->m_displayList.GetElement(n - 1) : nullptr;
    }

    TestParentWindow m_parent;

private:
    CRect m_defaultView;
};

// Tests that start and end with no live element and no state table.
class NoElementsFixture : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(0, g_elementCount) << "an earlier test left elements alive"; }
    void TearDown() override
    {
        EXPECT_EQ(0, g_elementCount) << "elements left alive";
        DestroyStateTable();
    }
};

class ElementFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_view = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
        ASSERT_NE(nullptr, m_view);
    }
    // The elements go before the view whose state table they index.
    void TearDown() override
    {
        m_elements.clear();
        delete m_view;
    }

    // Keeps an element built by the test until the test ends.
    template <class T> T* Keep(T* e)
    {
        m_elements.emplace_back(e);
        return e;
    }

    CGraphicView* m_view = nullptr;
    std::vector<std::unique_ptr<CGraphicElement>> m_elements;
};
