// RegionIndex: the hit regions of the view in a grid of many cell sizes, each item under the
// sequence number it was appended with, answering which region holds a point first in that order.
#pragma once
// The platform types and the library's export decoration, without the class layer.
#include <afxver_.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

class AFX_EXT_CLASS RegionIndex
{
public:
    typedef uint64_t Key;

    RegionIndex();

    // Whether item is held (with a box or without one).
    bool Holds(void* item) const;
    // Holds item under key with box and shape; an item held already keeps its key and takes the
    // new box and shape. An empty box keeps the item's place but makes it no point's candidate.
    // shape is the region that holds the item's points inside the box, asked with PtInRegion;
    // NULL when the box itself is the region. The index does not own it: the owner sets the item
    // again before the region changes or goes.
    void Set(void* item, Key key, const RECT& box, HRGN shape);
    // Forgets item; nothing when it is not held.
    void Remove(void* item);
    void Clear();
    size_t Size() const;
    // TRUE after an allocation failed: the index then holds nothing until Clear, and its
    // owner answers by other means (or builds it again).
    bool IsBroken() const;

    // The first item, in ascending key order, whose box and shape hold p; NULL when none does.
    void* Find(POINT p) const;
    // The same without asking the shapes: the first item whose box holds p.
    void* FindByBox(POINT p) const;

private:
    // A box of extent up to 2^level (in both directions) covers at most 2 x 2 cells of side
    // 2^level, so each box sits in at most four cells of the one level its size picks. Only even
    // levels from kMinLevel up are used: a query looks up one cell per level in use, and fewer,
    // coarser levels cost fewer lookups than the few more candidates each cell then holds.
    static const int kMinLevel = 4;
    static const int kLevels = 33;

    // What a query reads of an item, copied into every cell it sits in, so that a query reads
    // neither the item nor its entry.
    struct Ref {
        Key key;
        RECT box;
        void* item;
        HRGN shape;
    };
    struct Entry {
        Ref ref;
        int level;  // -1 for an empty box, held in no cell
    };
    // One cell of a level: its number and its items in key order. A slot whose list is empty
    // is free.
    struct Cell {
        uint64_t id;
        std::vector<Ref> refs;
    };
    // The cells of one level in an open-addressed table (linear probing, a power of two of
    // slots, at most half of them used): a lookup reads one slot and then the cell's list,
    // where a node-based map would follow two more pointers, each a cache miss in a large view.
    struct Level {
        std::vector<Cell> slots;
        size_t cells;  // slots in use
        size_t boxes;  // entries placed on the level
    };

    static int LevelOf(const RECT& box);
    static uint64_t CellId(int64_t cx, int64_t cy);
    static size_t Home(const Level& level, uint64_t id);
    static const Cell* Lookup(const Level& level, uint64_t id);
    static std::vector<Ref>& Insert(Level& level, uint64_t id);
    static void Grow(Level& level);
    static void Erase(Level& level, size_t slot);
    template <class Test> void* FindFirst(POINT p, Test holds) const;
    // Calls op on the cell id of every cell that entry covers at its level.
    template <class Op> static void ForEachCell(const Entry& entry, Op op);
    void Place(const Entry& entry);
    void Unplace(const Entry& entry);
    void Break();

    std::unordered_map<void*, Entry> m_entries;
    Level m_levels[kLevels];
    bool m_broken;
};
