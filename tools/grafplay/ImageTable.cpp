// CImageTable: loading and checking the image files a script names, answering the library's
// requests for icons, pictures and picture states, and drawing the DIBs it hands back.
#include "ImageTable.h"

#include <cstring>

#include "PackedDib.h"
#include "ScriptPlayer.h"

using grafplay::Command;

CImageTable* CImageTable::s_pInstalled = NULL;

namespace {

std::string Quote(const std::string& text)
{
    return "'" + text + "'";
}

// The file a script names, in the ANSI code page: from the script's directory unless it is
// absolute (a drive letter, or a leading slash or backslash).
bool ResolvePath(const std::string& scriptDir, const std::string& file, std::string& path,
                 std::string& message)
{
    CString ansi;
    if (!Utf8ToAnsi(file, ansi, message))
        return false;
    const std::string name(ansi, ansi.GetLength());
    const bool absolute = (!name.empty() && (name[0] == '\\' || name[0] == '/')) ||
                          (name.size() > 1 && name[1] == ':');
    path = absolute ? name : scriptDir + name;
    return true;
}

HGLOBAL NewBlock(const void* pData, SIZE_T size)
{
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, size);
    void* p = h != NULL ? ::GlobalLock(h) : NULL;
    if (p == NULL) {
        if (h != NULL)
            ::GlobalFree(h);
        return NULL;
    }
    std::memcpy(p, pData, size);
    ::GlobalUnlock(h);
    return h;
}

}  // namespace

bool CImageTable::LoadFiles(const std::vector<Command>& commands, const std::string& scriptDir,
                            grafplay::ScriptError& error)
{
    for (const Command& command : commands) {
        const std::string& name = command.name;
        const std::vector<grafplay::Argument>& args = command.args;
        const std::string* pFile = NULL;
        if (name == "icondef" || name == "pictdef" || name == "setpict")
            pFile = &args[1].text;
        else if (name == "pictstate")
            pFile = &args[2].text;
        else if (name == "updatepict")
            pFile = &args[0].text;
        if (pFile == NULL)
            continue;
        std::string message;
        if (!LoadFile(*pFile, name == "icondef", scriptDir, message)) {
            error = {command.line, message};
            return false;
        }
    }
    return true;
}

bool CImageTable::LoadFile(const std::string& file, bool bIcon, const std::string& scriptDir,
                           std::string& message)
{
    if (bIcon ? m_iconFiles.count(file) != 0 : m_pictureFiles.count(file) != 0)
        return true;
    std::string path;
    if (!ResolvePath(scriptDir, file, path, message))
        return false;
    std::string bytes;
    if (!grafplay::ReadWholeFile(path, bytes)) {
        message = "cannot read " + Quote(file);
        return false;
    }
    if (bIcon) {
        HICON hIcon = static_cast<HICON>(
            ::LoadImageA(NULL, path.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
        if (hIcon == NULL) {
            message = Quote(file) + ": not an icon file (LoadImage refuses it)";
            return false;
        }
        m_iconFiles[file] = hIcon;
        return true;
    }
    std::string dib, reason;
    if (!grafplay::PackBmpFile(bytes, dib, reason)) {
        message = Quote(file) + ": " + reason;
        return false;
    }
    HGLOBAL h = NewBlock(dib.data(), dib.size());
    if (h == NULL) {
        message = "no memory for " + Quote(file);
        return false;
    }
    m_pictureFiles[file] = h;
    return true;
}

void CImageTable::Declare(const Command& command)
{
    const std::vector<grafplay::Argument>& args = command.args;
    if (command.name == "icondef") {
        m_icons[args[0].number] = args[1].text;
    } else if (command.name == "pictdef") {
        Picture& picture = m_pictures[args[0].number];
        picture.file = args[1].text;
        picture.transparentIndex = args.size() > 2 ? args[2].number : -1;
    } else if (command.name == "pictstate") {
        // The first choice word, highlight, reads as 1.
        const int state = args[1].number != 0 ? PICT_STATE_HIGHLIGHT : PICT_STATE_PRESSED;
        m_pictures[args[0].number].states[state - 1] = args[2].text;
    }
}

HGLOBAL CImageTable::CopyPicture(const std::string& file) const
{
    const std::map<std::string, HGLOBAL>::const_iterator it = m_pictureFiles.find(file);
    if (it == m_pictureFiles.end())
        return NULL;
    const void* p = ::GlobalLock(it->second);
    if (p == NULL)
        return NULL;
    HGLOBAL copy = NewBlock(p, ::GlobalSize(it->second));
    ::GlobalUnlock(it->second);
    return copy;
}

HGLOBAL CImageTable::StateImage(int pictNumber, int stateCode) const
{
    const std::map<int, Picture>::const_iterator it = m_pictures.find(pictNumber);
    if (it == m_pictures.end() ||
        (stateCode != PICT_STATE_PRESSED && stateCode != PICT_STATE_HIGHLIGHT))
        return NULL;
    const std::map<std::string, HGLOBAL>::const_iterator file =
        m_pictureFiles.find(it->second.states[stateCode - 1]);
    return file != m_pictureFiles.end() ? file->second : NULL;
}

void CImageTable::Install(GraficCallbacks* pTable)
{
    s_pInstalled = this;
    pTable->RequestResource = OnRequestResource;
    pTable->DrawPicture = OnDrawPicture;
    pTable->GetPictureState = OnGetPictureState;
}

void CImageTable::Release()
{
    if (s_pInstalled == this)
        s_pInstalled = NULL;
    for (const auto& entry : m_iconFiles)
        ::DestroyIcon(entry.second);
    for (const auto& entry : m_pictureFiles)
        ::GlobalFree(entry.second);
    m_iconFiles.clear();
    m_pictureFiles.clear();
    m_icons.clear();
    m_pictures.clear();
}

// Icons are lent (they stay the table's); a picture is a fresh copy, which the library then
// owns, with its transparent index. Undeclared numbers answer nothing.
void __cdecl CImageTable::OnRequestResource(ResourceRequest* pRequest)
{
    const CImageTable* pThis = s_pInstalled;
    if (pThis == NULL || pRequest == NULL)
        return;
    if (pRequest->kind == RES_ICON) {
        const std::map<int, std::string>::const_iterator it = pThis->m_icons.find(pRequest->number);
        const std::map<std::string, HICON>::const_iterator icon =
            it != pThis->m_icons.end() ? pThis->m_iconFiles.find(it->second)
                                       : pThis->m_iconFiles.end();
        if (icon != pThis->m_iconFiles.end())
            pRequest->handle = icon->second;
    } else if (pRequest->kind == RES_PICT) {
        const std::map<int, Picture>::const_iterator it = pThis->m_pictures.find(pRequest->number);
        if (it != pThis->m_pictures.end()) {
            pRequest->handle = pThis->CopyPicture(it->second.file);
            pRequest->transparentIndex = it->second.transparentIndex;
        }
    }
}

void __cdecl CImageTable::OnDrawPicture(PictDrawRequest* pRequest)
{
    if (pRequest != NULL)
        DrawPackedDib(*pRequest);
}

// The state images stay the table's, one block each, freed at exit: FreePictureState has
// nothing to do, and another picture of the number may still ask for them.
HGLOBAL __cdecl CImageTable::OnGetPictureState(int pictNumber, int stateCode, LONG*)
{
    return s_pInstalled != NULL ? s_pInstalled->StateImage(pictNumber, stateCode) : NULL;
}

HBITMAP CreateTopDownSection(int width, int height, void** ppBits)
{
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    return ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, ppBits, NULL, 0);
}

void DrawPackedDib(const PictDrawRequest& request)
{
    const unsigned char* pDib = static_cast<const unsigned char*>(request.pDib);
    grafplay::DibLayout layout;
    std::string reason;
    // The library hands back only blocks grafplay checked, and not their size.
    if (pDib == NULL || request.hdc == NULL ||
        !grafplay::ReadDibLayout(pDib, static_cast<size_t>(-1), layout, reason))
        return;
    RECT src = {0, 0, layout.width, layout.rows};
    POINT dest = {request.destX, request.destY};
    if (request.destWidth != 0 && request.destHeight != 0) {
        const RECT part = {request.srcX, request.srcY, request.srcX + request.destWidth,
                           request.srcY + request.destHeight};
        const RECT whole = src;
        if (!::IntersectRect(&src, &part, &whole))
            return;
        dest.x += src.left - part.left;
        dest.y += src.top - part.top;
    }

    // The picture decoded by GDI into a top-down 32-bit section; rows then copied from there.
    void* pBits = NULL;
    HBITMAP hbm = CreateTopDownSection(layout.width, layout.rows, &pBits);
    HDC hdcImage = ::CreateCompatibleDC(request.hdc);
    if (hbm != NULL && hdcImage != NULL) {
        const HGDIOBJ hOld = ::SelectObject(hdcImage, hbm);
        ::StretchDIBits(hdcImage, 0, 0, layout.width, layout.rows, 0, 0, layout.width, layout.rows,
                        pDib + layout.bitsOffset, reinterpret_cast<const BITMAPINFO*>(pDib),
                        DIB_RGB_COLORS, SRCCOPY);
        const int key = request.transparentIndex;
        const bool keyed =
            layout.bitCount <= 8 && key >= 0 && static_cast<std::uint32_t>(key) < layout.colours;
        if (!keyed) {
            ::BitBlt(request.hdc, dest.x, dest.y, src.right - src.left, src.bottom - src.top,
                     hdcImage, src.left, src.top, request.rop);
        } else {
            // Row by row, each run of pixels not of the transparent index.
            const unsigned char* pIndices = pDib + layout.bitsOffset;
            for (int y = src.top; y < src.bottom; ++y) {
                for (int x = src.left; x < src.right; ++x) {
                    const int start = x;
                    while (x < src.right && grafplay::DibPixelIndex(layout, pIndices, x, y) != key)
                        ++x;
                    if (x > start)
                        ::BitBlt(request.hdc, dest.x + start - src.left, dest.y + y - src.top,
                                 x - start, 1, hdcImage, start, y, request.rop);
                }
            }
        }
        ::SelectObject(hdcImage, hOld);
    }
    if (hdcImage != NULL)
        ::DeleteDC(hdcImage);
    if (hbm != NULL)
        ::DeleteObject(hbm);
}
