// CString: sharing and copy-on-write, buffers, extraction with clamping, searching,
// comparison, editing, formatting and the string table.
#include <gtest/gtest.h>
#include <afx.h>

#include <string>

namespace {
// The characters a CString points at, to tell shared data from copies.
const void* DataOf(const CString& s)
{
    return (LPCTSTR)s;
}
}  // namespace

TEST(String, CopiesShareUntilOneWrites)
{
    CString original("hello");
    CString copy(original);
    CString assigned;
    assigned = original;
    EXPECT_EQ(DataOf(original), DataOf(copy)) << "a copy shares the characters";
    EXPECT_EQ(DataOf(original), DataOf(assigned));

    // Writes through a pointer split the copy off and leave the original alone.
    CString* pCopy = &copy;
    pCopy->MakeUpper();
    EXPECT_STREQ("HELLO", (LPCTSTR)copy);
    EXPECT_STREQ("hello", (LPCTSTR)original);
    EXPECT_NE(DataOf(original), DataOf(copy));

    assigned.SetAt(0, 'j');
    EXPECT_STREQ("jello", (LPCTSTR)assigned);
    EXPECT_STREQ("hello", (LPCTSTR)original);

    // Every other kind of write splits too.
    struct Case {
        const char* name;
        void (*write)(CString&);
        const char* expected;
    } cases[] = {
        {"MakeLower", [](CString& s) { s.MakeLower(); }, "hello"},
        {"MakeReverse", [](CString& s) { s.MakeReverse(); }, "olleh"},
        {"Replace", [](CString& s) { s.Replace('l', 'L'); }, "heLLo"},
        {"Remove", [](CString& s) { s.Remove('l'); }, "heo"},
        {"Insert", [](CString& s) { s.Insert(0, "oh "); }, "oh hello"},
        {"Delete", [](CString& s) { s.Delete(1, 3); }, "ho"},
        {"+=", [](CString& s) { s += '!'; }, "hello!"},
        {"TrimRight", [](CString& s) { s.TrimRight('o'); }, "hell"},
        {"GetBuffer",
         [](CString& s) {
             s.GetBuffer(0)[0] = 'c';
             s.ReleaseBuffer();
         },
         "cello"},
    };
    for (const Case& c : cases) {
        CString copy2(original);
        c.write(copy2);
        EXPECT_STREQ(c.expected, (LPCTSTR)copy2) << c.name;
        EXPECT_STREQ("hello", (LPCTSTR)original) << c.name << " changed the shared original";
    }
}

TEST(String, StaysOnePointerWideInsideStructures)
{
    struct Host {
        int before;
        CString name;
        void* after;
    };
    static_assert(sizeof(CString) == sizeof(void*), "CString is one pointer");
    EXPECT_EQ(sizeof(void*), sizeof(CString));
    EXPECT_EQ(offsetof(Host, after), offsetof(Host, name) + sizeof(void*));
    Host host{1, "name", nullptr};
    CString names[3];
    EXPECT_EQ(3 * sizeof(void*), sizeof names);
    EXPECT_STREQ("name", (LPCTSTR)host.name);
    EXPECT_STREQ("", (LPCTSTR)names[2]);
    EXPECT_TRUE(names[0].IsEmpty());
}

TEST(String, ConstructsFromEveryKindOfSource)
{
    EXPECT_STREQ("", (LPCTSTR)CString((LPCTSTR)NULL));
    EXPECT_STREQ("", (LPCTSTR)CString(""));
    EXPECT_STREQ("aaaa", (LPCTSTR)CString('a', 4));
    EXPECT_STREQ("z", (LPCTSTR)CString('z'));
    EXPECT_STREQ("", (LPCTSTR)CString('a', -3));
    EXPECT_STREQ("abc", (LPCTSTR)CString("abcdef", 3));
    EXPECT_STREQ("", (LPCTSTR)CString("abc", -1));
    EXPECT_STREQ("", (LPCTSTR)CString((LPCTSTR)NULL, 5));
    CString s("abc");
    s = (LPCTSTR)NULL;
    EXPECT_TRUE(s.IsEmpty());
    s = 'q';
    EXPECT_STREQ("q", (LPCTSTR)s);
    s = "longer text";
    s = (LPCTSTR)s + 7;  // assigning a tail of itself
    EXPECT_STREQ("text", (LPCTSTR)s);
    s = s;
    EXPECT_STREQ("text", (LPCTSTR)s);
    s.Empty();
    EXPECT_EQ(0, s.GetLength());
}

TEST(String, BuffersBecomeUniqueAndTakeTheirLength)
{
    CString shared("abc");
    CString s(shared);
    LPTSTR p = s.GetBuffer(10);
    EXPECT_NE(DataOf(shared), (const void*)p) << "GetBuffer on a shared string copies first";
    strcpy(p, "xyz12");
    s.ReleaseBuffer();
    EXPECT_EQ(5, s.GetLength());
    EXPECT_STREQ("xyz12", (LPCTSTR)s);
    EXPECT_STREQ("abc", (LPCTSTR)shared);

    p = s.GetBuffer(3);  // smaller than the length: the contents stay
    EXPECT_STREQ("xyz12", p);
    s.ReleaseBuffer(2);
    EXPECT_STREQ("xy", (LPCTSTR)s);

    p = s.GetBufferSetLength(4);
    memcpy(p, "wxyz", 4);
    EXPECT_EQ(4, s.GetLength());
    EXPECT_STREQ("wxyz", (LPCTSTR)s);

    // Out-of-range lengths clamp rather than write outside the buffer.
    s.GetBuffer(6);
    s.ReleaseBuffer(1000);
    EXPECT_LE(s.GetLength(), s.GetAllocLength());
    s = "abc";
    s.GetBuffer(100);
    s.FreeExtra();
    EXPECT_EQ(3, s.GetAllocLength());

    // A locked buffer is never shared: copies get their own characters.
    CString locked("locked");
    LPTSTR pLocked = locked.LockBuffer();
    CString copy(locked);
    EXPECT_NE((const void*)pLocked, DataOf(copy));
    pLocked[0] = 'L';
    EXPECT_STREQ("locked", (LPCTSTR)copy);
    locked.UnlockBuffer();
    CString copy2(locked);
    EXPECT_EQ(DataOf(locked), DataOf(copy2)) << "unlocked: sharing again";
}

TEST(String, ExtractionClampsOutOfRangeArguments)
{
    const CString s("abcdef");
    struct Case {
        const char* name;
        CString result;
        const char* expected;
    } cases[] = {
        {"Mid(2)", s.Mid(2), "cdef"},
        {"Mid(2, 3)", s.Mid(2, 3), "cde"},
        {"Mid(-2, 3)", s.Mid(-2, 3), "abc"},
        {"Mid(4, 100)", s.Mid(4, 100), "ef"},
        {"Mid(6)", s.Mid(6), ""},
        {"Mid(9, 2)", s.Mid(9, 2), ""},
        {"Mid(1, -1)", s.Mid(1, -1), ""},
        {"Mid(1, INT_MAX)", s.Mid(1, INT_MAX), "bcdef"},
        {"Mid(-5)", s.Mid(-5), "abcdef"},
        {"Left(2)", s.Left(2), "ab"},
        {"Left(-1)", s.Left(-1), ""},
        {"Left(99)", s.Left(99), "abcdef"},
        {"Right(2)", s.Right(2), "ef"},
        {"Right(-1)", s.Right(-1), ""},
        {"Right(99)", s.Right(99), "abcdef"},
        {"SpanIncluding", s.SpanIncluding("cba"), "abc"},
        {"SpanIncluding none", s.SpanIncluding("xyz"), ""},
        {"SpanIncluding NULL", s.SpanIncluding(NULL), ""},
        {"SpanExcluding", s.SpanExcluding("ed"), "abc"},
        {"SpanExcluding NULL", s.SpanExcluding(NULL), "abcdef"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, (LPCTSTR)c.result) << c.name;
    EXPECT_EQ(DataOf(s), DataOf(s.Mid(0))) << "the whole string is shared, not copied";
}

TEST(String, FindsCharactersAndSubstrings)
{
    const CString s("one two one");
    struct Case {
        const char* name;
        int result;
        int expected;
    } cases[] = {
        {"Find('o')", s.Find('o'), 0},
        {"Find('o', 1)", s.Find('o', 1), 6},
        {"Find('o', 100)", s.Find('o', 100), -1},
        {"Find('o', -4)", s.Find('o', -4), 0},
        {"Find('z')", s.Find('z'), -1},
        {"Find('\\0')", s.Find('\0'), -1},
        {"Find(\"one\")", s.Find("one"), 0},
        {"Find(\"one\", 1)", s.Find("one", 1), 8},
        {"Find(\"one\", 9)", s.Find("one", 9), -1},
        {"Find(\"\")", s.Find(""), 0},
        {"Find(NULL)", s.Find((LPCTSTR)NULL), -1},
        {"Find(longer)", s.Find("one two one two"), -1},
        {"ReverseFind('o')", s.ReverseFind('o'), 8},
        {"ReverseFind('z')", s.ReverseFind('z'), -1},
        {"FindOneOf(\"wt\")", s.FindOneOf("wt"), 4},
        {"FindOneOf(\"xyz\")", s.FindOneOf("xyz"), -1},
        {"FindOneOf(NULL)", s.FindOneOf(NULL), -1},
        {"empty Find", CString().Find('a'), -1},
        {"empty ReverseFind", CString().ReverseFind('a'), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.result) << c.name;
}

TEST(String, ComparesWithStringsAndPointersOnBothSides)
{
    const CString apple("apple");
    const CString banana("banana");
    LPCTSTR pApple = "apple";
    EXPECT_TRUE(apple == pApple);
    EXPECT_TRUE(pApple == apple);
    EXPECT_TRUE(apple == CString("apple"));
    EXPECT_FALSE(apple != pApple);
    EXPECT_TRUE(apple != banana);
    EXPECT_TRUE("banana" != apple);
    EXPECT_TRUE(apple < banana);
    EXPECT_TRUE(apple < "banana");
    EXPECT_TRUE("apple" < banana);
    EXPECT_TRUE(banana > apple);
    EXPECT_TRUE(banana > "apple");
    EXPECT_TRUE("banana" > apple);
    EXPECT_TRUE(apple <= pApple);
    EXPECT_TRUE(pApple <= banana);
    EXPECT_TRUE(banana >= "banana");
    EXPECT_TRUE("zebra" >= banana);
    EXPECT_FALSE(banana <= apple);

    EXPECT_EQ(0, apple.Compare("apple"));
    EXPECT_LT(apple.Compare("apples"), 0);
    EXPECT_GT(apple.Compare("Apple"), 0) << "Compare is case-sensitive";
    EXPECT_EQ(0, apple.CompareNoCase("APPLE"));
    EXPECT_LT(apple.CompareNoCase("BANANA"), 0);
    EXPECT_EQ(0, apple.Collate("apple"));
    EXPECT_EQ(0, apple.CollateNoCase("ApPlE"));
    EXPECT_GT(apple.Compare(NULL), 0) << "NULL compares as the empty string";
    EXPECT_TRUE(CString() == (LPCTSTR)NULL);
}

TEST(String, EditsInPlace)
{
    struct Case {
        const char* name;
        const char* input;
        int (*edit)(CString&);
        const char* expected;
        int expectedResult;
    } cases[] = {
        {"Replace char", "a-b-c", [](CString& s) { return s.Replace('-', '+'); }, "a+b+c", 2},
        {"Replace string grows", "a.b.c", [](CString& s) { return s.Replace(".", "::"); },
         "a::b::c", 2},
        {"Replace string shrinks", "xxaxx", [](CString& s) { return s.Replace("xx", "y"); }, "yay",
         2},
        {"Replace with empty", "banana", [](CString& s) { return s.Replace("an", ""); }, "ba", 2},
        {"Replace with NULL", "banana", [](CString& s) { return s.Replace("a", NULL); }, "bnn", 3},
        {"Replace nothing", "banana", [](CString& s) { return s.Replace("x", "y"); }, "banana", 0},
        {"Replace empty old", "banana", [](CString& s) { return s.Replace("", "y"); }, "banana", 0},
        {"Remove", "mississippi", [](CString& s) { return s.Remove('s'); }, "miiippi", 4},
        {"Insert char", "ac", [](CString& s) { return s.Insert(1, 'b'); }, "abc", 3},
        {"Insert past end", "ab", [](CString& s) { return s.Insert(10, "cd"); }, "abcd", 4},
        {"Insert before start", "cd", [](CString& s) { return s.Insert(-3, "ab"); }, "abcd", 4},
        {"Insert NULL", "ab", [](CString& s) { return s.Insert(1, (LPCTSTR)NULL); }, "ab", 2},
        {"Delete", "abcdef", [](CString& s) { return s.Delete(1, 2); }, "adef", 4},
        {"Delete past end", "abcdef", [](CString& s) { return s.Delete(4, 10); }, "abcd", 4},
        {"Delete out of range", "abc", [](CString& s) { return s.Delete(5, 1); }, "abc", 3},
        {"Delete negative", "abc", [](CString& s) { return s.Delete(-1, 1); }, "bc", 2},
    };
    for (const Case& c : cases) {
        CString s(c.input);
        EXPECT_EQ(c.expectedResult, c.edit(s)) << c.name;
        EXPECT_STREQ(c.expected, (LPCTSTR)s) << c.name;
        EXPECT_EQ((int)strlen(c.expected), s.GetLength()) << c.name;
    }
}

TEST(String, TrimsWhitespaceCharactersAndSets)
{
    struct Case {
        const char* name;
        const char* input;
        void (*trim)(CString&);
        const char* expected;
    } cases[] = {
        {"TrimRight()", "  a b \t\r\n", [](CString& s) { s.TrimRight(); }, "  a b"},
        {"TrimLeft()", " \t a b ", [](CString& s) { s.TrimLeft(); }, "a b "},
        {"Trim()", "  a  ", [](CString& s) { s.Trim(); }, "a"},
        {"TrimRight(ch)", "xxaxx", [](CString& s) { s.TrimRight('x'); }, "xxa"},
        {"TrimLeft(ch)", "xxaxx", [](CString& s) { s.TrimLeft('x'); }, "axx"},
        {"TrimRight(set)", "a.,;.", [](CString& s) { s.TrimRight(".;,"); }, "a"},
        {"TrimLeft(set)", "-=-a=", [](CString& s) { s.TrimLeft("=-"); }, "a="},
        {"TrimLeft(NULL)", " a", [](CString& s) { s.TrimLeft((LPCTSTR)NULL); }, " a"},
        {"all whitespace", " \t ", [](CString& s) { s.Trim(); }, ""},
        {"empty", "", [](CString& s) { s.Trim(); }, ""},
    };
    for (const Case& c : cases) {
        CString s(c.input);
        c.trim(s);
        EXPECT_STREQ(c.expected, (LPCTSTR)s) << c.name;
        EXPECT_EQ((int)strlen(c.expected), s.GetLength()) << c.name;
    }
}

TEST(String, ConcatenatesInEveryCombination)
{
    const CString ab("ab");
    EXPECT_STREQ("abcd", (LPCTSTR)(ab + CString("cd")));
    EXPECT_STREQ("abc", (LPCTSTR)(ab + 'c'));
    EXPECT_STREQ("zab", (LPCTSTR)('z' + ab));
    EXPECT_STREQ("abxy", (LPCTSTR)(ab + "xy"));
    EXPECT_STREQ("xyab", (LPCTSTR)("xy" + ab));
    EXPECT_STREQ("ab", (LPCTSTR)(ab + (LPCTSTR)NULL));
    CString s(ab);
    s += s;
    EXPECT_STREQ("abab", (LPCTSTR)s);
    EXPECT_STREQ("ab", (LPCTSTR)ab);

    // A long run of appends keeps every character.
    CString built;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        char ch = (char)('a' + i % 26);
        built += ch;
        expected += ch;
    }
    built += (LPCTSTR)built + 4990;  // a tail of itself
    expected += expected.substr(4990);
    EXPECT_EQ((int)expected.size(), built.GetLength());
    EXPECT_EQ(expected, std::string((LPCTSTR)built));
}

TEST(String, FormatsAnyLength)
{
    CString s;
    s.Format("%d-%s-%c-%05.1f", 42, "text", 'x', 3.14159);
    EXPECT_STREQ("42-text-x-003.1", (LPCTSTR)s);

    std::string longText(20000, 'q');
    s.Format("[%s]", longText.c_str());
    EXPECT_EQ(20002, s.GetLength());
    EXPECT_EQ('[', s[0]);
    EXPECT_EQ(']', s[20001]);
    EXPECT_EQ('q', s[10000]);

    s = "self";
    s.Format("%s and %s", (LPCTSTR)s, (LPCTSTR)s);  // arguments from the string itself
    EXPECT_STREQ("self and self", (LPCTSTR)s);

    s.Format("%I64d", (LONGLONG)-1234567890123LL);
    EXPECT_STREQ("-1234567890123", (LPCTSTR)s);
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
    s = "kept";
    s.Format((LPCTSTR)NULL);
    EXPECT_TRUE(s.IsEmpty());
}

TEST(String, LoadsFromTheStringTable)
{
    CString s;
    EXPECT_TRUE(s.LoadString(101));
    EXPECT_STREQ("Hello from the string table", (LPCTSTR)s);
    EXPECT_STREQ("Hello from the string table", (LPCTSTR)CString(MAKEINTRESOURCE(101)));

    EXPECT_TRUE(s.LoadString(103)) << "longer than the first buffer";
    EXPECT_EQ(600, s.GetLength());
    EXPECT_EQ(CString('x', 600), s);

    s.Format(102u, 3, "the box");
    EXPECT_STREQ("3 items in the box", (LPCTSTR)s);

    s = "before";
    EXPECT_FALSE(s.LoadString(9999));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(String, BadIndicesReadZeroAndWriteNothing)
{
    CString s("abc");
    CString shared(s);
    EXPECT_EQ('\0', s.GetAt(-1));
    EXPECT_EQ('\0', s.GetAt(3));
    EXPECT_EQ('\0', s[100]);
    s.SetAt(3, 'x');
    s.SetAt(-1, 'x');
    EXPECT_STREQ("abc", (LPCTSTR)s);
    EXPECT_EQ(DataOf(shared), DataOf(s)) << "a rejected write does not split the string";
    EXPECT_EQ('c', s.GetAt(2));
}
