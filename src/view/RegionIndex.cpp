// RegionIndex: placing boxes in the cells of their level and merging the cells that hold a
// point in key order.
#include "view/RegionIndex.h"

#include <algorithm>
#include <new>

namespace {

bool BoxHolds(const RECT& box, POINT p)
{
    return p.x >= box.left && p.x < box.right && p.y >= box.top && p.y < box.bottom;
}

}  // namespace

RegionIndex::RegionIndex() : m_broken(false)
{
    std::fill(m_levelCount, m_levelCount + kLevels, size_t(0));
}

bool RegionIndex::Holds(void* item) const
{
    return m_entries.count(item) != 0;
}

size_t RegionIndex::Size() const
{
    return m_entries.size();
}

bool RegionIndex::IsBroken() const
{
    return m_broken;
}

int RegionIndex::LevelOf(const RECT& box)
{
    if (box.right <= box.left || box.bottom <= box.top)
        return -1;
    // Widths are taken in 64 bits: a box across the whole 32-bit plane is 2^32 - 1 wide.
    const int64_t extent = std::max(int64_t(box.right) - box.left, int64_t(box.bottom) - box.top);
    int level = kMinLevel;
    while ((int64_t(1) << level) < extent)
        level += 2;
    return level;
}

uint64_t RegionIndex::CellKey(int64_t cx, int64_t cy)
{
    return (uint64_t(uint32_t(cx)) << 32) | uint32_t(cy);
}

void RegionIndex::ForEachCell(const Entry& entry, bool create,
                              const std::function<void(std::vector<Ref>&)>& op)
{
    CellMap& cells = m_cells[entry.level];
    // An arithmetic shift rounds toward minus infinity, so negative coordinates find their cell.
    const int64_t x0 = int64_t(entry.box.left) >> entry.level;
    const int64_t x1 = (int64_t(entry.box.right) - 1) >> entry.level;
    const int64_t y0 = int64_t(entry.box.top) >> entry.level;
    const int64_t y1 = (int64_t(entry.box.bottom) - 1) >> entry.level;
    for (int64_t cx = x0; cx <= x1; ++cx) {
        for (int64_t cy = y0; cy <= y1; ++cy) {
            const uint64_t key = CellKey(cx, cy);
            if (create) {
                op(cells[key]);
                continue;
            }
            CellMap::iterator it = cells.find(key);
            if (it == cells.end())
                continue;
            op(it->second);
            if (it->second.empty())
                cells.erase(it);
        }
    }
}

void RegionIndex::Place(const Entry& entry)
{
    if (entry.level < 0)
        return;
    const Ref ref = {entry.key, entry.box, entry.item, entry.exact};
    ForEachCell(entry, true, [&ref](std::vector<Ref>& list) {
        // Appends come in key order: the end is nearly always the place.
        if (list.empty() || list.back().key < ref.key) {
            list.push_back(ref);
            return;
        }
        list.insert(std::lower_bound(list.begin(), list.end(), ref,
                                     [](const Ref& a, const Ref& b) { return a.key < b.key; }),
                    ref);
    });
    ++m_levelCount[entry.level];
}

void RegionIndex::Unplace(const Entry& entry)
{
    if (entry.level < 0)
        return;
    ForEachCell(entry, false, [&entry](std::vector<Ref>& list) {
        std::vector<Ref>::iterator it = std::lower_bound(
            list.begin(), list.end(), entry.key, [](const Ref& a, Key key) { return a.key < key; });
        if (it != list.end() && it->item == entry.item)
            list.erase(it);
    });
    --m_levelCount[entry.level];
}

void RegionIndex::Set(void* item, Key key, const RECT& box, bool exact)
{
    if (m_broken)
        return;
    try {
        std::unordered_map<void*, Entry>::iterator it = m_entries.find(item);
        if (it == m_entries.end()) {
            const Entry fresh = {key, box, -1, item, exact};
            it = m_entries.emplace(item, fresh).first;
        } else {
            Unplace(it->second);
        }
        it->second.box = box;
        it->second.exact = exact;
        it->second.level = LevelOf(box);
        Place(it->second);
    } catch (const std::bad_alloc&) {
        // A box missing from some of its cells would hide its element: nothing is kept.
        Break();
    }
}

void RegionIndex::Remove(void* item)
{
    std::unordered_map<void*, Entry>::iterator it = m_entries.find(item);
    if (it == m_entries.end())
        return;
    Unplace(it->second);
    m_entries.erase(it);
}

void RegionIndex::Clear()
{
    m_entries.clear();
    for (int level = 0; level < kLevels; ++level) {
        m_cells[level].clear();
        m_levelCount[level] = 0;
    }
    m_broken = false;
}

void RegionIndex::Break()
{
    Clear();
    m_broken = true;
}

void* RegionIndex::Find(POINT p, const std::function<bool(void*)>& accept) const
{
    // The one cell holding p on each level that has boxes, walked together in key order.
    const Ref* next[kLevels];
    const Ref* end[kLevels];
    int lists = 0;
    for (int level = kMinLevel; level < kLevels; level += 2) {
        if (m_levelCount[level] == 0)
            continue;
        const CellMap& cells = m_cells[level];
        CellMap::const_iterator it =
            cells.find(CellKey(int64_t(p.x) >> level, int64_t(p.y) >> level));
        if (it == cells.end())
            continue;
        next[lists] = it->second.data();
        end[lists] = it->second.data() + it->second.size();
        ++lists;
    }
    for (;;) {
        int lowest = -1;
        for (int i = 0; i < lists; ++i) {
            if (next[i] != end[i] && (lowest < 0 || next[i]->key < next[lowest]->key))
                lowest = i;
        }
        if (lowest < 0)
            return NULL;
        const Ref& ref = *next[lowest]++;
        if (BoxHolds(ref.box, p) && (ref.exact || accept(ref.item)))
            return ref.item;
    }
}
