// Decoding of the host's words, one table per family (verbs, patterns or region identifiers,
// style words, face names): the code each gives and what is left of the host's string, which
// another string sharing its characters must not see change; multibyte words too.
#include "TestSupport.h"

#include <mbctype.h>

#include "state/Words.h"
#include "view/GraphicView.h"

TEST(Words, VerbsByFirstLetterAndTheHostStringUpperCased)
{
    // clang-format off
    struct Row { const char* word; int verb; const char* after; };
    const Row rows[] = {
        {"", VERB_EMPTY, ""}, {"f", VERB_FRAME, "F"}, {"frame", VERB_FRAME, "FRAME"},
        {"Fx", VERB_FRAME, "FX"}, {"fi", VERB_FILL, "FI"}, {"fill", VERB_FILL, "FILL"},
        {"paint", VERB_PAINT, "PAINT"}, {"Erase", VERB_ERASE, "ERASE"},
        {"invert", VERB_INVERT, "INVERT"}, {"active", VERB_ACTIVE, "ACTIVE"},
        {"click", VERB_CLICK, "CLICK"}, {"Cx", VERB_CLICK, "CX"}, {"zebra", VERB_FILL, "ZEBRA"},
        {"9", VERB_FILL, "9"}, {" frame", VERB_FILL, " FRAME"},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string("verb word \"") + r.word + "\"");
        CString host(r.word);
        const CString shared = host;
        EXPECT_EQ(r.verb, ParseVerb(host));
        EXPECT_STREQ(r.after, host);
        EXPECT_STREQ(r.word, shared) << "another string that shared the word";
    }
}

TEST(Words, PatternsOrRegionIdentifiers)
{
    // clang-format off
    struct Row { int verb; const char* word; int result; const char* after; };
    const Row rows[] = {
        {VERB_FILL, "white", PAT_WHITE, "WHITE"}, {VERB_FILL, "ltgray", PAT_LTGRAY, "LTGRAY"},
        {VERB_FILL, "gray", PAT_GRAY, "GRAY"}, {VERB_FILL, "dkgray", PAT_DKGRAY, "DKGRAY"},
        {VERB_FILL, "b", PAT_BLACK, "B"}, {VERB_FILL, "x", PAT_OTHER, "X"},
        {VERB_FILL, "12", PAT_OTHER, "12"}, {VERB_FILL, "", PAT_EMPTY, ""},
        {VERB_PAINT, "g", PAT_GRAY, "G"}, {VERB_FRAME, "gray", PAT_GRAY, "GRAY"},
        {VERB_EMPTY, "dk", PAT_DKGRAY, "DK"}, {VERB_CLICK, "42", 42, "42"},
        {VERB_CLICK, "gray", 0, "gray"}, {VERB_CLICK, "", 0, ""},
        {VERB_ACTIVE, "12abc", 12, "12abc"}, {VERB_ACTIVE, "  -7", -7, "  -7"},
        {VERB_ACTIVE, "+15", 15, "+15"},
        {VERB_ACTIVE, "4294967338", 42, "4294967338"},  // atoi keeps the low 32 bits
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE("verb " + std::to_string(r.verb) + ", pattern word \"" + r.word + "\"");
        CString host(r.word);
        const CString shared = host;
        EXPECT_EQ(r.result, ParsePattern(r.verb, host));
        EXPECT_STREQ(r.after, host);
        EXPECT_STREQ(r.word, shared) << "another string that shared the word";
    }
}

TEST(Words, StyleWordsLeaveTheHostStrings)
{
    // clang-format off
    struct Row { const char* name; std::initializer_list<const char*> words; int set; };
    const Row rows[] = {
        {"none", {}, 0}, {"empty", {""}, 0}, {"Bold", {"Bold"}, STYLE_BOLD},
        {"b", {"b"}, STYLE_BOLD}, {"Bzz", {"Bzz"}, STYLE_BOLD},
        {"empty, italic", {"", "italic"}, STYLE_ITALIC},
        {"no letter of the list", {"x", "9", " bold"}, 0},
        {"plain, underline", {"plain", "underline"}, STYLE_PLAIN | STYLE_UNDERLINE},
        {"all eight", {"bold", "shadow", "outline", "condense", "italic", "underline", "extend",
                       "plain"}, 255},
        {"extend thrice", {"e", "E", "extend"}, STYLE_EXTEND},
        {"c, s", {"c", "s"}, STYLE_CONDENSE | STYLE_SHADOW},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CStringArray words;
        for (const char* w : r.words)
            words.Add(w);
        EXPECT_EQ(r.set, ParseTextStyle(words));
        INT_PTR i = 0;
        for (const char* w : r.words)
            EXPECT_STREQ(w, words[i++]) << "the host's style word is not changed";
    }
}

TEST(Words, FaceNamesMapOnACopy)
{
    // clang-format off
    struct Row { const char* name; const char* stored; };
    const Row rows[] = {
        {"geneva", "Arial"}, {"MONACO", "Arial"}, {"Monaco ", "MONACO "},
        {"calfixedsys", "COURIER"}, {"courier", "COURIER"}, {"Arial", "ARIAL"},
        {"Times New Roman", "TIMES NEW ROMAN"}, {"", "Arial"},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string("face \"") + r.name + "\"");
        const CString host(r.name);
        EXPECT_STREQ(r.stored, CGraphicView::MapFaceName(host));
        EXPECT_STREQ(r.name, host) << "the host's face name is not changed";
    }
}

// In a double-byte code page a trail byte that looks like a lower-case letter is not changed, and
// a lead byte in first place is no letter of any table.
TEST(Words, MultibyteWordsUpperCaseWholeCharacters)
{
    const int old = _getmbcp();
    ASSERT_EQ(0, _setmbcp(932)) << "code page 932 available";
    struct Row {
        int verb;  // VERB_NONE: decode as a verb word; otherwise as this verb's pattern
        const char* word;
        int code;
        const char* after;
    };
    // clang-format off
    const Row rows[] = {
        {VERB_NONE, "\x83\x61" "bc", VERB_FILL, "\x83\x61" "BC"},
        {VERB_NONE, "p\x83\x61", VERB_PAINT, "P\x83\x61"},
        {VERB_NONE, "fi\x82\x70z", VERB_FILL, "FI\x82\x70Z"},
        {VERB_FILL, "g\x83\x61", PAT_GRAY, "G\x83\x61"},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.after);
        CString host(r.word);
        EXPECT_EQ(r.code, r.verb == VERB_NONE ? ParseVerb(host) : ParsePattern(r.verb, host));
        EXPECT_STREQ(r.after, host);
    }
    _setmbcp(old);
}
