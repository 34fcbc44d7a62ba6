// A printer for print tests: Wine's PostScript driver writing to a file. The constructor
// installs it under its name when it is missing (the driver's generic printer description is
// the one Wine's spooler carries as a resource), makes it the default printer and empties its
// file; each finished job's PostScript is then read back from the file.
#pragma once
#include <windows.h>

#include <string>

class TestPrinter
{
public:
    explicit TestPrinter(const std::string& name);

    // Whether the printer exists and is the default; the reason when it is not.
    bool Ready() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }
    const std::string& Name() const { return m_name; }

    // What the jobs since the last Clear wrote, and how many pages they hold.
    std::string Output() const;
    int Pages() const;
    void Clear() const;

    // Takes every printer away, so that the system has none at all; Install brings this one
    // back. Programs that print hold the ctest resource lock "printers".
    bool Remove();
    bool Install();

    // Answers the next Print dialog once it opens: 'o' OK, 'c' Cancel, 'r' pages 2 to 3 and OK.
    static void AnswerNextDialog(char answer);

private:
    std::string m_name, m_file, m_error;
};
