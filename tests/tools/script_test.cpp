// The script format of grafplay without any window: words and strings, numbers and colours, the
// command table's argument checks and the messages with their lines; and the BMP files it reads.
#include "TestSupport.h"

#include <cstdio>
#include <sstream>
#include <tuple>

#include "PackedDib.h"
#include "Script.h"

using namespace grafplay;

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
    // An accepted line gives its words, a refused one "refused: " and the reason.
    const std::pair<const char*, std::string> rows[] = {
        {"rect frame gray 10 10 100 80", "[rect][frame][gray][10][10][100][80]"},
        {"  \tpensize\t3  \r", "[pensize][3]"},
        {"polygon paint \"\" 10 10", "[polygon][paint]<>[10][10]"},
        {"text \"Hello, world\"", "[text]<Hello, world>"},
        {"text \"say \\\"hi\\\"\"", "[text]<say \"hi\">"},
        {"text \"back\\\\slash\"", "[text]<back\\slash>"},
        {"text \"#not a comment\"", "[text]<#not a comment>"},
        {"forecolor #FF0000", "[forecolor][#FF0000]"},
        {"# a comment \"with an unterminated string", ""},
        {"    # an indented comment", ""},
        {"", ""},
        {"text \"caf\xC3\xA9\"", "[text]<caf\xC3\xA9>"},
        {"text \"abc", "refused: unterminated string"},
        {"text \"abc\\\"", "refused: unterminated string"},
        {"text \"abc\\", "refused: unterminated string"},
        {"text \"a\\nb\"", "refused: bad escape '\\n' in string (only \\\" and \\\\)"},
        {"text \"a\"b", "refused: a string must be followed by a blank"},
        {"text ab\"c\"", "refused: quote inside the word 'ab\"'"},
    };
    for (const auto& [line, expected] : rows) {
        SCOPED_TRACE(line);
        std::vector<Argument> words;
        std::string message;
        const bool accepted = grafplay::TokeniseLine(line, words, message);
        EXPECT_EQ(expected, accepted ? Join(words) : "refused: " + message);
    }
}

TEST(GrafplayScript, ReadsNumbersAndColours)
{
    // Whether the text is a colour, the text, whether it reads, its value (a colour's COLORREF).
    const std::tuple<bool, const char*, bool, std::int64_t> rows[] = {
        {false, "0", true, 0},
        {false, "42", true, 42},
        {false, "-7", true, -7},
        {false, "+9", true, 9},
        {false, "2147483647", true, 2147483647},
        {false, "-2147483648", true, -2147483648LL},
        {false, "2147483648", false, 0},
        {false, "-2147483649", false, 0},
        {false, "99999999999999999999", false, 0},
        {false, "", false, 0},
        {false, "-", false, 0},
        {false, "1.5", false, 0},
        {false, "0x10", false, 0},
        {false, "12a", false, 0},
        {true, "#FF0000", true, 0x0000FF},
        {true, "#00ff00", true, 0x00FF00},
        {true, "#0000Ff", true, 0xFF0000},
        {true, "#123456", true, 0x563412},
        {true, "#000000", true, 0},
        {true, "#12345", false, 0},
        {true, "#1234567", false, 0},
        {true, "123456", false, 0},
        {true, "#12345G", false, 0},
        {true, "", false, 0},
        {true, "#", false, 0},
    };
    for (const auto& [isColour, text, ok, value] : rows) {
        SCOPED_TRACE(std::string(isColour ? "colour '" : "number '") + text + "'");
        // Values no row expects, so a parse that writes nothing is seen.
        std::int32_t number = 12345;
        std::uint32_t colour = 0xDEADBEEF;
        EXPECT_EQ(ok, isColour ? grafplay::ParseColour(text, colour)
                               : grafplay::ParseNumber(text, number));
        EXPECT_TRUE(!ok || value == (isColour ? std::int64_t(colour) : number))
            << "read " << (isColour ? std::int64_t(colour) : number);
    }
}

TEST(GrafplayScript, ParsesAGoodScript)
{
    // A byte-order mark, CR LF and LF, an empty line, a comment, a last line without its end:
    // each line as written beside the command it gives (null: none).
    const std::pair<const char*, const char*> lines[] = {
        {"\xEF\xBB\xBF# sample\r\n", nullptr},
        {"view 400 300 #ffffff\r\n", "2 view 400|400 300|300 #ffffff|#FFFFFF"},
        {"\n", nullptr},
        {"pensize 3\n", "4 pensize 3|3"},
        {"rect frame gray 10 10 100 80\n", "5 rect frame gray 10|10 10|10 100|100 80|80"},
        {"polygon paint \"\" 10 10 60 10 35 50\n",
         "6 polygon paint \"\" 10|10 10|10 60|60 10|10 35|35 50|50"},
        {"textbox C framed 0 0 100 50 \"word \\\"wrapped\\\" text\"\n",
         "7 textbox C framed|1 0 0 100|100 50|50 \"word \"wrapped\" text\""},
        {"dellast partial\n", "8 dellast partial|1"},
        {"options off\n", "9 options off"},
        {"dellisted full 1 2\n", "10 dellisted full 1|1 2|2"},
        {"textstyle\n", "11 textstyle"},
        {"text \"\xE2\x82\xAC \xF0\x9F\x99\x82 \xC3\xA9\"\n",
         "12 text \"\xE2\x82\xAC \xF0\x9F\x99\x82 \xC3\xA9\""},
        {"polyline\n", "13 polyline"},
        // Icons and pictures number apart; a picture's state follows its declaration.
        {"icondef 2 a.ico\n", "14 icondef 2|2 a.ico"},
        {"pictdef 2 \"b c.bmp\"\n", "15 pictdef 2|2 \"b c.bmp\""},
        {"pictstate 2 highlight d.bmp\n", "16 pictstate 2|2 highlight|1 d.bmp"},
        {"curpict 1 2 0\n", "17 curpict 1|1 2|2 0"},
        {"updatepict d.bmp 0 0 5 5 -1\n", "18 updatepict d.bmp 0 0 5|5 5|5 -1|-1"},
        // Pointer steps at the ends of their ranges.
        {"dblclick -32768 32767\n", "19 dblclick -32768|-32768 32767|32767"},
        {"wait 10000\n", "20 wait 10000|10000"},
        {"wait 0\n", "21 wait 0"},
        {"expect count 7", "22 expect count|1 7|7"},
    };
    std::string script, expected, got;
    for (const auto& [line, command] : lines) {
        script += line;
        expected += command ? command + std::string("\n") : "";
    }
    std::vector<Command> commands;
    ScriptError error;
    ASSERT_TRUE(grafplay::ParseScript(script, commands, error))
        << error.line << ": " << error.message;
    for (const Command& c : commands)
        got += Describe(c) + "\n";
    EXPECT_EQ(expected, got);
}

TEST(GrafplayScript, ReportsBadScriptsWithTheirLine)
{
    const char* const kRange = "view size out of range (1 to 16384 pixels each way)";
    const char* const kPoint =
        "point out of range (-32768 to 32767 each way, as a mouse message holds it)";
    const std::tuple<std::string, int, const char*> rows[] = {
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
        {"view 10 10\nmove 5", 2, "'move' takes 2 arguments, got 1 (move X Y)"},
        {"view 10 10\nwait", 2, "'wait' takes 1 argument, got 0 (wait MS)"},
        {"view 10 10\nwait 10001", 2, "wait out of range (0 to 10000 ms)"},
        {"view 10 10\nwait -1", 2, "wait out of range (0 to 10000 ms)"},
        {"view 10 10\nup 32768 0", 2, kPoint},
        {"view 10 10\nmove 0 -32769", 2, kPoint},
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
        {"view 10 10\npictdef 0 a.bmp", 2, "image number 0 is never asked for"},
        {"view 10 10\nicondef 2 a.ico\n\nicondef 2 b.ico", 4,
         "icon 2 is already declared on line 2"},
        {"view 10 10\npictstate 4 pressed a.bmp", 2, "picture 4 has no 'pictdef' before this line"},
        {"view 10 10\npictdef 4 a.bmp\npictstate 4 pressed b.bmp\npictstate 4 pressed c.bmp", 4,
         "picture 4 already has a pressed image (line 3)"},
        {"view 10 10\npictstate 4 hover a.bmp", 2,
         "bad word 'hover' (want 'highlight' or 'pressed')"},
        {"view 10 10\nupdatepict a.bmp 0 0 5 5 -1", 2,
         "'updatepict' before 'curpict' (there is no current picture)"},
    };
    for (const auto& [script, line, message] : rows) {
        SCOPED_TRACE(script);
        std::vector<Command> commands;
        ScriptError error;
        EXPECT_FALSE(grafplay::ParseScript(script, commands, error));
        EXPECT_EQ(std::to_string(line) + ": " + message,
                  std::to_string(error.line) + ": " + error.message);
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
    EXPECT_EQ("4: no z please: fizz", std::to_string(error.line) + ": " + error.message);
}

TEST(GrafplayScript, EveryCommandHasAUsageLine)
{
    std::istringstream names(
        "view reset output scrollable viewcolor repaint delall dellast dellisted delallactive "
        "dellistedactive delallclick dellistedclick expect pennormal pensize penloc penoffset "
        "forecolor backcolor textnormal textfont textsize textstyle options pattern bkpattern "
        "penmode textmode rect oval roundrect arc polygon polyline lineto line text textbox "
        "icondef pictdef pictstate icon seticon picture setpict curpict updatepict move down up "
        "dblclick wait");
    for (std::string name; names >> name;) {
        const std::string usage = grafplay::CommandUsage(name);
        EXPECT_TRUE(usage == name || usage.compare(0, name.size() + 1, name + " ") == 0)
            << "the usage of " << name << " starts with its name: " << usage;
    }
    EXPECT_EQ("", grafplay::CommandUsage("nosuch"));
}

std::string LittleEndian(std::uint32_t value, int width)
{
    std::string bytes;
    for (int k = 0; k < width; ++k)
        bytes += static_cast<char>(value >> (8 * k));
    return bytes;
}

// A BMP file of 3x2 pixels at 4 bits with two colours (red, cyan), `gap` bytes between its table
// and its rows, then `width` bytes at `at` set to `value` (none for width 0) and cut to `size`
// bytes (0: not cut).
std::string Bmp(int gap, size_t at = 0, int width = 0, std::uint32_t value = 0, size_t size = 0)
{
    std::string file = "BM" + LittleEndian(70 + gap, 4) + LittleEndian(0, 4) +
                       LittleEndian(62 + gap, 4) + LittleEndian(40, 4) + LittleEndian(3, 4) +
                       LittleEndian(2, 4) + LittleEndian(1, 2) + LittleEndian(4, 2) +
                       LittleEndian(0, 4) + LittleEndian(8, 4) + LittleEndian(0, 8) +
                       LittleEndian(2, 4) + LittleEndian(0, 4) + LittleEndian(0xFF0000, 4) +
                       LittleEndian(0xFFFF, 4) + std::string(gap, '?') + LittleEndian(0x1001, 4) +
                       LittleEndian(0x0110, 4);
    file.replace(at, width, LittleEndian(value, width));
    return size != 0 ? file.substr(0, size) : file;
}

TEST(GrafplayImages, PacksBmpFilesOrSaysWhyNot)
{
    struct Row {
        const char* name;
        std::string file;
        const char* reason;  // empty: packed as the file without its 14-byte header and its gap
    };
    const Row rows[] = {
        {"a good file", Bmp(0), ""},
        {"rows after a gap", Bmp(5), ""},
        {"top-down", Bmp(0, 22, 4, std::uint32_t(-2)), ""},
        {"no BM", Bmp(0, 1, 1, 'A'), "not a BMP file (no 'BM' file header)"},
        {"shorter than the file header", Bmp(0, 0, 0, 0, 13),
         "not a BMP file (no 'BM' file header)"},
        {"cut in the header", Bmp(0, 0, 0, 0, 40), "truncated: the header ends past the file"},
        {"a larger header", Bmp(0, 14, 4, 108),
         "a header of 108 bytes (only the 40-byte BITMAPINFOHEADER is read)"},
        {"two planes", Bmp(0, 26, 2, 2), "2 planes (want 1)"},
        {"no width", Bmp(0, 18, 4, 0), "size 0x2 out of range (1 to 16384 pixels each way)"},
        {"too tall", Bmp(0, 22, 4, std::uint32_t(-16385)),
         "size 3x-16385 out of range (1 to 16384 pixels each way)"},
        {"12 bits", Bmp(0, 28, 2, 12), "12 bits per pixel (want 1, 4, 8, 16, 24 or 32)"},
        {"run-length encoded", Bmp(0, 30, 4, 2),
         "compression 2 (want none, or bit fields at 16 or 32 bits per pixel)"},
        {"bit fields at 4 bits", Bmp(0, 30, 4, 3),
         "compression 3 (want none, or bit fields at 16 or 32 bits per pixel)"},
        {"17 colours", Bmp(0, 46, 4, 17), "17 colours for 4 bits per pixel (at most 16)"},
        {"the table cut", Bmp(0, 46, 4, 16), "truncated: the colour table ends past the file"},
        {"rows inside the table", Bmp(0, 10, 4, 58),
         "the rows start at byte 58, inside the headers or the colour table"},
        {"rows cut", Bmp(0, 0, 0, 0, 69), "truncated: the rows end past the file"},
        {"rows past the end", Bmp(0, 10, 4, 71), "truncated: the rows end past the file"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::string dib = "untouched", reason;
        const bool packed = grafplay::PackBmpFile(r.file, dib, reason);
        EXPECT_EQ(r.reason, packed ? "" : reason);
        if (packed) {
            EXPECT_EQ(r.file.substr(14, 48) + r.file.substr(r.file.size() - 8), dib);
        }
    }
}
