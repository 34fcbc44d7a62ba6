// The PNG writer's block choice, row stride and refusals; png_check.py decodes the PNGs grafplay
// writes with an independent decoder, which checks every CRC-32 and Adler-32 they hold.
#include "TestSupport.h"

#include <cstdint>
#include <tuple>

#include "PngWriter.h"

using namespace mirdalux;

TEST(PngWriter, EachBlockTakesItsShortestKind)
{
    // Noise does not compress (stored), a few bytes do not pay for a code table (fixed codes),
    // long text does (dynamic codes). The block type is bits 1-2 of the byte after the header.
    std::string noise(70000, ' ');
    std::uint32_t seed = 12345;
    for (char& b : noise)
        b = char((seed = seed * 1103515245u + 12345u) >> 23);
    std::string longText;
    for (int i = 0; i < 300; ++i)
        longText += "line " + std::to_string(i * i % 97) + ": the quick brown fox jumps over ";
    // The row's name, the data, the type of its first block, the largest the stream may be.
    const std::tuple<const char*, std::string, int, std::size_t> rows[] = {
        // Stored blocks cost 5 header bytes each: noise grows by well under 0.1%.
        {"noise", noise, 0, noise.size() + noise.size() / 1000},
        // 'a', 'b', 'c' (8 bits each), length 6 and distance 3 (7 + 5 bits), end of block (7)
        // and the block header (3): 46 bits in 6 bytes, between the zlib header and Adler-32.
        {"short text", "abcabcabc", 1, 12},
        {"long text", longText, 2, longText.size() / 4},
    };
    for (const auto& [name, data, blockType, largest] : rows) {
        SCOPED_TRACE(name);
        const std::vector<std::uint8_t> z =
            CompressZlib(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
        ASSERT_GE(z.size(), 7u);
        EXPECT_EQ(0, (z[0] * 256 + z[1]) % 31) << "zlib header check bits";
        EXPECT_EQ(blockType, (z[2] >> 1) & 3) << "type of the first block";
        EXPECT_LE(z.size(), largest);
    }
    // Nothing: the header, an empty fixed-code block, the Adler-32 of nothing (1).
    EXPECT_EQ((std::vector<std::uint8_t>{0x78, 0xDA, 0x03, 0x00, 0, 0, 0, 1}),
              CompressZlib(nullptr, 0));
}

TEST(PngWriter, PaddingBetweenRowsIsNotEncoded)
{
    const int width = 37, height = 20, stride = width * 4 + 12;
    std::vector<std::uint8_t> packed(width * 4 * height), padded(stride * height, 0xEE);
    for (int y = 0; y < height; ++y)
        for (int i = 0; i < width * 4; ++i)
            packed[y * width * 4 + i] = padded[y * stride + i] = std::uint8_t(i * 7 + y * 3);
    EXPECT_EQ(EncodePngBgrx(width, height, packed.data(), width * 4),
              EncodePngBgrx(width, height, padded.data(), stride));
}

TEST(PngWriter, UnusableArgumentsGiveNothing)
{
    std::uint32_t pixel = 0;
    // The row's name, the width, height, pixels and stride, the path, whether the pixels encode.
    const std::tuple<const char*, int, int, const void*, int, const char*, bool> rows[] = {
        {"null pixels", 1, 1, nullptr, 4, "x.png", false},
        {"zero width", 0, 1, &pixel, 4, "x.png", false},
        {"negative height", 1, -5, &pixel, 4, "x.png", false},
        {"stride shorter than a row", 2, 1, &pixel, 4, "x.png", false},
        {"huge size", 1 << 20, 1 << 20, &pixel, 4 << 20, "x.png", false},
        {"null path", 1, 1, &pixel, 4, nullptr, true},
        {"empty path", 1, 1, &pixel, 4, "", true},
        {"a folder that does not exist", 1, 1, &pixel, 4, "no_such_dir\\x.png", true},
    };
    for (const auto& [name, width, height, pixels, stride, path, encodes] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(encodes, !EncodePngBgrx(width, height, pixels, stride).empty());
        EXPECT_FALSE(mirdalux::WritePngBgrx(path, width, height, pixels, stride));
    }
}
