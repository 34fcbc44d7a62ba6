// The PNG writer: the file structure, checksums, filters and compression a reader will see.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "PngReader.h"
#include "PngWriter.h"

using mirdalux::Adler32;
using mirdalux::CompressZlib;
using mirdalux::Crc32;
using mirdalux::EncodePngBgrx;
using mirdalux::InflateZlib;

namespace {

std::uint32_t BigEndian32(const std::uint8_t* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
           p[3];
}

struct Chunk {
    std::string type;
    std::vector<std::uint8_t> data;
};

// Splits a PNG into chunks, failing the test on a bad signature, length or CRC.
std::vector<Chunk> ReadChunks(const std::vector<std::uint8_t>& png)
{
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

// A 400x300 picture as a drawing tool leaves it: white, with a frame, a diagonal line, a filled
// bar and a few rows of small text-like marks.
std::vector<std::uint32_t> MostlyWhitePicture(int width, int height)
{
    std::vector<std::uint32_t> bgrx(std::size_t(width) * height, 0xFFFFFF);
    for (int x = 10; x < width - 10; ++x)
        bgrx[10 * width + x] = bgrx[(height - 11) * width + x] = 0;
    for (int y = 10; y < height - 10; ++y)
        bgrx[y * width + 10] = bgrx[y * width + width - 11] = 0;
    for (int i = 20; i < std::min(width, height) - 20; ++i)
        bgrx[i * width + i] = 0x0000FF;
    for (int y = 200; y < 230; ++y)
        for (int x = 40; x < 200; ++x)
            bgrx[y * width + x] = 0x3366CC;
    for (int line = 0; line < 4; ++line)
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 240; ++x)
                if ((x * 7 + y * 13 + line * 5) % 11 < 3)
                    bgrx[(40 + line * 14 + y) * width + 60 + x] = 0;
    return bgrx;
}

}  // namespace

TEST(PngWriter, ChecksumsMatchKnownValues)
{
    const std::uint8_t text[] = "123456789";
    EXPECT_EQ(0xCBF43926u, Crc32(text, 9)) << "CRC-32 check value";
    const std::uint8_t wiki[] = "Wikipedia";
    EXPECT_EQ(0x11E60398u, Adler32(wiki, 9)) << "Adler-32 of 'Wikipedia'";
    // Long inputs, where the running sums must be reduced before they overflow 32 bits; the values
    // are Python's zlib.adler32 of the same bytes.
    const std::vector<std::uint8_t> ones(100000, 0xFF);
    EXPECT_EQ(0x149A302Cu, Adler32(ones.data(), ones.size())) << "Adler-32 of 100000 bytes 0xFF";
    std::vector<std::uint8_t> ramp(1 << 20);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = std::uint8_t(i * 7);
    EXPECT_EQ(0x7CF37789u, Adler32(ramp.data(), ramp.size())) << "Adler-32 of a 1 MiB ramp";
    EXPECT_EQ(Adler32(ramp.data(), ramp.size()),
              Adler32(ramp.data() + 1000, ramp.size() - 1000, Adler32(ramp.data(), 1000)))
        << "Adler-32 continued from a running value";
}

TEST(PngWriter, FileStructureAndFilteredRows)
{
    // Sizes from one pixel to several deflate blocks; a padded stride whose padding must not leak.
    struct Case {
        int width, height, stride;
    } cases[] = {
        {1, 1, 4},
        {3, 2, 16},
        {100, 218, 400},
        {257, 300, 1040},
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
        std::vector<Chunk> chunks =
            ReadChunks(EncodePngBgrx(c.width, c.height, bgrx.data(), c.stride));
        ASSERT_EQ(3u, chunks.size()) << c.width << "x" << c.height;
        EXPECT_EQ("IHDR", chunks[0].type);
        EXPECT_EQ("IDAT", chunks[1].type);
        EXPECT_EQ("IEND", chunks[2].type);
        ASSERT_EQ(13u, chunks[0].data.size());
        EXPECT_EQ(std::uint32_t(c.width), BigEndian32(&chunks[0].data[0]));
        EXPECT_EQ(std::uint32_t(c.height), BigEndian32(&chunks[0].data[4]));
        EXPECT_EQ(8, chunks[0].data[8]) << "bit depth";
        EXPECT_EQ(2, chunks[0].data[9]) << "colour type RGB";
        EXPECT_EQ(0, chunks[0].data[12]) << "no interlace";
        std::vector<std::uint8_t> raw;
        std::string error;
        ASSERT_TRUE(InflateZlib(chunks[1].data.data(), chunks[1].data.size(), SIZE_MAX, raw, error))
            << c.width << "x" << c.height << ": " << error;
        const std::size_t rowBytes = 1 + 3 * c.width;
        ASSERT_EQ(rowBytes * c.height, raw.size()) << c.width << "x" << c.height;
        int badFilters = 0;
        for (int y = 0; y < c.height; ++y)
            badFilters += raw[y * rowBytes] > 4;
        EXPECT_EQ(0, badFilters) << "rows with a filter byte above 4 in " << c.width << "x"
                                 << c.height;
    }
}

TEST(PngWriter, MostlyWhitePictureCompressesToAFewPercent)
{
    const int width = 400, height = 300;
    const std::vector<std::uint32_t> bgrx = MostlyWhitePicture(width, height);
    const std::vector<std::uint8_t> png = EncodePngBgrx(width, height, bgrx.data(), width * 4);
    // White rows filter to zeros and become runs of 258-byte matches of about two bytes each, so
    // the blank area costs under 1% of its size; the frame, line, bar and marks stay far below
    // the 5% of the raw RGB size allowed here (stored blocks would take 100%).
    const std::size_t rawBytes = std::size_t(width) * height * 3;
    EXPECT_LT(png.size(), rawBytes / 20)
        << "expected under 5% of " << rawBytes << " bytes, got " << png.size();
    mirdalux::PngImage image;
    std::string error;
    ASSERT_TRUE(mirdalux::DecodePngRgb(png.data(), png.size(), image, error)) << error;
    EXPECT_EQ(bgrx, image.pixels) << "the compressed picture reads back with other pixels";
}

TEST(PngWriter, EachBlockTakesItsShortestKind)
{
    // Noise cannot be compressed (stored blocks), a few bytes do not pay for a code table (fixed
    // codes), and long text does (dynamic codes). The block type is bits 1-2 of the byte after the
    // zlib header.
    std::vector<std::uint8_t> noise(70000);
    std::uint32_t seed = 12345;
    for (std::uint8_t& b : noise)
        b = std::uint8_t((seed = seed * 1103515245u + 12345u) >> 23);
    const std::string shortText = "abcabcabc";
    std::string longText;
    for (int i = 0; i < 300; ++i)
        longText += "line " + std::to_string(i * i % 97) + ": the quick brown fox jumps over ";
    struct Case {
        const char* what;
        const std::uint8_t* data;
        std::size_t size;
        int blockType;
        std::size_t largest;
    } cases[] = {
        // Stored blocks cost 5 header bytes each: noise grows by well under 0.1%.
        {"noise", noise.data(), noise.size(), 0, noise.size() + noise.size() / 1000},
        // 'a', 'b', 'c' (8 bits each), length 6 and distance 3 (7 + 5 bits), end of block (7) and
        // the block header (3): 46 bits in 6 bytes, between the zlib header and the Adler-32.
        {"short text", reinterpret_cast<const std::uint8_t*>(shortText.data()), shortText.size(), 1,
         12},
        {"long text", reinterpret_cast<const std::uint8_t*>(longText.data()), longText.size(), 2,
         longText.size() / 4},
    };
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> z = CompressZlib(c.data, c.size);
        ASSERT_GE(z.size(), 7u) << c.what;
        EXPECT_EQ(0, (z[0] * 256 + z[1]) % 31) << c.what << ": zlib header check bits";
        EXPECT_EQ(c.blockType, (z[2] >> 1) & 3) << c.what << ": type of the first block";
        EXPECT_LE(z.size(), c.largest)
            << c.what << ": expected at most " << c.largest << " bytes, got " << z.size();
        std::vector<std::uint8_t> back;
        std::string error;
        ASSERT_TRUE(InflateZlib(z.data(), z.size(), SIZE_MAX, back, error))
            << c.what << ": " << error;
        EXPECT_TRUE(back == std::vector<std::uint8_t>(c.data, c.data + c.size))
            << c.what << ": different bytes after inflating";
    }
}

TEST(PngWriter, UnusableArgumentsGiveNothing)
{
    std::uint32_t pixel = 0;
    EXPECT_TRUE(EncodePngBgrx(1, 1, nullptr, 4).empty()) << "null pixels";
    EXPECT_TRUE(EncodePngBgrx(0, 1, &pixel, 4).empty()) << "zero width";
    EXPECT_TRUE(EncodePngBgrx(1, -5, &pixel, 4).empty()) << "negative height";
    EXPECT_TRUE(EncodePngBgrx(2, 1, &pixel, 4).empty()) << "stride shorter than a row";
    EXPECT_TRUE(EncodePngBgrx(1 << 20, 1 << 20, &pixel, 4 << 20).empty()) << "huge size";
    EXPECT_FALSE(mirdalux::WritePngBgrx(nullptr, 1, 1, &pixel, 4)) << "null path";
    EXPECT_FALSE(mirdalux::WritePngBgrx("", 1, 1, &pixel, 4)) << "empty path";
    EXPECT_FALSE(mirdalux::WritePngBgrx("no_such_dir\\x.png", 1, 1, &pixel, 4)) << "bad folder";
    // No data at all is an empty stream: header, one empty block, the Adler-32 of nothing.
    const std::vector<std::uint8_t> empty = CompressZlib(nullptr, 0);
    std::vector<std::uint8_t> back(3, 1);
    std::string error;
    EXPECT_TRUE(InflateZlib(empty.data(), empty.size(), 0, back, error)) << error;
    EXPECT_TRUE(back.empty()) << "expected no bytes from an empty stream, got " << back.size();
}
