// The script format of grafplay: words and strings, numbers and colours, the command table's
// argument checks and the FILE:LINE messages, without any window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Script.h"

using grafplay::Argument;
using grafplay::Command;
using grafplay::ScriptError;

namespace {

std::string Join(const std::vector<Argument>& words)
{
    std::string out;
    for (const Argument& w : words)
        out += "[" + w.text + "]";
    return out;
}

}  // namespace

TEST(GrafplayScript, TokenisesWordsStringsAndComments)
{
    struct Case {
        const char* line;
        const char* words;
    };
    const Case cases[] = {
        {"rect frame gray 10 10 100 80", "[rect][frame][gray][10][10][100][80]"},
        {"  \tpensize\t3  \r", "[pensize][3]"},
        {"polygon paint \"\" 10 10", "[polygon][paint][][10][10]"},
        {"text \"Hello, world\"", "[text][Hello, world]"},
        {"text \"say \\\"hi\\\"\"", "[text][say \"hi\"]"},
        {"text \"back\\\\slash\"", "[text][back\\slash]"},
        {"text \"#not a comment\"", "[text][#not a comment]"},
        {"forecolor #FF0000", "[forecolor][#FF0000]"},
        {"# a comment \"with an unterminated string", ""},
        {"    # an indented comment", ""},
        {"", ""},
        {"text \"caf\xC3\xA9\"", "[text][caf\xC3\xA9]"},
    };
    for (const Case& c : cases) {
        std::vector<Argument> words;
        std::string message;
        ASSERT_TRUE(grafplay::TokeniseLine(c.line, words, message)) << c.line << ": " << message;
        EXPECT_EQ(c.words, Join(words)) << "words of: " << c.line;
    }
    std::vector<Argument> words;
    std::string message;
    ASSERT_TRUE(grafplay::TokeniseLine("a \"b\" c", words, message));
    ASSERT_EQ(3u, words.size());
    EXPECT_FALSE(words[0].quoted) << "a bare word is not quoted";
    EXPECT_TRUE(words[1].quoted) << "a string is quoted";
}

TEST(GrafplayScript, RejectsMalformedLines)
{
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"text \"abc", "unterminated string"},
        {"text \"abc\\\"", "unterminated string"},
        {"text \"abc\\", "unterminated string"},
        {"text \"a\\nb\"", "bad escape '\\n' in string (only \\\" and \\\\)"},
        {"text \"a\"b", "a string must be followed by a blank"},
        {"text ab\"c\"", "quote inside the word 'ab\"'"},
    };
    for (const Case& c : cases) {
        std::vector<Argument> words;
        std::string message;
        EXPECT_FALSE(grafplay::TokeniseLine(c.line, words, message)) << "accepted: " << c.line;
        EXPECT_EQ(c.message, message) << "message for: " << c.line;
    }
}

TEST(GrafplayScript, ReadsNumbersAndColours)
{
    struct NumberCase {
        const char* text;
        bool ok;
        int value;
    };
    const NumberCase numbers[] = {
        {"0", true, 0},
        {"42", true, 42},
        {"-7", true, -7},
        {"+9", true, 9},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"1.5", false, 0},
        {"0x10", false, 0},
        {"12a", false, 0},
    };
    for (const NumberCase& c : numbers) {
        std::int32_t value = 12345;
        EXPECT_EQ(c.ok, grafplay::ParseNumber(c.text, value)) << "number '" << c.text << "'";
        if (c.ok) {
            EXPECT_EQ(c.value, value) << "value of '" << c.text << "'";
        }
    }
    struct ColourCase {
        const char* text;
        bool ok;
        std::uint32_t colourref;
    };
    const ColourCase colours[] = {
        {"#FF0000", true, 0x0000FF},
        {"#00ff00", true, 0x00FF00},
        {"#0000Ff", true, 0xFF0000},
        {"#123456", true, 0x563412},
        {"#000000", true, 0},
        {"#12345", false, 0},
        {"#1234567", false, 0},
        {"123456", false, 0},
        {"#12345G", false, 0},
        {"", false, 0},
        {"#", false, 0},
    };
    for (const ColourCase& c : colours) {
        std::uint32_t colour = 0xDEADBEEF;
        EXPECT_EQ(c.ok, grafplay::ParseColour(c.text, colour)) << "colour '" << c.text << "'";
        if (c.ok) {
            EXPECT_EQ(c.colourref, colour) << "COLORREF of '" << c.text << "'";
        }
    }
}

TEST(GrafplayScript, ParsesAGoodScript)
{
    const std::string script = "\xEF\xBB\xBF# sample\r\n"
                               "view 400 300 #ffffff\r\n"
                               "\n"
                               "pensize 3\n"
                               "rect frame gray 10 10 100 80\n"
                               "polygon paint \"\" 10 10 60 10 35 50\n"
                               "textbox C framed 0 0 100 50 \"word \\\"wrapped\\\" text\"\n"
                               "dellast partial\n"
                               "options off\n"
                               "dellisted full 1 2\n"
                               "textstyle\n"
                               "text \"\xE2\x82\xAC \xF0\x9F\x99\x82 \xC3\xA9\"\n"
                               "polyline\n"
                               "expect count 7";
    std::vector<Command> commands;
    ScriptError error;
    ASSERT_TRUE(grafplay::ParseScript(script, commands, error))
        << error.line << ": " << error.message;
    ASSERT_EQ(12u, commands.size());
    EXPECT_EQ("view", commands[0].name);
    EXPECT_EQ(2, commands[0].line) << "the byte-order mark and the comment keep line numbers";
    EXPECT_EQ(400, commands[0].args[0].number);
    EXPECT_EQ(0xFFFFFFu, commands[0].args[2].colour);
    EXPECT_EQ(4, commands[1].line) << "an empty line still counts";
    EXPECT_EQ(3, commands[1].args[0].number);
    EXPECT_EQ("gray", commands[2].args[1].text) << "words are kept as written";
    EXPECT_EQ(100, commands[2].args[4].number);
    EXPECT_EQ("", commands[3].args[1].text) << "\"\" is an empty pattern word";
    EXPECT_EQ(8u, commands[3].args.size());
    EXPECT_EQ(35, commands[3].args[6].number);
    EXPECT_EQ("C", commands[4].args[0].text);
    EXPECT_EQ(1, commands[4].args[1].number) << "framed reads as 1";
    EXPECT_EQ("word \"wrapped\" text", commands[4].args[6].text);
    EXPECT_EQ(1, commands[5].args[0].number) << "partial reads as 1";
    EXPECT_EQ(0, commands[6].args[0].number) << "off reads as 0";
    EXPECT_EQ(1u, commands[6].args.size()) << "options with an empty list";
    EXPECT_EQ(0, commands[7].args[0].number) << "full reads as 0";
    EXPECT_EQ(0u, commands[8].args.size()) << "textstyle with no words";
    EXPECT_EQ("\xE2\x82\xAC \xF0\x9F\x99\x82 \xC3\xA9", commands[9].args[0].text)
        << "UTF-8 text kept as written";
    EXPECT_EQ(0u, commands[10].args.size()) << "a polyline with no points";
    EXPECT_EQ(7, commands[11].args[1].number);
    EXPECT_EQ(14, commands[11].line) << "a last line without a line end";
}

TEST(GrafplayScript, ReportsBadScriptsWithTheirLine)
{
    struct Case {
        const char* script;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"view 10 10\nsquare 1 2", 2, "unknown command 'square'"},
        {"view 10 10\n\"rect\" frame gray 1 2 3 4", 2, "unknown command 'rect'"},
        {"view 10 10\nRECT frame gray 1 2 3 4", 2, "unknown command 'RECT'"},
        {"view 10 10\nrect frame gray 1 2 3", 2,
         "'rect' takes 6 arguments, got 5 (rect VERB PATTERN LEFT TOP RIGHT BOTTOM)"},
        {"view 10 10\npennormal 1", 2, "'pennormal' takes 0 arguments, got 1 (pennormal)"},
        {"view 10 10\npensize", 2, "'pensize' takes 1 argument, got 0 (pensize N)"},
        {"view 10\n", 1, "'view' takes 2 or 3 arguments, got 1 (view WIDTH HEIGHT [#RRGGBB])"},
        {"view 10 10\npolygon paint gray 1 2 3", 2,
         "'polygon' takes 2 arguments and one or more X Y pairs, got 5 (polygon VERB PATTERN X Y X "
         "Y ...)"},
        {"view 10 10\npolyline 5", 2,
         "'polyline' takes 0 arguments and any number of X Y pairs, got 1 (polyline X Y X Y ...)"},
        {"view 10 10\ndellisted", 2,
         "'dellisted' takes at least 1 argument, got 0 (dellisted partial|full NUMBER...)"},
        {"view 10 10\npensize three", 2, "bad number 'three'"},
        {"view 10 10\nrect frame gray 1 2 3 4.5", 2, "bad number '4.5'"},
        {"view 10 10\nforecolor red", 2, "bad colour 'red' (want #RRGGBB)"},
        {"view 10 10 #fffff\n", 1, "bad colour '#fffff' (want #RRGGBB)"},
        {"view 10 10\ndellast maybe", 2, "bad word 'maybe' (want 'partial' or 'full')"},
        {"view 10 10\ntextbox L boxed 0 0 9 9 x", 2, "bad word 'boxed' (want 'framed' or 'plain')"},
        {"view 10 10\nexpect elements 3", 2, "bad word 'elements' (want 'count')"},
        {"view 10 10\n\ntext \"open", 3, "unterminated string"},
        {"# header\npensize 3\nview 10 10", 2, "'pensize' before 'view'"},
        {"view 10 10\nview 20 20", 2, "a second 'view' (a script draws in one view)"},
        {"view 0 10", 1, "view size out of range (1 to 16384 pixels each way)"},
        {"view 10 -5", 1, "view size out of range (1 to 16384 pixels each way)"},
        {"view 100000 10", 1, "view size out of range (1 to 16384 pixels each way)"},
        {"# only a comment\n", 1, "no 'view' in the script"},
        {"", 1, "no 'view' in the script"},
        {"view 10 10\ntext \"\xFF\"", 2, "malformed UTF-8"},
        {"view 10 10\ntext \"\xC3\"", 2, "malformed UTF-8"},
        {"view 10 10\ntext \"caf\xC3\"", 2, "malformed UTF-8"},
        {"view 10 10\ntext \"\xC0\xAF\"", 2, "malformed UTF-8"},
        {"view 10 10\ntext \"\xE0\x80\xAF\"", 2, "malformed UTF-8"},
        {"view 10 10\ntext \"\xED\xA0\x80\"", 2, "malformed UTF-8"},
        {"view 10 10\ntext \"\xF4\x90\x80\x80\"", 2, "malformed UTF-8"},
        {"view 10 10\ntext \"\x80\"", 2, "malformed UTF-8"},
    };
    for (const Case& c : cases) {
        std::vector<Command> commands;
        ScriptError error;
        EXPECT_FALSE(grafplay::ParseScript(c.script, commands, error)) << "accepted:\n" << c.script;
        EXPECT_EQ(c.line, error.line) << "line of the error in:\n" << c.script;
        EXPECT_EQ(c.message, error.message) << "message for:\n" << c.script;
    }
    std::vector<Command> commands;
    ScriptError error;
    EXPECT_FALSE(
        grafplay::ParseScript(std::string("view 10 10\ntext \"a\0b\"", 21), commands, error));
    EXPECT_EQ(2, error.line) << "a NUL byte is reported on its line";
    EXPECT_EQ("demo.graf:12: unknown command 'x'",
              grafplay::FormatError("demo.graf", 12, "unknown command 'x'"));
}

// The caller's text check sees every argument, and its first refusal stops the parse on its line
// with its message.
TEST(GrafplayScript, ACallersTextCheckRefusesWordsOnTheirLine)
{
    static std::vector<std::string> seen;
    seen.clear();
    const grafplay::TextCheck noZ = [](const std::string& text, std::string& message) {
        seen.push_back(text);
        if (text.find('z') == std::string::npos)
            return true;
        message = "no z please: " + text;
        return false;
    };
    std::vector<Command> commands;
    ScriptError error;
    EXPECT_TRUE(
        grafplay::ParseScript("view 10 10\nrect frame gray 1 2 3 4\n", commands, error, noZ));
    EXPECT_EQ((std::vector<std::string>{"10", "10", "frame", "gray", "1", "2", "3", "4"}), seen);
    EXPECT_FALSE(
        grafplay::ParseScript("view 10 10\ntext ok\n\ntext \"fizz\"\n", commands, error, noZ));
    EXPECT_EQ(4, error.line);
    EXPECT_EQ("no z please: fizz", error.message);
}

TEST(GrafplayScript, EveryCommandHasAUsageLine)
{
    const char* const names[] = {
        "view",
        "reset",
        "output",
        "scrollable",
        "viewcolor",
        "repaint",
        "delall",
        "dellast",
        "dellisted",
        "delallactive",
        "dellistedactive",
        "delallclick",
        "dellistedclick",
        "expect",
        "pennormal",
        "pensize",
        "penloc",
        "penoffset",
        "forecolor",
        "backcolor",
        "textnormal",
        "textfont",
        "textsize",
        "textstyle",
        "options",
        "pattern",
        "bkpattern",
        "penmode",
        "textmode",
        "rect",
        "oval",
        "roundrect",
        "arc",
        "polygon",
        "polyline",
        "lineto",
        "line",
        "text",
        "textbox",
    };
    for (const char* name : names) {
        const std::string usage = grafplay::CommandUsage(name);
        EXPECT_EQ(0u, usage.find(name))
            << "usage of " << name << " starts with its name: " << usage;
    }
    EXPECT_EQ("", grafplay::CommandUsage("nosuch"));
}
