// CullTable: boxes over runs of the display list, so that repainting a small part of a long list
// visits only the runs that can paint there, still in list order. Each run of kRun consecutive
// entries keeps the union of the areas its elements can paint: the bounds widened by what the
// pen, the font's descent and overhang, a slanted or shadowed style can add, or the whole plane
// for a picture (whose drawing asks the host, visible or not: a picture's bounds may change
// without the boxes knowing) and for an element whose area cannot be known.
#pragma once
#include <afxwin.h>

#include <vector>

class CGraphicElement;
class CGraphicElementList;

class AFX_EXT_CLASS CullTable
{
public:
    static const INT_PTR kRun = 64;

    // The boxes no longer match the list: the next Prepare builds them again. Deletions need no
    // call: they change the list's length, which the boxes are checked against.
    void Invalidate() { m_valid = false; }
    // Whether the boxes are those of the list as it is.
    bool Matches(const CGraphicElementList& list) const;
    // Element e joined the end of the list as entry index.
    void Appended(CGraphicElement* e, INT_PTR index);
    // Brings the boxes up to date with the list; false when there is no memory for them.
    bool Prepare(const CGraphicElementList& list);
    // Whether the run holding entry index can paint inside clip (document coordinates).
    bool RunTouches(INT_PTR index, const RECT& clip) const;

    // The area e can paint in, as a box; the whole plane when it cannot be bounded.
    static RECT PaintArea(CGraphicElement* e);

private:
    std::vector<RECT> m_runs;
    INT_PTR m_covered = 0;  // list entries the boxes account for
    bool m_valid = true;
};
