// The drawing state record and the state table: interning, the hash index against the linear
// search, direct edits, and the table's lifetime tied to the live elements.
#include "ViewFixture.h"

#include <algorithm>
#include <random>

#include "state/GraphicState.h"
#include "state/StateElement.h"

namespace {

// Interns a copy of state as the view does: a heap record handed to AddUnique.
int Intern(const CGraphicState& state)
{
    CGraphicState* rec = new CGraphicState;
    rec->Assign(state);
    return GetStateTable()->AddUnique(rec);
}

// A record whose destruction is counted, to see which records the table deletes.
class CountedState : public CGraphicState
{
public:
    explicit CountedState(int* pDeaths) : m_pDeaths(pDeaths) {}
    ~CountedState() override { ++*m_pDeaths; }
    int* m_pDeaths;
};

using StateTable = NoElementsFixture;

}  // namespace

TEST_F(StateTable, EachFieldDifferenceMakesANewIndexAndTheOldStateFindsItsOwn)
{
    typedef CGraphicState S;
    const std::pair<const char*, std::function<void(S&)>> changes[] = {
        {"pen size", [](S& s) { s.m_penSize = 3; }},
        {"foreground", [](S& s) { s.m_fogndColor = RGB(255, 0, 0); }},
        {"background", [](S& s) { s.m_bkgndColor = RGB(0, 0, 255); }},
        {"pen mode", [](S& s) { s.m_penMode = R2_XORPEN; }},
        {"face name", [](S& s) { s.m_fontName = "Courier New"; }},
        {"face name case", [](S& s) { s.m_fontName = "ARIAL"; }},
        {"face name prefix", [](S& s) { s.m_fontName = "Aria"; }},
        {"font size", [](S& s) { s.m_fontSize = 14; }},
        {"text style", [](S& s) { s.m_textStyle = STYLE_BOLD; }},
        {"size chosen", [](S& s) { s.m_fontSizeSet = TRUE; }},
    };
    CGraphicState current;
    EXPECT_EQ(0, Intern(current)) << "first interned state";
    EXPECT_EQ(0, Intern(current)) << "the same state interned twice";
    int next = 1;
    for (const auto& change : changes) {
        SCOPED_TRACE(change.first);
        CGraphicState changed;
        changed.Assign(current);
        change.second(changed);
        ExpectValues({{"a new index", next, Intern(changed)},
                      {"interned again", next, Intern(changed)},
                      {"the first state afterwards", 0, Intern(current)}});
        const CGraphicState* stored = LookupState(next++);
        ASSERT_NE(nullptr, stored);
        EXPECT_EQ(Describe(changed), Describe(*stored)) << "the interned copy, field for field";
    }
    EXPECT_EQ(next, GetStateTable()->GetSize()) << "one record per distinct state";
}

TEST_F(StateTable, AddUniqueDeletesOnlyTheDuplicateAndLookupChecksItsIndex)
{
    int deaths = 0;
    CountedState* first = new CountedState(&deaths);
    CountedState* duplicate = new CountedState(&deaths);
    first->m_penSize = duplicate->m_penSize = 7;
    CGraphicStateTable* table = GetStateTable();
    ExpectValues({{"a new state", 0, table->AddUnique(first)},
                  {"a new state is stored, not deleted", 0, deaths},
                  {"an equal state", 0, table->AddUnique(duplicate)},
                  {"an equal state is deleted", 1, deaths},
                  {"a record the table holds", 0, table->AddUnique(first)},
                  {"a record the table holds is kept", 1, deaths},
                  {"no record", -1, table->AddUnique(NULL)},
                  {"one record stored", 1, table->GetSize()},
                  {"the record at 0", 7, LookupState(0) ? LookupState(0)->m_penSize : -1}});
    for (int index : {1, -1, INT_MIN, INT_MAX})
        EXPECT_EQ(nullptr, LookupState(index)) << "index " << index;
    DestroyStateTable();
    ExpectAll({{"DestroyStateTable deletes every record", deaths == 2},
               {"and the table", !GetStateTable() && !LookupState(0)}});
    DestroyStateTable();  // nothing to destroy: harmless
}

TEST_F(StateTable, HashIndexAgreesWithLinearSearchThroughRandomEdits)
{
    // A small pool of states, so that equal states meet often and direct edits make duplicates.
    std::vector<std::unique_ptr<CGraphicState>> pool;
    const char* faces[] = {"Arial", "ARIAL", "Times", ""};
    for (int i = 0; i < 24; ++i) {
        pool.emplace_back(new CGraphicState);
        pool.back()->m_penSize = i % 3;
        pool.back()->m_fogndColor = RGB(i % 2 * 255, 0, 0);
        pool.back()->m_fontName = faces[(i / 6) % 4];
    }
    CGraphicStateTable* table = GetStateTable();
    std::mt19937 random(1234);
    auto pick = [&](size_t n) { return (INT_PTR)(random() % n); };
    auto copyOf = [&](size_t k) {
        CGraphicState* rec = new CGraphicState;
        rec->Assign(*pool[k]);
        return rec;
    };
    auto anyCopy = [&] { return copyOf(pick(pool.size())); };
    auto deleteEntry = [&](INT_PTR i) { delete const_cast<CGraphicState*>(table->GetAt(i)); };

    for (int step = 0; step < 3000; ++step) {
        const int op = (int)pick(100);
        const INT_PTR size = table->GetSize();
        if (op < 50) {
            const size_t k = pick(pool.size());
            const INT_PTR expected = table->FindLinear(*pool[k]);
            ASSERT_EQ(expected >= 0 ? expected : size, table->AddUnique(copyOf(k))) << step;
        } else if (op < 60) {
            const size_t k = pick(pool.size());
            const INT_PTR at = table->FindLinear(*pool[k]);
            const CGraphicState* removed = at >= 0 ? table->GetAt(at) : nullptr;
            table->Remove(pool[k].get());
            ASSERT_EQ(at >= 0 ? size - 1 : size, table->GetSize()) << "Remove at step " << step;
            delete removed;
        } else if (op < 72 && size > 0) {
            const INT_PTR i = pick(size);
            deleteEntry(i);
            table->SetAt(i, op < 70 ? anyCopy() : nullptr);
        } else if (op < 80) {
            table->InsertAt(pick(size + 1), anyCopy());
        } else if (op < 88 && size > 0) {
            const INT_PTR i = pick(size);
            const INT_PTR n = 1 + pick(std::min<INT_PTR>(3, size - i));
            for (INT_PTR j = i; j < i + n; ++j)
                deleteEntry(j);
            table->RemoveAt(i, n);
        } else if (op < 92) {
            table->SetAtGrow(size + pick(3), anyCopy());
        } else if (op < 95 && size > 2) {
            const INT_PTR n = size - 1 - pick(2);
            for (INT_PTR j = n; j < size; ++j)
                deleteEntry(j);
            table->SetSize(n);
        } else if (op < 96) {
            table->DeleteAll();
        } else {
            // Edits through the base class bypass the table; a change of size is noticed.
            static_cast<CObArray&>(*table).Add(anyCopy());
        }
        for (const auto& s : pool)
            ASSERT_EQ(table->FindLinear(*s), table->Find(*s))
                << "hash index and linear search disagree for " << Describe(*s) << " after edit "
                << op << " on a table of " << size << " at step " << step;
    }
}

TEST_F(StateTable, StoringOneRecordTwiceIsRefused)
{
#ifndef _DEBUG
    CGraphicState* rec = new CGraphicState;
    CGraphicState* other = new CGraphicState;
    other->m_penSize = 2;
    CGraphicStateTable* table = GetStateTable();
    ASSERT_EQ(0, table->Add(rec));
    ASSERT_EQ(1, table->Add(other));
    EXPECT_EQ(-1, table->Add(rec)) << "the same pointer added twice";
    table->SetAt(1, rec);
    table->SetAtGrow(5, rec);
    table->InsertAt(0, rec);
    CGraphicState* repeated = new CGraphicState;
    table->InsertAt(0, repeated, 2);  // one record at two indices would be deleted twice
    delete repeated;
    EXPECT_EQ(2, table->GetSize()) << "a refused edit changed the size";
    EXPECT_EQ(other, table->GetAt(1)) << "SetAt with a pointer held elsewhere replaced an entry";
    table->SetAt(-1, NULL);
    table->SetAt(2, NULL);
    table->RemoveAt(1, 5);
    table->RemoveAt(-1);
    table->SetSize(-3);
    EXPECT_TRUE(table->GetSize() == 2 && table->GetAt(2) == NULL) << "after bad indices";
#else
    GTEST_SKIP() << "bad indices assert in debug builds";
#endif
}

// The first record constructed creates the table, without entering itself; the last element's
// death destroys it, and the next table starts again at index 0.
TEST_F(StateTable, RecordsCreateTheTableWhichDiesWithTheLastElement)
{
    ASSERT_EQ(nullptr, GetStateTable());
    CGraphicState blue, red;
    ASSERT_NE(nullptr, GetStateTable()) << "the first record did not create the table";
    EXPECT_EQ(0, GetStateTable()->GetSize()) << "constructing a record must not enter it";
    EXPECT_EQ("{pen 1, fg 000000, bg FFFFFF, rop 13, 'Arial' 12, style 128, sizeSet 0}",
              Describe(red))
        << "the defaults";
    blue.m_fogndColor = RGB(0, 0, 255);
    red.m_fogndColor = RGB(255, 0, 0);
    CStateElement* a = new CStateElement;
    CStateElement* b = new CStateElement;
    EXPECT_EQ(2, g_elementCount);
    ASSERT_EQ(0, Intern(blue));
    ASSERT_EQ(1, Intern(red)) << "a second record keeps the table";
    delete a;
    ExpectAll({{"the table lives while an element lives", GetStateTable() != NULL},
               {"indices stay while the table lives", Intern(red) == 1}});
    delete b;
    ExpectAll({{"no element left", g_elementCount == 0},
               {"the last element's death destroys the table", !GetStateTable()}});
    // The next record constructed starts a new table: red is now first.
    CStateElement* c = new CStateElement;
    ExpectValues({{"a new table starts at index 0", 0, Intern(red)}, {"then 1", 1, Intern(blue)}});
    DestroyStateTable();
    ExpectAll({{"DestroyStateTable with an element alive", !GetStateTable()},
               {"then the next table starts again at 0", Intern(blue) == 0}});
    delete c;
    EXPECT_EQ(nullptr, GetStateTable());
}
