// Decoding of the host's words: verbs by their first letter (FRAME against FILL by the second),
// patterns or region identifiers, style words; which strings are upper-cased in place and which
// are left as the host gave them, multibyte words included.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <mbctype.h>

#include <string>

#include "state/Words.h"

namespace {

// Switches the runtime's multibyte code page for one scope.
class MultibyteCodePage
{
public:
    explicit MultibyteCodePage(int cp) : m_old(_getmbcp()) { m_ok = _setmbcp(cp) == 0; }
    ~MultibyteCodePage() { _setmbcp(m_old); }
    bool Ok() const { return m_ok; }

private:
    int m_old;
    bool m_ok;
};

}  // namespace

TEST(Words, VerbsByFirstLetterAndTheHostStringUpperCased)
{
    struct Case {
        const char* word;
        int verb;
        const char* after;
    };
    const Case cases[] = {
        {"", VERB_EMPTY, ""},
        {"f", VERB_FRAME, "F"},
        {"frame", VERB_FRAME, "FRAME"},
        {"Fx", VERB_FRAME, "FX"},
        {"fi", VERB_FILL, "FI"},
        {"fill", VERB_FILL, "FILL"},
        {"paint", VERB_PAINT, "PAINT"},
        {"Erase", VERB_ERASE, "ERASE"},
        {"invert", VERB_INVERT, "INVERT"},
        {"active", VERB_ACTIVE, "ACTIVE"},
        {"click", VERB_CLICK, "CLICK"},
        {"Cx", VERB_CLICK, "CX"},
        {"zebra", VERB_FILL, "ZEBRA"},
        {"9", VERB_FILL, "9"},
        {" frame", VERB_FILL, " FRAME"},
    };
    for (const Case& c : cases) {
        CString host(c.word);
        const CString copy = host;  // shares the host's characters until one is written
        EXPECT_EQ(c.verb, ParseVerb(host)) << "verb word \"" << c.word << "\"";
        EXPECT_STREQ(c.after, host) << "host's verb word after \"" << c.word << "\"";
        EXPECT_STREQ(c.word, copy) << "another string that shared the word";
    }
}

TEST(Words, PatternsOrRegionIdentifiers)
{
    struct Case {
        int verb;
        const char* word;
        int result;
        const char* after;
    };
    const Case cases[] = {
        {VERB_FILL, "white", PAT_WHITE, "WHITE"},
        {VERB_FILL, "ltgray", PAT_LTGRAY, "LTGRAY"},
        {VERB_FILL, "gray", PAT_GRAY, "GRAY"},
        {VERB_FILL, "dkgray", PAT_DKGRAY, "DKGRAY"},
        {VERB_FILL, "b", PAT_BLACK, "B"},
        {VERB_FILL, "x", PAT_OTHER, "X"},
        {VERB_FILL, "12", PAT_OTHER, "12"},
        {VERB_FILL, "", PAT_EMPTY, ""},
        {VERB_PAINT, "g", PAT_GRAY, "G"},
        {VERB_FRAME, "gray", PAT_GRAY, "GRAY"},
        {VERB_EMPTY, "dk", PAT_DKGRAY, "DK"},
        {VERB_CLICK, "42", 42, "42"},
        {VERB_CLICK, "gray", 0, "gray"},
        {VERB_CLICK, "", 0, ""},
        {VERB_ACTIVE, "12abc", 12, "12abc"},
        {VERB_ACTIVE, "  -7", -7, "  -7"},
        {VERB_ACTIVE, "+15", 15, "+15"},
        // Past 32 bits the runtime's atoi keeps the low 32 bits.
        {VERB_ACTIVE, "4294967338", 42, "4294967338"},
    };
    for (const Case& c : cases) {
        CString host(c.word);
        EXPECT_EQ(c.result, ParsePattern(c.verb, host))
            << "verb " << c.verb << ", pattern word \"" << c.word << "\"";
        EXPECT_STREQ(c.after, host) << "host's pattern word after \"" << c.word << "\"";
    }
}

TEST(Words, StyleWordsLeaveTheHostStrings)
{
    struct Case {
        std::initializer_list<const char*> words;
        int set;
    };
    const Case cases[] = {
        {{}, 0},
        {{""}, 0},
        {{"Bold"}, STYLE_BOLD},
        {{"b"}, STYLE_BOLD},
        {{"Bzz"}, STYLE_BOLD},
        {{"", "italic"}, STYLE_ITALIC},
        {{"x", "9", " bold"}, 0},
        {{"plain", "underline"}, STYLE_PLAIN | STYLE_UNDERLINE},
        {{"bold", "shadow", "outline", "condense", "italic", "underline", "extend", "plain"}, 255},
        {{"e", "E", "extend"}, STYLE_EXTEND},
        {{"c", "s"}, STYLE_CONDENSE | STYLE_SHADOW},
    };
    for (const Case& c : cases) {
        CStringArray words;
        std::string list;
        for (const char* w : c.words) {
            words.Add(w);
            list += std::string("\"") + w + "\" ";
        }
        EXPECT_EQ(c.set, ParseTextStyle(words)) << "words " << list;
        INT_PTR i = 0;
        for (const char* w : c.words)
            EXPECT_STREQ(w, words[i++]) << "the host's style word is not changed";
    }
}

// In a double-byte code page a trail byte that looks like a lower-case letter is not changed,
// and a lead byte in first place is no letter of any table.
TEST(Words, MultibyteWordsUpperCaseWholeCharacters)
{
    MultibyteCodePage cp(932);
    ASSERT_TRUE(cp.Ok()) << "code page 932 available";
    struct Case {
        const char* word;
        int verb;
        const char* after;
    };
    const Case cases[] = {
        {"\x83\x61"
         "bc",
         VERB_FILL,
         "\x83\x61"
         "BC"},
        {"p\x83\x61", VERB_PAINT, "P\x83\x61"},
        {"fi\x82\x70z", VERB_FILL, "FI\x82\x70Z"},
    };
    for (const Case& c : cases) {
        CString host(c.word);
        EXPECT_EQ(c.verb, ParseVerb(host));
        EXPECT_STREQ(c.after, host);
    }
    CString pattern("g\x83\x61");
    EXPECT_EQ(PAT_GRAY, ParsePattern(VERB_FILL, pattern));
    EXPECT_STREQ("G\x83\x61", pattern);
}
