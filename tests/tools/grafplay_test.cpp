// grafplay end to end: scripts played by the real program in its own process, the PNG it writes
// read back pixel by pixel or against a golden picture, and bad scripts reported on stderr as
// FILE:LINE: message.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "DibCanvas.h"
#include "Golden.h"
#include "PngReader.h"
#include "TestValues.h"

namespace {

std::string ProgramPath()
{
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string dir(path, length);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + "grafplay.exe";
}

std::string TempPath(const std::string& name)
{
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "grafplay_test_" + std::to_string(::GetCurrentProcessId()) + "_" +
           name;
}

void WriteText(const std::string& path, const std::string& text)
{
    FILE* pFile = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, pFile) << "cannot write " << path;
    std::fwrite(text.data(), 1, text.size(), pFile);
    std::fclose(pFile);
}

struct RunResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string errors;  // what the program wrote on stderr and stdout
};

// Runs grafplay with the given arguments, collecting its output until it exits.
RunResult RunGrafplay(const std::string& arguments)
{
    RunResult result;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
    HANDLE hRead = NULL;
    HANDLE hWrite = NULL;
    if (!::CreatePipe(&hRead, &hWrite, &sa, 0)) {
        ADD_FAILURE() << "CreatePipe failed";
        return result;
    }
    ::SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = hWrite;
    si.hStdError = hWrite;
    PROCESS_INFORMATION pi;
    ZeroMemory(&pi, sizeof(pi));
    std::string commandLine = "\"" + ProgramPath() + "\" " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    const BOOL started =
        ::CreateProcessA(NULL, buffer.data(), NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi);
    ::CloseHandle(hWrite);
    if (!started) {
        ::CloseHandle(hRead);
        ADD_FAILURE() << "cannot start " << commandLine;
        return result;
    }
    char chunk[512];
    DWORD got = 0;
    while (::ReadFile(hRead, chunk, sizeof(chunk), &got, NULL) && got > 0)
        result.errors.append(chunk, got);
    ::CloseHandle(hRead);
    // stderr is in text mode: lines end with CR LF.
    std::string lines;
    for (char ch : result.errors) {
        if (ch != '\r')
            lines += ch;
    }
    result.errors = lines;
    ::WaitForSingleObject(pi.hProcess, 60000);
    ::GetExitCodeProcess(pi.hProcess, &result.exitCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return result;
}

// The picture grafplay wrote, with its pixels as COLORREFs.
struct Picture {
    int width = 0;
    int height = 0;
    mirdalux::PngImage image;

    COLORREF At(int x, int y) const
    {
        const std::uint32_t rgb = image.pixels[static_cast<size_t>(y) * width + x];
        return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
};

bool ReadPicture(const std::string& path, Picture& picture, std::string& error)
{
    if (!mirdalux::ReadPngRgb(path.c_str(), picture.image, error))
        return false;
    picture.width = picture.image.width;
    picture.height = picture.image.height;
    return true;
}

// Copies the picture's pixels into the canvas, which has its size.
void CopyIntoCanvas(const Picture& picture, DibCanvas& canvas)
{
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = picture.width;
    bmi.bmiHeader.biHeight = -picture.height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    EXPECT_EQ(picture.height,
              ::SetDIBitsToDevice(canvas.Hdc(), 0, 0, picture.width, picture.height, 0, 0, 0,
                                  picture.height, picture.image.pixels.data(), &bmi,
                                  DIB_RGB_COLORS))
        << "rows copied into the canvas";
    ::GdiFlush();
}

// Plays the script at scriptPath with --png into pngPath, after removing any picture an
// earlier run left there.
RunResult RunToPng(const std::string& scriptPath, const std::string& pngPath)
{
    ::DeleteFileA(pngPath.c_str());
    return RunGrafplay("--png \"" + pngPath + "\" \"" + scriptPath + "\"");
}

// Plays `script` with --png and reads the picture back, failing the test when either fails.
bool Render(const std::string& name, const std::string& script, Picture& picture)
{
    const std::string scriptPath = TempPath(name + ".graf");
    const std::string pngPath = TempPath(name + ".png");
    WriteText(scriptPath, script);
    const RunResult run = RunToPng(scriptPath, pngPath);
    ::DeleteFileA(scriptPath.c_str());
    EXPECT_EQ(0u, run.exitCode) << "exit code of grafplay on " << name
                                << "; it said: " << run.errors;
    EXPECT_EQ("", run.errors) << "output of grafplay on " << name;
    std::string error;
    const bool read = ReadPicture(pngPath, picture, error);
    EXPECT_TRUE(read) << "a readable PNG from " << name << ": " << error;
    ::DeleteFileA(pngPath.c_str());
    return read && run.exitCode == 0;
}

std::string Hex(COLORREF c)
{
    char text[16];
    std::snprintf(text, sizeof(text), "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

struct Probe {
    int x, y;
    COLORREF colour;
    const char* what;
};

void CheckProbes(const Picture& picture, const std::vector<Probe>& probes)
{
    for (const Probe& p : probes) {
        EXPECT_EQ(Hex(p.colour), Hex(picture.At(p.x, p.y)))
            << p.what << " at (" << p.x << ", " << p.y << ")";
    }
}

}  // namespace

TEST(Grafplay, RendersTheViewBackgroundAtTheScriptsSize)
{
    Picture picture;
    ASSERT_TRUE(Render("background", "view 50 40 #336699\n", picture));
    EXPECT_EQ(50, picture.width);
    EXPECT_EQ(40, picture.height);
    int wrong = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x)
            wrong += picture.At(x, y) != RGB(0x33, 0x66, 0x99);
    }
    EXPECT_EQ(0, wrong) << "pixels not in the view colour #336699; corner has "
                        << Hex(picture.At(49, 39));
}

TEST(Grafplay, DrawsRectanglesWithThePenAndForegroundColour)
{
    Picture picture;
    ASSERT_TRUE(Render("rects",
                       "view 200 100\n"
                       "pensize 3\n"
                       "rect frame gray 10 10 100 80\n"
                       "pensize 1\n"
                       "forecolor #ff0000\n"
                       "rect paint \"\" 120 10 180 60\n"
                       "expect count 5\n",
                       picture));
    CheckProbes(picture,
                {
                    {9, 40, kWhite, "left of the frame"},
                    {10, 40, kBlack, "the frame's first column"},
                    {12, 40, kBlack, "the 3-pixel pen's last column, inside the rectangle"},
                    {13, 40, kWhite, "inside the frame"},
                    {55, 45, kWhite, "the frame's middle, not filled"},
                    {99, 40, kBlack, "the frame's right edge, inside"},
                    {100, 40, kWhite, "right of the frame"},
                    {50, 10, kBlack, "the frame's top row"},
                    {50, 79, kBlack, "the frame's bottom row"},
                    {50, 80, kWhite, "below the frame"},
                    {120, 10, kRed, "the painted rectangle's top-left pixel (a 1-pixel pen)"},
                    {179, 59, kRed, "the painted rectangle's bottom-right pixel"},
                    {150, 35, kRed, "the painted rectangle's middle"},
                    {119, 35, kWhite, "left of the painted rectangle"},
                    {180, 35, kWhite, "right of the painted rectangle"},
                    {150, 60, kWhite, "below the painted rectangle"},
                });
}

TEST(Grafplay, LinesFollowThePenAndDeletionsLeaveThePicture)
{
    Picture picture;
    ASSERT_TRUE(Render("lines",
                       "view 60 40\n"
                       "penloc 5 5\n"
                       "line 20 0\n"
                       "line 0 10\n"
                       "rect paint \"\" 40 20 50 30\n"
                       "dellast full\n"
                       "expect count 3\n",
                       picture));
    CheckProbes(picture, {
                             {5, 5, kBlack, "the first line's start"},
                             {24, 5, kBlack, "the first line's last pixel"},
                             {25, 10, kBlack, "the second line, from where the first ended"},
                             {25, 14, kBlack, "the second line's last pixel"},
                             {25, 15, kWhite, "past the second line's end point"},
                             {4, 5, kWhite, "before the first line"},
                             {45, 25, kWhite, "the deleted rectangle's middle"},
                         });
}

TEST(Grafplay, ReportsBadScriptsAsFileLineMessage)
{
    struct Case {
        const char* name;
        const char* script;
        const char* message;
    };
    const Case cases[] = {
        {"unknown", "view 10 10\nsquare 1 1\n", ":2: unknown command 'square'"},
        {"count", "view 10 10\npensize\n", ":2: 'pensize' takes 1 argument, got 0 (pensize N)"},
        {"number", "view 10 10\npensize 3x\n", ":2: bad number '3x'"},
        {"colour", "view 10 10\n# fore\nforecolor #12\n", ":3: bad colour '#12' (want #RRGGBB)"},
        {"string", "view 10 10\ntext \"open\n", ":2: unterminated string"},
        {"order", "pensize 2\nview 10 10\n", ":1: 'pensize' before 'view'"},
        {"expect", "view 10 10\npensize 2\nrect frame \"\" 1 1 5 5\nexpect count 3\n",
         ":4: expect count: wanted 3 elements, the view holds 2"},
        // A CJK character has no place in a Western code page; found before anything is drawn.
        {"codepage", "view 10 10\ntext \"caf\xC3\xA9\"\ntext \"\xE6\x97\xA5\"\n",
         ":3: character U+65E5 is not in the ANSI code page"},
    };
    for (const Case& c : cases) {
        const std::string scriptPath = TempPath(std::string(c.name) + ".graf");
        const std::string pngPath = TempPath(std::string(c.name) + ".png");
        WriteText(scriptPath, c.script);
        const RunResult run = RunToPng(scriptPath, pngPath);
        EXPECT_EQ(1u, run.exitCode) << "exit code for the " << c.name << " script";
        EXPECT_EQ(scriptPath + c.message + "\n", run.errors)
            << "message for the " << c.name << " script";
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(pngPath.c_str()))
            << "no picture is written for the " << c.name << " script";
        ::DeleteFileA(scriptPath.c_str());
        ::DeleteFileA(pngPath.c_str());
    }

    // A picture that cannot be written: reported against its own path, nothing left there.
    const std::string good = TempPath("good.graf");
    WriteText(good, "view 10 10\n");
    const std::string unwritable = TempPath("no-such-folder") + "\\out.png";
    RunResult written = RunToPng(good, unwritable);
    EXPECT_EQ(1u, written.exitCode) << "exit code for an unwritable picture";
    EXPECT_EQ(unwritable + ":0: cannot write the file\n", written.errors);
    ::DeleteFileA(good.c_str());

    const std::string missing = TempPath("missing.graf");
    RunResult run = RunGrafplay("--png out.png \"" + missing + "\"");
    EXPECT_EQ(1u, run.exitCode) << "exit code for a missing script";
    EXPECT_EQ(missing + ":0: cannot read the file\n", run.errors);

    const char* const usages[] = {"", "--png only.png", "--bogus a b", "-x"};
    for (const char* arguments : usages) {
        run = RunGrafplay(arguments);
        EXPECT_EQ(2u, run.exitCode) << "exit code for the arguments '" << arguments << "'";
        EXPECT_EQ(0u, run.errors.find("usage: grafplay"))
            << "usage for '" << arguments << "': " << run.errors;
    }
}

TEST(Grafplay, FillsSelfIntersectingPolygonsByTheWindingRuleAndFramesTextBoxes)
{
    const COLORREF green = RGB(0, 0xFF, 0);
    Picture picture;
    ASSERT_TRUE(Render("polygon",
                       "view 240 100\n"
                       "forecolor #00ff00\n"
                       "polygon paint \"\" 50 90 75 15 100 90 35 43 115 43\n"
                       "forecolor #000000\n"
                       "textbox L framed 130 10 230 50 \"\"\n"
                       "textbox C plain 130 60 230 95 \"\"\n"
                       "expect count 5\n",
                       picture));
    CheckProbes(picture,
                {
                    {75, 58, green, "the star's centre, wound twice and filled"},
                    {75, 30, green, "the star's top point"},
                    {45, 45, green, "the star's left point"},
                    {75, 10, kWhite, "above the star"},
                    {75, 85, kWhite, "between the star's two lower points"},
                    {130, 30, kBlack, "the framed text box's left edge"},
                    {229, 30, kBlack, "the framed text box's right edge, inside its rectangle"},
                    {180, 10, kBlack, "the framed text box's top edge"},
                    {180, 30, kWhite, "inside the empty framed text box"},
                    {130, 77, kWhite, "the plain text box has no frame"},
                });
}

TEST(Grafplay, ScriptsMatchTheirGoldenPictures)
{
    // One script per element kind, each also checking its element count with `expect`, and the
    // shapes overview among the examples. Fonts may rasterise a little differently from one
    // Wine to another, so the text pictures allow a small difference per colour channel.
    struct Case {
        const char* dir;
        const char* script;
        const char* golden;
        int tolerance;
    };
    const Case cases[] = {
        {GRAFPLAY_EXAMPLES_DIR, "shapes", "grafplay_shapes", 0},
        {GRAFPLAY_GOLDEN_DIR, "rect", "grafplay_rect", 0},
        {GRAFPLAY_GOLDEN_DIR, "roundrect", "grafplay_roundrect", 0},
        {GRAFPLAY_GOLDEN_DIR, "oval", "grafplay_oval", 0},
        {GRAFPLAY_GOLDEN_DIR, "arc", "grafplay_arc", 0},
        {GRAFPLAY_GOLDEN_DIR, "line", "grafplay_line", 0},
        {GRAFPLAY_GOLDEN_DIR, "polyline", "grafplay_polyline", 0},
        {GRAFPLAY_GOLDEN_DIR, "polygon", "grafplay_polygon", 0},
        {GRAFPLAY_GOLDEN_DIR, "text", "grafplay_text", 32},
        {GRAFPLAY_GOLDEN_DIR, "textbox", "grafplay_textbox", 32},
    };
    for (const Case& c : cases) {
        const std::string script = std::string(c.dir) + "/" + c.script + ".graf";
        const std::string pngPath = TempPath(std::string(c.script) + ".png");
        const RunResult run = RunToPng(script, pngPath);
        EXPECT_EQ(0u, run.exitCode)
            << "exit code of grafplay on " << script << "; it said: " << run.errors;
        Picture picture;
        std::string error;
        const bool read = ReadPicture(pngPath, picture, error);
        ::DeleteFileA(pngPath.c_str());
        if (!read) {
            ADD_FAILURE() << "a readable PNG from " << script << ": " << error;
            continue;
        }
        DibCanvas canvas(picture.width, picture.height);
        CopyIntoCanvas(picture, canvas);
        EXPECT_TRUE(MatchesGolden(canvas, c.golden, c.tolerance)) << "the picture of " << script;
    }
}

TEST(Grafplay, PlaysAScriptInAWindowUntilClosed)
{
    const std::string scriptPath = TempPath("window.graf");
    WriteText(scriptPath, "view 120 80 #00ff00\nforecolor #ff0000\nrect paint \"\" 10 10 50 40\n");
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    ZeroMemory(&pi, sizeof(pi));
    std::string commandLine = "\"" + ProgramPath() + "\" \"" + scriptPath + "\"";
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    ASSERT_TRUE(::CreateProcessA(NULL, buffer.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        << "cannot start " << commandLine;

    const std::string title = "grafplay - " + scriptPath;
    HWND hFrame = NULL;
    for (int tries = 0; tries < 200 && hFrame == NULL; ++tries) {
        hFrame = ::FindWindowA(NULL, title.c_str());
        if (hFrame == NULL)
            ::Sleep(50);
    }
    ASSERT_NE(nullptr, hFrame) << "a main window titled '" << title << "'";
    ::Sleep(300);
    EXPECT_TRUE(::IsWindowVisible(hFrame)) << "the main window is shown";
    HWND hView = ::GetDlgItem(hFrame, 1);
    ASSERT_NE(nullptr, hView) << "the view is the frame's child 1";
    char name[32] = "";
    ::GetWindowTextA(hView, name, sizeof(name));
    EXPECT_STREQ("GrafView", name) << "the view's window name";
    RECT client;
    ::GetClientRect(hView, &client);
    EXPECT_EQ(120, client.right) << "client width of the view";
    EXPECT_EQ(80, client.bottom) << "client height of the view";

    // What the screen shows of the view; this test runs alone, so nothing covers it.
    POINT origin = {0, 0};
    ::ClientToScreen(hView, &origin);
    HDC hdcScreen = ::GetDC(NULL);
    DibCanvas canvas(120, 80, RGB(1, 2, 3));
    EXPECT_TRUE(::BitBlt(canvas.Hdc(), 0, 0, 120, 80, hdcScreen, origin.x, origin.y, SRCCOPY))
        << "copying the view's client area from the screen";
    ::ReleaseDC(NULL, hdcScreen);
    ::GdiFlush();
    EXPECT_EQ(Hex(RGB(255, 0, 0)), Hex(canvas.Pixel(30, 25))) << "the painted rectangle on screen";
    EXPECT_EQ(Hex(RGB(0, 255, 0)), Hex(canvas.Pixel(5, 5))) << "the view's colour on screen";
    EXPECT_EQ(Hex(RGB(0, 255, 0)), Hex(canvas.Pixel(110, 70)))
        << "the view's colour at the far corner";

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
    ::DeleteFileA(scriptPath.c_str());
}
