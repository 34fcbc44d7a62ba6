// Reads PNG files with 8-bit samples and no interlace (grey, grey with alpha, RGB, RGBA and
// palette images, any deflate blocks, any scanline filter): golden images and screenshots
// compared by tests and tools, whether written by the project or by other programs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mirdalux {

struct PngImage {
    int width = 0;
    int height = 0;
    // Pixels row by row from the top, 0x00RRGGBB (the layout of a 32-bit DIB section). An alpha
    // channel in the file is dropped: the colours come back as stored, not blended.
    std::vector<std::uint32_t> pixels;
};

// Decodes a PNG held in memory; false with a reason in `error` when the data is not a PNG of
// those kinds or is damaged.
bool DecodePngRgb(const std::uint8_t* data, std::size_t size, PngImage& image, std::string& error);

// Reads and decodes a file; false with a reason when it cannot be read or decoded.
bool ReadPngRgb(const char* path, PngImage& image, std::string& error);

// Inflates a zlib stream (RFC 1950 around RFC 1951 deflate) into `out`, replacing its contents.
// False with a reason when the stream is damaged: a bad header, bad code lengths or codes, a
// distance reaching before the start, more than `limit` bytes of output, truncation, or an
// Adler-32 that does not match.
bool InflateZlib(const std::uint8_t* data, std::size_t size, std::size_t limit,
                 std::vector<std::uint8_t>& out, std::string& error);

}  // namespace mirdalux
