// The PNG reader: takes back what the writer wrote and what other programs write (every 8-bit
// colour type, every scanline filter, every deflate block type), and refuses damaged or foreign
// data with a reason.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "PngReader.h"
#include "PngWriter.h"

using mirdalux::InflateZlib;

namespace {

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& png, const char* type,
              const std::vector<std::uint8_t>& body)
{
    PutBigEndian32(png, std::uint32_t(body.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), body.begin(), body.end());
    PutBigEndian32(png, mirdalux::Crc32(&png[start], body.size() + 4));
}

// The pieces of a PNG file made in a test; `rows` are the filtered scanlines before compression.
struct PngParts {
    int width = 2;
    int height = 1;
    std::uint8_t depth = 8;
    std::uint8_t colourType = 2;
    std::uint8_t interlace = 0;
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> rows;
};

std::vector<std::uint8_t> MakePng(const PngParts& parts)
{
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBigEndian32(header, std::uint32_t(parts.width));
    PutBigEndian32(header, std::uint32_t(parts.height));
    header.insert(header.end(), {parts.depth, parts.colourType, 0, 0, parts.interlace});
    PutChunk(png, "IHDR", header);
    if (!parts.palette.empty())
        PutChunk(png, "PLTE", parts.palette);
    PutChunk(png, "IDAT", mirdalux::CompressZlib(parts.rows.data(), parts.rows.size()));
    PutChunk(png, "IEND", {});
    return png;
}

// Packs deflate bits as RFC 1951 lays them out: numbers from their least significant bit,
// Huffman codes from their most significant bit.
class BitPacker
{
public:
    BitPacker& Bits(std::uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i)
            PutBit((value >> i) & 1);
        return *this;
    }
    BitPacker& Code(std::uint32_t code, int length)
    {
        for (int i = length - 1; i >= 0; --i)
            PutBit((code >> i) & 1);
        return *this;
    }
    // A literal/length symbol in the fixed Huffman code of block type 1.
    BitPacker& Fixed(int symbol)
    {
        if (symbol < 144)
            return Code(0x30 + symbol, 8);
        if (symbol < 256)
            return Code(0x190 + symbol - 144, 9);
        if (symbol < 280)
            return Code(symbol - 256, 7);
        return Code(0xC0 + symbol - 280, 8);
    }
    // The zlib stream: header (deflate, 32K window), the packed bytes, the Adler-32 of `content`.
    std::vector<std::uint8_t> Zlib(const std::string& content) const
    {
        std::vector<std::uint8_t> z = {0x78, 0x01};
        z.insert(z.end(), m_bytes.begin(), m_bytes.end());
        PutBigEndian32(z, mirdalux::Adler32(reinterpret_cast<const std::uint8_t*>(content.data()),
                                            content.size()));
        return z;
    }

private:
    void PutBit(std::uint32_t bit)
    {
        if (m_used % 8 == 0)
            m_bytes.push_back(0);
        m_bytes.back() |= std::uint8_t(bit << (m_used % 8));
        ++m_used;
    }
    std::vector<std::uint8_t> m_bytes;
    int m_used = 0;
};

std::vector<std::uint8_t> WithoutAdler(std::vector<std::uint8_t> stream)
{
    stream.resize(stream.size() - 4);
    return stream;
}

std::string AsString(const std::vector<std::uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// "abcdef", then length 12 at distance 6 (both with an extra bit: the copy overlaps itself),
// then length 258 (symbol 285) at distance 1, in one fixed-Huffman block.
const std::string kFixedContent = "abcdefabcdefabcdef" + std::string(258, 'f');
std::vector<std::uint8_t> FixedHuffmanStream()
{
    BitPacker bits;
    bits.Bits(1, 1).Bits(1, 2);  // final block, type 1
    for (char c : std::string("abcdef"))
        bits.Fixed(c);
    bits.Fixed(265).Bits(1, 1);  // length 11 + 1
    bits.Code(4, 5).Bits(1, 1);  // distance 5 + 1
    bits.Fixed(285).Code(0, 5);  // length 258, distance 1
    bits.Fixed(256);             // end of block
    return bits.Zlib(kFixedContent);
}

// "hello" in one stored block, written out byte by byte.
const std::vector<std::uint8_t> kStoredHello = {0x78, 0x01, 0x01, 0x05, 0x00, 0xFA, 0xFF, 'h',
                                                'e',  'l',  'l',  'o',  0x06, 0x2C, 0x02, 0x15};

// Made on Linux with Python 3: c = zlib.compressobj(9); c.compress(kPythonText) +
// c.flush(zlib.Z_SYNC_FLUSH) + c.flush(zlib.Z_FINISH): a dynamic Huffman block, the empty stored
// block of the sync flush, and an empty final fixed block.
const std::string kPythonText =
    "Deflate keeps a window of the last 32768 bytes; a back-reference names a length and a "
    "distance into that window. Huffman codes make frequent symbols short and rare symbols long.";
const std::vector<std::uint8_t> kPythonStream = {
    0x78, 0xDA, 0x3C, 0x8C, 0x4B, 0x0E, 0xC2, 0x30, 0x0C, 0x44, 0xAF, 0x32, 0x17, 0x80, 0x05, 0x48,
    0x80, 0xC4, 0x96, 0x05, 0xD7, 0x70, 0x9B, 0x49, 0x5B, 0x35, 0x71, 0x20, 0x76, 0x55, 0xF5, 0xF6,
    0xA4, 0x08, 0xB1, 0x9C, 0xCF, 0x7B, 0x0F, 0xC6, 0x24, 0x4E, 0xCC, 0xE4, 0xCB, 0x20, 0x58, 0x27,
    0x0D, 0x65, 0x45, 0x89, 0xF0, 0x91, 0x48, 0x62, 0x8E, 0xF3, 0xE9, 0x7A, 0xB9, 0xA1, 0xDB, 0x9C,
    0x76, 0x6F, 0x8F, 0x4E, 0xFA, 0xF9, 0x50, 0x19, 0x59, 0xA9, 0x3D, 0xA1, 0x92, 0xB9, 0x83, 0x89,
    0x3A, 0xF8, 0x08, 0xD1, 0xD0, 0x42, 0x98, 0xCC, 0x65, 0x5F, 0x27, 0xF5, 0xD2, 0x4C, 0xE2, 0x3F,
    0xF1, 0x11, 0xCF, 0x25, 0xC6, 0x2C, 0x8A, 0xBE, 0x84, 0xC6, 0x65, 0x99, 0x89, 0x58, 0xF9, 0x5E,
    0xA8, 0x0E, 0xDB, 0x72, 0x57, 0x92, 0xC1, 0xC6, 0x52, 0xFD, 0xAB, 0xAA, 0x52, 0xF9, 0xAF, 0x53,
    0xD1, 0xE1, 0xF8, 0x01, 0x00, 0x00, 0xFF, 0xFF, 0x03, 0x00, 0x95, 0x88, 0x3F, 0x4A};

// The start of a dynamic block with no literal/length or distance codes beyond the minimum
// (257 and 1) and a code-length code given for the first `orderCount` symbols of its order.
BitPacker DynamicHeader(int literalExtra, int orderCount, const std::vector<int>& lengthLengths)
{
    BitPacker bits;
    bits.Bits(1, 1).Bits(2, 2).Bits(literalExtra, 5).Bits(0, 5).Bits(orderCount - 4, 4);
    for (int length : lengthLengths)
        bits.Bits(length, 3);
    return bits;
}

}  // namespace

TEST(PngReader, RoundTripsPicturesOfManyKinds)
{
    struct Case {
        const char* what;
        int width, height;
        std::uint32_t (*colour)(int x, int y);
    } cases[] = {
        {"blank", 64, 64, [](int, int) { return 0xFFFFFFu; }},
        {"one pixel", 1, 1, [](int, int) { return 0x123456u; }},
        {"noise", 97, 61,
         [](int x, int y) { return std::uint32_t((x * 7919 + y * 104729) * 2654435761u) >> 8; }},
        {"vertical stripes", 200, 50, [](int x, int) { return x % 6 < 3 ? 0xFF0000u : 0x0000FFu; }},
        {"horizontal stripes", 50, 200, [](int, int y) { return y % 4 ? 0u : 0x00FF00u; }},
        {"gradient", 256, 256,
         [](int x, int y) { return std::uint32_t(x << 16 | y << 8 | ((x + y) & 255)); }},
        {"checkerboard", 33, 33, [](int x, int y) { return (x ^ y) & 1 ? 0xFFFFFFu : 0u; }},
        {"very wide", 4000, 2, [](int x, int y) { return std::uint32_t(x * 31 + y) & 0xFFFFFF; }},
        {"tall", 2, 3000,
         [](int x, int y) { return std::uint32_t(y / 7 * 0x010203 + x) & 0xFFFFFF; }},
        {"far repeats", 700, 120,  // rows repeat at distances near the 32 KiB window
         [](int x, int y) { return std::uint32_t((x * 13 + (y % 16) * 977) * 40503u) & 0xFFFFFF; }},
    };
    for (const Case& c : cases) {
        std::vector<std::uint32_t> bgrx(std::size_t(c.width) * c.height), expected(bgrx.size());
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                expected[std::size_t(y) * c.width + x] = c.colour(x, y);
                // The fourth byte of every pixel is padding and must not reach the file.
                bgrx[std::size_t(y) * c.width + x] = c.colour(x, y) | 0xA5000000u;
            }
        const std::vector<std::uint8_t> png =
            mirdalux::EncodePngBgrx(c.width, c.height, bgrx.data(), c.width * 4);
        mirdalux::PngImage image;
        std::string error;
        ASSERT_TRUE(mirdalux::DecodePngRgb(png.data(), png.size(), image, error))
            << c.what << ": " << error;
        EXPECT_EQ(c.width, image.width) << c.what;
        EXPECT_EQ(c.height, image.height) << c.what;
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < expected.size() && i < image.pixels.size(); ++i)
            wrong += expected[i] != image.pixels[i];
        EXPECT_EQ(expected.size(), image.pixels.size()) << c.what;
        EXPECT_EQ(0u, wrong) << c.what << ": pixels changed on the way through the file";
    }
}

TEST(PngReader, UndoesEveryScanlineFilter)
{
    // One 2x2 picture stored five times, once per filter type, each time with the filtered bytes
    // computed by hand from the same pixels.
    const std::vector<std::uint32_t> pixels = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
    const std::vector<std::uint8_t> rows[5] = {
        {0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0, 0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0},
        {1, 0x10, 0x20, 0x30, 0x30, 0x30, 0x30, 1, 0x70, 0x80, 0x90, 0x30, 0x30, 0x30},
        {2, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 2, 0x60, 0x60, 0x60, 0x60, 0x60, 0x60},
        {3, 0x10, 0x20, 0x30, 0x38, 0x40, 0x48, 3, 0x68, 0x70, 0x78, 0x48, 0x48, 0x48},
        {4, 0x10, 0x20, 0x30, 0x30, 0x30, 0x30, 4, 0x60, 0x60, 0x60, 0x30, 0x30, 0x30},
    };
    for (int filter = 0; filter < 5; ++filter) {
        PngParts parts;
        parts.height = 2;
        parts.rows = rows[filter];
        const std::vector<std::uint8_t> png = MakePng(parts);
        mirdalux::PngImage image;
        std::string error;
        ASSERT_TRUE(mirdalux::DecodePngRgb(png.data(), png.size(), image, error))
            << "filter " << filter << ": " << error;
        EXPECT_EQ(pixels, image.pixels) << "filter " << filter << " not undone";
    }
}

TEST(PngReader, ReadsEveryEightBitColourType)
{
    // Two pixels per picture; the Sub filter on the second row checks the pixel width in bytes.
    struct Case {
        const char* what;
        std::uint8_t colourType;
        std::vector<std::uint8_t> palette;
        std::vector<std::uint8_t> rows;
        std::vector<std::uint32_t> expected;
    } cases[] = {
        {"grey", 0, {}, {0, 0x00, 0x80, 1, 0xFF, 0x02}, {0x000000, 0x808080, 0xFFFFFF, 0x010101}},
        {"RGB",
         2,
         {},
         {0, 1, 2, 3, 4, 5, 6, 1, 1, 2, 3, 3, 3, 3},
         {0x010203, 0x040506, 0x010203, 0x040506}},
        {"palette",
         3,
         {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF},
         {0, 2, 1, 1, 0, 2},
         {0x0000FF, 0x00FF00, 0xFF0000, 0x0000FF}},
        {"grey and alpha (alpha dropped)",
         4,
         {},
         {0, 0x40, 0x00, 0x80, 0xFF, 1, 0x10, 0x7F, 0x10, 0x01},
         {0x404040, 0x808080, 0x101010, 0x202020}},
        {"RGBA (alpha dropped)",
         6,
         {},
         {0, 1, 2, 3, 0, 4, 5, 6, 255, 1, 9, 9, 9, 9, 1, 1, 1, 1},
         {0x010203, 0x040506, 0x090909, 0x0A0A0A}},
    };
    for (const Case& c : cases) {
        PngParts parts;
        parts.height = 2;
        parts.colourType = c.colourType;
        parts.palette = c.palette;
        parts.rows = c.rows;
        const std::vector<std::uint8_t> png = MakePng(parts);
        mirdalux::PngImage image;
        std::string error;
        ASSERT_TRUE(mirdalux::DecodePngRgb(png.data(), png.size(), image, error))
            << c.what << ": " << error;
        EXPECT_EQ(c.expected, image.pixels) << c.what;
    }
}

TEST(PngReader, InflatesHandMadeStreamsOfEveryBlockType)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> stream;
        std::string expected;
    } cases[] = {
        {"stored block", kStoredHello, "hello"},
        {"fixed Huffman block with overlapping copies", FixedHuffmanStream(), kFixedContent},
        {"Python's dynamic, stored and fixed blocks", kPythonStream, kPythonText},
        {"a stored block ending a fixed one mid-byte",
         BitPacker()
             .Bits(0, 1)
             .Bits(1, 2)
             .Fixed('x')
             .Fixed(256)
             .Bits(1, 1)
             .Bits(0, 2)
             .Bits(0, 3)
             .Bits(2, 16)
             .Bits(0xFFFD, 16)
             .Bits('y', 8)
             .Bits('z', 8)
             .Zlib("xyz"),
         "xyz"},
        {"empty fixed block", BitPacker().Bits(1, 1).Bits(1, 2).Fixed(256).Zlib(""), ""},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> out;
        std::string error;
        ASSERT_TRUE(InflateZlib(c.stream.data(), c.stream.size(), SIZE_MAX, out, error))
            << c.what << ": " << error;
        EXPECT_EQ(c.expected, AsString(out)) << c.what;
    }
}

TEST(PngReader, RefusesDamagedStreamsWithAReason)
{
    std::vector<std::uint8_t> badComplement = kStoredHello;
    badComplement[6] = 0xFE;
    std::vector<std::uint8_t> badAdler = kStoredHello;
    badAdler.back() ^= 0x40;
    const BitPacker literalA = BitPacker().Bits(1, 1).Bits(1, 2).Fixed('a');
    struct Case {
        const char* what;
        std::vector<std::uint8_t> stream;
        std::size_t limit;
        const char* reason;
    } cases[] = {
        {"compression method 9", {0x79, 0x01, 0x03, 0x00, 0, 0, 0, 1}, SIZE_MAX, "not a zlib"},
        {"header check bits", {0x78, 0x02, 0x03, 0x00, 0, 0, 0, 1}, SIZE_MAX, "not a zlib"},
        {"preset dictionary", {0x78, 0xBB, 0, 0, 0, 1, 0x03, 0x00}, SIZE_MAX, "dictionary"},
        {"empty", {}, SIZE_MAX, "truncated"},
        {"block type 3", BitPacker().Bits(1, 1).Bits(3, 2).Zlib(""), SIZE_MAX, "reserved"},
        {"stored length complement", badComplement, SIZE_MAX, "complement"},
        {"stored block cut short",
         std::vector<std::uint8_t>(kStoredHello.begin(), kStoredHello.begin() + 9), SIZE_MAX,
         "truncated"},
        {"Adler-32", badAdler, SIZE_MAX, "Adler-32"},
        {"no Adler-32", WithoutAdler(kStoredHello), SIZE_MAX, "before its Adler-32"},
        {"stored bytes past the limit", kStoredHello, 4, "more data than expected"},
        {"copies past the limit", FixedHuffmanStream(), 100, "more data than expected"},
        {"distance before the start",
         BitPacker(literalA).Fixed(257).Code(1, 5).Fixed(256).Zlib("a"), SIZE_MAX,
         "before the start"},
        {"length symbol 286", BitPacker(literalA).Fixed(286).Fixed(256).Zlib("a"), SIZE_MAX,
         "length symbol"},
        {"distance code 30", BitPacker(literalA).Fixed(257).Code(30, 5).Fixed(256).Zlib("a"),
         SIZE_MAX, "distance code"},
        {"no end of block", WithoutAdler(BitPacker(literalA).Zlib("a")), SIZE_MAX, "truncated"},
        {"287 literal/length codes", DynamicHeader(30, 4, {0, 0, 0, 0}).Zlib(""), SIZE_MAX,
         "bad code lengths"},
        {"over-subscribed code-length code", DynamicHeader(0, 19, std::vector<int>(19, 1)).Zlib(""),
         SIZE_MAX, "bad code lengths"},
        // Symbols 16 and 0 get one bit each: 0 is '0', 16 is '1'.
        {"repeat of no length", DynamicHeader(0, 4, {1, 0, 0, 1}).Code(1, 1).Zlib(""), SIZE_MAX,
         "no length before it"},
        // Symbols 18 and 0 get one bit each: 0 is '0', 18 is '1'; 2 x 138 zeros > 258 lengths.
        {"zeros past the last length",
         DynamicHeader(0, 4, {0, 0, 1, 1}).Code(1, 1).Bits(127, 7).Code(1, 1).Bits(127, 7).Zlib(""),
         SIZE_MAX, "runs past the last code"},
        {"no end-of-block code",
         DynamicHeader(0, 4, {0, 0, 1, 1}).Code(1, 1).Bits(127, 7).Code(1, 1).Bits(109, 7).Zlib(""),
         SIZE_MAX, "no end-of-block code"},
        // Code-length code: 18 is '0', 0 is '10', 2 is '11'. Only the end-of-block code has a
        // length (2), which leaves three quarters of the literal/length code unused.
        {"incomplete literal/length code",
         DynamicHeader(0, 16, {0, 0, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2})
             .Code(0, 1)
             .Bits(127, 7)
             .Code(0, 1)
             .Bits(107, 7)
             .Code(3, 2)
             .Code(3, 2)
             .Zlib(""),
         SIZE_MAX, "literal/length code is over-subscribed or incomplete"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> out;
        std::string error;
        EXPECT_FALSE(InflateZlib(c.stream.data(), c.stream.size(), c.limit, out, error)) << c.what;
        EXPECT_NE(std::string::npos, error.find(c.reason))
            << c.what << ": expected a reason with \"" << c.reason << "\", got \"" << error << "\"";
    }
    std::vector<std::uint8_t> out;
    std::string error;
    EXPECT_FALSE(InflateZlib(nullptr, 10, SIZE_MAX, out, error)) << "null data";
}

TEST(PngReader, NoTruncationOrBitFlipPassesUnnoticed)
{
    // Every cut and every single flipped bit of three streams: each must fail with a reason, or
    // give the same bytes: padding bits before a stored block or after the last block are
    // ignored, and a distance changed to another one that copies the same bytes is harmless.
    std::vector<std::uint8_t> picture(6000);
    for (std::size_t i = 0; i < picture.size(); ++i)
        picture[i] = std::uint8_t(i % 250 < 40 ? i * 3 : 0);
    const std::vector<std::uint8_t> ours = mirdalux::CompressZlib(picture.data(), picture.size());
    const struct {
        const char* what;
        std::vector<std::uint8_t> stream;
        std::string content;
    } cases[] = {
        {"fixed", FixedHuffmanStream(), kFixedContent},
        {"Python's", kPythonStream, kPythonText},
        {"the writer's", ours, AsString(picture)},
    };
    for (const auto& c : cases) {
        std::set<std::string> reasons;
        for (std::size_t cut = 0; cut < c.stream.size(); ++cut) {
            std::vector<std::uint8_t> out;
            std::string error;
            EXPECT_FALSE(InflateZlib(c.stream.data(), cut, SIZE_MAX, out, error))
                << c.what << " stream cut to " << cut << " bytes";
            EXPECT_FALSE(error.empty()) << c.what << " cut to " << cut << ": no reason";
        }
        std::size_t failed = 0;
        for (std::size_t bit = 0; bit < c.stream.size() * 8; ++bit) {
            std::vector<std::uint8_t> flipped = c.stream;
            flipped[bit / 8] ^= std::uint8_t(1 << (bit % 8));
            std::vector<std::uint8_t> out;
            std::string error;
            if (InflateZlib(flipped.data(), flipped.size(), 1 << 20, out, error)) {
                EXPECT_EQ(c.content, AsString(out)) << c.what << " with bit " << bit << " flipped";
            } else {
                EXPECT_FALSE(error.empty())
                    << c.what << " with bit " << bit << " flipped: no reason";
                reasons.insert(error);
                ++failed;
            }
        }
        EXPECT_GT(failed, c.stream.size() * 8 * 9 / 10)
            << c.what << ": expected nearly every flipped bit to be noticed";
        EXPECT_GE(reasons.size(), 3u) << c.what << ": expected damage to be told apart";
    }
}

TEST(PngReader, RefusesDamagedOrForeignFiles)
{
    PngParts good;
    good.width = 4;
    good.height = 4;
    for (int y = 0; y < 4; ++y) {
        good.rows.push_back(0);
        for (int i = 0; i < 12; ++i)
            good.rows.push_back(std::uint8_t(y * 40 + i));
    }
    struct Case {
        const char* what;
        PngParts parts;
        const char* reason;
    };
    std::vector<Case> cases;
    auto add = [&](const char* what, const char* reason, auto edit) {
        Case c{what, good, reason};
        edit(c.parts);
        cases.push_back(c);
    };
    add("16-bit samples", "8-bit", [](PngParts& p) { p.depth = 16; });
    add("interlaced", "without interlace", [](PngParts& p) { p.interlace = 1; });
    add("colour type 5", "8-bit", [](PngParts& p) { p.colourType = 5; });
    add("zero width", "size out of range", [](PngParts& p) { p.width = 0; });
    add("image data too short", "wrong size", [](PngParts& p) { p.rows.pop_back(); });
    add("more image data than rows", "more data than expected",
        [](PngParts& p) { p.rows.push_back(0); });
    add("filter type 5", "scanline filter", [](PngParts& p) { p.rows[13] = 5; });
    add("palette image without PLTE", "PLTE", [](PngParts& p) {
        p.colourType = 3;
        p.width = 12;
    });
    add("palette index past the palette", "palette index", [](PngParts& p) {
        p.colourType = 3;
        p.width = 12;
        p.palette = std::vector<std::uint8_t>(3 * 40, 0x80);
    });
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> png = MakePng(c.parts);
        mirdalux::PngImage image;
        std::string error;
        EXPECT_FALSE(mirdalux::DecodePngRgb(png.data(), png.size(), image, error)) << c.what;
        EXPECT_NE(std::string::npos, error.find(c.reason))
            << c.what << ": expected a reason with \"" << c.reason << "\", got \"" << error << "\"";
    }

    // Damage to the file itself rather than its content.
    const std::vector<std::uint8_t> file = MakePng(good);
    const std::size_t idatBody = 8 + 25 + 8;
    struct Edit {
        const char* what;
        std::size_t offset;
        std::uint8_t value;
        const char* reason;
    } edits[] = {
        {"signature", 1, 'X', "not a PNG"},
        {"IHDR body under its CRC", 8 + 8 + 9, 6, "CRC"},
        {"IDAT body under its CRC", idatBody + 3, 0x5A, "CRC"},
        {"chunk length past the end", 8 + 25, 0x7F, "past the end"},
    };
    for (const Edit& e : edits) {
        std::vector<std::uint8_t> png = file;
        png[e.offset] = e.value;
        mirdalux::PngImage image;
        std::string error;
        EXPECT_FALSE(mirdalux::DecodePngRgb(png.data(), png.size(), image, error)) << e.what;
        EXPECT_NE(std::string::npos, error.find(e.reason))
            << e.what << ": expected a reason with \"" << e.reason << "\", got \"" << error << "\"";
    }
    mirdalux::PngImage image;
    std::string error;
    for (std::size_t cut :
         {std::size_t(0), std::size_t(7), std::size_t(20), file.size() - 13, file.size() - 1}) {
        EXPECT_FALSE(mirdalux::DecodePngRgb(file.data(), cut, image, error)) << "cut at " << cut;
    }
    EXPECT_FALSE(mirdalux::DecodePngRgb(nullptr, 100, image, error)) << "null data";
    EXPECT_FALSE(mirdalux::ReadPngRgb("Z:/nonexistent/dir/none.png", image, error));
    EXPECT_NE(std::string::npos, error.find("cannot open")) << error;
}
