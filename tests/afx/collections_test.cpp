// Arrays, lists and maps: growth, insertion and removal step by step, positions, hashing and
// iteration, and bad indices that must leave the collection untouched.
#include "TestSupport.h"
#include <afxcoll.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace {
// The elements as text, "1 2 3"; a list is also walked backwards and must read the same.
template <class Array> std::string Contents(const Array& a)
{
    std::ostringstream v;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        v << (i ? " " : "") << a[i];
    return v.str();
}
std::string Contents(const CStringList& list)
{
    std::string forward, backward;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        forward += (forward.empty() ? "" : " ") + std::string(list.GetNext(pos));
    for (POSITION pos = list.GetTailPosition(); pos != NULL;)
        backward = std::string(list.GetPrev(pos)) + (backward.empty() ? "" : " ") + backward;
    return forward == backward ? forward : forward + " | backwards: " + backward;
}
// The element at a position, "-" for NULL.
std::string At(const CStringList& list, POSITION pos)
{
    return pos ? std::string(list.GetAt(pos)) : "-";
}
// How many words a Contents string has.
INT_PTR Words(const std::string& s)
{
    return s.empty() ? 0 : 1 + std::count(s.begin(), s.end(), ' ');
}

// Counts live instances so tests can see who deletes what.
struct CCounted : CObject {
    CCounted() { ++s_nLive; }
    ~CCounted() { --s_nLive; }
    inline static int s_nLive = 0;
};
}  // namespace

// Each row adds 1, 2, ... to an array of `start` zeros and lists the Adds (1-based) at which the
// data moved. With grow-by 0 the block grows by size/8, at least 4 (and at most 1024).
TEST(Array, GrowsByTheDefaultRuleAndKeepsItsGrowBy)
{
    const struct {
        const char* name;
        INT_PTR start, growBy;
        int adds;
        const char* moves;
    } rows[] = {{"small, grow-by 0: by 4, then size/8", 0, 0, 20, "1 2 6 10 14 18 "},
                {"5000 elements, grow-by 0: by 625", 5000, 0, 626, "1 626 "},
                {"grow-by 10", 0, 10, 11, "1 11 "}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        CDWordArray a;
        a.SetSize(r.start, r.growBy);
        a.FreeExtra();
        std::string moves;
        const DWORD* pLast = a.GetData();
        for (int i = 1; i <= r.adds; ++i) {
            EXPECT_EQ(r.start + i - 1, a.Add((DWORD)i));
            if (a.GetData() != pLast)
                moves += std::to_string(i) + " ";
            pLast = a.GetData();
        }
        EXPECT_EQ(r.moves, moves);
        EXPECT_EQ(r.start + r.adds - 1, a.GetUpperBound());
        for (int i = 0; i < r.adds; ++i)
            ASSERT_EQ((DWORD)(i + 1), a[r.start + i]) << "element " << i;
    }
}

TEST(Array, StepByStep)
{
    CUIntArray a, o;
    o.Add(70);
    o.Add(80);
    // clang-format off
#define STEP(expr, expected) {#expr, [](CUIntArray& a, CUIntArray& o) { (void)o; expr; }, expected}
    // clang-format on
    struct Step {
        const char* name;
        void (*apply)(CUIntArray& a, CUIntArray& o);
        const char* expected;
    } steps[] = {
        STEP(a.Add(1), "1"),
        STEP(EXPECT_EQ(1, a.Add(2)), "1 2"),
        STEP(a.InsertAt(1, 9), "1 9 2"),
        STEP(a.InsertAt(0, 5, 2), "5 5 1 9 2"),
        STEP(a.InsertAt(7, 3, 2), "5 5 1 9 2 0 0 3 3"),
        STEP(a.RemoveAt(0, 2), "1 9 2 0 0 3 3"),
        STEP(a.RemoveAt(3, 2), "1 9 2 3 3"),
        STEP(a.RemoveAt(4), "1 9 2 3"),
        STEP(a.InsertAt(1, &o), "1 70 80 9 2 3"),
        STEP(a.InsertAt(6, &a), "1 70 80 9 2 3 1 70 80 9 2 3"),
        STEP(a.RemoveAt(4, 8), "1 70 80 9"),
        STEP(a.SetAtGrow(6, 6), "1 70 80 9 0 0 6"),
        STEP(a.SetAt(0, 4), "4 70 80 9 0 0 6"),
        STEP(a.ElementAt(1) += 1, "4 71 80 9 0 0 6"),
        STEP(EXPECT_EQ(7, a.Append(o)), "4 71 80 9 0 0 6 70 80"),
        STEP(a.SetSize(3), "4 71 80"),
        STEP(a.SetSize(5), "4 71 80 0 0"),
        STEP(a.SetSize(-1), "4 71 80 0 0"),
        // Bad indices and counts change nothing.
        STEP(a.SetAt(-1, 99); a.SetAt(5, 99); a.ElementAt(-5) = 99; a[100] = 99, "4 71 80 0 0"),
        STEP(a.RemoveAt(-1); a.RemoveAt(5); a.RemoveAt(3, 3); a.RemoveAt(1, -1), "4 71 80 0 0"),
        STEP(a.InsertAt(-1, 99); a.InsertAt(1, 99, 0); a.SetAtGrow(-1, 99), "4 71 80 0 0"),
        STEP(a.InsertAt(0, (const CUIntArray*)NULL), "4 71 80 0 0"),
        STEP(EXPECT_EQ(0u, a.GetAt(-1) + a.GetAt(5) + ((const CUIntArray&)a)[1000]), "4 71 80 0 0"),
        STEP(a.Copy(o), "70 80"),
        STEP(a.Copy(a), "70 80"),
        STEP(a.RemoveAt(0, 2), ""),
        STEP(a.Add(1), "1"),
        STEP(a.RemoveAll(); EXPECT_EQ(nullptr, a.GetData()), "")
    };
#undef STEP
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.apply(a, o);
        EXPECT_EQ(step.expected, Contents(a));
    }
}

// CStringArray's elements are objects: adding or inserting one of the array's own elements while
// the block moves must copy it before the old block goes.
TEST(Array, StringElementsOfTheArrayItselfSurviveItsGrowth)
{
    CStringArray a;
    a.Add("first");
    a.Add(CString("second"));
    for (int i = 0; i < 40; ++i)
        a.Add(a[0]);
    a.InsertAt(1, a[1], 3);
    std::string expected = "first second second second second";
    for (int i = 0; i < 40; ++i)
        expected += " first";
    EXPECT_EQ(expected, Contents(a));
    a.RemoveAt(0, 40);
    a.SetAt(0, "changed");
    a.SetAtGrow(6, "grown");
    a.ElementAt(9) = "lost";
    EXPECT_EQ("changed first first first first  grown", Contents(a));
    EXPECT_TRUE(a.GetAt(7).IsEmpty()) << "GetAt past the end";
}

// Each step edits the list; after it the list reads as expected both ways and counts as many
// elements (at the head, the tail, with one element and empty).
TEST(List, StepByStep)
{
    struct State {
        CStringList l, other;
        POSITION a, b, c, d, head, tail;
    } s;
    // clang-format off
#define STEP(expr, expected) {#expr, [](State& s) { expr; }, expected}
    // clang-format on
    struct Step {
        const char* name;
        void (*apply)(State& s);
        const char* expected;
    } steps[] = {
        STEP(s.a = s.l.AddTail("a"), "a"),
        STEP(s.c = s.l.AddTail(CString("c")), "a c"),
        STEP(s.b = s.l.InsertBefore(s.c, "b"), "a b c"),
        STEP(s.d = s.l.InsertAfter(s.c, "d"), "a b c d"),
        STEP(s.head = s.l.InsertBefore(NULL, "head");
             EXPECT_EQ(s.head, s.l.GetHeadPosition()), "head a b c d"),
        STEP(s.tail = s.l.InsertAfter(NULL, "tail");
             EXPECT_EQ(s.tail, s.l.GetTailPosition()), "head a b c d tail"),
        STEP(s.l.RemoveAt(s.c);
             EXPECT_STREQ("bd", s.l.GetAt(s.b) + s.l.GetAt(s.d)), "head a b d tail"),
        STEP(s.l.SetAt(s.a, "A"), "head A b d tail"),
        // Find and FindIndex as the elements they give ("-" for NULL).
        STEP(EXPECT_EQ("A, -, d, -, -, head, b, tail, -, -",
                       Joined({At(s.l, s.l.Find("A")), At(s.l, s.l.Find("A", s.a)),
                               At(s.l, s.l.Find("d")), At(s.l, s.l.Find("c")),
                               At(s.l, s.l.Find((LPCTSTR)NULL)), At(s.l, s.l.FindIndex(0)),
                               At(s.l, s.l.FindIndex(2)), At(s.l, s.l.FindIndex(4)),
                               At(s.l, s.l.FindIndex(5)), At(s.l, s.l.FindIndex(-1))})),
             "head A b d tail"),
        STEP(EXPECT_STREQ("head", s.l.RemoveHead()), "A b d tail"),
        STEP(EXPECT_STREQ("tail", s.l.RemoveTail()), "A b d"),
        STEP(EXPECT_STREQ("A d", s.l.GetHead() + " " + s.l.GetTail()), "A b d"),
        STEP(s.l.RemoveAt(s.l.GetHeadPosition()), "b d"),
        STEP(s.l.RemoveAt(s.l.GetTailPosition()), "b"),
        STEP(s.l.RemoveAt(s.l.GetHeadPosition()); EXPECT_EQ(nullptr, s.l.GetTailPosition()), ""),
        STEP(s.l.AddHead("again"), "again"),
        STEP(s.other.AddTail("x"); s.other.AddTail("y"); s.l.AddHead(&s.other), "x y again"),
        STEP(s.l.AddTail(&s.other), "x y again x y"),
        STEP(s.l.RemoveAll(), ""),
        STEP(s.l.AddTail("1"); s.l.AddTail("2"), "1 2"),
        STEP(s.l.AddTail(&s.l), "1 2 1 2"),
        STEP(s.l.AddHead(&s.l), "1 2 1 2 1 2 1 2"),
        STEP(s.l.AddTail((const CStringList*)NULL), "1 2 1 2 1 2 1 2")
    };
#undef STEP
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.apply(s);
        EXPECT_EQ(step.expected, Contents(s.l));
        EXPECT_EQ(Words(step.expected), s.l.GetCount());
        EXPECT_EQ(Words(step.expected) == 0, !!s.l.IsEmpty());
    }

    // Many nodes across many blocks, removed from both ends.
    CPtrList ptrs(3);
    for (INT_PTR i = 1; i <= 100; ++i)
        ptrs.AddTail((void*)i);
    for (INT_PTR i = 1; i <= 50; ++i) {
        ASSERT_EQ((void*)i, ptrs.RemoveHead());
        ASSERT_EQ((void*)(101 - i), ptrs.RemoveTail());
    }
    EXPECT_TRUE(ptrs.IsEmpty());
}

TEST(List, EmptyListsAndNullPositionsAreHarmless)
{
    CObList list;
    CCounted one;
    POSITION none = NULL, p = NULL;
    ExpectAll({{"RemoveHead of an empty list", list.RemoveHead() == nullptr},
               {"RemoveTail of an empty list", list.RemoveTail() == nullptr},
               {"GetHead of an empty list", list.GetHead() == nullptr},
               {"GetTail of an empty list gives a scratch element",
                (list.GetTail() = (CObject*)&list, true)},
               {"RemoveAt(NULL), SetAt(NULL)", (list.RemoveAt(NULL), list.SetAt(NULL, NULL), true)},
               {"GetNext(NULL)", list.GetNext(none) == nullptr},
               {"GetAt(NULL)", list.GetAt(NULL) == nullptr},
               {"still empty", list.GetCount() == 0},
               {"Find the one element", (p = list.AddTail(&one)) == list.Find(&one)},
               {"Find after the one element", list.Find(&one, p) == nullptr},
               {"RemoveAll leaves its object alive", (list.RemoveAll(), CCounted::s_nLive == 1)}});
}

TEST(Map, StoresLooksUpIteratesAndRemovesKeysOfEachKind)
{
    CMapStringToPtr map;
    void *value = NULL, *empty = NULL;
    EXPECT_EQ(nullptr, map.GetStartPosition());
    map.SetAt("one", (void*)1);
    map["two"] = (void*)2;
    map.SetAt("one", (void*)11);  // replaces
    ExpectAll({{"two keys", map.GetCount() == 2},
               {"Lookup one", map.Lookup("one", value) && value == (void*)11},
               {"Lookup missing", !map.Lookup("three", value)},
               {"keys are case-sensitive", !map.Lookup("ONE", value)},
               {"operator[] adds a zero value", map["new"] == nullptr && map.GetCount() == 3},
               {"RemoveKey", map.RemoveKey("new") && map.GetCount() == 2},
               {"RemoveKey again", !map.RemoveKey("new")},
               {"NULL is the empty key",
                (map.SetAt(NULL, (void*)5), map.Lookup("", empty) && empty == (void*)5)}});

    // Many keys in a few buckets; every other one removed; iteration visits each once.
    CMapStringToPtr big;
    big.InitHashTable(7);
    auto keyOf = [](INT_PTR i) { return CString("key") + std::to_string(i).c_str(); };
    for (INT_PTR i = 0; i < 1000; ++i)
        big[keyOf(i)] = (void*)i;
    for (INT_PTR i = 0; i < 1000; i += 2)
        ASSERT_TRUE(big.RemoveKey(keyOf(i))) << i;
    CString key;
    EXPECT_EQ(500, big.GetCount());
    std::map<std::string, INT_PTR> seen;
    for (POSITION pos = big.GetStartPosition(); pos != NULL;) {
        void* v;
        big.GetNextAssoc(pos, key, v);
        EXPECT_TRUE(seen.emplace((LPCTSTR)key, (INT_PTR)v).second) << "twice: " << (LPCTSTR)key;
    }
    EXPECT_EQ(500u, seen.size());
    for (const auto& entry : seen)
        ASSERT_EQ("key" + std::to_string(entry.second), entry.first);
    ExpectAll({{"InitHashTable is refused while the map holds keys",
                (big.InitHashTable(31), big.GetHashTableSize() == 7)},
               {"RemoveAll", (big.RemoveAll(), big.IsEmpty() && !big.GetStartPosition())}});

    // Pointer and word keys.
    CMapPtrToPtr byPointer;
    int cells[50];
    for (int i = 0; i < 50; ++i)
        byPointer[&cells[i]] = &cells[49 - i];
    for (int i = 0; i < 50; ++i) {
        void* v = NULL;
        ASSERT_TRUE(byPointer.Lookup(&cells[i], v) && v == &cells[49 - i]) << i;
    }
    EXPECT_FALSE(byPointer.RemoveKey(NULL));

    CMapWordToPtr byWord;
    for (WORD w = 0; w < 300; ++w)
        byWord.SetAt(w, (void*)(INT_PTR)(w * 2));
    byWord.RemoveKey(7);
    void *v = NULL, *seven = NULL;
    int visited = 0;
    for (POSITION pos = byWord.GetStartPosition(); pos != NULL; ++visited) {
        WORD key;
        byWord.GetNextAssoc(pos, key, v);
        ASSERT_EQ((void*)(INT_PTR)(key * 2), v);
    }
    ExpectAll({{"7 removed", !byWord.Lookup(7, seven)},
               {"Lookup 299", byWord.Lookup(299, v) && v == (void*)598},
               {"each visited once", visited == 299 && byWord.GetCount() == 299}});
}
