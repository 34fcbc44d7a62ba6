// The script format of grafplay: tokenising, the command table and argument checking. Plain
// C++ without windows or GDI, so the parser is tested on its own.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace grafplay {

// One argument as the script wrote it: the word (a quoted string without its quotes and with
// its escapes resolved, or a bare word), and its value when the command reads it as a number
// or a colour (a colour as 0x00BBGGRR, the layout of a COLORREF).
struct Argument {
    std::string text;
    bool quoted = false;
    std::int32_t number = 0;
    std::uint32_t colour = 0;
};

// One checked command: its name (lower case, as in the table), the line it came from and its
// arguments in order.
struct Command {
    std::string name;
    int line = 0;
    std::vector<Argument> args;
};

// A parse error: the line (1-based) and the message, without the file name.
struct ScriptError {
    int line = 0;
    std::string message;
};

// Splits one line into words: blanks separate them, "..." is one word with \" and \\ as
// escapes ("" is an empty word). A line whose first non-blank character is # is a comment and
// gives no words. False with a message on an unterminated string, a bad escape, or a quote
// inside or right after a word.
bool TokeniseLine(const std::string& line, std::vector<Argument>& words, std::string& message);

// Checks one tokenised line against the command table and fills `command` (not its line).
bool CheckCommand(const std::vector<Argument>& words, Command& command, std::string& message);

// A further check of every argument's text (the player's: can its code page hold every
// character?); false with the reason in message.
typedef bool (*TextCheck)(const std::string& text, std::string& message);

// Parses a whole script (UTF-8, an optional byte-order mark, LF or CRLF line ends): every
// non-empty line a command, `view` first and once, image numbers declared once and in order,
// every argument passing checkText when one is given. Stops at the first error.
bool ParseScript(const std::string& text, std::vector<Command>& commands, ScriptError& error,
                 TextCheck checkText = nullptr);

// Reads a whole file's bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// "FILE:LINE: message", the form in which every error of a script is reported.
std::string FormatError(const std::string& file, int line, const std::string& message);

// Reads an integer in the 32-bit signed range: an optional sign and decimal digits.
bool ParseNumber(const std::string& text, std::int32_t& value);

// Reads #RRGGBB (hex digits in either case) into a COLORREF-laid-out value.
bool ParseColour(const std::string& text, std::uint32_t& colour);

// Whether the command is a pointer step (move, down, up, dblclick, wait), which needs the view's
// window on the screen.
bool IsPointerStep(const std::string& name);

// The usage line of a command ("rect VERB PATTERN LEFT TOP RIGHT BOTTOM"), empty when unknown.
std::string CommandUsage(const std::string& name);

}  // namespace grafplay
