// The drawing state record, the state table with its hash index, and the table's lifetime.
#include "state/GraphicState.h"

#include <string.h>

#include <new>
#include <unordered_map>
#include <vector>

namespace {

CGraphicStateTable* g_pStateTable = NULL;

UINT MixHash(UINT hash, UINT value)
{
    // FNV-1a over the four bytes of value.
    for (int i = 0; i < 4; ++i) {
        hash ^= (value >> (8 * i)) & 0xFF;
        hash *= 16777619u;
    }
    return hash;
}

}  // namespace

// Indices of the table's non-null entries grouped by hash key, each group in ascending order,
// so the first equal member of a group is the first equal entry of the table. Beside the groups,
// one slot per array entry remembers the pointer and key it was indexed with: taking an entry
// out never reads its record, which the caller may already have deleted, and the array storage
// and size noted here reveal edits that bypassed the table.
class CStateIndex
{
public:
    struct Slot {
        const CObject* rec;
        UINT key;
    };
    std::unordered_map<UINT, std::vector<INT_PTR>> groups;
    std::vector<Slot> slots;
    CObject** coveredData = NULL;
    bool valid = true;

    void Invalidate()
    {
        groups.clear();
        slots.clear();
        valid = false;
    }
};

/////////////////////////////////////////////////////////////////////////////
// CGraphicState

CGraphicState::CGraphicState()
    : m_penSize(1), m_fogndColor(RGB(0, 0, 0)), m_bkgndColor(RGB(255, 255, 255)),
      m_penMode(R2_COPYPEN), m_fontName("Arial"), m_fontSize(12), m_textStyle(STYLE_PLAIN),
      m_fontSizeSet(FALSE)
{
    if (g_pStateTable == NULL)
        g_pStateTable = new (std::nothrow) CGraphicStateTable;
}

CGraphicState::~CGraphicState() {}

BOOL CGraphicState::IsEqual(const CGraphicState& other) const
{
    return m_penSize == other.m_penSize && m_fogndColor == other.m_fogndColor &&
           m_bkgndColor == other.m_bkgndColor && m_penMode == other.m_penMode &&
           m_fontSize == other.m_fontSize && m_textStyle == other.m_textStyle &&
           m_fontSizeSet == other.m_fontSizeSet &&
           strcmp((LPCTSTR)m_fontName, (LPCTSTR)other.m_fontName) == 0;
}

void CGraphicState::Assign(const CGraphicState& other)
{
    m_penSize = other.m_penSize;
    m_fogndColor = other.m_fogndColor;
    m_bkgndColor = other.m_bkgndColor;
    m_penMode = other.m_penMode;
    m_fontName = other.m_fontName;
    m_fontSize = other.m_fontSize;
    m_textStyle = other.m_textStyle;
    m_fontSizeSet = other.m_fontSizeSet;
}

UINT CGraphicState::HashKey() const
{
    UINT hash = 2166136261u;
    hash = MixHash(hash, (UINT)m_penSize);
    hash = MixHash(hash, (UINT)m_fogndColor);
    hash = MixHash(hash, (UINT)m_bkgndColor);
    hash = MixHash(hash, (UINT)m_penMode);
    hash = MixHash(hash, (UINT)m_fontSize);
    hash = MixHash(hash, m_textStyle);
    hash = MixHash(hash, (UINT)m_fontSizeSet);
    // The face name up to its terminator, as the byte comparison of IsEqual sees it.
    for (const unsigned char* p = (const unsigned char*)(LPCTSTR)m_fontName; *p != 0; ++p) {
        hash ^= *p;
        hash *= 16777619u;
    }
    return hash;
}

/////////////////////////////////////////////////////////////////////////////
// CGraphicStateTable

CGraphicStateTable::CGraphicStateTable() : m_pIndex(new (std::nothrow) CStateIndex) {}

CGraphicStateTable::~CGraphicStateTable()
{
    delete m_pIndex;
}

void CGraphicStateTable::IndexEntry(INT_PTR nIndex) const
{
    if (m_pIndex == NULL || !m_pIndex->valid)
        return;
    const CGraphicState* rec = static_cast<const CGraphicState*>(m_pData[nIndex]);
    try {
        if ((INT_PTR)m_pIndex->slots.size() <= nIndex)
            m_pIndex->slots.resize((size_t)nIndex + 1, CStateIndex::Slot{NULL, 0});
        if (rec == NULL) {
            m_pIndex->slots[nIndex] = CStateIndex::Slot{NULL, 0};
            return;
        }
        const UINT key = rec->HashKey();
        std::vector<INT_PTR>& group = m_pIndex->groups[key];
        std::vector<INT_PTR>::iterator pos = group.end();
        while (pos != group.begin() && *(pos - 1) > nIndex)
            --pos;
        group.insert(pos, nIndex);
        m_pIndex->slots[nIndex] = CStateIndex::Slot{rec, key};
    } catch (...) {
        // Out of memory: searches fall back to the linear search until a rebuild succeeds.
        m_pIndex->Invalidate();
    }
}

void CGraphicStateTable::UnindexEntry(INT_PTR nIndex) const
{
    if (m_pIndex == NULL || !m_pIndex->valid || nIndex >= (INT_PTR)m_pIndex->slots.size())
        return;
    CStateIndex::Slot& slot = m_pIndex->slots[nIndex];
    if (slot.rec == NULL)
        return;
    std::unordered_map<UINT, std::vector<INT_PTR>>::iterator it = m_pIndex->groups.find(slot.key);
    if (it != m_pIndex->groups.end()) {
        std::vector<INT_PTR>& group = it->second;
        for (std::vector<INT_PTR>::iterator pos = group.begin(); pos != group.end(); ++pos) {
            if (*pos == nIndex) {
                group.erase(pos);
                break;
            }
        }
        if (group.empty())
            m_pIndex->groups.erase(it);
    }
    slot = CStateIndex::Slot{NULL, 0};
}

void CGraphicStateTable::SyncCoverage() const
{
    if (m_pIndex == NULL || !m_pIndex->valid)
        return;
    try {
        m_pIndex->slots.resize((size_t)m_nSize, CStateIndex::Slot{NULL, 0});
        m_pIndex->coveredData = m_pData;
    } catch (...) {
        m_pIndex->Invalidate();
    }
}

void CGraphicStateTable::RebuildIndex() const
{
    if (m_pIndex == NULL)
        return;
    m_pIndex->groups.clear();
    m_pIndex->slots.clear();
    m_pIndex->valid = true;
    SyncCoverage();
    for (INT_PTR i = 0; i < m_nSize && m_pIndex->valid; ++i)
        IndexEntry(i);
}

void CGraphicStateTable::CheckIndex() const
{
    if (m_pIndex == NULL)
        return;
    if (!m_pIndex->valid || m_pIndex->coveredData != m_pData ||
        (INT_PTR)m_pIndex->slots.size() != m_nSize)
        RebuildIndex();
}

INT_PTR CGraphicStateTable::FindLinear(const CGraphicState& state) const
{
    for (INT_PTR i = 0; i < m_nSize; ++i) {
        const CGraphicState* entry = static_cast<const CGraphicState*>(m_pData[i]);
        if (entry != NULL && entry->IsEqual(state))
            return i;
    }
    return -1;
}

INT_PTR CGraphicStateTable::Find(const CGraphicState& state) const
{
    CheckIndex();
    const UINT key = state.HashKey();
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (m_pIndex == NULL || !m_pIndex->valid)
            return FindLinear(state);
        std::unordered_map<UINT, std::vector<INT_PTR>>::const_iterator it =
            m_pIndex->groups.find(key);
        if (it == m_pIndex->groups.end())
            return -1;
        bool stale = false;
        for (INT_PTR i : it->second) {
            const CGraphicState* entry = static_cast<const CGraphicState*>(m_pData[i]);
            if (entry != m_pIndex->slots[i].rec) {
                // The entry was replaced behind the table's back.
                stale = true;
                break;
            }
            if (entry->IsEqual(state))
                return i;
        }
        if (!stale)
            return -1;
        RebuildIndex();
    }
    return FindLinear(state);
}

BOOL CGraphicStateTable::HoldsPointer(const CGraphicState* rec, INT_PTR nExcept) const
{
    CheckIndex();
    if (m_pIndex == NULL || !m_pIndex->valid) {
        for (INT_PTR i = 0; i < m_nSize; ++i) {
            if (i != nExcept && m_pData[i] == rec)
                return TRUE;
        }
        return FALSE;
    }
    // A stored pointer is indexed under its own hash key.
    std::unordered_map<UINT, std::vector<INT_PTR>>::const_iterator it =
        m_pIndex->groups.find(rec->HashKey());
    if (it == m_pIndex->groups.end())
        return FALSE;
    for (INT_PTR i : it->second) {
        if (i != nExcept && m_pData[i] == rec)
            return TRUE;
    }
    return FALSE;
}

int CGraphicStateTable::AddUnique(CGraphicState* rec)
{
    if (rec == NULL)
        return -1;
    INT_PTR found = Find(*rec);
    if (found >= 0) {
        if (!HoldsPointer(rec, -1))
            delete rec;
        return (int)found;
    }
    // No equal entry, so rec cannot already be stored here.
    INT_PTR nIndex = m_nSize;
    try {
        CObArray::SetAtGrow(nIndex, rec);
    } catch (CException* e) {
        e->Delete();
        delete rec;
        return -1;
    }
    SyncCoverage();
    IndexEntry(nIndex);
    return (int)nIndex;
}

void CGraphicStateTable::Remove(CGraphicState* rec)
{
    if (rec == NULL)
        return;
    INT_PTR found = Find(*rec);
    if (found >= 0)
        RemoveAt(found, 1);
}

void CGraphicStateTable::DeleteAll()
{
    for (INT_PTR i = 0; i < m_nSize; ++i) {
        delete m_pData[i];
        m_pData[i] = NULL;
    }
    CObArray::SetSize(0, -1);
    RebuildIndex();
}

const CGraphicState* CGraphicStateTable::GetAt(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nSize) {
        ASSERT(FALSE);
        return NULL;
    }
    return static_cast<const CGraphicState*>(m_pData[nIndex]);
}

void CGraphicStateTable::SetAt(INT_PTR nIndex, CGraphicState* newElement)
{
    CheckIndex();
    if (nIndex < 0 || nIndex >= m_nSize ||
        (newElement != NULL && HoldsPointer(newElement, nIndex))) {
        ASSERT(FALSE);
        return;
    }
    UnindexEntry(nIndex);
    m_pData[nIndex] = newElement;
    IndexEntry(nIndex);
}

void CGraphicStateTable::SetAtGrow(INT_PTR nIndex, CGraphicState* newElement)
{
    CheckIndex();
    if (nIndex < 0 || (newElement != NULL && HoldsPointer(newElement, nIndex))) {
        ASSERT(FALSE);
        return;
    }
    if (nIndex < m_nSize) {
        SetAt(nIndex, newElement);
        return;
    }
    CObArray::SetAtGrow(nIndex, newElement);
    SyncCoverage();
    IndexEntry(nIndex);
}

INT_PTR CGraphicStateTable::Add(CGraphicState* newElement)
{
    INT_PTR nIndex = m_nSize;
    if (newElement != NULL && HoldsPointer(newElement, -1)) {
        ASSERT(FALSE);
        return -1;
    }
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

void CGraphicStateTable::InsertAt(INT_PTR nIndex, CGraphicState* newElement, INT_PTR nCount)
{
    // One pointer inserted more than once would be deleted more than once by DeleteAll.
    if (nIndex < 0 || nCount <= 0 ||
        (newElement != NULL && (nCount > 1 || HoldsPointer(newElement, -1)))) {
        ASSERT(nCount == 0);
        return;
    }
    CObArray::InsertAt(nIndex, newElement, nCount);
    // Every later index moved: cheaper to rebuild than to shift each group.
    RebuildIndex();
}

void CGraphicStateTable::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nCount > m_nSize - nIndex) {
        ASSERT(FALSE);
        return;
    }
    CObArray::RemoveAt(nIndex, nCount);
    RebuildIndex();
}

void CGraphicStateTable::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0) {
        ASSERT(FALSE);
        return;
    }
    CheckIndex();
    for (INT_PTR i = nNewSize; i < m_nSize; ++i)
        UnindexEntry(i);
    CObArray::SetSize(nNewSize, nGrowBy);
    SyncCoverage();
}

/////////////////////////////////////////////////////////////////////////////
// The library-wide table

CGraphicStateTable* AFXAPI GetStateTable()
{
    return g_pStateTable;
}

const CGraphicState* AFXAPI LookupState(int index)
{
    if (g_pStateTable == NULL || index < 0 || index >= g_pStateTable->GetSize())
        return NULL;
    return g_pStateTable->GetAt(index);
}

void AFXAPI DestroyStateTable()
{
    if (g_pStateTable == NULL)
        return;
    CGraphicStateTable* table = g_pStateTable;
    g_pStateTable = NULL;
    table->DeleteAll();
    delete table;
}
