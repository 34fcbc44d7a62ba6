// A small PNG encoder for screenshots and golden images: 8-bit RGB, every row filtered by the
// filter that suits it best, the image data compressed with deflate.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace mirdalux {

// Encodes a 32-bit top-down BGRX bitmap (the layout of a 32-bit DIB section with a negative
// height) as an RGB PNG; `stride` is the distance in bytes between rows. An empty result means
// the arguments were unusable (null pixels, non-positive or huge sizes, a stride too small).
std::vector<std::uint8_t> EncodePngBgrx(int width, int height, const void* pixels, int stride);

// Encodes as above and writes the file; false when encoding or writing failed.
bool WritePngBgrx(const char* path, int width, int height, const void* pixels, int stride);

// Compresses bytes into a zlib stream (RFC 1950 around RFC 1951 deflate): LZ77 matches found
// through hash chains over the 32 KiB window, each block sent with whichever of dynamic Huffman
// codes, fixed Huffman codes or no compression is the shortest. Null data with size 0 is fine.
std::vector<std::uint8_t> CompressZlib(const std::uint8_t* data, std::size_t size);

// The checksums PNG needs, exposed for tests and for readers of our own files.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size, std::uint32_t adler = 1);

}  // namespace mirdalux
