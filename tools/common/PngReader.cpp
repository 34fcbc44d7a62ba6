// PNG reader for the project's own files: chunk walk with CRC checks, stored-block inflate,
// Adler-32 check and scanline unfiltering.
#include "PngReader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "PngWriter.h"

namespace mirdalux {
namespace {

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
         std::uint32_t(p[3]);
}

// Collects the raw bytes of a zlib stream made only of stored blocks.
bool InflateStored(const std::vector<std::uint8_t>& z, std::vector<std::uint8_t>& raw,
                   std::string& error) {
  if (z.size() < 6 || (z[0] & 0x0F) != 8 || ((z[0] << 8) | z[1]) % 31 != 0) {
    error = "not a zlib stream";
    return false;
  }
  std::size_t at = 2;
  for (bool last = false; !last;) {
    if (at + 5 > z.size()) {
      error = "zlib stream ends inside a block header";
      return false;
    }
    last = (z[at] & 1) != 0;
    if ((z[at] >> 1 & 3) != 0) {
      error = "compressed deflate block (only stored blocks are read)";
      return false;
    }
    const std::size_t length = z[at + 1] | (z[at + 2] << 8);
    const std::size_t check = z[at + 3] | (z[at + 4] << 8);
    if ((length ^ check) != 0xFFFF) {
      error = "stored block length and its complement disagree";
      return false;
    }
    at += 5;
    if (at + length > z.size()) {
      error = "stored block runs past the stream";
      return false;
    }
    raw.insert(raw.end(), z.begin() + at, z.begin() + at + length);
    at += length;
  }
  if (at + 4 > z.size() || BigEndian32(&z[at]) != Adler32(raw.data(), raw.size())) {
    error = "Adler-32 of the image data does not match";
    return false;
  }
  return true;
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
}

// Undoes the scanline filters in place; rows are 1 filter byte + width * 3 bytes.
bool Unfilter(std::vector<std::uint8_t>& raw, int width, int height, std::string& error) {
  const std::size_t rowBytes = 1 + std::size_t(width) * 3;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = &raw[rowBytes * y];
    const std::uint8_t* above = y > 0 ? &raw[rowBytes * (y - 1)] + 1 : nullptr;
    std::uint8_t* px = row + 1;
    for (std::size_t i = 0; i < rowBytes - 1; ++i) {
      const int a = i >= 3 ? px[i - 3] : 0;
      const int b = above ? above[i] : 0;
      const int c = (above && i >= 3) ? above[i - 3] : 0;
      switch (row[0]) {
        case 0: break;
        case 1: px[i] = std::uint8_t(px[i] + a); break;
        case 2: px[i] = std::uint8_t(px[i] + b); break;
        case 3: px[i] = std::uint8_t(px[i] + (a + b) / 2); break;
        case 4: px[i] = std::uint8_t(px[i] + Paeth(a, b, c)); break;
        default: error = "unknown scanline filter"; return false;
      }
    }
  }
  return true;
}

}  // namespace

bool DecodePngRgb(const std::uint8_t* data, std::size_t size, PngImage& image, std::string& error) {
  static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (!data || size < 8 || std::memcmp(data, signature, 8) != 0) {
    error = "not a PNG file";
    return false;
  }
  int width = 0, height = 0;
  std::vector<std::uint8_t> z;
  bool ended = false;
  for (std::size_t at = 8; !ended;) {
    if (at + 12 > size) {
      error = "file ends inside a chunk";
      return false;
    }
    const std::uint32_t length = BigEndian32(data + at);
    if (length > size - at - 12) {
      error = "chunk runs past the end of the file";
      return false;
    }
    const std::uint8_t* type = data + at + 4;
    const std::uint8_t* body = data + at + 8;
    if (BigEndian32(body + length) != Crc32(type, length + 4)) {
      error = "chunk CRC does not match";
      return false;
    }
    if (std::memcmp(type, "IHDR", 4) == 0) {
      if (length != 13 || body[8] != 8 || body[9] != 2 || body[10] != 0 || body[11] != 0 ||
          body[12] != 0) {
        error = "only 8-bit RGB without interlace is read";
        return false;
      }
      width = int(BigEndian32(body));
      height = int(BigEndian32(body + 4));
      if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        error = "image size out of range";
        return false;
      }
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      z.insert(z.end(), body, body + length);
    } else if (std::memcmp(type, "IEND", 4) == 0) {
      ended = true;
    }
    at += 12 + length;
  }
  if (width == 0) {
    error = "no IHDR chunk";
    return false;
  }
  std::vector<std::uint8_t> raw;
  if (!InflateStored(z, raw, error)) return false;
  const std::size_t rowBytes = 1 + std::size_t(width) * 3;
  if (raw.size() != rowBytes * height) {
    error = "image data has the wrong size";
    return false;
  }
  if (!Unfilter(raw, width, height, error)) return false;
  image.width = width;
  image.height = height;
  image.pixels.resize(std::size_t(width) * height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* px = &raw[rowBytes * y] + 1;
    for (int x = 0; x < width; ++x, px += 3)
      image.pixels[std::size_t(y) * width + x] =
          (std::uint32_t(px[0]) << 16) | (std::uint32_t(px[1]) << 8) | px[2];
  }
  return true;
}

bool ReadPngRgb(const char* path, PngImage& image, std::string& error) {
  std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
  if (!file) {
    error = std::string("cannot open ") + (path ? path : "(null)");
    return false;
  }
  std::vector<std::uint8_t> data;
  std::uint8_t buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
    data.insert(data.end(), buffer, buffer + n);
  std::fclose(file);
  return DecodePngRgb(data.data(), data.size(), image, error);
}

}  // namespace mirdalux
