// BMP files read as packed DIBs, and the layout of a packed DIB, checked field by field.
#include "PackedDib.h"

namespace grafplay {

namespace {

const std::size_t kFileHeaderSize = 14;
const std::uint32_t kInfoHeaderSize = 40;
const std::int64_t kMaxSide = 16384;
const std::uint32_t kBitFields = 3;

std::uint32_t Read32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

unsigned Read16(const unsigned char* p)
{
    return p[0] | (p[1] << 8);
}

// The header and the colour table, without the rows: ReadDibLayout then looks for the rows right
// after the table, PackBmpFile where the file header says they are.
bool ReadHeader(const unsigned char* header, std::size_t size, DibLayout& layout,
                std::string& reason)
{
    if (size < kInfoHeaderSize) {
        reason = "truncated: the header ends past the file";
        return false;
    }
    const std::uint32_t headerSize = Read32(header);
    if (headerSize != kInfoHeaderSize) {
        reason = "a header of " + std::to_string(headerSize) +
                 " bytes (only the 40-byte BITMAPINFOHEADER is read)";
        return false;
    }
    const std::int64_t width = static_cast<std::int32_t>(Read32(header + 4));
    const std::int64_t height = static_cast<std::int32_t>(Read32(header + 8));
    const unsigned planes = Read16(header + 12);
    const int bits = static_cast<int>(Read16(header + 14));
    const std::uint32_t compression = Read32(header + 16);
    const std::uint32_t used = Read32(header + 32);
    const std::int64_t rows = height < 0 ? -height : height;
    if (planes != 1) {
        reason = std::to_string(planes) + " planes (want 1)";
        return false;
    }
    if (width < 1 || width > kMaxSide || rows < 1 || rows > kMaxSide) {
        reason = "size " + std::to_string(width) + "x" + std::to_string(height) +
                 " out of range (1 to 16384 pixels each way)";
        return false;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        reason = std::to_string(bits) + " bits per pixel (want 1, 4, 8, 16, 24 or 32)";
        return false;
    }
    const bool bitFields = compression == kBitFields && (bits == 16 || bits == 32);
    if (compression != 0 && !bitFields) {
        reason = "compression " + std::to_string(compression) +
                 " (want none, or bit fields at 16 or 32 bits per pixel)";
        return false;
    }
    // Up to 8 bits the pixels are indices into the table; above it the table is only a hint.
    const std::uint32_t most = bits <= 8 ? 1u << bits : 256;
    if (used > most) {
        reason = std::to_string(used) + " colours for " + std::to_string(bits) +
                 " bits per pixel (at most " + std::to_string(most) + ")";
        return false;
    }
    layout.width = static_cast<std::int32_t>(width);
    layout.rows = static_cast<std::int32_t>(rows);
    layout.topDown = height < 0;
    layout.bitCount = bits;
    layout.colours = used != 0 ? used : (bits <= 8 ? most : 0);
    layout.bitsOffset = kInfoHeaderSize + (bitFields ? 12 : 0) + 4 * layout.colours;
    layout.stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    if (layout.bitsOffset > size) {
        reason = "truncated: the colour table ends past the file";
        return false;
    }
    return true;
}

}  // namespace

bool ReadDibLayout(const unsigned char* header, std::size_t size, DibLayout& layout,
                   std::string& reason)
{
    if (!ReadHeader(header, size, layout, reason))
        return false;
    if (layout.stride * layout.rows > size - layout.bitsOffset) {
        reason = "truncated: the rows end past the file";
        return false;
    }
    return true;
}

bool PackBmpFile(const std::string& file, std::string& dib, std::string& reason)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(file.data());
    if (file.size() < kFileHeaderSize || file.compare(0, 2, "BM") != 0) {
        reason = "not a BMP file (no 'BM' file header)";
        return false;
    }
    DibLayout layout;
    if (!ReadHeader(bytes + kFileHeaderSize, file.size() - kFileHeaderSize, layout, reason))
        return false;
    const std::size_t rowsAt = Read32(bytes + 10);
    const std::size_t rowBytes = layout.stride * layout.rows;
    if (rowsAt < kFileHeaderSize + layout.bitsOffset) {
        reason = "the rows start at byte " + std::to_string(rowsAt) +
                 ", inside the headers or the colour table";
        return false;
    }
    if (rowsAt > file.size() || rowBytes > file.size() - rowsAt) {
        reason = "truncated: the rows end past the file";
        return false;
    }
    dib = file.substr(kFileHeaderSize, layout.bitsOffset) + file.substr(rowsAt, rowBytes);
    return true;
}

int DibPixelIndex(const DibLayout& layout, const unsigned char* bits, int x, int y)
{
    const int row = layout.topDown ? y : layout.rows - 1 - y;
    const unsigned char* p = bits + static_cast<std::size_t>(row) * layout.stride;
    switch (layout.bitCount) {
    case 1:
        return (p[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return (p[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 15;
    default:
        return p[x];
    }
}

}  // namespace grafplay
