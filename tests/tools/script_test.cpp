// The script format of grafplay without any window: words and strings, numbers and colours, the
// command table's argument checks and the messages with their lines.
#include "TestSupport.h"

#include <cstdio>
#include <sstream>

#include "Script.h"

using grafplay::Argument;
using grafplay::Command;
using grafplay::ScriptError;

namespace {

// Words as [bare] and <quoted>.
std::string Join(const std::vector<Argument>& words)
{
    std::string out;
    for (const Argument& w : words)
        out += (w.quoted ? "<" : "[") + w.text + (w.quoted ? ">" : "]");
    return out;
}

// "LINE NAME ARG...", each argument as its text, then |NUMBER and |#COLOUR when not zero.
std::string Describe(const Command& c)
{
    std::string out = std::to_string(c.line) + " " + c.name;
    for (const Argument& a : c.args) {
        out += " " + (a.quoted ? "\"" + a.text + "\"" : a.text);
        if (a.number != 0)
            out += "|" + std::to_string(a.number);
        char colour[16];
        std::snprintf(colour, sizeof colour, "|#%06X", unsigned(a.colour));
        if (a.colour != 0)
            out += colour;
    }
    return out;
}

}  // namespace

TEST(GrafplayScript, TokenisesLinesOrSaysWhyNot)
{
    struct Row {
        const char* line;
        const char* words;    // when the line is accepted
        const char* message;  // when it is refused
    };
    const Row rows[] = {
        {"rect frame gray 10 10 100 80", "[rect][frame][gray][10][10][100][80]", nullptr},
        {"  \tpensize\t3  \r", "[pensize][3]", nullptr},
        {"polygon paint \"\" 10 10", "[polygon][paint]<>[10][10]", nullptr},
        {"text \"Hello, world\"", "[text]<Hello, world>", nullptr},
        {"text \"say \\\"hi\\\"\"", "[text]<say \"hi\">", nullptr},
        {"text \"back\\\\slash\"", "[text]<back\\slash>", nullptr},
        {"text \"#not a comment\"", "[text]<#not a comment>", nullptr},
        {"forecolor #FF0000", "[forecolor][#FF0000]", nullptr},
        {"# a comment \"with an unterminated string", "", nullptr},
        {"    # an indented comment", "", nullptr},
        {"", "", nullptr},
        {"text \"caf\xC3\xA9\"", "[text]<caf\xC3\xA9>", nullptr},
        {"text \"abc", nullptr, "unterminated string"},
        {"text \"abc\\\"", nullptr, "unterminated string"},
        {"text \"abc\\", nullptr, "unterminated string"},
        {"text \"a\\nb\"", nullptr, "bad escape '\\n' in string (only \\\" and \\\\)"},
        {"text \"a\"b", nullptr, "a string must be followed by a blank"},
        {"text ab\"c\"", nullptr, "quote inside the word 'ab\"'"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.line);
        std::vector<Argument> words;
        std::string message;
        EXPECT_EQ(r.words != nullptr, grafplay::TokeniseLine(r.line, words, message)) << message;
        if (r.words != nullptr)
            EXPECT_EQ(r.words, Join(words));
        else
            EXPECT_EQ(r.message, message);
    }
}

TEST(GrafplayScript, ReadsNumbersAndColours)
{
    struct Row {
        const char* text;
        bool ok;
        std::int64_t value;
    };
    const Row numbers[] = {
        {"0", true, 0},
        {"42", true, 42},
        {"-7", true, -7},
        {"+9", true, 9},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483648LL},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"1.5", false, 0},
        {"0x10", false, 0},
        {"12a", false, 0},
    };
    for (const Row& r : numbers) {
        SCOPED_TRACE(std::string("number '") + r.text + "'");
        std::int32_t value = 12345;
        EXPECT_EQ(r.ok, grafplay::ParseNumber(r.text, value));
        if (r.ok) {
            EXPECT_EQ(r.value, value);
        }
    }
    const Row colours[] = {
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
    for (const Row& r : colours) {
        SCOPED_TRACE(std::string("colour '") + r.text + "'");
        std::uint32_t colour = 0xDEADBEEF;
        EXPECT_EQ(r.ok, grafplay::ParseColour(r.text, colour));
        if (r.ok) {
            EXPECT_EQ(std::uint32_t(r.value), colour) << "as a COLORREF";
        }
    }
}

TEST(GrafplayScript, ParsesAGoodScript)
{
    // A byte-order mark, CR LF and LF, an empty line, a comment, a last line without its end.
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
    const char* const expected =
        "2 view 400|400 300|300 #ffffff|#FFFFFF\n"
        "4 pensize 3|3\n"
        "5 rect frame gray 10|10 10|10 100|100 80|80\n"
        "6 polygon paint \"\" 10|10 10|10 60|60 10|10 35|35 50|50\n"
        "7 textbox C framed|1 0 0 100|100 50|50 \"word \"wrapped\" text\"\n"
        "8 dellast partial|1\n"
        "9 options off\n"
        "10 dellisted full 1|1 2|2\n"
        "11 textstyle\n"
        "12 text \"\xE2\x82\xAC \xF0\x9F\x99\x82 \xC3\xA9\"\n"
        "13 polyline\n"
        "14 expect count|1 7|7\n";
    std::vector<Command> commands;
    ScriptError error;
    ASSERT_TRUE(grafplay::ParseScript(script, commands, error))
        << error.line << ": " << error.message;
    std::string got;
    for (const Command& c : commands)
        got += Describe(c) + "\n";
    EXPECT_EQ(expected, got);
}

TEST(GrafplayScript, ReportsBadScriptsWithTheirLine)
{
    struct Row {
        std::string script;
        int line;
        const char* message;
    };
    const char* const kRange = "view size out of range (1 to 16384 pixels each way)";
    const Row rows[] = {
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
        {"view 0 10", 1, kRange},
        {"view 10 -5", 1, kRange},
        {"view 100000 10", 1, kRange},
        {"# only a comment\n", 1, "no 'view' in the script"},
        {"", 1, "no 'view' in the script"},
        {std::string("view 10 10\ntext \"a\0b\"", 21), 2, "NUL character in the line"},
        {"view 10 10\ntext \"\xFF\"", 2, "malformed UTF-8"},
        {"view 10 10\ntext \"\xC3\"", 2, "malformed UTF-8"},
        {"view 10 10\ntext \"caf\xC3\"", 2, "malformed UTF-8"},
        {"view 10 10\ntext \"\xC0\xAF\"", 2, "malformed UTF-8"},
        {"view 10 10\ntext \"\xE0\x80\xAF\"", 2, "malformed UTF-8"},
        {"view 10 10\ntext \"\xED\xA0\x80\"", 2, "malformed UTF-8"},
        {"view 10 10\ntext \"\xF4\x90\x80\x80\"", 2, "malformed UTF-8"},
        {"view 10 10\ntext \"\x80\"", 2, "malformed UTF-8"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.script);
        std::vector<Command> commands;
        ScriptError error;
        EXPECT_FALSE(grafplay::ParseScript(r.script, commands, error));
        EXPECT_EQ(r.line, error.line);
        EXPECT_EQ(r.message, error.message);
    }
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
    std::istringstream names(
        "view reset output scrollable viewcolor repaint delall dellast dellisted delallactive "
        "dellistedactive delallclick dellistedclick expect pennormal pensize penloc penoffset "
        "forecolor backcolor textnormal textfont textsize textstyle options pattern bkpattern "
        "penmode textmode rect oval roundrect arc polygon polyline lineto line text textbox");
    for (std::string name; names >> name;) {
        const std::string usage = grafplay::CommandUsage(name);
        EXPECT_TRUE(usage == name || usage.compare(0, name.size() + 1, name + " ") == 0)
            << "the usage of " << name << " starts with its name: " << usage;
    }
    EXPECT_EQ("", grafplay::CommandUsage("nosuch"));
}
