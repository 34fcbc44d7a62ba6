// RegionIndex: the boxes of the view's hit regions in a grid of many cell sizes, each item under
// the sequence number it was appended with, answering which boxes hold a point in that order.
#pragma once
// The platform types and the library's export decoration, without the class layer.
#include <afxver_.h>

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

class AFX_EXT_CLASS RegionIndex
{
public:
    typedef uint64_t Key;

    RegionIndex();

    // Whether item is held (with a box or without one).
    bool Holds(void* item) const;
    // Holds item under key with box; an item held already keeps its key and takes the new box.
    // An empty box keeps the item's place but makes it no point's candidate. exact: the item's
    // region is the box itself, so every point the box holds is the item's without asking.
    void Set(void* item, Key key, const RECT& box, bool exact = false);
    // Forgets item; nothing when it is not held.
    void Remove(void* item);
    void Clear();
    size_t Size() const;
    // TRUE after an allocation failed: the index then holds nothing until Clear, and its
    // owner answers by other means (or builds it again).
    bool IsBroken() const;

    // The first item, in ascending key order, whose box holds p and that accept takes; NULL when
    // none does. accept is asked only about items whose box holds p and is not exact, in that
    // order, and must not change the index.
    void* Find(POINT p, const std::function<bool(void*)>& accept) const;

private:
    // A box of extent up to 2^level (in both directions) covers at most 2 x 2 cells of side
    // 2^level, so each box sits in at most four cells of the one level its size picks. Only even
    // levels from kMinLevel up are used: a query looks up one cell per level in use, and fewer,
    // coarser levels cost fewer lookups than the few more candidates each cell then holds.
    static const int kMinLevel = 4;
    static const int kLevels = 33;

    struct Entry {
        Key key;
        RECT box;
        int level;  // -1 for an empty box, held in no cell
        void* item;
        bool exact;
    };
    // A cell's entry carries a copy of what a query reads, so that a query reads no entry.
    struct Ref {
        Key key;
        RECT box;
        void* item;
        bool exact;
    };
    typedef std::unordered_map<uint64_t, std::vector<Ref>> CellMap;

    static int LevelOf(const RECT& box);
    static uint64_t CellKey(int64_t cx, int64_t cy);
    // Calls op on the list of every cell that entry covers at its level.
    void ForEachCell(const Entry& entry, bool create,
                     const std::function<void(std::vector<Ref>&)>& op);
    void Place(const Entry& entry);
    void Unplace(const Entry& entry);
    void Break();

    std::unordered_map<void*, Entry> m_entries;
    CellMap m_cells[kLevels];
    size_t m_levelCount[kLevels];  // entries placed on each level
    bool m_broken;
};
