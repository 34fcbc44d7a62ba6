// The drawing state record and the state table: interning, the hash index against the linear
// search, direct edits, and the table's lifetime tied to the live elements.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "state/GraphicState.h"
#include "state/StateElement.h"

namespace {

// Interns a copy of state as the view does: a heap record handed to AddUnique.
int Intern(const CGraphicState& state)
{
    CGraphicState* rec = new CGraphicState;
    rec->Assign(state);
    CGraphicStateTable* table = GetStateTable();
    if (table == NULL) {
        delete rec;
        return -2;
    }
    return table->AddUnique(rec);
}

std::string Describe(const CGraphicState& s)
{
    char buf[160];
    wsprintfA(buf, "{pen %d, fg %06X, bg %06X, rop %d, '%s' %d, style %u, sizeSet %d}", s.m_penSize,
              (unsigned)s.m_fogndColor, (unsigned)s.m_bkgndColor, s.m_penMode,
              (LPCTSTR)s.m_fontName, s.m_fontSize, s.m_textStyle, s.m_fontSizeSet);
    return buf;
}

// A record whose destruction is counted, to see which records the table deletes.
class CountedState : public CGraphicState
{
public:
    explicit CountedState(int* pDeaths) : m_pDeaths(pDeaths) {}
    ~CountedState() override { ++*m_pDeaths; }

private:
    int* m_pDeaths;
};

// Every test starts with no live element and no table.
class StateTable : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, g_elementCount) << "an earlier test left elements alive";
        DestroyStateTable();
    }
    void TearDown() override { DestroyStateTable(); }
};

}  // namespace

TEST_F(StateTable, RecordStartsWithDefaultsAndCreatesTheTable)
{
    ASSERT_EQ(nullptr, GetStateTable());
    CGraphicState state;
    ASSERT_NE(nullptr, GetStateTable()) << "the first record did not create the table";
    EXPECT_EQ("{pen 1, fg 000000, bg FFFFFF, rop 13, 'Arial' 12, style 128, sizeSet 0}",
              Describe(state));
    EXPECT_EQ(0, GetStateTable()->GetSize()) << "constructing a record must not enter it";

    CGraphicStateTable* first = GetStateTable();
    CGraphicState second;
    EXPECT_EQ(first, GetStateTable()) << "a second record replaced the existing table";
}

TEST_F(StateTable, EachFieldDifferenceMakesANewIndexAndTheOldStateFindsItsOwn)
{
    struct Change {
        const char* field;
        std::function<void(CGraphicState&)> apply;
    };
    const Change changes[] = {
        {"pen size", [](CGraphicState& s) { s.m_penSize = 3; }},
        {"foreground", [](CGraphicState& s) { s.m_fogndColor = RGB(255, 0, 0); }},
        {"background", [](CGraphicState& s) { s.m_bkgndColor = RGB(0, 0, 255); }},
        {"pen mode", [](CGraphicState& s) { s.m_penMode = R2_XORPEN; }},
        {"face name", [](CGraphicState& s) { s.m_fontName = "Courier New"; }},
        {"face name case", [](CGraphicState& s) { s.m_fontName = "ARIAL"; }},
        {"face name prefix", [](CGraphicState& s) { s.m_fontName = "Aria"; }},
        {"font size", [](CGraphicState& s) { s.m_fontSize = 14; }},
        {"text style", [](CGraphicState& s) { s.m_textStyle = STYLE_BOLD; }},
        {"size chosen", [](CGraphicState& s) { s.m_fontSizeSet = TRUE; }},
    };

    CGraphicState current;
    const int base = Intern(current);
    EXPECT_EQ(0, base) << "first interned state";
    EXPECT_EQ(base, Intern(current)) << "the same state interned twice";

    int expectedNext = 1;
    for (const Change& change : changes) {
        CGraphicState changed;
        changed.Assign(current);
        change.apply(changed);
        EXPECT_FALSE(changed.IsEqual(current)) << change.field;
        EXPECT_EQ(expectedNext, Intern(changed))
            << "a state differing in " << change.field << " must get a new index";
        EXPECT_EQ(expectedNext, Intern(changed)) << change.field << " interned again";
        EXPECT_EQ(base, Intern(current)) << "the first state after a change of " << change.field;
        ++expectedNext;
    }
    EXPECT_EQ(expectedNext, GetStateTable()->GetSize()) << "one record per distinct state";

    // Interned copies are equal to what was interned, field for field.
    CGraphicState bold;
    bold.m_textStyle = STYLE_BOLD;
    const CGraphicState* stored = LookupState(Intern(bold));
    ASSERT_NE(nullptr, stored);
    EXPECT_EQ(Describe(bold), Describe(*stored));
}

TEST_F(StateTable, AddUniqueDeletesOnlyTheDuplicate)
{
    int deaths = 0;
    CountedState* first = new CountedState(&deaths);
    ASSERT_EQ(0, GetStateTable()->AddUnique(first));
    EXPECT_EQ(0, deaths) << "a new state was deleted instead of stored";

    CountedState* duplicate = new CountedState(&deaths);
    EXPECT_EQ(0, GetStateTable()->AddUnique(duplicate));
    EXPECT_EQ(1, deaths) << "an equal state must be deleted by AddUnique";

    // Handing back a record the table already holds must not delete it.
    EXPECT_EQ(0, GetStateTable()->AddUnique(first));
    EXPECT_EQ(1, deaths) << "AddUnique deleted a record the table holds";
    EXPECT_EQ(-1, GetStateTable()->AddUnique(NULL));
    EXPECT_EQ(1, GetStateTable()->GetSize());

    DestroyStateTable();
    EXPECT_EQ(2, deaths) << "DestroyStateTable must delete every record";
    EXPECT_EQ(nullptr, GetStateTable());
}

TEST_F(StateTable, LookupByIndex)
{
    EXPECT_EQ(nullptr, LookupState(0)) << "no table yet";
    CGraphicState state;
    state.m_penSize = 7;
    ASSERT_EQ(0, Intern(state));
    struct {
        int index;
        bool found;
    } cases[] = {{0, true}, {1, false}, {-1, false}, {INT_MIN, false}, {INT_MAX, false}};
    for (const auto& c : cases) {
        const CGraphicState* rec = LookupState(c.index);
        EXPECT_EQ(c.found, rec != nullptr) << "index " << c.index;
        if (rec != nullptr) {
            EXPECT_EQ(7, rec->m_penSize);
        }
    }
    DestroyStateTable();
    EXPECT_EQ(nullptr, LookupState(0)) << "after the table was destroyed";
    DestroyStateTable();  // nothing to destroy: harmless
}

TEST_F(StateTable, HashIndexAgreesWithLinearSearchThroughRandomEdits)
{
    // A small pool of states, so that equal states meet often and direct edits make duplicates.
    std::vector<CGraphicState*> pool;
    const char* faces[] = {"Arial", "ARIAL", "Times", ""};
    for (int i = 0; i < 24; ++i) {
        CGraphicState* s = new CGraphicState;
        s->m_penSize = i % 3;
        s->m_fogndColor = RGB(i % 2 * 255, 0, 0);
        s->m_fontName = faces[(i / 6) % 4];
        pool.push_back(s);
    }
    CGraphicStateTable* table = GetStateTable();
    ASSERT_NE(nullptr, table);

    std::mt19937 random(1234);
    auto pick = [&](size_t n) { return (INT_PTR)(random() % n); };
    auto copyOf = [&](size_t k) {
        CGraphicState* rec = new CGraphicState;
        rec->Assign(*pool[k]);
        return rec;
    };
    auto deleteEntry = [&](INT_PTR i) { delete const_cast<CGraphicState*>(table->GetAt(i)); };

    for (int step = 0; step < 3000; ++step) {
        const int op = (int)pick(100);
        std::string what;
        if (op < 50) {
            const size_t k = pick(pool.size());
            const INT_PTR expected = table->FindLinear(*pool[k]);
            const INT_PTR size = table->GetSize();
            const int got = table->AddUnique(copyOf(k));
            ASSERT_EQ(expected >= 0 ? expected : size, got) << "AddUnique at step " << step;
            what = "AddUnique";
        } else if (op < 60) {
            const size_t k = pick(pool.size());
            const INT_PTR at = table->FindLinear(*pool[k]);
            const CGraphicState* removed = at >= 0 ? table->GetAt(at) : nullptr;
            const INT_PTR size = table->GetSize();
            table->Remove(pool[k]);
            ASSERT_EQ(at >= 0 ? size - 1 : size, table->GetSize()) << "Remove at step " << step;
            delete removed;
            what = "Remove";
        } else if (op < 72 && table->GetSize() > 0) {
            const INT_PTR i = pick(table->GetSize());
            deleteEntry(i);
            table->SetAt(i, op < 70 ? copyOf(pick(pool.size())) : nullptr);
            what = "SetAt";
        } else if (op < 80) {
            const INT_PTR i = pick(table->GetSize() + 1);
            table->InsertAt(i, copyOf(pick(pool.size())));
            what = "InsertAt";
        } else if (op < 88 && table->GetSize() > 0) {
            const INT_PTR i = pick(table->GetSize());
            const INT_PTR n = 1 + pick(std::min<INT_PTR>(3, table->GetSize() - i));
            for (INT_PTR j = i; j < i + n; ++j)
                deleteEntry(j);
            table->RemoveAt(i, n);
            what = "RemoveAt";
        } else if (op < 92) {
            const INT_PTR i = table->GetSize() + pick(3);
            table->SetAtGrow(i, copyOf(pick(pool.size())));
            what = "SetAtGrow";
        } else if (op < 95 && table->GetSize() > 2) {
            const INT_PTR n = table->GetSize() - 1 - pick(2);
            for (INT_PTR j = n; j < table->GetSize(); ++j)
                deleteEntry(j);
            table->SetSize(n);
            what = "SetSize";
        } else if (op < 96) {
            table->DeleteAll();
            what = "DeleteAll";
        } else {
            // Edits through the base class bypass the table; a change of size is noticed.
            CObArray& base = *table;
            CGraphicState* rec = copyOf(pick(pool.size()));
            base.Add(rec);
            what = "CObArray::Add";
        }
        for (size_t k = 0; k < pool.size(); ++k)
            ASSERT_EQ(table->FindLinear(*pool[k]), table->Find(*pool[k]))
                << "hash index and linear search disagree for " << Describe(*pool[k]) << " after "
                << what << " at step " << step << " (table size " << table->GetSize() << ")";
    }
    for (CGraphicState* s : pool)
        delete s;
}

TEST_F(StateTable, StoringOneRecordTwiceIsRefused)
{
#ifndef _DEBUG
    CGraphicStateTable* table = GetStateTable();
    ASSERT_EQ(nullptr, table);
    CGraphicState* rec = new CGraphicState;
    table = GetStateTable();
    ASSERT_EQ(0, table->Add(rec));
    CGraphicState* other = new CGraphicState;
    other->m_penSize = 2;
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

    // Bad indices do nothing.
    table->SetAt(-1, NULL);
    table->SetAt(2, NULL);
    table->RemoveAt(1, 5);
    table->RemoveAt(-1);
    table->SetSize(-3);
    EXPECT_EQ(nullptr, table->GetAt(2));
    EXPECT_EQ(2, table->GetSize());
    DestroyStateTable();  // deletes both records exactly once
#else
    GTEST_SKIP() << "bad indices assert in debug builds";
#endif
}

TEST_F(StateTable, TableDiesWithTheLastElementAndStartsAgainAtZero)
{
    CGraphicState blue;
    blue.m_fogndColor = RGB(0, 0, 255);
    CGraphicState red;
    red.m_fogndColor = RGB(255, 0, 0);

    CStateElement* a = new CStateElement;
    CStateElement* b = new CStateElement;
    EXPECT_EQ(2, g_elementCount);
    EXPECT_EQ(0, a->stateIndex);
    EXPECT_EQ(0, a->verb);
    EXPECT_EQ(0, a->pattern);
    EXPECT_TRUE(a->IsState());
    ASSERT_EQ(0, Intern(blue));
    ASSERT_EQ(1, Intern(red));

    delete a;
    EXPECT_NE(nullptr, GetStateTable()) << "the table died while an element lived";
    EXPECT_EQ(1, Intern(red)) << "indices must stay while the table lives";
    delete b;
    EXPECT_EQ(0, g_elementCount);
    EXPECT_EQ(nullptr, GetStateTable()) << "the last element's death must destroy the table";

    // The next interning constructs a record, which starts a new table: red is now first.
    CStateElement* c = new CStateElement;
    EXPECT_EQ(0, Intern(red)) << "a new table must start at index 0";
    EXPECT_EQ(1, Intern(blue));

    // DestroyStateTable with elements alive: the next table starts again at 0.
    DestroyStateTable();
    EXPECT_EQ(nullptr, GetStateTable());
    EXPECT_EQ(0, Intern(blue)) << "after DestroyStateTable";
    delete c;
    EXPECT_EQ(nullptr, GetStateTable());
}
