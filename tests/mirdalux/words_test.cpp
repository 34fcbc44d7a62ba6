// Decoding of the host's words (verbs, patterns or region identifiers, style words, face
// names): the code each gives and what is left of the host's string, which another string sharing
// its characters must not see change; multibyte words too.
#include "TestSupport.h"

#include <mbctype.h>

#include <algorithm>

#include "state/Words.h"
#include "view/GraphicView.h"

// Verb words (verb N) and the pattern words of a verb. A word with a byte above 0x7F is read in
// code page 932, where a trail byte that looks like a lower-case letter is not changed and a lead
// byte in first place is no letter of any table.
TEST(Words, VerbsAndPatternsDecodeAndUpperCaseTheHostString)
{
    const int N = VERB_NONE;
    // clang-format off
    struct Row { int verb; const char* word; int code; const char* after; };
    const Row rows[] = {
        {N, "", VERB_EMPTY, ""}, {N, "f", VERB_FRAME, "F"}, {N, "frame", VERB_FRAME, "FRAME"},
        {N, "Fx", VERB_FRAME, "FX"}, {N, "fi", VERB_FILL, "FI"}, {N, "fill", VERB_FILL, "FILL"},
        {N, "paint", VERB_PAINT, "PAINT"}, {N, "Erase", VERB_ERASE, "ERASE"},
        {N, "invert", VERB_INVERT, "INVERT"}, {N, "active", VERB_ACTIVE, "ACTIVE"},
        {N, "click", VERB_CLICK, "CLICK"}, {N, "Cx", VERB_CLICK, "CX"},
        {N, "zebra", VERB_FILL, "ZEBRA"}, {N, "9", VERB_FILL, "9"},
        {N, " frame", VERB_FILL, " FRAME"}, {N, "\x83\x61" "bc", VERB_FILL, "\x83\x61" "BC"},
        {N, "p\x83\x61", VERB_PAINT, "P\x83\x61"}, {N, "fi\x82\x70z", VERB_FILL, "FI\x82\x70Z"},
        {VERB_FILL, "white", PAT_WHITE, "WHITE"}, {VERB_FILL, "ltgray", PAT_LTGRAY, "LTGRAY"},
        {VERB_FILL, "gray", PAT_GRAY, "GRAY"}, {VERB_FILL, "dkgray", PAT_DKGRAY, "DKGRAY"},
        {VERB_FILL, "b", PAT_BLACK, "B"}, {VERB_FILL, "x", PAT_OTHER, "X"},
        {VERB_FILL, "12", PAT_OTHER, "12"}, {VERB_FILL, "", PAT_EMPTY, ""},
        {VERB_FILL, "g\x83\x61", PAT_GRAY, "G\x83\x61"},
        {VERB_PAINT, "g", PAT_GRAY, "G"}, {VERB_FRAME, "gray", PAT_GRAY, "GRAY"},
        {VERB_EMPTY, "dk", PAT_DKGRAY, "DK"}, {VERB_CLICK, "42", 42, "42"},
        {VERB_CLICK, "gray", 0, "gray"}, {VERB_CLICK, "", 0, ""},
        {VERB_ACTIVE, "12abc", 12, "12abc"}, {VERB_ACTIVE, "  -7", -7, "  -7"},
        {VERB_ACTIVE, "+15", 15, "+15"},
        {VERB_ACTIVE, "4294967338", 42, "4294967338"},  // atoi keeps the low 32 bits
    };
    // clang-format on
    const int oldCp = _getmbcp();
    for (const Row& r : rows) {
        SCOPED_TRACE("verb " + std::to_string(r.verb) + ", word \"" + r.word + "\"");
        if (std::any_of(r.word, r.word + strlen(r.word), [](char c) { return c & 0x80; }))
            ASSERT_EQ(0, _setmbcp(932)) << "code page 932 available";
        else
            _setmbcp(oldCp);
        CString host(r.word);
        const CString shared = host;
        EXPECT_EQ(r.code, r.verb == N ? ParseVerb(host) : ParsePattern(r.verb, host));
        EXPECT_STREQ(r.after, host);
        EXPECT_STREQ(r.word, shared) << "another string that shared the word";
    }
    _setmbcp(oldCp);
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
