// The drawing state record, the library-wide state table that interns copies of it, and the
// code tables (verbs, patterns, text styles, options) that every element carries.
#pragma once
#include <afxwin.h>
#include <afxcoll.h>

// The verb, pattern, text style and option codes (VERB_*, PAT_*, STYLE_*, OPT_*) are the host's
// too: they live in the host header.
#include <mirdalux.h>

// One drawing state. The view keeps its current one; the table keeps interned copies.
// Constructing one creates the state table when none exists.
class AFX_EXT_CLASS CGraphicState : public CObject
{
public:
    CGraphicState();
    virtual ~CGraphicState();

    // Every field but the face name compared as numbers; the face names byte for byte.
    virtual BOOL IsEqual(const CGraphicState& other) const;
    virtual void Assign(const CGraphicState& other);

    // A hash of exactly the fields IsEqual compares: equal states hash alike.
    UINT HashKey() const;

    int m_penSize;          // pen width in logical units
    COLORREF m_fogndColor;  // pen, text, solid and pattern fills
    COLORREF m_bkgndColor;  // erase and white fills
    int m_penMode;          // ROP2 code
    CString m_fontName;     // face name as the host gave it
    int m_fontSize;         // points
    UINT m_textStyle;       // STYLE_* bits
    BOOL m_fontSizeSet;     // the host chose a size: the font height follows the device resolution
};

class CStateIndex;

// The library-wide table of interned states. Entries are owned CGraphicState pointers; an
// index stays valid for as long as the table lives. A hash index beside the array makes
// AddUnique, Find and Remove constant time on average while returning exactly what a linear
// search from index 0 would. Every edit the class offers keeps that index right; the array
// members that hand out writable slots (ElementAt, GetData, the writable operator[]) are closed.
// Edits made through a CObArray reference bypass the index: a change of size or storage, or a
// replaced entry that a search meets, is noticed and the index rebuilt; a replaced entry that
// no search meets (a record swapped in where no equal one was indexed) is not.
class AFX_EXT_CLASS CGraphicStateTable : public CObArray
{
public:
    CGraphicStateTable();
    // Destroys the array and its index only; DestroyStateTable deletes the records first.
    virtual ~CGraphicStateTable();

    // The index of the first entry equal to rec. When one exists rec is deleted (unless it is
    // that entry itself); otherwise rec is appended. -1 for a null rec or when the array cannot
    // grow (rec is then deleted).
    virtual int AddUnique(CGraphicState* rec);
    // Takes the first entry equal to rec out of the array without deleting it.
    virtual void Remove(CGraphicState* rec);
    // Deletes every record and empties the array.
    virtual void DeleteAll();

    // The index of the first entry equal to state, or -1: through the hash index, and by the
    // plain linear search that it must always agree with.
    INT_PTR Find(const CGraphicState& state) const;
    INT_PTR FindLinear(const CGraphicState& state) const;

    // Reading. A bad index asserts in debug builds and gives NULL in release builds.
    const CGraphicState* GetAt(INT_PTR nIndex) const;
    const CGraphicState* operator[](INT_PTR nIndex) const { return GetAt(nIndex); }

    // Direct edits, each keeping the hash index right. A record pointer may appear at one index
    // only: storing one that the table already holds elsewhere asserts and does nothing.
    void SetAt(INT_PTR nIndex, CGraphicState* newElement);
    void SetAtGrow(INT_PTR nIndex, CGraphicState* newElement);
    INT_PTR Add(CGraphicState* newElement);
    void InsertAt(INT_PTR nIndex, CGraphicState* newElement, INT_PTR nCount = 1);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void RemoveAll() { SetSize(0, -1); }

    CObject*& ElementAt(INT_PTR nIndex) = delete;
    CObject** GetData() = delete;
    INT_PTR Append(const CObArray& src) = delete;
    void Copy(const CObArray& src) = delete;
    void InsertAt(INT_PTR nStartIndex, const CObArray* pNewArray) = delete;

private:
    // True when rec is stored at some index other than nExcept.
    BOOL HoldsPointer(const CGraphicState* rec, INT_PTR nExcept) const;
    void IndexEntry(INT_PTR nIndex) const;
    void UnindexEntry(INT_PTR nIndex) const;
    void SyncCoverage() const;
    void RebuildIndex() const;
    void CheckIndex() const;

    CStateIndex* m_pIndex;
};

// The table, or NULL while none exists.
AFX_EXT_API CGraphicStateTable* AFXAPI GetStateTable();
// The record at index, or NULL when no table exists or it holds no record there.
AFX_EXT_API const CGraphicState* AFXAPI LookupState(int index);
// Deletes every record and the table itself; nothing when no table exists. The next
// CGraphicState constructed creates a fresh table whose indices start again at 0.
AFX_EXT_API void AFXAPI DestroyStateTable();
