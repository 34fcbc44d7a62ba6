// Makes the test printer the default printer of the session's prefix, for the checks that print
// through grafplay from outside Wine.
#include <cstdio>

#include "TestPrinter.h"

int main()
{
    TestPrinter printer("grafplay print check");
    if (!printer.Ready())
        std::fprintf(stderr, "printer_setup: %s\n", printer.Error().c_str());
    return printer.Ready() ? 0 : 1;
}
