// PNG encoding with uncompressed deflate blocks: no compression library is needed, and the files
// stay readable by every viewer.
#include "PngWriter.h"

#include <cstdio>
#include <cstring>

namespace mirdalux {
namespace {

const std::uint32_t* CrcTable() {
  static std::uint32_t table[256];
  static bool ready = false;
  if (!ready) {
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[n] = c;
    }
    ready = true;
  }
  return table;
}

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 24));
  out.push_back(static_cast<std::uint8_t>(value >> 16));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value));
}

// Appends one chunk: length, type, data, then the CRC of type and data.
void PutChunk(std::vector<std::uint8_t>& out, const char type[4], const std::uint8_t* data,
              std::size_t size) {
  PutBigEndian32(out, static_cast<std::uint32_t>(size));
  std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  if (size) out.insert(out.end(), data, data + size);
  PutBigEndian32(out, Crc32(out.data() + start, size + 4));
}

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc) {
  const std::uint32_t* table = CrcTable();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t Adler32(const std::uint8_t* data, std::size_t size, std::uint32_t adler) {
  std::uint32_t a = adler & 0xFFFF, b = adler >> 16;
  for (std::size_t i = 0; i < size; ++i) {
    a = (a + data[i]) % 65521u;
    b = (b + a) % 65521u;
  }
  return (b << 16) | a;
}

std::vector<std::uint8_t> EncodePngBgrx(int width, int height, const void* pixels, int stride) {
  std::vector<std::uint8_t> png;
  // 16384 x 16384 keeps every size computation far inside 32 bits.
  if (!pixels || width <= 0 || height <= 0 || width > 16384 || height > 16384 ||
      stride < width * 4)
    return png;

  // Raw scanlines: a filter byte (0, none) then RGB triples.
  const std::size_t rowBytes = 1 + static_cast<std::size_t>(width) * 3;
  std::vector<std::uint8_t> raw(rowBytes * height);
  const std::uint8_t* src = static_cast<const std::uint8_t*>(pixels);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* dst = &raw[rowBytes * y];
    const std::uint8_t* row = src + static_cast<std::size_t>(stride) * y;
    *dst++ = 0;
    for (int x = 0; x < width; ++x) {
      dst[0] = row[4 * x + 2];
      dst[1] = row[4 * x + 1];
      dst[2] = row[4 * x + 0];
      dst += 3;
    }
  }

  // zlib stream: header (deflate, 32K window, no dictionary), stored blocks of at most 65535
  // bytes, the Adler-32 of the raw data.
  std::vector<std::uint8_t> z;
  z.reserve(raw.size() + raw.size() / 65535 * 5 + 16);
  z.push_back(0x78);
  z.push_back(0x01);
  std::size_t offset = 0;
  do {
    std::size_t block = raw.size() - offset;
    if (block > 65535) block = 65535;
    bool last = offset + block == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<std::uint8_t>(block));
    z.push_back(static_cast<std::uint8_t>(block >> 8));
    z.push_back(static_cast<std::uint8_t>(~block));
    z.push_back(static_cast<std::uint8_t>(~block >> 8));
    z.insert(z.end(), raw.begin() + offset, raw.begin() + offset + block);
    offset += block;
  } while (offset < raw.size());
  PutBigEndian32(z, Adler32(raw.data(), raw.size()));

  static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  png.insert(png.end(), signature, signature + 8);
  std::vector<std::uint8_t> header;
  PutBigEndian32(header, static_cast<std::uint32_t>(width));
  PutBigEndian32(header, static_cast<std::uint32_t>(height));
  header.push_back(8);  // bits per sample
  header.push_back(2);  // colour type: RGB
  header.push_back(0);  // deflate
  header.push_back(0);  // adaptive filtering
  header.push_back(0);  // no interlace
  PutChunk(png, "IHDR", header.data(), header.size());
  PutChunk(png, "IDAT", z.data(), z.size());
  PutChunk(png, "IEND", nullptr, 0);
  return png;
}

bool WritePngBgrx(const char* path, int width, int height, const void* pixels, int stride) {
  if (!path || !*path) return false;
  std::vector<std::uint8_t> png = EncodePngBgrx(width, height, pixels, stride);
  if (png.empty()) return false;
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  bool ok = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  ok = std::fclose(file) == 0 && ok;
  if (!ok) std::remove(path);
  return ok;
}

}  // namespace mirdalux
