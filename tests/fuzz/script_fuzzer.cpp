// libFuzzer target of grafplay's script parser, built natively (the parser is plain C++). Any
// bytes: parsing must not crash and must either fail with a line inside the script or give
// commands that start with `view`, come from increasing lines and are all in the command table.
// A script that parses is written out again, one command per line with its arguments quoted as
// they were, and must parse to the same commands: the tokeniser and the checks agree with the
// format they accept.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Script.h"

using namespace grafplay;

namespace {

void Require(bool holds)
{
    if (!holds)
        std::abort();
}

std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string Written(const std::vector<Command>& commands)
{
    std::string text;
    for (const Command& c : commands) {
        text += c.name;
        for (const Argument& a : c.args)
            text += " " + (a.quoted ? Quoted(a.text) : a.text);
        text += "\n";
    }
    return text;
}

bool Same(const Argument& a, const Argument& b)
{
    return a.text == b.text && a.quoted == b.quoted && a.number == b.number && a.colour == b.colour;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<Command> commands;
    ScriptError error;
    if (!ParseScript(text, commands, error)) {
        int lines = 1;
        for (char c : text)
            lines += c == '\n';
        Require(error.line >= 0 && error.line <= lines + 1 && !error.message.empty());
        Require(!FormatError("f.graf", error.line, error.message).empty());
        return 0;
    }
    Require(!commands.empty() && commands[0].name == "view");
    for (std::size_t i = 0; i < commands.size(); ++i) {
        Require(!CommandUsage(commands[i].name).empty());
        Require(commands[i].line >= 1 && (i == 0 || commands[i].line > commands[i - 1].line));
    }
    std::vector<Command> again;
    ScriptError againError;
    Require(ParseScript(Written(commands), again, againError));
    Require(again.size() == commands.size());
    for (std::size_t i = 0; i < again.size(); ++i) {
        Require(again[i].name == commands[i].name);
        Require(again[i].args.size() == commands[i].args.size());
        for (std::size_t k = 0; k < again[i].args.size(); ++k)
            Require(Same(again[i].args[k], commands[i].args[k]));
    }
    return 0;
}
