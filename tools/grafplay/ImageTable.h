// CImageTable: the icons and pictures a script names, loaded from their files before anything is
// drawn, and the callbacks through which the library asks for them and has them drawn.
#pragma once
#include <afxwin.h>

#include <map>
#include <string>
#include <vector>

#include "Script.h"

#include <mirdalux.h>

class CImageTable
{
public:
    CImageTable() = default;
    ~CImageTable() { Release(); }

    // Loads the file of every command that names one, a relative name from scriptDir: icons with
    // LoadImage at 32x32, pictures as packed DIBs in movable blocks. False with the command's
    // line and the reason at the first file that is missing or cannot be used.
    bool LoadFiles(const std::vector<grafplay::Command>& commands, const std::string& scriptDir,
                   grafplay::ScriptError& error);

    // Plays icondef, pictdef or pictstate: the library's requests for the number are answered
    // from now on.
    void Declare(const grafplay::Command& command);

    // A new movable block holding the loaded picture of `file` (as the script names it), for the
    // library to own; null when there is no memory for it.
    HGLOBAL CopyPicture(const std::string& file) const;

    // Stores RequestResource, DrawPicture and GetPictureState in the library's table; they answer
    // from this table until Release.
    void Install(GraficCallbacks* pTable);

    // Destroys every icon and frees every block loaded; the library must hold none of them.
    void Release();

private:
    CImageTable(const CImageTable&) = delete;
    void operator=(const CImageTable&) = delete;

    struct Picture {
        std::string file;
        int transparentIndex = -1;
        std::string states[2];  // the files of the pressed and the highlighted image
    };

    bool LoadFile(const std::string& file, bool bIcon, const std::string& scriptDir,
                  std::string& message);
    HGLOBAL StateImage(int pictNumber, int stateCode) const;

    static void __cdecl OnRequestResource(ResourceRequest* pRequest);
    static void __cdecl OnDrawPicture(PictDrawRequest* pRequest);
    static HGLOBAL __cdecl OnGetPictureState(int pictNumber, int stateCode, LONG* pScratch);

    std::map<std::string, HICON> m_iconFiles;
    std::map<std::string, HGLOBAL> m_pictureFiles;
    std::map<int, std::string> m_icons;
    std::map<int, Picture> m_pictures;
    static CImageTable* s_pInstalled;
};

// A top-down 32-bit DIB section of width x height pixels, its bits in *ppBits; NULL on failure.
HBITMAP CreateTopDownSection(int width, int height, void** ppBits);

// Draws the packed DIB of a DrawPicture request: the whole picture at the destination when its
// size is 0, else the source part of the destination's size. Pixels of the transparent index
// are left alone when the picture has a colour table holding that index; -1 or an index past
// the table paints every pixel.
void DrawPackedDib(const PictDrawRequest& request);
