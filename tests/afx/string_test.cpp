// CString: sharing and copy-on-write, buffers, one table of operations (extraction, search,
// comparison, editing, trimming, concatenation), formatting and the string table.
#include "TestSupport.h"
#include <afx.h>

#include <initializer_list>

namespace {
// The characters a CString points at, to tell shared data from copies.
const void* DataOf(const CString& s)
{
    return (LPCTSTR)s;
}
std::string S(const CString& s)
{
    return (LPCTSTR)s;
}
// Several results of one row: numbers joined by spaces, strings by "|".
std::string N(std::initializer_list<int> ns)
{
    std::string v;
    for (int n : ns)
        v += (v.empty() ? "" : " ") + std::to_string(n);
    return v;
}
std::string S(std::initializer_list<CString> ss)
{
    std::string v;
    for (const CString& s : ss)
        v += (&s == ss.begin() ? "" : "|") + S(s);
    return v;
}
// An edit's return value and the string after it.
std::string R(int n, const CString& s)
{
    return N({n}) + " " + S(s);
}
// Truth values as a row of digits, "101".
std::string B(std::initializer_list<bool> bits)
{
    std::string v;
    for (bool b : bits)
        v += b ? '1' : '0';
    return v;
}
// The host blocks hold a CString where C hosts see one pointer.
static_assert(sizeof(CString) == sizeof(void*), "CString is one pointer");
}  // namespace

TEST(String, CopiesShareUntilOneWrites)
{
    const CString original("hello");
    CString assigned;
    assigned = original;
    EXPECT_EQ(DataOf(original), DataOf(assigned));
    EXPECT_EQ(DataOf(original), DataOf(original.Mid(0))) << "the whole string is shared";
    struct Row {
        const char* name;
        void (*write)(CString&);
        const char* expected;
    } rows[] = {
        {"MakeUpper", [](CString& s) { s.MakeUpper(); }, "HELLO"},
        {"SetAt", [](CString& s) { s.SetAt(0, 'j'); }, "jello"},
        {"MakeLower", [](CString& s) { s.MakeLower(); }, "hello"},
        {"MakeReverse", [](CString& s) { s.MakeReverse(); }, "olleh"},
        {"Replace", [](CString& s) { s.Replace('l', 'L'); }, "heLLo"},
        {"Remove", [](CString& s) { s.Remove('l'); }, "heo"},
        {"Insert", [](CString& s) { s.Insert(0, "oh "); }, "oh hello"},
        {"Delete", [](CString& s) { s.Delete(1, 3); }, "ho"},
        {"+=", [](CString& s) { s += '!'; }, "hello!"},
        {"TrimRight", [](CString& s) { s.TrimRight('o'); }, "hell"},
        {"GetBuffer", [](CString& s) { s.GetBuffer(0)[0] = 'c', s.ReleaseBuffer(); }, "cello"},
        {"bad SetAt", [](CString& s) { s.SetAt(5, 'x'), s.SetAt(-1, 'x'); }, "hello"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CString copy(original);
        r.write(copy);
        EXPECT_EQ(r.expected, S(copy));
        EXPECT_EQ("hello", S(original));
        EXPECT_EQ(strcmp(r.name, "bad SetAt") == 0, DataOf(original) == DataOf(copy));
    }
}

TEST(String, BuffersBecomeUniqueAndTakeTheirLength)
{
    CString shared("abc"), s(shared);
    LPTSTR p = s.GetBuffer(10);
    EXPECT_NE(DataOf(shared), (const void*)p) << "GetBuffer on a shared string copies first";
    strcpy(p, "xyz12");
    s.ReleaseBuffer();
    EXPECT_EQ("5 xyz12 abc", R(s.GetLength(), s) + " " + S(shared));
    CString locked("locked"), empty;
    LPTSTR pLocked = locked.LockBuffer();
    CString copy(locked);
    ExpectAll(
        {{"a buffer smaller than the length keeps the contents", S(s.GetBuffer(3)) == "xyz12"},
         {"ReleaseBuffer(2)", (s.ReleaseBuffer(2), S(s) == "xy")},
         {"ReleaseBuffer clamps rather than writes outside the buffer",
          (s.GetBuffer(6), s.ReleaseBuffer(1000), s.GetLength() <= s.GetAllocLength())},
         {"FreeExtra", (s = "abc", s.GetBuffer(100), s.FreeExtra(), s.GetAllocLength() == 3)},
         {"emptied then trimmed: no block of its own",
          (s.GetBuffer(8), s.ReleaseBuffer(0), s.FreeExtra(), DataOf(s) == DataOf(empty))},
         {"a locked buffer is never shared", pLocked != DataOf(copy)},
         {"the copy keeps its characters", (pLocked[0] = 'L', S(copy) == "locked")},
         {"unlocked: sharing again",
          (locked.UnlockBuffer(), DataOf(locked) == DataOf(CString(locked)))}});
}

// Every row applies operations to a string made from its input and shows the results as text;
// edits show their return value, a space, then the string (R); comparisons a digit each (B).
TEST(String, Operations)
{
// clang-format off
#define ROW(in, expr, expected) {#expr, in, [](CString& s) { (void)s; return expr; }, expected}
    // clang-format on
    typedef std::string (*Op)(CString&);
    struct Row {
        const char* name;
        const char* input;
        Op op;
        const char* expected;
    } rows[] = {
        ROW("", S({CString((LPCTSTR)NULL), CString('a', 4), CString('z'), CString('a', -3)}),
            "|aaaa|z|"),
        ROW("", S({CString("abcdef", 3), CString("abc", -1), CString((LPCTSTR)NULL, 5)}), "abc||"),
        ROW("a text", S({s = (LPCTSTR)s + 2, s = s, s = 'q', s = (LPCTSTR)NULL}), "text|text|q|"),
        ROW("abc", (s.Empty(), S(s)), ""),
        ROW("abcdef", S({s.Mid(2), s.Mid(2, 3), s.Mid(-2, 3), s.Mid(6)}), "cdef|cde|abc|"),
        ROW("abcdef", S({s.Mid(1, -1), s.Mid(1, INT_MAX), s.Mid(-5)}), "|bcdef|abcdef"),
        ROW("abcdef", S({s.Left(2), s.Left(-1), s.Left(99)}), "ab||abcdef"),
        ROW("abcdef", S({s.Right(2), s.Right(-1), s.Right(99)}), "ef||abcdef"),
        ROW("abcdef", S({s.SpanIncluding("cba"), s.SpanIncluding(NULL)}), "abc|"),
        ROW("abcdef", S({s.SpanExcluding("ed"), s.SpanExcluding(NULL)}), "abc|abcdef"),
        ROW("abc", N({s.GetAt(-1) + s.GetAt(3) + s[100], s.GetAt(2)}), "0 99"),
        ROW("one two one", N({s.Find('o'), s.Find('o', 1), s.Find('o', 100)}), "0 6 -1"),
        ROW("one two one", N({s.Find('o', -4), s.Find('z'), s.Find('\0')}), "0 -1 -1"),
        ROW("one two one", N({s.Find("one"), s.Find("one", 1), s.Find("one", 9)}), "0 8 -1"),
        ROW("one two one", N({s.Find(""), s.ReverseFind('o'), s.FindOneOf("wt")}), "0 8 4"),
        ROW("one", N({s.Find((LPCTSTR)NULL), s.Find("one two"), s.ReverseFind('z')}), "-1 -1 -1"),
        ROW("one", N({s.FindOneOf("xyz"), s.FindOneOf(NULL)}), "-1 -1"),
        ROW("", N({s.Find('a'), s.ReverseFind('a')}), "-1 -1"),
        ROW("apple", N({s.Compare("Apple") > 0, s.Compare(NULL) > 0}), "1 1"),
        ROW("apple", N({s.CompareNoCase("APPLE"), s.CompareNoCase("B") < 0}), "0 1"),
        ROW("apple", N({s.Collate("apple"), s.CollateNoCase("ApPlE")}), "0 0"),
        ROW("apple", B({s == "apple", "apple" == s, s == CString("apple"), s != "apple"}), "1110"),
        ROW("apple", B({"banana" != s, s != CString("banana"), s < "banana"}), "111"),
        ROW("apple", B({s < CString("banana"), "aa" < s, s < "aa", "banana" < s}), "1100"),
        ROW("apple", B({CString("banana") > s, s > "aa", "banana" > s}), "111"),
        ROW("apple", B({s <= "apple", "aa" <= s, CString("banana") <= s}), "110"),
        ROW("apple", B({s >= "apple", "zebra" >= s, s >= CString("banana")}), "110"),
        ROW("", B({s == (LPCTSTR)NULL}), "1"),
        ROW("a-b-c", R(s.Replace('-', '+'), s), "2 a+b+c"),
        ROW("a.b.c", R(s.Replace(".", "::"), s), "2 a::b::c"),
        ROW("xxaxx", R(s.Replace("xx", "y"), s), "2 yay"),
        ROW("banana", R(s.Replace("an", ""), s), "2 ba"),
        ROW("banana", R(s.Replace("a", NULL), s), "3 bnn"),
        ROW("banana", R(s.Replace("x", "y"), s), "0 banana"),
        ROW("ab", R(s.Replace("", "y"), s), "0 ab"),
        ROW("mississippi", R(s.Remove('s'), s), "4 miiippi"),
        ROW("ac", R(s.Insert(1, 'b'), s), "3 abc"),
        ROW("ab", R(s.Insert(10, "cd"), s), "4 abcd"),
        ROW("cd", R(s.Insert(-3, "ab"), s), "4 abcd"),
        ROW("ab", R(s.Insert(1, (LPCTSTR)NULL), s), "2 ab"),
        ROW("abcdef", R(s.Delete(1, 2), s), "4 adef"),
        ROW("abcdef", R(s.Delete(4, 10), s), "4 abcd"),
        ROW("abc", R(s.Delete(5, 1), s), "3 abc"),
        ROW("abc", R(s.Delete(-1, 1), s), "2 bc"),
        ROW("  a b \t\r\n", S(s.TrimRight()), "  a b"),
        ROW(" \t a b ", S(s.TrimLeft()), "a b "),
        ROW("  a  ", S(s.Trim()), "a"),
        ROW("xxaxx", S(s.TrimRight('x')), "xxa"),
        ROW("xxaxx", S(s.TrimLeft('x')), "axx"),
        ROW("a.,;.", S(s.TrimRight(".;,")), "a"),
        ROW("-=-a=", S(s.TrimLeft("=-")), "a="),
        ROW(" a", S(s.TrimLeft((LPCTSTR)NULL)), " a"),
        ROW(" \t ", N({s.Trim().GetLength(), s.Trim().GetLength()}), "0 0"),
        ROW("ab", S({s + CString("cd"), s + 'c', 'z' + s, s + (LPCTSTR)NULL}), "abcd|abc|zab|ab"),
        ROW("ab", S({s + "xy", "xy" + s, s += s}), "abxy|xyab|abab"),
        ROW("", (s.Format("%d-%s-%c-%05.1f", 42, "text", 'x', 3.14159), S(s)), "42-text-x-003.1"),
        ROW("",
            (s.Format("[%s]", std::string(20000, 'q').c_str()),
             S(s.Left(1)) + N({s.GetLength(), s.Mid(1).SpanIncluding("q").GetLength()})),
            "[20002 20000"),
        ROW("self", (s.Format("%s and %s", (LPCTSTR)s, (LPCTSTR)s), S(s)), "self and self"),
        ROW("", (s.Format("%I64d", (LONGLONG)-1234567890123LL), S(s)), "-1234567890123"),
        ROW("x", (s.Format((LPCTSTR)NULL), S(s)), ""),
        ROW("", R(s.LoadString(101), s), "1 Hello from the string table"),
        ROW("", S(CString(MAKEINTRESOURCE(101))), "Hello from the string table"),
        ROW("", N({s.LoadString(103), s.Remove('x'), s.GetLength()}), "1 600 0"),
        ROW("", (s.Format(102u, 3, "the box"), S(s)), "3 items in the box"),
        ROW("x", R(s.LoadString(9999), s), "0 ")};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CString s(r.input);
        EXPECT_EQ(r.expected, r.op(s));
        EXPECT_EQ((int)strlen(s), s.GetLength()) << "the length follows the edit";
    }
#undef ROW
}

// Appending grows the block by half again; an append of a tail of the string itself reads it
// before the old block goes.
TEST(String, LongAppendsKeepEveryCharacter)
{
    CString built;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        built += (char)('a' + i % 26);
        expected += (char)('a' + i % 26);
    }
    built += (LPCTSTR)built + 4990;
    EXPECT_EQ(expected + expected.substr(4990), S(built));
}
