// Arrays, lists and maps: growth, insertion and removal step by step, positions, hashing and
// iteration, and bad indices that must leave the collection untouched.
#include <gtest/gtest.h>
#include <afxcoll.h>

#include <map>
#include <string>

namespace {

// The elements as text, "1 2 3"; a list is also walked backwards and must read the same.
std::string Contents(const CUIntArray& a)
{
    std::string v;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        v += (i ? " " : "") + std::to_string(a[i]);
    return v;
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

// Counts live instances so tests can see who deletes what.
class CCounted : public CObject
{
public:
    explicit CCounted(int n) : m_n(n) { ++s_nLive; }
    ~CCounted() { --s_nLive; }
    int m_n;
    static int s_nLive;
};
int CCounted::s_nLive = 0;

}  // namespace

TEST(Array, GrowsByTheDefaultRuleAndKeepsItsGrowBy)
{
    // With grow-by 0 the block grows by size/8, at least 4: the data moves at the 1st, 2nd,
    // 6th, 10th, 14th and 18th Add and stays put in between.
    CDWordArray a;
    std::string moves;
    const DWORD* pLast = NULL;
    for (int i = 1; i <= 20; ++i) {
        a.Add((DWORD)i);
        if (a.GetData() != pLast)
            moves += std::to_string(i) + " ";
        pLast = a.GetData();
    }
    EXPECT_EQ("1 2 6 10 14 18 ", moves);
    EXPECT_EQ(19, a.GetUpperBound());
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ((DWORD)(i + 1), a[i]) << "element " << i;

    // Large arrays grow by size/8, capped at 1024: 5000 elements add 625 at a time.
    CByteArray big;
    big.SetSize(5000);
    big.FreeExtra();
    const BYTE* pBefore = big.GetData();
    big.Add(1);
    const BYTE* pGrown = big.GetData();
    EXPECT_NE(pBefore, pGrown);
    big.SetSize(5000 + 625);
    EXPECT_EQ(pGrown, big.GetData()) << "room for 625 was made at once";
    big.Add(2);
    EXPECT_NE(pGrown, big.GetData());

    CUIntArray u;
    u.SetSize(0, 10);
    u.Add(1);
    const UINT* pFirst = u.GetData();
    for (int i = 2; i <= 10; ++i)
        u.Add((UINT)i);
    EXPECT_EQ(pFirst, u.GetData()) << "ten elements fit the first block of grow-by 10";
    u.Add(11);
    EXPECT_NE(pFirst, u.GetData());
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
        STEP(a.SetAt(-1, 99), "4 71 80 0 0"),
        STEP(a.SetAt(5, 99), "4 71 80 0 0"),
        STEP(a.ElementAt(-5) = 99, "4 71 80 0 0"),
        STEP(a[100] = 99, "4 71 80 0 0"),
        STEP(a.RemoveAt(-1), "4 71 80 0 0"),
        STEP(a.RemoveAt(5), "4 71 80 0 0"),
        STEP(a.RemoveAt(3, 3), "4 71 80 0 0"),
        STEP(a.RemoveAt(1, -1), "4 71 80 0 0"),
        STEP(a.InsertAt(-1, 99), "4 71 80 0 0"),
        STEP(a.InsertAt(1, 99, 0), "4 71 80 0 0"),
        STEP(a.SetAtGrow(-1, 99), "4 71 80 0 0"),
        STEP(a.InsertAt(0, (const CUIntArray*)NULL), "4 71 80 0 0"),
        STEP(EXPECT_EQ(0u, a.GetAt(-1) + a.GetAt(5) + ((const CUIntArray&)a)[1000]), "4 71 80 0 0"),
        STEP(a.Copy(o), "70 80"),
        STEP(a.Copy(a), "70 80"),
        STEP(a.RemoveAt(0, 2), ""),
        STEP(a.Add(1), "1"),
        STEP(a.RemoveAll(); EXPECT_EQ(nullptr, a.GetData()), ""),
    };
#undef STEP
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.apply(a, o);
        EXPECT_EQ(step.expected, Contents(a));
        EXPECT_EQ(a.GetSize() - 1, a.GetUpperBound());
    }
}

TEST(Array, StringPointerAndObjectArrays)
{
    CStringArray a;
    a.Add("first");
    a.Add(CString("second"));
    for (int i = 0; i < 40; ++i)
        a.Add(a[0]);  // an element of the array itself while it reallocates
    ASSERT_EQ(42, a.GetSize());
    for (INT_PTR i = 2; i < a.GetSize(); ++i)
        ASSERT_STREQ("first", (LPCTSTR)a[i]) << "element " << i;
    a.InsertAt(1, a[1], 3);
    EXPECT_STREQ("first", (LPCTSTR)a[0]);
    for (int i = 1; i <= 4; ++i)
        EXPECT_STREQ("second", (LPCTSTR)a[i]);
    a.RemoveAt(0, 40);
    a.SetAt(0, "changed");
    a.SetAtGrow(6, "grown");
    EXPECT_STREQ("changed grown", a[0] + a[5] + " " + a[6]);
    EXPECT_STREQ("", (LPCTSTR)a.GetAt(7));
    a.ElementAt(9) = "lost";
    EXPECT_EQ(7, a.GetSize());

    {
        CObArray obs;
        for (int i = 0; i < 3; ++i)
            obs.Add(new CCounted(i));
        CObject* pSecond = obs[1];
        obs.RemoveAt(1);
        EXPECT_EQ(3, CCounted::s_nLive) << "RemoveAt left the object alive";
        delete pSecond;
        for (INT_PTR i = 0; i < obs.GetSize(); ++i)
            delete obs[i];
    }
    EXPECT_EQ(0, CCounted::s_nLive);
    CPtrArray p;
    int x = 0;
    p.Add(&x);
    p.InsertAt(0, (void*)NULL);
    EXPECT_EQ(nullptr, p[0]);
    EXPECT_EQ(&x, p[1]);
}

TEST(List, PositionsSurviveInsertAndRemove)
{
    CStringList list;
    POSITION a = list.AddTail("a");
    POSITION c = list.AddTail(CString("c"));
    POSITION b = list.InsertBefore(c, "b");
    POSITION d = list.InsertAfter(c, "d");
    POSITION head = list.InsertBefore(NULL, "head");
    POSITION tail = list.InsertAfter(NULL, "tail");
    EXPECT_EQ("head a b c d tail", Contents(list));
    EXPECT_EQ(head, list.GetHeadPosition());
    EXPECT_EQ(tail, list.GetTailPosition());
    list.RemoveAt(c);
    EXPECT_EQ("head a b d tail", Contents(list));
    EXPECT_STREQ("bd", list.GetAt(b) + list.GetAt(d)) << "other positions stay valid";
    list.SetAt(a, "A");
    struct Row {
        const char* name;
        POSITION result, expected;
    } rows[] = {
        {"Find A", list.Find("A"), a},
        {"Find after A", list.Find("A", a), NULL},
        {"Find d", list.Find("d"), d},
        {"Find missing", list.Find("c"), NULL},
        {"Find NULL", list.Find((LPCTSTR)NULL), NULL},
        {"FindIndex 0", list.FindIndex(0), head},
        {"FindIndex 2", list.FindIndex(2), b},
        {"FindIndex 4", list.FindIndex(4), tail},
        {"FindIndex 5", list.FindIndex(5), NULL},
        {"FindIndex -1", list.FindIndex(-1), NULL},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.expected, r.result) << r.name;
    EXPECT_STREQ("head", list.RemoveHead());
    EXPECT_STREQ("tail", list.RemoveTail());
    EXPECT_STREQ("A d", list.GetHead() + " " + list.GetTail());
    EXPECT_EQ(3, list.GetCount());
    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetTailPosition());
    list.RemoveAt(list.GetHeadPosition());
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetTailPosition());
    list.AddHead("again");  // blocks were given back; new nodes come from a new block
    EXPECT_EQ("again", Contents(list));

    // Whole lists, including the list itself.
    CStringList other;
    other.AddTail("x");
    other.AddTail("y");
    list.AddHead(&other);
    list.AddTail(&other);
    EXPECT_EQ("x y again x y", Contents(list));
    list.RemoveAll();
    list.AddTail("1");
    list.AddTail("2");
    list.AddTail(&list);
    EXPECT_EQ("1 2 1 2", Contents(list));
    list.AddHead(&list);
    list.AddTail((const CStringList*)NULL);
    EXPECT_EQ("1 2 1 2 1 2 1 2", Contents(list));

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
    EXPECT_EQ(nullptr, list.RemoveHead());
    EXPECT_EQ(nullptr, list.RemoveTail());
    EXPECT_EQ(nullptr, list.GetHead());
    list.GetTail() = (CObject*)&list;  // a scratch element, not the list
    list.RemoveAt(NULL);
    list.SetAt(NULL, NULL);
    POSITION pos = NULL;
    EXPECT_EQ(nullptr, list.GetNext(pos));
    EXPECT_EQ(nullptr, list.GetAt(NULL));
    EXPECT_EQ(0, list.GetCount());
    CCounted one(1);
    POSITION p = list.AddTail(&one);
    EXPECT_EQ(p, list.Find(&one));
    EXPECT_EQ(nullptr, list.Find(&one, p));
    list.RemoveAll();
    EXPECT_EQ(1, CCounted::s_nLive) << "the list did not delete its object";
}

TEST(Map, StoresLooksUpAndRemovesKeys)
{
    CMapStringToPtr map;
    EXPECT_EQ(nullptr, map.GetStartPosition());
    map.SetAt("one", (void*)1);
    map["two"] = (void*)2;
    map.SetAt("one", (void*)11);  // replaces
    void* value = NULL;
    EXPECT_EQ(2, map.GetCount());
    EXPECT_TRUE(map.Lookup("one", value));
    EXPECT_EQ((void*)11, value);
    EXPECT_FALSE(map.Lookup("three", value));
    EXPECT_FALSE(map.Lookup("ONE", value)) << "keys are case-sensitive";
    EXPECT_EQ(nullptr, map["new"]) << "operator[] adds a zero value";
    EXPECT_EQ(3, map.GetCount());
    EXPECT_TRUE(map.RemoveKey("new"));
    EXPECT_FALSE(map.RemoveKey("new"));
    map.SetAt(NULL, (void*)5);  // NULL is the empty key
    EXPECT_TRUE(map.Lookup("", value));
    EXPECT_EQ((void*)5, value);

    // Many keys in a few buckets; every other one removed; iteration visits each once.
    CMapStringToPtr big;
    big.InitHashTable(7);
    EXPECT_EQ(7u, big.GetHashTableSize());
    CString key;
    for (INT_PTR i = 0; i < 1000; ++i) {
        key.Format("key%d", (int)i);
        big[key] = (void*)i;
    }
    for (INT_PTR i = 0; i < 1000; i += 2) {
        key.Format("key%d", (int)i);
        ASSERT_TRUE(big.RemoveKey(key)) << (LPCTSTR)key;
    }
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
    big.InitHashTable(31);  // refused while the map holds keys
    EXPECT_EQ(7u, big.GetHashTableSize());
    big.RemoveAll();
    EXPECT_TRUE(big.IsEmpty());
    EXPECT_EQ(nullptr, big.GetStartPosition());
}

TEST(Map, PointerWordAndObjectKeys)
{
    CMapPtrToPtr byPointer;
    int cells[50];
    for (int i = 0; i < 50; ++i)
        byPointer[&cells[i]] = &cells[49 - i];
    for (int i = 0; i < 50; ++i) {
        void* v = NULL;
        ASSERT_TRUE(byPointer.Lookup(&cells[i], v));
        ASSERT_EQ(&cells[49 - i], v);
    }
    EXPECT_FALSE(byPointer.RemoveKey(NULL));

    CMapWordToPtr byWord;
    for (WORD w = 0; w < 300; ++w)
        byWord.SetAt(w, (void*)(INT_PTR)(w * 2));
    byWord.RemoveKey(7);
    void* v = NULL;
    EXPECT_FALSE(byWord.Lookup(7, v));
    EXPECT_TRUE(byWord.Lookup(299, v));
    EXPECT_EQ((void*)598, v);
    int visited = 0;
    for (POSITION pos = byWord.GetStartPosition(); pos != NULL; ++visited) {
        WORD key;
        byWord.GetNextAssoc(pos, key, v);
        ASSERT_EQ((void*)(INT_PTR)(key * 2), v);
    }
    EXPECT_EQ(299, visited);
    EXPECT_EQ(299, byWord.GetCount());

    CMapStringToOb byName;
    CCounted a(1);
    byName["a"] = &a;
    CObject* pOb = NULL;
    EXPECT_TRUE(byName.Lookup("a", pOb));
    EXPECT_EQ(&a, pOb);
    byName.RemoveAll();
    EXPECT_EQ(1, CCounted::s_nLive) << "the map did not delete its object";
}
