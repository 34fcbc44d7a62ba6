// grafplay run as its own process under Wine: bad input reported as FILE:LINE: message with its
// exit code, and a script played in a window. Its PNGs are checked by png_check.py.
#include <windows.h>

#include "TestSupport.h"

namespace {

std::string ProgramPath()
{
    char path[MAX_PATH];
    const std::string self(path, ::GetModuleFileNameA(NULL, path, MAX_PATH));
    return self.substr(0, self.find_last_of("\\/") + 1) + "grafplay.exe";
}

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
    std::string line = "\"" + ProgramPath() + "\" " + arguments;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    si.cb = sizeof(si);
    if (!::CreateProcessA(NULL, buffer.data(), NULL, NULL, inherit, 0, NULL, NULL, &si, &pi))
        ADD_FAILURE() << "cannot start " << line;
    return pi;
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
    while (pi.hProcess != NULL && ::ReadFile(hRead, chunk, sizeof(chunk), &got, NULL) && got > 0) {
        for (DWORD i = 0; i < got; ++i)
            if (chunk[i] != '\r')
                output += chunk[i];
    }
    ::CloseHandle(hRead);
    DWORD code = 0xFFFFFFFF;
    ::WaitForSingleObject(pi.hProcess, 60000);
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return code;
}

void WriteText(const std::string& path, const std::string& text)
{
    FILE* pFile = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, pFile) << "cannot write " << path;
    std::fwrite(text.data(), 1, text.size(), pFile);
    std::fclose(pFile);
}

std::string Expand(std::string text, const std::string& script, const std::string& png)
{
    for (size_t at; (at = text.find("{script}")) != std::string::npos;)
        text.replace(at, 8, script);
    for (size_t at; (at = text.find("{png}")) != std::string::npos;)
        text.replace(at, 5, png);
    return text;
}

}  // namespace

// The parser's own messages are checked in script_test; here each way the program fails once.
TEST(Grafplay, ReportsBadInputAsFileLineMessageWithItsExitCode)
{
    const char* const kUsage = "usage: grafplay FILE\n       grafplay --png OUT.png FILE\n";
    struct Row {
        const char* name;
        const char* script;  // null: no script file is written
        const char* arguments;
        DWORD exitCode;
        const char* output;
    };
    const Row rows[] = {
        {"a parse error", "view 10 10\nsquare 1 1\n", "--png \"{png}\" \"{script}\"", 1,
         "{script}:2: unknown command 'square'\n"},
        // A CJK character has no place in a Western code page; found before anything is drawn.
        {"code page", "view 10 10\ntext \"caf\xC3\xA9\"\ntext \"\xE6\x97\xA5\"\n",
         "--png \"{png}\" \"{script}\"", 1,
         "{script}:3: character U+65E5 is not in the ANSI code page\n"},
        {"a failing expect", "view 10 10\npensize 2\nrect frame \"\" 1 1 5 5\nexpect count 3\n",
         "--png \"{png}\" \"{script}\"", 1,
         "{script}:4: expect count: wanted 3 elements, the view holds 2\n"},
        {"an unwritable picture", "view 10 10\n", "--png \"{png}\\out.png\" \"{script}\"", 1,
         "{png}\\out.png:0: cannot write the file\n"},
        {"a missing script", nullptr, "--png \"{png}\" \"{script}\"", 1,
         "{script}:0: cannot read the file\n"},
        {"no arguments", nullptr, "", 2, kUsage},
        {"--png without a script", nullptr, "--png \"{png}\"", 2, kUsage},
        {"an unknown option", nullptr, "--bogus a b", 2, kUsage},
        {"an option alone", nullptr, "-x", 2, kUsage},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const std::string script = TempPath("bad.graf"), png = TempPath("bad.png");
        ::DeleteFileA(script.c_str());
        ::DeleteFileA(png.c_str());
        if (r.script != nullptr)
            WriteText(script, r.script);
        std::string output;
        EXPECT_EQ(r.exitCode, RunToEnd(Expand(r.arguments, script, png), output)) << output;
        EXPECT_EQ(Expand(r.output, script, png), output);
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(png.c_str())) << "a picture";
        ::DeleteFileA(script.c_str());
    }
}

TEST(Grafplay, PlaysAScriptInAWindowUntilClosed)
{
    const std::string script = TempPath("window.graf");
    WriteText(script, "view 120 80 #00ff00\nforecolor #ff0000\nrect paint \"\" 10 10 50 40\n");
    STARTUPINFOA si = {};
    const PROCESS_INFORMATION pi = Start("\"" + script + "\"", si, FALSE);
    ASSERT_NE(nullptr, pi.hProcess);

    const std::string title = "grafplay - " + script;
    HWND hFrame = NULL;
    for (int tries = 0; tries < 200 && (hFrame = ::FindWindowA(NULL, title.c_str())) == NULL;
         ++tries)
        ::Sleep(50);
    ASSERT_NE(nullptr, hFrame) << "a main window titled '" << title << "'";
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
    EXPECT_EQ(kRed, canvas.Pixel(30, 25)) << "the painted rectangle on screen";
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(5, 5)) << "the view's colour";
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(110, 70)) << "the view's colour at the far corner";

    ::PostMessageA(hFrame, WM_CLOSE, 0, 0);
    const DWORD waited = ::WaitForSingleObject(pi.hProcess, 20000);
    EXPECT_EQ(WAIT_OBJECT_0, waited) << "grafplay ends when its window closes";
    if (waited != WAIT_OBJECT_0)
        ::TerminateProcess(pi.hProcess, 99);
    DWORD exitCode = 0xFFFFFFFF;
    ::GetExitCodeProcess(pi.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode) << "exit code after closing the window";
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ::DeleteFileA(script.c_str());
}
