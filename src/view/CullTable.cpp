#include "view/CullTable.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "elements/GraphicElement.h"
#include "view/GraphicElementList.h"

namespace {

const RECT kPlane = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};

LONG Clamp(int64_t v)
{
    return (LONG)std::max<int64_t>(INT_MIN, std::min<int64_t>(INT_MAX, v));
}

}  // namespace

RECT CullTable::PaintArea(CGraphicElement* e)
{
    RECT none = {0, 0, 0, 0};
    if (e == NULL || e->IsState())
        return none;
    const CGraphicState* state = LookupState(e->stateIndex);
    if (e->IsPicture() || state == NULL || (e->IsText() && e->bounds.right <= e->bounds.left))
        return kPlane;
    // Lines keep their end points as bounds, in either order. A font of s points is at most 2s
    // pixels high on screens up to 144 dpi; descent, overhang and slant each stay within a
    // height, shadowed and outlined styles within a few pixels more.
    const int64_t margin =
        std::llabs(int64_t(state->m_penSize)) + 4 * std::llabs(int64_t(state->m_fontSize)) + 8;
    const CRect& b = e->bounds;
    RECT r;
    r.left = Clamp(int64_t(std::min(b.left, b.right)) - margin);
    r.top = Clamp(int64_t(std::min(b.top, b.bottom)) - margin);
    r.right = Clamp(int64_t(std::max(b.left, b.right)) + margin + 1);
    r.bottom = Clamp(int64_t(std::max(b.top, b.bottom)) + margin + 1);
    return r;
}

void CullTable::Appended(CGraphicElement* e, INT_PTR index)
{
    if (!m_valid || index != m_covered)
        return Invalidate();
    try {
        if (index % kRun == 0)
            m_runs.push_back(RECT{0, 0, 0, 0});
        const RECT area = PaintArea(e);
        ::UnionRect(&m_runs.back(), &m_runs.back(), &area);  // an empty box adds nothing
        ++m_covered;
    } catch (...) {
        Invalidate();
    }
}

bool CullTable::Matches(const CGraphicElementList& list) const
{
    return m_valid && m_covered == list.GetSize();
}

bool CullTable::Prepare(const CGraphicElementList& list)
{
    if (Matches(list))
        return true;
    m_valid = true;
    m_covered = 0;
    try {
        m_runs.clear();
        m_runs.reserve(size_t(list.GetSize() / kRun + 1));
    } catch (...) {
        m_valid = false;
        return false;
    }
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        Appended(list.GetElement(i), i);
    return m_valid;
}

bool CullTable::RunTouches(INT_PTR index, const RECT& clip) const
{
    const size_t run = size_t(index / kRun);
    if (!m_valid || run >= m_runs.size())
        return true;
    const RECT& r = m_runs[run];
    return r.left < r.right && r.top < r.bottom && r.left < clip.right && clip.left < r.right &&
           r.top < clip.bottom && clip.top < r.bottom;
}
