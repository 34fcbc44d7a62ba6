// Plays checked script commands on one graphic view: each drawing command becomes the export
// call of the same meaning, with the host blocks, strings and arrays the export expects; each
// pointer step becomes the messages a user's pointer sends the view's window.
#include "ScriptPlayer.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "ImageTable.h"
#include "PngWriter.h"

#include <mirdalux.h>

using grafplay::Argument;
using grafplay::Command;

namespace {

RECT RectOf(const std::vector<Argument>& args, size_t first)
{
    RECT rc = {args[first].number, args[first + 1].number, args[first + 2].number,
               args[first + 3].number};
    return rc;
}

bool ShapeBlock(const std::vector<Argument>& args, GRAF_SHAPE& shape, std::string& message)
{
    if (!Utf8ToAnsi(args[0].text, shape.verb, message) ||
        !Utf8ToAnsi(args[1].text, shape.pattern, message))
        return false;
    shape.rect = RectOf(args, 2);
    return true;
}

// The X Y pairs from args[first] on, as the points and as the array of pointers to them that
// the polyline and polygon calls take.
void FillPoints(const std::vector<Argument>& args, size_t first, std::vector<POINT>& points,
                CObArray& array)
{
    points.clear();
    for (size_t k = first; k + 1 < args.size(); k += 2) {
        POINT pt = {args[k].number, args[k + 1].number};
        points.push_back(pt);
    }
    array.SetSize(0, -1);
    for (POINT& pt : points)
        array.Add(reinterpret_cast<CObject*>(&pt));
}

// Copies what the window's client area shows onto hdc, the part of it on the screen (a
// window's pixels off the screen are never drawn). Paints what is invalid first.
void CopyWindowPixels(CWnd* pWnd, HDC hdc, const CRect& client)
{
    pWnd->UpdateWindow();
    CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    pWnd->ScreenToClient(&screen);
    CRect part;
    if (!part.IntersectRect(&client, &screen))
        return;
    HDC hdcWindow = ::GetDC(pWnd->GetSafeHwnd());
    if (hdcWindow == NULL)
        return;
    ::BitBlt(hdc, part.left, part.top, part.Width(), part.Height(), hdcWindow, part.left, part.top,
             SRCCOPY);
    ::ReleaseDC(pWnd->GetSafeHwnd(), hdcWindow);
}

void FillNumbers(const std::vector<Argument>& args, size_t first, CUIntArray& numbers)
{
    for (size_t k = first; k < args.size(); ++k)
        numbers.Add(static_cast<UINT>(args[k].number));
}

}  // namespace

bool Utf8ToAnsi(const std::string& utf8, CString& ansi, std::string& message)
{
    ansi.Empty();
    if (utf8.empty())
        return true;
    const int size = static_cast<int>(utf8.size());
    const int wideLength =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, NULL, 0);
    if (wideLength <= 0) {
        message = "malformed UTF-8";
        return false;
    }
    std::vector<wchar_t> wide(wideLength);
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(),
                          wideLength);
    // One character (a surrogate pair is one) at a time, so the first that the code page lacks
    // can be named; no best-fit mapping, which would quietly write another letter.
    std::string bytes;
    for (int i = 0; i < wideLength;) {
        const int units = (wide[i] >= 0xD800 && wide[i] < 0xDC00 && i + 1 < wideLength) ? 2 : 1;
        char out[8];
        BOOL usedDefault = FALSE;
        const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &wide[i], units, out,
                                            sizeof(out), NULL, &usedDefault);
        if (n <= 0 || usedDefault) {
            const unsigned long code = units == 2
                                           ? 0x10000ul + ((unsigned long)(wide[i] - 0xD800) << 10) +
                                                 (unsigned long)(wide[i + 1] - 0xDC00)
                                           : (unsigned long)wide[i];
            char name[16];
            std::snprintf(name, sizeof(name), "U+%04lX", code);
            message = std::string("character ") + name + " is not in the ANSI code page";
            return false;
        }
        bytes.append(out, (size_t)n);
        i += units;
    }
    ansi = CString(bytes.data(), static_cast<int>(bytes.size()));
    return true;
}

bool FitsAnsiCodePage(const std::string& utf8, std::string& message)
{
    CString ansi;
    return Utf8ToAnsi(utf8, ansi, message);
}

CScriptPlayer::CScriptPlayer(CWnd* pParent, UINT nViewId, CImageTable& images, int nShowCmd)
    : m_pParent(pParent), m_images(images), m_nViewId(nViewId), m_size(0, 0), m_nShowCmd(nShowCmd)
{}

CWnd* CScriptPlayer::ViewWnd() const
{
    return m_pView != NULL && m_pParent != NULL ? m_pParent->GetDlgItem(m_nViewId) : NULL;
}

bool CScriptPlayer::CreateView(const Command& command, std::string& message)
{
    m_size = CSize(command.args[0].number, command.args[1].number);
    m_pView = reinterpret_cast<CGraphicView*>(Grafic_Dll_NewView(0));
    if (m_pView == NULL) {
        message = "the view could not be created";
        return false;
    }
    RECT rc = {0, 0, m_size.cx, m_size.cy};
    Grafic_Dll_NewDoc(m_pParent, m_pView, &rc, m_nViewId, FALSE);
    CWnd* pWnd = ViewWnd();
    if (pWnd == NULL) {
        message = "the view's window could not be created";
        return false;
    }
    FitViewWindow();
    if (command.args.size() > 2) {
        m_colour = static_cast<COLORREF>(command.args[2].colour);
        Grafic_Dll_SetViewBkColor(m_pView, m_colour, TRUE);
    }
    return true;
}

void CScriptPlayer::FitViewWindow()
{
    CWnd* pWnd = ViewWnd();
    if (pWnd == NULL)
        return;
    // Widen and heighten the window by what its scroll bars take, so the client area, and the
    // picture, has the size the script asked for.
    CRect window;
    CRect client;
    pWnd->GetWindowRect(&window);
    pWnd->GetClientRect(&client);
    // Resizing, even to the same size, repaints the view: the pointer's looks would be lost.
    if (client.Size() == m_size)
        return;
    pWnd->SetWindowPos(NULL, 0, 0, m_size.cx + window.Width() - client.Width(),
                       m_size.cy + window.Height() - client.Height(), SWP_NOMOVE | SWP_NOZORDER);
}

void CScriptPlayer::ShowFrame(int nShowCmd)
{
    CWnd* pViewWnd = ViewWnd();
    if (pViewWnd == NULL)
        return;
    // The view's scroll bars may change as it is first sized and shown: fitted once more after.
    for (int pass = 0; pass < 2; ++pass) {
        FitViewWindow();
        CRect viewRect;
        pViewWnd->GetWindowRect(&viewRect);
        CRect frameRect(0, 0, viewRect.Width(), viewRect.Height());
        ::AdjustWindowRect(&frameRect, m_pParent->GetStyle(), FALSE);
        m_pParent->SetWindowPos(NULL, 0, 0, frameRect.Width(), frameRect.Height(),
                                SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (pass == 0)
            m_pParent->ShowWindow(nShowCmd);
    }
    m_pParent->RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    m_shown = true;
}

bool CScriptPlayer::Play(const Command& command, std::string& message)
{
    const std::vector<Argument>& args = command.args;
    const std::string& name = command.name;
    if (name == "view")
        return CreateView(command, message);
    if (m_pView == NULL) {
        message = "'" + name + "' before 'view'";
        return false;
    }
    CGraphicView* pView = m_pView;

    if (name == "reset") {
        Grafic_Dll_Reset();
    } else if (name == "output") {
        CString outputName;
        if (!Utf8ToAnsi(args[1].text, outputName, message))
            return false;
        Grafic_Dll_SetOutput(pView, args[0].number, &outputName);
    } else if (name == "scrollable") {
        Grafic_Dll_SetScrollable(pView, args[0].number);
    } else if (name == "viewcolor") {
        m_colour = static_cast<COLORREF>(args[0].colour);
        Grafic_Dll_SetViewBkColor(pView, m_colour, args[1].number);
    } else if (name == "repaint") {
        CWnd* pWnd = ViewWnd();
        if (pWnd != NULL) {
            CClientDC dc(pWnd);
            Grafic_Dll_RepaintView(pView, &dc);
        }
    } else if (name == "delall") {
        Grafic_Dll_Del_All_Elt(pView);
    } else if (name == "dellast") {
        Grafic_Dll_Del_Last_Elt(pView, args[0].number);
    } else if (name == "dellisted") {
        CUIntArray numbers;
        FillNumbers(args, 1, numbers);
        Grafic_Dll_Del_Listed_Elt(pView, &numbers, args[0].number);
    } else if (name == "delallactive") {
        Grafic_Dll_Del_All_Activ_Rgn(pView);
    } else if (name == "dellistedactive" || name == "dellistedclick") {
        CUIntArray ids;
        FillNumbers(args, 0, ids);
        if (name == "dellistedactive")
            Grafic_Dll_Del_Listed_Activ_Rgn(pView, &ids);
        else
            Grafic_Dll_Del_Listed_Click_Rgn(pView, &ids);
    } else if (name == "delallclick") {
        Grafic_Dll_Del_All_Click_Rgn(pView);
    } else if (name == "expect") {
        const int count = Grafic_Dll_GetNbElement(pView);
        if (count != args[1].number) {
            message = "expect count: wanted " + std::to_string(args[1].number) +
                      " elements, the view holds " + std::to_string(count);
            return false;
        }
    } else if (name == "pennormal") {
        Grafic_Dll_Set_Pen_Normal(pView);
    } else if (name == "pensize") {
        const int size = args[0].number;
        Grafic_Dll_Set_Pen_Size(pView, &size);
    } else if (name == "penloc" || name == "penoffset") {
        POINT pt = {args[0].number, args[1].number};
        if (name == "penloc")
            Grafic_Dll_Set_Pen_Location(pView, &pt);
        else
            Grafic_Dll_Offset_Pen_Location(pView, &pt);
    } else if (name == "forecolor") {
        Grafic_Dll_Set_Fognd_Color(pView, static_cast<COLORREF>(args[0].colour));
    } else if (name == "backcolor") {
        Grafic_Dll_Set_Bkgnd_Color(pView, static_cast<COLORREF>(args[0].colour));
    } else if (name == "textnormal") {
        Grafic_Dll_Set_Text_Normal(pView);
    } else if (name == "textfont") {
        CString face;
        if (!Utf8ToAnsi(args[0].text, face, message))
            return false;
        Grafic_Dll_Set_Text_Font(pView, &face);
    } else if (name == "textsize") {
        Grafic_Dll_Set_Text_Size(pView, args[0].number);
    } else if (name == "textstyle") {
        CStringArray words;
        for (const Argument& arg : args) {
            CString word;
            if (!Utf8ToAnsi(arg.text, word, message))
                return false;
            words.Add(word);
        }
        Grafic_Dll_Set_Text_Style(pView, &words);
    } else if (name == "options") {
        CUIntArray numbers;
        FillNumbers(args, 1, numbers);
        Grafic_Dll_Set_Options(pView, args[0].number, &numbers);
    } else if (name == "pattern") {
        Grafic_Dll_Set_Pattern(pView);
    } else if (name == "bkpattern") {
        Grafic_Dll_Set_Bkg_Pattern(pView);
    } else if (name == "penmode") {
        Grafic_Dll_Set_Pen_Mode(pView);
    } else if (name == "textmode") {
        Grafic_Dll_Set_Text_Mode(pView);
    } else if (grafplay::IsPointerStep(name)) {
        return PlayPointer(command, message);
    } else {
        return PlayDrawing(command, message);
    }
    return true;
}

bool CScriptPlayer::PlayPointer(const Command& command, std::string& message)
{
    // The hover ticks and WM_SETCURSOR test where the real pointer is, and the pressed look and
    // the blinking frame are drawn on the window: the view must be on the screen.
    if (!m_shown)
        ShowFrame(m_nShowCmd);
    CWnd* pWnd = ViewWnd();
    if (pWnd == NULL) {
        message = "the view has no window";
        return false;
    }
    const std::string& name = command.name;
    if (name == "wait") {
        Wait(static_cast<DWORD>(command.args[0].number));
        return true;
    }
    const HWND hView = pWnd->GetSafeHwnd();
    POINT pt = {command.args[0].number, command.args[1].number};
    const LPARAM lParam = MAKELPARAM(pt.x, pt.y);
    // Where a user's pointer would be for this message; outside the view too.
    POINT screen = pt;
    ::ClientToScreen(hView, &screen);
    ::SetCursorPos(screen.x, screen.y);
    // Moving the pointer queues a WM_MOUSEMOVE of its own, without the button's flag; the step
    // sends the view its messages itself, in order, so that one is dropped.
    MSG queued;
    while (::PeekMessage(&queued, NULL, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
    }
    if (name == "move") {
        ::SendMessage(hView, WM_SETCURSOR, (WPARAM)hView, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        ::SendMessage(hView, WM_MOUSEMOVE, m_buttonDown ? MK_LBUTTON : 0, lParam);
    } else if (name == "down" || name == "dblclick") {
        // A double click's second press arrives as WM_LBUTTONDBLCLK in place of a button down.
        m_buttonDown = true;
        ::SendMessage(hView, name == "down" ? WM_LBUTTONDOWN : WM_LBUTTONDBLCLK, MK_LBUTTON,
                      lParam);
    } else {
        m_buttonDown = false;
        ::SendMessage(hView, WM_LBUTTONUP, 0, lParam);
    }
    return true;
}

void CScriptPlayer::Wait(DWORD ms)
{
    // A message loop of its own, so that the hover timer's ticks and the paints arrive.
    const HWND hView = ViewWnd()->GetSafeHwnd();
    const DWORD start = ::GetTickCount();
    bool quit = false;
    // What is queued is handled even by `wait 0`.
    for (DWORD elapsed = 0; !quit; elapsed = ::GetTickCount() - start) {
        MSG msg;
        while (!quit && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
            // Left for the application's own loop, which ends on it.
            quit = msg.message == WM_QUIT;
            if (quit)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        if (elapsed >= ms)
            break;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, ms - elapsed, QS_ALLINPUT);
    }
    // The user closed the frame: destroying the view's window deleted the view.
    if (quit || !::IsWindow(hView)) {
        m_pView = NULL;
        m_closed = true;
    }
}

bool CScriptPlayer::PlayDrawing(const Command& command, std::string& message)
{
    const std::vector<Argument>& args = command.args;
    const std::string& name = command.name;
    CGraphicView* pView = m_pView;

    if (name == "rect" || name == "oval") {
        GRAF_SHAPE shape;
        if (!ShapeBlock(args, shape, message))
            return false;
        if (name == "rect")
            Grafic_Dll_Rectangle(pView, &shape);
        else
            Grafic_Dll_Oval(pView, &shape);
    } else if (name == "roundrect") {
        GRAF_ROUNDRECT block;
        if (!ShapeBlock(args, block.shape, message))
            return false;
        block.cornerWidth = args[6].number;
        block.cornerHeight = args[7].number;
        Grafic_Dll_Round_Rectangle(pView, &block);
    } else if (name == "arc") {
        GRAF_ARC block;
        if (!ShapeBlock(args, block.shape, message))
            return false;
        block.startAngle = args[6].number;
        block.arcAngle = args[7].number;
        Grafic_Dll_Arc(pView, &block);
    } else if (name == "polygon") {
        GRAF_POLYGON block;
        if (!Utf8ToAnsi(args[0].text, block.shape.verb, message) ||
            !Utf8ToAnsi(args[1].text, block.shape.pattern, message))
            return false;
        block.shape.rect = RECT{0, 0, 0, 0};
        std::vector<POINT> points;
        FillPoints(args, 2, points, block.points);
        Grafic_Dll_DefPolygon(pView, &block);
        block.points.SetSize(0, -1);
    } else if (name == "polyline") {
        CObArray array;
        std::vector<POINT> points;
        FillPoints(args, 0, points, array);
        Grafic_Dll_Plot_Line(pView, &array);
        array.SetSize(0, -1);
    } else if (name == "lineto" || name == "line") {
        POINT pt = {args[0].number, args[1].number};
        if (name == "lineto")
            Grafic_Dll_Line_To_Point(pView, &pt);
        else
            Grafic_Dll_Line_Relative(pView, &pt);
    } else if (name == "text") {
        CString text;
        if (!Utf8ToAnsi(args[0].text, text, message))
            return false;
        Grafic_Dll_Draw_Text(pView, &text);
    } else if (name == "textbox") {
        GRAF_TEXTBOX block;
        if (!Utf8ToAnsi(args[0].text, block.align, message) ||
            !Utf8ToAnsi(args[6].text, block.text, message))
            return false;
        block.framed = args[1].number;
        block.rect = RectOf(args, 2);
        Grafic_Dll_Draw_Text_Box(pView, &block);
    } else {
        return PlayImage(command, message);
    }
    return true;
}

bool CScriptPlayer::PlayImage(const Command& command, std::string& message)
{
    const std::vector<Argument>& args = command.args;
    const std::string& name = command.name;
    CGraphicView* pView = m_pView;

    if (name == "icondef" || name == "pictdef" || name == "pictstate") {
        m_images.Declare(command);
    } else if (name == "icon") {
        GRAF_ICON block;
        block.x = args[0].number;
        block.y = args[1].number;
        block.iconNumber = args[2].number;
        block.regionId = args[3].number;
        if (!Utf8ToAnsi(args[4].text, block.label, message))
            return false;
        Grafic_Dll_Icon(pView, &block);
    } else if (name == "seticon") {
        Grafic_Dll_Set_Icon(pView, args[0].number);
    } else if (name == "picture") {
        const GRAF_PICTURE block = {args[0].number, args[1].number, args[2].number, args[3].number,
                                    args[4].number};
        Grafic_Dll_Picture(pView, &block);
    } else if (name == "curpict") {
        const POINT pt = {args[0].number, args[1].number};
        Grafic_Dll_DefineCurPict(pView, &pt, args[2].number);
    } else if (name == "setpict" || name == "updatepict") {
        // A fresh block each time: the picture that takes it owns it.
        HGLOBAL hDib = m_images.CopyPicture(args[name == "setpict" ? 1 : 0].text);
        if (hDib == NULL) {
            message = "no memory for the picture";
            return false;
        }
        if (name == "updatepict") {
            const RECT rc = RectOf(args, 1);
            Grafic_Dll_UpdateCurPict(pView, hDib, &rc, args[5].number);
        } else if (!Grafic_Dll_Set_Pict(pView, args[0].number, hDib, args[2].number)) {
            // No empty picture of the number took it: it is still grafplay's.
            ::GlobalFree(hDib);
        }
    } else {
        message = "no call for '" + name + "'";
        return false;
    }
    return true;
}

bool CScriptPlayer::RenderPng(const char* pszPath) const
{
    if (m_pView == NULL || m_size.cx <= 0 || m_size.cy <= 0)
        return false;
    void* pBits = NULL;
    HBITMAP hbm = CreateTopDownSection(m_size.cx, m_size.cy, &pBits);
    if (hbm == NULL)
        return false;
    bool written = false;
    CDC dc;
    if (dc.CreateCompatibleDC(NULL)) {
        HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hbm);
        CRect all(0, 0, m_size.cx, m_size.cy);
        dc.FillSolidRect(&all, m_colour);
        Grafic_Dll_RepaintView(m_pView, &dc);
        CWnd* pWnd = ViewWnd();
        if (m_shown && pWnd != NULL)
            CopyWindowPixels(pWnd, dc.GetSafeHdc(), all);
        ::GdiFlush();
        written = mirdalux::WritePngBgrx(pszPath, m_size.cx, m_size.cy, pBits, m_size.cx * 4);
        ::SelectObject(dc.GetSafeHdc(), hOld);
        dc.DeleteDC();
    }
    ::DeleteObject(hbm);
    return written;
}
