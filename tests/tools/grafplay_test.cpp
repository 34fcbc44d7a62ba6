// grafplay run as its own process under Wine: bad input reported as FILE:LINE: message with its
// exit code, and a script played in a window. Its PNGs are checked by png_check.py.
#include "TestSupport.h"

#include <algorithm>
#include <fstream>
#include <tuple>

namespace {

std::string TempPath(const std::string& name)
{
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "grafplay_test_" + std::to_string(::GetCurrentProcessId()) + "_" +
           name;
}

PROCESS_INFORMATION Start(const std::string& arguments, STARTUPINFOA& si, BOOL inherit)
{
    PROCESS_INFORMATION pi = {};
    char self[MAX_PATH];
    std::string line(self, ::GetModuleFileNameA(NULL, self, MAX_PATH));
    line = "\"" + line.substr(0, line.find_last_of("\\/") + 1) + "grafplay.exe\" " + arguments;
    si.cb = sizeof(si);
    if (!::CreateProcessA(NULL, line.data(), NULL, NULL, inherit, 0, NULL, NULL, &si, &pi))
        ADD_FAILURE() << "cannot start " << line;
    return pi;
}

// Waits for the process (ending it if it outlasts the timeout) and gives its exit code.
DWORD Finish(const PROCESS_INFORMATION& pi, DWORD timeoutMs)
{
    DWORD code = 0xFFFFFFFF;
    if (::WaitForSingleObject(pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
        ::TerminateProcess(pi.hProcess, code);
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return code;
}

// Runs grafplay to its end; its stdout and stderr, without the CRs of text mode, in `output`.
DWORD RunToEnd(const std::string& arguments, std::string& output)
{
    SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
    HANDLE hRead = NULL, hWrite = NULL;
    EXPECT_TRUE(::CreatePipe(&hRead, &hWrite, &sa, 0));
    ::SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = si.hStdError = hWrite;
    const PROCESS_INFORMATION pi = Start(arguments, si, TRUE);
    ::CloseHandle(hWrite);
    char chunk[512];
    DWORD got = 0;
    while (pi.hProcess != NULL && ::ReadFile(hRead, chunk, sizeof(chunk), &got, NULL) && got > 0)
        output.append(chunk, got);
    ::CloseHandle(hRead);
    output.erase(std::remove(output.begin(), output.end(), '\r'), output.end());
    return Finish(pi, 60000);
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// {script} and {png} become the two paths, {self} the script's name without its directory.
std::string Expand(std::string text, const std::string& script, const std::string& png)
{
    const std::pair<std::string, std::string> fields[] = {
        {"{script}", script}, {"{png}", png}, {"{self}", script.substr(script.rfind('\\') + 1)}};
    for (const auto& [field, value] : fields) {
        for (size_t at; (at = text.find(field)) != std::string::npos;)
            text.replace(at, field.size(), value);
    }
    return text;
}

}  // namespace

// The parser's own messages are checked in script_test; here each way the program fails once.
TEST(Grafplay, ReportsBadInputAsFileLineMessageWithItsExitCode)
{
    const char* const kUsage =
        "usage: grafplay FILE\n       grafplay --png OUT.png FILE\n"
        "       grafplay --print OUT.ps FILE\n       grafplay --preview FILE\n"
        "       grafplay --preview-png OUT.png FILE\n";
    const char* const kPng = "--png \"{png}\" \"{script}\"";
    // The row's name, the script (null: no file is written), the arguments, what comes out.
    const std::tuple<const char*, const char*, const char*, DWORD, const char*> rows[] = {
        {"a parse error", "view 10 10\nsquare 1 1\n", kPng, 1,
         "{script}:2: unknown command 'square'\n"},
        // A CJK character has no place in a Western code page; found before anything is drawn.
        {"code page", "view 10 10\ntext \"caf\xC3\xA9\"\ntext \"\xE6\x97\xA5\"\n", kPng, 1,
         "{script}:3: character U+65E5 is not in the ANSI code page\n"},
        {"a failing expect", "view 10 10\npensize 2\nrect frame \"\" 1 1 5 5\nexpect count 3\n",
         kPng, 1, "{script}:4: expect count: wanted 3 elements, the view holds 2\n"},
        {"an unwritable picture", "view 10 10\n", "--png \"{png}\\out.png\" \"{script}\"", 1,
         "{png}\\out.png:0: cannot write the file\n"},
        {"a missing script", nullptr, kPng, 1, "{script}:0: cannot read the file\n"},
        // Image files are loaded before the first call, from the script's directory.
        {"a missing image", "view 10 10\nicon 0 0 1 0 \"\"\nicondef 1 nosuch.ico\n", kPng, 1,
         "{script}:3: cannot read 'nosuch.ico'\n"},
        {"a picture that is no BMP", "view 10 10\npictdef 1 {self}\n", kPng, 1,
         "{script}:2: '{self}': not a BMP file (no 'BM' file header)\n"},
        {"an icon that does not load", "view 10 10\nicondef 1 {self}\n", kPng, 1,
         "{script}:2: '{self}': not an icon file (LoadImage refuses it)\n"},
        {"no arguments", nullptr, "", 2, kUsage},
        {"--png without a script", nullptr, "--png \"{png}\"", 2, kUsage},
        {"an unknown option", nullptr, "--bogus a b", 2, kUsage},
        {"an option alone", nullptr, "-x", 2, kUsage},
    };
    for (const auto& [name, text, arguments, exitCode, expected] : rows) {
        SCOPED_TRACE(name);
        const std::string script = TempPath("bad.graf"), png = TempPath("bad.png");
        ::DeleteFileA(script.c_str());
        ::DeleteFileA(png.c_str());
        if (text != nullptr)
            WriteText(script, Expand(text, script, png));
        std::string output;
        EXPECT_EQ(exitCode, RunToEnd(Expand(arguments, script, png), output)) << output;
        EXPECT_EQ(Expand(expected, script, png), output);
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(png.c_str())) << "a picture";
        ::DeleteFileA(script.c_str());
    }
}

TEST(Grafplay, PlaysAScriptInAWindowUntilClosed)
{
    const std::string script = TempPath("window.graf");
    // The ghost starts left of the view: the paint hands its visible part, from its ninth column.
    WriteText(script, "view 120 80 #00ff00\nforecolor #ff0000\nrect paint \"\" 10 10 50 40\n"
                      "pictdef 1 \"" GRAFPLAY_IMAGES "/ghost.bmp\" 0\npicture -8 50 1 0 0\n");
    STARTUPINFOA si = {};
    const PROCESS_INFORMATION pi = Start("\"" + script + "\"", si, FALSE);
    ASSERT_NE(nullptr, pi.hProcess);

    const std::string title = "grafplay - " + script;
    HWND hFrame = NULL;
    auto found = [&] { return (hFrame = ::FindWindowA(NULL, title.c_str())) != NULL; };
    ASSERT_TRUE(PumpUntil(found, 10000)) << "a main window titled '" << title << "'";
    ::Sleep(300);
    EXPECT_TRUE(::IsWindowVisible(hFrame));
    HWND hView = ::GetDlgItem(hFrame, 1);
    ASSERT_NE(nullptr, hView) << "the view is the frame's child 1";
    char name[32] = "";
    ::GetWindowTextA(hView, name, sizeof(name));
    EXPECT_STREQ("GrafView", name);
    RECT client;
    ::GetClientRect(hView, &client);
    EXPECT_EQ(Str(RECT{0, 0, 120, 80}), Str(client)) << "the view's client area";

    // What the screen shows of the view; this test runs alone, so nothing covers it.
    POINT origin = {0, 0};
    ::ClientToScreen(hView, &origin);
    HDC hdcScreen = ::GetDC(NULL);
    DibCanvas canvas(120, 80, RGB(1, 2, 3));
    EXPECT_TRUE(::BitBlt(canvas.Hdc(), 0, 0, 120, 80, hdcScreen, origin.x, origin.y, SRCCOPY));
    ::ReleaseDC(NULL, hdcScreen);
    ExpectValues({{"the painted rectangle on screen", kRed, canvas.Pixel(30, 25)},
                  {"the view's colour", RGB(0, 255, 0), canvas.Pixel(5, 5)},
                  {"the view's colour at the far corner", RGB(0, 255, 0), canvas.Pixel(110, 70)},
                  {"the ghost's column 8", RGB(245, 240, 255), canvas.Pixel(0, 60)},
                  {"its eye at (13, 15)", RGB(60, 50, 110), canvas.Pixel(5, 65)},
                  {"its transparent index", RGB(0, 255, 0), canvas.Pixel(24, 51)}});

    ::PostMessageA(hFrame, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, Finish(pi, 20000)) << "grafplay ends with 0 when its window closes";
    ::DeleteFileA(script.c_str());
}
