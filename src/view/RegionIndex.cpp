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

const size_t kFirstSlots = 16;

}  // namespace

RegionIndex::RegionIndex() : m_broken(false)
{
    for (Level& level : m_levels)
        level.cells = level.boxes = 0;
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

uint64_t RegionIndex::CellId(int64_t cx, int64_t cy)
{
    return (uint64_t(uint32_t(cx)) << 32) | uint32_t(cy);
}

size_t RegionIndex::Home(const Level& level, uint64_t id)
{
    // Fibonacci hashing: neighbouring cells land far apart, and the top bits pick the slot.
    const uint64_t mixed = id * 0x9E3779B97F4A7C15ull;
    return size_t(mixed >> 32) & (level.slots.size() - 1);
}

const RegionIndex::Cell* RegionIndex::Lookup(const Level& level, uint64_t id)
{
    if (level.slots.empty())
        return NULL;
    const size_t mask = level.slots.size() - 1;
    for (size_t i = Home(level, id);; i = (i + 1) & mask) {
        const Cell& cell = level.slots[i];
        if (cell.refs.empty())
            return NULL;
        if (cell.id == id)
            return &cell;
    }
}

void RegionIndex::Grow(Level& level)
{
    std::vector<Cell> old(std::max(kFirstSlots, level.slots.size() * 2));
    old.swap(level.slots);
    const size_t mask = level.slots.size() - 1;
    for (Cell& cell : old) {
        if (cell.refs.empty())
            continue;
        size_t i = Home(level, cell.id);
        while (!level.slots[i].refs.empty())
            i = (i + 1) & mask;
        level.slots[i].id = cell.id;
        level.slots[i].refs.swap(cell.refs);
    }
}

std::vector<RegionIndex::Ref>& RegionIndex::Insert(Level& level, uint64_t id)
{
    if ((level.cells + 1) * 2 > level.slots.size())
        Grow(level);
    const size_t mask = level.slots.size() - 1;
    size_t i = Home(level, id);
    while (!level.slots[i].refs.empty() && level.slots[i].id != id)
        i = (i + 1) & mask;
    if (level.slots[i].refs.empty()) {
        level.slots[i].id = id;
        ++level.cells;
    }
    return level.slots[i].refs;
}

void RegionIndex::Erase(Level& level, size_t slot)
{
    // Backward shift: every cell after the freed slot, up to the next free one, that would no
    // longer be found from its home slot moves into the gap.
    const size_t mask = level.slots.size() - 1;
    for (size_t j = (slot + 1) & mask; !level.slots[j].refs.empty(); j = (j + 1) & mask) {
        const size_t home = Home(level, level.slots[j].id);
        // Whether home lies cyclically in (slot, j]: the cell is still found from there.
        const bool reachable = slot <= j ? slot < home && home <= j : slot < home || home <= j;
        if (reachable)
            continue;
        level.slots[slot].id = level.slots[j].id;
        level.slots[slot].refs.swap(level.slots[j].refs);
        slot = j;
    }
    std::vector<Ref>().swap(level.slots[slot].refs);
    --level.cells;
}

template <class Op> void RegionIndex::ForEachCell(const Entry& entry, Op op)
{
    // An arithmetic shift rounds toward minus infinity, so negative coordinates find their cell.
    const RECT& box = entry.ref.box;
    const int64_t x0 = int64_t(box.left) >> entry.level;
    const int64_t x1 = (int64_t(box.right) - 1) >> entry.level;
    const int64_t y0 = int64_t(box.top) >> entry.level;
    const int64_t y1 = (int64_t(box.bottom) - 1) >> entry.level;
    for (int64_t cx = x0; cx <= x1; ++cx) {
        for (int64_t cy = y0; cy <= y1; ++cy)
            op(CellId(cx, cy));
    }
}

void RegionIndex::Place(const Entry& entry)
{
    if (entry.level < 0)
        return;
    Level& level = m_levels[entry.level];
    const Ref& ref = entry.ref;
    ForEachCell(entry, [&level, &ref](uint64_t id) {
        std::vector<Ref>& list = Insert(level, id);
        // Appends come in key order: the end is nearly always the place.
        if (list.empty() || list.back().key < ref.key) {
            list.push_back(ref);
            return;
        }
        list.insert(std::lower_bound(list.begin(), list.end(), ref,
                                     [](const Ref& a, const Ref& b) { return a.key < b.key; }),
                    ref);
    });
    ++level.boxes;
}

void RegionIndex::Unplace(const Entry& entry)
{
    if (entry.level < 0)
        return;
    Level& level = m_levels[entry.level];
    const Ref& ref = entry.ref;
    ForEachCell(entry, [&level, &ref](uint64_t id) {
        const Cell* cell = Lookup(level, id);
        if (cell == NULL)
            return;
        Cell& found = level.slots[size_t(cell - level.slots.data())];
        std::vector<Ref>::iterator it =
            std::lower_bound(found.refs.begin(), found.refs.end(), ref.key,
                             [](const Ref& a, Key key) { return a.key < key; });
        if (it != found.refs.end() && it->item == ref.item)
            found.refs.erase(it);
        if (found.refs.empty())
            Erase(level, size_t(cell - level.slots.data()));
    });
    --level.boxes;
}

void RegionIndex::Set(void* item, Key key, const RECT& box, HRGN shape)
{
    if (m_broken)
        return;
    try {
        std::unordered_map<void*, Entry>::iterator it = m_entries.find(item);
        if (it == m_entries.end()) {
            const Entry fresh = {{key, box, item, shape}, -1};
            it = m_entries.emplace(item, fresh).first;
        } else {
            Unplace(it->second);
        }
        it->second.ref.box = box;
        it->second.ref.shape = shape;
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
    for (Level& level : m_levels) {
        std::vector<Cell>().swap(level.slots);
        level.cells = level.boxes = 0;
    }
    m_broken = false;
}

void RegionIndex::Break()
{
    Clear();
    m_broken = true;
}

template <class Test> void* RegionIndex::FindFirst(POINT p, Test holds) const
{
    // The one cell holding p on each level that has boxes, walked together in key order. The
    // levels' slots are fetched first, all at once, so that their cache misses overlap.
    int used[kLevels];
    uint64_t ids[kLevels];
    int levels = 0;
    for (int level = kMinLevel; level < kLevels; level += 2) {
        if (m_levels[level].boxes == 0)
            continue;
        ids[levels] = CellId(int64_t(p.x) >> level, int64_t(p.y) >> level);
        __builtin_prefetch(&m_levels[level].slots[Home(m_levels[level], ids[levels])]);
        used[levels++] = level;
    }
    const Ref* next[kLevels];
    const Ref* end[kLevels];
    int lists = 0;
    for (int i = 0; i < levels; ++i) {
        const Cell* cell = Lookup(m_levels[used[i]], ids[i]);
        if (cell == NULL)
            continue;
        next[lists] = cell->refs.data();
        end[lists] = cell->refs.data() + cell->refs.size();
        __builtin_prefetch(next[lists]);
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
        if (BoxHolds(ref.box, p) && holds(ref))
            return ref.item;
    }
}

void* RegionIndex::Find(POINT p) const
{
    return FindFirst(p, [&p](const Ref& ref) {
        return ref.shape == NULL || ::PtInRegion(ref.shape, p.x, p.y) != 0;
    });
}

void* RegionIndex::FindByBox(POINT p) const
{
    return FindFirst(p, [](const Ref&) { return true; });
}
