// The script format of grafplay: words, the command table, argument checking and the order of
// the image declarations.
#include "Script.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <utility>

namespace grafplay {

namespace {

// Argument codes of the command table:
//   i  a 32-bit integer            c  a colour #RRGGBB         w  any word or string
//   p  partial | full              o  on | off                 f  framed | plain
//   n  the word count              s  highlight | pressed
// A code followed by ? may be left out (last position only). A last code followed by * repeats
// zero or more times, by + one or more times; I is a pair of integers (a point) and only
// appears repeated.
struct CommandSpec {
    const char* name;
    const char* codes;
    const char* usage;
};

const CommandSpec kCommands[] = {
    {"view", "iic?", "view WIDTH HEIGHT [#RRGGBB]"},
    {"reset", "", "reset"},
    {"output", "iw", "output VALUE NAME"},
    {"scrollable", "o", "scrollable on|off"},
    {"viewcolor", "co", "viewcolor #RRGGBB on|off"},
    {"repaint", "", "repaint"},
    {"delall", "", "delall"},
    {"dellast", "p", "dellast partial|full"},
    {"dellisted", "pi*", "dellisted partial|full NUMBER..."},
    {"delallactive", "", "delallactive"},
    {"dellistedactive", "i*", "dellistedactive ID..."},
    {"delallclick", "", "delallclick"},
    {"dellistedclick", "i*", "dellistedclick ID..."},
    {"expect", "ni", "expect count N"},
    {"pennormal", "", "pennormal"},
    {"pensize", "i", "pensize N"},
    {"penloc", "ii", "penloc X Y"},
    {"penoffset", "ii", "penoffset DX DY"},
    {"forecolor", "c", "forecolor #RRGGBB"},
    {"backcolor", "c", "backcolor #RRGGBB"},
    {"textnormal", "", "textnormal"},
    {"textfont", "w", "textfont FACE"},
    {"textsize", "i", "textsize POINTS"},
    {"textstyle", "w*", "textstyle WORD..."},
    {"options", "oi*", "options on|off NUMBER..."},
    {"pattern", "", "pattern"},
    {"bkpattern", "", "bkpattern"},
    {"penmode", "", "penmode"},
    {"textmode", "", "textmode"},
    {"rect", "wwiiii", "rect VERB PATTERN LEFT TOP RIGHT BOTTOM"},
    {"oval", "wwiiii", "oval VERB PATTERN LEFT TOP RIGHT BOTTOM"},
    {"roundrect", "wwiiiiii", "roundrect VERB PATTERN LEFT TOP RIGHT BOTTOM CW CH"},
    {"arc", "wwiiiiii", "arc VERB PATTERN LEFT TOP RIGHT BOTTOM START SWEEP"},
    {"polygon", "wwI+", "polygon VERB PATTERN X Y X Y ..."},
    {"polyline", "I*", "polyline X Y X Y ..."},
    {"lineto", "ii", "lineto X Y"},
    {"line", "ii", "line DX DY"},
    {"text", "w", "text TEXT"},
    {"textbox", "wfiiiiw", "textbox ALIGN framed|plain LEFT TOP RIGHT BOTTOM TEXT"},
    {"icondef", "iw", "icondef NUMBER FILE"},
    {"pictdef", "iwi?", "pictdef NUMBER FILE [INDEX]"},
    {"pictstate", "isw", "pictstate NUMBER highlight|pressed FILE"},
    {"icon", "iiiiw", "icon X Y NUMBER REGION LABEL"},
    {"seticon", "i", "seticon NUMBER"},
    {"picture", "iiiii", "picture X Y NUMBER PARAM REGION"},
    {"setpict", "iwi", "setpict NUMBER FILE INDEX"},
    {"curpict", "iii", "curpict X Y REGION"},
    {"updatepict", "wiiiii", "updatepict FILE LEFT TOP RIGHT BOTTOM INDEX"},
    {"move", "ii", "move X Y"},
    {"down", "ii", "down X Y"},
    {"up", "ii", "up X Y"},
    {"dblclick", "ii", "dblclick X Y"},
    {"wait", "i", "wait MS"},
};

// The longest `wait`: a script that pauses longer is more likely a typing mistake.
const std::int32_t kLongestWait = 10000;

const CommandSpec* FindCommand(const std::string& name)
{
    for (const CommandSpec& entry : kCommands) {
        if (name == entry.name)
            return &entry;
    }
    return nullptr;
}

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\v' || ch == '\f';
}

std::string Quote(const std::string& text)
{
    return "'" + text + "'";
}

// The choice words of codes p, o, f, n and s; null for the other codes.
const char* const* ChoicesOf(char code)
{
    static const char* const kPartial[] = {"partial", "full", nullptr};
    static const char* const kOnOff[] = {"on", "off", nullptr};
    static const char* const kFramed[] = {"framed", "plain", nullptr};
    static const char* const kCount[] = {"count", nullptr};
    static const char* const kState[] = {"highlight", "pressed", nullptr};
    switch (code) {
    case 'p':
        return kPartial;
    case 'o':
        return kOnOff;
    case 'f':
        return kFramed;
    case 'n':
        return kCount;
    case 's':
        return kState;
    default:
        return nullptr;
    }
}

// Checks one argument against its code and stores its value: 1 for the first choice word of a
// choice code, 0 for the second.
bool CheckArgument(char code, Argument& arg, std::string& message)
{
    if (code == 'i' || code == 'I') {
        if (!ParseNumber(arg.text, arg.number)) {
            message = "bad number " + Quote(arg.text);
            return false;
        }
        return true;
    }
    if (code == 'c') {
        if (!ParseColour(arg.text, arg.colour)) {
            message = "bad colour " + Quote(arg.text) + " (want #RRGGBB)";
            return false;
        }
        return true;
    }
    const char* const* choices = ChoicesOf(code);
    if (choices == nullptr)
        return true;
    std::string wanted;
    for (int i = 0; choices[i] != nullptr; ++i) {
        if (arg.text == choices[i]) {
            arg.number = i == 0 ? 1 : 0;
            return true;
        }
        wanted += (i == 0 ? "" : " or ") + Quote(choices[i]);
    }
    message = "bad word " + Quote(arg.text) + " (want " + wanted + ")";
    return false;
}

// Well-formed UTF-8: no stray continuation bytes, no truncated, overlong or surrogate sequences,
// nothing above U+10FFFF.
bool IsUtf8(const std::string& text)
{
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t extra;
        std::uint32_t code;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + extra >= text.size())
            return false;
        for (size_t k = 1; k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        if ((extra == 2 && code < 0x800) || (extra == 3 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

// What the image commands before a line declared: a number is declared once per kind (0 is never
// asked for), a picture's state images follow its `pictdef`, one of each, and `updatepict`
// follows the `curpict` that makes a current picture.
struct Declarations {
    std::map<std::int32_t, int> icons;                            // number: the line of its icondef
    std::map<std::int32_t, int> pictures;                         // number: the line of its pictdef
    std::map<std::pair<std::int32_t, std::int32_t>, int> states;  // number and state: the line
    bool curPict = false;
};

// A pointer step's point travels in a mouse message's two 16-bit halves; a wait is bounded.
bool CheckPointerStep(const Command& command, std::string& message)
{
    if (command.name == "wait") {
        if (command.args[0].number < 0 || command.args[0].number > kLongestWait) {
            message = "wait out of range (0 to " + std::to_string(kLongestWait) + " ms)";
            return false;
        }
        return true;
    }
    if (!IsPointerStep(command.name))
        return true;
    for (const Argument& arg : command.args) {
        if (arg.number < -32768 || arg.number > 32767) {
            message = "point out of range (-32768 to 32767 each way, as a mouse message holds it)";
            return false;
        }
    }
    return true;
}

bool CheckDeclaration(const Command& command, Declarations& seen, std::string& message)
{
    const std::string& name = command.name;
    if (name == "curpict")
        seen.curPict = true;
    if (name == "updatepict" && !seen.curPict) {
        message = "'updatepict' before 'curpict' (there is no current picture)";
        return false;
    }
    if (name != "icondef" && name != "pictdef" && name != "pictstate")
        return true;
    const std::int32_t number = command.args[0].number;
    const std::string numberText = std::to_string(number);
    if (name == "pictstate") {
        const std::pair<std::int32_t, std::int32_t> key(number, command.args[1].number);
        if (seen.pictures.count(number) == 0) {
            message = "picture " + numberText + " has no 'pictdef' before this line";
            return false;
        }
        if (seen.states.count(key) != 0) {
            message = "picture " + numberText + " already has a " + command.args[1].text +
                      " image (line " + std::to_string(seen.states[key]) + ")";
            return false;
        }
        seen.states[key] = command.line;
        return true;
    }
    if (number == 0) {
        message = "image number 0 is never asked for";
        return false;
    }
    std::map<std::int32_t, int>& lines = name == "icondef" ? seen.icons : seen.pictures;
    if (lines.count(number) != 0) {
        message = (name == "icondef" ? "icon " : "picture ") + numberText +
                  " is already declared on line " + std::to_string(lines[number]);
        return false;
    }
    lines[number] = command.line;
    return true;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    FILE* pFile = std::fopen(path.c_str(), "rb");
    if (pFile == nullptr)
        return false;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        bytes.append(buffer, got);
    const bool ok = std::ferror(pFile) == 0;
    std::fclose(pFile);
    return ok;
}

bool ParseNumber(const std::string& text, std::int32_t& value)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return false;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > 2147483648LL)
            return false;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > 2147483647LL)
        return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

bool ParseColour(const std::string& text, std::uint32_t& colour)
{
    if (text.size() != 7 || text[0] != '#')
        return false;
    std::uint32_t rgb = 0;
    for (size_t i = 1; i < 7; ++i) {
        const char ch = text[i];
        int digit;
        if (ch >= '0' && ch <= '9')
            digit = ch - '0';
        else if (ch >= 'a' && ch <= 'f')
            digit = ch - 'a' + 10;
        else if (ch >= 'A' && ch <= 'F')
            digit = ch - 'A' + 10;
        else
            return false;
        rgb = rgb * 16 + static_cast<std::uint32_t>(digit);
    }
    // #RRGGBB reads as 0xRRGGBB; a COLORREF holds red in its low byte.
    colour = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    return true;
}

bool TokeniseLine(const std::string& line, std::vector<Argument>& words, std::string& message)
{
    words.clear();
    size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    if (i < line.size() && line[i] == '#')
        return true;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        Argument word;
        if (line[i] == '"') {
            word.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char ch = line[i++];
                if (ch == '"') {
                    closed = true;
                    break;
                }
                if (ch == '\\') {
                    if (i == line.size())
                        break;
                    const char next = line[i++];
                    if (next != '"' && next != '\\') {
                        message = std::string("bad escape '\\") + next +
                                  "' in string (only \\\" and \\\\)";
                        return false;
                    }
                    word.text += next;
                    continue;
                }
                word.text += ch;
            }
            if (!closed) {
                message = "unterminated string";
                return false;
            }
            if (i < line.size() && !IsBlank(line[i])) {
                message = "a string must be followed by a blank";
                return false;
            }
        } else {
            while (i < line.size() && !IsBlank(line[i])) {
                if (line[i] == '"') {
                    message = "quote inside the word " + Quote(word.text + "\"");
                    return false;
                }
                word.text += line[i++];
            }
        }
        words.push_back(word);
    }
    return true;
}

bool CheckCommand(const std::vector<Argument>& words, Command& command, std::string& message)
{
    if (words.empty()) {
        message = "empty command";
        return false;
    }
    const std::string& name = words[0].text;
    const CommandSpec* entry = words[0].quoted ? nullptr : FindCommand(name);
    if (entry == nullptr) {
        message = "unknown command " + Quote(name);
        return false;
    }
    const std::string codes = entry->codes;
    const bool repeats = !codes.empty() && (codes.back() == '*' || codes.back() == '+');
    const bool optional = !codes.empty() && codes.back() == '?';
    const size_t fixed = codes.size() - (repeats || optional ? 2 : 0);
    const size_t given = words.size() - 1;

    size_t unit = 0;  // words per repetition of the last code
    if (repeats)
        unit = codes[codes.size() - 2] == 'I' ? 2 : 1;
    bool countOk;
    if (repeats)
        countOk = given >= fixed + (codes.back() == '+' ? unit : 0) && (given - fixed) % unit == 0;
    else if (optional)
        countOk = given == fixed || given == fixed + 1;
    else
        countOk = given == fixed;
    if (!countOk) {
        auto arguments = [](size_t n) {
            return std::to_string(n) + (n == 1 ? " argument" : " arguments");
        };
        std::string wanted;
        if (repeats && unit == 2)
            wanted = arguments(fixed) + " and " +
                     (codes.back() == '+' ? "one or more" : "any number of") + " X Y pairs";
        else if (repeats)
            wanted = "at least " + arguments(fixed + (codes.back() == '+' ? 1 : 0));
        else if (optional)
            wanted = std::to_string(fixed) + " or " + std::to_string(fixed + 1) + " arguments";
        else
            wanted = arguments(fixed);
        message = Quote(name) + " takes " + wanted + ", got " + std::to_string(given) + " (" +
                  entry->usage + ")";
        return false;
    }

    command.name = entry->name;
    command.args.assign(words.begin() + 1, words.end());
    for (size_t k = 0; k < command.args.size(); ++k) {
        const char code = k < fixed ? codes[k] : codes[fixed];
        if (!CheckArgument(code, command.args[k], message))
            return false;
    }
    return true;
}

bool ParseScript(const std::string& text, std::vector<Command>& commands, ScriptError& error,
                 TextCheck checkText)
{
    commands.clear();
    size_t start = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        start = 3;
    bool haveView = false;
    Declarations declarations;
    int lineNumber = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        ++lineNumber;
        const std::string line = text.substr(start, end - start);
        start = end + 1;

        std::vector<Argument> words;
        std::string message;
        if (std::memchr(line.data(), '\0', line.size()) != nullptr) {
            error = {lineNumber, "NUL character in the line"};
            return false;
        }
        if (!IsUtf8(line)) {
            error = {lineNumber, "malformed UTF-8"};
            return false;
        }
        if (!TokeniseLine(line, words, message)) {
            error = {lineNumber, message};
            return false;
        }
        if (words.empty())
            continue;
        Command command;
        command.line = lineNumber;
        if (!CheckCommand(words, command, message)) {
            error = {lineNumber, message};
            return false;
        }
        for (const Argument& arg : command.args) {
            if (checkText != nullptr && !checkText(arg.text, message)) {
                error = {lineNumber, message};
                return false;
            }
        }
        if (command.name == "view") {
            if (haveView) {
                error = {lineNumber, "a second 'view' (a script draws in one view)"};
                return false;
            }
            haveView = true;
            if (command.args[0].number <= 0 || command.args[1].number <= 0 ||
                command.args[0].number > 16384 || command.args[1].number > 16384) {
                error = {lineNumber, "view size out of range (1 to 16384 pixels each way)"};
                return false;
            }
        } else if (!haveView) {
            error = {lineNumber, Quote(command.name) + " before 'view'"};
            return false;
        }
        if (!CheckPointerStep(command, message) ||
            !CheckDeclaration(command, declarations, message)) {
            error = {lineNumber, message};
            return false;
        }
        commands.push_back(command);
    }
    if (!haveView) {
        error = {lineNumber > 0 ? lineNumber : 1, "no 'view' in the script"};
        return false;
    }
    return true;
}

std::string FormatError(const std::string& file, int line, const std::string& message)
{
    return file + ":" + std::to_string(line) + ": " + message;
}

bool IsPointerStep(const std::string& name)
{
    return name == "move" || name == "down" || name == "up" || name == "dblclick" || name == "wait";
}

std::string CommandUsage(const std::string& name)
{
    const CommandSpec* entry = FindCommand(name);
    return entry != nullptr ? entry->usage : std::string();
}

}  // namespace grafplay
