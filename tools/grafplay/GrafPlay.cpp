// grafplay: a host of the drawing library that plays a script of export calls and pointer steps.
//   grafplay FILE              plays the script in a window, which stays open until closed
//   grafplay --png OUT FILE    plays it in a hidden window (shown, not activated, from the
//                              first pointer step on) and writes the view to a PNG
//   grafplay --print OUT FILE  plays it hidden, then prints the view on the default printer
//                              into the file OUT (PostScript on a PostScript printer)
//   grafplay --preview FILE    plays it, then shows the view's print preview in the window
//   grafplay --preview-png OUT FILE
//                              plays it, then writes a picture of the print preview to a PNG
// Errors are reported on stderr as FILE:LINE: message, with exit code 1 (2 for bad usage); the
// clicks the library reports are printed on stdout, one line each.
#include <afxwin.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ImageTable.h"
#include "PrintOutput.h"
#include "Script.h"
#include "ScriptPlayer.h"

#include <mirdalux.h>

namespace {

const UINT kViewId = 1;

struct Options {
    std::string scriptPath;
    std::string pngPath;         // --png: the view's picture
    std::string printPath;       // --print: the printer's output
    std::string previewPngPath;  // --preview-png: the preview's picture
    bool preview = false;        // --preview: the preview in a window
};

Options g_options;
bool g_badUsage = false;

void PrintUsage()
{
    std::fprintf(stderr, "usage: grafplay FILE\n       grafplay --png OUT.png FILE\n"
                         "       grafplay --print OUT.ps FILE\n       grafplay --preview FILE\n"
                         "       grafplay --preview-png OUT.png FILE\n");
}

// The directory of the script, where the files it names are looked for: everything up to the
// last slash or backslash, or nothing (the current directory).
std::string DirectoryOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void Report(const std::string& file, int line, const std::string& message)
{
    std::fprintf(stderr, "%s\n", grafplay::FormatError(file, line, message).c_str());
    std::fflush(stderr);
}

// The click callbacks: one line each on stdout, at once, for a user watching and a test reading.
void CALLBACK PrintActiveClick(HWND, int regionId)
{
    std::printf("OnActiveClick region=%d\n", regionId);
    std::fflush(stdout);
}

void CALLBACK PrintRegionClick(HWND, int regionId, POINT* pPoint, UINT nFlags)
{
    const POINT pt = pPoint != NULL ? *pPoint : POINT{0, 0};
    std::printf("OnRegionClick region=%d at=(%ld,%ld) flags=0x%04X\n", regionId, (long)pt.x,
                (long)pt.y, nFlags);
    std::fflush(stdout);
}

}  // namespace

// The main frame: a plain frame window around the view.
class CPlayerFrame : public CFrameWnd
{};

class CGrafPlayApp : public CWinApp
{
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    bool Play(CScriptPlayer& player);

    int m_exitCode = 0;
    bool m_started = false;
    // Outlives the views and the library's callback table: released after Grafic_Dll_End.
    CImageTable m_images;
};

CGrafPlayApp theApp;

bool CGrafPlayApp::Play(CScriptPlayer& player)
{
    std::string text;
    if (!grafplay::ReadWholeFile(g_options.scriptPath, text)) {
        Report(g_options.scriptPath, 0, "cannot read the file");
        return false;
    }
    std::vector<grafplay::Command> commands;
    grafplay::ScriptError error;
    if (!grafplay::ParseScript(text, commands, error, FitsAnsiCodePage)) {
        Report(g_options.scriptPath, error.line, error.message);
        return false;
    }
    // Every image file is loaded and checked before the first call.
    if (!m_images.LoadFiles(commands, DirectoryOf(g_options.scriptPath), error)) {
        Report(g_options.scriptPath, error.line, error.message);
        return false;
    }
    for (const grafplay::Command& command : commands) {
        if (player.Closed())
            break;
        std::string message;
        if (!player.Play(command, message)) {
            Report(g_options.scriptPath, command.line, message);
            return false;
        }
    }
    return true;
}

BOOL CGrafPlayApp::InitInstance()
{
    if (g_badUsage) {
        PrintUsage();
        m_exitCode = 2;
        return FALSE;
    }
    m_exitCode = 1;
    GraficCallbacks* pCallbacks = Grafic_Dll_Start();
    if (pCallbacks == NULL) {
        std::fprintf(stderr, "grafplay: the drawing library did not start\n");
        return FALSE;
    }
    m_started = true;
    m_images.Install(pCallbacks);
    pCallbacks->OnActiveClick = PrintActiveClick;
    pCallbacks->OnRegionClick = PrintRegionClick;

    const bool headless = !g_options.pngPath.empty() || !g_options.printPath.empty() ||
                          !g_options.previewPngPath.empty();
    CPlayerFrame* pFrame = new CPlayerFrame;
    CString title("grafplay - ");
    title += g_options.scriptPath.c_str();
    // Headless, a frame without caption or borders: Wine maps such a window unmanaged, so showing
    // it for pointer steps and destroying it wait for no window manager.
    const DWORD style = headless ? WS_POPUP : WS_OVERLAPPEDWINDOW;
    if (!pFrame->Create(NULL, title, style, CRect(0, 0, 200, 200))) {
        std::fprintf(stderr, "grafplay: the main window could not be created\n");
        return FALSE;
    }
    m_pMainWnd = pFrame;

    // Headless, pointer steps show the frame without taking the activation from anyone.
    CScriptPlayer player(pFrame, kViewId, m_images, headless ? SW_SHOWNOACTIVATE : m_nCmdShow);
    if (!Play(player))
        return FALSE;
    if (player.Closed()) {
        // The user closed the window during a `wait`.
        m_exitCode = 0;
        return FALSE;
    }
    // Adding elements may have changed the view's scroll bars.
    player.FitViewWindow();

    std::string error;
    if (!g_options.printPath.empty()) {
        CWnd* pViewWnd = player.ViewWnd();
        if (pViewWnd == NULL || !pViewWnd->IsKindOf(RUNTIME_CLASS(CView))) {
            Report(g_options.scriptPath, 0, "the script makes no view to print");
            return FALSE;
        }
        if (!grafplay::PrintToFile(static_cast<CView*>(pViewWnd), g_options.printPath.c_str(),
                                   error)) {
            Report(g_options.printPath, 0, error);
            return FALSE;
        }
    } else if (!g_options.previewPngPath.empty()) {
        if (!grafplay::PreviewToPng(pFrame, player.View(), kViewId,
                                    g_options.previewPngPath.c_str(), error)) {
            Report(g_options.previewPngPath, 0, error);
            return FALSE;
        }
    } else if (headless && !player.RenderPng(g_options.pngPath.c_str())) {
        Report(g_options.pngPath, 0, "cannot write the file");
        return FALSE;
    }
    if (headless) {
        m_exitCode = 0;
        return FALSE;
    }

    player.ShowFrame(m_nCmdShow);
    if (g_options.preview) {
        // A page's worth of window, then the preview; closing it shows the view again.
        pFrame->SetWindowPos(NULL, 0, 0, 640, 720, SWP_NOMOVE | SWP_NOZORDER);
        Grafic_Dll_PrintPreview(player.View(), kViewId);
    }
    m_exitCode = 0;
    return TRUE;
}

int CGrafPlayApp::ExitInstance()
{
    if (m_started)
        Grafic_Dll_End();
    m_images.Release();
    CWinApp::ExitInstance();
    return m_exitCode;
}

// A console program, so that errors reach stderr and the exit code reaches the shell; the
// application then runs as any windowed one does.
int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0].compare(0, 1, "-") != 0) {
        g_options.scriptPath = args[0];
    } else if (args.size() == 2 && args[0] == "--preview") {
        g_options.preview = true;
        g_options.scriptPath = args[1];
    } else if (args.size() == 3 && args[0] == "--png") {
        g_options.pngPath = args[1];
        g_options.scriptPath = args[2];
    } else if (args.size() == 3 && args[0] == "--print") {
        g_options.printPath = args[1];
        g_options.scriptPath = args[2];
    } else if (args.size() == 3 && args[0] == "--preview-png") {
        g_options.previewPngPath = args[1];
        g_options.scriptPath = args[2];
    } else {
        g_badUsage = true;
    }
    static char emptyCommandLine[] = "";
    return AfxWinMain(::GetModuleHandleA(NULL), NULL, emptyCommandLine, SW_SHOWNORMAL);
}
