// Plays checked script commands on one graphic view: one export call per drawing command, the
// pointer's real messages for the pointer steps.
#pragma once
#include <afxwin.h>

#include <string>

#include "Script.h"

class CGraphicView;
class CImageTable;

class CScriptPlayer
{
public:
    // The view's window is a child of pParent, a top-level frame, with this identifier; the
    // image commands use the files the table loaded. The first pointer step shows the frame
    // with nShowCmd.
    CScriptPlayer(CWnd* pParent, UINT nViewId, CImageTable& images, int nShowCmd);

    // Runs one command. False with a message when it cannot be done: an `expect` that fails,
    // or a view that cannot be created.
    bool Play(const grafplay::Command& command, std::string& message);

    CGraphicView* View() const { return m_pView; }
    // The view's window (the view object itself), null before `view`.
    CWnd* ViewWnd() const;
    // The size of the view's client area that `view` asked for.
    CSize ViewSize() const { return m_size; }
    COLORREF ViewColour() const { return m_colour; }

    // Sizes the view's window so that its client area, whichever scroll bars it shows now, has
    // the size `view` asked for.
    void FitViewWindow();
    // Fits the frame around the view's window and shows it (SW_SHOW... code) at once.
    void ShowFrame(int nShowCmd);
    // True once a `wait` saw the view's window destroyed (the user closed the frame): nothing
    // more can be played.
    bool Closed() const { return m_closed; }

    // Draws the whole view with Grafic_Dll_RepaintView onto a 32-bit DIB section of the view's
    // size, first filled with the view's colour, and writes it as a PNG file. Once the frame is
    // shown, what the window shows is copied over it (the part on the screen): the pressed look
    // and the blinking frame are drawn on the window alone.
    bool RenderPng(const char* pszPath) const;

private:
    bool CreateView(const grafplay::Command& command, std::string& message);
    bool PlayDrawing(const grafplay::Command& command, std::string& message);
    bool PlayImage(const grafplay::Command& command, std::string& message);
    bool PlayPointer(const grafplay::Command& command, std::string& message);
    void Wait(DWORD ms);

    CWnd* m_pParent;
    CImageTable& m_images;
    UINT m_nViewId;
    CGraphicView* m_pView = NULL;
    CSize m_size;
    COLORREF m_colour = RGB(255, 255, 255);
    int m_nShowCmd;
    bool m_shown = false;
    bool m_buttonDown = false;  // between `down` or `dblclick` and `up`
    bool m_closed = false;
};

// Converts UTF-8 text to the process's ANSI code page, the encoding the library's strings use.
// False, with the reason in message, for malformed UTF-8 or a character the code page lacks.
bool Utf8ToAnsi(const std::string& utf8, CString& ansi, std::string& message);
// The same check without keeping the result: the script parser's text check.
bool FitsAnsiCodePage(const std::string& utf8, std::string& message);
