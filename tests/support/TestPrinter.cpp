// TestPrinter: a printer of Wine's PostScript driver whose port is a file in the temporary
// folder, added to the session's prefix through the spooler's documented calls.
#include "TestPrinter.h"

#include "MessagePump.h"

#include <winspool.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

const char kDriver[] = "Wine PostScript Driver";

// Copies the generic printer description out of the spooler into the driver folder.
bool CopyDescription(const std::string& target)
{
    HMODULE hSpooler = ::GetModuleHandleA("winspool.drv");
    HRSRC hInfo = hSpooler ? ::FindResourceA(hSpooler, MAKEINTRESOURCEA(1), "PPDFILE") : NULL;
    const void* data = hInfo ? ::LockResource(::LoadResource(hSpooler, hInfo)) : NULL;
    if (data == NULL)
        return false;
    std::ofstream out(target, std::ios::binary);
    out.write(static_cast<const char*>(data), ::SizeofResource(hSpooler, hInfo));
    return out.good();
}

}  // namespace

void TestPrinter::AnswerNextDialog(char answer)
{
    AnswerWhenOpen("#32770", NULL, [answer](HWND hDialog) {
        if (::GetDlgItem(hDialog, IDOK) == NULL)
            return false;  // not filled in yet
        if (answer == 'r') {
            ::CheckRadioButton(hDialog, 0x0420, 0x0422, 0x0422);  // rad1 to rad3: Pages
            ::SetDlgItemInt(hDialog, 0x0480, 2, FALSE);           // edt1: from
            ::SetDlgItemInt(hDialog, 0x0481, 3, FALSE);           // edt2: to
        }
        return ::PostMessage(hDialog, WM_COMMAND, answer == 'c' ? IDCANCEL : IDOK, 0) != FALSE;
    });
}

TestPrinter::TestPrinter(const std::string& name) : m_name(name)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    m_file = std::string(temp) + name + ".ps";
    if (Install())
        Clear();
}

bool TestPrinter::Install()
{
    m_error.clear();
    // Making it the default fails exactly when there is no such printer.
    if (!::SetDefaultPrinterA(m_name.c_str())) {
        char folder[MAX_PATH];
        DWORD size = 0;
        ::GetPrinterDriverDirectoryA(NULL, NULL, 1, (BYTE*)folder, sizeof folder, &size);
        const std::string version = std::string(folder) + "\\3";
        ::CreateDirectoryA(version.c_str(), NULL);
        const std::string description = "mirdalux-test.ppd";
        if (!CopyDescription(version + "\\" + description))
            return m_error = "no generic printer description in the spooler", false;
        DRIVER_INFO_3A driver = {};
        driver.cVersion = 3;
        driver.pName = const_cast<char*>(kDriver);
        driver.pDriverPath = const_cast<char*>("wineps.drv");
        driver.pConfigFile = const_cast<char*>("wineps.drv");
        driver.pDataFile = const_cast<char*>(description.c_str());
        if (!::AddPrinterDriverA(NULL, 3, (BYTE*)&driver))
            return m_error = "the PostScript driver could not be added", false;
        PRINTER_INFO_2A info = {};
        info.pPrinterName = const_cast<char*>(m_name.c_str());
        info.pPortName = const_cast<char*>(m_file.c_str());
        info.pDriverName = const_cast<char*>(kDriver);
        info.pPrintProcessor = const_cast<char*>("WinPrint");
        info.pDatatype = const_cast<char*>("RAW");
        info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
        HANDLE hPrinter = ::AddPrinterA(NULL, 2, (BYTE*)&info);
        if (hPrinter == NULL)
            return m_error = "the printer could not be added", false;
        ::ClosePrinter(hPrinter);
        if (!::SetDefaultPrinterA(m_name.c_str()))
            return m_error = "the printer could not be made the default", false;
    }
    return true;
}

bool TestPrinter::Remove()
{
    DWORD size = 0, count = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, 4, NULL, 0, &size, &count);
    std::string buffer(size, '\0');
    if (size == 0 ||
        !::EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, 4, (BYTE*)&buffer[0], size, &size, &count))
        return size == 0;
    bool removed = true;
    const PRINTER_INFO_4A* printers = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        HANDLE hPrinter = NULL;
        PRINTER_DEFAULTSA access = {NULL, NULL, PRINTER_ALL_ACCESS};
        removed = ::OpenPrinterA(printers[i].pPrinterName, &hPrinter, &access) &&
                  ::DeletePrinter(hPrinter) && removed;
        if (hPrinter != NULL)
            ::ClosePrinter(hPrinter);
    }
    return removed;
}

std::string TestPrinter::Output() const
{
    std::ifstream in(m_file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int TestPrinter::Pages() const
{
    std::istringstream lines(Output());
    int pages = 0;
    for (std::string line; std::getline(lines, line);)
        pages += line.rfind("%%Page:", 0) == 0;
    return pages;
}

void TestPrinter::Clear() const
{
    std::ofstream(m_file, std::ios::binary | std::ios::trunc);
}
