// The pictures grafplay reads: BMP files turned into packed DIBs (a 40-byte BITMAPINFOHEADER,
// its colour table, its rows), and the layout of such a DIB. Plain C++, so it is tested without
// windows.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace grafplay {

// Where the parts of a packed DIB lie, read from its header.
struct DibLayout {
    std::int32_t width = 0;
    std::int32_t rows = 0;  // the height, whichever way the rows are stored
    bool topDown = false;   // a negative height: the first row is the top one
    int bitCount = 0;
    std::uint32_t colours = 0;   // colour-table entries
    std::size_t bitsOffset = 0;  // from the header's start: header, bit-field masks, table
    std::size_t stride = 0;      // bytes per row, a multiple of 4
};

// Reads the layout of the packed DIB that starts at `header` and holds `size` bytes: a 40-byte
// header, one plane, 1 to 16384 pixels each way, 1, 4, 8, 16, 24 or 32 bits per pixel,
// uncompressed or with bit-field masks at 16 or 32 bits, at most 2^bits table entries up to 8
// bits, and the table and rows inside the block. False with the reason otherwise.
bool ReadDibLayout(const unsigned char* header, std::size_t size, DibLayout& layout,
                   std::string& reason);

// Turns the bytes of a BMP file into a packed DIB: the file without its 14-byte file header,
// the rows moved up to follow the colour table when the file leaves a gap before them. False
// with the reason when the file is not a BMP file or holds a DIB that ReadDibLayout refuses.
bool PackBmpFile(const std::string& file, std::string& dib, std::string& reason);

// The colour-table index of pixel (x, y), y counted from the top, of a DIB of 1, 4 or 8 bits per
// pixel whose rows start at `bits`.
int DibPixelIndex(const DibLayout& layout, const unsigned char* bits, int x, int y);

}  // namespace grafplay
