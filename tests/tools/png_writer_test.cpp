// The PNG writer: the file structure, checksums and pixels a reader will see.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "PngWriter.h"

using mirdalux::Adler32;
using mirdalux::Crc32;
using mirdalux::EncodePngBgrx;

namespace {

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
         p[3];
}

struct Chunk {
  std::string type;
  std::vector<std::uint8_t> data;
};

// Splits a PNG into chunks, failing the test on a bad signature, length or CRC.
std::vector<Chunk> ReadChunks(const std::vector<std::uint8_t>& png) {
  std::vector<Chunk> chunks;
  static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (png.size() < 8 || !std::equal(signature, signature + 8, png.begin())) {
    ADD_FAILURE() << "expected the PNG signature";
    return chunks;
  }
  std::size_t at = 8;
  while (at + 12 <= png.size()) {
    std::uint32_t length = BigEndian32(&png[at]);
    if (at + 12 + length > png.size()) {
      ADD_FAILURE() << "chunk at " << at << " runs past the end";
      break;
    }
    Chunk chunk;
    chunk.type.assign(reinterpret_cast<const char*>(&png[at + 4]), 4);
    chunk.data.assign(png.begin() + at + 8, png.begin() + at + 8 + length);
    std::uint32_t stored = BigEndian32(&png[at + 8 + length]);
    EXPECT_EQ(Crc32(&png[at + 4], length + 4), stored) << "CRC of chunk " << chunk.type;
    chunks.push_back(chunk);
    at += 12 + length;
  }
  EXPECT_EQ(png.size(), at) << "bytes after the last chunk";
  return chunks;
}

// Undoes the stored-block zlib stream, checking the block headers and the Adler-32.
std::vector<std::uint8_t> Inflate(const std::vector<std::uint8_t>& z) {
  std::vector<std::uint8_t> out;
  EXPECT_GE(z.size(), 6u);
  if (z.size() < 6) return out;
  EXPECT_EQ(0, (z[0] * 256 + z[1]) % 31) << "zlib header check bits";
  EXPECT_EQ(8, z[0] & 0x0F) << "deflate method";
  std::size_t at = 2;
  bool last = false;
  while (!last && at + 5 <= z.size()) {
    last = z[at] & 1;
    EXPECT_EQ(0, (z[at] >> 1) & 3) << "block type: stored";
    unsigned len = z[at + 1] | (z[at + 2] << 8);
    unsigned nlen = z[at + 3] | (z[at + 4] << 8);
    EXPECT_EQ(0xFFFFu, len ^ nlen) << "LEN and NLEN are complements";
    at += 5;
    if (at + len > z.size()) {
      ADD_FAILURE() << "stored block runs past the end";
      return out;
    }
    out.insert(out.end(), z.begin() + at, z.begin() + at + len);
    at += len;
  }
  EXPECT_TRUE(last) << "expected a final block";
  EXPECT_EQ(z.size(), at + 4) << "Adler-32 closes the stream";
  if (at + 4 <= z.size()) {
    EXPECT_EQ(Adler32(out.data(), out.size()), BigEndian32(&z[at]));
  }
  return out;
}

}  // namespace

TEST(PngWriter, ChecksumsMatchKnownValues) {
  const std::uint8_t text[] = "123456789";
  EXPECT_EQ(0xCBF43926u, Crc32(text, 9)) << "CRC-32 check value";
  const std::uint8_t wiki[] = "Wikipedia";
  EXPECT_EQ(0x11E60398u, Adler32(wiki, 9)) << "Adler-32 of 'Wikipedia'";
}

TEST(PngWriter, PixelsSurviveEncoding) {
  // Sizes around the 65535-byte block limit as well as tiny ones; a padded stride.
  struct Case { int width, height, stride; } cases[] = {
      {1, 1, 4}, {3, 2, 16}, {100, 218, 400}, {257, 300, 1040},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bgrx(static_cast<std::size_t>(c.stride) * c.height, 0xEE);
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        std::uint8_t* p = &bgrx[y * c.stride + 4 * x];
        p[0] = static_cast<std::uint8_t>(x * 7 + y);  // blue
        p[1] = static_cast<std::uint8_t>(y * 3);      // green
        p[2] = static_cast<std::uint8_t>(x ^ y);      // red
        p[3] = 0x55;
      }
    std::vector<Chunk> chunks = ReadChunks(EncodePngBgrx(c.width, c.height, bgrx.data(), c.stride));
    ASSERT_EQ(3u, chunks.size()) << c.width << "x" << c.height;
    EXPECT_EQ("IHDR", chunks[0].type);
    EXPECT_EQ("IDAT", chunks[1].type);
    EXPECT_EQ("IEND", chunks[2].type);
    ASSERT_EQ(13u, chunks[0].data.size());
    EXPECT_EQ(std::uint32_t(c.width), BigEndian32(&chunks[0].data[0]));
    EXPECT_EQ(std::uint32_t(c.height), BigEndian32(&chunks[0].data[4]));
    EXPECT_EQ(8, chunks[0].data[8]) << "bit depth";
    EXPECT_EQ(2, chunks[0].data[9]) << "colour type RGB";
    std::vector<std::uint8_t> raw = Inflate(chunks[1].data);
    std::size_t rowBytes = 1 + 3 * c.width;
    ASSERT_EQ(rowBytes * c.height, raw.size()) << c.width << "x" << c.height;
    int wrong = 0;
    for (int y = 0; y < c.height; ++y) {
      EXPECT_EQ(0, raw[y * rowBytes]) << "filter byte of row " << y;
      for (int x = 0; x < c.width; ++x) {
        const std::uint8_t* rgb = &raw[y * rowBytes + 1 + 3 * x];
        const std::uint8_t* p = &bgrx[y * c.stride + 4 * x];
        if (rgb[0] != p[2] || rgb[1] != p[1] || rgb[2] != p[0]) ++wrong;
      }
    }
    EXPECT_EQ(0, wrong) << "pixels differing after encoding " << c.width << "x" << c.height;
  }
}

TEST(PngWriter, UnusableArgumentsGiveNothing) {
  std::uint32_t pixel = 0;
  EXPECT_TRUE(EncodePngBgrx(1, 1, nullptr, 4).empty()) << "null pixels";
  EXPECT_TRUE(EncodePngBgrx(0, 1, &pixel, 4).empty()) << "zero width";
  EXPECT_TRUE(EncodePngBgrx(1, -5, &pixel, 4).empty()) << "negative height";
  EXPECT_TRUE(EncodePngBgrx(2, 1, &pixel, 4).empty()) << "stride shorter than a row";
  EXPECT_TRUE(EncodePngBgrx(1 << 20, 1 << 20, &pixel, 4 << 20).empty()) << "huge size";
  EXPECT_FALSE(mirdalux::WritePngBgrx(nullptr, 1, 1, &pixel, 4)) << "null path";
  EXPECT_FALSE(mirdalux::WritePngBgrx("", 1, 1, &pixel, 4)) << "empty path";
  EXPECT_FALSE(mirdalux::WritePngBgrx("no_such_dir\\x.png", 1, 1, &pixel, 4)) << "bad folder";
}
