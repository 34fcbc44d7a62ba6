// Reads back the PNG files the project writes itself (8-bit RGB, no interlace, zlib stored
// blocks, any scanline filter): golden images and screenshots compared by tests and tools.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace mirdalux {

struct PngImage {
  int width = 0;
  int height = 0;
  // Pixels row by row from the top, 0x00RRGGBB (the layout of a 32-bit DIB section).
  std::vector<std::uint32_t> pixels;
};

// Decodes a PNG held in memory; false with a reason in `error` when the data is not a PNG of
// that kind (compressed deflate blocks included: the project never writes them) or is damaged.
bool DecodePngRgb(const std::uint8_t* data, std::size_t size, PngImage& image, std::string& error);

// Reads and decodes a file; false with a reason when it cannot be read or decoded.
bool ReadPngRgb(const char* path, PngImage& image, std::string& error);

}  // namespace mirdalux
